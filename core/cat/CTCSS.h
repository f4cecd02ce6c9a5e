#pragma once
// CTCSS tone and encoder/decoder state of both VFOs, as the radio reports them.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TCTCSS {
public:
    explicit TCTCSS(TFTCATInterface* owner);

    // Plain stores from the radio's answers; no command, no event.
    TCTCSSState State(uint8_t vfo) const { return FState[vfo & 1]; }
    TCTCSSState StateA() const { return FState[0]; }
    TCTCSSState StateB() const { return FState[1]; }
    void SetState(uint8_t AVFO, TCTCSSState value) { FState[AVFO & 1] = value; }
    void SetStateA(TCTCSSState value) { FState[0] = value; }
    void SetStateB(TCTCSSState value) { FState[1] = value; }
    // The radio's tone code.
    int32_t ToneFrequency(uint8_t vfo) const { return FToneFrequency[vfo & 1]; }
    int32_t ToneFrequencyA() const { return FToneFrequency[0]; }
    int32_t ToneFrequencyB() const { return FToneFrequency[1]; }
    void SetToneFrequency(uint8_t AVFO, int32_t value) { FToneFrequency[AVFO & 1] = value; }
    void SetToneFrequencyA(int32_t value) { FToneFrequency[0] = value; }
    void SetToneFrequencyB(int32_t value) { FToneFrequency[1] = value; }

    // Encoder steps of 1..99 clicks, sent at once.
    void EncoderADown(int32_t AValue);
    void EncoderBDown(int32_t AValue);
    void EncoderAUp(int32_t AValue);
    void EncoderBUp(int32_t AValue);

private:
    void SendEncoder(const char* command, int32_t AValue);

    TFTCATInterface* FOwner;
    TCTCSSState FState[2] = {ctcssOff, ctcssOff};
    int32_t FToneFrequency[2] = {0, 0};
};
