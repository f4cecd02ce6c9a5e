// The playback window: its shape, its buttons playing the channels on the radio simulator,
// closing as hiding, and an offscreen render.
#include "controls/widgets/RCSpeedButton.h"
#include "remote/DMPlayback.h"
#include "remote/widgets/PlaybackForm.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/remote/RadioRig.h"

#include <QAction>

using vxtest::waitUntil;

namespace {

class PlaybackFormTest : public remotetest::RadioRig {
protected:
    void SetUp() override
    {
        RadioRig::SetUp();
        Playback = std::make_unique<TDMPlayback>();
        Playback->SetFTCATInterface(&Cat());
        Form = std::make_unique<TPlaybackForm>(Playback.get());
    }
    void TearDown() override
    {
        Form.reset();
        Playback.reset();
        RadioRig::TearDown();
    }
    std::unique_ptr<TDMPlayback> Playback;
    std::unique_ptr<TPlaybackForm> Form;
};

TEST_F(PlaybackFormTest, AToolWindowOfFiveChannelButtons)
{
    EXPECT_EQ(Form->windowTitle(), "Playback");
    EXPECT_EQ(Form->size(), QSize(115, 126));
    EXPECT_EQ(Form->minimumSize(), Form->maximumSize());
    EXPECT_TRUE(Form->windowFlags() & Qt::Tool);
    EXPECT_TRUE(Form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(Form->isVisible());
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        TRCSpeedButton* b = Form->Button(n);
        EXPECT_EQ(b->geometry(), QRect(4, 4 + 24 * (n - 1), 106, 22));
        EXPECT_EQ(b->defaultAction(), Playback->PlaybackAction(n));
        EXPECT_EQ(b->text(), QStringLiteral("Playback Channel %1").arg(n));
        // The default name fits its button.
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 6, b->width());
    }
    // A button follows its action's name.
    Playback->SetPlaybackCaptionPhone(2, "Call CQ");
    ASSERT_TRUE(ConnectRadio("MD02;"));
    Playback->UpdatePlaybackActions();
    EXPECT_EQ(Form->Button2->text(), "Call CQ");
}

TEST_F(PlaybackFormTest, AButtonPlaysItsChannel)
{
    ASSERT_TRUE(ConnectRadio("MD03;"));
    Form->Button3->click();
    ASSERT_TRUE(waitUntil([&] { return Radio.commands().contains("KY8"); }));
    EXPECT_EQ(Radio.commands().count("KY8"), 1);
}

TEST_F(PlaybackFormTest, ClosingHidesAndRemembersThePlace)
{
    QAction windowAction("&Playback Channels");
    windowAction.setCheckable(true);
    windowAction.setChecked(true);
    Form->SetPlaybackWindowAction(&windowAction);
    Form->move(640, 210);
    Form->show();
    ASSERT_TRUE(Form->isVisible());

    EXPECT_FALSE(Form->close()) << "the window must only hide";
    EXPECT_FALSE(Form->isVisible());
    EXPECT_FALSE(windowAction.isChecked());
    const TPanelPosition p = App->PositionPlayBack();
    EXPECT_EQ(p.Width, 640); // the left
    EXPECT_EQ(p.Height, 210); // the top
    EXPECT_FALSE(p.Visible);
    // It shows again as it was.
    Form->show();
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(Form->Button1->defaultAction(), Playback->Playback1Action);
}

TEST_F(PlaybackFormTest, Render)
{
    for (qreal dpr : {1.0, 2.0}) {
        const QImage img = Render(*Form, dpr);
        EXPECT_TRUE(SaveArtifact(img, dpr == 1.0 ? "dialog-playback.png" : "dialog-playback@2x.png"));
    }
}

} // namespace
