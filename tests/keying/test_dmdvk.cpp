// The voice keyer module: its port and settings, when it opens the router, the router's
// names as voice captions, the relay of router commands over the remote link, and which
// sound file a remote client plays along with a voice message.
#include "core/DMApplication.h"
#include "core/MicroHamInterface.h"
#include "keying/DMDVK.h"
#include "keying/DMMessages.h"
#include "platform/SerialPort.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/Pty.h"
#include "tests/support/Wait.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vxtest::waitUntil;

class DVKTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(router.ok());
        app = std::make_unique<TDMApplication>();
        app->SetDM(&dm);
        dvk.SetDM(&dm);
        dvk.SetServer(&server);
        dvk.SetClient(&client);
        dvk.SetMessages(&msgs);
        dvk.DVKComPortEvent = [this](TCOMPortState s) { portEvents << s; };
        dvk.MicroHamInterface()->SetRegistryFileName(dir.filePath("urouter.ini"));
        dvk.ComPort()->setPort(router.slaveName());
        msgs.SetDM(&dm);
        msgs.SetDVK(&dvk);
    }
    // The role as the start-up reads it from the settings, which decide whether the message
    // panel (and with it the router) is in use.
    void Role(TApplicationType role)
    {
        app->IniRegistry()->WriteInteger("Client\\Application", "ApplicationType", role);
        app->IniRead();
        ASSERT_EQ(dm.ApplicationType(), role);
    }

    ScopedConfigHome home;
    vxtest::Pty router;
    QTemporaryDir dir;
    TApplicationRole dm;
    RecordingServer server;
    RecordingClient client;
    std::unique_ptr<TDMApplication> app;
    TDMMessages msgs;
    TDMDVK dvk;
    QList<int> portEvents;
};

TEST_F(DVKTest, CreationState)
{
    EXPECT_EQ(DMDVK, &dvk);
    const vx::SerialPort& port = *dvk.ComPort();
    EXPECT_EQ(port.baudRate(), 19200);
    EXPECT_EQ(port.dataBits(), 8);
    EXPECT_EQ(port.stopBits(), vx::SerialPort::StopBits::One);
    EXPECT_EQ(port.parity(), vx::SerialPort::Parity::None);
    EXPECT_EQ(port.flowControl(), vx::SerialPort::FlowControl::None);
    EXPECT_FALSE(port.dtr());
    EXPECT_FALSE(port.rts());
    EXPECT_EQ(TDMDVK().ComPort()->port(), "");
    EXPECT_EQ(dvk.MicroHamInterface()->COMPort(), dvk.ComPort());
    EXPECT_EQ(dvk.MicroHamInterface()->MessageBank(), "Default");
    EXPECT_EQ(dvk.MicroHamInterface()->MessageName(9), "Message 9");
    EXPECT_FALSE(dvk.UseDVK());
    EXPECT_FALSE(dvk.PlayMessages());
    EXPECT_EQ(dvk.PlayMessagesFolder(), "");
}

TEST_F(DVKTest, SettingsRoundTripThroughANewStore)
{
    dvk.IniRead();
    EXPECT_EQ(dvk.ComPort()->port(), "");
    EXPECT_FALSE(dvk.UseDVK());
    EXPECT_FALSE(dvk.PlayMessages());

    dvk.SetUseDVK(true);
    dvk.ComPort()->setPort("/dev/ttyUSB2");
    dvk.SetPlayMessages(true);
    dvk.SetPlayMessagesFolder("/home/op/voice messages");
    dvk.IniWrite();
    app->Close();
    app.reset();

    app = std::make_unique<TDMApplication>();
    EXPECT_EQ(app->IniRegistry()->ReadString(TDMDVK::Section, "Enabled", ""), "1");
    TDMDVK read;
    read.IniRead();
    EXPECT_TRUE(read.UseDVK());
    EXPECT_EQ(read.ComPort()->port(), "/dev/ttyUSB2");
    EXPECT_TRUE(read.PlayMessages());
    EXPECT_EQ(read.PlayMessagesFolder(), "/home/op/voice messages");
    EXPECT_EQ(read.MicroHamInterface()->RegistryFileName(), dvk.MicroHamInterface()->RegistryFileName());
}

