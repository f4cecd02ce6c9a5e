#pragma once
// Display and meter dimmer of the radio.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TDimmer {
public:
    explicit TDimmer(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
