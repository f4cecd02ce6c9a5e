// Spot storage targets: 100,000 AddSpot calls with duplicate checks in well under a second
// (the list stays at its bound of 20,000 spots for most of the run), the same for the band
// map list, and the comment cleaner on ordinary and on 10,000-character hostile comments.
#include "dx/BandmapList.h"
#include "dx/DXSpotComment.h"
#include "dx/DXSpotList.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

// 100,000 spots of 5,000 calls by 300 spotters over a few hours; about one in ten repeats
// an earlier spot exactly and is refused as a duplicate.
const std::vector<TSpot>& Spots()
{
    static const std::vector<TSpot> spots = [] {
        std::vector<TSpot> v;
        v.reserve(100000);
        QRandomGenerator rng(1234);
        const QDateTime start(QDate(2024, 3, 10), QTime(6, 0), Qt::UTC);
        const int32_t bands[] = {1825000, 3525000, 7025000, 10120000, 14025000, 18080000, 21025000, 28025000};
        for (int i = 0; i < 100000; ++i) {
            if (i > 100 && rng.bounded(10) == 0) {
                v.push_back(v[size_t(rng.bounded(i - 100, i))]);
                continue;
            }
            TSpot s;
            s.FSpotID = i + 1;
            s.SetCall(QStringLiteral("K%1AB").arg(rng.bounded(5000)));
            s.SetSpotter(QStringLiteral("W%1XY").arg(rng.bounded(300)));
            s.FFrequencyA = bands[rng.bounded(8)] + int32_t(rng.bounded(20)) * 1000;
            s.FBand = FrequencyToBand(s.FFrequencyA);
            s.FTimeStamp = start.addSecs(60 * (i / 200));
            s.SetComment(QStringLiteral("cq dx up 2"));
            v.push_back(s);
        }
        return v;
    }();
    return spots;
}

void BM_SpotListAddSpot100k(benchmark::State& state)
{
    const auto& spots = Spots();
    int64_t refused = 0;
    for (auto _ : state) {
        TSpotDataList list;
        for (const TSpot& s : spots)
            refused += list.AddSpot(s, true) ? 0 : 1;
        benchmark::DoNotOptimize(list.Count());
    }
    state.counters["refused"] = benchmark::Counter(double(refused), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SpotListAddSpot100k)->Unit(benchmark::kMillisecond);

void BM_BandmapListAddSpot100k(benchmark::State& state)
{
    const auto& spots = Spots();
    for (auto _ : state) {
        TBandmapDataList list;
        for (const TSpot& s : spots)
            list.AddSpot(s);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_BandmapListAddSpot100k)->Unit(benchmark::kMillisecond);

void BM_CleanComment(benchmark::State& state)
{
    const QString comments[] = {
        QStringLiteral("cq cq dx up 2 tnx qso"), QStringLiteral("DLFF 123 jo62 5nn vy 73"),
        QStringLiteral("psk 31 good luck"), QStringLiteral("FT8 -12dB"), QStringLiteral("pse qsl"),
    };
    TDXSpotComment cleaner;
    for (auto _ : state) {
        for (const QString& c : comments)
            benchmark::DoNotOptimize(cleaner.DefineCleanComment(c, QStringLiteral("W1AW")));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(std::size(comments)));
}
BENCHMARK(BM_CleanComment);

// Time per character should not grow with the length.
void BM_CleanHostileComment(benchmark::State& state)
{
    const int length = int(state.range(0));
    const QString hostile[] = {
        QStringLiteral("cq ").repeated(length / 3), QStringLiteral("73's,").repeated(length / 5),
        QString(length, u'.'), QStringLiteral("dlff1 jo62 ").repeated(length / 11),
    };
    TDXSpotComment cleaner;
    for (auto _ : state) {
        for (const QString& c : hostile)
            benchmark::DoNotOptimize(cleaner.DefineCleanComment(c, {}));
    }
    state.SetBytesProcessed(state.iterations() * int64_t(std::size(hostile)) * length);
}
BENCHMARK(BM_CleanHostileComment)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
