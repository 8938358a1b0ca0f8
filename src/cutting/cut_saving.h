#pragma once

#include "cutting/cut_state.h"
#include "cutting/desktop_folder.h"

#include <QObject>
#include <QString>

#include <functional>

class FileDialogControl;
class QLineEdit;
class QPushButton;
class QWidget;

// Saves the marked byte range of the loaded file, unchanged, under a name chosen in the save
// dialog (proposed on the desktop as "<base name>_cut.mp3"). A save that cannot produce the marked
// range is told to the user in one message and creates or changes no file. Clicks on the save
// button are connected here; the button stays enabled so the range can be saved again.
class CutSaving : public QObject
{
    Q_OBJECT

public:
    using WarningSink = std::function<void(const QString &text)>;

    // Warnings go to a message box parented to `window`; the desktop folder is the user's.
    CutSaving(const CutState &state, QLineEdit *pathBox, QPushButton *saveButton,
              FileDialogControl &dialog, QWidget *window, QObject *parent = nullptr);

    // Seams for tests: another desktop location, and warnings captured instead of shown.
    void setDesktopLocationLookup(DesktopLocationLookup lookup)
    {
        m_desktopLocation = std::move(lookup);
    }
    void setWarningSink(WarningSink sink) { m_warn = std::move(sink); }

    void saveCut();

private:
    const CutState &m_state;
    QLineEdit *m_pathBox;
    FileDialogControl &m_dialog;
    DesktopLocationLookup m_desktopLocation;
    WarningSink m_warn;
};
