// The FT-2000 face: its controls at their places with their pictures, hints and tab order,
// the pictures it asks for, readable value labels, and the busy offscreen render.
#include "FT2000Fixture.h"
#include "FaceLegends.h"
#include "controls/widgets/ArtRegistry.h"
#include "panel/widgets/FT2000Art.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <QLabel>

namespace {

// A key's picture strip exists, holds the key's frames and each frame is the key's size.
template <typename Key>
void ExpectStripFits(const Key* key)
{
    ASSERT_TRUE(vx::art::Has(key->Glyph())) << key->Glyph().toStdString();
    EXPECT_EQ(vx::art::FrameCount(key->Glyph()), key->NumGlyphs());
    EXPECT_EQ(vx::art::FrameSize(key->Glyph()), key->size());
}

// Where a label's text is painted.
QRect TextExtent(const QLabel* l)
{
    const int w = l->fontMetrics().horizontalAdvance(l->text());
    int left = l->x();
    if (l->alignment() & Qt::AlignHCenter)
        left += (l->width() - w) / 2;
    else if (l->alignment() & Qt::AlignRight)
        left += l->width() - w;
    return QRect(left, l->y(), w, l->height());
}

} // namespace

TEST_F(FT2000Face, KeysAtTheirPlacesWithTheirPicturesAndHints)
{
    TFTTransceiverPanel2000& f = *face;
    const struct {
        const char* Name;
        TPanelSpeedButton* Button;
        QRect Geometry;
        const char* Glyph;
        int Glyphs;
        const char* Hint;
    } rows[] = {
#define K(n) #n, f.n
        {K(Band160Button), {710, 143, 29, 17}, "FT2K_BAND_160", 4, "160m"},
        {K(Band80Button), {750, 143, 29, 17}, "FT2K_BAND_80", 4, "80m"},
        {K(Band40Button), {790, 143, 29, 17}, "FT2K_BAND_40", 4, "40m"},
        {K(Band30Button), {710, 166, 29, 17}, "FT2K_BAND_30", 4, "30m"},
        {K(Band20Button), {750, 166, 29, 17}, "FT2K_BAND_20", 4, "20m"},
        {K(Band17Button), {790, 166, 29, 17}, "FT2K_BAND_17", 4, "17m"},
        {K(Band15Button), {710, 189, 29, 17}, "FT2K_BAND_15", 4, "15m"},
        {K(Band12Button), {750, 189, 29, 17}, "FT2K_BAND_12", 4, "12m"},
        {K(Band10Button), {790, 189, 29, 17}, "FT2K_BAND_10", 4, "10m"},
        {K(BandGenButton), {710, 212, 29, 17}, "FT2K_BAND_GEN", 4, "GEN"},
        {K(Band6Button), {750, 212, 29, 17}, "FT2K_BAND_6", 4, "6m"},
        {K(EnterButton), {790, 212, 29, 17}, "FT2K_BAND_ENT", 4, "Enter Frequency"},
        {K(ModeLSBButton), {386, 172, 26, 14}, "FT2K_MODE_LSB", 4, "LSB"},
        {K(ModeUSBButton), {386, 194, 26, 14}, "FT2K_MODE_USB", 4, "USB"},
        {K(ModeCWButton), {386, 217, 26, 14}, "FT2K_MODE_CW", 4, "CW"},
        {K(ModeAMFMButton), {386, 241, 26, 14}, "FT2K_MODE_AMFM", 4, "AM/FM"},
        {K(ModeRTTYButton), {386, 264, 26, 14}, "FT2K_MODE_RTTY", 4, "RTTY"},
        {K(ModePKTButton), {386, 287, 26, 14}, "FT2K_MODE_PKT", 4, "Packet"},
        {K(AntennaButton), {33, 101, 21, 21}, "FT2K_BTN_TUNE", 4, "Antenna 1/2"},
        {K(AntennaRXButton), {58, 101, 21, 21}, "FT2K_BTN_TUNE", 4, "RX Antenna"},
        {K(AntennaTunerButton), {8, 101, 21, 21}, "FT2K_BTN_TUNE", 4, "Antenna Tuner"},
        {K(AToBButton), {646, 174, 35, 17}, "FT2K_BTN_A2B", 4, "VFO A to VFO B"},
        {K(AutoNotchAButton), {909, 71, 29, 17}, "FT2K_BTN", 4, "Digital Notch Filter (Auto Notch)"},
        {K(BreakInButton), {182, 178, 29, 17}, "FT2K_BTN", 4, "Break-In"},
        {K(ClarifierClearButton), {708, 309, 29, 17}, "FT2K_BTN", 4, "Clear RX/TX Clarifier"},
        {K(ClarifierRXButton), {708, 256, 29, 17}, "FT2K_BTN", 4, "RX Clarifier"},
        {K(ClarifierTXButton), {708, 282, 29, 17}, "FT2K_BTN", 4, "TX Clarifier"},
        {K(ContourButton), {909, 123, 29, 17}, "FT2K_BTN", 4, "Contour"},
        {K(CustomSettingButton), {424, 307, 59, 12}, "FT2K_BTN_CS", 4, "not supported"},
        {K(CWSpotButton), {182, 213, 29, 17}, "FT2K_BTN", 4, "CW Spot"},
        {K(DimmerSwitchButton), {46, 16, 31, 20}, "FT2K_BTN_DIM", 4, "Dimmer"},
        {K(DisplayButton), {333, 310, 29, 15}, "FT2K_BTN_F1", 4, "not supported"},
        {K(DNRAButton), {909, 155, 29, 17}, "FT2K_BTN", 4, "Digital Noise Reduction"},
        {K(F1Button), {39, 310, 29, 15}, "FT2K_BTN_F1", 4, ""},
        {K(F2Button), {81, 310, 29, 15}, "FT2K_BTN_F1", 4, ""},
        {K(F3Button), {123, 310, 29, 15}, "FT2K_BTN_F1", 4, ""},
        {K(F4Button), {165, 310, 29, 15}, "FT2K_BTN_F1", 4, ""},
        {K(F5Button), {207, 310, 29, 15}, "FT2K_BTN_F1", 4, ""},
        {K(F6Button), {249, 310, 29, 15}, "FT2K_BTN_F1", 4, "not supported"},
        {K(F7Button), {291, 310, 29, 15}, "FT2K_BTN_F1", 4, "not supported"},
        {K(FastStepButton), {632, 150, 26, 16}, "FT2K_BTN_FAST", 4, "Fast"},
        {K(KeyerButton), {123, 139, 29, 17}, "FT2K_BTN", 4, "Keyer"},
        {K(LockButton), {667, 150, 26, 16}, "FT2K_BTN_LOCK", 4, "Lock"},
        {K(MemoryChannelToVFOAButton), {651, 250, 29, 16}, "FT2K_BTN_MA", 4, "Memory Channel to VFO A"},
        {K(MenuButton), {620, 307, 59, 12}, "FT2K_BTN_MENU", 2, "FT-2000 Transceiver Menu"},
        {K(MonitorButton), {38, 139, 29, 17}, "FT2K_BTN", 4, "Monitor"},
        {K(MOXButton), {9, 56, 27, 17}, "FT2K_BTN_LED", 4, "MOX"},
        {K(NarrowButton), {424, 226, 23, 16}, "FT2K_BTN_NAR", 4, "Narrow"},
        {K(NoiseBlankerButton), {333, 139, 29, 17}, "FT2K_BTN", 4, "Noise Blanker"},
        {K(NotchButton), {909, 48, 29, 17}, "FT2K_BTN", 4, "Manual Notch"},
        {K(PowerSwitchButton), {6, 16, 33, 19}, "FT2K_BTN_POWER", 4, "Power Switch"},
        {K(ProcessorButton), {81, 139, 29, 17}, "FT2K_BTN", 4, "Speech Processor"},
        {K(QMBRecallButton), {424, 198, 25, 16}, "FT2K_BTN_RCL", 4, "QMB Recall"},
        {K(QMBStoreButton), {424, 174, 34, 16}, "FT2K_BTN_STO", 4, "QMB Store"},
        {K(SDF1Button), {840, 219, 36, 16}, "FT2K_BTN_SDF1", 4, "Band"},
        {K(SDF2Button), {840, 246, 23, 16}, "FT2K_BTN_SDF2", 4, "MHz"},
        {K(SDF3Button), {840, 273, 25, 16}, "FT2K_BTN_SDF3", 4, "Memory Group"},
        {K(SDF4Button), {840, 300, 44, 16}, "FT2K_BTN_SDF4", 4, "Memory Channel"},
        {K(SDF5Button), {970, 219, 35, 16}, "FT2K_BTN_SDF5", 4, "Band"},
        {K(SDF6Button), {983, 246, 22, 16}, "FT2K_BTN_SDF6", 4, "MHz"},
        {K(SDF7Button), {982, 273, 23, 16}, "FT2K_BTN_SDF7", 4, "Fast"},
        {K(SDF8Button), {964, 300, 41, 16}, "FT2K_BTN_SDF8", 4, "A/B"},
        {K(SplitButton), {424, 250, 28, 16}, "FT2K_BTN_SPLIT", 4, "Split"},
        {K(SwapVFOButton), {655, 200, 26, 17}, "FT2K_BTN_SWAP", 4, "Swap VFOs"},
        {K(TXWatchButton), {424, 274, 39, 16}, "FT2K_BTN_TXW", 4, "TX Watch"},
        {K(VFOSelectAButton), {383, 151, 30, 16}, "FT2K_BTN_MODEA", 4, "Select VFO A"},
        {K(VFOSelectBButton), {421, 151, 34, 16}, "FT2K_BTN_MODEB", 4, "Select VFO B"},
        {K(VFOAToMemoryButton), {640, 274, 40, 16}, "FT2K_BTN_AM", 4, "VFO A to Memory Channel"},
        {K(VMButton), {657, 225, 21, 16}, "FT2K_BTN_VM", 4, "VFO/Memory Mode"},
        {K(VOXButton), {47, 56, 27, 17}, "FT2K_BTN_LED", 4, "VOX"},
        {K(VRFButton), {909, 25, 29, 17}, "FT2K_BTN", 4, "VRF"},
#undef K
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Button->geometry(), r.Geometry);
        EXPECT_EQ(r.Button->Glyph(), QString::fromLatin1(r.Glyph));
        EXPECT_EQ(r.Button->NumGlyphs(), r.Glyphs);
        EXPECT_EQ(r.Button->toolTip(), QString::fromUtf8(r.Hint));
        EXPECT_EQ(r.Button->Spacing(), 0);
        EXPECT_TRUE(r.Button->isVisibleTo(face));
        ExpectStripFits(r.Button);
    }
    for (TRCButton* b : {f.AGCButton, f.AttenuatorButton, f.IPOButton, f.RoofingFilterButton}) {
        EXPECT_EQ(b->Glyph(), "FT2K_BTN");
        EXPECT_EQ(b->NumGlyphs(), 4);
        EXPECT_EQ(b->y(), 139);
        ExpectStripFits(b);
    }

    // Each mode key is a group of its own, so several lamps can be lit; USB and CW start lit.
    const TPanelSpeedButton* modes[] = {f.ModeLSBButton,  f.ModeUSBButton,  f.ModeCWButton,
                                        f.ModeAMFMButton, f.ModeRTTYButton, f.ModePKTButton};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(modes[i]->GroupIndex(), 901 + i);
        EXPECT_TRUE(modes[i]->AllowAllUp());
        EXPECT_EQ(modes[i]->Down(), modes[i] == f.ModeUSBButton || modes[i] == f.ModeCWButton) << i;
    }
    // The sub-dial keys before the radio reports its function.
    EXPECT_TRUE(f.SDF1Button->isEnabled());
    for (const TPanelSpeedButton* b : {f.SDF2Button, f.SDF3Button, f.SDF4Button})
        EXPECT_FALSE(b->isEnabled());
    for (const TPanelSpeedButton* b : {f.SDF5Button, f.SDF6Button, f.SDF7Button, f.SDF8Button})
        EXPECT_TRUE(b->isEnabled());
    EXPECT_TRUE(f.SDF8Button->Down());
    EXPECT_EQ(f.CustomSettingButton->GroupIndex(), 811);
    EXPECT_EQ(f.DisplayButton->Tag(), 8);
    EXPECT_EQ(f.F6Button->Tag(), 6);
    EXPECT_EQ(f.F7Button->Tag(), 7);
}

