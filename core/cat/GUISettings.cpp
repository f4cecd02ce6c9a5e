#include "core/cat/GUISettings.h"

TGUISettings::TGUISettings(TFTCATInterface* owner)
    : FOwner(owner)
{
}
