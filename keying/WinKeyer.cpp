#include "keying/WinKeyer.h"

#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <algorithm>

namespace {

QByteArray Bytes(std::initializer_list<uint8_t> values)
{
    QByteArray b;
    for (uint8_t v : values)
        b.append(char(v));
    return b;
}

constexpr uint8_t EchoTestValue = 0x55;

} // namespace

TWinKeyer::TWinKeyer(QObject* owner)
    : QObject(owner)
{
    FWaitForCOMPortTimer = new vx::Timer(ReopenIntervalMs, false, this);
    FWaitForCOMPortTimer->OnTimer = [this] { DoWaitForCOMPortTimer(); };
    FPhaseTimer = new vx::Timer(SettleMs, false, this);
    FPhaseTimer->setSingleShot(true);
    FPhaseTimer->OnTimer = [this] { DoPhaseTimer(); };
}

TWinKeyer::~TWinKeyer()
{
    FWaitForCOMPortTimer->stop();
    FPhaseTimer->stop();
}

// --- Port ---------------------------------------------------------------------------------

vx::SerialPort* TWinKeyer::COMPort() const
{
    return FCOMPort;
}

void TWinKeyer::SetCOMPort(vx::SerialPort* value)
{
    FCOMPort = value;
}

bool TWinKeyer::PortOpen() const
{
    return FCOMPort && FCOMPort->connected();
}

bool TWinKeyer::PortSetup()
{
    if (!FCOMPort)
        return false;
    if (FCOMPort->port().isEmpty()) {
        Fire(OnComPortState, comInvalid);
        return false;
    }
    vx::SerialPort& port = *FCOMPort;
    port.setBaudRate(1200);
    port.setDataBits(8);
    port.setStopBits(vx::SerialPort::StopBits::One);
    port.setParity(vx::SerialPort::Parity::None);
    port.setFlowControl(vx::SerialPort::FlowControl::None);
    // Modem lines a device cannot switch (a pseudo-terminal) leave the port usable.
    port.setDtr(true);
    port.setRts(false);
    if (!port.open()) {
        Fire(OnComPortState, comWaiting);
        SetStatus(wksError);
        FWaitForCOMPortTimer->setEnabled(true);
        return false;
    }
    return true;
}

bool TWinKeyer::WriteCommand(const QByteArray& bytes, bool mustBeOpen)
{
    if (!PortOpen())
        return !mustBeOpen;
    if (FCOMPort->write(bytes) != bytes.size()) {
        SetStatus(wksError);
        return false;
    }
    return true;
}

void TWinKeyer::DiscardInput()
{
    if (PortOpen())
        while (!FCOMPort->read(WKBufferSize).isEmpty()) {
        }
}

// --- Opening ------------------------------------------------------------------------------

void TWinKeyer::WKOpen()
{
    if (FActive || Opening())
        return;
    if (IsClient()) {
        FireSpeed(OnWKSpeed);
        return;
    }
    if (!PortSetup())
        return;
    FPhase = TOpenPhase::Settle;
    FPhaseTimer->setInterval(SettleMs);
    FPhaseTimer->start();
}

void TWinKeyer::DoPhaseTimer()
{
    switch (FPhase) {
    case TOpenPhase::None:
        return;
    case TOpenPhase::Settle:
        // Host close first, so a keyer left open by an earlier session starts afresh.
        if (!WriteCommand(Bytes({0x00, 0x03}), true) || !WriteCommand(Bytes({0x00, 0x00}), true))
            return FailOpen();
        FPhase = TOpenPhase::Calibrate;
        FPhaseTimer->setInterval(CalibrateMs);
        FPhaseTimer->start();
        return;
    case TOpenPhase::Calibrate:
        if (!WriteCommand(Bytes({0xFF}), true))
            return FailOpen();
        // Whatever the keyer said so far would be read as its answer.
        DiscardInput();
        if (!WriteCommand(Bytes({0x00, 0x04, EchoTestValue}), true))
            return FailOpen();
        FPhase = TOpenPhase::Echo;
        FPhaseTimer->setInterval(AnswerTimeoutMs);
        FPhaseTimer->start();
        return;
    case TOpenPhase::Echo:
        // No answer to the echo test: no keyer there (or not switched on).
        return FailOpen();
    case TOpenPhase::Version:
        // No version byte: the keyer answered the echo, so go on without it.
        return FinishOpen();
    }
}

void TWinKeyer::HandshakeAnswer(uint8_t b)
{
    if (FPhase == TOpenPhase::Echo) {
        if (b != EchoTestValue)
            return FailOpen();
        if (!WriteCommand(Bytes({0x00, 0x02}), true))
            return FailOpen();
        FPhase = TOpenPhase::Version;
        FPhaseTimer->setInterval(AnswerTimeoutMs);
        FPhaseTimer->start();
        return;
    }
    FWKVersion = b;
    FinishOpen();
}

