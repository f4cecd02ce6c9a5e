// The RTTY engine link on the local message bus: the command line, the handshake and the
// messages both ways with the fake engine program and with an engine played by the test, the
// received-character filter, the setters that send or store, the level timer, and an engine
// that goes away.
#include "keying/MMTTYInterface.h"
#include "tests/keying/KeyingDoubles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using keyingtest::EngineDouble;
using vxtest::waitUntil;

namespace {

class MMTTYLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Owner.Open(0x1A2B3C));
        ASSERT_NE(HookMMTTYInterface(Owner, Link), 0u);
        Link.OnConnected = [this](bool v) { Events << QStringLiteral("Connected=%1").arg(v); };
        Link.OnPTT = [this](bool v) { Events << QStringLiteral("PTT=%1").arg(v); };
        Link.OnBandPassFilter = [this](bool v) { Events << QStringLiteral("BandPassFilter=%1").arg(v); };
        Link.OnSquelch = [this](bool v) { Events << QStringLiteral("Squelch=%1").arg(v); };
        Link.OnRXText = [this](const QString& v) { Events << "RXText(" + v + ")"; };
        Link.OnSignalLevel = [this](uint16_t v) { Events << QStringLiteral("SignalLevel=%1").arg(v); };
        Link.OnSignalLevelTimer = [this](uint16_t v) { Events << QStringLiteral("SignalLevelTimer=%1").arg(v); };
        Link.OnSquelchLevel = [this](uint16_t v) { Events << QStringLiteral("SquelchLevel=%1").arg(v); };
    }
    void TearDown() override { vx::Clock::useSystem(); }

    // A message from the engine, handed to the link as the owner's window would.
    void FromEngine(quint64 w, qint64 l)
    {
        vx::BusMessage m;
        m.Msg = Link.Message();
        m.Name = TMMTTYInterface::MessageName;
        m.WParam = w;
        m.LParam = l;
        Link.WndProc(m);
    }

    keyingtest::BusFolder Bus;
    vx::BusEndpoint Owner;
    TMMTTYInterface Link;
    QStringList Events;
};

} // namespace

TEST_F(MMTTYLink, CommandLineNamesTheOwnersEndpoint)
{
    struct Case {
        bool hidden, menus, buttons, onTop;
        const char* expected;
    } cases[] = {
        {true, true, true, true, "-m -h1A2B3C"},
        {false, false, false, false, "-t -a -h1A2B3C"},
        {false, true, true, true, "-t -r -h1A2B3C"},
        {false, true, false, false, "-t -s -a -h1A2B3C"},
        {false, false, true, false, "-t -u -a -h1A2B3C"},
        {false, false, false, true, "-t -h1A2B3C"},
    };
    for (const Case& c : cases) {
        TMMTTYStartOptions& o = Link.MMTTYStartOptions();
        o.SetHidden(c.hidden);
        o.SetControlMenues(c.menus);
        o.SetControlButtons(c.buttons);
        o.SetStayOnTop(c.onTop);
        EXPECT_EQ(Link.StartArguments().join(' '), c.expected);
    }
}

TEST_F(MMTTYLink, TheFakeEngineStartedByStartTalksBothWays)
{
    // A path with blanks runs as it is.
    const QString folder = Bus.Path() + "/RTTY engine";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString engine = folder + "/fake mmtty";
    ASSERT_TRUE(QFile::copy(VX_FAKE_MMTTY, engine));
    Link.SetMMTTYPath(engine);
    Link.MMTTYStartOptions().SetHidden(true);

    ASSERT_TRUE(Link.Start());
    ASSERT_TRUE(waitUntil([&] { return Link.Connected(); }, 5000)) << Bus.Log().join('\n').toStdString();
    EXPECT_EQ(Events, QStringList{"Connected=1"});
    EXPECT_TRUE(Bus.Log().value(0).endsWith(" -m -h1A2B3C"));
    EXPECT_TRUE(Link.LevelTimer()->isActive());
    EXPECT_EQ(Link.LevelTimer()->interval(), 500);
    // Nothing starts a second engine while one is connected.
    EXPECT_FALSE(Link.Start());

    Link.Send("ab_");
    Link.SendMessage("cq");
    // The engine keys for the message and lets go after it.
    ASSERT_TRUE(waitUntil([&] { return Events.contains("PTT=1") && Events.contains("PTT=0"); }));
    Link.TX();
    ASSERT_TRUE(waitUntil([&] { return Link.PTT(); }));
    Link.TX();
    ASSERT_TRUE(waitUntil([&] { return !Link.PTT() && Events.count("PTT=0") == 2; }));
    // The characters came back as received text, by their codes.
    EXPECT_EQ(Events.filter("RXText"), (QStringList{"RXText(65)", "RXText(66)", "RXText(67)", "RXText(81)"}));
    // The engine's levels come with its 500 ms reports.
    ASSERT_TRUE(waitUntil([&] { return Link.SignalLevel() == 300; }, 3000));

    Link.Stop();
    EXPECT_FALSE(Link.Connected());
    EXPECT_EQ(Link.SignalLevel(), 0);
    EXPECT_FALSE(Link.LevelTimer()->isActive());
    ASSERT_TRUE(waitUntil([&] { return Bus.Log().contains("end"); }, 3000));
    EXPECT_EQ(Bus.Received(), (QStringList{"(0,1715004)",                    // the handshake's answer
                                           "(4,65)", "(4,66)", "(3,1)",            // Send("ab_")
                                           "(3,2)", "(4,67)", "(4,81)", "(3,1)",   // SendMessage("cq")
                                           "(3,2)", "(3,0)",                      // TX twice
                                           "(2,0)"}));                            // Stop
    EXPECT_EQ(Bus.Log().filter("start").size(), 1);
}

