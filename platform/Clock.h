#pragma once
// One clock for the whole program: UTC time of day, a monotonic millisecond count and
// timers.  Tests switch it to a manual clock, so behaviour that depends on time (poll
// pacing, time-outs, spot ageing) is checked without sleeping.

#include <QDateTime>
#include <QObject>
#include <functional>

class QTimer;

namespace vx {

class Clock {
public:
    // Current time in UTC.
    static QDateTime nowUtc();
    // Milliseconds from an arbitrary fixed start; never goes backwards.
    static qint64 monotonicMs();

    // Manual clock for tests.  Timers started while it is on are driven by advance()
    // instead of the event loop.
    static void useManual(const QDateTime& startUtc = QDateTime(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC));
    static void useSystem();
    static bool isManual();
    static void setUtc(const QDateTime& utc);
    // Moves the manual clock forward, firing every due timer at its own due time, in order.
    static void advance(qint64 ms);
};

// A timer in the style of the program's components: interval, enabled, one handler.
// Setting Enabled to the value it already has changes nothing; changing the interval of a
// running timer restarts it.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);
    Timer(int intervalMs, bool enabled, QObject* parent = nullptr);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool isSingleShot() const { return singleShot_; }
    void setSingleShot(bool on) { singleShot_ = on; }

    bool enabled() const { return active_; }
    void setEnabled(bool on);
    void start() { stop(); setEnabled(true); }
    void stop() { setEnabled(false); }
    bool isActive() const { return active_; }

    std::function<void()> OnTimer;

signals:
    void timeout();

private:
    friend class Clock;
    void arm();
    void disarm();
    void fire();

    int interval_ = 1000;
    bool singleShot_ = false;
    bool active_ = false;
    bool manual_ = false;
    qint64 dueAt_ = 0;
    quint64 seq_ = 0;
    QTimer* qt_ = nullptr;
};

} // namespace vx
