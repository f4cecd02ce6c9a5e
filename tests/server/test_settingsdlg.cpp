// The server's settings dialog: its page tree and page switch, the last page reselected, the
// device lists, the pages filled and applied, the port fields checked before anything is
// applied, and the devices closed, saved and reopened after OK.
#include "ServerTestUtils.h"
#include "keying/DMCW.h"
#include "keying/DMRTTY.h"
#include "keying/MMTTYInterface.h"
#include "platform/SerialPort.h"
#include "remote/DMAudioServer.h"
#include "remote/DMServer.h"
#include "server/widgets/ServerSettingsDlg.h"
#include "tests/controls/PageLayoutChecks.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

class SettingsDialogTest : public ServerWindowTest {
protected:
    void Open()
    {
        if (!modules)
            modules = std::make_unique<TDataModules>(TModuleOrder::Server);
        dialog = std::make_unique<TServerSettingsDlg>(*modules);
    }
    void TearDown() override
    {
        dialog.reset();
        ServerWindowTest::TearDown();
    }
    void Select(const QString& caption)
    {
        dialog->LastSetting = caption;
        dialog->FindLastSetting();
    }
    QString Current() const { return dialog->TreeView1->currentItem()->text(0); }
    QList<QWidget*> VisiblePages() const
    {
        QList<QWidget*> pages;
        for (auto* page : dialog->findChildren<TSettingsFrame*>())
            if (!page->isHidden())
                pages << page;
        return pages;
    }

    std::unique_ptr<TServerSettingsDlg> dialog;
};

} // namespace

TEST_F(SettingsDialogTest, PageTreeAndPageSwitch)
{
    Open();
    QStringList tree;
    for (QTreeWidgetItemIterator it(dialog->TreeView1); *it; ++it)
        tree << QString((*it)->parent() ? "  " : "") + (*it)->text(0);
    EXPECT_EQ(tree, (QStringList{"Application", "Radio COM Port", "Remote Server", "  Port", "  Users",
                                 "Remote Audio Server", "  Server Port", "  Server PTT", "  Server Devices",
                                 "  Server Codecs", "  Server Audio Buffers", "K1EL WinKey", "Devices", "  DVK",
                                 "  MMTTY", "  IPC", "WSJT-X Logging"}));
    EXPECT_EQ(dialog->windowTitle(), "Settings");
    EXPECT_EQ(dialog->size(), QSize(683, 357));

    const std::pair<const char*, QWidget*> pages[] = {
        {"Application", dialog->FrameServerApplication}, {"Radio COM Port", dialog->FrameCOMPort},
        {"Remote Server", dialog->FrameServer},           {"Port", dialog->FrameServer},
        {"Users", dialog->FrameUsers},                    {"Remote Audio Server", dialog->FrameAudioServerPort},
        {"Server Port", dialog->FrameAudioServerPort},    {"Server PTT", dialog->FramePTT},
        {"Server Devices", dialog->FrameAudioServerDevices}, {"Server Codecs", dialog->FrameAudioServerCodecs},
        {"Server Audio Buffers", dialog->FrameAudioServerBuffers}, {"K1EL WinKey", dialog->FrameCW},
        {"Devices", dialog->FrameDVK},                    {"DVK", dialog->FrameDVK},
        {"MMTTY", dialog->FrameMMTTY},                    {"IPC", dialog->FrameIPC},
        {"WSJT-X Logging", dialog->FrameWSJT},
    };
    for (auto [caption, page] : pages) {
        Select(caption);
        EXPECT_EQ(Current(), caption);
        EXPECT_EQ(VisiblePages(), QList<QWidget*>{page}) << caption;
        EXPECT_EQ(dialog->LastSetting, caption);
    }
    // A page that no longer exists, or none at all, opens on the first.
    for (const char* last : {"Band Plan", ""}) {
        Select(last);
        EXPECT_EQ(Current(), "Application");
    }
}

