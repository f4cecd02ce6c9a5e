// The front panel base: its controls at their places with their settings, window creation
// that sends nothing, the engine events it binds and releases, and the offscreen render.
#include "PanelBaseFixture.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace {

// Every event of the engine, to count which of them point somewhere.
#define VX_ENGINE_EVENTS(X)                                                                                        \
    X(OnCATCommandTX) X(OnCATCommandRX) X(OnComPortState) X(OnComState) X(OnCAT) X(OnPowerSwitch)                  \
    X(OnIdentification) X(OnTransceiver) X(OnAutoInformation) X(OnIPCInformation) X(OnAFGain) X(OnAGC)             \
    X(OnAntenna) X(OnAntennaRX) X(OnAntennaTuner) X(OnAPFOffset) X(OnAttenuator) X(OnAutoNotch) X(OnBand)           \
    X(OnBandmapVFO) X(OnBandSelect) X(OnBargraph) X(OnBreakIn) X(OnBusy) X(OnClassA) X(OnCWBreakInDelay)            \
    X(OnCWSpot) X(OnClarifierOffset) X(OnClarifierRange) X(OnClarifierRX) X(OnClarifierTX) X(OnContour)            \
    X(OnContourGain) X(OnContourLevel) X(OnDigitalMeter) X(OnDigitalMeterChange) X(OnDimmerDisplay)                 \
    X(OnDimmerMeter) X(OnDimmerSwitch) X(OnDisplay) X(OnDSPButton) X(OnFastStepA) X(OnFastStepB)                   \
    X(OnFilterChange) X(OnFilterWidth) X(OnFrequency) X(OnFunctionRX) X(OnFunctionTX) X(OnIFShift) X(OnIPO)        \
    X(OnIsTuning) X(OnKeyPitch) X(OnKeySpeed) X(OnKeyer) X(OnKeyerMemory) X(OnLockA) X(OnLockB)                     \
    X(OnMemoryChannel) X(OnMemoryChannel2) X(OnMenuSettings) X(OnMeter) X(OnMeterSwitch) X(OnMicGain) X(OnModeA)   \
    X(OnModeB) X(OnModeChange) X(OnMonitor) X(OnMonitorLevel) X(OnMOX) X(OnMOXChange) X(OnNarrow)                   \
    X(OnNoiseBlanker) X(OnNoiseBlankerLevel) X(OnNoiseReduction) X(OnNoiseReductionLevel) X(OnNotch)                \
    X(OnNotchLevel) X(OnPowerControl) X(OnPowerControlWatt) X(OnPLLUnlockStatus) X(OnProcessor)                     \
    X(OnProcessorLevel) X(OnResolution) X(OnRFGain) X(OnRadioInformationClassA) X(OnRadioInformationHiSWR)          \
    X(OnRadioInformationMainRX) X(OnRadioInformationMainTX) X(OnRadioInformationMicEq) X(OnRadioInformationPlay)    \
    X(OnRadioInformationRec) X(OnRadioInformationSubRX) X(OnRadioInformationSubTX) X(OnRadioStatus)                 \
    X(OnRepeaterShiftA) X(OnRepeaterShiftB) X(OnRoofingFilter) X(OnRotator) X(OnShowMeter) X(OnShowMeterMeter)      \
    X(OnSMeter) X(OnSquelch) X(OnSubDialFunction) X(OnSubReceiver) X(OnTransmitting) X(OnTransverterIsOn)           \
    X(OnTransverterOffset) X(OnTuningFrequency) X(OnTXSet) X(OnTXWatch) X(OnVFOMemoryMode) X(OnVFOSelect) X(OnVRF)  \
    X(OnVox) X(OnVoxChange) X(OnVoxDelay) X(OnVoxGain) X(OnScan)

QStringList AssignedEvents(const TFTCATInterface& e)
{
    QStringList names;
#define VX_COUNT(name)                                                                                             \
    if (e.name)                                                                                                    \
        names << QStringLiteral(#name);
    VX_ENGINE_EVENTS(VX_COUNT)
#undef VX_COUNT
    return names;
}

// A panel that is its own owner, outside any host.
class BarePanel : public ::testing::Test {
protected:
    void SetUp() override { vx::Clock::useManual(); }
    void TearDown() override { vx::Clock::useSystem(); }
};

} // namespace

