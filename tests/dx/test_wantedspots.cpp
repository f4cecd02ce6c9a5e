#include "dx/DXWantedSpots.h"

#include "core/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class WantedSpots : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FRoot.isValid());
        FOldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", FRoot.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", FOldConfig); }

    static void Write(const char* name, const QByteArray& content)
    {
        ASSERT_TRUE(QDir().mkpath(GetUserDataFileName({})));
        QFile f(GetUserDataFileName(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    static QByteArray Read(const char* name)
    {
        QFile f(GetUserDataFileName(QString::fromLatin1(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir FRoot;
    QByteArray FOldConfig;
};

TEST_F(WantedSpots, CallsAndPrefixesByBand)
{
    Write("wantedspots.dat", "DL1ABC=;20;40;\r\n"
                             "VP8=;160;\r\n"
                             "VP8ORK=;10;\r\n"
                             "K1XX=;\r\n"
                             "JA1=;;;\r\n"
                             "W1AW=;;30;;;\r\n"
                             "junk without separator\r\n"
                             "W1AW=;80;\r\n"); // a repeated call: its last line counts
    TDXWantedSpots w;
    w.LoadWantedSpots();
    EXPECT_EQ(w.WantedSpotsCount(), 4);

    struct {
        const char* Call;
        TBand Band;
        bool Wanted;
    } cases[] = {
        {"DL1ABC", bd20, true},   {"DL1ABC", bd40, true},    {"DL1ABC", bd80, false},
        {"dl1abc", bd20, false},  {"VP8XY", bd160, true},    {"VP8XY", bd80, false},
        {"VP8ORK", bd10, true},   {"VP8ORK", bd160, true},   {"VP8ORKA", bd160, false},
        {"VP8ORKA", bd10, true},  {"K1XX", bd20, false},     {"JA1ABC", bd20, false},
        {"W1AW", bd80, true},     {"W1AW", bd30, false},     {"W1AW", bd2, false},
        {"", bd20, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(w.IsWanted(QString::fromLatin1(c.Call), c.Band, 0), c.Wanted) << c.Call << " " << c.Band;
}

// Two keys that are both prefixes of a call: the longer one decides, always.
TEST_F(WantedSpots, LongestPrefixDecides)
{
    Write("wantedspots.dat", "K=;20;\r\nKH6=;40;\r\nKH=;80;\r\n");
    TDXWantedSpots w;
    w.LoadWantedSpots();
    EXPECT_TRUE(w.IsWanted(QStringLiteral("KH6ABC"), bd40, 0));
    EXPECT_FALSE(w.IsWanted(QStringLiteral("KH6ABC"), bd20, 0));
    EXPECT_FALSE(w.IsWanted(QStringLiteral("KH6ABC"), bd80, 0));
    EXPECT_TRUE(w.IsWanted(QStringLiteral("KH7ABC"), bd80, 0));
    EXPECT_TRUE(w.IsWanted(QStringLiteral("K1ABC"), bd20, 0));
}

TEST_F(WantedSpots, EntitiesByAdifNumber)
{
    Write("wanteddxcc.dat", "3Y/b=24;160;80;\r\n"
                            "DL=230;\r\n"
                            "VP8/h=240;;;\r\n"
                            "X=abc;20;\r\n"
                            "Y=12\r\n"
                            "ZZ=291;6;\r\n");
    TDXWantedSpots w;
    w.LoadWantedDXCC();
    EXPECT_EQ(w.WantedDXCCCount(), 2);
    EXPECT_TRUE(w.IsWanted(QStringLiteral("3Y0J"), bd160, 24));
    EXPECT_TRUE(w.IsWanted(QStringLiteral("ANY"), bd80, 24));
    EXPECT_FALSE(w.IsWanted(QStringLiteral("3Y0J"), bd40, 24));
    EXPECT_FALSE(w.IsWanted(QStringLiteral("DL1ABC"), bd20, 230));
    EXPECT_TRUE(w.IsWanted(QStringLiteral("W1AW"), bd6, 291));
    EXPECT_FALSE(w.IsWanted(QStringLiteral("3Y0J"), bd160, 0)) << "country not found: only the call list";
}

TEST_F(WantedSpots, MissingFilesEmptyTheLists)
{
    Write("wantedspots.dat", "DL1ABC=;20;\r\n");
    TDXWantedSpots w;
    w.LoadWantedSpots();
    ASSERT_EQ(w.WantedSpotsCount(), 1);
    QFile::remove(GetUserDataFileName(QStringLiteral("wantedspots.dat")));
    w.LoadWantedSpots();
    EXPECT_EQ(w.WantedSpotsCount(), 0);
    w.LoadWantedDXCC();
    EXPECT_EQ(w.WantedDXCCCount(), 0);
}

TEST_F(WantedSpots, LinesAsTheGridsWriteThem)
{
    EXPECT_EQ(TDXWantedSpots::WantedSpotsLine(QStringLiteral("DL1ABC"), {bd20, bd40}), QStringLiteral("DL1ABC=;40;20;"))
        << "bands in the order of the grid's columns";
    EXPECT_EQ(TDXWantedSpots::WantedSpotsLine(QStringLiteral("K1XX"), {}), QStringLiteral("K1XX=;"));
    EXPECT_EQ(TDXWantedSpots::WantedDXCCLine(QStringLiteral("3Y/b"), QStringLiteral("24"), {bd160, bd80, bd2}),
              QStringLiteral("3Y/b=24;160;80;"));
    EXPECT_EQ(TDXWantedSpots::WantedDXCCLine(QStringLiteral("DL"), QStringLiteral("230"), {}), QStringLiteral("DL=230;"));
}

TEST_F(WantedSpots, SavedFileIsSortedUtf8AndReadsBack)
{
    const QString path = GetUserDataFileName(QStringLiteral("wantedspots.dat"));
    ASSERT_TRUE(TDXWantedSpots::SaveWantedFile(
        path, {TDXWantedSpots::WantedSpotsLine(QStringLiteral("ZL1ABC"), {bd20}),
               TDXWantedSpots::WantedSpotsLine(QStringLiteral("dl1abc"), {bd40}),
               TDXWantedSpots::WantedSpotsLine(QStringLiteral("ÄB1C"), {bd6}),
               TDXWantedSpots::WantedSpotsLine(QStringLiteral("A1B"), {bd10})}));
    EXPECT_EQ(Read("wantedspots.dat"), QByteArray("A1B=;10;\r\ndl1abc=;40;\r\nZL1ABC=;20;\r\n\xC3\x84" "B1C=;6;\r\n"));

    TDXWantedSpots w;
    w.LoadWantedSpots();
    EXPECT_TRUE(w.IsWanted(QStringLiteral("ZL1ABC"), bd20, 0));
    EXPECT_TRUE(w.IsWanted(QStringLiteral("ÄB1C"), bd6, 0));
}

TEST_F(WantedSpots, Windows1252FileIsRead)
{
    Write("wantedspots.dat", "\xC4" "B1C=;6;\r\n");
    TDXWantedSpots w;
    w.LoadWantedSpots();
    EXPECT_TRUE(w.IsWanted(QStringLiteral("ÄB1C"), bd6, 0));
}

TEST_F(WantedSpots, FailedSaveIsReported)
{
    const QString path = GetUserDataFileName(QStringLiteral("wanteddxcc.dat"));
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_FALSE(TDXWantedSpots::SaveWantedFile(path, {QStringLiteral("F=227;")}));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(WantedSpots, FailedSaveKeepsTheOldFileAndReportsIt)
{
    Write("wanteddxcc.dat", "DL=230;20;\r\n");
    const QString dir = GetUserDataFileName({});
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool saved = TDXWantedSpots::SaveWantedFile(GetUserDataFileName(QStringLiteral("wanteddxcc.dat")),
                                                      {QStringLiteral("F=227;")});
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Root ignores folder permissions; then only the file content is checked below.
    if (!saved) {
        EXPECT_EQ(Read("wanteddxcc.dat"), QByteArray("DL=230;20;\r\n"));
    }

    // A folder that cannot exist (its parent is a file) fails for everyone.
    Write("plainfile", "x");
    EXPECT_FALSE(TDXWantedSpots::SaveWantedFile(GetUserDataFileName(QStringLiteral("plainfile/wanteddxcc.dat")),
                                                {QStringLiteral("F=227;")}));
}

} // namespace
