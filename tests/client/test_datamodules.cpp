// The client's data modules as the program creates them, started and stopped by role against
// the radio simulator on a pty, with the settings in a folder of the test's own.
#include "client/DataModules.h"
#include "client/widgets/ClientStyle.h"
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/IniStore.h"
#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "remote/DMAudioClient.h"
#include "remote/DMClient.h"
#include "remote/DMPlayback.h"
#include "remote/IPCServer.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/RadioSimulator.h"

#include <QAction>
#include <QApplication>
#include <QStyle>
#include <QGuiApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {

class DataModulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Radio.ok());
        vx::Clock::useManual();
    }
    void TearDown() override
    {
        Writer.reset();
        Modules.reset();
        vx::Clock::useSystem();
    }
    // Settings as a user left them: a role, the radio's port, and whatever `more` adds.
    void StoreSettings(int role, const std::function<void(TIniStore&)>& more = {})
    {
        TIniStore ini(TDMApplication::SettingsFileName());
        ini.WriteInteger("Client\\Application", "ApplicationType", role);
        ini.WriteString("Client\\RadioCOMPort", "Port", Radio.portName());
        if (more)
            more(ini);
        ASSERT_TRUE(ini.UpdateFile());
    }
    // The modules as VornixClient makes them, with the CAT writer its main window adds.
    void Create()
    {
        Modules = CreateClientDataModules();
        TDMRadio* radio = Modules->Radio();
        Writer = std::make_unique<TCATCommandWriter>(radio);
        radio->FT2KCATCommandTXEvent = [this](const QString& s) { Writer->DoCATCommandTX(s); };
        Modules->DM()->OnStepError = [this](const QString& step, const QString& message) {
            Errors << step + ": " + message;
        };
    }
    TFTCATInterface& Cat() { return *Modules->Radio()->FTCATInterface(); }
    vx::SerialPort& Port() { return *Modules->Radio()->RadioComPort(); }

    vxtest::PrivateBus Bus;
    ScopedConfigHome Home;
    vxtest::RadioSimulator Radio{FT2000};
    std::unique_ptr<TDataModules> Modules;
    std::unique_ptr<TCATCommandWriter> Writer;
    QStringList Errors;
};

TEST_F(DataModulesTest, CreationReadsTheStoredRole)
{
    struct Case {
        int stored;
        TApplicationType role;
    };
    for (const Case c : {Case{7, isLocal}, Case{-1, isLocal}, Case{3, isRemoteClient}, Case{2, isRemoteServer}}) {
        SCOPED_TRACE(c.stored);
        StoreSettings(c.stored);
        Create();
        EXPECT_EQ(Modules->DM()->ApplicationType(), c.role);
        // No display name: the window system would append it to every window's title.
        EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        EXPECT_EQ(DM, Modules->DM());
        EXPECT_EQ(DMApplication, Modules->Application());
        EXPECT_EQ(DMRadio, Modules->Radio());
        EXPECT_EQ(DMPlayback, Modules->Playback());
        EXPECT_EQ(Modules->Radio()->IPCServer(), Modules->IPCServer());
        Writer.reset();
        Modules.reset();
        EXPECT_EQ(DM, nullptr);
        EXPECT_EQ(DMRadio, nullptr);
    }
}

TEST_F(DataModulesTest, EveryRoleStartsAndStopsStepByStep)
{
    for (TApplicationType role : {isLocal, isLocalAndRemoteServer, isRemoteServer, isRemoteClient}) {
        SCOPED_TRACE(int(role));
        StoreSettings(role);
        Create();
        Modules->DM()->Start();
        EXPECT_EQ(Modules->DM()->ApplicationType(), role);
        EXPECT_EQ(Port().connected(), role != isRemoteClient);
        Modules->DM()->Stop();
        EXPECT_FALSE(Port().connected());
        EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
        Writer.reset();
        Modules.reset();
    }
}

TEST(ClientStyle, Fusion)
{
    ApplyClientStyle();
    EXPECT_EQ(QApplication::style()->name(), "fusion");
}

