#pragma once
// VornixServer's main window: a narrow status window beside the radio.  It fixes the role
// isRemoteServer, reads the settings of the modules it drives, opens the radio's CAT port, the
// WinKeyer, the microHAM router, the IPC server and the remote control and audio servers, shows
// their state, writes the radio's outgoing CAT commands to the port, retries devices that did
// not open every 3000 ms, hides in the notification area when minimised (where there is one),
// keeps the event log and closes everything down once, in a fixed order, also when the desktop
// session ends.
//
// Every handler runs on the GUI thread; an error one of them raises is shown as
// "An exception occured: " and the message, and the window runs on.

#include "controls/widgets/BusyCursor.h"
#include "controls/widgets/DPIForm.h"
#include "core/RCTypes.h"
#include "core/cat/FTCATEvents.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QSystemTrayIcon;
class TCallbackForm;
class TCATCommandWriter;
class TFormPlace;
class TRCPanel;
class TDataModules;
class TServerEventLog;
class TServerSettingsDlg;
class TShape;

namespace vx {
class BusEndpoint;
class Timer;
} // namespace vx

class TServerMainForm : public TDPIForm {
    Q_OBJECT
public:
    // The window's width, and the height the layout adds to its panels for the title bar and
    // borders, which Qt leaves out of a window's size.
    static constexpr int FormWidth = 210;
    static constexpr int FrameHeight = 27;
    static constexpr int MinFormHeight = 320;
    static constexpr int RetryIntervalMs = 3000;
    static constexpr int PollIntervalMs = 2000;

    // Status colours.
    static inline const QColor Green{0, 255, 0};
    static inline const QColor Red{255, 0, 0};
    static inline const QColor Grey{128, 128, 128};
    static inline const QColor Orange{255, 128, 0};

    explicit TServerMainForm(TDataModules& modules, QWidget* owner = nullptr);
    ~TServerMainForm() override;

    // The window has closed (the program ends then).
    TNotifyEvent OnClosed;

    // --- Panels and their controls ----------------------------------------------------------
    TRCPanel* PanelServer;
    TShape* ServerShape;
    QLabel* PortLabel;
    TRCPanel* PanelAudio;
    TShape* AudioShape;
    QLabel* AudioPortLabel;
    TRCPanel* PanelFT2K;
    QLabel* TransceiverLabel;
    TShape* RadioCOMShape;
    QLabel* RadioCOMLabel;
    QLabel* FrequencyALabel;
    QLabel* FrequencyBLabel;
    QLabel* ModeALabel;
    QLabel* ModeBLabel;
    QLabel* PowerControlLabel;
    TShape* TXShape;
    QPushButton* PowerSwitchButton;
    TRCPanel* PanelWinKey;
    TShape* WKCOMShape;
    QLabel* WKCOMLabel;
    TRCPanel* PanelMMTTY;
    TShape* MMTTYShape;
    QCheckBox* MMTTYCheckBox;
    TRCPanel* PanelDVK;
    TShape* DVKCOMShape;
    QLabel* DVKCOMLabel;
    TRCPanel* PanelIPC;
    TShape* IPCShape;
    TRCPanel* PanelUsers;
    QLabel* UsersLabel;
    QCheckBox* CheckBoxMeter;
    QPushButton* AboutButton;
    QPushButton* SettingsButton;

    // --- Components ---------------------------------------------------------------------------
    vx::Timer* PollTimer;
    vx::Timer* FT2KTimer;
    vx::Timer* WinKeyTimer;
    vx::Timer* DVKTimer;
    QAction* AboutAction;
    QAction* SettingsAction;
    // Null where the desktop has no notification area: the window then stays visible.
    QSystemTrayIcon* TrayIcon = nullptr;
    TFormPlace* FormPlace2;
    TCATCommandWriter* CATCommandWriter() const { return FWriter; }
    TServerEventLog* EventLog() const { return FLogFile.get(); }
    bool LogFileOpen() const;
    bool ShutDownFinished() const { return FShutDownFinished; }
    // The tray image shown (0 to 2).
    int TrayImage() const { return FTrayImage; }
    // The radio's power as last reported.
    bool PowerOn() const { return FPowerOn; }
    bool ClientsConnected() const { return FClientsConnected; }

    // --- Operations ---------------------------------------------------------------------------
    void OpenDevices();
    void ShutDown();
    void SetFormHeight();
    // The client height SetFormHeight gives: the visible panels.
    int PanelsHeight() const;
    void UpdateTrayIcon();
    void OpenLogFile();
    void WriteLogFile(const QString& Event, const QString& User, const QString& Message);
    void CloseLogFile();

    // --- Handlers -----------------------------------------------------------------------------
    void PollTimerTimer();
    void FT2KTimerTimer();
    void WinKeyTimerTimer();
    void DVKTimerTimer();
    void PowerSwitchButtonClick();
    void MMTTYCheckBoxClick();
    void SettingsActionExecute();
    // What follows the settings dialog: after OK the devices are closed, the settings saved and
    // read, and the devices opened again.
    void SettingsDialogClosed(TServerSettingsDlg& dialog, bool accepted);
    void AboutActionExecute();
    // A click or double-click on the tray icon, and a later start of the program: the window
    // shows itself.
    void TrayIconClick();
    void ApplicationEventsException(const QString& message);
    void ApplicationEventsMinimize();
    // The desktop session is about to end: with ShutdownRadio on and the radio on, "PS0;".
    void QueryEndSession();
    // The session ends: shut down (once) and close the window.
    void EndSession();

    // The texts of the status display.
    static QString FrequencyText(int32_t hz);
    // Empty for the modes that leave the label as it was.
    static QString ModeText(TMode mode);
    static QColor PortStateColor(TCOMPortState state);

protected:
    // The steps of OpenDevices that each run in their own protection.
    virtual void OpenCAT();
    virtual void OpenWinKeyer();
    virtual void ShowMMTTY();
    virtual void OpenMicroHam();
    virtual void OpenIPC();

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    void BuildPanels();
    void HookEvents();
    // The role, and the settings of the modules the window drives (the RTTY module's only at
    // creation).
    void ReadSettings();
    // Runs a handler; an error it raises is shown.
    void Guard(const std::function<void()>& handler);
    // Runs one OpenDevices step; an error it raises is ignored.
    void Step(const std::function<void()>& step);
    void ShowMessage(const QString& text, bool error);
    void SetRadioPortState(TCOMPortState state);
    void SetPortText(QLabel* label, const QString& text);
    void UpdateIPCShape();

    TDataModules& FModules;
    TCATCommandWriter* FWriter = nullptr;
    // Shown between the two "PS1;" of a power-on.
    TBusyCursor FPowerOnBusy;
    TCallbackForm* FCallbackForm = nullptr;
    vx::BusEndpoint* FBus = nullptr;
    std::unique_ptr<TServerEventLog> FLogFile;
    bool FShutDownFinished = false;
    bool FPowerOn = false;
    bool FClientsConnected = false;
    bool FShutdownRadio = false;
    bool FClosing = false;
    int FTrayImage = 0;
};
