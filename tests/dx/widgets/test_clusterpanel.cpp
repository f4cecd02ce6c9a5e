// The cluster console on a real spot engine: how many lines it keeps and in which order, line
// colours, the information bar and tuning, the command history, the menu commands, and a session
// with a cluster node on 127.0.0.1.
#include "tests/controls/ControlsTestUtils.h"
#include "tests/log/QStringPrint.h"
#include "tests/dx/DXFixture.h"
#include "tests/dx/ScriptedCluster.h"

#include "core/DMApplication.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DMDX.h"
#include "dx/TelnetClient.h"
#include "dx/widgets/DXClusterPanel.h"
#include "controls/widgets/RCSpeedButton.h"
#include "tests/support/Wait.h"
#include "tests/support/WidgetInput.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QRegularExpression>

using vxtest::waitUntil;

namespace {

const QDateTime SessionTime(QDate(2026, 2, 1), QTime(18, 50), Qt::UTC);
const QString SessionFile = DXTestData + "/dxcluster/dxspider_session_G4BFG-9.txt";

class ClusterConsole : public DXFixture {
protected:
    void SetUp() override
    {
        SetUpEngine(SessionTime);
        engine->SetMyLocator("JO62QM");
        panel = std::make_unique<TDXClusterPanel>();
        panel->SetDXSpots(engine);
    }
    void TearDown() override
    {
        panel.reset();
        DXFixture::TearDown();
    }

    // One console line as the engine reports it.
    void Line(const QString& text, bool wanted = false, bool logged = false)
    {
        TDXClusterData d;
        d.Line = text;
        d.IsWanted = wanted;
        d.IsLogged = logged;
        engine->OnDXClusterAdded(d);
    }

    QStringList Shown() const
    {
        QStringList l;
        for (int i = 0; i < panel->Lines()->Count(); ++i)
            l << panel->Lines()->Line(i).Line;
        return l;
    }

    QRect RowRect(int row) const { return panel->VST->visualRect(panel->Lines()->index(row)); }

    void Type(const QString& text)
    {
        QLineEdit* edit = panel->DXCSendEdit->lineEdit();
        edit->setText(text);
        vxtest::Key(edit, Qt::Key_Return, "\r");
    }

    static void DoubleClick(QWidget* w, QPoint at)
    {
        vxtest::Click(w, at);
        vxtest::SendMouse(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        vxtest::MouseRelease(w, at);
    }

    QStringList InfoBar() const
    {
        return {panel->DXInfoLabel1->text(), panel->DXInfoLabel2->text(), panel->DXInfoLabel3->text(),
                panel->DXInfoLabel4->text(), panel->DXInfoLabel5->text()};
    }

    std::unique_ptr<TDXClusterPanel> panel;
};

} // namespace

TEST_F(ClusterConsole, KeepsAtMostMaxtSpotsLines)
{
    struct Case {
        int32_t maxSpots;
        bool newestFirst;
        int added, kept;
    };
    const Case cases[] = {
        {1000, false, 1001, 1000},
        {1000, true, 1001, 1000},
        {5, false, 5, 5},
        {0, false, TDXClusterPanel::MaxLines + 1, TDXClusterPanel::MaxLines},
        {50000, true, TDXClusterPanel::MaxLines + 1, TDXClusterPanel::MaxLines},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.maxSpots << (c.newestFirst ? " newest first" : ""));
        panel->ClearAll();
        engine->SetMaxTelnetSpots(c.maxSpots);
        engine->SetNewestSpotsFirst(c.newestFirst);
        for (int i = 1; i <= c.added; ++i)
            Line(QStringLiteral("line %1").arg(i));
        ASSERT_EQ(panel->Lines()->Count(), c.kept);
        const QStringList shown = Shown();
        const QString oldest = QStringLiteral("line %1").arg(c.added - c.kept + 1);
        const QString newest = QStringLiteral("line %1").arg(c.added);
        EXPECT_EQ(c.newestFirst ? shown.last() : shown.first(), oldest);
        EXPECT_EQ(c.newestFirst ? shown.first() : shown.last(), newest);
    }
}

