// ADIF, LoTW, eQSL and Cabrillo records of one QSO.
#include "log/LogRecord.h"

#include <gtest/gtest.h>

#include "QStringPrint.h"

namespace {

const QString ExampleLine = QStringLiteral(
    "OWNCALL;20220305;142300;DXCALL;20m;SSB;;14.250;;;;59;;57;;;;Op;Town;FN42;291;NA;05;MA;;N;;N;;N;N;;;USB;N;N");
const QString ExchangeLine = QStringLiteral(
    "OWNCALL;20220305;142300;DXCALL;20m;SSB;;14.250;;;;59;001;57;005;;;Op;Town;FN42;291;NA;05;MA;;N;;N;;N;N;;;USB;N;"
    "N");

QString LineWith(const QString& base, std::initializer_list<std::pair<int, const char*>> changes)
{
    QStringList f = base.split(QLatin1Char(';'));
    for (const auto& [k, v] : changes)
        f[k] = QString::fromUtf8(v);
    return f.join(QLatin1Char(';'));
}

} // namespace

TEST(ExchangeRecords, ADIFRecordOfTheExampleLine)
{
    const TLogRecord r;
    EXPECT_EQ(r.GetADIFRecord(ExchangeLine),
              "<STATION_CALLSIGN:7>OWNCALL <QSO_DATE:8>20220305 <TIME_ON:6>142300 <CALL:6>DXCALL <BAND:3>20m "
              "<MODE:3>SSB <FREQ:6>14.250 <RST_SENT:2>59 <STX:3>001 <RST_RCVD:2>57 <SRX:3>005 <NAME:2>Op "
              "<QTH:4>Town <GRIDSQUARE:4>FN42 <DXCC:3>291 <CONT:2>NA <CQZ:2>05 <STATE:2>MA <QSL_SENT:1>N "
              "<QSL_RCVD:1>N <LOTW_QSL_SENT:1>N <LOTW_QSL_RCVD:1>N <SUBMODE:3>USB <EQSL_QSL_SENT:1>N "
              "<EQSL_QSL_RCVD:1>N <EOR>");
}

TEST(ExchangeRecords, ADIFRecordOfAnEmptyRecord)
{
    TLogRecord r;
    r.SetCall("KEEP");
    EXPECT_EQ(r.GetADIFRecord(TLogRecord().QSOLine()),
              "<TIME_ON:6>000000 <BAND:3>40m <MODE:2>CW <QSL_SENT:1>N <QSL_RCVD:1>N <LOTW_QSL_SENT:1>N "
              "<LOTW_QSL_RCVD:1>N <EQSL_QSL_SENT:1>N <EQSL_QSL_RCVD:1>N <EOR>");
    EXPECT_EQ(r.Call(), "KEEP"); // built from the line, the record untouched
}

TEST(ExchangeRecords, ADIFLengthCountsCharacters)
{
    const TLogRecord r;
    const QString line = LineWith(ExampleLine, {{LogField::Name, "Jürgen"}, {LogField::QTH, "Zürich 😀"}});
    const QString adif = r.GetADIFRecord(line);
    EXPECT_TRUE(adif.contains(QStringLiteral("<NAME:6>Jürgen ")));
    EXPECT_TRUE(adif.contains(QStringLiteral("<QTH:8>Zürich 😀 ")));
}

TEST(ExchangeRecords, ADIFRecordOfAShortLineLeavesTheMissingFieldsOut)
{
    const TLogRecord r;
    EXPECT_EQ(r.GetADIFRecord("OWN;20220305;142300;K1A"),
              "<STATION_CALLSIGN:3>OWN <QSO_DATE:8>20220305 <TIME_ON:6>142300 <CALL:3>K1A <EOR>");
    EXPECT_EQ(r.GetADIFRecord(""), "<EOR>");
}

