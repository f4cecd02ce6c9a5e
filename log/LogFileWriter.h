#pragma once
// The one writer of a log file.  Appends, whole-file rewrites, new files and the reading of
// a file being loaded (with its one-time header upgrade) run one after another on one
// thread, in the order they were requested, so no two writes of the file ever overlap and a
// line appended after a rewrite was requested lands in the rewritten file.
//
// Rewrites go through a temporary file and an atomic rename: a failed rewrite leaves the
// old file byte-identical.  Appends are written unbuffered before they report success; a
// failed append is cut back to the file's length before it, so the file never keeps half a
// line.  When even that cut fails, the file needs attention: nothing more is appended to it
// until it is loaded again.  Nothing is ever appended
// to, or rewritten over, a file that does not begin with a log header (unless the last
// load of that file accepted its header elsewhere).

#include "log/LogLines.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class TLogFileWriter {
public:
    struct TResult {
        bool Ok = true;
        QString Error; // why it failed, for the status text
    };

    // What a load found, before the lines are sorted.
    struct TLoadRead {
        bool ReadOk = false;
        QString Error; // read failure, or the failure of a needed rewrite
        vx::loglines::THeaderCheck Header = vx::loglines::THeaderCheck::Invalid;
        QStringList Lines;   // every non-empty line; after an upgrade the converted lines
        bool Sorted = false; // Lines are already sorted and unique
        bool Upgraded = false;  // the previous layout was rewritten in the current one
        bool Converted = false; // the file was rewritten in UTF-8
        bool Writable = false;  // the file takes appends and rewrites
    };

    TLogFileWriter();
    // Finishes every job requested so far (a queued save is never dropped), then stops.
    ~TLogFileWriter();
    TLogFileWriter(const TLogFileWriter&) = delete;
    TLogFileWriter& operator=(const TLogFileWriter&) = delete;

    // Blocking: run after every job requested before them.
    // Appends one QSO line; a missing file is created with the header line first.
    TResult Append(const QString& path, const QString& line);
    // Creates or replaces the file with one holding only the header line.
    TResult NewFile(const QString& path);

    // Queued; the handler runs on the writer thread.
    // The same append, for a caller that must not wait behind a long job.
    void Append(const QString& path, const QString& line, std::function<void(const TResult&)> done);
    // Replaces the file by header and lines.  When a later rewrite of the same file is
    // queued behind this one with no load between them, only the later one is written (its
    // lines are the newer snapshot) and both handlers get its result.
    void Rewrite(const QString& path, QStringList lines, std::function<void(const TResult&)> done);
    // Reads the file, checks its header and, where needed, rewrites it once in the current
    // layout and in UTF-8 (the original is kept beside it as "<name>.bak" first).
    void Load(const QString& path, std::function<void(TLoadRead)> done);

    // Waits until every job requested so far has run.
    void Flush();
    // True when nothing is queued or running: a blocking call would run at once.  Only the
    // thread that requests the jobs may rely on it (nobody else makes the writer busy).
    bool Idle();
    // Runs on the writer thread before each rewrite is written; tests hold a rewrite with it.
    void SetBeforeRewrite(std::function<void()> hook);

    // Backup name used for an upgraded file: "<name>.bak", or "<name>.bak.N" when taken.
    static QString BackupName(const QString& path);

private:
    struct Job;
    void Enqueue(std::unique_ptr<Job> job);
    void Run();
    // Does a job's file work; returns the hand-over of its result, run once the writer
    // counts as idle again, so that whoever the result wakes finds it so.
    std::function<void()> Execute(Job& job);
    TResult DoAppend(const QString& path, const QString& line);
    TResult DoRewrite(const QString& path, const QStringList& lines);
    TResult DoNewFile(const QString& path);
    TLoadRead DoLoad(const QString& path);
    TResult WriteWithBackup(const QString& path, const QByteArray& original, const QByteArray& bytes);

    std::mutex FMutex;
    std::condition_variable FWake;
    std::deque<std::unique_ptr<Job>> FQueue;
    bool FStop = false;
    // A job is being carried out (its results are not handed over yet).
    bool FRunning = false;
    std::function<void()> FBeforeRewrite;
    // Only the writer thread reads and writes this: files whose header a load accepted or
    // refused, so that appends follow the verdict of the last load.
    QHash<QString, bool> FValid;
    // Only the writer thread: files where a failed append could not be cut back.  Nothing is
    // appended to them until they are loaded again or rewritten whole.
    QSet<QString> FNeedsAttention;
    std::thread FThread;
};
