#include "core/cat/RX.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/VRF.h"

#include <optional>

namespace {

// A width table as runs of codes: every code up to Last has Width.  Codes past the last run
// read as 200 Hz, the width the computation starts from.
struct TWidthRun {
    uint8_t Last;
    int16_t Width;
};

template <size_t N>
int32_t widthOf(const TWidthRun (&runs)[N], int code)
{
    if (code < 0)
        return 200;
    for (const TWidthRun& r : runs) {
        if (code <= r.Last)
            return r.Width;
    }
    return 200;
}

// FT2000 and FT2000D.
const TWidthRun FT2000SSB[] = {{1, 200},   {2, 400},   {3, 600},   {4, 850},   {5, 1100},  {6, 1350},  {7, 1500},
                               {8, 1650},  {9, 1800},  {10, 1950}, {12, 2100}, {14, 2250}, {17, 2400}, {19, 2450},
                               {20, 2500}, {21, 2600}, {22, 2700}, {23, 2800}, {24, 2900}, {25, 3000}, {26, 3200},
                               {27, 3400}, {28, 3600}, {29, 3800}, {31, 4000}};
const TWidthRun FT2000CW[] = {{0, 200},  {1, 25},    {2, 50},    {3, 100},   {4, 200},   {5, 300},   {6, 400},
                              {7, 500},  {8, 800},   {9, 1200},  {10, 1400}, {12, 1700}, {14, 2000}, {31, 2400}};
const TWidthRun FT2000Data[] = {{0, 200},   {1, 25},    {3, 50},    {5, 100},   {8, 200},   {11, 300},  {14, 400},
                                {17, 500},  {20, 800},  {23, 1200}, {25, 1400}, {27, 1700}, {29, 2000}, {31, 2400}};

// CW narrow widths by the menu row 0..11: each row shifts the same ladder of widths.
const TWidthRun CWNarrow[12][12] = {
    {{17, 25}, {19, 50}, {21, 100}, {22, 200}, {23, 300}, {24, 400}, {25, 500}, {26, 800}, {27, 1200}, {28, 1400},
     {29, 1700}, {31, 2000}},
    {{14, 25}, {17, 50}, {19, 100}, {21, 200}, {23, 300}, {24, 400}, {25, 500}, {26, 800}, {27, 1200}, {28, 1400},
     {29, 1700}, {31, 2000}},
    {{12, 25}, {14, 50}, {17, 100}, {19, 200}, {21, 300}, {23, 400}, {25, 500}, {26, 800}, {27, 1200}, {28, 1400},
     {29, 1700}, {31, 2000}},
    {{10, 25}, {12, 50}, {14, 100}, {17, 200}, {19, 300}, {21, 400}, {23, 500}, {25, 800}, {27, 1200}, {28, 1400},
     {29, 1700}, {31, 2000}},
    {{8, 25}, {10, 50}, {12, 100}, {14, 200}, {17, 300}, {19, 400}, {21, 500}, {23, 800}, {25, 1200}, {27, 1400},
     {29, 1700}, {31, 2000}},
    {{6, 25}, {8, 50}, {10, 100}, {12, 200}, {14, 300}, {17, 400}, {19, 500}, {21, 800}, {23, 1200}, {25, 1400},
     {27, 1700}, {31, 2000}},
    {{4, 25}, {6, 50}, {8, 100}, {10, 200}, {12, 300}, {14, 400}, {17, 500}, {19, 800}, {21, 1200}, {23, 1400},
     {25, 1700}, {31, 2000}},
    {{2, 25}, {4, 50}, {6, 100}, {8, 200}, {10, 300}, {12, 400}, {14, 500}, {17, 800}, {19, 1200}, {21, 1400},
     {23, 1700}, {31, 2000}},
    {{1, 25}, {2, 50}, {4, 100}, {6, 200}, {8, 300}, {10, 400}, {12, 500}, {14, 800}, {17, 1200}, {19, 1400},
     {21, 1700}, {31, 2000}},
    {{1, 25}, {2, 50}, {3, 100}, {4, 200}, {6, 300}, {8, 400}, {10, 500}, {12, 800}, {14, 1200}, {17, 1400},
     {19, 1700}, {31, 2000}},
    {{1, 25}, {2, 50}, {3, 100}, {4, 200}, {5, 300}, {6, 400}, {8, 500}, {10, 800}, {12, 1200}, {14, 1400},
     {17, 1700}, {31, 2000}},
    {{1, 25}, {2, 50}, {3, 100}, {4, 200}, {5, 300}, {6, 400}, {7, 500}, {8, 800}, {10, 1200}, {12, 1400},
     {14, 1700}, {31, 2000}},
};

// FT950.
const TWidthRun FT950SSB[] = {{9, 1800},  {10, 1950}, {11, 2100}, {12, 2250}, {13, 2400}, {14, 2450},
                              {15, 2500}, {16, 2600}, {17, 2700}, {18, 2800}, {19, 2900}, {31, 3000}};
const TWidthRun FT950SSBNarrow[] = {{0, 1800}, {1, 200},   {2, 400},  {3, 600},  {4, 850},
                                    {5, 1100}, {6, 1350},  {7, 1500}, {8, 1650}, {31, 1800}};
const TWidthRun FT950Other[] = {{0, 2400},  {7, 500},   {8, 800},   {9, 1200},
                                {10, 1400}, {11, 1700}, {12, 2000}, {31, 2400}};
const TWidthRun FT950CWNarrow[] = {{0, 500}, {3, 100}, {4, 200}, {5, 300}, {6, 400}, {31, 500}};
const TWidthRun FT950DataNarrow[] = {{0, 300}, {3, 100}, {4, 200}, {5, 300}, {6, 400}, {31, 500}};

// FTDX5000; the codes outside each control range read as 200 Hz.
const TWidthRun FTDX5000SSB[] = {{6, 200},   {7, 1500},  {8, 1650},  {9, 1800},  {10, 1950}, {11, 2100},
                                 {12, 2250}, {14, 2400}, {15, 2500}, {16, 2600}, {17, 2700}, {18, 2800},
                                 {19, 2900}, {20, 3000}, {21, 3200}, {22, 3400}, {23, 3600}, {24, 3800},
                                 {25, 4000}, {31, 200}};
const TWidthRun FTDX5000SSBNarrow[] = {{1, 200},  {2, 400},  {3, 600},  {4, 850},
                                       {5, 1100}, {6, 1350}, {7, 1500}, {31, 200}};
const TWidthRun FTDX5000Other[] = {{9, 200},   {10, 500},  {11, 800},  {12, 1200}, {13, 1400},
                                   {14, 1700}, {15, 2000}, {16, 2400}, {31, 200}};
const TWidthRun FTDX5000OtherNarrow[] = {{0, 200}, {1, 50},  {2, 100}, {3, 150}, {4, 200}, {5, 250},
                                         {6, 300}, {7, 350}, {8, 400}, {9, 450}, {10, 500}, {31, 200}};

enum class TModeGroup { SSB, CW, RTTY, Packet, AM, FM };

TModeGroup modeGroup(TMode m)
{
    switch (m) {
    case mdLSB:
    case mdUSB:
        return TModeGroup::SSB;
    case mdCW:
    case mdCW_R:
        return TModeGroup::CW;
    case mdFSK:
    case mdFSK_R:
        return TModeGroup::RTTY;
    case mdPKT_L:
    case mdPKT_U:
        return TModeGroup::Packet;
    case mdAM:
        return TModeGroup::AM;
    case mdFM:
    case mdPKT_FM:
    case mdFM_N:
        return TModeGroup::FM;
    }
    return TModeGroup::CW;
}

// Number of bars the LCD draws for the width of VFO A.
uint8_t barsFor(TMode mode, int32_t f, bool narrow)
{
    switch (modeGroup(mode)) {
    case TModeGroup::SSB:
        if (f >= 200 && f <= 600)
            return 1;
        if (f >= 850 && f <= 1350)
            return 3;
        if (f >= 1500 && f <= 1800)
            return 5;
        if (f >= 1950 && f <= 2600)
            return 7;
        if (f >= 2700 && f <= 2900)
            return 9;
        return 11;
    case TModeGroup::CW:
    case TModeGroup::RTTY:
    case TModeGroup::Packet:
        switch (f) {
        case 25:
        case 50:
            return 1;
        case 100:
        case 200:
            return 3;
        case 300:
        case 400:
            return 5;
        case 500:
            return 7;
        case 800:
        case 1200:
            return 9;
        default:
            return 11;
        }
    case TModeGroup::AM:
    case TModeGroup::FM:
        return narrow ? 5 : 7;
    }
    return 11;
}

} // namespace

