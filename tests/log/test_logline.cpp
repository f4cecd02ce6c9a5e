// The log line, the file header and the keys derived from a record.
#include "log/LogRecord.h"

#include <gtest/gtest.h>

#include "QStringPrint.h"

namespace {

const QString ExampleLine = QStringLiteral(
    "OWNCALL;20220305;142300;DXCALL;20m;SSB;;14.250;;;;59;;57;;;;Op;Town;FN42;291;NA;05;MA;;N;;N;;N;N;;;USB;N;N");

QString Field(const QString& line, int k)
{
    return line.split(QLatin1Char(';')).value(k);
}

} // namespace

TEST(LogLine, FileHeaderHas36NamesAndNoTrailingSeparator)
{
    const QString h = TLogRecord::FileHeader();
    EXPECT_EQ(h, "STATION_CALLSIGN;QSO_DATE;TIME_ON;CALL;BAND;MODE;BAND_RX;FREQ;FREQ_RX;PROP_MODE;SAT_NAME;RST_SENT;"
                 "STX;RST_RCVD;SRX;COMMENT;NOTES;NAME;QTH;GRIDSQUARE;DXCC;CONT;CQZ;STATE;QSL_VIA;QSL_SENT;QSLSDATE;"
                 "QSL_RCVD;QSLRDATE;LOTW_QSL_SENT;LOTW_QSL_RCVD;CONTEST_ID;IOTA;SUBMODE;EQSL_QSL_SENT;EQSL_QSL_RCVD");
    EXPECT_EQ(h.count(QLatin1Char(';')), 35);
    EXPECT_TRUE(h.contains("SUBMODE;EQSL_QSL_SENT;EQSL_QSL_RCVD"));
}

TEST(LogLine, EmptyRecordLine)
{
    TLogRecord r;
    EXPECT_EQ(r.QSOLine(), ";;000000;;40m;CW;;;;;;;;;;;;;;;;;;;;N;;N;;N;N;;;;N;N");
}

TEST(LogLine, ExampleLineRoundTripsUnchanged)
{
    TLogRecord r;
    EXPECT_TRUE(r.ExplodeQSOLine(ExampleLine));
    EXPECT_TRUE(r.ReadCleanly());
    EXPECT_EQ(r.QSOLine(), ExampleLine);
    EXPECT_EQ(r.StationCallsign(), "OWNCALL");
    EXPECT_EQ(r.Call(), "DXCALL");
    EXPECT_EQ(r.QSODateTime(), QDateTime(QDate(2022, 3, 5), QTime(14, 23), Qt::UTC));
    EXPECT_EQ(r.Band(), bd20);
    EXPECT_EQ(r.Mode(), mSSB);
    EXPECT_EQ(r.Freq(), 14250000u);
    EXPECT_EQ(r.Name(), "Op");
    EXPECT_EQ(r.ADIFCode(), 291);
    EXPECT_EQ(r.Continent(), coNA);
    EXPECT_EQ(r.USState(), "MA");
    EXPECT_EQ(r.SubMode(), "USB");
    EXPECT_TRUE(r.IsComplete());
}

TEST(LogLine, EveryFieldRoundTrips)
{
    const QString line = "OWN;20220305;142300;DXCALL;2m;PSK;70cm;144.100;432.100;SAT;AO-7;599;001;579;002;c m t;"
                         "n o t e s;Op;Town;FN42qm;291;NA;05;MA;W1XYZ;Y;20220401;R;20220402;Q;Y;CQ-WW;NA-001;PSK31;"
                         "I;I";
    TLogRecord r;
    EXPECT_TRUE(r.ExplodeQSOLine(line));
    EXPECT_EQ(r.QSOLine(), line);
    TLogRecord again;
    EXPECT_TRUE(again.ExplodeQSOLine(r.QSOLine()));
    EXPECT_EQ(again.QSOLine(), line);
}

TEST(LogLine, FieldsAreTrimmedAndKeepTheirPlaces)
{
    TLogRecord r;
    QString line = ExampleLine;
    line.replace(";Op;", "; Op ;");
    line.replace(";Town;", ";\tTown  ;");
    EXPECT_TRUE(r.ExplodeQSOLine(line));
    EXPECT_EQ(r.Name(), "Op");
    EXPECT_EQ(r.QTH(), "Town");
    EXPECT_EQ(r.GridSquare(), "FN42");
    EXPECT_EQ(r.QSOLine(), ExampleLine);
}