TEST_F(BarePanel, IsADarkPanelOfTheRadiosSizeUnderAFullSizePicture)
{
    TFTTransceiverPanelBase p;
    p.CreateWnd();
    EXPECT_EQ(p.size(), QSize(1019, 454));
    EXPECT_EQ(p.FTxImage->geometry(), QRect(0, 0, 1019, 454));
    EXPECT_TRUE(p.FTxImage->Picture().isEmpty());
    EXPECT_EQ(p.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(p.FTCATInterface(), nullptr);
    // A spot no control covers shows the panel's grey.
    const QImage img = RenderWidget(p);
    EXPECT_EQ(PixelName(img, 860, 100), BGRName(0x414141));
}

TEST_F(PanelBase, SpeedButtonsAtTheirPlacesWithTheirSettings)
{
    TFTTransceiverPanelBase& p = *panel;
    const struct {
        const char* Name;
        TPanelSpeedButton* Button;
        QRect Geometry;
        const char* Hint;
        int Tag;
        bool Flat;
        int Glyphs;
        int Group;
        bool AllUp;
        bool Down;
        bool Enabled;
        bool Visible;
        QMenu* Popup;
    } rows[] = {
#define B(n) #n, p.n
        {B(Band160Button), {710, 143, 29, 17}, "160m", 160, true, 1, 0, false, false, true, true, nullptr},
        {B(Band80Button), {750, 143, 29, 17}, "80m", 80, true, 1, 0, false, false, true, true, nullptr},
        {B(Band40Button), {790, 143, 29, 17}, "40m", 40, true, 1, 0, false, false, true, true, nullptr},
        {B(Band30Button), {710, 166, 29, 17}, "30m", 30, true, 1, 0, false, false, true, true, nullptr},
        {B(Band20Button), {750, 166, 29, 17}, "20m", 20, true, 1, 0, false, false, true, true, nullptr},
        {B(Band17Button), {790, 166, 29, 17}, "17m", 17, true, 1, 0, false, false, true, true, nullptr},
        {B(Band15Button), {710, 189, 29, 17}, "15m", 15, true, 1, 0, false, false, true, true, nullptr},
        {B(Band12Button), {750, 189, 29, 17}, "12m", 12, true, 1, 0, false, false, true, true, nullptr},
        {B(Band10Button), {790, 189, 29, 17}, "10m", 10, true, 1, 0, false, false, true, true, nullptr},
        {B(BandGenButton), {710, 212, 29, 17}, "GEN", 999, true, 1, 0, false, false, true, true, nullptr},
        {B(Band6Button), {750, 212, 29, 17}, "6m", 6, true, 1, 0, false, false, true, true, nullptr},
        {B(EnterButton), {790, 212, 29, 17}, "Enter Frequency", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(ModeLSBButton), {386, 172, 26, 14}, "LSB", 1, false, 1, 0, false, false, true, true, nullptr},
        {B(ModeUSBButton), {384, 194, 26, 14}, "USB", 2, false, 1, 0, false, false, true, true, nullptr},
        {B(ModeCWButton), {384, 217, 26, 14}, "CW", 3, false, 1, 0, false, false, true, true, nullptr},
        {B(ModeAMFMButton), {386, 241, 26, 14}, "AM/FM", 4, false, 1, 0, false, false, true, true, nullptr},
        {B(ModeRTTYButton), {386, 264, 26, 14}, "RTTY", 5, false, 1, 0, false, false, true, true, nullptr},
        {B(ModePKTButton), {386, 287, 26, 14}, "Packet", 6, false, 1, 0, false, false, true, true, nullptr},
        {B(AntennaTunerButton), {8, 101, 21, 21}, "Antenna Tuner", 0, true, 1, 0, false, false, true, true,
         p.PopupTunerStart},
        {B(AToBButton), {646, 174, 34, 16}, "VFO A to VFO B", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(AutoNotchAButton), {909, 71, 29, 17}, "Digital Notch Filter (Auto Notch)", 0, true, 1, 0, false, false,
         true, false, nullptr},
        {B(BreakInButton), {182, 178, 29, 17}, "Break-In", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(ClarifierClearButton), {708, 309, 29, 17}, "Clear RX/TX Clarifier", 0, true, 1, 0, false, false, true,
         true, nullptr},
        {B(ClarifierRXButton), {708, 256, 29, 17}, "RX Clarifier", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(ClarifierTXButton), {708, 282, 29, 17}, "TX Clarifier", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(CWSpotButton), {182, 213, 29, 17}, "CW Spot", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(DimmerSwitchButton), {46, 16, 31, 20}, "Dimmer", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(DNRAButton), {909, 155, 29, 17}, "Digital Noise Reduction", 0, true, 1, 0, false, false, true, true,
         nullptr},
        {B(F1Button), {39, 310, 29, 15}, "", 1, true, 1, 0, false, false, true, true, p.PopupKeyer1},
        {B(F2Button), {81, 310, 29, 15}, "", 2, true, 1, 0, false, false, true, true, p.PopupKeyer2},
        {B(F3Button), {123, 310, 29, 15}, "", 3, true, 1, 0, false, false, true, true, p.PopupKeyer3},
        {B(F4Button), {165, 310, 29, 15}, "", 4, true, 1, 0, false, false, true, true, p.PopupKeyer4},
        {B(F5Button), {207, 310, 29, 15}, "", 5, true, 1, 0, false, false, true, true, p.PopupKeyer5},
        {B(FastStepButton), {632, 150, 27, 17}, "Fast", 0, true, 4, 73196, true, false, true, true, nullptr},
        {B(KeyerButton), {123, 139, 29, 17}, "Keyer", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(LockButton), {667, 150, 26, 16}, "Lock", 0, true, 4, 701, true, false, true, true, nullptr},
        {B(MemoryChannelToVFOAButton), {651, 250, 29, 16}, "Memory Channel to VFO A", 0, true, 4, 0, false, false,
         true, true, nullptr},
        {B(MenuButton), {620, 307, 59, 12}, "Transceiver Menu", 0, true, 2, 0, false, false, true, true, nullptr},
        {B(MonitorButton), {38, 139, 29, 17}, "Monitor", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(MOXButton), {9, 56, 27, 17}, "MOX", 0, true, 4, 500, true, false, true, true, nullptr},
        {B(NarrowButton), {424, 226, 23, 16}, "Narrow", 0, false, 1, 745, true, false, true, true, nullptr},
        {B(NoiseBlankerButton), {333, 139, 29, 17}, "Noise Blanker", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(PowerSwitchButton), {6, 16, 33, 19}, "Power Switch", 0, false, 4, 100, true, false, true, true, nullptr},
        {B(ProcessorButton), {81, 139, 29, 17}, "Speech Processor", 0, true, 1, 0, false, false, true, true, nullptr},
        {B(QMBRecallButton), {424, 198, 25, 16}, "QMB Recall", 0, false, 4, 0, false, false, true, true, nullptr},
        {B(QMBStoreButton), {424, 174, 34, 16}, "QMB Store", 0, false, 4, 0, false, false, true, true, nullptr},
        {B(SDF1Button), {840, 219, 36, 16}, "Band", 0, false, 4, 814, true, false, false, true, nullptr},
        {B(SDF2Button), {840, 246, 23, 16}, "MHz", 1, false, 4, 814, true, false, false, true, nullptr},
        {B(SDF3Button), {840, 273, 25, 16}, "Memory Group", 2, false, 4, 814, true, false, false, true, nullptr},
        {B(SDF4Button), {840, 300, 44, 16}, "Memory Channel", 3, false, 4, 814, true, false, false, true, nullptr},
        {B(SDF5Button), {970, 219, 35, 16}, "Band", 4, false, 4, 816, true, false, true, true, nullptr},
        {B(SDF6Button), {983, 246, 22, 16}, "MHz", 5, false, 4, 816, true, false, true, true, nullptr},
        {B(SDF7Button), {982, 273, 23, 16}, "Fast", 6, false, 4, 816, true, false, true, true, nullptr},
        {B(SDF8Button), {964, 300, 41, 16}, "A/B", 7, false, 4, 813, true, true, true, true, nullptr},
        {B(SplitButton), {424, 250, 28, 16}, "Split", 0, false, 1, 300, true, false, true, true, nullptr},
        {B(SwapVFOButton), {655, 200, 25, 16}, "Swap VFOs", 0, true, 4, 0, false, false, true, true, nullptr},
        {B(TXWatchButton), {424, 274, 39, 16}, "TX Watch", 0, false, 4, 300, true, false, true, true, nullptr},
        {B(VFOSelectAButton), {383, 151, 30, 16}, "Select VFO A", 0, false, 4, 711, false, true, true, true, nullptr},
        {B(VFOSelectBButton), {421, 151, 34, 16}, "Select VFO B", 0, false, 4, 711, false, false, true, true, nullptr},
        {B(VFOAToMemoryButton), {640, 274, 40, 16}, "VFO A to Memory Channel", 0, true, 4, 0, false, false, true,
         true, nullptr},
        {B(VMButton), {657, 225, 21, 16}, "VFO/Memory Mode", 0, true, 4, 0, false, false, true, true, nullptr},
        {B(VOXButton), {47, 56, 27, 17}, "VOX", 0, true, 4, 501, true, false, true, true, nullptr},
#undef B
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        const TPanelSpeedButton* b = r.Button;
        EXPECT_EQ(b->geometry(), r.Geometry);
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(r.Hint));
        EXPECT_EQ(b->Tag(), r.Tag);
        EXPECT_EQ(b->Flat(), r.Flat);
        EXPECT_EQ(b->NumGlyphs(), r.Glyphs);
        EXPECT_EQ(b->GroupIndex(), r.Group);
        EXPECT_EQ(b->AllowAllUp(), r.AllUp);
        EXPECT_EQ(b->Down(), r.Down);
        EXPECT_EQ(b->isEnabled(), r.Enabled);
        EXPECT_EQ(b->isVisibleTo(panel), r.Visible);
        EXPECT_EQ(TFTTransceiverPanelBase::PopupMenuOf(b), r.Popup);
        EXPECT_EQ(b->Spacing(), b == p.AToBButton ? 4 : 0);
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(p.PowerSwitchButton->Layout(), blGlyphBottom);
}

TEST_F(PanelBase, DisplayDialsKnobsLampsAndTwoHalfKeysAtTheirPlaces)
{
    TFTTransceiverPanelBase& p = *panel;
    const struct {
        const char* Name;
        QWidget* Control;
        QPoint At;
        QWidget* Parent;
    } rows[] = {
#define C(n) #n, p.n
        {C(FTxDisplay), {258, 20}, panel},        {C(PanelFrequencyA), {216, 12}, p.FTxDisplay},
        {C(PanelFrequencyB), {425, 18}, p.FTxDisplay}, {C(PanelClarifier), {319, 57}, p.FTxDisplay},
        {C(PanelMeter), {92, 21}, panel},         {C(TuningPanelB), {649, 344}, panel},
        {C(MemoryChannelPanel), {649, 344}, panel}, {C(VFOMain), {478, 153}, panel},
        {C(VFOSub), {888, 233}, panel},           {C(KnobAFGainRFGainA), {318, 247}, panel},
        {C(KnobAFGainRFGainB), {241, 247}, panel}, {C(KnobMicPwr), {27, 247}, panel},
        {C(KnobMonitorProcessor), {104, 174}, panel}, {C(KnobNBSQLA), {318, 174}, panel},
        {C(KnobVOXDelay), {104, 247}, panel},     {C(KnobSpeedPitch), {241, 174}, panel},
        {C(FunctionRXAButton), {435, 131}, panel}, {C(FunctionRXBButton), {843, 193}, panel},
        {C(FunctionTXAButton), {633, 131}, panel}, {C(FunctionTXBButton), {969, 193}, panel},
        {C(AGCButton), {291, 139}, panel},        {C(AttenuatorButton), {165, 139}, panel},
        {C(IPOButton), {207, 139}, panel},        {C(RoofingFilterButton), {249, 139}, panel},
#undef C
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Control->pos(), r.At);
        EXPECT_EQ(r.Control->parentWidget(), r.Parent);
    }
    EXPECT_EQ(p.TuningPanelB->width(), 359);
    EXPECT_EQ(TFTTransceiverPanelBase::TabOrder(p.TuningPanelB), 99);
    EXPECT_EQ(p.MemoryChannelPanel->size(), QSize(359, 101));
    EXPECT_FALSE(p.MemoryChannelPanel->isVisibleTo(panel));
    EXPECT_EQ(p.PanelFrequencyB->DisplayType(), dtFT2K_B);
    EXPECT_EQ(p.PanelClarifier->DisplayType(), dtFT2K_Clarifier);
    EXPECT_EQ(p.FTxDisplay->Transceiver(), FT2000);
    EXPECT_EQ(p.PanelMeter->Transceiver(), FT2000);
    for (TRCButton* b : {p.AGCButton, p.AttenuatorButton, p.IPOButton, p.RoofingFilterButton}) {
        EXPECT_EQ(b->size(), QSize(29, 17));
        EXPECT_TRUE(b->Flat());
    }
    EXPECT_EQ(p.AGCButton->toolTip(), "AGC");
    EXPECT_EQ(p.RoofingFilterButton->toolTip(),
              "Roofing Filter. Click upper or lower button half to select Roofing Filter positions.");
    EXPECT_EQ(TFTTransceiverPanelBase::PopupMenuOf(p.AGCButton), p.PopupAGCOff);
    // Built in the order that puts later controls above earlier ones.
    const QObjectList children = panel->children();
    const QObject* order[] = {p.FTxImage, p.FTxDisplay, p.PanelMeter, p.TuningPanelB, p.MemoryChannelPanel,
                              p.VFOMain, p.VFOSub, p.Band160Button, p.EnterButton, p.ModeLSBButton,
                              p.ModePKTButton, p.AGCButton, p.VOXButton, p.KnobAFGainRFGainA, p.KnobSpeedPitch,
                              p.PowerControlBar, p.ClarifierBar, p.PowerControlLabel, p.ClarifierLabel};
    for (size_t i = 1; i < std::size(order); ++i)
        EXPECT_LT(children.indexOf(order[i - 1]), children.indexOf(order[i])) << i;
    // The LCD's own click events are left alone: clicks on it change nothing.
    EXPECT_FALSE(p.FTxDisplay->OnLockA || p.FTxDisplay->OnNarrowA || p.FTxDisplay->OnKeyer);
}

