#include "server/widgets/ServerMainForm.h"

#include "controls/widgets/AboutForm.h"
#include "controls/widgets/FixedLayout.h"
#include "controls/widgets/FormPlace.h"
#include "controls/widgets/RCPanel.h"
#include "controls/widgets/Shape.h"
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/MicroHamInterface.h"
#include "core/cat/FTCATInterface.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMRTTY.h"
#include "keying/MMTTYInterface.h"
#include "platform/Clock.h"
#include "platform/MessageBus.h"
#include "platform/SerialPort.h"
#include "remote/CallbackForm.h"
#include "remote/DMAudioServer.h"
#include "remote/DMServer.h"
#include "remote/IPCServer.h"
#include "server/ServerEventLog.h"
#include "client/DataModules.h"
#include "server/widgets/ServerArt.h"
#include "server/widgets/ServerSettingsDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QMutexLocker>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <exception>

namespace {

constexpr int PanelWidth = TServerMainForm::FormWidth;
constexpr int LabelX = 8;
constexpr int ShapeX = 76;
constexpr int TextX = 96;

TRCPanel* NewPanel(QWidget* parent, const QString& name, int height)
{
    auto* panel = new TRCPanel(parent);
    panel->setObjectName(name);
    panel->setFixedHeight(height);
    return panel;
}

TShape* NewShape(QWidget* parent, int x, int y)
{
    auto* shape = new TShape(parent);
    shape->setGeometry(x, y, 14, 14);
    shape->SetBrushColor(TServerMainForm::Grey);
    return shape;
}

// A row of a 24-pixel panel: its name, its lamp and the text beside the lamp.
void Row(TRCPanel* panel, const QString& name, TShape*& shape, QLabel** text)
{
    vx::layout::Label(panel, name, LabelX, 5);
    shape = NewShape(panel, ShapeX, 5);
    if (text)
        *text = vx::layout::Label(panel, QString(), TextX, 5, PanelWidth - TextX - 6);
}

QString TransceiverName(TTransceiver model)
{
    switch (model) {
    case FT2000D: return QStringLiteral("FT-2000D");
    case FT950: return QStringLiteral("FT-950");
    case FTDX5000: return QStringLiteral("FT DX 5000");
    default: return QStringLiteral("FT-2000");
    }
}

} // namespace

// --- Texts of the status display --------------------------------------------------------------

QString TServerMainForm::FrequencyText(int32_t hz)
{
    // The frequency in Hz with the thousands grouped, showing 10 Hz steps: its last digit goes.
    if (hz == 0)
        return QString();
    const QString digits = QString::number(qAbs(qint64(hz)));
    const QString separator = QLocale().groupSeparator();
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    if (hz < 0)
        grouped.prepend(QLatin1Char('-'));
    grouped.chop(1);
    return grouped;
}

QString TServerMainForm::ModeText(TMode mode)
{
    switch (mode) {
    case mdLSB: return QStringLiteral("LSB");
    case mdUSB: return QStringLiteral("USB");
    case mdCW:
    case mdCW_R: return QStringLiteral("CW");
    case mdFM: return QStringLiteral("FM");
    case mdAM: return QStringLiteral("AM");
    case mdFSK:
    case mdFSK_R: return QStringLiteral("RTTY");
    case mdPKT_L: return QStringLiteral("Packet");
    default: return QString();
    }
}

QColor TServerMainForm::PortStateColor(TCOMPortState state)
{
    switch (state) {
    case comInvalid:
    case ComError: return Red;
    case comWaiting: return Orange;
    case comOpen: return Green;
    default: return Grey;
    }
}

// --- Creation ---------------------------------------------------------------------------------