TEST_F(ClusterConsole, NewestFirstResortsAtTheNextLine)
{
    Line("one");
    Line("two");
    Line("three");
    engine->SetNewestSpotsFirst(true);
    EXPECT_EQ(Shown(), QStringList({"one", "two", "three"})) << "nothing moves before a line comes";
    Line("four");
    EXPECT_EQ(Shown(), QStringList({"four", "three", "two", "one"}));
    engine->SetNewestSpotsFirst(false);
    Line("five");
    EXPECT_EQ(Shown(), QStringList({"one", "two", "three", "four", "five"}));
}

TEST_F(ClusterConsole, NumberingGoesOnAfterClearAll)
{
    EXPECT_FALSE(panel->MI1->isEnabled());
    Line("a");
    Line("b");
    EXPECT_TRUE(panel->MI1->isEnabled() && panel->MI2->isEnabled() && panel->MI3->isEnabled());
    const int32_t last = panel->Lines()->Line(1).LineNo;
    EXPECT_EQ(panel->Lines()->Line(0).LineNo, last - 1);
    panel->MI1->trigger();
    EXPECT_EQ(panel->Lines()->Count(), 0);
    EXPECT_FALSE(panel->MI1->isEnabled() || panel->MI2->isEnabled() || panel->MI3->isEnabled());
    Line("c");
    EXPECT_EQ(panel->Lines()->Line(0).LineNo, last + 1);
}

TEST_F(ClusterConsole, LineColours)
{
    struct Case {
        bool wanted, logged;
        QColor colour;
    };
    const Case cases[] = {
        {true, true, QColor(0x00, 0xFF, 0xFF)},
        {true, false, QColor(0xFF, 0xFF, 0x99)},
        {false, true, QColor(0x00, 0xFF, 0x99)},
        {false, false, QColor(0xC0, 0xC0, 0xC0)},
    };
    panel->resize(489, 200);
    for (const Case& c : cases)
        Line("DX de W3LPL:     14037.4  TZ4AM        Heard in PA                    1832Z", c.wanted, c.logged);
    panel->VST->selectionModel()->select(panel->Lines()->index(3), QItemSelectionModel::ClearAndSelect);
    const QImage img = Render(*panel);
    // Each line's glyphs are drawn in its own colour; the selected one in white.
    auto rowHas = [&](int row, const QColor& colour) {
        const QRect r = RowRect(row).translated(panel->VST->viewport()->mapTo(panel.get(), QPoint()));
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (Pixel(img, x, y) == colour)
                    return true;
        return false;
    };
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(TDXClusterPanel::LineColor(panel->Lines()->Line(row)), cases[row].colour);
        EXPECT_TRUE(rowHas(row, cases[row].colour));
        EXPECT_FALSE(rowHas(row, Qt::white));
    }
    EXPECT_TRUE(rowHas(3, Qt::white));
    EXPECT_FALSE(rowHas(3, cases[3].colour));
}

