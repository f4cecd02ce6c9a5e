#include "log/widgets/GridLook.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QPainter>
#include <QTableView>

namespace vx::loggrid {

QFont GridFont(int pixels)
{
    return vx::look::Font(pixels);
}

void SetupGrid(QTableView* v)
{
    v->setFont(GridFont());
    v->setFrameShape(QFrame::NoFrame);
    v->setShowGrid(false);
    v->setWordWrap(false);
    v->setCornerButtonEnabled(false);
    v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->verticalHeader()->hide();
    v->verticalHeader()->setMinimumSectionSize(RowHeight);
    v->verticalHeader()->setDefaultSectionSize(RowHeight);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QPalette p = v->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, Qt::black);
        p.setColor(g, QPalette::Window, Qt::black);
        p.setColor(g, QPalette::Text, Silver);
        p.setColor(g, QPalette::Highlight, SelectedBack);
        p.setColor(g, QPalette::HighlightedText, Qt::white);
        // The caption row: dark like the panel, with silver captions.
        p.setColor(g, QPalette::Button, PanelGrey);
        p.setColor(g, QPalette::ButtonText, Silver);
        p.setColor(g, QPalette::WindowText, Silver);
    }
    v->setPalette(p);
}

void PaintEmptyMessage(QAbstractItemView* v, const QString& text)
{
    if (!v->model() || v->model()->rowCount() != 0)
        return;
    QPainter p(v->viewport());
    p.setFont(v->font());
    p.setPen(Silver);
    p.drawText(v->viewport()->rect().adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop, text);
}

bool FocusOutClearsSelection(const QFocusEvent* event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

} // namespace vx::loggrid
