// The main window's construction, its three start-up stages, the settings dialog and the
// close-down.
#include "client/widgets/MainForm.h"

#include "client/DataModules.h"
#include "client/widgets/CATMonitorPanel.h"
#include "client/widgets/FlowLayout.h"
#include "client/widgets/RCMPanel.h"
#include "client/widgets/SettingsDlg.h"
#include "client/widgets/SettingsImport.h"
#include "controls/widgets/DPIForm.h"
#include "controls/widgets/FormPlace.h"
#include "controls/widgets/RCSpeedButton.h"
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DMDX.h"
#include "dx/DXSpots.h"
#include "dx/widgets/Bandmap.h"
#include "dx/widgets/DXClusterPanel.h"
#include "dx/widgets/DXSpotsPanel2.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "keying/MMTTYInterface.h"
#include "keying/widgets/CWPanel.h"
#include "keying/widgets/MessageDlgs.h"
#include "keying/widgets/MessagePanel.h"
#include "keying/widgets/RTTYPanel.h"
#include "keying/widgets/YaesuRotatorPanel.h"
#include "log/DMLog.h"
#include "log/QRZInterface.h"
#include "log/widgets/LogPanel.h"
#include "log/widgets/LogPanelDialogs.h"
#include "log/widgets/LogWidgetDialogs.h"
#include "log/widgets/QRZCallbookLink.h"
#include "log/widgets/LogbookPanelVST.h"
#include "panel/widgets/FTTransceiverPanel.h"
#include "platform/Clock.h"
#include "platform/MessageBus.h"
#include "remote/CallbackForm.h"
#include "remote/DMAudioClient.h"
#include "remote/DMAudioServer.h"
#include "remote/DMClient.h"
#include "remote/DMServer.h"
#include "remote/widgets/PlaybackForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QColor PanelColor(0x41, 0x41, 0x41);

QWidget* DarkPanel(const char* name, QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QLatin1String(name));
    QPalette p = w->palette();
    p.setColor(QPalette::Window, PanelColor);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    return w;
}

QWidget* TabSheet(const char* name)
{
    auto* sheet = new QWidget;
    sheet->setObjectName(QLatin1String(name));
    return sheet;
}

// A sheet whose one view fills it.
void Fill(QWidget* sheet, QWidget* view)
{
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

} // namespace

TMainForm::TMainForm(TDataModules* Modules, QWidget* parent)
    : QMainWindow(parent)
    , FModules(Modules)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Vornix - YAESU CAT & Remote Control"));
    setFont(TDPIForm::FormFont());
    resize(1192, 920);
    setMinimumHeight(800);

    FCATWriter = std::make_unique<TCATCommandWriter>(FModules->Radio());
    FCATWriter->OnBusy = [this](bool busy) {
        if (busy)
            setCursor(Qt::WaitCursor);
        else
            unsetCursor();
    };
    FEndpoint = new vx::BusEndpoint(this);

    StartTimer1 = new vx::Timer(StartTimer1Interval, false, this);
    StartTimer1->setSingleShot(true);
    StartTimer1->OnTimer = [this] { StartTimer1Timer(); };
    StartTimer2 = new vx::Timer(StartTimer2Interval, false, this);
    StartTimer2->setSingleShot(true);
    StartTimer2->OnTimer = [this] { StartTimer2Timer(); };

    CreateControls();
    CreateStatusBar();
    CreateActions();
    CreateMenus();
    ResolveShortcuts();

    FFormPlace1 = new TFormPlace(this);
    FFormPlace1->SetIdentifier(QStringLiteral("ClientMainForm"));
    FFormPlace1->SetSection(QStringLiteral("Client"));
    FFormPlace1->SetRoot(QStringLiteral("Zemro\\Vornix\\"));
    FFormPlace1->SetUseRegistry(true);
}

TMainForm::~TMainForm()
{
    if (FKeyHook) {
        qApp->removeEventFilter(this);
        FKeyHook = false;
    }
    Unsubscribe();
    delete PlaybackForm;
    PlaybackForm = nullptr;
}

