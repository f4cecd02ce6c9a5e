// The cluster path under load: a node on 127.0.0.1 sends 200 lines a second (spots of real
// calls, WWV and text lines, cut at arbitrary byte boundaries) for 60 s to the cluster module,
// which parses, looks up, classifies and stores them on the GUI thread.  Reported: GUI-thread
// time per line and per delivery, how late a 10 ms GUI timer ran (the latency the operator
// would feel), and the process's memory over the run.
//
// Target: 200 lines/s sustained with GUI latency below 100 ms and bounded memory.
// Usage: vx_bench_cluster [--seconds N] [--rate LINES_PER_SECOND]
#include "bench/BenchData.h"
#include "core/DataFiles.h"
#include "dx/DMDX.h"
#include "dx/TelnetClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <deque>

namespace {

long StatusKB(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLong();
    return -1;
}

QStringList Calls()
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

// One cluster line as a node writes it.
class LineSource {
public:
    QByteArray Next()
    {
        ++FCount;
        if (FCount % 500 == 0)
            return "WWV de VE7CC <18>:   SFI=141, A=5, K=2, No Storms -> No Storms";
        if (FCount % 97 == 0)
            return "To ALL de IK8CNT: UA4WHX pse beaming south";
        static const int32_t bands[] = {1825000, 3525000, 7025000, 10120000, 14025000,
                                        18080000, 21025000, 24900000, 28025000, 50100000};
        static const char* const comments[] = {"CW 23 dB 25 WPM CQ", "FT8 -16", "UP 2", "tnx qso", "", "POTA K-1234"};
        const QString call = FCalls[FRng.bounded(FCalls.size())];
        const QString spotter = FCalls[FRng.bounded(FCalls.size())] + (FRng.bounded(4) == 0 ? "-#" : "");
        const int32_t hz = bands[FRng.bounded(10)] + int32_t(FRng.bounded(40)) * 500;
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QString head = QStringLiteral("DX de %1:").arg(spotter);
        const QString freq = QStringLiteral("%1.%2").arg(hz / 1000).arg(hz % 1000 / 100);
        head = head.leftJustified(24 - freq.size(), u' ') + freq + "  ";
        QString line = head + call.leftJustified(13, u' ') + QString::fromLatin1(comments[FRng.bounded(6)]);
        line = line.leftJustified(70, u' ').left(70) + now.toString(QStringLiteral("HHmm")) + "Z";
        return line.toLatin1();
    }

private:
    QStringList FCalls = Calls();
    QRandomGenerator FRng{42};
    qint64 FCount = 0;
};

} // namespace

