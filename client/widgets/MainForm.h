#pragma once
// TMainForm: VornixClient's one main window.  It comes up in three stages (FormCreate, then a
// one-shot 100 ms timer that lays out the view, installs the key hook and prepares the MMTTY
// link, then a one-shot 400 ms timer that opens the log and connects the cluster), wires every
// data module to its views, is the one writer of CAT commands, lays out its two page controls,
// the strip of auxiliary panels and the status bar by view mode, role and the radio's mode
// type, and carries every user command as an action with its key in the main menu.
//
// Closing sets Shutdown first: from then on no CAT command is written or shown and the radio
// state handlers do nothing, so the traffic of the modules' stop stays off the wire.
//
// The window never owns the data modules; it unhooks every handler it gave them when it is
// destroyed.  GUI thread only.

#include "client/widgets/MainFormLinks.h"
#include "core/FTCATTypes.h"
#include "core/RCTypes.h"
#include "remote/RATypes.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTabWidget;
class TBandmap;
class TCallbackForm;
class TCWPanel;
class TCATCommandWriter;
class TCATMonitorPanel;
class TDataModules;
class TDMApplication;
struct TPanelPosition;
class TDXClusterPanel;
class TDXSpot;
class TDXSpotsPanel2;
class TEnterFrequencyForm;
class TFormPlace;
class TFTTransceiverPanel;
class TLogbookPanelVST;
class TCallbookLink;
class TLogDialogs;
class TLogPanel;
class TLogPanelDialogs;
class TMessagePanel;
class TMessageDlgs;
class TPlaybackForm;
class TRCMPanel;
class TRCSpeedButton;
class TRTTYPanel;
class TStatusShape;
class TYaesuRotatorPanel;

namespace vx {
class BusEndpoint;
class Timer;
} // namespace vx

// A main menu item with a caption or key of its own for an action: it runs the action and
// follows its state; its own key works beside the action's.
class TMainMenuItem : public QAction {
    Q_OBJECT
public:
    TMainMenuItem(QAction* Target, const QString& Caption, const QString& Shortcut, QObject* parent);
    QAction* Target() const { return FTarget; }
    // An empty caption shows the action's.
    void SetCaption(const QString& Caption);

private:
    void Sync();

    QPointer<QAction> FTarget;
    QString FCaption;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Which of the five edit fields had the focus last (the Clear action returns to it).
    enum TActiveField : uint8_t { afNone, afCWSendEdit, afCWMemo1, afCWMemo2, afCallEdit, afRTTYTXEdit };
    enum class TMessageKind { Information, Warning, Error };

    static constexpr int StartTimer1Interval = 100;
    static constexpr int StartTimer2Interval = 400;
    // The screen width from which the Wide view is allowed.
    static constexpr int WideScreenWidth = 1293;
    static constexpr int PanelStripHeight = 251;

