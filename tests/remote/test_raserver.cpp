// The audio server on real sockets with in-memory sound devices: login and format
// negotiation, what a connection may do before login, per-connection PTT and echo, broadcast,
// playback, bad lengths and the stop sequence.
#include "remote/CallbackForm.h"
#include "remote/RAAudio.h"
#include "remote/RAServer.h"
#include "tests/remote/AudioDoubles.h"

#include <QCoreApplication>
#include <QtEndian>
#include <gtest/gtest.h>

using vxtest::AudioPeer;
using vxtest::waitUntil;

namespace {

const QString Login1 = RAProtocol::LoginText("W1AW", "secret", "PCM8", 1, 8);
const QString Login2 = RAProtocol::LoginText("DL1ABC", "secret", "PCM8", 1, 8);
const QString PCM8Reply = "REMAUD||C:PCM8||M:1||B:8||";

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class RAServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        vx::MemoryAudio::use(true);
        in.SetAudioComponent(actWaveIn);
        in.Prepare();
        out.SetAudioComponent(actWaveOut);
        out.Prepare();
        router.SetServerAudio(&in, &out);
        router.SetApplicationType(isRemoteServer);

        server.SetAudioInput(&in);
        server.SetAudioOutput(&out);
        server.Authentication().SetUsers({"W1AW", "DL1ABC", "K1ABC"});
        server.Authentication().SetPassword("secret");
        server.SetAudioPort(port);
        server.OnServerActive = [this](bool a) { events << QStringLiteral("active %1").arg(a); };
        server.OnPTT = [this](bool on) { events << QStringLiteral("ptt %1").arg(on); };
        server.OnConnectedUsers = [this](int n, const QString& text) { events << QStringLiteral("users %1 %2").arg(n).arg(text); };
        server.OnCodecChange = [this] { events << "codec"; };
        server.OnNetworkException = [this](const QString& m) { events << "exception " + m; };
        server.SetActive(true);
        ASSERT_TRUE(server.ServerSocket()->Active());
        // Counts the logins the server has handled, so a test knows when one has been read.
        auto login = server.ServerSocket()->OnLoginRequest;
        server.ServerSocket()->OnLoginRequest = [this, login](const QString& c, bool& v, QString& u, QString& m) {
            ++logins;
            login(c, v, u, m);
        };
        events.clear();
    }
    void TearDown() override
    {
        server.SetActive(false);
        in.Close();
        out.Close();
        settle();
        vx::MemoryAudio::use(false);
        vx::Clock::useSystem();
    }

    std::unique_ptr<AudioPeer> Peer()
    {
        auto peer = std::make_unique<AudioPeer>();
        EXPECT_TRUE(peer->Connect(port));
        return peer;
    }
    // A peer logged in as the given login text, its codec reply received.
    std::unique_ptr<AudioPeer> LoggedIn(const QString& login = Login1)
    {
        auto peer = Peer();
        const int users = server.ServerSocket()->ConnectedUsersCount();
        peer->Command(login);
        EXPECT_TRUE(waitUntil([&] { return server.ServerSocket()->ConnectedUsersCount() == users + 1; }));
        EXPECT_TRUE(peer->WaitBlocks(1));
        return peer;
    }
    // One buffer of the capture device (80 bytes of PCM8 mono 8 bit at 10 ms).
    void Capture(char value)
    {
        ASSERT_TRUE(vx::MemoryAudio::input(0));
        vx::MemoryAudio::input(0)->feed(QByteArray(int(in.Codec().BufferSize()), value));
        settle();
    }
    // Everything a logged-in peer sent before has been handled once its echoed probe is back
    // (one connection's blocks are handled in order).  Leaves the peer's echo off.
    void Probe(AudioPeer& peer)
    {
        const qsizetype before = peer.AudioBlocks().size();
        peer.Command(RAProtocol::EchoOn);
        peer.Audio("probe");
        peer.Command(RAProtocol::EchoOff);
        ASSERT_TRUE(waitUntil([&] { return peer.AudioBlocks().size() > before && peer.AudioBlocks().last() == "probe"; }));
    }

    quint16 port = vxtest::FreeAudioPort();
    TCallbackForm router;
    TRAAudio in, out;
    TRAServer server;
    QStringList events;
    int logins = 0;
};

} // namespace

struct NegotiationCase {
    const char* name;
    bool userChosen;
    QString reply;
};

class RAServerNegotiation : public RAServerTest, public ::testing::WithParamInterface<NegotiationCase> {
};

