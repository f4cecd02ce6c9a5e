// The IPC server with test programs on a local message bus of the test's own: the session,
// the radio record, one client at a time, bad input, a client that never reads, opening and
// closing, and the radio module's feed from the radio simulator.
#include "platform/MessageBus.h"
#include "remote/IPCServer.h"
#include "tests/remote/RadioRig.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QTemporaryFile>
#include <QTimer>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using vxtest::waitUntil;

namespace {

// Another program on the bus: it keeps every message it receives but connect requests.
class TestClient {
public:
    struct Message {
        QString Name;
        quint64 W = 0;
        qint64 L = 0;
        QByteArray Data;
    };

    TestClient()
    {
        EXPECT_TRUE(FEndpoint.Open());
        for (const QString& name : {TIPCServer::ConnectRequestName, TIPCServer::ConnectResponseName,
                                    TIPCServer::ServerDisconnectingName, TIPCServer::ClientDisconnectingName})
            EXPECT_NE(vx::RegisterBusMessage(name), 0u);
        Session = vx::RegisterBusMessage(TIPCServer::DefaultSessionName);
        // Other programs' requests go to every endpoint; a client does not answer them.
        FEndpoint.OnMessage = [this](const vx::BusMessage& m) {
            if (m.Name != TIPCServer::ConnectRequestName)
                Received.append({m.Name, m.WParam, m.LParam, m.Data});
        };
    }
    quint64 Id() const { return FEndpoint.Id(); }
    bool Post(quint64 target, const QString& name, quint64 w, qint64 l, const QByteArray& data = {})
    {
        return FEndpoint.Post(target, vx::FindBusMessage(name), w, l, data);
    }
    // The connect request as a program sends it: to every endpoint, naming its own.
    void Request() { Post(vx::BusBroadcast, TIPCServer::ConnectRequestName, Id(), Session); }
    bool WaitFor(int count) { return waitUntil([&] { return Received.size() >= count; }, 3000); }
    QStringList Names() const
    {
        QStringList names;
        for (const Message& m : Received)
            names << m.Name;
        return names;
    }
    QByteArray LastRecord() const { return Received.isEmpty() ? QByteArray() : Received.last().Data; }

    uint32_t Session = 0;
    QList<Message> Received;

private:
    vx::BusEndpoint FEndpoint;
};

const QByteArray DefaultRecord = QByteArray::fromHex("C0CF6A00C0CF6A00020205000000");

class IPCServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Server = std::make_unique<TIPCServer>();
        Server->OnIPCStatus = [this] { Statuses << Server->IPCStatus(); };
    }
    // Enabled, open and with `client` connected.
    bool Connect(TestClient& client)
    {
        Server->SetEnabled(true);
        Server->Open();
        const int before = int(client.Received.size());
        client.Request();
        return client.WaitFor(before + 2) && Server->IPCStatus() == ipcConnected;
    }

    vxtest::PrivateBus Bus;
    std::unique_ptr<TIPCServer> Server;
    QList<TIPCServerStatus> Statuses;
};

TEST_F(IPCServerTest, SessionAndRadioRecord)
{
    TestClient client;
    ASSERT_TRUE(Connect(client));
    EXPECT_EQ(Statuses, (QList<TIPCServerStatus>{ipcEnabled, ipcOpen, ipcConnected}));
    ASSERT_EQ(client.Names(), (QStringList{"IPCConnectResponse", "Brindlex"}));
    EXPECT_EQ(client.Received[0].W, Server->Window());
    EXPECT_EQ(client.Received[0].L, 0);
    // The record as a copy-data message keyed by the session number.
    EXPECT_EQ(client.Received[1].W, client.Session);
    EXPECT_EQ(client.Received[1].L, qint64(client.Session));
    EXPECT_EQ(client.Received[1].Data, DefaultRecord);

    // Each change sends the record; a value set to what it holds sends nothing.
    Server->SetFrequencyA(14074000);
    Server->SetModeA(ymUSB);
    Server->SetFrequencyB(7000000);
    Server->SetModeB(ymCW);
    Server->SetPowerLevel(100);
    Server->SetPowerSwitch(true);
    Server->SetSplit(false);
    Server->SetTX(false);
    ASSERT_TRUE(client.WaitFor(6));
    EXPECT_EQ(client.LastRecord(), QByteArray::fromHex("90C0D600C0CF6A00010264010000"));
    Server->SetFrequencyA(14074000);
    Server->SetTX(true);
    ASSERT_TRUE(client.WaitFor(7));
    EXPECT_EQ(client.Received[6].Data.at(13), 1) << "an unchanged value was sent";
    EXPECT_EQ(client.Received.size(), 7);
}

