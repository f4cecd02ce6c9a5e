// The main window's actions, its main menu, the keys they share, the application-wide key hook,
// wheel tuning and the action handlers.
#include "client/widgets/MainForm.h"

#include "client/DataModules.h"
#include "client/widgets/EnterFrequency.h"
#include "client/widgets/MenuForm.h"
#include "client/widgets/TXAudioSettingsForm.h"
#include "client/widgets/SettingsImport.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/Tuning.h"
#include "dx/DMDX.h"
#include "dx/widgets/Bandmap.h"
#include "dx/widgets/DXClusterPanel.h"
#include "dx/widgets/DownloadDataFiles.h"
#include "keying/DMFlexControl.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "keying/widgets/CWPanel.h"
#include "keying/widgets/FlexControlForm.h"
#include "keying/widgets/RTTYEdit.h"
#include "keying/widgets/RTTYPanel.h"
#include "keying/widgets/SendBufferEdit.h"
#include "log/DMLog.h"
#include "log/widgets/LogPanel.h"
#include "log/widgets/LogPanelControls.h"
#include "log/widgets/LogbookPanelVST.h"
#include "panel/widgets/FTTransceiverPanel.h"
#include "remote/DMClient.h"
#include "remote/DMPlayback.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QWheelEvent>

namespace {

// The action a menu item stands for.
QAction* TargetOf(QAction* item)
{
    if (auto* target = qobject_cast<QAction*>(item->property("MenuItemOf").value<QObject*>()))
        return target;
    return item;
}

// A submenu headed by an action: the menu's own entry follows the action's caption and state.
QMenu* ActionMenu(QMenu* parent, QAction* action)
{
    QMenu* menu = parent->addMenu(action->text());
    QAction* entry = menu->menuAction();
    entry->setObjectName(action->objectName());
    const auto sync = [entry, action] {
        entry->setText(action->text());
        entry->setEnabled(action->isEnabled());
        entry->setVisible(action->isVisible());
    };
    QObject::connect(action, &QAction::changed, entry, sync);
    sync();
    return menu;
}

QString KeyText(const QKeySequence& key)
{
    return key.toString(QKeySequence::PortableText);
}

// The key a key event stands for, the keypad mark left out (the keypad's Enter is Enter).
QKeySequence KeyOf(const QKeyEvent* e)
{
    int key = e->key();
    if (key == Qt::Key_Backtab)
        key = Qt::Key_Tab;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    return QKeySequence(QKeyCombination(mods, Qt::Key(key)));
}

bool IsShortcutContextOfWidget(const QAction* a)
{
    return a->shortcutContext() == Qt::WidgetShortcut || a->shortcutContext() == Qt::WidgetWithChildrenShortcut;
}

} // namespace

// --- Menu items of their own ------------------------------------------------------------------

TMainMenuItem::TMainMenuItem(QAction* Target, const QString& Caption, const QString& Shortcut, QObject* parent)
    : QAction(parent)
    , FTarget(Target)
    , FCaption(Caption)
{
    setObjectName(Target->objectName());
    setProperty("MenuItemOf", QVariant::fromValue(static_cast<QObject*>(Target)));
    if (!Shortcut.isEmpty())
        setShortcut(QKeySequence(Shortcut));
    connect(Target, &QAction::changed, this, [this] { Sync(); });
    connect(this, &QAction::triggered, Target, [this] {
        // The item's own check mark follows the action, not the click.
        if (FTarget)
            FTarget->trigger();
        Sync();
    });
    Sync();
}

void TMainMenuItem::SetCaption(const QString& Caption)
{
    FCaption = Caption;
    Sync();
}

void TMainMenuItem::Sync()
{
    if (!FTarget)
        return;
    QString text = FCaption.isEmpty() ? FTarget->text() : FCaption;
    // An item of its own caption but no key of its own shows the action's key; it is only
    // shown, so the key stays the action's alone.
    if (shortcut().isEmpty() && !FTarget->shortcut().isEmpty())
        text += QLatin1Char('\t') + FTarget->shortcut().toString(QKeySequence::NativeText);
    setText(text);
    setToolTip(FTarget->toolTip());
    setEnabled(FTarget->isEnabled());
    setVisible(FTarget->isVisible());
    setCheckable(FTarget->isCheckable());
    setChecked(FTarget->isChecked());
}

// --- Actions -----------------------------------------------------------------------------------

QAction* TMainForm::NewAction(const char* Name, const QString& Caption, const QString& Shortcut)
{
    auto* a = new QAction(Caption, this);
    a->setObjectName(QLatin1String(Name));
    if (!Shortcut.isEmpty()) {
        QList<QKeySequence> keys{QKeySequence(Shortcut)};
        // Enter is either Enter key: the main one and the keypad's.
        if (Shortcut.endsWith(QLatin1String("Enter")))
            keys.prepend(QKeySequence(QString(Shortcut).replace(QLatin1String("Enter"), QLatin1String("Return"))));
        a->setShortcuts(keys);
    }
    FActions << a;
    addAction(a);
    return a;
}

