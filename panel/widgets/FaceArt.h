#pragma once
// Drawing pieces that the faces' pictures share, so every face's keys, lamps, windows and dial
// hollows look alike: key strips of four frames (up, disabled, clicked, down), the dark key
// body, lamps, the radio's legend type, bezels and dial wells.

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QPainter;

namespace faceart {

extern const QColor LegendGrey;
extern const QColor LegendDim;

// The look of one frame of a key strip.
struct TKeyState {
    bool Pressed = false;
    bool Disabled = false;
    bool Lit = false;
};

using FramePainter = std::function<void(QPainter&, const QRectF&, const TKeyState&)>;

// A strip of four frames side by side, each painted clipped to its own place.
void RegisterStrip(const QString& name, QSize frame, FramePainter paint);

// A text a picture prints: the area its ink covers, in the picture's pixels.  The faces list
// theirs so that the layout can be checked against them.
struct TPrintedLegend {
    QString Text;
    QRectF Box;
};
// The ink of a text printed with its baseline starting at origin.
QRectF InkBox(const QString& text, const QFont& font, QPointF origin);

// A text a face prints, placed by the left end of its baseline.
struct TPrint {
    QString Text;
    QFont Font;
    QColor Colour;
    QPointF Origin;
};
void DrawPrints(QPainter& p, const std::vector<TPrint>& prints);
QList<TPrintedLegend> PrintedLegends(const std::vector<TPrint>& prints);

// The radio's legend type: DejaVu Sans, condensed unless asked otherwise.
QFont LegendFont(int px, bool bold = true, bool condensed = true);
// Text centred on x with its baseline at y.
void CentredText(QPainter& p, qreal x, qreal baseline, const QString& text, const QFont& font, const QColor& colour);
// Lines of text centred in a box on their cap height.
void BoxText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour);

// The body of a dark key: a rounded rectangle with a light bevel along its top, sunk a little
// while pressed.
void KeyBody(QPainter& p, const QRectF& r, qreal radius, const TKeyState& s);
// A lit lamp's glow over what is around it.
void Glow(QPainter& p, const QRectF& lamp, const QColor& colour, qreal reach);
// A lamp bar: dark glass, or lit in its colour with a glow.
void LampBar(QPainter& p, const QRectF& lamp, const QColor& colour, bool lit);

// The front of a face: dark satin grey with a fine brushed grain and a rounded edge.
void PaintFront(QPainter& p, const QSize& size);
// A window (display, tuning strip) behind a dark bezel.
void Bezel(QPainter& p, const QRectF& window, qreal margin, qreal radius);
// The hollow a dial or knob turns in: a dark dish with a faint light edge at its bottom.
void DialWell(QPainter& p, QPointF c, qreal radius);

} // namespace faceart
