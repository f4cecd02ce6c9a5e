#include "log/widgets/LogbookPanelVST.h"

#include "controls/widgets/RCSpeedButton.h"
#include "log/LogInterface.h"
#include "log/widgets/GridLook.h"
#include "log/widgets/LogGridModel.h"
#include "log/widgets/LogbookEditLink.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

using vx::loggrid::GridFont;
using vx::loggrid::PanelGrey;
using vx::loggrid::RowHeight;
using vx::loggrid::SetupGrid;
using vx::loggrid::Silver;
constexpr int HeaderHeight = 21;
constexpr int FilterGridHeight = 38;
constexpr int Panel1Height = 22;

// The caption row keeps the height the filter row needs below it, whatever the style asks.
class TCaptionHeader : public QHeaderView {
public:
    explicit TCaptionHeader(QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
    }
    QSize sizeHint() const override { return {QHeaderView::sizeHint().width(), HeaderHeight}; }
};

// QSO rows, drawn as the logbook's rows look: its text colours (the edited QSO, selected,
// confirmed), no focus frame, and a narrow text margin so a date fills its column.
class TLogRowDelegate : public QStyledItemDelegate {
public:
    TLogRowDelegate(TLogGridModel* model, QObject* parent)
        : QStyledItemDelegate(parent)
        , FModel(model)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(QPalette::Active, QPalette::Highlight));
        const QRect r = option.rect.adjusted(TextMargin, 0, -1, 0);
        const QString text = LogGridCellText(FModel->Row(index.row()), index.column());
        painter->setFont(option.font);
        painter->setPen(FModel->RowColor(index.row(), selected));
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
    }

    static constexpr int TextMargin = 2;

private:
    TLogGridModel* FModel;
};

} // namespace

// ---- TLogGridView --------------------------------------------------------------------------

TLogGridView::TLogGridView(QWidget* parent)
    : QTableView(parent)
{
}

void TLogGridView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    vx::loggrid::PaintEmptyMessage(this, QStringLiteral(" no log book records"));
}

void TLogGridView::keyReleaseEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        if (OnEnterReleased)
            OnEnterReleased();
        event->accept();
        return;
    }
    QTableView::keyReleaseEvent(event);
}

void TLogGridView::focusOutEvent(QFocusEvent* event)
{
    if (vx::loggrid::FocusOutClearsSelection(event))
        clearSelection();
    QTableView::focusOutEvent(event);
}

bool TLogGridView::viewportEvent(QEvent* event)
{
    const bool result = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize && OnViewportResized)
        OnViewportResized();
    return result;
}

// ---- TLogFilterView ------------------------------------------------------------------------

TLogFilterView::TLogFilterView(QWidget* parent)
    : QTableView(parent)
{
}

void TLogFilterView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        QTableView::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (index != currentIndex())
        setCurrentIndex(index); // starts the edit
    if (state() != EditingState)
        edit(index);
    event->accept();
}

void TLogFilterView::MoveEdit(QWidget* editor, int column, int direction)
{
    int target = column + direction;
    while (target >= 0 && target < model()->columnCount() && isColumnHidden(target))
        target += direction;
    if (target < 0 || target >= model()->columnCount())
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    setCurrentIndex(model()->index(0, target));
    if (state() != EditingState)
        edit(currentIndex());
}

void TLogFilterView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Before the view moves on: the next edit starts with a clean Changed flag.
    if (OnEditEnded)
        OnEditEnded();
    QTableView::closeEditor(editor, hint);
}

// ---- TLogbookPanelVST ----------------------------------------------------------------------

