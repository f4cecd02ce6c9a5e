#pragma once
// Event types of the CAT engine, beside the shared ones of RCTypes.h.

#include "core/FTCATTypes.h"
#include "core/RCTypes.h"

class TMemoryChannel;

using TVFOEvent = std::function<void(TVFO VFO)>;
using TAGCEvent = std::function<void(uint8_t AVFO, TAGC Value)>;
using TAntennaEvent = std::function<void(uint8_t AVFO, TAntenna Value)>;
using TAttenuatorEvent = std::function<void(uint8_t AVFO, TAttenuator Value)>;
using TBandEvent = std::function<void(uint8_t AVFO, TBand Value)>;
using TContourEvent = std::function<void(uint8_t AVFO, TContour Value)>;
using TIPOEvent = std::function<void(uint8_t AVFO, TIPO Value)>;
using TNoiseBlankerEvent = std::function<void(uint8_t AVFO, TNoiseBlanker Value)>;
using TRoofingFilterEvent = std::function<void(uint8_t AVFO, TRoofingFilter Value)>;
using TAntennaRXEvent = std::function<void(uint8_t AVFO, bool Value)>;
using TAntennaTunerEvent = std::function<void(TAntennaTuner Value)>;
using TDisplayEvent = std::function<void(TDisplay Value)>;
using TFunctionRXEvent = std::function<void(TFunctionRX Value)>;
using TIPCEvent = std::function<void(TIPCInformation Value)>;
using TMeterSwitchEvent = std::function<void(TMeterSwitch Value)>;
using TProcessorEvent = std::function<void(TProcessor Value)>;
using TRadioStatusEvent = std::function<void(TRadioStatus Value)>;
using TRepeaterShiftEvent = std::function<void(TRepeaterShift Value)>;
using TScanEvent = std::function<void(TScan Value)>;
using TSubDialFunctionEvent = std::function<void(TSubDialFunction Value)>;
using TTransceiverEvent = std::function<void(TTransceiver Value)>;
using TVFOMemoryModeEvent = std::function<void(TVFOMemoryMode Value)>;
using TComStateEvent = std::function<void(TComState ComState)>;
using TModeEvent = std::function<void(TMode Mode)>;
using TModeTypeEvent = std::function<void(TModeType ModeType)>;
using TBusyEvent = std::function<void(bool ABusyA, bool ABusyB)>;
using TDSPButtonEvent = std::function<void(uint8_t AVFO, TDSPButton Value, bool OnOff, TDSPButton Display)>;
using TFilterEvent =
    std::function<void(uint8_t AVFO, int32_t AFilterWidth, uint8_t AMin, uint8_t AMax, uint8_t APosition, uint8_t ABars)>;
using TMemoryChannelEvent = std::function<void(TMemoryChannel* MemoryChannel)>;
using TMenuSettingsEvent = std::function<void(int32_t MenuNo, const QString& MenuParameter)>;
using TRotatorEvent = std::function<void(TRotatorState RotatorState, int32_t Direction, int32_t Speed)>;
using TVRFEvent = std::function<void(TVFO VFO, TVRFType VRFType, TVRFState VRFState, int32_t VRFPosition)>;
