// The remote connection monitor with a real client and server of the program on 127.0.0.1:
// the chart and figures follow the client's statistics, a disconnect, a hidden panel, the
// lifetimes of panel and client; the strip chart's grid, traces and mouse text; a render.
#include "client/widgets/RCMPanel.h"
#include "client/widgets/Scope.h"
#include "controls/widgets/Shape.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "platform/Clock.h"
#include "remote/DMServer.h"
#include "remote/RemoteClientInterface.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/remote/LinkDoubles.h"
#include "tests/support/Wait.h"
#include "tests/support/WidgetInput.h"

#include <QFile>
#include <QLabel>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString Ms(int v)
{
    return QStringLiteral("%1 ms").arg(v);
}

// The buffer pixel at a point of the control (as painting copies it).
QColor ShownPixel(const TScope& s, int x, int y)
{
    return QColor(s.Buffer().pixel(TScope::BufferWidth - s.width() + x, TScope::BufferHeight - s.height() + y));
}

} // namespace

// A scope on its own, on the manual clock.
class ScopeTest : public ::testing::Test {
protected:
    void SetUp() override { vx::Clock::useManual(); }
    void TearDown() override { vx::Clock::useSystem(); }
};

TEST_F(ScopeTest, GridSizeIsEvenAndAtLeastSix)
{
    TScope s;
    EXPECT_EQ(s.GridSize(), 12);
    const std::pair<int, int> rows[] = {{3, 6}, {13, 12}, {5, 6}, {6, 6}, {7, 6}, {0, 6}, {-4, 6}, {21, 20}, {12, 12}};
    for (const auto& [set, kept] : rows) {
        s.SetGridSize(set);
        EXPECT_EQ(s.GridSize(), kept) << set;
    }

    // A new size clears the chart and draws the grid at the new spacing.
    s.resize(200, 100);
    s.show();
    s.SetGridSize(12);
    s.SetPosition(250);
    for (int i = 0; i < 50; ++i)
        s.Step();
    s.SetGridSize(20);
    const QColor grid(0x00, 0x40, 0x00);
    int traced = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            traced += ShownPixel(s, x, y) == QColor(0x00, 0xFF, 0x00);
    EXPECT_EQ(traced, 0);
    EXPECT_EQ(ShownPixel(s, 199, 50), grid);   // x = W - 1
    EXPECT_EQ(ShownPixel(s, 179, 50), grid);   // 20 to its left
    EXPECT_EQ(ShownPixel(s, 189, 51), QColor(Qt::black));
    EXPECT_EQ(ShownPixel(s, 100, 99 - 19), grid); // y = H - 20
}

TEST_F(ScopeTest, TracesStandAtTheirValuesAndScroll)
{
    TScope s;
    s.resize(214, 121);
    s.show();
    const uchar* bits = s.Buffer().constBits();
    s.SetPosition(250);
    s.SetAverage(100);
    s.SetActive(true);
    EXPECT_EQ(s.DrawTimer()->interval(), 100);
    int steps = 0;
    s.OnUpdate = [&] { ++steps; };
    vx::Clock::advance(1000);
    EXPECT_EQ(steps, 10);
    // 250 ms at grid 12 is 30 pixels above the bottom, 100 ms 12; both run to the right edge.
    const int h = s.height();
    for (int x : {213, 200, 196}) {
        EXPECT_EQ(ShownPixel(s, x, h - 30), QColor(0x00, 0xFF, 0x00)) << x;
        EXPECT_EQ(ShownPixel(s, x, h - 12), QColor(0xBF, 0x00, 0x00)) << x;
    }
    const QImage img = Render(s);
    EXPECT_EQ(Pixel(img, 213, h - 30), QColor(0x00, 0xFF, 0x00));
    // Ten steps of two pixels: the trace began 20 pixels from the right edge.
    EXPECT_NE(ShownPixel(s, 190, h - 30), QColor(0x00, 0xFF, 0x00));

    // Off, the chart stands still; the buffer is the one made at the start.
    s.SetActive(false);
    vx::Clock::advance(1000);
    EXPECT_EQ(steps, 10);
    s.resize(400, 200);
    s.SetInterval(5);
    EXPECT_EQ(s.DrawTimer()->interval(), 50);
    s.SetInterval(0); // no timer that never rests
    EXPECT_EQ(s.DrawTimer()->interval(), 10);
    EXPECT_EQ(s.Buffer().constBits(), bits);
    EXPECT_EQ(s.Buffer().size(), QSize(3000, 1000));
}

