// The spot list view against the spot engine: filter buttons and their groups, the spots the
// engine announces, selection, sorting, colours and cell texts, the clear commands, keys and
// menus, and the render a person looks at.
#include "DXViewsFixture.h"

#include "controls/widgets/RCSpeedButton.h"
#include "core/DataFiles.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DXWantedSpots.h"
#include "dx/widgets/DXSpotsModel.h"
#include "dx/widgets/DXSpotsPanel2.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/support/WidgetInput.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <memory>

using vxtest::Click;

namespace {

class SpotList : public DXViewsFixture {
protected:
    void SetUp() override
    {
        DXViewsFixture::SetUp();
        panel = std::make_unique<TDXSpotsPanel2>();
        panel->resize(760, 420);
        panel->show();
        panel->SetDXSpots(engine);
    }
    void TearDown() override
    {
        panel.reset();
        DXViewsFixture::TearDown();
    }

    TDXSpotsModel& model() { return *panel->Model(); }
    // The calls of the shown rows, top to bottom.
    QStringList Rows()
    {
        QStringList calls;
        for (int r = 0; r < model().rowCount(); ++r)
            calls << model().SpotAt(r)->Call;
        return calls;
    }
    int SelectedRow()
    {
        const QModelIndexList rows = panel->VST->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.front().row() : -1;
    }
    // A click on a row, as the operator does it.
    void ClickRow(int row)
    {
        const QRect r = panel->VST->visualRect(model().index(row, 1));
        Click(panel->VST->viewport(), r.center());
    }
    void SendKey(int key, Qt::KeyboardModifiers mods, QEvent::Type type = QEvent::KeyPress)
    {
        QKeyEvent e(type, key, mods);
        QApplication::sendEvent(panel->VST, &e);
    }
    bool InBandmap(int32_t id)
    {
        for (const TBandmapData& d : engine->BandmapDataList())
            if (d.SpotID == id)
                return true;
        return false;
    }

    std::unique_ptr<TDXSpotsPanel2> panel;
};

} // namespace

TEST_F(SpotList, StartState)
{
    EXPECT_EQ(panel->CountLabel->text(), "0 / 0");
    EXPECT_EQ(panel->VST->EmptyListMessage(), " no DX spots");
    EXPECT_TRUE(panel->BandButtonAll->Down());
    EXPECT_TRUE(panel->ModeButtonAll->Down());
    EXPECT_TRUE(panel->ContButtonAll->Down());
    EXPECT_FALSE(panel->FilterCallButton->isEnabled());
    EXPECT_FALSE(panel->FilterDXCCButton->isEnabled());
    EXPECT_FALSE(panel->MILog->isEnabled());
    EXPECT_EQ(panel->BandButtons[bd20]->toolTip(), "Filter 20m spots");
    EXPECT_EQ(panel->ContButtons[coNA]->toolTip(), "Filter North America");
    EXPECT_EQ(panel->BandButtons[bd6]->geometry(), QRect(374, 0, 34, 22));
    EXPECT_EQ(panel->ModeButtonDigi->geometry(), QRect(522, 0, 35, 22));
    EXPECT_EQ(panel->CountLabel->geometry(), QRect(563, 4, 54, 13));
    EXPECT_EQ(panel->OptionsButton->geometry(), QRect(522, 0, 46, 22));

    // Every caption fits its button and every header its column.
    for (TRCSpeedButton* b : panel->findChildren<TRCSpeedButton*>())
        EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->Caption()) + 4, b->width()) << b->Caption().toStdString();
    const QHeaderView* h = panel->VST->horizontalHeader();
    const int widths[] = {58, 80, 90, -1, 52, 38, 56};
    for (int c = 0; c < TDXSpotsModel::ColumnCount; ++c) {
        if (widths[c] > 0) {
            EXPECT_EQ(h->sectionSize(c), widths[c]) << c;
        }
    }
    EXPECT_EQ(h->sectionSize(3), panel->VST->viewport()->width() - (58 + 80 + 90 + 52 + 38 + 56));
    // A column pulled past its limit stops there.
    panel->VST->horizontalHeader()->resizeSection(0, 90);
    EXPECT_EQ(h->sectionSize(0), 66);
    panel->VST->horizontalHeader()->resizeSection(2, 50);
    EXPECT_EQ(h->sectionSize(2), 84);
}

