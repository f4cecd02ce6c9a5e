// The microHAM router interface on a pseudo-terminal: the open sequence and reopening, the
// parsing of router and link traffic, the relay by role, and the bank and message names from
// the router's names file.
#include "core/MicroHamInterface.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/Pty.h"
#include "tests/support/Wait.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vxtest::waitUntil;

class MicroHamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        ASSERT_TRUE(router.ok());
        port.setPort(router.slaveName());
        mh.SetCOMPort(&port);
        mh.SetRegistryFileName(dir.filePath("urouter.ini"));
        mh.OnSendCommandToClients = [this](const QString& s) { toClients << s; };
        mh.OnSendCommandToServer = [this](const QString& s) { toServer << s; };
        mh.OnMessageName = [this](int n, const QString& name) { names << QStringLiteral("%1=%2").arg(n).arg(name); };
        mh.OnActive = [this](bool v) { changes << QStringLiteral("active %1").arg(v); };
        mh.OnConnectionStatus = [this](bool v) { changes << QStringLiteral("status %1").arg(v); };
        mh.OnMessagePlaying = [this](bool v) { changes << QStringLiteral("playing %1").arg(v); };
        mh.OnActiveMessageBankName = [this](const QString& v) { changes << "bank " + v; };
    }
    void TearDown() override { vx::Clock::useSystem(); }

    void OpenAs(TApplicationType role)
    {
        mh.SetApplicationType(role);
        ASSERT_TRUE(mh.Open()) << port.lastError().toStdString();
        ASSERT_EQ(router.readFor(2000, 10), QByteArray("V\rC\rI1\rMB\r"));
    }
    // The router answers; waits until the component has read it.
    void Answer(const QByteArray& bytes)
    {
        router.write(bytes);
        vxtest::spin(30);
    }
    void WriteNames(const QByteArray& text)
    {
        QFile f(mh.RegistryFileName());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    vxtest::Pty router;
    vx::SerialPort port;
    TMicroHamInterface mh;
    QTemporaryDir dir;
    QStringList toClients, toServer, names, changes;
};

TEST_F(MicroHamTest, OpenWritesItsQueriesInOrderAndReopensAFailedPort)
{
    OpenAs(isRemoteServer);
    EXPECT_EQ(port.baudRate(), 19200);
    EXPECT_EQ(port.dataBits(), 8);
    EXPECT_EQ(port.stopBits(), vx::SerialPort::StopBits::One);
    EXPECT_EQ(port.parity(), vx::SerialPort::Parity::None);
    EXPECT_TRUE(mh.Active());
    EXPECT_EQ(changes, QStringList{"active 1"});
    EXPECT_FALSE(mh.Open()); // already open
    mh.Close();
    EXPECT_FALSE(port.connected());
    EXPECT_FALSE(mh.Active());

    // Never in the client role, never without a port name.
    mh.SetApplicationType(isRemoteClient);
    EXPECT_FALSE(mh.Open());
    EXPECT_FALSE(port.connected());
    mh.SetApplicationType(isLocal);
    port.setPort("");
    EXPECT_FALSE(mh.Open());
    EXPECT_FALSE(mh.COMPortTimer()->isActive());

    // A port that cannot be opened is tried again every 3 s until it opens.
    port.setPort("/dev/vornix-no-such-router");
    EXPECT_FALSE(mh.Open());
    EXPECT_TRUE(mh.COMPortTimer()->isActive());
    vx::Clock::advance(TMicroHamInterface::ReopenIntervalMs);
    EXPECT_FALSE(port.connected());
    port.setPort(router.slaveName());
    vx::Clock::advance(TMicroHamInterface::ReopenIntervalMs);
    EXPECT_TRUE(port.connected());
    EXPECT_EQ(router.readFor(2000, 10), QByteArray("V\rC\rI1\rMB\r"));
    vx::Clock::advance(TMicroHamInterface::ReopenIntervalMs);
    EXPECT_FALSE(mh.COMPortTimer()->isActive());

    // Closing ends the retries too.
    mh.Close();
    port.setPort("/dev/vornix-no-such-router");
    EXPECT_FALSE(mh.Open());
    mh.Close();
    EXPECT_FALSE(mh.COMPortTimer()->isActive());
}

TEST_F(MicroHamTest, ServerRelaysRouterReportsExceptPlayReports)
{
    OpenAs(isRemoteServer);
    Answer("C1\rMP2\rVR1.5\rVF1");
    Answer("2.3\r\nVSX123\r");
    EXPECT_EQ(toClients, (QStringList{"DV:C1;", "DV:VSX123;"}));
    EXPECT_TRUE(mh.ConnectionStatus());
    EXPECT_TRUE(mh.MessagePlaying());
    EXPECT_EQ(mh.RouterVersion(), "1.5");
    EXPECT_EQ(mh.DeviceFirmwareVersion(), "12.3"); // one answer from two pieces
    EXPECT_EQ(mh.DeviceSerialNumber(), "X123");
    Answer("MPS\r");
    EXPECT_FALSE(mh.MessagePlaying());

    // The router's "MA" is reported to the clients, not written back to the router.
    Answer("MA\r");
    EXPECT_EQ(toClients.last(), "DV:MA;");
    EXPECT_TRUE(router.readFor(100).isEmpty());

    // A client's requests are carried out on the router.
    mh.HandleCommandRcvdFromClient("MP3;");
    EXPECT_EQ(router.readFor(2000, 4), QByteArray("MP3\r"));
    EXPECT_TRUE(mh.MessagePlaying());
    mh.HandleCommandRcvdFromClient(" MA ");
    EXPECT_EQ(router.readFor(2000, 3), QByteArray("MA\r"));
    EXPECT_TRUE(toServer.isEmpty());
}