const std::array<int32_t, 12> TRX::SSBNarrowWidths = {200, 400, 600, 850, 1100, 1350, 1500, 1650, 1800, 1950, 2100, 2250};
const std::array<int32_t, 6> TRX::RTTYNarrowWidths = {25, 50, 100, 200, 300, 400};
const std::array<int32_t, 6> TRX::PacketNarrowWidths = {25, 50, 100, 200, 300, 400};

int32_t TRX::CWNarrowWidth(int row, int code)
{
    if (row < 0 || row > 11)
        return 200;
    return widthOf(CWNarrow[row], code);
}

TRX::TRX(TFTCATInterface* owner)
    : FOwner(owner)
    , FVRF(new TVRF(owner))
{
}

TRX::~TRX()
{
    delete FVRF;
}

void TRX::SetAFGain(uint8_t AVFO, uint8_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FAFGain[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("AG%d%.3d", v, value));
        return;
    }
    FAFGain[v] = value;
    Fire(FOwner->OnAFGain, v, value);
}

void TRX::SetAGC(uint8_t AVFO, TAGC value)
{
    const uint8_t v = AVFO & 1;
    if (value == FAGC[v])
        return;
    if (FOwner->UserCommand()) {
        // The radio's automatic AGC choices are reported, never selected.
        if (value <= agcAuto)
            FOwner->SendCATCommand(QString::asprintf("GT%d%d", v, int(value)));
        return;
    }
    FAGC[v] = value;
    Fire(FOwner->OnAGC, v, value);
}

