#pragma once
// The FT DX 5000 face: 1148 x 483 pixels over its own background.  It moves and re-skins the
// common controls, hides those this radio lacks and adds its own: two sub dials with their sub
// displays, the DSP keys of both receivers, the sub receiver's bars and value labels, the RX
// antenna, Class A and CAT keys and the 100 kHz step keys.  Its overrides turn operator
// gestures on them into engine calls and the engine's reports into control states.
//
// The layout is made in two steps: construction builds the controls, CreateWnd places them and
// loads their pictures, and may run again with the same result.

#include "panel/widgets/FTTransceiverPanelBase.h"

class TFTxSubdisplay;

class TFTTransceiverPanel5000 : public TFTTransceiverPanelBase {
    Q_OBJECT
public:
    static constexpr int FaceWidth = 1148;
    static constexpr int FaceHeight = 483;

    explicit TFTTransceiverPanel5000(QWidget* AOwner = nullptr);

    void CreateWnd() override;

    // ---- Overridden operations ----
    void SetFTCATInterface(TFTCATInterface* Value) override;
    void AntennaRXButtonClick(QObject* Sender) override;
    void ClarifierRXButtonClick(QObject* Sender) override;
    void ClarifierTXButtonClick(QObject* Sender) override;
    void ContourLevelABarChange(QObject* Sender) override;
    void ContourLevelBBarChange(QObject* Sender) override;
    void FilterWidthBBarChange(QObject* Sender) override;
    void IFShiftBBarChange(QObject* Sender) override;
    void IFShiftBBarKeyPress(QObject* Sender, QChar& Key) override;
    void NoiseBlankerBBarChange(QObject* Sender) override;
    void DNRAButtonClick(QObject* Sender) override;
    void DNRBBarChange(QObject* Sender) override;
    void NotchBBarChange(QObject* Sender) override;
    void SDFButtonClick(QObject* Sender) override;
    void UpdateVFOSubDialMode() override;
    void SubDialATuningStep(QObject* Sender, int Value) override;
    void SubDialBTuningStep(QObject* Sender, int Value) override;
    void VFOSubTuningStep(QObject* Sender, int Value) override;
    void VRFAButtonClick(QObject* Sender) override;
    void VRFBBarChange(QObject* Sender) override;
    void VRFBButtonClick(QObject* Sender) override;

