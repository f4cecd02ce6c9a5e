#pragma once
// Local tuning state of both VFOs: the frequency the operator is dialling, whether a tuning
// gesture is in progress, and the tuning step.  Every frequency goes on to the engine's
// frequency setter; while a VFO is being tuned the radio's reports do not overwrite the
// local value, and a timer per VFO ends the gesture once the operator has stopped and
// resynchronises with the radio.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

namespace vx {
class Timer;
} // namespace vx

class TTuning {
public:
    explicit TTuning(TFTCATInterface* owner);
    ~TTuning();
    TTuning(const TTuning&) = delete;
    TTuning& operator=(const TTuning&) = delete;

    int32_t Frequency(uint8_t vfo) const { return FFrequency[vfo & 1]; }
    int32_t FrequencyA() const { return FFrequency[0]; }
    int32_t FrequencyB() const { return FFrequency[1]; }
    void SetFrequency(uint8_t vfo, int32_t hz);
    void SetFrequencyA(int32_t hz) { SetFrequency(0, hz); }
    void SetFrequencyB(int32_t hz) { SetFrequency(1, hz); }

    bool IsTuning(uint8_t vfo) const { return FIsTuning[vfo & 1]; }
    bool IsTuningA() const { return FIsTuning[0]; }
    bool IsTuningB() const { return FIsTuning[1]; }
    void SetIsTuning(uint8_t vfo, bool value);
    void SetIsTuningA(bool value) { SetIsTuning(0, value); }
    void SetIsTuningB(bool value) { SetIsTuning(1, value); }

    int32_t Resolution(uint8_t vfo) const { return FResolution[vfo & 1]; }
    int32_t ResolutionA() const { return FResolution[0]; }
    int32_t ResolutionB() const { return FResolution[1]; }
    void SetResolution(uint8_t vfo, int32_t hz);
    void SetResolutionA(int32_t hz) { SetResolution(0, hz); }
    void SetResolutionB(int32_t hz) { SetResolution(1, hz); }

    int32_t TuningInterval() const { return FTuningInterval; }
    void SetTuningInterval(int32_t ms);

    // One rung along 1, 10, 100, 1000, 10000 Hz; nothing at the ends or off the ladder.
    void ResolutionADown() { ResolutionDown(0); }
    void ResolutionBDown() { ResolutionDown(1); }
    void ResolutionAUp() { ResolutionUp(0); }
    void ResolutionBUp() { ResolutionUp(1); }

    // One tuning step: starts (or continues) a gesture, then moves by the resolution.
    void TuneDownA() { Tune(0, -1); }
    void TuneDownB() { Tune(1, -1); }
    void TuneUpA() { Tune(0, 1); }
    void TuneUpB() { Tune(1, 1); }

    // Timer handlers.
    void TuningTimerATimer() { TuningTimerTick(0); }
    void TuningTimerBTimer() { TuningTimerTick(1); }

    vx::Timer* TuningTimerA() const { return FTuningTimer[0]; }
    vx::Timer* TuningTimerB() const { return FTuningTimer[1]; }

private:
    void ResolutionDown(uint8_t vfo);
    void ResolutionUp(uint8_t vfo);
    void Tune(uint8_t vfo, int direction);
    void TuningTimerTick(uint8_t vfo);

    TFTCATInterface* FFTCATInterface;
    vx::Timer* FTuningTimer[2] = {nullptr, nullptr};
    int32_t FElapsedTuningTime[2] = {0, 0};
    int32_t FFrequency[2] = {7000000, 7000000};
    bool FIsTuning[2] = {false, false};
    int32_t FResolution[2] = {100, 100};
    int32_t FTuningInterval = 2000;
};
