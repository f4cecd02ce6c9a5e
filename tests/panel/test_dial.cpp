// The tuning dial: drag steps, up/down mode, lock, the step cycle, the dimple following the
// frequency, and an offscreen render of every dial type.
#include "ControlTestUtils.h"
#include "controls/widgets/ArtRegistry.h"
#include "core/RCUtils.h"
#include "panel/DialLogic.h"
#include "panel/KnobLogic.h"
#include "panel/widgets/FTPanelDial.h"

#include <QLabel>
#include <vector>
#include <gtest/gtest.h>

namespace {

constexpr double TwoPi = 6.283185307179586;

double Degrees(double d)
{
    return d * TwoPi / 360;
}

// A point on the rim of the main dial, where rounding to whole pixels moves the angle least.
QPoint Rim(int degree)
{
    return PolarToPoint(degree, QPoint(74, 74), 74);
}

class DialTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        dial.OnTuningStep = [this](QObject* sender, int value) {
            EXPECT_EQ(sender, &dial);
            steps.push_back(value);
        };
    }
    void TearDown() override { vx::Clock::useSystem(); }

    TFTPanelDial dial;
    std::vector<int> steps;
};

} // namespace

TEST(DialLogic, StepRoundsToTheDialStepWithHalvesToEven)
{
    const struct {
        double Hz;
        int DialStep;
        int Step;
    } rows[] = {
        {15, 10, 20}, {25, 10, 20}, {14, 10, 10}, {-15, 10, -20}, {150, 100, 200}, {250, 100, 200},
        {2.5, 1, 2},  {3.5, 1, 4},  {-0.4, 1, 0},  {55.6, 1, 56},
    };
    for (const auto& r : rows)
        EXPECT_EQ(RoundDialStep(r.Hz, r.DialStep), r.Step) << r.Hz << " at " << r.DialStep;
}

TEST(DialLogic, AFullTurnIsAThousandTimesTheDialStep)
{
    EXPECT_EQ(DialTuningStep(Degrees(20), 1, false), 56);
    EXPECT_EQ(DialTuningStep(Degrees(-20), 1, false), -56);
    EXPECT_EQ(DialTuningStep(TwoPi / 4, 1, true), 2500);
    EXPECT_EQ(DialTuningStep(TwoPi / 4, 10, false), 2500);
    EXPECT_EQ(DialTuningStep(TwoPi / 4, 100, true), 250000);
}

TEST(DialLogic, PointerAnglesAreClockwiseFromTheTop)
{
    const QPoint c(74, 74);
    EXPECT_DOUBLE_EQ(DialPointerRadian({74, 10}, c), TwoPi); // straight up counts as a full turn
    EXPECT_DOUBLE_EQ(DialPointerRadian({140, 74}, c), TwoPi / 4);
    EXPECT_DOUBLE_EQ(DialPointerRadian({74, 140}, c), TwoPi / 2);
    EXPECT_DOUBLE_EQ(DialPointerRadian({10, 74}, c), 3 * TwoPi / 4);
    EXPECT_EQ(DialDimpleDegree({74, 10}, c), 360);
    EXPECT_EQ(DialDimpleDegree({140, 74}, c), 90);
    EXPECT_EQ(DialDimpleDegree({74, 140}, c), 180); // below the centre: the dimple goes down, not up
    EXPECT_EQ(DialDimpleDegree({10, 74}, c), 270);
    EXPECT_EQ(DialDimpleDegree(Rim(350), c), 350);
}

TEST(DialLogic, DimpleCreepsTowardsAFrequencyChangeAndSnapsPastTheTop)
{
    const struct {
        int Degree;
        int64_t Delta;
        int Result;
    } rows[] = {
        {100, 10, 101}, {100, 1000, 0}, {0, -1, 359}, {100, -10, 99}, {359, 1, 0}, {100, -101, 359},
        {360, 1, 0},    {200, int64_t(4000000000), 0}, {200, -int64_t(4000000000), 359},
    };
    for (const auto& r : rows)
        EXPECT_EQ(DialFollowFrequency(TDegree(r.Degree), r.Delta), r.Result) << r.Degree << " " << r.Delta;
}

