#include "log/LogFileWriter.h"
#include "log/LogPaths.h"
#include "platform/SaveFile.h"

#include "core/DataFiles.h"
#include "log/LogRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <future>
#include <optional>

using namespace vx::loglines;

struct TLogFileWriter::Job {
    enum Kind { Append, NewFile, Rewrite, Load, Barrier } kind;
    QString path;
    QString line;
    QStringList lines;
    std::vector<std::function<void(const TResult&)>> done;
    std::function<void(TLoadRead)> loadDone;
    std::promise<TResult> promise;
};

namespace {

QString NoLogBook(const QString& path)
{
    return QStringLiteral("%1 is no valid log book").arg(FileNameOf(path));
}

// The first line of the file, without byte-order mark and line end; nullopt when the file
// cannot be read or is in UTF-16 (we never append UTF-8 to it).
std::optional<QString> ReadFirstLine(QFile& f)
{
    QByteArray head;
    while (!f.atEnd() && head.size() < 65536) {
        const QByteArray chunk = f.read(4096);
        if (chunk.isEmpty())
            break;
        head += chunk;
        if (chunk.contains('\n'))
            break;
    }
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        return std::nullopt;
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    const qsizetype nl = head.indexOf('\n');
    if (nl >= 0)
        head.truncate(nl);
    if (head.endsWith('\r'))
        head.chop(1);
    return QString::fromUtf8(head);
}

QString NeedsAttention(const QString& path)
{
    return QStringLiteral("%1 needs attention: open it again before logging").arg(FileNameOf(path));
}

// A failed write whose traces could not be removed from the file.
QString NotCutBack(const QString& error, const QString& path, const QString& reason)
{
    return QStringLiteral("%1; %2 could not be cut back (%3) and needs attention: open it again before logging")
        .arg(error, FileNameOf(path), reason);
}

// Writes all bytes to an unbuffered file.  On failure, error holds the system's reason: a
// short write is followed by one more write of the rest, which then fails with it.
bool WriteAll(QFile& f, const QByteArray& bytes, QString& error)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            error = f.error() != QFileDevice::NoError ? f.errorString() : QStringLiteral("Write error");
            return false;
        }
        done += n;
    }
    return true;
}

bool IsCurrentHeader(const QString& line)
{
    return line.startsWith(QLatin1String(HeaderStart)) && line.contains(QLatin1String(CurrentHeaderMark));
}

} // namespace

TLogFileWriter::TLogFileWriter()
{
    FThread = std::thread([this] { Run(); });
}

TLogFileWriter::~TLogFileWriter()
{
    {
        std::lock_guard lock(FMutex);
        FStop = true;
    }
    FWake.notify_all();
    FThread.join();
}

void TLogFileWriter::Enqueue(std::unique_ptr<Job> job)
{
    {
        std::lock_guard lock(FMutex);
        FQueue.push_back(std::move(job));
    }
    FWake.notify_all();
}

TLogFileWriter::TResult TLogFileWriter::Append(const QString& path, const QString& line)
{
    auto job = std::make_unique<Job>();
    job->kind = Job::Append;
    job->path = path;
    job->line = line;
    auto result = job->promise.get_future();
    Enqueue(std::move(job));
    return result.get();
}

TLogFileWriter::TResult TLogFileWriter::NewFile(const QString& path)
{
    auto job = std::make_unique<Job>();
    job->kind = Job::NewFile;
    job->path = path;
    auto result = job->promise.get_future();
    Enqueue(std::move(job));
    return result.get();
}

void TLogFileWriter::Append(const QString& path, const QString& line, std::function<void(const TResult&)> done)
{
    auto job = std::make_unique<Job>();
    job->kind = Job::Append;
    job->path = path;
    job->line = line;
    if (done)
        job->done.push_back(std::move(done));
    Enqueue(std::move(job));
}

void TLogFileWriter::Rewrite(const QString& path, QStringList lines, std::function<void(const TResult&)> done)
{
    auto job = std::make_unique<Job>();
    job->kind = Job::Rewrite;
    job->path = path;
    job->lines = std::move(lines);
    if (done)
        job->done.push_back(std::move(done));
    Enqueue(std::move(job));
}

