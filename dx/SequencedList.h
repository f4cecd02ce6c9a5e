#pragma once
// Storage of the spot list: entries in arrival order with positions for the list view, each
// tagged with a running number, so that an index can point at an entry without knowing its
// position, and the position is found again by binary search. Dropping the oldest entry
// costs O(1).

#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <set>
#include <utility>

template <typename T>
class TSequencedList {
public:
    struct TEntry {
        uint64_t Seq;
        T Data;
    };

    int Count() const { return int(FItems.size()); }
    const TEntry& Entry(qsizetype pos) const { return FItems[size_t(pos)]; }
    TEntry& Entry(qsizetype pos) { return FItems[size_t(pos)]; }

    const TEntry& Append(T data)
    {
        FItems.push_back(TEntry{FNextSeq++, std::move(data)});
        return FItems.back();
    }

    // Position of the entry with that running number, -1 when it is gone.
    qsizetype PositionOf(uint64_t seq) const
    {
        const auto it = std::lower_bound(FItems.begin(), FItems.end(), seq,
                                         [](const TEntry& e, uint64_t s) { return e.Seq < s; });
        if (it == FItems.end() || it->Seq != seq)
            return -1;
        return qsizetype(it - FItems.begin());
    }

    TEntry TakeAt(qsizetype pos)
    {
        TEntry e = std::move(FItems[size_t(pos)]);
        FItems.erase(FItems.begin() + pos);
        return e;
    }

    TEntry TakeFirst()
    {
        TEntry e = std::move(FItems.front());
        FItems.pop_front();
        return e;
    }

    // Removes in one pass every entry the predicate accepts; they are handed back oldest
    // first.
    template <typename Pred>
    std::deque<TEntry> RemoveIf(Pred pred)
    {
        std::deque<TEntry> removed;
        auto out = FItems.begin();
        for (auto it = FItems.begin(); it != FItems.end(); ++it) {
            if (pred(it->Data))
                removed.push_back(std::move(*it));
            else if (out != it)
                *out++ = std::move(*it);
            else
                ++out;
        }
        FItems.erase(out, FItems.end());
        return removed;
    }

    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    std::deque<TEntry> FItems;
    uint64_t FNextSeq = 1;
};

// Spot number -> running numbers of the entries that carry it, ordered.
class TSpotIDIndex {
public:
    void Add(int32_t id, uint64_t seq) { FSet.emplace(id, seq); }
    void Remove(int32_t id, uint64_t seq) { FSet.erase({id, seq}); }
    void Clear() { FSet.clear(); }

    // Running number of the newest (or oldest) entry with that spot number, 0 when none.
    uint64_t Newest(int32_t id) const
    {
        auto it = FSet.upper_bound({id, UINT64_MAX});
        if (it == FSet.begin())
            return 0;
        --it;
        return it->first == id ? it->second : 0;
    }
    uint64_t Oldest(int32_t id) const
    {
        const auto it = FSet.lower_bound({id, 0});
        return it != FSet.end() && it->first == id ? it->second : 0;
    }

private:
    std::set<std::pair<int32_t, uint64_t>> FSet;
};