TEST_F(FT2000Face, TheKeysTheProgramDoesNotDriveDoNothing)
{
    connect();
    for (TPanelSpeedButton* b : {face->CustomSettingButton, face->DisplayButton, face->F6Button, face->F7Button}) {
        vxtest::Click(b);
        EXPECT_EQ(TFTTransceiverPanelBase::PopupMenuOf(b), nullptr);
    }
    EXPECT_EQ(sent, QStringList());
    EXPECT_TRUE(host->menuSenders.isEmpty());
}

TEST_F(FT2000Face, DisplayDialsKnobsAndLampsAtTheirPlaces)
{
    TFTTransceiverPanel2000& f = *face;
    EXPECT_EQ(f.size(), QSize(1019, 454));
    EXPECT_EQ(f.FTxImage->geometry(), QRect(0, 0, 1019, 454));
    EXPECT_EQ(f.FTxImage->Picture(), "FT2KIMAGEV2");
    EXPECT_EQ(vx::art::Size("FT2KIMAGEV2"), QSize(1019, 454));
    EXPECT_EQ(f.SDFImage1->geometry(), QRect(946, 218, 21, 13));
    EXPECT_EQ(f.SDFImage1->Picture(), "FT2K_SDF_1_ON");
    EXPECT_EQ(f.SDFImage2->geometry(), QRect(955, 231, 26, 62));
    EXPECT_EQ(f.SDFImage2->Picture(), "FT2K_SDF_2_ON");

    EXPECT_EQ(f.FTxDisplay->pos(), QPoint(258, 20));
    EXPECT_EQ(f.FTxDisplay->Transceiver(), FT2000);
    EXPECT_EQ(f.PanelFrequencyA->pos(), QPoint(216, 12));
    EXPECT_EQ(f.PanelFrequencyB->parentWidget(), f.FTxDisplay);
    EXPECT_EQ(f.PanelFrequencyB->pos(), QPoint(425, 18));
    EXPECT_EQ(f.PanelFrequencyB->DisplayType(), dtFT2K_B);
    EXPECT_TRUE(f.PanelFrequencyB->isVisibleTo(face));
    EXPECT_EQ(f.PanelClarifier->pos(), QPoint(319, 57));
    EXPECT_EQ(f.PanelClarifier->DisplayType(), dtFT2K_Clarifier);
    EXPECT_EQ(f.PanelMeter->pos(), QPoint(92, 21));
    EXPECT_EQ(f.PanelMeter->Transceiver(), FT2000);
    EXPECT_EQ(f.TuningPanelB->geometry().topLeft(), QPoint(651, 344));
    EXPECT_EQ(f.TuningPanelB->width(), 356);
    EXPECT_EQ(f.MemoryChannelPanel->geometry().topLeft(), QPoint(651, 344));
    EXPECT_EQ(f.MemoryChannelPanel->width(), 356);

    const struct {
        const char* Name;
        TFTPanelDial* Dial;
        QPoint At;
        TDialType Type;
    } dials[] = {{"VFOMain", f.VFOMain, {478, 153}, dtFT2K_VFOA},
                 {"VFOSub", f.VFOSub, {887, 233}, dtFT2K_VFOB},
                 {"FT2KClarifier", f.FT2KClarifier, {749, 253}, dtFT2K_Clar}};
    for (const auto& d : dials) {
        SCOPED_TRACE(d.Name);
        EXPECT_EQ(d.Dial->pos(), d.At);
        EXPECT_EQ(d.Dial->DialType(), d.Type);
    }

    const struct {
        const char* Name;
        TFTPanelKnob* Knob;
        QPoint At;
        TKnobType Type;
        int InnerMin, InnerMax, OuterMin, OuterMax;
    } knobs[] = {
#define N(n) #n, f.n
        {N(KnobAFGainRFGainA), {318, 247}, ktFT2K_Knob1, 0, 255, 0, 255},
        {N(KnobAFGainRFGainB), {241, 247}, ktFT2K_Knob1, 0, 255, 0, 255},
        {N(KnobContourDNR), {954, 119}, ktFT2K_Knob2, 1, 40, 1, 15},
        {N(KnobMeterSwitch), {6, 165}, ktFT2K_Meter, 0, 255, 0, 5},
        {N(KnobMicPwr), {27, 247}, ktFT2K_Knob1, 0, 255, 0, 255},
        {N(KnobMonitorProcessor), {104, 174}, ktFT2K_Knob1, 0, 255, 0, 255},
        {N(KnobNBSQLA), {318, 174}, ktFT2K_Knob1, 0, 255, 0, 255},
        {N(KnobNotchLevel), {954, 31}, ktFT2K_Knob2, 0, 255, 1, 400},
        {N(KnobShiftWidth), {846, 119}, ktFT2K_Knob1, -1000, 1000, 1, 31},
        {N(KnobSpeedPitch), {241, 174}, ktFT2K_Knob1, 4, 60, 0, 15},
        {N(KnobVOXDelay), {104, 247}, ktFT2K_Knob1, 0, 255, 0, 250},
#undef N
    };
    for (const auto& k : knobs) {
        SCOPED_TRACE(k.Name);
        EXPECT_EQ(k.Knob->pos(), k.At);
        EXPECT_EQ(k.Knob->KnobType(), k.Type);
        EXPECT_EQ(k.Knob->ValueInnerMin(), k.InnerMin);
        EXPECT_EQ(k.Knob->ValueInnerMax(), k.InnerMax);
        EXPECT_EQ(k.Knob->ValueOuterMin(), k.OuterMin);
        EXPECT_EQ(k.Knob->ValueOuterMax(), k.OuterMax);
        EXPECT_TRUE(k.Knob->isVisibleTo(face));
    }
    EXPECT_EQ(f.KnobMeterSwitch->ValueOuter(), 3);
    EXPECT_EQ(f.KnobAFGainRFGainA->ValueOuter(), 255);
    EXPECT_EQ(f.KnobMicPwr->ValueOuter(), 0);

    const struct {
        TVFOABButton* Lamp;
        QPoint At;
        TVFOButtonType Type;
        TVFOState State;
    } lamps[] = {{f.FunctionRXAButton, {435, 131}, vfoARX, vfoOn},
                 {f.FunctionRXBButton, {843, 193}, vfoBRX, vfoOff},
                 {f.FunctionTXAButton, {633, 131}, vfoATX, vfoOn},
                 {f.FunctionTXBButton, {969, 193}, vfoBTX, vfoOff}};
    for (const auto& l : lamps) {
        EXPECT_EQ(l.Lamp->pos(), l.At);
        EXPECT_EQ(l.Lamp->VFOButtonType(), l.Type);
        EXPECT_EQ(l.Lamp->VFOState(), l.State);
        EXPECT_EQ(l.Lamp->Transceiver(), FT2000);
    }
}

