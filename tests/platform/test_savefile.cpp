#include "platform/SaveFile.h"

#include "tests/support/FileSizeLimit.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
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
        EXPECT_NE(vx::SaveFileAtomically(path, QByteArray(1000, 'x')), QString());
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
