// Construction, window creation and the wiring to the engine, band map and tuning strip.
#include "panel/widgets/FTTransceiverPanelBase.h"

#include "controls/widgets/RCTrackBar.h"
#include "core/cat/RX.h"
#include "panel/PanelColors.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"
#include "platform/Clock.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <algorithm>

namespace {

const char* const TabOrderProperty = "TabOrder";
const char* const PopupMenuProperty = "PopupMenu";

constexpr int BarTop = 348;
constexpr int LabelTop = 436;

// A call of a panel method stored in an engine event.  Its type tells the panel's own handlers
// apart from anyone else's, so the panel releases exactly its own.
template <typename... Args>
struct TPanelCall {
    TFTTransceiverPanelBase* Panel;
    void (TFTTransceiverPanelBase::*Method)(Args...);
    void operator()(Args... args) const { (Panel->*Method)(args...); }
};

// The value labels' typeface: the radio's small legend font.
QFont LabelFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(8);
    f.setStretch(QFont::SemiCondensed);
    return f;
}

} // namespace

TFTTransceiverPanelBase::TFTTransceiverPanelBase(QWidget* AOwner) : TRCPanel(AOwner), FOwner(AOwner)
{
    // Panel settings.
    SetColor(BGRColor(0x414141));
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderWidth(0);
    SetShowCaption(false);
    setFocusPolicy(Qt::NoFocus);
    resize(PanelWidth, PanelHeight);

    FTxImage = new TPanelImage(this);
    FTxImage->setGeometry(0, 0, width(), height());

    // Popup menus and their items.
    const auto menu = [this](int tag) {
        auto* m = new QMenu(this);
        m->setProperty("Tag", tag);
        return m;
    };
    const auto item = [](QMenu* m, int tag, const QString& caption) {
        QAction* a = m->addAction(caption);
        a->setData(tag);
        return a;
    };
    PopupAGCOff = menu(0);
    MIAGCOff = item(PopupAGCOff, 0, QStringLiteral("AGC off"));
    PopupTunerStart = menu(0);
    MIStartTuner = item(PopupTunerStart, 0, QStringLiteral("Start Tuner"));
    QMenu** keyerMenus[] = {&PopupKeyer1, &PopupKeyer2, &PopupKeyer3, &PopupKeyer4, &PopupKeyer5};
    QAction** keyerItems[] = {&MICWMessage1, &MICWMessage2, &MICWMessage3, &MICWMessage4, &MICWMessage5};
    for (int n = 1; n <= 5; ++n) {
        *keyerMenus[n - 1] = menu(n);
        QAction* a = item(*keyerMenus[n - 1], n, QStringLiteral("Set CW Keyer Memory Message #%1").arg(n));
        *keyerItems[n - 1] = a;
        connect(a, &QAction::triggered, this, [this, a] { KeyerMemoryClick(a->data().toInt()); });
    }
    connect(MIAGCOff, &QAction::triggered, this, [this] {
        if (CAT())
            CAT()->RX()->AGCSetOff();
    });
    connect(MIStartTuner, &QAction::triggered, this, [this] { StartTunerClick(); });

    BuildDisplayGroup();

    VFOMain = new TFTPanelDial(this);
    VFOMain->move(478, 153);
    VFOMain->OnTuningStep = [this](QObject*, int v) { VFOMainTuningStep(v); };
    VFOSub = new TFTPanelDial(this);
    VFOSub->move(888, 233);
    VFOSub->OnTuningStep = [this](QObject* s, int v) { VFOSubTuningStep(s, v); };

    BuildButtons();

    // Knobs: display only.
    const auto knob = [this](int x, int y) {
        auto* k = new TFTPanelKnob(this);
        k->move(x, y);
        return k;
    };
    KnobAFGainRFGainA = knob(318, 247);
    KnobAFGainRFGainB = knob(241, 247);
    KnobMicPwr = knob(27, 247);
    KnobMonitorProcessor = knob(104, 174);
    KnobNBSQLA = knob(318, 174);
    KnobVOXDelay = knob(104, 247);
    KnobSpeedPitch = knob(241, 174);

    BuildBars();
    BuildLabels();

    PowerSwitchTimer = new vx::Timer(3000, false, this);
    PowerSwitchTimer->OnTimer = [this] { PowerSwitchTimerTimer(); };
}

TFTTransceiverPanelBase::~TFTTransceiverPanelBase()
{
    PowerSwitchTimer->stop();
    // Views unhook from what they listen to: no engine, band map or control event may reach a
    // panel that is being taken apart.
    for (const QPointer<TFTCATInterface>& engine : std::as_const(FBoundEngines))
        if (engine)
            WireCATEvents(engine, false);
    if (TBandmapLink* map = Bandmap()) {
        using Change = TPanelCall<TVFO, int32_t>;
        using Request = TPanelCall<>;
        if (auto* c = map->OnFrequencyChange.target<Change>(); c && c->Panel == this)
            map->OnFrequencyChange = nullptr;
        if (auto* r = map->OnFrequencyRequest.target<Request>(); r && r->Panel == this)
            map->OnFrequencyRequest = nullptr;
    }
    for (TRCTrackBar* bar : findChildren<TRCTrackBar*>(Qt::FindDirectChildrenOnly)) {
        bar->OnChange = nullptr;
        bar->OnEnter = nullptr;
        bar->OnExit = nullptr;
        bar->OnKeyPress = nullptr;
    }
    TuningPanelB->OnClarifierChange = nullptr;
    TuningPanelB->OnFrequencyChange = nullptr;
    TuningPanelB->OnFrequencyRequest = nullptr;
    TuningPanelB->OnSplit = nullptr;
    TuningPanelB->OnSplitClick = nullptr;
}

// ---- Construction steps ----

