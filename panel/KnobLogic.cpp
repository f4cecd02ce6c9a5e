#include "panel/KnobLogic.h"

#include <cmath>

namespace {

const TKnobGeometry KnobGeometries[KnobTypeCount] = {
    {{47, 47}, "FT2K_KNOB_1", false, {}},
    {{47, 47}, "FT2K_KNOB_2", false, {}},
    {{88, 56}, "FT2K_KNOB_METER", true, {44, 32}},
    {{50, 50}, "FT5K_KNOB_1", false, {}},
    {{50, 50}, "FT5K_KNOB_2", false, {}},
    {{50, 50}, "FT5K_KNOB_3", false, {}},
    {{50, 50}, "FT5K_KNOB_4", false, {}},
    {{61, 61}, "FT5K_KNOB_5", false, {}},
    {{61, 61}, "FT5K_KNOB_6", false, {}},
    {{47, 47}, "FT5K_KNOB_A", false, {}},
    {{54, 54}, "FT5K_KNOB_B", false, {}},
    {{87, 51}, "FT5K_KNOB_METER", true, {43, 25}},
    {{72, 72}, "FT950_KNOB_AF", false, {}},
};

} // namespace

const TKnobGeometry& KnobGeometry(TKnobType type)
{
    return unsigned(type) < unsigned(KnobTypeCount) ? KnobGeometries[type] : KnobGeometries[0];
}

TDegree KnobValueToAngle(int value, int minimum, int maximum)
{
    const int64_t span = int64_t(maximum) - minimum;
    if (span == 0)
        return 210;
    const int64_t offset = int64_t(value) - minimum;
    const double x = 300.0 / double(span) * double(offset);
    // nearbyint rounds halves to even.
    int64_t angle = offset > span / 2 ? int64_t(std::nearbyint(x - 150)) : int64_t(std::nearbyint(x + 210));
    if (angle == 150)
        angle = 148;
    // Only a value outside a reversed range (minimum above maximum) leaves the circle.
    if (angle < 0 || angle > 360)
        angle = (angle % 360 + 360) % 360;
    return TDegree(angle);
}

TDegree KnobMeterAngle(int value)
{
    return value >= 2 ? TDegree((value - 2) * 30) : TDegree(value * 30 + 300);
}

QPoint KnobCentre(QSize size)
{
    return QPoint(size.width() / 2, size.height() / 2 + 1);
}

TKnobClick KnobClickAt(TKnobType type, int x)
{
    const TKnobGeometry& g = KnobGeometry(type);
    if (!g.Meter)
        return TKnobClick::None;
    return x < g.Size.width() / 2 ? TKnobClick::Back : TKnobClick::Forward;
}
