// The client's settings pages against the program's modules: loaded from them, edited as a
// user would, applied, and checked in the modules, on the devices (keyer and knob simulators,
// ptys) and in the settings store.
#include "client/DataModules.h"
#include "client/widgets/settings/SettingsPageGroup.h"
#include "core/DMApplication.h"
#include "core/IniStore.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMFlexControl.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "keying/FlexControl.h"
#include "keying/MMTTYInterface.h"
#include "keying/WinKeyer.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "remote/DMAudioClient.h"
#include "remote/DMAudioServer.h"
#include "remote/DMClient.h"
#include "remote/DMPlayback.h"
#include "remote/DMServer.h"
#include "remote/IPCServer.h"
#include "remote/PTTPort.h"
#include "remote/RAAudio.h"
#include "remote/RACodec.h"
#include "remote/RAServer.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/FlexControlSimulator.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/Pty.h"
#include "tests/support/Wait.h"
#include "tests/support/WhenModal.h"
#include "tests/support/WinKeyerSimulator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using vxtest::run;
using vxtest::runUntil;
using vxtest::waitUntil;
using vxtest::WhenModal;

namespace {

// Typed as keys, so that the edit's own change events run.
void Type(QLineEdit* edit, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &key);
    }
}

void Click(TRadioGroup* group, int item)
{
    group->findChildren<QRadioButton*>().at(item)->click();
}

TRemoteBaseParameter Base(const QString& name, uint32_t port = 7300, bool active = false)
{
    TRemoteBaseParameter b;
    b.Hostname = name;
    b.Host = QStringLiteral("127.0.0.1");
    b.Port = port;
    b.Username = QStringLiteral("DL1ABC");
    b.Password = QStringLiteral("secret");
    b.AudioPort = port + 1;
    b.Active = active;
    return b;
}

class SettingsPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        Modules = CreateClientDataModules();
        Host = std::make_unique<QWidget>();
        Pages = new TSettingsPages(*Modules, Host.get());
        Pages->FInputDevices = {QStringLiteral("Mic (0)")};
        Pages->FOutputDevices = {QStringLiteral("Speakers (0)"), QStringLiteral("Headset (1)")};
    }
    void TearDown() override
    {
        Host.reset();
        Modules.reset();
        vx::Clock::useSystem();
    }
    // The dialog's loading steps for these pages.
    void Load(TApplicationType role = isLocal)
    {
        Pages->Loading = true;
        Pages->LoadRemoteServer();
        Pages->LoadRemoteAudio();
        Pages->LoadCW();
        Pages->LoadRTTY();
        Pages->LoadDevices();
        Pages->LoadRole(role);
        Pages->ChangedWinKey = false;
        Pages->ChangedCodec = false;
        Pages->Loading = false;
    }
    TIniStore& Ini() { return *Modules->Application()->IniRegistry(); }
    // Adds a station through the host dialog as a user would.
    void AddHost(const QString& name, const QString& port = "7300", const QString& audioPort = "7301")
    {
        WhenModal<QWidget>([=](QWidget* w) {
            auto* form = qobject_cast<TSettingsNewHostForm*>(w);
            ASSERT_NE(form, nullptr);
            form->HostNameEdit->setText(name);
            form->IPEdit->setText("127.0.0.1");
            form->PortEdit->setText(port);
            form->UserNameEdit->setText("DL1ABC");
            form->PasswordEdit->setText("secret");
            form->AudioPortEdit->setText(audioPort);
            ASSERT_TRUE(form->OKButton->isEnabled());
            form->OKButton->click();
        });
        Pages->FrameClient->NewHostButtonClick();
    }
    QStringList ListTexts() const
    {
        QStringList texts;
        for (int i = 0; i < Pages->FrameClient->CheckListBox->count(); ++i)
            texts << Pages->FrameClient->CheckListBox->item(i)->text();
        return texts;
    }

    vxtest::PrivateBus Bus;
    ScopedConfigHome Home;
    std::unique_ptr<TDataModules> Modules;
    std::unique_ptr<QWidget> Host;
    TSettingsPages* Pages = nullptr;
};

// --- CW -------------------------------------------------------------------------------------

class SettingsKeyerTest : public SettingsPagesTest {
protected:
    void OpenKeyer()
    {
        ASSERT_TRUE(Sim.ok());
        TDMCW* cw = Modules->CW();
        cw->WinKeyComPort()->setPort(Sim.portName());
        cw->Open();
        ASSERT_TRUE(runUntil([&] { return cw->WinKey()->Active(); }, 3000));
        run(100);
        Sim.clearLog();
    }
    QByteArray HostBytes() const
    {
        QByteArray bytes;
        for (const auto& e : Sim.log())
            if (e.fromHost)
                bytes += e.bytes;
        return bytes;
    }
    vxtest::WinKeyerSimulator Sim;
};

