// The FT-950 face's operator actions: what the antenna, meter, mode, DSP, Clear, RX lamp and
// sub-dial keys send on a connected link, the mode keys without a radio, the keyboard focus
// the DSP keys move, the sub dial by function, and that nothing is sent without an engine.
#include "FT950Fixture.h"
#include "core/cat/Tuning.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTxDisplay.h"

#include <functional>

using vxtest::Click;

TEST_F(FT950Face, MeterKeyStepsPastPOAndSendsNothingAtPO)
{
    connect();
    const struct {
        TMeterSwitch Now;
        QStringList Sent;
    } rows[] = {
        {mtCOMP, {"MS1;"}}, {mtALC, {"MS3;"}}, {mtSWR, {"MS4;"}},
        {mtID, {"MS5;"}},   {mtVDD, {"MS0;"}}, {mtPO, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.Now));
        received([&] { cat->SetMeterSwitch(r.Now); });
        sent.clear();
        Click(face->FT950MeterButton);
        EXPECT_EQ(sent, r.Sent);
        EXPECT_EQ(cat->MeterSwitch(), r.Now); // the radio's answer moves it
    }
}

TEST_F(FT950Face, AntennaKeyTogglesBetweenOneAndTwo)
{
    connect();
    const struct {
        TAntenna Now;
        const char* Sent;
    } rows[] = {{ant1, "AN02;"}, {ant2, "AN01;"}, {ant3, "AN01;"}, {ant4, "AN01;"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.Now));
        received([&] { cat->SetAntenna(0, r.Now); });
        sent.clear();
        Click(face->AntennaButton);
        EXPECT_EQ(sent, QStringList{QString::fromLatin1(r.Sent)});
    }
}

TEST_F(FT950Face, ModeKeysAlternateThroughTheRadiosModeKeyCommand)
{
    connect();
    TFTTransceiverPanel950& f = *face;
    const struct {
        TPanelSpeedButton* Key;
        const char* Sent;
        TModeKey After;
    } clicks[] = {
        {f.ModeCWButton, "MK2;", mkCW},    {f.ModeLSBButton, "MK0;", mkLSB}, {f.ModeLSBButton, "MK1;", mkUSB},
        {f.ModeLSBButton, "MK0;", mkLSB},  {f.ModeAMFMButton, "MK3;", mkAM}, {f.ModeAMFMButton, "MK4;", mkFM},
        {f.ModeRTTYButton, "MK5;", mkRTTY}, {f.ModeRTTYButton, "MK6;", mkPKT}, {f.ModeRTTYButton, "MK5;", mkRTTY},
        {f.ModeCWButton, "MK2;", mkCW},    {f.ModeAMFMButton, "MK3;", mkAM},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.Sent);
        sent.clear();
        Click(c.Key);
        EXPECT_EQ(sent, QStringList{QString::fromLatin1(c.Sent)});
        EXPECT_EQ(cat->ModeKey(), c.After);
        EXPECT_FALSE(c.Key->Down());
    }
}

TEST_F(FT950Face, ModeKeysWithoutARadioSetTheModeOfTheVFOInUseAtOnce)
{
    // Offline: the engine stores and reports the mode itself.
    received([&] { cat->SetMode(0, mdUSB); });
    received([&] { cat->SetMode(1, mdLSB); });
    received([&] { cat->SetVFOSelect(vfoB); });
    Click(face->ModeCWButton);
    EXPECT_EQ(cat->ModeB(), mdCW);
    EXPECT_EQ(face->FTxDisplay->Display().ModeB(), mdCW);
    EXPECT_EQ(cat->ModeA(), mdUSB);

    received([&] { cat->SetVFOSelect(vfoA); });
    Click(face->ModeRTTYButton);
    EXPECT_EQ(cat->ModeA(), mdFSK);
    Click(face->ModeAMFMButton);
    EXPECT_EQ(cat->ModeA(), mdAM);
    EXPECT_EQ(cat->ModeB(), mdCW);
    // No mode command went out (the engine asks for width and narrow of a new mode by itself).
    for (const QString& command : std::as_const(sent))
        EXPECT_FALSE(command.startsWith(QLatin1String("MD")) || command.startsWith(QLatin1String("MK"))) << command.toStdString();
}