TEST(ExchangeRecords, LoTWAndEQSLRecordsOfTheExampleLine)
{
    TLogRecord r;
    EXPECT_EQ(r.GetLoTWRecord(ExampleLine),
              "<CALL:6>DXCALL <BAND:3>20m <MODE:3>SSB <QSO_DATE:8>20220305 <TIME_ON:6>142300 <SUBMODE:3>USB "
              "<FREQ:6>14.250 <EOR>");
    // The record holds the QSO afterwards, so the caller can mark it and write it back.
    EXPECT_EQ(r.QSOLine(), ExampleLine);
    EXPECT_EQ(r.GeteQSLRecord(ExampleLine),
              "<QSO_DATE:8>20220305 <TIME_ON:4>1423 <CALL:6>DXCALL <MODE:3>SSB <BAND:3>20m <SUBMODE:3>USB "
              "<RST_SENT:2>59 <EOR>");
    EXPECT_EQ(r.Call(), "DXCALL");
}

TEST(ExchangeRecords, LoTWSatelliteCrossBandAndPropagation)
{
    TLogRecord r;
    const QString sat = LineWith(ExampleLine, {{LogField::Band, "2m"},
                                               {LogField::BandRX, "70cm"},
                                               {LogField::Freq, "145.900"},
                                               {LogField::PropMode, "SAT"},
                                               {LogField::SATName, "AO-91"},
                                               {LogField::SubMode, ""},
                                               {LogField::Mode, "FM"}});
    EXPECT_EQ(r.GetLoTWRecord(sat), "<CALL:6>DXCALL <BAND:2>2m <MODE:2>FM <QSO_DATE:8>20220305 <TIME_ON:6>142300 "
                                    "<BAND_RX:4>70cm <FREQ:7>145.900 <PROP_MODE:3>SAT <SAT_NAME:5>AO-91 <EOR>");
    // EME with a satellite name writes no name; a receive band equal to the band none.
    const QString eme = LineWith(sat, {{LogField::PropMode, "EME"}, {LogField::BandRX, "2m"}});
    EXPECT_EQ(r.GetLoTWRecord(eme), "<CALL:6>DXCALL <BAND:2>2m <MODE:2>FM <QSO_DATE:8>20220305 <TIME_ON:6>142300 "
                                    "<FREQ:7>145.900 <PROP_MODE:3>EME <EOR>");
    // eQSL: propagation mode but never the satellite name; no RST when there is none.
    const QString eqsl = LineWith(sat, {{LogField::RSTSent, ""}});
    EXPECT_EQ(r.GeteQSLRecord(eqsl), "<QSO_DATE:8>20220305 <TIME_ON:4>1423 <CALL:6>DXCALL <MODE:2>FM <BAND:2>2m "
                                     "<PROP_MODE:3>SAT <EOR>");
}

TEST(ExchangeRecords, UploadRecordsOfAnEmptyRecordAndOfAQSOWithoutDate)
{
    TLogRecord r;
    // A QSO without a date cannot be uploaded: no record rather than a malformed one.
    EXPECT_EQ(r.GetLoTWRecord(TLogRecord().QSOLine()), "");
    EXPECT_EQ(r.GeteQSLRecord(TLogRecord().QSOLine()), "");
    const QString noDate = LineWith(ExampleLine, {{LogField::QSODate, ""}});
    EXPECT_EQ(r.GetLoTWRecord(noDate), "");
    EXPECT_EQ(r.GeteQSLRecord(noDate), "");
    EXPECT_EQ(r.GetCabrilloRecord(noDate, "OWNCALL"), "");
    EXPECT_EQ(r.Call(), "DXCALL");
    // A bad date is no date either, and the record says the line did not read cleanly.
    EXPECT_EQ(r.GetLoTWRecord(LineWith(ExampleLine, {{LogField::QSODate, "20210230"}})), "");
    EXPECT_FALSE(r.ReadCleanly());
}

TEST(ExchangeRecords, CabrilloRecordOfTheExampleLine)
{
    TLogRecord r;
    const QString q = r.GetCabrilloRecord(ExchangeLine, "OWNCALL");
    EXPECT_EQ(q, "QSO: 14250 PH 2022-03-05 1423 OWNCALL       59  001    DXCALL        57  005    0");
    EXPECT_EQ(q.size(), 81);
    EXPECT_EQ(r.QSOLine(), ExchangeLine);
}

