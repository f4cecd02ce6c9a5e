// Operator actions: every gesture becomes PrepareTX and one engine call with a value taken from
// the engine's state, never from the control, so the control changes only when the radio
// answers.  Without an engine every action but the Menu button does nothing.
#include "panel/widgets/FTTransceiverPanelBase.h"

#include "controls/widgets/RCTrackBar.h"
#include "core/cat/Dimmer.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/Keyer.h"
#include "core/cat/RX.h"
#include "core/cat/TX.h"
#include "core/cat/Tuning.h"
#include "core/cat/VRF.h"
#include "panel/widgets/FTxSetCWMemoryDlg.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/TuningPanel3.h"
#include "platform/Clock.h"

#include <QLineEdit>
#include <memory>

namespace {

int TagOf(QObject* sender)
{
    const auto* b = qobject_cast<TRCSpeedButton*>(sender);
    return b ? b->Tag() : 0;
}

TVFO OtherVFO(TVFO vfo)
{
    return vfo == vfoA ? vfoB : vfoA;
}

} // namespace

// ---- Band and mode keys ----

void TFTTransceiverPanelBase::BandButtonClick(QObject* Sender)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    TBand band;
    switch (TagOf(Sender)) {
    case 160: band = bd160; break;
    case 80: band = bd80; break;
    case 40: band = bd40; break;
    case 30: band = bd30; break;
    case 20: band = bd20; break;
    case 17: band = bd17; break;
    case 15: band = bd15; break;
    case 12: band = bd12; break;
    case 10: band = bd10; break;
    case 6: band = bd6; break;
    case 999: band = bdAll; break;
    default: return;
    }
    cat->BandSelect(band);
}

void TFTTransceiverPanelBase::ModeButtonClick(QObject* Sender)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    TModeKey key;
    switch (TagOf(Sender)) {
    case 1: key = mkLSB; break;
    case 2: key = mkUSB; break;
    case 4: key = cat->ModeKey() == mkAM ? mkFM : mkAM; break;
    case 5: key = mkRTTY; break;
    case 6: key = mkPKT; break;
    default: key = mkCW; break;
    }
    cat->PrepareTX();
    if (cat->ComState() == csConnected) {
        cat->SetModeKey(key);
        return;
    }
    // Without a radio the mode is set at once and the panel follows through the mode event.
    static const TMode modes[] = {mdLSB, mdUSB, mdCW, mdAM, mdFM, mdFSK, mdPKT_L};
    cat->SetMode(cat->VFOSelect() == vfoA ? 0 : 1, modes[key]);
}

// ---- Keys ----

void TFTTransceiverPanelBase::AntennaTunerButtonClick()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    cat->SetAntennaTuner(cat->AntennaTuner() == atOn ? atOff : atOn);
}

void TFTTransceiverPanelBase::StartTunerClick()
{
    TFTCATInterface* cat = CAT();
    if (!cat || cat->AntennaTuner() != atOn)
        return;
    cat->PrepareTX();
    cat->SetAntennaTuner(atStart);
}

void TFTTransceiverPanelBase::BreakInButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.SetBreakIn(!cat.BreakIn()); });
}

void TFTTransceiverPanelBase::ClarifierClearButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.ClarifierClear(); });
}

void TFTTransceiverPanelBase::CWSpotButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.SetCWSpot(!cat.CWSpot()); });
}

void TFTTransceiverPanelBase::DimmerSwitchButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.Dimmer()->SetDimmerSwitch(!cat.Dimmer()->DimmerSwitch()); });
}

void TFTTransceiverPanelBase::FastStepButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.SetFastStepA(!cat.FastStepA()); });
}

void TFTTransceiverPanelBase::FunctionTXButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.SetFunctionTX(OtherVFO(cat.FunctionTX())); });
}

void TFTTransceiverPanelBase::KeyerButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.Keyer()->SetKeyer(!cat.Keyer()->Keyer()); });
}

void TFTTransceiverPanelBase::LockButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.SetLockA(!cat.LockA()); });
}

void TFTTransceiverPanelBase::MenuButtonClick()
{
    // Only the host has the Menu event; under any other owner the key does nothing.
    if (auto* host = dynamic_cast<TFTTransceiverPanelHost*>(FOwner.data()))
        Fire(host->OnMenuButton, MenuButton);
}

void TFTTransceiverPanelBase::MonitorButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.TX()->SetMonitor(!cat.TX()->Monitor()); });
}

