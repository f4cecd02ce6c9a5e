// Radio events: what the panel shows for each change the engine reports.  No handler calls an
// engine setter, and every bar is moved under UpdatingPosition, so a report is never sent back.
// A value outside its enumeration leaves what it would have changed as it was.
#include "panel/widgets/FTTransceiverPanelBase.h"

#include "controls/widgets/RCTrackBar.h"
#include "core/RCUtils.h"
#include "core/cat/Dimmer.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/Keyer.h"
#include "core/cat/MemoryChannel.h"
#include "core/cat/RX.h"
#include "core/cat/RadioInformation.h"
#include "core/cat/TX.h"
#include "core/cat/Tuning.h"
#include "core/cat/VRF.h"
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

namespace {

// Whether an enumeration value lies within its declared members.
template <typename E>
bool Known(E value, E last)
{
    return unsigned(value) <= unsigned(last);
}

QString Pct(int value)
{
    return ValueToPercentText(255, value);
}

TVFO VFOOf(uint8_t AVFO)
{
    return AVFO == 0 ? vfoA : vfoB;
}

bool IsCW(TMode mode)
{
    return mode == mdCW || mode == mdCW_R;
}

} // namespace

void TFTTransceiverPanelBase::MetersToZero(bool txMeter)
{
    PanelMeter->SetSMeterValue(0);
    FTxDisplay->Display().SetSMeterValueB(0);
    if (txMeter)
        PanelMeter->SetMeterValue(0);
}

// ---- Virtual handlers, in slot order ----

void TFTTransceiverPanelBase::DoFTCATAFGain(uint8_t AVFO, uint8_t Value)
{
    if (AVFO != 0)
        return;
    ShowBarPosition(AFGainABar, Value);
    AFGainABar->setToolTip(QStringLiteral("AF Gain Main %1").arg(Pct(Value)));
    KnobAFGainRFGainA->SetValueInner(Value);
}

void TFTTransceiverPanelBase::DoFTCATAntenna(uint8_t AVFO, TAntenna Value)
{
    if (Known(Value, ant4))
        FTxDisplay->Display().SetAntenna(VFOOf(AVFO), Value);
}

void TFTTransceiverPanelBase::DoFTCATAntennaRX(uint8_t AVFO, bool Value)
{
    FTxDisplay->Display().SetAntennaRX(VFOOf(AVFO), Value);
}

void TFTTransceiverPanelBase::DoFTCATAPFOffset(uint8_t, uint8_t) {}

void TFTTransceiverPanelBase::DoFTCATAttenuator(uint8_t AVFO, TAttenuator Value)
{
    if (AVFO != 0 || !Known(Value, att18dB))
        return;
    static const char* const hints[] = {"Attenuator off", "Attenuator 6dB", "Attenuator 12dB", "Attenuator 18dB"};
    FTxDisplay->Display().SetAttenuatorA(Value);
    AttenuatorButton->setToolTip(QString::fromLatin1(hints[Value]));
}

void TFTTransceiverPanelBase::DoFTCATAutoNotch(uint8_t AVFO, bool Value)
{
    if (AVFO != 0)
        return;
    FTxDisplay->Display().SetDNF(Value);
    AutoNotchAButton->setToolTip(QStringLiteral("Digital Notch Filter (Auto Notch) ") + BoolToOnOff(Value));
}

void TFTTransceiverPanelBase::DoFTCATBusy(bool ABusyA, bool ABusyB)
{
    FTxDisplay->Display().SetBusyA(ABusyA);
    FTxDisplay->Display().SetBusyB(ABusyB);
}

void TFTTransceiverPanelBase::DoFTCATCAT(bool) {}

void TFTTransceiverPanelBase::DoFTCATClassA(bool Value)
{
    FTxDisplay->Display().SetRIClassA(Value);
}

void TFTTransceiverPanelBase::DoFTCATContour(uint8_t AVFO, TContour Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat || AVFO != 0 || !Known(Value, conAPF))
        return;
    if (Value == conOn) {
        ContourLevelABar->setEnabled(true);
        ContourLevelALabel->setText(QString::number(int(cat->RX()->ContourLevelA()) * 100));
    } else {
        ContourLevelABar->setEnabled(false);
        ContourLevelALabel->clear();
    }
    FTxDisplay->Display().SetContour(Value);
    FTxDisplay->Display().SetContourGain(cat->RX()->ContourGain());
}

void TFTTransceiverPanelBase::DoFTCATContourLevel(uint8_t AVFO, uint8_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat || AVFO != 0)
        return;
    ShowBarPosition(ContourLevelABar, Value);
    lcd::TDisplay& lcd = FTxDisplay->Display();
    if (cat->RX()->ContourA() == conOn) {
        ContourLevelABar->setToolTip(QStringLiteral("Contour Level %1 Hz").arg(int(Value) * 100));
        ContourLevelALabel->setText(QString::number(int(Value) * 100));
    } else if (cat->RX()->ContourA() == conAPF) {
        lcd.SetContourLevel(Value);
        lcd.SetKeyPitch(uint8_t(cat->Keyer()->KeyPitch()));
    }
    lcd.SetContourLevel(Value);
    lcd.SetContourGain(cat->RX()->ContourGain());
}