TLogbookPanelVST::TLogbookPanelVST(QWidget* parent)
    : TRCPanel(parent)
{
    SetBevelOuter(bvNone);
    SetShowCaption(false);
    SetColor(PanelGrey);
    resize(500, 455);
    setFont(GridFont());

    FGridModel = new TLogGridModel(this);
    FFilterRow = new TLogFilterRowModel(this);

    // The filter row with the captions.
    FVSTHeader = new TLogFilterView(this);
    FVSTHeader->setObjectName(QStringLiteral("VSTHeader"));
    FVSTHeader->setHorizontalHeader(new TCaptionHeader(FVSTHeader));
    SetupGrid(FVSTHeader);
    FVSTHeader->setFixedHeight(FilterGridHeight);
    FVSTHeader->setModel(FFilterRow);
    FVSTHeader->setSelectionMode(QAbstractItemView::NoSelection);
    FVSTHeader->setFocusPolicy(Qt::ClickFocus);
    FVSTHeader->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    FVSTHeader->setTabKeyNavigation(true);
    FVSTHeader->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FVSTHeader->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* captions = FVSTHeader->horizontalHeader();
    captions->setFont(GridFont());
    captions->setSectionsClickable(true);
    captions->setSortIndicatorShown(true);
    captions->setSortIndicator(-1, Qt::DescendingOrder);
    captions->setHighlightSections(false);
    captions->setMinimumSectionSize(10);
    captions->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    FEditLink = new TLogbookEditLink(FFilterRow, FVSTHeader);
    FVSTHeader->setItemDelegate(FEditLink);
    FEditLink->OnNewText = [this](int) { FilterIfChanged(); };
    FEditLink->OnMove = [this](QWidget* editor, int column, int direction) {
        FVSTHeader->MoveEdit(editor, column, direction);
    };
    FVSTHeader->OnEditEnded = [this] { FilterIfChanged(); };
    connect(captions, &QHeaderView::sectionClicked, this, &TLogbookPanelVST::SortByColumn);
    connect(captions, &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { HeaderSectionResized(column, width); });

    // The QSO grid.
    FVST = new TLogGridView(this);
    FVST->setObjectName(QStringLiteral("VST"));
    SetupGrid(FVST);
    FVST->horizontalHeader()->hide();
    FVST->horizontalHeader()->setMinimumSectionSize(10);
    FVST->setModel(FGridModel);
    FVST->setItemDelegate(new TLogRowDelegate(FGridModel, FVST));
    FVST->setSelectionBehavior(QAbstractItemView::SelectRows);
    FVST->setSelectionMode(QAbstractItemView::SingleSelection);
    FVST->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FVST->setContextMenuPolicy(Qt::CustomContextMenu);
    FVST->OnEnterReleased = [this] { EditSelectedQSO(); };
    FVST->OnViewportResized = [this] { UpdateCommentsWidth(); };
    connect(FVST, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { EditRow(i.row()); });
    connect(FVST->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (FSyncingWidths)
            return;
        FSyncingWidths = true;
        FVSTHeader->horizontalHeader()->resizeSection(column, width);
        FSyncingWidths = false;
    });
    // The caption row follows the grid when it scrolls sideways.
    connect(FVST->horizontalScrollBar(), &QScrollBar::valueChanged, FVSTHeader->horizontalScrollBar(),
            &QScrollBar::setValue);

    for (int c = 0; c < LogColumn::Count; ++c) {
        const TLogGridColumn& col = LogGridColumns[size_t(c)];
        FVST->horizontalHeader()->resizeSection(c, col.Width);
        FVSTHeader->horizontalHeader()->resizeSection(c, col.Width);
        SetColumnVisible(c, col.Visible);
    }
    // Comments takes the free width; the operator does not size it.
    captions->setSectionResizeMode(LogColumn::Comments, QHeaderView::Fixed);

    // The bottom strip.
    FPanel1 = new TRCPanel(this);
    FPanel1->setObjectName(QStringLiteral("Panel1"));
    FPanel1->SetBevelOuter(bvNone);
    FPanel1->SetShowCaption(false);
    FPanel1->setFixedHeight(Panel1Height);
    // DejaVu Sans runs wider than the original face: one pixel less keeps "DXCC Entity" clear
    // of the combo and "Clear Filter" inside its button.
    FPanel1->setFont(GridFont(10));
    QPalette labels = FPanel1->palette();
    labels.setColor(QPalette::WindowText, Silver);
    FDXCCLabel = new QLabel(QStringLiteral("DXCC Entity"), FPanel1);
    FDXCCLabel->setObjectName(QStringLiteral("DXCCLabel"));
    FDXCCLabel->setPalette(labels);
    FDXCCLabel->move(4, 5);
    FDXCCLabel->adjustSize();
    FDXCCComboBox = new QComboBox(FPanel1);
    FDXCCComboBox->setObjectName(QStringLiteral("DXCCComboBox"));
    FDXCCComboBox->setGeometry(68, 1, 200, 20);
    FDXCCComboBox->setToolTip(QStringLiteral("Filter by DXCC Entities"));
    FDXCCComboBox->setFocusPolicy(Qt::ClickFocus);
    FDXCCComboBox->setFont(GridFont());
    QPalette combo = FDXCCComboBox->palette();
    for (QPalette::ColorRole role : {QPalette::Button, QPalette::Base, QPalette::Window})
        combo.setColor(role, Qt::black);
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::Text, QPalette::WindowText})
        combo.setColor(role, Silver);
    FDXCCComboBox->setPalette(combo);
    connect(FDXCCComboBox, &QComboBox::activated, this, &TLogbookPanelVST::DXCCComboChange);
    FClearFilterButton = new TRCSpeedButton(FPanel1);
    FClearFilterButton->setObjectName(QStringLiteral("ClearFilterButton"));
    FClearFilterButton->SetCaption(QStringLiteral("Clear Filter"));
    FClearFilterButton->setGeometry(FDXCCComboBox->geometry().right() + 1 + 6, 1, 65, 20);
    FClearFilterButton->SetGroupIndex(1);
    FClearFilterButton->SetAllowAllUp(true);
    FClearFilterButton->OnClick = [this] { ClearFilterClick(); };
    // A dark face, so the yellow and silver captions read.
    QPalette button = FClearFilterButton->palette();
    button.setColor(QPalette::Button, QColor(88, 88, 88));
    button.setColor(QPalette::ButtonText, Silver);
    FClearFilterButton->setPalette(button);
    FCountLabel1 = new QLabel(FPanel1);
    FCountLabel1->setObjectName(QStringLiteral("CountLabel1"));
    FCountLabel1->setPalette(labels);
    FCountLabel1->move(FClearFilterButton->geometry().right() + 1 + 6, 5);
    FCountLabel1->resize(150, FCountLabel1->sizeHint().height());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FVSTHeader);
    layout->addWidget(FVST, 1);
    layout->addWidget(FPanel1);

    // The popup menu and its keys.
    FPopupMenu1 = new QMenu(this);
    FPopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto addItem = [this](const char* name, const char* caption, const QKeySequence& keys,
                                std::function<void()> run) {
        QAction* a = FPopupMenu1->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty()) {
            a->setShortcut(keys);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            FVST->addAction(a);
        }
        connect(a, &QAction::triggered, this, std::move(run));
    };
    addItem("MIAutoFit", "Size &all columns to fit", QKeySequence(Qt::CTRL | Qt::Key_A), [this] { AutoFitColumns(); });
    addItem("MICopyToClipboard", "&Copy to Clipboard", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { CopyToClipboard(); });
    addItem("MIEditQSO", "&Edit QSO", QKeySequence(Qt::CTRL | Qt::Key_E), [this] { EditSelectedQSO(); });
    addItem("MIDeleteQSO", "&Delete QSO", QKeySequence(Qt::CTRL | Qt::Key_D), [this] { DeleteSelectedQSO(); });
    addItem("MIQSLQueueLoTW", "Selected QSO in &LoTW Sent Queue", {}, [this] { QueueSelected(4); });
    addItem("MIQSLQueueLoTWAll", "All selected QSOs in L&oTW Sent Queue", {}, [this] { QueueSelected(5); });
    addItem("MIQSLQueueeQSL", "Selected QSO in eQSL &Sent Queue", {}, [this] { QueueSelected(6); });
    addItem("MIQSLQueueeQSLAll", "All selected QSOs in eQSL Sent &Queue", {}, [this] { QueueSelected(7); });
    connect(FVST, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex i = FVST->indexAt(at);
        if (i.isValid())
            FVST->selectRow(i.row());
        FPopupMenu1->popup(FVST->viewport()->mapToGlobal(at));
    });
}

