#pragma once
// VRF and micro-tune preselector state of each VFO.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TVRF {
public:
    explicit TVRF(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
