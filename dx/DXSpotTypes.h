#pragma once
// The DX spot in the shapes the cluster code passes around: TDXSpot, the full object that the
// line parser fills and the country lookup completes; TSpot, the flat object of the band map,
// the entry panel and the tuning event; TSpotData, the element of the spot list; and
// TDXClusterData, one line for the cluster console. Beside them the filter sets and the event
// types of the spot code.

#include "core/RCTypes.h"
#include "dx/DXSpotComment.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>

// Colours are 0x00BBGGRR (red in the low byte).
using TColor = uint32_t;

// Texts of the fixed-width fields keep at most their width of characters; longer texts are
// cut (never inside a surrogate pair).
QString CutText(const QString& text, int width);

// "7040.0": kHz with one decimal from a frequency in Hz.
QString FrequencyToKHzText(int32_t hz);
// Miles in a kilometre, for distances shown in miles.
inline constexpr double KmToMiles = 0.621371;
// "%d km", or "%d mi" with the distance converted and rounded half to even.
QString DistanceText(uint16_t km, TRangeUnit unit);
// The class rule of a callsign: at least 3 characters, at least one of "A".."Z", at least one
// digit or "/", and nothing else (lower case included).
bool IsValidCallText(const QString& call);

// Whole minutes between two times, in either direction. A null time stands for the zero date
// of the original time type (1899-12-30), so it is far from any current time.
int64_t WholeMinutesBetween(const QDateTime& a, const QDateTime& b);
// Milliseconds since 1970 of a spot time, with the null time as above.
int64_t SpotTimeMs(const QDateTime& t);

// A small set over an enumeration with ordinals below 32.
template <typename E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> items)
    {
        for (E e : items)
            FBits |= Bit(e);
    }
    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr void Include(E e) { FBits |= Bit(e); }
    constexpr void Exclude(E e) { FBits &= ~Bit(e); }
    constexpr bool IsEmpty() const { return FBits == 0; }
    constexpr uint32_t Bits() const { return FBits; }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr uint32_t Bit(E e) { return uint32_t(1) << unsigned(e); }
    uint32_t FBits = 0;
};

enum TCountryFilter : uint8_t { cfNone, cfContinent, cfCountry };
using TBandFilter = TEnumSet<TBand>;
using TModeFilter = TEnumSet<TModeType>;
using TContinentFilter = TEnumSet<TContinent>;
using TShowBands = TEnumSet<TBand>;
enum TSpotOption : uint8_t { showCleanComments, hideAwardSpots };
using TSpotOptions = TEnumSet<TSpotOption>;

class TSpot;
class TDXSpot;
struct TSpotData;

using TDXSpotEvent = std::function<void(const TDXSpot& ADXSpot)>;
using TSpotEvent = std::function<void(const TSpot& ASpot)>;
using TSpotDataEvent = std::function<void(const TSpotData& Data)>;
using TSpotDataChangeEvent = std::function<void(const TSpotData& SpotData)>;

// The flat spot. The five short texts are cut to their widths by their setters; every other
// field is read and written directly.
class TSpot {
public:
    static constexpr int CallWidth = 14;
    static constexpr int CommentWidth = 31;
    static constexpr int FrequencyTextWidth = 8;
    static constexpr int SpotterWidth = 12;

    TSpot() { Clear(); }

    // Numbers 0, texts empty, flags false, no band, continent or mode class, time now (UTC).
    void Clear();
    // The colour of the spot in the band map and spot list.
    TColor GetColor() const;
    QString GetDistance(TRangeUnit unit) const { return DistanceText(FDistanceSP, unit); }
    QString GetFrequencyString() const { return FrequencyToKHzText(FFrequencyA); }
    void CopySpot(TSpot& target) const { target = *this; }

    const QString& Call() const { return FCall; }
    void SetCall(const QString& value) { FCall = CutText(value, CallWidth); }
    const QString& CleanComment() const { return FCleanComment; }
    void SetCleanComment(const QString& value) { FCleanComment = CutText(value, CommentWidth); }
    const QString& Comment() const { return FComment; }
    void SetComment(const QString& value) { FComment = CutText(value, CommentWidth); }
    const QString& FrequencyText() const { return FFrequencyText; }
    void SetFrequencyText(const QString& value) { FFrequencyText = CutText(value, FrequencyTextWidth); }
    const QString& Spotter() const { return FSpotter; }
    void SetSpotter(const QString& value) { FSpotter = CutText(value, SpotterWidth); }

