#pragma once
// The radio's information flags (high SWR, recording, class A and the rest).

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TRadioInformation {
public:
    explicit TRadioInformation(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
