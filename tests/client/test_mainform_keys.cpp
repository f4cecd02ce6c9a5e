// The main window's menu, its keys as the window system delivers them, the key hook of the CW
// and QSO entry panels, wheel tuning, the Transmit and Clear keys and Enter Frequency, with the
// program's own modules and the radio simulator.
#include "tests/client/MainFormRig.h"

#include "client/widgets/EnterFrequency.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "log/DMLog.h"
#include "log/QRZInterface.h"
#include "log/widgets/LogbookPanelVST.h"
#include "remote/DMClient.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace clienttest;

namespace {

// The menu as the window's own description of it lays it out.
const char* const ExpectedMenu = R"(&File
  ClientConnectAction Ctrl+C
  ClientChooseAction
    RemoteBaseConnectAction1
    RemoteBaseConnectAction2
    RemoteBaseConnectAction3
    RemoteBaseConnectAction4
    RemoteBaseConnectAction5
    RemoteBaseConnectAction6
  -
  TransceiverMenuAction
  TXAudioSettingsAction
  -
  SettingsAction Ctrl+Alt+S
  SettingsExportAction
  SettingsImportAction
  -
  ExitAction
Co&ntrols
  StatusRequestAction
  ShowMeterAction
  Meter
    MeterDigitalAction
    MeterAnalogAction
  -
  BandmapAction Ctrl+A
  VFOBAction Ctrl+B
  -
  PowerControlAction Ctrl+P
  MicGainAction Ctrl+M
  FilterWidthAction Ctrl+W
  IFShiftAction Ctrl+I
  ClarifierAction Ctrl+R
T&uning
  TuneAUpAction Ctrl+Up
  TuneADownAction Ctrl+Down
  Dial step size
    StepSizeDownAAction Ctrl+Right
    StepSizeUpAAction Ctrl+Left
    -
    ResolutionA1Action Ctrl+1
    ResolutionA2Action Ctrl+2
    ResolutionA3Action Ctrl+3
    ResolutionA4Action Ctrl+4
    ResolutionA5Action Ctrl+5
  -
  TuneBUpAction Alt+Up
  TuneBDownAction Alt+Down
  Dial step size
    StepSizeDownBAction Alt+Right
    StepSizeUpBAction Alt+Left
    -
    ResolutionB1Action Ctrl+6
    ResolutionB2Action Ctrl+7
    ResolutionB3Action Ctrl+8
    ResolutionB4Action Ctrl+9
    ResolutionB5Action Ctrl+0
  -
  SplitAction Ctrl+S
  VFOAToBAction Ctrl+T
  VFOBToAAction Shift+F10
  FrequencyAToBAction Ctrl+F
  FrequencyBToAAction Ctrl+G
  SwapVFOAction F10
  SubRXAction Ctrl+F9
  TransmitAction F12
  -
  ClarifierRXAction Ctrl+F1
  ClarifierTXAction Ctrl+F2
  ClarifierDownAction Shift+Down
  ClarifierUpAction Shift+Up
  ClarifierClearAction Ctrl+Z
  -
  BandDownAction Alt+F1
  BandUpAction Alt+F2
  EnterFrequencyAction Ctrl+Shift+Return
  Band60mAction
  -
  Load Presets
    LoadPresetsCWAction Ctrl+Shift+C
    LoadPresetsSSBAction Ctrl+Shift+S
    LoadPresetsRTTYAction Ctrl+Shift+R
    LoadPresetsJT65Action Ctrl+Shift+J
  Save Presets
    SavePresetsCWAction
    SavePresetsSSBAction
    SavePresetsRTTYAction
    SavePresetsJT65Action
CW Key&board
  CWBuffer1Action Alt+1
  CWBuffer2Action Alt+2
  CWKeyboardAction Alt+K
  CWSpeedAction Alt+V
  CWSpeedDownAction Alt+F9
  CWSpeedUpAction Alt+F10
RTT&Y
  RTTYClearRXAction Ctrl+Shift+A
  RTTYClearTXAction Ctrl+Shift+B
  RTTYTXFocusAction Alt+R
&Messages
  Message1Action F1
  Message2Action F2
  Message3Action F3
  Message4Action F4
  Message5Action F5
  Message6Action F6
  Message7Action F7
  Message8Action F8
  Message9Action F9
  Message10Action Ins
  Message11Action
  EscapeAction Esc
  SetMessagesAction
    SetMessage1Action Shift+F1
    SetMessage2Action Shift+F2
    SetMessage3Action Shift+F3
    SetMessage4Action Shift+F4
    SetMessage5Action Shift+F5
    SetMessage6Action Shift+F6
    SetMessage7Action Shift+F7
    SetMessage8Action Shift+F8
    SetMessage9Action Shift+F9
    SetMessage10Action Shift+Ins
    SetMessage11Action Shift++
  -
  PlaybackWindowAction Ctrl+Shift+P
  Playback1Action
  Playback2Action
  Playback3Action Ctrl+F3
  Playback4Action Ctrl+F4
  Playback5Action Ctrl+F5
&Log
  NewLogAction
  OpenLogAction
  Options
    RegularLoggingAction
    -
    ContestLoggingAction
    IncrementSerialNumbersTXAction
    NumbersOnlySerialTXAction
    NumbersOnlySerialRXAction
    ContestSetCQZoneAction
    ContestSetUSStateAction
    -
    ShowGridLocatorAction
    ShowUSStateAction
    ShowQSLAction
    ShowQSLLoTWAction
    ShowQSLeQSLAction
  -
  LogQSOAction
  ClearAction F11
  ClearLogFilterAction Shift+F11
  LogShowAction Ctrl+L
  AddSpotToBandmapAction Ctrl+Return
  QRZLookupAction Ctrl+Q
  -
  ExportLoTWAction
  LoTWDownloadAction
  -
  ExporteQSLAction
  -
  ExportADIFAction
  ExportCabrilloAction
  ImportADIFAction
  -
  DownloadDataFilesAction
&DX Cluster
  DXClusterConnectAction
  DXCSendCommandAction Alt+T
  SendSpotAction Alt+F3
  Command1Action
  Command2Action
  Command3Action
&Window
  DXClusterAction
  DXSpotsAction Ctrl+X
  BandmapAction Ctrl+A
  LogShowAction Ctrl+L
  LogStatisticsAction Ctrl+J
  -
  PlaybackWindowAction Ctrl+Alt+P
  CWPanelAction Ctrl+Alt+C
  MessagePanelAction Ctrl+Alt+M
  LogWindowAction Ctrl+Alt+L
  RTTYPanelAction Ctrl+Alt+R
  RCMPanelAction Ctrl+Alt+O
  YaesuRotatorAction Ctrl+Alt+Y
  -
  FlexControlAction
  -
  View...
    ViewBasicAction
    ViewCompactAction
    ViewWideAction
&Help
  CATMonitorAction
  -
  HelpWebsiteAction
  HelpOnlineDocAction
  -
  AboutAction)";

