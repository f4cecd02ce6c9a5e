// The main window's view modes by radio model, the panel and action rules, the status bar by
// role, the panel toggles and the CAT monitor tab.
#include "tests/client/MainFormRig.h"

#include "client/widgets/CATMonitorPanel.h"
#include "controls/widgets/RCSpeedButton.h"
#include "keying/DMCW.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "panel/widgets/FTTransceiverPanel.h"
#include "remote/DMAudioClient.h"
#include "remote/DMClient.h"
#include "remote/RAClient.h"

#include <QAction>
#include <QMenu>
#include <QResizeEvent>
#include <QTabWidget>

using namespace clienttest;

namespace {

struct ModelSize {
    TTransceiver model;
    const char* name;
    int panelLeft;
    int pageControl1;
    int width;
    int base;
};
const ModelSize Models[] = {{FT2000, "ft2000", 1025, 482, 1032, 549}, {FTDX5000, "ftdx5000", 1154, 511, 1162, 578}};

TEST_F(MainFormRig, EachViewFixesTheWindowByModel)
{
    constexpr int Unlimited = QWIDGETSIZE_MAX;
    for (const ModelSize& m : Models) {
        for (bool panels : {true, false}) {
            const int low = panels ? m.base + 251 : m.base;
            SCOPED_TRACE(QStringLiteral("%1, panels %2").arg(m.name).arg(panels).toStdString());
            UseRadio(m.model);
            Store(isLocal, m.model, [&](TIniStore& ini) {
                StoreView(ini, 0);
                // The records as a first start has them (messages, CW and log shown), or none.
                StorePanels(ini, false);
                if (panels) {
                    for (const char* panel : {"Messages", "CW", "Log"})
                        ini.WriteBool(QStringLiteral("Client\\Panels\\") + panel, "Visible", true);
                }
                // Room beside the radio for the cluster console.
                ini.WriteInteger("Client\\Application", "NormalWidth", 1660);
            });
            CreateAndStart();
            EXPECT_EQ(Form->windowTitle(), QStringLiteral("Vornix - YAESU %1 CAT & Remote Control")
                                               .arg(m.model == FT2000 ? "FT-2000" : "FT DX 5000"));
            EXPECT_EQ(Form->PanelLeft->width(), m.panelLeft);
            EXPECT_EQ(Form->PageControl1->height(), m.pageControl1);

            // Wide: the pages beside the radio, the stored width, no upper limits.
            EXPECT_EQ(Form->PageControl2->indexOf(Form->TabSheetDXCluster), 0);
            EXPECT_EQ(Form->PageControl1->count(), 1);
            EXPECT_EQ(Form->minimumWidth(), m.width);
            EXPECT_EQ(Form->maximumWidth(), Unlimited);
            EXPECT_EQ(Form->minimumHeight(), low);
            EXPECT_EQ(Form->maximumHeight(), Unlimited);
            EXPECT_EQ(Form->width(), 1660);
            Settle();
            EXPECT_EQ(Form->PanelLeft->width(), m.panelLeft);
            EXPECT_EQ(Form->PanelRight->width(), 1660 - m.panelLeft);
            EXPECT_EQ(Form->PageControl1->geometry().bottom() + 1, m.pageControl1);
            if (!panels)
                SaveArtifact(QStringLiteral("wide-%1").arg(m.name));

            // Compact: every page in the left page control, the width fixed, the height set.
            Form->ViewCompactAction->trigger();
            EXPECT_EQ(Form->PageControl1->indexOf(Form->TabSheetLogStatistics), 5);
            EXPECT_EQ(Form->PageControl2->count(), 0);
            EXPECT_EQ(Form->PageControl1->currentWidget(), Form->TabSheetTransceiver);
            EXPECT_EQ(Form->minimumWidth(), m.width);
            EXPECT_EQ(Form->maximumWidth(), m.width);
            EXPECT_EQ(Form->minimumHeight(), m.base);
            EXPECT_EQ(Form->maximumHeight(), Unlimited);
            EXPECT_EQ(Form->height(), low);
            EXPECT_FALSE(Form->FlowPanel1->isHidden());
            Settle();
            EXPECT_EQ(Form->PanelLeft->width(), m.panelLeft);
            // The strip of panels below the radio holds them whole.
            EXPECT_GE(Form->FlowPanel1->height(), panels ? 251 : 0);
            if (panels) {
                SaveArtifact(QStringLiteral("compact-%1").arg(m.name));
                SaveArtifact(QStringLiteral("compact-%1@2x").arg(m.name), 2.0);
            }
            // The user may make it lower down to the base height.
            Form->resize(m.width, m.base);
            EXPECT_EQ(Form->height(), m.base);

            // Basic: the radio alone.
            Form->ViewBasicAction->trigger();
            EXPECT_EQ(Form->minimumHeight(), m.base);
            EXPECT_EQ(Form->maximumHeight(), m.base);
            EXPECT_EQ(Form->maximumWidth(), m.width);
            EXPECT_TRUE(Form->FlowPanel1->isHidden());
            if (panels)
                SaveArtifact(QStringLiteral("basic-%1").arg(m.name));
            EXPECT_EQ(App()->CompactView(), 2);
            Destroy();
        }
    }
}

TEST_F(MainFormRig, AnotherModelResizesTheViewInEveryMode)
{
    Store(isLocal, FT2000);
    CreateAndStart();
    for (QAction* view : {Form->ViewWideAction, Form->ViewCompactAction, Form->ViewBasicAction}) {
        SCOPED_TRACE(view->objectName().toStdString());
        view->trigger();
        Cat()->SetTransceiver(FTDX5000);
        EXPECT_EQ(Form->PanelLeft->width(), 1154);
        EXPECT_EQ(Form->PageControl1->height(), 511);
        EXPECT_EQ(Form->minimumWidth(), 1162);
        EXPECT_EQ(Form->FTTransceiverPanel->size(), QSize(1148, 483));
        EXPECT_EQ(Form->windowTitle(), "Vornix - YAESU FT DX 5000 CAT & Remote Control");
        Cat()->SetTransceiver(FT2000);
        EXPECT_EQ(Form->PanelLeft->width(), 1025);
        EXPECT_EQ(Form->PageControl1->height(), 482);
    }
}

TEST_F(MainFormRig, OnlyAWideWindowInItsNormalStateKeepsItsWidth)
{
    Store(isLocal, FT2000, [](TIniStore& ini) { StoreView(ini, 0); });
    CreateAndStart();
    Form->resize(1500, 900);
    EXPECT_EQ(App()->NormalWidth(), 1500);
    Form->ViewCompactAction->trigger();
    EXPECT_EQ(App()->NormalWidth(), 1500);
    Form->ViewWideAction->trigger();
    EXPECT_EQ(Form->width(), 1500);
    // Resizes of a maximised or minimised window are no normal width.
    for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowMinimized}) {
        Form->setWindowState(state);
        QResizeEvent resize(QSize(1700, 900), Form->size());
        QApplication::sendEvent(Form.get(), &resize);
        EXPECT_EQ(App()->NormalWidth(), 1500);
    }
}

