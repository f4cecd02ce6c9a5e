#pragma once
// Real data for the benchmarks.

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <benchmark/benchmark.h>
#include <vector>

// The 85,000 real calls of the super-check-partial list from hamradio-files.
inline std::vector<QString> MasterCalls()
{
    std::vector<QString> calls;
    QFile f("/usr/share/hamradio-files/MASTER.SCP");
    if (!f.open(QIODevice::ReadOnly))
        return calls;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QByteArray call = line.trimmed();
        if (!call.isEmpty() && !call.startsWith('#'))
            calls.push_back(QString::fromLatin1(call));
    }
    return calls;
}

// The main of a benchmark whose code needs a Qt application object (events, threads; a
// QApplication for widgets).
template <typename Application = QCoreApplication>
inline int RunBenchmarksWithQt(int argc, char** argv)
{
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
