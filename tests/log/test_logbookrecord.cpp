// The compact logbook entry and its own reader and writer of the log line.
#include "log/LogInfo.h"
#include "log/LogRecord.h"
#include "log/LogbookRecord.h"

#include <gtest/gtest.h>

#include "QStringPrint.h"

namespace {

const QString ExampleLine = QStringLiteral(
    "OWNCALL;20220305;142300;DXCALL;20m;SSB;;14.250;;;;59;;57;;;;Op;Town;FN42;291;NA;05;MA;;N;;N;;N;N;;;USB;N;N");

} // namespace

TEST(LogbookRecord, ClearedRecordIsEmpty)
{
    TLogbookRecord r;
    r.SetIndex(7);
    r.SetCall("K1A");
    r.Clear();
    EXPECT_EQ(r.Index(), 7);
    EXPECT_EQ(r.Call(), "");
    EXPECT_EQ(r.Band(), "");
    EXPECT_EQ(r.Mode(), "");
    EXPECT_EQ(r.ModeType(), mtAll);
    EXPECT_EQ(r.QSLSent(), "N");
    EXPECT_EQ(r.QSOLine(), ";;000000;;;;;;;;;;;;;;;;;;0;;;;;N;;N;;N;N;;;;N;N");
}

TEST(LogbookRecord, ExampleLineRoundTrips)
{
    TLogbookRecord r;
    EXPECT_TRUE(r.ExplodeQSOLine(ExampleLine));
    EXPECT_EQ(r.QSOLine(), ExampleLine);
    EXPECT_EQ(r.LogbookEntry().DateTime, QDateTime(QDate(2022, 3, 5), QTime(14, 23), Qt::UTC));
    EXPECT_EQ(r.LogbookEntry().ADIFCode, 291);
    EXPECT_EQ(r.LogbookEntry().CQZone, 5);
    EXPECT_EQ(r.LogbookEntry().Frequency, 14250000);
    EXPECT_EQ(r.ModeType(), mtPhone);
    TLogbookEntry copy;
    r.CopyLogbookEntry(copy);
    EXPECT_EQ(copy.Call, "DXCALL");
    EXPECT_EQ(copy.ModeType, mtPhone);
}

TEST(LogbookRecord, LineOfTheFullRecordLosesWhatTheEntryDoesNotKeep)
{
    TLogRecord full;
    full.ExplodeQSOLine(ExampleLine);
    full.SetNotes("notes");
    full.SetSATName("AO-7");
    full.SetComment(QString(70, QLatin1Char('c')));
    full.SetDXCC("");
    TLogbookRecord r;
    r.ExplodeQSOLine(full.QSOLine());
    EXPECT_EQ(r.Notes(), "");
    EXPECT_EQ(r.SATName(), "");
    EXPECT_EQ(r.Comment(), QString(60, QLatin1Char('c')));
    const QStringList f = r.QSOLine().split(';');
    EXPECT_EQ(f[LogField::SATName], "");
    EXPECT_EQ(f[LogField::Notes], "");
    EXPECT_EQ(f[LogField::DXCC], "0");
}

TEST(LogbookRecord, TextsAreCutAndCleaned)
{
    TLogbookRecord r;
    r.SetComment(QString(70, QLatin1Char('x')));
    EXPECT_EQ(r.Comment().size(), 60);
    r.SetComment("a;b\nc");
    EXPECT_EQ(r.Comment(), "a,b c");
    r.SetCall(" dl1abc/p/mm/12345 ");
    EXPECT_EQ(r.Call(), "DL1ABC/P/MM/12");
    r.SetIOTA("EU-005;X");
    EXPECT_EQ(r.IOTA(), "EU-005,");
    r.SetContestID("a;b");
    EXPECT_EQ(r.ContestID(), "a,b");
    EXPECT_TRUE(r.SetUSState("ma"));
    EXPECT_EQ(r.USState(), "MA");
    EXPECT_FALSE(r.SetUSState("MASS"));
    EXPECT_EQ(r.USState(), "MA");
    EXPECT_TRUE(r.SetUSState(";"));
    EXPECT_EQ(r.USState(), ",");
}

