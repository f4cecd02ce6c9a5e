#pragma once
// Everything the simulated LCD shows, in one state object.  The front panel writes radio
// state into it; each write that changes a value asks the LCD to redraw only the indicator
// group showing it.

#include "core/FTCATTypes.h"
#include "core/RCTypes.h"
#include "panel/LcdLayout.h"

#include <QString>
#include <cstdint>

namespace lcd {

// What a TDisplay needs of the LCD that owns it.
class TDisplayOwner {
public:
    virtual ~TDisplayOwner() = default;
    virtual TTransceiver Transceiver() const = 0;
    // Redraw one indicator group now (only its area).
    virtual void RedrawGroup(TLcdGroup group) = 0;
    // Draw the contour row dim in all cells.
    virtual void EraseContourRow() = 0;
    // Repaint the whole LCD.
    virtual void InvalidateDisplay() = 0;
    // Pass the bargraph text to the offset bargraph and redraw it.
    virtual void ShowBargraph(const QString& text) = 0;
    // Set the sub receiver's S-meter bargraph.
    virtual void ShowSMeterB(uint8_t value) = 0;
};

class TDisplay {
public:
    explicit TDisplay(TDisplayOwner* parent);

    TDisplayOwner* Parent() const { return FParent; }

    TAGC AGCA() const { return FAGC[vfoA]; }
    TAGC AGCB() const { return FAGC[vfoB]; }
    TAGC AGC(TVFO vfo) const { return FAGC[vfo]; }
    void SetAGC(TVFO vfo, TAGC value);
    void SetAGCA(TAGC value) { SetAGC(vfoA, value); }
    void SetAGCB(TAGC value) { SetAGC(vfoB, value); }

    TAntenna AntennaA() const { return FAntenna[vfoA]; }
    TAntenna AntennaB() const { return FAntenna[vfoB]; }
    void SetAntenna(TVFO vfo, TAntenna value);
    void SetAntennaA(TAntenna value) { SetAntenna(vfoA, value); }
    void SetAntennaB(TAntenna value) { SetAntenna(vfoB, value); }

    bool AntennaRXA() const { return FAntennaRX[vfoA]; }
    bool AntennaRXB() const { return FAntennaRX[vfoB]; }
    void SetAntennaRX(TVFO vfo, bool value);
    void SetAntennaRXA(bool value) { SetAntennaRX(vfoA, value); }
    void SetAntennaRXB(bool value) { SetAntennaRX(vfoB, value); }

    TAntennaTuner AntennaTuner() const { return FAntennaTuner; }
    void SetAntennaTuner(TAntennaTuner value);

    TAttenuator AttenuatorA() const { return FAttenuator[vfoA]; }
    TAttenuator AttenuatorB() const { return FAttenuator[vfoB]; }
    void SetAttenuator(TVFO vfo, TAttenuator value);
    void SetAttenuatorA(TAttenuator value) { SetAttenuator(vfoA, value); }
    void SetAttenuatorB(TAttenuator value) { SetAttenuator(vfoB, value); }

    QString Bargraph() const { return FBargraph; }
    void SetBargraph(const QString& value);

    bool BreakIn() const { return FBreakIn; }
    void SetBreakIn(bool value);

    bool BusyA() const { return FBusy[vfoA]; }
    bool BusyB() const { return FBusy[vfoB]; }
    void SetBusy(TVFO vfo, bool value);
    void SetBusyA(bool value) { SetBusy(vfoA, value); }
    void SetBusyB(bool value) { SetBusy(vfoB, value); }

    bool Clarifier() const { return FClarifier; }
    void SetClarifier(bool value);

    TContour Contour() const { return FContour; }
    void SetContour(TContour value);
    uint8_t ContourLevel() const { return FContourLevel; }
    void SetContourLevel(uint8_t value);
    int32_t ContourGain() const { return FContourGain; }
    void SetContourGain(int32_t value);

    bool DNF() const { return FDNF; }
    void SetDNF(bool value);
    bool DNR() const { return FDNR; }
    void SetDNR(bool value);

    bool FastStepA() const { return FFastStep[vfoA]; }
    bool FastStepB() const { return FFastStep[vfoB]; }
    void SetFastStep(TVFO vfo, bool value);
    void SetFastStepA(bool value) { SetFastStep(vfoA, value); }
    void SetFastStepB(bool value) { SetFastStep(vfoB, value); }

    uint8_t FilterWidthBars() const { return FFilterWidthBars; }
    void SetFilterWidthBars(uint8_t value);

    int32_t IFShift() const { return FIFShift; }
    void SetIFShift(int32_t value);

    TIPO IPOA() const { return FIPO[vfoA]; }
    TIPO IPOB() const { return FIPO[vfoB]; }
    void SetIPO(TVFO vfo, TIPO value);
    void SetIPOA(TIPO value) { SetIPO(vfoA, value); }
    void SetIPOB(TIPO value) { SetIPO(vfoB, value); }

    uint8_t KeyPitch() const { return FKeyPitch; }
    void SetKeyPitch(uint8_t value);

    bool Keyer() const { return FKeyer; }
    void SetKeyer(bool value);

    bool LockA() const { return FLock[vfoA]; }
    bool LockB() const { return FLock[vfoB]; }
    void SetLock(TVFO vfo, bool value);
    void SetLockA(bool value) { SetLock(vfoA, value); }
    void SetLockB(bool value) { SetLock(vfoB, value); }

    bool NotchA() const { return FNotch; }
    void SetNotchA(bool value);
    int32_t NotchLevelA() const { return FNotchLevel; }
    void SetNotchLevelA(int32_t value);

