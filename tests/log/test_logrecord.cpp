// The QSO record's fields, setters and text forms.
#include "log/LogRecord.h"

#include <QLocale>
#include <gtest/gtest.h>

#include "QStringPrint.h"

TEST(LogRecord, CreatedRecordHoldsTheEmptyQSO)
{
    TLogRecord r;
    EXPECT_EQ(r.Band(), bd40);
    EXPECT_EQ(r.Mode(), mCW);
    for (const QString& f : {r.QSLSent(), r.QSLRcvd(), r.QSLLoTWSent(), r.QSLLoTWRcvd(), r.QSLeQSLSent(),
                             r.QSLeQSLRcvd()})
        EXPECT_EQ(f, "N");
    EXPECT_EQ(r.LogWindowRST(), "599");
    EXPECT_EQ(r.LogWindowSTX(), "599");
    EXPECT_FALSE(r.IsComplete());
    EXPECT_FALSE(r.QSODateTime().isValid());
    EXPECT_EQ(r.TimeOnAsString(), "000000");
    EXPECT_TRUE(r.ReadCleanly());
}

TEST(LogRecord, ClearKeepsTheEntryPanelTextsAndMyCall)
{
    TLogRecord r;
    r.SetLogWindowCall("DL1ABC");
    r.SetLogWindowRST("579");
    r.SetMyCall("OWN");
    r.SetCall("X1Y");
    r.SetChanged(LogField::Call, true);
    r.SetModeAsString("USB");
    r.Clear();
    EXPECT_EQ(r.LogWindowCall(), "DL1ABC");
    EXPECT_EQ(r.LogWindowRST(), "579");
    EXPECT_EQ(r.MyCall(), "OWN");
    EXPECT_EQ(r.Call(), "");
    EXPECT_FALSE(r.Changed(LogField::Call));
    EXPECT_EQ(r.SubModeTmp(), "");
}

TEST(LogRecord, CallsAreUpperCasedAndTrimmed)
{
    TLogRecord r;
    r.SetCall("  dl1abc/p\t");
    EXPECT_EQ(r.Call(), "DL1ABC/P");
    r.SetStationCallsign(QStringLiteral("\x01ow\u00e9n "));
    EXPECT_EQ(r.StationCallsign(), QStringLiteral("OW\u00e9N")); // only ASCII letters change
}

TEST(LogRecord, CQZoneRule)
{
    const struct {
        const char* in;
        const char* out;
        bool taken;
    } cases[] = {
        {"5", "05", true}, {"14", "14", true}, {"123", "12", true}, {"X", "", false},
        {"5X", "", false}, {"", "", true},     {"0", "00", true},   {" 5", "", false},
    };
    for (const auto& c : cases) {
        TLogRecord r;
        r.SetCQZone("33");
        EXPECT_EQ(r.SetCQZone(c.in), c.taken) << c.in;
        EXPECT_EQ(r.CQZone(), c.out) << c.in;
    }
    TLogRecord r;
    r.SetCQZone("5");
    EXPECT_EQ(r.CQZoneAsInteger(), 5);
    r.SetCQZone("");
    EXPECT_EQ(r.CQZoneAsInteger(), 0);
}

TEST(LogRecord, GridSquareRule)
{
    const struct {
        const char* in;
        const char* out;
        bool taken;
    } cases[] = {
        {"jo62qm", "JO62qm", true}, {"jo62", "JO62", true},   {"JO62QM", "JO62qm", true},
        {"JO6", "", false},         {"JO62Q1", "FN42", false}, {"J162", "FN42", false},
        {"ZZ99zz", "ZZ99zz", true}, {"", "", true},            {"JO62qm12", "", false},
    };
    for (const auto& c : cases) {
        TLogRecord r;
        r.SetGridSquare("FN42");
        EXPECT_EQ(r.SetGridSquare(c.in), c.taken) << c.in;
        EXPECT_EQ(r.GridSquare(), c.out) << c.in;
    }
}

