// The settings dialog with the CW, RTTY, device, remote and audio pages in its tree: a port
// that is no port keeps everything as it was, OK applies every page in order, and a station
// added on "Remote Connections" is one the client logs in to.
#include "client/DataModules.h"
#include "client/widgets/SettingsDlg.h"
#include "core/CATCommandWriter.h"
#include "core/DMRadio.h"
#include "keying/DMCW.h"
#include "keying/WinKeyer.h"
#include "platform/Clock.h"
#include "remote/DMAudioClient.h"
#include "remote/DMClient.h"
#include "remote/DMServer.h"
#include "remote/RemoteClientInterface.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/remote/LinkDoubles.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/Wait.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class SettingsDlgRemoteTest : public ::testing::Test {
protected:
    void SetUp() override { Modules = CreateClientDataModules(); }
    void TearDown() override
    {
        Dialog.reset();
        Modules.reset();
    }
    void Open(TApplicationType role = isLocal)
    {
        Modules->DM()->SetApplicationType(role);
        Dialog = std::make_unique<TSettingsDlg>(*Modules);
    }
    QString Current() const { return Dialog->TreeView1->currentItem()->text(0); }

    vxtest::PrivateBus Bus;
    ScopedConfigHome Home;
    std::unique_ptr<TDataModules> Modules;
    std::unique_ptr<TSettingsDlg> Dialog;
};

TEST_F(SettingsDlgRemoteTest, NodesShowThePagesAndTheRoleDisablesTheKeyer)
{
    Open(isRemoteClient);
    const std::pair<const char*, QWidget*> nodes[] = {
        {"CW", Dialog->PageGroup->FrameCW},
        {"CW Sidetone", Dialog->PageGroup->FrameSidetone},
        {"RTTY", Dialog->PageGroup->FrameMMTTY},
        {"RTTY Messages", Dialog->PageGroup->FrameFSKMessages},
        {"Devices", Dialog->PageGroup->FrameDVK},
        {"FlexControl", Dialog->PageGroup->FrameFlexControl},
        {"Playback Channels", Dialog->PageGroup->FramePlayback},
        {"Remote Client", Dialog->PageGroup->FrameClient},
        {"Client Codecs", Dialog->PageGroup->FrameAudioClientCodecs},
        {"Users", Dialog->PageGroup->FrameUsers},
        {"Server PTT", Dialog->PageGroup->FramePTT},
        {"Server Audio Buffers", Dialog->PageGroup->FrameAudioServerBuffers},
    };
    for (const auto& [caption, page] : nodes)
        EXPECT_EQ(Dialog->PageOf(caption), page) << caption;
    for (QWidget* control : Dialog->PageGroup->FrameCW->KeyerControls())
        EXPECT_FALSE(control->isEnabled());
    EXPECT_FALSE(Dialog->PageGroup->FrameServer->ShutdownRadioCheckBox->isVisibleTo(Dialog->PageGroup->FrameServer));
}

TEST_F(SettingsDlgRemoteTest, ABadServerPortAppliesNothingAGoodOneEverything)
{
    for (const char* bad : {"70000", "abc", ""}) {
        Open();
        TSettingsPages* pages = Dialog->PageGroup;
        pages->FrameServer->HostNameEdit->setText("SHACK");
        pages->FrameServer->PortEdit->setText(bad);
        pages->FrameUsers->UsersMemo->setPlainText("B\n\nA\nb");
        Dialog->OKButtonClick();
        EXPECT_NE(Dialog->result(), QDialog::Accepted) << bad;
        EXPECT_EQ(Current(), "Port") << bad;
        EXPECT_TRUE(Modules->Server()->Users().isEmpty()) << bad;
        EXPECT_EQ(Modules->Server()->Hostname(), "") << bad;
        Dialog.reset();
    }

    Open();
    TSettingsPages* pages = Dialog->PageGroup;
    pages->FrameServer->HostNameEdit->setText("SHACK");
    pages->FrameServer->PortEdit->setText("7300");
    pages->FrameUsers->UsersMemo->setPlainText("B\n\nA\nb");
    pages->FrameCW->SwapPaddlesCheckBox->click();
    pages->FrameAudioClientCodecs->ChannelsRadioGroup->findChildren<QRadioButton*>().at(1)->click();
    Dialog->OKButtonClick();
    EXPECT_EQ(Dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Modules->Server()->Users(), (QStringList{"A", "B"}));
    EXPECT_EQ(Modules->Server()->Port(), 7300);
    EXPECT_TRUE(Dialog->ChangedWinKey);
    EXPECT_TRUE(Dialog->ChangedCodec);
    EXPECT_TRUE(Modules->CW()->WinKey()->SwapPaddles());
    EXPECT_EQ(Modules->AudioClient()->RAAudioOut()->Codec().Channels(), 2);
}

// As a new user would: a server of this program with a user and password, a station added on
// "Remote Connections", OK, Connect.
TEST_F(SettingsDlgRemoteTest, AStationAddedInTheDialogLogsIn)
{
    vx::Clock::useSystem();
    TApplicationRole shackRole;
    shackRole.SetApplicationType(isRemoteServer);
    TDMRadio shackRadio;
    shackRadio.SetDM(&shackRole);
    RecordingModules shackModules;
    TDMServer server;
    server.SetDM(&shackRole);
    server.SetRadio(&shackRadio);
    server.SetCW(&shackModules.CW);
    server.SetMessages(&shackModules.Messages);
    server.SetRTTY(&shackModules.RTTY);
    shackRadio.SetServer(&server);
    server.SetHostname("shack");
    server.SetUsers({"DL1ABC"});
    server.SetPassword("secret");
    server.SetPort(FreePort());
    server.Open();
    ASSERT_TRUE(server.Active());

    Open(isRemoteClient);
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TSettingsNewHostForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->HostNameEdit->setText("Shack");
        form->IPEdit->setText("127.0.0.1");
        form->PortEdit->setText(QString::number(server.Port()));
        form->UserNameEdit->setText("DL1ABC");
        form->PasswordEdit->setText("secret");
        form->OKButton->click();
    });
    Dialog->PageGroup->FrameClient->NewHostButton->click();
    Dialog->OKButtonClick();
    ASSERT_EQ(Dialog->result(), QDialog::Accepted);
    Dialog.reset();

    // What the main window does after OK, then the user's Connect.
    TDMClient* client = Modules->Client();
    client->Update();
    EXPECT_EQ(client->GetActiveRemoteBase().Hostname, "Shack");
    client->Connect();
    ASSERT_TRUE(vxtest::waitUntil([&] { return client->RemoteClient()->LoggedIn(); }, 5000));
    EXPECT_EQ(server.Clients().size(), 1);
    client->Disconnect();
    server.Close();
    shackRadio.SetServer(nullptr);
}

} // namespace
