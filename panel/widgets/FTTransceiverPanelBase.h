#pragma once
// The common on-screen front panel of every supported radio: 1019 x 454 pixels of controls at
// fixed places, bound to one CAT engine.  Operator gestures become engine calls (PrepareTX and
// one setter); the engine's change events become control states.  A model face derives from
// it, gives the keys their pictures, moves, hides or adds controls and overrides the virtual
// operations, whose names and order below are shared by every face.
//
// Life cycle: construct with the host as owner, then CreateWnd() (it also runs on the first
// show) applies the track bar and label settings and binds the engine's events.  Nothing is
// sent to the radio while the panel is built or its window created, whatever engine is
// assigned.  A destroyed panel leaves no handler of its own in the engine, band map or tuning
// strip.

#include "controls/widgets/RCPanel.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DXSpots.h"
#include "panel/PanelLinks.h"
#include "panel/SmallControlsLogic.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <functional>
#include <initializer_list>
#include <limits>

class QAction;
class QLabel;
class QMenu;
class TFTPanelDial;
class TFTPanelFrequency;
class TFTPanelKnob;
class TFTxMeter2;
class TMemoryChannelPanel;
class TPanelImage;
class TPanelSpeedButton;
class TRCButton;
class TRCTrackBar;
class TTuningPanel3;
class TVFOABButton;

namespace lcd {
class TFTxDisplay;
}
namespace vx {
class Timer;
}

using TSenderEvent = std::function<void(QObject* Sender)>;

// The panel on the transceiver page that holds the model face.  The face's Menu button raises
// its OnMenuButton (with the button as sender) when the host is the face's owner.
class TFTTransceiverPanelHost : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    TSenderEvent OnMenuButton;
};

class TFTTransceiverPanelBase : public TRCPanel {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 1019;
    static constexpr int PanelHeight = 454;

    explicit TFTTransceiverPanelBase(QWidget* AOwner = nullptr);
    ~TFTTransceiverPanelBase() override;

    TFTCATInterface* FTCATInterface() const { return FFTCATInterface; }
    // Null is ignored; otherwise stored and the band map's frequency events point at the panel.
    TBandmapLink* Bandmap() const;
    void SetBandmap(TBandmapLink* value);
    // Handed on to the tuning strip, which reads its band plan.
    TDXSpots* DXSpots() const { return FDXSpots; }
    void SetDXSpots(TDXSpots* value);
    TLogPanelLink* LogPanel() const;
    void SetLogPanel(TLogPanelLink* value);
    // The owner given at construction: the host whose Menu event the Menu button raises.
    QObject* Owner() const { return FOwner; }

    // Window creation: track bar settings, label settings, then BindCATEvents.  A face runs the
    // inherited one first and then its own layout steps.  Running it again gives the same layout.
    virtual void CreateWnd();
    bool WindowCreated() const { return FWindowCreated; }
    // Points the engine's 83 panel events at this panel; nothing without an engine.
    void BindCATEvents();
    // Applies the engine's clarifier range and meter visibility; the host calls it after wiring.
    void UpdateTransceiverPanel();
    // Shows what the engine holds now in every readout, lamp and bar, as if each item had just
    // been reported: the engine reports changes only, so a face bound after the radio spoke
    // would otherwise keep its construction values.  Sends nothing.  The host calls it when it
    // hands a face the engine.
    void ShowCATState();
    // Tunes VFO A to an absolute frequency, unless VFO A is locked.
    void TuneVFOA(int32_t AFrequency);

