#pragma once
// Reading ADI files (the text form of ADIF) in pieces: the header up to <EOH>, then one
// record per <EOR>.  The reader is a tokenizer over the text, not over lines: any number of
// records may share a line, a value may span lines, and the last record may end the file
// without a line end.  Tag names match ignoring ASCII letter case.
//
// A value is taken by its length, counted in characters (Unicode code points) as our export
// writes it; text inside it that looks like a tag ("<3", "<b>", "<eor>") is data.  Lengths in
// real files are often wrong, though: they count CR LF where the file holds LF, or UTF-8 bytes
// where we count characters.  So a value whose length does not end at a blank, a line end,
// the next tag or the end of the file ends early: at a data specifier with a length inside it
// (the next field), or at an <EOR> that its length runs into.  A length that runs over the
// record's <EOR> into the next record or past the end of the file, or that is more than four
// times what it covers up to the next field, is broken: the record is marked, and the next
// record is read from that <EOR> on.  Text between data specifiers is ignored.
//
// Encoding: UTF-8 (with or without byte-order mark), UTF-16 with a byte-order mark, and
// anything else that is not valid UTF-8 as Windows-1252.

#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <array>
#include <bitset>
#include <cstdint>

namespace vx::adif {

enum class TFileKind { Plain, LoTWReport, eQSLInbox };

// The domain of the eQSL service, as its inbox files name it in PROGRAMID.
inline constexpr const char* eQSLDomain = "eQSL.cc";

struct TADIFRecord {
    // Values of the 36 log tags (LogField numbers), each its first occurrence, trimmed.
    std::array<QString, 36> Values;
    std::bitset<36> Present;
    // "<APP_EQSL_SWL:1>Y": a listener's report.
    bool ListenerReport = false;
    // A length ran past the record's <EOR> or the end of the file, or a value was too long to
    // keep: the values cannot be trusted to be whole.
    bool Broken = false;
    void Clear();
};

class TADIFReader {
public:
    // Values longer than this are cut and their record marked broken: no real field is
    // anywhere near it, and a length of a gigabyte must not make us hold the rest of the file.
    static constexpr qsizetype MaxValueLength = 1 << 20;

    TADIFReader() = default;
    TADIFReader(const TADIFReader&) = delete;
    TADIFReader& operator=(const TADIFReader&) = delete;

    // Opens the file and reads its header.  False when it cannot be read (Error() says why).
    bool Open(const QString& path);
    QString Error() const { return FError; }

    // Whether the file has an <EOH>; without one it has no records.
    bool HeaderFound() const { return FHeaderFound; }
    TFileKind Kind() const { return FKind; }
    // The call of a "Received eQSLs for " header line; empty without one.
    QString OwnCall() const { return FOwnCall; }

    // The next record ended by <EOR>; false at the end of the file or on a read error.
    bool Next(TADIFRecord& record);
    // Data specifiers after the last <EOR>: a record cut off by the end of the file.  Known
    // once Next() returned false.
    bool TrailingData() const { return FTrailingData; }

private:
    enum class TEncoding { Utf8, Cp1252, Utf16 };
    struct TTag {
        qsizetype NameStart = 0;
        qsizetype NameLength = 0;
        bool HasLength = false;
        qint64 Length = 0;
        qsizetype End = 0; // index after the closing ">"
    };
    enum class TParse { Yes, No, NeedMore };

    bool Refill();
    TParse ParseSpec(qsizetype at, TTag& tag);
    // Index of the next "<" from `from` that begins a data specifier (refilling as needed), or
    // -1 at the end of the text; tag receives it.
    qsizetype NextTag(qsizetype from, TTag& tag);
    // The value of a specifier, taken by its length in characters; resume is where reading
    // goes on.  broken: the length cannot be right and the value not be trusted.
    QString TakeValue(const TTag& tag, qsizetype& resume, bool& broken);
    // Whether a value may end before index at: a blank or control character, a data
    // specifier, or the end of the file follows.
    bool CleanEnd(qsizetype at);
    // Drops the text before FPos (always with force, else only once enough has piled up);
    // returns how many characters went, so callers can move their indices.
    qsizetype Compact(bool force);
    // Header mode: keeps the text from FPos to upTo for the kind checks and lets it go.
    qsizetype KeepHeaderText(qsizetype upTo);
    int TagIndex(qsizetype start, qsizetype length) const;
    bool NameIs(const TTag& tag, const char* name) const;

    QFile FFile;
    QString FError;
    TEncoding FEncoding = TEncoding::Utf8;
    QStringDecoder FDecoder;
    QString FBuf;
    qsizetype FPos = 0;
    bool FEof = false;
    bool FInHeader = false;
    QString FHeaderText;
    bool FHeaderFound = false;
    TFileKind FKind = TFileKind::Plain;
    QString FOwnCall;
    bool FTrailingData = false;
};

} // namespace vx::adif
