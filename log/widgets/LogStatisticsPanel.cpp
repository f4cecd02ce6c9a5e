#include "log/widgets/LogStatisticsPanel.h"

#include "log/LogLines.h"
#include "log/widgets/GridLook.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

const std::array<TStatisticsColumn, StatColumn::Count> StatisticsColumns = {{
    {"", 56, 56, 70, true, false},
    {"", 173, 10, 300, false, false},
    {"", 36, 10, 400, false, false},
    {"MIX", 40, 30, 60, true, true},
    {"CW", 40, 30, 60, true, true},
    {"PHO", 40, 34, 60, true, true},
    {"DIG", 40, 30, 60, true, true},
    {"160m", 40, 39, 60, true, true},
    {"80m", 40, 32, 60, true, true},
    {"60m", 40, 32, 60, true, true},
    {"40m", 40, 32, 60, true, true},
    {"30m", 40, 32, 60, true, true},
    {"20m", 40, 32, 60, true, true},
    {"17m", 40, 32, 60, true, true},
    {"15m", 40, 32, 60, true, true},
    {"12m", 40, 32, 60, true, true},
    {"10m", 40, 32, 60, true, true},
    {"6m", 40, 32, 60, true, true},
    {"4m", 40, 32, 60, false, true},
    {"2m", 40, 32, 60, false, true},
    {"70cm", 40, 32, 60, false, true},
    {"Perc", 50, 10, 80, false, true},
}};

