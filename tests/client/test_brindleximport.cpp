// Taking over the previous product's settings: the copy table's defaults and reading rules,
// the renumbered stations and users, the wanted-list conversion and when it is offered.

#include "SettingsFileFixture.h"

using clienttest::FileBytes;
using clienttest::WriteFileBytes;

class BrindlexImportTest : public clienttest::SettingsFileTest {
protected:
    void WriteOld(const QByteArray& ini) { WriteFileBytes(TImportExportHelper::BrindlexSettingsFileName(), ini); }

    bool ImportOld(bool overwrite, QStringList* messages = nullptr)
    {
        TImportExportHelper helper;
        const bool ok = helper.ImportSettingsFromBrindlex(overwrite);
        if (messages)
            *messages = helper.Messages();
        return ok;
    }
};

TEST_F(BrindlexImportTest, OnlyGeneralFillsEveryRowWithItsDefault)
{
    // Names without regard to case, the value as written after the first "=", the first of
    // two keys; "yes" and "12x" are no numbers.
    WriteOld("[General]\r\nmycall=DL1ABC=/P\r\nMyCall=K1XYZ\r\nNormalWidth=12x\r\nDVKWindow=yes\r\n"
             "CWWindowVisible=0\r\nRTTYWindowVisible=-1\r\nRCMWindowControlIndex=9\r\n");
    QStringList messages;
    ASSERT_TRUE(ImportOld(true, &messages));
    EXPECT_EQ(messages, QStringList{"Settings imported from: " + TImportExportHelper::BrindlexSettingsFileName()});

    struct Row {
        const char* Section;
        const char* Name;
        std::optional<QString> Stored;
    };
    const Row rows[] = {
        {"Client", "ClientMainForm", ""},
        {"Client\\General", "MyCall", "DL1ABC=/P"},
        {"Client\\Application", "NormalWidth", "1440"},
        {"Client\\Application", "CompactView", "1"},
        {"Client\\DVK", "Enabled", "0"},
        {"Client\\CWSidetone", "Pitch", "700"},
        {"Client\\CWSidetone", "Echo", "-1"},
        {"Client\\DXSpots", "HideAwardSpots", "1"},
        {"Client\\DXSpots\\Bands", "b60m", "0"},
        {"Client\\DXSpots\\Bands", "b6m", "1"},
        {"Client\\DXCluster", "ActiveCluster", "0"},
        {"Client\\DXCluster\\Cluster0", "Port", "8000"},
        {"Client\\Playback\\CW", "Message1", "Playback Channel 1"},
        {"Client\\Playback\\Phone", "Message5", "Playback Channel 5"},
        {"Client\\Panels\\CW", "Visible", "0"},
        {"Client\\Panels\\Log", "Width", "352"},
        {"Client\\Panels\\RTTY", "Visible", "1"},
        {"Client\\Panels\\RCM", "Index", "9"},
        {"Client\\Messages\\FSK", "Message11", ""},
        {"Client\\RadioCOMPort", "BaudRate", "38400"},
        {"Client\\Transceiver", "ContourGain", "-15"},
        {"Client\\WinKey", "Enabled", "1"},
        {"Client\\MMTTY", "LevelTimerInterval", "500"},
        {"Server\\RemoteServer", "Hostname", "HOST"},
        {"Server\\RemoteServer", "Pwd", ""}, // none made up: the server refuses logins
        {"Server\\AudioServer\\Input", "UserChosenCodec", "1"},
        // Rows the table does not name, and stations without a host, are not written.
        {"Client\\Log", "MaxQSOs", std::nullopt},
        {"Server\\WSJT-X", "Enabled", std::nullopt},
        {"Client\\RemoteBases\\Base0", "Hostname", std::nullopt},
        {"Server\\Users", "User0", std::nullopt},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Stored(r.Section, r.Name), r.Stored) << r.Section << '/' << r.Name;
}

TEST_F(BrindlexImportTest, StationsAndUsersArePackedFromZero)
{
    {
        TIniStore store(StoreFile());
        store.WriteString("Client\\RemoteBases\\Base2", "Hostname", "kept");
        store.WriteString("Server\\Users", "User5", "kept");
    }
    WriteOld("[RemoteBase0]\nHostname=home\nPort=3001\n[RemoteBase1]\nHostname=\nIP=1.2.3.4\n"
             "[RemoteBase2]\nHostname=club\nIP=10.0.0.2\nActive=1\n"
             "[ServerUsers]\nUser3=alice,pw\nUser5=\nUser7=bob,pw\n");
    ASSERT_TRUE(ImportOld(true));
    EXPECT_EQ(Stored("Client\\RemoteBases\\Base0", "Hostname"), "home");
    EXPECT_EQ(Stored("Client\\RemoteBases\\Base0", "Port"), "3001");
    EXPECT_EQ(Stored("Client\\RemoteBases\\Base1", "Hostname"), "club");
    EXPECT_EQ(Stored("Client\\RemoteBases\\Base1", "IP"), "10.0.0.2");
    EXPECT_EQ(Stored("Client\\RemoteBases\\Base1", "AudioPort"), "4000");
    EXPECT_EQ(Stored("Client\\RemoteBases\\Base1", "Active"), "1");
    EXPECT_EQ(Stored("Client\\RemoteBases\\Base2", "Hostname"), "kept");
    EXPECT_EQ(Stored("Server\\Users", "User0"), "alice,pw");
    EXPECT_EQ(Stored("Server\\Users", "User1"), "bob,pw");
    EXPECT_EQ(Stored("Server\\Users", "User2"), std::nullopt);
    EXPECT_EQ(Stored("Server\\Users", "User5"), "kept");
}

