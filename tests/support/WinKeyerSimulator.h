#pragma once
// A WinKeyer on the device side of a pseudo-terminal, for tests and for trying a client by
// hand (tests/support/winkeyer_sim_main.cpp prints its device path).  It answers the host
// protocol as a real keyer (WK3, version byte 1F) was recorded to answer it: the version byte
// to host open, the test byte to the echo test, nothing to "get values", a status byte on
// every change of its state and to "request status", the pot byte to "get speed pot".
//
// Bytes reach it at the pace of the line the program set up (1200 baud 8N1: 8.3 ms a byte), as
// they reach a real keyer.
// It keys text at the set speed (a dot is 1200/WPM ms): each element is followed by one
// dot of space, the echo of a character comes when its last element has ended, and two more
// dots of letter space follow; a space keys four dots and is echoed at their end.  Keying
// starts 20 ms (plus the PTT lead-in) after the first byte arrived.  Its buffer sets XOFF at
// 120 waiting bytes and clears it below 100.  A clear stops at once (status C0) but lets the
// character being keyed finish, with its echo.
//
// Timing uses vx::Clock, so on the manual clock a test decides when every step happens.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace vx {
class Timer;
} // namespace vx

namespace vxtest {

class Pty;

class WinKeyerSimulator : public QObject {
    Q_OBJECT
public:
    static constexpr uint8_t Version = 0x1F;
    static constexpr int StartLatencyMs = 20;
    static constexpr int XoffLevel = 120;
    static constexpr int XonLevel = 100;
    static constexpr int PotStepMs = 16;

    // One read from the host or one write to it, at the clock's monotonic time.
    struct Entry {
        qint64 ms = 0;
        bool fromHost = false;
        QByteArray bytes;
    };

    explicit WinKeyerSimulator(QObject* parent = nullptr);
    ~WinKeyerSimulator() override;

    bool ok() const;
    QString portName() const;

    // --- The keyer's state ---
    bool hostOpen() const { return hostOpen_; }
    uint8_t modeRegister() const { return mode_; }
    // The sending speed in WPM (the pot's when the host asked for that).
    int wpm() const;
    int pot() const { return pot_; }
    int potMin() const { return potMin_; }
    bool paused() const { return paused_; }
    // Text bytes that arrived and wait to be keyed.
    int waiting() const { return int(buffer_.size()); }

    // --- Faults ---
    // The answer to the echo test: -1 echoes the test byte, another value is sent instead.
    void setEchoAnswer(int value) { echoAnswer_ = value; }
    // Switched off it reads and ignores everything and sends nothing.
    void setPowered(bool on) { powered_ = on; }
    // Closes the device side: the program's port sees the link gone (and a linked name, see
    // linkAs, disappears with it).
    void closeDevice();
    // Plugged in again: a new device side, in the state of a keyer just switched on, under the
    // linked name when there is one.
    bool reopenDevice();
    // Names the device by a path of the test's choosing (a symbolic link to the pseudo-terminal,
    // which the kernel numbers anew on every reopen), as a USB keyer keeps its device name
    // across being unplugged.  portName() gives the path from then on.
    bool linkAs(const QString& path);
    // Bytes sent to the host as they are.
    void push(const QByteArray& bytes);

    // --- The operator ---
    // Turns the speed pot to a speed: one pot byte (80 + WPM - minimum) per step.
    void turnPot(int wpm);
    // Keys text on the paddle: breaks in (C6), drops what the host queued, echoes the
    // characters when paddle echo is on, a word space at the end, then C4 and C0.
    void paddle(const QString& text);

    // --- Traffic ---
    const QList<Entry>& log() const { return log_; }
    QByteArray received() const; // everything read from the host
    QByteArray sent() const;     // everything written to the host
    void clearLog() { log_.clear(); }
    // Called for every entry as it is logged.
    std::function<void(const Entry&)> onEntry;

private:
    struct Pending {
        double at;
        uint8_t byte;
    };
    enum class Stage { Idle, Starting, Elements, Tail, PaddleEnd };

    void attachDevice();
    void onReadable();
    double lineByteMs() const;
    void onWire();
    void scheduleWire();
    void arrive(uint8_t b);
    void command(const QByteArray& cmd);
    void admin(const QByteArray& cmd);
    void text(uint8_t b);
    void send(const QByteArray& bytes);
    void sendStatus(bool always);
    uint8_t status() const;
    uint8_t potByte(int wpm) const;
    void resetKeyer();
    void stopKeying();
    void updateXoff();
    void startSoon();
    void onKeyTimer();
    void beginCharacter();
    void endElements();
    void schedule(double at);
    double unit() const;
    void onPotTimer();
    void log(bool fromHost, const QByteArray& bytes);

    std::unique_ptr<Pty> pty_;
    QString link_;
    int slaveKeeper_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QList<Entry> log_;

    // The line: bytes read from the pty, each arriving one byte time after the last.
    QList<Pending> wire_;
    double lineFree_ = 0;
    vx::Timer* wireTimer_ = nullptr;
    QByteArray cmd_;

    bool powered_ = true;
    int echoAnswer_ = -1;
    bool hostOpen_ = false;
    bool wk2_ = false;
    uint8_t mode_ = 0;
    int speed_ = 0; // 0: the pot's speed
    int pot_ = 18;
    int potMin_ = 10;
    int potRange_ = 25;
    int leadMs_ = 0;
    bool paused_ = false;
    bool keyImmediate_ = false;
    bool keyBusy_ = false;
    bool xoff_ = false;
    int lastStatus_ = -1;

    // Keying.
    QByteArray buffer_;
    Stage stage_ = Stage::Idle;
    bool sending_ = false;  // the host's text is being sent (busy)
    uint8_t current_ = 0;   // the character being keyed
    bool cut_ = false;      // cleared while keying: no letter space, nothing after it
    bool breakIn_ = false;
    bool paddleBusy_ = false;
    QByteArray paddleText_;
    double nextAt_ = 0;
    vx::Timer* keyTimer_ = nullptr;

    // Pot steps still to report.
    int potTarget_ = 18;
    vx::Timer* potTimer_ = nullptr;
};

} // namespace vxtest