TEST_F(ScopeTest, MouseTextReadsTheValueUnderTheMouse)
{
    TRCMPanel panel;
    panel.show();
    TScope* s = panel.Scope;
    const int h = s->height();
    const std::pair<int, QString> rows[] = {{h - 30, "250 ms"}, {h - 1, "8 ms"}, {0, Ms(h * 100 / 12)}, {h - 13, "108 ms"}};
    for (const auto& [y, text] : rows) {
        vxtest::MouseMove(s, QPoint(50, y), Qt::NoButton);
        EXPECT_EQ(panel.LabelPosition->text(), text) << y;
    }
    vxtest::MouseLeave(s);
    EXPECT_EQ(panel.LabelPosition->text(), "");
}

TEST(RCMPanelLayout, ControlsAndSizing)
{
    TRCMPanel panel;
    panel.show();
    EXPECT_EQ(panel.size(), QSize(234, 251));
    EXPECT_EQ(panel.minimumSize(), QSize(234, 251));
    EXPECT_EQ(panel.maximumHeight(), 251);
    EXPECT_EQ(panel.Color(), QColor(0x41, 0x41, 0x41));
    EXPECT_EQ(panel.LabelRCM->text(), "Remote Connection Monitor");
    EXPECT_EQ(panel.LabelRCM->pos(), QPoint(12, 5));
    EXPECT_EQ(panel.Scope->geometry(), QRect(10, 32, 214, 121));
    EXPECT_EQ(panel.Bevel1->geometry(), QRect(6, 28, 222, 129));
    EXPECT_EQ(panel.Bevel2->geometry(), QRect(6, 166, 222, 79));
    EXPECT_FALSE(panel.Scope->Active());
    EXPECT_EQ(panel.Scope->GridSize(), 12);
    const std::tuple<QLabel*, QLabel*, const char*, int> figures[] = {
        {panel.LabelLatency, panel.LabelLatencyValue, "Latency", 170},
        {panel.LabelMin, panel.LabelMinValue, "Min", 188},
        {panel.LabelAverage, panel.LabelAverageValue, "Average", 206},
        {panel.LabelMax, panel.LabelMaxValue, "Max", 224},
    };
    for (const auto& [name, value, text, top] : figures) {
        EXPECT_EQ(name->text(), text);
        EXPECT_EQ(name->pos(), QPoint(12, top));
        EXPECT_EQ(value->text(), "0 ms");
        EXPECT_EQ(value->y(), top);
        EXPECT_TRUE(value->alignment() & Qt::AlignRight);
        // Right-aligned where "0 ms" placed at 86 ends, and clear of the name.
        EXPECT_EQ(value->geometry().right() + 1, 86 + QFontMetrics(value->font()).horizontalAdvance("0 ms"));
        EXPECT_GT(value->x(), name->x() + name->sizeHint().width() - 1);
    }
    EXPECT_EQ(panel.LabelLogon->pos(), QPoint(128, 170));
    EXPECT_EQ(panel.LabelLogonValue->text(), "00:00");
    EXPECT_EQ(panel.LabelRuntime->pos(), QPoint(128, 188));
    EXPECT_EQ(panel.ShapeScope->geometry(), QRect(124, 204, 99, 36));
    EXPECT_EQ(panel.ShapeAverage->geometry(), QRect(188, 212, 32, 3));
    EXPECT_EQ(panel.ShapeAverage->BrushColor(), QColor(0xBF, 0x00, 0x00));
    EXPECT_EQ(panel.ShapeLatency->geometry(), QRect(188, 230, 32, 3));
    EXPECT_EQ(panel.ShapeLatency->BrushColor(), QColor(0x00, 0xFF, 0x00));

    // Sized from the right edge: the chart grows, the figures stay.
    const QPoint edge(panel.width() - 2, 160);
    vxtest::MouseMove(&panel, edge, Qt::NoButton);
    EXPECT_EQ(panel.cursor().shape(), Qt::SizeHorCursor);
    vxtest::MousePress(&panel, edge);
    vxtest::MouseMove(&panel, edge + QPoint(100, 0));
    vxtest::MouseRelease(&panel, edge + QPoint(100, 0));
    EXPECT_EQ(panel.size(), QSize(334, 251));
    EXPECT_EQ(panel.Scope->geometry(), QRect(10, 32, 314, 121));
    EXPECT_EQ(panel.Bevel1->geometry(), QRect(6, 28, 322, 129));
    EXPECT_EQ(panel.LabelPosition->geometry().right(), 323);
    EXPECT_EQ(panel.LabelMin->pos(), QPoint(12, 188));
    // Not narrower than its minimum.
    vxtest::MousePress(&panel, QPoint(panel.width() - 1, 160));
    vxtest::MouseMove(&panel, QPoint(-300, 160));
    vxtest::MouseRelease(&panel, QPoint(-300, 160));
    EXPECT_EQ(panel.width(), 234);
}