TLogbookPanelVST::~TLogbookPanelVST()
{
    // The child views are deleted after this body (by QWidget): an editor they close then must
    // not call back into a panel that is no longer whole.
    FVSTHeader->OnEditEnded = nullptr;
    FEditLink->OnNewText = nullptr;
    FEditLink->OnMove = nullptr;
    // The logbook outlives its views: it must not call into this one any more.
    if (FLogInterface) {
        FLogInterface->OnDXCCListLoadeded = nullptr;
        FLogInterface->OnInitializeColumns = nullptr;
        FLogInterface->OnLogData = nullptr;
        FLogInterface->OnLogbookPanelClear = nullptr;
    }
}

void TLogbookPanelVST::SetLogInterface(TLogInterface* log)
{
    if (!log)
        return;
    FLogInterface = log;
    FGridModel->SetLogInterface(log);
    log->OnDXCCListLoadeded = [this] { DoDXCCListLoaded(); };
    log->OnInitializeColumns = [this] { DoInitializeColumns(); };
    log->OnLogData = [this] { DoLogData(); };
    log->OnLogbookPanelClear = [this] { DoLogbookPanelClear(); };
    // Show what the logbook holds already.
    DoInitializeColumns();
    if (!log->DXCCList().isEmpty())
        DoDXCCListLoaded();
    DoLogData();
}

