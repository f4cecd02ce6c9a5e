// Statistics of a log of 200,000 QSOs (the log of bench_logbook, with grid squares) for Band/Mode, DXCC, DXCC
// Challenge, Fields and VUCC: each run within 1 s from RunStatistics to OnFinished, within
// 20 ms of GUI-thread time (taking the copies, handing the rows over), and a 10 ms timer on
// the GUI thread never more than 30 ms late meanwhile.  The counts of every run are checked
// against a count made here straight from the log's lines: QSOs in all, and each row's QSOs.
// Prints every figure against its target; the exit code is 1 when one is missed.
#include "bench/BenchLog.h"
#include "bench/BenchTargets.h"
#include "core/DataFiles.h"
#include "log/LogStatistics.h"
#include "log/LogText.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <ctime>

namespace {

TBenchTargets Targets;

double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// What the statistics read of one own QSO.
struct TCountedQSO {
    TQSOMode Mode;
    TBand Band;
    int32_t Entity;
    QString Grid;
    bool Ignored;
};

std::vector<TCountedQSO> OwnQSOs(const QStringList& lines)
{
    std::vector<TCountedQSO> qsos;
    TLogRecord r;
    const QString prefix = MyCall + QLatin1Char(';');
    for (const QString& line : lines) {
        if (!line.startsWith(prefix))
            continue;
        r.ExplodeQSOLine(line);
        qsos.push_back({r.Mode(), r.Band(), r.ADIFCode(), r.GridSquare(),
                        r.QSLSent() == QLatin1String("I") || r.QSLLoTWSent() == QLatin1String("I")});
    }
    return qsos;
}

// The key a QSO counts under in a kind of statistic, and the same key of a row; empty when
// the QSO is not counted.
QString KeyOfQSO(TLogStatisticsType kind, const TCountedQSO& q)
{
    if (q.Ignored || q.Band == bd70c)
        return {};
    switch (kind) {
    case statBandMode: return QString::number(int(q.Mode));
    case statDXCCChallenge:
        if (q.Band > bd6 || q.Band == bd60)
            return {};
        [[fallthrough]];
    case statDXCC: return q.Entity > 0 ? QString::number(q.Entity) : QString();
    case statFields: return q.Grid.size() >= 4 ? vx::logtext::UpperAscii(q.Grid.left(2)) : QString();
    case statVUCC: return q.Band == bd6 && q.Grid.size() >= 4 ? vx::logtext::UpperAscii(q.Grid.left(4)) : QString();
    default: return {};
    }
}

QString KeyOfRow(TLogStatisticsType kind, const TStatistic& row)
{
    return kind == statFields || kind == statVUCC ? vx::logtext::UpperAscii(row.KeyName) : QString::number(row.Key);
}

// Holds the rows of a run against the direct count.
void CheckCounts(const char* name, TLogStatisticsType kind, const TStatisticList& rows, const std::vector<TCountedQSO>& qsos)
{
    QHash<QString, int> direct;
    long long total = 0;
    for (const TCountedQSO& q : qsos) {
        const QString key = KeyOfQSO(kind, q);
        if (key.isEmpty())
            continue;
        ++direct[key];
        ++total;
    }
    long long counted = -1;
    long long wrongRows = 0;
    for (const TStatistic& row : rows) {
        if (row.Key == TStatistic::TotalKey)
            counted = row.Col[0];
        else if (!row.IsSummary() && row.Col[0] != direct.value(KeyOfRow(kind, row)))
            ++wrongRows;
    }
    Targets.Count(std::string(name) + ": QSOs counted", counted, total);
    Targets.Count(std::string(name) + ": rows whose count differs", wrongRows, 0);
}

struct TRunFigures {
    double Wall = 0;     // RunStatistics to OnFinished
    double GuiCpu = 0;   // CPU time of the GUI thread meanwhile, the timer's ticks included
    double MaxLate = 0;  // the 10 ms timer's worst lateness
    size_t Rows = 0;
};

TRunFigures Run(TLogStatisticsV2& engine)
{
    TRunFigures f;
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(10);
    QElapsedTimer sinceTick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        f.MaxLate = std::max(f.MaxLate, double(sinceTick.nsecsElapsed()) / 1e6 - 10.0);
        sinceTick.restart();
    });
    QElapsedTimer wall;
    engine.OnFinished = [&] {
        f.Wall = double(wall.nsecsElapsed()) / 1e6;
        loop.quit();
    };
    tick.start();
    sinceTick.start();
    const double cpu = ThreadCpuMs();
    wall.start();
    engine.RunStatistics();
    loop.exec();
    f.GuiCpu = ThreadCpuMs() - cpu;
    tick.stop();
    f.Rows = engine.StatisticsList().size();
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    RequireInputs("vx_bench_statistics", {MasterScpFile, ShippedDataFolder() + "/dxccentity.dat"});
    QCoreApplication app(argc, argv);
    // Grids, so that Fields and VUCC have rows to count into.
    TBigLog big(false, true);
    // The entity list the statistics read, where the logbook looks for it.
    const QString entities = GetCommonDataFileName(QStringLiteral("dxccentity.dat"));
    QDir().mkpath(QFileInfo(entities).path());
    QFile::copy(ShippedDataFolder() + "/dxccentity.dat", entities);
    big.Load();
    if (big.Log.LogBook().size() != QSOCount || big.Log.DXCCEntityList().isEmpty()) {
        std::printf("the log or its entity list did not load\n");
        return 1;
    }

    const std::vector<TCountedQSO> qsos = OwnQSOs(big.Log.LogBook());
    TLogStatisticsV2 engine;
    engine.SetLogInterface(&big.Log);
    const std::pair<TLogStatisticsType, const char*> kinds[] = {
        {statBandMode, "Band/Mode"},       {statDXCC, "DXCC"},   {statDXCCChallenge, "DXCC Challenge"},
        {statFields, "Fields"},            {statVUCC, "VUCC"},
    };
    for (const auto& [kind, name] : kinds) {
        engine.OnFinished = nullptr;
        engine.SetStatisticsType(kind);
        // The run the setter started is not timed.
        while (engine.ThreadIsRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        std::vector<double> wall, gui, late;
        for (int i = 0; i < 5; ++i) {
            const TRunFigures f = Run(engine);
            wall.push_back(f.Wall);
            gui.push_back(f.GuiCpu);
            late.push_back(f.MaxLate);
            if (i == 0)
                std::printf("%-16s %zu rows\n", name, f.Rows);
        }
        Targets.Times(std::string(name) + ": run, RunStatistics to OnFinished", wall, 1000);
        Targets.Times(std::string(name) + ": GUI-thread time per run", gui, 20);
        Targets.Times(std::string(name) + ": 10 ms timer lateness", late, 30);
        CheckCounts(name, kind, engine.StatisticsList(), qsos);
    }
    return Targets.ExitCode();
}
