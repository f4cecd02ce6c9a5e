#include "panel/MeterLogic.h"

#include <algorithm>
#include <cmath>

namespace {

// Upper ends of the S-meter table: n bars up to SMeterUpper[n]; above the last entry the top count.
constexpr uint8_t SMeterUpper[30] = {4,   8,   12,  20,  28,  36,  44,  52,  58,  62,
                                     67,  75,  82,  90,  97,  107, 116, 124, 134, 144,
                                     154, 164, 174, 184, 194, 203, 212, 222, 232, 243};

uint8_t SMeterTable(uint8_t value)
{
    for (uint8_t n = 0; n < 30; ++n)
        if (value <= SMeterUpper[n])
            return n;
    return 30;
}

// Round to the nearest integer, halves to the even neighbour.
double RoundEven(double v)
{
    return std::nearbyint(v); // the default rounding mode is to nearest, ties to even
}

} // namespace

QSize BargraphSize(TBargraphType kind)
{
    switch (kind) {
    case btSMeterA: return {118, 7};
    case btSMeterB: return {118, 4};
    case btSMeterB5K: return {131, 3};
    case btMeter: return {118, 7};
    case btBargraph: return {82, 6};
    }
    return {118, 7};
}

int BargraphSegmentCount(TBargraphType kind)
{
    switch (kind) {
    case btSMeterB5K: return 33;
    case btBargraph: return BargraphCellCount;
    default: return 30;
    }
}

uint8_t BargraphBars(TBargraphType kind, uint8_t v)
{
    switch (kind) {
    case btSMeterA:
        return SMeterTable(v);
    case btSMeterB:
    case btSMeterB5K:
        if (v == 0)
            return 0;
        if (v <= 2)
            return 1;
        if (v <= 9)
            return 2;
        if (v <= 225)
            return uint8_t(3 + (v - 10) / 8);
        return 30;
    case btMeter:
        return v == 255 ? 30 : uint8_t(v * 30 / 256);
    case btBargraph:
        return 0;
    }
    return 0;
}

std::array<uint32_t, BargraphCellCount> BargraphCells(const QString& text)
{
    std::array<uint32_t, BargraphCellCount> cells{};
    auto digit = [&](int i) { return i < text.size() && text[i] >= u'0' && text[i] <= u'9' ? text[i].unicode() - u'0' : -1; };
    const int a = digit(0), b1 = digit(1), b2 = digit(2);
    if (a < 0 || b1 < 0 || b2 < 0)
        return cells;
    const int b = b1 * 10 + b2;
    auto light = [&](int cell, uint32_t color) { cells[size_t(cell - 1)] = color; };
    if (a == 1 && b >= 1 && b <= 21) {
        light(b, b == 11 ? BargraphCellRed : BargraphCellGreen);
    } else if (a == 2 && b >= 1 && b <= 11) {
        // Pairs of cells; the ones beside the centre include the red centre cell.
        switch (b) {
        case 5:
            light(9, BargraphCellGreen), light(10, BargraphCellGreen), light(11, BargraphCellRed);
            break;
        case 6:
            light(10, BargraphCellGreen), light(11, BargraphCellRed), light(12, BargraphCellGreen);
            break;
        case 7:
            light(11, BargraphCellRed), light(12, BargraphCellGreen), light(13, BargraphCellGreen);
            break;
        default: {
            const int first = b < 5 ? 2 * b - 1 : 2 * b - 2;
            light(first, BargraphCellGreen), light(first + 1, BargraphCellGreen);
            break;
        }
        }
    }
    return cells;
}

uint8_t SMeterBars(uint8_t value)
{
    return value >= 253 ? 31 : SMeterTable(value);
}

uint8_t MeterBars(uint8_t value, TMeterSwitch meterSwitch)
{
    const double scaled = meterSwitch == mtVDD ? value * 31 * 1.24 / 256 : value * 31 / 256.0;
    return uint8_t(RoundEven(scaled));
}

QLine NeedleLine(uint8_t value, int width, int height)
{
    // Angles and points are held in single precision, as the face was laid out for.
    const float a = float(((255 - value * 1.12) / 255) * 1.065 + 1.065);
    const float x1 = float(30 * std::cos(double(a)));
    const float y1 = float(30 * std::sin(double(a)));
    const float x2 = float(x1 + 50 * std::cos(double(a)));
    const float y2 = float(y1 + 50 * std::sin(double(a)));
    auto px = [&](float x) { return int(RoundEven(width * double(x) / 100 + width / 2.0)); };
    auto py = [&](float y) { return height - int(RoundEven(height * (double(y) - 20) / 80)); };
    return QLine(px(x1), py(y1), px(x2), py(y2));
}