TEST_F(SpotList, BandModeAndContinentButtons)
{
    Spot("OR2M", 14025000, "CW");     // EU, 20 m, CW
    Spot("K1NF", 14200000, "USB");    // NA, 20 m, phone
    Spot("JA1XYZ", 7010000, "CW");    // AS, 40 m
    Spot("DL1AAA", 21074000, "FT8");  // EU, own country, 15 m digital
    Spot("F5XYZ", 21025000, "CW");    // EU, 15 m
    ASSERT_EQ(model().Count(), 5);
    const QStringList all{"F5XYZ", "DL1AAA", "JA1XYZ", "K1NF", "OR2M"};
    ASSERT_EQ(Rows(), all);

    struct Step {
        const char* what;
        TRCSpeedButton* button;
        bool allDown; // the group's "All" after the click
        QStringList rows;
    };
    TRCSpeedButton* b20 = panel->BandButtons[bd20];
    TRCSpeedButton* b15 = panel->BandButtons[bd15];
    const Step bandSteps[] = {
        {"20m releases All", b20, false, {"K1NF", "OR2M"}},
        {"15m adds its spots", b15, false, {"F5XYZ", "DL1AAA", "K1NF", "OR2M"}},
        {"20m up, 15m stays", b20, false, {"F5XYZ", "DL1AAA"}},
        {"the last band up brings All back", b15, true, all},
        {"20m again", b20, false, {"K1NF", "OR2M"}},
        {"All releases the bands", panel->BandButtonAll, true, all},
        {"All while down stays down", panel->BandButtonAll, true, all},
    };
    for (const Step& s : bandSteps) {
        SCOPED_TRACE(s.what);
        Click(s.button);
        EXPECT_EQ(panel->BandButtonAll->Down(), s.allDown);
        EXPECT_EQ(Rows(), s.rows);
        EXPECT_EQ(panel->CountLabel->text(), QStringLiteral("%1 / 5").arg(s.rows.size()));
    }
    EXPECT_FALSE(b20->Down());

    const Step modeSteps[] = {
        {"CW", panel->ModeButtonCW, false, {"F5XYZ", "JA1XYZ", "OR2M"}},
        {"SSB adds phone", panel->ModeButtonSSB, false, {"F5XYZ", "JA1XYZ", "K1NF", "OR2M"}},
        {"All releases the modes", panel->ModeButtonAll, true, all},
        {"All while down only releases itself", panel->ModeButtonAll, false, all},
        {"DIGI", panel->ModeButtonDigi, false, {"DL1AAA"}},
        {"DIGI up brings All back", panel->ModeButtonDigi, true, all},
    };
    for (const Step& s : modeSteps) {
        SCOPED_TRACE(s.what);
        Click(s.button);
        EXPECT_EQ(panel->ModeButtonAll->Down(), s.allDown);
        EXPECT_EQ(Rows(), s.rows);
    }

    // The own entity is Germany (DL1ABC).
    const Step continentSteps[] = {
        {"EU", panel->ContButtons[coEU], false, {"F5XYZ", "DL1AAA", "OR2M"}},
        {"Ctry with EU: European spots outside the own entity", panel->OutsideContButton, false, {"F5XYZ", "OR2M"}},
        {"Ctry alone: every continent, without the own entity", panel->ContButtons[coEU], false,
         {"F5XYZ", "JA1XYZ", "K1NF", "OR2M"}},
        {"NA", panel->ContButtons[coNA], false, {"K1NF"}},
        {"All releases the continents and Ctry", panel->ContButtonAll, true, all},
    };
    for (const Step& s : continentSteps) {
        SCOPED_TRACE(s.what);
        Click(s.button);
        EXPECT_EQ(panel->ContButtonAll->Down(), s.allDown);
        EXPECT_EQ(Rows(), s.rows);
    }
    EXPECT_FALSE(panel->OutsideContButton->Down());
    EXPECT_FALSE(panel->FilterOutsideMyCountry());

    // Reset opens every filter.
    Click(panel->BandButtons[bd40]);
    Click(panel->ModeButtonCW);
    Click(panel->WantedButton);
    EXPECT_TRUE(Rows().isEmpty());
    Click(panel->ResetButton);
    EXPECT_EQ(Rows(), all);
    EXPECT_TRUE(panel->BandButtonAll->Down());
    EXPECT_FALSE(panel->BandButtons[bd40]->Down());
    EXPECT_FALSE(panel->WantedButton->Down());
    EXPECT_EQ(panel->FilterDXCCButton->toolTip(), "Filter on DXCC");
}