TEST_F(ClusterConsole, ClickLooksUpDoubleClickTunes)
{
    TFTCATInterface cat;
    QStringList sent;
    cat.SetComState(csConnected);
    cat.OnCATCommandTX = [&](const QString& c) { sent << c; };
    engine->SetFTCATInterface(&cat);
    panel->show();

    engine->Add("DX de K4VTE:     21142.3  VE6KIX       hello                          1829Z");
    engine->Add("M0LTE de G4BFG-9  1-Feb-2026 1829Z dxspider >");
    ASSERT_EQ(panel->Lines()->Count(), 2);
    QWidget* rows = panel->VST->viewport();

    vxtest::Click(rows, RowRect(0).center());
    EXPECT_TRUE(panel->VST->selectionModel()->isRowSelected(0, {}));
    const QStringList info = InfoBar();
    EXPECT_TRUE(info[0].startsWith("VE Canada")) << info[0].toStdString();
    EXPECT_EQ(info[1], "CQ04");
    EXPECT_TRUE(info[2].endsWith(" km"));
    EXPECT_TRUE(info[3].endsWith("°"));
    EXPECT_TRUE(info[4].startsWith("LP: ") && info[4].endsWith("°"));
    engine->SetRangeUnit(ruMiles);
    vxtest::Click(rows, RowRect(0).center());
    EXPECT_TRUE(panel->DXInfoLabel3->text().endsWith(" mi"));

    // A line without a call clears the bar and tunes nothing.
    vxtest::Click(rows, RowRect(1).center());
    EXPECT_EQ(InfoBar(), QStringList(5, QString()));
    DoubleClick(rows, RowRect(1).center());
    EXPECT_TRUE(sent.isEmpty());

    DoubleClick(rows, RowRect(0).center());
    EXPECT_EQ(sent, QStringList({"FA21142300;"}));
    panel->VST->selectionModel()->select(panel->Lines()->index(0), QItemSelectionModel::ClearAndSelect);
    vxtest::Key(panel->VST, Qt::Key_Return, "\r");
    EXPECT_EQ(sent, QStringList({"FA21142300;", "FA21142300;"}));

    // Leaving the list lets go of the line and the bar.
    vxtest::Click(rows, RowRect(0).center());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(panel->VST, &out);
    EXPECT_FALSE(panel->VST->selectionModel()->hasSelection());
    EXPECT_EQ(InfoBar(), QStringList(5, QString()));
    engine->SetFTCATInterface(nullptr);
}

TEST_F(ClusterConsole, SelectionFollowsTheNewestLine)
{
    panel->show();
    QApplication::setActiveWindow(panel.get());
    panel->VST->setFocus();
    ASSERT_TRUE(waitUntil([&] { return panel->VST->hasFocus(); }));
    Line("one");
    Line("two");
    EXPECT_TRUE(panel->VST->selectionModel()->isRowSelected(1, {}));
    // The operator picks an older line: the next line takes the selection and the bar clears.
    engine->Add("DX de K4VTE:     21142.3  VE6KIX       hello                          1829Z");
    vxtest::Click(panel->VST->viewport(), RowRect(2).center());
    EXPECT_FALSE(panel->DXInfoLabel1->text().isEmpty());
    Line("four");
    EXPECT_TRUE(panel->VST->selectionModel()->isRowSelected(3, {}));
    EXPECT_EQ(panel->VST->selectionModel()->selectedRows().size(), 1);

    // Without the focus the newest line is only made current.
    panel->DXCSendEdit->setFocus();
    ASSERT_TRUE(waitUntil([&] { return !panel->VST->hasFocus(); }));
    Line("five");
    EXPECT_EQ(panel->VST->currentIndex().row(), 4);
    EXPECT_FALSE(panel->VST->selectionModel()->hasSelection());
}

TEST_F(ClusterConsole, CommandLineAndHistory)
{
    QStringList sent;
    panel->OnSendToTelnet = [&](const QString& s) { sent << s; };

    Type("sh/dx");
    Type("sh/wwv");
    Type("sh/dx");
    EXPECT_EQ(sent, QStringList({"sh/dx", "sh/wwv", "sh/dx"}));
    EXPECT_EQ(panel->ClusterCommands(), QStringList({"sh/dx", "sh/wwv"})) << "kept once, most recent first";
    EXPECT_EQ(panel->DXCSendEdit->currentText(), "");

    // Spots and announcements go out and are not kept.
    for (const char* posting : {"DX 14025.0 K1ABC", "dx 7010 K1ABC up 2", "d 14025 K1ABC", "ANN hello", "announce x"})
        Type(posting);
    EXPECT_EQ(sent.size(), 8);
    EXPECT_EQ(sent.last(), "announce x");
    EXPECT_EQ(panel->ClusterCommands(), QStringList({"sh/dx", "sh/wwv"}));
    Type("");
    EXPECT_EQ(sent.last(), "");
    EXPECT_EQ(panel->ClusterCommands().size(), 2);

    panel->SetClusterCommands({});
    for (int i = 1; i <= 22; ++i)
        Type(QStringLiteral("cmd %1").arg(i));
    const QStringList history = panel->ClusterCommands();
    ASSERT_EQ(history.size(), TDXClusterPanel::MaxHistory);
    EXPECT_EQ(history.first(), "cmd 22");
    EXPECT_EQ(history.last(), "cmd 2") << "the oldest one went";
}

