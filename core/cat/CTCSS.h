#pragma once
// CTCSS tone and encoder/decoder state of both VFOs.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TCTCSS {
public:
    explicit TCTCSS(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