TEST(LogbookRecord, NumberAndCodeFields)
{
    TLogbookRecord r;
    EXPECT_TRUE(r.SetGridSquare("jo62qm"));
    EXPECT_EQ(r.GridSquare(), "JO62qm");
    EXPECT_FALSE(r.SetGridSquare("JS62"));
    EXPECT_EQ(r.GridSquare(), "");
    EXPECT_FALSE(r.SetGridSquare("JO62qz"));
    EXPECT_TRUE(r.SetGridSquare("RR99"));

    EXPECT_TRUE(r.SetADIFCode("230"));
    EXPECT_EQ(r.ADIFCode(), "230");
    EXPECT_FALSE(r.SetADIFCode("1234"));
    EXPECT_EQ(r.ADIFCode(), "0");
    EXPECT_EQ(r.QSOLine().split(';')[LogField::DXCC], "0");

    EXPECT_TRUE(r.SetCQZone("5"));
    EXPECT_EQ(r.CQZone(), "05");
    EXPECT_FALSE(r.SetCQZone("123"));
    EXPECT_EQ(r.CQZone(), "");

    EXPECT_TRUE(r.SetContinent("EU"));
    EXPECT_EQ(r.Continent(), "EU");
    EXPECT_FALSE(r.SetContinent("eu"));
    EXPECT_EQ(r.Continent(), "");

    EXPECT_FALSE(r.SetQSLSent("X"));
    EXPECT_EQ(r.QSLSent(), "N");
    EXPECT_TRUE(r.SetQSLRcvd("Q"));
    EXPECT_EQ(r.QSLRcvd(), "Q");

    EXPECT_TRUE(r.SetFrequency("14.0741"));
    EXPECT_EQ(r.Frequency(), "14.074");
    EXPECT_FALSE(r.SetFrequency("3000"));
    EXPECT_EQ(r.Frequency(), ""); // beyond what the entry holds
}

TEST(LogbookRecord, DatesAndTimes)
{
    TLogbookRecord r;
    EXPECT_FALSE(r.SetQSODate("2021-03-05"));
    EXPECT_FALSE(r.LogbookEntry().DateTime.isValid());
    EXPECT_TRUE(r.SetTimeOn("1423"));
    EXPECT_TRUE(r.SetQSODate("20210305"));
    EXPECT_EQ(r.LogbookEntry().DateTime, QDateTime(QDate(2021, 3, 5), QTime(14, 23), Qt::UTC));
    EXPECT_TRUE(r.SetTimeOn("080910"));
    EXPECT_EQ(r.LogbookEntry().DateTime, QDateTime(QDate(2021, 3, 5), QTime(8, 9, 10), Qt::UTC));
    EXPECT_FALSE(r.SetTimeOn("12:34"));
    EXPECT_EQ(r.TimeOn(), "000000");
    EXPECT_FALSE(r.SetTimeOn("2400"));
    EXPECT_FALSE(r.SetQSODate("20210230"));
    EXPECT_EQ(r.QSODate(), "");
    EXPECT_TRUE(r.SetQSLSentDate("20220101"));
    EXPECT_EQ(r.QSLSentDate(), "20220101");
    EXPECT_FALSE(r.SetQSLRcvdDate("220101"));
    EXPECT_EQ(r.QSLRcvdDate(), "");
}

TEST(LogbookRecord, ModeAndSubMode)
{
    TLogbookRecord r;
    EXPECT_FALSE(r.SetMode("usb"));
    EXPECT_TRUE(r.SetMode("USB"));
    EXPECT_EQ(r.Mode(), "SSB");
    EXPECT_EQ(r.LogbookEntry().ModeType, mtAll); // only an exact name sets the stored type
    r.SetSubMode("");
    EXPECT_EQ(r.SubMode(), "USB");
    EXPECT_TRUE(r.SetMode("ft8"));
    EXPECT_EQ(r.LogbookEntry().ModeType, mtDigital);
    r.SetSubMode("A-VERY-LONG-SUBMODE");
    EXPECT_EQ(r.SubMode(), "A-VERY-LONG-SU");
}

TEST(LogbookRecord, ReadingNeverStopsAtABadField)
{
    QStringList f = ExampleLine.split(';');
    f[LogField::QSODate] = "20210230";
    f[LogField::CQZone] = "X5";
    TLogbookRecord r;
    EXPECT_FALSE(r.ExplodeQSOLine(f.join(';')));
    EXPECT_EQ(r.ReadErrors(), 2);
    EXPECT_EQ(r.Call(), "DXCALL");
    EXPECT_EQ(r.SubMode(), "USB");
}

TEST(LogbookRecord, RowAndSummary)
{
    TLogbookRecord r;
    r.ExplodeQSOLine(ExampleLine);
    r.SetIndex(12);
    r.SetIOTA("NA-046");
    r.SetSRX("005");
    r.SetQSLVia("W1XYZ");
    const TLogData d = r.LogDataRecord();
    EXPECT_EQ(d.Index, 12);
    EXPECT_EQ(d.Call, "DXCALL");
    EXPECT_EQ(d.Band, "20m");
    EXPECT_EQ(d.Mode, "SSB");
    EXPECT_EQ(d.Comments, "Op Town NA-046 via W1XYZ");
    EXPECT_EQ(d.CQZone, 5);
    EXPECT_EQ(d.QSLSent, QLatin1Char('N'));
    const auto info = r.LogInfo();
    EXPECT_EQ(info->ADIFCode(), 291);
    EXPECT_EQ(info->CQZone(), 5);
    EXPECT_EQ(info->GridSquare(), "FN42");
    EXPECT_EQ(info->Name(), "Op");
    EXPECT_EQ(info->SRX(), "005");
    EXPECT_EQ(info->USState(), "MA");
    EXPECT_EQ(info->QSLVia(), "W1XYZ");
    EXPECT_EQ(info->Continent(), coAll);
}
