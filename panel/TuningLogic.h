#pragma once
// Geometry and texts of the tuning strip and its two rulers, without pixels: where a value
// sits on the scale, how the scale scrolls and follows the radio, the tick marks and labels,
// the split offset text and the display bandwidth text.

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace tuning {

constexpr int ScaleMargin = 30; // the scale runs from x 30 to w − 30
constexpr int ScrollZone = 10;  // pixels at each end that scroll the scale
constexpr int ScrollPixels = 20; // one scroll moves the scale by this many pixels' worth
constexpr int ClarifierLimit = 9999;

// Hz per pixel of the frequency ruler, display bandwidth index 1..8.
constexpr std::array<int, 8> ResolutionTable{1, 10, 20, 50, 100, 200, 500, 1000};
constexpr int ResolutionIndexMin = 1;
constexpr int ResolutionIndexMax = 8;
inline int ResolutionAt(int index) { return ResolutionTable[size_t(index - 1)]; }

struct TRulerTick {
    int X = 0;
    int64_t Value = 0;
    bool Major = false; // labelled
};

struct TRulerTicks {
    std::vector<TRulerTick> Ticks;
    int FirstMajorX = -1; // first labelled tick at or right of the scale start; -1 when none
};

// The scale of a ruler: FrequencyLo sits at x 30, FrequencyHi at w − 30, Resolution units
// per pixel. Values are Hz (frequency ruler) or Hz of offset (clarifier ruler, Limited: its
// ends stay within ±9999).
struct TRulerScale {
    int32_t FrequencyLo = 7000000;
    int32_t FrequencyHi = 7003000;
    int32_t PositionX = ScaleMargin;
    int32_t Resolution = 10;
    bool Limited = false;

    // Nearest pixel of a value, halves to even.
    int64_t X(int64_t value) const;
    int64_t Value(int x) const;
    // Value rounded to a multiple of the resolution, halves upward.
    int64_t Snap(int64_t value) const;
    void UpdateHi(int width);

    // The operator's move to x on a control w wide. False when x is the current position.
    // Otherwise the scale scrolls when x lies in an end zone (x then sits at the zone's edge),
    // PositionX takes x and FrequencyHi is recomputed; x returns the new position.
    bool MoveTo(int& x, int width);
    // A value from the radio: the position goes to it, the scale shifts when it lies beyond
    // either end so that it sits at that end.
    void Place(int64_t value, int width);

    TRulerTicks Ticks(int width) const;

private:
    void Shift(int64_t delta);
};

// Tick label of the frequency ruler: grouped in thousands with "." ("7.003.000"), less its
// last two digits below 100 Hz per pixel and its last four from there on.
QString FrequencyRulerLabel(int64_t value, int resolution);
// Tick label of the clarifier ruler: "+1.250", "-0.005", "0.000".
QString ClarifierRulerLabel(int64_t value);
// Split offset of VFO B from VFO A in kHz, seven characters right-aligned ("  +5.00").
QString QSXText(int32_t frequencyA, int32_t frequencyB);
// Display bandwidth in Hz as the strip shows it ("320 Hz", "3 kHz", "160 kHz").
QString BandwidthText(int32_t bandwidth);

} // namespace tuning