void TMainForm::CreateActions()
{
    const auto on = [this](QAction* a, void (TMainForm::*handler)()) {
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    const auto checkable = [](QAction* a) { a->setCheckable(true); };

    // File
    TransceiverMenuAction = NewAction("TransceiverMenuAction", QStringLiteral("Transceiver Menu"));
    on(TransceiverMenuAction, &TMainForm::TransceiverMenuActionExecute);
    TXAudioSettingsAction = NewAction("TXAudioSettingsAction", QStringLiteral("FT-2000 &Microphone Equalizer"));
    connect(TXAudioSettingsAction, &QAction::triggered, this, [this] {
        TTXAudioSettingsForm form(FModules->Radio()->FTCATInterface(), this);
        ExecuteDialog(form);
    });
    SettingsAction = NewAction("SettingsAction", QStringLiteral("&Settings"), QStringLiteral("Ctrl+Alt+S"));
    on(SettingsAction, &TMainForm::SettingsActionExecute);
    SettingsExportAction = NewAction("SettingsExportAction", QStringLiteral("Export Settings..."));
    connect(SettingsExportAction, &QAction::triggered, this, [this] { SettingsExportActionExecute(this); });
    SettingsImportAction = NewAction("SettingsImportAction", QStringLiteral("Import Settings..."));
    connect(SettingsImportAction, &QAction::triggered, this, [this] {
        SettingsImportActionExecute(this, FModules->DM());
        UpdatePanels();
    });
    ExitAction = NewAction("ExitAction", QStringLiteral("E&xit"));
    connect(ExitAction, &QAction::triggered, this, &QWidget::close);

    // Window
    DXClusterAction = NewAction("DXClusterAction", QStringLiteral("&DX Cluster"));
    connect(DXClusterAction, &QAction::triggered, this, [this] { ShowTabSheet(TabSheetDXCluster); });
    DXSpotsAction = NewAction("DXSpotsAction", QStringLiteral("DX &Spots"));
    connect(DXSpotsAction, &QAction::triggered, this, [this] { ShowTabSheet(TabSheetDXSpots); });
    BandmapAction = NewAction("BandmapAction", QStringLiteral("&Band Map"), QStringLiteral("Ctrl+A"));
    connect(BandmapAction, &QAction::triggered, this, [this] {
        ShowTabSheet(TabSheetBandmap);
        Bandmap->setFocus();
    });
    LogShowAction = NewAction("LogShowAction", QStringLiteral("Log Book"), QStringLiteral("Ctrl+L"));
    connect(LogShowAction, &QAction::triggered, this, [this] { ShowTabSheet(TabSheetLog); });
    LogStatisticsAction = NewAction("LogStatisticsAction", QStringLiteral("Log Statistics"), QStringLiteral("Ctrl+J"));
    connect(LogStatisticsAction, &QAction::triggered, this, [this] {
        ShowTabSheet(TabSheetLogStatistics);
        LogStatisticsPanel->StatisticsTypeComboBox->setFocus();
    });
    PlaybackWindowAction =
        NewAction("PlaybackWindowAction", QStringLiteral("&Playback Channels"), QStringLiteral("Ctrl+Shift+P"));
    checkable(PlaybackWindowAction);
    on(PlaybackWindowAction, &TMainForm::PlaybackWindowActionExecute);
    CWPanelAction = NewAction("CWPanelAction", QStringLiteral("&CW Keyboard"), QStringLiteral("Ctrl+Shift+C"));
    checkable(CWPanelAction);
    on(CWPanelAction, &TMainForm::CWPanelActionExecute);
    MessagePanelAction = NewAction("MessagePanelAction", QStringLiteral("CW &Messages"));
    checkable(MessagePanelAction);
    on(MessagePanelAction, &TMainForm::MessagePanelActionExecute);
    LogWindowAction = NewAction("LogWindowAction", QStringLiteral("&Log Window"), QStringLiteral("Ctrl+Shift+L"));
    checkable(LogWindowAction);
    on(LogWindowAction, &TMainForm::LogWindowActionExecute);
    RTTYPanelAction = NewAction("RTTYPanelAction", QStringLiteral("RTTY Window"), QStringLiteral("Ctrl+Shift+R"));
    checkable(RTTYPanelAction);
    on(RTTYPanelAction, &TMainForm::RTTYPanelActionExecute);
    RCMPanelAction =
        NewAction("RCMPanelAction", QStringLiteral("Remote Connection Moni&tor"), QStringLiteral("Ctrl+Shift+O"));
    checkable(RCMPanelAction);
    on(RCMPanelAction, &TMainForm::RCMPanelActionExecute);
    YaesuRotatorAction = NewAction("YaesuRotatorAction", QStringLiteral("&YAESU Rotator"), QStringLiteral("Ctrl+Shift+Y"));
    checkable(YaesuRotatorAction);
    on(YaesuRotatorAction, &TMainForm::YaesuRotatorActionExecute);
    FlexControlAction = NewAction("FlexControlAction", QStringLiteral("FlexControl..."));
    connect(FlexControlAction, &QAction::triggered, this, [this] {
        TFlexControlForm form(FModules->FlexControl(), this);
        ExecuteDialog(form);
    });
    ViewBasicAction = NewAction("ViewBasicAction", QStringLiteral("&Basic"));
    ViewCompactAction = NewAction("ViewCompactAction", QStringLiteral("&Compact"));
    ViewWideAction = NewAction("ViewWideAction", QStringLiteral("&Wide"));
    FViewGroup = new QActionGroup(this);
    for (QAction* a : {ViewBasicAction, ViewCompactAction, ViewWideAction}) {
        checkable(a);
        FViewGroup->addAction(a);
    }
    ViewWideAction->setChecked(true);
    on(ViewBasicAction, &TMainForm::ViewBasicActionExecute);
    on(ViewCompactAction, &TMainForm::ViewCompactActionExecute);
    on(ViewWideAction, &TMainForm::ViewWideActionExecute);
    ViewAction = NewAction("ViewAction", QStringLiteral("View"));
    on(ViewAction, &TMainForm::ViewActionExecute);

    // Tuning and controls
    TransmitAction = NewAction("TransmitAction", QStringLiteral("&Transmit"), QStringLiteral("F12"));
    on(TransmitAction, &TMainForm::TransmitActionExecute);
    EnterFrequencyAction =
        NewAction("EnterFrequencyAction", QStringLiteral("&Enter Frequency..."), QStringLiteral("Ctrl+Shift+Enter"));
    on(EnterFrequencyAction, &TMainForm::EnterFrequencyActionExecute);
    StatusRequestAction = NewAction("StatusRequestAction", QStringLiteral("&Status Request"));
    on(StatusRequestAction, &TMainForm::StatusRequestActionExecute);
    VFOBAction = NewAction("VFOBAction", QStringLiteral("VFO &B (Sub)"), QStringLiteral("Ctrl+B"));
    PowerControlAction = NewAction("PowerControlAction", QStringLiteral("&Power Control Level"), QStringLiteral("Ctrl+P"));
    PowerControlAction->setData(1);
    MicGainAction = NewAction("MicGainAction", QStringLiteral("&Microphone Gain Level"), QStringLiteral("Ctrl+M"));
    MicGainAction->setData(2);
    FilterWidthAction = NewAction("FilterWidthAction", QStringLiteral("&Filter Width"));
    FilterWidthAction->setData(15);
    IFShiftAction = NewAction("IFShiftAction", QStringLiteral("&IF Shift"), QStringLiteral("Ctrl+I"));
    IFShiftAction->setData(16);
    ClarifierAction = NewAction("ClarifierAction", QStringLiteral("&Clarifier"), QStringLiteral("Ctrl+R"));
    // The front panel gives these their behaviour once a face is built.
    for (QAction* a : {VFOBAction, PowerControlAction, MicGainAction, FilterWidthAction, IFShiftAction, ClarifierAction})
        a->setEnabled(false);
    FTTransceiverPanel->ActionVFOB = VFOBAction;
    FTTransceiverPanel->ActionPowerControl = PowerControlAction;
    FTTransceiverPanel->ActionMicGain = MicGainAction;
    FTTransceiverPanel->ActionFilterWidth = FilterWidthAction;
    FTTransceiverPanel->ActionIFShift = IFShiftAction;
    FTTransceiverPanel->ActionClarifier = ClarifierAction;

    // CW and messages
    ClearAction = NewAction("ClearAction", QStringLiteral("Clear Buffer"), QStringLiteral("F11"));
    on(ClearAction, &TMainForm::ClearActionExecute);
    CWSpeedAction = NewAction("CWSpeedAction", QStringLiteral("Set CW &Speed"), QStringLiteral("Alt+V"));
    CWSpeedDownAction =
        NewAction("CWSpeedDownAction", QStringLiteral("&Decrease CW Speed by 2 WPM"), QStringLiteral("Alt+F9"));
    CWSpeedUpAction = NewAction("CWSpeedUpAction", QStringLiteral("&Increase CW Speed by 2 WPM"), QStringLiteral("Alt+F10"));
    CWBuffer1Action = NewAction("CWBuffer1Action", QStringLiteral("CW Buffer &1"), QStringLiteral("Alt+1"));
    CWBuffer2Action = NewAction("CWBuffer2Action", QStringLiteral("CW Buffer &2"), QStringLiteral("Alt+2"));
    CWKeyboardAction = NewAction("CWKeyboardAction", QStringLiteral("&Keyboard Mode"), QStringLiteral("Alt+K"));
    CWPanel->SetCWBuffer1Action(CWBuffer1Action);
    CWPanel->SetCWBuffer2Action(CWBuffer2Action);
    CWPanel->SetCWKeyboardAction(CWKeyboardAction);
    CWPanel->SetCWSpeedAction(CWSpeedAction);
    CWPanel->SetCWSpeedDownAction(CWSpeedDownAction);
    CWPanel->SetCWSpeedUpAction(CWSpeedUpAction);

    // DX cluster and log
    DXCSendCommandAction = NewAction("DXCSendCommandAction", QStringLiteral("&Send Command"), QStringLiteral("Alt+T"));
    on(DXCSendCommandAction, &TMainForm::DXCSendCommandActionExecute);
    SendSpotAction = NewAction("SendSpotAction", QStringLiteral("Send a DX Spot"), QStringLiteral("Alt+F3"));
    on(SendSpotAction, &TMainForm::SendSpotActionExecute);
    // Both need the cluster connection.
    DXCSendCommandAction->setEnabled(false);
    SendSpotAction->setEnabled(false);
    AddSpotToBandmapAction =
        NewAction("AddSpotToBandmapAction", QStringLiteral("Insert Call into Bandmap"), QStringLiteral("Ctrl+Enter"));
    QRZLookupAction = NewAction("QRZLookupAction", QStringLiteral("QRZ.COM Callsign Lookup"), QStringLiteral("Ctrl+Q"));
    QRZLookupAction->setVisible(false);
    // The panel runs the lookup when the action fires.
    LogPanel->SetQRZLookupAction(QRZLookupAction);
    LogPanel->SetAddSpotToBandmapAction(AddSpotToBandmapAction);
    DownloadDataFilesAction = NewAction("DownloadDataFilesAction", QStringLiteral("Download Data Files..."));
    connect(DownloadDataFilesAction, &QAction::triggered, this, [this] {
        TDownloadDataFilesDlg dlg(this);
        dlg.SetDXSpots(FModules->DX()->DXSpots());
        ExecuteDialog(dlg);
    });

    // RTTY
    RTTYMenuAction = NewAction("RTTYMenuAction", QStringLiteral("RTT&Y"));
    RTTYClearRXAction = NewAction("RTTYClearRXAction", QStringLiteral("Clear RX Window"), QStringLiteral("Ctrl+Shift+A"));
    connect(RTTYClearRXAction, &QAction::triggered, this, [this] {
        if (!RTTYPanel->isHidden())
            RTTYPanel->RXEdit->clear();
    });
    RTTYClearTXAction = NewAction("RTTYClearTXAction", QStringLiteral("Clear TX Window"), QStringLiteral("Ctrl+Shift+B"));
    connect(RTTYClearTXAction, &QAction::triggered, this, [this] {
        if (!RTTYPanel->isHidden())
            RTTYPanel->TXEdit->clear();
    });
    RTTYTXFocusAction = NewAction("RTTYTXFocusAction", QStringLiteral("TX Window"), QStringLiteral("Alt+R"));
    connect(RTTYTXFocusAction, &QAction::triggered, this, [this] {
        if (!RTTYPanel->isHidden())
            RTTYPanel->TXEdit->setFocus();
    });

    // Help
    CATMonitorAction = NewAction("CATMonitorAction", QStringLiteral("&CAT Monitor"));
    checkable(CATMonitorAction);
    on(CATMonitorAction, &TMainForm::CATMonitorActionExecute);
    HelpWebsiteAction = NewAction("HelpWebsiteAction", QStringLiteral("Vornix Website..."));
    connect(HelpWebsiteAction, &QAction::triggered, this, [this] { OpenUrl(QStringLiteral("https://vornix.invalid")); });
    HelpOnlineDocAction = NewAction("HelpOnlineDocAction", QStringLiteral("Vornix Online Documentation..."));
    connect(HelpOnlineDocAction, &QAction::triggered, this,
            [this] { OpenUrl(QStringLiteral("https://vornix.invalid/docs")); });
    AboutAction = NewAction("AboutAction", QStringLiteral("&About..."));
    connect(AboutAction, &QAction::triggered, this, [this] { ShowAboutBox(this); });
}

// --- Main menu ---------------------------------------------------------------------------------

QAction* TMainForm::AddItem(QMenu* Menu, QAction* Action, const QString& Caption, const QString& Shortcut)
{
    if (Caption.isEmpty() && Shortcut.isEmpty()) {
        Menu->addAction(Action);
        if (!actions().contains(Action))
            addAction(Action);
        return Action;
    }
    auto* item = new TMainMenuItem(Action, Caption, Shortcut, this);
    Menu->addAction(item);
    addAction(item);
    if (!actions().contains(Action))
        addAction(Action);
    return item;
}

void TMainForm::CreateMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    TDMRadio* r = FModules->Radio();
    TDMClient* client = FModules->Client();
    TDMMessages* messages = FModules->Messages();
    TDMPlayback* playback = FModules->Playback();
    TDMLog* log = FModules->Log();
    TDMDX* dx = FModules->DX();
    const auto add = [this](QMenu* menu, std::initializer_list<QAction*> actions) {
        for (QAction* a : actions) {
            if (a)
                AddItem(menu, a);
            else
                menu->addSeparator();
        }
    };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    AddItem(file, client->ClientConnectAction);
    QMenu* choose = ActionMenu(file, client->ClientChooseAction);
    for (QAction* a : client->RemoteBaseConnectActions)
        AddItem(choose, a);
    file->addSeparator();
    AddItem(file, TransceiverMenuAction);
    AddItem(file, TXAudioSettingsAction, QStringLiteral("Parametric &Microphone Equalizer"));
    file->addSeparator();
    add(file, {SettingsAction, SettingsExportAction, SettingsImportAction, nullptr, ExitAction});

    QMenu* controls = bar->addMenu(QStringLiteral("Co&ntrols"));
    add(controls, {StatusRequestAction, r->ShowMeterAction});
    QMenu* meter = controls->addMenu(QStringLiteral("Meter"));
    add(meter, {r->MeterDigitalAction, r->MeterAnalogAction});
    add(controls, {nullptr, BandmapAction, VFOBAction, nullptr, PowerControlAction, MicGainAction});
    AddItem(controls, FilterWidthAction, {}, QStringLiteral("Ctrl+W"));
    add(controls, {IFShiftAction, ClarifierAction});

    QMenu* tuning = bar->addMenu(QStringLiteral("T&uning"));
    add(tuning, {r->TuneAUpAction, r->TuneADownAction});
    QMenu* stepA = tuning->addMenu(QStringLiteral("Dial step size"));
    add(stepA, {r->StepSizeDownAAction, r->StepSizeUpAAction, nullptr, r->ResolutionA1Action, r->ResolutionA2Action,
                r->ResolutionA3Action, r->ResolutionA4Action, r->ResolutionA5Action});
    add(tuning, {nullptr, r->TuneBUpAction, r->TuneBDownAction});
    QMenu* stepB = tuning->addMenu(QStringLiteral("Dial step size"));
    add(stepB, {r->StepSizeDownBAction, r->StepSizeUpBAction, nullptr, r->ResolutionB1Action, r->ResolutionB2Action,
                r->ResolutionB3Action, r->ResolutionB4Action, r->ResolutionB5Action});
    add(tuning, {nullptr, r->SplitAction, r->VFOAToBAction, r->VFOBToAAction, r->FrequencyAToBAction,
                 r->FrequencyBToAAction, r->SwapVFOAction, r->SubRXAction, TransmitAction, nullptr,
                 r->ClarifierRXAction, r->ClarifierTXAction, r->ClarifierDownAction, r->ClarifierUpAction,
                 r->ClarifierClearAction, nullptr, r->BandDownAction, r->BandUpAction, EnterFrequencyAction,
                 r->Band60mAction, nullptr});
    QMenu* load = tuning->addMenu(QStringLiteral("Load Presets"));
    add(load, {r->LoadPresetsCWAction, r->LoadPresetsSSBAction, r->LoadPresetsRTTYAction, r->LoadPresetsJT65Action});
    QMenu* save = tuning->addMenu(QStringLiteral("Save Presets"));
    add(save, {r->SavePresetsCWAction, r->SavePresetsSSBAction, r->SavePresetsRTTYAction, r->SavePresetsJT65Action});

    MICW = bar->addMenu(QStringLiteral("CW Key&board"));
    MICW->setObjectName(QStringLiteral("MICW"));
    add(MICW, {CWBuffer1Action, CWBuffer2Action, CWKeyboardAction, CWSpeedAction, CWSpeedDownAction, CWSpeedUpAction});

    MIRTTY = bar->addMenu(RTTYMenuAction->text());
    MIRTTY->setObjectName(QStringLiteral("MIRTTY"));
    {
        QAction* entry = MIRTTY->menuAction();
        const auto sync = [entry, this] {
            entry->setVisible(RTTYMenuAction->isVisible());
            entry->setEnabled(RTTYMenuAction->isEnabled());
        };
        connect(RTTYMenuAction, &QAction::changed, entry, sync);
        sync();
    }
    add(MIRTTY, {RTTYClearRXAction, RTTYClearTXAction, RTTYTXFocusAction});

    QMenu* msgs = bar->addMenu(QStringLiteral("&Messages"));
    for (int n = 1; n <= 11; ++n)
        AddItem(msgs, messages->MessageAction(n));
    AddItem(msgs, messages->EscapeAction);
    QMenu* setMessages = ActionMenu(msgs, messages->SetMessagesAction);
    for (int n = 1; n <= 11; ++n)
        AddItem(setMessages, messages->SetMessageAction(n));
    msgs->addSeparator();
    AddItem(msgs, PlaybackWindowAction, QStringLiteral("&Playback Channels..."));
    for (int n = 1; n <= TDMPlayback::ChannelCount; ++n)
        AddItem(msgs, playback->PlaybackAction(n));

    QMenu* logMenu = bar->addMenu(QStringLiteral("&Log"));
    add(logMenu, {log->NewLogAction, log->OpenLogAction});
    QMenu* options = logMenu->addMenu(QStringLiteral("Options"));
    add(options, {log->RegularLoggingAction, nullptr, log->ContestLoggingAction, log->IncrementSerialNumbersTXAction,
                  log->NumbersOnlySerialTXAction, log->NumbersOnlySerialRXAction, log->ContestSetCQZoneAction,
                  log->ContestSetUSStateAction, nullptr, log->ShowGridLocatorAction, log->ShowUSStateAction,
                  log->ShowQSLAction, log->ShowQSLLoTWAction, log->ShowQSLeQSLAction});
    add(logMenu, {nullptr, log->LogQSOAction});
    AddItem(logMenu, ClearAction, QStringLiteral("Clear"));
    add(logMenu, {log->ClearLogFilterAction, LogShowAction, AddSpotToBandmapAction, QRZLookupAction, nullptr,
                  log->ExportLoTWAction, log->LoTWDownloadAction, nullptr, log->ExporteQSLAction, nullptr,
                  log->ExportADIFAction, log->ExportCabrilloAction, log->ImportADIFAction, nullptr,
                  DownloadDataFilesAction});

    QMenu* cluster = bar->addMenu(QStringLiteral("&DX Cluster"));
    MIDXCConnect = static_cast<TMainMenuItem*>(AddItem(cluster, dx->DXClusterConnectAction, dx->DXClusterConnectAction->text()));
    add(cluster, {DXCSendCommandAction, SendSpotAction, dx->Command1Action, dx->Command2Action, dx->Command3Action});

    QMenu* window = bar->addMenu(QStringLiteral("&Window"));
    add(window, {DXClusterAction});
    AddItem(window, DXSpotsAction, {}, QStringLiteral("Ctrl+X"));
    add(window, {BandmapAction, LogShowAction, LogStatisticsAction, nullptr});
    AddItem(window, PlaybackWindowAction, {}, QStringLiteral("Ctrl+Alt+P"));
    AddItem(window, CWPanelAction, {}, QStringLiteral("Ctrl+Alt+C"));
    AddItem(window, MessagePanelAction, {}, QStringLiteral("Ctrl+Alt+M"));
    AddItem(window, LogWindowAction, {}, QStringLiteral("Ctrl+Alt+L"));
    AddItem(window, RTTYPanelAction, {}, QStringLiteral("Ctrl+Alt+R"));
    AddItem(window, RCMPanelAction, {}, QStringLiteral("Ctrl+Alt+O"));
    AddItem(window, YaesuRotatorAction, {}, QStringLiteral("Ctrl+Alt+Y"));
    add(window, {nullptr, FlexControlAction, nullptr});
    QMenu* view = window->addMenu(QStringLiteral("View..."));
    add(view, {ViewBasicAction, ViewCompactAction, ViewWideAction});

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    add(help, {CATMonitorAction, nullptr, HelpWebsiteAction, HelpOnlineDocAction, nullptr, AboutAction});
}