void TFTTransceiverPanelBase::BuildDisplayGroup()
{
    FTxDisplay = new lcd::TFTxDisplay(this);
    FTxDisplay->move(258, 20);
    FTxDisplay->SetTransceiver(FT2000);

    PanelFrequencyA = new TFTPanelFrequency(FTxDisplay);
    PanelFrequencyA->move(216, 12);
    PanelFrequencyA->OnTuning = [this](int32_t f) { TuneVFOA(f); };
    PanelFrequencyB = new TFTPanelFrequency(FTxDisplay);
    PanelFrequencyB->SetDisplayType(dtFT2K_B);
    PanelFrequencyB->move(425, 18);
    PanelFrequencyB->OnTuning = [this](int32_t f) { TuneVFOB(f); };
    PanelClarifier = new TFTPanelFrequency(FTxDisplay);
    PanelClarifier->SetDisplayType(dtFT2K_Clarifier);
    PanelClarifier->move(319, 57);
    PanelClarifier->OnClarifierChange = [this](int32_t v) { PanelClarifierChange(v); };

    PanelMeter = new TFTxMeter2(this);
    PanelMeter->SetTransceiver(FT2000);
    PanelMeter->move(92, 21);
    PanelMeter->OnShow = [this](bool v) { MeterShow(v); };

    TuningPanelB = new TTuningPanel3(this);
    TuningPanelB->setGeometry(649, 344, 359, TuningPanelB->height());
    SetTabOrder(TuningPanelB, 99);
    TuningPanelB->OnClarifierChange = [this](int32_t d) { TuningClarifierChange(d); };
    TuningPanelB->OnFrequencyChange = [this](TVFO vfo, int32_t f) { BandmapFrequencyChange(vfo, f); };
    TuningPanelB->OnFrequencyRequest = [this] { TuningFrequencyRequest(); };
    TuningPanelB->OnSplit = [this] { FunctionTXButtonClick(); };
    TuningPanelB->OnSplitClick = [this](int32_t v) { TuningSplitClick(v); };

    MemoryChannelPanel = new TMemoryChannelPanel(this);
    MemoryChannelPanel->setGeometry(TuningPanelB->x(), TuningPanelB->y(), TuningPanelB->width(), 101);
    MemoryChannelPanel->hide();
}

TPanelSpeedButton* TFTTransceiverPanelBase::NewSpeedButton(QRect geometry, const QString& hint, bool flat)
{
    auto* b = new TPanelSpeedButton(this);
    b->setGeometry(geometry);
    b->setToolTip(hint);
    b->SetFlat(flat);
    b->SetSpacing(0);
    return b;
}

TRCButton* TFTTransceiverPanelBase::NewHalvesButton(int left, const QString& hint)
{
    auto* b = new TRCButton(this);
    b->setGeometry(left, 139, 29, 17);
    b->setToolTip(hint);
    b->SetFlat(true);
    return b;
}

