#pragma once
// Colours and font of the band map drawing.

#include <QColor>
#include <QFont>

namespace bandmapdraw {

inline const QColor clScaleBlue(131, 219, 252);
inline const QColor clDimBlue(3, 91, 124);
inline const QColor clMarkerGreen(96, 255, 96);
inline const QColor clTXRed(204, 51, 0);
inline const QColor clSegmentLine(0, 22, 55);

// The screen font in place of "Tahoma" 8: DejaVu Sans, which is wider, at 10 pixels, so the
// captions fit the labels' fixed boxes; in pixels, like the fixed layout it sits in.
QFont Font();

} // namespace bandmapdraw
