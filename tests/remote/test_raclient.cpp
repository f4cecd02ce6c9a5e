// The audio client against a server played by the test on 127.0.0.1, with in-memory sound
// devices: login text, codec reply, what is played and sent, PTT frames, channels, the echo
// test, the server's notices, and the client module.
#include "core/DMApplication.h"
#include "platform/GsmCodec.h"
#include "remote/CallbackForm.h"
#include "remote/DMAudioClient.h"
#include "remote/RAClient.h"
#include "tests/remote/AudioDoubles.h"
#include "tests/remote/PulseTest.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

using vxtest::AudioPeer;
using vxtest::waitUntil;

namespace {

const QString PCM8Reply = "REMAUD||C:PCM8||M:1||B:8||";

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class RAClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::MemoryAudio::use(true);
        in.SetAudioComponent(actWaveIn);
        in.Prepare();
        out.SetAudioComponent(actWaveOut);
        out.Prepare();
        router.SetClientAudio(&in, &out);
        router.SetApplicationType(isRemoteClient);
        client = std::make_unique<TRAClient>();
        client->SetAudioInput(&in);
        client->SetAudioOutput(&out);
        client->SetHost("127.0.0.1");
        port = vxtest::ListenOnAudioPort(listener);
        ASSERT_NE(port, 0);
        client->SetAudioPort(port);
        client->SetUser("W1AW");
        client->SetPassword("secret");
        client->OnConnectionStatus = [this](TConnectionStatus s, const QString& text) {
            statuses << QStringLiteral("%1 %2").arg(int(s)).arg(text);
        };
        client->OnTransmitting = [this](bool on) { transmitting << on; };
        client->OnCodecChange = [this] { ++codecChanges; };
    }
    void TearDown() override
    {
        client.reset();
        in.Close();
        out.Close();
        settle();
        vx::MemoryAudio::use(false);
    }

    // The server end of the client's connection.
    std::unique_ptr<AudioPeer> Accept()
    {
        if (!waitUntil([&] { return listener.hasPendingConnections(); }))
            return nullptr;
        return std::make_unique<AudioPeer>(listener.nextPendingConnection());
    }
    // Connected, logged in and given the reply's format.
    std::unique_ptr<AudioPeer> Connected(const QString& reply = PCM8Reply)
    {
        client->Connect();
        auto peer = Accept();
        EXPECT_TRUE(peer);
        EXPECT_TRUE(peer->WaitBlocks(1)); // the login
        EXPECT_TRUE(waitUntil([&] { return client->Connected(); }));
        const int before = codecChanges;
        peer->Command(reply);
        EXPECT_TRUE(waitUntil([&] { return codecChanges > before; }));
        settle();
        return peer;
    }
    vx::MemoryWaveOut* player() { return vx::MemoryAudio::output(0); }
    vx::MemoryWaveIn* microphone() { return vx::MemoryAudio::input(0); }

    TCallbackForm router;
    TRAAudio in, out;
    std::unique_ptr<TRAClient> client;
    QTcpServer listener;
    quint16 port = 0;
    QStringList statuses;
    QList<bool> transmitting;
    int codecChanges = 0;
};

} // namespace

TEST(RAClientProperties, HostAndPortRules)
{
    TRAClient client;
    client.SetHost("");
    EXPECT_EQ(client.Host(), "localhost");
    client.SetAudioPort(50000);
    EXPECT_EQ(client.AudioPort(), 49151);
    client.SetAudioPort(4000);
    EXPECT_EQ(client.AudioPort(), 4000);
}

TEST_F(RAClientTest, AClosedPortIsRefused)
{
    listener.close();
    client->Connect();
    ASSERT_TRUE(waitUntil([&] { return client->ConnectionStatus() == cRefused; }));
    EXPECT_EQ(statuses.last(), "4 connection refused");
    EXPECT_TRUE(statuses.contains("2 connecting..."));
    EXPECT_FALSE(client->Connected());
}