TEST_F(PanelBase, TrackBarsAfterWindowCreation)
{
    TFTTransceiverPanelBase& p = *panel;
    const struct {
        const char* Name;
        TRCTrackBar* Bar;
        int Left, TabOrder, Min, Max, PageSize, Position;
        bool Enabled;
        TColorStyle Color;
        int Ticks;
        const char* Hint;
    } rows[] = {
#define T(n) #n, p.n
        {T(PowerControlBar), 12, 1, 0, 255, 5, 5, true, scsRed, 25, "RF Output Power 5W"},
        {T(MicGainBar), 44, 2, 0, 255, 5, 0, true, scsRed, 25, "Mic Gain Level 0"},
        {T(ProcessorLevelBar), 68, 3, 0, 255, 32, 0, false, scsRed, 25, "Processor Level 0"},
        {T(VoxGainBar), 92, 4, 0, 255, 5, 0, true, scsRed, 25, "VOX Gain"},
        {T(VoxDelayBar), 116, 5, 0, 255, 5, 20, true, scsRed, 50, "CW Break-In Delay Time"},
        {T(MonitorBar), 148, 6, 0, 255, 32, 0, false, scsRed, 25, ""},
        {T(KeySpeedBar), 189, 7, 4, 60, 2, 25, true, scsRed, 6, "25 WPM / 125 CPM"},
        {T(KeyPitchBar), 213, 8, 0, 255, 5, 10, true, scsRed, 25, "800 Hz"},
        {T(NoiseBlankerABar), 252, 9, 0, 255, 32, 0, false, scsGreen, 25, "Noise Blanker Level"},
        {T(RFGainABar), 276, 11, 0, 255, 16, 255, true, scsGreen, 25, "RF Gain Main Receiver"},
        {T(AFGainABar), 324, 13, 0, 255, 16, 0, true, scsGreen, 25, "AF Gain Main Receiver"},
        {T(SquelchABar), 385, 15, 0, 255, 16, 0, true, scsGreen, 25, "Squelch Level"},
        {T(FilterWidthABar), 428, 17, 0, 31, 2, 16, true, scsGreen, 4, "IF Width"},
        {T(IFShiftABar), 460, 19, -1000, 1000, 10, 0, true, scsGreen, 200, "IF Shift"},
        {T(NotchABar), 501, 21, 0, 255, 10, 150, false, scsGreen, 50, "Notch Level"},
        {T(ContourLevelABar), 525, 23, 0, 255, 5, 15, false, scsGreen, 5, "Contour Level"},
        {T(DNRABar), 549, 25, 1, 15, 2, 1, false, scsGreen, 2, "Noise Reduction Level"},
        {T(VRFABar), 573, 27, 0, 255, 5, 128, false, scsGreen, 48, "\u00b5Tune/VRF position"},
        {T(ClarifierBar), 608, 29, -9999, 9999, 10, 0, true, scsGreen, 2000, "Clarifier"},
#undef T
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        const TRCTrackBar* b = r.Bar;
        EXPECT_EQ(b->geometry(), QRect(r.Left, 348, 22, 89));
        EXPECT_EQ(TFTTransceiverPanelBase::TabOrder(b), r.TabOrder);
        EXPECT_EQ(b->Min(), r.Min);
        EXPECT_EQ(b->Max(), r.Max);
        EXPECT_EQ(b->PageSize(), r.PageSize);
        EXPECT_EQ(b->Position(), r.Position);
        EXPECT_EQ(b->isEnabled(), r.Enabled);
        EXPECT_EQ(b->ColorStyle(), r.Color);
        EXPECT_EQ(b->TickMark().ShowImageAtSteps(), r.Ticks);
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(r.Hint));
        // No flag is left over to swallow the operator's first move.
        EXPECT_FALSE(b->UpdatingPosition());
    }
    // The keyboard walks the bars in their numbered order.
    EXPECT_EQ(p.PowerControlBar->nextInFocusChain(), p.MicGainBar);
    EXPECT_EQ(p.RFGainABar->nextInFocusChain(), p.AFGainABar);
}