void TFTTransceiverPanelBase::BuildButtons()
{
    // The band row: one click action, the band in metres as Tag (GEN 999, Enter 0 and inert).
    const struct {
        TPanelSpeedButton** Button;
        int Left, Top;
        const char* Hint;
        int Tag;
    } bands[] = {
        {&Band160Button, 710, 143, "160m", 160}, {&Band80Button, 750, 143, "80m", 80},
        {&Band40Button, 790, 143, "40m", 40},    {&Band30Button, 710, 166, "30m", 30},
        {&Band20Button, 750, 166, "20m", 20},    {&Band17Button, 790, 166, "17m", 17},
        {&Band15Button, 710, 189, "15m", 15},    {&Band12Button, 750, 189, "12m", 12},
        {&Band10Button, 790, 189, "10m", 10},    {&BandGenButton, 710, 212, "GEN", 999},
        {&Band6Button, 750, 212, "6m", 6},       {&EnterButton, 790, 212, "Enter Frequency", 0},
    };
    for (const auto& row : bands) {
        TPanelSpeedButton* b = NewSpeedButton(QRect(row.Left, row.Top, 29, 17), QString::fromUtf8(row.Hint), true);
        b->SetTag(row.Tag);
        *row.Button = b;
        if (b != EnterButton)
            b->OnClick = [this, b] { BandButtonClick(b); };
    }
    for (TPanelSpeedButton* b : {Band80Button, Band40Button, Band30Button, Band20Button, Band17Button, Band15Button,
                                 Band12Button, Band10Button, BandGenButton, Band6Button, EnterButton})
        b->resize(Band160Button->size());

    const struct {
        TPanelSpeedButton** Button;
        int Left, Top;
        const char* Hint;
        int Tag;
    } modes[] = {
        {&ModeLSBButton, 386, 172, "LSB", 1},   {&ModeUSBButton, 384, 194, "USB", 2},
        {&ModeCWButton, 384, 217, "CW", 3},     {&ModeAMFMButton, 386, 241, "AM/FM", 4},
        {&ModeRTTYButton, 386, 264, "RTTY", 5}, {&ModePKTButton, 386, 287, "Packet", 6},
    };
    for (const auto& row : modes) {
        TPanelSpeedButton* b = NewSpeedButton(QRect(row.Left, row.Top, 26, 14), QString::fromUtf8(row.Hint), false);
        b->SetTag(row.Tag);
        b->OnClick = [this, b] { ModeButtonClick(b); };
        *row.Button = b;
    }

    const auto grouped = [](TPanelSpeedButton* b, int group, int glyphs) {
        b->SetAllowAllUp(true);
        b->SetGroupIndex(group);
        b->SetNumGlyphs(glyphs);
    };

    AGCButton = NewHalvesButton(291, QStringLiteral("AGC"));
    AGCButton->OnClickUp = [this] {
        if (CAT())
            CAT()->RX()->AGCUp();
    };
    AGCButton->OnClickDown = [this] {
        if (CAT())
            CAT()->RX()->AGCDown();
    };
    AttachPopupMenu(AGCButton, PopupAGCOff);

    AntennaTunerButton = NewSpeedButton(QRect(8, 101, 21, 21), QStringLiteral("Antenna Tuner"), true);
    AntennaTunerButton->OnClick = [this] { AntennaTunerButtonClick(); };
    AttachPopupMenu(AntennaTunerButton, PopupTunerStart);

    AToBButton = NewSpeedButton(QRect(646, 174, 34, 16), QStringLiteral("VFO A to VFO B"), true);
    AToBButton->SetSpacing(4);
    AToBButton->OnClick = [this] {
        if (CAT())
            CAT()->VFOAToB();
    };

    AttenuatorButton = NewHalvesButton(165, QStringLiteral("Attenuator"));
    AttenuatorButton->OnClickUp = [this] {
        if (CAT())
            CAT()->RX()->AttenuatorUp();
    };
    AttenuatorButton->OnClickDown = [this] {
        if (CAT())
            CAT()->RX()->AttenuatorDown();
    };

    AutoNotchAButton =
        NewSpeedButton(QRect(909, 71, 29, 17), QStringLiteral("Digital Notch Filter (Auto Notch)"), true);
    AutoNotchAButton->hide();
    AutoNotchAButton->OnClick = [this] { AutoNotchAButtonClick(AutoNotchAButton); };

    BreakInButton = NewSpeedButton(QRect(182, 178, 29, 17), QStringLiteral("Break-In"), true);
    BreakInButton->OnClick = [this] { BreakInButtonClick(); };
    ClarifierClearButton = NewSpeedButton(QRect(708, 309, 29, 17), QStringLiteral("Clear RX/TX Clarifier"), true);
    ClarifierClearButton->OnClick = [this] { ClarifierClearButtonClick(); };
    ClarifierRXButton = NewSpeedButton(QRect(708, 256, 29, 17), QStringLiteral("RX Clarifier"), true);
    ClarifierRXButton->OnClick = [this] { ClarifierRXButtonClick(ClarifierRXButton); };
    ClarifierTXButton = NewSpeedButton(QRect(708, 282, 29, 17), QStringLiteral("TX Clarifier"), true);
    ClarifierTXButton->OnClick = [this] { ClarifierTXButtonClick(ClarifierTXButton); };
    CWSpotButton = NewSpeedButton(QRect(182, 213, 29, 17), QStringLiteral("CW Spot"), true);
    CWSpotButton->OnClick = [this] { CWSpotButtonClick(); };
    DimmerSwitchButton = NewSpeedButton(QRect(46, 16, 31, 20), QStringLiteral("Dimmer"), true);
    DimmerSwitchButton->OnClick = [this] { DimmerSwitchButtonClick(); };
    DNRAButton = NewSpeedButton(QRect(909, 155, 29, 17), QStringLiteral("Digital Noise Reduction"), true);
    DNRAButton->OnClick = [this] { DNRAButtonClick(DNRAButton); };

    // F1 … F5 answer the right-click menu only.
    TPanelSpeedButton** fkeys[] = {&F1Button, &F2Button, &F3Button, &F4Button, &F5Button};
    QMenu* keyerMenus[] = {PopupKeyer1, PopupKeyer2, PopupKeyer3, PopupKeyer4, PopupKeyer5};
    for (int i = 0; i < 5; ++i) {
        TPanelSpeedButton* b = NewSpeedButton(QRect(39 + 42 * i, 310, 29, 15), QString(), true);
        b->SetTag(i + 1);
        AttachPopupMenu(b, keyerMenus[i]);
        *fkeys[i] = b;
    }
    for (TPanelSpeedButton* b : {F2Button, F3Button, F4Button, F5Button})
        b->setGeometry(b->x(), F1Button->y(), F1Button->width(), F1Button->height());

    FastStepButton = NewSpeedButton(QRect(632, 150, 27, 17), QStringLiteral("Fast"), true);
    grouped(FastStepButton, 73196, 4);
    FastStepButton->OnClick = [this] { FastStepButtonClick(); };

    const auto lamp = [this](int x, int y) {
        auto* b = new TVFOABButton(this);
        b->move(x, y);
        return b;
    };
    FunctionRXAButton = lamp(435, 131);
    FunctionRXAButton->OnClick = [this] { FunctionRXAButtonClick(FunctionRXAButton); };
    FunctionRXBButton = lamp(843, 193);
    FunctionRXBButton->OnClick = [this] { FunctionRXBButtonClick(FunctionRXBButton); };
    FunctionTXAButton = lamp(633, 131);
    FunctionTXAButton->OnClick = [this] { FunctionTXButtonClick(); };
    FunctionTXBButton = lamp(969, 193);
    FunctionTXBButton->OnClick = [this] { FunctionTXButtonClick(); };

    IPOButton = NewHalvesButton(207, QStringLiteral("IPO"));
    IPOButton->OnClickUp = [this] {
        if (CAT())
            CAT()->RX()->IPOUp();
    };
    IPOButton->OnClickDown = [this] {
        if (CAT())
            CAT()->RX()->IPODown();
    };

    KeyerButton = NewSpeedButton(QRect(123, 139, 29, 17), QStringLiteral("Keyer"), true);
    KeyerButton->OnClick = [this] { KeyerButtonClick(); };
    LockButton = NewSpeedButton(QRect(667, 150, 26, 16), QStringLiteral("Lock"), true);
    grouped(LockButton, 701, 4);
    LockButton->OnClick = [this] { LockButtonClick(); };
    MemoryChannelToVFOAButton =
        NewSpeedButton(QRect(651, 250, 29, 16), QStringLiteral("Memory Channel to VFO A"), true);
    MemoryChannelToVFOAButton->SetNumGlyphs(4);
    MemoryChannelToVFOAButton->OnClick = [this] {
        if (CAT())
            CAT()->MemoryChannelToVFOA();
    };
    MenuButton = NewSpeedButton(QRect(620, 307, 59, 12), QStringLiteral("Transceiver Menu"), true);
    MenuButton->SetNumGlyphs(2);
    MenuButton->OnClick = [this] { MenuButtonClick(); };
    MonitorButton = NewSpeedButton(QRect(38, 139, 29, 17), QStringLiteral("Monitor"), true);
    MonitorButton->OnClick = [this] { MonitorButtonClick(); };
    MOXButton = NewSpeedButton(QRect(9, 56, 27, 17), QStringLiteral("MOX"), true);
    grouped(MOXButton, 500, 4);
    MOXButton->OnClick = [this] { MOXButtonClick(); };
    NarrowButton = NewSpeedButton(QRect(424, 226, 23, 16), QStringLiteral("Narrow"), false);
    grouped(NarrowButton, 745, 1);
    NarrowButton->OnClick = [this] { NarrowButtonClick(); };
    NoiseBlankerButton = NewSpeedButton(QRect(333, 139, 29, 17), QStringLiteral("Noise Blanker"), true);
    NoiseBlankerButton->OnClick = [this] { NoiseBlankerButtonClick(); };
    PowerSwitchButton = NewSpeedButton(QRect(6, 16, 33, 19), QStringLiteral("Power Switch"), false);
    grouped(PowerSwitchButton, 100, 4);
    PowerSwitchButton->SetLayout(blGlyphBottom);
    PowerSwitchButton->OnClick = [this] { PowerSwitchButtonClick(); };
    ProcessorButton = NewSpeedButton(QRect(81, 139, 29, 17), QStringLiteral("Speech Processor"), true);
    ProcessorButton->OnClick = [this] { ProcessorButtonClick(); };
    QMBRecallButton = NewSpeedButton(QRect(424, 198, 25, 16), QStringLiteral("QMB Recall"), false);
    QMBRecallButton->SetNumGlyphs(4);
    QMBRecallButton->OnClick = [this] {
        if (CAT())
            CAT()->QMBRecall();
    };
    QMBStoreButton = NewSpeedButton(QRect(424, 174, 34, 16), QStringLiteral("QMB Store"), false);
    QMBStoreButton->SetNumGlyphs(4);
    QMBStoreButton->OnClick = [this] {
        if (CAT())
            CAT()->QMBStore();
    };

    RoofingFilterButton = NewHalvesButton(
        249, QStringLiteral("Roofing Filter. Click upper or lower button half to select Roofing Filter positions."));
    RoofingFilterButton->OnClickUp = [this] {
        if (CAT())
            CAT()->RX()->RoofingFilterUp();
    };
    RoofingFilterButton->OnClickDown = [this] {
        if (CAT())
            CAT()->RX()->RoofingFilterDown();
    };

    // Sub-dial function buttons: Tag 0 … 7 is the function; 1 … 4 start disabled, 8 down.
    const struct {
        TPanelSpeedButton** Button;
        int Left, Top, Width;
        const char* Hint;
        int Group;
    } sdf[] = {
        {&SDF1Button, 840, 219, 36, "Band", 814},           {&SDF2Button, 840, 246, 23, "MHz", 814},
        {&SDF3Button, 840, 273, 25, "Memory Group", 814},   {&SDF4Button, 840, 300, 44, "Memory Channel", 814},
        {&SDF5Button, 970, 219, 35, "Band", 816},           {&SDF6Button, 983, 246, 22, "MHz", 816},
        {&SDF7Button, 982, 273, 23, "Fast", 816},           {&SDF8Button, 964, 300, 41, "A/B", 813},
    };
    int tag = 0;
    for (const auto& row : sdf) {
        TPanelSpeedButton* b =
            NewSpeedButton(QRect(row.Left, row.Top, row.Width, 16), QString::fromUtf8(row.Hint), false);
        grouped(b, row.Group, 4);
        b->SetTag(tag++);
        b->OnClick = [this, b] { SDFButtonClick(b); };
        *row.Button = b;
    }
    for (TPanelSpeedButton* b : {SDF1Button, SDF2Button, SDF3Button, SDF4Button})
        b->setEnabled(false);
    SDF8Button->SetDown(true);

    SplitButton = NewSpeedButton(QRect(424, 250, 28, 16), QStringLiteral("Split"), false);
    grouped(SplitButton, 300, 1);
    SplitButton->OnClick = [this] { FunctionTXButtonClick(); };
    SplitButton->OnDblClick = [this] {
        if (CAT())
            CAT()->QuickSplit();
    };
    SwapVFOButton = NewSpeedButton(QRect(655, 200, 25, 16), QStringLiteral("Swap VFOs"), true);
    SwapVFOButton->SetNumGlyphs(4);
    SwapVFOButton->OnClick = [this] {
        if (CAT())
            CAT()->SwapVFOs();
    };
    TXWatchButton = NewSpeedButton(QRect(424, 274, 39, 16), QStringLiteral("TX Watch"), false);
    grouped(TXWatchButton, 300, 4);
    TXWatchButton->OnClick = [this] { TXWatchButtonClick(); };
    VFOSelectAButton = NewSpeedButton(QRect(383, 151, 30, 16), QStringLiteral("Select VFO A"), false);
    VFOSelectAButton->SetGroupIndex(711);
    VFOSelectAButton->SetNumGlyphs(4);
    VFOSelectAButton->SetDown(true);
    VFOSelectAButton->OnClick = [this] { VFOSelectButtonClick(vfoA); };
    VFOSelectBButton = NewSpeedButton(QRect(421, 151, 34, 16), QStringLiteral("Select VFO B"), false);
    VFOSelectBButton->SetGroupIndex(711);
    VFOSelectBButton->SetNumGlyphs(4);
    VFOSelectBButton->OnClick = [this] { VFOSelectButtonClick(vfoB); };
    VFOAToMemoryButton = NewSpeedButton(QRect(640, 274, 40, 16), QStringLiteral("VFO A to Memory Channel"), true);
    VFOAToMemoryButton->SetNumGlyphs(4);
    VFOAToMemoryButton->OnClick = [this] {
        if (CAT())
            CAT()->VFOAToMemoryChannel();
    };
    VMButton = NewSpeedButton(QRect(657, 225, 21, 16), QStringLiteral("VFO/Memory Mode"), true);
    VMButton->SetNumGlyphs(4);
    VMButton->OnClick = [this] { VMButtonClick(); };
    VOXButton = NewSpeedButton(QRect(47, 56, 27, 17), QStringLiteral("VOX"), true);
    grouped(VOXButton, 501, 4);
    VOXButton->OnClick = [this] { VOXButtonClick(); };
}

