#pragma once
// The seven-segment frequency readout without widgets: layout of each display type, the shared
// digit positions of each model family, segment polygons and glyphs, a value to digits, and the
// hit test that finds the digit under the pointer.

#include "core/FTCATTypes.h"

#include <QPoint>
#include <QSize>
#include <array>
#include <cstdint>
#include <optional>

enum TDisplayType : uint8_t { dtFT2K_A, dtFT2K_B, dtFT2K_Clarifier, dtFT5K_A, dtFT5K_B, dtFT5K_Clarifier };
constexpr int DisplayTypeCount = 6;

enum TTuneType : uint8_t { tuneDown, tuneUp };

constexpr int ReadoutDigitCount = 8;
// Glyph value per digit position 1..8 (index 0..7): 0..9, -1 blank, -2 minus, -3 C.
using TReadoutDigits = std::array<int, ReadoutDigitCount>;
constexpr int GlyphBlank = -1;
constexpr int GlyphMinus = -2;
constexpr int GlyphC = -3;

// Left x of digit positions 1..8 (index 0..7) of the eight-digit types.
using TDigitPositions = std::array<int, ReadoutDigitCount>;
struct TDigitPositionTables {
    TDigitPositions A; // dtFT2K_A, dtFT5K_A
    TDigitPositions B; // dtFT2K_B, dtFT5K_B
    bool operator==(const TDigitPositionTables&) const = default;
};
// The positions of the display type's model family; none for the clarifier types, which leave
// the shared tables as they are.
std::optional<TDigitPositionTables> FamilyDigitPositions(TDisplayType type);

bool IsClarifierType(TDisplayType type);
bool IsATypeReadout(TDisplayType type);

struct TReadoutLayout {
    QSize Size;
    int DigitWidth;
    int TopMargin;
};
const TReadoutLayout& ReadoutLayout(TDisplayType type);

// Seven hexagons a (top), b, c, d, e, f, g (middle), in digit-local pixels.
using TSegmentPolygon = std::array<QPoint, 6>;
using TSegmentShape = std::array<TSegmentPolygon, 7>;
const TSegmentShape& SegmentShape(TDisplayType type);
// Lit segments of a glyph, bit 0 = a … bit 6 = g; a value outside the glyph table lights none.
uint8_t GlyphSegments(int glyph);

// Frequency in Hz to digits: below 0 reads as 0, above 99999999 as 99999999; the 10 MHz and
// 1 MHz places are blank while they would be leading zeros.
TReadoutDigits FrequencyToDigits(int32_t hz);
int32_t ClampReadoutFrequency(int32_t hz);
// A clarifier offset to four digits of its magnitude (clamped to 9999), the rest blank.
TReadoutDigits ClarifierToDigits(int32_t offset);
int32_t ClampClarifierOffset(int32_t offset);
// The memory channel on the four digit places of the clarifier readout.  Quick memory bank
// channels up to 5 read "C-n"; channels of 100 and above take three places.
TReadoutDigits MemoryChannelDigits(int channel, TVFOMemoryMode mode);

// Top-left of digit i (1..8) of a display type, in control pixels.
QPoint DigitOrigin(TDisplayType type, int digit, const TDigitPositionTables& positions);

// The digit under x, 1..8 on a digit; the clarifier types may give 0 or a value above 8 (off the
// digits), which the caller treats as no digit.
uint8_t ReadoutDigitAt(TDisplayType type, int x, const TDigitPositionTables& positions);
// Upper half tunes up, lower half down.
TTuneType ReadoutTuneType(int y, int height);
// The step in Hz of a click on a digit; 0 for digits that do not tune (10 MHz, 1 MHz, none).
int32_t ReadoutDigitStep(TDisplayType type, uint8_t digit);
// The digit marked as the tuning resolution for a resolution in Hz; 0 for none.
uint8_t ResolutionDigit(int32_t resolution);
