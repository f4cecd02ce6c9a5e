#pragma once
// Stored radio presets per operating mode.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TPresets {
public:
    explicit TPresets(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
