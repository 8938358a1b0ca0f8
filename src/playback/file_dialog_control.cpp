#include "playback/file_dialog_control.h"

#include <QFileDialog>
#include <QFileInfo>

QStringList nameFiltersFromDialogFilter(const QString &dialogFilter)
{
    QString text = dialogFilter;
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    if (text.isEmpty())
        return {};
    if (!text.endsWith(QLatin1String("||")))
        text += QLatin1String("||");

    // Pairs run until the empty pair that "||" makes; patterns are separated by ";" there and by
    // spaces in Qt's form.
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        const QString &pattern = parts[i + 1];
        if (description.isEmpty() && pattern.isEmpty())
            break;
        const QString patterns = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters;
}

FileDialogControl::FileDialogControl(QWidget *owner) : m_owner(owner) {}

bool FileDialogControl::runFileDialog()
{
    const FileDialogRequest request{m_dialogType, m_dialogFileName,
                                    nameFiltersFromDialogFilter(m_dialogFilter)};
    const std::optional<QString> chosen = m_runner ? m_runner(request) : showDialog(request);
    if (!chosen || chosen->isEmpty())
        return false;
    m_dialogFileName = *chosen;
    return true;
}

std::optional<QString> FileDialogControl::showDialog(const FileDialogRequest &request) const
{
    QFileDialog dialog(m_owner);
    const bool saving = request.dialogType == 1;
    // Open wants an existing file; save accepts a new name and asks before overwriting one.
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.nameFilters.isEmpty())
        dialog.setNameFilters(request.nameFilters);
    if (!request.initialName.isEmpty()) {
        const QFileInfo initial(request.initialName);
        if (!initial.path().isEmpty() && initial.path() != QLatin1String("."))
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
