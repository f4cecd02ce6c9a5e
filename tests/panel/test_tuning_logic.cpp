// Scale geometry, tick marks and texts of the tuning strip, and the names and texts of the
// small panel controls, without pixels.
#include "PanelTestUtils.h"
#include "panel/SmallControlsLogic.h"
#include "panel/TuningLogic.h"

#include <QLocale>
#include <gtest/gtest.h>

using tuning::TRulerScale;

namespace {

TRulerScale Scale(int32_t lo, int32_t resolution, int width = 356)
{
    TRulerScale s;
    s.FrequencyLo = lo;
    s.Resolution = resolution;
    s.UpdateHi(width);
    return s;
}

} // namespace

TEST(RulerScale, MapsValuesToPixelsFromX30)
{
    const TRulerScale s = Scale(7000000, 10);
    EXPECT_EQ(s.FrequencyHi, 7002960);
    EXPECT_EQ(s.X(7000000), 30);
    EXPECT_EQ(s.X(7002960), 326);
    EXPECT_EQ(s.Value(200), 7001700);
    // Halfway between two pixels goes to the even one, either side of the start.
    EXPECT_EQ(s.X(7000005), 30);
    EXPECT_EQ(s.X(7000015), 32);
    EXPECT_EQ(s.X(6999995), 30);
    EXPECT_EQ(s.X(6999985), 28);
    // Snapping rounds halves upward, negative values too.
    EXPECT_EQ(s.Snap(7000005), 7000010);
    EXPECT_EQ(s.Snap(7000004), 7000000);
    EXPECT_EQ(s.Snap(-5), 0);
    EXPECT_EQ(s.Snap(-6), -10);
}

TEST(RulerScale, OperatorMovesScrollInTheEndZones)
{
    const struct {
        int X;
        bool Moves;
        int32_t Lo;
        int PositionX;
        int64_t Value;
    } rows[] = {
        {200, true, 7000000, 200, 7001700},
        {10, true, 7000000, 10, 6999800},  // the zone starts below 10
        {9, true, 6999800, 10, 6999600},   // 20 pixels' worth lower, at the zone's edge
        {5, true, 6999800, 10, 6999600},
        {346, true, 7000000, 346, 7003160},
        {347, true, 7000200, 346, 7003360},
        {30, false, 7000000, 30, 7000000}, // the position it is at
    };
    for (const auto& r : rows) {
        TRulerScale s = Scale(7000000, 10);
        int x = r.X;
        EXPECT_EQ(s.MoveTo(x, 356), r.Moves) << r.X;
        EXPECT_EQ(s.FrequencyLo, r.Lo) << r.X;
        EXPECT_EQ(s.PositionX, r.PositionX) << r.X;
        EXPECT_EQ(s.Value(x), r.Value) << r.X;
        EXPECT_EQ(s.FrequencyHi, s.FrequencyLo + 2960) << r.X;
    }
}

TEST(RulerScale, ClarifierScaleStaysWithinTheOffsetRange)
{
    TRulerScale s = Scale(-9990, 1);
    s.Limited = true;
    int x = 3;
    s.MoveTo(x, 356);
    EXPECT_EQ(s.FrequencyLo, -9999);
    x = 3;
    s.PositionX = 50;
    s.MoveTo(x, 356);
    EXPECT_EQ(s.FrequencyLo, -9999);

    s = Scale(9900, 1);
    s.Limited = true;
    s.Place(20000, 356);
    EXPECT_EQ(s.FrequencyLo, 9999);
    EXPECT_EQ(s.FrequencyHi, 9999);
}

TEST(RulerScale, RadioValuesMoveThePositionOrShiftTheScale)
{
    const struct {
        int64_t Value;
        int PositionX;
        int32_t Lo;
        int32_t Hi;
    } rows[] = {
        {7010000, 326, 7007040, 7010000}, // beyond the right end: it sits at that end
        {7001700, 200, 7000000, 7002960},
        {7002960, 326, 7000000, 7002960},
        {6990000, 30, 6990000, 6992960},  // below the left end: it sits at the start
    };
    for (const auto& r : rows) {
        TRulerScale s = Scale(7000000, 10);
        s.Place(r.Value, 356);
        EXPECT_EQ(s.PositionX, r.PositionX) << r.Value;
        EXPECT_EQ(s.FrequencyLo, r.Lo) << r.Value;
        EXPECT_EQ(s.FrequencyHi, r.Hi) << r.Value;
    }
}

TEST(RulerScale, TicksEveryTenPixelsLabelledEveryHundred)
{
    const tuning::TRulerTicks t = Scale(7000000, 10).Ticks(356);
    int majors = 0;
    for (const auto& tick : t.Ticks) {
        EXPECT_EQ((tick.X - 30) % 10, 0);
        EXPECT_EQ(tick.Major, (tick.X - 30) % 100 == 0) << tick.X;
        EXPECT_GT(tick.X, 0);
        EXPECT_LT(tick.X, 356);
        majors += tick.Major;
    }
    EXPECT_EQ(t.Ticks.size(), 35u); // x 10, 20 … 350
    EXPECT_EQ(majors, 4);            // x 30, 130, 230, 330
    EXPECT_EQ(t.FirstMajorX, 30);
    // A scale that starts off the grid: ticks stay on round values.
    const tuning::TRulerTicks off = Scale(7000055, 10).Ticks(356);
    EXPECT_EQ(off.FirstMajorX, 30 + 94); // 94.5 pixels in: halves go to even
    EXPECT_EQ(off.Ticks.front().Value % 100, 0);
}

