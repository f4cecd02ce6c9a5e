#include "platform/MessageBus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtEndian>
#include <cstring>

namespace vx {

namespace {

constexpr char Magic[4] = {'V', 'X', 'M', 'B'};
constexpr int PrefixSize = 8;   // magic and length
constexpr int FixedSize = 33;   // sender, target, wParam, lParam, name length
constexpr int MaxRest = BusMaxFrame - PrefixSize;

bool ValidName(QByteArrayView name)
{
    if (name.isEmpty() || name.size() > BusMaxNameLength)
        return false;
    for (const char c : name)
        if (uchar(c) < 0x20 || uchar(c) > 0x7e)
            return false;
    return true;
}

// The name as the table holds it; empty when it cannot be a name.
QByteArray NameKey(const QString& name)
{
    const QByteArray key = name.toLatin1();
    return key.size() == name.size() && ValidName(key) ? key : QByteArray();
}

// --- The name table -------------------------------------------------------------------------
// One file in the bus folder, a line per name: four hexadecimal digits, a blank, the name.
// Processes append under a lock file; lines are never changed or removed, so a number once
// given keeps its name for as long as the folder lives (the user's session).

struct NameTable {
    QMutex Mutex;
    QString Folder; // the folder the cache below was read from
    QHash<QByteArray, uint32_t> ByName;
    QHash<uint32_t, QByteArray> ByNumber;
};

NameTable& Table()
{
    static NameTable t;
    return t;
}

QString TableFile(const QString& folder)
{
    return folder + QStringLiteral("/names");
}

bool EnsureFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    // Only the user may reach the endpoints and the table.
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Reads the table file into the cache (the caller holds the mutex).
void ReadTable(NameTable& t)
{
    QFile f(TableFile(t.Folder));
    if (!f.open(QIODevice::ReadOnly))
        return;
    while (!f.atEnd()) {
        QByteArray line = f.readLine(BusMaxNameLength + 16);
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.size() < 6 || line[4] != ' ')
            continue; // not a line of ours; skipped
        bool ok = false;
        const uint32_t number = line.left(4).toUInt(&ok, 16);
        const QByteArray name = line.mid(5);
        if (!ok || number < BusFirstMessage || number > BusLastMessage || !ValidName(name))
            continue;
        if (t.ByName.contains(name) || t.ByNumber.contains(number))
            continue; // the first line of a name or number holds
        t.ByName.insert(name, number);
        t.ByNumber.insert(number, name);
    }
}

// The table of the current folder, its cache refreshed from the file when asked.
NameTable& CurrentTable(bool refresh)
{
    NameTable& t = Table();
    const QString folder = BusFolder();
    if (t.Folder != folder) {
        t.Folder = folder;
        t.ByName.clear();
        t.ByNumber.clear();
        refresh = true;
    }
    if (refresh)
        ReadTable(t);
    return t;
}

void PutU32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void PutU64(QByteArray& out, quint64 v)
{
    char b[8];
    qToLittleEndian(v, b);
    out.append(b, 8);
}

quint64 GetU64(const char* p)
{
    return qFromLittleEndian<quint64>(p);
}

QByteArray EncodeFrame(quint64 sender, quint64 target, const QByteArray& name, quint64 wParam, qint64 lParam,
                       const QByteArray& data)
{
    QByteArray out;
    out.reserve(PrefixSize + FixedSize + name.size() + data.size());
    out.append(Magic, 4);
    PutU32(out, quint32(FixedSize + name.size() + data.size()));
    PutU64(out, sender);
    PutU64(out, target);
    PutU64(out, wParam);
    PutU64(out, quint64(lParam));
    out.append(char(name.size()));
    out.append(name);
    out.append(data);
    return out;
}

} // namespace

QString BusFolder()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime + QStringLiteral("/vornix-bus");
}

