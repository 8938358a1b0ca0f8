#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

// Lets events run until `condition` holds or a generous deadline passes: tests that involve
// real time wait on what they expect, never on a fixed sleep, so a loaded machine only slows them.
inline bool waitFor(const std::function<bool()> &condition, int timeoutMs = 20000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
