// Value-to-screen mapping on linear and logarithmic axes.
#include "client/CoordMapping.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

TEST(CoordMapping, RoundTripsOnBothScales)
{
    struct Case {
        TScalingType type;
        double lo, hi;
        TScreenRect rect;
    };
    const Case cases[] = {
        {stLinear, -23, 23, {0, 0, 746, 359}},
        {stLinear, 0, 10, {15, 15, 285, 185}},
        {stLogarithmic, 40, 5000, {0, 0, 746, 359}},
        {stLogarithmic, 0.1, 1e6, {10, 5, 1010, 605}},
    };
    for (const Case& c : cases) {
        TCoordMapping m;
        m.SetScreenRect(c.rect);
        m.SetXScalingType(c.type);
        m.SetYScalingType(c.type);
        m.SetXValueMin(c.lo);
        m.SetXValueMax(c.hi);
        m.SetYValueMin(c.lo);
        m.SetYValueMax(c.hi);
        // Edges map to edges; y grows downward.
        EXPECT_EQ(m.ValueXToScreenX(c.lo), c.rect.Left);
        EXPECT_EQ(m.ValueXToScreenX(c.hi), c.rect.Right);
        EXPECT_EQ(m.ValueYToScreenY(c.lo), c.rect.Bottom);
        EXPECT_EQ(m.ValueYToScreenY(c.hi), c.rect.Top);
        // Pixel -> value -> pixel is exact; value -> pixel -> value is within one pixel's worth.
        for (int x = c.rect.Left; x <= c.rect.Right; ++x) {
            const double v = m.ScreenXToValueX(x);
            EXPECT_EQ(m.ValueXToScreenX(v), x);
        }
        for (int y = c.rect.Top; y <= c.rect.Bottom; ++y)
            EXPECT_EQ(m.ValueYToScreenY(m.ScreenYToValueY(y)), y);
        for (int i = 0; i <= 50; ++i) {
            const double v = c.type == stLinear ? c.lo + (c.hi - c.lo) * i / 50 : c.lo * std::pow(c.hi / c.lo, i / 50.0);
            const int x = m.ValueXToScreenX(v);
            EXPECT_LE(std::abs(m.ValueXToScreenX(m.ScreenXToValueX(x)) - x), 1);
            const double back = m.ScreenXToValueX(x);
            const double step = std::fabs(m.ScreenXToValueX(x + 1) - back) + std::fabs(back - m.ScreenXToValueX(x - 1));
            EXPECT_LE(std::fabs(back - v), step);
        }
        // The inverse of the exact mapping, before rounding, returns the value within 1e-9.
        const double mid = c.type == stLinear ? (c.lo + c.hi) / 2 : std::sqrt(c.lo * c.hi);
        const double x = m.ScreenXToValueX((c.rect.Left + c.rect.Right) / 2);
        if ((c.rect.Left + c.rect.Right) % 2 == 0) {
            EXPECT_NEAR(x, mid, 1e-9 * std::max(1.0, std::fabs(mid)));
        }
    }
}

TEST(CoordMapping, DegenerateRangesMapToAnEdge)
{
    TCoordMapping m; // the value range starts as 1..1
    EXPECT_EQ(m.ValueXToScreenX(5), 0);
    EXPECT_EQ(m.ValueYToScreenY(5), 600);
    m.SetXScalingType(stLogarithmic);
    m.SetXValueMin(0);
    m.SetXValueMax(100);
    EXPECT_EQ(m.ValueXToScreenX(10), 0);
    m.SetXValueMin(1);
    EXPECT_EQ(m.ValueXToScreenX(-3), 0); // no logarithm of a negative value
    EXPECT_EQ(m.ValueXToScreenX(10), 300);
    m.SetScreenRect({5, 5, 5, 5});
    EXPECT_EQ(m.ScreenXToValueX(7), 1);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(1e300), INT32_MAX);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}