uint32_t RegisterBusMessage(const QString& name)
{
    const QByteArray key = NameKey(name);
    if (key.isEmpty())
        return 0;
    if (const uint32_t known = FindBusMessage(name))
        return known;
    QMutexLocker lock(&Table().Mutex);
    NameTable& t = CurrentTable(false);
    if (!EnsureFolder(t.Folder))
        return 0;
    // Another process may add the name at the same time: read again under the lock, then
    // append.
    QLockFile fileLock(TableFile(t.Folder) + QStringLiteral(".lock"));
    if (!fileLock.tryLock(5000))
        return 0;
    ReadTable(t);
    if (const auto it = t.ByName.constFind(key); it != t.ByName.cend())
        return *it;
    uint32_t next = BusFirstMessage;
    for (auto it = t.ByNumber.cbegin(); it != t.ByNumber.cend(); ++it)
        next = qMax(next, it.key() + 1);
    if (next > BusLastMessage)
        return 0;
    QFile f(TableFile(t.Folder));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return 0;
    const QByteArray line = QByteArray::number(next, 16).toUpper() + ' ' + key + '\n';
    if (f.write(line) != line.size() || !f.flush())
        return 0;
    t.ByName.insert(key, next);
    t.ByNumber.insert(next, key);
    return next;
}

uint32_t FindBusMessage(const QString& name)
{
    const QByteArray key = NameKey(name);
    if (key.isEmpty())
        return 0;
    QMutexLocker lock(&Table().Mutex);
    if (const uint32_t cached = CurrentTable(false).ByName.value(key, 0))
        return cached;
    return CurrentTable(true).ByName.value(key, 0);
}

QString BusMessageName(uint32_t number)
{
    QMutexLocker lock(&Table().Mutex);
    NameTable& t = CurrentTable(false);
    if (const auto it = t.ByNumber.constFind(number); it != t.ByNumber.cend())
        return QString::fromLatin1(*it);
    return QString::fromLatin1(CurrentTable(true).ByNumber.value(number));
}

// --- Endpoint -------------------------------------------------------------------------------

struct BusEndpoint::Outgoing {
    QLocalSocket* Socket = nullptr;
    QByteArray Pending; // frames posted while the connection was still being made
};

struct BusEndpoint::Incoming {
    QLocalSocket* Socket = nullptr;
    QByteArray Buffer;
    quint64 Sender = 0; // known from the first frame
};

BusEndpoint::BusEndpoint(QObject* parent)
    : QObject(parent)
{
}

BusEndpoint::~BusEndpoint()
{
    Close();
}

QString BusEndpoint::SocketPath(quint64 id)
{
    return BusFolder() + QLatin1Char('/') + QStringLiteral("%1").arg(id, 16, 16, QLatin1Char('0')).toUpper();
}

bool BusEndpoint::IsOpen() const
{
    return FServer != nullptr;
}

int BusEndpoint::ConnectionCount() const
{
    return int(FOutgoing.size() + FIncoming.size());
}

bool BusEndpoint::Open(quint64 id)
{
    Close();
    FError.clear();
    if (!EnsureFolder(BusFolder())) {
        FError = QStringLiteral("The bus folder %1 cannot be used").arg(BusFolder());
        return false;
    }
    if (id == BusBroadcast) {
        FError = QStringLiteral("The broadcast id is no endpoint id");
        return false;
    }
    if (id != 0)
        return Listen(id);
    // Ids above the broadcast handle, short enough to read in a command line.
    for (int attempt = 0; attempt < 64; ++attempt) {
        const quint64 candidate = QRandomGenerator::system()->generate();
        if (candidate > BusBroadcast && Listen(candidate))
            return true;
    }
    return false;
}

bool BusEndpoint::Listen(quint64 id)
{
    const QString path = SocketPath(id);
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) {
        // A live endpoint accepts at once; a socket whose owner is gone refuses.
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.state() != QLocalSocket::UnconnectedState) {
            probe.abort();
            FError = QStringLiteral("The endpoint %1 is in use").arg(id, 0, 16);
            return false;
        }
        QLocalServer::removeServer(path);
    }
    auto* server = new QLocalServer(this);
    if (!server->listen(path)) {
        FError = server->errorString();
        delete server;
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, &BusEndpoint::DoNewConnection);
    FServer = server;
    FId = id;
    return true;
}