void TFTTransceiverPanelBase::DoFTCATDSPButton(uint8_t, TDSPButton, bool, TDSPButton) {}

void TFTTransceiverPanelBase::DoFTCATFilterChange(uint8_t AVFO, int32_t AFilterWidth, uint8_t AMin, uint8_t AMax,
                                                  uint8_t APosition, uint8_t ABars)
{
    if (AVFO != 0)
        return;
    // A new range that clamps the thumb must not send the clamped width to the radio.
    ShowBarRange(FilterWidthABar, AMin, AMax, APosition);
    FilterWidthABar->setToolTip(QString::number(AFilterWidth) + QStringLiteral(" Hz"));
    FilterWidthALabel->setText(QString::number(AFilterWidth));
    FTxDisplay->Display().SetFilterWidthBars(ABars);
}

void TFTTransceiverPanelBase::DoFTCATFilterWidth(uint8_t AVFO, uint8_t Value)
{
    if (AVFO == 0)
        ShowBarPosition(FilterWidthABar, Value);
}

void TFTTransceiverPanelBase::DoFTCATFrequency(uint8_t AVFO, int32_t Value)
{
    TBandmapLink* map = Bandmap();
    TLogPanelLink* log = LogPanel();
    if (AVFO == 0) {
        TuningPanelB->SetFrequencyA(Value);
        if (map)
            map->SetFrequencyA(Value);
        if (log)
            log->SetFrequencyA(Value);
    } else {
        TuningPanelB->SetFrequencyB(Value);
        if (map)
            map->SetFrequencyB(Value);
        if (log)
            log->SetFrequencyB(Value);
    }
}

void TFTTransceiverPanelBase::DoFTCATFunctionRX(TFunctionRX Value)
{
    if (!CAT() || !Known(Value, frxAOff_BMute))
        return;
    static const TVFOState main[] = {vfoOn, vfoMute, vfoOn, vfoMute, vfoOff, vfoOff};
    static const TVFOState sub[] = {vfoOff, vfoOff, vfoOn, vfoOn, vfoOn, vfoMute};
    FunctionRXAButton->SetVFOState(main[Value]);
    FunctionRXBButton->SetVFOState(sub[Value]);
}

void TFTTransceiverPanelBase::DoFTCATIFShift(uint8_t AVFO, int32_t Value)
{
    if (AVFO != 0)
        return;
    ShowBarPosition(IFShiftABar, Value);
    IFShiftABar->setToolTip(QStringLiteral("%1 Hz").arg(Value));
    IFShiftALabel->setText(QString::number(Value));
    FTxDisplay->Display().SetIFShift(Value);
}

void TFTTransceiverPanelBase::DoFTCATIPO(uint8_t AVFO, TIPO Value)
{
    if (AVFO != 0 || !Known(Value, ipo2))
        return;
    static const char* const hints[] = {"IPO on", "IPO Amp 1", "IPO Amp 2", "IPO 2"};
    FTxDisplay->Display().SetIPOA(Value);
    IPOButton->setToolTip(QString::fromLatin1(hints[Value]));
}

void TFTTransceiverPanelBase::DoFTCATIsTuning(uint8_t AVFO, bool Value)
{
    if (AVFO == 0)
        PanelFrequencyA->SetIsTuning(Value);
}

void TFTTransceiverPanelBase::DoFTCATMeterSwitch(TMeterSwitch Value)
{
    if (Known(Value, mtVDD))
        PanelMeter->SetMeterSwitch(Value);
}

void TFTTransceiverPanelBase::DoFTCATMicGain(uint8_t Value)
{
    ShowBarPosition(MicGainBar, Value);
    MicGainBar->setToolTip(QStringLiteral("Mic Gain ") + Pct(Value));
    MicGainLabel->setText(Pct(Value));
}

void TFTTransceiverPanelBase::DoFTCATModeA(TMode Mode)
{
    TFTCATInterface* cat = CAT();
    if (!cat || !Known(Mode, mdPKT_U))
        return;
    FTxDisplay->Display().SetModeA(Mode);
    ModeAMFMButton->setToolTip(Mode == mdFM || Mode == mdFM_N ? QStringLiteral("FM") : QStringLiteral("AM"));
    // The delay bar shows the CW break-in delay in CW and the VOX delay otherwise.
    if (IsCW(cat->ModeA()))
        DoFTCATCWBreakInDelay(cat->TX()->CWBreakInDelay());
    else
        DoFTCATVoxDelay(cat->TX()->VoxDelay());
    if (TLogPanelLink* log = LogPanel())
        log->SetMode(Mode);
}