TEST_F(FT2000Face, BarsWithTheirRangesAndTabOrder)
{
    TFTTransceiverPanel2000& f = *face;
    const struct {
        const char* Name;
        TRCTrackBar* Bar;
        int Left, TabOrder, Min, Max, PageSize, Position;
        bool Visible;
    } rows[] = {
#define T(n) #n, f.n
        {T(PowerControlBar), 12, 1, 0, 255, 5, 5, true},     {T(MicGainBar), 44, 2, 0, 255, 5, 0, true},
        {T(ProcessorLevelBar), 68, 3, 0, 255, 32, 0, true},  {T(VoxGainBar), 92, 4, 0, 255, 5, 0, true},
        {T(VoxDelayBar), 116, 5, 0, 250, 10, 20, true},      {T(MonitorBar), 148, 6, 0, 255, 32, 0, true},
        {T(KeySpeedBar), 189, 7, 4, 60, 2, 25, true},        {T(KeyPitchBar), 217, 8, 0, 15, 5, 10, true},
        {T(NoiseBlankerABar), 252, 9, 0, 255, 32, 0, true},  {T(RFGainABar), 276, 11, 0, 255, 16, 255, true},
        {T(RFGainBBar), 300, 12, 0, 255, 16, 255, true},     {T(AFGainABar), 324, 13, 0, 255, 16, 0, true},
        {T(AFGainBBar), 348, 14, 0, 255, 16, 0, true},       {T(SquelchABar), 385, 15, 0, 255, 16, 0, true},
        {T(SquelchBBar), 385, 16, 0, 255, 16, 0, false},     {T(FilterWidthABar), 428, 17, 0, 31, 2, 16, true},
        {T(IFShiftABar), 460, 18, -1000, 1000, 10, 0, true}, {T(NotchABar), 501, 21, 1, 400, 10, 150, true},
        {T(ContourLevelABar), 525, 24, 1, 40, 5, 15, true},  {T(DNRABar), 549, 26, 1, 15, 2, 1, true},
        {T(VRFABar), 573, 28, 0, 255, 5, 128, true},         {T(ClarifierBar), 608, 30, -9999, 9999, 10, 0, true},
#undef T
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Bar->geometry(), QRect(r.Left, 348, 22, 89));
        EXPECT_EQ(TFTTransceiverPanelBase::TabOrder(r.Bar), r.TabOrder);
        EXPECT_EQ(r.Bar->Min(), r.Min);
        EXPECT_EQ(r.Bar->Max(), r.Max);
        EXPECT_EQ(r.Bar->PageSize(), r.PageSize);
        EXPECT_EQ(r.Bar->Position(), r.Position);
        EXPECT_EQ(r.Bar->isVisibleTo(face), r.Visible);
        EXPECT_FALSE(r.Bar->UpdatingPosition());
    }
    EXPECT_EQ(TFTTransceiverPanelBase::TabOrder(f.TuningPanelB), 99);
    EXPECT_EQ(f.KeyPitchBar->TickMark().ShowImageAtSteps(), 2);
    const struct {
        TRCTrackBar* Bar;
        const char* Hint;
    } sub[] = {{f.RFGainBBar, "RF Gain Sub Receiver"},
               {f.AFGainBBar, "AF Gain Sub Receiver"},
               {f.SquelchBBar, "Squelch Level Sub Receiver"}};
    for (const auto& s : sub) {
        EXPECT_EQ(s.Bar->toolTip(), QString::fromLatin1(s.Hint));
        EXPECT_EQ(s.Bar->ColorStyle(), scsGreen);
        EXPECT_EQ(s.Bar->TickMark().ShowImageAtSteps(), 25);
        EXPECT_EQ(s.Bar->property("Tag").toInt(), 1);
    }
    // The keyboard walks the sub bars between the main ones.
    EXPECT_EQ(f.RFGainABar->nextInFocusChain(), f.RFGainBBar);
    EXPECT_EQ(f.RFGainBBar->nextInFocusChain(), f.AFGainABar);
}

