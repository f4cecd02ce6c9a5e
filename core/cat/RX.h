#pragma once
// Receiver controls of both VFOs (index 0: VFO A, the main receiver; 1: VFO B, the sub
// receiver).  Setters follow the engine's command rule: in user-command mode they only send
// the CAT command, otherwise they store the value and raise the engine's change event.

#include "core/cat/FTCATEvents.h"

#include <array>

class TFTCATInterface;
class TVRF;

// Getters Name(vfo), NameA(), NameB() and setters SetNameA(), SetNameB() beside the shared
// SetName(vfo, value).
#define VX_RX_AB(Type, Name, SetType)                                        \
    Type Name(uint8_t vfo) const { return F##Name[vfo & 1]; }                \
    Type Name##A() const { return F##Name[0]; }                              \
    Type Name##B() const { return F##Name[1]; }                              \
    void Set##Name##A(SetType value) { Set##Name(0, value); }                \
    void Set##Name##B(SetType value) { Set##Name(1, value); }

class TRX {
public:
    // Narrow widths in Hz by the radio's menu value.
    static const std::array<int32_t, 12> SSBNarrowWidths;
    static const std::array<int32_t, 6> RTTYNarrowWidths;
    static const std::array<int32_t, 6> PacketNarrowWidths;
    // Width in Hz of a CW narrow menu row (0..11) and a width code (0..31).
    static int32_t CWNarrowWidth(int row, int code);

    explicit TRX(TFTCATInterface* owner);
    ~TRX();
    TRX(const TRX&) = delete;
    TRX& operator=(const TRX&) = delete;

    void SetAFGain(uint8_t AVFO, uint8_t value);
    VX_RX_AB(uint8_t, AFGain, uint8_t)
    void SetAGC(uint8_t AVFO, TAGC value);
    VX_RX_AB(TAGC, AGC, TAGC)
    void SetAPFOffset(uint8_t AVFO, int32_t value);
    VX_RX_AB(uint8_t, APFOffset, int32_t)
    int32_t APFOffsetFrequency(uint8_t vfo) const { return FAPFOffsetFrequency[vfo & 1]; }
    int32_t APFOffsetFrequencyA() const { return FAPFOffsetFrequency[0]; }
    int32_t APFOffsetFrequencyB() const { return FAPFOffsetFrequency[1]; }
    void SetAttenuator(uint8_t AVFO, TAttenuator value);
    VX_RX_AB(TAttenuator, Attenuator, TAttenuator)
    void SetAutoNotch(uint8_t AVFO, bool value);
    VX_RX_AB(bool, AutoNotch, bool)
    void SetContour(uint8_t AVFO, TContour value);
    VX_RX_AB(TContour, Contour, TContour)
    void SetContourLevel(uint8_t AVFO, int32_t value);
    VX_RX_AB(uint8_t, ContourLevel, int32_t)
    void SetFilterWidth(uint8_t AVFO, int32_t value);
    VX_RX_AB(uint8_t, FilterWidth, int32_t)
    void SetFilterWidthFrequency(uint8_t AVFO, int32_t value) { FFilterWidthFrequency[AVFO & 1] = value; }
    VX_RX_AB(int32_t, FilterWidthFrequency, int32_t)
    void SetIFShift(uint8_t AVFO, int32_t value);
    VX_RX_AB(int32_t, IFShift, int32_t)
    void SetIPO(uint8_t AVFO, TIPO value);
    VX_RX_AB(TIPO, IPO, TIPO)
    void SetNarrow(uint8_t AVFO, bool value);
    VX_RX_AB(bool, Narrow, bool)
    void SetNoiseBlanker(uint8_t AVFO, TNoiseBlanker value);
    VX_RX_AB(TNoiseBlanker, NoiseBlanker, TNoiseBlanker)
    void SetNoiseBlankerLevel(uint8_t AVFO, uint8_t value);
    VX_RX_AB(uint8_t, NoiseBlankerLevel, uint8_t)
    void SetNoiseReduction(uint8_t AVFO, bool value);
    VX_RX_AB(bool, NoiseReduction, bool)
    void SetNoiseReductionLevel(uint8_t AVFO, int32_t value);
    VX_RX_AB(uint8_t, NoiseReductionLevel, int32_t)
    void SetNotch(uint8_t AVFO, bool value);
    VX_RX_AB(bool, Notch, bool)
    void SetNotchLevel(uint8_t AVFO, int32_t value);
    VX_RX_AB(int32_t, NotchLevel, int32_t)
    void SetRFGain(uint8_t AVFO, uint8_t value);
    VX_RX_AB(uint8_t, RFGain, uint8_t)
    void SetRoofingFilter(uint8_t AVFO, TRoofingFilter value);
    VX_RX_AB(TRoofingFilter, RoofingFilter, TRoofingFilter)
    void SetSMeter(uint8_t AVFO, uint8_t value);
    VX_RX_AB(uint8_t, SMeter, uint8_t)
    void SetSquelch(uint8_t AVFO, uint8_t value);
    VX_RX_AB(uint8_t, Squelch, uint8_t)

    int32_t ContourGain() const { return FContourGain; }
    void SetContourGain(int32_t value);

    // Steps of the panel's up/down buttons; each calls PrepareTX itself.
    void AGCDown();
    void AGCUp();
    void AGCSetOff();
    void AttenuatorDown();
    void AttenuatorUp();
    void IPODown();
    void IPOUp();
    void RoofingFilterAuto();
    void RoofingFilterDown();
    void RoofingFilterUp();

    // Width resets sent at once, outside the command rule.
    void ResetFilterWidth(uint8_t AVFO);
    void SetFilterWidthDefault();

    // Recomputes the filter width in Hz of a VFO and raises OnFilterChange.
    void UpdateFilterWidth(uint8_t AVFO);

    // What the width display shows for a width code: the width in Hz, the code range of the
    // width control and the number of LCD bars.
    struct TFilterWidthInfo {
        int32_t Width;
        uint8_t Min;
        uint8_t Max;
        uint8_t Bars;
    };
    // NarrowDefaults as FilterWidthFrequencyDefault.  Bars follow the VFO's own mode and
    // narrow state for VFO A; VFO B always shows 5.
    static TFilterWidthInfo FilterWidthInfo(TTransceiver model, TMode mode, bool narrow, int code, uint8_t AVFO,
                                            const std::array<int32_t, 4>& NarrowDefaults);

    // Narrow width defaults from the radio's menu values.
    void SetNarrowWidthDefault(TMode mode, int32_t menuValue);
    // [0] CW narrow row, [1] SSB, [2] RTTY, [3] packet narrow width in Hz.
    int32_t FilterWidthFrequencyDefault(int index) const { return FFilterWidthFrequencyDefault[index & 3]; }

    TVRF* VRF() const { return FVRF; }

private:
    TFTCATInterface* FOwner;
    uint8_t FAFGain[2] = {0, 0};
    TAGC FAGC[2] = {agcAuto, agcAuto};
    uint8_t FAPFOffset[2] = {25, 25};
    int32_t FAPFOffsetFrequency[2] = {0, 0};
    TAttenuator FAttenuator[2] = {attOff, attOff};
    bool FAutoNotch[2] = {false, false};
    TContour FContour[2] = {conOff, conOff};
    uint8_t FContourLevel[2] = {15, 15};
    int32_t FContourGain = -15;
    uint8_t FFilterWidth[2] = {16, 16};
    int32_t FFilterWidthFrequency[2] = {2400, 2400};
    std::array<int32_t, 4> FFilterWidthFrequencyDefault = {6, 1800, 300, 300};
    int32_t FIFShift[2] = {0, 0};
    TIPO FIPO[2] = {ipoAmp1, ipoAmp1};
    bool FNarrow[2] = {false, false};
    TNoiseBlanker FNoiseBlanker[2] = {nbOff, nbOff};
    uint8_t FNoiseBlankerLevel[2] = {0, 0};
    bool FNoiseReduction[2] = {false, false};
    uint8_t FNoiseReductionLevel[2] = {1, 1};
    bool FNotch[2] = {false, false};
    int32_t FNotchLevel[2] = {150, 150};
    uint8_t FRFGain[2] = {255, 255};
    TRoofingFilter FRoofingFilter[2] = {rfltAuto3kHz, rfltAuto3kHz};
    uint8_t FSMeter[2] = {0, 0};
    uint8_t FSquelch[2] = {0, 0};
    TVRF* FVRF;
};

#undef VX_RX_AB
