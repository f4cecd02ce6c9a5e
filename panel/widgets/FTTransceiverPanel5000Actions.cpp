// Operator actions of the FT DX 5000 face.  Each one that talks to the radio does nothing
// without an engine, and otherwise calls PrepareTX and one engine call with a value taken from
// the engine's state; only the sub displays' modes, the sub-dial keys' looks and the sub VFO
// dial's mode change here, everything else follows the radio's answer.
#include "panel/widgets/FTTransceiverPanel5000.h"

#include "controls/widgets/RCTrackBar.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"
#include "core/cat/TX.h"
#include "core/cat/Tuning.h"
#include "core/cat/VRF.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/FTxSubdisplay.h"
#include "panel/widgets/PanelParts.h"

#include <algorithm>

namespace {

int TagOf(QObject* sender)
{
    const auto* b = qobject_cast<TRCSpeedButton*>(sender);
    return b ? b->Tag() : 0;
}

int BarPosition(QObject* sender)
{
    const auto* bar = qobject_cast<TRCTrackBar*>(sender);
    return bar ? bar->Position() : 0;
}

} // namespace

// ---- DSP keys ----

void TFTTransceiverPanel5000::FT5KShiftAButtonClick(QObject*)
{
    SubDisplayA->SetDisplayMode(dpmShift);
}

void TFTTransceiverPanel5000::FT5KShiftBButtonClick(QObject*)
{
    SubDisplayB->SetDisplayMode(dpmShift);
}

void TFTTransceiverPanel5000::FT5KWidthAButtonClick(QObject*)
{
    SubDisplayA->SetDisplayMode(dpmWidth);
}

void TFTTransceiverPanel5000::FT5KWidthBButtonClick(QObject*)
{
    SubDisplayB->SetDisplayMode(dpmWidth);
}

void TFTTransceiverPanel5000::FT5KContourAButtonClick(QObject* Sender)
{
    if (!CAT())
        return;
    ContourAButtonClick(Sender);
    SubDisplayA->SetDisplayMode(dpmContour);
}

void TFTTransceiverPanel5000::FT5KContourBButtonClick(QObject* Sender)
{
    if (!CAT())
        return;
    ContourBButtonClick(Sender);
    SubDisplayB->SetDisplayMode(dpmContour);
}

void TFTTransceiverPanel5000::FT5KNotchAButtonClick(QObject* Sender)
{
    if (!CAT())
        return;
    NotchAButtonClick(Sender);
    SubDisplayA->SetDisplayMode(dpmNotch);
}

void TFTTransceiverPanel5000::FT5KNotchBButtonClick(QObject* Sender)
{
    if (!CAT())
        return;
    NotchBButtonClick(Sender);
    SubDisplayB->SetDisplayMode(dpmNotch);
}

void TFTTransceiverPanel5000::VRFAButtonClick(QObject* Sender)
{
    if (!CAT())
        return;
    TFTTransceiverPanelBase::VRFAButtonClick(Sender);
    SubDisplayA->SetDisplayMode(dpmVRF);
}

void TFTTransceiverPanel5000::VRFBButtonClick(QObject* Sender)
{
    if (!CAT())
        return;
    TFTTransceiverPanelBase::VRFBButtonClick(Sender);
    SubDisplayB->SetDisplayMode(dpmVRF);
}

void TFTTransceiverPanel5000::DNRAButtonClick(QObject* Sender)
{
    if (!CAT())
        return;
    TFTTransceiverPanelBase::DNRAButtonClick(Sender);
    SubDisplayA->SetDisplayMode(dpmDNR);
}

void TFTTransceiverPanel5000::DNRBButtonClick(QObject*)
{
    if (!CAT())
        return;
    Act([](TFTCATInterface& cat) { cat.RX()->SetNoiseReductionB(!cat.RX()->NoiseReductionB()); });
    SubDisplayB->SetDisplayMode(dpmDNR);
}

void TFTTransceiverPanel5000::DNFBButtonClick(QObject*)
{
    Act([](TFTCATInterface& cat) { cat.RX()->SetAutoNotchB(!cat.RX()->AutoNotchB()); });
}

void TFTTransceiverPanel5000::FT5KClassAButtonClick(QObject*)
{
    Act([](TFTCATInterface& cat) { cat.TX()->SetClassA(!cat.TX()->ClassA()); });
}

void TFTTransceiverPanel5000::AntennaRXButtonClick(QObject*)
{
    // The receiver in use, where the common key always means VFO A.
    Act([](TFTCATInterface& cat) {
        const uint8_t vfo = cat.VFOSelect() == vfoB ? 1 : 0;
        cat.SetAntennaRX(vfo, !cat.AntennaRX(vfo));
    });
}

// ---- Clarifier and sub-dial keys ----

