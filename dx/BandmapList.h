#pragma once
// The band map's spots: one entry per call and band, oldest first, each with its display
// colour; and the record of one drawn spot label of the band map view.

#include "core/RCTypes.h"
#include "dx/DXSpotTypes.h"
#include "dx/SequencedList.h"

#include <QDateTime>
#include <QHash>
#include <QRect>
#include <QString>
#include <cstdint>
#include <utility>

struct TBandmapData {
    static constexpr int CallWidth = 14;

    int32_t SpotID = 0;
    TBand Band = bdAll;
    int16_t Bearing = 0; // short path
    QString Call;
    TColor Color = 0;
    int32_t FrequencyA = 0;
    QDateTime TimeStamp;
};

struct TBandmapSpotData {
    static constexpr int CallWidth = 14;
    static constexpr int SpotInfoWidth = 255;

    int32_t SpotID = 0;
    QString Call;
    int32_t Frequency = 0;
    QString SpotInfo;
    QRect SpotRect;
    int32_t Y = 0;
    int32_t ToY = 0;
    TColor Color = 0;
};

class TBandmapDataList {
public:
    // Past this many entries the oldest goes.
    static constexpr int MaxCount = 20000;

    int Count() const { return FItems.Count(); }
    // Entry by position, 0 = oldest.
    const TBandmapData& operator[](int index) const { return FItems.Entry(index).Data; }

    // Replaces any entry of the same call and band by the spot.
    void AddSpot(const TSpot& spot);
    // Removes, in one pass, every entry more than lifetime whole minutes away from now
    // (either way). Nothing for 0.
    void CleanExpiredSpots(uint16_t spotLifetimeMinutes);
    // Removes the newest entry with that number.
    void RemoveSpot(int32_t spotID);

private:
    using TCallBand = std::pair<QString, int>;
    void Unindex(uint64_t seq, const TBandmapData& d);

    TSequencedList<TBandmapData> FItems;
    QHash<TCallBand, uint64_t> FByCallBand;
    TSpotIDIndex FIDs;
};
