// What typing does in each field of the entry panel, what leaving a field does to its text,
// and the rules that tie the lists together (mode and reports, entity and state, state and
// zone).
#include "LogPanelFixture.h"

#include <QKeyEvent>

namespace {

struct Typed {
    const char* field;
    const char* keys;
    const char* shown;
};

} // namespace

TEST_F(LogPanelFixture, KeyFiltersOfTheFields)
{
    openLog();
    const Typed cases[] = {
        {"CallEdit", "k1abc,", "K1ABC"},
        {"CallEdit", "dl/k1abc?#", "DL/K1ABC?"},
        {"CallEdit", "k1a.b-c", "K1A.BC"},
        {"LocatorEdit", "jo62QM", "JO62"},
        {"LocatorEdit", "jo62qm", "JO62qm"},
        {"LocatorEdit", "sjo1", "JO1"},   // S is beyond R
        {"LocatorEdit", "jo6x2", "JO62"}, // a letter where the square digits go
        {"IOTAEdit", "x", ""},           // no continent begins with X
        {"IOTAEdit", "eu-1", "EU-1"},
        {"IOTAEdit", "eux-12a", "EU-12"},
        {"IOTAEdit", "oc-1234", "OC-123"},
        {"RSTsEdit", "5a9", "5A9"},
        {"STXEdit", "12ab!", "12AB"},
        {"SRXEdit", "0x1-", "0X1"},
        {"NameEdit", "Hans,x", "Hans,x"}, // free text
    };
    for (const Typed& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.keys);
        edit(c.field)->clear();
        type(c.field, QString::fromLatin1(c.keys));
        EXPECT_EQ(text(c.field), c.shown);
    }

    // Control characters never reach the call field; shortcuts still work.
    edit("CallEdit")->setText("K1ABC");
    for (const char* control : {"\x01", "\x1b", "\x7f"}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(control));
        QCoreApplication::sendEvent(edit("CallEdit"), &press);
    }
    EXPECT_EQ(text("CallEdit"), "K1ABC");
    QTest::keyClick(edit("CallEdit"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit("CallEdit"), Qt::Key_Backspace);
    EXPECT_EQ(text("CallEdit"), "");

    // Serial numbers: digits only when the contest says so.
    log->Contest().SetNumbersOnlySerialRX(true);
    EXPECT_TRUE(panel->LogOptions().NumbersOnlySerialRX());
    edit("SRXEdit")->clear();
    type("SRXEdit", "1a2b");
    EXPECT_EQ(text("SRXEdit"), "12");
    log->Contest().SetIncrementSerialNumbersTX(true); // also numbers only
    edit("STXEdit")->clear();
    type("STXEdit", "x7");
    EXPECT_EQ(text("STXEdit"), "7");
}

TEST_F(LogPanelFixture, BlankInTheCallField)
{
    openLog();
    show();
    // After a call a blank stays, so that a report can follow; after letters alone it does not.
    typeCall("K1ABC ");
    EXPECT_EQ(text("CallEdit"), "K1ABC ");
    typeCall("ABC ");
    EXPECT_EQ(text("CallEdit"), "ABC");

    // A blank in a report field goes back to the call.
    edit("RSTrEdit")->setFocus();
    type("RSTrEdit", " ");
    EXPECT_EQ(text("RSTrEdit"), "599");
    EXPECT_TRUE(edit("CallEdit")->hasFocus());

    // In a contest the blank jumps to the received serial number and leaves nothing behind.
    log->SetLoggingMode(lmContest);
    edit("CallEdit")->setFocus();
    typeCall("K1ABC ");
    EXPECT_EQ(text("CallEdit"), "K1ABC");
    EXPECT_TRUE(edit("SRXEdit")->hasFocus());
    type("SRXEdit", "5 ");
    EXPECT_EQ(text("SRXEdit"), "5");
    EXPECT_TRUE(edit("CallEdit")->hasFocus());
}