TEST_F(IPCServerTest, OneClientAtATime)
{
    TestClient first, second;
    ASSERT_TRUE(Connect(first));
    ASSERT_TRUE(Connect(second));
    EXPECT_EQ(Server->ClientWindow(), second.Id());
    Server->SetFrequencyA(3573000);
    ASSERT_TRUE(second.WaitFor(3));

    // The client leaves: the status says so, and records still go to it.
    second.Post(Server->Window(), TIPCServer::ClientDisconnectingName, 0, second.Session);
    ASSERT_TRUE(waitUntil([&] { return Server->IPCStatus() == ipcDisconnected; }));
    Server->SetFrequencyA(3574000);
    ASSERT_TRUE(second.WaitFor(4));
    EXPECT_EQ(second.LastRecord().left(4), QByteArray::fromHex("F0883600"));

    // Closing says goodbye to every program; the first got nothing after its own record.
    Server->Close();
    EXPECT_EQ(Server->IPCStatus(), ipcClosed);
    EXPECT_EQ(Server->ClientWindow(), 0u);
    ASSERT_TRUE(first.WaitFor(3));
    EXPECT_EQ(first.Names(), (QStringList{"IPCConnectResponse", "Brindlex", "IPCServerDisconnecting"}));
    ASSERT_TRUE(second.WaitFor(5));
    EXPECT_EQ(second.Received.last().Name, "IPCServerDisconnecting");
    EXPECT_EQ(second.Received.last().L, qint64(second.Session));
    EXPECT_EQ(Statuses, (QList<TIPCServerStatus>{ipcEnabled, ipcOpen, ipcConnected, ipcDisconnected, ipcClosed}));
}

