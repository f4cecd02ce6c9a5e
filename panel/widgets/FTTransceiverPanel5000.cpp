// Construction and window creation of the FT DX 5000 face: every control at its place with its
// picture, hint, group and tab position.
#include "panel/widgets/FTTransceiverPanel5000.h"

#include "controls/widgets/RCTrackBar.h"
#include "panel/widgets/FT5000Art.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/FTxSubdisplay.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <QLabel>

TFTTransceiverPanel5000::TFTTransceiverPanel5000(QWidget* AOwner) : TFTTransceiverPanelBase(AOwner)
{
    RegisterFT5000Art();
    resize(FaceWidth, FaceHeight);
    FTxImage->setGeometry(0, 0, width(), height());

    FT5KRXABLabels = new TPanelImage(this);
    FT5KRXABLabels->setGeometry(581, 366, 110, 9);
    // The captions of VFO A until the engine says otherwise.
    FT5KRXABLabels->SetPicture(QStringLiteral("FT5K_SLIDERS_A"));

    CreateKnobs();
    CreateCATAndStepButtons();
    CreateFT5KButtons();
    CreateSubDials();
    CreateSubReceiverBars();
    CreateSubReceiverLabels();
}

// ---- Construction ----

void TFTTransceiverPanel5000::CreateKnobs()
{
    KnobMeterSwitch = new TFTPanelKnob(this);
    KnobMeterSwitch->SetKnobType(ktFT5K_Meter);
    KnobMeterSwitch->move(101, 217);
    KnobMeterSwitch->SetValueOuter(3);
    KnobMeterSwitch->OnClick = [this] { KnobMeterSwitchClick(KnobMeterSwitch); };
    KnobMeterSwitch->OnClickBack = [this] { KnobMeterSwitchClickBack(KnobMeterSwitch); };

    KnobNBSQLB = new TFTPanelKnob(this);
    KnobNBSQLB->SetKnobType(ktFT5K_Knob3);
    KnobNBSQLB->move(280, 218);
    KnobNBSQLB->SetValueInner(0);
    KnobNBSQLB->SetValueOuter(0);
}

TPanelSpeedButton* TFTTransceiverPanel5000::NewFT5KButton(QRect geometry, const QString& hint, int group, bool flat)
{
    auto* b = new TPanelSpeedButton(this);
    b->setGeometry(geometry);
    b->setToolTip(hint);
    b->SetFlat(flat);
    b->SetNumGlyphs(4);
    b->SetSpacing(0);
    if (group > 0) {
        // Each key is a group of its own: an independent toggle.
        b->SetGroupIndex(group);
        b->SetAllowAllUp(true);
    }
    return b;
}

void TFTTransceiverPanel5000::CreateCATAndStepButtons()
{
    CATButton = NewFT5KButton(QRect(24, 115, 12, 7), QStringLiteral("CAT not connected"), 666);
    // An indicator: a click leaves it showing the link's state.
    CATButton->OnClick = [this] { CATButton->SetDown(CAT() && CAT()->CAT()); };
    DownButton = NewFT5KButton(QRect(1026, 103, 48, 25), QStringLiteral("100 kHz down"), 0, true);
    DownButton->OnClick = [this] { DownButtonClick(DownButton); };
    UpButton = NewFT5KButton(QRect(1082, 103, 48, 25), QStringLiteral("100 kHz up"), 0, true);
    UpButton->OnClick = [this] { UpButtonClick(UpButton); };
}

