#pragma once
// Views and dialogs of the main window that this version does not have yet.  Each is a panel of
// the size the real one will have, with the few members the main window uses, reached through
// one alias (TMainCWPanel …), so the real view takes its place in one line.  The panels record
// what the main window asks of them (Calls), which is all they do.

#include "controls/widgets/RCPanel.h"
#include "core/RCTypes.h"
#include "log/LogFilter.h"
#include "log/LogInterface.h"
#include "panel/PanelLinks.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// A dark panel of a fixed size that names what it stands for.
class TStandInPanel : public TRCPanel {
    Q_OBJECT
public:
    TStandInPanel(const QString& Caption, int Width, int Height, QWidget* parent = nullptr);

    // What the main window asked of the panel, in order ("Open", "ClearControls(1,1)" …).
    QStringList Calls;
};

// The options of the QSO entry the logbook hands over at start.
struct TLogOptionsStandIn {
    TLoggingMode LoggingMode = lmRegular;
    bool NumbersOnlySerialRX = false;
    bool NumbersOnlySerialTX = false;
    bool IncrementSerialNumbersTX = false;
    uint32_t NextSerialNumber = 1;
};

class TLogPanelStandIn : public TStandInPanel, public TLogPanelLink {
    Q_OBJECT
public:
    explicit TLogPanelStandIn(QWidget* parent = nullptr);

    TLogInterface* LogInterface() const { return FLogInterface; }
    void SetLogInterface(TLogInterface* value) { FLogInterface = value; }
    TLogOptionsStandIn& LogOptions() { return FLogOptions; }

    void Open();
    // True when the call field holds a text command; there is none here.
    bool IsTextCommand(bool ExeceuteCommand);
    void LogQSOActionExecute();
    void ClearControls(bool FocusToCallEdit, bool ClearLogMessage);
    void DoSendSpot();
    void DoQRZButtonClick();
    void SetCallsign(const QString& Value);
    void SetHisName(const QString& Value);
    void SetQRZLookupAction(QAction* value) { FQRZLookupAction = value; }
    void SetAddSpotToBandmapAction(QAction* value) { FAddSpotToBandmapAction = value; }

    // What the front panel writes on every frequency report.
    void SetFrequencyA(int32_t value) override { FFrequencyA = value; }
    void SetFrequencyB(int32_t value) override { FFrequencyB = value; }
    void SetBandA(TBand) override {}
    void SetBandB(TBand) override {}
    void SetMode(TMode) override {}
    int32_t FrequencyA() const { return FFrequencyA; }

    QLineEdit* CallEdit;

    TIntegerEvent OnFrequencyA;
    TStringEvent OnSendToTelnet;

private:
    TLogInterface* FLogInterface = nullptr;
    TLogOptionsStandIn FLogOptions;
    QPointer<QAction> FQRZLookupAction;
    QPointer<QAction> FAddSpotToBandmapAction;
    int32_t FFrequencyA = 0;
    int32_t FFrequencyB = 0;
};

class TLogStatisticsPanelStandIn : public TStandInPanel {
    Q_OBJECT
public:
    explicit TLogStatisticsPanelStandIn(QWidget* parent = nullptr);

    QComboBox* StatisticsTypeComboBox;
    std::function<void(const TLogFilter& LogFilter)> OnLogFilter;
};

// The settings dialog as the main window drives it.
class TSettingsDlgLink {
public:
    virtual ~TSettingsDlgLink() = default;
    virtual QString LastSetting() const = 0;
    virtual void SetLastSetting(const QString& value) = 0;
    // Shows the page named by LastSetting.
    virtual void FindLastSetting() = 0;
    // Modal; QDialog::Accepted for OK.
    virtual int Execute() = 0;
    virtual bool ChangedApplicationType() const = 0;
    virtual bool ChangedDXCluster() const = 0;
    virtual bool ChangedCodec() const = 0;
};

// The About box of this version.
void ShowAboutBox(QWidget* owner);

// Dialogs this version does not have: their actions keep caption and key and stay disabled.
// The radio menu editor, shown modally; LastMenuNo in and out.
bool MenuEditorAvailable();
void ExecuteMenuEditor(QWidget* owner, int32_t& LastMenuNo);
// The TX audio settings (microphone equalizer) dialog.
bool TXAudioSettingsAvailable();
void ExecuteTXAudioSettings(QWidget* owner);
// Export and import of all settings as a file; the import's result is true when it changed
// settings.
bool SettingsFileAvailable();
void ExecuteSettingsExport(QWidget* owner);
bool ExecuteSettingsImport(QWidget* owner);

// The names the main window uses; each becomes the real class when it is there.
using TMainLogPanel = TLogPanelStandIn;
using TMainLogStatisticsPanel = TLogStatisticsPanelStandIn;

// The QSO entry panel and the statistics page the window shows; the real views take their
// place here.
TMainLogPanel* CreateMainLogPanel(QWidget* parent);
TMainLogStatisticsPanel* CreateMainLogStatisticsPanel();
