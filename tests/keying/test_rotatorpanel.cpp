// The rotator panel against the radio simulator on a pseudo-terminal, through the radio
// module's CAT engine and the CAT command writer: the buttons' commands, push-and-hold and
// its stop in every way a press can end, the rotator reports and the poll pacing, bad
// reports and an offscreen render.
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "keying/widgets/YaesuRotatorPanel.h"
#include "platform/SerialPort.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/WidgetInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using vxtest::run;
using vxtest::runUntil;

class RotatorPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        ASSERT_TRUE(sim.ok());
        app = std::make_unique<TDMApplication>();
        radio.SetDM(&dm);
        radio.FT2KCATCommandTXEvent = [this](const QString& v) { writer.DoCATCommandTX(v); };
        radio.RadioComPort()->setPort(sim.portName());
        cat().SetUsingCOMPort(true);
        ASSERT_TRUE(cat().Open());
        // The radio's first answer brings the link up.
        sim.push("PS1;");
        ASSERT_TRUE(runUntil([&] { return cat().ComState() == csConnected; }, 1000));
        panel = new TYaesuRotatorPanel(&window);
        window.resize(panel->size());
        window.show();
        QApplication::setActiveWindow(&window);
        panel->SetFTCATInterface(&cat());
        // The engine's own first poll of every state item passes.
        run(3000);
        Settle();
    }
    void TearDown() override
    {
        delete panel;
        cat().Close();
        vx::Clock::useSystem();
    }
    TFTCATInterface& cat() { return *radio.FTCATInterface(); }
    // Lets the traffic arrive, then forgets it.
    void Settle()
    {
        run(200);
        sim.clearCommands();
    }
    // The rotator commands the radio received since the last Settle.
    QStringList Rotator(int ms = 50)
    {
        run(ms);
        return sim.commands().filter(QRegularExpression("^RO"));
    }

    ScopedConfigHome home;
    vxtest::RadioSimulator sim{FTDX5000};
    TApplicationRole dm;
    std::unique_ptr<TDMApplication> app;
    TDMRadio radio;
    TCATCommandWriter writer{&radio};
    QWidget window;
    TYaesuRotatorPanel* panel = nullptr;
};

TEST_F(RotatorPanelTest, Layout)
{
    EXPECT_EQ(panel->size(), QSize(173, 251));
    EXPECT_EQ(panel->minimumSize(), QSize(173, 168));
    EXPECT_EQ(panel->maximumSize(), QSize(173, 251));
    EXPECT_EQ(panel->Color(), QColor(0x41, 0x41, 0x41));
    EXPECT_EQ(panel->RotatorLabel->text(), "YAESU Rotator Control");
    EXPECT_EQ(panel->DegreesPanel->geometry(), QRect(63, 26, 104, 23));
    EXPECT_EQ(panel->DegreesLabel->text(), QStringLiteral(" 0\u00B0 "));
    EXPECT_EQ(panel->SpeedPanel->geometry(), QRect(63, 51, 104, 23));
    EXPECT_EQ(panel->SpeedLabel2->text(), " 100 ");
    EXPECT_EQ(panel->SpeedDownButton->geometry(), QRect(8, 109, 78, 25));
    EXPECT_EQ(panel->SpeedUpButton->geometry(), QRect(89, 109, 78, 25));
    EXPECT_EQ(panel->SpeedDownButton->toolTip(), "Speed down by 1%");
    EXPECT_EQ(panel->PushAndHoldCheckBox->text(), "Push and Hold Buttons");
    EXPECT_EQ(panel->PollTimer()->interval(), 1000);
    EXPECT_FALSE(panel->PollTimer()->enabled());

    // Push-and-hold gives two wide buttons; switched off the three-button row comes back exactly.
    panel->SetPushAndHold(true);
    EXPECT_TRUE(panel->PushAndHoldCheckBox->isChecked());
    EXPECT_EQ(panel->LeftButton->geometry(), QRect(8, 78, 78, 25));
    EXPECT_EQ(panel->RightButton->geometry(), QRect(89, 78, 78, 25));
    EXPECT_EQ(panel->LeftButton->toolTip(), "Push and hold to turn antenna counterclockwise");
    EXPECT_EQ(panel->RightButton->toolTip(), "Push and hold to turn antenna clockwise");
    EXPECT_FALSE(panel->StopButton->isVisible());
    vxtest::Click(panel->PushAndHoldCheckBox);
    EXPECT_FALSE(panel->PushAndHold());
    const std::pair<QPushButton*, int> row[] = {{panel->LeftButton, 8}, {panel->StopButton, 63}, {panel->RightButton, 118}};
    for (const auto& [b, x] : row) {
        EXPECT_EQ(b->geometry(), QRect(x, 78, 49, 25)) << b->text().toStdString();
        EXPECT_TRUE(b->isVisible());
    }
    EXPECT_EQ(panel->LeftButton->toolTip(), "Push to turn antenna counterclockwise");
    EXPECT_EQ(panel->StopButton->toolTip(), "Push to stop rotation");

    // The owner keeps the mode in the application's settings.
    app->SetRotorPushAndHold(true);
    panel->SetPushAndHold(app->RotorPushAndHold());
    EXPECT_TRUE(panel->PushAndHold());
}