TServerMainForm::TServerMainForm(TDataModules& modules, QWidget* owner)
    : TDPIForm(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , FModules(modules)
{
    RegisterServerArt();
    setObjectName(QStringLiteral("ServerMainForm"));
    setWindowTitle(QStringLiteral("Vornix Server"));
    setFixedWidth(FormWidth);
    setMinimumHeight(MinFormHeight - FrameHeight);

    // The status window is dark, as the panels are.
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(50, 50, 50));
    dark.setColor(QPalette::WindowText, QColor(225, 225, 225));
    dark.setColor(QPalette::Button, QColor(82, 82, 86));
    dark.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    dark.setColor(QPalette::Base, QColor(35, 35, 38));
    dark.setColor(QPalette::Text, QColor(235, 235, 235));
    dark.setColor(QPalette::Highlight, QColor(60, 120, 200));
    setPalette(dark);
    setAutoFillBackground(true);

    PollTimer = new vx::Timer(PollIntervalMs, false, this);
    FT2KTimer = new vx::Timer(RetryIntervalMs, false, this);
    WinKeyTimer = new vx::Timer(RetryIntervalMs, false, this);
    DVKTimer = new vx::Timer(RetryIntervalMs, false, this);
    PollTimer->OnTimer = [this] { Guard([this] { PollTimerTimer(); }); };
    FT2KTimer->OnTimer = [this] { Guard([this] { FT2KTimerTimer(); }); };
    WinKeyTimer->OnTimer = [this] { Guard([this] { WinKeyTimerTimer(); }); };
    DVKTimer->OnTimer = [this] { Guard([this] { DVKTimerTimer(); }); };

    AboutAction = new QAction(QStringLiteral("About..."), this);
    AboutAction->setObjectName(QStringLiteral("AboutAction"));
    connect(AboutAction, &QAction::triggered, this, [this] { Guard([this] { AboutActionExecute(); }); });
    SettingsAction = new QAction(QStringLiteral("Settings..."), this);
    SettingsAction->setObjectName(QStringLiteral("SettingsAction"));
    SettingsAction->setShortcut(QKeySequence(QStringLiteral("Alt+S")));
    SettingsAction->setShortcutContext(Qt::WindowShortcut);
    addAction(SettingsAction);
    connect(SettingsAction, &QAction::triggered, this, [this] { Guard([this] { SettingsActionExecute(); }); });

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        TrayIcon = new QSystemTrayIcon(this);
        TrayIcon->setToolTip(QStringLiteral("Vornix Server"));
        connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                Guard([this] { TrayIconClick(); });
        });
    }

    FormPlace2 = new TFormPlace(this);
    FormPlace2->SetIdentifier(QStringLiteral("ServerMainForm"));
    FormPlace2->SetSection(QStringLiteral("Server"));
    FormPlace2->SetRoot(QStringLiteral("Zemro\\Vornix\\"));
    FormPlace2->SetUseRegistry(true);

    FWriter = new TCATCommandWriter(FModules.Radio(), this);
    FLogFile = std::make_unique<TServerEventLog>();
    FLogFile->OnError = [this](const QString& text) { ShowMessage(text, false); };

    BuildPanels();
    Guard([this] { FormCreate(); });
    PollTimer->setEnabled(true);
}

TServerMainForm::~TServerMainForm()
{
    // The modules outlive the window: nothing of theirs may reach it any more.
    TDMRadio* radio = FModules.Radio();
    TFTCATInterface* cat = radio->FTCATInterface();
    radio->RadioComPortEvent = nullptr;
    radio->FT2KCATCommandTXEvent = nullptr;
    radio->OnIPCStatus = nullptr;
    cat->OnFrequency = nullptr;
    cat->OnModeA = nullptr;
    cat->OnModeB = nullptr;
    cat->OnPowerControlWatt = nullptr;
    cat->OnPowerSwitch = nullptr;
    cat->OnTXSet = nullptr;
    FModules.DVK()->DVKComPortEvent = nullptr;
    FModules.CW()->WinKey()->OnWKStatus = nullptr;
    FModules.AudioServer()->RAServer()->OnServerActive = nullptr;
    FModules.RTTY()->OnConnected = nullptr;
    FModules.RTTY()->OnPTT = nullptr;
    FModules.Server()->OnClientList = nullptr;
    FModules.Server()->OnRemoteConnect = nullptr;
    FModules.Application()->OnError = nullptr;
    FWriter->OnBusy = nullptr;
}