TEST_F(FT2000Face, ValueLabelsInTheirPlacesAndNoneOverprintsAnother)
{
    TFTTransceiverPanel2000& f = *face;
    const struct {
        const char* Name;
        QLabel* Label;
        int Left;
    } rows[] = {
#define L(n) #n, f.n
        {L(PowerControlLabel), 11}, {L(MicGainLabel), 43},       {L(ProcessorLevelLabel), 67},
        {L(VoxGainLabel), 91},      {L(VoxDelayLabel), 115},     {L(MonitorLabel), 147},
        {L(KeySpeedLabel), 194},    {L(KeyPitchLabel), 216},     {L(NoiseBlankerALabel), 251},
        {L(SquelchALabel), 382},    {L(FilterWidthALabel), 420}, {L(IFShiftALabel), 454},
        {L(NotchALabel), 497},      {L(ContourLevelALabel), 521}, {L(DNRALabel), 544},
        {L(ClarifierLabel), 608},
#undef L
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Label->pos(), QPoint(r.Left, 436));
        EXPECT_TRUE(r.Label->isVisibleTo(face));
    }
    EXPECT_FALSE(f.VRFALabel->isVisibleTo(face));
    EXPECT_EQ(f.SquelchALabel->size(), QSize(28, 10));
    EXPECT_EQ(f.SquelchALabel->text(), "MAIN");
    EXPECT_EQ(f.SquelchALabel->toolTip(), "Switch between Squelch Level Main/Sub");
    EXPECT_EQ(f.SquelchALabel->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(f.SquelchALabel->buddy(), f.SquelchABar);
    EXPECT_EQ(f.SquelchALabel->font(), f.PowerControlLabel->font());
    EXPECT_EQ(f.SquelchALabel->palette().color(QPalette::WindowText), BGRColor(0xB1B1B1));

    // With the widest values each label can show, every text fits its box and none prints into
    // its neighbour.
    const struct {
        QLabel* Label;
        const char* Text;
    } widest[] = {{f.PowerControlLabel, "200W"}, {f.MicGainLabel, "100"},         {f.ProcessorLevelLabel, "100"},
                  {f.VoxGainLabel, "100"},       {f.VoxDelayLabel, "3000"},       {f.MonitorLabel, "100"},
                  {f.KeySpeedLabel, "60"},       {f.KeyPitchLabel, "1050 Hz"},    {f.NoiseBlankerALabel, "100"},
                  {f.SquelchALabel, "MAIN"},     {f.FilterWidthALabel, "4000"},   {f.IFShiftALabel, "-1000"},
                  {f.NotchALabel, "4000"},       {f.ContourLevelALabel, "4000"}, {f.DNRALabel, "15"},
                  {f.ClarifierLabel, "-9999 Hz"}};
    for (const auto& w : widest) {
        w.Label->setText(QString::fromLatin1(w.Text));
        if (w.Label == f.KeyPitchLabel)
            w.Label->adjustSize(); // it sizes itself to its text
        EXPECT_LE(w.Label->fontMetrics().horizontalAdvance(w.Label->text()), w.Label->width()) << w.Text;
    }
    for (size_t i = 0; i < std::size(widest); ++i)
        for (size_t j = i + 1; j < std::size(widest); ++j)
            EXPECT_FALSE(TextExtent(widest[i].Label).intersects(TextExtent(widest[j].Label)))
                << widest[i].Text << " / " << widest[j].Text;
    // The key speed sits under its own bar.
    EXPECT_LE(TextExtent(f.KeySpeedLabel).right(), f.KeySpeedBar->geometry().right());
}

