// The remote control server on real sockets: the login dialogue and its refusals, what a
// connection may do and receive before and after login, the dispatch of client lines, the
// client list, the settings and the autostart entry.
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/MicroHamInterface.h"
#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "remote/DMServer.h"
#include "tests/remote/LinkDoubles.h"
#include "tests/support/Pty.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

using vxtest::waitUntil;

namespace {

const QString Welcome = "MG:Welcome to shack FT-2000 Remote Base Server";

} // namespace

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        QFile::remove(TDMApplication::SettingsFileName());
        app = std::make_unique<TDMApplication>();
        dm.SetApplicationType(isRemoteServer);
        radio = std::make_unique<TDMRadio>();
        server = std::make_unique<TDMServer>();
        radio->SetDM(&dm);
        radio->SetServer(server.get());
        server->SetDM(&dm);
        server->SetRadio(radio.get());
        server->SetCW(&mods.CW);
        server->SetMessages(&mods.Messages);
        server->SetRTTY(&mods.RTTY);
        server->SetMicroHam(&microHam);
        server->RemoteMessageEvent = [this](const QString& m) { events << "message " + m; };
        server->OnRemoteConnect = [this](const QString& c, const QString& call, const QString& m) {
            events << QStringLiteral("connect %1|%2|%3").arg(c, call, m);
        };
        server->OnClientList = [this](bool, const QString&, bool, const QString& m) { clientList = m; };
        server->OnUserList = [this](bool connected, const QString& users) {
            userList = users;
            anyConnected = connected;
        };
        server->SetHostname("shack");
        server->SetUsers({"DL1ABC", "W1AW"});
        server->SetPassword("secret");
        server->SetPort(FreePort());
        server->Open();
        ASSERT_TRUE(server->Active());
    }
    void TearDown() override
    {
        server.reset();
        radio.reset();
        app.reset();
        vx::Clock::useSystem();
    }

    // The radio's CAT port on the pseudo-terminal.
    void OpenRadioPort()
    {
        ASSERT_TRUE(pty.ok());
        radio->RadioComPort()->setPort(pty.slaveName());
        ASSERT_TRUE(radio->RadioComPort()->open());
    }
    std::unique_ptr<LinePeer> Connect()
    {
        auto peer = std::make_unique<LinePeer>();
        EXPECT_TRUE(peer->Connect(quint16(server->Port())));
        EXPECT_EQ(peer->Next(), Welcome);
        EXPECT_EQ(peer->Next(), "MG:Your Callsign:");
        return peer;
    }
    // A client through the login, its reply read.
    std::unique_ptr<LinePeer> LoggedIn(const QString& call = "DL1ABC")
    {
        auto peer = Connect();
        peer->Send("MG:Callsign " + call);
        EXPECT_EQ(peer->Next(), "MG:Your Password:");
        peer->Send("MG:Password secret");
        EXPECT_EQ(peer->Next(), "MG:Login OK");
        EXPECT_TRUE(waitUntil([&] { return peer->Lines().size() >= 10; }));
        peer->Skip();
        return peer;
    }
    // Waits until the server has handled what the peers sent.
    void Settle(LinePeer& probe)
    {
        probe.Send("PI:settle;");
        while (true) {
            const QString line = probe.Next();
            if (line.isEmpty() || line == "PI:settle;")
                break;
        }
    }

    TApplicationRole dm;
    RecordingModules mods;
    TMicroHamInterface microHam;
    vxtest::Pty pty;
    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMRadio> radio;
    std::unique_ptr<TDMServer> server;
    QStringList events;
    QString clientList;
    QString userList;
    bool anyConnected = false;
};

