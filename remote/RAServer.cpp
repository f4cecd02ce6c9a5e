#include "remote/RAServer.h"

#include "core/RCTypes.h"
#include "remote/RAAudio.h"
#include "remote/RAProtocol.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>

namespace {
// How long a socket the server has let go may take to deliver its last frame.
constexpr int LingerMs = 5000;
} // namespace

// One open connection: its record, receive buffer, time-outs and per-connection state.
class TRAConnection : public QObject {
public:
    explicit TRAConnection(QObject* parent)
        : QObject(parent)
        , LoginTimer(new vx::Timer(TRAServerNetwork::LoginTimeoutMs, false, this))
        , RefusalTimer(new vx::Timer(TRAServerNetwork::RefusalDelayMs, false, this))
    {
        LoginTimer->setSingleShot(true);
        RefusalTimer->setSingleShot(true);
    }

    TClientInfo Info;
    RAProtocol::FrameReader Reader;
    vx::Timer* LoginTimer;   // closes a connection that has not logged in
    vx::Timer* RefusalTimer; // the pause before a refused login is answered
    bool Echo = false;       // this connection's audio comes back to it
    bool PTT = false;        // this connection keys the transmitter
    bool Refusing = false;   // refused; nothing more is handled
    bool Dropped = false;
};

// --- TRAServerNetwork ----------------------------------------------------------------------

TRAServerNetwork::TRAServerNetwork(QObject* parent)
    : QObject(parent)
    , FTCPServer(new QTcpServer(this))
{
    connect(FTCPServer, &QTcpServer::newConnection, this, &TRAServerNetwork::DoNewConnection);
}

TRAServerNetwork::~TRAServerNetwork()
{
    // Nothing is reported from a component that is going away.
    for (TRAConnection* c : std::as_const(FClients)) {
        c->Info.PeerThread->disconnect(this);
        c->Info.PeerThread->abort();
    }
    FClients.clear();
}

void TRAServerNetwork::SetPort(uint16_t Value)
{
    if (FTCPServer->isListening())
        return;
    FPort = std::min(Value, MaxPort);
}

void TRAServerNetwork::SetActive(bool Value)
{
    if (!Value) {
        StopSequence();
        FActive = false;
        FShutdown = false;
        Fire(OnActive, false);
        SetConnectedUsersCount(0);
        return;
    }
    if (FTCPServer->isListening())
        return;
    if (FNetworkProtocol == npTCP) {
        if (!FTCPServer->listen(QHostAddress::Any, FPort))
            Fire(OnException, FTCPServer->errorString());
    }
    FActive = FTCPServer->isListening();
    Fire(OnActive, FActive);
}

void TRAServerNetwork::Shutdown()
{
    StopSequence();
}

void TRAServerNetwork::StopSequence()
{
    FShutdown = true;
    Fire(OnPTT, false);
    const QByteArray notice = RAProtocol::EncodeCommand(RAProtocol::ServerShutdown);
    const QList<TRAConnection*> clients = FClients;
    for (TRAConnection* c : clients) {
        if (!FTCPServer->isListening())
            break;
        Write(c, notice);
        DropConnection(c);
    }
    // Connections of a listener that had already gone are closed all the same.
    for (TRAConnection* c : std::as_const(FClients))
        DropConnection(c);
    FTCPServer->close();
}

void TRAServerNetwork::SetConnectedUsersCount(int Value)
{
    FConnectedUsersCount = std::max(0, Value);
    if (!FShutdown)
        Fire(OnConnectedUsers, FConnectedUsersCount, ConnectedUsers());
    // The transmitter is released when the last user leaves.
    if (FConnectedUsersCount == 0)
        Fire(OnPTT, false);
}

QString TRAServerNetwork::ConnectedUsers() const
{
    if (FClients.isEmpty())
        return QStringLiteral("no users connected");
    QString text = QStringLiteral("Users: ");
    for (const TRAConnection* c : FClients)
        text += c->Info.User + QLatin1Char(' ');
    return text.trimmed();
}

QList<const TClientInfo*> TRAServerNetwork::Clients() const
{
    QList<const TClientInfo*> records;
    for (const TRAConnection* c : FClients)
        records << &c->Info;
    return records;
}

void TRAServerNetwork::DoNewConnection()
{
    while (QTcpSocket* socket = FTCPServer->nextPendingConnection())
        Accept(socket);
}

