#include "controls/widgets/Shape.h"

#include <QPainter>

TShape::TShape(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(14, 14);
}

void TShape::SetBrushColor(const QColor& value)
{
    if (value == FBrushColor)
        return;
    FBrushColor = value;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal d = qMin(width(), height()) - 1.0;
    const QRectF r((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    // A soft highlight keeps the lamp readable on dark and light panels alike.
    QRadialGradient g(r.center() - QPointF(d / 5.0, d / 5.0), d * 0.7);
    g.setColorAt(0.0, FBrushColor.lighter(140));
    g.setColorAt(1.0, FBrushColor);
    p.setBrush(g);
    p.setPen(QPen(QColor(20, 20, 20), 1.0));
    p.drawEllipse(r);
}