TEST(LogRecord, ModeTextRule)
{
    const struct {
        const char* in;
        TQSOMode mode;
        const char* subModeTmp;
        bool taken;
    } cases[] = {
        {"ft8", mFT8, "", true},          {"FT4", mMFSKFT4, "", true},    {"wspr", mWSP, "", true},
        {"USB", mSSB, "USB", true},       {"LSB", mSSB, "LSB", true},     {"usb", mNone, "", false},
        {"PSK63", mPSK, "PSK63", true},   {"JT44", mJT44, "", true},      {"JT4C", mJT4, "JT4C", true},
        {"JS8", mNone, "", false},        {"FSK31", mPSK, "FSK31", true}, {"8PSK125", mPSK, "8PSK125", true},
        {"FMHELL", mHELL, "FMHELL", true}, {"ASCI", mRTTY, "ASCI", true}, {"THRBX", mTHRB, "THRBX", true},
        {"GTOR", mTOR, "GTOR", true},     {"MFSK16", mMFSK, "MFSK16", true}, {"", mNone, "", true},
        {"DIGITALVOICE", mDIGITALVOICE, "", true},
    };
    for (const auto& c : cases) {
        TLogRecord r;
        EXPECT_EQ(r.SetModeAsString(c.in), c.taken) << c.in;
        EXPECT_EQ(r.Mode(), c.mode) << c.in;
        EXPECT_EQ(r.SubModeTmp(), c.subModeTmp) << c.in;
    }
}

TEST(LogRecord, SubModeTakesTheRememberedModeText)
{
    TLogRecord r;
    r.SetModeAsString("USB");
    r.SetSubMode("");
    EXPECT_EQ(r.SubMode(), "USB");
    r.SetSubMode("LSB");
    EXPECT_EQ(r.SubMode(), "LSB");
    // An unknown mode keeps what was remembered.
    r.SetModeAsString("JS8");
    r.SetSubMode("");
    EXPECT_EQ(r.SubMode(), "USB");
    // An exact name does not touch it either.
    TLogRecord s;
    s.SetModeAsString("FT8");
    s.SetSubMode("");
    EXPECT_EQ(s.SubMode(), "");
}

TEST(LogRecord, ModeTypeFollowsTheMode)
{
    const struct {
        TQSOMode mode;
        TModeType type;
    } cases[] = {{mNone, mtAll}, {mCW, mtCW}, {mSSB, mtPhone}, {mAM, mtPhone}, {mFM, mtPhone},
                 {mRTTY, mtDigital}, {mFT8, mtDigital}};
    for (const auto& c : cases) {
        TLogRecord r;
        r.SetMode(c.mode);
        EXPECT_EQ(r.ModeType(), c.type) << int(c.mode);
    }
}

TEST(LogRecord, NamedValuesMatchIgnoringCase)
{
    TLogRecord r;
    EXPECT_TRUE(r.SetBandAsString("20M"));
    EXPECT_EQ(r.Band(), bd20);
    EXPECT_TRUE(r.SetBandAsString("70CM"));
    EXPECT_EQ(r.Band(), bd70c);
    EXPECT_FALSE(r.SetBandAsString("21m"));
    EXPECT_EQ(r.Band(), bdAll);
    EXPECT_TRUE(r.SetBandRXAsString("2m"));
    EXPECT_EQ(r.BandRXAsString(), "2m");
    EXPECT_TRUE(r.SetContinentAsString("Eu"));
    EXPECT_EQ(r.ContinentAsString(), "EU");
    EXPECT_FALSE(r.SetContinentAsString("XX"));
    EXPECT_EQ(r.Continent(), coAll);
    EXPECT_TRUE(r.SetPropModeAsString("sat"));
    EXPECT_EQ(r.PropMode(), pmSAT);
    EXPECT_FALSE(r.SetPropModeAsString("GWAVE"));
    EXPECT_EQ(r.PropMode(), pmNone);
    EXPECT_EQ(TLogRecord::BandToQSOBand(bd160), "160m");
    EXPECT_EQ(TLogRecord::BandToQSOBand(bdAll), "");
}

