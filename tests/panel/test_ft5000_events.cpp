// The FT DX 5000 face's radio events: the sub receiver's bars, labels and knobs, the contour
// and APF bars, the shared bar places per VFO, the DSP keys, the sub-dial keys, the sub
// displays and the CAT lamp; none of them sends anything, and unknown values change nothing.
#include "FT5000Fixture.h"
#include "core/cat/TX.h"
#include "core/cat/VRF.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"

#include <QLabel>

TEST_F(FT5000Face, ContourBFromAPFToOnTakesTheLevelRangeAndSendsNothing)
{
    TFTTransceiverPanel5000& f = *face;
    connect();
    received([&] { rx().SetContourB(conAPF); });
    received([&] { rx().SetAPFOffsetB(45); });
    EXPECT_EQ(f.ContourLevelBBar->Min(), 0);
    EXPECT_EQ(f.ContourLevelBBar->Max(), 50);
    EXPECT_EQ(f.ContourLevelBBar->Position(), 45);
    EXPECT_EQ(f.ContourLevelBLabel->text(), "200");
    EXPECT_EQ(f.SubDisplayB->DisplayMode(), dpmAPF);
    EXPECT_EQ(f.FT5KContourBButton->toolTip(), "APF on");

    received([&] { rx().SetContourB(conOn); });
    EXPECT_EQ(f.ContourLevelBBar->Min(), 1);
    EXPECT_EQ(f.ContourLevelBBar->Max(), 40);
    EXPECT_EQ(f.ContourLevelBBar->Position(), 15);
    EXPECT_TRUE(f.ContourLevelBBar->isEnabled());
    EXPECT_EQ(f.ContourLevelBLabel->text(), "1500");
    EXPECT_EQ(f.SubDisplayB->DisplayMode(), dpmContour);
    EXPECT_TRUE(f.FT5KContourBButton->Down());
    EXPECT_EQ(f.FT5KContourBButton->toolTip(), "Contour on");

    received([&] { rx().SetContourB(conOff); });
    EXPECT_FALSE(f.ContourLevelBBar->isEnabled());
    EXPECT_EQ(f.ContourLevelBLabel->text(), "");
    EXPECT_EQ(f.SubDisplayB->DisplayMode(), dpmContour); // unchanged by off
    EXPECT_FALSE(f.FT5KContourBButton->Down());
    EXPECT_EQ(f.FT5KContourBButton->toolTip(), "Contour off");
    EXPECT_TRUE(sent.isEmpty());
    // Main and sub stay apart.
    EXPECT_EQ(f.SubDisplayA->DisplayMode(), dpmWidth);
    EXPECT_FALSE(f.FT5KContourAButton->Down());
}

TEST_F(FT5000Face, ContourLevelInAPFShowsTheOffsetInHertz)
{
    TFTTransceiverPanel5000& f = *face;
    received([&] { rx().SetContourB(conAPF); });
    received([&] { rx().SetContourLevelB(20); });
    EXPECT_EQ(f.ContourLevelBBar->toolTip(), "APF Offset 0 Hz");
    EXPECT_EQ(f.ContourLevelBLabel->text(), "0");
    received([&] { rx().SetContourA(conOn); });
    received([&] { rx().SetContourLevelA(12); });
    EXPECT_EQ(f.ContourLevelABar->toolTip(), "Contour Level 1200 Hz");
    EXPECT_EQ(f.ContourLevelALabel->text(), "1200");
    EXPECT_EQ(f.SubDisplayA->Position(), 1200);
}