TEST_F(DialTest, ADragReportsTheTurnSincePressAndTheDimpleFollowsThePointer)
{
    ctl::Press(dial, Rim(350));
    ctl::Drag(dial, Rim(10));
    EXPECT_EQ(steps, std::vector<int>{56});
    EXPECT_EQ(dial.TuningStep(), 56);
    EXPECT_EQ(dial.Degree(), 10);
    ctl::Drag(dial, Rim(10)); // no movement: no step
    ctl::Drag(dial, Rim(350)); // back across the top the short way
    EXPECT_EQ(steps, (std::vector<int>{56, -56}));
    ctl::Release(dial, Rim(350));
    EXPECT_EQ(dial.TuningStep(), 0);

    // The next drag starts a quarter turn from where this one ended: only its own 10° count.
    steps.clear();
    ctl::Press(dial, Rim(80));
    ctl::Drag(dial, Rim(90));
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_NEAR(steps[0], 28, 1);
    ctl::Release(dial, Rim(90));

    // Holding still after a drag tunes no further.
    steps.clear();
    ctl::Press(dial, Rim(90));
    ctl::Drag(dial, Rim(100));
    vx::Clock::advance(1000);
    EXPECT_EQ(steps.size(), 1u);
    ctl::Release(dial, Rim(100));
}

TEST_F(DialTest, FastStepAndDialStepScaleTheTurn)
{
    const struct {
        bool Fast;
        int DoubleClicks;
        int Step;
    } rows[] = {{false, 0, 250}, {true, 0, 2500}, {false, 1, 2500}, {true, 2, 250000}, {false, 3, 250}};
    for (const auto& r : rows) {
        TFTPanelDial d;
        d.SetFastStep(r.Fast);
        for (int i = 0; i < r.DoubleClicks; ++i)
            ctl::DoubleClick(d, QPoint(74, 74));
        int got = 0;
        d.OnTuningStep = [&got](QObject*, int v) { got += v; };
        ctl::Press(d, QPoint(74, 0)); // top
        ctl::Drag(d, QPoint(148, 74)); // right: a quarter turn clockwise
        ctl::Release(d, QPoint(148, 74));
        EXPECT_EQ(got, r.Step) << r.Fast << " " << r.DoubleClicks;
    }
}

TEST_F(DialTest, DoubleClickCyclesTheStepAndShowsItForTwoSeconds)
{
    QLabel* label = dial.DialModeLabel();
    EXPECT_EQ(label->pos(), QPoint(2, 135));
    EXPECT_TRUE(label->isHidden());
    for (int expected : {10, 100, 1, 10}) {
        ctl::DoubleClick(dial, QPoint(74, 74));
        EXPECT_EQ(dial.DialStep(), expected);
        EXPECT_EQ(label->text(), QStringLiteral("%1 Hz").arg(expected));
    }
    EXPECT_FALSE(label->isHidden());
    vx::Clock::advance(1999);
    EXPECT_FALSE(label->isHidden());
    vx::Clock::advance(1);
    EXPECT_TRUE(label->isHidden());

    // The label sits at the bottom of every dial type.
    dial.SetDialType(dtFT2K_VFOB);
    EXPECT_EQ(dial.size(), QSize(67, 67));
    EXPECT_EQ(dial.CenterPoint(), QPoint(34, 34));
    EXPECT_EQ(label->y(), 67 - 14);

    // Up/down mode keeps the step.
    dial.SetDialMode(dmUpDown);
    ctl::DoubleClick(dial, QPoint(34, 10));
    EXPECT_EQ(dial.DialStep(), 10);
    EXPECT_TRUE(steps.empty());
}

