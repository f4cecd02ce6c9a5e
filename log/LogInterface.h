#pragma once
// TLogInterface: the logbook.  It owns the log file, keeps every QSO line of it in memory as
// a sorted list, and serves the entry panel, the log grid, the spot engine and the exports:
// opening and loading a log, appending QSOs, editing, deleting and QSL-queueing them, the
// worked-before index, the rows of the log view with the current filter, contest serial
// numbers and the message macros.
//
// Threads: everything here runs on the GUI thread.  File work goes to one ordered writer
// (TLogFileWriter); a load reads the file there, sorts its lines on a thread of its own into
// a list of its own and hands that list to the GUI thread, which swaps it in.  An ADIF import
// merges on the import worker (TLogADIFUtils) and is written by the same writer.  Results
// reach this object through queued calls that are dropped once it is gone.
//
// Exports, the import and LoTW entry points and the Cabrillo export are in LogExchange.cpp.
//
// Identity of QSOs: a row's Index is the handle of its QSO's line (TLogLineList), not a
// position, so rows stay valid while lines are added or removed; an operation on a QSO
// that is gone is refused with a status text.  The QSO being edited has a record of its
// own (EditRecord) that nothing but the editor changes.

#include "core/RCTypes.h"
#include "log/CabrilloLog.h"
#include "log/CallIndex.h"
#include "log/Contest.h"
#include "log/LogDataList.h"
#include "log/LogFilter.h"
#include "log/LogInfo.h"
#include "log/LogLines.h"
#include "log/LogRecord.h"
#include "log/LogbookPanelTypes.h"
#include "log/LogbookRecord.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TJobThread;
class TResultPost;
class TLogFileWriter;
class TLogADIFUtils;
class TLogDialogs;
class TLoTWInterface;
struct TImportOutcome;
struct TImportResult;

enum TLoggingMode : uint8_t { lmRegular, lmContest };
enum TLogBookColumn : uint8_t { colGrid, colUSState, colQSL, colQSLLoTW, colQSLeQSL };
enum TQSLQueue : uint8_t { qqCard, qqLoTW, qqeQSL };

// Set of TLogBookColumn; bit 0 is colGrid ... bit 4 colQSLeQSL (as stored in the settings).
class TLogBookColumns {
public:
    constexpr TLogBookColumns() = default;
    constexpr TLogBookColumns(std::initializer_list<TLogBookColumn> columns)
    {
        for (TLogBookColumn c : columns)
            FBits |= uint8_t(1u << c);
    }
    static constexpr TLogBookColumns FromBits(uint8_t bits)
    {
        TLogBookColumns c;
        c.FBits = bits & 0x1F;
        return c;
    }
    constexpr uint8_t Bits() const { return FBits; }
    constexpr bool Contains(TLogBookColumn c) const { return FBits & (1u << c); }
    constexpr void Include(TLogBookColumn c) { FBits |= uint8_t(1u << c); }
    constexpr void Exclude(TLogBookColumn c) { FBits &= uint8_t(~(1u << c)); }
    constexpr bool operator==(const TLogBookColumns&) const = default;

private:
    uint8_t FBits = 0;
};

// One line of dxccentity.dat.
struct TDXCCEntity {
    int32_t ADIFCode = 0;
    QString Prefix;
    QString Name;
    bool Deleted = false; // the prefix begins with "["
};

using TLoggingModeEvent = std::function<void(TLoggingMode LoggingMode)>;
using TLogInfoEvent = std::function<void(const TLogInfo& ALogInfo)>;
using TImportEvent = std::function<void(const QString& LogFilename, bool Success, int32_t QSOs, int32_t Inserted,
                                        int32_t Updated, int32_t ElapsedTime)>;
// The LoTW download and log events (the cluster's data-file download has a type of its own).
using TLoTWDownloadEvent = std::function<void(bool Success, int32_t QSOs)>;

class TLogInterface : public QObject {
    Q_OBJECT
public:
    explicit TLogInterface(QObject* parent = nullptr);
    // Waits for the writer to finish what was requested (a pending save is written).
    ~TLogInterface() override;