TEST_F(SettingsKeyerTest, OnlyMessagesChangedLeavesTheKeyerAlone)
{
    OpenKeyer();
    Load();
    Pages->FrameCWMessages1->MessageEdits[0]->setText("CQ TEST");
    Pages->ApplyCW(false);
    run(200);
    EXPECT_TRUE(HostBytes().isEmpty());
    EXPECT_TRUE(Modules->CW()->WinKey()->Active());
    EXPECT_EQ(Modules->Messages()->GetMessage(mtCW, 1), "CQ TEST");
}

TEST_F(SettingsKeyerTest, AChangedKeyerModeReopensTheKeyerWithIt)
{
    OpenKeyer();
    Load();
    const uint8_t before = Sim.modeRegister();
    Pages->FrameCW->KeyerModeComboBox->setCurrentIndex(kmUltimatic);
    EXPECT_TRUE(Pages->ChangedWinKey);
    Pages->ApplyCW(false);
    ASSERT_TRUE(runUntil([&] { return Modules->CW()->WinKey()->Active() && Sim.hostOpen(); }, 3000));
    run(200);
    const QByteArray bytes = HostBytes();
    const int close = int(bytes.indexOf(QByteArray("\x00\x03", 2)));
    const int open = int(bytes.indexOf(QByteArray("\x00\x02", 2)));
    EXPECT_GE(close, 0);
    EXPECT_GT(open, close);
    EXPECT_EQ(Modules->CW()->WinKey()->KeyerMode(), kmUltimatic);
    EXPECT_NE(Sim.modeRegister(), before);
    EXPECT_EQ(Sim.modeRegister(), Modules->CW()->WinKey()->ModeRegister());
}

TEST_F(SettingsKeyerTest, UnderANewRoleTheKeyerStaysClosed)
{
    OpenKeyer();
    Load();
    Pages->FrameCW->SwapPaddlesCheckBox->click();
    Pages->ApplyCW(true);
    run(300);
    EXPECT_FALSE(Modules->CW()->WinKey()->Active());
    EXPECT_FALSE(Sim.hostOpen());
    EXPECT_TRUE(Modules->CW()->WinKey()->SwapPaddles());
}

TEST_F(SettingsPagesTest, KeyerSpeedsAreStoredAsTheKeyerClampsThem)
{
    Load();
    Pages->FrameCW->MinWPMEdit->setValue(10);
    Pages->ApplyCW(false);
    Load();
    Pages->FrameCW->MaxWPMEdit->setValue(8);
    Pages->FrameCW->MinWPMEdit->setValue(10);
    Pages->ApplyCW(false);
    const TWinKeyer& k = *Modules->CW()->WinKey();
    EXPECT_LE(k.MinWPM(), k.MaxWPM());
    EXPECT_EQ(Ini().ReadInteger("Client\\WinKey", "MaxWPM", -1), k.MaxWPM());
    EXPECT_EQ(Ini().ReadInteger("Client\\WinKey", "MinWPM", -1), k.MinWPM());
    EXPECT_EQ(k.MaxWPM(), 10);
}

TEST_F(SettingsPagesTest, KeyerControlsFollowTheRoleAndLoadingRaisesNoChange)
{
    for (const TApplicationType role : {isLocal, isLocalAndRemoteServer, isRemoteServer, isRemoteClient}) {
        Load(role);
        const bool enabled = role == isLocal || role == isLocalAndRemoteServer;
        for (QWidget* control : Pages->FrameCW->KeyerControls())
            EXPECT_EQ(control->isEnabled(), enabled) << int(role);
        EXPECT_FALSE(Pages->ChangedWinKey);
    }
}

TEST_F(SettingsPagesTest, SidetoneEchoFollowsTheUseBox)
{
    Modules->CW()->SetUseSidetone(true);
    Modules->CW()->SetSidetoneEcho(1);
    Load();
    TSettingsSidetoneFrame* page = Pages->FrameSidetone;
    EXPECT_EQ(page->EchoRadioGroup->ItemIndex(), 1);
    EXPECT_TRUE(page->TestButton->isEnabled());

    page->UseSidetoneCheckBox->click();
    EXPECT_EQ(page->EchoRadioGroup->ItemIndex(), -1);
    EXPECT_FALSE(page->PitchEdit->isEnabled());
    EXPECT_FALSE(page->VolumeBar->isEnabled());
    Pages->ApplyCW(false);
    EXPECT_FALSE(Modules->CW()->UseSidetone());
    EXPECT_EQ(Modules->CW()->SidetoneEcho(), -1);
    EXPECT_EQ(Ini().ReadInteger("Client\\CWSidetone", "Echo", 99), -1);

    // Checked again with no echo item: the recommended one.
    page->UseSidetoneCheckBox->click();
    EXPECT_EQ(page->EchoRadioGroup->ItemIndex(), 0);
    page->OutputDevicesComboBox->setCurrentIndex(1);
    page->PitchEdit->setValue(850);
    page->VolumeBar->setValue(5);
    Pages->ApplyCW(false);
    EXPECT_EQ(Modules->CW()->CWSidetone()->DeviceID(), 1u);
    EXPECT_EQ(Modules->CW()->CWSidetone()->Pitch(), 850);
    EXPECT_EQ(Modules->CW()->CWSidetone()->Volume(), 5);
}

