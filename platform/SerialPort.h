#pragma once
// The serial port the radio, keyer, router, knob and PTT modules bind to: name, line
// settings and modem lines; open, close, read and write; events after open, after close,
// on received characters and on errors.  Runs on the thread that owns it (the GUI thread).

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QSerialPort;

namespace vx {

class SerialPort : public QObject {
    Q_OBJECT
public:
    enum class Parity { None, Odd, Even, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };
    enum class FlowControl { None, Hardware, Software };

    explicit SerialPort(QObject* parent = nullptr);
    ~SerialPort() override;

    // Port name as the user gave it (a device path such as /dev/ttyUSB0); case is kept.
    QString port() const { return port_; }
    void setPort(const QString& name);
    qint32 baudRate() const { return baud_; }
    void setBaudRate(qint32 baud);
    int dataBits() const { return dataBits_; }
    void setDataBits(int bits);
    Parity parity() const { return parity_; }
    void setParity(Parity p);
    StopBits stopBits() const { return stopBits_; }
    void setStopBits(StopBits s);
    FlowControl flowControl() const { return flow_; }
    void setFlowControl(FlowControl f);

    // Modem lines.  A device that cannot switch them (a pseudo-terminal) keeps working:
    // the failure is remembered in lastError() and false is returned.
    bool rts() const { return rts_; }
    bool setRts(bool on);
    bool dtr() const { return dtr_; }
    bool setDtr(bool on);

    // Opens the port with the current settings; false with lastError() on failure.
    bool open();
    void close();
    bool connected() const;
    // Whether the port last closed because the device failed (it vanished, a read or a write
    // failed) rather than by close(); its owner may then want it back.  Cleared by open().
    bool lost() const { return lost_; }

    // Reads at most count bytes that are waiting; text is Latin-1, one char per byte.
    QString readStr(int count);
    QByteArray read(int count);
    // Writes at once; returns the number of bytes handed to the device, -1 when closed or failed.
    qint64 writeStr(const QString& text);
    qint64 write(const QByteArray& bytes);

    QString lastError() const { return lastError_; }

    // The serial devices the machine lists, as device paths sorted by name.  Pseudo-terminals
    // are not among them.
    static QStringList availablePorts();

    std::function<void()> OnAfterOpen;
    std::function<void()> OnAfterClose;
    std::function<void(int count)> OnRxChar;
    std::function<void(const QString& message)> OnError;

private:
    void applySettings();
    void handleError(int error);
    void closePort(bool lost);

    QSerialPort* sp_ = nullptr;
    QString port_;
    qint32 baud_ = 9600;
    int dataBits_ = 8;
    Parity parity_ = Parity::None;
    StopBits stopBits_ = StopBits::One;
    FlowControl flow_ = FlowControl::None;
    bool rts_ = false;
    bool dtr_ = false;
    bool lost_ = false;
    QString lastError_;
};

} // namespace vx
