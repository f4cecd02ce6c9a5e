// The audio server and audio client of this program on 127.0.0.1 with the sound server's
// null sink: a tone played into the sink is captured by the server and reaches the client,
// the client's microphone (the sink's monitor) reaches the server, PTT frames switch the PTT
// port's lines until the time-out, and the last client leaving releases PTT.
#include "PulseTest.h"
#include "core/DMApplication.h"
#include "platform/GsmCodec.h"
#include "remote/CallbackForm.h"
#include "remote/DMAudioClient.h"
#include "remote/DMAudioServer.h"
#include "remote/DMServer.h"
#include "tests/remote/AudioDoubles.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

using vxtest::waitUntil;

namespace {

struct LinkFormat {
    TCodec codec;
    uint8_t bits;
};

// Strength of 700 Hz in the strongest 100 ms of a stream in the given format: its amplitude
// and how far it stands above other frequencies.
std::pair<double, double> Tone700(const QByteArray& stream, TCodec codec, uint8_t bits)
{
    TRACodec c;
    c.SetCodec(codec);
    const double rate = c.SamplesPerSec();
    QByteArray pcm = stream;
    bool eightBit = bits == 8;
    if (IsGSMCodec(codec)) {
        vx::GsmDecoder decoder;
        pcm = decoder.feed(stream.constData(), size_t(stream.size()));
        eightBit = false;
    }
    std::vector<double> x;
    if (eightBit) {
        for (char b : pcm)
            x.push_back((double(uint8_t(b)) - 128.0) * 256.0);
    } else {
        for (qsizetype i = 0; i + 1 < pcm.size(); i += 2)
            x.push_back(double(qFromLittleEndian<qint16>(pcm.constData() + i)));
    }
    const size_t win = size_t(rate / 10);
    double best = 0, other = 1e-9;
    for (size_t at = 0; at + win <= x.size(); at += win / 2) {
        const std::vector<double> w(x.begin() + qsizetype(at), x.begin() + qsizetype(at + win));
        const double p = vxtest::tonePower(w, 700, rate);
        if (p > best) {
            best = p;
            other = std::max({vxtest::tonePower(w, 400, rate), vxtest::tonePower(w, 1100, rate), vxtest::tonePower(w, 1900, rate), 1e-9});
        }
    }
    return {2.0 * std::sqrt(best), best / other};
}

class RemoteAudioEndToEnd : public ::testing::TestWithParam<LinkFormat> {
protected:
    void SetUp() override
    {
        vx::MemoryAudio::use(false);
        if (!vxtest::pulseReachable())
            return;
        sink = int(vx::waveOutDeviceNames().indexOf("NullSink"));
        mic = int(vx::waveInDeviceNames().indexOf("NullMic"));
        ASSERT_GE(sink, 0);
        ASSERT_GE(mic, 0);
        QFile::remove(TDMApplication::SettingsFileName());
        app = std::make_unique<TDMApplication>();
        control = std::make_unique<TDMServer>();
        control->SetUsers({"W1AW"});
        control->SetPassword("secret");

        // The server: capture from the sink's monitor; its playback stays off here, so that
        // the clients' audio does not loop back into the capture.
        server = std::make_unique<TDMAudioServer>();
        server->SetServer(control.get());
        auto port = std::make_unique<vxtest::RecordingPTTPort>();
        port->SetPort("/dev/ttyPTT");
        ptt = port.get();
        server->SetPTTComPort(std::move(port));
        server->SetPinTypeRTS(pinPTT);
        server->SetPinTypeDTR(pinAlwaysOn);
        server->SetPTTTimeout(1);
        server->RAAudioIn()->Codec().SetDeviceID(uint32_t(mic));
        server->RAAudioIn()->Codec().SetBufferLength(20);
        server->RAAudioOut()->SetEnabled(false);
        serverRouter.SetServerAudio(server->RAAudioIn(), server->RAAudioOut());
        serverRouter.SetApplicationType(isRemoteServer);
        audioPort = vxtest::FreeAudioPort();
        server->SetActivateServer(true);
        server->RAServer()->SetAudioPort(audioPort);
        server->Open();
        ASSERT_TRUE(server->RAServer()->ServerSocket()->Active());
        ASSERT_EQ(server->PTTStatus(), pttOff);

        client = std::make_unique<TDMAudioClient>();
        clientRouter.SetClientAudio(client->RAAudioIn(), client->RAAudioOut());
        clientRouter.SetApplicationType(isRemoteClient);
        client->RAAudioOut()->Codec().SetDeviceID(uint32_t(sink));
        client->RAAudioIn()->Codec().SetDeviceID(uint32_t(mic));
        client->RAAudioIn()->Codec().SetBufferLength(20);
        client->SetHost("127.0.0.1");
        client->SetAudioPort(audioPort);
        client->SetUsername("W1AW");
        client->SetPassword("secret");
    }
    void TearDown() override
    {
        if (client)
            client->Close();
        if (server)
            server->Close();
        toneOut.Close();
        vxtest::spin(50);
        client.reset();
        server.reset();
    }