TEST_F(SpotList, NewSpotsAreFilteredAndASelectionOnTopFollowsThem)
{
    Click(panel->BandButtons[bd20]);
    Spot("OR2M", 14025000);
    Spot("K1NF", 14030000);
    Spot("JA1XYZ", 7010000); // hidden by the band filter
    EXPECT_EQ(Rows(), (QStringList{"K1NF", "OR2M"}));
    EXPECT_EQ(panel->CountLabel->text(), "2 / 3");

    ClickRow(0);
    EXPECT_TRUE(panel->FilterCallButton->isEnabled());
    EXPECT_TRUE(panel->MILog->isEnabled());
    Spot("TZ4AM", 14037400);
    EXPECT_EQ(Rows().front(), "TZ4AM");
    EXPECT_EQ(SelectedRow(), 0) << "a selection on the top row stays on the top row";
    Spot("VE6KIX", 7040000); // hidden: the selection stays
    EXPECT_EQ(SelectedRow(), 0);

    ClickRow(1); // K1NF
    Spot("5Z4VJ", 14036000);
    EXPECT_EQ(model().SpotAt(SelectedRow())->Call, "K1NF") << "a selection further down stays on its spot";

    // A removed selected row passes the selection to the next one, at the end to the one above.
    engine->RemoveSpot(model().SpotAt(SelectedRow())->SpotID, false);
    EXPECT_EQ(Rows(), (QStringList{"5Z4VJ", "TZ4AM", "OR2M"}));
    EXPECT_EQ(SelectedRow(), 2);
    engine->RemoveSpot(model().SpotAt(2)->SpotID, false);
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(panel->CountLabel->text(), "2 / 4");
}

TEST_F(SpotList, CallAndDXCCFiltersEndEachOther)
{
    Spot("OR2M", 14025000);
    Spot("ON4UN", 14030000); // Belgium as well
    Spot("K1NF", 14035000);
    ClickRow(2); // OR2M
    Click(panel->FilterCallButton);
    EXPECT_EQ(Rows(), QStringList{"OR2M"});
    EXPECT_EQ(panel->FilterCallButton->toolTip(), "OR2M is filtered");

    // DXCC releases Call on screen, and its filter with it.
    Click(panel->FilterDXCCButton);
    EXPECT_FALSE(panel->FilterCallButton->Down());
    EXPECT_FALSE(panel->FilteredOnCall());
    EXPECT_TRUE(panel->FilteredOnDXCC());
    EXPECT_EQ(Rows(), (QStringList{"ON4UN", "OR2M"}));
    EXPECT_EQ(panel->FilterCallButton->toolTip(), "Filter on selected call");

    // The menu does the same the other way round.
    ClickRow(0);
    panel->MIFilterCall->trigger();
    EXPECT_TRUE(panel->FilterCallButton->Down());
    EXPECT_FALSE(panel->FilterDXCCButton->Down());
    EXPECT_FALSE(panel->FilteredOnDXCC());
    EXPECT_EQ(Rows(), QStringList{"ON4UN"});
    Click(panel->FilterCallButton);
    EXPECT_EQ(model().rowCount(), 3);
}

