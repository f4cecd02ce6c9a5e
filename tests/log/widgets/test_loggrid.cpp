// The log grid: counts, columns per logging mode, sorting, row colours, the DXCC filter, the
// popup items and what a QSO that went away meanwhile does to them.
#include "GridFixture.h"

#include <QClipboard>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>

namespace {

QStringList OwnLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QSOLine(QStringLiteral("K%1AA").arg(i), QDate(2020, 1, 1).addDays(i / 24).toString("yyyyMMdd"),
                         QStringLiteral("%1").arg((i % 24) * 10000, 6, 10, QLatin1Char('0')));
    return lines;
}

QColor Brightest(const QImage& img, const QRect& r)
{
    QColor best(Qt::black);
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = Pixel(img, x, y);
            if (p.red() + p.green() + p.blue() > best.red() + best.green() + best.blue())
                best = p;
        }
    return best;
}

int Distance(const QColor& a, const QColor& b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

} // namespace

TEST_F(GridFixture, CountLabelAndEmptyGrid)
{
    openLog(OwnLines(5000));
    struct Case {
        uint32_t max;
        const char* filterCall;
        const char* text;
    };
    const Case cases[] = {
        {3000, "", "last 3000 of 5000 QSOs"},
        {0, "", "5000 QSOs"},
        {0, "K4999AA", "1 QSO"},
        {0, "X", "0 QSOs"},
    };
    for (const Case& c : cases) {
        log->SetMaxQSOs(c.max);
        TFilterData f;
        f.Value[LogColumn::Call] = c.filterCall;
        log->FilterQSOs(f);
        EXPECT_EQ(panel->CountLabel1()->text(), c.text) << c.max << " " << c.filterCall;
    }
    // The empty grid says so in silver at its top left.
    EXPECT_EQ(grid().rowCount(), 0);
    panel->show();
    const QImage img = Grab(*panel->VST());
    EXPECT_LT(Distance(Brightest(img, QRect(0, 0, 150, 16)), LogGridColors::Normal), 40);
}

TEST_F(GridFixture, ColumnsFollowLoggingModeAndLogBookColumns)
{
    using C = TLogBookColumns;
    struct Case {
        TLoggingMode mode;
        C columns;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {lmRegular, C{colGrid, colUSState, colQSL, colQSLLoTW}, {0, 1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
        {lmContest, C{colGrid, colUSState, colQSL, colQSLLoTW, colQSLeQSL}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13}},
        {lmContest, C{}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 12}},
        {lmRegular, C{colQSLeQSL}, {0, 1, 2, 3, 4, 9, 10, 12, 18, 19}},
    };
    for (const Case& c : cases) {
        log->SetLogBookColumns(c.columns);
        log->SetLoggingMode(c.mode);
        std::vector<int> shown;
        for (int col = 0; col < LogColumn::Count; ++col) {
            EXPECT_EQ(panel->VST()->isColumnHidden(col), panel->VSTHeader()->isColumnHidden(col)) << col;
            if (!panel->VST()->isColumnHidden(col))
                shown.push_back(col);
        }
        EXPECT_EQ(shown, c.shown) << c.mode << " " << int(c.columns.Bits());
    }
}

TEST_F(GridFixture, BothGridsKeepEqualWidthsAndCommentsTakesTheRest)
{
    panel->resize(600, 455);
    panel->show();
    QHeaderView* captions = panel->VSTHeader()->horizontalHeader();
    captions->resizeSection(LogColumn::Call, 100);
    captions->resizeSection(LogColumn::Band, 500); // past its largest width
    EXPECT_EQ(panel->VST()->columnWidth(LogColumn::Call), 100);
    EXPECT_EQ(panel->VST()->columnWidth(LogColumn::Band), 62);
    EXPECT_EQ(captions->sectionSize(LogColumn::Band), 62);
    int sum = 0;
    for (int c = 0; c < LogColumn::Count; ++c) {
        EXPECT_EQ(captions->sectionSize(c), panel->VST()->columnWidth(c)) << c;
        if (!panel->VST()->isColumnHidden(c))
            sum += panel->VST()->columnWidth(c);
    }
    EXPECT_EQ(sum, panel->VST()->viewport()->width());
}

