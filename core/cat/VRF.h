#pragma once
// VRF and micro-tune preselector state of each VFO (FT DX 5000), filled from the radio's
// answers.  Only the type setter raises OnVRF, so the dispatch sets state, position and
// type in that order and the event carries all three.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TVRF {
public:
    explicit TVRF(TFTCATInterface* owner);

    int32_t Position(uint8_t vfo) const { return FPosition[vfo & 1]; }
    int32_t PositionA() const { return FPosition[0]; }
    int32_t PositionB() const { return FPosition[1]; }
    void SetPosition(uint8_t vfo, int32_t value);
    void SetPositionA(int32_t value) { SetPosition(0, value); }
    void SetPositionB(int32_t value) { SetPosition(1, value); }

    TVRFState State(uint8_t vfo) const { return FState[vfo & 1]; }
    TVRFState StateA() const { return FState[0]; }
    TVRFState StateB() const { return FState[1]; }
    void SetState(uint8_t vfo, TVRFState value);
    void SetStateA(TVRFState value) { SetState(0, value); }
    void SetStateB(TVRFState value) { SetState(1, value); }

    int32_t Step() const { return FStep; }
    void SetStep(int32_t value);

    TVRFType VRFType(uint8_t vfo) const { return FVRFType[vfo & 1]; }
    TVRFType VRFTypeA() const { return FVRFType[0]; }
    TVRFType VRFTypeB() const { return FVRFType[1]; }
    void SetVRFType(uint8_t vfo, TVRFType value);
    void SetVRFTypeA(TVRFType value) { SetVRFType(0, value); }
    void SetVRFTypeB(TVRFType value) { SetVRFType(1, value); }

    // Switches or steps the preselector at once (AVFO 0 = A, any other = B; AState 0..2).
    void SendVRFCommand(uint8_t AVFO, int32_t AState, int32_t AStep);

private:
    TFTCATInterface* FFTCATInterface;
    int32_t FPosition[2] = {0, 0};
    TVRFState FState[2] = {vrfStateDefault, vrfStateDefault};
    int32_t FStep = 0;
    TVRFType FVRFType[2] = {vrfTypeVRF, vrfTypeVRF};
};