TEST_F(PanelBase, ValueLabelsInTheSmallGreyLegendFont)
{
    TFTTransceiverPanelBase& p = *panel;
    const struct {
        const char* Name;
        QLabel* Label;
        QRect Geometry;
        const char* Text;
        Qt::Alignment Alignment;
        const char* Hint;
    } rows[] = {
#define L(n) #n, p.n
        {L(PowerControlLabel), {11, 436, 23, 13}, "5 W", Qt::AlignHCenter, ""},
        {L(MicGainLabel), {43, 436, 23, 10}, "0", Qt::AlignHCenter, ""},
        {L(ProcessorLevelLabel), {67, 436, 23, 13}, "0", Qt::AlignHCenter, ""},
        {L(VoxGainLabel), {91, 436, 23, 10}, "0", Qt::AlignHCenter, ""},
        {L(VoxDelayLabel), {115, 436, 23, 10}, "0", Qt::AlignHCenter, ""},
        {L(MonitorLabel), {147, 436, 23, 13}, "0", Qt::AlignHCenter, ""},
        {L(KeySpeedLabel), {200, 436, 32, 10}, "25", Qt::AlignRight, ""},
        {L(NoiseBlankerALabel), {251, 436, 23, 10}, "0", Qt::AlignHCenter, ""},
        {L(FilterWidthALabel), {420, 436, 36, 10}, "800", Qt::AlignHCenter, ""},
        {L(IFShiftALabel), {454, 436, 33, 10}, "0", Qt::AlignHCenter, ""},
        {L(NotchALabel), {497, 436, 28, 10}, "1500", Qt::AlignHCenter, "Notch Level"},
        {L(ContourLevelALabel), {525, 436, 30, 10}, "1500", Qt::AlignHCenter, "Contour Level"},
        {L(DNRALabel), {550, 436, 28, 10}, "01", Qt::AlignHCenter, "Noise Reduction Level"},
        {L(VRFALabel), {575, 436, 28, 10}, "128", Qt::AlignHCenter, "VRF Level"},
        {L(ClarifierLabel), {600, 436, 30, 13}, "0 Hz", Qt::AlignHCenter, ""},
#undef L
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Label->geometry(), r.Geometry);
        EXPECT_EQ(r.Label->text(), QString::fromUtf8(r.Text));
        EXPECT_EQ(r.Label->alignment() & Qt::AlignHorizontal_Mask, r.Alignment);
        EXPECT_EQ(r.Label->toolTip(), QString::fromUtf8(r.Hint));
        EXPECT_EQ(r.Label->palette().color(QPalette::WindowText), BGRColor(0xB1B1B1));
        EXPECT_EQ(r.Label->font().family(), "DejaVu Sans");
        // The text fits its box.
        EXPECT_LE(r.Label->fontMetrics().height(), r.Geometry.height() + 1);
        EXPECT_LE(r.Label->fontMetrics().horizontalAdvance(r.Label->text()), r.Geometry.width());
    }
    // The pitch label sizes itself to its text from its place.
    EXPECT_EQ(p.KeyPitchLabel->pos(), QPoint(216, 436));
    EXPECT_EQ(p.KeyPitchLabel->text(), "800 Hz");
    EXPECT_GE(p.KeyPitchLabel->width(), p.KeyPitchLabel->fontMetrics().horizontalAdvance("800 Hz"));
}