TEST_F(MMTTYLink, StartRunsNothingWithoutAProgramToRun)
{
    QFile notExecutable(Bus.Path() + "/plain.txt");
    ASSERT_TRUE(notExecutable.open(QIODevice::WriteOnly));
    notExecutable.close();
    for (const QString& path : {QString(), Bus.Path() + "/missing", Bus.Path()}) {
        Link.SetMMTTYPath(path);
        EXPECT_FALSE(Link.Start()) << path.toStdString();
    }
    // A file that cannot run fails quietly; the link simply never connects.
    Link.SetMMTTYPath(notExecutable.fileName());
    EXPECT_FALSE(Link.Start());
    EXPECT_FALSE(Link.Connected());
    // Without an endpoint the engine could never answer.
    TMMTTYInterface unprepared;
    unprepared.SetMMTTYPath(VX_FAKE_MMTTY);
    EXPECT_FALSE(unprepared.Start());
}

TEST_F(MMTTYLink, UnconnectedOnlyTheAnswerToTheEnginesWindowIsPosted)
{
    EngineDouble engine;
    QStringList others;
    Owner.OnMessage = [&](const vx::BusMessage& m) { others << m.Name; };
    engine.Post(Owner.Id(), TMMTTYInterface::mmEngineWindow, qint64(engine.Id()));
    ASSERT_TRUE(engine.WaitReceived(1));
    EXPECT_EQ(Link.EngineWindow(), engine.Id());

    Link.Send("ab_");
    Link.SendMessage("cq");
    Link.TX();
    Link.RX();
    Link.Clear();
    Link.PrepareTX();
    Link.SetBandPassFilter(true);
    Link.SetSquelchLevel(5);
    Link.SetPTT(true);
    engine.Post(Owner.Id(), TMMTTYInterface::mmWindowRequest, 0);
    vxtest::spin(100);
    EXPECT_EQ(engine.Received, QStringList{"(0,1715004)"});
    EXPECT_FALSE(Link.Connected());
    // Only "MMTTY" goes to the link; the window's other messages stay the window's.
    EXPECT_TRUE(others.isEmpty());
}

TEST_F(MMTTYLink, ReceivedCharactersPassTheFilterAsTheirCodes)
{
    struct Case {
        qint64 lParam;
        const char* raised; // nullptr: nothing
    } cases[] = {
        {10, nullptr},  {97, nullptr}, {59, nullptr},  {256, nullptr}, {0x1F4A9, nullptr},
        {13, "13"},     {65, "65"},    {32, "32"},     {'?', "63"},    {'9', "57"},
        {0x10041, "65"}, // a stray high bit is not passed on
    };
    for (const Case& c : cases) {
        Events.clear();
        FromEngine(TMMTTYInterface::mmRXChar, c.lParam);
        EXPECT_EQ(Events, c.raised ? QStringList{QStringLiteral("RXText(%1)").arg(c.raised)} : QStringList{})
            << c.lParam;
    }
}

