// The FT-950 face's radio events: the one readout, the TX mark and meter, the RX lamps, the
// DSP group's keys, the antenna hint, the knobs that show transmit levels and the sub dial's
// mode; none of them sends anything, and values outside the listed cases change nothing.
#include "FT950Fixture.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"

#include <QLabel>
#include <functional>

namespace {

// The keys of the DSP selection group that are down, by name.
QStringList PressedDSPKeys(const TFTTransceiverPanel950& f)
{
    QStringList out;
    const std::pair<const char*, TPanelSpeedButton*> keys[] = {{"shift", f.FT950ShiftButton},
                                                               {"width", f.FT950WidthButton},
                                                               {"contour", f.FT950ContourButton},
                                                               {"notch", f.FT950NotchButton},
                                                               {"uTune", f.FT950UTuneButton}};
    for (const auto& [name, key] : keys)
        if (key->Down())
            out << QString::fromLatin1(name);
    return out;
}

} // namespace

TEST_F(FT950Face, TheOneReadoutShowsTheVFOThatIsHeardOrTransmits)
{
    received([&] { cat->SetFrequency(0, 14195000); });
    received([&] { cat->SetFrequency(1, 7074000); });
    EXPECT_EQ(face->PanelFrequencyA->Frequency(), 14195000);

    const struct {
        const char* Name;
        TFunctionRX Receive;
        TVFO Transmit;
        int TXSet;
        int32_t Shown;
        bool TXMark;
    } rows[] = {
        {"receive A", frxARX_BOFF, vfoA, 0, 14195000, false},
        {"receive B only", frxAOff_BRX, vfoA, 0, 7074000, false},
        {"B muted", frxAOff_BMute, vfoA, 0, 7074000, false},
        {"TX set without split", frxARX_BOFF, vfoA, 1, 14195000, true},
        {"TX set while split", frxARX_BOFF, vfoB, 1, 7074000, true},
        {"transmitting split", frxARX_BOFF, vfoB, 2, 7074000, true},
        {"back on receive", frxARX_BOFF, vfoB, 0, 14195000, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        received([&] { cat->SetTXSet(0); });
        received([&] { cat->SetFunctionRX(r.Receive); });
        received([&] { cat->SetFunctionTX(r.Transmit); });
        received([&] { cat->SetTXSet(r.TXSet); });
        EXPECT_EQ(face->PanelFrequencyA->Frequency(), r.Shown);
        EXPECT_EQ(face->FTxDisplay->Display().TXSetA(), r.TXMark);
        EXPECT_EQ(face->PanelMeter->Transmitting(), r.TXSet == 2);
    }

    // A new frequency follows the same rule: while transmitting split, VFO B's.
    received([&] { cat->SetFrequency(1, 7075000); });
    received([&] { cat->SetTXSet(2); });
    received([&] { cat->SetFrequency(0, 14200000); });
    EXPECT_EQ(face->PanelFrequencyA->Frequency(), 7075000);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(FT950Face, TXSetDropsTheMetersAndOnlyBusyOfVFOAShows)
{
    Fire(cat->OnMeter, uint8_t(120));
    Fire(cat->OnSMeter, uint8_t(0), uint8_t(150));
    ASSERT_GT(face->PanelMeter->SMeterValue(), 0);
    received([&] { cat->SetTXSet(1); });
    EXPECT_EQ(face->PanelMeter->SMeterValue(), 0);
    EXPECT_EQ(face->PanelMeter->MeterValue(), 0);

    lcd::TDisplay& lcd = face->FTxDisplay->Display();
    Fire(cat->OnBusy, true, true);
    EXPECT_TRUE(lcd.BusyA());
    EXPECT_FALSE(lcd.BusyB());
    Fire(cat->OnBusy, false, true);
    EXPECT_FALSE(lcd.BusyA());
    EXPECT_FALSE(lcd.BusyB());
}

TEST_F(FT950Face, RXLampsShowWhichVFOIsHeardAndDualReceiveLeavesThem)
{
    const struct {
        TFunctionRX Value;
        TVFOState A, B;
    } rows[] = {
        {frxAMute_BOFF, vfoMute, vfoOff}, {frxAOff_BRX, vfoOff, vfoOn},  {frxARX_BRX, vfoOff, vfoOn},
        {frxAMute_BRX, vfoOff, vfoOn},    {frxAOff_BMute, vfoOff, vfoMute}, {frxARX_BOFF, vfoOn, vfoOff},
        {TFunctionRX(9), vfoOn, vfoOff},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.Value));
        Fire(cat->OnFunctionRX, r.Value);
        EXPECT_EQ(face->FunctionRXAButton->VFOState(), r.A);
        EXPECT_EQ(face->FunctionRXBButton->VFOState(), r.B);
    }
}

