// The FT-2000 face: its controls, layout and pictures, the clarifier knob, the squelch switch,
// the sub dial's functions and the mode lamps.
#include "panel/widgets/FTTransceiverPanel2000.h"

#include "controls/widgets/RCTrackBar.h"
#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"
#include "core/cat/Tuning.h"
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
#include <QMouseEvent>
#include <algorithm>
#include <initializer_list>

namespace {

template <typename E>
bool Known(E value, E last)
{
    return unsigned(value) <= unsigned(last);
}

bool OneOf(TMode mode, std::initializer_list<TMode> modes)
{
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

QString Pct(int value)
{
    return ValueToPercentText(255, value);
}

// A label that answers a click, for the squelch switch.
class TClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    TNotifyEvent OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            Fire(OnClick);
        QLabel::mouseReleaseEvent(event);
    }
};

} // namespace

TFTTransceiverPanel2000::TFTTransceiverPanel2000(QWidget* AOwner) : TFTTransceiverPanelBase(AOwner)
{
    RegisterFT2000Art();
    resize(PanelWidth, PanelHeight);
    FTxImage->setGeometry(0, 0, width(), height());

    SDFImage1 = new TPanelImage(this);
    SDFImage1->setGeometry(946, 218, 21, 13);
    SDFImage2 = new TPanelImage(this);
    SDFImage2->setGeometry(955, 231, 26, 62);

    const auto knob = [this](int x, int y) {
        auto* k = new TFTPanelKnob(this);
        k->move(x, y);
        return k;
    };
    KnobContourDNR = knob(954, 119);
    KnobMeterSwitch = knob(6, 165);
    KnobMeterSwitch->OnClick = [this] { KnobMeterSwitchClick(KnobMeterSwitch); };
    KnobMeterSwitch->OnClickBack = [this] { KnobMeterSwitchClickBack(KnobMeterSwitch); };
    KnobNotchLevel = knob(954, 31);
    KnobShiftWidth = knob(846, 119);

    FT2KClarifier = new TFTPanelDial(this);
    FT2KClarifier->move(749, 253);
    FT2KClarifier->OnTuningStep = [this](QObject*, int step) { ClarifierTuningStep(step); };

    const auto key = [this](QRect geometry, const char* hint, bool flat) {
        auto* b = new TPanelSpeedButton(this);
        b->setGeometry(geometry);
        b->setToolTip(QString::fromUtf8(hint));
        b->SetFlat(flat);
        b->SetSpacing(0);
        return b;
    };
    AntennaButton = key(QRect(33, 101, 21, 21), "Antenna 1/2", true);
    AntennaButton->hide();
    AntennaButton->OnClick = [this] { AntennaButtonClick(AntennaButton); };
    AntennaRXButton = key(QRect(58, 101, 21, 21), "RX Antenna", true);
    AntennaRXButton->OnClick = [this] { AntennaRXButtonClick(AntennaRXButton); };
    ContourButton = key(QRect(909, 123, 29, 17), "Contour", true);
    ContourButton->OnClick = [this] { ContourAButtonClick(ContourButton); };
    // The radio's keys that the program does not drive: there to look at, with no action.
    CustomSettingButton = key(QRect(424, 307, 59, 12), "not supported", false);
    CustomSettingButton->SetAllowAllUp(true);
    CustomSettingButton->SetGroupIndex(811);
    CustomSettingButton->SetNumGlyphs(4);
    DisplayButton = key(QRect(333, 310, 29, 15), "not supported", true);
    DisplayButton->SetTag(8);
    F6Button = key(QRect(249, 310, 29, 15), "not supported", true);
    F6Button->SetTag(6);
    F7Button = key(QRect(291, 310, 29, 15), "not supported", true);
    F7Button->SetTag(7);
    NotchButton = key(QRect(909, 48, 29, 17), "Manual Notch", true);
    NotchButton->OnClick = [this] { NotchAButtonClick(NotchButton); };
    VRFButton = key(QRect(909, 25, 29, 17), "VRF", true);
    VRFButton->OnClick = [this] { VRFAButtonClick(VRFButton); };

    // The sub receiver's bars beside the main receiver's.
    const auto bar = [this](int left, int tabOrder) {
        auto* b = new TRCTrackBar(this);
        b->setGeometry(left, PowerControlBar->y(), PowerControlBar->width(), PowerControlBar->height());
        b->setProperty("Tag", 1);
        SetTabOrder(b, tabOrder);
        return b;
    };
    RFGainBBar = bar(300, 12);
    RFGainBBar->OnChange = [this] { RFGainBBarChange(RFGainBBar); };
    AFGainBBar = bar(348, 14);
    AFGainBBar->OnChange = [this] { AFGainBBarChange(AFGainBBar); };
    SquelchBBar = bar(385, 16);
    SquelchBBar->hide();
    SquelchBBar->OnChange = [this] { SquelchBBarChange(SquelchBBar); };

    auto* squelch = new TClickLabel(this);
    squelch->setGeometry(382, 436, 28, 10);
    squelch->OnClick = [this] { SquelchALabelClick(); };
    SquelchALabel = squelch;
}