TEST_P(RAServerNegotiation, FirstUserChoosesTheCaptureFormatWhenAllowed)
{
    in.Codec().SetCodec(PCM22);
    in.Codec().SetUserChosenCodec(GetParam().userChosen);
    auto peer = LoggedIn(RAProtocol::LoginText("W1AW", "secret", "GSM610_11", 1, 16));
    EXPECT_EQ(peer->Controls(), QStringList{GetParam().reply});
    EXPECT_TRUE(in.Active());
    EXPECT_TRUE(server.AudioActive());
    EXPECT_EQ(events, (QStringList{"codec", "users 1 Users: W1AW"}));
    EXPECT_EQ(server.ServerSocket()->ConnectedUsers(), "Users: W1AW");
}

INSTANTIATE_TEST_SUITE_P(Cases, RAServerNegotiation,
                         ::testing::Values(NegotiationCase{"UserChosen", true, "REMAUD||C:GSM610_11||M:1||B:16||"},
                                           NegotiationCase{"Fixed", false, "REMAUD||C:PCM22||M:1||B:8||"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RAServerTest, OnlyASingleUserMayChangeTheFormat)
{
    auto first = LoggedIn();
    // The second user gets the current format, whatever it asks for.
    auto second = LoggedIn(RAProtocol::LoginText("DL1ABC", "secret", "PCM44", 2, 16));
    EXPECT_EQ(second->Controls(), QStringList{PCM8Reply});
    EXPECT_EQ(server.ServerSocket()->ConnectedUsers(), "Users: W1AW DL1ABC");

    // With two users a codec request changes nothing and gets no answer.
    second->Command("REMAUD||C:PCM22||M:1||B:16||");
    Probe(*second);
    EXPECT_EQ(second->Controls(), QStringList{PCM8Reply});
    EXPECT_EQ(in.Codec().Codec(), PCM8);

    // Alone, it may.
    first.reset();
    ASSERT_TRUE(waitUntil([&] { return server.ServerSocket()->ConnectedUsersCount() == 1; }));
    second->Command("REMAUD||C:PCM22||M:1||B:16||");
    ASSERT_TRUE(second->WaitControl("REMAUD||C:PCM22||M:1||B:16||"));
    EXPECT_EQ(in.Codec().Codec(), PCM22);
    EXPECT_EQ(in.Codec().BitsPerSample(), 16);
    EXPECT_TRUE(in.Active());
}

TEST_F(RAServerTest, APasswordHoldingCodecKeysDoesNotChooseTheFormat)
{
    // The password's "C:", "M:" and "B:" come first in the text, but they are not fields.
    server.Authentication().SetPassword("C:GSM610_8M:2B:16");
    auto peer = LoggedIn(RAProtocol::LoginText("W1AW", "C:GSM610_8M:2B:16", "PCM11", 1, 8));
    EXPECT_EQ(peer->Controls(), QStringList{"REMAUD||C:PCM11||M:1||B:8||"});
}

TEST_F(RAServerTest, RefusedLoginIsAnsweredAfterASecondAndClosed)
{
    auto good = LoggedIn();
    auto bad = Peer();
    bad->Command(RAProtocol::LoginText("K1ABC", "guess", "PCM8", 1, 8));
    // Frames after the refused login are not handled either.
    bad->Command(Login2);
    ASSERT_TRUE(waitUntil([&] { return logins == 2; }));
    vxtest::spin(20);
    vx::Clock::advance(999);
    vxtest::spin(50);
    EXPECT_TRUE(bad->Blocks().isEmpty());
    EXPECT_FALSE(bad->Closed());
    vx::Clock::advance(1);
    ASSERT_TRUE(bad->WaitClosed());
    EXPECT_EQ(bad->Controls(), QStringList{"REMAUD||D:Invalid user or password||"});
    // The first user's count is untouched.
    EXPECT_EQ(server.ServerSocket()->ConnectedUsersCount(), 1);
    EXPECT_FALSE(good->Closed());
}

TEST_F(RAServerTest, AnEmptyPasswordRefusesEveryLogin)
{
    server.Authentication().SetPassword("");
    auto peer = Peer();
    peer->Command(RAProtocol::LoginText("W1AW", "", "PCM8", 1, 8));
    ASSERT_TRUE(waitUntil([&] { return logins == 1; }));
    vx::Clock::advance(1000);
    ASSERT_TRUE(peer->WaitClosed());
    EXPECT_EQ(peer->Controls(), QStringList{"REMAUD||D:Invalid user or password||"});
    EXPECT_EQ(server.ServerSocket()->ConnectedUsersCount(), 0);
}

TEST_F(RAServerTest, NothingBeforeLogin)
{
    auto member = LoggedIn();
    auto stranger = Peer();
    events.clear();
    stranger->Command(RAProtocol::PTTOn);
    stranger->Command(RAProtocol::EchoOn);
    stranger->Command("REMAUD||C:PCM44||M:2||B:16||");
    stranger->Audio(QByteArray(80, 'x'));
    Capture('c');
    ASSERT_TRUE(waitUntil([&] { return !member->AudioBlocks().isEmpty(); }));

    // Its login shows that everything before it was handled: nothing came of it.
    stranger->Command(Login2);
    ASSERT_TRUE(stranger->WaitBlocks(1));
    EXPECT_EQ(stranger->Controls(), QStringList{PCM8Reply}); // no codec reply before, no audio
    EXPECT_TRUE(stranger->AudioBlocks().isEmpty());
    EXPECT_EQ(events, QStringList{"users 2 Users: W1AW DL1ABC"}); // no PTT
    EXPECT_EQ(in.Codec().Codec(), PCM8);
    EXPECT_FALSE(vx::MemoryAudio::output(0)); // its audio was not played
    EXPECT_FALSE(server.Transmitting());
}

TEST_F(RAServerTest, AConnectionThatDoesNotLogInIsClosedAfter30Seconds)
{
    auto stranger = Peer();
    ASSERT_TRUE(waitUntil([&] { return server.ServerSocket()->Clients().size() == 1; }));
    vx::Clock::advance(29999);
    vxtest::spin(20);
    EXPECT_FALSE(stranger->Closed());
    vx::Clock::advance(1);
    EXPECT_TRUE(stranger->WaitClosed());
    EXPECT_EQ(server.ServerSocket()->ConnectedUsers(), "no users connected");
}

TEST_F(RAServerTest, BadLengthsCloseOnlyThatConnection)
{
    auto member = LoggedIn();
    for (const qint32 length : {-1, std::numeric_limits<qint32>::max()}) {
        auto peer = LoggedIn(Login2);
        QByteArray header(4, Qt::Uninitialized);
        qToBigEndian<qint32>(length, header.data());
        events.clear();
        peer->SendRaw(header + "abc");
        EXPECT_TRUE(peer->WaitClosed()) << length;
        ASSERT_TRUE(waitUntil([&] { return server.ServerSocket()->ConnectedUsersCount() == 1; })) << length;
        ASSERT_EQ(events.size(), 2) << events.join('|').toStdString();
        EXPECT_TRUE(events[0].startsWith(QStringLiteral("exception Audio block length %1 ").arg(length)));
        EXPECT_EQ(events[1], "users 1 Users: W1AW");
    }
    EXPECT_FALSE(member->Closed());
    Probe(*member);
}

TEST_F(RAServerTest, CapturedAudioGoesToLoggedInClientsUnlessOneTransmits)
{
    auto a = LoggedIn();
    auto b = LoggedIn(Login2);
    Capture('1');
    ASSERT_TRUE(waitUntil([&] { return a->AudioBytes().contains('1') && b->AudioBytes().contains('1'); }));

    // While a client holds PTT the capture is not sent (BroadcastAudioOnTX is off).
    a->Command(RAProtocol::PTTOn);
    ASSERT_TRUE(waitUntil([&] { return server.Transmitting(); }));
    Capture('2');
    a->Command(RAProtocol::PTTOff);
    ASSERT_TRUE(waitUntil([&] { return !server.Transmitting(); }));
    Capture('3');
    ASSERT_TRUE(waitUntil([&] { return b->AudioBytes().contains('3'); }));
    EXPECT_FALSE(b->AudioBytes().contains('2'));

    server.SetBroadcastAudioOnTX(true);
    a->Command(RAProtocol::PTTOn);
    ASSERT_TRUE(waitUntil([&] { return server.Transmitting(); }));
    Capture('4');
    EXPECT_TRUE(waitUntil([&] { return b->AudioBytes().contains('4'); }));
}

TEST_F(RAServerTest, PTTIsHeldPerConnection)
{
    auto a = LoggedIn();
    auto b = LoggedIn(Login2);
    events.clear();
    a->Command(RAProtocol::PTTOn);
    // Another client's release does not end the keying.
    b->Command(RAProtocol::PTTOff);
    Probe(*b);
    EXPECT_EQ(events, QStringList{"ptt 1"});
    EXPECT_TRUE(server.Transmitting());

    b->Command(RAProtocol::PTTOn);
    Probe(*b);
    a->Command(RAProtocol::PTTOff);
    Probe(*a);
    EXPECT_EQ(events, (QStringList{"ptt 1", "ptt 1"}));

    // The keying client going away releases it.
    b.reset();
    ASSERT_TRUE(waitUntil([&] { return !server.Transmitting(); }));
    EXPECT_EQ(events, (QStringList{"ptt 1", "ptt 1", "ptt 0", "users 1 Users: W1AW"}));
}

TEST_F(RAServerTest, TheLastUserLeavingReleasesPTTAndClosesCapture)
{
    auto a = LoggedIn();
    a->Command(RAProtocol::PTTOn);
    ASSERT_TRUE(waitUntil([&] { return server.Transmitting(); }));
    ASSERT_TRUE(in.Active());
    events.clear();
    a.reset();
    ASSERT_TRUE(waitUntil([&] { return server.ServerSocket()->ConnectedUsersCount() == 0; }));
    EXPECT_EQ(events, (QStringList{"ptt 0", "users 0 no users connected", "ptt 0"}));
    EXPECT_FALSE(in.Active());
    EXPECT_FALSE(server.AudioActive());
}

TEST_F(RAServerTest, EchoIsPerConnectionAndOtherAudioIsPlayed)
{
    auto a = LoggedIn();
    auto b = LoggedIn(Login2);
    a->Command(RAProtocol::EchoOn);
    a->Audio("from a");
    b->Audio(QByteArray(80, 'b'));
    ASSERT_TRUE(waitUntil([&] { return a->AudioBlocks().contains("from a"); }));
    // b's audio is played, not echoed (to anyone).
    ASSERT_TRUE(waitUntil([&] { return vx::MemoryAudio::output(0) && vx::MemoryAudio::output(0)->queuedBlocks() == 1; }));
    Probe(*b);
    EXPECT_EQ(b->AudioBlocks(), QList<QByteArray>{"probe"});
    EXPECT_FALSE(a->AudioBlocks().contains(QByteArray(80, 'b')));

    a->Command(RAProtocol::EchoOff);
    a->Audio(QByteArray(80, 'a'));
    ASSERT_TRUE(waitUntil([&] { return vx::MemoryAudio::output(0)->queuedBlocks() == 2; }));
    ASSERT_TRUE(vx::MemoryAudio::output(0)->playNext());
    ASSERT_TRUE(vx::MemoryAudio::output(0)->playNext());
    EXPECT_EQ(vx::MemoryAudio::output(0)->played(), QByteArray(80, 'b') + QByteArray(80, 'a'));
}

TEST_F(RAServerTest, StoppingWithThreeClientsSendsEachTheNoticeAndEndsWithNoUsers)
{
    std::vector<std::unique_ptr<AudioPeer>> peers;
    peers.push_back(LoggedIn());
    peers.push_back(LoggedIn(Login2));
    peers.push_back(Peer()); // not logged in: told all the same
    ASSERT_TRUE(waitUntil([&] { return server.ServerSocket()->Clients().size() == 3; }));
    QStringList traffic;
    server.OnNetworkTraffic = [&](const QString& rx, const QString& tx) { traffic << rx + "|" + tx; };
    events.clear();

    server.SetActive(false);
    EXPECT_FALSE(server.Active());
    EXPECT_EQ(server.ServerSocket()->ConnectedUsersCount(), 0);
    EXPECT_EQ(server.ServerSocket()->ConnectedUsers(), "no users connected");
    EXPECT_TRUE(server.ServerSocket()->Clients().isEmpty());
    EXPECT_EQ(events, (QStringList{"ptt 0", "active 0", "users 0 no users connected", "ptt 0"}));
    EXPECT_FALSE(server.Transmitting());
    EXPECT_EQ(traffic, QStringList{"0.0 kB/s|0.0 kB/s"});
    server.OnNetworkTraffic = nullptr;
    for (auto& peer : peers) {
        ASSERT_TRUE(peer->WaitClosed());
        EXPECT_EQ(peer->Controls().last(), "REMAUD||D:Server Shutdown||");
    }
    EXPECT_FALSE(in.Active());
}

TEST_F(RAServerTest, AClientThatStopsReadingIsNotHoarded)
{
    auto reader = LoggedIn();
    auto sleeper = LoggedIn(Login2);
    // The sleeper's socket is never read again: its unsent data must stay bounded.
    sleeper->Socket()->setReadBufferSize(1);
    const QByteArray block(64 * 1024, 's');
    for (int i = 0; i < 400; ++i) {
        server.ServerSocket()->Broadcast(block.constData(), uint32_t(block.size()));
        if (i % 20 == 0)
            QCoreApplication::processEvents();
    }
    for (const TClientInfo* c : server.ServerSocket()->Clients())
        EXPECT_LE(c->PeerThread->bytesToWrite(), TRAServerNetwork::MaxPendingBytes + 4 + block.size()) << c->User.toStdString();
}

TEST_F(RAServerTest, PortAboveTheDynamicRangeIsClamped)
{
    TRAServerNetwork net;
    net.SetPort(65000);
    EXPECT_EQ(net.Port(), 49151);
    net.SetPort(4000);
    EXPECT_EQ(net.Port(), 4000);

    // The server reports the port its listener takes, never one nobody listens on.
    TRAServer audio;
    audio.SetAudioPort(57497);
    EXPECT_EQ(audio.AudioPort(), 49151);
    audio.SetAudioPort(49152);
    EXPECT_EQ(audio.AudioPort(), 49151);
    audio.SetAudioPort(4000);
    EXPECT_EQ(audio.AudioPort(), 4000);
}
