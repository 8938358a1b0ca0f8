#pragma once

#include <QObject>
#include <QtGlobal>

class DrawingSurface;
class FileDialogControl;
class MediaPlayer;
class QLineEdit;
class QPushButton;
class QTimer;
class TimelineRuler;

// A period above 0 (re)starts the timer; 0 or less stops it; writing the period it already runs
// with changes nothing, so a running second is not restarted.
void setTimerPeriod(QTimer &timer, int periodMs);

// What the transport buttons, a press on the ruler strip and the clock's ticks do: load one MP3,
// play, pause, stop and seek it, and keep the cursor and the position clock in step.
class PlaybackControl : public QObject
{
    Q_OBJECT

public:
    // The controls of the window it reads and writes; all outlive this object.
    struct Controls
    {
        DrawingSurface &canvas;
        TimelineRuler &ruler;
        MediaPlayer &player;
        FileDialogControl &dialog;
        QLineEdit &pathBox;
        QPushButton &startButton;
        QTimer &clock;
    };

    enum Button { PlayLoad = 1, Pause = 2, Stop = 3 };

    explicit PlaybackControl(const Controls &controls, QObject *parent = nullptr);

    // Runs the action of a released transport button. False only when the open dialog was
    // cancelled: the release then ends without touching the close button.
    bool runButtonAction(int button);

    bool playLoadAction();
    void pauseAction();
    void stopAction();
    void seekStep(int x, int y);
    void timerTick();

    // Bytes of the file loaded from the open dialog; 0 before a load or when it can't be read.
    qint64 sourceFileSize() const { return m_sourceFileSize; }

private:
    bool loadFromDialog();
    void play();
    int clockLeft() const;

    Controls m_controls;
    qint64 m_sourceFileSize = 0;
};
