// Logbook targets with a log of 200,000 QSOs (twenty years, all bands and modes, calls from
// Debian's MASTER.SCP): load within 2 s, logging one QSO within 30 ms, the previous-QSO
// lookup for a typed two-letter prefix within 20 ms, a grid filter within 50 ms.
#include "bench/BenchLog.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

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
    return RunBenchmarksWithQt(argc, argv);
}