TEST_F(PanelBase, PopupMenusAndTheirItems)
{
    TFTTransceiverPanelBase& p = *panel;
    EXPECT_EQ(p.MIAGCOff->text(), "AGC off");
    EXPECT_EQ(p.MIStartTuner->text(), "Start Tuner");
    QMenu* menus[] = {p.PopupKeyer1, p.PopupKeyer2, p.PopupKeyer3, p.PopupKeyer4, p.PopupKeyer5};
    QAction* items[] = {p.MICWMessage1, p.MICWMessage2, p.MICWMessage3, p.MICWMessage4, p.MICWMessage5};
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(menus[n - 1]->property("Tag").toInt(), n);
        EXPECT_EQ(items[n - 1]->data().toInt(), n);
        EXPECT_EQ(items[n - 1]->text(), QStringLiteral("Set CW Keyer Memory Message #%1").arg(n));
        EXPECT_EQ(menus[n - 1]->actions(), QList<QAction*>{items[n - 1]});
    }
}

TEST_F(PanelBase, BindsEightyThreeEventsAndReleasesThemWhenDestroyed)
{
    // The fixture's command recorder is the one event that was assigned before.
    QStringList bound = AssignedEvents(*cat);
    bound.removeOne(QStringLiteral("OnCATCommandTX"));
    EXPECT_EQ(bound.size(), 83) << bound.join(' ').toStdString();
    for (const char* other : {"OnComState", "OnIdentification", "OnTransceiver", "OnTuningFrequency",
                              "OnMenuSettings", "OnRotator", "OnKeyerMemory", "OnIPCInformation"})
        EXPECT_FALSE(bound.contains(QLatin1String(other))) << other;

    // Assigning null keeps the events where they were; assigning the engine again binds again.
    panel->SetFTCATInterface(nullptr);
    EXPECT_EQ(AssignedEvents(*cat).size(), 84);
    panel->SetFTCATInterface(cat.get());
    EXPECT_EQ(AssignedEvents(*cat).size(), 84);

    RecordingBandmap map;
    panel->SetBandmap(&map);
    panel->SetBandmap(nullptr); // ignored
    EXPECT_EQ(panel->Bandmap(), &map);
    host.reset();
    EXPECT_EQ(AssignedEvents(*cat), QStringList{QStringLiteral("OnCATCommandTX")});
    EXPECT_FALSE(map.OnFrequencyChange);
    EXPECT_FALSE(map.OnFrequencyRequest);
    // Reports reach nobody and break nothing.
    connect();
    radio(QStringLiteral("AG0128;MX1;PS0;FA014074000;"));
}