TEST(LogRecord, FrequencyText)
{
    const struct {
        const char* in;
        uint32_t hz;
        const char* out;
        bool taken;
    } cases[] = {
        {"14.0741", 14074100, "14.074", true}, {"14.074", 14074000, "14.074", true},
        {"abc", 0, "", false},                 {"14,074", 0, "", false},
        {"28.076249", 28076249, "28.076", true}, {"7", 7000000, "7.000", true},
        {".5", 500000, "0.500", true},         {"", 0, "", true},
        {"14.0745", 14074500, "14.075", true}, {"-14.074", 0, "", false},
        {"4294.967295", 4294967295u, "4294.967", true}, {"4294.967296", 0, "", false},
        {"1e3", 0, "", false},                 {"144.30000049", 144300000, "144.300", true},
        {".", 0, "", false},
    };
    for (const auto& c : cases) {
        TLogRecord r;
        r.SetFreq(1);
        EXPECT_EQ(r.SetFreqAsString(c.in), c.taken) << c.in;
        EXPECT_EQ(r.Freq(), c.hz) << c.in;
        EXPECT_EQ(r.FreqAsString(), c.out) << c.in;
        EXPECT_EQ(r.SetFreqRXAsString(c.in), c.taken) << c.in;
        EXPECT_EQ(r.FreqRX(), c.hz) << c.in;
    }
}

TEST(LogRecord, FrequencyTextIgnoresTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TLogRecord r;
    EXPECT_TRUE(r.SetFreqAsString("14.250"));
    EXPECT_EQ(r.FreqAsString(), "14.250");
    QLocale::setDefault(saved);
}

TEST(LogRecord, DXCCRule)
{
    const struct {
        const char* in;
        const char* dxcc;
        int32_t code;
        bool wae;
        bool taken;
    } cases[] = {
        {"230", "230", 230, false, true},   {"248", "248", 248, true, true},   {"206", "206", 206, true, true},
        {"390", "390", 390, true, true},    {"23A", "", 0, false, false},       {"", "", 0, false, true},
        {"-1", "", 0, false, false},        {"99999999999", "", 0, false, false},
        {"0291", "0291", 291, false, true},
    };
    for (const auto& c : cases) {
        TLogRecord r;
        r.SetDXCC("248");
        EXPECT_EQ(r.SetDXCC(c.in), c.taken) << c.in;
        EXPECT_EQ(r.DXCC(), c.dxcc) << c.in;
        EXPECT_EQ(r.ADIFCode(), c.code) << c.in;
        EXPECT_EQ(r.WAECountry(), c.wae) << c.in;
    }
}

TEST(LogRecord, QSLFlagsStayOneAcceptedLetter)
{
    TLogRecord r;
    EXPECT_TRUE(r.SetQSLSent("Q"));
    EXPECT_EQ(r.QSLSent(), "Q");
    EXPECT_TRUE(r.SetQSLSent("Yes"));
    EXPECT_EQ(r.QSLSent(), "Y");
    EXPECT_FALSE(r.SetQSLSent("X"));
    EXPECT_EQ(r.QSLSent(), "Y");
    EXPECT_FALSE(r.SetQSLSent("y"));
    EXPECT_TRUE(r.SetQSLSent(""));
    EXPECT_EQ(r.QSLSent(), "Y");
    // Received flags do not know "queued".
    EXPECT_FALSE(r.SetQSLRcvd("Q"));
    EXPECT_EQ(r.QSLRcvd(), "N");
    EXPECT_FALSE(r.SetQSLLoTWRcvd("Q"));
    EXPECT_FALSE(r.SetQSLeQSLRcvd("Q"));
    EXPECT_TRUE(r.SetQSLLoTWSent("I"));
    EXPECT_TRUE(r.SetQSLeQSLSent("R"));
    EXPECT_TRUE(r.SetQSLeQSLRcvd("I"));
    EXPECT_EQ(r.QSLLoTWSent() + r.QSLeQSLSent() + r.QSLeQSLRcvd(), "IRI");
}

TEST(LogRecord, QSODateText)
{
    const struct {
        const char* in;
        QDate date;
        bool taken;
    } cases[] = {
        {"20210305", QDate(2021, 3, 5), true},  {"2021-03-05", QDate(2021, 3, 5), true},
        {"2021/03/05", QDate(2021, 3, 5), true}, {"2021035", QDate(), false},
        {"20210230", QDate(), false},           {"2021ab05", QDate(), false},
        {"210305", QDate(), false},             {"", QDate(), true},
        {"18991230", QDate(), false},           {"00000101", QDate(), false},
        {"20200229", QDate(2020, 2, 29), true}, {"20210229", QDate(), false},
    };
    for (const auto& c : cases) {
        TLogRecord r;
        r.SetQSODateAsString("20000101");
        EXPECT_EQ(r.SetQSODateAsString(c.in), c.taken) << c.in;
        EXPECT_EQ(r.QSODate(), c.date) << c.in;
        EXPECT_EQ(r.QSODateAsString(), c.date.isValid() ? c.date.toString("yyyyMMdd") : QString()) << c.in;
    }
}

