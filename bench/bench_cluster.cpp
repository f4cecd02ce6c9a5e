// The cluster path under load: a node on 127.0.0.1 sends 200 lines a second (spots of real
// calls, WWV and text lines, cut at arbitrary byte boundaries) for 60 s to the cluster module,
// which parses, looks up, classifies and stores them on the GUI thread.  Reported: GUI-thread
// time per line and per delivery, how late a 10 ms GUI timer ran (the latency the operator
// would feel), and the process's memory over the run.
//
// Target: 200 lines/s sustained with GUI latency below 100 ms and bounded memory.
// Usage: vx_bench_cluster [--seconds N] [--rate LINES_PER_SECOND]
#include "ClusterLoad.h"
#include "bench/BenchData.h"
#include "core/DataFiles.h"
#include "dx/DMDX.h"
#include "dx/TelnetClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <deque>

int main(int argc, char** argv)
{
    const QString cty = QStringLiteral(VX_TESTDATA_DIR "/cty/bigcty_cty.dat");
    RequireInputs("vx_bench_cluster", {cty});
    QTemporaryDir home;
    const TClusterRun run = PrepareClusterRun(argc, argv, home);
    const int seconds = run.Seconds, rate = run.Rate;
    QGuiApplication app(argc, argv);
    InstallDataFiles(ShippedDataFolder(), cty);

    // The node.
    TClusterNode node(rate);
    const quint16 nodePort = node.Listen();

    // The module, with a console that keeps its last 1000 lines as the view does.
    TDMDX dmdx;
    dmdx.SetName("bench");
    dmdx.SetHost("127.0.0.1");
    dmdx.SetPort(nodePort);
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
        node.Stop();
        QTimer::singleShot(500, &app, &QCoreApplication::quit);
    });
    dmdx.Connect();
    app.exec();

    const double perLineUs = linesIn ? double(busyNs) / double(linesIn) / 1000.0 : 0;
    std::printf("lines sent %lld, received %lld in %lld deliveries\n", (long long)node.LinesSent(), (long long)linesIn,
                (long long)deliveries);
    std::printf("GUI-thread time per line: %.1f us (%.2f%% of the GUI thread at this rate)\n", perLineUs,
                100.0 * double(busyNs) / (double(seconds) * 1e9));
    std::printf("longest delivery: %.2f ms; latest 10 ms GUI timer: %lld ms late (target < 100 ms)\n",
                double(maxDeliveryNs) / 1e6, (long long)maxLateMs);
    std::printf("spots stored %d, band map %d, band map notices %d\n", dmdx.DXSpots()->SpotDataList().Count(),
                dmdx.DXSpots()->BandmapDataList().Count(), bandmapChanges);
    std::printf("memory: RSS %ld kB at start, %ld kB at end, peak %ld kB\n", rssStart, StatusKB("VmRSS:"),
                StatusKB("VmHWM:"));
    const bool ok = linesIn >= node.LinesSent() - rate && maxLateMs < 100;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
