// The statistics engine: what each kind counts and where, the QSL and mode filters, the
// summary rows, iota.dat and ffma.dat, and the run on its worker thread (the log changing,
// cleared or gone meanwhile).
#include "StatisticsFixture.h"

#include <QTimer>

namespace {

std::map<QString, int32_t> KeyCounts(const TStatisticList& rows)
{
    std::map<QString, int32_t> counts;
    for (const TStatistic& r : rows) {
        if (!r.IsSummary())
            counts[r.KeyName] = r.Col[0];
    }
    return counts;
}

} // namespace

class StatisticsTest : public StatisticsFixture {};

TEST_F(StatisticsTest, DXCCKindsAndQSLFilters)
{
    openLog({
        StatQSO("DL1AA", "20m", "CW", {{LogField::DXCC, "230"}}),
        // "I" in either sent flag leaves a QSO out of everything, confirmed or not.
        StatQSO("DL2BB", "40m", "SSB", {{LogField::DXCC, "230"}, {LogField::QSLLoTWSent, "I"}, {LogField::QSLRcvd, "Y"}}),
        StatQSO("DL3CC", "20m", "SSB", {{LogField::DXCC, "230"}, {LogField::QSLSent, "I"}}),
        StatQSO("F1AA", "20m", "FT8", {{LogField::DXCC, "227"}, {LogField::QSLLoTWRcvd, "R"}}),
        StatQSO("K1AA", "15m", "CW", {{LogField::DXCC, "291"}, {LogField::QSLRcvd, "Y"}}),
        StatQSO("A11AA", "15m", "CW", {{LogField::DXCC, "2"}}),
        StatQSO("DL4DD", "70cm", "FM", {{LogField::DXCC, "230"}}),
        StatQSO("DL5EE", "20m", "CW", {{LogField::DXCC, "230"}}, "OTHER"),
    });

    struct Case {
        TLogStatisticsType kind;
        TFilterQSLType qsl;
        std::map<QString, int32_t> rows;
        int32_t total;
    };
    const Case cases[] = {
        // The deleted entity has no row, yet its QSO is one of the Total row's.
        {statDXCC, fqNone, {{"DL", 1}, {"F", 1}, {"K", 1}}, 4},
        {statDXCCDeleted, fqNone, {{"DL", 1}, {"F", 1}, {"K", 1}, {"[A1]", 1}}, 4},
        {statDXCC, fqNotConfirmed, {{"F", 1}, {"K", 1}}, 2},
        {statDXCC, fqConfirmed, {{"K", 1}}, 1},
        {statDXCC, fqLoTW, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << int(c.kind) << " qsl " << int(c.qsl));
        const TStatisticList& rows = run(c.kind, fmAll, c.qsl);
        EXPECT_EQ(KeyCounts(rows), c.rows);
        if (c.rows.empty()) {
            EXPECT_TRUE(rows.empty());
            continue;
        }
        ASSERT_EQ(rows.size(), c.rows.size() + 2);
        EXPECT_EQ(rows[rows.size() - 2].Key, TStatistic::WorkedKey);
        EXPECT_EQ(rows.back().Key, TStatistic::TotalKey);
        EXPECT_EQ(total()->Col[0], c.total);
        EXPECT_EQ(worked()->Col[0], int32_t(c.rows.size()));
        EXPECT_EQ(engine->Count(), int32_t(c.rows.size()));
    }

    run(statDXCC);
    const TStatistic* dl = row("DL");
    ASSERT_TRUE(dl);
    EXPECT_EQ(dl->Key, 230);
    EXPECT_EQ(dl->Name, "Fed. Rep. of Germany");
    EXPECT_EQ(dl->Col[mtCW], 1);
    EXPECT_EQ(dl->Col[TStatistic::BandCol(bd20)], 1);
    EXPECT_EQ(dl->Col[TStatistic::BandCol(bd40)], 0);
    EXPECT_NEAR(dl->Percentage, 100.0 / 3, 1e-9); // of the QSOs of key rows
    EXPECT_EQ(total()->Percentage, 100.0);
    EXPECT_EQ(worked()->Percentage, 0.0);
    EXPECT_EQ(total()->Col[TStatistic::BandCol(bd70c)], 0);
    EXPECT_EQ(worked()->Col[TStatistic::BandCol(bd15)], 1); // K; the deleted entity has no row
    EXPECT_EQ(total()->Col[TStatistic::BandCol(bd15)], 2);
    EXPECT_EQ(engine->Bands(), TBands({bd20, bd15}));
}