TEST_F(GridFixture, SortingByCaptionClicks)
{
    openLog({Line("AA1", "20200101", "230000", {{LogField::Band, "80m"}, {LogField::STX, "9"}, {LogField::Continent, "SA"}}),
             Line("BB2", "20200102", "010000", {{LogField::Band, "160m"}, {LogField::STX, "10"}, {LogField::Continent, "AF"}}),
             Line("CC3", "20200103", "120000", {{LogField::Band, "20m"}, {LogField::STX, "100"}, {LogField::Continent, "EU"}}),
             Line("dd4", "20200104", "060000", {{LogField::Band, "2m"}, {LogField::STX, "8"}})});
    // At first the logbook's order: newest first.
    EXPECT_EQ(column(LogColumn::Call), QStringList({"DD4", "CC3", "BB2", "AA1"}));
    // Each case in ascending order.  A first click keeps the direction, a second reverses it.
    const std::pair<int, QStringList> cases[] = {
        {LogColumn::TimeOn, {"BB2", "DD4", "CC3", "AA1"}},    // time of day across dates
        {LogColumn::Band, {"BB2", "AA1", "CC3", "DD4"}},      // 160m, 80m, 20m, 2m
        {LogColumn::Continent, {"DD4", "BB2", "CC3", "AA1"}}, // none, AF, EU, SA
        {LogColumn::Call, {"AA1", "BB2", "CC3", "DD4"}},      // letter case ignored
        {LogColumn::STX, {"BB2", "CC3", "DD4", "AA1"}},       // "10", "100", "8", "9"
    };
    Qt::SortOrder order = Qt::DescendingOrder;
    for (const auto& [c, ascending] : cases) {
        if (c == LogColumn::STX)
            log->SetLoggingMode(lmContest); // where the exchanges are shown
        const QStringList descending(ascending.rbegin(), ascending.rend());
        for (int click = 0; click < 2; ++click) {
            if (click == 1)
                order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
            clickCaption(c);
            EXPECT_EQ(column(LogColumn::Call), order == Qt::AscendingOrder ? ascending : descending) << c << click;
            EXPECT_EQ(panel->VSTHeader()->horizontalHeader()->sortIndicatorSection(), c);
            EXPECT_EQ(panel->VSTHeader()->horizontalHeader()->sortIndicatorOrder(), order);
        }
    }
    log->SetLoggingMode(lmRegular);
    clickCaption(LogColumn::Band);
    if (grid().SortOrder() != Qt::AscendingOrder)
        clickCaption(LogColumn::Band);
    // The selected QSO stays selected through a sort; a reload keeps column and direction.
    panel->VST()->selectRow(rowOfCall("CC3"));
    clickCaption(LogColumn::Band);
    EXPECT_EQ(column(LogColumn::Call), QStringList({"DD4", "CC3", "AA1", "BB2"}));
    EXPECT_EQ(panel->VST()->selectionModel()->selectedRows().value(0).row(), 1);
    log->FilterQSOs();
    EXPECT_EQ(column(LogColumn::Call), QStringList({"DD4", "CC3", "AA1", "BB2"}));
    EXPECT_EQ(panel->VSTHeader()->horizontalHeader()->sortIndicatorSection(), LogColumn::Band);
    EXPECT_EQ(panel->VSTHeader()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
}

// A QSO logged into the grid goes to its place as one inserted row, where a sort of all rows
// puts it: ties keep the logbook's order (newest first) in either direction, a filter or a row
// limit decides whether it shows, and at a row limit the oldest row makes room.
TEST_F(GridFixture, ALoggedQSOIsInsertedWhereASortOfAllRowsPutsIt)
{
    const QStringList base = {
        Line("DL1AA", "20200101", "100000", {{LogField::Band, "20m"}}),
        Line("K1ABC", "20200102", "100000", {{LogField::Band, "40m"}}),
        Line("DL1AA", "20200103", "100000", {{LogField::Band, "40m"}, {LogField::Comment, "tnx"}}),
        Line("ZS6X", "20200104", "100000", {{LogField::Band, "20m"}}),
        Line("AA1A", "20200105", "100000", {{LogField::Band, "80m"}, {LogField::Comment, "tnx"}}),
        Line("DL1AA", "20200106", "100000", {{LogField::Band, "20m"}}),
    };
    struct Case {
        const char* what;
        int column; // -1: the logbook's order
        Qt::SortOrder order;
        QString band; // a Band filter, empty for none
        uint32_t max;
        QString logged;
        int row; // where the new QSO shows; -1: not at all
    };
    const QString today = "20210101";
    const Case cases[] = {
        {"call ascending, first", LogColumn::Call, Qt::AscendingOrder, {}, 0, Line("A1B", today, "100000"), 0},
        {"call ascending, last", LogColumn::Call, Qt::AscendingOrder, {}, 0, Line("ZZ9Z", today, "100000"), 6},
        {"call ascending, newest of a tie", LogColumn::Call, Qt::AscendingOrder, {}, 0, Line("DL1AA", today, "100000"), 1},
        {"call descending, oldest of a tie", LogColumn::Call, Qt::DescendingOrder, {}, 0,
         Line("DL1AA", "20191231", "100000"), 5},
        {"call descending, middle of a tie", LogColumn::Call, Qt::DescendingOrder, {}, 0,
         Line("DL1AA", "20200102", "120000"), 4},
        {"band ascending, between two 40m", LogColumn::Band, Qt::AscendingOrder, {}, 0,
         Line("N1N", "20200102", "120000", {{LogField::Band, "40m"}}), 2},
        {"comments descending, among the empty", LogColumn::Comments, Qt::DescendingOrder, {}, 0,
         Line("N1N", "20200104", "120000"), 3},
        {"date descending, back-dated", LogColumn::QSODate, Qt::DescendingOrder, {}, 0,
         Line("N1N", "20200103", "120000"), 3},
        {"log order, back-dated", -1, Qt::DescendingOrder, {}, 0, Line("N1N", "20200101", "120000"), 5},
        {"filtered, shown", LogColumn::Call, Qt::AscendingOrder, "20m", 0, Line("N1N", today, "100000"), 2},
        {"filtered, not shown", LogColumn::Call, Qt::AscendingOrder, "20m", 0,
         Line("N1N", today, "100000", {{LogField::Band, "40m"}}), -1},
        {"filtered, into an empty grid", LogColumn::Call, Qt::DescendingOrder, "6m", 0,
         Line("N1N", today, "100000", {{LogField::Band, "6m"}}), 0},
        {"row limit, the oldest row goes", LogColumn::Call, Qt::AscendingOrder, {}, 3, Line("A1B", today, "100000"), 0},
        {"row limit, older than every row", LogColumn::Call, Qt::AscendingOrder, {}, 3,
         Line("A1B", "20191231", "100000"), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log->SetMaxQSOs(c.max);
        openLog(base);
        TFilterData filter;
        filter.Value[LogColumn::Band] = c.band;
        log->FilterQSOs(filter);
        grid().SortRows(c.column, c.order);
        const int rowsBefore = grid().rowCount();
        panel->VST()->selectRow(0);
        const int32_t selected = rowsBefore > 0 ? grid().IndexOfRow(0) : -1;

        int resets = 0;
        QList<int> inserted;
        const auto onReset = QObject::connect(&grid(), &QAbstractItemModel::modelReset, [&] { ++resets; });
        const auto onInsert = QObject::connect(&grid(), &QAbstractItemModel::rowsInserted,
                                      [&](const QModelIndex&, int first, int last) { inserted << first << last; });
        TLogRecord r;
        r.ExplodeQSOLine(c.logged);
        ASSERT_TRUE(log->AddQSO(r));
        QObject::disconnect(onReset);
        QObject::disconnect(onInsert);

        EXPECT_EQ(resets, 0) << "the rows were rebuilt and sorted again";
        EXPECT_EQ(inserted, c.row < 0 ? QList<int>() : QList<int>({c.row, c.row}));
        EXPECT_EQ(grid().rowCount(), c.row < 0 || c.max > 0 ? rowsBefore : rowsBefore + 1);
        if (c.row >= 0) {
            EXPECT_EQ(grid().Row(c.row).Call, r.Call());
            EXPECT_EQ(grid().Row(c.row).DateTime, r.QSODateTime());
        }
        // The same order as all rows sorted afresh.
        TLogGridModel sorted;
        sorted.SetRows(log->LogDataList());
        sorted.SortRows(c.column, c.order);
        ASSERT_EQ(sorted.rowCount(), grid().rowCount());
        for (int row = 0; row < grid().rowCount(); ++row)
            EXPECT_EQ(grid().IndexOfRow(row), sorted.IndexOfRow(row)) << row;
        // The selection stays with its QSO, unless that made room.
        const QModelIndexList now = panel->VST()->selectionModel()->selectedRows();
        if (selected >= 0 && !now.isEmpty()) {
            EXPECT_EQ(grid().IndexOfRow(now.first().row()), selected);
        }
    }
}

TEST_F(GridFixture, RowColoursFromTheModelAndOnScreen)
{
    openLog({Line("PAPER", "20200101", "100000", {{LogField::QSLSent, "Y"}, {LogField::QSLRcvd, "Y"}}),
             Line("LOTW", "20200102", "100000",
                  {{LogField::QSLSent, "N"}, {LogField::QSLLoTWSent, "Y"}, {LogField::QSLLoTWRcvd, "Y"}}),
             Line("HALF", "20200103", "100000", {{LogField::QSLSent, "Y"}, {LogField::QSLLoTWRcvd, "Y"}}),
             Line("EDITED", "20200104", "100000"), Line("PICKED", "20200105", "100000", {{LogField::QSLSent, "Y"}, {LogField::QSLRcvd, "Y"}})});
    panel->show();
    ASSERT_TRUE(log->EditQSO(grid().IndexOfRow(rowOfCall("EDITED"))));
    panel->VST()->setFocus();
    panel->VST()->selectRow(rowOfCall("PICKED"));
    // The focus moves on: yellow stays with the QSO being edited.
    panel->VST()->selectRow(rowOfCall("PICKED"));
    const std::pair<const char*, QColor> cases[] = {
        {"PAPER", LogGridColors::Confirmed}, {"LOTW", LogGridColors::Confirmed}, {"HALF", LogGridColors::Normal},
        {"EDITED", LogGridColors::Edited},   {"PICKED", LogGridColors::Selected},
    };
    const QImage img = Grab(*panel->VST());
    for (const auto& [call, colour] : cases) {
        const int row = rowOfCall(call);
        const bool selected = panel->VST()->selectionModel()->isRowSelected(row);
        EXPECT_EQ(grid().RowColor(row, selected), colour) << call;
        // On screen: the brightest pixel of the row's Call cell is its text at full cover.
        EXPECT_LT(Distance(Brightest(img, panel->VST()->visualRect(grid().index(row, LogColumn::Call))), colour), 40)
            << call;
    }
}

TEST_F(GridFixture, DXCCComboFiltersByTheCodeInTheLastParentheses)
{
    QDir().mkpath(QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + "/Vornix");
    QFile f(QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + "/Vornix/dxccentity.dat");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("VK9C=Cocos (Keeling) Islands;38\nDL=Fed. Rep. of Germany;230\nNOCODE=Nowhere\n");
    f.close();
    openLog({Line("VK9CX", "20200101", "100000", {{LogField::DXCC, "38"}}),
             Line("DL1AA", "20200102", "100000", {{LogField::DXCC, "230"}}), Line("NONE", "20200103", "100000")});
    QComboBox* combo = panel->DXCCComboBox();
    ASSERT_EQ(combo->count(), 5);
    EXPECT_EQ(combo->itemText(1), "no DXCC Entity (0)");
    EXPECT_EQ(combo->itemText(2), "VK9C Cocos (Keeling) Islands (38)");
    const std::pair<int, QStringList> cases[] = {
        {2, {"VK9CX"}}, {1, {"NONE"}}, {3, {"DL1AA"}}, {0, {"NONE", "DL1AA", "VK9CX"}},
    };
    for (const auto& [item, calls] : cases) {
        combo->setCurrentIndex(item);
        emit combo->activated(item);
        EXPECT_EQ(column(LogColumn::Call), calls) << item;
        EXPECT_EQ(panel->ClearFilterButton()->Down(), item != 0) << item;
    }
    EXPECT_EQ(TLogbookPanelVST::DXCCCodeOfItem("NOCODE Nowhere (0)"), "0");
    EXPECT_EQ(TLogbookPanelVST::DXCCCodeOfItem("Nowhere"), "");
    EXPECT_EQ(TLogbookPanelVST::DXCCCodeOfItem("Half (open"), "");
}

TEST_F(GridFixture, DoubleClickAndEnterEditTheRowsQSO)
{
    openLog({Line("FIRST", "20200101", "100000"), Line("SECOND", "20200102", "100000")});
    panel->show();
    TLogGridView* v = panel->VST();
    // Enter without a selection does nothing.
    vxtest::Key(v, Qt::Key_Return);
    EXPECT_FALSE(log->EditMode());
    const QRect first = v->visualRect(grid().index(rowOfCall("FIRST"), LogColumn::Call));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(first.center()), QPointF(v->viewport()->mapToGlobal(first.center())),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    vxtest::MousePress(v->viewport(), first.center());
    QApplication::sendEvent(v->viewport(), &dbl);
    EXPECT_TRUE(log->EditMode());
    EXPECT_EQ(log->EditRecord().Call(), "FIRST");
    log->SetEditMode(false);
    v->selectRow(rowOfCall("SECOND"));
    vxtest::Key(v, Qt::Key_Return);
    EXPECT_TRUE(log->EditMode());
    EXPECT_EQ(log->EditRecord().Call(), "SECOND");
    EXPECT_EQ(log->LogBookIndex(), grid().IndexOfRow(rowOfCall("SECOND")));
}

TEST_F(GridFixture, DeleteAsksAndKeepsToTheChosenQSO)
{
    openLog({Line("KEEP", "20200101", "100000"), Line("GOES", "20200102", "100000")});
    panel->show();
    panel->VST()->selectRow(rowOfCall("GOES"));
    // No: nothing happens.
    QString asked;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        asked = box->text();
        box->button(QMessageBox::No)->click();
    });
    panel->DeleteSelectedQSO();
    EXPECT_EQ(asked, "Do you really want to delete the QSO with GOES?");
    EXPECT_EQ(log->LogBook().size(), 2);
    // Yes, while a QSO arrives from elsewhere and the rows are rebuilt: the chosen QSO goes.
    panel->VST()->selectRow(rowOfCall("GOES"));
    QTimer::singleShot(0, [&] {
        TLogRecord r;
        r.ExplodeQSOLine(QSOLine("NEW", "20200103", "100000"));
        log->AddQSO(r);
        qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->button(QMessageBox::Yes)->click();
    });
    panel->DeleteSelectedQSO();
    log->WaitForWriter();
    EXPECT_EQ(column(LogColumn::Call), QStringList({"NEW", "KEEP"}));
}