    // ---- Log file ----------------------------------------------------------------------
    // Starts loading LogFolder/LogFileName; true when a load was started.  A second Open
    // while a load runs starts a newer load whose result replaces the older one's.
    bool Open();
    // Creates the log file holding only the header line (replacing an existing one).
    bool NewLogFile();
    // "<LogFolder>/<LogFileName>".
    QString FullLogFileName() const;
    // Rewrites the whole file from a snapshot of LogBook taken now.  Refused with a status
    // text when no log is open for writing; deferred until a running load has finished.
    void SaveLog();

    // ---- QSOs --------------------------------------------------------------------------
    // Appends the QSO of LogRecord (or of the given record) with MyCall as station call
    // sign.  False, with "Logging %s failed: ..." as status text, when the line could not be
    // written: then nothing is added and no "%s logged" is raised.  While the writer is busy
    // with a whole file (a rewrite, an import's final write, a load) the line is queued behind
    // it and true returned at once; should that append fail, the QSO is taken out again and
    // "Logging %s failed: ..." reported then.
    bool AddQSO();
    bool AddQSO(const TLogRecord& record);
    // Loads the QSO of a row (its Index) into EditRecord and enters edit mode.
    bool EditQSO(int32_t index);
    // Writes the edited QSO back (only the fields the edit changed), or deletes it when its
    // comment is "DELETE".  Does nothing outside edit mode.
    void SaveQSO();
    // Deletes the QSO of a row and saves.
    bool DeleteQSO(int32_t index);
    // Marks the QSO of a row as queued for a QSL service when its sent flag is "N" or "R".
    // Neither saves nor reports; the caller saves once for all rows.
    bool QSLQueue(TQSLQueue queue, int32_t index);
    // Whether the call was worked on the band (and, with SearchLogBandAndMode, in the class
    // of the mode type; mtAll then gives false).
    bool SearchLog(const QString& call, TBand band, TModeType modeType) const;
    // Fills the view with the earlier QSOs of a call (or of calls beginning with the typed
    // text) and reports a summary.
    void FindQSOsLogPanel(const QString& ACall, TBand ABand, TQSOMode AMode, const QString& ASubmode = {});

    // ---- View rows and filter ------------------------------------------------------------
    void FilterQSOs();
    void FilterQSOs(const TLogFilter& ALogFilter);
    void FilterQSOs(const TFilterData& AFilterData);
    void LogbookPanelClear();
    static QStringList GetSubModes(const QString& AMode);

    // ---- Exports (GUI thread; the files are written before these return) ------------------
    // Text files in UTF-8 with CR LF: a comment line, "<PROGRAMID:6>Vornix", "<EOH>", one
    // record per line in log order.  Only QSOs of MyCall are exported.
    // Plain: every QSO dated DateFrom ("yyyymmdd") or later.  LoTW: those not yet sent to LoTW
    // (flag "N", or "Q" queued for it); the upload starts once the file is written, and the
    // flags become "Y" when the LoTW interface reports the upload succeeded.  True when a file
    // was written; texts through OnLoTWExport and OnLogEvent.
    bool ADIFExport(const QString& ADIFFilename, bool LoTW, const QString& DateFrom);
    // The eQSL upload file of the QSOs queued for eQSL ("Q", left queued); the number written.
    int32_t eQSLExportPrepare(const QString& ADIFFilename);
    // Dates of LastADIFExport / LastLoTWExport: today when empty, a null date when the text is
    // no date.
    QDate LastADIFExportDate() const;
    void SetLastADIFExportDate(const QDate& v);
    QDate LastLoTWExportDate() const;
    void SetLastLoTWExportDate(const QDate& v);

