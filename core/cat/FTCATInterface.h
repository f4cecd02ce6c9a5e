#pragma once
// The Yaesu CAT protocol engine: the one source of radio state.
//
// Command rule: a caller acting for the user calls PrepareTX() and then one setter or
// command operation.  While the link is connected the setter only sends the command; the
// state changes when the radio's answer comes back through HandleCATCommand(), which calls
// PrepareRX() before each setter it uses.  The engine never writes to a port: every command
// leaves through OnCATCommandTX and the owner writes it.

#include "core/cat/FTCATEvents.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/SerialPort.h"

namespace vx {
class Timer;
} // namespace vx

class TCTCSS;
class TDimmer;
class TGUISettings;
class TKeyer;
class TMemoryChannel;
class TMenuSettings;
class TMicrophoneEqualizer;
class TRadioInformation;
class TTuning;
class TPresets;
class TRotator;
class TRX;
class TTX;

class TFTCATInterface : public QObject {
    Q_OBJECT
public:
    // Cap of the receive buffer without a ";": past it the bytes are noise and are dropped.
    static constexpr int MaxRXCommand = 4096;

    explicit TFTCATInterface(QObject* owner = nullptr);
    ~TFTCATInterface() override;

    // Life cycle and link.
    bool Open();
    void Close();
    void Reset();
    void ResetDisplay();
    void PrepareTX();
    void PrepareRX();
    void SendCATCommand(const QString& TXCommand);
    void DoRxChar(int Count);
    void HandleCATCommand(const QString& Command);
    void ParameterRequest();
    void PowerSwitchRequest();

    vx::SerialPort* COMPort() const { return FCOMPort; }
    void SetCOMPort(vx::SerialPort* port);
    bool UsingCOMPort() const { return FUsingCOMPort; }
    void SetUsingCOMPort(bool value);
    TComState ComState() const { return FComState; }
    void SetComState(TComState value);
    bool CAT() const { return FCAT; }
    void SetCAT(bool value);
    bool PowerSwitch() const { return FPowerSwitch; }
    void SetPowerSwitch(bool value);
    QString Identification() const { return FIdentification; }
    void SetIdentification(const QString& value);
    TTransceiver Transceiver() const { return FTransceiver; }
    void SetTransceiver(TTransceiver value);
    QString TransceiverAsString() const;
    void SetTransceiverAsString(const QString& value);
    QString TransceiverCaption() const;
    bool TransceiverAutoDetect() const { return FTransceiverAutoDetect; }
    void SetTransceiverAutoDetect(bool value);
    bool AutoInformation() const { return FAutoInformation; }
    void SetAutoInformation(bool value);

    // Radio state read by the link and the views.
    bool ShowMeter() const { return FShowMeter; }

    // Sub-objects, owned by the engine.
    TCTCSS* CTCSS() const { return FCTCSS; }
    TDimmer* Dimmer() const { return FDimmer; }
    TGUISettings* GUISettings() const { return FGUISettings; }
    TKeyer* Keyer() const { return FKeyer; }
    TMemoryChannel* MemoryChannel() const { return FMemoryChannel; }
    TMenuSettings* MenuSettings() const { return FMenuSettings; }
    TMicrophoneEqualizer* MicrophoneEqualizer() const { return FMicrophoneEqualizer; }
    TRadioInformation* RadioInformation() const { return FRadioInformation; }
    TTuning* Tuning() const { return FTuning; }
    TPresets* Presets() const { return FPresets; }
    TRotator* Rotator() const { return FRotator; }
    TRX* RX() const { return FRX; }
    TTX* TX() const { return FTX; }

    // Timers (exposed for the owner and tests).
    vx::Timer* COMPortTimer() const { return FCOMPortTimer; }
    vx::Timer* RequestTimer() const { return FRequestTimer; }
    vx::Timer* PowerSwitchTimer() const { return FPowerSwitchTimer; }
    vx::Timer* PollRequestTimer() const { return FPollRequestTimer; }

