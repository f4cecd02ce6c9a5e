#include "core/cat/MicrophoneEqualizer.h"

TMicrophoneEqualizer::TMicrophoneEqualizer(TFTCATInterface* owner)
    : FOwner(owner)
{
}
