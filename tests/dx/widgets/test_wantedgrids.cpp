// The wanted-DXCC and wanted-calls grids: loading, the mouse and key rules, and files that the
// spot engine's wanted lists read back.
#include "tests/controls/ControlsTestUtils.h"
#include "tests/log/QStringPrint.h"
#include "tests/dx/DXFixture.h"
#include "tests/support/WidgetInput.h"

#include "dx/widgets/WantedDXCCStringGrid.h"
#include "dx/widgets/WantedSpotsStringGrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>

namespace {

class WantedGrids : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        InstallCountryFiles(root);
    }

    static void WriteUserFile(const char* name, const QByteArray& bytes)
    {
        QFile f(GetUserDataFileName(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    static QByteArray ReadUserFile(const char* name)
    {
        QFile f(GetUserDataFileName(QLatin1String(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static QPoint CellCenter(const QTableWidget& g, int row, int column)
    {
        return g.visualRect(g.model()->index(row, column)).center();
    }

    static void Press(QTableWidget& g, int row, int column, Qt::MouseButton button = Qt::LeftButton)
    {
        g.scrollTo(g.model()->index(row, column));
        vxtest::MousePress(g.viewport(), CellCenter(g, row, column), button);
        vxtest::MouseRelease(g.viewport(), CellCenter(g, row, column), button);
    }

    // The marked band texts of a row, and its " all" cell.
    static QStringList Marks(const TWantedBandsGrid& g, int row)
    {
        QStringList l;
        for (int c = g.FirstBandColumn(); c <= g.AllColumn(); ++c)
            if (!g.CellText(row, c).isEmpty())
                l << g.CellText(row, c);
        return l;
    }

    static int RowOf(const TWantedBandsGrid& g, const QString& first)
    {
        for (int r = 0; r < g.rowCount(); ++r)
            if (g.CellText(r, 0) == first)
                return r;
        return -1;
    }

    QTemporaryDir root;
};

const QStringList AllBands = {"160", "80", "60", "40", "30", "20", "17", "15", "12", "10", "6"};

} // namespace

TEST_F(WantedGrids, DXCCWithoutAWantedListShowsEveryCurrentEntity)
{
    TWantedDXCCStringGrid grid;
    EXPECT_FALSE(grid.HasChanges());
    grid.Load();
    EXPECT_EQ(grid.rowCount(), 340) << "deleted entities are not offered";
    EXPECT_TRUE(grid.HasChanges()) << "the list is written at the next apply";
    EXPECT_EQ(grid.CellText(2, 0), "3A");
    EXPECT_EQ(grid.CellText(2, 1), "260");
    EXPECT_TRUE(grid.isColumnHidden(1));
    EXPECT_EQ(grid.columnWidth(0), 54);
    EXPECT_EQ(grid.horizontalHeaderItem(13)->text(), " all");

    // Marks on the clicked bands only, read back by the spot engine's list.
    const int monaco = RowOf(grid, "3A");
    Press(grid, monaco, grid.FirstBandColumn() + 5); // 20 m
    Press(grid, monaco, grid.FirstBandColumn() + 7); // 15 m
    ASSERT_TRUE(grid.Save());
    const QList<QByteArray> lines = ReadUserFile("wanteddxcc.dat").split('\n');
    EXPECT_EQ(lines.size(), 341) << "every entity, marked or not";
    EXPECT_TRUE(lines.contains("3A=260;20;15;\r"));
    EXPECT_TRUE(lines.contains("1A=246;\r"));
    TDXWantedSpots wanted;
    wanted.LoadWantedDXCC();
    EXPECT_TRUE(wanted.IsWanted("3A2MW", bd20, 260));
    EXPECT_TRUE(wanted.IsWanted("3A2MW", bd15, 260));
    EXPECT_FALSE(wanted.IsWanted("3A2MW", bd40, 260));
    EXPECT_FALSE(wanted.IsWanted("1A0KM", bd20, 246));
}

TEST_F(WantedGrids, DXCCMarksFromTheFileAndTheMouse)
{
    WriteUserFile("wanteddxcc.dat", "3A=260;20;15;\r\n1A=246;160;80;60;40;30;20;17;15;12;10;6;\r\nP5=344;\r\n");
    TWantedDXCCStringGrid grid;
    QList<QPair<int, QString>> selected;
    grid.OnDXCCEntitySelect = [&](int code, const QString& name) { selected.append({code, name}); };
    grid.Load();
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_FALSE(grid.HasChanges());
    EXPECT_EQ(Marks(grid, 0), QStringList({"20", "15"}));
    EXPECT_EQ(Marks(grid, 1), AllBands + QStringList{"."});
    EXPECT_EQ(Marks(grid, 2), QStringList());

    // Other buttons change nothing.
    Press(grid, 2, grid.AllColumn(), Qt::RightButton);
    Press(grid, 2, grid.FirstBandColumn(), Qt::MiddleButton);
    EXPECT_FALSE(grid.HasChanges());
    EXPECT_EQ(Marks(grid, 2), QStringList());
    EXPECT_TRUE(selected.isEmpty());

    // " all" marks and clears every band; the prefix column is not a cell to act on.
    Press(grid, 0, grid.AllColumn());
    EXPECT_TRUE(grid.HasChanges());
    EXPECT_EQ(Marks(grid, 0), AllBands + QStringList{"."});
    Press(grid, 0, grid.AllColumn());
    EXPECT_EQ(Marks(grid, 0), QStringList());
    Press(grid, 0, 0);
    EXPECT_EQ(Marks(grid, 0), QStringList());
    EXPECT_EQ(selected.last(), qMakePair(260, QString("Monaco")));

    // Eleven single marks leave " all" unticked; a reload ticks it.
    for (int c = grid.FirstBandColumn(); c < grid.AllColumn(); ++c)
        Press(grid, 2, c);
    EXPECT_EQ(Marks(grid, 2), AllBands);
    EXPECT_EQ(selected.last(), qMakePair(344, QString("DPR of Korea")));
    ASSERT_TRUE(grid.Save());
    TWantedDXCCStringGrid again;
    again.Load();
    EXPECT_EQ(Marks(again, RowOf(again, "P5")), AllBands + QStringList{"."});
}

TEST_F(WantedGrids, DXCCWithoutEntityListNeverReplacesTheWantedList)
{
    const QByteArray mine = "3A=260;20;15;\r\n";
    WriteUserFile("wanteddxcc.dat", mine);
    ASSERT_TRUE(QFile::remove(GetCommonDataFileName("dxccentity.dat")));
    TWantedDXCCStringGrid grid;
    grid.Load();
    EXPECT_EQ(grid.rowCount(), 0);
    vxtest::Click(grid.viewport(), QPoint(5, 5));
    EXPECT_TRUE(grid.HasChanges());
    EXPECT_TRUE(grid.Save());
    EXPECT_EQ(ReadUserFile("wanteddxcc.dat"), mine);
}

TEST_F(WantedGrids, CallsLoadAndSave)
{
    WriteUserFile("wantedspots.dat", "K1ABC=;160;40;\r\nDL=;160;80;60;40;30;20;17;15;12;10;6;\r\n");
    TWantedSpotsStringGrid grid;
    EXPECT_EQ(grid.rowCount(), 9);
    grid.Load();
    EXPECT_EQ(grid.rowCount(), 2 + 11) << "eleven empty rows follow the list";
    EXPECT_EQ(grid.CellText(0, 0), "K1ABC");
    EXPECT_EQ(Marks(grid, 0), QStringList({"160", "40"}));
    EXPECT_EQ(Marks(grid, 1), AllBands + QStringList{"."});
    EXPECT_FALSE(grid.HasChanges());
    EXPECT_EQ(grid.columnWidth(0), 70);

    // A call typed below them, with its marks; Z... before A... on saving.
    grid.item(0, 0)->setText("ZS6ABC");
    grid.setCurrentCell(5, 0);
    grid.SetCellText(5, 0, "A45XR");
    Press(grid, 5, grid.FirstBandColumn() + 9); // 10 m
    ASSERT_TRUE(grid.Save());
    EXPECT_EQ(ReadUserFile("wantedspots.dat"), "A45XR=;10;\r\nDL=;160;80;60;40;30;20;17;15;12;10;6;\r\nZS6ABC=;160;40;\r\n");
    TDXWantedSpots wanted;
    wanted.LoadWantedSpots();
    EXPECT_TRUE(wanted.IsWanted("A45XR", bd10, 0));
    EXPECT_FALSE(wanted.IsWanted("A45XR", bd20, 0));
    EXPECT_TRUE(wanted.IsWanted("DL7AB", bd6, 0));

    // "Clear list" is a change, and then an empty list is written.
    TWantedSpotsStringGrid cleared;
    cleared.Load();
    cleared.Clear();
    EXPECT_EQ(cleared.rowCount(), 1);
    EXPECT_TRUE(cleared.HasChanges());
    ASSERT_TRUE(cleared.Save());
    EXPECT_EQ(ReadUserFile("wantedspots.dat"), "");
}

TEST_F(WantedGrids, CallsAreTypedInCapitals)
{
    TWantedSpotsStringGrid grid;
    grid.show();
    // A click opens the call's editor at once; typed keys are filtered.
    Press(grid, 0, 0);
    auto* editor = grid.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    for (const QChar c : QStringLiteral("k1abc-/ ;="))
        vxtest::Key(editor, 0, QString(c));
    EXPECT_EQ(editor->text(), "K1ABC/");
    vxtest::Key(editor, Qt::Key_Return, "\r");
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.CellText(0, 0), "K1ABC/");

    // Keys typed without a click (the settings page opened, cursor moved by keys) start the
    // editor and count as a change; pasted text is filtered like typed keys.
    TWantedSpotsStringGrid keys;
    keys.show();
    keys.setCurrentCell(1, 0);
    vxtest::Key(&keys, Qt::Key_D, "d");
    editor = keys.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->insert("l1=ab;c -");
    EXPECT_EQ(editor->text(), "DL1ABC");
    vxtest::Key(editor, Qt::Key_Return, "\r");
    QCoreApplication::processEvents();
    EXPECT_EQ(keys.CellText(1, 0), "DL1ABC");
    EXPECT_TRUE(keys.HasChanges());

    // Band cells are not typed into.
    keys.setCurrentCell(2, 3);
    vxtest::Key(&keys, Qt::Key_4, "4");
    EXPECT_EQ(keys.CellText(2, 3), "");
    for (const QLineEdit* e : keys.viewport()->findChildren<QLineEdit*>())
        EXPECT_FALSE(e->isVisible());
}

TEST_F(WantedGrids, CallsRemoveRow)
{
    TWantedSpotsStringGrid grid;
    grid.Clear();
    grid.SetCellText(0, 0, "K1ABC");
    grid.setCurrentCell(0, 0);
    grid.RemoveRow();
    EXPECT_EQ(grid.rowCount(), 1) << "the first row stays, emptied";
    EXPECT_EQ(grid.CellText(0, 0), "");

    grid.AddRows();
    EXPECT_EQ(grid.rowCount(), 11);
    for (int r = 0; r < 4; ++r)
        grid.SetCellText(r, 0, QStringLiteral("C%1").arg(r));
    grid.setCurrentCell(2, 1);
    grid.RemoveRow();
    EXPECT_EQ(grid.rowCount(), 10);
    EXPECT_EQ(grid.CellText(2, 0), "C3");
    EXPECT_EQ(grid.currentRow(), 2);
    grid.setCurrentCell(9, 0);
    grid.RemoveRow();
    EXPECT_EQ(grid.currentRow(), 8) << "past the end: the last row";
}

TEST_F(WantedGrids, Render)
{
    WriteUserFile("wanteddxcc.dat", "3A=260;20;15;\r\n1A=246;160;80;60;40;30;20;17;15;12;10;6;\r\nP5=344;\r\n"
                                    "VP8/h=241;40;30;20;\r\nZL9=16;\r\n");
    WriteUserFile("wantedspots.dat", "K1ABC=;160;40;\r\nVP8=;160;80;60;40;30;20;17;15;12;10;6;\r\nTX5S=;20;\r\n");
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* dxcc = new TWantedDXCCStringGrid(&window);
    auto* calls = new TWantedSpotsStringGrid(&window);
    dxcc->setFixedSize(390, 257);
    calls->setFixedSize(435, 217);
    layout->addWidget(dxcc, 0, Qt::AlignTop);
    layout->addWidget(calls, 0, Qt::AlignTop);
    dxcc->Load();
    calls->Load();
    dxcc->SetCellText(4, dxcc->AllColumn(), "?"); // neither ticked nor empty: greyed
    window.show();
    // The band heads are whole.
    const QFontMetrics fm(dxcc->horizontalHeader()->font());
    EXPECT_LE(fm.horizontalAdvance("160"), TWantedBandsGrid::BandColumnWidth - 4);
    const QImage img = Render(window);
    EXPECT_TRUE(SaveArtifact(img, "wanted-grids.png"));
    EXPECT_TRUE(SaveArtifact(Render(window, 2.0), "wanted-grids@2x.png"));
}
