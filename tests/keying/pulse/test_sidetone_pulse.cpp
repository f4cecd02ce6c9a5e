// The sidetone through the real sound server: what it plays on the null sink comes back
// through the sink's monitor as a keyed 700 Hz tone with the element lengths of its speed.
#include "keying/CWSidetone.h"
#include "platform/AudioDevice.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/keying/pulse/Recorder.h"
#include "tests/remote/PulseTest.h"
#include "tests/support/Wait.h"

#include <QMutex>
#include <QMutexLocker>
#include <gtest/gtest.h>

using vxtest::waitUntil;

TEST(SidetonePulse, KeysTestOnTheNullSink)
{
    VX_REQUIRE_PULSE();
    vx::MemoryAudio::use(false);
    const int sink = int(vx::waveOutDeviceNames().indexOf(QStringLiteral("NullSink")));
    const int mic = int(vx::waveInDeviceNames().indexOf(QStringLiteral("NullMic")));
    ASSERT_GE(sink, 0) << vx::waveOutDeviceNames().join(", ").toStdString();
    ASSERT_GE(mic, 0) << vx::waveInDeviceNames().join(", ").toStdString();

    QMutex mutex;
    QStringList events;
    TCWSidetone st;
    st.OnActive = [&](bool v) {
        QMutexLocker lock(&mutex);
        events << QStringLiteral("active %1").arg(v);
    };
    st.OnKeyDown = [&](bool v) {
        QMutexLocker lock(&mutex);
        events << QStringLiteral("key %1").arg(v);
    };
    const auto eventsNow = [&] {
        QMutexLocker lock(&mutex);
        return events;
    };
    st.SetDeviceID(uint32_t(sink));
    st.SetSpeed(20);
    st.SetVolume(4);
    st.Open();
    ASSERT_TRUE(waitUntil([&] { return st.Active(); }));
    EXPECT_TRUE(waitUntil([&] { return eventsNow() == QStringList{"active 1"}; }, 2000)) << eventsNow().join(", ").toStdString();

    // A machine too busy to feed the sound server in time cuts gaps into the tone (a dot
    // split in two reads as another letter): such a take is heard again, at most three times.
    std::vector<double> x;
    for (int take = 0; take < 3; ++take) {
        {
            QMutexLocker lock(&mutex);
            events.clear();
        }
        vxtest::Recorder rec;
        ASSERT_TRUE(rec.Start(uint32_t(mic)));
        vxtest::spin(300);
        st.Send("TEST");
        ASSERT_TRUE(waitUntil([&] { return eventsNow().contains("key 0"); }, 5000));
        EXPECT_EQ(eventsNow(), (QStringList{"key 1", "key 0"}));
        vxtest::spin(800); // the last character and the server's latency
        rec.Stop();
        x = vxtest::Samples(rec.captured);
        if (x.size() > 8000u && vxtest::ReadMorse(x, 480) == "TEST")
            break;
    }
    ASSERT_GT(x.size(), 8000u) << "too little came back";
    EXPECT_EQ(vxtest::ReadMorse(x, 480), "TEST");

    // Element lengths in ms at 20 WPM (a dot is 60 ms): T, E, S (three dots), T, with the
    // letter spaces (three dots) and element spaces (one dot) between them.
    std::vector<double> tones, gaps;
    std::vector<vxtest::ToneRun> runs = vxtest::ToneRuns(x);
    while (!runs.empty() && !runs.front().tone)
        runs.erase(runs.begin());
    while (!runs.empty() && !runs.back().tone)
        runs.pop_back();
    for (const vxtest::ToneRun& r : runs)
        (r.tone ? tones : gaps).push_back(r.samples / 8.0);
    const std::vector<double> wantTones = {180, 60, 60, 60, 60, 180};
    const std::vector<double> wantGaps = {180, 180, 60, 60, 180};
    ASSERT_EQ(tones.size(), wantTones.size());
    ASSERT_EQ(gaps.size(), wantGaps.size());
    for (size_t i = 0; i < tones.size(); ++i)
        EXPECT_NEAR(tones[i], wantTones[i], wantTones[i] * 0.2) << "tone " << i;
    for (size_t i = 0; i < gaps.size(); ++i)
        EXPECT_NEAR(gaps[i], wantGaps[i], wantGaps[i] * 0.2) << "gap " << i;

    // The tone is 700 Hz: the loudest 50 ms hold it far above its neighbours.
    double best = 0, other = 0;
    for (size_t at = 0; at + 400 <= x.size(); at += 200) {
        const std::vector<double> w(x.begin() + qsizetype(at), x.begin() + qsizetype(at) + 400);
        const double p = vxtest::tonePower(w, 700, 8000);
        if (p > best) {
            best = p;
            other = std::max(vxtest::tonePower(w, 500, 8000), vxtest::tonePower(w, 1000, 8000));
        }
    }
    EXPECT_GT(best, 100 * other);

    // Closed and opened again, it reports its state again.
    st.Close();
    ASSERT_TRUE(waitUntil([&] { return !st.Active(); }));
    {
        QMutexLocker lock(&mutex);
        events.clear();
    }
    st.Open();
    ASSERT_TRUE(waitUntil([&] { return st.Active(); }));
    st.Send("E");
    ASSERT_TRUE(waitUntil([&] { return eventsNow().contains("key 0"); }, 5000));
    EXPECT_EQ(eventsNow(), (QStringList{"active 1", "key 1", "key 0"}));
}