void TFTTransceiverPanelBase::MOXButtonClick()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    // The key shows the radio's state, not its own toggle.
    MOXButton->SetDown(cat->MOX());
    cat->PrepareTX();
    cat->SetMOX(!cat->MOX());
}

void TFTTransceiverPanelBase::NarrowButtonClick()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    const uint8_t vfo = cat->VFOSelect() == vfoA ? 0 : 1;
    cat->RX()->SetNarrow(vfo, !cat->RX()->Narrow(vfo));
}

void TFTTransceiverPanelBase::NoiseBlankerButtonClick()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    const uint8_t vfo = cat->VFOSelect() == vfoA ? 0 : 1;
    TNoiseBlanker next;
    switch (cat->RX()->NoiseBlanker(vfo)) {
    case nbOff: next = nbOn; break;
    case nbOn: next = nbWide; break;
    default: next = nbOff; break;
    }
    cat->RX()->SetNoiseBlanker(vfo, next);
}

void TFTTransceiverPanelBase::PowerSwitchButtonClick()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    // At most one press per 3 s; the key goes down only when the radio reports power on.
    PowerSwitchButton->SetDown(false);
    PowerSwitchButton->setEnabled(false);
    PowerSwitchTimer->start();
    cat->PrepareTX();
    if (cat->PowerSwitch()) {
        DoFTCATSMeter(0, 0);
        DoFTCATSMeter(1, 0);
        DoFTCATMeter(0);
    }
    cat->SetPowerSwitch(!cat->PowerSwitch());
}

void TFTTransceiverPanelBase::PowerSwitchTimerTimer()
{
    PowerSwitchButton->setEnabled(true);
    PowerSwitchTimer->stop();
}

void TFTTransceiverPanelBase::ProcessorButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.TX()->SetProcessor(cat.TX()->Processor() == pOff ? pOn : pOff); });
}

void TFTTransceiverPanelBase::TXWatchButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.SetTXWatch(!cat.TXWatch()); });
}

void TFTTransceiverPanelBase::VFOSelectButtonClick(TVFO vfo)
{
    Act([&](TFTCATInterface& cat) { cat.SetVFOSelect(vfo); });
}

void TFTTransceiverPanelBase::VMButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.VMKeyFunction(); });
}

void TFTTransceiverPanelBase::VOXButtonClick()
{
    Act([&](TFTCATInterface& cat) { cat.TX()->SetVox(!cat.TX()->Vox()); });
}

void TFTTransceiverPanelBase::KeyerMemoryClick(int channel)
{
    TFTCATInterface* cat = CAT();
    if (!cat || channel < 1 || channel > 5)
        return;
    const auto dialog = std::make_unique<TFTxSetCWMemoryDlg>();
    QString text = cat->Keyer()->KeyerMemory(channel);
    if (text.endsWith(QLatin1Char('}')))
        text.chop(1);
    dialog->Edit1->setText(text);
    dialog->setWindowTitle(QStringLiteral("Set CW Keyer Memory Channel #%1").arg(channel));
    if (dialog->exec() != QDialog::Accepted)
        return;
    // The engine may have gone while the dialog was open.
    if (TFTCATInterface* now = CAT()) {
        now->PrepareTX();
        now->Keyer()->SetKeyerMemory(channel, dialog->Edit1->text());
    }
}

// ---- Virtual actions ----

void TFTTransceiverPanelBase::AFGainBBarChange(QObject* Sender)
{
    auto* bar = qobject_cast<TRCTrackBar*>(Sender);
    if (TFTCATInterface* cat = CAT(); cat && bar) {
        cat->PrepareTX();
        cat->RX()->SetAFGainB(uint8_t(bar->Position()));
    }
}

void TFTTransceiverPanelBase::AntennaButtonClick(QObject*) {}

void TFTTransceiverPanelBase::AntennaButtonClickDown(QObject*)
{
    if (TFTCATInterface* cat = CAT())
        cat->AntennaDown();
}

void TFTTransceiverPanelBase::AntennaButtonClickUp(QObject*)
{
    if (TFTCATInterface* cat = CAT())
        cat->AntennaUp();
}

void TFTTransceiverPanelBase::AntennaRXButtonClick(QObject*)
{
    Act([&](TFTCATInterface& cat) { cat.SetAntennaRXA(!cat.AntennaRXA()); });
}

