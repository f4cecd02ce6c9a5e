#pragma once
// The own QSOs of the log by call, so that the previous-QSO lookup of a typed call costs what
// it finds, not the size of the log.  Each entry keeps what the lookup reads of every match
// (band, mode, when) beside the handle of its line.
//
// Plain data, owned by one thread at a time: the loader builds one for a freshly read log and
// hands it to the GUI thread with the lines.

#include "core/RCTypes.h"
#include "log/LogRecord.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <vector>

namespace vx::loglines {

class TCallIndex {
public:
    // Date and time of a line as yyyymmddhhmmss; lines whose date or time are not all digits
    // get Unordered and are put in order by their text.
    static constexpr uint64_t Unordered = ~uint64_t(0);

    struct TMatch {
        int32_t Handle = 0;
        uint64_t When = Unordered;
        TBand Band = bdAll;
        TQSOMode Mode = mNone;
        // The call is the typed text itself (perhaps followed by blanks).
        bool Whole = false;
    };

    // Empties the index.  Adds to an empty index are collected unordered until Sort (one sort
    // for a whole log instead of one insertion per call); later ones go to their place.
    void Clear();
    void Sort();
    // Own lines of myCall only (others are ignored): those whose call follows the fixed-width
    // date and time, as CallTag finds it.
    void Add(int32_t handle, const QString& line, const QString& myCall);
    void Remove(int32_t handle, const QString& line, const QString& myCall);
    // Every entry whose call begins with prefix (letter case as written), in no particular
    // order.  Sorts first when Sort is due.
    std::vector<TMatch> Find(const QString& prefix);
    int Count() const { return FCount; }

private:
    struct TEntry {
        int32_t Handle;
        uint64_t When;
        TBand Band;
        TQSOMode Mode;
    };
    struct TBucket {
        QString Call;
        std::vector<TEntry> Entries;
    };

    // Buckets stay once made (a call whose QSOs are gone keeps an empty one), so their
    // numbers never change.
    std::vector<TBucket> FBuckets;
    QHash<QString, int> FBucketOf;
    // Bucket numbers in the order of their calls' code units.
    std::vector<int> FSorted;
    bool FSortDue = true;
    int FCount = 0;
    TLogRecord FRecord;
};

} // namespace vx::loglines
