#include "keying/MMTTYInterface.h"

#include <QFileInfo>
#include <QPointer>
#include <QProcess>

TMMTTYInterface::TMMTTYInterface(QObject* parent)
    : QObject(parent)
    , FLevelTimer(new vx::Timer(500, false, this))
{
    FLevelTimer->OnTimer = [this] { Fire(OnSignalLevelTimer, FSignalLevel); };
}

TMMTTYInterface::~TMMTTYInterface() = default;

void TMMTTYInterface::Prepare(vx::BusEndpoint* owner, uint32_t message)
{
    FOwner = owner;
    FMessage = message;
}

quint64 TMMTTYInterface::MainWindow() const
{
    return FOwner ? FOwner->Id() : 0;
}

void TMMTTYInterface::Post(uint32_t wParam, int64_t lParam)
{
    if (FConnected && FOwner)
        FOwner->Post(FEngineWindow, FMessage, wParam, lParam);
}

bool TMMTTYInterface::Start()
{
    if (FConnected || FMMTTYPath.isEmpty() || !QFileInfo(FMMTTYPath).isFile())
        return false;
    // Without an endpoint the engine could never reach us.
    if (!FOwner || !FOwner->IsOpen() || FMessage == 0)
        return false;
    // The engine is a program of its own that outlives a link that lets it go: started
    // detached, it is ended by Stop's message, not by this process.
    return QProcess::startDetached(FMMTTYPath, StartArguments());
}

QStringList TMMTTYInterface::StartArguments() const
{
    QStringList args;
    if (FStartOptions.Hidden()) {
        args << QStringLiteral("-m");
    } else {
        args << QStringLiteral("-t");
        if (FStartOptions.ControlMenues() && FStartOptions.ControlButtons())
            args << QStringLiteral("-r");
        else if (FStartOptions.ControlMenues())
            args << QStringLiteral("-s");
        else if (FStartOptions.ControlButtons())
            args << QStringLiteral("-u");
        if (!FStartOptions.StayOnTop())
            args << QStringLiteral("-a");
    }
    args << QStringLiteral("-h") + QString::number(MainWindow(), 16).toUpper();
    return args;
}

void TMMTTYInterface::Stop()
{
    if (!FConnected)
        return;
    Post(mmClose, 0);
    Disconnect();
}

void TMMTTYInterface::Disconnect()
{
    FEngineWindow = vx::BusBroadcast;
    SetConnected(false);
    SetSignalLevel(0);
}

void TMMTTYInterface::PeerGone(quint64 peer)
{
    if (peer != FEngineWindow)
        return;
    if (FConnected)
        Disconnect();
    else
        FEngineWindow = vx::BusBroadcast; // gone during the handshake
}

void TMMTTYInterface::Clear()
{
    Post(mmRXTX, clearBuffer);
    Post(mmRXTX, rxNow);
}

void TMMTTYInterface::RX()
{
    Post(mmRXTX, rxAfterSent);
}

void TMMTTYInterface::TX()
{
    Post(mmRXTX, FPTT ? rxNow : txOn);
}

namespace {

uint32_t TransmitCode(QChar c)
{
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        c = c.toUpper();
    return c.unicode();
}

} // namespace

void TMMTTYInterface::Send(const QString& Text)
{
    if (!FConnected)
        return;
    for (const QChar c : Text) {
        if (c == QLatin1Char('_'))
            Post(mmRXTX, rxAfterSent);
        else
            Post(mmChar, TransmitCode(c));
    }
}

void TMMTTYInterface::SendMessage(const QString& Text)
{
    Post(mmRXTX, txOn);
    for (const QChar c : Text)
        Post(mmChar, TransmitCode(c));
    Post(mmRXTX, rxAfterSent);
}

void TMMTTYInterface::SetBandPassFilter(bool value)
{
    if (value == FBandPassFilter)
        return;
    FBandPassFilter = value;
    if (FUserCommand)
        Post(mmSetSwitches, value ? (FSwitchWord | BandPassFilterBit) : (FSwitchWord & ~BandPassFilterBit));
    else
        Fire(OnBandPassFilter, value);
}

void TMMTTYInterface::SetSquelch(bool value)
{
    if (value == FSquelch)
        return;
    FSquelch = value;
    if (FUserCommand)
        Post(mmSetSwitches, value ? (FSwitchWord | SquelchBit) : (FSwitchWord & ~SquelchBit));
    else
        Fire(OnSquelch, value);
}

