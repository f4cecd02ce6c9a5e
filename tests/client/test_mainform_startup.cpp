// The main window's three start-up stages, the settings dialog with a role change and the
// close-down, on the program's own modules.
#include "tests/client/MainFormRig.h"

#include "dx/DMDX.h"
#include "keying/DMRTTY.h"
#include "keying/MMTTYInterface.h"
#include "log/DMLog.h"
#include "remote/DMAudioServer.h"
#include "remote/RAAudio.h"
#include "panel/widgets/FTTransceiverPanel.h"
#include "platform/MessageBus.h"
#include "platform/SerialPort.h"
#include "remote/DMClient.h"
#include "tests/support/PrivateMounts.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

using namespace clienttest;

namespace {

TEST_F(MainFormRig, ComesUpInThreeStages)
{
    Store();
    Create();
    // First stage: the modules started once, the window not yet laid out.
    EXPECT_EQ(Form->Starts, 1);
    EXPECT_TRUE(Form->MainFormReady());
    EXPECT_TRUE(Modules->Radio()->RadioComPort()->connected());
    EXPECT_EQ(Form->StatusPanelText(0), " Local");
    EXPECT_EQ(Form->windowTitle(), "Vornix - YAESU CAT & Remote Control");
    EXPECT_EQ(Form->FTTransceiverPanel->FTPanel(), nullptr);
    EXPECT_FALSE(Form->KeyHookInstalled());
    EXPECT_EQ(Form->MMTTYMessage(), 0u);
    Show();

    vx::Clock::advance(99);
    EXPECT_EQ(Form->StagesRun(), 1);
    vx::Clock::advance(1);
    // Second stage: the face of the stored model, the view, the key hook, the MMTTY link.
    EXPECT_EQ(Form->StagesRun(), 2);
    ASSERT_NE(Form->FTTransceiverPanel->FTPanel(), nullptr);
    EXPECT_EQ(Form->FTTransceiverPanel->FTCATInterface(), Cat());
    EXPECT_EQ(Form->windowTitle(), "Vornix - YAESU FT-2000 CAT & Remote Control");
    EXPECT_TRUE(Form->KeyHookInstalled());
    EXPECT_EQ(Form->MMTTYMessage(), vx::FindBusMessage("MMTTY"));
    EXPECT_NE(Form->MMTTYMessage(), 0u);
    EXPECT_EQ(Modules->RTTY()->MMTTYInterface()->MainWindow(), Form->Endpoint()->Id());

    vx::Clock::advance(399);
    EXPECT_EQ(Form->StagesRun(), 2);
    vx::Clock::advance(1);
    // Third stage: the log opened; no cluster connection was asked for.
    EXPECT_EQ(Form->StagesRun(), 3);
    EXPECT_EQ(Form->StatusPanelText(5), "");
    EXPECT_EQ(Form->Starts, 1);
    EXPECT_EQ(Form->Stops, 0);
}

TEST_F(MainFormRig, TheThirdStageConnectsTheClusterOnlyWhenAsked)
{
    QTcpServer node;
    ASSERT_TRUE(node.listen(QHostAddress::LocalHost));
    for (bool autoConnect : {false, true}) {
        SCOPED_TRACE(autoConnect);
        Store(isLocal, FT2000, [&](TIniStore& ini) {
            ini.WriteBool("Client\\DXCluster", "AutoConnect", autoConnect);
            ini.WriteString("Client\\DXCluster\\Cluster0", "Name", "Local node");
            ini.WriteString("Client\\DXCluster\\Cluster0", "Host", "127.0.0.1");
            ini.WriteInteger("Client\\DXCluster\\Cluster0", "Port", node.serverPort());
            ini.WriteString("Client\\DXCluster\\Cluster0", "Username", "DL1ABC");
        });
        Create();
        Show();
        vx::Clock::advance(TMainForm::StartTimer1Interval);
        // What the status bar says while the stage lets pending events run.
        QString during = "not seen";
        QTimer::singleShot(0, Form.get(), [&] { during = Form->StatusPanelText(5); });
        vx::Clock::advance(TMainForm::StartTimer2Interval);
        if (autoConnect) {
            EXPECT_EQ(during, " Connecting to: 127.0.0.1");
            EXPECT_TRUE(vxtest::waitUntil([&] { return node.hasPendingConnections(); }));
        } else {
            vxtest::spin(20);
            EXPECT_NE(during, " Connecting to: 127.0.0.1");
            EXPECT_FALSE(node.hasPendingConnections());
        }
        // Cleared also when the connection is still being made or fails.
        EXPECT_EQ(Form->StatusPanelText(5), "");
        Destroy();
        while (node.hasPendingConnections())
            delete node.nextPendingConnection();
    }
}

TEST_F(MainFormRig, ClosingBeforeTheLastStageStillWritesAndStopsEverything)
{
    Store(isLocal, FT2000, [](TIniStore& ini) {
        StoreView(ini, 0);
        ini.WriteInteger("Client\\Panels\\Messages", "Height", 300);
        ini.WriteInteger("Client\\Panels\\Messages", "Width", 200);
        ini.WriteInteger("Client\\Panels\\Messages", "Index", 4);
    });
    // A narrow screen turns the stored Wide view into Compact.
    Create(1280);
    Show();
    vx::Clock::advance(TMainForm::StartTimer1Interval);
    Form->close();

    EXPECT_TRUE(Form->Shutdown());
    EXPECT_EQ(Form->Stops, 1);
    EXPECT_FALSE(Modules->Radio()->RadioComPort()->connected());
    // The later stage never runs.
    vx::Clock::advance(1000);
    EXPECT_EQ(Form->StagesRun(), 2);

    TIniStore ini(TDMApplication::SettingsFileName());
    EXPECT_EQ(ini.ReadInteger("Client\\Panels\\Messages", "Height", 0), 251);
    EXPECT_EQ(ini.ReadInteger("Client\\Panels\\Messages", "Width", 0), 116);
    EXPECT_EQ(ini.ReadInteger("Client\\Panels\\Messages", "Index", 0), 4);
    EXPECT_EQ(ini.ReadInteger("Client\\Application", "CompactView", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Client\\Panels\\CW", "Width", 0), Form->CWPanel->width());
    const QStringList placement = ini.ReadString("Client", "ClientMainForm", "").split(' ');
    ASSERT_EQ(placement.size(), 11); // ten numbers, each followed by a blank
    EXPECT_EQ(placement[1], "1");
    EXPECT_EQ(placement[8].toInt() - placement[6].toInt(), Form->normalGeometry().width());
    // Nothing after the close is written or reaches the monitor.
    Form->CATMonitorAction->setChecked(true);
    Radio->clearCommands();
    Form->DoCATCommandTX("FA14074000;");
    EXPECT_TRUE(RadioCommands().isEmpty());
}

TEST_F(MainFormRig, ThePlacementComesBackAtTheNextStart)
{
    Store(isLocal, FT2000, [](TIniStore& ini) { ini.WriteString("Client", "ClientMainForm", "0 1 -1 -1 -1 -1 40 30 1100 860 "); });
    Create();
    EXPECT_EQ(Form->geometry().topLeft(), QPoint(40, 30));
    Destroy();
    // A value that is no number places nothing.
    Store(isLocal, FT2000, [](TIniStore& ini) { ini.WriteString("Client", "ClientMainForm", "0 1 x -1 -1 -1 40 30 1100 860"); });
    Create();
    EXPECT_NE(Form->geometry().topLeft(), QPoint(40, 30));
}

TEST_F(MainFormRig, ARoleChangeRestartsTheModulesOnce)
{
    Store();
    CreateAndStart();
    int clusterEvents = 0;
    TDMDX* dx = Modules->DX();
    dx->OnDXClusterEvent = [&, inner = dx->OnDXClusterEvent](QObject* s, bool e, const QString& n, bool c) {
        ++clusterEvents;
        inner(s, e, n, c);
    };
    Form->SettingsDlg = [&] {
        auto dlg = std::make_unique<SettingsDlgDouble>();
        dlg->ApplicationType = true;
        dlg->DXCluster = true; // a node picked in the same dialog: the restart reopens it
        dlg->OnExecute = [&, d = dlg.get()] {
            Modules->DM()->SetApplicationType(isLocalAndRemoteServer);
            d->SetLastSetting("Remote Server");
        };
        return dlg;
    };
    Form->SettingsAction->trigger();
    EXPECT_EQ(Form->Restarts, 1);
    EXPECT_EQ(Form->StatusPanelText(0), " Local/Server");
    EXPECT_EQ(Form->StatusPanelWidth(0), 120);
    EXPECT_EQ(Modules->DM()->LastSetting(), "Remote Server");
    // The audio server's sound devices report to the window's router from now on.
    EXPECT_NE(Modules->AudioServer()->RAAudioIn()->WindowHandle(), nullptr);
    const int ofTheDialog = clusterEvents;

    // As many cluster events as one restart makes: no separate reopen.
    clusterEvents = 0;
    Modules->DM()->Restart();
    ASSERT_GT(clusterEvents, 0);
    EXPECT_EQ(ofTheDialog, clusterEvents);
}

TEST_F(MainFormRig, ACancelledSettingsDialogOnlyUpdatesThePanels)
{
    Store();
    CreateAndStart();
    TPanelPosition rtty = App()->PositionRTTY();
    rtty.Visible = true;
    App()->SetPositionRTTY(rtty);
    Form->SettingsDlg = [&] {
        auto dlg = std::make_unique<SettingsDlgDouble>();
        dlg->Result = QDialog::Rejected;
        dlg->ApplicationType = true;
        dlg->OnExecute = [&] { Modules->DM()->SetApplicationType(isRemoteClient); };
        dlg->SetLastSetting("Ignored");
        return dlg;
    };
    ASSERT_TRUE(Form->RTTYPanel->isHidden());
    Form->SettingsAction->trigger();
    EXPECT_EQ(Form->Restarts, 0);
    EXPECT_EQ(Form->StatusPanelText(0), " Local");
    EXPECT_NE(Modules->DM()->LastSetting(), "Ignored");
    EXPECT_FALSE(Form->RTTYPanel->isHidden());
    EXPECT_EQ(Form->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainFormRig, ANarrowScreenAllowsNoWideView)
{
    struct Case {
        int screen;
        int stored;
        int view;
        bool wideEnabled;
    };
    for (const Case c : {Case{1280, 0, 1, false}, Case{1280, 2, 2, true}, Case{1292, 0, 1, false},
                         Case{1293, 0, 0, true}}) {
        SCOPED_TRACE(QStringLiteral("screen %1, stored %2").arg(c.screen).arg(c.stored).toStdString());
        Store(isLocal, FT2000, [&](TIniStore& ini) { StoreView(ini, c.stored); });
        Create(c.screen);
        EXPECT_EQ(App()->CompactView(), c.view);
        EXPECT_EQ(Form->ViewWideAction->isEnabled(), c.wideEnabled);
        EXPECT_TRUE((c.view == 0 ? Form->ViewWideAction : c.view == 1 ? Form->ViewCompactAction : Form->ViewBasicAction)
                        ->isChecked());
        Destroy();
    }
}

TEST_F(MainFormRig, ASettingsFileThatCannotBeWrittenIsShown)
{
    Store();
    CreateAndStart();
    // The settings folder taken away from under the program, for a user who is no root.
    const QString folder = QFileInfo(TDMApplication::SettingsFileName()).absolutePath();
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    {
        vxtest::TObeyFileModes obey;
        Form->close();
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_FALSE(Form->Messages.isEmpty());
    EXPECT_TRUE(Form->Messages.first().startsWith("Error: The settings could not be saved")) << Form->Messages.join('\n').toStdString();
}

TEST_F(MainFormRig, TheWindowLetsGoOfTheModulesWhenItGoes)
{
    Store();
    CreateAndStart();
    Form.reset();
    EXPECT_FALSE(App()->OnError);
    EXPECT_FALSE(Cat()->OnTransceiver);
    EXPECT_FALSE(Modules->Radio()->FT2KCATCommandTXEvent);
    EXPECT_FALSE(Modules->Client()->OnConnection);
    EXPECT_EQ(Modules->RTTY()->MMTTYInterface()->MainWindow(), 0u);
    // The modules go on without it.
    Modules->DM()->Stop();
}

} // namespace
