// Radio events on the FT-950 face: the one frequency readout, the RX lamps without dual
// receive, the DSP group's keys, the antenna key's hint, the knobs that show the transmit
// levels and the sub dial's mode.  No handler sends anything.  A value outside its enumeration
// leaves the key it names as it was.
#include "panel/widgets/FTTransceiverPanel950.h"

#include "controls/widgets/RCTrackBar.h"
#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxMeter2.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"

#include <QLabel>

namespace {

template <typename E>
bool Known(E value, E last)
{
    return unsigned(value) <= unsigned(last);
}

} // namespace

void TFTTransceiverPanel950::ShowReadoutFrequency()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    const bool showB = cat->RXBOn() || (cat->Split() && cat->Transmitting());
    PanelFrequencyA->SetFrequency(showB ? cat->FrequencyB() : cat->FrequencyA());
}

void TFTTransceiverPanel950::PressDSPKey(TPanelSpeedButton* key)
{
    if (!key->Down())
        key->SetDown(true);
}

void TFTTransceiverPanel950::DoFTCATAntenna(uint8_t AVFO, TAntenna Value)
{
    TFTTransceiverPanelBase::DoFTCATAntenna(AVFO, Value);
    // The key knows antennas 1 and 2 only; a report of 3 or 4 leaves its hint.
    if (AVFO == 0 && (Value == ant1 || Value == ant2))
        AntennaButton->setToolTip(QStringLiteral("Antenna %1").arg(int(Value) + 1));
}

void TFTTransceiverPanel950::DoFTCATBusy(bool ABusyA, bool)
{
    // One receiver: VFO B's busy report has nowhere to show.
    FTxDisplay->Display().SetBusyA(ABusyA);
}

void TFTTransceiverPanel950::DoFTCATContour(uint8_t AVFO, TContour Value)
{
    TFTTransceiverPanelBase::DoFTCATContour(AVFO, Value);
    if (!CAT() || AVFO != 0 || !Known(Value, conAPF))
        return;
    static const char* const hints[] = {"Contour off", "Contour on", "APF on"};
    FT950ContourButton->SetDown(Value != conOff);
    FT950ContourButton->setToolTip(QString::fromLatin1(hints[Value]));
}

void TFTTransceiverPanel950::DoFTCATDSPButton(uint8_t, TDSPButton Value, bool, TDSPButton)
{
    switch (Value) {
    case btnSHIFT: PressDSPKey(FT950ShiftButton); break;
    case btnWIDTH: PressDSPKey(FT950WidthButton); break;
    case btnCONTOUR_APF: PressDSPKey(FT950ContourButton); break;
    case btnNOTCH: PressDSPKey(FT950NotchButton); break;
    case btnVRF_UTUNE: PressDSPKey(FT950UTuneButton); break;
    default: break; // DNR and DNF have keys of their own
    }
}

void TFTTransceiverPanel950::DoFTCATFrequency(uint8_t AVFO, int32_t Value)
{
    ShowReadoutFrequency();
    TFTTransceiverPanelBase::DoFTCATFrequency(AVFO, Value);
}

void TFTTransceiverPanel950::DoFTCATFunctionRX(TFunctionRX Value)
{
    if (!CAT())
        return;
    // Dual receive does not exist here: those values leave the lamps.
    switch (Value) {
    case frxARX_BOFF:
        FunctionRXAButton->SetVFOState(vfoOn);
        FunctionRXBButton->SetVFOState(vfoOff);
        break;
    case frxAMute_BOFF:
        FunctionRXAButton->SetVFOState(vfoMute);
        FunctionRXBButton->SetVFOState(vfoOff);
        break;
    case frxAOff_BRX:
        FunctionRXAButton->SetVFOState(vfoOff);
        FunctionRXBButton->SetVFOState(vfoOn);
        break;
    case frxAOff_BMute:
        FunctionRXAButton->SetVFOState(vfoOff);
        FunctionRXBButton->SetVFOState(vfoMute);
        break;
    default: break;
    }
    ShowReadoutFrequency();
}

void TFTTransceiverPanel950::DoFTCATMicGain(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATMicGain(Value);
    KnobMicPwr->SetValueOuter(Value);
}

void TFTTransceiverPanel950::DoFTCATMonitorLevel(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATMonitorLevel(Value);
    KnobMonitorProcessor->SetValueOuter(Value);
}

void TFTTransceiverPanel950::DoFTCATNotch(uint8_t AVFO, bool Value)
{
    TFTTransceiverPanelBase::DoFTCATNotch(AVFO, Value);
    if (AVFO != 0)
        return;
    FT950NotchButton->SetDown(Value);
    FT950NotchButton->setToolTip(QStringLiteral("Manual Notch ") + BoolToOnOff(Value));
}

void TFTTransceiverPanel950::DoFTCATProcessorLevel(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATProcessorLevel(Value);
    // The radio's processor level runs 0 to 100: the level is its own percentage.
    ProcessorLevelBar->setToolTip(QStringLiteral("Processor Level %1").arg(Value));
    ProcessorLevelLabel->setText(QString::number(Value));
}

void TFTTransceiverPanel950::DoFTCATSubDialFunction(TSubDialFunction Value)
{
    TFTTransceiverPanelBase::DoFTCATSubDialFunction(Value);
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel950::DoFTCATTXSet(uint8_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    // The one readout shows the VFO that transmits, or on receive the one that is heard.
    const bool showB = Value == 0 ? cat->RXBOn() : cat->Split();
    PanelFrequencyA->SetFrequency(showB ? cat->FrequencyB() : cat->FrequencyA());
    FTxDisplay->Display().SetTXSetA(Value != 0);
    DoFTCATMeter(0);
    PanelMeter->SetTransmitting(cat->Transmitting());
}

void TFTTransceiverPanel950::DoFTCATVRF(TVFO VFO, TVRFType VRFType, TVRFState VRFState, int32_t VRFPosition)
{
    TFTTransceiverPanelBase::DoFTCATVRF(VFO, VRFType, VRFState, VRFPosition);
    if (VFO != vfoA || !Known(VRFType, vrfuTuneTypeOn) || !Known(VRFState, vrfStateDefault))
        return;
    if (VRFState != vrfStateOn) {
        FT950UTuneButton->setToolTip(QStringLiteral("VRF off"));
        FT950UTuneButton->SetDown(false);
    } else if (VRFType != vrfTypeVRF) {
        FT950UTuneButton->setToolTip(QStringLiteral("\u00b5Tuning on"));
        FT950UTuneButton->SetDown(false);
    }
}
