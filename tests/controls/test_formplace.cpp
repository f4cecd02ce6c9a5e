// Window placement: the default, the stored text of a window, reading it back (also
// maximised), and stored texts that are short or not numbers.
#include "controls/widgets/FormPlace.h"
#include "core/IniStore.h"

#include <QFile>
#include <QStandardPaths>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class Placement : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setObjectName("TestForm");
        place = new TFormPlace(&window);
        place->SetIdentifier("ServerMainForm");
        place->SetSection("Server");
        place->SetRoot("Zemro\\Vornix\\");
        place->SetUseRegistry(true);
        QFile::remove(TFormPlace::RootFileName("Zemro\\Vornix\\"));
    }
    void Store(const QString& text)
    {
        TIniStore store(TFormPlace::RootFileName("Zemro\\Vornix\\"));
        store.WriteString("Server", "ServerMainForm", text);
        ASSERT_TRUE(store.UpdateFile());
    }
    QString Stored()
    {
        TIniStore store(TFormPlace::RootFileName("Zemro\\Vornix\\"));
        return store.ReadString("Server", "ServerMainForm", "(none)");
    }

    QWidget window;
    TFormPlace* place = nullptr;
};

} // namespace

TEST_F(Placement, TheRootNamesTheProgramsSettingsFile)
{
    EXPECT_EQ(TFormPlace::RootFileName("Zemro\\Vornix\\"),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Zemro/Vornix.ini");
    EXPECT_EQ(TFormPlace::RootFileName(""), "");
}

TEST_F(Placement, WritesTheNormalRectangleAndReadsItBack)
{
    window.setGeometry(100, 50, 800, 600);
    ASSERT_TRUE(place->Write());
    EXPECT_EQ(Stored(), "0 1 -1 -1 -1 -1 100 50 900 650 ");

    window.setGeometry(0, 0, 300, 200);
    ASSERT_TRUE(place->Read());
    EXPECT_EQ(window.geometry(), QRect(100, 50, 800, 600));
    EXPECT_FALSE(window.isMaximized());
}

TEST_F(Placement, StoredTextsAndWhatTheyGive)
{
    const QRect defaultRect(26, 26, 1060, 600);
    struct Case {
        const char* stored; // nullptr: nothing stored
        bool applied;
        QRect rect;
        int showCmd;
    };
    const Case cases[] = {
        {nullptr, true, defaultRect, 1},
        {"0 1 -1 -1 -1 -1 10 20 410 320 ", true, QRect(10, 20, 400, 300), 1},
        {"0 1 x", true, defaultRect, 1},                             // not a number: the default
        {"0 1 -1 -1 -1 -1 10 20 abc 320", true, defaultRect, 1},
        {"0 1 -1", false, {}, 1},                                    // left 0 is not less than right 0
        {"0 1 -1 -1 -1 -1 500 20 400 320", false, {}, 1},
        {"0 3 -1 -1 -1 -1 10 20 410 320", true, QRect(10, 20, 400, 300), 3},
    };
    for (const Case& c : cases) {
        if (c.stored)
            Store(c.stored);
        else
            QFile::remove(TFormPlace::RootFileName("Zemro\\Vornix\\"));
        window.setWindowState(Qt::WindowNoState);
        window.setGeometry(1, 2, 30, 40);
        EXPECT_EQ(place->Read(), c.applied) << (c.stored ? c.stored : "(none)");
        if (c.applied) {
            EXPECT_EQ(window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry(), c.rect)
                << (c.stored ? c.stored : "(none)");
            EXPECT_EQ(bool(window.windowState() & Qt::WindowMaximized), c.showCmd == 3) << c.stored;
        } else {
            EXPECT_EQ(window.geometry(), QRect(1, 2, 30, 40)) << c.stored;
        }
    }
}

TEST_F(Placement, AMaximisedWindowIsStoredAsSuch)
{
    window.setGeometry(100, 50, 800, 600);
    window.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(place->Write());
    EXPECT_TRUE(Stored().startsWith("0 3 -1 -1 -1 -1 ")) << Stored().toStdString();
    window.setWindowState(Qt::WindowNoState);
    ASSERT_TRUE(place->Read());
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
}

TEST_F(Placement, WithoutAStoreNothingHappens)
{
    place->SetRoot("");
    EXPECT_FALSE(place->Write());
    EXPECT_FALSE(place->Read());
    place->SetUseRegistry(false);
    EXPECT_FALSE(place->Write()); // no ini file named
    EXPECT_EQ(Stored(), "(none)");

    // An ini file of its own when named.
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/place.ini";
    place->SetIniFileName(file);
    window.setGeometry(100, 50, 800, 600);
    ASSERT_TRUE(place->Write());
    TIniStore own(file);
    EXPECT_EQ(own.ReadString("Server", "ServerMainForm", ""), "0 1 -1 -1 -1 -1 100 50 900 650 ");
}
