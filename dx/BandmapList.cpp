#include "dx/BandmapList.h"

void TBandmapDataList::Erase(std::list<TBandmapData>::iterator item)
{
    const auto byCall = FByCallBand.find({item->Call, int(item->Band)});
    if (byCall != FByCallBand.end() && *byCall == item)
        FByCallBand.erase(byCall);
    const auto seq = FSeqOf.find(&*item);
    if (seq != FSeqOf.end()) {
        FByID.erase({item->SpotID, seq->second});
        FSeqOf.erase(seq);
    }
    FItems.erase(item);
}

void TBandmapDataList::AddSpot(const TSpot& spot)
{
    const TCallBand key{spot.Call(), int(spot.FBand)};
    const auto previous = FByCallBand.constFind(key);
    if (previous != FByCallBand.constEnd())
        Erase(*previous);
    if (Count() >= MaxCount)
        Erase(FItems.begin());
    TBandmapData d;
    d.SpotID = spot.FSpotID;
    d.Band = spot.FBand;
    d.Bearing = spot.FBearingSP;
    d.Call = spot.Call();
    d.Color = spot.GetColor();
    d.FrequencyA = spot.FFrequencyA;
    d.TimeStamp = spot.FTimeStamp;
    const auto item = FItems.insert(FItems.end(), std::move(d));
    const uint64_t seq = FNextSeq++;
    FSeqOf.emplace(&*item, seq);
    FByCallBand.insert(key, item);
    FByID.emplace(TIDKey{item->SpotID, seq}, item);
}

void TBandmapDataList::CleanExpiredSpots(uint16_t spotLifetimeMinutes)
{
    if (spotLifetimeMinutes == 0)
        return;
    const QDateTime now = UTCNow();
    for (auto it = FItems.begin(); it != FItems.end();) {
        const auto next = std::next(it);
        if (WholeMinutesBetween(now, it->TimeStamp) > spotLifetimeMinutes)
            Erase(it);
        it = next;
    }
}

void TBandmapDataList::RemoveSpot(int32_t spotID)
{
    auto it = FByID.upper_bound({spotID, UINT64_MAX});
    if (it == FByID.begin())
        return;
    --it;
    if (it->first.first == spotID)
        Erase(it->second);
}