void TFTTransceiverPanel5000::CreateFT5KButtons()
{
    using Handler = void (TFTTransceiverPanel5000::*)(QObject*);
    using P = TFTTransceiverPanel5000;
    const struct {
        TPanelSpeedButton** Button;
        QRect Geometry;
        const char* Hint;
        int Group;
        bool Flat;
        Handler Click;
    } keys[] = {
        {&FT5KAntennaRXButton, {121, 169, 34, 28}, "RX Antenna", 0, true, &P::AntennaRXButtonClick},
        {&FT5KClassAButton, {440, 315, 38, 17}, "Class A", 5080, false, &P::FT5KClassAButtonClick},
        {&FT5KClarifierRXButton, {752, 189, 32, 21}, "RX Clarifier", 5010, false, &P::FT5KClarifierRXButtonClick},
        {&FT5KClarifierTXButton, {831, 189, 32, 21}, "TX Clarifier", 5012, false, &P::FT5KClarifierTXButtonClick},
        {&FT5KClarifierGroupButton, {752, 218, 32, 21}, "Clarifier/Group", 5013, false,
         &P::FT5KClarifierGroupButtonClick},
        {&FT5KVRFAButton, {889, 189, 32, 21}, "VRF Main", 5016, false, &P::VRFAButtonClick},
        {&FT5KShiftAButton, {929, 189, 32, 21}, "Shift Main", 5017, true, &P::FT5KShiftAButtonClick},
        {&FT5KContourAButton, {968, 189, 32, 21}, "Contour Main", 5018, false, &P::FT5KContourAButtonClick},
        {&FT5KNotchAButton, {889, 218, 32, 21}, "Notch Filter Main", 5019, false, &P::FT5KNotchAButtonClick},
        {&FT5KWidthAButton, {929, 218, 32, 21}, "Filter Width Main", 5020, false, &P::FT5KWidthAButtonClick},
        {&FT5KResetAButton, {968, 218, 32, 21}, "Reset", 0, false, &P::FT5KResetAButtonClick},
        {&FT5KVRFBButton, {1023, 189, 32, 21}, "VRF Sub", 5022, false, &P::VRFBButtonClick},
        {&FT5KShiftBButton, {1063, 189, 32, 21}, "Shift Sub", 5023, false, &P::FT5KShiftBButtonClick},
        {&FT5KContourBButton, {1102, 189, 32, 21}, "Contour Sub", 5024, false, &P::FT5KContourBButtonClick},
        {&FT5KNotchBButton, {1023, 218, 32, 21}, "Notch Filter Sub", 5025, false, &P::FT5KNotchBButtonClick},
        {&FT5KWidthBButton, {1063, 218, 32, 21}, "Filter Width Sub", 5026, false, &P::FT5KWidthBButtonClick},
        {&FT5KResetBButton, {1102, 218, 32, 21}, "Reset", 0, false, &P::FT5KResetBButtonClick},
        {&FT5KDNRAButton, {882, 253, 16, 16}, "Digital Noise Reduction Main", 5002, false, &P::DNRAButtonClick},
        {&FT5KDNFAButton, {987, 253, 16, 16}, "Digital Noise Filter Main", 5001, false, &P::AutoNotchAButtonClick},
        {&FT5KDNRBButton, {1016, 253, 16, 16}, "Digital Noise Reduction Sub", 5004, false, &P::DNRBButtonClick},
        {&FT5KDNFBButton, {1121, 253, 16, 16}, "Digital Noise Filter Sub", 5003, false, &P::DNFBButtonClick},
    };
    for (const auto& k : keys) {
        TPanelSpeedButton* b = NewFT5KButton(k.Geometry, QString::fromUtf8(k.Hint), k.Group, k.Flat);
        const Handler click = k.Click;
        b->OnClick = [this, b, click] { (this->*click)(b); };
        *k.Button = b;
    }
    FT5KClarifierGroupButton->SetTag(8);
    FT5KWidthAButton->SetDown(true);
    FT5KWidthBButton->SetDown(true);

    FT5KAntennaButton = new TRCButton(this);
    FT5KAntennaButton->setGeometry(166, 169, 34, 28);
    FT5KAntennaButton->setToolTip(QStringLiteral("Antenna 1..4"));
    FT5KAntennaButton->SetFlat(true);
    FT5KAntennaButton->SetNumGlyphs(4);
    FT5KAntennaButton->OnClickDown = [this] { AntennaButtonClickDown(FT5KAntennaButton); };
    FT5KAntennaButton->OnClickUp = [this] { AntennaButtonClickUp(FT5KAntennaButton); };
}

void TFTTransceiverPanel5000::CreateSubDials()
{
    SubDialA = new TFTPanelDial(this);
    SubDialB = new TFTPanelDial(this);
    SubDisplayA = new TFTxSubdisplay(this);
    SubDisplayB = new TFTxSubdisplay(this);
    SubDisplayB->SetVFO(vfoB);
}

