#include "client/widgets/FlowLayout.h"

#include <QWidget>
#include <algorithm>

namespace {

// A panel keeps the size it was given, as the panels of a flow strip do.
QSize ItemSize(const QLayoutItem* item)
{
    if (const QWidget* w = item->widget())
        return w->size();
    return item->sizeHint();
}

} // namespace

TFlowLayout::TFlowLayout(QWidget* parent)
    : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

TFlowLayout::~TFlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void TFlowLayout::addItem(QLayoutItem* item)
{
    FItems.append(item);
}

QLayoutItem* TFlowLayout::takeAt(int index)
{
    if (index < 0 || index >= FItems.size())
        return nullptr;
    return FItems.takeAt(index);
}

QSize TFlowLayout::sizeHint() const
{
    // One row of everything shown.
    int width = 0;
    int height = 0;
    for (const QLayoutItem* item : FItems) {
        if (item->isEmpty())
            continue;
        width += ItemSize(item).width();
        height = std::max(height, ItemSize(item).height());
    }
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), height + m.top() + m.bottom()};
}

void TFlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    Arrange(rect);
}

void TFlowLayout::Arrange(const QRect& rect) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (QLayoutItem* item : FItems) {
        if (item->isEmpty())
            continue;
        const QSize size = ItemSize(item);
        if (x > area.x() && x + size.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight;
            rowHeight = 0;
        }
        item->setGeometry(QRect(QPoint(x, y), size));
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}