// ---- Window creation ----

void TFTTransceiverPanel2000::CreateWnd()
{
    TFTTransceiverPanelBase::CreateWnd();
    FTxImage->SetPicture(QStringLiteral("FT2KIMAGEV2"));
    SDFImage1->SetPicture(QStringLiteral("FT2K_SDF_1_ON"));
    SDFImage2->SetPicture(QStringLiteral("FT2K_SDF_2_ON"));
    LayoutDisplayGroup();

    VFOMain->move(478, 153);
    VFOMain->SetDialType(dtFT2K_VFOA);
    VFOSub->move(887, 233);
    VFOSub->SetDialType(dtFT2K_VFOB);
    FT2KClarifier->move(749, 253);
    FT2KClarifier->SetDialType(dtFT2K_Clar);

    LayoutButtons();
    LayoutKnobs();
    LayoutBars();
    LayoutLabels();

    const struct {
        QWidget* Control;
        int Order;
    } tabs[] = {{PowerControlBar, 1}, {MicGainBar, 2},        {ProcessorLevelBar, 3}, {VoxGainBar, 4},
                {VoxDelayBar, 5},     {MonitorBar, 6},        {KeySpeedBar, 7},       {KeyPitchBar, 8},
                {NoiseBlankerABar, 9}, {RFGainABar, 11},      {RFGainBBar, 12},       {AFGainABar, 13},
                {AFGainBBar, 14},     {SquelchABar, 15},      {SquelchBBar, 16},      {FilterWidthABar, 17},
                {IFShiftABar, 18},    {NotchABar, 21},        {ContourLevelABar, 24}, {DNRABar, 26},
                {VRFABar, 28},        {ClarifierBar, 30},     {TuningPanelB, 99}};
    for (const auto& t : tabs)
        SetTabOrder(t.Control, t.Order);
}

void TFTTransceiverPanel2000::LayoutDisplayGroup()
{
    FTxDisplay->move(258, 20);
    FTxDisplay->SetTransceiver(FT2000);
    PanelFrequencyA->move(216, 12);
    if (PanelFrequencyB->parentWidget() != FTxDisplay)
        PanelFrequencyB->setParent(FTxDisplay);
    PanelFrequencyB->SetDisplayType(dtFT2K_B);
    PanelFrequencyB->show();
    PanelFrequencyB->move(425, 18);
    PanelClarifier->move(319, 57);
    PanelClarifier->SetDisplayType(dtFT2K_Clarifier);
    PanelMeter->SetTransceiver(FT2000);
    PanelMeter->move(92, 21);
    TuningPanelB->setGeometry(651, 344, 356, TuningPanelB->height());
    MemoryChannelPanel->setGeometry(TuningPanelB->x(), TuningPanelB->y(), TuningPanelB->width(),
                                    MemoryChannelPanel->height());
}

