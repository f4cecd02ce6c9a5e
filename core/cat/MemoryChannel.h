#pragma once
// Memory channel number and the memory record.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TMemoryChannel {
public:
    explicit TMemoryChannel(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
