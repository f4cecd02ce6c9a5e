#pragma once
// A logbook with an open log in a temporary folder, and ADIF imports run to their result.
#include "LogFixture.h"
#include "log/LogADIFUtils.h"

#include <csignal>
#include <sys/resource.h>

inline QString TestData(const QString& relative)
{
    return QStringLiteral(VX_TESTDATA_DIR "/") + relative;
}

// While it lives, no file of this process may grow beyond the given size: writes fail as on a
// full disk, even for root, whom permissions do not stop.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FSaved);
        rlimit limit = FSaved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &FSaved); }

private:
    rlimit FSaved{};
};

// What OnLogImport reported, with what the import skipped.
struct ImportCounts {
    bool Success = false;
    int QSOs = -1;
    int Inserted = -1;
    int Updated = -1;
    int Skipped = -1;
    QString LogFilename;
};

class ImportFixture : public LogFixture {
protected:
    void SetUp() override
    {
        LogFixture::SetUp();
        log->OnLogImport = [this](const QString& name, bool success, int32_t qsos, int32_t inserted, int32_t updated,
                                  int32_t) {
            ImportCounts c{success, qsos, inserted, updated, log->ADIFUtils()->LastImport().Skipped, name};
            results << c;
        };
    }

    // Writes an ADIF file into the temporary folder; returns its path.
    QString writeAdif(const QString& name, const QByteArray& text)
    {
        const QString file = dir.filePath(name);
        writeBytes(text, file);
        return file;
    }

    // Opens the log (creating it with the lines when missing) and waits.
    void openLog(const QStringList& lines = {})
    {
        if (!QFileInfo::exists(path()))
            writeLog(lines);
        ASSERT_TRUE(openAndWait());
    }

    // Imports into the open log and waits for the result and, when the import started a
    // reload, for the reload.
    ImportCounts importAndWait(const QString& file)
    {
        const int before = int(results.size());
        log->ADIFImport(file);
        EXPECT_TRUE(vxtest::waitUntil([&] { return results.size() > before; }, 60000));
        EXPECT_TRUE(vxtest::waitUntil([&] { return !log->LogIsLoading(); }, 60000));
        return results.isEmpty() ? ImportCounts{} : results.last();
    }

    // The QSO of a call in the open log (the first when there are several).
    TLogRecord qso(const QString& call) const
    {
        TLogRecord r;
        for (const QString& line : log->LogBook()) {
            if (line.section(';', 3, 3) == call) {
                r.ExplodeQSOLine(line);
                break;
            }
        }
        return r;
    }

    // The LoTW sent flag of a call in the log file, once everything asked of the writer is done.
    QString fileLoTWSent(const QString& call) const
    {
        log->WaitForWriter();
        for (const QString& line : fileLines()) {
            TLogRecord r;
            r.ExplodeQSOLine(line);
            if (r.Call() == call)
                return r.QSLLoTWSent();
        }
        return {};
    }

    QList<ImportCounts> results;
};