    // ---- Virtual operations, first group: operator actions ----
    virtual void SetFTCATInterface(TFTCATInterface* Value);
    virtual void AFGainBBarChange(QObject* Sender);
    virtual void AntennaButtonClick(QObject* Sender);
    virtual void AntennaButtonClickDown(QObject* Sender);
    virtual void AntennaButtonClickUp(QObject* Sender);
    virtual void AntennaRXButtonClick(QObject* Sender);
    virtual void AutoNotchAButtonClick(QObject* Sender);
    virtual void ClarifierRXButtonClick(QObject* Sender);
    virtual void ClarifierTXButtonClick(QObject* Sender);
    virtual void ContourAButtonClick(QObject* Sender);
    virtual void ContourBButtonClick(QObject* Sender);
    virtual void ContourLevelABarChange(QObject* Sender);
    virtual void ContourLevelBBarChange(QObject* Sender);
    virtual void DownButtonClick(QObject* Sender);
    virtual void FilterWidthABarEnter(QObject* Sender);
    virtual void FilterWidthABarExit(QObject* Sender);
    virtual void FilterWidthBBarChange(QObject* Sender);
    virtual void TuneVFOB(int32_t AFrequency);
    virtual void FunctionRXAButtonClick(QObject* Sender);
    virtual void FunctionRXBButtonClick(QObject* Sender);
    virtual void IFShiftABarEnter(QObject* Sender);
    virtual void IFShiftABarExit(QObject* Sender);
    virtual void IFShiftBBarChange(QObject* Sender);
    virtual void IFShiftBBarKeyPress(QObject* Sender, QChar& Key);
    virtual void KnobMeterSwitchClick(QObject* Sender);
    virtual void KnobMeterSwitchClickBack(QObject* Sender);
    virtual void ModeButtonClick(QObject* Sender);
    virtual void NoiseBlankerBBarChange(QObject* Sender);
    virtual void DNRAButtonClick(QObject* Sender);
    virtual void DNRBBarChange(QObject* Sender);
    virtual void NotchABarEnter(QObject* Sender);
    virtual void NotchAButtonClick(QObject* Sender);
    virtual void NotchBBarChange(QObject* Sender);
    virtual void NotchBButtonClick(QObject* Sender);
    virtual void RFGainBBarChange(QObject* Sender);
    virtual void SDFButtonClick(QObject* Sender);
    virtual void UpdateVFOSubDialMode();
    virtual void SquelchBBarChange(QObject* Sender);
    virtual void SubDialATuningStep(QObject* Sender, int Value);
    virtual void SubDialBTuningStep(QObject* Sender, int Value);
    virtual void UpButtonClick(QObject* Sender);
    virtual void VFOSubTuningStep(QObject* Sender, int Value);
    virtual void VRFAButtonClick(QObject* Sender);
    virtual void VRFABarEnter(QObject* Sender);
    virtual void VRFBBarChange(QObject* Sender);
    virtual void VRFBButtonClick(QObject* Sender);

    // ---- Virtual operations, second group: radio events ----
    virtual void DoFTCATAFGain(uint8_t AVFO, uint8_t Value);
    virtual void DoFTCATAntenna(uint8_t AVFO, TAntenna Value);
    virtual void DoFTCATAntennaRX(uint8_t AVFO, bool Value);
    virtual void DoFTCATAPFOffset(uint8_t AVFO, uint8_t Value);
    virtual void DoFTCATAttenuator(uint8_t AVFO, TAttenuator Value);
    virtual void DoFTCATAutoNotch(uint8_t AVFO, bool Value);
    virtual void DoFTCATBusy(bool ABusyA, bool ABusyB);
    virtual void DoFTCATCAT(bool Value);
    virtual void DoFTCATClassA(bool Value);
    virtual void DoFTCATContour(uint8_t AVFO, TContour Value);
    virtual void DoFTCATContourLevel(uint8_t AVFO, uint8_t Value);
    virtual void DoFTCATDSPButton(uint8_t AVFO, TDSPButton Value, bool OnOff, TDSPButton Display);
    virtual void DoFTCATFilterChange(uint8_t AVFO, int32_t AFilterWidth, uint8_t AMin, uint8_t AMax,
                                     uint8_t APosition, uint8_t ABars);
    virtual void DoFTCATFilterWidth(uint8_t AVFO, uint8_t Value);
    virtual void DoFTCATFrequency(uint8_t AVFO, int32_t Value);
    virtual void DoFTCATFunctionRX(TFunctionRX Value);
    virtual void DoFTCATIFShift(uint8_t AVFO, int32_t Value);
    virtual void DoFTCATIPO(uint8_t AVFO, TIPO Value);
    virtual void DoFTCATIsTuning(uint8_t AVFO, bool Value);
    virtual void DoFTCATMeterSwitch(TMeterSwitch Value);
    virtual void DoFTCATMicGain(uint8_t Value);
    virtual void DoFTCATModeA(TMode Mode);
    virtual void DoFTCATMonitorLevel(uint8_t Value);
    virtual void DoFTCATNoiseBlanker(uint8_t AVFO, TNoiseBlanker Value);
    virtual void DoFTCATNoiseBlankerLevel(uint8_t AVFO, uint8_t Value);
    virtual void DoFTCATNoiseReduction(uint8_t AVFO, bool Value);
    virtual void DoFTCATNoiseReductionLevel(uint8_t AVFO, uint8_t Value);
    virtual void DoFTCATNotch(uint8_t AVFO, bool Value);
    virtual void DoFTCATNotchLevel(uint8_t AVFO, int32_t Value);
    virtual void DoFTCATPowerControl(uint8_t Value);
    virtual void DoFTCATPowerControlWatt(uint8_t Value);
    virtual void DoFTCATProcessorLevel(uint8_t Value);
    virtual void DoFTCATRadioInformationClassA(bool Value);
    virtual void DoFTCATResolution(uint8_t AVFO, int32_t Value);
    virtual void DoFTCATRFGain(uint8_t AVFO, uint8_t Value);
    virtual void DoFTCATRoofingFilter(uint8_t AVFO, TRoofingFilter Value);
    virtual void DoFTCATSquelch(uint8_t AVFO, uint8_t Value);
    virtual void DoFTCATSubDialFunction(TSubDialFunction Value);
    virtual void DoFTCATTXSet(uint8_t Value);
    virtual void DoFTCATVFOSelect(TVFO VFO);
    virtual void DoFTCATVoxGain(int32_t Value);
    virtual void DoFTCATVRF(TVFO VFO, TVRFType VRFType, TVRFState VRFState, int32_t VRFPosition);

