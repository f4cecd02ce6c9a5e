#pragma once
// Front panel dimmer switch and the display and meter brightness levels.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TDimmer {
public:
    explicit TDimmer(TFTCATInterface* owner);

    bool DimmerSwitch() const { return FDimmerSwitch; }
    void SetDimmerSwitch(bool value);
    // 0..7.
    int32_t DimmerDisplay() const { return FDimmerDisplay; }
    void SetDimmerDisplay(int32_t value);
    // 0..15.
    int32_t DimmerMeter() const { return FDimmerMeter; }
    void SetDimmerMeter(int32_t value);

private:
    TFTCATInterface* FOwner;
    bool FDimmerSwitch = false;
    int32_t FDimmerDisplay = 0;
    int32_t FDimmerMeter = 0;
};
