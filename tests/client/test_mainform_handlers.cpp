// The main window's handlers of the modules' events: radio state and remote audio, the remote
// link's lamp and messages, the server's users, spots, solar data and the CAT monitor feed.
#include "tests/client/MainFormRig.h"

#include "client/widgets/CATMonitorPanel.h"
#include "controls/widgets/RCSpeedButton.h"
#include "dx/DMDX.h"
#include "dx/DXSpotTypes.h"
#include "dx/DXSpots.h"
#include "keying/DMCW.h"
#include "keying/WinKeyer.h"
#include "remote/DMAudioClient.h"
#include "remote/DMClient.h"
#include "remote/RAClient.h"
#include "tests/remote/AudioDoubles.h"

#include <QAction>
#include <QTcpServer>

using namespace clienttest;

namespace {

const QColor Maroon(0x80, 0, 0), Lime(0, 0xFF, 0), Red(0xFF, 0, 0), Orange(0xFF, 0x80, 0);

// A client whose remote audio link goes to a server the test plays on 127.0.0.1, with sound
// devices in memory and stereo received audio.
class RemoteAudioRig : public MainFormRig {
protected:
    void SetUp() override
    {
        vx::MemoryAudio::use(true);
        MainFormRig::SetUp();
        Port = vxtest::ListenOnAudioPort(Listener);
        ASSERT_NE(Port, 0);
    }
    void TearDown() override
    {
        Peer.reset();
        MainFormRig::TearDown();
        vx::MemoryAudio::use(false);
    }
    // The client role with one complete station whose audio port is the test's server.
    void StoreClient(TTransceiver model, bool autoConnect)
    {
        Store(isRemoteClient, model, [&](TIniStore& ini) {
            StoreStation(ini, Port);
            ini.WriteBool("Client\\AudioClient", "AutoConnect", autoConnect);
            ini.WriteInteger("Client\\AudioClient\\Output", "Channels", 2);
        });
    }
    // The server's end once the client has logged in; it answers in stereo.
    bool AcceptAudio()
    {
        if (!vxtest::waitUntil([&] { return Listener.hasPendingConnections(); }))
            return false;
        Peer = std::make_unique<vxtest::AudioPeer>(Listener.nextPendingConnection());
        if (!Peer->WaitBlocks(1) || !vxtest::waitUntil([&] { return Link()->Connected(); }))
            return false;
        Peer->Command("REMAUD||C:PCM8||M:2||B:8||");
        vxtest::spin(50);
        return true;
    }
    TRAClient* Link() const { return Modules->AudioClient()->RAClient(); }

