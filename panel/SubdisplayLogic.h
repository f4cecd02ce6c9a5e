#pragma once
// The FT DX 5000 sub display without widgets: which DSP function it shows, the caption and the
// value text of each, and the value and on/off state it reads from the engine for its VFO.

#include "core/RCTypes.h"

#include <QString>
#include <cstdint>
#include <optional>

class TFTCATInterface;

// What a sub display shows and its sub dial adjusts.
enum TDisplayMode : uint8_t { dpmNone, dpmVRF, dpmShift, dpmContour, dpmAPF, dpmNotch, dpmWidth, dpmDNR };

namespace subdisplay {

// Text colours, 0x00BBGGRR.
constexpr uint32_t clBright = 0x00FCDB83;
constexpr uint32_t clDim = 0x007C5B03;

// "VRF", "SHIFT" …; empty for dpmNone and values outside the enumeration.
QString Caption(TDisplayMode mode);
// The value as the display prints it ("+50 Hz", "1500 Hz", "05" …); empty where Caption is.
QString ValueText(TDisplayMode mode, int32_t position);

struct TReading {
    int32_t Position = 0;
    bool On = false;
};
// The printed value and whether the function is on, for the receiver of `vfo`; nothing for
// dpmNone and values outside the enumeration (the display then keeps what it had).
std::optional<TReading> Read(const TFTCATInterface& cat, TDisplayMode mode, TVFO vfo);

} // namespace subdisplay
