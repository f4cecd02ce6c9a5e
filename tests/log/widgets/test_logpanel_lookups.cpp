// What the entry panel finds while the operator types: the country of the call, the earlier
// QSOs, the callbook's answer; the action states; frequencies typed as calls; reports typed
// behind the call; picked spots, the band map and the spot line.
#include "LogPanelFixture.h"
#include "log/QRZInterface.h"
#include "log/widgets/QRZCallbookLink.h"

#include <QLocale>

namespace {

QString WithName(const QString& line, const QString& name)
{
    TLogRecord r;
    r.ExplodeQSOLine(line);
    r.SetName(name);
    return r.QSOLine();
}

} // namespace

TEST_F(LogPanelFixture, CallLookupAndEarlierQSOs)
{
    openLog({QSOLine("DL1ABC", "20230101", "120000", "40m", "SSB"),
             WithName(QSOLine("DL1ABC", "20230202", "120000", "20m", "CW"), "Hans"),
             QSOLine("DL1ABC", "20230303", "120000", "15m", "SSB"), QSOLine("DL2XX", "20230404", "120000")});
    panel->SetBandA(bd20);
    typeCall("DL1ABC");
    EXPECT_EQ(list("DXCCEdit")->currentText(), "DL Fed. Rep. of Germany (230)");
    EXPECT_EQ(list("ContEdit")->currentText(), "EU");
    EXPECT_EQ(list("CQZEdit")->currentText(), "14");
    EXPECT_FALSE(list("StateEdit")->isEnabled());
    EXPECT_EQ(message(), "3 QSOs with DL1ABC -- worked before on 20m CW");
    EXPECT_EQ(text("NameEdit"), "Hans");
    // The log's earlier QSOs have no entity: the lookup's stays.
    EXPECT_EQ(log->LogDataList().size(), 3);
    EXPECT_EQ(log->LogRecord().LogWindowCall(), "DL1ABC");
    EXPECT_EQ(log->LogRecord().LogWindowName(), "Hans");

    // A call of another country replaces everything the lookup gave.
    typeCall("K1ABC");
    EXPECT_EQ(list("DXCCEdit")->currentText(), "K United States (291)");
    EXPECT_EQ(list("ContEdit")->currentText(), "NA");
    EXPECT_EQ(list("CQZEdit")->currentText(), "05");
    EXPECT_TRUE(list("StateEdit")->isEnabled());

    // Emptying the call clears the entry.
    edit("CallEdit")->clear();
    EXPECT_EQ(list("DXCCEdit")->currentIndex(), 0);
    EXPECT_EQ(list("CQZEdit")->currentIndex(), 0);
    EXPECT_EQ(text("NameEdit"), "");
    EXPECT_EQ(message(), "");
}

TEST_F(LogPanelFixture, ActionsFollowTheCall)
{
    openLog();
    struct Case {
        const char* call;
        bool enabled;
    } cases[] = {{"RAEM", true}, {"K", false}, {"ABC", false}, {"K1", true}, {"14025", true}, {"1K ", true}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        typeCall(c.call);
        EXPECT_EQ(logQSO->isEnabled(), c.enabled);
        EXPECT_EQ(addSpot->isEnabled(), c.enabled);
        EXPECT_EQ(lookup->isEnabled(), c.enabled);
        EXPECT_EQ(child<QPushButton>("LogQSOButton")->isEnabled(), c.enabled);
    }

    // A contest QSO needs both serial numbers.
    log->SetLoggingMode(lmContest);
    typeCall("K1ABC");
    EXPECT_FALSE(logQSO->isEnabled());
    type("STXEdit", "1");
    type("SRXEdit", "7");
    EXPECT_TRUE(logQSO->isEnabled());
    EXPECT_TRUE(addSpot->isEnabled());

    // Without a log file nothing can be logged.
    log->SetLogFileName(QString());
    type("CallEdit", "A");
    EXPECT_FALSE(logQSO->isEnabled());
}

