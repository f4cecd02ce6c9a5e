#pragma once
// The DX spot as the country lookup fills it: the spotted call and locator it reads, and the
// entity, zones, position, bearings and distances it writes.

#include "core/RCTypes.h"

#include <QString>
#include <array>
#include <cstdint>

class TDXSpot {
public:
    TDXSpot() { Clear(); }

    // Resets every value; the DXCC list index stays.
    void Clear()
    {
        FADIFCode = 0;
        FBearing = {0, 0};
        FCQZone.clear();
        FCall.clear();
        FCont = coAll;
        FCountryName.clear();
        FCountryRegion.clear();
        FDistanceLP = 0;
        FDistanceSP = 0;
        FITUZone.clear();
        FLatitude = 0;
        FLocator.clear();
        FLongitude = 0;
        FPrefix.clear();
        FUTCDiff = 0;
    }

    int32_t ADIFCode() const { return FADIFCode; }
    void SetADIFCode(int32_t value) { FADIFCode = value; }
    int16_t BearingLP() const { return FBearing[1]; }
    int16_t BearingSP() const { return FBearing[0]; }
    // Index 0 short path, 1 long path.
    void SetBearing(int index, int16_t value) { FBearing[index & 1] = value; }
    const QString& CQZone() const { return FCQZone; }
    void SetCQZone(const QString& value) { FCQZone = value; }
    const QString& Call() const { return FCall; }
    void SetCall(const QString& value) { FCall = value; }
    TContinent Cont() const { return FCont; }
    void SetCont(TContinent value) { FCont = value; }
    const QString& CountryName() const { return FCountryName; }
    void SetCountryName(const QString& value) { FCountryName = value; }
    const QString& CountryRegion() const { return FCountryRegion; }
    void SetCountryRegion(const QString& value) { FCountryRegion = value; }
    uint16_t DistanceLP() const { return FDistanceLP; }
    void SetDistanceLP(uint16_t value) { FDistanceLP = value; }
    uint16_t DistanceSP() const { return FDistanceSP; }
    void SetDistanceSP(uint16_t value) { FDistanceSP = value; }
    int32_t DXCCItemIndex() const { return FDXCCItemIndex; }
    void SetDXCCItemIndex(int32_t value) { FDXCCItemIndex = value; }
    const QString& ITUZone() const { return FITUZone; }
    void SetITUZone(const QString& value) { FITUZone = value; }
    double Latitude() const { return FLatitude; }
    void SetLatitude(double value) { FLatitude = value; }
    const QString& Locator() const { return FLocator; }
    void SetLocator(const QString& value) { FLocator = value; }
    double Longitude() const { return FLongitude; }
    void SetLongitude(double value) { FLongitude = value; }
    const QString& Prefix() const { return FPrefix; }
    void SetPrefix(const QString& value) { FPrefix = value; }
    double UTCDiff() const { return FUTCDiff; }
    void SetUTCDiff(double value) { FUTCDiff = value; }

private:
    int32_t FADIFCode = 0;
    std::array<int16_t, 2> FBearing{};
    QString FCQZone;
    QString FCall;
    TContinent FCont = coAll;
    QString FCountryName;
    QString FCountryRegion;
    uint16_t FDistanceLP = 0;
    uint16_t FDistanceSP = 0;
    int32_t FDXCCItemIndex = 0;
    QString FITUZone;
    double FLatitude = 0;
    QString FLocator;
    double FLongitude = 0;
    QString FPrefix;
    double FUTCDiff = 0;
};

// The flat spot of the band map and the entry panel; only what the range text uses.
class TSpot {
public:
    int16_t FBearingSP = 0;
    uint16_t FDistanceSP = 0;
    QString FLocator;
};
