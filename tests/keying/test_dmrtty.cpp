// The RTTY data module: what each role does with an action (engine, server lines), the
// panel's events, the engine's events broadcast before the panel shows them, the server's
// lines applied on the client, the settings, and an engine killed while transmitting.
#include "core/DMApplication.h"
#include "keying/DMRTTY.h"
#include "log/LogInterface.h"
#include "remote/DMClient.h"
#include "tests/keying/KeyingDoubles.h"

#include <QDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <signal.h>

using keyingtest::EngineDouble;
using keyingtest::RecordingClient;
using keyingtest::RecordingPanel;
using keyingtest::RecordingServer;
using vxtest::waitUntil;

namespace {

// One program's RTTY module in a role, with its window's endpoint, a logbook for the macros
// and recording neighbours; every neighbour's call lands in one list.
struct Rig {
    explicit Rig(TApplicationType role)
    {
        EXPECT_TRUE(Owner.Open());
        EXPECT_NE(HookMMTTYInterface(Owner, Link()), 0u);
        DM.SetApplicationType(role);
        Rtty.SetDM(&DM);
        Rtty.SetServer(&Server);
        Rtty.SetClient(&Client);
        Rtty.SetRTTYPanel(&Panel);
        Rtty.SetLogInterface(&Log);
        Rtty.SetUseMMTTYEngine(true);
        Log.SetMyCall("DL1ABC");
        Rtty.OnConnected = [this](bool v) { Calls << QStringLiteral("OnConnected=%1").arg(v); };
        Rtty.OnPTT = [this](bool v) { Calls << QStringLiteral("OnPTT=%1").arg(v); };
    }
    TMMTTYInterface& Link() { return *Rtty.MMTTYInterface(); }
    // A message from the engine, handed over as the window would.
    void FromEngine(quint64 w, qint64 l)
    {
        vx::BusMessage m;
        m.Msg = Link().Message();
        m.WParam = w;
        m.LParam = l;
        Link().WndProc(m);
    }

    QStringList Calls;
    vx::BusEndpoint Owner;
    TApplicationRole DM;
    TLogInterface Log;
    RecordingServer Server{Calls};
    RecordingClient Client{Calls};
    RecordingPanel Panel{Calls};
    TDMRTTY Rtty;
};

class RTTYModule : public ::testing::Test {
protected:
    void SetUp() override { vx::Clock::useManual(); }
    void TearDown() override { vx::Clock::useSystem(); }
    keyingtest::BusFolder Bus;
};

} // namespace

TEST_F(RTTYModule, LocalRolesDriveTheEngine)
{
    for (const TApplicationType role : {isLocal, isLocalAndRemoteServer, isRemoteServer}) {
        SCOPED_TRACE(int(role));
        Rig rig(role);
        EngineDouble engine;
        ASSERT_TRUE(engine.Handshake(rig.Link()));
        rig.Calls.clear();

        TDMRTTY& rtty = rig.Rtty;
        rtty.Clear();
        rtty.Send("ry");
        // Macros are expanded here, also in a message a client sent.
        rtty.PrepareTX();
        rtty.SendMessage("<MYCALL> k");
        rtty.TX();
        rtty.PrepareTX();
        rtty.SetBandPassFilter(true);
        rtty.PrepareTX();
        rtty.SetSquelchLevel(200);
        rtty.SetSignalLevel(999); // only the engine reports its level here
        rig.Panel.OnMMTTYSquelch(true);
        rig.Panel.OnMMTTYSquelchLevel(100);
        rig.Panel.OnMMTTYSend("e");
        rig.Panel.OnMMTTYTX();
        const QStringList expected{
            "(3,4)",  "(3,0)",                                                                     // Clear
            "(4,82)", "(4,89)",                                                                    // Send
            "(3,2)",  "(4,68)", "(4,76)", "(4,49)", "(4,65)", "(4,66)", "(4,67)", "(4,32)", "(4,75)", "(3,1)", // message
            "(3,2)",                                                                               // TX
            "(11,32)", "(15,200)",                                                                 // filter, level
            // The switch word sent is the engine's last report with one bit changed.
            "(11,128)", "(15,100)", "(4,69)", "(3,2)",                                             // the panel's
        };
        ASSERT_TRUE(engine.WaitReceived(int(expected.size())));
        EXPECT_EQ(engine.Received, expected);
        // Changes made here are not echoed to the clients; nothing goes to a server.
        EXPECT_EQ(rig.Calls, QStringList{});
        EXPECT_EQ(rig.Link().SignalLevel(), 0);

        // Open toggles: a running engine is stopped; Close stops it as well.
        rtty.Open();
        ASSERT_TRUE(engine.WaitReceived(int(expected.size()) + 1));
        EXPECT_EQ(engine.Received.last(), "(2,0)");
        EXPECT_FALSE(rtty.IsConnected());
    }
}

