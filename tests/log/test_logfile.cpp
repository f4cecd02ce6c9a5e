// The log file: opening, loading, the header check and upgrade, appending and saving, and
// what happens to the file when a write fails.
#include "tests/support/FileSizeLimit.h"
#include "LogFixture.h"

#include "core/DataFiles.h"
#include "log/LogFileWriter.h"
#include "tests/support/PrivateMounts.h"

#include <QFileInfo>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The previous layout: the current header without its last three names.
QString PreviousHeader()
{
    QString h = TLogRecord::FileHeader();
    h.chop(QStringLiteral(";SUBMODE;EQSL_QSL_SENT;EQSL_QSL_RCVD").size());
    return h;
}

// A line of the previous layout: the first 33 fields of a current line.
QString PreviousLine(const QString& current, int fields = 33)
{
    return current.split(';').mid(0, fields).join(';');
}

// A log of the header and `lines` padded with one more QSO line so that the file ends `room`
// bytes short of a 4 KiB page: an append then fills the page and needs a new one.
QByteArray LogShortOfAPage(const QStringList& lines, int room)
{
    QByteArray bytes = TLogRecord::FileHeader().toUtf8() + "\r\n";
    for (const QString& l : lines)
        bytes += l.toUtf8() + "\r\n";
    const QByteArray shortest = QSOLine("DL2PAD", "20240101", "000000").toUtf8() + "\r\n";
    const qint64 pad = ((4096 - room) - (bytes.size() + shortest.size()) % 4096 + 4096) % 4096;
    bytes += QSOLine("DL2PAD", "20240101", "000000", "20m", "CW", QString(pad, u'x')).toUtf8() + "\r\n";
    return bytes;
}

// Whether the file holds exactly the bytes expected; otherwise where and how it differs.
testing::AssertionResult FileHolds(const QByteArray& actual, const QByteArray& expected)
{
    if (actual == expected)
        return testing::AssertionSuccess();
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return testing::AssertionFailure() << "the file differs from byte " << at << " on: it holds \""
                                       << actual.mid(at, 80).toStdString() << "\" (" << actual.size()
                                       << " bytes), expected \"" << expected.mid(at, 80).toStdString() << "\" ("
                                       << expected.size() << " bytes)";
}

} // namespace

TEST_F(LogFixture, HeaderOnlyLogOpensWithNoQSOs)
{
    writeLog({});
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(events.last(), "test.log open -- 0 QSO(s) for OWN1");
    EXPECT_TRUE(log->LogBook().isEmpty());
    EXPECT_FALSE(log->LogIsLoading());
}

TEST_F(LogFixture, OpenCountsOwnQSOsAndKeepsOtherStationsLines)
{
    const QString a = QSOLine("DL1ABC", "20210305", "120000");
    const QString b = QSOLine("K1XYZ", "20210306", "130000");
    const QString other = QSOLine("F5AA", "20210307", "140000", "40m", "SSB", {}, "OTHER");
    writeLog({b, other, a, a, a.toLower()});
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(events.last(), "test.log open -- 2 QSO(s) for OWN1");
    EXPECT_EQ(log->LogBook(), QStringList({other, a, b}));
    // Only the own station's QSOs are rows, newest first.
    ASSERT_EQ(log->LogDataList().size(), 2);
    EXPECT_EQ(log->LogDataList()[0].Call, "K1XYZ");

    // The next full rewrite writes each line once, sorted, after the header.
    log->SaveLog();
    log->WaitForWriter();
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), other, a, b}));
}

