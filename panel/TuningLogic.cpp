#include "panel/TuningLogic.h"

#include <QLocale>
#include <algorithm>
#include <limits>

namespace tuning {
namespace {

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Scale ends and positions are 32-bit like every frequency; edge scrolling must not wrap.
int32_t Saturate(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

int64_t TRulerScale::X(int64_t value) const
{
    const int64_t num = value - FrequencyLo;
    int64_t q = FloorDiv(num, Resolution);
    const int64_t twice = 2 * (num - q * Resolution);
    if (twice > Resolution || (twice == Resolution && (q & 1) != 0))
        ++q;
    return q + ScaleMargin;
}

int64_t TRulerScale::Value(int x) const
{
    return int64_t(x - ScaleMargin) * Resolution + FrequencyLo;
}

int64_t TRulerScale::Snap(int64_t value) const
{
    return FloorDiv(2 * value + Resolution, 2 * int64_t(Resolution)) * Resolution;
}

void TRulerScale::UpdateHi(int width)
{
    FrequencyHi = Saturate(int64_t(width - 2 * ScaleMargin) * Resolution + FrequencyLo);
}

void TRulerScale::Shift(int64_t delta)
{
    FrequencyLo = Saturate(FrequencyLo + delta);
    FrequencyHi = Saturate(FrequencyHi + delta);
    if (Limited) {
        FrequencyLo = std::clamp(FrequencyLo, -ClarifierLimit, ClarifierLimit);
        FrequencyHi = std::clamp(FrequencyHi, -ClarifierLimit, ClarifierLimit);
    }
}

bool TRulerScale::MoveTo(int& x, int width)
{
    if (x == PositionX)
        return false;
    if (x < ScrollZone) {
        Shift(-int64_t(ScrollPixels) * Resolution);
        x = ScrollZone;
    } else if (x > width - ScrollZone) {
        Shift(int64_t(ScrollPixels) * Resolution);
        x = width - ScrollZone;
    }
    PositionX = x;
    UpdateHi(width);
    return true;
}

void TRulerScale::Place(int64_t value, int width)
{
    UpdateHi(width);
    const int64_t x = X(value);
    if (x > width - ScaleMargin) {
        PositionX = width - ScaleMargin;
        Shift(value - FrequencyHi); // the value sits at the right end
    } else if (x >= ScaleMargin) {
        PositionX = int32_t(x);
    } else {
        PositionX = ScaleMargin;
        Shift(value - FrequencyLo); // the value sits at the left end
    }
}

TRulerTicks TRulerScale::Ticks(int width) const
{
    TRulerTicks out;
    const int64_t minor = 10 * int64_t(Resolution);
    const int64_t major = 100 * int64_t(Resolution);
    const auto add = [&](int64_t v, bool upward) {
        if (v % minor != 0)
            return;
        const bool isMajor = v % major == 0;
        const int x = int(X(v));
        out.Ticks.push_back({x, v, isMajor});
        if (upward && isMajor && out.FirstMajorX < 0)
            out.FirstMajorX = x;
    };
    const int64_t start = Snap(FrequencyLo);
    for (int64_t v = start - Resolution; X(v) > 0; v -= Resolution)
        add(v, false);
    for (int64_t v = start; X(v) < width; v += Resolution)
        add(v, true);
    return out;
}

QString FrequencyRulerLabel(int64_t value, int resolution)
{
    // Thousands grouped with the user's separator, a comma shown as a point.
    QString sep = QLocale().groupSeparator();
    if (sep.isEmpty() || sep == QLatin1String(","))
        sep = QStringLiteral(".");
    const QString digits = QString::number(value < 0 ? -value : value);
    QString grouped;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += sep;
        grouped += digits[i];
    }
    if (value < 0)
        grouped.prepend(QLatin1Char('-'));
    grouped.chop(resolution < 100 ? 2 : 4);
    return grouped;
}

QString ClarifierRulerLabel(int64_t value)
{
    QString text = QString::number(value < 0 ? -value : value).rightJustified(4, QLatin1Char('0'));
    text.insert(1, QLatin1Char('.'));
    if (value > 0)
        text.prepend(QLatin1Char('+'));
    else if (value < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString QSXText(int32_t frequencyA, int32_t frequencyB)
{
    const int64_t d = int64_t(frequencyB) - frequencyA;
    const QChar sign = d == 0 ? QLatin1Char(' ') : d < 0 ? QLatin1Char('-') : QLatin1Char('+');
    // Hundredths of a kHz, rounded; anything that would need four integer digits reads
    // 999.99, so the text keeps its seven characters.
    const int64_t hundredths = std::min<int64_t>(((d < 0 ? -d : d) + 5) / 10, 99999);
    const QString value = QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    return (sign + value).rightJustified(7, QLatin1Char(' '));
}

QString BandwidthText(int32_t bandwidth)
{
    if (bandwidth <= 1000)
        return QStringLiteral("%1 Hz").arg((bandwidth / 10) * 10);
    if (bandwidth < 10000)
        return QStringLiteral("%1 kHz").arg(bandwidth / 1000);
    return QStringLiteral("%1 kHz").arg((bandwidth / 10000) * 10);
}

} // namespace tuning
