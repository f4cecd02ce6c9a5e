// The FT-950 face's layout: every control at its place with its picture, hint, group and tab
// position, what it hides, that a second window creation gives the same layout and sends
// nothing, that every picture it asks for exists and its printed legends stay clear of the
// controls, and the offscreen render.
#include "FT950Fixture.h"
#include "FaceLegends.h"
#include "controls/widgets/ArtRegistry.h"
#include "panel/widgets/FT950Art.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTTransceiverPanel.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/TuningPanel3.h"

#include <QLabel>
#include <set>

TEST_F(FT950Face, KeysAtTheirPlacesWithTheirPicturesHintsAndGroups)
{
    TFTTransceiverPanel950& f = *face;
    EXPECT_EQ(f.size(), QSize(1019, 454));
    EXPECT_EQ(f.FTxImage->geometry(), QRect(0, 0, 1019, 454));
    EXPECT_EQ(f.FTxImage->Picture(), "FT950IMAGE");
    EXPECT_EQ(vx::art::Size(QStringLiteral("FT950IMAGE")), QSize(1019, 454));
    const struct {
        const char* Name;
        TPanelSpeedButton* Key;
        QRect Geometry;
        const char* Glyph;
        QSize Strip;
        const char* Hint;
        int Group;
        bool Enabled;
    } rows[] = {
#define K(n) #n, f.n
        // The face's own keys.
        {K(AntennaButton), {102, 39, 17, 18}, "FT950_BUTTON_ANT", {72, 19}, "Antenna 1/2", 0, true},
        {K(FT950MeterButton), {90, 205, 26, 13}, "FT950_BUTTON_MONI", {116, 16}, "Meter", 0, true},
        {K(FT950ShiftButton), {299, 147, 24, 16}, "FT950_BUTTON_SELECT", {100, 17}, "Select Shift", 631, true},
        {K(FT950WidthButton), {338, 147, 24, 16}, "FT950_BUTTON_SELECT", {100, 17}, "Select Width", 631, true},
        {K(FT950ContourButton), {377, 147, 24, 16}, "FT950_BUTTON_SELECT", {100, 17}, "Select Contour", 631, true},
        {K(FT950NotchButton), {299, 184, 24, 16}, "FT950_BUTTON_SELECT", {100, 17}, "Select Notch", 631, true},
        {K(FT950UTuneButton), {338, 184, 24, 16}, "FT950_BUTTON_SELECT", {100, 17}, "Select uTune", 631, true},
        {K(FT950ClearButton), {377, 184, 24, 16}, "FT950_BUTTON_CLEAR", {100, 17}, "Select Clear", 0, true},
        // Common keys as this face shows them.
        {K(PowerSwitchButton), {29, 42, 30, 54}, "FT950_POWER", {124, 55}, "Power Switch", 100, true},
        {K(MOXButton), {143, 43, 11, 11}, "FT950_BUTTON_MOX", {48, 11}, "MOX", 500, true},
        {K(VOXButton), {143, 88, 11, 11}, "FT950_BUTTON_MOX", {48, 11}, "VOX", 501, true},
        {K(AntennaTunerButton), {102, 85, 17, 18}, "FT950_BUTTON_ANT", {72, 19}, "Antenna Tuner", 0, true},
        {K(MonitorButton), {25, 145, 26, 13}, "FT950_BUTTON_MONI", {116, 16}, "Monitor", 0, true},
        {K(ProcessorButton), {68, 145, 26, 13}, "FT950_BUTTON_MONI", {116, 16}, "Speech Processor", 0, true},
        {K(CWSpotButton), {111, 145, 26, 13}, "FT950_BUTTON_MONI", {116, 16}, "CW Spot", 0, true},
        {K(BreakInButton), {154, 145, 26, 13}, "FT950_BUTTON_MONI", {116, 16}, "Break-In", 0, true},
        {K(KeyerButton), {197, 145, 26, 13}, "FT950_BUTTON_MONI", {116, 16}, "Keyer", 0, true},
        {K(QMBStoreButton), {426, 152, 25, 16}, "FT950_BUTTON_STO", {104, 17}, "QMB Store", 0, true},
        {K(QMBRecallButton), {458, 152, 27, 16}, "FT950_BUTTON_RCL", {112, 17}, "QMB Recall", 0, true},
        {K(NarrowButton), {436, 181, 36, 16}, "FT950_BUTTON_NAR", {148, 17}, "Narrow", 745, true},
        {K(SplitButton), {436, 207, 29, 16}, "FT950_BUTTON_SPLIT", {120, 17}, "Split", 300, true},
        {K(TXWatchButton), {436, 233, 30, 16}, "FT950_BUTTON_TXW", {124, 17}, "TX Watch", 300, true},
        {K(MenuButton), {436, 289, 59, 12}, "FT950_BUTTON_MENU", {240, 13}, "Menu dialog not available for the FT-950",
         0, false},
        {K(FastStepButton), {654, 152, 30, 16}, "FT950_BUTTON_FAST", {124, 17}, "Fast", 73196, true},
        {K(LockButton), {691, 152, 26, 16}, "FT950_BUTTON_LOCK", {108, 17}, "Lock", 701, true},
        {K(AToBButton), {669, 181, 37, 17}, "FT950_BUTTON_AB", {148, 17}, "VFO A to VFO B", 0, true},
        {K(SwapVFOButton), {676, 207, 30, 17}, "FT950_BUTTON_SWAP", {120, 17}, "Swap VFOs", 0, true},
        {K(VMButton), {675, 233, 30, 16}, "FT950_BUTTON_VM", {124, 17}, "VFO/Memory Mode", 0, true},
        {K(MemoryChannelToVFOAButton), {663, 259, 42, 16}, "FT950_BUTTON_MA", {172, 17}, "Memory Channel to VFO A", 0,
         true},
        {K(VFOAToMemoryButton), {649, 285, 56, 16}, "FT950_BUTTON_AM", {228, 17}, "VFO A to Memory Channel", 0, true},
        {K(NoiseBlankerButton), {798, 184, 41, 16}, "FT950_BUTTON_ATT", {168, 17}, "Noise Blanker", 0, true},
        {K(ClarifierRXButton), {863, 146, 33, 15}, "FT950_BUTTON_CLAR", {140, 17}, "RX Clarifier", 0, true},
        {K(ClarifierTXButton), {914, 146, 33, 15}, "FT950_BUTTON_CLAR", {140, 17}, "TX Clarifier", 0, true},
        {K(ClarifierClearButton), {963, 146, 33, 15}, "FT950_BUTTON_CLAR", {140, 17}, "Clear RX/TX Clarifier", 0,
         true},
        {K(AutoNotchAButton), {471, 318, 26, 11}, "FT950_BUTTON_F1", {108, 12}, "Digital Notch Filter (Auto Notch)", 0,
         true},
        {K(DNRAButton), {524, 318, 26, 11}, "FT950_BUTTON_F1", {108, 12}, "Digital Noise Reduction", 0, true},
        {K(F1Button), {23, 318, 26, 11}, "FT950_BUTTON_F1", {108, 12}, "", 0, true},
        {K(F5Button), {203, 318, 26, 11}, "FT950_BUTTON_F1", {108, 12}, "", 0, true},
        {K(SDF1Button), {859, 201, 18, 16}, "FT950_GRP", {76, 17}, "Band", 814, true},
        {K(SDF2Button), {859, 286, 18, 16}, "FT950_GRP", {76, 17}, "MHz", 814, true},
        {K(SDF3Button), {981, 201, 18, 16}, "FT950_GRP", {76, 17}, "Memory Group", 814, true},
        {K(SDF4Button), {981, 286, 18, 16}, "FT950_GRP", {76, 17}, "Memory Channel", 814, true},
        // Band keys (table of four rows) and the mode keys.
        {K(Band160Button), {761, 28, 39, 10}, "FT950_BAND_160", {160, 11}, "160m", 0, true},
        {K(Band80Button), {812, 28, 39, 10}, "FT950_BAND_80", {160, 11}, "80m", 0, true},
        {K(Band40Button), {864, 28, 39, 10}, "FT950_BAND_40", {160, 11}, "40m", 0, true},
        {K(Band30Button), {761, 51, 39, 10}, "FT950_BAND_30", {160, 11}, "30m", 0, true},
        {K(Band20Button), {812, 51, 39, 10}, "FT950_BAND_20", {160, 11}, "20m", 0, true},
        {K(Band17Button), {864, 51, 39, 10}, "FT950_BAND_17", {160, 11}, "17m", 0, true},
        {K(Band15Button), {761, 74, 39, 10}, "FT950_BAND_15", {160, 11}, "15m", 0, true},
        {K(Band12Button), {812, 74, 39, 10}, "FT950_BAND_12", {160, 11}, "12m", 0, true},
        {K(Band10Button), {864, 74, 39, 10}, "FT950_BAND_10", {160, 11}, "10m", 0, true},
        {K(BandGenButton), {761, 97, 39, 10}, "FT950_BAND_GEN", {160, 11}, "GEN", 0, true},
        {K(Band6Button), {812, 97, 39, 10}, "FT950_BAND_6", {160, 11}, "6m", 0, true},
        {K(EnterButton), {864, 97, 39, 10}, "FT950_BAND_ENT", {160, 11}, "Enter Frequency", 0, true},
        {K(ModeLSBButton), {923, 28, 20, 33}, "FT950_MODE_SSB", {84, 34}, "USB/LSB", 0, true},
        {K(ModeCWButton), {923, 74, 20, 33}, "FT950_MODE_CW", {84, 34}, "CW", 0, true},
        {K(ModeAMFMButton), {957, 28, 20, 33}, "FT950_MODE_AM", {84, 34}, "AM/FM", 0, true},
        {K(ModeRTTYButton), {957, 74, 20, 33}, "FT950_MODE_RTTY", {84, 34}, "RTTY/PKT", 0, true},
#undef K
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        const TPanelSpeedButton* b = r.Key;
        EXPECT_EQ(b->geometry(), r.Geometry);
        EXPECT_EQ(b->Glyph(), QString::fromLatin1(r.Glyph));
        EXPECT_EQ(vx::art::Size(b->Glyph()), r.Strip);
        EXPECT_EQ(vx::art::FrameCount(b->Glyph()), 4);
        EXPECT_EQ(b->NumGlyphs(), 4);
        EXPECT_EQ(b->Spacing(), 0);
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(r.Hint));
        EXPECT_EQ(b->GroupIndex(), r.Group);
        EXPECT_FALSE(b->Down());
        EXPECT_EQ(b->isEnabled(), r.Enabled);
        EXPECT_TRUE(b->isVisibleTo(face));
    }
    // The DSP, sub-dial and split groups each allow all keys up; the mode keys never latch.
    for (TPanelSpeedButton* b : {f.FT950ShiftButton, f.FT950UTuneButton, f.SDF1Button, f.SplitButton})
        EXPECT_TRUE(b->AllowAllUp());
    for (TPanelSpeedButton* b : {f.ModeLSBButton, f.ModeCWButton, f.ModeAMFMButton, f.ModeRTTYButton})
        EXPECT_FALSE(b->AllowAllUp());
    EXPECT_EQ(f.SDF4Button->Tag(), 3);
    EXPECT_EQ(f.EnterButton->Tag(), 0);
    EXPECT_EQ(f.BandGenButton->Tag(), 999);
    EXPECT_EQ(f.ModeRTTYButton->Tag(), 5);

    // The halves keys share the wide strip.
    const struct {
        TRCButton* Key;
        QPoint At;
    } halves[] = {{f.AGCButton, {240, 145}},
                  {f.AttenuatorButton, {739, 147}},
                  {f.IPOButton, {798, 147}},
                  {f.RoofingFilterButton, {739, 184}}};
    for (const auto& h : halves) {
        EXPECT_EQ(h.Key->pos(), h.At);
        EXPECT_EQ(h.Key->NumGlyphs(), 4);
        EXPECT_TRUE(h.Key->isVisibleTo(face));
    }
    EXPECT_EQ(f.AGCButton->size(), QSize(26, 13));
    EXPECT_EQ(f.AGCButton->Glyph(), "FT950_BUTTON_MONI");
    EXPECT_EQ(f.RoofingFilterButton->size(), QSize(41, 16));
    EXPECT_EQ(f.RoofingFilterButton->Glyph(), "FT950_BUTTON_ATT");
    EXPECT_EQ(f.RoofingFilterButton->toolTip(),
              "Roofing Filter. Click upper or lower button half to select Roofing Filter positions.");
}

