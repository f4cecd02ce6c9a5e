// The knobs: value to pointer angle, clamping, the meter selector and its click halves, and an
// offscreen render of every knob type.
#include "ControlTestUtils.h"
#include "panel/KnobLogic.h"
#include "panel/widgets/FTPanelKnob.h"

#include <gtest/gtest.h>

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
