#pragma once
// TDMLog: the data module of the logbook.  It owns the logbook, holds the log actions that
// menus, buttons and hot keys point at, asks for files through the dialogs interface for new
// logs, opening, exports and imports, owns the callbook client and the statistics engine,
// and reads and writes the settings of "Client\Log", "Client\QRZ", "Client\LoTW",
// "Client\Cabrillo" and "Client\Cabrillo\Address".
//
// Everything runs on the GUI thread.  While an ADIF import runs, logging and the file and
// export actions are disabled; they come back with the import's result, which always
// arrives.

#include "log/LogInterface.h"

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class TLogDialogs;
class TQRZInterface;
class TLogStatisticsV2;

class TDMLog : public QObject {
    Q_OBJECT
public:
    explicit TDMLog(QObject* parent = nullptr);
    ~TDMLog() override;

    TLogInterface* LogInterface() const { return FLogInterface; }
    TQRZInterface* QRZInterface() const { return FQRZInterface; }
    TLogStatisticsV2* LogStatistics() const { return FLogStatistics; }

    // The file dialogs and export dialogs (the program's widgets, or a test's).
    TLogDialogs* Dialogs() const { return FDialogs; }
    void SetDialogs(TLogDialogs* v);
    // Where Open takes the own call sign from (the DX cluster module's spot engine).
    void SetMyCallSource(std::function<QString()> v) { FMyCallSource = std::move(v); }

    void IniRead();
    void IniWrite();
    // Hands the own call sign to the logbook.
    void Open();
    void Close() {}

    // The user's documents folder: where logs and Cabrillo files go when nothing was chosen.
    static QString DocumentsFolder();
    // "<call>_<yyyymmdd>_<n>.adi" for an export into folder: the call lower-cased with "/" as
    // "_", today's date, and 1 more than the highest number of such files of today there.
    QString ProposedExportName(const QString& folder) const;

    // ---- Actions -------------------------------------------------------------------------
    QAction* NewLogAction = nullptr;
    QAction* OpenLogAction = nullptr;
    QAction* ExportADIFAction = nullptr;
    QAction* ExportLoTWAction = nullptr;
    QAction* ExporteQSLAction = nullptr;
    QAction* ExportCabrilloAction = nullptr;
    QAction* ImportADIFAction = nullptr;
    QAction* LoTWDownloadAction = nullptr;
    QAction* ContestLoggingAction = nullptr;
    QAction* ContestSetCQZoneAction = nullptr;
    QAction* ContestSetUSStateAction = nullptr;
    QAction* RegularLoggingAction = nullptr;
    QAction* IncrementSerialNumbersTXAction = nullptr;
    QAction* LogQSOAction = nullptr;
    QAction* ClearLogFilterAction = nullptr;
    QAction* NumbersOnlySerialRXAction = nullptr;
    QAction* NumbersOnlySerialTXAction = nullptr;
    QAction* ShowGridLocatorAction = nullptr;
    QAction* ShowUSStateAction = nullptr;
    QAction* ShowQSLAction = nullptr;
    QAction* ShowQSLLoTWAction = nullptr;
    QAction* ShowQSLeQSLAction = nullptr;
    QList<QAction*> Actions() const;

    // Handlers.  Those of the check actions toggle their action first, as a click does.
    void NewLogActionExecute();
    void OpenLogActionExecute();
    // Tag 101 ADIF export, 102 LoTW export and upload, 103 eQSL export and upload.
    void ExportADIFActionExecute(int Tag);
    void ExportCabrilloActionExecute();
    void ImportADIFActionExecute();
    void LoTWDownloadActionExecute();
    void ClearLogFilterActionExecute();
    void RegularLoggingActionExecute();
    void ContestLoggingActionExecute();
    void ContestSetCQZoneActionExecute();
    void ContestSetUSStateActionExecute();
    void IncrementSerialNumbersTXActionExecute();
    void NumbersOnlySerialRXActionExecute();
    void NumbersOnlySerialTXActionExecute();
    void ShowGridLocatorActionExecute();
    void ShowUSStateActionExecute();
    void ShowQSLActionExecute();
    void ShowQSLLoTWActionExecute();
    void ShowQSLeQSLActionExecute();
    // OnLogImport of the logbook: the import has ended.
    void DoLogInterfaceLogImport(const QString& LogFilename, bool Success, int32_t QSOs, int32_t Inserted,
                                 int32_t Updated, int32_t ElapsedTime);

private:
    // What the check actions do once their check state is what the user made it.
    void ApplyRegularLogging();
    void ApplyContestLogging();
    void ApplyLoggingMode();
    void ApplyIncrementSerialNumbersTX();
    void ApplyCQZone();
    void ApplyUSState();
    void ApplyNumbersOnlySerialRX();
    void ApplyNumbersOnlySerialTX();
    static void Toggle(QAction* action);
    // What a click does: toggles the check, then applies it.
    void Click(QAction* action, void (TDMLog::*apply)());
    void ApplyColumn(QAction* action, TLogBookColumn column);
    // Enables the actions an import locks, unless one runs.
    void UpdateFileActions();
    QString ExportFolderFor(int Tag) const;

    TLogInterface* FLogInterface = nullptr;
    TQRZInterface* FQRZInterface = nullptr;
    TLogStatisticsV2* FLogStatistics = nullptr;
    TLogDialogs* FDialogs = nullptr;
    std::function<QString()> FMyCallSource;
    bool FImporting = false;
};

// The program's one log module; set while one exists.
extern TDMLog* DMLog;
