#include "panel/FTxFont.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace lcd {
namespace {

struct TGlyph {
    char Char;
    std::vector<TGlyphPoint> Points;
};

const std::vector<TGlyph>& Glyphs()
{
    static const std::vector<TGlyph> table = {
        {'0', {{3, 3}, {3, 1}, {2, 0}, {1, 0}, {0, 1}, {0, 3}, {1, 4}, {2, 4}, {3, 3}}},
        {'1', {{1, 4}, {1, 0}, {-1, 2}}},
        {'2', {{3, 4}, {0, 4}, {0, 3}, {1, 2}, {2, 2}, {3, 1}, {2, 0}, {-1, 0}}},
        {'3', {{0, 0}, {2, 0}, {3, 1}, {2, 2}, {1, 2}, {2, 2}, {3, 3}, {2, 4}, {-1, 4}}},
        {'4', {{3, 3}, {0, 3}, {0, 2}, {2, 0}, {2, 5}}},
        {'5', {{2, 0}, {0, 0}, {0, 2}, {2, 2}, {3, 3}, {2, 4}, {-1, 4}}},
        {'6', {{2, 0}, {0, 1}, {0, 2}, {2, 2}, {3, 3}, {2, 4}, {1, 4}, {0, 3}, {0, 2}}},
        {'7', {{1, 4}, {1, 3}, {3, 1}, {3, 0}, {-1, 0}}},
        {'8', {{2, 4}, {3, 3}, {2, 2}, {3, 1}, {2, 0}, {1, 0}, {0, 1}, {1, 2}, {0, 3}, {1, 4}, {2, 4}}},
        {'9', {{3, 2}, {0, 2}, {0, 1}, {1, 0}, {2, 0}, {3, 1}, {3, 3}, {2, 4}, {0, 4}}},
        {'A', {{2, 0}, {0, 2}, {0, 4}, {0, 3}, {4, 3}, {4, 4}, {4, 2}, {2, 0}}},
        {'B', {{2, 0}, {0, 0}, {0, 4}, {2, 4}, {3, 3}, {2, 2}, {1, 2}, {2, 2}, {3, 1}, {2, 0}}},
        {'C', {{4, 0}, {1, 0}, {0, 1}, {0, 3}, {1, 4}, {4, 4}, {4, 3}}},
        {'D', {{0, 0}, {0, 4}, {3, 4}, {4, 3}, {4, 1}, {3, 0}, {0, 0}}},
        {'E', {{4, 0}, {0, 0}, {0, 2}, {3, 2}, {0, 2}, {0, 4}, {4, 4}, {4, 5}}},
        {'F', {{4, 0}, {0, 0}, {0, 2}, {3, 2}, {0, 2}, {0, 5}}},
        {'G', {{4, 0}, {1, 0}, {0, 1}, {0, 3}, {1, 4}, {3, 4}, {4, 3}, {4, 2}, {1, 2}}},
        {'H', {{4, 4}, {4, 0}, {4, 2}, {0, 2}, {0, 0}, {0, 5}}},
        {'I', {{2, 4}, {0, 4}, {1, 4}, {1, 0}, {2, 0}, {-1, 0}}},
        {'J', {{1, 3}, {2, 4}, {3, 3}, {3, 0}, {-1, 0}}},
        {'K', {{4, 0}, {2, 2}, {4, 4}, {2, 2}, {0, 2}, {0, 0}, {0, 5}}},
        {'L', {{3, 4}, {0, 4}, {0, -1}}},
        {'M', {{0, 4}, {0, 0}, {2, 2}, {4, 0}, {4, 5}}},
        {'N', {{0, 4}, {0, 0}, {4, 4}, {4, -1}}},
        {'O', {{3, 4}, {4, 3}, {4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 3}, {1, 4}, {3, 4}}},
        {'P', {{1, 2}, {2, 2}, {3, 1}, {2, 0}, {0, 0}, {0, 5}}},
        {'Q', {{4, 4}, {2, 2}, {3, 3}, {4, 2}, {4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 3}, {1, 4}, {2, 4}, {3, 3}}},
        {'R', {{0, 4}, {0, 0}, {3, 0}, {4, 1}, {3, 2}, {1, 2}, {3, 2}, {4, 3}, {4, 5}}},
        {'S', {{2, 0}, {1, 0}, {0, 1}, {2, 3}, {1, 4}, {-1, 4}}},
        {'T', {{4, 0}, {0, 0}, {2, 0}, {2, 5}}},
        {'U', {{0, 0}, {0, 3}, {1, 4}, {3, 4}, {4, 3}, {4, -1}}},
        {'V', {{0, 0}, {0, 2}, {2, 4}, {4, 2}, {4, -1}}},
        {'W', {{4, 0}, {4, 4}, {2, 2}, {0, 4}, {0, -1}}},
        {'X', {{4, 4}, {0, 0}, {2, 2}, {4, 0}, {-1, 5}}},
        {'Y', {{4, 0}, {2, 2}, {2, 4}, {2, 2}, {-1, -1}}},
        {'Z', {{2, 4}, {0, 4}, {0, 3}, {2, 1}, {2, 0}, {-1, 0}}},
        {'d', {{2, 0}, {2, 4}, {0, 4}, {0, 2}, {2, 2}}},
        {'k', {{2, 4}, {1, 3}, {2, 2}, {0, 4}, {0, -1}}},
        {'z', {{3, 4}, {0, 4}, {3, 1}, {-1, 1}}},
        // Drawn as a micro sign (stroke with a descender) for "u-T".
        {'u', {{0, 1}, {0, 5}, {0, 4}, {2, 4}, {2, 0}}},
        {'-', {{1, 2}, {-1, 2}}},
        {'+', {{1, 3}, {1, 1}, {1, 2}, {2, 2}, {-1, 2}}},
        {'.', {{0, 4}, {-1, 4}}},
        // A one-pixel stroke far below every LCD: paints nothing visible, advances by 4.
        {' ', {{2, 300}, {2, 301}}},
    };
    return table;
}

} // namespace