TEST_F(FT950Face, DSPGroupFollowsTheRadiosReports)
{
    TFTTransceiverPanel950& f = *face;
    const struct {
        const char* Name;
        std::function<void()> Report;
        QStringList Pressed;
    } steps[] = {
        {"DSP shift", [&] { Fire(cat->OnDSPButton, uint8_t(0), btnSHIFT, true, btnNone); }, {"shift"}},
        {"DSP notch", [&] { Fire(cat->OnDSPButton, uint8_t(0), btnNOTCH, true, btnNone); }, {"notch"}},
        {"DSP DNR", [&] { Fire(cat->OnDSPButton, uint8_t(0), btnDNR, true, btnNone); }, {"notch"}},
        {"DSP DNF", [&] { Fire(cat->OnDSPButton, uint8_t(0), btnDNF, false, btnNone); }, {"notch"}},
        {"DSP none", [&] { Fire(cat->OnDSPButton, uint8_t(0), btnNone, false, btnNone); }, {"notch"}},
        {"DSP width", [&] { Fire(cat->OnDSPButton, uint8_t(0), btnWIDTH, true, btnNone); }, {"width"}},
        {"DSP uTune", [&] { Fire(cat->OnDSPButton, uint8_t(0), btnVRF_UTUNE, true, btnNone); }, {"uTune"}},
        {"DSP contour", [&] { Fire(cat->OnDSPButton, uint8_t(0), btnCONTOUR_APF, true, btnNone); }, {"contour"}},
        {"contour off", [&] { received([&] { rx().SetContourA(conOn); }); received([&] { rx().SetContourA(conOff); }); },
         {}},
        {"APF", [&] { received([&] { rx().SetContourA(conAPF); }); }, {"contour"}},
        {"contour of VFO B", [&] { received([&] { rx().SetContourB(conOff); }); }, {"contour"}},
        {"notch on", [&] { received([&] { rx().SetNotchA(true); }); }, {"notch"}},
        {"notch of VFO B", [&] { received([&] { rx().SetNotchB(true); }); }, {"notch"}},
        {"notch off", [&] { received([&] { rx().SetNotchA(false); }); }, {}},
        {"uTune again", [&] { Fire(cat->OnDSPButton, uint8_t(0), btnVRF_UTUNE, true, btnNone); }, {"uTune"}},
        // A VRF report on: the key stays; off or as µTune: it is released.
        {"VRF on", [&] { Fire(cat->OnVRF, vfoA, vrfTypeVRF, vrfStateOn, int32_t(100)); }, {"uTune"}},
        {"VRF of VFO B off", [&] { Fire(cat->OnVRF, vfoB, vrfTypeVRF, vrfStateOff, int32_t(100)); }, {"uTune"}},
        {"uTune on", [&] { Fire(cat->OnVRF, vfoA, vrfuTuneTypeOn, vrfStateOn, int32_t(100)); }, {}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Name);
        s.Report();
        EXPECT_EQ(PressedDSPKeys(f), s.Pressed);
    }
    EXPECT_EQ(f.FT950UTuneButton->toolTip(), "\u00b5Tuning on");
    Fire(cat->OnDSPButton, uint8_t(0), btnVRF_UTUNE, true, btnNone);
    Fire(cat->OnVRF, vfoA, vrfTypeVRF, vrfStateOff, int32_t(0));
    EXPECT_EQ(f.FT950UTuneButton->toolTip(), "VRF off");
    EXPECT_FALSE(f.FT950UTuneButton->Down());
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(FT950Face, ContourAndNotchReportsNameTheirStateInTheKeysHint)
{
    TFTTransceiverPanel950& f = *face;
    const struct {
        std::function<void()> Report;
        TPanelSpeedButton* Key;
        const char* Hint;
    } rows[] = {
        {[&] { rx().SetContourA(conOn); }, f.FT950ContourButton, "Contour on"},
        {[&] { rx().SetContourA(conAPF); }, f.FT950ContourButton, "APF on"},
        {[&] { rx().SetContourA(conOff); }, f.FT950ContourButton, "Contour off"},
        {[&] { rx().SetNotchA(true); }, f.FT950NotchButton, "Manual Notch on"},
        {[&] { rx().SetNotchA(false); }, f.FT950NotchButton, "Manual Notch off"},
    };
    for (const auto& r : rows) {
        received(r.Report);
        EXPECT_EQ(r.Key->toolTip(), QString::fromLatin1(r.Hint));
    }
    // The common handlers enable the bars the keys focus.
    received([&] { rx().SetNotchA(true); });
    EXPECT_TRUE(f.NotchABar->isEnabled());
    received([&] { rx().SetContourA(conOn); });
    EXPECT_TRUE(f.ContourLevelABar->isEnabled());
}

TEST_F(FT950Face, AntennaReportsOfOneAndTwoNameTheKeyOthersKeepItsHint)
{
    const struct {
        uint8_t VFO;
        TAntenna Value;
        const char* Hint;
    } rows[] = {
        {0, ant2, "Antenna 2"}, {0, ant1, "Antenna 1"}, {0, ant3, "Antenna 1"},
        {0, ant4, "Antenna 1"}, {1, ant2, "Antenna 1"}, {0, TAntenna(7), "Antenna 1"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.Value));
        Fire(cat->OnAntenna, r.VFO, r.Value);
        EXPECT_EQ(face->AntennaButton->toolTip(), QString::fromLatin1(r.Hint));
    }
    EXPECT_EQ(face->FTxDisplay->Display().AntennaA(), ant4);
}

TEST_F(FT950Face, TransmitLevelsTurnTheirKnobsAndTheProcessorLevelIsItsOwnPercentage)
{
    TFTTransceiverPanel950& f = *face;
    Fire(cat->OnMicGain, uint8_t(77));
    EXPECT_EQ(f.KnobMicPwr->ValueOuter(), 77);
    Fire(cat->OnMonitorLevel, uint8_t(40));
    EXPECT_EQ(f.KnobMonitorProcessor->ValueOuter(), 40);
    Fire(cat->OnProcessorLevel, uint8_t(63));
    EXPECT_EQ(f.KnobMonitorProcessor->ValueOuter(), 63);
    EXPECT_EQ(f.ProcessorLevelBar->Position(), 63);
    EXPECT_EQ(f.ProcessorLevelBar->toolTip(), "Processor Level 63");
    EXPECT_EQ(f.ProcessorLevelLabel->text(), "63");
    EXPECT_TRUE(sent.isEmpty());
}
