// The frequency and clarifier rulers driven by mouse and keys on the manual clock: moves,
// edge scrolling, the end of a gesture, radio values held back while the operator tunes.
#include "PanelTestUtils.h"
#include "panel/widgets/TuningRulers.h"
#include "tests/support/WidgetInput.h"

#include <gtest/gtest.h>
#include <vector>

using vx::Clock;

namespace {

struct Change {
    TVFO VFO;
    int32_t Frequency;
    bool operator==(const Change&) const = default;
};

// A frequency ruler with every event recorded.
struct Slider {
    TTuningPanelSlider w;
    std::vector<Change> changes;
    int sliderClicks = 0;
    int requests = 0;
    int scans = 0;

    Slider()
    {
        w.OnFrequencyChange = [this](TVFO vfo, int32_t f) { changes.push_back({vfo, f}); };
        w.OnSliderClick = [this] { ++sliderClicks; };
        w.OnFrequencyRequest = [this] { ++requests; };
        w.OnScanContinue = [this] { ++scans; };
    }
    int32_t Last() const { return changes.empty() ? 0 : changes.back().Frequency; }
};

struct Clar {
    TTuningPanelClarifier w;
    std::vector<int32_t> steps;

    Clar()
    {
        w.OnClarifierChange = [this](int32_t d) { steps.push_back(d); };
    }
    int32_t Sum() const
    {
        int32_t s = 0;
        for (int32_t d : steps)
            s += d;
        return s;
    }
};

class TuningRuler : public ::testing::Test {
protected:
    void SetUp() override { Clock::useManual(); }
    void TearDown() override { Clock::useSystem(); }
};

} // namespace

TEST_F(TuningRuler, PressTunesAndTheGestureEndsASecondAfterTheRelease)
{
    Slider s;
    ASSERT_EQ(s.w.size(), QSize(356, 44));
    EXPECT_FALSE(TTuningPanelSlider::UserIsTuning());
    vxtest::MousePress(&s.w, {200, 30});
    EXPECT_EQ(s.changes, (std::vector<Change>{{vfoB, 7001700}}));
    EXPECT_EQ(s.sliderClicks, 1);
    EXPECT_TRUE(s.w.Selected());
    EXPECT_TRUE(TTuningPanelSlider::UserIsTuning());
    vxtest::MouseMove(&s.w, {210, 30});
    vxtest::MouseMove(&s.w, {210, 40}); // same column: no report
    EXPECT_EQ(s.changes.size(), 2u);
    EXPECT_EQ(s.Last(), 7001800);
    vxtest::MouseRelease(&s.w, {210, 40});
    EXPECT_FALSE(s.w.MouseDownTimer.isActive());
    Clock::advance(999);
    EXPECT_EQ(s.requests, 0);
    EXPECT_TRUE(TTuningPanelSlider::UserIsTuning());
    Clock::advance(1);
    EXPECT_EQ(s.requests, 1);
    EXPECT_FALSE(TTuningPanelSlider::UserIsTuning());
    Clock::advance(5000);
    EXPECT_EQ(s.requests, 1);
}

TEST_F(TuningRuler, HoldingThePointerAtAnEdgeScrollsEvery250ms)
{
    Slider s;
    vxtest::MousePress(&s.w, {5, 30});
    EXPECT_EQ(s.w.FrequencyLo(), 6999800);
    EXPECT_EQ(s.Last(), 6999600);
    EXPECT_EQ(s.w.PositionX(), 10);
    Clock::advance(250);
    EXPECT_EQ(s.w.FrequencyLo(), 6999600);
    EXPECT_EQ(s.Last(), 6999400);
    Clock::advance(250);
    EXPECT_EQ(s.Last(), 6999200);
    vxtest::MouseRelease(&s.w, {5, 30});
    Clock::advance(250);
    EXPECT_EQ(s.Last(), 6999200);

    Slider r;
    vxtest::MousePress(&r.w, {350, 30});
    EXPECT_EQ(r.w.PositionX(), 346);
    EXPECT_EQ(r.Last(), 7003360);
    Clock::advance(250);
    EXPECT_EQ(r.w.FrequencyLo(), 7000400);
    EXPECT_EQ(r.Last(), 7003560);
    EXPECT_EQ(r.w.FrequencyHi(), 7003360);
}

