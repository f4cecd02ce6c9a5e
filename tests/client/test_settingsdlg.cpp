// The client's settings dialog: its page tree and page switch, the pages filled from the
// modules and applied back, the key filters and the locator check, every page checked before
// anything is applied, the radio port reconfigured only when it changed, and the renders.
#include "MainFormRig.h"
#include "client/DataModules.h"
#include "client/widgets/SettingsDlg.h"
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/IniStore.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DMDX.h"
#include "dx/DXSpots.h"
#include "dx/DXWantedSpots.h"
#include "log/DMLog.h"
#include "log/LoTWInterface.h"
#include "log/LogInterface.h"
#include "log/QRZInterface.h"
#include "remote/DMClient.h"
#include "remote/DMServer.h"
#include "controls/widgets/RCPanel.h"
#include "core/DataFiles.h"
#include "platform/SerialPort.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/controls/PageLayoutChecks.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QTableWidget>
#include <QTcpServer>
#include <QTimer>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <gtest/gtest.h>

using vxtest::waitUntil;

namespace {

class SettingsDlgTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        Dialog.reset();
        Modules.reset();
    }
    void Store(const std::function<void(TIniStore&)>& write)
    {
        TIniStore ini(TDMApplication::SettingsFileName());
        write(ini);
        ASSERT_TRUE(ini.UpdateFile());
    }
    void Open()
    {
        if (!Modules)
            Modules = CreateClientDataModules();
        Dialog = std::make_unique<TSettingsDlg>(*Modules);
    }
    void Select(const QString& caption)
    {
        Dialog->LastSetting = caption;
        Dialog->FindLastSetting();
    }
    QTreeWidgetItem* Current() const { return Dialog->TreeView1->currentItem(); }
    // Shows every page once, in tree order, and hands it on with a file name made of its caption.
    void ForEachPage(const std::function<void(const TSettingsDlg::TNode&, const QString&)>& visit)
    {
        QList<QWidget*> shown;
        for (const TSettingsDlg::TNode& node : Dialog->Nodes()) {
            if (shown.contains(node.Page))
                continue;
            shown << node.Page;
            Select(node.Caption);
            QString name = node.Caption.toLower();
            name.replace(QRegularExpression("[^a-z0-9]+"), "-");
            visit(node, name);
        }
    }
    QList<QWidget*> VisiblePages() const
    {
        QList<QWidget*> shown;
        for (QWidget* page : Dialog->Pages())
            if (!page->isHidden())
                shown << page;
        return shown;
    }
    QByteArray StoreBytes() const
    {
        QFile file(TDMApplication::SettingsFileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Characters as the user types them, one key each.
    static void Type(QLineEdit& edit, const QString& text)
    {
        for (QChar ch : text)
            Key(edit, 0, Qt::NoModifier, QString(ch));
    }

    vxtest::PrivateBus Bus;
    ScopedConfigHome Home;
    std::unique_ptr<TDataModules> Modules;
    std::unique_ptr<TSettingsDlg> Dialog;
};

} // namespace

TEST_F(SettingsDlgTest, PageTreeAndPageSwitch)
{
    Open();
    QStringList dump;
    QTreeWidgetItemIterator it(Dialog->TreeView1);
    for (; *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
            ++depth;
        dump << QString(depth * 2, ' ') + (*it)->text(0);
    }
    const QStringList expected = {
        "General", "User Interface", "Radio COM Port", "DX Cluster", "  DX Cluster", "  DX Cluster Options",
        "  DX Spots Options", "  Wanted DXCC Entities", "  Wanted DX Spots", "  Band Map", "  Band Plan", "Log Book",
        "  LoTW", "  QRZ.COM", "  WSJT-X Logging", "CW", "  K1EL WinKey", "  CW Sidetone", "  CW Messages I",
        "  CW Messages II", "RTTY", "  MMTTY Engine", "  RTTY Messages", "Devices", "  microHAM DVK", "  FlexControl",
        "  IPC", "Playback Channels", "Remote Client", "  Remote Connections", "  Remote Audio Client",
        "    Client General", "    Client Devices", "    Client Codecs", "    Client Audio Buffers", "Remote Server",
        "  Port", "  Users", "  Remote Audio Server", "    Server Port", "    Server PTT", "    Server Devices",
        "    Server Codecs", "    Server Audio Buffers"};
    EXPECT_EQ(dump, expected);
    EXPECT_EQ(Dialog->Pages().size(), 36);
    EXPECT_EQ(Dialog->windowTitle(), "Settings");
    EXPECT_EQ(Dialog->size(), QSize(683, 357));

    // Before any page was chosen the first one shows.
    EXPECT_EQ(Current()->text(0), "General");
    EXPECT_EQ(VisiblePages(), QList<QWidget*>{Dialog->FrameGeneral});

    Select("Band Plan");
    EXPECT_EQ(Current()->text(0), "Band Plan");
    EXPECT_EQ(VisiblePages(), QList<QWidget*>{Dialog->FrameBandplan});

    Select("DX Cluster");
    EXPECT_EQ(Current()->parent(), nullptr) << "the parent node comes first";
    EXPECT_EQ(VisiblePages(), QList<QWidget*>{Dialog->FrameDXCluster});

    Select("RTTY");
    Select("MMTTY Engine");
    EXPECT_EQ(VisiblePages(), QList<QWidget*>{Dialog->FrameMMTTY});
    EXPECT_EQ(Dialog->LastSetting, "MMTTY Engine");

    // An unknown or empty caption changes nothing.
    Select("Nowhere");
    EXPECT_EQ(Current()->text(0), "MMTTY Engine");
    Select("");
    EXPECT_EQ(Current()->text(0), "MMTTY Engine");
}