TEST_F(RAClientTest, LoginTextThenTheReplyOpensPlaybackInItsFormat)
{
    out.Codec().SetCodec(GSM610_22);
    out.Codec().SetBitsPerSample(16);
    client->Connect();
    auto peer = Accept();
    ASSERT_TRUE(peer);
    ASSERT_TRUE(peer->WaitBlocks(1));
    const QByteArray login = peer->Blocks().first();
    EXPECT_EQ(login, RAProtocol::EncodeCommandPayload("REMAUD||U:W1AW||P:secret||C:GSM610_22||M:1||B:16||"));
    ASSERT_TRUE(waitUntil([&] { return client->ConnectionStatus() == cConnected; }));

    // Audio before the reply is not played: playback is still closed.
    peer->Audio(QByteArray(80, 'e'));
    vxtest::spin(30);
    EXPECT_FALSE(player());

    peer->Command("REMAUD||C:PCM22||M:2||B:16||");
    ASSERT_TRUE(waitUntil([&] { return codecChanges == 1; }));
    EXPECT_EQ(out.Codec().Codec(), PCM22);
    EXPECT_EQ(out.Codec().Channels(), 2);
    EXPECT_EQ(out.Codec().BitsPerSample(), 16);
    ASSERT_TRUE(player());
    peer->Audio(QByteArray(88, 'p'));
    ASSERT_TRUE(waitUntil([&] { return player()->queuedBlocks() == 1; }));
}

TEST_F(RAClientTest, TransmittingNeedsAConnection)
{
    client->SetTransmit(true);
    EXPECT_FALSE(client->Transmit());
    EXPECT_EQ(transmitting, QList<bool>{false});
    EXPECT_FALSE(in.Active());
}

TEST_F(RAClientTest, TransmitSendsTheMicrophoneAndWithUsePTTKeys)
{
    auto peer = Connected();
    peer->Clear();
    client->SetTransmit(true);
    ASSERT_TRUE(in.Active());
    ASSERT_TRUE(microphone());
    microphone()->feed(QByteArray(80, 'm'));
    settle();
    client->SetTransmit(false);
    ASSERT_TRUE(waitUntil([&] { return peer->Blocks().size() == 1; }));
    vxtest::spin(20);
    EXPECT_EQ(peer->Blocks(), QList<QByteArray>{QByteArray(80, 'm')}); // nothing but audio

    client->SetUsePTT(true);
    client->SetTransmit(true);
    microphone()->feed(QByteArray(80, 'n'));
    settle();
    client->SetTransmit(false);
    ASSERT_TRUE(waitUntil([&] { return peer->Blocks().size() == 4; }));
    const auto blocks = peer->Blocks();
    EXPECT_EQ(RAProtocol::DecodeControl(blocks[1]).value_or(""), "REMAUD||P:1||");
    EXPECT_EQ(blocks[2], QByteArray(80, 'n'));
    EXPECT_EQ(RAProtocol::DecodeControl(blocks[3]).value_or(""), "REMAUD||P:0||");
    EXPECT_EQ(transmitting, (QList<bool>{true, false, true, false}));
}

TEST_F(RAClientTest, AMicrophoneThatDoesNotOpenKeysNothingAndIsTriedAgain)
{
    auto peer = Connected();
    peer->Clear();
    client->SetUsePTT(true);
    vx::MemoryAudio::setOpenResult(false, 0, vx::WaveResult::BadDeviceId);
    client->SetTransmit(true);
    EXPECT_FALSE(client->Transmit());
    EXPECT_EQ(transmitting, QList<bool>{false});

    vx::MemoryAudio::setOpenResult(false, 0, vx::WaveResult::Ok);
    client->SetTransmit(true);
    EXPECT_TRUE(client->Transmit());
    ASSERT_TRUE(peer->WaitBlocks(1));
    // Only the second attempt keyed the transmitter.
    EXPECT_EQ(peer->Controls(), QStringList{"REMAUD||P:1||"});
}

TEST_F(RAClientTest, WithoutPlaybackOnTXReceivedAudioIsNotPlayedButTheEchoStillMeasures)
{
    auto peer = Connected();
    client->SetUsePTT(true);
    client->SetPlaybackOnTX(false);
    client->SetTransmit(true);
    int played = 0;
    int measured = 0;
    client->OnDSPAudioData = [&](void*, uint32_t) { ++played; };
    client->OnResponseTime = [&] { ++measured; };
    client->EchoTest();
    peer->Audio(QByteArray(80, 'r'));
    ASSERT_TRUE(waitUntil([&] { return measured == 1; }));
    EXPECT_EQ(played, 0);
    EXPECT_EQ(player()->queuedBlocks(), 1); // only the own tone
    QStringList traffic;
    client->OnNetworkTraffic = [&](const QString& rx, const QString&) { traffic << rx; };
    client->TrafficTimer()->OnTimer();
    EXPECT_EQ(traffic, QStringList{"0.0 kB/s"}); // not counted either
}

