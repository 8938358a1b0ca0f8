#pragma once

#include <QElapsedTimer>

// Counts the milliseconds a playback would have been heard when there is no audio output:
// it runs from start(), stands still between pause() and resume().
class SilentClock
{
public:
    void start();
    void pause();
    void resume();
    qint64 elapsedMs() const;

private:
    QElapsedTimer m_runningFor;
    qint64 m_beforePauseMs = 0;
    bool m_paused = false;
};