void TServerMainForm::BuildPanels()
{
    PanelServer = NewPanel(this, QStringLiteral("PanelServer"), 24);
    Row(PanelServer, QStringLiteral("Server"), ServerShape, &PortLabel);

    PanelAudio = NewPanel(this, QStringLiteral("PanelAudio"), 24);
    Row(PanelAudio, QStringLiteral("Audio"), AudioShape, &AudioPortLabel);

    PanelFT2K = NewPanel(this, QStringLiteral("PanelFT2K"), 105);
    TransceiverLabel = vx::layout::Label(PanelFT2K, QStringLiteral("FT-2000"), LabelX, 5, ShapeX - LabelX - 2);
    RadioCOMShape = NewShape(PanelFT2K, ShapeX, 5);
    RadioCOMLabel = vx::layout::Label(PanelFT2K, QString(), TextX, 5, PanelWidth - TextX - 6);
    vx::layout::Label(PanelFT2K, QStringLiteral("VFO A"), LabelX, 25);
    FrequencyALabel = vx::layout::Label(PanelFT2K, QString(), 52, 25, 82);
    ModeALabel = vx::layout::Label(PanelFT2K, QString(), 144, 25, 58);
    vx::layout::Label(PanelFT2K, QStringLiteral("VFO B"), LabelX, 43);
    FrequencyBLabel = vx::layout::Label(PanelFT2K, QString(), 52, 43, 82);
    ModeBLabel = vx::layout::Label(PanelFT2K, QString(), 144, 43, 58);
    for (QLabel* f : {FrequencyALabel, FrequencyBLabel}) {
        f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont big = f->font();
        big.setBold(true);
        f->setFont(big);
    }
    vx::layout::Label(PanelFT2K, QStringLiteral("Power"), LabelX, 61);
    PowerControlLabel = vx::layout::Label(PanelFT2K, QString(), 52, 61, 82);
    PowerControlLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TXShape = NewShape(PanelFT2K, 144, 61);
    TXShape->setToolTip(QStringLiteral("RX / TX"));
    PowerSwitchButton = new QPushButton(QStringLiteral("Power on"), PanelFT2K);
    PowerSwitchButton->setCheckable(true);
    PowerSwitchButton->setGeometry(LabelX, 79, PanelWidth - 2 * LabelX, 22);
    connect(PowerSwitchButton, &QPushButton::clicked, this, [this] { Guard([this] { PowerSwitchButtonClick(); }); });

    PanelWinKey = NewPanel(this, QStringLiteral("PanelWinKey"), 24);
    Row(PanelWinKey, QStringLiteral("WinKey"), WKCOMShape, &WKCOMLabel);

    PanelMMTTY = NewPanel(this, QStringLiteral("PanelMMTTY"), 24);
    Row(PanelMMTTY, QStringLiteral("MMTTY"), MMTTYShape, nullptr);
    MMTTYCheckBox = new QCheckBox(QStringLiteral("On / off"), PanelMMTTY);
    MMTTYCheckBox->setToolTip(QStringLiteral("Open MMTTY Engine"));
    MMTTYCheckBox->adjustSize();
    MMTTYCheckBox->move(TextX, 3);
    connect(MMTTYCheckBox, &QCheckBox::clicked, this, [this] { Guard([this] { MMTTYCheckBoxClick(); }); });

    PanelDVK = NewPanel(this, QStringLiteral("PanelDVK"), 24);
    Row(PanelDVK, QStringLiteral("DVK"), DVKCOMShape, &DVKCOMLabel);

    PanelIPC = NewPanel(this, QStringLiteral("PanelIPC"), 24);
    Row(PanelIPC, QStringLiteral("IPC"), IPCShape, nullptr);

    PanelUsers = NewPanel(this, QStringLiteral("PanelUsers"), 140);
    PanelUsers->setFocusPolicy(Qt::StrongFocus);
    vx::layout::Label(PanelUsers, QStringLiteral("Connected Users"), LabelX, 5);
    UsersLabel = new QLabel(PanelUsers);
    UsersLabel->setGeometry(LabelX, 22, PanelWidth - 2 * LabelX, 58);
    UsersLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CheckBoxMeter = new QCheckBox(PanelUsers);
    CheckBoxMeter->move(LabelX, 84);
    connect(CheckBoxMeter, &QCheckBox::clicked, this, [this] {
        Guard([this] {
            // The action toggles its own mark and tells the radio; the box shows the result.
            QAction* meter = FModules.Radio()->ShowMeterAction;
            if (meter->isChecked() != CheckBoxMeter->isChecked())
                meter->trigger();
            CheckBoxMeter->setChecked(meter->isChecked());
        });
    });
    AboutButton = new QPushButton(AboutAction->text(), PanelUsers);
    AboutButton->setGeometry(LabelX, 108, 93, 24);
    connect(AboutButton, &QPushButton::clicked, AboutAction, &QAction::trigger);
    SettingsButton = new QPushButton(SettingsAction->text(), PanelUsers);
    SettingsButton->setGeometry(PanelWidth - LabelX - 93, 108, 93, 24);
    SettingsButton->setToolTip(QStringLiteral("Settings (Alt+S)"));
    connect(SettingsButton, &QPushButton::clicked, SettingsAction, &QAction::trigger);

    for (TRCPanel* panel : {PanelServer, PanelAudio, PanelFT2K, PanelWinKey, PanelMMTTY, PanelDVK, PanelIPC, PanelUsers})
        panel->setFixedWidth(FormWidth);
    // A dialog's Enter clicks its default button: here that could switch the radio.
    for (QPushButton* button : {PowerSwitchButton, AboutButton, SettingsButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void TServerMainForm::FormCreate()
{
    FormPlace2->Read();
    UsersLabel->clear();
    FPowerOn = false;
    FClientsConnected = false;
    FShutDownFinished = false;

    ReadSettings();
    FModules.RTTY()->IniRead();

    FShutdownRadio = FModules.Server()->ShutdownRadio();
    FTrayImage = 0;

    HookEvents();
    CheckBoxMeter->setText(QStringLiteral("Meter"));
    CheckBoxMeter->setToolTip(QStringLiteral("Send Meter Information to Clients"));
    CheckBoxMeter->adjustSize();
    FModules.CW()->WinKey()->SetApplicationType(isRemoteServer);

    FCallbackForm = new TCallbackForm(this);
    FCallbackForm->SetServerAudio(FModules.AudioServer()->RAAudioIn(), FModules.AudioServer()->RAAudioOut());
    FCallbackForm->SetApplicationType(isRemoteServer);

    FBus = new vx::BusEndpoint(this);
    if (FBus->Open())
        HookMMTTYInterface(*FBus, *FModules.RTTY()->MMTTYInterface());
    else
        qWarning("The message bus cannot be used: %s", qPrintable(FBus->ErrorString()));

    OpenDevices();

    FModules.Application()->Close();
    UpdateTrayIcon();
    SetFormHeight();

    if (FModules.Server()->LogFile()) {
        OpenLogFile();
        WriteLogFile(QStringLiteral("Start"), QString(), QString());
    }
    PanelUsers->setFocus();
}

void TServerMainForm::ReadSettings()
{
    FModules.DM()->SetApplicationType(isRemoteServer);
    FModules.Server()->IniRead();
    FModules.CW()->IniRead();
    FModules.DVK()->IniRead();
    FModules.Radio()->IniRead();
    FModules.AudioServer()->IniRead();
}

void TServerMainForm::HookEvents()
{
    TDMRadio* radio = FModules.Radio();
    TFTCATInterface* cat = radio->FTCATInterface();

    radio->RadioComPortEvent = [this](TCOMPortState state) { SetRadioPortState(state); };
    FModules.DVK()->DVKComPortEvent = [this](TCOMPortState state) {
        DVKCOMShape->SetBrushColor(PortStateColor(state));
        SetPortText(DVKCOMLabel, FModules.DVK()->ComPort()->port());
    };
    FModules.CW()->WinKey()->OnWKStatus = [this](TWKStatus status) {
        WKCOMShape->SetBrushColor(status == wksOpen ? Green : status == wksError ? Red : Grey);
        SetPortText(WKCOMLabel, FModules.CW()->WinKeyComPort()->port());
    };
    FModules.AudioServer()->RAServer()->OnServerActive = [this](bool active) {
        AudioShape->SetBrushColor(active ? Green : Red);
        AudioPortLabel->setText(QStringLiteral("Port %1").arg(FModules.AudioServer()->RAServer()->AudioPort()));
    };
    FModules.RTTY()->OnConnected = [this](bool connected) {
        MMTTYShape->SetBrushColor(connected ? Green : Grey);
        MMTTYCheckBox->setChecked(connected); // not a click: the engine is not told again
    };
    FModules.RTTY()->OnPTT = [this](bool on) { MMTTYShape->SetBrushColor(on ? Red : Green); };
    radio->OnIPCStatus = [this] { UpdateIPCShape(); };

    cat->OnFrequency = [this](uint8_t vfo, int32_t hz) {
        (vfo == 0 ? FrequencyALabel : FrequencyBLabel)->setText(FrequencyText(hz));
    };
    cat->OnModeA = [this](TMode mode) {
        const QString text = ModeText(mode);
        if (!text.isEmpty())
            ModeALabel->setText(text);
    };
    cat->OnModeB = [this](TMode mode) {
        const QString text = ModeText(mode);
        if (!text.isEmpty())
            ModeBLabel->setText(text);
    };
    cat->OnPowerControlWatt = [this](uint8_t watt) { PowerControlLabel->setText(QStringLiteral("%1W").arg(watt)); };
    cat->OnPowerSwitch = [this](bool on) {
        PowerSwitchButton->setChecked(on);
        PowerSwitchButton->setText(on ? QStringLiteral("Power is on") : QStringLiteral("Power is off"));
        TXShape->SetBrushColor(on ? Green : Grey);
        FPowerOn = on;
    };
    cat->OnTXSet = [this](uint8_t tx) { TXShape->SetBrushColor(tx != 0 ? Red : Green); };

    FModules.Server()->OnClientList = [this](bool, const QString&, bool, const QString& list) {
        QString text = list;
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        UsersLabel->setText(text);
        FClientsConnected = !list.isEmpty();
        UpdateTrayIcon();
    };
    FModules.Server()->OnRemoteConnect = [this](const QString& event, const QString& call, const QString& msg) {
        if (FModules.Server()->LogFile() && LogFileOpen())
            WriteLogFile(event, call, msg);
    };

    radio->FT2KCATCommandTXEvent = [this](const QString& command) { FWriter->DoCATCommandTX(command); };
    FWriter->OnBusy = [this](bool busy) { FPowerOnBusy.Set(busy); };
    FModules.Application()->OnError = [this](const QString& text) { ShowMessage(text, true); };
}

// --- Devices ----------------------------------------------------------------------------------

void TServerMainForm::Step(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        qWarning("Opening a device failed: %s", e.what());
    } catch (...) {
        qWarning("Opening a device failed");
    }
}

void TServerMainForm::OpenDevices()
{
    TDMRadio* radio = FModules.Radio();
    TFTCATInterface* cat = radio->FTCATInterface();

    Step([this] { OpenCAT(); });
    Step([this] { OpenWinKeyer(); });
    Step([this] { ShowMMTTY(); });
    Step([this] { OpenMicroHam(); });
    Step([this] { OpenIPC(); });

    CheckBoxMeter->setChecked(cat->ShowMeter());
    FModules.Server()->Open();
    FModules.AudioServer()->Open();

    PortLabel->setText(QStringLiteral("Port ") + QString::number(FModules.Server()->Port()));
    AudioPortLabel->setText(QStringLiteral("Port %1").arg(FModules.AudioServer()->RAServer()->AudioPort()));
    SetPortText(RadioCOMLabel, radio->RadioComPort()->port());
    TransceiverLabel->setText(TransceiverName(cat->Transceiver()));
    ServerShape->SetBrushColor(FModules.Server()->Active() ? Green : Grey);
    SetFormHeight();
}

void TServerMainForm::OpenCAT()
{
    TFTCATInterface* cat = FModules.Radio()->FTCATInterface();
    cat->SetUsingCOMPort(true);
    if (!cat->Open())
        FT2KTimer->start();
}

void TServerMainForm::OpenWinKeyer()
{
    TDMCW* cw = FModules.CW();
    const QString port = cw->WinKeyComPort()->port();
    PanelWinKey->setVisible(!port.isEmpty());
    // Without a port there is no keyer to open or to try again.
    if (port.isEmpty())
        return;
    SetPortText(WKCOMLabel, port);
    cw->WinKey()->SetApplicationType(isRemoteServer);
    cw->Open();
    if (!cw->WinKey()->Active())
        WinKeyTimer->start();
}

void TServerMainForm::ShowMMTTY()
{
    PanelMMTTY->setVisible(FModules.RTTY()->UseMMTTYEngine());
}

void TServerMainForm::OpenMicroHam()
{
    TDMDVK* dvk = FModules.DVK();
    PanelDVK->setVisible(dvk->UseDVK());
    if (!dvk->UseDVK())
        return;
    SetPortText(DVKCOMLabel, dvk->ComPort()->port());
    TMicroHamInterface* router = dvk->MicroHamInterface();
    router->SetApplicationType(isRemoteServer);
    if (!router->Open())
        DVKTimer->start();
}

void TServerMainForm::OpenIPC()
{
    TIPCServer* ipc = FModules.IPCServer();
    PanelIPC->setVisible(ipc->Enabled());
    if (ipc->Enabled())
        ipc->Open();
    UpdateIPCShape();
}

void TServerMainForm::UpdateIPCShape()
{
    switch (FModules.IPCServer()->IPCStatus()) {
    case ipcOpen: IPCShape->SetBrushColor(Orange); break;
    case ipcConnected: IPCShape->SetBrushColor(Green); break;
    case ipcDisconnected: IPCShape->SetBrushColor(Red); break;
    default: IPCShape->SetBrushColor(Grey); break;
    }
}

void TServerMainForm::SetRadioPortState(TCOMPortState state)
{
    RadioCOMShape->SetBrushColor(PortStateColor(state));
    SetPortText(RadioCOMLabel, FModules.Radio()->RadioComPort()->port());
}

void TServerMainForm::SetPortText(QLabel* label, const QString& text)
{
    // Long device paths are cut in the middle; the whole one is in the hint.
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, label->width()));
    label->setToolTip(text);
}

