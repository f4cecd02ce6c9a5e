// Grid rows, the grid's filter row, the named log filter and the worked-station summary.
#include "log/LogFilter.h"
#include "log/LogInfo.h"
#include "log/LogRecord.h"
#include "log/LogbookPanelTypes.h"

#include <gtest/gtest.h>

#include "QStringPrint.h"

namespace {

const QString ExampleLine = QStringLiteral(
    "OWNCALL;20220305;142300;DXCALL;20m;SSB;;14.250;;;;59;;57;;;;Op;Town;FN42;291;NA;05;MA;;N;;N;;N;N;;;USB;N;N");

TLogRecord Record(std::initializer_list<std::pair<int, const char*>> changes = {})
{
    QStringList f = ExampleLine.split(';');
    for (const auto& [k, v] : changes)
        f[k] = QString::fromUtf8(v);
    TLogRecord r;
    r.ExplodeQSOLine(f.join(';'));
    return r;
}

} // namespace

TEST(LogData, RowOfAQSO)
{
    TLogRecord r = Record({{LogField::Comment, "nice sig"}, {LogField::QSLLoTWRcvd, "Y"}});
    const TLogData d = r.GetLogDataRecord(42);
    EXPECT_EQ(d.Index, 42);
    EXPECT_EQ(d.DateTime, QDateTime(QDate(2022, 3, 5), QTime(14, 23), Qt::UTC));
    EXPECT_EQ(d.Call, "DXCALL");
    EXPECT_EQ(d.Band, "20m");
    EXPECT_EQ(d.BandT, bd20);
    EXPECT_EQ(d.Mode, "SSB"); // submode USB is not shown for SSB
    EXPECT_EQ(d.RSTSent, "59");
    EXPECT_EQ(d.RSTRcvd, "57");
    EXPECT_EQ(d.Comments, "nice sig Op Town");
    EXPECT_EQ(d.Continent, coNA);
    EXPECT_EQ(d.Grid, "FN42");
    EXPECT_EQ(d.CQZone, 5);
    EXPECT_EQ(d.State, "MA");
    EXPECT_EQ(d.QSLLoTWRcvd, QLatin1Char('Y'));
    EXPECT_EQ(d.eQSLSent, QLatin1Char('N'));
    EXPECT_EQ(d.ADIFCode, 291);
    EXPECT_FALSE(d.LogCheck);

    TLogRecord other;
    const TLogData fromLine = other.GetLogDataRecord(3, ExampleLine);
    EXPECT_EQ(fromLine.Index, 3);
    EXPECT_EQ(other.Call(), "DXCALL");
}

TEST(LogData, MFSKRowsShowTheSubmode)
{
    EXPECT_EQ(Record({{LogField::Mode, "MFSK"}, {LogField::SubMode, "FT4"}}).GetLogDataRecord(0).Mode, "FT4");
    // Without a submode the cell still names the mode.
    EXPECT_EQ(Record({{LogField::Mode, "MFSK"}, {LogField::SubMode, ""}}).GetLogDataRecord(0).Mode, "MFSK");
}

TEST(LogData, TextsAreCutToTheirWidths)
{
    TLogRecord r = Record({{LogField::Comment, "a comment that is rather long"},
                           {LogField::Name, "Firstname Lastname"},
                           {LogField::QTH, "Somewhere Else"},
                           {LogField::Call, "ABCDEFGHIJKLMNO"},
                           {LogField::STX, "1234567890"}});
    const TLogData d = r.GetLogDataRecord(0);
    EXPECT_EQ(d.Comments.size(), 50);
    EXPECT_TRUE(r.AllInfos().startsWith(d.Comments));
    EXPECT_EQ(d.Call, "ABCDEFGHIJKLMN");
    EXPECT_EQ(d.STX, "12345678");
}

TEST(FilterData, FilteredAndClear)
{
    TFilterData f;
    EXPECT_FALSE(f.Filtered());
    f.DXCC = "291";
    EXPECT_TRUE(f.Filtered());
    f.Changed = true;
    f.Clear();
    EXPECT_FALSE(f.Filtered());
    EXPECT_FALSE(f.Changed);
    f.Value[LogColumn::eQSLRcvd] = "Y";
    EXPECT_TRUE(f.Filtered());
}

TEST(LogFilter, CopyFromTheFilterRow)
{
    TFilterData fd;
    for (int i = 0; i < LogColumn::Count; ++i)
        fd.Value[i] = QStringLiteral("v%1").arg(i);
    fd.Value[LogColumn::Call] = "dl1";
    fd.Value[LogColumn::Grid] = "jo";
    fd.DXCC = "230";
    TLogFilter lf;
    lf.CopyFilterDataToLogFilter(fd);
    EXPECT_EQ(lf.QSODate(), "v0");
    EXPECT_EQ(lf.TimeOn(), "v1");
    EXPECT_EQ(lf.Call(), "DL1");
    EXPECT_EQ(lf.Band(), "v3");
    EXPECT_EQ(lf.Mode(), "v4");
    EXPECT_EQ(lf.RSTSent(), "v5");
    EXPECT_EQ(lf.STX(), "v6");
    EXPECT_EQ(lf.RSTRcvd(), "v7");
    EXPECT_EQ(lf.SRX(), "v8");
    EXPECT_EQ(lf.Comment(), "v9");
    EXPECT_EQ(lf.Continent(), "v10");
    EXPECT_EQ(lf.GridSquare(), "JO");
    EXPECT_EQ(lf.CQZ(), "v12");
    EXPECT_EQ(lf.State(), "v13");
    EXPECT_EQ(lf.QSLSent(), "v14");
    EXPECT_EQ(lf.QSLRcvd(), "v15");
    EXPECT_EQ(lf.LoTWQSLSent(), "v16");
    EXPECT_EQ(lf.LoTWQSLRcvd(), "v17");
    EXPECT_EQ(lf.eQSLSent(), "v18");
    EXPECT_EQ(lf.eQSLRcvd(), "v19");
    EXPECT_EQ(lf.DXCC(), "230");
    EXPECT_TRUE(lf.Filtered());
    lf.Clear();
    EXPECT_FALSE(lf.Filtered());
}