void TRX::SetAPFOffset(uint8_t AVFO, int32_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FAPFOffset[v])
        return;
    value = ClampInt(value, 0, 50);
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("CO%d2%.2d", v, value));
        return;
    }
    FAPFOffset[v] = uint8_t(value);
    FAPFOffsetFrequency[v] = value * 10 - 250;
    Fire(FOwner->OnAPFOffset, v, FAPFOffset[v]);
}

void TRX::SetAttenuator(uint8_t AVFO, TAttenuator value)
{
    const uint8_t v = AVFO & 1;
    if (value == FAttenuator[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("RA%d%d", v, int(value)));
        return;
    }
    FAttenuator[v] = value;
    Fire(FOwner->OnAttenuator, v, value);
}

void TRX::SetAutoNotch(uint8_t AVFO, bool value)
{
    const uint8_t v = AVFO & 1;
    if (value == FAutoNotch[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("BC%d", v) + BoolToCATChar(value));
        return;
    }
    FAutoNotch[v] = value;
    Fire(FOwner->OnAutoNotch, v, value);
}

void TRX::SetContour(uint8_t AVFO, TContour value)
{
    const uint8_t v = AVFO & 1;
    if (value == FContour[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("CO%d00%d", v, int(value)));
        return;
    }
    FContour[v] = value;
    Fire(FOwner->OnContour, v, value);
}

void TRX::SetContourLevel(uint8_t AVFO, int32_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FContourLevel[v])
        return;
    value = ClampInt(value, 1, FOwner->Transceiver() == FT950 ? 30 : 40);
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("CO%d1%.2d", v, value));
        return;
    }
    FContourLevel[v] = uint8_t(value);
    Fire(FOwner->OnContourLevel, v, FContourLevel[v]);
}

