#include "dx/TelnetClient.h"

#include "platform/Clock.h"

#include <QTcpSocket>

namespace {

constexpr uint8_t SE = 240;
constexpr uint8_t SB = 250;
constexpr uint8_t WILL = 251;
constexpr uint8_t WONT = 252;
constexpr uint8_t DO = 253;
constexpr uint8_t DONT = 254;
constexpr uint8_t IAC = 255;

} // namespace

TTelnetClient::TTelnetClient(QObject* parent)
    : QObject(parent)
{
    FSocket = new QTcpSocket(this);
    connect(FSocket, &QTcpSocket::connected, this, [this] { DoConnected(); });
    connect(FSocket, &QTcpSocket::disconnected, this, [this] { DoDisconnected(); });
    connect(FSocket, &QTcpSocket::errorOccurred, this, [this] { DoError(); });
    connect(FSocket, &QTcpSocket::readyRead, this, [this] { DoReadyRead(); });
    FConnectTimer = new vx::Timer(FConnectTimeout, false, this);
    FConnectTimer->setSingleShot(true);
    FConnectTimer->OnTimer = [this] { DoConnectTimeout(); };
}

TTelnetClient::~TTelnetClient()
{
    // Nothing is reported from a client that is going away.
    FSocket->disconnect(this);
    FSocket->abort();
}

bool TTelnetClient::Connected() const
{
    return FConnected;
}

void TTelnetClient::Connect()
{
    if (FConnected || FConnecting)
        Disconnect();
    FConnecting = true;
    FState = TState::Data;
    FConnectTimer->setInterval(FConnectTimeout);
    FConnectTimer->start();
    FSocket->connectToHost(FHost, FPort);
}

void TTelnetClient::Disconnect()
{
    FConnectTimer->stop();
    FConnecting = false;
    if (FSocket->state() != QAbstractSocket::UnconnectedState)
        FSocket->abort();
    // abort() reports the end of a connection through disconnected(); an attempt that never
    // connected reports nothing.
    if (FConnected)
        DoDisconnected();
}

bool TTelnetClient::WriteLn(const QString& text)
{
    if (!FConnected)
        return false;
    QByteArray bytes;
    const QByteArray latin = text.toLatin1();
    bytes.reserve(latin.size() + 2);
    for (char c : latin) {
        bytes.append(c);
        if (uint8_t(c) == IAC) // a data byte 255 is sent doubled
            bytes.append(c);
    }
    bytes.append("\r\n");
    return FSocket->write(bytes) == bytes.size();
}

void TTelnetClient::DoConnected()
{
    FConnectTimer->stop();
    FConnecting = false;
    FConnected = true;
    Fire(OnConnected);
}

void TTelnetClient::DoDisconnected()
{
    if (!FConnected)
        return;
    FConnected = false;
    Fire(OnDisconnected);
}

void TTelnetClient::DoError()
{
    if (FConnecting)
        FailConnect(FSocket->errorString());
    // A connection that breaks ends through disconnected().
}

void TTelnetClient::DoConnectTimeout()
{
    if (FConnecting)
        FailConnect(QStringLiteral("Connection timed out"));
}

void TTelnetClient::FailConnect(const QString& reason)
{
    FConnectTimer->stop();
    FConnecting = false;
    FSocket->abort();
    Fire(OnConnectFailed, QStringLiteral("Cannot connect to %1:%2: %3").arg(FHost).arg(FPort).arg(reason));
}

void TTelnetClient::DoReadyRead()
{
    const QByteArray data = Negotiate(FSocket->readAll());
    if (!data.isEmpty() && FConnected)
        Fire(OnDataAvailable, QString::fromLatin1(data));
}

QByteArray TTelnetClient::Negotiate(const QByteArray& bytes)
{
    QByteArray data;
    QByteArray reply;
    data.reserve(bytes.size());
    for (char ch : bytes) {
        const uint8_t b = uint8_t(ch);
        switch (FState) {
        case TState::Data:
            if (b == IAC)
                FState = TState::IAC;
            else if (b != 0) // "CR NUL" is a bare CR
                data.append(ch);
            break;
        case TState::IAC:
            if (b == IAC) {
                data.append(ch);
                FState = TState::Data;
            } else if (b >= WILL) {
                FOptionCommand = b;
                FState = TState::Option;
            } else if (b == SB) {
                FState = TState::Sub;
                FSubLength = 0;
            } else {
                FState = TState::Data;
            }
            break;
        case TState::Option:
            // Every option stays off: requests to turn one on are refused, refusals need no
            // answer (so two refusing ends never loop).
            if (FOptionCommand == DO)
                reply.append(char(IAC)).append(char(WONT)).append(ch);
            else if (FOptionCommand == WILL)
                reply.append(char(IAC)).append(char(DONT)).append(ch);
            FState = TState::Data;
            break;
        case TState::Sub:
            if (++FSubLength > MaxSubnegotiation)
                FState = TState::SubLost;
            else if (b == IAC)
                FState = TState::SubIAC;
            break;
        case TState::SubIAC:
            FState = b == SE ? TState::Data : TState::Sub;
            break;
        case TState::SubLost:
            // The line end still ends whatever line the subnegotiation interrupted.
            if (b == '\n') {
                data.append(ch);
                FState = TState::Data;
            }
            break;
        }
    }
    if (!reply.isEmpty() && FConnected)
        FSocket->write(reply);
    return data;
}
