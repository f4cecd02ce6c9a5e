#pragma once
// A FlexControl tuning knob on the device side of a pseudo-terminal, for tests and for trying
// the knob by hand (vx_flexcontrol_sim).  It sends dial turns and button clicks as the knob
// does ("U;", "D3;", "S;", "X2L;" ...), at once or at a steady rate, and records the commands
// the program writes to it ("F;", the LED commands "I100;" ...).
//
// The program opens portName(): a link that stays the same when the knob is unplugged and
// plugged in again (each time on a new pseudo-terminal), as a real knob keeps its device name.
// Everything runs on the caller's event loop; the steady rate runs on vx::Timer, so the manual
// clock drives it in tests.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace vx {
class Timer;
} // namespace vx

namespace vxtest {

class Pty;

class FlexControlSimulator : public QObject {
    Q_OBJECT
public:
    enum class Button { Knob, AUX1, AUX2, AUX3 };
    enum class Click { Single, Double, Long };

    explicit FlexControlSimulator(QObject* parent = nullptr);
    ~FlexControlSimulator() override;

    // False when no pseudo-terminal or link could be made.
    bool ok() const;
    // The name the program opens (a link to the present device).
    QString portName() const { return FLink; }
    // The pseudo-terminal device behind it; empty while unplugged.
    QString devicePath() const;

    // Unplugging closes the device (the program's port sees the far end go) and removes the
    // link; plugging in makes a new device behind the same link.
    bool plugged() const;
    void unplug();
    bool plug();

    // Dial turned by `steps` (negative: down), one single-step event per step, in one write.
    void turn(int steps);
    // One event carrying a step count: "U5;" or "D5;".
    void turnBy(int count);
    void click(Button button, Click kind);
    // Any bytes, as a faulty or foreign device would send them.
    void send(const QByteArray& bytes);

    // A steady turn: every periodMs, eventsPerPeriod single-step events (negative: down);
    // 0 stops.
    void setRate(int eventsPerPeriod, int periodMs = 250);
    // Single-step events sent so far by turn() and setRate(); turnBy() counts its count.
    int stepsSent() const { return FStepsSent; }

    // Every command received, without its ";", in order.
    QStringList commands() const { return FCommands; }
    void clearCommands() { FCommands.clear(); }
    // The LED commands among them ("I100" ...).
    QStringList ledCommands() const;
    // The LEDs as the last LED command left them ("100": AUX1 lit); empty before any.
    QString leds() const { return FLEDs; }

    // Called with each command received (the program by hand prints them).
    std::function<void(const QString&)> OnCommand;

private:
    void onReadable();
    void rateTick();

    QTemporaryDir FDir;
    QString FLink;
    std::unique_ptr<Pty> FPty;
    int FSlaveKeeper = -1;
    QSocketNotifier* FNotifier = nullptr;
    QByteArray FPending;
    QStringList FCommands;
    QString FLEDs;
    vx::Timer* FRateTimer;
    int FRate = 0;
    int FStepsSent = 0;
};

} // namespace vxtest