// --- Layout and tray ----------------------------------------------------------------------------

int TServerMainForm::PanelsHeight() const
{
    int height = PanelServer->height() + PanelAudio->height() + PanelFT2K->height() + PanelUsers->height();
    for (const TRCPanel* panel : {PanelWinKey, PanelMMTTY, PanelDVK, PanelIPC})
        if (!panel->isHidden())
            height += panel->height();
    return height;
}

void TServerMainForm::SetFormHeight()
{
    int y = 0;
    for (TRCPanel* panel : {PanelServer, PanelAudio, PanelFT2K, PanelWinKey, PanelMMTTY, PanelDVK, PanelIPC, PanelUsers}) {
        if (panel->isHidden())
            continue;
        panel->move(0, y);
        y += panel->height();
    }
    // The window is as high as its panels (the layout's +27 is the frame Qt does not count).
    const int height = qMax(PanelsHeight(), MinFormHeight - FrameHeight);
    if (minimumHeight() != height || maximumHeight() != height)
        setFixedHeight(height);
}

void TServerMainForm::UpdateTrayIcon()
{
    TDMServer* server = FModules.Server();
    FTrayImage = !server->Active() ? 0 : FClientsConnected ? 2 : 1;
    const QIcon icon = ServerTrayIcon(FTrayImage);
    setWindowIcon(icon);
    if (TrayIcon)
        TrayIcon->setIcon(icon);
}