void TFTTransceiverPanel2000::LayoutButtons()
{
    // Band keys, in the order of the band row.
    const struct {
        TPanelSpeedButton* Button;
        const char* Glyph;
    } bands[] = {{Band160Button, "FT2K_BAND_160"}, {Band80Button, "FT2K_BAND_80"},   {Band40Button, "FT2K_BAND_40"},
                 {Band30Button, "FT2K_BAND_30"},   {Band20Button, "FT2K_BAND_20"},   {Band17Button, "FT2K_BAND_17"},
                 {Band15Button, "FT2K_BAND_15"},   {Band12Button, "FT2K_BAND_12"},   {Band10Button, "FT2K_BAND_10"},
                 {BandGenButton, "FT2K_BAND_GEN"}, {Band6Button, "FT2K_BAND_6"},     {EnterButton, "FT2K_BAND_ENT"}};
    for (const auto& b : bands) {
        b.Button->SetGlyph(QString::fromLatin1(b.Glyph));
        b.Button->SetNumGlyphs(4);
        b.Button->SetSpacing(0);
    }

    // Mode keys: a group each, so that every key shows a lamp of its own.
    const struct {
        TPanelSpeedButton* Button;
        const char* Glyph;
        int Group;
        bool Down;
        int Top;
    } modes[] = {{ModeLSBButton, "FT2K_MODE_LSB", 901, false, 172},   {ModeUSBButton, "FT2K_MODE_USB", 902, true, 194},
                 {ModeCWButton, "FT2K_MODE_CW", 903, true, 217},      {ModeAMFMButton, "FT2K_MODE_AMFM", 904, false, 241},
                 {ModeRTTYButton, "FT2K_MODE_RTTY", 905, false, 264}, {ModePKTButton, "FT2K_MODE_PKT", 906, false, 287}};
    ModeLSBButton->setToolTip(QStringLiteral("LSB"));
    ModeLSBButton->resize(26, 14);
    ModeRTTYButton->setToolTip(QStringLiteral("RTTY"));
    for (const auto& m : modes) {
        m.Button->SetGlyph(QString::fromLatin1(m.Glyph));
        m.Button->SetAllowAllUp(true);
        m.Button->SetGroupIndex(m.Group);
        m.Button->SetDown(m.Down);
        m.Button->setGeometry(386, m.Top, ModeLSBButton->width(), ModeLSBButton->height());
        m.Button->SetNumGlyphs(4);
        m.Button->show();
    }

    // Every other key: its picture strip and its place.
    const struct {
        TPanelSpeedButton* Button;
        const char* Glyph;
        QRect Geometry;
    } keys[] = {
        {AntennaButton, "FT2K_BTN_TUNE", {33, 101, 21, 21}},
        {AntennaRXButton, "FT2K_BTN_TUNE", {58, 101, 21, 21}},
        {AntennaTunerButton, "FT2K_BTN_TUNE", {8, 101, 21, 21}},
        {AToBButton, "FT2K_BTN_A2B", {646, 174, 35, 17}},
        {AutoNotchAButton, "FT2K_BTN", {909, 71, 29, 17}},
        {BreakInButton, "FT2K_BTN", {182, 178, 29, 17}},
        {ClarifierClearButton, "FT2K_BTN", {708, 309, 29, 17}},
        {ClarifierRXButton, "FT2K_BTN", {708, 256, 29, 17}},
        {ClarifierTXButton, "FT2K_BTN", {708, 282, 29, 17}},
        {ContourButton, "FT2K_BTN", {909, 123, 29, 17}},
        {CustomSettingButton, "FT2K_BTN_CS", {424, 307, 59, 12}},
        {CWSpotButton, "FT2K_BTN", {182, 213, 29, 17}},
        {DimmerSwitchButton, "FT2K_BTN_DIM", {46, 16, 31, 20}},
        {DisplayButton, "FT2K_BTN_F1", {333, 310, 29, 15}},
        {DNRAButton, "FT2K_BTN", {909, 155, 29, 17}},
        {F1Button, "FT2K_BTN_F1", {39, 310, 29, 15}},
        {F2Button, "FT2K_BTN_F1", {81, 310, 29, 15}},
        {F3Button, "FT2K_BTN_F1", {123, 310, 29, 15}},
        {F4Button, "FT2K_BTN_F1", {165, 310, 29, 15}},
        {F5Button, "FT2K_BTN_F1", {207, 310, 29, 15}},
        {F6Button, "FT2K_BTN_F1", {249, 310, 29, 15}},
        {F7Button, "FT2K_BTN_F1", {291, 310, 29, 15}},
        {FastStepButton, "FT2K_BTN_FAST", {632, 150, 26, 16}},
        {KeyerButton, "FT2K_BTN", {123, 139, 29, 17}},
        {LockButton, "FT2K_BTN_LOCK", {667, 150, 26, 16}},
        {MemoryChannelToVFOAButton, "FT2K_BTN_MA", {651, 250, 29, 16}},
        {MenuButton, "FT2K_BTN_MENU", {620, 307, 59, 12}},
        {MonitorButton, "FT2K_BTN", {38, 139, 29, 17}},
        {MOXButton, "FT2K_BTN_LED", {9, 56, 27, 17}},
        {NarrowButton, "FT2K_BTN_NAR", {424, 226, 23, 16}},
        {NoiseBlankerButton, "FT2K_BTN", {333, 139, 29, 17}},
        {NotchButton, "FT2K_BTN", {909, 48, 29, 17}},
        {PowerSwitchButton, "FT2K_BTN_POWER", {6, 16, 33, 19}},
        {ProcessorButton, "FT2K_BTN", {81, 139, 29, 17}},
        {QMBRecallButton, "FT2K_BTN_RCL", {424, 198, 25, 16}},
        {QMBStoreButton, "FT2K_BTN_STO", {424, 174, 34, 16}},
        {SDF1Button, "FT2K_BTN_SDF1", {840, 219, 36, 16}},
        {SDF2Button, "FT2K_BTN_SDF2", SDF2Button->geometry()},
        {SDF3Button, "FT2K_BTN_SDF3", SDF3Button->geometry()},
        {SDF4Button, "FT2K_BTN_SDF4", SDF4Button->geometry()},
        {SDF5Button, "FT2K_BTN_SDF5", SDF5Button->geometry()},
        {SDF6Button, "FT2K_BTN_SDF6", SDF6Button->geometry()},
        {SDF7Button, "FT2K_BTN_SDF7", SDF7Button->geometry()},
        {SDF8Button, "FT2K_BTN_SDF8", {964, 300, 41, 16}},
        {SplitButton, "FT2K_BTN_SPLIT", {424, 250, 28, 16}},
        {SwapVFOButton, "FT2K_BTN_SWAP", {655, 200, 26, 17}},
        {TXWatchButton, "FT2K_BTN_TXW", {424, 274, 39, 16}},
        {VFOSelectAButton, "FT2K_BTN_MODEA", {383, 151, 30, 16}},
        {VFOSelectBButton, "FT2K_BTN_MODEB", {421, 151, 34, 16}},
        {VFOAToMemoryButton, "FT2K_BTN_AM", {640, 274, 40, 16}},
        {VMButton, "FT2K_BTN_VM", {657, 225, 21, 16}},
        {VOXButton, "FT2K_BTN_LED", {47, 56, 27, 17}},
        {VRFButton, "FT2K_BTN", {909, 25, 29, 17}},
    };
    for (const auto& k : keys) {
        k.Button->setGeometry(k.Geometry);
        k.Button->SetGlyph(QString::fromLatin1(k.Glyph));
        k.Button->SetNumGlyphs(4);
        k.Button->SetSpacing(0);
    }
    MenuButton->SetNumGlyphs(2);
    MenuButton->setToolTip(QStringLiteral("FT-2000 Transceiver Menu"));

    // The two-half keys share the plain key.
    const struct {
        TRCButton* Button;
        int Left;
    } halves[] = {{AGCButton, 291}, {AttenuatorButton, 165}, {IPOButton, 207}, {RoofingFilterButton, 249}};
    for (const auto& h : halves) {
        h.Button->setGeometry(h.Left, 139, 29, 17);
        h.Button->SetGlyph(QStringLiteral("FT2K_BTN"));
        h.Button->SetNumGlyphs(4);
    }

    for (QWidget* w : {static_cast<QWidget*>(AntennaButton), static_cast<QWidget*>(AutoNotchAButton),
                       static_cast<QWidget*>(ClarifierRXButton), static_cast<QWidget*>(ClarifierTXButton),
                       static_cast<QWidget*>(DNRAButton)})
        w->show();
    SDF1Button->setToolTip(QStringLiteral("Band"));
    SDF1Button->setEnabled(true);
    for (TPanelSpeedButton* b : {SDF2Button, SDF3Button, SDF4Button}) {
        b->setEnabled(false);
        b->show();
    }
    for (TPanelSpeedButton* b : {SDF5Button, SDF6Button, SDF7Button, SDF8Button}) {
        b->setEnabled(true);
        b->show();
    }
    SDF8Button->SetDown(true);

    // The receive and transmit lamps of both VFOs.
    const struct {
        TVFOABButton* Lamp;
        TVFOButtonType Type;
        TVFOState State;
    } lamps[] = {{FunctionRXAButton, vfoARX, vfoOn},
                 {FunctionRXBButton, vfoBRX, vfoOff},
                 {FunctionTXAButton, vfoATX, vfoOn},
                 {FunctionTXBButton, vfoBTX, vfoOff}};
    for (const auto& l : lamps) {
        l.Lamp->SetVFOButtonType(l.Type);
        l.Lamp->SetVFOState(l.State);
        l.Lamp->SetTransceiver(FT2000);
    }
    FunctionRXAButton->move(435, 131);
    FunctionRXBButton->move(843, 193);
    FunctionTXAButton->move(633, 131);
    FunctionTXBButton->move(969, 193);
}

