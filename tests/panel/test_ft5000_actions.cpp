// The FT DX 5000 face's operator actions: what each key, sub dial and sub bar sends on a
// connected link, what the sub displays then show, the sub-dial function keys, and that
// nothing is sent (or breaks) without an engine.
#include "FT5000Fixture.h"
#include "core/cat/TX.h"
#include "core/cat/Tuning.h"
#include "core/cat/VRF.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/SmallControls.h"

using vxtest::Click;

namespace {

// A held half of an up/down dial delivers one step after 200 ms.
void HoldDial(TFTPanelDial* dial, bool upper)
{
    const QPoint at(dial->width() / 2, upper ? 4 : dial->height() - 4);
    vxtest::MousePress(dial, at);
    vx::Clock::advance(200);
    vxtest::MouseRelease(dial, at);
}

} // namespace

TEST_F(FT5000Face, DSPKeysSendTheirToggleAndChooseWhatTheSubDisplayShows)
{
    connect();
    received([&] { cat->SetMode(0, mdCW); });
    TFTTransceiverPanel5000& f = *face;
    const struct {
        const char* Name;
        TPanelSpeedButton* Key;
        QStringList Sent;
        TFTxSubdisplay* Display;
        TDisplayMode Mode;
    } rows[] = {
        {"shift A", f.FT5KShiftAButton, {}, f.SubDisplayA, dpmShift},
        {"shift B", f.FT5KShiftBButton, {}, f.SubDisplayB, dpmShift},
        {"contour A in CW", f.FT5KContourAButton, {"CO0001;"}, f.SubDisplayA, dpmContour},
        {"contour B", f.FT5KContourBButton, {"CO1001;"}, f.SubDisplayB, dpmContour},
        {"notch A", f.FT5KNotchAButton, {"BP00001;"}, f.SubDisplayA, dpmNotch},
        {"notch B", f.FT5KNotchBButton, {"BP10001;"}, f.SubDisplayB, dpmNotch},
        // The preselector starts in its default state, which the key switches off.
        {"VRF A", f.FT5KVRFAButton, {"VF00+0;"}, f.SubDisplayA, dpmVRF},
        {"VRF B", f.FT5KVRFBButton, {"VF10+0;"}, f.SubDisplayB, dpmVRF},
        {"DNR A", f.FT5KDNRAButton, {"NR01;"}, f.SubDisplayA, dpmDNR},
        {"DNR B", f.FT5KDNRBButton, {"NR11;"}, f.SubDisplayB, dpmDNR},
        {"width A", f.FT5KWidthAButton, {}, f.SubDisplayA, dpmWidth},
        {"width B", f.FT5KWidthBButton, {}, f.SubDisplayB, dpmWidth},
        {"DNF A", f.FT5KDNFAButton, {"BC01;"}, f.SubDisplayA, dpmWidth},
        {"DNF B", f.FT5KDNFBButton, {"BC11;"}, f.SubDisplayB, dpmWidth},
        {"class A", f.FT5KClassAButton, {"CA0001;"}, f.SubDisplayA, dpmWidth},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        sent.clear();
        Click(r.Key);
        EXPECT_EQ(sent, r.Sent);
        EXPECT_EQ(r.Display->DisplayMode(), r.Mode);
    }
}

