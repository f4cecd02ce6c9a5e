// Operator actions of the FT-950 face.  Each one that talks to the radio does nothing without
// an engine, and otherwise calls PrepareTX and one engine call with a value taken from the
// engine's state; a gesture that has nothing to send leaves the engine untouched.  The keys of
// the DSP group only move the keyboard focus to their bar, which needs no engine.
#include "panel/widgets/FTTransceiverPanel950.h"

#include "controls/widgets/RCTrackBar.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"
#include "core/cat/Tuning.h"
#include "panel/widgets/FTPanelDial.h"
#include "panel/widgets/PanelParts.h"

#include <optional>

namespace {

int TagOf(QObject* sender)
{
    const auto* b = qobject_cast<TRCSpeedButton*>(sender);
    return b ? b->Tag() : 0;
}

// The meter selector of this radio steps past PO, which it shows only while transmitting.
std::optional<TMeterSwitch> NextMeter(TMeterSwitch now)
{
    switch (now) {
    case mtCOMP: return mtALC;
    case mtALC: return mtSWR;
    case mtSWR: return mtID;
    case mtID: return mtVDD;
    case mtVDD: return mtCOMP;
    default: return std::nullopt;
    }
}

TMode ModeOfKey(TModeKey key)
{
    switch (key) {
    case mkLSB: return mdLSB;
    case mkUSB: return mdUSB;
    case mkAM: return mdAM;
    case mkFM: return mdFM;
    case mkRTTY: return mdFSK;
    case mkPKT: return mdPKT_L;
    case mkCW:
    default: return mdCW;
    }
}

} // namespace

// ---- The face's own keys ----

void TFTTransceiverPanel950::AntennaButtonClick(QObject*)
{
    Act([](TFTCATInterface& cat) { cat.SetAntenna(0, cat.AntennaA() == ant1 ? ant2 : ant1); });
}

void TFTTransceiverPanel950::FT950MeterSwitchButtonClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    if (const auto next = NextMeter(cat->MeterSwitch()))
        Act([next](TFTCATInterface& c) { c.SetMeterSwitch(*next); });
}

void TFTTransceiverPanel950::FT950ShiftButtonClick(QObject*)
{
    IFShiftABar->setFocus(Qt::OtherFocusReason);
}

void TFTTransceiverPanel950::FT950WidthButtonClick(QObject*)
{
    FilterWidthABar->setFocus(Qt::OtherFocusReason);
}

void TFTTransceiverPanel950::FT950ContourButtonClick(QObject* Sender)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    ContourAButtonClick(Sender);
    // On a link this is still the state before the click: the bar takes the focus when contour
    // was on; without a radio it is the new state.
    if (cat->RX()->ContourA() == conOn && ContourLevelABar->isEnabled())
        ContourLevelABar->setFocus(Qt::OtherFocusReason);
}

void TFTTransceiverPanel950::FT950NotchButtonClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    Act([](TFTCATInterface& c) { c.RX()->SetNotch(0, !c.RX()->NotchA()); });
    if (cat->RX()->NotchA())
        NotchABar->setFocus(Qt::OtherFocusReason);
}

void TFTTransceiverPanel950::FT950UTuneButtonClick(QObject* Sender)
{
    VRFAButtonClick(Sender);
}

void TFTTransceiverPanel950::FT950ClearButtonClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    // The pressed key of the DSP group says what to reset, the first in this order.
    if (FT950ShiftButton->Down())
        Act([](TFTCATInterface& c) { c.RX()->SetIFShift(0, 0); });
    else if (FT950WidthButton->Down())
        Act([](TFTCATInterface& c) { c.RX()->SetFilterWidthDefault(); });
    else if (FT950ContourButton->Down()) {
        // The contour level means nothing while contour is off or the peak filter is on.
        if (cat->RX()->ContourA() == conOn)
            Act([](TFTCATInterface& c) { c.RX()->SetContourLevel(0, 15); });
    } else if (FT950NotchButton->Down())
        Act([](TFTCATInterface& c) { c.RX()->SetNotchLevel(0, 150); });
}

// ---- Overridden keys ----

