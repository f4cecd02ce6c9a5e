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

    // Fed by the radio's menu answers.
    int32_t CWBreakInDelay() const { return FCWBreakInDelay; }
    void SetCWBreakInDelay(int32_t value);
    int32_t MaximumPowerMenu() const { return FMaximumPowerMenu; }
    void SetMaximumPowerMenu(int32_t value);

private:
    TFTCATInterface* FOwner;
    int32_t FMaximumPowerWatt = 100;
    int32_t FCWBreakInDelay = 0;
    int32_t FMaximumPowerMenu = 0;
};
