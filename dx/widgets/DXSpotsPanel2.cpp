#include "dx/widgets/DXSpotsPanel2.h"

#include "controls/widgets/RCSpeedButton.h"
#include "dx/DXSpots.h"
#include "dx/widgets/DXSpotsModel.h"

#include <QCursor>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace {

const QColor PanelColor(65, 65, 65);
const QColor GridText(192, 192, 192);
const QColor SelectionColor(0, 72, 140);
constexpr int RowHeight = 13;
constexpr int ButtonHeight = 22;

// The screen font in place of "Tahoma": DejaVu Sans is wider, so its pixel size is chosen to
// keep the captions and cells inside the fixed widths.
QFont PanelFont(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    return font;
}

struct TColumnLook {
    int Width;
    int Min;
    int Max;
};
// Width and limits of the seven columns; column 3 takes what is left.
const TColumnLook Columns[TDXSpotsModel::ColumnCount] = {
    {58, 20, 66}, {80, 70, 120}, {90, 84, 100}, {200, 20, 100000}, {52, 20, 100000}, {38, 20, 42}, {56, 20, 100000},
};

// The header painted on black: caption in silver, a thin separator and the sort glyph.
class TSpotsHeader : public QHeaderView {
public:
    explicit TSpotsHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter* p, const QRect& rect, int logicalIndex) const override
    {
        p->save();
        p->fillRect(rect, Qt::black);
        p->fillRect(rect.right(), rect.top() + 2, 1, rect.height() - 4, QColor(90, 90, 90));
        p->fillRect(rect.left(), rect.bottom(), rect.width(), 1, QColor(90, 90, 90));
        QRect text = rect.adjusted(2, 0, -3, 0);
        const bool sorted = isSortIndicatorShown() && sortIndicatorSection() == logicalIndex;
        if (sorted) {
            // A small triangle at the right: up for ascending.
            const int cx = text.right() - 3;
            const int cy = rect.center().y();
            QPolygon glyph;
            if (sortIndicatorOrder() == Qt::AscendingOrder)
                glyph << QPoint(cx - 3, cy + 2) << QPoint(cx + 3, cy + 2) << QPoint(cx, cy - 2);
            else
                glyph << QPoint(cx - 3, cy - 2) << QPoint(cx + 3, cy - 2) << QPoint(cx, cy + 2);
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(Qt::NoPen);
            p->setBrush(GridText);
            p->drawPolygon(glyph);
            text.setRight(text.right() - 9);
        }
        const QVariant align = model() ? model()->headerData(logicalIndex, Qt::Horizontal, Qt::TextAlignmentRole) : QVariant();
        const QString caption = model() ? model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString() : QString();
        p->setPen(GridText);
        p->setFont(font());
        p->drawText(text, align.isValid() ? align.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter), caption);
        p->restore();
    }
};

// Cells in the row's colour (white while selected), text margin 2 pixels, clipped, no
// ellipsis.
class TSpotsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            p->fillRect(option.rect, SelectionColor);
        const QColor color = selected ? QColor(255, 255, 255) : index.data(Qt::ForegroundRole).value<QBrush>().color();
        p->save();
        p->setClipRect(option.rect);
        p->setPen(color);
        p->setFont(option.font);
        p->drawText(option.rect.adjusted(2, 0, -2, 0), index.data(Qt::TextAlignmentRole).toInt(),
                    index.data(Qt::DisplayRole).toString());
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 4, RowHeight);
    }
};

// The "All" rule of a row of filter buttons: "All" going down releases the others, another
// going down releases "All", and "All" comes back when nothing is down any more.
void FollowAllButton(TRCSpeedButton* all, TRCSpeedButton* clicked, const std::vector<TRCSpeedButton*>& others)
{
    const bool anyDown = std::any_of(others.begin(), others.end(), [](TRCSpeedButton* b) { return b->Down(); });
    if (clicked == all && all->Down()) {
        for (TRCSpeedButton* b : others)
            b->SetDown(false);
    } else if (clicked != all && clicked->Down()) {
        all->SetDown(false);
    } else if (!anyDown) {
        all->SetDown(true);
    }
}

} // namespace

