#include "log/LogADIFUtils.h"
#include "log/LogPaths.h"

#include "log/JobThread.h"
#include "log/LogFileWriter.h"
#include "log/LogLines.h"
#include "log/LogRecord.h"
#include "log/ResultPost.h"

#include <QFileInfo>
#include <QHash>
#include <QVarLengthArray>
#include <algorithm>

using namespace vx::loglines;
using vx::adif::TADIFReader;
using vx::adif::TADIFRecord;
using vx::adif::TFileKind;

namespace {

const QString RejectedFileName = QStringLiteral("eqsl_rejected.log");

// Hands the values of one ADIF record to a cleared record.  A field is marked (Changed) only
// when its value was non-empty and the record took it, so an empty or refused value never
// overwrites a log value.  An eQSL inbox record is written from the other station's side: its
// RST_SENT is our received report and its QSL_SENT our eQSL received flag.  The QSO holds only
// what the record says: no band or mode of the entry panel's defaults; a band the log does
// not know comes from the frequency when the band plan has one for it.  False when the record
// cannot be a QSO: no call, a date or time that is none, or a length that broke the record.
bool TakeRecord(const TADIFRecord& a, TFileKind kind, TLogRecord& r)
{
    r.Clear();
    r.SetBand(bdAll);
    r.SetMode(mNone);
    if (a.Broken)
        return false;
    const bool inbox = kind == TFileKind::eQSLInbox;
    for (int k = 0; k < LogField::Count; ++k) {
        if (!a.Present[k] || a.Values[k].isEmpty())
            continue;
        int field = k;
        if (inbox) {
            switch (k) {
            case LogField::PropMode:
            case LogField::ContestID:
                continue;
            case LogField::RSTSent:
                field = LogField::RSTRcvd;
                break;
            case LogField::RSTRcvd:
                // A record carrying both reports takes neither.
                r.SetChanged(LogField::RSTRcvd, false);
                continue;
            case LogField::QSLSent:
                field = LogField::QSLeQSLRcvd;
                break;
            default:
                break;
            }
        }
        if (r.SetFieldAsString(field, a.Values[k]))
            r.SetChanged(field, true);
        else if (k == LogField::QSODate || k == LogField::TimeOn)
            return false;
    }
    if (r.Band() == bdAll && r.Freq() != 0) {
        r.SetBand(FrequencyToBand(int32_t(std::min<uint32_t>(r.Freq(), INT32_MAX))));
        r.SetChanged(LogField::Band, r.Band() != bdAll);
    }
    return r.Changed(LogField::Call) && !r.Call().isEmpty() && r.Changed(LogField::QSODate);
}

// A confirmed QSO stays confirmed: no import turns a "Y" flag into another letter.
void KeepConfirmed(TLogRecord& incoming, const TLogRecord& existing)
{
    static constexpr int Flags[] = {LogField::QSLSent,     LogField::QSLRcvd,     LogField::QSLLoTWSent,
                                    LogField::QSLLoTWRcvd, LogField::QSLeQSLSent, LogField::QSLeQSLRcvd};
    for (int k : Flags) {
        if (incoming.Changed(k) && existing.FieldAsString(k) == QLatin1String("Y") &&
            incoming.FieldAsString(k) != QLatin1String("Y"))
            incoming.SetChanged(k, false);
    }
}

// What a LoTW confirmation gives the QSO it matches; only values the report holds are taken.
void ApplyConfirmation(const TLogRecord& qsl, TLogRecord& qso)
{
    if (qsl.Changed(LogField::GridSquare))
        qso.SetGridSquare(qsl.GridSquare());
    if (qsl.Changed(LogField::DXCC))
        qso.SetDXCC(qsl.DXCC());
    if (qsl.Changed(LogField::CQZone))
        qso.SetCQZone(qsl.CQZone());
    const int32_t entity = qsl.ADIFCode();
    if ((entity == 6 || entity == 110 || entity == 291) && qsl.Changed(LogField::USState))
        qso.SetUSState(qsl.USState());
    if (qso.IOTA().isEmpty() && qsl.Changed(LogField::IOTA))
        qso.SetIOTA(qsl.IOTA());
    qso.SetQSLLoTWRcvd(QStringLiteral("Y"));
}

// QSOs by station call, call, day, band and mode, each with its start time and line.
class TMatchIndex {
public:
    void Reserve(qsizetype n) { FRuns.reserve(n); }

    // The run a record belongs to.
    static QString Key(const TLogRecord& r)
    {
        const qint64 day = r.QSODate().toJulianDay();
        QString key;
        key.reserve(r.StationCallsign().size() + r.Call().size() + 6);
        // The day, band and mode as characters of their own: no text to format.
        key += r.StationCallsign();
        key += QLatin1Char(';');
        key += r.Call();
        key += QLatin1Char(';');
        key += QChar(char16_t(day >> 16));
        key += QChar(char16_t(day & 0xFFFF));
        key += QChar(char16_t(r.Band()));
        key += QChar(char16_t(r.Mode()));
        return key;
    }

