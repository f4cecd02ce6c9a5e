// The FT-2000 face's behaviour: what it shows for each radio report where it differs from the
// common panel, the mode lamps, the sub dial's functions, the squelch switch, the clarifier
// knob, and that nothing happens without an engine or for values the radio cannot report.
#include "FT2000Fixture.h"
#include "core/cat/RX.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/PanelParts.h"

#include <QLabel>

using vxtest::Click;

namespace {

QString Knob(const TFTPanelKnob* k)
{
    return QStringLiteral("inner %1 outer %2").arg(k->ValueInner()).arg(k->ValueOuter());
}

} // namespace

TEST_F(FT2000Face, RadioReportsShowOnTheFacesOwnControls)
{
    // Each row starts from a fresh face: the lambdas reach it through the fixture.
    const struct {
        const char* Name;
        std::function<void()> Report;
        std::function<QString()> Shown;
        QString Expected;
    } rows[] = {
        {"sub AF gain", [&] { Fire(cat->OnAFGain, uint8_t(1), uint8_t(128)); },
         [&] { return QStringLiteral("%1 %2 %3").arg(face->AFGainBBar->Position()).arg(face->AFGainBBar->toolTip(), Knob(face->KnobAFGainRFGainB)); },
         "128 AF Gain Sub 50 inner 128 outer 255"},
        {"main AF gain leaves the sub bar", [&] { Fire(cat->OnAFGain, uint8_t(0), uint8_t(99)); },
         [&] { return QStringLiteral("%1 %2").arg(face->AFGainBBar->Position()).arg(Knob(face->KnobAFGainRFGainB)); },
         "0 inner 0 outer 255"},
        // The sub bar takes the exponential position exactly as the main bar does.
        {"sub RF gain",
         [&] {
             Fire(cat->OnRFGain, uint8_t(0), uint8_t(128));
             Fire(cat->OnRFGain, uint8_t(1), uint8_t(128));
         },
         [&] {
             return QStringLiteral("%1 %2 %3")
                 .arg(face->RFGainBBar->Position() == face->RFGainABar->Position())
                 .arg(face->RFGainBBar->toolTip(), Knob(face->KnobAFGainRFGainB));
         },
         "1 RF Gain Sub Receiver 50 inner 0 outer 128"},
        {"sub squelch", [&] { Fire(cat->OnSquelch, uint8_t(1), uint8_t(128)); },
         [&] { return QStringLiteral("%1 %2").arg(face->SquelchBBar->Position()).arg(face->SquelchBBar->toolTip()); },
         "128 Sub Squelch Level 50"},
        {"antenna 2", [&] { Fire(cat->OnAntenna, uint8_t(0), ant2); }, [&] { return face->AntennaButton->toolTip(); },
         "Antenna 2"},
        {"antenna 1", [&] { Fire(cat->OnAntenna, uint8_t(0), ant1); }, [&] { return face->AntennaButton->toolTip(); },
         "Antenna 1"},
        {"antenna 3 is not this radio's", [&] { Fire(cat->OnAntenna, uint8_t(0), ant3); },
         [&] { return face->AntennaButton->toolTip(); }, "Antenna 1/2"},
        {"antenna of VFO B", [&] { Fire(cat->OnAntenna, uint8_t(1), ant2); },
         [&] { return face->AntennaButton->toolTip(); }, "Antenna 1/2"},
        {"RX antenna", [&] { Fire(cat->OnAntennaRX, uint8_t(0), true); },
         [&] { return face->AntennaRXButton->toolTip(); }, "RX Antenna on"},
        {"contour on", [&] { Fire(cat->OnContour, uint8_t(0), conOn); }, [&] { return face->ContourButton->toolTip(); },
         "Contour on"},
        {"APF", [&] { Fire(cat->OnContour, uint8_t(0), conAPF); }, [&] { return face->ContourButton->toolTip(); },
         "APF on"},
        {"contour level while contour is on", [&] { radio(QStringLiteral("CO0001;")); Fire(cat->OnContourLevel, uint8_t(0), uint8_t(20)); },
         [&] { return Knob(face->KnobContourDNR); }, "inner 20 outer 128"},
        {"contour level while contour is off", [&] { Fire(cat->OnContourLevel, uint8_t(0), uint8_t(20)); },
         [&] { return Knob(face->KnobContourDNR); }, "inner 128 outer 128"},
        {"width", [&] { Fire(cat->OnFilterWidth, uint8_t(0), uint8_t(21)); }, [&] { return Knob(face->KnobShiftWidth); },
         "inner 128 outer 21"},
        {"IF shift", [&] { Fire(cat->OnIFShift, uint8_t(0), -250); }, [&] { return Knob(face->KnobShiftWidth); },
         "inner -250 outer 128"},
        {"frequency of VFO A", [&] { Fire(cat->OnFrequency, uint8_t(0), 14074000); },
         [&] { return QString::number(face->PanelFrequencyA->Frequency()); }, "14074000"},
        {"frequency of VFO B", [&] { Fire(cat->OnFrequency, uint8_t(1), 7025500); },
         [&] { return QStringLiteral("%1 %2").arg(face->PanelFrequencyB->Frequency()).arg(face->PanelFrequencyA->Frequency()); },
         "7025500 7000000"},
        {"VFO B tuning", [&] { Fire(cat->OnIsTuning, uint8_t(1), true); },
         [&] { return QStringLiteral("%1 %2").arg(face->PanelFrequencyB->IsTuning()).arg(face->PanelFrequencyA->IsTuning()); },
         "1 0"},
        {"meter switch", [&] { Fire(cat->OnMeterSwitch, mtALC); }, [&] { return Knob(face->KnobMeterSwitch); },
         "inner 128 outer 1"},
        {"mic gain", [&] { Fire(cat->OnMicGain, uint8_t(90)); }, [&] { return Knob(face->KnobMicPwr); }, "inner 90 outer 0"},
        {"power", [&] { Fire(cat->OnPowerControl, uint8_t(100)); }, [&] { return Knob(face->KnobMicPwr); },
         "inner 0 outer 100"},
        {"monitor level", [&] { Fire(cat->OnMonitorLevel, uint8_t(60)); }, [&] { return Knob(face->KnobMonitorProcessor); },
         "inner 60 outer 0"},
        {"noise reduction level", [&] { Fire(cat->OnNoiseReductionLevel, uint8_t(0), uint8_t(9)); },
         [&] { return Knob(face->KnobContourDNR); }, "inner 128 outer 9"},
        {"manual notch", [&] { Fire(cat->OnNotch, uint8_t(0), true); }, [&] { return face->NotchButton->toolTip(); },
         "Manual Notch on"},
        {"notch frequency", [&] { Fire(cat->OnNotchLevel, uint8_t(0), 150); }, [&] { return Knob(face->KnobNotchLevel); },
         "inner 128 outer 150"},
        {"processor level", [&] { Fire(cat->OnProcessorLevel, uint8_t(128)); },
         [&] { return face->ProcessorLevelBar->toolTip() + QLatin1Char('|') + face->ProcessorLevelLabel->text(); },
         "Processor Level 50|50"},
        {"resolution of VFO B", [&] { Fire(cat->OnResolution, uint8_t(1), 10); },
         [&] { return QStringLiteral("%1 %2").arg(face->PanelFrequencyB->Resolution()).arg(face->PanelFrequencyA->Resolution()); },
         "10 100"},
        {"VOX gain", [&] { Fire(cat->OnVoxGain, 77); }, [&] { return Knob(face->KnobVOXDelay); }, "inner 77 outer 0"},
        {"VRF off", [&] { Fire(cat->OnVRF, vfoA, vrfTypeVRF, vrfStateOff, 0); }, [&] { return face->VRFButton->toolTip(); },
         "VRF off"},
        {"VRF on", [&] { Fire(cat->OnVRF, vfoA, vrfTypeVRF, vrfStateOn, 0); }, [&] { return face->VRFButton->toolTip(); },
         "VRF on"},
        {"µ-tuning on", [&] { Fire(cat->OnVRF, vfoA, vrfuTuneTypeOn, vrfStateOn, 0); },
         [&] { return face->VRFButton->toolTip(); }, "\u00b5Tuning on"},
        {"VRF of VFO B", [&] { Fire(cat->OnVRF, vfoB, vrfTypeVRF, vrfStateOn, 0); },
         [&] { return face->VRFButton->toolTip(); }, "VRF"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        TearDown();
        SetUp();
        connect();
        r.Report();
        EXPECT_EQ(r.Shown(), r.Expected);
        EXPECT_EQ(sent, QStringList()); // a report is never sent back
    }
}

TEST_F(FT2000Face, ModeLampsLightTheSidebandWithCWRTTYAndPacket)
{
    // Lamps of LSB, USB, CW, AM/FM, RTTY and packet, and the two keys' pictures.
    const struct {
        TMode Mode;
        const char* Lamps;
        const char* AMFM;
        const char* PKT;
    } rows[] = {
        {mdLSB, "L.....", "FT2K_MODE_AMFM", "FT2K_MODE_PKT"},    {mdUSB, ".U....", "FT2K_MODE_AMFM", "FT2K_MODE_PKT"},
        {mdCW, ".UC...", "FT2K_MODE_AMFM", "FT2K_MODE_PKT"},     {mdCW_R, "L.C...", "FT2K_MODE_AMFM", "FT2K_MODE_PKT"},
        {mdAM, "...A..", "FT2K_MODE_AMFM", "FT2K_MODE_PKT"},     {mdFM, "...A..", "FT2K_MODE_AMFM_2", "FT2K_MODE_PKT"},
        {mdFM_N, "...A..", "FT2K_MODE_AMFM_2", "FT2K_MODE_PKT"}, {mdFSK, "L...R.", "FT2K_MODE_AMFM", "FT2K_MODE_PKT"},
        {mdFSK_R, ".U..R.", "FT2K_MODE_AMFM", "FT2K_MODE_PKT"},  {mdPKT_L, "L....P", "FT2K_MODE_AMFM", "FT2K_MODE_PKT"},
        {mdPKT_U, ".U...P", "FT2K_MODE_AMFM", "FT2K_MODE_PKT"},  {mdPKT_FM, ".....P", "FT2K_MODE_AMFM", "FT2K_MODE_PKT_2"},
    };
    const TPanelSpeedButton* keys[] = {face->ModeLSBButton,  face->ModeUSBButton,  face->ModeCWButton,
                                       face->ModeAMFMButton, face->ModeRTTYButton, face->ModePKTButton};
    const auto lamps = [&keys] {
        QString s;
        for (int i = 0; i < 6; ++i)
            s += keys[i]->Down() ? QLatin1Char("LUCARP"[i]) : QLatin1Char('.');
        return s;
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.Mode));
        Fire(cat->OnModeA, r.Mode);
        EXPECT_EQ(lamps(), QString::fromLatin1(r.Lamps));
        EXPECT_EQ(face->ModeAMFMButton->Glyph(), QString::fromLatin1(r.AMFM));
        EXPECT_EQ(face->ModePKTButton->Glyph(), QString::fromLatin1(r.PKT));
    }
    // A click leaves the lamps to the radio: the lit key stays lit though the mode does not
    // change and nothing new is reported.
    connect();
    radio(QStringLiteral("MD02;"));
    sent.clear();
    Click(face->ModeUSBButton);
    Click(face->ModeLSBButton);
    EXPECT_EQ(sent, (QStringList{"MK1;", "MK0;"}));
    EXPECT_EQ(lamps(), QStringLiteral(".U...."));

    // Back on VFO A after VFO B, the lamps show VFO A's mode again.
    radio(QStringLiteral("MD03;"));
    Fire(cat->OnModeA, mdLSB);
    radio(QStringLiteral("VS1;VS0;"));
    EXPECT_EQ(lamps(), QStringLiteral(".UC..."));
}

