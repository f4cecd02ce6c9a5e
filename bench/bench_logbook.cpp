// Logbook targets with a log of 200,000 QSOs (twenty years, all bands and modes, calls from
// Debian's MASTER.SCP): load within 2 s, logging one QSO within 30 ms, the previous-QSO
// lookup for a typed two-letter prefix within 20 ms, a grid filter within 50 ms.
#include "bench/BenchData.h"
#include "log/LogInterface.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int QSOCount = 200000;
const QString MyCall = QStringLiteral("OWN1");

// The log file in a private folder, and a logbook that has loaded it.
class TBigLog {
public:
    TBigLog()
    {
        qputenv("XDG_DATA_HOME", (FRoot.path() + "/data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (FRoot.path() + "/config").toLocal8Bit());
        Calls = MasterCalls();
        Write();
        Log.SetMyCall(MyCall);
        Log.SetLogFolder(FRoot.path());
        Log.SetLogFileName("big.log");
        Log.OnLogLoaded = [this] { ++Loaded; };
        Load();
    }

    void Load()
    {
        const int before = Loaded;
        Log.Open();
        QDeadlineTimer deadline(60000);
        while (Loaded == before && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }

    QString NextCall() { return Calls[FRng.bounded(int(Calls.size()))]; }

    TLogInterface Log;
    std::vector<QString> Calls;
    int Loaded = 0;

private:
    void Write()
    {
        static const char* bands[] = {"160m", "80m", "60m", "40m", "30m", "20m", "17m",
                                      "15m",  "12m", "10m", "6m",  "2m",  "70cm"};
        static const char* modes[] = {"CW", "CW", "SSB", "SSB", "FT8", "FT8", "RTTY", "FT4", "PSK", "AM", "FM", "JT65"};
        static const char* words[] = {"tnx", "ufb", "nice signal", "qsb", "", "", "", "contest"};
        QFile f(FRoot.path() + "/big.log");
        f.open(QIODevice::WriteOnly);
        QByteArray bytes = TLogRecord::FileHeader().toUtf8() + "\r\n";
        // One QSO every ~53 minutes over twenty years, in the order they were logged.
        const QDateTime start(QDate(2004, 1, 1), QTime(0, 0), Qt::UTC);
        const qint64 step = qint64(20) * 365 * 24 * 3600 / QSOCount;
        TLogRecord r;
        for (int i = 0; i < QSOCount; ++i) {
            const QDateTime t = start.addSecs(i * step + FRng.bounded(int(step)));
            r.Clear();
            r.SetStationCallsign(MyCall);
            r.SetQSODateAsString(t.date().toString("yyyyMMdd"));
            r.SetTimeOnAsString(t.time().toString("hhmmss"));
            r.SetCall(NextCall());
            r.SetBandAsString(bands[FRng.bounded(13)]);
            const char* mode = modes[FRng.bounded(12)];
            if (QByteArrayView(mode) == "FT4") {
                r.SetModeAsString("MFSK");
                r.SetSubMode("FT4");
            } else {
                r.SetModeAsString(mode);
            }
            r.SetRSTSent("599");
            r.SetRSTRcvd("579");
            r.SetComment(words[FRng.bounded(8)]);
            r.SetDXCC(QString::number(1 + FRng.bounded(500)));
            r.SetCQZone(QString::number(1 + FRng.bounded(40)));
            r.SetQSLLoTWSent(FRng.bounded(2) ? "Y" : "N");
            r.SetQSLLoTWRcvd(FRng.bounded(4) ? "N" : "Y");
            bytes += r.QSOLine().toUtf8() + "\r\n";
        }
        f.write(bytes);
    }

    QTemporaryDir FRoot;
    QRandomGenerator FRng{2024};
};

TBigLog& Big()
{
    static TBigLog log;
    return log;
}

void BM_Load(benchmark::State& state)
{
    TBigLog& big = Big();
    for (auto _ : state)
        big.Load();
    state.counters["QSOs"] = double(big.Log.LogBook().size());
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Logging rebuilds the view: with the default view (0) or with a rare grid filter set (1).
void BM_AddQSO(benchmark::State& state)
{
    TBigLog& big = Big();
    TLogFilter f;
    if (state.range(0) == 1)
        f.SetDXCC("123");
    big.Log.FilterQSOs(f);
    TLogRecord r;
    int n = 0;
    for (auto _ : state) {
        r.Clear();
        r.SetQSODateAsString("20240101");
        r.SetTimeOnAsString(QStringLiteral("%1").arg(n % 86400, 6, 10, QChar('0')));
        r.SetCall(big.NextCall());
        r.SetBandAsString("20m");
        r.SetModeAsString("CW");
        ++n;
        if (!big.Log.AddQSO(r))
            state.SkipWithError("AddQSO failed");
    }
    big.Log.FilterQSOs(TLogFilter());
}
BENCHMARK(BM_AddQSO)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Typing a call: the entry panel looks up the previous QSOs from the second character on.
void BM_PreviousQSOLookup(benchmark::State& state)
{
    TBigLog& big = Big();
    const QString prefix = state.range(0) == 0 ? QStringLiteral("DL") : QStringLiteral("DL1A");
    for (auto _ : state)
        big.Log.FindQSOsLogPanel(prefix, bd20, mCW);
    state.counters["rows"] = double(big.Log.LogDataList().size());
}
BENCHMARK(BM_PreviousQSOLookup)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Grid filters: rare ones read the whole log; the default view stops after MaxQSOs rows.
void BM_Filter(benchmark::State& state)
{
    TBigLog& big = Big();
    TLogFilter f;
    switch (state.range(0)) {
    case 0: break; // no filter: the newest 3000 QSOs
    case 1: f.SetCall("VK9"); break;
    case 2: f.SetDXCC("123"); break;
    case 3: f.SetComment("signal"); f.SetMode("JT65"); f.SetBand("2m"); break;
    case 4: f.SetQSODate("200403"); break;
    }
    for (auto _ : state)
        big.Log.FilterQSOs(f);
    state.counters["rows"] = double(big.Log.LogDataList().size());
    big.Log.FilterQSOs(TLogFilter());
}
BENCHMARK(BM_Filter)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchLog(benchmark::State& state)
{
    TBigLog& big = Big();
    int found = 0;
    for (auto _ : state)
        found += big.Log.SearchLog(big.NextCall(), bd20, mtCW);
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_SearchLog);

} // namespace

int main(int argc, char** argv)
{
    RequireInputs("vx_bench_logbook", {MasterScpFile});
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