void TFTTransceiverPanelBase::DoFTCATMonitorLevel(uint8_t Value)
{
    if (!CAT())
        return;
    ShowBarPosition(MonitorBar, Value);
    MonitorBar->setToolTip(QStringLiteral("Monitor Level ") + Pct(Value));
    MonitorLabel->setText(Pct(Value));
}

void TFTTransceiverPanelBase::DoFTCATNoiseBlanker(uint8_t AVFO, TNoiseBlanker Value)
{
    if (!Known(Value, nbWide))
        return;
    if (AVFO != 0) {
        FTxDisplay->Display().SetNoiseBlankerB(Value);
        return;
    }
    static const char* const hints[] = {"Noise Blanker off", "Noise Blanker on", "Noise Blanker wide"};
    FTxDisplay->Display().SetNoiseBlankerA(Value);
    NoiseBlankerButton->setToolTip(QString::fromLatin1(hints[Value]));
    NoiseBlankerABar->setEnabled(Value != nbOff);
}

void TFTTransceiverPanelBase::DoFTCATNoiseBlankerLevel(uint8_t AVFO, uint8_t Value)
{
    if (!CAT() || AVFO != 0)
        return;
    ShowBarPosition(NoiseBlankerABar, Value);
    NoiseBlankerABar->setToolTip(QStringLiteral("Noise Blanker Level ") + Pct(Value));
    NoiseBlankerALabel->setText(Pct(Value));
    KnobNBSQLA->SetValueInner(Value);
}

void TFTTransceiverPanelBase::DoFTCATNoiseReduction(uint8_t AVFO, bool Value)
{
    if (AVFO != 0)
        return;
    FTxDisplay->Display().SetDNR(Value);
    DNRAButton->setToolTip(QStringLiteral("Digital Noise Reduction ") + BoolToOnOff(Value));
    DNRABar->setEnabled(Value);
}

void TFTTransceiverPanelBase::DoFTCATNoiseReductionLevel(uint8_t AVFO, uint8_t Value)
{
    // The main bar shows VFO A's level only while VFO A is selected.
    TFTCATInterface* cat = CAT();
    if (!cat || AVFO != 0 || cat->VFOSelect() != vfoA)
        return;
    ShowBarPosition(DNRABar, Value);
    const QString level = QStringLiteral("%1").arg(int(Value), 2, 10, QLatin1Char('0'));
    DNRABar->setToolTip(QStringLiteral("Noise Reduction Level ") + level);
    DNRALabel->setText(level);
}

void TFTTransceiverPanelBase::DoFTCATNotch(uint8_t AVFO, bool Value)
{
    if (AVFO != 0)
        return;
    NotchABar->setEnabled(Value);
    FTxDisplay->Display().SetNotchA(Value);
}

void TFTTransceiverPanelBase::DoFTCATNotchLevel(uint8_t AVFO, int32_t Value)
{
    if (AVFO != 0)
        return;
    ShowBarPosition(NotchABar, Value);
    NotchABar->setToolTip(QStringLiteral("%1 Hz").arg(Value * 10));
    NotchALabel->setText(QString::number(Value * 10));
    FTxDisplay->Display().SetNotchLevelA(Value);
}

void TFTTransceiverPanelBase::DoFTCATPowerControl(uint8_t Value)
{
    ShowBarPosition(PowerControlBar, Value);
}

void TFTTransceiverPanelBase::DoFTCATPowerControlWatt(uint8_t Value)
{
    PowerControlBar->setToolTip(QStringLiteral("RF Output Power %1 W").arg(Value));
    PowerControlLabel->setText(QStringLiteral("%1W").arg(Value));
}

void TFTTransceiverPanelBase::DoFTCATProcessorLevel(uint8_t Value)
{
    ShowBarPosition(ProcessorLevelBar, Value);
    KnobMonitorProcessor->SetValueOuter(Value);
}

void TFTTransceiverPanelBase::DoFTCATRadioInformationClassA(bool Value)
{
    FTxDisplay->Display().SetRIClassA(Value);
}

void TFTTransceiverPanelBase::DoFTCATResolution(uint8_t AVFO, int32_t Value)
{
    if (AVFO == 0)
        PanelFrequencyA->SetResolution(Value);
}

void TFTTransceiverPanelBase::DoFTCATRFGain(uint8_t AVFO, uint8_t Value)
{
    if (AVFO != 0)
        return;
    ShowBarPositionExp(RFGainABar, Value);
    RFGainABar->setToolTip(QStringLiteral("RF Gain Main Receiver ") + Pct(Value));
    KnobAFGainRFGainA->SetValueOuter(Value);
}

