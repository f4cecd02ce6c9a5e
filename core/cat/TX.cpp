#include "core/cat/TX.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"

namespace {

QString numberCommand(const char* code, int width, int32_t value)
{
    return QLatin1String(code) + IntToZeroPadded(width, value);
}

// Power control value (0..255) to output watts: each entry is the highest value of a range
// and the watts of that range.
struct PowerStep {
    uint8_t upTo;
    uint8_t watt;
};

const PowerStep PowerFT2000[] = {
    {29, 5},    {32, 6},    {42, 7},    {54, 8},    {58, 9},    {66, 10},  {70, 12},  {74, 14},   {82, 16},
    {94, 18},   {98, 20},   {106, 25},  {114, 30},  {118, 35},  {130, 40}, {141, 45}, {148, 50},  {153, 55},
    {161, 60},  {169, 65},  {173, 70},  {177, 75},  {193, 80},  {201, 85}, {217, 90}, {229, 95},  {255, 100},
};

const PowerStep Power200W[] = {
    {30, 10},   {41, 12},   {44, 14},   {49, 18},   {54, 20},   {62, 25},   {70, 30},   {78, 35},
    {82, 40},   {86, 45},   {94, 50},   {98, 55},   {102, 60},  {106, 65},  {110, 70},  {116, 75},
    {119, 80},  {123, 85},  {127, 90},  {139, 95},  {143, 100}, {147, 110}, {151, 120}, {159, 130},
    {167, 140}, {171, 150}, {179, 160}, {191, 170}, {203, 180}, {215, 190}, {255, 200},
};

template <size_t N>
int32_t lookupWatt(const PowerStep (&table)[N], uint8_t value)
{
    for (const auto& step : table) {
        if (value <= step.upTo)
            return step.watt;
    }
    return table[N - 1].watt;
}

// Break-in and VOX delay limits in ms.
int32_t delayMinimum(TTransceiver model)
{
    return model == FT950 ? 30 : model == FTDX5000 ? 20 : 0;
}

int32_t delayMaximum(TTransceiver model)
{
    return model == FT950 ? 3000 : 5000;
}

// Milliseconds per step of the delay knob.
int32_t delayDivisor(TTransceiver model)
{
    return model == FT950 ? 10 : 20;
}

// The FT-950 takes several levels in percent.
int32_t levelMaximum(TTransceiver model)
{
    return model == FT950 ? 100 : 255;
}

} // namespace

TTX::TTX(TFTCATInterface* owner)
    : FFTCATInterface(owner)
{
}

void TTX::SetClassA(bool value)
{
    if (value == FClassA)
        return;
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(CATFlagCommand("CA000", value));
        return;
    }
    FClassA = value;
    Fire(FFTCATInterface->OnClassA, value);
}

void TTX::SetCWBreakInDelay(int32_t value)
{
    if (value == FCWBreakInDelay)
        return;
    const TTransceiver model = FFTCATInterface->Transceiver();
    const int32_t v = ClampInt(value, delayMinimum(model), delayMaximum(model));
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(numberCommand("SD", 4, v));
        return;
    }
    FCWBreakInDelay = v;
    Fire(FFTCATInterface->OnCWBreakInDelay, v);
}

void TTX::SetMaximumPowerMenu(int32_t value)
{
    if (value == FMaximumPowerMenu)
        return;
    FMaximumPowerMenu = ClampInt(value, 0, 3);
    switch (FFTCATInterface->Transceiver()) {
    case FT2000: {
        static const int32_t watts[] = {10, 20, 50, 100};
        SetMaximumPowerWatt(watts[FMaximumPowerMenu]);
        break;
    }
    case FT2000D:
    case FTDX5000: {
        static const int32_t watts[] = {20, 50, 100, 200};
        SetMaximumPowerWatt(watts[FMaximumPowerMenu]);
        break;
    }
    case FT950:
        break;
    }
}

void TTX::SetMaximumPowerWatt(int32_t value)
{
    FMaximumPowerWatt = value;
}

void TTX::SetMicGain(int32_t value)
{
    if (value == FMicGain)
        return;
    const uint8_t v = uint8_t(ClampInt(value, 0, 255));
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(numberCommand("MG", 3, v));
        return;
    }
    FMicGain = v;
    Fire(FFTCATInterface->OnMicGain, v);
    FFTCATInterface->SetCmdRcvd(false);
}

void TTX::SetMonitor(bool value)
{
    if (value == FMonitor)
        return;
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(CATFlagCommand("ML000", value));
        return;
    }
    FMonitor = value;
    Fire(FFTCATInterface->OnMonitor, value);
}