TEST_F(SettingsPagesTest, CWMessagesAndCaptionsRoundTrip)
{
    Load();
    EXPECT_EQ(Pages->FrameCWMessages1->CapEdits[0]->maxLength(), 14);
    Pages->FrameCWMessages1->MessageEdits[2]->setText("TU 5NN");
    Pages->FrameCWMessages1->CapEdits[2]->setText("Reply");
    Pages->FrameCWMessages1->CapEdits[3]->setText("");
    Pages->FrameCWMessages2->CWEdit10->setText("5NN <STXN>");
    Pages->FrameCWMessages2->CWEdit11->setText("TU <MYCALL>");
    Pages->ApplyCW(false);
    TDMMessages* m = Modules->Messages();
    EXPECT_EQ(m->GetMessage(mtCW, 3), "TU 5NN");
    EXPECT_EQ(m->GetMessageCaption(mtCW, 3), "Reply");
    EXPECT_EQ(m->GetMessageCaption(mtCW, 4), TDMMessages::EmptyCaption);
    EXPECT_EQ(m->GetMessage(mtCW, 10), "5NN <STXN>");
    EXPECT_EQ(m->GetMessage(mtCW, 11), "TU <MYCALL>");
    // Written at once: a new store reads them.
    Modules->Application()->Close();
    TIniStore store(TDMApplication::SettingsFileName());
    EXPECT_FALSE(store.ReadSection(TDMMessages::SectionCW).isEmpty());
}

// --- RTTY -----------------------------------------------------------------------------------

TEST_F(SettingsPagesTest, MMTTYStartOptionsLoadAndApply)
{
    TMMTTYInterface* mmtty = Modules->RTTY()->MMTTYInterface();
    mmtty->MMTTYStartOptions().SetHidden(true);
    mmtty->MMTTYStartOptions().SetStayOnTop(true);
    Load();
    EXPECT_FALSE(Pages->FrameMMTTY->MMTTYHiddenCheckBox->isChecked());
    EXPECT_TRUE(Pages->FrameMMTTY->MMTTYStayOnTopCheckBox->isChecked());

    Pages->FrameMMTTY->MMTTYFolderEdit->setText("/opt/mmtty/MMTTY.exe");
    Pages->FrameMMTTY->IntervalEdit->setValue(0);
    Pages->FrameMMTTY->UseMMTTYEngineCheckBox->setChecked(true);
    Pages->FrameFSKMessages->MessageEdits[0]->setText("CQ CQ DE <MYCALL>");
    Pages->FrameFSKMessages->CapEdits[0]->setText("CQ");
    Pages->ApplyRTTY();
    EXPECT_FALSE(mmtty->MMTTYStartOptions().Hidden());
    EXPECT_TRUE(mmtty->MMTTYStartOptions().StayOnTop());
    EXPECT_EQ(mmtty->MMTTYPath(), "/opt/mmtty/MMTTY.exe");
    EXPECT_EQ(mmtty->LevelTimerInterval(), 0);
    EXPECT_TRUE(Modules->RTTY()->UseMMTTYEngine());
    EXPECT_EQ(Modules->Messages()->GetMessage(mtDigital, 1), "CQ CQ DE <MYCALL>");
    EXPECT_EQ(Modules->Messages()->GetMessageCaption(mtDigital, 1), "CQ");
}

// --- Remote connections ---------------------------------------------------------------------