void TRX::SetFilterWidth(uint8_t AVFO, int32_t value)
{
    // No equality test: a repeated answer still refreshes the width display.
    const uint8_t v = AVFO & 1;
    const TTransceiver model = FOwner->Transceiver();
    value = ClampInt(value, 0, model == FT950 ? 20 : model == FTDX5000 ? 25 : 31);
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("SH%d%.2d", v, value));
        return;
    }
    FFilterWidth[v] = uint8_t(value);
    UpdateFilterWidth(v);
}

void TRX::SetIFShift(uint8_t AVFO, int32_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FIFShift[v])
        return;
    value = ClampInt(value, -1000, 1000);
    if (FOwner->UserCommand()) {
        if (value > 0)
            FOwner->SendCATCommand(QString::asprintf("IS%d+%.4d", v, value));
        else
            FOwner->SendCATCommand(QString::asprintf("IS%d-%.4d", v, -value));
        return;
    }
    FIFShift[v] = value;
    Fire(FOwner->OnIFShift, v, value);
}

void TRX::SetIPO(uint8_t AVFO, TIPO value)
{
    const uint8_t v = AVFO & 1;
    if (value == FIPO[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("PA%d%d", v, int(value)));
        return;
    }
    FIPO[v] = value;
    Fire(FOwner->OnIPO, v, value);
}

void TRX::SetNarrow(uint8_t AVFO, bool value)
{
    const uint8_t v = AVFO & 1;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("NA%d", v) + BoolToCATChar(value));
        return;
    }
    FNarrow[v] = value;
    Fire(FOwner->OnNarrow, v, value);
    UpdateFilterWidth(v);
}

void TRX::SetNoiseBlanker(uint8_t AVFO, TNoiseBlanker value)
{
    const uint8_t v = AVFO & 1;
    if (value == FNoiseBlanker[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("NB%d%d", v, int(value)));
        return;
    }
    FNoiseBlanker[v] = value;
    Fire(FOwner->OnNoiseBlanker, v, value);
}

void TRX::SetNoiseBlankerLevel(uint8_t AVFO, uint8_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FNoiseBlankerLevel[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("NL%d%.3d", v, value));
        return;
    }
    FNoiseBlankerLevel[v] = value;
    Fire(FOwner->OnNoiseBlankerLevel, v, value);
}

void TRX::SetNoiseReduction(uint8_t AVFO, bool value)
{
    const uint8_t v = AVFO & 1;
    if (value == FNoiseReduction[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("NR%d", v) + BoolToCATChar(value));
        return;
    }
    FNoiseReduction[v] = value;
    Fire(FOwner->OnNoiseReduction, v, value);
}

void TRX::SetNoiseReductionLevel(uint8_t AVFO, int32_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FNoiseReductionLevel[v])
        return;
    value = ClampInt(value, 1, 15);
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("RL%d%.2d", v, value));
        return;
    }
    FNoiseReductionLevel[v] = uint8_t(value);
    Fire(FOwner->OnNoiseReductionLevel, v, FNoiseReductionLevel[v]);
}

void TRX::SetNotch(uint8_t AVFO, bool value)
{
    const uint8_t v = AVFO & 1;
    if (value == FNotch[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("BP%d000", v) + BoolToCATChar(value));
        return;
    }
    FNotch[v] = value;
    Fire(FOwner->OnNotch, v, value);
}

void TRX::SetNotchLevel(uint8_t AVFO, int32_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FNotchLevel[v])
        return;
    value = ClampInt(value, 1, FOwner->Transceiver() == FT950 ? 300 : 400);
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("BP%d1%.3d", v, value));
        return;
    }
    FNotchLevel[v] = value;
    Fire(FOwner->OnNotchLevel, v, value);
}

void TRX::SetRFGain(uint8_t AVFO, uint8_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FRFGain[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("RG%d%.3d", v, value));
        return;
    }
    FRFGain[v] = value;
    Fire(FOwner->OnRFGain, v, value);
}