TEST_F(ClusterConsole, CopyAndSaveOldestFirst)
{
    engine->SetNewestSpotsFirst(true);
    Line("first");
    Line("zweite Zeile ä");
    Line("third");
    panel->MI3->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "first\r\nzweite Zeile ä\r\nthird\r\n");

    const QString path = root.path() + "/console.txt";
    EXPECT_EQ(panel->SaveToFile(path), "");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("first\nzweite Zeile \xC3\xA4\nthird\n"));

    const QString error = panel->SaveToFile(root.path() + "/missing/console.txt");
    EXPECT_TRUE(error.startsWith(root.path() + "/missing/console.txt could not be written: ")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(root.path() + "/missing"));
}

TEST_F(ClusterConsole, LetsGoOfTheEngine)
{
    TDXSpots other;
    panel->SetDXSpots(&other);
    EXPECT_FALSE(bool(engine->OnDXClusterAdded)) << "the engine it no longer shows";
    panel->SetDXSpots(engine);
    EXPECT_TRUE(bool(engine->OnDXClusterAdded));
    EXPECT_TRUE(bool(engine->OnDXSpotLookup));
    panel.reset();
    EXPECT_FALSE(bool(engine->OnDXClusterAdded));
    EXPECT_FALSE(bool(engine->OnDXSpotLookup));
    engine->Add("still no crash");
}

TEST_F(ClusterConsole, Render)
{
    TDMDX dmdx;
    panel->SetCommand1Action(dmdx.Command1Action);
    panel->SetCommand2Action(dmdx.Command2Action);
    panel->SetCommand3Action(dmdx.Command3Action);
    panel->SetDXClusterConnectAction(dmdx.DXClusterConnectAction);
    EXPECT_EQ(panel->CommandButton1->text(), "Command 1");
    dmdx.SetCommand1("SH/DX");
    dmdx.SetCommand2("SH/WWV");
    dmdx.SetCommand3("SH/U");
    EXPECT_EQ(panel->CommandButton1->text(), "SH/DX");
    EXPECT_EQ(panel->ConnectButton->text(), "Connect");

    // A busy console: the real session and the other parser's lines, with a wanted, a logged
    // and a wanted and logged station among them.
    QStringList lines = QString::fromLatin1(ReadCapture(SessionFile)).split('\n');
    for (const QString& l : QString::fromLatin1(ReadCapture(DXTestData + "/dxcluster/dh1tw_fixture_lines.txt")).split('\n'))
        if (!l.startsWith('#') && l.contains('\t'))
            lines << l.section('\t', 1);
    int n = 0;
    for (const QString& l : std::as_const(lines)) {
        if (l.trimmed().isEmpty())
            continue;
        if (l.startsWith("DX de") && !l.startsWith("DX de AB9YC") && (++n % 7 == 3 || n % 7 == 5 || n % 7 == 6)) {
            Line(l, n % 7 != 5, n % 7 != 3);
            continue;
        }
        engine->Add(l);
    }
    panel->SetClusterCommands({"sh/dx 20", "sh/wwv"});
    panel->DXCSendEdit->setEditText("sh/dx/40");
    // As wide as the main window's tab shows it: whole lines.
    panel->resize(640, 657);
    panel->show();
    // The operator clicked a spot: the bar shows its station.
    int row = 0;
    while (row < panel->Lines()->Count() && !panel->Lines()->Line(row).Line.startsWith("DX de AB9YC"))
        ++row;
    ASSERT_LT(row, panel->Lines()->Count());
    ASSERT_EQ(panel->Lines()->Line(row).Call, "OR2M");
    panel->VST->scrollTo(panel->Lines()->index(row));
    vxtest::Click(panel->VST->viewport(), RowRect(row).center());
    EXPECT_FALSE(panel->DXInfoLabel1->text().isEmpty());
    // Every text fits its cell.
    for (QLabel* l : {panel->DXInfoLabel1, panel->DXInfoLabel2, panel->DXInfoLabel3, panel->DXInfoLabel4, panel->DXInfoLabel5})
        EXPECT_LE(l->sizeHint().width(), l->width()) << l->text().toStdString();

    const QImage img = Render(*panel);
    EXPECT_EQ(Pixel(img, 2, panel->height() - 1), QColor(0x41, 0x41, 0x41));
    EXPECT_TRUE(SaveArtifact(img, "cluster-console.png"));
    EXPECT_TRUE(SaveArtifact(Render(*panel, 2.0), "cluster-console@2x.png"));
}