void TMainForm::CreateControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* body = DarkPanel("Body", central);
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    PanelLeft = DarkPanel("PanelLeft", body);
    PanelLeft->setFixedWidth(1027);
    auto* left = new QVBoxLayout(PanelLeft);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    PageControl1 = new QTabWidget(PanelLeft);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFixedHeight(511);
    PageControl1->setDocumentMode(true);
    // At the top also when the strip below is hidden (Basic view).
    left->addWidget(PageControl1, 0, Qt::AlignTop);
    FlowPanel1 = DarkPanel("FlowPanel1", PanelLeft);
    new TFlowLayout(FlowPanel1);
    left->addWidget(FlowPanel1, 1);
    row->addWidget(PanelLeft);

    PanelRight = DarkPanel("PanelRight", body);
    // It takes what the left panel leaves, however little: the pages never push the radio aside.
    PanelRight->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* right = new QVBoxLayout(PanelRight);
    right->setContentsMargins(0, 0, 0, 0);
    PageControl2 = new QTabWidget(PanelRight);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    PageControl2->setDocumentMode(true);
    right->addWidget(PageControl2);
    row->addWidget(PanelRight, 1);
    column->addWidget(body, 1);

    StatusBarPanel = new QWidget(central);
    StatusBarPanel->setObjectName(QStringLiteral("StatusBarPanel"));
    StatusBarPanel->setFixedHeight(20);
    column->addWidget(StatusBarPanel);
    setCentralWidget(central);

    // Tab sheets in their order; the view moves all but the first between the page controls.
    TabSheetTransceiver = TabSheet("TabSheetTransceiver");
    TabSheetDXCluster = TabSheet("TabSheetDXCluster");
    TabSheetDXSpots = TabSheet("TabSheetDXSpots");
    TabSheetBandmap = TabSheet("TabSheetBandmap");
    TabSheetLog = TabSheet("TabSheetLog");
    TabSheetLogStatistics = TabSheet("TabSheetLogStatistics");
    TabSheetCATMonitor = TabSheet("TabSheetCATMonitor");
    TabSheetRTTY = TabSheet("TabSheetRTTY");
    const struct {
        QWidget* sheet;
        const char* caption;
    } sheets[] = {{TabSheetTransceiver, "Transceiver"}, {TabSheetDXCluster, "DX Cluster"},
                  {TabSheetDXSpots, "DX Spots"},       {TabSheetBandmap, "Band Map"},
                  {TabSheetLog, "Log Book"},           {TabSheetLogStatistics, "Log Statistics"},
                  {TabSheetCATMonitor, "CAT Monitor"}, {TabSheetRTTY, "RTTY"}};
    for (const auto& s : sheets) {
        PageControl1->addTab(s.sheet, QLatin1String(s.caption));
        s.sheet->setAutoFillBackground(true);
        QPalette p = s.sheet->palette();
        p.setColor(QPalette::Window, PanelColor);
        s.sheet->setPalette(p);
    }
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheetCATMonitor), false);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheetRTTY), false);

    FTTransceiverPanel = new TFTTransceiverPanel(TabSheetTransceiver);
    FTTransceiverPanel->setObjectName(QStringLiteral("FTTransceiverPanel"));
    FTTransceiverPanel->setGeometry(-2, 0, 1019, 454);

    DXClusterPanel = new TDXClusterPanel;
    DXClusterPanel->setObjectName(QStringLiteral("DXClusterPanel"));
    Fill(TabSheetDXCluster, DXClusterPanel);
    DXSpotsPanel = new TDXSpotsPanel2;
    DXSpotsPanel->setObjectName(QStringLiteral("DXSpotsPanel"));
    Fill(TabSheetDXSpots, DXSpotsPanel);
    Bandmap = new TBandmap;
    Bandmap->setObjectName(QStringLiteral("Bandmap"));
    Bandmap->setFocusPolicy(Qt::TabFocus);
    Fill(TabSheetBandmap, Bandmap);
    LogbookPanel = new TLogbookPanelVST;
    LogbookPanel->setObjectName(QStringLiteral("LogbookPanel"));
    Fill(TabSheetLog, LogbookPanel);
    LogStatisticsPanel = CreateMainLogStatisticsPanel();
    Fill(TabSheetLogStatistics, LogStatisticsPanel);
    CATMonitorPanel = new TCATMonitorPanel;
    CATMonitorPanel->setObjectName(QStringLiteral("CATMonitorPanel"));
    CATMonitorPanel->setFixedWidth(457);
    {
        auto* layout = new QHBoxLayout(TabSheetCATMonitor);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(CATMonitorPanel);
        layout->addStretch(1);
    }

    // The auxiliary panels in flow order.
    MessagePanel = new TMessagePanel(FlowPanel1);
    MessagePanel->setObjectName(QStringLiteral("MessagePanel"));
    CWPanel = new TCWPanel(FlowPanel1);
    CWPanel->setObjectName(QStringLiteral("CWPanel"));
    LogPanel = new TLogPanel(FlowPanel1);
    RTTYPanel = new TRTTYPanel(FlowPanel1);
    RTTYPanel->setObjectName(QStringLiteral("RTTYPanel"));
    RCMPanel = new TRCMPanel(FlowPanel1);
    RCMPanel->setObjectName(QStringLiteral("RCMPanel"));
    YaesuRotatorPanel = new TYaesuRotatorPanel(FlowPanel1);
    YaesuRotatorPanel->setObjectName(QStringLiteral("YaesuRotatorPanel"));
    for (QWidget* panel : {static_cast<QWidget*>(MessagePanel), static_cast<QWidget*>(CWPanel),
                           static_cast<QWidget*>(LogPanel), static_cast<QWidget*>(RTTYPanel),
                           static_cast<QWidget*>(RCMPanel), static_cast<QWidget*>(YaesuRotatorPanel)})
        FlowPanel1->layout()->addWidget(panel);
    RTTYPanel->hide();

    // Events the form's layout binds.
    DXClusterPanel->OnSendToTelnet = [this](const QString& v) { DXTelnetPanelSendToTelnet(v); };
    LogPanel->OnSendToTelnet = [this](const QString& v) { DXTelnetPanelSendToTelnet(v); };
    LogPanel->OnFrequencyA = [this](int32_t v) { DoLogPanelFrequencyA(v); };
    CWPanel->OnSendChar = [this](QObject* s, QChar c) { DoCWPanelSendChar(s, c); };
    CWPanel->OnSendText = [this](QObject* s, const QString& t) { DoCWPanelSendText(s, t); };
    RTTYPanel->OnLogCall = [this](const QString& v) { DoRTTYPanelLogCall(v); };
    RTTYPanel->OnLogName = [this](const QString& v) { DoRTTYPanelLogName(v); };
    LogStatisticsPanel->OnLogFilter = [this](const TLogFilter& f) { LogStatisticsPanelLogFilter(f); };

    // The views' models and the module dialogs.
    TFTCATInterface* cat = FModules->Radio()->FTCATInterface();
    TDXSpots* spots = FModules->DX()->DXSpots();
    Bandmap->SetFTCATInterface(cat);
    Bandmap->SetDXSpots(spots);
    DXClusterPanel->SetDXSpots(spots);
    LogStatisticsPanel->SetLogStatistics(FModules->Log()->LogStatistics());
    DXClusterPanel->SetDXClusterConnectAction(FModules->DX()->DXClusterConnectAction);
    DXClusterPanel->SetCommand1Action(FModules->DX()->Command1Action);
    DXClusterPanel->SetCommand2Action(FModules->DX()->Command2Action);
    DXClusterPanel->SetCommand3Action(FModules->DX()->Command3Action);
    LogbookPanel->SetLogInterface(FModules->Log()->LogInterface());
    CATMonitorPanel->SetFTCATInterface(cat);
    CWPanel->SetWinKeyer(FModules->CW()->WinKey());
    for (int n = 1; n <= TMessagePanel::ButtonCount; ++n)
        MessagePanel->SetMessageAction(n, FModules->Messages()->MessageAction(n));
    MessagePanel->SetMicroHAMInterface(FModules->DVK()->MicroHamInterface());
    RCMPanel->SetRemoteClient(FModules->Client()->RemoteClient());
    YaesuRotatorPanel->SetFTCATInterface(cat);
    FMessageDlgs = std::make_unique<TMessageDlgs>(this);
    FModules->Messages()->SetDlgFactory(FMessageDlgs.get());
    FLogDialogs = std::make_unique<TLogWidgetDialogs>(this);
    FModules->Log()->SetDialogs(FLogDialogs.get());

    // The QSO entry panel; the log before the callbook, whose controls follow the logging mode.
    TDMLog* logModule = FModules->Log();
    FCallbookLink = new TQRZCallbookLink(logModule->QRZInterface(), this);
    FLogPanelViews = new TLogPanelDialogs(logModule->QRZInterface(), this);
    FLogPanelViews->ExecuteDialog = [this](QDialog& dialog) { return ExecuteDialog(dialog); };
    LogPanel->SetDXSpots(spots);
    LogPanel->SetFTCATInterface(cat);
    LogPanel->SetLogInterface(logModule->LogInterface());
    LogPanel->SetLogQSOAction(logModule->LogQSOAction);
    LogPanel->SetQRZInterface(FCallbookLink);
    LogPanel->SetViews(FLogPanelViews);

    FTTransceiverPanel->SetBandmap(Bandmap);
    FTTransceiverPanel->SetLogPanel(LogPanel);
    FTTransceiverPanel->SetPageControl(PageControl1);
    FTTransceiverPanel->SetTabSheetTransceiver(TabSheetTransceiver);
}

