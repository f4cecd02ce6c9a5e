#include "log/LogInterface.h"

#include "core/DataFiles.h"
#include "log/JobThread.h"
#include "log/LoTWInterface.h"
#include "log/LogADIFUtils.h"
#include "log/LogFileWriter.h"
#include "log/LogLineFilter.h"
#include "log/LogText.h"
#include "log/ResultPost.h"
#include "platform/Clock.h"
#include "platform/SaveFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <algorithm>
#include <deque>
#include <mutex>
#include <optional>

using namespace vx::loglines;
using vx::logtext::UpperAscii;

namespace {

const QString QSOGoneText = QStringLiteral("The QSO is no longer in the log");

uint32_t ElapsedSince(qint64 start)
{
    return uint32_t(std::max<qint64>(0, vx::Clock::monotonicMs() - start));
}

} // namespace

void TLogInterface::DeliverResults()
{
    FGuard->Deliver();
}

struct TLogInterface::TLoadResult {
    QString Path;
    QString MyCall;
    TLogFileWriter::TLoadRead Read;
    TLogLineList List;
    TWorkedIndex Index;
    TCallIndex Calls;
    int QSOs = 0;
};

namespace {

// The part of a load that needs no file: sort, drop duplicates and the header line, count
// and index the own QSOs.  Runs on the sorting thread with data of its own.
template <typename Result>
void BuildLoadResult(Result& r)
{
    if (!r.Read.ReadOk)
        return;
    QStringList lines = QSOLinesOf(std::move(r.Read.Lines), r.Read.Sorted, r.Read.Header);
    r.Read.Lines.clear();
    const QString myCall = r.MyCall;
    r.List.SetTagFunction([myCall](const QString& line) { return CallTag(line, myCall); });
    r.List.Assign(std::move(lines));
    if (r.MyCall.isEmpty())
        return;
    // The previous-QSO lookup also reads a log it may not write.
    const bool valid = r.Read.Header != THeaderCheck::Invalid;
    const QString prefix = r.MyCall + QLatin1Char(';');
    const auto [first, last] = r.List.PrefixRange(prefix);
    for (int i = first; i < last; ++i) {
        const QString& line = r.List.At(i);
        if (line.startsWith(prefix)) {
            if (valid) {
                ++r.QSOs;
                r.Index.AddLine(line);
            }
            r.Calls.Add(r.List.HandleAt(i), line, r.MyCall);
        }
    }
    r.Calls.Sort();
}

} // namespace

TLogInterface::TLogInterface(QObject* parent)
    : QObject(parent)
    , FContest(this)
    , FGuard(std::make_shared<TResultPost>(this))
    , FLoadThread(std::make_unique<TJobThread>())
    , FWriter(std::make_unique<TLogFileWriter>())
{
    UpdateCallTags();
    FLogDataList.reserve(3000);
    FDXCCEntityList.reserve(410);
    FADIFUtils = std::make_unique<TLogADIFUtils>();
    FADIFUtils->OnImport = [this](const QString&, bool, int32_t, int32_t, int32_t, int32_t) {
        DoImportFinished(FADIFUtils->LastImport());
    };
    FADIFUtils->OnLoTWLog = [this](bool success, int32_t qsos) { Fire(OnLoTWLog, success, qsos); };
    SetLoTWInterface(std::make_unique<TLoTWInterface>());
}

TLogInterface::~TLogInterface()
{
    FGuard->Detach();
    // The writer may still hand a load to the sorting thread or the import worker: it goes first.
    FWriter.reset();
    FLoadThread.reset();
    FADIFUtils.reset();
}

// ---- Log file ------------------------------------------------------------------------------

QString TLogInterface::FullLogFileName() const
{
    return FLogFolder + QLatin1Char('/') + FLogFileName;
}

void TLogInterface::ReportEvent(const QString& text)
{
    FLogEvent = text;
    Fire(OnLogEvent, text);
}

