#include "panel/LcdLayout.h"

#include "panel/Display.h"
#include "panel/FTxFont.h"
#include "panel/PanelColors.h"

#include <algorithm>
#include <cmath>

namespace lcd {
namespace {

constexpr TLcdRect No{-1, -1, -1, -1};
constexpr TLcdRect At(int32_t x, int32_t y) { return {x, y, -1, -1}; }

struct TEntry {
    int Id;
    std::array<TLcdRect, ModelCount> Rects; // FT-2000, FT-950, FT DX 5000
};

// clang-format off
const TEntry PositionTable[] = {
    {0,  {{{223, 2, 247, 9},   {4, 1, 29, 8},     {381, 3, 407, 10}}}},  // PROC
    {1,  {{{248, 2, 271, 9},   {32, 1, 55, 8},    {297, 3, 322, 10}}}},  // MONI
    {2,  {{{272, 2, 303, 9},   {58, 1, 89, 8},    {323, 3, 354, 10}}}},  // KEYER
    {3,  {{{304, 2, 329, 9},   {92, 1, 119, 8},   {355, 3, 380, 10}}}},  // BK-IN
    {4,  {{{203, 2, 222, 9},   {137, 1, 156, 8},  {235, 12, 254, 19}}}}, // NAR A
    {5,  {{{528, 69, 552, 76}, No,                {235, 64, 254, 71}}}}, // NAR B
    {6,  {{{186, 2, 202, 9},   {122, 1, 135, 8},  {207, 30, 219, 37}}}}, // NB A
    {7,  {{{501, 69, 524, 76}, No,                {207, 82, 219, 89}}}}, // NB B
    {8,  {{{186, 68, 210, 75}, {353, 30, 378, 37}, {181, 21, 205, 28}}}}, // FAST A
    {9,  {{{402, 69, 426, 76}, No,                {181, 73, 205, 80}}}}, // FAST B
    {10, {{{186, 57, 210, 64}, {353, 45, 378, 52}, {181, 30, 205, 37}}}}, // LOCK A
    {11, {{No,                 No,                {181, 82, 205, 89}}}}, // LOCK B
    {12, {{{5, 11, 20, 18},    {168, 18, 183, 25}, At(22, 13)}}},        // ANT A 1
    {13, {{{5, 25, 20, 32},    {168, 33, 183, 40}, At(22, 21)}}},        // ANT A 2
    {14, {{No,                 No,                At(22, 29)}}},         // ANT A 3
    {15, {{No,                 No,                At(22, 37)}}},         // ANT A 4
    {16, {{{5, 38, 20, 45},    No,                No}}},                 // RX antenna A (FT-2000)
    {17, {{No,                 No,                At(4, 37)}}},          // RX antenna A (FT DX 5000)
    {18, {{No,                 No,                At(22, 62)}}},         // ANT B 1
    {19, {{No,                 No,                At(22, 70)}}},         // ANT B 2
    {20, {{No,                 No,                At(22, 78)}}},         // ANT B 3
    {21, {{No,                 No,                At(22, 86)}}},         // ANT B 4
    {22, {{No,                 No,                At(4, 86)}}},          // RX antenna B
    {23, {{{28, 11, 51, 18},   {191, 11, 214, 18}, At(36, 13)}}},        // ATT A OFF
    {24, {{{28, 20, 51, 27},   {191, 20, 214, 27}, At(36, 21)}}},        // ATT A -6dB
    {25, {{{28, 29, 51, 36},   {191, 29, 214, 36}, At(36, 29)}}},        // ATT A -12dB
    {26, {{{28, 38, 51, 45},   {191, 38, 214, 45}, At(36, 37)}}},        // ATT A -18dB
    {27, {{No,                 No,                At(36, 62)}}},         // ATT B OFF
    {28, {{No,                 No,                At(36, 70)}}},         // ATT B -6dB
    {29, {{No,                 No,                At(36, 78)}}},         // ATT B -12dB
    {30, {{No,                 No,                At(36, 86)}}},         // ATT B -18dB
    {31, {{{59, 11, 84, 18},   No,                At(65, 13)}}},         // VRF A VRF
    {32, {{{59, 25, 84, 32},   {222, 18, 247, 25}, At(65, 26)}}},        // VRF A u-TUNE
    {33, {{{59, 38, 84, 45},   {222, 32, 247, 39}, At(65, 37)}}},        // VRF A THRU
    {34, {{No,                 No,                At(65, 66)}}},         // VRF B VRF
    {35, {{No,                 No,                At(65, 79)}}},         // VRF B THRU
    {36, {{{92, 11, 115, 18},  {255, 11, 278, 18}, At(99, 13)}}},        // IPO A AMP1
    {37, {{{92, 25, 115, 32},  {255, 25, 278, 32}, At(98, 21)}}},        // IPO A AMP2
    {38, {{{92, 38, 115, 45},  {255, 38, 278, 45}, At(99, 29)}}},        // IPO A ON/IPO1
    {39, {{No,                 No,                At(99, 37)}}},         // IPO A IPO2
    {40, {{No,                 No,                At(99, 62)}}},         // IPO B AMP1
    {41, {{No,                 No,                At(99, 70)}}},         // IPO B AMP2
    {42, {{No,                 No,                At(99, 78)}}},         // IPO B IPO1
    {43, {{{123, 11, 148, 18}, {286, 11, 311, 18}, At(125, 43)}}},       // R.FLT A AUTO
    {44, {{No,                 No,                At(130, 13)}}},        // R.FLT A 300
    {45, {{No,                 No,                At(130, 19)}}},        // R.FLT A 600
    {46, {{{123, 20, 148, 27}, {286, 20, 311, 27}, At(130, 25)}}},       // R.FLT A 3k
    {47, {{{123, 29, 148, 36}, {286, 29, 311, 36}, At(130, 31)}}},       // R.FLT A 6k
    {48, {{{123, 38, 148, 45}, {286, 38, 311, 45}, At(130, 37)}}},       // R.FLT A 15k
    {49, {{No,                 No,                At(130, 62)}}},        // R.FLT B 3k
    {50, {{No,                 No,                At(130, 70)}}},        // R.FLT B 6k
    {51, {{No,                 No,                At(130, 78)}}},        // R.FLT B 15k
    {52, {{No,                 No,                At(125, 86)}}},        // R.FLT B AUTO
    {53, {{{156, 11, 181, 18}, {319, 11, 344, 18}, At(155, 13)}}},       // AGC A AUTO
    {54, {{{156, 20, 181, 27}, {319, 20, 344, 27}, At(155, 21)}}},       // AGC A FAST
    {55, {{{156, 29, 181, 36}, {319, 29, 344, 36}, At(155, 29)}}},       // AGC A MID
    {56, {{{156, 38, 181, 45}, {319, 38, 344, 45}, At(155, 37)}}},       // AGC A SLOW
    {57, {{{453, 68, 462, 77}, No,                At(155, 62)}}},        // AGC B A/AUTO
    {58, {{{464, 68, 473, 77}, No,                At(155, 70)}}},        // AGC B F/FAST
    {59, {{{475, 68, 484, 77}, No,                At(155, 78)}}},        // AGC B M/MID
    {60, {{{486, 68, 495, 77}, No,                At(155, 86)}}},        // AGC B S/SLOW
    {61, {{No,                 {386, 1, 405, 8},  {207, 3, 222, 10}}}},  // MODE A LSB
    {62, {{No,                 {411, 1, 430, 8},  {223, 3, 239, 10}}}},  // MODE A USB
    {63, {{No,                 {436, 1, 455, 8},  {240, 3, 253, 10}}}},  // MODE A CW
    {64, {{No,                 {461, 1, 480, 8},  {207, 12, 220, 19}}}}, // MODE A AM
    {65, {{No,                 {486, 1, 505, 8},  {221, 12, 234, 19}}}}, // MODE A FM
    {66, {{No,                 {511, 1, 536, 8},  {207, 21, 232, 28}}}}, // MODE A RTTY
    {67, {{No,                 {542, 1, 561, 8},  {233, 21, 251, 28}}}}, // MODE A PKT
    {68, {{{402, 59, 420, 66}, No,                {207, 55, 222, 62}}}}, // MODE B LSB
    {69, {{{423, 59, 440, 66}, No,                {223, 55, 239, 62}}}}, // MODE B USB
    {70, {{{444, 59, 461, 66}, No,                {240, 55, 253, 62}}}}, // MODE B CW
    {71, {{{465, 59, 482, 66}, No,                {207, 64, 220, 71}}}}, // MODE B AM
    {72, {{{486, 59, 503, 66}, No,                {221, 64, 234, 71}}}}, // MODE B FM
    {73, {{{507, 59, 532, 66}, No,                {207, 73, 232, 80}}}}, // MODE B RTTY
    {74, {{{534, 59, 552, 66}, No,                {233, 73, 251, 80}}}}, // MODE B PKT
    {75, {{{4, 75, 25, 82},    {167, 75, 188, 82}, No}}},                // DNF
    {76, {{{4, 65, 25, 72},    {167, 65, 188, 72}, No}}},                // DNR
    {77, {{No,                 No,                {220, 30, 227, 37}}}}, // NB A W
    {78, {{No,                 No,                {220, 82, 227, 89}}}}, // NB B W
    {200, {{{186, 30, 210, 37}, {353, 1, 378, 8},  {181, 3, 205, 10}}}},  // TX A
    {201, {{{399, 30, 423, 37}, No,                {181, 55, 205, 62}}}}, // TX B
    {202, {{{186, 40, 210, 47}, {353, 15, 378, 22}, {181, 12, 205, 19}}}}, // BUSY A
    {203, {{{399, 40, 423, 47}, No,                {181, 64, 205, 71}}}}, // BUSY B
    {204, {{{330, 2, 361, 9},   {4, 79, 35, 86},   {408, 3, 439, 10}}}},  // TUNER
    {205, {{{221, 78, 262, 85}, No,                {289, 82, 324, 89}}}}, // CLASS-A
    {206, {{{362, 2, 392, 9},   {38, 79, 71, 86},  {440, 3, 470, 10}}}},  // HI-SWR
    {207, {{{186, 78, 219, 85}, {74, 79, 109, 86}, {257, 82, 288, 89}}}}, // MIC EQ
    {208, {{{288, 78, 313, 85}, {134, 79, 159, 86}, {289, 74, 320, 81}}}}, // PLAY
    {209, {{{264, 78, 287, 85}, {110, 79, 131, 86}, {257, 74, 288, 81}}}}, // REC
    {210, {{{321, 78, 346, 85}, {454, 68, 479, 75}, {414, 69, 439, 76}}}}, // CLAR
    {211, {{{347, 78, 368, 85}, {449, 77, 466, 84}, {440, 69, 453, 76}}}}, // MR
    {212, {{{369, 78, 390, 85}, {467, 77, 484, 84}, {454, 69, 467, 76}}}}, // MT
    {213, {{{432, 69, 451, 76}, No,                No}}},                 // AGC (B heading)
    {214, {{{30, 51, 75, 58},   {193, 51, 238, 58}, No}}},                // CONTOUR
    {215, {{{30, 60, 75, 67},   {193, 60, 238, 67}, No}}},                // NOTCH
    {216, {{{30, 69, 75, 76},   {193, 69, 238, 76}, No}}},                // WIDTH
    {217, {{{30, 78, 75, 85},   {193, 78, 238, 85}, No}}},                // SHIFT
    {218, {{No,                 No,                {7, 21, 14, 28}}}},    // A
    {219, {{No,                 No,                {7, 70, 13, 77}}}},    // B
};
// clang-format on

const TEntry* FindEntry(int id)
{
    for (const TEntry& e : PositionTable)
        if (e.Id == id)
            return &e;
    return nullptr;
}

// A group's labels on one model before the state is applied.
struct TLabel {
    int Id;
    const char* Text;
    int Offset;
    bool Lit;
};

bool AGCLit(int index, TAGC agc)
{
    switch (index) {
    case 0: return agc == agcAuto || agc == agcAutoFast || agc == agcAutoMid || agc == agcAutoSlow;
    case 1: return agc == agcFast || agc == agcAutoFast;
    case 2: return agc == agcMid || agc == agcAutoMid;
    default: return agc == agcSlow || agc == agcAutoSlow;
    }
}

// Mode labels in the order LSB, USB, CW, AM, FM, RTTY, PKT.
bool ModeLit(int index, TMode m)
{
    switch (index) {
    case 0: return m == mdLSB || m == mdFSK || m == mdCW_R || m == mdPKT_L;
    case 1: return m == mdUSB || m == mdCW || m == mdFSK_R || m == mdPKT_U;
    case 2: return m == mdCW || m == mdCW_R;
    case 3: return m == mdAM;
    case 4: return m == mdFM || m == mdPKT_FM || m == mdFM_N;
    case 5: return m == mdFSK || m == mdFSK_R;
    default: return m == mdPKT_L || m == mdPKT_FM || m == mdPKT_U;
    }
}

bool RoofingLit(const char* which, TRoofingFilter f)
{
    const QString w = QString::fromLatin1(which);
    if (w == QLatin1String("AUTO"))
        return f == rfltAuto || f == rfltAuto15kHz || f == rfltAuto6kHz || f == rfltAuto3kHz ||
               f == rfltAuto600Hz || f == rfltAuto300Hz;
    if (w == QLatin1String("300"))
        return f == rflt300Hz || f == rfltAuto300Hz;
    if (w == QLatin1String("600"))
        return f == rflt600Hz || f == rfltAuto600Hz;
    if (w.startsWith(QLatin1String("3k")))
        return f == rflt3kHz || f == rfltAuto3kHz;
    if (w.startsWith(QLatin1String("6k")))
        return f == rflt6kHz || f == rfltAuto6kHz;
    return f == rflt15kHz || f == rfltAuto15kHz;
}

struct TGroupLook {
    TLcdPrimitive Primitive = TLcdPrimitive::Filled;
    uint32_t Color = clLitGreen;
    std::vector<TLabel> Labels;
    // Labels that always show lit in another colour or primitive (the FT-2000's AGC B heading).
    std::vector<TLcdItem> Extra;
};

TGroupLook GroupLook(TLcdGroup group, int m, const TDisplay* s)
{
    const bool fm = m == 2; // FT DX 5000: plain labels for most columns
    auto on = [s](bool v) { return s && v; };
    TGroupLook g;
    switch (group) {
    case TLcdGroup::AGCA: {
        const TAGC v = s ? s->AGCA() : agcOff;
        g.Primitive = fm ? TLcdPrimitive::Plain : TLcdPrimitive::Filled;
        g.Labels = {{53, "AUTO", fm ? 0 : 1, on(AGCLit(0, v))},
                    {54, "FAST", fm ? 1 : 2, on(AGCLit(1, v))},
                    {55, "MID", fm ? 3 : 4, on(AGCLit(2, v))},
                    {56, "SLOW", fm ? 0 : 2, on(AGCLit(3, v))}};
        break;
    }
    case TLcdGroup::AGCB: {
        const TAGC v = s ? s->AGCB() : agcOff;
        if (m == 0) {
            g.Primitive = TLcdPrimitive::Outlined;
            g.Color = clSubGrey;
            g.Extra = {{213, QStringLiteral("AGC"), TLcdPrimitive::Filled, 1, clSubGrey, true}};
            g.Labels = {{57, "A", 2, on(AGCLit(0, v))},
                        {58, "F", 2, on(AGCLit(1, v))},
                        {59, "M", 2, on(AGCLit(2, v))},
                        {60, "S", 3, on(AGCLit(3, v))}};
        } else if (m == 2) {
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{57, "AUTO", 0, on(AGCLit(0, v))},
                        {58, "FAST", 1, on(AGCLit(1, v))},
                        {59, "MID", 3, on(AGCLit(2, v))},
                        {60, "SLOW", 0, on(AGCLit(3, v))}};
        }
        break;
    }
    case TLcdGroup::AntennaA: {
        const TAntenna v = s ? s->AntennaA() : ant1;
        if (fm) {
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{12, "1", 1, on(v == ant1)}, {13, "2", 0, on(v == ant2)},
                        {14, "3", 0, on(v == ant3)}, {15, "4", 0, on(v == ant4)}};
        } else {
            g.Labels = {{12, "1", 6, on(v == ant1)}, {13, "2", 6, on(v == ant2)}};
        }
        break;
    }
    case TLcdGroup::AntennaB:
        if (fm) {
            const TAntenna v = s ? s->AntennaB() : ant1;
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{18, "1", 1, on(v == ant1)}, {19, "2", 0, on(v == ant2)},
                        {20, "3", 0, on(v == ant3)}, {21, "4", 0, on(v == ant4)}};
        }
        break;
    case TLcdGroup::AntennaRXA:
        if (m == 0)
            g.Labels = {{16, "RX", 2, on(s && s->AntennaRXA())}};
        else if (fm) {
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{17, "RX", 1, on(s && s->AntennaRXA())}};
        }
        break;
    case TLcdGroup::AntennaRXB:
        if (fm) {
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{22, "RX", 1, on(s && s->AntennaRXB())}};
        }
        break;
    case TLcdGroup::Tuner:
        g.Color = clTransmitRed;
        g.Labels = {{204, "TUNER", 1, on(s && s->AntennaTuner() != atOff)}};
        break;
    case TLcdGroup::AttenuatorA: {
        const TAttenuator v = s ? s->AttenuatorA() : attOff;
        g.Primitive = fm ? TLcdPrimitive::Plain : TLcdPrimitive::Filled;
        g.Labels = {{23, "OFF", fm ? 1 : 3, on(v == attOff)},
                    {24, "-6dB", fm ? 1 : 3, on(v == att6dB)},
                    {25, "-12dB", fm ? 0 : 1, on(v == att12dB)},
                    {26, "-18dB", fm ? 0 : 1, on(v == att18dB)}};
        break;
    }
    case TLcdGroup::AttenuatorB:
        if (fm) {
            const TAttenuator v = s ? s->AttenuatorB() : attOff;
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{27, "OFF", 1, on(v == attOff)}, {28, "-6dB", 1, on(v == att6dB)},
                        {29, "-12dB", 0, on(v == att12dB)}, {30, "-18dB", 0, on(v == att18dB)}};
        }
        break;
    case TLcdGroup::BreakIn:
        g.Color = clTransmitRed;
        g.Labels = {{3, "BK-IN", 1, on(s && s->BreakIn())}};
        break;
    case TLcdGroup::BusyA:
        g.Labels = {{202, "BUSY", 2, on(s && s->BusyA())}};
        break;
    case TLcdGroup::BusyB:
        g.Labels = {{203, "BUSY", 2, on(s && s->BusyB())}};
        break;
    case TLcdGroup::Clarifier:
        g.Color = m == 1 ? clTransmitRed : clLitGreen;
        g.Labels = {{210, "CLAR", 1, on(s && s->Clarifier())}};
        break;
    case TLcdGroup::DNF:
        g.Color = clLabelBlue;
        g.Labels = {{75, "DNF", 2, on(s && s->DNF())}};
        break;
    case TLcdGroup::DNR:
        g.Color = clLabelBlue;
        g.Labels = {{76, "DNR", 2, on(s && s->DNR())}};
        break;
    case TLcdGroup::FastA:
        g.Color = clLabelBlue;
        g.Labels = {{8, "FAST", 1, on(s && s->FastStepA())}};
        break;
    case TLcdGroup::FastB:
        g.Color = clSubGrey;
        g.Labels = {{9, "FAST", 1, on(s && s->FastStepB())}};
        break;
    case TLcdGroup::IPOA: {
        const TIPO v = s ? s->IPOA() : ipoAmp1;
        if (fm) {
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{36, "AMP1", 0, on(v == ipoAmp1)}, {37, "AMP2", 0, on(v == ipoAmp2)},
                        {38, "IPO1", 0, on(v == ipo1)}, {39, "IPO2", 0, on(v == ipo2)}};
        } else {
            g.Labels = {{36, "AMP1", 2, on(v == ipoAmp1)}, {37, "AMP2", 1, on(v == ipoAmp2)},
                        {38, "ON", 6, on(v == ipo1)}};
        }
        break;
    }
    case TLcdGroup::IPOB:
        if (fm) {
            const TIPO v = s ? s->IPOB() : ipoAmp1;
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{40, "AMP1", 0, on(v == ipoAmp1)}, {41, "AMP2", 0, on(v == ipoAmp2)},
                        {42, "IPO1", 0, on(v == ipo1)}};
        }
        break;
    case TLcdGroup::Keyer:
        g.Color = clTransmitRed;
        g.Labels = {{2, "KEYER", 1, on(s && s->Keyer())}};
        break;
    case TLcdGroup::LockA:
        g.Color = clLabelBlue;
        g.Labels = {{10, "LOCK", 1, on(s && s->LockA())}};
        break;
    case TLcdGroup::LockB:
        g.Color = clSubGrey;
        g.Labels = {{11, "LOCK", 1, on(s && s->LockB())}};
        break;
    case TLcdGroup::ModeA:
    case TLcdGroup::ModeB: {
        const bool a = group == TLcdGroup::ModeA;
        // The FT-2000 shows only the sub receiver's modes, the FT-950 only the main one's.
        if ((a && m == 0) || (!a && m == 1))
            break;
        const TMode v = s ? (a ? s->ModeA() : s->ModeB()) : mdCW;
        const int first = a ? 61 : 68;
        static const char* const texts[7] = {"LSB", "USB", "CW", "AM", "FM", "RTTY", "PKT"};
        static const int offsetsA[7] = {3, 3, 4, 4, 4, 1, 1};
        static const int offsetsB[7] = {2, 2, 3, 3, 3, 1, 1};
        g.Color = a ? clLabelBlue : clSubGrey;
        for (int i = 0; i < 7; ++i)
            g.Labels.push_back({first + i, texts[i], fm ? 1 : (a ? offsetsA[i] : offsetsB[i]),
                                on(ModeLit(i, v))});
        break;
    }
    case TLcdGroup::Monitor:
        g.Color = clTransmitRed;
        g.Labels = {{1, "MONI", 1, on(s && s->Monitor())}};
        break;
    case TLcdGroup::NarrowA:
        g.Labels = {{4, "NAR", 1, on(s && s->NarrowA())}};
        break;
    case TLcdGroup::NarrowB:
        g.Color = clSubGrey;
        g.Labels = {{5, "NAR", m == 0 ? 4 : 1, on(s && s->NarrowB())}};
        break;
    case TLcdGroup::NoiseBlankerA: {
        const TNoiseBlanker v = s ? s->NoiseBlankerA() : nbOff;
        g.Labels = {{6, "NB", 1, on(v == nbOn || v == nbWide)}, {77, "W", 1, on(v == nbWide)}};
        break;
    }
    case TLcdGroup::NoiseBlankerB: {
        const TNoiseBlanker v = s ? s->NoiseBlankerB() : nbOff;
        g.Color = clSubGrey;
        if (m == 0)
            g.Labels = {{7, "NB", 7, on(v == nbOn || v == nbWide)}};
        else if (fm)
            g.Labels = {{7, "NB", 1, on(v == nbOn || v == nbWide)}, {78, "W", 1, on(v == nbWide)}};
        break;
    }
    case TLcdGroup::Processor:
        g.Color = clTransmitRed;
        g.Labels = {{0, "PROC", 1, on(s && s->Processor())}};
        break;
    case TLcdGroup::ClassA:
        g.Color = clTransmitRed;
        g.Labels = {{205, "CLASS-A", m == 0 ? 4 : 1, on(s && s->RIClassA())}};
        break;
    case TLcdGroup::HiSWR:
        g.Color = clTransmitRed;
        g.Labels = {{206, "HI-SWR", 1, on(s && s->RIHiSWR())}};
        break;
    case TLcdGroup::MicEq:
        g.Color = clTransmitRed;
        g.Labels = {{207, "MIC EQ", 1, on(s && s->RIMicEq())}};
        break;
    case TLcdGroup::Play:
        g.Color = clTransmitRed;
        g.Labels = {{208, "PLAY", 1, on(s && s->RIPlay())}};
        break;
    case TLcdGroup::Rec:
        g.Color = clTransmitRed;
        g.Labels = {{209, "REC", m == 0 ? 3 : (m == 1 ? 2 : 1), on(s && s->RIRec())}};
        break;
    case TLcdGroup::RoofingFilterA: {
        const TRoofingFilter v = s ? s->RoofingFilterA() : rfltAuto3kHz;
        if (fm) {
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{44, "300", 1, on(RoofingLit("300", v))}, {45, "600", 1, on(RoofingLit("600", v))},
                        {46, "3k", 3, on(RoofingLit("3k", v))},   {47, "6k", 3, on(RoofingLit("6k", v))},
                        {48, "15k", 2, on(RoofingLit("15k", v))}, {43, "AUTO", 1, on(RoofingLit("AUTO", v))}};
        } else {
            g.Labels = {{43, "AUTO", 1, on(RoofingLit("AUTO", v))}, {46, "3kHz", 3, on(RoofingLit("3k", v))},
                        {47, "6kHz", 3, on(RoofingLit("6k", v))}, {48, "15kHz", 1, on(RoofingLit("15k", v))}};
        }
        break;
    }
    case TLcdGroup::RoofingFilterB:
        if (fm) {
            const TRoofingFilter v = s ? s->RoofingFilterB() : rfltAuto3kHz;
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{49, "3k", 3, on(RoofingLit("3k", v))}, {50, "6k", 3, on(RoofingLit("6k", v))},
                        {51, "15k", 2, on(RoofingLit("15k", v))}, {52, "AUTO", 1, on(RoofingLit("AUTO", v))}};
        }
        break;
    case TLcdGroup::TXA:
        g.Color = clTransmitRed;
        g.Labels = {{200, "TX", 6, on(s && s->TXSetA())}};
        break;
    case TLcdGroup::TXB:
        g.Color = clTransmitRed;
        g.Labels = {{201, "TX", 6, on(s && s->TXSetB())}};
        break;
    case TLcdGroup::MRMT: {
        const TVFOMemoryMode v = s ? s->VFOMemoryMode() : vmVFOMode;
        const int offset = m == 0 ? 5 : (m == 1 ? 3 : 1);
        g.Color = m == 0 ? clLitGreen : clTransmitRed;
        g.Labels = {{211, "MR", offset, on(v == vmMemoryMode)}, {212, "MT", offset, on(v == vmMemoryTune)}};
        break;
    }
    case TLcdGroup::VRFA:
    case TLcdGroup::VRFB: {
        const bool a = group == TLcdGroup::VRFA;
        if (!a && !fm)
            break;
        const TVRFState st = s ? (a ? s->VRFStateA() : s->VRFStateB()) : vrfStateOff;
        const TVRFType ty = s ? (a ? s->VRFTypeA() : s->VRFTypeB()) : vrfTypeVRF;
        const bool vrf = on(st == vrfStateOn && ty == vrfTypeVRF);
        const bool tune = on(st == vrfStateOn && ty == vrfuTuneTypeOn);
        const bool thru = on(st == vrfStateOff);
        if (!a) {
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{34, "VRF", 3, vrf}, {35, "THRU", 0, thru}};
        } else if (fm) {
            g.Primitive = TLcdPrimitive::Plain;
            g.Labels = {{31, "VRF", 3, vrf}, {32, "u-T", 5, tune}, {33, "THRU", 0, thru}};
        } else {
            g.Labels = {{31, "VRF", 4, vrf}, {32, "u-TUNE", 1, tune}, {33, "THRU", 1, thru}};
        }
        break;
    }
    case TLcdGroup::ContourRow:
    case TLcdGroup::WidthRow:
    case TLcdGroup::ShiftRow:
    case TLcdGroup::NotchRow:
        break;
    }
    return g;
}