// ctest runs this once more with QT_SCALE_FACTOR=2 (ServerSettingsPagesAt2x).  Every page is
// saved as a render, at 2x as "@2x".
TEST_F(SettingsDialogTest, LabelsRunIntoNothing)
{
    Open();
    dialog->show();
    const qreal ratio = dialog->devicePixelRatioF();
    for (QTreeWidgetItemIterator it(dialog->TreeView1); *it; ++it) {
        const QString caption = (*it)->text(0);
        Select(caption);
        QWidget* page = dialog->PageOf(caption);
        ASSERT_TRUE(page) << caption.toStdString();
        vxtest::ExpectLabelsClear(*page, caption.toStdString());
        QString name = caption.toLower();
        name.replace(QRegularExpression("[^a-z0-9]+"), "-");
        EXPECT_TRUE(SaveArtifact(Render(*dialog, ratio),
                                 QString("server-settings-%1%2.png").arg(name, ratio == 1.0 ? "" : "@2x")));
    }
}

TEST_F(SettingsDialogTest, ReopeningSelectsTheLastPage)
{
    Start();
    QString seen;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TServerSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        seen = dlg->TreeView1->currentItem()->text(0);
        dlg->LastSetting = "Server Codecs";
        dlg->FindLastSetting();
        dlg->OKButton->click();
    });
    modules->DM()->SetLastSetting("Users");
    form->SettingsActionExecute();
    EXPECT_EQ(seen, "Users");
    EXPECT_EQ(modules->DM()->LastSetting(), "Server Codecs");

    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TServerSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        seen = dlg->TreeView1->currentItem()->text(0);
        dlg->CancelButton->click();
    });
    form->SettingsActionExecute();
    EXPECT_EQ(seen, "Server Codecs");
}

TEST_F(SettingsDialogTest, DeviceLists)
{
    EXPECT_EQ(TServerSettingsDlg::DeviceEntries({}), QStringList{"- none -"});
    EXPECT_EQ(TServerSettingsDlg::DeviceEntries({"Built-in Audio", "USB Audio CODEC"}),
              (QStringList{"Built-in Audio (0)", "USB Audio CODEC (1)"}));
    Open();
    EXPECT_EQ(dialog->FrameAudioServerDevices->InputDevicesComboBox->count(), dialog->FInputDevices.size());
    EXPECT_FALSE(dialog->FInputDevices.isEmpty());
}

TEST_F(SettingsDialogTest, UsersAreStoredOnceEachInOrder)
{
    Open();
    dialog->FrameUsers->UsersMemo->setPlainText("B\n\nA\nb\n  \n");
    dialog->FrameUsers->PasswordEdit->setText("secret");
    dialog->OKButtonClick();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(modules->Server()->Users(), (QStringList{"A", "B"}));
    modules->Application()->Close();
    TIniStore store(TDMApplication::SettingsFileName());
    EXPECT_EQ(store.ReadSection("Server\\Users"), (QStringList{"User0", "User1"}));
    EXPECT_EQ(store.ReadString("Server\\Users", "User1", ""), "B");
    EXPECT_EQ(store.ReadString("Server\\RemoteServer", "Pwd", ""), "secret");
}

TEST_F(SettingsDialogTest, AnRTSChangeAloneIsAppliedAndStored)
{
    Configure([](TIniStore& ini) {
        ConfigurePorts(ini, "/dev/ttyUSB0", "");
        ini.WriteBool("Client\\RadioCOMPort", "RTS", false);
    });
    Open();
    modules->Radio()->IniRead();
    dialog.reset();
    Open();
    EXPECT_EQ(dialog->FrameCOMPort->ComPortComboBox->COMPort(), "/dev/ttyUSB0"); // kept though unlisted
    EXPECT_EQ(dialog->FrameCOMPort->BaudrateComboBox->COMBaudrate(), br38400);
    dialog->FrameCOMPort->RTSCheckBox->click();
    dialog->OKButtonClick();
    const vx::SerialPort* port = modules->Radio()->RadioComPort();
    EXPECT_TRUE(port->rts());
    EXPECT_EQ(port->port(), "/dev/ttyUSB0");
    EXPECT_EQ(port->baudRate(), 38400);
    modules->Application()->Close();
    TIniStore store(TDMApplication::SettingsFileName());
    EXPECT_TRUE(store.ReadBool("Client\\RadioCOMPort", "RTS", false));
    EXPECT_EQ(store.ReadString("Client\\RadioCOMPort", "Port", ""), "/dev/ttyUSB0");
}

