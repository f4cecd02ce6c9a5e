// The FT DX 5000 face's layout: every control at its place with its picture, hint, group and
// tab position, what it hides, that a second window creation gives the same layout and sends
// nothing, that every picture it asks for exists, and the offscreen render.
#include "FT5000Fixture.h"
#include "FaceLegends.h"
#include "controls/widgets/ArtRegistry.h"
#include "panel/widgets/FT5000Art.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/PanelControlArt.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <QLabel>
#include <set>

TEST_F(FT5000Face, AddedKeysAtTheirPlacesWithTheirPicturesHintsAndGroups)
{
    TFTTransceiverPanel5000& f = *face;
    EXPECT_EQ(f.size(), QSize(1148, 483));
    EXPECT_EQ(f.FTxImage->geometry(), QRect(0, 0, 1148, 483));
    EXPECT_EQ(f.FTxImage->Picture(), "FT5KIMAGE");
    const struct {
        const char* Name;
        TPanelSpeedButton* Key;
        QRect Geometry;
        const char* Glyph;
        const char* Hint;
        int Group;
        bool Flat;
        bool Down;
    } rows[] = {
#define K(n) #n, f.n
        {K(CATButton), {24, 115, 12, 7}, "FT5K_CAT", "CAT not connected", 666, false, false},
        {K(DownButton), {1026, 103, 48, 25}, "FT5K_DOWN", "100 kHz down", 0, true, false},
        {K(UpButton), {1082, 103, 48, 25}, "FT5K_UP", "100 kHz up", 0, true, false},
        {K(FT5KAntennaRXButton), {121, 169, 34, 28}, "FT5K_UPDOWN", "RX Antenna", 0, true, false},
        {K(FT5KClassAButton), {440, 315, 38, 17}, "FT5K_CLASS_A", "Class A", 5080, false, false},
        {K(FT5KClarifierRXButton), {752, 189, 32, 21}, "FT5K_OVAL_BLACK", "RX Clarifier", 5010, false, false},
        {K(FT5KClarifierTXButton), {831, 189, 32, 21}, "FT5K_OVAL_BLACK", "TX Clarifier", 5012, false, false},
        {K(FT5KClarifierGroupButton), {752, 218, 32, 21}, "FT5K_OVAL_RED", "Clarifier/Group", 5013, false, false},
        {K(FT5KVRFAButton), {889, 189, 32, 21}, "FT5K_OVAL_RED", "VRF Main", 5016, false, false},
        {K(FT5KShiftAButton), {929, 189, 32, 21}, "FT5K_OVAL_RED", "Shift Main", 5017, true, false},
        {K(FT5KContourAButton), {968, 189, 32, 21}, "FT5K_OVAL_RED", "Contour Main", 5018, false, false},
        {K(FT5KNotchAButton), {889, 218, 32, 21}, "FT5K_OVAL_RED", "Notch Filter Main", 5019, false, false},
        {K(FT5KWidthAButton), {929, 218, 32, 21}, "FT5K_OVAL_RED", "Filter Width Main", 5020, false, true},
        {K(FT5KResetAButton), {968, 218, 32, 21}, "FT5K_OVAL_BLACK", "Reset", 0, false, false},
        {K(FT5KVRFBButton), {1023, 189, 32, 21}, "FT5K_OVAL_ORANGE", "VRF Sub", 5022, false, false},
        {K(FT5KShiftBButton), {1063, 189, 32, 21}, "FT5K_OVAL_ORANGE", "Shift Sub", 5023, false, false},
        {K(FT5KContourBButton), {1102, 189, 32, 21}, "FT5K_OVAL_ORANGE", "Contour Sub", 5024, false, false},
        {K(FT5KNotchBButton), {1023, 218, 32, 21}, "FT5K_OVAL_ORANGE", "Notch Filter Sub", 5025, false, false},
        {K(FT5KWidthBButton), {1063, 218, 32, 21}, "FT5K_OVAL_ORANGE", "Filter Width Sub", 5026, false, true},
        {K(FT5KResetBButton), {1102, 218, 32, 21}, "FT5K_OVAL_BLACK", "Reset", 0, false, false},
        {K(FT5KDNRAButton), {882, 253, 16, 16}, "FT5K_DNR_RED", "Digital Noise Reduction Main", 5002, false, false},
        {K(FT5KDNFAButton), {987, 253, 16, 16}, "FT5K_DNR_RED", "Digital Noise Filter Main", 5001, false, false},
        {K(FT5KDNRBButton), {1016, 253, 16, 16}, "FT5K_DNR_ORANGE", "Digital Noise Reduction Sub", 5004, false,
         false},
        {K(FT5KDNFBButton), {1121, 253, 16, 16}, "FT5K_DNR_ORANGE", "Digital Noise Filter Sub", 5003, false, false},
        // Common keys re-skinned and moved.
        {K(Band160Button), {746, 29, 33, 18}, "FT5K_BAND_160M", "160m", 0, true, false},
        {K(Band6Button), {790, 110, 33, 18}, "FT5K_BAND_6M", "6m", 0, true, false},
        {K(EnterButton), {833, 110, 33, 18}, "FT5K_BAND_ENT", "Enter Frequency", 0, true, false},
        {K(ModeLSBButton), {891, 28, 48, 25}, "FT5K_MODE_LSB", "LSB", 0, true, false},
        {K(ModeUSBButton), {947, 28, 48, 25}, "FT5K_MODE_USB", "USB", 0, true, false},
        {K(ModeAMFMButton), {947, 66, 48, 25}, "FT5K_MODE_AM", "AM/FM", 0, true, false},
        {K(ModeRTTYButton), {891, 103, 48, 25}, "FT5K_MODE_RTTY", "RTTY", 0, true, false},
        {K(DimmerSwitchButton), {25, 169, 27, 21}, "FT5K_DIM", "Dimmer", 0, true, false},
        {K(ProcessorButton), {65, 237, 27, 21}, "FT5K_DIM", "Speech Processor", 0, true, false},
        {K(MOXButton), {25, 203, 26, 20}, "FT5K_MOX", "MOX", 500, true, false},
        {K(VOXButton), {25, 237, 26, 20}, "FT5K_MOX", "VOX", 501, true, false},
        {K(PowerSwitchButton), {12, 41, 31, 52}, "FT5K_POWER", "Power Switch", 100, false, false},
        {K(NoiseBlankerButton), {1026, 29, 48, 25}, "FT5K_NB", "Noise Blanker", 0, true, false},
        {K(BreakInButton), {1082, 66, 48, 25}, "FT5K_BK_IN", "Break-In", 0, true, false},
        {K(QMBStoreButton), {440, 191, 47, 16}, "FT5K_STO", "QMB Store", 0, false, false},
        {K(TXWatchButton), {440, 287, 49, 17}, "FT5K_TXW", "TX Watch", 300, false, false},
        {K(VFOSelectAButton), {434, 166, 31, 17}, "FT5K_A", "Select VFO A", 711, false, true},
        {K(VFOSelectBButton), {465, 162, 35, 21}, "FT5K_B", "Select VFO B", 711, false, false},
        {K(LockButton), {663, 162, 35, 21}, "FT5K_LOCK", "Lock", 701, true, false},
        {K(SwapVFOButton), {684, 215, 38, 17}, "FT5K_A_SWAP_B", "Swap VFOs", 0, true, false},
        {K(VFOAToMemoryButton), {674, 287, 48, 17}, "FT5K_A_M", "VFO A to Memory Channel", 0, true, false},
        {K(MenuButton), {646, 315, 76, 20}, "FT5K_MENU", "FTDX5000 Transceiver Menu", 0, true, false},
        {K(ClarifierClearButton), {791, 189, 33, 22}, "FT5K_OVAL_BLACK", "Clear RX/TX Clarifier", 0, true, false},
        {K(SDF1Button), {791, 218, 32, 21}, "FT5K_OVAL_RED", "Band/MCH", 814, false, false},
        {K(SDF8Button), {831, 218, 32, 21}, "FT5K_OVAL_ORANGE", "A/B", 813, false, true},
#undef K
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        const TPanelSpeedButton* b = r.Key;
        EXPECT_EQ(b->geometry(), r.Geometry);
        EXPECT_EQ(b->Glyph(), QString::fromLatin1(r.Glyph));
        EXPECT_EQ(b->NumGlyphs(), 4);
        EXPECT_EQ(b->Spacing(), 0);
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(r.Hint));
        EXPECT_EQ(b->GroupIndex(), r.Group);
        // Every key with a group of this face's own is an independent toggle.
        if (r.Group >= 5000 || r.Group == 666) {
            EXPECT_TRUE(b->AllowAllUp());
        }
        EXPECT_EQ(b->Flat(), r.Flat);
        EXPECT_EQ(b->Down(), r.Down);
        EXPECT_TRUE(b->isEnabled());
        EXPECT_TRUE(b->isVisibleTo(face));
        EXPECT_EQ(vx::art::FrameCount(b->Glyph()), 4);
        EXPECT_EQ(vx::art::FrameSize(b->Glyph()), r.Glyph == std::string("FT5K_OVAL_BLACK") ? QSize(32, 21)
                                                                                            : b->size());
    }
    EXPECT_EQ(f.FT5KClarifierGroupButton->Tag(), 8);
    // Mode keys do not latch here.
    for (TPanelSpeedButton* m : {f.ModeLSBButton, f.ModeCWButton, f.ModePKTButton})
        EXPECT_FALSE(m->AllowAllUp());

    for (TRCButton* halves : {f.FT5KAntennaButton, f.AGCButton, f.AttenuatorButton, f.IPOButton,
                              f.RoofingFilterButton}) {
        EXPECT_EQ(halves->Glyph(), "FT5K_UPDOWN");
        EXPECT_EQ(halves->size(), QSize(34, 28));
    }
    EXPECT_EQ(f.FT5KAntennaButton->pos(), QPoint(166, 169));
    EXPECT_EQ(f.FT5KAntennaButton->toolTip(), "Antenna 1..4");
    EXPECT_EQ(f.AGCButton->pos(), QPoint(373, 169));
    EXPECT_EQ(f.RoofingFilterButton->pos(), QPoint(325, 169));
}