void TMMTTYInterface::SetPTT(bool value)
{
    if (value == FPTT)
        return;
    FPTT = value;
    if (FUserCommand)
        Post(mmRXTX, value ? txOn : rxNow);
    else
        Fire(OnPTT, value);
}

void TMMTTYInterface::SetSquelchLevel(uint16_t value)
{
    if (value == FSquelchLevel)
        return;
    if (FUserCommand) {
        // The engine's next level report stores it.
        Post(mmSquelchLevel, value);
    } else {
        FSquelchLevel = value;
        Fire(OnSquelchLevel, value);
    }
}

void TMMTTYInterface::SetConnected(bool value)
{
    if (value == FConnected)
        return;
    FConnected = value;
    Fire(OnConnected, value);
    UpdateLevelTimer();
}

void TMMTTYInterface::SetSignalLevel(uint16_t value)
{
    if (value == FSignalLevel)
        return;
    FSignalLevel = value;
    Fire(OnSignalLevel, value);
}

void TMMTTYInterface::SetLevelTimerInterval(uint16_t value)
{
    if (value == FLevelTimerInterval)
        return;
    FLevelTimerInterval = value;
    if (value > 0)
        FLevelTimer->setInterval(value);
    UpdateLevelTimer();
}

void TMMTTYInterface::UpdateLevelTimer()
{
    FLevelTimer->setEnabled(FConnected && FLevelTimerInterval > 0);
}

void TMMTTYInterface::SetSwitchInformation(int32_t value)
{
    if (value == FSwitchWord)
        return;
    PrepareRX();
    FSwitchWord = value;
    SetBandPassFilter((value & BandPassFilterBit) != 0);
    SetSquelch((value & SquelchBit) != 0);
}

bool TMMTTYInterface::IsReceivedCharacter(uint32_t code)
{
    if (code > 255)
        return false;
    if (code >= 'A' && code <= 'Z')
        return true;
    if (code >= '0' && code <= '9')
        return true;
    switch (code) {
    case 13:
    case ' ':
    case '\'':
    case '(':
    case ')':
    case '+':
    case ',':
    case '-':
    case '.':
    case '/':
    case ':':
    case '=':
    case '?':
        return true;
    default:
        return false;
    }
}

void TMMTTYInterface::WndProc(const vx::BusMessage& message)
{
    if (FMessage == 0 || message.Msg != FMessage)
        return;
    PrepareRX();
    const int64_t l = message.LParam;
    switch (message.WParam) {
    case mmEngineWindow:
        FEngineWindow = quint64(l);
        // Answered at once, connected or not: the engine waits for it to start.
        if (FOwner)
            FOwner->Post(FEngineWindow, FMessage, mmWindow, qint64(MainWindow()));
        break;
    case mmWindowRequest: Post(mmWindow, qint64(MainWindow())); break;
    case mmStarted: SetConnected(true); break;
    case mmRXChar: {
        // The character is the low 16 bits; it is passed on as its own code, so a stray high
        // bit cannot turn it into a number no receiver reads back as that character.
        const uint32_t code = uint32_t(l) & 0xFFFF;
        if (IsReceivedCharacter(code))
            Fire(OnRXText, QString::number(code));
        break;
    }
    case mmPTT: SetPTT(l == 1); break;
    case mmBaudRate: FBaudRate = int32_t(l); break;
    case mmMark: FMark = int32_t(l); break;
    case mmSpace: FSpace = int32_t(l); break;
    case mmSwitches: SetSwitchInformation(int32_t(l)); break;
    case mmLevels:
        SetSignalLevel(uint16_t(l & 0xFFFF));
        SetSquelchLevel(uint16_t((l >> 16) & 0xFFFF));
        break;
    default: break;
    }
}

uint32_t HookMMTTYInterface(vx::BusEndpoint& owner, TMMTTYInterface& link)
{
    const uint32_t message = vx::RegisterBusMessage(TMMTTYInterface::MessageName);
    if (message == 0)
        return 0;
    link.Prepare(&owner, message);
    QPointer<TMMTTYInterface> target(&link);
    owner.Route(
        message,
        [target](const vx::BusMessage& m) {
            if (target)
                target->WndProc(m);
        },
        [target](quint64 peer) {
            if (target)
                target->PeerGone(peer);
        });
    return message;
}
