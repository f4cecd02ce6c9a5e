#pragma once
// Local tuning frequency of each VFO, tuning steps and the VRF.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TTuning {
public:
    explicit TTuning(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