TEST_F(FT5000Face, DisplaysDialsKnobsAndLampsAtTheirPlaces)
{
    TFTTransceiverPanel5000& f = *face;
    const struct {
        const char* Name;
        QWidget* Control;
        QPoint At;
        QWidget* Parent;
    } rows[] = {
#define C(n) #n, f.n
        {C(SubDialA), {911, 271}, face},         {C(SubDialB), {1045, 271}, face},
        {C(SubDisplayA), {885, 150}, face},      {C(SubDisplayB), {1019, 150}, face},
        {C(FTxDisplay), {255, 24}, face},        {C(PanelFrequencyA), {294, 15}, f.FTxDisplay},
        {C(PanelFrequencyB), {758, 149}, face},  {C(PanelClarifier), {414, 78}, f.FTxDisplay},
        {C(PanelMeter), {58, 30}, face},         {C(TuningPanelB), {744, 373}, face},
        {C(MemoryChannelPanel), {744, 373}, face}, {C(VFOMain), {508, 173}, face},
        {C(VFOSub), {772, 268}, face},           {C(FT5KRXABLabels), {581, 366}, face},
        {C(KnobMeterSwitch), {101, 217}, face},  {C(KnobNBSQLB), {280, 218}, face},
        {C(KnobAFGainRFGainA), {350, 287}, face}, {C(KnobAFGainRFGainB), {262, 288}, face},
        {C(KnobMicPwr), {30, 294}, face},        {C(KnobMonitorProcessor), {200, 217}, face},
        {C(KnobNBSQLA), {358, 218}, face},       {C(KnobVOXDelay), {183, 294}, face},
        {C(KnobSpeedPitch), {106, 294}, face},   {C(FunctionRXAButton), {505, 156}, face},
        {C(FunctionTXAButton), {636, 156}, face}, {C(FunctionRXBButton), {743, 254}, face},
        {C(FunctionTXBButton), {850, 254}, face},
#undef C
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Control->pos(), r.At);
        EXPECT_EQ(r.Control->parentWidget(), r.Parent);
    }
    EXPECT_EQ(f.FT5KRXABLabels->size(), QSize(110, 9));
    EXPECT_EQ(f.FT5KRXABLabels->Picture(), "FT5K_SLIDERS_A");
    EXPECT_EQ(f.TuningPanelB->width(), 394);
    EXPECT_EQ(f.MemoryChannelPanel->width(), 394);
    EXPECT_FALSE(f.MemoryChannelPanel->isVisibleTo(face));
    EXPECT_TRUE(f.PanelFrequencyB->isVisibleTo(face));
    EXPECT_EQ(f.PanelFrequencyB->DisplayType(), dtFT5K_B);
    EXPECT_EQ(f.PanelClarifier->DisplayType(), dtFT5K_Clarifier);
    EXPECT_EQ(f.FTxDisplay->Transceiver(), FTDX5000);
    EXPECT_EQ(f.PanelMeter->Transceiver(), FTDX5000);
    EXPECT_EQ(f.VFOMain->DialType(), dtFT5K_VFOA);
    EXPECT_EQ(f.VFOSub->DialType(), dtFT5K_VFOB);
    for (TFTPanelDial* d : {f.SubDialA, f.SubDialB}) {
        EXPECT_EQ(d->DialType(), dtFT5K_SUBPANEL);
        EXPECT_EQ(d->DialMode(), dmUpDown);
    }
    EXPECT_EQ(f.SubDisplayA->VFO(), vfoA);
    EXPECT_EQ(f.SubDisplayB->VFO(), vfoB);
    EXPECT_EQ(f.SubDisplayA->DisplayMode(), dpmWidth);
    EXPECT_EQ(f.SubDisplayB->DisplayMode(), dpmWidth);
    // The displays got the engine with the face.
    EXPECT_EQ(f.SubDisplayB->FTCATInterface(), cat.get());

    const struct {
        TFTPanelKnob* Knob;
        TKnobType Type;
        int Inner, Outer;
    } knobs[] = {
        {f.KnobMeterSwitch, ktFT5K_Meter, -1, 3}, {f.KnobNBSQLB, ktFT5K_Knob3, 0, 0},
        {f.KnobAFGainRFGainA, ktFT5K_Knob6, 0, 255}, {f.KnobAFGainRFGainB, ktFT5K_Knob5, 0, 255},
        {f.KnobMicPwr, ktFT5K_Knob1, 0, 0},       {f.KnobMonitorProcessor, ktFT5K_Knob2, 0, 0},
        {f.KnobNBSQLA, ktFT5K_Knob4, 0, 0},       {f.KnobVOXDelay, ktFT5K_Knob1, 0, 0},
        {f.KnobSpeedPitch, ktFT5K_Knob1, -1, -1},
    };
    for (const auto& k : knobs) {
        EXPECT_EQ(k.Knob->KnobType(), k.Type);
        if (k.Inner >= 0) {
            EXPECT_EQ(k.Knob->ValueInner(), k.Inner);
        }
        if (k.Outer >= 0) {
            EXPECT_EQ(k.Knob->ValueOuter(), k.Outer);
        }
    }
    EXPECT_EQ(f.KnobVOXDelay->ValueOuterMax(), 250);
    EXPECT_EQ(f.KnobSpeedPitch->ValueInnerMin(), 4);
    EXPECT_EQ(f.KnobSpeedPitch->ValueInnerMax(), 60);
    EXPECT_EQ(f.KnobSpeedPitch->ValueOuterMax(), 15);

    ExpectStartLamps(f, FTDX5000);

    // What this radio's front lacks is hidden; the covered DNR key stays where it was.
    for (QWidget* w : std::initializer_list<QWidget*>{f.AutoNotchAButton, f.ClarifierRXButton, f.ClarifierTXButton,
                                                      f.F1Button, f.F5Button, f.SDF2Button, f.SDF7Button,
                                                      f.NoiseBlankerALabel})
        EXPECT_FALSE(w->isVisibleTo(face));
    EXPECT_EQ(f.DNRAButton->pos(), QPoint(909, 155));
    const QObjectList children = face->children();
    EXPECT_LT(children.indexOf(f.DNRAButton), children.indexOf(f.SubDisplayA));
}

