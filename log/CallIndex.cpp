#include "log/CallIndex.h"

#include "log/LogLines.h"

#include <algorithm>
#include <array>

namespace vx::loglines {

namespace {

uint64_t WhenOf(QStringView line, qsizetype dateAt)
{
    // "yyyymmdd;hhmmss" right after the station call and its ";".
    uint64_t when = 0;
    for (qsizetype i = dateAt; i < dateAt + 15; ++i) {
        if (i == dateAt + 8)
            continue;
        const char16_t c = line[i].unicode();
        if (c < u'0' || c > u'9')
            return TCallIndex::Unordered;
        when = when * 10 + (c - u'0');
    }
    return when;
}

// The call of an own line, or nothing.
QStringView CallOf(const QString& line, const QString& myCall)
{
    if (CallTag(line, myCall) == 0)
        return {};
    const qsizetype at = myCall.size() + 17;
    const qsizetype end = line.indexOf(QLatin1Char(';'), at);
    return QStringView(line).mid(at, (end < 0 ? line.size() : end) - at);
}

} // namespace

void TCallIndex::Clear()
{
    FBuckets.clear();
    FBucketOf.clear();
    FSorted.clear();
    FSortDue = true;
    FCount = 0;
}

void TCallIndex::Sort()
{
    FSorted.resize(FBuckets.size());
    for (size_t i = 0; i < FBuckets.size(); ++i)
        FSorted[i] = int(i);
    std::sort(FSorted.begin(), FSorted.end(), [this](int a, int b) { return FBuckets[a].Call < FBuckets[b].Call; });
    FSortDue = false;
}

void TCallIndex::Add(int32_t handle, const QString& line, const QString& myCall)
{
    const QStringView call = CallOf(line, myCall);
    if (call.isEmpty())
        return;
    // Band and mode as the line reader takes them, without reading the other fields.
    std::array<QStringView, 36> fields;
    SplitFields(line, fields, LogField::Mode + 1);
    FRecord.SetBandAsString(TrimField(fields[LogField::Band]).toString());
    FRecord.SetModeAsString(TrimField(fields[LogField::Mode]).toString());

    const QString key = call.toString();
    auto it = FBucketOf.constFind(key);
    int bucket;
    if (it != FBucketOf.cend()) {
        bucket = *it;
    } else {
        bucket = int(FBuckets.size());
        FBuckets.push_back({key, {}});
        FBucketOf.insert(key, bucket);
        if (!FSortDue) {
            const auto at = std::lower_bound(FSorted.begin(), FSorted.end(), key,
                                             [this](int b, const QString& k) { return FBuckets[b].Call < k; });
            FSorted.insert(at, bucket);
        }
    }
    FBuckets[bucket].Entries.push_back({handle, WhenOf(line, myCall.size() + 1), FRecord.Band(), FRecord.Mode()});
    ++FCount;
}

void TCallIndex::Remove(int32_t handle, const QString& line, const QString& myCall)
{
    const QStringView call = CallOf(line, myCall);
    if (call.isEmpty())
        return;
    const auto it = FBucketOf.constFind(call.toString());
    if (it == FBucketOf.cend())
        return;
    std::vector<TEntry>& entries = FBuckets[*it].Entries;
    const auto e = std::find_if(entries.begin(), entries.end(), [handle](const TEntry& x) { return x.Handle == handle; });
    if (e == entries.end())
        return;
    entries.erase(e);
    --FCount;
}

std::vector<TCallIndex::TMatch> TCallIndex::Find(const QString& prefix)
{
    std::vector<TMatch> matches;
    if (prefix.isEmpty())
        return matches;
    if (FSortDue)
        Sort();
    // Calls beginning with the prefix sit together in the order of code units.
    auto it = std::lower_bound(FSorted.begin(), FSorted.end(), prefix,
                               [this](int b, const QString& p) { return FBuckets[b].Call < p; });
    for (; it != FSorted.end() && FBuckets[*it].Call.startsWith(prefix); ++it) {
        const TBucket& b = FBuckets[*it];
        const bool whole = QStringView(b.Call).mid(prefix.size()).trimmed().isEmpty();
        for (const TEntry& e : b.Entries)
            matches.push_back({e.Handle, e.When, e.Band, e.Mode, whole});
    }
    return matches;
}

} // namespace vx::loglines
