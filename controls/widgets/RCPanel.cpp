#include "controls/widgets/RCPanel.h"

#include <QPainter>
#include <QStyle>

namespace {

// Rings of a 3-D frame: light (or dark when lowered) on the top and left, the other on the
// bottom and right; returns the rectangle inside them.
QRect Frame3D(QPainter& p, QRect r, const QColor& topLeft, const QColor& bottomRight, int width)
{
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        r.adjust(1, 1, -1, -1);
    }
    return r;
}

int BevelSize(TBevelCut cut, int width)
{
    return cut == bvNone ? 0 : qMax(0, width);
}

} // namespace

TRCPanel::TRCPanel(QWidget* parent)
    : QWidget(parent)
{
    UpdateMargins();
}

void TRCPanel::SetColor(const QColor& value)
{
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TRCPanel::SetBevelOuter(TBevelCut value)
{
    FBevelOuter = value;
    UpdateMargins();
}

void TRCPanel::SetBevelInner(TBevelCut value)
{
    FBevelInner = value;
    UpdateMargins();
}

void TRCPanel::SetBevelWidth(int value)
{
    FBevelWidth = qMax(0, value);
    UpdateMargins();
}

void TRCPanel::SetBorderWidth(int value)
{
    FBorderWidth = qMax(0, value);
    UpdateMargins();
}

void TRCPanel::SetCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    update();
}

void TRCPanel::SetShowCaption(bool value)
{
    FShowCaption = value;
    update();
}

void TRCPanel::SetAlignment(Qt::Alignment value)
{
    FAlignment = value;
    update();
}

void TRCPanel::SetFontColor(const QColor& value)
{
    FFontColor = value;
    update();
}

void TRCPanel::UpdateMargins()
{
    const int m = BevelSize(FBevelOuter, FBevelWidth) + FBorderWidth + BevelSize(FBevelInner, FBevelWidth);
    setContentsMargins(m, m, m, m);
    update();
}

void TRCPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const auto bevel = [&](QRect r, TBevelCut cut) {
        if (cut == bvNone)
            return r;
        const bool lowered = cut == bvLowered;
        return Frame3D(p, r, lowered ? dark : light, lowered ? light : dark, FBevelWidth);
    };

    QRect r = bevel(rect(), FBevelOuter);
    if (FBorderWidth > 0) {
        const QRect inner = r.adjusted(FBorderWidth, FBorderWidth, -FBorderWidth, -FBorderWidth);
        p.fillRect(r, FColor); // the fill below covers the inside again
        r = inner;
    }
    r = bevel(r, FBevelInner);
    p.fillRect(r, FColor);

    if (FShowCaption && !FCaption.isEmpty()) {
        p.setPen(FFontColor);
        p.setFont(font());
        const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), FAlignment);
        p.drawText(r, int(align) | Qt::TextSingleLine | Qt::TextExpandTabs, FCaption);
    }
}
