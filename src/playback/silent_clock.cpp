#include "playback/silent_clock.h"

void SilentClock::start()
{
    m_beforePauseMs = 0;
    m_paused = false;
    m_runningFor.start();
}

void SilentClock::pause()
{
    if (m_paused)
        return;
    m_beforePauseMs += m_runningFor.elapsed();
    m_paused = true;
}

void SilentClock::resume()
{
    if (!m_paused)
        return;
    m_paused = false;
    m_runningFor.start();
}

qint64 SilentClock::elapsedMs() const
{
    if (m_paused || !m_runningFor.isValid())
        return m_beforePauseMs;
    return m_beforePauseMs + m_runningFor.elapsed();
}
