#include "core/cat/MemoryChannel.h"

TMemoryChannel::TMemoryChannel(TFTCATInterface* owner)
    : FOwner(owner)
{
}