void TFTTransceiverPanel5000::CreateSubReceiverBars()
{
    const struct {
        TRCTrackBar** Bar;
        void (TFTTransceiverPanel5000::*Change)(QObject*);
    } bars[] = {
        {&NoiseBlankerBBar, &TFTTransceiverPanel5000::NoiseBlankerBBarChange},
        {&RFGainBBar, &TFTTransceiverPanel5000::RFGainBBarChange},
        {&AFGainBBar, &TFTTransceiverPanel5000::AFGainBBarChange},
        {&SquelchBBar, &TFTTransceiverPanel5000::SquelchBBarChange},
        {&FilterWidthBBar, &TFTTransceiverPanel5000::FilterWidthBBarChange},
        {&IFShiftBBar, &TFTTransceiverPanel5000::IFShiftBBarChange},
        {&NotchBBar, &TFTTransceiverPanel5000::NotchBBarChange},
        {&ContourLevelBBar, &TFTTransceiverPanel5000::ContourLevelBBarChange},
        {&DNRBBar, &TFTTransceiverPanel5000::DNRBBarChange},
        {&VRFBBar, &TFTTransceiverPanel5000::VRFBBarChange},
    };
    int tabOrder = 10;
    for (const auto& row : bars) {
        auto* bar = new TRCTrackBar(this);
        bar->setGeometry(PowerControlBar->x(), PowerControlBar->y(), PowerControlBar->width(),
                         PowerControlBar->height());
        SetTabOrder(bar, tabOrder);
        tabOrder += 2;
        const auto change = row.Change;
        bar->OnChange = [this, bar, change] { (this->*change)(bar); };
        *row.Bar = bar;
    }
    IFShiftBBar->OnKeyPress = [this](QChar key) { IFShiftBBarKeyPress(IFShiftBBar, key); };
    VRFBBar->OnEnter = [this] { VRFABarEnter(VRFBBar); };
}

void TFTTransceiverPanel5000::CreateSubReceiverLabels()
{
    const struct {
        QLabel** Label;
        int Left, Width;
        const char* Hint;
        const char* Text;
    } labels[] = {
        {&FilterWidthBLabel, 516, 36, "", "800"},
        {&IFShiftBLabel, 541, 33, "", "0"},
        {&NotchBLabel, 586, 28, "Notch Level", "1500"},
        {&ContourLevelBLabel, 610, 30, "Contour Level", "1500"},
        {&DNRBLabel, 634, 30, "Noise Reduction Level", "01"},
        {&VRFBLabel, 667, 36, "VRF Level", "128"},
    };
    for (const auto& row : labels) {
        auto* l = new QLabel(this);
        l->setGeometry(row.Left, 467, row.Width, 10);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setAutoFillBackground(false);
        l->setToolTip(QString::fromUtf8(row.Hint));
        l->setText(QString::fromUtf8(row.Text));
        *row.Label = l;
    }
    for (QLabel* l : {NotchBLabel, ContourLevelBLabel, DNRBLabel, VRFBLabel})
        l->hide();
}

// ---- Window creation ----

void TFTTransceiverPanel5000::CreateWnd()
{
    TFTTransceiverPanelBase::CreateWnd();
    FTxImage->SetPicture(QStringLiteral("FT5KIMAGE"));
    SetupSubDials();
    PlaceDisplays();
    PlaceVFODials();
    PlaceBandButtons();
    PlaceModeButtons();
    PlaceButtons();
    LoadFT5KButtonGlyphs();
    PlaceKnobs();
    PlaceTrackBars();
    PlaceLabels();
    ArrangeTabOrder();
}

void TFTTransceiverPanel5000::SetupSubDials()
{
    for (TFTPanelDial* dial : {SubDialA, SubDialB}) {
        dial->SetDialType(dtFT5K_SUBPANEL);
        dial->SetDialMode(dmUpDown);
    }
    SubDialA->move(911, 271);
    SubDialB->move(1045, 271);
    SubDialA->OnTuningStep = [this](QObject* s, int v) { SubDialATuningStep(s, v); };
    SubDialB->OnTuningStep = [this](QObject* s, int v) { SubDialBTuningStep(s, v); };
}

