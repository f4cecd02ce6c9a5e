#include "core/DataFiles.h"
#include "platform/SaveFile.h"

#include "core/RCUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

const QString FolderName = QStringLiteral("Vornix");

// Windows-1252 code points of the bytes 0x80..0x9F (the rest equals Latin-1).
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

std::string ToUpper(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = UpperAscii(c);
    return r;
}

// Lines of a text, without their CR LF / LF ends; a final line end adds no empty line.
std::vector<std::string_view> SplitLines(const QByteArray& text)
{
    std::vector<std::string_view> lines;
    std::string_view all(text.constData(), size_t(text.size()));
    while (!all.empty()) {
        const size_t nl = all.find('\n');
        std::string_view line = all.substr(0, nl);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos)
            break;
        all.remove_prefix(nl + 1);
    }
    return lines;
}

// Sort order of the output files: ASCII letters compared without regard to case.
bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = UpperAscii(a[i]);
        const char y = UpperAscii(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    }
    return true;
}

// Sorted ascending without regard to case; of lines equal but for case the first added stays.
void SortAndDropDuplicates(std::vector<std::string>& lines)
{
    std::stable_sort(lines.begin(), lines.end(), LessIgnoringCase);
    lines.erase(std::unique(lines.begin(), lines.end(), EqualIgnoringCase), lines.end());
}

struct TOutputFile {
    QString Path;
    const std::vector<std::string>* Lines;
};

// All files are prepared completely before the first one replaces its predecessor, so a
// failure leaves every old file as it was.
bool WriteFiles(const std::vector<TOutputFile>& files)
{
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const auto& f : files) {
        auto save = std::make_unique<QSaveFile>(f.Path);
        if (!vx::OpenForAtomicWrite(*save))
            return false;
        QByteArray data;
        size_t size = 0;
        for (const auto& line : *f.Lines)
            size += line.size() + 2;
        data.reserve(qsizetype(size));
        for (const auto& line : *f.Lines) {
            data.append(line.data(), qsizetype(line.size()));
            data.append("\r\n", 2);
        }
        if (!vx::WriteAll(*save, data))
            return false;
        saves.push_back(std::move(save));
    }
    for (auto& save : saves) {
        if (!save->commit())
            return false;
    }
    return true;
}

