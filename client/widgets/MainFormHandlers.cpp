// The main window's handlers of the data modules' events: the CAT command writer and the CAT
// monitor feed, radio state, the remote link and remote audio, the remote server's users, the
// DX cluster and the solar data, and the forwarders of the auxiliary panels.
#include "client/widgets/MainForm.h"

#include "client/DataModules.h"
#include "client/widgets/CATMonitorPanel.h"
#include "controls/widgets/RCSpeedButton.h"
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DMDX.h"
#include "dx/DXSpots.h"
#include "dx/TelnetClient.h"
#include "keying/DMCW.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "keying/MMTTYInterface.h"
#include "keying/WinKeyer.h"
#include "keying/widgets/CWPanel.h"
#include "keying/widgets/RTTYPanel.h"
#include "log/DMLog.h"
#include "log/widgets/LogPanel.h"
#include "log/widgets/LogPanelControls.h"
#include "panel/widgets/FTTransceiverPanel.h"
#include "remote/DMAudioClient.h"
#include "remote/DMClient.h"
#include "remote/DMServer.h"

#include <QAction>
#include <QPainter>
#include <QTabWidget>

namespace {

// Colours of the remote link lamp.
const QColor Maroon(0x80, 0x00, 0x00);
const QColor Lime(0x00, 0xFF, 0x00);
const QColor Red(0xFF, 0x00, 0x00);
const QColor Orange(0xFF, 0x80, 0x00);

} // namespace

TStatusShape::TStatusShape(QWidget* parent)
    : QWidget(parent)
{
    resize(16, 7);
}