void TFTTransceiverPanelBase::DoFTCATRoofingFilter(uint8_t AVFO, TRoofingFilter Value)
{
    if (AVFO == 0 && Known(Value, rfltAuto300Hz))
        FTxDisplay->Display().SetRoofingFilterA(Value);
}

void TFTTransceiverPanelBase::DoFTCATSquelch(uint8_t AVFO, uint8_t Value)
{
    if (AVFO != 0)
        return;
    ShowBarPosition(SquelchABar, Value);
    SquelchABar->setToolTip(QStringLiteral("Main Squelch Level ") + Pct(Value));
    KnobNBSQLA->SetValueOuter(Value);
}

void TFTTransceiverPanelBase::DoFTCATSubDialFunction(TSubDialFunction Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat || !Known(Value, sdfCLAR))
        return;
    TPanelSpeedButton* const buttons[] = {SDF1Button, SDF2Button, SDF3Button, SDF4Button,
                                          SDF5Button, SDF6Button, SDF7Button, SDF8Button};
    for (TPanelSpeedButton* b : buttons)
        b->SetDown(false);
    const auto enable = [&buttons](bool mainGroup) {
        for (int i = 0; i < 7; ++i)
            buttons[i]->setEnabled((i < 4) == mainGroup);
    };
    switch (Value) {
    case sdfBandVFOA:
    case sdfMHzVFOA:
    case sdfGRP:
    case sdfMCH:
        enable(true);
        buttons[Value]->SetDown(true);
        break;
    case sdfBandVFOB:
    case sdfMHzVFOB:
    case sdfFastVFOB:
        enable(false);
        buttons[Value]->SetDown(true);
        SDF8Button->SetDown(true);
        break;
    case sdfAB:
        enable(false);
        SDF8Button->SetDown(true);
        break;
    case sdfOff:
        enable(true);
        break;
    default:
        break;
    }
    // In memory channel mode the memory panel takes the strip's place.
    const bool memory = Value == sdfMCH;
    TuningPanelB->setVisible(!memory);
    MemoryChannelPanel->setVisible(memory);
    PanelClarifier->SetVFOMemoryMode(memory ? vmMemoryMode : cat->VFOMemoryMode());
}

void TFTTransceiverPanelBase::DoFTCATTXSet(uint8_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    lcd::TDisplay& lcd = FTxDisplay->Display();
    lcd.SetTXSetA(false);
    lcd.SetTXSetB(false);
    if (Value > 0) {
        if (cat->FunctionTX() == vfoB)
            lcd.SetTXSetB(true);
        else
            lcd.SetTXSetA(true);
        MetersToZero();
    } else {
        MetersToZero(true);
    }
    PanelMeter->SetTransmitting(cat->Transmitting());
}

void TFTTransceiverPanelBase::DoFTCATVFOSelect(TVFO VFO)
{
    TFTCATInterface* cat = CAT();
    if (!cat || !Known(VFO, vfoB))
        return;
    const bool narrow = cat->RX()->Narrow(VFO == vfoA ? 0 : 1);
    if (VFO == vfoA) {
        VFOSelectAButton->SetDown(true);
        DoFTCATModeA(cat->ModeA());
    } else {
        VFOSelectBButton->SetDown(true);
    }
    NarrowButton->SetDown(narrow);
    NarrowButton->setToolTip(QStringLiteral("Narrow ") + BoolToOnOff(narrow));
}

void TFTTransceiverPanelBase::DoFTCATVoxGain(int32_t Value)
{
    ShowBarPosition(VoxGainBar, Value);
    const QString pct = ValueToPercentText(VoxGainBar->Max(), Value);
    VoxGainBar->setToolTip(QStringLiteral("Vox Gain ") + pct);
    VoxGainLabel->setText(pct);
}

void TFTTransceiverPanelBase::DoFTCATVRF(TVFO VFO, TVRFType VRFType, TVRFState VRFState, int32_t VRFPosition)
{
    if (VFO != vfoA || !Known(VRFType, vrfuTuneTypeOn) || !Known(VRFState, vrfStateDefault))
        return;
    FTxDisplay->Display().SetVRFTypeA(VRFType);
    FTxDisplay->Display().SetVRFStateA(VRFState);
    VRFABar->setEnabled(VRFState == vrfStateOn);
    ShowBarPosition(VRFABar, VRFPosition);
    VRFALabel->setText(QString::number(VRFPosition));
}

// ---- Handlers of the base alone ----

void TFTTransceiverPanelBase::DoFTCATAGC(uint8_t AVFO, TAGC Value)
{
    if (!Known(Value, agcAutoSlow))
        return;
    if (AVFO != 0) {
        FTxDisplay->Display().SetAGCB(Value);
        return;
    }
    FTxDisplay->Display().SetAGCA(Value);
    static const char* const hints[] = {"AGC off", "AGC fast", "AGC mid", "AGC slow",
                                        nullptr, "AGC auto fast", "AGC auto mid", "AGC auto slow"};
    if (hints[Value])
        AGCButton->setToolTip(QString::fromLatin1(hints[Value]));
}