// Whole decimal number without sign, as the entity numbers of dxccentity.dat are written.
bool IsEntityNumber(std::string_view s)
{
    if (s.empty() || s.size() > 9)
        return false;
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The asterisk entities of cty.dat are not DXCC entities: they count for the entity they
// belong to.
std::string_view LookupKey(std::string_view primary)
{
    static const std::pair<std::string_view, std::string_view> keys[] = {
        {"*4U1V", "OE"}, {"*GM/S", "GM"}, {"*IG9", "I"}, {"*IT9", "I"}, {"*JW/B", "JW"}, {"*TA1", "TA"},
    };
    for (const auto& [from, to] : keys) {
        if (primary == from)
            return to;
    }
    return primary;
}

// A header line of cty.dat: "Germany:  14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:".
struct THeader {
    std::string_view Name;
    std::string Fields; // "14:28:EU:51.00:-10.00:-1.0:"
    std::string Primary;
};

bool IsHeaderLine(std::string_view line)
{
    // Comment lines never name an entity, whatever they hold.
    if (line.empty() || IsBlank(line.front()) || line.front() == '#')
        return false;
    const size_t colon = line.find(':');
    return colon != std::string_view::npos && colon >= 1;
}

std::optional<THeader> ParseHeader(std::string_view line)
{
    const size_t colon = line.find(':');
    THeader h;
    h.Name = line.substr(0, colon);
    const std::string_view rest = Trim(line.substr(colon + 1));
    const size_t blank = rest.find_last_of(" \t");
    if (blank == std::string_view::npos)
        return std::nullopt;
    const std::string_view word = rest.substr(blank + 1);
    if (word.size() < 2 || word.back() != ':')
        return std::nullopt;
    h.Primary = ToUpper(word.substr(0, word.size() - 1));
    int fields = 0;
    bool fieldEmpty = true;
    for (char c : rest.substr(0, blank)) {
        if (IsBlank(c))
            continue;
        h.Fields.push_back(c);
        if (c == ':') {
            if (fieldEmpty)
                return std::nullopt;
            ++fields;
            fieldEmpty = true;
        } else {
            fieldEmpty = false;
        }
    }
    // CQ zone, ITU zone, continent, latitude, longitude and UTC offset, each ended by ":".
    if (fields != 6 || !fieldEmpty)
        return std::nullopt;
    return h;
}

// Text between the first `open` and the following `close` of s; empty when there is none.
std::string_view Bracketed(std::string_view s, char open, char close)
{
    const size_t a = s.find(open);
    if (a == std::string_view::npos)
        return {};
    const size_t b = s.find(close, a + 1);
    if (b == std::string_view::npos)
        return {};
    return s.substr(a + 1, b - a - 1);
}

// "DL1XXX(14)[28]" under DL gives "DL1XXX=DL(14)[28]". Only the zone overrides are carried;
// other overrides of the format (continent, time offset) would otherwise spoil the entity prefix.
std::optional<std::string> ItemLine(std::string_view item, const std::string& primary)
{
    const size_t cut = item.find_first_of("([{~");
    const std::string_view name = Trim(item.substr(0, cut));
    if (name.empty())
        return std::nullopt;
    std::string line;
    line.reserve(name.size() + primary.size() + 12);
    line.append(name).append(1, '=').append(primary);
    if (cut != std::string_view::npos) {
        const std::string_view overrides = item.substr(cut);
        const std::string_view cq = Bracketed(overrides, '(', ')');
        const std::string_view itu = Bracketed(overrides, '[', ']');
        if (!cq.empty())
            line.append(1, '(').append(cq).append(1, ')');
        if (!itu.empty())
            line.append(1, '[').append(itu).append(1, ']');
    }
    return line;
}

std::string TwoDigitZone(std::string_view zone)
{
    std::string z(Trim(zone));
    if (z.size() == 1)
        z.insert(z.begin(), '0');
    return z;
}

QString DecodeCp1252(const QByteArray& bytes)
{
    QString s(bytes.size(), Qt::Uninitialized);
    QChar* out = s.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return s;
}

bool CopyFile(const QString& from, const QString& to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    return vx::SaveFileAtomically(to, data).isEmpty();
}

} // namespace

QString GetCommonDataFileName(const QString& fileName)
{
    return GetSpecialFolderPath(TSpecialFolder::CommonAppData) + u'/' + FolderName + u'/' + fileName;
}

QString GetUserDataFileName(const QString& fileName)
{
    return GetSpecialFolderPath(TSpecialFolder::AppData) + u'/' + FolderName + u'/' + fileName;
}

std::optional<QByteArray> ReadTextFileAsUtf8(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    if (auto converted = Windows1252AsUtf8(bytes))
        return converted;
    return bytes;
}

std::optional<QByteArray> Windows1252AsUtf8(const QByteArray& bytes)
{
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    Q_UNUSED(decoded)
    if (!utf8.hasError())
        return std::nullopt;
    return DecodeCp1252(bytes).toUtf8();
}

QString BackupFileName(const QString& path)
{
    QString name = path + QLatin1String(".bak");
    for (int n = 1; QFileInfo::exists(name); ++n)
        name = path + QLatin1String(".bak.") + QString::number(n);
    return name;
}

TVornixDataFiles::TVornixDataFiles(bool serverProgram)
    : FServerProgram(serverProgram)
{
}

