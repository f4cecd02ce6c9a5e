#include "controls/widgets/COMPortComboBox.h"

#include "platform/SerialPort.h"

#include <QCompleter>
#include <QLineEdit>

namespace {

constexpr int32_t Rates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                             14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};

// The rates a baud list offers.
constexpr TBaudRate FirstListed = br1200;
constexpr TBaudRate LastListed = br256000;

std::function<QStringList()>& PortSource()
{
    static std::function<QStringList()> source;
    return source;
}

} // namespace

int32_t BaudRateValue(TBaudRate rate)
{
    return rate <= br256000 ? Rates[rate] : 0;
}

std::optional<TBaudRate> BaudRateOf(int32_t value)
{
    for (int r = br110; r <= br256000; ++r)
        if (Rates[r] == value)
            return TBaudRate(r);
    return std::nullopt;
}

void TCOMPortComboBox::SetPortSource(std::function<QStringList()> source)
{
    PortSource() = std::move(source);
}

TCOMPortComboBox::TCOMPortComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setInsertPolicy(QComboBox::NoInsert);
    Fill();
}

void TCOMPortComboBox::SetCOMPortProperty(TCOMPortProperty value)
{
    FCOMPortProperty = value;
    Fill();
}

void TCOMPortComboBox::Fill()
{
    FItems.clear();
    if (FCOMPortProperty == cpBaudrate) {
        for (int r = FirstListed; r <= LastListed; ++r)
            FItems << QString::number(Rates[r]);
    } else {
        FItems << QString();
        FItems << (PortSource() ? PortSource()() : vx::SerialPort::availablePorts());
    }
    const bool blocked = blockSignals(true);
    // A port may be typed in; a rate may only be chosen.
    setEditable(FCOMPortProperty == cpPort);
    // Completing a typed name must not change its case: /dev/ttyusb0 is not /dev/ttyUSB0.
    if (completer())
        completer()->setCaseSensitivity(Qt::CaseSensitive);
    clear();
    addItems(FItems);
    blockSignals(blocked);
    if (FCOMPortProperty == cpBaudrate)
        SetCOMBaudrate(FBaudrate);
    else
        SetCOMPort(FPort);
}

TBaudRate TCOMPortComboBox::COMBaudrate() const
{
    if (FCOMPortProperty == cpBaudrate && currentIndex() >= 0)
        return TBaudRate(FirstListed + currentIndex());
    return FBaudrate;
}

void TCOMPortComboBox::SetCOMBaudrate(TBaudRate value)
{
    if (FCOMPortProperty != cpBaudrate)
        return;
    FBaudrate = value;
    setCurrentIndex(value >= FirstListed && value <= LastListed ? value - FirstListed : -1);
}

QString TCOMPortComboBox::COMPort() const
{
    if (FCOMPortProperty == cpPort)
        return currentText().trimmed();
    return FPort;
}

void TCOMPortComboBox::SetCOMPort(const QString& value)
{
    if (FCOMPortProperty != cpPort)
        return;
    const QString name = value.trimmed();
    FPort = name;
    const int index = name.isEmpty() ? 0 : int(FItems.indexOf(name));
    if (index >= 0) {
        setCurrentIndex(index);
    } else {
        // Not plugged in now, or a device the machine does not list: kept as it is.
        setCurrentIndex(-1);
        setEditText(name);
    }
}

QString TCOMPortComboBox::Text() const
{
    return currentText();
}

void TCOMPortComboBox::SetText(const QString& value)
{
    const int index = int(FItems.indexOf(value));
    if (index >= 0)
        setCurrentIndex(index);
}