void TMainForm::ResolveShortcuts()
{
    // The menu resolves a key before the action list: the first item in menu order that shows
    // a key keeps it; the same key of a later item or of an action's own list is dropped, so no
    // key is ever claimed twice.
    QHash<QString, QAction*> owner;
    const auto claim = [&owner](QAction* holder, QAction* target) {
        QList<QKeySequence> kept;
        for (const QKeySequence& key : holder->shortcuts()) {
            QAction*& current = owner[KeyText(key)];
            if (current && current != target)
                continue;
            current = target;
            kept << key;
        }
        if (kept != holder->shortcuts())
            holder->setShortcuts(kept);
    };
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* item : menu->actions()) {
            if (item->menu())
                walk(item->menu());
            else if (!item->isSeparator())
                claim(item, TargetOf(item));
        }
    };
    for (QAction* top : menuBar()->actions()) {
        if (top->menu())
            walk(top->menu());
    }
    for (QAction* a : actions()) {
        if (TargetOf(a) == a)
            claim(a, a);
    }
}

QStringList TMainForm::MenuDump() const
{
    QStringList lines;
    std::function<void(const QMenu*, int)> walk = [&](const QMenu* menu, int depth) {
        const QString indent(depth * 2, QLatin1Char(' '));
        for (QAction* item : menu->actions()) {
            if (item->isSeparator()) {
                lines << indent + QLatin1Char('-');
            } else if (item->menu()) {
                const QString name = item->objectName().isEmpty() ? item->text() : item->objectName();
                lines << indent + name;
                walk(item->menu(), depth + 1);
            } else {
                QString line = indent + TargetOf(item)->objectName();
                if (!item->shortcut().isEmpty())
                    line += QLatin1Char(' ') + KeyText(item->shortcut());
                else if (const int tab = item->text().indexOf(QLatin1Char('\t')); tab >= 0)
                    line += QLatin1Char(' ') + item->text().mid(tab + 1);
                lines << line;
            }
        }
    };
    for (QAction* top : menuBar()->actions()) {
        lines << top->text();
        if (top->menu())
            walk(top->menu(), 1);
    }
    return lines;
}