TEST_F(FT5000Face, BarsStandInOneRowInTabOrderOneToThirty)
{
    TFTTransceiverPanel5000& f = *face;
    const struct {
        const char* Name;
        TRCTrackBar* Bar;
        int Left, Min, Max, Page, Steps, Position, Tab, Tag;
        const char* Hint; // nullptr: the common one
        bool Enabled, Visible;
    } rows[] = {
#define T(n) #n, f.n
        {T(PowerControlBar), 13, 0, 255, 5, 25, 5, 1, 0, nullptr, true, true},
        {T(MicGainBar), 44, 0, 255, 5, 25, 0, 2, 0, nullptr, true, true},
        {T(ProcessorLevelBar), 68, 0, 255, 32, 25, 0, 3, 0, nullptr, false, true},
        {T(VoxGainBar), 92, 0, 255, 5, 25, 0, 4, 0, nullptr, true, true},
        {T(VoxDelayBar), 116, 2, 500, 10, 50, 20, 5, 0, nullptr, true, true},
        {T(MonitorBar), 148, 0, 255, 32, 25, 0, 6, 0, nullptr, false, true},
        {T(KeySpeedBar), 189, 4, 60, 2, 6, 25, 7, 0, nullptr, true, true},
        {T(KeyPitchBar), 217, 0, 75, 5, 8, 10, 8, 0, nullptr, true, true},
        {T(NoiseBlankerABar), 256, 0, 255, 32, 25, 0, 9, 0, nullptr, false, true},
        {T(NoiseBlankerBBar), 280, 0, 255, 32, 25, 0, 10, 1, "Noise Blanker Level Sub Receiver", false, true},
        {T(RFGainABar), 304, 0, 255, 16, 25, 255, 11, 0, nullptr, true, true},
        {T(RFGainBBar), 328, 0, 255, 16, 25, 255, 12, 1, "RF Gain Sub Receiver", true, true},
        {T(AFGainABar), 352, 0, 255, 16, 25, 0, 13, 0, nullptr, true, true},
        {T(AFGainBBar), 376, 0, 255, 16, 25, 0, 14, 1, "AF Gain Sub Receiver", true, true},
        {T(SquelchABar), 411, 0, 255, 16, 25, 0, 15, 0, nullptr, true, true},
        {T(SquelchBBar), 435, 0, 255, 16, 25, 0, 16, 1, "Squelch Level Sub Receiver", true, true},
        {T(FilterWidthABar), 472, 0, 25, 2, 4, 13, 17, 0, nullptr, true, true},
        {T(IFShiftABar), 496, -1000, 1000, 10, 200, 0, 18, 0, nullptr, true, true},
        {T(FilterWidthBBar), 523, 0, 25, 2, 4, 13, 19, 1, "IF Width Sub", true, true},
        {T(IFShiftBBar), 547, -1000, 1000, 10, 200, 0, 20, 1, "IF Shift Sub", true, true},
        {T(NotchABar), 590, 1, 400, 10, 50, 150, 21, 0, nullptr, false, true},
        {T(NotchBBar), 590, 1, 400, 10, 50, 150, 23, 0, "Notch Level", false, false},
        {T(ContourLevelABar), 614, 1, 40, 5, 5, 15, 24, 0, nullptr, false, true},
        {T(ContourLevelBBar), 614, 1, 40, 5, 5, 15, 25, 0, "Contour Level", false, false},
        {T(DNRABar), 638, 1, 15, 2, 2, 1, 26, 0, nullptr, false, true},
        {T(DNRBBar), 638, 1, 15, 2, 2, 1, 27, 0, "Noise Reduction Level", false, false},
        {T(VRFABar), 662, 0, 255, 5, 48, 128, 28, 0, nullptr, false, true},
        {T(VRFBBar), 662, 0, 255, 5, 48, 128, 29, 0, "\u00b5Tune/VRF position", false, false},
        {T(ClarifierBar), 702, -9999, 9999, 10, 2000, 0, 30, 0, nullptr, true, true},
#undef T
    };
    std::set<int> tabs;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        const TRCTrackBar* b = r.Bar;
        EXPECT_EQ(b->geometry(), QRect(r.Left, 377, 22, 89));
        EXPECT_EQ(b->Min(), r.Min);
        EXPECT_EQ(b->Max(), r.Max);
        EXPECT_EQ(b->PageSize(), r.Page);
        EXPECT_EQ(b->TickMark().ShowImageAtSteps(), r.Steps);
        EXPECT_EQ(b->Position(), r.Position);
        EXPECT_EQ(TFTTransceiverPanelBase::TabOrder(b), r.Tab);
        EXPECT_EQ(b->Tag(), r.Tag);
        if (r.Hint) {
            EXPECT_EQ(b->toolTip(), QString::fromUtf8(r.Hint));
            EXPECT_EQ(b->ColorStyle(), scsGreen);
        }
        EXPECT_EQ(b->isEnabled(), r.Enabled);
        EXPECT_EQ(b->isVisibleTo(face), r.Visible);
        EXPECT_FALSE(b->UpdatingPosition());
        tabs.insert(r.Tab);
    }
    EXPECT_EQ(tabs.size(), 29u);
    EXPECT_EQ(tabs.count(22), 0u);
    EXPECT_EQ(TFTTransceiverPanelBase::TabOrder(f.TuningPanelB), 99);
    // The keyboard walks them by number, the sub bars between the main ones.
    EXPECT_EQ(f.NoiseBlankerABar->nextInFocusChain(), f.NoiseBlankerBBar);
    EXPECT_EQ(f.IFShiftABar->nextInFocusChain(), f.FilterWidthBBar);
    EXPECT_EQ(f.NotchABar->nextInFocusChain(), f.NotchBBar);
}