TEST_F(GridFixture, AQSOGoneMeanwhileIsRefused)
{
    openLog({Line("KEEP", "20200101", "100000"), Line("GOES", "20200102", "100000")});
    panel->show();
    const int row = rowOfCall("GOES");
    panel->VST()->selectRow(row);
    // Deleted elsewhere; the grid still shows its copy until the next reload.
    TLogRecord r;
    ASSERT_TRUE(log->EditQSO(grid().IndexOfRow(row)));
    log->EditRecord().SetComment("delete");
    log->SaveQSO();
    log->WaitForWriter();
    ASSERT_EQ(grid().rowCount(), 2);
    events.clear();
    panel->EditSelectedQSO();
    EXPECT_FALSE(log->EditMode());
    panel->QueueSelected(4);
    QTimer::singleShot(0, [] { qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->button(QMessageBox::Yes)->click(); });
    panel->DeleteSelectedQSO();
    log->WaitForWriter();
    EXPECT_EQ(events.count("The QSO is no longer in the log"), 3);
    EXPECT_EQ(log->LogBook().size(), 1);
    EXPECT_TRUE(log->LogBook().first().contains(";KEEP;"));
}

TEST_F(GridFixture, QueueAllQueuesTheShownRowsAndSavesOnce)
{
    openLog({Line("A20", "20200101", "100000", {{LogField::Band, "20m"}}),
             Line("B40", "20200102", "100000", {{LogField::Band, "40m"}}),
             Line("C20", "20200103", "100000", {{LogField::Band, "20m"}, {LogField::QSLLoTWSent, "Y"}}),
             Line("D20", "20200104", "100000", {{LogField::Band, "20m"}, {LogField::QSLLoTWSent, "R"}})});
    QWidget* band = editCell(LogColumn::Band);
    ASSERT_NE(band, nullptr);
    auto* combo = qobject_cast<QComboBox*>(band);
    combo->setCurrentIndex(combo->findText("20m"));
    emit combo->activated(combo->currentIndex());
    ASSERT_EQ(column(LogColumn::Call), QStringList({"D20", "C20", "A20"}));
    panel->findChild<QAction*>("MIQSLQueueLoTWAll")->trigger();
    log->WaitForWriter();
    QStringList flags;
    for (const QString& line : fileLines().mid(1)) {
        TLogRecord r;
        r.ExplodeQSOLine(line);
        flags << r.Call() + "=" + r.QSLLoTWSent();
    }
    EXPECT_EQ(flags, QStringList({"A20=Q", "B40=N", "C20=Y", "D20=Q"}));
}

