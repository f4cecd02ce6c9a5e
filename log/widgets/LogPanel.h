#pragma once
// TLogPanel: the QSO entry panel of the main window.  The operator types the station being
// worked (call, reports, contest serials, name, QTH, locator, IOTA, state, QSL flags, entity,
// zone, continent) and logs it with one action.  While the operator types, the panel looks the
// call up in the country data and the log, shows the earlier QSOs, and asks the callbook; it
// follows the radio's band and mode while real-time logging is on, shows a UTC clock, and
// switches between a regular layout and a contest layout with serial numbers.  It also ends
// the edit of a logged QSO that the log grid started.
//
// The panel is fixed at 352 x 251 on RGB(65, 65, 65) and builds its controls in code.  The
// front panel feeds it through TLogPanelLink; the main window wires its references and reaches
// it through IsTextCommand and LogQSOActionExecute (Enter, keypad +), ClearControls (F11),
// DoSendSpot (Alt+F3), DoQRZButtonClick (Ctrl+Q) and AddSpotToBandmapActionExecute
// (Ctrl+Enter).
//
// The panel takes single-handler events of the log, the spot engine and the callbook when they
// are set, and hands them back (unassigned) when it goes; a neighbour that goes first is
// forgotten.  Everything runs on the GUI thread.

#include "controls/widgets/RCPanel.h"
#include "core/FTCATTypes.h"
#include "core/RCTypes.h"
#include "log/LogInterface.h"
#include "panel/PanelLinks.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QToolButton;
class TCallbookLink;
class TDXSpot;
class TDXSpots;
class TFTCATInterface;
class TLogInfo;
class TLogPanel;
class TLogPanelViews;
class TShape;
class TSpot;

namespace vx {
class Timer;
} // namespace vx

namespace vx::logpanel {
class TEntryEdit;
class TFitLabel;
} // namespace vx::logpanel

// The logging options that change the panel's layout; a mirror of the log's own (the main
// window copies them at start-up, the log's events copy every change).
class TLogOptions {
public:
    explicit TLogOptions(TLogPanel* owner);

    bool IncrementSerialNumbersTX() const { return FIncrementSerialNumbersTX; }
    // When switched on in contest mode, the serial-sent field shows the contest's next serial
    // number; in contest mode with it off, the contest's last serial number.
    void SetIncrementSerialNumbersTX(bool Value);
    TLoggingMode LoggingMode() const { return FLoggingMode; }
    // Switches between the regular and the contest layout.
    void SetLoggingMode(TLoggingMode Value);
    uint32_t NextSerialNumber() const { return FNextSerialNumber; }
    void SetNextSerialNumber(uint32_t Value);
    bool NumbersOnlySerialRX() const { return FNumbersOnlySerialRX; }
    void SetNumbersOnlySerialRX(bool Value);
    bool NumbersOnlySerialTX() const { return FNumbersOnlySerialTX; }
    void SetNumbersOnlySerialTX(bool Value);

private:
    TLogPanel* FOwner;
    bool FIncrementSerialNumbersTX = false;
    TLoggingMode FLoggingMode = lmRegular;
    uint32_t FNextSerialNumber = 1;
    bool FNumbersOnlySerialRX = false;
    bool FNumbersOnlySerialTX = false;
};

class TLogPanel : public TRCPanel, public TLogPanelLink {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 352;
    static constexpr int PanelHeight = 251;

    explicit TLogPanel(QWidget* parent = nullptr);
    ~TLogPanel() override;