TEST_F(StatisticsTest, ModeFilters)
{
    QStringList lines;
    for (const char* mode : {"CW", "SSB", "AM", "FT8", "RTTY", "JT65", "FT4", "MFSK", "Q65"})
        lines << StatQSO("DL1AA", "20m", mode, {{LogField::DXCC, "230"}});
    openLog(lines);
    const std::pair<TFilterModeType, int32_t> cases[] = {
        {fmAll, 9}, {fmCW, 1}, {fmPhone, 2}, {fmDigital, 6}, {fmRTTY, 1}, {fmJT, 3}, // FT8, JT65, MFSK
    };
    for (const auto& [mode, expected] : cases) {
        SCOPED_TRACE(int(mode));
        run(statDXCC, mode);
        ASSERT_TRUE(total());
        EXPECT_EQ(total()->Col[0], expected);
    }
}

TEST_F(StatisticsTest, BandModeRowsAndQSOsWithoutBandOrMode)
{
    openLog({
        StatQSO("JA1AA", "20m", "FT4", {{LogField::DXCC, "230"}}),
        StatQSO("JA2BB", "20m", "MFSK", {{LogField::DXCC, "230"}}),
        StatQSO("JA3CC", "", "CW", {{LogField::DXCC, "230"}}),
        StatQSO("JA4DD", "40m", "", {{LogField::DXCC, "230"}}),
    });
    const TStatisticList& rows = run(statBandMode, fmAll, fqNone, true);
    ASSERT_EQ(rows.size(), size_t(QSOModeCount + 2));
    EXPECT_EQ(rows[mMFSKFT4].KeyName, "FT4");
    EXPECT_EQ(rows[mMFSK].KeyName, "FT4");
    EXPECT_EQ(rows[mMFSKFT4].Col[0], 1);
    EXPECT_EQ(rows[mMFSK].Col[0], 1);
    EXPECT_EQ(rows[mCW].Col[0], 1);
    EXPECT_EQ(rows[mNone].Col[0], 1);
    EXPECT_EQ(rows[mSSB].Col[0], 0);
    EXPECT_EQ(total()->Col[0], 4);
    EXPECT_EQ(total()->Col[TStatistic::BandCol(bd20)], 2);

    // No band: MIX and the mode class, no band column; no mode: MIX once, no class.
    run(statDXCC);
    const TStatistic* dl = row("DL");
    ASSERT_TRUE(dl);
    EXPECT_EQ(dl->Col[0], 4);
    EXPECT_EQ(dl->Col[mtCW], 1);
    EXPECT_EQ(dl->Col[mtDigital], 2);
    EXPECT_EQ(dl->Col[mtPhone], 0);
    int32_t bandCounts = 0;
    for (int b = bd160; b <= bd70c; ++b)
        bandCounts += dl->Col[size_t(TStatistic::BandCol(TBand(b)))];
    EXPECT_EQ(bandCounts, 3);
    EXPECT_FALSE(engine->Bands().Contains(bdAll));
    EXPECT_EQ(engine->Bands(), TBands({bd20, bd40}));
}

