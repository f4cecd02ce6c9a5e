#include "dx/DXSpotList.h"

#include "core/RCTypes.h"
#include "dx/DXWantedSpots.h"

void TSpotDataList::IndexEntry(uint64_t seq, const TSpotData& d)
{
    ++FDuplicates[DupKeyOf(d)];
    FIDs.Add(d.SpotID, seq);
}

void TSpotDataList::UnindexEntry(uint64_t seq, const TSpotData& d)
{
    const auto it = FDuplicates.find(DupKeyOf(d));
    if (it != FDuplicates.end() && --*it <= 0)
        FDuplicates.erase(it);
    FIDs.Remove(d.SpotID, seq);
}

const TSpotData* TSpotDataList::Find(uint64_t seq) const
{
    if (seq == 0)
        return nullptr;
    const qsizetype pos = FItems.PositionOf(seq);
    return pos < 0 ? nullptr : &FItems.Entry(pos).Data;
}

bool TSpotDataList::GetSpotData(int32_t spotID, TSpotData& spotData) const
{
    const TSpotData* d = Find(FIDs.Newest(spotID));
    if (!d)
        return false;
    spotData = *d;
    return true;
}

bool TSpotDataList::AddSpot(const TSpot& spot, bool isShowDXSpot)
{
    TSpotData data = TSpotData::FromSpot(spot);
    if (isShowDXSpot && FDuplicates.contains(DupKeyOf(data)))
        return false;
    if (FItems.Count() >= MaxCount) {
        const auto oldest = FItems.TakeFirst();
        UnindexEntry(oldest.Seq, oldest.Data);
        Fire(OnRemoved, oldest.Data);
    }
    const auto& entry = FItems.Append(std::move(data));
    IndexEntry(entry.Seq, entry.Data);
    Fire(OnAdded, entry.Data);
    return true;
}

bool TSpotDataList::IsDuplicate(const TSpot& spot) const
{
    return FDuplicates.contains(DupKeyOf(TSpotData::FromSpot(spot)));
}

QString TSpotDataList::BandmapSpotLookup(int32_t spotID) const
{
    const TSpotData* d = Find(FIDs.Newest(spotID));
    if (!d)
        return {};
    return QStringLiteral("%1 spotted by %2 at %3 %4")
        .arg(d->Call, d->Spotter, d->TimeStamp.toUTC().toString(QStringLiteral("hh:mm")), d->Comment);
}

void TSpotDataList::CleanExpiredSpots(uint16_t spotLifetimeMinutes)
{
    if (spotLifetimeMinutes == 0)
        return;
    const QDateTime now = UTCNow();
    auto removed = FItems.RemoveIf([&](const TSpotData& d) {
        return WholeMinutesBetween(now, d.TimeStamp) > spotLifetimeMinutes;
    });
    if (removed.empty())
        return;
    FDuplicates.clear();
    FIDs.Clear();
    for (const auto& e : FItems)
        IndexEntry(e.Seq, e.Data);
    for (auto it = removed.rbegin(); it != removed.rend(); ++it)
        Fire(OnRemoved, it->Data);
}

void TSpotDataList::LogQSO(const QString& call, TBand band, TModeType modeType)
{
    if (modeType == mtAll)
        return;
    for (int i = 0; i < FItems.Count(); ++i) {
        TSpotData& d = FItems.Entry(i).Data;
        if (!d.IsLogged && d.Band == band && d.ModeType == modeType && d.Call == call) {
            d.IsLogged = true;
            Fire(OnChanged, d);
        }
    }
}

void TSpotDataList::RemoveSpot(int32_t spotID)
{
    const uint64_t seq = FIDs.Oldest(spotID);
    if (seq == 0)
        return;
    const qsizetype pos = FItems.PositionOf(seq);
    if (pos < 0)
        return;
    const auto entry = FItems.TakeAt(pos);
    UnindexEntry(entry.Seq, entry.Data);
    Fire(OnRemoved, entry.Data);
}

void TSpotDataList::UpdateWantedSpots(const TDXWantedSpots& wanted)
{
    for (int i = FItems.Count() - 1; i >= 0; --i) {
        TSpotData& d = FItems.Entry(i).Data;
        const bool isWanted = wanted.IsWanted(d.Call, d.Band, d.ADIFCode);
        if (isWanted != d.IsWanted) {
            d.IsWanted = isWanted;
            Fire(OnChanged, d);
        }
    }
}
