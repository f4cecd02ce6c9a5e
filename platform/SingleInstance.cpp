#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>

namespace vx {

namespace {

// What a later start sends; the running instance only needs to hear that one came.
const QByteArray ShowMessage = QByteArrayLiteral("show\n");

QString RuntimeFolder()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dir.isEmpty() ? QDir::tempPath() : dir;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent)
    , FName(name)
{
}

SingleInstance::~SingleInstance()
{
    if (FServer)
        FServer->close();
    if (FLock)
        FLock->unlock();
}

QString SingleInstance::LockFileName() const
{
    return RuntimeFolder() + QLatin1Char('/') + FName + QStringLiteral(".lock");
}

QString SingleInstance::ServerName() const
{
    return RuntimeFolder() + QLatin1Char('/') + FName;
}

bool SingleInstance::Acquire()
{
    if (FFirst)
        return true;
    QDir().mkpath(RuntimeFolder());
    FLock = std::make_unique<QLockFile>(LockFileName());
    // No age limit: only a lock whose process is gone is stale, however old it is.
    FLock->setStaleLockTime(0);
    if (!FLock->tryLock(0)) {
        if (FLock->error() == QLockFile::LockFailedError) {
            FLock.reset();
            return false;
        }
        qWarning("Single-instance lock %s cannot be made; starting anyway", qPrintable(LockFileName()));
    }
    FFirst = true;
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket a crashed instance left would make listen() fail.
    QLocalServer::removeServer(ServerName());
    if (!FServer->listen(ServerName()))
        qWarning("Single-instance socket %s: %s", qPrintable(ServerName()), qPrintable(FServer->errorString()));
    connect(FServer, &QLocalServer::newConnection, this, &SingleInstance::DoNewConnection);
    return true;
}

void SingleInstance::DoNewConnection()
{
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QPointer<SingleInstance> self(this);
        connect(socket, &QLocalSocket::readyRead, this, [self, socket] {
            // Whatever arrives is the request; one per connection.
            socket->readAll();
            socket->disconnectFromServer();
            if (self && self->OnActivate)
                self->OnActivate();
        });
    }
}

bool SingleInstance::SignalRunning(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(ServerName());
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
            socket.write(ShowMessage);
            const bool sent = socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())));
            socket.disconnectFromServer();
            if (sent)
                return true;
        }
        // The running instance may hold the lock but not listen yet.
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return false;
}

} // namespace vx