void TTX::SetMonitorLevel(int32_t value)
{
    if (value == FMonitorLevel)
        return;
    const uint8_t v = uint8_t(ClampInt(value, 1, 255));
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(numberCommand("ML1", 3, v));
        return;
    }
    FMonitorLevel = v;
    Fire(FFTCATInterface->OnMonitorLevel, v);
}

void TTX::SetPowerControl(int32_t value)
{
    if (value == FPowerControl)
        return;
    const TTransceiver model = FFTCATInterface->Transceiver();
    const uint8_t v = uint8_t(ClampInt(value, model == FT950 ? 5 : 0, model == FT950 ? 100 : 255));
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(numberCommand("PC", 3, v));
    } else {
        FPowerControl = v;
        Fire(FFTCATInterface->OnPowerControl, v);
    }
    UpdatePowerControlWatt();
}

void TTX::UpdatePowerControlWatt()
{
    const TTransceiver model = FFTCATInterface->Transceiver();
    int32_t watt;
    switch (model) {
    case FT950:
        watt = FPowerControl; // the radio reports watts
        break;
    case FT2000:
        watt = lookupWatt(PowerFT2000, FPowerControl);
        break;
    default:
        watt = lookupWatt(Power200W, FPowerControl);
        break;
    }
    if (model != FT950 && FMaximumPowerMenu < 3)
        watt = ClampInt(watt, 5, FMaximumPowerWatt);
    if (watt != FPowerControlWatt) {
        FPowerControlWatt = uint8_t(ClampInt(watt, 0, 255));
        Fire(FFTCATInterface->OnPowerControlWatt, FPowerControlWatt);
    }
    Fire(FFTCATInterface->OnIPCInformation, ipcPowerLevel);
}

void TTX::SetProcessor(TProcessor value)
{
    if (value == FProcessor)
        return;
    if (!FFTCATInterface->CmdRcvd()) {
        static const char* const commands[] = {"PR0", "PR1", "PR2"};
        FFTCATInterface->SendCATCommand(QLatin1String(commands[value]));
        return;
    }
    // The processor is either on or off here; the mic-equalizer report counts as off.
    FProcessor = value == pMicEq ? pOff : value;
    Fire(FFTCATInterface->OnProcessor, FProcessor);
}

void TTX::SetProcessorLevel(int32_t value)
{
    if (value == FProcessorLevel)
        return;
    const uint8_t v = uint8_t(ClampInt(value, 0, levelMaximum(FFTCATInterface->Transceiver())));
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(numberCommand("PL", 3, v));
        return;
    }
    FProcessorLevel = v;
    Fire(FFTCATInterface->OnProcessorLevel, v);
}

void TTX::SetVox(bool value)
{
    if (value == FVox)
        return;
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(CATFlagCommand("VX", value));
        return;
    }
    FVox = value;
    Fire(FFTCATInterface->OnVox, value);
    Fire(FFTCATInterface->OnVoxChange, value);
}

void TTX::SetVoxDelay(int32_t value)
{
    if (value == FVoxDelay)
        return;
    const TTransceiver model = FFTCATInterface->Transceiver();
    const int32_t v = ClampInt(value, delayMinimum(model), delayMaximum(model));
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(numberCommand("VD", 4, v));
        return;
    }
    FVoxDelay = v;
    Fire(FFTCATInterface->OnVoxDelay, v);
    FFTCATInterface->SetCmdRcvd(false);
}

void TTX::SetVoxGain(int32_t value)
{
    if (value == FVoxGain)
        return;
    const int32_t v = ClampInt(value, 0, levelMaximum(FFTCATInterface->Transceiver()));
    if (FFTCATInterface->UserCommand()) {
        FFTCATInterface->SendCATCommand(numberCommand("VG", 3, v));
        return;
    }
    FVoxGain = v;
    Fire(FFTCATInterface->OnVoxGain, v);
    FFTCATInterface->SetCmdRcvd(false);
}

int32_t TTX::VoxDelayPosition() const
{
    const int32_t d = delayDivisor(FFTCATInterface->Transceiver());
    return (FFTCATInterface->ModeType() == mtCW ? FCWBreakInDelay : FVoxDelay) / d;
}

void TTX::SetVoxDelayPosition(int32_t value)
{
    const int32_t ms = value * delayDivisor(FFTCATInterface->Transceiver());
    if (FFTCATInterface->ModeType() == mtCW)
        SetCWBreakInDelay(ms);
    else
        SetVoxDelay(ms);
}
