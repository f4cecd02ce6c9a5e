// The settings file: export against a committed expected file, the round trip, the import's
// reading rules, and that a refused file changes nothing.

#include "SettingsFileFixture.h"
#include "tests/support/PrivateMounts.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <sys/stat.h>

using clienttest::FileBytes;
using clienttest::WriteFileBytes;

namespace {

const QByteArray WantedDXCCBytes = "Albania=7;160;80\r\nBhutan=306;\r\nZ\xc3\xbcrich;40\r\n";
const QByteArray WantedSpotsBytes = "DL1ABC=;20;40\r\nK1XYZ=;\r\n";

struct TElementCount {
    int Values = 0;
    int Sections = 0;
};

// Counts the value elements below Settings/Client and Settings/Server, and the section
// elements holding them (those with values of their own).
TElementCount CountElements(const QByteArray& xml)
{
    struct Open {
        bool HasChild = false;
        bool HasValue = false;
    };
    TElementCount count;
    QXmlStreamReader r(xml);
    QStringList path;
    std::vector<Open> open;
    while (!r.atEnd()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (!open.empty())
                open.back().HasChild = true;
            path << r.name().toString();
            open.push_back({});
        } else if (token == QXmlStreamReader::EndElement) {
            const Open done = open.back();
            open.pop_back();
            if (path.size() >= 3 && (path[2] == "Client" || path[2] == "Server")) {
                if (!done.HasChild) {
                    ++count.Values;
                    open.back().HasValue = true;
                } else if (done.HasValue) {
                    ++count.Sections;
                }
            }
            path.removeLast();
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString();
    return count;
}

} // namespace

class ImportExportTest : public clienttest::SettingsFileTest {
protected:
    QString Export()
    {
        const QString path = Home() + "/out/Vornix.xml";
        QDir().mkpath(Home() + "/out");
        TImportExportHelper helper;
        EXPECT_TRUE(helper.ExportSettingsToXML(path)) << helper.Messages().join('\n').toStdString();
        EXPECT_TRUE(helper.Messages().isEmpty());
        return path;
    }

    QString WriteImportFile(const QByteArray& body)
    {
        const QString path = Home() + "/in/import.xml";
        WriteFileBytes(path, body);
        return path;
    }

    // Imports and notes whether the write hook ran.
    bool Import(const QString& path, QStringList* messages = nullptr)
    {
        TImportExportHelper helper;
        FHookRuns = 0;
        helper.OnBeforeImportWrite = [this] { ++FHookRuns; };
        const bool ok = helper.ImportSettingsFromXML(path);
        if (messages)
            *messages = helper.Messages();
        return ok;
    }