void TFTTransceiverPanel5000::PlaceDisplays()
{
    SubDisplayA->move(885, 150);
    SubDisplayB->move(1019, 150);
    for (TFTxSubdisplay* d : {SubDisplayA, SubDisplayB})
        d->SetFTCATInterface(CAT());
    SubDisplayA->SetVFO(vfoA);
    SubDisplayB->SetVFO(vfoB);

    FTxDisplay->move(255, 24);
    FTxDisplay->SetTransceiver(FTDX5000);
    PanelFrequencyA->move(294, 15);
    if (PanelFrequencyB->parentWidget() != this)
        PanelFrequencyB->setParent(this);
    PanelFrequencyB->move(758, 149);
    PanelFrequencyB->SetDisplayType(dtFT5K_B);
    PanelFrequencyB->show();
    PanelClarifier->move(414, 78);
    PanelClarifier->SetDisplayType(dtFT5K_Clarifier);
    PanelMeter->move(58, 30);
    PanelMeter->SetTransceiver(FTDX5000);
    TuningPanelB->setGeometry(744, 373, 394, TuningPanelB->height());
    MemoryChannelPanel->setGeometry(TuningPanelB->x(), TuningPanelB->y(), TuningPanelB->width(),
                                    MemoryChannelPanel->height());
}

void TFTTransceiverPanel5000::PlaceVFODials()
{
    VFOMain->SetDialType(dtFT5K_VFOA);
    VFOMain->move(508, 173);
    VFOSub->SetDialType(dtFT5K_VFOB);
    VFOSub->move(772, 268);
}

void TFTTransceiverPanel5000::PlaceBandButtons()
{
    const struct {
        TPanelSpeedButton* Button;
        int Left, Top;
        const char* Glyph;
    } bands[] = {
        {Band160Button, 746, 29, "FT5K_BAND_160M"}, {Band80Button, 790, 29, "FT5K_BAND_80M"},
        {Band40Button, 833, 29, "FT5K_BAND_40M"},   {Band30Button, 746, 56, "FT5K_BAND_30M"},
        {Band20Button, 790, 56, "FT5K_BAND_20M"},   {Band17Button, 833, 56, "FT5K_BAND_17M"},
        {Band15Button, 746, 83, "FT5K_BAND_15M"},   {Band12Button, 790, 83, "FT5K_BAND_12M"},
        {Band10Button, 833, 83, "FT5K_BAND_10M"},   {BandGenButton, 746, 110, "FT5K_BAND_GEN"},
        {Band6Button, 790, 110, "FT5K_BAND_6M"},    {EnterButton, 833, 110, "FT5K_BAND_ENT"},
    };
    for (const auto& row : bands) {
        row.Button->setGeometry(row.Left, row.Top, 33, 18);
        SetKeyGlyph(row.Button, QString::fromLatin1(row.Glyph));
    }
}

void TFTTransceiverPanel5000::PlaceModeButtons()
{
    const struct {
        TPanelSpeedButton* Button;
        int Left, Top;
        const char* Glyph;
    } modes[] = {
        {ModeLSBButton, 891, 28, "FT5K_MODE_LSB"}, {ModeUSBButton, 947, 28, "FT5K_MODE_USB"},
        {ModeCWButton, 891, 66, "FT5K_MODE_CW"},   {ModeAMFMButton, 947, 66, "FT5K_MODE_AM"},
        {ModeRTTYButton, 891, 103, "FT5K_MODE_RTTY"}, {ModePKTButton, 947, 103, "FT5K_MODE_PKT"},
    };
    for (const auto& row : modes) {
        TPanelSpeedButton* b = row.Button;
        b->setGeometry(row.Left, row.Top, 48, 25);
        b->SetFlat(true);
        SetKeyGlyph(b, QString::fromLatin1(row.Glyph));
        // Mode keys do not latch on this face.
        b->SetAllowAllUp(false);
        b->SetGroupIndex(0);
        b->SetDown(false);
    }
    ModeLSBButton->setToolTip(QStringLiteral("LSB"));
    ModeRTTYButton->setToolTip(QStringLiteral("RTTY"));
    ModeUSBButton->show();
}