void TFTTransceiverPanelBase::DoFTCATAntennaTuner(TAntennaTuner Value)
{
    if (!Known(Value, atStart))
        return;
    static const char* const hints[] = {"Antenna Tuner off", "Antenna Tuner on", "Antenna Tuner started"};
    FTxDisplay->Display().SetAntennaTuner(Value);
    AntennaTunerButton->setToolTip(QString::fromLatin1(hints[Value]));
}

void TFTTransceiverPanelBase::DoFTCATBand(uint8_t AVFO, TBand Value)
{
    TBandmapLink* map = Bandmap();
    TLogPanelLink* log = LogPanel();
    if (AVFO == 0) {
        if (map)
            map->SetBandA(Value);
        TuningPanelB->SetBandA(Value);
        if (log)
            log->SetBandA(Value);
    } else {
        if (map)
            map->SetBandB(Value);
        TuningPanelB->SetBandB(Value);
        if (log)
            log->SetBandB(Value);
    }
}

void TFTTransceiverPanelBase::DoFTCATBandSelect()
{
    if (TBandmapLink* map = Bandmap())
        map->Changed();
}

void TFTTransceiverPanelBase::DoFTCATBargraph(const QString& Value)
{
    FTxDisplay->Display().SetBargraph(Value);
}

void TFTTransceiverPanelBase::DoFTCATBreakIn(bool Value)
{
    BreakInButton->setToolTip(QStringLiteral("Break-In ") + BoolToOnOff(Value));
    FTxDisplay->Display().SetBreakIn(Value);
}

void TFTTransceiverPanelBase::DoFTCATClarifierOffset(int32_t)
{
    UpdateClarifierDisplay();
}

void TFTTransceiverPanelBase::DoFTCATClarifierRange(int32_t Value)
{
    // Every bound write is guarded, so a range that clamps the thumb sends nothing.
    ShowBarRange(ClarifierBar, -Value, Value, ClarifierBar->Position());
    ClarifierBar->SetPageSize(10);
    ClarifierBar->TickMark().SetShowImageAtSteps(Value * 2 / 10);
}

void TFTTransceiverPanelBase::DoFTCATClarifierRX(bool Value)
{
    ClarifierRXButton->setToolTip(QStringLiteral("RX Clarifier ") + BoolToOnOff(Value));
    UpdateClarifierDisplay();
}

void TFTTransceiverPanelBase::DoFTCATClarifierTX(bool Value)
{
    ClarifierTXButton->setToolTip(QStringLiteral("TX Clarifier ") + BoolToOnOff(Value));
    UpdateClarifierDisplay();
}

void TFTTransceiverPanelBase::UpdateClarifierDisplay()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    const int32_t offset = cat->ClarifierOffset();
    PanelClarifier->SetClarifierTX(cat->ClarifierTX());
    PanelClarifier->SetClarifierRX(cat->ClarifierRX());
    PanelClarifier->SetClarifierOffset(offset);
    FTxDisplay->Display().SetClarifier(cat->ClarifierRX() || cat->ClarifierTX());
    TuningPanelB->SetClarifierOffset(offset);
    // A cleared clarifier recentres the bar; other offsets leave it where the operator put it.
    if (offset == 0)
        ShowBarPosition(ClarifierBar, 0);
    ClarifierLabel->setText(QStringLiteral("%1 Hz").arg(offset));
}

void TFTTransceiverPanelBase::DoFTCATContourGain(int32_t Value)
{
    FTxDisplay->Display().SetContourGain(Value);
}

void TFTTransceiverPanelBase::DoFTCATCWBreakInDelay(int32_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat || cat->ModeType() != mtCW)
        return;
    const int position = cat->TX()->VoxDelayPosition();
    ShowBarPosition(VoxDelayBar, position);
    VoxDelayBar->setToolTip(QStringLiteral("CW Break-In Delay Time %1 ms").arg(Value));
    VoxDelayLabel->setText(QString::number(Value));
    KnobVOXDelay->SetValueOuter(position);
}

void TFTTransceiverPanelBase::DoFTCATCWSpot(bool Value)
{
    CWSpotButton->setToolTip(QStringLiteral("CW Spot ") + BoolToOnOff(Value));
}

void TFTTransceiverPanelBase::DoFTCATDigitalMeter(bool Value)
{
    PanelMeter->SetDigitalMeter(Value);
}

void TFTTransceiverPanelBase::DoFTCATDimmerSwitch(bool Value)
{
    DimmerSwitchButton->SetDown(Value);
    DimmerSwitchButton->setToolTip(QStringLiteral("Dimmer ") + BoolToOnOff(Value));
}

