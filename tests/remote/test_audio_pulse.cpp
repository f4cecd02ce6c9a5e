// Capture and playback through the real sound server: a tone played on the null sink comes
// back through its monitor.
#include "PulseTest.h"
#include "platform/GsmCodec.h"
#include "remote/CallbackForm.h"
#include "remote/RAAudio.h"
#include "tests/support/Wait.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

int indexOf(const QStringList& names, const QString& name)
{
    return int(names.indexOf(name));
}

struct RoundTrip {
    TCodec codec;
    uint8_t bits;
};

class PulseRoundTrip : public ::testing::TestWithParam<RoundTrip> {
};

} // namespace

TEST_P(PulseRoundTrip, TonePlayedComesBackThroughTheMonitor)
{
    VX_REQUIRE_PULSE();
    vx::MemoryAudio::use(false);
    const int sink = indexOf(vx::waveOutDeviceNames(), QStringLiteral("NullSink"));
    const int mic = indexOf(vx::waveInDeviceNames(), QStringLiteral("NullMic"));
    ASSERT_GE(sink, 0) << vx::waveOutDeviceNames().join(", ").toStdString();
    ASSERT_GE(mic, 0) << vx::waveInDeviceNames().join(", ").toStdString();

    const RoundTrip p = GetParam();
    TCallbackForm router;
    TRAAudio in, out;
    in.SetAudioComponent(actWaveIn);
    in.Prepare();
    out.SetAudioComponent(actWaveOut);
    out.Prepare();
    for (TRAAudio* a : {&in, &out}) {
        a->Codec().SetCodec(p.codec);
        a->Codec().SetBitsPerSample(p.bits);
        a->Codec().SetChannels(1);
        a->Codec().SetBufferLength(20);
    }
    in.Codec().SetDeviceID(uint32_t(mic));
    out.Codec().SetDeviceID(uint32_t(sink));
    out.Codec().SetBufferLength(2000); // the whole tone is written at once
    router.SetServerAudio(&in, &out);
    router.SetApplicationType(isRemoteServer);

    QByteArray captured;
    QStringList errors;
    in.OnAudioData = [&](void* data, uint32_t size) { captured.append(static_cast<char*>(data), qsizetype(size)); };
    in.OnException = [&](const QString& m) { errors << m; };
    out.OnException = [&](const QString& m) { errors << m; };

    in.SetActive(true);
    out.Open();
    ASSERT_TRUE(in.Active()) << errors.join('|').toStdString();
    ASSERT_TRUE(vxtest::waitUntil([&] { return out.Active(); })) << errors.join('|').toStdString();

    // One second of 700 Hz in 20 ms blocks, in the direction's own format (GSM is made from
    // 16-bit samples).
    const double rate = in.Codec().SamplesPerSec();
    const bool eightBit = p.bits == 8 && !IsGSMCodec(p.codec);
    const auto tone = vxtest::sine(700, rate, int(rate), 12000);
    QByteArray pcm;
    for (double v : tone) {
        const int16_t s = int16_t(std::lround(v));
        if (eightBit) {
            pcm.append(char(uint8_t(128 + s / 256)));
        } else {
            pcm.append(char(s & 0xFF));
            pcm.append(char((s >> 8) & 0xFF));
        }
    }
    QByteArray stream = pcm;
    if (IsGSMCodec(p.codec)) {
        vx::GsmEncoder enc;
        stream = enc.feed(pcm.constData(), size_t(pcm.size()));
    }
    const int block = int(in.Codec().BufferSize());
    for (qsizetype at = 0; at < stream.size(); at += block)
        out.Play(stream.constData() + at, int(std::min<qsizetype>(block, stream.size() - at)));

    // Wait until the tone has played through, plus the sound server's latency; a busy machine
    // delivers the capture late, so it is waited for until more than a second came back.
    vxtest::spin(1600);
    const auto samplesBack = [&] {
        return IsGSMCodec(p.codec) ? captured.size() / vx::GsmBytesPerBlock * vx::GsmSamplesPerBlock
                                   : captured.size() / (eightBit ? 1 : 2);
    };
    vxtest::waitUntil([&] { return samplesBack() > qsizetype(rate * 1.1); }, 5000);
    in.SetActive(false);
    out.Close();
    vxtest::spin(50);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('|').toStdString();

    QByteArray back = captured;
    if (IsGSMCodec(p.codec)) {
        vx::GsmDecoder dec;
        back = dec.feed(captured.constData(), size_t(captured.size()));
    }
    std::vector<double> x;
    if (eightBit) {
        for (char c : back)
            x.push_back((double(uint8_t(c)) - 128.0) * 256.0);
    } else {
        for (qsizetype i = 0; i + 1 < back.size(); i += 2)
            x.push_back(double(int16_t(uint16_t(uint8_t(back[i])) | uint16_t(uint8_t(back[i + 1])) << 8)));
    }
    ASSERT_GT(x.size(), size_t(rate)) << "too little came back";

    // Strongest 100 ms window at 700 Hz: it must hold the tone's energy, well above other
    // frequencies.
    const int win = int(rate / 10);
    double best700 = 0, other = 0, total = 0;
    for (size_t at = 0; at + size_t(win) <= x.size(); at += size_t(win) / 2) {
        std::vector<double> w(x.begin() + qsizetype(at), x.begin() + qsizetype(at) + win);
        const double p700 = vxtest::tonePower(w, 700, rate);
        if (p700 > best700) {
            best700 = p700;
            other = std::max({vxtest::tonePower(w, 400, rate), vxtest::tonePower(w, 1100, rate), vxtest::tonePower(w, 1900, rate)});
            total = 0;
            for (double v : w)
                total += v * v;
            total /= double(w.size());
        }
    }
    // A sine of amplitude A has Goertzel power A²/4 here; the tone went out at 12000.
    const double amplitude = 2.0 * std::sqrt(best700);
    EXPECT_GT(amplitude, 6000.0);
    EXPECT_GT(best700, 100.0 * other);
    EXPECT_GT(2.0 * best700 / total, 0.8); // most of the window's energy is the tone
}

