#include "log/LogLines.h"
#include "platform/SaveFile.h"

#include "log/LogRecord.h"
#include "log/LogText.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <atomic>
#include <numeric>
#include <vector>

namespace vx::loglines {

namespace {

inline char16_t Fold(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

inline bool IsBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20;
}

QString Upper(const QString& s)
{
    return vx::logtext::UpperAscii(s);
}

} // namespace

// Windows-1252 characters 0x80 to 0x9F; the five unassigned codes keep their value.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeCp1252(QByteArrayView bytes)
{
    QString s(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(s.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? Cp1252High[b - 0x80] : char16_t(b);
    }
    return s;
}

int CompareLines(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t* pa = a.utf16();
    const char16_t* pb = b.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ca = Fold(pa[i]);
        const char16_t cb = Fold(pb[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool LinesEqual(QStringView a, QStringView b)
{
    return a.size() == b.size() && CompareLines(a, b) == 0;
}

bool StartsWithIgnoringCase(QStringView text, QStringView prefix)
{
    return text.size() >= prefix.size() && CompareLines(text.left(prefix.size()), prefix) == 0;
}

int SplitFields(QStringView line, std::array<QStringView, 36>& fields, int upTo)
{
    for (auto& f : fields)
        f = QStringView();
    const char16_t* p = line.utf16();
    const qsizetype size = line.size();
    qsizetype start = 0;
    const int last = std::min(upTo, 36);
    for (int k = 0; k < last; ++k) {
        if (k == 35) {
            fields[k] = line.mid(start);
            return 36;
        }
        qsizetype sep = start;
        while (sep < size && p[sep] != u';')
            ++sep;
        fields[k] = line.mid(start, sep - start);
        if (sep >= size)
            return k + 1;
        start = sep + 1;
    }
    return last;
}

QStringView TrimField(QStringView field)
{
    qsizetype b = 0;
    qsizetype e = field.size();
    while (b < e && IsBlankOrControl(field[b]))
        ++b;
    while (e > b && IsBlankOrControl(field[e - 1]))
        --e;
    return field.mid(b, e - b);
}

THeaderCheck CheckFileHeader(const QStringList& lines, const QString& currentHeader)
{
    if (lines.isEmpty())
        return THeaderCheck::Invalid;
    for (const QString& line : lines) {
        if (LinesEqual(line, currentHeader))
            return THeaderCheck::Current;
    }
    bool found = false;
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (!it->startsWith(QLatin1String(HeaderStart)))
            continue;
        found = true;
        if (it->contains(QLatin1String(CurrentHeaderMark)))
            return THeaderCheck::Current;
    }
    return found ? THeaderCheck::Previous : THeaderCheck::Invalid;
}

QString UpgradeLine(const QString& line)
{
    // The previous layout has 33 fields; its writer dropped an empty last field, so a line
    // may have fewer.  A line that already has more fields is read as it stands.
    constexpr int PreviousFieldCount = 33;
    std::array<QStringView, 36> fields;
    const int present = SplitFields(line, fields);
    QString upgraded = line;
    if (present <= PreviousFieldCount) {
        upgraded += QString(PreviousFieldCount - present, QLatin1Char(';'));
        upgraded += QLatin1String(";;N;N");
    }
    TLogRecord record;
    if (!record.ExplodeQSOLine(upgraded))
        return line;
    return record.QSOLine();
}

TDecodedText DecodeLogFile(const QByteArray& bytes)
{
    TDecodedText r;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        r.Text = QString::fromUtf8(QByteArrayView(bytes).sliced(3));
        return r;
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        r.Text = utf16.decode(QByteArrayView(bytes).sliced(2));
        r.NeedsRewrite = true;
        return r;
    }
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        r.Text = QString::fromLatin1(bytes);
        return r;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    r.Text = utf8.decode(bytes);
    if (!utf8.hasError())
        return r;
    r.Text = DecodeCp1252(bytes);
    r.NeedsRewrite = true;
    return r;
}

QStringList SplitTextLines(const QString& text)
{
    QStringList lines;
    lines.reserve(text.size() / 80 + 1);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        qsizetype stop = end;
        if (stop > start && text[stop - 1] == QLatin1Char('\r'))
            --stop;
        if (stop > start)
            lines.append(text.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

QByteArray EncodeLines(const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& l : lines)
        size += l.size() + 2;
    QByteArray bytes;
    bytes.reserve(size + size / 8);
    for (const QString& l : lines) {
        bytes += l.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

bool WriteTextFile(const QString& path, const QStringList& lines, QString& error)
{
    const QByteArray bytes = EncodeLines(lines);
    error = vx::SaveFileAtomically(path, bytes);
    return error.isEmpty();
}

QStringList SortUnique(const QStringList& lines)
{
    std::vector<int> order(lines.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&lines](int a, int b) { return CompareLines(lines[a], lines[b]) < 0; });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (int i : order) {
        if (!sorted.isEmpty() && LinesEqual(sorted.constLast(), lines[i]))
            continue;
        sorted.append(lines[i]);
    }
    return sorted;
}

QString MergeFields(const QString& original, const TLogRecord& before, const TLogRecord& after)
{
    std::array<QStringView, 36> fields;
    int count = SplitFields(original, fields);
    std::array<QString, 36> out;
    for (int k = 0; k < LogField::Count; ++k) {
        const QString now = after.FieldAsString(k);
        if (now != before.FieldAsString(k)) {
            out[k] = now;
            count = std::max(count, k + 1);
        } else {
            out[k] = fields[k].toString();
        }
    }
    QString line;
    for (int k = 0; k < count; ++k) {
        if (k > 0)
            line += QLatin1Char(';');
        line += out[k];
    }
    return line;
}

QStringList QSOLinesOf(QStringList lines, bool sorted, THeaderCheck header)
{
    if (!sorted)
        lines = SortUnique(lines);
    if (header == THeaderCheck::Current) {
        // One header line goes: the current one, else a bare first field, else the last line
        // that begins like a header.
        const auto find = [&lines](QStringView text) {
            const auto it = std::lower_bound(lines.cbegin(), lines.cend(), text,
                                             [](const QString& a, QStringView b) { return CompareLines(a, b) < 0; });
            return (it != lines.cend() && LinesEqual(*it, text)) ? int(it - lines.cbegin()) : -1;
        };
        int pos = find(TLogRecord::FileHeader());
        if (pos < 0)
            pos = find(QString::fromLatin1(HeaderStart));
        for (int i = int(lines.size()) - 1; pos < 0 && i >= 0; --i) {
            if (lines[i].startsWith(QLatin1String(HeaderStart)))
                pos = i;
        }
        if (pos >= 0)
            lines.removeAt(pos);
    }
    return lines;
}

TWorkedKeys WorkedKeysOfLine(QStringView line)
{
    std::array<QStringView, 36> f;
    SplitFields(line, f);
    const QStringView call = TrimField(f[LogField::Call]);
    if (call.isEmpty())
        return {};
    const QStringView band = TrimField(f[LogField::Band]);
    const QStringView mode = TrimField(f[LogField::Mode]);
    const QChar letter = StartsWithIgnoringCase(mode, u"CW")    ? QLatin1Char('C')
                         : StartsWithIgnoringCase(mode, u"SSB") ? QLatin1Char('S')
                                                                : QLatin1Char('D');
    QString key;
    key.reserve(call.size() + band.size() + 5);
    key += QLatin1Char(';');
    key += call;
    key += QLatin1Char(';');
    key += band;
    key += QLatin1Char(';');
    TWorkedKeys keys;
    keys.WithoutMode = Upper(key);
    keys.WithMode = keys.WithoutMode + letter + QLatin1Char(';');
    return keys;
}

QString WorkedKey(const QString& call, TBand band, TModeType modeType)
{
    QChar letter;
    switch (modeType) {
    case mtCW: letter = QLatin1Char('C'); break;
    case mtPhone: letter = QLatin1Char('S'); break;
    case mtDigital: letter = QLatin1Char('D'); break;
    case mtAll: return {};
    }
    return WorkedKey(call, band) + letter + QLatin1Char(';');
}

QString WorkedKey(const QString& call, TBand band)
{
    return Upper(QLatin1Char(';') + call.trimmed() + QLatin1Char(';') + QLatin1String(BandNames[band]) +
                 QLatin1Char(';'));
}

void TWorkedIndex::Clear()
{
    FWithMode.clear();
    FWithoutMode.clear();
}

void TWorkedIndex::AddLine(QStringView line)
{
    const TWorkedKeys keys = WorkedKeysOfLine(line);
    if (keys.WithMode.isEmpty())
        return;
    ++FWithMode[keys.WithMode];
    ++FWithoutMode[keys.WithoutMode];
}

void TWorkedIndex::RemoveLine(QStringView line)
{
    const TWorkedKeys keys = WorkedKeysOfLine(line);
    if (keys.WithMode.isEmpty())
        return;
    const auto drop = [](QHash<QString, int>& hash, const QString& key) {
        auto it = hash.find(key);
        if (it != hash.end() && --it.value() <= 0)
            hash.erase(it);
    };
    drop(FWithMode, keys.WithMode);
    drop(FWithoutMode, keys.WithoutMode);
}

namespace {
constexpr uint64_t CallTagValid = uint64_t(1) << 48;
constexpr int CallTagChars = 3;

uint64_t PackChars(QStringView text)
{
    uint64_t packed = 0;
    for (int k = 0; k < CallTagChars && k < text.size(); ++k)
        packed |= uint64_t(text[k].unicode()) << (16 * k);
    return packed;
}
} // namespace

uint64_t CallTag(const QString& line, const QString& myCall)
{
    const qsizetype at = myCall.size() + 16;
    if (myCall.isEmpty() || line.size() <= at + 1 || line[at] != QLatin1Char(';') ||
        line[myCall.size()] != QLatin1Char(';') || !line.startsWith(myCall))
        return 0;
    return CallTagValid | PackChars(QStringView(line).mid(at + 1));
}

bool CallTagMatches(uint64_t tag, const QString& typed)
{
    const qsizetype n = std::min<qsizetype>(typed.size(), CallTagChars);
    const uint64_t mask = CallTagValid | (n == 0 ? 0 : (~uint64_t(0) >> (64 - 16 * n)));
    return (tag & mask) == (CallTagValid | PackChars(QStringView(typed).left(n)));
}

// ---- TLogLineList ------------------------------------------------------------------------

int32_t TLogLineList::NewHandles(int count)
{
    // One counter for the whole program, so handles of a replaced list never come back.
    static std::atomic<int32_t> next{1};
    return next.fetch_add(count);
}

int TLogLineList::LowerBound(QStringView text) const
{
    const auto it = std::lower_bound(FLines.cbegin(), FLines.cend(), text,
                                     [](const QString& a, QStringView b) { return CompareLines(a, b) < 0; });
    return int(it - FLines.cbegin());
}

int TLogLineList::Find(QStringView text) const
{
    const int pos = LowerBound(text);
    return (pos < Count() && LinesEqual(FLines[pos], text)) ? pos : -1;
}

std::pair<int, int> TLogLineList::PrefixRange(QStringView prefix) const
{
    const int first = LowerBound(prefix);
    const auto it = std::partition_point(FLines.cbegin() + first, FLines.cend(),
                                         [prefix](const QString& l) { return StartsWithIgnoringCase(l, prefix); });
    return {first, int(it - FLines.cbegin())};
}

int32_t TLogLineList::Insert(const QString& line)
{
    const int pos = LowerBound(line);
    if (pos < Count() && LinesEqual(FLines[pos], line))
        return -1;
    const int32_t handle = NewHandles(1);
    FLines.insert(pos, line);
    FHandles.insert(pos, handle);
    FTags.insert(pos, FTagOf ? FTagOf(line) : 0);
    FLineOfHandle.insert(handle, line);
    return handle;
}

void TLogLineList::RemoveAt(int pos)
{
    FLineOfHandle.remove(FHandles[pos]);
    FLines.removeAt(pos);
    FHandles.removeAt(pos);
    FTags.removeAt(pos);
}

int TLogLineList::ReplaceAt(int pos, const QString& line)
{
    const int32_t handle = FHandles[pos];
    // Most edits (a QSL flag, a comment) leave the line between its neighbours: replacing it
    // in place keeps queueing every row of a big log from moving the whole list per QSO.
    if ((pos == 0 || CompareLines(FLines[pos - 1], line) < 0) &&
        (pos + 1 == Count() || CompareLines(line, FLines[pos + 1]) < 0)) {
        FLines[pos] = line;
        FTags[pos] = FTagOf ? FTagOf(line) : 0;
        FLineOfHandle.insert(handle, line);
        return pos;
    }
    FLines.removeAt(pos);
    FHandles.removeAt(pos);
    FTags.removeAt(pos);
    const int to = LowerBound(line);
    if (to < Count() && LinesEqual(FLines[to], line)) {
        FLineOfHandle.remove(handle);
        return -1;
    }
    FLines.insert(to, line);
    FHandles.insert(to, handle);
    FTags.insert(to, FTagOf ? FTagOf(line) : 0);
    FLineOfHandle.insert(handle, line);
    return to;
}

void TLogLineList::Assign(QStringList sortedLines)
{
    FLines = std::move(sortedLines);
    const int n = Count();
    const int32_t base = NewHandles(n);
    FHandles.resize(n);
    FLineOfHandle.clear();
    FLineOfHandle.reserve(n);
    for (int i = 0; i < n; ++i) {
        FHandles[i] = base + i;
        FLineOfHandle.insert(base + i, FLines[i]);
    }
    Retag();
}

void TLogLineList::SetTagFunction(std::function<uint64_t(const QString&)> tagOf)
{
    FTagOf = std::move(tagOf);
    Retag();
}

void TLogLineList::Retag()
{
    FTags.resize(FLines.size());
    for (qsizetype i = 0; i < FLines.size(); ++i)
        FTags[i] = FTagOf ? FTagOf(FLines[i]) : 0;
}

void TLogLineList::Clear()
{
    FLines.clear();
    FHandles.clear();
    FTags.clear();
    FLineOfHandle.clear();
}

} // namespace vx::loglines