std::span<const TGlyphPoint> Glyph(QChar c)
{
    if (c.unicode() > 0x7F)
        return {};
    const char ch = char(c.unicode());
    for (const TGlyph& g : Glyphs())
        if (g.Char == ch)
            return g.Points;
    return {};
}

uint8_t CharAdvance(QChar c)
{
    const auto points = Glyph(c);
    if (points.empty())
        return 6;
    int maxX = points.front().X;
    for (const TGlyphPoint& p : points)
        maxX = std::max(maxX, p.X);
    return uint8_t(maxX + 2);
}

int TextAdvance(const QString& text)
{
    int width = 0;
    for (QChar c : text)
        width += CharAdvance(c);
    return width;
}

std::vector<QPoint> PolylinePixels(std::span<const QPoint> points)
{
    std::vector<QPoint> pixels;
    for (size_t i = 1; i < points.size(); ++i) {
        // Bresenham from a towards b, b itself excluded.
        int x = points[i - 1].x(), y = points[i - 1].y();
        const int x1 = points[i].x(), y1 = points[i].y();
        const int dx = std::abs(x1 - x), sx = x < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y), sy = y < y1 ? 1 : -1;
        int err = dx + dy;
        while (x != x1 || y != y1) {
            pixels.emplace_back(x, y);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
    }
    return pixels;
}

void DrawPolyline(QPainter& canvas, std::span<const QPoint> points)
{
    const QColor color = canvas.pen().color();
    for (const QPoint& p : PolylinePixels(points))
        canvas.fillRect(QRect(p, QSize(1, 1)), color);
}

void DrawPolyline(QPainter& canvas, std::initializer_list<QPoint> points)
{
    DrawPolyline(canvas, std::span<const QPoint>(points.begin(), points.size()));
}

uint8_t DrawChar(QPainter& canvas, QChar c, int x, int y)
{
    const auto glyph = Glyph(c);
    if (glyph.empty())
        return 6;
    std::vector<QPoint> points;
    points.reserve(glyph.size());
    for (const TGlyphPoint& p : glyph)
        points.emplace_back(x + p.X, y + p.Y);
    DrawPolyline(canvas, points);
    return CharAdvance(c);
}

void DrawText(QPainter& canvas, const QString& text, int x, int y, const QColor& color)
{
    canvas.setPen(QPen(color, 1, Qt::SolidLine));
    for (QChar c : text)
        x += DrawChar(canvas, c, x, y);
}

} // namespace lcd
