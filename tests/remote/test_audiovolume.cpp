// Volume control against the real sound server: what we set is what pactl sees, and what
// pactl changes reaches our events.
#include "PulseTest.h"
#include "remote/AudioVolume.h"
#include "remote/CallbackForm.h"
#include "remote/RAAudio.h"
#include "tests/support/Wait.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct VolumeEvent {
    bool byMe;
    float volume;
    bool mute;
};

class AudioVolumeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VX_REQUIRE_PULSE();
        vx::MemoryAudio::use(false);
        volume = std::make_unique<TAudioVolume>();
        ASSERT_TRUE(volume->Ready()) << volume->LastError().toStdString();
        volume->OnMasterVolumeEvent = [this](bool by, float v, bool m) { master.push_back({by, v, m}); };
        volume->OnVolumeEvent = [this](bool by, float v, bool m) { session.push_back({by, v, m}); };
        for (uint32_t i = 0; i < volume->AudioDeviceCount(); ++i)
            if (volume->AudioDeviceInfo(i).DeviceId == "null")
                nullIndex = int(i);
        ASSERT_GE(nullIndex, 0);
    }
    void TearDown() override
    {
        if (!vxtest::pulseReachable())
            return;
        vxtest::pactl({"set-sink-volume", "null", "100%"});
        vxtest::pactl({"set-sink-mute", "null", "0"});
        vxtest::pactl({"set-default-sink", "null"});
    }

    // Plays a tone on the null sink through a playback component, so this process has a stream.
    void startStream()
    {
        const int sink = int(vx::waveOutDeviceNames().indexOf(QStringLiteral("NullSink")));
        ASSERT_GE(sink, 0);
        out.SetAudioComponent(actWaveOut);
        out.Prepare();
        out.Codec().SetCodec(PCM8);
        out.Codec().SetBitsPerSample(16);
        out.Codec().SetDeviceID(uint32_t(sink));
        out.Codec().SetBufferLength(4000); // the whole tone is written at once
        router.SetClientAudio(nullptr, &out);
        router.SetApplicationType(isRemoteClient);
        out.Open();
        const auto tone = vxtest::sine(700, 8000, 8000 * 3, 12000);
        QByteArray pcm;
        for (double v : tone) {
            const int16_t s = int16_t(v);
            pcm.append(char(s & 0xFF));
            pcm.append(char((s >> 8) & 0xFF));
        }
        for (qsizetype at = 0; at < pcm.size(); at += 320)
            out.Play(pcm.constData() + at, 320);
    }

    std::unique_ptr<TAudioVolume> volume;
    int nullIndex = -1;
    std::vector<VolumeEvent> master, session;
    TCallbackForm router;
    TRAAudio out;
};

} // namespace

TEST_F(AudioVolumeTest, DeviceListAndSelection)
{
    EXPECT_FALSE(volume->WindowXPMode());
    EXPECT_EQ(volume->DefaultAudioDevice().DeviceId, "null");
    EXPECT_EQ(volume->DefaultAudioDevice().DeviceName, "NullSink");
    EXPECT_TRUE(volume->AudioDeviceInfo(volume->AudioDeviceCount()).DeviceId.isEmpty());

    EXPECT_FALSE(volume->SelectAudioDevice(volume->AudioDeviceCount()));
    ASSERT_TRUE(volume->SelectAudioDevice(uint32_t(nullIndex)));
    EXPECT_EQ(volume->SelectedDevice().DeviceId, "null");
    EXPECT_EQ(volume->MasterChannels(), 2u);
    EXPECT_EQ(volume->DeviceMixFormat().nSamplesPerSec, 48000u);
    EXPECT_EQ(volume->DeviceMixFormat().nChannels, 2);
    // Selecting the selected device again changes nothing.
    EXPECT_FALSE(volume->SelectAudioDevice(uint32_t(nullIndex)));
}

TEST_F(AudioVolumeTest, MasterVolumeAndMuteBothWays)
{
    ASSERT_TRUE(volume->SelectAudioDevice(uint32_t(nullIndex)));

    volume->SetMasterVolume(0.5f);
    EXPECT_TRUE(vxtest::pactl({"get-sink-volume", "null"}).contains(" 50%"));
    EXPECT_NEAR(volume->GetMasterVolume(), 0.5f, 0.001f);
    ASSERT_TRUE(vxtest::waitUntil([&] { return !master.empty(); }));
    EXPECT_TRUE(master.back().byMe);
    EXPECT_NEAR(master.back().volume, 0.5f, 0.001f);

    volume->SetMasterVolume(1.5f); // out of range: ignored
    volume->SetMasterVolume(-0.1f);
    EXPECT_NEAR(volume->GetMasterVolume(), 0.5f, 0.001f);

    volume->SetMasterMute(true);
    EXPECT_TRUE(vxtest::pactl({"get-sink-mute", "null"}).contains("yes"));
    EXPECT_TRUE(volume->IsMasterMuted());
    ASSERT_TRUE(vxtest::waitUntil([&] { return master.size() >= 2; }));
    EXPECT_TRUE(master.back().byMe);
    EXPECT_TRUE(master.back().mute);

    // A change made elsewhere.
    master.clear();
    vxtest::pactl({"set-sink-volume", "null", "30%"});
    ASSERT_TRUE(vxtest::waitUntil([&] { return !master.empty(); }));
    EXPECT_FALSE(master.back().byMe);
    EXPECT_NEAR(master.back().volume, 0.3f, 0.001f);
    EXPECT_TRUE(master.back().mute);

    // Suppressed events: nothing arrives.
    volume->SetSuppressEvent(true);
    master.clear();
    vxtest::pactl({"set-sink-mute", "null", "0"});
    vxtest::spin(200);
    EXPECT_TRUE(master.empty());
    EXPECT_FALSE(volume->IsMasterMuted());
}