TEST_F(ServerTest, WelcomeLoginReplyAndCATRelay)
{
    OpenRadioPort();
    TFTCATInterface& cat = *radio->FTCATInterface();
    cat.PrepareRX();
    cat.SetIdentification("0251");
    microHam.SetActive(true);
    microHam.HandleCommandRcvdFromClient("ZBContest;ZC1CQ TEST;ZD1");

    auto peer = Connect();
    peer->Send("MG:Callsign DL1ABC;"); // one trailing ";" is not part of the name
    EXPECT_EQ(peer->Next(), "MG:Your Password:");
    peer->Send("MG:Password secret");
    const QStringList reply = {
        "MG:Login OK",
        "ID:0251;",
        "WS:10|26|40|26|1;",
        "WR:1|1|10|40|26|26;",
        "DV:ZA1;ZC1CQ TEST;ZC2Message 2;ZC3Message 3;ZC4Message 4;ZC5Message 5;ZC6Message 6;ZC7Message 7;"
        "ZC8Message 8;ZC9Message 9;ZD1;",
        "RS:1;RB:0;RQ:1;RR:300;",
        "SM:1;",
    };
    for (const QString& want : reply)
        EXPECT_EQ(peer->Next(), want);
    EXPECT_EQ(events, (QStringList{"message Connect Request", "connect Connect Request||", "message MG:Callsign DL1ABC;",
                                   "message MG:Password ********", "connect Connected|DL1ABC|Login OK"}));

    // A command of a logged-in client reaches the radio unchanged, in one piece.
    peer->Send("A0:FA00014074000;");
    EXPECT_EQ(pty.readFor(2000, 14), QByteArray("FA00014074000;"));

    // The radio's answers reach it through the radio module's relay.
    radio->DoFTCATCommandRX("FA00014074000;");
    EXPECT_EQ(peer->Next(), "A0:FA00014074000;");
}

TEST_F(ServerTest, BeforeLoginAConnectionDoesAndReceivesNothing)
{
    OpenRadioPort();
    auto member = LoggedIn();
    auto stranger = Connect();
    stranger->Send("MG:Callsign DL1ABC"); // a known name, no password yet; ten lines in all
    EXPECT_EQ(stranger->Next(), "MG:Your Password:");
    for (const char* line : {"A0:FA00014074000;", "SM:0", "WC:;", "WK:CQ;", "WT:30|0;", "DV:MP1;",
                             "RA:;", "RS:CQ;", "PI:20240101-000000000;"})
        stranger->Send(line);
    Settle(*member);

    EXPECT_TRUE(pty.readFor(200).isEmpty());
    EXPECT_TRUE(mods.Calls.isEmpty()) << mods.Calls.join(", ").toStdString();
    EXPECT_TRUE(radio->FTCATInterface()->ShowMeter());

    // Broadcasts reach the member only.
    server->ServerBroadcastMessage("A0:FA00007000000;");
    radio->FTCATInterface()->SetShowMeter(false);
    EXPECT_EQ(member->Next(), "A0:FA00007000000;");
    EXPECT_TRUE(member->WaitFor("SM:0"));
    Settle(*member);
    EXPECT_EQ(stranger->Lines().size(), 3) << stranger->Lines().join(" / ").toStdString();
    EXPECT_FALSE(stranger->Closed());
}

TEST_F(ServerTest, UnknownCallsignIsRefusedLikeAWrongPasswordAfterAPause)
{
    auto member = LoggedIn();
    // Both get the same question and the same paced refusal.
    for (const char* call : {"DL1ABC", "NOBODY"}) {
        SCOPED_TRACE(call);
        auto peer = Connect();
        peer->Send(QStringLiteral("MG:Callsign ") + call);
        EXPECT_EQ(peer->Next(), "MG:Your Password:");
        peer->Send("MG:Password guess");
        Settle(*member);
        vx::Clock::advance(TDMServer::RefusalDelayMs - 1);
        Settle(*member);
        EXPECT_EQ(peer->Lines().size(), 3);
        vx::Clock::advance(1);
        EXPECT_EQ(peer->Next(), "MG:Your Password:");
        // The right password does not open an unknown name.
        peer->Send("MG:Password secret");
        if (QLatin1String(call) == QLatin1String("DL1ABC")) {
            EXPECT_EQ(peer->Next(), "MG:Login OK");
        } else {
            Settle(*member);
            vx::Clock::advance(TDMServer::RefusalDelayMs);
            EXPECT_EQ(peer->Next(), "MG:Your Password:");
        }
    }
    EXPECT_FALSE(events.join('\n').contains("User not registered"));
}

