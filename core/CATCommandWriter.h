#pragma once
// The CAT command writer: puts every command the CAT engine sends on the wire.  In the local
// and server roles it writes the command at once to the radio module's CAT port (a closed
// port drops it, a failed write is ignored); in the remote-client role it sends the command to
// the server as an "A0:" line.
//
// "PS1;" (power on) goes to the port twice, 500 ms apart, to wake a radio that is off.  The
// wait is a timer, not a sleep, so the program keeps running meanwhile; commands written
// during the wait follow the second "PS1;" in their order.

#include "core/RCTypes.h"

#include <QObject>
#include <QString>
#include <QStringList>

class TDMRadio;

namespace vx {
class Timer;
} // namespace vx

class TCATCommandWriter : public QObject {
    Q_OBJECT
public:
    static constexpr int PowerOnRepeatMs = 500;

    explicit TCATCommandWriter(TDMRadio* radio, QObject* parent = nullptr);
    ~TCATCommandWriter() override;

    // The handler of the radio module's FT2KCATCommandTXEvent: one command ending in ";".
    void DoCATCommandTX(const QString& Value);

    // Set while the program closes: from then on nothing is written or sent, and a pending
    // second "PS1;" with the commands behind it is dropped.
    bool Shutdown() const { return FShutdown; }
    void SetShutdown(bool value);

    // Between the two "PS1;" writes.
    bool PowerOnPending() const;
    // Raised with true when the wait between the two "PS1;" writes starts and with false when
    // it ends (the main window shows the hourglass meanwhile).
    TSwitchEvent OnBusy;

private:
    void WriteCommand(const QString& Value);
    void WritePort(const QString& Value);
    void DoRepeatTimer();

    TDMRadio* FRadio;
    vx::Timer* FRepeatTimer;
    qint64 FFirstWriteMs = 0;
    QStringList FWaiting;
    bool FShutdown = false;
};