void TFTTransceiverPanelBase::AutoNotchAButtonClick(QObject*)
{
    Act([&](TFTCATInterface& cat) { cat.RX()->SetAutoNotchA(!cat.RX()->AutoNotchA()); });
}

void TFTTransceiverPanelBase::ClarifierRXButtonClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    cat->SetClarifierRX(!cat->ClarifierRX());
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanelBase::ClarifierTXButtonClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    cat->SetClarifierTX(!cat->ClarifierTX());
    UpdateVFOSubDialMode();
}

namespace {

// The contour key: off, on and (in CW) the audio peak filter in turn.
TContour NextContour(TContour now, bool cw)
{
    if (now == conOff)
        return conOn;
    if (now == conOn && cw)
        return conAPF;
    return conOff;
}

} // namespace

void TFTTransceiverPanelBase::ContourAButtonClick(QObject*)
{
    Act([](TFTCATInterface& cat) {
        cat.RX()->SetContourA(NextContour(cat.RX()->ContourA(), cat.ModeType() == mtCW));
    });
}

void TFTTransceiverPanelBase::ContourBButtonClick(QObject*)
{
    Act([](TFTCATInterface& cat) {
        cat.RX()->SetContourB(NextContour(cat.RX()->ContourB(), cat.ModeType() == mtCW));
    });
}

void TFTTransceiverPanelBase::ContourLevelABarChange(QObject* Sender)
{
    auto* bar = qobject_cast<TRCTrackBar*>(Sender);
    if (TFTCATInterface* cat = CAT(); cat && bar) {
        cat->PrepareTX();
        cat->RX()->SetContourLevelA(bar->Position());
    }
}

void TFTTransceiverPanelBase::ContourLevelBBarChange(QObject*) {}

void TFTTransceiverPanelBase::DownButtonClick(QObject*)
{
    Act([&](TFTCATInterface& cat) { cat.SetFrequencyA(cat.FrequencyA() - 100000); });
}

void TFTTransceiverPanelBase::UpButtonClick(QObject*)
{
    Act([&](TFTCATInterface& cat) { cat.SetFrequencyA(cat.FrequencyA() + 100000); });
}

void TFTTransceiverPanelBase::FilterWidthABarEnter(QObject*) {}
void TFTTransceiverPanelBase::FilterWidthABarExit(QObject*) {}
void TFTTransceiverPanelBase::FilterWidthBBarChange(QObject*) {}

void TFTTransceiverPanelBase::FunctionRXAButtonClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    switch (cat->FunctionRX()) {
    case frxARX_BOFF: cat->SetFunctionRX(frxAMute_BOFF); break;
    case frxAMute_BOFF: cat->SetFunctionRX(frxARX_BOFF); break;
    case frxARX_BRX: cat->SetFunctionRX(frxAMute_BRX); break;
    case frxAMute_BRX: cat->SetFunctionRX(frxARX_BRX); break;
    default: break;
    }
}

void TFTTransceiverPanelBase::FunctionRXBButtonClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    switch (cat->FunctionRX()) {
    case frxARX_BOFF: cat->SetFunctionRX(frxARX_BRX); break;
    case frxARX_BRX: cat->SetFunctionRX(frxARX_BOFF); break;
    case frxAMute_BOFF: cat->SetFunctionRX(frxAMute_BRX); break;
    case frxAMute_BRX: cat->SetFunctionRX(frxAMute_BOFF); break;
    default: break;
    }
}

void TFTTransceiverPanelBase::IFShiftABarEnter(QObject*) {}
void TFTTransceiverPanelBase::IFShiftABarExit(QObject*) {}
void TFTTransceiverPanelBase::IFShiftBBarChange(QObject*) {}
void TFTTransceiverPanelBase::IFShiftBBarKeyPress(QObject*, QChar&) {}

namespace {

constexpr TMeterSwitch MeterCycle[] = {mtCOMP, mtALC, mtPO, mtSWR, mtID, mtVDD};
constexpr int MeterCycleLength = 6;

int MeterIndex(TMeterSwitch value)
{
    for (int i = 0; i < MeterCycleLength; ++i)
        if (MeterCycle[i] == value)
            return i;
    return 0;
}

} // namespace

void TFTTransceiverPanelBase::KnobMeterSwitchClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    cat->SetMeterSwitch(MeterCycle[(MeterIndex(cat->MeterSwitch()) + 1) % MeterCycleLength]);
    DoFTCATMeter(0);
}

