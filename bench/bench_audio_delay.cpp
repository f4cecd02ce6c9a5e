// Radio → client audio delay through the sound server.  The audio server captures the null
// sink's monitor (standing in for the radio's receive audio) and the audio client, connected
// to it over TCP on 127.0.0.1 in this same process, plays what it receives into that sink.  A
// short tone burst played into the sink therefore comes back once through the link; a
// recorder on the monitor hears both, and the time between their onsets, counted in recorded
// samples, is the delay.  The same is measured for a direct loop through the sound server
// (capture handed straight to playback, no link and no capture buffer): what the sound server
// itself adds.  Each session connects anew, waits until start-up is over, sends one burst and
// disconnects.
//
// Target: in every session, link delay <= capture buffer + 20 ms + the direct loop's delay.
// Usage: vx_bench_audio_delay [--sessions N] [--buffer MS] [--codec NAME] [--bits 8|16]
// Exit code 0 when every session meets the target, 1 when one misses, 2 when no sound server
// with the test null sink runs (scripts/pulse-start.sh starts one).
#include "platform/AudioDevice.h"
#include "platform/VolumeControl.h"
#include "remote/CallbackForm.h"
#include "remote/DMAudioClient.h"
#include "remote/DMAudioServer.h"
#include "remote/DMServer.h"
#include "tests/remote/AudioDoubles.h"
#include "tests/support/Wait.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr uint32_t RecordRate = 48000;
constexpr int BurstMs = 5;
constexpr int BurstHz = 1000;
constexpr int Threshold = 8000; // of a burst that reaches about 25,000