TEST_F(RAClientTest, ChannelRules)
{
    // Mono: the left channel cannot be switched off.
    client->SetChannelLeft(false);
    EXPECT_TRUE(client->ChannelLeft());
    out.Codec().SetChannels(2);
    client->SetChannelRight(false);
    EXPECT_FALSE(client->ChannelRight());
    // Never both off.
    client->SetChannelLeft(false);
    EXPECT_TRUE(client->ChannelLeft());
    client->SetChannelRight(true);
    client->SetChannelLeft(false);
    EXPECT_FALSE(client->ChannelLeft());

    // Only the right receiver, on both ears.
    auto peer = Connected("REMAUD||C:PCM8||M:2||B:8||");
    peer->Audio(QByteArray("LRLRLRLRLR"));
    ASSERT_TRUE(waitUntil([&] { return player() && player()->queuedBlocks() == 1; }));
    ASSERT_TRUE(player()->playNext());
    EXPECT_EQ(player()->played(), "RRRRRRRRRR");
}

TEST_F(RAClientTest, TransmitEnabledStopsButDoesNotStart)
{
    auto peer = Connected();
    client->SetTransmit(true);
    client->SetTransmitEnabled(false);
    EXPECT_FALSE(client->Transmit());
    EXPECT_FALSE(in.Active());
    client->SetTransmitEnabled(true);
    EXPECT_FALSE(client->Transmit());
    EXPECT_EQ(transmitting, (QList<bool>{true, false, false, false}));
}

struct ToneCase {
    TCodec codec;
    uint8_t bits, channels;
    int bytes;
};

class EchoTone : public ::testing::TestWithParam<ToneCase> {
};

TEST_P(EchoTone, IsInTheLinksFormat)
{
    TRAClient client;
    TRAAudio out;
    out.SetAudioComponent(actWaveOut);
    out.Prepare();
    out.Codec().SetCodec(GetParam().codec);
    out.Codec().SetBitsPerSample(GetParam().bits);
    out.Codec().SetChannels(GetParam().channels);
    client.SetAudioOutput(&out);
    const QByteArray tone = client.EchoTone();
    EXPECT_EQ(tone.size(), GetParam().bytes);
    if (!IsGSMCodec(GetParam().codec))
        return;
    // Encoded with libgsm: decoded it is the 700 Hz tone.
    vx::GsmDecoder decoder;
    const QByteArray pcm = decoder.feed(tone.constData(), size_t(tone.size()));
    std::vector<double> x;
    for (qsizetype i = 0; i + 1 < pcm.size() && x.size() < out.Codec().SamplesPerSec() / 10; i += 2)
        x.push_back(double(qFromLittleEndian<qint16>(pcm.constData() + i)));
    const double rate = out.Codec().SamplesPerSec();
    EXPECT_GT(vxtest::tonePower(x, 700, rate), 100.0 * vxtest::tonePower(x, 1300, rate));
    EXPECT_GT(2.0 * std::sqrt(vxtest::tonePower(x, 700, rate)), 10000.0);
}

INSTANTIATE_TEST_SUITE_P(Formats, EchoTone,
                         ::testing::Values(ToneCase{PCM8, 8, 1, 800}, ToneCase{PCM11, 16, 2, 2204 * 2},
                                           ToneCase{GSM610_8, 16, 2, 3 * 65}, ToneCase{GSM610_11, 8, 1, 4 * 65}),
                         [](const auto& info) {
                             return CodecToString(info.param.codec).toStdString() + "_" + std::to_string(info.param.bits) +
                                    "_" + std::to_string(info.param.channels);
                         });