TEST_F(LogFixture, OpenRefusalsLeaveTheViewEmpty)
{
    const struct {
        QString call, folder, file, text;
    } cases[] = {
        {"", dir.path(), "test.log", "You must set your callsign in the Settings"},
        {"OWN1", "", "test.log", "No open Logbook"},
        {"OWN1", dir.path(), "", "No open Logbook"},
        {"OWN1", dir.path(), "missing.log", "Cannot open log book missing.log"},
    };
    writeLog({QSOLine("DL1ABC", "20210305", "120000")});
    // One counter for the whole loop: the setters fire the handler too.
    int data = 0;
    log->OnLogData = [&] { ++data; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        log->SetMyCall(c.call);
        log->SetLogFolder(c.folder);
        log->SetLogFileName(c.file);
        data = 0;
        EXPECT_FALSE(log->Open());
        EXPECT_EQ(events.last(), c.text);
        EXPECT_TRUE(log->LogDataList().isEmpty());
        EXPECT_EQ(data, 1);
        EXPECT_FALSE(log->LogIsLoading());
    }
    log->OnLogData = nullptr;
}

TEST_F(LogFixture, PreviousLayoutIsUpgradedOnceKeepingABackup)
{
    const QString a = QSOLine("DL1ABC", "20210305", "120000", "20m", "CW", "nice");
    const QString b = QSOLine("K1XYZ", "20210306", "130000", "40m", "SSB");
    // A QSO whose notes are the header's first name: it is a QSO, not a header.
    TLogRecord r;
    r.ExplodeQSOLine(QSOLine("G4ABC", "20210307", "140000"));
    r.SetNotes("STATION_CALLSIGN");
    const QString notes = r.QSOLine();
    // A line that cannot be read cleanly (no such date) is kept as it was.
    const QString unreadable = PreviousLine(QSOLine("JA1AA", "20210308", "150000")).replace("20210308", "2021XX08");
    const QByteArray original = (PreviousHeader() + "\r\n" + PreviousLine(a) + "\r\n" +
                                 PreviousLine(b, 32) + "\r\n" + PreviousLine(notes) + "\r\n" + unreadable + "\r\n")
                                    .toUtf8();
    writeBytes(original);

    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(events.last(), "test.log open -- 4 QSO(s) for OWN1");
    // Every line gains an empty submode and "N" for eQSL sent and received.
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), a, b, notes, unreadable}));
    EXPECT_EQ(readBytes(LogFixture::path() + ".bak"), original);

    // A second open finds the current layout and leaves the file alone.
    const QByteArray upgraded = readBytes();
    const QDateTime modified = QFileInfo(path()).lastModified();
    QThread::msleep(20);
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(readBytes(), upgraded);
    EXPECT_EQ(QFileInfo(path()).lastModified(), modified);
    EXPECT_FALSE(QFileInfo::exists(path() + ".bak.1"));
}

TEST_F(LogFixture, FileWithoutHeaderIsNotOpenedForLogging)
{
    for (const QByteArray& foreign : {QByteArray("just some text\r\nOWN1;x\r\n"), QByteArray()}) {
        writeBytes(foreign);
        events.clear();
        ASSERT_TRUE(openAndWait());
        EXPECT_EQ(events.last(), "test.log is no valid log book");
        TLogRecord q;
        q.ExplodeQSOLine(QSOLine("DL1ABC", "20210305", "120000"));
        EXPECT_FALSE(log->AddQSO(q));
        EXPECT_EQ(events.last(), "Logging DL1ABC failed: test.log is no valid log book");
        log->SaveLog();
        log->WaitForWriter();
        EXPECT_EQ(readBytes(), foreign);
    }
}

TEST_F(LogFixture, AppendCreatesAMissingFileWithHeaderAndNeverJoinsAnUnendedLine)
{
    log->SetLogFileName("new.log");
    TLogRecord q;
    q.ExplodeQSOLine(QSOLine("DL1ABC", "20210305", "120000"));
    ASSERT_TRUE(log->AddQSO(q));
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), QSOLine("DL1ABC", "20210305", "120000")}));

    log->SetLogFileName("test.log");
    const QString last = QSOLine("K1XYZ", "20210306", "130000");
    writeBytes((TLogRecord::FileHeader() + "\r\n" + last).toUtf8()); // no line end after the last line
    ASSERT_TRUE(openAndWait());
    ASSERT_TRUE(log->AddQSO(q));
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), last, QSOLine("DL1ABC", "20210305", "120000")}));
    EXPECT_EQ(events.last(), "DL1ABC logged");
}