namespace {

using vx::loggrid::GridFont;
using vx::loggrid::PanelGrey;
using vx::loggrid::SelectedBack;
using vx::loggrid::Silver;
const QColor GridLine(128, 128, 128);
const QColor SummaryBack(255, 172, 90);
const QColor EmptyRowBack(34, 34, 34);
constexpr int TextMargin = 2;

bool IsCounter(int column)
{
    return column >= StatColumn::Mix && column <= StatColumn::LastBand;
}

int Sign(qint64 v)
{
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

int CompareNames(const QString& a, const QString& b)
{
    return vx::loglines::CompareLines(a, b);
}

// The rows in the grid's colours: orange summary rows, near-black rows without QSOs, grey
// column lines.
class TStatisticsDelegate : public QStyledItemDelegate {
public:
    TStatisticsDelegate(TLogStatisticsModel* model, QObject* parent)
        : QStyledItemDelegate(parent)
        , FModel(model)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const TStatistic& row = FModel->Row(index.row());
        const bool selected = option.state & QStyle::State_Selected;
        QColor back = Qt::black;
        QColor text = Silver;
        if (selected) {
            back = SelectedBack;
            text = Qt::white;
        } else if (row.IsSummary()) {
            back = SummaryBack;
            text = Qt::black;
        } else if (row.Col[0] == 0) {
            back = EmptyRowBack;
        }
        painter->fillRect(option.rect, back);
        const QRect r = option.rect.adjusted(TextMargin, 0, -TextMargin - 1, 0);
        const Qt::Alignment align =
            (StatisticsColumns[size_t(index.column())].Centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
        painter->setFont(option.font);
        painter->setPen(text);
        painter->drawText(r, int(align),
                          option.fontMetrics.elidedText(FModel->CellText(row, index.column()), Qt::ElideRight, r.width()));
        painter->setPen(GridLine);
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    }

private:
    TLogStatisticsModel* FModel;
};

} // namespace

// ---- TLogStatisticsModel -------------------------------------------------------------------

TLogStatisticsModel::TLogStatisticsModel(QObject* parent)
    : QAbstractTableModel(parent)
    , FRows(std::make_shared<const TStatisticList>())
{
    for (int c = 0; c < StatColumn::Count; ++c)
        FCaptions[size_t(c)] = QString::fromLatin1(StatisticsColumns[size_t(c)].Caption);
}

void TLogStatisticsModel::SetRows(std::shared_ptr<const TStatisticList> rows, TLogStatisticsType kind)
{
    beginResetModel();
    FRows = rows ? std::move(rows) : std::make_shared<const TStatisticList>();
    FKind = kind;
    FSortOrder = Qt::AscendingOrder;
    BuildOrder();
    endResetModel();
}

void TLogStatisticsModel::SetShowTotals(bool v)
{
    if (v == FShowTotals)
        return;
    beginResetModel();
    FShowTotals = v;
    BuildOrder();
    endResetModel();
}

void TLogStatisticsModel::SetCaption(int column, const QString& caption)
{
    FCaptions[size_t(column)] = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TLogStatisticsModel::BuildOrder()
{
    FOrder.clear();
    FOrder.reserve(FRows->size());
    for (size_t i = 0; i < FRows->size(); ++i) {
        if (FShowTotals || (*FRows)[i].Key != TStatistic::TotalKey)
            FOrder.push_back(int(i));
    }
    const int column = FSortColumn;
    const bool descending = FSortOrder == Qt::DescendingOrder;
    std::stable_sort(FOrder.begin(), FOrder.end(), [&](int ia, int ib) {
        const TStatistic& a = (*FRows)[size_t(ia)];
        const TStatistic& b = (*FRows)[size_t(ib)];
        // The worked row first and the Total row last, whatever the direction.
        if (a.Key == TStatistic::WorkedKey || b.Key == TStatistic::TotalKey)
            return a.Key != b.Key;
        if (b.Key == TStatistic::WorkedKey || a.Key == TStatistic::TotalKey)
            return false;
        const int c = Compare(a, b, column);
        return descending ? c > 0 : c < 0;
    });
}

void TLogStatisticsModel::SortRows(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= StatColumn::Count)
        return;
    emit layoutAboutToBeChanged();
    FSortColumn = column;
    FSortOrder = order;
    BuildOrder();
    emit layoutChanged();
}

int TLogStatisticsModel::Compare(const TStatistic& a, const TStatistic& b, int column) const
{
    switch (column) {
    case StatColumn::KeyName:
        return FKind == statBandMode ? Sign(qint64(a.Key) - b.Key) : CompareNames(a.KeyName, b.KeyName);
    case StatColumn::Name:
        return FKind == statIOTA ? CompareNames(a.Prefix, b.Prefix) : CompareNames(a.Name, b.Name);
    case StatColumn::Extra:
        return FKind == statIOTA ? CompareNames(a.Name, b.Name) : Sign(qint64(a.Key) - b.Key);
    case StatColumn::Perc:
        return a.Percentage < b.Percentage ? -1 : a.Percentage > b.Percentage ? 1 : 0;
    default: {
        const size_t counter = size_t(column - StatColumn::Mix);
        return Sign(qint64(a.Col[counter]) - b.Col[counter]);
    }
    }
}

QString TLogStatisticsModel::CellText(const TStatistic& row, int column) const
{
    const bool total = row.Key == TStatistic::TotalKey;
    switch (column) {
    case StatColumn::KeyName: return total && !FShowTotals ? QString() : row.KeyName;
    case StatColumn::Name: return FKind == statIOTA ? row.Prefix : row.Name;
    case StatColumn::Extra:
        if (FKind == statIOTA)
            return row.Name;
        return FKind == statStates && row.Key <= 50 ? row.Prefix : QString();
    case StatColumn::Perc:
        // A point whatever the locale.
        return row.Key == TStatistic::WorkedKey ? QString() : QString::number(row.Percentage, 'f', 1);
    default: break;
    }
    if (!IsCounter(column))
        return {};
    const int32_t value = row.Col[size_t(column - StatColumn::Mix)];
    if (FShowTotals || row.Key == TStatistic::WorkedKey)
        return QString::number(value);
    if (total)
        return {};
    return value != 0 ? QStringLiteral("X") : QString();
}

int TLogStatisticsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FOrder.size());
}

int TLogStatisticsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : StatColumn::Count;
}

