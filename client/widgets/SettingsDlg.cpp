#include "client/widgets/SettingsDlg.h"

#include "client/DataModules.h"
#include "controls/widgets/BusyCursor.h"
#include "controls/widgets/RCPanel.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DMDX.h"
#include "dx/DXSpots.h"
#include "dx/widgets/WantedDXCCStringGrid.h"
#include "dx/widgets/WantedSpotsStringGrid.h"
#include "log/DMLog.h"
#include "log/LogInterface.h"
#include "log/LoTWInterface.h"
#include "log/QRZInterface.h"
#include "remote/DMServer.h"
#include "platform/AudioDevice.h"
#include "platform/SerialPort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

// On while the dialog fills its pages: the change events of that are no user's changes.
bool SettingsLoading = false;

constexpr int PageLeft = 234;
constexpr int PageTop = 8;

} // namespace

TSettingsDlg::TSettingsDlg(TDataModules& modules, QWidget* owner)
    : TDPIForm(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , FModules(modules)
{
    setObjectName(QStringLiteral("SettingsDlg"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(ClientWidth, ClientHeight);

    TreeView1 = NewSettingsTree(this);

    CreatePages();
    CreateTree();
    for (QWidget* page : std::as_const(FPages)) {
        page->move(PageLeft, PageTop);
        page->hide();
    }
    FrameWantedDXCC->move(PageLeft - 2, PageTop);

    NewSettingsButtons(this, OKButton, CancelButton);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this] { TreeView1Change(); });

    // A click on Cancel cancels; it does not first ask for a whole locator.
    FrameGeneral->OnSkipLocatorCheck = [this](QWidget* focus) { return focus == CancelButton; };
    FrameGeneral->OnShowPage = [this] { SelectNode(QStringLiteral("General")); };

    FormCreate();
    // Before any page was chosen the first one shows.
    SelectNode(QStringLiteral("General"));
    TreeView1->setFocus();
}

TSettingsDlg::~TSettingsDlg()
{
    SettingsLoading = false;
    ReleaseQRZListener();
}

void TSettingsDlg::ReleaseQRZListener()
{
    FModules.Log()->QRZInterface()->OnTestButton = nullptr;
}

// --- Pages and tree -------------------------------------------------------------------------

void TSettingsDlg::CreatePages()
{
    FrameGeneral = new TSettingsGeneralFrame(this);
    FrameUserInterface = new TSettingsUserInterfaceFrame(this);
    FrameCOMPort = new TSettingsCOMPortFrame(this);

    FrameDXCluster = new TSettingsDXClusterFrame(this);
    FrameDXCluster->OnPicked = [this] { ChangedDXCluster = true; };
    FrameFilter = new TSettingsFilterFrame(this);
    FrameDXSpots = new TSettingsDXSpotsFrame(this);
    FrameWantedDXCC = new TSettingsWantedDXCCFrame(this);
    FrameWantedSpots = new TSettingsWantedSpotsFrame(this);
    FrameBandmap = new TSettingsBandmapFrame(this);
    FrameBandplan = new TSettingsBandplanFrame(this);

    FrameLog = new TSettingsLog(this);
    FrameLogLoTW = new TSettingsLogLoTWFrame(this);
    FrameLogQRZ = new TSettingsLogQRZFrame(this);
    connect(FrameLogQRZ->TestButton, &QPushButton::clicked, this, [this] { QRZTestButtonClick(); });
    FrameWSJT = new TSettingsWSJTFrame(this);

    PageGroup = new TSettingsPages(FModules, this);
    FrameCW = PageGroup->FrameCW;
    FrameSidetone = PageGroup->FrameSidetone;
    FrameCWMessages1 = PageGroup->FrameCWMessages1;
    FrameCWMessages2 = PageGroup->FrameCWMessages2;

    FrameMMTTY = PageGroup->FrameMMTTY;
    FrameFSKMessages = PageGroup->FrameFSKMessages;

    FrameDVK = PageGroup->FrameDVK;
    FrameFlexControl = PageGroup->FrameFlexControl;
    FrameIPC = PageGroup->FrameIPC;
    FramePlayback = PageGroup->FramePlayback;

    FrameClient = PageGroup->FrameClient;
    FrameAudioClientGeneral = PageGroup->FrameAudioClientGeneral;
    FrameAudioClientDevices = PageGroup->FrameAudioClientDevices;
    FrameAudioClientCodecs = PageGroup->FrameAudioClientCodecs;
    FrameAudioClientBuffers = PageGroup->FrameAudioClientBuffers;
    FrameServer = PageGroup->FrameServer;
    FrameUsers = PageGroup->FrameUsers;
    FrameAudioServerPort = PageGroup->FrameAudioServerPort;
    FramePTT = PageGroup->FramePTT;
    FrameAudioServerDevices = PageGroup->FrameAudioServerDevices;
    FrameAudioServerCodecs = PageGroup->FrameAudioServerCodecs;
    FrameAudioServerBuffers = PageGroup->FrameAudioServerBuffers;
}

void TSettingsDlg::CreateTree()
{
    FNodes = {
        {QStringLiteral("General"), 0, FrameGeneral},
        {QStringLiteral("User Interface"), 0, FrameUserInterface},
        {QStringLiteral("Radio COM Port"), 0, FrameCOMPort},
        {QStringLiteral("DX Cluster"), 0, FrameDXCluster},
        {QStringLiteral("DX Cluster"), 1, FrameDXCluster},
        {QStringLiteral("DX Cluster Options"), 1, FrameFilter},
        {QStringLiteral("DX Spots Options"), 1, FrameDXSpots},
        {QStringLiteral("Wanted DXCC Entities"), 1, FrameWantedDXCC},
        {QStringLiteral("Wanted DX Spots"), 1, FrameWantedSpots},
        {QStringLiteral("Band Map"), 1, FrameBandmap},
        {QStringLiteral("Band Plan"), 1, FrameBandplan},
        {QStringLiteral("Log Book"), 0, FrameLog},
        {QStringLiteral("LoTW"), 1, FrameLogLoTW},
        {QStringLiteral("QRZ.COM"), 1, FrameLogQRZ},
        {QStringLiteral("WSJT-X Logging"), 1, FrameWSJT},
        {QStringLiteral("CW"), 0, FrameCW},
        {WinKeyNode, 1, FrameCW},
        {QStringLiteral("CW Sidetone"), 1, FrameSidetone},
        {QStringLiteral("CW Messages I"), 1, FrameCWMessages1},
        {QStringLiteral("CW Messages II"), 1, FrameCWMessages2},
        {QStringLiteral("RTTY"), 0, FrameMMTTY},
        {QStringLiteral("MMTTY Engine"), 1, FrameMMTTY},
        {QStringLiteral("RTTY Messages"), 1, FrameFSKMessages},
        {QStringLiteral("Devices"), 0, FrameDVK},
        {QStringLiteral("microHAM DVK"), 1, FrameDVK},
        {QStringLiteral("FlexControl"), 1, FrameFlexControl},
        {QStringLiteral("IPC"), 1, FrameIPC},
        {QStringLiteral("Playback Channels"), 0, FramePlayback},
        {QStringLiteral("Remote Client"), 0, FrameClient},
        {QStringLiteral("Remote Connections"), 1, FrameClient},
        {QStringLiteral("Remote Audio Client"), 1, FrameAudioClientGeneral},
        {QStringLiteral("Client General"), 2, FrameAudioClientGeneral},
        {QStringLiteral("Client Devices"), 2, FrameAudioClientDevices},
        {QStringLiteral("Client Codecs"), 2, FrameAudioClientCodecs},
        {QStringLiteral("Client Audio Buffers"), 2, FrameAudioClientBuffers},
        {QStringLiteral("Remote Server"), 0, FrameServer},
        {QStringLiteral("Port"), 1, FrameServer},
        {QStringLiteral("Users"), 1, FrameUsers},
        {QStringLiteral("Remote Audio Server"), 1, FrameAudioServerPort},
        {QStringLiteral("Server Port"), 2, FrameAudioServerPort},
        {QStringLiteral("Server PTT"), 2, FramePTT},
        {QStringLiteral("Server Devices"), 2, FrameAudioServerDevices},
        {QStringLiteral("Server Codecs"), 2, FrameAudioServerCodecs},
        {QStringLiteral("Server Audio Buffers"), 2, FrameAudioServerBuffers},
    };
    FPages.clear();
    std::vector<QTreeWidgetItem*> parents;
    for (const TNode& node : FNodes) {
        parents.resize(size_t(node.Depth));
        QTreeWidgetItem* item = parents.empty() ? new QTreeWidgetItem(TreeView1, {node.Caption})
                                                : new QTreeWidgetItem(parents.back(), {node.Caption});
        parents.push_back(item);
        if (!FPages.contains(node.Page))
            FPages << node.Page;
    }
    TreeView1->setItemsExpandable(true);
}

QWidget* TSettingsDlg::PageOf(const QString& caption) const
{
    for (const TNode& node : FNodes)
        if (node.Caption == caption)
            return node.Page;
    return nullptr;
}

void TSettingsDlg::TreeView1Change()
{
    for (QWidget* page : std::as_const(FPages))
        page->hide();
    QTreeWidgetItem* item = TreeView1->currentItem();
    if (!item)
        return;
    item->setExpanded(true);
    const QString caption = item->text(0);
    if (QWidget* page = PageOf(caption))
        page->show();
    LastSetting = caption;
}

void TSettingsDlg::SelectNode(const QString& caption)
{
    QTreeWidgetItemIterator it(TreeView1);
    for (; *it; ++it) {
        if ((*it)->text(0) == caption) {
            TreeView1->setCurrentItem(*it);
            return;
        }
    }
}

void TSettingsDlg::FindLastSetting()
{
    if (!LastSetting.isEmpty())
        SelectNode(LastSetting);
}

// --- Loading --------------------------------------------------------------------------------

void TSettingsDlg::FormCreate()
{
    // 1.
    SettingsLoading = true;
    FInputDevices = SettingsDeviceEntries(vx::waveInDeviceNames());
    FOutputDevices = SettingsDeviceEntries(vx::waveOutDeviceNames());
    // 2. - 9.
    LoadGeneralPages();
    LoadRemotePages();
    LoadAudioPages();
    LoadDXClusterPages();
    LoadCWPages();
    LoadRTTYPages();
    LoadDevicePages();
    LoadLogPages();
    // 10.
    ChangedApplicationType = false;
    ChangedDXCluster = false;
    ChangedWinKey = false;
    ChangedCodec = false;
    // 11. - 12.
    LoadRoleState();
    SettingsLoading = false;
}

int TSettingsDlg::LoadedRoleItem() const
{
    switch (FModules.DM()->ApplicationType()) {
    case isLocalAndRemoteServer: return 1;
    case isRemoteClient: return 2;
    default: return 0; // isLocal; the server program's role has no item of its own
    }
}

void TSettingsDlg::LoadGeneralPages()
{
    const TDXSpots* spots = FModules.DX()->DXSpots();
    FrameGeneral->MyCallEdit->setText(spots->MyCall());
    FrameGeneral->MyLocatorEdit->setText(spots->MyLocator());
    FrameGeneral->RangeUnitCB->setCurrentIndex(spots->RangeUnit() == ruMiles ? 1 : 0);
    FrameGeneral->AppTypeRadioGroup->SetItemIndex(LoadedRoleItem());

    const TFTCATInterface* cat = FModules.Radio()->FTCATInterface();
    FrameUserInterface->TransceiverRadioGroup->SetItemIndex(cat->TransceiverAutoDetect() ? 0
                                                                                         : int(cat->Transceiver()) + 1);
    FrameUserInterface->ClarifierRangeSpinEdit->setValue(cat->ClarifierRange());

    FrameCOMPort->Load(*FModules.Radio()->RadioComPort());
}

void TSettingsDlg::LoadRemotePages()
{
    PageGroup->Loading = true;
    PageGroup->FInputDevices = FInputDevices;
    PageGroup->FOutputDevices = FOutputDevices;
    PageGroup->LoadRemoteServer();
}

void TSettingsDlg::LoadAudioPages()
{
    PageGroup->LoadRemoteAudio();
}

namespace {

// Band plan rows are the bands 160m … 6m; columns the lower and upper edge of CW, phone, digital.
TBand BandplanBand(int row) { return TBand(row); }
bool BandplanLow(int column) { return column % 2 == 1; }
TModeType BandplanMode(int column)
{
    static const TModeType modes[] = {mtCW, mtPhone, mtDigital};
    return modes[(column - 1) / 2];
}

} // namespace

void TSettingsDlg::LoadDXClusterPages()
{
    TDMDX* dx = FModules.DX();
    TDXSpots* spots = dx->DXSpots();

    TSettingsDXClusterFrame& cluster = *FrameDXCluster;
    cluster.DXClusterNameEdit->setText(dx->Name());
    cluster.DXClusterHostEdit->setText(dx->Host());
    cluster.DXClusterPortEdit->setText(QString::number(dx->Port()));
    cluster.DXClusterCallEdit->setText(dx->Username());
    cluster.DXClusterPasswordEdit->setText(dx->Password());
    cluster.DXClusterCheckBox->setChecked(dx->AutoConnect());
    for (const QString& command : dx->Commands())
        cluster.CommandsMemo->appendPlainText(command);
    cluster.Command1Edit->setText(dx->Command1());
    cluster.Command2Edit->setText(dx->Command2());
    cluster.Command3Edit->setText(dx->Command3());

    const TShowBands& bands = spots->DXSpotFilter().ShowBands();
    FrameFilter->CheckBoxes[0]->setChecked(bands.Contains(bdAll));
    for (int b = 1; b < int(FrameFilter->CheckBoxes.size()); ++b)
        FrameFilter->CheckBoxes[size_t(b)]->setChecked(bands.Contains(TBand(b)));
    FrameFilter->FilterSpotsRadioGroup->SetItemIndex(int(spots->DXSpotFilter().ShowContinent()));
    FrameFilter->MaxTelnetSpotsEdit->setValue(spots->MaxTelnetSpots());
    FrameFilter->NewestSpotsFirstCB->setChecked(spots->NewestSpotsFirst());

    FrameDXSpots->DXSpotsLifetimeEdit->setValue(spots->DXSpotsLifetime());
    FrameDXSpots->CheckBoxLogSearch->setChecked(FModules.Log()->LogInterface()->SearchLogBandAndMode());

    FrameWantedSpots->WantedSpotsStringGrid->Load();
    FrameWantedDXCC->WantedDXCCStringGrid->Load();

    FrameBandmap->LifetimeEdit->setValue(spots->BandmapLifetime());
    FrameBandmap->RefreshTimeEdit->setValue(spots->BandmapRefreshTime());

    const TDXBandplan& plan = spots->DXBandplan();
    for (int row = 1; row <= TSettingsBandplanFrame::Rows; ++row)
        for (int column = 1; column <= TSettingsBandplanFrame::Columns; ++column)
            FrameBandplan->BP(row, column)->SetDigits(
                plan.GetBandModeSegment(BandplanBand(row), BandplanLow(column), BandplanMode(column)));
}

void TSettingsDlg::LoadCWPages()
{
    PageGroup->LoadCW();
}

void TSettingsDlg::LoadRTTYPages()
{
    PageGroup->LoadRTTY();
}

void TSettingsDlg::LoadDevicePages()
{
    PageGroup->LoadDevices();
}

void TSettingsDlg::LoadLogPages()
{
    TDMLog* log = FModules.Log();
    FrameLog->MaxQSOsSpinEdit->setValue(int(log->LogInterface()->MaxQSOs()));
    const TLoTWInterface* lotw = log->LogInterface()->LoTWInterface();
    FrameLogLoTW->UsernameEdit->setText(lotw->LoTWUsername());
    FrameLogLoTW->PasswordEdit->setText(lotw->LoTWPassword());
    TQRZInterface* qrz = log->QRZInterface();
    FrameLogQRZ->UseQRZCB->setChecked(qrz->UseQRZ());
    FrameLogQRZ->QRZUsernameEdit->setText(qrz->MyUsername());
    FrameLogQRZ->QRZPasswordEdit->setText(qrz->MyPassword());
    FrameLogQRZ->ImmediateCheckBox->setChecked(qrz->ImmediateLookup());
    FrameLogQRZ->UpdateEnabled();
    qrz->OnTestButton = [this](bool success, const QString& line) { QRZTestResponse(success, line); };

    const TDMServer* server = FModules.Server();
    FrameWSJT->WSJTServerCheckBox->setChecked(server->WSJTEnabled());
    FrameWSJT->WSJTPortEdit->setText(QString::number(server->WSJTPort()));
    FrameWSJT->WSJTBandCheckBox->setChecked(server->WSJTLogBand());
    FrameWSJT->WSJTFreqCheckBox->setChecked(server->WSJTLogFreq());
}

void TSettingsDlg::QRZTestButtonClick()
{
    FrameLogQRZ->RCPanel1->show();
    TQRZInterface* qrz = FModules.Log()->QRZInterface();
    qrz->OnTestButton = [this](bool success, const QString& line) { QRZTestResponse(success, line); };
    // The service tries the account as typed; it keeps it also when the dialog is cancelled.
    qrz->SetMyUsername(FrameLogQRZ->QRZUsernameEdit->text());
    qrz->SetMyPassword(FrameLogQRZ->QRZPasswordEdit->text());
    qrz->Open();
}

void TSettingsDlg::QRZTestResponse(bool, const QString& line)
{
    FrameLogQRZ->AddResponse(line);
}

void TSettingsDlg::LoadRoleState()
{
    // Once: a later click in the role group changes the explanation only.
    FrameGeneral->ShowExplanation(FrameGeneral->AppTypeRadioGroup->ItemIndex());
    PageGroup->LoadRole(FModules.DM()->ApplicationType());
    PageGroup->ChangedWinKey = false;
    PageGroup->ChangedCodec = false;
    PageGroup->Loading = false;
}

// --- OK -------------------------------------------------------------------------------------

QList<TSettingsDlg::TPortField> TSettingsDlg::PortFields() const
{
    QList<TPortField> fields;
    fields << TPortField{QStringLiteral("DX Cluster"), FrameDXCluster->DXClusterPortEdit,
                         [this] { return !FrameDXCluster->DXClusterHostEdit->text().trimmed().isEmpty(); }};
    fields << TPortField{QStringLiteral("WSJT-X Logging"), FrameWSJT->WSJTPortEdit,
                         [this] { return FrameWSJT->WSJTServerCheckBox->isChecked(); }};
    for (const TSettingsPages::TPortField& field : PageGroup->PortFields())
        fields << TPortField{field.Node, field.Edit, field.InUse};
    return fields;
}

void TSettingsDlg::ShowCheckMessage(const QString& node, QWidget* field, const QString& text)
{
    SelectNode(node);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    if (!CheckMessageBox)
        CheckMessageBox = new QMessageBox(QMessageBox::Warning, QStringLiteral("Settings"), QString(),
                                          QMessageBox::Ok, this);
    CheckMessageBox->setText(text);
    CheckMessageBox->open();
}

bool TSettingsDlg::CheckPages()
{
    if (!FrameGeneral->LocatorComplete()) {
        ShowCheckMessage(QStringLiteral("General"), FrameGeneral->MyLocatorEdit, TSettingsGeneralFrame::LocatorMessage);
        return false;
    }
    for (const TPortField& field : PortFields()) {
        if (SettingsPortNumber(field.Edit))
            continue;
        if (field.Edit->text().trimmed() == QLatin1String("0") && !(field.InUse && field.InUse()))
            continue;
        ShowCheckMessage(field.Node, field.Edit, PortMessage);
        return false;
    }
    return true;
}

void TSettingsDlg::OKButtonClick()
{
    if (!CheckPages())
        return;
    {
        TBusyCursor busy;
        busy.Set(true);
        ApplyButtonClick();
    }
    accept();
}

// --- Applying -------------------------------------------------------------------------------

void TSettingsDlg::ApplyButtonClick()
{
    ApplyGeneralPage();       // 1.
    ApplyRadioPages();        // 2.
    ApplyRemoteServerPages(); // 3.
    ApplyRemoteClientPages(); // 4.
    ApplyAudioPages();        // 5.
    ApplyDXClusterPages();    // 6.
    ApplyCWPages();           // 7.
    ApplyRTTYPages();         // 8.
    ApplyDevicePages();       // 9.
    ApplyLogPages();          // 10.
}

void TSettingsDlg::ApplyGeneralPage()
{
    TDXSpots* spots = FModules.DX()->DXSpots();
    spots->SetMyCall(FrameGeneral->MyCallEdit->text());
    spots->SetMyLocator(FrameGeneral->MyLocatorEdit->text());

    // The role changes only when another item was chosen: a role without an item stays.
    const int item = FrameGeneral->AppTypeRadioGroup->ItemIndex();
    if (item >= 0 && item != LoadedRoleItem()) {
        static const TApplicationType roles[] = {isLocal, isLocalAndRemoteServer, isRemoteClient};
        FModules.DM()->SetApplicationType(roles[item]);
        ChangedApplicationType = true;
    }
}

void TSettingsDlg::ApplyRadioPages()
{
    TDMRadio* radio = FModules.Radio();
    TFTCATInterface* cat = radio->FTCATInterface();
    const int item = FrameUserInterface->TransceiverRadioGroup->ItemIndex();
    cat->SetTransceiverAutoDetect(item == 0);
    if (item >= 1 && item <= 4)
        cat->SetTransceiver(TTransceiver(item - 1));
    cat->SetClarifierRange(FrameUserInterface->ClarifierRangeSpinEdit->value());

    vx::SerialPort* port = radio->RadioComPort();
    const bool renamed = FrameCOMPort->ComPortComboBox->COMPort() != port->port();
    FrameCOMPort->Apply(*port);
    // A port that was not open (none chosen yet, or it failed) opens on its new name where the
    // engine talks to the radio over it; a role change opens it with the restart instead.
    if (renamed && !port->connected() && !port->port().isEmpty() && cat->UsingCOMPort() && !ChangedApplicationType)
        port->open();
    radio->IniWrite();
}

void TSettingsDlg::ApplyRemoteServerPages()
{
    PageGroup->ApplyRemoteServer();
}

void TSettingsDlg::ApplyRemoteClientPages()
{
    PageGroup->ApplyRemoteConnections();
}

void TSettingsDlg::ApplyAudioPages()
{
    ChangedCodec = PageGroup->ChangedCodec;
    PageGroup->ApplyRemoteAudio();
}

void TSettingsDlg::ApplyDXClusterPages()
{
    TDXSpots* spots = FModules.DX()->DXSpots();
    spots->SetMyCall(FrameGeneral->MyCallEdit->text());
    spots->SetMyLocator(FrameGeneral->MyLocatorEdit->text());
    spots->SetRangeUnit(FrameGeneral->RangeUnitCB->currentIndex() > 0 ? ruMiles : ruKM);

    TDMDX* dx = FModules.DX();
    const TSettingsDXClusterFrame& cluster = *FrameDXCluster;
    dx->SetName(cluster.DXClusterNameEdit->text());
    dx->SetHost(cluster.DXClusterHostEdit->text());
    dx->SetPort(cluster.DXClusterPortEdit->text().trimmed().toInt());
    dx->SetUsername(cluster.DXClusterCallEdit->text());
    dx->SetPassword(cluster.DXClusterPasswordEdit->text());
    dx->SetAutoConnect(cluster.DXClusterCheckBox->isChecked());
    dx->Commands() = cluster.Commands();
    dx->SetCommand1(cluster.Command1Edit->text());
    dx->SetCommand2(cluster.Command2Edit->text());
    dx->SetCommand3(cluster.Command3Edit->text());

    // Rebuilt from scratch: a band unchecked after "All Bands" leaves neither in the set.
    TShowBands bands;
    for (int b = 0; b < int(FrameFilter->CheckBoxes.size()); ++b)
        if (FrameFilter->CheckBoxes[size_t(b)]->isChecked())
            bands.Include(TBand(b));
    spots->DXSpotFilter().SetShowBands(bands);
    const int continent = FrameFilter->FilterSpotsRadioGroup->ItemIndex();
    if (continent >= 0 && continent <= 2)
        spots->DXSpotFilter().SetShowContinent(TCountryFilter(continent));
    spots->SetMaxTelnetSpots(FrameFilter->MaxTelnetSpotsEdit->value());
    spots->SetNewestSpotsFirst(FrameFilter->NewestSpotsFirstCB->isChecked());

    spots->SetDXSpotsLifetime(uint16_t(FrameDXSpots->DXSpotsLifetimeEdit->value()));
    FModules.Log()->LogInterface()->SetSearchLogBandAndMode(FrameDXSpots->CheckBoxLogSearch->isChecked());

    // The lists are written, and read again by the spot engine, only when they changed.
    bool saved = false;
    if (FrameWantedSpots->WantedSpotsStringGrid->HasChanges()) {
        FrameWantedSpots->WantedSpotsStringGrid->Save();
        saved = true;
    }
    if (FrameWantedDXCC->WantedDXCCStringGrid->HasChanges()) {
        FrameWantedDXCC->WantedDXCCStringGrid->Save();
        saved = true;
    }
    if (saved)
        dx->ReloadWantedLists();

    spots->SetBandmapLifetime(uint16_t(FrameBandmap->LifetimeEdit->value()));
    spots->SetBandmapRefreshTime(uint16_t(FrameBandmap->RefreshTimeEdit->value()));

    TDXBandplan& plan = spots->DXBandplan();
    for (int row = 1; row <= TSettingsBandplanFrame::Rows; ++row)
        for (int column = 1; column <= TSettingsBandplanFrame::Columns; ++column)
            plan.SetBandModeSegment(BandplanBand(row), BandplanLow(column), BandplanMode(column),
                                    FrameBandplan->BP(row, column)->Digits());
}

void TSettingsDlg::ApplyCWPages()
{
    ChangedWinKey = PageGroup->ChangedWinKey;
    PageGroup->ApplyCW(ChangedApplicationType);
}

void TSettingsDlg::ApplyRTTYPages()
{
    PageGroup->ApplyRTTY();
}

void TSettingsDlg::ApplyDevicePages()
{
    PageGroup->ApplyDevices();
}

void TSettingsDlg::ApplyLogPages()
{
    TDMLog* log = FModules.Log();
    log->LogInterface()->SetMaxQSOs(uint32_t(FrameLog->MaxQSOsSpinEdit->value()));
    TLoTWInterface* lotw = log->LogInterface()->LoTWInterface();
    lotw->SetLoTWUsername(FrameLogLoTW->UsernameEdit->text());
    lotw->SetLoTWPassword(FrameLogLoTW->PasswordEdit->text());
    TQRZInterface* qrz = log->QRZInterface();
    qrz->SetUseQRZ(FrameLogQRZ->UseQRZCB->isChecked());
    qrz->SetMyUsername(FrameLogQRZ->QRZUsernameEdit->text());
    qrz->SetMyPassword(FrameLogQRZ->QRZPasswordEdit->text());
    qrz->SetImmediateLookup(FrameLogQRZ->ImmediateCheckBox->isChecked());
    ReleaseQRZListener();

    // Stored with the server module's next write; the WSJT-X server listens from the next start.
    TDMServer* server = FModules.Server();
    server->SetWSJTEnabled(FrameWSJT->WSJTServerCheckBox->isChecked());
    server->SetWSJTPort(FrameWSJT->WSJTPortEdit->text().trimmed().toInt());
    server->SetWSJTLogBand(FrameWSJT->WSJTBandCheckBox->isChecked());
    server->SetWSJTLogFreq(FrameWSJT->WSJTFreqCheckBox->isChecked());
    log->IniWrite();
}
