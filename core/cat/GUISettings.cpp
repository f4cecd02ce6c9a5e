#include "core/cat/GUISettings.h"

#include "core/cat/FTCATInterface.h"

TGUISettings::TGUISettings(TFTCATInterface* owner)
    : FOwner(owner)
{
}

void TGUISettings::SetBandmapVFO(TVFO value)
{
    if (value == FBandmapVFO)
        return;
    FBandmapVFO = value;
    Fire(FOwner->OnBandmapVFO, value);
}