void TFTTransceiverPanel2000::LayoutKnobs()
{
    const struct {
        TFTPanelKnob* Knob;
        TKnobType Type;
        QPoint At;
    } knobs[] = {
        {KnobAFGainRFGainA, ktFT2K_Knob1, {318, 247}},   {KnobAFGainRFGainB, ktFT2K_Knob1, {241, 247}},
        {KnobContourDNR, ktFT2K_Knob2, {954, 119}},      {KnobMeterSwitch, ktFT2K_Meter, {6, 165}},
        {KnobMicPwr, ktFT2K_Knob1, {27, 247}},           {KnobMonitorProcessor, ktFT2K_Knob1, {104, 174}},
        {KnobNBSQLA, ktFT2K_Knob1, {318, 174}},          {KnobNotchLevel, ktFT2K_Knob2, {954, 31}},
        {KnobShiftWidth, ktFT2K_Knob1, {846, 119}},      {KnobSpeedPitch, ktFT2K_Knob1, {241, 174}},
        {KnobVOXDelay, ktFT2K_Knob1, {104, 247}},
    };
    for (const auto& k : knobs) {
        k.Knob->SetKnobType(k.Type);
        k.Knob->move(k.At);
    }
    for (TFTPanelKnob* k : {KnobAFGainRFGainA, KnobAFGainRFGainB}) {
        k->SetValueInner(0);
        k->SetValueOuter(255);
    }
    for (TFTPanelKnob* k : {KnobMicPwr, KnobMonitorProcessor, KnobNBSQLA}) {
        k->SetValueInner(0);
        k->SetValueOuter(0);
    }
    KnobNBSQLA->show();
    KnobContourDNR->SetValueInnerMin(1);
    KnobContourDNR->SetValueInnerMax(40);
    KnobContourDNR->SetValueOuterMin(1);
    KnobContourDNR->SetValueOuterMax(15);
    KnobMeterSwitch->SetValueOuter(3);
    KnobNotchLevel->SetValueOuterMin(1);
    KnobNotchLevel->SetValueOuterMax(400);
    KnobShiftWidth->SetValueInnerMin(-1000);
    KnobShiftWidth->SetValueInnerMax(1000);
    KnobShiftWidth->SetValueOuterMin(1);
    KnobShiftWidth->SetValueOuterMax(31);
    KnobSpeedPitch->SetValueInnerMin(4);
    KnobSpeedPitch->SetValueInnerMax(60);
    KnobSpeedPitch->SetValueOuterMax(15);
    KnobVOXDelay->SetValueOuterMax(250);
    KnobVOXDelay->SetValueInner(0);
    KnobVOXDelay->SetValueOuter(0);
}

