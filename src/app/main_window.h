#pragma once

#include "cutting/cut_marking.h"
#include "cutting/cut_saving.h"
#include "cutting/cut_state.h"
#include "playback/file_dialog_control.h"
#include "playback/media_player.h"
#include "playback/playback_control.h"
#include "playback/transport_buttons.h"
#include "app/window_chrome.h"

#include <QTimer>
#include <QWidget>

class CanvasWidget;
class DrawingSurface;
class QLineEdit;
class QPushButton;
class TimelineRuler;

// The one window: a frameless 310 × 354 canvas with the path box and the three cutting buttons
// on it, and the timer, player and file dialog behind it.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(TimelineRuler &ruler, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Paints the skin, shows the window, and makes what it shows the canvas's background before
    // the ruler and the buttons are drawn over it.
    void onMainWindowCreated();
    void setRoundedRegion(int cornerSize);

    CanvasWidget &canvasWidget() { return *m_canvas; }
    DrawingSurface &canvas();
    QLineEdit &pathBox() { return *m_pathBox; }
    QPushButton &startButton() { return *m_startButton; }
    QPushButton &endButton() { return *m_endButton; }
    QPushButton &saveButton() { return *m_saveButton; }
    QTimer &clock() { return m_clock; }
    MediaPlayer &player() { return m_player; }
    FileDialogControl &dialog() { return m_dialog; }
    PlaybackControl &playback() { return m_playback; }
    TransportButtons &transportButtons() { return m_transportButtons; }
    WindowChrome &chrome() { return m_chrome; }
    CutState &cutState() { return m_cutState; }
    CutMarking &cutMarking() { return m_cutMarking; }
    CutSaving &cutSaving() { return m_cutSaving; }

private:
    QPushButton *makeButton(const QString &objectName, const QString &caption, int top);

    TimelineRuler &m_ruler;
    CanvasWidget *m_canvas;
    QLineEdit *m_pathBox;
    QPushButton *m_startButton;
    QPushButton *m_endButton;
    QPushButton *m_saveButton;
    QTimer m_clock;
    MediaPlayer m_player;
    FileDialogControl m_dialog;
    PlaybackControl m_playback;
    TransportButtons m_transportButtons;
    WindowChrome m_chrome;
    CutState m_cutState;
    CutMarking m_cutMarking;
    CutSaving m_cutSaving;
};

// The diagonal blue skin with its thin black border along rows 0 and height − 2 and columns 0
// and width − 2.
void paintBackground(DrawingSurface &canvas);