TEST_F(FT2000Face, SubDialWorksTheFunctionTheRadioReports)
{
    const struct {
        const char* Name;
        TSubDialFunction Function;
        const char* Frequencies; // radio answers before the turn
        int Step;
        QStringList Sent;
    } rows[] = {
        {"MHz of B up past 59", sdfMHzVFOB, "FB059500000;", 1, {"FB00500000;"}},
        {"MHz of B up past 59, raised to the lowest frequency", sdfMHzVFOB, "FB059010000;", 1, {"FB00030000;"}},
        {"MHz of B down past 0", sdfMHzVFOB, "FB000500000;", -1, {"FB59500000;"}},
        {"MHz of A up", sdfMHzVFOA, "FA014200000;", 1, {"FA15200000;"}},
        {"MHz of A down", sdfMHzVFOA, "FA014200000;", -1, {"FA13200000;"}},
        {"band of A", sdfBandVFOA, "", 1, {"BU0;"}},
        {"band of A down", sdfBandVFOA, "", -1, {"BD0;"}},
        {"band of B", sdfBandVFOB, "", -1, {"BD1;"}},
        {"memory channel", sdfMCH, "", 1, {"CH0;IF;OI;"}},
        {"memory group does nothing", sdfGRP, "", 1, {}},
        {"any other function tunes VFO B", sdfFastVFOB, "FB007025000;", 250, {"FB07025250;"}},
        {"a step of 0 moves nothing", sdfMHzVFOB, "FB007025000;", 0, {}},
        {"a step of 0 changes no band", sdfBandVFOA, "", 0, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        TearDown();
        SetUp();
        connect();
        radio(QString::fromLatin1(r.Frequencies));
        cat->PrepareRX();
        cat->SetSubDialFunction(r.Function);
        sent.clear();
        Fire(face->VFOSub->OnTuningStep, static_cast<QObject*>(face->VFOSub), r.Step);
        EXPECT_EQ(sent, r.Sent);
    }
}

TEST_F(FT2000Face, SubDialKeysSwitchTheDialBetweenWheelAndUpDown)
{
    TPanelSpeedButton* keys[] = {face->SDF1Button, face->SDF2Button, face->SDF3Button, face->SDF4Button,
                                 face->SDF5Button, face->SDF6Button, face->SDF7Button, face->SDF8Button};
    const auto allUp = [&keys] {
        for (TPanelSpeedButton* k : keys)
            k->SetDown(false);
    };
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i + 1);
        allUp();
        keys[i]->SetDown(true);
        face->UpdateVFOSubDialMode();
        EXPECT_EQ(face->VFOSub->DialMode(), i < 7 ? dmUpDown : dmWheel);
    }
    allUp();
    face->UpdateVFOSubDialMode();
    EXPECT_EQ(face->VFOSub->DialMode(), dmWheel);

    // A click sends the key's function and the dial follows the keys at once.
    connect();
    Click(face->SDF6Button);
    EXPECT_EQ(sent, QStringList{"SF5;"});
    EXPECT_EQ(face->VFOSub->DialMode(), dmUpDown);
    // A click on the lit key of the present function changes nothing: the key stays lit and
    // the dial stays in up/down mode.
    cat->PrepareRX();
    cat->SetSubDialFunction(sdfMHzVFOB);
    sent.clear();
    Click(face->SDF6Button);
    EXPECT_EQ(sent, QStringList());
    EXPECT_TRUE(face->SDF6Button->Down());
    EXPECT_EQ(face->VFOSub->DialMode(), dmUpDown);
    // The clarifier keys bring the dial back in line with the keys as well.
    face->SDF6Button->SetDown(false);
    sent.clear();
    Click(face->ClarifierRXButton);
    EXPECT_EQ(sent, QStringList{"RT1;"});
    EXPECT_EQ(face->VFOSub->DialMode(), dmWheel);
}