bool TLogInterface::Open()
{
    FLogEvent.clear();
    bool started = false;
    if (FMyCall.isEmpty()) {
        FLogEvent = QStringLiteral("You must set your callsign in the Settings");
    } else if (FLogFolder.isEmpty() || FLogFileName.isEmpty()) {
        FLogEvent = QStringLiteral("No open Logbook");
    } else if (!QFileInfo::exists(FullLogFileName())) {
        FLogEvent = QStringLiteral("Cannot open log book ") + FLogFileName;
    } else {
        StartLoad(BeginLoad(), std::nullopt);
        started = true;
    }
    if (!started) {
        FTickTimeStart = vx::Clock::monotonicMs();
        LoadDXCCEntities();
        Fire(OnLogEvent, FLogEvent);
        FLogDataList.clear();
        Fire(OnLogData);
    }
    Fire(OnLogOpen);
    return started;
}

uint64_t TLogInterface::BeginLoad()
{
    FTickTimeStart = vx::Clock::monotonicMs();
    LoadDXCCEntities();
    FLogIsLoading = true;
    FLogEvent = QStringLiteral("Opening ") + FLogFileName;
    const uint64_t generation = ++FLoadGeneration;
    FPendingLines.clear();
    ++FLoadsInFlight;
    Fire(OnLogEvent, FLogEvent);
    FLogDataList.clear();
    Fire(OnLogData);
    return generation;
}

void TLogInterface::StartLoad(uint64_t generation, std::optional<QStringList> written)
{
    auto result = std::make_shared<TLoadResult>();
    result->Path = FullLogFileName();
    result->MyCall = FMyCall;
    auto guard = FGuard;
    TJobThread* sorter = FLoadThread.get();
    // Sorting and indexing leave the writer free for appends meanwhile.
    const auto build = [this, guard, generation, result] {
        BuildLoadResult(*result);
        guard->Post([this, generation, result] { DoLogLoaded(generation, result); });
    };
    if (written) {
        // What was just written to the file needs no reading back.
        result->Read.ReadOk = true;
        result->Read.Header = THeaderCheck::Current;
        result->Read.Lines = std::move(*written);
        result->Read.Sorted = true;
        result->Read.Writable = true;
        sorter->Post(build);
        return;
    }
    FWriter->Load(result->Path, [result, sorter, build](TLogFileWriter::TLoadRead read) {
        // On the writer's thread, where no save of the file can be under way: the temporary
        // files of saves that a crash interrupted are of no use to anyone.
        vx::RemoveSaveLeftovers(result->Path);
        result->Read = std::move(read);
        sorter->Post(build);
    });
}

void TLogInterface::DoLogLoaded(uint64_t generation, std::shared_ptr<TLoadResult> result)
{
    --FLoadsInFlight;
    if (generation != FLoadGeneration)
        return; // a newer load replaces this one
    Fire(OnTickCount, ElapsedSince(FTickTimeStart));
    FLogIsLoading = false;
    const QString fileName = QFileInfo(result->Path).fileName();
    const TLogFileWriter::TLoadRead& read = result->Read;
    if (!read.ReadOk) {
        FLogEvent = QStringLiteral("Cannot open log book ") + fileName;
    } else {
        FLogBook = std::move(result->List);
        FCallbook = std::move(result->Index);
        FCallIndex = std::move(result->Calls);
        FLoadedPath = result->Path;
        FWritable = read.Writable;
        int qsos = result->QSOs;
        if (result->MyCall != FMyCall) {
            UpdateCallTags();
            RebuildCallbook();
            const auto [first, last] = OwnRange();
            qsos = 0;
            for (int i = first; i < last; ++i)
                qsos += IsOwnLine(FLogBook.At(i)) ? 1 : 0;
        }
        // Lines appended while the file was read may be missing from what was read.
        for (const QString& line : std::as_const(FPendingLines)) {
            const int32_t handle = FLogBook.Insert(line);
            if (handle >= 0 && IsOwnLine(line)) {
                FCallbook.AddLine(line);
                FCallIndex.Add(handle, line, FMyCall);
                ++qsos;
            }
        }
        if (read.Header == THeaderCheck::Invalid) {
            FNotWritable = QStringLiteral("%1 is no valid log book").arg(fileName);
            FLogEvent = FNotWritable;
        } else if (!read.Writable) {
            FNotWritable = QStringLiteral("Saving %1 failed: %2").arg(fileName, read.Error);
            FLogEvent = FNotWritable;
        } else {
            FNotWritable.clear();
            FLogEvent = QStringLiteral("%1 open -- %2 QSO(s) for %3").arg(fileName, QString::number(qsos), FMyCall);
        }
    }
    FPendingLines.clear();
    if (!FLogEventImport.isEmpty()) {
        ReportEvent(FLogEventImport);
        FLogEventImport.clear();
    } else {
        ReportEvent(FLogEvent);
    }
    Fire(OnLogLoaded);
    FilterQSOs();
    if (FSaveAfterLoad) {
        FSaveAfterLoad = false;
        if (WriteRefusal().isEmpty())
            SaveLog();
    }
}

