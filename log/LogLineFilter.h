#pragma once
// A quick look at a raw log line before it is read into a record: TLogLinePrefilter tells
// when a line cannot pass a TLogFilter, from the texts of the fields the filter names.  It
// never rejects a line that TLogFilter::Matches would accept (every check is looser than
// the record's own rules), so filtering a big log reads only the lines that may match.
// Values it cannot judge from the raw text (times, reports, exchanges) are left to the
// full check.

#include "core/RCTypes.h"

#include <QString>
#include <QStringView>
#include <array>
#include <utility>
#include <vector>

class TLogFilter;

class TLogLinePrefilter {
public:
    explicit TLogLinePrefilter(const TLogFilter& filter);
    // False when the line cannot match the filter.
    bool MayMatch(QStringView line) const;

private:
    enum class Kind { DatePrefix, StartsWith, Equals, FlagLetter, DXCC, CQZone, Mode, Comment };
    struct Check {
        Kind kind;
        int field;
        QString value;
        int fieldsNeeded = 0;
    };
    bool Passes(const Check& c, QStringView field, const std::array<QStringView, 36>& fields) const;
    TQSOMode ModeOf(QStringView text) const;

    std::vector<Check> FChecks;
    // Mode texts seen so far and their modes: a log uses few distinct texts.
    mutable std::vector<std::pair<QString, TQSOMode>> FModeCache;
};
