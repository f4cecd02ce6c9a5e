#pragma once
// Receiver controls of both VFOs.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;
class TVRF;

class TRX {
public:
    explicit TRX(TFTCATInterface* owner);
    ~TRX();

    // Recomputes the filter width in Hz of a VFO and raises OnFilterChange.
    void UpdateFilterWidth(uint8_t AVFO);

    TVRF* VRF() const { return FVRF; }

private:
    TFTCATInterface* FOwner;
    TVRF* FVRF;
};