void TFTTransceiverPanel2000::LayoutBars()
{
    const struct {
        TRCTrackBar* Bar;
        int Left;
    } places[] = {{PowerControlBar, 12},   {MicGainBar, 44},       {ProcessorLevelBar, 68}, {VoxGainBar, 92},
                  {VoxDelayBar, 116},      {MonitorBar, 148},      {KeySpeedBar, 189},      {KeyPitchBar, 217},
                  {NoiseBlankerABar, 252}, {RFGainABar, 276},      {RFGainBBar, 300},       {AFGainABar, 324},
                  {AFGainBBar, 348},       {SquelchABar, 385},     {SquelchBBar, 385},      {FilterWidthABar, 428},
                  {IFShiftABar, 460},      {NotchABar, 501},       {ContourLevelABar, 525}, {DNRABar, 549},
                  {VRFABar, 573},          {ClarifierBar, 608}};
    PowerControlBar->move(12, 348);
    for (const auto& b : places)
        b.Bar->setGeometry(b.Left, PowerControlBar->y(), PowerControlBar->width(), PowerControlBar->height());

    // New ranges are shown, never sent: the window is made without the radio.
    ShowBarRange(PowerControlBar, 0, 255, PowerControlBar->Position());
    ShowBarRange(VoxDelayBar, 0, 250, VoxDelayBar->Position());
    VoxDelayBar->SetPageSize(10);
    ShowBarRange(KeyPitchBar, KeyPitchBar->Min(), 15, KeyPitchBar->Position());
    KeyPitchBar->TickMark().SetShowImageAtSteps(2);
    ShowBarRange(FilterWidthABar, FilterWidthABar->Min(), 31, FilterWidthABar->Position());
    ShowBarRange(NotchABar, 1, 400, NotchABar->Position());
    ShowBarRange(ContourLevelABar, 1, 40, ContourLevelABar->Position());

    const struct {
        TRCTrackBar* Bar;
        const char* Hint;
        int Position;
    } sub[] = {{RFGainBBar, "RF Gain Sub Receiver", 255},
               {AFGainBBar, "AF Gain Sub Receiver", 0},
               {SquelchBBar, "Squelch Level Sub Receiver", 0}};
    for (const auto& b : sub) {
        b.Bar->setToolTip(QString::fromUtf8(b.Hint));
        ShowBarRange(b.Bar, 0, 255, b.Position);
        b.Bar->SetPageSize(16);
        b.Bar->SetColorStyle(scsGreen);
        b.Bar->TickMark().SetShowImageAtSteps(25);
    }
}

void TFTTransceiverPanel2000::LayoutLabels()
{
    const struct {
        QLabel* Label;
        int Left;
    } labels[] = {{PowerControlLabel, 11},   {MicGainLabel, 43},      {ProcessorLevelLabel, 67},
                  {VoxGainLabel, 91},        {VoxDelayLabel, 115},    {MonitorLabel, 147},
                  {KeySpeedLabel, 194},      {KeyPitchLabel, 216},    {NoiseBlankerALabel, 251},
                  {FilterWidthALabel, 420},  {IFShiftALabel, 454},    {NotchALabel, 497},
                  {ContourLevelALabel, 521}, {DNRALabel, 544},        {ClarifierLabel, 608}};
    for (const auto& l : labels)
        l.Label->move(l.Left, 436);
    // Right-aligned in its full width the speed would print into the pitch label beside it:
    // it ends where the speed bar ends.
    KeySpeedLabel->resize(KeySpeedBar->geometry().right() + 1 - KeySpeedLabel->x(), KeySpeedLabel->height());
    // The clarifier's widest value, "-9999 Hz", would be cut off in the label's 30 pixels.
    ClarifierLabel->resize(std::max(ClarifierLabel->width(),
                                    ClarifierLabel->fontMetrics().horizontalAdvance(QStringLiteral("-9999 Hz")) + 1),
                           ClarifierLabel->height());
    VRFALabel->hide();

    SquelchALabel->setGeometry(382, 436, 28, 10);
    SquelchALabel->setToolTip(QStringLiteral("Switch between Squelch Level Main/Sub"));
    SquelchALabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SquelchALabel->setText(QStringLiteral("MAIN"));
    SquelchALabel->setBuddy(SquelchABar);
    SquelchALabel->setFont(PowerControlLabel->font());
    SquelchALabel->setPalette(PowerControlLabel->palette());
    SquelchALabel->setAutoFillBackground(false);
    SquelchALabel->show();
}