// A key as the window system delivers it to the focused widget, shortcuts first.
void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, mods);
}

TEST_F(MainFormRig, TheMenuHoldsEveryActionInItsPlace)
{
    Store();
    CreateAndStart();
    EXPECT_EQ(Form->MenuDump().join('\n').toStdString(), std::string(ExpectedMenu));
}

TEST_F(MainFormRig, NoTwoLiveActionsShareAKey)
{
    for (TApplicationType role : {isLocal, isRemoteClient}) {
        SCOPED_TRACE(int(role));
        Store(role);
        CreateAndStart();
        QHash<QString, QAction*> owners;
        QStringList clashes;
        std::function<void(const QList<QAction*>&)> collect = [&](const QList<QAction*>& actions) {
            for (QAction* a : actions) {
                if (a->menu())
                    collect(a->menu()->actions());
                if (!a->isEnabled() || !a->isVisible() || a->shortcutContext() != Qt::WindowShortcut)
                    continue;
                for (const QKeySequence& key : a->shortcuts()) {
                    QAction*& owner = owners[key.toString()];
                    if (owner && owner != a)
                        clashes << key.toString() + ": " + owner->objectName() + ", " + a->objectName();
                    owner = a;
                }
            }
        };
        collect(Form->actions());
        collect(Form->menuBar()->actions());
        EXPECT_TRUE(clashes.isEmpty()) << clashes.join('\n').toStdString();
        Destroy();
    }
}