// --- Action handlers ---------------------------------------------------------------------------

void TMainForm::TransmitActionExecute()
{
    const TMode mode = FModules->Radio()->FTCATInterface()->ModeA();
    if (!RTTYPanel->isHidden() && (mode == mdFSK || mode == mdFSK_R) && FModules->RTTY()->UseMMTTYEngine())
        RTTYPanel->TX();
    else
        FModules->Radio()->TransmitAction->trigger();
}

void TMainForm::ClearActionExecute()
{
    FModules->Messages()->ClearActionExecute();
    const QWidget* focus = QApplication::focusWidget();
    LogPanel->ClearControls(focus && LogPanel->isAncestorOf(focus), true);
    FModules->Log()->LogInterface()->FilterQSOs();
    FocusLastActiveControl();
}

QWidget* TMainForm::LastActiveField() const
{
    switch (FLastActiveControl) {
    case afCWSendEdit: return CWPanel->CWSendEdit;
    case afCWMemo1: return CWPanel->CWMemo1;
    case afCWMemo2: return CWPanel->CWMemo2;
    case afCallEdit: return LogPanel->CallEdit;
    case afRTTYTXEdit: return RTTYPanel->TXEdit;
    default: return nullptr;
    }
}

void TMainForm::FocusLastActiveControl()
{
    QWidget* field = LastActiveField();
    // A field of a hidden panel cannot take the focus.
    if (field && field->isVisibleTo(this))
        field->setFocus();
}

