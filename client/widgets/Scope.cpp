#include "client/widgets/Scope.h"

#include "platform/Clock.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstring>

TScope::TScope(QWidget* parent)
    : QWidget(parent)
    , FBuffer(BufferWidth, BufferHeight, QImage::Format_RGB32)
    , FDrawTimer(new vx::Timer(500, false, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    resize(245, 120);
    FDrawTimer->OnTimer = [this] { Step(); };
    Clear();
    FInitialized = true;
}

void TScope::SetActive(bool value)
{
    FDrawTimer->setInterval(FInterval * 10);
    if (value && !FActive)
        FOldPos = FPrevPos = FOldAvgPos = FPrevAvgPos = BufferHeight;
    FActive = value;
    FDrawTimer->setEnabled(value);
}

void TScope::SetInterval(int value)
{
    FInterval = qMax(1, value);
    FDrawTimer->stop();
    FDrawTimer->setInterval(FInterval * 10);
    if (FActive)
        FDrawTimer->start();
}

void TScope::SetGridSize(int value)
{
    if (value == FGridSize)
        return;
    FGridSize = (value <= 5 ? 6 : value) & ~1;
    if (FInitialized)
        Clear();
    update();
}

int TScope::TraceY(int value) const
{
    return BufferHeight - int(std::lround(double(value) * FGridSize / 100.0));
}

int TScope::ValueAt(int y) const
{
    return (height() - y) * 100 / FGridSize;
}

QRect TScope::ShownRect() const
{
    // A few columns more than shown, for the segments that reach back behind the new strip.
    const int w = qMin(BufferWidth, width() + 8);
    const int h = qMin(BufferHeight, height());
    return QRect(BufferWidth - w, BufferHeight - h, w, h);
}

void TScope::Clear()
{
    const int W = BufferWidth, H = BufferHeight;
    FBuffer.fill(FColor);
    QPainter p(&FBuffer);
    p.setPen(FGridColor);
    for (int x = W - 1; x > 0; x -= FGridSize)
        p.drawLine(x, 0, x, H - 1);
    for (int y = H - FGridSize; y >= 0; y -= FGridSize)
        p.drawLine(0, y, W - 1, y);
    FCounter = 1;
    update();
}

void TScope::Step()
{
    const int W = BufferWidth, H = BufferHeight;
    // 1. Scroll two pixels to the left.
    const QRect shown = ShownRect();
    const int bytes = (shown.width() - 2) * 4;
    for (int y = shown.top(); y <= shown.bottom(); ++y) {
        uchar* row = FBuffer.scanLine(y) + shown.left() * 4;
        std::memmove(row, row + 8, size_t(bytes));
    }
    QPainter p(&FBuffer);
    // 2. Erase the new strip.
    p.fillRect(W - 2, 0, 2, H, FColor);
    // 3. Vertical grid, GridSize pixels apart.
    p.setPen(FGridColor);
    if (FCounter == FGridSize / 2) {
        p.drawLine(W - 1, 0, W - 1, H - 1);
        FCounter = 0;
    }
    ++FCounter;
    // 4. Horizontal grid in the new strip.
    for (int y = H - FGridSize; y > -FGridSize; y -= FGridSize)
        if (y >= 0)
            p.drawLine(W - 2, y, W - 1, y);
    // 5. Average, 6. value.
    const auto trace = [&](const QColor& color, int value, int& oldPos, int& prevPos) {
        const int y = TraceY(value);
        p.setPen(color);
        const QPoint points[] = {{W - 4, oldPos}, {W - 2, prevPos}, {W, y}};
        p.drawPolyline(points, 3);
        oldPos = prevPos;
        prevPos = y;
    };
    trace(FBaseColor, FAverage, FOldAvgPos, FPrevAvgPos);
    trace(FLineColor, FPosition, FOldPos, FPrevPos);
    p.end();
    update();
    Fire(OnUpdate);
}

void TScope::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = qMin(width(), BufferWidth), h = qMin(height(), BufferHeight);
    if (w < width() || h < height())
        p.fillRect(rect(), FColor);
    p.drawImage(QRect(width() - w, height() - h, w, h), FBuffer, QRect(BufferWidth - w, BufferHeight - h, w, h));
}

void TScope::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FInitialized)
        Clear();
}

void TScope::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    Fire(OnPosition, this, QStringLiteral("%1 ms").arg(ValueAt(event->position().toPoint().y())));
}

void TScope::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    Fire(OnPosition, this, QString());
}