// The panel on the client of a real link to a server of the program.
class RCMPanelLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        QFile::remove(TDMApplication::SettingsFileName());
        app = std::make_unique<TDMApplication>();
        dm.SetApplicationType(isRemoteServer);
        radio.SetDM(&dm);
        server = std::make_unique<TDMServer>();
        radio.SetServer(server.get());
        server->SetDM(&dm);
        server->SetRadio(&radio);
        server->SetCW(&mods.CW);
        server->SetMessages(&mods.Messages);
        server->SetRTTY(&mods.RTTY);
        server->SetHostname("shack");
        server->SetUsers({"DL1ABC"});
        server->SetPassword("secret");
        server->SetPort(FreePort());
        server->Open();
        ASSERT_TRUE(server->Active());

        client = std::make_unique<TRemoteClientInterface>();
        client->SetHost("127.0.0.1");
        client->SetPort(uint32_t(server->Port()));
        client->SetUsername("DL1ABC");
        client->SetPassword("secret");
        panel = std::make_unique<TRCMPanel>();
        panel->SetRemoteClient(client.get());
        panel->show();
    }
    void TearDown() override
    {
        panel.reset();
        client.reset();
        server.reset();
        app.reset();
        vx::Clock::useSystem();
    }
    void LogIn()
    {
        client->Connect();
        ASSERT_TRUE(vxtest::runUntil([&] { return client->LoggedIn(); }, 5000));
        ASSERT_TRUE(vxtest::runUntil([&] { return client->RCM().Samples().size() >= 3; }, 5000));
    }
    // The four figures as the panel shows them and as the statistics say.
    QStringList Shown() const
    {
        return {panel->LabelLatencyValue->text(), panel->LabelMinValue->text(), panel->LabelAverageValue->text(),
                panel->LabelMaxValue->text()};
    }
    QStringList Expected() const
    {
        const TRCM& r = client->RCM();
        return {Ms(r.Value()), Ms(r.MinValue()), Ms(r.Avg()), Ms(r.MaxValue())};
    }

    std::unique_ptr<TDMApplication> app;
    TApplicationRole dm;
    RecordingModules mods;
    TDMRadio radio;
    std::unique_ptr<TDMServer> server;
    std::unique_ptr<TRemoteClientInterface> client;
    std::unique_ptr<TRCMPanel> panel;
};

