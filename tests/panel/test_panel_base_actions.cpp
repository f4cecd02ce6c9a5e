// The front panel base's operator actions: what each gesture sends on a connected link, the
// mode keys, the power switch, tuning, the keyer memory dialog, and that nothing happens
// without an engine.
#include "PanelBaseFixture.h"
#include "core/RCUtils.h"
#include "core/cat/Keyer.h"
#include "core/cat/RX.h"
#include "core/cat/Tuning.h"
#include "panel/DialLogic.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/FTxSetCWMemoryDlg.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <cmath>

using vxtest::Click;

namespace {

void ClickUpper(QWidget* w)
{
    Click(w, QPoint(w->width() / 2, 2));
}

void ClickLower(QWidget* w)
{
    Click(w, QPoint(w->width() / 2, w->height() - 2));
}

// A point on a circle round the dial's centre, clockwise from the top.
QPoint OnDial(const TFTPanelDial* dial, double degrees, int radius = 50)
{
    const double r = degrees * M_PI / 180.0;
    const QPoint c = dial->CenterPoint();
    return c + QPoint(int(std::lround(radius * std::sin(r))), int(std::lround(-radius * std::cos(r))));
}

} // namespace

TEST_F(PanelBase, EachActionSendsItsCommandOnAConnectedLink)
{
    TFTTransceiverPanelBase& p = *panel;
    const struct {
        const char* Name;
        const char* Before; // radio answers that set the state the action reads
        std::function<void()> Gesture;
        QStringList Sent;
    } rows[] = {
        {"20 m", "", [&] { Click(p.Band20Button); }, {"BS05;"}},
        {"GEN", "", [&] { Click(p.BandGenButton); }, {"BS11;"}},
        {"Enter does nothing", "", [&] { Click(p.EnterButton); }, {}},
        {"noise blanker off to on", "NB00;", [&] { Click(p.NoiseBlankerButton); }, {"NB01;"}},
        {"noise blanker wide to off", "NB02;", [&] { Click(p.NoiseBlankerButton); }, {"NB00;"}},
        {"noise blanker of VFO B", "VS1;NB10;", [&] { Click(p.NoiseBlankerButton); }, {"NB11;"}},
        {"narrow of VFO A", "NA00;", [&] { Click(p.NarrowButton); }, {"NA01;"}},
        {"break-in toggles", "BI1;", [&] { Click(p.BreakInButton); }, {"BI0;"}},
        {"MOX", "MX0;", [&] { Click(p.MOXButton); }, {"MX1;"}},
        {"VOX", "VX0;", [&] { Click(p.VOXButton); }, {"VX1;"}},
        {"TX watch", "TS0;", [&] { Click(p.TXWatchButton); }, {"TS1;"}},
        {"select VFO B", "", [&] { Click(p.VFOSelectBButton); }, {"VS1;"}},
        {"split from the split key", "FT0;", [&] { Click(p.SplitButton); }, {"FT3;"}},
        {"split key double click: click, quick split, click", "FT0;",
         [&] {
             Click(p.SplitButton);
             vxtest::SendMouse(p.SplitButton, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
             vxtest::MouseRelease(p.SplitButton, {5, 5});
         },
         {"FT3;", "QS;", "FT3;"}},
        {"split from the TX lamp of B", "FT1;", [&] { Click(p.FunctionTXBButton); }, {"FT2;"}},
        {"A to B", "", [&] { Click(p.AToBButton); }, {"AB;"}},
        {"swap", "", [&] { Click(p.SwapVFOButton); }, {"SV;"}},
        {"clarifier clear", "", [&] { Click(p.ClarifierClearButton); }, {"RC;"}},
        {"RX clarifier", "RT0;", [&] { Click(p.ClarifierRXButton); }, {"RT1;"}},
        {"TX clarifier", "XT1;", [&] { Click(p.ClarifierTXButton); }, {"XT0;"}},
        {"antenna tuner off to on", "AC000;", [&] { Click(p.AntennaTunerButton); }, {"AC001;"}},
        {"tuner start from its menu while on", "AC001;", [&] { p.MIStartTuner->trigger(); }, {"AC002;"}},
        {"tuner start while off", "AC000;", [&] { p.MIStartTuner->trigger(); }, {}},
        {"AGC upper half", "GT04;", [&] { ClickUpper(p.AGCButton); }, {"GT03;"}},
        {"AGC lower half", "GT04;", [&] { ClickLower(p.AGCButton); }, {"GT01;"}},
        {"AGC off from its menu", "GT04;", [&] { p.MIAGCOff->trigger(); }, {"GT00;"}},
        {"processor off to on", "PR0;", [&] { Click(p.ProcessorButton); }, {"PR1;"}},
        {"receive A muted", "FR0;", [&] { Fire(p.FunctionRXAButton->OnClick); }, {"FR1;"}},
        {"power bar one up", "PC005;", [&] { stepUp(p.PowerControlBar); }, {"PC006;"}},
        {"AF gain bar one up", "AG0000;", [&] { stepUp(p.AFGainABar); }, {"AG0001;"}},
        {"IF shift reset by typing 0", "IS0+0100;", [&] { vxtest::Key(p.IFShiftABar, Qt::Key_0, "0"); },
         {"IS0-0000;"}},
        {"clarifier bar one up", "", [&] { stepUp(p.ClarifierBar); }, {"RU0001;"}},
        {"clarifier cleared by typing 0", "", [&] { vxtest::Key(p.ClarifierBar, Qt::Key_0, "0"); }, {"RC;"}},
    };
    connect();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        radio(QString::fromLatin1(r.Before));
        sent.clear();
        r.Gesture();
        EXPECT_EQ(sent, r.Sent);
        radio(QStringLiteral("VS0;"));
    }
}