TEST_F(DVKTest, OpensTheRouterInEveryRoleButTheRemoteServer)
{
    Role(isRemoteServer);
    dvk.Open();
    EXPECT_FALSE(dvk.ComPort()->connected());
    EXPECT_TRUE(router.readFor(100).isEmpty());
    EXPECT_TRUE(portEvents.isEmpty());

    Role(isLocal);
    dvk.Open();
    EXPECT_TRUE(dvk.ComPort()->connected());
    EXPECT_EQ(dvk.MicroHamInterface()->ApplicationType(), isLocal);
    EXPECT_EQ(router.readFor(2000, 10), QByteArray("V\rC\rI1\rMB\r"));
    dvk.Close();
    EXPECT_FALSE(dvk.ComPort()->connected());
    EXPECT_EQ(portEvents, (QList<int>{comOpen, comClosed}));

    // A router that goes away is reported.
    dvk.Open();
    router.readFor(500, 10);
    router.closeMaster();
    EXPECT_TRUE(waitUntil([&] { return portEvents.contains(ComError); }, 3000));
}

TEST_F(DVKTest, RouterNamesBecomeVoiceCaptions)
{
    QFile names(dvk.MicroHamInterface()->RegistryFileName());
    ASSERT_TRUE(names.open(QIODevice::WriteOnly));
    names.write("[Software\\microHAM\\urouter\\voiceMsgs\\banks\\Contest]\n"
                "msgName2=CQ contest\n");
    names.close();
    Role(isLocal);
    msgs.SetModeType(mtPhone);
    dvk.Open();
    router.readFor(2000, 10);

    router.write("MBContest\r");
    ASSERT_TRUE(waitUntil([&] { return msgs.GetMessageCaption(mtPhone, 3) == "CQ contest"; }, 3000));
    EXPECT_EQ(msgs.MessageAction(3)->text(), "Msg 3");
    msgs.Update();
    EXPECT_EQ(msgs.MessageAction(3)->text(), "CQ contest");
    EXPECT_EQ(msgs.MessageAction(3)->toolTip(), "Msg 3");

    // A name from the server reaches a client's captions the same way.
    msgs.SetMessageCaption(mtPhone, 3, "Msg 3");
    Role(isRemoteClient);
    dvk.Open();
    dvk.MicroHamInterface()->HandleCommandRcvdFromClient("ZC3CQ DX;");
    EXPECT_EQ(msgs.GetMessageCaption(mtPhone, 3), "CQ DX");
}

TEST_F(DVKTest, CarriesRouterCommandsOverTheLinkByRole)
{
    Role(isLocalAndRemoteServer);
    dvk.Open();
    router.readFor(2000, 10);
    router.write("C1\r");
    EXPECT_TRUE(waitUntil([&] { return server.Lines.contains("DV:C1;"); }, 3000));
    EXPECT_TRUE(client.Lines.isEmpty());
    dvk.Close();

    server.Lines.clear();
    Role(isRemoteClient);
    dvk.Open();
    EXPECT_FALSE(dvk.ComPort()->connected());
    dvk.MicroHamInterface()->PlayMessage(4);
    dvk.MicroHamInterface()->AbortMessage();
    EXPECT_EQ(client.Lines, (QStringList{"DV:MP4;", "DV:MA;"}));
    EXPECT_TRUE(server.Lines.isEmpty());
}

TEST_F(DVKTest, AClientWithoutTheSoundFileOnlyAsksTheServer)
{
    // A folder with blanks in its name that holds other messages but not number 4, and a
    // folder that does not exist.
    const QString withBlanks = dir.filePath("voice messages");
    ASSERT_TRUE(QDir().mkpath(withBlanks));
    QFile other(withBlanks + "/msg3.wav");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    Role(isRemoteClient);
    dvk.Open();
    dvk.SetPlayMessages(true);
    msgs.SetModeType(mtPhone);
    for (const QString& folder : {withBlanks, dir.filePath("no such folder"), QString()}) {
        client.Lines.clear();
        dvk.SetPlayMessagesFolder(folder);
        msgs.MessageAction(4)->trigger();
        EXPECT_EQ(client.Lines, QStringList{"DV:MP4;"}) << folder.toStdString();
        EXPECT_FALSE(dvk.MessageFilePlaying()) << folder.toStdString();
    }
    EXPECT_EQ(dvk.MessageFileName(4), "");
    dvk.SetPlayMessagesFolder(withBlanks);
    EXPECT_EQ(dvk.MessageFileName(4), withBlanks + "/msg4.wav");
    EXPECT_FALSE(dvk.PlayMessageFile(0));
    EXPECT_FALSE(dvk.PlayMessageFile(10));

    client.Lines.clear();
    msgs.EscapeAction->trigger();
    EXPECT_EQ(client.Lines, QStringList{"DV:MA;"});
}