void BusEndpoint::Close()
{
    const QList<quint64> targets = FOutgoing.keys();
    for (const quint64 target : targets) {
        // What was posted last (a goodbye) still goes out as far as the receiver takes it
        // now; nothing waits for a receiver that does not read.
        if (Outgoing* out = FOutgoing.value(target); out->Socket->state() == QLocalSocket::ConnectedState)
            out->Socket->flush();
        DropOutgoing(target, false);
    }
    const QList<Incoming*> incoming = FIncoming;
    for (Incoming* in : incoming)
        DropIncoming(in, false);
    if (FServer) {
        FServer->disconnect(this);
        FServer->close(); // removes the socket file
        delete FServer;
        FServer = nullptr;
    }
    FId = 0;
}

bool BusEndpoint::Post(quint64 target, uint32_t msg, quint64 wParam, qint64 lParam, const QByteArray& data)
{
    if (!FServer)
        return false;
    const QByteArray name = BusMessageName(msg).toLatin1();
    if (name.isEmpty() || PrefixSize + FixedSize + name.size() + data.size() > BusMaxFrame)
        return false;
    const QByteArray frame = EncodeFrame(FId, target, name, wParam, lParam, data);
    if (target != BusBroadcast)
        return QueueFrame(target, frame);
    bool any = false;
    const QStringList entries = QDir(BusFolder()).entryList(QDir::System | QDir::Files | QDir::Hidden);
    for (const QString& entry : entries) {
        bool ok = false;
        const quint64 id = entry.size() == 16 ? entry.toULongLong(&ok, 16) : 0;
        if (ok && id != FId && id != 0 && id != BusBroadcast)
            any = QueueFrame(id, frame) || any;
    }
    return any;
}

bool BusEndpoint::QueueFrame(quint64 target, const QByteArray& frame)
{
    Outgoing* out = FOutgoing.value(target);
    if (!out) {
        auto* socket = new QLocalSocket(this);
        socket->connectToServer(SocketPath(target));
        // Handlers are attached after the call, so nothing it reports runs in the middle of
        // this one.
        if (socket->state() == QLocalSocket::UnconnectedState) {
            socket->deleteLater();
            return false;
        }
        out = new Outgoing;
        out->Socket = socket;
        FOutgoing.insert(target, out);
        connect(socket, &QLocalSocket::connected, this, [this, target] {
            Outgoing* o = FOutgoing.value(target);
            if (o && !o->Pending.isEmpty()) {
                o->Socket->write(o->Pending);
                o->Pending.clear();
            }
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, target] { DropOutgoing(target, true); });
        connect(socket, &QLocalSocket::errorOccurred, this, [this, target](QLocalSocket::LocalSocketError) {
            Outgoing* o = FOutgoing.value(target);
            if (o && o->Socket->state() == QLocalSocket::UnconnectedState)
                DropOutgoing(target, true);
        });
        // Receivers never answer on this connection; anything they write is thrown away.
        connect(socket, &QLocalSocket::readyRead, socket, [socket] { socket->readAll(); });
    }
    const bool connected = out->Socket->state() == QLocalSocket::ConnectedState;
    const qint64 queued = connected ? out->Socket->bytesToWrite() : out->Pending.size();
    if (queued + frame.size() > BusQueueLimit) {
        // A receiver that does not read would hold this program's memory: it is let go.
        DropOutgoing(target, true);
        return false;
    }
    if (connected)
        return out->Socket->write(frame) == frame.size();
    out->Pending += frame;
    return true;
}

void BusEndpoint::DropOutgoing(quint64 target, bool report)
{
    Outgoing* out = FOutgoing.take(target);
    if (!out)
        return;
    out->Socket->disconnect(this);
    out->Socket->abort();
    out->Socket->deleteLater();
    delete out;
    if (report)
        ReportGone(target);
}

