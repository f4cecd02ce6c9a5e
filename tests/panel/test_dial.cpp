// The tuning dial: drag steps, up/down mode, lock, the step cycle, the dimple following the
// frequency, and an offscreen render of every dial type.
#include "ControlTestUtils.h"
#include "controls/widgets/ArtRegistry.h"
#include "core/RCUtils.h"
#include "panel/DialLogic.h"
#include "panel/widgets/FTPanelDial.h"

#include <QLabel>
#include <gtest/gtest.h>

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
