#include "remote/PTTPort.h"

#include "platform/SerialPort.h"

TSerialPTTPort::TSerialPTTPort()
    : FPort(new vx::SerialPort)
{
    FPort->setBaudRate(9600);
    FPort->setDataBits(8);
    FPort->setParity(vx::SerialPort::Parity::None);
    FPort->setStopBits(vx::SerialPort::StopBits::One);
    FPort->setFlowControl(vx::SerialPort::FlowControl::None);
    FPort->OnAfterClose = [this] {
        if (!FClosing && OnLost)
            OnLost();
    };
}

TSerialPTTPort::~TSerialPTTPort()
{
    FPort->OnAfterClose = nullptr;
    delete FPort;
}

QString TSerialPTTPort::Port() const
{
    return FPort->port();
}

void TSerialPTTPort::SetPort(const QString& Name)
{
    FPort->setPort(Name);
}

bool TSerialPTTPort::Open()
{
    return FPort->open();
}

void TSerialPTTPort::Close()
{
    FClosing = true;
    FPort->close();
    FClosing = false;
}

bool TSerialPTTPort::Connected() const
{
    return FPort->connected();
}

bool TSerialPTTPort::SetRTS(bool On)
{
    return FPort->setRts(On);
}

bool TSerialPTTPort::SetDTR(bool On)
{
    return FPort->setDtr(On);
}

QString TSerialPTTPort::LastError() const
{
    return FPort->lastError();
}