TEST(LogRecord, QSLDateTextKeepsThePreviousDateOnAFailedConversion)
{
    TLogRecord r;
    EXPECT_TRUE(r.SetQSLSDateAsString("20220101"));
    EXPECT_FALSE(r.SetQSLSDateAsString("20220230"));
    EXPECT_EQ(r.QSLSDateAsString(), "20220101");
    EXPECT_FALSE(r.SetQSLSDateAsString("2022-01-02")); // only "yyyymmdd" here
    EXPECT_EQ(r.QSLSDateAsString(), "");
    EXPECT_TRUE(r.SetQSLRDateAsString("20230405"));
    EXPECT_EQ(r.QSLRDate(), QDate(2023, 4, 5));
    EXPECT_TRUE(r.SetQSLRDateAsString(""));
    EXPECT_EQ(r.QSLRDateAsString(), "");
}

TEST(LogRecord, TimeText)
{
    const struct {
        const char* in;
        QTime time;
        bool taken;
    } cases[] = {
        {"1234", QTime(12, 34), true},      {"12:34", QTime(12, 34), true},   {"12345", QTime(12, 34), true},
        {"123456", QTime(12, 34, 56), true}, {"9", QTime(9, 0), true},        {"12:34:56", QTime(12, 34, 56), true},
        {"", QTime(0, 0), false},           {"2400", QTime(0, 0), false},     {"1260", QTime(0, 0), false},
        {"123460", QTime(0, 0), false},     {"ab12", QTime(0, 0), false},     {"235959", QTime(23, 59, 59), true},
    };
    for (const auto& c : cases) {
        TLogRecord r;
        r.SetTimeOnAsString("111111");
        EXPECT_EQ(r.SetTimeOnAsString(c.in), c.taken) << c.in;
        EXPECT_EQ(r.TimeOn(), c.time) << c.in;
    }
}

TEST(LogRecord, QSODateTimeCombinesDateAndTime)
{
    TLogRecord r;
    r.SetTimeOnAsString("142300");
    EXPECT_FALSE(r.QSODateTime().isValid()); // no date yet
    r.SetQSODateAsString("20220305");
    EXPECT_EQ(r.QSODateTime(), QDateTime(QDate(2022, 3, 5), QTime(14, 23), Qt::UTC));
    r.SetTimeOnAsString("0815");
    EXPECT_EQ(r.QSODateTime(), QDateTime(QDate(2022, 3, 5), QTime(8, 15), Qt::UTC));
    r.SetTimeOnHHMM(QDateTime(QDate(2030, 1, 1), QTime(21, 7, 45), Qt::UTC));
    EXPECT_EQ(r.TimeOn(), QTime(21, 7));
    EXPECT_FALSE(r.TimeONHasSeconds());
    EXPECT_EQ(r.QSODateTime(), QDateTime(QDate(2022, 3, 5), QTime(21, 7), Qt::UTC));
    // Plain writes leave the combined value alone.
    r.SetQSODate(QDate(2023, 1, 1));
    r.SetTimeOn(QTime(1, 2, 3));
    EXPECT_EQ(r.QSODateTime(), QDateTime(QDate(2022, 3, 5), QTime(21, 7), Qt::UTC));
    EXPECT_TRUE(r.TimeONHasSeconds());
    EXPECT_EQ(r.TimeOnAsStringHHMM(), "0102");
}