TEST_F(PanelBase, TheAMFMKeyAlternatesWhileTheLinkIsUp)
{
    connect();
    for (int i = 0; i < 3; ++i)
        Click(panel->ModeAMFMButton);
    EXPECT_EQ(sent, (QStringList{"MK3;", "MK4;", "MK3;"}));
    sent.clear();
    Click(panel->ModeRTTYButton);
    Click(panel->ModePKTButton);
    EXPECT_EQ(sent, (QStringList{"MK5;", "MK6;"}));
}

TEST_F(PanelBase, OfflineAModeKeySetsTheModeAndThePanelFollows)
{
    // No radio: the mode is stored at once and the event brings it to the LCD and the entry panel.
    RecordingLogPanel log;
    panel->SetLogPanel(&log);
    Click(panel->ModeUSBButton);
    EXPECT_EQ(cat->ModeA(), mdUSB);
    EXPECT_EQ(panel->FTxDisplay->Display().ModeA(), mdUSB);
    EXPECT_TRUE(log.calls.contains(QStringLiteral("Mode %1").arg(int(mdUSB))));
    // No mode key goes out (the engine may ask for the new mode's filter width).
    EXPECT_TRUE(sent.filter(QStringLiteral("MK")).isEmpty());
    EXPECT_TRUE(sent.filter(QStringLiteral("MD")).isEmpty());

    cat->PrepareTX();
    cat->SetVFOSelect(vfoB);
    Click(panel->ModeRTTYButton);
    EXPECT_EQ(cat->ModeB(), mdFSK);
    EXPECT_EQ(panel->FTxDisplay->Display().ModeB(), mdFSK);
    EXPECT_EQ(cat->ModeA(), mdUSB);
}

TEST_F(PanelBase, ThePowerSwitchTakesOnePressPerThreeSeconds)
{
    Click(panel->PowerSwitchButton);
    EXPECT_FALSE(panel->PowerSwitchButton->isEnabled());
    EXPECT_FALSE(panel->PowerSwitchButton->Down());
    Click(panel->PowerSwitchButton);
    vx::Clock::advance(2999);
    EXPECT_FALSE(panel->PowerSwitchButton->isEnabled());
    Click(panel->PowerSwitchButton);
    vx::Clock::advance(1);
    EXPECT_TRUE(panel->PowerSwitchButton->isEnabled());
    EXPECT_EQ(sent.count(QStringLiteral("PS1;")), 1);
}

TEST_F(PanelBase, SwitchingOffZeroesTheMetersBeforeTheRadioAnswers)
{
    connect();
    radio(QStringLiteral("SM0200;SM1150;RM1100;"));
    ASSERT_NE(panel->PanelMeter->SMeterValue(), 0);
    ASSERT_NE(panel->FTxDisplay->Display().SMeterValueB(), 0);
    sent.clear();
    Click(panel->PowerSwitchButton);
    EXPECT_EQ(panel->PanelMeter->SMeterValue(), 0);
    EXPECT_EQ(panel->PanelMeter->MeterValue(), 0);
    EXPECT_EQ(panel->FTxDisplay->Display().SMeterValueB(), 0);
    EXPECT_TRUE(sent.contains(QStringLiteral("PS0;")));
}

TEST_F(PanelBase, MOXKeyShowsTheRadiosStateNotItsOwnToggle)
{
    connect();
    Click(panel->MOXButton);
    EXPECT_FALSE(panel->MOXButton->Down());
    EXPECT_EQ(sent, QStringList{"MX1;"});
    radio(QStringLiteral("MX1;"));
    EXPECT_TRUE(panel->MOXButton->Down());
}

