#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace vx {

namespace {

struct ClockState {
    QMutex mutex;
    bool manual = false;
    qint64 manualMs = 0;      // monotonic time of the manual clock
    QDateTime manualUtcBase;  // UTC at manualMs == 0
    std::vector<Timer*> timers; // active manual timers
    quint64 nextSeq = 0;
};

ClockState& state()
{
    static ClockState s;
    return s;
}

QElapsedTimer& systemElapsed()
{
    static QElapsedTimer t = [] {
        QElapsedTimer e;
        e.start();
        return e;
    }();
    return t;
}

} // namespace

QDateTime Clock::nowUtc()
{
    auto& s = state();
    QMutexLocker lock(&s.mutex);
    if (s.manual)
        return s.manualUtcBase.addMSecs(s.manualMs);
    return QDateTime::currentDateTimeUtc();
}

qint64 Clock::monotonicMs()
{
    auto& s = state();
    QMutexLocker lock(&s.mutex);
    if (s.manual)
        return s.manualMs;
    return systemElapsed().elapsed();
}

void Clock::useManual(const QDateTime& startUtc)
{
    auto& s = state();
    QMutexLocker lock(&s.mutex);
    s.manual = true;
    s.manualMs = 0;
    s.manualUtcBase = startUtc.toUTC();
    s.timers.clear();
}

void Clock::useSystem()
{
    auto& s = state();
    std::vector<Timer*> left;
    {
        QMutexLocker lock(&s.mutex);
        s.manual = false;
        left.swap(s.timers);
    }
    for (Timer* t : left) {
        t->active_ = false;
        t->manual_ = false;
    }
}

bool Clock::isManual()
{
    auto& s = state();
    QMutexLocker lock(&s.mutex);
    return s.manual;
}

void Clock::setUtc(const QDateTime& utc)
{
    auto& s = state();
    QMutexLocker lock(&s.mutex);
    s.manualUtcBase = utc.toUTC().addMSecs(-s.manualMs);
}

void Clock::advance(qint64 ms)
{
    auto& s = state();
    qint64 target;
    {
        QMutexLocker lock(&s.mutex);
        if (!s.manual)
            return;
        target = s.manualMs + ms;
    }
    for (;;) {
        Timer* next = nullptr;
        {
            QMutexLocker lock(&s.mutex);
            for (Timer* t : s.timers) {
                if (t->dueAt_ > target)
                    continue;
                if (!next || t->dueAt_ < next->dueAt_ || (t->dueAt_ == next->dueAt_ && t->seq_ < next->seq_))
                    next = t;
            }
            if (!next) {
                s.manualMs = target;
                return;
            }
            s.manualMs = std::max(s.manualMs, next->dueAt_);
            if (next->singleShot_) {
                next->active_ = false;
                s.timers.erase(std::find(s.timers.begin(), s.timers.end(), next));
            } else {
                next->dueAt_ += std::max(1, next->interval_);
                next->seq_ = s.nextSeq++;
            }
        }
        next->fire();
    }
}

Timer::Timer(QObject* parent)
    : QObject(parent)
{
}

Timer::Timer(int intervalMs, bool enabled, QObject* parent)
    : QObject(parent)
    , interval_(intervalMs)
{
    setEnabled(enabled);
}

Timer::~Timer()
{
    disarm();
}

void Timer::setInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    if (active_) {
        disarm();
        arm();
    }
}

void Timer::setEnabled(bool on)
{
    if (on == active_)
        return;
    if (on)
        arm();
    else
        disarm();
}

void Timer::arm()
{
    auto& s = state();
    {
        QMutexLocker lock(&s.mutex);
        manual_ = s.manual;
        if (manual_) {
            dueAt_ = s.manualMs + std::max(1, interval_);
            seq_ = s.nextSeq++;
            s.timers.push_back(this);
            active_ = true;
            return;
        }
    }
    if (!qt_) {
        qt_ = new QTimer(this);
        qt_->setTimerType(Qt::PreciseTimer);
        connect(qt_, &QTimer::timeout, this, [this] {
            if (singleShot_) {
                active_ = false;
                qt_->stop();
            }
            fire();
        });
    }
    qt_->setInterval(interval_);
    qt_->start();
    active_ = true;
}

void Timer::disarm()
{
    if (!active_)
        return;
    active_ = false;
    if (manual_) {
        auto& s = state();
        QMutexLocker lock(&s.mutex);
        auto it = std::find(s.timers.begin(), s.timers.end(), this);
        if (it != s.timers.end())
            s.timers.erase(it);
    } else if (qt_) {
        qt_->stop();
    }
}

void Timer::fire()
{
    if (OnTimer)
        OnTimer();
    emit timeout();
}

} // namespace vx
