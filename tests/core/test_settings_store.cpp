// The settings store file and the application view settings.
#include "core/DMApplication.h"
#include "core/DataFiles.h"
#include "core/IniStore.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/PrivateMounts.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

int FileMode(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 0777);
}

void ExpectPanel(const TPanelPosition& p, int index, bool use, bool visible, int height, int width, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(p.ControlIndex, index);
    EXPECT_EQ(p.Use, use);
    EXPECT_EQ(p.Visible, visible);
    EXPECT_EQ(p.Height, height);
    EXPECT_EQ(p.Width, width);
}

// Writes raw values as a hand-edited or foreign file would hold them.
void WriteRaw(std::initializer_list<std::pair<const char*, const char*>> values)
{
    QDir().mkpath(QFileInfo(TDMApplication::SettingsFileName()).absolutePath());
    QSettings s(TDMApplication::SettingsFileName(), QSettings::IniFormat);
    for (const auto& [key, value] : values)
        s.setValue(QLatin1String(key), QString::fromLatin1(value));
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// A settings file as an older program wrote it: Windows-1252, a value and a key name with
// letters beyond ASCII, in two sections.
const QByteArray Windows1252Settings = "[Client]\r\nName=Gr\xFC\xDF" "e\r\nNormalWidth=1300\r\n"
                                       "[Other]\r\nK\xE4y=caf\xE9 au lait\r\n";

} // namespace

class SettingsStore : public ::testing::Test {
protected:
    ScopedConfigHome home;
};

TEST_F(SettingsStore, LivesInTheUserConfigFolderReadableByTheOwnerOnly)
{
    const QString file = TDMApplication::SettingsFileName();
    EXPECT_EQ(file, home.Path() + "/Zemro/Vornix.ini");
    TIniStore ini(file);
    EXPECT_EQ(FileMode(file), 0600);
    ini.WriteString("Server\\Users", "Password", "secret");
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(FileMode(file), 0600);

    // A file that someone else made readable by others is closed up again.
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::ReadGroup);
    TIniStore again(file);
    again.WriteInteger("Client\\Application", "CompactView", 0);
    ASSERT_TRUE(again.UpdateFile());
    EXPECT_EQ(FileMode(file), 0600);
}

TEST_F(SettingsStore, SectionsAreNestedGroupsAndNamesMatchWithoutRegardToCase)
{
    const QString file = TDMApplication::SettingsFileName();
    {
        TIniStore ini(file);
        ini.WriteString("Client\\RadioCOMPort", "Port", "/dev/ttyUSB0");
        ini.WriteInteger("Client\\DVK", "DeviceId", 3);
    }
    QSettings raw(file, QSettings::IniFormat);
    EXPECT_EQ(raw.value("Client/RadioCOMPort/Port").toString(), "/dev/ttyUSB0");

    TIniStore ini(file);
    EXPECT_EQ(ini.ReadString("client\\radiocomport", "PORT", ""), "/dev/ttyUSB0");
    EXPECT_EQ(ini.ReadInteger("Client/DVK", "DeviceID", 0), 3);
    // Writing under the other spelling replaces the one value instead of adding a second.
    ini.WriteInteger("CLIENT\\dvk", "DeviceID", 4);
    ini.UpdateFile();
    EXPECT_EQ(ini.ReadSection("Client\\DVK"), QStringList{"DeviceId"});
    EXPECT_EQ(ini.ReadInteger("Client\\DVK", "DeviceId", 0), 4);
}