TEST_F(ServerTest, TheEleventhLineBeforeLoginEndsTheConnection)
{
    auto member = LoggedIn();
    auto peer = Connect();
    peer->Send("MG:Callsign DL1ABC");
    EXPECT_EQ(peer->Next(), "MG:Your Password:");
    // Nine wrong passwords, each answered after its pause; lines sent during a pause wait.
    for (int i = 0; i < 9; ++i)
        peer->Send("MG:Password wrong");
    for (int i = 0; i < 9; ++i) {
        Settle(*member);
        vx::Clock::advance(TDMServer::RefusalDelayMs);
        EXPECT_EQ(peer->Next(), "MG:Your Password:") << i;
    }
    // The eleventh line is refused even with the right password.
    peer->Send("MG:Password secret");
    EXPECT_EQ(peer->Next(), "MG:Wrong Login. Disconnect.");
    EXPECT_TRUE(peer->WaitClosed());

    // An empty password after the blank is not answered, but counted.
    auto quiet = Connect();
    quiet->Send("MG:Callsign W1AW");
    EXPECT_EQ(quiet->Next(), "MG:Your Password:");
    for (int i = 0; i < 9; ++i)
        quiet->Send("MG:Password ");
    Settle(*member);
    EXPECT_EQ(quiet->Lines().size(), 3);
    quiet->Send("MG:Password secret");
    EXPECT_EQ(quiet->Next(), "MG:Wrong Login. Disconnect.");
    EXPECT_TRUE(quiet->WaitClosed());

    // Meanwhile the member is served.
    server->ServerBroadcastMessage("A0:PS1;");
    EXPECT_EQ(member->Next(), "A0:PS1;");
}

TEST_F(ServerTest, OverlongLineSilenceAndEmptyPasswordEndEachAsDescribed)
{
    OpenRadioPort();
    auto member = LoggedIn();

    // A 20,000-byte line ends that connection.
    auto flood = Connect();
    flood->SendRaw("MG:" + QByteArray(20000, 'x') + "\r\n");
    EXPECT_TRUE(flood->WaitClosed());

    // A connection that says nothing is closed after 30 s; the member's is not.
    auto silent = Connect();
    Settle(*member);
    vx::Clock::advance(TDMServer::LoginTimeoutMs - 1);
    Settle(*member);
    EXPECT_FALSE(silent->Closed());
    vx::Clock::advance(1);
    EXPECT_TRUE(silent->WaitClosed());

    // With no password set, no login succeeds, not even with an empty one.
    server->SetPassword("");
    auto peer = Connect();
    peer->Send("MG:Callsign W1AW");
    EXPECT_EQ(peer->Next(), "MG:Your Password:");
    peer->Send("MG:Password x");
    Settle(*member);
    vx::Clock::advance(TDMServer::RefusalDelayMs);
    EXPECT_EQ(peer->Next(), "MG:Your Password:");

    member->Send("A0:FB00007000000;");
    EXPECT_EQ(pty.readFor(2000, 14), QByteArray("FB00007000000;"));
    EXPECT_FALSE(member->Closed());
    EXPECT_EQ(server->Clients().size(), 2);
}