std::vector<TLcdItem> Items(TLcdGroup group, int modelIndex, const TDisplay* state)
{
    std::vector<TLcdItem> items;
    if (modelIndex < 0 || modelIndex >= ModelCount)
        return items;
    const TGroupLook look = GroupLook(group, modelIndex, state);
    for (const TLcdItem& e : look.Extra)
        if (Position(e.Id, modelIndex).OnModel())
            items.push_back(e);
    for (const TLabel& l : look.Labels)
        if (Position(l.Id, modelIndex).OnModel())
            items.push_back({l.Id, QString::fromLatin1(l.Text), look.Primitive, l.Offset, look.Color, l.Lit});
    return items;
}

QRect RowRect(int x0, int y, int height)
{
    return QRect(x0, y, 9 * (DSPCellCount - 1) + 8, height);
}

} // namespace

int ModelIndex(TTransceiver t)
{
    switch (t) {
    case FT950: return 1;
    case FTDX5000: return 2;
    default: return 0;
    }
}

bool IsPositionId(int id)
{
    return (id >= 0 && id <= 78) || (id >= 200 && id <= 219);
}

TLcdRect Position(int id, int modelIndex)
{
    const TEntry* e = FindEntry(id);
    if (!e || modelIndex < 0 || modelIndex >= ModelCount)
        return No;
    return e->Rects[size_t(modelIndex)];
}

