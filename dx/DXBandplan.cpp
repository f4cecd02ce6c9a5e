#include "dx/DXBandplan.h"

#include "core/RCUtils.h"

#include <optional>

namespace {

bool InPlan(TBand band)
{
    return band >= bd160 && band <= bd6;
}

bool IsSegmentMode(TModeType mt)
{
    return mt == mtCW || mt == mtPhone || mt == mtDigital;
}


// The 60 m ranges stored as all zero by older settings stand for the defaults.
const QString ZeroSegments = QStringLiteral("0-0 0-0 0-0");

} // namespace

TSegments TDXBandplan::DefaultSegments()
{
    auto band = [](int32_t cwL, int32_t cwU, int32_t phL, int32_t phU, int32_t dgL, int32_t dgU) {
        TBandSegment s;
        s.Range(mtCW) = {cwL, cwU};
        s.Range(mtPhone) = {phL, phU};
        s.Range(mtDigital) = {dgL, dgU};
        return s;
    };
    return {
        band(1800000, 1840000, 1840000, 2000000, 1838000, 1842000),
        band(3500000, 3600000, 3600000, 4000000, 3580000, 3620000),
        band(5351500, 5366000, 5354000, 5366000, 5351500, 5366500),
        band(7000000, 7040000, 7100000, 7300000, 7040000, 7100000),
        band(10100000, 10140000, 0, 0, 10140000, 10150000),
        band(14000000, 14070000, 14100000, 14350000, 14070000, 14100000),
        band(18068000, 18095000, 18120000, 18168000, 18095000, 18120000),
        band(21000000, 21080000, 21150000, 21450000, 21080000, 21150000),
        band(24890000, 24915000, 24931000, 24990000, 24915000, 24931000),
        band(28000000, 28070000, 28300000, 29700000, 28070000, 28190000),
        band(50000000, 50110000, 50110000, 50200000, 50200000, 54000000),
    };
}

TDXBandplan::TDXBandplan()
    : FSegments(DefaultSegments())
{
}

TBandSegment TDXBandplan::GetBandSegment(TBand band) const
{
    if (!InPlan(band))
        return {};
    return FSegments[band - bd160];
}

TModeType TDXBandplan::GetModeType(const TDXSpot& spot) const
{
    const TBand band = spot.Band();
    if (band == bdAll)
        return mtAll;
    const QString comment = spot.Comments().toUpper();
    if (band == bd6 && comment.contains(u"SSB"))
        return mtPhone;
    if (band == bd6 && comment.contains(u"CW"))
        return mtCW;
    for (const char16_t* word : {u"RTTY", u"PSK", u"SSTV", u"JT6", u"JT9", u"FT8"}) {
        if (comment.contains(QStringView(word)))
            return mtDigital;
    }
    if (!InPlan(band))
        return mtAll;
    // Later ranges win where they overlap: digital over phone over CW.
    const TBandSegment& seg = FSegments[band - bd160];
    const int32_t f = spot.FrequencyA();
    TModeType result = mtAll;
    for (TModeType mt : {mtCW, mtPhone, mtDigital}) {
        if (f >= seg.Range(mt).Lower && f <= seg.Range(mt).Upper)
            result = mt;
    }
    return result;
}

QString TDXBandplan::GetIniString(TBand band) const
{
    if (!InPlan(band))
        return {};
    return GetIniStringOf(FSegments[band - bd160]);
}

void TDXBandplan::SetIniString(TBand band, const QString& value)
{
    if (!InPlan(band) || value.isEmpty())
        return;
    QString text = value;
    if (band == bd60 && text == ZeroSegments)
        text = GetIniStringOf(DefaultSegments()[bd60 - bd160]);

    // Six numbers separated by "-", " ", "-", " ", "-"; all are read before any is stored, so
    // a damaged text cannot leave the band half changed.
    std::array<int32_t, 6> edges{};
    QStringView rest(text);
    static constexpr char16_t Separators[5] = {u'-', u' ', u'-', u' ', u'-'};
    for (int i = 0; i < 6; ++i) {
        QStringView part = rest;
        if (i < 5) {
            const qsizetype at = rest.indexOf(QChar(Separators[i]));
            if (at < 0)
                return;
            part = rest.left(at);
            rest = rest.mid(at + 1);
        }
        const auto n = DecimalTextToInt(part.trimmed());
        if (!n)
            return;
        edges[i] = int32_t(*n);
    }
    TBandSegment& s = FSegments[band - bd160];
    s.Range(mtCW) = {edges[0], edges[1]};
    s.Range(mtPhone) = {edges[2], edges[3]};
    s.Range(mtDigital) = {edges[4], edges[5]};
}

QString TDXBandplan::GetIniStringOf(const TBandSegment& s)
{
    return QStringLiteral("%1-%2 %3-%4 %5-%6")
        .arg(s.Range(mtCW).Lower)
        .arg(s.Range(mtCW).Upper)
        .arg(s.Range(mtPhone).Lower)
        .arg(s.Range(mtPhone).Upper)
        .arg(s.Range(mtDigital).Lower)
        .arg(s.Range(mtDigital).Upper);
}

QString TDXBandplan::GetBandModeSegment(TBand band, bool low, TModeType modeType) const
{
    if (!InPlan(band) || !IsSegmentMode(modeType))
        return QStringLiteral("0");
    const TSegmentRange& r = FSegments[band - bd160].Range(modeType);
    const int32_t hz = low ? r.Lower : r.Upper;
    return QString::number(band == bd60 ? hz / 100 : hz / 1000);
}

void TDXBandplan::SetBandModeSegment(TBand band, bool low, TModeType modeType, const QString& value)
{
    if (!InPlan(band) || !IsSegmentMode(modeType))
        return;
    const auto n = DecimalTextToInt(value.trimmed());
    if (!n)
        return;
    const int64_t hz = *n * (band == bd60 ? 100 : 1000);
    if (hz < BandEdges[band].Lower || hz > BandEdges[band].Upper)
        return;
    TSegmentRange& r = FSegments[band - bd160].Range(modeType);
    (low ? r.Lower : r.Upper) = int32_t(hz);
}
