#include "controls/widgets/PanelSizing.h"

#include <QMouseEvent>

TAnchors::TAnchors(QWidget* parent)
    : QObject(parent)
    , FParent(parent)
    , FDesign(parent->size())
{
    parent->installEventFilter(this);
}

void TAnchors::Add(QWidget* child, Qt::Edges edges)
{
    FItems.push_back({child, edges, child->geometry()});
    Apply();
}

void TAnchors::Apply()
{
    const int dx = FParent->width() - FDesign.width();
    const int dy = FParent->height() - FDesign.height();
    for (const Item& item : FItems) {
        if (!item.child)
            continue;
        QRect g = item.design;
        const bool left = item.edges & Qt::LeftEdge, right = item.edges & Qt::RightEdge;
        const bool top = item.edges & Qt::TopEdge, bottom = item.edges & Qt::BottomEdge;
        if (left && right)
            g.setWidth(qMax(0, g.width() + dx));
        else if (right)
            g.moveLeft(g.left() + dx);
        if (top && bottom)
            g.setHeight(qMax(0, g.height() + dy));
        else if (bottom)
            g.moveTop(g.top() + dy);
        item.child->setGeometry(g);
    }
}

bool TAnchors::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FParent && event->type() == QEvent::Resize)
        Apply();
    return false;
}

TEdgeSizer::TEdgeSizer(QWidget* panel, Qt::Edges edges)
    : QObject(panel)
    , FPanel(panel)
    , FEdges(edges)
{
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
}

Qt::Edges TEdgeSizer::EdgeAt(const QPoint& at) const
{
    Qt::Edges e;
    if ((FEdges & Qt::RightEdge) && at.x() >= FPanel->width() - Grip && at.x() < FPanel->width())
        e |= Qt::RightEdge;
    if ((FEdges & Qt::BottomEdge) && at.y() >= FPanel->height() - Grip && at.y() < FPanel->height())
        e |= Qt::BottomEdge;
    return e;
}

bool TEdgeSizer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != FPanel)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(event);
        const Qt::Edges e = EdgeAt(m->position().toPoint());
        if (m->button() != Qt::LeftButton || e == Qt::Edges())
            return false;
        FSizing = e;
        FStart = m->globalPosition().toPoint();
        FStartSize = FPanel->size();
        return true;
    }
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(event);
        if (Sizing()) {
            const QPoint d = m->globalPosition().toPoint() - FStart;
            QSize s = FStartSize;
            if (FSizing & Qt::RightEdge)
                s.setWidth(FStartSize.width() + d.x());
            if (FSizing & Qt::BottomEdge)
                s.setHeight(FStartSize.height() + d.y());
            FPanel->resize(s.expandedTo(FPanel->minimumSize()).boundedTo(FPanel->maximumSize()));
            FPanel->updateGeometry();
            return true;
        }
        const Qt::Edges e = EdgeAt(m->position().toPoint());
        if (e == (Qt::RightEdge | Qt::BottomEdge))
            FPanel->setCursor(Qt::SizeFDiagCursor);
        else if (e == Qt::RightEdge)
            FPanel->setCursor(Qt::SizeHorCursor);
        else if (e == Qt::BottomEdge)
            FPanel->setCursor(Qt::SizeVerCursor);
        else
            FPanel->unsetCursor();
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (!Sizing())
            return false;
        FSizing = {};
        FPanel->unsetCursor();
        return true;
    case QEvent::Leave:
        if (!Sizing())
            FPanel->unsetCursor();
        return false;
    default:
        return false;
    }
}