    void Add(const QString& key, const TLogRecord& r, int line) { FRuns[key].append({Time(r), line}); }

    // The line of the first QSO of the run that began less than 16 minutes from the record.
    int Match(const QString& key, const TLogRecord& r) const
    {
        const auto it = FRuns.constFind(key);
        if (it == FRuns.cend())
            return -1;
        const qint64 t = Time(r);
        for (const TEntry& e : *it) {
            if (std::abs(e.Time - t) / 60000 < 16)
                return e.Line;
        }
        return -1;
    }

private:
    struct TEntry {
        qint64 Time;
        int Line;
    };

    static qint64 Time(const TLogRecord& r) { return r.QSODateTime().toMSecsSinceEpoch(); }

    QHash<QString, QVarLengthArray<TEntry, 1>> FRuns;
};

// The key fields of a log line (the first six) into the record; false without a date.
bool ReadKey(const QString& line, TLogRecord& r)
{
    std::array<QStringView, 36> f;
    SplitFields(line, f, LogField::Mode + 1);
    r.Clear();
    for (int k = LogField::StationCallsign; k <= LogField::Mode; ++k)
        r.SetFieldAsString(k, TrimField(f[k]).toString());
    return r.QSODateTime().isValid();
}

// The lines after a merge, sorted and without repeats (the first stays): the log's part is
// sorted already unless a changed line moved, so only the inserted lines are sorted and then
// merged in.
QStringList SortMerged(QStringList lines, int sourceCount)
{
    const auto less = [](const QString& a, const QString& b) { return CompareLines(a, b) < 0; };
    const auto middle = lines.begin() + sourceCount;
    if (!std::is_sorted(lines.begin(), middle, less))
        return SortUnique(lines);
    // Files written in time order come sorted already.
    if (!std::is_sorted(middle, lines.end(), less))
        std::stable_sort(middle, lines.end(), less);
    std::inplace_merge(lines.begin(), lines.begin() + sourceCount, lines.end(), less);
    const auto end = std::unique(lines.begin(), lines.end(),
                                 [](const QString& a, const QString& b) { return LinesEqual(a, b); });
    lines.erase(end, lines.end());
    return lines;
}

} // namespace

TLogADIFUtils::TLogADIFUtils(QObject* parent)
    : QObject(parent)
    , FPost(std::make_shared<TResultPost>(this))
    , FThread(std::make_unique<TJobThread>())
{
}

TLogADIFUtils::~TLogADIFUtils()
{
    FPost->Detach();
    FThread.reset();
}

void TLogADIFUtils::DeliverResults()
{
    FPost->Deliver();
}

TImportOutcome TLogADIFUtils::Merge(QStringList sortedLines, const QString& adifFilename, const QString& myCall)
{
    TImportOutcome out;
    TADIFReader reader;
    if (!reader.Open(adifFilename)) {
        out.Error = reader.Error();
        return out;
    }
    out.Kind = reader.Kind();
    const QString ownCall = reader.OwnCall().isEmpty() ? myCall : reader.OwnCall();
    out.Source = sortedLines;
    QStringList lines = std::move(sortedLines);
    const int sourceCount = int(lines.size());

    TMatchIndex index;
    index.Reserve(std::max(sourceCount, 10000));
    TLogRecord rec;
    for (int i = 0; i < sourceCount; ++i) {
        if (ReadKey(lines[i], rec))
            index.Add(TMatchIndex::Key(rec), rec, i);
    }

    std::vector<bool> touched(sourceCount, false);
    TADIFRecord a;
    TLogRecord existing;
    TLogRecord before;
    while (reader.Next(a)) {
        if (!TakeRecord(a, out.Kind, rec)) {
            ++out.Skipped;
            continue;
        }
        if (rec.StationCallsign().isEmpty())
            rec.SetStationCallsign(ownCall);
        const QString key = TMatchIndex::Key(rec);
        const int at = index.Match(key, rec);
        if (at < 0) {
            if (out.Kind == TFileKind::LoTWReport || a.ListenerReport)
                continue;
            if (out.Kind == TFileKind::eQSLInbox) {
                rec.SetComment(QStringLiteral("eQSL"));
                out.RejectedLines << rec.QSOLine();
                ++out.Rejected;
                continue;
            }
            lines.append(rec.QSOLine());
            index.Add(key, rec, int(lines.size()) - 1);
            ++out.Inserted;
            if (rec.Band() == bdAll || rec.Mode() == mNone)
                ++out.WithoutBandOrMode;
            continue;
        }
        existing.ExplodeQSOLine(lines[at]);
        before = existing;
        if (out.Kind == TFileKind::LoTWReport) {
            ApplyConfirmation(rec, existing);
        } else {
            rec.SetChanged(LogField::TimeOn, false);
            KeepConfirmed(rec, existing);
            rec.CopyLogRecord(existing);
        }
        ++out.Updated;
        if (existing.Band() == bdAll || existing.Mode() == mNone)
            ++out.WithoutBandOrMode;
        const QString merged = MergeFields(lines[at], before, existing);
        if (merged != lines[at]) {
            lines[at] = merged;
            if (at < sourceCount)
                touched[at] = true;
        }
    }
    if (!reader.Error().isEmpty()) {
        out.Error = reader.Error();
        return out;
    }
    if (reader.TrailingData())
        ++out.Skipped;

    for (int i = 0; i < sourceCount; ++i) {
        if (touched[i] && lines[i] != out.Source[i])
            out.Replaced.emplace_back(i, lines[i]);
    }
    out.Lines = out.Changed() ? SortMerged(std::move(lines), sourceCount) : out.Source;
    return out;
}