void TRX::SetRoofingFilter(uint8_t AVFO, TRoofingFilter value)
{
    const uint8_t v = AVFO & 1;
    if (value == FRoofingFilter[v])
        return;
    if (FOwner->UserCommand()) {
        // Only the fixed filters and the automatic choice can be selected.
        int code = -1;
        switch (value) {
        case rfltAuto: code = 0; break;
        case rflt15kHz: code = 1; break;
        case rflt6kHz: code = 2; break;
        case rflt3kHz: code = 3; break;
        case rflt600Hz: code = 4; break;
        case rflt300Hz: code = 5; break;
        default: break;
        }
        if (code >= 0)
            FOwner->SendCATCommand(QString::asprintf("RF%d%d", v, code));
        return;
    }
    FRoofingFilter[v] = value;
    Fire(FOwner->OnRoofingFilter, v, value);
}

void TRX::SetSMeter(uint8_t AVFO, uint8_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FSMeter[v])
        return;
    FSMeter[v] = value;
    if (FOwner->ShowMeter())
        Fire(FOwner->OnSMeter, v, value);
}

void TRX::SetSquelch(uint8_t AVFO, uint8_t value)
{
    const uint8_t v = AVFO & 1;
    if (value == FSquelch[v])
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("SQ%d%.3d", v, value));
        return;
    }
    FSquelch[v] = value;
    Fire(FOwner->OnSquelch, v, value);
}

void TRX::SetContourGain(int32_t value)
{
    if (value == FContourGain)
        return;
    FContourGain = value;
    Fire(FOwner->OnContourGain, value);
}

// Step operations ---------------------------------------------------------------------

void TRX::AGCDown()
{
    FOwner->PrepareTX();
    const uint8_t v = FOwner->VFOSelect();
    switch (FAGC[v]) {
    case agcOff: SetAGC(v, agcAuto); break;
    case agcFast: SetAGC(v, agcMid); break;
    case agcMid: SetAGC(v, agcSlow); break;
    case agcSlow: SetAGC(v, agcAuto); break;
    case agcAuto:
    case agcAutoFast:
    case agcAutoMid:
    case agcAutoSlow: SetAGC(v, agcFast); break;
    }
}

void TRX::AGCUp()
{
    FOwner->PrepareTX();
    const uint8_t v = FOwner->VFOSelect();
    switch (FAGC[v]) {
    case agcOff: SetAGC(v, agcAuto); break;
    case agcFast: SetAGC(v, agcAuto); break;
    case agcMid: SetAGC(v, agcFast); break;
    case agcSlow: SetAGC(v, agcMid); break;
    case agcAuto:
    case agcAutoFast:
    case agcAutoMid:
    case agcAutoSlow: SetAGC(v, agcSlow); break;
    }
}

void TRX::AGCSetOff()
{
    FOwner->PrepareTX();
    SetAGC(FOwner->VFOSelect(), agcOff);
}

void TRX::AttenuatorDown()
{
    FOwner->PrepareTX();
    const uint8_t v = FOwner->Transceiver() == FTDX5000 ? uint8_t(FOwner->VFOSelect()) : 0;
    static const TAttenuator next[] = {att6dB, att12dB, att18dB, attOff};
    SetAttenuator(v, next[FAttenuator[v] & 3]);
}

void TRX::AttenuatorUp()
{
    FOwner->PrepareTX();
    const uint8_t v = FOwner->Transceiver() == FTDX5000 ? uint8_t(FOwner->VFOSelect()) : 0;
    static const TAttenuator next[] = {att18dB, attOff, att6dB, att12dB};
    SetAttenuator(v, next[FAttenuator[v] & 3]);
}

void TRX::IPODown()
{
    FOwner->PrepareTX();
    const bool dx5000 = FOwner->Transceiver() == FTDX5000;
    const uint8_t v = dx5000 ? uint8_t(FOwner->VFOSelect()) : 0;
    std::optional<TIPO> next;
    if (dx5000 && v == 0) {
        // The main receiver of the FTDX5000 has a second preamp-off setting.
        switch (FIPO[v]) {
        case ipo1: next = ipo2; break;
        case ipo2: next = ipoAmp1; break;
        case ipoAmp1: next = ipoAmp2; break;
        case ipoAmp2: next = ipo1; break;
        }
    } else {
        switch (FIPO[v]) {
        case ipo1: next = ipoAmp1; break;
        case ipoAmp1: next = ipoAmp2; break;
        case ipoAmp2: next = ipo1; break;
        case ipo2: break;
        }
    }
    if (next)
        SetIPO(v, *next);
}