TDataFileResult TVornixDataFiles::CreateDataFiles() const
{
    const QString ctyPath = GetCommonDataFileName(QStringLiteral("cty.dat"));
    const QString dxccPath = GetCommonDataFileName(QStringLiteral("dxccentity.dat"));
    if (!QFileInfo::exists(ctyPath) || !QFileInfo::exists(dxccPath))
        return TDataFileResult::InputMissing;
    const auto dxccText = ReadTextFileAsUtf8(dxccPath);
    const auto ctyText = ReadTextFileAsUtf8(ctyPath);
    if (!dxccText || !ctyText)
        return TDataFileResult::ReadFailed;

    // Entity list: prefix (upper case) -> (entity number text, line number); the first line wins.
    std::unordered_map<std::string, std::pair<std::string_view, int>> entities;
    const auto dxccLines = SplitLines(*dxccText);
    for (size_t i = 0; i < dxccLines.size(); ++i) {
        const std::string_view line = dxccLines[i];
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view value = line.substr(eq + 1);
        const size_t semicolon = value.find(';');
        const std::string_view number =
            semicolon == std::string_view::npos ? std::string_view{} : Trim(value.substr(semicolon + 1));
        entities.emplace(ToUpper(line.substr(0, eq)), std::make_pair(number, int(i)));
    }

    std::vector<std::string> countries, prefixes, calls;
    prefixes.reserve(8192);
    calls.reserve(24576);
    std::string primary; // empty after a header that could not be read: its items are skipped
    const auto ctyLines = SplitLines(*ctyText);
    for (size_t i = 0; i < ctyLines.size(); ++i) {
        const std::string_view line = ctyLines[i];
        if (i == 0) {
            // An error page or settings file saved under the name of the country file.
            const size_t eq = line.find('=');
            if (eq != std::string_view::npos && eq >= 1 && eq <= 8)
                return TDataFileResult::NotCountryFile;
        }
        if (line.empty() || line.starts_with("# ADIF "))
            continue;
        if (IsHeaderLine(line)) {
            const auto header = ParseHeader(line);
            if (!header) {
                primary.clear();
                continue;
            }
            primary = header->Primary;
            const auto entity = entities.find(std::string(LookupKey(primary)));
            if (entity == entities.end())
                continue;
            const auto& [number, index] = entity->second;
            // A bad entity number costs this entity its country line, nothing else.
            if (!IsEntityNumber(number))
                continue;
            std::string country;
            country.append(primary).append(1, '=').append(header->Name).append(1, ':');
            country.append(header->Fields).append(number).append(1, ':');
            country.append(std::to_string(index)).append(1, ':');
            countries.push_back(std::move(country));
            prefixes.push_back(primary + '=' + primary);
        } else if (IsBlank(line.front())) {
            if (primary.empty())
                continue;
            std::string_view rest = Trim(line);
            // Only items ended by "," or ";" count: a cut-off last item of a truncated file is
            // left out rather than stored shortened.
            for (;;) {
                const size_t sep = rest.find_first_of(",;");
                if (sep == std::string_view::npos)
                    break;
                std::string_view item = Trim(rest.substr(0, sep));
                rest = Trim(rest.substr(sep + 1));
                item = item.substr(0, item.find('<'));
                if (item.empty())
                    continue;
                if (item.front() == '=') {
                    item.remove_prefix(1);
                    if (!FServerProgram && item.starts_with("VER"))
                        continue;
                    if (auto l = ItemLine(item, primary))
                        calls.push_back(std::move(*l));
                } else if (auto l = ItemLine(item, primary)) {
                    prefixes.push_back(std::move(*l));
                }
            }
        }
    }

    SortAndDropDuplicates(countries);
    SortAndDropDuplicates(prefixes);
    SortAndDropDuplicates(calls);
    const bool ok = WriteFiles({{GetCommonDataFileName(QStringLiteral("country.dat")), &countries},
                                {GetCommonDataFileName(QStringLiteral("prefix.dat")), &prefixes},
                                {GetCommonDataFileName(QStringLiteral("call.dat")), &calls}});
    return ok ? TDataFileResult::Written : TDataFileResult::WriteFailed;
}