TEST_F(SettingsPagesTest, StationsAreAddedCheckedAndLimitedToSix)
{
    Load();
    TSettingsClientFrame* page = Pages->FrameClient;
    AddHost("Home");
    ASSERT_EQ(page->ARemoteBaseCount, 1);
    EXPECT_EQ(page->CheckListBox->item(0)->checkState(), Qt::Checked);
    EXPECT_TRUE(page->ARemoteBaseParameters[0].Active);
    for (const char* name : {"B", "C", "D", "E", "F"})
        AddHost(name, "7400", "7401");
    EXPECT_EQ(page->ARemoteBaseCount, 6);
    EXPECT_FALSE(page->NewHostButton->isEnabled());

    // Checking the second unchecks the first.
    page->CheckListBox->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(page->CheckListBox->item(0)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(page->ARemoteBaseParameters[0].Active);
    EXPECT_TRUE(page->ARemoteBaseParameters[1].Active);
    EXPECT_EQ(page->PortLabel->text(), "7400");

    Pages->ApplyRemoteConnections();
    int active = 0;
    for (int i = 0; i < 6; ++i)
        active += Modules->Client()->RemoteBaseParameter(i).Active;
    EXPECT_EQ(active, 1);
    EXPECT_EQ(Modules->AudioClient()->Host(), "127.0.0.1");
    EXPECT_EQ(Modules->AudioClient()->AudioPort(), 7401u);
    EXPECT_EQ(Modules->AudioClient()->Username(), "DL1ABC");
    EXPECT_EQ(Modules->AudioClient()->Password(), "secret");

    // Removing one lets a new one in again; unchecking clears the active mark.
    page->CheckListBox->setCurrentRow(5);
    WhenModal<QWidget>([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Are you sure to remove this entry?");
        box->button(QMessageBox::Ok)->click();
    });
    page->RemoveHostButtonClick();
    EXPECT_TRUE(page->NewHostButton->isEnabled());
    page->CheckListBox->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(page->ARemoteBaseParameters[1].Active);
}

TEST_F(SettingsPagesTest, RemovingTheMiddleStationWritesTwoSections)
{
    for (int i = 0; i < 3; ++i)
        Modules->Client()->SetRemoteBaseParameter(i, Base(QString("Station %1").arg(i), 7300 + 10 * i, i == 0));
    Modules->Client()->IniWrite();
    Load();
    TSettingsClientFrame* page = Pages->FrameClient;
    page->CheckListBox->setCurrentRow(1);
    WhenModal<QWidget>([](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click(); });
    page->RemoveHostButtonClick();
    EXPECT_EQ(ListTexts(), (QStringList{"Station 0", "Station 2"}));
    EXPECT_TRUE(page->ARemoteBaseParameters[5].Hostname.isEmpty());
    EXPECT_FALSE(page->EditHostButton->isEnabled());
    EXPECT_TRUE(page->HostNameLabel->text().isEmpty());

    Pages->ApplyRemoteConnections();
    EXPECT_TRUE(Ini().SectionExists("Client\\RemoteBases\\Base0"));
    EXPECT_TRUE(Ini().SectionExists("Client\\RemoteBases\\Base1"));
    EXPECT_FALSE(Ini().SectionExists("Client\\RemoteBases\\Base2"));
    EXPECT_EQ(Ini().ReadString("Client\\RemoteBases\\Base1", "Hostname", ""), "Station 2");

    // Cancel keeps the entry.
    page->CheckListBox->setCurrentRow(0);
    WhenModal<QWidget>([](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Cancel)->click(); });
    page->RemoveHostButtonClick();
    EXPECT_EQ(page->ARemoteBaseCount, 2);
}

TEST_F(SettingsPagesTest, StationsAfterAGapAreEditedAndAddedWhereTheyShow)
{
    // Slots 1 and 3 only, as a hand-edited store or an older program may leave them.
    Modules->Client()->SetRemoteBaseParameter(1, Base("Alpha", 7300));
    Modules->Client()->SetRemoteBaseParameter(3, Base("Bravo", 7400, true));
    Load();
    TSettingsClientFrame* page = Pages->FrameClient;
    EXPECT_EQ(ListTexts(), (QStringList{"Alpha", "Bravo"}));
    EXPECT_EQ(page->CheckListBox->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(page->HostNameLabel->text(), "Bravo");

    page->CheckListBox->setCurrentRow(1);
    EXPECT_EQ(page->IPLabel->text(), "127.0.0.1");
    WhenModal<QWidget>([](QWidget* w) {
        auto* form = qobject_cast<TSettingsNewHostForm*>(w);
        EXPECT_EQ(form->windowTitle(), TSettingsNewHostForm::EditCaption);
        EXPECT_EQ(form->HostNameEdit->text(), "Bravo");
        form->HostNameEdit->setText("Bravo 2");
        form->OKButton->click();
    });
    page->EditHostButtonClick();
    // The list shows the new name at once.
    EXPECT_EQ(ListTexts(), (QStringList{"Alpha", "Bravo 2"}));
    AddHost("Charlie", "7500", "");
    EXPECT_EQ(ListTexts(), (QStringList{"Alpha", "Bravo 2", "Charlie"}));

    Pages->ApplyRemoteConnections();
    TDMClient* client = Modules->Client();
    EXPECT_EQ(client->RemoteBaseParameter(0).Hostname, "Alpha");
    EXPECT_EQ(client->RemoteBaseParameter(1).Hostname, "Bravo 2");
    EXPECT_TRUE(client->RemoteBaseParameter(1).Active);
    EXPECT_EQ(client->RemoteBaseParameter(2).Hostname, "Charlie");
    EXPECT_EQ(client->RemoteBaseParameter(2).AudioPort, 0u); // empty: no audio
    EXPECT_TRUE(client->RemoteBaseParameter(3).Hostname.isEmpty());
}

TEST(SettingsNewHostForm, OKNeedsEveryFieldAndDistinctPorts)
{
    TSettingsNewHostForm form;
    EXPECT_EQ(form.windowTitle(), TSettingsNewHostForm::AddCaption);
    form.SetEntry({});
    EXPECT_FALSE(form.OKButton->isEnabled());
    form.HostNameEdit->setText("Home");
    form.IPEdit->setText("example.net");
    form.PortEdit->setText("7300");
    form.UserNameEdit->setText("DL1ABC");
    EXPECT_FALSE(form.OKButton->isEnabled()); // no password yet
    form.PasswordEdit->setText("pw");
    EXPECT_TRUE(form.OKButton->isEnabled()); // the audio port may be empty

    // The server port typed as audio port: a message, OK stays off until it differs.
    form.AudioPortEdit->setText("");
    form.AudioPortEdit->setFocus();
    Type(form.AudioPortEdit, "7300");
    EXPECT_FALSE(form.AudioPortValid);
    EXPECT_FALSE(form.OKButton->isEnabled());
    auto* box = form.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "The audio port must be another than the server port!");
    EXPECT_EQ(box->windowTitle(), "Error");
    box->button(QMessageBox::Ok)->click();
    QApplication::processEvents();
    form.AudioPortEdit->setText("730");
    Type(form.AudioPortEdit, "1");
    EXPECT_EQ(form.AudioPortEdit->text(), "7301");
    EXPECT_TRUE(form.AudioPortValid);
    EXPECT_TRUE(form.OKButton->isEnabled());
    EXPECT_EQ(form.Entry().AudioPort, 7301u);

    // Ports that are no port numbers keep OK off; the user name is upper case.
    struct Case {
        const char* port;
        const char* audio;
        bool ok;
    };
    for (const Case c : {Case{"0", "", false}, Case{"99999", "", false}, Case{"7300", "99999", false},
                         Case{"7300", "0", true}, Case{"65535", "", true}}) {
        form.SetEntry({});
        form.HostNameEdit->setText("Home");
        form.IPEdit->setText("example.net");
        form.UserNameEdit->setText("DL1ABC");
        form.PasswordEdit->setText("pw");
        form.PortEdit->setText(c.port);
        form.AudioPortEdit->setText(c.audio);
        form.UpdateOK();
        EXPECT_EQ(form.OKButton->isEnabled(), c.ok) << c.port << " " << c.audio;
    }
    EXPECT_EQ(form.Entry().AudioPort, 0u);
}