TRCTrackBar* TFTTransceiverPanelBase::NewBar(int left, int tabOrder)
{
    auto* bar = new TRCTrackBar(this);
    if (PowerControlBar)
        bar->setGeometry(left, PowerControlBar->y(), PowerControlBar->width(), PowerControlBar->height());
    else
        bar->setGeometry(left, BarTop, 22, 89);
    SetTabOrder(bar, tabOrder);
    return bar;
}

void TFTTransceiverPanelBase::BuildBars()
{
    PowerControlBar = NewBar(12, 1);
    MicGainBar = NewBar(44, 2);
    ProcessorLevelBar = NewBar(68, 3);
    VoxGainBar = NewBar(92, 4);
    VoxDelayBar = NewBar(116, 5);
    MonitorBar = NewBar(148, 6);
    KeySpeedBar = NewBar(189, 7);
    KeyPitchBar = NewBar(213, 8);
    NoiseBlankerABar = NewBar(252, 9);
    RFGainABar = NewBar(276, 11);
    AFGainABar = NewBar(324, 13);
    SquelchABar = NewBar(385, 15);
    FilterWidthABar = NewBar(428, 17);
    IFShiftABar = NewBar(460, 19);
    NotchABar = NewBar(501, 21);
    ContourLevelABar = NewBar(525, 23);
    DNRABar = NewBar(549, 25);
    VRFABar = NewBar(573, 27);
    ClarifierBar = NewBar(608, 29);

    for (TRCTrackBar* bar : {PowerControlBar, MicGainBar, ProcessorLevelBar, VoxGainBar, VoxDelayBar, MonitorBar,
                             KeySpeedBar, KeyPitchBar, NoiseBlankerABar, RFGainABar, AFGainABar, SquelchABar,
                             FilterWidthABar, IFShiftABar, NotchABar, DNRABar, VRFABar, ClarifierBar})
        bar->OnChange = [this, bar] { BarChange(bar); };
    ContourLevelABar->OnChange = [this] { ContourLevelABarChange(ContourLevelABar); };
    FilterWidthABar->OnEnter = [this] { FilterWidthABarEnter(FilterWidthABar); };
    FilterWidthABar->OnExit = [this] { FilterWidthABarExit(FilterWidthABar); };
    IFShiftABar->OnEnter = [this] { IFShiftABarEnter(IFShiftABar); };
    IFShiftABar->OnExit = [this] { IFShiftABarExit(IFShiftABar); };
    IFShiftABar->OnKeyPress = [this](QChar key) { IFShiftABarKeyPress(key); };
    NotchABar->OnEnter = [this] { NotchABarEnter(NotchABar); };
    VRFABar->OnEnter = [this] { VRFABarEnter(VRFABar); };
    ClarifierBar->OnKeyPress = [this](QChar key) { ClarifierBarKeyPress(key); };
}

