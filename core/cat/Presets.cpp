#include "core/cat/Presets.h"

TPresets::TPresets(TFTCATInterface* owner)
    : FOwner(owner)
{
}
