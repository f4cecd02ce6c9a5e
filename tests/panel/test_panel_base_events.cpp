// The front panel base's radio events: bars that follow the radio without sending, hints and
// labels, LCD state, meters, clarifier, sub-dial functions, and the band map, entry panel and
// tuning strip fed from the reports.
#include "PanelBaseFixture.h"
#include "core/cat/MemoryChannel.h"
#include "core/cat/RX.h"
#include "core/cat/TX.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <QLabel>

TEST_F(PanelBase, AReportedGainMovesTheBarAndSendsNothing)
{
    connect();
    radio(QStringLiteral("AG0128;"));
    EXPECT_EQ(panel->AFGainABar->Position(), 128);
    EXPECT_EQ(panel->AFGainABar->toolTip(), "AF Gain Main 50");
    EXPECT_EQ(panel->KnobAFGainRFGainA->ValueInner(), 128);
    EXPECT_FALSE(panel->AFGainABar->UpdatingPosition());
    // The sub receiver's gain is not the main bar's.
    radio(QStringLiteral("AG1200;"));
    EXPECT_EQ(panel->AFGainABar->Position(), 128);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(PanelBase, HintsAndLabelsOfTheReports)
{
    TFTTransceiverPanelBase& p = *panel;
    const struct {
        const char* Name;
        std::function<void()> Report;
        QWidget* Control;
        const char* Hint;
        QLabel* Label;
        const char* Text;
    } rows[] = {
        {"mic gain", [&] { Fire(cat->OnMicGain, uint8_t(128)); }, p.MicGainBar, "Mic Gain 50", p.MicGainLabel, "50"},
        {"monitor level", [&] { Fire(cat->OnMonitorLevel, uint8_t(255)); }, p.MonitorBar, "Monitor Level 100",
         p.MonitorLabel, "100"},
        {"key speed", [&] { Fire(cat->OnKeySpeed, 30); }, p.KeySpeedBar, "30 WPM / 150 CPM", p.KeySpeedLabel, "30"},
        {"VOX gain", [&] { Fire(cat->OnVoxGain, 64); }, p.VoxGainBar, "Vox Gain 25", p.VoxGainLabel, "25"},
        {"notch", [&] { Fire(cat->OnNotchLevel, uint8_t(0), 150); }, p.NotchABar, "1500 Hz", p.NotchALabel, "1500"},
        {"IF shift", [&] { Fire(cat->OnIFShift, uint8_t(0), -250); }, p.IFShiftABar, "-250 Hz", p.IFShiftALabel,
         "-250"},
        {"noise reduction", [&] { Fire(cat->OnNoiseReductionLevel, uint8_t(0), uint8_t(5)); }, p.DNRABar,
         "Noise Reduction Level 05", p.DNRALabel, "05"},
        {"noise blanker level", [&] { Fire(cat->OnNoiseBlankerLevel, uint8_t(0), uint8_t(77)); }, p.NoiseBlankerABar,
         "Noise Blanker Level 30", p.NoiseBlankerALabel, "30"},
        {"power", [&] { Fire(cat->OnPowerControlWatt, uint8_t(100)); }, p.PowerControlBar, "RF Output Power 100 W",
         p.PowerControlLabel, "100W"},
        {"squelch", [&] { Fire(cat->OnSquelch, uint8_t(0), uint8_t(255)); }, p.SquelchABar, "Main Squelch Level 100",
         nullptr, ""},
        {"RF gain", [&] { Fire(cat->OnRFGain, uint8_t(0), uint8_t(128)); }, p.RFGainABar,
         "RF Gain Main Receiver 50", nullptr, ""},
        {"filter", [&] { Fire(cat->OnFilterChange, uint8_t(0), 2400, uint8_t(0), uint8_t(31), uint8_t(16), uint8_t(7)); },
         p.FilterWidthABar, "2400 Hz", p.FilterWidthALabel, "2400"},
        {"attenuator", [&] { Fire(cat->OnAttenuator, uint8_t(0), att12dB); }, p.AttenuatorButton, "Attenuator 12dB",
         nullptr, ""},
        {"IPO", [&] { Fire(cat->OnIPO, uint8_t(0), ipo2); }, p.IPOButton, "IPO 2", nullptr, ""},
        {"AGC", [&] { Fire(cat->OnAGC, uint8_t(0), agcAutoMid); }, p.AGCButton, "AGC auto mid", nullptr, ""},
        {"tuner", [&] { Fire(cat->OnAntennaTuner, atStart); }, p.AntennaTunerButton, "Antenna Tuner started", nullptr,
         ""},
        {"noise blanker", [&] { Fire(cat->OnNoiseBlanker, uint8_t(0), nbWide); }, p.NoiseBlankerButton,
         "Noise Blanker wide", nullptr, ""},
        {"processor", [&] { Fire(cat->OnProcessor, pMicEq); }, p.ProcessorButton, "Microphone Equalizer on", nullptr,
         ""},
        {"auto notch", [&] { Fire(cat->OnAutoNotch, uint8_t(0), true); }, p.AutoNotchAButton,
         "Digital Notch Filter (Auto Notch) on", nullptr, ""},
        {"DNR", [&] { Fire(cat->OnNoiseReduction, uint8_t(0), true); }, p.DNRAButton, "Digital Noise Reduction on",
         nullptr, ""},
        {"break-in", [&] { Fire(cat->OnBreakIn, true); }, p.BreakInButton, "Break-In on", nullptr, ""},
        {"RX clarifier", [&] { Fire(cat->OnClarifierRX, false); }, p.ClarifierRXButton, "RX Clarifier off", nullptr,
         ""},
        {"fast step", [&] { Fire(cat->OnFastStepA, true); }, p.FastStepButton, "Fast Step on", nullptr, ""},
        {"TX watch", [&] { Fire(cat->OnTXWatch, true); }, p.TXWatchButton, "TX Watch on", nullptr, ""},
        {"dimmer", [&] { Fire(cat->OnDimmerSwitch, true); }, p.DimmerSwitchButton, "Dimmer on", nullptr, ""},
        {"CW spot", [&] { Fire(cat->OnCWSpot, true); }, p.CWSpotButton, "CW Spot on", nullptr, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        r.Report();
        EXPECT_EQ(r.Control->toolTip(), QString::fromUtf8(r.Hint));
        if (r.Label) {
            EXPECT_EQ(r.Label->text(), QString::fromUtf8(r.Text));
        }
    }
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(PanelBase, PowerReportsReachBarLabelAndHint)
{
    connect();
    radio(QStringLiteral("PC255;"));
    EXPECT_EQ(panel->PowerControlBar->Position(), 255);
    EXPECT_EQ(panel->PowerControlLabel->text(), "100W");
    EXPECT_EQ(panel->PowerControlBar->toolTip(), "RF Output Power 100 W");
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(PanelBase, MOXAndTransmitMetersZeroTheSMeters)
{
    connect();
    const auto meters = [&](int s, int sub, int tx) {
        Fire(cat->OnSMeter, uint8_t(0), uint8_t(s));
        Fire(cat->OnSMeter, uint8_t(1), uint8_t(sub));
        panel->PanelMeter->SetMeterValue(uint8_t(tx));
    };
    meters(200, 150, 90);
    radio(QStringLiteral("MX1;"));
    EXPECT_TRUE(panel->MOXButton->Down());
    EXPECT_EQ(panel->MOXButton->toolTip(), "MOX on");
    EXPECT_EQ(panel->PanelMeter->SMeterValue(), 0);
    EXPECT_EQ(panel->FTxDisplay->Display().SMeterValueB(), 0);
    EXPECT_EQ(panel->PanelMeter->MeterValue(), 90);

    meters(200, 150, 90);
    radio(QStringLiteral("MX0;"));
    EXPECT_EQ(panel->PanelMeter->MeterValue(), 0);
    EXPECT_EQ(panel->PanelMeter->SMeterValue(), 0);

    meters(200, 150, 0);
    Fire(cat->OnMeter, uint8_t(120));
    EXPECT_EQ(panel->PanelMeter->SMeterValue(), 0);
    EXPECT_EQ(panel->FTxDisplay->Display().SMeterValueB(), 0);
    EXPECT_EQ(panel->PanelMeter->MeterValue(), 120);
}

TEST_F(PanelBase, PowerOffReportedSetsTheLinkOfflineAndZeroesAllMeters)
{
    connect();
    EXPECT_TRUE(panel->PowerSwitchButton->Down());
    radio(QStringLiteral("SM0200;SM1150;RM1100;"));
    radio(QStringLiteral("PS0;"));
    EXPECT_EQ(cat->ComState(), csOffline);
    EXPECT_FALSE(panel->PowerSwitchButton->Down());
    EXPECT_EQ(panel->PowerSwitchButton->toolTip(), "Power Switch off");
    EXPECT_EQ(panel->PanelMeter->SMeterValue(), 0);
    EXPECT_EQ(panel->PanelMeter->MeterValue(), 0);
    EXPECT_EQ(panel->FTxDisplay->Display().SMeterValueB(), 0);
}

TEST_F(PanelBase, NewRangesSendNothingEvenWhenTheyMoveTheThumb)
{
    connect();
    // The width bar sits at 16; a range of 0 … 8 clamps it.
    Fire(cat->OnFilterChange, uint8_t(0), 500, uint8_t(0), uint8_t(8), uint8_t(20), uint8_t(3));
    EXPECT_EQ(panel->FilterWidthABar->Max(), 8);
    EXPECT_EQ(panel->FilterWidthABar->Position(), 8);
    EXPECT_EQ(panel->FTxDisplay->Display().FilterWidthBars(), 3);
    Fire(cat->OnFilterChange, uint8_t(0), 2400, uint8_t(4), uint8_t(31), uint8_t(2), uint8_t(9));
    EXPECT_EQ(panel->FilterWidthABar->Min(), 4);
    EXPECT_EQ(panel->FilterWidthABar->Position(), 4);

    // The operator's clarifier bar at 2000; the radio's range shrinks to 500.
    panel->ClarifierBar->SetPosition(2000);
    sent.clear();
    Fire(cat->OnClarifierRange, 500);
    EXPECT_EQ(panel->ClarifierBar->Min(), -500);
    EXPECT_EQ(panel->ClarifierBar->Max(), 500);
    EXPECT_EQ(panel->ClarifierBar->Position(), 500);
    EXPECT_EQ(panel->ClarifierBar->TickMark().ShowImageAtSteps(), 100);
    EXPECT_TRUE(sent.isEmpty());

    // And the operator's next moves still go out.
    stepUp(panel->FilterWidthABar);
    EXPECT_EQ(sent.size(), 1);
}

TEST_F(PanelBase, VFOBReportsOfNoiseBlankerNarrowAndAGCChangeOnlyTheLCD)
{
    lcd::TDisplay& lcd = panel->FTxDisplay->Display();
    const QString nbHint = panel->NoiseBlankerButton->toolTip();
    const QString agcHint = panel->AGCButton->toolTip();
    Fire(cat->OnNoiseBlanker, uint8_t(1), nbOn);
    Fire(cat->OnNarrow, uint8_t(1), true);
    Fire(cat->OnAGC, uint8_t(1), agcSlow);
    EXPECT_EQ(lcd.NoiseBlankerB(), nbOn);
    EXPECT_TRUE(lcd.NarrowB());
    EXPECT_EQ(lcd.AGCB(), agcSlow);
    EXPECT_EQ(panel->NoiseBlankerButton->toolTip(), nbHint);
    EXPECT_EQ(panel->AGCButton->toolTip(), agcHint);
    EXPECT_FALSE(panel->NarrowButton->Down());
    EXPECT_FALSE(panel->NoiseBlankerABar->isEnabled());
}

TEST_F(PanelBase, NoiseReductionLevelOfAIsIgnoredWhileBIsSelected)
{
    cat->PrepareRX();
    cat->SetVFOSelect(vfoB);
    Fire(cat->OnNoiseReductionLevel, uint8_t(0), uint8_t(9));
    EXPECT_EQ(panel->DNRABar->Position(), 1);
    EXPECT_EQ(panel->DNRALabel->text(), "01");
}

TEST_F(PanelBase, NarrowDisablesTheWidthBarOutsideCW)
{
    cat->PrepareRX();
    cat->SetModeA(mdUSB);
    Fire(cat->OnNarrow, uint8_t(0), true);
    EXPECT_TRUE(panel->NarrowButton->Down());
    EXPECT_EQ(panel->NarrowButton->toolTip(), "Narrow on");
    EXPECT_FALSE(panel->FilterWidthABar->isEnabled());
    cat->PrepareRX();
    cat->SetModeA(mdCW);
    Fire(cat->OnNarrow, uint8_t(0), true);
    EXPECT_TRUE(panel->FilterWidthABar->isEnabled());
}

TEST_F(PanelBase, TheDelayBarFollowsTheModesDelay)
{
    // CW shows the break-in delay, other modes the VOX delay.
    cat->PrepareRX();
    cat->TX()->SetCWBreakInDelay(300);
    cat->PrepareRX();
    cat->TX()->SetVoxDelay(500);
    cat->PrepareRX();
    cat->SetModeA(mdCW);
    EXPECT_EQ(panel->VoxDelayBar->toolTip(), "CW Break-In Delay Time 300 ms");
    EXPECT_EQ(panel->VoxDelayLabel->text(), "300");
    EXPECT_EQ(panel->VoxDelayBar->Position(), cat->TX()->VoxDelayPosition());
    cat->PrepareRX();
    cat->SetModeA(mdLSB);
    EXPECT_EQ(panel->VoxDelayBar->toolTip(), "Vox Delay 500 ms");
    EXPECT_EQ(panel->VoxDelayLabel->text(), "500");
    EXPECT_EQ(panel->KnobVOXDelay->ValueOuter(), cat->TX()->VoxDelayPosition());
    // A break-in delay report outside CW changes nothing.
    Fire(cat->OnCWBreakInDelay, 900);
    EXPECT_EQ(panel->VoxDelayLabel->text(), "500");
    EXPECT_EQ(panel->ModeAMFMButton->toolTip(), "AM");
    cat->PrepareRX();
    cat->SetModeA(mdFM_N);
    EXPECT_EQ(panel->ModeAMFMButton->toolTip(), "FM");
}

namespace {

// A face that counts its mode handler: selecting VFO A runs the face's override.
class CountingFace : public TFTTransceiverPanelBase {
public:
    using TFTTransceiverPanelBase::TFTTransceiverPanelBase;
    void DoFTCATModeA(TMode Mode) override
    {
        modes << Mode;
        TFTTransceiverPanelBase::DoFTCATModeA(Mode);
    }
    QList<TMode> modes;
};

} // namespace

TEST_F(PanelBase, SelectingVFOARefreshesTheModeThroughTheFacesOverride)
{
    auto* face = new CountingFace(host.get());
    face->CreateWnd();
    face->SetFTCATInterface(cat.get());
    cat->PrepareRX();
    cat->RX()->SetNarrow(1, true);
    cat->PrepareRX();
    cat->SetVFOSelect(vfoB);
    EXPECT_TRUE(face->VFOSelectBButton->Down());
    EXPECT_FALSE(face->VFOSelectAButton->Down());
    EXPECT_TRUE(face->NarrowButton->Down());
    EXPECT_TRUE(face->modes.isEmpty());
    cat->PrepareRX();
    cat->SetVFOSelect(vfoA);
    EXPECT_TRUE(face->VFOSelectAButton->Down());
    EXPECT_EQ(face->modes, QList<TMode>{cat->ModeA()});
    EXPECT_FALSE(face->NarrowButton->Down());
    EXPECT_EQ(face->NarrowButton->toolTip(), "Narrow off");
}

TEST_F(PanelBase, SubDialFunctionsEnablePressAndSwapTheStrip)
{
    TFTTransceiverPanelBase& p = *panel;
    TPanelSpeedButton* const sdf[] = {p.SDF1Button, p.SDF2Button, p.SDF3Button, p.SDF4Button,
                                      p.SDF5Button, p.SDF6Button, p.SDF7Button, p.SDF8Button};
    const auto state = [&] {
        QString s;
        for (TPanelSpeedButton* b : sdf)
            s += b->Down() ? QLatin1Char('D') : b->isEnabled() ? QLatin1Char('e') : QLatin1Char('-');
        return s;
    };
    const struct {
        TSubDialFunction Value;
        const char* Buttons; // D down, e enabled, - disabled
        bool MemoryPanel;
    } rows[] = {
        {sdfBandVFOA, "Deee---e", false}, {sdfMHzVFOA, "eDee---e", false}, {sdfGRP, "eeDe---e", false},
        {sdfMCH, "eeeD---e", true},       {sdfBandVFOB, "----DeeD", false}, {sdfMHzVFOB, "----eDeD", false},
        {sdfFastVFOB, "----eeDD", false}, {sdfAB, "----eeeD", false},      {sdfOff, "eeee---e", false},
        // A function the table does not name releases every key and leaves the rest.
        {sdfCLAR, "eeee---e", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.Value));
        Fire(cat->OnSubDialFunction, r.Value);
        EXPECT_EQ(state(), QString::fromLatin1(r.Buttons));
        EXPECT_EQ(p.MemoryChannelPanel->isVisibleTo(panel), r.MemoryPanel);
        EXPECT_EQ(p.TuningPanelB->isVisibleTo(panel), !r.MemoryPanel);
        EXPECT_EQ(p.PanelClarifier->VFOMemoryMode(), r.MemoryPanel ? vmMemoryMode : vmVFOMode);
    }
}

TEST_F(PanelBase, ValuesOutsideTheirEnumerationsChangeNothing)
{
    TFTTransceiverPanelBase& p = *panel;
    lcd::TDisplay& lcd = p.FTxDisplay->Display();
    Fire(cat->OnAttenuator, uint8_t(0), att6dB);
    Fire(cat->OnAGC, uint8_t(0), agcFast);
    Fire(cat->OnSubDialFunction, sdfMHzVFOA);
    const QString att = p.AttenuatorButton->toolTip();
    const QString ipo = p.IPOButton->toolTip();
    const QString nb = p.NoiseBlankerButton->toolTip();
    const QString proc = p.ProcessorButton->toolTip();
    const QString tuner = p.AntennaTunerButton->toolTip();

    Fire(cat->OnAttenuator, uint8_t(0), TAttenuator(9));
    Fire(cat->OnIPO, uint8_t(0), TIPO(9));
    Fire(cat->OnNoiseBlanker, uint8_t(0), TNoiseBlanker(9));
    Fire(cat->OnProcessor, TProcessor(9));
    Fire(cat->OnAntennaTuner, TAntennaTuner(9));
    Fire(cat->OnAGC, uint8_t(0), agcAuto); // a member without a hint of its own
    Fire(cat->OnAGC, uint8_t(0), TAGC(20));
    Fire(cat->OnModeA, TMode(40));
    Fire(cat->OnModeB, TMode(40));
    Fire(cat->OnFunctionTX, TVFO(7));
    Fire(cat->OnFunctionRX, TFunctionRX(9));
    Fire(cat->OnVFOSelect, TVFO(7));
    Fire(cat->OnSubDialFunction, TSubDialFunction(99));
    Fire(cat->OnMeterSwitch, TMeterSwitch(9));
    Fire(cat->OnVFOMemoryMode, TVFOMemoryMode(9));
    Fire(cat->OnVRF, vfoA, TVRFType(5), vrfStateOn, 10);

    EXPECT_EQ(p.AttenuatorButton->toolTip(), att);
    EXPECT_EQ(p.IPOButton->toolTip(), ipo);
    EXPECT_EQ(p.NoiseBlankerButton->toolTip(), nb);
    EXPECT_EQ(p.ProcessorButton->toolTip(), proc);
    EXPECT_EQ(p.AntennaTunerButton->toolTip(), tuner);
    EXPECT_EQ(p.AGCButton->toolTip(), "AGC fast");
    EXPECT_EQ(lcd.AttenuatorA(), att6dB);
    EXPECT_EQ(lcd.AGCA(), agcAuto);
    EXPECT_EQ(lcd.ModeA(), mdCW);
    EXPECT_EQ(lcd.ModeB(), mdCW);
    EXPECT_EQ(lcd.VFOMemoryMode(), vmVFOMode);
    EXPECT_EQ(p.FunctionTXAButton->VFOState(), vfoOff);
    EXPECT_TRUE(p.VFOSelectAButton->Down());
    EXPECT_TRUE(p.SDF2Button->Down());
    EXPECT_EQ(p.PanelMeter->MeterSwitch(), mtSWR);
    EXPECT_FALSE(p.VRFABar->isEnabled());
}

TEST_F(PanelBase, FrequencyBandLockAndSplitReachStripBandMapAndEntryPanel)
{
    RecordingBandmap map;
    RecordingLogPanel log;
    TDXSpots spots;
    panel->SetBandmap(&map);
    panel->SetLogPanel(&log);
    panel->SetDXSpots(&spots);
    EXPECT_EQ(panel->TuningPanelB->DXSpots(), &spots);
    connect();
    radio(QStringLiteral("FA014074000;FB021074000;BS05;"));
    EXPECT_EQ(panel->TuningPanelB->FrequencyA(), 14074000);
    EXPECT_EQ(panel->TuningPanelB->FrequencyB(), 21074000);
    EXPECT_TRUE(map.calls.contains("FrequencyA 14074000"));
    EXPECT_TRUE(map.calls.contains("FrequencyB 21074000"));
    EXPECT_TRUE(log.calls.contains("FrequencyA 14074000"));
    EXPECT_TRUE(log.calls.contains(QStringLiteral("BandA %1").arg(int(bd20))));
    EXPECT_TRUE(map.calls.contains(QStringLiteral("BandB %1").arg(int(bd15))));
    EXPECT_EQ(panel->TuningPanelB->BandB(), bd15);
    map.calls.clear();

    Fire(cat->OnBandSelect);
    Fire(cat->OnLockA, true);
    Fire(cat->OnFunctionTX, vfoB);
    EXPECT_EQ(map.calls, (QStringList{"Changed", "Lock 1", "Split 1"}));
    EXPECT_TRUE(panel->LockButton->Down());
    EXPECT_TRUE(panel->VFOMain->Lock());
    EXPECT_TRUE(panel->PanelFrequencyA->Lock());
    EXPECT_TRUE(panel->SplitButton->Down());
    EXPECT_TRUE(panel->TuningPanelB->Split());
    EXPECT_EQ(panel->FunctionTXAButton->VFOState(), vfoOff);
    EXPECT_EQ(panel->FunctionTXBButton->VFOState(), vfoOn);
}

TEST_F(PanelBase, ClarifierReportsUpdateReadoutLCDStripAndLabel)
{
    connect();
    cat->PrepareRX();
    cat->SetClarifierOffset(-120);
    panel->ClarifierBar->SetPosition(300);
    radio(QStringLiteral("RT1;"));
    EXPECT_TRUE(panel->PanelClarifier->ClarifierRX());
    EXPECT_EQ(panel->PanelClarifier->ClarifierOffset(), -120);
    EXPECT_TRUE(panel->FTxDisplay->Display().Clarifier());
    EXPECT_EQ(panel->TuningPanelB->ClarifierOffset(), -120);
    EXPECT_EQ(panel->ClarifierLabel->text(), "-120 Hz");
    EXPECT_EQ(panel->ClarifierRXButton->toolTip(), "RX Clarifier on");
    // Other offsets leave the bar where the operator put it; a cleared one recentres it.
    EXPECT_EQ(panel->ClarifierBar->Position(), 300);
    sent.clear();
    cat->PrepareRX();
    cat->SetClarifierOffset(0);
    EXPECT_EQ(panel->ClarifierBar->Position(), 0);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(PanelBase, FunctionLampsAndTransmitState)
{
    const struct {
        TFunctionRX Value;
        TVFOState A, B;
    } rows[] = {
        {frxARX_BOFF, vfoOn, vfoOff},   {frxAMute_BOFF, vfoMute, vfoOff}, {frxARX_BRX, vfoOn, vfoOn},
        {frxAMute_BRX, vfoMute, vfoOn}, {frxAOff_BRX, vfoOff, vfoOn},     {frxAOff_BMute, vfoOff, vfoMute},
    };
    for (const auto& r : rows) {
        Fire(cat->OnFunctionRX, r.Value);
        EXPECT_EQ(panel->FunctionRXAButton->VFOState(), r.A) << int(r.Value);
        EXPECT_EQ(panel->FunctionRXBButton->VFOState(), r.B) << int(r.Value);
    }

    // Transmitting while split lights B's TX set; the sub S-meter drops.
    connect();
    radio(QStringLiteral("FT1;SM1150;"));
    radio(QStringLiteral("TX2;"));
    EXPECT_TRUE(panel->FTxDisplay->Display().TXSetB());
    EXPECT_FALSE(panel->FTxDisplay->Display().TXSetA());
    EXPECT_EQ(panel->FTxDisplay->Display().SMeterValueB(), 0);
    EXPECT_TRUE(panel->PanelMeter->Transmitting());
    radio(QStringLiteral("FT0;TX1;"));
    EXPECT_TRUE(panel->FTxDisplay->Display().TXSetA());
    EXPECT_FALSE(panel->PanelMeter->Transmitting());
    radio(QStringLiteral("TX0;"));
    EXPECT_FALSE(panel->FTxDisplay->Display().TXSetA());
}

TEST_F(PanelBase, UpdateTransceiverPanelAppliesRangeAndMeterVisibility)
{
    cat->PrepareRX();
    cat->SetClarifierRange(1000);
    panel->PanelMeter->SetShowMeter(false);
    sent.clear();
    panel->UpdateTransceiverPanel();
    EXPECT_EQ(panel->ClarifierBar->Max(), 1000);
    EXPECT_EQ(panel->ClarifierBar->Min(), -1000);
    EXPECT_TRUE(panel->PanelMeter->ShowMeter());
    EXPECT_TRUE(sent.isEmpty());

    // A click on the meter switches the engine's meter readings, as the meter asks.
    Fire(panel->PanelMeter->OnShow, false);
    EXPECT_FALSE(cat->ShowMeter());
}

TEST_F(PanelBase, ContourMemoryChannelAndVRFReports)
{
    TFTTransceiverPanelBase& p = *panel;
    cat->PrepareRX();
    cat->RX()->SetContourLevelA(12);
    Fire(cat->OnContour, uint8_t(0), conOn);
    EXPECT_TRUE(p.ContourLevelABar->isEnabled());
    EXPECT_EQ(p.ContourLevelALabel->text(), "1200");
    EXPECT_EQ(p.FTxDisplay->Display().Contour(), conOn);
    cat->PrepareRX();
    cat->RX()->SetContourA(conOn);
    Fire(cat->OnContourLevel, uint8_t(0), uint8_t(20));
    EXPECT_EQ(p.ContourLevelABar->toolTip(), "Contour Level 2000 Hz");
    EXPECT_EQ(p.ContourLevelALabel->text(), "2000");
    EXPECT_EQ(p.FTxDisplay->Display().ContourLevel(), 20);
    Fire(cat->OnContour, uint8_t(0), conAPF);
    EXPECT_FALSE(p.ContourLevelABar->isEnabled());
    EXPECT_TRUE(p.ContourLevelALabel->text().isEmpty());

    Fire(cat->OnMemoryChannel, cat->MemoryChannel());
    const int n = cat->MemoryChannel()->ChannelNo();
    EXPECT_EQ(p.MemoryChannelToVFOAButton->toolTip(), QStringLiteral("Memory Channel %1 to VFO A").arg(n));
    EXPECT_EQ(p.VFOAToMemoryButton->toolTip(), QStringLiteral("VFO A to Memory Channel %1").arg(n));
    cat->PrepareRX();
    cat->SetVFOMemoryMode(vmQMB);
    Fire(cat->OnMemoryChannel, cat->MemoryChannel());
    EXPECT_EQ(p.QMBRecallButton->toolTip(), QStringLiteral("QMB Recall Channel %1").arg(n));
    EXPECT_EQ(p.QMBStoreButton->toolTip(), QStringLiteral("QMB Store Channel %1").arg(n));
    EXPECT_EQ(p.PanelClarifier->VFOMemoryMode(), vmQMB);

    Fire(cat->OnVRF, vfoA, vrfuTuneTypeOn, vrfStateOn, 140);
    EXPECT_TRUE(p.VRFABar->isEnabled());
    EXPECT_EQ(p.VRFABar->Position(), 140);
    EXPECT_EQ(p.VRFALabel->text(), "140");
    Fire(cat->OnVRF, vfoB, vrfTypeVRF, vrfStateOff, 10);
    EXPECT_EQ(p.VRFABar->Position(), 140);
    EXPECT_TRUE(sent.isEmpty());
}