namespace {

// A tone's start in recorded sound: where it rises out of silence, how much silence came
// before, and its rise in samples from a fiftieth of its peak to nine tenths of it.
struct Onset {
    size_t at;
    size_t quietBefore;
    int rise;
};

std::vector<Onset> Onsets(const std::vector<double>& x)
{
    double full = 0;
    for (double v : x)
        full = std::max(full, std::abs(v));
    std::vector<Onset> out;
    size_t quiet = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        if (std::abs(x[i]) <= full / 50) {
            ++quiet;
            continue;
        }
        // A zero crossing inside a tone is a sample or two, a gap between elements hundreds.
        if (quiet >= 40) {
            double peak = 0;
            for (size_t k = i; k < std::min(x.size(), i + 80); ++k)
                peak = std::max(peak, std::abs(x[k]));
            size_t j = i;
            while (j < x.size() && std::abs(x[j]) < 0.9 * peak)
                ++j;
            out.push_back({i, quiet, int(j - i)});
        }
        quiet = 0;
    }
    return out;
}

} // namespace

TEST(SidetonePulse, FirstElementAfterSilenceRisesLikeTheOthers)
{
    VX_REQUIRE_PULSE();
    vx::MemoryAudio::use(false);
    const int sink = int(vx::waveOutDeviceNames().indexOf(QStringLiteral("NullSink")));
    ASSERT_GE(sink, 0) << vx::waveOutDeviceNames().join(", ").toStdString();
    TCWSidetone st;
    st.SetDeviceID(uint32_t(sink));
    st.SetSpeed(20);
    st.SetVolume(2);
    st.Open();
    ASSERT_TRUE(waitUntil([&] { return st.Active(); }));

    // A spell: two seconds of silence, then I and E at 20 WPM (three dots of 480 samples, the
    // first right after the silence).  A spell the machine cut up (an element split, shortened
    // or lost) cannot be judged and is played again.
    constexpr int Wanted = 4;
    int judged = 0;
    for (int spell = 0; spell < 3 * Wanted && judged < Wanted; ++spell) {
        vxtest::MonitorRecorder rec;
        if (!rec.Start())
            GTEST_SKIP() << "parec (pulseaudio-utils) did not start";
        vxtest::spin(2000);
        st.Send("IE");
        ASSERT_TRUE(waitUntil([&] { return st.Queued().isEmpty() && !st.KeyDown(); }, 5000));
        vxtest::spin(600);
        rec.Stop();
        const std::vector<double> x = vxtest::Samples(rec.captured);
        std::vector<int> tones;
        for (const vxtest::ToneRun& r : vxtest::ToneRuns(x))
            if (r.tone)
                tones.push_back(r.samples);
        const std::vector<Onset> onsets = Onsets(x);
        const bool whole = tones.size() == 3 && onsets.size() == 3 && onsets[0].quietBefore > 4000
                           && std::all_of(tones.begin(), tones.end(), [](int n) { return std::abs(n - 480) < 96; });
        if (!whole)
            continue;
        ++judged;
        std::string found;
        for (const Onset& o : onsets)
            found += " " + std::to_string(o.at) + "/" + std::to_string(o.quietBefore) + "/" + std::to_string(o.rise);
        // The envelope: 8/9 steps over the first 32 samples of every element.
        EXPECT_NEAR(onsets[1].rise, 30, 4) << "at/silence before/rise:" << found;
        EXPECT_NEAR(onsets[2].rise, onsets[1].rise, 1) << "at/silence before/rise:" << found;
        EXPECT_NEAR(onsets[0].rise, onsets[1].rise, 1) << "the first element after the silence; at/silence before/rise:"
                                                       << found;
    }
    EXPECT_EQ(judged, Wanted) << "too many spells cut up by the machine";
}