TEST_F(TuningRuler, RadioReportsFollowUnlessTheOperatorTunesThatVFO)
{
    Slider s;
    s.w.SetFrequencyB(7010000);
    EXPECT_EQ(s.w.PositionX(), 326);
    EXPECT_EQ(s.w.FrequencyHi(), 7010000);
    EXPECT_TRUE(s.changes.empty()); // radio values are not reported back

    Slider d;
    Slider other;
    vxtest::MousePress(&d.w, {100, 30});
    ASSERT_EQ(d.w.FrequencyB(), 7000700);
    d.w.SetFrequencyB(7000500); // the radio lagging behind the pointer
    EXPECT_EQ(d.w.FrequencyB(), 7000700);
    EXPECT_EQ(d.w.PositionX(), 100);
    d.w.SetFrequencyA(7000300);
    EXPECT_EQ(d.w.FrequencyA(), 7000300);
    EXPECT_EQ(d.w.MarkerXA(), 60);
    // Another ruler sees the same flag.
    other.w.SetFrequencyB(7000900);
    EXPECT_EQ(other.w.FrequencyB(), 7000000);
    vxtest::MouseRelease(&d.w, {100, 30});
    Clock::advance(1000);
    d.w.SetFrequencyB(7000500);
    EXPECT_EQ(d.w.FrequencyB(), 7000500);
    EXPECT_EQ(d.w.PositionX(), 80);
}

TEST_F(TuningRuler, KeysMoveTheTunedVFO)
{
    const struct {
        int Key;
        int32_t Frequency; // 0: no move
        int SliderClicks;
        int Scans;
        bool Tuning;
    } rows[] = {
        {Qt::Key_PageUp, 7001800, 2, 0, true},
        {Qt::Key_PageDown, 7001600, 2, 0, true},
        {Qt::Key_Left, 7001690, 2, 0, true},
        {Qt::Key_Down, 7001690, 2, 0, true},
        {Qt::Key_Up, 7001710, 2, 0, true},
        {Qt::Key_Right, 7001710, 2, 0, true},
        {Qt::Key_Home, 7000000, 2, 0, true},
        {Qt::Key_End, 7002960, 2, 0, true},
        {Qt::Key_A, 0, 1, 0, true},
        {Qt::Key_Space, 0, 0, 1, false}, // scanning goes on, nothing else
    };
    for (const auto& r : rows) {
        Slider s;
        s.w.SetFrequencyB(7001700);
        ASSERT_EQ(s.w.PositionX(), 200);
        vxtest::KeyPress(&s.w, r.Key, r.Key == Qt::Key_A ? QStringLiteral("a") : QString());
        EXPECT_EQ(s.Last(), r.Frequency) << r.Key;
        EXPECT_EQ(s.sliderClicks, r.SliderClicks) << r.Key;
        EXPECT_EQ(s.scans, r.Scans) << r.Key;
        EXPECT_EQ(TTuningPanelSlider::UserIsTuning(), r.Tuning) << r.Key;
        vxtest::KeyRelease(&s.w, r.Key);
        Clock::advance(1000);
        EXPECT_EQ(s.requests, 1) << r.Key;
        EXPECT_FALSE(TTuningPanelSlider::UserIsTuning()) << r.Key;
    }
}

TEST_F(TuningRuler, HomeOrEndDuringADragStopsBothTimers)
{
    for (int key : {Qt::Key_Home, Qt::Key_End}) {
        Slider s;
        vxtest::MousePress(&s.w, {5, 30});
        ASSERT_TRUE(s.w.MouseDownTimer.isActive());
        vxtest::KeyPress(&s.w, key);
        EXPECT_FALSE(s.w.MouseDownTimer.isActive()) << key;
        EXPECT_FALSE(s.w.UserIsTuningTimer.isActive()) << key;
        EXPECT_EQ(s.w.PositionX(), key == Qt::Key_Home ? 30 : 326) << key;
        const size_t reported = s.changes.size();
        Clock::advance(2000); // no more edge scrolling
        EXPECT_EQ(s.changes.size(), reported) << key;
        EXPECT_EQ(s.requests, 0) << key;
    }
}

TEST_F(TuningRuler, ZeroKeyTakesTheOtherVFOsFrequency)
{
    Slider s;
    s.w.SetFrequencyA(7001000);
    s.w.SetFrequencyB(7002000);
    vxtest::MousePress(&s.w, {300, 30});
    vxtest::KeyPress(&s.w, Qt::Key_0, QStringLiteral("0"));
    EXPECT_EQ(s.w.FrequencyB(), 7001000);
    EXPECT_EQ(s.changes.back(), (Change{vfoB, 7001000}));
    EXPECT_EQ(s.w.PositionX(), s.w.MarkerXB());
    EXPECT_FALSE(s.w.MouseDownTimer.isActive());

    s.w.SetVFO(vfoA);
    EXPECT_EQ(s.w.FrequencyLo(), 7001000); // the scale starts at the newly tuned VFO
    s.w.SetFrequencyB(7003000);
    vxtest::KeyPress(&s.w, Qt::Key_0, QStringLiteral("0"));
    EXPECT_EQ(s.changes.back(), (Change{vfoA, 7003000}));
    EXPECT_EQ(s.w.FrequencyA(), 7003000);
}

