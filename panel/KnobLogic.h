#pragma once
// The rotary knobs without widgets: size and face of each knob type, value to pointer angle
// and the click halves of the meter selector knobs.

#include "core/RCTypes.h"

#include <QPoint>
#include <QSize>
#include <cstdint>

enum TKnobType : uint8_t {
    ktFT2K_Knob1, ktFT2K_Knob2, ktFT2K_Meter, ktFT5K_Knob1, ktFT5K_Knob2, ktFT5K_Knob3, ktFT5K_Knob4,
    ktFT5K_Knob5, ktFT5K_Knob6, ktFT5K_KNOB_A, ktFT5K_KNOB_B, ktFT5K_Meter, ktFT950_KNOB_AF
};
constexpr int KnobTypeCount = 13;

struct TKnobGeometry {
    QSize Size;
    const char* Face;
    bool Meter;         // one meter pointer instead of the inner and outer pointers
    QPoint MeterCentre; // centre of the meter pointer
};

// Geometry of a knob type; a value outside the enumeration gives the first type's.
const TKnobGeometry& KnobGeometry(TKnobType type);

// Pointer angle of a value over 300 degrees: min at 210 (lower left), the middle straight up
// (360), max at 148 (lower right).  An empty range shows the minimum.
TDegree KnobValueToAngle(int value, int minimum, int maximum);
// Pointer angle of the meter selector, positions 0..5 at 300, 330, 0, 30, 60, 90.
TDegree KnobMeterAngle(int value);
// Centre of the inner and outer pointers of a knob of that size.
QPoint KnobCentre(QSize size);

enum class TKnobClick : uint8_t { None, Forward, Back };
// What a click at x does: the meter knobs step back on their left half and forward on their right.
TKnobClick KnobClickAt(TKnobType type, int x);
