#include "core/cat/MenuSettings.h"

TMenuSettings::TMenuSettings(TFTCATInterface* owner)
    : FOwner(owner)
{
}
