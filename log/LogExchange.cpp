// TLogInterface: exports to ADIF, LoTW and eQSL files, the ADIF import and LoTW entry points,
// and the Cabrillo export.
#include "log/LogInterface.h"
#include "log/LogPaths.h"

#include "log/LoTWInterface.h"
#include "log/LogADIFUtils.h"
#include "log/LogDialogs.h"
#include "log/LogFileWriter.h"
#include "log/LogText.h"
#include "log/ResultPost.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

using namespace vx::loglines;

namespace {

// The project's web address, named in the comment line of every exported file.
const QString ProductAddress = QStringLiteral("https://vornix.invalid");

const QString NothingInLog = QStringLiteral("No QSOs exported, logbook is empty");
const QString NothingExported = QStringLiteral("No QSOs exported");

// "yyyymmdd" as a date; null for a text that is none.
QDate ExportDate(const QString& text)
{
    if (text.isEmpty())
        return vx::Clock::nowUtc().toLocalTime().date();
    const QDate d(text.mid(0, 4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt());
    return d.isValid() ? d : QDate();
}

int FindLine(const QStringList& lines, QStringView text)
{
    const auto it = std::lower_bound(lines.cbegin(), lines.cend(), text,
                                     [](const QString& a, QStringView b) { return CompareLines(a, b) < 0; });
    return (it != lines.cend() && LinesEqual(*it, text)) ? int(it - lines.cbegin()) : -1;
}

QString ImportText(const TImportResult& r)
{
    QString text = (r.Inserted > 0 || r.Updated > 0)
                       ? QStringLiteral("%1 QSOs inserted, %2 QSOs updated").arg(r.Inserted).arg(r.Updated)
                       : QStringLiteral("No QSOs imported or updated");
    if (r.WithoutBandOrMode > 0)
        text += QStringLiteral(", %1 QSOs without band or mode").arg(r.WithoutBandOrMode);
    if (r.Skipped > 0)
        text += QStringLiteral(", %1 records skipped").arg(r.Skipped);
    return text;
}

// An export file: the three framing lines, then one record per line.
bool WriteExportFile(const QString& path, const QStringList& records, QString& error)
{
    QStringList lines;
    lines.reserve(records.size() + 3);
    lines << QStringLiteral("ADIF Export from Vornix (%1)").arg(ProductAddress) << QStringLiteral("<PROGRAMID:6>Vornix")
          << QStringLiteral("<EOH>");
    lines << records;
    return WriteTextFile(path, lines, error);
}

} // namespace

// ---- Exports -------------------------------------------------------------------------------

bool TLogInterface::ADIFExport(const QString& ADIFFilename, bool LoTW, const QString& DateFrom)
{
    if (FLogBook.Count() == 0) {
        FLogEvent = NothingInLog;
        FLoTWInterface->SetExportFinished(true);
        Fire(OnLoTWExport, FLogEvent);
        Fire(OnLogEvent, FLogEvent);
        return false;
    }
    QStringList records;
    QList<int32_t> handles;
    QString latest;
    TLogRecord& r = FParseRecord;
    std::array<QStringView, 36> fields;
    const auto [first, last] = OwnRange();
    for (int i = first; i < last; ++i) {
        const QString& line = FLogBook.At(i);
        if (!IsOwnLine(line))
            continue;
        // Only what decides is read here; the record reads the lines that are exported.
        SplitFields(line, fields, LogField::QSLLoTWSent + 1);
        const QString date = vx::logtext::DateToText(
            vx::logtext::ParseDateText(TrimField(fields[LogField::QSODate]).toString()).value_or(QDate()));
        if (date < DateFrom)
            continue;
        QString record;
        if (!LoTW) {
            record = r.GetADIFRecord(line);
        } else {
            // Queued for LoTW ("Q") is as good as not sent; "R", "I" and "Y" are not uploaded.
            // As the record reads it: the first letter when it is a flag, else "N".
            const QStringView text = TrimField(fields[LogField::QSLLoTWSent]);
            const QChar sent = !text.isEmpty() && QStringView(u"YNRQI").contains(text[0]) ? text[0] : QChar(u'N');
            if (sent != u'N' && sent != u'Q')
                continue;
            record = r.GetLoTWRecord(line);
            if (!record.isEmpty())
                handles << FLogBook.HandleAt(i);
        }
        if (record.isEmpty())
            continue;
        records << record;
        latest = std::max(latest, date);
    }

    bool written = false;
    if (records.isEmpty()) {
        FLoTWInterface->SetExportFinished(true);
        Fire(OnLoTWExport, NothingExported);
        FLogEvent = NothingExported;
    } else if (QString error; !WriteExportFile(ADIFFilename, records, error)) {
        // Nothing is marked: the QSOs stay to be exported.
        FLogEvent = QStringLiteral("Exporting to %1 failed: %2").arg(ADIFFilename, error);
        FLoTWInterface->SetExportFinished(true);
        Fire(OnLoTWExport, FLogEvent);
    } else {
        Fire(OnLoTWExport, QStringLiteral("%1 QSOs exported to: %2").arg(records.size()).arg(ADIFFilename));
        FLogEvent = QStringLiteral("%1 QSOs exported").arg(records.size());
        if (LoTW) {
            FLastLoTWExport = latest;
            FLastLoTWExportFolder = FolderOf(ADIFFilename);
            FLoTWUploadHandles = handles;
            FLoTWInterface->Start();
        } else {
            FLastADIFExport = latest;
            FLastExportFolder = FolderOf(ADIFFilename);
        }
        written = true;
    }
    Fire(OnLogEvent, FLogEvent);
    FilterQSOs();
    return written;
}

void TLogInterface::DoLoTWUploadFinished(bool success)
{
    const QList<int32_t> handles = std::exchange(FLoTWUploadHandles, {});
    if (!success || handles.isEmpty())
        return;
    const QString refusal = WriteRefusal();
    if (!refusal.isEmpty()) {
        ReportEvent(refusal);
        return;
    }
    bool changed = false;
    for (int32_t handle : handles) {
        const QString line = FLogBook.LineOfHandle(handle);
        const int pos = line.isEmpty() ? -1 : FLogBook.Find(line);
        if (pos < 0)
            continue;
        TLogRecord& r = FParseRecord;
        r.ExplodeQSOLine(line);
        if (r.QSLLoTWSent() != QLatin1String("N") && r.QSLLoTWSent() != QLatin1String("Q"))
            continue;
        const TLogRecord before = r;
        r.SetQSLLoTWSent(QStringLiteral("Y"));
        ReplaceLineAt(pos, MergeFields(line, before, r));
        changed = true;
    }
    if (changed) {
        QueueRewrite({});
        FilterQSOs();
    }
}

int32_t TLogInterface::eQSLExportPrepare(const QString& ADIFFilename)
{
    if (FLogBook.Count() == 0) {
        FLogEvent = NothingInLog;
        Fire(OnLogEvent, FLogEvent);
        return 0;
    }
    QStringList records;
    TLogRecord& r = FParseRecord;
    const auto [first, last] = OwnRange();
    for (int i = first; i < last; ++i) {
        const QString& line = FLogBook.At(i);
        if (!IsOwnLine(line))
            continue;
        r.ExplodeQSOLine(line);
        if (r.QSLeQSLSent() != QLatin1String("Q"))
            continue;
        const QString record = r.GeteQSLRecord(line);
        if (!record.isEmpty())
            records << record;
    }
    int32_t count = 0;
    if (records.isEmpty()) {
        FLogEvent = QStringLiteral("No QSOs found in eQSL Sent Queue");
    } else if (QString error; !WriteExportFile(ADIFFilename, records, error)) {
        FLogEvent = QStringLiteral("Exporting to %1 failed: %2").arg(ADIFFilename, error);
    } else {
        count = int32_t(records.size());
        FLogEvent = QStringLiteral("%1 QSOs exported").arg(count);
    }
    Fire(OnLogEvent, FLogEvent);
    FilterQSOs();
    return count;
}

QDate TLogInterface::LastADIFExportDate() const
{
    return ExportDate(FLastADIFExport);
}

void TLogInterface::SetLastADIFExportDate(const QDate& v)
{
    FLastADIFExport = vx::logtext::DateToText(v);
}

QDate TLogInterface::LastLoTWExportDate() const
{
    return ExportDate(FLastLoTWExport);
}

void TLogInterface::SetLastLoTWExportDate(const QDate& v)
{
    FLastLoTWExport = vx::logtext::DateToText(v);
}

// ---- Imports -------------------------------------------------------------------------------

void TLogInterface::ADIFImport(const QString& ADIFFilename)
{
    const QString logFile = FullLogFileName();
    if (FImportRunning) {
        RefuseImport(logFile, QStringLiteral("An ADIF import is still running"));
        return;
    }
    FLogfiles = {logFile};
    FImportADIFFile = ADIFFilename;
    StartImport(logFile, ADIFFilename);
}

void TLogInterface::ADIFImportLoTW(const QString& ADIFFilename, const QStringList& Logs)
{
    Q_UNUSED(ADIFFilename)
    if (FImportRunning) {
        for (const QString& log : Logs)
            RefuseImport(log, QStringLiteral("An ADIF import is still running"));
        return;
    }
    FLogfiles = Logs;
    FImportADIFFile = FLoTWInterface->LoTWReportPath() + QStringLiteral("/lotwreport.adi");
    if (!FLogfiles.isEmpty())
        StartImport(FLogfiles.first(), FImportADIFFile);
}

void TLogInterface::RefuseImport(const QString& logFile, const QString& reason)
{
    TImportResult r;
    r.LogFilename = logFile;
    r.Error = reason;
    // Never synchronously: the caller may still be setting up for the result.
    FGuard->Post([this, r] {
        ReportEvent(r.Error);
        FLastImportError = r.Error;
        Fire(OnLogImport, r.LogFilename, false, 0, 0, 0, 0);
    });
}

void TLogInterface::StartImport(const QString& logFile, const QString& adifFile)
{
    FImportRunning = true;
    FImportStart = vx::Clock::monotonicMs();
    QString error;
    QFile adif(adifFile);
    if (FLogFolder.isEmpty() || FLogFileName.isEmpty() || logFile.isEmpty()) {
        error = QStringLiteral("No open Logbook");
    } else if (!QFileInfo(logFile).isFile()) {
        error = QStringLiteral("Cannot open log book %1").arg(FileNameOf(logFile));
    } else if (!adif.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Importing %1 failed: %2").arg(FileNameOf(adifFile), adif.errorString());
    }
    if (!error.isEmpty()) {
        TImportResult r;
        r.LogFilename = logFile;
        r.Error = error;
        FGuard->Post([this, r] { DoImportFinished(r); });
        return;
    }
    adif.close();
    FImportJournal = {logFile, {}};
    ReportEvent(QStringLiteral("Importing ") + FileNameOf(adifFile));
    FADIFUtils->ADIFImport(this, logFile, adifFile, FMyCall);
}

void TLogInterface::Journal(bool added, const QString& line)
{
    if (!FImportJournal.Path.isEmpty() && FImportJournal.Path == FullLogFileName())
        FImportJournal.Entries.emplace_back(added, line);
}

void TLogInterface::CommitImport(const QString& path, TImportOutcome outcome,
                                 std::function<void(const TImportResult&)> done)
{
    const auto journal = std::exchange(FImportJournal, {}).Entries;
    TImportResult r;
    r.LogFilename = path;
    r.Inserted = outcome.Inserted;
    r.Updated = outcome.Updated;
    r.Rejected = outcome.Rejected;
    r.Skipped = outcome.Skipped;
    r.WithoutBandOrMode = outcome.WithoutBandOrMode;
    if (!outcome.Error.isEmpty()) {
        r.Error = outcome.Error;
        r.Inserted = r.Updated = r.Rejected = r.WithoutBandOrMode = 0;
        r.ElapsedTime = int32_t(vx::Clock::monotonicMs() - FImportStart);
        done(r);
        return;
    }

    // The lines the operator added, changed or deleted while the merge ran: they were written
    // to the file after the import read it, and the operator's version of a QSO wins.
    QStringList lines = std::move(outcome.Lines);
    for (const auto& [added, line] : journal) {
        if (added) {
            const auto it = std::lower_bound(lines.begin(), lines.end(), line,
                                             [](const QString& a, const QString& b) { return CompareLines(a, b) < 0; });
            if (it == lines.end() || !LinesEqual(*it, line))
                lines.insert(it, line);
            continue;
        }
        int pos = FindLine(lines, line);
        if (pos < 0) {
            const int source = FindLine(outcome.Source, line);
            const auto it = std::lower_bound(outcome.Replaced.cbegin(), outcome.Replaced.cend(), source,
                                             [](const std::pair<int, QString>& e, int i) { return e.first < i; });
            if (source >= 0 && it != outcome.Replaced.cend() && it->first == source)
                pos = FindLine(lines, it->second);
        }
        if (pos >= 0)
            lines.removeAt(pos);
    }
    r.QSOs = int32_t(lines.size());
    r.Success = r.Inserted > 0 || r.Updated > 0;
    if (!outcome.Changed()) {
        // The file already holds everything: nothing to write, nothing to reload.
        r.ElapsedTime = int32_t(vx::Clock::monotonicMs() - FImportStart);
        done(r);
        return;
    }

    // The open log is reloaded from what is written.  It counts as loading from now on, so
    // no edit rewrites the file from the old lines meanwhile and QSOs logged meanwhile are
    // kept aside for the new lines.
    const bool reload = path == FullLogFileName() && !FMyCall.isEmpty();
    const uint64_t generation = reload ? BeginLoad() : 0;
    auto guard = FGuard;
    FWriter->Rewrite(path, lines, [this, guard, r, done, reload, generation, lines](const TLogFileWriter::TResult& w) {
        guard->Post([this, r, done, reload, generation, lines, ok = w.Ok, error = w.Error]() mutable {
            if (!ok) {
                r.Error = QStringLiteral("Saving %1 failed: %2").arg(FileNameOf(r.LogFilename), error);
                r.Success = false;
                r.Inserted = r.Updated = r.Rejected = r.WithoutBandOrMode = 0;
            }
            r.ElapsedTime = int32_t(vx::Clock::monotonicMs() - FImportStart);
            done(r);
            // After a failed write the file is read back: memory shows what it holds.
            if (reload)
                StartLoad(generation, ok ? std::optional<QStringList>(std::move(lines)) : std::nullopt);
        });
    });
    if (!reload && path == FullLogFileName()) {
        // Without an own call the log cannot be loaded: no edit may write the old lines.
        FLoadedPath.clear();
        FWritable = false;
    }
}

void TLogInterface::DoImportFinished(const TImportResult& result)
{
    FImportRunning = false;
    FImportJournal = {};
    const QString logName = FLogfiles.isEmpty() ? result.LogFilename : FLogfiles.first();
    if (!result.Error.isEmpty() || logName == FullLogFileName()) {
        // Shown once; after a reload of the log, in place of the load's own text.
        const QString text = result.Error.isEmpty() ? ImportText(result) : result.Error;
        if (FLogIsLoading && logName == FullLogFileName())
            FLogEventImport = text;
        else
            ReportEvent(text);
    }
    FLastImportError = result.Error;
    Fire(OnLogImport, logName, result.Success, result.QSOs, result.Inserted, result.Updated, result.ElapsedTime);
    if (!FLogfiles.isEmpty())
        FLogfiles.removeFirst();
    if (!FLogfiles.isEmpty() && !FImportRunning)
        StartImport(FLogfiles.first(), FImportADIFFile);
}

void TLogInterface::LoTWDownloadADIFReport(const QString& DownloadSince)
{
    // A since-date that is no date would ask for the wrong confirmations.
    if (!FLoTWInterface->SetLoTWLastQSLAsString(DownloadSince)) {
        FGuard->Post([this] { Fire(OnLoTWDownload, false, 0); });
        return;
    }
    FLoTWInterface->DownloadADIFReport();
}

void TLogInterface::WriteLoTWLog(const QString& AADIFFilename)
{
    FADIFUtils->WriteLoTWLog(AADIFFilename);
}

void TLogInterface::SetLoTWInterface(std::unique_ptr<TLoTWInterface> v)
{
    FLoTWInterface = std::move(v);
    FLoTWInterface->SetMyCall(FMyCall);
    FLoTWInterface->OnLoTWExport = [this](const QString& text) { Fire(OnLoTWExport, text); };
    FLoTWInterface->OnLoTWDownload = [this](bool success, int32_t qsos) { Fire(OnLoTWDownload, success, qsos); };
    FLoTWInterface->OnUploadFinished = [this](bool success) { DoLoTWUploadFinished(success); };
}

// ---- Cabrillo ------------------------------------------------------------------------------

bool TLogInterface::CabrilloExport()
{
    if (FLogBook.Count() == 0) {
        ReportEvent(NothingInLog);
        return false;
    }
    if (!FDialogs)
        return false;
    TFileDialogOptions options;
    if (FCabrilloFilename.isEmpty()) {
        if (FCabrilloHeader.Callsign().isEmpty())
            FCabrilloHeader.SetCallsign(FMyCall);
        options.FileName = CabrilloFileName(FCabrilloHeader.Callsign());
    }
    options.Folder = FCabrilloHeader.Filepath();
    options.Filter = QStringLiteral("Cabrillo Log Files (*.LOG)");
    options.DefaultSuffix = QStringLiteral("LOG");
    options.OverwritePrompt = true;
    const std::optional<QString> chosen = FDialogs->SaveFileName(options);
    if (!chosen) {
        FCabrilloFilename.clear();
        return false;
    }
    const QFileInfo fi(*chosen);
    FCabrilloFilename = fi.path() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral(".LOG");
    if (const std::optional<QString> result = FDialogs->CabrilloExport(*this, FCabrilloFilename)) {
        FCabrilloHeader.SetFilepath(QFileInfo(FCabrilloFilename).absolutePath() + QLatin1Char('/'));
        ReportEvent(*result);
    }
    return false;
}
