// The CAT command writer: commands to the radio's port on a pseudo-terminal in the local and
// server roles, "A0:" lines to the server in the client role, and the power-on pair.
#include "core/CATCommandWriter.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/Pty.h"
#include "tests/support/Wait.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

using vxtest::Pty;
using vxtest::waitUntil;

class CATWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.ok());
        radio.SetDM(&dm);
        radio.SetClient(&client);
        radio.RadioComPort()->setPort(pty.slaveName());
        radio.FT2KCATCommandTXEvent = [this](const QString& v) { writer.DoCATCommandTX(v); };
        writer.OnBusy = [this](bool on) { busy << on; };
    }
    void TearDown() override { vx::Clock::useSystem(); }
    bool OpenPort() { return radio.RadioComPort()->open(); }
    // What reached the radio end since the last look.
    QByteArray Wire() { return pty.readAvailable(); }

    Pty pty;
    TApplicationRole dm;
    RecordingClient client;
    TDMRadio radio;
    TCATCommandWriter writer{&radio};
    QList<bool> busy;
};

TEST_F(CATWriter, WritesEachCommandOnceAtOnceInTheRolesWithAPort)
{
    ASSERT_TRUE(OpenPort());
    for (TApplicationType role : {isLocal, isLocalAndRemoteServer, isRemoteServer}) {
        SCOPED_TRACE(int(role));
        dm.SetApplicationType(role);
        writer.DoCATCommandTX("FA00014074000;");
        EXPECT_EQ(Wire(), "FA00014074000;");
        writer.DoCATCommandTX("PS0;");
        writer.DoCATCommandTX("PS;");
        EXPECT_EQ(Wire(), "PS0;PS;");
        EXPECT_FALSE(writer.PowerOnPending());
        EXPECT_TRUE(client.Lines.isEmpty());
    }
}

TEST_F(CATWriter, RemoteClientSendsALineToTheServerAndNothingToThePort)
{
    ASSERT_TRUE(OpenPort());
    dm.SetApplicationType(isRemoteClient);
    writer.DoCATCommandTX("FA00014074000;");
    writer.DoCATCommandTX("PS1;");
    EXPECT_EQ(client.Lines, (QStringList{"A0:FA00014074000;", "A0:PS1;"}));
    EXPECT_EQ(Wire(), "");
    EXPECT_FALSE(writer.PowerOnPending());

    // Without the client module nothing goes anywhere.
    radio.SetClient(nullptr);
    writer.DoCATCommandTX("FA00007000000;");
    EXPECT_EQ(client.Lines.size(), 2);
}

TEST_F(CATWriter, AClosedPortDropsCommandsQuietly)
{
    writer.DoCATCommandTX("FA00014074000;");
    writer.DoCATCommandTX("PS1;");
    EXPECT_FALSE(writer.PowerOnPending());
    EXPECT_TRUE(busy.isEmpty());
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(Wire(), "");

    // A port that closes between the two power-on writes: the rest is dropped as well.
    vx::Clock::useManual();
    writer.DoCATCommandTX("PS1;");
    writer.DoCATCommandTX("MD03;");
    EXPECT_EQ(Wire(), "PS1;");
    radio.RadioComPort()->close();
    vx::Clock::advance(500);
    EXPECT_FALSE(writer.PowerOnPending());
    EXPECT_EQ(busy, (QList<bool>{true, false}));
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(Wire(), "");
}

TEST_F(CATWriter, PowerOnIsWrittenTwiceAndLaterCommandsFollowInOrder)
{
    vx::Clock::useManual();
    ASSERT_TRUE(OpenPort());
    writer.DoCATCommandTX("PS1;");
    EXPECT_TRUE(writer.PowerOnPending());
    writer.DoCATCommandTX("FA00014074000;");
    writer.DoCATCommandTX("PS1;");
    writer.DoCATCommandTX("MD03;");
    EXPECT_EQ(Wire(), "PS1;");
    EXPECT_EQ(busy, QList<bool>{true});
    vx::Clock::advance(499);
    EXPECT_EQ(Wire(), "");
    vx::Clock::advance(1);
    // The second power-on among the waiting commands starts a pair of its own.
    EXPECT_EQ(Wire(), "PS1;FA00014074000;PS1;");
    EXPECT_TRUE(writer.PowerOnPending());
    vx::Clock::advance(500);
    EXPECT_EQ(Wire(), "PS1;MD03;");
    EXPECT_FALSE(writer.PowerOnPending());
    EXPECT_EQ(busy, (QList<bool>{true, false, true, false}));
}

TEST_F(CATWriter, ShutdownStopsAllWriting)
{
    vx::Clock::useManual();
    ASSERT_TRUE(OpenPort());
    writer.DoCATCommandTX("PS1;");
    writer.DoCATCommandTX("FA00014074000;");
    writer.SetShutdown(true);
    writer.DoCATCommandTX("MD03;");
    vx::Clock::advance(1000);
    EXPECT_EQ(Wire(), "PS1;");
    EXPECT_EQ(busy, (QList<bool>{true, false}));
    dm.SetApplicationType(isRemoteClient);
    writer.DoCATCommandTX("MD03;");
    EXPECT_TRUE(client.Lines.isEmpty());
}

TEST_F(CATWriter, ThePowerOnPauseLeavesTheEventLoopRunning)
{
    ASSERT_TRUE(OpenPort());
    int ticks = 0;
    vx::Timer tick(10, true);
    tick.OnTimer = [&] { ++ticks; };

    QElapsedTimer clock;
    clock.start();
    writer.DoCATCommandTX("PS1;");
    writer.DoCATCommandTX("FA00014074000;");
    const qint64 returned = clock.elapsed();
    EXPECT_LT(returned, 100);
    EXPECT_EQ(Wire(), "PS1;");

    QByteArray second;
    qint64 arrived = -1;
    ASSERT_TRUE(waitUntil([&] {
        second += Wire();
        if (arrived < 0 && !second.isEmpty())
            arrived = clock.elapsed();
        return second.size() >= 18;
    }, 3000));
    EXPECT_EQ(second, "PS1;FA00014074000;");
    EXPECT_GE(arrived, 500);
    EXPECT_LT(arrived, 1500);
    EXPECT_GE(ticks, 30) << "the 10 ms timer stood still during the pause";
}

TEST_F(CATWriter, SharesThePortLockWithTheServerRelay)
{
    ASSERT_TRUE(OpenPort());
    QMutex& lock = radio.RadioComPortLock();
    QThread* relay = QThread::create([&lock] {
        // A relayed client command holds the port for a while.
        QMutexLocker hold(&lock);
        QThread::msleep(150);
    });
    relay->start();
    QElapsedTimer clock;
    clock.start();
    // Wait until the other thread holds the lock.
    while (lock.tryLock()) {
        lock.unlock();
        QThread::msleep(1);
        ASSERT_LT(clock.elapsed(), 2000);
    }
    clock.restart();
    writer.DoCATCommandTX("FA00014074000;");
    EXPECT_GE(clock.elapsed(), 100);
    EXPECT_EQ(Wire(), "FA00014074000;");
    relay->wait();
    delete relay;
}