// ---- Grid ------------------------------------------------------------------------------------

TDXSpotsGrid::TDXSpotsGrid(QWidget* parent)
    : QTableView(parent)
{
    setHorizontalHeader(new TSpotsHeader(this));
    setItemDelegate(new TSpotsDelegate(this));
    setFrameShape(QFrame::NoFrame);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(20);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setFixedHeight(17);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::Text, GridText);
    pal.setColor(QPalette::Highlight, SelectionColor);
    pal.setColor(QPalette::HighlightedText, Qt::white);
    setPalette(pal);
    horizontalHeader()->setPalette(pal);
    setFont(PanelFont(9));
    horizontalHeader()->setFont(PanelFont(9));
}

void TDXSpotsGrid::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (model() && model()->rowCount() > 0)
        return;
    QPainter p(viewport());
    p.setPen(GridText);
    p.setFont(font());
    p.drawText(viewport()->rect().adjusted(0, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, FEmptyListMessage);
}

void TDXSpotsGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    FitComments();
}

void TDXSpotsGrid::FitComments()
{
    const QHeaderView* h = horizontalHeader();
    if (h->count() <= TDXSpotsModel::colComments)
        return;
    int others = 0;
    for (int c = 0; c < h->count(); ++c)
        if (c != TDXSpotsModel::colComments)
            others += h->sectionSize(c);
    const int width = std::max(Columns[TDXSpotsModel::colComments].Width, viewport()->width() - others);
    if (h->sectionSize(TDXSpotsModel::colComments) != width)
        horizontalHeader()->resizeSection(TDXSpotsModel::colComments, width);
}

// ---- Panel -----------------------------------------------------------------------------------

TRCSpeedButton* TDXSpotsPanel2::AddButton(QWidget* row, int& left, int width, const QString& caption,
                                          const QString& hint, int group)
{
    auto* b = new TRCSpeedButton(row);
    b->setGeometry(left, 0, width, ButtonHeight);
    b->SetCaption(caption);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->SetGroupIndex(group);
    b->SetAllowAllUp(true);
    left += width;
    return b;
}

