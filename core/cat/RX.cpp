#include "core/cat/RX.h"

TRX::TRX(TFTCATInterface* owner)
    : FOwner(owner)
{
}
