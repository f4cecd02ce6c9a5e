#include "core/cat/RadioInformation.h"

#include "core/cat/FTCATInterface.h"

TRadioInformation::TRadioInformation(TFTCATInterface* owner)
    : FOwner(owner)
{
}

void TRadioInformation::Store(bool& field, bool value, const TSwitchEvent& event)
{
    if (value != field) {
        field = value;
        Fire(event, value);
    }
    FOwner->SetCmdRcvd(false);
}

void TRadioInformation::StoreDX5000(bool& field, bool value, const TSwitchEvent& event)
{
    if (FOwner->Transceiver() == FTDX5000)
        Store(field, value, event);
    else
        FOwner->SetCmdRcvd(false);
}

void TRadioInformation::SetClassA(bool value)
{
    if (value == FClassA) {
        FOwner->SetCmdRcvd(false);
        return;
    }
    FClassA = value;
    Fire(FOwner->OnRadioInformationClassA, value);
    // The transmitter's class A indicator follows the radio's report as well.
    Fire(FOwner->OnClassA, FClassA);
    FOwner->SetCmdRcvd(false);
}

void TRadioInformation::SetHiSWR(bool value)
{
    Store(FHiSWR, value, FOwner->OnRadioInformationHiSWR);
}

void TRadioInformation::SetMainRX(bool value)
{
    StoreDX5000(FMainRX, value, FOwner->OnRadioInformationMainRX);
}

void TRadioInformation::SetMainTX(bool value)
{
    StoreDX5000(FMainTX, value, FOwner->OnRadioInformationMainTX);
}

void TRadioInformation::SetMicEq(bool value)
{
    Store(FMicEq, value, FOwner->OnRadioInformationMicEq);
}

void TRadioInformation::SetPlay(bool value)
{
    Store(FPlay, value, FOwner->OnRadioInformationPlay);
}

void TRadioInformation::SetRec(bool value)
{
    Store(FRec, value, FOwner->OnRadioInformationRec);
}

void TRadioInformation::SetSubRX(bool value)
{
    StoreDX5000(FSubRX, value, FOwner->OnRadioInformationSubRX);
}

void TRadioInformation::SetSubTX(bool value)
{
    StoreDX5000(FSubTX, value, FOwner->OnRadioInformationSubTX);
}