TEST_F(TuningRuler, LockBlocksOperatorTuning)
{
    Slider s;
    s.w.SetLock(true);
    vxtest::MousePress(&s.w, {200, 30});
    vxtest::MouseMove(&s.w, {220, 30});
    vxtest::MouseRelease(&s.w, {220, 30});
    vxtest::KeyPress(&s.w, Qt::Key_PageUp);
    vxtest::KeyPress(&s.w, Qt::Key_Space);
    EXPECT_TRUE(s.changes.empty());
    EXPECT_EQ(s.sliderClicks, 0);
    EXPECT_EQ(s.scans, 0);
    EXPECT_TRUE(s.w.Selected());
    EXPECT_EQ(s.w.FrequencyB(), 7000000);
}

TEST_F(TuningRuler, ResolutionOfZeroOrLessIsRefused)
{
    Slider s;
    s.w.SetResolution(0);
    s.w.SetResolution(-10);
    EXPECT_EQ(s.w.Resolution(), 10);
    vxtest::MousePress(&s.w, {200, 30});
    EXPECT_EQ(s.Last(), 7001700);
    s.w.SetResolution(100);
    EXPECT_EQ(s.w.FrequencyHi(), s.w.FrequencyLo() + 29600);
}

TEST_F(TuningRuler, LosingFocusEndsTheGestureAtOnce)
{
    Slider s;
    vxtest::MousePress(&s.w, {200, 30});
    vxtest::MouseRelease(&s.w, {200, 30});
    s.w.SetSelected(false);
    EXPECT_EQ(s.requests, 1);
    EXPECT_FALSE(TTuningPanelSlider::UserIsTuning());
    Clock::advance(2000);
    EXPECT_EQ(s.requests, 1);
}

TEST_F(TuningRuler, RulerEventGivesTheFirstLabelledTick)
{
    Slider s;
    std::vector<int> ticks;
    s.w.OnRuler = [&](int32_t x) { ticks.push_back(x); };
    RenderWidget(s.w);
    s.w.SetFrequencyB(7000550); // inside the scale: the ruler keeps its start
    s.w.SetVFO(vfoA);
    s.w.SetFrequencyA(7000000);
    s.w.SetFrequencyA(7020555); // beyond the end: the scale moves
    RenderWidget(s.w);
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0], 30);
    // The scale now ends at 7020555 and starts 2960 Hz below it; 7018000 is the first label.
    EXPECT_EQ(ticks[1], 30 + (7018000 - 7017595) / 10);
}

TEST_F(TuningRuler, ClarifierReportsStepsFromTheRadiosOffset)
{
    Clar c;
    EXPECT_EQ(c.w.MarkerX(), 178); // offset 0 is on the scale from the start
    vxtest::MousePress(&c.w, {178, 30});
    EXPECT_TRUE(c.steps.empty());
    vxtest::MouseMove(&c.w, {215, 30});
    EXPECT_EQ(c.steps, std::vector<int32_t>{37});
    vxtest::MouseRelease(&c.w, {215, 30});
    Clock::advance(1000);

    c.w.SetClarifierOffset(0); // the radio cleared its clarifier
    EXPECT_EQ(c.w.PositionX(), 178);
    vxtest::MousePress(&c.w, {183, 30});
    EXPECT_EQ(c.steps.back(), 5);
    EXPECT_EQ(c.w.ClarifierOffset(), 5);
    vxtest::MouseRelease(&c.w, {183, 30});

    vxtest::KeyPress(&c.w, Qt::Key_0, QStringLiteral("0"));
    EXPECT_EQ(c.steps.back(), 0);
    EXPECT_EQ(c.w.ClarifierOffset(), 0);
    vxtest::KeyPress(&c.w, Qt::Key_Right);
    EXPECT_EQ(c.steps.back(), 1);
    vxtest::KeyPress(&c.w, Qt::Key_Space); // no change on the clarifier ruler
    EXPECT_EQ(c.steps.back(), 1);
    EXPECT_EQ(c.w.ClarifierOffset(), 1);
}

TEST_F(TuningRuler, ClarifierScrollStopsAtTheOffsetLimit)
{
    Clar c;
    vxtest::MousePress(&c.w, {3, 30});
    Clock::advance(250 * 600);
    vxtest::MouseRelease(&c.w, {3, 30});
    EXPECT_EQ(c.w.FrequencyLo(), -9999);
    // The steps add up to the offset the ruler shows, so the radio ends where the marker is.
    EXPECT_EQ(c.Sum(), c.w.ClarifierOffset());
}
