// The CW module on both ends of the remote link: a server with its keyer on the simulator
// and a client on a real socket on 127.0.0.1, and the client module's handling of the
// server's keyer lines; bad lines change nothing.
#include "core/DMApplication.h"
#include "keying/DMCW.h"
#include "platform/SerialPort.h"
#include "remote/DMClient.h"
#include "remote/DMServer.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/remote/LinkDoubles.h"
#include "tests/support/WinKeyerSimulator.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vxtest::run;
using vxtest::runUntil;

class CWServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        QFile::remove(TDMApplication::SettingsFileName());
        app = std::make_unique<TDMApplication>();
        dm.SetApplicationType(isRemoteServer);
        server = std::make_unique<TDMServer>();
        cw = std::make_unique<TDMCW>();
        server->SetDM(&dm);
        server->SetCW(cw.get());
        cw->SetDM(&dm);
        cw->SetServer(server.get());
        server->SetHostname("shack");
        server->SetUsers({"DL1ABC"});
        server->SetPassword("secret");
        server->SetPort(FreePort());
        server->Open();
        ASSERT_TRUE(server->Active());

        cw->WinKeyComPort()->setPort(sim.portName());
        cw->Open();
        ASSERT_TRUE(runUntil([&] { return cw->WinKey()->Active(); }, 2000));
        run(100);
        sim.clearLog();
    }
    void TearDown() override
    {
        server.reset();
        cw.reset();
        app.reset();
        vx::Clock::useSystem();
    }
    std::unique_ptr<LinePeer> LoggedIn()
    {
        auto peer = std::make_unique<LinePeer>();
        EXPECT_TRUE(peer->Connect(quint16(server->Port())));
        peer->Send("MG:Callsign DL1ABC");
        peer->Send("MG:Password secret");
        EXPECT_TRUE(peer->WaitFor("MG:Login OK"));
        return peer;
    }
    // Waits until the server has handled what the peer sent.
    void Settle(LinePeer& peer)
    {
        peer.Send("PI:settle;");
        EXPECT_TRUE(peer.WaitFor("PI:settle;"));
    }

    vxtest::WinKeyerSimulator sim;
    TApplicationRole dm;
    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMServer> server;
    std::unique_ptr<TDMCW> cw;
};

TEST_F(CWServerTest, ClientSpeedReachesTheKeyerAndEveryClient)
{
    auto peer = LoggedIn();
    // The login reply carries the keyer's state (the simulator's pot at 18 WPM).
    EXPECT_TRUE(peer->WaitFor("WS:10|26|40|18|1;"));
    EXPECT_TRUE(peer->WaitFor("WR:1|1|10|40|26|18;"));
    Settle(*peer);

    // Only the second field counts; the keyer gets 30 WPM and the clients hear of it.
    peer->Send("WS:5|30|99|25|1;");
    EXPECT_EQ(peer->Next(), "WS:10|30|40|18|1;");
    EXPECT_EQ(peer->Next(), "WT:30|18;");
    run(50);
    EXPECT_EQ(sim.received().toHex(' '), "02 1e");
    EXPECT_EQ(cw->WinKey()->Speed(), 30);
    EXPECT_EQ(cw->CWSidetone()->Speed(), 30);

    // Out of the keyer's range: the keyer and the sidetone take the clamped speed.
    sim.clearLog();
    peer->Send("WT:99|0;");
    EXPECT_EQ(peer->Next(), "WS:10|40|40|18|1;");
    EXPECT_EQ(peer->Next(), "WT:40|18;");
    run(50);
    EXPECT_EQ(sim.received().toHex(' '), "02 28");
    EXPECT_EQ(cw->CWSidetone()->Speed(), 40);
}

TEST_F(CWServerTest, BadKeyerLinesChangeNothing)
{
    auto peer = LoggedIn();
    Settle(*peer);
    const qsizetype before = peer->Lines().size();
    for (const char* line : {"WS:a|b;", "WT:;", "WR:9|x;", "WS:5|300|99|0|1;", "WS:5|30|x|0|1;", "WT:30|-1;", "WS:;", "WT:30|"})
        peer->Send(line);
    Settle(*peer);
    run(50);
    EXPECT_EQ(peer->Lines().mid(before), QStringList{"PI:settle;"});
    EXPECT_EQ(sim.received(), "");
    EXPECT_EQ(cw->WinKey()->Speed(), 26);
    EXPECT_FALSE(peer->Closed());
}

TEST_F(CWServerTest, ClientTextIsKeyedAndEchoedToEveryClient)
{
    auto peer = LoggedIn();
    Settle(*peer);
    peer->Send("WK:cq  test;");
    Settle(*peer);
    const qsizetype before = peer->Lines().size();
    run(3000); // the keyer keys it
    // The echo lines travel on the socket in real time.
    ASSERT_TRUE(peer->WaitLines(int(before) + 7)) << peer->Lines().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(sim.received(), "CQ TEST");
    EXPECT_EQ(peer->Lines().mid(before), (QStringList{"WK:C;", "WK:Q;", "WK: ;", "WK:T;", "WK:E;", "WK:S;", "WK:T;"}));
}

