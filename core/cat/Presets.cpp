#include "core/cat/Presets.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"
#include "core/cat/TX.h"

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
                                           ModeToCATChar(FOwner->ModeA()).toLatin1(), int(tx.MicGain()),
                                           int(FOwner->MeterSwitch()), BoolToCATChar(rx.NarrowA()).toLatin1(),
                                           int(tx.PowerControl()), int(rx.FilterWidthA()), int(rx.AGCA()),
                                           int(tx.Processor()));
}