TEST_F(FT950Face, DisplaysDialsKnobsAndLampsAtTheirPlacesAndWhatTheRadioLacksHidden)
{
    TFTTransceiverPanel950& f = *face;
    const struct {
        const char* Name;
        QWidget* Control;
        QPoint At;
        QWidget* Parent;
    } rows[] = {
#define C(n) #n, f.n
        {C(FTxDisplay), {179, 24}, face},          {C(PanelMeter), {183, 32}, face},
        {C(PanelFrequencyA), {385, 20}, f.FTxDisplay}, {C(PanelClarifier), {487, 67}, f.FTxDisplay},
        {C(VFOMain), {497, 145}, face},            {C(VFOSub), {882, 207}, face},
        {C(TuningPanelB), {612, 339}, face},       {C(MemoryChannelPanel), {612, 339}, face},
        {C(KnobAFGainRFGainA), {751, 227}, face},  {C(KnobMicPwr), {150, 189}, face},
        {C(KnobSpeedPitch), {229, 189}, face},     {C(KnobMonitorProcessor), {150, 259}, face},
        {C(KnobNBSQLA), {229, 259}, face},         {C(FunctionRXAButton), {448, 132}, face},
        {C(FunctionTXAButton), {661, 132}, face},  {C(FunctionRXBButton), {864, 177}, face},
        {C(FunctionTXBButton), {963, 177}, face},
#undef C
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Control->pos(), r.At);
        EXPECT_EQ(r.Control->parentWidget(), r.Parent);
    }
    EXPECT_EQ(f.FTxDisplay->Transceiver(), FT950);
    // The meter keeps the FT-2000 face, 155 wide, in the display's left end.
    EXPECT_EQ(f.PanelMeter->Transceiver(), FT2000);
    EXPECT_EQ(f.PanelMeter->size(), QSize(155, 81));
    EXPECT_EQ(f.PanelClarifier->DisplayType(), dtFT2K_Clarifier);
    EXPECT_EQ(f.VFOMain->DialType(), dtFT950_VFOA);
    EXPECT_EQ(f.VFOSub->DialType(), dtFT950_VFOB);
    EXPECT_EQ(f.VFOSub->DialMode(), dmWheel);
    EXPECT_EQ(f.TuningPanelB->width(), 393);
    EXPECT_EQ(f.MemoryChannelPanel->width(), 393);
    EXPECT_EQ(TFTTransceiverPanelBase::TabOrder(f.TuningPanelB), 99);
    EXPECT_TRUE(f.TuningPanelB->isVisibleTo(face));
    EXPECT_FALSE(f.MemoryChannelPanel->isVisibleTo(face));

    const struct {
        TFTPanelKnob* Knob;
        TKnobType Type;
        bool InnerRing;
        int Inner, Outer; // -1: not checked
    } knobs[] = {
        {f.KnobAFGainRFGainA, ktFT950_KNOB_AF, true, 0, 255}, {f.KnobMicPwr, ktFT2K_Knob1, false, -1, 0},
        {f.KnobSpeedPitch, ktFT2K_Knob1, false, -1, -1},      {f.KnobMonitorProcessor, ktFT2K_Knob1, false, -1, 0},
        {f.KnobNBSQLA, ktFT2K_Knob1, false, -1, 0},
    };
    for (const auto& k : knobs) {
        EXPECT_EQ(k.Knob->KnobType(), k.Type);
        EXPECT_EQ(k.Knob->ValueInnerEnabled(), k.InnerRing);
        if (k.Inner >= 0) {
            EXPECT_EQ(k.Knob->ValueInner(), k.Inner);
        }
        if (k.Outer >= 0) {
            EXPECT_EQ(k.Knob->ValueOuter(), k.Outer);
        }
    }
    EXPECT_EQ(f.KnobSpeedPitch->ValueOuterMin(), 4);
    EXPECT_EQ(f.KnobSpeedPitch->ValueOuterMax(), 60);

    ExpectStartLamps(f, FT950);

    for (QWidget* w : std::initializer_list<QWidget*>{f.PanelFrequencyB, f.KnobAFGainRFGainB, f.KnobVOXDelay,
                                                      f.DimmerSwitchButton, f.VFOSelectAButton, f.VFOSelectBButton,
                                                      f.ModeUSBButton, f.ModePKTButton, f.SDF5Button, f.SDF6Button,
                                                      f.SDF7Button, f.SDF8Button})
        EXPECT_FALSE(w->isVisibleTo(face)) << w->toolTip().toStdString();
}

