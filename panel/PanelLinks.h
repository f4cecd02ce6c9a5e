#pragma once
// What the front panel needs of its neighbours: the band map and the QSO entry panel.  Those
// views implement these; the panel's owner hands them to the panel.

#include "core/FTCATTypes.h"
#include "core/RCTypes.h"

#include <cstdint>

// The band map as the front panel drives it.
class TBandmapLink {
public:
    virtual ~TBandmapLink() = default;

    // An equal value is ignored; otherwise stored and a redraw scheduled.
    virtual void SetFrequencyA(int32_t value) = 0;
    virtual void SetFrequencyB(int32_t value) = 0;
    // bdAll is ignored.
    virtual void SetBandA(TBand value) = 0;
    virtual void SetBandB(TBand value) = 0;
    virtual void SetLock(bool value) = 0;
    virtual void SetSplit(bool value) = 0;
    // Rebuilds the display (after a band select command).
    virtual void Changed() = 0;

    // The operator picked a frequency on the band map for VFO A or B.
    TFrequencyChangeEvent OnFrequencyChange;
    // The band map needs the current VFO frequencies: the handler writes FrequencyA and B.
    TNotifyEvent OnFrequencyRequest;
};

// The QSO entry panel as the front panel feeds it.
class TLogPanelLink {
public:
    virtual ~TLogPanelLink() = default;

    // Plain fields written on every frequency report.
    virtual void SetFrequencyA(int32_t value) = 0;
    virtual void SetFrequencyB(int32_t value) = 0;
    virtual void SetBandA(TBand value) = 0;
    virtual void SetBandB(TBand value) = 0;
    virtual void SetMode(TMode value) = 0;
};