    // ---- Controls, in construction order ----
    TPanelImage* FTxImage = nullptr;

    QMenu* PopupAGCOff = nullptr;
    QAction* MIAGCOff = nullptr;
    QMenu* PopupTunerStart = nullptr;
    QAction* MIStartTuner = nullptr;
    QMenu* PopupKeyer1 = nullptr;
    QMenu* PopupKeyer2 = nullptr;
    QMenu* PopupKeyer3 = nullptr;
    QMenu* PopupKeyer4 = nullptr;
    QMenu* PopupKeyer5 = nullptr;
    QAction* MICWMessage1 = nullptr;
    QAction* MICWMessage2 = nullptr;
    QAction* MICWMessage3 = nullptr;
    QAction* MICWMessage4 = nullptr;
    QAction* MICWMessage5 = nullptr;

    lcd::TFTxDisplay* FTxDisplay = nullptr;
    TFTPanelFrequency* PanelFrequencyA = nullptr;
    TFTPanelFrequency* PanelFrequencyB = nullptr;
    TFTPanelFrequency* PanelClarifier = nullptr;
    TFTxMeter2* PanelMeter = nullptr;
    TTuningPanel3* TuningPanelB = nullptr;
    TMemoryChannelPanel* MemoryChannelPanel = nullptr;

    TFTPanelDial* VFOMain = nullptr;
    TFTPanelDial* VFOSub = nullptr;

    TPanelSpeedButton* Band160Button = nullptr;
    TPanelSpeedButton* Band80Button = nullptr;
    TPanelSpeedButton* Band40Button = nullptr;
    TPanelSpeedButton* Band30Button = nullptr;
    TPanelSpeedButton* Band20Button = nullptr;
    TPanelSpeedButton* Band17Button = nullptr;
    TPanelSpeedButton* Band15Button = nullptr;
    TPanelSpeedButton* Band12Button = nullptr;
    TPanelSpeedButton* Band10Button = nullptr;
    TPanelSpeedButton* BandGenButton = nullptr;
    TPanelSpeedButton* Band6Button = nullptr;
    TPanelSpeedButton* EnterButton = nullptr;

    TPanelSpeedButton* ModeLSBButton = nullptr;
    TPanelSpeedButton* ModeUSBButton = nullptr;
    TPanelSpeedButton* ModeCWButton = nullptr;
    TPanelSpeedButton* ModeAMFMButton = nullptr;
    TPanelSpeedButton* ModeRTTYButton = nullptr;
    TPanelSpeedButton* ModePKTButton = nullptr;