void TFTTransceiverPanel5000::FT5KClarifierRXButtonClick(QObject*)
{
    // While the sub dial tunes VFO B the key is that VFO's FAST.
    Act([](TFTCATInterface& cat) {
        if (cat.SubDialFunction() == sdfDIAL)
            cat.SetFastStepB(!cat.FastStepB());
        else
            cat.SetClarifierRX(!cat.ClarifierRX());
    });
}

void TFTTransceiverPanel5000::FT5KClarifierTXButtonClick(QObject*)
{
    // While the sub dial tunes VFO B the key is that VFO's LOCK.
    Act([](TFTCATInterface& cat) {
        if (cat.SubDialFunction() == sdfDIAL)
            cat.SetLockB(!cat.LockB());
        else
            cat.SetClarifierTX(!cat.ClarifierTX());
    });
}

void TFTTransceiverPanel5000::FT5KClarifierGroupButtonClick(QObject*)
{
    if (!CAT())
        return;
    Act([](TFTCATInterface& cat) { cat.SetSubDialFunction(sdfCLAR); });
    FT5KClarifierGroupButton->SetDown(true);
    SDF8Button->SetDown(false);
}

void TFTTransceiverPanel5000::ClarifierRXButtonClick(QObject* Sender)
{
    TFTTransceiverPanelBase::ClarifierRXButtonClick(Sender);
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel5000::ClarifierTXButtonClick(QObject* Sender)
{
    TFTTransceiverPanelBase::ClarifierTXButtonClick(Sender);
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel5000::SDFButtonClick(QObject* Sender)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    cat->PrepareTX();
    const int tag = TagOf(Sender);
    const TSubDialFunction now = cat->SubDialFunction();
    if (tag == 0) {
        cat->SetSubDialFunction(now == sdfBand ? sdfMCH : sdfBand);
    } else if (tag >= 1 && tag <= 6) {
        cat->SetSubDialFunction(TSubDialFunction(tag));
    } else if (tag == 7) {
        cat->SetSubDialFunction(now == sdfDIAL ? sdfCLAR : sdfDIAL);
    } else if (tag == 8) {
        cat->SetSubDialFunction(sdfCLAR);
        FT5KClarifierGroupButton->SetDown(true);
        SDF1Button->SetDown(false);
        SDF8Button->SetDown(false);
    }
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel5000::UpdateVFOSubDialMode()
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    const TSubDialFunction f = cat->SubDialFunction();
    VFOSub->SetDialMode(f == sdfDIAL || f == sdfCLAR ? dmWheel : dmUpDown);
}

// ---- Reset keys and sub dials: they act on what their side's sub display shows ----

void TFTTransceiverPanel5000::FT5KResetAButtonClick(QObject*)
{
    ResetBySubDisplay(0);
}

void TFTTransceiverPanel5000::FT5KResetBButtonClick(QObject*)
{
    ResetBySubDisplay(1);
}

void TFTTransceiverPanel5000::ResetBySubDisplay(uint8_t AVFO)
{
    const TDisplayMode mode = SubDisplay(AVFO)->DisplayMode();
    Act([AVFO, mode](TFTCATInterface& cat) {
        TRX* rx = cat.RX();
        switch (mode) {
        // The engine keeps the centre only while no radio is connected; it has no command.
        case dpmVRF: rx->VRF()->SetPosition(AVFO, 128); break;
        case dpmShift: rx->SetIFShift(AVFO, 0); break;
        case dpmContour: rx->SetContourLevel(AVFO, 40); break;
        case dpmAPF: rx->SetAPFOffset(AVFO, 25); break;
        case dpmNotch: rx->SetNotchLevel(AVFO, 150); break;
        case dpmWidth: rx->ResetFilterWidth(AVFO); break;
        case dpmDNR: rx->SetNoiseReductionLevel(AVFO, 1); break;
        default: break;
        }
    });
}

void TFTTransceiverPanel5000::SubDialATuningStep(QObject* Sender, int Value)
{
    TFTTransceiverPanelBase::SubDialATuningStep(Sender, Value);
    StepBySubDisplay(0, Value);
}

void TFTTransceiverPanel5000::SubDialBTuningStep(QObject* Sender, int Value)
{
    TFTTransceiverPanelBase::SubDialBTuningStep(Sender, Value);
    StepBySubDisplay(1, Value);
}

void TFTTransceiverPanel5000::StepBySubDisplay(uint8_t AVFO, int Step)
{
    const TDisplayMode mode = SubDisplay(AVFO)->DisplayMode();
    Act([AVFO, mode, Step](TFTCATInterface& cat) {
        TRX* rx = cat.RX();
        // The sum is held in the setter's range: the lowest value turned down stays the lowest.
        const auto stepped = [Step](int32_t now, int32_t lo, int32_t hi) {
            return std::clamp<int64_t>(int64_t(now) + Step, lo, hi);
        };
        switch (mode) {
        case dpmVRF: rx->VRF()->SendVRFCommand(AVFO, rx->VRF()->State(AVFO), Step); break;
        case dpmShift: rx->SetIFShift(AVFO, int32_t(stepped(rx->IFShift(AVFO), -1000, 1000))); break;
        case dpmContour: rx->SetContourLevel(AVFO, int32_t(stepped(rx->ContourLevel(AVFO), 1, 40))); break;
        case dpmAPF: rx->SetAPFOffset(AVFO, int32_t(stepped(rx->APFOffset(AVFO), 0, 50))); break;
        case dpmNotch: rx->SetNotchLevel(AVFO, int32_t(stepped(rx->NotchLevel(AVFO), 1, 400))); break;
        case dpmWidth: rx->SetFilterWidth(AVFO, int32_t(stepped(rx->FilterWidth(AVFO), 0, 25))); break;
        case dpmDNR:
            rx->SetNoiseReductionLevel(AVFO, int32_t(stepped(rx->NoiseReductionLevel(AVFO), 1, 15)));
            break;
        default: break;
        }
    });
}

void TFTTransceiverPanel5000::VFOSubTuningStep(QObject* Sender, int Value)
{
    TFTTransceiverPanelBase::VFOSubTuningStep(Sender, Value);
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    switch (cat->SubDialFunction()) {
    case sdfMCH:
        cat->PrepareTX();
        if (Value > 0)
            cat->MemoryChannelUp();
        else
            cat->MemoryChannelDown();
        break;
    case sdfBand:
        cat->PrepareTX();
        if (Value > 0)
            cat->BandUp(1);
        else
            cat->BandDown(1);
        break;
    case sdfDIAL:
        // Locked, prepared and sent as any tuning of VFO B.
        TuneVFOB(cat->Tuning()->FrequencyB() + Value);
        break;
    case sdfCLAR:
        // A step of 0 would send "RC", which clears the clarifier.
        if (Value != 0) {
            cat->PrepareTX();
            cat->SetClarifier(Value);
        }
        break;
    default:
        break;
    }
}

// ---- Sub receiver bars ----

void TFTTransceiverPanel5000::NoiseBlankerBBarChange(QObject* Sender)
{
    TFTTransceiverPanelBase::NoiseBlankerBBarChange(Sender);
    Act([Sender](TFTCATInterface& cat) { cat.RX()->SetNoiseBlankerLevelB(uint8_t(BarPosition(Sender))); });
}

void TFTTransceiverPanel5000::FilterWidthBBarChange(QObject* Sender)
{
    TFTTransceiverPanelBase::FilterWidthBBarChange(Sender);
    Act([Sender](TFTCATInterface& cat) { cat.RX()->SetFilterWidthB(BarPosition(Sender)); });
}

void TFTTransceiverPanel5000::IFShiftBBarChange(QObject* Sender)
{
    Act([Sender](TFTCATInterface& cat) { cat.RX()->SetIFShiftB(BarPosition(Sender)); });
}

void TFTTransceiverPanel5000::IFShiftBBarKeyPress(QObject*, QChar& Key)
{
    if (Key != QLatin1Char('0'))
        return;
    Act([](TFTCATInterface& cat) { cat.RX()->SetIFShiftB(0); });
}

void TFTTransceiverPanel5000::NotchBBarChange(QObject* Sender)
{
    TFTTransceiverPanelBase::NotchBBarChange(Sender);
    Act([Sender](TFTCATInterface& cat) { cat.RX()->SetNotchLevelB(BarPosition(Sender)); });
}

void TFTTransceiverPanel5000::DNRBBarChange(QObject* Sender)
{
    Act([Sender](TFTCATInterface& cat) { cat.RX()->SetNoiseReductionLevelB(BarPosition(Sender)); });
}

void TFTTransceiverPanel5000::ContourLevelBBarChange(QObject* Sender)
{
    // In APF the bar sets the peak filter's offset.
    Act([Sender](TFTCATInterface& cat) {
        if (cat.RX()->ContourB() == conAPF)
            cat.RX()->SetAPFOffsetB(BarPosition(Sender));
        else
            cat.RX()->SetContourLevelB(BarPosition(Sender));
    });
}

void TFTTransceiverPanel5000::ContourLevelABarChange(QObject* Sender)
{
    TFTCATInterface* cat = CAT();
    if (cat && cat->RX()->ContourA() == conAPF) {
        cat->PrepareTX();
        cat->RX()->SetAPFOffsetA(BarPosition(Sender));
        return;
    }
    TFTTransceiverPanelBase::ContourLevelABarChange(Sender);
}

void TFTTransceiverPanel5000::VRFBBarChange(QObject* Sender)
{
    // A relative control: the direction of the last move steps the preselector.
    const auto* bar = qobject_cast<TRCTrackBar*>(Sender);
    if (!bar)
        return;
    const int delta = bar->PositionDelta();
    Act([delta](TFTCATInterface& cat) {
        TVRF* vrf = cat.RX()->VRF();
        vrf->SendVRFCommand(1, vrf->StateB(), (delta > 0) - (delta < 0));
    });
}
