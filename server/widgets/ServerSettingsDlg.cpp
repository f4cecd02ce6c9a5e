#include "server/widgets/ServerSettingsDlg.h"

#include "controls/widgets/BusyCursor.h"
#include "controls/widgets/Shape.h"
#include "core/DMRadio.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMRTTY.h"
#include "keying/MMTTYInterface.h"
#include "platform/AudioDevice.h"
#include "platform/SerialPort.h"
#include "remote/DMAudioServer.h"
#include "remote/DMServer.h"
#include "remote/IPCServer.h"
#include "remote/widgets/AudioServerPages.h"
#include "remote/widgets/CodecPage.h"
#include "server/ServerEventLog.h"
#include "client/DataModules.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QUrl>
#include <optional>

namespace {

// On while the dialog fills its pages: the change events of that are no user's changes.
bool SettingsLoading = false;

constexpr int PageLeft = 234;
constexpr int PageTop = 8;

std::optional<int> PortNumber(const QLineEdit* edit, int min)
{
    return SettingsPortNumber(edit, min);
}

} // namespace

// --- Application page ---------------------------------------------------------------------------

TSettingsServerApplicationFrame::TSettingsServerApplicationFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Application"), parent)
{
    const int top = 33;
    SystemTrayCheckBox =
        NewCheckBox(this, QStringLiteral("&Show application in System Tray when minimized"), 8, top + 4);
    StartMinimizedCheckBox = NewCheckBox(this, QStringLiteral("Start application &minimized"), 24, top + 28);
    StartMinimizedCheckBox->setVisible(false);
    AutoRunRegistryCheckBox = NewCheckBox(this, QStringLiteral("&Auto-start application after logon"), 8, top + 28);
    LogFileCheckBox = NewCheckBox(this, QStringLiteral("Write Vornix Server events into log file"), 8, top + 52);
    OpenLogFileButton = new QPushButton(QStringLiteral("Open log file"), this);
    OpenLogFileButton->setGeometry(26, top + 78, 110, 25);
    OpenLogFileButton->setEnabled(false);
}

// --- Dialog -------------------------------------------------------------------------------------

QStringList TServerSettingsDlg::DeviceEntries(const QStringList& names)
{
    return SettingsDeviceEntries(names);
}

