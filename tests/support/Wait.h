#pragma once
// Runs the event loop until a condition holds or a time-out passes.

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

} // namespace vxtest
