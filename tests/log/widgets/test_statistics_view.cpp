// The statistics view over the engine and a logbook: captions and columns per kind, the
// settings refused while a run is in progress, totals and marks, sorting, colours, the log
// filter of a double click, and the pictures.
#include "../StatisticsFixture.h"
#include "DialogChecks.h"
#include "log/widgets/LogStatisticsPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <optional>

class StatisticsViewTest : public StatisticsFixture {
protected:
    void SetUp() override
    {
        StatisticsFixture::SetUp();
        panel = std::make_unique<TLogStatisticsPanelV2>();
        panel->resize(900, 455);
        panel->SetLogStatistics(engine.get());
        panel->OnLogFilter = [this](const TLogFilter& f) { filters.push_back(f); };
    }
    void TearDown() override
    {
        panel.reset();
        StatisticsFixture::TearDown();
    }

    // As the operator picks a combo item.
    static void pick(QComboBox* combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void choose(TLogStatisticsType kind)
    {
        pick(panel->StatisticsTypeComboBox, kind);
        waitForRun();
    }
    TLogStatisticsModel& model() { return *panel->Model; }
    // Captions of the shown columns, left to right.
    QStringList shownCaptions()
    {
        QStringList captions;
        for (int c = 0; c < StatColumn::Count; ++c) {
            if (!panel->VST->isColumnHidden(c))
                captions << model().Caption(c);
        }
        return captions;
    }
    // The shown columns side by side: no hidden one keeps a width.
    void expectColumnsSideBySide()
    {
        const QHeaderView* h = panel->VST->horizontalHeader();
        int x = h->sectionViewportPosition(0);
        for (int c = 0; c < StatColumn::Count; ++c) {
            if (panel->VST->isColumnHidden(c))
                continue;
            EXPECT_EQ(h->sectionViewportPosition(c), x) << "column " << c;
            x += h->sectionSize(c);
        }
    }
    QStringList column(int c)
    {
        QStringList texts;
        for (int r = 0; r < model().rowCount(); ++r)
            texts << model().data(model().index(r, c), Qt::DisplayRole).toString();
        return texts;
    }
    int rowOf(const QString& keyName)
    {
        for (int r = 0; r < model().rowCount(); ++r) {
            if (!model().Row(r).IsSummary() && model().Row(r).KeyName == keyName)
                return r;
        }
        return -1;
    }

    // Three US QSOs with every field the kinds count.
    void openUSLog()
    {
        openLog({
            StatQSO("K1AA", "20m", "CW",
                    {{LogField::DXCC, "291"}, {LogField::USState, "CT"}, {LogField::CQZone, "05"},
                     {LogField::Continent, "NA"}, {LogField::GridSquare, "FN31"}}),
            StatQSO("K2BB", "40m", "SSB",
                    {{LogField::DXCC, "291"}, {LogField::USState, "NY"}, {LogField::CQZone, "05"},
                     {LogField::Continent, "NA"}, {LogField::GridSquare, "FN30"}}),
            StatQSO("K3CC", "6m", "FT8",
                    {{LogField::DXCC, "291"}, {LogField::USState, "PA"}, {LogField::CQZone, "05"},
                     {LogField::Continent, "NA"}, {LogField::GridSquare, "FN20"}}),
        });
    }

    std::unique_ptr<TLogStatisticsPanelV2> panel;
    std::vector<TLogFilter> filters;
};

TEST_F(StatisticsViewTest, CombosAndBoxesAtStart)
{
    auto items = [](QComboBox* c) {
        QStringList l;
        for (int i = 0; i < c->count(); ++i)
            l << c->itemText(i);
        return l;
    };
    EXPECT_EQ(items(panel->StatisticsTypeComboBox),
              QStringList({"<select>", "Band/Mode", "DXCC", "DXCC w/deleted", "DXCC Challenge", "Continents",
                           "CQ Zones", "IOTA", "US States", "Fields", "VUCC 6m", "FFMA 6m"}));
    EXPECT_EQ(items(panel->FilterModeComboBox),
              QStringList({"<Mode Filter>", "CW", "Phone", "Digital", "RTTY", "JT Modes"}));
    EXPECT_EQ(items(panel->FilterQSLComboBox), QStringList({"<QSL Filter>", "not cfmd", "cfmd", "cfmd LoTW"}));
    EXPECT_EQ(panel->StatisticsTypeComboBox->toolTip(), "Select statistics type");
    EXPECT_EQ(panel->FilterModeComboBox->toolTip(), "Filter on Modes");
    EXPECT_EQ(panel->FilterQSLComboBox->toolTip(), "Filter on wkld/cfmd");
    EXPECT_FALSE(panel->FilterModeComboBox->isEnabled());
    EXPECT_FALSE(panel->FilterQSLComboBox->isEnabled());
    EXPECT_TRUE(panel->DisplayTotalsCheckBox->isChecked());
    EXPECT_FALSE(panel->DisplayAllCheckBox->isEnabled());
    EXPECT_EQ(panel->MIAutoFit->text(), "Size all columns to &fit");
    EXPECT_EQ(panel->MIAutoFit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(panel->MICopyToClipboard->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    TLogStatisticsPanelV2 fresh;
    EXPECT_EQ(fresh.size(), QSize(500, 455));
    EXPECT_EQ(fresh.Color(), QColor(65, 65, 65));
}

TEST_F(StatisticsViewTest, CaptionsColumnsAndDisplayAllPerKind)
{
    openUSLog();
    struct Case {
        TLogStatisticsType kind;
        QStringList captions;
        const char* displayAll;
        bool displayAllEnabled;
    };
    const QStringList counters = {"MIX", "CW", "PHO", "DIG"};
    const QStringList bands = {"40m", "20m", "6m"};
    const Case cases[] = {
        {statBandMode, QStringList{"Mode", "Total"} + bands + QStringList{"Perc"}, "Display all Modes", true},
        {statDXCC, QStringList{"Prefix", "Entity"} + counters + bands, "Display all DXCC Entities", true},
        {statDXCCDeleted, QStringList{"Prefix", "Entity"} + counters + bands, "Display all DXCC Entities", true},
        {statDXCCChallenge, QStringList{"Prefix", "Entity"} + bands, "Display all DXCC Entities", true},
        {statContinents, QStringList{"Cont"} + counters + bands + QStringList{"Perc"}, "Display all Continents", true},
        {statZones, QStringList{"Zone"} + counters + bands + QStringList{"Perc"}, "Display all CQ Zones", true},
        {statIOTA, {"IOTA", "Entity", "IOTA Island Group", "MIX"}, "Display all IOTA", true},
        {statStates, QStringList{"State", "Name", "Area"} + counters + bands + QStringList{"Perc"},
         "Display all US States", true},
        {statFields, QStringList{"Field"} + counters + bands + QStringList{"Perc"}, "Display all 324 fields", true},
        {statVUCC, QStringList{"Grid"} + counters + QStringList{"6m", "Perc"}, "Display all", false},
        // No ffma.dat: no rows, yet the band of the QSOs that would count.
        {statFFMA, QStringList{"Grid"} + counters + QStringList{"6m", "Perc"}, "Display all 488 grids", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        choose(c.kind);
        EXPECT_EQ(shownCaptions(), c.captions);
        expectColumnsSideBySide();
        EXPECT_EQ(panel->DisplayAllCheckBox->text(), c.displayAll);
        EXPECT_EQ(panel->DisplayAllCheckBox->isEnabled(), c.displayAllEnabled);
        // The filters count for every kind but the modes.
        EXPECT_EQ(panel->FilterModeComboBox->isEnabled(), c.kind != statBandMode);
        EXPECT_EQ(panel->FilterQSLComboBox->isEnabled(), c.kind != statBandMode);
    }

    choose(statStates);
    EXPECT_EQ(column(StatColumn::Extra), QStringList({"", "1", "2", "3", ""})); // worked, CT, NY, PA, Total
    choose(statDXCCChallenge);
    EXPECT_EQ(column(StatColumn::KeyName).first(), "Total: 3");

    // "<select>" empties the grid at once and locks the filters.
    pick(panel->StatisticsTypeComboBox, statNone);
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_FALSE(engine->ThreadIsRunning());
    EXPECT_FALSE(panel->FilterModeComboBox->isEnabled());
    EXPECT_FALSE(panel->FilterQSLComboBox->isEnabled());
    EXPECT_EQ(panel->DisplayAllCheckBox->text(), "Display all");
    EXPECT_FALSE(panel->DisplayAllCheckBox->isEnabled());
    choose(statBandMode);
    EXPECT_FALSE(panel->FilterModeComboBox->isEnabled());
}

TEST_F(StatisticsViewTest, NothingChangesWhileARunIsInProgress)
{
    openUSLog();
    pick(panel->StatisticsTypeComboBox, statDXCC);
    ASSERT_TRUE(engine->ThreadIsRunning());
    pick(panel->StatisticsTypeComboBox, statZones);
    EXPECT_EQ(panel->StatisticsTypeComboBox->currentIndex(), int(statDXCC));
    pick(panel->FilterModeComboBox, fmCW);
    EXPECT_EQ(panel->FilterModeComboBox->currentIndex(), int(fmAll));
    pick(panel->FilterQSLComboBox, fqLoTW);
    EXPECT_EQ(panel->FilterQSLComboBox->currentIndex(), int(fqNone));
    panel->DisplayAllCheckBox->click();
    EXPECT_FALSE(panel->DisplayAllCheckBox->isChecked());
    waitForRun();
    EXPECT_EQ(engine->StatisticsType(), statDXCC);
    EXPECT_EQ(engine->FilterMode(), fmAll);
    EXPECT_EQ(engine->FilterQSL(), fqNone);
    EXPECT_FALSE(engine->DisplayAllRows());

    // Once it has ended the settings go through.
    pick(panel->FilterModeComboBox, fmCW);
    EXPECT_EQ(engine->FilterMode(), fmCW);
    waitForRun();
    panel->DisplayAllCheckBox->click();
    EXPECT_TRUE(engine->DisplayAllRows());
    waitForRun();
}

TEST_F(StatisticsViewTest, TotalsOffShowsMarks)
{
    openUSLog();
    engine->SetDisplayAllRows(true);
    waitForRun();
    choose(statContinents);
    const int na = rowOf("NA");
    const int eu = rowOf("EU");
    ASSERT_GE(na, 0);
    EXPECT_EQ(column(StatColumn::Mix).last(), "3");
    EXPECT_EQ(model().data(model().index(na, StatColumn::Perc), Qt::DisplayRole), "100.0");

    panel->DisplayTotalsCheckBox->click();
    EXPECT_TRUE(panel->VST->isColumnHidden(StatColumn::Perc));
    EXPECT_EQ(model().rowCount(), 7 + 1);
    EXPECT_FALSE(model().Row(model().rowCount() - 1).Key == TStatistic::TotalKey);
    EXPECT_EQ(model().data(model().index(na, StatColumn::Mix), Qt::DisplayRole), "X");
    EXPECT_EQ(model().data(model().index(na, StatColumn::Mix + 1), Qt::DisplayRole), "X"); // CW
    EXPECT_EQ(model().data(model().index(eu, StatColumn::Mix), Qt::DisplayRole), "");
    EXPECT_EQ(model().Row(0).Key, TStatistic::WorkedKey);
    EXPECT_EQ(model().data(model().index(0, StatColumn::Mix), Qt::DisplayRole), "1");

    panel->DisplayTotalsCheckBox->click();
    EXPECT_FALSE(panel->VST->isColumnHidden(StatColumn::Perc));
    EXPECT_EQ(model().Row(model().rowCount() - 1).Key, TStatistic::TotalKey);
    EXPECT_EQ(model().data(model().index(eu, StatColumn::Mix), Qt::DisplayRole), "0");
}

TEST_F(StatisticsViewTest, SortingKeepsTheSummaryRowsInPlace)
{
    openLog({
        StatQSO("DL1AA", "20m", "CW", {{LogField::DXCC, "230"}}),
        StatQSO("DL2BB", "20m", "CW", {{LogField::DXCC, "230"}}),
        StatQSO("F1AA", "20m", "CW", {{LogField::DXCC, "227"}}),
        StatQSO("F2BB", "40m", "CW", {{LogField::DXCC, "227"}}),
        StatQSO("F3CC", "40m", "CW", {{LogField::DXCC, "227"}}),
        StatQSO("K1AA", "40m", "CW", {{LogField::DXCC, "291"}}),
    });
    choose(statDXCC);
    EXPECT_EQ(column(StatColumn::KeyName), QStringList({"", "DL", "F", "K", "Total"}));
    const int col20 = StatColumn::FirstBand + bd20 - 1;
    ASSERT_EQ(model().Caption(col20), "20m");
    panel->DoVSTHeaderClick(col20);
    EXPECT_EQ(column(StatColumn::KeyName), QStringList({"", "K", "F", "DL", "Total"}));
    panel->DoVSTHeaderClick(col20);
    EXPECT_EQ(model().SortOrder(), Qt::DescendingOrder);
    EXPECT_EQ(column(StatColumn::KeyName), QStringList({"", "DL", "F", "K", "Total"}));
    panel->DoVSTHeaderClick(StatColumn::Name); // direction kept
    EXPECT_EQ(column(StatColumn::Name), QStringList({"", "United States", "France", "Fed. Rep. of Germany", ""}));
    EXPECT_EQ(panel->VST->horizontalHeader()->sortIndicatorSection(), StatColumn::Name);

    // A new result is ascending again.
    engine->RunStatistics();
    waitForRun();
    EXPECT_EQ(model().SortOrder(), Qt::AscendingOrder);
    EXPECT_EQ(column(StatColumn::Name), QStringList({"", "Fed. Rep. of Germany", "France", "United States", ""}));
}

TEST_F(StatisticsViewTest, PercentagesUseAPointUnderEveryLocale)
{
    QStringList lines;
    for (int i = 0; i < 7; ++i)
        lines << StatQSO(QStringLiteral("K%1AA").arg(i), "20m", "CW", {{LogField::Continent, "NA"}});
    lines << StatQSO("DL1AA", "20m", "CW", {{LogField::Continent, "EU"}});
    openLog(lines);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    choose(statContinents);
    EXPECT_EQ(model().data(model().index(rowOf("EU"), StatColumn::Perc), Qt::DisplayRole), "12.5");
    EXPECT_EQ(model().data(model().index(rowOf("NA"), StatColumn::Perc), Qt::DisplayRole), "87.5");
    EXPECT_EQ(model().data(model().index(0, StatColumn::Perc), Qt::DisplayRole), ""); // worked row
    QLocale::setDefault(before);
}

TEST_F(StatisticsViewTest, DoubleClickFiltersTheLog)
{
    openLog({
        StatQSO("DL1AA", "6m", "CW",
                {{LogField::DXCC, "230"}, {LogField::GridSquare, "JO31AB"}, {LogField::Continent, "EU"},
                 {LogField::CQZone, "14"}, {LogField::IOTA, "EU-129"}}),
        StatQSO("K1AA", "20m", "SSB", {{LogField::DXCC, "291"}, {LogField::USState, "CT"}}),
    });
    StatisticsFixture::writeDataFile("iota.dat", "header\r\nEU-129;DL;Baltic Sea Coast\r\n");
    struct Case {
        TLogStatisticsType kind;
        const char* row;
        std::function<QString(const TLogFilter&)> field;
        const char* value;
    };
    const Case cases[] = {
        {statBandMode, "SSB", &TLogFilter::Mode, "SSB"},
        {statDXCC, "DL", &TLogFilter::DXCC, "230"},
        {statDXCCChallenge, "K", &TLogFilter::DXCC, "291"},
        {statContinents, "EU", &TLogFilter::Continent, "EU"},
        {statZones, "14", &TLogFilter::CQZ, "14"},
        {statStates, "CT", &TLogFilter::State, "CT"},
        {statFields, "JO", &TLogFilter::GridSquare, "JO"},
        {statVUCC, "JO31", &TLogFilter::GridSquare, "JO31"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        choose(c.kind);
        const int r = rowOf(QString::fromLatin1(c.row));
        ASSERT_GE(r, 0);
        filters.clear();
        panel->VST->selectRow(r);
        panel->DoVSTDblClick(r);
        ASSERT_EQ(filters.size(), 1u);
        EXPECT_EQ(c.field(filters[0]), c.value);
        const bool sixMetres = c.kind == statVUCC;
        EXPECT_EQ(filters[0].Band(), sixMetres ? "6m" : "");
    }

    // IOTA: an empty filter, which shows the whole log again.
    choose(statIOTA);
    filters.clear();
    panel->VST->selectRow(rowOf("EU-129"));
    panel->DoVSTDblClick(rowOf("EU-129"));
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_FALSE(filters[0].Filtered());

    // Summary rows, no selection, no handler: nothing.
    filters.clear();
    panel->VST->selectRow(0);
    panel->DoVSTDblClick(0);
    panel->VST->clearSelection();
    panel->DoVSTDblClick(rowOf("EU-129"));
    panel->OnLogFilter = nullptr;
    panel->VST->selectRow(rowOf("EU-129"));
    panel->DoVSTDblClick(rowOf("EU-129"));
    EXPECT_TRUE(filters.empty());
}

TEST_F(StatisticsViewTest, RowColours)
{
    openLog({StatQSO("DL1AA", "20m", "CW", {{LogField::DXCC, "230"}})});
    engine->SetDisplayAllRows(true);
    waitForRun();
    choose(statDXCC);
    panel->show();
    QCoreApplication::processEvents();
    const QImage img = Render(*panel->VST, 1.0);
    const QPoint viewport = panel->VST->viewport()->pos();
    const auto cellRect = [&](int row) {
        return panel->VST->visualRect(model().index(row, StatColumn::Mix)).translated(viewport);
    };
    // Left of a centred count no text is drawn: the row's own ground.
    const auto ground = [&](int row) {
        const QRect cell = cellRect(row);
        return QColor(img.pixel(cell.left() + 1, cell.center().y()));
    };
    // The darkest and the brightest grey inside the cell: its text.
    const auto textRange = [&](int row) {
        const QRect cell = cellRect(row);
        int darkest = 255, brightest = 0;
        for (int x = cell.left() + 2; x < cell.right() - 2; ++x) {
            for (int y = cell.top(); y <= cell.bottom(); ++y) {
                const int v = qGray(img.pixel(x, y));
                darkest = std::min(darkest, v);
                brightest = std::max(brightest, v);
            }
        }
        return std::pair{darkest, brightest};
    };
    const int dl = rowOf("DL");
    const int fr = rowOf("F");
    const int last = model().rowCount() - 1;
    EXPECT_EQ(ground(0), QColor(255, 172, 90));
    EXPECT_EQ(ground(last), QColor(255, 172, 90));
    EXPECT_EQ(ground(fr), QColor(34, 34, 34));
    EXPECT_EQ(ground(dl), QColor(Qt::black));
    EXPECT_LT(textRange(0).first, 60);        // black on orange
    EXPECT_GT(textRange(dl).second, 150);     // silver on black ...
    EXPECT_LT(textRange(dl).second, 200);     // ... not white
    // The column line on the cell's right edge.
    const QRect cell = cellRect(dl);
    EXPECT_EQ(QColor(img.pixel(cell.right(), cell.center().y())), QColor(128, 128, 128));
}

TEST_F(StatisticsViewTest, AnotherLogEmptiesTheGrid)
{
    openUSLog();
    choose(statDXCC);
    ASSERT_GT(model().rowCount(), 0);
    log->SetLogFileName("other.log");
    openLog({});
    EXPECT_EQ(model().rowCount(), 0);
}

TEST_F(StatisticsViewTest, CopyToClipboard)
{
    openUSLog();
    choose(statZones);
    panel->MICopyToClipboard->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "Zone\tMIX\tCW\tPHO\tDIG\t40m\t20m\t6m\tPerc\n"
                                                 "\t1\t1\t1\t1\t1\t1\t1\t\n"
                                                 "05\t3\t1\t1\t1\t1\t1\t1\t100.0\n"
                                                 "Total\t3\t1\t1\t1\t1\t1\t1\t100.0\n");
}

TEST_F(StatisticsViewTest, EngineOrPanelGone)
{
    openUSLog();
    choose(statDXCC);
    engine->RunStatistics();
    panel.reset();
    EXPECT_FALSE(engine->OnFinished);
    waitForRun();

    panel = std::make_unique<TLogStatisticsPanelV2>();
    panel->SetLogStatistics(engine.get());
    engine.reset();
    EXPECT_EQ(panel->LogStatistics(), nullptr);
    pick(panel->StatisticsTypeComboBox, statZones);
    panel->DoLogStatisticsFinished();
    panel->DisplayAllCheckBox->setEnabled(true);
    panel->DisplayAllCheckBox->click();
}

TEST_F(StatisticsViewTest, Pictures)
{
    writeDataFile("dxccentity.dat", "1A=Sov Mil Order of Malta;246\r\n3A=Monaco;260\r\nCT=Portugal;272\r\n"
                                    "DL=Fed. Rep. of Germany;230\r\nEA=Spain;281\r\nEI=Ireland;245\r\n"
                                    "F=France;227\r\nG=England;223\r\nGM=Scotland;279\r\nHB=Switzerland;287\r\n"
                                    "I=Italy;248\r\nJA=Japan;339\r\nK=United States;291\r\nLX=Luxembourg;254\r\n"
                                    "OE=Austria;206\r\nOH=Finland;224\r\nON=Belgium;209\r\nOZ=Denmark;221\r\n"
                                    "PA=Netherlands;263\r\nSM=Sweden;284\r\nVE=Canada;1\r\nVK=Australia;150\r\n"
                                    "[Y2]=German Democratic Republic;229\r\n");
    const struct {
        const char* call;
        const char* dxcc;
        const char* band;
        const char* mode;
        int count;
    } worked[] = {
        {"DL", "230", "20m", "CW", 14}, {"DL", "230", "40m", "SSB", 9}, {"DL", "230", "80m", "FT8", 4},
        {"F", "227", "20m", "SSB", 6},  {"F", "227", "15m", "CW", 3},   {"G", "223", "20m", "FT8", 5},
        {"I", "248", "40m", "CW", 2},   {"JA", "339", "15m", "FT8", 7}, {"JA", "339", "10m", "SSB", 2},
        {"K", "291", "20m", "CW", 11},  {"K", "291", "17m", "FT8", 4},  {"K", "291", "160m", "CW", 1},
        {"OH", "224", "30m", "CW", 3},  {"VK", "150", "20m", "SSB", 2}, {"VE", "1", "12m", "FT4", 3},
        {"PA", "263", "6m", "FT8", 2},  {"EA", "281", "60m", "CW", 1},  {"SM", "284", "40m", "RTTY", 2},
    };
    QStringList lines;
    for (const auto& w : worked) {
        for (int i = 0; i < w.count; ++i)
            lines << StatQSO(QString::fromLatin1(w.call) + QString::number(i) + "X", w.band, w.mode,
                             {{LogField::DXCC, w.dxcc}});
    }
    openLog(lines);

    panel->resize(690, 455);
    panel->show();
    choose(statBandMode);
    SaveDialogPictures(*panel, QStringLiteral("statistics-bandmode"));
    pick(panel->StatisticsTypeComboBox, statDXCC);
    waitForRun();
    panel->DisplayAllCheckBox->click();
    waitForRun();
    ASSERT_TRUE(panel->DisplayTotalsCheckBox->isChecked());
    QCoreApplication::processEvents();
    SaveDialogPictures(*panel, QStringLiteral("statistics-dxcc"));
    ExpectNothingClipped(*panel);
}
