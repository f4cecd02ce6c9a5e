#include "core/cat/VRF.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"

TVRF::TVRF(TFTCATInterface* owner)
    : FFTCATInterface(owner)
{
}

// The preselector state is only ever stored from the radio's answers.

void TVRF::SetPosition(uint8_t vfo, int32_t value)
{
    vfo &= 1;
    if (value == FPosition[vfo] || !FFTCATInterface->CmdRcvd())
        return;
    FPosition[vfo] = ClampInt(value, 0, 255);
    FFTCATInterface->SetCmdRcvd(false);
}

void TVRF::SetState(uint8_t vfo, TVRFState value)
{
    vfo &= 1;
    if (value == FState[vfo] || !FFTCATInterface->CmdRcvd())
        return;
    FState[vfo] = value;
    FFTCATInterface->SetCmdRcvd(false);
}

void TVRF::SetStep(int32_t value)
{
    if (value == FStep || !FFTCATInterface->CmdRcvd())
        return;
    FStep = value;
    FFTCATInterface->SetCmdRcvd(false);
}

void TVRF::SetVRFType(uint8_t vfo, TVRFType value)
{
    vfo &= 1;
    if (value != FVRFType[vfo] && FFTCATInterface->CmdRcvd()) {
        FVRFType[vfo] = value;
        FFTCATInterface->SetCmdRcvd(false);
    }
    // Raised for every type report: it closes the answer that set state and position.
    Fire(FFTCATInterface->OnVRF, TVFO(vfo), FVRFType[vfo], FState[vfo], FPosition[vfo]);
}

void TVRF::SendVRFCommand(uint8_t AVFO, int32_t AState, int32_t AStep)
{
    if (AState < 0 || AState > 2)
        return;
    const QString step = AStep >= 0 ? QStringLiteral("+%1").arg(AStep) : QString::number(AStep);
    FFTCATInterface->SendCATCommand(QStringLiteral("VF%1%2").arg(AVFO == 0 ? 0 : 1).arg(AState) + step);
}