// As an operator meets it: the console on a node that replays a real session, a typed command
// going out, and the history still there after a restart.
TEST_F(ClusterConsole, SessionOnALocalNode)
{
    panel.reset();
    TDMApplication app;
    const QByteArray capture = ReadCapture(SessionFile);
    ASSERT_FALSE(capture.isEmpty());
    ScriptedCluster node;
    node.send("login: ").expectLine().send(capture.mid(7)).expectLine().send(
        "sh/dx 3\r\n 14025.0  K1ABC        1-Feb-2026 1840Z CW                  <DL1XYZ>\r\n");

    auto dmdx = std::make_unique<TDMDX>();
    dmdx->SetName("Local node");
    dmdx->SetHost("127.0.0.1");
    dmdx->SetPort(node.port());
    dmdx->SetUsername("M0LTE");
    dmdx->Open();
    auto console = std::make_unique<TDXClusterPanel>();
    // What the main window binds.
    console->SetCommand1Action(dmdx->Command1Action);
    console->SetCommand2Action(dmdx->Command2Action);
    console->SetCommand3Action(dmdx->Command3Action);
    console->SetDXClusterConnectAction(dmdx->DXClusterConnectAction);
    console->SetDXSpots(dmdx->DXSpots());
    console->OnSendToTelnet = [&](const QString& text) {
        if (dmdx->TelnetClient()->Connected())
            dmdx->TelnetClient()->WriteLn(text);
    };
    console->SetClusterCommands(dmdx->ClusterCommands());
    console->show();

    vxtest::Click(console->ConnectButton);
    ASSERT_TRUE(waitUntil([&] { return console->Lines()->Count() >= 18; }));
    auto shows = [&](const QString& start) {
        for (int i = 0; i < console->Lines()->Count(); ++i)
            if (console->Lines()->Line(i).Line.startsWith(start))
                return true;
        return false;
    };
    EXPECT_TRUE(shows("Hello Tom, this is G4BFG-9"));
    EXPECT_TRUE(shows("DX de JR6RRD:    10136.0  5Z4VJ"));
    EXPECT_TRUE(shows("WCY de DK0WCY-2 <19>"));
    EXPECT_TRUE(console->CommandButton1->isEnabled());

    console->DXCSendEdit->lineEdit()->setText("sh/dx 3");
    vxtest::Key(console->DXCSendEdit->lineEdit(), Qt::Key_Return, "\r");
    ASSERT_TRUE(waitUntil([&] { return node.lines.size() == 2; }));
    EXPECT_EQ(node.lines[1], "sh/dx 3");
    ASSERT_TRUE(waitUntil([&] { return shows(" 14025.0  K1ABC"); }));

    // Close-down and the next start.
    dmdx->ClusterCommands() = console->ClusterCommands();
    dmdx->IniWrite();
    console.reset();
    dmdx.reset();
    ASSERT_TRUE(app.IniRegistry()->UpdateFile());
    auto next = std::make_unique<TDMDX>();
    next->IniRead();
    TDXClusterPanel again;
    again.SetClusterCommands(next->ClusterCommands());
    EXPECT_EQ(again.ClusterCommands(), QStringList({"sh/dx 3"}));
}
