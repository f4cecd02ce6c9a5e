#pragma once
// What the cluster benchmarks share: the process's memory figures, and the lines a busy node
// writes (spots of real calls, WWV and text lines).

#include "bench/BenchData.h"
#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdint>

// The run's length and line rate from "--seconds N" and "--rate LINES_PER_SECOND" (60 s,
// 200 lines/s); the settings and data folders go to `home`, and the offscreen platform is used
// unless another is set.
struct TClusterRun {
    int Seconds = 60;
    int Rate = 200;
};

inline TClusterRun PrepareClusterRun(int argc, char** argv, const QTemporaryDir& home)
{
    TClusterRun run;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--seconds") == 0)
            run.Seconds = atoi(argv[++i]);
        else if (qstrcmp(argv[i], "--rate") == 0)
            run.Rate = atoi(argv[++i]);
    }
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return run;
}

// A figure of /proc/self/status in kB ("VmRSS:", "VmHWM:"); -1 when unreadable.
inline long StatusKB(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLong();
    return -1;
}

// The real calls of the super-check-partial list, or made-up ones when it is not installed.
inline QStringList ClusterCalls()
{
    QStringList calls;
    QFile f(MasterScpFile);
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& l : f.readAll().split('\n'))
            if (!l.startsWith('#') && l.trimmed().size() >= 3)
                calls << QString::fromLatin1(l.trimmed());
    if (calls.isEmpty())
        for (int i = 0; i < 20000; ++i)
            calls << QStringLiteral("K%1AB").arg(i);
    return calls;
}

// One live spot line in the node's fixed columns.
inline QByteArray ClusterSpotLine(const QString& spotter, int32_t hz, const QString& call, const QString& comment,
                                  const QDateTime& time)
{
    QString head = QStringLiteral("DX de %1:").arg(spotter);
    const QString freq = QStringLiteral("%1.%2").arg(hz / 1000).arg(hz % 1000 / 100);
    head = head.leftJustified(24 - freq.size(), u' ') + freq + "  ";
    QString line = head + call.leftJustified(13, u' ') + comment;
    line = line.leftJustified(70, u' ').left(70) + time.toString(QStringLiteral("HHmm")) + "Z";
    return line.toLatin1();
}

// One cluster line after another as a busy node writes them: mostly spots on ten bands,
// every 97th a talk line, every 500th a WWV report.
class TClusterLineSource {
public:
    explicit TClusterLineSource(quint32 seed = 42)
        : FRng(seed)
    {
    }

    QByteArray Next()
    {
        ++FCount;
        if (FCount % 500 == 0)
            return "WWV de VE7CC <18>:   SFI=141, A=5, K=2, No Storms -> No Storms";
        if (FCount % 97 == 0)
            return "To ALL de IK8CNT: UA4WHX pse beaming south";
        static const int32_t bands[] = {1825000, 3525000, 7025000, 10120000, 14025000,
                                        18080000, 21025000, 24900000, 28025000, 50100000};
        const int32_t hz = bands[FRng.bounded(10)] + int32_t(FRng.bounded(40)) * 500;
        return Spot(hz, QDateTime::currentDateTimeUtc());
    }

    // A spot line of a random call and spotter at that frequency.
    QByteArray Spot(int32_t hz, const QDateTime& time)
    {
        static const char* const comments[] = {"CW 23 dB 25 WPM CQ", "FT8 -16", "UP 2", "tnx qso", "", "POTA K-1234"};
        const QString call = FCalls[FRng.bounded(FCalls.size())];
        const QString spotter = FCalls[FRng.bounded(FCalls.size())] + (FRng.bounded(4) == 0 ? "-#" : "");
        return ClusterSpotLine(spotter, hz, call, QString::fromLatin1(comments[FRng.bounded(6)]), time);
    }

    QRandomGenerator& Rng() { return FRng; }

private:
    QStringList FCalls = ClusterCalls();
    QRandomGenerator FRng;
    qint64 FCount = 0;
};

// A node on 127.0.0.1 that greets the first client and then writes `rate` lines a second in
// ticks of 50 ms, cut at arbitrary byte boundaries (a random tail waits for the next tick).
// It may live on a thread of its own: Listen, Stop and the counter are safe to call from
// there through the object's thread.
class TClusterNode : public QObject {
public:
    explicit TClusterNode(int rate)
        : FRate(rate)
    {
    }

    // Creates the server and the send timer in the node's thread; returns the port.
    quint16 Listen()
    {
        FServer = new QTcpServer(this);
        FServer->listen(QHostAddress::LocalHost, 0);
        FSender = new QTimer(this);
        FSender->setInterval(50);
        QObject::connect(FServer, &QTcpServer::newConnection, this, [this] {
            FLink = FServer->nextPendingConnection();
            FLink->write("Hello bench, this is a test node\r\n");
            FSender->start();
        });
        QObject::connect(FSender, &QTimer::timeout, this, [this] { Tick(); });
        return FServer->serverPort();
    }
    void Stop()
    {
        if (FSender)
            FSender->stop();
    }
    qint64 LinesSent() const { return FLinesSent.load(); }

private:
    void Tick()
    {
        QByteArray bytes = FCarry;
        for (int i = 0; i < FRate / 20; ++i, ++FLinesSent)
            bytes += FSource.Next() + "\r\n";
        const int keep = int(FCut.bounded(std::min<qsizetype>(bytes.size(), 120)));
        FCarry = bytes.right(keep);
        bytes.chop(keep);
        for (qsizetype pos = 0; pos < bytes.size();) {
            const qsizetype n = std::min<qsizetype>(bytes.size() - pos, 1 + FCut.bounded(700));
            FLink->write(bytes.mid(pos, n));
            pos += n;
        }
    }

    int FRate;
    QTcpServer* FServer = nullptr;
    QTimer* FSender = nullptr;
    QTcpSocket* FLink = nullptr;
    TClusterLineSource FSource;
    QByteArray FCarry;
    QRandomGenerator FCut{7};
    std::atomic<qint64> FLinesSent{0};
};
