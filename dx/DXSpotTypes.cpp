#include "dx/DXSpotTypes.h"

#include "core/RCUtils.h"

#include <cmath>
#include <optional>

namespace {

constexpr int32_t LowestSpotFrequency = 1800;       // Hz
constexpr int32_t HighestSpotFrequency = 54000000;  // Hz


} // namespace

QString CutText(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    qsizetype n = width;
    if (n > 0 && text[n - 1].isHighSurrogate())
        --n;
    return text.left(n);
}

QString FrequencyToKHzText(int32_t hz)
{
    // Tenths of kHz, with at least one digit before the point.
    const int64_t tenths = int64_t(hz) / 100;
    QString digits = QString::number(tenths < 0 ? -tenths : tenths);
    if (digits.size() < 2)
        digits.prepend(u'0');
    digits.insert(digits.size() - 1, u'.');
    if (tenths < 0)
        digits.prepend(u'-');
    return digits;
}

QString DistanceText(uint16_t km, TRangeUnit unit)
{
    if (unit == ruMiles)
        return QStringLiteral("%1 mi").arg(qint64(std::nearbyint(km * KmToMiles)));
    return QStringLiteral("%1 km").arg(km);
}

bool IsValidCallText(const QString& call)
{
    if (call.size() < 3)
        return false;
    bool letter = false;
    bool digitOrSlash = false;
    for (QChar c : call) {
        if (c >= u'A' && c <= u'Z')
            letter = true;
        else if ((c >= u'0' && c <= u'9') || c == u'/')
            digitOrSlash = true;
        else
            return false;
    }
    return letter && digitOrSlash;
}

int64_t SpotTimeMs(const QDateTime& t)
{
    static const int64_t ZeroDate = QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    return t.isValid() ? t.toMSecsSinceEpoch() : ZeroDate;
}

int64_t WholeMinutesBetween(const QDateTime& a, const QDateTime& b)
{
    const int64_t ms = SpotTimeMs(a) - SpotTimeMs(b);
    return (ms < 0 ? -ms : ms) / 60000;
}

// ---- TSpot

void TSpot::Clear()
{
    *this = TSpot(TBlank{});
    FTimeStamp = UTCNow();
}

TColor TSpot::GetColor() const
{
    if (FIsMySpot)
        return 0xFFFFFF;
    if (FIsLogged && FIsWanted)
        return 0xFFFF00;
    if (FIsLogged)
        return 0x99FF00;
    if (FIsWanted)
        return 0x99FFFF;
    if (FIsBeacon || FIsUseless)
        return 0x808080;
    return 0xFCDB83;
}

// ---- TDXSpot

void TDXSpot::Clear()
{
    const int32_t itemIndex = FDXCCItemIndex;
    *this = TDXSpot(TBlank{});
    FDXCCItemIndex = itemIndex;
    FTimeStamp = UTCNow();
}

void TDXSpot::SetCall(const QString& value)
{
    FCall = value;
    FIsValid = IsValidCallText(value);
}

void TDXSpot::SetComments(const QString& value)
{
    FComments = value;
    FCleanComments = FDXSpotComment.DefineCleanComment(value, FSpotter);
    FIsUseless = FDXSpotComment.IsUselessSpot();
    FIsAward = FDXSpotComment.IsAwardSpot();
}

void TDXSpot::SetFrequencyA(int32_t value)
{
    FFrequencyA = value;
    FBand = FrequencyToBand(value);
    FFrequencyAsString = FrequencyToKHzText(value);
}

void TDXSpot::SetFrequencyAsString(const QString& value)
{
    FFrequencyAsString = value.trimmed();
    FFrequencyA = 0;
    FBand = bdAll;
    const qsizetype dot = FFrequencyAsString.indexOf(u'.');
    if (dot < 0)
        return;
    const QStringView text(FFrequencyAsString);
    const auto kHz = DecimalTextToInt(text.left(dot));
    const auto tenths = DecimalTextToInt(text.mid(dot + 1, 1));
    // In 64 bits: kHz values of a few million wrap around in 32 and land on a real band.
    const int64_t hz = kHz && tenths ? int64_t(*kHz) * 1000 + int64_t(*tenths) * 100 : -1;
    if (hz < LowestSpotFrequency || hz > HighestSpotFrequency) {
        FFrequencyAsString.clear();
        return;
    }
    FFrequencyA = int32_t(hz);
    FBand = FrequencyToBand(FFrequencyA);
}