TEST_F(MicroHamTest, AnOverlongLineIsDroppedToItsEnd)
{
    OpenAs(isRemoteServer);
    changes.clear();
    // More than 4096 characters without a carriage return, in two reads, then the rest of
    // that line: none of it is a command.
    Answer(QByteArray(2500, 'x'));
    Answer(QByteArray(2500, 'x'));
    Answer("C1\r");
    EXPECT_FALSE(mh.ConnectionStatus());
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_TRUE(toClients.isEmpty());
    // The line after it counts.
    Answer("C1\r");
    EXPECT_TRUE(mh.ConnectionStatus());
    EXPECT_EQ(toClients, QStringList{"DV:C1;"});
}

TEST_F(MicroHamTest, ClientSendsEveryCommandToTheServerAndOnlyFollowsItsReports)
{
    mh.SetApplicationType(isRemoteClient);
    mh.PlayMessage(3);
    mh.PlayMessage(0);
    mh.PlayMessage(10);
    mh.AbortMessage();
    mh.StartMessageRecording(1);
    mh.SendCommand("");
    EXPECT_EQ(toServer, (QStringList{"DV:MP3;", "DV:MA;"}));
    EXPECT_FALSE(port.connected());

    // Reports relayed by the server go nowhere further.
    toServer.clear();
    mh.HandleCommandRcvdFromClient("MA;MP2;");
    EXPECT_TRUE(toServer.isEmpty());
    EXPECT_TRUE(mh.MessagePlaying());

    mh.HandleCommandRcvdFromClient("ZA1;ZBContest;ZC1CQ;ZC0X;ZCAY;ZD1;");
    EXPECT_TRUE(mh.Active());
    EXPECT_EQ(mh.MessageBank(), "Contest");
    EXPECT_EQ(mh.MessageName(1), "CQ");
    EXPECT_EQ(names, QStringList{"1=CQ"});
    EXPECT_TRUE(mh.ConnectionStatus());
    mh.HandleCommandRcvdFromClient("ZD0;ZA0");
    EXPECT_FALSE(mh.ConnectionStatus());
    EXPECT_FALSE(mh.Active());
    EXPECT_TRUE(toClients.isEmpty());
}

TEST_F(MicroHamTest, AnAbortDoesNotBounceBetweenClientServerAndRouter)
{
    TMicroHamInterface client;
    client.SetApplicationType(isRemoteClient);
    OpenAs(isRemoteServer);
    // The link both ways, as the server and client modules carry it.
    client.OnSendCommandToServer = [this](const QString& line) { mh.HandleCommandRcvdFromClient(line.mid(3)); };
    mh.OnSendCommandToClients = [&](const QString& line) { client.HandleCommandRcvdFromClient(line.mid(3)); };

    client.AbortMessage();
    EXPECT_EQ(router.readFor(2000, 3), QByteArray("MA\r"));
    Answer("MA\r"); // the router's answer goes to the client, and stops there
    EXPECT_TRUE(router.readFor(200).isEmpty());
}

TEST_F(MicroHamTest, BankAndMessageNamesFromTheNamesFile)
{
    WriteNames("[Software\\microHAM\\urouter\\voiceMsgs\\banks\\Default]\n"
               "msgName0=CQ\n"
               "\n"
               "[Software\\microHAM\\urouter\\voiceMsgs\\banks\\Contest]\n"
               "msgName0=CQ TEST, DL1ABC\n"
               "MSGNAME8=\"73\"\n");
    EXPECT_EQ(mh.MessageBank(), "Zemro");
    OpenAs(isRemoteServer);
    EXPECT_EQ(mh.MessageBanks(), (QStringList{"Contest", "Default"}));
    EXPECT_EQ(toClients, (QStringList{"DV:Contest;", "DV:Default;"}));

    // The router names its active bank; the names are read for it, found without regard to case.
    toClients.clear();
    Answer("MBcontest\r");
    EXPECT_EQ(mh.MessageBank(), "contest");
    EXPECT_EQ(mh.MessageName(1), "CQ TEST, DL1ABC");
    EXPECT_EQ(mh.MessageName(2), "Message 2");
    EXPECT_EQ(mh.MessageName(9), "73");
    EXPECT_EQ(toClients.first(), "DV:MBcontest;");
    mh.SetConnectionStatus(true);
    EXPECT_EQ(mh.GetMessageBankInfosForClient(),
              "ZA1;ZBContest;ZBDefault;ZC1CQ TEST, DL1ABC;ZC2Message 2;ZC3Message 3;ZC4Message 4;ZC5Message 5;"
              "ZC6Message 6;ZC7Message 7;ZC8Message 8;ZC973;ZD1;");

    // A missing file leaves everything as it is.
    QFile::remove(mh.RegistryFileName());
    names.clear();
    Answer("MBDefault\r");
    EXPECT_EQ(mh.MessageBank(), "Default");
    EXPECT_EQ(mh.MessageBanks(), (QStringList{"Contest", "Default"}));
    EXPECT_TRUE(names.isEmpty());

    mh.Close();
    EXPECT_EQ(mh.GetMessageBankInfosForClient(), "ZA0;");
}