TEST_F(PanelBase, ReleasesOnlyItsOwnHandlers)
{
    // A second panel took over the engine; the first one going leaves the second's wiring.
    auto* second = new TFTTransceiverPanelBase(host.get());
    second->CreateWnd();
    second->SetFTCATInterface(cat.get());
    delete panel;
    panel = nullptr;
    EXPECT_EQ(AssignedEvents(*cat).size(), 84);
    radio(QStringLiteral("AG0128;"));
    EXPECT_EQ(second->AFGainABar->Position(), 128);
}

TEST_F(BarePanel, BuildingAndCreatingTheWindowSendNothing)
{
    TFTCATInterface cat;
    QStringList sent;
    cat.OnCATCommandTX = [&sent](const QString& s) { sent << s; };
    cat.HandleCATCommand(QStringLiteral("PS1;"));
    cat.RequestTimer()->stop();
    sent.clear();

    // The engine is assigned and connected before the window exists, and the window is made
    // twice: the initial bar values (power 5, RF gain 255 ...) stay on the screen.
    TestHost host;
    auto* p = new TFTTransceiverPanelBase(&host);
    p->SetFTCATInterface(&cat);
    p->CreateWnd();
    p->CreateWnd();
    host.show();
    EXPECT_TRUE(p->WindowCreated());
    EXPECT_EQ(p->PowerControlBar->Position(), 5);
    EXPECT_EQ(p->RFGainABar->Position(), 255);
    EXPECT_EQ(sent, QStringList());
    // The engine's state reached the controls it is copied into.
    EXPECT_TRUE(p->PowerSwitchButton->Down());
    EXPECT_TRUE(p->PanelMeter->ShowMeter());

    // The first operator move of a bar goes out.
    stepUp(p->AFGainABar);
    EXPECT_EQ(sent, QStringList{QStringLiteral("AG0001;")});
}