    explicit TMainForm(TDataModules* Modules, QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- Start-up and close-down ---------------------------------------------------------
    // The first stage; the program calls it once, right after construction.
    void FormCreate();
    void StartTimer1Timer();
    void StartTimer2Timer();
    // Sets Shutdown and allows the close.
    bool FormCloseQuery();
    // Writes the settings, stops the modules and saves the placement; once.
    void FormClose();
    void LoadStyleFile();
    void ConnectTransceiverPanel();
    void SettingsActionExecute();

    bool Shutdown() const { return FShutdown; }
    bool MainFormReady() const { return FMainFormReady; }
    TModeType ModeType() const { return FModeType; }
    uint8_t LastActiveControl() const { return FLastActiveControl; }
    // The number of the "MMTTY" message; 0 before the second stage.
    uint32_t MMTTYMessage() const { return FMMTTYMessage; }
    vx::BusEndpoint* Endpoint() const { return FEndpoint; }
    // The key hook is installed (second stage) and not yet removed.
    bool KeyHookInstalled() const { return FKeyHook; }
    int StagesRun() const { return FStagesRun; }

    // ---- Handlers of the data modules' events ------------------------------------------
    void DoCATCommandTX(const QString& Value);
    void DoCATCommandRX(const QString& Value);
    void DoModeChange(TModeType ModeType);
    void DoMOXChange(bool Value);
    void DoVOXChange(bool Value);
    void DoSubReceiver(bool Value);
    void DoTransceiverChange(TTransceiver Value);
    void DoClientConnection(TConnection Connection, const QString& Msg);
    void DoRCMAverage(int32_t Value);
    void DoServerUserList(bool Connected, const QString& Users);
    void DoAudioChannelChange();
    void DoAudioConnectionStatus(TConnectionStatus Status);
    void DoAudioNetworkTraffic(const QString& Received, const QString& Transmitted);
    void DoAudioTransmitting(bool Active);
    void DoDXClusterStatus(QObject* Sender, bool Enabled, const QString& Name, bool Connected);
    void DoDXSpotMessage(const TDXSpot& ADXSpot);
    void DoWWVData();
    // Forwarders of the auxiliary panels.
    void DoCWPanelSendChar(QObject* Sender, QChar TXChar);
    void DoCWPanelSendText(QObject* Sender, const QString& TXText);
    void DoLogPanelFrequencyA(int32_t Value);
    void DoRTTYPanelLogCall(const QString& Value);
    void DoRTTYPanelLogName(const QString& Value);
    void DXTelnetPanelSendToTelnet(const QString& Value);
    void LogStatisticsPanelLogFilter(const TLogFilter& LogFilter);
    // Status bar buttons.
    void AudioConnectButtonClick();
    void TransmitButtonClick();
    void ChannelLeftButtonClick();
    void ChannelRightButtonClick();

    // ---- Layout and view modes ----------------------------------------------------------
    void ViewActionExecute();
    void ViewWideActionExecute();
    void ViewCompactActionExecute();
    void ViewBasicActionExecute();
    void UpdatePanels();
    void UpdateStatusBar();
    // PageControl1 in Compact and Basic, PageControl2 in Wide.
    QTabWidget* TargetPageControl() const;
    // Model dimensions of the view.
    static int PanelLeftWidth(TTransceiver model);
    static int PageControl1Height(TTransceiver model);
    static int MinimumFormWidth(TTransceiver model);
    static int BaseFormHeight(TTransceiver model);
    // 251 when any auxiliary panel is stored visible, else 0.
    int BottomAllowance() const;
    // The status bar panel's width as the role set it (0: not shown).
    int StatusPanelWidth(int Index) const;
    QString StatusPanelText(int Index) const;
    QString StatusPanelHint(int Index) const;

    // ---- Actions --------------------------------------------------------------------------
    void TransmitActionExecute();
    void ClearActionExecute();
    void EnterFrequencyActionExecute();
    void StatusRequestActionExecute();
    void TransceiverMenuActionExecute();
    void PlaybackWindowActionExecute();
    void CATMonitorActionExecute();
    void CWPanelActionExecute();
    void LogWindowActionExecute();
    void MessagePanelActionExecute();
    void RTTYPanelActionExecute();
    void RCMPanelActionExecute();
    void YaesuRotatorActionExecute();
    void DXCSendCommandActionExecute();
    void SendSpotActionExecute();
    // Shows a tab sheet in the target page control.
    void ShowTabSheet(QWidget* Sheet, bool Focus = false);
    // Every action of the window's own list.
    QList<QAction*> Actions() const { return FActions; }
    // The main menu as lines: a menu's title, each item indented below it by its action's
    // name (or "-" for a separator) and the key the item shows.
    QStringList MenuDump() const;

    // ---- Controls -----------------------------------------------------------------------
    QWidget* PanelLeft;
    QTabWidget* PageControl1;
    QWidget* FlowPanel1;
    QWidget* PanelRight;
    QTabWidget* PageControl2;
    QWidget* StatusBarPanel;
    TRCPanel* StatusBarPanel0;
    TRCPanel* StatusBarPanel1;
    TRCPanel* StatusBarPanel2;
    TRCPanel* StatusBarPanel3;
    TRCPanel* StatusBarPanelPresets;
    TRCPanel* StatusBarPanel4;
    TRCPanel* StatusBarPanel5;
    TRCSpeedButton* ClientConnectButton;
    TStatusShape* ConnectShape;
    TRCSpeedButton* AudioConnectButton;
    TRCSpeedButton* TransmitButton;
    TRCSpeedButton* ChannelLeftButton;
    TRCSpeedButton* ChannelRightButton;
    TRCSpeedButton* PresetButton1;
    TRCSpeedButton* PresetButton2;
    TRCSpeedButton* PresetButton3;
    TRCSpeedButton* PresetButton4;

    QWidget* TabSheetTransceiver;
    QWidget* TabSheetDXCluster;
    QWidget* TabSheetDXSpots;
    QWidget* TabSheetBandmap;
    QWidget* TabSheetLog;
    QWidget* TabSheetLogStatistics;
    QWidget* TabSheetCATMonitor;
    QWidget* TabSheetRTTY;

    TFTTransceiverPanel* FTTransceiverPanel;
    TDXClusterPanel* DXClusterPanel;
    TDXSpotsPanel2* DXSpotsPanel;
    TBandmap* Bandmap;
    TLogbookPanelVST* LogbookPanel;
    TMainLogStatisticsPanel* LogStatisticsPanel;
    TCATMonitorPanel* CATMonitorPanel;

    TMessagePanel* MessagePanel;
    TCWPanel* CWPanel;
    TLogPanel* LogPanel;
    TRTTYPanel* RTTYPanel;
    TRCMPanel* RCMPanel;
    TYaesuRotatorPanel* YaesuRotatorPanel;

    TPlaybackForm* PlaybackForm = nullptr;
    vx::Timer* StartTimer1;
    vx::Timer* StartTimer2;

    // File
    QAction* TransceiverMenuAction;
    QAction* TXAudioSettingsAction;
    QAction* SettingsAction;
    QAction* SettingsExportAction;
    QAction* SettingsImportAction;
    QAction* ExitAction;
    // Window
    QAction* DXClusterAction;
    QAction* DXSpotsAction;
    QAction* BandmapAction;
    QAction* LogShowAction;
    QAction* LogStatisticsAction;
    QAction* PlaybackWindowAction;
    QAction* CWPanelAction;
    QAction* MessagePanelAction;
    QAction* LogWindowAction;
    QAction* RTTYPanelAction;
    QAction* RCMPanelAction;
    QAction* YaesuRotatorAction;
    QAction* FlexControlAction;
    QAction* ViewBasicAction;
    QAction* ViewCompactAction;
    QAction* ViewWideAction;
    QAction* ViewAction;
    // Tuning and controls
    QAction* TransmitAction;
    QAction* EnterFrequencyAction;
    QAction* StatusRequestAction;
    QAction* VFOBAction;
    QAction* PowerControlAction;
    QAction* MicGainAction;
    QAction* FilterWidthAction;
    QAction* IFShiftAction;
    QAction* ClarifierAction;
    // CW and messages
    QAction* ClearAction;
    QAction* CWSpeedAction;
    QAction* CWSpeedDownAction;
    QAction* CWSpeedUpAction;
    QAction* CWBuffer1Action;
    QAction* CWBuffer2Action;
    QAction* CWKeyboardAction;
    // DX cluster and log
    QAction* DXCSendCommandAction;
    QAction* SendSpotAction;
    QAction* AddSpotToBandmapAction;
    QAction* QRZLookupAction;
    QAction* DownloadDataFilesAction;
    // RTTY
    QAction* RTTYMenuAction;
    QAction* RTTYClearRXAction;
    QAction* RTTYClearTXAction;
    QAction* RTTYTXFocusAction;
    // Help
    QAction* CATMonitorAction;
    QAction* HelpWebsiteAction;
    QAction* HelpOnlineDocAction;
    QAction* AboutAction;

    // Menu items the handlers change: the CW keyboard menu and the cluster connect item.
    QMenu* MICW = nullptr;
    QMenu* MIRTTY = nullptr;
    TMainMenuItem* MIDXCConnect = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The application-wide key hook.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // What a test replaces: the screen, the modules' start and stop, the dialogs and the
    // message boxes.
    virtual int ScreenWidth() const;
    virtual void StartModules();
    virtual void StopModules();
    virtual void RestartModules();
    virtual std::unique_ptr<TSettingsDlgLink> CreateSettingsDlg();
    // Shows a modal dialog; its result.
    virtual int ExecuteDialog(QDialog& Dialog);
    virtual void ShowMessage(TMessageKind Kind, const QString& Title, const QString& Text);
    virtual void OpenUrl(const QString& Url);

private:
    void CreateControls();
    void CreateStatusBar();
    void CreateActions();
    void CreateMenus();
    void ResolveShortcuts();
    void Subscribe();
    void Unsubscribe();
    QAction* NewAction(const char* Name, const QString& Caption, const QString& Shortcut = {});
    // A menu item for an action: the action itself, or an item of its own caption and key
    // that runs the action and follows its state.
    QAction* AddItem(QMenu* Menu, QAction* Action, const QString& Caption = {}, const QString& Shortcut = {});
    void MoveSheets(QTabWidget* Target);
    void ApplySizeLimits(int MinWidth, int MaxWidth, int MinHeight, int MaxHeight);
    void SetStatusPanel(int Index, int Width);
    // The key hook's work; true when the key was used up.
    bool ApplicationMessage(QObject* Watched, QKeyEvent* Key);
    bool IsActiveMainWindow() const;
    void NoteActiveControl(QWidget* Focus);
    void FocusLastActiveControl();
    QWidget* LastActiveField() const;
    // Inverts the panel's visibility, checks its action by it and keeps it in the panel's
    // record; the result.
    bool TogglePanel(QWidget* Panel, QAction* Action, const TPanelPosition& (TDMApplication::*Get)() const,
                     void (TDMApplication::*Set)(const TPanelPosition&));

    TDataModules* FModules;
    std::unique_ptr<TCATCommandWriter> FCATWriter;
    // Owned by the application: the sound devices may report to it until the program ends.
    TCallbackForm* FCallbackForm = nullptr;
    std::unique_ptr<TMessageDlgs> FMessageDlgs;
    std::unique_ptr<TLogDialogs> FLogDialogs;
    // The entry panel's callbook and its views; children of the window.
    TCallbookLink* FCallbookLink = nullptr;
    TLogPanelDialogs* FLogPanelViews = nullptr;
    TFormPlace* FFormPlace1;
    vx::BusEndpoint* FEndpoint = nullptr;
    QList<QAction*> FActions;
    QActionGroup* FViewGroup = nullptr;
    TModeType FModeType = mtCW;
    bool FShutdown = false;
    bool FMainFormReady = false;
    bool FClosed = false;
    bool FKeyHook = false;
    bool FSubscribed = false;
    uint8_t FLastActiveControl = afNone;
    uint32_t FMMTTYMessage = 0;
    int FStagesRun = 0;
    int FStatusWidths[7] = {138, 58, 68, 90, 68, 125, 0};
    // A key the hook gave to the focused view's own action: its key press goes nowhere else.
    QKeySequence FSwallowKey;
    // Wheel angle not yet turned into steps (high-resolution wheels send parts of a notch).
    int FWheelRemainder = 0;
};

// The lamp of the remote link in the status bar: a small filled rectangle with a hint.
class TStatusShape : public QWidget {
    Q_OBJECT
public:
    explicit TStatusShape(QWidget* parent = nullptr);
    QColor BrushColor() const { return FColor; }
    void SetBrushColor(const QColor& value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor FColor{0x80, 0, 0};
};
