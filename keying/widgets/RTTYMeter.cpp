#include "keying/widgets/RTTYMeter.h"

#include "controls/widgets/PanelLook.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

TRTTYMeter::TRTTYMeter(QWidget* parent)
    : QWidget(parent)
{
    resize(54, 14);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TRTTYMeter::SetSignalLevel(uint16_t value)
{
    value = std::min(value, MaxLevel);
    if (value == FSignalLevel)
        return;
    FSignalLevel = value;
    update();
}

void TRTTYMeter::SetSquelchLevel(uint16_t value)
{
    if (value == FSquelchLevel)
        return;
    FSquelchLevel = value;
    update();
}

void TRTTYMeter::SetSquelch(bool value)
{
    if (value == FSquelch)
        return;
    FSquelch = value;
    update();
}

int TRTTYMeter::LevelPixel(int v) const
{
    return (width() - 3) * std::clamp(v, 0, int(MaxLevel)) / MaxLevel;
}

uint16_t TRTTYMeter::LevelAt(int x) const
{
    const int span = std::max(1, width() - 3);
    return uint16_t(std::clamp(x, 0, span) * MaxLevel / span);
}

void TRTTYMeter::paintEvent(QPaintEvent*)
{
    const int w = width(), h = height();
    QPainter p(this);
    // Frame and the grey around the bar.
    p.fillRect(rect(), Qt::black);
    p.fillRect(1, 1, w - 2, h - 2, vx::look::PanelGrey);
    // The bar area, black inside a grey ring.
    p.fillRect(2, 2, w - 5, h - 5, Qt::black);
    if (FSignalLevel > 0) {
        const bool closed = FSquelch && FSignalLevel < FSquelchLevel;
        const int right = LevelPixel(FSignalLevel);
        if (right > 2)
            p.fillRect(2, 4, right - 2, h - 9, closed ? QColor(0x80, 0x80, 0x80) : QColor(0x00, 0xFF, 0x00));
    }
    if (FSquelchLevel > 0) {
        const int x = LevelPixel(FSquelchLevel);
        p.fillRect(x, 2, 1, h - 5, FSquelchLevel < FSignalLevel ? Qt::black : Qt::white);
    }
}

void TRTTYMeter::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Fire(OnSquelchLevel, LevelAt(event->position().toPoint().x()));
}
