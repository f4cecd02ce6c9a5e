#pragma once
// The LCD's stroke font: 44 tiny glyphs, each one open polyline in a 5-pixel-high cell,
// drawn with single pixels the way the radio's display segments look.  Every text on the
// simulated LCD goes through it.

#include <QChar>
#include <QColor>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

class QPainter;

namespace lcd {

struct TGlyphPoint {
    int32_t X;
    int32_t Y;
};

// The points of a character's glyph; empty for a character without one.
std::span<const TGlyphPoint> Glyph(QChar c);
// How far the pen moves after the character: the glyph's largest x plus 2, or 6 without a glyph.
uint8_t CharAdvance(QChar c);
// Width of a text drawn with DrawText (sum of the advances).
int TextAdvance(const QString& text);

// The pixels a polyline paints: every segment without its end point, so the polyline's last
// point stays unpainted (glyphs and frame ornaments are laid out for that rule).
std::vector<QPoint> PolylinePixels(std::span<const QPoint> points);
// Paints those pixels with the painter's pen colour, one device-independent pixel each.
void DrawPolyline(QPainter& canvas, std::span<const QPoint> points);
void DrawPolyline(QPainter& canvas, std::initializer_list<QPoint> points);

// Draws the glyph with the painter's current pen colour at origin (x, y); returns its advance.
uint8_t DrawChar(QPainter& canvas, QChar c, int x, int y);
// Sets the pen to the colour and draws the text from left to right; no clipping or wrapping.
void DrawText(QPainter& canvas, const QString& text, int x, int y, const QColor& color);

} // namespace lcd