TEST_F(SettingsStore, TypedValuesRoundTripAndBadValuesGiveTheDefault)
{
    const QString file = TDMApplication::SettingsFileName();
    const QStringList texts = {"FR0;FT2;MD03;MG050;", "a, b,c", "  leading blanks", "@at", "C:\\path\\x", "Zürich ✓", "", "1"};
    {
        TIniStore ini(file);
        for (int i = 0; i < texts.size(); ++i)
            ini.WriteString("Client\\Presets", QStringLiteral("T%1").arg(i), texts[i]);
        ini.WriteInteger("Client\\Application", "NormalWidth", -2147483647 - 1);
        ini.WriteBool("Client\\IPC", "IPCServer", true);
    }
    TIniStore ini(file);
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(ini.ReadString("Client\\Presets", QStringLiteral("T%1").arg(i), "default"), texts[i]) << i;
    EXPECT_EQ(ini.ReadInteger("Client\\Application", "NormalWidth", 0), -2147483647 - 1);
    EXPECT_TRUE(ini.ReadBool("Client\\IPC", "IPCServer", false));
    // A Boolean reads as a number too, as in the registry.
    EXPECT_EQ(ini.ReadInteger("Client\\IPC", "IPCServer", 7), 1);

    // Text where a number or a switch is expected, and missing values.
    EXPECT_EQ(ini.ReadInteger("Client\\Presets", "T0", 42), 42);
    EXPECT_EQ(ini.ReadInteger("Client\\Presets", "T7", 42), 1);
    EXPECT_TRUE(ini.ReadBool("Client\\Presets", "T0", true));
    EXPECT_FALSE(ini.ReadBool("Client\\Presets", "T0", false));
    EXPECT_EQ(ini.ReadString("Client\\Nowhere", "X", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("Client\\Presets", "Missing", -5), -5);
}

TEST_F(SettingsStore, SectionOperations)
{
    TIniStore ini(TDMApplication::SettingsFileName());
    ini.WriteString("Client\\DXCluster\\Cluster", "Name1", "a");
    ini.WriteString("Client\\DXCluster\\Cluster", "Name2", "b");
    ini.WriteString("Client\\DXCluster", "Active", "1");
    EXPECT_TRUE(ini.SectionExists("Client\\DXCluster\\cluster"));
    EXPECT_FALSE(ini.SectionExists("Client\\DXCluster\\Buttons"));
    EXPECT_TRUE(ini.ValueExists("Client\\DXCluster", "active"));
    EXPECT_FALSE(ini.ValueExists("Client\\DXCluster", "Name1"));
    EXPECT_EQ(ini.ReadSection("Client\\DXCluster\\Cluster"), (QStringList{"Name1", "Name2"}));

    ini.DeleteKey("Client\\DXCluster\\Cluster", "NAME1");
    EXPECT_EQ(ini.ReadSection("Client\\DXCluster\\Cluster"), QStringList{"Name2"});
    ini.EraseSection("client\\dxcluster");
    EXPECT_FALSE(ini.SectionExists("Client\\DXCluster"));
    EXPECT_FALSE(ini.SectionExists("Client\\DXCluster\\Cluster"));
    EXPECT_TRUE(ini.ReadSection("Client\\DXCluster\\Cluster").isEmpty());
}

// Files edited by hand or left by the previous program spell one group several ways; every
// value under every spelling belongs to the section, and writing them back drops none.
TEST_F(SettingsStore, AGroupSpeltSeveralWaysKeepsEveryValue)
{
    const QString file = TDMApplication::SettingsFileName();
    WriteBytes(file, "[client]\n"
                     "application\\ApplicationType=3\n"
                     "application\\CompactView=2\n"
                     "APPLICATION\\LastSetting=Band Plan\n"
                     "APPLICATION\\NormalWidth=1200\n"
                     "Application\\NormalWidth=1300\n"
                     "panels\\cw\\Visible=false\n"
                     "Panels\\CW\\Width=300\n"
                     "[CLIENT]\n"
                     "userinterface\\RotorPushAndHold=true\n");
    struct Stored {
        const char* key;   // as the file spells it
        const char* value; // after the write
    };
    // The value under the exact spelling is the one read; the copy under "APPLICATION" is kept.
    const Stored afterWrite[] = {
        {"client/application/ApplicationType", "3"}, {"client/application/CompactView", "2"},
        {"client/APPLICATION/LastSetting", "Band Plan"}, {"client/APPLICATION/NormalWidth", "1200"},
        {"client/Application/NormalWidth", "1500"}, {"client/panels/cw/Visible", "0"},
        {"client/Panels/CW/Width", "300"}, {"CLIENT/userinterface/RotorPushAndHold", "1"},
    };
    const auto expectRead = [](TDMApplication& app, TApplicationRole& dm, int width) {
        EXPECT_EQ(dm.ApplicationType(), isRemoteClient);
        EXPECT_EQ(dm.LastSetting(), "Band Plan");
        EXPECT_EQ(app.CompactView(), 2);
        EXPECT_EQ(app.NormalWidth(), width);
        EXPECT_TRUE(app.RotorPushAndHold());
        ExpectPanel(app.PositionCW(), 1, true, false, 251, 300, "CW");
    };
    {
        TApplicationRole dm;
        TDMApplication app;
        app.SetDM(&dm);
        app.IniRead();
        expectRead(app, dm, 1300);
        QStringList names = app.IniRegistry()->ReadSection("Client\\Application");
        names.sort();
        EXPECT_EQ(names, (QStringList{"ApplicationType", "CompactView", "LastSetting", "NormalWidth"}));
        app.SetNormalWidth(1500);
        app.IniWrite();
        app.Close();
    }
    QSettings raw(file, QSettings::IniFormat);
    for (const Stored& s : afterWrite)
        EXPECT_EQ(raw.value(QLatin1String(s.key)).toString(), QLatin1String(s.value)) << s.key;

    TApplicationRole dm;
    TDMApplication app;
    app.SetDM(&dm);
    app.IniRead();
    expectRead(app, dm, 1500);

    // Deleting a value or a section takes every spelling, or the next read would find another.
    TIniStore& ini = *app.IniRegistry();
    ini.DeleteKey("Client\\Application", "normalwidth");
    EXPECT_FALSE(ini.ValueExists("Client\\Application", "NormalWidth"));
    ini.EraseSection("Client\\Panels\\CW");
    EXPECT_FALSE(ini.SectionExists("Client\\Panels\\CW"));
    EXPECT_TRUE(ini.ReadSection("Client\\Panels\\CW").isEmpty());
    EXPECT_TRUE(ini.ValueExists("Client\\Application", "ApplicationType"));
}

TEST_F(SettingsStore, AFirstRunGivesTheCreationValues)
{
    TApplicationRole dm;
    TDMApplication app;
    app.SetDM(&dm);
    app.IniRead();
    app.Close();

    EXPECT_EQ(dm.ApplicationType(), isLocal);
    EXPECT_EQ(dm.LastSetting(), "");
    EXPECT_EQ(dm.LastMenuNo(), 0);
    EXPECT_EQ(app.CompactView(), 1);
    EXPECT_EQ(app.NormalWidth(), 1440);
    EXPECT_FALSE(app.RotorPushAndHold());
    ExpectPanel(app.PositionMessages(), 0, true, true, 251, 122, "messages");
    ExpectPanel(app.PositionCW(), 1, true, true, 251, 286, "CW");
    ExpectPanel(app.PositionLog(), 2, true, true, 251, 352, "log");
    ExpectPanel(app.PositionRTTY(), 3, false, false, 251, 286, "RTTY");
    ExpectPanel(app.PositionRCM(), 4, false, false, 251, 150, "RCM");
    ExpectPanel(app.PositionRotator(), 5, false, false, 251, 177, "rotator");
    ExpectPanel(app.PositionPlayBack(), 0, false, false, 0, 0, "playback");
}

TEST_F(SettingsStore, ValuesRoundTripThroughCloseAndANewStore)
{
    {
        TApplicationRole dm;
        dm.SetApplicationType(isLocalAndRemoteServer);
        dm.SetLastSetting("Remote Server");
        dm.SetLastMenuNo(57);
        TDMApplication app;
        app.SetDM(&dm);
        TIniStore* first = app.IniRegistry();
        EXPECT_EQ(app.IniRegistry(), first);
        app.SetCompactView(2);
        app.SetNormalWidth(1680);
        app.SetRotorPushAndHold(true);
        app.SetPositionRTTY({9, true, true, 300, 400});
        app.SetPositionRotator({6, false, true, 120, 90});
        app.SetPositionPlayBack({0, false, true, -20, 1900}); // top -20, left 1900
        app.IniWrite();
        app.Close();
    }
    QSettings raw(TDMApplication::SettingsFileName(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Client/Application/ApplicationType").toInt(), 1);
    EXPECT_EQ(raw.value("Client/Playback/Top").toInt(), -20);
    EXPECT_EQ(raw.value("Client/Playback/Left").toInt(), 1900);
    EXPECT_FALSE(raw.contains("Client/WinKey/UseWinKey"));
    EXPECT_FALSE(raw.contains("Client/Panels/RTTY/Use"));

    TApplicationRole dm;
    TDMApplication app;
    app.SetDM(&dm);
    app.IniRead();
    EXPECT_EQ(dm.ApplicationType(), isLocalAndRemoteServer);
    EXPECT_EQ(dm.LastSetting(), "Remote Server");
    EXPECT_EQ(dm.LastMenuNo(), 57);
    EXPECT_EQ(app.CompactView(), 2);
    EXPECT_EQ(app.NormalWidth(), 1680);
    EXPECT_TRUE(app.RotorPushAndHold());
    // Use of the RTTY and rotator panels is never stored: the creation values stay.
    ExpectPanel(app.PositionRTTY(), 9, false, true, 300, 400, "RTTY");
    ExpectPanel(app.PositionRotator(), 6, false, true, 120, 90, "rotator");
    EXPECT_TRUE(app.PositionPlayBack().Visible);
    EXPECT_EQ(app.PositionPlayBack().Height, -20);
    EXPECT_EQ(app.PositionPlayBack().Width, 1900);

    // After Close the next store is a new object that sees everything written before.
    TIniStore* before = app.IniRegistry();
    before->WriteString("Client\\General", "Call", "DL1ABC");
    app.Close();
    EXPECT_EQ(app.IniRegistry()->ReadString("Client\\General", "Call", ""), "DL1ABC");
}

TEST_F(SettingsStore, RoleAndPanelRules)
{
    struct Case {
        const char* role;       // stored "ApplicationType"
        const char* useWinKey;  // stored "UseWinKey", nullptr: missing
        TApplicationType before;
        TApplicationType after;
        bool useMessages, useCW, visibleCW, useLog;
    };
    const Case cases[] = {
        {"0", nullptr, isRemoteClient, isLocal, true, true, true, true},
        {"3", nullptr, isLocal, isRemoteClient, true, true, true, true},
        // The remote server shows none of the three panels but keeps their visibility.
        {"2", nullptr, isLocal, isRemoteServer, false, false, true, false},
        // Roles that do not exist leave the role as it was.
        {"7", nullptr, isRemoteClient, isRemoteClient, true, true, true, true},
        {"-1", nullptr, isLocalAndRemoteServer, isLocalAndRemoteServer, true, true, true, true},
        // Without a WinKeyer the CW panel is hidden whatever "Visible" says.
        {"0", "0", isLocal, isLocal, true, false, false, true},
        {"2", "0", isLocal, isRemoteServer, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("role ") + c.role + ", UseWinKey " + (c.useWinKey ? c.useWinKey : "missing"));
        ScopedConfigHome own;
        WriteRaw({{"Client/Application/ApplicationType", c.role}, {"Client/Panels/CW/Visible", "1"},
                  {"Client/Panels/Messages/Visible", "1"}, {"Client/Panels/Log/Visible", "1"}});
        if (c.useWinKey)
            WriteRaw({{"Client/WinKey/UseWinKey", c.useWinKey}});
        TApplicationRole dm;
        dm.SetApplicationType(c.before);
        TDMApplication app;
        app.SetDM(&dm);
        app.IniRead();
        EXPECT_EQ(dm.ApplicationType(), c.after);
        EXPECT_EQ(app.PositionMessages().Use, c.useMessages);
        EXPECT_TRUE(app.PositionMessages().Visible);
        EXPECT_EQ(app.PositionCW().Use, c.useCW);
        EXPECT_EQ(app.PositionCW().Visible, c.visibleCW);
        EXPECT_EQ(app.PositionLog().Use, c.useLog);
        EXPECT_TRUE(app.PositionLog().Visible);
    }
}

TEST_F(SettingsStore, NonsenseValuesKeepTheDefaults)
{
    WriteRaw({{"Client/Application/ApplicationType", "foo"},
              {"Client/Application/CompactView", "7"},
              {"Client/Application/NormalWidth", "wide"},
              {"Client/Application/LastMenuNo", "x"},
              {"Client/UserInterface/RotorPushAndHold", "perhaps"},
              {"Client/Panels/Log/Height", "-40"},
              {"Client/Panels/Log/Width", "12abc"},
              {"Client/Panels/Log/Visible", "no"}});
    TApplicationRole dm;
    TDMApplication app;
    app.SetDM(&dm);
    app.IniRead();
    EXPECT_EQ(dm.ApplicationType(), isLocal);
    EXPECT_EQ(dm.LastMenuNo(), 0);
    EXPECT_EQ(app.CompactView(), 1);
    EXPECT_EQ(app.NormalWidth(), 1440);
    EXPECT_FALSE(app.RotorPushAndHold());
    ExpectPanel(app.PositionLog(), 2, true, true, 251, 352, "log");
}

TEST_F(SettingsStore, AnUnreadableOrGarbledFileStartsWithTheDefaults)
{
    const QString file = TDMApplication::SettingsFileName();
    QDir().mkpath(QFileInfo(file).absolutePath());

    // Binary garbage: read as nothing, and the next write makes it a settings file again.
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(char((i * 37 + 11) % 256));
        f.write(junk);
    }
    {
        TApplicationRole dm;
        TDMApplication app;
        app.SetDM(&dm);
        app.IniRead();
        EXPECT_EQ(dm.ApplicationType(), isLocal);
        EXPECT_EQ(app.CompactView(), 1);
        EXPECT_EQ(app.NormalWidth(), 1440);
        app.SetNormalWidth(1500);
        app.IniWrite();
        app.Close();
        TDMApplication again;
        again.IniRead();
        EXPECT_EQ(again.NormalWidth(), 1500);
    }

    // Something that is no file at all at the settings path.
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
    TApplicationRole dm;
    TDMApplication app;
    app.SetDM(&dm);
    app.IniRead();
    EXPECT_EQ(dm.ApplicationType(), isLocal);
    EXPECT_EQ(app.NormalWidth(), 1440);
    app.IniWrite(); // fails quietly: nothing to crash on
    EXPECT_FALSE(app.IniRegistry()->UpdateFile());
    app.Close();
}

TEST_F(SettingsStore, AWindows1252FileIsChangedToUtf8OnceAndKeepsEveryValue)
{
    const QString file = TDMApplication::SettingsFileName();
    WriteBytes(file, Windows1252Settings);
    {
        TIniStore ini(file);
        EXPECT_EQ(ini.ReadString("Client", "Name", ""), QStringLiteral("Gr\u00fc\u00dfe"));
        // An unrelated write rewrites the whole file.
        ini.WriteInteger("Client\\Application", "CompactView", 0);
        ASSERT_TRUE(ini.UpdateFile());
    }
    EXPECT_EQ(ReadBytes(file + ".bak"), Windows1252Settings) << "the original is kept";
    EXPECT_EQ(FileMode(file + ".bak"), 0600) << "the backup holds passwords too";
    EXPECT_FALSE(Windows1252AsUtf8(ReadBytes(file))) << "the file is UTF-8 now";

    TIniStore again(file);
    EXPECT_EQ(again.ReadString("Client", "Name", ""), QStringLiteral("Gr\u00fc\u00dfe"));
    EXPECT_EQ(again.ReadInteger("Client", "NormalWidth", 0), 1300);
    EXPECT_EQ(again.ReadSection("Other"), QStringList{QStringLiteral("K\u00e4y")});
    EXPECT_EQ(again.ReadString("Other", QStringLiteral("K\u00e4y"), ""), QStringLiteral("caf\u00e9 au lait"));
    EXPECT_EQ(again.ReadInteger("Client\\Application", "CompactView", 1), 0);
    EXPECT_FALSE(QFileInfo::exists(file + ".bak.1")) << "a UTF-8 file is not converted again";
}

TEST_F(SettingsStore, AFileMadeReadOnlyStaysSoAndTheFailedWriteIsReported)
{
    const QString file = TDMApplication::SettingsFileName();
    {
        TIniStore ini(file);
        ini.WriteInteger("Client\\Application", "NormalWidth", 1300);
        ASSERT_TRUE(ini.UpdateFile());
    }
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner));
    const QByteArray before = ReadBytes(file);

    // As any user's program does, even when the tests run as root.
    vxtest::TObeyFileModes obey;
    QStringList errors;
    TDMApplication app;
    app.OnError = [&](const QString& text) { errors << text; };
    app.IniRead();
    EXPECT_EQ(FileMode(file), 0400) << "not made writable behind the user's back";
    EXPECT_EQ(app.NormalWidth(), 1300);
    app.SetNormalWidth(1500);
    app.IniWrite();
    app.Close();
    EXPECT_EQ(errors, QStringList{QStringLiteral("The settings could not be saved: %1 is read-only").arg(file)});
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(FileMode(file), 0400);

    // A write that works reports nothing.
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    errors.clear();
    app.IniWrite();
    app.Close();
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    TDMApplication again;
    again.IniRead();
    EXPECT_EQ(again.NormalWidth(), 1500);
}

