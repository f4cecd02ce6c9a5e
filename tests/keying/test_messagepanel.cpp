// The message panel with the message memories' actions and the router interface: key
// captions following the mode type, the caption of the set, the voice keyer lamps, lifetimes
// and an offscreen render.
#include "controls/widgets/RCSpeedButton.h"
#include "controls/widgets/Shape.h"
#include "core/MicroHamInterface.h"
#include "keying/DMMessages.h"
#include "keying/widgets/MessagePanel.h"
#include "platform/SerialPort.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/WidgetInput.h"

#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

const QColor Off(0x61, 0x61, 0x61);
const QColor Green(0x00, 0xFF, 0x00);
const QColor Red(0xFF, 0x00, 0x00);
const QColor Greyed(0x80, 0x80, 0x80);

} // namespace

class MessagePanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 9; ++n) {
            msgs.SetMessage(mtCW, n, QStringLiteral("CW TEXT %1").arg(n));
            msgs.SetMessageCaption(mtCW, n, QStringLiteral("CW %1").arg(n));
            msgs.SetMessage(mtDigital, n, QStringLiteral("RTTY TEXT %1").arg(n));
            msgs.SetMessageCaption(mtDigital, n, QStringLiteral("RTTY %1").arg(n));
        }
        msgs.SetModeType(mtCW);
        panel = std::make_unique<TMessagePanel>();
        for (int n = 1; n <= 9; ++n)
            panel->SetMessageAction(n, msgs.MessageAction(n));
        panel->show();
    }

    ScopedConfigHome home;
    TDMMessages msgs;
    std::unique_ptr<TMessagePanel> panel;
};

TEST_F(MessagePanelTest, KeysFollowTheMessageActions)
{
    EXPECT_EQ(panel->size(), QSize(116, 251));
    EXPECT_EQ(panel->minimumSize(), panel->maximumSize());
    EXPECT_EQ(panel->Color(), QColor(0x41, 0x41, 0x41));
    for (int k = 1; k <= 9; ++k) {
        TRCSpeedButton* b = panel->MessageButtons[size_t(k - 1)];
        EXPECT_EQ(b->geometry(), QRect(6, 6 + 24 * (k - 1), 104, 22)) << k;
        EXPECT_EQ(b->Margin(), 6);
        EXPECT_EQ(b->text(), QStringLiteral("CW %1").arg(k));
        EXPECT_EQ(b->toolTip(), QStringLiteral("CW TEXT %1").arg(k));
        EXPECT_EQ(panel->MessageAction(k), msgs.MessageAction(k));
    }
    EXPECT_EQ(panel->PanelCaptionLabel->pos(), QPoint(12, 226));
    EXPECT_EQ(panel->PanelCaptionLabel->text(), "CW Messages");
    EXPECT_EQ(panel->ActiveShape->geometry(), QRect(12, 243, 22, 3));
    EXPECT_EQ(panel->ConnectedShape->geometry(), QRect(39, 243, 22, 3));
    EXPECT_EQ(panel->MessagePlayingShape->geometry(), QRect(66, 243, 22, 3));
    EXPECT_EQ(panel->ConnectedShape->Hint(), "DVK active");

    // The module's mode type changes the captions, the panel's the set's name and the lamps.
    struct Row {
        TModeType mode;
        const char* caption;
        bool lamps;
    };
    for (const Row& r : {Row{mtDigital, "RTTY Messages", false}, Row{mtPhone, "DVK Messages", true},
                         Row{mtAll, "", false}, Row{mtCW, "CW Messages", false}}) {
        panel->SetModeType(r.mode);
        EXPECT_EQ(panel->PanelCaptionLabel->text(), r.caption);
        for (TShape* s : {panel->ActiveShape, panel->ConnectedShape, panel->MessagePlayingShape})
            EXPECT_EQ(s->isVisible(), r.lamps) << r.caption;
    }
    msgs.SetModeType(mtDigital);
    EXPECT_EQ(panel->MessageButtons[2]->text(), "RTTY 3");
    EXPECT_EQ(panel->MessageButtons[2]->toolTip(), "RTTY TEXT 3");

    // A key runs its action.
    int ran = 0;
    QObject::connect(msgs.MessageAction(4), &QAction::triggered, [&] { ++ran; });
    vxtest::Click(panel->MessageButtons[3]);
    EXPECT_EQ(ran, 1);

    // An action that goes is forgotten; its key stays harmless.
    auto* own = new QAction(QStringLiteral("Own"));
    panel->SetMessageAction(9, own);
    EXPECT_EQ(panel->MessageButtons[8]->text(), "Own");
    delete own;
    EXPECT_EQ(panel->MessageAction(9), nullptr);
    vxtest::Click(panel->MessageButtons[8]);
    panel->SetMessageAction(9, nullptr);
    EXPECT_EQ(panel->MessageButtons[8]->text(), "Message 9");
}

