#pragma once
// The stored spots, oldest first, with change events for the spot list view. Spots leave by
// ageing, by removal, or, past MaxCount entries, oldest first.
//
// Duplicate tests and lookups by spot number go through indexes, so adding a spot does not
// depend on how many are stored. Event handlers run inside the list operation and must not
// change the list.

#include "dx/DXSpotTypes.h"
#include "dx/SequencedList.h"

#include <QHash>
#include <QString>
#include <cstdint>

class TDXWantedSpots;

class TSpotDataList {
public:
    static constexpr int MaxCount = 20000;

    int Count() const { return FItems.Count(); }
    // Entry by position, 0 = oldest.
    const TSpotData& operator[](int index) const { return FItems.Entry(index).Data; }

    // The newest entry with that spot number.
    bool GetSpotData(int32_t spotID, TSpotData& spotData) const;
    // Stores the spot. With isShowDXSpot a spot with the same time, call, band and spotter
    // as a stored one is refused (false). When the list is full the oldest entry goes first
    // (OnRemoved), then OnAdded.
    bool AddSpot(const TSpot& spot, bool isShowDXSpot);
    // Whether AddSpot with isShowDXSpot would refuse the spot as a duplicate.
    bool IsDuplicate(const TSpot& spot) const;
    // "<call> spotted by <spotter> at hh:mm <comment>" of the newest entry with that number;
    // empty when there is none.
    QString BandmapSpotLookup(int32_t spotID) const;
    // Removes, in one pass, every entry more than lifetime whole minutes away from now
    // (either way); OnRemoved per entry, newest first. Nothing for 0.
    void CleanExpiredSpots(uint16_t spotLifetimeMinutes);
    // Marks the entries of that call, band and mode class as logged (OnChanged for each
    // newly marked one); a mode class of mtAll marks nothing. The logbook's OnLogQSO (a
    // TLogQSOEvent) is meant to call this.
    void LogQSO(const QString& call, TBand band, TModeType modeType);
    // Removes the oldest entry with that number (OnRemoved).
    void RemoveSpot(int32_t spotID);
    // Recomputes every entry's wanted flag (OnChanged for each that changed).
    void UpdateWantedSpots(const TDXWantedSpots& wanted);

    TSpotDataChangeEvent OnAdded;
    TSpotDataChangeEvent OnChanged;
    TSpotDataChangeEvent OnRemoved;

private:
    struct TDupKey {
        int64_t Time;
        QString Call;
        QString Spotter;
        TBand Band;
        bool operator==(const TDupKey&) const = default;
    };
    friend size_t qHash(const TDupKey& key, size_t seed) noexcept
    {
        return qHashMulti(seed, key.Time, key.Call, key.Spotter, int(key.Band));
    }
    static TDupKey DupKeyOf(const TSpotData& d) { return {SpotTimeMs(d.TimeStamp), d.Call, d.Spotter, d.Band}; }

    void IndexEntry(uint64_t seq, const TSpotData& d);
    void UnindexEntry(uint64_t seq, const TSpotData& d);
    const TSpotData* Find(uint64_t seq) const;

    TSequencedList<TSpotData> FItems;
    QHash<TDupKey, int> FDuplicates; // key -> number of entries with it
    TSpotIDIndex FIDs;
};
