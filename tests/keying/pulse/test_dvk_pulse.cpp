// A remote client plays a voice message's sound file along with the server's router: the
// file sounds on the null sink in the background while the program goes on, and the abort
// action silences it.
#include "core/DMApplication.h"
#include "keying/DMDVK.h"
#include "keying/DMMessages.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/keying/pulse/Recorder.h"
#include "tests/keying/pulse/ToneFile.h"
#include "tests/remote/PulseTest.h"
#include "tests/support/Wait.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Power of the tone in 50 ms windows of the captured sound from `from` (a sample index) on:
// the loudest window.
double TonePeak(const QByteArray& captured, qsizetype from, double hz)
{
    const std::vector<double> x = vxtest::Samples(captured);
    double best = 0;
    for (size_t at = size_t(std::max<qsizetype>(0, from)); at + 400 <= x.size(); at += 200)
        best = std::max(best, vxtest::tonePower(std::vector<double>(x.begin() + qsizetype(at), x.begin() + qsizetype(at) + 400), hz, 8000));
    return best;
}

} // namespace

TEST(DVKPulse, AClientPlaysTheMessageFileInTheBackgroundUntilEscape)
{
    VX_REQUIRE_PULSE();
    vx::MemoryAudio::use(false);
    const int mic = int(vx::waveInDeviceNames().indexOf(QStringLiteral("NullMic")));
    ASSERT_GE(mic, 0) << vx::waveInDeviceNames().join(", ").toStdString();

    // The monitor takes a while to deliver its first sound.
    vxtest::Recorder rec;
    ASSERT_TRUE(rec.Start(uint32_t(mic)));
    ASSERT_TRUE(vxtest::waitUntil([&] { return rec.captured.size() >= 3200; }, 10000));
    ScopedConfigHome home;
    QTemporaryDir dir;
    const QString folder = dir.filePath("voice msgs");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(vxtest::WriteToneFile(folder + "/msg4.wav", 1000, 4000));

    TApplicationRole dm;
    TDMApplication app;
    app.SetDM(&dm);
    app.IniRegistry()->WriteInteger("Client\\Application", "ApplicationType", isRemoteClient);
    app.IniRead();
    ASSERT_EQ(dm.ApplicationType(), isRemoteClient);
    RecordingClient client;
    TDMMessages msgs;
    TDMDVK dvk;
    dvk.SetDM(&dm);
    dvk.SetClient(&client);
    dvk.SetMessages(&msgs);
    dvk.SetPlayMessages(true);
    dvk.SetPlayMessagesFolder(folder);
    dvk.Open();
    msgs.SetDM(&dm);
    msgs.SetDVK(&dvk);
    msgs.SetModeType(mtPhone);

    vxtest::spin(300);
    const double quiet = TonePeak(rec.captured, 0, 1000);

    // A 10 ms timer of the GUI thread keeps its pace while the file plays.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longestGap = 0;
    int ticks = 0;
    QTimer gui;
    QObject::connect(&gui, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestGap = std::max(longestGap, now - last);
        last = now;
        ++ticks;
    });
    gui.start(10);

    QElapsedTimer call;
    call.start();
    msgs.MessageAction(4)->trigger();
    const qint64 callMs = call.elapsed();
    EXPECT_EQ(client.Lines, QStringList{"DV:MP4;"});
    EXPECT_TRUE(dvk.MessageFilePlaying());
    EXPECT_LT(callMs, 1000) << "the call waited for the sound";

    const qsizetype started = rec.captured.size() / 2;
    vxtest::spin(1200);
    EXPECT_TRUE(dvk.MessageFilePlaying());
    EXPECT_GT(ticks, 40);
    EXPECT_LT(longestGap, 500);
    const double playing = TonePeak(rec.captured, started, 1000);
    EXPECT_GT(playing, 100 * std::max(quiet, 1.0)) << "the file did not sound on the sink";

    // Escape asks the server's router to stop and silences this computer.
    msgs.EscapeAction->trigger();
    EXPECT_EQ(client.Lines, (QStringList{"DV:MP4;", "DV:MA;"}));
    EXPECT_FALSE(dvk.MessageFilePlaying());
    vxtest::spin(400); // the sound server's latency
    const qsizetype stopped = rec.captured.size() / 2;
    vxtest::spin(600);
    rec.Stop();
    EXPECT_LT(TonePeak(rec.captured, stopped, 1000), playing / 100) << "still sounding after Escape";
}