    int32_t FADIFCode = 0;
    TBand FBand = bdAll;
    int16_t FBearingSP = 0;
    TContinent FCont = coAll;
    uint16_t FDistanceSP = 0;
    int32_t FFrequencyA = 0;
    int32_t FFrequencyB = 0;
    bool FIsAward = false;
    bool FIsBeacon = false;
    bool FIsLogged = false;
    bool FIsMySpot = false;
    bool FIsWanted = false;
    bool FIsUseless = false;
    QString FLocator;
    TModeType FModeType = mtAll;
    bool FSplit = false;
    int32_t FSpotID = 0;
    int32_t FSpotterADIFCode = 0;
    TContinent FSpotterCont = coAll;
    QDateTime FTimeStamp;

private:
    // Every field at its blank value, the time null.
    struct TBlank {};
    explicit TSpot(TBlank) {}

    QString FCall;
    QString FCleanComment;
    QString FComment;
    QString FFrequencyText;
    QString FSpotter;
};

// The full spot. Setting the call checks its form, setting the comment runs the comment
// cleaner, setting the frequency (in Hz or as kHz text) sets the band.
class TDXSpot {
public:
    TDXSpot() { Clear(); }

    // Resets every value (the time to now, UTC); the DXCC list index stays.
    void Clear();

    bool AddDXSpot() const { return FAddDXSpot; }
    void SetAddDXSpot(bool value) { FAddDXSpot = value; }
    int32_t ADIFCode() const { return FADIFCode; }
    void SetADIFCode(int32_t value) { FADIFCode = value; }
    TBand Band() const { return FBand; }
    void SetBand(TBand value) { FBand = value; }
    int16_t BearingLP() const { return FBearing[1]; }
    int16_t BearingSP() const { return FBearing[0]; }
    // Index 0 short path, 1 long path.
    void SetBearing(int index, int16_t value) { FBearing[index & 1] = value; }
    const QString& CQZone() const { return FCQZone; }
    void SetCQZone(const QString& value) { FCQZone = value; }
    const QString& Call() const { return FCall; }
    // Stores the call unchanged and sets IsValid by its form.
    void SetCall(const QString& value);
    const QString& CleanComments() const { return FCleanComments; }
    void SetCleanComments(const QString& value) { FCleanComments = value; }
    const QString& Comments() const { return FComments; }
    // Stores the comment and cleans it for the current spotter; IsUseless and IsAward follow
    // the cleaner's findings (so the spotter is set first).
    void SetComments(const QString& value);
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
    int32_t FrequencyA() const { return FFrequencyA; }
    // Stores the frequency, its band and its kHz text.
    void SetFrequencyA(int32_t value);
    const QString& FrequencyAsString() const { return FFrequencyAsString; }
    // Reads a kHz text such as "14025.0": whole kHz before the first ".", one digit of tenths
    // after it; 1800 Hz to 54000000 Hz is taken. A text that cannot be read is emptied; a
    // text without "." is kept without a frequency.
    void SetFrequencyAsString(const QString& value);
    int32_t FrequencyB() const { return FFrequencyB; }
    void SetFrequencyB(int32_t value) { FFrequencyB = value; }
    const QString& ITUZone() const { return FITUZone; }
    void SetITUZone(const QString& value) { FITUZone = value; }
    bool IsAward() const { return FIsAward; }
    void SetIsAward(bool value) { FIsAward = value; }
    bool IsBeacon() const { return FIsBeacon; }
    void SetIsBeacon(bool value) { FIsBeacon = value; }
    bool IsLogged() const { return FIsLogged; }
    void SetIsLogged(bool value) { FIsLogged = value; }
    bool IsMySpot() const { return FIsMySpot; }
    void SetIsMySpot(bool value) { FIsMySpot = value; }
    bool IsUseless() const { return FIsUseless; }
    void SetIsUseless(bool value) { FIsUseless = value; }
    bool IsValid() const { return FIsValid; }
    void SetIsValid(bool value) { FIsValid = value; }
    bool IsWanted() const { return FIsWanted; }
    void SetIsWanted(bool value) { FIsWanted = value; }
    double Latitude() const { return FLatitude; }
    void SetLatitude(double value) { FLatitude = value; }
    const QString& Locator() const { return FLocator; }
    void SetLocator(const QString& value) { FLocator = value; }
    double Longitude() const { return FLongitude; }
    void SetLongitude(double value) { FLongitude = value; }
    TModeType ModeType() const { return FModeType; }
    void SetModeType(TModeType value) { FModeType = value; }
    const QString& Prefix() const { return FPrefix; }
    void SetPrefix(const QString& value) { FPrefix = value; }
    bool Split() const { return FSplit; }
    void SetSplit(bool value) { FSplit = value; }
    int32_t SpotID() const { return FSpotID; }
    void SetSpotID(int32_t value) { FSpotID = value; }
    const QString& Spotter() const { return FSpotter; }
    void SetSpotter(const QString& value) { FSpotter = value; }
    int32_t SpotterADIFCode() const { return FSpotterADIFCode; }
    void SetSpotterADIFCode(int32_t value) { FSpotterADIFCode = value; }
    TContinent SpotterCont() const { return FSpotterCont; }
    void SetSpotterCont(TContinent value) { FSpotterCont = value; }
    const QDateTime& TimeStamp() const { return FTimeStamp; }
    void SetTimeStamp(const QDateTime& value) { FTimeStamp = value; }
    double UTCDiff() const { return FUTCDiff; }
    void SetUTCDiff(double value) { FUTCDiff = value; }

