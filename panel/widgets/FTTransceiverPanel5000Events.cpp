// Radio events on the FT DX 5000 face: the sub receiver's bars, labels and knobs, the face's
// keys, the sub displays, the CAT lamp and the caption strip of the shared bar places.  No
// handler sends anything: every bar moves under UpdatingPosition.  A value outside its
// enumeration leaves the hint and look of the key it names as they were.
#include "panel/widgets/FTTransceiverPanel5000.h"

#include "controls/widgets/RCTrackBar.h"
#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/FTxDisplay.h"
#include "panel/widgets/FTxSubdisplay.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"

#include <QLabel>

namespace {

QString Pct(int value)
{
    return ValueToPercentText(255, value);
}

template <typename E>
bool Known(E value, E last)
{
    return unsigned(value) <= unsigned(last);
}

} // namespace

void TFTTransceiverPanel5000::DoFTCATAFGain(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATAFGain(AVFO, Value);
    if (AVFO != 1)
        return;
    ShowBarPosition(AFGainBBar, Value);
    AFGainBBar->setToolTip(QStringLiteral("AF Gain Sub %1").arg(Pct(Value)));
    KnobAFGainRFGainB->SetValueInner(Value);
}

void TFTTransceiverPanel5000::DoFTCATAntenna(uint8_t AVFO, TAntenna Value)
{
    TFTTransceiverPanelBase::DoFTCATAntenna(AVFO, Value);
    if (AVFO != 0 || !Known(Value, ant4))
        return;
    FTxDisplay->Display().SetAntennaA(Value);
    FT5KAntennaButton->setToolTip(QStringLiteral("Antenna %1").arg(int(Value) + 1));
}

void TFTTransceiverPanel5000::DoFTCATAntennaRX(uint8_t AVFO, bool Value)
{
    TFTTransceiverPanelBase::DoFTCATAntennaRX(AVFO, Value);
    FT5KAntennaRXButton->setToolTip(QStringLiteral("RX Antenna ") + BoolToOnOff(Value));
}

void TFTTransceiverPanel5000::DoFTCATAPFOffset(uint8_t AVFO, uint8_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    const uint8_t v = AVFO == 0 ? 0 : 1;
    TRCTrackBar* bar = v == 0 ? ContourLevelABar : ContourLevelBBar;
    QLabel* label = v == 0 ? ContourLevelALabel : ContourLevelBLabel;
    if (cat->RX()->Contour(v) == conAPF) {
        ShowBarPosition(bar, Value);
        label->setText(QString::number(cat->RX()->APFOffsetFrequency(v)));
    }
    SubDisplay(v)->UpdateDisplay();
}

void TFTTransceiverPanel5000::DoFTCATAttenuator(uint8_t AVFO, TAttenuator Value)
{
    TFTTransceiverPanelBase::DoFTCATAttenuator(AVFO, Value);
    if (AVFO == 1 && Known(Value, att18dB))
        FTxDisplay->Display().SetAttenuatorB(Value);
}

void TFTTransceiverPanel5000::DoFTCATAutoNotch(uint8_t AVFO, bool Value)
{
    TFTTransceiverPanelBase::DoFTCATAutoNotch(AVFO, Value);
    TPanelSpeedButton* key = AVFO == 0 ? FT5KDNFAButton : FT5KDNFBButton;
    key->setToolTip(QStringLiteral("Digital Notch Filter (Auto Notch) ") + BoolToOnOff(Value));
    key->SetDown(Value);
}

void TFTTransceiverPanel5000::DoFTCATCAT(bool Value)
{
    CATButton->SetDown(Value);
    CATButton->setToolTip(Value ? QStringLiteral("CAT connected") : QStringLiteral("CAT not connected"));
}

void TFTTransceiverPanel5000::DoFTCATClassA(bool Value)
{
    TFTTransceiverPanelBase::DoFTCATClassA(Value);
    FT5KClassAButton->SetDown(Value);
}

