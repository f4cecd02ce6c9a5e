#include "panel/DialLogic.h"

#include "core/RCUtils.h"

#include <cmath>

namespace {

const TDialGeometry Geometries[DialTypeCount] = {
    {149, {74, 74}, "FT2K_VFOA", "FT2K_DITCH", 36, 23, true, false},
    {67, {34, 34}, "FT2K_VFOB", "FT_DIMPLE_CIRCLE", 20, 9, false, true},
    {67, {34, 34}, "FT2K_CLAR", nullptr, 0, 0, false, false},
    {67, {34, 34}, "FT2K_VRF", nullptr, 0, 0, false, false},
    {149, {74, 74}, "FT950_VFO_A", "FT2K_DITCH", 36, 23, true, false},
    {97, {48, 48}, "FT950_VFO_B", "FT_DIMPLE_CIRCLE", 20, 9, false, true},
    {148, {74, 74}, "FT5K_VFO_A", "FT5K_DITCH", 40, 27, true, false},
    {70, {35, 35}, "FT5K_VFO_B", "FT_DIMPLE_CIRCLE", 20, 9, false, true},
    {64, {32, 32}, "FT5K_SUBPANEL", "FT_DIMPLE_CIRCLE", 18, 9, false, true},
};

constexpr double TwoPi = 6.283185307179586;

} // namespace

const TDialGeometry& DialGeometry(TDialType type)
{
    return unsigned(type) < unsigned(DialTypeCount) ? Geometries[type] : Geometries[0];
}

double DialPointerRadian(QPoint pointer, QPoint centre)
{
    if (pointer.x() == centre.x())
        return pointer.y() < centre.y() ? TwoPi : M_PI;
    // The centre seen from the pointer, turned half a round: clockwise from the top.
    return PointAngle2(centre, pointer);
}

int DialDimpleDegree(QPoint pointer, QPoint centre)
{
    // Straight above or below the centre is decided here: the angle helper gives the same
    // value for both, which would put the dimple at the top for a pointer at the bottom.
    if (pointer.x() == centre.x())
        return pointer.y() < centre.y() ? 360 : 180;
    return DialHelper1(PointAngle(pointer, centre));
}

int DialTuningStep(double turn, int dialStep, bool fastStep)
{
    double c = turn * 1000.0 * dialStep / TwoPi;
    if (fastStep)
        c *= 10;
    return RoundDialStep(c, dialStep);
}

int RoundDialStep(double hz, int dialStep)
{
    // nearbyint rounds halves to even in the default rounding mode.
    if (dialStep == 10 || dialStep == 100)
        return int(std::nearbyint(hz / dialStep)) * dialStep;
    return int(std::nearbyint(hz));
}

int NextDialStep(int dialStep)
{
    switch (dialStep) {
    case 1:
        return 10;
    case 10:
        return 100;
    default:
        return 1;
    }
}

TDegree DialFollowFrequency(TDegree degree, int64_t delta)
{
    const int64_t d = degree;
    if (delta > 0)
        return d + delta > 359 ? 0 : TDegree(d + 1);
    if (delta < 0)
        return d + delta < 0 ? 359 : TDegree(d - 1);
    return degree;
}
