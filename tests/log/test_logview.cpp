// Rows of the log view: the own QSOs newest first, the current filter, the row limit; the
// quick look at raw lines that lets big logs be filtered fast; the submode lists.
#include "LogFixture.h"

#include "log/LogLineFilter.h"

#include <QRandomGenerator>

namespace {

QStringList Calls(const TLogDataList& rows)
{
    QStringList calls;
    for (const TLogData& d : rows)
        calls << d.Call;
    return calls;
}

} // namespace

class LogViewTest : public LogFixture {
protected:
    void SetUp() override
    {
        LogFixture::SetUp();
        // FT4 as MFSK with a submode (as the ADIF import stores it), and as a mode of its own.
        TLogRecord ft4;
        ft4.ExplodeQSOLine(QSOLine("JA1FT", "20210401", "080000", "20m", "MFSK"));
        ft4.SetSubMode("FT4");
        TLogRecord info;
        info.ExplodeQSOLine(QSOLine("F5AA", "20200101", "100000", "40m", "SSB"));
        info.SetQTH("Paris");
        writeLog({QSOLine("DL1ABC", "20210305", "120000", "20m", "CW"), QSOLine("K1XYZ", "20210315", "130000", "40m", "SSB"),
                  QSOLine("VK2AA", "20210402", "090000", "20m", "FT8"), ft4.QSOLine(), info.QSOLine(),
                  QSOLine("JA2FT", "20200202", "000000", "20m", "FT4"),
                  QSOLine("G4XX", "20220101", "000000", "20m", "CW", {}, "OTHER")});
        ASSERT_TRUE(openAndWait());
    }

    QStringList filtered(void (*set)(TLogFilter&))
    {
        TLogFilter f;
        set(f);
        log->FilterQSOs(f);
        return Calls(log->LogDataList());
    }
};

TEST_F(LogViewTest, RowsAreTheOwnQSOsNewestFirstUpToTheLimit)
{
    EXPECT_EQ(Calls(log->LogDataList()), QStringList({"VK2AA", "JA1FT", "K1XYZ", "DL1ABC", "JA2FT", "F5AA"}));
    int data = 0, ticks = 0;
    log->OnLogData = [&] { ++data; };
    log->OnTickCount = [&](uint32_t) { ++ticks; };
    log->SetMaxQSOs(1);
    log->FilterQSOs();
    EXPECT_EQ(Calls(log->LogDataList()), QStringList({"VK2AA"}));
    log->SetMaxQSOs(0);
    log->FilterQSOs();
    EXPECT_EQ(log->LogDataList().size(), 6);
    EXPECT_EQ(data, 2);
    EXPECT_EQ(ticks, 2);
    // Each row names its QSO's line.
    for (const TLogData& d : log->LogDataList())
        EXPECT_TRUE(log->LineOfIndex(d.Index).contains(";" + d.Call + ";"));
}

TEST_F(LogViewTest, FilterConditions)
{
    EXPECT_EQ(filtered([](TLogFilter& f) { f.SetMode("FT4"); }), QStringList({"JA1FT"}));
    EXPECT_EQ(filtered([](TLogFilter& f) { f.SetMode("MFSK"); }), QStringList({"JA1FT"}));
    EXPECT_EQ(filtered([](TLogFilter& f) { f.SetQSODate("2021"); }), QStringList({"VK2AA", "JA1FT", "K1XYZ", "DL1ABC"}));
    EXPECT_EQ(filtered([](TLogFilter& f) { f.SetQSODate("202103"); }), QStringList({"K1XYZ", "DL1ABC"}));
    EXPECT_EQ(filtered([](TLogFilter& f) { f.SetComment("pAR"); }), QStringList({"F5AA"}));
    EXPECT_EQ(filtered([](TLogFilter& f) {
                  f.SetBand("20m");
                  f.SetQSODate("2021");
              }),
              QStringList({"VK2AA", "JA1FT", "DL1ABC"}));
    EXPECT_EQ(filtered([](TLogFilter& f) { f.SetCall("G4"); }), QStringList());
    // A report condition from the grid's filter row selects as well.
    EXPECT_EQ(filtered([](TLogFilter& f) { f.SetRSTSent("599"); }), QStringList());

    // The grid's filter row goes through the same rules; clearing empties the filter only.
    TFilterData d;
    d.Value[LogColumn::Call] = "k1";
    log->FilterQSOs(d);
    EXPECT_EQ(Calls(log->LogDataList()), QStringList({"K1XYZ"}));
    int cleared = 0;
    log->OnLogbookPanelClear = [&] { ++cleared; };
    log->LogbookPanelClear();
    EXPECT_EQ(cleared, 1);
    EXPECT_FALSE(log->LogFilter().Filtered());
    EXPECT_EQ(log->LogDataList().size(), 1);
}