TEST_F(LogFixture, Windows1252LogIsConvertedToUtf8BeforeAnythingIsAppended)
{
    TLogRecord r;
    r.ExplodeQSOLine(QSOLine("DL1ABC", "20210305", "120000"));
    r.SetName(QStringLiteral("J\u00fcrgen"));
    const QString a = r.QSOLine();
    QByteArray cp1252 = (TLogRecord::FileHeader() + "\r\n" + a + "\r\n").toLatin1();
    writeBytes(cp1252);
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(readBytes(), (TLogRecord::FileHeader() + "\r\n" + a + "\r\n").toUtf8());
    EXPECT_EQ(readBytes(path() + ".bak"), cp1252);

    r.ExplodeQSOLine(QSOLine("F5AA", "20210306", "120000"));
    r.SetName(QStringLiteral("Ren\u00e9"));
    ASSERT_TRUE(log->AddQSO(r));
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(log->LogBook(), QStringList({a, r.QSOLine()}));
}

TEST_F(LogFixture, FailedSaveLeavesTheFileAndKeepsTheEditInMemory)
{
    QDir(dir.path()).mkdir("ro");
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    log->SetLogFolder(dir.path() + "/ro");
    const QString a = QSOLine("DL1ABC", "20210305", "120000");
    writeLog({a});
    ::chmod(QFile::encodeName(path()).constData(), 0644);
    ASSERT_TRUE(openAndWait());
    const QByteArray before = readBytes();

    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    log->EditRecord().SetComment("edited");
    const QString edited = log->EditRecord().QSOLine();
    int logged = 0;
    log->OnLogQSO = [&](const QString&, TBand, TModeType) { ++logged; };
    {
        ReadOnlyFolder readOnly(log->LogFolder());
        QFile probe(log->LogFolder() + "/probe");
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            GTEST_SKIP() << "this process may write into read-only folders";
        }
        log->SaveQSO();
        log->WaitForWriter();

        // Appending fails as well: nothing is added, nothing is reported as logged.
        TLogRecord q;
        q.ExplodeQSOLine(QSOLine("K1XYZ", "20210306", "130000"));
        EXPECT_FALSE(log->AddQSO(q));
        EXPECT_TRUE(events.last().startsWith("Logging K1XYZ failed: ")) << events.last().toStdString();
        EXPECT_FALSE(log->SearchLog("K1XYZ", bd20, mtCW));
        EXPECT_FALSE(log->NewLogFile());
    }
    EXPECT_TRUE(std::any_of(events.cbegin(), events.cend(),
                            [](const QString& e) { return e.startsWith("Saving test.log failed: "); }));
    EXPECT_FALSE(events.contains("DL1ABC saved"));
    EXPECT_EQ(logged, 1); // only the edit; the failed QSO was not logged
    EXPECT_EQ(readBytes(), before);
    EXPECT_EQ(log->LogBook(), QStringList({edited}));

    // Once the folder is writable again the next save writes the kept state.
    log->SaveLog();
    log->WaitForWriter();
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), edited}));
}

// Saves that a crash interrupted leave their temporary file beside the log; opening the log
// removes those of this log and nothing else.
TEST_F(LogFixture, OpeningRemovesTheTemporaryFilesOfInterruptedSaves)
{
    const QString line = QSOLine("DL1ABC", "20210305", "120000");
    writeLog({line});
    const struct {
        const char* name;
        bool removed;
    } neighbours[] = {
        {"test.log.kTqWzB", true},  {"test.log.AbCdEf", true},   {"test.log.bak", false},
        {"test.log.old", false},    {"test.log.backup", false},  {"test.log.bak.kTqWzB", false},
        {"test.log.kTqWz", false},  {"test.log.kTqWzB1", false}, {"other.log.kTqWzB", false},
        {"test.logkTqWzB", false},  {"TEST.LOG.kTqWzB", false},  {"test.log.k7qWzB", false},
    };
    const QByteArray part = readBytes().left(300); // what a save had written when it stopped
    for (const auto& n : neighbours)
        writeBytes(part, dir.filePath(n.name));

    ASSERT_TRUE(openAndWait());
    for (const auto& n : neighbours)
        EXPECT_EQ(!QFileInfo::exists(dir.filePath(n.name)), n.removed) << n.name;
    EXPECT_EQ(log->LogBook(), QStringList{line});
}