// --- Timers -------------------------------------------------------------------------------------

void TServerMainForm::PollTimerTimer()
{
    ServerShape->SetBrushColor(FModules.Server()->Active() ? Green : Grey);
    FModules.Radio()->FTCATInterface()->PowerSwitchRequest();
}

void TServerMainForm::FT2KTimerTimer()
{
    if (FModules.Radio()->FTCATInterface()->Open())
        FT2KTimer->stop();
}

void TServerMainForm::WinKeyTimerTimer()
{
    TWinKeyer* keyer = FModules.CW()->WinKey();
    if (keyer->Active()) {
        WinKeyTimer->stop();
        return;
    }
    keyer->SetApplicationType(isRemoteServer);
    keyer->WKOpen();
}

void TServerMainForm::DVKTimerTimer()
{
    if (FModules.DVK()->MicroHamInterface()->Open())
        DVKTimer->stop();
}

// --- User actions -------------------------------------------------------------------------------

void TServerMainForm::PowerSwitchButtonClick()
{
    TFTCATInterface* cat = FModules.Radio()->FTCATInterface();
    // The button shows the radio's power, not the click: the radio's answer moves it.
    PowerSwitchButton->setChecked(FPowerOn);
    cat->PrepareTX();
    cat->SetPowerSwitch(!cat->PowerSwitch());
}