    TRCButton* AGCButton = nullptr;
    TPanelSpeedButton* AntennaTunerButton = nullptr;
    TPanelSpeedButton* AToBButton = nullptr;
    TRCButton* AttenuatorButton = nullptr;
    TPanelSpeedButton* AutoNotchAButton = nullptr;
    TPanelSpeedButton* BreakInButton = nullptr;
    TPanelSpeedButton* ClarifierClearButton = nullptr;
    TPanelSpeedButton* ClarifierRXButton = nullptr;
    TPanelSpeedButton* ClarifierTXButton = nullptr;
    TPanelSpeedButton* CWSpotButton = nullptr;
    TPanelSpeedButton* DimmerSwitchButton = nullptr;
    TPanelSpeedButton* DNRAButton = nullptr;
    TPanelSpeedButton* F1Button = nullptr;
    TPanelSpeedButton* F2Button = nullptr;
    TPanelSpeedButton* F3Button = nullptr;
    TPanelSpeedButton* F4Button = nullptr;
    TPanelSpeedButton* F5Button = nullptr;
    TPanelSpeedButton* FastStepButton = nullptr;
    TVFOABButton* FunctionRXAButton = nullptr;
    TVFOABButton* FunctionRXBButton = nullptr;
    TVFOABButton* FunctionTXAButton = nullptr;
    TVFOABButton* FunctionTXBButton = nullptr;
    TRCButton* IPOButton = nullptr;
    TPanelSpeedButton* KeyerButton = nullptr;
    TPanelSpeedButton* LockButton = nullptr;
    TPanelSpeedButton* MemoryChannelToVFOAButton = nullptr;
    TPanelSpeedButton* MenuButton = nullptr;
    TPanelSpeedButton* MonitorButton = nullptr;
    TPanelSpeedButton* MOXButton = nullptr;
    TPanelSpeedButton* NarrowButton = nullptr;
    TPanelSpeedButton* NoiseBlankerButton = nullptr;
    TPanelSpeedButton* PowerSwitchButton = nullptr;
    TPanelSpeedButton* ProcessorButton = nullptr;
    TPanelSpeedButton* QMBRecallButton = nullptr;
    TPanelSpeedButton* QMBStoreButton = nullptr;
    TRCButton* RoofingFilterButton = nullptr;
    TPanelSpeedButton* SDF1Button = nullptr;
    TPanelSpeedButton* SDF2Button = nullptr;
    TPanelSpeedButton* SDF3Button = nullptr;
    TPanelSpeedButton* SDF4Button = nullptr;
    TPanelSpeedButton* SDF5Button = nullptr;
    TPanelSpeedButton* SDF6Button = nullptr;
    TPanelSpeedButton* SDF7Button = nullptr;
    TPanelSpeedButton* SDF8Button = nullptr;
    TPanelSpeedButton* SplitButton = nullptr;
    TPanelSpeedButton* SwapVFOButton = nullptr;
    TPanelSpeedButton* TXWatchButton = nullptr;
    TPanelSpeedButton* VFOSelectAButton = nullptr;
    TPanelSpeedButton* VFOSelectBButton = nullptr;
    TPanelSpeedButton* VFOAToMemoryButton = nullptr;
    TPanelSpeedButton* VMButton = nullptr;
    TPanelSpeedButton* VOXButton = nullptr;

    TFTPanelKnob* KnobAFGainRFGainA = nullptr;
    TFTPanelKnob* KnobAFGainRFGainB = nullptr;
    TFTPanelKnob* KnobMicPwr = nullptr;
    TFTPanelKnob* KnobMonitorProcessor = nullptr;
    TFTPanelKnob* KnobNBSQLA = nullptr;
    TFTPanelKnob* KnobVOXDelay = nullptr;
    TFTPanelKnob* KnobSpeedPitch = nullptr;

    TRCTrackBar* PowerControlBar = nullptr;
    TRCTrackBar* MicGainBar = nullptr;
    TRCTrackBar* ProcessorLevelBar = nullptr;
    TRCTrackBar* VoxGainBar = nullptr;
    TRCTrackBar* VoxDelayBar = nullptr;
    TRCTrackBar* MonitorBar = nullptr;
    TRCTrackBar* KeySpeedBar = nullptr;
    TRCTrackBar* KeyPitchBar = nullptr;
    TRCTrackBar* NoiseBlankerABar = nullptr;
    TRCTrackBar* RFGainABar = nullptr;
    TRCTrackBar* AFGainABar = nullptr;
    TRCTrackBar* SquelchABar = nullptr;
    TRCTrackBar* FilterWidthABar = nullptr;
    TRCTrackBar* IFShiftABar = nullptr;
    TRCTrackBar* NotchABar = nullptr;
    TRCTrackBar* ContourLevelABar = nullptr;
    TRCTrackBar* DNRABar = nullptr;
    TRCTrackBar* VRFABar = nullptr;
    TRCTrackBar* ClarifierBar = nullptr;

