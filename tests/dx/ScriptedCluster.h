#pragma once
// A cluster node on 127.0.0.1 that plays a script: it sends text (cut into pieces at
// arbitrary byte boundaries) and waits for lines from the client, recording everything the
// client sends and how much of the script had gone out when each line arrived.

#include <QByteArray>
#include <QFile>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <random>

class ScriptedCluster {
public:
    struct Step {
        enum Kind { Send, ExpectLine, Close } kind;
        QByteArray bytes;
    };

    ScriptedCluster()
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, &context, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                ++connections;
                if (socket) { // one client at a time; later ones replace it
                    socket->disconnect(&context);
                    socket->deleteLater();
                }
                socket = s;
                QObject::connect(s, &QTcpSocket::readyRead, &context, [this, s] { Read(s); });
                QObject::connect(s, &QTcpSocket::disconnected, &context, [this] { clientClosed = true; });
                Schedule();
            }
        });
    }
    ~ScriptedCluster()
    {
        if (socket)
            socket->abort();
    }

    quint16 port() const { return server.serverPort(); }

    ScriptedCluster& send(const QByteArray& bytes)
    {
        steps.append(Step{Step::Send, bytes});
        return *this;
    }
    ScriptedCluster& expectLine()
    {
        steps.append(Step{Step::ExpectLine, QByteArray()});
        return *this;
    }
    ScriptedCluster& close()
    {
        steps.append(Step{Step::Close, QByteArray()});
        return *this;
    }

    // Pieces of 1..maxPiece bytes from a seeded generator; 0 sends every step whole.
    void cutPieces(unsigned seed, int maxPiece)
    {
        rng.seed(seed);
        this->maxPiece = maxPiece;
    }

    // When set, a piece goes out only after the client has taken all bytes sent before it,
    // so every piece is one delivery.
    std::function<qint64()> clientTaken;

    bool finished() const { return step >= steps.size(); }

    QByteArray received;           // every byte from the client
    QList<QByteArray> lines;       // its lines, CR LF removed
    QList<qint64> sentBeforeLine;  // script bytes sent when each line had arrived
    qint64 sent = 0;
    int connections = 0;
    bool clientClosed = false;

private:
    void Read(QTcpSocket* s)
    {
        const QByteArray bytes = s->readAll();
        received += bytes;
        pendingLine += bytes;
        for (qsizetype i; (i = pendingLine.indexOf("\r\n")) >= 0;) {
            lines.append(pendingLine.left(i));
            sentBeforeLine.append(sent);
            pendingLine.remove(0, i + 2);
        }
        Schedule();
    }

    void Schedule() { QTimer::singleShot(0, &context, [this] { Run(); }); }

    void Run()
    {
        if (!socket || running)
            return;
        running = true;
        while (step < steps.size()) {
            Step& s = steps[step];
            if (s.kind == Step::ExpectLine) {
                if (lines.size() <= expected)
                    break;
                ++expected;
                ++step;
                continue;
            }
            if (s.kind == Step::Close) {
                socket->flush();
                socket->disconnectFromHost();
                ++step;
                continue;
            }
            if (clientTaken && clientTaken() < sent) {
                QTimer::singleShot(1, &context, [this] { Run(); });
                break;
            }
            qsizetype n = s.bytes.size() - offset;
            if (maxPiece > 0)
                n = std::min<qsizetype>(n, std::uniform_int_distribution<int>(1, maxPiece)(rng));
            socket->write(s.bytes.mid(offset, n));
            socket->flush();
            sent += n;
            offset += n;
            if (offset >= s.bytes.size()) {
                offset = 0;
                ++step;
            }
            if (maxPiece > 0 || clientTaken) {
                // Let the client read before the next piece.
                QTimer::singleShot(1, &context, [this] { Run(); });
                break;
            }
        }
        running = false;
    }

    QObject context;
    QTcpServer server;
    QTcpSocket* socket = nullptr;
    QList<Step> steps;
    qsizetype step = 0;
    qsizetype offset = 0;
    int expected = 0;
    bool running = false;
    int maxPiece = 0;
    std::mt19937 rng{1};
    QByteArray pendingLine;
};

// The text of a capture file.
inline QByteArray ReadCapture(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
