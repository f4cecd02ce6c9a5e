#pragma once
// Receiver controls of both VFOs.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TRX {
public:
    explicit TRX(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