    // ---- References (the main window wires them) ----------------------------------------
    QAction* AddSpotToBandmapAction() const { return FAddSpotToBandmapAction; }
    void SetAddSpotToBandmapAction(QAction* Value);
    TDXSpots* DXSpots() const;
    void SetDXSpots(TDXSpots* Value);
    TFTCATInterface* FTCATInterface() const;
    void SetFTCATInterface(TFTCATInterface* Value);
    TLogInterface* LogInterface() const { return FLogInterface; }
    // Set the log before the callbook: the callbook controls follow the log's logging mode.
    void SetLogInterface(TLogInterface* Value);
    QAction* LogQSOAction() const { return FLogQSOAction; }
    void SetLogQSOAction(QAction* Value);
    TCallbookLink* QRZInterface() const;
    void SetQRZInterface(TCallbookLink* Value);
    QAction* QRZLookupAction() const { return FQRZLookupAction; }
    void SetQRZLookupAction(QAction* Value);
    // The callbook window and the spot dialog.
    TLogPanelViews* Views() const;
    void SetViews(TLogPanelViews* Value);

    // ---- Radio state (the front panel writes these) ---------------------------------------
    TBand BandA() const { return FBandA; }
    void SetBandA(TBand Value) override;
    TBand BandB() const { return FBandB; }
    void SetBandB(TBand Value) override;
    int32_t FrequencyA() const { return FFrequencyA; }
    void SetFrequencyA(int32_t Value) override { FFrequencyA = Value; }
    int32_t FrequencyB() const { return FFrequencyB; }
    void SetFrequencyB(int32_t Value) override { FFrequencyB = Value; }
    TMode Mode() const { return FMode; }
    void SetMode(TMode Value) override;
    bool Split() const { return FSplit; }
    void SetSplit(bool Value) { FSplit = Value; }

    // ---- Entry ------------------------------------------------------------------------------
    QString Callsign() const;
    // Clears the entry and types the call (another window logs a call); ignored while a
    // logged QSO is edited.
    void SetCallsign(const QString& Value);
    QString HisName() const;
    // Ignored while editing or for an empty text.
    void SetHisName(const QString& Value);
    TLogOptions& LogOptions() { return *FLogOptions; }
    bool RealTimeLogging() const { return FRealTimeLogging; }
    void SetRealTimeLogging(bool Value);
    // The serial-sent text shown after a QSO was logged with consecutive serial numbers;
    // empty until this panel logged one.
    QString LastSTX() const { return FLastSTX; }

    // ---- Operations -------------------------------------------------------------------------
    // After the log is opened and after the station call changed: the DXCC list from the log.
    void Open();
    // Copies the log's options into LogOptions in start-up order: logging mode, numbers-only
    // RX and TX, consecutive serial numbers, next serial number.
    void LoadLogOptions();
    // Whether the call field holds a frequency command (kHz digits); with ExeceuteCommand, a
    // frequency inside the current band is raised through OnFrequencyA.
    bool IsTextCommand(bool ExeceuteCommand);
    // Logs, saves or deletes the QSO of the fields, or performs the frequency command.
    void LogQSOActionExecute();
    // Enter found Log QSO disabled: with no log book open the hint line says so, as nothing
    // can be logged then.
    void LogQSORefused();
    // Resets the entry and ends an edit.
    void ClearControls(bool FocusToCallEdit, bool ClearLogMessage);
    void DoQRZButtonClick();
    void DoQRZInfoButtonClick();
    void DoSendSpot();
    void AddSpotToBandmapActionExecute();

    // ---- Events -----------------------------------------------------------------------------
    // A frequency typed into the call field (Hz): the main window tunes VFO A.
    TFrequencyEvent OnFrequencyA;
    // A confirmed spot line for the DX cluster.
    TStringEvent OnSendToTelnet;

    // The call field; the main window's key handling tracks and restores the focus on it.
    vx::logpanel::TEntryEdit* CallEdit = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class TLogOptions;

    // ---- Building ---------------------------------------------------------------------------
    void CreateControls();
    void FillLists();
    QLabel* AddLabel(const char* name, const QString& caption, int left, int top, int width = -1);
    vx::logpanel::TEntryEdit* AddEdit(const char* name, int left, int top, int width, int maxLength, int tabOrder,
                                      bool tabStop, bool upperCase);
    QComboBox* AddList(const char* name, int left, int top, int width, int tabOrder);
    void Pair(QWidget* field, QLabel* label);