TDXSpotsPanel2::TDXSpotsPanel2(QWidget* parent)
    : QWidget(parent)
{
    resize(601, 161);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, PanelColor);
    pal.setColor(QPalette::Button, QColor(52, 52, 52));
    pal.setColor(QPalette::WindowText, GridText);
    pal.setColor(QPalette::ButtonText, GridText);
    setPalette(pal);
    setFont(PanelFont(10));

    FModel = new TDXSpotsModel(this);
    FModel->Filter = [this](const TSpotData& d) { return SpotPassesFilter(d); };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(ButtonHeight);
    Panel2 = new QWidget(this);
    Panel2->setFixedHeight(ButtonHeight);
    VST = new TDXSpotsGrid(this);
    layout->addWidget(Panel1);
    layout->addWidget(Panel2);
    layout->addWidget(VST, 1);

    // Row 1: bands, modes and the count.  Every filter button has a group of its own.
    int group = 1;
    int left = 0;
    BandButtonAll = AddButton(Panel1, left, 34, QStringLiteral("All"), QStringLiteral("Show all bands"), group++);
    BandButtonAll->SetTag(1);
    BandButtonAll->SetDown(true);
    for (int b = bd160; b <= bd6; ++b) {
        const QString name = QString::fromLatin1(BandNames[size_t(b)]);
        BandButtons[size_t(b)] = AddButton(Panel1, left, 34, name, QStringLiteral("Filter %1 spots").arg(name), group++);
        BandButtons[size_t(b)]->SetTag(b + 1);
    }
    SpaceHolderButton = new QToolButton(Panel1);
    SpaceHolderButton->setGeometry(left, 0, 9, ButtonHeight);
    SpaceHolderButton->setEnabled(false);
    SpaceHolderButton->setFocusPolicy(Qt::NoFocus);
    left += 9;
    ModeButtonAll = AddButton(Panel1, left, 35, QStringLiteral("All"), QStringLiteral("Show all modes"), group++);
    ModeButtonAll->SetTag(1);
    ModeButtonAll->SetDown(true);
    ModeButtonCW = AddButton(Panel1, left, 35, QStringLiteral("CW"), QStringLiteral("Filter CW spots"), group++);
    ModeButtonCW->SetTag(2);
    ModeButtonSSB = AddButton(Panel1, left, 35, QStringLiteral("SSB"), QStringLiteral("Filter Phone spots"), group++);
    ModeButtonSSB->SetTag(3);
    ModeButtonDigi = AddButton(Panel1, left, 35, QStringLiteral("DIGI"), QStringLiteral("Filter Digital Modes"), group++);
    ModeButtonDigi->SetTag(4);
    CountLabel = new QLabel(Panel1);
    CountLabel->setGeometry(left + 6, 4, 54, 13);
    CountLabel->setFont(PanelFont(10));

    // Row 2: continents, own country, selected call and entity, wanted, reset, options.
    left = 0;
    ContButtonAll = AddButton(Panel2, left, 34, QStringLiteral("All"), QStringLiteral("Show all continents"), group++);
    ContButtonAll->SetTag(1);
    ContButtonAll->SetDown(true);
    static const char* const continentHints[] = {"Filter Africa",        "Filter Asia",    "Filter Europe",
                                                 "Filter North America", "Filter Oceania", "Filter South America"};
    for (int c = coAF; c <= coSA; ++c) {
        ContButtons[size_t(c)] = AddButton(Panel2, left, 34, QString::fromLatin1(ContinentNames[size_t(c)]),
                                           QString::fromLatin1(continentHints[c - coAF]), group++);
        ContButtons[size_t(c)]->SetTag(c + 1);
    }
    OutsideContButton =
        AddButton(Panel2, left, 34, QStringLiteral("Ctry"), QStringLiteral("Filter outside of my own Country"), group++);
    OutsideContButton->setFont(PanelFont(11));
    SpaceHolderButton2 = new QToolButton(Panel2);
    SpaceHolderButton2->setGeometry(left, 0, 9, ButtonHeight);
    SpaceHolderButton2->setEnabled(false);
    SpaceHolderButton2->setFocusPolicy(Qt::NoFocus);
    left += 9;
    const int callGroup = group++;
    FilterCallButton =
        AddButton(Panel2, left, 59, QStringLiteral("Filter Call"), QStringLiteral("Filter on selected call"), callGroup);
    FilterCallButton->setEnabled(false);
    FilterDXCCButton = AddButton(Panel2, left, 61, QStringLiteral("Filter DXCC"),
                                 QStringLiteral("Filter on DXCC of selected spot"), callGroup);
    FilterDXCCButton->setEnabled(false);
    WantedButton =
        AddButton(Panel2, left, 77, QStringLiteral("Wanted Spots"), QStringLiteral("Filter on wanted spots"), group++);
    ResetButton = AddButton(Panel2, left, 44, QStringLiteral("Reset"), QStringLiteral("Reset all filters"), 0);
    OptionsButton =
        AddButton(Panel2, left, 46, QStringLiteral("Options"), QStringLiteral("Clear spots and show spots options"), 0);

    BandButtonAll->OnClick = [this] { BandButtonClick(BandButtonAll); };
    for (TRCSpeedButton* b : BandButtons)
        if (b)
            b->OnClick = [this, b] { BandButtonClick(b); };
    for (TRCSpeedButton* b : {ModeButtonAll, ModeButtonCW, ModeButtonSSB, ModeButtonDigi})
        b->OnClick = [this, b] { ModeButtonClick(b); };
    ContButtonAll->OnClick = [this] { ContButtonClick(ContButtonAll); };
    for (TRCSpeedButton* b : ContButtons)
        if (b)
            b->OnClick = [this, b] { ContButtonClick(b); };
    OutsideContButton->OnClick = [this] { ContButtonClick(OutsideContButton); };
    FilterCallButton->OnClick = [this] { FilterCallClick(); };
    FilterDXCCButton->OnClick = [this] { FilterDXCCClick(); };
    WantedButton->OnClick = [this] {
        FFilterWanted = WantedButton->Down();
        ApplyFilter();
    };
    ResetButton->OnClick = [this] { ResetClick(); };

    // Menus.
    PopupMenuOptions = new QMenu(this);
    auto clear = [this](const QString& caption, int kind) {
        QAction* a = PopupMenuOptions->addAction(caption);
        a->setData(kind);
        connect(a, &QAction::triggered, this, [this, kind] { ClearSpots(kind); });
        return a;
    };
    MI1 = clear(QStringLiteral("Clear all spots older than &one hour"), 1);
    MI2 = clear(QStringLiteral("Clear already &logged spots"), 2);
    MI3 = clear(QStringLiteral("Clear &duplicate spots"), 3);
    MI4 = clear(QStringLiteral("Clear &intracontinental spots"), 4);
    MI6 = clear(QStringLiteral("Clear &beacon spots"), 5);
    MI7 = clear(QStringLiteral("Clear &useless PLEASE and NIL spots"), 7);
    MI8 = clear(QStringLiteral("Clear &all shown spots"), 8);
    PopupMenuOptions->addSeparator();
    MI10 = PopupMenuOptions->addAction(QStringLiteral("Show &clean comments"));
    MI10->setCheckable(true);
    connect(MI10, &QAction::triggered, this, [this] { ToggleOption(showCleanComments); });
    MI11 = PopupMenuOptions->addAction(QStringLiteral("Hide a&ward spots"));
    MI11->setCheckable(true);
    connect(MI11, &QAction::triggered, this, [this] { ToggleOption(hideAwardSpots); });
    OptionsButton->OnClick = [this] { PopupMenuOptions->popup(QCursor::pos()); };

    PopupMenuGrid = new QMenu(this);
    MIFilterCall = PopupMenuGrid->addAction(QStringLiteral("Filter selected spot"));
    connect(MIFilterCall, &QAction::triggered, this, [this] { FilterSelectedCall(); });
    MIFilterDXCC = PopupMenuGrid->addAction(QStringLiteral("Filter selected DXCC"));
    connect(MIFilterDXCC, &QAction::triggered, this, [this] { FilterSelectedDXCC(); });
    MILog = PopupMenuGrid->addAction(QStringLiteral("Put spot into &log window"));
    connect(MILog, &QAction::triggered, this, [this] { SendSelected(true, true); });
    MIVFOA = PopupMenuGrid->addAction(QStringLiteral("Send frequency to Main VFO &A"));
    connect(MIVFOA, &QAction::triggered, this, [this] { SendSelected(true, false); });
    MIVFOB = PopupMenuGrid->addAction(QStringLiteral("Send frequency to Sub VFO &B"));
    connect(MIVFOB, &QAction::triggered, this, [this] { SendSelected(false, true); });
    for (QAction* a : {MIFilterCall, MIFilterDXCC, MILog, MIVFOA, MIVFOB})
        a->setEnabled(false);

    // Grid.
    VST->setModel(FModel);
    for (int c = 0; c < TDXSpotsModel::ColumnCount; ++c)
        VST->horizontalHeader()->resizeSection(c, Columns[c].Width);
    VST->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(VST, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenuGrid->popup(VST->viewport()->mapToGlobal(at)); });
    connect(VST->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        Qt::SortOrder order = FModel->SortOrder();
        if (column == FModel->SortColumn())
            order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        FModel->sort(column, order);
        VST->horizontalHeader()->setSortIndicatorShown(true);
        VST->horizontalHeader()->setSortIndicator(column, order);
    });
    connect(VST->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        const TColumnLook& look = Columns[column];
        const int bounded = std::clamp(size, look.Min, look.Max);
        if (bounded != size)
            VST->horizontalHeader()->resizeSection(column, bounded);
        else if (column != TDXSpotsModel::colComments)
            VST->FitComments();
    });
    connect(VST, &QAbstractItemView::clicked, this, [this] { NodeClicked(); });
    connect(VST, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const TSpotData* d = FModel->SpotAt(index.row());
        if (d && d->SpotID > 0 && FDXSpots)
            FDXSpots->SendSpotToTransceiver(d->SpotID, true, true);
    });
    VST->installEventFilter(this);
    UpdateCount();
}