// --- The three stages ----------------------------------------------------------------------

void TMainForm::FormCreate()
{
    TDMApplication* app = FModules->Application();
    TDMDX* dx = FModules->DX();
    TLogInterface* log = FModules->Log()->LogInterface();

    // Before the modules read their settings, so that taken-over ones count from this start on.
    OfferBrindlexSettingsImport(this);
    FMainFormReady = false;
    PageControl1->setCurrentWidget(TabSheetDXCluster);
    FFormPlace1->Read();
    Subscribe();
    StartModules();

    DXClusterPanel->SetClusterCommands(dx->ClusterCommands());
    DXSpotsPanel->SetDXSpots(dx->DXSpots());
    UpdateStatusBar();

    MessagePanel->resize(116, PanelStripHeight);
    const auto size = [](QWidget* panel, const TPanelPosition& p) { panel->resize(p.Width, p.Height); };
    size(CWPanel, app->PositionCW());
    size(LogPanel, app->PositionLog());
    size(RTTYPanel, app->PositionRTTY());
    size(YaesuRotatorPanel, app->PositionRotator());
    RCMPanel->resize(app->PositionRCM().Width, RCMPanel->height());

    LogPanel->LoadLogOptions();
    log->SetMyCall(dx->DXSpots()->MyCall());
    TDXSpots* spots = dx->DXSpots();
    FModules->Log()->QRZInterface()->SetDXSpots(
        [spots](const QString& locator) { return spots->GetRangeAndPathText(locator); });

    RTTYPanel->SetMyCall(dx->DXSpots()->MyCall());
    FModules->RTTY()->SetRTTYPanel(RTTYPanel);
    YaesuRotatorPanel->SetPushAndHold(app->RotorPushAndHold());

    if (ScreenWidth() < WideScreenWidth && app->CompactView() == 0) {
        app->SetCompactView(1);
        ViewWideAction->setEnabled(false);
    }
    switch (app->CompactView()) {
    case 0: ViewWideAction->setChecked(true); break;
    case 1: ViewCompactAction->setChecked(true); break;
    case 2: ViewBasicAction->setChecked(true); break;
    default: break;
    }

    FCallbackForm = new TCallbackForm(qApp);
    FCallbackForm->SetServerAudio(FModules->AudioServer()->RAAudioIn(), FModules->AudioServer()->RAAudioOut());
    FCallbackForm->SetClientAudio(FModules->AudioClient()->RAAudioIn(), FModules->AudioClient()->RAAudioOut());
    FMainFormReady = true;
    LoadStyleFile();
    FShutdown = false;
    FLastActiveControl = afNone;
    FModeType = mtCW;

    PageControl1->setCurrentWidget(TabSheetTransceiver);
    PageControl2->setCurrentWidget(TabSheetDXCluster);
    for (QTabWidget* pages : {PageControl1, PageControl2}) {
        if (pages->indexOf(TabSheetCATMonitor) >= 0)
            pages->setTabVisible(pages->indexOf(TabSheetCATMonitor), false);
    }

    PlaybackForm = new TPlaybackForm(FModules->Playback(), this);
    PlaybackForm->SetPlaybackWindowAction(PlaybackWindowAction);
    PlaybackForm->hide();

    PresetButton1->SetCaption(QStringLiteral("C"));
    PresetButton2->SetCaption(QStringLiteral("S"));
    PresetButton3->SetCaption(QStringLiteral("R"));
    PresetButton4->SetCaption(QStringLiteral("J"));

    FStagesRun = 1;
    StartTimer1->setEnabled(true);
    app->Close();
}