TEST_F(ServerTest, DispatchOfALoggedInClient)
{
    OpenRadioPort();
    microHam.SetApplicationType(isRemoteServer);
    vxtest::Pty routerPty;
    vx::SerialPort routerPort;
    routerPort.setPort(routerPty.slaveName());
    microHam.SetCOMPort(&routerPort);
    ASSERT_TRUE(microHam.Open());
    EXPECT_EQ(routerPty.readFor(2000, 10), QByteArray("V\rC\rI1\rMB\r"));

    auto peer = LoggedIn();
    const char* lines[] = {
        "WC:;", "WK:CQ TEST DE DL1ABC;", "WS:10|30|40|26|1;", "WT:28|26;", "WS:10|x|40|26|1;", "WT:300|26;", "WR:1|1|10|40|26|26;",
        "RA:;", "RB:1;", "RC:;", "RM:CQ;", "RQ:0;", "RR:150;", "RR:abc;", "RS:RYRY;", "RX:;", "RZ:;", "RY:;", "XX:1;",
    };
    for (const char* line : lines)
        peer->Send(line);
    peer->Send("PI:20240101-120000000;");
    EXPECT_EQ(peer->Next(), "PI:20240101-120000000;");
    EXPECT_EQ(mods.Calls, (QStringList{
                              "messages.Clear",
                              "cw.CWSendText(CQ TEST DE DL1ABC)",
                              "keyer.PrepareTX", "keyer.Speed=30", "sidetone.Speed=30",
                              "keyer.PrepareTX", "keyer.Speed=28", "sidetone.Speed=28",
                              "rtty.PrepareTX", "rtty.Open",
                              "rtty.PrepareTX", "rtty.BandPassFilter=1",
                              "rtty.PrepareTX", "rtty.Clear",
                              "rtty.PrepareTX", "rtty.SendMessage(CQ)",
                              "rtty.PrepareTX", "rtty.Squelch=0",
                              "rtty.PrepareTX", "rtty.SquelchLevel=150",
                              "rtty.PrepareTX", "rtty.Send(RYRY)",
                              "rtty.PrepareTX", "rtty.TX",
                              "rtty.PrepareTX", "rtty.Close",
                          }));
    EXPECT_FALSE(peer->Closed()); // unreadable numbers drop their line only

    // The meter switch, with and without ";", goes to the engine and from there to all.
    peer->Send("SM:0");
    EXPECT_TRUE(peer->WaitFor("SM:0"));
    EXPECT_FALSE(radio->FTCATInterface()->ShowMeter());
    peer->Send("SM:1;");
    EXPECT_TRUE(peer->WaitFor("SM:1"));

    // A voice keyer request reaches the router.
    peer->Send("DV:MP3;");
    EXPECT_EQ(routerPty.readFor(2000, 4), QByteArray("MP3\r"));
    EXPECT_TRUE(microHam.MessagePlaying());
}

TEST_F(ServerTest, ClientListAndConnectionEnds)
{
    auto first = LoggedIn("DL1ABC");
    auto second = LoggedIn("W1AW");
    auto third = Connect(); // not logged in: an empty callsign
    server->UpdateClientList();
    const QStringList entries = clientList.split('\r');
    ASSERT_EQ(entries.size(), 3);
    const QString stamp = vx::Clock::nowUtc().toLocalTime().toString("yyyy-MM-dd hh:mm");
    EXPECT_EQ(entries, (QStringList{stamp + " DL1ABC", stamp + " W1AW", stamp + " "}));
    EXPECT_FALSE(clientList.contains('\n'));
    EXPECT_EQ(userList, " Connected to DL1ABC W1AW ");

    events.clear();
    first->Socket()->disconnectFromHost();
    ASSERT_TRUE(waitUntil([&] { return server->Clients().size() == 2; }));
    EXPECT_EQ(events, (QStringList{"message Disconnect: DL1ABC", "connect Disconnect|DL1ABC|Disconnect"}));
    third->Socket()->disconnectFromHost();
    second->Socket()->disconnectFromHost();
    ASSERT_TRUE(waitUntil([&] { return server->Clients().isEmpty(); }));
    EXPECT_EQ(clientList, "");
    EXPECT_EQ(userList, "");
    EXPECT_FALSE(anyConnected);
}

TEST_F(ServerTest, ShutdownNoticeToLoggedInClientsThenEveryConnectionCloses)
{
    auto member = LoggedIn();
    auto stranger = Connect();
    server->Close();
    EXPECT_EQ(member->Next(), "MG:shack is shutting down");
    EXPECT_TRUE(member->WaitClosed());
    EXPECT_TRUE(stranger->WaitClosed());
    EXPECT_EQ(stranger->Lines().size(), 2);
    EXPECT_FALSE(server->Active());
    EXPECT_TRUE(waitUntil([&] { return server->Clients().isEmpty(); }));
}