TEST_F(SettingsDlgTest, DeviceListEntries)
{
    EXPECT_EQ(SettingsDeviceEntries({}), QStringList{"- none -"});
    EXPECT_EQ(SettingsDeviceEntries({"Built-in", "USB"}), (QStringList{"Built-in (0)", "USB (1)"}));
}

TEST_F(SettingsDlgTest, CallSignAndLocatorFilters)
{
    Open();
    struct Case {
        bool locator;
        const char* input;
        const char* shown;
    };
    const Case cases[] = {
        {false, "dl1abc/p", "DL1ABC/P"},
        {false, "dl-1 abc", "DL1ABC"},
        {true, "jo62qm", "JO62QM"},
        {true, "1jo62qm", "JO62QM"},  // a digit first
        {true, "jo6q2qm", "JO62QM"},  // a letter third
        {true, "jo62qm77", "JO62QM"}, // the length limit
    };
    for (const Case& c : cases) {
        QLineEdit* edit = c.locator ? Dialog->FrameGeneral->MyLocatorEdit : Dialog->FrameGeneral->MyCallEdit;
        edit->clear();
        Type(*edit, c.input);
        EXPECT_EQ(edit->text(), c.shown) << "typed " << c.input;
        // Pasted text is judged as if it were typed.
        edit->clear();
        edit->insert(c.input);
        EXPECT_EQ(edit->text(), c.shown) << "pasted " << c.input;
    }
    // Deleting always passes, also in the middle.
    QLineEdit* locator = Dialog->FrameGeneral->MyLocatorEdit;
    locator->setText("JO62QM");
    locator->setCursorPosition(1);
    Key(*locator, Qt::Key_Backspace);
    EXPECT_EQ(locator->text(), "O62QM");
}

TEST_F(SettingsDlgTest, LocatorCheckOnLeavingAndOnOKButNotOnCancel)
{
    Open();
    Dialog->show();
    Dialog->activateWindow();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == Dialog.get(); }));
    QLineEdit* locator = Dialog->FrameGeneral->MyLocatorEdit;
    locator->setFocus();
    ASSERT_TRUE(waitUntil([&] { return locator->hasFocus(); }));
    Type(*locator, "jo62");

    // Leaving the edit with four characters, for the tree: the page comes back.
    Dialog->TreeView1->setFocus(Qt::MouseFocusReason);
    Select("Band Plan");
    ASSERT_TRUE(waitUntil([&] { return Dialog->FrameGeneral->LocatorMessageBox != nullptr; }));
    EXPECT_EQ(VisiblePages(), QList<QWidget*>{Dialog->FrameGeneral});
    EXPECT_EQ(Dialog->FrameGeneral->LocatorMessageBox->text(), "Locator needs six digits");
    EXPECT_TRUE(locator->hasFocus() || Dialog->FrameGeneral->LocatorMessageBox->isVisible());
    Dialog->FrameGeneral->LocatorMessageBox->close();

    // OK checks it too and applies nothing.
    Dialog->FrameGeneral->MyCallEdit->setText("DL1ABC");
    Dialog->OKButtonClick();
    EXPECT_TRUE(Dialog->isVisible());
    EXPECT_EQ(Modules->DX()->DXSpots()->MyCall(), "");
    ASSERT_NE(Dialog->CheckMessageBox, nullptr);
    EXPECT_EQ(Dialog->CheckMessageBox->text(), "Locator needs six digits");
    Dialog->CheckMessageBox->close();

    // Cancel closes without a word.
    Dialog->FrameGeneral->LocatorMessageBox->hide();
    locator->setFocus();
    Dialog->CancelButton->setFocus(Qt::MouseFocusReason);
    Dialog->CancelButton->click();
    vxtest::spin(50);
    EXPECT_FALSE(Dialog->isVisible());
    EXPECT_EQ(Dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(Dialog->FrameGeneral->LocatorMessageBox->isVisible());
}