void TLogFileWriter::Load(const QString& path, std::function<void(TLoadRead)> done)
{
    auto job = std::make_unique<Job>();
    job->kind = Job::Load;
    job->path = path;
    job->loadDone = std::move(done);
    Enqueue(std::move(job));
}

void TLogFileWriter::Flush()
{
    auto job = std::make_unique<Job>();
    job->kind = Job::Barrier;
    auto result = job->promise.get_future();
    Enqueue(std::move(job));
    result.wait();
}

bool TLogFileWriter::Idle()
{
    std::lock_guard lock(FMutex);
    return FQueue.empty() && !FRunning;
}

void TLogFileWriter::SetBeforeRewrite(std::function<void()> hook)
{
    std::lock_guard lock(FMutex);
    FBeforeRewrite = std::move(hook);
}

void TLogFileWriter::Run()
{
    for (;;) {
        std::unique_ptr<Job> job;
        std::function<void()> beforeRewrite;
        {
            std::unique_lock lock(FMutex);
            FWake.wait(lock, [this] { return FStop || !FQueue.empty(); });
            if (FQueue.empty())
                return; // stopping, and everything requested has run
            job = std::move(FQueue.front());
            FQueue.pop_front();
            if (job->kind == Job::Rewrite) {
                // A newer snapshot of the same file waits behind this one: write only that.
                for (auto& later : FQueue) {
                    if (later->path != job->path)
                        continue;
                    if (later->kind == Job::Load)
                        break;
                    if (later->kind == Job::Rewrite) {
                        later->done.insert(later->done.begin(), std::make_move_iterator(job->done.begin()),
                                           std::make_move_iterator(job->done.end()));
                        job.reset();
                        break;
                    }
                }
                if (!job)
                    continue;
                beforeRewrite = FBeforeRewrite;
            }
            FRunning = true;
        }
        if (beforeRewrite)
            beforeRewrite();
        const std::function<void()> handOver = Execute(*job);
        {
            std::lock_guard lock(FMutex);
            FRunning = false;
        }
        handOver();
    }
}

std::function<void()> TLogFileWriter::Execute(Job& job)
{
    const auto result = [&job](const TResult& r) {
        return [&job, r] {
            job.promise.set_value(r);
            for (auto& done : job.done)
                done(r);
        };
    };
    switch (job.kind) {
    case Job::Append: return result(DoAppend(job.path, job.line));
    case Job::NewFile: return result(DoNewFile(job.path));
    case Job::Rewrite: {
        const TResult r = DoRewrite(job.path, job.lines);
        job.lines.clear();
        return result(r);
    }
    case Job::Load: {
        auto r = std::make_shared<TLoadRead>(DoLoad(job.path));
        return [&job, r] {
            if (job.loadDone)
                job.loadDone(std::move(*r));
        };
    }
    case Job::Barrier: return result({});
    }
    return [] {};
}

