#include "core/CATCommandWriter.h"

#include "core/DMRadio.h"
#include "core/RemoteLinks.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <QMutexLocker>

namespace {

const QString PowerOn = QStringLiteral("PS1;");

} // namespace

TCATCommandWriter::TCATCommandWriter(TDMRadio* radio, QObject* parent)
    : QObject(parent)
    , FRadio(radio)
    , FRepeatTimer(new vx::Timer(PowerOnRepeatMs, false, this))
{
    FRepeatTimer->setSingleShot(true);
    FRepeatTimer->OnTimer = [this] { DoRepeatTimer(); };
}

TCATCommandWriter::~TCATCommandWriter()
{
    FRepeatTimer->stop();
}

bool TCATCommandWriter::PowerOnPending() const
{
    return FRepeatTimer->isActive();
}

void TCATCommandWriter::SetShutdown(bool value)
{
    FShutdown = value;
    if (value && FRepeatTimer->isActive()) {
        FRepeatTimer->stop();
        FWaiting.clear();
        Fire(OnBusy, false);
    }
}

void TCATCommandWriter::DoCATCommandTX(const QString& Value)
{
    if (FShutdown || !FRadio)
        return;
    if (FRadio->ApplicationType() == isRemoteClient) {
        if (TRemoteClientLink* client = FRadio->Client())
            client->Send(QStringLiteral("A0:") + Value);
        return;
    }
    if (FRepeatTimer->isActive()) {
        FWaiting << Value;
        return;
    }
    WriteCommand(Value);
}

void TCATCommandWriter::WriteCommand(const QString& Value)
{
    if (Value != PowerOn) {
        WritePort(Value);
        return;
    }
    // A closed port drops the power-on pair like any other command.
    if (!FRadio->RadioComPort()->connected())
        return;
    WritePort(PowerOn);
    FFirstWriteMs = vx::Clock::monotonicMs();
    FRepeatTimer->setInterval(PowerOnRepeatMs);
    FRepeatTimer->start();
    Fire(OnBusy, true);
}

void TCATCommandWriter::WritePort(const QString& Value)
{
    vx::SerialPort* port = FRadio->RadioComPort();
    // One whole command under the lock the remote server's relay takes too.
    QMutexLocker lock(&FRadio->RadioComPortLock());
    if (port->connected())
        port->writeStr(Value); // a failed write is dropped: the engine's polling catches up
}

void TCATCommandWriter::DoRepeatTimer()
{
    // A timer may come back a fraction early; the radio needs the full pause.
    const qint64 left = FFirstWriteMs + PowerOnRepeatMs - vx::Clock::monotonicMs();
    if (left > 0) {
        FRepeatTimer->setInterval(int(left));
        FRepeatTimer->start();
        return;
    }
    WritePort(PowerOn);
    Fire(OnBusy, false);
    // The commands that came meanwhile, in their order; another "PS1;" among them starts a
    // new pair and keeps the rest waiting behind it.
    while (!FWaiting.isEmpty() && !FRepeatTimer->isActive())
        WriteCommand(FWaiting.takeFirst());
}
