// The local message bus: the shared name table, posting and broadcast, peers going away,
// frames that break the documented layout, and a receiver that never reads.
#include "platform/MessageBus.h"
#include "tests/support/Wait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using vx::BusEndpoint;
using vx::BusMessage;
using vxtest::waitUntil;

namespace {

// Every test gets a bus folder of its own.
class MessageBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOld = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", FDir.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", FOld); }

    QTemporaryDir FDir;
    QByteArray FOld;
};

// Collects what an endpoint receives.
struct Inbox {
    explicit Inbox(BusEndpoint& e)
    {
        e.OnMessage = [this](const BusMessage& m) { Messages << m; };
        e.OnPeerGone = [this](quint64 peer) { Gone << peer; };
    }
    QList<BusMessage> Messages;
    QList<quint64> Gone;
};

// A frame laid out by the documentation, not by the code under test.
QByteArray Frame(quint64 sender, quint64 target, const QByteArray& name, quint64 w, qint64 l,
                 const QByteArray& data = {})
{
    QByteArray f("VXMB");
    char b[8];
    qToLittleEndian(quint32(33 + name.size() + data.size()), b);
    f.append(b, 4);
    for (const quint64 v : {sender, target, w, quint64(l)}) {
        qToLittleEndian(v, b);
        f.append(b, 8);
    }
    f.append(char(name.size()));
    return f + name + data;
}

} // namespace

TEST_F(MessageBus, NamesMapToOneNumberThroughTheSharedTable)
{
    const uint32_t first = vx::RegisterBusMessage("MMTTY");
    EXPECT_EQ(first, vx::BusFirstMessage);
    EXPECT_EQ(vx::RegisterBusMessage("MMTTY"), first);
    EXPECT_EQ(vx::BusMessageName(first), "MMTTY");
    EXPECT_EQ(vx::FindBusMessage("Unknown"), 0u);
    EXPECT_EQ(vx::BusMessageName(0xC7FF), "");

    // Another process of the user adds a name: this one finds its number and does not reuse it.
    QFile table(vx::BusFolder() + "/names");
    ASSERT_TRUE(table.open(QIODevice::Append));
    table.write("C005 IPCConnectRequest\n");
    table.close();
    EXPECT_EQ(vx::FindBusMessage("IPCConnectRequest"), 0xC005u);
    EXPECT_EQ(vx::RegisterBusMessage("IPCConnectRequest"), 0xC005u);
    EXPECT_EQ(vx::RegisterBusMessage("{FAEEDBAF-8773-5432-83B1-8C9422726E98}"), 0xC006u);
    table.open(QIODevice::ReadOnly);
    EXPECT_EQ(table.readAll(), "C000 MMTTY\nC005 IPCConnectRequest\nC006 {FAEEDBAF-8773-5432-83B1-8C9422726E98}\n");

    // Names that cannot be registered.
    for (const QString& bad : {QString(), QString(256, 'x'), QString("a\nb"), QString::fromUtf8("Gr\xc3\xbc\xc3\x9f")})
        EXPECT_EQ(vx::RegisterBusMessage(bad), 0u) << bad.toStdString();
}