void TWinKeyer::FinishOpen()
{
    FPhase = TOpenPhase::None;
    FPhaseTimer->stop();
    if (!ParameterLoad())
        return FailOpen();
    FWaitForCOMPortTimer->stop();
    FActive = true;
    SetStatus(wksOpen);
    FireSpeed(OnWKSpeed);
}

// A keyer that failed to open (port lost, wrong or missing answer) is let go and tried
// again, so one switched on later is found.
void TWinKeyer::FailOpen()
{
    FPhase = TOpenPhase::None;
    FPhaseTimer->stop();
    FActive = false;
    SetStatus(wksError);
    if (FCOMPort)
        FCOMPort->close();
    FWaitForCOMPortTimer->setEnabled(true);
}

uint8_t TWinKeyer::ModeRegister() const
{
    uint8_t m = 0;
    if (FContestSpacing)
        m |= 0x01;
    if (FAutoSpace)
        m |= 0x02;
    if (FSerialEchoback)
        m |= 0x04;
    if (FSwapPaddles)
        m |= 0x08;
    switch (FKeyerMode) {
    case kmIambicB: break;
    case kmIambicA: m |= 0x10; break;
    case kmUltimatic: m |= 0x20; break;
    case kmBug: m |= 0x30; break;
    }
    if (FPaddleEchoBack)
        m |= 0x40;
    if (FPaddleWatchDog)
        m |= 0x80;
    return m;
}

bool TWinKeyer::ParameterLoad()
{
    if (!PortOpen())
        return false;
    TWKState s;
    s.ModeRegister = ModeRegister();
    s.SidetoneFrequency = SidetoneFrequencyAsByte();
    s.Weighting = FWeighting;
    s.MinWPM = FMinWPM;
    s.WPMRange = FWPMRange;
    s.FirstExtension = FFirstExtension;
    s.KeyCompensation = FKeyingCompensation;
    s.FarnsworthWPM = FFarnsworthSpeed;
    s.PaddleSetpoint = FPaddleSetPoint;
    s.DitDahRatio = 50;
    s.PinConfiguration = 6;
    s.PotRange = 0xFF;
    FWKState = s;
    return WriteCommand(Bytes({0x0E, s.ModeRegister}), true)
           && WriteCommand(Bytes({0x05, FMinWPM, FWPMRange, 0xFF}), true)
           && WriteCommand(Bytes({0x02, uint8_t(FSynchronizeSpeed == 2 ? 0 : FSpeed)}), true)
           && WriteCommand(Bytes({0x07, 0x15}), true);
}

void TWinKeyer::DoWaitForCOMPortTimer()
{
    if (!FCOMPort || IsClient())
        return;
    if (FActive || FCOMPort->port().isEmpty()) {
        FWaitForCOMPortTimer->stop();
        return;
    }
    WKOpen();
}

// --- Closing and clearing -----------------------------------------------------------------

void TWinKeyer::WKClose()
{
    if (IsClient())
        return;
    if (!FActive) {
        // A closed keyer stays closed: no open in progress, no further attempts.
        const bool trying = Opening() || FWaitForCOMPortTimer->isActive();
        FPhase = TOpenPhase::None;
        FPhaseTimer->stop();
        FWaitForCOMPortTimer->stop();
        if (trying) {
            if (FCOMPort)
                FCOMPort->close();
            SetStatus(wksClosed);
        }
        return;
    }
    FWaitForCOMPortTimer->stop();
    CloseOpenKeyer(wksClosed);
}

// Clears and lets go of an open keyer, ending in the given state.  The goodbye (speed to the
// pot, host close) only goes to a port that is still open.
void TWinKeyer::CloseOpenKeyer(TWKStatus status)
{
    WKClear();
    WriteCommand(Bytes({0x02, 0x00}));
    WriteCommand(Bytes({0x00, 0x03}));
    // Not active before the port closes, so its after-close event is not taken for a loss.
    FActive = false;
    if (FCOMPort)
        FCOMPort->close();
    SetStatus(status);
}

void TWinKeyer::DoCOMPortClosed()
{
    if (IsClient())
        return;
    if (Opening())
        return FailOpen();
    if (!FActive)
        return;
    // The device went away under the open keyer (unplugged, switched off): closed as far as
    // a closed port allows, and looked for again until it is back.
    CloseOpenKeyer(wksError);
    FWaitForCOMPortTimer->start();
}