TDXSpotsPanel2::~TDXSpotsPanel2()
{
    Unhook();
}

void TDXSpotsPanel2::Unhook()
{
    if (!FDXSpots)
        return;
    // Later events of the engine must reach nobody.
    FDXSpots->OnSpotDataAdded = nullptr;
    FDXSpots->OnSpotDataChanged = nullptr;
    FDXSpots->OnSpotDataRemoved = nullptr;
    FDXSpots->OnSpotsOptions = nullptr;
}

void TDXSpotsPanel2::SetDXSpots(TDXSpots* value)
{
    if (value == FDXSpots)
        return;
    Unhook();
    FDXSpots = value;
    if (!value)
        return;
    value->OnSpotsOptions = [this] { ApplyOptions(); };
    value->OnSpotDataAdded = [this](const TSpotData& d) { DoSpotDataAdded(d); };
    value->OnSpotDataChanged = [this](const TSpotData& d) { DoSpotDataChanged(d); };
    value->OnSpotDataRemoved = [this](const TSpotData& d) { DoSpotDataRemoved(d); };
    FHideAwardSpots = value->SpotsOptions().Contains(hideAwardSpots);
    MI10->setChecked(value->SpotsOptions().Contains(showCleanComments));
    MI11->setChecked(FHideAwardSpots);
    FModel->SetShowCleanComments(value->SpotsOptions().Contains(showCleanComments));
    FModel->SetRangeUnit(value->RangeUnit());
}

