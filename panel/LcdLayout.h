#pragma once
// Geometry and content of the simulated LCD, without any widget: the position table of its
// indicators, the indicator groups with the labels each one shows for a model and state, and
// the cell logic of the four DSP graph rows.

#include "core/FTCATTypes.h"

#include <QRect>
#include <QString>
#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace lcd {

class TDisplay;

// Column of the position table: 0 FT-2000 and FT-2000D, 1 FT-950, 2 FT DX 5000.
int ModelIndex(TTransceiver t);
constexpr int ModelCount = 3;

// One rectangle of the position table in LCD pixels.  Left = -1: not on this model;
// Right = Bottom = -1: only the origin of a plain text label.
struct TLcdRect {
    int32_t Left;
    int32_t Top;
    int32_t Right;
    int32_t Bottom;
    bool OnModel() const { return Left != -1; }
    bool IsOrigin() const { return Right == -1 && Bottom == -1; }
};

// Identifiers 0..78 and 200..219; rows 0..11 are the clickable indicators.
bool IsPositionId(int id);
// The entry of an identifier on a model; a "not on this model" rectangle for unknown ids.
TLcdRect Position(int id, int modelIndex);
// The first of rows 0..78 whose rectangle holds the point (Left and Top inclusive, Right and
// Bottom exclusive), or -1.  Rows 200..219 never catch the mouse.
int HotRowAt(int modelIndex, int x, int y);

// Indicator groups, in the order a full repaint draws them.
enum class TLcdGroup : uint8_t {
    AGCA, AGCB, AntennaA, AntennaB, AntennaRXA, AntennaRXB, Tuner, AttenuatorA, AttenuatorB,
    ContourRow, WidthRow, ShiftRow, NotchRow,
    BreakIn, BusyA, BusyB, Clarifier, DNF, DNR, FastA, FastB, IPOA, IPOB, Keyer, LockA, LockB,
    ModeA, ModeB, Monitor, NarrowA, NarrowB, NoiseBlankerA, NoiseBlankerB, Processor,
    ClassA, HiSWR, MicEq, Play, Rec, RoofingFilterA, RoofingFilterB, TXA, TXB, MRMT, VRFA, VRFB,
};
constexpr int LcdGroupCount = int(TLcdGroup::VRFB) + 1;

enum class TLcdPrimitive : uint8_t {
    Filled,   // box in the lit or dim colour, black text inside
    Outlined, // outline and text in the lit or dim colour
    Plain,    // text only, in the lit or dim colour
};

// One label of a group as it is to be drawn.
struct TLcdItem {
    int Id;
    QString Text;
    TLcdPrimitive Primitive;
    int Offset;     // x offset of the text
    uint32_t Color; // lit colour, 0x00BBGGRR
    bool Lit;
};

// The labels a group draws on a model for the state (labels not on the model left out);
// empty when the group does not exist on that model.
std::vector<TLcdItem> GroupItems(TLcdGroup group, int modelIndex, const TDisplay& state);
// The pixels a label covers (box or text).
QRect ItemBounds(const TLcdItem& item, int modelIndex);
// The area a group redraw touches on a model; empty when the group draws nothing there.
QRect GroupRect(TLcdGroup group, int modelIndex);

// DSP graph rows: FT-2000 (also FT-2000D) and FT-950 only.
constexpr int DSPCellCount = 11;
// x of cell 0, or -1 on a model without DSP rows.
int DSPRowX0(int modelIndex);
constexpr int ContourUpperY = 54, ContourLowerY = 56;
constexpr int NotchUpperY = 63, NotchLowerY = 65;
constexpr int WidthRowY = 73, ShiftRowY = 82;

enum class TCellLine : uint8_t { None, Dim, Lit };
struct TRowCells {
    std::array<TCellLine, DSPCellCount> Upper{};
    std::array<TCellLine, DSPCellCount> Lower{};
};

constexpr int NoPosition = 99;
// Peak position of the contour graph from ContourLevel; NoPosition above the scale.
int ContourPeak(int modelIndex, int level);
// Cell of the APF graph from the key pitch.
int APFCell(int keyPitch);
// Notch position from NotchLevelA; NoPosition outside 0..999.
int NotchPosition(int modelIndex, int level);
// Lit cells of the width row for FilterWidthBars.
std::bitset<DSPCellCount> WidthCells(int filterWidthBars);
// The one lit cell of the shift row for IFShift (Hz).
int ShiftCell(int ifShift);

// What a paint draws in the contour row (None cells stay as they are) and in the notch row.
TRowCells ContourCells(int modelIndex, const TDisplay& state);
TRowCells NotchCells(int modelIndex, const TDisplay& state);

} // namespace lcd
