// The remote client module: its six stations and their settings, its actions, the dispatch of
// every server line, and a session against a server the test plays.
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/MicroHamInterface.h"
#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"
#include "remote/DMClient.h"
#include "remote/RemoteClientInterface.h"
#include "tests/remote/LinkDoubles.h"

#include <QAction>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

using vxtest::waitUntil;

class ClientModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        QFile::remove(TDMApplication::SettingsFileName());
        app = std::make_unique<TDMApplication>();
        dm.SetApplicationType(isRemoteClient);
        radio = std::make_unique<TDMRadio>();
        writer = std::make_unique<TCATCommandWriter>(radio.get());
        client = std::make_unique<TDMClient>();
        radio->SetDM(&dm);
        radio->SetClient(client.get());
        radio->FT2KCATCommandTXEvent = [this](const QString& v) { writer->DoCATCommandTX(v); };
        microHam.SetApplicationType(isRemoteClient);
        microHam.OnSendCommandToServer = [this](const QString& line) { client->Send(line); };
        client->SetDM(&dm);
        client->SetRadio(radio.get());
        client->SetCW(&mods.CW);
        client->SetMessages(&mods.Messages);
        client->SetRTTY(&mods.RTTY);
        client->SetMicroHam(&microHam);
        client->SetDX(&mods.DX);
        client->OnConnection = [this](TConnection c, const QString& msg) {
            events << QStringLiteral("%1 %2").arg(int(c)).arg(msg);
        };
    }
    void TearDown() override
    {
        client.reset();
        writer.reset();
        radio.reset();
        app.reset();
        vx::Clock::useSystem();
    }
    TFTCATInterface& cat() { return *radio->FTCATInterface(); }
    static void WriteBase(QSettings& raw, int n, const char* name, const char* host, int port, const char* password,
                          bool active)
    {
        const QString g = QStringLiteral("Client/RemoteBases/Base%1/").arg(n);
        raw.setValue(g + "Hostname", name);
        raw.setValue(g + "IP", host);
        raw.setValue(g + "Port", port);
        raw.setValue(g + "Username", "DL1ABC");
        raw.setValue(g + "Password", password);
        raw.setValue(g + "AudioPort", 4000 + n);
        raw.setValue(g + "Active", active);
    }

    TApplicationRole dm;
    RecordingModules mods;
    TMicroHamInterface microHam;
    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMRadio> radio;
    std::unique_ptr<TCATCommandWriter> writer;
    std::unique_ptr<TDMClient> client;
    QStringList events;
};

TEST_F(ClientModuleTest, StationsAreReadPackedAndWrittenPacked)
{
    {
        QSettings raw(TDMApplication::SettingsFileName(), QSettings::IniFormat);
        WriteBase(raw, 0, "Home", "10.0.0.1", 7300, "pw", false);
        raw.setValue("Client/RemoteBases/Base1/IP", "10.0.0.9"); // no host name: not a station
        WriteBase(raw, 2, "Club", "club.example.org", 7301, "pw", true);
        WriteBase(raw, 4, "Half", "10.0.0.4", 7302, "", true); // no password: not complete
    }
    client->IniRead();
    app->Close();
    EXPECT_EQ(client->RemoteBaseParameter(0).Hostname, "Home");
    const TRemoteBaseParameter club = client->RemoteBaseParameter(1);
    EXPECT_EQ(club.Hostname, "Club");
    EXPECT_EQ(club.Host, "club.example.org");
    EXPECT_EQ(club.Port, 7301u);
    EXPECT_EQ(club.AudioPort, 4002u);
    EXPECT_EQ(client->RemoteBaseParameter(2).Hostname, "Half");
    EXPECT_EQ(client->ActiveRemoteBase(), 1); // the incomplete one cannot be chosen
    EXPECT_EQ(client->NoRemoteBases(), 2);
    EXPECT_TRUE(client->RemoteBaseConnectActions[0]->isVisible());
    EXPECT_TRUE(client->RemoteBaseConnectActions[1]->isChecked());
    EXPECT_EQ(client->RemoteBaseConnectActions[1]->text(), "Club (club.example.org)");
    EXPECT_EQ(client->RemoteBaseConnectActions[1]->toolTip(), "Connect to: club.example.org");
    EXPECT_FALSE(client->RemoteBaseConnectActions[2]->isVisible());
    EXPECT_FALSE(client->RemoteBaseParameter(2).Active); // only the chosen one stays marked

    client->IniWrite();
    app->Close();
    QSettings raw(TDMApplication::SettingsFileName(), QSettings::IniFormat);
    raw.beginGroup("Client/RemoteBases");
    EXPECT_EQ(raw.childGroups(), (QStringList{"Base0", "Base1", "Base2"}));
    EXPECT_EQ(raw.value("Base1/Hostname").toString(), "Club");
    EXPECT_EQ(raw.value("Base1/IP").toString(), "club.example.org");
    EXPECT_EQ(raw.value("Base1/AudioPort").toInt(), 4002);
    EXPECT_TRUE(raw.value("Base1/Active").toBool());
    EXPECT_EQ(QStringList(raw.allKeys().filter("Base1/")).size(), 7);
}