void TFTTransceiverPanel950::ClarifierRXButtonClick(QObject* Sender)
{
    TFTTransceiverPanelBase::ClarifierRXButtonClick(Sender);
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel950::ClarifierTXButtonClick(QObject* Sender)
{
    TFTTransceiverPanelBase::ClarifierTXButtonClick(Sender);
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel950::FunctionRXAButtonClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    // No dual receive on this radio: the key switches between VFO A heard, muted and back.
    std::optional<TFunctionRX> next;
    switch (cat->FunctionRX()) {
    case frxARX_BOFF: next = frxAMute_BOFF; break;
    case frxAMute_BOFF:
    case frxAOff_BRX:
    case frxAOff_BMute: next = frxARX_BOFF; break;
    default: break;
    }
    if (next)
        Act([next](TFTCATInterface& c) { c.SetFunctionRX(*next); });
}

void TFTTransceiverPanel950::FunctionRXBButtonClick(QObject*)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    std::optional<TFunctionRX> next;
    switch (cat->FunctionRX()) {
    case frxARX_BOFF:
    case frxAMute_BOFF:
    case frxAOff_BMute: next = frxAOff_BRX; break;
    case frxAOff_BRX: next = frxAOff_BMute; break;
    default: break;
    }
    if (next)
        Act([next](TFTCATInterface& c) { c.SetFunctionRX(*next); });
}

void TFTTransceiverPanel950::ModeButtonClick(QObject* Sender)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    // Each key alternates between its two modes, as the radio's own keys do.
    const TModeKey now = cat->ModeKey();
    TModeKey key;
    switch (TagOf(Sender)) {
    case 1: key = now == mkLSB ? mkUSB : mkLSB; break;
    case 4: key = now == mkAM ? mkFM : mkAM; break;
    case 5: key = now == mkRTTY ? mkPKT : mkRTTY; break;
    default: key = mkCW; break;
    }
    cat->PrepareTX();
    if (cat->ComState() == csConnected) {
        cat->SetModeKey(key);
        return;
    }
    // Without a radio the mode of the VFO in use is set at once.
    cat->SetMode(cat->VFOSelect() == vfoB ? 1 : 0, ModeOfKey(key));
}

// ---- Focus of the DSP bars ----

void TFTTransceiverPanel950::FilterWidthABarEnter(QObject*)
{
    FT950WidthButton->SetDown(true);
}

void TFTTransceiverPanel950::FilterWidthABarExit(QObject*)
{
    FT950WidthButton->SetDown(false);
}

void TFTTransceiverPanel950::IFShiftABarEnter(QObject*)
{
    FT950ShiftButton->SetDown(true);
}

void TFTTransceiverPanel950::IFShiftABarExit(QObject*)
{
    FT950ShiftButton->SetDown(false);
}

void TFTTransceiverPanel950::NotchABarEnter(QObject*)
{
    FT950NotchButton->SetDown(true);
}

void TFTTransceiverPanel950::VRFABarEnter(QObject*)
{
    FT950UTuneButton->SetDown(true);
}

// ---- Sub dial ----

void TFTTransceiverPanel950::SDFButtonClick(QObject* Sender)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    const int tag = TagOf(Sender);
    if (tag >= 0 && tag <= 6)
        Act([tag](TFTCATInterface& c) { c.SetSubDialFunction(TSubDialFunction(tag)); });
    UpdateVFOSubDialMode();
}

void TFTTransceiverPanel950::UpdateVFOSubDialMode()
{
    // A function key held down makes the dial a pair of up/down keys; otherwise it turns.
    const bool keyed =
        SDF1Button->Down() || SDF2Button->Down() || SDF3Button->Down() || SDF4Button->Down();
    VFOSub->SetDialMode(keyed ? dmUpDown : dmWheel);
}

void TFTTransceiverPanel950::VFOSubTuningStep(QObject*, int Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat)
        return;
    constexpr int32_t MHz = 1000000;
    switch (cat->SubDialFunction()) {
    case sdfBandVFOA:
        Act([Value](TFTCATInterface& c) {
            if (Value > 0)
                c.BandUp(0);
            else
                c.BandDown(0);
        });
        break;
    case sdfMHzVFOA: {
        // Whole megahertz, wrapping between 0 and 59 MHz as the radio's own MHz step does.
        const int32_t f = cat->FrequencyA();
        const int32_t m = f / MHz;
        const int32_t next = Value > 0 ? (m == 59 ? f - 59 * MHz : f + MHz) : (m == 0 ? f + 59 * MHz : f - MHz);
        Act([next](TFTCATInterface& c) { c.SetFrequency(0, next); });
        break;
    }
    case sdfMCH:
        Act([Value](TFTCATInterface& c) {
            if (Value > 0)
                c.MemoryChannelUp();
            else
                c.MemoryChannelDown();
        });
        break;
    case sdfOff:
        if (cat->FunctionRX() == frxAOff_BRX || cat->FunctionRX() == frxAOff_BMute) {
            // Only VFO B is heard: the dial tunes it.
            TuneVFOB(cat->Tuning()->FrequencyB() + Value);
        } else if (Value != 0) {
            // A step of 0 would clear the clarifier, not move it.
            Act([Value](TFTCATInterface& c) { c.SetClarifier(Value); });
        }
        break;
    default:
        break;
    }
}