TEST_F(PanelBase, SavesABusyPanelRender)
{
    connect();
    radio(QStringLiteral("FA014074000;FB007025500;MD02;MD13;AG0160;RG0220;SQ0030;PC160;MG090;KS025;BI1;"
                         "NB01;NA01;RT1;RU0120;SM0180;SM1090;FT2;VS0;"));
    cat->PrepareRX();
    cat->SetClarifierOffset(120);
    panel->PanelFrequencyA->SetFrequency(14074000);
    panel->PanelFrequencyB->SetFrequency(7025500);
    Fire(cat->OnFunctionRX, frxARX_BRX);
    Fire(cat->OnMOX, true);
    Fire(cat->OnVox, true);
    Fire(cat->OnSMeter, uint8_t(0), uint8_t(180));
    Fire(cat->OnLockA, true);
    sent.clear();

    host->show();
    for (const qreal ratio : {1.0, 2.0}) {
        QImage img(panel->size() * ratio, QImage::Format_RGB32);
        img.setDevicePixelRatio(ratio);
        img.fill(Qt::magenta);
        panel->render(&img);
        ASSERT_TRUE(SaveArtifact(img, ratio == 1.0 ? QStringLiteral("panel-base.png")
                                                   : QStringLiteral("panel-base@2x.png")));
        if (ratio != 1.0)
            continue;
        // Dark panel, and the LCD's black face with lit figures.
        EXPECT_EQ(PixelName(img, 860, 100), BGRName(0x414141));
        EXPECT_EQ(PixelName(img, 258 + 3, 20 + 45), "#000000");
    }
    EXPECT_TRUE(sent.isEmpty());
}