void TFTTransceiverPanel5000::PlaceButtons()
{
    const struct {
        QWidget* Control;
        QRect Geometry;
        const char* Glyph;
    } keys[] = {
        {AGCButton, {373, 169, 34, 28}, "FT5K_UPDOWN"},
        {AttenuatorButton, {214, 169, 34, 28}, "FT5K_UPDOWN"},
        {IPOButton, {278, 169, 34, 28}, "FT5K_UPDOWN"},
        {RoofingFilterButton, {325, 169, 34, 28}, "FT5K_UPDOWN"},
        {DimmerSwitchButton, {25, 169, 27, 21}, "FT5K_DIM"},
        {AntennaTunerButton, {65, 169, 27, 21}, "FT5K_DIM"},
        {MonitorButton, {65, 203, 27, 21}, "FT5K_DIM"},
        {ProcessorButton, {65, 237, 27, 21}, "FT5K_DIM"},
        {MOXButton, {25, 203, 26, 20}, "FT5K_MOX"},
        {VOXButton, {25, 237, 26, 20}, "FT5K_MOX"},
        {PowerSwitchButton, {12, 41, 31, 52}, "FT5K_POWER"},
        {NoiseBlankerButton, {1026, 29, 48, 25}, "FT5K_NB"},
        {CWSpotButton, {1082, 29, 48, 25}, "FT5K_SPOT"},
        {KeyerButton, {1026, 66, 48, 25}, "FT5K_KEYER"},
        {BreakInButton, {1082, 66, 48, 25}, "FT5K_BK_IN"},
        {QMBStoreButton, {440, 191, 47, 16}, "FT5K_STO"},
        {QMBRecallButton, {440, 215, 37, 16}, "FT5K_RCL"},
        {NarrowButton, {440, 239, 35, 17}, "FT5K_NAR"},
        {SplitButton, {440, 263, 37, 16}, "FT5K_SPLIT"},
        {TXWatchButton, {440, 287, 49, 17}, "FT5K_TXW"},
        {VFOSelectAButton, {434, 166, 31, 17}, "FT5K_A"},
        {VFOSelectBButton, {465, 162, 35, 21}, "FT5K_B"},
        {LockButton, {663, 162, 35, 21}, "FT5K_LOCK"},
        {FastStepButton, {699, 165, 28, 17}, "FT5K_FAST"},
        {AToBButton, {674, 191, 48, 17}, "FT5K_A_B"},
        {SwapVFOButton, {684, 215, 38, 17}, "FT5K_A_SWAP_B"},
        {VMButton, {688, 239, 34, 17}, "FT5K_V_M"},
        {MemoryChannelToVFOAButton, {684, 263, 38, 17}, "FT5K_M_A"},
        {VFOAToMemoryButton, {674, 287, 48, 17}, "FT5K_A_M"},
        {MenuButton, {646, 315, 76, 20}, "FT5K_MENU"},
        {ClarifierClearButton, {791, 189, 33, 22}, "FT5K_OVAL_BLACK"},
        {SDF1Button, {791, 218, 32, 21}, "FT5K_OVAL_RED"},
        {SDF8Button, {831, 218, 32, 21}, "FT5K_OVAL_ORANGE"},
    };
    for (const auto& row : keys) {
        row.Control->setGeometry(row.Geometry);
        SetKeyGlyph(row.Control, QString::fromLatin1(row.Glyph));
    }
    MenuButton->setToolTip(QStringLiteral("FTDX5000 Transceiver Menu"));
    SDF1Button->setToolTip(QStringLiteral("Band/MCH"));
    SDF1Button->setEnabled(true);
    SDF8Button->SetDown(true);
    SDF8Button->setEnabled(true);
    SDF8Button->show();

    PlaceLamps(FTDX5000, {
                             {FunctionRXAButton, 505, 156, vfoARX, vfoOn},
                             {FunctionTXAButton, 636, 156, vfoATX, vfoOn},
                             {FunctionRXBButton, 743, 254, vfoBRX, vfoOff},
                             {FunctionTXBButton, 850, 254, vfoBTX, vfoOff},
                         });

    // What this radio's front does not have.
    for (QWidget* w : std::initializer_list<QWidget*>{AutoNotchAButton, ClarifierRXButton, ClarifierTXButton, F1Button,
                                                      F2Button, F3Button, F4Button, F5Button, SDF2Button, SDF3Button,
                                                      SDF4Button, SDF5Button, SDF6Button, SDF7Button,
                                                      NoiseBlankerALabel})
        w->hide();
    MemoryChannelPanel->hide();
}