// ---- Operator actions ----

void TFTTransceiverPanel2000::ClarifierTuningStep(int Value)
{
    // The knob reports 0 for a touch that did not turn it; "no change" must not clear the offset.
    if (Value == 0)
        return;
    Act([Value](TFTCATInterface& cat) { cat.SetClarifier(Value); });
}

void TFTTransceiverPanel2000::SquelchALabelClick()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    if (SquelchALabel->text() == QLatin1String("MAIN")) {
        SquelchALabel->setText(QStringLiteral("SUB"));
        SquelchABar->hide();
        SquelchBBar->show();
        SquelchBBar->setToolTip(QStringLiteral("Sub Squelch Level ") + Pct(cat->RX()->SquelchB()));
    } else {
        SquelchALabel->setText(QStringLiteral("MAIN"));
        SquelchABar->show();
        SquelchBBar->hide();
        SquelchABar->setToolTip(QStringLiteral("Main Squelch Level ") + Pct(cat->RX()->SquelchA()));
    }
}

void TFTTransceiverPanel2000::AntennaButtonClick(QObject*)
{
    // The FT-2000 has two antenna sockets: the key switches between them.
    Act([](TFTCATInterface& cat) { cat.SetAntennaA(cat.AntennaA() == ant1 ? ant2 : ant1); });
}

void TFTTransceiverPanel2000::AntennaRXButtonClick(QObject* Sender)
{
    TFTTransceiverPanelBase::AntennaRXButtonClick(Sender);
}

void TFTTransceiverPanel2000::ClarifierRXButtonClick(QObject* Sender)
{
    TFTTransceiverPanelBase::ClarifierRXButtonClick(Sender);
    if (CAT())
        UpdateVFOSubDialMode();
}

void TFTTransceiverPanel2000::ClarifierTXButtonClick(QObject* Sender)
{
    TFTTransceiverPanelBase::ClarifierTXButtonClick(Sender);
    if (CAT())
        UpdateVFOSubDialMode();
}

void TFTTransceiverPanel2000::ModeButtonClick(QObject* Sender)
{
    // Each mode key latches on its own when clicked; the lamps show the radio's mode, so they are
    // put back before the key acts.  Otherwise a click on the lit key would leave it dark while
    // the radio, whose mode does not change, reports nothing new.
    if (TFTCATInterface* cat = CAT())
        ShowModeLamps(cat->ModeA());
    TFTTransceiverPanelBase::ModeButtonClick(Sender);
}

void TFTTransceiverPanel2000::TuneVFOB(int32_t AFrequency)
{
    TFTTransceiverPanelBase::TuneVFOB(AFrequency);
}