void TFTTransceiverPanel5000::DoFTCATContour(uint8_t AVFO, TContour Value)
{
    // Replaces the common handler: this face shows contour on its bars and sub displays.
    TFTCATInterface* cat = CAT();
    if (!cat || !Known(Value, conAPF))
        return;
    const uint8_t v = AVFO == 0 ? 0 : 1;
    TRCTrackBar* bar = v == 0 ? ContourLevelABar : ContourLevelBBar;
    QLabel* label = v == 0 ? ContourLevelALabel : ContourLevelBLabel;
    TPanelSpeedButton* key = v == 0 ? FT5KContourAButton : FT5KContourBButton;
    TFTxSubdisplay* display = SubDisplay(v);
    const int level = cat->RX()->ContourLevel(v);
    switch (Value) {
    case conOff:
        ShowBarRange(bar, 1, 40, level);
        bar->setEnabled(false);
        label->clear();
        key->setToolTip(QStringLiteral("Contour off"));
        break;
    case conOn:
        ShowBarRange(bar, 1, 40, level);
        bar->setEnabled(true);
        label->setText(QString::number(level * 100));
        display->SetDisplayMode(dpmContour);
        key->setToolTip(QStringLiteral("Contour on"));
        break;
    case conAPF:
        ShowBarRange(bar, 0, 50, cat->RX()->APFOffset(v));
        bar->setEnabled(true);
        label->setText(QString::number(cat->RX()->APFOffsetFrequency(v)));
        display->SetDisplayMode(dpmAPF);
        key->setToolTip(QStringLiteral("APF on"));
        break;
    }
    key->SetDown(Value != conOff);
    display->UpdateDisplay();
    UpdateRXABLabels();
}

void TFTTransceiverPanel5000::DoFTCATContourLevel(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATContourLevel(AVFO, Value);
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    const uint8_t v = AVFO == 0 ? 0 : 1;
    TRCTrackBar* bar = v == 0 ? ContourLevelABar : ContourLevelBBar;
    QLabel* label = v == 0 ? ContourLevelALabel : ContourLevelBLabel;
    if (v == 1)
        ShowBarPosition(bar, Value);
    const TContour contour = cat->RX()->Contour(v);
    if (contour == conOn) {
        bar->setToolTip(QStringLiteral("Contour Level %1 Hz").arg(int(Value) * 100));
        label->setText(QString::number(int(Value) * 100));
    } else if (contour == conAPF) {
        const int32_t offset = cat->RX()->APFOffsetFrequency(v);
        bar->setToolTip(QStringLiteral("APF Offset %1 Hz").arg(offset));
        label->setText(QString::number(offset));
    }
    SubDisplay(v)->UpdateDisplay();
}

void TFTTransceiverPanel5000::DoFTCATDSPButton(uint8_t AVFO, TDSPButton Value, bool OnOff, TDSPButton)
{
    const bool main = AVFO == 0;
    TPanelSpeedButton* key = nullptr;
    TDisplayMode mode = dpmNone;
    switch (Value) {
    case btnSHIFT: key = main ? FT5KShiftAButton : FT5KShiftBButton; break;
    case btnWIDTH: key = main ? FT5KWidthAButton : FT5KWidthBButton, mode = dpmWidth; break;
    case btnCONTOUR_APF: key = main ? FT5KContourAButton : FT5KContourBButton, mode = dpmContour; break;
    case btnNOTCH: key = main ? FT5KNotchAButton : FT5KNotchBButton, mode = dpmNotch; break;
    case btnVRF_UTUNE: key = main ? FT5KVRFAButton : FT5KVRFBButton, mode = dpmVRF; break;
    case btnDNR: key = main ? FT5KDNRAButton : FT5KDNRBButton, mode = dpmDNR; break;
    case btnDNF: key = main ? FT5KDNFAButton : FT5KDNFBButton; break;
    default: return;
    }
    key->SetDown(OnOff);
    if (mode != dpmNone)
        SubDisplay(main ? 0 : 1)->SetDisplayMode(mode);
}

void TFTTransceiverPanel5000::DoFTCATFilterChange(uint8_t AVFO, int32_t AFilterWidth, uint8_t AMin, uint8_t AMax,
                                                  uint8_t APosition, uint8_t ABars)
{
    TFTTransceiverPanelBase::DoFTCATFilterChange(AVFO, AFilterWidth, AMin, AMax, APosition, ABars);
    if (AVFO == 0) {
        FilterWidthABar->TickMark().SetShowImageAtSteps(1);
        SubDisplayA->UpdateDisplay();
        return;
    }
    ShowBarRange(FilterWidthBBar, AMin, AMax, APosition);
    FilterWidthBBar->setToolTip(QString::number(AFilterWidth));
    FilterWidthBBar->TickMark().SetShowImageAtSteps(1);
    FilterWidthBLabel->setText(QString::number(AFilterWidth));
    SubDisplayB->UpdateDisplay();
}