TEST_F(GridFixture, WithoutLogbookOrSelectionNothingHappens)
{
    TLogbookPanelVST lonely;
    lonely.show();
    for (QAction* a : lonely.PopupMenu1()->actions())
        a->trigger();
    lonely.SortByColumn(LogColumn::Call);
    emit lonely.DXCCComboBox()->activated(0);
    lonely.ClearFilterButton()->click();
    EXPECT_FALSE(lonely.ClearFilterButton()->Down());
    EXPECT_EQ(lonely.GridModel()->rowCount(), 0);

    // With a logbook but no selection: no edit, delete or single queueing.
    openLog({Line("ONE", "20200101", "100000", {{LogField::QSLLoTWSent, "N"}})});
    panel->show();
    const QStringList linesBefore = log->LogBook();
    for (const char* name : {"MIEditQSO", "MIDeleteQSO", "MIQSLQueueLoTW", "MIQSLQueueeQSL"})
        panel->findChild<QAction*>(name)->trigger();
    log->WaitForWriter();
    EXPECT_FALSE(log->EditMode());
    EXPECT_EQ(log->LogBook(), linesBefore);

    // A logbook that goes first is forgotten; a panel that goes first is no longer called.
    panel->VST()->selectRow(0);
    auto second = std::make_unique<TLogbookPanelVST>();
    second->SetLogInterface(log.get());
    second.reset();
    log->FilterQSOs();
    log.reset();
    for (QAction* a : panel->PopupMenu1()->actions())
        if (a->objectName() != "MIDeleteQSO")
            a->trigger();
    panel->repaint();
    EXPECT_EQ(panel->GridModel()->rowCount(), 1);
}

