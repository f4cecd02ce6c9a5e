// The remote control client component against a server the test plays: connecting, the login
// dialogue, what it sends before login, the heartbeat and its statistics, and a server that
// goes away.
#include "platform/Clock.h"
#include "remote/RemoteClientInterface.h"
#include "tests/remote/LinkDoubles.h"

#include <gtest/gtest.h>

using vxtest::waitUntil;

class RemoteClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual(QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC));
        ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
        client.SetHost("127.0.0.1");
        client.SetPort(listener.serverPort());
        client.SetUsername("DL1ABC");
        client.SetPassword("secret");
        client.OnConnection = [this](TConnection c, const QString& msg) {
            events << QStringLiteral("%1 %2").arg(int(c)).arg(msg);
        };
        client.OnLogin = [this](bool v) { events << QStringLiteral("login %1").arg(v); };
        client.OnRXCommand = [this](const QString& line) { received << line; };
        client.OnErrorMessage = [this](const QString& text) { events << "error " + text; };
    }
    void TearDown() override
    {
        server.reset();
        vx::Clock::useSystem();
    }
    // Connects and takes the connection on the server side.
    void Accept()
    {
        client.Connect();
        ASSERT_TRUE(waitUntil([&] { return listener.hasPendingConnections() && client.Connected(); }));
        QTcpSocket* s = listener.nextPendingConnection();
        s->setParent(nullptr);
        server = std::make_unique<LinePeer>(s);
    }
    void LogIn()
    {
        Accept();
        server->Send("MG:Your Callsign:");
        EXPECT_EQ(server->Next(), "MG:Callsign DL1ABC");
        server->Send("MG:Your Password:");
        EXPECT_EQ(server->Next(), "MG:Password secret");
        server->Send("MG:Login OK");
        ASSERT_TRUE(waitUntil([&] { return client.LoggedIn(); }));
    }
    static QString Event(TConnection c, const char* msg) { return QStringLiteral("%1 %2").arg(int(c)).arg(msg); }

    QTcpServer listener;
    TRemoteClientInterface client;
    std::unique_ptr<LinePeer> server;
    QStringList events;
    QStringList received;
};

TEST_F(RemoteClientTest, ConnectNeedsEveryLoginValue)
{
    client.SetPassword("");
    client.Connect();
    client.SetPassword("secret");
    client.SetPort(0);
    client.Connect();
    client.SetHost("");
    EXPECT_EQ(client.Host(), "localhost");
    vxtest::spin(50);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(listener.hasPendingConnections());
}

TEST_F(RemoteClientTest, ConnectFailureIsNoResponseWithOneLineOfText)
{
    const quint16 closed = FreePort();
    client.SetPort(closed);
    client.Connect();
    ASSERT_TRUE(waitUntil([&] { return events.size() >= 2 && events.last().startsWith(QString::number(conNoRespone)); }));
    EXPECT_EQ(events.first(), Event(conConnecting, "connecting..."));
    EXPECT_FALSE(events.last().contains('\n'));
    EXPECT_GT(events.last().size(), 3);
    EXPECT_FALSE(client.Connected());
}

TEST_F(RemoteClientTest, LoginDialogueAndWhatLeavesBeforeIt)
{
    Accept();
    EXPECT_TRUE(events.contains(Event(conConnected, "connected")));
    server->Send("MG:Welcome to shack FT-2000 Remote Base Server");
    server->Send("MG:Your Callsign:");
    EXPECT_EQ(server->Next(), "MG:Callsign DL1ABC");
    // Before login only the dialogue leaves.
    client.Send("A0:FA;");
    client.Send("PI:20240101-000000000;");
    client.Send("MG:hello");
    EXPECT_EQ(server->Next(), "MG:hello");
    server->Send("MG:Your Password:");
    EXPECT_EQ(server->Next(), "MG:Password secret");
    server->Send("");
    server->Send("MG:Login OK;");
    ASSERT_TRUE(waitUntil([&] { return client.LoggedIn(); }));
    EXPECT_EQ(events.last(), "login 1");
    EXPECT_EQ(client.RCM().LoginString(), vx::Clock::nowUtc().toLocalTime().toString("hh:mm"));
    client.Send("A0:FA;");
    EXPECT_EQ(server->Next(), "A0:FA;");

    server->Send("A0:FA00014074000;");
    server->Send("RS:1;RB:0;");
    ASSERT_TRUE(waitUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (QStringList{"A0:FA00014074000;", "RS:1;RB:0;"}));

    // A line over the limit is dropped; the next one counts.
    server->SendRaw("A0:" + QByteArray(20000, 'x') + "\r\nSM:1\r\n");
    ASSERT_TRUE(waitUntil([&] { return received.size() == 3; }));
    EXPECT_EQ(received.last(), "SM:1");
    EXPECT_TRUE(client.Connected());
}