TEST_F(SettingsDlgTest, RoleItemsAndTheirExplanation)
{
    struct Case {
        TApplicationType loaded;
        int item;
    };
    for (const Case c : {Case{isLocal, 0}, Case{isLocalAndRemoteServer, 1}, Case{isRemoteClient, 2},
                         Case{isRemoteServer, 0}}) {
        Open();
        Modules->DM()->SetApplicationType(c.loaded);
        Dialog = std::make_unique<TSettingsDlg>(*Modules);
        EXPECT_EQ(Dialog->FrameGeneral->AppTypeRadioGroup->ItemIndex(), c.item);
        EXPECT_EQ(Dialog->FrameGeneral->Label2->text(), TSettingsGeneralFrame::ExplanationText(c.item));
        // Unchanged, the role stays, also the one without an item.
        Dialog->OKButtonClick();
        EXPECT_EQ(Modules->DM()->ApplicationType(), c.loaded);
        EXPECT_FALSE(Dialog->ChangedApplicationType);
    }

    Modules->DM()->SetApplicationType(isRemoteClient);
    Dialog = std::make_unique<TSettingsDlg>(*Modules);
    EXPECT_FALSE(Dialog->ChangedApplicationType) << "loading raises no flag";
    Dialog->FrameGeneral->AppTypeRadioGroup->Button(0)->click();
    EXPECT_EQ(Dialog->FrameGeneral->Label2->text(), TSettingsGeneralFrame::ExplanationText(0));
    EXPECT_EQ(Modules->DM()->ApplicationType(), isRemoteClient) << "a click only changes the text";
    Dialog->OKButtonClick();
    EXPECT_EQ(Modules->DM()->ApplicationType(), isLocal);
    EXPECT_TRUE(Dialog->ChangedApplicationType);
}

TEST_F(SettingsDlgTest, GeneralAndUserInterfacePagesAreLoadedAndApplied)
{
    Open();
    TDXSpots* spots = Modules->DX()->DXSpots();
    spots->SetMyCall("W1AW");
    spots->SetMyLocator("FN31PR");
    spots->SetRangeUnit(ruMiles);
    TFTCATInterface* cat = Modules->Radio()->FTCATInterface();
    cat->SetTransceiverAutoDetect(false);
    cat->SetTransceiver(FT950);
    cat->SetClarifierRange(2000);
    Open();
    EXPECT_EQ(Dialog->FrameGeneral->MyCallEdit->text(), "W1AW");
    EXPECT_EQ(Dialog->FrameGeneral->MyLocatorEdit->text(), "FN31PR");
    EXPECT_EQ(Dialog->FrameGeneral->RangeUnitCB->currentIndex(), 1);
    EXPECT_EQ(Dialog->FrameUserInterface->TransceiverRadioGroup->ItemIndex(), 3);
    EXPECT_EQ(Dialog->FrameUserInterface->ClarifierRangeSpinEdit->value(), 2000);
    EXPECT_EQ(Dialog->FrameUserInterface->ClarifierRangeSpinEdit->minimum(), 100);
    EXPECT_EQ(Dialog->FrameUserInterface->ClarifierRangeSpinEdit->singleStep(), 100);

    Dialog->FrameGeneral->MyCallEdit->setText("DL1ABC");
    Dialog->FrameGeneral->MyLocatorEdit->setText("JO62QM");
    Dialog->FrameGeneral->RangeUnitCB->setCurrentIndex(0);
    Dialog->FrameUserInterface->TransceiverRadioGroup->SetItemIndex(0); // automatic detect
    Dialog->FrameUserInterface->ClarifierRangeSpinEdit->setValue(500);
    Dialog->OKButtonClick();
    EXPECT_EQ(Dialog->result(), QDialog::Accepted);
    EXPECT_EQ(spots->MyCall(), "DL1ABC");
    EXPECT_EQ(spots->MyLocator(), "JO62QM");
    EXPECT_EQ(spots->RangeUnit(), ruKM);
    EXPECT_TRUE(cat->TransceiverAutoDetect());
    EXPECT_EQ(cat->Transceiver(), FT950) << "the model stays as last detected";
    EXPECT_EQ(cat->ClarifierRange(), 500);
}