    // ---- Layout -----------------------------------------------------------------------------
    void ApplyLoggingMode();
    void UpdateFieldVisibility();
    void ApplyRealTimeLayout(bool realTime);
    void UpdateCallbookControls();
    void RealTimeCheckBoxClick();
    void UTCTimerTimer();
    void SetNumbersOnly(vx::logpanel::TEntryEdit* edit, bool on);

    // ---- Input rules ------------------------------------------------------------------------
    bool CallEditKey(QChar& c);
    bool RSTEditKey(QChar& c);
    bool SerialEditKey(QChar& c, bool serialSent);
    void EntryFieldEnter(QWidget* field);
    void EntryFieldExit(QWidget* field);
    void IOTAEditExit();
    void ModeEditChange();
    void SetModeDefaults();
    // Selects the entity of an ADIF code (0: the empty item); false when the list has none.
    bool SelectDXCC(int32_t ADIFCode);
    void DXCCEditChange();
    void USStateEditChange();
    void SetStateList(int32_t ADIFCode, bool selectState);

    // ---- Lookups ----------------------------------------------------------------------------
    QString GetCallPart() const;
    bool IsValidCallsign() const;
    void EntryFieldChange(QWidget* field);
    QString ApplyReportShorthand();
    void FindPreviousQSOs();
    void BandEditChange();
    void LocatorEditChange();
    void UpdateActions();
    void SyncLogQSOButton();
    // A log file is named for logging.
    bool LogBookOpen() const;
    void DoCallsignLookup(const TDXSpot& ADXSpot);
    void DoLogInfo(const TLogInfo& ALogInfo);
    void DoSpotDblClick(const TSpot& ASpot);
    void DoQRZSession(bool Success, const QString& AMessage);
    void DoQRZRequest(bool Success, const QString& AMessage);
    void DoUseQRZ(bool Value);
    void UpdateLocatorCache(const QString& grid);

    // ---- Logging ----------------------------------------------------------------------------
    void DoLogEvent(const QString& Value);
    void DoEditMode(bool Value);
    void LoadEditRecord();
    void FillRecord(TLogRecord& record, bool editing, const QDateTime& now);
    bool SaveEditedQSO(const QString& call, QString& message);
    void AdvanceSerialNumber();
    void ReadRadio();
    void ShowLogMessage(const QString& text);
    bool ContestMode() const;
    bool EditMode() const;
    TContest* Contest() const;

    void UnhookLog();
    void UnhookSpots();
    void UnhookCallbook();

