#pragma once
// The Yaesu CAT protocol engine: the one source of radio state.
//
// Command rule: a caller acting for the user calls PrepareTX() and then one setter or
// command operation.  While the link is connected the setter only sends the command; the
// state changes when the radio's answer comes back through HandleCATCommand(), which calls
// PrepareRX() before each setter it uses.  The engine never writes to a port: every command
// leaves through OnCATCommandTX and the owner writes it.

#include "core/ReceiveBuffer.h"
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
    // The port died under the engine (device gone, read or write error): the radio's state is
    // no longer live, and the port is tried again every 3000 ms while it has a name; once it
    // opens, the engine starts over as after Open and asks the radio's power state at once.
    void COMPortLost();
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
    // Switching it on forgets the identification and asks the radio for it at once.
    void SetTransceiverAutoDetect(bool value);
    bool AutoInformation() const { return FAutoInformation; }
    void SetAutoInformation(bool value);

    // Radio state (setters follow the command rule).
    bool ShowMeter() const { return FShowMeter; }
    TAntenna Antenna(uint8_t vfo) const { return FAntenna[vfo & 1]; }
    TAntenna AntennaA() const { return FAntenna[0]; }
    TAntenna AntennaB() const { return FAntenna[1]; }
    bool AntennaRX(uint8_t vfo) const { return FAntennaRX[vfo & 1]; }
    bool AntennaRXA() const { return FAntennaRX[0]; }
    bool AntennaRXB() const { return FAntennaRX[1]; }
    TAntennaTuner AntennaTuner() const { return FAntennaTuner; }
    TBand Band(uint8_t vfo) const { return FBand[vfo & 1]; }
    TBand BandA() const { return FBand[0]; }
    TBand BandB() const { return FBand[1]; }
    QString Bargraph() const { return FBargraph; }
    bool BreakIn() const { return FBreakIn; }
    bool BusyA() const { return FBusyA; }
    bool BusyB() const { return FBusyB; }
    bool CWSpot() const { return FCWSpot; }
    int32_t ClarifierOffset() const { return FClarifierOffset; }
    int32_t ClarifierRange() const { return FClarifierRange; }
    bool ClarifierRX() const { return FClarifierRX; }
    bool ClarifierTX() const { return FClarifierTX; }
    bool DigitalMeter() const { return FDigitalMeter; }
    TDisplay Display() const { return FDisplay; }
    bool FastStepA() const { return FFastStepA; }
    bool FastStepB() const { return FFastStepB; }
    int32_t Frequency(uint8_t vfo) const { return FFrequency[vfo & 1]; }
    int32_t FrequencyA() const { return FFrequency[0]; }
    int32_t FrequencyB() const { return FFrequency[1]; }
    TFunctionRX FunctionRX() const { return FFunctionRX; }
    TVFO FunctionTX() const { return FFunctionTX; }
    QString Information() const { return FInformation; }
    QString InformationOpposite() const { return FInformationOpposite; }
    // The parameter of an "IF" / "OI" answer; a text equal to the last one does nothing.
    void SetInformation(const QString& value);
    void SetInformationOpposite(const QString& value);
    bool LockA() const { return FLockA; }
    bool LockB() const { return FLockB; }
    uint8_t Meter() const { return FMeter; }
    TMeterSwitch MeterSwitch() const { return FMeterSwitch; }
    TMode Mode(uint8_t vfo) const { return FMode[vfo & 1]; }
    TMode ModeA() const { return FMode[0]; }
    TMode ModeB() const { return FMode[1]; }
    TModeKey ModeKey() const { return FModeKey; }
    TModeType ModeType() const { return FModeType; }
    bool MOX() const { return FMOX; }
    QString MyBands() const { return FMyBands; }
    void SetMyBands(const QString& value);
    bool PLLUnlockStatus() const { return FPLLUnlockStatus; }
    TRadioStatus RadioStatus() const { return FRadioStatus; }
    TRepeaterShift RepeaterShiftA() const { return FRepeaterShift[0]; }
    TRepeaterShift RepeaterShiftB() const { return FRepeaterShift[1]; }
    bool RXAOn() const { return FRXAOn; }
    bool RXBOn() const { return FRXBOn; }
    TScan Scan() const { return FScan; }
    bool Split() const { return FSplit; }
    TSubDialFunction SubDialFunction() const { return FSubDialFunction; }
    bool Transmitting() const { return FTransmitting; }
    bool TransverterEnabled() const { return FTransverterEnabled; }
    bool TransverterIsOn() const { return FTransverterIsOn; }
    int32_t TransverterOffset() const { return FTransverterOffset; }
    void SetTransverterOffset(int32_t value);
    uint8_t TXSet() const { return FTXSet; }
    bool TXWatch() const { return FTXWatch; }
    TVFOMemoryMode VFOMemoryMode() const { return FVFOMemoryMode; }
    TVFO VFOSelect() const { return FVFOSelect; }
    uint8_t FastStepCode() const { return FFastStepCode; }
    uint8_t LockCode() const { return FLockCode; }

    // Radio state setters.  A/B pairs take the VFO index (0 = A, 1 = B).
    void SetAntenna(uint8_t vfo, TAntenna value);
    void SetAntennaA(TAntenna value) { SetAntenna(0, value); }
    void SetAntennaB(TAntenna value) { SetAntenna(1, value); }
    void SetAntennaRX(uint8_t vfo, bool value);
    void SetAntennaRXA(bool value) { SetAntennaRX(0, value); }
    void SetAntennaRXB(bool value) { SetAntennaRX(1, value); }
    void SetAntennaTuner(TAntennaTuner value);
    void SetBand(uint8_t vfo, TBand value);
    void SetBandA(TBand value) { SetBand(0, value); }
    void SetBandB(TBand value) { SetBand(1, value); }
    void SetBargraph(const QString& value);
    void SetBreakIn(bool value);
    void SetCWSpot(bool value);
    void SetClarifierOffset(int32_t value);
    void SetClarifierRange(int32_t value);
    void SetClarifierRX(bool value);
    void SetClarifierTX(bool value);
    void SetDigitalMeter(bool value);
    void SetDisplay(TDisplay value);
    void SetFastStepA(bool value);
    void SetFastStepB(bool value);
    void SetFrequency(uint8_t vfo, int32_t hz);
    void SetFrequencyA(int32_t hz) { SetFrequency(0, hz); }
    void SetFrequencyB(int32_t hz) { SetFrequency(1, hz); }
    void SetFunctionRX(TFunctionRX value);
    void SetFunctionTX(TVFO value);
    void SetLockA(bool value);
    void SetLockB(bool value);
    void SetMeter(uint8_t value);
    void SetMeterSwitch(TMeterSwitch value);
    void SetMode(uint8_t vfo, TMode value);
    void SetModeA(TMode value) { SetMode(0, value); }
    void SetModeB(TMode value) { SetMode(1, value); }
    void SetModeKey(TModeKey value);
    void SetModeType(TModeType value) { FModeType = value; }
    void SetMOX(bool value);
    void SetPLLUnlockStatus(bool value);
    void SetRadioStatus(TRadioStatus value);
    void SetRepeaterShift(uint8_t vfo, TRepeaterShift value);
    void SetRepeaterShiftA(TRepeaterShift value) { SetRepeaterShift(0, value); }
    void SetRepeaterShiftB(TRepeaterShift value) { SetRepeaterShift(1, value); }
    void SetShowMeter(bool value);
    void SetSubDialFunction(TSubDialFunction value);
    void SetTransverterIsOn(bool value);
    void SetTXSet(int32_t value);
    void SetTXWatch(bool value);
    void SetVFOMemoryMode(TVFOMemoryMode value);
    void SetVFOSelect(TVFO value);

    // Received-only state, set by the answer dispatch after PrepareRX().
    void SetBusy(bool busyA, bool busyB);
    void SetFastStepCode(uint8_t code);
    void SetLockCode(uint8_t code);
    void SetScan(TScan value);

    // Command operations: each sends its command; none changes local state.
    void AntennaDown();
    void AntennaUp();
    void BandDown(uint8_t vfo);
    void BandUp(uint8_t vfo);
    void BandSelect(TBand band);
    void ClarifierClear();
    void Down();
    void Up();
    void FrequencyAToB();
    void FrequencyBToA();
    void KeyerMemory(const QString& Channel);
    void PlaybackMemory(const QString& Channel);
    void QMBStore();
    void QMBRecall();
    void QuickSplit();
    void SetClarifier(int32_t AValue);
    void SetEnterKey();
    void SetFunctionKey(int32_t AValue);
    void SwapVFOs();
    void VFOAToB();
    void VFOBToA();
    void VFOAToMemoryChannel();
    void MemoryChannelToVFOA();
    void MemoryChannelDown();
    void MemoryChannelUp();
    void VMKeyFunction();

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
    // Internal: the scan state.
    TScanEvent OnScan;