    // ---- Imports (on the import worker; results through OnLogImport) ---------------------
    // Merges an ADIF file into the open log; the log is reloaded afterwards and the result
    // text shown once.  OnLogImport always follows, also when nothing could be imported (the
    // reason is the status text).
    void ADIFImport(const QString& ADIFFilename);
    // Merges the LoTW report (lotwreport.adi in LoTWReportPath) into each of the logs in turn;
    // one OnLogImport per log.  ADIFFilename is not used.
    void ADIFImportLoTW(const QString& ADIFFilename, const QStringList& Logs);
    bool ImportRunning() const { return FImportRunning; }
    // While OnLogImport is raised: why that import could not read or write its log; empty
    // when it ran (also when it changed nothing).
    QString LastImportError() const { return FLastImportError; }
    // Asks the LoTW interface for the report of the confirmations since DownloadSince
    // ("yyyy-mm-dd"); the result arrives through OnLoTWDownload.
    void LoTWDownloadADIFReport(const QString& DownloadSince);
    // Converts an ADIF file into "<name>.log"; the result arrives through OnLoTWLog.
    void WriteLoTWLog(const QString& AADIFFilename);

    // ---- Cabrillo ----------------------------------------------------------------------------
    // Asks for the file and shows the export dialog (through Dialogs); always false.
    bool CabrilloExport();
    TCabrilloHeader& CabrilloHeader() { return FCabrilloHeader; }
    const TCabrilloHeader& CabrilloHeader() const { return FCabrilloHeader; }

    // ---- Services ------------------------------------------------------------------------
    TLoTWInterface* LoTWInterface() const { return FLoTWInterface.get(); }
    // Replaces the LoTW interface (the QSL services bring one that runs TQSL).
    void SetLoTWInterface(std::unique_ptr<TLoTWInterface> v);
    TLogADIFUtils* ADIFUtils() const { return FADIFUtils.get(); }
    TLogDialogs* Dialogs() const { return FDialogs; }
    void SetDialogs(TLogDialogs* v) { FDialogs = v; }

    // ---- Message macros ------------------------------------------------------------------
    QString MessageParser(const QString& TextToSend) const;

    // ---- Properties --------------------------------------------------------------------
    // Lines of the open log, sorted, without the header.  Read-only for others: changes go
    // through the operations here so that the index and the row handles stay right.
    const QStringList& LogBook() const { return FLogBook.Lines(); }
    // The current line of a row's QSO; empty when it is gone.
    QString LineOfIndex(int32_t index) const { return FLogBook.LineOfHandle(index); }
    // Replaces one line by another (import and export paths), keeping the index right.
    // False when the old line is gone.
    bool ReplaceLine(const QString& oldLine, const QString& newLine);
    // Rows of the view: each row's QSO handle and its line; a row's TLogData is built when
    // it is asked for.
    const TLogDataList& LogDataList() const { return FLogDataList; }
    TLogFilter& LogFilter() { return FLogFilter; }
    const TLogFilter& LogFilter() const { return FLogFilter; }
    TLogRecord& LogRecord() { return FLogRecord; }
    // The QSO being edited, valid while EditMode is true.
    TLogRecord& EditRecord() { return FEditRecord; }
    TLogbookRecord& LogbookRecord() { return FLogbookRecord; }
    TContest& Contest() { return FContest; }
    const TContest& Contest() const { return FContest; }
    const QStringList& DXCCList() const { return FDXCCList; }
    const QList<TDXCCEntity>& DXCCEntityList() const { return FDXCCEntityList; }

    bool EditMode() const { return FEditMode; }
    // The entry panel ends an edit this way when it clears its fields (no event).
    void SetEditMode(bool v) { FEditMode = v; }
    bool LogIsLoading() const { return FLogIsLoading; }
    QString LogFileName() const { return FLogFileName; }
    void SetLogFileName(const QString& v) { FLogFileName = v; }
    QString LogFolder() const { return FLogFolder; }
    void SetLogFolder(const QString& v) { FLogFolder = v; }
    TLoggingMode LoggingMode() const { return FLoggingMode; }
    void SetLoggingMode(TLoggingMode v);
    TLogBookColumns LogBookColumns() const { return FLogBookColumns; }
    void SetLogBookColumns(TLogBookColumns v);
    uint32_t MaxQSOs() const { return FMaxQSOs; }
    void SetMaxQSOs(uint32_t v) { FMaxQSOs = v; }
    QString MyCall() const { return FMyCall; }
    void SetMyCall(const QString& v);
    QString MyLocator() const { return FMyLocator; }
    void SetMyLocator(const QString& v) { FMyLocator = v; }
    bool SearchLogBandAndMode() const { return FSearchLogBandAndMode; }
    void SetSearchLogBandAndMode(bool v) { FSearchLogBandAndMode = v; }
    bool UseDatabase() const { return false; }
    void SetUseDatabase(bool) {}
    // Handle of the QSO being edited, -1 before any edit.
    int32_t LogBookIndex() const { return FLogBookIndex; }
    QString LogEvent() const { return FLogEvent; }
    // Result text of an import, shown after the reload instead of the load's text.
    void SetLogEventImport(const QString& v) { FLogEventImport = v; }