TServerSettingsDlg::TServerSettingsDlg(TDataModules& modules, QWidget* owner)
    : TDPIForm(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , FModules(modules)
{
    setObjectName(QStringLiteral("ServerSettingsDlg"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(ClientWidth, ClientHeight);

    TreeView1 = NewSettingsTree(this);

    FrameServerApplication = new TSettingsServerApplicationFrame(this);
    FrameCOMPort = new TSettingsCOMPortFrame(this);
    FrameServer = new TSettingsServerFrame(this);
    FrameUsers = new TSettingsUsersFrame(this);
    FrameAudioServerPort = new TSettingsAudioServerPortFrame(this);
    FramePTT = new TSettingsPTTFrame(this);
    FrameAudioServerDevices = new TSettingsAudioServerDevicesFrame(this);
    FrameAudioServerCodecs = new TSettingsAudioServerCodecsFrame(this);
    FrameAudioServerBuffers = new TSettingsAudioBuffersFrame(this);
    FrameCW = new TSettingsCWFrame(this);
    FrameDVK = new TSettingsDVKFrame(this);
    FrameMMTTY = new TSettingsMMTTYFrame(this);
    FrameIPC = new TSettingsIPCFrame(this);
    FrameWSJT = new TSettingsWSJTFrame(this);
    FPages = {FrameServerApplication, FrameCOMPort,        FrameServer,         FrameUsers,
              FrameAudioServerPort,   FramePTT,            FrameAudioServerDevices, FrameAudioServerCodecs,
              FrameAudioServerBuffers, FrameCW,            FrameDVK,            FrameMMTTY,
              FrameIPC,               FrameWSJT};
    for (QWidget* page : std::as_const(FPages)) {
        page->move(PageLeft, PageTop);
        page->hide();
    }

    NewSettingsButtons(this, OKButton, CancelButton);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    AddNode(nullptr, QStringLiteral("Application"));
    AddNode(nullptr, QStringLiteral("Radio COM Port"));
    QTreeWidgetItem* server = new QTreeWidgetItem(TreeView1, {QStringLiteral("Remote Server")});
    AddNode(server, QStringLiteral("Port"));
    AddNode(server, QStringLiteral("Users"));
    QTreeWidgetItem* audio = new QTreeWidgetItem(TreeView1, {QStringLiteral("Remote Audio Server")});
    for (const char* caption : {"Server Port", "Server PTT", "Server Devices", "Server Codecs", "Server Audio Buffers"})
        AddNode(audio, QLatin1String(caption));
    AddNode(nullptr, WinKeyNode);
    QTreeWidgetItem* devices = new QTreeWidgetItem(TreeView1, {QStringLiteral("Devices")});
    for (const char* caption : {"DVK", "MMTTY", "IPC"})
        AddNode(devices, QLatin1String(caption));
    AddNode(nullptr, QStringLiteral("WSJT-X Logging"));
    TreeView1->expandAll();
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this] { TreeView1Change(); });

    FrameCW->OnWinKeyChanged = [this] {
        if (!SettingsLoading)
            ChangedWinKey = true;
    };
    FrameAudioServerCodecs->OnCodecChange = [this] { CodecChange(); };
    connect(FrameServerApplication->OpenLogFileButton, &QPushButton::clicked, this, [] {
        const QString file = TServerEventLog::DefaultFileName();
        if (QFileInfo::exists(file))
            QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    });

    FormCreate();
    TreeView1->setFocus();
}

TServerSettingsDlg::~TServerSettingsDlg()
{
    SettingsLoading = false;
}

void TServerSettingsDlg::AddNode(QTreeWidgetItem* parent, const QString& caption)
{
    if (parent)
        new QTreeWidgetItem(parent, {caption});
    else
        new QTreeWidgetItem(TreeView1, {caption});
}

void TServerSettingsDlg::FormCreate()
{
    SettingsLoading = true;
    FInputDevices = DeviceEntries(vx::waveInDeviceNames());
    FOutputDevices = DeviceEntries(vx::waveOutDeviceNames());

    TDMServer* server = FModules.Server();
    TDMRadio* radio = FModules.Radio();
    TDMAudioServer* audio = FModules.AudioServer();
    TDMCW* cw = FModules.CW();
    TDMRTTY* rtty = FModules.RTTY();
    TDMDVK* dvk = FModules.DVK();

    // Application.
    TSettingsServerApplicationFrame* app = FrameServerApplication;
    app->SystemTrayCheckBox->setChecked(server->SystemTray());
    app->StartMinimizedCheckBox->setChecked(server->StartMinimized());
    app->StartMinimizedCheckBox->setEnabled(server->SystemTray());
    app->AutoRunRegistryCheckBox->setChecked(server->AutoRunRegistry());
    app->LogFileCheckBox->setChecked(server->LogFile());
    app->OpenLogFileButton->setEnabled(QFileInfo::exists(TServerEventLog::DefaultFileName()));

    // Radio COM port.
    FrameCOMPort->Load(*radio->RadioComPort());

    // Remote server and users.
    FrameServer->HostNameEdit->setText(server->Hostname());
    FrameServer->PortEdit->setText(QString::number(server->Port()));
    FrameServer->ShutdownRadioCheckBox->setChecked(server->ShutdownRadio());
    FrameUsers->UsersMemo->setPlainText(server->Users().join(QLatin1Char('\n')));
    FrameUsers->PasswordEdit->setText(server->Password());

    // Audio server.
    LoadAudioServerPages(AudioServerPages(), *audio);
    FrameAudioServerDevices->InputDevicesComboBox->addItems(FInputDevices);
    const uint32_t inId = audio->RAAudioIn()->Codec().DeviceID();
    FrameAudioServerDevices->InputDevicesComboBox->setCurrentIndex(int(inId) < FInputDevices.size() ? int(inId) : -1);
    FrameAudioServerDevices->OutputDevicesComboBox->addItems(FOutputDevices);
    const uint32_t outId = audio->RAAudioOut()->Codec().DeviceID();
    FrameAudioServerDevices->OutputDevicesComboBox->setCurrentIndex(int(outId) < FOutputDevices.size() ? int(outId) : -1);

    // WinKeyer.
    TWinKeyer* keyer = cw->WinKey();
    FrameCW->COMPortComboBox->SetCOMPort(cw->WinKeyComPort()->port());
    FrameCW->KeyerModeComboBox->setCurrentIndex(keyer->KeyerMode());
    FrameCW->SwapPaddlesCheckBox->setChecked(keyer->SwapPaddles());
    FrameCW->AutoSpaceCheckBox->setChecked(keyer->AutoSpace());
    FrameCW->ContestSpaceCheckBox->setChecked(keyer->ContestSpacing());
    FrameCW->MaxWPMEdit->setValue(keyer->MaxWPM());
    FrameCW->MinWPMEdit->setValue(keyer->MinWPM());
    FrameCW->SynchronizeRadioGroup->SetItemIndex(keyer->SynchronizeSpeed());
    if (keyer->Active())
        FrameCW->WKActiveShape->SetBrushColor(QColor(0, 255, 0));

    // MMTTY.
    TMMTTYInterface* mmtty = rtty->MMTTYInterface();
    FrameMMTTY->MMTTYFolderEdit->setText(mmtty->MMTTYPath());
    FrameMMTTY->UseMMTTYEngineCheckBox->setChecked(rtty->UseMMTTYEngine());
    FrameMMTTY->MMTTYHiddenCheckBox->setChecked(mmtty->MMTTYStartOptions().Hidden());
    FrameMMTTY->MMTTYMenuCheckBox->setChecked(mmtty->MMTTYStartOptions().ControlMenues());
    FrameMMTTY->MMTTYButtonsCheckBox->setChecked(mmtty->MMTTYStartOptions().ControlButtons());
    FrameMMTTY->MMTTYStayOnTopCheckBox->setChecked(mmtty->MMTTYStartOptions().StayOnTop());
    FrameMMTTY->IntervalEdit->setValue(mmtty->LevelTimerInterval());
    FrameMMTTY->RunMMTTYLocalCheckBox->setChecked(rtty->RunMMTTYLocal());
    FrameMMTTY->RunMMTTYLocalCheckBox->setVisible(false);
    FrameMMTTY->Label1->setVisible(false);
    FrameMMTTY->Label4->setVisible(false);

    // DVK: the use box first; its rule waits for a click.
    FrameDVK->UseDVKCheckBox->setChecked(dvk->UseDVK());
    FrameDVK->ComPortComboBox->SetCOMPort(dvk->ComPort()->port());
    FrameDVK->ClientGroupBox->setVisible(false);

    // IPC.
    FrameIPC->IPCServerCheckBox->setChecked(FModules.IPCServer()->Enabled());

    // WSJT-X.
    FrameWSJT->WSJTServerCheckBox->setChecked(server->WSJTEnabled());
    FrameWSJT->WSJTPortEdit->setText(QString::number(server->WSJTPort()));
    FrameWSJT->WSJTBandCheckBox->setChecked(server->WSJTLogBand());
    FrameWSJT->WSJTFreqCheckBox->setChecked(server->WSJTLogFreq());

    ChangedWinKey = false;
    SettingsLoading = false;
}

void TServerSettingsDlg::CodecChange()
{
    ShowTransferRate(*FrameAudioServerCodecs, FModules.AudioServer()->RAAudioIn()->Codec());
}

// --- Page switch --------------------------------------------------------------------------------

QWidget* TServerSettingsDlg::PageOf(const QString& caption) const
{
    // Nodes with children show the page of one of them.
    const std::pair<QString, QWidget*> pages[] = {
        {QStringLiteral("Application"), FrameServerApplication},
        {QStringLiteral("Radio COM Port"), FrameCOMPort},
        {QStringLiteral("Remote Server"), FrameServer},
        {QStringLiteral("Port"), FrameServer},
        {QStringLiteral("Users"), FrameUsers},
        {QStringLiteral("Remote Audio Server"), FrameAudioServerPort},
        {QStringLiteral("Server Port"), FrameAudioServerPort},
        {QStringLiteral("Server PTT"), FramePTT},
        {QStringLiteral("Server Devices"), FrameAudioServerDevices},
        {QStringLiteral("Server Codecs"), FrameAudioServerCodecs},
        {QStringLiteral("Server Audio Buffers"), FrameAudioServerBuffers},
        {WinKeyNode, FrameCW},
        {QStringLiteral("Devices"), FrameDVK},
        {QStringLiteral("DVK"), FrameDVK},
        {QStringLiteral("MMTTY"), FrameMMTTY},
        {QStringLiteral("IPC"), FrameIPC},
        {QStringLiteral("WSJT-X Logging"), FrameWSJT},
    };
    for (const auto& [name, page] : pages)
        if (name == caption)
            return page;
    return nullptr;
}

void TServerSettingsDlg::TreeView1Change()
{
    for (QWidget* page : std::as_const(FPages))
        page->hide();
    const QTreeWidgetItem* item = TreeView1->currentItem();
    if (!item)
        return;
    const QString caption = item->text(0);
    if (QWidget* page = PageOf(caption))
        page->show();
    LastSetting = caption;
}

void TServerSettingsDlg::SelectNode(const QString& caption)
{
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it)
        if ((*it)->text(0) == caption) {
            TreeView1->setCurrentItem(*it);
            return;
        }
}