TEST_F(FT5000Face, ResetKeysResetWhatTheirSideShows)
{
    // Values away from every reset value, on both receivers.
    received([&] {
        for (uint8_t v : {0, 1}) {
            rx().SetIFShift(v, 120);
            rx().SetAPFOffset(v, 30);
            rx().SetNotchLevel(v, 200);
            rx().SetNoiseReductionLevel(v, 5);
        }
    });
    connect();
    TFTTransceiverPanel5000& f = *face;
    const struct {
        TDisplayMode ModeA, ModeB;
        TPanelSpeedButton* Key;
        QStringList Sent;
    } rows[] = {
        {dpmShift, dpmWidth, f.FT5KResetAButton, {"IS0-0000;"}},
        {dpmWidth, dpmShift, f.FT5KResetBButton, {"IS1-0000;"}},
        {dpmContour, dpmWidth, f.FT5KResetAButton, {"CO0140;"}},
        {dpmWidth, dpmAPF, f.FT5KResetBButton, {"CO1225;"}},
        {dpmWidth, dpmNotch, f.FT5KResetBButton, {"BP11150;"}},
        {dpmNotch, dpmWidth, f.FT5KResetAButton, {"BP01150;"}},
        {dpmWidth, dpmNotch, f.FT5KResetAButton, {"SH000;"}},
        {dpmNotch, dpmWidth, f.FT5KResetBButton, {"SH100;"}},
        {dpmDNR, dpmWidth, f.FT5KResetAButton, {"RL001;"}},
        // The centre of the preselector has no command: nothing goes out on the link.
        {dpmVRF, dpmVRF, f.FT5KResetAButton, {}},
        {dpmNone, dpmNone, f.FT5KResetBButton, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(sent.join(' ').toStdString());
        f.SubDisplayA->SetDisplayMode(r.ModeA);
        f.SubDisplayB->SetDisplayMode(r.ModeB);
        sent.clear();
        Click(r.Key);
        EXPECT_EQ(sent, r.Sent);
    }
}

TEST_F(FT5000Face, ResetInVRFCentresThePreselectorWithoutARadio)
{
    face->SubDisplayB->SetDisplayMode(dpmVRF);
    Click(face->FT5KResetBButton);
    EXPECT_EQ(rx().VRF()->PositionB(), 128);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(FT5000Face, SubDialsStepWhatTheirSideShowsWithinItsRange)
{
    TFTTransceiverPanel5000& f = *face;
    // Held upper half of the main sub dial in SHIFT, from 0.
    connect();
    Click(f.FT5KShiftAButton);
    HoldDial(f.SubDialA, true);
    EXPECT_EQ(sent, QStringList{"IS0+0001;"});

    const struct {
        const char* Name;
        std::function<void()> State;
        uint8_t Side;
        TDisplayMode Mode;
        int Step;
        QStringList Sent;
    } rows[] = {
        {"shift B down", [] {}, 1, dpmShift, -1, {"IS1-0001;"}},
        {"shift at the bottom", [&] { rx().SetIFShiftB(-1000); }, 1, dpmShift, -1, {}},
        {"contour up", [] {}, 0, dpmContour, 1, {"CO0116;"}},
        {"contour at the top", [&] { rx().SetContourLevelB(40); }, 1, dpmContour, 1, {}},
        {"APF code 0 down", [&] { rx().SetAPFOffsetA(0); }, 0, dpmAPF, -1, {}},
        {"APF up", [] {}, 1, dpmAPF, 1, {"CO1226;"}},
        {"notch down", [] {}, 1, dpmNotch, -1, {"BP11149;"}},
        {"notch at the bottom", [&] { rx().SetNotchLevelA(1); }, 0, dpmNotch, -1, {}},
        {"width code 25 up", [&] { rx().SetFilterWidthB(25); }, 1, dpmWidth, 1, {"SH125;"}},
        {"width down", [&] { rx().SetFilterWidthA(10); }, 0, dpmWidth, -1, {"SH009;"}},
        {"DNR up", [] {}, 0, dpmDNR, 1, {"RL002;"}},
        {"DNR at the bottom", [] {}, 1, dpmDNR, -1, {}},
        {"VRF A down", [] {}, 0, dpmVRF, -1, {"VF02-1;"}},
        {"VRF B up", [&] { rx().VRF()->SetStateB(vrfStateOn); }, 1, dpmVRF, 1, {"VF11+1;"}},
        {"none", [] {}, 0, dpmNone, 1, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        received(r.State);
        (r.Side == 0 ? f.SubDisplayA : f.SubDisplayB)->SetDisplayMode(r.Mode);
        sent.clear();
        if (r.Side == 0)
            f.SubDialATuningStep(f.SubDialA, r.Step);
        else
            f.SubDialBTuningStep(f.SubDialB, r.Step);
        EXPECT_EQ(sent, r.Sent);
    }
}

TEST_F(FT5000Face, SubDialFunctionKeysAlternateAndSetTheSubVFODialsMode)
{
    TFTTransceiverPanel5000& f = *face;
    connect();
    const struct {
        TPanelSpeedButton* Key;
        const char* Sent;  // what the click sends
        const char* Reply; // the radio's answer
        TDialMode Mode;
    } steps[] = {
        {f.SDF1Button, "SF00;", "SF00;", dmUpDown}, {f.SDF1Button, "SF03;", "SF03;", dmUpDown},
        {f.SDF1Button, "SF00;", "SF00;", dmUpDown}, {f.SDF8Button, "SF07;", "SF07;", dmWheel},
        {f.SDF8Button, "SF08;", "SF08;", dmWheel},  {f.SDF8Button, "SF07;", "SF07;", dmWheel},
        {f.FT5KClarifierGroupButton, "SF08;", "SF08;", dmWheel},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Sent);
        sent.clear();
        Click(s.Key);
        EXPECT_EQ(sent, QStringList{QString::fromLatin1(s.Sent)});
        radio(QString::fromLatin1(s.Reply));
        EXPECT_EQ(f.VFOSub->DialMode(), s.Mode);
    }
    // The clarifier key looks pressed at once, the A/B key released.
    sent.clear();
    radio(QStringLiteral("SF00;"));
    Click(f.FT5KClarifierGroupButton);
    EXPECT_TRUE(f.FT5KClarifierGroupButton->Down());
    EXPECT_FALSE(f.SDF8Button->Down());
}

TEST_F(FT5000Face, ClarifierKeysAreFastAndLockOfVFOBWhileTheSubDialTunesIt)
{
    TFTTransceiverPanel5000& f = *face;
    connect();
    radio(QStringLiteral("SF07;"));
    const struct {
        std::function<void()> State;
        TPanelSpeedButton* Key;
        const char* Sent;
    } rows[] = {
        {[] {}, f.FT5KClarifierRXButton, "FS6;"},
        {[&] { cat->SetFastStepB(true); }, f.FT5KClarifierRXButton, "FS4;"},
        {[] {}, f.FT5KClarifierTXButton, "LK6;"},
        {[&] { radio(QStringLiteral("SF08;")); }, f.FT5KClarifierRXButton, "RT1;"},
        {[] {}, f.FT5KClarifierTXButton, "XT1;"},
    };
    for (const auto& r : rows) {
        received(r.State);
        sent.clear();
        Click(r.Key);
        EXPECT_EQ(sent, QStringList{QString::fromLatin1(r.Sent)});
    }
}

TEST_F(FT5000Face, TheSubVFODialFollowsTheSubDialFunction)
{
    TFTTransceiverPanel5000& f = *face;
    connect();
    received([&] { cat->Tuning()->SetFrequencyB(7074000); });
    const struct {
        const char* Function;
        int Step;
        QStringList Sent;
    } rows[] = {
        {"SF03;", 1, {"CH0;IF;OI;"}},
        {"SF03;", -1, {"CH1;IF;OI;"}},
        {"SF00;", 1, {"BU1;"}},
        {"SF00;", -2, {"BD1;"}},
        {"SF07;", 25, {"FB07074025;"}},
        {"SF08;", 5, {"RU0005;"}},
        {"SF08;", -3, {"RD0003;"}},
        // A step of nothing must not clear the clarifier.
        {"SF08;", 0, {}},
        {"SF02;", 1, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.Function) + " " + std::to_string(r.Step));
        radio(QString::fromLatin1(r.Function));
        sent.clear();
        f.VFOSubTuningStep(f.VFOSub, r.Step);
        EXPECT_EQ(sent, r.Sent);
    }
    // A locked VFO B does not tune.
    radio(QStringLiteral("SF07;"));
    received([&] { cat->SetLockB(true); });
    sent.clear();
    f.VFOSubTuningStep(f.VFOSub, 10);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(FT5000Face, SubReceiverBarsSendForVFOB)
{
    TFTTransceiverPanel5000& f = *face;
    connect();
    // The sub set of the shared places shows with VFO B, each bar enabled by its function.
    radio(QStringLiteral("VS1;"));
    received([&] {
        rx().SetNotchB(true);
        rx().SetNoiseReductionB(true);
        rx().SetNoiseBlankerB(nbOn);
        rx().SetIFShiftB(200);
    });
    received([&] { rx().SetContourB(conOn); });
    received([&] { rx().VRF()->SetStateB(vrfStateOn); });
    received([&] { rx().VRF()->SetVRFTypeB(vrfTypeVRF); });
    const struct {
        const char* Name;
        TRCTrackBar* Bar;
        QStringList Sent;
    } rows[] = {
        {"NB", f.NoiseBlankerBBar, {"NL1001;"}},
        {"AF", f.AFGainBBar, {"AG1001;"}},         {"SQL", f.SquelchBBar, {"SQ1001;"}},
        {"width", f.FilterWidthBBar, {"SH114;"}},  {"shift", f.IFShiftBBar, {"IS1+0201;"}},
        {"notch", f.NotchBBar, {"BP11151;"}},      {"contour", f.ContourLevelBBar, {"CO1116;"}},
        {"DNR", f.DNRBBar, {"RL102;"}},            {"VRF", f.VRFBBar, {"VF11+1;"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        ASSERT_TRUE(r.Bar->isVisibleTo(face));
        ASSERT_TRUE(r.Bar->isEnabled());
        sent.clear();
        stepUp(r.Bar);
        EXPECT_EQ(sent, r.Sent);
    }
    // The RF gain bar is logarithmic and starts at the top: the bottom goes to the sub receiver.
    sent.clear();
    vxtest::Key(f.RFGainBBar, Qt::Key_Home);
    vxtest::Key(f.RFGainBBar, Qt::Key_End);
    EXPECT_EQ(sent, QStringList{"RG1000;"});

    // The digit 0 centres the sub IF shift; other keys do nothing.
    sent.clear();
    vxtest::Key(f.IFShiftBBar, Qt::Key_5, QStringLiteral("5"));
    vxtest::Key(f.IFShiftBBar, Qt::Key_0, QStringLiteral("0"));
    EXPECT_EQ(sent, QStringList{"IS1-0000;"});
}

TEST_F(FT5000Face, ContourBarsSetTheAPFOffsetInAPF)
{
    TFTTransceiverPanel5000& f = *face;
    connect();
    received([&] { rx().SetContourA(conAPF); });
    received([&] { rx().SetContourB(conAPF); });
    radio(QStringLiteral("VS1;"));
    sent.clear();
    stepUp(f.ContourLevelBBar);
    radio(QStringLiteral("VS0;"));
    stepUp(f.ContourLevelABar);
    EXPECT_EQ(sent, (QStringList{"CO1226;", "CO0226;"}));
}

TEST_F(FT5000Face, KeysOfTheSelectedVFOTheMeterSelectorAndTheCATLampThatIsOnlyALamp)
{
    TFTTransceiverPanel5000& f = *face;
    connect();
    Click(f.FT5KAntennaRXButton);
    radio(QStringLiteral("VS1;"));
    Click(f.FT5KAntennaRXButton);
    Click(f.FT5KAntennaButton, QPoint(17, 3));
    Click(f.UpButton);
    // The meter selector steps back on its left half and forward on its right.
    Click(f.KnobMeterSwitch, QPoint(10, 25));
    Click(f.KnobMeterSwitch, QPoint(77, 25));
    // RX antenna of A, then of B; antenna up (upper half) of the selected B; 100 kHz up.
    EXPECT_EQ(sent, (QStringList{"AN05;", "AN15;", "AN14;", "FA07100000;", "MS2;", "MS4;"}));

    // The CAT lamp shows the link, whatever the clicks.
    sent.clear();
    EXPECT_TRUE(f.CATButton->Down());
    Click(f.CATButton);
    EXPECT_TRUE(f.CATButton->Down());
    cat->SetCAT(false);
    Click(f.CATButton);
    EXPECT_FALSE(f.CATButton->Down());
    EXPECT_TRUE(sent.isEmpty());
}

TEST(FT5000FaceAlone, WithoutAnEngineOnlyShiftAndWidthSwitchTheDisplays)
{
    vx::Clock::useManual();
    {
        TestHost host;
        auto* f = new TFTTransceiverPanel5000(&host);
        f->CreateWnd();
        for (TPanelSpeedButton* key : f->findChildren<TPanelSpeedButton*>())
            if (key != f->FT5KShiftAButton && key != f->FT5KShiftBButton && key != f->MenuButton)
                Click(key);
        for (TRCButton* halves : f->findChildren<TRCButton*>()) {
            Click(halves, QPoint(5, 2));
            Click(halves, QPoint(5, halves->height() - 2));
        }
        f->SubDialATuningStep(f->SubDialA, 1);
        f->SubDialBTuningStep(f->SubDialB, -1);
        f->VFOSubTuningStep(f->VFOSub, 1);
        for (TRCTrackBar* bar : {f->NoiseBlankerBBar, f->FilterWidthBBar, f->IFShiftBBar, f->NotchBBar, f->DNRBBar,
                                 f->ContourLevelBBar, f->VRFBBar, f->ContourLevelABar})
            f->ContourLevelBBarChange(bar), f->VRFBBarChange(bar), f->ContourLevelABarChange(bar);
        EXPECT_EQ(f->SubDisplayA->DisplayMode(), dpmWidth);
        EXPECT_EQ(f->SubDisplayB->DisplayMode(), dpmWidth);
        Click(f->FT5KShiftAButton);
        Click(f->FT5KShiftBButton);
        EXPECT_EQ(f->SubDisplayA->DisplayMode(), dpmShift);
        EXPECT_EQ(f->SubDisplayB->DisplayMode(), dpmShift);
        EXPECT_EQ(f->VFOSub->DialMode(), dmWheel);
    }
    vx::Clock::useSystem();
}
