// The log grid: counts, columns per logging mode, sorting, row colours, the DXCC filter, the
// popup items and what a QSO that went away meanwhile does to them.
#include "GridFixture.h"

#include <QClipboard>
#include <QMessageBox>
#include <QTimer>

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
