#pragma once
// The microphone equalizer menus of each model.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TMicrophoneEqualizer {
public:
    explicit TMicrophoneEqualizer(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
