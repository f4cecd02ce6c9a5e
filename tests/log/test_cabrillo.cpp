// The Cabrillo file of one station call sign, and the logbook's export with its file name.
#include "LogFixture.h"

#include "log/CabrilloLog.h"
#include "DialogsDouble.h"

#include <QFile>

namespace {

QString IARUQSO()
{
    TLogRecord r;
    r.SetStationCallsign("DJ3EI");
    r.SetQSODateAsString("20160709");
    r.SetTimeOnAsString("1354");
    r.SetCall("EI0HQ");
    r.SetBandAsString("15m");
    r.SetModeAsString("CW");
    r.SetRSTSent("599");
    r.SetSTX("28");
    r.SetRSTRcvd("599");
    r.SetSRX("IRTS");
    return r.QSOLine();
}


} // namespace

TEST(Cabrillo, QSOLineAsARealContestLogHasIt)
{
    QFile f(QStringLiteral(VX_TESTDATA_DIR "/cabrillo/iaru.log"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QString expected;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
        if (line.startsWith("QSO:"))
            expected = line;
    }
    TCabrilloHeader h;
    h.SetCallsign("DJ3EI");
    TLogRecord record;
    const TCabrilloLog log = BuildCabrilloLog(h, {IARUQSO()}, record);
    ASSERT_EQ(log.QSOs, 1);
    const QString ours = log.Lines.at(log.Lines.size() - 2);
    EXPECT_EQ(ours.left(79), expected.left(79));
}

TEST(Cabrillo, HeaderLinesAndTheQSOsOfTheCallSign)
{
    TCabrilloHeader h;
    h.SetCallsign("DJ3EI");
    h.SetCategoryMode("CW");
    h.SetAddress({"Street 1", "12345 Town", "Germany"});
    TLogRecord record;
    QString other = IARUQSO();
    other.replace(0, 5, "DL1AA");
    const TCabrilloLog log = BuildCabrilloLog(h, {IARUQSO(), other}, record);
    EXPECT_EQ(log.QSOs, 1);
    const QStringList expected = {"START-OF-LOG: 3.0", "CREATED-BY: Vornix", "CONTEST: ", "CALLSIGN: DJ3EI",
                                  "CATEGORY-MODE: CW", "NAME: ", "ADDRESS: Street 1", "ADDRESS: 12345 Town",
                                  "ADDRESS: Germany"};
    EXPECT_EQ(log.Lines.mid(0, expected.size()), expected);
    EXPECT_EQ(log.Lines.size(), expected.size() + 2);
    EXPECT_EQ(log.Lines.last(), "END-OF-LOG:");

    h.SetCallsign("DL1AB");
    const TCabrilloLog none = BuildCabrilloLog(h, {IARUQSO()}, record);
    EXPECT_EQ(none.QSOs, 0);
    EXPECT_TRUE(none.Lines.isEmpty());
}

// QSOs without a report or exchange are written as they are, and the result says how many.
TEST(Cabrillo, QSOsWithoutReportOrExchangeAreCounted)
{
    const struct {
        const char* rstSent;
        const char* stx;
        const char* rstRcvd;
        const char* srx;
        bool lacking;
    } cases[] = {
        {"599", "28", "599", "IRTS", false}, {"", "28", "599", "IRTS", true}, {"599", "", "599", "IRTS", true},
        {"599", "28", "", "IRTS", true},     {"599", "28", "599", "", true},  {"", "", "", "", true},
    };
    TCabrilloHeader h;
    h.SetCallsign("DJ3EI");
    for (const auto& c : cases) {
        TLogRecord r;
        r.ExplodeQSOLine(IARUQSO());
        r.SetRSTSent(c.rstSent);
        r.SetSTX(c.stx);
        r.SetRSTRcvd(c.rstRcvd);
        r.SetSRX(c.srx);
        TLogRecord record;
        const TCabrilloLog one = BuildCabrilloLog(h, {r.QSOLine()}, record);
        EXPECT_EQ(one.QSOs, 1) << c.rstSent << "|" << c.stx << "|" << c.rstRcvd << "|" << c.srx;
        EXPECT_EQ(one.LackingExchange, c.lacking ? 1 : 0)
            << c.rstSent << "|" << c.stx << "|" << c.rstRcvd << "|" << c.srx;
    }

    QStringList lines;
    for (int i = 0; i < 3; ++i) {
        TLogRecord r;
        r.ExplodeQSOLine(IARUQSO());
        r.SetTimeOnAsString(QStringLiteral("14%1").arg(i, 2, 10, QChar('0')));
        if (i > 0)
            r.SetSRX("");
        lines << r.QSOLine();
    }
    TLogRecord record;
    const TCabrilloLog log = BuildCabrilloLog(h, lines, record);
    EXPECT_EQ(log.ResultText(), "3 QSOs exported, 2 QSOs lack RST or exchange");
    EXPECT_EQ(log.Lines.filter("QSO: ").size(), 3);
    EXPECT_EQ(BuildCabrilloLog(h, {IARUQSO()}, record).ResultText(), "1 QSOs exported");
    h.SetCallsign("DL1AB");
    EXPECT_EQ(BuildCabrilloLog(h, lines, record).ResultText(), "No QSOs exported");
}

TEST(Cabrillo, FileNameOfACallSign)
{
    EXPECT_EQ(CabrilloFileName("dj3ei/p"), "DJ3EI_P.LOG");
    EXPECT_EQ(CabrilloFileName("DJ3EI"), "DJ3EI.LOG");
}

TEST_F(LogFixture, CabrilloExportAsksForTheFileAndKeepsItsFolder)
{
    DialogsDouble dialogs;
    log->SetDialogs(&dialogs);
    writeLog({});
    ASSERT_TRUE(openAndWait());
    log->CabrilloExport();
    EXPECT_EQ(events.last(), "No QSOs exported, logbook is empty");
    EXPECT_TRUE(dialogs.Asked.isEmpty());

    writeLog({IARUQSO()});
    ASSERT_TRUE(openAndWait());
    log->SetMyCall("DJ3EI/P");
    log->CabrilloHeader().SetFilepath("/start/here/");
    dialogs.Answer = dir.filePath("contest.txt");
    EXPECT_FALSE(log->CabrilloExport());
    ASSERT_EQ(dialogs.Asked.size(), 1);
    EXPECT_EQ(dialogs.Asked[0].FileName, "DJ3EI_P.LOG");
    EXPECT_EQ(dialogs.Asked[0].Folder, "/start/here/");
    EXPECT_EQ(log->CabrilloHeader().Callsign(), "DJ3EI/P");
    EXPECT_EQ(dialogs.Shown, QStringList{dir.filePath("contest.LOG")});
    EXPECT_EQ(log->CabrilloHeader().Filepath(), dir.path() + "/");
    EXPECT_EQ(events.last(), dialogs.SavedText); // the dialog's result is the status text

    // Once a file was chosen, no name is proposed; a cancelled dialog forgets the file.
    dialogs.Answer.reset();
    log->CabrilloExport();
    EXPECT_TRUE(dialogs.Asked[1].FileName.isEmpty());
    log->CabrilloExport();
    EXPECT_EQ(dialogs.Asked[2].FileName, "DJ3EI_P.LOG");
    EXPECT_EQ(dialogs.Shown.size(), 1);

    // A dialog closed without saving leaves the folder.
    dialogs.Answer = "/elsewhere/x.LOG";
    dialogs.Saved = false;
    log->CabrilloExport();
    EXPECT_EQ(log->CabrilloHeader().Filepath(), dir.path() + "/");
}