QLabel* TFTTransceiverPanelBase::NewLabel(int left, int width, int height)
{
    auto* l = new QLabel(this);
    l->setGeometry(left, LabelTop, width, height);
    return l;
}

void TFTTransceiverPanelBase::BuildLabels()
{
    PowerControlLabel = NewLabel(11, 23, 13);
    MicGainLabel = NewLabel(43, 23, 10);
    ProcessorLevelLabel = NewLabel(67, 23, 13);
    VoxGainLabel = NewLabel(91, 23, 10);
    VoxDelayLabel = NewLabel(115, 23, 10);
    MonitorLabel = NewLabel(147, 23, 13);
    KeySpeedLabel = NewLabel(200, 32, 10);
    KeyPitchLabel = NewLabel(216, 26, 10);
    NoiseBlankerALabel = NewLabel(251, 23, 10);
    FilterWidthALabel = NewLabel(420, 36, 10);
    IFShiftALabel = NewLabel(454, 33, 10);
    NotchALabel = NewLabel(497, 28, 10);
    ContourLevelALabel = NewLabel(525, 30, 10);
    DNRALabel = NewLabel(550, 28, 10);
    VRFALabel = NewLabel(575, 28, 10);
    ClarifierLabel = NewLabel(600, 30, 13);
}

// ---- Window creation ----

void TFTTransceiverPanelBase::showEvent(QShowEvent* event)
{
    if (!FWindowCreated)
        CreateWnd();
    TRCPanel::showEvent(event);
}

void TFTTransceiverPanelBase::CreateWnd()
{
    FWindowCreated = true;
    ApplyBarSettings();
    ApplyLabelSettings();
    BindCATEvents();
}