void TFTTransceiverPanelBase::KnobMeterSwitchClickBack(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    cat->SetMeterSwitch(MeterCycle[(MeterIndex(cat->MeterSwitch()) + MeterCycleLength - 1) % MeterCycleLength]);
    DoFTCATMeter(0);
}

void TFTTransceiverPanelBase::NoiseBlankerBBarChange(QObject*) {}

void TFTTransceiverPanelBase::DNRAButtonClick(QObject*)
{
    Act([&](TFTCATInterface& cat) { cat.RX()->SetNoiseReductionA(!cat.RX()->NoiseReductionA()); });
}

void TFTTransceiverPanelBase::DNRBBarChange(QObject*) {}
void TFTTransceiverPanelBase::NotchABarEnter(QObject*) {}

void TFTTransceiverPanelBase::NotchAButtonClick(QObject*)
{
    Act([&](TFTCATInterface& cat) { cat.RX()->SetNotchA(!cat.RX()->NotchA()); });
}

void TFTTransceiverPanelBase::NotchBBarChange(QObject*) {}

void TFTTransceiverPanelBase::NotchBButtonClick(QObject*)
{
    Act([&](TFTCATInterface& cat) { cat.RX()->SetNotchB(!cat.RX()->NotchB()); });
}

void TFTTransceiverPanelBase::RFGainBBarChange(QObject* Sender)
{
    auto* bar = qobject_cast<TRCTrackBar*>(Sender);
    if (TFTCATInterface* cat = CAT(); cat && bar) {
        cat->PrepareTX();
        cat->RX()->SetRFGainB(uint8_t(bar->PositionExp()));
    }
}

void TFTTransceiverPanelBase::SDFButtonClick(QObject*) {}
void TFTTransceiverPanelBase::UpdateVFOSubDialMode() {}

void TFTTransceiverPanelBase::SquelchBBarChange(QObject* Sender)
{
    auto* bar = qobject_cast<TRCTrackBar*>(Sender);
    if (TFTCATInterface* cat = CAT(); cat && bar) {
        cat->PrepareTX();
        cat->RX()->SetSquelchB(uint8_t(bar->Position()));
    }
}

void TFTTransceiverPanelBase::SubDialATuningStep(QObject*, int) {}
void TFTTransceiverPanelBase::SubDialBTuningStep(QObject*, int) {}
void TFTTransceiverPanelBase::VFOSubTuningStep(QObject*, int) {}

namespace {

void ToggleVRF(TFTCATInterface& cat, TVFO vfo)
{
    TVRF* vrf = cat.RX()->VRF();
    vrf->SendVRFCommand(vfo, vrf->State(vfo) == vrfStateOff ? vrfStateOn : vrfStateOff, 0);
}

} // namespace

void TFTTransceiverPanelBase::VRFAButtonClick(QObject*)
{
    Act([&](TFTCATInterface& cat) { ToggleVRF(cat, vfoA); });
}

void TFTTransceiverPanelBase::VRFABarEnter(QObject*) {}
void TFTTransceiverPanelBase::VRFBBarChange(QObject*) {}

void TFTTransceiverPanelBase::VRFBButtonClick(QObject*)
{
    Act([&](TFTCATInterface& cat) { ToggleVRF(cat, vfoB); });
}

// ---- Track bars ----

void TFTTransceiverPanelBase::BarChange(TRCTrackBar* bar)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    const int v = bar->Position();
    TRX* rx = cat->RX();
    TTX* tx = cat->TX();
    if (bar == PowerControlBar)
        tx->SetPowerControl(v);
    else if (bar == MicGainBar)
        tx->SetMicGain(v);
    else if (bar == ProcessorLevelBar)
        tx->SetProcessorLevel(v);
    else if (bar == VoxGainBar)
        tx->SetVoxGain(v);
    else if (bar == VoxDelayBar)
        tx->SetVoxDelayPosition(v);
    else if (bar == MonitorBar)
        tx->SetMonitorLevel(v);
    else if (bar == KeySpeedBar)
        cat->Keyer()->SetKeySpeed(v);
    else if (bar == KeyPitchBar)
        cat->Keyer()->SetKeyPitch(v);
    else if (bar == NoiseBlankerABar)
        rx->SetNoiseBlankerLevelA(uint8_t(v));
    else if (bar == RFGainABar)
        rx->SetRFGainA(uint8_t(bar->PositionExp()));
    else if (bar == AFGainABar)
        rx->SetAFGainA(uint8_t(v));
    else if (bar == SquelchABar)
        rx->SetSquelchA(uint8_t(v));
    else if (bar == FilterWidthABar)
        rx->SetFilterWidthA(v);
    else if (bar == IFShiftABar)
        rx->SetIFShiftA(v);
    else if (bar == NotchABar)
        rx->SetNotchLevelA(v);
    else if (bar == DNRABar)
        rx->SetNoiseReductionLevelA(v);
    else if (bar == VRFABar)
        rx->VRF()->SendVRFCommand(vfoA, rx->VRF()->StateA(), (bar->PositionDelta() > 0) - (bar->PositionDelta() < 0));
    else if (bar == ClarifierBar) {
        if (v != 0)
            cat->SetClarifier(bar->PositionDelta());
        else
            cat->ClarifierClear();
    }
}