void TMainForm::StartTimer1Timer()
{
    StartTimer1->setEnabled(false);
    if (FShutdown)
        return;
    TFTCATInterface* cat = FModules->Radio()->FTCATInterface();
    FCallbackForm->SetApplicationType(FModules->DM()->ApplicationType());
    FTTransceiverPanel->SetTransceiver(cat->Transceiver());
    QCoreApplication::processEvents();
    if (FShutdown)
        return;
    ViewActionExecute();
    UpdatePanels();

    qApp->installEventFilter(this);
    FKeyHook = true;

    // The MMTTY engine posts to this window's endpoint; without one the engine cannot run.
    if (FEndpoint->IsOpen() || FEndpoint->Open())
        FMMTTYMessage = HookMMTTYInterface(*FEndpoint, *FModules->RTTY()->MMTTYInterface());
    DoWWVData();
    ConnectTransceiverPanel();
    FStagesRun = 2;
    StartTimer2->setEnabled(true);
}

void TMainForm::StartTimer2Timer()
{
    StartTimer2->setEnabled(false);
    if (FShutdown)
        return;
    FModules->Log()->LogInterface()->Open();
    LogPanel->Open();
    TDMDX* dx = FModules->DX();
    if (dx->AutoConnect()) {
        setCursor(Qt::WaitCursor);
        StatusBarPanel5->SetCaption(QStringLiteral(" Connecting to: ") + dx->Host());
        QCoreApplication::processEvents();
        // The connection is made in the background; its failure shows in the cluster console.
        dx->Connect();
        StatusBarPanel5->SetCaption(QString());
        unsetCursor();
    }
    FStagesRun = 3;
}