TEST_F(LogPanelFixture, LeavingAFieldTidiesItsText)
{
    openLog();
    const std::pair<const char*, const char*> iota[] = {
        {"eu-1", "EU-001"}, {"EU-12", "EU-012"}, {"EU", ""}, {"e", ""}, {"EU-123", "EU-123"}, {"", ""}};
    for (const auto& [typed, left] : iota) {
        SCOPED_TRACE(typed);
        edit("IOTAEdit")->clear();
        type("IOTAEdit", typed);
        leave("IOTAEdit");
        EXPECT_EQ(text("IOTAEdit"), left);
    }

    // Reports of the digital modes are signal-to-noise ratios.
    pick("ModeEdit", "FT8");
    const std::pair<const char*, const char*> reports[] = {{"7", "-07"}, {"+12", "+12"}, {"", "-15"}, {"0", "+00"},
                                                           {"+3", "+03"}, {"-123", "-12"}, {"x", "-15"}};
    for (const auto& [typed, left] : reports) {
        SCOPED_TRACE(typed);
        for (const char* rst : {"RSTsEdit", "RSTrEdit"}) {
            edit(rst)->setText(typed);
            leave(rst);
            EXPECT_EQ(text(rst), left);
        }
    }
    pick("ModeEdit", "CW");
    edit("RSTsEdit")->setText("7");
    leave("RSTsEdit");
    EXPECT_EQ(text("RSTsEdit"), "7");
}

TEST_F(LogPanelFixture, ModeSetsReportsAndSubmodes)
{
    openLog();
    pick("ModeEdit", "FT4");
    EXPECT_EQ(list("ModeEdit")->currentText(), "MFSK");
    EXPECT_EQ(list("SubModeEdit")->currentText(), "FT4");
    EXPECT_EQ(list("SubModeEdit")->itemText(0), "FSQCALL"); // MFSK's submodes, no empty item
    EXPECT_EQ(text("RSTsEdit"), "-15");
    EXPECT_EQ(text("RSTrEdit"), "-15");
    EXPECT_EQ(edit("RSTsEdit")->maxLength(), 3);
    EXPECT_TRUE(edit("RSTsEdit")->AutoSelect());

    const std::pair<const char*, const char*> defaults[] = {
        {"SSB", "59"}, {"CW", "599"}, {"PSK", "599"}, {"RTTY", "599"}, {"JT65", "-15"}, {"AM", "-15"}};
    for (const auto& [mode, rst] : defaults) {
        SCOPED_TRACE(mode);
        pick("ModeEdit", mode);
        EXPECT_EQ(text("RSTsEdit"), rst);
    }
    pick("ModeEdit", "SSB");
    EXPECT_EQ(list("SubModeEdit")->itemText(0), "");
    EXPECT_EQ(list("SubModeEdit")->itemText(2), "USB");
}

TEST_F(LogPanelFixture, EntityStateAndZone)
{
    openLog();
    const auto item = [this](int code) { return list("DXCCEdit")->findText(QStringLiteral("(%1)").arg(code), Qt::MatchEndsWith); };
    QComboBox* state = list("StateEdit");

    pick("DXCCEdit", item(110));
    EXPECT_TRUE(state->isEnabled());
    EXPECT_EQ(state->currentText(), "HI");
    pick("DXCCEdit", item(230));
    EXPECT_FALSE(state->isEnabled());
    EXPECT_EQ(state->currentIndex(), 0);
    pick("DXCCEdit", item(6));
    EXPECT_TRUE(state->isEnabled());
    EXPECT_EQ(state->currentText(), "AK");
    pick("StateEdit", "NY");
    pick("DXCCEdit", item(291));
    EXPECT_EQ(state->currentText(), "NY"); // the USA keep the state picked
    // An entity whose name has parentheses of its own is read by its code.
    pick("DXCCEdit", item(38));
    EXPECT_EQ(list("DXCCEdit")->currentText(), "VK9C Cocos (Keeling) Islands (38)");
    EXPECT_FALSE(state->isEnabled());

    const std::pair<const char*, const char*> zones[] = {{"TX", "04"}, {"HI", "31"}, {"AK", "01"}, {"CA", "03"}, {"VT", "05"}};
    for (const auto& [st, zone] : zones) {
        pick("StateEdit", st);
        EXPECT_EQ(list("CQZEdit")->currentText(), zone) << st;
    }
}
