// Logging from the entry panel: the line written, contest serial numbers, split QSOs with the
// radio, editing and deleting a logged QSO, failures, bad input and lifetimes.
#include "LogPanelFixture.h"

#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"

#include <QClipboard>

namespace {

const QString IncompleteText =
    QStringLiteral("QSO not logged: call of 3 or more characters, date, band and mode needed");

// The line of a QSO of DL1ABC on 20 m CW as the panel logs it with the looked-up entity.
TLogRecord Expected(const QString& time)
{
    TLogRecord e;
    e.SetStationCallsign(OwnCall);
    e.SetQSODateAsString("20240305");
    e.SetTimeOnAsString(time);
    e.SetCall("DL1ABC");
    e.SetBand(bd20);
    e.SetMode(mCW);
    e.SetFreq(14025000);
    e.SetRSTSent("599");
    e.SetRSTRcvd("579");
    e.SetDXCC("230");
    e.SetContinent(coEU);
    e.SetCQZone("14");
    return e;
}

} // namespace

TEST_F(LogPanelFixture, LoggedLineRegularAndContest)
{
    openLog();
    panel->SetBandA(bd20);
    panel->SetFrequencyA(14025000);
    typeCall("DL1ABC");
    edit("RSTrEdit")->setText("579");
    logQSO->trigger();
    EXPECT_EQ(message(), "DL1ABC logged");
    EXPECT_EQ(text("CallEdit"), "");
    EXPECT_EQ(text("RSTrEdit"), "599");
    // Regular logging keeps hours and minutes.
    EXPECT_EQ(qsoLines(), QStringList({Expected("123400").QSOLine()}));

    // Contest logging keeps the seconds, and the serial numbers.
    log->SetLoggingMode(lmContest);
    typeCall("DL1ABC");
    edit("RSTrEdit")->setText("579");
    type("STXEdit", "7");
    type("SRXEdit", "12");
    panel->LogQSOActionExecute();
    TLogRecord contest = Expected("123456");
    contest.SetSTX("7");
    contest.SetSRX("12");
    ASSERT_EQ(qsoLines().size(), 2);
    EXPECT_EQ(qsoLines()[1], contest.QSOLine());
    // Without consecutive numbers the sent number is remembered as the last one.
    EXPECT_EQ(log->Contest().LastSerialNumber(), "7");

    // Without real-time logging the pickers give date and time (the seconds they do not show
    // are not logged), and the radio's frequency is not taken.  The serial numbers the contest
    // left in the hidden fields are not logged either.
    log->SetLoggingMode(lmRegular);
    vx::Clock::advance(1000); // the pickers follow the clock until real-time logging stops
    child<QCheckBox>("RealTimeCheckBox")->click();
    child<QDateEdit>("DateEdit")->setDate(QDate(2024, 3, 1));
    typeCall("DL1ABC");
    edit("RSTrEdit")->setText("579");
    panel->LogQSOActionExecute();
    TLogRecord manual = Expected("123400");
    manual.SetQSODateAsString("20240301");
    manual.SetFreq(0);
    EXPECT_EQ(qsoLines().value(2), manual.QSOLine());
}

TEST_F(LogPanelFixture, ContestSerialNumbers)
{
    openLog();
    log->SetLoggingMode(lmContest);
    log->Contest().SetIncrementSerialNumbersTX(true);
    EXPECT_EQ(text("STXEdit"), "001");
    for (const char* call : {"DL1ABC", "K1ABC", "G4XYZ"}) {
        typeCall(call);
        type("SRXEdit", "5");
        panel->LogQSOActionExecute();
        EXPECT_EQ(message(), QString(call) + " logged");
    }
    QStringList sentNumbers;
    for (const QString& line : qsoLines())
        sentNumbers << Read(line).STX();
    EXPECT_EQ(sentNumbers, QStringList({"001", "002", "003"}));
    EXPECT_EQ(text("STXEdit"), "004");
    EXPECT_EQ(panel->LastSTX(), "004");
    EXPECT_EQ(log->Contest().NextSerialNumber(), 4u);
    // Clearing puts the next number back.
    edit("STXEdit")->setText("x");
    panel->ClearControls(true, true);
    EXPECT_EQ(text("STXEdit"), "004");

    // A number typed over the proposal continues the count; one that is no number does not.
    typeCall("F5XX");
    edit("STXEdit")->setText("099");
    type("SRXEdit", "1");
    panel->LogQSOActionExecute();
    EXPECT_EQ(text("STXEdit"), "100");
    typeCall("F6XX");
    log->Contest().SetNumbersOnlySerialTX(false);
    edit("STXEdit")->setText("ABC");
    type("SRXEdit", "1");
    panel->LogQSOActionExecute();
    EXPECT_EQ(Read(qsoLines().last()).STX(), "ABC");
    EXPECT_EQ(log->Contest().NextSerialNumber(), 100u);
    EXPECT_EQ(text("STXEdit"), "100");
}