void TFTTransceiverPanelBase::DoFTCATFastStepA(bool Value)
{
    FastStepButton->setToolTip(QStringLiteral("Fast Step ") + BoolToOnOff(Value));
    FTxDisplay->Display().SetFastStepA(Value);
    VFOMain->SetFastStep(Value);
}

void TFTTransceiverPanelBase::DoFTCATFastStepB(bool Value)
{
    FTxDisplay->Display().SetFastStepB(Value);
    VFOSub->SetFastStep(Value);
}

void TFTTransceiverPanelBase::DoFTCATFunctionTX(TVFO VFO)
{
    if (!Known(VFO, vfoB))
        return;
    const bool split = VFO == vfoB;
    FunctionTXAButton->SetVFOState(split ? vfoOff : vfoOn);
    FunctionTXBButton->SetVFOState(split ? vfoOn : vfoOff);
    SplitButton->SetDown(split);
    TuningPanelB->SetSplit(split);
    if (TBandmapLink* map = Bandmap())
        map->SetSplit(split);
}

void TFTTransceiverPanelBase::DoFTCATKeyer(bool Value)
{
    FTxDisplay->Display().SetKeyer(Value);
}

void TFTTransceiverPanelBase::DoFTCATKeyPitch(int32_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    ShowBarPosition(KeyPitchBar, Value);
    const QString pitch = QString::number(cat->Keyer()->KeyPitchFrequency()) + QStringLiteral(" Hz");
    KeyPitchBar->setToolTip(pitch);
    KeyPitchLabel->setText(pitch);
    FitLabelWidth(KeyPitchLabel);
    KnobSpeedPitch->SetValueOuter(Value);
    KnobSpeedPitch->SetValueInner(cat->Keyer()->KeySpeed());
}

void TFTTransceiverPanelBase::DoFTCATKeySpeed(int32_t Value)
{
    ShowBarPosition(KeySpeedBar, Value);
    KeySpeedBar->setToolTip(QStringLiteral("%1 WPM / %2 CPM").arg(Value).arg(Value * 5));
    KeySpeedLabel->setText(QString::number(Value));
}

void TFTTransceiverPanelBase::DoFTCATLockA(bool Value)
{
    LockButton->SetDown(Value);
    FTxDisplay->Display().SetLockA(Value);
    PanelFrequencyA->SetLock(Value);
    VFOMain->SetLock(Value);
    if (TBandmapLink* map = Bandmap())
        map->SetLock(Value);
}

void TFTTransceiverPanelBase::DoFTCATLockB(bool Value)
{
    FTxDisplay->Display().SetLockB(Value);
    PanelFrequencyB->SetLock(Value);
}

void TFTTransceiverPanelBase::DoFTCATMemoryChannel(TMemoryChannel* MemoryChannel)
{
    if (!MemoryChannel)
        return;
    MemoryChannelPanel->SetMemoryChannel(MemoryChannel);
    const int channel = MemoryChannel->ChannelNo();
    PanelClarifier->SetMemoryChannel(uint8_t(channel));
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    if (cat->VFOMemoryMode() == vmQMB || cat->VFOMemoryMode() == vmQMBMT) {
        QMBRecallButton->setToolTip(QStringLiteral("QMB Recall Channel %1").arg(channel));
        QMBStoreButton->setToolTip(QStringLiteral("QMB Store Channel %1").arg(channel));
    } else {
        MemoryChannelToVFOAButton->setToolTip(QStringLiteral("Memory Channel %1 to VFO A").arg(channel));
        VFOAToMemoryButton->setToolTip(QStringLiteral("VFO A to Memory Channel %1").arg(channel));
    }
}

void TFTTransceiverPanelBase::DoFTCATMeter(uint8_t Value)
{
    MetersToZero();
    PanelMeter->SetMeterValue(Value);
}

void TFTTransceiverPanelBase::DoFTCATModeB(TMode Mode)
{
    if (Known(Mode, mdPKT_U))
        FTxDisplay->Display().SetModeB(Mode);
}

void TFTTransceiverPanelBase::DoFTCATMonitor(bool Value)
{
    FTxDisplay->Display().SetMonitor(Value);
    MonitorButton->setToolTip(QStringLiteral("Monitor ") + BoolToOnOff(Value));
    MonitorBar->setEnabled(Value);
}

void TFTTransceiverPanelBase::DoFTCATMOX(bool Value)
{
    MOXButton->SetDown(Value);
    MOXButton->setToolTip(QStringLiteral("MOX ") + BoolToOnOff(Value));
    // Transmitting keeps the TX meter; back on receive it drops as well.
    MetersToZero(!Value);
}