TEST(LogFilter, MatchingRules)
{
    using Setter = void (TLogFilter::*)(const QString&);
    const TLogRecord qso = Record({{LogField::STX, "001"}, {LogField::SRX, "005"}, {LogField::Comment, "nice"},
                                   {LogField::QSLSent, "Y"}});
    const struct {
        Setter set;
        const char* value;
        bool passes;
    } cases[] = {
        {&TLogFilter::SetQSODate, "2022", true},     {&TLogFilter::SetQSODate, "202203", true},
        {&TLogFilter::SetQSODate, "2021", false},    {&TLogFilter::SetTimeOn, "14", true},
        {&TLogFilter::SetTimeOn, "1424", false},     {&TLogFilter::SetCall, "DX", true},
        {&TLogFilter::SetCall, "dx", false},         {&TLogFilter::SetCall, "CALL", false},
        {&TLogFilter::SetBand, "20m", true},         {&TLogFilter::SetBand, "20", false},
        {&TLogFilter::SetMode, "SSB", true},         {&TLogFilter::SetMode, "USB", false},
        {&TLogFilter::SetComment, "boston", false},  {&TLogFilter::SetComment, "TOWN", true},
        {&TLogFilter::SetComment, "ce op", true},    {&TLogFilter::SetGridSquare, "FN", true},
        {&TLogFilter::SetGridSquare, "FN43", false}, {&TLogFilter::SetContinent, "NA", true},
        {&TLogFilter::SetContinent, "EU", false},    {&TLogFilter::SetCQZ, "05", true},
        {&TLogFilter::SetCQZ, "5", false},           {&TLogFilter::SetState, "MA", true},
        {&TLogFilter::SetState, "M", false},         {&TLogFilter::SetQSLSent, "Y", true},
        {&TLogFilter::SetQSLRcvd, "Y", false},       {&TLogFilter::SetLoTWQSLSent, "N", true},
        {&TLogFilter::SetLoTWQSLRcvd, "R", false},   {&TLogFilter::SeteQSLSent, "N", true},
        {&TLogFilter::SeteQSLRcvd, "Y", false},      {&TLogFilter::SetDXCC, "291", true},
        {&TLogFilter::SetDXCC, "29", false},         {&TLogFilter::SetRSTSent, "5", true},
        {&TLogFilter::SetRSTSent, "57", false},      {&TLogFilter::SetRSTRcvd, "57", true},
        {&TLogFilter::SetSTX, "00", true},           {&TLogFilter::SetSRX, "001", false},
    };
    for (const auto& c : cases) {
        TLogFilter f;
        (f.*c.set)(c.value);
        EXPECT_EQ(f.Matches(qso), c.passes) << c.value;
    }
    EXPECT_TRUE(TLogFilter().Matches(qso));

    TLogFilter twoValues;
    twoValues.SetBand("20m");
    twoValues.SetMode("CW");
    EXPECT_FALSE(twoValues.Matches(qso));
}

TEST(LogFilter, DigitalModesLoggedAsMFSK)
{
    TLogFilter f;
    f.SetMode("FT4");
    EXPECT_FALSE(f.Matches(Record({{LogField::Mode, "FT4"}, {LogField::SubMode, ""}})));
    EXPECT_TRUE(f.Matches(Record({{LogField::Mode, "MFSK"}, {LogField::SubMode, "FT4"}})));
    f.SetMode("JS8");
    EXPECT_TRUE(f.Matches(Record({{LogField::Mode, "MFSK"}, {LogField::SubMode, "JS8"}})));
    f.SetMode("MFSK");
    EXPECT_TRUE(f.Matches(Record({{LogField::Mode, "MFSK"}, {LogField::SubMode, "JS8"}})));
    f.SetMode("FT8");
    EXPECT_TRUE(f.Matches(Record({{LogField::Mode, "FT8"}, {LogField::SubMode, ""}})));
}

TEST(LogInfo, FirstValueWins)
{
    // Newest QSO first: without a name; then an older one with name "Op".
    TLogInfo info;
    Record({{LogField::Name, ""}, {LogField::GridSquare, ""}, {LogField::IOTA, "NA-046"}}).CopyToLogInfo(info);
    Record({{LogField::Name, "Op"}, {LogField::GridSquare, "FN41"}, {LogField::IOTA, "NA-001"}}).CopyToLogInfo(info);
    info.SetQSOs(2);
    EXPECT_EQ(info.Name(), "Op");
    EXPECT_EQ(info.GridSquare(), "FN41");
    EXPECT_EQ(info.IOTA(), "NA-046");
    EXPECT_EQ(info.ADIFCode(), 291);
    EXPECT_EQ(info.CQZone(), 5);
    EXPECT_EQ(info.USState(), "MA");
    EXPECT_EQ(info.QSOs(), 2);
    EXPECT_EQ(info.Continent(), coAll); // not part of the summary's copy
    info.SetContinent(coEU);
    info.SetContinent(coNA);
    EXPECT_EQ(info.Continent(), coEU);
    info.SetQSOs(0);
    EXPECT_EQ(info.QSOs(), 0);
}
