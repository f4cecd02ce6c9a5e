#pragma once
// Cache of the radio's menu values.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TMenuSettings {
public:
    explicit TMenuSettings(TFTCATInterface* owner);

private:
    TFTCATInterface* FOwner;
};
