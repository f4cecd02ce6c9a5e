// The filter row of the log grid: its editors, filtering while typing, the keys that end,
// cancel and move an edit, "Clear Filter", and the saved picture of the grid.
#include "GridFixture.h"

class FilterRowTest : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        openLog({Line("DL1ABC", "20210305", "120000", {{LogField::CQZone, "14"}, {LogField::Band, "40m"}}),
                 Line("K1XYZ", "20210315", "130000", {{LogField::CQZone, "05"}}),
                 Line("DK2AA", "20210402", "090000", {{LogField::CQZone, "14"}}),
                 Line("JA1AA", "20210403", "091500", {{LogField::CQZone, "25"}})});
        panel->show();
        QApplication::setActiveWindow(panel.get());
    }
    const TFilterData& filter() { return panel->FilterData(); }
    bool editing() { return panel->VSTHeader()->IsEditing(); }
};

TEST_F(FilterRowTest, CallIsUpperCasedAndFiltersAfterEachAcceptedKey)
{
    auto* call = qobject_cast<QLineEdit*>(editCell(LogColumn::Call));
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->maxLength(), 14);
    const int runs = filterRuns;
    type(call, "k");
    EXPECT_EQ(filterRuns, runs + 1);
    EXPECT_EQ(column(LogColumn::Call), QStringList({"K1XYZ"}));
    type(call, "1#");
    EXPECT_EQ(call->text(), "K1");
    EXPECT_EQ(filter().Value[LogColumn::Call], "K1");
    EXPECT_EQ(filterRuns, runs + 2); // "#" was refused: no run
    EXPECT_TRUE(panel->ClearFilterButton()->Down());
    // Enter ends the edit without filtering again: nothing changed since.
    vxtest::Key(call, Qt::Key_Return);
    EXPECT_FALSE(editing());
    EXPECT_EQ(filterRuns, runs + 2);
    // Backspace edits too.
    call = qobject_cast<QLineEdit*>(editCell(LogColumn::Call));
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->text(), "K1");
    vxtest::Key(call, Qt::Key_Backspace);
    vxtest::Key(call, Qt::Key_Backspace);
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_FALSE(panel->ClearFilterButton()->Down());
}

TEST_F(FilterRowTest, TextBoxesThatApplyOnlyWhenTheEditEnds)
{
    auto* time = qobject_cast<QLineEdit*>(editCell(LogColumn::TimeOn));
    ASSERT_NE(time, nullptr);
    type(time, "09x");
    EXPECT_EQ(time->text(), "09"); // digits only
    EXPECT_EQ(grid().rowCount(), 4);
    vxtest::Key(time, Qt::Key_Return);
    EXPECT_EQ(filter().Value[LogColumn::TimeOn], "09");
    EXPECT_EQ(column(LogColumn::Call), QStringList({"JA1AA", "DK2AA"}));
    // Escape (let go) cancels: the earlier value stays.
    time = qobject_cast<QLineEdit*>(editCell(LogColumn::TimeOn));
    ASSERT_NE(time, nullptr);
    type(time, "1");
    vxtest::Key(time, Qt::Key_Escape);
    EXPECT_FALSE(editing());
    EXPECT_EQ(filter().Value[LogColumn::TimeOn], "09");
    EXPECT_EQ(grid().rowCount(), 2);
    // For Date the value typed so far is already applied.
    auto* date = qobject_cast<QLineEdit*>(editCell(LogColumn::QSODate));
    type(date, "202104");
    EXPECT_EQ(date->maxLength(), 8);
    vxtest::Key(date, Qt::Key_Escape);
    EXPECT_EQ(filter().Value[LogColumn::QSODate], "202104");
    EXPECT_EQ(column(LogColumn::Call), QStringList({"JA1AA", "DK2AA"}));
}

TEST_F(FilterRowTest, LeftAndRightEditTheNeighbouringCell)
{
    QWidget* call = editCell(LogColumn::Call);
    vxtest::Key(call, Qt::Key_Left);
    QWidget* time = editorOf(LogColumn::TimeOn);
    ASSERT_NE(time, nullptr);
    EXPECT_TRUE(editing());
    EXPECT_EQ(panel->VSTHeader()->currentIndex().column(), LogColumn::TimeOn);
    // The value typed in Time goes with the move; Right then goes back to Call.
    type(time, "13");
    vxtest::Key(time, Qt::Key_Right);
    EXPECT_EQ(filter().Value[LogColumn::TimeOn], "13");
    EXPECT_EQ(column(LogColumn::Call), QStringList({"K1XYZ"}));
    EXPECT_NE(editorOf(LogColumn::Call), nullptr);
    // Nothing is left of Date: the edit stays.
    QWidget* date = editCell(LogColumn::QSODate);
    vxtest::Key(date, Qt::Key_Left);
    EXPECT_EQ(editorOf(LogColumn::QSODate), date);
    EXPECT_TRUE(editing());
    // Hidden columns are stepped over: Right of Mode is Comments in regular logging.
    vxtest::Key(editCell(LogColumn::Mode), Qt::Key_Right);
    EXPECT_EQ(panel->VSTHeader()->currentIndex().column(), LogColumn::Comments);
}

