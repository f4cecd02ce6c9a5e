#pragma once
// The FT-950 face: 1019 x 454 pixels over its own background.  The radio has one frequency
// readout and no sub receiver controls, so the face hides what the common panel has for a
// second receiver and adds its own keys: antenna 1/2, a meter selector that skips PO, and the
// DSP selection group (Shift, Width, Contour, Notch, µTune) with its Clear key.  At most one
// key of that group is pressed; it follows the operator's clicks, the keyboard focus of the
// DSP bars and the radio's DSP report, and tells Clear what to reset.
//
// The layout is made in two steps: construction builds the controls, CreateWnd places them and
// loads their pictures, and may run again with the same result.

#include "panel/widgets/FTTransceiverPanelBase.h"

class TFTTransceiverPanel950 : public TFTTransceiverPanelBase {
    Q_OBJECT
public:
    // The group of the DSP selection keys.
    static constexpr int DSPGroup = 631;

    explicit TFTTransceiverPanel950(QWidget* AOwner = nullptr);

    void CreateWnd() override;

    // ---- Overridden operations ----
    void AntennaButtonClick(QObject* Sender) override;
    void ClarifierRXButtonClick(QObject* Sender) override;
    void ClarifierTXButtonClick(QObject* Sender) override;
    void FilterWidthABarEnter(QObject* Sender) override;
    void FilterWidthABarExit(QObject* Sender) override;
    void FunctionRXAButtonClick(QObject* Sender) override;
    void FunctionRXBButtonClick(QObject* Sender) override;
    void IFShiftABarEnter(QObject* Sender) override;
    void IFShiftABarExit(QObject* Sender) override;
    void ModeButtonClick(QObject* Sender) override;
    void NotchABarEnter(QObject* Sender) override;
    void SDFButtonClick(QObject* Sender) override;
    void UpdateVFOSubDialMode() override;
    void VFOSubTuningStep(QObject* Sender, int Value) override;
    void VRFABarEnter(QObject* Sender) override;

    void DoFTCATAntenna(uint8_t AVFO, TAntenna Value) override;
    void DoFTCATBusy(bool ABusyA, bool ABusyB) override;
    void DoFTCATContour(uint8_t AVFO, TContour Value) override;
    void DoFTCATDSPButton(uint8_t AVFO, TDSPButton Value, bool OnOff, TDSPButton Display) override;
    void DoFTCATFrequency(uint8_t AVFO, int32_t Value) override;
    void DoFTCATFunctionRX(TFunctionRX Value) override;
    void DoFTCATMicGain(uint8_t Value) override;
    void DoFTCATMonitorLevel(uint8_t Value) override;
    void DoFTCATNotch(uint8_t AVFO, bool Value) override;
    void DoFTCATProcessorLevel(uint8_t Value) override;
    void DoFTCATSubDialFunction(TSubDialFunction Value) override;
    void DoFTCATTXSet(uint8_t Value) override;
    void DoFTCATVRF(TVFO VFO, TVRFType VRFType, TVRFState VRFState, int32_t VRFPosition) override;

    // ---- Click handlers of the face's own keys ----
    void FT950ClearButtonClick(QObject* Sender);
    void FT950ContourButtonClick(QObject* Sender);
    void FT950MeterSwitchButtonClick(QObject* Sender);
    void FT950NotchButtonClick(QObject* Sender);
    void FT950ShiftButtonClick(QObject* Sender);
    void FT950UTuneButtonClick(QObject* Sender);
    void FT950WidthButtonClick(QObject* Sender);

    // ---- The face's own controls, in declaration order ----
    TPanelSpeedButton* AntennaButton = nullptr;
    TPanelSpeedButton* FT950ClearButton = nullptr;
    TPanelSpeedButton* FT950ContourButton = nullptr;
    TPanelSpeedButton* FT950MeterButton = nullptr;
    TPanelSpeedButton* FT950NotchButton = nullptr;
    TPanelSpeedButton* FT950ShiftButton = nullptr;
    TPanelSpeedButton* FT950UTuneButton = nullptr;
    TPanelSpeedButton* FT950WidthButton = nullptr;

private:
    // Construction steps.
    void CreateAntennaButton();
    void CreateFT950Buttons();
    // Window creation steps.
    void PlaceDisplays();
    void PlaceVFODials();
    void PlaceBandButtons();
    void PlaceModeButtons();
    void LoadFT950ButtonGlyphs();
    void PlaceButtons();
    void PlaceKnobs();
    void PlaceTrackBars();
    void PlaceLabels();
    void ArrangeTabOrder();

    // The one readout shows VFO B while only B is heard, or while transmitting split.
    void ShowReadoutFrequency();
    // Presses a key of the DSP group unless it is down already (which releases the others).
    static void PressDSPKey(TPanelSpeedButton* key);
};
