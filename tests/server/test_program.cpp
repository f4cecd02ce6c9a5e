// VornixServer as a program: one instance per user (a second start shows the first and ends,
// a lock left by a killed instance does not count), SIGTERM as the end of the desktop session,
// and a first try with the radio simulator and a remote client, as the README describes it.
#include "ServerTestUtils.h"
#include "platform/SingleInstance.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

namespace {

const QString InstanceName = "{FAEEDBAF-8773-5432-83B1-8C9422726E98}";

// The program with a runtime folder of its own, so that tests running side by side do not see
// each other's instance.
class Program {
public:
    explicit Program(const QString& runtimeDir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtimeDir);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        Process.setProcessEnvironment(env);
        Process.setProcessChannelMode(QProcess::MergedChannels);
        Process.start(VX_SERVER_BINARY, {});
    }
    ~Program()
    {
        if (Process.state() != QProcess::NotRunning) {
            Process.kill();
            Process.waitForFinished(3000);
        }
    }
    bool WaitFinished(int timeoutMs)
    {
        return waitUntil([this] { return Process.state() == QProcess::NotRunning; }, timeoutMs);
    }
    std::string Output() { return Process.readAll().toStdString(); }

    QProcess Process;
};

// A runtime folder as the desktop makes one: owned by the user, mode 0700.
struct RuntimeDir {
    QTemporaryDir Dir;
    QString Path() const { return Dir.path(); }
    QString Socket() const { return Dir.path() + "/" + InstanceName; }
};

} // namespace

TEST(ServerProgram, ASecondStartShowsTheFirstAndEnds)
{
    RuntimeDir runtime;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.Path().toLocal8Bit());
    int activations = 0;
    {
        vx::SingleInstance first(InstanceName);
        ASSERT_TRUE(first.Acquire());
        first.OnActivate = [&] { ++activations; };

        QElapsedTimer clock;
        clock.start();
        Program second(runtime.Path());
        ASSERT_TRUE(second.WaitFinished(2000)) << second.Output();
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_EQ(second.Process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.Process.exitCode(), 0) << second.Output();
        EXPECT_TRUE(waitUntil([&] { return activations == 1; }, 1000));
    }
    qputenv("XDG_RUNTIME_DIR", saved);
}

TEST(ServerProgram, ALockLeftByAKilledInstanceDoesNotBlockTheNext)
{
    RuntimeDir runtime;
    {
        Program crashed(runtime.Path());
        ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(runtime.Socket()); }, 10000)) << crashed.Output();
        crashed.Process.kill();
        ASSERT_TRUE(crashed.WaitFinished(3000));
    }
    ASSERT_TRUE(QFileInfo::exists(runtime.Socket() + ".lock"));

    Program next(runtime.Path());
    EXPECT_FALSE(next.WaitFinished(2000)) << next.Output();
    // SIGTERM ends it cleanly.
    next.Process.terminate();
    ASSERT_TRUE(next.WaitFinished(10000));
    EXPECT_EQ(next.Process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(next.Process.exitCode(), 0) << next.Output();
    EXPECT_FALSE(QFileInfo::exists(runtime.Socket() + ".lock"));
}

TEST(ServerProgram, SIGTERMSwitchesTheRadioOffAndShutsDown)
{
    QFile::remove(TDMApplication::SettingsFileName());
    vxtest::RadioSimulator radio(FT2000);
    ASSERT_TRUE(radio.ok());
    Configure([&](TIniStore& ini) {
        ConfigurePorts(ini, radio.portName(), "");
        ini.WriteBool("Server\\Application", "ShutdownRadio", true);
    });
    RuntimeDir runtime;
    Program server(runtime.Path());
    // Polled, the radio tells the program it is on.
    ASSERT_TRUE(waitUntil([&] { return radio.commands().contains("PS"); }, 10000)) << server.Output();
    vxtest::spin(500);

    server.Process.terminate();
    ASSERT_TRUE(server.WaitFinished(10000));
    EXPECT_EQ(server.Process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.Process.exitCode(), 0) << server.Output();
    EXPECT_TRUE(radio.commands().contains("PS0")) << radio.commands().join(' ').toStdString();
    EXPECT_FALSE(radio.power());
    TIniStore store(TDMApplication::SettingsFileName());
    EXPECT_FALSE(store.ReadString("Server", "ServerMainForm", "").isEmpty());
}

TEST(ServerProgram, ARemoteClientLogsInAndFollowsTheRadio)
{
    QFile::remove(TDMApplication::SettingsFileName());
    vxtest::RadioSimulator radio(FT2000);
    radio.setFrequency(vfoA, 14074000);
    const quint16 port = FreePort();
    Configure([&](TIniStore& ini) {
        ConfigurePorts(ini, radio.portName(), "");
        ConfigureRemoteServer(ini, port, {"W1AW"}, "secret");
    });
    RuntimeDir runtime;
    Program server(runtime.Path());

    std::unique_ptr<LinePeer> peer;
    ASSERT_TRUE(waitUntil(
        [&] {
            peer = std::make_unique<LinePeer>();
            peer->Socket()->connectToHost(QHostAddress::LocalHost, port);
            return peer->Socket()->waitForConnected(200);
        },
        10000))
        << server.Output();
    EXPECT_EQ(peer->Next(), "MG:Welcome to SHACK FT-2000 Remote Base Server");
    EXPECT_EQ(peer->Next(), "MG:Your Callsign:");
    peer->Send("MG:Callsign w1aw");
    EXPECT_EQ(peer->Next(), "MG:Your Password:");
    peer->Send("MG:Password secret");
    EXPECT_TRUE(peer->WaitFor("MG:Login OK"));
    // The radio's answers reach the client, its frequency among them.
    EXPECT_TRUE(waitUntil(
        [&] {
            for (const QString& line : peer->Lines())
                if (line.startsWith("A0:FA") && line.contains("14074000"))
                    return true;
            return false;
        },
        8000))
        << peer->Lines().join('\n').toStdString();

    server.Process.terminate();
    EXPECT_TRUE(server.WaitFinished(10000));
}