TEST_F(LogViewTest, LoggingModeAndColumnsRaiseTheirEventsOnChange)
{
    QStringList order;
    log->OnInitializeColumns = [&] { order << "columns"; };
    log->OnInitializeFields = [&] { order << "fields"; };
    log->OnLogData = [&] { order << "data"; };
    log->OnLoggingMode = [&](TLoggingMode m) { order << (m == lmContest ? "contest" : "regular"); };
    log->SetLoggingMode(lmContest);
    log->SetLoggingMode(lmContest);
    EXPECT_EQ(order, QStringList({"columns", "fields", "data", "contest"}));
    order.clear();
    EXPECT_EQ(log->LogBookColumns(), TLogBookColumns({colGrid, colUSState, colQSL, colQSLLoTW}));
    log->SetLogBookColumns({colGrid});
    log->SetLogBookColumns({colGrid});
    EXPECT_EQ(order, QStringList({"columns", "fields"}));
    EXPECT_EQ(log->LogBookColumns().Bits(), 1);
}

TEST(LogSubModes, Lists)
{
    const QStringList psk = TLogInterface::GetSubModes("PSK");
    EXPECT_EQ(psk.size(), 29);
    EXPECT_EQ(psk.first(), "8PSK125");
    EXPECT_EQ(TLogInterface::GetSubModes("SSB"), QStringList({"LSB", "USB"}));
    EXPECT_TRUE(TLogInterface::GetSubModes("CW").isEmpty());
    EXPECT_TRUE(TLogInterface::GetSubModes("").isEmpty());
    EXPECT_TRUE(TLogInterface::GetSubModes("MFSK").contains("MFSK128 MFSK128L"));
}