    QString LastADIFExport() const { return FLastADIFExport; }
    void SetLastADIFExport(const QString& v) { FLastADIFExport = v; }
    QString LastLoTWExport() const { return FLastLoTWExport; }
    void SetLastLoTWExport(const QString& v) { FLastLoTWExport = v; }
    QString LastImportFolder() const { return FLastImportFolder; }
    void SetLastImportFolder(const QString& v) { FLastImportFolder = v; }
    QString LastExportFolder() const { return FLastExportFolder; }
    void SetLastExportFolder(const QString& v) { FLastExportFolder = v; }
    QString LastLoTWExportFolder() const { return FLastLoTWExportFolder; }
    void SetLastLoTWExportFolder(const QString& v) { FLastLoTWExportFolder = v; }

    // Waits until every file job requested so far has run and its result has been handled
    // here (tests, and callers that must see a save finished).
    void WaitForWriter();
    // The one writer of the log's files (tests hold it to see who waits for it).
    TLogFileWriter& FileWriter() { return *FWriter; }

    // ---- Events (GUI thread) -----------------------------------------------------------
    TLogQSOEvent OnLogQSO;
    TNotifyEvent OnInitializeFields;
    TNotifyEvent OnDXCCListLoadeded;
    TNotifyEvent OnInitializeColumns;
    TNotifyEvent OnLogbookPanelClear;
    TNotifyEvent OnLogData;
    TNotifyEvent OnLogLoaded;
    // Open was called for the log named by LogFolder and LogFileName, whether its load
    // started or was refused: what depends on which log is set follows it.
    TNotifyEvent OnLogOpen;
    TSwitchEvent OnEditMode;
    TStringEvent OnLogEvent;
    TLoggingModeEvent OnLoggingMode;
    TSwitchEvent OnIncrementSerialNumbersTX;
    TSwitchEvent OnNumbersOnlySerialRX;
    TSwitchEvent OnNumbersOnlySerialTX;
    TLogInfoEvent OnLogInfo;
    TStringEvent OnLoTWExport;
    TImportEvent OnLogImport;
    TLoTWDownloadEvent OnLoTWDownload;
    TLoTWDownloadEvent OnLoTWLog;
    TTickCountEvent OnTickCount;

private:
    friend class TLogADIFUtils;
    Q_INVOKABLE void DeliverResults();
    struct TLoadResult;

    void LoadDXCCEntities();
    // A load: marks the log as loading (appends meanwhile are kept aside) and returns its
    // number; StartLoad reads the file, or takes the sorted lines just written to it.
    uint64_t BeginLoad();
    void StartLoad(uint64_t generation, std::optional<QStringList> written);
    void DoLogLoaded(uint64_t generation, std::shared_ptr<TLoadResult> result);
    void RebuildCallbook();
    void UpdateCallTags();
    void ReportEvent(const QString& text);
    // Queues a rewrite of the open log; the texts are reported when it has succeeded.
    void QueueRewrite(const QStringList& successTexts);
    void RewriteDone(bool ok, const QString& error, const QStringList& successTexts);
    // The result of an append queued behind a busy writer.
    void AppendDone(const QString& line, const QString& call, bool inserted, bool ok, const QString& error);
    // Why the open log cannot be written now; empty when it can.
    QString WriteRefusal() const;
    bool IsOwnLine(const QString& line) const;
    std::pair<int, int> OwnRange() const;
    int InsertLine(const QString& line);
    void RemoveLineAt(int pos);
    int ReplaceLineAt(int pos, const QString& line);
    void AddRow(int pos);