void TFTTransceiverPanel5000::DoFTCATFilterWidth(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATFilterWidth(AVFO, Value);
    if (AVFO == 1)
        ShowBarPosition(FilterWidthBBar, Value);
}

void TFTTransceiverPanel5000::DoFTCATFrequency(uint8_t AVFO, int32_t Value)
{
    (AVFO == 0 ? PanelFrequencyA : PanelFrequencyB)->SetFrequency(Value);
    TFTTransceiverPanelBase::DoFTCATFrequency(AVFO, Value);
}

void TFTTransceiverPanel5000::DoFTCATIFShift(uint8_t AVFO, int32_t Value)
{
    TFTTransceiverPanelBase::DoFTCATIFShift(AVFO, Value);
    if (AVFO == 0) {
        SubDisplayA->UpdateDisplay();
        return;
    }
    ShowBarPosition(IFShiftBBar, Value);
    IFShiftBBar->setToolTip(QStringLiteral("%1 Hz").arg(Value));
    IFShiftBLabel->setText(QString::number(Value));
    SubDisplayB->UpdateDisplay();
}

void TFTTransceiverPanel5000::DoFTCATIPO(uint8_t AVFO, TIPO Value)
{
    TFTTransceiverPanelBase::DoFTCATIPO(AVFO, Value);
    if (AVFO == 1 && Known(Value, ipo2))
        FTxDisplay->Display().SetIPOB(Value);
}

void TFTTransceiverPanel5000::DoFTCATIsTuning(uint8_t AVFO, bool Value)
{
    TFTTransceiverPanelBase::DoFTCATIsTuning(AVFO, Value);
    if (AVFO == 1)
        PanelFrequencyB->SetIsTuning(Value);
}

void TFTTransceiverPanel5000::DoFTCATMeterSwitch(TMeterSwitch Value)
{
    TFTTransceiverPanelBase::DoFTCATMeterSwitch(Value);
    if (Known(Value, mtVDD))
        KnobMeterSwitch->SetValueOuter(int(Value));
}

void TFTTransceiverPanel5000::DoFTCATMicGain(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATMicGain(Value);
    KnobMicPwr->SetValueInner(Value);
}

void TFTTransceiverPanel5000::DoFTCATMonitorLevel(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATMonitorLevel(Value);
    KnobMonitorProcessor->SetValueInner(Value);
}

void TFTTransceiverPanel5000::DoFTCATNoiseBlanker(uint8_t AVFO, TNoiseBlanker Value)
{
    TFTTransceiverPanelBase::DoFTCATNoiseBlanker(AVFO, Value);
    if (AVFO != 1 || !Known(Value, nbWide))
        return;
    FTxDisplay->Display().SetNoiseBlankerB(Value);
    NoiseBlankerBBar->setEnabled(Value != nbOff);
}

void TFTTransceiverPanel5000::DoFTCATNoiseBlankerLevel(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATNoiseBlankerLevel(AVFO, Value);
    if (!CAT() || AVFO != 1)
        return;
    ShowBarPosition(NoiseBlankerBBar, Value);
    NoiseBlankerBBar->setToolTip(QStringLiteral("Noise Blanker Level ") + Pct(Value));
    KnobNBSQLB->SetValueInner(Value);
}

void TFTTransceiverPanel5000::DoFTCATNoiseReduction(uint8_t AVFO, bool Value)
{
    TFTTransceiverPanelBase::DoFTCATNoiseReduction(AVFO, Value);
    const bool main = AVFO == 0;
    if (!main)
        DNRBBar->setEnabled(Value);
    TPanelSpeedButton* key = main ? FT5KDNRAButton : FT5KDNRBButton;
    key->setToolTip(QStringLiteral("Digital Noise Reduction ") + BoolToOnOff(Value));
    key->SetDown(Value);
    SubDisplay(main ? 0 : 1)->UpdateDisplay();
}

