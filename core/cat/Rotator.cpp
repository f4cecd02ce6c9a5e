#include "core/cat/Rotator.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"

TRotator::TRotator(TFTCATInterface* owner)
    : FOwner(owner)
{
}

void TRotator::PollRotator()
{
    FOwner->PrepareTX();
    FOwner->SendCATCommand(QStringLiteral("RO"));
}

void TRotator::SetRotatorState(TRotatorState value)
{
    if (FOwner->CmdRcvd()) {
        FRotatorState = value;
        Fire(FOwner->OnRotator, value, FDirection, FSpeed);
        FOwner->SetCmdRcvd(false);
        return;
    }
    // Wire codes: 3 is speed down, 4 speed up.
    static const char* const codes[] = {"RO0", "RO1", "RO2", "RO4", "RO3"};
    if (value <= rcSpeedDown)
        FOwner->SendCATCommand(QString::fromLatin1(codes[value]));
}

int32_t TRotator::ShownDirection() const
{
    if (FOffset == 0)
        return FDirection;
    return FDirection > 360 - FOffset ? FDirection + FOffset - 360 : FDirection + FOffset;
}

void TRotator::SetDirection(int32_t value)
{
    if (value == FDirection || !FOwner->CmdRcvd())
        return;
    FDirection = ClampInt(value, 0, 450);
    Fire(FOwner->OnRotator, FRotatorState, ShownDirection(), FSpeed);
    FOwner->SetCmdRcvd(false);
}

void TRotator::SetSpeed(int32_t value)
{
    if (value == FSpeed || !FOwner->CmdRcvd())
        return;
    FSpeed = ClampInt(value, 0, 100);
    Fire(FOwner->OnRotator, FRotatorState, FDirection, FSpeed);
    FOwner->SetCmdRcvd(false);
}
