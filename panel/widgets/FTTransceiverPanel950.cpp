// Construction and window creation of the FT-950 face: every control at its place with its
// picture, hint, group and tab position.
#include "panel/widgets/FTTransceiverPanel950.h"

#include "controls/widgets/RCTrackBar.h"
#include "panel/widgets/FT950Art.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <QLabel>
#include <initializer_list>

TFTTransceiverPanel950::TFTTransceiverPanel950(QWidget* AOwner) : TFTTransceiverPanelBase(AOwner)
{
    RegisterFT950Art();
    resize(PanelWidth, PanelHeight);
    FTxImage->setGeometry(0, 0, width(), height());
    CreateAntennaButton();
    CreateFT950Buttons();
}

// ---- Construction ----

void TFTTransceiverPanel950::CreateAntennaButton()
{
    AntennaButton = new TPanelSpeedButton(this);
    AntennaButton->setGeometry(102, 39, 17, 18);
    AntennaButton->setToolTip(QStringLiteral("Antenna 1/2"));
    AntennaButton->SetFlat(true);
    AntennaButton->SetSpacing(0);
    // Shown once the window exists.
    AntennaButton->hide();
    AntennaButton->OnClick = [this] { AntennaButtonClick(AntennaButton); };
}

void TFTTransceiverPanel950::CreateFT950Buttons()
{
    FT950MeterButton = new TPanelSpeedButton(this);
    FT950MeterButton->setGeometry(QRect(QPoint(90, 204), MonitorButton->size()));
    FT950MeterButton->setToolTip(QStringLiteral("Meter"));
    FT950MeterButton->SetSpacing(0);
    FT950MeterButton->OnClick = [this] { FT950MeterSwitchButtonClick(FT950MeterButton); };

    using Handler = void (TFTTransceiverPanel950::*)(QObject*);
    using P = TFTTransceiverPanel950;
    const struct {
        TPanelSpeedButton** Button;
        QRect Geometry;
        const char* Hint;
        int Group;
        bool Flat;
        Handler Click;
    } keys[] = {
        {&FT950ClearButton, {377, 184, 24, 16}, "Select Clear", 0, true, &P::FT950ClearButtonClick},
        {&FT950ContourButton, {377, 147, 24, 16}, "Select Contour", DSPGroup, false, &P::FT950ContourButtonClick},
        {&FT950NotchButton, {299, 184, 24, 16}, "Select Notch", DSPGroup, false, &P::FT950NotchButtonClick},
        {&FT950ShiftButton, {299, 147, 24, 16}, "Select Shift", DSPGroup, false, &P::FT950ShiftButtonClick},
        {&FT950UTuneButton, {338, 184, 24, 16}, "Select uTune", DSPGroup, false, &P::FT950UTuneButtonClick},
        {&FT950WidthButton, {338, 147, 24, 16}, "Select Width", DSPGroup, false, &P::FT950WidthButtonClick},
    };
    for (const auto& k : keys) {
        auto* b = new TPanelSpeedButton(this);
        b->setGeometry(k.Geometry);
        b->setToolTip(QString::fromLatin1(k.Hint));
        b->SetFlat(k.Flat);
        b->SetSpacing(0);
        if (k.Group != 0) {
            // At most one key of the group is down; a click on the down one releases it.
            b->SetGroupIndex(k.Group);
            b->SetAllowAllUp(true);
        }
        const Handler click = k.Click;
        b->OnClick = [this, b, click] { (this->*click)(b); };
        *k.Button = b;
    }
}

// ---- Window creation ----

void TFTTransceiverPanel950::CreateWnd()
{
    TFTTransceiverPanelBase::CreateWnd();
    FTxImage->SetPicture(QStringLiteral("FT950IMAGE"));
    PlaceDisplays();
    PlaceVFODials();
    PlaceBandButtons();
    PlaceModeButtons();
    LoadFT950ButtonGlyphs();
    PlaceButtons();
    PlaceKnobs();
    PlaceTrackBars();
    PlaceLabels();
    ArrangeTabOrder();
}