    QTcpServer Listener;
    quint16 Port = 0;
    std::unique_ptr<vxtest::AudioPeer> Peer;
};

TEST_F(RemoteAudioRig, MOXAndVOXKeyRemoteAudioOnlyInPhoneWithTheirOption)
{
    StoreClient(FT2000, false);
    CreateAndStart();
    Form->DoClientConnection(conConnected, QString());
    Modules->AudioClient()->Connect();
    ASSERT_TRUE(AcceptAudio());
    TDMAudioClient* audio = Modules->AudioClient();
    struct Case {
        TModeType mode;
        bool option;
        bool keyed;
    };
    for (bool vox : {false, true}) {
        for (const Case c : {Case{mtPhone, true, true}, Case{mtPhone, false, false}, Case{mtCW, true, false},
                             Case{mtDigital, true, false}}) {
            SCOPED_TRACE(QStringLiteral("vox %1 mode %2 option %3").arg(vox).arg(c.mode).arg(c.option).toStdString());
            Form->DoModeChange(c.mode);
            audio->SetTransmitOnMOX(!vox && c.option);
            audio->SetTransmitOnVOX(vox && c.option);
            Link()->SetTransmit(false);
            vox ? Form->DoVOXChange(true) : Form->DoMOXChange(true);
            EXPECT_EQ(Link()->Transmit(), c.keyed);
            EXPECT_EQ(Form->TransmitButton->Down(), c.keyed);
            // Off always stops it, whatever the options and the mode.
            Form->DoModeChange(mtPhone);
            Link()->SetTransmit(true);
            ASSERT_TRUE(Link()->Transmit());
            audio->SetTransmitOnMOX(false);
            audio->SetTransmitOnVOX(false);
            Form->DoModeChange(c.mode);
            vox ? Form->DoVOXChange(false) : Form->DoMOXChange(false);
            EXPECT_FALSE(Link()->Transmit());
        }
    }
    // The sub receiver's switch is the right channel's.
    Form->DoSubReceiver(false);
    EXPECT_FALSE(Link()->ChannelRight());
    EXPECT_TRUE(Form->ChannelRightButton->Down());
    Form->DoSubReceiver(true);
    EXPECT_TRUE(Link()->ChannelRight());
}

TEST_F(RemoteAudioRig, TheRemoteLinkPaintsItsLampAndConnectsTheAudio)
{
    UseRadio(FT950);
    StoreClient(FT950, true);
    CreateAndStart();
    TDMAudioClient* audio = Modules->AudioClient();
    TWinKeyer* keyer = Modules->CW()->WinKey();

    Form->DoClientConnection(conConnecting, QString());
    EXPECT_EQ(Form->ConnectShape->BrushColor(), Orange);
    EXPECT_EQ(Form->ConnectShape->toolTip(), Modules->Client()->ClientConnectButtonAction->toolTip());

    // The FT-950 has one receiver: the right channel is off before the audio connects.
    ASSERT_TRUE(Link()->ChannelRight());
    Form->DoClientConnection(conConnected, QString());
    EXPECT_EQ(Form->ConnectShape->BrushColor(), Lime);
    EXPECT_EQ(audio->Host(), "127.0.0.1");
    EXPECT_EQ(audio->Username(), "DL1ABC");
    EXPECT_EQ(audio->AudioPort(), Port);
    EXPECT_TRUE(Link()->ChannelLeft());
    EXPECT_FALSE(Link()->ChannelRight());
    ASSERT_TRUE(AcceptAudio());
    EXPECT_TRUE(Form->AudioConnectButton->Down());
    EXPECT_EQ(Form->AudioConnectButton->toolTip(), "Disconnect remote audio");
    EXPECT_TRUE(Form->ChannelRightButton->Down());
    Form->DoRCMAverage(42);
    Form->DoAudioNetworkTraffic("1.2 kB", "0.3 kB");
    SaveArtifact("client-connected");

    EXPECT_EQ(Form->StatusPanelText(1), " 42 ms");
    Form->DoAudioNetworkTraffic("1.2 kB", "0.3 kB");
    EXPECT_EQ(Form->StatusPanelText(3), " RX 1.2 kB");
    keyer->SetRemoteStatus(wksOpen);

    Form->DoClientConnection(conDisconnected, QString());
    EXPECT_EQ(Form->ConnectShape->BrushColor(), Maroon);
    EXPECT_EQ(Form->StatusPanelText(1), "");
    EXPECT_EQ(Form->StatusPanelText(3), "");
    EXPECT_EQ(keyer->Status(), wksClosed);
    EXPECT_EQ(keyer->RemoteStatus(), wksClosed);
    EXPECT_FALSE(Link()->Connected());
    EXPECT_FALSE(Form->AudioConnectButton->Down());
    EXPECT_TRUE(Form->Messages.isEmpty());

    for (TConnection refusal : {conRejected, conInvalid, conNoRespone}) {
        Form->Messages.clear();
        Form->DoClientConnection(refusal, "Invalid user or password");
        EXPECT_EQ(Form->ConnectShape->BrushColor(), Red);
        EXPECT_EQ(Form->Messages, QStringList{"Information: Invalid user or password"});
    }
    Form->DoClientConnection(conNone, QString());
    EXPECT_EQ(Form->ConnectShape->BrushColor(), Red);
}

TEST_F(RemoteAudioRig, OtherModelsHearBothReceivers)
{
    StoreClient(FT2000, true);
    CreateAndStart();
    Link()->SetChannelRight(false);
    Form->DoClientConnection(conConnected, QString());
    EXPECT_TRUE(Link()->ChannelRight());
    ASSERT_TRUE(AcceptAudio());
}

TEST_F(RemoteAudioRig, TheChannelButtonsShowWhichReceiverIsOff)
{
    StoreClient(FT2000, false);
    CreateAndStart();
    Form->DoAudioConnectionStatus(cConnecting);
    EXPECT_EQ(Form->AudioConnectButton->toolTip(), "Connecting...");
    Form->DoAudioConnectionStatus(cRefused);
    EXPECT_EQ(Form->AudioConnectButton->toolTip(), "Connecting...");
    EXPECT_FALSE(Form->AudioConnectButton->Down());
    Link()->SetChannelLeft(false);
    Form->DoAudioChannelChange();
    EXPECT_TRUE(Form->ChannelLeftButton->Down());
    EXPECT_FALSE(Form->ChannelRightButton->Down());
    Form->ChannelLeftButton->click();
    EXPECT_TRUE(Link()->ChannelLeft());
    EXPECT_FALSE(Form->ChannelLeftButton->Down());
}

TEST_F(MainFormRig, TheServerListsItsUsers)
{
    Store(isLocalAndRemoteServer);
    CreateAndStart();
    Form->DoServerUserList(true, "DL1ABC, K1XYZ");
    EXPECT_EQ(Form->StatusPanelText(3), "DL1ABC, K1XYZ");
    EXPECT_EQ(Form->ConnectShape->BrushColor(), Lime);
    Form->DoServerUserList(false, "");
    EXPECT_EQ(Form->ConnectShape->BrushColor(), Maroon);
}

TEST_F(MainFormRig, SpotsAndSolarDataInTheStatusBar)
{
    Store();
    CreateAndStart();
    TDXSpots* spots = Modules->DX()->DXSpots();
    // Nothing known yet: nothing shown.
    Form->DoWWVData();
    EXPECT_EQ(Form->StatusPanelText(4), "");
    TDXWWV& wwv = spots->WWV();
    wwv.SetSFI(150);
    wwv.SetA(5);
    wwv.SetK(2);
    wwv.SetHint("No storms");
    wwv.SetLastData(QDateTime(QDate(2024, 3, 9), QTime(18, 0), Qt::UTC));
    Form->DoWWVData();
    EXPECT_EQ(Form->StatusPanelText(4), "SFI=150   A=5   K=2");
    EXPECT_EQ(Form->StatusPanelHint(4), "SFI=150  A=5  K=2  No storms  [2024-03-09 Hour 18]");

    TDXSpot spot;
    spot.SetSpotter("DL1ABC");
    spot.SetCall("K1XYZ");
    spot.SetFrequencyAsString("14025.0");
    spot.SetComments("CQ DX");
    spot.SetDistanceSP(6300);
    spot.SetDistanceLP(33700);
    spot.SetBearing(0, 293);
    spot.SetBearing(1, 113);
    Form->DoDXSpotMessage(spot);
    EXPECT_EQ(Form->StatusPanelText(5), " DX de DL1ABC: K1XYZ 14025.0 CQ DX (SP: 6300 km 293°) (LP: 33700 km 113°)");

    // The cluster's state enables its actions and names the menu item.
    Form->DoDXClusterStatus(nullptr, true, "Local node", true);
    EXPECT_TRUE(Form->DXCSendCommandAction->isEnabled());
    EXPECT_TRUE(Form->SendSpotAction->isEnabled());
    EXPECT_EQ(Form->MIDXCConnect->text(), "Disconnect");
    Form->DoDXClusterStatus(nullptr, true, "Local node", false);
    EXPECT_FALSE(Form->SendSpotAction->isEnabled());
    EXPECT_EQ(Form->MIDXCConnect->text(), "Connect to Local node");
}

TEST_F(MainFormRig, TheMonitorShowsTrafficOnlyUntilTheWindowCloses)
{
    Store();
    CreateAndStart();
    Form->CATMonitorAction->trigger();
    ASSERT_TRUE(RadioSays("FA14074000;"));
    // A command is shown even when the port is closed and nothing is written.
    Modules->Radio()->RadioComPort()->close();
    Form->DoCATCommandTX("FA14075000;");
    const QString lines = Form->CATMonitorPanel->Lines().join('\n');
    EXPECT_TRUE(lines.contains("FA14074000")) << lines.toStdString();
    EXPECT_TRUE(lines.contains("FA14075000")) << lines.toStdString();
    const int before = int(Form->CATMonitorPanel->Lines().size());
    Form->FormCloseQuery();
    Form->DoCATCommandTX("FA14076000;");
    Form->DoCATCommandRX("FA14076000;");
    EXPECT_EQ(int(Form->CATMonitorPanel->Lines().size()), before);
    // Radio state handlers rest as well.
    Form->DoModeChange(mtPhone);
    EXPECT_EQ(Form->ModeType(), mtCW);
}

} // namespace