void TRAServerNetwork::Accept(QTcpSocket* socket)
{
    auto* c = new TRAConnection(this);
    c->Info.PeerThread = socket;
    socket->setParent(c);
    FClients << c;
    c->LoginTimer->OnTimer = [this, c] {
        if (!c->Info.IsAuthenticated)
            DropConnection(c);
    };
    c->RefusalTimer->OnTimer = [this, c] {
        Write(c, RAProtocol::EncodeCommand(RAProtocol::InvalidLogin));
        DropConnection(c);
    };
    c->LoginTimer->start();
    connect(socket, &QTcpSocket::readyRead, this, [this, c] { ReadBlocks(c); });
    connect(socket, &QTcpSocket::disconnected, this, [this, c] { DropConnection(c); });
    if (socket->state() != QAbstractSocket::ConnectedState)
        DropConnection(c);
    else if (socket->bytesAvailable() > 0)
        ReadBlocks(c);
}

void TRAServerNetwork::ReadBlocks(TRAConnection* c)
{
    if (c->Dropped)
        return;
    c->Reader.Append(c->Info.PeerThread->readAll());
    QByteArray payload;
    while (!c->Dropped) {
        const auto r = c->Reader.Next(payload);
        if (r == RAProtocol::FrameReader::Result::None)
            break;
        if (r == RAProtocol::FrameReader::Result::BadLength) {
            Fire(OnException, QStringLiteral("Audio block length %1 from %2 refused; connection closed")
                                  .arg(c->Reader.BadLengthValue())
                                  .arg(c->Info.PeerThread->peerAddress().toString()));
            DropConnection(c);
            break;
        }
        HandleBlock(c, payload);
    }
}

void TRAServerNetwork::HandleBlock(TRAConnection* c, const QByteArray& payload)
{
    if (c->Refusing)
        return;
    if (payload.size() == RAProtocol::ControlFrameBytes) {
        const std::optional<QString> text = RAProtocol::DecodeControl(payload);
        if (!text || !OnLoginRequest)
            return;
        HandleControl(c, RAProtocol::StripPrefix(*text));
        return;
    }
    // Audio of a connection that has not logged in is ignored.
    if (!c->Info.IsAuthenticated)
        return;
    if (c->Echo)
        Write(c, RAProtocol::EncodeBlock(payload));
    else
        Fire(OnAudioStream, const_cast<char*>(payload.constData()), uint32_t(payload.size()));
}

void TRAServerNetwork::HandleControl(TRAConnection* c, const QString& text)
{
    const bool command = text.startsWith(QLatin1String("E:1")) || text.startsWith(QLatin1String("E:0"))
                      || text.startsWith(QLatin1String("P:")) || text.startsWith(QLatin1String("C:"));
    if (!c->Info.IsAuthenticated) {
        if (!command)
            HandleLogin(c, text);
        return;
    }
    if (text.startsWith(QLatin1String("E:1"))) {
        c->Echo = true;
    } else if (text.startsWith(QLatin1String("E:0"))) {
        c->Echo = false;
    } else if (text.startsWith(QLatin1String("P:"))) {
        HandlePTT(c, text.size() > 2 && text[2] == QLatin1Char('1'));
    } else if (text.startsWith(QLatin1String("C:"))) {
        if (!OnCodecRequest)
            return;
        bool valid = true;
        QString user = c->Info.User;
        QString codecMessage;
        OnCodecRequest(text, valid, user, codecMessage);
        if (!c->Dropped && !codecMessage.isEmpty())
            Write(c, RAProtocol::EncodeCommand(codecMessage));
    }
    // A second login on a logged-in connection changes nothing.
}

void TRAServerNetwork::HandleLogin(TRAConnection* c, const QString& text)
{
    bool valid = false;
    QString user;
    QString codecMessage;
    OnLoginRequest(text, valid, user, codecMessage);
    if (c->Dropped)
        return;
    if (!valid) {
        // Answered after a pause, so that passwords cannot be tried at speed.
        c->Refusing = true;
        c->LoginTimer->stop();
        c->RefusalTimer->start();
        return;
    }
    c->Info.IsAuthenticated = true;
    c->Info.User = user;
    c->LoginTimer->stop();
    if (!codecMessage.isEmpty())
        Write(c, RAProtocol::EncodeCommand(codecMessage));
    SetConnectedUsersCount(FConnectedUsersCount + 1);
}