TEST_F(LogFixture, NewLogFileHoldsOnlyTheHeader)
{
    writeLog({QSOLine("DL1ABC", "20210305", "120000")});
    ASSERT_TRUE(log->NewLogFile());
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader()}));
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(events.last(), "test.log open -- 0 QSO(s) for OWN1");
}

TEST_F(LogFixture, SaveBeforeAnyLoadOrOfAnotherFileIsRefused)
{
    writeLog({QSOLine("DL1ABC", "20210305", "120000")});
    const QByteArray before = readBytes();
    log->SaveLog();
    EXPECT_EQ(events.last(), "No open Logbook");
    ASSERT_TRUE(openAndWait());
    log->SetLogFileName("other.log");
    log->SaveLog();
    log->WaitForWriter();
    EXPECT_EQ(events.last(), "No open Logbook");
    EXPECT_FALSE(QFileInfo::exists(path()));
    log->SetLogFileName("test.log");
    EXPECT_EQ(readBytes(), before);
}

TEST_F(LogFixture, DXCCEntitiesAreReadAtTheFirstOpenThatFindsTheFile)
{
    writeLog({});
    int loadedLists = 0;
    log->OnDXCCListLoadeded = [&] { ++loadedLists; };
    ASSERT_TRUE(openAndWait());
    EXPECT_TRUE(log->DXCCEntityList().isEmpty());
    EXPECT_EQ(loadedLists, 0);

    const QString target = GetCommonDataFileName("dxccentity.dat");
    QDir().mkpath(QFileInfo(target).path());
    QFile::remove(target);
    ASSERT_TRUE(QFile::copy(ShippedDataFolder() + "/dxccentity.dat", target));
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(loadedLists, 1);
    const auto& entities = log->DXCCEntityList();
    ASSERT_GT(entities.size(), 300);
    EXPECT_TRUE(std::is_sorted(entities.cbegin(), entities.cend(),
                               [](const TDXCCEntity& a, const TDXCCEntity& b) { return a.ADIFCode < b.ADIFCode; }));
    EXPECT_EQ(log->DXCCList().size(), entities.size() + 1);
    EXPECT_EQ(log->DXCCList().first(), "");
    EXPECT_TRUE(std::any_of(entities.cbegin(), entities.cend(), [](const TDXCCEntity& e) { return e.Deleted; }));
    const auto dl = std::find_if(entities.cbegin(), entities.cend(), [](const TDXCCEntity& e) { return e.ADIFCode == 230; });
    ASSERT_NE(dl, entities.cend());
    EXPECT_TRUE(log->DXCCList().contains(QStringLiteral("%1 %2 (230)").arg(dl->Prefix, dl->Name)));

    ASSERT_TRUE(openAndWait()); // read once per run
    EXPECT_EQ(loadedLists, 1);
    QFile::remove(target);
}

// A real full file system: a small tmpfs in a mount namespace of the test's own (tests
// using it begin with VX_RUN_IN_PRIVATE_MOUNTS).
class FullDiskLog : public LogFixture {
protected:
    // Puts the log folder on the small disk and opens a log of `lines` there, whose end leaves
    // 11 bytes of room in its last page: an append's first bytes still fit, the rest does
    // not.  Skips the test where no disk can be mounted.
    void OpenLogOnSmallDisk(const QStringList& lines)
    {
        const QString folder = dir.path() + "/disk";
        ASSERT_TRUE(QDir().mkpath(folder));
        disk.emplace(folder, 64 * 1024);
        if (!disk->Mounted())
            GTEST_SKIP() << disk->Error().toStdString();
        log->SetLogFolder(folder);
        writeBytes(LogShortOfAPage(lines, 11));
        ASSERT_EQ(QFileInfo(path()).size() % 4096, 4096 - 11);
        ASSERT_TRUE(openAndWait());
    }