TEST_F(FT2000Face, PrintedLegendsStayClearOfTheControlsAndOfEachOther)
{
    host->show();
    const QList<faceart::TPrintedLegend> legends = FT2000PrintedLegends();
    EXPECT_GE(legends.size(), 60);
    ExpectLegendsClearOfControls(*face, face->FTxImage, legends);
}

TEST_F(FT2000Face, EveryPictureOfTheFaceIsRegistered)
{
    const char* const names[] = {
        "FT2KIMAGEV2",     "FT2K_BTN",        "FT2K_BTN_TUNE",  "FT2K_BTN_A2B",    "FT2K_BTN_CS",
        "FT2K_BTN_DIM",    "FT2K_BTN_F1",     "FT2K_BTN_FAST",  "FT2K_BTN_LOCK",   "FT2K_BTN_MA",
        "FT2K_BTN_MENU",   "FT2K_BTN_LED",    "FT2K_BTN_NAR",   "FT2K_BTN_POWER",  "FT2K_BTN_RCL",
        "FT2K_BTN_STO",    "FT2K_BTN_SDF1",   "FT2K_BTN_SDF2",  "FT2K_BTN_SDF3",   "FT2K_BTN_SDF4",
        "FT2K_BTN_SDF5",   "FT2K_BTN_SDF6",   "FT2K_BTN_SDF7",  "FT2K_BTN_SDF8",   "FT2K_BTN_SPLIT",
        "FT2K_BTN_SWAP",   "FT2K_BTN_TXW",    "FT2K_BTN_MODEA", "FT2K_BTN_MODEB",  "FT2K_BTN_AM",
        "FT2K_BTN_VM",     "FT2K_BAND_160",   "FT2K_BAND_80",   "FT2K_BAND_40",    "FT2K_BAND_30",
        "FT2K_BAND_20",    "FT2K_BAND_17",    "FT2K_BAND_15",   "FT2K_BAND_12",    "FT2K_BAND_10",
        "FT2K_BAND_GEN",   "FT2K_BAND_6",     "FT2K_BAND_ENT",  "FT2K_MODE_LSB",   "FT2K_MODE_USB",
        "FT2K_MODE_CW",    "FT2K_MODE_AMFM",  "FT2K_MODE_AMFM_2", "FT2K_MODE_RTTY", "FT2K_MODE_PKT",
        "FT2K_MODE_PKT_2", "FT2K_SDF_1_ON",   "FT2K_SDF_1_OFF", "FT2K_SDF_2_ON",   "FT2K_SDF_2_OFF",
    };
    for (const char* n : names) {
        const QString name = QString::fromLatin1(n);
        EXPECT_TRUE(vx::art::Has(name)) << n;
        // The variants a key changes to at run time keep the key's frames and size.
        if (name.startsWith(QLatin1String("FT2K_MODE_"))) {
            EXPECT_EQ(vx::art::FrameSize(name), QSize(26, 14)) << n;
        }
    }
    EXPECT_EQ(vx::art::Size("FT2K_SDF_1_OFF"), QSize(21, 13));
    EXPECT_EQ(vx::art::Size("FT2K_SDF_2_OFF"), QSize(26, 62));
}

