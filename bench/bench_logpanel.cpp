// QSO entry panel targets with a log of 200,000 QSOs and the real cty.dat: typing a call key by
// key, each keystroke's handling (country lookup, previous QSOs, worked-station summary, action
// states) within 20 ms on 2 cores (run it under `taskset -c 0,1`), and the previous-QSO lookup
// itself within 2 ms.
#include "bench/BenchLog.h"
#include "core/DataFiles.h"
#include "dx/DXSpots.h"
#include "log/widgets/LogPanel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const QString TypedCall = QStringLiteral("DL1ABC");

// The big log with the country files beside it, the spot engine and a wired panel.
class TPanelRig {
public:
    TPanelRig()
        : Big(false)
    {
        InstallDataFiles(ShippedDataFolder(), QString());
        const QString cty = QStringLiteral(VX_TESTDATA_DIR "/cty/");
        QFile::copy(cty + "bigcty_cty.dat", GetCommonDataFileName("cty.dat"));
        QFile::copy(cty + "cty_wt_mod_2024.03.11.dat", GetCommonDataFileName("cty_wt_mod.dat"));
        Big.Load();
        Spots.SetMyCall(MyCall);
        Spots.Open();
        Panel.SetLogInterface(&Big.Log);
        Panel.SetDXSpots(&Spots);
        Panel.SetLogQSOAction(&LogQSO);
        Panel.SetAddSpotToBandmapAction(&AddSpot);
        Panel.Open();
        Panel.SetBandA(bd20);
        Call = Panel.findChild<QLineEdit*>(QStringLiteral("CallEdit"));
    }

    // One key as the keyboard delivers it.
    void Press(QChar c)
    {
        // Qt's key codes of letters and digits are their upper-case characters.
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(Call, &press);
    }

    TBigLog Big;
    TDXSpots Spots;
    QAction LogQSO{QStringLiteral("Log QSO")};
    QAction AddSpot{QStringLiteral("Insert Call into Bandmap")};
    TLogPanel Panel;
    QLineEdit* Call = nullptr;
};

// Made on first use and freed before the application object: widgets cannot outlive it.
std::unique_ptr<TPanelRig> TheRig;

TPanelRig& Rig()
{
    if (!TheRig)
        TheRig = std::make_unique<TPanelRig>();
    return *TheRig;
}

// Typing the whole call; the slowest keystroke is reported beside the mean.
void BM_TypeCall(benchmark::State& state)
{
    TPanelRig& rig = Rig();
    double slowest = 0;
    double total = 0;
    int keys = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rig.Panel.ClearControls(false, true);
        state.ResumeTiming();
        for (QChar c : TypedCall) {
            QElapsedTimer t;
            t.start();
            rig.Press(c);
            const double ms = t.nsecsElapsed() / 1e6;
            slowest = std::max(slowest, ms);
            total += ms;
            ++keys;
        }
    }
    if (rig.Call->text() != TypedCall)
        state.SkipWithError("the call was not typed");
    state.counters["slowest_key_ms"] = slowest;
    state.counters["mean_key_ms"] = keys ? total / keys : 0;
    state.counters["QSOs"] = double(rig.Big.Log.LogBook().size());
}
BENCHMARK(BM_TypeCall)->Unit(benchmark::kMillisecond)->UseRealTime();

// The lookup of the earlier QSOs for each prefix the typing passes through.
void BM_PreviousQSOs(benchmark::State& state)
{
    TPanelRig& rig = Rig();
    const QString prefix = TypedCall.left(int(state.range(0)));
    for (auto _ : state)
        rig.Big.Log.FindQSOsLogPanel(prefix, bd20, mCW);
    state.counters["rows"] = double(rig.Big.Log.LogDataList().size());
}
BENCHMARK(BM_PreviousQSOs)->DenseRange(2, 6)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    const QString cty = QStringLiteral(VX_TESTDATA_DIR "/cty/");
    RequireInputs("vx_bench_logpanel", {MasterScpFile, cty + "bigcty_cty.dat", cty + "cty_wt_mod_2024.03.11.dat"});
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int result = RunBenchmarks(argc, argv);
    TheRig.reset();
    return result;
}