void TMainForm::ConnectTransceiverPanel()
{
    if (!FTTransceiverPanel)
        return;
    FTTransceiverPanel->SetFTCATInterface(FModules->Radio()->FTCATInterface());
    FTTransceiverPanel->SetBandmap(Bandmap);
    FTTransceiverPanel->SetLogPanel(LogPanel);
    FTTransceiverPanel->SetDXSpots(FModules->DX()->DXSpots());
    FTTransceiverPanel->SetPageControl(PageControl1);
    FTTransceiverPanel->SetTabSheetTransceiver(TabSheetTransceiver);
    FTTransceiverPanel->OnMenuButton = [this](QObject*) { TransceiverMenuActionExecute(); };
}

void TMainForm::LoadStyleFile()
{
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/VornixClient.qss");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
}

// --- Settings ------------------------------------------------------------------------------

void TMainForm::SettingsActionExecute()
{
    std::unique_ptr<TSettingsDlgLink> dlg = CreateSettingsDlg();
    TDM* dm = FModules->DM();
    if (dlg) {
        dlg->SetLastSetting(dm->LastSetting());
        dlg->FindLastSetting();
        if (dlg->Execute() == QDialog::Accepted) {
            setCursor(Qt::WaitCursor);
            dm->SetLastSetting(dlg->LastSetting());
            FModules->Client()->Update();
            TDXSpots* spots = FModules->DX()->DXSpots();
            TLogInterface* log = FModules->Log()->LogInterface();
            if (spots->MyCall() != log->MyCall()) {
                log->SetMyCall(spots->MyCall());
                LogPanel->Open();
            }
            RTTYPanel->SetMyCall(spots->MyCall());
            if (dlg->ChangedApplicationType()) {
                UpdateStatusBar();
                RestartModules();
                // The sound devices report to the audio modules of the new role.
                if (FCallbackForm)
                    FCallbackForm->SetApplicationType(dm->ApplicationType());
            } else {
                if (dlg->ChangedDXCluster()) {
                    FModules->DX()->Close();
                    FModules->DX()->Open();
                }
                TRAClient* audio = FModules->AudioClient()->RAClient();
                if (dm->ApplicationType() == isRemoteClient && audio->ConnectionStatus() == cConnected &&
                    dlg->ChangedCodec())
                    audio->CodecRequest();
            }
        }
    }
    dlg.reset();
    FModules->Application()->Close();
    unsetCursor();
    UpdatePanels();
}

