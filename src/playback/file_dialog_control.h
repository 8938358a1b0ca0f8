#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// What one run of the file dialog is asked to show.
struct FileDialogRequest
{
    int dialogType = 0;      // 0 open, 1 save
    QString initialName;     // a full path gives the initial folder and the name
    QStringList nameFilters; // Qt's form, "MP3 (*.mp3)"; empty shows every file
};

// "MP3|*.mp3" holds description and pattern pairs joined by bars; Qt writes them "MP3 (*.mp3)".
QStringList nameFiltersFromDialogFilter(const QString &dialogFilter);

// The window's file dialog: settings that keep their values between runs, and one call that
// shows the open or save dialog modal to the window.
class FileDialogControl
{
public:
    // Answers a request with the chosen full path, or nothing on cancel.
    using Runner = std::function<std::optional<QString>(const FileDialogRequest &)>;

    explicit FileDialogControl(QWidget *owner);

    int dialogType() const { return m_dialogType; }
    void setDialogType(int type) { m_dialogType = type; }
    QString dialogFileName() const { return m_dialogFileName; }
    void setDialogFileName(const QString &name) { m_dialogFileName = name; }
    QString dialogFilter() const { return m_dialogFilter; }
    void setDialogFilter(const QString &filter) { m_dialogFilter = filter; }

    // True on OK, with the chosen path in dialogFileName; false on cancel, leaving it as it was.
    bool runFileDialog();

    // Tests answer the dialog themselves; production shows Qt's dialog.
    void setRunner(Runner runner) { m_runner = std::move(runner); }

private:
    std::optional<QString> showDialog(const FileDialogRequest &request) const;

    QWidget *m_owner;
    int m_dialogType = 0;
    QString m_dialogFileName;
    QString m_dialogFilter;
    Runner m_runner;
};