TDataFileResult TVornixDataFiles::CreateCallAreaFile() const
{
    const QString inPath = GetCommonDataFileName(QStringLiteral("cty_wt_mod.dat"));
    if (!QFileInfo::exists(inPath))
        return TDataFileResult::InputMissing;
    const auto text = ReadTextFileAsUtf8(inPath);
    if (!text)
        return TDataFileResult::ReadFailed;

    std::vector<std::string> areas;
    std::string entityPrefix;
    std::string area;
    std::string cleaned;
    for (const std::string_view line : SplitLines(*text)) {
        if (line.empty() || line.starts_with("# ADIF "))
            continue;
        if (IsHeaderLine(line)) {
            const std::string_view header = Trim(line);
            const size_t blank = header.find_last_of(" \t");
            if (blank != std::string_view::npos) {
                const std::string_view word = header.substr(blank + 1);
                entityPrefix = ToUpper(word.substr(0, word.size() - 1));
            }
        } else if (line.starts_with("# ")) {
            area = std::string(Trim(line.substr(2)));
        } else if (line.find('<') != std::string_view::npos) {
            // Time-zone overrides "~-5.0~" are not kept.
            cleaned.clear();
            const std::string_view trimmed = Trim(line);
            for (size_t p = 0; p < trimmed.size();) {
                if (trimmed[p] == '~') {
                    const size_t end = trimmed.find('~', p + 1);
                    if (end == std::string_view::npos)
                        break;
                    p = end + 1;
                } else {
                    cleaned.push_back(trimmed[p++]);
                }
            }
            // Zones carry over to the following items of the same line that give none.
            std::string cq, itu;
            std::string_view rest = cleaned;
            while (!rest.empty()) {
                const size_t sep = rest.find_first_of(",;");
                std::string_view item = Trim(rest.substr(0, sep));
                rest = sep == std::string_view::npos ? std::string_view{} : rest.substr(sep + 1);
                if (!item.empty() && item.front() == '=')
                    item.remove_prefix(1);
                // Zones are taken from the item itself, never from a later one.
                const size_t lt = item.find('<');
                const std::string_view overrides = item.substr(0, lt);
                if (const auto z = Bracketed(overrides, '(', ')'); !z.empty())
                    cq = TwoDigitZone(z);
                if (const auto z = Bracketed(overrides, '[', ']'); !z.empty())
                    itu = TwoDigitZone(z);
                // An item without a position gives no line (and never runs into the next one).
                if (lt == std::string_view::npos || entityPrefix.empty())
                    continue;
                const std::string_view position = Bracketed(item.substr(lt), '<', '>');
                const size_t slash = position.find('/');
                const std::string_view call = Trim(item.substr(0, item.find_first_of("([{<")));
                if (slash == std::string_view::npos || call.empty())
                    continue;
                std::string out;
                out.append(call).append(1, '=').append(entityPrefix).append(1, ';');
                out.append(area).append(1, ';').append(cq).append(1, ';').append(itu).append(1, ';');
                out.append(Trim(position.substr(0, slash))).append(1, ';');
                out.append(Trim(position.substr(slash + 1))).append(1, ';');
                areas.push_back(std::move(out));
            }
        }
    }

    SortAndDropDuplicates(areas);
    const bool ok = WriteFiles({{GetCommonDataFileName(QStringLiteral("callarea.dat")), &areas}});
    return ok ? TDataFileResult::Written : TDataFileResult::WriteFailed;
}

QString ShippedDataFolder()
{
    return QStringLiteral(":/vornix/data");
}

bool InstallDataFiles(const QString& shippedFolder, const QString& systemCtyDat)
{
    const QString folder = GetCommonDataFileName(QString());
    if (!QDir().mkpath(folder))
        return false;
    bool ok = true;
    const QDir shipped(shippedFolder);
    for (const QString& name : shipped.entryList(QDir::Files, QDir::Name)) {
        const QString target = folder + name;
        if (!QFileInfo::exists(target))
            ok = CopyFile(shipped.filePath(name), target) && ok;
    }
    const QString cty = folder + QStringLiteral("cty.dat");
    if (!QFileInfo::exists(cty) && QFileInfo::exists(systemCtyDat))
        ok = CopyFile(systemCtyDat, cty) && ok;
    return ok;
}