TEST_F(CWServerTest, UnpluggedKeyerIsReportedAtOnceAndComesBack)
{
    // The keyer on a device name that outlives the device, as a USB keyer's does.
    QTemporaryDir dir;
    ASSERT_TRUE(sim.linkAs(dir.filePath("winkeyer")));
    cw->Close();
    cw->WinKeyComPort()->setPort(sim.portName());
    cw->Open();
    ASSERT_TRUE(runUntil([&] { return cw->WinKey()->Active(); }, 2000));
    auto peer = LoggedIn();
    Settle(*peer);
    peer->Skip();

    sim.closeDevice();
    EXPECT_EQ(peer->Next(), "WR:2|1|10|40|26|18;");
    EXPECT_FALSE(cw->WinKey()->Active());
    EXPECT_FALSE(cw->WinKeyComPort()->connected());

    run(TWinKeyer::ReopenIntervalMs); // an attempt while it is away
    ASSERT_TRUE(sim.reopenDevice());
    ASSERT_TRUE(runUntil([&] { return cw->WinKey()->Active(); }, 4000));
    EXPECT_EQ(peer->Next(), "WR:1|1|10|40|26|18;");
    EXPECT_TRUE(sim.hostOpen());
}

// The client module handing the server's keyer lines to the CW module of a client.
class CWClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TDMApplication>();
        dm.SetApplicationType(isRemoteClient);
        client = std::make_unique<TDMClient>();
        cw = std::make_unique<TDMCW>();
        client->SetDM(&dm);
        client->SetCW(cw.get());
        cw->SetDM(&dm);
        cw->SetClient(client.get());
        cw->Open();
        k().OnRemoteStatus = [this](TWKStatus s) { events << QStringLiteral("RemoteStatus=%1").arg(s); };
        k().OnCharacterRemote = [this](QChar c) { events << QStringLiteral("Echo(%1)").arg(c); };
    }
    TWinKeyer& k() { return *cw->WinKey(); }

    TApplicationRole dm;
    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMClient> client;
    std::unique_ptr<TDMCW> cw;
    QStringList events;
};

TEST_F(CWClientTest, ServerLinesSetTheMirroredKeyer)
{
    k().SetSpeedPot(20);
    client->RemoteClientHandleInput("WT:28|0;");
    EXPECT_EQ(k().Speed(), 28);
    EXPECT_EQ(k().SpeedPot(), 0);
    EXPECT_EQ(cw->CWSidetone()->Speed(), 28);

    k().SetSpeedPot(20);
    client->RemoteClientHandleInput("WS:10|28|40|0|1;"); // pot 0: not a pot reading
    EXPECT_EQ(k().SpeedPot(), 20);
    client->RemoteClientHandleInput("WS:12|35|38|22|1;");
    EXPECT_EQ(k().MinWPM(), 12);
    EXPECT_EQ(k().MaxWPM(), 38);
    EXPECT_EQ(k().SpeedPot(), 22);
    EXPECT_EQ(k().Speed(), 35);
    // A speed outside the mirrored range: keyer and sidetone take the clamped one.
    client->RemoteClientHandleInput("WT:55|22;");
    EXPECT_EQ(k().Speed(), 38);
    EXPECT_EQ(cw->CWSidetone()->Speed(), 38);

    client->RemoteClientHandleInput("WR:2|1|10|40|30|24;");
    EXPECT_EQ(k().RemoteStatus(), wksError);
    EXPECT_EQ(k().Speed(), 30);
    EXPECT_EQ(k().SpeedPot(), 24);
    EXPECT_EQ(k().Status(), wksClosed); // its own status is not the server's

    client->RemoteClientHandleInput("WK:A;B;");
    EXPECT_EQ(events, (QStringList{"RemoteStatus=2", "Echo(A)", "Echo(B)"}));
    EXPECT_FALSE(k().Active());
}

TEST_F(CWClientTest, BadLinesChangeNothing)
{
    for (const char* line : {"WS:a|b;", "WT:;", "WR:9|x;", "WS:5|300|99|0|1;", "WR:1x|1|10|40|26|26;", "WR:1|1|10|40|26|256;",
                             "WT:30|x;"}) {
        client->RemoteClientHandleInput(line);
        EXPECT_EQ(k().Speed(), 26) << line;
        EXPECT_EQ(k().SpeedPot(), 26) << line;
        EXPECT_EQ(k().MinWPM(), 10) << line;
        EXPECT_EQ(k().MaxWPM(), 40) << line;
        EXPECT_EQ(k().RemoteStatus(), wksClosed) << line;
        EXPECT_EQ(cw->CWSidetone()->Speed(), 25) << line;
    }
}