TEST_F(SettingsPagesTest, ServerPortAndUsers)
{
    Load();
    EXPECT_FALSE(Pages->FrameServer->ShutdownRadioCheckBox->isVisibleTo(Pages->FrameServer));
    Pages->FrameServer->HostNameEdit->setText("MYHOST");
    Pages->FrameServer->PortEdit->setText("7300");
    Pages->FrameUsers->UsersMemo->setPlainText("B\n\nA\nb");
    Pages->FrameUsers->PasswordEdit->setText("pw");
    EXPECT_FALSE(Pages->CheckPorts());
    Pages->ApplyRemoteServer();
    EXPECT_EQ(Modules->Server()->Users(), (QStringList{"A", "B"}));
    EXPECT_EQ(Modules->Server()->Port(), 7300);
    EXPECT_EQ(Ini().ReadString("Server\\RemoteServer", "Hostname", ""), "MYHOST");
    EXPECT_EQ(Ini().ReadString("Server\\Users", "User0", ""), "A");
    EXPECT_EQ(Ini().ReadString("Server\\Users", "User1", ""), "B");
    EXPECT_EQ(Ini().ReadString("Server\\Users", "User2", "none"), "none");
}

TEST_F(SettingsPagesTest, BadPortsAreFoundBeforeAnythingIsApplied)
{
    struct Case {
        const char* host;
        const char* port;
        bool audioOn;
        const char* audioPort;
        QWidget* TSettingsPages::*badPage; // null: all good
    };
    Load();
    using P = TSettingsPages;
    const Case cases[] = {
        {"HOST", "70000", false, "4000", reinterpret_cast<QWidget* P::*>(&P::FrameServer)},
        {"HOST", "abc", false, "4000", reinterpret_cast<QWidget* P::*>(&P::FrameServer)},
        {"HOST", "", false, "4000", reinterpret_cast<QWidget* P::*>(&P::FrameServer)},
        {"HOST", "0", false, "4000", reinterpret_cast<QWidget* P::*>(&P::FrameServer)},
        {"", "0", false, "0", nullptr}, // both features off
        {"HOST", "7300", true, "0", reinterpret_cast<QWidget* P::*>(&P::FrameAudioServerPort)},
        {"HOST", "7300", true, "70000", reinterpret_cast<QWidget* P::*>(&P::FrameAudioServerPort)},
        {"HOST", "7300", false, "", reinterpret_cast<QWidget* P::*>(&P::FrameAudioServerPort)},
        {"HOST", "65535", true, "1", nullptr},
    };
    for (const Case& c : cases) {
        Pages->FrameServer->HostNameEdit->setText(c.host);
        Pages->FrameServer->PortEdit->setText(c.port);
        Pages->FrameAudioServerPort->ActivateServerCheckBox->setChecked(c.audioOn);
        Pages->FrameAudioServerPort->AudioPortEdit->setText(c.audioPort);
        const auto bad = Pages->CheckPorts();
        if (!c.badPage) {
            EXPECT_FALSE(bad) << c.port << " " << c.audioPort;
            continue;
        }
        ASSERT_TRUE(bad) << c.port << " " << c.audioPort;
        EXPECT_EQ(bad->Page, Pages->*c.badPage) << c.port << " " << c.audioPort;
        EXPECT_TRUE(bad->Message.contains("65535"));
    }
}