TEST_F(PanelBase, TheMenuKeyRaisesTheHostsEventOnly)
{
    Click(panel->MenuButton);
    EXPECT_EQ(host->menuSenders, QList<QObject*>{panel->MenuButton});

    // Under any other owner the key does nothing (and does not fail).
    QWidget foreign;
    TFTTransceiverPanelBase other(&foreign);
    other.CreateWnd();
    Click(other.MenuButton);
    EXPECT_EQ(host->menuSenders.size(), 1);
}

TEST_F(PanelBase, WithoutAnEngineNothingButTheMenuActs)
{
    TestHost bare;
    auto* p = new TFTTransceiverPanelBase(&bare);
    p->CreateWnd();
    RecordingBandmap map;
    p->SetBandmap(&map);
    for (TPanelSpeedButton* b : p->findChildren<TPanelSpeedButton*>()) {
        b->setEnabled(true);
        Click(b);
    }
    for (TRCButton* b : p->findChildren<TRCButton*>()) {
        ClickUpper(b);
        ClickLower(b);
    }
    for (TVFOABButton* b : p->findChildren<TVFOABButton*>())
        Fire(b->OnClick);
    for (QAction* a : p->findChildren<QAction*>())
        a->trigger();
    for (TRCTrackBar* bar : p->findChildren<TRCTrackBar*>()) {
        bar->setEnabled(true);
        stepUp(bar);
        vxtest::Key(bar, Qt::Key_0, "0");
    }
    vxtest::MousePress(p->VFOMain, OnDial(p->VFOMain, 0));
    vxtest::MouseMove(p->VFOMain, OnDial(p->VFOMain, 90));
    vxtest::MouseRelease(p->VFOMain, OnDial(p->VFOMain, 90));
    Fire(map.OnFrequencyChange, vfoA, 14000000);
    Fire(map.OnFrequencyRequest);
    Fire(p->TuningPanelB->OnSplitClick, 5);
    Fire(p->TuningPanelB->OnClarifierChange, 100);
    Fire(p->PanelMeter->OnShow, false);
    p->KnobMeterSwitchClick(nullptr);
    p->ContourAButtonClick(nullptr);
    p->VRFAButtonClick(nullptr);
    p->UpButtonClick(nullptr);
    p->AFGainBBarChange(p->AFGainABar);

    EXPECT_TRUE(sent.isEmpty());
    EXPECT_TRUE(map.calls.isEmpty());
    EXPECT_EQ(bare.menuSenders, QList<QObject*>{p->MenuButton});
}

TEST_F(PanelBase, MainDialStepsAddUpOnTheFrequencyBeingDialled)
{
    connect();
    radio(QStringLiteral("FA014000000;"));
    TFTPanelDial* dial = panel->VFOMain;
    const double quarter = DialTuningStep(M_PI / 2, dial->DialStep(), false);
    ASSERT_GT(quarter, 0);

    // A quarter turn clockwise, in two moves before the radio answers.
    vxtest::MousePress(dial, OnDial(dial, 0));
    vxtest::MouseMove(dial, OnDial(dial, 45));
    vxtest::MouseMove(dial, OnDial(dial, 90));
    vxtest::MouseRelease(dial, OnDial(dial, 90));
    const int32_t afterFirst = cat->Tuning()->FrequencyA();
    EXPECT_EQ(afterFirst, 14000000 + int(quarter));
    EXPECT_EQ(cat->FrequencyA(), 14000000);

    // The next drag starts half a turn from where the first ended and moves 30 degrees: only
    // those 30 degrees tune.
    const QPoint from = OnDial(dial, 270), to = OnDial(dial, 300);
    vxtest::MousePress(dial, from);
    vxtest::MouseMove(dial, to);
    vxtest::MouseRelease(dial, to);
    const double turn = AngleDifference(DialPointerRadian(from, dial->CenterPoint()),
                                        DialPointerRadian(to, dial->CenterPoint()));
    EXPECT_EQ(cat->Tuning()->FrequencyA() - afterFirst, DialTuningStep(turn, dial->DialStep(), false));
    EXPECT_LT(cat->Tuning()->FrequencyA() - afterFirst, quarter / 2);
    EXPECT_TRUE(sent.last().startsWith(QStringLiteral("FA")));
}