void TFTTransceiverPanel950::PlaceDisplays()
{
    FTxDisplay->move(179, 24);
    FTxDisplay->SetTransceiver(FT950);
    // The FT-2000's meter face sits in the left end of this radio's display.
    PanelMeter->move(183, 32);
    PanelMeter->setFixedHeight(81);
    PanelFrequencyA->move(385, 20);
    PanelFrequencyB->hide();
    PanelClarifier->move(487, 67);
    PanelClarifier->SetDisplayType(dtFT2K_Clarifier);
    TuningPanelB->setGeometry(612, 339, 393, TuningPanelB->height());
    MemoryChannelPanel->setGeometry(TuningPanelB->x(), TuningPanelB->y(), TuningPanelB->width(),
                                    MemoryChannelPanel->height());
}

void TFTTransceiverPanel950::PlaceVFODials()
{
    VFOMain->SetDialType(dtFT950_VFOA);
    VFOMain->move(497, 145);
    VFOSub->SetDialType(dtFT950_VFOB);
    VFOSub->move(882, 207);
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel950::PlaceBandButtons()
{
    const struct {
        TPanelSpeedButton* Button;
        int Left, Top;
        const char* Glyph;
    } bands[] = {
        {Band160Button, 761, 28, "FT950_BAND_160"}, {Band80Button, 812, 28, "FT950_BAND_80"},
        {Band40Button, 864, 28, "FT950_BAND_40"},   {Band30Button, 761, 51, "FT950_BAND_30"},
        {Band20Button, 812, 51, "FT950_BAND_20"},   {Band17Button, 864, 51, "FT950_BAND_17"},
        {Band15Button, 761, 74, "FT950_BAND_15"},   {Band12Button, 812, 74, "FT950_BAND_12"},
        {Band10Button, 864, 74, "FT950_BAND_10"},   {BandGenButton, 761, 97, "FT950_BAND_GEN"},
        {Band6Button, 812, 97, "FT950_BAND_6"},     {EnterButton, 864, 97, "FT950_BAND_ENT"},
    };
    for (const auto& row : bands) {
        row.Button->setGeometry(row.Left, row.Top, 39, 10);
        SetKeyGlyph(row.Button, QString::fromLatin1(row.Glyph));
    }
}

void TFTTransceiverPanel950::PlaceModeButtons()
{
    const struct {
        TPanelSpeedButton* Button;
        int Left, Top;
        const char* Glyph;
        const char* Hint;
    } modes[] = {
        {ModeLSBButton, 923, 28, "FT950_MODE_SSB", "USB/LSB"},
        {ModeCWButton, 923, 74, "FT950_MODE_CW", "CW"},
        {ModeAMFMButton, 957, 28, "FT950_MODE_AM", "AM/FM"},
        {ModeRTTYButton, 957, 74, "FT950_MODE_RTTY", "RTTY/PKT"},
    };
    for (const auto& row : modes) {
        TPanelSpeedButton* b = row.Button;
        b->setGeometry(row.Left, row.Top, 20, 33);
        SetKeyGlyph(b, QString::fromLatin1(row.Glyph));
        // Plain push keys: the radio's mode key command does the choosing.
        b->SetGroupIndex(0);
        b->SetAllowAllUp(false);
        b->SetDown(false);
        b->setToolTip(QString::fromLatin1(row.Hint));
    }
    ModeUSBButton->hide();
    ModePKTButton->hide();
}

void TFTTransceiverPanel950::LoadFT950ButtonGlyphs()
{
    const struct {
        QWidget* Control;
        const char* Glyph;
    } keys[] = {
        {AntennaButton, "FT950_BUTTON_ANT"},
        {FT950MeterButton, "FT950_BUTTON_MONI"},
        {FT950ShiftButton, "FT950_BUTTON_SELECT"},
        {FT950WidthButton, "FT950_BUTTON_SELECT"},
        {FT950ContourButton, "FT950_BUTTON_SELECT"},
        {FT950NotchButton, "FT950_BUTTON_SELECT"},
        {FT950UTuneButton, "FT950_BUTTON_SELECT"},
        {FT950ClearButton, "FT950_BUTTON_CLEAR"},
        {PowerSwitchButton, "FT950_POWER"},
        {MOXButton, "FT950_BUTTON_MOX"},
        {VOXButton, "FT950_BUTTON_MOX"},
        {AntennaTunerButton, "FT950_BUTTON_ANT"},
        {MonitorButton, "FT950_BUTTON_MONI"},
        {ProcessorButton, "FT950_BUTTON_MONI"},
        {CWSpotButton, "FT950_BUTTON_MONI"},
        {BreakInButton, "FT950_BUTTON_MONI"},
        {KeyerButton, "FT950_BUTTON_MONI"},
        {AGCButton, "FT950_BUTTON_MONI"},
        {QMBStoreButton, "FT950_BUTTON_STO"},
        {QMBRecallButton, "FT950_BUTTON_RCL"},
        {NarrowButton, "FT950_BUTTON_NAR"},
        {SplitButton, "FT950_BUTTON_SPLIT"},
        {TXWatchButton, "FT950_BUTTON_TXW"},
        {MenuButton, "FT950_BUTTON_MENU"},
        {FastStepButton, "FT950_BUTTON_FAST"},
        {LockButton, "FT950_BUTTON_LOCK"},
        {AToBButton, "FT950_BUTTON_AB"},
        {SwapVFOButton, "FT950_BUTTON_SWAP"},
        {VMButton, "FT950_BUTTON_VM"},
        {MemoryChannelToVFOAButton, "FT950_BUTTON_MA"},
        {VFOAToMemoryButton, "FT950_BUTTON_AM"},
        {AttenuatorButton, "FT950_BUTTON_ATT"},
        {IPOButton, "FT950_BUTTON_ATT"},
        {RoofingFilterButton, "FT950_BUTTON_ATT"},
        {NoiseBlankerButton, "FT950_BUTTON_ATT"},
        {ClarifierRXButton, "FT950_BUTTON_CLAR"},
        {ClarifierTXButton, "FT950_BUTTON_CLAR"},
        {ClarifierClearButton, "FT950_BUTTON_CLAR"},
        {AutoNotchAButton, "FT950_BUTTON_F1"},
        {DNRAButton, "FT950_BUTTON_F1"},
        {F1Button, "FT950_BUTTON_F1"},
        {F2Button, "FT950_BUTTON_F1"},
        {F3Button, "FT950_BUTTON_F1"},
        {F4Button, "FT950_BUTTON_F1"},
        {F5Button, "FT950_BUTTON_F1"},
        {SDF1Button, "FT950_GRP"},
        {SDF2Button, "FT950_GRP"},
        {SDF3Button, "FT950_GRP"},
        {SDF4Button, "FT950_GRP"},
    };
    for (const auto& row : keys)
        SetKeyGlyph(row.Control, QString::fromLatin1(row.Glyph));
}

void TFTTransceiverPanel950::PlaceButtons()
{
    const struct {
        QWidget* Control;
        QRect Geometry;
    } keys[] = {
        {AntennaButton, {102, 39, 17, 18}},
        {FT950MeterButton, {90, 205, 26, 13}},
        {PowerSwitchButton, {29, 42, 30, 54}},
        {MOXButton, {143, 43, 11, 11}},
        {VOXButton, {143, 88, 11, 11}},
        {AntennaTunerButton, {102, 85, 17, 18}},
        {MonitorButton, {25, 145, 26, 13}},
        {ProcessorButton, {68, 145, 26, 13}},
        {CWSpotButton, {111, 145, 26, 13}},
        {BreakInButton, {154, 145, 26, 13}},
        {KeyerButton, {197, 145, 26, 13}},
        {AGCButton, {240, 145, 26, 13}},
        {QMBStoreButton, {426, 152, 25, 16}},
        {QMBRecallButton, {458, 152, 27, 16}},
        {NarrowButton, {436, 181, 36, 16}},
        {SplitButton, {436, 207, 29, 16}},
        {TXWatchButton, {436, 233, 30, 16}},
        {MenuButton, {436, 289, 59, 12}},
        {FastStepButton, {654, 152, 30, 16}},
        {LockButton, {691, 152, 26, 16}},
        {AToBButton, {669, 181, 37, 17}},
        {SwapVFOButton, {676, 207, 30, 17}},
        {VMButton, {675, 233, 30, 16}},
        {MemoryChannelToVFOAButton, {663, 259, 42, 16}},
        {VFOAToMemoryButton, {649, 285, 56, 16}},
        {AttenuatorButton, {739, 147, 41, 16}},
        {IPOButton, {798, 147, 41, 16}},
        {RoofingFilterButton, {739, 184, 41, 16}},
        {NoiseBlankerButton, {798, 184, 41, 16}},
        {ClarifierRXButton, {863, 146, 33, 15}},
        {ClarifierTXButton, {914, 146, 33, 15}},
        {ClarifierClearButton, {963, 146, 33, 15}},
        {AutoNotchAButton, {471, 318, 26, 11}},
        {DNRAButton, {524, 318, 26, 11}},
        {F1Button, {23, 318, 26, 11}},
        {F2Button, {68, 318, 26, 11}},
        {F3Button, {113, 318, 26, 11}},
        {F4Button, {158, 318, 26, 11}},
        {F5Button, {203, 318, 26, 11}},
        {SDF1Button, {859, 201, 18, 16}},
        {SDF2Button, {859, 286, 18, 16}},
        {SDF3Button, {981, 201, 18, 16}},
        {SDF4Button, {981, 286, 18, 16}},
    };
    for (const auto& row : keys)
        row.Control->setGeometry(row.Geometry);
    AntennaButton->show();
    AutoNotchAButton->show();
    MenuButton->setToolTip(QStringLiteral("Menu dialog not available for the FT-950"));
    MenuButton->setEnabled(false);
    SDF1Button->setToolTip(QStringLiteral("Band"));
    for (TPanelSpeedButton* b : {SDF1Button, SDF2Button, SDF3Button, SDF4Button})
        b->setEnabled(true);

    PlaceLamps(FT950, {
                          {FunctionRXAButton, 448, 132, vfoARX, vfoOn},
                          {FunctionTXAButton, 661, 132, vfoATX, vfoOn},
                          {FunctionRXBButton, 864, 177, vfoBRX, vfoOff},
                          {FunctionTXBButton, 963, 177, vfoBTX, vfoOff},
                      });

    // What this radio's front does not have.
    for (QWidget* w : std::initializer_list<QWidget*>{PanelFrequencyB, KnobAFGainRFGainB, KnobVOXDelay,
                                                      DimmerSwitchButton, VFOSelectAButton, VFOSelectBButton,
                                                      ModeUSBButton, ModePKTButton, SDF5Button, SDF6Button,
                                                      SDF7Button, SDF8Button})
        w->hide();
}

void TFTTransceiverPanel950::PlaceKnobs()
{
    KnobAFGainRFGainA->SetKnobType(ktFT950_KNOB_AF);
    KnobAFGainRFGainA->move(751, 227);
    KnobAFGainRFGainA->SetValueInner(0);
    KnobAFGainRFGainA->SetValueOuter(255);

    const struct {
        TFTPanelKnob* Knob;
        int Left, Top;
    } small[] = {
        {KnobMicPwr, 150, 189},
        {KnobSpeedPitch, 229, 189},
        {KnobMonitorProcessor, 150, 259},
        {KnobNBSQLA, 229, 259},
    };
    for (const auto& row : small) {
        row.Knob->SetKnobType(ktFT2K_Knob1);
        row.Knob->move(row.Left, row.Top);
        // One ring each: the outer one carries the value.
        row.Knob->SetValueInnerEnabled(false);
    }
    for (TFTPanelKnob* k : {KnobMicPwr, KnobMonitorProcessor, KnobNBSQLA})
        k->SetValueOuter(0);
    KnobSpeedPitch->SetValueOuterMin(4);
    KnobSpeedPitch->SetValueOuterMax(60);
}

void TFTTransceiverPanel950::PlaceTrackBars()
{
    // This radio's ranges: Left, Min, Max, PageSize, Position, Ticks.
    PlaceBars(PowerControlBar->y(), {
                                        {PowerControlBar, 13, 5, 100, Keep, Keep, 25},
                                        {MicGainBar, 42, 0, 100, Keep, 0, 25},
                                        {ProcessorLevelBar, 66, 0, 100, Keep, 0, 25},
                                        {VoxGainBar, 95, 0, 100, Keep, 0, 25},
                                        {VoxDelayBar, 119, 3, 300, 10, Keep, 50},
                                        {MonitorBar, 148, Keep, Keep, Keep, 0, 25},
                                        {KeySpeedBar, 190, Keep, Keep, Keep, Keep, 6},
                                        {KeyPitchBar, 214, 0, 15, 5, Keep, 2},
                                        {SquelchABar, 253, Keep, Keep, Keep, 0, 25},
                                        {RFGainABar, 276, Keep, Keep, Keep, Keep, 25},
                                        {AFGainABar, 300, Keep, Keep, Keep, 0, 25},
                                        {IFShiftABar, 334, Keep, Keep, Keep, 0, 200},
                                        {FilterWidthABar, 366, 0, 20, Keep, Keep, 4},
                                        {ContourLevelABar, 398, 1, 30, Keep, Keep, 5},
                                        {NotchABar, 430, 1, 300, Keep, Keep, 50},
                                        {VRFABar, 462, Keep, Keep, Keep, Keep, 48},
                                        {NoiseBlankerABar, 494, Keep, Keep, Keep, 0, 25},
                                        {DNRABar, 526, Keep, Keep, Keep, Keep, 2},
                                        {ClarifierBar, 564, Keep, Keep, Keep, 0, 2000},
                                    });
}

void TFTTransceiverPanel950::PlaceLabels()
{
    const struct {
        QLabel* Label;
        int Left;
    } labels[] = {
        {PowerControlLabel, 11},   {MicGainLabel, 43},      {ProcessorLevelLabel, 67}, {VoxGainLabel, 91},
        {VoxDelayLabel, 115},      {MonitorLabel, 147},     {KeySpeedLabel, 194},      {KeyPitchLabel, 216},
        {IFShiftALabel, 330},      {FilterWidthALabel, 360}, {ContourLevelALabel, 394}, {NotchALabel, 427},
        {VRFALabel, 459},          {NoiseBlankerALabel, 493}, {DNRALabel, 522},         {ClarifierLabel, 564},
    };
    for (const auto& row : labels)
        row.Label->move(row.Left, 438);
    // Right-aligned, the speed would stand under the pitch bar and run into the pitch value.
    KeySpeedLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TFTTransceiverPanel950::ArrangeTabOrder()
{
    const struct {
        QWidget* Control;
        int Order;
    } order[] = {
        {PowerControlBar, 1},   {MicGainBar, 2},        {ProcessorLevelBar, 3}, {VoxGainBar, 4},
        {VoxDelayBar, 5},       {MonitorBar, 6},        {KeySpeedBar, 7},       {KeyPitchBar, 8},
        {NoiseBlankerABar, 9},  {RFGainABar, 11},       {AFGainABar, 13},       {SquelchABar, 15},
        {FilterWidthABar, 17},  {IFShiftABar, 18},      {NotchABar, 21},        {ContourLevelABar, 24},
        {DNRABar, 26},          {VRFABar, 28},          {ClarifierBar, 30},     {TuningPanelB, 99},
    };
    for (const auto& row : order)
        SetTabOrder(row.Control, row.Order);
}