TEST_F(RTTYModule, TheClientSendsEveryActionToTheServer)
{
    Rig rig(isRemoteClient);
    TDMRTTY& rtty = rig.Rtty;
    TRTTYPanelLink& panel = rig.Panel;
    rtty.Open();
    rtty.Clear();
    rtty.TX();
    rtty.Send("cq de");
    rtty.SendMessage("<CR><MYCALL> k");
    rtty.Close(); // the local engine only, which does not run
    panel.OnMMTTYOpen();
    panel.OnMMTTYClose();
    panel.OnMMTTYBandPassFilter(true);
    panel.OnMMTTYBandPassFilter(false);
    panel.OnMMTTYSquelch(true);
    panel.OnMMTTYSquelchLevel(200);
    panel.OnMMTTYTX();
    panel.OnMMTTYSend("a;b");
    panel.OnMMTTYSendMessage("TU");
    EXPECT_EQ(rig.Calls, (QStringList{"client:RA:;", "client:RC:;", "client:RX:;", "client:RS:cq de;",
                                      "client:RM:\rDL1ABC k;", "client:RA:;", "client:RZ:;", "client:RB:1;",
                                      "client:RB:0;", "client:RQ:1;", "client:RR:200;", "client:RX:;",
                                      "client:RS:a;b;", "client:RM:TU;"}));
    // The server's state goes to the panel.
    rig.Calls.clear();
    rtty.PrepareRX();
    rtty.SetBandPassFilter(true);
    rtty.SetSquelch(true);
    rtty.SetSquelchLevel(70000);
    rtty.SetSignalLevel(300);
    rtty.SetConnected(true);
    rtty.SetPTT(true);
    rtty.RXText("A");
    rtty.RXText("");
    rtty.SwitchInformation(5);
    EXPECT_EQ(rig.Calls, (QStringList{"panel.BandPassFilter=1", "panel.Squelch=1", "panel.SquelchLevel=65535",
                                      "panel.SignalLevel=300", "panel.Connected=1", "panel.PTT=1", "panel.RXText(A)"}));
    EXPECT_FALSE(rig.Link().BandPassFilter());

    // With an engine of its own running, Open asks the server to stop its engine, and the
    // panel's Close stops both.
    EngineDouble engine;
    ASSERT_TRUE(engine.Handshake(rig.Link()));
    rig.Rtty.SetRunMMTTYLocal(true);
    rig.Calls.clear();
    rtty.Open();
    panel.OnMMTTYClose();
    EXPECT_EQ(rig.Calls.filter("client:"), (QStringList{"client:RZ:;", "client:RZ:;"}));
    ASSERT_TRUE(engine.WaitReceived(1));
    EXPECT_EQ(engine.Received, QStringList{"(2,0)"});
}

