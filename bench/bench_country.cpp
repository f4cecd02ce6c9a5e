// Country lookup targets: building the tables from the big cty.dat within 50 ms, and at most
// 1 µs per lookup over the calls of Debian's MASTER.SCP.
#include "bench/BenchData.h"
#include "core/DataFiles.h"
#include "dx/DXCallParser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <vector>

namespace {

const QString CtyFile = QStringLiteral(VX_TESTDATA_DIR "/cty/bigcty_cty.dat");
const QString CtyWtModFile = QStringLiteral(VX_TESTDATA_DIR "/cty/cty_wt_mod_2024.03.11.dat");

// A private per-machine data folder holding the real country files.
class TCountryFolder {
public:
    TCountryFolder()
    {
        qputenv("XDG_DATA_HOME", FRoot.path().toLocal8Bit());
        QDir().mkpath(GetCommonDataFileName(""));
        InstallDataFiles(ShippedDataFolder(), FRoot.path() + "/none");
        QFile::copy(CtyFile, GetCommonDataFileName("cty.dat"));
        QFile::copy(CtyWtModFile, GetCommonDataFileName("cty_wt_mod.dat"));
        TDXCallParser().Open();
    }

private:
    QTemporaryDir FRoot;
};

TCountryFolder& Folder()
{
    static TCountryFolder folder;
    return folder;
}

void BM_BuildCountryFiles(benchmark::State& state)
{
    Folder();
    for (auto _ : state)
        benchmark::DoNotOptimize(TVornixDataFiles().CreateDataFiles());
}
BENCHMARK(BM_BuildCountryFiles)->Unit(benchmark::kMillisecond);

void BM_LoadTables(benchmark::State& state)
{
    Folder();
    for (auto _ : state) {
        TDXCallParser parser;
        parser.Open();
        benchmark::DoNotOptimize(parser);
    }
}
BENCHMARK(BM_LoadTables)->Unit(benchmark::kMillisecond);

// What a start after a new cty.dat costs: the three country files written, all four loaded.
void BM_RebuildAndLoadTables(benchmark::State& state)
{
    Folder();
    for (auto _ : state) {
        QFile::remove(GetCommonDataFileName("country.dat"));
        TDXCallParser parser;
        parser.Open();
        benchmark::DoNotOptimize(parser);
    }
}
BENCHMARK(BM_RebuildAndLoadTables)->Unit(benchmark::kMillisecond);

void BM_FindCountry(benchmark::State& state)
{
    Folder();
    const std::vector<QString> calls = MasterCalls();
    TDXCallParser parser;
    parser.Open();
    parser.SetMyLocator("JO62");
    TDXSpot spot;
    size_t found = 0;
    for (auto _ : state) {
        for (const QString& call : calls) {
            spot.Clear();
            spot.SetCall(call);
            found += parser.FindCountry(spot);
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations() * calls.size()));
    state.counters["calls"] = double(calls.size());
    state.counters["found"] = double(found) / double(state.iterations());
}
BENCHMARK(BM_FindCountry)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    RequireInputs("vx_bench_country", {CtyFile, CtyWtModFile, MasterScpFile});
    return RunBenchmarks(argc, argv);
}
