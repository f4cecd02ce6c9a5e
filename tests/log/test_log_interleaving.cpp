// Appends, whole-file saves and a reload of the same log, interleaved: every QSO ends up in
// the file exactly once.  Built with VX_TSAN this also runs under ThreadSanitizer.
#include "LogFixture.h"

#include "log/LogFileWriter.h"

#include <QCoreApplication>
#include <QSet>

TEST_F(LogFixture, AppendsSavesAndAnOpenInterleavedKeepEveryQSOOnce)
{
    QStringList existing;
    for (int i = 0; i < 50; ++i)
        existing << QSOLine(QStringLiteral("OLD%1").arg(i), "20200101", QStringLiteral("%1").arg(i, 6, 10, QChar('0')));
    writeLog(existing);
    ASSERT_TRUE(openAndWait());

    QStringList added;
    int saves = 0;
    for (int i = 0; i < 200; ++i) {
        TLogRecord q;
        q.ExplodeQSOLine(QSOLine(QStringLiteral("NEW%1").arg(i), "20210101", QStringLiteral("%1").arg(i, 6, 10, QChar('0')),
                                 i % 2 ? "20m" : "40m", i % 3 ? "CW" : "SSB"));
        ASSERT_TRUE(log->AddQSO(q)) << events.last().toStdString();
        added << log->LogBook().filter(QStringLiteral(";NEW%1;").arg(i)).value(0);
        if (i % 10 == 5) {
            log->SaveLog();
            ++saves;
        }
        if (i == 100) {
            ASSERT_TRUE(log->Open()); // the reload runs while appends and saves go on
        }
        if (i % 7 == 0)
            QCoreApplication::processEvents();
    }
    EXPECT_EQ(saves, 20);
    log->WaitForWriter();
    EXPECT_FALSE(log->LogIsLoading());

    const QStringList lines = fileLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), TLogRecord::FileHeader());
    EXPECT_EQ(lines.count(TLogRecord::FileHeader()), 1);
    for (const QString& line : existing + added)
        EXPECT_EQ(lines.count(line), 1) << line.toStdString();
    EXPECT_EQ(lines.size(), 1 + existing.size() + added.size());
    // The list in memory holds the same QSOs, and so does a fresh load.
    EXPECT_EQ(QSet<QString>(log->LogBook().cbegin(), log->LogBook().cend()),
              QSet<QString>(lines.cbegin() + 1, lines.cend()));
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(events.last(), "test.log open -- 250 QSO(s) for OWN1");
    EXPECT_TRUE(log->SearchLog("NEW199", bd20, mtCW));
}

// The writer on its own: several threads' worth of requests in one order.
TEST(LogFileWriter, LaterSaveReplacesAQueuedEarlierOneAndAppendsStayOrdered)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/w.log";
    TLogFileWriter w;
    ASSERT_TRUE(w.NewFile(path).Ok);
    std::atomic<int> done{0};
    std::vector<bool> results;
    std::mutex m;
    const auto record = [&](const TLogFileWriter::TResult& r) {
        std::lock_guard lock(m);
        results.push_back(r.Ok);
        ++done;
    };
    w.Rewrite(path, {"A"}, record);
    ASSERT_TRUE(w.Append(path, "B").Ok);
    w.Rewrite(path, {"A", "B", "C"}, record);
    w.Rewrite(path, {"A", "B", "C", "D"}, record);
    w.Flush();
    EXPECT_EQ(done.load(), 3);
    EXPECT_EQ(results, std::vector<bool>({true, true, true}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), (TLogRecord::FileHeader() + "\r\nA\r\nB\r\nC\r\nD\r\n").toUtf8());
}