    // Command-rule flags, read by the sub-objects' setters.
    bool CmdRcvd() const { return FCmdRcvd; }
    void SetCmdRcvd(bool value) { FCmdRcvd = value; }
    bool UserCommand() const { return FUserCommand; }

    // The poll line the request timer sends at counter value n (1..10) for a model.
    static QString PollLine(TTransceiver model, int n);

    // Events.  Each is raised only when assigned; assigning replaces the previous handler.
    TStringEvent OnCATCommandTX;
    TStringEvent OnCATCommandRX;
    TCOMPortEvent OnComPortState;
    TComStateEvent OnComState;
    TSwitchEvent OnCAT;
    TSwitchEvent OnPowerSwitch;
    TStringEvent OnIdentification;
    TTransceiverEvent OnTransceiver;
    TSwitchEvent OnAutoInformation;
    TIPCEvent OnIPCInformation;

    TVFOByteEvent OnAFGain;
    TAGCEvent OnAGC;
    TAntennaEvent OnAntenna;
    TAntennaRXEvent OnAntennaRX;
    TAntennaTunerEvent OnAntennaTuner;
    TVFOByteEvent OnAPFOffset;
    TAttenuatorEvent OnAttenuator;
    TVFOBoolEvent OnAutoNotch;
    TBandEvent OnBand;
    TVFOEvent OnBandmapVFO;
    TNotifyEvent OnBandSelect;
    TStringEvent OnBargraph;
    TSwitchEvent OnBreakIn;
    TBusyEvent OnBusy;
    TSwitchEvent OnClassA;
    TIntegerEvent OnCWBreakInDelay;
    TSwitchEvent OnCWSpot;
    TIntegerEvent OnClarifierOffset;
    TIntegerEvent OnClarifierRange;
    TSwitchEvent OnClarifierRX;
    TSwitchEvent OnClarifierTX;
    TContourEvent OnContour;
    TIntegerEvent OnContourGain;
    TVFOByteEvent OnContourLevel;
    TSwitchEvent OnDigitalMeter;
    TSwitchEvent OnDigitalMeterChange;
    TIntegerEvent OnDimmerDisplay;
    TIntegerEvent OnDimmerMeter;
    TSwitchEvent OnDimmerSwitch;
    TDisplayEvent OnDisplay;
    TDSPButtonEvent OnDSPButton;
    TSwitchEvent OnFastStepA;
    TSwitchEvent OnFastStepB;
    TFilterEvent OnFilterChange;
    TVFOByteEvent OnFilterWidth;
    TVFOIntegerEvent OnFrequency;
    TFunctionRXEvent OnFunctionRX;
    TVFOEvent OnFunctionTX;
    TVFOIntegerEvent OnIFShift;
    TIPOEvent OnIPO;
    TVFOBoolEvent OnIsTuning;
    TIntegerEvent OnKeyPitch;
    TIntegerEvent OnKeySpeed;
    TSwitchEvent OnKeyer;
    TVFOStringEvent OnKeyerMemory;
    TSwitchEvent OnLockA;
    TSwitchEvent OnLockB;
    TMemoryChannelEvent OnMemoryChannel;
    TMemoryChannelEvent OnMemoryChannel2;
    TMenuSettingsEvent OnMenuSettings;
    TByteEvent OnMeter;
    TMeterSwitchEvent OnMeterSwitch;
    TByteEvent OnMicGain;
    TModeEvent OnModeA;
    TModeEvent OnModeB;
    TModeTypeEvent OnModeChange;
    TSwitchEvent OnMonitor;
    TByteEvent OnMonitorLevel;
    TSwitchEvent OnMOX;
    TSwitchEvent OnMOXChange;
    TVFOBoolEvent OnNarrow;
    TNoiseBlankerEvent OnNoiseBlanker;
    TVFOByteEvent OnNoiseBlankerLevel;
    TVFOBoolEvent OnNoiseReduction;
    TVFOByteEvent OnNoiseReductionLevel;
    TVFOBoolEvent OnNotch;
    TVFOIntegerEvent OnNotchLevel;
    TByteEvent OnPowerControl;
    TByteEvent OnPowerControlWatt;
    TSwitchEvent OnPLLUnlockStatus;
    TProcessorEvent OnProcessor;
    TByteEvent OnProcessorLevel;
    TVFOIntegerEvent OnResolution;
    TVFOByteEvent OnRFGain;
    TSwitchEvent OnRadioInformationClassA;
    TSwitchEvent OnRadioInformationHiSWR;
    TSwitchEvent OnRadioInformationMainRX;
    TSwitchEvent OnRadioInformationMainTX;
    TSwitchEvent OnRadioInformationMicEq;
    TSwitchEvent OnRadioInformationPlay;
    TSwitchEvent OnRadioInformationRec;
    TSwitchEvent OnRadioInformationSubRX;
    TSwitchEvent OnRadioInformationSubTX;
    TRadioStatusEvent OnRadioStatus;
    TRepeaterShiftEvent OnRepeaterShiftA;
    TRepeaterShiftEvent OnRepeaterShiftB;
    TRoofingFilterEvent OnRoofingFilter;
    TRotatorEvent OnRotator;
    TSwitchEvent OnShowMeter;
    TSwitchEvent OnShowMeterMeter;
    TVFOByteEvent OnSMeter;
    TVFOByteEvent OnSquelch;
    TSubDialFunctionEvent OnSubDialFunction;
    TSwitchEvent OnSubReceiver;
    TSwitchEvent OnTransmitting;
    TSwitchEvent OnTransverterIsOn;
    TIntegerEvent OnTransverterOffset;
    TVFOIntegerEvent OnTuningFrequency;
    TByteEvent OnTXSet;
    TSwitchEvent OnTXWatch;
    TVFOMemoryModeEvent OnVFOMemoryMode;
    TVFOEvent OnVFOSelect;
    TVRFEvent OnVRF;
    TSwitchEvent OnVox;
    TSwitchEvent OnVoxChange;
    TIntegerEvent OnVoxDelay;
    TIntegerEvent OnVoxGain;

protected:
    // Timer handlers.
    virtual void DoCOMPortTimer();
    virtual void DoPollRequestTimer();
    virtual void DoPowerSwitchTimer();
    virtual void DoRequestTimer();

private:
    // One answer of HandleCATCommand: its two-letter code and its parameter text.  Returns
    // false when a parameter is no number, which ends the text.
    bool DispatchAnswer(const QString& code, const QString& P);

