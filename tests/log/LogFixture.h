#pragma once
// A logbook over a log file in a temporary folder, with its status texts collected.
#include "log/LogFileWriter.h"
#include "log/LogInterface.h"
#include "tests/support/Wait.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

#include "QStringPrint.h"

#include <sys/stat.h>
#include <unistd.h>

inline const QString OwnCall = QStringLiteral("OWN1");

// A QSO line as the logbook writes it.
inline QString QSOLine(const QString& call, const QString& date, const QString& time, const QString& band = "20m",
                       const QString& mode = "CW", const QString& comment = {}, const QString& station = OwnCall)
{
    TLogRecord r;
    r.SetStationCallsign(station);
    r.SetQSODateAsString(date);
    r.SetTimeOnAsString(time);
    r.SetCall(call);
    r.SetBandAsString(band);
    r.SetModeAsString(mode);
    r.SetComment(comment);
    return r.QSOLine();
}

// Makes a folder read-only for the duration; as root (who may write anyway) the process
// also acts as an ordinary user meanwhile.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder)
        : FFolder(folder)
    {
        ::chmod(QFile::encodeName(folder).constData(), 0555);
        if (::geteuid() == 0)
            FWasRoot = ::seteuid(65534) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (FWasRoot)
            (void)::seteuid(0);
        ::chmod(QFile::encodeName(FFolder).constData(), 0755);
    }

private:
    QString FFolder;
    bool FWasRoot = false;
};

// Holds every rewrite of a log writer before it writes, until released (at the latest after
// 20 s, and when it goes), so a test can see who waits for a rewrite.
class RewriteHold {
public:
    explicit RewriteHold(TLogFileWriter& writer)
        : FWriter(writer)
    {
        writer.SetBeforeRewrite([s = FState] {
            s->Held = true;
            std::unique_lock lock(s->Mutex);
            if (!s->Wake.wait_for(lock, std::chrono::seconds(20), [&] { return s->Released; }))
                s->TimedOut = true;
        });
    }
    ~RewriteHold()
    {
        Release();
        FWriter.SetBeforeRewrite(nullptr);
    }
    // A rewrite has begun and waits.
    bool Held() const { return FState->Held; }
    // A rewrite waited so long that it went on by itself.
    bool TimedOut() const { return FState->TimedOut; }
    void Release()
    {
        {
            std::lock_guard lock(FState->Mutex);
            FState->Released = true;
        }
        FState->Wake.notify_all();
    }

private:
    struct State {
        std::atomic<bool> Held{false};
        std::atomic<bool> TimedOut{false};
        std::mutex Mutex;
        std::condition_variable Wake;
        bool Released = false;
    };
    TLogFileWriter& FWriter;
    std::shared_ptr<State> FState = std::make_shared<State>();
};

class LogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        log = std::make_unique<TLogInterface>();
        log->SetMyCall(OwnCall);
        log->SetLogFolder(dir.path());
        log->SetLogFileName("test.log");
        log->OnLogEvent = [this](const QString& t) { events << t; };
        log->OnLogLoaded = [this] { ++loaded; };
    }

    QString path() const { return log->FullLogFileName(); }

    void writeBytes(const QByteArray& bytes, const QString& file = {})
    {
        QFile f(file.isEmpty() ? path() : file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // Header and lines, each ended by CR LF.
    void writeLog(const QStringList& lines, const QString& header = TLogRecord::FileHeader())
    {
        QByteArray bytes;
        if (!header.isEmpty())
            bytes += header.toUtf8() + "\r\n";
        for (const QString& l : lines)
            bytes += l.toUtf8() + "\r\n";
        writeBytes(bytes);
    }
    QByteArray readBytes(const QString& file = {}) const
    {
        QFile f(file.isEmpty() ? path() : file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The lines of the log file, or of another file.
    QStringList fileLines(const QString& file = {}) const
    {
        QStringList lines = QString::fromUtf8(readBytes(file)).split("\r\n");
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    // Opens the log and waits until it is loaded.
    bool openAndWait()
    {
        const int before = loaded;
        if (!log->Open())
            return false;
        return vxtest::waitUntil([&] { return loaded > before; });
    }

    // Handle (row Index) of the view row of a call.
    int32_t rowOf(const QString& call) const
    {
        for (const TLogData& d : log->LogDataList()) {
            if (d.Call == call)
                return d.Index;
        }
        return -1;
    }

    QTemporaryDir dir;
    std::unique_ptr<TLogInterface> log;
    QStringList events;
    int loaded = 0;
};