TEST_F(AudioVolumeTest, ProgramVolumeFollowsItsStreams)
{
    int state = -1;
    volume->OnSessionStateEvent = [&](int s) { state = s; };
    volume->SetVolume(1.5f); // ignored
    EXPECT_FLOAT_EQ(volume->GetVolume(), 1.0f);

    startStream();
    ASSERT_TRUE(vxtest::waitUntil([&] { return state == AudioSessionStateActive; }));

    volume->SetVolume(0.5f);
    ASSERT_TRUE(vxtest::waitUntil([&] { return !session.empty(); }));
    EXPECT_TRUE(session.back().byMe);
    EXPECT_NEAR(session.back().volume, 0.5f, 0.001f);
    EXPECT_NEAR(volume->GetVolume(), 0.5f, 0.001f);

    // pactl sees our stream at 50 %, and a change made there comes back as someone else's.
    const QString inputs = vxtest::pactl({"list", "sink-inputs"});
    const QString pidLine = QStringLiteral("application.process.id = \"%1\"").arg(getpid());
    qsizetype at = inputs.indexOf(pidLine);
    ASSERT_GE(at, 0) << inputs.toStdString();
    const qsizetype start = inputs.lastIndexOf(QStringLiteral("Sink Input #"), at);
    const QString block = inputs.mid(start, at - start);
    EXPECT_TRUE(block.contains(" 50%")) << block.toStdString();
    const QString index = QRegularExpression(QStringLiteral("Sink Input #(\\d+)")).match(block).captured(1);

    session.clear();
    vxtest::pactl({"set-sink-input-volume", index, "80%"});
    ASSERT_TRUE(vxtest::waitUntil([&] { return !session.empty(); }));
    EXPECT_FALSE(session.back().byMe);
    EXPECT_NEAR(session.back().volume, 0.8f, 0.001f);

    volume->SetMute(true);
    ASSERT_TRUE(vxtest::waitUntil([&] { return session.back().mute; }));
    EXPECT_TRUE(session.back().byMe);
    EXPECT_TRUE(volume->IsMuted());
    volume->SetMute(false);

    // Peak meters see the tone.
    ASSERT_TRUE(volume->SelectAudioDevice(uint32_t(nullIndex)));
    EXPECT_TRUE(volume->SetupPeakMeter());
    volume->GetMasterPeak();
    EXPECT_TRUE(vxtest::waitUntil([&] { return volume->GetPeak() > 0.05f && volume->GetMasterPeak() > 0.05f; }, 2000))
        << volume->GetPeak() << " " << volume->GetMasterPeak();

    out.Close();
    EXPECT_TRUE(vxtest::waitUntil([&] { return state == AudioSessionStateInactive; }));
}

TEST_F(AudioVolumeTest, DeviceAndDefaultDeviceChanges)
{
    std::vector<std::pair<QString, uint32_t>> changes;
    QString newDefault;
    volume->OnDeviceStateChange = [&](const QString& id, uint32_t st) { changes.emplace_back(id, st); };
    volume->OnDefaultDeviceChange = [&](TDeviceInfo& d) { newDefault = d.DeviceId + "/" + d.DeviceName; };
    const uint32_t before = volume->AudioDeviceCount();

    bool ok = false;
    const QString module = vxtest::pactl({"load-module", "module-null-sink", "sink_name=vxsecond",
                                          "sink_properties=device.description=SecondSink"},
                                         &ok)
                               .trimmed();
    ASSERT_TRUE(ok);
    ASSERT_TRUE(vxtest::waitUntil([&] { return !changes.empty(); }));
    EXPECT_EQ(changes.back(), std::make_pair(QStringLiteral("vxsecond"), DeviceStateAdded));
    EXPECT_EQ(volume->AudioDeviceCount(), before + 1);

    vxtest::pactl({"set-default-sink", "vxsecond"});
    ASSERT_TRUE(vxtest::waitUntil([&] { return !newDefault.isEmpty(); }));
    EXPECT_EQ(newDefault, "vxsecond/SecondSink");
    EXPECT_EQ(volume->DefaultAudioDevice().DeviceId, "vxsecond");

    vxtest::pactl({"set-default-sink", "null"});
    ASSERT_TRUE(vxtest::waitUntil([&] { return volume->DefaultAudioDevice().DeviceId == "null"; }));

    changes.clear();
    vxtest::pactl({"unload-module", module});
    ASSERT_TRUE(vxtest::waitUntil([&] { return !changes.empty(); }));
    EXPECT_EQ(changes.back(), std::make_pair(QStringLiteral("vxsecond"), DeviceStateRemoved));
    EXPECT_EQ(volume->AudioDeviceCount(), before);
}