int HotRowAt(int modelIndex, int x, int y)
{
    for (int id = 0; id <= 78; ++id) {
        const TLcdRect r = Position(id, modelIndex);
        if (r.OnModel() && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return id;
    }
    return -1;
}

std::vector<TLcdItem> GroupItems(TLcdGroup group, int modelIndex, const TDisplay& state)
{
    return Items(group, modelIndex, &state);
}

QRect ItemBounds(const TLcdItem& item, int modelIndex)
{
    const TLcdRect r = Position(item.Id, modelIndex);
    if (!r.OnModel())
        return {};
    if (item.Primitive == TLcdPrimitive::Plain || r.IsOrigin()) {
        // Glyph strokes reach one pixel left of and below their cell; the micro sign has a descender.
        return QRect(r.Left + item.Offset - 1, r.Top - 1, TextAdvance(item.Text) + 2, 8);
    }
    // A box covers Left..Right and Top..Bottom (the outline includes its far edges).
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom));
}

QRect GroupRect(TLcdGroup group, int modelIndex)
{
    const int x0 = DSPRowX0(modelIndex);
    switch (group) {
    case TLcdGroup::ContourRow:
        return x0 < 0 ? QRect() : RowRect(x0, ContourUpperY, ContourLowerY - ContourUpperY + 1);
    case TLcdGroup::NotchRow:
        return x0 < 0 ? QRect() : RowRect(x0, NotchUpperY, NotchLowerY - NotchUpperY + 1);
    case TLcdGroup::WidthRow:
        return x0 < 0 ? QRect() : RowRect(x0, WidthRowY, 2);
    case TLcdGroup::ShiftRow:
        return x0 < 0 ? QRect() : RowRect(x0, ShiftRowY, 2);
    default:
        break;
    }
    QRect bounds;
    for (const TLcdItem& item : Items(group, modelIndex, nullptr))
        bounds |= ItemBounds(item, modelIndex);
    return bounds;
}