void TRX::IPOUp()
{
    FOwner->PrepareTX();
    const bool dx5000 = FOwner->Transceiver() == FTDX5000;
    const uint8_t v = dx5000 ? uint8_t(FOwner->VFOSelect()) : 0;
    std::optional<TIPO> next;
    if (dx5000 && v == 0) {
        switch (FIPO[v]) {
        case ipo1: next = ipoAmp2; break;
        case ipoAmp2: next = ipoAmp1; break;
        case ipoAmp1: next = ipo2; break;
        case ipo2: next = ipo1; break;
        }
    } else {
        switch (FIPO[v]) {
        case ipo1: next = ipoAmp2; break;
        case ipoAmp2: next = ipoAmp1; break;
        case ipoAmp1: next = ipo1; break;
        case ipo2: break;
        }
    }
    if (next)
        SetIPO(v, *next);
}

void TRX::RoofingFilterAuto()
{
    FOwner->PrepareTX();
    const uint8_t v = FOwner->Transceiver() == FTDX5000 ? uint8_t(FOwner->VFOSelect()) : 0;
    SetRoofingFilter(v, rfltAuto);
}

void TRX::RoofingFilterDown()
{
    FOwner->PrepareTX();
    const bool dx5000 = FOwner->Transceiver() == FTDX5000;
    const uint8_t v = dx5000 ? uint8_t(FOwner->VFOSelect()) : 0;
    const TRoofingFilter cur = FRoofingFilter[v];
    std::optional<TRoofingFilter> next;
    switch (cur) {
    case rflt15kHz: next = rfltAuto; break;
    case rflt6kHz: next = rflt15kHz; break;
    case rflt3kHz: next = rflt6kHz; break;
    default: break;
    }
    if (!dx5000) {
        // The three-filter models wrap around.
        if (cur == rfltAuto || cur == rfltAuto15kHz || cur == rfltAuto6kHz || cur == rfltAuto3kHz)
            next = rflt3kHz;
    } else if (v == 0) {
        if (cur == rflt600Hz)
            next = rflt3kHz;
        else if (cur == rflt300Hz)
            next = rflt600Hz;
    }
    if (next)
        SetRoofingFilter(v, *next);
}

void TRX::RoofingFilterUp()
{
    FOwner->PrepareTX();
    const bool dx5000 = FOwner->Transceiver() == FTDX5000;
    const uint8_t v = dx5000 ? uint8_t(FOwner->VFOSelect()) : 0;
    const TRoofingFilter cur = FRoofingFilter[v];
    std::optional<TRoofingFilter> next;
    switch (cur) {
    case rfltAuto:
    case rfltAuto15kHz:
    case rfltAuto6kHz:
    case rfltAuto3kHz: next = rflt15kHz; break;
    case rflt15kHz: next = rflt6kHz; break;
    case rflt6kHz: next = rflt3kHz; break;
    default: break;
    }
    if (!dx5000) {
        if (cur == rflt3kHz)
            next = rfltAuto;
    } else if (v == 0) {
        if (cur == rflt3kHz)
            next = rflt600Hz;
        else if (cur == rflt600Hz)
            next = rflt300Hz;
        else if (cur == rfltAuto600Hz || cur == rfltAuto300Hz)
            next = rflt15kHz;
    }
    if (next)
        SetRoofingFilter(v, *next);
}

// Width -------------------------------------------------------------------------------

void TRX::ResetFilterWidth(uint8_t AVFO)
{
    if (FOwner->Transceiver() == FTDX5000)
        FOwner->SendCATCommand(AVFO != 0 ? QStringLiteral("SH100") : QStringLiteral("SH000"));
}

void TRX::SetFilterWidthDefault()
{
    if (FOwner->Transceiver() == FT950)
        FOwner->SendCATCommand(QStringLiteral("SH000"));
}

