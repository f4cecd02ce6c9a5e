#include "keying/DMFlexControl.h"

#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/Tuning.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <algorithm>
#include <cmath>

TDMFlexControl* DMFlexControl = nullptr;

namespace {

// Floor division for a positive divisor, also below zero.
int64_t FloorTo(int64_t value, int64_t unit)
{
    const int64_t q = value / unit;
    return (value % unit != 0 && value < 0 ? q - 1 : q) * unit;
}

// The unit a tuning target is rounded to, by the size of the dial step.
int64_t RoundingUnit(int32_t dialStep)
{
    const int32_t step = std::abs(dialStep);
    return step > 10000 ? 10000 : step > 1000 ? 1000 : step > 100 ? 100 : step > 10 ? 10 : 1;
}

} // namespace

TDMFlexControl::TDMFlexControl(QObject* parent)
    : QObject(parent)
    , FComPort(new vx::SerialPort(this))
    , FFlexControl(new TFlexControl(this))
    , FDialStepTimer(new vx::Timer(DialStepInterval, false, this))
    , FDialElapsedTimer(new vx::Timer(DialElapsedInterval, false, this))
    , FReopenTimer(new vx::Timer(ReopenInterval, false, this))
{
    DMFlexControl = this;
    // The knob's line settings (the driver sets them again when it opens the port).
    FComPort->setPort(QStringLiteral("COM1"));
    FComPort->setBaudRate(9600);
    FComPort->setDataBits(8);
    FComPort->setStopBits(vx::SerialPort::StopBits::One);
    FComPort->setParity(vx::SerialPort::Parity::None);
    FComPort->setFlowControl(vx::SerialPort::FlowControl::None);
    FComPort->setDtr(false);
    FComPort->setRts(false);

    FFlexControl->SetCOMPort(FComPort);
    FFlexControl->OnKnob = [this](int32_t value) { FlexControlKnob(value); };
    FFlexControl->OnSwitch = [this](TSwitch sw, TClickType click) { FlexControlSwitch(sw, click); };

    FDialStepTimer->OnTimer = [this] { DialStepTimerTimer(); };
    FDialElapsedTimer->OnTimer = [this] { DialElapsedTimerTimer(); };
    FReopenTimer->OnTimer = [this] { ReopenTimerTimer(); };
}

TDMFlexControl::~TDMFlexControl()
{
    if (DMFlexControl == this)
        DMFlexControl = nullptr;
}

const QStringList& TDMFlexControl::ButtonOptions()
{
    static const QStringList names = {
        QStringLiteral("none"),
        QStringLiteral("Tune VFO A"),
        QStringLiteral("Tune VFO B"),
        QStringLiteral("Tune Step Up"),
        QStringLiteral("Tune Step Down"),
        QStringLiteral("Tuning Acceleration"),
        QStringLiteral("Swap VFOs"),
        QStringLiteral("Copy VFO A to B"),
        QStringLiteral("Toggle Split"),
        QStringLiteral("Toggle Sub RX On/Off"),
        QStringLiteral("Tune Clarifier"),
        QStringLiteral("Clear Clarifier"),
        QStringLiteral("Toggle TX Clarifier On/Off"),
        QStringLiteral("Toggle RX Clarifier On/Off"),
    };
    return names;
}

TFTCATInterface* TDMFlexControl::CAT() const
{
    return DMRadio ? DMRadio->FTCATInterface() : nullptr;
}

// --- Properties -----------------------------------------------------------------------------

void TDMFlexControl::SetPort(const QString& value)
{
    if (value != FPort) {
        FPort = value;
        FComPort->setPort(value);
    }
    if (FPort.isEmpty())
        FUseFlexControl = false;
}

void TDMFlexControl::SetAcceleratedTuningFactor(int32_t value)
{
    // The factor divides: a stored 0 (or any stray value) must not reach the division.
    FAcceleratedTuningFactor = std::clamp(value, MinAccelerationFactor, MaxAccelerationFactor);
}

int32_t TDMFlexControl::Slot(int Index) const
{
    return Index >= 1 && Index <= SlotCount ? FSlots[Index - 1] : actNone;
}

void TDMFlexControl::SetSlot(int Index, int32_t Action)
{
    if (Index >= 1 && Index <= SlotCount)
        FSlots[Index - 1] = Action;
}

