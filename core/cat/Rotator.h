#pragma once
// The rotator driven through the radio's CAT commands.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TRotator {
public:
    explicit TRotator(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
