#pragma once
// Drawing primitives of the simulated LCD: labels, heading boxes and frame ornaments, all in
// whole LCD pixels.

#include "panel/LcdLayout.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>
#include <initializer_list>

namespace lcd {

QColor LcdColor(uint32_t bgr);

// Box filled in the colour, text inside in black from (Left + offset, Top + 1).
void FilledLabel(QPainter& p, const TLcdRect& r, const QColor& color, const QString& text, int offset);
// Outline and text in the colour, the text from (Left + offset, Top + 2).
void OutlinedLabel(QPainter& p, const TLcdRect& r, const QColor& color, const QString& text, int offset);
// Text only, from (Left + offset, Top).
void PlainLabel(QPainter& p, const TLcdRect& r, const QColor& color, const QString& text, int offset);
// Outline with cut corners; the text (when not empty) from (L + offset, T + 2).
void HeadingBox(QPainter& p, int l, int t, int r, int b, const QString& text, int offset, const QColor& color);

enum class TTick : uint8_t { Straight, Diagonal };
struct TBracketTick {
    int Y;
    TTick Kind = TTick::Straight;
};
// A bracket enclosing a column of labels from y0 to y1 with ticks between the rows.
void LeftBracket(QPainter& p, int x, int y0, int y1, std::initializer_list<TBracketTick> ticks, const QColor& color);
void RightBracket(QPainter& p, int x, int y0, int y1, std::initializer_list<TBracketTick> ticks, const QColor& color);
// A small triangle pointing right, its tip one pixel right of (x, y + 1).
void Triangle(QPainter& p, int x, int y, const QColor& color);
// A polyline in the colour (its last point not painted).
void Line(QPainter& p, const QColor& color, std::initializer_list<QPoint> points);
// A filled block of whole pixels.
void Block(QPainter& p, int x, int y, int w, int h, const QColor& color);

// The fixed frame of a model's LCD: headings, brackets, DSP block, scales.
void DrawFrame(QPainter& p, int modelIndex);

} // namespace lcd
