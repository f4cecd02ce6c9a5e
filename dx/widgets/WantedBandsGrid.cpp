#include "dx/widgets/WantedBandsGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Draws the grid's own lines (horizontal ones, and the right edge of the fixed columns), the
// fixed cells as heads and the " all" cells as check boxes.
class TWantedGridDelegate : public QStyledItemDelegate {
public:
    TWantedGridDelegate(TWantedBandsGrid* grid, int fixedColumns)
        : QStyledItemDelegate(grid)
        , FGrid(grid)
        , FFixed(fixedColumns)
    {
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const QPalette& pal = option.palette;
        const int column = index.column();
        if (column < FFixed) {
            p->fillRect(r, pal.button());
            p->setPen(pal.color(QPalette::ButtonText));
            p->drawText(r.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
            p->fillRect(QRect(r.right(), r.top(), 1, r.height()), pal.color(QPalette::Mid));
        } else if (column == FGrid->AllColumn()) {
            p->fillRect(r, pal.base());
            const QString text = index.data().toString().trimmed();
            QStyleOptionButton box;
            box.initFrom(FGrid);
            // A square inset by 4 pixels on the narrower side, centred in the cell.
            const int side = std::max(0, std::min(r.width(), r.height()) - 8);
            box.rect = QRect(0, 0, side, side);
            box.rect.moveCenter(r.center());
            box.state = QStyle::State_Enabled
                        | (text == QLatin1String(".") ? QStyle::State_On
                           : text.isEmpty()           ? QStyle::State_Off
                                                      : QStyle::State_NoChange);
            FGrid->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, p, FGrid);
        } else {
            QStyledItemDelegate::paint(p, option, index);
        }
        p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), pal.color(QPalette::Midlight).darker(115));
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        FGrid->EditorCreated(editor);
        return editor;
    }

private:
    TWantedBandsGrid* FGrid;
    int FFixed;
};

} // namespace

TWantedBandsGrid::TWantedBandsGrid(const QStringList& leading, const QList<int>& widths, int fixed, QWidget* parent)
    : QTableWidget(parent)
    , FFirstBandColumn(int(leading.size()))
    , FFixedColumns(fixed)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    setFont(f);
    resize(390, 257);

    QStringList headers = leading;
    for (int b = bd160; b <= bd6; ++b)
        headers << TDXWantedSpots::BandNumber(TBand(b));
    headers << AllHeader;
    setColumnCount(int(headers.size()));
    setHorizontalHeaderLabels(headers);

    QHeaderView* h = horizontalHeader();
    h->setSectionResizeMode(QHeaderView::Fixed);
    h->setMinimumSectionSize(0);
    h->setSectionsClickable(false);
    h->setHighlightSections(false);
    h->setTextElideMode(Qt::ElideNone);
    h->setDefaultAlignment(Qt::AlignCenter);
    h->setFixedHeight(RowHeight);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, c < widths.size() ? widths[c] : BandColumnWidth);
    for (int c = 0; c < widths.size(); ++c)
        if (widths[c] == 0)
            setColumnHidden(c, true);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new TWantedGridDelegate(this, fixed));

    connect(this, &QTableWidget::itemChanged, this, [this] {
        if (!FLoading)
            FHasChanges = true;
    });
}

TBand TWantedBandsGrid::ColumnBand(int column) const
{
    const int k = column - FFirstBandColumn;
    return k >= 0 && k < BandCount ? TBand(bd160 + k) : bdAll;
}

QString TWantedBandsGrid::CellText(int row, int column) const
{
    const QTableWidgetItem* i = item(row, column);
    return i ? i->text() : QString();
}

void TWantedBandsGrid::SetCellText(int row, int column, const QString& text)
{
    if (QTableWidgetItem* i = item(row, column))
        i->setText(text);
    else if (!text.isEmpty())
        EnsureItem(row, column)->setText(text);
}

QTableWidgetItem* TWantedBandsGrid::EnsureItem(int row, int column)
{
    if (QTableWidgetItem* i = item(row, column))
        return i;
    auto* i = new QTableWidgetItem();
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (column >= FFixedColumns)
        flags |= Qt::ItemIsSelectable;
    if (column == FEditableColumn)
        flags |= Qt::ItemIsEditable;
    i->setFlags(flags);
    const bool loading = FLoading;
    FLoading = true;
    setItem(row, column, i);
    FLoading = loading;
    return i;
}

void TWantedBandsGrid::SetBandsFromText(int row, const QString& text)
{
    int found = 0;
    for (int k = 0; k < BandCount; ++k) {
        const QString band = TDXWantedSpots::BandNumber(TBand(bd160 + k));
        const bool marked = text.contains(u';' + band + u';');
        SetCellText(row, FFirstBandColumn + k, marked ? band : QString());
        found += marked;
    }
    SetCellText(row, AllColumn(), found == BandCount ? QStringLiteral(".") : QString());
}

TWantedBands TWantedBandsGrid::RowBands(int row) const
{
    TWantedBands bands;
    for (int k = 0; k < BandCount; ++k)
        if (!CellText(row, FFirstBandColumn + k).isEmpty())
            bands.Include(TBand(bd160 + k));
    return bands;
}

void TWantedBandsGrid::EmptyRow(int row)
{
    for (int c = 0; c < columnCount(); ++c)
        SetCellText(row, c, QString());
}

void TWantedBandsGrid::mousePressEvent(QMouseEvent* event)
{
    // Only the left button acts; the others neither select nor change anything.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    FHasChanges = true;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() < FFixedColumns) {
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
    if (index.isValid())
        CellPressed(index.row(), index.column());
}

void TWantedBandsGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TWantedBandsGrid::CellPressed(int row, int column)
{
    if (column == AllColumn()) {
        const QString all = CellText(row, column);
        const QString now = all.isEmpty() ? QStringLiteral(".") : all == QLatin1String(".") ? QString() : all;
        SetCellText(row, column, now);
        for (int k = 0; k < BandCount; ++k)
            SetCellText(row, FFirstBandColumn + k,
                        now == QLatin1String(".") ? TDXWantedSpots::BandNumber(TBand(bd160 + k)) : QString());
        return;
    }
    const TBand band = ColumnBand(column);
    if (band == bdAll)
        return;
    const QString text = CellText(row, column);
    const QString number = TDXWantedSpots::BandNumber(band);
    if (text.isEmpty())
        SetCellText(row, column, number);
    else if (text == number)
        SetCellText(row, column, QString());
}
