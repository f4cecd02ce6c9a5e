#include "core/cat/TX.h"

TTX::TTX(TFTCATInterface* owner)
    : FOwner(owner)
{
}

void TTX::SetCWBreakInDelay(int32_t value)
{
    FCWBreakInDelay = value;
}

void TTX::SetMaximumPowerMenu(int32_t value)
{
    FMaximumPowerMenu = value;
}
