#include "cutting/cut_saving.h"

#include "cutting/base_name.h"
#include "cutting/byte_range.h"
#include "cutting/desktop_folder.h"
#include "cutting/file_bytes.h"
#include "playback/file_dialog_control.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

constexpr int saveDialogType = 1;

}

CutSaving::CutSaving(const CutState &state, QLineEdit *pathBox, QPushButton *saveButton,
                     FileDialogControl &dialog, QWidget *window, QObject *parent)
    : QObject(parent), m_state(state), m_pathBox(pathBox), m_dialog(dialog),
      m_desktopLocation(standardDesktopLocation),
      m_warn([window](const QString &text) {
          QMessageBox::warning(window, QStringLiteral("保存"), text);
      })
{
    connect(saveButton, &QPushButton::clicked, this, &CutSaving::saveCut);
}

void CutSaving::saveCut()
{
    const QString sourcePath = m_pathBox->text();

    // Problems are told before the dialog: nobody should pick a name for nothing.
    const qint64 count = m_state.cutEndOffset - m_state.cutStartOffset;
    if (count <= 0) {
        m_warn(QStringLiteral("未保存：结束位置不在起始位置之后。"));
        return;
    }
    // Only the marked range is read, and before the dialog, so the source itself can be chosen
    // as the target. A source that shrank since it was marked cannot give the marked range.
    const std::optional<QByteArray> cut =
        readFileRange(sourcePath, requestedRange(m_state.cutStartOffset, count));
    if (!cut) {
        m_warn(QStringLiteral("未保存：无法读取源文件中标记的片段。"));
        return;
    }

    m_dialog.setDialogFileName(desktopFolderPath(m_desktopLocation) + baseNameOfPath(sourcePath)
                               + QStringLiteral("_cut.mp3"));
    m_dialog.setDialogType(saveDialogType);
    if (!m_dialog.runFileDialog())
        return;
    if (!writeFileBytes(m_dialog.dialogFileName(), *cut))
        m_warn(QStringLiteral("未保存：无法写入目标文件。"));
}
