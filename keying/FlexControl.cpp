#include "keying/FlexControl.h"

#include "core/RCTypes.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <limits>

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

// Blanks and control characters off both ends: line breaks between events do no harm.
QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

// The step count after "U" or "D": plain decimal digits giving at least 1.  Anything else (a
// sign, a zero, letters, a number too large) counts as one step in the letter's direction.
int32_t StepCount(const QString& digits)
{
    if (digits.isEmpty() || digits.size() > 10)
        return 1;
    qint64 n = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 1;
        n = n * 10 + (c.unicode() - '0');
    }
    return n >= 1 && n <= std::numeric_limits<int32_t>::max() ? int32_t(n) : 1;
}

} // namespace

TFlexControl::TFlexControl(QObject* owner)
    : QObject(owner)
    , FStartTimer(new vx::Timer(StartInterval, false, this))
{
    FStartTimer->OnTimer = [this] { StartTimerTimer(); };
}

TFlexControl::~TFlexControl()
{
    Unbind(FCOMPort);
}

void TFlexControl::SetActive(bool value)
{
    if (value)
        Open();
    else
        Close();
}

void TFlexControl::SetCOMPort(vx::SerialPort* value)
{
    if (value == FCOMPort)
        return;
    Unbind(FCOMPort);
    FCOMPort = value;
}

void TFlexControl::Bind()
{
    vx::SerialPort& port = *FCOMPort;
    port.OnRxChar = [this](int count) { DoRxChar(count); };
    // An unplugged knob (or a closed far end) closes the port: the knob is no longer active.
    port.OnAfterClose = [this] { FActive = false; };
}

void TFlexControl::Unbind(vx::SerialPort* port)
{
    if (!port)
        return;
    port->OnRxChar = nullptr;
    port->OnAfterClose = nullptr;
}

void TFlexControl::Write(const char* text)
{
    // Write errors are the knob's loss, noticed when the port closes; nothing to report.
    if (FCOMPort)
        FCOMPort->writeStr(QLatin1String(text));
}

void TFlexControl::Open()
{
    if (!FCOMPort || FCOMPort->port().isEmpty() || FActive)
        return;
    vx::SerialPort& port = *FCOMPort;
    port.setBaudRate(9600);
    port.setDataBits(8);
    port.setStopBits(vx::SerialPort::StopBits::One);
    port.setParity(vx::SerialPort::Parity::None);
    port.setFlowControl(vx::SerialPort::FlowControl::None);
    // A device without modem lines (a pseudo-terminal) keeps working without them.
    port.setDtr(false);
    port.setRts(false);
    Bind();
    if (!port.open())
        return;
    if (port.writeStr(QStringLiteral("F;")) < 0 || port.writeStr(QStringLiteral("I111;")) < 0) {
        port.close();
        return;
    }
    FActive = true;
    FStartTimer->start();
}

void TFlexControl::Close()
{
    if (FCOMPort && FCOMPort->connected()) {
        FCOMPort->writeStr(QStringLiteral("I000;"));
        FCOMPort->close();
    }
    FActive = false;
}

void TFlexControl::StartTimerTimer()
{
    if (FCOMPort && FActive)
        Write("I100;");
    FStartTimer->stop();
}

void TFlexControl::SetLED(int Index, bool value)
{
    if (Index < 1 || Index > 3 || !FCOMPort || !FActive || FLED[Index - 1] == value)
        return;
    FLED[Index - 1] = value;
    const QString command = QStringLiteral("I%1%2%3;")
                                .arg(FLED[0] ? '1' : '0')
                                .arg(FLED[1] ? '1' : '0')
                                .arg(FLED[2] ? '1' : '0');
    FCOMPort->writeStr(command);
}

void TFlexControl::DoRxChar(int Count)
{
    if (!FCOMPort)
        return;
    FRXBuffer += FCOMPort->readStr(Count);
    for (;;) {
        const qsizetype end = FRXBuffer.indexOf(QLatin1Char(';'));
        if (end < 0)
            break;
        const QString event = FRXBuffer.left(end);
        FRXBuffer = TrimBlanks(FRXBuffer.mid(end + 1));
        FRXOverflowReported = false;
        HandleEvent(event);
    }
    if (FRXBuffer.size() > MaxRXBuffer) {
        if (!FRXOverflowReported)
            qWarning("FlexControl: %lld characters without ';' received, the oldest dropped",
                     qlonglong(FRXBuffer.size()));
        FRXOverflowReported = true;
        FRXBuffer = FRXBuffer.right(MaxRXBuffer);
    }
}

void TFlexControl::HandleEvent(const QString& Event)
{
    // Blanks before an event (a line break that came in a read of its own) are not part of it.
    const QString text = TrimBlanks(Event);
    if (text.isEmpty())
        return;
    const QChar kind = text[0];
    const auto click = [](QChar c) {
        return c == QLatin1Char('C') ? ctDouble : c == QLatin1Char('L') ? ctLong : ctSingle;
    };
    switch (kind.unicode()) {
    case 'U':
        Fire(OnKnob, StepCount(text.mid(1)));
        break;
    case 'D':
        Fire(OnKnob, -StepCount(text.mid(1)));
        break;
    case 'S':
    case 'C':
    case 'L':
        Fire(OnSwitch, sKnob, click(kind));
        break;
    case 'X': {
        const QChar d = text.size() > 1 ? text[1] : QChar();
        const TSwitch sw = d == QLatin1Char('1')   ? sAUX1
                           : d == QLatin1Char('2') ? sAUX2
                           : d == QLatin1Char('3') ? sAUX3
                                                   : sKnob;
        Fire(OnSwitch, sw, click(text.size() > 2 ? text[2] : QChar()));
        break;
    }
    default:
        break;
    }
}