    int FHookRuns = 0;
};

TEST_F(ImportExportTest, ExportOfEveryValueEqualsTheExpectedFile)
{
    Fill();
    WriteFileBytes(WantedDXCC(), WantedDXCCBytes);
    WriteFileBytes(WantedSpots(), WantedSpotsBytes);

    const QString path = Export();
    QByteArray actual = FileBytes(path);
    actual.replace(path.toUtf8(), "@EXPORT_FILE@");
    const QByteArray expected = FileBytes(VX_SOURCE_DIR "/tests/client/data/settings-export.xml");
    if (actual != expected)
        WriteFileBytes(VX_BUILD_DIR "/settings-export.actual.xml", actual);
    EXPECT_TRUE(actual == expected) << "differs from the expected file: see settings-export.actual.xml in the build folder";

    const TElementCount count = CountElements(actual);
    EXPECT_EQ(count.Values, 472 + 1); // and LastXMLExportFile
    EXPECT_EQ(count.Sections, 56);
    EXPECT_TRUE(actual.contains("<MyCall/>"));
    EXPECT_TRUE(actual.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Vornix>\n"));

    // It holds passwords.
    EXPECT_EQ(QFile::permissions(path) & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFile::Permissions());
    EXPECT_EQ(TImportExportHelper().LastXMLExportFile(), path);
}

TEST_F(ImportExportTest, ASideWithoutValuesOfItsOwnIsLeftOut)
{
    {
        TIniStore store(StoreFile());
        store.WriteInteger("Client\\CWSidetone", "Pitch", 650); // only a sub-section
        store.WriteString("Server", "ServerMainForm", "0,1,2");
        store.WriteString("Server\\Users", "User0", "alice");
        store.WriteString("Server\\Users", "User5", "bob");
    }
    const QByteArray xml = FileBytes(Export());
    EXPECT_FALSE(xml.contains("<Client>"));
    EXPECT_FALSE(xml.contains("650"));
    EXPECT_TRUE(xml.contains("<Server>\n            <ServerMainForm>0,1,2</ServerMainForm>"));
    // Missing users get no element; both wanted lists are always there.
    EXPECT_EQ(QString::fromUtf8(xml).count(QRegularExpression("<User\\d+>")), 2);
    EXPECT_TRUE(xml.contains("<Users>\n                <User0>alice</User0>\n                <User5>bob</User5>\n"));
    EXPECT_TRUE(xml.contains("<WantedDXCC/>"));
    EXPECT_TRUE(xml.contains("<WantedSpots/>"));
}

TEST_F(ImportExportTest, RoundTripRestoresEveryValueWithItsTypeAndBothLists)
{
    Fill();
    WriteFileBytes(WantedDXCC(), WantedDXCCBytes);
    WriteFileBytes(WantedSpots(), WantedSpotsBytes);
    const QString path = Export();

    QFile::remove(StoreFile());
    QFile::remove(WantedDXCC());
    QFile::remove(WantedSpots());
    QStringList messages;
    ASSERT_TRUE(Import(path, &messages)) << messages.join('\n').toStdString();
    EXPECT_EQ(messages, QStringList({"Successfully imported from: " + path, "Please restart Vornix"}));
    EXPECT_EQ(FHookRuns, 1);

    TIniStore store(StoreFile());
    int checked = 0;
    clienttest::ForEachListedValue([&](const TSettingsSection& section, const TSettingsValue& value, int index) {
        const std::string where = (section.Path + '/' + value.Name).toStdString();
        if (!clienttest::Filled(section, value)) {
            // An empty element comes back as an empty string; a user never written, not at all.
            EXPECT_EQ(store.ValueExists(section.Path, value.Name), !section.SkipMissing) << where;
            EXPECT_EQ(store.ReadString(section.Path, value.Name, "-"), section.SkipMissing ? "-" : "") << where;
            return;
        }
        ++checked;
        const QString text = clienttest::FilledValue(section, value, index);
        // The raw text shows the type: a Bool is stored as 0/1, an Integer without sign or space.
        EXPECT_EQ(store.ReadString(section.Path, value.Name, "-"), text) << where;
    });
    EXPECT_EQ(checked, 472 - 1); // MyCall was missing
    EXPECT_EQ(store.ReadString("Client\\Application", "LastXMLExportFile", ""), path);
    EXPECT_EQ(FileBytes(WantedDXCC()), WantedDXCCBytes);
    EXPECT_EQ(FileBytes(WantedSpots()), WantedSpotsBytes);
}

// What one element of an import file leaves in the store.
struct TImportCase {
    const char* Name;
    const char* Client;   // the children of Settings/Client
    const char* Section;
    const char* Value;
    std::optional<const char*> Stored; // the stored text; nullopt: nothing written
};

class ImportCaseTest : public ImportExportTest, public ::testing::WithParamInterface<TImportCase> {};

TEST_P(ImportCaseTest, WritesWhatTheElementSays)
{
    const TImportCase& c = GetParam();
    const QString path = WriteImportFile(QByteArray("<?xml version=\"1.0\"?><Vornix><Settings><Client>") + c.Client +
                                         "</Client></Settings></Vornix>");
    QStringList messages;
    ASSERT_TRUE(Import(path, &messages)) << messages.join('\n').toStdString();
    const auto stored = Stored(c.Section, c.Value);
    if (c.Stored)
        EXPECT_EQ(stored, QString::fromUtf8(*c.Stored) == "@IMPORT@" ? path : QString::fromUtf8(*c.Stored));
    else
        EXPECT_EQ(stored, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Elements, ImportCaseTest,
    ::testing::Values(
        TImportCase{"EmptyInteger", "<Application><NormalWidth DataType=\"Integer\"/></Application>",
                    "Client\\Application", "NormalWidth", "0"},
        TImportCase{"NegativeInteger", "<CWSidetone><Echo DataType=\"Integer\">-1</Echo></CWSidetone>",
                    "Client\\CWSidetone", "Echo", "-1"},
        TImportCase{"EmptyBool", "<DVK><Enabled DataType=\"Bool\"/></DVK>", "Client\\DVK", "Enabled", std::nullopt},
        TImportCase{"BoolTrueWord", "<DVK><Enabled DataType=\"Bool\">true</Enabled></DVK>", "Client\\DVK", "Enabled",
                    std::nullopt},
        TImportCase{"BoolYes", "<DVK><Enabled DataType=\"Bool\">yes</Enabled></DVK>", "Client\\DVK", "Enabled",
                    std::nullopt},
        TImportCase{"BoolOne", "<DVK><Enabled DataType=\"Bool\">1</Enabled></DVK>", "Client\\DVK", "Enabled", "1"},
        // The first attribute decides, whatever its name: "+7" as a string would stay "+7".
        TImportCase{"OtherAttributeInteger", "<CWSidetone><Pitch Unit=\"Integer\">+7</Pitch></CWSidetone>",
                    "Client\\CWSidetone", "Pitch", "7"},
        TImportCase{"NoAttributeIsString", "<CWSidetone><Pitch>+7</Pitch></CWSidetone>", "Client\\CWSidetone",
                    "Pitch", "+7"},
        TImportCase{"EmptyElementIsEmptyString", "<General><MyCall/></General>", "Client\\General", "MyCall", ""},
        TImportCase{"FirstOfTwoCounts", "<General><MyCall>DL1ABC</MyCall><MyCall>K1XYZ</MyCall></General>",
                    "Client\\General", "MyCall", "DL1ABC"},
        TImportCase{"FirstOfTwoSections",
                    "<General><MyLocator>JO62</MyLocator></General><General><MyCall>K1XYZ</MyCall></General>",
                    "Client\\General", "MyCall", std::nullopt},
        TImportCase{"UnlistedValueIgnored", "<General><Secret>1</Secret></General>", "Client\\General", "Secret",
                    std::nullopt},
        TImportCase{"OnlyCluster0", "<DXCluster><Cluster1><Host>x</Host></Cluster1></DXCluster>",
                    "Client\\DXCluster\\Cluster1", "Host", std::nullopt},
        TImportCase{"NestedSection", "<AudioClient><Output><Codec>GSM</Codec></Output></AudioClient>",
                    "Client\\AudioClient\\Output", "Codec", "GSM"},
        TImportCase{"ImportedPathNotTheElement",
                    "<Application><LastXMLExportFile>/elsewhere.xml</LastXMLExportFile></Application>",
                    "Client\\Application", "LastXMLExportFile", "@IMPORT@"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ImportExportTest, ImportedFileBecomesTheLastOne)
{
    const QString path = WriteImportFile("<Vornix><Settings><Client><Application/></Client></Settings></Vornix>");
    ASSERT_TRUE(Import(path));
    EXPECT_EQ(TImportExportHelper().LastXMLExportFile(), path);
}

TEST_F(ImportExportTest, UsersAreWrittenAsFoundAndOthersStay)
{
    {
        TIniStore store(StoreFile());
        store.WriteString("Server\\Users", "User7", "old7");
    }
    const QString path = WriteImportFile("<Vornix><Settings><Server><Users><User0>a</User0><User5>b</User5>"
                                         "</Users></Server></Settings></Vornix>");
    ASSERT_TRUE(Import(path));
    EXPECT_EQ(Stored("Server\\Users", "User0"), "a");
    EXPECT_EQ(Stored("Server\\Users", "User5"), "b");
    EXPECT_EQ(Stored("Server\\Users", "User1"), std::nullopt);
    EXPECT_EQ(Stored("Server\\Users", "User7"), "old7");
}

TEST_F(ImportExportTest, WantedListsFollowTheElements)
{
    WriteFileBytes(WantedDXCC(), WantedDXCCBytes);
    WriteFileBytes(WantedSpots(), WantedSpotsBytes);
    // Empty WantedDXCC: emptied.  No WantedSpots: untouched.
    ASSERT_TRUE(Import(WriteImportFile("<Vornix><Settings><WantedDXCC/></Settings></Vornix>")));
    EXPECT_EQ(FileBytes(WantedDXCC()), QByteArray());
    EXPECT_EQ(FileBytes(WantedSpots()), WantedSpotsBytes);
    // Element order counts, not the IDs.
    ASSERT_TRUE(Import(WriteImportFile("<Vornix><Settings><WantedSpots><Wanted ID=\"1\">B=;</Wanted>"
                                       "<Wanted ID=\"0\">A=;20</Wanted><Other/></WantedSpots></Settings></Vornix>")));
    EXPECT_EQ(FileBytes(WantedSpots()), QByteArray("B=;\r\nA=;20\r\n\r\n"));
}

// Files that must change nothing at all: neither store nor lists, and the modules are not
// stopped.
struct TRefusedCase {
    const char* Name;
    QByteArray Body; // empty: no file
    const char* Message;
};

class RefusedImportTest : public ImportExportTest, public ::testing::WithParamInterface<TRefusedCase> {};

TEST_P(RefusedImportTest, ChangesNothing)
{
    Fill();
    WriteFileBytes(WantedDXCC(), WantedDXCCBytes);
    WriteFileBytes(WantedSpots(), WantedSpotsBytes);
    const QByteArray storeBefore = FileBytes(StoreFile());
    const TRefusedCase& c = GetParam();
    const QString path = c.Body.isEmpty() ? Home() + "/in/none.xml" : WriteImportFile(c.Body);

    QStringList messages;
    EXPECT_FALSE(Import(path, &messages));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8(c.Message))) << messages[0].toStdString();
    EXPECT_EQ(FHookRuns, 0);
    EXPECT_EQ(FileBytes(StoreFile()), storeBefore);
    EXPECT_EQ(FileBytes(WantedDXCC()), WantedDXCCBytes);
    EXPECT_EQ(FileBytes(WantedSpots()), WantedSpotsBytes);
}

const QByteArray GoodStart = "<Vornix><Settings><Client><ClientMainForm>new</ClientMainForm>"
                             "<General><MyCall>NEW1</MyCall></General>";
const QByteArray GoodEnd = "</Client><WantedDXCC><Wanted>X=1;</Wanted></WantedDXCC></Settings></Vornix>";

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedImportTest,
    ::testing::Values(
        TRefusedCase{"Missing", {}, "File does not exist: "},
        TRefusedCase{"NotAnInteger", GoodStart + "<CWSidetone><Pitch DataType=\"Integer\">12a</Pitch></CWSidetone>" + GoodEnd,
                     "Error: \"12a\" is not a valid integer (Vornix/Settings/Client/CWSidetone/Pitch)"},
        TRefusedCase{"IntegerTooBig",
                     GoodStart + "<WinKey><Speed DataType=\"Integer\">2147483648</Speed></WinKey>" + GoodEnd,
                     "Error: \"2147483648\" is not a valid integer (Vornix/Settings/Client/WinKey/Speed)"},
        TRefusedCase{"Truncated", GoodStart + "<CWSidetone><Pitch", "Error: "},
        TRefusedCase{"RootInOtherCase", "<vornix><Settings/></vornix>", "Error: Seems to be an invalid XML file"},
        TRefusedCase{"NoSettings", "<Vornix><Setting/></Vornix>", "Error: Seems to be an invalid XML file"},
        TRefusedCase{"NestedEntities",
                     "<?xml version=\"1.0\"?><!DOCTYPE Vornix [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaa\">"
                     "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                     "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
                     "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>" +
                         GoodStart + "<Cabrillo><Name>&f;</Name></Cabrillo>" + GoodEnd,
                     "Error: "},
        TRefusedCase{"BinaryJunk", QByteArray("\x00\x01\xff\xfe<Vornix>\x80\x81", 12), "Error: "}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ImportExportTest, ParserErrorsNameLineAndColumn)
{
    QStringList messages;
    EXPECT_FALSE(Import(WriteImportFile("<Vornix>\n<Settings>\n</Vornix>"), &messages));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("line 3")) << messages[0].toStdString();
}

TEST_F(ImportExportTest, AStoreThatCannotBeWrittenIsAnError)
{
    {
        TIniStore store(StoreFile());
        store.WriteString("Client\\General", "MyCall", "OLD1");
    }
    const QByteArray before = FileBytes(StoreFile());
    ASSERT_TRUE(QFile::setPermissions(StoreFile(), QFile::ReadOwner));
    QStringList messages;
    bool ok = true;
    {
        vxtest::TObeyFileModes obey;
        ok = Import(WriteImportFile("<Vornix><Settings><Client><General><MyCall>NEW1</MyCall></General>"
                                    "</Client></Settings></Vornix>"),
                    &messages);
    }
    QFile::setPermissions(StoreFile(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Error: ") && messages[0].contains("read-only")) << messages[0].toStdString();
    EXPECT_EQ(FileBytes(StoreFile()), before);
}

TEST_F(ImportExportTest, ExportToAFolderThatDoesNotExistIsAnError)
{
    TImportExportHelper helper;
    const QString path = Home() + "/no/such/folder/Vornix.xml";
    EXPECT_FALSE(helper.ExportSettingsToXML(path));
    ASSERT_EQ(helper.Messages().size(), 1);
    EXPECT_TRUE(helper.Messages()[0].startsWith("Error: " + path + " could not be written"));
    EXPECT_EQ(helper.LastXMLExportFile(), "");
}

TEST_F(ImportExportTest, LineBreaksSurviveAndControlCharactersAreRefused)
{
    {
        TIniStore store(StoreFile());
        store.WriteString("Client", "ClientMainForm", "0");
        store.WriteString("Client\\Messages\\CW", "Message1", "CQ\r\nDE\tDL1ABC\r");
    }
    const QString path = Export();
    QFile::remove(StoreFile());
    ASSERT_TRUE(Import(path));
    EXPECT_EQ(Stored("Client\\Messages\\CW", "Message1"), "CQ\r\nDE\tDL1ABC\r");

    {
        TIniStore store(StoreFile());
        store.WriteString("Client\\Messages\\CW", "Message2", QString("A") + QChar(1));
    }
    const QByteArray before = FileBytes(path);
    TImportExportHelper helper;
    EXPECT_FALSE(helper.ExportSettingsToXML(path));
    EXPECT_EQ(helper.Messages(),
              QStringList{"Error: Message2 of Client\\Messages\\CW holds a control character that XML cannot carry"});
    EXPECT_EQ(FileBytes(path), before);
}