void TFTTransceiverPanelBase::DoFTCATNarrow(uint8_t AVFO, bool Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    if (AVFO != 0) {
        FTxDisplay->Display().SetNarrowB(Value);
        return;
    }
    FTxDisplay->Display().SetNarrowA(Value);
    NarrowButton->SetDown(Value);
    NarrowButton->setToolTip(QStringLiteral("Narrow ") + BoolToOnOff(Value));
    FilterWidthABar->setEnabled(!(Value && !IsCW(cat->ModeA())));
}

void TFTTransceiverPanelBase::DoFTCATPowerSwitch(bool Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    ShowPowerSwitch(Value);
    if (!Value)
        cat->SetComState(csOffline);
}

void TFTTransceiverPanelBase::ShowPowerSwitch(bool Value)
{
    PowerSwitchButton->SetDown(Value);
    PowerSwitchButton->setToolTip(QStringLiteral("Power Switch ") + BoolToOnOff(Value));
    if (!Value)
        MetersToZero(true);
}

void TFTTransceiverPanelBase::DoFTCATProcessor(TProcessor Value)
{
    if (!Known(Value, pMicEq))
        return;
    static const char* const hints[] = {"Speech Processor off", "Speech Processor on", "Microphone Equalizer on"};
    FTxDisplay->Display().SetProcessor(Value == pOn || Value == pMicEq);
    ProcessorButton->setToolTip(QString::fromLatin1(hints[Value]));
    ProcessorLevelBar->setEnabled(Value == pOn);
}

void TFTTransceiverPanelBase::DoFTCATRadioInformationHiSWR(bool Value)
{
    FTxDisplay->Display().SetRIHiSWR(Value);
}

void TFTTransceiverPanelBase::DoFTCATRadioInformationMicEq(bool Value)
{
    FTxDisplay->Display().SetRIMicEq(Value);
}

void TFTTransceiverPanelBase::DoFTCATRadioInformationPlay(bool Value)
{
    FTxDisplay->Display().SetRIPlay(Value);
}

void TFTTransceiverPanelBase::DoFTCATRadioInformationRec(bool Value)
{
    FTxDisplay->Display().SetRIRec(Value);
}

void TFTTransceiverPanelBase::DoFTCATShowMeterMeter(bool Value)
{
    PanelMeter->SetShowMeter(Value);
}

void TFTTransceiverPanelBase::DoFTCATSMeter(uint8_t AVFO, uint8_t Value)
{
    if (AVFO == 0)
        PanelMeter->SetSMeterValue(Value);
    else
        FTxDisplay->Display().SetSMeterValueB(Value);
}

void TFTTransceiverPanelBase::DoFTCATTXWatch(bool Value)
{
    TXWatchButton->SetDown(Value);
    TXWatchButton->setToolTip(QStringLiteral("TX Watch ") + BoolToOnOff(Value));
}

void TFTTransceiverPanelBase::DoFTCATVFOMemoryMode(TVFOMemoryMode Value)
{
    if (!Known(Value, vmQMBMT))
        return;
    FTxDisplay->Display().SetVFOMemoryMode(Value);
    PanelClarifier->SetVFOMemoryMode(Value);
}

void TFTTransceiverPanelBase::DoFTCATVox(bool Value)
{
    VOXButton->SetDown(Value);
    VOXButton->setToolTip(QStringLiteral("VOX ") + BoolToOnOff(Value));
}

void TFTTransceiverPanelBase::DoFTCATVoxDelay(int32_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat || cat->ModeType() == mtCW)
        return;
    const int position = cat->TX()->VoxDelayPosition();
    ShowBarPosition(VoxDelayBar, position);
    VoxDelayBar->setToolTip(QStringLiteral("Vox Delay %1 ms").arg(Value));
    VoxDelayLabel->setText(QString::number(Value));
    KnobVOXDelay->SetValueOuter(position);
}

// ---- The engine's present state ----