TEST_F(FT2000Face, SubDialPicturesAreLitForTheFunctionsOfVFOB)
{
    for (int v = sdfBandVFOA; v <= sdfCLAR; ++v) {
        SCOPED_TRACE(v);
        Fire(cat->OnSubDialFunction, TSubDialFunction(v));
        const bool off = v <= sdfMCH;
        EXPECT_EQ(face->SDFImage1->Picture(), off ? "FT2K_SDF_1_OFF" : "FT2K_SDF_1_ON");
        EXPECT_EQ(face->SDFImage2->Picture(), off ? "FT2K_SDF_2_OFF" : "FT2K_SDF_2_ON");
    }
    // The dial follows the keys the report put down.
    Fire(cat->OnSubDialFunction, sdfMHzVFOB);
    EXPECT_EQ(face->VFOSub->DialMode(), dmUpDown);
    Fire(cat->OnSubDialFunction, sdfAB);
    EXPECT_EQ(face->VFOSub->DialMode(), dmWheel);
}

TEST_F(FT2000Face, SquelchLabelSwitchesBetweenTheMainAndSubBars)
{
    connect();
    radio(QStringLiteral("SQ0064;SQ1128;"));
    TFTTransceiverPanel2000& f = *face;
    Click(f.SquelchALabel);
    EXPECT_EQ(f.SquelchALabel->text(), "SUB");
    EXPECT_FALSE(f.SquelchABar->isVisibleTo(face));
    EXPECT_TRUE(f.SquelchBBar->isVisibleTo(face));
    EXPECT_EQ(f.SquelchBBar->toolTip(), "Sub Squelch Level 50");
    Click(f.SquelchALabel);
    EXPECT_EQ(f.SquelchALabel->text(), "MAIN");
    EXPECT_TRUE(f.SquelchABar->isVisibleTo(face));
    EXPECT_FALSE(f.SquelchBBar->isVisibleTo(face));
    EXPECT_EQ(f.SquelchABar->toolTip(), "Main Squelch Level 25");
    // Both bars keep following the radio, whichever is shown.
    radio(QStringLiteral("SQ1200;"));
    EXPECT_EQ(f.SquelchBBar->Position(), 200);
    EXPECT_EQ(sent, QStringList());

    // The sub bars act on the sub receiver.
    stepUp(f.SquelchBBar);
    stepUp(f.AFGainBBar);
    EXPECT_EQ(sent, (QStringList{"SQ1201;", "AG1001;"}));
}