void TServerSettingsDlg::FindLastSetting()
{
    for (QTreeWidgetItemIterator it(TreeView1); !LastSetting.isEmpty() && *it; ++it)
        if ((*it)->text(0) == LastSetting) {
            TreeView1->setCurrentItem(*it);
            return;
        }
    // First use (or a page that no longer exists): the first page rather than none.
    TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
}

// --- OK -----------------------------------------------------------------------------------------

bool TServerSettingsDlg::CheckPorts()
{
    struct Field {
        QLineEdit* Edit;
        const char* Node;
        int Min; // the control and WSJT-X servers take 0 for "not listening"
    };
    const Field fields[] = {
        {FrameServer->PortEdit, "Port", 0},
        {FrameAudioServerPort->AudioPortEdit, "Server Port", 1},
        {FrameWSJT->WSJTPortEdit, "WSJT-X Logging", 0},
    };
    for (const Field& f : fields) {
        if (PortNumber(f.Edit, f.Min))
            continue;
        SelectNode(QLatin1String(f.Node));
        f.Edit->setFocus();
        f.Edit->selectAll();
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Settings"),
                                    QStringLiteral("\"%1\" is no port number. Enter a number from %2 to 65535.")
                                        .arg(f.Edit->text())
                                        .arg(f.Min),
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return false;
    }
    return true;
}

