#pragma once
// Names and texts of the small front panel controls, without pixels: the pictures and hint
// of the receive and transmit lamps, and the frequency text of the memory channel panel.

#include "core/FTCATTypes.h"

#include <QSize>
#include <QString>
#include <array>
#include <cstdint>

enum TVFOButtonType : uint8_t { vfoARX, vfoATX, vfoBRX, vfoBTX };
enum TVFOState : uint8_t { vfoOff, vfoOn, vfoMute };

namespace smallcontrols {

// Model word of the lamp pictures: "FT2000", "FT950" or "FT5K".
QString ModelWord(TTransceiver model);
// Lamp size on that model's face.
QSize LampSize(TTransceiver model);
// The unlit ([0]) and lit ([1]) picture names, e.g. "FT2000_RX_0", "FT5K_TX_B_1".
std::array<QString, 2> LampPictureNames(TTransceiver model, TVFOButtonType type);
// "RX on", "TX mute" ...
QString LampHint(TVFOButtonType type, TVFOState state);
// Every lamp picture name of every model.
QStringList AllLampPictureNames();

// "14.074.000" for 14074000 Hz; empty for 0 or less.
QString MemoryFrequencyText(int32_t frequency);

} // namespace smallcontrols
