#include "core/cat/RadioInformation.h"

TRadioInformation::TRadioInformation(TFTCATInterface* owner)
    : FOwner(owner)
{
}