void BusEndpoint::DoNewConnection()
{
    while (FServer && FServer->hasPendingConnections()) {
        QLocalSocket* socket = FServer->nextPendingConnection();
        socket->setParent(this);
        auto* in = new Incoming;
        in->Socket = socket;
        // One frame at a time is held; the sender waits in the kernel for the rest.
        socket->setReadBufferSize(BusMaxFrame);
        FIncoming.append(in);
        connect(socket, &QLocalSocket::readyRead, this, [this, in] { DoReadyRead(in); });
        connect(socket, &QLocalSocket::disconnected, this, [this, in] { DropIncoming(in, true); });
        if (socket->bytesAvailable() > 0)
            DoReadyRead(in);
    }
}

void BusEndpoint::DoReadyRead(Incoming* in)
{
    if (!FIncoming.contains(in))
        return;
    QPointer<BusEndpoint> alive(this);
    in->Buffer += in->Socket->readAll();
    for (;;) {
        const QByteArray& b = in->Buffer;
        if (b.size() < PrefixSize)
            return;
        const quint32 rest = qFromLittleEndian<quint32>(b.constData() + 4);
        if (memcmp(b.constData(), Magic, 4) != 0 || rest < quint32(FixedSize + 1) || rest > quint32(MaxRest)) {
            DropIncoming(in, true);
            return;
        }
        if (b.size() < qsizetype(PrefixSize + rest))
            return;
        const char* p = b.constData() + PrefixSize;
        BusMessage m;
        m.Sender = GetU64(p);
        m.Target = GetU64(p + 8);
        m.WParam = GetU64(p + 16);
        m.LParam = qint64(GetU64(p + 24));
        const int nameLength = uchar(p[32]);
        const QByteArrayView name(p + FixedSize, qMin<qsizetype>(nameLength, rest - FixedSize));
        const bool valid = m.Sender != 0 && m.Sender != BusBroadcast && (in->Sender == 0 || m.Sender == in->Sender)
                           && (m.Target == FId || m.Target == BusBroadcast) && FixedSize + nameLength <= int(rest)
                           && ValidName(name);
        if (!valid) {
            // Whatever follows cannot be trusted to start at a frame boundary.
            DropIncoming(in, true);
            return;
        }
        in->Sender = m.Sender;
        m.Name = QString::fromLatin1(name);
        m.Data = b.mid(PrefixSize + FixedSize + nameLength, rest - FixedSize - nameLength);
        in->Buffer.remove(0, PrefixSize + rest);
        // A name nobody of this user registered is meant for no one here.
        m.Msg = FindBusMessage(m.Name);
        if (m.Msg == 0)
            continue;
        Deliver(m);
        if (!alive || !FIncoming.contains(in))
            return;
    }
}

void BusEndpoint::Deliver(const BusMessage& message)
{
    const auto route = FRoutes.constFind(message.Msg);
    const BusMessageHandler handler = route != FRoutes.cend() ? route->OnMessage : OnMessage;
    if (handler)
        handler(message);
}

void BusEndpoint::DropIncoming(Incoming* in, bool report)
{
    if (!FIncoming.removeOne(in))
        return;
    in->Socket->disconnect(this);
    in->Socket->abort();
    in->Socket->deleteLater();
    const quint64 sender = in->Sender;
    delete in;
    if (report && sender != 0)
        ReportGone(sender);
}

void BusEndpoint::ReportGone(quint64 peer)
{
    // Reported from the event loop, never from inside a Post or a delivery.
    QMetaObject::invokeMethod(
        this,
        [this, peer] {
            QList<BusPeerHandler> handlers;
            for (const Route_& r : std::as_const(FRoutes))
                if (r.OnPeerGone)
                    handlers << r.OnPeerGone;
            if (OnPeerGone)
                handlers << OnPeerGone;
            QPointer<BusEndpoint> alive(this);
            for (const BusPeerHandler& h : handlers) {
                h(peer);
                if (!alive)
                    return;
            }
        },
        Qt::QueuedConnection);
}

void BusEndpoint::Route(uint32_t msg, BusMessageHandler onMessage, BusPeerHandler onPeerGone)
{
    FRoutes.insert(msg, {std::move(onMessage), std::move(onPeerGone)});
}

} // namespace vx
