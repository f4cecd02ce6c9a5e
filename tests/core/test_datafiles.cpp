#include "core/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Each test gets its own per-machine and per-user folders.
class DataFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FRoot.isValid());
        qputenv("XDG_DATA_HOME", (FRoot.path() + "/data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (FRoot.path() + "/config").toLocal8Bit());
        ASSERT_TRUE(QDir().mkpath(FRoot.path() + "/data/Vornix"));
    }

    static void Write(const QString& name, const QByteArray& content)
    {
        QFile f(GetCommonDataFileName(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    static std::string Read(const QString& name)
    {
        QFile f(GetCommonDataFileName(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
    }

    static std::string Crlf(const char* lines)
    {
        return QByteArray(lines).replace("\n", "\r\n").toStdString();
    }

    QTemporaryDir FRoot;
};

const char* const Entities = "DL=Fed. Rep. of Germany;230\r\n"
                             "TA=Turkey;390\r\n"
                             "F=France;227\r\n"
                             "[Y2]=German Democratic Republic;229\r\n";

const char* const Cty = "Fed. Rep. of Germany:     14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
                        "    DA,DB,DL1XXX(14)[28],=DL0XXX[28],DB,\n"
                        "    AA,BB<12.5/-40.0>,CC,DM9{AS}(17)~-5.0~;\n"
                        "European Turkey:          20:  39:  EU:   41.02:   -28.97:    -2.0:  *TA1:\n"
                        "    TA1,=TA1XX;\n"
                        "France:                   14:  27:  EU:   46.00:    -2.00:    -1.0:  F:\n"
                        "    F,=VER20221205,=VE3XXX,=VERSION;\n"
                        "Nowhere Land:             1:  1:  NA:   1.00:    1.00:    0.0:  XX:\n"
                        "    XX1,=XX1AA;\n";

} // namespace

TEST_F(DataFilesTest, FolderNames)
{
    EXPECT_EQ(GetCommonDataFileName("cty.dat"), FRoot.path() + "/data/Vornix/cty.dat");
    EXPECT_EQ(GetUserDataFileName("wanteddxcc.dat"), FRoot.path() + "/config/Vornix/wanteddxcc.dat");
}

TEST_F(DataFilesTest, CountryFilesFromCty)
{
    Write("dxccentity.dat", Entities);
    Write("cty.dat", QByteArray(Cty).replace("\n", "\r\n"));
    ASSERT_EQ(TVornixDataFiles().CreateDataFiles(), TDataFileResult::Written);

    // Only zone overrides are carried (continent and time overrides would spoil the entity
    // prefix). *TA1 keeps its name but counts for TA; XX is no entity, so it has no country line but
    // its prefixes are still known.
    EXPECT_EQ(Read("country.dat"), Crlf("*TA1=European Turkey:20:39:EU:41.02:-28.97:-2.0:390:1:\n"
                                        "DL=Fed. Rep. of Germany:14:28:EU:51.00:-10.00:-1.0:230:0:\n"
                                        "F=France:14:27:EU:46.00:-2.00:-1.0:227:2:\n"));
    EXPECT_EQ(Read("prefix.dat"), Crlf("*TA1=*TA1\nAA=DL\nBB=DL\nCC=DL\nDA=DL\nDB=DL\nDL1XXX=DL(14)[28]\n"
                                       "DL=DL\nDM9=DL(17)\nF=F\nTA1=*TA1\nXX1=XX\n"));
    EXPECT_EQ(Read("call.dat"), Crlf("DL0XXX=DL[28]\nTA1XX=*TA1\nVE3XXX=F\nXX1AA=XX\n"));

    // The server program keeps the version entries.
    ASSERT_EQ(TVornixDataFiles(true).CreateDataFiles(), TDataFileResult::Written);
    EXPECT_EQ(Read("call.dat"),
              Crlf("DL0XXX=DL[28]\nTA1XX=*TA1\nVE3XXX=F\nVER20221205=F\nVERSION=F\nXX1AA=XX\n"));
}

TEST_F(DataFilesTest, BadLinesCostOnlyThemselves)
{
    Write("dxccentity.dat", "DL=Fed. Rep. of Germany;23x0\r\nF=France;227\r\nI=Italy;248\r\n");
    Write("cty.dat", "France:   14:  27:  EU:   46.00:    -2.00:    -1.0:  F:\n"
                     "    F;\n"
                     "Sicily:   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
                     "    IT9;\n"
                     "New WAE:  15:  28:  EU:   37.50:   -14.00:    -1.0:  *XY9:\n"
                     "    XY9;\n"
                     "Germany:  14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
                     "    DL;\n"
                     "Broken:   14:  28:  EU\n"
                     "    BR1,BR2;\n"
                     "Unnamed:  14:  28:  EU:  51.00:  -10.00:  -1.0\n"
                     "    UN1;\n"
                     "Italy:    15:  28:  EU:   42.82:   -12.58:    -1.0:  I:\n"
                     "    I,,,=I0XYZ,;\n");
    ASSERT_EQ(TVornixDataFiles().CreateDataFiles(), TDataFileResult::Written);
    // A bad entity number drops DL's country line only; an unknown asterisk entity does not
    // take the number of the entity before it; a header that cannot be read takes its items
    // with it instead of handing them to the entity before it; empty items are passed over.
    EXPECT_EQ(Read("country.dat"), Crlf("*IT9=Sicily:15:28:EU:37.50:-14.00:-1.0:248:2:\n"
                                        "F=France:14:27:EU:46.00:-2.00:-1.0:227:1:\n"
                                        "I=Italy:15:28:EU:42.82:-12.58:-1.0:248:2:\n"));
    EXPECT_EQ(Read("prefix.dat"), Crlf("*IT9=*IT9\nDL=DL\nF=F\nI=I\nIT9=*IT9\nXY9=*XY9\n"));
    EXPECT_EQ(Read("call.dat"), Crlf("I0XYZ=I\n"));
}

TEST_F(DataFilesTest, NothingWrittenWithoutUsableInput)
{
    Write("country.dat", "old country");
    Write("prefix.dat", "old prefix");
    Write("call.dat", "old call");
    auto unchanged = [] {
        return Read("country.dat") == "old country" && Read("prefix.dat") == "old prefix"
               && Read("call.dat") == "old call";
    };

    Write("cty.dat", Cty);
    EXPECT_EQ(TVornixDataFiles().CreateDataFiles(), TDataFileResult::InputMissing);
    EXPECT_TRUE(unchanged());

    Write("dxccentity.dat", Entities);
    Write("cty.dat", QByteArray("Version=2\r\n") + Cty);
    EXPECT_EQ(TVornixDataFiles().CreateDataFiles(), TDataFileResult::NotCountryFile);
    EXPECT_TRUE(unchanged());

    // call.dat cannot be replaced: the other two stay as they were as well.
    Write("cty.dat", Cty);
    QFile::remove(GetCommonDataFileName("call.dat"));
    ASSERT_TRUE(QDir().mkdir(GetCommonDataFileName("call.dat")));
    EXPECT_EQ(TVornixDataFiles().CreateDataFiles(), TDataFileResult::WriteFailed);
    EXPECT_EQ(Read("country.dat"), "old country");
    EXPECT_EQ(Read("prefix.dat"), "old prefix");
    EXPECT_EQ(QDir(GetCommonDataFileName("")).entryList(QDir::Files).size(), 4); // no temporaries left
}

TEST_F(DataFilesTest, TruncatedCtyBuildsWhatIsThere)
{
    QFile big(VX_TESTDATA_DIR "/cty/bigcty_cty.dat");
    ASSERT_TRUE(big.open(QIODevice::ReadOnly));
    const QByteArray all = big.readAll();
    Write("dxccentity.dat", Entities);
    // Cut inside a header, inside an item and at a line end.
    for (const int length : {20, 100, 1000, 77777, int(all.size()) - 3}) {
        Write("cty.dat", all.left(length));
        ASSERT_EQ(TVornixDataFiles().CreateDataFiles(), TDataFileResult::Written) << length;
    }
    // "    1A;" is complete at 100 bytes, and a cut-off item is left out, not stored shortened.
    Write("cty.dat", all.left(100));
    TVornixDataFiles().CreateDataFiles();
    EXPECT_EQ(Read("prefix.dat"), Crlf("1A=1A\n"));
    const int cut = all.indexOf("=9M6/LA7XK") + 6;
    Write("cty.dat", all.left(cut));
    TVornixDataFiles().CreateDataFiles();
    EXPECT_TRUE(QByteArray::fromStdString(Read("call.dat")).contains("9M6/LA6VM=1S\r\n"));
    EXPECT_FALSE(QByteArray::fromStdString(Read("call.dat")).contains("9M6/L="));
}

TEST_F(DataFilesTest, CallAreas)
{
    EXPECT_EQ(TVornixDataFiles().CreateCallAreaFile(), TDataFileResult::InputMissing);
    EXPECT_FALSE(QFileInfo::exists(GetCommonDataFileName("callarea.dat")));

    Write("cty_wt_mod.dat", "# Source: notes: a comment is no entity\n"
                            "# ADIF 291\n"
                            "United States:            05:  08:  NA:   37.60:    91.87:     5.0:  K:\n"
                            "    AA,K,N,W,\n"
                            "# Connecticut\n"
                            "    K1(5)[8]<42.3/71.5>~5.0~,=K1XXX<41.7/72.7>;\n"
                            "# Rhode Island: RI\n"
                            "    K2ABC,K3(4)[7]<1.0/2.0>,\n"
                            "    K4<3.0/4.0>,K5(3)[6]<5.0/6.0>,k5(3)[6]<5.0/6.0>;\n");
    ASSERT_EQ(TVornixDataFiles().CreateCallAreaFile(), TDataFileResult::Written);
    // An item without a position gives no line and does not run into the next call; an item
    // takes no zones from a later item; "k5" equals "K5" but for case and is dropped.
    EXPECT_EQ(Read("callarea.dat"), Crlf("K1=K;Connecticut;05;08;42.3;71.5;\n"
                                         "K1XXX=K;Connecticut;05;08;41.7;72.7;\n"
                                         "K3=K;Rhode Island: RI;04;07;1.0;2.0;\n"
                                         "K4=K;Rhode Island: RI;;;3.0;4.0;\n"
                                         "K5=K;Rhode Island: RI;03;06;5.0;6.0;\n"));

    Write("cty_wt_mod.dat", "");
    ASSERT_EQ(TVornixDataFiles().CreateCallAreaFile(), TDataFileResult::Written);
    EXPECT_EQ(Read("callarea.dat"), "");
}

TEST_F(DataFilesTest, ReadsWindows1252AndSkipsByteOrderMark)
{
    Write("a.txt", "\xEF\xBB\xBF" "Cura\xC3\xA7" "ao");
    Write("b.txt", "Cura\xE7" "ao \x80");
    EXPECT_EQ(ReadTextFileAsUtf8(GetCommonDataFileName("a.txt")), QByteArray("Cura\xC3\xA7" "ao"));
    EXPECT_EQ(ReadTextFileAsUtf8(GetCommonDataFileName("b.txt")), QByteArray("Cura\xC3\xA7" "ao \xE2\x82\xAC"));
    EXPECT_EQ(ReadTextFileAsUtf8(GetCommonDataFileName("none.txt")), std::nullopt);
}

TEST_F(DataFilesTest, InstallsShippedFilesOnce)
{
    QDir(GetCommonDataFileName("")).removeRecursively();
    const QString systemCty = FRoot.path() + "/system-cty.dat";
    {
        QFile f(systemCty);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Cty);
    }
    ASSERT_TRUE(InstallDataFiles(ShippedDataFolder(), systemCty));
    QFile shipped(ShippedDataFolder() + "/dxccentity.dat");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(Read("dxccentity.dat"), shipped.readAll().toStdString());
    EXPECT_EQ(Read("cty.dat"), Cty);
    EXPECT_TRUE(QFileInfo(GetCommonDataFileName("dxccentity.dat")).isWritable());

    // What the folder holds is never replaced.
    Write("dxccentity.dat", "mine");
    Write("cty.dat", "mine too");
    ASSERT_TRUE(InstallDataFiles(ShippedDataFolder(), systemCty));
    EXPECT_EQ(Read("dxccentity.dat"), "mine");
    EXPECT_EQ(Read("cty.dat"), "mine too");

    // Without a system copy there is simply no cty.dat yet.
    QFile::remove(GetCommonDataFileName("cty.dat"));
    EXPECT_TRUE(InstallDataFiles(ShippedDataFolder(), FRoot.path() + "/none.dat"));
    EXPECT_FALSE(QFileInfo::exists(GetCommonDataFileName("cty.dat")));
}

// The shipped entity list: every current entity of Debian's cty.csv with its ADIF code,
// then the deleted ones, each code once.
TEST(ShippedData, EntityList)
{
    QFile f(ShippedDataFolder() + "/dxccentity.dat");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_TRUE(lines.last().isEmpty());
    QHash<QByteArray, int> codeOf;
    QSet<int> codes;
    int deleted = 0;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        ASSERT_TRUE(line.endsWith('\r')) << line.constData();
        const int eq = line.indexOf('=');
        const int semicolon = line.indexOf(';', eq);
        ASSERT_GT(eq, 0) << line.constData();
        ASSERT_GT(semicolon, eq + 1) << line.constData();
        bool ok = false;
        const int code = line.mid(semicolon + 1).trimmed().toInt(&ok);
        ASSERT_TRUE(ok && code > 0) << line.constData();
        EXPECT_FALSE(codes.contains(code)) << code;
        codes.insert(code);
        if (line.startsWith('['))
            ++deleted;
        else
            EXPECT_EQ(deleted, 0) << "current entity after the deleted ones: " << line.constData();
        codeOf.insert(line.left(eq), code);
    }
    EXPECT_EQ(codes.size(), 402);
    EXPECT_EQ(deleted, 62);

    QFile csv("/usr/share/hamradio-files/cty.csv");
    if (!csv.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "hamradio-files is not installed";
    int current = 0;
    for (const QByteArray& row : csv.readAll().split('\n')) {
        const QList<QByteArray> f = row.split(',');
        if (f.size() < 3 || f[0].startsWith('*'))
            continue;
        ++current;
        EXPECT_EQ(codeOf.value(f[0]), f[2].toInt()) << f[0].constData();
    }
    EXPECT_EQ(current, 340);
}
