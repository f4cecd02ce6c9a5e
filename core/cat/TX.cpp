#include "core/cat/TX.h"

TTX::TTX(TFTCATInterface* owner)
    : FOwner(owner)
{
}