void TFTTransceiverPanel2000::SDFButtonClick(QObject* Sender)
{
    TFTCATInterface* cat = CAT();
    const auto* button = qobject_cast<TRCSpeedButton*>(Sender);
    // The keys' Tags 0 … 7 are the functions sdfBandVFOA … sdfAB.
    const int tag = button ? button->Tag() : -1;
    if (!cat || tag < 0 || tag > int(sdfAB))
        return;
    cat->PrepareTX();
    cat->SetSubDialFunction(TSubDialFunction(tag));
    // A click on the lit key unlatches it, but the function stays and the radio reports nothing
    // new: the key is lit again, or the dial would drop into wheel mode, where every pointer move
    // is a band or MHz step.  (A/B is sent every time and always reported.)
    if (tag == int(cat->SubDialFunction()) && tag != int(sdfAB))
        DoFTCATSubDialFunction(cat->SubDialFunction());
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel2000::UpdateVFOSubDialMode()
{
    const bool upDown = SDF1Button->Down() || SDF2Button->Down() || SDF3Button->Down() || SDF4Button->Down() ||
                        SDF5Button->Down() || SDF6Button->Down() || SDF7Button->Down();
    VFOSub->SetDialMode(upDown ? dmUpDown : dmWheel);
}

void TFTTransceiverPanel2000::MHzStep(uint8_t vfo, int Value)
{
    // The MHz digit wraps between 0 and 59; the engine keeps the result within the radio's range.
    TFTCATInterface* cat = CAT();
    const int32_t f = cat->Frequency(vfo);
    int32_t next;
    if (Value > 0)
        next = f / 1000000 == 59 ? f - 59000000 : f + 1000000;
    else
        next = f / 1000000 == 0 ? f + 59000000 : f - 1000000;
    cat->SetFrequency(vfo, next);
}

void TFTTransceiverPanel2000::VFOSubTuningStep(QObject*, int Value)
{
    TFTCATInterface* cat = CAT();
    // A step of 0 is a touch that did not turn the dial: it moves nothing, in either direction.
    if (!cat || Value == 0 || cat->SubDialFunction() == sdfGRP)
        return;
    cat->PrepareTX();
    switch (cat->SubDialFunction()) {
    case sdfBandVFOA:
        if (Value < 0)
            cat->BandDown(0);
        else
            cat->BandUp(0);
        break;
    case sdfMHzVFOA:
        MHzStep(0, Value);
        break;
    case sdfMCH:
        if (Value < 0)
            cat->MemoryChannelDown();
        else
            cat->MemoryChannelUp();
        break;
    case sdfBandVFOB:
        if (Value < 0)
            cat->BandDown(1);
        else
            cat->BandUp(1);
        break;
    case sdfMHzVFOB:
        MHzStep(1, Value);
        break;
    default:
        TuneVFOB(Value + cat->Tuning()->FrequencyB());
        break;
    }
}

// ---- Radio events ----

void TFTTransceiverPanel2000::DoFTCATAFGain(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATAFGain(AVFO, Value);
    if (AVFO == 0)
        return;
    ShowBarPosition(AFGainBBar, Value);
    AFGainBBar->setToolTip(QStringLiteral("AF Gain Sub %1").arg(Pct(Value)));
    KnobAFGainRFGainB->SetValueInner(Value);
}

void TFTTransceiverPanel2000::DoFTCATAntenna(uint8_t AVFO, TAntenna Value)
{
    TFTTransceiverPanelBase::DoFTCATAntenna(AVFO, Value);
    if (AVFO != 0)
        return;
    if (Value == ant1)
        AntennaButton->setToolTip(QStringLiteral("Antenna 1"));
    else if (Value == ant2)
        AntennaButton->setToolTip(QStringLiteral("Antenna 2"));
}

void TFTTransceiverPanel2000::DoFTCATAntennaRX(uint8_t AVFO, bool Value)
{
    TFTTransceiverPanelBase::DoFTCATAntennaRX(AVFO, Value);
    if (AVFO == 0)
        AntennaRXButton->setToolTip(QStringLiteral("RX Antenna ") + BoolToOnOff(Value));
}

void TFTTransceiverPanel2000::DoFTCATContour(uint8_t AVFO, TContour Value)
{
    TFTTransceiverPanelBase::DoFTCATContour(AVFO, Value);
    if (!CAT() || AVFO != 0 || !Known(Value, conAPF))
        return;
    static const char* const hints[] = {"Contour off", "Contour on", "APF on"};
    ContourButton->setToolTip(QString::fromLatin1(hints[Value]));
}

void TFTTransceiverPanel2000::DoFTCATContourLevel(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATContourLevel(AVFO, Value);
    if (TFTCATInterface* cat = CAT(); cat && AVFO == 0 && cat->RX()->ContourA() == conOn)
        KnobContourDNR->SetValueInner(Value);
}

void TFTTransceiverPanel2000::DoFTCATFilterWidth(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATFilterWidth(AVFO, Value);
    if (AVFO == 0)
        KnobShiftWidth->SetValueOuter(Value);
}

void TFTTransceiverPanel2000::DoFTCATFrequency(uint8_t AVFO, int32_t Value)
{
    (AVFO == 0 ? PanelFrequencyA : PanelFrequencyB)->SetFrequency(Value);
    TFTTransceiverPanelBase::DoFTCATFrequency(AVFO, Value);
}

void TFTTransceiverPanel2000::DoFTCATIFShift(uint8_t AVFO, int32_t Value)
{
    TFTTransceiverPanelBase::DoFTCATIFShift(AVFO, Value);
    if (AVFO == 0)
        KnobShiftWidth->SetValueInner(Value);
}

void TFTTransceiverPanel2000::DoFTCATIsTuning(uint8_t AVFO, bool Value)
{
    TFTTransceiverPanelBase::DoFTCATIsTuning(AVFO, Value);
    if (AVFO != 0)
        PanelFrequencyB->SetIsTuning(Value);
}

void TFTTransceiverPanel2000::DoFTCATMeterSwitch(TMeterSwitch Value)
{
    TFTTransceiverPanelBase::DoFTCATMeterSwitch(Value);
    if (Known(Value, mtVDD))
        KnobMeterSwitch->SetValueOuter(Value);
}

void TFTTransceiverPanel2000::DoFTCATMicGain(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATMicGain(Value);
    KnobMicPwr->SetValueInner(Value);
}

void TFTTransceiverPanel2000::DoFTCATModeA(TMode Mode)
{
    TFTTransceiverPanelBase::DoFTCATModeA(Mode);
    ShowModeLamps(Mode);
}

void TFTTransceiverPanel2000::ShowModeLamps(TMode Mode)
{
    if (!Known(Mode, mdPKT_U))
        return;
    // The FM variants have a picture of their own; CW, RTTY and packet light their sideband too.
    ModeAMFMButton->SetGlyph(Mode == mdFM || Mode == mdFM_N ? QStringLiteral("FT2K_MODE_AMFM_2")
                                                            : QStringLiteral("FT2K_MODE_AMFM"));
    ModePKTButton->SetGlyph(Mode == mdPKT_FM ? QStringLiteral("FT2K_MODE_PKT_2") : QStringLiteral("FT2K_MODE_PKT"));
    ModeLSBButton->SetDown(OneOf(Mode, {mdLSB, mdFSK, mdCW_R, mdPKT_L}));
    ModeUSBButton->SetDown(OneOf(Mode, {mdUSB, mdCW, mdFSK_R, mdPKT_U}));
    ModeCWButton->SetDown(OneOf(Mode, {mdCW, mdCW_R}));
    ModeAMFMButton->SetDown(OneOf(Mode, {mdFM, mdAM, mdFM_N}));
    ModeRTTYButton->SetDown(OneOf(Mode, {mdFSK, mdFSK_R}));
    ModePKTButton->SetDown(OneOf(Mode, {mdPKT_L, mdPKT_FM, mdPKT_U}));
}

void TFTTransceiverPanel2000::DoFTCATMonitorLevel(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATMonitorLevel(Value);
    KnobMonitorProcessor->SetValueInner(Value);
}

void TFTTransceiverPanel2000::DoFTCATNoiseReductionLevel(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATNoiseReductionLevel(AVFO, Value);
    if (AVFO == 0)
        KnobContourDNR->SetValueOuter(Value);
}

void TFTTransceiverPanel2000::DoFTCATNotch(uint8_t AVFO, bool Value)
{
    TFTTransceiverPanelBase::DoFTCATNotch(AVFO, Value);
    if (AVFO == 0)
        NotchButton->setToolTip(QStringLiteral("Manual Notch ") + BoolToOnOff(Value));
}

void TFTTransceiverPanel2000::DoFTCATNotchLevel(uint8_t AVFO, int32_t Value)
{
    TFTTransceiverPanelBase::DoFTCATNotchLevel(AVFO, Value);
    if (AVFO == 0)
        KnobNotchLevel->SetValueOuter(Value);
}

void TFTTransceiverPanel2000::DoFTCATPowerControl(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATPowerControl(Value);
    KnobMicPwr->SetValueOuter(Value);
}

void TFTTransceiverPanel2000::DoFTCATProcessorLevel(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATProcessorLevel(Value);
    ProcessorLevelBar->setToolTip(QStringLiteral("Processor Level ") + Pct(Value));
    ProcessorLevelLabel->setText(Pct(Value));
}

void TFTTransceiverPanel2000::DoFTCATResolution(uint8_t AVFO, int32_t Value)
{
    TFTTransceiverPanelBase::DoFTCATResolution(AVFO, Value);
    if (AVFO != 0)
        PanelFrequencyB->SetResolution(Value);
}

void TFTTransceiverPanel2000::DoFTCATRFGain(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATRFGain(AVFO, Value);
    if (AVFO == 0)
        return;
    ShowBarPositionExp(RFGainBBar, Value);
    RFGainBBar->setToolTip(QStringLiteral("RF Gain Sub Receiver ") + Pct(Value));
    KnobAFGainRFGainB->SetValueOuter(Value);
}

void TFTTransceiverPanel2000::DoFTCATSquelch(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATSquelch(AVFO, Value);
    if (AVFO == 0)
        return;
    ShowBarPosition(SquelchBBar, Value);
    SquelchBBar->setToolTip(QStringLiteral("Sub Squelch Level ") + Pct(Value));
}

void TFTTransceiverPanel2000::DoFTCATSubDialFunction(TSubDialFunction Value)
{
    TFTTransceiverPanelBase::DoFTCATSubDialFunction(Value);
    if (!Known(Value, sdfCLAR))
        return;
    // The line to VFO-B's keys is lit while the sub dial works VFO-B.
    const bool mainGroup = Value == sdfBandVFOA || Value == sdfMHzVFOA || Value == sdfGRP || Value == sdfMCH;
    SDFImage1->SetPicture(mainGroup ? QStringLiteral("FT2K_SDF_1_OFF") : QStringLiteral("FT2K_SDF_1_ON"));
    SDFImage2->SetPicture(mainGroup ? QStringLiteral("FT2K_SDF_2_OFF") : QStringLiteral("FT2K_SDF_2_ON"));
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel2000::DoFTCATVoxGain(int32_t Value)
{
    TFTTransceiverPanelBase::DoFTCATVoxGain(Value);
    KnobVOXDelay->SetValueInner(Value);
}

void TFTTransceiverPanel2000::DoFTCATVRF(TVFO VFO, TVRFType VRFType, TVRFState VRFState, int32_t VRFPosition)
{
    TFTTransceiverPanelBase::DoFTCATVRF(VFO, VRFType, VRFState, VRFPosition);
    if (VFO != vfoA || !Known(VRFType, vrfuTuneTypeOn) || !Known(VRFState, vrfStateDefault))
        return;
    if (VRFState != vrfStateOn)
        VRFButton->setToolTip(QStringLiteral("VRF off"));
    else if (VRFType == vrfuTuneTypeOn)
        VRFButton->setToolTip(QStringLiteral("\u00b5Tuning on"));
    else
        VRFButton->setToolTip(QStringLiteral("VRF on"));
}
