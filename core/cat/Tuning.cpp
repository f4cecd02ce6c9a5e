#include "core/cat/Tuning.h"

TTuning::TTuning(TFTCATInterface* owner)
    : FOwner(owner)
{
}
