#include "remote/WSJTServer.h"

#include "core/IniStore.h"
#include "core/RemoteLinks.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

const QString Section = QStringLiteral("Server\\WSJT-X");
// Senders write "Log" or "log", with or without a blank before "<parameters:".
const QString Marker = QStringLiteral("<command:3>log");
const QString EndOfRecord = QStringLiteral("<EOR>");
const QString Parameters = QStringLiteral("<parameters:");

// The QSO's ADIF text of one message (marker to "<EOR>"): the command header is left out.
QString QSOTextOf(const QString& message)
{
    qsizetype i = Marker.size();
    while (i < message.size() && message[i].isSpace())
        ++i;
    if (QStringView(message).mid(i).startsWith(Parameters, Qt::CaseInsensitive)) {
        const qsizetype gt = message.indexOf(u'>', i);
        if (gt >= 0)
            i = gt + 1;
    }
    while (i < message.size() && message[i].isSpace())
        ++i;
    QString text = message.mid(i);
    // A QSO travels on as one line of the remote link: line breaks become blanks (which keeps
    // every ADIF length right).
    for (QChar& c : text)
        if (c == u'\r' || c == u'\n')
            c = u' ';
    return text;
}

} // namespace

TWSJTServer::TWSJTServer(QObject* parent)
    : QObject(parent)
{
    FWSJTTCPServer = new QTcpServer(this);
    connect(FWSJTTCPServer, &QTcpServer::newConnection, this, [this] { DoNewConnection(); });
}

TWSJTServer::~TWSJTServer()
{
    Close();
}

void TWSJTServer::IniRead(TIniStore& ini)
{
    FWSJTEnabled = ini.ReadBool(Section, QStringLiteral("Enabled"), FWSJTEnabled);
    FWSJTPort = ini.ReadInteger(Section, QStringLiteral("Port"), FWSJTPort);
    FWSJTLogBand = ini.ReadBool(Section, QStringLiteral("LogBand"), FWSJTLogBand);
    FWSJTLogFreq = ini.ReadBool(Section, QStringLiteral("LogFreq"), FWSJTLogFreq);
}

void TWSJTServer::IniWrite(TIniStore& ini) const
{
    ini.WriteBool(Section, QStringLiteral("Enabled"), FWSJTEnabled);
    ini.WriteInteger(Section, QStringLiteral("Port"), FWSJTPort);
    ini.WriteBool(Section, QStringLiteral("LogBand"), FWSJTLogBand);
    ini.WriteBool(Section, QStringLiteral("LogFreq"), FWSJTLogFreq);
}

void TWSJTServer::Open()
{
    if (!FWSJTEnabled || FWSJTPort <= 0 || FWSJTPort > 65535 || FWSJTTCPServer->isListening())
        return;
    if (!FWSJTTCPServer->listen(QHostAddress::AnyIPv4, quint16(FWSJTPort)))
        Fire(OnStatus, QStringLiteral("WSJT-X server cannot listen on port %1: %2")
                           .arg(FWSJTPort)
                           .arg(FWSJTTCPServer->errorString()));
}

void TWSJTServer::Close()
{
    if (FWSJTTCPServer->isListening())
        FWSJTTCPServer->close();
    const auto sockets = FConnections.keys();
    FConnections.clear();
    for (QTcpSocket* s : sockets) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
}

bool TWSJTServer::Listening() const
{
    return FWSJTTCPServer->isListening();
}

uint16_t TWSJTServer::ServerPort() const
{
    return FWSJTTCPServer->isListening() ? FWSJTTCPServer->serverPort() : 0;
}

void TWSJTServer::DoNewConnection()
{
    while (QTcpSocket* socket = FWSJTTCPServer->nextPendingConnection()) {
        FConnections.insert(socket, std::make_shared<TConnection>());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { DoReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            FConnections.remove(socket);
            socket->deleteLater();
        });
    }
}

void TWSJTServer::DoReadyRead(QTcpSocket* socket)
{
    const auto it = FConnections.constFind(socket);
    if (it == FConnections.cend())
        return;
    // Handlers below may close the server: the collector stays alive for this pass.
    const std::shared_ptr<TConnection> connection = it.value();
    // The decoder gives one U+FFFD for each byte that is not UTF-8 (also across reads); such
    // a byte is stored as "?", as the log has no use for the replacement character.
    QString text = connection->Decoder.decode(socket->readAll());
    text.replace(QChar::ReplacementCharacter, QLatin1Char('?'));
    connection->Collector += text;
    if (Collect(*connection))
        return;
    if (!connection->Reported) {
        connection->Reported = true;
        Fire(OnStatus, QStringLiteral("WSJT-X message of more than %1 characters from %2 dropped: connection closed")
                           .arg(MaxCollector)
                           .arg(socket->peerAddress().toString()));
    }
    FConnections.remove(socket);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

bool TWSJTServer::Collect(TConnection& connection)
{
    QString& c = connection.Collector;
    for (;;) {
        qsizetype start = c.indexOf(Marker, 0, Qt::CaseInsensitive);
        if (start < 0) {
            // Keep what may be the beginning of a marker cut by the network.
            c = c.right(Marker.size() - 1);
            return true;
        }
        const qsizetype end = c.indexOf(EndOfRecord, start + Marker.size(), Qt::CaseInsensitive);
        if (end < 0) {
            c.remove(0, start);
            if (c.size() > MaxCollector) {
                c.clear();
                return false;
            }
            return true;
        }
        // A new marker before the end restarts the collection.
        for (qsizetype next = c.indexOf(Marker, start + 1, Qt::CaseInsensitive); next >= 0 && next < end;
             next = c.indexOf(Marker, next + 1, Qt::CaseInsensitive))
            start = next;
        const QString message = c.mid(start, end + EndOfRecord.size() - start);
        c.remove(0, end + EndOfRecord.size());
        // The announced length is not trusted: senders count characters while sending UTF-8,
        // so "<EOR>" alone ends the QSO.
        HandleWSJTQSO(QSOTextOf(message));
    }
}

void TWSJTServer::HandleWSJTQSO(const QString& QSOText)
{
    const TApplicationType role = FDM ? FDM->ApplicationType() : isLocal;
    if (role == isLocalAndRemoteServer || role == isRemoteServer) {
        if (FServer)
            FServer->ServerBroadcastMessage(QStringLiteral("JT:") + QSOText + QLatin1Char(';'));
    } else if (FDMDX) {
        FDMDX->AddWSJTQSO(QSOText);
    }
}