int main(int argc, char** argv)
{
    int seconds = 60, rate = 200;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--seconds") == 0)
            seconds = atoi(argv[++i]);
        else if (qstrcmp(argv[i], "--rate") == 0)
            rate = atoi(argv[++i]);
    }
    const QString cty = QStringLiteral(VX_TESTDATA_DIR "/cty/bigcty_cty.dat");
    RequireInputs("vx_bench_cluster", {cty});
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InstallDataFiles(ShippedDataFolder(), cty);

    // The node.
    QTcpServer node;
    node.listen(QHostAddress::LocalHost, 0);
    QTcpSocket* link = nullptr;
    LineSource source;
    QByteArray carry;
    QRandomGenerator cut(7);
    qint64 linesSent = 0;
    QTimer sender;
    sender.setInterval(50);
    QObject::connect(&node, &QTcpServer::newConnection, [&] {
        link = node.nextPendingConnection();
        link->write("Hello bench, this is a test node\r\n");
        sender.start();
    });
    QObject::connect(&sender, &QTimer::timeout, [&] {
        QByteArray bytes = carry;
        for (int i = 0; i < rate / 20; ++i, ++linesSent)
            bytes += source.Next() + "\r\n";
        // A random tail waits for the next tick, so lines are cut anywhere.
        const int keep = int(cut.bounded(std::min<qsizetype>(bytes.size(), 120)));
        carry = bytes.right(keep);
        bytes.chop(keep);
        for (qsizetype pos = 0; pos < bytes.size();) {
            const qsizetype n = std::min<qsizetype>(bytes.size() - pos, 1 + cut.bounded(700));
            link->write(bytes.mid(pos, n));
            pos += n;
        }
    });

    // The module, with a console that keeps its last 1000 lines as the view does.
    TDMDX dmdx;
    dmdx.SetName("bench");
    dmdx.SetHost("127.0.0.1");
    dmdx.SetPort(node.serverPort());
    dmdx.SetUsername("DL1ABC");
    dmdx.DXSpots()->SetMyCall("DL1ABC");
    dmdx.DXSpots()->SetMyLocator("JO62QM");
    std::deque<TDXClusterData> console;
    dmdx.DXSpots()->OnDXClusterAdded = [&](const TDXClusterData& d) {
        console.push_back(d);
        if (console.size() > 1000)
            console.pop_front();
    };
    int bandmapChanges = 0;
    dmdx.DXSpots()->OnBandmapChange = [&] { ++bandmapChanges; };
    dmdx.Open();

    qint64 busyNs = 0, maxDeliveryNs = 0, deliveries = 0, linesIn = 0;
    auto inner = dmdx.TelnetClient()->OnDataAvailable;
    dmdx.TelnetClient()->OnDataAvailable = [&](const QString& text) {
        QElapsedTimer t;
        t.start();
        inner(text);
        const qint64 ns = t.nsecsElapsed();
        busyNs += ns;
        maxDeliveryNs = std::max(maxDeliveryNs, ns);
        ++deliveries;
        linesIn += text.count(u'\n');
    };

    // GUI latency: how late a 10 ms timer fires.
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0, maxLateMs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (lastTick > 0)
            maxLateMs = std::max(maxLateMs, now - lastTick - 10);
        lastTick = now;
    });
    probe.start();

    const long rssStart = StatusKB("VmRSS:");
    std::printf("cluster load: %d lines/s for %d s\n", rate, seconds);
    QTimer report;
    report.setInterval(10000);
    QObject::connect(&report, &QTimer::timeout, [&] {
        std::printf("  t=%3llds lines %lld spots %d band map %d RSS %ld kB\n", (long long)(clock.elapsed() / 1000),
                    (long long)linesIn, dmdx.DXSpots()->SpotDataList().Count(),
                    dmdx.DXSpots()->BandmapDataList().Count(), StatusKB("VmRSS:"));
        std::fflush(stdout);
    });
    report.start();
    QTimer::singleShot(seconds * 1000, &app, [&] {
        sender.stop();
        QTimer::singleShot(500, &app, &QCoreApplication::quit);
    });
    dmdx.Connect();
    app.exec();

    const double perLineUs = linesIn ? double(busyNs) / double(linesIn) / 1000.0 : 0;
    std::printf("lines sent %lld, received %lld in %lld deliveries\n", (long long)linesSent, (long long)linesIn,
                (long long)deliveries);
    std::printf("GUI-thread time per line: %.1f us (%.2f%% of the GUI thread at this rate)\n", perLineUs,
                100.0 * double(busyNs) / (double(seconds) * 1e9));
    std::printf("longest delivery: %.2f ms; latest 10 ms GUI timer: %lld ms late (target < 100 ms)\n",
                double(maxDeliveryNs) / 1e6, (long long)maxLateMs);
    std::printf("spots stored %d, band map %d, band map notices %d\n", dmdx.DXSpots()->SpotDataList().Count(),
                dmdx.DXSpots()->BandmapDataList().Count(), bandmapChanges);
    std::printf("memory: RSS %ld kB at start, %ld kB at end, peak %ld kB\n", rssStart, StatusKB("VmRSS:"),
                StatusKB("VmHWM:"));
    const bool ok = linesIn >= linesSent - rate && maxLateMs < 100;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