void TServerMainForm::MMTTYCheckBoxClick()
{
    if (MMTTYCheckBox->isChecked())
        FModules.RTTY()->Open();
    else
        FModules.RTTY()->Close();
}

void TServerMainForm::AboutActionExecute()
{
    TAboutForm about(TAboutProgram::Server, this);
    about.exec();
}

void TServerMainForm::SettingsActionExecute()
{
    auto dialog = std::make_unique<TServerSettingsDlg>(FModules, this);
    dialog->LastSetting = FModules.DM()->LastSetting();
    dialog->FindLastSetting();
    const bool accepted = dialog->exec() == QDialog::Accepted;
    SettingsDialogClosed(*dialog, accepted);
}

void TServerMainForm::SettingsDialogClosed(TServerSettingsDlg& dialog, bool accepted)
{
    TBusyCursor busy;
    busy.Set(true);
    try {
        if (accepted) {
            TDMRadio* radio = FModules.Radio();
            FModules.DM()->SetLastSetting(dialog.LastSetting);
            radio->FTCATInterface()->Close();
            radio->IniWrite();
            FModules.Server()->Close();
            FModules.Server()->IniWrite();
            QCoreApplication::processEvents();
            FModules.CW()->Close();
            FModules.CW()->CWSidetone()->Close();
            FModules.CW()->IniWrite();
            QCoreApplication::processEvents();
            FModules.AudioServer()->Close();
            FModules.AudioServer()->IniWrite();
            FModules.DVK()->MicroHamInterface()->Close();
            FModules.DVK()->IniWrite();
            FModules.RTTY()->Close();
            FModules.RTTY()->IniWrite();
            QCoreApplication::processEvents();

            ReadSettings();
            // The switch the dialog just set holds from now on, not from the next start.
            FShutdownRadio = FModules.Server()->ShutdownRadio();
            OpenDevices();
            UpdateTrayIcon();
        }
    } catch (...) {
        FModules.Application()->Close();
        throw;
    }
    FModules.Application()->Close();
}