void TServerSettingsDlg::OKButtonClick()
{
    if (!CheckPorts())
        return;
    TBusyCursor busy;
    busy.Set(true);
    try {
        ApplyButtonClick();
    } catch (...) {
        // What was applied stays; the dialog closes as after a full apply.
        accept();
        throw;
    }
    accept();
}

void TServerSettingsDlg::ApplyButtonClick()
{
    TDMServer* server = FModules.Server();
    TDMRadio* radio = FModules.Radio();
    TDMAudioServer* audio = FModules.AudioServer();
    TDMCW* cw = FModules.CW();
    TDMRTTY* rtty = FModules.RTTY();
    TDMDVK* dvk = FModules.DVK();

    // 1. Application.
    server->SetSystemTray(FrameServerApplication->SystemTrayCheckBox->isChecked());
    server->SetStartMinimized(FrameServerApplication->StartMinimizedCheckBox->isChecked());
    server->SetAutoRunRegistry(FrameServerApplication->AutoRunRegistryCheckBox->isChecked());
    server->SetLogFile(FrameServerApplication->LogFileCheckBox->isChecked());

    // 2. Radio port; an RTS change alone counts too.
    vx::SerialPort* port = radio->RadioComPort();
    if (FrameCOMPort->Differs(*port)) {
        // The main window closes the devices and opens them again after OK.
        port->setPort(FrameCOMPort->ComPortComboBox->COMPort());
        port->setBaudRate(FrameCOMPort->Baudrate(*port));
        port->setRts(FrameCOMPort->RTSCheckBox->isChecked());
    }

    // 3. IPC; the radio's settings.
    FModules.IPCServer()->SetEnabled(FrameIPC->IPCServerCheckBox->isChecked());
    radio->IniWrite();

    // 4. Remote server, users, WSJT-X.
    server->SetHostname(FrameServer->HostNameEdit->text().trimmed());
    server->SetPort(FrameServer->PortEdit->text().trimmed().toInt());
    server->SetShutdownRadio(FrameServer->ShutdownRadioCheckBox->isChecked());
    server->SetUsers(FrameUsers->Users());
    server->SetPassword(FrameUsers->PasswordEdit->text());
    server->SetWSJTEnabled(FrameWSJT->WSJTServerCheckBox->isChecked());
    server->SetWSJTPort(FrameWSJT->WSJTPortEdit->text().trimmed().toInt());
    server->SetWSJTLogBand(FrameWSJT->WSJTBandCheckBox->isChecked());
    server->SetWSJTLogFreq(FrameWSJT->WSJTFreqCheckBox->isChecked());
    server->IniWrite();

    // 5.-7. Audio server, its PTT port, sound devices, codec and buffers.
    ApplyAudioServerPages(AudioServerPages(), *audio);

    // 8. WinKeyer, only when the user changed it.
    if (ChangedWinKey) {
        TWinKeyer* keyer = cw->WinKey();
        cw->Close();
        keyer->SetAutoSpace(FrameCW->AutoSpaceCheckBox->isChecked());
        keyer->SetContestSpacing(FrameCW->ContestSpaceCheckBox->isChecked());
        keyer->SetKeyerMode(TKeyerMode(qBound(0, FrameCW->KeyerModeComboBox->currentIndex(), 3)));
        keyer->SetMaxWPM(uint8_t(FrameCW->MaxWPMEdit->value()));
        keyer->SetMinWPM(uint8_t(FrameCW->MinWPMEdit->value()));
        keyer->SetSwapPaddles(FrameCW->SwapPaddlesCheckBox->isChecked());
        if (FrameCW->SynchronizeRadioGroup->ItemIndex() >= 0)
            keyer->SetSynchronizeSpeed(uint8_t(FrameCW->SynchronizeRadioGroup->ItemIndex()));
        cw->WinKeyComPort()->setPort(FrameCW->COMPortComboBox->COMPort());
    }
    cw->IniWrite();

    // 9. MMTTY.
    TMMTTYInterface* mmtty = rtty->MMTTYInterface();
    mmtty->SetMMTTYPath(FrameMMTTY->MMTTYFolderEdit->text().trimmed());
    rtty->SetUseMMTTYEngine(FrameMMTTY->UseMMTTYEngineCheckBox->isChecked());
    mmtty->MMTTYStartOptions().SetHidden(FrameMMTTY->MMTTYHiddenCheckBox->isChecked());
    mmtty->MMTTYStartOptions().SetControlMenues(FrameMMTTY->MMTTYMenuCheckBox->isChecked());
    mmtty->MMTTYStartOptions().SetControlButtons(FrameMMTTY->MMTTYButtonsCheckBox->isChecked());
    mmtty->MMTTYStartOptions().SetStayOnTop(FrameMMTTY->MMTTYStayOnTopCheckBox->isChecked());
    mmtty->SetLevelTimerInterval(uint16_t(FrameMMTTY->IntervalEdit->value()));
    rtty->IniWrite();

    // 10. DVK.
    dvk->SetUseDVK(FrameDVK->UseDVKCheckBox->isChecked());
    dvk->ComPort()->setPort(FrameDVK->ComPortComboBox->COMPort());
    dvk->IniWrite();
}