void TFTTransceiverPanelBase::ApplyBarSettings()
{
    const struct {
        TRCTrackBar* Bar;
        int Min, Max, PageSize, Position;
        bool Enabled;
        TColorStyle Color;
        int Ticks; // 0: the bar's own step
        const char* Hint;
    } bars[] = {
        {PowerControlBar, 0, 255, 5, 5, true, scsRed, 25, "RF Output Power 5W"},
        {MicGainBar, 0, 255, 5, 0, true, scsRed, 25, "Mic Gain Level 0"},
        {ProcessorLevelBar, 0, 255, 32, 0, false, scsRed, 25, "Processor Level 0"},
        {VoxGainBar, 0, 255, 5, 0, true, scsRed, 25, "VOX Gain"},
        {VoxDelayBar, 0, 255, 5, 20, true, scsRed, 50, "CW Break-In Delay Time"},
        {MonitorBar, 0, 255, 32, 0, false, scsRed, 25, ""},
        {KeySpeedBar, 4, 60, 2, 25, true, scsRed, 6, "25 WPM / 125 CPM"},
        {KeyPitchBar, 0, 255, 5, 10, true, scsRed, 0, "800 Hz"},
        {NoiseBlankerABar, 0, 255, 32, 0, false, scsGreen, 25, "Noise Blanker Level"},
        {RFGainABar, 0, 255, 16, 255, true, scsGreen, 25, "RF Gain Main Receiver"},
        {AFGainABar, 0, 255, 16, 0, true, scsGreen, 25, "AF Gain Main Receiver"},
        {SquelchABar, 0, 255, 16, 0, true, scsGreen, 25, "Squelch Level"},
        {FilterWidthABar, 0, 31, 2, 16, true, scsGreen, 4, "IF Width"},
        {IFShiftABar, -1000, 1000, 10, 0, true, scsGreen, 200, "IF Shift"},
        {NotchABar, 0, 255, 10, 150, false, scsGreen, 50, "Notch Level"},
        {ContourLevelABar, 0, 255, 5, 15, false, scsGreen, 5, "Contour Level"},
        {DNRABar, 1, 15, 2, 1, false, scsGreen, 2, "Noise Reduction Level"},
        {VRFABar, 0, 255, 5, 128, false, scsGreen, 48, "\u00b5Tune/VRF position"},
        {ClarifierBar, -9999, 9999, 10, 0, true, scsGreen, 2000, "Clarifier"},
    };
    for (const auto& row : bars) {
        // Built in the radio's absence: nothing here may be sent, whatever engine is assigned.
        ShowBarRange(row.Bar, row.Min, row.Max, row.Position);
        row.Bar->SetPageSize(row.PageSize);
        row.Bar->setEnabled(row.Enabled);
        row.Bar->SetColorStyle(row.Color);
        if (row.Ticks > 0)
            row.Bar->TickMark().SetShowImageAtSteps(row.Ticks);
        row.Bar->setToolTip(QString::fromUtf8(row.Hint));
    }
}

void TFTTransceiverPanelBase::ApplyLabelSettings()
{
    const struct {
        QLabel* Label;
        const char* Text;
        Qt::Alignment Alignment;
        const char* Hint;
    } labels[] = {
        {PowerControlLabel, "5 W", Qt::AlignHCenter, ""},
        {MicGainLabel, "0", Qt::AlignHCenter, ""},
        {ProcessorLevelLabel, "0", Qt::AlignHCenter, ""},
        {VoxGainLabel, "0", Qt::AlignHCenter, ""},
        {VoxDelayLabel, "0", Qt::AlignHCenter, ""},
        {MonitorLabel, "0", Qt::AlignHCenter, ""},
        {KeySpeedLabel, "25", Qt::AlignRight, ""},
        {KeyPitchLabel, "800 Hz", Qt::AlignLeft, ""},
        {NoiseBlankerALabel, "0", Qt::AlignHCenter, ""},
        {FilterWidthALabel, "800", Qt::AlignHCenter, ""},
        {IFShiftALabel, "0", Qt::AlignHCenter, ""},
        {NotchALabel, "1500", Qt::AlignHCenter, "Notch Level"},
        {ContourLevelALabel, "1500", Qt::AlignHCenter, "Contour Level"},
        {DNRALabel, "01", Qt::AlignHCenter, "Noise Reduction Level"},
        {VRFALabel, "128", Qt::AlignHCenter, "VRF Level"},
        {ClarifierLabel, "0 Hz", Qt::AlignHCenter, ""},
    };
    QPalette pal = PowerControlLabel->palette();
    pal.setColor(QPalette::WindowText, BGRColor(0xB1B1B1));
    for (const auto& row : labels) {
        row.Label->setFont(LabelFont());
        row.Label->setPalette(pal);
        row.Label->setAutoFillBackground(false);
        row.Label->setAlignment(row.Alignment | Qt::AlignTop);
        row.Label->setText(QString::fromUtf8(row.Text));
        row.Label->setToolTip(QString::fromUtf8(row.Hint));
    }
    // The pitch label sizes itself to its text.
    FitLabelWidth(KeyPitchLabel);
}

// ---- Engine, band map, spot engine, log panel ----

void TFTTransceiverPanelBase::SetFTCATInterface(TFTCATInterface* Value)
{
    FFTCATInterface = Value;
    BindCATEvents();
    if (!Value)
        return;
    PowerSwitchButton->SetDown(Value->PowerSwitch());
    PanelMeter->SetDigitalMeter(Value->DigitalMeter());
    PanelMeter->SetShowMeter(Value->ShowMeter());
}

void TFTTransceiverPanelBase::BindCATEvents()
{
    TFTCATInterface* engine = CAT();
    if (!engine)
        return;
    WireCATEvents(engine, true);
    if (!FBoundEngines.contains(engine))
        FBoundEngines.append(engine);
}

template <typename... Args>
void TFTTransceiverPanelBase::Hook(std::function<void(Args...)>& event,
                                   void (TFTTransceiverPanelBase::*method)(Args...), bool bind)
{
    using Call = TPanelCall<Args...>;
    if (bind) {
        event = Call{this, method};
        return;
    }
    if (const Call* c = event.template target<Call>(); c && c->Panel == this)
        event = nullptr;
}

