#include "dx/DXSpotFilter.h"

bool TDXSpotFilter::FilterIncomingTelnetSpots(const TDXSpot& spot) const
{
    bool passed = true;
    if (FShowContinent == cfContinent && FMyCont != coAll)
        passed = spot.Cont() != FMyCont;
    else if (FShowContinent == cfCountry && FMyDXCCNo > 0)
        passed = spot.ADIFCode() != FMyDXCCNo;
    return passed && (FShowBands.Contains(bdAll) || FShowBands.Contains(spot.Band()));
}