void TWinKeyer::Clear(bool escape)
{
    if (!IsClient() && FActive) {
        if (FKeyDown) {
            PrepareTX();
            SetKeyDown(false);
        }
        WriteCommand(Bytes({0x0A}));
        FQueue.clear();
    }
    if (escape) {
        Fire(OnEscape);
    } else {
        Fire(OnClear);
        Fire(OnWKClear);
    }
}

void TWinKeyer::WKClear()
{
    Clear(false);
}

void TWinKeyer::WKEscape()
{
    Clear(true);
}

// --- Sending ------------------------------------------------------------------------------

void TWinKeyer::Enqueue(QChar Ch)
{
    char16_t c = Ch.unicode();
    if (c >= u'a' && c <= u'z')
        c = char16_t(c - u'a' + u'A');
    // A byte below " " would be a command to the keyer; above "Z" it has no Morse.
    if (c < 0x20 || c > 0x5A || FQueue.size() >= QueueSize)
        return;
    FQueue.append(char(c));
}

void TWinKeyer::WKSend(const QString& Text)
{
    if (IsClient() || !FActive)
        return;
    for (QChar c : Text)
        Enqueue(c);
    SendNextByte();
}

void TWinKeyer::WKSendChar(QChar Ch)
{
    if (IsClient() || !FActive)
        return;
    Enqueue(Ch);
    SendNextByte();
}

void TWinKeyer::SendNextByte()
{
    if (IsClient() || !FActive || FQueue.isEmpty() || FWinKeyStatus.XOff)
        return;
    const QByteArray b = FQueue.left(1);
    FQueue.remove(0, 1);
    // Text bytes go to the port directly: a lost port shows as an error.
    if (!FCOMPort || FCOMPort->write(b) != 1)
        SetStatus(wksError);
}

// --- Receiving ----------------------------------------------------------------------------

void TWinKeyer::DoRxCharFromCOMPort(int Count)
{
    if (!FCOMPort || Count <= 0)
        return;
    if (FPhase == TOpenPhase::Echo || FPhase == TOpenPhase::Version) {
        // One answer byte; anything after it in the batch is not part of the answer.
        const QByteArray bytes = FCOMPort->read(Count);
        if (!bytes.isEmpty())
            HandshakeAnswer(uint8_t(bytes[0]));
        return;
    }
    if (!FActive) {
        FCOMPort->read(Count);
        return;
    }
    // Read in pieces that fit one buffer, each handled as a batch of its own.
    int left = Count;
    while (left > 0 && FActive) {
        const QByteArray bytes = FCOMPort->read(std::min(left, WKBufferSize));
        if (bytes.isEmpty())
            break;
        left -= int(bytes.size());
        TWKBuffer buffer{};
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        FReceived = true;
        Fire(OnRxBuf, buffer, int(bytes.size()));
        for (char b : bytes)
            Decode(uint8_t(b));
        FReceived = false;
        SendNextByte();
    }
}

void TWinKeyer::SetStatusBit(bool& bit, bool value, const TSwitchEvent& event)
{
    if (bit == value)
        return;
    bit = value;
    Fire(event, value);
}

void TWinKeyer::Decode(uint8_t b)
{
    if ((b & 0xC0) == 0xC0) {
        const bool breakIn = b & 0x02;
        SetStatusBit(FWinKeyStatus.XOff, b & 0x01, OnWKXOff);
        SetStatusBit(FWinKeyStatus.BreakIn, breakIn, OnWKBreakIn);
        SetStatusBit(FWinKeyStatus.Busy, (b & 0x04) && !breakIn, OnWKBusy);
        SetStatusBit(FWinKeyStatus.KeyDown, b & 0x08, OnWKKeyDown);
        SetStatusBit(FWinKeyStatus.Wait, b & 0x10, OnWKWait);
    } else if (b & 0x80) {
        // Each pot byte is a value from the keyer: stored and reported, never written back,
        // also when a batch holds several.
        FReceived = true;
        SetSpeedPot(uint8_t((b & 0x3F) + FMinWPM));
    } else if (b == 0x20 || (b >= 0x2C && b <= 0x5A)) {
        Fire(OnCharacterLocal, QChar(b));
    }
}

void TWinKeyer::RemoteEcho(QChar Ch)
{
    Fire(OnCharacterRemote, Ch);
}

// --- Setters ------------------------------------------------------------------------------

void TWinKeyer::FireSpeed(const TSpeedEvent& event)
{
    Fire(event, FMinWPM, FSpeed, FMaxWPM, FSpeedPot);
}