void TFTTransceiverPanelBase::WireCATEvents(TFTCATInterface* e, bool bind)
{
    using P = TFTTransceiverPanelBase;
    // The 42 radio events with a virtual handler, in slot order.
    Hook(e->OnAFGain, &P::DoFTCATAFGain, bind);
    Hook(e->OnAntenna, &P::DoFTCATAntenna, bind);
    Hook(e->OnAntennaRX, &P::DoFTCATAntennaRX, bind);
    Hook(e->OnAPFOffset, &P::DoFTCATAPFOffset, bind);
    Hook(e->OnAttenuator, &P::DoFTCATAttenuator, bind);
    Hook(e->OnAutoNotch, &P::DoFTCATAutoNotch, bind);
    Hook(e->OnBusy, &P::DoFTCATBusy, bind);
    Hook(e->OnCAT, &P::DoFTCATCAT, bind);
    Hook(e->OnClassA, &P::DoFTCATClassA, bind);
    Hook(e->OnContour, &P::DoFTCATContour, bind);
    Hook(e->OnContourLevel, &P::DoFTCATContourLevel, bind);
    Hook(e->OnDSPButton, &P::DoFTCATDSPButton, bind);
    Hook(e->OnFilterChange, &P::DoFTCATFilterChange, bind);
    Hook(e->OnFilterWidth, &P::DoFTCATFilterWidth, bind);
    Hook(e->OnFrequency, &P::DoFTCATFrequency, bind);
    Hook(e->OnFunctionRX, &P::DoFTCATFunctionRX, bind);
    Hook(e->OnIFShift, &P::DoFTCATIFShift, bind);
    Hook(e->OnIPO, &P::DoFTCATIPO, bind);
    Hook(e->OnIsTuning, &P::DoFTCATIsTuning, bind);
    Hook(e->OnMeterSwitch, &P::DoFTCATMeterSwitch, bind);
    Hook(e->OnMicGain, &P::DoFTCATMicGain, bind);
    Hook(e->OnModeA, &P::DoFTCATModeA, bind);
    Hook(e->OnMonitorLevel, &P::DoFTCATMonitorLevel, bind);
    Hook(e->OnNoiseBlanker, &P::DoFTCATNoiseBlanker, bind);
    Hook(e->OnNoiseBlankerLevel, &P::DoFTCATNoiseBlankerLevel, bind);
    Hook(e->OnNoiseReduction, &P::DoFTCATNoiseReduction, bind);
    Hook(e->OnNoiseReductionLevel, &P::DoFTCATNoiseReductionLevel, bind);
    Hook(e->OnNotch, &P::DoFTCATNotch, bind);
    Hook(e->OnNotchLevel, &P::DoFTCATNotchLevel, bind);
    Hook(e->OnPowerControl, &P::DoFTCATPowerControl, bind);
    Hook(e->OnPowerControlWatt, &P::DoFTCATPowerControlWatt, bind);
    Hook(e->OnProcessorLevel, &P::DoFTCATProcessorLevel, bind);
    Hook(e->OnRadioInformationClassA, &P::DoFTCATRadioInformationClassA, bind);
    Hook(e->OnResolution, &P::DoFTCATResolution, bind);
    Hook(e->OnRFGain, &P::DoFTCATRFGain, bind);
    Hook(e->OnRoofingFilter, &P::DoFTCATRoofingFilter, bind);
    Hook(e->OnSquelch, &P::DoFTCATSquelch, bind);
    Hook(e->OnSubDialFunction, &P::DoFTCATSubDialFunction, bind);
    Hook(e->OnTXSet, &P::DoFTCATTXSet, bind);
    Hook(e->OnVFOSelect, &P::DoFTCATVFOSelect, bind);
    Hook(e->OnVoxGain, &P::DoFTCATVoxGain, bind);
    Hook(e->OnVRF, &P::DoFTCATVRF, bind);
    // The 41 handled by the base alone.
    Hook(e->OnAGC, &P::DoFTCATAGC, bind);
    Hook(e->OnAntennaTuner, &P::DoFTCATAntennaTuner, bind);
    Hook(e->OnBand, &P::DoFTCATBand, bind);
    Hook(e->OnBandSelect, &P::DoFTCATBandSelect, bind);
    Hook(e->OnBargraph, &P::DoFTCATBargraph, bind);
    Hook(e->OnBreakIn, &P::DoFTCATBreakIn, bind);
    Hook(e->OnClarifierOffset, &P::DoFTCATClarifierOffset, bind);
    Hook(e->OnClarifierRange, &P::DoFTCATClarifierRange, bind);
    Hook(e->OnClarifierRX, &P::DoFTCATClarifierRX, bind);
    Hook(e->OnClarifierTX, &P::DoFTCATClarifierTX, bind);
    Hook(e->OnContourGain, &P::DoFTCATContourGain, bind);
    Hook(e->OnCWBreakInDelay, &P::DoFTCATCWBreakInDelay, bind);
    Hook(e->OnCWSpot, &P::DoFTCATCWSpot, bind);
    Hook(e->OnDigitalMeter, &P::DoFTCATDigitalMeter, bind);
    Hook(e->OnDimmerSwitch, &P::DoFTCATDimmerSwitch, bind);
    Hook(e->OnFastStepA, &P::DoFTCATFastStepA, bind);
    Hook(e->OnFastStepB, &P::DoFTCATFastStepB, bind);
    Hook(e->OnFunctionTX, &P::DoFTCATFunctionTX, bind);
    Hook(e->OnKeyer, &P::DoFTCATKeyer, bind);
    Hook(e->OnKeyPitch, &P::DoFTCATKeyPitch, bind);
    Hook(e->OnKeySpeed, &P::DoFTCATKeySpeed, bind);
    Hook(e->OnLockA, &P::DoFTCATLockA, bind);
    Hook(e->OnLockB, &P::DoFTCATLockB, bind);
    Hook(e->OnMemoryChannel, &P::DoFTCATMemoryChannel, bind);
    Hook(e->OnMeter, &P::DoFTCATMeter, bind);
    Hook(e->OnModeB, &P::DoFTCATModeB, bind);
    Hook(e->OnMonitor, &P::DoFTCATMonitor, bind);
    Hook(e->OnMOX, &P::DoFTCATMOX, bind);
    Hook(e->OnNarrow, &P::DoFTCATNarrow, bind);
    Hook(e->OnPowerSwitch, &P::DoFTCATPowerSwitch, bind);
    Hook(e->OnProcessor, &P::DoFTCATProcessor, bind);
    Hook(e->OnRadioInformationHiSWR, &P::DoFTCATRadioInformationHiSWR, bind);
    Hook(e->OnRadioInformationMicEq, &P::DoFTCATRadioInformationMicEq, bind);
    Hook(e->OnRadioInformationPlay, &P::DoFTCATRadioInformationPlay, bind);
    Hook(e->OnRadioInformationRec, &P::DoFTCATRadioInformationRec, bind);
    Hook(e->OnShowMeterMeter, &P::DoFTCATShowMeterMeter, bind);
    Hook(e->OnSMeter, &P::DoFTCATSMeter, bind);
    Hook(e->OnTXWatch, &P::DoFTCATTXWatch, bind);
    Hook(e->OnVFOMemoryMode, &P::DoFTCATVFOMemoryMode, bind);
    Hook(e->OnVox, &P::DoFTCATVox, bind);
    Hook(e->OnVoxDelay, &P::DoFTCATVoxDelay, bind);
}