// ---- Filter ----------------------------------------------------------------------------------

bool TDXSpotsPanel2::SpotPassesFilter(const TSpotData& d) const
{
    if (!FFilterBand.Contains(bdAll) && !FFilterBand.Contains(d.Band))
        return false;
    if (!FFilterMode.Contains(mtAll) && !FFilterMode.Contains(d.ModeType))
        return false;
    if (!FFilterContinent.Contains(coAll) && !FFilterContinent.Contains(d.Continent))
        return false;
    if (FDXSpots && FFilterOutsideMyCountry && FDXSpots->MyDXCCNo() > 0 && d.ADIFCode == FDXSpots->MyDXCCNo())
        return false;
    if (FFilterWanted && !d.IsWanted)
        return false;
    if (FFilteredOnCall && d.Call != FFilteredCall)
        return false;
    if (FFilteredOnDXCC && d.ADIFCode != FFilteredDXCC)
        return false;
    // The option the menu offers: award spots stay hidden while it is checked.
    if (FHideAwardSpots && d.IsAward)
        return false;
    return true;
}

void TDXSpotsPanel2::ApplyFilter()
{
    // The reset forgets the selection: the selected spot keeps it while it is still shown.
    const QModelIndex current = VST->currentIndex();
    const TSpotData* focused = current.isValid() ? FModel->SpotAt(current.row()) : nullptr;
    const int32_t focusedID = focused ? focused->SpotID : 0;
    const TSpotData* selected = SelectedSpot();
    const int32_t selectedID = selected ? selected->SpotID : 0;
    FModel->ApplyFilter();
    const int focusedRow = focusedID > 0 ? FModel->RowOf(focusedID) : -1;
    const int selectedRow = selectedID > 0 ? FModel->RowOf(selectedID) : -1;
    if (selectedRow >= 0)
        SelectRow(selectedRow);
    if (focusedRow >= 0)
        VST->selectionModel()->setCurrentIndex(FModel->index(focusedRow, 0), QItemSelectionModel::NoUpdate);
    UpdateCount();
}

void TDXSpotsPanel2::BandButtonClick(TRCSpeedButton* button)
{
    std::vector<TRCSpeedButton*> bands;
    for (TRCSpeedButton* b : BandButtons)
        if (b)
            bands.push_back(b);
    FollowAllButton(BandButtonAll, button, bands);
    FFilterBand = TBandFilter{bdAll};
    if (!BandButtonAll->Down()) {
        FFilterBand = TBandFilter{};
        for (int b = bd160; b <= bd6; ++b)
            if (BandButtons[size_t(b)]->Down())
                FFilterBand.Include(TBand(b));
    }
    ApplyFilter();
}