TLogADIFUtils::TConversion TLogADIFUtils::Convert(const QString& adifFilename)
{
    TConversion c;
    TADIFReader reader;
    if (!reader.Open(adifFilename)) {
        c.Error = reader.Error();
        return c;
    }
    if (reader.Kind() == TFileKind::LoTWReport)
        c.Lines << TLogRecord::FileHeader();
    TADIFRecord a;
    TLogRecord r;
    while (reader.Next(a)) {
        if (!TakeRecord(a, TFileKind::Plain, r))
            continue;
        c.Lines << r.QSOLine();
        ++c.QSOs;
    }
    if (!reader.Error().isEmpty()) {
        c.Error = reader.Error();
        c.Lines.clear();
        c.QSOs = 0;
    }
    return c;
}

QString TLogADIFUtils::ConvertedName(const QString& adifFilename)
{
    const QFileInfo fi(adifFilename);
    return fi.path() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral(".log");
}

void TLogADIFUtils::ADIFImport(TLogInterface* ALogInterface, const QString& ALogBookFilename,
                               const QString& AADIFFilename, const QString& AMyCall)
{
    auto post = FPost;
    TJobThread* worker = FThread.get();
    const QString logName = FileNameOf(ALogBookFilename);
    // The writer reads the log in its order, so appends requested before are in what it reads.
    ALogInterface->FWriter->Load(ALogBookFilename, [=, this](TLogFileWriter::TLoadRead read) {
        worker->Post([=, this]() mutable {
            auto outcome = std::make_shared<TImportOutcome>();
            if (!read.ReadOk) {
                outcome->Error = QStringLiteral("Cannot open log book %1").arg(logName);
            } else if (read.Header == THeaderCheck::Invalid) {
                outcome->Error = QStringLiteral("%1 is no valid log book").arg(logName);
            } else if (!read.Writable) {
                outcome->Error = QStringLiteral("Saving %1 failed: %2").arg(logName, read.Error);
            } else {
                *outcome = Merge(QSOLinesOf(std::move(read.Lines), read.Sorted, read.Header), AADIFFilename, AMyCall);
                if (!outcome->Error.isEmpty()) {
                    outcome->Error = QStringLiteral("Importing %1 failed: %2").arg(FileNameOf(AADIFFilename), outcome->Error);
                } else if (!outcome->RejectedLines.isEmpty()) {
                    QStringList rejected = SortUnique(outcome->RejectedLines);
                    rejected.prepend(TLogRecord::FileHeader());
                    const QString path = QFileInfo(ALogBookFilename).path() + QLatin1Char('/') + RejectedFileName;
                    QString error;
                    // Rejected records that cannot be kept would be lost: then nothing is applied.
                    if (!WriteTextFile(path, rejected, error))
                        outcome->Error = QStringLiteral("Saving %1 failed: %2").arg(RejectedFileName, error);
                }
            }
            read = {};
            post->Post([=, this] {
                ALogInterface->CommitImport(ALogBookFilename, std::move(*outcome),
                                            [this](const TImportResult& r) { Finish(r); });
            });
        });
    });
}

void TLogADIFUtils::Finish(const TImportResult& result)
{
    FLastImport = result;
    Fire(OnImport, QString(), result.Success, result.QSOs, result.Inserted, result.Updated, result.ElapsedTime);
}

void TLogADIFUtils::WriteLoTWLog(const QString& AADIFFilename)
{
    auto post = FPost;
    FThread->Post([this, post, AADIFFilename] {
        TConversion c = Convert(AADIFFilename);
        bool ok = c.Error.isEmpty();
        if (ok) {
            QString error;
            ok = WriteTextFile(ConvertedName(AADIFFilename), c.Lines, error);
        }
        const bool success = ok && c.QSOs > 0;
        const int32_t qsos = ok ? c.QSOs : 0;
        post->Post([this, success, qsos] { Fire(OnLoTWLog, success, qsos); });
    });
}