    std::optional<vxtest::TSmallDisk> disk;
};

// On a full disk a QSO that is reported as not logged leaves no trace in the file, and the
// system's reason is shown.
TEST_F(FullDiskLog, AppendLeavesTheFileAsItWas)
{
    VX_RUN_IN_PRIVATE_MOUNTS();
    const QString kept = QSOLine("DL1ABC", "20240105", "120000");
    OpenLogOnSmallDisk({kept});
    if (IsSkipped() || HasFatalFailure())
        return;
    const QByteArray before = readBytes();
    ASSERT_TRUE(disk->Fill());

    const QString line = QSOLine("R77Q65", "20240105", "120500");
    TLogRecord q;
    q.ExplodeQSOLine(line);
    int logged = 0;
    log->OnLogQSO = [&](const QString&, TBand, TModeType) { ++logged; };
    EXPECT_FALSE(log->AddQSO(q));
    EXPECT_EQ(events.last(), "Logging R77Q65 failed: No space left on device");
    EXPECT_TRUE(FileHolds(readBytes(), before));
    EXPECT_EQ(logged, 0);
    EXPECT_FALSE(log->LogBook().contains(line));
    ASSERT_TRUE(openAndWait());
    EXPECT_FALSE(log->LogBook().contains(line));
    EXPECT_TRUE(log->LogBook().contains(kept));

    // With room again the next append lands cleanly after the last line.
    disk->Free();
    ASSERT_TRUE(log->AddQSO(q));
    EXPECT_TRUE(FileHolds(readBytes(), before + line.toUtf8() + "\r\n"));
    ASSERT_TRUE(openAndWait());
    EXPECT_TRUE(log->LogBook().contains(line));
    EXPECT_EQ(logged, 1);

    // A new file that cannot be written whole is not left behind half-written.
    ASSERT_TRUE(disk->Fill());
    log->SetLogFileName("new.log");
    EXPECT_FALSE(log->AddQSO(q));
    EXPECT_EQ(events.last(), "Logging R77Q65 failed: No space left on device");
    EXPECT_FALSE(QFileInfo::exists(path()));
}

// A whole-file save on a full disk names the system's reason and leaves the file as it was.
TEST_F(FullDiskLog, ASaveNamesTheSystemsReason)
{
    VX_RUN_IN_PRIVATE_MOUNTS();
    OpenLogOnSmallDisk({QSOLine("DL1ABC", "20240105", "120000")});
    if (IsSkipped() || HasFatalFailure())
        return;
    const QByteArray before = readBytes();
    ASSERT_TRUE(disk->Fill());
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    log->EditRecord().SetComment("edited");
    log->SaveQSO();
    log->WaitForWriter();
    EXPECT_EQ(events.last(), "Saving test.log failed: No space left on device");
    EXPECT_TRUE(FileHolds(readBytes(), before));
}

// When the failed append cannot even be cut off again, the user is told that the file needs
// attention, and nothing more is appended to it until it is opened again.
TEST_F(FullDiskLog, AFailedAppendThatCannotBeCutBackStopsLoggingUntilReopened)
{
    VX_RUN_IN_PRIVATE_MOUNTS();
    OpenLogOnSmallDisk({QSOLine("DL1ABC", "20240105", "120000")});
    if (IsSkipped() || HasFatalFailure())
        return;
    const QByteArray before = readBytes();
    // Append-only: the file takes appends but cannot be cut shorter.
    if (!vxtest::SetAppendOnly(path(), true))
        GTEST_SKIP() << "the append-only attribute cannot be set here: " << std::strerror(errno);
    struct Clear {
        QString file;
        ~Clear() { vxtest::SetAppendOnly(file, false); }
    } clear{path()};
    ASSERT_TRUE(disk->Fill());

    TLogRecord q;
    q.ExplodeQSOLine(QSOLine("R77Q65", "20240105", "120500"));
    EXPECT_FALSE(log->AddQSO(q));
    EXPECT_EQ(events.last(), "Logging R77Q65 failed: No space left on device; test.log could not be cut back "
                             "(Operation not permitted) and needs attention: open it again before logging");
    EXPECT_EQ(readBytes().size(), before.size() + 11) << "the fragment the system wrote stays";

    // Even with room again nothing is appended to the damaged file.
    disk->Free();
    const QByteArray damaged = readBytes();
    TLogRecord other;
    other.ExplodeQSOLine(QSOLine("K1XYZ", "20240105", "121000"));
    EXPECT_FALSE(log->AddQSO(other));
    EXPECT_EQ(events.last(), "Logging K1XYZ failed: test.log needs attention: open it again before logging");
    EXPECT_TRUE(FileHolds(readBytes(), damaged));

    // Opened again, the file takes appends; ours starts on a line of its own.
    ASSERT_TRUE(openAndWait());
    ASSERT_TRUE(log->AddQSO(other));
    EXPECT_TRUE(FileHolds(readBytes(), damaged + "\r\n" + QSOLine("K1XYZ", "20240105", "121000").toUtf8() + "\r\n"));
}

