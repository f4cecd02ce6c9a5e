#pragma once
// The radio's internal keyer: memories, pitch and speed.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TKeyer {
public:
    explicit TKeyer(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