TEST_F(SettingsDlgTest, CancelLeavesModulesAndStoreAlone)
{
    Store([](TIniStore& ini) { ini.WriteString("Client\\RadioCOMPort", "Port", "/dev/ttyUSB7"); });
    Modules = CreateClientDataModules();
    Modules->Radio()->IniRead();
    Open();
    const QByteArray before = StoreBytes();
    ASSERT_FALSE(before.isEmpty());
    Dialog->FrameGeneral->MyCallEdit->setText("DL1ABC");
    Dialog->FrameGeneral->AppTypeRadioGroup->Button(2)->click();
    Dialog->FrameUserInterface->ClarifierRangeSpinEdit->setValue(300);
    Dialog->FrameCOMPort->ComPortComboBox->SetCOMPort("/dev/ttyUSB9");
    Dialog->FrameCOMPort->RTSCheckBox->toggle();
    Dialog->FrameWSJT->WSJTServerCheckBox->setChecked(true);
    Dialog->FrameDXCluster->DXClusterHostEdit->setText("dx.example.org");
    Dialog->FrameDXCluster->CommandsMemo->setPlainText("SH/DX");
    Dialog->FrameFilter->CheckBoxes[3]->click();
    Dialog->FrameBandplan->BP(4, 1)->SetDigits("7010");
    Dialog->FrameLog->MaxQSOsSpinEdit->setValue(0);
    Dialog->FrameLogLoTW->UsernameEdit->setText("DL1ABC");
    Dialog->CancelButton->click();
    EXPECT_EQ(Modules->DX()->Host(), "");
    EXPECT_TRUE(Modules->DX()->Commands().isEmpty());
    EXPECT_EQ(Modules->DX()->DXSpots()->DXBandplan().GetBandModeSegment(bd40, true, mtCW), "7000");
    EXPECT_EQ(Modules->Log()->LogInterface()->MaxQSOs(), 3000u);
    EXPECT_FALSE(Modules->Server()->WSJTEnabled());
    EXPECT_EQ(Modules->DX()->DXSpots()->MyCall(), "");
    EXPECT_EQ(Modules->DM()->ApplicationType(), isLocal);
    EXPECT_EQ(Modules->Radio()->FTCATInterface()->ClarifierRange(), 9999);
    EXPECT_EQ(Modules->Radio()->RadioComPort()->port(), "/dev/ttyUSB7");
    Dialog.reset();
    EXPECT_EQ(StoreBytes(), before);
}

TEST_F(SettingsDlgTest, APortThatIsNoPortAppliesNothing)
{
    struct Case {
        const char* text;
        bool inUse;
        bool passes;
    };
    const Case cases[] = {
        {"abc", true, false}, {"", true, false},   {"70000", true, false}, {"-1", true, false},
        {"0", true, false},   {"-1", false, false}, {"", false, false},    {"0", false, true},
        {"52002", true, true},
    };
    for (const bool wsjt : {true, false})
    for (const Case& c : cases) {
        Open();
        Dialog->FrameGeneral->MyCallEdit->setText("DL1ABC");
        QLineEdit* port = wsjt ? Dialog->FrameWSJT->WSJTPortEdit : Dialog->FrameDXCluster->DXClusterPortEdit;
        if (wsjt)
            Dialog->FrameWSJT->WSJTServerCheckBox->setChecked(c.inUse);
        else
            Dialog->FrameDXCluster->DXClusterHostEdit->setText(c.inUse ? "dx.example.org" : "");
        port->setValidator(nullptr); // as if the filter were got round
        port->setText(c.text);
        Dialog->OKButtonClick();
        const std::string what = std::string(wsjt ? "WSJT-X " : "cluster ") + "\"" + c.text +
                                 (c.inUse ? "\" in use" : "\" off");
        if (c.passes) {
            EXPECT_EQ(Dialog->result(), QDialog::Accepted) << what;
            EXPECT_EQ(Modules->DX()->DXSpots()->MyCall(), "DL1ABC") << what;
        } else {
            EXPECT_EQ(Modules->DX()->DXSpots()->MyCall(), "") << what;
            EXPECT_EQ(Current()->text(0), wsjt ? "WSJT-X Logging" : "DX Cluster") << what;
            EXPECT_EQ(VisiblePages(), (QList<QWidget*>{wsjt ? static_cast<QWidget*>(Dialog->FrameWSJT) : Dialog->FrameDXCluster})) << what;
            EXPECT_TRUE(port->hasFocus() || !Dialog->isActiveWindow()) << what;
            ASSERT_NE(Dialog->CheckMessageBox, nullptr) << what;
            EXPECT_EQ(Dialog->CheckMessageBox->text(), "Port: enter a number from 1 to 65535") << what;
        }
        Modules->DX()->DXSpots()->SetMyCall("");
        Dialog.reset();
    }
}