bool TLogInterface::NewLogFile()
{
    if (FLogFolder.isEmpty() || FLogFileName.isEmpty())
        return false;
    return FWriter->NewFile(FullLogFileName()).Ok;
}

QString TLogInterface::WriteRefusal() const
{
    if (FLogIsLoading)
        return QStringLiteral("%1 is still loading").arg(FLogFileName);
    if (FLoadedPath.isEmpty() || FLoadedPath != FullLogFileName())
        return QStringLiteral("No open Logbook");
    return FWritable ? QString() : FNotWritable;
}

void TLogInterface::SaveLog()
{
    if (FLogIsLoading) {
        // The list is about to be replaced: save what the load brings.
        FSaveAfterLoad = true;
        return;
    }
    const QString refusal = WriteRefusal();
    if (!refusal.isEmpty()) {
        ReportEvent(refusal);
        return;
    }
    QueueRewrite({});
}

void TLogInterface::QueueRewrite(const QStringList& successTexts)
{
    ++FRewritesInFlight;
    const QString fileName = FLogFileName;
    auto guard = FGuard;
    FWriter->Rewrite(FLoadedPath, FLogBook.Lines(),
                     [this, guard, successTexts, fileName](const TLogFileWriter::TResult& r) {
                         const QString error = r.Ok ? QString() : QStringLiteral("Saving %1 failed: %2").arg(fileName, r.Error);
                         guard->Post([this, ok = r.Ok, error, successTexts] {
                             RewriteDone(ok, error, successTexts);
                         });
                     });
}

void TLogInterface::RewriteDone(bool ok, const QString& error, const QStringList& successTexts)
{
    --FRewritesInFlight;
    if (!ok) {
        ReportEvent(error);
        return;
    }
    for (const QString& text : successTexts)
        ReportEvent(text);
}