void TDXSpotsPanel2::ModeButtonClick(TRCSpeedButton* button)
{
    if (button == ModeButtonAll) {
        if (button->Down()) {
            ModeButtonCW->SetDown(false);
            ModeButtonSSB->SetDown(false);
            ModeButtonDigi->SetDown(false);
            FFilterMode = TModeFilter{mtAll};
        }
    } else if (!ModeButtonCW->Down() && !ModeButtonSSB->Down() && !ModeButtonDigi->Down()) {
        ModeButtonAll->SetDown(true);
        FFilterMode = TModeFilter{mtAll};
    } else {
        ModeButtonAll->SetDown(false);
        FFilterMode = TModeFilter{};
        if (ModeButtonCW->Down())
            FFilterMode.Include(mtCW);
        if (ModeButtonSSB->Down())
            FFilterMode.Include(mtPhone);
        if (ModeButtonDigi->Down())
            FFilterMode.Include(mtDigital);
    }
    ApplyFilter();
}

void TDXSpotsPanel2::ContButtonClick(TRCSpeedButton* button)
{
    std::vector<TRCSpeedButton*> others{OutsideContButton};
    for (TRCSpeedButton* b : ContButtons)
        if (b)
            others.push_back(b);
    FollowAllButton(ContButtonAll, button, others);
    FFilterContinent = TContinentFilter{coAll};
    if (!ContButtonAll->Down()) {
        TContinentFilter chosen;
        for (int c = coAF; c <= coSA; ++c)
            if (ContButtons[size_t(c)]->Down())
                chosen.Include(TContinent(c));
        // "Ctry" alone keeps every continent; only the own country goes.
        if (!chosen.IsEmpty())
            FFilterContinent = chosen;
    }
    FFilterOutsideMyCountry = OutsideContButton->Down();
    ApplyFilter();
}

void TDXSpotsPanel2::EndReleasedCallAndDXCCFilters()
{
    if (FFilteredOnCall && !FilterCallButton->Down()) {
        FFilteredOnCall = false;
        FFilteredCall.clear();
        FilterCallButton->setToolTip(QStringLiteral("Filter on selected call"));
    }
    if (FFilteredOnDXCC && !FilterDXCCButton->Down()) {
        FFilteredOnDXCC = false;
        FFilteredDXCC = 0;
        FilterDXCCButton->setToolTip(QStringLiteral("Filter on DXCC of selected spot"));
    }
}

void TDXSpotsPanel2::FilterCallClick()
{
    FFilteredOnCall = FilterCallButton->Down();
    const bool partnerEnded = FFilteredOnDXCC && !FilterDXCCButton->Down();
    EndReleasedCallAndDXCCFilters();
    if (FFilteredOnCall) {
        const TSpotData* d = FModel->SpotAt(VST->currentIndex().row());
        if (d) {
            FilterCallButton->setToolTip(d->Call + QStringLiteral(" is filtered"));
            FFilteredCall = d->Call;
            ApplyFilter();
        } else if (partnerEnded) {
            ApplyFilter();
        }
    } else {
        FFilteredCall.clear();
        FilterCallButton->setToolTip(QStringLiteral("Filter on selected call"));
        ApplyFilter();
    }
}

void TDXSpotsPanel2::FilterDXCCClick()
{
    FFilteredOnDXCC = FilterDXCCButton->Down();
    const bool partnerEnded = FFilteredOnCall && !FilterCallButton->Down();
    EndReleasedCallAndDXCCFilters();
    if (FFilteredOnDXCC) {
        const TSpotData* d = FModel->SpotAt(VST->currentIndex().row());
        if (d) {
            FilterDXCCButton->setToolTip(QStringLiteral("DXCC is filtered"));
            FFilteredDXCC = d->ADIFCode;
            ApplyFilter();
        } else if (partnerEnded) {
            ApplyFilter();
        }
    } else {
        FFilteredDXCC = 0;
        FilterDXCCButton->setToolTip(QStringLiteral("Filter on DXCC of selected spot"));
        ApplyFilter();
    }
}

void TDXSpotsPanel2::FilterSelectedCall()
{
    const TSpotData* d = SelectedSpot();
    if (!d)
        return;
    const QString call = d->Call;
    FilterCallButton->SetDown(true);
    FilterCallButton->setToolTip(call + QStringLiteral(" is filtered"));
    FFilteredOnCall = true;
    FFilteredCall = call;
    EndReleasedCallAndDXCCFilters();
    ApplyFilter();
}