TEST_F(StatisticsTest, DXCCChallengeCountsBandSlotsFrom160To6mWithout60m)
{
    openLog({
        StatQSO("DL1AA", "20m", "CW", {{LogField::DXCC, "230"}}),
        StatQSO("DL2BB", "20m", "SSB", {{LogField::DXCC, "230"}}),
        StatQSO("DL3CC", "40m", "CW", {{LogField::DXCC, "230"}}),
        StatQSO("DL4DD", "60m", "CW", {{LogField::DXCC, "230"}}),
        StatQSO("DL5EE", "2m", "FM", {{LogField::DXCC, "230"}}),
    });
    run(statDXCCChallenge);
    ASSERT_TRUE(worked());
    EXPECT_EQ(worked()->KeyName, "Total: 2");
    EXPECT_EQ(total()->Col[0], 3);
    EXPECT_EQ(row("DL")->Col[TStatistic::BandCol(bd60)], 0);
    EXPECT_EQ(engine->Bands(), TBands({bd20, bd40}));
    // The other kinds leave the worked row's key name empty.
    run(statDXCC);
    EXPECT_EQ(worked()->KeyName, "");
}

TEST_F(StatisticsTest, StatesZonesContinentsFieldsAndVUCC)
{
    openLog({
        // Alaska by its entity whatever the state; a state must match exactly.
        StatQSO("KL7AA", "20m", "CW", {{LogField::DXCC, "6"}, {LogField::USState, "TX"}}),
        StatQSO("K1AA", "20m", "CW", {{LogField::DXCC, "291"}, {LogField::USState, "ak"}}),
        StatQSO("K2BB", "20m", "CW", {{LogField::DXCC, "291"}, {LogField::USState, "TX"}, {LogField::CQZone, "5"}}),
        StatQSO("KH6AA", "20m", "SSB", {{LogField::DXCC, "110"}, {LogField::Continent, "OC"}}),
        StatQSO("VE3AA", "20m", "CW", {{LogField::DXCC, "1"}, {LogField::USState, "ON"}, {LogField::CQZone, "xx"}}),
        StatQSO("DL1AA", "20m", "CW", {{LogField::GridSquare, "jo31"}, {LogField::Continent, "EU"}}),
        StatQSO("DL2BB", "6m", "CW", {{LogField::GridSquare, "JO31AB"}}),
        StatQSO("DL3CC", "6m", "SSB", {{LogField::GridSquare, "jo31"}}),
        StatQSO("DL4DD", "6m", "CW", {{LogField::GridSquare, "JO"}}),
        StatQSO("DL5EE", "6m", "CW", {{LogField::GridSquare, "JN58"}, {LogField::QSLLoTWSent, "I"}}),
    });
    struct Case {
        TLogStatisticsType kind;
        std::map<QString, int32_t> rows;
        int32_t total;
    };
    const Case cases[] = {
        {statStates, {{"AK", 1}, {"TX", 1}, {"HI", 1}}, 3},
        {statZones, {{"05", 1}}, 1},
        {statContinents, {{"OC", 1}, {"EU", 1}}, 2},
        {statFields, {{"JO", 3}}, 3},
        {statVUCC, {{"JO31", 2}}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        EXPECT_EQ(KeyCounts(run(c.kind)), c.rows);
        ASSERT_TRUE(total());
        EXPECT_EQ(total()->Col[0], c.total);
    }

    run(statStates);
    EXPECT_EQ(row("AK")->Key, 49);
    EXPECT_EQ(row("AK")->Prefix, "KL7");
    EXPECT_EQ(row("TX")->Name, "Texas");
    EXPECT_EQ(row("TX")->Prefix, "5");
    run(statFields);
    EXPECT_EQ(row("JO")->Key, 100 * 'J' + 'O');
}

TEST_F(StatisticsTest, EmptyResultAndDisplayAllRows)
{
    openLog({StatQSO("DL1AA", "20m", "CW", {{LogField::Continent, "EU"}}, "OTHER")});
    EXPECT_TRUE(run(statContinents).empty());
    EXPECT_EQ(engine->Count(), 0);

    const TStatisticList& rows = run(statContinents, fmAll, fqNone, true);
    ASSERT_EQ(rows.size(), size_t(7 + 2));
    QStringList names;
    for (const TStatistic& r : rows) {
        names << r.KeyName;
        EXPECT_EQ(r.Col[0], 0);
        EXPECT_EQ(r.Percentage, 0.0);
    }
    EXPECT_EQ(names, QStringList({"AF", "AS", "EU", "NA", "OC", "SA", "AN", "", "Total"}));
}

TEST_F(StatisticsTest, IOTAAndFFMAFiles)
{
    openLog({
        StatQSO("G1AA", "20m", "CW", {{LogField::IOTA, "eu-005"}}),
        StatQSO("EA8AA", "20m", "CW", {{LogField::IOTA, "AF-004"}}),
        StatQSO("W1AA", "6m", "CW", {{LogField::GridSquare, "FN31"}, {LogField::DXCC, "291"}}),
        StatQSO("W2BB", "20m", "CW", {{LogField::GridSquare, "FN31"}, {LogField::DXCC, "291"}}),
        StatQSO("DL1AA", "6m", "CW", {{LogField::GridSquare, "EM10"}, {LogField::DXCC, "230"}}),
    });
    // Without the files nothing can be counted.
    const int before = finished;
    EXPECT_TRUE(run(statIOTA).empty());
    EXPECT_TRUE(run(statFFMA).empty());
    EXPECT_GT(finished, before);

    writeDataFile("iota.dat", "REF;DXCC;GROUP\r\n"
                              "EU-005;G;Great Britain\r\n"
                              "# remark;x;y\r\n"
                              "\r\n"
                              "OC-001;VK\r\n"
                              "AF-004;EA8;Canary Islands;more\r\n"
                              "*AN-001;CE9;Antarctica\r\n");
    writeDataFile("ffma.dat", "FN31\nEM10\n\nDM79\n");
    run(statIOTA);
    ASSERT_EQ(engine->IOTAList().size(), 2);
    EXPECT_EQ(engine->IOTAList()[0].IOTARef, "AF-004");
    EXPECT_EQ(engine->IOTAList()[1].IslandGroup, "Great Britain");
    EXPECT_EQ(KeyCounts(engine->StatisticsList()), (std::map<QString, int32_t>{{"AF-004", 1}, {"EU-005", 1}}));
    EXPECT_EQ(row("EU-005")->Prefix, "G");
    EXPECT_EQ(row("EU-005")->Name, "Great Britain");

    run(statFFMA, fmAll, fqNone, true);
    EXPECT_EQ(engine->FFMAList(), QStringList({"FN31", "EM10", "DM79"}));
    EXPECT_EQ(KeyCounts(engine->StatisticsList()),
              (std::map<QString, int32_t>{{"FN31", 1}, {"EM10", 0}, {"DM79", 0}}));
    EXPECT_EQ(row("DM79")->Key, 2); // file order
}

TEST_F(StatisticsTest, NoneClearsAtOnceWithoutAThread)
{
    openLog({StatQSO("DL1AA", "20m", "CW", {{LogField::DXCC, "230"}})});
    ASSERT_FALSE(run(statDXCC).empty());
    const int before = finished;
    engine->SetStatisticsType(statNone);
    EXPECT_EQ(finished, before + 1);
    EXPECT_FALSE(engine->ThreadIsRunning());
    EXPECT_TRUE(engine->StatisticsList().empty());
}

TEST_F(StatisticsTest, WithoutALogARunEndsEmpty)
{
    TLogStatisticsV2 alone;
    int done = 0;
    alone.OnFinished = [&] { ++done; };
    alone.SetStatisticsType(statZones);
    EXPECT_TRUE(alone.ThreadIsRunning());
    ASSERT_TRUE(vxtest::waitUntil([&] { return done == 1; }));
    EXPECT_FALSE(alone.ThreadIsRunning());
    EXPECT_TRUE(alone.StatisticsList().empty());
    EXPECT_EQ(alone.Bands(), TBands::All()); // only a run over a log sets them
}

// ---- The run on its thread -----------------------------------------------------------------

class StatisticsRunTest : public StatisticsFixture {
protected:
    QStringList lines(int n)
    {
        QStringList l;
        for (int i = 0; i < n; ++i)
            l << StatQSO(QStringLiteral("DL%1AA").arg(i), i % 2 ? "20m" : "40m", i % 3 ? "CW" : "FT8",
                         {{LogField::DXCC, "230"}});
        return l;
    }
    TLogRecord newQSO(int i)
    {
        TLogRecord r;
        r.SetQSODateAsString("20250101");
        r.SetTimeOnAsString(QStringLiteral("%1").arg(i % 86400, 6, 10, QLatin1Char('0')));
        r.SetCall(QStringLiteral("F%1XX").arg(i));
        r.SetBandAsString("20m");
        r.SetModeAsString("CW");
        r.SetDXCC("227");
        return r;
    }
};

TEST_F(StatisticsRunTest, ARunCountsTheLogAsItWasWhenItStarted)
{
    openLog(lines(300));
    engine->SetStatisticsType(statDXCC);
    // Running from the call on, until the GUI thread has taken the result.
    EXPECT_TRUE(engine->ThreadIsRunning());
    ASSERT_TRUE(log->AddQSO(newQSO(1)));
    bool runningAtFinish = true;
    engine->OnFinished = [&] { runningAtFinish = engine->ThreadIsRunning(); };
    waitForRun();
    EXPECT_FALSE(runningAtFinish);
    EXPECT_EQ(total()->Col[0], 300);
    EXPECT_FALSE(row("F"));

    engine->RunStatistics();
    waitForRun();
    EXPECT_EQ(total()->Col[0], 301);
    EXPECT_EQ(row("F")->Col[0], 1);
}

TEST_F(StatisticsRunTest, AResultOvertakenByClearOrANewLogIsDropped)
{
    openLog(lines(300));
    const int before = finished;
    engine->SetStatisticsType(statDXCC);
    engine->Clear();
    waitForRun();
    EXPECT_TRUE(engine->StatisticsList().empty());
    EXPECT_EQ(finished, before + 1); // the Clear's only

    // A run overtaken by one of another kind: only the newer rows are announced.
    std::vector<QString> announced;
    engine->OnFinished = [&] {
        const TStatisticList& rows = engine->StatisticsList();
        announced.push_back(rows.empty() ? QString() : rows[0].KeyName);
    };
    engine->SetStatisticsType(statBandMode);
    engine->SetStatisticsType(statDXCC);
    waitForRun();
    EXPECT_EQ(announced, std::vector<QString>{"DL"});
    engine->OnFinished = [this] { ++finished; };

    // Another log loaded while a run counts the first one.
    engine->RunStatistics();
    log->SetLogFileName("other.log");
    writeLog({StatQSO("F1AA", "20m", "CW", {{LogField::DXCC, "227"}})});
    ASSERT_TRUE(log->Open());
    ASSERT_TRUE(vxtest::waitUntil([&] { return !log->LogIsLoading() && !engine->ThreadIsRunning(); }));
    EXPECT_TRUE(engine->StatisticsList().empty());
    run(statDXCC);
    EXPECT_EQ(KeyCounts(engine->StatisticsList()), (std::map<QString, int32_t>{{"F", 1}}));
}

TEST_F(StatisticsRunTest, AnEngineGoneDuringARunIsNeverCalled)
{
    openLog(lines(3000));
    engine->SetStatisticsType(statDXCC);
    engine.reset();
    EXPECT_FALSE(log->OnLogLoaded);
    vxtest::spin(50);
    EXPECT_EQ(finished, 1); // only the Clear of the log's loading
}

// Runs one after another while QSOs are logged every 10 ms (the log's writer thread and the
// statistics worker together; ThreadSanitizer watches this test).
TEST_F(StatisticsRunTest, RunsWhileQSOsAreLogged)
{
    openLog(lines(2000));
    int logged = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] { EXPECT_TRUE(log->AddQSO(newQSO(++logged))); });
    timer.start();
    engine->SetStatisticsType(statBandMode);
    for (int round = 0; round < 3; ++round) {
        const int own = int(log->LogBook().size());
        engine->RunStatistics();
        waitForRun();
        ASSERT_TRUE(total());
        EXPECT_EQ(total()->Col[0], own);
        vxtest::waitUntil([&] { return logged > round * 3; });
    }
    timer.stop();
    EXPECT_GT(logged, 0);
}