TEST_F(FT2000Face, ClarifierKnobAndAntennaKeys)
{
    connect();
    const auto turn = [this](int step) {
        Fire(face->FT2KClarifier->OnTuningStep, static_cast<QObject*>(face->FT2KClarifier), step);
    };
    turn(50);
    turn(-20);
    // A touch that does not turn the knob keeps the operator's offset.
    turn(0);
    EXPECT_EQ(sent, (QStringList{"RU0050;", "RD0020;"}));

    sent.clear();
    radio(QStringLiteral("AN01;"));
    Click(face->AntennaButton);
    radio(QStringLiteral("AN02;"));
    Click(face->AntennaButton);
    EXPECT_EQ(sent, (QStringList{"AN02;", "AN01;"}));

    sent.clear();
    Click(face->ContourButton);
    Click(face->NotchButton);
    Click(face->AntennaRXButton);
    vxtest::Click(face->KnobMeterSwitch, QPoint(80, 30));
    // Contour, manual notch, RX antenna and the meter knob's right half (SWR on to ID).
    EXPECT_EQ(sent, (QStringList{"CO0001;", "BP00001;", "AN05;", "MS4;"}));
}

TEST_F(FT2000Face, WithoutAnEngineEveryActionDoesNothing)
{
    face->SetFTCATInterface(nullptr);
    connect();
    TFTTransceiverPanel2000& f = *face;
    for (TPanelSpeedButton* b : {f.AntennaButton, f.AntennaRXButton, f.ContourButton, f.NotchButton, f.VRFButton,
                                 f.SDF6Button, f.ClarifierRXButton, f.ClarifierTXButton})
        Click(b);
    Fire(f.FT2KClarifier->OnTuningStep, static_cast<QObject*>(f.FT2KClarifier), 50);
    Fire(f.VFOSub->OnTuningStep, static_cast<QObject*>(f.VFOSub), 1);
    vxtest::Click(f.KnobMeterSwitch, QPoint(80, 30));
    stepUp(f.RFGainBBar);
    stepUp(f.AFGainBBar);
    Click(f.SquelchALabel);
    EXPECT_EQ(sent, QStringList());
    EXPECT_EQ(f.SquelchALabel->text(), "MAIN");
    EXPECT_TRUE(f.SquelchABar->isVisibleTo(face));
}