// --- Remote audio ---------------------------------------------------------------------------

TEST_F(SettingsPagesTest, CodecPagesShowTheTransferRate)
{
    Load();
    struct Case {
        int codec, rate, bits, channels;
        const char* label;
        bool pcm;
    };
    const Case cases[] = {
        {1, 0, -1, -1, "Transfer rate: 1.8 kB/s", false},
        {0, 2, 1, 1, "Transfer rate: 86 kB/s", true},
        {0, 0, 0, 0, "Transfer rate: 8 kB/s", true},
    };
    for (TSettingsAudioCodecsFrame* page :
         {static_cast<TSettingsAudioCodecsFrame*>(Pages->FrameAudioClientCodecs),
          static_cast<TSettingsAudioCodecsFrame*>(Pages->FrameAudioServerCodecs)}) {
        for (const Case& c : cases) {
            Click(page->CodecRadioGroup, c.codec);
            Click(page->SampleRateRadioGroup, c.rate);
            if (c.bits >= 0)
                Click(page->BPSRadioGroup, c.bits);
            if (c.channels >= 0)
                Click(page->ChannelsRadioGroup, c.channels);
            EXPECT_EQ(page->TransferRateLabel->text(), c.label);
            EXPECT_EQ(page->BPSRadioGroup->isEnabled(), c.pcm);
            EXPECT_EQ(page->ChannelsRadioGroup->isEnabled(), c.pcm);
        }
    }
}

TEST_F(SettingsPagesTest, OnlyTheClientCodecPageRaisesChangedCodec)
{
    Load();
    Click(Pages->FrameAudioServerCodecs->ChannelsRadioGroup, 1);
    EXPECT_FALSE(Pages->ChangedCodec);
    Click(Pages->FrameAudioClientCodecs->SampleRateRadioGroup, 1);
    EXPECT_TRUE(Pages->ChangedCodec);
}

TEST_F(SettingsPagesTest, CodecsApplyToOneDirectionTheOtherStaysMono)
{
    Modules->AudioServer()->RAAudioIn()->Codec().SetCodec(PCM44);
    Load();
    // PCM44 has no item and stays as it was.
    EXPECT_EQ(Pages->FrameAudioServerCodecs->CodecRadioGroup->ItemIndex(), -1);
    Click(Pages->FrameAudioClientCodecs->CodecRadioGroup, 0);
    Click(Pages->FrameAudioClientCodecs->SampleRateRadioGroup, 2);
    Click(Pages->FrameAudioClientCodecs->BPSRadioGroup, 1);
    Click(Pages->FrameAudioClientCodecs->ChannelsRadioGroup, 1);
    Pages->FrameAudioClientBuffers->BufferLengthEdit->setValue(120);
    Pages->FrameAudioClientBuffers->OverrunEdit->setValue(8);
    Pages->FrameAudioClientDevices->OutputDevicesComboBox->setCurrentIndex(1);
    Pages->ApplyRemoteAudio();
    const TRACodec& out = Modules->AudioClient()->RAAudioOut()->Codec();
    const TRACodec& in = Modules->AudioClient()->RAAudioIn()->Codec();
    EXPECT_EQ(out.Codec(), PCM22);
    EXPECT_EQ(out.BitsPerSample(), 16);
    EXPECT_EQ(out.Channels(), 2);
    EXPECT_EQ(out.DeviceID(), 1u);
    EXPECT_EQ(in.Codec(), PCM22);
    EXPECT_EQ(in.BitsPerSample(), 16);
    EXPECT_EQ(in.Channels(), 1);
    EXPECT_EQ(in.BufferLength(), 120);
    EXPECT_EQ(Modules->AudioClient()->RAAudioOut()->LimitOverrun(), 8);
    EXPECT_EQ(Modules->AudioServer()->RAAudioIn()->Codec().Codec(), PCM44);
    EXPECT_FALSE(Pages->FrameAudioServerBuffers->GroupBox2->isVisibleTo(Pages->FrameAudioServerBuffers));
    EXPECT_TRUE(Pages->FrameAudioClientBuffers->GroupBox2->isVisibleTo(Pages->FrameAudioClientBuffers));
}