TEST_F(FT5000Face, ValueLabelsUnderTheBars)
{
    TFTTransceiverPanel5000& f = *face;
    const struct {
        const char* Name;
        QLabel* Label;
        int Left, Width;
        const char* Text;
        const char* Hint;
        bool Visible;
    } rows[] = {
#define L(n) #n, f.n
        {L(PowerControlLabel), 11, 23, "5 W", "", true},   {L(KeySpeedLabel), 194, 32, "25", "", true},
        {L(FilterWidthALabel), 465, 36, "800", "", true},  {L(IFShiftALabel), 490, 33, "0", "", true},
        {L(FilterWidthBLabel), 516, 36, "800", "", true},  {L(IFShiftBLabel), 541, 33, "0", "", true},
        {L(NotchALabel), 586, 28, "1500", "Notch Level", true},
        {L(NotchBLabel), 586, 28, "1500", "Notch Level", false},
        {L(ContourLevelBLabel), 610, 30, "1500", "Contour Level", false},
        {L(DNRBLabel), 634, 30, "01", "Noise Reduction Level", false},
        {L(VRFBLabel), 667, 36, "128", "VRF Level", false},
        {L(ClarifierLabel), 700, 30, "0 Hz", "", true},
#undef L
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Label->pos(), QPoint(r.Left, 466));
        EXPECT_EQ(r.Label->width(), r.Width);
        EXPECT_EQ(r.Label->text(), QString::fromLatin1(r.Text));
        EXPECT_EQ(r.Label->toolTip(), QString::fromLatin1(r.Hint));
        EXPECT_EQ(r.Label->isVisibleTo(face), r.Visible);
        // The added labels print like the common ones, centred.
        EXPECT_EQ(r.Label->font(), f.PowerControlLabel->font());
        EXPECT_EQ(r.Label->palette().color(QPalette::WindowText), BGRColor(0xB1B1B1));
        EXPECT_LE(r.Label->fontMetrics().horizontalAdvance(r.Label->text()), r.Width);
        EXPECT_LE(r.Label->geometry().bottom(), 482);
    }
    EXPECT_EQ(f.FilterWidthBLabel->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    // With wide values in every label, no two texts shown side by side touch.
    Fire(cat->OnKeySpeed, int32_t(60));
    Fire(cat->OnKeyPitch, int32_t(75));
    const QList<QPair<QRect, QString>> texts = ShownLabelTexts(*face);
    for (int i = 0; i < texts.size(); ++i)
        for (int j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(texts[i].first.intersects(texts[j].first))
                << texts[i].second.toStdString() << " / " << texts[j].second.toStdString();
}

TEST_F(FT5000Face, ASecondWindowCreationGivesTheSameLayoutAndSendsNothing)
{
    connect();
    // Shown for the first time: the window is not made again.
    host->resize(face->size());
    host->show();
    const QStringList before = FaceLayout(*face);
    face->CreateWnd();
    EXPECT_EQ(FaceLayout(*face), before);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(FT5000Face, PrintedLegendsStayClearOfTheControlsAndOfEachOther)
{
    host->show();
    const QList<faceart::TPrintedLegend> legends = FT5000PrintedLegends();
    EXPECT_GE(legends.size(), 60);
    // The meter selector's top place is named over the knob, centred on its pointer's axis.
    const QRect meter = face->KnobMeterSwitch->geometry();
    const auto po = std::find_if(legends.begin(), legends.end(), [](const auto& l) { return l.Text == "PO"; });
    ASSERT_NE(po, legends.end());
    EXPECT_LE(po->Box.bottom(), meter.top());
    EXPECT_NEAR(po->Box.center().x(), meter.x() + MeterKnobLayout(ktFT5K_Meter).Centre.x(), 1.0);
    ExpectLegendsClearOfControls(*face, face->FTxImage, legends, [](const QWidget& w) {
        const auto* key = dynamic_cast<const TPanelSpeedButton*>(&w);
        const QRectF area(w.geometry());
        return key && key->Glyph().startsWith(QStringLiteral("FT5K_OVAL_")) ? area.adjusted(0, FT5KOvalLegendRoom, 0, 0)
                                                                           : area;
    });
}

TEST_F(FT5000Face, EveryPictureItAsksForIsDrawn)
{
    QStringList unknown;
    vx::art::SetUnknownNameHandler([&unknown](const QString& name) { unknown << name; });
    connect();
    radio(QStringLiteral("SF03;VS1;"));
    received([&] { rx().SetContourB(conAPF); });
    host->show();
    (void)RenderWidget(*face);
    radio(QStringLiteral("SF07;VS0;"));
    (void)RenderWidget(*face);
    vx::art::SetUnknownNameHandler(nullptr);
    EXPECT_EQ(unknown, QStringList());
    for (const char* name : {"FT5K_SLIDERS_A", "FT5K_SLIDERS_A_APF", "FT5K_SLIDERS_B", "FT5K_SLIDERS_B_APF"})
        EXPECT_EQ(vx::art::Size(QString::fromLatin1(name)), QSize(110, 9)) << name;
}

TEST_F(FT5000Face, SavesABusyFaceRender)
{
    connect();
    radio(QStringLiteral("FA014195000;FB007074000;MD02;MD13;AG0160;AG1090;RG0230;RG1200;SQ0030;SQ1060;"
                         "PC100;MG120;KS025;NB01;NA01;RT1;SM0160;SM1080;FT2;VS0;SH016;SH113;SF07;"));
    received([&] {
        rx().SetNoiseReductionB(true);
        rx().SetNoiseReductionLevelB(7);
        rx().SetNotchB(true);
        rx().SetNotchLevelB(180);
        rx().SetIFShiftA(250);
        rx().SetContourA(conOn);
        rx().SetContourLevelA(15);
        rx().SetAutoNotchA(true);
        rx().SetAFGainB(90);
    });
    cat->PrepareRX();
    cat->SetClarifierOffset(150);
    face->PanelFrequencyA->SetFrequency(14195000);
    face->PanelFrequencyB->SetFrequency(7074000);
    Fire(cat->OnFunctionRX, frxARX_BRX);
    Fire(cat->OnCAT, true);
    Fire(cat->OnDSPButton, uint8_t(0), btnCONTOUR_APF, true, btnNone);
    Fire(cat->OnDSPButton, uint8_t(1), btnNOTCH, true, btnNone);
    Fire(cat->OnClassA, true);
    Fire(cat->OnSMeter, uint8_t(0), uint8_t(160));
    Fire(cat->OnLockA, true);
    Fire(cat->OnPowerControlWatt, uint8_t(100));
    face->SubDisplayA->SetDisplayMode(dpmContour);
    vx::Clock::advance(5000); // the power text has gone again
    sent.clear();

    host->resize(face->size());
    host->show();
    for (const qreal ratio : {1.0, 2.0}) {
        QImage img(face->size() * ratio, QImage::Format_RGB32);
        img.setDevicePixelRatio(ratio);
        img.fill(Qt::magenta);
        face->render(&img);
        ASSERT_TRUE(SaveArtifact(img, ratio == 1.0 ? QStringLiteral("face-ftdx5000.png")
                                                   : QStringLiteral("face-ftdx5000@2x.png")));
        if (ratio != 1.0)
            continue;
        EXPECT_EQ(img.size(), QSize(1148, 483));
        // Nothing is left unpainted; the LCD and the sub displays are black windows.
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_NE(img.pixel(x, y), QColor(Qt::magenta).rgb()) << x << "," << y;
        EXPECT_EQ(PixelName(img, 885 + 60, 150 + 2), "#000000");
        // A dark panel where no control stands.
        const QColor panel = img.pixelColor(5, 300);
        EXPECT_LT(panel.value(), 70);
    }
    EXPECT_TRUE(sent.isEmpty());
}