void TMainForm::NoteActiveControl(QWidget* Focus)
{
    if (!Focus)
        return;
    const struct {
        QWidget* field;
        TActiveField number;
    } fields[] = {{CWPanel->CWSendEdit, afCWSendEdit}, {CWPanel->CWMemo1, afCWMemo1}, {CWPanel->CWMemo2, afCWMemo2},
                  {LogPanel->CallEdit, afCallEdit},    {RTTYPanel->TXEdit, afRTTYTXEdit}};
    for (const auto& f : fields) {
        if (Focus == f.field)
            FLastActiveControl = f.number;
    }
}

void TMainForm::EnterFrequencyActionExecute()
{
    TFTCATInterface* cat = FModules->Radio()->FTCATInterface();
    TEnterFrequencyForm dlg(this);
    dlg.MaskEdit->setText(TEnterFrequencyForm::FrequencyText(cat->FrequencyA()));
    if (ExecuteDialog(dlg) != QDialog::Accepted)
        return;
    const QString text = dlg.MaskEdit->text();
    const std::optional<int32_t> hz = TEnterFrequencyForm::TextToFrequency(text);
    if (!hz) {
        ShowMessage(TMessageKind::Error, QStringLiteral("Enter Frequency"),
                    QStringLiteral("'%1' is not a valid frequency").arg(text.trimmed()));
        return;
    }
    cat->PrepareTX();
    if (dlg.VFOB())
        cat->SetFrequencyB(*hz);
    else
        cat->SetFrequencyA(*hz);
}

