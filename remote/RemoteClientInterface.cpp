#include "remote/RemoteClientInterface.h"

#include "platform/Clock.h"

#include <QTcpSocket>

namespace {

// Stamps kept for late answers; older ones can no longer be matched.
constexpr int MaxSentStamps = 64;

QDateTime Now()
{
    return vx::Clock::nowUtc().toLocalTime();
}

} // namespace

// --- TRCM ---------------------------------------------------------------------------------

void TRCM::SetValue(int32_t value)
{
    FValue = value;
    if (FSamples.size() >= MaxSamples)
        FSamples.removeFirst();
    FSamples << value;
    qint64 sum = 0;
    for (int32_t s : std::as_const(FSamples))
        sum += s;
    const auto avg = int32_t(sum / FSamples.size());
    if (avg != FAvg) {
        FAvg = avg;
        Fire(FOwner->OnRCMAverage, FAvg);
    }
    if (FOwner->Connected()) {
        if (FLoginTime.isValid()) {
            const qint64 minutes = FLoginTime.secsTo(Now()) / 60;
            FRuntimeString = QStringLiteral("%1:%2").arg((minutes / 60) % 24).arg(minutes % 60, 2, 10, QLatin1Char('0'));
        }
    } else {
        FLoginString.clear();
        FRuntimeString.clear();
    }
    Fire(FOwner->OnRCM);
}

int32_t TRCM::MinValue() const
{
    if (!FOwner->Connected())
        return 0;
    int32_t least = TRemoteClientInterface::NoResponse;
    bool found = false;
    for (int32_t s : FSamples) {
        if (s > 0 && (!found || s < least)) {
            least = s;
            found = true;
        }
    }
    return least;
}

int32_t TRCM::MaxValue() const
{
    int32_t most = 0;
    for (int32_t s : FSamples)
        most = std::max(most, s);
    return most;
}

void TRCM::SetLoginTime(const QDateTime& value)
{
    FLoginTime = value;
    FLoginString = FOwner->Connected() ? value.toString(QStringLiteral("hh:mm")) : QString();
}

void TRCM::Init()
{
    FAvg = 0;
    FValue = 0;
    FLoginString.clear();
    FRuntimeString.clear();
    FSamples.clear();
}

// --- TRemoteClientInterface ---------------------------------------------------------------

TRemoteClientInterface::TRemoteClientInterface(QObject* owner)
    : QObject(owner)
    , FRCM(this)
    , FTCPClient(new QTcpSocket(this))
    , FHeartBeatTimer(new vx::Timer(1000, false, this))
{
    FHeartBeatTimer->OnTimer = [this] { DoHeartBeatTimer(); };
    connect(FTCPClient, &QTcpSocket::connected, this, &TRemoteClientInterface::DoSocketConnected);
    connect(FTCPClient, &QTcpSocket::disconnected, this, &TRemoteClientInterface::DoSocketDisconnected);
    connect(FTCPClient, &QTcpSocket::errorOccurred, this, &TRemoteClientInterface::DoSocketError);
    connect(FTCPClient, &QTcpSocket::readyRead, this, &TRemoteClientInterface::DoReadyRead);
    connect(FTCPClient, &QTcpSocket::stateChanged, this, [this](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::ConnectingState)
            Fire(OnConnection, conConnecting, QStringLiteral("connecting..."));
    });
}

TRemoteClientInterface::~TRemoteClientInterface()
{
    // Nothing is reported from a component that is going away.
    FHeartBeatTimer->stop();
    FTCPClient->disconnect(this);
    FTCPClient->abort();
}

void TRemoteClientInterface::SetHeartBeats(bool value)
{
    if (value == FHeartBeats)
        return;
    FHeartBeats = value;
    if (!value) {
        FHeartBeatTimer->stop();
        return;
    }
    if (FLoggedIn) {
        StartHeartBeat();
        FRCM.Init();
        FRCM.SetValue(0);
        FRCM.SetLoginTime(Now());
    }
}

void TRemoteClientInterface::SetHeartBeatInterval(int32_t value)
{
    FHeartBeatInterval = value;
    if (FHeartBeatTimer->isActive())
        FHeartBeatTimer->setInterval(std::max(1, value) * 1000);
}

void TRemoteClientInterface::StartHeartBeat()
{
    FHeartBeatTimer->setInterval(std::max(1, FHeartBeatInterval) * 1000);
    FHeartBeatTimer->start();
}

void TRemoteClientInterface::Connect()
{
    if (FTCPClient->state() != QAbstractSocket::UnconnectedState)
        FTCPClient->abort();
    // A port past 16 bits would be a different port once cut down to one.
    if (FHost.isEmpty() || FPort == 0 || FPort > 65535 || FUsername.isEmpty() || FPassword.isEmpty())
        return;
    FRCM.Init();
    Fire(OnConnection, conConnecting, QStringLiteral("connecting..."));
    FRCM.SetValue(0);
    FReader.Clear();
    FSentStamps.clear();
    FHeartBeatCounter = 0;
    FTCPClient->connectToHost(FHost, quint16(FPort));
}