TEST_F(SpotList, ClearCommands)
{
    struct Row {
        int kind;
        const char* removed;
    };
    // One spot per rule; the own spot qualifies for every rule and survives them all.
    const int32_t own = [&] {
        TSpot s;
        s.SetCall("DL1ABC");
        s.SetComment("PLEASE");
        s.FFrequencyA = 14070000;
        engine->AddSpotToBandmap(s);
        return engine->SpotDataList()[engine->SpotDataList().Count() - 1].SpotID;
    }();
    Spot("OR2M", 14025000, "", 60, "W3LPL"); // exactly 60 minutes: stays
    Spot("ON4UN", 14025000, "", 61);     // older than one hour
    Spot("F5XYZ", 14026000, "PLEASE QSL"); // useless
    Spot("OH9BCN/B", 14027000);          // beacon
    Spot("DL2XYZ", 14028000, "", 0, "DL1XYZ"); // spotter and spotted in Europe
    Spot("K1NF", 14029000, "", 0, "DL1XYZ");
    ASSERT_EQ(model().Count(), 7);

    const Row rows[] = {{1, "ON4UN"}, {7, "F5XYZ"}, {5, "OH9BCN/B"}, {4, "DL2XYZ"}, {2, nullptr}, {8, "K1NF OR2M"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.kind);
        const QStringList before = Rows();
        const int stored = engine->SpotDataList().Count();
        panel->ClearSpots(r.kind);
        QStringList gone;
        for (const QString& c : before)
            if (!Rows().contains(c))
                gone << c;
        gone.sort();
        EXPECT_EQ(gone.join(' '), QString::fromLatin1(r.removed ? r.removed : ""));
        // They leave the engine's spot list and stay on the band map.
        EXPECT_EQ(engine->SpotDataList().Count(), stored - gone.size());
        EXPECT_TRUE(Rows().contains("DL1ABC"));
    }
    EXPECT_EQ(Rows(), QStringList{"DL1ABC"});
    EXPECT_TRUE(InBandmap(own));
    EXPECT_EQ(engine->BandmapDataList().Count(), 7);
    EXPECT_EQ(panel->CountLabel->text(), "1 / 1");
}

TEST_F(SpotList, DuplicatesAreCallBandAndModeWithinThreeKilohertz)
{
    struct Row {
        int32_t older, newer;
        const char* newerComment;
        bool duplicate;
    };
    const Row rows[] = {
        {14025000, 14027900, "", true},      // 14025 and 14027 differ by 2
        {14025000, 14028000, "", false},     // 3 kHz
        {14027900, 14025000, "", true},      // either way round
        {14025000, 14025000, "FT8", false},  // another mode class
        {7025000, 14025000, "", false},      // another band
    };
    int n = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.older << " " << r.newer << " " << r.newerComment);
        const QString call = QStringLiteral("K%1DUP").arg(n++);
        const int32_t older = Spot(call, r.older, "", 2, "W3LPL");
        const int32_t newer = Spot(call, r.newer, QString::fromLatin1(r.newerComment), 1, "K3LR");
        ASSERT_TRUE(older && newer);
        panel->ClearSpots(3);
        EXPECT_TRUE(model().Contains(newer)) << "the upper row stays";
        EXPECT_EQ(model().Contains(older), !r.duplicate);
    }
    // Hidden rows take no part.
    const int32_t a = Spot("TZ4AM", 14025000, "", 2, "W3LPL");
    Spot("TZ4AM", 14026000, "", 1, "K3LR");
    Click(panel->BandButtons[bd40]);
    panel->ClearSpots(3);
    EXPECT_TRUE(model().Contains(a));
}