TEST_F(FT950Face, AntennaKeyAppearsWithTheWindowAndSubDialKeysOfVFOBNeverDo)
{
    auto fresh = std::make_unique<TFTTransceiverPanel950>(host.get());
    EXPECT_FALSE(fresh->AntennaButton->isVisibleTo(fresh.get()));
    fresh->CreateWnd();
    EXPECT_TRUE(fresh->AntennaButton->isVisibleTo(fresh.get()));

    // Whatever the radio reports, the keys of a second receiver's sub dial stay out of sight.
    connect();
    for (const char* answer : {"SF0;", "SF4;", "SF7;", "SF8;", "SF3;"}) {
        radio(QString::fromLatin1(answer));
        for (TPanelSpeedButton* b : {face->SDF5Button, face->SDF6Button, face->SDF7Button, face->SDF8Button})
            EXPECT_FALSE(b->isVisibleTo(face)) << answer;
    }
}

TEST_F(FT950Face, BarsWithTheRadiosRangesInOneRowInTabOrder)
{
    TFTTransceiverPanel950& f = *face;
    const struct {
        const char* Name;
        TRCTrackBar* Bar;
        int Left, Min, Max, Page, Position, Steps, Tab;
        TColorStyle Style;
        const char* Hint;
        bool Enabled;
    } rows[] = {
#define T(n) #n, f.n
        {T(PowerControlBar), 13, 5, 100, 5, 5, 25, 1, scsRed, "RF Output Power 5W", true},
        {T(MicGainBar), 42, 0, 100, 5, 0, 25, 2, scsRed, "Mic Gain Level 0", true},
        {T(ProcessorLevelBar), 66, 0, 100, 32, 0, 25, 3, scsRed, "Processor Level 0", false},
        {T(VoxGainBar), 95, 0, 100, 5, 0, 25, 4, scsRed, "VOX Gain", true},
        {T(VoxDelayBar), 119, 3, 300, 10, 20, 50, 5, scsRed, "CW Break-In Delay Time", true},
        {T(MonitorBar), 148, 0, 255, 32, 0, 25, 6, scsRed, "", false},
        {T(KeySpeedBar), 190, 4, 60, 2, 25, 6, 7, scsRed, "25 WPM / 125 CPM", true},
        {T(KeyPitchBar), 214, 0, 15, 5, 10, 2, 8, scsRed, "800 Hz", true},
        {T(SquelchABar), 253, 0, 255, 16, 0, 25, 15, scsGreen, "Squelch Level", true},
        {T(RFGainABar), 276, 0, 255, 16, 255, 25, 11, scsGreen, "RF Gain Main Receiver", true},
        {T(AFGainABar), 300, 0, 255, 16, 0, 25, 13, scsGreen, "AF Gain Main Receiver", true},
        {T(IFShiftABar), 334, -1000, 1000, 10, 0, 200, 18, scsGreen, "IF Shift", true},
        {T(FilterWidthABar), 366, 0, 20, 2, 16, 4, 17, scsGreen, "IF Width", true},
        {T(ContourLevelABar), 398, 1, 30, 5, 15, 5, 24, scsGreen, "Contour Level", false},
        {T(NotchABar), 430, 1, 300, 10, 150, 50, 21, scsGreen, "Notch Level", false},
        {T(VRFABar), 462, 0, 255, 5, 128, 48, 28, scsGreen, "\u00b5Tune/VRF position", false},
        {T(NoiseBlankerABar), 494, 0, 255, 32, 0, 25, 9, scsGreen, "Noise Blanker Level", false},
        {T(DNRABar), 526, 1, 15, 2, 1, 2, 26, scsGreen, "Noise Reduction Level", false},
        {T(ClarifierBar), 564, -9999, 9999, 10, 0, 2000, 30, scsGreen, "Clarifier", true},
#undef T
    };
    std::set<int> tabs;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        const TRCTrackBar* b = r.Bar;
        EXPECT_EQ(b->geometry(), QRect(r.Left, 348, 22, 89));
        EXPECT_EQ(b->Min(), r.Min);
        EXPECT_EQ(b->Max(), r.Max);
        EXPECT_EQ(b->PageSize(), r.Page);
        EXPECT_EQ(b->Position(), r.Position);
        EXPECT_EQ(b->TickMark().ShowImageAtSteps(), r.Steps);
        EXPECT_EQ(TFTTransceiverPanelBase::TabOrder(b), r.Tab);
        EXPECT_EQ(b->ColorStyle(), r.Style);
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(r.Hint));
        EXPECT_EQ(b->isEnabled(), r.Enabled);
        EXPECT_TRUE(b->isVisibleTo(face));
        EXPECT_FALSE(b->UpdatingPosition());
        tabs.insert(r.Tab);
    }
    EXPECT_EQ(tabs.size(), 19u);
    // The keyboard walks them by number.
    EXPECT_EQ(f.NoiseBlankerABar->nextInFocusChain(), f.RFGainABar);
    EXPECT_EQ(f.FilterWidthABar->nextInFocusChain(), f.IFShiftABar);
    EXPECT_EQ(f.IFShiftABar->nextInFocusChain(), f.NotchABar);
}