TEST_F(SettingsDlgTest, RadioPortIsTouchedOnlyWhenItChanged)
{
    vxtest::RadioSimulator first(FT2000);
    vxtest::RadioSimulator second(FT950);
    ASSERT_TRUE(first.ok() && second.ok());
    Store([&](TIniStore& ini) {
        ini.WriteString("Client\\RadioCOMPort", "Port", first.portName());
        ini.WriteString("Client\\RadioCOMPort", "BaudRate", "38400");
    });
    Modules = CreateClientDataModules();
    // The CAT writer the main window adds.
    TCATCommandWriter writer(Modules->Radio());
    Modules->Radio()->FT2KCATCommandTXEvent = [&](const QString& s) { writer.DoCATCommandTX(s); };
    Modules->DM()->Start();
    vx::SerialPort* port = Modules->Radio()->RadioComPort();
    ASSERT_TRUE(port->connected());
    int closes = 0;
    const auto previous = Modules->Radio()->RadioComPortEvent;
    Modules->Radio()->RadioComPortEvent = [&](TCOMPortState event) {
        if (event == comClosed)
            ++closes;
        if (previous)
            previous(event);
    };

    // Unchanged: the port stays open as it was; the radio settings are still written.
    Open();
    Dialog->FrameUserInterface->ClarifierRangeSpinEdit->setValue(1200);
    Dialog->OKButtonClick();
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(port->connected());
    EXPECT_EQ(Modules->Application()->IniRegistry()->ReadInteger("Client\\UserInterface", "ClarifierRange", 0), 1200);

    // RTS alone: same port, reconfigured.
    const bool rts = port->rts();
    Open();
    Dialog->FrameCOMPort->RTSCheckBox->setChecked(!rts);
    Dialog->OKButtonClick();
    EXPECT_EQ(port->rts(), !rts);
    EXPECT_EQ(port->port(), first.portName());
    EXPECT_TRUE(port->connected());

    // A new device: the engine talks to it.
    Open();
    Dialog->FrameCOMPort->ComPortComboBox->SetCOMPort(second.portName());
    Dialog->OKButtonClick();
    EXPECT_EQ(port->port(), second.portName());
    EXPECT_TRUE(port->connected());
    second.clearCommands();
    EXPECT_TRUE(waitUntil([&] { return !second.commands().isEmpty(); }, 6000));
    Dialog.reset();
    Modules->DM()->Stop();
    Modules.reset();
}

TEST_F(SettingsDlgTest, PagesRenderInsideTheirFrames)
{
    Store([](TIniStore& ini) { ini.WriteString("Client\\RadioCOMPort", "Port", "/dev/ttyUSB0"); });
    Open();
    Dialog->show();
    EXPECT_TRUE(SaveArtifact(Render(*Dialog), "settings-dialog.png"));
    ForEachPage([&](const TSettingsDlg::TNode& node, const QString& name) {
        const int left = node.Page == Dialog->FrameWantedDXCC ? 232 : 234;
        EXPECT_EQ(node.Page->geometry(), QRect(left, 8, 441, 305)) << node.Caption.toStdString();
        EXPECT_TRUE(SaveArtifact(Render(*Dialog), QString("settings-%1.png").arg(name))) << name.toStdString();

        // Nothing sticks out of its page, and every label's text fits its box.
        const QRect frame(QPoint(0, 0), node.Page->size());
        for (QWidget* child : node.Page->findChildren<QWidget*>()) {
            if (child->isHidden() || child->isWindow() || child->parentWidget() != node.Page)
                continue;
            EXPECT_TRUE(frame.contains(child->geometry())) << name.toStdString() << ": " << child->metaObject()->className();
        }
        for (QLabel* label : node.Page->findChildren<QLabel*>()) {
            if (label->isHidden() || label->text().isEmpty())
                continue;
            const QSize need = label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width()))
                                                 : label->sizeHint();
            EXPECT_LE(need.width(), label->width()) << name.toStdString() << ": " << label->text().toStdString();
            EXPECT_LE(need.height(), label->height()) << name.toStdString() << ": " << label->text().toStdString();
        }
    });
}

// ctest runs this once more with QT_SCALE_FACTOR=2 (SettingsPagesAt2x), where the font is
// measured without hinting; the renders at that ratio are saved as "@2x".
TEST_F(SettingsDlgTest, LabelsRunIntoNothing)
{
    // A station, so that the remote connection page shows its details.
    Modules = CreateClientDataModules();
    TRemoteBaseParameter station;
    station.Hostname = "Shack";
    station.Host = "shack.example.org";
    station.Port = 4532;
    station.Username = "DL1ABC";
    station.Password = "secret";
    station.AudioPort = 4533;
    station.Active = true;
    Modules->Client()->SetRemoteBaseParameter(0, station);
    Modules->Client()->SetActiveRemoteBase(0);
    Open();
    Dialog->show();
    const qreal ratio = Dialog->devicePixelRatioF();
    ForEachPage([&](const TSettingsDlg::TNode& node, const QString& name) {
        vxtest::ExpectLabelsClear(*node.Page, node.Caption.toStdString());
        if (ratio != 1.0) {
            EXPECT_TRUE(SaveArtifact(Render(*Dialog, ratio), QString("settings-%1@2x.png").arg(name)));
        }
    });
}

