#pragma once
// Radio settings exchanged between the CAT engine and its views, and the engine's own
// enumerations.

#include <cstdint>

enum TAntenna : uint8_t { ant1, ant2, ant3, ant4 };
enum TAntennaTuner : uint8_t { atOff, atOn, atStart };
enum TAGC : uint8_t { agcOff, agcFast, agcMid, agcSlow, agcAuto, agcAutoFast, agcAutoMid, agcAutoSlow };
enum TAttenuator : uint8_t { attOff, att6dB, att12dB, att18dB };
enum TContour : uint8_t { conOff, conOn, conAPF };
enum TIPO : uint8_t { ipo1, ipoAmp1, ipoAmp2, ipo2 };
enum TMeterSwitch : uint8_t { mtCOMP, mtALC, mtPO, mtSWR, mtID, mtVDD };
enum TMicEQ : uint8_t {
    meqMicLowF, meqMicLowG, meqMicLowQ, meqMicMidF, meqMicMidG, meqMicMidQ, meqMicHighF, meqMicHighG, meqMicHighQ,
    meqProcLowF, meqProcLowG, meqProcLowQ, meqProcMidF, meqProcMidG, meqProcMidQ, meqProcHighF, meqProcHighG,
    meqProcHighQ, meqTXBandwidth, meqNone
};
enum TMode : uint8_t { mdLSB, mdUSB, mdCW, mdFM, mdAM, mdFSK, mdCW_R, mdPKT_L, mdFSK_R, mdPKT_FM, mdFM_N, mdPKT_U };
enum TNoiseBlanker : uint8_t { nbOff, nbOn, nbWide };
enum TProcessor : uint8_t { pOff, pOn, pMicEq };
enum TRoofingFilter : uint8_t {
    rfltAuto, rflt15kHz, rflt6kHz, rflt3kHz, rfltAuto15kHz, rfltAuto6kHz, rfltAuto3kHz, rflt600Hz, rflt300Hz,
    rfltAuto600Hz, rfltAuto300Hz
};
enum TTransceiver : uint8_t { FT2000, FT2000D, FT950, FTDX5000 };
enum TVFOMemoryMode : uint8_t { vmVFOMode, vmMemoryMode, vmMemoryTune, vmQMB, vmQMBMT };
enum TVRFState : uint8_t { vrfStateOff, vrfStateOn, vrfStateDefault };
enum TVRFType : uint8_t { vrfTypeVRF, vrfuTuneTypeOn };

// Enumerations of the CAT engine.
enum TComState : uint8_t { csInitializing, csOffline, csConnected };
enum TCTCSSState : uint8_t { ctcssOff, ctcssEncDec, ctcssEnc };
enum TDisplay : uint8_t {
    dpWorldClock, dpBandScope, dpAFOscilloscope, dpLogBook, dpTemperatureSWR, dpRotator, dpMemoryChannel
};
enum TDSPButton : uint8_t { btnNone, btnSHIFT, btnWIDTH, btnCONTOUR_APF, btnNOTCH, btnVRF_UTUNE, btnDNR, btnDNF };
enum TFunctionRX : uint8_t { frxARX_BOFF, frxAMute_BOFF, frxARX_BRX, frxAMute_BRX, frxAOff_BRX, frxAOff_BMute };
enum TIPCInformation : uint8_t {
    ipcFrequencyA, ipcFrequencyB, ipcModeA, ipcModeB, ipcPowerLevel, ipcPowerSwitch, ipcSplit, ipcTX
};
enum TModeKey : uint8_t { mkLSB, mkUSB, mkCW, mkAM, mkFM, mkRTTY, mkPKT };
enum TPresetMode : uint8_t { pmCW, pmSSB, pmRTTY, pmJT65 };
enum TRadioStatus : uint8_t { rsNormalMode, rsMenuMode };
enum TRepeaterShift : uint8_t { rsSimplex, rsPlusShift, rsMinusShift };
enum TRotatorState : uint8_t { rcOff, rcCounterClockwise, rcClockwise, rcSpeedUp, rcSpeedDown };
enum TScan : uint8_t { scOff, scUpward, scDownward };
enum TSubDialFunction : uint8_t {
    sdfBandVFOA, sdfMHzVFOA, sdfGRP, sdfMCH, sdfBandVFOB, sdfMHzVFOB, sdfFastVFOB, sdfAB, sdfOff, sdfBand, sdfDIAL,
    sdfCLAR
};