    QString GetDistanceSP(TRangeUnit unit) const { return DistanceText(FDistanceSP, unit); }
    QString GetDistanceLP(TRangeUnit unit) const { return DistanceText(FDistanceLP, unit); }

    // The short-path and spot values into the flat spot; long texts are cut.
    void CopyToTSpot(TSpot& spot) const;
    // Takes the flat spot's values through the setters (call check, comment cleaning with the
    // spotter held before the copy, band from the frequency); the flags are taken last from
    // the flat spot. Long path, zones, names and position stay.
    void CopyFromTSpot(const TSpot& spot);

private:
    struct TBlank {};
    explicit TDXSpot(TBlank) {}

    TDXSpotComment FDXSpotComment;

    bool FAddDXSpot = true;
    int32_t FADIFCode = 0;
    TBand FBand = bdAll;
    std::array<int16_t, 2> FBearing{};
    QString FCQZone;
    QString FCall;
    QString FCleanComments;
    QString FComments;
    TContinent FCont = coAll;
    QString FCountryName;
    QString FCountryRegion;
    uint16_t FDistanceLP = 0;
    uint16_t FDistanceSP = 0;
    int32_t FDXCCItemIndex = 0;
    int32_t FFrequencyA = 0;
    QString FFrequencyAsString;
    int32_t FFrequencyB = 0;
    QString FITUZone;
    bool FIsAward = false;
    bool FIsBeacon = false;
    bool FIsLogged = false;
    bool FIsMySpot = false;
    bool FIsUseless = false;
    bool FIsValid = true;
    bool FIsWanted = false;
    double FLatitude = 0;
    QString FLocator;
    double FLongitude = 0;
    TModeType FModeType = mtAll;
    QString FPrefix;
    bool FSplit = false;
    int32_t FSpotID = 0;
    QString FSpotter;
    int32_t FSpotterADIFCode = 0;
    TContinent FSpotterCont = coAll;
    QDateTime FTimeStamp;
    double FUTCDiff = 0;
};

// One stored spot of the spot list. Texts are cut to the widths of TSpot.
struct TSpotData {
    int32_t SpotID = 0;
    int32_t ADIFCode = 0;
    TBand Band = bdAll;
    int16_t Bearing = 0;
    QString Call;
    QString CleanComment;
    QString Comment;
    TContinent Continent = coAll;
    uint16_t Distance = 0;
    int32_t FrequencyA = 0;
    int32_t FrequencyB = 0;
    bool IsAward = false;
    bool IsBeacon = false;
    bool IsIntracontinental = false;
    bool IsLogged = false;
    bool IsMySpot = false;
    bool IsWanted = false;
    bool IsUseless = false;
    TModeType ModeType = mtAll;
    bool Split = false;
    QString Spotter;
    int32_t SpotterADIFCode = 0;
    TContinent SpotterCont = coAll;
    QDateTime TimeStamp;

    // The record of a flat spot: FrequencyB falls back to FrequencyA, and the spot is
    // intracontinental when spotter and spotted station share the continent.
    static TSpotData FromSpot(const TSpot& spot);
};

// One line for the cluster console.
struct TDXClusterData {
    static constexpr int CallWidth = 14;
    static constexpr int LineWidth = 100;

    int32_t SpotID = 0;
    int32_t LineNo = 0;
    QString Call;
    QString Line;
    bool IsDXSpot = false;
    bool IsLogged = false;
    bool IsWanted = false;
};