    // A 700 Hz tone into the sink, for longer than the test runs.
    void PlayTone()
    {
        toneRouter.SetServerAudio(nullptr, &toneOut);
        toneRouter.SetApplicationType(isRemoteServer);
        toneOut.SetAudioComponent(actWaveOut);
        toneOut.Prepare();
        toneOut.Codec().SetCodec(PCM22);
        toneOut.Codec().SetBitsPerSample(16);
        toneOut.Codec().SetDeviceID(uint32_t(sink));
        toneOut.Codec().SetBufferLength(6000); // the whole tone is written at once
        toneOut.Open();
        ASSERT_TRUE(waitUntil([&] { return toneOut.Active(); }));
        const auto tone = vxtest::sine(700, 22050, 22050 * 5, 12000);
        QByteArray pcm;
        for (double v : tone) {
            const auto s = int16_t(std::lround(v));
            pcm.append(char(s & 0xFF));
            pcm.append(char((s >> 8) & 0xFF));
        }
        for (qsizetype at = 0; at < pcm.size(); at += 882)
            toneOut.Play(pcm.constData() + at, int(std::min<qsizetype>(882, pcm.size() - at)));
    }

    int sink = -1, mic = -1;
    quint16 audioPort = 0;
    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMServer> control;
    std::unique_ptr<TDMAudioServer> server;
    std::unique_ptr<TDMAudioClient> client;
    vxtest::RecordingPTTPort* ptt = nullptr;
    TCallbackForm serverRouter, clientRouter, toneRouter;
    TRAAudio toneOut;
};

} // namespace