const TFilterData& TLogbookPanelVST::FilterData() const
{
    return FFilterRow->FilterData();
}

// ---- Handlers of the logbook's events ------------------------------------------------------

void TLogbookPanelVST::DoLogData()
{
    if (!FLogInterface)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FGridModel->SetRows(FLogInterface->LogDataList());
    FVSTHeader->horizontalHeader()->setSortIndicator(FGridModel->SortColumn(), FGridModel->SortOrder());
    QApplication::restoreOverrideCursor();
    const int rows = FGridModel->rowCount();
    const uint32_t max = FLogInterface->MaxQSOs();
    if (max != 0 && uint32_t(rows) == max)
        FCountLabel1->setText(QStringLiteral("last %1 of %2 QSOs").arg(rows).arg(FLogInterface->LogBook().size()));
    else if (rows == 1)
        FCountLabel1->setText(QStringLiteral("1 QSO"));
    else
        FCountLabel1->setText(QStringLiteral("%1 QSOs").arg(rows));
}

void TLogbookPanelVST::SetColumnVisible(int column, bool visible)
{
    FVST->setColumnHidden(column, !visible);
    FVSTHeader->setColumnHidden(column, !visible);
}

void TLogbookPanelVST::DoInitializeColumns()
{
    if (!FLogInterface)
        return;
    const bool contest = FLogInterface->LoggingMode() == lmContest;
    const TLogBookColumns cols = FLogInterface->LogBookColumns();
    setUpdatesEnabled(false);
    for (int c = LogColumn::RSTSent; c <= LogColumn::SRX; ++c)
        SetColumnVisible(c, contest);
    SetColumnVisible(LogColumn::Comments, !contest);
    SetColumnVisible(LogColumn::Continent, !contest);
    SetColumnVisible(LogColumn::Grid, cols.Contains(colGrid));
    SetColumnVisible(LogColumn::State, cols.Contains(colUSState));
    SetColumnVisible(LogColumn::QSLSent, !contest && cols.Contains(colQSL));
    SetColumnVisible(LogColumn::QSLRcvd, !contest && cols.Contains(colQSL));
    SetColumnVisible(LogColumn::LoTWSent, !contest && cols.Contains(colQSLLoTW));
    SetColumnVisible(LogColumn::LoTWRcvd, !contest && cols.Contains(colQSLLoTW));
    SetColumnVisible(LogColumn::eQSLSent, !contest && cols.Contains(colQSLeQSL));
    SetColumnVisible(LogColumn::eQSLRcvd, !contest && cols.Contains(colQSLeQSL));
    UpdateCommentsWidth();
    setUpdatesEnabled(true);
}