void TDXSpotsPanel2::FilterSelectedDXCC()
{
    const TSpotData* d = SelectedSpot();
    if (!d)
        return;
    const int32_t code = d->ADIFCode;
    FilterDXCCButton->SetDown(true);
    FilterDXCCButton->setToolTip(QStringLiteral("DXCC is filtered"));
    FFilteredOnDXCC = true;
    FFilteredDXCC = code;
    EndReleasedCallAndDXCCFilters();
    ApplyFilter();
}

void TDXSpotsPanel2::ResetClick()
{
    BandButtonAll->SetDown(true);
    for (TRCSpeedButton* b : BandButtons)
        if (b)
            b->SetDown(false);
    ModeButtonAll->SetDown(true);
    for (TRCSpeedButton* b : {ModeButtonCW, ModeButtonSSB, ModeButtonDigi})
        b->SetDown(false);
    ContButtonAll->SetDown(true);
    for (TRCSpeedButton* b : ContButtons)
        if (b)
            b->SetDown(false);
    OutsideContButton->SetDown(false);
    FFilterBand = TBandFilter{bdAll};
    FFilterMode = TModeFilter{mtAll};
    FFilterContinent = TContinentFilter{coAll};
    FFilterOutsideMyCountry = false;
    FFilteredCall.clear();
    FFilteredOnCall = false;
    FilterCallButton->SetDown(false);
    FilterCallButton->setToolTip(QStringLiteral("Filter on selected call"));
    FFilteredOnDXCC = false;
    FFilteredDXCC = 0;
    FilterDXCCButton->SetDown(false);
    FilterDXCCButton->setToolTip(QStringLiteral("Filter on DXCC"));
    FFilterWanted = false;
    WantedButton->SetDown(false);
    // Every filter is open now: the filter shows every spot (award spots stay hidden while
    // that option is checked).
    ApplyFilter();
}

// ---- Count, selection and commands -----------------------------------------------------------

const TSpotData* TDXSpotsPanel2::SelectedSpot() const
{
    const QModelIndexList rows = VST->selectionModel() ? VST->selectionModel()->selectedRows() : QModelIndexList();
    if (rows.isEmpty())
        return nullptr;
    int first = rows.front().row();
    for (const QModelIndex& i : rows)
        first = std::min(first, i.row());
    return FModel->SpotAt(first);
}

void TDXSpotsPanel2::UpdateCount()
{
    CountLabel->setText(QStringLiteral("%1 / %2").arg(FModel->VisibleCount()).arg(FModel->Count()));
    const bool selected = SelectedSpot() != nullptr;
    MILog->setEnabled(selected);
    MIVFOA->setEnabled(selected);
    MIVFOB->setEnabled(selected);
}

void TDXSpotsPanel2::NodeClicked()
{
    const bool selected = SelectedSpot() != nullptr;
    FilterCallButton->setEnabled(selected);
    FilterDXCCButton->setEnabled(selected);
    MIFilterCall->setEnabled(selected);
    MIFilterDXCC->setEnabled(selected);
    WantedButton->setEnabled(FModel->VisibleCount() > 0);
    MILog->setEnabled(selected);
    MIVFOA->setEnabled(selected);
    MIVFOB->setEnabled(selected);
}