    QLabel* PowerControlLabel = nullptr;
    QLabel* MicGainLabel = nullptr;
    QLabel* ProcessorLevelLabel = nullptr;
    QLabel* VoxGainLabel = nullptr;
    QLabel* VoxDelayLabel = nullptr;
    QLabel* MonitorLabel = nullptr;
    QLabel* KeySpeedLabel = nullptr;
    QLabel* KeyPitchLabel = nullptr;
    QLabel* NoiseBlankerALabel = nullptr;
    QLabel* FilterWidthALabel = nullptr;
    QLabel* IFShiftALabel = nullptr;
    QLabel* NotchALabel = nullptr;
    QLabel* ContourLevelALabel = nullptr;
    QLabel* DNRALabel = nullptr;
    QLabel* VRFALabel = nullptr;
    QLabel* ClarifierLabel = nullptr;

    vx::Timer* PowerSwitchTimer = nullptr;

    // The tab position a control was given (0 for none).
    static int TabOrder(const QWidget* control);
    // The popup menu a control opens on a right click (null for none).
    static QMenu* PopupMenuOf(const QWidget* control);

protected:
    void showEvent(QShowEvent* event) override;

    // The power switch as the controls show it, without the link consequences of a report.
    void ShowPowerSwitch(bool Value);

    // ---- Radio events handled by the base alone ----
    void DoFTCATAGC(uint8_t AVFO, TAGC Value);
    void DoFTCATAntennaTuner(TAntennaTuner Value);
    void DoFTCATBand(uint8_t AVFO, TBand Value);
    void DoFTCATBandSelect();
    void DoFTCATBargraph(const QString& Value);
    void DoFTCATBreakIn(bool Value);
    void DoFTCATClarifierOffset(int32_t Value);
    void DoFTCATClarifierRange(int32_t Value);
    void DoFTCATClarifierRX(bool Value);
    void DoFTCATClarifierTX(bool Value);
    void DoFTCATContourGain(int32_t Value);
    void DoFTCATCWBreakInDelay(int32_t Value);
    void DoFTCATCWSpot(bool Value);
    void DoFTCATDigitalMeter(bool Value);
    void DoFTCATDimmerSwitch(bool Value);
    void DoFTCATFastStepA(bool Value);
    void DoFTCATFastStepB(bool Value);
    void DoFTCATFunctionTX(TVFO VFO);
    void DoFTCATKeyer(bool Value);
    void DoFTCATKeyPitch(int32_t Value);
    void DoFTCATKeySpeed(int32_t Value);
    void DoFTCATLockA(bool Value);
    void DoFTCATLockB(bool Value);
    void DoFTCATMemoryChannel(TMemoryChannel* MemoryChannel);
    void DoFTCATMeter(uint8_t Value);
    void DoFTCATModeB(TMode Mode);
    void DoFTCATMonitor(bool Value);
    void DoFTCATMOX(bool Value);
    void DoFTCATNarrow(uint8_t AVFO, bool Value);
    void DoFTCATPowerSwitch(bool Value);
    void DoFTCATProcessor(TProcessor Value);
    void DoFTCATRadioInformationHiSWR(bool Value);
    void DoFTCATRadioInformationMicEq(bool Value);
    void DoFTCATRadioInformationPlay(bool Value);
    void DoFTCATRadioInformationRec(bool Value);
    void DoFTCATShowMeterMeter(bool Value);
    void DoFTCATSMeter(uint8_t AVFO, uint8_t Value);
    void DoFTCATTXWatch(bool Value);
    void DoFTCATVFOMemoryMode(TVFOMemoryMode Value);
    void DoFTCATVox(bool Value);
    void DoFTCATVoxDelay(int32_t Value);

    // Shared steps of the handlers.
    // Both S-meters to 0; with the TX meter as well when asked.
    void MetersToZero(bool txMeter = false);
    void UpdateClarifierDisplay();
    // A radio value on a bar without sending it back.
    static void ShowBarPosition(TRCTrackBar* bar, int value);
    static void ShowBarPositionExp(TRCTrackBar* bar, int value);
    // A new range (and position) without sending anything, even when the range moves the thumb.
    static void ShowBarRange(TRCTrackBar* bar, int min, int max, int position);
    // A label that sizes itself to its text keeps its height.
    static void FitLabelWidth(QLabel* label);
    // Gives a control its tab position among the panel's controls.
    void SetTabOrder(QWidget* control, int order);