TEST_F(MainFormRig, SharedKeysGoToTheFirstMenuItem)
{
    Store();
    Radio->setMode(vfoA, mdUSB);
    CreateAndStart();
    ASSERT_TRUE(RadioSays("MD02;RT0;"));
    Form->StatusBarPanel5->setFocus();
    Radio->clearCommands();
    // Ctrl+F1 is the RX clarifier; the first two playback channels keep their menu items.
    Press(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_TRUE(RadioCommands("RT1").contains("RT1"));
    Press(Qt::Key_F3, Qt::ControlModifier);
    EXPECT_TRUE(RadioCommands("PB03").contains("PB03"));
    EXPECT_FALSE(Radio->commands().contains("PB01"));
    // Ctrl+Alt+C switches the CW keyboard, Ctrl+Shift+C loads the CW presets.
    ASSERT_FALSE(Form->CWPanel->isHidden());
    Press(Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(Form->CWPanel->isHidden());
    Press(Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(Form->CWPanel->isHidden());
    QAction* loadCW = Modules->Radio()->LoadPresetsCWAction;
    QSignalSpy presets(loadCW, &QAction::triggered);
    for (bool stored : {false, true}) {
        // The presets load only once some are stored; the key never switches the keyboard.
        loadCW->setEnabled(stored);
        Press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(presets.count(), stored ? 1 : 0);
        EXPECT_FALSE(Form->CWPanel->isHidden());
    }
    // Ctrl+Alt+S opens the settings.
    int settings = 0;
    Form->SettingsDlg = [&] {
        ++settings;
        auto dlg = std::make_unique<SettingsDlgDouble>();
        dlg->Result = QDialog::Rejected;
        return dlg;
    };
    Press(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(settings, 1);
}

TEST_F(MainFormRig, EditingKeysEditInTextFieldsAndRunActionsElsewhere)
{
    // A client with a station to connect to: Ctrl+C is its connect key.
    Store(isRemoteClient, FT2000, [](TIniStore& ini) { StoreStation(ini); });
    CreateAndStart();
    QAction* connect = Modules->Client()->ClientConnectAction;
    ASSERT_TRUE(connect->isEnabled());
    QSignalSpy connects(connect, &QAction::triggered);

    QLineEdit* call = Form->LogPanel->CallEdit;
    call->setFocus();
    call->setText("DL1ABC");
    call->selectAll();
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "DL1ABC");
    EXPECT_EQ(connects.count(), 0);
    Press(Qt::Key_A, Qt::ControlModifier); // selects, does not switch to the band map
    EXPECT_NE(Form->PageControl1->currentWidget(), Form->TabSheetBandmap);
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(call->text(), "");
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(call->text(), "DL1ABC");

    // The log grid's own copy wins there too.
    Form->LogShowAction->trigger();
    Form->LogbookPanel->VST()->setFocus();
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(connects.count(), 0);

    Form->StatusBarPanel5->setFocus();
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(connects.count(), 1);
}

TEST_F(MainFormRig, TabCyclesTheCWFields)
{
    Store();
    CreateAndStart();
    TCWPanel* cw = Form->CWPanel;
    struct Case {
        QWidget* from;
        Qt::KeyboardModifiers mods;
        QWidget* to;
    };
    for (const Case c : {Case{cw->CWSendEdit, Qt::NoModifier, cw->CWMemo1}, Case{cw->CWMemo1, Qt::NoModifier, cw->CWMemo2},
                         Case{cw->CWMemo2, Qt::NoModifier, cw->CWSendEdit},
                         Case{cw->CWSendEdit, Qt::ShiftModifier, cw->CWMemo2},
                         Case{cw->CWMemo1, Qt::ControlModifier, cw->CWMemo1}}) {
        SCOPED_TRACE(c.from->objectName().toStdString());
        c.from->setFocus();
        const QString before = cw->CWMemo1->toPlainText();
        Press(c.mods & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab, c.mods);
        EXPECT_EQ(QApplication::focusWidget(), c.to);
        // Used up: no tab reaches a memo.
        EXPECT_EQ(cw->CWMemo1->toPlainText(), before);
    }
    EXPECT_EQ(Form->LastActiveControl(), TMainForm::afCWMemo1);
}

TEST_F(MainFormRig, EnterAndKeypadPlusLogFromTheQSOEntry)
{
    Store(isLocal, FT2000, [this](TIniStore& ini) { StoreLog(ini); });
    CreateAndStart();
    TLogPanel* log = Form->LogPanel;
    ASSERT_TRUE(vxtest::waitUntil([&] { return !Modules->Log()->LogInterface()->LogIsLoading(); }));
    QSignalSpy message11(Modules->Messages()->MessageAction(11), &QAction::triggered);
    const auto typeCall = [&](const QString& call) {
        log->CallEdit->clear();
        log->CallEdit->setFocus();
        QTest::keyClicks(log->CallEdit, call);
    };

    typeCall("DL1ABC");
    Press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_FALSE(LogText().contains("DL1ABC"));
    EXPECT_EQ(log->CallEdit->text(), "DL1ABC");
    Press(Qt::Key_Return);
    EXPECT_TRUE(LogText().contains("DL1ABC"));
    EXPECT_EQ(log->CallEdit->text(), "");

    typeCall("K1ABC");
    Press(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(message11.count(), 1);
    EXPECT_TRUE(LogText().contains("K1ABC"));
    EXPECT_EQ(log->CallEdit->text(), "");

    // A frequency typed into the call field tunes the radio, inside the band it is on.
    ASSERT_TRUE(RadioSays("FA14074000;"));
    typeCall("14025");
    Radio->clearCommands();
    Press(Qt::Key_Return);
    EXPECT_TRUE(RadioCommands("FA14025000").contains("FA14025000"));
    EXPECT_FALSE(LogText().contains("14025"));

    // Elsewhere the keypad plus is a plus.
    Form->CWPanel->CWSendEdit->setFocus();
    QTest::keyClick(Form->CWPanel->CWSendEdit, Qt::Key_Plus, Qt::KeypadModifier, '+');
    EXPECT_EQ(Form->CWPanel->CWSendEdit->text(), "+");
}

// With no log named in the settings, Enter in the entry logs nothing and says why.
TEST_F(MainFormRig, EnterWithNoLogOpenSaysSo)
{
    Store();
    CreateAndStart();
    TLogPanel* log = Form->LogPanel;
    log->CallEdit->setFocus();
    QTest::keyClicks(log->CallEdit, "DL1ABC");
    Press(Qt::Key_Return);
    auto* message = log->findChild<QLabel*>(QStringLiteral("LogEventLabel"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), "No log book open");
    EXPECT_EQ(log->CallEdit->text(), "DL1ABC");
}

TEST_F(MainFormRig, CtrlQAsksTheCallbookForTheCallInTheEntry)
{
    Store(isLocal, FT2000, [this](TIniStore& ini) { StoreLog(ini); });
    CreateAndStart();
    TQRZInterface* qrz = Modules->Log()->QRZInterface();
    EXPECT_FALSE(Form->QRZLookupAction->isVisible());
    qrz->SetUseQRZ(true);
    EXPECT_TRUE(Form->QRZLookupAction->isVisible());
    Form->LogPanel->CallEdit->setFocus();
    QTest::keyClicks(Form->LogPanel->CallEdit, "VP2E/K1ABC");
    Press(Qt::Key_Q, Qt::ControlModifier);
    // No user name stored: the login fails at once and the entry says why.
    EXPECT_EQ(qrz->QRZRecord()->CallsignRequest(), "K1ABC");
    auto* message = Form->LogPanel->findChild<QLabel*>(QStringLiteral("LogEventLabel"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), "QRZ.COM Username and/or Password is empty");
}

TEST_F(MainFormRig, TheHookIdlesWhileAnotherWindowIsActive)
{
    Store(isLocal, FT2000, [this](TIniStore& ini) { StoreLog(ini); });
    CreateAndStart();
    Form->LogPanel->CallEdit->setText("DL1ABC");
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(vxtest::waitUntil([&] { return QApplication::activeWindow() == &other; }));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(Form->LogPanel->CallEdit, &enter);
    EXPECT_FALSE(LogText().contains("DL1ABC"));
    EXPECT_EQ(Form->LogPanel->CallEdit->text(), "DL1ABC");
}

TEST_F(MainFormRig, F12KeysTheRadioOrSendsRTTY)
{
    Store(isLocal, FT2000, [](TIniStore& ini) { ini.WriteBool("Client\\Panels\\RTTY", "Visible", true); });
    Radio->setMode(vfoA, mdFSK);
    CreateAndStart();
    ASSERT_TRUE(RadioSays("MD06;MX0;"));
    Form->StatusBarPanel5->setFocus();
    Radio->clearCommands();
    int rttyTX = 0;
    Form->RTTYPanel->OnMMTTYTX = [&rttyTX] { ++rttyTX; };
    // The RTTY panel shows, but the MMTTY engine is not in use: the radio is keyed.
    Press(Qt::Key_F12);
    EXPECT_TRUE(RadioCommands("MX1").contains("MX1"));
    EXPECT_EQ(rttyTX, 0);
    Modules->RTTY()->SetUseMMTTYEngine(true);
    Radio->clearCommands();
    Press(Qt::Key_F12);
    EXPECT_EQ(rttyTX, 1);
    EXPECT_FALSE(RadioCommands().contains("MX1"));
}

TEST_F(MainFormRig, ClearEmptiesTheEntryAndReturnsToTheLastField)
{
    Store();
    CreateAndStart();
    Form->CWPanel->CWMemo2->setFocus();
    Press(Qt::Key_Shift); // the hook notes the field
    Form->LogPanel->CallEdit->setFocus();
    Form->LogPanel->CallEdit->setText("DL1ABC");
    Press(Qt::Key_F11);
    EXPECT_EQ(Form->LogPanel->CallEdit->text(), "");
    EXPECT_EQ(Form->LastActiveControl(), TMainForm::afCallEdit);
    EXPECT_EQ(QApplication::focusWidget(), Form->LogPanel->CallEdit);
    // From outside the panel the entry is cleared too, and the focus returns to the last field.
    auto* comment = Form->LogPanel->findChild<QLineEdit*>(QStringLiteral("CommentEdit"));
    ASSERT_NE(comment, nullptr);
    comment->setText("tnx");
    Form->CWPanel->CWMemo2->setFocus();
    Press(Qt::Key_Shift);
    Form->StatusBarPanel5->setFocus();
    Press(Qt::Key_F11);
    EXPECT_EQ(comment->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), Form->CWPanel->CWMemo2);
}

TEST_F(MainFormRig, OneWheelNotchTunesOneStep)
{
    Store();
    CreateAndStart();
    ASSERT_TRUE(RadioSays("FA14074000;"));
    ASSERT_EQ(Cat()->FrequencyA(), 14074000);
    Radio->clearCommands();
    const auto notch = [&](int delta) {
        const QPointF at(10, 5);
        QWheelEvent wheel(at, Form->StatusBarPanel5->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        // As the window system delivers it: to the widget under the mouse, then up to its parents.
        // (sendEvent would mark it as the program's own, which goes to the widget alone).
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        qApp->notify(Form->StatusBarPanel5, &wheel);
    };
    notch(120);
    const auto tunes = [&] {
        QStringList fa;
        for (const QString& c : RadioCommands("FA1407"))
            if (c.startsWith("FA") && c.size() > 2)
                fa << c;
        return fa;
    };
    EXPECT_EQ(tunes(), QStringList{"FA14074100"});
    // Half notches of a fine wheel add up to one step.
    Radio->clearCommands();
    notch(60);
    EXPECT_TRUE(RadioCommands().filter("FA14").isEmpty());
    notch(60);
    EXPECT_EQ(tunes(), QStringList{"FA14074200"});
}

TEST_F(MainFormRig, EnterFrequencyTunesTheChosenVFO)
{
    Store();
    CreateAndStart();
    ASSERT_TRUE(RadioSays("FA07025000;"));
    struct Case {
        const char* typed;
        bool vfoB;
        const char* sent; // empty: nothing
    };
    QString shown;
    for (const Case c : {Case{"14.074", false, "FA14074000"}, Case{" 7.1", false, "FA07100000"},
                         Case{"14.074", true, "FB14074000"}, Case{"", false, ""}}) {
        SCOPED_TRACE(c.typed);
        Radio->clearCommands();
        Form->Messages.clear();
        Form->Dialog = [&](QDialog& dialog) {
            auto& form = static_cast<TEnterFrequencyForm&>(dialog);
            shown = form.MaskEdit->displayText();
            form.MaskEdit->clear();
            QTest::keyClicks(form.MaskEdit, QString::fromLatin1(c.typed));
            form.VFOBRadio->setChecked(c.vfoB);
            return int(QDialog::Accepted);
        };
        Form->EnterFrequencyAction->trigger();
        EXPECT_EQ(shown, " 7.025000");
        const QStringList sent = RadioCommands(c.sent);
        if (*c.sent) {
            EXPECT_TRUE(sent.contains(c.sent)) << sent.join(' ').toStdString();
            EXPECT_TRUE(Form->Messages.isEmpty());
        } else {
            for (const QString& s : sent)
                EXPECT_FALSE((s.startsWith("FA") || s.startsWith("FB")) && s.size() > 2) << s.toStdString();
            EXPECT_EQ(Form->Messages.size(), 1);
        }
    }
    // Cancel sends nothing.
    Radio->clearCommands();
    Form->Dialog = [](QDialog&) { return int(QDialog::Rejected); };
    Form->EnterFrequencyAction->trigger();
    EXPECT_FALSE(RadioCommands().join(' ').contains("FA0"));
}

TEST(EnterFrequency, TextToFrequency)
{
    struct Case {
        const char* text;
        int hz; // -1: no frequency
    };
    for (const Case c : {Case{"14.074", 14074000}, Case{" 7.1     ", 7100000}, Case{"14.074000", 14074000},
                         Case{"50.", 50000000}, Case{"abc", -1}, Case{".5", -1}, Case{"", -1}, Case{" .      ", -1},
                         Case{"-7.1", -1}, Case{"7.1234567", -1}}) {
        SCOPED_TRACE(c.text);
        const std::optional<int32_t> hz = TEnterFrequencyForm::TextToFrequency(c.text);
        EXPECT_EQ(hz.value_or(-1), c.hz);
    }
    EXPECT_EQ(TEnterFrequencyForm::FrequencyText(7025000), " 7.025000");
    EXPECT_EQ(TEnterFrequencyForm::FrequencyText(14074000), "14.074000");
}

} // namespace

namespace {

TEST_F(MainFormRig, ADetectedModelNamesTheWindowAndTheWheelTunesIt)
{
    UseRadio(FTDX5000);
    Store(isLocal, FT2000, [](TIniStore& ini) { ini.WriteBool("Client\\UserInterface", "AutoDetect", true); });
    CreateAndStart();
    ASSERT_TRUE(RadioSays("ID0362;FA07025000;"));
    EXPECT_EQ(Cat()->Transceiver(), FTDX5000);
    EXPECT_EQ(Form->windowTitle(), "Vornix - YAESU FT DX 5000 CAT & Remote Control");
    EXPECT_EQ(Form->PanelLeft->width(), 1154);
    Radio->clearCommands();
    QWheelEvent wheel(QPointF(10, 5), Form->StatusBarPanel5->mapToGlobal(QPoint(10, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(Form->StatusBarPanel5, &wheel);
    EXPECT_TRUE(RadioCommands("FA07025100").contains("FA07025100")) << Radio->commands().join(' ').toStdString();
}

TEST(EnterFrequencyForm, LaysOutItsControlsUnclipped)
{
    for (qreal ratio : {1.0, 2.0}) {
        TEnterFrequencyForm form;
        // The widest text the mask takes.
        form.MaskEdit->setText(TEnterFrequencyForm::FrequencyText(14074000));
        form.show();
        vxtest::spin(20);
        EXPECT_EQ(form.size(), QSize(173, 69));
        // Each control within the dialog, and the radio buttons within their group.
        for (QWidget* w : {static_cast<QWidget*>(form.VFORadioGroup), static_cast<QWidget*>(form.MaskEdit),
                           static_cast<QWidget*>(form.OKBtn)})
            EXPECT_TRUE(form.rect().contains(w->geometry())) << w->objectName().toStdString();
        for (QWidget* w : {form.VFOARadio, form.VFOBRadio})
            EXPECT_TRUE(form.VFORadioGroup->rect().contains(w->geometry()));
        // The widest frequency fits the box.
        EXPECT_LE(form.MaskEdit->fontMetrics().horizontalAdvance("14.074000"), form.MaskEdit->width() - 8);
        QImage image(form.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        form.render(&image);
        EXPECT_TRUE(image.save(QStringLiteral(VX_BUILD_DIR "/enter-frequency%1.png").arg(ratio == 1.0 ? "" : "@2x")));
    }
}

} // namespace