TEST(LogLine, LongLineIsReadCompletely)
{
    const QString comment(300, QLatin1Char('c'));
    const QString notes(200, QLatin1Char('n'));
    QStringList f = ExampleLine.split(QLatin1Char(';'));
    f[LogField::Comment] = comment;
    f[LogField::Notes] = notes;
    const QString line = f.join(QLatin1Char(';'));
    ASSERT_GT(line.size(), 500);
    TLogRecord r;
    EXPECT_TRUE(r.ExplodeQSOLine(line));
    EXPECT_EQ(r.Comment(), comment);
    EXPECT_EQ(r.Notes(), notes);
    EXPECT_EQ(r.Name(), "Op");
    EXPECT_EQ(r.SubMode(), "USB");
    EXPECT_EQ(r.QSLeQSLRcvd(), "N");
    EXPECT_EQ(r.QSOLine(), line);
}

TEST(LogLine, ShortAndOverlongLines)
{
    // 35 fields: field 34 from the text after the last separator, field 35 stays "N".
    QString line35 = ExampleLine;
    line35.chop(2);
    line35.replace(line35.size() - 1, 1, "Y");
    TLogRecord r;
    EXPECT_TRUE(r.ExplodeQSOLine(line35));
    EXPECT_EQ(r.QSLeQSLSent(), "Y");
    EXPECT_EQ(r.QSLeQSLRcvd(), "N");

    // The last field takes the rest of the line.
    QString longer = ExampleLine;
    longer.chop(1);
    longer += "Y;extra";
    EXPECT_TRUE(r.ExplodeQSOLine(longer));
    EXPECT_EQ(r.QSLeQSLRcvd(), "Y");

    // A line of the previous layout upgraded the way the logbook does it.
    const QString old = "OWN;20220305;142300;DXCALL;20m;CW;;14.020;;;;599;;599;;;;;;;;;;;;N;;N;;N;N;;EU-005";
    EXPECT_TRUE(r.ExplodeQSOLine(old + ";;N;N;"));
    EXPECT_EQ(r.IOTA(), "EU-005");
    EXPECT_EQ(r.QSOLine(), old + ";;N;N");
}

TEST(LogLine, BadFieldsAreCountedAndTheRestIsStillRead)
{
    const struct {
        int field;
        const char* text;
    } cases[] = {
        {LogField::QSODate, "20210230"}, {LogField::QSODate, "2021035"}, {LogField::TimeOn, "2400"},
        {LogField::TimeOn, ""},          {LogField::Band, "21m"},        {LogField::Mode, "JS8"},
        {LogField::Freq, "14,250"},      {LogField::DXCC, "99999999999"}, {LogField::CQZone, "X"},
        {LogField::GridSquare, "JO6"},   {LogField::QSLSent, "X"},       {LogField::QSLSDate, "20221301"},
        {LogField::Continent, "XX"},     {LogField::PropMode, "GWAVE"},
    };
    for (const auto& c : cases) {
        QStringList f = ExampleLine.split(QLatin1Char(';'));
        f[c.field] = c.text;
        TLogRecord r;
        EXPECT_FALSE(r.ExplodeQSOLine(f.join(QLatin1Char(';')))) << c.field << " " << c.text;
        EXPECT_EQ(r.ReadErrors(), 1) << c.field << " " << c.text;
        EXPECT_FALSE(r.ReadCleanly());
        // Everything after the bad field arrived.
        EXPECT_EQ(r.Call(), c.field == LogField::Call ? "" : "DXCALL");
        EXPECT_EQ(r.Name(), "Op");
        EXPECT_EQ(r.SubMode(), "USB");
        // The bad field is left empty, never half-read.
        QStringList back = r.QSOLine().split(QLatin1Char(';'));
        ASSERT_EQ(back.size(), 36);
        back[c.field] = ExampleLine.split(QLatin1Char(';'))[c.field];
        EXPECT_EQ(back.join(QLatin1Char(';')), ExampleLine) << c.field;
    }
}

TEST(LogLine, EmptyTimeStillReadsTheWholeLine)
{
    QString line = ExampleLine;
    line.replace(";142300;", ";;");
    TLogRecord r;
    EXPECT_FALSE(r.ExplodeQSOLine(line));
    EXPECT_EQ(r.StationCallsign(), "OWNCALL");
    EXPECT_EQ(r.QSODateAsString(), "20220305");
    EXPECT_EQ(r.Call(), "DXCALL");
    EXPECT_EQ(r.TimeOnAsString(), "000000");
    EXPECT_EQ(r.ReadErrors(), 1);
}

