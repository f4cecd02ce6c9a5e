#include "platform/SaveFile.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/PrivateMounts.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(SaveFile, AShortWriteLeavesTheOldFileAndSaysSo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    ASSERT_EQ(vx::SaveFileAtomically(path, "old contents\r\n"), QString());
    {
        vxtest::FileSizeLimit limit(100);
        EXPECT_EQ(vx::SaveFileAtomically(path, QByteArray(1000, 'x')), "File too large");
    }
    EXPECT_EQ(Read(path), QByteArray("old contents\r\n"));
    EXPECT_EQ(vx::SaveFileAtomically(path, QByteArray(1000, 'x')), QString());
    EXPECT_EQ(Read(path), QByteArray(1000, 'x'));
}

TEST(SaveFile, AShortWriteCannotBeCommittedLater)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("wanted.dat");
    ASSERT_EQ(vx::SaveFileAtomically(path, "A=\r\n"), QString());
    vxtest::FileSizeLimit limit(10);
    QSaveFile file(path);
    ASSERT_TRUE(vx::OpenForAtomicWrite(file));
    EXPECT_FALSE(vx::WriteAll(file, QByteArray(1000, 'y')));
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(Read(path), QByteArray("A=\r\n"));
}

TEST(SaveFile, AFolderThatDoesNotExistIsReported)
{
    QTemporaryDir dir;
    EXPECT_NE(vx::SaveFileAtomically(dir.filePath("no/such/folder/file.txt"), "x"), QString());
}

// A disk that fills up reports the system's reason, whether nothing or part of the file fits.
TEST(SaveFile, AFullDiskIsReportedWithTheSystemsReason)
{
    VX_RUN_IN_PRIVATE_MOUNTS();
    QTemporaryDir dir;
    const QString folder = dir.filePath("disk");
    ASSERT_TRUE(QDir().mkpath(folder));
    vxtest::TSmallDisk disk(folder, 64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Error().toStdString();
    const QString path = folder + "/log.txt";
    ASSERT_EQ(vx::SaveFileAtomically(path, "old contents\r\n"), QString());

    // Larger than the disk: the first part is written, the rest is refused.
    EXPECT_EQ(vx::SaveFileAtomically(path, QByteArray(100 * 1024, 'x')), "No space left on device");
    EXPECT_EQ(Read(path), QByteArray("old contents\r\n"));

    ASSERT_TRUE(disk.Fill());
    EXPECT_EQ(vx::SaveFileAtomically(path, QByteArray(8 * 1024, 'x')), "No space left on device");
    EXPECT_EQ(Read(path), QByteArray("old contents\r\n"));
    disk.Free();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"log.txt"});
}

TEST(SaveFile, LeftoversOfInterruptedWritesAreRecognisedByTheirExactName)
{
    const struct {
        const char* name;
        bool leftover;
    } cases[] = {
        {"log.txt.aBcDeF", true},   {"log.txt.QxwZtr", true},    {"log.txt.bak", false},
        {"log.txt.old", false},     {"log.txt.backup", false},   {"log.txt.BEFORE", false},
        {"log.txt.aBcDe", false},   {"log.txt.aBcDeFg", false},  {"log.txt.aB1DeF", false},
        {"log.txt.bak.aBcDeF", false}, {"log.txtXaBcDeF", false}, {"other.txt.aBcDeF", false},
        {"Log.txt.aBcDeF", false},  {"log.txt", false},          {"xlog.txt.aBcDeF", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vx::IsSaveLeftover("/logs/log.txt", c.name), c.leftover) << c.name;

    // The names Qt gives its temporary files: QSaveFile and QTemporaryFile share the maker.
    QTemporaryDir dir;
    int recognised = 0;
    for (int i = 0; i < 20; ++i) {
        QTemporaryFile made(dir.filePath("log.txt"));
        ASSERT_TRUE(made.open());
        const QString name = QFileInfo(made.fileName()).fileName();
        ASSERT_EQ(name.size(), 14) << name.toStdString();
        recognised += vx::IsSaveLeftover(dir.filePath("log.txt"), name) ? 1 : 0;
    }
    EXPECT_GT(recognised, 0);
}
