#include "panel/ReadoutLogic.h"

#include <cstdlib>

namespace {

const TDigitPositionTables FT2000Positions{{2, 22, 50, 70, 90, 119, 139, 159}, {1, 16, 38, 52, 66, 88, 102, 116}};
// The sub readout's digits are 10 pixels wide: 2 pixels apart, 4 where a decimal point stands
// between, so no digit or point touches another.
const TDigitPositionTables FTDX5000Positions{{1, 21, 45, 65, 85, 109, 129, 149}, {0, 12, 26, 38, 50, 64, 76, 88}};

const TReadoutLayout Layouts[DisplayTypeCount] = {
    {{176, 42}, 23, 6}, {{131, 36}, 16, 6}, {{73, 18}, 14, 0},
    {{167, 42}, 23, 6}, {{98, 29}, 10, 6},  {{53, 13}, 10, 0},
};

const TSegmentShape LargeShape{{
    {{{14, 1}, {13, 0}, {1, 0}, {0, 1}, {4, 5}, {10, 5}}},
    {{{15, 1}, {11, 5}, {11, 12}, {14, 15}, {16, 13}, {16, 2}}},
    {{{14, 15}, {11, 18}, {11, 25}, {16, 30}, {16, 17}, {15, 16}}},
    {{{15, 29}, {11, 25}, {5, 25}, {1, 29}, {2, 30}, {14, 30}}},
    {{{1, 29}, {5, 25}, {5, 18}, {2, 15}, {0, 17}, {0, 28}}},
    {{{0, 1}, {0, 13}, {2, 15}, {5, 12}, {5, 5}, {1, 1}}},
    {{{2, 15}, {5, 18}, {11, 18}, {14, 15}, {11, 12}, {5, 12}}},
}};

const TSegmentShape FT2000SmallShape{{
    {{{1, 1}, {3, 3}, {10, 3}, {12, 1}, {11, 0}, {2, 0}}},
    {{{12, 1}, {10, 3}, {10, 10}, {11, 11}, {13, 9}, {13, 2}}},
    {{{11, 11}, {10, 12}, {10, 19}, {13, 22}, {13, 13}, {12, 12}}},
    {{{1, 21}, {3, 19}, {10, 19}, {12, 21}, {11, 22}, {2, 22}}},
    {{{1, 21}, {3, 19}, {3, 12}, {2, 11}, {0, 13}, {0, 20}}},
    {{{1, 1}, {0, 2}, {0, 9}, {2, 11}, {3, 10}, {3, 3}}},
    {{{2, 11}, {4, 13}, {9, 13}, {11, 11}, {10, 10}, {3, 10}}},
}};

const TSegmentShape FTDX5000SmallShape{{
    {{{1, 1}, {3, 3}, {7, 3}, {9, 1}, {9, 0}, {2, 0}}},
    {{{9, 1}, {7, 3}, {7, 7}, {8, 8}, {10, 6}, {10, 2}}},
    {{{8, 8}, {10, 10}, {10, 15}, {9, 15}, {7, 13}, {7, 9}}},
    {{{1, 15}, {2, 16}, {9, 16}, {9, 15}, {7, 13}, {3, 13}}},
    {{{1, 15}, {3, 13}, {3, 9}, {2, 8}, {0, 10}, {0, 15}}},
    {{{1, 1}, {0, 2}, {0, 6}, {2, 8}, {3, 7}, {3, 3}}},
    {{{2, 8}, {4, 10}, {6, 10}, {8, 8}, {7, 7}, {3, 7}}},
}};

const TSegmentShape FT2000ClarifierShape{{
    {{{2, 2}, {3, 3}, {7, 3}, {8, 2}, {7, 1}, {3, 1}}},
    {{{8, 2}, {7, 3}, {7, 7}, {8, 8}, {9, 7}, {9, 3}}},
    {{{8, 8}, {7, 9}, {7, 13}, {8, 14}, {9, 13}, {9, 9}}},
    {{{2, 14}, {3, 15}, {7, 15}, {8, 14}, {7, 13}, {3, 13}}},
    {{{2, 14}, {3, 13}, {3, 9}, {2, 8}, {1, 9}, {1, 13}}},
    {{{2, 8}, {3, 7}, {3, 3}, {2, 2}, {1, 3}, {1, 7}}},
    {{{2, 8}, {3, 9}, {7, 9}, {8, 8}, {7, 7}, {3, 7}}},
}};

const TSegmentShape FTDX5000ClarifierShape{{
    {{{1, 0}, {2, -1}, {6, -1}, {7, 0}, {6, 1}, {2, 1}}},
    {{{7, 0}, {8, 1}, {8, 4}, {7, 5}, {6, 4}, {6, 1}}},
    {{{7, 5}, {8, 6}, {8, 9}, {7, 10}, {6, 9}, {6, 6}}},
    {{{1, 10}, {2, 9}, {6, 9}, {7, 10}, {6, 11}, {2, 11}}},
    {{{1, 5}, {2, 6}, {2, 9}, {1, 10}, {0, 9}, {0, 6}}},
    {{{1, 0}, {2, 1}, {2, 4}, {1, 5}, {0, 4}, {0, 1}}},
    {{{1, 5}, {2, 4}, {6, 4}, {7, 5}, {6, 6}, {2, 6}}},
}};

constexpr uint8_t A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64;
// Glyph values -3 .. 9.
constexpr uint8_t Glyphs[13] = {
    A | D | E | F,             // C
    G,                         // minus
    0,                         // blank
    A | B | C | D | E | F,     // 0
    B | C,                     // 1
    A | B | D | E | G,         // 2
    A | B | C | D | G,         // 3
    B | C | F | G,             // 4
    A | C | D | F | G,         // 5
    A | C | D | E | F | G,     // 6
    A | B | C | F,             // 7, with the upper left segment as on the radio
    A | B | C | D | E | F | G, // 8
    A | B | C | D | F | G,     // 9
};

TDisplayType Checked(TDisplayType type)
{
    return unsigned(type) < unsigned(DisplayTypeCount) ? type : dtFT2K_A;
}

} // namespace

