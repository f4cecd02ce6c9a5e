#include "dx/DXCallParser.h"

#include "core/DataFiles.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cmath>
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
constexpr double KmToMiles = 0.621371;

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

QString TwoDigitZone(std::string_view zone)
{
    QString z = ToQString(zone);
    if (z.size() == 1)
        z.prepend(u'0');
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

struct TNameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};
template <typename T>
using TNameMap = std::unordered_map<std::string, T, TNameHash, std::equal_to<>>;

template <typename T>
const T* Find(const TNameMap<T>& map, std::string_view name)
{
    const auto it = map.find(name);
    return it == map.end() ? nullptr : &it->second;
}

// Loads a name=value file into a map keyed by the upper-cased name; of repeated names the
// first line wins. False (and the map untouched) when the file is missing or unreadable.
template <typename T, typename Parse>
bool LoadList(const QString& fileName, TNameMap<T>& map, Parse parse)
{
    const QString path = GetCommonDataFileName(fileName);
    if (!QFileInfo::exists(path))
        return false;
    const auto text = ReadTextFileAsUtf8(path);
    if (!text)
        return false;
    TNameMap<T> loaded;
    loaded.reserve(size_t(text->count('\n')) + 1);
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
        std::string name = ToUpper(line.substr(0, eq));
        if (loaded.find(name) != loaded.end())
            continue;
        loaded.emplace(std::move(name), parse(line.substr(eq + 1)));
    }
    map = std::move(loaded);
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
    // A line of prefix.dat or call.dat: the entity's primary prefix and zone overrides.
    struct TPrefix {
        std::string Primary;
        QString PrimaryText;
        QString CQZone;
        QString ITUZone;
        const TCountry* Country = nullptr;  // prefix.dat: the country line of Primary
        const TPrefix* PrimaryEntry = nullptr; // call.dat: the prefix.dat line of Primary
    };
    struct TArea {
        QString Primary;
        QString Region;
        QString CQZone;
        QString ITUZone;
        std::optional<double> Latitude;
        std::optional<double> Longitude;
    };

    TNameMap<TCountry> Countries;
    TNameMap<TPrefix> Prefixes;
    TNameMap<TPrefix> Calls;
    TNameMap<TArea> Areas;

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

    static TPrefix ParsePrefix(std::string_view value)
    {
        TPrefix p;
        const std::string_view primary = Trim(value.substr(0, value.find_first_of("([")));
        p.Primary = ToUpper(primary);
        p.PrimaryText = ToQString(p.Primary);
        if (const auto z = Bracketed(value, '(', ')'); !z.empty())
            p.CQZone = TwoDigitZone(z);
        if (const auto z = Bracketed(value, '[', ']'); !z.empty())
            p.ITUZone = TwoDigitZone(z);
        return p;
    }

    static TArea ParseArea(std::string_view value)
    {
        const auto f = Split(value, ';');
        auto field = [&f](size_t i) { return i < f.size() ? f[i] : std::string_view{}; };
        TArea a;
        a.Primary = ToQString(ToUpper(Trim(field(0))));
        a.Region = ToQString(field(1));
        a.CQZone = ToQString(field(2));
        a.ITUZone = ToQString(field(3));
        a.Latitude = ToNumber(field(4));
        a.Longitude = ToNumber(field(5));
        return a;
    }

    // Lists are replaced one by one, so the links between them are drawn again after each load.
    void Link()
    {
        for (auto& [name, p] : Prefixes)
            p.Country = Find(Countries, p.Primary);
        for (auto& [name, c] : Calls)
            c.PrimaryEntry = Find(Prefixes, c.Primary);
    }
};

std::optional<TLatLon> LocatorToLatLon(const QString& locator)
{
    const QString l = locator.trimmed().toUpper();
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
    if (longPath) {
        g.Distance = TwoPi - g.Distance;
        g.Bearing = g.Bearing + Pi;
        if (g.Bearing > TwoPi)
            g.Bearing -= TwoPi;
    }
    return g;
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
    LoadList(QStringLiteral("country.dat"), t.Countries, TTables::ParseCountry);
    LoadList(QStringLiteral("prefix.dat"), t.Prefixes, TTables::ParsePrefix);
    LoadList(QStringLiteral("call.dat"), t.Calls, TTables::ParsePrefix);
    if (!QFileInfo::exists(GetCommonDataFileName(QStringLiteral("callarea.dat"))))
        CreateDXDataCallAreaFile();
    LoadList(QStringLiteral("callarea.dat"), t.Areas, TTables::ParseArea);
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
        entry = Find(t.Prefixes, w);
    } else if (const auto* c = Find(t.Calls, w)) {
        if (!c->CQZone.isEmpty())
            spot.SetCQZone(c->CQZone);
        if (!c->ITUZone.isEmpty())
            spot.SetITUZone(c->ITUZone);
        entry = c->PrimaryEntry;
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
            entry = Find(t.Prefixes, std::string_view(w).substr(0, n));
    }
    if (!entry)
        return false;

    if (!entry->CQZone.isEmpty())
        spot.SetCQZone(entry->CQZone);
    if (!entry->ITUZone.isEmpty())
        spot.SetITUZone(entry->ITUZone);
    spot.SetPrefix(entry->PrimaryText);

    if (const auto* country = entry->Country) {
        const bool inArea = FindCallArea(spot, w);
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
        const TRange sp = SpotRangeAndPath(spot, false);
        spot.SetDistanceSP(RoundTo<uint16_t>(sp.Distance));
        spot.SetBearing(0, RoundTo<int16_t>(sp.Bearing));
        const TRange lp = SpotRangeAndPath(spot, true);
        spot.SetDistanceLP(RoundTo<uint16_t>(lp.Distance));
        spot.SetBearing(1, RoundTo<int16_t>(lp.Bearing));
    }
    return true;
}

bool TDXCallParser::FindCallArea(TDXSpot& spot, std::string_view call) const
{
    const auto& areas = FTables->Areas;
    if (call.empty())
        return false;
    const size_t shortest = call.size() == 1 ? 1 : 2;
    const TTables::TArea* area = nullptr;
    for (size_t n = call.size(); n >= shortest && !area; --n)
        area = Find(areas, call.substr(0, n));
    // An area of another entity ends the search: the entity's own position is used.
    if (!area || area->Primary != spot.Prefix())
        return false;
    if (spot.Prefix() != QLatin1String("K"))
        spot.SetCountryRegion(area->Region);
    if (!area->CQZone.isEmpty())
        spot.SetCQZone(area->CQZone);
    if (!area->ITUZone.isEmpty())
        spot.SetITUZone(area->ITUZone);
    if (area->Latitude)
        spot.SetLatitude(*area->Latitude);
    if (area->Longitude)
        spot.SetLongitude(*area->Longitude);
    return true;
}

TDXCallParser::TRange TDXCallParser::SpotRangeAndPath(const TDXSpot& spot, bool longPath) const
{
    if (!OwnPositionSet())
        return {};
    // A locator that is no locator counts as none: the entity's position stands in.
    const auto fromLocator = spot.Locator().isEmpty() ? std::nullopt : LocatorToLatLon(spot.Locator());
    const float lat = fromLocator ? fromLocator->Latitude : float(spot.Latitude());
    const float lon = fromLocator ? fromLocator->Longitude : float(spot.Longitude());
    const TGreatCircle g = GreatCircle(ToRadians(FMyLatitude), ToRadians(FMyLongitude), ToRadians(lat),
                                       ToRadians(lon), longPath);
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
