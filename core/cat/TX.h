#pragma once
// Transmitter controls: power, microphone gain, speech processor, VOX, monitor, class-A
// operation and the CW break-in delay.  Setters follow the engine's command rule.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TTX {
public:
    explicit TTX(TFTCATInterface* owner);

    bool ClassA() const { return FClassA; }
    void SetClassA(bool value);

    // Also fed by the radio's menu answers (received mode).
    int32_t CWBreakInDelay() const { return FCWBreakInDelay; }
    void SetCWBreakInDelay(int32_t value);

    // The radio's maximum-power menu value 0..3; never sent, sets MaximumPowerWatt.
    int32_t MaximumPowerMenu() const { return FMaximumPowerMenu; }
    void SetMaximumPowerMenu(int32_t value);

    // The output power in watts that MaximumPowerMenu allows.
    int32_t MaximumPowerWatt() const { return FMaximumPowerWatt; }
    void SetMaximumPowerWatt(int32_t value);

    uint8_t MicGain() const { return FMicGain; }
    void SetMicGain(int32_t value);
    bool Monitor() const { return FMonitor; }
    void SetMonitor(bool value);
    uint8_t MonitorLevel() const { return FMonitorLevel; }
    void SetMonitorLevel(int32_t value);

    // The radio's power control value: 0..255 on the FT-2000 family and FT DX 5000, watts
    // on the FT-950.
    uint8_t PowerControl() const { return FPowerControl; }
    void SetPowerControl(int32_t value);
    // Output power in watts derived from PowerControl.
    uint8_t PowerControlWatt() const { return FPowerControlWatt; }
    void SetPowerControlWatt(uint8_t value) { FPowerControlWatt = value; }
    void UpdatePowerControlWatt();

    TProcessor Processor() const { return FProcessor; }
    void SetProcessor(TProcessor value);
    uint8_t ProcessorLevel() const { return FProcessorLevel; }
    void SetProcessorLevel(int32_t value);

    bool Vox() const { return FVox; }
    void SetVox(bool value);
    int32_t VoxDelay() const { return FVoxDelay; }
    void SetVoxDelay(int32_t value);
    int32_t VoxGain() const { return FVoxGain; }
    void SetVoxGain(int32_t value);

    // The delay knob's position: the CW break-in delay in CW, the VOX delay otherwise.
    int32_t VoxDelayPosition() const;
    void SetVoxDelayPosition(int32_t value);

private:
    TFTCATInterface* FFTCATInterface;
    bool FClassA = false;
    int32_t FCWBreakInDelay = 200;
    int32_t FMaximumPowerMenu = 3;
    int32_t FMaximumPowerWatt = 100;
    uint8_t FMicGain = 0;
    bool FMonitor = false;
    uint8_t FMonitorLevel = 1;
    uint8_t FPowerControl = 5;
    uint8_t FPowerControlWatt = 5;
    TProcessor FProcessor = pOff;
    uint8_t FProcessorLevel = 0;
    bool FVox = false;
    int32_t FVoxDelay = 200;
    int32_t FVoxGain = 0;
};