    TMode ModeA() const { return FMode[vfoA]; }
    TMode ModeB() const { return FMode[vfoB]; }
    void SetMode(TVFO vfo, TMode value);
    void SetModeA(TMode value) { SetMode(vfoA, value); }
    void SetModeB(TMode value) { SetMode(vfoB, value); }

    bool Monitor() const { return FMonitor; }
    void SetMonitor(bool value);

    bool NarrowA() const { return FNarrow[vfoA]; }
    bool NarrowB() const { return FNarrow[vfoB]; }
    void SetNarrow(TVFO vfo, bool value);
    void SetNarrowA(bool value) { SetNarrow(vfoA, value); }
    void SetNarrowB(bool value) { SetNarrow(vfoB, value); }

    TNoiseBlanker NoiseBlankerA() const { return FNoiseBlanker[vfoA]; }
    TNoiseBlanker NoiseBlankerB() const { return FNoiseBlanker[vfoB]; }
    void SetNoiseBlanker(TVFO vfo, TNoiseBlanker value);
    void SetNoiseBlankerA(TNoiseBlanker value) { SetNoiseBlanker(vfoA, value); }
    void SetNoiseBlankerB(TNoiseBlanker value) { SetNoiseBlanker(vfoB, value); }

    bool Processor() const { return FProcessor; }
    void SetProcessor(bool value);

    bool RIClassA() const { return FRIClassA; }
    void SetRIClassA(bool value);
    bool RIHiSWR() const { return FRIHiSWR; }
    void SetRIHiSWR(bool value);
    bool RIMicEq() const { return FRIMicEq; }
    void SetRIMicEq(bool value);
    bool RIPlay() const { return FRIPlay; }
    void SetRIPlay(bool value);
    bool RIRec() const { return FRIRec; }
    void SetRIRec(bool value);

    TRoofingFilter RoofingFilterA() const { return FRoofingFilter[vfoA]; }
    TRoofingFilter RoofingFilterB() const { return FRoofingFilter[vfoB]; }
    void SetRoofingFilter(TVFO vfo, TRoofingFilter value);
    void SetRoofingFilterA(TRoofingFilter value) { SetRoofingFilter(vfoA, value); }
    void SetRoofingFilterB(TRoofingFilter value) { SetRoofingFilter(vfoB, value); }

    int32_t SMeterValueB() const { return FSMeterValueB; }
    void SetSMeterValueB(int32_t value);

    bool TXSetA() const { return FTXSet[vfoA]; }
    bool TXSetB() const { return FTXSet[vfoB]; }
    void SetTXSet(TVFO vfo, bool value);
    void SetTXSetA(bool value) { SetTXSet(vfoA, value); }
    void SetTXSetB(bool value) { SetTXSet(vfoB, value); }

    TVFOMemoryMode VFOMemoryMode() const { return FVFOMemoryMode; }
    void SetVFOMemoryMode(TVFOMemoryMode value);

    TVRFState VRFStateA() const { return FVRFState[vfoA]; }
    TVRFState VRFStateB() const { return FVRFState[vfoB]; }
    void SetVRFState(TVFO vfo, TVRFState value);
    void SetVRFStateA(TVRFState value) { SetVRFState(vfoA, value); }
    void SetVRFStateB(TVRFState value) { SetVRFState(vfoB, value); }

    TVRFType VRFTypeA() const { return FVRFType[vfoA]; }
    TVRFType VRFTypeB() const { return FVRFType[vfoB]; }
    void SetVRFType(TVFO vfo, TVRFType value);
    void SetVRFTypeA(TVRFType value) { SetVRFType(vfoA, value); }
    void SetVRFTypeB(TVRFType value) { SetVRFType(vfoB, value); }

private:
    template <typename T>
    void Assign(T& field, T value, TLcdGroup group);
    template <typename T>
    void Assign(T& field, T value, TVFO vfo, TLcdGroup groupA, TLcdGroup groupB);
    // The contour row after a change of Contour or ContourGain.
    void ShowContour();

    TDisplayOwner* FParent;
    TAGC FAGC[2] = {agcOff, agcOff};
    TAntenna FAntenna[2] = {ant1, ant1};
    bool FAntennaRX[2] = {false, false};
    TAntennaTuner FAntennaTuner = atOff;
    TAttenuator FAttenuator[2] = {attOff, attOff};
    QString FBargraph;
    bool FBreakIn = false;
    bool FBusy[2] = {false, false};
    bool FClarifier = false;
    TContour FContour = conOff;
    uint8_t FContourLevel = 15;
    int32_t FContourGain = -15;
    bool FDNF = false;
    bool FDNR = false;
    bool FFastStep[2] = {false, false};
    uint8_t FFilterWidthBars = 16;
    int32_t FIFShift = 0;
    TIPO FIPO[2] = {ipoAmp1, ipoAmp1};
    uint8_t FKeyPitch = 0;
    bool FKeyer = false;
    bool FLock[2] = {false, false};
    bool FNotch = false;
    int32_t FNotchLevel = 150;
    TMode FMode[2] = {mdCW, mdCW};
    bool FMonitor = false;
    bool FNarrow[2] = {false, false};
    TNoiseBlanker FNoiseBlanker[2] = {nbOff, nbOff};
    bool FProcessor = false;
    bool FRIClassA = false;
    bool FRIHiSWR = false;
    bool FRIMicEq = false;
    bool FRIPlay = false;
    bool FRIRec = false;
    TRoofingFilter FRoofingFilter[2] = {rfltAuto3kHz, rfltAuto3kHz};
    int32_t FSMeterValueB = 0;
    bool FTXSet[2] = {false, false};
    TVFOMemoryMode FVFOMemoryMode = vmVFOMode;
    TVRFState FVRFState[2] = {vrfStateOff, vrfStateOff};
    TVRFType FVRFType[2] = {vrfTypeVRF, vrfTypeVRF};
};

} // namespace lcd