void TRX::SetNarrowWidthDefault(TMode mode, int32_t menuValue)
{
    switch (modeGroup(mode)) {
    case TModeGroup::SSB:
        if (menuValue >= 0 && menuValue < int32_t(SSBNarrowWidths.size()))
            FFilterWidthFrequencyDefault[1] = SSBNarrowWidths[menuValue];
        break;
    case TModeGroup::CW:
        if (menuValue >= 0 && menuValue <= 11)
            FFilterWidthFrequencyDefault[0] = menuValue;
        break;
    case TModeGroup::RTTY:
        if (menuValue >= 0 && menuValue < int32_t(RTTYNarrowWidths.size()))
            FFilterWidthFrequencyDefault[2] = RTTYNarrowWidths[menuValue];
        break;
    case TModeGroup::Packet:
        if (menuValue >= 0 && menuValue < int32_t(PacketNarrowWidths.size()))
            FFilterWidthFrequencyDefault[3] = PacketNarrowWidths[menuValue];
        break;
    case TModeGroup::AM:
    case TModeGroup::FM:
        break;
    }
}

TRX::TFilterWidthInfo TRX::FilterWidthInfo(TTransceiver model, TMode mode, bool narrow, int code, uint8_t AVFO,
                                           const std::array<int32_t, 4>& NarrowDefaults)
{
    const int w = code;
    const TModeGroup group = modeGroup(mode);
    int32_t f = 200;
    uint8_t aMin = 1;
    uint8_t aMax = 31;

    switch (model) {
    case FT2000:
    case FT2000D:
        switch (group) {
        case TModeGroup::SSB: f = narrow ? NarrowDefaults[1] : widthOf(FT2000SSB, w); break;
        case TModeGroup::CW: f = narrow ? CWNarrowWidth(NarrowDefaults[0], w) : widthOf(FT2000CW, w); break;
        case TModeGroup::RTTY: f = narrow ? NarrowDefaults[2] : widthOf(FT2000Data, w); break;
        case TModeGroup::Packet: f = narrow ? NarrowDefaults[3] : widthOf(FT2000Data, w); break;
        case TModeGroup::AM: f = 9000; break;
        case TModeGroup::FM: f = 16000; break;
        }
        break;
    case FT950:
        switch (group) {
        case TModeGroup::SSB: f = narrow ? widthOf(FT950SSBNarrow, w) : widthOf(FT950SSB, w); break;
        case TModeGroup::CW: f = narrow ? widthOf(FT950CWNarrow, w) : widthOf(FT950Other, w); break;
        case TModeGroup::RTTY:
        case TModeGroup::Packet: f = narrow ? widthOf(FT950DataNarrow, w) : widthOf(FT950Other, w); break;
        case TModeGroup::AM:
        case TModeGroup::FM: f = 200; break;
        }
        break;
    case FTDX5000:
        if (group == TModeGroup::SSB) {
            aMin = narrow ? 1 : 7;
            aMax = narrow ? 7 : 25;
            f = narrow ? widthOf(FTDX5000SSBNarrow, w) : widthOf(FTDX5000SSB, w);
        } else {
            aMin = narrow ? 1 : 10;
            aMax = narrow ? 10 : 16;
            f = narrow ? widthOf(FTDX5000OtherNarrow, w) : widthOf(FTDX5000Other, w);
        }
        break;
    }
    return {f, aMin, aMax, AVFO == 0 ? barsFor(mode, f, narrow) : uint8_t(5)};
}

void TRX::UpdateFilterWidth(uint8_t AVFO)
{
    const uint8_t v = AVFO & 1;
    const TMode mode = v == 0 ? FOwner->ModeA() : FOwner->ModeB();
    const TFilterWidthInfo info =
        FilterWidthInfo(FOwner->Transceiver(), mode, FNarrow[v], FFilterWidth[v], v, FFilterWidthFrequencyDefault);
    FFilterWidthFrequency[v] = info.Width;
    Fire(FOwner->OnFilterChange, v, info.Width, info.Min, info.Max, FFilterWidth[v], info.Bars);
}
