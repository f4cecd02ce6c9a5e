#pragma once
// The logbook's lines in memory: their order, the sorted line list with a handle per QSO,
// the worked-before index, and the text rules of the log file (encoding, header check).
// Everything here is plain data: the loader builds these on a worker and hands them to the
// GUI thread, which owns them from then on.

#include "core/RCTypes.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>

class TLogRecord;

namespace vx::loglines {

// Order of the line list: ASCII letters compared without regard to case, everything else by
// its UTF-16 code unit.  Lines that differ only in letter case are equal.
int CompareLines(QStringView a, QStringView b);
bool LinesEqual(QStringView a, QStringView b);
bool StartsWithIgnoringCase(QStringView text, QStringView prefix);

// Views of the 36 fields of a line, split as the line reader splits (the last field takes
// the rest of the line); missing fields are empty.  Returns the number of fields present.
// With upTo, only the first upTo fields are looked for (the rest stay empty).
int SplitFields(QStringView line, std::array<QStringView, 36>& fields, int upTo = 36);
// A field without leading and trailing blanks and control characters.
QStringView TrimField(QStringView field);

// Header of the previous file layout: it lacks the last three fields of the current one.
inline constexpr const char* HeaderStart = "STATION_CALLSIGN;";
inline constexpr const char* CurrentHeaderMark = "SUBMODE;EQSL_QSL_SENT;EQSL_QSL_RCVD";

// Result of the header check of a freshly read file.
enum class THeaderCheck { Invalid = -1, Current = 0, Previous = 1 };
THeaderCheck CheckFileHeader(const QStringList& lines, const QString& currentHeader);

// One line of the previous layout in the current one: the three new fields (no submode, eQSL
// not sent, not received) are added and the line is rebuilt by the QSO record.  A line that
// the record cannot read cleanly comes back unchanged: it is never rebuilt from a partial
// reading.
QString UpgradeLine(const QString& line);

// Text of a log file.  UTF-8 (with or without byte-order mark) is taken as it is; a file
// with a UTF-16 byte-order mark is read as UTF-16; anything else that is not valid UTF-8 is
// read as Windows-1252.  NeedsRewrite tells that the file is not in the encoding we append
// in, so appending to it as it stands would mix two encodings.
struct TDecodedText {
    QString Text;
    bool NeedsRewrite = false;
};
TDecodedText DecodeLogFile(const QByteArray& bytes);
// Windows-1252 text of bytes that are not UTF-8.
QString DecodeCp1252(QByteArrayView bytes);
// Lines of a text, split at LF with a CR before it removed; empty lines are dropped.
QStringList SplitTextLines(const QString& text);
// The bytes of a whole log file: every line followed by CR LF, in UTF-8.
QByteArray EncodeLines(const QStringList& lines);
// Replaces a file (exports, side files) with the lines, encoded as EncodeLines does, through a
// temporary file and an atomic rename.  Unbuffered, so that a short write (a full disk) is
// seen before the rename: buffered, QSaveFile's commit misses it.  False with the reason.
bool WriteTextFile(const QString& path, const QStringList& lines, QString& error);

// Sorts into list order and drops every line equal to one before it in the given order
// (the first occurrence in the file stays).
QStringList SortUnique(const QStringList& lines);

// The edited form of a QSO line: the original line with only the fields whose text differs
// between the two readings replaced, so fields nobody changed keep their text exactly, even
// ones the record could not read.
QString MergeFields(const QString& original, const TLogRecord& before, const TLogRecord& after);

// The QSO lines of a freshly read log file, sorted and unique, without its header line.
QStringList QSOLinesOf(QStringList lines, bool sorted, THeaderCheck header);

// ---- Worked-before index ---------------------------------------------------------------
// Keys of a QSO line: ";CALL;BAND;C|S|D;" and ";CALL;BAND;", upper-cased, taken from the
// line's call, band and mode fields.  Empty when the line has no call.
struct TWorkedKeys {
    QString WithMode;
    QString WithoutMode;
};
TWorkedKeys WorkedKeysOfLine(QStringView line);
QString WorkedKey(const QString& call, TBand band, TModeType modeType);
QString WorkedKey(const QString& call, TBand band);

// Counts of keys over the own station's lines, so that removing or changing one QSO keeps
// the index exact: a key stays while any QSO still carries it.
class TWorkedIndex {
public:
    void Clear();
    void AddLine(QStringView line);
    void RemoveLine(QStringView line);
    bool ContainsWithMode(const QString& key) const { return FWithMode.contains(key); }
    bool ContainsWithoutMode(const QString& key) const { return FWithoutMode.contains(key); }
    int Count() const { return int(FWithMode.size()); }

private:
    QHash<QString, int> FWithMode;
    QHash<QString, int> FWithoutMode;
};

// Tag of a line for the walk of the previous-QSO lookup: the first three characters after
// the fixed-width date and time of an own line (where the call field starts), or 0 for a
// line that cannot match any typed call.  CallTagMatches tells whether a tag may belong to a
// line whose call field begins with the typed text.
uint64_t CallTag(const QString& line, const QString& myCall);
bool CallTagMatches(uint64_t tag, const QString& typed);

// ---- The line list ---------------------------------------------------------------------
// The log's lines, sorted (CompareLines) and without duplicates.  Every line carries a
// handle that names its QSO for as long as the QSO is in the list: replacing a line keeps
// the handle, so rows handed out earlier still find their QSO after an edit, and a handle of
// a line that is gone finds nothing (never another QSO).
class TLogLineList {
public:
    const QStringList& Lines() const { return FLines; }
    int Count() const { return int(FLines.size()); }
    const QString& At(int pos) const { return FLines.at(pos); }
    int32_t HandleAt(int pos) const { return FHandles.at(pos); }

    // Position of the line equal to text, or -1.
    int Find(QStringView text) const;
    // First position whose line is not before text.
    int LowerBound(QStringView text) const;
    // Positions [first, last) of the lines beginning with prefix (ignoring letter case).
    std::pair<int, int> PrefixRange(QStringView prefix) const;

    // Adds a line in its place with a new handle; -1 when an equal line is already present
    // (nothing changes).
    int32_t Insert(const QString& line);
    // Removes the line at pos with its handle.
    void RemoveAt(int pos);
    // Replaces the line at pos, keeping its handle.  When the new line equals another line
    // of the list, the QSO merges into that one and the handle is gone.  Returns the new
    // position, or -1 after such a merge.
    int ReplaceAt(int pos, const QString& line);
    // The current line of a handle; empty when its QSO is gone.
    QString LineOfHandle(int32_t handle) const { return FLineOfHandle.value(handle); }

    // Takes over sorted unique lines (as from SortUnique) and gives them fresh handles.
    void Assign(QStringList sortedLines);
    void Clear();

    // A number per line, kept beside the lines in one array, so a walk over the whole list
    // can skip lines without touching their text.
    void SetTagFunction(std::function<uint64_t(const QString&)> tagOf);
    uint64_t TagAt(int pos) const { return FTags.at(pos); }

private:
    static int32_t NewHandles(int count);
    void Retag();

    QStringList FLines;
    QList<int32_t> FHandles;
    QList<uint64_t> FTags;
    std::function<uint64_t(const QString&)> FTagOf;
    QHash<int32_t, QString> FLineOfHandle;
};

} // namespace vx::loglines