INSTANTIATE_TEST_SUITE_P(Formats, PulseRoundTrip,
                         ::testing::Values(RoundTrip{PCM8, 16}, RoundTrip{PCM22, 8}, RoundTrip{GSM610_8, 8}),
                         [](const auto& info) {
                             return CodecToString(info.param.codec).toStdString() + "_" + std::to_string(info.param.bits) + "bit";
                         });

TEST(PulseDevices, MissingDeviceIsReported)
{
    VX_REQUIRE_PULSE();
    vx::MemoryAudio::use(false);
    TCallbackForm router;
    TRAAudio out;
    out.SetAudioComponent(actWaveOut);
    out.Prepare();
    out.Codec().SetDeviceID(999);
    router.SetClientAudio(nullptr, &out);
    router.SetApplicationType(isRemoteClient);
    QStringList errors;
    out.OnException = [&](const QString& m) { errors << m; };
    out.Open();
    out.Open();
    EXPECT_EQ(errors, QStringList{"Cannot open Audio Output Device!\n\rThe specified resource does not exist."});
}

// Qt asks the sound server to drain a playback stream each time it runs dry and hands the
// answer to the sink object, even when it arrives after the stream was closed; playbacks that
// run dry over and over and are closed at any moment must leave no sink behind to be freed
// before that answer.
TEST(PulseDevices, PlaybacksClosedWhileRunningDryLeaveNothingBehind)
{
    VX_REQUIRE_PULSE();
    vx::MemoryAudio::use(false);
    const int sink = indexOf(vx::waveOutDeviceNames(), QStringLiteral("NullSink"));
    ASSERT_GE(sink, 0);
    struct Ignore : vx::WaveCallback {
        void waveMessage(vx::WaveMessage, vx::WaveHeader*) override {}
    } callback;
    const vx::WaveFormatEx f = TRACodec().ACMWaveFormat().wfx; // PCM8, 8-bit mono
    constexpr int Streams = 4;
    std::vector<vx::WaveHeader> blocks(Streams * 60);
    for (vx::WaveHeader& b : blocks) {
        b.data.assign(8, char(128)); // a millisecond
        b.bufferLength = 8;
    }
    for (int i = 0; i < 40; ++i) {
        std::vector<std::unique_ptr<vx::WaveOut>> outs;
        for (int s = 0; s < Streams; ++s) {
            outs.push_back(std::make_unique<vx::WaveOut>());
            outs.back()->setBufferLength(10);
            ASSERT_EQ(outs.back()->open(uint32_t(sink), f, &callback), vx::WaveResult::Ok);
        }
        // A millisecond at a time, about as fast as it is played, so each stream runs dry
        // now and then.
        for (size_t b = 0; b < blocks.size(); b += Streams) {
            for (int s = 0; s < Streams; ++s)
                outs[size_t(s)]->write(&blocks[b + size_t(s)]);
            QCoreApplication::processEvents();
            QThread::usleep(900 + 50 * unsigned((i + int(b)) % 5));
        }
        for (auto& out : outs)
            out->close();
    }
    vxtest::spin(200);
}