std::optional<TDigitPositionTables> FamilyDigitPositions(TDisplayType type)
{
    switch (type) {
    case dtFT2K_A:
    case dtFT2K_B:
        return FT2000Positions;
    case dtFT5K_A:
    case dtFT5K_B:
        return FTDX5000Positions;
    default:
        return std::nullopt;
    }
}

bool IsClarifierType(TDisplayType type)
{
    return type == dtFT2K_Clarifier || type == dtFT5K_Clarifier;
}

bool IsATypeReadout(TDisplayType type)
{
    return type == dtFT2K_A || type == dtFT5K_A;
}

const TReadoutLayout& ReadoutLayout(TDisplayType type)
{
    return Layouts[Checked(type)];
}

const TSegmentShape& SegmentShape(TDisplayType type)
{
    switch (Checked(type)) {
    case dtFT2K_B:
        return FT2000SmallShape;
    case dtFT5K_B:
        return FTDX5000SmallShape;
    case dtFT2K_Clarifier:
        return FT2000ClarifierShape;
    case dtFT5K_Clarifier:
        return FTDX5000ClarifierShape;
    default:
        return LargeShape;
    }
}

uint8_t GlyphSegments(int glyph)
{
    return glyph >= GlyphC && glyph <= 9 ? Glyphs[glyph - GlyphC] : 0;
}

int32_t ClampReadoutFrequency(int32_t hz)
{
    return hz < 0 ? 0 : hz > 99999999 ? 99999999 : hz;
}

