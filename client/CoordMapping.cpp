#include "client/CoordMapping.h"

#include <cmath>
#include <limits>

int32_t RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    const double r = std::nearbyint(value); // the default rounding mode rounds halves to even
    if (r <= lo)
        return std::numeric_limits<int32_t>::min();
    if (r >= hi)
        return std::numeric_limits<int32_t>::max();
    return int32_t(r);
}

namespace {

// Fraction of the range a value lies at: 0 at the minimum, 1 at the maximum; nullopt-like NaN
// when the range cannot map.
double Fraction(double v, double lo, double hi, TScalingType type)
{
    if (type == stLogarithmic) {
        if (!(lo > 0) || !(hi > 0) || !(v > 0) || lo == hi)
            return std::nan("");
        return std::log(v / lo) / std::log(hi / lo);
    }
    if (hi == lo)
        return std::nan("");
    return (v - lo) / (hi - lo);
}

double ValueAt(double fraction, double lo, double hi, TScalingType type)
{
    if (type == stLogarithmic) {
        if (!(lo > 0) || !(hi > 0))
            return lo;
        return lo * std::exp(fraction * std::log(hi / lo));
    }
    return lo + fraction * (hi - lo);
}

} // namespace

int32_t TCoordMapping::ValueXToScreenX(double X) const
{
    const double f = Fraction(X, FXValueMin, FXValueMax, FXScalingType);
    if (std::isnan(f))
        return FScreenRect.Left;
    return RoundHalfEven(FScreenRect.Left + f * (FScreenRect.Right - FScreenRect.Left));
}

int32_t TCoordMapping::ValueYToScreenY(double Y) const
{
    const double f = Fraction(Y, FYValueMin, FYValueMax, FYScalingType);
    if (std::isnan(f))
        return FScreenRect.Bottom;
    return RoundHalfEven(FScreenRect.Bottom - f * (FScreenRect.Bottom - FScreenRect.Top));
}

double TCoordMapping::ScreenXToValueX(int32_t X) const
{
    const int32_t extent = FScreenRect.Right - FScreenRect.Left;
    if (extent == 0)
        return FXValueMin;
    // The edges give the range's own ends, free of rounding.
    if (X == FScreenRect.Right)
        return FXValueMax;
    return ValueAt(double(X - FScreenRect.Left) / extent, FXValueMin, FXValueMax, FXScalingType);
}

double TCoordMapping::ScreenYToValueY(int32_t Y) const
{
    const int32_t extent = FScreenRect.Bottom - FScreenRect.Top;
    if (extent == 0)
        return FYValueMax;
    if (Y == FScreenRect.Bottom)
        return FYValueMin;
    // From the top down: the top edge is the maximum.
    const double f = double(Y - FScreenRect.Top) / extent;
    if (FYScalingType == stLogarithmic) {
        if (!(FYValueMin > 0) || !(FYValueMax > 0))
            return FYValueMax;
        return FYValueMax / std::exp(f * std::log(FYValueMax / FYValueMin));
    }
    return FYValueMax - f * (FYValueMax - FYValueMin);
}
