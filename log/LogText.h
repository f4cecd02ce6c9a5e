#pragma once
// Text rules shared by the QSO record, the compact logbook entry and the grid types: the
// field separator of the log line, trimming, cutting to a width, and the date, time and
// frequency texts of the log.  Every conversion of outside text returns std::nullopt for
// invalid input instead of throwing.

#include "core/RCTypes.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>
#include <array>
#include <cstdint>
#include <optional>

namespace vx::logtext {

// Number of fields of a log line, and of the record's Changed flags.
constexpr int LogFieldCount = 36;

// Removes leading and trailing blanks and control characters (every character up to
// U+0020), as the log line reader does with each field.
QString TrimControl(const QString& s);

// Makes a text safe for one field of the log line: ";" becomes ",", and line breaks, tabs
// and other control characters become a blank, so a field can never split the line or
// shift the fields after it.
QString CleanFieldText(const QString& s);

// Upper-cases the ASCII letters a to z only, whatever the locale.
QString UpperAscii(const QString& s);
// Lower-cases the ASCII letters A to Z only.
QString LowerAscii(const QString& s);

// Length in characters (a surrogate pair counts once), as the ADIF length counts it.
int TextLength(const QString& s);
// The first n characters of s (a surrogate pair is never split).
QString CutText(const QString& s, int n);

bool IsAsciiDigits(QStringView s);
// A non-negative decimal number of ASCII digits that fits into 32 signed bits.
std::optional<int32_t> ParseDecimal(QStringView s);

// A date the log can hold: valid, after 1899-12-30 (the day the log's date value counts as
// "no date") and before the year 10000.  Other dates cannot be written as "yyyymmdd" and
// are treated as no date throughout.
bool IsLogDate(const QDate& d);
// "yyyymmdd" of a log date, empty for no date.
QString DateToText(const QDate& d);
// "yyyymmdd" (8 characters) or "yyyy?mm?dd" (10 characters, any separator at 5 and 8).
// nullopt for any other length, a part that is not a number, a date that does not exist
// or a date the log cannot hold (see IsLogDate).
std::optional<QDate> ParseDateText(const QString& s);

// The time rule of the log: ":" removed; hour from characters 1-2, minute from 3-4 when
// there are at least 4 characters, second from 5-6 when there are exactly 6.  "1234",
// "12:34" and "12345" give 12:34:00, "123456" 12:34:56, "9" 09:00:00.  nullopt for a part
// that is not a number (an empty text included) or a time that does not exist ("2400").
std::optional<QTime> ParseTimeText(const QString& s);
QString TimeToHHMMSS(const QTime& t);
QString TimeToHHMM(const QTime& t);

// MHz with exactly three decimals and "." in every locale (14074000 gives "14.074");
// empty for 0.  Rounded to the nearest kilohertz.
QString FrequencyToMHzText(uint32_t hz);
// A decimal number of MHz with "." as separator and no group separators, rounded to the
// nearest hertz.  Empty text gives 0.  nullopt for anything else, including values that do
// not fit into 32 unsigned bits.
std::optional<uint32_t> ParseMHzText(const QString& s);

// Index of the name equal to text ignoring ASCII letter case (the empty text finds an
// empty name); -1 when none is.
int FindName(const char* const* names, int count, const QString& text);

// The mode text rule of the log.  First the 50 mode names, ignoring ASCII letter case
// ("ft8" is FT8, "" is mNone); then, on the text as written, the submode rules ("LSB" and
// "USB" are SSB, "PSK63" is PSK, "JT9A" is JT9 ...).  Mode is mNone when nothing applies.
struct ModeTextMatch {
    TQSOMode Mode = mNone;
    bool ExactName = false;   // one of the 50 names (the empty text included)
    bool SubModeRule = false; // found by a submode rule: the text is the submode
};
ModeTextMatch MatchModeText(const QString& text);

// One line of remarks: comment, name, QTH, IOTA and "via <route>" (when there is a route)
// joined by blanks, trimmed, each pair of blanks made one in a single left-to-right pass.
QString JoinAllInfos(const QString& comment, const QString& name, const QString& qth, const QString& iota,
                     const QString& qslVia);

// Splits a log line as the reader does: field k (0 to 34) is the text between the k-th
// separator and the next one, field 35 all the rest of the line (further ";" included).
// Missing fields are empty.  The fields are not trimmed.
std::array<QString, LogFieldCount> SplitLogLine(const QString& line);

} // namespace vx::logtext
