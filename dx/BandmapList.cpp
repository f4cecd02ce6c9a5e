#include "dx/BandmapList.h"

void TBandmapDataList::Unindex(uint64_t seq, const TBandmapData& d)
{
    const auto it = FByCallBand.find({d.Call, int(d.Band)});
    if (it != FByCallBand.end() && *it == seq)
        FByCallBand.erase(it);
    FIDs.Remove(d.SpotID, seq);
}

void TBandmapDataList::AddSpot(const TSpot& spot)
{
    const TCallBand key{spot.Call(), int(spot.FBand)};
    const auto previous = FByCallBand.constFind(key);
    if (previous != FByCallBand.constEnd()) {
        const qsizetype pos = FItems.PositionOf(*previous);
        if (pos >= 0) {
            const auto old = FItems.TakeAt(pos);
            Unindex(old.Seq, old.Data);
        }
    }
    if (FItems.Count() >= MaxCount) {
        const auto oldest = FItems.TakeFirst();
        Unindex(oldest.Seq, oldest.Data);
    }
    TBandmapData d;
    d.SpotID = spot.FSpotID;
    d.Band = spot.FBand;
    d.Bearing = spot.FBearingSP;
    d.Call = spot.Call();
    d.Color = spot.GetColor();
    d.FrequencyA = spot.FFrequencyA;
    d.TimeStamp = spot.FTimeStamp;
    const auto& entry = FItems.Append(std::move(d));
    FByCallBand.insert(key, entry.Seq);
    FIDs.Add(entry.Data.SpotID, entry.Seq);
}

void TBandmapDataList::CleanExpiredSpots(uint16_t spotLifetimeMinutes)
{
    if (spotLifetimeMinutes == 0)
        return;
    const QDateTime now = UTCNow();
    const auto removed = FItems.RemoveIf([&](const TBandmapData& d) {
        return WholeMinutesBetween(now, d.TimeStamp) > spotLifetimeMinutes;
    });
    if (removed.empty())
        return;
    FByCallBand.clear();
    FIDs.Clear();
    for (const auto& e : FItems) {
        FByCallBand.insert({e.Data.Call, int(e.Data.Band)}, e.Seq);
        FIDs.Add(e.Data.SpotID, e.Seq);
    }
}

void TBandmapDataList::RemoveSpot(int32_t spotID)
{
    const uint64_t seq = FIDs.Newest(spotID);
    if (seq == 0)
        return;
    const qsizetype pos = FItems.PositionOf(seq);
    if (pos < 0)
        return;
    const auto entry = FItems.TakeAt(pos);
    Unindex(entry.Seq, entry.Data);
}