bool TRAServerNetwork::AnyPTT() const
{
    return std::any_of(FClients.begin(), FClients.end(), [](const TRAConnection* c) { return c->PTT; });
}

void TRAServerNetwork::HandlePTT(TRAConnection* c, bool on)
{
    c->PTT = on;
    // A release from one client leaves another client's keying alone.
    if (on || !AnyPTT())
        Fire(OnPTT, on);
}

void TRAServerNetwork::Broadcast(const void* Data, uint32_t Size)
{
    if (!FActive)
        return;
    const QByteArray message = RAProtocol::EncodeAudio(static_cast<const char*>(Data), qsizetype(Size));
    const QList<TRAConnection*> clients = FClients;
    for (TRAConnection* c : clients) {
        if (!c->Info.IsAuthenticated || c->Refusing || c->Dropped)
            continue;
        if (c->Info.PeerThread->bytesToWrite() > MaxPendingBytes)
            continue;
        Write(c, message);
    }
}

void TRAServerNetwork::Write(TRAConnection* c, const QByteArray& message)
{
    if (c->Dropped)
        return;
    QTcpSocket* socket = c->Info.PeerThread;
    if (socket->state() != QAbstractSocket::ConnectedState)
        return;
    // Failures are ignored: the connection's own close notice ends it.
    socket->write(message);
}

void TRAServerNetwork::DropConnection(TRAConnection* c)
{
    if (c->Dropped)
        return;
    c->Dropped = true;
    c->LoginTimer->stop();
    c->RefusalTimer->stop();
    FClients.removeOne(c);

    QTcpSocket* socket = c->Info.PeerThread;
    socket->disconnect(this);
    // The socket outlives its record until what was written has left.
    socket->setParent(this);
    socket->flush();
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
    } else {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->disconnectFromHost();
        if (socket->state() == QAbstractSocket::UnconnectedState) {
            socket->deleteLater();
        } else {
            // A peer that never reads would keep it open for ever.
            auto* linger = new vx::Timer(LingerMs, true, socket);
            linger->setSingleShot(true);
            linger->OnTimer = [socket] { socket->abort(); };
        }
    }
    c->deleteLater();

    if (c->PTT) {
        c->PTT = false;
        if (!FShutdown && !AnyPTT())
            Fire(OnPTT, false);
    }
    // While shutting down the count is reset once at the end.
    if (c->Info.IsAuthenticated && !FShutdown)
        SetConnectedUsersCount(FConnectedUsersCount - 1);
}

// --- TRAAuthentication ---------------------------------------------------------------------

bool TRAAuthentication::CheckLogin(const QString& Command, QString& User) const
{
    User.clear();
    const auto fields = RAProtocol::Fields(Command);
    const QString user = RAProtocol::Field(fields, QStringLiteral("U")).value_or(QString());
    const QString password = RAProtocol::Field(fields, QStringLiteral("P")).value_or(QString());
    // No password set means no login at all.
    if (FPassword.isEmpty() || user.isEmpty() || password != FPassword)
        return false;
    if (!FUsers.contains(user, Qt::CaseSensitive))
        return false;
    User = user;
    return true;
}

// --- TRAServer -----------------------------------------------------------------------------

TRAServer::TRAServer(QObject* parent)
    : QObject(parent)
    , FServerSocket(new TRAServerNetwork(this))
    , FTrafficTimer(new vx::Timer(1000, false, this))
{
    FTrafficTimer->OnTimer = [this] { TrafficReport(); };
    FServerSocket->OnActive = [this](bool Active) { Fire(OnServerActive, Active); };
    FServerSocket->OnLoginRequest = [this](const QString& Command, bool& ValidLogin, QString& User, QString& CodecMessage) {
        DoLoginRequest(Command, ValidLogin, User, CodecMessage);
    };
    FServerSocket->OnCodecRequest = [this](const QString& Command, bool& ValidLogin, QString& User, QString& CodecMessage) {
        DoCodecRequest(Command, ValidLogin, User, CodecMessage);
    };
    FServerSocket->OnConnectedUsers = [this](int Count, const QString& Text) { DoConnectedUsers(Count, Text); };
    FServerSocket->OnPTT = [this](bool Active) {
        Fire(OnPTT, Active);
        FTransmitting = Active;
    };
    FServerSocket->OnAudioStream = [this](void* Buffer, uint32_t Size) { DoPlayback(Buffer, Size); };
    FServerSocket->OnException = [this](const QString& Message) { Fire(OnNetworkException, Message); };
}