void TFTTransceiverPanelBase::UpdateTransceiverPanel()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    DoFTCATClarifierRange(cat->ClarifierRange());
    PanelMeter->SetShowMeter(cat->ShowMeter());
}

TBandmapLink* TFTTransceiverPanelBase::Bandmap() const
{
    // A band map that is an object and has gone is no band map.
    return FBandmapIsObject && FBandmapObject.isNull() ? nullptr : FBandmap;
}

void TFTTransceiverPanelBase::SetBandmap(TBandmapLink* value)
{
    if (!value)
        return;
    FBandmap = value;
    FBandmapObject = dynamic_cast<QObject*>(value);
    FBandmapIsObject = !FBandmapObject.isNull();
    value->OnFrequencyChange = TPanelCall<TVFO, int32_t>{this, &TFTTransceiverPanelBase::BandmapFrequencyChange};
    value->OnFrequencyRequest = TPanelCall<>{this, &TFTTransceiverPanelBase::BandmapFrequencyRequest};
}

void TFTTransceiverPanelBase::SetDXSpots(TDXSpots* value)
{
    FDXSpots = value;
    TuningPanelB->SetDXSpots(value);
}

TLogPanelLink* TFTTransceiverPanelBase::LogPanel() const
{
    return FLogPanelIsObject && FLogPanelObject.isNull() ? nullptr : FLogPanel;
}

void TFTTransceiverPanelBase::SetLogPanel(TLogPanelLink* value)
{
    FLogPanel = value;
    FLogPanelObject = dynamic_cast<QObject*>(value);
    FLogPanelIsObject = !FLogPanelObject.isNull();
}

// ---- Small helpers ----

void TFTTransceiverPanelBase::AttachPopupMenu(QWidget* control, QMenu* menu)
{
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, menu,
            [control, menu](const QPoint& at) { menu->popup(control->mapToGlobal(at)); });
    control->setProperty(PopupMenuProperty, QVariant::fromValue(static_cast<QObject*>(menu)));
}

QMenu* TFTTransceiverPanelBase::PopupMenuOf(const QWidget* control)
{
    return qobject_cast<QMenu*>(control->property(PopupMenuProperty).value<QObject*>());
}

void TFTTransceiverPanelBase::SetTabOrder(QWidget* control, int order)
{
    control->setProperty(TabOrderProperty, order);
    // The keyboard walks the controls by their numbers, whatever order they were made in.
    QList<QWidget*> chain;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->property(TabOrderProperty).isValid())
            chain.append(w);
    std::stable_sort(chain.begin(), chain.end(),
                     [](const QWidget* a, const QWidget* b) { return TabOrder(a) < TabOrder(b); });
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

int TFTTransceiverPanelBase::TabOrder(const QWidget* control)
{
    return control->property(TabOrderProperty).toInt();
}

void TFTTransceiverPanelBase::ShowBarPosition(TRCTrackBar* bar, int value)
{
    bar->SetUpdatingPosition(true);
    bar->SetPosition(value);
}

void TFTTransceiverPanelBase::ShowBarPositionExp(TRCTrackBar* bar, int value)
{
    bar->SetUpdatingPosition(true);
    bar->SetPositionExp(value);
}

void TFTTransceiverPanelBase::ShowBarRange(TRCTrackBar* bar, int min, int max, int position)
{
    // Each write is guarded: a bound that moves the thumb uses up the flag, one that does not
    // leaves it set, and the closing position write always uses it up.
    bar->SetUpdatingPosition(true);
    bar->SetMin(min);
    bar->SetUpdatingPosition(true);
    bar->SetMax(max);
    ShowBarPosition(bar, position);
}

void TFTTransceiverPanelBase::FitLabelWidth(QLabel* label)
{
    label->resize(std::max(label->sizeHint().width(), 1), label->height());
}

void TFTTransceiverPanelBase::SetKeyGlyph(QWidget* key, const QString& glyph)
{
    if (auto* b = qobject_cast<TPanelSpeedButton*>(key)) {
        b->SetGlyph(glyph);
        b->SetNumGlyphs(4);
        b->SetSpacing(0);
    } else if (auto* halves = qobject_cast<TRCButton*>(key)) {
        halves->SetGlyph(glyph);
        halves->SetNumGlyphs(4);
    }
}

void TFTTransceiverPanelBase::PlaceBars(int top, std::initializer_list<TBarPlace> bars)
{
    for (const TBarPlace& row : bars) {
        TRCTrackBar* bar = row.Bar;
        bar->move(row.Left, top);
        const int min = row.Min != Keep ? row.Min : bar->Min();
        const int max = row.Max != Keep ? row.Max : bar->Max();
        const int position = row.Position != Keep ? row.Position : bar->Position();
        // Built without the radio: nothing may be sent, whatever the engine.
        ShowBarRange(bar, min, max, position);
        if (row.PageSize != Keep)
            bar->SetPageSize(row.PageSize);
        if (row.Ticks != Keep)
            bar->TickMark().SetShowImageAtSteps(row.Ticks);
    }
}

void TFTTransceiverPanelBase::PlaceLamps(TTransceiver model, std::initializer_list<TLampPlace> lamps)
{
    for (const TLampPlace& row : lamps) {
        row.Lamp->SetTransceiver(model);
        row.Lamp->SetVFOButtonType(row.Type);
        row.Lamp->SetVFOState(row.State);
        row.Lamp->move(row.Left, row.Top);
    }
}