TEST_F(FT5000Face, TheSelectedVFOShowsItsOwnSetOfTheSharedBars)
{
    TFTTransceiverPanel5000& f = *face;
    const QList<QWidget*> main{f.NotchABar, f.NotchALabel, f.ContourLevelABar, f.ContourLevelALabel,
                               f.DNRABar,  f.DNRALabel,   f.VRFABar,          f.VRFALabel};
    const QList<QWidget*> sub{f.NotchBBar, f.NotchBLabel, f.ContourLevelBBar, f.ContourLevelBLabel,
                              f.DNRBBar,   f.DNRBLabel,   f.VRFBBar,          f.VRFBLabel};
    const auto shown = [&](const QList<QWidget*>& set) {
        int n = 0;
        for (QWidget* w : set)
            n += w->isVisibleTo(face);
        return n;
    };
    received([&] { cat->SetVFOSelect(vfoB); });
    EXPECT_EQ(shown(sub), 8);
    EXPECT_EQ(shown(main), 0);
    EXPECT_EQ(f.FT5KRXABLabels->Picture(), "FT5K_SLIDERS_B");
    received([&] { rx().SetContourB(conAPF); });
    EXPECT_EQ(f.FT5KRXABLabels->Picture(), "FT5K_SLIDERS_B_APF");

    received([&] { cat->SetVFOSelect(vfoA); });
    EXPECT_EQ(shown(main), 8);
    EXPECT_EQ(shown(sub), 0);
    EXPECT_EQ(f.FT5KRXABLabels->Picture(), "FT5K_SLIDERS_A");
    received([&] { rx().SetContourA(conAPF); });
    EXPECT_EQ(f.FT5KRXABLabels->Picture(), "FT5K_SLIDERS_A_APF");
}

TEST_F(FT5000Face, APowerReportShowsOnBothSubDisplaysForFiveSeconds)
{
    TFTTransceiverPanel5000& f = *face;
    Fire(cat->OnPowerControlWatt, uint8_t(100));
    EXPECT_EQ(f.SubDisplayA->DisplayText(), "POWER");
    EXPECT_EQ(f.SubDisplayB->DisplayText(), "100W");
    EXPECT_TRUE(f.SubDisplayA->ShowingText());
    EXPECT_EQ(f.PowerControlLabel->text(), "100W");
    vx::Clock::advance(4999);
    EXPECT_TRUE(f.SubDisplayB->ShowingText());
    vx::Clock::advance(1);
    EXPECT_FALSE(f.SubDisplayA->ShowingText());
    EXPECT_FALSE(f.SubDisplayB->ShowingText());
    // A report from the radio goes the same way.
    radio(QStringLiteral("PC050;"));
    EXPECT_EQ(f.SubDisplayB->DisplayText(), QStringLiteral("%1W").arg(cat->TX()->PowerControlWatt()));
    EXPECT_EQ(f.KnobMicPwr->ValueOuter(), 50);
}

