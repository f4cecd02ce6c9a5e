#pragma once
// The serial port whose RTS and DTR lines key the transmitter.  The audio server drives it
// through this small interface, so that the switching of the lines can be checked on a
// stand-in: a pseudo-terminal opens like a real port but cannot switch modem lines.

#include <QString>
#include <functional>

namespace vx {
class SerialPort;
}

class TPTTPort {
public:
    virtual ~TPTTPort() = default;

    virtual QString Port() const = 0;
    virtual void SetPort(const QString& Name) = 0;
    // False with LastError() when the port cannot be opened.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool Connected() const = 0;
    // False when the line could not be switched (the port stays usable).
    virtual bool SetRTS(bool On) = 0;
    virtual bool SetDTR(bool On) = 0;
    virtual QString LastError() const = 0;

    // The port closed without a Close() call (the device went away).
    std::function<void()> OnLost;
};

// The real port: 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control.
class TSerialPTTPort : public TPTTPort {
public:
    TSerialPTTPort();
    ~TSerialPTTPort() override;

    QString Port() const override;
    void SetPort(const QString& Name) override;
    bool Open() override;
    void Close() override;
    bool Connected() const override;
    bool SetRTS(bool On) override;
    bool SetDTR(bool On) override;
    QString LastError() const override;

    vx::SerialPort* SerialPort() const { return FPort; }

private:
    vx::SerialPort* FPort;
    bool FClosing = false;
};
