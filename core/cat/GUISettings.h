#pragma once
// Settings of the on-screen radio that the engine keeps with the radio state.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TGUISettings {
public:
    explicit TGUISettings(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