TEST_F(SettingsPagesTest, ClearingThePTTPortClosesItAndStoresNone)
{
    vxtest::Pty pty;
    ASSERT_TRUE(pty.ok());
    TPTTPort* ptt = Modules->AudioServer()->PTTComPort();
    ptt->SetPort(pty.slaveName());
    ASSERT_TRUE(ptt->Open());
    Load();
    EXPECT_TRUE(Pages->FramePTT->RTSComboBox->isEnabled());
    Pages->FramePTT->ComPortComboBox->SetCOMPort("");
    EXPECT_FALSE(Pages->FramePTT->RTSComboBox->isEnabled());
    EXPECT_FALSE(Pages->FramePTT->DTRComboBox->isEnabled());
    EXPECT_FALSE(Pages->FramePTT->TimeoutEdit->isEnabled());
    Pages->ApplyRemoteAudio();
    EXPECT_FALSE(ptt->Connected());
    EXPECT_EQ(ptt->Port(), "");
}

// --- Devices --------------------------------------------------------------------------------

TEST_F(SettingsPagesTest, FlexControlIsReopenedOnlyWhenItChanged)
{
    vxtest::FlexControlSimulator first, second;
    ASSERT_TRUE(first.ok() && second.ok());
    TDMFlexControl* flex = Modules->FlexControl();
    flex->SetPort(first.portName());
    flex->SetUseFlexControl(true);
    flex->Open();
    ASSERT_TRUE(waitUntil([&] { return flex->FlexControl()->Active() && first.commands().size() >= 2; }));
    first.clearCommands();

    Load();
    Pages->ApplyDevices();
    vxtest::spin(100);
    EXPECT_TRUE(first.commands().isEmpty());

    Load();
    Pages->FrameFlexControl->FlexControlCombo->SetCOMPort(second.portName());
    Pages->ApplyDevices();
    ASSERT_TRUE(waitUntil([&] { return first.commands().contains("I000"); }));
    ASSERT_TRUE(waitUntil([&] { return second.commands().size() >= 2; }));
    EXPECT_EQ(second.commands().mid(0, 2), (QStringList{"F", "I111"}));
    EXPECT_EQ(flex->Port(), second.portName());

    Load();
    Pages->FrameFlexControl->FlexControlCheckBox->click();
    EXPECT_FALSE(Pages->FrameFlexControl->FlexControlCombo->isEnabled());
    second.clearCommands();
    Pages->ApplyDevices();
    ASSERT_TRUE(waitUntil([&] { return second.commands().contains("I000"); }));
    EXPECT_FALSE(flex->FlexControl()->Active());
    EXPECT_EQ(flex->Port(), "");
    EXPECT_FALSE(flex->UseFlexControl());
    EXPECT_EQ(Ini().ReadString(TDMFlexControl::Section, "Port", "x"), "");
}

TEST_F(SettingsPagesTest, UncheckingTheDVKWithTheRouterOpenClosesIt)
{
    vxtest::Pty pty;
    ASSERT_TRUE(pty.ok());
    TDMDVK* dvk = Modules->DVK();
    dvk->SetUseDVK(true);
    dvk->ComPort()->setPort(pty.slaveName());
    ASSERT_TRUE(dvk->ComPort()->open());
    Load();
    Pages->FrameDVK->UseDVKCheckBox->click();
    EXPECT_FALSE(Pages->FrameDVK->ComPortComboBox->isEnabled());
    Pages->ApplyDevices();
    EXPECT_FALSE(dvk->ComPort()->connected());
    EXPECT_EQ(dvk->ComPort()->port(), "");
    EXPECT_FALSE(dvk->UseDVK());
}