TEST_F(SettingsDlgTest, DXClusterPagesAreAppliedAsTheConsoleAndEngineNeedThem)
{
    Open();
    TDMDX* dx = Modules->DX();
    TDXSpots* spots = dx->DXSpots();
    TSettingsDXClusterFrame& cluster = *Dialog->FrameDXCluster;
    cluster.DXClusterNameEdit->setText("Home node");
    cluster.DXClusterHostEdit->setText("dx.example.org");
    cluster.DXClusterPortEdit->setText("7300");
    cluster.CommandsMemo->setPlainText(" SH/DX \n\n  SET/X");
    cluster.Command1Edit->setText("SH/DX/30 20m");

    // "All Bands", then 160m unchecked by the user.
    Dialog->FrameFilter->CheckBoxes[0]->click();
    if (!Dialog->FrameFilter->CheckBoxes[0]->isChecked())
        Dialog->FrameFilter->CheckBoxes[0]->click();
    for (size_t b = 1; b < 12; ++b)
        EXPECT_TRUE(Dialog->FrameFilter->CheckBoxes[b]->isChecked()) << b;
    Dialog->FrameFilter->CheckBoxes[1]->click();
    EXPECT_FALSE(Dialog->FrameFilter->CheckBoxes[0]->isChecked());

    // The band plan shows its edges with dots and hands the digits back.
    TBandplanEdit* cwLow40 = Dialog->FrameBandplan->BP(4, 1);
    EXPECT_EQ(cwLow40->text(), "7.000");
    cwLow40->clear();
    Type(*cwLow40, "7010");
    EXPECT_EQ(cwLow40->text(), "7.010");
    TBandplanEdit* cwLow20 = Dialog->FrameBandplan->BP(6, 1);
    cwLow20->SetDigits("1"); // not a 20 m edge: the old one stays
    EXPECT_FALSE(Dialog->FrameBandplan->BP(5, 3)->isEnabled());

    Dialog->OKButtonClick();
    ASSERT_EQ(Dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dx->Name(), "Home node");
    EXPECT_EQ(dx->Host(), "dx.example.org");
    EXPECT_EQ(dx->Port(), 7300);
    EXPECT_EQ(dx->Commands(), (QStringList{"SH/DX", "SET/X"}));
    EXPECT_EQ(dx->Command1Action->text(), "SH/DX/30...");
    EXPECT_EQ(dx->Command1Action->toolTip(), "SH/DX/30 20m");
    const TShowBands bands = spots->DXSpotFilter().ShowBands();
    EXPECT_FALSE(bands.Contains(bdAll));
    EXPECT_FALSE(bands.Contains(bd160));
    EXPECT_TRUE(bands.Contains(bd80) && bands.Contains(bd6));
    EXPECT_EQ(spots->DXBandplan().GetBandModeSegment(bd40, true, mtCW), "7010");
    EXPECT_EQ(spots->DXBandplan().GetBandModeSegment(bd20, true, mtCW), "14000");
    EXPECT_FALSE(Dialog->ChangedDXCluster) << "editing the address by hand does not reconnect";
}

TEST_F(SettingsDlgTest, BandplanEdgesShowDotsInTheirPattern)
{
    struct Case {
        const char* pattern;
        const char* digits;
        const char* shown;
    };
    const Case cases[] = {
        {"9.999", "7000", "7.000"},      {"9.999", "0", "0"},           {"99.999", "14000", "14.000"},
        {"99.999", "1400", "1.400"},     {"9.999.9", "53515", "5.351.5"}, {"9.999", "123456", "1.234"},
    };
    for (const Case& c : cases) {
        TBandplanEdit edit(c.pattern);
        edit.insert(c.digits);
        EXPECT_EQ(edit.text().toStdString(), c.shown) << c.pattern << " " << c.digits;
        EXPECT_EQ(edit.Digits(), QString(c.shown).remove('.'));
    }
    TBandplanEdit typed("9.999");
    Type(typed, "7a0.00");
    EXPECT_EQ(typed.text(), "7.000");
}