    // Imports: their start, the application of a merge (with the QSOs logged or edited while
    // it ran) and their end.
    void StartImport(const QString& logFile, const QString& adifFile);
    void CommitImport(const QString& path, TImportOutcome outcome, std::function<void(const TImportResult&)> done);
    void DoImportFinished(const TImportResult& result);
    void RefuseImport(const QString& logFile, const QString& reason);
    // Records a change of the open log's lines while an import of that log runs.
    void Journal(bool added, const QString& line);
    void DoLoTWUploadFinished(bool success);

    vx::loglines::TLogLineList FLogBook;
    vx::loglines::TWorkedIndex FCallbook;
    // The own QSOs by call, for the previous-QSO lookup (kept with FCallbook).
    vx::loglines::TCallIndex FCallIndex;
    TLogDataList FLogDataList;
    TLogFilter FLogFilter;
    TLogRecord FLogRecord;
    // The QSO being edited, its state when the edit began, and its line as it was.
    TLogRecord FEditRecord;
    TLogRecord FEditBaseline;
    QString FEditLine;
    // Lines are read into this one, so no caller's record ever changes behind its back.
    TLogRecord FParseRecord;
    TLogbookRecord FLogbookRecord;
    TContest FContest;
    QStringList FDXCCList;
    QList<TDXCCEntity> FDXCCEntityList;

    bool FEditMode = false;
    int32_t FLogBookIndex = -1;
    QString FLogEvent;
    QString FLogEventImport;
    QString FLogFileName;
    QString FLogFolder;
    QString FMyCall;
    QString FMyLocator;
    QString FLastADIFExport;
    QString FLastLoTWExport;
    QString FLastImportFolder;
    QString FLastExportFolder;
    QString FLastLoTWExportFolder;
    TLoggingMode FLoggingMode = lmRegular;
    TLogBookColumns FLogBookColumns{colGrid, colUSState, colQSL, colQSLLoTW};
    uint32_t FMaxQSOs = 3000;
    bool FSearchLogBandAndMode = true;
    qint64 FTickTimeStart = 0;

    // Loading: the newest load's number (older results are dropped), the lines appended
    // since it was requested (the file it reads may lack them), and a save asked for
    // meanwhile.
    bool FLogIsLoading = false;
    uint64_t FLoadGeneration = 0;
    int FLoadsInFlight = 0;
    QStringList FPendingLines;
    bool FSaveAfterLoad = false;
    // The file the list came from, and whether it may be written.
    QString FLoadedPath;
    bool FWritable = false;
    QString FNotWritable;
    int FRewritesInFlight = 0;
    int FAppendsInFlight = 0;

    // Imports: the queue of logs, the file imported into them, and the changes made to the
    // lines of the open log since the running import read it.
    QStringList FLogfiles;
    QString FImportADIFFile;
    bool FImportRunning = false;
    QString FLastImportError;
    qint64 FImportStart = 0;
    struct TImportJournal {
        QString Path; // the log the running import reads; empty when none runs
        std::vector<std::pair<bool, QString>> Entries; // added (true) or removed line
    } FImportJournal;

    // The QSOs of the last LoTW upload file, marked "Y" when the upload succeeds.
    QList<int32_t> FLoTWUploadHandles;
    TCabrilloHeader FCabrilloHeader;
    QString FCabrilloFilename;
    TLogDialogs* FDialogs = nullptr;

    std::shared_ptr<TResultPost> FGuard;
    std::unique_ptr<TJobThread> FLoadThread;
    std::unique_ptr<TLogFileWriter> FWriter;
    // After the writer: a load the writer finishes on its way out hands over to the import worker.
    std::unique_ptr<TLogADIFUtils> FADIFUtils;
    std::unique_ptr<TLoTWInterface> FLoTWInterface;
};