TEST_F(MainFormRig, PanelRulesFollowModeTypeRoleViewAndRecords)
{
    struct Case {
        const char* name;
        TApplicationType role;
        int view;
        TMode mode; // the radio's mode, reported once the window is up (local roles)
        bool use;        // the message record's Use flag
        bool rcmStored;
        // Expected:
        const char* messagesCaption;
        bool messagesEnabled;
        bool cw;
        bool log;
        bool rcm;
        bool rcmAction;
        bool transmitEnabled;
    };
    const Case cases[] = {
        {"CW local compact", isLocal, 1, mdCW, true, true, "CW Messages", true, true, true, false, false, false},
        {"phone local", isLocal, 1, mdUSB, true, false, "DVK Messages", true, true, true, false, false, true},
        {"phone, no voice keyer", isLocal, 1, mdUSB, false, false, "DVK Messages", false, true, true, false, false, true},
        {"RTTY", isLocal, 0, mdFSK, true, false, "RTTY Messages", true, true, true, false, false, false},
        {"CW basic", isLocal, 2, mdCW, true, false, "CW Messages", true, false, false, false, false, false},
        {"client with monitor", isRemoteClient, 1, mdCW, true, true, "CW Messages", true, true, true, true, true, false},
        {"client without monitor", isRemoteClient, 1, mdCW, true, false, "CW Messages", true, true, true, false, true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Store(c.role, FT2000, [&](TIniStore& ini) {
            StoreView(ini, c.view);
            ini.WriteBool("Client\\Panels\\RCM", "Visible", c.rcmStored);
        });
        // The radio's polled answers agree with its report.
        Radio->setMode(vfoA, c.mode);
        CreateAndStart();
        if (!c.use) {
            TPanelPosition p = App()->PositionMessages();
            p.Use = false;
            App()->SetPositionMessages(p);
        }
        if (c.role != isRemoteClient) {
            ASSERT_TRUE(RadioSays(c.mode == mdCW ? "MD03;" : c.mode == mdUSB ? "MD02;" : "MD06;"));
        }
        Form->UpdatePanels();
        EXPECT_EQ(Form->MessagePanelAction->text(), c.messagesCaption);
        EXPECT_FALSE(Form->MessagePanel->isHidden());
        EXPECT_EQ(Form->MessagePanel->isEnabled(), c.messagesEnabled);
        EXPECT_EQ(!Form->CWPanel->isHidden(), c.cw);
        EXPECT_EQ(Form->CWSpeedAction->isEnabled(), c.cw);
        EXPECT_EQ(Form->MICW->menuAction()->isEnabled(), c.cw);
        EXPECT_EQ(!Form->LogPanel->isHidden(), c.log);
        EXPECT_EQ(Form->LogWindowAction->isChecked(), c.log);
        EXPECT_EQ(!Form->RCMPanel->isHidden(), c.rcm);
        EXPECT_EQ(Form->RCMPanelAction->isEnabled(), c.rcmAction);
        EXPECT_EQ(Form->RCMPanelAction->isChecked(), c.rcm);
        EXPECT_EQ(Modules->AudioClient()->RAClient()->TransmitEnabled(), c.transmitEnabled);
        // Neither stored visible nor the MMTTY engine in use.
        EXPECT_TRUE(Form->RTTYPanel->isHidden());
        EXPECT_FALSE(Form->RTTYPanelAction->isVisible());
        EXPECT_FALSE(Form->MIRTTY->menuAction()->isVisible());
        EXPECT_FALSE(Form->FlexControlAction->isVisible());
        Destroy();
    }
}

TEST_F(MainFormRig, TheTransceiverMenuIsNotOfferedForTheFT950)
{
    UseRadio(FT950);
    Store(isLocal, FT950);
    CreateAndStart();
    EXPECT_FALSE(Form->TransceiverMenuAction->isEnabled());
    Form->TransceiverMenuActionExecute();
    EXPECT_EQ(Form->Messages, QStringList{"Information: Menu settings only supported for FT-2000 and FT DX 5000"});
}

TEST_F(MainFormRig, TheStatusBarFollowsTheRole)
{
    struct Case {
        TApplicationType role;
        const char* text;
        int widths[4];
        int shapeLeft;
        bool shape;
        bool audio;
    };
    const Case cases[] = {
        {isLocal, " Local", {110, 0, 0, 0}, 117, false, false},
        {isLocalAndRemoteServer, " Local/Server", {120, 0, 0, 200}, 98, true, false},
        {isRemoteServer, " Server", {190, 0, 0, 200}, 117, true, false},
        {isRemoteClient, " Client", {138, 58, 68, 80}, 116, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Store(c.role);
        Create();
        Form->StatusBarPanel1->SetCaption("stale");
        Form->UpdateStatusBar();
        EXPECT_EQ(Form->StatusPanelText(0), c.text);
        EXPECT_EQ(Form->StatusPanelText(1), "");
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Form->StatusPanelWidth(i), c.widths[i]) << "panel " << i;
        EXPECT_EQ(Form->ConnectShape->x(), c.shapeLeft);
        EXPECT_EQ(!Form->ConnectShape->isHidden(), c.shape);
        EXPECT_EQ(!Form->AudioConnectButton->isHidden(), c.audio);
        EXPECT_EQ(!Form->ChannelRightButton->isHidden(), c.audio);
        Destroy();
    }
}

TEST_F(MainFormRig, PanelTogglesKeepTheirRecords)
{
    Store();
    CreateAndStart();
    ASSERT_FALSE(Form->LogPanel->isHidden());
    Form->LogWindowAction->trigger();
    EXPECT_TRUE(Form->LogPanel->isHidden());
    EXPECT_FALSE(Form->LogWindowAction->isChecked());
    EXPECT_FALSE(App()->PositionLog().Visible);
    Form->YaesuRotatorAction->trigger();
    EXPECT_FALSE(Form->YaesuRotatorPanel->isHidden());
    EXPECT_TRUE(Form->YaesuRotatorPanel->Timer());
    EXPECT_TRUE(App()->PositionRotator().Visible);
    Form->MessagePanelAction->trigger();
    EXPECT_TRUE(Form->MessagePanel->isHidden());
    EXPECT_FALSE(App()->PositionMessages().Visible);
    EXPECT_TRUE(App()->PositionMessages().Use);
}

TEST_F(MainFormRig, TheAuxiliaryPanelsWorkTheModules)
{
    Store();
    CreateAndStart();
    // The message keys run the messages module's actions 1..9.
    for (int n = 1; n <= TMessagePanel::ButtonCount; ++n)
        EXPECT_EQ(Form->MessagePanel->MessageAction(n), Modules->Messages()->MessageAction(n)) << n;
    EXPECT_EQ(Form->RCMPanel->RemoteClient(), Modules->Client()->RemoteClient());
    EXPECT_EQ(Form->CWPanel->WinKeyer(), Modules->CW()->WinKey());
    // The rotator shown asks the radio for the antenna's direction.
    Radio->clearCommands();
    Form->YaesuRotatorAction->trigger();
    EXPECT_TRUE(Form->YaesuRotatorPanel->PollTimer()->enabled());
    vx::Clock::advance(TYaesuRotatorPanel::PollMs);
    EXPECT_TRUE(RadioCommands("RO").contains("RO"));
}

TEST_F(MainFormRig, TheCATMonitorTabComesAndGoesWithTheMonitor)
{
    for (int view : {1, 0}) {
        SCOPED_TRACE(view);
        Store(isLocal, FT2000, [&](TIniStore& ini) { StoreView(ini, view); });
        CreateAndStart();
        QTabWidget* pages = view == 0 ? Form->PageControl2 : Form->PageControl1;
        const int tab = pages->indexOf(Form->TabSheetCATMonitor);
        ASSERT_GE(tab, 0);
        EXPECT_FALSE(pages->isTabVisible(tab));
        Form->CATMonitorAction->trigger();
        EXPECT_TRUE(pages->isTabVisible(tab));
        EXPECT_EQ(pages->currentWidget(), Form->TabSheetCATMonitor);
        ASSERT_TRUE(RadioSays("FA14074000;"));
        Form->DoCATCommandTX("FA14075000;");
        const QStringList lines = Form->CATMonitorPanel->Lines();
        EXPECT_TRUE(lines.join('\n').contains("FA14074000")) << lines.join('\n').toStdString();
        EXPECT_TRUE(lines.join('\n').contains("FA14075000"));
        Form->CATMonitorAction->trigger();
        EXPECT_FALSE(pages->isTabVisible(tab));
        EXPECT_EQ(pages->currentWidget(), view == 0 ? Form->TabSheetDXCluster : Form->TabSheetTransceiver);
        Destroy();
    }
}

} // namespace