void TServerMainForm::TrayIconClick()
{
    if (TrayIcon)
        TrayIcon->hide();
    showNormal();
    raise();
    activateWindow();
}

void TServerMainForm::ApplicationEventsMinimize()
{
    // Without a notification area the window stays where the user can find it.
    if (!FModules.Server()->SystemTray() || !TrayIcon)
        return;
    hide();
    TrayIcon->show();
}

void TServerMainForm::ApplicationEventsException(const QString& message)
{
    ShowMessage(QStringLiteral("An exception occured: ") + message, true);
}

void TServerMainForm::Guard(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        ApplicationEventsException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ApplicationEventsException(QStringLiteral("unknown error"));
    }
}

void TServerMainForm::ShowMessage(const QString& text, bool error)
{
    // Not modal: the server goes on serving its clients while the message waits.
    auto* box = new QMessageBox(error ? QMessageBox::Critical : QMessageBox::Warning, QStringLiteral("Vornix Server"),
                                text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

// --- Event log ----------------------------------------------------------------------------------

bool TServerMainForm::LogFileOpen() const
{
    return FLogFile->IsOpen();
}

void TServerMainForm::OpenLogFile()
{
    FLogFile->Close();
    if (FModules.Server()->LogFile())
        FLogFile->Open();
}

void TServerMainForm::WriteLogFile(const QString& Event, const QString& User, const QString& Message)
{
    FLogFile->Write(Event, User, Message);
}

void TServerMainForm::CloseLogFile()
{
    FLogFile->Close();
}

// --- Close-down ---------------------------------------------------------------------------------

void TServerMainForm::ShutDown()
{
    if (FShutDownFinished)
        return;
    FShutDownFinished = true;
    try {
        FModules.RTTY()->Close();
        FModules.Server()->Close();
        FModules.AudioServer()->Close();
        FModules.Radio()->FTCATInterface()->Close();
        FModules.IPCServer()->Close();
        FModules.Radio()->IniWrite();
        FModules.CW()->Close();
        FModules.DVK()->Close();
    } catch (const std::exception& e) {
        qWarning("Shutting down: %s", e.what());
    } catch (...) {
        qWarning("Shutting down failed");
    }
    for (vx::Timer* timer : {PollTimer, FT2KTimer, WinKeyTimer, DVKTimer})
        timer->stop();
    FWriter->SetShutdown(true);
    FModules.Application()->Close();
    FormPlace2->Write();
}

void TServerMainForm::FormClose()
{
    ShutDown();
    if (LogFileOpen()) {
        WriteLogFile(QStringLiteral("End"), QString(), QString());
        CloseLogFile();
    }
    delete FCallbackForm;
    FCallbackForm = nullptr;
}

void TServerMainForm::QueryEndSession()
{
    if (!FShutdownRadio || !FPowerOn)
        return;
    vx::SerialPort* port = FModules.Radio()->RadioComPort();
    QMutexLocker lock(&FModules.Radio()->RadioComPortLock());
    if (port->connected())
        port->writeStr(QStringLiteral("PS0;"));
}

void TServerMainForm::EndSession()
{
    Guard([this] { ShutDown(); });
    close();
}

void TServerMainForm::closeEvent(QCloseEvent* event)
{
    if (!FClosing) {
        FClosing = true;
        Guard([this] { FormClose(); });
        if (TrayIcon)
            TrayIcon->hide();
    }
    event->accept();
    QWidget::closeEvent(event);
    Fire(OnClosed);
}

void TServerMainForm::resizeEvent(QResizeEvent* event)
{
    TDPIForm::resizeEvent(event);
    SetFormHeight();
}

void TServerMainForm::changeEvent(QEvent* event)
{
    TDPIForm::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        Guard([this] { ApplicationEventsMinimize(); });
}

void TServerMainForm::keyPressEvent(QKeyEvent* event)
{
    // Escape would close a dialog; this window stays.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    TDPIForm::keyPressEvent(event);
}
