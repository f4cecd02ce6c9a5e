#pragma once
// Runs the event loop until a condition holds or a time-out passes; on the manual clock,
// runUntil and run step the clock 1 ms at a time with the event loop carrying pty and socket
// traffic between the steps.

#include "platform/Clock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace vxtest {

template <typename Pred>
bool waitUntil(Pred pred, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

inline void spin(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

// Runs the manual clock 1 ms at a time until pred holds (checked before each step) or maxMs
// have passed; true when pred held.
template <typename Pred>
bool runUntil(Pred pred, int maxMs)
{
    for (int t = 0;; ++t) {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        if (pred())
            return true;
        if (t >= maxMs)
            return false;
        vx::Clock::advance(1);
    }
}

inline void run(int ms)
{
    runUntil([] { return false; }, ms);
}

} // namespace vxtest