    void DoFTCATAFGain(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATAntenna(uint8_t AVFO, TAntenna Value) override;
    void DoFTCATAntennaRX(uint8_t AVFO, bool Value) override;
    void DoFTCATAPFOffset(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATAttenuator(uint8_t AVFO, TAttenuator Value) override;
    void DoFTCATAutoNotch(uint8_t AVFO, bool Value) override;
    void DoFTCATCAT(bool Value) override;
    void DoFTCATClassA(bool Value) override;
    void DoFTCATContour(uint8_t AVFO, TContour Value) override;
    void DoFTCATContourLevel(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATDSPButton(uint8_t AVFO, TDSPButton Value, bool OnOff, TDSPButton Display) override;
    void DoFTCATFilterChange(uint8_t AVFO, int32_t AFilterWidth, uint8_t AMin, uint8_t AMax, uint8_t APosition,
                             uint8_t ABars) override;
    void DoFTCATFilterWidth(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATFrequency(uint8_t AVFO, int32_t Value) override;
    void DoFTCATIFShift(uint8_t AVFO, int32_t Value) override;
    void DoFTCATIPO(uint8_t AVFO, TIPO Value) override;
    void DoFTCATIsTuning(uint8_t AVFO, bool Value) override;
    void DoFTCATMeterSwitch(TMeterSwitch Value) override;
    void DoFTCATMicGain(uint8_t Value) override;
    void DoFTCATMonitorLevel(uint8_t Value) override;
    void DoFTCATNoiseBlanker(uint8_t AVFO, TNoiseBlanker Value) override;
    void DoFTCATNoiseBlankerLevel(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATNoiseReduction(uint8_t AVFO, bool Value) override;
    void DoFTCATNoiseReductionLevel(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATNotch(uint8_t AVFO, bool Value) override;
    void DoFTCATNotchLevel(uint8_t AVFO, int32_t Value) override;
    void DoFTCATPowerControl(uint8_t Value) override;
    void DoFTCATPowerControlWatt(uint8_t Value) override;
    void DoFTCATProcessorLevel(uint8_t Value) override;
    void DoFTCATRadioInformationClassA(bool Value) override;
    void DoFTCATResolution(uint8_t AVFO, int32_t Value) override;
    void DoFTCATRFGain(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATRoofingFilter(uint8_t AVFO, TRoofingFilter Value) override;
    void DoFTCATSquelch(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATSubDialFunction(TSubDialFunction Value) override;
    void DoFTCATVFOSelect(TVFO VFO) override;
    void DoFTCATVoxGain(int32_t Value) override;
    void DoFTCATVRF(TVFO VFO, TVRFType VRFType, TVRFState VRFState, int32_t VRFPosition) override;

    // Shows the caption strip of the shared bar places for the selected VFO and its contour
    // state; nothing without an engine.
    void UpdateRXABLabels();

    // ---- Click handlers of the face's own keys ----
    void FT5KClarifierGroupButtonClick(QObject* Sender);
    void FT5KClarifierRXButtonClick(QObject* Sender);
    void FT5KClarifierTXButtonClick(QObject* Sender);
    void FT5KClassAButtonClick(QObject* Sender);
    void FT5KContourAButtonClick(QObject* Sender);
    void FT5KContourBButtonClick(QObject* Sender);
    void FT5KNotchAButtonClick(QObject* Sender);
    void FT5KNotchBButtonClick(QObject* Sender);
    void FT5KResetAButtonClick(QObject* Sender);
    void FT5KResetBButtonClick(QObject* Sender);
    void FT5KShiftAButtonClick(QObject* Sender);
    void FT5KShiftBButtonClick(QObject* Sender);
    void FT5KWidthAButtonClick(QObject* Sender);
    void FT5KWidthBButtonClick(QObject* Sender);

    // ---- The face's own controls, in declaration order ----
    TPanelImage* FT5KRXABLabels = nullptr;
    TFTPanelDial* SubDialA = nullptr;
    TFTPanelDial* SubDialB = nullptr;
    TFTxSubdisplay* SubDisplayA = nullptr;
    TFTxSubdisplay* SubDisplayB = nullptr;
    TFTPanelKnob* KnobMeterSwitch = nullptr;
    TFTPanelKnob* KnobNBSQLB = nullptr;

    TPanelSpeedButton* CATButton = nullptr;
    TPanelSpeedButton* DownButton = nullptr;
    TPanelSpeedButton* UpButton = nullptr;
    TPanelSpeedButton* FT5KAntennaRXButton = nullptr;
    TPanelSpeedButton* FT5KClassAButton = nullptr;
    TPanelSpeedButton* FT5KClarifierGroupButton = nullptr;
    TPanelSpeedButton* FT5KClarifierRXButton = nullptr;
    TPanelSpeedButton* FT5KClarifierTXButton = nullptr;
    TPanelSpeedButton* FT5KContourAButton = nullptr;
    TPanelSpeedButton* FT5KContourBButton = nullptr;
    TPanelSpeedButton* FT5KDNFAButton = nullptr;
    TPanelSpeedButton* FT5KDNFBButton = nullptr;
    TPanelSpeedButton* FT5KDNRAButton = nullptr;
    TPanelSpeedButton* FT5KDNRBButton = nullptr;
    TPanelSpeedButton* FT5KNotchAButton = nullptr;
    TPanelSpeedButton* FT5KNotchBButton = nullptr;
    TPanelSpeedButton* FT5KResetAButton = nullptr;
    TPanelSpeedButton* FT5KResetBButton = nullptr;
    TPanelSpeedButton* FT5KShiftAButton = nullptr;
    TPanelSpeedButton* FT5KShiftBButton = nullptr;
    TPanelSpeedButton* FT5KVRFAButton = nullptr;
    TPanelSpeedButton* FT5KVRFBButton = nullptr;
    TPanelSpeedButton* FT5KWidthAButton = nullptr;
    TPanelSpeedButton* FT5KWidthBButton = nullptr;
    TRCButton* FT5KAntennaButton = nullptr;

    TRCTrackBar* AFGainBBar = nullptr;
    TRCTrackBar* ContourLevelBBar = nullptr;
    TRCTrackBar* DNRBBar = nullptr;
    TRCTrackBar* FilterWidthBBar = nullptr;
    TRCTrackBar* IFShiftBBar = nullptr;
    TRCTrackBar* NoiseBlankerBBar = nullptr;
    TRCTrackBar* NotchBBar = nullptr;
    TRCTrackBar* RFGainBBar = nullptr;
    TRCTrackBar* SquelchBBar = nullptr;
    TRCTrackBar* VRFBBar = nullptr;

    QLabel* ContourLevelBLabel = nullptr;
    QLabel* DNRBLabel = nullptr;
    QLabel* FilterWidthBLabel = nullptr;
    QLabel* IFShiftBLabel = nullptr;
    QLabel* NotchBLabel = nullptr;
    QLabel* VRFBLabel = nullptr;

private:
    // Construction steps.
    void CreateKnobs();
    void CreateCATAndStepButtons();
    void CreateFT5KButtons();
    void CreateSubDials();
    void CreateSubReceiverBars();
    void CreateSubReceiverLabels();
    // Window creation steps.
    void SetupSubDials();
    void PlaceDisplays();
    void PlaceVFODials();
    void PlaceBandButtons();
    void PlaceModeButtons();
    void PlaceButtons();
    void LoadFT5KButtonGlyphs();
    void PlaceKnobs();
    void PlaceTrackBars();
    void PlaceLabels();
    void ArrangeTabOrder();

    void DNFBButtonClick(QObject* Sender);
    void DNRBButtonClick(QObject* Sender);

    TPanelSpeedButton* NewFT5KButton(QRect geometry, const QString& hint, int group, bool flat = false);
    TFTxSubdisplay* SubDisplay(uint8_t AVFO) const;
    // The reset and the sub dial of one side act on what its sub display shows.
    void ResetBySubDisplay(uint8_t AVFO);
    void StepBySubDisplay(uint8_t AVFO, int Step);
    // The press look and hint of a VRF key for one report.
    void ShowVRFKey(TPanelSpeedButton* key, TVRFType VRFType, TVRFState VRFState);
};