    // Layout steps the model faces share.
    // A key (speed button or two-half button) shows a picture strip of four frames, no spacing.
    static void SetKeyGlyph(QWidget* key, const QString& glyph);
    // A bar of the row at `top`, with the radio's range; Keep leaves the value the bar has.
    static constexpr int Keep = std::numeric_limits<int>::min();
    struct TBarPlace {
        TRCTrackBar* Bar;
        int Left, Min, Max, PageSize, Position, Ticks;
    };
    static void PlaceBars(int top, std::initializer_list<TBarPlace> bars);
    // The RX and TX lamps of the model, at their places and in their start states.
    struct TLampPlace {
        TVFOABButton* Lamp;
        int Left, Top;
        TVFOButtonType Type;
        TVFOState State;
    };
    static void PlaceLamps(TTransceiver model, std::initializer_list<TLampPlace> lamps);
    // The engine when one is assigned and still exists.
    TFTCATInterface* CAT() const { return FFTCATInterface.data(); }
    // The action rule: with an engine, PrepareTX and then the one engine call; nothing without.
    template <typename F>
    void Act(F&& call)
    {
        if (TFTCATInterface* cat = CAT()) {
            cat->PrepareTX();
            call(*cat);
        }
    }

private:
    void BuildDisplayGroup();
    void BuildButtons();
    void BuildBars();
    void BuildLabels();
    void ApplyBarSettings();
    void ApplyLabelSettings();
    // Binds (or, with bind false, releases where still ours) every engine event of the panel.
    void WireCATEvents(TFTCATInterface* engine, bool bind);
    template <typename... Args>
    void Hook(std::function<void(Args...)>& event, void (TFTTransceiverPanelBase::*method)(Args...), bool bind);
    void AttachPopupMenu(QWidget* control, QMenu* menu);
    TPanelSpeedButton* NewSpeedButton(QRect geometry, const QString& hint, bool flat);
    TRCButton* NewHalvesButton(int left, const QString& hint);
    TRCTrackBar* NewBar(int left, int tabOrder);
    QLabel* NewLabel(int left, int width, int height);

    // Actions of the base's own controls.
    void BandButtonClick(QObject* Sender);
    void AntennaTunerButtonClick();
    void StartTunerClick();
    void BreakInButtonClick();
    void ClarifierClearButtonClick();
    void CWSpotButtonClick();
    void DimmerSwitchButtonClick();
    void FastStepButtonClick();
    void FunctionTXButtonClick();
    void KeyerButtonClick();
    void LockButtonClick();
    void MenuButtonClick();
    void MonitorButtonClick();
    void MOXButtonClick();
    void NarrowButtonClick();
    void NoiseBlankerButtonClick();
    void PowerSwitchButtonClick();
    void PowerSwitchTimerTimer();
    void ProcessorButtonClick();
    void TXWatchButtonClick();
    void VFOSelectButtonClick(TVFO vfo);
    void VMButtonClick();
    void VOXButtonClick();
    void KeyerMemoryClick(int channel);
    void BarChange(TRCTrackBar* bar);
    void IFShiftABarKeyPress(QChar Key);
    void ClarifierBarKeyPress(QChar Key);
    void VFOMainTuningStep(int Value);
    void PanelClarifierChange(int32_t Value);
    void MeterShow(bool Value);
    void BandmapFrequencyChange(TVFO AVFO, int32_t AFrequency);
    void BandmapFrequencyRequest();
    void TuningFrequencyRequest();
    void TuningSplitClick(int32_t Value);
    void TuningClarifierChange(int32_t Value);

    QPointer<TFTCATInterface> FFTCATInterface;
    // Every engine whose events were pointed at the panel, released on destruction.
    QList<QPointer<TFTCATInterface>> FBoundEngines;
    // The band map and log panel; when they are objects, their going is noticed.
    TBandmapLink* FBandmap = nullptr;
    QPointer<QObject> FBandmapObject;
    bool FBandmapIsObject = false;
    QPointer<TDXSpots> FDXSpots;
    TLogPanelLink* FLogPanel = nullptr;
    QPointer<QObject> FLogPanelObject;
    bool FLogPanelIsObject = false;
    QPointer<QObject> FOwner;
    bool FWindowCreated = false;
};