TEST(LogLine, ClearResetsTheReadState)
{
    TLogRecord r;
    r.ExplodeQSOLine("OWN;bad");
    EXPECT_FALSE(r.ReadCleanly());
    EXPECT_TRUE(r.ExplodeQSOLine(ExampleLine));
    EXPECT_TRUE(r.ReadCleanly());
    r.ExplodeQSOLine("garbage without separators");
    EXPECT_FALSE(r.ReadCleanly());
    r.Clear();
    EXPECT_TRUE(r.ReadCleanly());
}

TEST(LogLine, SeparatorInAnyTextFieldCannotShiftTheLine)
{
    using Setter = void (TLogRecord::*)(const QString&);
    const Setter setters[] = {&TLogRecord::SetStationCallsign, &TLogRecord::SetCall,    &TLogRecord::SetSATName,
                              &TLogRecord::SetRSTSent,         &TLogRecord::SetSTX,     &TLogRecord::SetRSTRcvd,
                              &TLogRecord::SetSRX,             &TLogRecord::SetComment, &TLogRecord::SetNotes,
                              &TLogRecord::SetName,            &TLogRecord::SetQTH,     &TLogRecord::SetUSState,
                              &TLogRecord::SetQSLVia,          &TLogRecord::SetContestID, &TLogRecord::SetIOTA,
                              &TLogRecord::SetSubMode};
    for (Setter set : setters) {
        TLogRecord r;
        r.ExplodeQSOLine(ExampleLine);
        (r.*set)("a;b\r\nY;Y");
        const QString line = r.QSOLine();
        EXPECT_EQ(line.count(QLatin1Char(';')), 35);
        EXPECT_FALSE(line.contains(QLatin1Char('\n')));
        TLogRecord back;
        EXPECT_TRUE(back.ExplodeQSOLine(line));
        EXPECT_EQ(back.QSOLine(), line);
        EXPECT_EQ(back.QSLeQSLRcvd(), "N");
    }
}

TEST(LogLine, ModeFieldWithASubmodeName)
{
    TLogRecord r;
    QString line = ExampleLine;
    line.replace(";SSB;", ";PSK31;");
    line.replace(";USB;", ";;");
    EXPECT_TRUE(r.ExplodeQSOLine(line));
    EXPECT_EQ(r.Mode(), mPSK);
    EXPECT_EQ(r.SubMode(), "PSK31");
    EXPECT_EQ(Field(r.QSOLine(), LogField::Mode), "PSK");
    EXPECT_EQ(Field(r.QSOLine(), LogField::SubMode), "PSK31");
}

TEST(LogLine, Keys)
{
    TLogRecord r;
    r.ExplodeQSOLine(ExampleLine);
    EXPECT_EQ(r.QSOLineToFind(), "OWNCALL;20220305;142300;DXCALL;20m;SSB;");
    EXPECT_TRUE(ExampleLine.startsWith(r.QSOLineToFind()));
    EXPECT_EQ(r.CallbookLine(), ";DXCALL;20m;S;");
    r.SetMode(mFM);
    EXPECT_EQ(r.CallbookLine(), ";DXCALL;20m;D;");
    r.SetMode(mCW);
    r.SetBand(bd40);
    EXPECT_EQ(r.CallbookLine(), ";DXCALL;40m;C;");
    // The call field starts at a fixed place after the station call.
    EXPECT_EQ(ExampleLine.at(r.StationCallsign().size() + 16), QLatin1Char(';'));
}

TEST(LogLine, SecondReaders)
{
    TLogRecord r;
    r.SetComment("kept");
    // Reads only the pieces that exist, does not clear or trim.
    EXPECT_TRUE(r.ExplodeQSOLine2("OWN;20220305;0815; dxcall"));
    EXPECT_EQ(r.StationCallsign(), "OWN");
    EXPECT_EQ(r.TimeOnAsString(), "081500");
    EXPECT_EQ(r.Call(), "DXCALL");
    EXPECT_EQ(r.Comment(), "kept");
    EXPECT_TRUE(r.ExplodeQSOLine2(ExampleLine));
    EXPECT_EQ(r.QSOLine(), ExampleLine);

    EXPECT_FALSE(r.ExplodeCallbookLine(" k1a ;20M;usb"));
    EXPECT_EQ(r.Call(), "K1A");
    EXPECT_EQ(r.Band(), bd20);
    EXPECT_EQ(r.Mode(), mNone); // the submode rules see the text as written
    EXPECT_FALSE(r.ReadCleanly());
    EXPECT_TRUE(r.ExplodeCallbookLine("K1A;20m;FT8"));
    EXPECT_EQ(r.Mode(), mFT8);
    EXPECT_EQ(r.Comment(), "");
}
