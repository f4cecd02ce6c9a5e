#include "controls/widgets/BandmapControls.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace bandmap {

QFont TahomaFont(int points)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, points + 1));
    return font;
}

} // namespace bandmap

// ---- TOwnerDrawnControl ----

TOwnerDrawnControl::TOwnerDrawnControl(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TOwnerDrawnControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FPressed = true;
    QWidget::mousePressEvent(event);
}

void TOwnerDrawnControl::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        FPressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click && OnClick)
        OnClick();
}

// ---- TArrowButton ----

TArrowButton::TArrowButton(QWidget* parent) : TOwnerDrawnControl(parent)
{
    resize(13, 13);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TArrowButton::SetArrowType(TArrowType value)
{
    if (value == FArrowType)
        return;
    FArrowType = value;
    repaint();
}

void TArrowButton::SetIsFocused(bool value)
{
    if (value == FIsFocused)
        return;
    FIsFocused = value;
    repaint();
}

void TArrowButton::enterEvent(QEnterEvent* event)
{
    TOwnerDrawnControl::enterEvent(event);
    FMouseIsOver = true;
    repaint();
}

void TArrowButton::leaveEvent(QEvent* event)
{
    TOwnerDrawnControl::leaveEvent(event);
    FMouseIsOver = false;
    repaint();
}

void TArrowButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (FMouseIsOver) {
        // Pixel rows and columns stay sharp at every ratio.
        const int w = width();
        const int h = height();
        p.fillRect(0, 0, w, 1, bandmap::clBright);
        p.fillRect(0, h - 1, w, 1, bandmap::clBright);
        p.fillRect(0, 0, 1, h, bandmap::clBright);
        p.fillRect(w - 1, 0, 1, h, bandmap::clBright);
    }
    p.setRenderHint(QPainter::Antialiasing);
    static const QPoint points[4][3] = {
        {{2, 6}, {10, 2}, {10, 10}}, // atLeft
        {{6, 2}, {2, 10}, {10, 10}}, // atUp
        {{10, 6}, {2, 2}, {2, 10}},  // atRight
        {{6, 10}, {2, 2}, {10, 2}},  // atDown
    };
    QPolygonF triangle;
    for (const QPoint& pt : points[FArrowType])
        triangle << QPointF(pt) + QPointF(0.5, 0.5);
    const QColor c = FIsFocused ? bandmap::clBright : bandmap::clDim;
    p.setPen(QPen(c, 1.0));
    p.setBrush(c);
    p.drawPolygon(triangle);
}

// ---- TBandmapLabel ----

TBandmapLabel::TBandmapLabel(QWidget* parent) : TOwnerDrawnControl(parent), FFont(bandmap::TahomaFont(9))
{
    resize(50, 16);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBandmapLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    repaint();
}

void TBandmapLabel::SetCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    repaint();
}

void TBandmapLabel::SetFont(const QFont& value)
{
    FFont = value;
    repaint();
}

void TBandmapLabel::SetFontColor(const QColor& value)
{
    FFontColor = value;
    repaint();
}

int TBandmapLabel::TextLeft() const
{
    const int textWidth = QFontMetrics(FFont).horizontalAdvance(FCaption);
    switch (FAlignment) {
    case taRightJustify:
        return width() - textWidth;
    case taCenter:
        return (width() - textWidth) / 2;
    case taLeftJustify:
        break;
    }
    return 0;
}

void TBandmapLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(FFont);
    p.setPen(FFontColor);
    p.drawText(QPointF(TextLeft(), QFontMetrics(FFont).ascent()), FCaption);
}

// ---- TSplitButton ----

TSplitButton::TSplitButton(QWidget* parent) : TOwnerDrawnControl(parent)
{
    resize(18, 18);
}

void TSplitButton::SetDown(bool value)
{
    FDown = value;
    repaint();
}

void TSplitButton::SetBlur(bool value)
{
    FBlur = value;
    update();
}