TReadoutDigits FrequencyToDigits(int32_t hz)
{
    const int32_t v = ClampReadoutFrequency(hz);
    TReadoutDigits d;
    d.fill(GlyphBlank);
    if (v / 10000000 > 0)
        d[0] = v / 10000000;
    const int mhz = (v % 10000000) / 1000000;
    if (d[0] != GlyphBlank || mhz > 0)
        d[1] = mhz;
    int32_t divisor = 100000;
    for (int i = 2; i < ReadoutDigitCount; ++i, divisor /= 10)
        d[i] = (v / divisor) % 10;
    return d;
}

int32_t ClampClarifierOffset(int32_t offset)
{
    return offset < -9999 ? -9999 : offset > 9999 ? 9999 : offset;
}

TReadoutDigits ClarifierToDigits(int32_t offset)
{
    const int32_t v = std::abs(ClampClarifierOffset(offset));
    TReadoutDigits d;
    d.fill(GlyphBlank);
    d[0] = v / 1000;
    d[1] = (v / 100) % 10;
    d[2] = (v / 10) % 10;
    d[3] = v % 10;
    return d;
}

TReadoutDigits MemoryChannelDigits(int channel, TVFOMemoryMode mode)
{
    TReadoutDigits d;
    d.fill(GlyphBlank);
    if (channel < 0)
        channel = 0;
    if (mode == vmQMB && channel <= 5) {
        d[1] = GlyphC;
        d[2] = GlyphMinus;
        d[3] = channel;
    } else if (channel >= 100) {
        d[1] = (channel / 100) % 10;
        d[2] = (channel / 10) % 10;
        d[3] = channel % 10;
    } else {
        d[2] = channel / 10;
        d[3] = channel % 10;
    }
    return d;
}

QPoint DigitOrigin(TDisplayType type, int digit, const TDigitPositionTables& positions)
{
    const int i = digit < 1 ? 1 : digit > ReadoutDigitCount ? ReadoutDigitCount : digit;
    const TReadoutLayout& layout = ReadoutLayout(type);
    switch (Checked(type)) {
    case dtFT2K_Clarifier:
        return QPoint(i * (layout.DigitWidth - 2) + 12, 1);
    case dtFT5K_Clarifier:
        return QPoint(i * (layout.DigitWidth - 2) + (i == 1 ? 11 : 13), 1);
    case dtFT2K_A:
    case dtFT5K_A:
        return QPoint(positions.A[size_t(i - 1)], layout.TopMargin);
    default:
        return QPoint(positions.B[size_t(i - 1)], layout.TopMargin);
    }
}

uint8_t ReadoutDigitAt(TDisplayType type, int x, const TDigitPositionTables& positions)
{
    if (IsClarifierType(type))
        return uint8_t((x - 26) / ReadoutLayout(type).DigitWidth + 1); // off the digits when outside 1..8
    const TDigitPositions& pos = IsATypeReadout(type) ? positions.A : positions.B;
    for (int k = 2; k <= 7; ++k)
        if (pos[size_t(k - 1)] <= x && x < pos[size_t(k)])
            return uint8_t(k);
    if (x >= pos[7] && x <= 9999)
        return 8;
    return 1;
}

TTuneType ReadoutTuneType(int y, int height)
{
    return y <= height / 2 ? tuneUp : tuneDown;
}

int32_t ReadoutDigitStep(TDisplayType type, uint8_t digit)
{
    if (IsClarifierType(type)) {
        static const int32_t steps[4] = {1000, 100, 10, 1};
        return digit >= 1 && digit <= 4 ? steps[digit - 1] : 0;
    }
    static const int32_t steps[6] = {100000, 10000, 1000, 100, 10, 1};
    return digit >= 3 && digit <= 8 ? steps[digit - 3] : 0;
}

uint8_t ResolutionDigit(int32_t resolution)
{
    switch (resolution) {
    case 1:
        return 8;
    case 10:
        return 7;
    case 100:
        return 6;
    case 1000:
        return 5;
    case 10000:
        return 4;
    default:
        return 0;
    }
}