TEST_F(FT2000Face, ReportsOutsideTheirEnumerationsChangeNothing)
{
    TFTTransceiverPanel2000& f = *face;
    const auto state = [&f] {
        QString s;
        for (const TPanelSpeedButton* b : {f.ModeLSBButton, f.ModeUSBButton, f.ModeCWButton, f.ModeAMFMButton,
                                           f.ModeRTTYButton, f.ModePKTButton})
            s += QStringLiteral("%1 %2,").arg(b->Glyph()).arg(b->Down());
        return s + f.AntennaButton->toolTip() + f.ContourButton->toolTip() + f.VRFButton->toolTip() +
               f.SDFImage1->Picture() + f.SDFImage2->Picture() + Knob(f.KnobMeterSwitch);
    };
    const QString before = state();
    Fire(cat->OnAntenna, uint8_t(0), TAntenna(9));
    Fire(cat->OnContour, uint8_t(0), TContour(7));
    Fire(cat->OnModeA, TMode(30));
    Fire(cat->OnVRF, vfoA, TVRFType(4), vrfStateOn, 0);
    Fire(cat->OnVRF, vfoA, vrfTypeVRF, TVRFState(8), 0);
    Fire(cat->OnSubDialFunction, TSubDialFunction(40));
    Fire(cat->OnMeterSwitch, TMeterSwitch(12));
    EXPECT_EQ(state(), before);
}
