#include "core/cat/Presets.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"
#include "core/cat/TX.h"

namespace {

// Transmitter values of a preset, read through the transmitter's getters once it has them;
// until then its initial values stand in.
template <typename TXObject>
uint8_t micGainOf(const TXObject& tx)
{
    if constexpr (requires { tx.MicGain(); })
        return uint8_t(tx.MicGain());
    else
        return 0;
}

template <typename TXObject>
int powerControlOf(const TXObject& tx)
{
    if constexpr (requires { tx.PowerControl(); })
        return int(tx.PowerControl());
    else
        return 5;
}

template <typename TXObject>
int processorOf(const TXObject& tx)
{
    if constexpr (requires { tx.Processor(); })
        return int(tx.Processor());
    else
        return int(pOff);
}

} // namespace

TPresets::TPresets(TFTCATInterface* owner)
    : FOwner(owner)
{
}

void TPresets::LoadPresets(TPresetMode mode)
{
    const QString& text = FPresets[mode & 3];
    if (!text.isEmpty())
        FOwner->SendCATCommand(text);
}

void TPresets::SavePresets(TPresetMode mode)
{
    const TTX& tx = *FOwner->TX();
    const TRX& rx = *FOwner->RX();
    FPresets[mode & 3] = QString::asprintf("FR%d;FT%d;MD0%c;MG%.3d;MS%d;NA0%c;PC%.3d;SH0%.2d;GT0%d;PR%d;",
                                           int(FOwner->FunctionRX()), int(FOwner->FunctionTX()) + 2,
                                           ModeToCATChar(FOwner->ModeA()).toLatin1(), int(micGainOf(tx)),
                                           int(FOwner->MeterSwitch()), BoolToCATChar(rx.NarrowA()).toLatin1(),
                                           powerControlOf(tx), int(rx.FilterWidthA()), int(rx.AGCA()),
                                           processorOf(tx));
}