TEST_F(LogPanelFixture, ClearingBeforeTheFirstContestQSOKeepsTheProposedNumber)
{
    // This panel has logged nothing yet, whatever other panels of the process logged.
    openLog();
    log->SetLoggingMode(lmContest);
    log->Contest().SetIncrementSerialNumbersTX(true);
    typeCall("DL1ABC");
    panel->ClearControls(true, true);
    EXPECT_EQ(text("STXEdit"), "001");
}

// A call typed while no log is named is judged again when a log is created or opened.
TEST_F(LogPanelFixture, ANewOrOpenedLogTakesTheCallTypedBefore)
{
    const auto hint = [this] { return child("LogEventPanel")->toolTip(); };
    const struct {
        const char* file;
        bool create; // Log > New Log creates the file first; Log > Open finds it
    } cases[] = {{"new.log", true}, {"other.log", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        log->SetLogFileName(QString());
        typeCall("DL1ABC");
        EXPECT_FALSE(logQSO->isEnabled());
        // Enter finds Log QSO disabled.
        panel->LogQSORefused();
        EXPECT_EQ(message(), "No log book open");
        EXPECT_EQ(hint(), "No log book open");

        log->SetLogFileName(c.file);
        if (c.create)
            ASSERT_TRUE(log->NewLogFile());
        else
            writeLog({});
        ASSERT_TRUE(log->Open());
        EXPECT_TRUE(logQSO->isEnabled());
        EXPECT_EQ(text("CallEdit"), "DL1ABC");
        ASSERT_TRUE(vxtest::waitUntil([&] { return !log->LogIsLoading(); }));
        logQSO->trigger();
        EXPECT_EQ(message(), "DL1ABC logged");
        EXPECT_EQ(Read(qsoLines().value(0)).Call(), "DL1ABC");
    }

    // With a log open, an entry that cannot be logged yet is no reason to speak of the log.
    typeCall("/");
    EXPECT_FALSE(logQSO->isEnabled());
    const QString before = message();
    panel->LogQSORefused();
    EXPECT_EQ(message(), before);
}

TEST_F(LogPanelFixture, StartUpCopiesTheLogsOptions)
{
    openLog();
    log->SetLoggingMode(lmContest);
    log->Contest().SetNumbersOnlySerialRX(true);
    log->Contest().SetIncrementSerialNumbersTX(true);
    log->Contest().SetNextSerialNumber(41);
    TLogPanel fresh;
    fresh.SetLogInterface(log.get());
    fresh.LoadLogOptions();
    EXPECT_EQ(fresh.LogOptions().LoggingMode(), lmContest);
    EXPECT_TRUE(fresh.LogOptions().NumbersOnlySerialRX());
    EXPECT_TRUE(fresh.LogOptions().NumbersOnlySerialTX());
    EXPECT_TRUE(fresh.LogOptions().IncrementSerialNumbersTX());
    EXPECT_EQ(fresh.LogOptions().NextSerialNumber(), 41u);
    EXPECT_EQ(fresh.findChild<QLineEdit*>("STXEdit")->text(), "041");
    EXPECT_FALSE(fresh.findChild<QLineEdit*>("SRXEdit")->isHidden());
}

TEST_F(LogPanelFixture, EditingALoggedQSO)
{
    openLog();
    log->SetLoggingMode(lmContest);
    panel->SetBandA(bd20);
    typeCall("DL1ABC");
    type("STXEdit", "1");
    type("SRXEdit", "2");
    panel->LogQSOActionExecute();
    log->SetLoggingMode(lmRegular);
    ASSERT_EQ(Read(qsoLines().value(0)).TimeOnAsString(), "123456");

    // Saved without touching the time: the seconds stay.
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    EXPECT_EQ(child<QTimeEdit>("UTCEdit")->time(), QTime(12, 34, 56));
    type("CommentEdit", "fine");
    panel->LogQSOActionExecute();
    EXPECT_EQ(message(), "DL1ABC saved");
    EXPECT_FALSE(log->EditMode());
    EXPECT_EQ(logQSO->text(), "&Log QSO");
    log->WaitForWriter();
    TLogRecord saved = Read(qsoLines().value(0));
    EXPECT_EQ(saved.TimeOnAsString(), "123456");
    EXPECT_EQ(saved.Comment(), "fine");
    EXPECT_EQ(saved.DXCC(), "230");

    // A new time from the picker is taken.
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    child<QTimeEdit>("UTCEdit")->setTime(QTime(13, 5));
    pick("QSLsEdit", "Y");
    panel->LogQSOActionExecute();
    log->WaitForWriter();
    saved = Read(qsoLines().value(0));
    EXPECT_EQ(saved.TimeOnAsString(), "130500");
    EXPECT_EQ(saved.QSLSent(), "Y");

    // DELETE in any case, blanks around it, deletes.
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    edit("CommentEdit")->setText(" delete ");
    panel->LogQSOActionExecute();
    EXPECT_EQ(message(), "DL1ABC deleted");
    log->WaitForWriter();
    EXPECT_TRUE(qsoLines().isEmpty());
}

TEST_F(LogPanelFixture, EditShowsOnlyTheQSOsOwnEntity)
{
    TLogRecord usa;
    usa.ExplodeQSOLine(QSOLine("W1AW", "20230303", "120000"));
    usa.SetDXCC("291");
    usa.SetUSState("CT");
    openLog({QSOLine("DL1ABC", "20230202", "120000"), usa.QSOLine()});
    // An entry of another station is on the panel when the grid opens a QSO without an entity.
    typeCall("KH6ABC");
    ASSERT_EQ(list("DXCCEdit")->currentText(), "KH6 Hawaii (110)");
    ASSERT_EQ(list("StateEdit")->currentText(), "HI");
    log->FilterQSOs(); // the grid's rows
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    EXPECT_EQ(list("DXCCEdit")->currentIndex(), 0);
    EXPECT_EQ(list("StateEdit")->currentIndex(), 0);
    panel->LogQSOActionExecute();
    log->WaitForWriter();
    const TLogRecord saved = Read(qsoLines().value(0));
    EXPECT_EQ(saved.DXCC(), "");
    EXPECT_EQ(saved.USState(), "");

    log->FilterQSOs();
    ASSERT_TRUE(log->EditQSO(rowOf("W1AW")));
    EXPECT_EQ(list("DXCCEdit")->currentText(), "K United States (291)");
    EXPECT_EQ(list("StateEdit")->currentText(), "CT");
    EXPECT_TRUE(list("StateEdit")->isEnabled());
}

TEST_F(LogPanelFixture, EditKeptOpenWhileTheLogLoads)
{
    openLog({QSOLine("DL1ABC", "20230202", "120000")});
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    ASSERT_TRUE(log->Open()); // a reload starts; the edit cannot be written meanwhile
    edit("CommentEdit")->setText("later");
    panel->LogQSOActionExecute();
    EXPECT_TRUE(log->EditMode());
    EXPECT_EQ(text("CallEdit"), "DL1ABC");
    EXPECT_EQ(text("CommentEdit"), "later");
    EXPECT_EQ(message(), "test.log is still loading");
    log->WaitForWriter();
    panel->LogQSOActionExecute();
    EXPECT_EQ(message(), "DL1ABC saved");
    log->WaitForWriter();
    EXPECT_EQ(Read(qsoLines().value(0)).Comment(), "later");
}

TEST_F(LogPanelFixture, FailuresKeepTheEntry)
{
    // A log file without its header line: nothing may be appended to it.
    writeLog({QSOLine("F5XX", "20230101", "100000")}, QString());
    ASSERT_TRUE(openAndWait());
    panel->Open();
    log->SetLoggingMode(lmContest);
    log->Contest().SetIncrementSerialNumbersTX(true);
    const QByteArray before = readBytes();
    typeCall("DL1ABC");
    type("SRXEdit", "5");
    panel->LogQSOActionExecute();
    EXPECT_EQ(message(), "Logging DL1ABC failed: test.log is no valid log book");
    EXPECT_EQ(text("CallEdit"), "DL1ABC");
    EXPECT_EQ(text("SRXEdit"), "5");
    EXPECT_EQ(text("STXEdit"), "001");
    EXPECT_EQ(log->Contest().NextSerialNumber(), 1u);
    EXPECT_EQ(readBytes(), before);

    // An incomplete entry is neither logged nor thrown away.
    log->SetLoggingMode(lmRegular);
    typeCall("K1");
    type("CommentEdit", "short call");
    panel->LogQSOActionExecute();
    EXPECT_EQ(message(), IncompleteText);
    EXPECT_EQ(text("CallEdit"), "K1");
    EXPECT_EQ(text("CommentEdit"), "short call");
    typeCall("K1ABC");
    pick("BandEdit", 0);
    panel->LogQSOActionExecute();
    EXPECT_EQ(message(), IncompleteText);
    EXPECT_EQ(readBytes(), before);
}

TEST_F(LogPanelFixture, EntityWithParenthesesInItsNameIsLogged)
{
    openLog();
    typeCall("VK9CX");
    pick("DXCCEdit", list("DXCCEdit")->findText("VK9C Cocos (Keeling) Islands (38)"));
    panel->LogQSOActionExecute();
    EXPECT_EQ(Read(qsoLines().value(0)).DXCC(), "38");
}

TEST_F(LogPanelFixture, SplitQSOWithTheRadio)
{
    vxtest::RadioSimulator radio(FT2000);
    ASSERT_TRUE(radio.ok());
    TDMApplication app;
    TApplicationRole role;
    TDMRadio module;
    module.SetDM(&role);
    TCATCommandWriter writer(&module);
    module.FT2KCATCommandTXEvent = [&writer](const QString& s) { writer.DoCATCommandTX(s); };
    TFTCATInterface& cat = *module.FTCATInterface();
    // What the front panel passes on of the radio's reports.
    cat.OnFrequency = [this](uint8_t vfo, int32_t hz) {
        vfo == 0 ? panel->SetFrequencyA(hz) : panel->SetFrequencyB(hz);
    };
    cat.OnBand = [this](uint8_t vfo, TBand band) { vfo == 0 ? panel->SetBandA(band) : panel->SetBandB(band); };
    cat.OnModeA = [this](TMode mode) { panel->SetMode(mode); };
    panel->SetFTCATInterface(&cat);
    spots->SetFTCATInterface(&cat);
    openLog();

    radio.setFrequency(vfoA, 14000000);
    radio.setFrequency(vfoB, 7010000);
    radio.setAutoInformation(true);
    module.RadioComPort()->setPort(radio.portName());
    cat.SetUsingCOMPort(true);
    ASSERT_TRUE(cat.Open());
    radio.push("FA00014000000;FB00007010000;");
    ASSERT_TRUE(vxtest::waitUntil([&] {
        return cat.ComState() == csConnected && cat.FrequencyA() == 14000000 && cat.FrequencyB() == 7010000;
    }));
    EXPECT_EQ(panel->BandA(), bd20);
    EXPECT_EQ(panel->BandB(), bd40);

    // A split spot picked in the band map: the radio goes to it and the entry takes it.
    TSpot spot;
    spot.SetCall("K1ABC");
    spot.FFrequencyA = 14025000;
    spot.FFrequencyB = 7025000;
    spot.FSplit = true;
    spots->AddSpotToBandmap(spot);
    ASSERT_EQ(spots->SpotDataList().Count(), 1);
    spots->SendSpotToTransceiver(spots->SpotDataList()[0].SpotID, true, true);
    ASSERT_TRUE(vxtest::waitUntil([&] { return cat.FrequencyA() == 14025000 && cat.FrequencyB() == 7025000; }));
    EXPECT_EQ(text("CallEdit"), "K1ABC");
    panel->LogQSOActionExecute();
    TLogRecord split = Read(qsoLines().value(0));
    EXPECT_EQ(split.Freq(), 14025000u);
    EXPECT_EQ(split.BandRX(), bd40);
    EXPECT_EQ(split.FreqRX(), 7025000u);

    // A spot on one band, picked while the radio stays where it is: logged with the spot's
    // frequency, and the next QSO has the radio's again.
    TSpot same;
    same.SetCall("K2ABC");
    same.FFrequencyA = 14030000;
    same.FFrequencyB = 14031000;
    same.FSplit = true;
    panel->SetBandB(bd20);
    spots->OnSpotDblClick(same);
    panel->LogQSOActionExecute();
    TLogRecord sameBand = Read(qsoLines().value(1));
    EXPECT_EQ(sameBand.Call(), "K2ABC");
    EXPECT_EQ(sameBand.Freq(), 14030000u);
    EXPECT_EQ(sameBand.BandRX(), bdAll);
    EXPECT_EQ(sameBand.FreqRX(), 0u);
    EXPECT_EQ(panel->FrequencyA(), cat.FrequencyA());
    EXPECT_EQ(panel->FrequencyA(), 14025000);
    EXPECT_EQ(panel->BandB(), bd40);
    cat.Close();
}

TEST_F(LogPanelFixture, BadInputIsHarmless)
{
    openLog();
    // Ten thousand characters pasted into every edit, with control characters among them.
    const QString big = QString(5000, QLatin1Char('x')) + QStringLiteral("\t;\n\x01") + QString(4996, QLatin1Char('1'));
    QApplication::clipboard()->setText(big);
    for (TEntryEdit* e : panel->findChildren<TEntryEdit*>()) {
        SCOPED_TRACE(e->objectName().toStdString());
        e->clear();
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        EXPECT_FALSE(e->text().isEmpty());
        EXPECT_LE(e->text().size(), e->maxLength());
    }
    panel->SetCallsign(big);
    panel->SetHisName(big);
    EXPECT_EQ(text("CallEdit").size(), 16);
    panel->SetBandA(bd20);
    panel->LogQSOActionExecute();
    panel->DoSendSpot();
    panel->AddSpotToBandmapActionExecute();
    // Whatever was logged is one line of 36 fields.
    for (const QString& line : qsoLines())
        EXPECT_EQ(line.count(QLatin1Char(';')), 35);

    // A call typed with nothing wired: no log, no spot engine, no callbook, no views.
    TLogPanel bare;
    QTest::keyClicks(bare.findChild<QLineEdit*>("CallEdit"), "DL1ABC 5");
    bare.SetMode(TMode(200));
    bare.SetBandA(bdAll);
    bare.Open();
    bare.LoadLogOptions();
    EXPECT_FALSE(bare.IsTextCommand(true));
    bare.DoQRZButtonClick();
    bare.DoQRZInfoButtonClick();
    bare.DoSendSpot();
    bare.AddSpotToBandmapActionExecute();
    vx::Clock::advance(2000);
    bare.LogQSOActionExecute();
    EXPECT_EQ(bare.Callsign(), "");
}

TEST_F(LogPanelFixture, LifetimesOfPanelAndNeighbours)
{
    openLog({QSOLine("DL1ABC", "20230202", "120000")});
    useCallbook();
    // The panel goes first: it hands every event back.
    panel.reset();
    EXPECT_FALSE(log->OnEditMode);
    EXPECT_FALSE(log->OnLogEvent);
    EXPECT_FALSE(log->OnLogInfo);
    EXPECT_FALSE(spots->OnCallsignLookup);
    EXPECT_FALSE(spots->OnSpotDblClick);
    EXPECT_FALSE(callbook->OnRequest);
    log->SetLoggingMode(lmContest);
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    log->FindQSOsLogPanel("DL1ABC", bd20, mCW);
    spots->CallsignLookup("DL1ABC");
    logQSO->trigger();
    addSpot->trigger();
    lookup->trigger();

    // The neighbours go first: the panel forgets them.
    panel = std::make_unique<TLogPanel>();
    wire(*panel);
    panel->SetQRZInterface(callbook.get());
    panel->Open();
    callbook.reset();
    spots.reset();
    log.reset();
    delete logQSO;
    typeCall("K1ABC");
    panel->SetMode(mdUSB);
    panel->LogQSOActionExecute();
    panel->DoQRZButtonClick();
    panel->DoSendSpot();
    addSpot->trigger();
    vx::Clock::advance(2000);
    EXPECT_EQ(panel->LogInterface(), nullptr);
    EXPECT_EQ(panel->LogQSOAction(), nullptr);
}
