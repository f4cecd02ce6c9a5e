#pragma once
// Maps values to screen coordinates and back on a linear or logarithmic scale, for a screen
// rectangle and a value range per axis.  The screen's y grows downward.

#include <cstdint>

enum TScalingType { stLinear, stLogarithmic };

// Edges of the screen area in pixels; Right and Bottom are the far edges themselves.
struct TScreenRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 600;
    int32_t Bottom = 600;
};

class TCoordMapping {
public:
    TScreenRect ScreenRect() const { return FScreenRect; }
    void SetScreenRect(const TScreenRect& value) { FScreenRect = value; }
    TScalingType XScalingType() const { return FXScalingType; }
    void SetXScalingType(TScalingType value) { FXScalingType = value; }
    TScalingType YScalingType() const { return FYScalingType; }
    void SetYScalingType(TScalingType value) { FYScalingType = value; }
    double XValueMin() const { return FXValueMin; }
    void SetXValueMin(double value) { FXValueMin = value; }
    double XValueMax() const { return FXValueMax; }
    void SetXValueMax(double value) { FXValueMax = value; }
    double YValueMin() const { return FYValueMin; }
    void SetYValueMin(double value) { FYValueMin = value; }
    double YValueMax() const { return FYValueMax; }
    void SetYValueMax(double value) { FYValueMax = value; }

    // Rounded to the nearest pixel.  A range without extent (or, on a logarithmic axis, one
    // that is not positive) maps every value to the near edge.
    int32_t ValueXToScreenX(double X) const;
    int32_t ValueYToScreenY(double Y) const;
    // The inverses; a screen area without extent gives the range's minimum (x) or maximum (y).
    double ScreenXToValueX(int32_t X) const;
    double ScreenYToValueY(int32_t Y) const;

private:
    TScreenRect FScreenRect;
    TScalingType FXScalingType = stLinear;
    TScalingType FYScalingType = stLinear;
    double FXValueMin = 1;
    double FXValueMax = 1;
    double FYValueMin = 1;
    double FYValueMax = 1;
};

// Nearest integer, an exact half going to the even neighbour; values beyond the integer range
// stop at its ends and a value that is not a number gives 0, so drawing code never meets an
// undefined conversion.
int32_t RoundHalfEven(double value);