void TDXSpot::CopyToTSpot(TSpot& spot) const
{
    spot.FADIFCode = FADIFCode;
    spot.FBand = FBand;
    spot.FBearingSP = BearingSP();
    spot.SetCall(FCall);
    spot.SetCleanComment(FCleanComments);
    spot.SetComment(FComments);
    spot.FCont = FCont;
    spot.FDistanceSP = FDistanceSP;
    spot.FFrequencyA = FFrequencyA;
    spot.FFrequencyB = FFrequencyB;
    spot.SetFrequencyText(FFrequencyAsString);
    spot.FIsAward = FIsAward;
    spot.FIsBeacon = FIsBeacon;
    spot.FIsLogged = FIsLogged;
    spot.FIsMySpot = FIsMySpot;
    spot.FIsUseless = FIsUseless;
    spot.FIsWanted = FIsWanted;
    spot.FLocator = FLocator;
    spot.FModeType = FModeType;
    spot.FSplit = FSplit;
    spot.FSpotID = FSpotID;
    spot.SetSpotter(FSpotter);
    spot.FSpotterADIFCode = FSpotterADIFCode;
    spot.FSpotterCont = FSpotterCont;
    spot.FTimeStamp = FTimeStamp;
}

void TDXSpot::CopyFromTSpot(const TSpot& spot)
{
    FADIFCode = spot.FADIFCode;
    FBand = spot.FBand;
    SetBearing(0, spot.FBearingSP);
    SetCall(spot.Call());
    FCleanComments = spot.CleanComment();
    SetComments(spot.Comment());
    FCont = spot.FCont;
    FDistanceSP = spot.FDistanceSP;
    SetFrequencyA(spot.FFrequencyA);
    FFrequencyB = spot.FFrequencyB;
    FIsAward = spot.FIsAward;
    FIsBeacon = spot.FIsBeacon;
    FIsLogged = spot.FIsLogged;
    FIsMySpot = spot.FIsMySpot;
    FIsUseless = spot.FIsUseless;
    FIsWanted = spot.FIsWanted;
    FLocator = spot.FLocator;
    FModeType = spot.FModeType;
    FSplit = spot.FSplit;
    FSpotID = spot.FSpotID;
    FSpotter = spot.Spotter();
    FSpotterADIFCode = spot.FSpotterADIFCode;
    FSpotterCont = spot.FSpotterCont;
    FTimeStamp = spot.FTimeStamp;
}

// ---- TSpotData

TSpotData TSpotData::FromSpot(const TSpot& spot)
{
    TSpotData d;
    d.SpotID = spot.FSpotID;
    d.ADIFCode = spot.FADIFCode;
    d.Band = spot.FBand;
    d.Bearing = spot.FBearingSP;
    d.Call = spot.Call();
    d.CleanComment = spot.CleanComment();
    d.Comment = spot.Comment();
    d.Continent = spot.FCont;
    d.Distance = spot.FDistanceSP;
    d.FrequencyA = spot.FFrequencyA;
    d.FrequencyB = spot.FFrequencyB != 0 ? spot.FFrequencyB : spot.FFrequencyA;
    d.IsAward = spot.FIsAward;
    d.IsBeacon = spot.FIsBeacon;
    d.IsIntracontinental = spot.FCont == spot.FSpotterCont;
    d.IsLogged = spot.FIsLogged;
    d.IsMySpot = spot.FIsMySpot;
    d.IsWanted = spot.FIsWanted;
    d.IsUseless = spot.FIsUseless;
    d.ModeType = spot.FModeType;
    d.Split = spot.FSplit;
    d.Spotter = spot.Spotter();
    d.SpotterADIFCode = spot.FSpotterADIFCode;
    d.SpotterCont = spot.FSpotterCont;
    d.TimeStamp = spot.FTimeStamp;
    return d;
}
