// A client and a server of this program on 127.0.0.1, the server's radio simulated on its CAT
// port: the client's engine follows the radio, and the client tunes it.
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "remote/DMClient.h"
#include "remote/DMServer.h"
#include "remote/RemoteClientInterface.h"
#include "tests/remote/LinkDoubles.h"
#include "tests/support/RadioSimulator.h"

#include <gtest/gtest.h>

using vxtest::waitUntil;

namespace {

// One side of the link: its role, radio module and CAT command writer.
struct Station {
    explicit Station(TApplicationType role)
    {
        dm.SetApplicationType(role);
        radio.SetDM(&dm);
        radio.FT2KCATCommandTXEvent = [this](const QString& v) { writer.DoCATCommandTX(v); };
    }
    TFTCATInterface& cat() { return *radio.FTCATInterface(); }

    TApplicationRole dm;
    TDMRadio radio;
    TCATCommandWriter writer{&radio};
    RecordingModules mods;
};

} // namespace

TEST(RemoteEndToEnd, ClientFollowsAndTunesTheServersRadio)
{
    vx::Clock::useSystem();
    TDMApplication app;
    vxtest::RadioSimulator sim(FT950);
    ASSERT_TRUE(sim.ok());
    sim.setFrequency(vfoA, 21074000);
    sim.setMode(vfoA, mdUSB);

    // The server beside the radio.
    Station shack(isRemoteServer);
    TDMServer server;
    server.SetDM(&shack.dm);
    server.SetRadio(&shack.radio);
    server.SetCW(&shack.mods.CW);
    server.SetMessages(&shack.mods.Messages);
    server.SetRTTY(&shack.mods.RTTY);
    shack.radio.SetServer(&server);
    server.SetHostname("shack");
    server.SetUsers({"DL1ABC"});
    server.SetPassword("secret");
    server.SetPort(FreePort());
    server.Open();
    ASSERT_TRUE(server.Active());
    shack.radio.RadioComPort()->setPort(sim.portName());
    shack.cat().SetUsingCOMPort(true);
    shack.cat().SetTransceiverAutoDetect(true);
    ASSERT_TRUE(shack.cat().Open());

    // The operator's client.
    Station home(isRemoteClient);
    TDMClient client;
    client.SetDM(&home.dm);
    client.SetRadio(&home.radio);
    client.SetCW(&home.mods.CW);
    client.SetMessages(&home.mods.Messages);
    client.SetRTTY(&home.mods.RTTY);
    client.SetDX(&home.mods.DX);
    home.radio.SetClient(&client);
    home.cat().SetTransceiverAutoDetect(true);
    client.SetRemoteBaseParameter(0, {"Shack", "127.0.0.1", uint32_t(server.Port()), "DL1ABC", "secret", true, 4000});
    client.Update();
    client.Connect();

    ASSERT_TRUE(waitUntil([&] { return client.RemoteClient()->LoggedIn(); }, 5000));
    EXPECT_EQ(server.Clients().size(), 1);
    // The client's poll goes through the server to the radio, the answers come back.
    ASSERT_TRUE(waitUntil(
        [&] { return home.cat().FrequencyA() == 21074000 && home.cat().ModeA() == mdUSB && home.cat().Transceiver() == FT950; },
        8000))
        << home.cat().FrequencyA() << " " << int(home.cat().ModeA()) << " " << int(home.cat().Transceiver());
    EXPECT_EQ(home.cat().ComState(), csConnected);
    EXPECT_TRUE(home.mods.Calls.contains("rtty.Connected=1")); // the login reply reached the RTTY module

    // A frequency set on the client reaches the radio, and the client follows.
    home.cat().PrepareTX();
    home.cat().SetFrequency(0, 7030000);
    ASSERT_TRUE(waitUntil([&] { return sim.frequency(vfoA) == 7030000; }, 5000));
    shack.cat().ParameterRequest();
    EXPECT_TRUE(waitUntil([&] { return home.cat().FrequencyA() == 7030000; }, 5000)) << home.cat().FrequencyA();

    // The heartbeat measures the link.
    EXPECT_TRUE(waitUntil([&] { return client.RemoteClient()->RCM().Samples().size() >= 2; }, 3000));
    EXPECT_LT(client.RemoteClient()->RCM().Value(), 1000);

    server.Close();
    EXPECT_TRUE(waitUntil([&] { return !client.RemoteClient()->Connected(); }, 3000));
    shack.cat().Close();
}