TEST_F(RTTYModule, EngineEventsReachTheClientsBeforeThePanel)
{
    // The full picture in the role that serves and shows; the other roles see a part of it.
    const QStringList full{
        "server:RS:1;", "panel.Connected=1", "OnConnected=1", //
        "server:RB:1;", "panel.BandPassFilter=1",            //
        "server:RP:1;", "panel.PTT=1", "OnPTT=1",            //
        "server:RP:0;", "panel.PTT=0", "OnPTT=0",            //
        "server:RM:65;", "panel.RXText(A)",                  //
        "panel.SignalLevel=300",                             // the level goes out with the timer
        "server:RR:200;", "panel.SquelchLevel=200",          //
        "server:RL:300;",                                    //
        "server:RQ:1;", "panel.Squelch=1",                   //
    };
    auto without = [](QStringList list, const QStringList& prefixes) {
        list.removeIf([&](const QString& s) {
            return std::any_of(prefixes.begin(), prefixes.end(), [&](const QString& p) { return s.startsWith(p); });
        });
        return list;
    };
    const struct {
        TApplicationType role;
        QStringList expected;
    } cases[] = {
        {isLocal, without(full, {"server:"})},
        {isLocalAndRemoteServer, full},
        {isRemoteServer, without(full, {"panel."})},
        {isRemoteClient, without(full, {"server:", "panel.RXText"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.role));
        Rig rig(c.role);
        rig.FromEngine(TMMTTYInterface::mmStarted, 0);
        rig.FromEngine(TMMTTYInterface::mmSwitches, 0x20);
        rig.FromEngine(TMMTTYInterface::mmPTT, 1);
        rig.FromEngine(TMMTTYInterface::mmPTT, 0);
        rig.FromEngine(TMMTTYInterface::mmRXChar, 65);
        rig.FromEngine(TMMTTYInterface::mmRXChar, 97); // not passed on: nothing anywhere
        rig.FromEngine(TMMTTYInterface::mmLevels, 300 + 200 * 65536);
        vx::Clock::advance(500);
        rig.FromEngine(TMMTTYInterface::mmSwitches, 0xA0);
        EXPECT_EQ(rig.Calls, c.expected) << rig.Calls.join(' ').toStdString();
    }

    // A server whose level timer is off sends no level lines.
    Rig quiet(isRemoteServer);
    quiet.Link().SetLevelTimerInterval(0);
    quiet.FromEngine(TMMTTYInterface::mmStarted, 0);
    quiet.FromEngine(TMMTTYInterface::mmLevels, 300);
    vx::Clock::advance(2000);
    EXPECT_TRUE(quiet.Calls.filter("RL:").isEmpty());
}

TEST_F(RTTYModule, TheClientAppliesTheServersLines)
{
    Rig rig(isRemoteClient);
    TDMClient client;
    client.SetDM(&rig.DM);
    client.SetRTTY(&rig.Rtty);
    // The login reply, applied in order.
    client.RemoteClientHandleInput("RS:1;RB:0;RQ:1;RR:200;");
    EXPECT_EQ(rig.Calls, (QStringList{"panel.Connected=1", "panel.BandPassFilter=0", "panel.Squelch=1",
                                      "panel.SquelchLevel=200"}));
    const struct {
        const char* line;
        QStringList expected;
    } cases[] = {
        {"RM:65;", {"panel.RXText(A)"}},
        {"RM:13;", {"panel.RXText(\r)"}},
        {"RL:300;", {"panel.SignalLevel=300"}},
        {"RP:1;", {"panel.PTT=1"}},
        {"RW:5;", {}},
        {"RM:300;", {}},
        {"RM:-1;", {}},
        {"RM:;", {}},
        {"RR:abc;", {}},
        {"RL:;", {}},
        {"RL:12", {}},
        {"RZ:1;", {}},
    };
    for (const auto& c : cases) {
        rig.Calls.clear();
        client.RemoteClientHandleInput(c.line);
        EXPECT_EQ(rig.Calls, c.expected) << c.line;
    }
}

TEST_F(RTTYModule, WithoutTheEngineInUseOpenDoesNothing)
{
    for (const TApplicationType role : {isLocal, isLocalAndRemoteServer, isRemoteServer, isRemoteClient}) {
        SCOPED_TRACE(int(role));
        Rig rig(role);
        rig.Rtty.SetUseMMTTYEngine(false);
        rig.Link().SetMMTTYPath(VX_FAKE_MMTTY);
        EngineDouble engine;
        ASSERT_TRUE(engine.Handshake(rig.Link()));
        rig.Calls.clear();
        rig.Rtty.Open();
        vxtest::spin(50);
        EXPECT_TRUE(engine.Received.isEmpty());
        EXPECT_TRUE(rig.Calls.isEmpty());
        EXPECT_TRUE(rig.Rtty.IsConnected());
    }
}

TEST_F(RTTYModule, SettingsRoundTripUnderClientMMTTY)
{
    TDMApplication app;
    {
        Rig fresh(isLocal);
        fresh.Rtty.IniRead();
        EXPECT_EQ(fresh.Link().LevelTimerInterval(), 500);
        EXPECT_FALSE(fresh.Rtty.UseMMTTYEngine());
        EXPECT_TRUE(fresh.Link().MMTTYPath().isEmpty());
    }
    {
        Rig rig(isLocal);
        rig.Link().SetMMTTYPath("/opt/rtty engine/mmtty");
        rig.Link().MMTTYStartOptions().SetControlMenues(true);
        rig.Link().MMTTYStartOptions().SetStayOnTop(true);
        rig.Link().SetLevelTimerInterval(250);
        rig.Rtty.SetRunMMTTYLocal(true);
        rig.Rtty.IniWrite();
    }
    TIniStore& ini = *app.IniRegistry();
    EXPECT_EQ(ini.ReadString("Client\\MMTTY", "MMTTYPath", ""), "/opt/rtty engine/mmtty");
    EXPECT_EQ(ini.ReadSection("Client\\MMTTY").size(), 8);
    Rig back(isLocal);
    back.Rtty.IniRead();
    EXPECT_EQ(back.Link().MMTTYPath(), "/opt/rtty engine/mmtty");
    EXPECT_TRUE(back.Link().MMTTYStartOptions().ControlMenues());
    EXPECT_FALSE(back.Link().MMTTYStartOptions().ControlButtons());
    EXPECT_TRUE(back.Link().MMTTYStartOptions().StayOnTop());
    EXPECT_EQ(back.Link().LevelTimerInterval(), 250);
    EXPECT_TRUE(back.Rtty.UseMMTTYEngine());
    EXPECT_TRUE(back.Rtty.RunMMTTYLocal());
}

TEST_F(RTTYModule, AnEngineKilledWhileTransmittingEndsAsAfterStop)
{
    vx::Clock::useSystem();
    Rig rig(isRemoteServer);
    rig.Link().SetMMTTYPath(VX_FAKE_MMTTY);
    rig.Rtty.Open();
    ASSERT_TRUE(waitUntil([&] { return rig.Rtty.IsConnected(); }, 5000)) << Bus.Log().join('\n').toStdString();
    rig.Rtty.TX();
    ASSERT_TRUE(waitUntil([&] { return rig.Calls.contains("server:RP:1;"); }));
    ASSERT_GT(Bus.EnginePid(), 0);
    rig.Calls.clear();
    ASSERT_EQ(::kill(pid_t(Bus.EnginePid()), SIGKILL), 0);
    ASSERT_TRUE(waitUntil([&] { return !rig.Rtty.IsConnected(); }, 5000));
    rig.Calls.removeIf([](const QString& s) { return s.startsWith("server:RL:"); }); // level ticks
    EXPECT_EQ(rig.Calls, (QStringList{"server:RS:0;", "OnConnected=0"}));
    EXPECT_FALSE(rig.Link().LevelTimer()->isActive());
    EXPECT_EQ(rig.Link().SignalLevel(), 0);
    // It can be started again.
    rig.Rtty.Open();
    EXPECT_TRUE(waitUntil([&] { return rig.Rtty.IsConnected(); }, 5000));
    rig.Rtty.Close();
}