// --- Close-down ----------------------------------------------------------------------------

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TMainForm::FormCloseQuery()
{
    FShutdown = true;
    FCATWriter->SetShutdown(true);
    return true;
}

void TMainForm::FormClose()
{
    if (FClosed)
        return;
    FClosed = true;
    StartTimer1->setEnabled(false);
    StartTimer2->setEnabled(false);
    TDMApplication* app = FModules->Application();
    TDMDX* dx = FModules->DX();

    dx->ClusterCommands() = DXClusterPanel->ClusterCommands();
    dx->IniWrite();

    // Each record is changed in a copy, so its index and use flag stay.
    TPanelPosition p = app->PositionMessages();
    p.Visible = !MessagePanel->isHidden();
    p.Height = PanelStripHeight;
    p.Width = 116;
    app->SetPositionMessages(p);
    const auto store = [](QWidget* panel, TPanelPosition p) {
        p.Visible = !panel->isHidden();
        p.Height = panel->height();
        p.Width = panel->width();
        return p;
    };
    app->SetPositionCW(store(CWPanel, app->PositionCW()));
    app->SetPositionLog(store(LogPanel, app->PositionLog()));
    app->SetPositionRTTY(store(RTTYPanel, app->PositionRTTY()));
    app->SetPositionRotator(store(YaesuRotatorPanel, app->PositionRotator()));
    p = app->PositionRCM();
    p.Visible = !RCMPanel->isHidden();
    p.Width = RCMPanel->width();
    app->SetPositionRCM(p);
    if (!YaesuRotatorPanel->isHidden())
        app->SetRotorPushAndHold(YaesuRotatorPanel->PushAndHold());
    if (PlaybackForm) {
        p = app->PositionPlayBack();
        p.Width = PlaybackForm->x();
        p.Height = PlaybackForm->y();
        app->SetPositionPlayBack(p);
    }
    app->IniWrite();

    StopModules();
    // The placement goes to the file with the settings; a failed write is shown.
    FFormPlace1->Write();
    app->Close();
}

// --- What tests replace --------------------------------------------------------------------

int TMainForm::ScreenWidth() const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

void TMainForm::StartModules()
{
    FModules->DM()->Start();
}

void TMainForm::StopModules()
{
    FModules->DM()->Stop();
}

void TMainForm::RestartModules()
{
    FModules->DM()->Restart();
}

std::unique_ptr<TSettingsDlgLink> TMainForm::CreateSettingsDlg()
{
    return std::make_unique<TSettingsDlgRunner>(*FModules, this);
}

int TMainForm::ExecuteDialog(QDialog& Dialog)
{
    return Dialog.exec();
}

void TMainForm::ShowMessage(TMessageKind Kind, const QString& Title, const QString& Text)
{
    const QString title = Title.isEmpty() ? ClientTitle() : Title;
    switch (Kind) {
    case TMessageKind::Information: QMessageBox::information(this, title, Text); break;
    case TMessageKind::Warning: QMessageBox::warning(this, title, Text); break;
    case TMessageKind::Error: QMessageBox::critical(this, title, Text); break;
    }
}

void TMainForm::OpenUrl(const QString& Url)
{
    QDesktopServices::openUrl(QUrl(Url));
}