TEST_F(ClientModuleTest, ActionsByRoleAndConnection)
{
    TRemoteBaseParameter base{"Home", "127.0.0.1", quint16(FreePort()), "DL1ABC", "pw", true, 4000};
    client->SetRemoteBaseParameter(0, base);

    dm.SetApplicationType(isLocal);
    client->Update();
    EXPECT_EQ(client->ClientConnectAction->text(), "Connect to remote server");
    EXPECT_FALSE(client->ClientConnectAction->isEnabled());
    EXPECT_FALSE(client->ClientConnectButtonAction->isVisible());
    EXPECT_FALSE(client->ClientChooseAction->isEnabled());
    EXPECT_EQ(client->ActiveRemoteBase(), -1);
    client->SetActiveRemoteBase(0);
    client->Connect(); // not in this role
    EXPECT_TRUE(events.isEmpty());

    dm.SetApplicationType(isRemoteClient);
    client->Update();
    EXPECT_EQ(client->ClientConnectAction->text(), "Connect to Home");
    EXPECT_EQ(client->ClientConnectButtonAction->text(), "Connect");
    EXPECT_EQ(client->ClientConnectButtonAction->toolTip(), "Connect to remote server Home");
    EXPECT_TRUE(client->ClientChooseAction->isEnabled());

    // Nothing listens on the port: the attempt and its failure, named for the station.
    client->ClientConnectAction->trigger();
    EXPECT_EQ(client->ClientConnectAction->text(), "Connecting to Home");
    EXPECT_FALSE(client->ClientConnectAction->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return events.last().startsWith(QString::number(conNoRespone)); }));
    EXPECT_TRUE(events.last().startsWith(QString::number(conNoRespone) + " Connection to Home failed:\r\n")) << events.last().toStdString();
}

TEST_F(ClientModuleTest, EveryServerLine)
{
    cat().SetTransceiverAutoDetect(true);
    struct Case {
        const char* line;
        QStringList calls;
    };
    const Case cases[] = {
        {"WC:;", {"messages.Clear"}},
        {"WK:CQ;", {"keyer.RemoteEcho(C)", "keyer.RemoteEcho(Q)"}},
        {"WK:A", {"keyer.RemoteEcho(A)"}},
        {"WR:1|2|12|35|28|30;",
         {"keyer.RemoteStatus=1", "keyer.PrepareRX", "keyer.SynchronizeSpeed=2", "keyer.MinWPM=12", "keyer.MaxWPM=35",
          "keyer.PrepareRX", "keyer.Speed=28", "sidetone.Speed=28", "keyer.SpeedPot=30"}},
        {"WS:10|25|40;", {"keyer.MinWPM=10", "keyer.MaxWPM=40", "keyer.PrepareRX", "keyer.Speed=25", "sidetone.Speed=25"}},
        {"WS:10|25|40|0|1;", {"keyer.MinWPM=10", "keyer.MaxWPM=40", "keyer.PrepareRX", "keyer.Speed=25", "sidetone.Speed=25"}},
        {"WS:10|25|40|22|1;",
         {"keyer.MinWPM=10", "keyer.MaxWPM=40", "keyer.SpeedPot=22", "keyer.PrepareRX", "keyer.Speed=25", "sidetone.Speed=25"}},
        // "WT:" ends at its ";" and the line goes on.
        {"WT:24|20;WC:;", {"keyer.PrepareRX", "keyer.Speed=24", "sidetone.Speed=24", "keyer.PrepareRX", "keyer.SpeedPot=20", "messages.Clear"}},
        {"RS:1;RB:0;RQ:1;RR:300;",
         {"rtty.PrepareRX", "rtty.Connected=1", "rtty.PrepareRX", "rtty.BandPassFilter=0", "rtty.PrepareRX", "rtty.Squelch=1",
          "rtty.PrepareRX", "rtty.SquelchLevel=300"}},
        {"RM:65;RM:;RP:1;RL:42;RW:3;RY:1;",
         {"rtty.PrepareRX", "rtty.RXText(A)", "rtty.PrepareRX", "rtty.PrepareRX", "rtty.PTT=1", "rtty.PrepareRX",
          "rtty.SignalLevel=42", "rtty.PrepareRX", "rtty.SwitchInformation=3", "rtty.PrepareRX"}},
        // A number that cannot be read ends the line; what came before stays done.
        {"RS:1;RR:x;RB:1;", {"rtty.PrepareRX", "rtty.Connected=1"}},
        {"WT:300|20;RS:1;", {}},
        {"WR:1|1|10|40;", {}},
        // A command that needs its ";" and has none ends the line.
        {"RS:1;RB:1", {"rtty.PrepareRX", "rtty.Connected=1"}},
        // Prefixes count only at the start of what is left.
        {"XX:WC:;", {}},
        {"JT:<CALL:4>DL1A <COMMENT:13>ok; ID:0310 A0 <EOR>;", {"dx.AddWSJTQSO(<CALL:4>DL1A <COMMENT:13>ok; ID:0310 A0 <EOR>)"}},
    };
    for (const Case& c : cases) {
        mods.Calls.clear();
        client->RemoteClientHandleInput(c.line);
        EXPECT_EQ(mods.Calls, c.calls) << c.line;
    }
    EXPECT_EQ(cat().Identification(), ""); // the "ID:" inside the QSO changed nothing

    client->RemoteClientHandleInput("ID:0310;");
    EXPECT_EQ(cat().Identification(), "0310");
    EXPECT_EQ(cat().Transceiver(), FT950);
    client->RemoteClientHandleInput("A0:FA00014074000;MD03;");
    EXPECT_EQ(cat().FrequencyA(), 14074000);
    EXPECT_EQ(cat().ModeA(), mdCW);
    client->RemoteClientHandleInput("SM:0");
    EXPECT_FALSE(cat().ShowMeter());
    client->RemoteClientHandleInput("SM:1;");
    EXPECT_TRUE(cat().ShowMeter());
    client->RemoteClientHandleInput("DV:ZA1;ZBContest;ZC1CQ;ZD1;");
    EXPECT_TRUE(microHam.Active());
    EXPECT_EQ(microHam.MessageBank(), "Contest");
    EXPECT_EQ(microHam.MessageName(1), "CQ");
    EXPECT_TRUE(microHam.ConnectionStatus());
}