TEST_F(GridFixture, AutoFitMeasuresOnlyTheShownRowsOfABigLog)
{
    QStringList lines = OwnLines(5000);
    lines[4999] = Line("VERYLONGCALL/P", "20210301", "100000"); // the newest: on screen
    openLog(lines);
    log->SetMaxQSOs(0);
    log->FilterQSOs();
    panel->show();
    ASSERT_EQ(grid().rowCount(), 5000);
    const int before = grid().BuiltRows();
    panel->findChild<QAction*>("MIAutoFit")->trigger();
    EXPECT_LT(grid().BuiltRows() - before, 60);
    EXPECT_EQ(grid().Row(0).Call, "VERYLONGCALL/P");
    EXPECT_GT(panel->VST()->columnWidth(LogColumn::Call), 84); // the long call on screen
    EXPECT_LE(panel->VST()->columnWidth(LogColumn::Call), 120);
    EXPECT_EQ(panel->VSTHeader()->columnWidth(LogColumn::Call), panel->VST()->columnWidth(LogColumn::Call));
    EXPECT_EQ(grid().rowCount(), 5000);
}

TEST_F(GridFixture, CopyToClipboardGivesEveryRowByTabs)
{
    openLog({Line("ONE", "20200101", "100000", {{LogField::Name, "Op"}}), Line("TWO", "20200102", "123000")});
    log->SetLogBookColumns({});
    panel->findChild<QAction*>("MICopyToClipboard")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "2020-01-02\t12:30\tTWO\t20m\tCW\t\t\t\n"
              "2020-01-01\t10:00\tONE\t20m\tCW\tOp\t\t\n");
}