TEST_F(SettingsDialogTest, CodecsTheirPageCannotShowAreKept)
{
    Open();
    TRACodec& in = modules->AudioServer()->RAAudioIn()->Codec();
    in.SetCodec(PCM44);
    in.SetBitsPerSample(16);
    in.SetChannels(2);
    dialog.reset();
    Open();
    const TSettingsAudioServerCodecsFrame& page = *dialog->FrameAudioServerCodecs;
    EXPECT_EQ(page.CodecRadioGroup->ItemIndex(), -1);
    EXPECT_EQ(page.SampleRateRadioGroup->ItemIndex(), -1);
    EXPECT_EQ(page.TransferRateLabel->text(), TRACodec::GetTransferRate(PCM44, 16, 2));
    dialog->OKButtonClick();
    EXPECT_EQ(in.Codec(), PCM44);
    EXPECT_EQ(in.BitsPerSample(), 16);
    EXPECT_EQ(in.Channels(), 2);
    const TRACodec& out = modules->AudioServer()->RAAudioOut()->Codec();
    EXPECT_EQ(out.Codec(), PCM44);
    EXPECT_EQ(out.Channels(), 1);

    // A codec chosen on the page is taken, with its transfer rate shown.
    dialog.reset();
    Open();
    TSettingsAudioServerCodecsFrame& chosen = *dialog->FrameAudioServerCodecs;
    chosen.CodecRadioGroup->Button(1)->click();
    chosen.SampleRateRadioGroup->Button(0)->click();
    EXPECT_EQ(chosen.TransferRateLabel->text(), "Transfer rate: 1.8 kB/s");
    dialog->OKButtonClick();
    EXPECT_EQ(in.Codec(), GSM610_8);
    EXPECT_EQ(out.Codec(), GSM610_8);
}

