#pragma once
// The band map's spots: one entry per call and band, oldest first, each with its display
// colour; and the record of one drawn spot label of the band map view.

#include "core/RCTypes.h"
#include "dx/DXSpotTypes.h"

#include <QDateTime>
#include <QHash>
#include <QRect>
#include <QString>
#include <cstdint>
#include <list>
#include <map>
#include <unordered_map>
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

// Entries oldest first. A spot of a call already on the band moves that call to the newest
// end; all changes cost O(log n) at most, and the view walks the entries in either direction.
class TBandmapDataList {
public:
    // Past this many entries the oldest goes.
    static constexpr int MaxCount = 20000;

    using const_iterator = std::list<TBandmapData>::const_iterator;
    using const_reverse_iterator = std::list<TBandmapData>::const_reverse_iterator;

    int Count() const { return int(FItems.size()); }
    const_iterator begin() const { return FItems.begin(); }
    const_iterator end() const { return FItems.end(); }
    // Newest first.
    const_reverse_iterator rbegin() const { return FItems.rbegin(); }
    const_reverse_iterator rend() const { return FItems.rend(); }

    // Replaces any entry of the same call and band by the spot.
    void AddSpot(const TSpot& spot);
    // Removes, in one pass, every entry more than lifetime whole minutes away from now
    // (either way). Nothing for 0.
    void CleanExpiredSpots(uint16_t spotLifetimeMinutes);
    // Removes the newest entry with that number.
    void RemoveSpot(int32_t spotID);

private:
    using TCallBand = std::pair<QString, int>;
    using TIDKey = std::pair<int32_t, uint64_t>; // spot number, running number

    void Erase(std::list<TBandmapData>::iterator item);

    std::list<TBandmapData> FItems;
    // Running number of each entry, so that entries with the same spot number keep their
    // order in FByID.
    std::unordered_map<const TBandmapData*, uint64_t> FSeqOf;
    QHash<TCallBand, std::list<TBandmapData>::iterator> FByCallBand;
    std::map<TIDKey, std::list<TBandmapData>::iterator> FByID;
    uint64_t FNextSeq = 1;
};