void TLogbookPanelVST::DoDXCCListLoaded()
{
    if (!FLogInterface)
        return;
    FDXCCComboBox->clear();
    FDXCCComboBox->addItems(FLogInterface->DXCCList());
    if (FDXCCComboBox->count() > 2)
        FDXCCComboBox->insertItem(1, QStringLiteral("no DXCC Entity (0)"));
    FDXCCComboBox->setMaxVisibleItems(20);
}

void TLogbookPanelVST::DoLogbookPanelClear()
{
    FDXCCComboBox->setCurrentIndex(0);
    FFilterRow->Renew();
    FClearFilterButton->SetDown(false);
}

// ---- Filters -------------------------------------------------------------------------------

QString TLogbookPanelVST::DXCCCodeOfItem(const QString& item)
{
    const qsizetype open = item.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return {};
    const qsizetype close = item.indexOf(QLatin1Char(')'), open + 1);
    if (close < 0)
        return {};
    return item.mid(open + 1, close - open - 1);
}

void TLogbookPanelVST::DXCCComboChange(int index)
{
    TFilterData& f = FFilterRow->FilterData();
    f.DXCC = index <= 0 ? QString() : DXCCCodeOfItem(FDXCCComboBox->itemText(index));
    if (!FLogInterface)
        return;
    FLogInterface->FilterQSOs(f);
    FClearFilterButton->SetDown(f.Filtered());
}

void TLogbookPanelVST::ClearFilterClick()
{
    if (!FLogInterface) {
        FClearFilterButton->SetDown(FFilterRow->FilterData().Filtered());
        return;
    }
    FDXCCComboBox->setCurrentIndex(0);
    FFilterRow->Renew();
    FLogInterface->FilterQSOs(FFilterRow->FilterData());
    FClearFilterButton->SetDown(false);
}

void TLogbookPanelVST::FilterIfChanged()
{
    TFilterData& f = FFilterRow->FilterData();
    if (!FLogInterface || !f.Changed)
        return;
    // Taken: the end of this edit filters again only when it changes something more.
    f.Changed = false;
    FLogInterface->FilterQSOs(f);
    FClearFilterButton->SetDown(f.Filtered());
}

// ---- Sorting and column widths ---------------------------------------------------------------

void TLogbookPanelVST::SortByColumn(int column)
{
    if (column < 0 || column >= LogColumn::Count)
        return;
    Qt::SortOrder order = FGridModel->SortOrder();
    if (column == FGridModel->SortColumn())
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FGridModel->SortRows(column, order);
    QApplication::restoreOverrideCursor();
    FVSTHeader->horizontalHeader()->setSortIndicator(column, order);
}

void TLogbookPanelVST::UpdateCommentsWidth()
{
    if (FVST->isColumnHidden(LogColumn::Comments))
        return;
    int others = 0;
    for (int c = 0; c < LogColumn::Count; ++c) {
        if (c != LogColumn::Comments && !FVST->isColumnHidden(c))
            others += FVST->columnWidth(c);
    }
    const TLogGridColumn& col = LogGridColumns[LogColumn::Comments];
    const int width = std::clamp(FVST->viewport()->width() - others, col.MinWidth, col.MaxWidth);
    FVST->horizontalHeader()->resizeSection(LogColumn::Comments, width);
    CopyWidthsToHeader();
}

void TLogbookPanelVST::CopyWidthsToHeader()
{
    FSyncingWidths = true;
    for (int c = 0; c < LogColumn::Count; ++c)
        FVSTHeader->horizontalHeader()->resizeSection(c, FVST->columnWidth(c));
    FSyncingWidths = false;
}

void TLogbookPanelVST::HeaderSectionResized(int column, int width)
{
    if (FSyncingWidths)
        return;
    const TLogGridColumn& col = LogGridColumns[size_t(column)];
    const int clamped = std::clamp(width, col.MinWidth, col.MaxWidth);
    FSyncingWidths = true;
    if (clamped != width)
        FVSTHeader->horizontalHeader()->resizeSection(column, clamped);
    FVST->horizontalHeader()->resizeSection(column, clamped);
    FSyncingWidths = false;
    if (column != LogColumn::Comments)
        UpdateCommentsWidth();
}