TEST_F(SpotList, DeleteKeysEnterAndMenus)
{
    TFTCATInterface cat;
    engine->SetFTCATInterface(&cat);
    const int32_t a = Spot("OR2M", 14025000);
    const int32_t b = Spot("K1NF", 14030000);
    const int32_t c = Spot("TZ4AM", 14037400);

    ClickRow(model().RowOf(a));
    SendKey(Qt::Key_Delete, Qt::NoModifier);
    EXPECT_FALSE(model().Contains(a));
    EXPECT_TRUE(InBandmap(a)) << "Delete alone keeps the band map's entry";

    ClickRow(model().RowOf(b));
    SendKey(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_FALSE(model().Contains(b));
    EXPECT_FALSE(InBandmap(b)) << "Ctrl+Delete removes it from the band map too";

    ClickRow(model().RowOf(c));
    SendKey(Qt::Key_Return, Qt::NoModifier, QEvent::KeyRelease);
    EXPECT_EQ(cat.FrequencyA(), 14037400);
    cat.PrepareTX();
    cat.SetFrequency(0, 7000000);
    panel->MIVFOB->trigger();
    EXPECT_EQ(cat.FrequencyB(), 14037400);
    EXPECT_EQ(cat.FrequencyA(), 7000000);
    panel->MIVFOA->trigger();
    EXPECT_EQ(cat.FrequencyA(), 14037400);

    // Leaving the grid drops the selection; then the commands act on nothing.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(panel->VST, &out);
    EXPECT_EQ(SelectedRow(), -1);
    cat.PrepareTX();
    cat.SetFrequency(0, 7000000);
    SendKey(Qt::Key_Return, Qt::NoModifier, QEvent::KeyRelease);
    SendKey(Qt::Key_Delete, Qt::ControlModifier);
    panel->MILog->trigger();
    panel->MIFilterCall->trigger();
    EXPECT_EQ(cat.FrequencyA(), 7000000);
    EXPECT_TRUE(model().Contains(c));
    // A context menu opening keeps it.
    ClickRow(0);
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(panel->VST, &popup);
    EXPECT_EQ(SelectedRow(), 0);

    // A row without a spot number takes no command.
    TSpotData zero;
    zero.Call = "K0ZERO";
    zero.FrequencyA = 14001000;
    engine->OnSpotDataAdded(zero);
    ASSERT_EQ(model().SpotAt(0)->SpotID, 0);
    ClickRow(0);
    const int stored = engine->SpotDataList().Count();
    SendKey(Qt::Key_Return, Qt::NoModifier, QEvent::KeyRelease);
    SendKey(Qt::Key_Delete, Qt::ControlModifier);
    panel->MILog->trigger();
    panel->MIVFOB->trigger();
    EXPECT_EQ(cat.FrequencyA(), 7000000);
    EXPECT_EQ(cat.FrequencyB(), 14037400);
    EXPECT_EQ(engine->SpotDataList().Count(), stored);
    EXPECT_EQ(model().SpotAt(0)->Call, "K0ZERO");
}

TEST_F(SpotList, OptionsFollowTheEngine)
{
    Spot("OR2M", 14025000, "cq dx");
    Spot("TM5A", 14026000, "DIPLOME AWARD");
    ASSERT_EQ(model().rowCount(), 2);
    const QString raw = model().CellText(*model().SpotAt(1), TDXSpotsModel::colComments);

    panel->MI10->trigger();
    EXPECT_TRUE(engine->SpotsOptions().Contains(showCleanComments));
    EXPECT_TRUE(panel->MI10->isChecked());
    EXPECT_NE(model().CellText(*model().SpotAt(1), TDXSpotsModel::colComments), raw);

    // Award spots hide while the option is checked.
    panel->MI11->trigger();
    EXPECT_TRUE(panel->MI11->isChecked());
    EXPECT_EQ(Rows(), QStringList{"OR2M"});
    Spot("TM6A", 14027000, "AWARD");
    EXPECT_EQ(Rows(), QStringList{"OR2M"});
    Click(panel->ResetButton);
    EXPECT_EQ(Rows(), QStringList{"OR2M"});
    panel->MI11->trigger();
    EXPECT_EQ(model().rowCount(), 3);

    // Without an engine the marks do not move.
    panel->SetDXSpots(nullptr);
    panel->MI10->trigger();
    EXPECT_FALSE(panel->MI10->isChecked());
}

TEST_F(SpotList, SortingByHeaderClicks)
{
    Spot("ve6kix", 14025000); // not a valid call in lower case: refused
    Spot("OR2M", 14030000, "", 5);
    Spot("K1NF", 14010000, "", 1);
    Spot("TZ4AM", 14020000, "", 3);
    ASSERT_EQ(Rows(), (QStringList{"TZ4AM", "K1NF", "OR2M"}));

    QHeaderView* h = panel->VST->horizontalHeader();
    const auto clickHeader = [&](int column) { emit h->sectionClicked(column); };
    clickHeader(TDXSpotsModel::colCall);
    EXPECT_EQ(Rows(), (QStringList{"K1NF", "OR2M", "TZ4AM"}));
    clickHeader(TDXSpotsModel::colCall);
    EXPECT_EQ(Rows(), (QStringList{"TZ4AM", "OR2M", "K1NF"}));
    clickHeader(TDXSpotsModel::colFreq); // a new column keeps the direction
    EXPECT_EQ(Rows(), (QStringList{"OR2M", "TZ4AM", "K1NF"}));
    clickHeader(TDXSpotsModel::colFreq);
    EXPECT_EQ(Rows(), (QStringList{"K1NF", "TZ4AM", "OR2M"}));
    EXPECT_EQ(h->sortIndicatorSection(), TDXSpotsModel::colFreq);

    // New spots go to their sorted place; a selection stays on its spot across a sort.
    Spot("5Z4VJ", 14015000);
    EXPECT_EQ(Rows(), (QStringList{"K1NF", "5Z4VJ", "TZ4AM", "OR2M"}));
    ClickRow(2);
    clickHeader(TDXSpotsModel::colUTC);
    EXPECT_EQ(Rows(), (QStringList{"OR2M", "TZ4AM", "K1NF", "5Z4VJ"}));
    EXPECT_EQ(model().SpotAt(SelectedRow())->Call, "TZ4AM");
}

TEST_F(SpotList, CellTextsAndColours)
{
    engine->SetMyLocator("JO62QM");
    const int32_t id = Spot("OR2M", 14025000, "CW", 0, "W3LPL");
    const TSpotData& d = *model().SpotAt(model().RowOf(id));
    struct Cell {
        int column;
        QString text;
    };
    const Cell cells[] = {
        {TDXSpotsModel::colFreq, "14025.0"},
        {TDXSpotsModel::colCall, "OR2M"},
        {TDXSpotsModel::colUTC, "2026-02-01 18:50"},
        {TDXSpotsModel::colComments, "CW"},
        {TDXSpotsModel::colSpotter, "W3LPL"},
        {TDXSpotsModel::colBear, QStringLiteral("%1°").arg(d.Bearing)},
        {TDXSpotsModel::colDist, QStringLiteral("%1 km ").arg(d.Distance)},
    };
    for (const Cell& c : cells)
        EXPECT_EQ(model().CellText(d, c.column), c.text) << c.column;
    EXPECT_GT(d.Distance, 0);
    engine->SetRangeUnit(ruMiles);
    Spot("K1NF", 14030000);
    EXPECT_EQ(model().CellText(d, TDXSpotsModel::colDist), QStringLiteral("%1 mi ").arg(d.Distance));
    EXPECT_TRUE(model().headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignRight);

    struct Colour {
        const char* what;
        void (*set)(TSpotData&);
        QColor colour;
    };
    const Colour colours[] = {
        {"plain", [](TSpotData&) {}, QColor(192, 192, 192)},
        {"own", [](TSpotData& s) { s.IsMySpot = s.IsUseless = true; }, QColor(255, 255, 255)},
        {"useless", [](TSpotData& s) { s.IsUseless = s.IsBeacon = true; }, QColor(252, 108, 108)},
        {"beacon", [](TSpotData& s) { s.IsBeacon = s.IsWanted = true; }, QColor(128, 128, 128)},
        {"logged and wanted", [](TSpotData& s) { s.IsLogged = s.IsWanted = true; }, QColor(0, 255, 255)},
        {"wanted", [](TSpotData& s) { s.IsWanted = true; }, QColor(255, 255, 153)},
        {"logged", [](TSpotData& s) { s.IsLogged = true; }, QColor(0, 255, 153)},
    };
    for (const Colour& c : colours) {
        TSpotData s;
        c.set(s);
        EXPECT_EQ(TDXSpotsModel::RowColor(s), c.colour) << c.what;
    }
}

TEST_F(SpotList, RendersBusy)
{
    engine->SetMyLocator("JO62QM");
    ASSERT_TRUE(TDXWantedSpots::SaveWantedFile(GetUserDataFileName(TDXWantedSpots::WantedSpotsFileName),
                                               {TDXWantedSpots::WantedSpotsLine("JY5HX", TWantedBands{bd20}),
                                                TDXWantedSpots::WantedSpotsLine("9N7AA", TWantedBands{bd20}),
                                                TDXWantedSpots::WantedSpotsLine("VK9XX", TWantedBands{bd20})}));
    engine->LoadWantedSpotsList();
    const auto log = LogCWQSOs(*engine, {"OH2BH", "VK9XX", "G3SXW"});

    const char* cwCalls[] = {"JY5HX", "OH2BH", "VK9XX", "G3SXW", "9N7AA", "ZL2IFB", "PY2XB", "UA9CDC", "EA8CN", "F5VHY",
                             "I2WIJ", "SM5AQD", "HB9ABC", "OE1XYZ", "SP7IVO", "HA5X", "LZ1ABC", "YO3ABC", "4X4DK",
                             "A71BX", "9K2HN", "VU2PTT", "BY1DX", "HL5XX", "DU1XX", "9M2AX", "KH6LC", "W1AW", "N1MM",
                             "K3LR", "VE3ABC", "XE1XX", "LU1FAM", "CE3XX", "CX2SA", "ZS6XX", "5H3XX", "CN8XX", "ON4UN"};
    const char* comments[] = {"CW 23 dB 25 WPM CQ", "", "UP 2", "tnx QSO", "CQ TEST", "599 IOTA EU-001", "QRZ?"};
    int i = 0;
    for (const char* call : cwCalls) {
        // 20 m CW, with one beacon and one useless spot among them.
        const QString c = QString::fromLatin1(call);
        const QString comment = i == 11 ? QStringLiteral("PLEASE QSL") : QString::fromLatin1(comments[i % 7]);
        Spot(i == 14 ? c + "/B" : c, 14001000 + i * 1700, comment, 45 - i, i % 3 ? "W3LPL" : "DL8WAA-#");
        ++i;
    }
    // 80 more spots on other bands and in other modes.
    for (int k = 0; k < 80; ++k) {
        const int32_t hz = k % 2 ? 7074000 + k * 100 : 14200000 + k * 1000;
        Spot(QStringLiteral("K%1%2X").arg(k % 10).arg(QChar(u'A' + k / 10)), hz, k % 2 ? "FT8" : "USB", k % 40, "N2TA");
    }
    // The operator's own spot.
    TSpot own;
    own.SetCall("DL1ABC");
    own.SetComment("QRV");
    own.FFrequencyA = 14060000;
    engine->AddSpotToBandmap(own);
    ASSERT_EQ(model().Count(), 120);

    Click(panel->BandButtons[bd20]);
    Click(panel->ModeButtonCW);
    EXPECT_EQ(panel->CountLabel->text(), "40 / 120");
    panel->resize(760, 590); // all 40 rows in view
    ClickRow(3);

    EXPECT_TRUE(SaveArtifact(Render(*panel), "spotlist-busy.png"));
    // Every cell text of the shown rows fits its column.
    const QHeaderView* h = panel->VST->horizontalHeader();
    const QFontMetrics fm(panel->VST->font());
    for (int r = 0; r < model().rowCount(); ++r)
        for (int c = 0; c < TDXSpotsModel::ColumnCount; ++c)
            if (c != TDXSpotsModel::colComments) {
                EXPECT_LE(fm.horizontalAdvance(model().CellText(*model().SpotAt(r), c)) + 4, h->sectionSize(c))
                    << model().CellText(*model().SpotAt(r), c).toStdString();
            }
}
