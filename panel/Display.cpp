#include "panel/Display.h"

namespace lcd {

TDisplay::TDisplay(TDisplayOwner* parent) : FParent(parent) {}

template <typename T>
void TDisplay::Assign(T& field, T value, TLcdGroup group)
{
    if (field == value)
        return;
    field = value;
    if (FParent)
        FParent->RedrawGroup(group);
}

template <typename T>
void TDisplay::Assign(T& field, T value, TVFO vfo, TLcdGroup groupA, TLcdGroup groupB)
{
    Assign(field, value, vfo == vfoA ? groupA : groupB);
}

void TDisplay::SetAGC(TVFO vfo, TAGC value)
{
    Assign(FAGC[vfo], value, vfo, TLcdGroup::AGCA, TLcdGroup::AGCB);
}

void TDisplay::SetAntenna(TVFO vfo, TAntenna value)
{
    Assign(FAntenna[vfo], value, vfo, TLcdGroup::AntennaA, TLcdGroup::AntennaB);
}

void TDisplay::SetAntennaRX(TVFO vfo, bool value)
{
    Assign(FAntennaRX[vfo], value, vfo, TLcdGroup::AntennaRXA, TLcdGroup::AntennaRXB);
}

void TDisplay::SetAntennaTuner(TAntennaTuner value) { Assign(FAntennaTuner, value, TLcdGroup::Tuner); }

void TDisplay::SetAttenuator(TVFO vfo, TAttenuator value)
{
    Assign(FAttenuator[vfo], value, vfo, TLcdGroup::AttenuatorA, TLcdGroup::AttenuatorB);
}

void TDisplay::SetBargraph(const QString& value)
{
    if (FBargraph == value)
        return;
    FBargraph = value;
    if (FParent)
        FParent->ShowBargraph(value);
}

void TDisplay::SetBreakIn(bool value) { Assign(FBreakIn, value, TLcdGroup::BreakIn); }

void TDisplay::SetBusy(TVFO vfo, bool value)
{
    Assign(FBusy[vfo], value, vfo, TLcdGroup::BusyA, TLcdGroup::BusyB);
}

void TDisplay::SetClarifier(bool value) { Assign(FClarifier, value, TLcdGroup::Clarifier); }

void TDisplay::ShowContour()
{
    if (!FParent)
        return;
    switch (FContour) {
    case conOff:
        FParent->EraseContourRow();
        break;
    case conOn:
        FParent->RedrawGroup(TLcdGroup::ContourRow);
        break;
    case conAPF:
        FParent->EraseContourRow();
        FParent->RedrawGroup(TLcdGroup::ContourRow);
        break;
    }
}

void TDisplay::SetContour(TContour value)
{
    if (FContour == value)
        return;
    FContour = value;
    ShowContour();
}

void TDisplay::SetContourLevel(uint8_t value) { Assign(FContourLevel, value, TLcdGroup::ContourRow); }

void TDisplay::SetContourGain(int32_t value)
{
    if (FContourGain == value)
        return;
    FContourGain = value;
    ShowContour();
}

void TDisplay::SetDNF(bool value) { Assign(FDNF, value, TLcdGroup::DNF); }
void TDisplay::SetDNR(bool value) { Assign(FDNR, value, TLcdGroup::DNR); }

void TDisplay::SetFastStep(TVFO vfo, bool value)
{
    Assign(FFastStep[vfo], value, vfo, TLcdGroup::FastA, TLcdGroup::FastB);
}

void TDisplay::SetFilterWidthBars(uint8_t value) { Assign(FFilterWidthBars, value, TLcdGroup::WidthRow); }
void TDisplay::SetIFShift(int32_t value) { Assign(FIFShift, value, TLcdGroup::ShiftRow); }

void TDisplay::SetIPO(TVFO vfo, TIPO value)
{
    Assign(FIPO[vfo], value, vfo, TLcdGroup::IPOA, TLcdGroup::IPOB);
}

void TDisplay::SetKeyPitch(uint8_t value)
{
    if (FKeyPitch == value)
        return;
    FKeyPitch = value;
    if (FParent)
        FParent->InvalidateDisplay();
}

void TDisplay::SetKeyer(bool value) { Assign(FKeyer, value, TLcdGroup::Keyer); }

void TDisplay::SetLock(TVFO vfo, bool value)
{
    Assign(FLock[vfo], value, vfo, TLcdGroup::LockA, TLcdGroup::LockB);
}

void TDisplay::SetNotchA(bool value)
{
    if (FNotch == value)
        return;
    FNotch = value;
    if (FParent)
        FParent->InvalidateDisplay();
}

void TDisplay::SetNotchLevelA(int32_t value) { Assign(FNotchLevel, value, TLcdGroup::NotchRow); }

void TDisplay::SetMode(TVFO vfo, TMode value)
{
    Assign(FMode[vfo], value, vfo, TLcdGroup::ModeA, TLcdGroup::ModeB);
}

void TDisplay::SetMonitor(bool value) { Assign(FMonitor, value, TLcdGroup::Monitor); }

void TDisplay::SetNarrow(TVFO vfo, bool value)
{
    Assign(FNarrow[vfo], value, vfo, TLcdGroup::NarrowA, TLcdGroup::NarrowB);
}

void TDisplay::SetNoiseBlanker(TVFO vfo, TNoiseBlanker value)
{
    Assign(FNoiseBlanker[vfo], value, vfo, TLcdGroup::NoiseBlankerA, TLcdGroup::NoiseBlankerB);
}

void TDisplay::SetProcessor(bool value) { Assign(FProcessor, value, TLcdGroup::Processor); }
void TDisplay::SetRIClassA(bool value) { Assign(FRIClassA, value, TLcdGroup::ClassA); }
void TDisplay::SetRIHiSWR(bool value) { Assign(FRIHiSWR, value, TLcdGroup::HiSWR); }
void TDisplay::SetRIMicEq(bool value) { Assign(FRIMicEq, value, TLcdGroup::MicEq); }
void TDisplay::SetRIPlay(bool value) { Assign(FRIPlay, value, TLcdGroup::Play); }
void TDisplay::SetRIRec(bool value) { Assign(FRIRec, value, TLcdGroup::Rec); }

void TDisplay::SetRoofingFilter(TVFO vfo, TRoofingFilter value)
{
    Assign(FRoofingFilter[vfo], value, vfo, TLcdGroup::RoofingFilterA, TLcdGroup::RoofingFilterB);
}

void TDisplay::SetSMeterValueB(int32_t value)
{
    if (FSMeterValueB == value)
        return;
    FSMeterValueB = value;
    // The FT-950 has no sub receiver meter.
    if (FParent && FParent->Transceiver() != FT950)
        FParent->ShowSMeterB(uint8_t(value & 0xFF));
}

void TDisplay::SetTXSet(TVFO vfo, bool value)
{
    Assign(FTXSet[vfo], value, vfo, TLcdGroup::TXA, TLcdGroup::TXB);
}

void TDisplay::SetVFOMemoryMode(TVFOMemoryMode value) { Assign(FVFOMemoryMode, value, TLcdGroup::MRMT); }

void TDisplay::SetVRFState(TVFO vfo, TVRFState value)
{
    Assign(FVRFState[vfo], value, vfo, TLcdGroup::VRFA, TLcdGroup::VRFB);
}

void TDisplay::SetVRFType(TVFO vfo, TVRFType value)
{
    Assign(FVRFType[vfo], value, vfo, TLcdGroup::VRFA, TLcdGroup::VRFB);
}

} // namespace lcd