void TStatusShape::SetBrushColor(const QColor& value)
{
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TStatusShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(FColor);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// --- Subscriptions -------------------------------------------------------------------------

void TMainForm::Subscribe()
{
    TDMRadio* radio = FModules->Radio();
    TFTCATInterface* cat = radio->FTCATInterface();
    TDXSpots* spots = FModules->DX()->DXSpots();
    TRAClient* audio = FModules->AudioClient()->RAClient();

    radio->FT2KCATCommandRXEvent = [this](const QString& v) { DoCATCommandRX(v); };
    radio->FT2KCATCommandTXEvent = [this](const QString& v) { DoCATCommandTX(v); };
    cat->OnSubReceiver = [this](bool v) { DoSubReceiver(v); };
    cat->OnModeChange = [this](TModeType v) { DoModeChange(v); };
    cat->OnMOXChange = [this](bool v) { DoMOXChange(v); };
    cat->OnVoxChange = [this](bool v) { DoVOXChange(v); };
    cat->OnTransceiver = [this](TTransceiver v) { DoTransceiverChange(v); };
    spots->OnMessage = [this](const TDXSpot& s) { DoDXSpotMessage(s); };
    spots->OnWWVData = [this] { DoWWVData(); };
    FModules->DX()->OnDXClusterEvent = [this](QObject* sender, bool enabled, const QString& name, bool connected) {
        DoDXClusterStatus(sender, enabled, name, connected);
    };
    FModules->Client()->OnConnection = [this](TConnection c, const QString& msg) { DoClientConnection(c, msg); };
    FModules->Client()->OnRCMAverage = [this](int32_t v) { DoRCMAverage(v); };
    FModules->Server()->OnUserList = [this](bool connected, const QString& users) {
        DoServerUserList(connected, users);
    };
    audio->OnChannelChange = [this] { DoAudioChannelChange(); };
    audio->OnConnectionStatus = [this](TConnectionStatus s, const QString&) { DoAudioConnectionStatus(s); };
    audio->OnNetworkTraffic = [this](const QString& rx, const QString& tx) { DoAudioNetworkTraffic(rx, tx); };
    audio->OnTransmitting = [this](bool v) { DoAudioTransmitting(v); };
    // A settings file that cannot be written must not go unnoticed.
    FModules->Application()->OnError = [this](const QString& text) {
        ShowMessage(TMessageKind::Error, QString(), text);
    };
    FSubscribed = true;
}

void TMainForm::Unsubscribe()
{
    // The views and dialogs the modules were given at construction go with the window.
    FModules->RTTY()->SetRTTYPanel(nullptr);
    FModules->Messages()->SetDlgFactory(nullptr);
    FModules->Log()->SetDialogs(nullptr);
    if (FMMTTYMessage != 0)
        FModules->RTTY()->MMTTYInterface()->Prepare(nullptr, 0);
    if (!FSubscribed)
        return;
    FSubscribed = false;
    TDMRadio* radio = FModules->Radio();
    TFTCATInterface* cat = radio->FTCATInterface();
    TDXSpots* spots = FModules->DX()->DXSpots();
    TRAClient* audio = FModules->AudioClient()->RAClient();
    radio->FT2KCATCommandRXEvent = nullptr;
    radio->FT2KCATCommandTXEvent = nullptr;
    cat->OnSubReceiver = nullptr;
    cat->OnModeChange = nullptr;
    cat->OnMOXChange = nullptr;
    cat->OnVoxChange = nullptr;
    cat->OnTransceiver = nullptr;
    spots->OnMessage = nullptr;
    spots->OnWWVData = nullptr;
    FModules->DX()->OnDXClusterEvent = nullptr;
    FModules->Client()->OnConnection = nullptr;
    FModules->Client()->OnRCMAverage = nullptr;
    FModules->Server()->OnUserList = nullptr;
    audio->OnChannelChange = nullptr;
    audio->OnConnectionStatus = nullptr;
    audio->OnNetworkTraffic = nullptr;
    audio->OnTransmitting = nullptr;
    FModules->Application()->OnError = nullptr;
}

// --- CAT -------------------------------------------------------------------------------------

void TMainForm::DoCATCommandTX(const QString& Value)
{
    if (FShutdown)
        return;
    FCATWriter->DoCATCommandTX(Value);
    if (CATMonitorAction->isChecked())
        CATMonitorPanel->DoCATCommand(true, Value);
}

void TMainForm::DoCATCommandRX(const QString& Value)
{
    if (!FShutdown && CATMonitorAction->isChecked())
        CATMonitorPanel->DoCATCommand(false, Value);
}

// --- Radio state -----------------------------------------------------------------------------

void TMainForm::DoModeChange(TModeType ModeType)
{
    if (FShutdown || ModeType == FModeType)
        return;
    FModeType = ModeType;
    UpdatePanels();
}

void TMainForm::DoMOXChange(bool Value)
{
    if (FShutdown)
        return;
    TDMAudioClient* audio = FModules->AudioClient();
    if (!Value)
        audio->RAClient()->SetTransmit(false);
    else if (audio->TransmitOnMOX() && FModeType == mtPhone)
        audio->RAClient()->SetTransmit(true);
}

void TMainForm::DoVOXChange(bool Value)
{
    if (FShutdown)
        return;
    TDMAudioClient* audio = FModules->AudioClient();
    if (!Value)
        audio->RAClient()->SetTransmit(false);
    else if (audio->TransmitOnVOX() && FModeType == mtPhone)
        audio->RAClient()->SetTransmit(true);
}

void TMainForm::DoSubReceiver(bool Value)
{
    if (!FShutdown)
        FModules->AudioClient()->RAClient()->SetChannelRight(Value);
}

void TMainForm::DoTransceiverChange(TTransceiver Value)
{
    if (!FMainFormReady)
        return;
    FTTransceiverPanel->SetTransceiver(Value);
    FTTransceiverPanel->update();
    ConnectTransceiverPanel();
    ViewActionExecute();
    ViewActionExecute();
}

// --- Remote control link ---------------------------------------------------------------------

void TMainForm::DoClientConnection(TConnection Connection, const QString& Msg)
{
    TDMClient* client = FModules->Client();
    ConnectShape->setToolTip(client->ClientConnectButtonAction->toolTip());
    switch (Connection) {
    case conNone: break;
    case conConnecting: ConnectShape->SetBrushColor(Orange); break;
    case conConnected: {
        ConnectShape->SetBrushColor(Lime);
        const TRemoteBaseParameter base = client->GetActiveRemoteBase();
        TDMAudioClient* audio = FModules->AudioClient();
        audio->SetHost(base.Host);
        audio->SetAudioPort(base.AudioPort);
        audio->SetUsername(base.Username);
        audio->SetPassword(base.Password);
        if (audio->AutoConnect()) {
            audio->RAClient()->SetChannelLeft(true);
            // The FT-950 has no sub receiver to hear.
            audio->RAClient()->SetChannelRight(FModules->Radio()->FTCATInterface()->Transceiver() != FT950);
            audio->Connect();
        }
        break;
    }
    case conDisconnected: {
        ConnectShape->SetBrushColor(Maroon);
        TWinKeyer* keyer = FModules->CW()->WinKey();
        keyer->SetStatus(wksClosed);
        // The server's keyer is out of reach as well: it must not stay shown as open.
        keyer->SetRemoteStatus(wksClosed);
        FModules->Radio()->FTCATInterface()->ResetDisplay();
        FModules->AudioClient()->Disconnect();
        StatusBarPanel1->SetCaption(QString());
        StatusBarPanel3->SetCaption(QString());
        RTTYPanel->SetConnected(false);
        break;
    }
    case conInvalid:
    case conNoRespone:
    case conRejected:
        ConnectShape->SetBrushColor(Red);
        ShowMessage(TMessageKind::Information, QString(), Msg);
        break;
    }
}

void TMainForm::DoRCMAverage(int32_t Value)
{
    StatusBarPanel1->SetCaption(QStringLiteral(" %1 ms").arg(Value));
}

void TMainForm::DoServerUserList(bool Connected, const QString& Users)
{
    StatusBarPanel3->SetCaption(Users);
    ConnectShape->SetBrushColor(Connected ? Lime : Maroon);
}

// --- Remote audio ----------------------------------------------------------------------------

void TMainForm::DoAudioChannelChange()
{
    const TRAClient* audio = FModules->AudioClient()->RAClient();
    ChannelLeftButton->SetDown(!audio->ChannelLeft());
    ChannelRightButton->SetDown(!audio->ChannelRight());
}

void TMainForm::DoAudioConnectionStatus(TConnectionStatus Status)
{
    AudioConnectButton->SetDown(Status == cConnected);
    switch (Status) {
    case cConnecting: AudioConnectButton->setToolTip(QStringLiteral("Connecting...")); break;
    case cConnected: AudioConnectButton->setToolTip(QStringLiteral("Disconnect remote audio")); break;
    case cDisconnected: AudioConnectButton->setToolTip(QStringLiteral("Connect remote audio")); break;
    default: break;
    }
}

void TMainForm::DoAudioNetworkTraffic(const QString& Received, const QString&)
{
    StatusBarPanel3->SetCaption(QStringLiteral(" RX ") + Received);
}

void TMainForm::DoAudioTransmitting(bool Active)
{
    TransmitButton->SetDown(Active);
}

void TMainForm::AudioConnectButtonClick()
{
    FModules->AudioClient()->Connect();
    // The button shows the link's state, not the click.
    AudioConnectButton->SetDown(FModules->AudioClient()->RAClient()->ConnectionStatus() == cConnected);
}

void TMainForm::TransmitButtonClick()
{
    TRAClient* audio = FModules->AudioClient()->RAClient();
    audio->SetTransmit(!audio->Transmit());
    TransmitButton->SetDown(audio->Transmit());
}

void TMainForm::ChannelLeftButtonClick()
{
    TRAClient* audio = FModules->AudioClient()->RAClient();
    audio->SetChannelLeft(!audio->ChannelLeft());
    DoAudioChannelChange();
}

void TMainForm::ChannelRightButtonClick()
{
    TRAClient* audio = FModules->AudioClient()->RAClient();
    audio->SetChannelRight(!audio->ChannelRight());
    DoAudioChannelChange();
}

// --- DX cluster and solar data ---------------------------------------------------------------

void TMainForm::DoDXClusterStatus(QObject*, bool, const QString& Name, bool Connected)
{
    DXCSendCommandAction->setEnabled(Connected);
    SendSpotAction->setEnabled(Connected);
    if (MIDXCConnect)
        MIDXCConnect->SetCaption(Connected ? QStringLiteral("Disconnect") : QStringLiteral("Connect to ") + Name);
}

void TMainForm::DoDXSpotMessage(const TDXSpot& ADXSpot)
{
    const TRangeUnit unit = FModules->DX()->DXSpots()->RangeUnit();
    StatusBarPanel5->SetCaption(QStringLiteral(" DX de %1: %2 %3 %4 (SP: %5 %6°) (LP: %7 %8°)")
                                    .arg(ADXSpot.Spotter(), ADXSpot.Call(), ADXSpot.FrequencyAsString(),
                                         ADXSpot.Comments(), ADXSpot.GetDistanceSP(unit))
                                    .arg(ADXSpot.BearingSP())
                                    .arg(ADXSpot.GetDistanceLP(unit))
                                    .arg(ADXSpot.BearingLP()));
}

void TMainForm::DoWWVData()
{
    const TDXWWV& wwv = FModules->DX()->DXSpots()->WWV();
    if (!wwv.LastData().isValid())
        return;
    StatusBarPanel4->SetCaption(QStringLiteral("SFI=%1   A=%2   K=%3").arg(wwv.SFI()).arg(wwv.A()).arg(wwv.K()));
    StatusBarPanel4->setToolTip(QStringLiteral("SFI=%1  A=%2  K=%3  %4  [%5 Hour %6]")
                                    .arg(wwv.SFI())
                                    .arg(wwv.A())
                                    .arg(wwv.K())
                                    .arg(wwv.Hint(), wwv.LastData().toString(QStringLiteral("yyyy-MM-dd")),
                                         wwv.LastData().toString(QStringLiteral("hh"))));
}

// --- Forwarders ------------------------------------------------------------------------------

void TMainForm::DoCWPanelSendChar(QObject*, QChar TXChar)
{
    FModules->CW()->CWSendChar(TXChar);
}

void TMainForm::DoCWPanelSendText(QObject*, const QString& TXText)
{
    FModules->CW()->CWSendText(TXText);
}

void TMainForm::DoLogPanelFrequencyA(int32_t Value)
{
    TFTCATInterface* cat = FModules->Radio()->FTCATInterface();
    cat->PrepareTX();
    cat->SetFrequencyA(Value);
}

void TMainForm::DoRTTYPanelLogCall(const QString& Value)
{
    LogPanel->SetCallsign(Value);
}

void TMainForm::DoRTTYPanelLogName(const QString& Value)
{
    LogPanel->SetHisName(Value);
}

void TMainForm::DXTelnetPanelSendToTelnet(const QString& Value)
{
    TTelnetClient* telnet = FModules->DX()->TelnetClient();
    if (telnet->Connected())
        telnet->WriteLn(Value);
}

void TMainForm::LogStatisticsPanelLogFilter(const TLogFilter& LogFilter)
{
    ShowTabSheet(TabSheetLog);
    FModules->Log()->LogInterface()->FilterQSOs(LogFilter);
}