TEST_F(SettingsPagesTest, DVKTestPlaysOnlyAFirstMessageFile)
{
    QTemporaryDir dir;
    Load();
    EXPECT_FALSE(Pages->FrameDVK->TestButton->isEnabled());
    Pages->FrameDVK->PlayMessagesCheckBox->click();
    EXPECT_TRUE(Pages->FrameDVK->TestButton->isEnabled());
    Pages->FrameDVK->PlayMessagesFolderEdit->setText(dir.path());
    Pages->FrameDVK->TestButton->click();
    EXPECT_EQ(Pages->DVKTestPlayer(), nullptr);

    // A msg1.wav that is no WAV: tried, nothing breaks.
    QFile bad(QDir(dir.path()).filePath("msg1.wav"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is no RIFF file");
    bad.close();
    Pages->FrameDVK->TestButton->click();
    vxtest::spin(100);
    ASSERT_NE(Pages->DVKTestPlayer(), nullptr);

    Pages->ApplyDevices();
    EXPECT_TRUE(Modules->DVK()->PlayMessages());
    EXPECT_EQ(Modules->DVK()->PlayMessagesFolder(), dir.path());
}

TEST_F(SettingsPagesTest, IPCAndPlaybackApplyAtOnce)
{
    Modules->IPCServer()->SetEnabled(true);
    Load();
    EXPECT_TRUE(Pages->FrameIPC->IPCServerCheckBox->isChecked());
    Pages->FrameIPC->IPCServerCheckBox->click();
    Pages->FramePlayback->CWEdits[0]->setText("CQ contest");
    Pages->FramePlayback->PhoneEdits[4]->setText("Name and QTH");
    Pages->FramePlayback->UseSidetoneCheckBox->setChecked(true);
    EXPECT_EQ(Pages->FramePlayback->CWEdits[0]->maxLength(), 18);
    Pages->ApplyDevices();
    EXPECT_FALSE(Modules->IPCServer()->Enabled());
    EXPECT_EQ(Modules->Playback()->GetPlaybackCaptionCW(1), "CQ contest");
    EXPECT_EQ(Modules->Playback()->GetPlaybackCaptionPhone(5), "Name and QTH");
    EXPECT_TRUE(Modules->Playback()->UseSidetone());

    Load();
    Pages->FrameIPC->IPCServerCheckBox->click();
    Pages->ApplyDevices();
    EXPECT_TRUE(Modules->IPCServer()->Enabled());
}

} // namespace

// --- Pictures -------------------------------------------------------------------------------

#include "tests/log/widgets/DialogChecks.h"

namespace {

// Each control inside its parent, no text cut off: a wrapped text is as high as its lines at its
// width, a button as wide as its text.
void ExpectPageTidy(QWidget& page)
{
    for (QWidget* w : page.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow())
            continue;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << w->metaObject()->className() << " " << w->property("text").toString().toStdString() << " "
            << w->geometry().right() << "/" << w->parentWidget()->width();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            const int need = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
            if (!label->wordWrap()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
            EXPECT_GE(label->height(), need) << label->text().toStdString();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            const int text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width();
            const int indicator = qobject_cast<QPushButton*>(w)
                                      ? 8
                                      : w->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                                            w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
            EXPECT_GE(button->width(), text + indicator) << button->text().toStdString();
        }
    }
}

TEST_F(SettingsPagesTest, EveryPageIsTidy)
{
    Modules->Client()->SetRemoteBaseParameter(0, Base("Home station", 7300, true));
    Modules->Client()->SetRemoteBaseParameter(1, Base("Field day", 7400));
    Load();
    Host->resize(TSettingsFrame::FrameWidth, TSettingsFrame::FrameHeight);
    Host->setFont(TDPIForm::FormFont()); // as inside the dialog
    Host->show();
    const std::pair<QWidget*, const char*> pages[] = {
        {Pages->FrameCW, "cw-keyer"},
        {Pages->FrameSidetone, "cw-sidetone"},
        {Pages->FrameCWMessages1, "cw-messages-1"},
        {Pages->FrameCWMessages2, "cw-messages-2"},
        {Pages->FrameMMTTY, "rtty-mmtty"},
        {Pages->FrameFSKMessages, "rtty-messages"},
        {Pages->FrameDVK, "devices-dvk"},
        {Pages->FrameFlexControl, "devices-flexcontrol"},
        {Pages->FrameIPC, "devices-ipc"},
        {Pages->FramePlayback, "playback-channels"},
        {Pages->FrameClient, "remote-connections"},
        {Pages->FrameServer, "remote-server-port"},
        {Pages->FrameUsers, "remote-server-users"},
        {Pages->FrameAudioClientGeneral, "audio-client-general"},
        {Pages->FrameAudioClientDevices, "audio-client-devices"},
        {Pages->FrameAudioClientCodecs, "audio-client-codecs"},
        {Pages->FrameAudioClientBuffers, "audio-client-buffers"},
        {Pages->FrameAudioServerPort, "audio-server-port"},
        {Pages->FramePTT, "audio-server-ptt"},
        {Pages->FrameAudioServerDevices, "audio-server-devices"},
        {Pages->FrameAudioServerCodecs, "audio-server-codecs"},
        {Pages->FrameAudioServerBuffers, "audio-server-buffers"},
    };
    ASSERT_EQ(std::size(pages), size_t(Pages->Pages().size()));
    for (const QString& caption : TSettingsPages::Captions())
        EXPECT_NE(Pages->PageOf(caption), nullptr) << caption.toStdString();
    EXPECT_EQ(Pages->PageOf("General"), nullptr);
    for (const auto& [page, name] : pages) {
        for (QWidget* p : Pages->Pages())
            p->setVisible(p == page);
        SCOPED_TRACE(name);
        ExpectPageTidy(*page);
        SaveDialogPictures(*page, QStringLiteral("settings-page-%1").arg(QLatin1String(name)));
    }
}

TEST(SettingsNewHostForm, IsTidy)
{
    TSettingsNewHostForm form;
    form.setWindowTitle(TSettingsNewHostForm::EditCaption);
    form.SetEntry(Base("Home station"));
    form.show();
    ExpectPageTidy(form);
    SaveDialogPictures(form, QStringLiteral("dialog-remote-host"));
}

} // namespace