    // Command rule.
    bool FCmdRcvd = false;
    bool FUserCommand = true;

    // Link.
    QPointer<vx::SerialPort> FCOMPort;
    TComState FComState = csInitializing;
    bool FUsingCOMPort = false;
    bool FCAT = false;
    QString RXCommand;
    bool FRXOverflowReported = false;
    int16_t RequestCounter = 0;

    // Radio state of the link (the rest of the radio state follows below).
    bool FPowerSwitch = false;
    QString FIdentification;
    TTransceiver FTransceiver = FT2000;
    bool FTransceiverAutoDetect = true;
    bool FAutoInformation = false;
    bool FShowMeter = true;

    // Sub-objects and timers, in creation order.
    TCTCSS* FCTCSS = nullptr;
    TDimmer* FDimmer = nullptr;
    TGUISettings* FGUISettings = nullptr;
    TKeyer* FKeyer = nullptr;
    TMemoryChannel* FMemoryChannel = nullptr;
    TMenuSettings* FMenuSettings = nullptr;
    TMicrophoneEqualizer* FMicrophoneEqualizer = nullptr;
    TRadioInformation* FRadioInformation = nullptr;
    TTuning* FTuning = nullptr;
    vx::Timer* FCOMPortTimer = nullptr;
    vx::Timer* FRequestTimer = nullptr;
    vx::Timer* FPowerSwitchTimer = nullptr;
    vx::Timer* FPollRequestTimer = nullptr;
    TPresets* FPresets = nullptr;
    TRotator* FRotator = nullptr;
    TRX* FRX = nullptr;
    TTX* FTX = nullptr;
};
