// The menu definition files: the line reader, the file reader and the two shipped files.
#include "client/MenuDefinitions.h"
#include "core/DataFiles.h"

#include "ClientTestUtils.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

QString Path(const char* name)
{
    return GetCommonDataFileName(QString::fromLatin1(name));
}

} // namespace

TEST(MenuLine, FieldsAsTheFormatGivesThem)
{
    struct Case {
        const char* line;
        const char* group;
        const char* no;
        int32_t length, min, max, step;
        int64_t defVal;
        const char* values;
        const char* advice;
    };
    const Case cases[] = {
        // Every field; the range is split at its bar.
        {"AGC;001;FST DLY;Fast delay;INT;4;20|4000;20;300;msec;300;f;a", "AGC", "001", 4, 20, 4000, 20, 300, "msec", "a"},
        // The advice keeps every further ";".
        {"G;002;N;D;INT;1;0|9;1;0;;;f;use A; then B;; end", "G", "002", 1, 0, 9, 1, 0, "", "use A; then B;; end"},
        // Empty number fields read 0; "0|100" gives 0 and 100.
        {"G;003;N;D;INT;;0|100;;;;;;", "G", "003", 0, 0, 100, 0, 0, "", ""},
        // A line with fewer fields leaves the rest empty.
        {"G;004;N", "G", "004", 0, 0, 0, 0, 0, "", ""},
        // Blanks around numbers, signs and a 64-bit default.
        {"G;005;N;D;INT; 3 ;-40|+20; 2 ;-9000000000;;;;", "G", "005", 3, -40, 20, 2, -9000000000LL, "", ""},
        // A range without a bar keeps 0 and 0.
        {"G;006;N;D;ENUM;1;?;;2;A|B|C;;;", "G", "006", 1, 0, 0, 0, 2, "A|B|C", ""},
    };
    for (const Case& c : cases) {
        TMenuEntry e;
        QString why;
        ASSERT_TRUE(ParseMenuLine(e, QString::fromUtf8(c.line), &why)) << c.line << ": " << why.toStdString();
        EXPECT_EQ(e.Group, c.group) << c.line;
        EXPECT_EQ(e.No, c.no) << c.line;
        EXPECT_EQ(e.Length, c.length) << c.line;
        EXPECT_EQ(e.Min, c.min) << c.line;
        EXPECT_EQ(e.Max, c.max) << c.line;
        EXPECT_EQ(e.Step, c.step) << c.line;
        EXPECT_EQ(e.DefVal, c.defVal) << c.line;
        EXPECT_EQ(e.Values, c.values) << c.line;
        EXPECT_EQ(e.Advice, QString::fromUtf8(c.advice)) << c.line;
    }
    TMenuEntry e;
    ASSERT_TRUE(ParseMenuLine(e, "G;003;N;D;INT;4;0|100;1;5;;;;"));
    EXPECT_EQ(e.P2Command, "0|100");
    EXPECT_EQ(e.MenuNo(), 3);
}

TEST(MenuLine, MarkedAndBadNumberFields)
{
    TMenuEntry e;
    ASSERT_TRUE(ParseMenuLine(e, "?;007;?;?;?;?;?;?;?;?;?;?;?"));
    EXPECT_TRUE(e.LengthUnknown);
    EXPECT_TRUE(e.StepUnknown);
    EXPECT_TRUE(e.DefValUnknown);
    EXPECT_FALSE(e.HasRange());
    EXPECT_EQ(e.Length, 0);

    for (const char* bad : {"G;001;N;D;INT;x;;;;;;;", "G;001;N;D;INT;1;a|5;;;;;;", "G;001;N;D;INT;1;;1.5;;;;;",
                            "G;001;N;D;INT;1;;;12ab;;;;", "G;001;N;D;INT;99999999999;;;;;;;", "G;001;N;D;INT;-;;;;;;;"}) {
        QString why;
        EXPECT_FALSE(ParseMenuLine(e, QString::fromLatin1(bad), &why)) << bad;
        EXPECT_FALSE(why.isEmpty()) << bad;
    }
    // Numbers that are not three digits are no menu number.
    for (const char* no : {"5", "0005", "a05", ""}) {
        ASSERT_TRUE(ParseMenuLine(e, QStringLiteral("G;%1;N").arg(QLatin1String(no))));
        EXPECT_EQ(e.MenuNo(), 0) << no;
    }
}