TEST_F(MMTTYLink, EngineReportsAreStoredAndUserChangesAreNotEchoed)
{
    FromEngine(TMMTTYInterface::mmLevels, 400 + 200 * 65536);
    EXPECT_EQ(Link.SignalLevel(), 400);
    EXPECT_EQ(Link.SquelchLevel(), 200);
    EXPECT_EQ(Events, (QStringList{"SignalLevel=400", "SquelchLevel=200"}));
    FromEngine(TMMTTYInterface::mmBaudRate, 5000);
    FromEngine(TMMTTYInterface::mmMark, 2125);
    FromEngine(TMMTTYInterface::mmSpace, 2295);
    FromEngine(0x8005, 1);
    EXPECT_EQ(Link.Shift(), 170);
    EXPECT_EQ(Link.BaudRate(), 5000);

    EngineDouble engine;
    ASSERT_TRUE(engine.Handshake(Link));
    Events.clear();
    // The user switches the filter on: the engine is told, from switch word 0 ...
    Link.PrepareTX();
    Link.SetBandPassFilter(true);
    Link.PrepareTX();
    Link.SetSquelchLevel(300); // ... and the level, which the engine's next report stores
    ASSERT_TRUE(engine.WaitReceived(2));
    EXPECT_EQ(engine.Received, (QStringList{"(11,32)", "(15,300)"}));
    EXPECT_EQ(Link.SquelchLevel(), 200);
    // ... and its report of the same state raises nothing.
    engine.Post(Owner.Id(), TMMTTYInterface::mmSwitches, 0x20);
    engine.Post(Owner.Id(), TMMTTYInterface::mmLevels, 400 + 300 * 65536);
    ASSERT_TRUE(waitUntil([&] { return Link.SwitchWord() == 0x20 && Link.SquelchLevel() == 300; }));
    EXPECT_EQ(Events, QStringList{"SquelchLevel=300"});
    // A change the engine makes itself is reported.
    engine.Post(Owner.Id(), TMMTTYInterface::mmSwitches, 0x80);
    ASSERT_TRUE(waitUntil([&] { return Link.SwitchWord() == 0x80; }));
    EXPECT_EQ(Events.mid(1), (QStringList{"BandPassFilter=0", "Squelch=1"}));
    // The engine's PTT report, then the user's transmit toggle goes the other way.
    engine.Post(Owner.Id(), TMMTTYInterface::mmPTT, 1);
    ASSERT_TRUE(waitUntil([&] { return Link.PTT(); }));
    Link.PrepareTX();
    Link.SetPTT(false);
    Link.PrepareTX();
    Link.SetSquelch(false);
    ASSERT_TRUE(engine.WaitReceived(4));
    EXPECT_EQ(engine.Received.mid(2), (QStringList{"(3,0)", "(11,0)"}));
}

TEST_F(MMTTYLink, LevelTimerRunsOnlyWhileConnectedWithAnInterval)
{
    vx::Clock::useManual();
    EngineDouble engine;
    Link.SetLevelTimerInterval(0);
    ASSERT_TRUE(engine.Handshake(Link));
    EXPECT_FALSE(Link.LevelTimer()->isActive());
    Link.SetLevelTimerInterval(500);
    EXPECT_TRUE(Link.LevelTimer()->isActive());
    engine.Post(Owner.Id(), TMMTTYInterface::mmLevels, 123);
    ASSERT_TRUE(waitUntil([&] { return Link.SignalLevel() == 123; }));
    Events.clear();
    vx::Clock::advance(1000);
    EXPECT_EQ(Events, (QStringList{"SignalLevelTimer=123", "SignalLevelTimer=123"}));
    Link.SetLevelTimerInterval(0);
    EXPECT_FALSE(Link.LevelTimer()->isActive());
    EXPECT_TRUE(Link.Connected());
}

TEST_F(MMTTYLink, AnEngineThatGoesAwayEndsTheLinkAsStopWould)
{
    EngineDouble engine;
    ASSERT_TRUE(engine.Handshake(Link));
    engine.Post(Owner.Id(), TMMTTYInterface::mmLevels, 400);
    ASSERT_TRUE(waitUntil([&] { return Link.SignalLevel() == 400; }));
    {
        // Another peer of the window leaving changes nothing.
        EngineDouble stranger;
        stranger.Post(Owner.Id(), TMMTTYInterface::mmWindowRequest, 0);
        ASSERT_TRUE(engine.WaitReceived(1)); // the answer goes to the engine
    }
    vxtest::spin(50);
    EXPECT_TRUE(Link.Connected());

    Events.clear();
    engine.Close();
    ASSERT_TRUE(waitUntil([&] { return !Link.Connected(); }));
    EXPECT_EQ(Events, (QStringList{"Connected=0", "SignalLevel=0"}));
    EXPECT_FALSE(Link.LevelTimer()->isActive());
    EXPECT_EQ(Link.EngineWindow(), vx::BusBroadcast);
}