TEST(RulerLabels, FrequencyAndClarifierTexts)
{
    const QLocale saved;
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany), QLocale::c()}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(tuning::FrequencyRulerLabel(7003000, 10), "7.003.0") << locale.name().toStdString();
        EXPECT_EQ(tuning::FrequencyRulerLabel(7003000, 100), "7.003") << locale.name().toStdString();
        EXPECT_EQ(tuning::FrequencyRulerLabel(14250000, 1), "14.250.0") << locale.name().toStdString();
        EXPECT_EQ(tuning::FrequencyRulerLabel(144000000, 1000), "144.000") << locale.name().toStdString();
    }
    QLocale::setDefault(saved);

    const struct {
        int64_t Value;
        const char* Text;
    } clar[] = {{1250, "+1.250"}, {-5, "-0.005"}, {0, "0.000"}, {100, "+0.100"}, {-1500, "-1.500"}, {9999, "+9.999"}};
    for (const auto& c : clar)
        EXPECT_EQ(tuning::ClarifierRulerLabel(c.Value), c.Text) << c.Value;
}

TEST(StripTexts, SplitOffsetKeepsSevenCharacters)
{
    const struct {
        int32_t A;
        int32_t B;
        const char* Text;
    } rows[] = {
        {14200000, 14205000, "  +5.00"},
        {14200000, 14195000, "  -5.00"},
        {14200000, 15450000, "+999.99"},
        {14200000, 14200000, "   0.00"},
        {14200000, 14201234, "  +1.23"},
        {14200000, 14201235, "  +1.24"},
        {14200000, 14199999, "  -0.00"},
        // Just below the cap the rounding would reach 1000.00: it reads the cap too.
        {14200000, 15199996, "+999.99"},
        {14200000, 15199994, "+999.99"},
        {0, 2147483647, "+999.99"},
        {2147483647, -2147483647 - 1, "-999.99"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(tuning::QSXText(r.A, r.B), r.Text) << r.A << " " << r.B;
}

TEST(StripTexts, BandwidthAtEachResolutionOnThePanelsStrip)
{
    const char* expected[] = {"320 Hz", "3 kHz", "6 kHz", "10 kHz", "30 kHz", "60 kHz", "160 kHz", "320 kHz"};
    for (int i = tuning::ResolutionIndexMin; i <= tuning::ResolutionIndexMax; ++i)
        EXPECT_EQ(tuning::BandwidthText(tuning::ResolutionAt(i) * (359 - 30)), expected[i - 1]) << i;
    EXPECT_EQ(tuning::BandwidthText(1000), "1000 Hz");
    EXPECT_EQ(tuning::BandwidthText(1001), "1 kHz");
    EXPECT_EQ(tuning::BandwidthText(3000), "3 kHz");
}

TEST(SmallControlsLogic, LampNamesHintsAndMemoryFrequency)
{
    const struct {
        TTransceiver Model;
        TVFOButtonType Type;
        const char* Unlit;
        const char* Lit;
    } lamps[] = {
        {FT2000, vfoARX, "FT2000_RX_0", "FT2000_RX_1"},
        {FT2000D, vfoBTX, "FT2000_TX_0", "FT2000_TX_1"},
        {FT950, vfoBRX, "FT950_RX_0", "FT950_RX_1"},
        {FTDX5000, vfoATX, "FT5K_TX_A_0", "FT5K_TX_A_1"},
        {FTDX5000, vfoBTX, "FT5K_TX_B_0", "FT5K_TX_B_1"},
    };
    for (const auto& l : lamps) {
        const auto names = smallcontrols::LampPictureNames(l.Model, l.Type);
        EXPECT_EQ(names[0], l.Unlit);
        EXPECT_EQ(names[1], l.Lit);
    }
    EXPECT_EQ(smallcontrols::AllLampPictureNames().size(), 16);
    EXPECT_EQ(smallcontrols::LampHint(vfoBTX, vfoOn), "TX on");
    EXPECT_EQ(smallcontrols::LampHint(vfoARX, vfoMute), "RX mute");
    EXPECT_EQ(smallcontrols::LampHint(vfoBRX, vfoOff), "RX off");

    EXPECT_EQ(smallcontrols::MemoryFrequencyText(7074000), "7.074.000");
    EXPECT_EQ(smallcontrols::MemoryFrequencyText(14074000), "14.074.000");
    EXPECT_EQ(smallcontrols::MemoryFrequencyText(30000), "30.000");
    EXPECT_EQ(smallcontrols::MemoryFrequencyText(0), "");
    EXPECT_EQ(smallcontrols::MemoryFrequencyText(-5), "");
}
