#include "core/cat/Tuning.h"

#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"

TTuning::TTuning(TFTCATInterface* owner)
    : FFTCATInterface(owner)
{
    // The timers run for the engine's whole life, tuning or not.
    for (uint8_t vfo = 0; vfo < 2; ++vfo) {
        FTuningTimer[vfo] = new vx::Timer(500, true, owner);
        FTuningTimer[vfo]->OnTimer = [this, vfo] { TuningTimerTick(vfo); };
    }
}

TTuning::~TTuning()
{
    delete FTuningTimer[0];
    delete FTuningTimer[1];
}

void TTuning::SetFrequency(uint8_t vfo, int32_t hz)
{
    vfo &= 1;
    // A step of a gesture restarts the count to its end, so that a drag lasting longer than
    // the interval is not snapped back to the radio's last report mid-way.
    if (FIsTuning[vfo])
        FElapsedTuningTime[vfo] = 0;
    // No equality test: every step goes to the engine, which decides whether to send.
    FFrequency[vfo] = hz;
    Fire(FFTCATInterface->OnTuningFrequency, vfo, hz);
    FFTCATInterface->PrepareTX();
    FFTCATInterface->SetFrequency(vfo, FFrequency[vfo]);
}

void TTuning::SetIsTuning(uint8_t vfo, bool value)
{
    vfo &= 1;
    if (value == FIsTuning[vfo])
        return;
    FIsTuning[vfo] = value;
    Fire(FFTCATInterface->OnIsTuning, vfo, value);
}

void TTuning::SetResolution(uint8_t vfo, int32_t hz)
{
    vfo &= 1;
    if (hz == FResolution[vfo])
        return;
    FResolution[vfo] = hz;
    Fire(FFTCATInterface->OnResolution, vfo, hz);
}

void TTuning::SetTuningInterval(int32_t ms)
{
    FTuningInterval = ms;
}

void TTuning::ResolutionDown(uint8_t vfo)
{
    switch (FResolution[vfo]) {
    case 10000: SetResolution(vfo, 1000); break;
    case 1000: SetResolution(vfo, 100); break;
    case 100: SetResolution(vfo, 10); break;
    case 10: SetResolution(vfo, 1); break;
    default: break;
    }
}

void TTuning::ResolutionUp(uint8_t vfo)
{
    switch (FResolution[vfo]) {
    case 1: SetResolution(vfo, 10); break;
    case 10: SetResolution(vfo, 100); break;
    case 100: SetResolution(vfo, 1000); break;
    case 1000: SetResolution(vfo, 10000); break;
    default: break;
    }
}

void TTuning::Tune(uint8_t vfo, int direction)
{
    SetIsTuning(vfo, true);
    SetFrequency(vfo, FFrequency[vfo] + direction * FResolution[vfo]);
}

void TTuning::TuningTimerTick(uint8_t vfo)
{
    // The count restarts at every tuning step, so a gesture ends more than one interval and at
    // most one interval plus one tick after its last step; idle, this resynchronises with the
    // radio on a fixed cadence.
    if (FElapsedTuningTime[vfo] < FTuningInterval) {
        FElapsedTuningTime[vfo] += FTuningTimer[vfo]->interval();
        return;
    }
    SetIsTuning(vfo, false);
    SetFrequency(vfo, FFTCATInterface->Frequency(vfo));
    FElapsedTuningTime[vfo] = 0;
}