TEST_F(FT950Face, DSPKeysPressTheGroupAndMoveTheFocusToTheirBar)
{
    TFTTransceiverPanel950& f = *face;
    showActive();
    Click(f.FT950ShiftButton);
    EXPECT_TRUE(f.IFShiftABar->hasFocus());
    EXPECT_TRUE(f.FT950ShiftButton->Down());

    // Width takes the focus: Shift lets go of it and of its key.
    Click(f.FT950WidthButton);
    EXPECT_TRUE(f.FilterWidthABar->hasFocus());
    EXPECT_TRUE(f.FT950WidthButton->Down());
    EXPECT_FALSE(f.FT950ShiftButton->Down());

    // A click on the pressed key releases it.
    Click(f.FT950WidthButton);
    EXPECT_FALSE(f.FT950WidthButton->Down());

    // The keyboard into and out of the bars.
    f.IFShiftABar->setFocus();
    EXPECT_TRUE(f.FT950ShiftButton->Down());
    f.NotchABar->setEnabled(true);
    f.NotchABar->setFocus();
    EXPECT_FALSE(f.FT950ShiftButton->Down());
    EXPECT_TRUE(f.FT950NotchButton->Down());
    f.VRFABar->setEnabled(true);
    f.VRFABar->setFocus();
    EXPECT_TRUE(f.FT950UTuneButton->Down());
    EXPECT_FALSE(f.FT950NotchButton->Down());
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(FT950Face, ContourNotchAndMicroTuneKeysSendTheirToggle)
{
    TFTTransceiverPanel950& f = *face;
    showActive();
    connect();
    received([&] { cat->SetMode(0, mdCW); });
    const struct {
        const char* Name;
        std::function<void()> State;
        TPanelSpeedButton* Key;
        QStringList Sent;
        QWidget* Focus; // where the focus goes, null: it stays on the power bar
    } rows[] = {
        {"contour off", [] {}, f.FT950ContourButton, {"CO0001;"}, nullptr},
        // Contour was on when clicked: its level bar takes the focus while the radio answers.
        {"contour on", [&] { rx().SetContourA(conOn); }, f.FT950ContourButton, {"CO0002;"}, f.ContourLevelABar},
        {"notch off", [] {}, f.FT950NotchButton, {"BP00001;"}, nullptr},
        {"notch on", [&] { rx().SetNotchA(true); }, f.FT950NotchButton, {"BP00000;"}, f.NotchABar},
        {"uTune", [] {}, f.FT950UTuneButton, {"VF00+0;"}, nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        received(r.State);
        f.PowerControlBar->setFocus();
        sent.clear();
        Click(r.Key);
        EXPECT_EQ(sent, r.Sent);
        EXPECT_EQ(QApplication::focusWidget(), r.Focus ? r.Focus : f.PowerControlBar);
    }
}

TEST_F(FT950Face, ContourWithoutARadioFocusesTheBarItJustEnabled)
{
    showActive();
    Click(face->FT950ContourButton);
    EXPECT_EQ(rx().ContourA(), conOn);
    EXPECT_TRUE(face->ContourLevelABar->hasFocus());
    EXPECT_TRUE(face->FT950ContourButton->Down());
}

TEST_F(FT950Face, ClearResetsWhatThePressedDSPKeySelects)
{
    TFTTransceiverPanel950& f = *face;
    // Values away from every reset value.
    received([&] { rx().SetIFShiftA(250); });
    received([&] { rx().SetContourLevelA(20); });
    received([&] { rx().SetNotchLevelA(200); });
    connect();
    const struct {
        const char* Name;
        TPanelSpeedButton* Pressed;
        TContour Contour;
        QStringList Sent;
    } rows[] = {
        {"shift", f.FT950ShiftButton, conOff, {"IS0-0000;"}},
        {"width", f.FT950WidthButton, conOff, {"SH000;"}},
        {"contour on", f.FT950ContourButton, conOn, {"CO0115;"}},
        {"contour off", f.FT950ContourButton, conOff, {}},
        {"APF", f.FT950ContourButton, conAPF, {}},
        {"notch", f.FT950NotchButton, conOff, {"BP01150;"}},
        {"uTune", f.FT950UTuneButton, conOff, {}},
        {"none", nullptr, conOff, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        received([&] { rx().SetContourA(r.Contour); });
        for (TPanelSpeedButton* b : {f.FT950ShiftButton, f.FT950WidthButton, f.FT950ContourButton,
                                     f.FT950NotchButton, f.FT950UTuneButton})
            b->SetDown(b == r.Pressed);
        sent.clear();
        Click(f.FT950ClearButton);
        EXPECT_EQ(sent, r.Sent);
    }
}

TEST_F(FT950Face, RXLampsSwitchBetweenTheVFOsWithoutDualReceive)
{
    connect();
    const struct {
        TFunctionRX Now;
        const char* LampA; // what a click on VFO A's lamp sends, "" nothing
        const char* LampB;
    } rows[] = {
        {frxARX_BOFF, "FR1;", "FR4;"},  {frxAMute_BOFF, "FR0;", "FR4;"}, {frxARX_BRX, "", ""},
        {frxAMute_BRX, "", ""},         {frxAOff_BRX, "FR0;", "FR5;"},   {frxAOff_BMute, "FR0;", "FR4;"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.Now));
        received([&] { cat->SetFunctionRX(r.Now); });
        for (const auto& [lamp, expected] : {std::pair{face->FunctionRXAButton, r.LampA},
                                             std::pair{face->FunctionRXBButton, r.LampB}}) {
            sent.clear();
            Click(lamp);
            EXPECT_EQ(sent.join(QString()), QString::fromLatin1(expected));
        }
        EXPECT_EQ(cat->FunctionRX(), r.Now);
    }
}

TEST_F(FT950Face, SubDialKeysSendTheirFunctionAndTurnTheDialIntoUpDownKeys)
{
    TFTTransceiverPanel950& f = *face;
    connect();
    const struct {
        TPanelSpeedButton* Key;
        QStringList Sent;
        TDialMode Mode;
    } clicks[] = {
        {f.SDF2Button, {"SF1;"}, dmUpDown},
        {f.SDF4Button, {"SF3;"}, dmUpDown},
        // The pressed key again: up, the radio keeps its function, the dial turns again.
        {f.SDF4Button, {"SF3;"}, dmWheel},
    };
    for (const auto& c : clicks) {
        sent.clear();
        Click(c.Key);
        EXPECT_EQ(sent, c.Sent);
        EXPECT_EQ(f.VFOSub->DialMode(), c.Mode);
    }
    // The radio's answer presses the key of its function.
    radio(QStringLiteral("SF0;"));
    EXPECT_TRUE(f.SDF1Button->Down());
    EXPECT_EQ(f.VFOSub->DialMode(), dmUpDown);
    radio(QStringLiteral("SF8;"));
    EXPECT_EQ(f.VFOSub->DialMode(), dmWheel);

    // A clarifier key recomputes the mode from the keys.
    f.SDF3Button->SetDown(true);
    sent.clear();
    Click(f.ClarifierRXButton);
    EXPECT_EQ(sent, QStringList{"RT1;"});
    EXPECT_EQ(f.VFOSub->DialMode(), dmUpDown);
}

TEST_F(FT950Face, SubDialStepsByTheRadiosSubDialFunction)
{
    connect();
    const struct {
        const char* Name;
        TSubDialFunction Function;
        int32_t FrequencyA;
        TFunctionRX Receive;
        int Step;
        QStringList Sent;
    } rows[] = {
        {"band up", sdfBandVFOA, 14000000, frxARX_BOFF, 1, {"BU0;"}},
        {"band down", sdfBandVFOA, 14000000, frxARX_BOFF, -1, {"BD0;"}},
        {"MHz up", sdfMHzVFOA, 14195000, frxARX_BOFF, 1, {"FA15195000;"}},
        {"MHz up from 59", sdfMHzVFOA, 59500000, frxARX_BOFF, 1, {"FA00500000;"}},
        {"MHz down from 0", sdfMHzVFOA, 500000, frxARX_BOFF, -1, {"FA59500000;"}},
        {"MHz step 0 goes down", sdfMHzVFOA, 14195000, frxARX_BOFF, 0, {"FA13195000;"}},
        {"memory channel up", sdfMCH, 14000000, frxARX_BOFF, 1, {"CH0;IF;OI;"}},
        {"memory channel down", sdfMCH, 14000000, frxARX_BOFF, -1, {"CH1;IF;OI;"}},
        {"memory group", sdfGRP, 14000000, frxARX_BOFF, 1, {}},
        {"clarifier up", sdfOff, 14000000, frxARX_BOFF, 20, {"RU0020;"}},
        {"clarifier down", sdfOff, 14000000, frxAMute_BOFF, -10, {"RD0010;"}},
        // A zero step would clear the clarifier.
        {"clarifier step 0", sdfOff, 14000000, frxARX_BOFF, 0, {}},
        {"VFO B alone", sdfOff, 14000000, frxAOff_BRX, 10, {"FB07030010;"}},
        {"VFO B muted", sdfOff, 14000000, frxAOff_BMute, -10, {"FB07039990;"}},
        {"VFO B band", sdfBandVFOB, 14000000, frxARX_BOFF, 1, {}},
        {"clarifier function", sdfCLAR, 14000000, frxARX_BOFF, 1, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        received([&] { cat->SetSubDialFunction(r.Function); });
        received([&] { cat->SetFrequency(0, r.FrequencyA); });
        // The dial tunes VFO B from where the last step left it; each row starts from the radio's.
        cat->Tuning()->SetIsTuningB(false);
        received([&] { cat->SetFrequency(1, r.Receive == frxAOff_BMute ? 7040000 : 7030000); });
        received([&] { cat->SetFunctionRX(r.Receive); });
        sent.clear();
        face->VFOSubTuningStep(face->VFOSub, r.Step);
        EXPECT_EQ(sent, r.Sent);
    }
}

TEST_F(FT950Face, WithoutAnEngineNothingIsSentWhileTheFocusKeysStillWork)
{
    connect();
    TestHost other;
    auto* lone = new TFTTransceiverPanel950(&other);
    lone->CreateWnd();
    other.show();
    QApplication::setActiveWindow(&other);
    for (TPanelSpeedButton* b : lone->findChildren<TPanelSpeedButton*>())
        if (b->isVisibleTo(lone) && b->isEnabled())
            Click(b);
    for (TRCButton* b : lone->findChildren<TRCButton*>())
        Click(b);
    for (int step : {-1, 0, 1})
        lone->VFOSubTuningStep(lone->VFOSub, step);
    EXPECT_TRUE(sent.isEmpty());

    Click(lone->FT950ShiftButton);
    EXPECT_TRUE(lone->IFShiftABar->hasFocus());
    EXPECT_TRUE(lone->FT950ShiftButton->Down());
    // The sub-dial keys still turn the dial into up/down keys.
    lone->SDF1Button->SetDown(true);
    lone->UpdateVFOSubDialMode();
    EXPECT_EQ(lone->VFOSub->DialMode(), dmUpDown);
}
