#include "controls/widgets/Shape.h"

#include <QPainter>

TShape::TShape(QWidget* parent)
    : QWidget(parent)
{
}

void TShape::SetBrushColor(const QColor& value)
{
    if (value == FBrushColor)
        return;
    FBrushColor = value;
    update();
}

void TShape::SetPenColor(const QColor& value)
{
    if (value == FPenColor)
        return;
    FPenColor = value;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), FPenColor);
    p.fillRect(rect().adjusted(1, 1, -1, -1), FBrushColor);
}