TEST_F(MessageBus, PostsArriveWholeAndInOrderAtTheirRoute)
{
    BusEndpoint a, b;
    ASSERT_TRUE(a.Open());
    ASSERT_TRUE(b.Open(0x1A2B3C));
    EXPECT_EQ(b.Id(), 0x1A2B3Cu);
    EXPECT_TRUE(QFileInfo::exists(vx::BusFolder() + "/00000000001A2B3C"));
    const uint32_t mmtty = vx::RegisterBusMessage("MMTTY");
    const uint32_t other = vx::RegisterBusMessage("Other");
    Inbox inbox(b);
    QList<BusMessage> routed;
    b.Route(mmtty, [&](const BusMessage& m) { routed << m; });

    EXPECT_TRUE(a.Post(b.Id(), other, 0xFFFFFFFFFFFFFFFFull, -2, QByteArray("\x90\xC0\xD6\x00", 4)));
    for (int i = 0; i < 200; ++i)
        EXPECT_TRUE(a.Post(b.Id(), mmtty, 4, i));
    ASSERT_TRUE(waitUntil([&] { return routed.size() == 200; }));
    ASSERT_EQ(inbox.Messages.size(), 1);
    const BusMessage& m = inbox.Messages[0];
    EXPECT_EQ(m.Sender, a.Id());
    EXPECT_EQ(m.Target, b.Id());
    EXPECT_EQ(m.Msg, other);
    EXPECT_EQ(m.Name, "Other");
    EXPECT_EQ(m.WParam, 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(m.LParam, -2);
    EXPECT_EQ(m.Data, QByteArray("\x90\xC0\xD6\x00", 4));
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(routed[i].LParam, i);

    // What cannot be posted says so at once.
    EXPECT_FALSE(a.Post(0x777, mmtty, 0, 0));                               // no such endpoint
    EXPECT_FALSE(a.Post(b.Id(), 0xFFF0, 0, 0));                             // number never registered
    EXPECT_FALSE(a.Post(b.Id(), mmtty, 0, 0, QByteArray(vx::BusMaxFrame, 'x'))); // longer than a frame
    BusEndpoint closed;
    EXPECT_FALSE(closed.Post(b.Id(), mmtty, 0, 0));
}

TEST_F(MessageBus, BroadcastReachesEveryEndpointButTheSender)
{
    BusEndpoint a, b, c;
    ASSERT_TRUE(a.Open() && b.Open() && c.Open());
    Inbox ia(a), ib(b), ic(c);
    const uint32_t msg = vx::RegisterBusMessage("{FAEEDBAF-8773-5432-83B1-8C9422726E98}");
    EXPECT_TRUE(a.Post(vx::BusBroadcast, msg, 1, 2));
    ASSERT_TRUE(waitUntil([&] { return ib.Messages.size() == 1 && ic.Messages.size() == 1; }));
    EXPECT_EQ(ib.Messages[0].Target, vx::BusBroadcast);
    EXPECT_EQ(ic.Messages[0].Sender, a.Id());
    vxtest::spin(50);
    EXPECT_TRUE(ia.Messages.isEmpty());
}

TEST_F(MessageBus, PeersThatGoAwayAreReported)
{
    const uint32_t msg = vx::RegisterBusMessage("MMTTY");
    BusEndpoint a;
    ASSERT_TRUE(a.Open());
    Inbox ia(a);
    QList<quint64> routedGone;
    a.Route(msg, [](const BusMessage&) {}, [&](quint64 peer) { routedGone << peer; });

    // A peer that only posted to us, and one we only posted to.
    auto sender = std::make_unique<BusEndpoint>();
    auto receiver = std::make_unique<BusEndpoint>();
    ASSERT_TRUE(sender->Open() && receiver->Open());
    const quint64 senderId = sender->Id(), receiverId = receiver->Id();
    sender->Post(a.Id(), vx::RegisterBusMessage("Other"), 0, 0);
    ASSERT_TRUE(waitUntil([&] { return ia.Messages.size() == 1; }));
    EXPECT_TRUE(a.Post(receiverId, msg, 0, 0));
    sender.reset();
    receiver.reset();
    ASSERT_TRUE(waitUntil([&] { return ia.Gone.contains(senderId) && ia.Gone.contains(receiverId); }));
    EXPECT_TRUE(routedGone.contains(senderId) && routedGone.contains(receiverId));
    EXPECT_EQ(a.ConnectionCount(), 0);
}

TEST_F(MessageBus, AnIdInUseIsRefusedAndALeftOverSocketTakenOver)
{
    BusEndpoint a, b;
    ASSERT_TRUE(a.Open(0x4242));
    EXPECT_FALSE(b.Open(0x4242));
    EXPECT_FALSE(b.ErrorString().isEmpty());
    EXPECT_FALSE(b.Open(vx::BusBroadcast));

    // The socket of a process that crashed: bound, nobody listening.
    const QByteArray path = BusEndpoint::SocketPath(0x4343).toLocal8Bit();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    strncpy(addr.sun_path, path.constData(), sizeof(addr.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ::close(fd);
    EXPECT_TRUE(b.Open(0x4343)) << b.ErrorString().toStdString();

    // Closing removes the socket, so the id is free again.
    a.Close();
    EXPECT_FALSE(QFileInfo::exists(BusEndpoint::SocketPath(0x4242)));
    BusEndpoint c;
    EXPECT_TRUE(c.Open(0x4242));
}

TEST_F(MessageBus, MalformedFramesAreDroppedAndTheirSenderDisconnected)
{
    BusEndpoint b;
    ASSERT_TRUE(b.Open(0x5000));
    Inbox inbox(b);
    vx::RegisterBusMessage("MMTTY");
    const QByteArray good = Frame(0x6000, 0x5000, "MMTTY", 3, 2);
    QByteArray badLength = good;
    qToLittleEndian(quint32(vx::BusMaxFrame), badLength.data() + 4);
    QByteArray zeroName = Frame(0x6000, 0x5000, "", 3, 2);
    struct Case {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"wrong magic", QByteArray("VXMC") + good.mid(4)},
        {"garbage", QByteArray("hello, endpoint\n")},
        {"length past a frame", badLength},
        {"sender 0", Frame(0, 0x5000, "MMTTY", 3, 2)},
        {"broadcast sender", Frame(vx::BusBroadcast, 0x5000, "MMTTY", 3, 2)},
        {"another target", Frame(0x6000, 0x5001, "MMTTY", 3, 2)},
        {"empty name", zeroName},
        {"name with a control character", Frame(0x6000, 0x5000, "MM\x01TY", 3, 2)},
        {"sender changes", good + Frame(0x6001, 0x5000, "MMTTY", 3, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        inbox.Messages.clear();
        QLocalSocket raw;
        raw.connectToServer(BusEndpoint::SocketPath(0x5000));
        ASSERT_TRUE(raw.waitForConnected(1000));
        raw.write(c.bytes);
        raw.flush();
        EXPECT_TRUE(waitUntil([&] { return raw.state() == QLocalSocket::UnconnectedState; }, 2000));
        // Only a well-formed frame before the fault is delivered.
        EXPECT_EQ(inbox.Messages.size(), c.bytes.startsWith(good) ? 1 : 0);
    }
    // The sender that was identified before its bad frame is reported gone.
    EXPECT_TRUE(waitUntil([&] { return inbox.Gone.contains(0x6000); }));

    // A frame under a name nobody registered is skipped; the connection stays.
    QLocalSocket raw;
    raw.connectToServer(BusEndpoint::SocketPath(0x5000));
    ASSERT_TRUE(raw.waitForConnected(1000));
    inbox.Messages.clear();
    raw.write(Frame(0x6000, 0x5000, "NobodysName", 1, 1) + good);
    raw.flush();
    ASSERT_TRUE(waitUntil([&] { return inbox.Messages.size() == 1; }));
    EXPECT_EQ(inbox.Messages[0].Name, "MMTTY");
    EXPECT_EQ(raw.state(), QLocalSocket::ConnectedState);
    EXPECT_EQ(b.ConnectionCount(), 1);
}

TEST_F(MessageBus, AReceiverThatNeverReadsIsDroppedWithoutHoldingTheEventLoop)
{
    BusEndpoint a;
    ASSERT_TRUE(a.Open());
    Inbox inbox(a);
    // An endpoint that accepts and never reads.
    QLocalServer deaf;
    QList<QLocalSocket*> accepted;
    QObject::connect(&deaf, &QLocalServer::newConnection, [&] { accepted << deaf.nextPendingConnection(); });
    ASSERT_TRUE(deaf.listen(BusEndpoint::SocketPath(0x7000)));

    const uint32_t msg = vx::RegisterBusMessage("MMTTY");

    int ticks = 0;
    QTimer gui;
    QObject::connect(&gui, &QTimer::timeout, [&] { ++ticks; });
    gui.start(10);

    // Posting goes on while the kernel's buffer and then the 64 KiB queue fill; the post that
    // would pass the bound fails and the receiver is let go.
    const QByteArray block(4000, 'x');
    bool refused = false;
    int posts = 0;
    while (!refused && posts < 5000) {
        refused = !a.Post(0x7000, msg, 0, posts, block);
        ++posts;
        if (posts % 10 == 0)
            QCoreApplication::processEvents();
    }
    EXPECT_TRUE(refused) << posts;
    ASSERT_TRUE(waitUntil([&] { return inbox.Gone.contains(0x7000); }));
    EXPECT_EQ(a.ConnectionCount(), 0);
    // A post that waited for the reader would never have come back; the GUI's timer runs on.
    const int before = ticks;
    vxtest::spin(100);
    EXPECT_GT(ticks, before);
    qDeleteAll(accepted);
}
