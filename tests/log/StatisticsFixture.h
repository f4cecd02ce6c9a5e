#pragma once
// The statistics engine over a logbook of a log file in a temporary folder, with a small
// entity list (one deleted entity) in the common data folder.
#include "LogFixture.h"

#include "core/DataFiles.h"
#include "log/LogStatistics.h"

#include <map>

// A QSO of the own call (or of another station) with any fields set by their numbers.
inline QString StatQSO(const QString& call, const QString& band, const QString& mode,
                       const std::map<int, QString>& fields = {}, const QString& station = OwnCall)
{
    // Every QSO gets a time of its own: the log keeps one line of equal lines.
    static int serial = 0;
    ++serial;
    TLogRecord r;
    r.SetStationCallsign(station);
    r.SetQSODateAsString("20240101");
    r.SetTimeOnAsString(QStringLiteral("%1%2%3")
                            .arg(serial / 3600 % 24, 2, 10, QLatin1Char('0'))
                            .arg(serial / 60 % 60, 2, 10, QLatin1Char('0'))
                            .arg(serial % 60, 2, 10, QLatin1Char('0')));
    r.SetCall(call);
    r.SetBandAsString(band);
    r.SetModeAsString(mode);
    for (const auto& [field, value] : fields)
        r.SetFieldAsString(field, value);
    return r.QSOLine();
}

inline const char* const StatEntities = "DL=Fed. Rep. of Germany;230\r\n"
                                        "F=France;227\r\n"
                                        "K=United States;291\r\n"
                                        "KL=Alaska;6\r\n"
                                        "KH6=Hawaii;110\r\n"
                                        "VE=Canada;1\r\n"
                                        "[A1]=Abu Ail Islands;2\r\n";

class StatisticsFixture : public LogFixture {
protected:
    void SetUp() override
    {
        LogFixture::SetUp();
        writeDataFile("dxccentity.dat", StatEntities);
        engine = std::make_unique<TLogStatisticsV2>();
        engine->OnFinished = [this] { ++finished; };
        engine->SetLogInterface(log.get());
    }
    void TearDown() override
    {
        engine.reset();
        // Other tests of this process expect the common data folder as they left it.
        for (const char* name : {"dxccentity.dat", "iota.dat", "ffma.dat"})
            QFile::remove(GetCommonDataFileName(QString::fromLatin1(name)));
        LogFixture::TearDown();
    }

    static void writeDataFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = GetCommonDataFileName(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // Writes and opens the log; its loading clears the statistics.
    void openLog(const QStringList& lines)
    {
        writeLog(lines);
        ASSERT_TRUE(log->Open());
        ASSERT_TRUE(vxtest::waitUntil([&] { return !log->LogIsLoading(); }));
    }

    void waitForRun()
    {
        ASSERT_TRUE(vxtest::waitUntil([&] { return !engine->ThreadIsRunning(); }, 20000));
    }

    // Counts one kind with the filters given (the other settings back to their start).
    const TStatisticList& run(TLogStatisticsType kind, TFilterModeType mode = fmAll, TFilterQSLType qsl = fqNone,
                              bool all = false)
    {
        engine->SetFilterMode(mode);
        engine->SetFilterQSL(qsl);
        engine->SetDisplayAllRows(all);
        engine->SetStatisticsType(kind);
        engine->RunStatistics();
        waitForRun();
        return engine->StatisticsList();
    }

    // The row of a key name (the worked row has none: use worked()); null when absent.
    const TStatistic* row(const QString& keyName) const
    {
        for (const TStatistic& r : engine->StatisticsList()) {
            if (!r.IsSummary() && r.KeyName == keyName)
                return &r;
        }
        return nullptr;
    }
    const TStatistic* summary(int32_t key) const
    {
        for (const TStatistic& r : engine->StatisticsList()) {
            if (r.Key == key)
                return &r;
        }
        return nullptr;
    }
    const TStatistic* worked() const { return summary(TStatistic::WorkedKey); }
    const TStatistic* total() const { return summary(TStatistic::TotalKey); }

    std::unique_ptr<TLogStatisticsV2> engine;
    int finished = 0;
};
