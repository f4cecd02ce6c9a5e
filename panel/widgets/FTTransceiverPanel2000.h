#pragma once
// The face of the FT-2000 and FT-2000D: the common front panel with the radio's own front as
// background, every key drawn as the radio's key, the controls the FT-2000 adds (clarifier,
// contour/DNR, shift/width, notch and meter knobs, antenna, contour, notch and VRF keys, the
// sub receiver's AF, RF and squelch bars) and the behaviour where this radio differs.

#include "panel/widgets/FTTransceiverPanelBase.h"

class TFTTransceiverPanel2000 : public TFTTransceiverPanelBase {
    Q_OBJECT
public:
    explicit TFTTransceiverPanel2000(QWidget* AOwner = nullptr);

    // The inherited window creation, then the face's layout.  Running it again gives the same.
    void CreateWnd() override;

    // ---- Operator actions where the FT-2000 differs ----
    void AntennaButtonClick(QObject* Sender) override;
    void AntennaRXButtonClick(QObject* Sender) override;
    void ClarifierRXButtonClick(QObject* Sender) override;
    void ClarifierTXButtonClick(QObject* Sender) override;
    void ModeButtonClick(QObject* Sender) override;
    void TuneVFOB(int32_t AFrequency) override;
    void SDFButtonClick(QObject* Sender) override;
    void UpdateVFOSubDialMode() override;
    void VFOSubTuningStep(QObject* Sender, int Value) override;

    // ---- Radio events where the FT-2000 shows more ----
    void DoFTCATAFGain(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATAntenna(uint8_t AVFO, TAntenna Value) override;
    void DoFTCATAntennaRX(uint8_t AVFO, bool Value) override;
    void DoFTCATContour(uint8_t AVFO, TContour Value) override;
    void DoFTCATContourLevel(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATFilterWidth(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATFrequency(uint8_t AVFO, int32_t Value) override;
    void DoFTCATIFShift(uint8_t AVFO, int32_t Value) override;
    void DoFTCATIsTuning(uint8_t AVFO, bool Value) override;
    void DoFTCATMeterSwitch(TMeterSwitch Value) override;
    void DoFTCATMicGain(uint8_t Value) override;
    void DoFTCATModeA(TMode Mode) override;
    void DoFTCATMonitorLevel(uint8_t Value) override;
    void DoFTCATNoiseReductionLevel(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATNotch(uint8_t AVFO, bool Value) override;
    void DoFTCATNotchLevel(uint8_t AVFO, int32_t Value) override;
    void DoFTCATPowerControl(uint8_t Value) override;
    void DoFTCATProcessorLevel(uint8_t Value) override;
    void DoFTCATResolution(uint8_t AVFO, int32_t Value) override;
    void DoFTCATRFGain(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATSquelch(uint8_t AVFO, uint8_t Value) override;
    void DoFTCATSubDialFunction(TSubDialFunction Value) override;
    void DoFTCATVoxGain(int32_t Value) override;
    void DoFTCATVRF(TVFO VFO, TVRFType VRFType, TVRFState VRFState, int32_t VRFPosition) override;

    // ---- Controls the face adds ----
    TPanelImage* SDFImage1 = nullptr;
    TPanelImage* SDFImage2 = nullptr;
    TFTPanelDial* FT2KClarifier = nullptr;
    TFTPanelKnob* KnobContourDNR = nullptr;
    TFTPanelKnob* KnobMeterSwitch = nullptr;
    TFTPanelKnob* KnobNotchLevel = nullptr;
    TFTPanelKnob* KnobShiftWidth = nullptr;
    TPanelSpeedButton* AntennaButton = nullptr;
    TPanelSpeedButton* AntennaRXButton = nullptr;
    TPanelSpeedButton* ContourButton = nullptr;
    TPanelSpeedButton* CustomSettingButton = nullptr;
    TPanelSpeedButton* DisplayButton = nullptr;
    TPanelSpeedButton* F6Button = nullptr;
    TPanelSpeedButton* F7Button = nullptr;
    TPanelSpeedButton* NotchButton = nullptr;
    TPanelSpeedButton* VRFButton = nullptr;
    TRCTrackBar* RFGainBBar = nullptr;
    TRCTrackBar* AFGainBBar = nullptr;
    TRCTrackBar* SquelchBBar = nullptr;
    QLabel* SquelchALabel = nullptr;

private:
    void ClarifierTuningStep(int Value);
    void SquelchALabelClick();
    void MHzStep(uint8_t vfo, int Value);
    void ShowModeLamps(TMode Mode);
    void LayoutDisplayGroup();
    void LayoutButtons();
    void LayoutKnobs();
    void LayoutBars();
    void LayoutLabels();
};