void TRemoteClientInterface::Disconnect()
{
    FLoggedIn = false;
    FHeartBeatTimer->stop();
    FHeartBeatCounter = 0;
    FRCM.Init();
    // What was written leaves first; the socket's own notice of the close comes from here.
    if (FTCPClient->state() == QAbstractSocket::ConnectedState)
        FTCPClient->flush();
    FTCPClient->abort();
    FConnected = false;
    FReader.Clear();
    FSentStamps.clear();
    Fire(OnRCM);
    Fire(OnRCMAverage, FRCM.Avg());
    Fire(OnConnection, conDisconnected, QStringLiteral("disconnected"));
    Fire(OnRCMConnected, false);
}

void TRemoteClientInterface::Send(const QString& Command)
{
    if (!FConnected)
        return;
    // Before login only the dialogue leaves.
    if (!FLoggedIn && !Command.startsWith(RemoteLine::MG))
        return;
    if (Command.size() > RemoteLine::MaxLength) {
        // The server would end the connection over it.
        qWarning("Remote control client: a line of %lld characters not sent", qlonglong(Command.size()));
        return;
    }
    if (FTCPClient->write(RemoteLine::Encode(Command)) < 0)
        Disconnect();
}

void TRemoteClientInterface::DoSocketConnected()
{
    FConnected = true;
    Fire(OnConnection, conConnected, QStringLiteral("connected"));
    Fire(OnRCMConnected, true);
}

void TRemoteClientInterface::DoSocketDisconnected()
{
    if (!FConnected)
        return;
    FConnected = false;
    FLoggedIn = false;
    FHeartBeatTimer->stop();
    FRCM.Init();
    Fire(OnConnection, conDisconnected, QStringLiteral("disconnected"));
    Fire(OnRCMConnected, false);
}

void TRemoteClientInterface::DoSocketError()
{
    if (FConnected) {
        // A dead server: the end of the stream or a read error closes the socket.
        if (FTCPClient->state() == QAbstractSocket::UnconnectedState)
            DoSocketDisconnected();
        return;
    }
    QString text = FTCPClient->errorString().trimmed();
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    Fire(OnConnection, conNoRespone, text);
}

void TRemoteClientInterface::DoReadyRead()
{
    FReader.Append(FTCPClient->readAll());
    QString line;
    for (;;) {
        const RemoteLine::Reader::Result r = FReader.Next(line);
        if (r == RemoteLine::Reader::Result::None)
            break;
        if (r == RemoteLine::Reader::Result::TooLong) {
            // Dropped; the lines after it are read as usual.
            qWarning("Remote control client: a line longer than %d bytes from the server dropped", RemoteLine::MaxLength);
            continue;
        }
        HandleLine(line);
    }
}

void TRemoteClientInterface::HandleLine(const QString& line)
{
    if (line.trimmed().isEmpty())
        return;
    if (line.startsWith(RemoteLine::MG)) {
        QString text = line.mid(3);
        if (text.endsWith(QLatin1Char(';')))
            text.chop(1);
        if (text == QLatin1String("Your Callsign:")) {
            FLoggedIn = false;
            Send(RemoteLine::MG + RemoteLine::CallsignAnswer + FUsername);
        } else if (text == QLatin1String("Your Password:")) {
            FLoggedIn = false;
            Send(RemoteLine::MG + RemoteLine::PasswordAnswer + FPassword);
        } else if (text == QLatin1String("Login OK")) {
            FLoggedIn = true;
            if (FHeartBeats)
                StartHeartBeat();
            FRCM.SetLoginTime(Now());
            Fire(OnLogin, true);
        } else if (text == QLatin1String("Wrong Login. Disconnect.")) {
            Disconnect();
            Fire(OnErrorMessage, text);
        }
        return;
    }
    if (line.startsWith(RemoteLine::PI)) {
        HandleHeartBeatEcho(line.mid(3));
        return;
    }
    Fire(OnRXCommand, line);
}

void TRemoteClientInterface::HandleHeartBeatEcho(const QString& stamp)
{
    if (!RemoteLine::DecodeHeartbeatStamp(stamp))
        return;
    const QString sent = stamp.left(18);
    for (qsizetype i = 0; i < FSentStamps.size(); ++i) {
        if (FSentStamps[i].first != sent)
            continue;
        const qint64 elapsed = vx::Clock::monotonicMs() - FSentStamps[i].second;
        FSentStamps.remove(0, i + 1);
        FRCM.SetValue(int32_t(std::min<qint64>(elapsed, NoResponse)));
        if (FHeartBeatCounter > 1)
            --FHeartBeatCounter;
        return;
    }
    // An echo of nothing this client sent measures nothing.
}

void TRemoteClientInterface::DoHeartBeatTimer()
{
    const QString stamp = RemoteLine::HeartbeatStamp(Now());
    FSentStamps.append({stamp, vx::Clock::monotonicMs()});
    if (FSentStamps.size() > MaxSentStamps)
        FSentStamps.removeFirst();
    Send(RemoteLine::PI + stamp + QLatin1Char(';'));
    if (!FConnected)
        return;
    ++FHeartBeatCounter;
    if (FHeartBeatCounter > MissedHeartBeats) {
        FRCM.SetValue(NoResponse);
        FHeartBeatCounter = 0;
    }
}
