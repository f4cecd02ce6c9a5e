#pragma once
// The radio's status flags reported with "RI" (high SWR, recording, class A and the rest).
// Written only from the radio's answers; none sends a command.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TRadioInformation {
public:
    explicit TRadioInformation(TFTCATInterface* owner);

    bool ClassA() const { return FClassA; }
    void SetClassA(bool value);
    bool HiSWR() const { return FHiSWR; }
    void SetHiSWR(bool value);
    bool MainRX() const { return FMainRX; }
    void SetMainRX(bool value);
    bool MainTX() const { return FMainTX; }
    void SetMainTX(bool value);
    bool MicEq() const { return FMicEq; }
    void SetMicEq(bool value);
    bool Play() const { return FPlay; }
    void SetPlay(bool value);
    bool Rec() const { return FRec; }
    void SetRec(bool value);
    bool SubRX() const { return FSubRX; }
    void SetSubRX(bool value);
    bool SubTX() const { return FSubTX; }
    void SetSubTX(bool value);

private:
    // Stores a flag and raises its event when it changed; the received flag is cleared in
    // every case.
    void Store(bool& field, bool value, const TSwitchEvent& event);
    // The receive and transmit flags exist on the FTDX5000 only.
    void StoreDX5000(bool& field, bool value, const TSwitchEvent& event);

    TFTCATInterface* FOwner;
    bool FClassA = false;
    bool FHiSWR = false;
    bool FMainRX = false;
    bool FMainTX = false;
    bool FMicEq = false;
    bool FPlay = false;
    bool FRec = false;
    bool FSubRX = false;
    bool FSubTX = false;
};
