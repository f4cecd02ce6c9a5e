#include "panel/widgets/FaceArt.h"

#include "controls/widgets/ArtRegistry.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QStringList>

namespace faceart {

const QColor LegendGrey(206, 206, 206);
const QColor LegendDim(110, 110, 110);

namespace {

TKeyState StateOfFrame(int frame)
{
    TKeyState s;
    s.Disabled = frame == 1;
    s.Pressed = frame == 2;
    s.Lit = frame == 3;
    return s;
}

} // namespace

QFont LegendFont(int px, bool bold, bool condensed)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    f.setBold(bold);
    if (condensed)
        f.setStretch(QFont::Condensed);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QRectF InkBox(const QString& text, const QFont& font, QPointF origin)
{
    return QFontMetricsF(font).tightBoundingRect(text).translated(origin);
}

void DrawPrints(QPainter& p, const std::vector<TPrint>& prints)
{
    for (const TPrint& t : prints) {
        p.setFont(t.Font);
        p.setPen(t.Colour);
        p.drawText(t.Origin, t.Text);
    }
}

QList<TPrintedLegend> PrintedLegends(const std::vector<TPrint>& prints)
{
    QList<TPrintedLegend> out;
    for (const TPrint& t : prints)
        out.append({t.Text, InkBox(t.Text, t.Font, t.Origin)});
    return out;
}

void CentredText(QPainter& p, qreal x, qreal baseline, const QString& text, const QFont& font, const QColor& colour)
{
    p.setFont(font);
    p.setPen(colour);
    const qreal w = QFontMetricsF(font).horizontalAdvance(text);
    p.drawText(QPointF(x - w / 2, baseline), text);
}

void BoxText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour)
{
    const QFontMetricsF fm(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    const qreal lineHeight = fm.capHeight() + 2.0;
    const qreal total = lines.size() * fm.capHeight() + (lines.size() - 1) * 2.0;
    qreal baseline = box.center().y() - total / 2 + fm.capHeight();
    for (const QString& line : lines) {
        CentredText(p, box.center().x(), baseline, line, font, colour);
        baseline += lineHeight;
    }
}

void RegisterStrip(const QString& name, QSize frame, FramePainter paint)
{
    vx::art::Register(
        name, QSize(frame.width() * 4, frame.height()),
        [frame, paint](QPainter& p, const QSize&) {
            for (int f = 0; f < 4; ++f) {
                p.save();
                p.translate(f * frame.width(), 0);
                const QRectF r(0, 0, frame.width(), frame.height());
                p.setClipRect(r);
                paint(p, r, StateOfFrame(f));
                p.restore();
            }
        },
        4);
}

void Glow(QPainter& p, const QRectF& lamp, const QColor& colour, qreal reach)
{
    QRadialGradient glow(lamp.center(), reach);
    QColor c = colour;
    c.setAlpha(120);
    glow.setColorAt(0, c);
    c.setAlpha(0);
    glow.setColorAt(1, c);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(lamp.center(), reach, reach);
}

void LampBar(QPainter& p, const QRectF& lamp, const QColor& colour, bool lit)
{
    if (lit) {
        Glow(p, lamp, colour, lamp.width() * 0.9);
        QLinearGradient bar(0, lamp.top(), 0, lamp.bottom());
        bar.setColorAt(0, colour.lighter(150));
        bar.setColorAt(1, colour);
        p.setBrush(bar);
        p.setPen(Qt::NoPen);
    } else {
        p.setBrush(colour.darker(560));
        p.setPen(QPen(QColor(8, 8, 8), 0.6));
    }
    p.drawRoundedRect(lamp, 1.0, 1.0);
}

void KeyBody(QPainter& p, const QRectF& r, qreal radius, const TKeyState& s)
{
    const QRectF body = s.Pressed ? r.translated(0, 0.6) : r;
    // Shadow on the panel below the key.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawRoundedRect(r.translated(0, 1.0), radius, radius);
    QLinearGradient face(0, body.top(), 0, body.bottom());
    face.setColorAt(0.0, s.Pressed ? QColor(0x26, 0x26, 0x27) : QColor(0x52, 0x52, 0x54));
    face.setColorAt(0.5, s.Pressed ? QColor(0x2b, 0x2b, 0x2c) : QColor(0x35, 0x35, 0x37));
    face.setColorAt(1.0, s.Pressed ? QColor(0x31, 0x31, 0x32) : QColor(0x22, 0x22, 0x23));
    p.setPen(QPen(QColor(0x0c, 0x0c, 0x0c), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(body, radius, radius);
    if (!s.Pressed) {
        p.setPen(QPen(QColor(0x86, 0x86, 0x88), 0.8));
        p.drawLine(QPointF(body.left() + radius, body.top() + 1.0), QPointF(body.right() - radius, body.top() + 1.0));
    }
}

void Bezel(QPainter& p, const QRectF& window, qreal margin, qreal radius)
{
    const QRectF outer = window.adjusted(-margin, -margin, margin, margin);
    QLinearGradient rim(0, outer.top(), 0, outer.bottom());
    rim.setColorAt(0, QColor(0x0c, 0x0c, 0x0c));
    rim.setColorAt(1, QColor(0x2e, 0x2e, 0x30));
    p.setPen(QPen(QColor(0x5a, 0x5a, 0x5c), 0.8));
    p.setBrush(rim);
    p.drawRoundedRect(outer, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(window.adjusted(-1, -1, 1, 1));
}

void DialWell(QPainter& p, QPointF c, qreal radius)
{
    QRadialGradient dish(c, radius);
    dish.setColorAt(0.0, QColor(0x08, 0x08, 0x08));
    dish.setColorAt(0.85, QColor(0x10, 0x10, 0x11));
    dish.setColorAt(1.0, QColor(0x1e, 0x1e, 0x20));
    p.setPen(Qt::NoPen);
    p.setBrush(dish);
    p.drawEllipse(c, radius, radius);
    QLinearGradient edge(c.x(), c.y() - radius, c.x(), c.y() + radius);
    edge.setColorAt(0, QColor(0, 0, 0, 200));
    edge.setColorAt(1, QColor(0x80, 0x80, 0x82, 200));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(edge), 1.0));
    p.drawEllipse(c, radius - 0.5, radius - 0.5);
}

void PaintFront(QPainter& p, const QSize& size)
{
    const QRectF all(QPointF(0, 0), QSizeF(size));
    // The front: dark satin grey, a shade lighter at the top.
    QLinearGradient front(0, 0, 0, size.height());
    front.setColorAt(0.0, QColor(0x34, 0x35, 0x37));
    front.setColorAt(0.7, QColor(0x27, 0x28, 0x2a));
    front.setColorAt(1.0, QColor(0x20, 0x21, 0x23));
    p.fillRect(all, front);
    // A fine brushed grain across the metal.
    for (int y = 0; y < size.height(); y += 2) {
        p.setPen(QPen(QColor(255, 255, 255, (y * 7) % 5 + 2), 1.0));
        p.drawLine(QPointF(0, y + 0.5), QPointF(size.width(), y + 0.5));
    }
    // The edge of the front.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x5c, 0x5d, 0x60), 1.0));
    p.drawRoundedRect(all.adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
    p.setPen(QPen(QColor(0x0a, 0x0a, 0x0a), 1.0));
    p.drawRoundedRect(all.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
}

} // namespace faceart