TEST_F(DataModulesTest, ARemoteClientTalksToTheRadioOnlyThroughTheServer)
{
    StoreSettings(isRemoteClient);
    Create();
    RecordingClient server; // what reaches the remote control link
    Modules->Radio()->SetClient(&server);
    Modules->DM()->Start();
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_FALSE(Port().connected());
    EXPECT_EQ(Port().port(), Radio.portName());
    EXPECT_FALSE(Cat().UsingCOMPort());
    // The engine's power-state requests go to the server.
    vx::Clock::advance(4000);
    EXPECT_TRUE(server.Lines.contains("A0:PS;")) << server.Lines.join(' ').toStdString();
    EXPECT_TRUE(Radio.commands().isEmpty());
    // No remote station is chosen: the audio client has nowhere to go.
    EXPECT_EQ(Modules->Client()->ActiveRemoteBase(), -1);
    EXPECT_EQ(Modules->AudioClient()->Host(), "");
    Modules->DM()->Stop();
    Modules->Radio()->SetClient(Modules->Client());
}

TEST_F(DataModulesTest, ARemoteClientTakesTheActiveStationForAudio)
{
    StoreSettings(isRemoteClient, [](TIniStore& ini) {
        const QString s = "Client\\RemoteBases\\Base0";
        ini.WriteString(s, "Hostname", "Shack");
        ini.WriteString(s, "IP", "192.0.2.7");
        ini.WriteInteger(s, "Port", 7300);
        ini.WriteString(s, "Username", "DL1ABC");
        ini.WriteString(s, "Password", "secret");
        ini.WriteInteger(s, "AudioPort", 4100);
        ini.WriteBool(s, "Active", true);
    });
    Create();
    Modules->DM()->Start();
    ASSERT_EQ(Modules->Client()->ActiveRemoteBase(), 0);
    TDMAudioClient* audio = Modules->AudioClient();
    EXPECT_EQ(audio->Host(), "192.0.2.7");
    EXPECT_EQ(audio->AudioPort(), 4100u);
    EXPECT_EQ(audio->Username(), "DL1ABC");
    EXPECT_EQ(audio->Password(), "secret");
    Modules->DM()->Stop();
}

TEST_F(DataModulesTest, LocalStartRestartAndStop)
{
    StoreSettings(isLocal, [](TIniStore& ini) { ini.WriteBool("Client\\IPC", "IPCServer", true); });
    Create();
    TDM* dm = Modules->DM();
    dm->Start();
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_TRUE(Port().connected());
    EXPECT_TRUE(Modules->IPCServer()->Active());
    EXPECT_FALSE(Modules->Client()->ClientConnectAction->isEnabled());

    // A setting changed in a dialog survives the restart: it is written before it is read.
    Modules->Playback()->SetPlaybackCaptionCW(3, "TEST");
    dm->Restart();
    EXPECT_EQ(Modules->Playback()->GetPlaybackCaptionCW(3), "TEST");
    EXPECT_TRUE(Port().connected());
    EXPECT_TRUE(Modules->IPCServer()->Active());

    dm->Stop();
    EXPECT_FALSE(Port().connected());
    EXPECT_FALSE(Modules->IPCServer()->Active());
    TIniStore ini(TDMApplication::SettingsFileName());
    EXPECT_EQ(ini.ReadString("Client\\Playback\\CW", "Message3", ""), "TEST");
    EXPECT_EQ(ini.ReadInteger("Client\\Application", "ApplicationType", -1), int(isLocal));
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(DataModulesTest, AnIPCServerThatCannotOpenIsReported)
{
    StoreSettings(isLocal, [](TIniStore& ini) { ini.WriteBool("Client\\IPC", "IPCServer", true); });
    Create();
    QTemporaryFile notAFolder;
    ASSERT_TRUE(notAFolder.open());
    qputenv("XDG_RUNTIME_DIR", notAFolder.fileName().toLocal8Bit());
    Modules->DM()->Start();
    EXPECT_EQ(Errors, QStringList{"DMRadio.IPCServer.Open: Cannot Allocate Window Handle"});
    EXPECT_FALSE(Modules->IPCServer()->Active());
    EXPECT_TRUE(Port().connected()); // the steps before it were done
    Modules->DM()->Stop();
}

} // namespace
