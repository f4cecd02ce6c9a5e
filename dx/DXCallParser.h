#pragma once
// Callsign country lookup: resolves a call to its DXCC entity from the lookup files of the
// per-machine data folder (country.dat, prefix.dat, call.dat, callarea.dat), and gives the
// bearing and distance from the operator's own Maidenhead locator.

#include "core/RCTypes.h"
#include "dx/DXSpotTypes.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

// Degrees, north and west positive (the sign convention of cty.dat).
struct TLatLon {
    float Latitude = 0;
    float Longitude = 0;
};

// Centre of a locator of 4 or 6 characters ("JO62", "JO62qm"); a 4-character locator is
// taken as its subsquare "LL", characters after the sixth ("JO62QM12") are ignored.
// Anything else has no position.
std::optional<TLatLon> LocatorToLatLon(const QString& locator);

// Central angle and initial bearing in radians from station 1 to station 2, angles in radians.
struct TGreatCircle {
    float Distance = 0;
    float Bearing = 0;
};
TGreatCircle GreatCircle(float lat1, float lon1, float lat2, float lon2, bool longPath);

class TDXCallParser {
public:
    TDXCallParser();
    ~TDXCallParser();
    TDXCallParser(const TDXCallParser&) = delete;
    TDXCallParser& operator=(const TDXCallParser&) = delete;

    const QString& MyLocator() const { return FMyLocator; }
    void SetMyLocator(const QString& value);

    // Rebuilds the lookup files when cty.dat is newer than country.dat (or callarea.dat when it
    // is missing), then loads every file that exists; a missing file leaves its list as it was.
    void Open();
    // Rebuilds all four lookup files without reloading them; false when a build failed.
    bool CreateDataFiles();
    bool CreateDXDataCallAreaFile();

    // Fills the spot's entity, zones, position, bearings and distances from its call;
    // true when an entity prefix was found.
    bool FindCountry(TDXSpot& spot) const;

    // "296° 6044 km" (or "... mi") to the spot's locator; stores the short-path bearing and
    // distance in the spot.
    QString GetRangeAndPath(TSpot& spot, TRangeUnit unit) const;
    QString GetRangeAndPathText(const QString& locator, TRangeUnit unit) const;

private:
    struct TTables;
    struct TRange {
        float Distance = 0; // km
        float Bearing = 0;  // degrees
    };

    bool FindCallArea(TDXSpot& spot, std::string_view call, uint32_t primary) const;
    // Short and long path to the spot's locator, or to its entity's position.
    std::pair<TRange, TRange> SpotRangeAndPath(const TDXSpot& spot) const;
    TRange LocatorRangeAndPath(const QString& locator) const;
    bool OwnPositionSet() const { return FMyLatitude != 0 || FMyLongitude != 0; }

    QString FMyLocator;
    float FMyLatitude = 0;
    float FMyLongitude = 0;
    std::unique_ptr<TTables> FTables;
};