TEST_F(MessagePanelTest, VoiceKeyerLamps)
{
    TMicroHamInterface router;
    panel->SetModeType(mtPhone);
    panel->SetMicroHAMInterface(&router);

    // Enabling the panel does not light the router lamp before the router reports.
    panel->SetEnabled(false);
    EXPECT_EQ(panel->ConnectedShape->BrushColor(), Greyed);
    EXPECT_FALSE(panel->PanelCaptionLabel->isEnabled());
    panel->SetEnabled(true);
    EXPECT_EQ(panel->ConnectedShape->BrushColor(), Off);
    EXPECT_TRUE(panel->MessageButtons[0]->isEnabled());

    router.SetActive(true);
    router.SetConnectionStatus(true);
    Fire(router.OnMessagePlaying, true);
    EXPECT_EQ(panel->ActiveShape->BrushColor(), Green);
    EXPECT_EQ(panel->ConnectedShape->BrushColor(), Green);
    EXPECT_EQ(panel->MessagePlayingShape->BrushColor(), Red);
    panel->SetEnabled(false);
    EXPECT_EQ(panel->ConnectedShape->BrushColor(), Greyed);
    panel->SetEnabled(true);
    EXPECT_EQ(panel->ConnectedShape->BrushColor(), Green);

    // The properties paint the same lamps.
    panel->SetActive(false);
    panel->SetConnected(false);
    panel->SetMessagePlaying(false);
    EXPECT_EQ(panel->ActiveShape->BrushColor(), Off);
    EXPECT_EQ(panel->ConnectedShape->BrushColor(), Off);
    EXPECT_EQ(panel->MessagePlayingShape->BrushColor(), Off);

    // The panel goes first: the router's events are free again.
    panel.reset();
    EXPECT_FALSE(router.OnActive);
    EXPECT_FALSE(router.OnConnectionStatus);
    router.SetActive(false);
}

TEST_F(MessagePanelTest, RouterGoesFirst)
{
    auto router = std::make_unique<TMicroHamInterface>();
    panel->SetMicroHAMInterface(router.get());
    router.reset();
    EXPECT_EQ(panel->MicroHAMInterface(), nullptr);
    panel->SetModeType(mtPhone);
    panel->SetEnabled(false);
}

TEST_F(MessagePanelTest, Render)
{
    TMicroHamInterface router;
    msgs.SetModeType(mtPhone);
    panel->SetModeType(mtPhone);
    panel->SetMicroHAMInterface(&router);
    router.SetActive(true);
    router.SetConnectionStatus(true);
    Fire(router.OnMessagePlaying, true);
    const QImage img = Render(*panel);
    EXPECT_TRUE(SaveArtifact(img, "panel-messages.png"));
    EXPECT_TRUE(SaveArtifact(Render(*panel, 2), "panel-messages@2x.png"));
    EXPECT_EQ(Pixel(img, 3, 120), QColor(0x41, 0x41, 0x41));
    EXPECT_EQ(Pixel(img, 50, 244), Green);
    EXPECT_EQ(Pixel(img, 77, 244), Red);
    // The set's name is fully inside the panel.
    const QLabel* l = panel->PanelCaptionLabel;
    EXPECT_LE(l->x() + l->sizeHint().width(), panel->width());
    panel->SetModeType(mtDigital);
    msgs.SetModeType(mtCW);
    EXPECT_TRUE(SaveArtifact(Render(*panel), "panel-messages-cw.png"));
}