void TMainForm::StatusRequestActionExecute()
{
    setCursor(Qt::WaitCursor);
    FModules->Radio()->FTCATInterface()->ParameterRequest();
    unsetCursor();
}

void TMainForm::TransceiverMenuActionExecute()
{
    TDM* dm = FModules->DM();
    switch (FModules->Radio()->FTCATInterface()->Transceiver()) {
    case FT2000:
    case FT2000D:
    case FTDX5000: {
        TMenuForm form(FModules->Radio()->FTCATInterface(), this);
        form.SetLastMenuNo(dm->LastMenuNo());
        form.FindLastMenuNo();
        ExecuteDialog(form);
        dm->SetLastMenuNo(form.LastMenuNo());
        break;
    }
    case FT950:
        ShowMessage(TMessageKind::Information, QString(),
                    QStringLiteral("Menu settings only supported for FT-2000 and FT DX 5000"));
        break;
    }
}

void TMainForm::DXCSendCommandActionExecute()
{
    ShowTabSheet(TabSheetDXCluster, true);
    DXClusterPanel->DXCSendEdit->setFocus();
}

void TMainForm::SendSpotActionExecute()
{
    if (!LogPanel->isHidden())
        LogPanel->DoSendSpot();
}

// --- Key hook and wheel ------------------------------------------------------------------------