TRAServer::~TRAServer()
{
    FTrafficTimer->stop();
    // Nothing is reported from a component that is going away.
    FServerSocket->OnActive = nullptr;
    FServerSocket->OnConnectedUsers = nullptr;
    FServerSocket->OnPTT = nullptr;
    if (FAudioInput) {
        FAudioInput->OnAudioData = nullptr;
        FAudioInput->OnException = nullptr;
    }
}

void TRAServer::SetAudioInput(TRAAudio* Value)
{
    FAudioInput = Value;
    if (!Value)
        return;
    Value->OnAudioData = [this](void* Buffer, uint32_t Size) { DoBroadcast(Buffer, Size); };
    Value->OnException = [this](const QString& Message) { Fire(OnException, Message); };
}

void TRAServer::SetAudioActive(bool Value)
{
    if (Value == FAudioActive)
        return;
    FAudioActive = Value;
    Fire(OnAudioActive, Value);
}

void TRAServer::SetActive(bool Value)
{
    if (!FServerSocket->Active())
        FServerSocket->SetPort(FAudioPort);
    FServerSocket->SetActive(Value);
    if (!Value) {
        if (FAudioInput)
            FAudioInput->Close();
        if (FAudioOutput)
            FAudioOutput->Close();
        FReceived = 0;
        FTransmitted = 0;
        TrafficReport();
    }
    FActive = Value;
    if (OnNetworkTraffic)
        FTrafficTimer->setEnabled(Value);
}

void TRAServer::Shutdown()
{
    FServerSocket->Shutdown();
    if (FAudioInput)
        FAudioInput->Close();
    if (FAudioOutput)
        FAudioOutput->Close();
}

void TRAServer::OpenCapture()
{
    if (!FAudioInput) {
        SetAudioActive(false);
        return;
    }
    FAudioInput->Open();
    SetAudioActive(FAudioInput->Active());
}

void TRAServer::DoLoginRequest(const QString& Command, bool& ValidLogin, QString& User, QString& CodecMessage)
{
    ValidLogin = FAuthentication.CheckLogin(Command, User);
    if (ValidLogin && FServerSocket->ConnectedUsersCount() == 0) {
        if (FAudioInput) {
            // Only the login's own codec fields: a password cannot carry a codec.
            const QString codec = RAProtocol::CodecFields(Command);
            if (!codec.isEmpty())
                FAudioInput->Codec().CodecRequest(codec);
        }
        OpenCapture();
        Fire(OnCodecChange);
    }
    CodecMessage = ValidLogin && FAudioInput ? FAudioInput->Codec().CodecMessage() : QString();
}

void TRAServer::DoCodecRequest(const QString& Command, bool& ValidLogin, QString& User, QString& CodecMessage)
{
    CodecMessage.clear();
    // With several users the format is shared: nobody may change it.
    if (FServerSocket->ConnectedUsersCount() != 1 || !FAudioInput)
        return;
    FAudioInput->Close();
    if (FAudioOutput)
        FAudioOutput->Close();
    const QString codec = RAProtocol::CodecFields(Command);
    if (!codec.isEmpty())
        FAudioInput->Codec().CodecRequest(codec);
    OpenCapture();
    Fire(OnCodecChange);
    CodecMessage = FAudioInput->Codec().CodecMessage();
}

void TRAServer::DoConnectedUsers(int Count, const QString& Text)
{
    if (Count == 0) {
        if (FAudioInput)
            FAudioInput->Close();
        SetAudioActive(false);
    }
    Fire(OnConnectedUsers, Count, Text);
}

void TRAServer::DoBroadcast(void* Buffer, uint32_t Size)
{
    if (!Buffer || Size == 0)
        return;
    if (FBroadcastAudioOnTX || !FTransmitting) {
        FServerSocket->Broadcast(Buffer, Size);
        FTransmitted += Size;
    }
}

void TRAServer::DoPlayback(void* Buffer, uint32_t Size)
{
    if (!FAudioOutput)
        return;
    if (!FAudioOutput->Active())
        FAudioOutput->Open();
    FAudioOutput->Play(Buffer, int(Size));
    FReceived += Size;
}

void TRAServer::TrafficReport()
{
    if (OnNetworkTraffic)
        OnNetworkTraffic(TrafficRateText(FReceived.load()), TrafficRateText(FTransmitted.load()));
    FReceived = 0;
    FTransmitted = 0;
}