void TFTTransceiverPanel5000::LoadFT5KButtonGlyphs()
{
    const struct {
        TPanelSpeedButton* Button;
        const char* Glyph;
    } keys[] = {
        {CATButton, "FT5K_CAT"},
        {DownButton, "FT5K_DOWN"},
        {UpButton, "FT5K_UP"},
        {FT5KAntennaRXButton, "FT5K_UPDOWN"},
        {FT5KClassAButton, "FT5K_CLASS_A"},
        {FT5KClarifierRXButton, "FT5K_OVAL_BLACK"},
        {FT5KClarifierTXButton, "FT5K_OVAL_BLACK"},
        {FT5KClarifierGroupButton, "FT5K_OVAL_RED"},
        {FT5KVRFAButton, "FT5K_OVAL_RED"},
        {FT5KShiftAButton, "FT5K_OVAL_RED"},
        {FT5KContourAButton, "FT5K_OVAL_RED"},
        {FT5KNotchAButton, "FT5K_OVAL_RED"},
        {FT5KWidthAButton, "FT5K_OVAL_RED"},
        {FT5KResetAButton, "FT5K_OVAL_BLACK"},
        {FT5KVRFBButton, "FT5K_OVAL_ORANGE"},
        {FT5KShiftBButton, "FT5K_OVAL_ORANGE"},
        {FT5KContourBButton, "FT5K_OVAL_ORANGE"},
        {FT5KNotchBButton, "FT5K_OVAL_ORANGE"},
        {FT5KWidthBButton, "FT5K_OVAL_ORANGE"},
        {FT5KResetBButton, "FT5K_OVAL_BLACK"},
        {FT5KDNRAButton, "FT5K_DNR_RED"},
        {FT5KDNFAButton, "FT5K_DNR_RED"},
        {FT5KDNRBButton, "FT5K_DNR_ORANGE"},
        {FT5KDNFBButton, "FT5K_DNR_ORANGE"},
    };
    for (const auto& row : keys)
        SetKeyGlyph(row.Button, QString::fromLatin1(row.Glyph));
    // Sizes follow the first key of each kind.
    for (TPanelSpeedButton* b : {FT5KClarifierTXButton, FT5KClarifierGroupButton, FT5KVRFAButton, FT5KShiftAButton,
                                 FT5KContourAButton, FT5KNotchAButton, FT5KWidthAButton, FT5KResetAButton,
                                 FT5KVRFBButton, FT5KShiftBButton, FT5KContourBButton, FT5KNotchBButton,
                                 FT5KWidthBButton, FT5KResetBButton})
        b->resize(FT5KClarifierRXButton->size());
    for (TPanelSpeedButton* b : {FT5KDNFAButton, FT5KDNRBButton, FT5KDNFBButton})
        b->resize(FT5KDNRAButton->size());
    SetKeyGlyph(FT5KAntennaButton, QStringLiteral("FT5K_UPDOWN"));
}

