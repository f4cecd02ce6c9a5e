#include "keying/widgets/CWPanelTicker.h"

#include "controls/widgets/PanelLook.h"
#include "platform/Clock.h"

#include <QFontMetrics>
#include <QPainter>

TCWPanelTicker::TCWPanelTicker(QWidget* parent)
    : QWidget(parent)
    , FLastChar(vx::Clock::monotonicMs())
{
    setFont(vx::look::MonoFont(13));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCWPanelTicker::AddCharacter(QChar CharRX)
{
    const qint64 now = vx::Clock::monotonicMs();
    if ((now - FLastChar) / 1000 > 1)
        FCaption += QLatin1Char(' ');
    FCaption += CharRX;
    const QFontMetrics fm(font());
    while (!FCaption.isEmpty() && fm.horizontalAdvance(FCaption) > width() - 4)
        FCaption.remove(0, 1);
    FLastChar = now;
    update();
}

void TCWPanelTicker::Clear()
{
    FCaption.clear();
    update();
}

void TCWPanelTicker::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (FCaption.isEmpty())
        return;
    p.setFont(font());
    p.setPen(QColor(0x60, 0x98, 0xFF));
    // The full height, so the font's descent is not cut at the bottom margin.
    p.drawText(QRect(2, 0, width() - 4, height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FCaption);
}
