#include "log/ADIFReader.h"

#include "core/RCTypes.h"
#include "log/LogLines.h"
#include "log/LogText.h"

#include <QLatin1String>
#include <QStringView>

namespace vx::adif {

namespace {

constexpr qint64 ChunkBytes = qint64(1) << 20;
// Header text kept for the kind checks; a header is a few lines.
constexpr qsizetype HeaderKeep = qsizetype(1) << 20;
// A data specifier is "<", a name, ":", digits, optionally ":" and a type, ">".
constexpr qsizetype MaxNameLength = 128;
constexpr int MaxDigits = 18;
constexpr int MaxTypeLength = 16;

bool IsNameChar(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Names of the 36 log tags without "<" and ":".
const std::array<QString, 36>& TagNames()
{
    static const std::array<QString, 36> names = [] {
        std::array<QString, 36> n;
        for (int k = 0; k < 36; ++k) {
            const QString t = QString::fromLatin1(ADIFFieldTags[k]);
            n[k] = t.mid(1, t.size() - 2);
        }
        return n;
    }();
    return names;
}

} // namespace

void TADIFRecord::Clear()
{
    for (QString& v : Values)
        v.clear();
    Present.reset();
    ListenerReport = false;
    Broken = false;
}

bool TADIFReader::Open(const QString& path)
{
    FFile.setFileName(path);
    if (!FFile.open(QIODevice::ReadOnly)) {
        FError = FFile.errorString();
        return false;
    }
    const QByteArray head = FFile.peek(4);
    qint64 start = 0;
    if (head.startsWith("\xEF\xBB\xBF")) {
        start = 3;
        FDecoder = QStringDecoder(QStringDecoder::Utf8);
    } else if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) {
        start = 2;
        FEncoding = TEncoding::Utf16;
        FDecoder = QStringDecoder(head.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    } else {
        // Windows-1252 unless the whole file is valid UTF-8: one quick pass before reading.
        QStringDecoder probe(QStringDecoder::Utf8);
        while (!FFile.atEnd()) {
            const QByteArray chunk = FFile.read(ChunkBytes);
            if (chunk.isEmpty())
                break;
            if (std::all_of(chunk.cbegin(), chunk.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
                continue;
            const QString ignored = probe.decode(chunk);
            Q_UNUSED(ignored)
            if (probe.hasError())
                break;
        }
        if (FFile.error() != QFileDevice::NoError) {
            FError = FFile.errorString();
            return false;
        }
        FEncoding = probe.hasError() ? TEncoding::Cp1252 : TEncoding::Utf8;
        FDecoder = QStringDecoder(QStringDecoder::Utf8);
    }
    if (!FFile.seek(start)) {
        FError = FFile.errorString();
        return false;
    }

    // Header: everything up to <EOH>, read specifier by specifier (PROGRAMID names the kind of
    // file).
    QStringList programIds;
    TTag tag;
    FInHeader = true;
    qsizetype scan = FPos;
    for (;;) {
        if (scan - FPos > HeaderKeep)
            scan -= KeepHeaderText(scan);
        const qsizetype lt = NextTag(scan, tag);
        if (lt < 0) {
            KeepHeaderText(FBuf.size());
            break;
        }
        if (!tag.HasLength) {
            if (NameIs(tag, "EOH")) {
                const qsizetype end = tag.End - KeepHeaderText(lt);
                FPos = end;
                FHeaderFound = true;
                break;
            }
            scan = tag.End;
            continue;
        }
        qsizetype resume = 0;
        bool broken = false;
        const QString value = TakeValue(tag, resume, broken);
        if (NameIs(tag, "PROGRAMID"))
            programIds << value;
        scan = resume;
    }
    FInHeader = false;
    if (!FError.isEmpty())
        return false;

    if (programIds.contains(QStringLiteral("LoTW"))) {
        FKind = TFileKind::LoTWReport;
    } else {
        for (const QString& id : std::as_const(programIds)) {
            if (id.contains(QLatin1String(eQSLDomain)))
                FKind = TFileKind::eQSLInbox;
        }
    }
    // "Received eQSLs for K1ABC": the call whose inbox this is.
    const QLatin1String received("Received eQSLs for ");
    const qsizetype at = FHeaderText.indexOf(received);
    if (at >= 0) {
        const QString rest = FHeaderText.mid(at + received.size());
        qsizetype end = 0;
        while (end < rest.size() && rest[end].unicode() > 0x20)
            ++end;
        FOwnCall = vx::logtext::UpperAscii(rest.left(end));
    }
    FHeaderText.clear();
    return true;
}

bool TADIFReader::Refill()
{
    if (FEof)
        return false;
    const QByteArray chunk = FFile.read(ChunkBytes);
    if (chunk.isEmpty()) {
        if (FFile.error() != QFileDevice::NoError)
            FError = FFile.errorString();
        FEof = true;
        return false;
    }
    if (FEncoding == TEncoding::Cp1252)
        FBuf += vx::loglines::DecodeCp1252(chunk);
    else
        FBuf += FDecoder.decode(chunk);
    return true;
}

qsizetype TADIFReader::Compact(bool force)
{
    if (FPos == 0 || (!force && FPos < FBuf.size() && FPos < ChunkBytes))
        return 0;
    const qsizetype removed = FPos;
    FBuf.remove(0, FPos);
    FPos = 0;
    return removed;
}

qsizetype TADIFReader::KeepHeaderText(qsizetype upTo)
{
    const qsizetype room = HeaderKeep - FHeaderText.size();
    if (room > 0)
        FHeaderText += QStringView(FBuf).mid(FPos, std::min(upTo - FPos, room));
    FPos = upTo;
    return Compact(true);
}

TADIFReader::TParse TADIFReader::ParseSpec(qsizetype at, TTag& tag)
{
    const QStringView buf(FBuf);
    const qsizetype n = buf.size();
    const TParse more = FEof ? TParse::No : TParse::NeedMore;
    qsizetype i = at + 1;
    tag.NameStart = i;
    while (i < n && i - tag.NameStart <= MaxNameLength && IsNameChar(buf[i].unicode()))
        ++i;
    if (i >= n)
        return more;
    tag.NameLength = i - tag.NameStart;
    if (tag.NameLength == 0 || tag.NameLength > MaxNameLength)
        return TParse::No;
    if (buf[i] == u'>') {
        tag.HasLength = false;
        tag.Length = 0;
        tag.End = i + 1;
        return TParse::Yes;
    }
    if (buf[i] != u':')
        return TParse::No;
    ++i;
    qint64 length = 0;
    int digits = 0;
    while (i < n && IsDigit(buf[i].unicode())) {
        // More digits than any length needs make no specifier; stopping here also keeps the
        // number within 64 bits.
        if (++digits > MaxDigits)
            return TParse::No;
        length = length * 10 + (buf[i].unicode() - u'0');
        ++i;
    }
    if (i >= n)
        return more;
    if (buf[i] == u':') {
        const qsizetype typeStart = ++i;
        while (i < n && i - typeStart <= MaxTypeLength && IsLetter(buf[i].unicode()))
            ++i;
        if (i >= n)
            return more;
    }
    if (buf[i] != u'>')
        return TParse::No;
    tag.HasLength = true;
    tag.Length = length;
    tag.End = i + 1;
    return TParse::Yes;
}

qsizetype TADIFReader::NextTag(qsizetype from, TTag& tag)
{
    for (;;) {
        const qsizetype lt = FBuf.indexOf(QLatin1Char('<'), from);
        if (lt < 0) {
            if (FEof || !FError.isEmpty())
                return -1;
            // Nothing here can start a specifier: let it go before reading on.
            if (FInHeader) {
                KeepHeaderText(FBuf.size());
            } else {
                FPos = FBuf.size();
                Compact(true);
            }
            from = FBuf.size();
            Refill();
            continue;
        }
        switch (ParseSpec(lt, tag)) {
        case TParse::Yes: return lt;
        case TParse::No: from = lt + 1; break;
        case TParse::NeedMore: Refill(); from = lt; break;
        }
    }
}

bool TADIFReader::CleanEnd(qsizetype at)
{
    for (;;) {
        if (at >= FBuf.size()) {
            if (!Refill())
                return FError.isEmpty();
            continue;
        }
        if (FBuf[at].unicode() <= 0x20)
            return true;
        if (FBuf[at] != u'<')
            return false;
        TTag next;
        const TParse p = ParseSpec(at, next);
        if (p != TParse::NeedMore)
            return p == TParse::Yes;
        Refill();
    }
}

QString TADIFReader::TakeValue(const TTag& tag, qsizetype& resume, bool& broken)
{
    const char* endName = FInHeader ? "EOH" : "EOR";
    qsizetype i = tag.End;
    qint64 taken = 0;
    // The first data specifier with a length inside the value, and the first <EOR> (<EOH> in
    // the header): where the value may have to end instead.
    qsizetype field = -1;
    qint64 takenAtField = 0;
    qsizetype end = -1;
    qsizetype endClose = 0;
    bool capped = false;
    while (taken < tag.Length) {
        if (i - tag.End >= MaxValueLength) {
            capped = true;
            break;
        }
        if (i >= FBuf.size()) {
            if (!Refill())
                break;
            continue;
        }
        const QChar c = FBuf[i];
        if (c == u'<' && (field < 0 || end < 0)) {
            TTag next;
            const TParse p = ParseSpec(i, next);
            if (p == TParse::NeedMore) {
                Refill();
                continue;
            }
            if (p == TParse::Yes) {
                if (next.HasLength && field < 0) {
                    field = i;
                    takenAtField = taken;
                } else if (!next.HasLength && end < 0 && NameIs(next, endName)) {
                    end = i;
                    endClose = next.End;
                }
            }
        }
        i += (c.isHighSurrogate() && i + 1 < FBuf.size() && FBuf[i + 1].isLowSurrogate()) ? 2 : 1;
        ++taken;
    }

    // Whole by its length when a blank, a line end, the next tag or the end of the file follows:
    // whatever looks like a tag inside is data then.  Otherwise the length was miscounted.
    qsizetype stop = i;
    broken = false;
    const bool complete = taken == tag.Length;
    if (complete && CleanEnd(i)) {
        // taken as it stands
    } else if (end >= 0 && (field < 0 || end < field)) {
        if (complete && field < 0 && endClose > i) {
            // One or two characters too many (CR LF counted for LF): the record ends here.
            stop = end;
        } else if (!complete || field >= 0) {
            // The length ran over the record's end: the record cannot be trusted, the next one
            // begins at that end.
            stop = end;
            broken = true;
        }
    } else if (field >= 0) {
        // The next field began inside: CR LF or UTF-8 bytes counted, which at most quadruples a
        // length.  Anything beyond that is no miscount but a broken length.
        stop = field;
        broken = tag.Length > 4 * takenAtField;
    } else if (capped) {
        broken = true;
    }
    resume = stop;
    return vx::logtext::TrimControl(FBuf.mid(tag.End, stop - tag.End));
}

bool TADIFReader::NameIs(const TTag& tag, const char* name) const
{
    return QStringView(FBuf).mid(tag.NameStart, tag.NameLength).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

int TADIFReader::TagIndex(qsizetype start, qsizetype length) const
{
    const QStringView name = QStringView(FBuf).mid(start, length);
    const auto& names = TagNames();
    for (int k = 0; k < 36; ++k) {
        if (names[k].size() == length && name.compare(names[k], Qt::CaseInsensitive) == 0)
            return k;
    }
    return -1;
}

bool TADIFReader::Next(TADIFRecord& record)
{
    record.Clear();
    if (!FHeaderFound || !FError.isEmpty())
        return false;
    bool any = false;
    TTag tag;
    for (;;) {
        Compact(false);
        const qsizetype lt = NextTag(FPos, tag);
        if (lt < 0) {
            FPos = FBuf.size();
            FTrailingData = any;
            return false;
        }
        if (!tag.HasLength) {
            FPos = tag.End;
            // An <EOR> with nothing before it is no record.
            if (any && NameIs(tag, "EOR"))
                return true;
            continue;
        }
        qsizetype resume = 0;
        bool broken = false;
        QString value = TakeValue(tag, resume, broken);
        FPos = resume;
        any = true;
        record.Broken = record.Broken || broken;
        const int k = TagIndex(tag.NameStart, tag.NameLength);
        if (k >= 0) {
            if (!record.Present[k]) {
                record.Values[k] = std::move(value);
                record.Present[k] = true;
            }
        } else if (NameIs(tag, "APP_EQSL_SWL") && value.startsWith(QLatin1Char('Y'), Qt::CaseInsensitive)) {
            record.ListenerReport = true;
        }
    }
}

} // namespace vx::adif
