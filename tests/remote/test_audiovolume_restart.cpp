// Volume control while the sound server goes away and comes back.  A sound server of this
// test's own, on a socket of its own, so the daemon the other audio tests share is never
// touched.
#include "PulseTest.h"
#include "platform/Clock.h"
#include "remote/AudioVolume.h"
#include "tests/support/Wait.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

class PrivateSoundServer {
public:
    PrivateSoundServer()
    {
        QFile config(FDir.filePath("server.pa"));
        if (config.open(QIODevice::WriteOnly))
            config.write("load-module module-native-protocol-unix auth-anonymous=1 socket=" + Socket().toUtf8() + "\n"
                         "load-module module-null-sink sink_name=vxprivate "
                         "sink_properties=device.description=PrivateSink\n"
                         "set-default-sink vxprivate\n");
    }
    ~PrivateSoundServer() { Kill(); }

    QString Socket() const { return FDir.filePath("native"); }
    QString Address() const { return QStringLiteral("unix:") + Socket(); }
    QString Log() const
    {
        QFile f(FDir.filePath("server.log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
    }

    // Starts the daemon and waits until it answers.
    bool Start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QDir(FDir.path()).mkpath("runtime");
        env.insert("XDG_RUNTIME_DIR", FDir.filePath("runtime"));
        env.remove("PULSE_SERVER");
        FDaemon.setProcessEnvironment(env);
        FDaemon.setProcessChannelMode(QProcess::MergedChannels);
        FDaemon.start(QStringLiteral("pulseaudio"),
                      {"-n", "-F", FDir.filePath("server.pa"), "--daemonize=no", "--exit-idle-time=-1",
                       "--disallow-exit=yes", "--use-pid-file=no", "--log-target=file:" + FDir.filePath("server.log")});
        if (!FDaemon.waitForStarted(5000))
            return false;
        return vxtest::waitUntil([this] {
            QProcess probe;
            QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
            e.insert("PULSE_SERVER", Address());
            probe.setProcessEnvironment(e);
            probe.start(QStringLiteral("pactl"), {"info"});
            return probe.waitForFinished(2000) && probe.exitCode() == 0;
        }, 10000);
    }

    // Ends it as a crash would: no goodbye to its clients.
    void Kill()
    {
        if (FDaemon.state() == QProcess::NotRunning)
            return;
        FDaemon.kill();
        FDaemon.waitForFinished(5000);
    }

private:
    QTemporaryDir FDir;
    QProcess FDaemon;
};

// Points this process's sound server connections somewhere else for a while.
class ScopedPulseServer {
public:
    explicit ScopedPulseServer(const QString& address)
        : FOld(qgetenv("PULSE_SERVER"))
        , FHad(qEnvironmentVariableIsSet("PULSE_SERVER"))
    {
        qputenv("PULSE_SERVER", address.toUtf8());
    }
    ~ScopedPulseServer()
    {
        if (FHad)
            qputenv("PULSE_SERVER", FOld);
        else
            qunsetenv("PULSE_SERVER");
    }

private:
    QByteArray FOld;
    bool FHad;
};

struct ManualClock {
    ManualClock() { vx::Clock::useManual(); }
    ~ManualClock() { vx::Clock::useSystem(); }
};

QStringList DeviceIds(const TAudioVolume& v)
{
    QStringList ids;
    for (uint32_t i = 0; i < v.AudioDeviceCount(); ++i)
        ids << v.AudioDeviceInfo(i).DeviceId;
    return ids;
}

} // namespace

#define VX_REQUIRE_PULSEAUDIO()                                                                     \
    do {                                                                                           \
        if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() ||              \
            QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty())                     \
            GTEST_SKIP() << "pulseaudio and pactl are needed for a sound server of the test's own"; \
    } while (0)

using Changes = std::vector<std::pair<QString, uint32_t>>;

TEST(AudioVolumeServer, FollowsTheSoundServerThroughACrashAndARestart)
{
    VX_REQUIRE_PULSEAUDIO();
    ManualClock clock;
    PrivateSoundServer server;
    ScopedPulseServer pointAt(server.Address());
    ASSERT_TRUE(server.Start()) << server.Log().toStdString();

    TAudioVolume volume;
    ASSERT_TRUE(volume.Ready()) << volume.LastError().toStdString();
    EXPECT_EQ(DeviceIds(volume), QStringList{"vxprivate"});
    ASSERT_TRUE(volume.SelectAudioDevice(0));
    Changes changes;
    volume.OnDeviceStateChange = [&](const QString& id, uint32_t st) { changes.emplace_back(id, st); };

    // The server dies: not ready, the device reported gone, and no change is taken that
    // could not be applied.
    server.Kill();
    ASSERT_TRUE(vxtest::waitUntil([&] { return !volume.Ready(); }));
    EXPECT_EQ(volume.AudioDeviceCount(), 0u);
    EXPECT_EQ(changes, (Changes{{"vxprivate", DeviceStateRemoved}}));
    volume.SetVolume(0.3f);
    EXPECT_FLOAT_EQ(volume.GetVolume(), 0.0f);
    volume.SetMasterVolume(0.3f);
    EXPECT_FLOAT_EQ(volume.GetMasterVolume(), 0.0f);

    // Retries while it is away change nothing; once it is back, everything is.
    vx::Clock::advance(vx::VolumeControl::RetryIntervalMs);
    vxtest::spin(100);
    EXPECT_FALSE(volume.Ready());
    changes.clear();
    ASSERT_TRUE(server.Start()) << server.Log().toStdString();
    vx::Clock::advance(vx::VolumeControl::RetryIntervalMs);
    ASSERT_TRUE(vxtest::waitUntil([&] { return volume.Ready(); })) << volume.LastError().toStdString();
    EXPECT_EQ(DeviceIds(volume), QStringList{"vxprivate"});
    EXPECT_EQ(changes, (Changes{{"vxprivate", DeviceStateAdded}}));
    EXPECT_FLOAT_EQ(volume.GetVolume(), 1.0f);
    // The selected device is controlled again.
    volume.SetMasterVolume(0.5f);
    EXPECT_NEAR(volume.GetMasterVolume(), 0.5f, 0.001f);
}

TEST(AudioVolumeServer, ASoundServerThatStartsLaterIsFound)
{
    VX_REQUIRE_PULSEAUDIO();
    ManualClock clock;
    PrivateSoundServer server;
    ScopedPulseServer pointAt(server.Address());

    TAudioVolume volume;
    Changes changes;
    volume.OnDeviceStateChange = [&](const QString& id, uint32_t st) { changes.emplace_back(id, st); };
    QString newDefault;
    volume.OnDefaultDeviceChange = [&](TDeviceInfo& d) { newDefault = d.DeviceId; };
    EXPECT_FALSE(volume.Ready());
    ASSERT_TRUE(server.Start()) << server.Log().toStdString();
    vx::Clock::advance(vx::VolumeControl::RetryIntervalMs);
    ASSERT_TRUE(vxtest::waitUntil([&] { return volume.Ready(); })) << volume.LastError().toStdString();
    EXPECT_EQ(DeviceIds(volume), QStringList{"vxprivate"});
    EXPECT_EQ(volume.DefaultAudioDevice().DeviceId, "vxprivate");
    EXPECT_EQ(newDefault, "vxprivate");
    EXPECT_EQ(changes, (Changes{{"vxprivate", DeviceStateAdded}}));
}