void TDXSpotsPanel2::SelectRow(int row)
{
    if (row < 0 || row >= FModel->VisibleCount())
        return;
    VST->selectionModel()->setCurrentIndex(FModel->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TDXSpotsPanel2::SendSelected(bool toVFOA, bool toVFOB)
{
    const TSpotData* d = SelectedSpot();
    if (!d || d->SpotID <= 0 || !FDXSpots)
        return;
    FDXSpots->SendSpotToTransceiver(d->SpotID, toVFOA, toVFOB);
}

void TDXSpotsPanel2::RemoveSelected(bool fromBandmap)
{
    const TSpotData* d = SelectedSpot();
    if (!d || d->SpotID <= 0 || !FDXSpots)
        return;
    // The engine's removal event takes the row away.
    FDXSpots->RemoveSpot(d->SpotID, fromBandmap);
}

void TDXSpotsPanel2::ClearSpots(int kind)
{
    std::vector<int32_t> removed;
    if (kind == 3) {
        removed = FModel->ClearDuplicates();
    } else {
        std::function<bool(const TSpotData&)> test;
        switch (kind) {
        case 1: {
            const QDateTime now = UTCNow();
            test = [now](const TSpotData& d) { return WholeMinutesBetween(now, d.TimeStamp) > 60; };
            break;
        }
        case 2: test = [](const TSpotData& d) { return d.IsLogged; }; break;
        case 4: test = [](const TSpotData& d) { return d.IsIntracontinental; }; break;
        case 5: test = [](const TSpotData& d) { return d.IsBeacon; }; break;
        case 7: test = [](const TSpotData& d) { return d.IsUseless; }; break;
        case 8: test = [](const TSpotData&) { return true; }; break;
        default: return;
        }
        removed = FModel->ClearShown(test);
    }
    if (FDXSpots && !removed.empty()) {
        // They leave the engine's spot list and stay on the band map; the band map hears of
        // the whole clear once.
        FDXSpots->BeginUpdate();
        for (int32_t id : removed)
            FDXSpots->RemoveSpot(id, false);
        FDXSpots->EndUpdate();
    }
    UpdateCount();
}

void TDXSpotsPanel2::ToggleOption(TSpotOption option)
{
    if (FDXSpots) {
        TSpotOptions options = FDXSpots->SpotsOptions();
        if (options.Contains(option))
            options.Exclude(option);
        else
            options.Include(option);
        FDXSpots->SetSpotsOptions(options);
    }
    // The marks follow the engine, not the click.
    const TSpotOptions now = FDXSpots ? FDXSpots->SpotsOptions() : TSpotOptions{};
    MI10->setChecked(now.Contains(showCleanComments));
    MI11->setChecked(now.Contains(hideAwardSpots));
}

void TDXSpotsPanel2::ApplyOptions()
{
    if (!FDXSpots)
        return;
    const TSpotOptions options = FDXSpots->SpotsOptions();
    MI10->setChecked(options.Contains(showCleanComments));
    MI11->setChecked(options.Contains(hideAwardSpots));
    FModel->SetShowCleanComments(options.Contains(showCleanComments));
    const bool hide = options.Contains(hideAwardSpots);
    if (hide != FHideAwardSpots) {
        FHideAwardSpots = hide;
        ApplyFilter();
    }
}

// ---- Engine events ---------------------------------------------------------------------------

void TDXSpotsPanel2::DoSpotDataAdded(const TSpotData& data)
{
    if (FDXSpots)
        FModel->SetRangeUnit(FDXSpots->RangeUnit());
    // A selection on the top row stays on the top row.
    const QItemSelectionModel* selection = VST->selectionModel();
    const bool topSelected = FModel->VisibleCount() > 0 && selection->isRowSelected(0, QModelIndex());
    const int row = FModel->AddSpot(data);
    if (row == 0 && topSelected)
        SelectRow(0);
    UpdateCount();
}

void TDXSpotsPanel2::DoSpotDataChanged(const TSpotData& data)
{
    FModel->ChangeSpot(data);
}

void TDXSpotsPanel2::DoSpotDataRemoved(const TSpotData& data)
{
    if (!FModel->Contains(data.SpotID))
        return;
    const int shown = FModel->RowOf(data.SpotID);
    const bool wasSelected = shown >= 0 && VST->selectionModel()->isRowSelected(shown, QModelIndex());
    const int row = FModel->RemoveSpot(data.SpotID);
    if (wasSelected && row >= 0 && FModel->VisibleCount() > 0)
        SelectRow(std::min(row, FModel->VisibleCount() - 1));
    UpdateCount();
}

// ---- Keys and focus on the grid --------------------------------------------------------------

bool TDXSpotsPanel2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == VST) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Delete) {
                RemoveSelected(key->modifiers() & Qt::ControlModifier);
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                return true;
            break;
        }
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                SendSelected(true, true);
                return true;
            }
            break;
        }
        case QEvent::FocusOut:
            // A context menu opening does not leave the grid.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                VST->clearSelection();
            break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