void TSplitButton::SetTransparent(bool value)
{
    FTransparent = value;
    update();
}

void TSplitButton::SetCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    update();
}

void TSplitButton::enterEvent(QEnterEvent* event)
{
    TOwnerDrawnControl::enterEvent(event);
    if (!OnClick)
        return; // a button nobody listens to shows no mouse look
    FMouseIsOver = true;
    repaint();
}

void TSplitButton::leaveEvent(QEvent* event)
{
    TOwnerDrawnControl::leaveEvent(event);
    if (!OnClick)
        return;
    FMouseIsOver = false;
    repaint();
}

void TSplitButton::mousePressEvent(QMouseEvent* event)
{
    TOwnerDrawnControl::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && OnClick) {
        FMouseIsDown = true;
        repaint();
    }
}

void TSplitButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (OnClick) {
        FMouseIsDown = false;
        repaint();
    }
    TOwnerDrawnControl::mouseReleaseEvent(event);
}

QColor TSplitButton::LineColor() const
{
    if (FDown || (FMouseIsOver && FBlur))
        return bandmap::clBright;
    return bandmap::clDim;
}

void TSplitButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!FTransparent)
        p.fillRect(rect(), Qt::black);
    // A frame with its corner pixels cut, the smallest rounding there is; drawn as pixel rows
    // so it stays sharp at every ratio.
    const QColor c = LineColor();
    const int l = FMouseIsDown ? 1 : 0;
    const int t = l;
    const int r = width() - 1;
    const int b = height() - 1;
    if (r - l >= 2 && b - t >= 2) {
        p.fillRect(l + 1, t + 1, r - l - 1, b - t - 1, Qt::black);
        p.fillRect(l + 1, t, r - l - 1, 1, c);
        p.fillRect(l + 1, b, r - l - 1, 1, c);
        p.fillRect(l, t + 1, 1, b - t - 1, c);
        p.fillRect(r, t + 1, 1, b - t - 1, c);
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont font = bandmap::TahomaFont(9);
    const QFontMetrics fm(font);
    p.setFont(font);
    p.setPen(c);
    const int x = (width() - fm.horizontalAdvance(FCaption)) / 2;
    const int y = (height() - fm.height()) / 2;
    p.drawText(QPointF(x, y + fm.ascent()), FCaption);
}

// ---- TBandmapScope ----

std::array<uint8_t, TBandmapScope::MaxRow + 1> TBandmapScope::FScanPoints{};

TBandmapScope::TBandmapScope(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(ScopeWidth, 0);
    setMaximumSize(ScopeWidth, MaxRow);
    resize(ScopeWidth, 800);
    FScanPoints.fill(0);
}

void TBandmapScope::Clear()
{
    FScanPoints.fill(0);
    repaint();
}

void TBandmapScope::SetScanPoint(int y, int sMeter)
{
    if (y < 0 || y > MaxRow)
        return;
    const int level = std::clamp(sMeter, 0, 255);
    FScanPoints[size_t(y)] = uint8_t(level * width() / 255);
    repaint();
}

uint8_t TBandmapScope::ScanPoint(int y)
{
    return y < 0 || y > MaxRow ? 0 : FScanPoints[size_t(y)];
}

void TBandmapScope::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    update();
}

void TBandmapScope::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.fillRect(rect(), Qt::black);
    for (int x = 0; x < ScopeWidth; x += 8)
        p.fillRect(x, 0, 1, h, bandmap::clDim);
    p.fillRect(0, 0, w, 1, bandmap::clDim);
    p.fillRect(0, h - 1, w, 1, bandmap::clDim);
    const int rows = std::min(h, MaxRow + 1);
    for (int i = 0; i < rows; ++i) {
        if (FScanPoints[size_t(i)] > 0)
            p.fillRect(1, i, FScanPoints[size_t(i)], 1, bandmap::clScope);
    }
}