TEST_F(PanelBase, ALockedVFOIgnoresEveryTuningSource)
{
    connect();
    radio(QStringLiteral("FA014000000;FB007000000;"));
    RecordingBandmap map;
    panel->SetBandmap(&map);
    cat->PrepareRX();
    cat->SetLockA(true);
    cat->PrepareRX();
    cat->SetLockB(true);
    sent.clear();
    Fire(map.OnFrequencyChange, vfoA, 14100000);
    Fire(map.OnFrequencyChange, vfoB, 7100000);
    Fire(panel->TuningPanelB->OnFrequencyChange, vfoA, 14200000);
    Fire(panel->PanelFrequencyB->OnTuning, 7200000);
    EXPECT_TRUE(sent.isEmpty());

    // The strip's split key with VFO B locked still turns split on at the radio.
    Fire(panel->TuningPanelB->OnSplitClick, 5);
    EXPECT_EQ(sent, QStringList{"FT3;"});
    EXPECT_EQ(cat->FunctionTX(), vfoA);
}

TEST_F(PanelBase, TheStripsTransceiveKeyPutsBOnAAndSplitsOn)
{
    connect();
    radio(QStringLiteral("FA014074000;FB007000000;FT0;"));
    sent.clear();
    Fire(panel->TuningPanelB->OnSplitClick, 0);
    EXPECT_EQ(cat->Tuning()->FrequencyB(), 14074000);
    EXPECT_EQ(sent, (QStringList{"FB14074000;", "FT3;"}));

    // Offsets are kHz above A; ±1000 steps B by a kilohertz.
    sent.clear();
    Fire(panel->TuningPanelB->OnSplitClick, 3);
    EXPECT_EQ(cat->Tuning()->FrequencyB(), 14077000);
    Fire(panel->TuningPanelB->OnSplitClick, -1000);
    EXPECT_EQ(cat->Tuning()->FrequencyB(), 6999000);

    // The band map asks for the frequencies and gets the engine's.
    RecordingBandmap map;
    panel->SetBandmap(&map);
    Fire(map.OnFrequencyRequest);
    EXPECT_EQ(map.calls, (QStringList{"FrequencyA 14074000", "FrequencyB 7000000"}));
}

TEST_F(PanelBase, StripClarifierStepsAreSentOnceAndTheBarFollows)
{
    connect();
    Fire(panel->TuningPanelB->OnClarifierChange, 120);
    Fire(panel->TuningPanelB->OnClarifierChange, 0);
    EXPECT_EQ(sent, (QStringList{"RU0120;", "RC;"}));
    EXPECT_EQ(panel->ClarifierBar->Position(), 120);
}

TEST_F(PanelBase, BarsAtTheirEndsSendNothingAndAConfirmedValueDoesNotSwallowTheNext)
{
    connect();
    vxtest::Key(panel->ClarifierBar, Qt::Key_Home);
    ASSERT_EQ(panel->ClarifierBar->Position(), 9999);
    sent.clear();
    vxtest::Key(panel->ClarifierBar, Qt::Key_PageUp);
    EXPECT_TRUE(sent.isEmpty());

    // The operator sets 128, the radio confirms it, the operator moves on: every move goes out.
    for (int i = 0; i < 128; ++i)
        stepUp(panel->AFGainABar);
    EXPECT_EQ(sent.last(), "AG0128;");
    radio(QStringLiteral("AG0128;"));
    sent.clear();
    stepUp(panel->AFGainABar);
    EXPECT_EQ(sent, QStringList{"AG0129;"});
}

TEST_F(PanelBase, KeyerMemoryIsEditedInTheDialogAndSentOnlyOnOK)
{
    connect();
    cat->PrepareRX();
    cat->Keyer()->SetKeyerMemory(2, QStringLiteral("CQ TEST}"));
    sent.clear();

    QString caption, shown;
    const auto answer = [&](const QString& text, bool ok) {
        QTimer::singleShot(0, [&caption, &shown, text, ok] {
            auto* dlg = qobject_cast<TFTxSetCWMemoryDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            caption = dlg->windowTitle();
            shown = dlg->Edit1->text();
            dlg->Edit1->setText(text);
            ok ? dlg->accept() : dlg->reject();
        });
    };
    answer(QStringLiteral("CQ DX"), false);
    panel->MICWMessage2->trigger();
    EXPECT_EQ(caption, "Set CW Keyer Memory Channel #2");
    EXPECT_EQ(shown, "CQ TEST");
    EXPECT_TRUE(sent.isEmpty());

    answer(QStringLiteral("CQ DX"), true);
    panel->MICWMessage2->trigger();
    EXPECT_EQ(sent, QStringList{"KM2CQ DX};"});
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TFTxSetCWMemoryDlg*>(w), nullptr) << "the dialog is freed";
}