void TFTTransceiverPanel5000::PlaceKnobs()
{
    const struct {
        TFTPanelKnob* Knob;
        int Left, Top;
        TKnobType Type;
    } knobs[] = {
        {KnobMeterSwitch, 101, 217, ktFT5K_Meter},      {KnobNBSQLB, 280, 218, ktFT5K_Knob3},
        {KnobAFGainRFGainA, 350, 287, ktFT5K_Knob6},    {KnobAFGainRFGainB, 262, 288, ktFT5K_Knob5},
        {KnobMicPwr, 30, 294, ktFT5K_Knob1},            {KnobMonitorProcessor, 200, 217, ktFT5K_Knob2},
        {KnobNBSQLA, 358, 218, ktFT5K_Knob4},           {KnobVOXDelay, 183, 294, ktFT5K_Knob1},
        {KnobSpeedPitch, 106, 294, ktFT5K_Knob1},
    };
    for (const auto& row : knobs) {
        row.Knob->SetKnobType(row.Type);
        row.Knob->move(row.Left, row.Top);
    }
    for (TFTPanelKnob* k : {KnobAFGainRFGainA, KnobAFGainRFGainB}) {
        k->SetValueInner(0);
        k->SetValueOuter(255);
    }
    KnobVOXDelay->SetValueOuterMax(250);
    for (TFTPanelKnob* k : {KnobMicPwr, KnobMonitorProcessor, KnobNBSQLA, KnobVOXDelay}) {
        k->SetValueInner(0);
        k->SetValueOuter(0);
    }
    KnobSpeedPitch->SetValueInnerMin(4);
    KnobSpeedPitch->SetValueInnerMax(60);
    KnobSpeedPitch->SetValueOuterMax(15);
}

void TFTTransceiverPanel5000::PlaceTrackBars()
{
    PowerControlBar->move(13, 377);
    const int top = PowerControlBar->y();
    // Ranges of this radio for the main bars: Left, Min, Max, PageSize, Position, Ticks.
    PlaceBars(top, {
                       {PowerControlBar, 13, 0, 255, Keep, Keep, Keep},
                       {MicGainBar, 44, 0, 255, Keep, Keep, Keep},
                       {ProcessorLevelBar, 68, 0, 255, Keep, Keep, Keep},
                       {VoxGainBar, 92, Keep, 255, Keep, Keep, Keep},
                       {VoxDelayBar, 116, 2, 500, 10, Keep, Keep},
                       {MonitorBar, 148, Keep, Keep, Keep, Keep, Keep},
                       {KeySpeedBar, 189, Keep, Keep, Keep, Keep, Keep},
                       {KeyPitchBar, 217, Keep, 75, Keep, Keep, 8},
                       {NoiseBlankerABar, 256, Keep, Keep, Keep, Keep, Keep},
                       {RFGainABar, 304, Keep, Keep, Keep, Keep, Keep},
                       {AFGainABar, 352, Keep, Keep, Keep, Keep, Keep},
                       {SquelchABar, 411, Keep, Keep, Keep, Keep, Keep},
                       {FilterWidthABar, 472, Keep, 25, Keep, 13, Keep},
                       {IFShiftABar, 496, Keep, Keep, Keep, Keep, Keep},
                       {NotchABar, 590, 1, 400, Keep, Keep, Keep},
                       {ContourLevelABar, 614, 1, 40, Keep, Keep, Keep},
                       {DNRABar, 638, Keep, Keep, Keep, Keep, Keep},
                       {VRFABar, 662, Keep, Keep, Keep, Keep, Keep},
                       {ClarifierBar, 702, Keep, Keep, Keep, Keep, Keep},
                   });

    const struct {
        TRCTrackBar* Bar;
        int Left, Min, Max, PageSize, Ticks, Position;
        const char* Hint;
        bool Enabled, Visible;
        int Tag;
    } sub[] = {
        {NoiseBlankerBBar, 280, 0, 255, 32, 25, 0, "Noise Blanker Level Sub Receiver", false, true, 1},
        {RFGainBBar, 328, 0, 255, 16, 25, 255, "RF Gain Sub Receiver", true, true, 1},
        {AFGainBBar, 376, 0, 255, 16, 25, 0, "AF Gain Sub Receiver", true, true, 1},
        {SquelchBBar, 435, 0, 255, 16, 25, 0, "Squelch Level Sub Receiver", true, true, 1},
        {FilterWidthBBar, 523, 0, 25, 2, 4, 13, "IF Width Sub", true, true, 1},
        {IFShiftBBar, 547, -1000, 1000, 10, 200, 0, "IF Shift Sub", true, true, 1},
        {NotchBBar, 590, 1, 400, 10, 50, 150, "Notch Level", false, false, 0},
        {ContourLevelBBar, 614, 1, 40, 5, 5, 15, "Contour Level", false, false, 0},
        {DNRBBar, 638, 1, 15, 2, 2, 1, "Noise Reduction Level", false, false, 0},
        {VRFBBar, 662, 0, 255, 5, 48, 128, "\u00b5Tune/VRF position", false, false, 0},
    };
    for (const auto& row : sub) {
        TRCTrackBar* bar = row.Bar;
        bar->setGeometry(row.Left, top, PowerControlBar->width(), PowerControlBar->height());
        ShowBarRange(bar, row.Min, row.Max, row.Position);
        bar->SetPageSize(row.PageSize);
        bar->SetColorStyle(scsGreen);
        bar->TickMark().SetShowImageAtSteps(row.Ticks);
        bar->setToolTip(QString::fromUtf8(row.Hint));
        bar->setEnabled(row.Enabled);
        bar->setVisible(row.Visible);
        bar->SetTag(row.Tag);
    }
}