TEST_F(RemoteClientTest, HeartBeatRoundTripAndSilence)
{
    LogIn();
    // Answered heartbeats: the stamp is the local time, the round trip the monotonic time.
    int spent = 0;
    for (int i = 0; i < 5; ++i) {
        vx::Clock::advance(1000 - spent); // to the next heartbeat
        const QString ping = server->Next();
        ASSERT_EQ(ping.size(), 3 + 18 + 1) << ping.toStdString();
        EXPECT_TRUE(ping.startsWith("PI:" + vx::Clock::nowUtc().toLocalTime().toString("yyyyMMdd-hhmmsszzz")));
        spent = 120 + i;
        vx::Clock::advance(spent);
        server->Send(ping);
        ASSERT_TRUE(waitUntil([&] { return client.RCM().Value() == 120 + i; })) << client.RCM().Value();
        EXPECT_GE(client.HeartBeatCounter(), 1);
        EXPECT_LE(client.HeartBeatCounter(), 2);
    }
    // Echoes that are not a valid stamp, or of nothing sent, change nothing.
    const int counter = client.HeartBeatCounter();
    server->Send("PI:20241301-000000000;");
    server->Send("PI:20240101-000000000;");
    server->Send("A0:ID;");
    ASSERT_TRUE(waitUntil([&] { return !received.isEmpty(); }));
    EXPECT_EQ(client.RCM().Value(), 124);
    EXPECT_EQ(client.HeartBeatCounter(), counter);

    // Silence: ten unanswered heartbeats after the last answer, then the round trip is lost.
    vx::Clock::advance(1000 - spent);
    for (int i = 0; i < 8; ++i)
        vx::Clock::advance(1000);
    EXPECT_EQ(client.RCM().Value(), 124);
    vx::Clock::advance(1000);
    EXPECT_EQ(client.RCM().Value(), TRemoteClientInterface::NoResponse);
    EXPECT_EQ(client.HeartBeatCounter(), 0);
    const QList<int32_t> samples = client.RCM().Samples();
    EXPECT_EQ(samples.last(), TRemoteClientInterface::NoResponse);
    qint64 sum = 0;
    for (int32_t s : samples)
        sum += s;
    EXPECT_EQ(client.RCM().Avg(), int32_t(sum / samples.size()));
}

TEST_F(RemoteClientTest, RoundTripStatistics)
{
    LogIn();
    client.SetHeartBeats(false);
    TRCM& rcm = client.RCM();
    rcm.Init();
    EXPECT_EQ(rcm.MinValue(), TRemoteClientInterface::NoResponse); // connected, no sample above 0
    rcm.SetValue(0);
    rcm.SetValue(500);
    for (int v = 1; v <= 59; ++v)
        rcm.SetValue(v * 2);
    // 61 samples: the first (0) has left; 500 is still in, and the least above 0 is 2.
    EXPECT_EQ(rcm.Samples().size(), TRCM::MaxSamples);
    EXPECT_EQ(rcm.MaxValue(), 500);
    EXPECT_EQ(rcm.MinValue(), 2);
    rcm.SetValue(1);
    EXPECT_EQ(rcm.MaxValue(), 118); // 500 has left too
    EXPECT_EQ(rcm.MinValue(), 1);

    vx::Clock::advance(3 * 3600000 + 7 * 60000);
    rcm.SetValue(10);
    EXPECT_EQ(rcm.RuntimeString(), "3:07");
    client.Disconnect();
    EXPECT_EQ(rcm.MinValue(), 0);
    EXPECT_EQ(rcm.MaxValue(), 0);
    EXPECT_EQ(rcm.LoginString(), "");
}

TEST_F(RemoteClientTest, DisconnectReportsTwiceAndWrongLoginShowsItsText)
{
    LogIn();
    events.clear();
    client.Disconnect();
    EXPECT_EQ(events, (QStringList{Event(conDisconnected, "disconnected"), Event(conDisconnected, "disconnected")}));
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(client.HeartBeatTimer()->isActive());

    Accept();
    events.clear();
    server->Send("MG:Wrong Login. Disconnect.");
    ASSERT_TRUE(waitUntil([&] { return !client.Connected(); }));
    EXPECT_EQ(events.last(), "error Wrong Login. Disconnect.");
}

TEST_F(RemoteClientTest, ADeadServerIsNoticedBeforeAndAfterLogin)
{
    Accept();
    events.clear();
    server->Socket()->disconnectFromHost();
    ASSERT_TRUE(waitUntil([&] { return !client.Connected(); }));
    EXPECT_EQ(events, QStringList{Event(conDisconnected, "disconnected")});

    LogIn();
    events.clear();
    server->Socket()->abort();
    ASSERT_TRUE(waitUntil([&] { return !client.Connected(); }));
    EXPECT_EQ(events, QStringList{Event(conDisconnected, "disconnected")});
    EXPECT_FALSE(client.LoggedIn());
    EXPECT_FALSE(client.HeartBeatTimer()->isActive());
}
