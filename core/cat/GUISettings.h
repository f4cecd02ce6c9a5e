#pragma once
// Settings of the on-screen radio that the engine keeps with the radio state.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TGUISettings {
public:
    explicit TGUISettings(TFTCATInterface* owner);

    // The VFO that the band map follows.
    TVFO BandmapVFO() const { return FBandmapVFO; }
    void SetBandmapVFO(TVFO value);

private:
    TFTCATInterface* FOwner;
    TVFO FBandmapVFO = vfoA;
};