TEST_F(ClientModuleTest, SessionAgainstAScriptedServer)
{
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
    client->SetRemoteBaseParameter(0, {"Shack", "127.0.0.1", listener.serverPort(), "DL1ABC", "pw", true, 4000});
    client->Update();
    client->Connect();
    ASSERT_TRUE(waitUntil([&] { return listener.hasPendingConnections() && client->RemoteClient()->Connected(); }));
    QTcpSocket* s = listener.nextPendingConnection();
    s->setParent(nullptr);
    LinePeer server(s);
    EXPECT_EQ(client->ClientConnectAction->text(), "Disconnect from Shack");

    server.Send("MG:Welcome to shack FT-2000 Remote Base Server");
    server.Send("MG:Your Callsign:");
    EXPECT_EQ(server.Next(), "MG:Callsign DL1ABC");
    server.Send("MG:Your Password:");
    EXPECT_EQ(server.Next(), "MG:Password pw");
    // Until the login nothing of the engine leaves.
    vx::Clock::advance(4000);
    server.Send("MG:Login OK");
    ASSERT_TRUE(waitUntil([&] { return client->RemoteClient()->LoggedIn(); }));
    EXPECT_TRUE(cat().CAT());

    // The full poll: ten lines 50 ms apart, each one "A0:" line.
    vx::Clock::advance(500);
    QStringList poll;
    for (int n = 1; n <= 10; ++n) {
        const QString line = server.Next();
        QString want = TFTCATInterface::PollLine(cat().Transceiver(), n);
        if (!want.endsWith(';'))
            want += ';';
        EXPECT_EQ(line, "A0:" + want) << n;
    }
    // A heartbeat every second, and the lost round trip after ten without an answer.
    for (int i = 1; i <= 10; ++i) {
        vx::Clock::advance(1000);
        QString line = server.Next();
        while (line.startsWith("A0:")) // the engine's power-state requests
            line = server.Next();
        EXPECT_TRUE(line.startsWith("PI:") && line.size() == 22 && line.endsWith(';')) << line.toStdString();
        if (i < 10) {
            EXPECT_NE(client->RemoteClient()->RCM().Value(), TRemoteClientInterface::NoResponse);
        }
    }
    vx::Clock::advance(500);
    EXPECT_EQ(client->RemoteClient()->RCM().Value(), TRemoteClientInterface::NoResponse);

    // A frequency set on the client goes to the server as an "A0:" line.
    server.Skip();
    cat().SetComState(csConnected);
    cat().PrepareTX();
    cat().SetFrequency(0, 7030000);
    EXPECT_TRUE(server.WaitFor("A0:FA07030000;"));

    events.clear();
    client->Close();
    EXPECT_EQ(events.last(), QString::number(conDisconnected) + " disconnected");
    EXPECT_EQ(cat().ComState(), csOffline);
    EXPECT_FALSE(cat().PowerSwitch());
    EXPECT_EQ(client->ClientConnectAction->text(), "Connect to Shack");
    EXPECT_TRUE(server.WaitClosed());
}
