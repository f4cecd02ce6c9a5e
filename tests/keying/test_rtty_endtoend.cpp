// RTTY over the remote link: a server and a client of this program on 127.0.0.1, the fake
// engine program beside the server.  The client starts the engine, transmits through it,
// sees what it receives, and hears when it dies.
#include "keying/DMRTTY.h"
#include "log/LogInterface.h"
#include "platform/Clock.h"
#include "remote/DMClient.h"
#include "remote/DMServer.h"
#include "remote/RemoteClientInterface.h"
#include "tests/keying/KeyingDoubles.h"
#include "tests/remote/LinkDoubles.h"

#include <gtest/gtest.h>
#include <signal.h>

using keyingtest::RecordingPanel;
using vxtest::waitUntil;

namespace {

// One program's RTTY side: its role, RTTY module, logbook and panel.
struct Side {
    explicit Side(TApplicationType role)
    {
        DM.SetApplicationType(role);
        Rtty.SetDM(&DM);
        Rtty.SetLogInterface(&Log);
        Rtty.SetRTTYPanel(&Panel);
        Rtty.SetUseMMTTYEngine(true);
    }
    TApplicationRole DM;
    TLogInterface Log;
    QStringList Calls;
    RecordingPanel Panel{Calls};
    TDMRTTY Rtty;
};

} // namespace

TEST(RTTYEndToEnd, AClientRunsTheServersEngine)
{
    vx::Clock::useSystem();
    keyingtest::BusFolder bus;

    // The server with its window's endpoint and the engine program beside it.
    Side shack(isRemoteServer);
    vx::BusEndpoint window;
    ASSERT_TRUE(window.Open());
    ASSERT_NE(HookMMTTYInterface(window, *shack.Rtty.MMTTYInterface()), 0u);
    shack.Rtty.MMTTYInterface()->SetMMTTYPath(VX_FAKE_MMTTY);
    TDMServer server;
    server.SetDM(&shack.DM);
    server.SetRTTY(&shack.Rtty);
    shack.Rtty.SetServer(&server);
    server.SetHostname("shack");
    server.SetUsers({"DL1ABC"});
    server.SetPassword("secret");
    server.SetPort(FreePort());
    server.Open();
    ASSERT_TRUE(server.Active());

    // The operator's client.
    Side home(isRemoteClient);
    TDMClient client;
    client.SetDM(&home.DM);
    client.SetRTTY(&home.Rtty);
    home.Rtty.SetClient(&client);
    client.SetRemoteBaseParameter(0, {"Shack", "127.0.0.1", uint32_t(server.Port()), "DL1ABC", "secret", true, 4000});
    client.Update();
    client.Connect();
    ASSERT_TRUE(waitUntil([&] { return client.RemoteClient()->LoggedIn(); }, 5000));
    // The login reply brought the engine's state: not running.
    ASSERT_TRUE(waitUntil([&] { return home.Calls.contains("panel.Connected=0"); }));

    // The client's Open starts the engine at the server.
    home.Calls.clear();
    home.Panel.OnMMTTYOpen();
    ASSERT_TRUE(waitUntil([&] { return home.Calls.contains("panel.Connected=1"); }, 5000))
        << bus.Log().join('\n').toStdString();
    EXPECT_TRUE(shack.Rtty.IsConnected());

    // A message keeps its carriage return and its inner ";" all the way to the engine.
    home.Panel.OnMMTTYSendMessage("<CR>CQ;TEST");
    const QStringList message{"(3,2)",  "(4,13)", "(4,67)", "(4,81)", "(4,59)", "(4,84)",
                              "(4,69)", "(4,83)", "(4,84)", "(3,1)"};
    ASSERT_TRUE(waitUntil([&] { return bus.Received().size() >= 1 + message.size(); }, 5000));
    EXPECT_EQ(bus.Received().mid(1, message.size()), message);
    // The engine keyed for it; the client saw its PTT both ways.
    ASSERT_TRUE(waitUntil([&] { return home.Calls.contains("panel.PTT=1") && home.Calls.contains("panel.PTT=0"); }));

    // An A the engine receives shows on the client's panel.
    home.Calls.clear();
    home.Panel.OnMMTTYSend("a");
    ASSERT_TRUE(waitUntil([&] { return home.Calls.contains("panel.RXText(A)"); }, 5000));
    // A client that logs in now starts with the running engine's state.
    home.Panel.OnMMTTYSquelch(true);
    home.Panel.OnMMTTYSquelchLevel(200);
    ASSERT_TRUE(waitUntil([&] { return home.Calls.contains("panel.SquelchLevel=200"); }, 5000));
    EXPECT_TRUE(shack.Rtty.Squelch());

    Side second(isRemoteClient);
    TDMClient secondClient;
    secondClient.SetDM(&second.DM);
    secondClient.SetRTTY(&second.Rtty);
    secondClient.SetRemoteBaseParameter(0, {"Shack", "127.0.0.1", uint32_t(server.Port()), "DL1ABC", "secret", true, 4000});
    secondClient.Update();
    secondClient.Connect();
    ASSERT_TRUE(waitUntil([&] { return second.Calls.size() >= 4; }, 5000));
    EXPECT_EQ(second.Calls.mid(0, 4), (QStringList{"panel.Connected=1", "panel.BandPassFilter=0", "panel.Squelch=1",
                                                   "panel.SquelchLevel=200"}));

    // The engine dies while transmitting: the clients are told it is gone.
    home.Panel.OnMMTTYTX();
    ASSERT_TRUE(waitUntil([&] { return home.Calls.contains("panel.PTT=1"); }, 5000));
    home.Calls.clear();
    ASSERT_EQ(::kill(pid_t(bus.EnginePid()), SIGKILL), 0);
    ASSERT_TRUE(waitUntil([&] { return home.Calls.contains("panel.Connected=0"); }, 5000));
    EXPECT_FALSE(shack.Rtty.IsConnected());
    EXPECT_TRUE(waitUntil([&] { return second.Calls.contains("panel.Connected=0"); }, 3000));

    server.Close();
}