void TFTTransceiverPanel5000::DoFTCATNoiseReductionLevel(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATNoiseReductionLevel(AVFO, Value);
    if (AVFO == 0) {
        SubDisplayA->UpdateDisplay();
        return;
    }
    const QString level = QString::asprintf("%.2d", int(Value));
    ShowBarPosition(DNRBBar, Value);
    DNRBBar->setToolTip(QStringLiteral("Noise Reduction Level ") + level);
    DNRBLabel->setText(level);
    SubDisplayB->UpdateDisplay();
}

void TFTTransceiverPanel5000::DoFTCATNotch(uint8_t AVFO, bool Value)
{
    TFTTransceiverPanelBase::DoFTCATNotch(AVFO, Value);
    const bool main = AVFO == 0;
    if (!main)
        NotchBBar->setEnabled(Value);
    TPanelSpeedButton* key = main ? FT5KNotchAButton : FT5KNotchBButton;
    key->SetDown(Value);
    key->setToolTip(QStringLiteral("Manual Notch ") + BoolToOnOff(Value));
    SubDisplay(main ? 0 : 1)->UpdateDisplay();
}

void TFTTransceiverPanel5000::DoFTCATNotchLevel(uint8_t AVFO, int32_t Value)
{
    TFTTransceiverPanelBase::DoFTCATNotchLevel(AVFO, Value);
    if (AVFO == 0) {
        SubDisplayA->UpdateDisplay();
        return;
    }
    ShowBarPosition(NotchBBar, Value);
    NotchBBar->setToolTip(QStringLiteral("%1 Hz").arg(Value * 10));
    NotchBLabel->setText(QString::number(Value * 10));
    SubDisplayB->UpdateDisplay();
}

void TFTTransceiverPanel5000::DoFTCATPowerControl(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATPowerControl(Value);
    KnobMicPwr->SetValueOuter(Value);
}

void TFTTransceiverPanel5000::DoFTCATPowerControlWatt(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATPowerControlWatt(Value);
    SubDisplayA->SetDisplayText(QStringLiteral("POWER"));
    SubDisplayB->SetDisplayText(QStringLiteral("%1W").arg(Value));
}

void TFTTransceiverPanel5000::DoFTCATProcessorLevel(uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATProcessorLevel(Value);
    ProcessorLevelBar->setToolTip(QStringLiteral("Processor Level ") + Pct(Value));
    ProcessorLevelLabel->setText(Pct(Value));
}

void TFTTransceiverPanel5000::DoFTCATRadioInformationClassA(bool Value)
{
    TFTTransceiverPanelBase::DoFTCATRadioInformationClassA(Value);
    FT5KClassAButton->SetDown(Value);
}

void TFTTransceiverPanel5000::DoFTCATResolution(uint8_t AVFO, int32_t Value)
{
    TFTTransceiverPanelBase::DoFTCATResolution(AVFO, Value);
    if (AVFO == 1)
        PanelFrequencyB->SetResolution(Value);
}

void TFTTransceiverPanel5000::DoFTCATRFGain(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATRFGain(AVFO, Value);
    if (AVFO != 1)
        return;
    ShowBarPositionExp(RFGainBBar, Value);
    RFGainBBar->setToolTip(QStringLiteral("RF Gain Sub Receiver ") + Pct(Value));
    KnobAFGainRFGainB->SetValueOuter(Value);
}

void TFTTransceiverPanel5000::DoFTCATRoofingFilter(uint8_t AVFO, TRoofingFilter Value)
{
    TFTTransceiverPanelBase::DoFTCATRoofingFilter(AVFO, Value);
    if (AVFO == 1 && Known(Value, rfltAuto300Hz))
        FTxDisplay->Display().SetRoofingFilterB(Value);
}

void TFTTransceiverPanel5000::DoFTCATSquelch(uint8_t AVFO, uint8_t Value)
{
    TFTTransceiverPanelBase::DoFTCATSquelch(AVFO, Value);
    if (AVFO != 1)
        return;
    ShowBarPosition(SquelchBBar, Value);
    SquelchBBar->setToolTip(QStringLiteral("Sub Squelch Level ") + Pct(Value));
    KnobNBSQLB->SetValueOuter(Value);
}

