#pragma once
// The selector of a serial port or of a baud rate on every settings page that chooses one
// (radio CAT port, WinKeyer, microHAM router, PTT port, FlexControl).
//
// As a baud selector it is a fixed list of the rates 1200 … 256000.  As a port selector it
// lists the machine's serial devices after one empty entry ("no port"), and also takes a
// device path typed by hand: pseudo-terminals and devices that are not plugged in right now are
// not listed, and a stored port that is absent stays the selector's text, so that pressing OK
// on a settings dialog never erases a port only because its adapter is unplugged.  Port names
// keep their case (/dev/ttyUSB0).

#include <QComboBox>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

enum TCOMPortProperty : uint8_t { cpBaudrate, cpPort };

// The serial-port baud rates by name.
enum TBaudRate : uint8_t {
    brCustom, br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000,
    br57600, br115200, br128000, br256000
};

// Bits per second of a rate; 0 for brCustom.
int32_t BaudRateValue(TBaudRate rate);
// The rate of a number of bits per second; none for a number that is no rate of the list.
std::optional<TBaudRate> BaudRateOf(int32_t value);

class TCOMPortComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TCOMPortComboBox(QWidget* parent = nullptr);

    TCOMPortProperty COMPortProperty() const { return FCOMPortProperty; }
    // Stores the kind and fills the list anew; the current rate or port stays selected.
    void SetCOMPortProperty(TCOMPortProperty value);

    // The selected rate; the stored one while nothing is selected or the list offers ports.
    TBaudRate COMBaudrate() const;
    // Selects the rate (nothing when the list does not offer it) and stores it; ignored by a
    // port list.
    void SetCOMBaudrate(TBaudRate value);

    // The selected or typed port; the stored one while the list offers rates.
    QString COMPort() const;
    // Selects the port when listed, otherwise keeps it as typed text; an empty name selects the
    // empty entry.  Ignored by a baud list.
    void SetCOMPort(const QString& value);

    // The entry shown; empty when nothing is selected.
    QString Text() const;
    // Selects the entry equal to the text; nothing changes when there is none.
    void SetText(const QString& value);

    // The entries offered, in list order.
    QStringList Items() const { return FItems; }

    // Where the port list comes from (the machine's devices unless a test sets another source;
    // an empty function restores the machine's).
    static void SetPortSource(std::function<QStringList()> source);

private:
    void Fill();

    TCOMPortProperty FCOMPortProperty = cpBaudrate;
    TBaudRate FBaudrate = br4800;
    QStringList FItems;
    QString FPort;
};