TEST_F(FT2000Face, MakingTheWindowAgainGivesTheSameLayoutAndSendsNothing)
{
    connect();
    const QRect before = face->KeySpeedLabel->geometry();
    face->CreateWnd();
    EXPECT_EQ(face->KeySpeedLabel->geometry(), before);
    EXPECT_EQ(face->VFOSub->geometry(), QRect(887, 233, 67, 67));
    EXPECT_EQ(face->RFGainBBar->Position(), 255);
    EXPECT_EQ(TFTTransceiverPanelBase::TabOrder(face->ClarifierBar), 30);
    EXPECT_EQ(sent, QStringList());
}

TEST_F(FT2000Face, SavesABusyRender)
{
    connect();
    radio(QStringLiteral("FA014025300;FB007012450;MD03;MD13;AG0160;AG1090;RG0220;RG1200;SQ0030;SQ1060;PC100;MG090;"
                         "KS025;BI1;NB01;RT1;RU0120;SM0170;SM1090;FT2;VS0;NA01;SH0016;IS0+0250;CO00;"
                         "BP01;BP0102;NR01;RL008;"));
    cat->PrepareRX();
    cat->SetClarifierOffset(120);
    Fire(cat->OnFunctionRX, frxARX_BRX);
    Fire(cat->OnSMeter, uint8_t(0), uint8_t(170));
    Fire(cat->OnSubDialFunction, sdfMHzVFOB);
    sent.clear();

    host->show();
    for (const qreal ratio : {1.0, 2.0}) {
        QImage img(face->size() * ratio, QImage::Format_RGB32);
        img.setDevicePixelRatio(ratio);
        img.fill(Qt::magenta);
        face->render(&img);
        ASSERT_TRUE(SaveArtifact(img, ratio == 1.0 ? QStringLiteral("face-ft2000.png")
                                                   : QStringLiteral("face-ft2000@2x.png")));
        if (ratio != 1.0)
            continue;
        EXPECT_EQ(img.size(), QSize(1019, 454));
        // The background covers the panel: nothing is left unpainted.
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_NE(img.pixel(x, y), QColor(Qt::magenta).rgb()) << x << "," << y;
        // Dark front, black display window, the lit USB and CW lamps and the dark LSB lamp.
        EXPECT_LT(QColor(img.pixel(860, 100)).value(), 0x50);
        EXPECT_EQ(PixelName(img, 258 + 3, 20 + 45), "#000000");
        const auto lamp = [&img](const TPanelSpeedButton* b) { return QColor(img.pixel(b->x() + 13, b->y() + 3)); };
        EXPECT_GT(lamp(face->ModeUSBButton).red(), 200);
        EXPECT_GT(lamp(face->ModeCWButton).red(), 200);
        EXPECT_LT(lamp(face->ModeLSBButton).red(), 80);
    }
    EXPECT_TRUE(sent.isEmpty());
}