int32_t TDMFlexControl::AcceleratedDialStep(int32_t Average, int32_t Factor)
{
    const int32_t factor = std::clamp(Factor, MinAccelerationFactor, MaxAccelerationFactor);
    const double step = std::exp(double(Average) / (factor / 10.0));
    if (!(step < double(MaxDialFrequency)))
        return MaxDialFrequency;
    // The default rounding mode rounds halves to the even neighbour.
    return int32_t(std::nearbyint(step));
}

// --- Settings -------------------------------------------------------------------------------

void TDMFlexControl::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    SetPort(ini.ReadString(Section, QStringLiteral("Port"), QString()));
    FUseFlexControl = ini.ReadBool(Section, QStringLiteral("UseFlexControl"), FUseFlexControl);
    SetAcceleratedTuningFactor(ini.ReadInteger(Section, QStringLiteral("Acceleration"), FAcceleratedTuningFactor));
    if (FPort.isEmpty())
        FUseFlexControl = false;
    for (int i = 1; i <= SlotCount; ++i)
        FSlots[i - 1] = ini.ReadInteger(Section, QStringLiteral("Option%1").arg(i), FSlots[i - 1]);
}

void TDMFlexControl::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    ini.WriteBool(Section, QStringLiteral("UseFlexControl"), FUseFlexControl);
    // A knob that is not used keeps no port: the next start does not try it.
    if (!FUseFlexControl)
        FComPort->setPort(QString());
    ini.WriteString(Section, QStringLiteral("Port"), FComPort->port());
    ini.WriteInteger(Section, QStringLiteral("Acceleration"), FAcceleratedTuningFactor);
    for (int i = 1; i <= SlotCount; ++i)
        ini.WriteInteger(Section, QStringLiteral("Option%1").arg(i), FSlots[i - 1]);
}

// --- Open and close -------------------------------------------------------------------------

void TDMFlexControl::Open()
{
    if (FComPort->port().isEmpty() || !FUseFlexControl)
        return;
    OpenKnob();
    FReopenTimer->setEnabled(true);
}

void TDMFlexControl::OpenKnob()
{
    FFlexControl->Open();
    if (FFlexControl->Active()) {
        FDialStepTimer->setEnabled(true);
        FDialElapsedTimer->setEnabled(true);
    }
}

void TDMFlexControl::StopDialTimers()
{
    FDialStepTimer->setEnabled(false);
    FDialElapsedTimer->setEnabled(false);
}

void TDMFlexControl::Close()
{
    FReopenTimer->setEnabled(false);
    StopDialTimers();
    FFlexControl->Close();
}

void TDMFlexControl::Restart()
{
    Close();
    IniRead();
    Open();
}

void TDMFlexControl::ReopenTimerTimer()
{
    if (FFlexControl->Active())
        return;
    StopDialTimers();
    if (FUseFlexControl && !FComPort->port().isEmpty())
        OpenKnob();
}

// --- Dial -----------------------------------------------------------------------------------

void TDMFlexControl::FlexControlKnob(int32_t Value)
{
    TFTCATInterface* cat = CAT();
    if (!cat || Value == 0)
        return;
    if (FKnobMode == fcClarifier) {
        cat->PrepareTX();
        cat->SetClarifier(Value > 0 ? FClarifierStep : -FClarifierStep);
        return;
    }
    TuneStep(Value > 0 ? 1 : -1);
}

void TDMFlexControl::TuneStep(int Direction)
{
    TFTCATInterface& cat = *CAT();
    const uint8_t vfo = FKnobMode == fcVFOB ? 1 : 0;
    const int64_t unit = RoundingUnit(FDialStep);
    int64_t target;
    if (FTuningAcceleration) {
        target = FloorTo(int64_t(FDialFrequency) + int64_t(Direction) * FDialStep, unit);
    } else {
        // Rounded in the direction of travel: rounding an upward step down could land on the
        // frequency the radio already has, and fast upward turning would stall there.
        target = int64_t(cat.Frequency(vfo)) + int64_t(Direction) * cat.Tuning()->Resolution(vfo);
        target = Direction > 0 ? -FloorTo(-target, unit) : FloorTo(target, unit);
    }
    target = std::clamp<int64_t>(target, MinDialFrequency, MaxDialFrequency);
    cat.PrepareTX();
    cat.SetFrequency(vfo, int32_t(target));

    FDialFrequency = int32_t(std::clamp<int64_t>(int64_t(FDialFrequency) + int64_t(Direction) * FDialStep,
                                                 MinDialFrequency, MaxDialFrequency));
    // A flood of events cannot overflow the counter.
    if (FPulses[4] < (1 << 24))
        ++FPulses[4];
    FElapsedTime = 0;
}

