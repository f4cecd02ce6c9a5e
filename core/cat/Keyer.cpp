#include "core/cat/Keyer.h"

TKeyer::TKeyer(TFTCATInterface* owner)
    : FOwner(owner)
{
}
