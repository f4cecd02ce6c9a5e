#pragma once
// The codec pages of both programs' settings dialogs against a codec: which items show it,
// what the items stand for, and the transfer rate of the shown choice.

#include "remote/RACodec.h"

class TSettingsAudioCodecsFrame;

// Selects the items of the codec; PCM44 has none, so its codec and rate groups show no item.
void LoadCodecPage(TSettingsAudioCodecsFrame& page, const TRACodec& codec);
// The page's choice into `main` (a group without item keeps its value); `other`, the opposite
// direction, takes the same codec and bits in mono.
void ApplyCodecPage(const TSettingsAudioCodecsFrame& page, TRACodec& main, TRACodec& other);
// The transfer rate of the page's choice, the codec's own values where a group has no item.
void ShowTransferRate(TSettingsAudioCodecsFrame& page, const TRACodec& codec);