TEST(LogRecord, TextFieldsNeverHoldTheSeparatorOrALineBreak)
{
    using Setter = void (TLogRecord::*)(const QString&);
    using Getter = QString (TLogRecord::*)() const;
    const struct {
        const char* name;
        Setter set;
        Getter get;
    } fields[] = {
        {"Comment", &TLogRecord::SetComment, &TLogRecord::Comment},
        {"Notes", &TLogRecord::SetNotes, &TLogRecord::Notes},
        {"Name", &TLogRecord::SetName, &TLogRecord::Name},
        {"QTH", &TLogRecord::SetQTH, &TLogRecord::QTH},
        {"QSLVia", &TLogRecord::SetQSLVia, &TLogRecord::QSLVia},
        {"RSTSent", &TLogRecord::SetRSTSent, &TLogRecord::RSTSent},
        {"RSTRcvd", &TLogRecord::SetRSTRcvd, &TLogRecord::RSTRcvd},
        {"STX", &TLogRecord::SetSTX, &TLogRecord::STX},
        {"SRX", &TLogRecord::SetSRX, &TLogRecord::SRX},
        {"SATName", &TLogRecord::SetSATName, &TLogRecord::SATName},
        {"ContestID", &TLogRecord::SetContestID, &TLogRecord::ContestID},
        {"IOTA", &TLogRecord::SetIOTA, &TLogRecord::IOTA},
        {"USState", &TLogRecord::SetUSState, &TLogRecord::USState},
        {"SubMode", &TLogRecord::SetSubMode, &TLogRecord::SubMode},
    };
    for (const auto& f : fields) {
        TLogRecord r;
        (r.*f.set)("a;b");
        EXPECT_EQ((r.*f.get)(), "a,b") << f.name;
        (r.*f.set)(QStringLiteral("a\r\nb\tc\u2028d"));
        EXPECT_EQ((r.*f.get)(), "a  b c d") << f.name;
    }
    TLogRecord r;
    r.SetCall("DL1;ABC\n");
    EXPECT_EQ(r.Call(), "DL1,ABC");
}

TEST(LogRecord, IsCompleteNeedsCallDateBandAndMode)
{
    TLogRecord r;
    r.SetCall("K1A");
    r.SetQSODateAsString("20220305");
    EXPECT_TRUE(r.IsComplete());
    r.SetCall("K1");
    EXPECT_FALSE(r.IsComplete());
    r.SetCall("K1A");
    r.SetBand(bdAll);
    EXPECT_FALSE(r.IsComplete());
    r.SetBand(bd20);
    r.SetMode(mNone);
    EXPECT_FALSE(r.IsComplete());
    r.SetMode(mFT8);
    r.SetQSODateAsString("");
    EXPECT_FALSE(r.IsComplete());
}

TEST(LogRecord, AllInfos)
{
    TLogRecord r;
    EXPECT_EQ(r.AllInfos(), "");
    r.SetComment("nice sig");
    r.SetQTH("Boston");
    r.SetQSLVia("W1XYZ");
    EXPECT_EQ(r.AllInfos(), "nice sig Boston via W1XYZ");
    r.SetName("Op");
    r.SetIOTA("NA-046");
    EXPECT_EQ(r.AllInfos(), "nice sig Op Boston NA-046 via W1XYZ");
    // Only the comment: four trailing blanks are trimmed.
    TLogRecord s;
    s.SetComment("hi");
    EXPECT_EQ(s.AllInfos(), "hi");
    // Comment and IOTA only: the three blanks between them become two (one pass).
    s.SetIOTA("EU-005");
    EXPECT_EQ(s.AllInfos(), "hi  EU-005");
}

TEST(LogRecord, CopyLogRecordCopiesOnlyChangedFields)
{
    TLogRecord src;
    src.SetQSLSent("Y");
    src.SetCall("K1A");
    src.SetComment("from import");
    src.SetChanged(LogField::QSLSent, true);

    TLogRecord dst;
    dst.SetCall("W1AW");
    dst.SetComment("mine");
    src.CopyLogRecord(dst);
    EXPECT_EQ(dst.QSLSent(), "Y");
    EXPECT_EQ(dst.Call(), "W1AW");
    EXPECT_EQ(dst.Comment(), "mine");

    // Every marked field arrives; the combined date-time is not rebuilt.
    TLogRecord all;
    all.ExplodeQSOLine("OWN;20220305;142300;DXCALL;20m;PSK;2m;14.070;144.100;SAT;AO-7;599;1;579;2;c;n;Op;Town;"
                       "FN42;291;NA;05;MA;VIA;Y;20220401;R;20220402;Q;Y;CQ-WW;NA-001;PSK31;I;I");
    for (int k = 0; k < LogField::Count; ++k)
        all.SetChanged(k, true);
    TLogRecord target;
    all.CopyLogRecord(target);
    EXPECT_EQ(target.QSOLine(), all.QSOLine());
    EXPECT_EQ(target.ADIFCode(), 291);
    EXPECT_FALSE(target.QSODateTime().isValid());
}