TEST_F(DialTest, LockTunesNothingButStillRecordsThePointer)
{
    dial.SetLock(true);
    EXPECT_EQ(dial.cursor().shape(), Qt::ForbiddenCursor);
    ctl::Press(dial, Rim(0));
    EXPECT_FALSE(TFTPanelDial::Pointer().ButtonHeld);
    ctl::Drag(dial, Rim(90));
    EXPECT_EQ(TFTPanelDial::Pointer().Last, Rim(90));
    ctl::Release(dial, Rim(90));
    ctl::DoubleClick(dial, Rim(90));
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(dial.DialStep(), 1);
    EXPECT_EQ(dial.Degree(), 0);
    dial.SetLock(false);
    EXPECT_EQ(dial.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(DialTest, UpDownModeStepsEveryTwoHundredMillisecondsTowardsTheHeldHalf)
{
    dial.SetDialMode(dmUpDown);
    dial.SetDegree(45);
    ctl::Press(dial, QPoint(74, 30));
    EXPECT_TRUE(TFTPanelDial::Pointer().UpperPressed);
    vx::Clock::advance(199);
    EXPECT_TRUE(steps.empty());
    vx::Clock::advance(201);
    EXPECT_EQ(steps, (std::vector<int>{1, 1}));
    // Sliding into the lower half while holding reverses the direction; a drag tunes nothing.
    ctl::Drag(dial, QPoint(74, 120));
    vx::Clock::advance(200);
    EXPECT_EQ(steps, (std::vector<int>{1, 1, -1}));
    ctl::Release(dial, QPoint(74, 120));
    vx::Clock::advance(1000);
    EXPECT_EQ(steps.size(), 3u);
    EXPECT_EQ(dial.Degree(), 0);
    EXPECT_FALSE(TFTPanelDial::Pointer().ButtonHeld);
}

TEST_F(DialTest, FrequencyReportsMoveTheDimpleUnlessAnyDialIsHeld)
{
    dial.SetDegree(100);
    dial.SetFrequency(7000010);
    EXPECT_EQ(dial.Degree(), 101);
    dial.SetFrequency(7001010);
    EXPECT_EQ(dial.Degree(), 0);
    dial.SetFrequency(7001009);
    EXPECT_EQ(dial.Degree(), 359);
    dial.SetFrequency(7001009); // unchanged: nothing
    EXPECT_EQ(dial.Degree(), 359);

    TFTPanelDial other;
    other.SetDialType(dtFT2K_VFOB);
    ctl::Press(other, QPoint(30, 30));
    dial.SetFrequency(7002000);
    EXPECT_EQ(dial.Degree(), 359);
    EXPECT_EQ(dial.Frequency(), 7002000);
    ctl::Release(other, QPoint(30, 30));
    dial.SetFrequency(7002010);
    EXPECT_EQ(dial.Degree(), 0);
}

TEST(DialArt, EveryPictureTheDialsAndKnobsAskForIsRegistered)
{
    TFTPanelDial dial; // registers the pictures
    for (int t = 0; t < DialTypeCount; ++t) {
        const TDialGeometry& g = DialGeometry(TDialType(t));
        EXPECT_EQ(vx::art::Size(QString::fromLatin1(g.Face)), QSize(g.Size, g.Size)) << g.Face;
        if (g.Dimple) {
            EXPECT_EQ(vx::art::Size(QString::fromLatin1(g.Dimple)), QSize(2 * g.DimpleOffset, 2 * g.DimpleOffset)) << g.Dimple;
        }
    }
    for (int t = 0; t < KnobTypeCount; ++t)
        EXPECT_EQ(vx::art::Size(QString::fromLatin1(KnobGeometry(TKnobType(t)).Face)), KnobGeometry(TKnobType(t)).Size);
    EXPECT_EQ(vx::art::Size(QStringLiteral("DIAL_UP")), QSize(64, 33));
    EXPECT_EQ(vx::art::Size(QStringLiteral("DIAL_DOWN")), QSize(64, 33));
}

TEST(DialRender, SavesEveryDialType)
{
    ctl::Scene scene(QSize(640, 330));
    const struct {
        TDialType Type;
        QPoint At;
        TDegree Degree;
        const char* Caption;
    } dials[] = {
        {dtFT2K_VFOA, {10, 10}, 40, "FT2K_VFOA"},     {dtFT950_VFOA, {175, 10}, 300, "FT950_VFOA"},
        {dtFT5K_VFOA, {340, 10}, 200, "FT5K_VFOA"},   {dtFT2K_VFOB, {510, 20}, 90, "FT2K_VFOB"},
        {dtFT2K_Clar, {10, 200}, 0, "FT2K_Clar"},     {dtFT2K_VRF, {95, 200}, 0, "FT2K_VRF"},
        {dtFT950_VFOB, {180, 185}, 320, "FT950_VFOB"}, {dtFT5K_VFOB, {295, 200}, 135, "FT5K_VFOB"},
        {dtFT5K_SUBPANEL, {385, 200}, 250, "FT5K_SUBPANEL"},
    };
    std::vector<TFTPanelDial*> made;
    for (const auto& d : dials) {
        auto* dial = new TFTPanelDial;
        dial->SetDialType(d.Type);
        dial->SetDegree(d.Degree);
        made.push_back(scene.Add(dial, d.At, QString::fromLatin1(d.Caption)));
    }
    auto* upDown = new TFTPanelDial;
    upDown->SetDialType(dtFT2K_VFOB);
    upDown->SetDialMode(dmUpDown);
    scene.Add(upDown, {510, 200}, QStringLiteral("up/down, held"));

    // The step label after a double click, the small dials' dimples under the pointer, and the
    // arrows of the up/down dial while its upper half is held.
    ctl::DoubleClick(*made[0], {74, 20});
    ctl::Enter(*made[3]);
    ctl::Press(*upDown, {34, 10});
    EXPECT_FALSE(made[0]->DialModeLabel()->isHidden());

    for (const qreal dpr : {1.0, 2.0}) {
        const QImage img = scene.Render(dpr);
        const QString name = dpr == 1.0 ? QStringLiteral("control-dial.png") : QStringLiteral("control-dial@2x.png");
        EXPECT_TRUE(SaveArtifact(img, name));
    }
    ctl::Release(*upDown, {34, 10});
    ctl::Leave(*made[3]);
}