void TFTTransceiverPanelBase::ShowCATState()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    const TRX* rx = cat->RX();
    const TTX* tx = cat->TX();
    const TVRF* vrf = rx->VRF();

    // The model, the link and the modes first: several readouts below are drawn by them.
    ShowPowerSwitch(cat->PowerSwitch());
    DoFTCATCAT(cat->CAT());
    DoFTCATModeA(cat->ModeA());
    DoFTCATModeB(cat->ModeB());
    DoFTCATFunctionRX(cat->FunctionRX());
    DoFTCATFunctionTX(cat->FunctionTX());
    DoFTCATVFOMemoryMode(cat->VFOMemoryMode());
    DoFTCATSubDialFunction(cat->SubDialFunction());
    DoFTCATVFOSelect(cat->VFOSelect());

    for (uint8_t v = 0; v < 2; ++v) {
        DoFTCATFrequency(v, cat->Frequency(v));
        DoFTCATBand(v, cat->Band(v));
        DoFTCATResolution(v, cat->Tuning()->Resolution(v));
        DoFTCATIsTuning(v, cat->Tuning()->IsTuning(v));
        DoFTCATAntenna(v, cat->Antenna(v));
        DoFTCATAntennaRX(v, cat->AntennaRX(v));
        DoFTCATAFGain(v, rx->AFGain(v));
        DoFTCATRFGain(v, rx->RFGain(v));
        DoFTCATSquelch(v, rx->Squelch(v));
        DoFTCATAGC(v, rx->AGC(v));
        DoFTCATAttenuator(v, rx->Attenuator(v));
        DoFTCATIPO(v, rx->IPO(v));
        DoFTCATRoofingFilter(v, rx->RoofingFilter(v));
        DoFTCATNarrow(v, rx->Narrow(v));
        DoFTCATIFShift(v, rx->IFShift(v));
        DoFTCATContour(v, rx->Contour(v));
        DoFTCATContourLevel(v, rx->ContourLevel(v));
        DoFTCATAPFOffset(v, rx->APFOffset(v));
        DoFTCATNotch(v, rx->Notch(v));
        DoFTCATNotchLevel(v, rx->NotchLevel(v));
        DoFTCATAutoNotch(v, rx->AutoNotch(v));
        DoFTCATNoiseBlanker(v, rx->NoiseBlanker(v));
        DoFTCATNoiseBlankerLevel(v, rx->NoiseBlankerLevel(v));
        DoFTCATNoiseReduction(v, rx->NoiseReduction(v));
        DoFTCATNoiseReductionLevel(v, rx->NoiseReductionLevel(v));
        DoFTCATVRF(VFOOf(v), vrf->VRFType(v), vrf->State(v), vrf->Position(v));
        // The width readout depends on the model as well as the mode: worked out afresh.
        cat->RX()->UpdateFilterWidth(v);
    }
    DoFTCATContourGain(rx->ContourGain());

    DoFTCATClarifierRange(cat->ClarifierRange());
    DoFTCATClarifierRX(cat->ClarifierRX());
    DoFTCATClarifierTX(cat->ClarifierTX());
    DoFTCATClarifierOffset(cat->ClarifierOffset());
    DoFTCATLockA(cat->LockA());
    DoFTCATLockB(cat->LockB());
    DoFTCATFastStepA(cat->FastStepA());
    DoFTCATFastStepB(cat->FastStepB());
    DoFTCATMemoryChannel(cat->MemoryChannel());
    DoFTCATBusy(cat->BusyA(), cat->BusyB());

    DoFTCATPowerControl(tx->PowerControl());
    DoFTCATPowerControlWatt(tx->PowerControlWatt());
    DoFTCATMicGain(tx->MicGain());
    DoFTCATProcessor(tx->Processor());
    DoFTCATProcessorLevel(tx->ProcessorLevel());
    DoFTCATMonitor(tx->Monitor());
    DoFTCATMonitorLevel(tx->MonitorLevel());
    DoFTCATVox(tx->Vox());
    DoFTCATVoxGain(tx->VoxGain());
    DoFTCATVoxDelay(tx->VoxDelay());
    DoFTCATCWBreakInDelay(tx->CWBreakInDelay());
    DoFTCATClassA(tx->ClassA());
    DoFTCATBreakIn(cat->BreakIn());
    DoFTCATCWSpot(cat->CWSpot());
    DoFTCATKeyer(cat->Keyer()->Keyer());
    DoFTCATKeySpeed(cat->Keyer()->KeySpeed());
    DoFTCATKeyPitch(cat->Keyer()->KeyPitch());
    DoFTCATAntennaTuner(cat->AntennaTuner());
    DoFTCATDimmerSwitch(cat->Dimmer()->DimmerSwitch());
    DoFTCATTXWatch(cat->TXWatch());
    DoFTCATRadioInformationClassA(cat->RadioInformation()->ClassA());
    DoFTCATRadioInformationHiSWR(cat->RadioInformation()->HiSWR());
    DoFTCATRadioInformationMicEq(cat->RadioInformation()->MicEq());
    DoFTCATRadioInformationPlay(cat->RadioInformation()->Play());
    DoFTCATRadioInformationRec(cat->RadioInformation()->Rec());

    // Meters last: transmit state and MOX put them to zero first.
    DoFTCATMOX(cat->MOX());
    DoFTCATTXSet(cat->TXSet());
    DoFTCATMeterSwitch(cat->MeterSwitch());
    DoFTCATDigitalMeter(cat->DigitalMeter());
    DoFTCATShowMeterMeter(cat->ShowMeter());
    DoFTCATBargraph(cat->Bargraph());
    if (cat->PowerSwitch()) {
        DoFTCATMeter(cat->Meter());
        DoFTCATSMeter(0, rx->SMeter(0));
        DoFTCATSMeter(1, rx->SMeter(1));
    }
}
