// The knobs: value to pointer angle, clamping, the meter selector, its click halves and its names
// clear of the pointer, and an offscreen render of every knob type.
#include "ControlTestUtils.h"
#include "core/RCUtils.h"
#include "panel/KnobLogic.h"
#include "panel/widgets/FTPanelKnob.h"
#include "panel/widgets/PanelControlArt.h"

#include <QLineF>
#include <algorithm>

#include <gtest/gtest.h>

namespace {

bool IsRed(QRgb c)
{
    return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90;
}

// Whether a red pixel lies within a pixel of p.
bool RedNear(const QImage& img, QPoint p)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.valid(p.x() + dx, p.y() + dy) && IsRed(img.pixel(p.x() + dx, p.y() + dy)))
                return true;
    return false;
}

} // namespace

TEST(KnobLogic, ValueToAngleSweepsThreeHundredDegrees)
{
    const struct {
        int Value, Min, Max, Angle;
    } rows[] = {
        {0, 0, 255, 210}, {127, 0, 255, 359}, {128, 0, 255, 1}, {255, 0, 255, 148}, // 150 becomes 148
        {0, -1000, 1000, 360}, {-1000, -1000, 1000, 210}, {1, 1, 40, 210}, {40, 1, 40, 148},
        {5, 5, 5, 210}, // an empty range shows the minimum
    };
    for (const auto& r : rows)
        EXPECT_EQ(KnobValueToAngle(r.Value, r.Min, r.Max), r.Angle) << r.Value << " in " << r.Min << ".." << r.Max;
    // A reversed range (a caller's slip) still gives an angle on the dial.
    for (int v : {-100, 0, 7, 10, 100})
        EXPECT_LE(KnobValueToAngle(v, 10, 0), 360) << v;
    const int meter[6] = {300, 330, 0, 30, 60, 90};
    for (int v = 0; v < 6; ++v)
        EXPECT_EQ(KnobMeterAngle(v), meter[v]) << v;
}

TEST(Knob, ValuesAreClampedToTheirRange)
{
    TFTPanelKnob knob;
    EXPECT_EQ(knob.size(), QSize(47, 47));
    const struct {
        int Set, Stored, Angle;
    } rows[] = {{300, 255, 148}, {-5, 0, 210}, {128, 128, 1}};
    for (const auto& r : rows) {
        knob.SetValueInner(r.Set);
        knob.SetValueOuter(r.Set);
        EXPECT_EQ(knob.ValueInner(), r.Stored) << r.Set;
        EXPECT_EQ(knob.DegreeInner(), r.Angle) << r.Set;
        EXPECT_EQ(knob.ValueOuter(), r.Stored) << r.Set;
        EXPECT_EQ(knob.DegreeOuter(), r.Angle) << r.Set;
    }
    // A range with nothing in it: the minimum, no division by zero.
    knob.SetValueInnerMin(5);
    knob.SetValueInnerMax(5);
    knob.SetValueInner(9);
    EXPECT_EQ(knob.ValueInner(), 5);
    EXPECT_EQ(knob.DegreeInner(), 210);
    RenderWidget(knob);
}

TEST(Knob, PointersAreDrawnInRedAtTheirAngles)
{
    TFTPanelKnob knob;
    knob.SetValueInner(0);     // 210°, lower left
    knob.SetValueOuter(255);   // 148°, lower right
    const QPoint c = KnobCentre(knob.size());
    QImage img = RenderWidget(knob);
    EXPECT_TRUE(RedNear(img, PolarToPoint(210, c, 15)));
    EXPECT_TRUE(RedNear(img, PolarToPoint(148, c, 22)));
    EXPECT_FALSE(RedNear(img, PolarToPoint(0, c, 15)));
    // Without the inner value only the outer pointer shows.
    knob.SetValueInnerEnabled(false);
    img = RenderWidget(knob);
    EXPECT_FALSE(RedNear(img, PolarToPoint(210, c, 15)));
    EXPECT_TRUE(RedNear(img, PolarToPoint(148, c, 22)));
}