TLogFileWriter::TResult TLogFileWriter::DoAppend(const QString& path, const QString& line)
{
    if (FNeedsAttention.contains(path))
        return {false, NeedsAttention(path)};
    QFile f(path);
    if (!f.exists()) {
        // Unbuffered: a write that fails is seen at once, and nothing is retried later.
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return {false, f.errorString()};
        const QByteArray bytes = (TLogRecord::FileHeader() + QLatin1String("\r\n") + line + QLatin1String("\r\n")).toUtf8();
        QString error;
        if (!WriteAll(f, bytes, error)) {
            f.close();
            // The file is ours alone: removing it is the cut back.
            if (!f.remove()) {
                FNeedsAttention.insert(path);
                return {false, NotCutBack(error, path, f.errorString())};
            }
            return {false, error};
        }
        FValid.insert(path, true);
        return {};
    }

    // Never append to a file that is not a log in our layout and encoding.
    if (!f.open(QIODevice::ReadOnly))
        return {false, f.errorString()};
    const auto first = ReadFirstLine(f);
    f.close();
    if (!first)
        return {false, NoLogBook(path)};
    if (!IsCurrentHeader(*first) && !FValid.value(path, false))
        return {false, NoLogBook(path)};

    if (!f.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return {false, f.errorString()};
    // The length and last byte of the file as it is now, through the handle we append with.
    const qint64 size = f.size();
    char last = '\n';
    if (size > 0 && f.seek(size - 1) && !f.getChar(&last))
        last = '\n';
    QByteArray bytes;
    if (last != '\n')
        bytes += "\r\n"; // a last line without line end must not swallow ours
    bytes += line.toUtf8();
    bytes += "\r\n";
    QString error;
    if (!WriteAll(f, bytes, error)) {
        // Whatever part of the line reached the file is cut off again, so the file stays as
        // it was: a QSO reported as not logged must not come back at the next load.
        if (!f.resize(size)) {
            const QString cut = f.errorString();
            f.close();
            FNeedsAttention.insert(path);
            return {false, NotCutBack(error, path, cut)};
        }
        f.close();
        return {false, error};
    }
    f.close();
    if (f.error() != QFileDevice::NoError)
        return {false, f.errorString()};
    return {};
}

TLogFileWriter::TResult TLogFileWriter::DoRewrite(const QString& path, const QStringList& lines)
{
    if (!FValid.value(path, true))
        return {false, NoLogBook(path)};
    QStringList all;
    all.reserve(lines.size() + 1);
    all.append(TLogRecord::FileHeader());
    all.append(lines);
    if (const QString error = vx::SaveFileAtomically(path, EncodeLines(all)); !error.isEmpty())
        return {false, error};
    FValid.insert(path, true);
    FNeedsAttention.remove(path); // the whole file is ours again
    return {};
}

TLogFileWriter::TResult TLogFileWriter::DoNewFile(const QString& path)
{
    if (const QString error = vx::SaveFileAtomically(path, EncodeLines({TLogRecord::FileHeader()}));
        !error.isEmpty())
        return {false, error};
    FValid.insert(path, true);
    FNeedsAttention.remove(path); // the whole file is ours again
    return {};
}

QString TLogFileWriter::BackupName(const QString& path)
{
    return BackupFileName(path);
}

TLogFileWriter::TResult TLogFileWriter::WriteWithBackup(const QString& path, const QByteArray& original,
                                                        const QByteArray& bytes)
{
    if (const QString error = vx::SaveFileAtomically(BackupName(path), original); !error.isEmpty())
        return {false, error};
    if (const QString error = vx::SaveFileAtomically(path, bytes); !error.isEmpty())
        return {false, error};
    return {};
}

TLogFileWriter::TLoadRead TLogFileWriter::DoLoad(const QString& path)
{
    TLoadRead r;
    // Opening the file again is the user's answer to a file that needed attention.
    FNeedsAttention.remove(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.Error = f.errorString();
        return r;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.Error = f.errorString();
        return r;
    }
    f.close();
    r.ReadOk = true;

    TDecodedText text = DecodeLogFile(bytes);
    r.Lines = SplitTextLines(text.Text);
    r.Header = CheckFileHeader(r.Lines, TLogRecord::FileHeader());
    switch (r.Header) {
    case THeaderCheck::Invalid:
        FValid.insert(path, false);
        return r;
    case THeaderCheck::Previous: {
        // Only header lines are dropped; every other line is converted or kept as it is.
        QStringList converted;
        converted.reserve(r.Lines.size());
        for (const QString& line : std::as_const(r.Lines)) {
            if (!line.startsWith(QLatin1String(HeaderStart)))
                converted.append(UpgradeLine(line));
        }
        r.Lines = SortUnique(converted);
        r.Sorted = true;
        QStringList all;
        all.reserve(r.Lines.size() + 1);
        all.append(TLogRecord::FileHeader());
        all.append(r.Lines);
        const TResult w = WriteWithBackup(path, bytes, EncodeLines(all));
        r.Upgraded = w.Ok;
        r.Writable = w.Ok;
        r.Error = w.Error;
        FValid.insert(path, w.Ok);
        return r;
    }
    case THeaderCheck::Current:
        if (text.NeedsRewrite) {
            // Our appends are UTF-8: the file is changed to UTF-8 once, byte for byte the
            // same text otherwise.
            const TResult w = WriteWithBackup(path, bytes, text.Text.toUtf8());
            r.Converted = w.Ok;
            r.Writable = w.Ok;
            r.Error = w.Error;
            FValid.insert(path, w.Ok);
            return r;
        }
        r.Writable = true;
        FValid.insert(path, true);
        return r;
    }
    return r;
}