// A save whose write is cut short (a file-size limit, a disk filling up meanwhile) must not
// replace the log with the cut text.
TEST_F(LogFixture, ASaveCutShortLeavesTheLogWhole)
{
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QSOLine(QStringLiteral("DL%1ABC").arg(i), "20210305", QStringLiteral("12%1").arg(i, 4, 10, QChar('0')));
    writeLog(lines);
    ASSERT_TRUE(openAndWait());
    const QByteArray before = readBytes();

    ASSERT_TRUE(log->EditQSO(rowOf("DL7ABC")));
    log->EditRecord().SetComment(QString(200, u'c'));
    {
        vxtest::FileSizeLimit limit(rlim_t(before.size()));
        log->SaveQSO();
        log->WaitForWriter();
    }
    EXPECT_TRUE(std::any_of(events.cbegin(), events.cend(),
                            [](const QString& e) { return e.startsWith("Saving test.log failed: "); }));
    EXPECT_FALSE(events.contains("DL7ABC saved"));
    EXPECT_EQ(readBytes(), before);
}

// Behind a rewrite the operator does not wait for the writer: the QSO is logged at once and
// written after the rewrite.  When that append fails, the QSO is taken out again and reported.
TEST_F(LogFixture, AQSOLoggedBehindARewriteIsWrittenAfterItOrTakenOutAgain)
{
    const QString kept = QSOLine("DL1ABC", "20210305", "120000");
    writeLog({kept});
    ASSERT_TRUE(openAndWait());
    const QString queued = QSOLine("K1XYZ", "20210306", "130000");
    const QString failing = QSOLine("W1AW", "20210307", "140000");
    for (const QString& line : {queued, failing}) {
        RewriteHold hold(log->FileWriter());
        log->SaveLog();
        ASSERT_TRUE(vxtest::waitUntil([&] { return hold.Held(); }));
        TLogRecord q;
        q.ExplodeQSOLine(line);
        EXPECT_TRUE(log->AddQSO(q));
        EXPECT_FALSE(hold.TimedOut()) << "logging waited for the rewrite";
        EXPECT_EQ(events.last(), q.Call() + " logged");
        EXPECT_TRUE(log->SearchLog(q.Call(), bd20, mtCW));
        EXPECT_NE(rowOf(q.Call()), -1);
        std::optional<vxtest::FileSizeLimit> full;
        if (line == failing)
            full.emplace(rlim_t(10));
        hold.Release();
        log->WaitForWriter();
    }
    EXPECT_TRUE(events.last().startsWith("Logging W1AW failed: ")) << events.last().toStdString();
    EXPECT_FALSE(log->LogBook().contains(failing));
    EXPECT_FALSE(log->SearchLog("W1AW", bd20, mtCW));
    EXPECT_EQ(rowOf("W1AW"), -1);
    EXPECT_EQ(log->LogBook(), QStringList({kept, queued}));
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), kept, queued}));
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(log->LogBook(), QStringList({kept, queued}));
}