void TFTTransceiverPanel5000::DoFTCATSubDialFunction(TSubDialFunction Value)
{
    TFTTransceiverPanelBase::DoFTCATSubDialFunction(Value);
    const QString red = QStringLiteral("FT5K_OVAL_RED");
    switch (Value) {
    case sdfBandVFOA:
        SDF1Button->SetGlyph(red);
        break;
    case sdfMCH:
    case sdfBand:
        FT5KClarifierGroupButton->SetDown(false);
        // The orange lamp marks the memory channel function of the Band/MCH key.
        SDF1Button->SetGlyph(Value == sdfMCH ? QStringLiteral("FT5K_OVAL_ORANGE") : red);
        SDF1Button->SetDown(true);
        SDF8Button->SetDown(false);
        break;
    case sdfDIAL:
        FT5KClarifierGroupButton->SetDown(false);
        SDF1Button->SetDown(false);
        SDF8Button->SetDown(true);
        break;
    case sdfCLAR:
        FT5KClarifierGroupButton->SetDown(true);
        SDF1Button->SetDown(false);
        SDF8Button->SetDown(false);
        break;
    default:
        break;
    }
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel5000::DoFTCATVFOSelect(TVFO VFO)
{
    TFTTransceiverPanelBase::DoFTCATVFOSelect(VFO);
    if (!Known(VFO, vfoB))
        return;
    UpdateRXABLabels();
    const bool sub = VFO == vfoB;
    for (QWidget* w : std::initializer_list<QWidget*>{NotchABar, NotchALabel, ContourLevelABar, ContourLevelALabel,
                                                      DNRABar, DNRALabel, VRFABar, VRFALabel})
        w->setVisible(!sub);
    for (QWidget* w : std::initializer_list<QWidget*>{NotchBBar, NotchBLabel, ContourLevelBBar, ContourLevelBLabel,
                                                      DNRBBar, DNRBLabel, VRFBBar, VRFBLabel})
        w->setVisible(sub);
}

void TFTTransceiverPanel5000::DoFTCATVoxGain(int32_t Value)
{
    TFTTransceiverPanelBase::DoFTCATVoxGain(Value);
    KnobVOXDelay->SetValueInner(Value);
}

void TFTTransceiverPanel5000::ShowVRFKey(TPanelSpeedButton* key, TVRFType VRFType, TVRFState VRFState)
{
    if (VRFState != vrfStateOn) {
        key->setToolTip(QStringLiteral("VRF off"));
        key->SetDown(false);
    } else if (VRFType == vrfuTuneTypeOn) {
        key->setToolTip(QStringLiteral("\u00b5Tuning on"));
        key->SetDown(true);
    } else if (VRFType == vrfTypeVRF) {
        key->setToolTip(QStringLiteral("VRF on"));
        key->SetDown(true);
    }
}

void TFTTransceiverPanel5000::DoFTCATVRF(TVFO VFO, TVRFType VRFType, TVRFState VRFState, int32_t VRFPosition)
{
    TFTTransceiverPanelBase::DoFTCATVRF(VFO, VRFType, VRFState, VRFPosition);
    if (!Known(VRFType, vrfuTuneTypeOn) || !Known(VRFState, vrfStateDefault))
        return;
    if (VFO == vfoA) {
        ShowVRFKey(FT5KVRFAButton, VRFType, VRFState);
        SubDisplayA->UpdateDisplay();
        return;
    }
    if (VFO != vfoB)
        return;
    FTxDisplay->Display().SetVRFTypeB(VRFType);
    FTxDisplay->Display().SetVRFStateB(VRFState);
    VRFBBar->setEnabled(VRFState == vrfStateOn);
    ShowVRFKey(FT5KVRFBButton, VRFType, VRFState);
    ShowBarPosition(VRFBBar, VRFPosition);
    VRFBLabel->setText(QString::number(VRFPosition));
    SubDisplayB->UpdateDisplay();
}

void TFTTransceiverPanel5000::UpdateRXABLabels()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    const bool sub = cat->VFOSelect() == vfoB;
    const bool apf = cat->RX()->Contour(sub ? 1 : 0) == conAPF;
    static const char* const names[2][2] = {{"FT5K_SLIDERS_A", "FT5K_SLIDERS_A_APF"},
                                            {"FT5K_SLIDERS_B", "FT5K_SLIDERS_B_APF"}};
    FT5KRXABLabels->SetPicture(QString::fromLatin1(names[sub][apf]));
}