// A QSO logged while an import writes the whole log is written behind that write without the
// operator waiting for it; afterwards it is in the file and in the grid with the imported QSOs.
TEST_F(GridFixture, AQSOLoggedWhileAnImportWritesTheLogEndsUpInFileAndGrid)
{
    openLog({Line("OLD1", "20200101", "100000")});
    const QString adif = dir.filePath("in.adi");
    writeBytes("<EOH>\r\n<CALL:4>IMP1<QSO_DATE:8>20200201<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<EOR>\r\n"
               "<CALL:4>IMP2<QSO_DATE:8>20200202<TIME_ON:4>1200<BAND:3>40m<MODE:3>SSB<EOR>\r\n",
               adif);
    panel->SortByColumn(LogColumn::Call);
    if (grid().SortOrder() != Qt::AscendingOrder)
        panel->SortByColumn(LogColumn::Call);
    int imports = 0;
    log->OnLogImport = [&](const QString&, bool, int32_t, int32_t, int32_t, int32_t) { ++imports; };
    TLogRecord r;
    r.ExplodeQSOLine(Line("NEW1", "20240101", "080000"));
    {
        RewriteHold hold(log->FileWriter());
        log->ADIFImport(adif);
        ASSERT_TRUE(vxtest::waitUntil([&] { return hold.Held(); }, 60000));
        EXPECT_TRUE(log->AddQSO(r));
        EXPECT_FALSE(hold.TimedOut()) << "logging waited for the import's final write";
    }
    ASSERT_TRUE(vxtest::waitUntil([&] { return imports > 0 && !log->LogIsLoading(); }, 60000));
    log->WaitForWriter();

    EXPECT_EQ(log->LogBook().size(), 4);
    EXPECT_EQ(fileLines().mid(1), log->LogBook());
    EXPECT_TRUE(std::any_of(log->LogBook().cbegin(), log->LogBook().cend(),
                            [](const QString& l) { return l.contains(";NEW1;"); }));
    EXPECT_EQ(column(LogColumn::Call), QStringList({"IMP1", "IMP2", "NEW1", "OLD1"}));
}