void TFTTransceiverPanel5000::PlaceLabels()
{
    const struct {
        QLabel* Label;
        int Left;
    } labels[] = {
        {PowerControlLabel, 11},  {MicGainLabel, 43},       {ProcessorLevelLabel, 67}, {VoxGainLabel, 91},
        {VoxDelayLabel, 115},     {MonitorLabel, 147},      {KeySpeedLabel, 194},      {KeyPitchLabel, 216},
        {FilterWidthALabel, 465}, {IFShiftALabel, 490},     {NotchALabel, 586},        {ContourLevelALabel, 610},
        {DNRALabel, 634},         {VRFALabel, 659},         {ClarifierLabel, 700},     {FilterWidthBLabel, 516},
        {IFShiftBLabel, 541},     {NotchBLabel, 586},       {ContourLevelBLabel, 610}, {DNRBLabel, 634},
        {VRFBLabel, 667},
    };
    for (const auto& row : labels)
        row.Label->move(row.Left, 466);
    NoiseBlankerALabel->hide();
    // Under its own bar: right-aligned, the speed would run into the pitch beside it.
    KeySpeedLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The added labels print like the base's.
    for (QLabel* l : {FilterWidthBLabel, IFShiftBLabel, NotchBLabel, ContourLevelBLabel, DNRBLabel, VRFBLabel}) {
        l->setFont(PowerControlLabel->font());
        l->setPalette(PowerControlLabel->palette());
    }
}

void TFTTransceiverPanel5000::ArrangeTabOrder()
{
    const struct {
        TRCTrackBar* Bar;
        int Order;
    } order[] = {
        {PowerControlBar, 1},   {MicGainBar, 2},        {ProcessorLevelBar, 3}, {VoxGainBar, 4},
        {VoxDelayBar, 5},       {MonitorBar, 6},        {KeySpeedBar, 7},       {KeyPitchBar, 8},
        {NoiseBlankerABar, 9},  {NoiseBlankerBBar, 10}, {RFGainABar, 11},       {RFGainBBar, 12},
        {AFGainABar, 13},       {AFGainBBar, 14},       {SquelchABar, 15},      {SquelchBBar, 16},
        {FilterWidthABar, 17},  {IFShiftABar, 18},      {FilterWidthBBar, 19},  {IFShiftBBar, 20},
        {NotchABar, 21},        {NotchBBar, 23},        {ContourLevelABar, 24}, {ContourLevelBBar, 25},
        {DNRABar, 26},          {DNRBBar, 27},          {VRFABar, 28},          {VRFBBar, 29},
        {ClarifierBar, 30},
    };
    for (const auto& row : order)
        SetTabOrder(row.Bar, row.Order);
    SetTabOrder(TuningPanelB, 99);
}

void TFTTransceiverPanel5000::SetFTCATInterface(TFTCATInterface* Value)
{
    TFTTransceiverPanelBase::SetFTCATInterface(Value);
    SubDisplayA->SetFTCATInterface(Value);
    SubDisplayB->SetFTCATInterface(Value);
}

TFTxSubdisplay* TFTTransceiverPanel5000::SubDisplay(uint8_t AVFO) const
{
    return AVFO == 0 ? SubDisplayA : SubDisplayB;
}