TEST_F(BrindlexImportTest, PartsAreDecidedOneByOne)
{
    WriteOld("[General]\nMyCall=OLD1\n[ServerMainForm]\nServerMainForm=old\n");
    {
        TIniStore store(StoreFile());
        store.WriteString("Client", "ClientMainForm", "mine");
        store.WriteString("Client\\General", "MyCall", "NEW1");
    }
    // Only the server side is empty: only it is copied.
    ASSERT_TRUE(ImportOld(false));
    EXPECT_EQ(Stored("Client\\General", "MyCall"), "NEW1");
    EXPECT_EQ(Stored("Server", "ServerMainForm"), "old");

    // Both sides hold values: nothing copied, unless asked to overwrite.
    QStringList messages;
    EXPECT_FALSE(ImportOld(false, &messages));
    EXPECT_EQ(messages, QStringList{"No settings imported from: " + TImportExportHelper::BrindlexSettingsFileName()});
    EXPECT_EQ(Stored("Client\\General", "MyCall"), "NEW1");
    ASSERT_TRUE(ImportOld(true));
    EXPECT_EQ(Stored("Client\\General", "MyCall"), "OLD1");
    EXPECT_EQ(Stored("Client", "ClientMainForm"), "");
}

TEST_F(BrindlexImportTest, MissingFileWritesNothing)
{
    QStringList messages;
    EXPECT_FALSE(ImportOld(true, &messages));
    EXPECT_EQ(messages, QStringList{"File does not exist: " + TImportExportHelper::BrindlexSettingsFileName()});
    EXPECT_FALSE(QFileInfo::exists(StoreFile()) && !FileBytes(StoreFile()).isEmpty());
}

TEST_F(BrindlexImportTest, BadOldFilesAreReadAsFarAsTheyGo)
{
    struct Case {
        const char* Name;
        QByteArray Ini;
        std::optional<QString> MyCall;
    };
    const Case cases[] = {
        // A section line without "]" is no section: its keys belong nowhere.
        {"UnclosedSection", "[General\nMyCall=DL1ABC\n", ""},
        {"Junk", QByteArray("\x00\xff\xfe[Gen\x00eral]\x01=\x02\n\x80\x81\x82", 16), ""},
        {"KeyBeforeAnySection", "MyCall=DL1ABC\n[General]\nMyLocator=JO62\n", ""},
        {"Windows1252", "[General]\nMyCall=Z\xfc" "rich\n", "Z\u00fcrich"},
    };
    for (const Case& c : cases) {
        QFile::remove(StoreFile());
        WriteOld(c.Ini);
        EXPECT_TRUE(ImportOld(true)) << c.Name;
        EXPECT_EQ(Stored("Client\\General", "MyCall"), c.MyCall) << c.Name;
        EXPECT_EQ(Stored("Client\\Application", "NormalWidth"), "1440") << c.Name;
    }
}

TEST_F(BrindlexImportTest, OldWantedListIsConvertedOnce)
{
    WriteOld("[General]\n");
    WriteFileBytes(TImportExportHelper::BrindlexWantedFileName(), "k1abc;20;40\r\nCALL;;;20\r\nX\r\n\r\nALPHA;10\r\n");
    ASSERT_TRUE(ImportOld(true));
    EXPECT_EQ(FileBytes(WantedSpots()), QByteArray("ALPHA=;10\r\nCALL=;20\r\nk1abc=;20;40\r\nX=\r\n"));

    // A list of the new program's own is never replaced.
    WriteFileBytes(WantedSpots(), "MINE=;\r\n");
    ASSERT_TRUE(ImportOld(true));
    EXPECT_EQ(FileBytes(WantedSpots()), QByteArray("MINE=;\r\n"));
}

TEST_F(BrindlexImportTest, OfferedOnlyBeforeTheClientHasSettings)
{
    EXPECT_FALSE(TImportExportHelper().CheckInstallation()); // no old file
    WriteOld("[General]\n");
    {
        TIniStore store(StoreFile());
        store.WriteInteger("Client\\CWSidetone", "Pitch", 600); // a sub-section is not enough
    }
    EXPECT_TRUE(TImportExportHelper().CheckInstallation());
    {
        TIniStore store(StoreFile());
        store.WriteString("Client", "ClientMainForm", "0,0");
    }
    EXPECT_FALSE(TImportExportHelper().CheckInstallation());
}
