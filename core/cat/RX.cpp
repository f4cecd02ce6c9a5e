#include "core/cat/RX.h"

#include "core/cat/VRF.h"

TRX::TRX(TFTCATInterface* owner)
    : FOwner(owner)
    , FVRF(new TVRF(owner))
{
}

TRX::~TRX()
{
    delete FVRF;
}

void TRX::UpdateFilterWidth(uint8_t AVFO)
{
}