void TFTTransceiverPanelBase::IFShiftABarKeyPress(QChar Key)
{
    if (Key != QLatin1Char('0'))
        return;
    Act([&](TFTCATInterface& cat) { cat.RX()->SetIFShiftA(0); });
}

void TFTTransceiverPanelBase::ClarifierBarKeyPress(QChar Key)
{
    if (Key != QLatin1Char('0'))
        return;
    Act([&](TFTCATInterface& cat) { cat.ClarifierClear(); });
}

// ---- Tuning ----

void TFTTransceiverPanelBase::TuneVFOA(int32_t AFrequency)
{
    TFTCATInterface* cat = CAT();
    if (!cat || cat->LockA())
        return;
    cat->PrepareTX();
    cat->Tuning()->SetIsTuningA(true);
    cat->Tuning()->SetFrequencyA(AFrequency);
}

void TFTTransceiverPanelBase::TuneVFOB(int32_t AFrequency)
{
    TFTCATInterface* cat = CAT();
    if (!cat || cat->LockB())
        return;
    cat->PrepareTX();
    cat->Tuning()->SetIsTuningB(true);
    cat->Tuning()->SetFrequencyB(AFrequency);
}

void TFTTransceiverPanelBase::VFOMainTuningStep(int Value)
{
    // Steps add up on the frequency being dialled, not on the radio's last report.
    if (TFTCATInterface* cat = CAT())
        TuneVFOA(Value + cat->Tuning()->FrequencyA());
}

void TFTTransceiverPanelBase::PanelClarifierChange(int32_t Value)
{
    Act([&](TFTCATInterface& cat) { cat.SetClarifier(Value); });
}

void TFTTransceiverPanelBase::MeterShow(bool Value)
{
    if (TFTCATInterface* cat = CAT())
        cat->SetShowMeter(Value);
}

void TFTTransceiverPanelBase::BandmapFrequencyChange(TVFO AVFO, int32_t AFrequency)
{
    if (AVFO == vfoA)
        TuneVFOA(AFrequency);
    else if (AVFO == vfoB)
        TuneVFOB(AFrequency);
}

void TFTTransceiverPanelBase::BandmapFrequencyRequest()
{
    TFTCATInterface* cat = CAT();
    TBandmapLink* map = Bandmap();
    if (!cat || !map)
        return;
    map->SetFrequencyA(cat->FrequencyA());
    map->SetFrequencyB(cat->FrequencyB());
}

void TFTTransceiverPanelBase::TuningFrequencyRequest()
{
    if (TFTCATInterface* cat = CAT()) {
        TuningPanelB->SetFrequencyA(cat->FrequencyA());
        TuningPanelB->SetFrequencyB(cat->FrequencyB());
    }
}

void TFTTransceiverPanelBase::TuningSplitClick(int32_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    int32_t f;
    if (Value == -1000)
        f = cat->FrequencyB() - 1000;
    else if (Value == 1000)
        f = cat->FrequencyB() + 1000;
    else if (Value == 0)
        f = cat->FrequencyA();
    else
        f = cat->FrequencyA() + Value * 1000;
    TuneVFOB(f);
    if (cat->FunctionTX() == vfoA) {
        // Prepared here as well: a locked VFO B tunes nothing, and split must still go to the
        // radio rather than be stored as if the radio had reported it.
        cat->PrepareTX();
        cat->SetFunctionTX(vfoB);
    }
}

void TFTTransceiverPanelBase::TuningClarifierChange(int32_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    if (Value != 0)
        cat->SetClarifier(Value);
    else
        cat->ClarifierClear();
    // The bar follows the strip; the step has been sent once already.
    ShowBarPosition(ClarifierBar, ClarifierBar->Position() + Value);
}