bool TMainForm::IsActiveMainWindow() const
{
    return QApplication::activeWindow() == this;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (FShutdown || !FMainFormReady || !IsActiveMainWindow())
        return false;
    QWidget* focus = QApplication::focusWidget();
    NoteActiveControl(focus);
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    // A key reaches the focused widget first and then its parents: it is looked at once.
    if (watched != focus && !(focus == nullptr && watched == this))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        // A key the focused view has an action of its own for is that view's, not the
        // window's: copying in the log grid must not connect the remote link.
        const QKeySequence sequence = KeyOf(key);
        for (QWidget* w = focus; w && w != this; w = w->parentWidget()) {
            for (QAction* a : w->actions()) {
                if (a->isEnabled() && IsShortcutContextOfWidget(a) && a->shortcuts().contains(sequence)) {
                    a->trigger();
                    key->accept();
                    FSwallowKey = sequence;
                    return true;
                }
            }
        }
        return false;
    }
    if (!FSwallowKey.isEmpty()) {
        const bool same = KeyOf(key) == FSwallowKey;
        FSwallowKey = QKeySequence();
        if (same)
            return true;
    }
    return ApplicationMessage(watched, key);
}

bool TMainForm::ApplicationMessage(QObject*, QKeyEvent* Key)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return false;
    const Qt::KeyboardModifiers mods = Key->modifiers() & ~Qt::KeypadModifier;
    QWidget* parent = focus->parentWidget();
    switch (Key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        TLogFilterView* header = LogbookPanel->VSTHeader();
        if (header->IsEditing() && header->isAncestorOf(focus)) {
            QAbstractItemDelegate* editLink = header->itemDelegate();
            emit editLink->commitData(focus);
            emit editLink->closeEditor(focus, QAbstractItemDelegate::NoHint);
            header->setFocus(Qt::TabFocusReason);
            return true;
        }
        QWidget* cycle[3] = {CWPanel->CWSendEdit, CWPanel->CWMemo1, CWPanel->CWMemo2};
        int at = -1;
        for (int i = 0; i < 3; ++i) {
            if (focus == cycle[i])
                at = i;
        }
        if (at < 0)
            return false;
        if (mods == Qt::NoModifier && Key->key() == Qt::Key_Tab)
            cycle[(at + 1) % 3]->setFocus(Qt::TabFocusReason);
        else if (mods == Qt::ShiftModifier)
            cycle[(at + 2) % 3]->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (parent != LogPanel)
            return false;
        if (mods == Qt::NoModifier) {
            if (LogPanel->IsTextCommand(true) || FModules->Log()->LogQSOAction->isEnabled())
                LogPanel->LogQSOActionExecute();
            else
                LogPanel->LogQSORefused();
        }
        return true;
    case Qt::Key_Plus:
        if (!(Key->modifiers() & Qt::KeypadModifier) || parent != LogPanel)
            return false;
        if (QAction* message = FModules->Messages()->MessageAction(11); message && message->isEnabled())
            message->trigger();
        if (FModules->Log()->LogQSOAction->isEnabled())
            LogPanel->LogQSOActionExecute();
        return true;
    default: return false;
    }
}

void TMainForm::wheelEvent(QWheelEvent* event)
{
    FWheelRemainder += event->angleDelta().y();
    TFTCATInterface* cat = FModules->Radio()->FTCATInterface();
    // One step per notch of the wheel (120), however finely the wheel reports.
    while (FWheelRemainder >= 120) {
        FWheelRemainder -= 120;
        cat->PrepareTX();
        cat->Tuning()->TuneUpA();
    }
    while (FWheelRemainder <= -120) {
        FWheelRemainder += 120;
        cat->PrepareTX();
        cat->Tuning()->TuneDownA();
    }
    event->accept();
}
