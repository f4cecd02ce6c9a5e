#include "core/cat/Rotator.h"

TRotator::TRotator(TFTCATInterface* owner)
    : FOwner(owner)
{
}