vx::WaveFormatEx Pcm(uint32_t rate, uint16_t bits)
{
    vx::WaveFormatEx f;
    f.wFormatTag = vx::WaveFormatPcm;
    f.nChannels = 1;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = uint16_t(bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

std::unique_ptr<vx::WaveHeader> Header(uint32_t bytes)
{
    auto h = std::make_unique<vx::WaveHeader>();
    h->data.assign(bytes, 0);
    h->bufferLength = bytes;
    return h;
}

// Records the sink's monitor without gaps: many short buffers, each queued again at once.
class TRecorder final : public vx::WaveCallback {
public:
    bool Open(uint32_t device)
    {
        if (FDevice.open(device, Pcm(RecordRate, 16), this) != vx::WaveResult::Ok)
            return false;
        for (int i = 0; i < 200; ++i) {
            FHeaders.push_back(Header(RecordRate * 2 / 200)); // 5 ms each, a second in all
            FDevice.addBuffer(FHeaders.back().get());
        }
        return FDevice.start() == vx::WaveResult::Ok;
    }
    void Close() { FDevice.close(); }
    void Clear() { FSamples.clear(); }
    const std::vector<int16_t>& Samples() const { return FSamples; }

    void waveMessage(vx::WaveMessage message, vx::WaveHeader* h) override
    {
        if (message != vx::WaveMessage::InData || !FDevice.isOpen())
            return;
        for (uint32_t i = 0; i + 1 < h->bytesRecorded; i += 2) {
            int16_t s;
            std::memcpy(&s, h->data.data() + i, 2);
            FSamples.push_back(s);
        }
        h->bytesRecorded = 0;
        FDevice.addBuffer(h);
    }

private:
    vx::WaveIn FDevice;
    std::vector<std::unique_ptr<vx::WaveHeader>> FHeaders;
    std::vector<int16_t> FSamples;
};

// Plays a few periods of a tone, in the link's own format, into the sink.
class TBurst final : public vx::WaveCallback {
public:
    bool Open(uint32_t device, const vx::WaveFormatEx& format)
    {
        FFormat = format;
        return FDevice.open(device, format, this) == vx::WaveResult::Ok;
    }
    void Close() { FDevice.close(); }
    void Play()
    {
        const uint32_t rate = FFormat.nSamplesPerSec;
        const int n = int(rate) * BurstMs / 1000;
        auto h = std::make_unique<vx::WaveHeader>();
        for (int i = 0; i < n; ++i) {
            const double v = std::sin(2.0 * M_PI * BurstHz * i / rate) * 0.8;
            if (FFormat.wBitsPerSample == 8) {
                h->data.push_back(char(uint8_t(std::lround(128 + 127 * v))));
            } else {
                const auto s = int16_t(std::lround(32767 * v));
                h->data.push_back(char(s & 0xFF));
                h->data.push_back(char((s >> 8) & 0xFF));
            }
        }
        // Silence after it: the sound server starts a stream only once it holds enough.
        const char zero = FFormat.wBitsPerSample == 8 ? char(128) : char(0);
        h->data.resize(h->data.size() + FFormat.nAvgBytesPerSec / 5, zero);
        h->bufferLength = uint32_t(h->data.size());
        vx::WaveHeader* raw = h.get();
        FPlaying[raw] = std::move(h);
        FDevice.write(raw);
    }
    void waveMessage(vx::WaveMessage message, vx::WaveHeader* h) override
    {
        if (message == vx::WaveMessage::OutDone)
            FPlaying.erase(h);
    }

private:
    vx::WaveOut FDevice;
    vx::WaveFormatEx FFormat;
    std::map<vx::WaveHeader*, std::unique_ptr<vx::WaveHeader>> FPlaying;
};

// The sound server alone: capture handed to playback in 1 ms pieces as soon as it arrives,
// the playback with the same buffer as the audio client's.
class TDirectLoop final : public vx::WaveCallback {
public:
    bool Open(uint32_t mic, uint32_t sink, const vx::WaveFormatEx& format, uint32_t bufferMs)
    {
        FOut.setBufferLength(bufferMs);
        if (FOut.open(sink, format, this) != vx::WaveResult::Ok || FIn.open(mic, format, this) != vx::WaveResult::Ok)
            return false;
        const uint32_t piece = std::max<uint32_t>(format.nBlockAlign, format.nAvgBytesPerSec / 1000);
        for (int i = 0; i < 500; ++i) {
            FHeaders.push_back(Header(piece));
            FIn.addBuffer(FHeaders.back().get());
        }
        return FIn.start() == vx::WaveResult::Ok;
    }
    void Close()
    {
        FIn.close();
        FOut.close();
        FPlaying.clear();
        FHeaders.clear();
    }
    void waveMessage(vx::WaveMessage message, vx::WaveHeader* h) override
    {
        if (message == vx::WaveMessage::OutDone) {
            FPlaying.erase(h);
        } else if (message == vx::WaveMessage::InData && FIn.isOpen()) {
            if (h->bytesRecorded > 0) {
                auto out = Header(h->bytesRecorded);
                std::memcpy(out->data.data(), h->data.data(), h->bytesRecorded);
                vx::WaveHeader* raw = out.get();
                FPlaying[raw] = std::move(out);
                FOut.write(raw);
            }
            h->bytesRecorded = 0;
            FIn.addBuffer(h);
        }
    }

private:
    vx::WaveIn FIn;
    vx::WaveOut FOut;
    std::vector<std::unique_ptr<vx::WaveHeader>> FHeaders;
    std::map<vx::WaveHeader*, std::unique_ptr<vx::WaveHeader>> FPlaying;
};

// Milliseconds from the burst's onset to the onset of its first return, or nothing when the
// recording holds no burst followed by silence and a return.
std::optional<double> Delay(const std::vector<int16_t>& x)
{
    const auto loud = [&](size_t i) { return std::abs(int(x[i])) > Threshold; };
    size_t i = 0;
    while (i < x.size() && !loud(i))
        ++i;
    if (i == x.size())
        return std::nullopt;
    const size_t burst = i;
    // The burst ends with 2 ms of silence.
    const size_t quiet = RecordRate * 2 / 1000;
    size_t run = 0;
    for (++i; i < x.size() && run < quiet; ++i)
        run = loud(i) ? 0 : run + 1;
    while (i < x.size() && !loud(i))
        ++i;
    if (i == x.size())
        return std::nullopt;
    return double(i - burst) * 1000.0 / RecordRate;
}

int IndexOf(const QStringList& names, const char* name)
{
    return int(names.indexOf(QString::fromLatin1(name)));
}

bool Check(const char* what, bool ok)
{
    std::printf("%-60s %s\n", what, ok ? "ok" : "MISSED");
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    int sessions = 5;
    int bufferMs = 20;
    TCodec codec = PCM8;
    int bits = 8;
    const QStringList args = app.arguments();
    for (qsizetype a = 1; a + 1 < args.size(); a += 2) {
        if (args[a] == "--sessions")
            sessions = std::max(1, args[a + 1].toInt());
        else if (args[a] == "--buffer")
            bufferMs = std::max(10, args[a + 1].toInt());
        else if (args[a] == "--codec")
            codec = StringToCodec(args[a + 1]);
        else if (args[a] == "--bits")
            bits = args[a + 1].toInt() == 16 ? 16 : 8;
    }
    if (IsGSMCodec(codec)) {
        std::fprintf(stderr, "vx_bench_audio_delay: measures PCM links only\n");
        return 1;
    }

    vx::VolumeControl probe;
    const int sink = IndexOf(vx::waveOutDeviceNames(), "NullSink");
    const int mic = IndexOf(vx::waveInDeviceNames(), "NullMic");
    if (!probe.connectToServer() || sink < 0 || mic < 0) {
        std::fprintf(stderr, "vx_bench_audio_delay: no sound server with the test null sink in XDG_RUNTIME_DIR; "
                             "start one with scripts/pulse-start.sh (after sourcing scripts/test-env.sh)\n");
        return 2;
    }

    TRACodec format;
    format.SetCodec(codec);
    format.SetBitsPerSample(uint8_t(bits));
    format.SetChannels(1);
    const vx::WaveFormatEx wave = format.ACMWaveFormat().wfx;

    TRecorder recorder;
    TBurst burst;
    if (!recorder.Open(uint32_t(mic)) || !burst.Open(uint32_t(sink), wave)) {
        std::fprintf(stderr, "vx_bench_audio_delay: cannot open the null sink or its monitor\n");
        return 2;
    }

    // One measurement: the loop runs, start-up settles, a burst goes out and its return is
    // timed; then the loop stops and the sink falls silent again.
    const auto measure = [&](const std::function<bool()>& start, const std::function<void()>& stop) -> std::optional<double> {
        const bool started = start();
        vxtest::spin(1000);
        recorder.Clear();
        vxtest::spin(100);
        if (started)
            burst.Play();
        vxtest::spin(600);
        const std::optional<double> delay = started ? Delay(recorder.Samples()) : std::nullopt;
        stop();
        vxtest::spin(300);
        return delay;
    };

    // The audio client module as the client program sets it up; the direct loop plays
    // with the same buffer.
    TDMAudioClient client;
    TCallbackForm clientRouter;
    clientRouter.SetClientAudio(client.RAAudioIn(), client.RAAudioOut());
    clientRouter.SetApplicationType(isRemoteClient);
    TRACodec& receive = client.RAAudioOut()->Codec();
    receive.SetCodec(codec);
    receive.SetBitsPerSample(uint8_t(bits));
    receive.SetChannels(1);
    receive.SetDeviceID(uint32_t(sink));
    client.SetHost("127.0.0.1");
    client.SetUsername("W1AW");
    client.SetPassword("bench");
    const uint32_t playbackMs = client.RAAudioOut()->Codec().BufferLength();

    std::printf("codec %s, %d bit, capture buffer %d ms, playback buffer %u ms, %d sessions\n",
                qPrintable(CodecToString(codec)), bits, bufferMs, playbackMs, sessions);

    // The sound server alone.
    std::vector<double> direct;
    for (int s = 0; s < sessions; ++s) {
        TDirectLoop loop;
        const auto d = measure([&] { return loop.Open(uint32_t(mic), uint32_t(sink), wave, playbackMs); }, [&] { loop.Close(); });
        if (d)
            direct.push_back(*d);
        std::printf("direct loop %d: %s\n", s + 1, d ? qPrintable(QString::number(*d, 'f', 1) + " ms") : "no return heard");
    }
    if (direct.empty()) {
        std::printf("FAIL\n");
        return 1;
    }
    std::vector<double> sorted = direct;
    std::sort(sorted.begin(), sorted.end());
    const double soundServer = sorted[sorted.size() / 2];
    const double limit = soundServer + bufferMs + 20.0;
    std::printf("sound server alone (median): %.1f ms; limit for the link: %.1f ms\n", soundServer, limit);

    // The link: the audio server module as the server program sets it up.
    TDMServer control;
    control.SetUsers({"W1AW"});
    control.SetPassword("bench");
    TDMAudioServer server;
    server.SetServer(&control);
    server.RAAudioIn()->Codec().SetDeviceID(uint32_t(mic));
    server.RAAudioIn()->Codec().SetBufferLength(uint16_t(bufferMs));
    server.RAAudioOut()->SetEnabled(false); // nothing is sent towards the radio here
    TCallbackForm serverRouter;
    serverRouter.SetServerAudio(server.RAAudioIn(), server.RAAudioOut());
    serverRouter.SetApplicationType(isRemoteServer);
    const quint16 port = vxtest::FreeAudioPort();
    server.SetActivateServer(true);
    server.RAServer()->SetAudioPort(port);
    server.Open();
    if (!server.RAServer()->ServerSocket()->Active()) {
        std::fprintf(stderr, "vx_bench_audio_delay: the audio server cannot listen on port %u\n", port);
        return 1;
    }
    client.SetAudioPort(port);

    bool ok = true;
    for (int s = 0; s < sessions; ++s) {
        const auto d = measure(
            [&] {
                int replies = 0;
                client.RAClient()->OnCodecChange = [&] { ++replies; };
                client.Connect();
                const bool up = vxtest::waitUntil([&] { return replies > 0 && client.RAAudioOut()->Active(); }, 5000);
                client.RAClient()->OnCodecChange = nullptr;
                return up;
            },
            [&] { client.Disconnect(); });
        if (d)
            std::printf("session %d: %.1f ms (%.1f ms over the sound server alone)\n", s + 1, *d, *d - soundServer);
        else
            std::printf("session %d: no return heard\n", s + 1);
        ok &= d && *d <= limit;
    }
    server.Close();
    burst.Close();
    recorder.Close();
    vxtest::spin(100);

    ok = Check(qPrintable(QStringLiteral("every session within %1 ms").arg(limit, 0, 'f', 1)), ok);
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
