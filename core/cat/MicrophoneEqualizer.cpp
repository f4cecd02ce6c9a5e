#include "core/cat/MicrophoneEqualizer.h"

#include "core/cat/FTCATInterface.h"

TMicrophoneEqualizer::TMicrophoneEqualizer(TFTCATInterface* owner)
    : FOwner(owner)
{
}

int32_t TMicrophoneEqualizer::FirstMenu() const
{
    switch (FOwner->Transceiver()) {
    case FT950: return 91;
    case FTDX5000: return 152;
    default: return 125;
    }
}

int32_t TMicrophoneEqualizer::BandwidthMenu() const
{
    switch (FOwner->Transceiver()) {
    case FT950: return 64;
    case FTDX5000: return 104;
    default: return 85;
    }
}

TMicEQ TMicrophoneEqualizer::GetMicEQType(int32_t AMenuNo) const
{
    if (AMenuNo == BandwidthMenu())
        return meqTXBandwidth;
    const int32_t i = AMenuNo - FirstMenu();
    if (i >= 0 && i <= int32_t(meqProcHighQ))
        return TMicEQ(i);
    return meqNone;
}

int32_t TMicrophoneEqualizer::GetMicEQMenuNo(TMicEQ item) const
{
    if (item == meqTXBandwidth)
        return BandwidthMenu();
    if (item == meqNone)
        return 0;
    return FirstMenu() + int32_t(item);
}

void TMicrophoneEqualizer::RequestMenuSettings()
{
    const int32_t first = FirstMenu();
    QString low;
    QString high;
    for (int i = 0; i < 9; ++i) {
        low += QString::asprintf(i ? ";EX%.3d" : "EX%.3d", first + i);
        high += QString::asprintf(i ? ";EX%.3d" : "EX%.3d", first + 9 + i);
    }
    FOwner->PrepareTX();
    FOwner->SendCATCommand(QString::asprintf("EX%.3d", BandwidthMenu()));
    FOwner->PrepareTX();
    FOwner->SendCATCommand(low);
    FOwner->PrepareTX();
    FOwner->SendCATCommand(high);
}

void TMicrophoneEqualizer::SaveToMenu(TMicEQ AMicEqType, int32_t AValue)
{
    QString text;
    switch (AMicEqType) {
    case meqMicLowG:
    case meqMicMidG:
    case meqMicHighG:
    case meqProcLowG:
    case meqProcMidG:
    case meqProcHighG:
        text = QString::asprintf("EX%.3d%c%.2d", GetMicEQMenuNo(AMicEqType), AValue < 0 ? '-' : '+',
                                 AValue < 0 ? -AValue : AValue);
        break;
    case meqTXBandwidth:
    case meqNone:
        return;
    default:
        text = QString::asprintf("EX%.3d%.2d", GetMicEQMenuNo(AMicEqType), AValue);
        break;
    }
    FOwner->PrepareTX();
    FOwner->SendCATCommand(text);
}

void TMicrophoneEqualizer::SaveBandwidthToMenu(int32_t AValue)
{
    FOwner->PrepareTX();
    FOwner->SendCATCommand(QString::asprintf("EX%.3d%d", BandwidthMenu(), AValue));
}