TEST_F(SettingsDlgTest, ClusterNodePicker)
{
    const QString path = GetCommonDataFileName(TSettingsDXClusterSelectForm::FileName);
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("NODE-1 Home;dx.example.org;;DXSpider\n"
                   "no separator at all\n"
                   "NODE-2 Far;far.example.net;7373;AR-Cluster;v6\n");
    }
    Open();
    TSettingsDXClusterFrame& cluster = *Dialog->FrameDXCluster;
    cluster.DXClusterCallEdit->setText("DL1ABC");
    cluster.DXClusterPasswordEdit->setText("secret");

    {
        TSettingsDXClusterSelectForm form;
        EXPECT_EQ(form.windowTitle(), "Select DX Cluster");
        EXPECT_EQ(form.Label1->text(), "3 entries");
        ASSERT_EQ(form.DXCGrid->rowCount(), 4) << "one empty row follows the nodes";
        EXPECT_EQ(form.DXCGrid->item(0, 2)->text(), "23");
        EXPECT_EQ(form.DXCGrid->item(2, 3)->text(), "AR-Cluster;v6");
        EXPECT_FALSE(form.OKButton->isEnabled());
        form.show();
        EXPECT_TRUE(SaveArtifact(Render(form), "dialog-cluster-select.png"));
        // A line without ";" has no name and is not taken.
        form.DXCGrid->setCurrentCell(1, 0);
        EXPECT_FALSE(cluster.TakeNode(form.SelectedNode()));
        form.DXCGrid->setCurrentCell(3, 0);
        EXPECT_FALSE(cluster.TakeNode(form.SelectedNode()));
        EXPECT_FALSE(Dialog->ChangedDXCluster);
    }

    // Picked through the button: name, address and port only.
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TSettingsDXClusterSelectForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->DXCGrid->setCurrentCell(0, 1);
        emit form->DXCGrid->cellClicked(0, 1);
        ASSERT_TRUE(form->OKButton->isEnabled());
        form->OKButton->click();
    });
    cluster.DXClustersButton->click();
    EXPECT_EQ(cluster.DXClusterNameEdit->text(), "NODE-1 Home");
    EXPECT_EQ(cluster.DXClusterHostEdit->text(), "dx.example.org");
    EXPECT_EQ(cluster.DXClusterPortEdit->text(), "23");
    EXPECT_EQ(cluster.DXClusterCallEdit->text(), "DL1ABC");
    EXPECT_EQ(cluster.DXClusterPasswordEdit->text(), "secret");
    EXPECT_TRUE(Dialog->ChangedDXCluster);

    // Without the file the label names the file looked for.
    QFile::remove(path);
    TSettingsDXClusterSelectForm missing;
    EXPECT_EQ(missing.Label1->text(), "File telnetclusters.dat not found!");
}

TEST_F(SettingsDlgTest, LogBookPagesAreLoadedAndApplied)
{
    Open();
    TDMLog* log = Modules->Log();
    log->LogInterface()->LoTWInterface()->SetLoTWUsername("DL1ABC");
    log->QRZInterface()->SetMyUsername("DL1ABC");
    Modules->Server()->SetWSJTPort(52001);
    Open();
    EXPECT_EQ(Dialog->FrameLogLoTW->UsernameEdit->text(), "DL1ABC");
    EXPECT_EQ(Dialog->FrameWSJT->WSJTPortEdit->text(), "52001");

    // The account and Test follow "Use QRZ.COM".
    EXPECT_FALSE(Dialog->FrameLogQRZ->TestButton->isEnabled());
    Dialog->FrameLogQRZ->UseQRZCB->click();
    EXPECT_TRUE(Dialog->FrameLogQRZ->TestButton->isEnabled());
    EXPECT_TRUE(Dialog->FrameLogQRZ->QRZPasswordEdit->isEnabled());

    // Blanks never reach an account edit.
    for (QLineEdit* edit : {Dialog->FrameLogLoTW->UsernameEdit, Dialog->FrameLogLoTW->PasswordEdit,
                            Dialog->FrameLogQRZ->QRZUsernameEdit, Dialog->FrameLogQRZ->QRZPasswordEdit}) {
        edit->clear();
        Type(*edit, "ab c");
        edit->insert(" d e");
        EXPECT_EQ(edit->text().toLower(), "abcde");
    }
    EXPECT_EQ(Dialog->FrameLogQRZ->QRZUsernameEdit->text(), "ABCDE");

    Dialog->FrameLog->MaxQSOsSpinEdit->setValue(0);
    Dialog->FrameWSJT->WSJTServerCheckBox->setChecked(true);
    Dialog->FrameWSJT->WSJTPortEdit->setText("2237");
    Dialog->FrameWSJT->WSJTBandCheckBox->setChecked(false);
    Dialog->OKButtonClick();
    ASSERT_EQ(Dialog->result(), QDialog::Accepted);
    EXPECT_EQ(log->LogInterface()->MaxQSOs(), 0u);
    EXPECT_EQ(log->LogInterface()->LoTWInterface()->LoTWUsername(), "abcde");
    EXPECT_TRUE(log->QRZInterface()->UseQRZ());
    EXPECT_EQ(log->QRZInterface()->MyUsername(), "ABCDE");
    EXPECT_TRUE(Modules->Server()->WSJTEnabled());
    EXPECT_EQ(Modules->Server()->WSJTPort(), 2237);
    EXPECT_FALSE(Modules->Server()->WSJTLogBand());
    EXPECT_FALSE(log->QRZInterface()->OnTestButton) << "the dialog stops listening";
}