    // ---- Controls ---------------------------------------------------------------------------
    QLabel* LabelCall = nullptr;
    vx::logpanel::TFitLabel* LabelPathInfo = nullptr;
    QLabel* LabelDateTime = nullptr;
    QLabel* LabelDate = nullptr;
    QDateEdit* DateEdit = nullptr;
    QLabel* LabelUTC = nullptr;
    QTimeEdit* UTCEdit = nullptr;
    QPushButton* LogQSOButton = nullptr;
    QLabel* LabelRSTSent = nullptr;
    vx::logpanel::TEntryEdit* RSTsEdit = nullptr;
    QLabel* LabelSTX = nullptr;
    vx::logpanel::TEntryEdit* STXEdit = nullptr;
    QLabel* LabelRSTRcvd = nullptr;
    vx::logpanel::TEntryEdit* RSTrEdit = nullptr;
    QLabel* LabelSRX = nullptr;
    vx::logpanel::TEntryEdit* SRXEdit = nullptr;
    QToolButton* QRZButton = nullptr;
    QToolButton* QRZInfoButton = nullptr;
    TShape* QRZInfoShape = nullptr;
    QLabel* LabelLocator = nullptr;
    vx::logpanel::TEntryEdit* LocatorEdit = nullptr;
    QLabel* LabelBand = nullptr;
    QComboBox* BandEdit = nullptr;
    QLabel* LabelComment = nullptr;
    vx::logpanel::TEntryEdit* CommentEdit = nullptr;
    QLabel* LabelMode = nullptr;
    QComboBox* ModeEdit = nullptr;
    QLabel* LabelSubMode = nullptr;
    QComboBox* SubModeEdit = nullptr;
    QLabel* LabelName = nullptr;
    vx::logpanel::TEntryEdit* NameEdit = nullptr;
    QLabel* LabelQTH = nullptr;
    vx::logpanel::TEntryEdit* QTHEdit = nullptr;
    QLabel* LabelIOTA = nullptr;
    vx::logpanel::TEntryEdit* IOTAEdit = nullptr;
    QLabel* LabelUSState = nullptr;
    QComboBox* USStateEdit = nullptr;
    QLabel* LabelQSLInfo = nullptr;
    vx::logpanel::TEntryEdit* QSLInfoEdit = nullptr;
    QLabel* LabelPropMode = nullptr;
    QComboBox* PropModeEdit = nullptr;
    TShape* QRZLoTWShape = nullptr;
    QLabel* LabelCQZone = nullptr;
    QComboBox* CQZoneEdit = nullptr;
    QLabel* LabelDXCC = nullptr;
    QComboBox* DXCCEdit = nullptr;
    vx::logpanel::TFitLabel* LabelRegionInfo = nullptr;
    QLabel* LabelContinent = nullptr;
    QComboBox* ContinentEdit = nullptr;
    TRCPanel* LogEventPanel = nullptr;
    vx::logpanel::TFitLabel* LogEventLabel = nullptr;
    QLabel* LabelQSLSent = nullptr;
    QComboBox* QSLSentEdit = nullptr;
    QLabel* LabelQSLRcvd = nullptr;
    QComboBox* QSLRcvdEdit = nullptr;
    QLabel* LabelQSLLoTWSent = nullptr;
    QComboBox* QSLLoTWSentEdit = nullptr;
    QLabel* LabelQSLLoTWRcvd = nullptr;
    QComboBox* QSLLoTWRcvdEdit = nullptr;
    QLabel* LabelQSLeQSLSent = nullptr;
    QComboBox* QSLeQSLSentEdit = nullptr;
    QLabel* LabelQSLeQSLRcvd = nullptr;
    QComboBox* QSLeQSLRcvdEdit = nullptr;
    QCheckBox* RealTimeCheckBox = nullptr;
    vx::Timer* UTCTimer = nullptr;
    QHash<QWidget*, QLabel*> FLabelOf;

    // ---- State ------------------------------------------------------------------------------
    std::unique_ptr<TLogOptions> FLogOptions;
    std::unique_ptr<TSpot> FSpot;
    QPointer<QAction> FAddSpotToBandmapAction;
    QPointer<QAction> FLogQSOAction;
    QPointer<QAction> FQRZLookupAction;
    QPointer<TDXSpots> FDXSpots;
    QPointer<TFTCATInterface> FFTCATInterface;
    QPointer<TLogInterface> FLogInterface;
    QPointer<TCallbookLink> FQRZInterface;
    QPointer<TLogPanelViews> FViews;
    TBand FBandA = bd40;
    TBand FBandB = bd40;
    int32_t FFrequencyA = 7000000;
    int32_t FFrequencyB = 7000000;
    TMode FMode = mdCW;
    bool FRealTimeLogging = true;
    bool FSplit = false;
    // The call part a callbook lookup was asked for: an answer that arrives after the call
    // changed belongs to another station.
    QString FQRZRequestCall;
    // Texts the log reports while the panel saves an edited QSO.
    QStringList* FCapturedEvents = nullptr;
    QString FLastSTX;
};