TEST_P(RemoteAudioEndToEnd, AudioBothWaysPTTAndItsRelease)
{
    VX_REQUIRE_PULSE();
    const LinkFormat f = GetParam();
    TRACodec& receive = client->RAAudioOut()->Codec();
    receive.SetCodec(f.codec);
    receive.SetBitsPerSample(f.bits);
    client->RAAudioIn()->Codec().SetCodec(f.codec);
    client->RAAudioIn()->Codec().SetBitsPerSample(f.bits);
    PlayTone();

    // What each side receives, taken where the link hands it over.
    QByteArray atClient, atServer;
    TRAClientNetwork* clientNet = client->RAClient()->RAClientNetwork();
    auto toClient = clientNet->OnAudioStream;
    clientNet->OnAudioStream = [&, toClient](void* b, uint32_t n) {
        atClient.append(static_cast<char*>(b), qsizetype(n));
        toClient(b, n);
    };
    TRAServerNetwork* serverNet = server->RAServer()->ServerSocket();
    auto toServer = serverNet->OnAudioStream;
    serverNet->OnAudioStream = [&, toServer](void* b, uint32_t n) {
        atServer.append(static_cast<char*>(b), qsizetype(n));
        toServer(b, n);
    };
    int codecReplies = 0;
    client->RAClient()->OnCodecChange = [&] { ++codecReplies; };

    client->Connect();
    ASSERT_TRUE(waitUntil([&] { return codecReplies == 1; }, 5000));
    // The received audio is not played here, so that it does not loop back into the capture.
    client->RAClient()->SetMute(true);
    EXPECT_EQ(server->RAAudioIn()->Codec().Codec(), f.codec); // the client chose it
    EXPECT_EQ(receive.Codec(), f.codec);
    EXPECT_TRUE(server->RAServer()->AudioActive());

    // Server to client: the tone from the sink's monitor.
    const int bytesPerSecond = int(server->RAAudioIn()->Codec().ACMWaveFormat().wfx.nAvgBytesPerSec);
    ASSERT_TRUE(waitUntil([&] { return atClient.size() > bytesPerSecond * 8 / 10; }, 4000));
    auto [amplitude, ratio] = Tone700(atClient, f.codec, f.bits);
    EXPECT_GT(amplitude, 5000.0);
    EXPECT_GT(ratio, 100.0);

    // Client to server, keying the transmitter.
    client->SetUsePTT(true);
    client->RAClient()->SetTransmit(true);
    ASSERT_TRUE(client->RAClient()->Transmit());
    ASSERT_TRUE(waitUntil([&] { return ptt->RTS; }));
    EXPECT_TRUE(ptt->DTR);
    EXPECT_EQ(server->PTTStatus(), pttOn);
    ASSERT_TRUE(waitUntil([&] { return atServer.size() > bytesPerSecond * 8 / 10; }, 4000));
    std::tie(amplitude, ratio) = Tone700(atServer, f.codec, f.bits);
    EXPECT_GT(amplitude, 5000.0);
    EXPECT_GT(ratio, 100.0);

    // The time-out (1 s here) releases the line while the client still transmits.
    ASSERT_TRUE(waitUntil([&] { return !ptt->RTS; }, 3000));
    EXPECT_TRUE(client->RAClient()->Transmit());
    EXPECT_EQ(server->PTTStatus(), pttOff);

    // Keyed again, then the only client goes away without releasing: PTT is released and the
    // capture closed.
    client->RAClient()->SetTransmit(false);
    client->RAClient()->SetTransmit(true);
    ASSERT_TRUE(waitUntil([&] { return ptt->RTS; }));
    clientNet->Disconnect();
    ASSERT_TRUE(waitUntil([&] { return !ptt->RTS; }, 900));
    EXPECT_TRUE(waitUntil([&] { return !server->RAAudioIn()->Active(); }));
    EXPECT_FALSE(server->RAServer()->AudioActive());
    EXPECT_EQ(server->RAServer()->ServerSocket()->ConnectedUsersCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, RemoteAudioEndToEnd, ::testing::Values(LinkFormat{PCM11, 16}, LinkFormat{GSM610_8, 16}),
                         [](const auto& info) { return CodecToString(info.param.codec).toStdString(); });

TEST_F(RemoteAudioEndToEnd, AWrongPasswordIsRefusedAndTheClientShowsWhy)
{
    VX_REQUIRE_PULSE();
    client->SetPassword("wrong");
    QStringList statuses;
    client->RAClient()->OnConnectionStatus = [&](TConnectionStatus s, const QString& text) {
        statuses << QStringLiteral("%1 %2").arg(int(s)).arg(text);
    };
    client->Connect();
    ASSERT_TRUE(waitUntil([&] { return client->RAClient()->ConnectionStatus() == cDisconnected; }, 4000));
    vxtest::spin(50);
    EXPECT_EQ(statuses.last(), "6 Invalid user or password");
    EXPECT_EQ(server->RAServer()->ServerSocket()->ConnectedUsersCount(), 0);
    EXPECT_FALSE(server->RAAudioIn()->Active());
    client->RAClient()->OnConnectionStatus = nullptr;
}
