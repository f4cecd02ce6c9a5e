#include "core/cat/Dimmer.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"

TDimmer::TDimmer(TFTCATInterface* owner)
    : FOwner(owner)
{
}

void TDimmer::SetDimmerSwitch(bool value)
{
    if (value == FDimmerSwitch)
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(CATFlagCommand("DS", value));
        return;
    }
    FDimmerSwitch = value;
    Fire(FOwner->OnDimmerSwitch, value);
}

// The two levels travel in one command; neither setter clears the received flag, so one
// answer sets both.
void TDimmer::SetDimmerDisplay(int32_t value)
{
    if (value == FDimmerDisplay)
        return;
    value = ClampInt(value, 0, 7);
    if (FOwner->CmdRcvd()) {
        FDimmerDisplay = value;
        Fire(FOwner->OnDimmerDisplay, value);
        return;
    }
    FOwner->SendCATCommand(QStringLiteral("DA") + IntToZeroPadded(2, value) + IntToZeroPadded(2, FDimmerMeter));
}

void TDimmer::SetDimmerMeter(int32_t value)
{
    if (value == FDimmerMeter)
        return;
    value = ClampInt(value, 0, 15);
    if (FOwner->CmdRcvd()) {
        FDimmerMeter = value;
        Fire(FOwner->OnDimmerMeter, value);
        return;
    }
    FOwner->SendCATCommand(QStringLiteral("DA") + IntToZeroPadded(2, FDimmerDisplay) + IntToZeroPadded(2, value));
}