TEST_F(FT5000Face, SubReceiverReportsMoveItsBarsLabelsAndKnobs)
{
    TFTTransceiverPanel5000& f = *face;
    connect();
    radio(QStringLiteral("AG1128;SQ1064;RG1128;"));
    received([&] {
        rx().SetNoiseBlankerB(nbOn);
        rx().SetNoiseBlankerLevelB(51);
        rx().SetIFShiftB(-120);
        rx().SetNotchB(true);
        rx().SetNotchLevelB(90);
        rx().SetNoiseReductionB(true);
        rx().SetNoiseReductionLevelB(5);
        rx().SetAutoNotchB(true);
    });
    EXPECT_EQ(f.AFGainBBar->Position(), 128);
    EXPECT_EQ(f.AFGainBBar->toolTip(), "AF Gain Sub 50");
    EXPECT_EQ(f.KnobAFGainRFGainB->ValueInner(), 128);
    EXPECT_EQ(f.SquelchBBar->Position(), 64);
    EXPECT_EQ(f.SquelchBBar->toolTip(), "Sub Squelch Level 25");
    EXPECT_EQ(f.KnobNBSQLB->ValueOuter(), 64);
    EXPECT_NEAR(f.RFGainBBar->PositionExp(), 128, 2);
    EXPECT_EQ(f.RFGainBBar->toolTip(), "RF Gain Sub Receiver 50");
    EXPECT_EQ(f.KnobAFGainRFGainB->ValueOuter(), 128);
    EXPECT_TRUE(f.NoiseBlankerBBar->isEnabled());
    EXPECT_EQ(f.NoiseBlankerBBar->Position(), 51);
    EXPECT_EQ(f.NoiseBlankerBBar->toolTip(), "Noise Blanker Level 20");
    EXPECT_EQ(f.KnobNBSQLB->ValueInner(), 51);
    EXPECT_EQ(f.IFShiftBBar->Position(), -120);
    EXPECT_EQ(f.IFShiftBBar->toolTip(), "-120 Hz");
    EXPECT_EQ(f.IFShiftBLabel->text(), "-120");
    EXPECT_TRUE(f.NotchBBar->isEnabled());
    EXPECT_EQ(f.NotchBBar->Position(), 90);
    EXPECT_EQ(f.NotchBBar->toolTip(), "900 Hz");
    EXPECT_EQ(f.NotchBLabel->text(), "900");
    EXPECT_TRUE(f.FT5KNotchBButton->Down());
    EXPECT_EQ(f.FT5KNotchBButton->toolTip(), "Manual Notch on");
    EXPECT_TRUE(f.DNRBBar->isEnabled());
    EXPECT_EQ(f.DNRBBar->toolTip(), "Noise Reduction Level 05");
    EXPECT_EQ(f.DNRBLabel->text(), "05");
    EXPECT_TRUE(f.FT5KDNRBButton->Down());
    EXPECT_EQ(f.FT5KDNRBButton->toolTip(), "Digital Noise Reduction on");
    EXPECT_TRUE(f.FT5KDNFBButton->Down());
    EXPECT_EQ(f.FT5KDNFBButton->toolTip(), "Digital Notch Filter (Auto Notch) on");
    // The main receiver's keys are not touched by the sub's reports.
    EXPECT_FALSE(f.FT5KNotchAButton->Down());
    EXPECT_FALSE(f.FT5KDNRAButton->Down());

    // A new filter range of B: range, position, width as hint and label; nothing sent.
    Fire(cat->OnFilterChange, uint8_t(1), int32_t(1800), uint8_t(0), uint8_t(18), uint8_t(9), uint8_t(5));
    EXPECT_EQ(f.FilterWidthBBar->Max(), 18);
    EXPECT_EQ(f.FilterWidthBBar->Position(), 9);
    EXPECT_EQ(f.FilterWidthBBar->toolTip(), "1800");
    EXPECT_EQ(f.FilterWidthBBar->TickMark().ShowImageAtSteps(), 1);
    EXPECT_EQ(f.FilterWidthBLabel->text(), "1800");
    Fire(cat->OnFrequency, uint8_t(1), int32_t(7074000));
    EXPECT_EQ(f.PanelFrequencyB->Frequency(), 7074000);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(FT5000Face, DSPKeyReportsPressTheirKeyAndChooseTheDisplay)
{
    TFTTransceiverPanel5000& f = *face;
    const struct {
        uint8_t AVFO;
        TDSPButton Button;
        TPanelSpeedButton* Key;
        TDisplayMode Mode; // dpmNone: the display keeps its mode
    } rows[] = {
        {0, btnSHIFT, f.FT5KShiftAButton, dpmNone},     {1, btnWIDTH, f.FT5KWidthBButton, dpmWidth},
        {0, btnCONTOUR_APF, f.FT5KContourAButton, dpmContour}, {1, btnNOTCH, f.FT5KNotchBButton, dpmNotch},
        {0, btnVRF_UTUNE, f.FT5KVRFAButton, dpmVRF},    {1, btnDNR, f.FT5KDNRBButton, dpmDNR},
        {0, btnDNF, f.FT5KDNFAButton, dpmNone},
    };
    for (const auto& r : rows) {
        TFTxSubdisplay* display = r.AVFO == 0 ? f.SubDisplayA : f.SubDisplayB;
        display->SetDisplayMode(dpmShift);
        for (bool on : {true, false}) {
            Fire(cat->OnDSPButton, r.AVFO, r.Button, on, btnNone);
            EXPECT_EQ(r.Key->Down(), on) << int(r.Button);
            EXPECT_EQ(display->DisplayMode(), r.Mode == dpmNone ? dpmShift : r.Mode) << int(r.Button);
        }
    }
    // A button beyond the known ones changes nothing.
    Fire(cat->OnDSPButton, uint8_t(0), TDSPButton(12), true, btnNone);
    EXPECT_EQ(f.SubDisplayA->DisplayMode(), dpmShift);
}

TEST_F(FT5000Face, VRFReportsMarkTheirOwnReceiversKey)
{
    TFTTransceiverPanel5000& f = *face;
    Fire(cat->OnVRF, vfoA, vrfTypeVRF, vrfStateOn, int32_t(140));
    EXPECT_TRUE(f.FT5KVRFAButton->Down());
    EXPECT_EQ(f.FT5KVRFAButton->toolTip(), "VRF on");
    EXPECT_FALSE(f.FT5KVRFBButton->Down());

    Fire(cat->OnVRF, vfoB, vrfuTuneTypeOn, vrfStateOn, int32_t(90));
    EXPECT_TRUE(f.FT5KVRFBButton->Down());
    EXPECT_EQ(f.FT5KVRFBButton->toolTip(), QStringLiteral("\u00b5Tuning on"));
    EXPECT_TRUE(f.VRFBBar->isEnabled());
    EXPECT_EQ(f.VRFBBar->Position(), 90);
    EXPECT_EQ(f.VRFBLabel->text(), "90");
    EXPECT_EQ(f.FTxDisplay->Display().VRFTypeB(), vrfuTuneTypeOn);

    Fire(cat->OnVRF, vfoB, vrfTypeVRF, vrfStateDefault, int32_t(128));
    EXPECT_FALSE(f.FT5KVRFBButton->Down());
    EXPECT_EQ(f.FT5KVRFBButton->toolTip(), "VRF off");
    EXPECT_FALSE(f.VRFBBar->isEnabled());
    EXPECT_TRUE(f.FT5KVRFAButton->Down());
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(FT5000Face, SubDialFunctionReportsSetTheFunctionKeys)
{
    TFTTransceiverPanel5000& f = *face;
    const struct {
        const char* Answer;
        bool Group, SDF1, SDF8;
        const char* Glyph;
        TDialMode Dial;
        bool Memory;
    } rows[] = {
        {"SF03;", false, true, false, "FT5K_OVAL_ORANGE", dmUpDown, true},
        {"SF07;", false, false, true, "FT5K_OVAL_ORANGE", dmWheel, false},
        {"SF00;", false, true, false, "FT5K_OVAL_RED", dmUpDown, false},
        {"SF08;", true, false, false, "FT5K_OVAL_RED", dmWheel, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Answer);
        radio(QString::fromLatin1(r.Answer));
        EXPECT_EQ(f.FT5KClarifierGroupButton->Down(), r.Group);
        EXPECT_EQ(f.SDF1Button->Down(), r.SDF1);
        EXPECT_EQ(f.SDF8Button->Down(), r.SDF8);
        EXPECT_EQ(f.SDF1Button->Glyph(), QString::fromLatin1(r.Glyph));
        EXPECT_EQ(f.VFOSub->DialMode(), r.Dial);
        EXPECT_EQ(f.MemoryChannelPanel->isVisibleTo(face), r.Memory);
        EXPECT_EQ(f.TuningPanelB->isVisibleTo(face), !r.Memory);
    }
}

TEST_F(FT5000Face, KeysAndKnobsFollowTheirReports)
{
    TFTTransceiverPanel5000& f = *face;
    Fire(cat->OnCAT, true);
    EXPECT_TRUE(f.CATButton->Down());
    EXPECT_EQ(f.CATButton->toolTip(), "CAT connected");
    Fire(cat->OnCAT, false);
    EXPECT_EQ(f.CATButton->toolTip(), "CAT not connected");

    Fire(cat->OnClassA, true);
    EXPECT_TRUE(f.FT5KClassAButton->Down());
    Fire(cat->OnRadioInformationClassA, false);
    EXPECT_FALSE(f.FT5KClassAButton->Down());
    Fire(cat->OnAntenna, uint8_t(0), ant3);
    EXPECT_EQ(f.FT5KAntennaButton->toolTip(), "Antenna 3");
    Fire(cat->OnAntenna, uint8_t(1), ant2); // B's antenna names no hint
    EXPECT_EQ(f.FT5KAntennaButton->toolTip(), "Antenna 3");
    Fire(cat->OnAntennaRX, uint8_t(1), true);
    EXPECT_EQ(f.FT5KAntennaRXButton->toolTip(), "RX Antenna on");
    Fire(cat->OnMeterSwitch, mtID);
    EXPECT_EQ(f.KnobMeterSwitch->ValueOuter(), 4);
    Fire(cat->OnMicGain, uint8_t(77));
    EXPECT_EQ(f.KnobMicPwr->ValueInner(), 77);
    Fire(cat->OnMonitorLevel, uint8_t(33));
    EXPECT_EQ(f.KnobMonitorProcessor->ValueInner(), 33);
    Fire(cat->OnVoxGain, int32_t(120));
    EXPECT_EQ(f.KnobVOXDelay->ValueInner(), 120);
    Fire(cat->OnProcessorLevel, uint8_t(128));
    EXPECT_EQ(f.ProcessorLevelBar->toolTip(), "Processor Level 50");
    EXPECT_EQ(f.ProcessorLevelLabel->text(), "50");
    Fire(cat->OnAttenuator, uint8_t(1), att12dB);
    EXPECT_EQ(f.FTxDisplay->Display().AttenuatorB(), att12dB);
}

TEST_F(FT5000Face, ValuesOutsideTheirEnumerationChangeNothing)
{
    TFTTransceiverPanel5000& f = *face;
    const QString contourHint = f.FT5KContourBButton->toolTip();
    const QString antennaHint = f.FT5KAntennaButton->toolTip();
    const QString vrfHint = f.FT5KVRFAButton->toolTip();
    Fire(cat->OnContour, uint8_t(1), TContour(7));
    Fire(cat->OnAntenna, uint8_t(0), TAntenna(9));
    Fire(cat->OnVRF, vfoA, TVRFType(4), vrfStateOn, int32_t(10));
    Fire(cat->OnVRF, vfoA, vrfTypeVRF, TVRFState(9), int32_t(10));
    Fire(cat->OnMeterSwitch, TMeterSwitch(40));
    Fire(cat->OnSubDialFunction, TSubDialFunction(60));
    Fire(cat->OnVFOSelect, TVFO(5));
    EXPECT_EQ(f.FT5KContourBButton->toolTip(), contourHint);
    EXPECT_FALSE(f.FT5KContourBButton->Down());
    EXPECT_EQ(f.FT5KAntennaButton->toolTip(), antennaHint);
    EXPECT_EQ(f.FT5KVRFAButton->toolTip(), vrfHint);
    EXPECT_FALSE(f.FT5KVRFAButton->Down());
    EXPECT_EQ(f.KnobMeterSwitch->ValueOuter(), 3);
    EXPECT_TRUE(f.SDF8Button->Down());
    EXPECT_TRUE(f.NotchABar->isVisibleTo(face));
    EXPECT_FALSE(f.NotchBBar->isVisibleTo(face));
}

TEST(FT5000FaceAlone, ReportsThatNeedTheEngineDoNothingWithoutIt)
{
    vx::Clock::useManual();
    {
        TestHost host;
        auto* f = new TFTTransceiverPanel5000(&host);
        f->CreateWnd();
        f->DoFTCATContour(1, conAPF);
        f->DoFTCATAPFOffset(1, 40);
        f->DoFTCATNoiseBlankerLevel(1, 99);
        f->DoFTCATContourLevel(0, 30);
        f->DoFTCATVFOSelect(vfoB);
        EXPECT_EQ(f->ContourLevelBBar->Max(), 40);
        EXPECT_EQ(f->ContourLevelBBar->Position(), 15);
        EXPECT_EQ(f->NoiseBlankerBBar->Position(), 0);
        EXPECT_EQ(f->SubDisplayB->DisplayMode(), dpmWidth);
        EXPECT_EQ(f->FT5KRXABLabels->Picture(), "FT5K_SLIDERS_A");
        // Handlers that only touch controls work at any time.
        f->DoFTCATCAT(true);
        EXPECT_TRUE(f->CATButton->Down());
        f->DoFTCATPowerControlWatt(50);
        EXPECT_EQ(f->SubDisplayB->DisplayText(), "50W");
    }
    vx::Clock::useSystem();
}