QVariant TLogStatisticsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return CellText(Row(index.row()), index.column());
    if (role == Qt::TextAlignmentRole)
        return int((StatisticsColumns[size_t(index.column())].Centred ? Qt::AlignHCenter : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    return {};
}

QVariant TLogStatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= StatColumn::Count)
        return {};
    if (role == Qt::DisplayRole)
        return FCaptions[size_t(section)];
    if (role == Qt::TextAlignmentRole)
        return int((StatisticsColumns[size_t(section)].Centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

// ---- TStatisticsGridView -------------------------------------------------------------------

TStatisticsGridView::TStatisticsGridView(QWidget* parent)
    : QTableView(parent)
{
}

void TStatisticsGridView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    vx::loggrid::PaintEmptyMessage(this, QStringLiteral(" no results"));
}

void TStatisticsGridView::focusOutEvent(QFocusEvent* event)
{
    if (vx::loggrid::FocusOutClearsSelection(event))
        clearSelection();
    QTableView::focusOutEvent(event);
}

// ---- TLogStatisticsPanelV2 -----------------------------------------------------------------

namespace {

QComboBox* NewCombo(QWidget* parent, const char* name, const QRect& geometry, const char* hint)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setGeometry(geometry);
    combo->setToolTip(QLatin1String(hint));
    combo->setFocusPolicy(Qt::StrongFocus);
    return combo;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& text, int left, int top, int width)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    QPalette p = box->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
        p.setColor(g, QPalette::WindowText, Silver);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    box->setPalette(p);
    box->setGeometry(left, top, width, 17);
    return box;
}

} // namespace