TEST_F(RCMPanelLink, FollowsTheStatisticsAndADisconnect)
{
    int steps = 0;
    panel->Scope->OnUpdate = [&] { ++steps; };
    LogIn();
    EXPECT_TRUE(panel->Scope->Active());
    EXPECT_EQ(Shown(), Expected());
    EXPECT_EQ(panel->LabelLogonValue->text(), client->RCM().LoginString());
    EXPECT_FALSE(panel->LabelLogonValue->text().isEmpty());
    EXPECT_EQ(panel->LabelRuntimeValue->text(), "0:00");
    EXPECT_EQ(panel->Scope->Position(), client->RCM().Value());
    EXPECT_EQ(panel->Scope->Average(), client->RCM().Avg());
    vxtest::run(1000);
    EXPECT_GE(steps, 9);

    // Two minutes on, the runtime counts.
    ASSERT_TRUE(vxtest::runUntil([&] { return panel->LabelRuntimeValue->text() == "0:02"; }, 125000));
    const QString logon = panel->LabelLogonValue->text();

    // The server goes: zeros in the figures, the times stay, the chart stops.
    server->Close();
    ASSERT_TRUE(vxtest::runUntil([&] { return !client->Connected(); }, 3000));
    EXPECT_EQ(Shown(), QStringList(4, "0 ms"));
    EXPECT_EQ(panel->LabelLogonValue->text(), logon);
    EXPECT_EQ(panel->LabelRuntimeValue->text(), "0:02");
    EXPECT_FALSE(panel->Scope->Active());
    steps = 0;
    vxtest::run(1000);
    EXPECT_EQ(steps, 0);

    // Back again: the chart starts from a clear picture.
    server->Open();
    panel->Scope->SetPosition(500);
    panel->Scope->Step();
    LogIn();
    EXPECT_TRUE(panel->Scope->Active());
    int old = 0;
    for (int x = 0; x < panel->Scope->width() - 40; ++x)
        old += ShownPixel(*panel->Scope, x, panel->Scope->height() - 60) == QColor(0x00, 0xFF, 0x00);
    EXPECT_EQ(old, 0);

    // The operator disconnects: the same.
    client->Disconnect();
    EXPECT_EQ(Shown(), QStringList(4, "0 ms"));
    EXPECT_FALSE(panel->LabelLogonValue->text().isEmpty());
    EXPECT_FALSE(panel->Scope->Active());
}

TEST_F(RCMPanelLink, AHiddenPanelIgnoresReports)
{
    panel->hide();
    LogIn();
    vxtest::run(2000);
    EXPECT_EQ(Shown(), QStringList(4, "0 ms"));
    EXPECT_EQ(panel->LabelLogonValue->text(), "00:00");
    EXPECT_FALSE(panel->Scope->Active());

    // Shown during the connection, it starts with the next measurement.
    panel->show();
    ASSERT_TRUE(vxtest::runUntil([&] { return panel->Scope->Active(); }, 1500));
    EXPECT_EQ(Shown(), Expected());
}

TEST_F(RCMPanelLink, PanelAndClientMayGoInEitherOrder)
{
    LogIn();
    panel.reset();
    EXPECT_FALSE(client->OnRCM);
    EXPECT_FALSE(client->OnRCMConnected);
    vxtest::run(2500); // heartbeats go on
    client->Disconnect();

    panel = std::make_unique<TRCMPanel>();
    panel->show();
    panel->SetRemoteClient(client.get());
    LogIn();
    client.reset();
    EXPECT_EQ(panel->RemoteClient(), nullptr);
    panel->DoRCM();
    panel->DoRCMConnected(false);
    vxtest::run(500);
}

TEST_F(RCMPanelLink, Render)
{
    LogIn();
    client->SetHeartBeats(false);
    // Two minutes of a link whose latency wanders, sampled as the heartbeat does.
    for (int i = 0; i < 200; ++i) {
        const int latency = 120 + int(70 * std::sin(i / 9.0)) + (i % 7) * 9 + (i % 23 == 0 ? 180 : 0);
        client->RCM().SetValue(latency);
        vx::Clock::advance(100);
    }
    EXPECT_EQ(Shown(), Expected());
    vxtest::MouseMove(panel->Scope, QPoint(120, 40), Qt::NoButton);
    const QImage img = Render(*panel);
    EXPECT_TRUE(SaveArtifact(img, "panel-rcm.png"));
    EXPECT_TRUE(SaveArtifact(Render(*panel, 2), "panel-rcm@2x.png"));
    EXPECT_EQ(Pixel(img, 3, 160), QColor(0x41, 0x41, 0x41));
    int lime = 0, red = 0;
    for (int y = 32; y < 153; ++y)
        for (int x = 10; x < 224; ++x) {
            const QColor c = Pixel(img, x, y);
            lime += c == QColor(0x00, 0xFF, 0x00);
            red += c == QColor(0xBF, 0x00, 0x00);
        }
    EXPECT_GT(lime, 150);
    EXPECT_GT(red, 150);
}