void TLogInterface::WaitForWriter()
{
    FWriter->Flush();
    while (FRewritesInFlight > 0 || FLoadsInFlight > 0 || FAppendsInFlight > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TLogInterface::LoadDXCCEntities()
{
    if (FDXCCEntityList.size() > 1)
        return;
    const QString path = GetCommonDataFileName(QStringLiteral("dxccentity.dat"));
    if (!QFileInfo::exists(path))
        return;
    FDXCCEntityList.clear();
    FDXCCList.clear();
    FDXCCList.append(QString());
    if (const auto bytes = ReadTextFileAsUtf8(path)) {
        const QStringList lines = SplitTextLines(QString::fromUtf8(*bytes));
        for (const QString& line : lines) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            TDXCCEntity e;
            e.Prefix = eq < 0 ? QString() : line.left(eq);
            const QString rest = line.mid(eq + 1);
            const qsizetype semicolon = rest.indexOf(QLatin1Char(';'));
            e.Name = semicolon < 0 ? rest : rest.left(semicolon);
            bool ok = false;
            const int code = semicolon < 0 ? 0 : rest.mid(semicolon + 1).trimmed().toInt(&ok);
            e.ADIFCode = ok ? code : 0;
            e.Deleted = e.Prefix.startsWith(QLatin1Char('['));
            FDXCCList.append(QStringLiteral("%1 %2 (%3)").arg(e.Prefix, e.Name, QString::number(e.ADIFCode)));
            FDXCCEntityList.append(e);
        }
        std::stable_sort(FDXCCEntityList.begin(), FDXCCEntityList.end(),
                         [](const TDXCCEntity& a, const TDXCCEntity& b) { return a.ADIFCode < b.ADIFCode; });
    }
    Fire(OnDXCCListLoadeded);
}

// ---- Lines and the index -------------------------------------------------------------------

bool TLogInterface::IsOwnLine(const QString& line) const
{
    // Runs for every line of a walk: a plain comparison of the code units.
    const qsizetype n = FMyCall.size();
    return n > 0 && line.size() > n && line[n] == QLatin1Char(';') &&
           std::equal(FMyCall.utf16(), FMyCall.utf16() + n, line.utf16());
}

std::pair<int, int> TLogInterface::OwnRange() const
{
    if (FMyCall.isEmpty())
        return {0, 0};
    return FLogBook.PrefixRange(QString(FMyCall + QLatin1Char(';')));
}

int TLogInterface::InsertLine(const QString& line)
{
    const int32_t handle = FLogBook.Insert(line);
    if (handle >= 0 && IsOwnLine(line)) {
        FCallbook.AddLine(line);
        FCallIndex.Add(handle, line, FMyCall);
    }
    if (handle >= 0)
        Journal(true, line);
    return handle;
}

void TLogInterface::RemoveLineAt(int pos)
{
    if (IsOwnLine(FLogBook.At(pos))) {
        FCallbook.RemoveLine(FLogBook.At(pos));
        FCallIndex.Remove(FLogBook.HandleAt(pos), FLogBook.At(pos), FMyCall);
    }
    Journal(false, FLogBook.At(pos));
    FLogBook.RemoveAt(pos);
}

int TLogInterface::ReplaceLineAt(int pos, const QString& line)
{
    const int32_t handle = FLogBook.HandleAt(pos);
    if (IsOwnLine(FLogBook.At(pos))) {
        FCallbook.RemoveLine(FLogBook.At(pos));
        FCallIndex.Remove(handle, FLogBook.At(pos), FMyCall);
    }
    Journal(false, FLogBook.At(pos));
    Journal(true, line);
    const int to = FLogBook.ReplaceAt(pos, line);
    // After a merge into an equal line, that line's key is already counted.
    if (to >= 0 && IsOwnLine(line)) {
        FCallbook.AddLine(line);
        FCallIndex.Add(handle, line, FMyCall);
    }
    return to;
}

bool TLogInterface::ReplaceLine(const QString& oldLine, const QString& newLine)
{
    const int pos = FLogBook.Find(oldLine);
    if (pos < 0)
        return false;
    ReplaceLineAt(pos, newLine);
    return true;
}

void TLogInterface::UpdateCallTags()
{
    const QString myCall = FMyCall;
    FLogBook.SetTagFunction([myCall](const QString& line) { return CallTag(line, myCall); });
}

void TLogInterface::RebuildCallbook()
{
    if (FLogIsLoading)
        return;
    FCallbook.Clear();
    FCallIndex.Clear();
    const auto [first, last] = OwnRange();
    for (int i = first; i < last; ++i) {
        if (IsOwnLine(FLogBook.At(i))) {
            FCallbook.AddLine(FLogBook.At(i));
            FCallIndex.Add(FLogBook.HandleAt(i), FLogBook.At(i), FMyCall);
        }
    }
    FCallIndex.Sort();
}

void TLogInterface::SetMyCall(const QString& v)
{
    if (v != FMyCall) {
        QString call;
        for (QChar c : UpperAscii(v)) {
            if (c == QLatin1Char('/') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
                call += c;
        }
        FMyCall = call;
        UpdateCallTags();
        RebuildCallbook();
        FilterQSOs();
    }
    FLogRecord.SetMyCall(FMyCall);
    FEditRecord.SetMyCall(FMyCall);
    FLoTWInterface->SetMyCall(FMyCall);
}

// ---- QSOs ----------------------------------------------------------------------------------

bool TLogInterface::AddQSO()
{
    FLogRecord.SetStationCallsign(FMyCall);
    return AddQSO(FLogRecord);
}

bool TLogInterface::AddQSO(const TLogRecord& record)
{
    TLogRecord qso = record;
    qso.SetStationCallsign(FMyCall);
    const QString line = qso.QSOLine();
    const QString call = qso.Call();
    bool inserted = false;
    if (FLogFolder.isEmpty() || FLogFileName.isEmpty()) {
        ReportEvent(QStringLiteral("Logging %1 failed: No open Logbook").arg(call));
        return false;
    }
    if (FWriter->Idle()) {
        const TLogFileWriter::TResult r = FWriter->Append(FullLogFileName(), line);
        if (!r.Ok) {
            ReportEvent(QStringLiteral("Logging %1 failed: %2").arg(call, r.Error));
            return false;
        }
        inserted = InsertLine(line) >= 0;
    } else {
        // The writer is busy with a whole file (a rewrite, an import's final write, a load):
        // the line is written behind it, and the operator does not wait for that.
        inserted = InsertLine(line) >= 0;
        ++FAppendsInFlight;
        auto guard = FGuard;
        FWriter->Append(FullLogFileName(), line, [this, guard, line, call, inserted](const TLogFileWriter::TResult& r) {
            guard->Post([this, line, call, inserted, ok = r.Ok, error = r.Error] {
                AppendDone(line, call, inserted, ok, error);
            });
        });
    }
    if (FLogIsLoading)
        FPendingLines.append(line);
    ReportEvent(QStringLiteral("%1 logged").arg(call));
    Fire(OnLogQSO, call, qso.Band(), qso.ModeType());
    FilterQSOs();
    return true;
}

void TLogInterface::AppendDone(const QString& line, const QString& call, bool inserted, bool ok, const QString& error)
{
    --FAppendsInFlight;
    if (ok)
        return;
    // The QSO is not in the file: it goes from memory too, so that nothing shows it as logged
    // and no later rewrite brings it into the file behind the operator's back.
    FPendingLines.removeOne(line);
    if (inserted) {
        if (const int pos = FLogBook.Find(line); pos >= 0)
            RemoveLineAt(pos);
    }
    ReportEvent(QStringLiteral("Logging %1 failed: %2").arg(call, error));
    FilterQSOs();
}

bool TLogInterface::EditQSO(int32_t index)
{
    const QString line = FLogBook.LineOfHandle(index);
    if (line.isEmpty()) {
        ReportEvent(QSOGoneText);
        return false;
    }
    FEditMode = true;
    FLogBookIndex = index;
    FEditLine = line;
    FEditRecord.ExplodeQSOLine(line);
    FEditBaseline = FEditRecord;
    Fire(OnEditMode, true);
    return true;
}

void TLogInterface::SaveQSO()
{
    if (!FEditMode)
        return;
    const QString refusal = WriteRefusal();
    if (FLogIsLoading) {
        ReportEvent(refusal); // the edit stays open: it can be saved once the load is done
        return;
    }
    const auto endEdit = [this] {
        FEditMode = false;
        Fire(OnEditMode, false);
    };
    const int pos = FLogBook.Find(FEditLine);
    if (!refusal.isEmpty() || pos < 0) {
        ReportEvent(refusal.isEmpty() ? QSOGoneText : refusal);
        endEdit();
        return;
    }
    FEditRecord.SetStationCallsign(FMyCall);
    const QString call = FEditRecord.Call();
    if (UpperAscii(FEditRecord.Comment()) == QLatin1String("DELETE")) {
        RemoveLineAt(pos);
        QueueRewrite({QStringLiteral("%1 QSO deleted").arg(call)});
    } else {
        const QString line = MergeFields(FEditLine, FEditBaseline, FEditRecord);
        const QString saved = QStringLiteral("%1 saved").arg(call);
        if (line == FEditLine) {
            ReportEvent(saved);
        } else {
            ReplaceLineAt(pos, line);
            FEditLine = line;
            QueueRewrite({saved});
        }
        Fire(OnLogQSO, call, FEditRecord.Band(), FEditRecord.ModeType());
    }
    endEdit();
}

bool TLogInterface::DeleteQSO(int32_t index)
{
    if (index < 0)
        return false;
    const QString refusal = WriteRefusal();
    if (!refusal.isEmpty()) {
        ReportEvent(refusal);
        return false;
    }
    const int pos = FLogBook.Find(FLogBook.LineOfHandle(index));
    if (pos < 0) {
        ReportEvent(QSOGoneText);
        return false;
    }
    RemoveLineAt(pos);
    QueueRewrite({QStringLiteral("QSO deleted")});
    FilterQSOs();
    return true;
}

bool TLogInterface::QSLQueue(TQSLQueue queue, int32_t index)
{
    if (FLogIsLoading) {
        ReportEvent(WriteRefusal());
        return false;
    }
    const QString line = FLogBook.LineOfHandle(index);
    const int pos = line.isEmpty() ? -1 : FLogBook.Find(line);
    if (pos < 0) {
        ReportEvent(QSOGoneText);
        return false;
    }
    TLogRecord& r = FParseRecord;
    r.ExplodeQSOLine(line);
    const TLogRecord before = r;
    const QString flag = queue == qqCard ? r.QSLSent() : queue == qqLoTW ? r.QSLLoTWSent() : r.QSLeQSLSent();
    if (flag != QLatin1String("N") && flag != QLatin1String("R"))
        return false;
    const QString queued = QStringLiteral("Q");
    switch (queue) {
    case qqCard: r.SetQSLSent(queued); break;
    case qqLoTW: r.SetQSLLoTWSent(queued); break;
    case qqeQSL: r.SetQSLeQSLSent(queued); break;
    }
    ReplaceLineAt(pos, MergeFields(line, before, r));
    return true;
}

bool TLogInterface::SearchLog(const QString& call, TBand band, TModeType modeType) const
{
    if (FSearchLogBandAndMode) {
        if (modeType == mtAll)
            return false;
        return FCallbook.ContainsWithMode(WorkedKey(call, band, modeType));
    }
    return FCallbook.ContainsWithoutMode(WorkedKey(call, band));
}

void TLogInterface::FindQSOsLogPanel(const QString& ACall, TBand ABand, TQSOMode AMode, const QString& ASubmode)
{
    Q_UNUSED(ASubmode)
    if (ACall.isEmpty()) {
        FilterQSOs();
        return;
    }
    if (ACall.size() == 1)
        return;
    FLogDataList.clear();
    FTickTimeStart = vx::Clock::monotonicMs();
    TLogInfo info;
    int count = 0;
    bool bandFlag = false;
    bool modeFlag = false;
    TLogFilter bandAndMode;
    bandAndMode.SetBand(FLogFilter.Band());
    bandAndMode.SetMode(FLogFilter.Mode());
    const bool filterBandAndMode = bandAndMode.Filtered();

    // The call field starts right after the fixed-width date and time: the first ";" + typed
    // text in the line must be the one in front of the call.  The index gives the QSOs whose
    // call begins with the text; they are walked newest first, as the log orders them.
    const QString pattern = QLatin1Char(';') + ACall;
    const qsizetype at = FMyCall.size() + 16;
    struct TFound {
        TCallIndex::TMatch Match;
        QString Line;
    };
    // Only a text beginning with a digit can also stand in the date or the time.
    const bool mayMatchEarlier = ACall[0].isDigit();
    const std::vector<TCallIndex::TMatch> matches = FCallIndex.Find(ACall);
    std::vector<TFound> found;
    found.reserve(matches.size());
    for (const TCallIndex::TMatch& m : matches) {
        QString line = FLogBook.LineOfHandle(m.Handle);
        if (line.isEmpty() ||
            (mayMatchEarlier && QStringView(line).left(at + pattern.size()).indexOf(pattern) != at))
            continue;
        found.push_back({m, std::move(line)});
    }
    std::sort(found.begin(), found.end(), [](const TFound& a, const TFound& b) {
        if (a.Match.When != b.Match.When && a.Match.When != TCallIndex::Unordered &&
            b.Match.When != TCallIndex::Unordered)
            return a.Match.When > b.Match.When;
        return CompareLines(b.Line, a.Line) < 0;
    });
    for (const TFound& f : found) {
        ++count;
        if (!bandFlag && f.Match.Band == ABand)
            bandFlag = true;
        if (filterBandAndMode) {
            FParseRecord.ExplodeQSOFields(f.Line, bandAndMode.FieldsRead());
            if (!bandAndMode.Matches(FParseRecord))
                continue;
        }
        if (bandFlag && AMode != mNone && !modeFlag && f.Match.Mode == AMode)
            modeFlag = true;
        FLogDataList.Append(f.Match.Handle, f.Line);
        if (f.Match.Whole) {
            TLogRecord& r = FParseRecord;
            r.ExplodeQSOLine(f.Line);
            if (r.Call() == ACall)
                r.CopyToLogInfo(info);
        }
    }

    if (OnLogEvent) {
        FLogEvent = QStringLiteral("%1 %2 with %3 -- %4 on %5 %6")
                        .arg(QString::number(count), count == 1 ? QStringLiteral("QSO") : QStringLiteral("QSOs"),
                             ACall, bandFlag ? QStringLiteral("worked before") : QStringLiteral("new"),
                             QLatin1String(BandNames[ABand]),
                             modeFlag ? QLatin1String(QSOModeNames[AMode]) : QLatin1String(""));
        Fire(OnLogEvent, FLogEvent);
    }
    info.SetQSOs(count);
    if (count > 0)
        Fire(OnLogInfo, info);
    Fire(OnLogData);
    Fire(OnTickCount, ElapsedSince(FTickTimeStart));
}

// ---- View rows and filter ------------------------------------------------------------------

void TLogInterface::FilterQSOs()
{
    FLogDataList.clear();
    FTickTimeStart = vx::Clock::monotonicMs();
    const bool filtered = FLogFilter.Filtered();
    std::optional<TLogLinePrefilter> prefilter;
    if (filtered)
        prefilter.emplace(FLogFilter);
    // Only the fields the filter looks at are read: a short filter over a big log reads
    // thousands of lines per key typed.
    const uint64_t fields = FLogFilter.FieldsRead();
    const auto [first, last] = OwnRange();
    for (int i = last - 1; i >= first; --i) {
        const QString& line = FLogBook.At(i);
        if (!IsOwnLine(line))
            continue;
        if (filtered) {
            if (!prefilter->MayMatch(line))
                continue;
            FParseRecord.ExplodeQSOFields(line, fields);
            if (!FLogFilter.Matches(FParseRecord))
                continue;
        }
        FLogDataList.Append(FLogBook.HandleAt(i), line);
        if (FMaxQSOs > 0 && uint32_t(FLogDataList.size()) >= FMaxQSOs)
            break;
    }
    Fire(OnLogData);
    Fire(OnTickCount, ElapsedSince(FTickTimeStart));
}

void TLogInterface::FilterQSOs(const TLogFilter& ALogFilter)
{
    FLogFilter = ALogFilter;
    FilterQSOs();
}

void TLogInterface::FilterQSOs(const TFilterData& AFilterData)
{
    FLogFilter.CopyFilterDataToLogFilter(AFilterData);
    FilterQSOs();
}

void TLogInterface::LogbookPanelClear()
{
    FLogFilter.Clear();
    Fire(OnLogbookPanelClear);
}

QStringList TLogInterface::GetSubModes(const QString& AMode)
{
    if (AMode.isEmpty())
        return {};
    for (const char* entry : ADIFSubmodes) {
        const QString e = QString::fromLatin1(entry);
        if (e.startsWith(AMode))
            return e.mid(AMode.size() + 1).split(QLatin1Char(','));
    }
    return {};
}

void TLogInterface::SetLoggingMode(TLoggingMode v)
{
    if (v == FLoggingMode)
        return;
    FLoggingMode = v;
    Fire(OnInitializeColumns);
    Fire(OnInitializeFields);
    FilterQSOs();
    Fire(OnLoggingMode, v);
}

void TLogInterface::SetLogBookColumns(TLogBookColumns v)
{
    if (v == FLogBookColumns)
        return;
    FLogBookColumns = v;
    Fire(OnInitializeColumns);
    Fire(OnInitializeFields);
}

// ---- Message macros ------------------------------------------------------------------------

QString TLogInterface::MessageParser(const QString& TextToSend) const
{
    QString s = TextToSend;
    const auto replace = [&s](const char* macro, const QString& value) {
        const QLatin1String m(macro);
        if (s.contains(m, Qt::CaseInsensitive))
            s.replace(m, value, Qt::CaseInsensitive);
    };
    replace("<MYCALL>", FMyCall);
    replace("<MYGRID>", FMyLocator);
    if (FMyLocator.size() >= 4)
        replace("<MYGRID4>", FMyLocator.left(4));
    replace("<CALL>", FLogRecord.LogWindowCall());
    replace("<NAME>", FLogRecord.LogWindowName().toUpper());
    replace("<RST>", FLogRecord.LogWindowRST());
    replace("<RSTN>", QString(FLogRecord.LogWindowRST()).replace(QLatin1Char('9'), QLatin1Char('N')));
    replace("<STX>", FLogRecord.LogWindowSTX());
    replace("<STXN>", QString(FLogRecord.LogWindowSTX())
                          .replace(QLatin1Char('0'), QLatin1Char('T'))
                          .replace(QLatin1Char('9'), QLatin1Char('N')));
    replace("<CR>", QStringLiteral("\r"));
    return s;
}