TEST_F(SettingsDlgTest, QRZTestShowsEveryAnswerAndOutlivesTheDialogSafely)
{
    Open();
    TQRZInterface* qrz = Modules->Log()->QRZInterface();
    qrz->SetUseQRZ(true);
    Open();
    TSettingsLogQRZFrame& page = *Dialog->FrameLogQRZ;
    EXPECT_TRUE(page.RCPanel1->isHidden());
    page.QRZUsernameEdit->setText("DL1ABC"); // no password: answered at once
    page.TestButton->click();
    page.TestButton->click();
    EXPECT_FALSE(page.RCPanel1->isHidden());
    EXPECT_EQ(page.ResponseLabel2->text(),
              "QRZ.COM Username and/or Password is empty\nQRZ.COM Username and/or Password is empty");
    EXPECT_EQ(qrz->MyUsername(), "DL1ABC") << "the test hands the account over at once";

    // A test whose answer comes after the dialog was cancelled and freed.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    qrz->SetHost(QString("https://127.0.0.1:%1").arg(port));
    page.QRZPasswordEdit->setText("secret");
    page.TestButton->click();
    Dialog->CancelButton->click();
    Dialog.reset();
    EXPECT_EQ(qrz->MyPassword(), "secret") << "kept after Cancel";
    bool answered = false;
    qrz->OnSession = [&](bool, const QString&) { answered = true; };
    EXPECT_TRUE(waitUntil([&] { return answered; }, 10000));
}

using clienttest::MainFormRig;

// The window's Settings action as a new user meets it: call, locator and the radio's port,
// then OK; the radio's port opens, and the dialog opens again on the page left last.
TEST_F(MainFormRig, SettingsActionOpensTheSettingsDialog)
{
    Store(isLocal, FT2000, [](TIniStore& ini) { ini.WriteString("Client\\RadioCOMPort", "Port", ""); });
    CreateAndStart();
    ASSERT_FALSE(Modules->Radio()->RadioComPort()->connected());
    Form->SettingsDlg = [&] { return Form->ProgramSettingsDlg(); };
    EXPECT_EQ(Form->SettingsAction->shortcut(), QKeySequence("Ctrl+Alt+S"));

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        seen = true;
        EXPECT_FALSE(dlg->FrameGeneral->isHidden());
        dlg->FrameGeneral->MyCallEdit->setText("DL1ABC");
        dlg->FrameGeneral->MyLocatorEdit->setText("JO62QM");
        dlg->LastSetting = "Radio COM Port";
        dlg->FindLastSetting();
        dlg->FrameCOMPort->ComPortComboBox->SetCOMPort(Radio->portName());
        dlg->OKButton->click();
    });
    Form->SettingsAction->trigger();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(Modules->Radio()->RadioComPort()->connected());
    EXPECT_EQ(Modules->Radio()->RadioComPort()->port(), Radio->portName());
    EXPECT_EQ(Modules->DX()->DXSpots()->MyCall(), "DL1ABC");
    EXPECT_EQ(Modules->Log()->LogInterface()->MyCall(), "DL1ABC");
    EXPECT_EQ(Modules->DM()->LastSetting(), "Radio COM Port");

    seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        seen = true;
        EXPECT_EQ(dlg->TreeView1->currentItem()->text(0), "Radio COM Port");
        EXPECT_FALSE(dlg->FrameCOMPort->isHidden());
        EXPECT_EQ(dlg->FrameCOMPort->ComPortComboBox->COMPort(), Radio->portName());
        EXPECT_EQ(dlg->FrameGeneral->MyLocatorEdit->text(), "JO62QM");
        dlg->CancelButton->click();
    });
    Form->SettingsAction->trigger();
    EXPECT_TRUE(seen);
}

TEST_F(SettingsDlgTest, WantedListsAreWrittenOnlyWhenTheyChanged)
{
    ASSERT_TRUE(QDir().mkpath(GetCommonDataFileName("")));
    ASSERT_TRUE(QDir().mkpath(GetUserDataFileName("")));
    ASSERT_TRUE(InstallDataFiles(ShippedDataFolder(), GetCommonDataFileName("none")));
    const QString wantedDXCC = GetUserDataFileName(TDXWantedSpots::WantedDXCCFileName);
    ASSERT_FALSE(QFile::exists(wantedDXCC));

    // Without a wanted DXCC list the first OK writes one.
    Open();
    Dialog->OKButtonClick();
    ASSERT_TRUE(QFile::exists(wantedDXCC));
    EXPECT_FALSE(QFile::exists(GetUserDataFileName(TDXWantedSpots::WantedSpotsFileName)));

    // Untouched, neither list is written again.
    QFile::remove(wantedDXCC);
    {
        QFile file(wantedDXCC);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("mark\n");
    }
    Open();
    Dialog->OKButtonClick();
    QFile file(wantedDXCC);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "mark\n");
}