TEST(MenuFile, ReadsLinesAfterTheHeader)
{
    WriteDataFile("defs.dat", "header;with;fields;INT;3\r\n");
    TMenuDefinitions defs = ReadMenuDefinitions(Path("defs.dat"));
    EXPECT_TRUE(defs.Found);
    EXPECT_TRUE(defs.Entries.isEmpty());
    EXPECT_EQ(defs.ErrorLine, 0);

    // Blank lines are no items; CR LF and a missing final line end are both fine.
    WriteDataFile("defs.dat", "H\r\nA;001;N1;D1;INT;1;0|9;1;0;;;;\r\n\r\nA;002;N2;D2;INT;1;0|9;1;0;;;;");
    defs = ReadMenuDefinitions(Path("defs.dat"));
    ASSERT_EQ(defs.Entries.size(), 2);
    EXPECT_EQ(defs.Entries[1].Name, "N2");

    // A bad number stops the reading; what came before stays.
    WriteDataFile("defs.dat", "H\nA;001;N1;D1;INT;1;;;;;;;\nA;002;N2;D2;INT;one;;;;;;;\nA;003;N3;D3;INT;1;;;;;;;\n");
    defs = ReadMenuDefinitions(Path("defs.dat"));
    ASSERT_EQ(defs.Entries.size(), 1);
    EXPECT_EQ(defs.ErrorLine, 3);
    EXPECT_TRUE(defs.Error.contains("one")) << defs.Error.toStdString();

    // A table longer than any radio's menu is read whole.
    QByteArray big = "H\n";
    for (int i = 1; i <= 300; ++i)
        big += QStringLiteral("G%1;%2;N;D;INT;3;0|999;1;0;;;;\n").arg(i / 50).arg(i % 1000, 3, 10, QLatin1Char('0')).toLatin1();
    WriteDataFile("defs.dat", big);
    defs = ReadMenuDefinitions(Path("defs.dat"));
    EXPECT_EQ(defs.Entries.size(), 300);
    EXPECT_EQ(defs.Entries.last().No, "300");

    EXPECT_FALSE(ReadMenuDefinitions(Path("missing.dat")).Found);

    // Bytes that are no text at all end the reading without harm.
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 37 + 11) % 256));
    WriteDataFile("defs.dat", binary);
    defs = ReadMenuDefinitions(Path("defs.dat"));
    EXPECT_TRUE(defs.Found);
    RemoveDataFile("defs.dat");
}

TEST(MenuFile, ModelsAndFileNames)
{
    EXPECT_EQ(MenuDefinitionFileName(FT2000), "menu_ft2000.dat");
    EXPECT_EQ(MenuDefinitionFileName(FT2000D), "menu_ft2000.dat");
    EXPECT_EQ(MenuDefinitionFileName(FTDX5000), "menu_ftdx5000.dat");
    EXPECT_TRUE(MenuDefinitionFileName(FT950).isEmpty());
}

// --- The shipped files ----------------------------------------------------------------------

namespace {

struct KnownItem {
    int no;
    const char* kind;
    int length;
};

// What the CAT engine itself relies on of each model's menu: the microphone equalizer, the
// SSB transmit bandwidth, "my bands" and the maximum power.
void CheckShipped(const char* file, int count, const std::vector<KnownItem>& known)
{
    RemoveDataFile(QString::fromLatin1(file));
    ASSERT_TRUE(InstallDataFiles(ShippedDataFolder(), QStringLiteral("/nonexistent")));
    const TMenuDefinitions defs = ReadMenuDefinitions(GetCommonDataFileName(QString::fromLatin1(file)));
    ASSERT_TRUE(defs.Found) << file;
    EXPECT_EQ(defs.ErrorLine, 0) << file << ": " << defs.Error.toStdString();
    // One line per menu item, numbered 001 upwards without a gap.
    ASSERT_EQ(defs.Entries.size(), count) << file;
    for (int i = 0; i < defs.Entries.size(); ++i)
        EXPECT_EQ(defs.Entries[i].MenuNo(), i + 1) << file << " line " << i + 2;
    for (const KnownItem& k : known) {
        const TMenuEntry& e = defs.Entries[k.no - 1];
        EXPECT_EQ(e.DataType, k.kind) << file << " " << k.no;
        EXPECT_EQ(e.Length, k.length) << file << " " << k.no;
        EXPECT_FALSE(e.LengthUnknown) << file << " " << k.no;
    }
}

std::vector<KnownItem> EqualizerItems(int first)
{
    std::vector<KnownItem> items;
    for (int i = 0; i < 18; ++i)
        // Frequency: an index into the band's list; gain: sign and two digits; bandwidth: two digits.
        items.push_back({first + i, i % 3 == 0 ? "ENUM" : "INT", i % 3 == 1 ? 3 : 2});
    return items;
}

} // namespace

TEST(MenuFile, ShippedFiles)
{
    std::vector<KnownItem> ft2000 = EqualizerItems(125);
    ft2000.insert(ft2000.end(), {{85, "ENUM", 1}, {124, "VALS", 13}, {144, "ENUM", 1}});
    CheckShipped("menu_ft2000.dat", 147, ft2000);
    std::vector<KnownItem> ftdx5000 = EqualizerItems(152);
    ftdx5000.insert(ftdx5000.end(), {{104, "ENUM", 1}, {151, "VALS", 13}, {171, "ENUM", 1}});
    CheckShipped("menu_ftdx5000.dat", 177, ftdx5000);
}