int DSPRowX0(int modelIndex)
{
    switch (modelIndex) {
    case 0: return 81;
    case 1: return 244;
    default: return -1;
    }
}

int ContourPeak(int modelIndex, int level)
{
    if (modelIndex == 1)
        return int(std::lround(level / 2.9));
    if (level < 0)
        return 0;
    if (level <= 1)
        return 0;
    if (level >= 42)
        return NoPosition;
    return (level - 2) / 4 + 1;
}

int APFCell(int keyPitch)
{
    if (keyPitch < 6)
        return 1;
    if (keyPitch <= 13)
        return 2;
    return 3;
}

int NotchPosition(int modelIndex, int level)
{
    if (level < 0 || level > 999)
        return NoPosition;
    // Upper ends of positions 0..9; everything above up to 999 is position 10.
    static const int ft2000[10] = {19, 59, 99, 139, 179, 219, 259, 299, 339, 379};
    static const int ft950[10] = {27, 54, 81, 108, 135, 162, 189, 216, 243, 270};
    const int* upper = modelIndex == 1 ? ft950 : ft2000;
    for (int p = 0; p < 10; ++p)
        if (level <= upper[p])
            return p;
    return 10;
}

std::bitset<DSPCellCount> WidthCells(int bars)
{
    std::bitset<DSPCellCount> cells;
    cells.set();
    // Pairs go dark from the outside in as the filter narrows; the centre cell always shows.
    static const int limits[5] = {11, 9, 7, 5, 3};
    for (int i = 0; i < 5; ++i)
        if (bars < limits[i]) {
            cells.reset(size_t(i));
            cells.reset(size_t(DSPCellCount - 1 - i));
        }
    return cells;
}

