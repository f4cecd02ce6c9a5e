#include "panel/widgets/LcdPainter.h"

#include "panel/FTxFont.h"
#include "panel/PanelColors.h"

namespace lcd {
namespace {

void Text(QPainter& p, const QString& text, int x, int y)
{
    for (QChar c : text)
        x += DrawChar(p, c, x, y);
}

// "u-TUNE" inside a filled label has its own compact strokes: the font's glyphs would not fit.
void MicroTune(QPainter& p, int x, int y)
{
    DrawPolyline(p, {{x, y + 1}, {x, y + 5}, {x, y + 4}, {x + 2, y + 4}, {x + 2, y}});
    DrawPolyline(p, {{x + 4, y + 2}, {x + 6, y + 2}});
    DrawPolyline(p, {{x + 6, y}, {x + 8, y}, {x + 7, y + 1}, {x + 7, y + 5}});
    DrawPolyline(p, {{x + 10, y}, {x + 10, y + 3}, {x + 11, y + 4}, {x + 12, y + 4}, {x + 13, y + 3}, {x + 13, y - 1}});
    DrawPolyline(p, {{x + 18, y}, {x + 18, y + 4}, {x + 15, y + 1}, {x + 15, y}, {x + 15, y + 5}});
    DrawPolyline(p, {{x + 22, y}, {x + 20, y}, {x + 20, y + 2}, {x + 21, y + 2}, {x + 20, y + 2}, {x + 20, y + 4},
                     {x + 23, y + 4}});
}

} // namespace

QColor LcdColor(uint32_t bgr)
{
    return BGRColor(bgr);
}

void FilledLabel(QPainter& p, const TLcdRect& r, const QColor& color, const QString& text, int offset)
{
    p.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), color);
    p.setPen(QPen(Qt::black, 1));
    if (text == QLatin1String("u-TUNE"))
        MicroTune(p, r.Left + offset, r.Top + 1);
    else
        Text(p, text, r.Left + offset, r.Top + 1);
}

void OutlinedLabel(QPainter& p, const TLcdRect& r, const QColor& color, const QString& text, int offset)
{
    p.setPen(QPen(color, 1));
    DrawPolyline(p, {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}, {r.Left, r.Top}});
    Text(p, text, r.Left + offset, r.Top + 2);
}

void PlainLabel(QPainter& p, const TLcdRect& r, const QColor& color, const QString& text, int offset)
{
    p.setPen(QPen(color, 1));
    Text(p, text, r.Left + offset, r.Top);
}

void HeadingBox(QPainter& p, int l, int t, int r, int b, const QString& text, int offset, const QColor& color)
{
    p.setPen(QPen(color, 1));
    DrawPolyline(p, {{l, t + 1}, {l, b - 1}, {l + 1, b}, {r - 1, b}, {r, b - 1}, {r, t + 1}, {r - 1, t}, {l + 1, t},
                     {l, t + 1}});
    if (!text.isEmpty())
        DrawText(p, text, l + offset, t + 2, color);
}

void LeftBracket(QPainter& p, int x, int y0, int y1, std::initializer_list<TBracketTick> ticks, const QColor& color)
{
    std::vector<QPoint> points = {{x + 1, y0}, {x, y0}};
    for (const TBracketTick& t : ticks) {
        const int dy = t.Kind == TTick::Diagonal ? 1 : 0;
        points.insert(points.end(), {{x, t.Y}, {x + 1, t.Y + dy}, {x, t.Y}});
    }
    points.insert(points.end(), {{x, y1}, {x + 2, y1}});
    p.setPen(QPen(color, 1));
    DrawPolyline(p, points);
}

void RightBracket(QPainter& p, int x, int y0, int y1, std::initializer_list<TBracketTick> ticks, const QColor& color)
{
    std::vector<QPoint> points = {{x - 1, y0}, {x, y0}};
    for (const TBracketTick& t : ticks) {
        const int dy = t.Kind == TTick::Diagonal ? 1 : 0;
        points.insert(points.end(), {{x, t.Y}, {x - 1, t.Y + dy}, {x, t.Y}});
    }
    points.insert(points.end(), {{x, y1}, {x - 2, y1}});
    p.setPen(QPen(color, 1));
    DrawPolyline(p, points);
}

void Triangle(QPainter& p, int x, int y, const QColor& color)
{
    Line(p, color, {{x, y}, {x, y + 2}, {x + 1, y + 1}, {x, y}});
}

void Line(QPainter& p, const QColor& color, std::initializer_list<QPoint> points)
{
    p.setPen(QPen(color, 1));
    DrawPolyline(p, points);
}

void Block(QPainter& p, int x, int y, int w, int h, const QColor& color)
{
    p.fillRect(QRect(x, y, w, h), color);
}

} // namespace lcd
