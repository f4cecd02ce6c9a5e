#include "controls/widgets/ControlArt.h"

#include "controls/widgets/ArtRegistry.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

struct ThumbLook {
    QColor Light; // top of the body
    QColor Dark;  // bottom of the body
    QColor Index; // the line across the thumb that marks the value
};

// A small key cap lying across the groove: a dark rim, a body shaded from top to bottom and an
// index line on the row the groove is split at.
void PaintThumb(QPainter& p, const QSize& s, const ThumbLook& look)
{
    const QRectF body(0.5, 0.5, s.width() - 1.0, s.height() - 1.0);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0.0, look.Light);
    g.setColorAt(1.0, look.Dark);
    p.setPen(QPen(QColor(16, 16, 16), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(body, 1.5, 1.5);
    // A soft highlight under the top rim.
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    p.drawLine(QPointF(2.0, 1.5), QPointF(s.width() - 2.0, 1.5));
    const qreal mid = s.height() / 2 + 0.5;
    p.setPen(QPen(look.Index, 1.0));
    p.drawLine(QPointF(2.0, mid), QPointF(s.width() - 2.0, mid));
}

void RegisterThumb(const char* name, ThumbLook look)
{
    vx::art::Register(QString::fromLatin1(name), QSize(14, 9),
                      [look](QPainter& p, const QSize& s) { PaintThumb(p, s, look); });
}

} // namespace

void RegisterControlArt()
{
    static const bool registered = [] {
        RegisterThumb("HTHUMB", {QColor(214, 214, 214), QColor(118, 118, 118), QColor(36, 36, 36)});
        RegisterThumb("THUMB_RED", {QColor(255, 100, 84), QColor(146, 14, 14), QColor(255, 228, 216)});
        RegisterThumb("THUMB_GREEN", {QColor(112, 232, 112), QColor(18, 108, 28), QColor(232, 255, 232)});
        RegisterThumb("THUMB_DISABLED", {QColor(98, 98, 98), QColor(66, 66, 66), QColor(40, 40, 40)});
        return true;
    }();
    (void)registered;
}
