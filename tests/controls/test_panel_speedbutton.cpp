// The shared panel keeps its own colour whatever the style says, and the speed button's caption
// colour tells only a grouped, enabled, latched button apart.
#include "ControlsTestUtils.h"
#include "controls/widgets/RCPanel.h"
#include "controls/widgets/RCSpeedButton.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A dark Fusion look with an application style sheet that paints every widget red, restored
// afterwards for the other tests.
class StyledApplication : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOldStyle = QApplication::style()->name();
        FOldPalette = QApplication::palette();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(30, 30, 30));
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::Button, QColor(40, 40, 40));
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
        qApp->setStyleSheet(QStringLiteral("QWidget { background-color: #ff0000; color: #00ff00; }"));
    }
    void TearDown() override
    {
        qApp->setStyleSheet(QString());
        QApplication::setPalette(FOldPalette);
        QApplication::setStyle(QStyleFactory::create(FOldStyle));
    }

private:
    QString FOldStyle;
    QPalette FOldPalette;
};

bool HasYellow(const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = Pixel(img, x, y);
            if (c.red() > 180 && c.green() > 180 && c.blue() < 120)
                return true;
        }
    return false;
}

} // namespace

TEST_F(StyledApplication, APanelKeepsItsOwnGrey)
{
    // What the style sheet does to an ordinary panel, so the check below means something.
    QWidget plain;
    plain.setAutoFillBackground(true);
    plain.resize(60, 40);
    EXPECT_NE(Pixel(Render(plain), 30, 20), QColor(65, 65, 65));

    TRCPanel panel;
    panel.resize(60, 40);
    panel.SetCaption(QStringLiteral("x"));
    panel.SetAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QImage img = Render(panel);
    EXPECT_EQ(Pixel(img, 30, 20), QColor(65, 65, 65));
    EXPECT_EQ(Pixel(img, 58, 38), QColor(65, 65, 65)) << "inside the bevel";

    // Bevel, border and inner bevel: a lowered outer bevel is dark on the top and left and light
    // on the bottom and right; the border between the bevels is the panel's own colour.
    panel.SetBevelOuter(bvLowered);
    panel.SetBorderWidth(2);
    panel.SetBevelInner(bvRaised);
    EXPECT_EQ(panel.contentsMargins(), QMargins(4, 4, 4, 4));
    const QImage framed = Render(panel);
    const QColor light = QColor(panel.palette().color(QPalette::Light).rgb());
    const QColor dark = QColor(panel.palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(Pixel(framed, 20, 0), dark);
    EXPECT_EQ(Pixel(framed, 20, 39), light);
    EXPECT_EQ(Pixel(framed, 20, 1), QColor(65, 65, 65));
    EXPECT_EQ(Pixel(framed, 20, 3), light) << "inner bevel, raised";
    EXPECT_EQ(Pixel(framed, 30, 20), QColor(65, 65, 65));
}

TEST_F(StyledApplication, TheCaptionIsYellowOnlyWhenGroupedEnabledAndDown)
{
    struct Row {
        const char* name;
        int group;
        bool enabled;
        bool down;    // latched
        bool pressed; // held by the mouse
        bool yellow;
    };
    const Row rows[] = {
        {"ungrouped, pressed", 0, true, false, true, false},
        {"ungrouped, asked to be down", 0, true, true, false, false},
        {"grouped, up", 1, true, false, false, false},
        {"grouped, down", 1, true, true, false, true},
        {"grouped, down, disabled", 1, false, true, false, false},
    };
    for (const Row& r : rows) {
        TRCSpeedButton b;
        b.resize(60, 22);
        b.SetCaption(QStringLiteral("WWW"));
        b.SetGroupIndex(r.group);
        b.SetDown(r.down);
        b.setDown(r.pressed);
        b.setEnabled(r.enabled);
        EXPECT_EQ(b.CaptionColor(), r.yellow ? QColor(255, 255, 0) : QColor(192, 192, 192)) << r.name;
        EXPECT_EQ(HasYellow(Render(b)), r.yellow) << r.name;
        EXPECT_FALSE(b.font().bold() || b.font().italic() || b.font().underline()) << r.name;
    }
}

TEST(SpeedButton, ButtonsOfOneGroupReleaseEachOther)
{
    QWidget bar;
    auto make = [&](int group, bool allowAllUp) {
        auto* b = new TRCSpeedButton(&bar);
        b->SetGroupIndex(group);
        b->SetAllowAllUp(allowAllUp);
        return b;
    };
    TRCSpeedButton* call = make(7, false);
    TRCSpeedButton* dxcc = make(7, false);
    TRCSpeedButton* wanted = make(8, true);
    int clicks = 0;
    call->OnClick = [&] { ++clicks; };

    call->click();
    EXPECT_TRUE(call->Down());
    dxcc->click();
    EXPECT_TRUE(dxcc->Down());
    EXPECT_FALSE(call->Down()) << "released by its group";
    dxcc->click();
    EXPECT_TRUE(dxcc->Down()) << "stays down without AllowAllUp";
    dxcc->SetDown(false);
    EXPECT_TRUE(dxcc->Down());
    call->SetDown(true);
    EXPECT_FALSE(dxcc->Down());

    wanted->click();
    EXPECT_TRUE(wanted->Down());
    EXPECT_TRUE(call->Down()) << "another group is left alone";
    wanted->click();
    EXPECT_FALSE(wanted->Down()) << "AllowAllUp toggles";
    EXPECT_EQ(clicks, 1);

    wanted->SetGroupIndex(0);
    wanted->click();
    EXPECT_FALSE(wanted->Down()) << "an ungrouped button only clicks";
}