TEST_F(LogPanelFixture, FrequencyTypedAsCall)
{
    openLog();
    struct Case {
        TBand band;
        const char* typed;
        bool command;
        int32_t tuned; // 0: no event
    } cases[] = {
        {bd20, "14025", true, 14025000}, {bd20, "7025", true, 0},   {bd20, "14O25", false, 0},
        {bd20, "1402500000000000", true, 0}, {bd20, "1", true, 0}, {bd10, "28", true, 28000000},
        {bd40, "7025", true, 7025000},   {bd60, "5450", true, 5450000}, {bd2, "144300", true, 0},
        {bd20, "14300", true, 14300000}, {bd20, "143001", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        panel->SetBandA(c.band);
        tuned.clear();
        typeCall(c.typed);
        EXPECT_EQ(panel->IsTextCommand(false), c.command);
        EXPECT_TRUE(tuned.isEmpty());
        EXPECT_EQ(panel->IsTextCommand(true), c.command);
        EXPECT_EQ(tuned.size(), c.tuned ? 1 : 0);
        EXPECT_EQ(tuned.value(0), c.tuned);
    }

    // Enter on a frequency tunes and clears the call; nothing is logged.
    panel->SetBandA(bd20);
    typeCall("14025");
    tuned.clear();
    panel->LogQSOActionExecute();
    EXPECT_EQ(tuned, QList<int32_t>{14025000});
    EXPECT_EQ(text("CallEdit"), "");
    EXPECT_TRUE(qsoLines().isEmpty());
}

TEST_F(LogPanelFixture, ReportTypedBehindTheCall)
{
    openLog();
    struct Case {
        const char* mode;
        const char* typed;
        const char* rst;
    } cases[] = {
        {"CW", "K1ABC 7", "579"},  {"CW", "K1ABC 57", "579"}, {"CW", "K1ABC 599", "599"}, {"SSB", "K1ABC 5", "55"},
        {"SSB", "K1ABC 57", "57"}, {"SSB", "K1ABC 599", "59"}, {"RTTY", "K1ABC 509", "599"}, {"FM", "K1ABC 4", "54"},
        {"PSK", "K1ABC 7", "599"}, {"CW", "K1ABC 1234", "123"}, // typed key by key: 4 digits change nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.typed);
        pick("ModeEdit", c.mode);
        typeCall(c.typed);
        EXPECT_EQ(text("RSTsEdit"), c.rst);
        EXPECT_EQ(log->LogRecord().LogWindowCall(), "K1ABC");
        EXPECT_EQ(log->LogRecord().LogWindowRST(), c.rst);
    }
}

TEST_F(LogPanelFixture, EditedQSOIgnoresRadioSpotsAndOtherWindows)
{
    openLog({QSOLine("DL1ABC", "20230202", "120000", "20m", "CW", "tnx")});
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    EXPECT_EQ(text("CallEdit"), "DL1ABC");
    EXPECT_EQ(text("CommentEdit"), "tnx");
    EXPECT_EQ(logQSO->text(), "Save QSO");
    EXPECT_TRUE(shown("DateEdit"));
    EXPECT_FALSE(shown("LogEventPanel"));

    panel->SetBandA(bd15);
    panel->SetMode(mdUSB);
    TSpot spot;
    spot.SetCall("K1ABC");
    spot.FFrequencyA = 21025000;
    ASSERT_TRUE(spots->OnSpotDblClick);
    spots->OnSpotDblClick(spot);
    panel->SetCallsign("F5XX");
    panel->SetHisName("pierre");
    EXPECT_EQ(list("BandEdit")->currentText(), "20m");
    EXPECT_EQ(list("ModeEdit")->currentText(), "CW");
    EXPECT_EQ(text("CallEdit"), "DL1ABC");
    EXPECT_EQ(text("NameEdit"), "");
    EXPECT_EQ(panel->FrequencyA(), 7000000);

    // Real-time logging off stops the following as well, until it is on again.
    panel->ClearControls(true, true);
    EXPECT_EQ(logQSO->text(), "&Log QSO");
    child<QCheckBox>("RealTimeCheckBox")->click();
    panel->SetBandA(bd10);
    EXPECT_EQ(list("BandEdit")->currentText(), "20m");
    child<QCheckBox>("RealTimeCheckBox")->click();
    EXPECT_EQ(list("ModeEdit")->currentText(), "SSB"); // the radio's mode applied again
    panel->SetBandA(bd17);
    EXPECT_EQ(list("BandEdit")->currentText(), "17m");
}

TEST_F(LogPanelFixture, RadioModesBecomeLogModes)
{
    openLog();
    const std::pair<TMode, const char*> modes[] = {
        {mdLSB, "SSB"}, {mdUSB, "SSB"}, {mdCW, "CW"},    {mdCW_R, "CW"},    {mdFM, "FM"},    {mdFM_N, "FM"},
        {mdAM, "AM"},   {mdFSK, "RTTY"}, {mdFSK_R, "RTTY"}, {mdPKT_L, "PKT"}, {mdPKT_FM, "PKT"}, {mdPKT_U, "PKT"},
        {TMode(77), ""}};
    for (const auto& [mode, shown] : modes) {
        panel->SetMode(mode);
        EXPECT_EQ(list("ModeEdit")->currentText(), shown) << int(mode);
    }
    panel->SetMode(mdUSB);
    EXPECT_EQ(text("RSTsEdit"), "59");
}

TEST_F(LogPanelFixture, PickedSpotAndBandMap)
{
    openLog();
    typeCall("F5XX");
    TSpot spot;
    spot.SetCall("K1ABC");
    spot.SetComment("my own");
    spot.FIsMySpot = true;
    spot.FFrequencyA = 14025000;
    spot.FFrequencyB = 14030000;
    spot.FLocator = "FN42";
    spot.FSplit = true;
    spots->OnSpotDblClick(spot);
    EXPECT_EQ(text("CallEdit"), "K1ABC");
    EXPECT_EQ(text("CommentEdit"), "my own");
    EXPECT_EQ(text("LocatorEdit"), "FN42");
    EXPECT_EQ(panel->FrequencyA(), 14025000);
    EXPECT_EQ(panel->FrequencyB(), 14030000);
    EXPECT_TRUE(panel->Split());

    // Ctrl+Enter: the call into the band map as an own spot.
    addSpot->trigger();
    const TSpotDataList& stored = spots->SpotDataList();
    ASSERT_EQ(stored.Count(), 1);
    EXPECT_EQ(stored[0].Call, "K1ABC");
    EXPECT_EQ(stored[0].FrequencyA, 14025000);
    EXPECT_TRUE(stored[0].IsMySpot);
}

TEST_F(LogPanelFixture, SpotLineInEveryLocale)
{
    openLog();
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    struct Case {
        TBand band;
        int32_t hz;
        const char* myLocator;
        const char* grid;
        const char* line;
    } cases[] = {
        {bd6, 50313000, "JO62", "IO91qm", "DX 50313.0 K1ABC JO62<>IO91QM "},
        {bd6, 50313000, "", "IO91qm", "DX 50313.0 K1ABC IO91qm "},
        {bd6, 50313000, "jo62", "", "DX 50313.0 K1ABC "},
        {bd20, 14025000, "JO62", "IO91qm", "DX 14025.0 K1ABC "},
        {bd20, 14025060, "", "", "DX 14025.1 K1ABC "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        spots->SetMyLocator(c.myLocator);
        panel->SetBandA(c.band);
        panel->SetFrequencyA(c.hz);
        typeCall("K1ABC 599");
        edit("LocatorEdit")->setText(c.grid);
        views.Proposed.clear();
        sent.clear();
        panel->DoSendSpot();
        EXPECT_EQ(views.Proposed, QStringList({c.line}));
        EXPECT_EQ(sent, QStringList({QString::fromLatin1(c.line).trimmed()}));
    }
    QLocale::setDefault(before);

    views.Edited = "  DX 14025.0 K1ABC tnx  ";
    sent.clear();
    panel->DoSendSpot();
    EXPECT_EQ(sent, QStringList({"DX 14025.0 K1ABC tnx"}));
    views.Confirm = false;
    sent.clear();
    panel->DoSendSpot();
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(LogPanelFixture, CallbookControlsAndAnswers)
{
    openLog();
    useCallbook();
    EXPECT_EQ(child<QToolButton>("QRZButton")->text(), "QRZ.COM");
    EXPECT_EQ(child<QToolButton>("QRZButton")->toolTip(), "QRZ.COM Callsign Lookup");
    for (const char* name : {"QRZButton", "QRZInfoButton", "QRZInfoShape", "QRZLoTWShape"})
        EXPECT_TRUE(shown(name)) << name;
    log->SetLoggingMode(lmContest);
    EXPECT_FALSE(shown("QRZButton"));
    log->SetLoggingMode(lmRegular);
    callbook->SetUseQRZ(false);
    EXPECT_FALSE(shown("QRZButton"));
    EXPECT_FALSE(shown("QRZLoTWShape"));
    EXPECT_FALSE(lookup->isVisible());
    callbook->SetUseQRZ(true);
    EXPECT_TRUE(lookup->isVisible());
    EXPECT_TRUE(shown("QRZInfoButton"));

    // No session yet: the lookup logs in first, and asks once the session is there.
    callbook->Session = false;
    typeCall("K1ABC/P");
    lookup->trigger();
    EXPECT_EQ(callbook->Opens, 1);
    EXPECT_EQ(callbook->Requested, "K1ABC");
    callbook->Session = true;
    callbook->OnSession(true, " Session started");
    EXPECT_EQ(callbook->Asked, QStringList({"K1ABC"}));

    callbook->Answers({"K1ABC", "FN42ab", 291, "TX", true, "292° 6123 km", "W1XYZ", "John"});
    EXPECT_EQ(text("LocatorEdit"), "FN42ab");
    EXPECT_EQ(list("StateEdit")->currentText(), "TX");
    EXPECT_EQ(list("CQZEdit")->currentText(), "05"); // the lookup's zone, not the state's
    EXPECT_EQ(label("LabelPathInfo")->text(), "292° 6123 km");
    EXPECT_EQ(message(), "John - W1XYZ");
    EXPECT_EQ(child<TShape>("QRZLoTWShape")->BrushColor(), QColor(0, 255, 0));
    EXPECT_EQ(child<TShape>("QRZInfoShape")->BrushColor(), QColor(0, 255, 0));
    EXPECT_TRUE(child<QToolButton>("QRZInfoButton")->isEnabled());
    EXPECT_EQ(views.Answered, QList<bool>{true});
    // The spot engine remembers the locator of the call as typed.
    EXPECT_EQ(spots->LocatorList().FindLocator("K1ABC/P"), "FN42ab");
    child<QToolButton>("QRZInfoButton")->click();
    EXPECT_EQ(views.InfoShown, 1);

    // A failed lookup changes no field.
    callbook->Answers({}, false, " Error: Not found: K1ABC");
    EXPECT_EQ(message(), " Error: Not found: K1ABC");
    EXPECT_EQ(text("LocatorEdit"), "FN42ab");
    EXPECT_EQ(child<TShape>("QRZLoTWShape")->BrushColor(), QColor(128, 128, 128));
    EXPECT_EQ(child<TShape>("QRZInfoShape")->BrushColor(), QColor(255, 0, 0));
    EXPECT_EQ(views.Answered, (QList<bool>{true, false}));
}

TEST_F(LogPanelFixture, LateCallbookAnswerForThePreviousCall)
{
    openLog();
    useCallbook();
    typeCall("DL1ABC");
    panel->DoQRZButtonClick();
    typeCall("K1ABC");
    const QString before = message();
    callbook->Answers({"DL1ABC", "JO31", 230, {}, true, "10° 100 km", {}, "Hans"});
    EXPECT_EQ(text("LocatorEdit"), "");
    EXPECT_EQ(message(), before);
    EXPECT_EQ(child<TShape>("QRZInfoShape")->BrushColor(), QColor(128, 128, 128));
    EXPECT_TRUE(views.Answered.isEmpty());

    // Asked again for K1ABC, an answer still on its way for DL1ABC is not K1ABC's.
    panel->DoQRZButtonClick();
    callbook->Answers({"DL1ABC", "JO31", 230, {}, true, "10° 100 km", {}, "Hans"});
    EXPECT_EQ(text("LocatorEdit"), "");
    callbook->Answers({"K1ABC", "FN42", 291, {}, false, {}, {}, "John"});
    EXPECT_EQ(text("LocatorEdit"), "FN42");
    EXPECT_EQ(message(), "John");
    EXPECT_EQ(child<TShape>("QRZLoTWShape")->BrushColor(), QColor(255, 0, 0));

    // Looked up as soon as a blank follows the call, when the callbook is set so.
    callbook->Immediate = true;
    callbook->Asked.clear();
    typeCall("G4ABC ");
    EXPECT_EQ(callbook->Asked, QStringList({"G4ABC"}));
}

TEST_F(LogPanelFixture, NamesAndCallsFromOtherWindows)
{
    openLog();
    typeCall("F5XX");
    type("CommentEdit", "old");
    panel->SetCallsign("k1abc");
    EXPECT_EQ(text("CallEdit"), "K1ABC");
    EXPECT_EQ(text("CommentEdit"), "");
    EXPECT_EQ(panel->Callsign(), "K1ABC");
    panel->SetHisName("jOHN");
    EXPECT_EQ(panel->HisName(), "John");
    panel->SetHisName("");
    EXPECT_EQ(panel->HisName(), "John");
    panel->SetHisName("émile");
    EXPECT_EQ(panel->HisName(), "émile");
}

// The log module's callbook client behind its link: its events reach the panel, the panel's
// requests reach it, and either may go first.
TEST_F(LogPanelFixture, CallbookClientOfTheLogModule)
{
    openLog();
    auto qrz = std::make_unique<TQRZInterface>();
    auto link = std::make_unique<TQRZCallbookLink>(qrz.get());
    panel->SetQRZInterface(link.get());
    EXPECT_FALSE(shown("QRZButton"));
    qrz->SetUseQRZ(true);
    EXPECT_TRUE(shown("QRZButton"));
    EXPECT_EQ(child<QToolButton>("QRZButton")->text(), "QRZ.COM");

    // No user name: the login fails at once and says why.
    typeCall("VP2E/K1ABC");
    panel->DoQRZButtonClick();
    EXPECT_EQ(qrz->QRZRecord()->CallsignRequest(), "K1ABC");
    EXPECT_EQ(message(), "QRZ.COM Username and/or Password is empty");

    // An answer for the call in the field fills it.
    TQRZRecord& answer = *qrz->QRZRecord();
    answer.SetCall("K1ABC");
    answer.SetGrid("FN42ab");
    answer.SetDXCC(291);
    answer.SetState("CT");
    answer.SetFirstName("WILLIAM H");
    Fire(qrz->OnRequest, true, QStringLiteral("QRZ.COM Request OK"));
    EXPECT_EQ(text("LocatorEdit"), "FN42ab");
    EXPECT_EQ(list("StateEdit")->currentText(), "CT");
    EXPECT_EQ(message(), "Bill");

    link.reset();
    EXPECT_FALSE(qrz->OnRequest);
    link = std::make_unique<TQRZCallbookLink>(qrz.get());
    qrz.reset();
    EXPECT_FALSE(link->UseQRZ());
    link->Open();
    link->Request();
}
