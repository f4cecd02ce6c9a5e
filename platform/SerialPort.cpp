#include "platform/SerialPort.h"

#include <QPointer>
#include <QSerialPort>
#include <QSerialPortInfo>

namespace vx {

SerialPort::SerialPort(QObject* parent)
    : QObject(parent)
    , sp_(new QSerialPort(this))
{
    connect(sp_, &QSerialPort::readyRead, this, [this] {
        const qint64 n = sp_->bytesAvailable();
        if (n > 0 && OnRxChar)
            OnRxChar(int(qMin<qint64>(n, 1 << 30)));
    });
    connect(sp_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) { handleError(int(e)); });
}

SerialPort::~SerialPort()
{
    // No events from a dying object.
    OnAfterClose = nullptr;
    OnRxChar = nullptr;
    OnError = nullptr;
    if (sp_->isOpen())
        sp_->close();
}

void SerialPort::setPort(const QString& name)
{
    port_ = name;
}

void SerialPort::setBaudRate(qint32 baud)
{
    baud_ = baud;
    if (sp_->isOpen())
        sp_->setBaudRate(baud_);
}

void SerialPort::setDataBits(int bits)
{
    dataBits_ = bits;
    if (sp_->isOpen())
        applySettings();
}

void SerialPort::setParity(Parity p)
{
    parity_ = p;
    if (sp_->isOpen())
        applySettings();
}

void SerialPort::setStopBits(StopBits s)
{
    stopBits_ = s;
    if (sp_->isOpen())
        applySettings();
}

void SerialPort::setFlowControl(FlowControl f)
{
    flow_ = f;
    if (sp_->isOpen())
        applySettings();
}

bool SerialPort::setRts(bool on)
{
    rts_ = on;
    if (!sp_->isOpen() || flow_ == FlowControl::Hardware)
        return true;
    if (sp_->setRequestToSend(on))
        return true;
    lastError_ = sp_->errorString();
    sp_->clearError();
    return false;
}

bool SerialPort::setDtr(bool on)
{
    dtr_ = on;
    if (!sp_->isOpen())
        return true;
    if (sp_->setDataTerminalReady(on))
        return true;
    lastError_ = sp_->errorString();
    sp_->clearError();
    return false;
}

void SerialPort::applySettings()
{
    sp_->setBaudRate(baud_);
    sp_->setDataBits(dataBits_ == 5 ? QSerialPort::Data5
                     : dataBits_ == 6 ? QSerialPort::Data6
                     : dataBits_ == 7 ? QSerialPort::Data7
                                      : QSerialPort::Data8);
    static const QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity, QSerialPort::EvenParity,
                                                   QSerialPort::MarkParity, QSerialPort::SpaceParity};
    sp_->setParity(parities[int(parity_)]);
    static const QSerialPort::StopBits stops[] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop, QSerialPort::TwoStop};
    sp_->setStopBits(stops[int(stopBits_)]);
    static const QSerialPort::FlowControl flows[] = {QSerialPort::NoFlowControl, QSerialPort::HardwareControl,
                                                     QSerialPort::SoftwareControl};
    sp_->setFlowControl(flows[int(flow_)]);
    sp_->clearError();
}

bool SerialPort::open()
{
    if (sp_->isOpen())
        return true;
    if (port_.isEmpty()) {
        lastError_ = tr("No serial port name");
        return false;
    }
    sp_->setPortName(port_);
    applySettings();
    if (!sp_->open(QIODevice::ReadWrite)) {
        lastError_ = sp_->errorString();
        sp_->clearError();
        return false;
    }
    applySettings();
    lost_ = false;
    // Modem-line failures (a pseudo-terminal has none) leave the port usable.
    if (flow_ != FlowControl::Hardware)
        setRts(rts_);
    setDtr(dtr_);
    lastError_.clear();
    if (OnAfterOpen)
        OnAfterOpen();
    return true;
}

void SerialPort::close()
{
    closePort(false);
}

void SerialPort::closePort(bool lost)
{
    if (!sp_->isOpen())
        return;
    lost_ = lost;
    sp_->close();
    sp_->clearError();
    if (OnAfterClose)
        OnAfterClose();
}

bool SerialPort::connected() const
{
    return sp_->isOpen();
}

QByteArray SerialPort::read(int count)
{
    if (!sp_->isOpen() || count <= 0)
        return {};
    return sp_->read(count);
}

QString SerialPort::readStr(int count)
{
    return QString::fromLatin1(read(count));
}

qint64 SerialPort::write(const QByteArray& bytes)
{
    if (!sp_->isOpen())
        return -1;
    const qint64 n = sp_->write(bytes);
    if (n < 0)
        return -1;
    // Out to the device now, not on the next turn of the event loop.
    sp_->flush();
    return n;
}

QStringList SerialPort::availablePorts()
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.systemLocation();
    names.sort();
    names.removeDuplicates();
    return names;
}

qint64 SerialPort::writeStr(const QString& text)
{
    return write(text.toLatin1());
}

void SerialPort::handleError(int error)
{
    const auto e = QSerialPort::SerialPortError(error);
    if (e == QSerialPort::NoError)
        return;
    lastError_ = sp_->errorString();
    if (e == QSerialPort::UnsupportedOperationError) {
        sp_->clearError();
        return;
    }
    if (OnError)
        OnError(lastError_);
    // A vanished device or a closed far end: the link is gone, close it (outside the
    // device's own notification).
    if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError || e == QSerialPort::WriteError) {
        QPointer<SerialPort> self(this);
        QMetaObject::invokeMethod(this, [self] {
            if (self)
                self->closePort(true);
        }, Qt::QueuedConnection);
    }
}

} // namespace vx