TEST_F(SettingsDialogTest, APortFieldThatIsNoPortAppliesNothing)
{
    struct Case {
        const char* node;
        std::function<QLineEdit*(TServerSettingsDlg&)> field;
        const char* text;
    };
    const auto serverPort = [](TServerSettingsDlg& d) { return d.FrameServer->PortEdit; };
    const auto audioPort = [](TServerSettingsDlg& d) { return d.FrameAudioServerPort->AudioPortEdit; };
    const auto wsjtPort = [](TServerSettingsDlg& d) { return d.FrameWSJT->WSJTPortEdit; };
    const Case cases[] = {
        {"Port", serverPort, "abc"}, {"Port", serverPort, "70000"}, {"Port", serverPort, ""},
        {"Server Port", audioPort, "0"}, {"Server Port", audioPort, "65536"}, {"WSJT-X Logging", wsjtPort, "99999"},
    };
    for (const Case& c : cases) {
        Open();
        dialog->show();
        Select("Users");
        dialog->FrameServerApplication->LogFileCheckBox->setChecked(true);
        dialog->FrameServer->HostNameEdit->setText("NEWHOST");
        c.field(*dialog)->setText(c.text);
        dialog->OKButtonClick();
        EXPECT_TRUE(dialog->isVisible()) << c.text;
        EXPECT_EQ(Current(), c.node) << c.text;
        EXPECT_FALSE(modules->Server()->LogFile()) << c.text;
        EXPECT_EQ(modules->Server()->Hostname(), "") << c.text;
        dialog.reset();
    }
    // Port 0 keeps the control server off; that is a setting, not a mistake.
    Open();
    dialog->FrameServer->PortEdit->setText("0");
    dialog->OKButtonClick();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(SettingsDialogTest, OnlyTheUsersKeyerChangesCount)
{
    Configure([](TIniStore& ini) {
        ini.WriteString("Client\\WinKey", "Port", "/dev/ttyUSB3");
        ini.WriteInteger("Client\\WinKey", "KeyerMode", 1);
        ini.WriteInteger("Client\\WinKey", "MaxWPM", 35);
    });
    Open();
    modules->CW()->IniRead();
    dialog.reset();
    Open();
    EXPECT_FALSE(dialog->ChangedWinKey); // filling changed every control
    EXPECT_EQ(dialog->FrameCW->KeyerModeComboBox->currentIndex(), 1);
    EXPECT_EQ(dialog->FrameCW->MaxWPMEdit->value(), 35);
    EXPECT_EQ(dialog->FrameCW->COMPortComboBox->COMPort(), "/dev/ttyUSB3");

    // Unchanged keyer settings are not touched on OK.
    modules->CW()->WinKey()->SetKeyerMode(kmBug);
    dialog->OKButtonClick();
    EXPECT_EQ(modules->CW()->WinKey()->KeyerMode(), kmBug);

    dialog.reset();
    Open();
    dialog->FrameCW->SwapPaddlesCheckBox->click();
    dialog->FrameCW->KeyerModeComboBox->setCurrentIndex(2);
    EXPECT_TRUE(dialog->ChangedWinKey);
    dialog->OKButtonClick();
    EXPECT_EQ(modules->CW()->WinKey()->KeyerMode(), kmUltimatic);
    EXPECT_TRUE(modules->CW()->WinKey()->SwapPaddles());
}

TEST_F(SettingsDialogTest, PagesAreFilledFromTheModulesAndWrittenBack)
{
    Open();
    TDMServer* server = modules->Server();
    server->SetSystemTray(false);
    server->SetWSJTPort(2237);
    modules->RTTY()->MMTTYInterface()->SetMMTTYPath("/opt/mmtty/MMTTY.exe");
    modules->RTTY()->SetUseMMTTYEngine(true);
    modules->AudioServer()->SetPTTTimeout(120);
    dialog.reset();
    Open();
    EXPECT_FALSE(dialog->FrameServerApplication->SystemTrayCheckBox->isChecked());
    EXPECT_FALSE(dialog->FrameServerApplication->StartMinimizedCheckBox->isEnabled());
    EXPECT_TRUE(dialog->FrameServerApplication->StartMinimizedCheckBox->isHidden());
    EXPECT_FALSE(dialog->FrameServerApplication->OpenLogFileButton->isEnabled()); // no log yet
    EXPECT_EQ(dialog->FrameWSJT->WSJTPortEdit->text(), "2237");
    EXPECT_EQ(dialog->FrameMMTTY->MMTTYFolderEdit->text(), "/opt/mmtty/MMTTY.exe");
    EXPECT_TRUE(dialog->FrameMMTTY->RunMMTTYLocalCheckBox->isHidden());
    EXPECT_TRUE(dialog->FrameDVK->ClientGroupBox->isHidden());
    EXPECT_TRUE(dialog->FrameAudioServerBuffers->GroupBox2->isHidden());
    EXPECT_EQ(dialog->FramePTT->TimeoutEdit->value(), 120);

    dialog->FrameServerApplication->LogFileCheckBox->setChecked(true);
    dialog->FrameServer->HostNameEdit->setText("SHACK");
    dialog->FrameServer->PortEdit->setText("7300");
    dialog->FrameServer->ShutdownRadioCheckBox->setChecked(true);
    dialog->FrameWSJT->WSJTServerCheckBox->setChecked(true);
    dialog->FrameAudioServerPort->AudioPortEdit->setText("4010");
    dialog->FrameMMTTY->IntervalEdit->setValue(1000);
    dialog->FrameDVK->UseDVKCheckBox->setChecked(true);
    dialog->FrameDVK->ComPortComboBox->SetCOMPort("/dev/ttyACM0");
    dialog->OKButtonClick();
    EXPECT_TRUE(server->LogFile());
    EXPECT_EQ(server->Hostname(), "SHACK");
    EXPECT_EQ(server->Port(), 7300);
    EXPECT_TRUE(server->ShutdownRadio());
    EXPECT_TRUE(server->WSJTEnabled());
    EXPECT_EQ(modules->AudioServer()->RAServer()->AudioPort(), 4010);
    EXPECT_EQ(modules->RTTY()->MMTTYInterface()->LevelTimerInterval(), 1000);
    modules->Application()->Close();
    TIniStore store(TDMApplication::SettingsFileName());
    EXPECT_EQ(store.ReadInteger("Server\\RemoteServer", "Port", 0), 7300);
    EXPECT_TRUE(store.ReadBool("Server\\Application", "ShutdownRadio", false));
    EXPECT_EQ(store.ReadInteger("Client\\MMTTY", "LevelTimerInterval", 0), 1000);
    EXPECT_EQ(store.ReadString("Client\\DVK", "Port", ""), "/dev/ttyACM0");
}

TEST_F(SettingsDialogTest, AfterOKTheDevicesAreClosedSavedAndOpenedAgain)
{
    vxtest::RadioSimulator first(FT2000);
    vxtest::RadioSimulator second(FT950);
    const quint16 oldPort = FreePort();
    Configure([&](TIniStore& ini) {
        ConfigurePorts(ini, first.portName(), "");
        ConfigureRemoteServer(ini, oldPort);
    });
    Start();
    ASSERT_TRUE(modules->Server()->Active());
    ASSERT_TRUE(modules->Radio()->RadioComPort()->connected());
    LinePeer client;
    ASSERT_TRUE(client.Connect(oldPort));

    const quint16 newPort = FreePort();
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TServerSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->FrameCOMPort->ComPortComboBox->SetCOMPort(second.portName());
        dlg->FrameServer->PortEdit->setText(QString::number(newPort));
        dlg->OKButton->click();
    });
    form->SettingsActionExecute();

    // The clients were told and let go; the server listens on its new port.
    EXPECT_TRUE(client.WaitFor("MG:SHACK is shutting down") || client.WaitClosed());
    EXPECT_TRUE(client.WaitClosed());
    EXPECT_TRUE(modules->Server()->Active());
    EXPECT_EQ(form->PortLabel->text(), QString("Port %1").arg(newPort));
    LinePeer again;
    EXPECT_TRUE(again.Connect(newPort));

    // The radio is on its new port and talks there.
    EXPECT_EQ(modules->Radio()->RadioComPort()->port(), second.portName());
    EXPECT_TRUE(modules->Radio()->RadioComPort()->connected());
    EXPECT_EQ(form->RadioCOMLabel->toolTip(), second.portName());
    second.clearCommands();
    EXPECT_TRUE(waitUntil([&] { return !second.commands().isEmpty(); }, 6000));

    modules->Application()->Close();
    TIniStore store(TDMApplication::SettingsFileName());
    EXPECT_EQ(store.ReadString("Client\\RadioCOMPort", "Port", ""), second.portName());
    EXPECT_EQ(store.ReadInteger("Server\\RemoteServer", "Port", 0), newPort);
    EXPECT_EQ(Messages(), 0);
}

TEST_F(SettingsDialogTest, PagesRender)
{
    Configure([](TIniStore& ini) {
        ConfigurePorts(ini, "/dev/ttyUSB0", "/dev/ttyUSB1");
        ConfigureRemoteServer(ini, 7300, {"DL1ABC", "W1AW"});
    });
    Open();
    modules->Radio()->IniRead();
    modules->CW()->IniRead();
    modules->Server()->IniRead();
    dialog.reset();
    Open();
    dialog->show();
    const std::pair<const char*, const char*> pages[] = {
        {"Application", "application"}, {"Radio COM Port", "radio_port"}, {"Port", "remote_server"},
        {"Users", "users"},             {"Server PTT", "ptt"},            {"Server Codecs", "codecs"},
        {"Server Audio Buffers", "buffers"}, {"K1EL WinKey", "winkey"},   {"DVK", "dvk"},
        {"MMTTY", "mmtty"},             {"IPC", "ipc"},                   {"WSJT-X Logging", "wsjt"},
    };
    for (auto [caption, name] : pages) {
        Select(caption);
        EXPECT_TRUE(SaveArtifact(Render(*dialog), QString("server_settings_%1.png").arg(name))) << name;
    }
}