TEST(ExchangeRecords, CabrilloOnlyForContestBandsAndModes)
{
    const struct {
        const char* band;
        const char* mode;
        bool written;
    } cases[] = {
        {"30m", "CW", false}, {"20m", "FT8", false}, {"20m", "AM", false}, {"60m", "SSB", false},
        {"70cm", "FM", false}, {"160m", "CW", true}, {"2m", "FM", true},    {"15m", "RTTY", true},
        {"6m", "SSB", true},   {"10m", "CW", true},  {"17m", "CW", false},
    };
    for (const auto& c : cases) {
        TLogRecord r;
        const QString line = LineWith(ExchangeLine, {{LogField::Band, c.band}, {LogField::Mode, c.mode}});
        EXPECT_EQ(r.GetCabrilloRecord(line, "OWNCALL").isEmpty(), !c.written) << c.band << " " << c.mode;
    }
}

// A value longer than its column is written whole and moves the rest of the line; the
// columns before it and the blank between values stay.
TEST(ExchangeRecords, CabrilloNeverCutsAValue)
{
    TLogRecord r;
    const QString line = LineWith(ExchangeLine, {{LogField::Call, "VP2V/N1AAK/MM12"},
                                                 {LogField::RSTSent, "5999"},
                                                 {LogField::STX, "123456789"},
                                                 {LogField::RSTRcvd, "5777"},
                                                 {LogField::SRX, "ABCDEFGHI"}});
    const QString q = r.GetCabrilloRecord(line, "OWNCALL/ANOTHER");
    EXPECT_EQ(q, "QSO: 14250 PH 2022-03-05 1423 OWNCALL/ANOTHER 5999 123456789 VP2V/N1AAK/MM12 5777 ABCDEFGHI 0");
    const QStringList fields = q.split(' ', Qt::SkipEmptyParts);
    EXPECT_EQ(fields.mid(5, 6),
              QStringList({"OWNCALL/ANOTHER", "5999", "123456789", "VP2V/N1AAK/MM12", "5777", "ABCDEFGHI"}));

    // Values that fit keep the fixed columns, whatever stands before them.
    const QString fits = r.GetCabrilloRecord(LineWith(ExchangeLine, {{LogField::Call, "VP2V/N1AAK/MM"}}), "OWNCALL");
    EXPECT_EQ(fits.size(), 81);
    EXPECT_EQ(fits.mid(55, 14), "VP2V/N1AAK/MM ");
}

TEST(ExchangeRecords, CabrilloFrequencyModeAndDate)
{
    const struct {
        const char* band;
        const char* freq;
        const char* out;
    } cases[] = {
        {"40m", "7.025", " 7025"}, {"40m", "", " 7000"},     {"6m", "50.150", "   50"}, {"6m", "", "   50"},
        {"2m", "144.300", "  144"}, {"160m", "1.830", " 1830"}, {"160m", "", " 1800"}, {"80m", "", " 3500"},
        {"20m", "", "14000"},      {"15m", "", "21000"},     {"10m", "", "28000"},     {"10m", "28.0259", "28025"},
        {"30m", "10.120", ""},     {"", "", ""},
    };
    for (const auto& c : cases) {
        TLogRecord r;
        r.SetBandAsString(c.band);
        r.SetFreqAsString(c.freq);
        EXPECT_EQ(r.FreqCabrillo(), c.out) << c.band << " " << c.freq;
    }
    TLogRecord r;
    const struct {
        TQSOMode mode;
        const char* out;
    } modes[] = {{mCW, "CW"}, {mSSB, "PH"}, {mRTTY, "RY"}, {mFM, "FM"}, {mAM, "  "}, {mFT8, "  "}};
    for (const auto& m : modes) {
        r.SetMode(m.mode);
        EXPECT_EQ(r.ModeCabrillo(), m.out);
    }
    EXPECT_EQ(r.QSODateCabrillo(), "");
    r.SetQSODateAsString("20220305");
    EXPECT_EQ(r.QSODateCabrillo(), "2022-03-05");
}