// The quick look must never drop a line that the full check accepts, and a record that read
// only the fields the filter looks at must decide as one that read the whole line.  Lines and filter values
// are drawn from texts that exercise the record's reading rules (case, blanks, dates with
// separators, submode names, flags, zero-padded numbers).
TEST(LogLinePrefilter, NeverRejectsAMatchingLine)
{
    const QStringList dates = {"20210305", "2021-03-05", "20211", "", "2021/03/15", "19991231"};
    const QStringList calls = {"DL1ABC", " dl1abc ", "K1XYZ", "", "dl"};
    const QStringList bands = {"20m", "20M", " 40m", "xx", ""};
    const QStringList modes = {"CW", "cw", "USB", "FT4", "MFSK", "PSK63", "SSB", "JS8", ""};
    const QStringList submodes = {"", "FT4", "ft4", "JS8", " Q65 "};
    const QStringList infos = {"", "Paris", " paris ", "via", "DL1ABC", "Op Town"};
    const QStringList grids = {"JO31", "jo31ab", "", "JO3"};
    const QStringList dxcc = {"230", "0230", "", "x", "0"};
    const QStringList zones = {"5", "05", "14", "", "5x"};
    const QStringList flags = {"Y", "y", "N", "", "Yes", "R", "Q"};
    const QStringList conts = {"EU", "eu", "", "XX"};
    const QStringList times = {"1200", "120000", "12:00", ""};

    QRandomGenerator rng(4711);
    const auto pick = [&rng](const QStringList& l) { return l[int(rng.bounded(l.size()))]; };
    const auto pickNonEmpty = [&](const QStringList& l) {
        QString s;
        while (s.isEmpty())
            s = pick(l).trimmed();
        return s;
    };

    QStringList lines;
    for (int i = 0; i < 400; ++i) {
        QStringList f(36);
        f[0] = OwnCall;
        f[1] = pick(dates);
        f[2] = pick(times);
        f[3] = pick(calls);
        f[4] = pick(bands);
        f[5] = pick(modes);
        f[11] = "599";
        f[15] = pick(infos);
        f[17] = pick(infos);
        f[18] = pick(infos);
        f[19] = pick(grids);
        f[20] = pick(dxcc);
        f[21] = pick(conts);
        f[22] = pick(zones);
        f[23] = pick(infos);
        f[24] = pick(infos);
        f[25] = pick(flags);
        f[29] = pick(flags);
        f[32] = pick(infos);
        f[33] = pick(submodes);
        f[34] = pick(flags);
        f[35] = pick(flags);
        lines << f.join(';');
    }

    using Setter = void (*)(TLogFilter&, const QString&);
    const std::pair<Setter, QStringList> conditions[] = {
        {[](TLogFilter& f, const QString& v) { f.SetQSODate(v); }, {"2021", "202103", "20210305", "1999"}},
        {[](TLogFilter& f, const QString& v) { f.SetCall(v); }, {"DL", "DL1ABC", "K", "dl"}},
        {[](TLogFilter& f, const QString& v) { f.SetBand(v); }, {"20m", "40m"}},
        {[](TLogFilter& f, const QString& v) { f.SetMode(v); }, {"CW", "SSB", "FT4", "JS8", "Q65", "PSK", "MFSK"}},
        {[](TLogFilter& f, const QString& v) { f.SetComment(v); }, {"par", "PARIS", "via", "ia", "Op Town", "DL1"}},
        {[](TLogFilter& f, const QString& v) { f.SetGridSquare(v); }, {"JO", "JO31AB"}},
        {[](TLogFilter& f, const QString& v) { f.SetDXCC(v); }, {"230", "0"}},
        {[](TLogFilter& f, const QString& v) { f.SetCQZ(v); }, {"05", "14"}},
        {[](TLogFilter& f, const QString& v) { f.SetContinent(v); }, {"EU"}},
        {[](TLogFilter& f, const QString& v) { f.SetState(v); }, {"Paris", "paris"}},
        {[](TLogFilter& f, const QString& v) { f.SetQSLSent(v); }, {"Y", "N", "R"}},
        {[](TLogFilter& f, const QString& v) { f.SetLoTWQSLSent(v); }, {"Y", "Q"}},
        {[](TLogFilter& f, const QString& v) { f.SeteQSLRcvd(v); }, {"Y", "N"}},
        {[](TLogFilter& f, const QString& v) { f.SetTimeOn(v); }, {"12"}},
        {[](TLogFilter& f, const QString& v) { f.SetRSTSent(v); }, {"59", "599", "5"}},
    };

    int matched = 0, rejected = 0;
    TLogRecord r, partial;
    for (int round = 0; round < 300; ++round) {
        TLogFilter filter;
        const int n = 1 + int(rng.bounded(3));
        for (int k = 0; k < n; ++k) {
            const auto& [set, values] = conditions[rng.bounded(int(std::size(conditions)))];
            set(filter, pickNonEmpty(values));
        }
        const TLogLinePrefilter pre(filter);
        for (const QString& line : lines) {
            r.ExplodeQSOLine(line);
            const bool matches = filter.Matches(r);
            const bool may = pre.MayMatch(line);
            // Reading only the fields the filter looks at decides the same.
            partial.ExplodeQSOFields(line, filter.FieldsRead());
            ASSERT_EQ(filter.Matches(partial), matches) << line.toStdString();
            matched += matches;
            rejected += !may;
            ASSERT_TRUE(!matches || may) << line.toStdString();
        }
    }
    // The look rejects most non-matching lines and the test saw real matches.
    EXPECT_GT(matched, 1000);
    EXPECT_GT(rejected, 50000);
}