void TWinKeyer::SetSpeed(uint8_t value)
{
    if (value == FSpeed)
        return;
    const uint8_t speed = FSynchronizeSpeed == 2 ? FSpeedPot : std::clamp(value, FMinWPM, FMaxWPM);
    if (FReceived) {
        FSpeed = speed;
        FireSpeed(OnWKSpeed);
        FReceived = false;
        return;
    }
    FSpeed = speed;
    if (!IsClient() && FActive)
        WriteCommand(Bytes({0x02, uint8_t(FSynchronizeSpeed == 2 ? 0 : FSpeed)}));
    FireSpeed(OnSpeed);
    FireSpeed(OnWKSpeed);
}

void TWinKeyer::SetSpeedPot(uint8_t value)
{
    if (value == FSpeedPot)
        return;
    FSpeedPot = value;
    if (FSynchronizeSpeed == 2)
        SetSpeed(value);
    Fire(OnWKSpeedPot);
}

void TWinKeyer::SetSynchronizeSpeed(uint8_t value)
{
    if (value == FSynchronizeSpeed)
        return;
    FSynchronizeSpeed = value;
    if (FReceived) {
        Fire(OnChanged);
        return;
    }
    if (!IsClient() && FActive)
        WriteCommand(Bytes({0x02, uint8_t(value == 2 ? 0 : FSpeed)}));
    Fire(OnChanged);
    if (value == 2)
        SetSpeed(FSpeedPot);
}

void TWinKeyer::SetMaxWPM(uint8_t value)
{
    if (value == FMaxWPM)
        return;
    FMaxWPM = std::max(std::min<uint8_t>(value, 99), FMinWPM);
    FSpeed = std::min(FSpeed, FMaxWPM);
    FWPMRange = uint8_t(FMaxWPM - FMinWPM);
    Fire(OnWKMaxWPM);
}

void TWinKeyer::SetMinWPM(uint8_t value)
{
    if (value == FMinWPM)
        return;
    FMinWPM = std::min(std::max<uint8_t>(value, 5), FMaxWPM);
    FSpeed = std::max(FSpeed, FMinWPM);
    FWPMRange = uint8_t(FMaxWPM - FMinWPM);
    Fire(OnWKMinWPM);
}

void TWinKeyer::SetWPMRange(uint8_t value)
{
    if (value == FWPMRange)
        return;
    FWPMRange = std::min<uint8_t>(value, 94);
    SetMaxWPM(uint8_t(std::min(FWPMRange + FMinWPM, 255)));
    FSpeed = std::min(FSpeed, FMaxWPM);
}

void TWinKeyer::SetWeighting(uint8_t value)
{
    FWeighting = std::clamp<uint8_t>(value, 10, 90);
}

void TWinKeyer::SetDitDahRatio(int32_t value)
{
    FDitDahRatio = std::clamp(value, 200, 400);
}

void TWinKeyer::SetFarnsworth(bool value)
{
    if (value == FFarnsworth)
        return;
    FFarnsworth = value;
    SetFarnsworthSpeed(value ? 26 : 0);
}

void TWinKeyer::SetFarnsworthSpeed(uint8_t value)
{
    FFarnsworthSpeed = FFarnsworth ? std::clamp<uint8_t>(value, 10, 99) : 0;
}

void TWinKeyer::SetFirstExtension(uint8_t value)
{
    FFirstExtension = std::min<uint8_t>(value, 250);
}

void TWinKeyer::SetKeyingCompensation(uint8_t value)
{
    FKeyingCompensation = std::min<uint8_t>(value, 250);
}

void TWinKeyer::SetPaddleSetPoint(uint8_t value)
{
    FPaddleSetPoint = std::min<uint8_t>(value, 100);
}

void TWinKeyer::SetSidetoneFrequencyAsByte(uint8_t value)
{
    // The keyer knows ten values; another would name no frequency.
    if (value >= 1 && value <= 10)
        FSidetoneFrequency = TSidetoneFrequency(value - 1);
}

void TWinKeyer::SetKeyDown(bool value)
{
    if (value == FKeyDown)
        return;
    FKeyDown = value;
    if (FReceived) {
        Fire(OnWKKeyDown, value);
        FReceived = false;
        return;
    }
    if (!IsClient() && FActive)
        WriteCommand(Bytes({0x0B, uint8_t(value ? 1 : 0)}));
}

void TWinKeyer::SetStatus(TWKStatus value)
{
    if (value == FStatus)
        return;
    FStatus = value;
    Fire(OnWKStatus, value);
    Fire(OnChanged);
}

void TWinKeyer::SetRemoteStatus(TWKStatus value)
{
    if (value == FRemoteStatus)
        return;
    FRemoteStatus = value;
    Fire(OnRemoteStatus, value);
}