TEST_F(IPCServerTest, BadMessagesChangeNothing)
{
    TestClient client, other;
    ASSERT_TRUE(Connect(client));
    const quint64 server = Server->Window();
    const uint32_t session = client.Session;
    const uint32_t alien = vx::RegisterBusMessage("SomeOtherSession");
    struct Case {
        const char* what;
        QString name;
        quint64 w;
        qint64 l;
    };
    const Case cases[] = {
        {"another session number", TIPCServer::ConnectRequestName, other.Id(), alien},
        {"no client window", TIPCServer::ConnectRequestName, 0, session},
        {"the broadcast handle as window", TIPCServer::ConnectRequestName, vx::BusBroadcast, session},
        {"a window nobody owns", TIPCServer::ConnectRequestName, 0x5A5A5A5A5A5Aull, session},
        {"the server's own window", TIPCServer::ConnectRequestName, server, session},
        {"a leave of another session", TIPCServer::ClientDisconnectingName, 0, alien},
        {"copy data of another session", TIPCServer::DefaultSessionName, alien, qint64(other.Id())},
        {"copy data without a window", TIPCServer::DefaultSessionName, session, 0},
        {"copy data naming the broadcast handle", TIPCServer::DefaultSessionName, session, qint64(vx::BusBroadcast)},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(client.Post(server, c.name, c.w, c.l)) << c.what;
    // Posted after them on the same connection, so handled after them.
    client.Request();
    ASSERT_TRUE(client.WaitFor(4));
    EXPECT_EQ(Server->ClientWindow(), client.Id());
    EXPECT_EQ(Statuses, (QList<TIPCServerStatus>{ipcEnabled, ipcOpen, ipcConnected}));
    EXPECT_TRUE(other.Received.isEmpty());
    Server->SetPowerLevel(50);
    ASSERT_TRUE(client.WaitFor(5));
    EXPECT_EQ(client.LastRecord().at(10), 50);
}

TEST_F(IPCServerTest, CopyDataNamesTheClientWindow)
{
    TestClient client;
    Server->SetEnabled(true);
    Server->Open();
    client.Post(Server->Window(), TIPCServer::DefaultSessionName, client.Session, qint64(client.Id()));
    ASSERT_TRUE(waitUntil([&] { return Server->ClientWindow() == client.Id(); }));
    Server->SetSplit(true);
    ASSERT_TRUE(client.WaitFor(1));
    EXPECT_EQ(client.Names(), QStringList{"Brindlex"});
    EXPECT_EQ(client.LastRecord().at(12), 1);
    EXPECT_EQ(Server->IPCStatus(), ipcOpen);
}

// A program that asked for the records and never reads them: its socket is listened on and
// its connections accepted, but nothing is ever read.
class DeafProgram {
public:
    explicit DeafProgram(quint64 id)
    {
        FPath = vx::BusEndpoint::SocketPath(id);
        FListener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray path = FPath.toLocal8Bit();
        ::strncpy(addr.sun_path, path.constData(), sizeof(addr.sun_path) - 1);
        Ok = FListener >= 0 && ::bind(FListener, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0
             && ::listen(FListener, 4) == 0;
    }
    ~DeafProgram()
    {
        for (int fd : FAccepted)
            ::close(fd);
        if (FListener >= 0)
            ::close(FListener);
        ::unlink(FPath.toLocal8Bit().constData());
    }
    void Accept()
    {
        for (int fd; (fd = ::accept(FListener, nullptr, nullptr)) >= 0;)
            FAccepted << fd;
    }
    bool Ok = false;

private:
    QString FPath;
    int FListener = -1;
    QList<int> FAccepted;
};

TEST_F(IPCServerTest, AClientThatNeverReadsIsDropped)
{
    const quint64 deafId = 0x0DEAF0000001ull;
    DeafProgram deaf(deafId);
    ASSERT_TRUE(deaf.Ok);
    TestClient asker;
    Server->SetEnabled(true);
    Server->Open();
    asker.Post(vx::BusBroadcast, TIPCServer::ConnectRequestName, deafId, asker.Session);
    ASSERT_TRUE(waitUntil([&] { return Server->IPCStatus() == ipcConnected; }));
    ASSERT_EQ(Server->ClientWindow(), deafId);

    int ticks = 0;
    QTimer gui;
    gui.setInterval(10);
    QObject::connect(&gui, &QTimer::timeout, [&] { ++ticks; });
    gui.start();
    int32_t hz = 1800000;
    // The radio keeps changing while the program reads nothing; the GUI thread never waits.
    const bool dropped = waitUntil(
        [&] {
            deaf.Accept();
            for (int i = 0; i < 200; ++i)
                Server->SetFrequencyA(++hz);
            return Server->IPCStatus() == ipcDisconnected;
        },
        20000);
    EXPECT_TRUE(dropped);
    EXPECT_EQ(Server->ClientWindow(), 0u);
    EXPECT_GT(ticks, 0);
    // A program that asks again is served.
    TestClient next;
    next.Request();
    ASSERT_TRUE(next.WaitFor(2));
    EXPECT_EQ(Server->ClientWindow(), next.Id());
}

TEST_F(IPCServerTest, EnablingOpeningAndClosing)
{
    TestClient client;
    Server->Open();
    EXPECT_FALSE(Server->Active()) << "opened while disabled";
    EXPECT_EQ(Server->Window(), 0u);
    EXPECT_TRUE(Statuses.isEmpty());

    ASSERT_TRUE(Connect(client));
    const quint64 window = Server->Window();
    Server->SetEnabled(false);
    EXPECT_FALSE(Server->Active());
    EXPECT_EQ(Statuses, (QList<TIPCServerStatus>{ipcEnabled, ipcOpen, ipcConnected, ipcClosed, ipcDisabled}));
    ASSERT_TRUE(client.WaitFor(3));
    EXPECT_EQ(client.Received[2].Name, "IPCServerDisconnecting");
    EXPECT_EQ(client.Received[2].W, window);
    EXPECT_EQ(client.Received[2].L, qint64(client.Session));

    // A server that goes while open says so with lParam 0.
    {
        TIPCServer gone;
        gone.SetEnabled(true);
        gone.Open();
        ASSERT_TRUE(gone.Active());
    }
    ASSERT_TRUE(client.WaitFor(4));
    EXPECT_EQ(client.Received[3].Name, "IPCServerDisconnecting");
    EXPECT_EQ(client.Received[3].L, 0);
}

TEST_F(IPCServerTest, AServerWithoutABusStaysClosed)
{
    // The runtime folder is a file: no endpoint can be made under it.
    QTemporaryFile notAFolder;
    ASSERT_TRUE(notAFolder.open());
    qputenv("XDG_RUNTIME_DIR", notAFolder.fileName().toLocal8Bit());
    Server->SetEnabled(true);
    Server->Open();
    EXPECT_FALSE(Server->Active());
    EXPECT_EQ(Server->ErrorString(), "Cannot Allocate Window Handle");
    EXPECT_EQ(Statuses, QList<TIPCServerStatus>{ipcEnabled});
    Server->Close(); // nothing to close
    EXPECT_EQ(Statuses, QList<TIPCServerStatus>{ipcEnabled});
}

using IPCFeedTest = remotetest::RadioRig;

TEST_F(IPCFeedTest, TheRadioModuleFeedsTheServer)
{
    TIPCServer server;
    RadioModule->SetIPCServer(&server);
    QStringList statuses;
    RadioModule->OnIPCStatus = [&] { statuses << QString::number(int(server.IPCStatus())); };
    server.SetEnabled(true);
    server.Open();
    TestClient client;
    client.Request();
    ASSERT_TRUE(client.WaitFor(2));
    EXPECT_EQ(statuses, (QStringList{"1", "3", "4"}));

    ASSERT_TRUE(ConnectRadio("FA00014074000;MD02;FB00007000000;"));
    ASSERT_TRUE(waitUntil([&] { return client.LastRecord().left(9) == QByteArray::fromHex("90C0D600C0CF6A0001"); }))
        << client.LastRecord().toHex().toStdString();
    RadioModule->SetIPCServer(nullptr);
}

} // namespace
