#include "core/cat/Dimmer.h"

TDimmer::TDimmer(TFTCATInterface* owner)
    : FOwner(owner)
{
}
