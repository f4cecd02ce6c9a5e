#include "dx/DXCallParser.h"

#include "core/DataFiles.h"
#include "dx/DXSpotTypes.h"

#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr float DegToRad = 0.017453292f;
constexpr float RadToDeg = 57.29578f;
constexpr float Pi = 3.1415927f;
constexpr float TwoPi = 2 * Pi;
constexpr float EarthRadiusKm = 6367.0f;

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

std::vector<std::string_view> Split(std::string_view s, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t p = s.find(separator);
        parts.push_back(s.substr(0, p));
        if (p == std::string_view::npos)
            break;
        s.remove_prefix(p + 1);
    }
    return parts;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// A decimal with "." in every locale; anything else (or not finite) is no number.
std::optional<double> ToNumber(std::string_view s)
{
    s = Trim(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

int32_t ToInteger(std::string_view s)
{
    s = Trim(s);
    int32_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return 0;
    return v;
}

QString ToQString(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::string TwoDigitZone(std::string_view zone)
{
    std::string z(zone);
    if (z.size() == 1)
        z.insert(z.begin(), '0');
    return z;
}

// Text between the first `open` and the following `close`; empty when there is none.
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

std::optional<TContinent> ContinentField(std::string_view s)
{
    if (s.empty())
        return std::nullopt;
    if (s[0] == 'A') {
        if (s.size() < 2)
            return std::nullopt;
        switch (s[1]) {
        case 'F': return coAF;
        case 'N': return coAN;
        case 'S': return coAS;
        default: return std::nullopt;
        }
    }
    switch (s[0]) {
    case 'E': return coEU;
    case 'N': return coNA;
    case 'O': return coOC;
    case 'S': return coSA;
    default: return std::nullopt;
    }
}

float ToRadians(float degrees)
{
    const float r = degrees * DegToRad;
    // No coordinate is ever exactly zero, which keeps the bearing formula defined.
    return r == 0 ? 1E-8f : r;
}

float ToDegrees(float radians)
{
    return radians * RadToDeg;
}

// Rounds halves to even and keeps the result inside the target type.
template <typename T>
T RoundTo(double v)
{
    if (!std::isfinite(v))
        return 0;
    v = std::clamp(std::nearbyint(v), double(std::numeric_limits<T>::min()), double(std::numeric_limits<T>::max()));
    return T(v);
}

// Name lookup of the four lists: open addressing over one flat slot array, with every name
// in one character buffer, because each spot costs a dozen lookups of short names.
template <typename T>
class TNameTable {
public:
    bool empty() const { return FValues.empty(); }

    void reserve(size_t count, size_t keyBytes)
    {
        size_t slotCount = 16;
        while (slotCount < count + count / 2)
            slotCount *= 2;
        FSlots.assign(slotCount, TSlot{});
        FValues.reserve(count);
        FKeys.reserve(keyBytes);
    }

    // Adds the entry unless the name (compared in upper case) is there already: the first wins.
    template <typename Make>
    void insert(std::string_view name, Make make)
    {
        if ((FValues.size() + 1) * 4 > FSlots.size() * 3)
            Grow();
        const size_t start = FKeys.size();
        for (char c : name)
            FKeys.push_back(UpperAscii(c));
        const std::string_view key(FKeys.data() + start, name.size());
        const uint32_t hash = Hash(key);
        size_t i = hash & (FSlots.size() - 1);
        for (; FSlots[i].Value >= 0; i = (i + 1) & (FSlots.size() - 1)) {
            if (FSlots[i].Hash == hash && Key(FSlots[i]) == key) {
                FKeys.resize(start);
                return;
            }
        }
        FSlots[i] = TSlot{hash, uint32_t(start), uint32_t(name.size()), int32_t(FValues.size())};
        FValues.push_back(make());
        FMaxLength = std::max(FMaxLength, name.size());
    }

    // Index of the entry of `name` (which must be in upper case), or -1.
    int32_t indexOf(std::string_view name) const
    {
        if (FValues.empty() || name.size() > FMaxLength)
            return -1;
        const uint32_t hash = Hash(name);
        for (size_t i = hash & (FSlots.size() - 1); FSlots[i].Value >= 0; i = (i + 1) & (FSlots.size() - 1)) {
            if (FSlots[i].Hash == hash && Key(FSlots[i]) == name)
                return FSlots[i].Value;
        }
        return -1;
    }

    const T* find(std::string_view name) const
    {
        const int32_t i = indexOf(name);
        return i < 0 ? nullptr : &FValues[size_t(i)];
    }

    const T* at(int32_t index) const { return index < 0 ? nullptr : &FValues[size_t(index)]; }
    std::vector<T>& Values() { return FValues; }

private:
    struct TSlot {
        uint32_t Hash = 0;
        uint32_t Offset = 0;
        uint32_t Length = 0;
        int32_t Value = -1;
    };

    static uint32_t Hash(std::string_view s)
    {
        uint32_t h = 2166136261u; // FNV-1a
        for (char c : s)
            h = (h ^ uint8_t(c)) * 16777619u;
        return h ^ (h >> 15);
    }

    std::string_view Key(const TSlot& slot) const { return {FKeys.data() + slot.Offset, slot.Length}; }

    void Grow()
    {
        std::vector<TSlot> old = std::move(FSlots);
        FSlots.assign(std::max<size_t>(16, old.size() * 2), TSlot{});
        for (const TSlot& slot : old) {
            if (slot.Value < 0)
                continue;
            size_t i = slot.Hash & (FSlots.size() - 1);
            while (FSlots[i].Value >= 0)
                i = (i + 1) & (FSlots.size() - 1);
            FSlots[i] = slot;
        }
    }

    std::vector<TSlot> FSlots;
    std::vector<T> FValues;
    std::string FKeys;
    size_t FMaxLength = 0;
};

// Texts that thousands of lines share (entity prefixes, zones, regions) are held once and
// referred to by number; number 0 is the empty text.
class TTextPool {
public:
    TTextPool() { Add({}); }

    uint32_t Add(std::string_view s)
    {
        const auto it = FIndex.find(s);
        if (it != FIndex.end())
            return it->second;
        FKeys.emplace_back(s);
        FTexts.push_back(ToQString(s));
        return FIndex.emplace(FKeys.back(), uint32_t(FTexts.size() - 1)).first->second;
    }

    const QString& Text(uint32_t i) const { return FTexts[i]; }
    std::string_view Key(uint32_t i) const { return FKeys[i]; }

private:
    struct THash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };
    std::deque<std::string> FKeys; // stable addresses for the index's keys
    std::vector<QString> FTexts;
    std::unordered_map<std::string_view, uint32_t, THash, std::equal_to<>> FIndex;
};

// Loads a name=value file; of repeated names (compared without regard to case) the first
// line wins. False (and the table untouched) when the file is missing or unreadable.
template <typename T, typename Parse>
bool LoadList(const QString& fileName, TNameTable<T>& table, Parse parse)
{
    const QString path = GetCommonDataFileName(fileName);
    if (!QFileInfo::exists(path))
        return false;
    const auto text = ReadTextFileAsUtf8(path);
    if (!text)
        return false;
    TNameTable<T> loaded;
    loaded.reserve(size_t(text->count('\n')) + 1, size_t(text->size()) / 2);
    std::string_view all(text->constData(), size_t(text->size()));
    while (!all.empty()) {
        const size_t nl = all.find('\n');
        std::string_view line = all.substr(0, nl);
        all = nl == std::string_view::npos ? std::string_view{} : all.substr(nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0)
            continue;
        loaded.insert(line.substr(0, eq), [&] { return parse(line.substr(eq + 1)); });
    }
    table = std::move(loaded);
    return true;
}

} // namespace

struct TDXCallParser::TTables {
    struct TCountry {
        QString Name; // "&" doubled, so that a label shows it
        QString CQZone;
        QString ITUZone;
        std::optional<TContinent> Cont;
        std::optional<double> Latitude;
        std::optional<double> Longitude;
        std::optional<double> UTCDiff;
        int32_t ADIFCode = 0;
        int32_t DXCCItemIndex = 0;
    };
    // A line of prefix.dat or call.dat: the entity's primary prefix and zone overrides, as
    // numbers of pooled texts.
    struct TPrefix {
        uint32_t Primary = 0;
        uint32_t CQZone = 0;
        uint32_t ITUZone = 0;
        int32_t Link = -1; // prefix.dat: its country line; call.dat: the prefix.dat line of Primary
    };
    struct TArea {
        uint32_t Primary = 0;
        uint32_t Region = 0;
        uint32_t CQZone = 0;
        uint32_t ITUZone = 0;
        double Latitude = NAN; // NaN: the field is no number
        double Longitude = NAN;
    };

    TTextPool Texts;
    TNameTable<TCountry> Countries;
    TNameTable<TPrefix> Prefixes;
    TNameTable<TPrefix> Calls;
    TNameTable<TArea> Areas;

    const QString& Text(uint32_t i) const { return Texts.Text(i); }

    static TCountry ParseCountry(std::string_view value)
    {
        const auto f = Split(value, ':');
        auto field = [&f](size_t i) { return i < f.size() ? f[i] : std::string_view{}; };
        TCountry c;
        c.Name = ToQString(field(0)).replace(u'&', QStringLiteral("&&"));
        c.CQZone = ToQString(field(1));
        c.ITUZone = ToQString(field(2));
        c.Cont = ContinentField(field(3));
        c.Latitude = ToNumber(field(4));
        c.Longitude = ToNumber(field(5));
        c.UTCDiff = ToNumber(field(6));
        c.ADIFCode = ToInteger(field(7));
        c.DXCCItemIndex = ToInteger(field(8));
        return c;
    }

    TPrefix ParsePrefix(std::string_view value)
    {
        TPrefix p;
        p.Primary = Texts.Add(ToUpper(Trim(value.substr(0, value.find_first_of("([")))));
        if (const auto z = Bracketed(value, '(', ')'); !z.empty())
            p.CQZone = Texts.Add(TwoDigitZone(z));
        if (const auto z = Bracketed(value, '[', ']'); !z.empty())
            p.ITUZone = Texts.Add(TwoDigitZone(z));
        return p;
    }

    TArea ParseArea(std::string_view value)
    {
        const auto f = Split(value, ';');
        auto field = [&f](size_t i) { return i < f.size() ? f[i] : std::string_view{}; };
        TArea a;
        a.Primary = Texts.Add(ToUpper(Trim(field(0))));
        a.Region = Texts.Add(field(1));
        a.CQZone = Texts.Add(field(2));
        a.ITUZone = Texts.Add(field(3));
        a.Latitude = ToNumber(field(4)).value_or(NAN);
        a.Longitude = ToNumber(field(5)).value_or(NAN);
        return a;
    }

    // Lists are replaced one by one, so the links between them are drawn again after each load.
    void Link()
    {
        for (auto& p : Prefixes.Values())
            p.Link = Countries.indexOf(Texts.Key(p.Primary));
        for (auto& c : Calls.Values())
            c.Link = Prefixes.indexOf(Texts.Key(c.Primary));
    }
};

std::optional<TLatLon> LocatorToLatLon(const QString& locator)
{
    QString l = locator.trimmed().toUpper();
    // Extended squares ("JO62QM12") add nothing at this scale: only six characters count.
    if (l.size() > 6)
        l.truncate(6);
    if (l.size() != 4 && l.size() != 6)
        return std::nullopt;
    auto in = [&l](int i, char first, char last) { return l[i] >= QLatin1Char(first) && l[i] <= QLatin1Char(last); };
    if (!in(0, 'A', 'R') || !in(1, 'A', 'R') || !in(2, '0', '9') || !in(3, '0', '9'))
        return std::nullopt;
    if (l.size() == 6 && (!in(4, 'A', 'X') || !in(5, 'A', 'X')))
        return std::nullopt;
    auto v = [&l](int i, char base) { return double(l[i].unicode() - base); };
    const double c5 = l.size() == 6 ? v(4, 'A') : 11; // "LL": the middle of the square
    const double c6 = l.size() == 6 ? v(5, 'A') : 11;
    TLatLon r;
    r.Longitude = float(179.99583333 - (v(0, 'A') * 20 + v(2, '0') * 2 + c5 * 0.0833333));
    r.Latitude = float(v(1, 'A') * 10 + v(3, '0') + c6 * 0.0416667 - 89.99791667);
    return r;
}

namespace {
TGreatCircle LongPathOf(TGreatCircle g)
{
    g.Distance = TwoPi - g.Distance;
    g.Bearing = g.Bearing + Pi;
    if (g.Bearing > TwoPi)
        g.Bearing -= TwoPi;
    return g;
}
} // namespace

TGreatCircle GreatCircle(float lat1, float lon1, float lat2, float lon2, bool longPath)
{
    // Rounding can carry the cosine a hair past +-1, where acos has no value.
    const double cosd = std::clamp(std::sin(double(lat1)) * std::sin(double(lat2))
                                       + std::cos(double(lat1)) * std::cos(double(lat2)) * std::cos(double(lon2) - lon1),
                                   -1.0, 1.0);
    TGreatCircle g;
    g.Distance = float(std::acos(cosd));
    const double denominator = std::cos(double(lat1)) * std::sin(double(g.Distance));
    if (g.Distance == 0 || denominator == 0) {
        g.Bearing = 0; // same place or antipode: every direction is as good as north
    } else {
        const double x = (std::sin(double(lat2)) - std::sin(double(lat1)) * cosd) / denominator;
        if (x >= 1)
            g.Bearing = 0;
        else if (x <= -1)
            g.Bearing = Pi;
        else
            g.Bearing = float(std::acos(x));
    }
    if (std::sin(double(lon1) - lon2) < 0)
        g.Bearing = TwoPi - g.Bearing;
    return longPath ? LongPathOf(g) : g;
}

TDXCallParser::TDXCallParser()
    : FTables(std::make_unique<TTables>())
{
}

TDXCallParser::~TDXCallParser() = default;

void TDXCallParser::SetMyLocator(const QString& value)
{
    FMyLocator = value;
    const auto position = LocatorToLatLon(value);
    FMyLatitude = position ? position->Latitude : 0;
    FMyLongitude = position ? position->Longitude : 0;
}

void TDXCallParser::Open()
{
    const QFileInfo cty(GetCommonDataFileName(QStringLiteral("cty.dat")));
    const QFileInfo country(GetCommonDataFileName(QStringLiteral("country.dat")));
    if (cty.exists() && (!country.exists() || cty.lastModified() > country.lastModified()))
        TVornixDataFiles().CreateDataFiles();

    auto& t = *FTables;
    const auto parsePrefix = [&t](std::string_view v) { return t.ParsePrefix(v); };
    LoadList(QStringLiteral("country.dat"), t.Countries, TTables::ParseCountry);
    LoadList(QStringLiteral("prefix.dat"), t.Prefixes, parsePrefix);
    LoadList(QStringLiteral("call.dat"), t.Calls, parsePrefix);
    if (!QFileInfo::exists(GetCommonDataFileName(QStringLiteral("callarea.dat"))))
        CreateDXDataCallAreaFile();
    LoadList(QStringLiteral("callarea.dat"), t.Areas, [&t](std::string_view v) { return t.ParseArea(v); });
    t.Link();
}

bool TDXCallParser::CreateDataFiles()
{
    const TDataFileResult countries = TVornixDataFiles().CreateDataFiles();
    const bool areas = CreateDXDataCallAreaFile();
    return (countries == TDataFileResult::Written || countries == TDataFileResult::InputMissing) && areas;
}

bool TDXCallParser::CreateDXDataCallAreaFile()
{
    const TDataFileResult r = TVornixDataFiles().CreateCallAreaFile();
    return r == TDataFileResult::Written || r == TDataFileResult::InputMissing;
}

bool TDXCallParser::FindCountry(TDXSpot& spot) const
{
    const auto& t = *FTables;
    const QString& call = spot.Call();
    if (t.Prefixes.empty() || call.size() < 2)
        return false;

    // Working copy in upper case; the lists are looked up without regard to case.
    std::string w;
    w.reserve(size_t(call.size()));
    for (const QChar c : call)
        w.push_back(c.unicode() < 128 ? UpperAscii(char(c.unicode())) : '?');

    const TTables::TPrefix* entry = nullptr;
    if (t.Calls.empty()) {
        entry = t.Prefixes.find(w);
    } else if (const auto* c = t.Calls.find(w)) {
        if (c->CQZone)
            spot.SetCQZone(t.Text(c->CQZone));
        if (c->ITUZone)
            spot.SetITUZone(t.Text(c->ITUZone));
        entry = t.Prefixes.at(c->Link);
    }

    if (!entry && w.find('/') != std::string::npos) {
        // No entity for aeronautical and maritime mobile stations.
        if (w.ends_with("/AM") || w.ends_with("/MM"))
            return false;
        for (const std::string_view suffix : {"/A", "/B", "/M", "/P", "/R", "/QRP", "/BCN", "/LH"}) {
            if (w.ends_with(suffix)) {
                w.resize(w.size() - suffix.size());
                break;
            }
        }
    }

    // Call area digit after the call ("K1ABC/4"): the prefix of that area.
    if (w.size() > 2 && w[w.size() - 2] == '/' && w.back() >= '0' && w.back() <= '9') {
        const char d = w.back();
        const char c0 = w[0];
        const char c1 = w[1];
        const auto oneOf = [](char c, std::string_view set) { return set.find(c) != std::string_view::npos; };
        if (c0 == 'A' && oneOf(c1, "ABCDEFGIJK"))
            w = std::string("AA") + d;
        else if (oneOf(c0, "KNW"))
            w = std::string{c0, 'A', d};
        else if (w.starts_with("J4"))
            w = std::string("J4") + d;
        else if (c0 == 'S' && oneOf(c1, "VWXYZ"))
            w = std::string("SV") + d;
        else if (c0 == 'V' && oneOf(c1, "AE"))
            w = std::string("VE") + d;
        else if (w.starts_with("VK"))
            w = std::string("VK") + d;
        else if (oneOf(c0, "RU"))
            w = std::string("RA") + d;
        else
            w.resize(w.size() - 2);
    }

    // Prefix before or after the call: the shorter part is the prefix.
    if (const size_t slash = w.find('/'); slash != std::string::npos) {
        const size_t a = slash;
        const size_t b = w.size() - slash - 1;
        std::string before = w.substr(0, slash);
        std::string after = w.substr(slash + 1);
        if (b == 0 || b > a)
            w = std::move(before);
        else if (b < a)
            w = std::move(after);
        else
            w = after.starts_with("VP2") ? std::move(after) : std::move(before);
    }

    // KG4 with a two-letter suffix is Guantanamo Bay; longer KG4 calls are US fourth area.
    if (w.starts_with("KG4") && w.size() != 5)
        w.erase(1, 1);

    if (!entry) {
        for (size_t n = w.size(); n >= 1 && !entry; --n)
            entry = t.Prefixes.find(std::string_view(w).substr(0, n));
    }
    if (!entry)
        return false;

    if (entry->CQZone)
        spot.SetCQZone(t.Text(entry->CQZone));
    if (entry->ITUZone)
        spot.SetITUZone(t.Text(entry->ITUZone));
    spot.SetPrefix(t.Text(entry->Primary));

    if (const auto* country = t.Countries.at(entry->Link)) {
        const bool inArea = FindCallArea(spot, w, entry->Primary);
        spot.SetCountryName(country->Name);
        if (spot.CQZone().isEmpty())
            spot.SetCQZone(country->CQZone);
        if (spot.ITUZone().isEmpty())
            spot.SetITUZone(country->ITUZone);
        if (country->Cont)
            spot.SetCont(*country->Cont);
        // A call area has its own position; the entity's UTC offset holds for all its areas.
        if (!inArea) {
            if (country->Latitude)
                spot.SetLatitude(*country->Latitude);
            if (country->Longitude)
                spot.SetLongitude(*country->Longitude);
        }
        if (country->UTCDiff)
            spot.SetUTCDiff(*country->UTCDiff);
        spot.SetADIFCode(country->ADIFCode);
        spot.SetDXCCItemIndex(country->DXCCItemIndex);
        const auto [sp, lp] = SpotRangeAndPath(spot);
        spot.SetDistanceSP(RoundTo<uint16_t>(sp.Distance));
        spot.SetBearing(0, RoundTo<int16_t>(sp.Bearing));
        spot.SetDistanceLP(RoundTo<uint16_t>(lp.Distance));
        spot.SetBearing(1, RoundTo<int16_t>(lp.Bearing));
    }
    return true;
}

bool TDXCallParser::FindCallArea(TDXSpot& spot, std::string_view call, uint32_t primary) const
{
    const auto& t = *FTables;
    const auto& areas = t.Areas;
    if (call.empty())
        return false;
    const size_t shortest = call.size() == 1 ? 1 : 2;
    const TTables::TArea* area = nullptr;
    for (size_t n = call.size(); n >= shortest && !area; --n)
        area = areas.find(call.substr(0, n));
    // An area of another entity ends the search: the entity's own position is used.
    if (!area || area->Primary != primary)
        return false;
    if (t.Text(primary) != QLatin1String("K"))
        spot.SetCountryRegion(t.Text(area->Region));
    if (area->CQZone)
        spot.SetCQZone(t.Text(area->CQZone));
    if (area->ITUZone)
        spot.SetITUZone(t.Text(area->ITUZone));
    if (!std::isnan(area->Latitude))
        spot.SetLatitude(area->Latitude);
    if (!std::isnan(area->Longitude))
        spot.SetLongitude(area->Longitude);
    return true;
}

std::pair<TDXCallParser::TRange, TDXCallParser::TRange> TDXCallParser::SpotRangeAndPath(const TDXSpot& spot) const
{
    if (!OwnPositionSet())
        return {};
    // A locator that is no locator counts as none: the entity's position stands in.
    const auto fromLocator = spot.Locator().isEmpty() ? std::nullopt : LocatorToLatLon(spot.Locator());
    const float lat = fromLocator ? fromLocator->Latitude : float(spot.Latitude());
    const float lon = fromLocator ? fromLocator->Longitude : float(spot.Longitude());
    const TGreatCircle sp = GreatCircle(ToRadians(FMyLatitude), ToRadians(FMyLongitude), ToRadians(lat),
                                        ToRadians(lon), false);
    const auto range = [&fromLocator](const TGreatCircle& g) {
        TRange r;
        r.Bearing = ToDegrees(g.Bearing);
        r.Distance = g.Distance * EarthRadiusKm;
        // An entity's centre is only a rough position: its distance is not shown to the km.
        if (!fromLocator) {
            if (r.Distance > 1000)
                r.Distance = float(std::nearbyint(r.Distance / 100) * 100);
            else if (r.Distance > 100)
                r.Distance = float(std::nearbyint(r.Distance / 10) * 10);
        }
        return r;
    };
    return {range(sp), range(LongPathOf(sp))};
}

TDXCallParser::TRange TDXCallParser::LocatorRangeAndPath(const QString& locator) const
{
    if (!OwnPositionSet() || locator.isEmpty())
        return {};
    const auto target = LocatorToLatLon(locator);
    if (!target)
        return {};
    const TGreatCircle g = GreatCircle(ToRadians(FMyLatitude), ToRadians(FMyLongitude),
                                       ToRadians(target->Latitude), ToRadians(target->Longitude), false);
    TRange r;
    r.Bearing = float(RoundTo<int16_t>(ToDegrees(g.Bearing)));
    r.Distance = g.Distance * EarthRadiusKm;
    return r;
}

namespace {
QString RangeText(int bearing, float km, TRangeUnit unit)
{
    if (unit == ruMiles)
        return QStringLiteral("%1° %2 mi").arg(bearing).arg(RoundTo<int32_t>(km * KmToMiles));
    return QStringLiteral("%1° %2 km").arg(bearing).arg(RoundTo<int32_t>(km));
}
} // namespace

QString TDXCallParser::GetRangeAndPath(TSpot& spot, TRangeUnit unit) const
{
    const TRange r = LocatorRangeAndPath(spot.FLocator);
    spot.FBearingSP = int16_t(r.Bearing);
    spot.FDistanceSP = RoundTo<uint16_t>(r.Distance);
    return RangeText(int(r.Bearing), r.Distance, unit);
}

QString TDXCallParser::GetRangeAndPathText(const QString& locator, TRangeUnit unit) const
{
    const TRange r = LocatorRangeAndPath(locator);
    return RangeText(int(r.Bearing), r.Distance, unit);
}
