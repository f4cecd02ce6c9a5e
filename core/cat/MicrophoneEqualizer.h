#pragma once
// The microphone equalizer and SSB transmit bandwidth menus of each model.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TMicrophoneEqualizer {
public:
    explicit TMicrophoneEqualizer(TFTCATInterface* owner);

    // The equalizer item a menu number belongs to on the current model, or meqNone.
    TMicEQ GetMicEQType(int32_t AMenuNo) const;
    // The menu number of an item on the current model (0 for meqNone).
    int32_t GetMicEQMenuNo(TMicEQ item) const;
    // Asks the radio for the bandwidth and all eighteen equalizer items.
    void RequestMenuSettings();
    // Writes one equalizer item; the gains carry a sign.
    void SaveToMenu(TMicEQ AMicEqType, int32_t AValue);
    void SaveBandwidthToMenu(int32_t AValue);

private:
    int32_t FirstMenu() const;
    int32_t BandwidthMenu() const;

    TFTCATInterface* FOwner;
};