TEST(Knob, MeterKnobsHaveSixPlacesAndTwoClickHalves)
{
    const struct {
        TKnobType Type;
        QSize Size;
        QPoint Centre;
    } meters[] = {{ktFT2K_Meter, {88, 56}, {44, 32}}, {ktFT5K_Meter, {87, 51}, {43, 25}}};
    for (const auto& m : meters) {
        TFTPanelKnob knob;
        int forward = 0, back = 0;
        knob.OnClick = [&forward] { ++forward; };
        knob.OnClickBack = [&back] { ++back; };
        knob.SetKnobType(m.Type);
        EXPECT_EQ(knob.size(), m.Size);
        EXPECT_EQ(knob.ValueOuterMax(), 5);
        knob.SetValueOuter(7);
        EXPECT_EQ(knob.ValueOuter(), 5);
        EXPECT_EQ(knob.DegreeOuter(), 90);
        EXPECT_TRUE(RedNear(RenderWidget(knob), PolarToPoint(90, m.Centre, 20)));

        ctl::Click(knob, QPoint(m.Size.width() / 2 - 1, 20));
        EXPECT_EQ(back, 1);
        EXPECT_EQ(forward, 0);
        ctl::Click(knob, QPoint(m.Size.width() / 2, 20));
        EXPECT_EQ(forward, 1);
    }
    TFTPanelKnob plain;
    bool any = false;
    plain.OnClick = plain.OnClickBack = [&any] { any = true; };
    ctl::Click(plain, QPoint(5, 20));
    ctl::Click(plain, QPoint(40, 20));
    EXPECT_FALSE(any);
}

TEST(Knob, MeterNamesStandOutsideTheRingThePointerTurnsIn)
{
    // The FT DX 5000's selector sits too high in its picture for a name above it: the face
    // prints that one.
    const struct {
        TKnobType Type;
        QStringList Names;
    } meters[] = {{ktFT2K_Meter, {"COMP", "ALC", "PO", "SWR", "ID", "VDD"}},
                  {ktFT5K_Meter, {"COMP", "ALC", "SWR", "ID", "VDD"}}};
    for (const auto& m : meters) {
        const TMeterKnobLayout layout = MeterKnobLayout(m.Type);
        const TKnobGeometry& g = KnobGeometry(m.Type);
        // The pointer reaches 23 pixels from the centre, with half its pen width beyond.
        EXPECT_GE(layout.RingRadius, 23.5);
        QStringList names;
        for (const faceart::TPrintedLegend& name : layout.Names) {
            SCOPED_TRACE(name.Text.toStdString());
            names << name.Text;
            EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(g.Size)).contains(name.Box));
            // The point of the box nearest to the centre lies beyond the ring.
            const QPointF nearest(std::clamp(layout.Centre.x(), name.Box.left(), name.Box.right()),
                                  std::clamp(layout.Centre.y(), name.Box.top(), name.Box.bottom()));
            EXPECT_GT(QLineF(layout.Centre, nearest).length(), layout.RingRadius);
            for (const faceart::TPrintedLegend& other : layout.Names)
                if (&other != &name) {
                    EXPECT_FALSE(name.Box.adjusted(-1, -1, 1, 1).intersects(other.Box)) << other.Text.toStdString();
                }
        }
        EXPECT_EQ(names, m.Names);
    }
    EXPECT_TRUE(MeterKnobLayout(ktFT5K_Knob1).Names.isEmpty());
}

TEST(KnobRender, SavesEveryKnobType)
{
    ctl::Scene scene(QSize(560, 230));
    const struct {
        TKnobType Type;
        QPoint At;
        int Inner, Outer;
        const char* Caption;
    } knobs[] = {
        {ktFT2K_Knob1, {10, 10}, 40, 200, "FT2K_Knob1"},   {ktFT2K_Knob2, {75, 10}, 128, 0, "FT2K_Knob2"},
        {ktFT2K_Meter, {140, 5}, 0, 3, "FT2K_Meter"},      {ktFT5K_Knob1, {250, 10}, 255, 64, "FT5K_Knob1"},
        {ktFT5K_Knob2, {320, 10}, 90, 180, "FT5K_Knob2"},  {ktFT5K_Knob3, {390, 10}, 10, 250, "FT5K_Knob3"},
        {ktFT5K_Knob4, {460, 10}, 200, 100, "FT5K_Knob4"}, {ktFT5K_Knob5, {10, 110}, 60, 160, "FT5K_Knob5"},
        {ktFT5K_Knob6, {85, 110}, 170, 30, "FT5K_Knob6"},  {ktFT5K_KNOB_A, {160, 115}, 128, 128, "FT5K_KNOB_A"},
        {ktFT5K_KNOB_B, {225, 110}, 30, 220, "FT5K_KNOB_B"}, {ktFT5K_Meter, {300, 110}, 0, 5, "FT5K_Meter"},
        {ktFT950_KNOB_AF, {410, 105}, 180, 60, "FT950_KNOB_AF"},
    };
    for (const auto& k : knobs) {
        auto* knob = new TFTPanelKnob;
        knob->SetKnobType(k.Type);
        knob->SetValueInner(k.Inner);
        knob->SetValueOuter(k.Outer);
        scene.Add(knob, k.At, QString::fromLatin1(k.Caption));
    }
    for (const qreal dpr : {1.0, 2.0}) {
        const QImage img = scene.Render(dpr);
        EXPECT_TRUE(SaveArtifact(img, dpr == 1.0 ? QStringLiteral("control-knob.png") : QStringLiteral("control-knob@2x.png")));
    }
}
