#pragma once
// Real data for the benchmarks.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <vector>

inline const QString MasterScpFile = QStringLiteral("/usr/share/hamradio-files/MASTER.SCP");

// A benchmark without its input would time nothing: it stops with a message naming each
// missing file.
inline void RequireInputs(const char* benchmark, std::initializer_list<QString> files)
{
    bool missing = false;
    for (const QString& file : files) {
        if (!QFileInfo(file).isFile()) {
            std::fprintf(stderr, "%s: input missing: %s\n", benchmark, qPrintable(file));
            missing = true;
        }
    }
    if (missing)
        std::exit(1);
}

// The body of a benchmark's main, after its inputs were checked.
inline int RunBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The 85,000 real calls of the super-check-partial list from hamradio-files.
inline std::vector<QString> MasterCalls()
{
    std::vector<QString> calls;
    QFile f(MasterScpFile);
    if (!f.open(QIODevice::ReadOnly))
        return calls;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QByteArray call = line.trimmed();
        if (!call.isEmpty() && !call.startsWith('#'))
            calls.push_back(QString::fromLatin1(call));
    }
    return calls;
}

// The main of a benchmark whose code needs a Qt application object (events, threads).
inline int RunBenchmarksWithQt(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
