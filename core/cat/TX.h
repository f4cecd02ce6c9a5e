#pragma once
// Transmitter controls.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TTX {
public:
    explicit TTX(TFTCATInterface* owner);

    // The model's maximum output power in watts.
    int32_t MaximumPowerWatt() const { return FMaximumPowerWatt; }
    void SetMaximumPowerWatt(int32_t value) { FMaximumPowerWatt = value; }

private:
    TFTCATInterface* FOwner;
    int32_t FMaximumPowerWatt = 100;
};
