#include "core/cat/VRF.h"

TVRF::TVRF(TFTCATInterface* owner)
    : FOwner(owner)
{
}