TLogStatisticsPanelV2::TLogStatisticsPanelV2(QWidget* parent)
    : TRCPanel(parent)
{
    setObjectName(QStringLiteral("LogStatisticsPanel"));
    SetBevelOuter(bvNone);
    SetShowCaption(false);
    SetColor(PanelGrey);
    resize(500, 455);

    TopPanel = new TRCPanel(this);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    TopPanel->SetBevelOuter(bvNone);
    TopPanel->SetShowCaption(false);
    TopPanel->setFixedHeight(26);
    TopPanel->setFont(GridFont());

    StatisticsTypeComboBox =
        NewCombo(TopPanel, "StatisticsTypeComboBox", QRect(4, 4, 145, 21), "Select statistics type");
    StatisticsTypeComboBox->setMaxVisibleItems(12);
    FilterModeComboBox = NewCombo(TopPanel, "FilterModeComboBox", QRect(157, 4, 97, 21), "Filter on Modes");
    FilterModeComboBox->setEnabled(false);
    FilterQSLComboBox = NewCombo(TopPanel, "FilterQSLComboBox", QRect(261, 4, 96, 21), "Filter on wkld/cfmd");
    FilterQSLComboBox->setEnabled(false);
    connect(StatisticsTypeComboBox, &QComboBox::activated, this, &TLogStatisticsPanelV2::StatisticsTypeComboBoxChange);
    connect(FilterModeComboBox, &QComboBox::activated, this, &TLogStatisticsPanelV2::FilterModeComboBoxChange);
    connect(FilterQSLComboBox, &QComboBox::activated, this, &TLogStatisticsPanelV2::FilterQSLComboBoxChange);

    DisplayTotalsCheckBox = NewCheckBox(TopPanel, "DisplayTotalsCheckBox", QStringLiteral("Display Totals"), 363, 6, 97);
    DisplayTotalsCheckBox->setChecked(true);
    // DejaVu Sans runs wider than the layout's face: a box grows with its text, and the next
    // one keeps clear of it.
    DisplayTotalsCheckBox->resize(std::max(97, DisplayTotalsCheckBox->sizeHint().width()), 17);
    const int allLeft = std::max(464, DisplayTotalsCheckBox->geometry().right() + 1 + 4);
    DisplayAllCheckBox = NewCheckBox(TopPanel, "DisplayAllCheckBox", DisplayAllText(statNone), allLeft, 6, 145);
    DisplayAllCheckBox->setEnabled(false);
    connect(DisplayTotalsCheckBox, &QCheckBox::clicked, this, [this] { DisplayTotalsCheckBoxClick(); });
    connect(DisplayAllCheckBox, &QCheckBox::clicked, this, &TLogStatisticsPanelV2::DisplayAllCheckBoxClick);

    Model = new TLogStatisticsModel(this);
    VST = new TStatisticsGridView(this);
    VST->setObjectName(QStringLiteral("VST"));
    VST->setModel(Model);
    VST->setItemDelegate(new TStatisticsDelegate(Model, VST));
    vx::loggrid::SetupGrid(VST);
    VST->setSelectionBehavior(QAbstractItemView::SelectRows);
    VST->setSelectionMode(QAbstractItemView::SingleSelection);
    VST->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* header = VST->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(10);
    header->setStretchLastSection(false);
    for (int c = 0; c < StatColumn::Count; ++c) {
        const TStatisticsColumn& col = StatisticsColumns[size_t(c)];
        header->resizeSection(c, col.Width);
        VST->setColumnHidden(c, !col.Visible);
    }
    header->setSectionResizeMode(StatColumn::KeyName, QHeaderView::Fixed);
    header->setSortIndicator(0, Qt::AscendingOrder);
    connect(header, &QHeaderView::sectionClicked, this, &TLogStatisticsPanelV2::DoVSTHeaderClick);
    connect(header, &QHeaderView::sectionResized, this, [header](int column, int, int width) {
        // Hiding a column sizes it 0 (before it counts as hidden): no width to hold to limits.
        if (width == 0 || header->isSectionHidden(column))
            return;
        const TStatisticsColumn& col = StatisticsColumns[size_t(column)];
        const int clamped = std::clamp(width, col.MinWidth, col.MaxWidth);
        if (clamped != width)
            header->resizeSection(column, clamped);
    });
    connect(VST, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { DoVSTDblClick(i.row()); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TopPanel);
    auto* gridRow = new QVBoxLayout;
    gridRow->setContentsMargins(4, 0, 4, 0);
    gridRow->addWidget(VST);
    layout->addLayout(gridRow, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto addItem = [this](const char* name, const char* caption, const QKeySequence& keys, int tag,
                                void (TLogStatisticsPanelV2::*run)()) {
        QAction* a = PopupMenu1->addAction(QString::fromLatin1(caption));
        a->setObjectName(QLatin1String(name));
        a->setData(tag);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        VST->addAction(a);
        connect(a, &QAction::triggered, this, run);
        return a;
    };
    MIAutoFit = addItem("MIAutoFit", "Size all columns to &fit", QKeySequence(Qt::CTRL | Qt::Key_F), 1,
                        &TLogStatisticsPanelV2::MIAutoFitClick);
    MICopyToClipboard = addItem("MICopyToClipboard", "&Copy to Clipboard", QKeySequence(Qt::CTRL | Qt::Key_C), 2,
                                &TLogStatisticsPanelV2::MICopyToClipboardClick);
    VST->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(VST, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(VST->viewport()->mapToGlobal(at)); });

    CreateWnd();
}

TLogStatisticsPanelV2::~TLogStatisticsPanelV2()
{
    // The engine outlives its views: it must not call into this one any more.
    if (FLogStatistics)
        FLogStatistics->OnFinished = nullptr;
}

void TLogStatisticsPanelV2::CreateWnd()
{
    if (StatisticsTypeComboBox->count() == 0) {
        StatisticsTypeComboBox->addItems({"<select>", "Band/Mode", "DXCC", "DXCC w/deleted", "DXCC Challenge",
                                          "Continents", "CQ Zones", "IOTA", "US States", "Fields", "VUCC 6m",
                                          "FFMA 6m"});
    }
    if (FilterModeComboBox->count() == 0)
        FilterModeComboBox->addItems({"<Mode Filter>", "CW", "Phone", "Digital", "RTTY", "JT Modes"});
    if (FilterQSLComboBox->count() == 0)
        FilterQSLComboBox->addItems({"<QSL Filter>", "not cfmd", "cfmd", "cfmd LoTW"});
    for (QComboBox* combo : {StatisticsTypeComboBox, FilterModeComboBox, FilterQSLComboBox})
        combo->setCurrentIndex(0);
    VST->setFont(GridFont());
    VST->horizontalHeader()->setFont(GridFont());
}

void TLogStatisticsPanelV2::SetLogStatistics(TLogStatisticsV2* v)
{
    if (v == FLogStatistics)
        return;
    if (FLogStatistics)
        FLogStatistics->OnFinished = nullptr;
    FLogStatistics = v;
    if (v)
        v->OnFinished = [this] { DoLogStatisticsFinished(); };
}

QString TLogStatisticsPanelV2::DisplayAllText(TLogStatisticsType kind)
{
    switch (kind) {
    case statNone: return QStringLiteral("Display all");
    case statBandMode: return QStringLiteral("Display all Modes");
    case statDXCC:
    case statDXCCDeleted:
    case statDXCCChallenge: return QStringLiteral("Display all DXCC Entities");
    case statContinents: return QStringLiteral("Display all Continents");
    case statZones: return QStringLiteral("Display all CQ Zones");
    case statIOTA: return QStringLiteral("Display all IOTA");
    case statStates: return QStringLiteral("Display all US States");
    case statFields: return QStringLiteral("Display all 324 fields");
    case statVUCC: return QStringLiteral("Display all");
    case statFFMA: return QStringLiteral("Display all 488 grids");
    }
    return QStringLiteral("Display all");
}

// ---- Settings --------------------------------------------------------------------------------

void TLogStatisticsPanelV2::StatisticsTypeComboBoxChange(int index)
{
    if (!FLogStatistics)
        return;
    if (FLogStatistics->ThreadIsRunning() || index < 0 || index >= LogStatisticsTypeCount) {
        StatisticsTypeComboBox->setCurrentIndex(FLogStatistics->StatisticsType());
        return;
    }
    const auto kind = TLogStatisticsType(index);
    FLogStatistics->SetStatisticsType(kind);
    DisplayAllCheckBox->setText(DisplayAllText(kind));
    DisplayAllCheckBox->resize(std::max(145, DisplayAllCheckBox->sizeHint().width()), 17);
    DisplayAllCheckBox->setEnabled(kind != statNone && kind != statVUCC);
}

void TLogStatisticsPanelV2::FilterModeComboBoxChange(int index)
{
    if (!FLogStatistics)
        return;
    if (FLogStatistics->ThreadIsRunning() || index < 0 || index > fmJT) {
        FilterModeComboBox->setCurrentIndex(FLogStatistics->FilterMode());
        return;
    }
    FLogStatistics->SetFilterMode(TFilterModeType(index));
}

void TLogStatisticsPanelV2::FilterQSLComboBoxChange(int index)
{
    if (!FLogStatistics)
        return;
    if (FLogStatistics->ThreadIsRunning() || index < 0 || index > fqLoTW) {
        FilterQSLComboBox->setCurrentIndex(FLogStatistics->FilterQSL());
        return;
    }
    FLogStatistics->SetFilterQSL(TFilterQSLType(index));
}

void TLogStatisticsPanelV2::DisplayAllCheckBoxClick(bool checked)
{
    if (!FLogStatistics)
        return;
    // As the combos do: a change while a run is in progress does not hold.
    if (FLogStatistics->ThreadIsRunning()) {
        DisplayAllCheckBox->setChecked(FLogStatistics->DisplayAllRows());
        return;
    }
    FLogStatistics->SetDisplayAllRows(checked);
}

void TLogStatisticsPanelV2::DisplayTotalsCheckBoxClick()
{
    VST->setUpdatesEnabled(false);
    UpdateTotals();
    AutoFitColumns();
    VST->setUpdatesEnabled(true);
}

void TLogStatisticsPanelV2::MIAutoFitClick()
{
    VST->setUpdatesEnabled(false);
    AutoFitColumns();
    VST->setUpdatesEnabled(true);
}

void TLogStatisticsPanelV2::MICopyToClipboardClick()
{
    std::vector<int> columns;
    for (int v = 0; v < StatColumn::Count; ++v) {
        const int c = VST->horizontalHeader()->logicalIndex(v);
        if (!VST->isColumnHidden(c))
            columns.push_back(c);
    }
    QString text;
    const auto addLine = [&](const std::function<QString(int)>& cell) {
        for (size_t k = 0; k < columns.size(); ++k) {
            if (k > 0)
                text += QLatin1Char('\t');
            text += cell(columns[k]);
        }
        text += QLatin1Char('\n');
    };
    addLine([this](int c) { return Model->Caption(c); });
    for (int r = 0; r < Model->rowCount(); ++r)
        addLine([this, r](int c) { return Model->CellText(Model->Row(r), c); });
    QApplication::clipboard()->setText(text);
}

// ---- Rebuild ---------------------------------------------------------------------------------

void TLogStatisticsPanelV2::SetColumnCaption(int column, const QString& caption, bool visible)
{
    Model->SetCaption(column, caption);
    VST->setColumnHidden(column, !visible);
}

void TLogStatisticsPanelV2::DoLogStatisticsFinished()
{
    if (!FLogStatistics)
        return;
    const TLogStatisticsType kind = FLogStatistics->StatisticsType();
    VST->setUpdatesEnabled(false);
    Model->SetRows(FLogStatistics->Rows(), kind);
    Model->SetCaption(StatColumn::Mix, QStringLiteral("MIX"));
    for (int c = StatColumn::Mix; c < StatColumn::FirstBand; ++c)
        VST->setColumnHidden(c, false);

    bool modeTypes = true;
    switch (kind) {
    case statNone:
        SetColumnCaption(StatColumn::KeyName, {}, true);
        SetColumnCaption(StatColumn::Name, {}, false);
        SetColumnCaption(StatColumn::Extra, {}, false);
        break;
    case statBandMode:
        SetColumnCaption(StatColumn::KeyName, QStringLiteral("Mode"), true);
        SetColumnCaption(StatColumn::Name, {}, false);
        SetColumnCaption(StatColumn::Extra, {}, false);
        Model->SetCaption(StatColumn::Mix, QStringLiteral("Total"));
        modeTypes = false;
        break;
    case statDXCC:
    case statDXCCDeleted:
    case statDXCCChallenge:
        SetColumnCaption(StatColumn::KeyName, QStringLiteral("Prefix"), true);
        SetColumnCaption(StatColumn::Name, QStringLiteral("Entity"), true);
        SetColumnCaption(StatColumn::Extra, {}, false);
        if (kind == statDXCCChallenge) {
            VST->setColumnHidden(StatColumn::Mix, true);
            modeTypes = false;
        }
        break;
    case statContinents:
    case statZones:
    case statFields:
        SetColumnCaption(StatColumn::KeyName,
                         kind == statContinents ? QStringLiteral("Cont")
                         : kind == statZones    ? QStringLiteral("Zone")
                                                : QStringLiteral("Field"),
                         true);
        SetColumnCaption(StatColumn::Name, {}, false);
        SetColumnCaption(StatColumn::Extra, {}, false);
        break;
    case statIOTA:
        SetColumnCaption(StatColumn::KeyName, QStringLiteral("IOTA"), true);
        SetColumnCaption(StatColumn::Name, QStringLiteral("Entity"), true);
        SetColumnCaption(StatColumn::Extra, QStringLiteral("IOTA Island Group"), true);
        modeTypes = false;
        break;
    case statStates:
        SetColumnCaption(StatColumn::KeyName, QStringLiteral("State"), true);
        SetColumnCaption(StatColumn::Name, QStringLiteral("Name"), true);
        SetColumnCaption(StatColumn::Extra, QStringLiteral("Area"), true);
        break;
    case statVUCC:
    case statFFMA:
        SetColumnCaption(StatColumn::KeyName, QStringLiteral("Grid"), true);
        SetColumnCaption(StatColumn::Name, {}, false);
        SetColumnCaption(StatColumn::Extra, {}, false);
        break;
    }
    for (int c = StatColumn::Mix + 1; c < StatColumn::FirstBand; ++c)
        VST->setColumnHidden(c, !modeTypes);

    UpdateBandColumns();
    UpdateTotals();
    AutoFitColumns();
    int sortColumn = Model->SortColumn();
    if (VST->isColumnHidden(sortColumn))
        sortColumn = StatColumn::KeyName;
    Model->SortRows(sortColumn, Qt::AscendingOrder);
    VST->horizontalHeader()->setSortIndicator(sortColumn, Qt::AscendingOrder);
    VST->setUpdatesEnabled(true);

    const bool filters = kind != statNone && kind != statBandMode;
    FilterModeComboBox->setEnabled(filters);
    FilterQSLComboBox->setEnabled(filters);
}

void TLogStatisticsPanelV2::UpdateBandColumns()
{
    if (!FLogStatistics)
        return;
    const bool iota = FLogStatistics->StatisticsType() == statIOTA;
    const TBands bands = FLogStatistics->Bands();
    for (int c = StatColumn::FirstBand; c <= StatColumn::LastBand; ++c)
        VST->setColumnHidden(c, iota || !bands.Contains(TBand(c - 6)));
}

void TLogStatisticsPanelV2::UpdateTotals()
{
    const bool totals = DisplayTotalsCheckBox->isChecked();
    const TLogStatisticsType kind = Model->Kind();
    const bool percentages = kind == statBandMode || kind == statContinents || kind == statZones ||
                             kind == statStates || kind == statFields || kind == statVUCC || kind == statFFMA;
    VST->setColumnHidden(StatColumn::Perc, !(totals && percentages));
    Model->SetShowTotals(totals);
}

void TLogStatisticsPanelV2::AutoFitColumns()
{
    const QFontMetrics rows(VST->font());
    const QFontMetrics captions(VST->horizontalHeader()->font());
    QHeaderView* header = VST->horizontalHeader();
    // Room for the text margins and the column line, and for the sort glyph of the sorting
    // column's caption.
    const int margin = 2 * TextMargin + 2;
    const int glyph = 16;
    for (int c = StatColumn::Name; c < StatColumn::Count; ++c) {
        if (VST->isColumnHidden(c))
            continue;
        int width = captions.horizontalAdvance(Model->Caption(c)) + margin + (c == Model->SortColumn() ? glyph : 0);
        for (int r = 0; r < Model->rowCount(); ++r)
            width = std::max(width, rows.horizontalAdvance(Model->CellText(Model->Row(r), c)) + margin);
        const TStatisticsColumn& col = StatisticsColumns[size_t(c)];
        header->resizeSection(c, std::clamp(width, col.MinWidth, col.MaxWidth));
    }
}

// ---- Sorting and the log filter --------------------------------------------------------------

void TLogStatisticsPanelV2::DoVSTHeaderClick(int column)
{
    Qt::SortOrder order = Model->SortOrder();
    if (column == Model->SortColumn())
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    Model->SortRows(column, order);
    VST->horizontalHeader()->setSortIndicator(column, order);
}

void TLogStatisticsPanelV2::DoVSTDblClick(int row)
{
    if (!FLogStatistics || !OnLogFilter || row < 0 || row >= Model->rowCount())
        return;
    if (!VST->selectionModel()->isRowSelected(row, {}))
        return;
    const TStatistic& r = Model->Row(row);
    if (r.IsSummary())
        return;
    TLogFilter filter;
    switch (Model->Kind()) {
    case statNone: return;
    case statBandMode: filter.SetMode(r.KeyName); break;
    case statDXCC:
    case statDXCCDeleted:
    case statDXCCChallenge: filter.SetDXCC(QString::number(r.Key)); break;
    case statContinents: filter.SetContinent(r.KeyName); break;
    case statZones: filter.SetCQZ(r.KeyName); break;
    case statIOTA: break;
    case statStates: filter.SetState(r.KeyName); break;
    case statFields: filter.SetGridSquare(r.KeyName); break;
    case statVUCC:
    case statFFMA:
        filter.SetGridSquare(r.KeyName);
        filter.SetBand(QStringLiteral("6m"));
        break;
    }
    OnLogFilter(filter);
}