TEST_F(RAClientTest, EchoTestSendsTheToneBetweenEchoFrames)
{
    auto peer = Connected();
    peer->Clear();
    client->EchoTest();
    EXPECT_FALSE(client->Transmit()); // back as it was
    ASSERT_TRUE(peer->WaitBlocks(3));
    const auto blocks = peer->Blocks();
    EXPECT_EQ(RAProtocol::DecodeControl(blocks[0]).value_or(""), "REMAUD||E:1||");
    EXPECT_EQ(blocks[1], client->EchoTone());
    EXPECT_EQ(RAProtocol::DecodeControl(blocks[2]).value_or(""), "REMAUD||E:0||");
    EXPECT_EQ(player()->queuedBlocks(), 1); // the tone plays here too
    EXPECT_EQ(client->ResponseTime(), 0);
    bool echoed = false;
    client->OnResponseTime = [&] { echoed = true; };
    peer->Audio(blocks[1]);
    // The echo is played; of the own tone, not played yet, only the playback buffer's worth
    // (10 ms) is left before it.
    ASSERT_TRUE(waitUntil([&] { return echoed; }));
    while (player()->playNext()) {
    }
    const QByteArray tone = client->EchoTone();
    EXPECT_EQ(player()->played(), tone.right(80) + tone);
}

TEST_F(RAClientTest, ARefusedLoginShowsTheServersReason)
{
    QStringList messages;
    client->OnMessage = [&](const QString& m) { messages << m; };
    client->Connect();
    auto peer = Accept();
    ASSERT_TRUE(peer && peer->WaitBlocks(1));
    peer->Command(RAProtocol::InvalidLogin);
    peer->Socket()->disconnectFromHost();
    ASSERT_TRUE(waitUntil([&] { return !messages.isEmpty(); }));
    vxtest::spin(30);
    EXPECT_EQ(messages, QStringList{"Invalid user or password"});
    EXPECT_EQ(client->ConnectionStatus(), cDisconnected);
    EXPECT_EQ(statuses.last(), "6 Invalid user or password");
    // Disconnecting afterwards still shows it; the next connect starts afresh.
    client->Disconnect();
    EXPECT_EQ(statuses.last(), "6 Invalid user or password");
    client->Connect();
    EXPECT_FALSE(statuses.last().contains("Invalid"));
}

TEST_F(RAClientTest, ALoginTooLongToTravelIsRefusedBeforeConnecting)
{
    out.Codec().SetCodec(GSM610_22);
    out.Codec().SetBitsPerSample(16);
    client->SetUser("U" + QString(20, 'u'));
    client->SetPassword(QString(15, 'p')); // 36 together: one too many
    client->Connect();
    EXPECT_EQ(client->ConnectionStatus(), cInvalid);
    EXPECT_EQ(statuses.last(), "1 User name and password are too long for the audio login: at most 35 characters together");
    vxtest::spin(30);
    EXPECT_FALSE(listener.hasPendingConnections());

    client->SetPassword(QString(14, 'p'));
    client->Connect();
    auto peer = Accept();
    ASSERT_TRUE(peer && peer->WaitBlocks(1));
    // The whole login arrived.
    EXPECT_TRUE(RAProtocol::DecodeControl(peer->Blocks().first()).value_or("").endsWith("B:16||"));
}

TEST_F(RAClientTest, ABadLengthFromTheServerEndsTheLink)
{
    auto peer = Connected();
    QByteArray header(4, Qt::Uninitialized);
    qToBigEndian<qint32>(-1, header.data());
    peer->SendRaw(header);
    ASSERT_TRUE(waitUntil([&] { return client->ConnectionStatus() == cDisconnected; }));
    EXPECT_FALSE(client->Connected());
    EXPECT_TRUE(peer->WaitClosed());
}

TEST_F(RAClientTest, ServerShutdownIsShown)
{
    auto peer = Connected();
    peer->Command(RAProtocol::ServerShutdown);
    ASSERT_TRUE(waitUntil([&] { return client->ConnectionStatus() == cDisconnected; }));
    EXPECT_EQ(statuses.last(), "6 Server Shutdown");
}

// --- The client module --------------------------------------------------------------------

class DMAudioClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::MemoryAudio::use(true);
        QFile::remove(TDMApplication::SettingsFileName());
        app = std::make_unique<TDMApplication>();
        module = std::make_unique<TDMAudioClient>();
        router.SetClientAudio(module->RAAudioIn(), module->RAAudioOut());
        router.SetApplicationType(isRemoteClient);
        port = vxtest::ListenOnAudioPort(listener);
        module->SetHost("127.0.0.1");
        module->SetAudioPort(port);
        module->SetUsername("W1AW");
        module->SetPassword("secret");
        module->OnCodec = [this](const QString& c) { codecs << c; };
    }
    void TearDown() override
    {
        module.reset();
        app.reset();
        settle();
        vx::MemoryAudio::use(false);
    }

    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMAudioClient> module;
    TCallbackForm router;
    QTcpServer listener;
    quint16 port = 0;
    QStringList codecs;
};

TEST_F(DMAudioClientTest, ConnectNeedsEveryParameterAndToggles)
{
    for (int missing = 0; missing < 4; ++missing) {
        TDMAudioClient m;
        m.SetHost(missing == 0 ? "" : "127.0.0.1");
        m.SetUsername(missing == 1 ? "" : "W1AW");
        m.SetPassword(missing == 2 ? "" : "secret");
        m.SetAudioPort(missing == 3 ? 0 : port);
        m.Connect();
        EXPECT_EQ(m.RAClient()->ConnectionStatus(), cNone) << missing;
    }
    // A port past 16 bits is not cut down to another one.
    module->SetAudioPort(65536u + port);
    module->Connect();
    EXPECT_EQ(module->RAClient()->ConnectionStatus(), cNone);
    vxtest::spin(20);
    EXPECT_FALSE(listener.hasPendingConnections());

    module->SetAudioPort(port);
    module->ConnectAction->trigger();
    ASSERT_TRUE(waitUntil([&] { return module->RAClient()->Connected(); }));
    EXPECT_EQ(module->RAClient()->User(), "W1AW");
    EXPECT_EQ(codecs, QStringList{"PCM 8 kHz mono 8 bit"});
    // Connect while connected disconnects.
    module->Connect();
    EXPECT_FALSE(module->RAClient()->Connected());
    EXPECT_EQ(module->RAClient()->ConnectionStatus(), cDisconnected);
}

TEST_F(DMAudioClientTest, SettingsGiveTheMicrophoneTheReceiveFormatInMono)
{
    TIniStore& ini = *app->IniRegistry();
    ini.WriteBool("Client\\AudioClient", "AutoConnect", true);
    ini.WriteBool("Client\\AudioClient", "UsePTT", true);
    ini.WriteString("Client\\AudioClient\\Output", "Codec", "GSM610_11");
    ini.WriteInteger("Client\\AudioClient\\Output", "BitsPerSample", 16);
    ini.WriteInteger("Client\\AudioClient\\Output", "Channels", 2);
    ini.WriteInteger("Client\\AudioClient\\Output", "LimitOverrun", 3);
    ini.WriteInteger("Client\\AudioClient\\Input", "DeviceId", 1);
    ini.WriteInteger("Client\\AudioClient\\Input", "BufferLength", 50);
    module->IniRead();
    EXPECT_TRUE(module->AutoConnect());
    EXPECT_TRUE(module->UsePTT());
    EXPECT_TRUE(module->RAClient()->UsePTT());
    const TRACodec& out = module->RAAudioOut()->Codec();
    EXPECT_EQ(out.Codec(), GSM610_11);
    EXPECT_EQ(out.Channels(), 2);
    EXPECT_EQ(module->RAAudioOut()->LimitOverrun(), 3);
    const TRACodec& in = module->RAAudioIn()->Codec();
    EXPECT_EQ(in.Codec(), GSM610_11);
    EXPECT_EQ(in.BitsPerSample(), 16);
    EXPECT_EQ(in.Channels(), 1);
    EXPECT_EQ(in.DeviceID(), 1u);
    EXPECT_EQ(in.BufferLength(), 50);

    module->IniWrite();
    EXPECT_EQ(ini.ReadString("Client\\AudioClient\\Input", "Codec", ""), "GSM610_11");
    EXPECT_EQ(ini.ReadInteger("Client\\AudioClient\\Input", "Channels", 0), 1);
}