TEST_F(FilterRowTest, ListsTheirSizesAndTheSelectedValue)
{
    const std::pair<int, int> sizes[] = {
        {LogColumn::Band, 15},    {LogColumn::Mode, 50},    {LogColumn::Continent, 8}, {LogColumn::CQZone, 41},
        {LogColumn::State, 52},   {LogColumn::QSLSent, 6},  {LogColumn::QSLRcvd, 5},   {LogColumn::LoTWSent, 6},
        {LogColumn::LoTWRcvd, 5}, {LogColumn::eQSLSent, 6}, {LogColumn::eQSLRcvd, 5},
    };
    for (const auto& [c, count] : sizes) {
        const TLogbookEditLink::TCellEditor editor = TLogbookEditLink::EditorOf(c);
        EXPECT_EQ(editor.Kind, TLogbookEditLink::TEditorKind::List) << c;
        EXPECT_EQ(editor.Items.size(), count) << c;
        EXPECT_EQ(editor.Items.first(), "") << c;
    }
    EXPECT_EQ(TLogbookEditLink::EditorOf(LogColumn::Mode).Items.last(), "WSPR");
    EXPECT_EQ(TLogbookEditLink::EditorOf(LogColumn::State).Items.at(1), "AK");

    // CQ "05" opens with "05" selected; picking filters at once; the empty item clears.
    auto* cq = qobject_cast<QComboBox*>(editCell(LogColumn::CQZone));
    ASSERT_NE(cq, nullptr);
    EXPECT_EQ(cq->currentIndex(), -1);
    cq->setCurrentIndex(cq->findText("05"));
    emit cq->activated(cq->currentIndex());
    EXPECT_EQ(column(LogColumn::Call), QStringList({"K1XYZ"}));
    vxtest::Key(cq, Qt::Key_Return);
    cq = qobject_cast<QComboBox*>(editCell(LogColumn::CQZone));
    ASSERT_NE(cq, nullptr);
    EXPECT_EQ(cq->currentText(), "05");
    EXPECT_EQ(cq->maxVisibleItems(), 41);
    cq->setCurrentIndex(0);
    emit cq->activated(0);
    EXPECT_EQ(filter().Value[LogColumn::CQZone], "");
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_FALSE(panel->ClearFilterButton()->Down());
}

TEST_F(FilterRowTest, ClearFilterAndTheLogbooksClearEmptyTheRow)
{
    type(editCell(LogColumn::Call), "D");
    ASSERT_TRUE(panel->ClearFilterButton()->Down());
    ASSERT_EQ(grid().rowCount(), 2);
    panel->ClearFilterButton()->click();
    EXPECT_FALSE(filter().Filtered());
    EXPECT_FALSE(panel->ClearFilterButton()->Down());
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_FALSE(editing());
    // The button never stays down without a filter, even when clicked then.
    panel->ClearFilterButton()->click();
    EXPECT_FALSE(panel->ClearFilterButton()->Down());

    // The logbook's clear empties the row and leaves the filtering to its caller.
    type(editCell(LogColumn::Call), "K");
    const int runs = filterRuns;
    log->LogbookPanelClear();
    EXPECT_FALSE(filter().Filtered());
    EXPECT_FALSE(panel->ClearFilterButton()->Down());
    EXPECT_EQ(filterRuns, runs);
}

TEST_F(FilterRowTest, PictureOfTheGrid)
{
    openLog({Line("DL1ABC", "20210305", "120000", {{LogField::Name, "Hans"}, {LogField::QTH, "Berlin"},
                                                   {LogField::Continent, "EU"}, {LogField::CQZone, "14"},
                                                   {LogField::GridSquare, "JO62QM"}, {LogField::QSLLoTWSent, "Y"},
                                                   {LogField::QSLLoTWRcvd, "Y"}}),
             Line("DL2XYZ", "20210306", "083000", {{LogField::Band, "40m"}, {LogField::Mode, "SSB"}, {LogField::Continent, "EU"},
                                                   {LogField::CQZone, "14"}}),
             Line("DL5NAM", "20210401", "191500", {{LogField::Band, "15m"}, {LogField::Mode, "FT8"}, {LogField::Continent, "EU"},
                                                   {LogField::CQZone, "14"}, {LogField::GridSquare, "JN58"},
                                                   {LogField::QSLSent, "Y"}, {LogField::QSLRcvd, "Y"}}),
             Line("DL0WW", "20210402", "201000", {{LogField::Comment, "contest"}, {LogField::Continent, "EU"},
                                                  {LogField::CQZone, "14"}}),
             Line("DL9AN", "20210410", "062200", {{LogField::Band, "10m"}, {LogField::Continent, "EU"},
                                                  {LogField::CQZone, "14"}, {LogField::QSLLoTWSent, "Y"}}),
             Line("K1XYZ", "20210315", "130000")});
    // As wide as on the main window's tab, so that every column has its own width.
    panel->resize(720, 300);
    type(editCell(LogColumn::Call), "dl");
    ASSERT_EQ(grid().rowCount(), 5);
    ASSERT_TRUE(log->EditQSO(grid().IndexOfRow(rowOfCall("DL2XYZ"))));
    panel->VST()->selectRow(rowOfCall("DL0WW"));
    EXPECT_EQ(panel->CountLabel1()->text(), "5 QSOs");
    const QImage img = Grab(*panel);
    EXPECT_TRUE(SaveArtifact(img, "log-grid.png"));
    EXPECT_TRUE(SaveArtifact(Grab(*panel, 2.0), "log-grid@2x.png"));
    // Nothing left unpainted.
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_NE(Pixel(img, x, y), QColor(Qt::magenta)) << x << "," << y;
}
