#pragma once
// The filter of live spots for the cluster console; it does not decide what is stored.

#include "core/RCTypes.h"
#include "dx/DXSpotTypes.h"

#include <cstdint>

class TDXSpotFilter {
public:
    TContinent MyCont() const { return FMyCont; }
    void SetMyCont(TContinent value) { FMyCont = value; }
    int32_t MyDXCCNo() const { return FMyDXCCNo; }
    void SetMyDXCCNo(int32_t value) { FMyDXCCNo = value; }
    const TShowBands& ShowBands() const { return FShowBands; }
    void SetShowBands(const TShowBands& value) { FShowBands = value; }
    TCountryFilter ShowContinent() const { return FShowContinent; }
    void SetShowContinent(TCountryFilter value) { FShowContinent = value; }

    // True when the spot is to be shown: outside the own continent or entity as chosen (a
    // spot of unknown country passes), and on a shown band.
    bool FilterIncomingTelnetSpots(const TDXSpot& spot) const;

private:
    TContinent FMyCont = coAll;
    int32_t FMyDXCCNo = 0;
    TShowBands FShowBands{bdAll};
    TCountryFilter FShowContinent = cfNone;
};