TEST_F(ServerTest, CallsignsAreMatchedWithoutRegardToCase)
{
    // The settings keep one spelling per name; the others log in with it.
    server->SetUsers({"W1AW"});
    auto peer = LoggedIn("w1aw");
    EXPECT_TRUE(events.contains("connect Connected|w1aw|Login OK")) << events.join('\n').toStdString();
}

TEST_F(ServerTest, ListensOnlyInTheServerRolesWithAHostNameAndAPort)
{
    server->Close();
    struct Case {
        TApplicationType role;
        const char* host;
        int32_t port;
        bool listens;
    };
    const int32_t port = FreePort();
    const Case cases[] = {
        {isRemoteServer, "shack", port, true}, {isLocalAndRemoteServer, "shack", port, true},
        {isLocal, "shack", port, false},       {isRemoteClient, "shack", port, false},
        {isRemoteServer, "", port, false},     {isRemoteServer, "shack", 0, false},
        {isRemoteServer, "shack", 65536 + port, false},
    };
    for (const Case& c : cases) {
        dm.SetApplicationType(c.role);
        server->SetHostname(c.host);
        server->SetPort(c.port);
        server->Open();
        EXPECT_EQ(server->Active(), c.listens) << int(c.role) << " " << c.host << " " << c.port;
        server->Close();
    }
}

TEST_F(ServerTest, SettingsAndAutostartEntry)
{
    server->Close();
    {
        QSettings raw(TDMApplication::SettingsFileName(), QSettings::IniFormat);
        raw.setValue("Server/Users/User0", "DL1ABC");
        raw.setValue("Server/Users/User1", "W1AW");
        raw.setValue("Server/Users/User3", "K1ZZ");
        raw.setValue("Server/RemoteServer/Hostname", "base");
        raw.setValue("Server/RemoteServer/Port", 7300);
        raw.setValue("Server/RemoteServer/Pwd", "pw");
        raw.setValue("Server/Application/AutoRunRegistry", true);
        raw.setValue("Server/WSJT-X/Port", 2237);
        raw.setValue("Server/Application/ShutdownRadio", true);
    }
    TDMServer fresh;
    fresh.IniRead();
    app->Close();
    EXPECT_EQ(fresh.Users(), (QStringList{"DL1ABC", "W1AW"}));
    EXPECT_EQ(fresh.Hostname(), "base");
    EXPECT_EQ(fresh.Port(), 7300);
    EXPECT_EQ(fresh.Password(), "pw");
    EXPECT_TRUE(fresh.AutoRunRegistry());
    EXPECT_TRUE(fresh.SystemTray()); // missing: the default
    EXPECT_EQ(fresh.WSJTPort(), 2237);
    EXPECT_TRUE(fresh.ShutdownRadio());

    fresh.SetShutdownRadio(false);
    fresh.SetUsers({"K1ZZ", "", "N0CALL"});
    fresh.IniWrite();
    app->Close();
    QSettings raw(TDMApplication::SettingsFileName(), QSettings::IniFormat);
    raw.beginGroup("Server/Users");
    EXPECT_EQ(raw.childKeys(), (QStringList{"User0", "User1", "User2"}));
    EXPECT_EQ(raw.value("User2").toString(), "N0CALL");
    raw.endGroup();
    EXPECT_FALSE(raw.value("Server/Application/ShutdownRadio").toBool());

    QFile entry(TDMServer::AutoRunFileName());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    entry.close();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("Exec=\"" + QCoreApplication::applicationFilePath() + "\"\n")) << text.toStdString();

    fresh.SetAutoRunRegistry(false);
    fresh.IniWrite();
    app->Close();
    EXPECT_FALSE(QFile::exists(TDMServer::AutoRunFileName()));
}