int ShiftCell(int hz)
{
    if (hz < -9999 || hz > 9999)
        return 5;
    static const int upper[10] = {-600, -400, -200, -100, -20, 19, 99, 199, 399, 599};
    for (int c = 0; c < 10; ++c)
        if (hz <= upper[c])
            return c;
    return 10;
}

TRowCells ContourCells(int modelIndex, const TDisplay& state)
{
    TRowCells cells;
    if (DSPRowX0(modelIndex) < 0)
        return cells;
    auto lit = [](bool v) { return v ? TCellLine::Lit : TCellLine::Dim; };
    if (state.Contour() == conOn) {
        const int p = ContourPeak(modelIndex, state.ContourLevel());
        const bool dip = state.ContourGain() < 0;
        for (int k = 0; k < DSPCellCount; ++k) {
            const bool near = k >= p - 1 && k <= p + 1;
            if (dip) {
                cells.Upper[size_t(k)] = lit(!near);
                cells.Lower[size_t(k)] = lit(k != p);
            } else {
                cells.Upper[size_t(k)] = lit(k == p);
                cells.Lower[size_t(k)] = lit(near);
            }
        }
    } else if (state.Contour() == conAPF) {
        const int q = APFCell(state.KeyPitch());
        cells.Upper[size_t(q)] = TCellLine::Lit;
        for (int k = q - 1; k <= q + 1; ++k)
            cells.Lower[size_t(k)] = TCellLine::Lit;
    }
    return cells;
}

TRowCells NotchCells(int modelIndex, const TDisplay& state)
{
    TRowCells cells;
    if (DSPRowX0(modelIndex) < 0 || !state.NotchA())
        return cells;
    const int p = NotchPosition(modelIndex, state.NotchLevelA());
    for (int k = 0; k < DSPCellCount; ++k) {
        const TCellLine line = (k == p - 1 || k == p + 1) ? TCellLine::Lit : TCellLine::Dim;
        cells.Upper[size_t(k)] = line;
        cells.Lower[size_t(k)] = line;
    }
    return cells;
}

} // namespace lcd