// A full file system: a small tmpfs in a mount namespace of the test's own.
TEST_F(SettingsStore, AWriteOnAFullDiskIsReportedAndLeavesTheFileAsItWas)
{
    VX_RUN_IN_PRIVATE_MOUNTS();
    const QString file = TDMApplication::SettingsFileName();
    const QString folder = QFileInfo(file).absolutePath();
    ASSERT_TRUE(QDir().mkpath(folder));
    vxtest::TSmallDisk disk(folder, 32 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Error().toStdString();
    {
        TIniStore ini(file);
        ini.WriteInteger("Client\\Application", "NormalWidth", 1300);
        ASSERT_TRUE(ini.UpdateFile());
    }
    const QByteArray before = ReadBytes(file);
    ASSERT_TRUE(disk.Fill());

    QStringList errors;
    TDMApplication app;
    app.OnError = [&](const QString& text) { errors << text; };
    app.IniRead();
    app.SetNormalWidth(1500);
    app.IniWrite();
    app.Close();
    EXPECT_EQ(errors, QStringList{QStringLiteral("The settings could not be saved: %1 could not be written").arg(file)});
    EXPECT_EQ(ReadBytes(file), before);

    // A Windows-1252 file that cannot be changed to UTF-8 (no room for it) is not written
    // over either: its text would be stored damaged.
    disk.Free();
    WriteBytes(file, Windows1252Settings);
    ASSERT_TRUE(disk.Fill());
    errors.clear();
    app.IniWrite();
    app.Close();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors.front(),
              QStringLiteral("The settings could not be saved: %1 is not in UTF-8 and could not be converted").arg(file));
    disk.Free();
    EXPECT_EQ(ReadBytes(file), Windows1252Settings);
    EXPECT_FALSE(QFileInfo::exists(file + ".bak")) << "no half backup is left";
}