protected:
    // Timer handlers.
    virtual void DoCOMPortTimer();
    virtual void DoPollRequestTimer();
    virtual void DoPowerSwitchTimer();
    virtual void DoRequestTimer();

private:
    // One answer of HandleCATCommand: its two-letter code and its parameter text.  Returns
    // false when a parameter is no number; that answer is then skipped whole.
    bool DispatchAnswer(const QString& code, const QString& P);
    // Answers whose target depends on the model.
    void MeterAnswer(QChar which, uint8_t value);
    void SubDialAnswer(const QString& P);
    void DSPButtonAnswer(const QString& P);
    // The VFO/memory mode digit of the information answers.
    void SetVFOMemoryModeDigit(QChar c);

    // Command rule.
    bool FCmdRcvd = false;
    bool FUserCommand = true;

    // Link.
    QPointer<vx::SerialPort> FCOMPort;
    TComState FComState = csInitializing;
    bool FUsingCOMPort = false;
    bool FCAT = false;
    // Answers from the radio end with ";"; noise may have none, and the radio's next answer
    // after it comes in a read of its own.
    TReceiveBuffer FRXBuffer{"CAT", QLatin1Char(';'), MaxRXCommand, TReceiveBuffer::TResync::AtNextReadWithSeparator};
    // Set while the engine feeds an answer of its own to HandleCATCommand.
    bool FLocalAnswer = false;
    int16_t RequestCounter = 0;

    // Radio state of the link (the rest of the radio state follows below).
    bool FPowerSwitch = false;
    QString FIdentification;
    TTransceiver FTransceiver = FT2000;
    bool FTransceiverAutoDetect = true;
    bool FAutoInformation = false;
    bool FShowMeter = true;
    TAntenna FAntenna[2] = {ant1, ant1};
    bool FAntennaRX[2] = {false, false};
    TAntennaTuner FAntennaTuner = atOff;
    TBand FBand[2] = {bd40, bd40};
    QString FBargraph = QStringLiteral("000");
    bool FBreakIn = false;
    bool FBusyA = false;
    bool FBusyB = false;
    bool FCWSpot = false;
    int32_t FClarifierOffset = 0;
    int32_t FClarifierRange = 9999;
    bool FClarifierRX = false;
    bool FClarifierTX = false;
    bool FDigitalMeter = true;
    TDisplay FDisplay = dpWorldClock;
    uint8_t FFastStepCode = 0;
    bool FFastStepA = false;
    bool FFastStepB = false;
    int32_t FFrequency[2] = {7000000, 7000000};
    TFunctionRX FFunctionRX = frxARX_BOFF;
    TVFO FFunctionTX = vfoA;
    QString FInformation;
    QString FInformationOpposite;
    uint8_t FLockCode = 0;
    bool FLockA = false;
    bool FLockB = false;
    uint8_t FMeter = 0;
    TMeterSwitch FMeterSwitch = mtSWR;
    TMode FMode[2] = {mdCW, mdCW};
    TModeKey FModeKey = mkCW;
    TModeType FModeType = mtCW;
    bool FMOX = false;
    QString FMyBands = QStringLiteral("1111111111110");
    bool FPLLUnlockStatus = false;
    TRadioStatus FRadioStatus = rsNormalMode;
    TRepeaterShift FRepeaterShift[2] = {rsSimplex, rsSimplex};
    bool FRXAOn = true;
    bool FRXBOn = false;
    TScan FScan = scOff;
    bool FSplit = false;
    TSubDialFunction FSubDialFunction = sdfOff;
    bool FTransmitting = false;
    bool FTransverterEnabled = false;
    bool FTransverterIsOn = false;
    int32_t FTransverterOffset = 44;
    uint8_t FTXSet = 0;
    bool FTXWatch = false;
    TVFOMemoryMode FVFOMemoryMode = vmVFOMode;
    TVFO FVFOSelect = vfoA;

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
