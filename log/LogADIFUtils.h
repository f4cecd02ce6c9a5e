#pragma once
// TLogADIFUtils: reads ADIF files into the text log.  Two jobs, each on the import worker:
//  - ADIFImport merges an ADIF file into a log file: QSOs not yet in the log are inserted,
//    QSOs already there are updated from the file.  The same operation applies a downloaded
//    LoTW report (confirmations) and an eQSL inbox file (eQSL received flags; QSOs that are
//    not in the log are rejected into "eqsl_rejected.log").
//  - WriteLoTWLog converts an ADIF file (in practice the LoTW report) into a file of log lines
//    with the same name and the extension ".log".
//
// A QSO matches a record when station call, call, band and mode are equal, the day is the
// same and the start times are less than 16 minutes apart.
//
// Threads: the log file is read and written only by the logbook's one writer, in its order;
// the merge runs on the import worker with data of its own; the logbook applies the result
// on the GUI thread (together with the QSOs logged or edited meanwhile) and hands it to the
// writer.  Results are raised on the GUI thread; the GUI thread never waits for an import.

#include "log/ADIFReader.h"
#include "log/LogInterface.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TJobThread;
class TResultPost;

using TLoTWLogEvent = std::function<void(bool Success, int32_t QSOs)>;

// What one import found and did, before it is written.
struct TImportOutcome {
    QString Error; // empty when the files could be read and the merge ran
    vx::adif::TFileKind Kind = vx::adif::TFileKind::Plain;
    // The log's QSO lines before the import, sorted, and after it, sorted.
    QStringList Source;
    QStringList Lines;
    // Source lines the import changed: their position in Source and their new text.
    std::vector<std::pair<int, QString>> Replaced;
    int32_t Inserted = 0;
    int32_t Updated = 0;
    int32_t Rejected = 0;
    int32_t Skipped = 0; // records without call, with no valid date or time, cut off or broken
    int32_t WithoutBandOrMode = 0; // QSOs inserted or updated that have no band or no mode
    QStringList RejectedLines;
    bool Changed() const { return Inserted > 0 || !Replaced.empty(); }
};

// The result of one import as the logbook reports it.
struct TImportResult {
    QString LogFilename;
    bool Success = false; // a QSO was inserted or updated, and the log was written
    int32_t QSOs = 0;     // QSO lines of the log afterwards
    int32_t Inserted = 0;
    int32_t Updated = 0;
    int32_t Rejected = 0;
    int32_t Skipped = 0;
    int32_t WithoutBandOrMode = 0;
    int32_t ElapsedTime = 0; // ms
    QString Error;           // why the import did not run or was not written
};

class TLogADIFUtils : public QObject {
    Q_OBJECT
public:
    explicit TLogADIFUtils(QObject* parent = nullptr);
    // Finishes the job that runs; results not yet delivered are dropped.
    ~TLogADIFUtils() override;

    // Merges AADIFFilename into the log file ALogBookFilename of ALogInterface (whose writer
    // reads and writes it).  AMyCall is the station call for records without one.  Returns at
    // once; OnImport follows on the GUI thread, also when the import fails.
    void ADIFImport(TLogInterface* ALogInterface, const QString& ALogBookFilename, const QString& AADIFFilename,
                    const QString& AMyCall);
    // Converts AADIFFilename into "<name>.log"; OnLoTWLog follows on the GUI thread.
    void WriteLoTWLog(const QString& AADIFFilename);

    // The details of the import OnImport reports, valid while it runs.
    const TImportResult& LastImport() const { return FLastImport; }

    // The work itself, on any thread.
    // Merges the ADIF file into sorted QSO lines of a log.
    static TImportOutcome Merge(QStringList sortedLines, const QString& adifFilename, const QString& myCall);
    // The log lines of an ADIF file's records (with the file header line first for a LoTW
    // report); the number of records is the number of lines without the header.
    struct TConversion {
        QString Error;
        QStringList Lines;
        int32_t QSOs = 0;
    };
    static TConversion Convert(const QString& adifFilename);
    // Name of the file a conversion writes: the same name with the extension ".log".
    static QString ConvertedName(const QString& adifFilename);

    TImportEvent OnImport;
    TLoTWLogEvent OnLoTWLog;

private:
    Q_INVOKABLE void DeliverResults();
    void Finish(const TImportResult& result);

    TImportResult FLastImport;
    std::shared_ptr<TResultPost> FPost;
    std::unique_ptr<TJobThread> FThread;
};