TEST_F(FT950Face, ValueLabelsUnderTheBarsNeverTouch)
{
    TFTTransceiverPanel950& f = *face;
    const struct {
        const char* Name;
        QLabel* Label;
        int Left, Width;
        const char* Text;
    } rows[] = {
#define L(n) #n, f.n
        {L(PowerControlLabel), 11, 23, "5 W"},   {L(MicGainLabel), 43, 23, "0"},
        {L(ProcessorLevelLabel), 67, 23, "0"},   {L(VoxGainLabel), 91, 23, "0"},
        {L(VoxDelayLabel), 115, 23, "0"},        {L(MonitorLabel), 147, 23, "0"},
        {L(KeySpeedLabel), 194, 32, "25"},       {L(IFShiftALabel), 330, 33, "0"},
        {L(FilterWidthALabel), 360, 36, "800"},  {L(ContourLevelALabel), 394, 30, "1500"},
        {L(NotchALabel), 427, 28, "1500"},       {L(VRFALabel), 459, 28, "128"},
        {L(NoiseBlankerALabel), 493, 23, "0"},   {L(DNRALabel), 522, 28, "01"},
        {L(ClarifierLabel), 564, 30, "0 Hz"},
#undef L
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Label->pos(), QPoint(r.Left, 438));
        EXPECT_EQ(r.Label->width(), r.Width);
        EXPECT_EQ(r.Label->text(), QString::fromLatin1(r.Text));
        EXPECT_TRUE(r.Label->isVisibleTo(face));
        EXPECT_LE(r.Label->geometry().bottom(), 453);
    }
    EXPECT_EQ(f.KeyPitchLabel->pos(), QPoint(216, 438));
    EXPECT_EQ(f.KeyPitchLabel->text(), "800 Hz");
    EXPECT_EQ(f.KeyPitchLabel->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    // With the widest values the radio reports, no two texts shown side by side touch.
    connect();
    radio(QStringLiteral("PC100;MG100;PL100;VG100;KS060;KP15;IS0-1000;BP01300;RL015;"));
    received([&] {
        rx().SetContourA(conOn);
        rx().SetContourLevelA(30);
        cat->SetClarifierOffset(-9999);
    });
    Fire(cat->OnVoxDelay, int32_t(3000));
    Fire(cat->OnFilterChange, uint8_t(0), int32_t(2400), uint8_t(0), uint8_t(20), uint8_t(20), uint8_t(7));
    Fire(cat->OnMonitorLevel, uint8_t(255));
    Fire(cat->OnNoiseBlankerLevel, uint8_t(0), uint8_t(255));
    const QList<QPair<QRect, QString>> texts = ShownLabelTexts(*face);
    EXPECT_GE(texts.size(), 15);
    for (int i = 0; i < texts.size(); ++i)
        for (int j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(texts[i].first.adjusted(-1, 0, 1, 0).intersects(texts[j].first))
                << texts[i].second.toStdString() << " / " << texts[j].second.toStdString();
}

TEST_F(FT950Face, TheHostBuildsThisFaceOnceForTheFT950)
{
    TFTTransceiverPanel panelHost;
    panelHost.SetTransceiver(FTDX5000);
    panelHost.SetTransceiver(FT950);
    QPointer<TFTTransceiverPanelBase> built = panelHost.FTPanel();
    ASSERT_NE(qobject_cast<TFTTransceiverPanel950*>(built.data()), nullptr);
    EXPECT_EQ(panelHost.size(), QSize(1019, 454));
    EXPECT_EQ(built->FTxImage->Picture(), "FT950IMAGE");
    panelHost.SetTransceiver(FT950);
    EXPECT_EQ(panelHost.FTPanel(), built.data());
    EXPECT_EQ(panelHost.findChildren<TFTTransceiverPanelBase*>().size(), 1);
}

TEST_F(FT950Face, ASecondWindowCreationGivesTheSameLayoutAndSendsNothing)
{
    connect();
    host->show();
    const QStringList before = FaceLayout(*face);
    face->CreateWnd();
    EXPECT_EQ(FaceLayout(*face), before);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(FT950Face, PrintedLegendsStayClearOfTheControlsAndOfEachOther)
{
    host->show();
    const QList<faceart::TPrintedLegend> legends = FT950PrintedLegends();
    EXPECT_GE(legends.size(), 80);
    ExpectLegendsClearOfControls(*face, face->FTxImage, legends);
}

TEST_F(FT950Face, EveryPictureItAsksForIsDrawn)
{
    QStringList unknown;
    vx::art::SetUnknownNameHandler([&unknown](const QString& name) { unknown << name; });
    connect();
    radio(QStringLiteral("SF1;"));
    received([&] { cat->SetTXSet(1); });
    host->show();
    (void)RenderWidget(*face);
    radio(QStringLiteral("SF3;"));
    (void)RenderWidget(*face);
    vx::art::SetUnknownNameHandler(nullptr);
    EXPECT_EQ(unknown, QStringList());
}

TEST_F(FT950Face, SavesABusyFaceRender)
{
    connect();
    radio(QStringLiteral("FA14195000;FB07074000;MD02;AG0160;RG0230;SQ0030;PC100;MG050;KS025;KP12;NB01;NA01;"
                         "SM0160;MS3;AN02;"));
    // One radio answer each: some setters take only the next answer as the radio's.
    received([&] { rx().SetNotchA(true); });
    received([&] { rx().SetNotchLevelA(180); });
    received([&] { rx().SetIFShiftA(250); });
    received([&] { rx().SetNoiseReductionA(true); });
    received([&] { rx().SetNoiseReductionLevelA(7); });
    received([&] { cat->SetFastStepA(true); });
    received([&] { cat->SetClarifierRX(true); });
    received([&] { cat->SetClarifierOffset(150); });
    received([&] { cat->SetSubDialFunction(sdfMHzVFOA); });
    Fire(cat->OnPowerSwitch, true);
    Fire(cat->OnDSPButton, uint8_t(0), btnNOTCH, true, btnNone);
    Fire(cat->OnBusy, true, false);
    // The meter value drops the S-meter, as a meter report does.
    Fire(cat->OnMeter, uint8_t(90));
    Fire(cat->OnSMeter, uint8_t(0), uint8_t(160));
    Fire(cat->OnPowerControlWatt, uint8_t(100));
    Fire(cat->OnFilterChange, uint8_t(0), int32_t(2400), uint8_t(0), uint8_t(20), uint8_t(16), uint8_t(7));
    sent.clear();

    host->resize(face->size());
    host->show();
    for (const qreal ratio : {1.0, 2.0}) {
        QImage img(face->size() * ratio, QImage::Format_RGB32);
        img.setDevicePixelRatio(ratio);
        img.fill(Qt::magenta);
        face->render(&img);
        ASSERT_TRUE(SaveArtifact(img, ratio == 1.0 ? QStringLiteral("face-ft950.png") : QStringLiteral("face-ft950@2x.png")));
        if (ratio != 1.0)
            continue;
        EXPECT_EQ(img.size(), QSize(1019, 454));
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_NE(img.pixel(x, y), QColor(Qt::magenta).rgb()) << x << "," << y;
        // A dark panel where no control stands; the readout shows VFO A.
        EXPECT_LT(img.pixelColor(5, 300).value(), 70);
    }
    EXPECT_EQ(face->PanelFrequencyA->Frequency(), 14195000);
    EXPECT_TRUE(face->FT950NotchButton->Down());
    EXPECT_TRUE(face->SDF2Button->Down());
    EXPECT_TRUE(sent.isEmpty());
}