TEST_F(RotatorPanelTest, ButtonsSendTheRotatorCommands)
{
    const std::pair<QPushButton*, const char*> rows[] = {
        {panel->LeftButton, "RO1"}, {panel->RightButton, "RO2"}, {panel->StopButton, "RO0"},
        {panel->SpeedDownButton, "RO3"}, {panel->SpeedUpButton, "RO4"},
    };
    for (const auto& [button, command] : rows) {
        vxtest::Click(button);
        EXPECT_EQ(Rotator(), QStringList{command}) << command;
        sim.clearCommands();
    }
    EXPECT_TRUE(sim.rejected().isEmpty()) << sim.rejected().join(',').toStdString();

    // Without an engine the buttons and the timer do nothing.
    auto alone = std::make_unique<TYaesuRotatorPanel>();
    alone->show();
    alone->SetTimer(true);
    for (QPushButton* b : {alone->LeftButton, alone->StopButton, alone->SpeedUpButton})
        vxtest::Click(b);
    vx::Clock::advance(3000);
    EXPECT_TRUE(Rotator().isEmpty());
}

TEST_F(RotatorPanelTest, PushAndHoldStopsHoweverThePressEnds)
{
    panel->SetPushAndHold(true);
    QPushButton* right = panel->RightButton;
    QPushButton* left = panel->LeftButton;
    const QPoint at = right->rect().center();

    vxtest::MousePress(right, at);
    EXPECT_EQ(Rotator(), QStringList{"RO2"});
    vxtest::MouseRelease(right, at);
    EXPECT_EQ(Rotator(), (QStringList{"RO2", "RO0"}));

    // Every other end of the press stops the antenna too, once.
    struct Row {
        const char* how;
        std::function<void()> end;
    };
    const Row rows[] = {
        {"hidden", [&] { panel->hide(); }},
        {"closed", [&] { panel->close(); }},
        {"focus lost", [&] { panel->SpeedUpButton->setFocus(Qt::OtherFocusReason); }},
        {"grab lost", [&] { QEvent e(QEvent::UngrabMouse); QApplication::sendEvent(left, &e); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.how);
        panel->show();
        panel->SetPushAndHold(true);
        left->setFocus(Qt::MouseFocusReason);
        Settle();
        vxtest::MousePress(left, left->rect().center());
        r.end();
        vxtest::MouseRelease(left, left->rect().center());
        EXPECT_EQ(Rotator(), (QStringList{"RO1", "RO0"}));
    }

    // The panel destroyed while a button is held.
    panel->show();
    panel->SetPushAndHold(true);
    Settle();
    vxtest::MousePress(right, at);
    delete panel;
    panel = nullptr;
    EXPECT_EQ(Rotator(), (QStringList{"RO2", "RO0"}));
}

TEST_F(RotatorPanelTest, ReportsAndPolling)
{
    panel->SetTimer(true);
    EXPECT_TRUE(panel->PollTimer()->enabled());
    sim.setValue("RO", "2123050"); // turning clockwise, 123 degrees, 50 %
    ASSERT_TRUE(runUntil([&] { return panel->DegreesLabel->text() == QStringLiteral(" 123\u00B0 "); }, 1500));
    EXPECT_EQ(panel->SpeedLabel2->text(), " 50 ");
    EXPECT_EQ(panel->PollTimer()->interval(), TYaesuRotatorPanel::TurningPollMs);
    Settle();
    EXPECT_EQ(Rotator(1000).size(), 4); // four polls a second while turning

    sim.setValue("RO", "0180050");
    ASSERT_TRUE(runUntil([&] { return panel->PollTimer()->interval() == TYaesuRotatorPanel::PollMs; }, 1000));
    EXPECT_EQ(panel->DegreesLabel->text(), QStringLiteral(" 180\u00B0 "));
    Settle();
    EXPECT_EQ(Rotator(2000).size(), 2);

    // Hidden, the panel does not poll; shown again it does.
    panel->hide();
    Settle();
    EXPECT_TRUE(Rotator(3000).isEmpty());
    panel->show();
    EXPECT_EQ(Rotator(1000).size(), 1);
    panel->SetTimer(false);
    Settle();
    EXPECT_TRUE(Rotator(3000).isEmpty());

    // Reports out of range show the engine's limits; malformed ones change nothing here.
    cat().HandleCATCommand("RO2999999;");
    EXPECT_EQ(panel->DegreesLabel->text(), QStringLiteral(" 450\u00B0 "));
    EXPECT_EQ(panel->SpeedLabel2->text(), " 100 ");
    for (const char* bad : {"RO9;", "ROX123456;", "RO;", "RO2;", "RO2-99-99;"})
        cat().HandleCATCommand(bad);
    EXPECT_EQ(panel->PollTimer()->interval(), TYaesuRotatorPanel::TurningPollMs);
}

TEST_F(RotatorPanelTest, EngineAndPanelLifetimes)
{
    EXPECT_TRUE(cat().OnRotator);
    delete panel;
    panel = nullptr;
    EXPECT_FALSE(cat().OnRotator);
    cat().HandleCATCommand("RO1010020;");

    auto engine = std::make_unique<TFTCATInterface>();
    TYaesuRotatorPanel p;
    p.show();
    p.SetFTCATInterface(engine.get());
    p.SetTimer(true);
    engine.reset();
    EXPECT_EQ(p.FTCATInterface(), nullptr);
    vx::Clock::advance(2000);
    vxtest::Click(p.LeftButton);
}

TEST_F(RotatorPanelTest, Render)
{
    cat().HandleCATCommand("RO2273075;");
    const QImage img = Render(*panel);
    EXPECT_TRUE(SaveArtifact(img, "panel-rotator.png"));
    EXPECT_TRUE(SaveArtifact(Render(*panel, 2), "panel-rotator@2x.png"));
    EXPECT_EQ(Pixel(img, 3, 200), QColor(0x41, 0x41, 0x41));
    EXPECT_EQ(Pixel(img, 64, 27), QColor(Qt::black));
    // The readouts' figures fit their black fields.
    for (QLabel* l : {panel->DegreesLabel, panel->SpeedLabel2}) {
        EXPECT_LE(l->x() + l->sizeHint().width(), l->parentWidget()->width()) << l->text().toStdString();
        EXPECT_LE(QFontMetrics(l->font()).tightBoundingRect(l->text()).height(), l->height());
    }
    EXPECT_LE(panel->RotatorLabel->x() + panel->RotatorLabel->width(), panel->width());
    EXPECT_LE(panel->PushAndHoldCheckBox->x() + panel->PushAndHoldCheckBox->sizeHint().width(), panel->width());
}