void TDMFlexControl::DialStepTimerTimer()
{
    std::rotate(FPulses.begin(), FPulses.begin() + 1, FPulses.end());
    int64_t sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += FPulses[i];
    FPulses[4] = 0;
    FDialStep = AcceleratedDialStep(int32_t(sum / 4), FAcceleratedTuningFactor);
}

void TDMFlexControl::DialElapsedTimerTimer()
{
    if (FElapsedTime < ResynchronisationTime) {
        FElapsedTime += DialElapsedInterval;
        return;
    }
    // The operator has stopped: the dial starts again from the radio's frequency.
    if (TFTCATInterface* cat = CAT()) {
        if (FKnobMode == fcVFOA)
            FDialFrequency = cat->FrequencyA();
        else if (FKnobMode == fcVFOB)
            FDialFrequency = cat->FrequencyB();
    }
    FDialStep = 1;
}

// --- Clicks and actions ---------------------------------------------------------------------

void TDMFlexControl::FlexControlSwitch(TSwitch Switch, TClickType ClickType)
{
    const int kind = std::clamp(int(ClickType), 0, 2);
    int slot;
    if (Switch == sKnob) {
        // Slots 11 and 10 (13 and 12, 15 and 14) in turn, the higher one first.
        slot = 11 + 2 * kind - (FKnobToggle[kind] ? 1 : 0);
        FKnobToggle[kind] = !FKnobToggle[kind];
    } else {
        slot = int(Switch) + 3 * kind;
    }
    ExecuteAction(Slot(slot));
}

void TDMFlexControl::SetTuningLEDs(bool AUX1, bool AUX3)
{
    FFlexControl->SetAUX1LED(AUX1);
    FFlexControl->SetAUX3LED(AUX3);
}

void TDMFlexControl::ExecuteAction(int32_t Action)
{
    TFTCATInterface* cat = CAT();
    switch (Action) {
    case actTuneVFOA:
        FKnobMode = fcVFOA;
        if (cat)
            FDialFrequency = cat->FrequencyA();
        SetTuningLEDs(true, false);
        break;
    case actTuneVFOB:
        FKnobMode = fcVFOB;
        if (cat)
            FDialFrequency = cat->FrequencyB();
        SetTuningLEDs(false, true);
        break;
    case actTuneStepUp:
        if (FKnobMode == fcClarifier) {
            if (FClarifierStep < 1000)
                FClarifierStep *= 10;
        } else if (cat) {
            FKnobMode == fcVFOA ? cat->Tuning()->ResolutionAUp() : cat->Tuning()->ResolutionBUp();
        }
        break;
    case actTuneStepDown:
        if (FKnobMode == fcClarifier) {
            if (FClarifierStep > 1)
                FClarifierStep /= 10;
        } else if (cat) {
            FKnobMode == fcVFOA ? cat->Tuning()->ResolutionADown() : cat->Tuning()->ResolutionBDown();
        }
        break;
    case actTuningAcceleration:
        FTuningAcceleration = !FTuningAcceleration;
        FFlexControl->SetAUX2LED(FTuningAcceleration);
        break;
    case actTuneClarifier:
        FKnobMode = fcClarifier;
        SetTuningLEDs(true, true);
        break;
    default:
        break;
    }
    if (!cat)
        return;
    switch (Action) {
    case actSwapVFOs:
        cat->SwapVFOs();
        break;
    case actCopyVFOAToB:
        cat->VFOAToB();
        break;
    case actToggleSplit:
        cat->PrepareTX();
        cat->SetFunctionTX(cat->FunctionTX() == vfoA ? vfoB : vfoA);
        break;
    case actToggleSubRX: {
        TFunctionRX next;
        switch (cat->FunctionRX()) {
        case frxARX_BOFF: next = frxARX_BRX; break;
        case frxAMute_BOFF: next = frxAMute_BRX; break;
        case frxARX_BRX: next = frxARX_BOFF; break;
        case frxAMute_BRX: next = frxAMute_BOFF; break;
        default: return; // VFO A off: the sub receiver stays as it is
        }
        cat->PrepareTX();
        cat->SetFunctionRX(next);
        break;
    }
    case actClearClarifier:
        cat->PrepareTX();
        cat->ClarifierClear();
        break;
    case actToggleTXClarifier:
        cat->PrepareTX();
        cat->SetClarifierTX(!cat->ClarifierTX());
        break;
    case actToggleRXClarifier:
        cat->PrepareTX();
        cat->SetClarifierRX(!cat->ClarifierRX());
        break;
    default:
        break;
    }
}