void TLogbookPanelVST::AutoFitColumns()
{
    if (!FLogInterface)
        return;
    // Only the rows on screen are measured: a big log would take seconds for all of them.
    const int first = std::max(0, FVST->rowAt(0));
    int last = FVST->rowAt(FVST->viewport()->height() - 1);
    if (last < 0)
        last = FGridModel->rowCount() - 1;
    const QFontMetrics rows(FVST->font());
    const QFontMetrics captions(FVSTHeader->horizontalHeader()->font());
    const int margin = 2 * TLogRowDelegate::TextMargin + 2;
    setUpdatesEnabled(false);
    FSyncingWidths = true;
    for (int c = 0; c < LogColumn::Count; ++c) {
        if (c == LogColumn::Comments || FVST->isColumnHidden(c))
            continue;
        int width = captions.horizontalAdvance(QString::fromLatin1(LogGridColumns[size_t(c)].Caption)) + margin;
        for (int r = first; r <= last; ++r)
            width = std::max(width, rows.horizontalAdvance(LogGridCellText(FGridModel->Row(r), c)) + margin);
        const TLogGridColumn& col = LogGridColumns[size_t(c)];
        FVST->horizontalHeader()->resizeSection(c, std::clamp(width, col.MinWidth, col.MaxWidth));
    }
    FSyncingWidths = false;
    UpdateCommentsWidth();
    setUpdatesEnabled(true);
}

// ---- Row actions ---------------------------------------------------------------------------

int TLogbookPanelVST::SelectedRow() const
{
    const QModelIndexList rows = FVST->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TLogbookPanelVST::EditRow(int row)
{
    if (!FLogInterface || row < 0 || row >= FGridModel->rowCount())
        return;
    FLogInterface->EditQSO(FGridModel->IndexOfRow(row));
    FVST->viewport()->update();
}

void TLogbookPanelVST::EditSelectedQSO()
{
    EditRow(SelectedRow());
}

void TLogbookPanelVST::DeleteSelectedQSO()
{
    const int row = SelectedRow();
    if (!FLogInterface || row < 0)
        return;
    // The QSO is named by its handle before the question is asked: rows may be rebuilt while
    // it is open (a QSO logged from elsewhere), the QSO stays the same.
    const int32_t index = FGridModel->IndexOfRow(row);
    const QString call = FGridModel->Row(row).Call;
    const auto answer =
        QMessageBox::question(this, QStringLiteral("Confirm"),
                              QStringLiteral("Do you really want to delete the QSO with %1?").arg(call),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes && FLogInterface)
        FLogInterface->DeleteQSO(index);
}

void TLogbookPanelVST::QueueSelected(int tag)
{
    if (!FLogInterface)
        return;
    const TQSLQueue queue = tag == 4 || tag == 5 ? qqLoTW : qqeQSL;
    std::vector<int32_t> indexes;
    if (tag == 5 || tag == 7) {
        indexes.reserve(size_t(FGridModel->rowCount()));
        for (int r = 0; r < FGridModel->rowCount(); ++r)
            indexes.push_back(FGridModel->IndexOfRow(r));
    } else if (const int row = SelectedRow(); row >= 0) {
        indexes.push_back(FGridModel->IndexOfRow(row));
    }
    for (int32_t index : indexes)
        FLogInterface->QSLQueue(queue, index);
    FLogInterface->SaveLog();
}

void TLogbookPanelVST::CopyToClipboard()
{
    if (!FLogInterface)
        return;
    std::vector<int> columns;
    for (int v = 0; v < LogColumn::Count; ++v) {
        const int c = FVST->horizontalHeader()->logicalIndex(v);
        if (!FVST->isColumnHidden(c))
            columns.push_back(c);
    }
    QString text;
    for (int r = 0; r < FGridModel->rowCount(); ++r) {
        const TLogData row = FGridModel->BuildRow(r);
        for (size_t k = 0; k < columns.size(); ++k) {
            if (k > 0)
                text += QLatin1Char('\t');
            text += LogGridCellText(row, columns[k]);
        }
        text += QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(text);
}
