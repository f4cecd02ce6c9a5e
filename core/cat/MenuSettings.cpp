#include "core/cat/MenuSettings.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"
#include "core/cat/Rotator.h"
#include "core/cat/TX.h"
#include "platform/Clock.h"

#include <optional>

namespace {

// The cache holds 8-bit text, as the radio sends it.
QString toCacheText(const QString& s)
{
    QString out = s.left(TMenuSettings::MaxEntryLength);
    for (QChar& c : out) {
        if (c.unicode() > 0xFF)
            c = QLatin1Char('?');
    }
    return out;
}

} // namespace

TMenuSettings::TMenuSettings(TFTCATInterface* owner)
    : FOwner(owner)
    , FRequestTimer(std::make_unique<vx::Timer>(RequestIntervalMs, false))
{
    FRequestTimer->OnTimer = [this] { SendNextRequest(); };
}

TMenuSettings::~TMenuSettings() = default;

void TMenuSettings::GetMenu(int32_t AMenuNo)
{
    FOwner->PrepareTX();
    FOwner->SendCATCommand(QString::asprintf("EX%.3d", AMenuNo));
}

void TMenuSettings::GetAllMenuEntries()
{
    FOwner->PrepareTX();
    FPendingRequests.clear();
    QString text;
    for (int n = 1; n <= MenuCount; ++n) {
        text += QString::asprintf("EX%.3d;", n);
        if (n % 5 == 0) {
            FPendingRequests << text;
            text.clear();
        }
    }
    if (!text.isEmpty())
        FPendingRequests << text;
    // The first text goes out at once; the radio drops answers when the rest follow without
    // a pause, so they are paced like the poll lines.
    FRequestTimer->stop();
    SendNextRequest();
    if (!FPendingRequests.isEmpty())
        FRequestTimer->start();
}

void TMenuSettings::SendNextRequest()
{
    if (FPendingRequests.isEmpty()) {
        FRequestTimer->stop();
        return;
    }
    FOwner->SendCATCommand(FPendingRequests.takeFirst());
    if (FPendingRequests.isEmpty())
        FRequestTimer->stop();
}

QString TMenuSettings::GetMenuEntry(int32_t AIndex) const
{
    if (AIndex < 1 || AIndex > MenuCount)
        return {};
    return FMenuEntries[AIndex - 1];
}

QString TMenuSettings::CommandParameter(const QString& AValue)
{
    QString s;
    s.reserve(AValue.size());
    for (QChar c : AValue) {
        if (c == QLatin1Char(';') || c.unicode() < 0x20 || c.category() == QChar::Other_Control)
            continue;
        s += c;
    }
    return s;
}

void TMenuSettings::SetMenuEntry(int32_t AIndex, const QString& AValue)
{
    if (AIndex < 1 || AIndex > MenuCount || AValue.isEmpty())
        return;
    if (!FOwner->CmdRcvd()) {
        const QString parameter = CommandParameter(AValue);
        // Without a parameter the text would be a read request, not the change asked for.
        if (!parameter.isEmpty())
            FOwner->SendCATCommand(QString::asprintf("EX%.3d", AIndex) + parameter);
        return;
    }
    FMenuEntries[AIndex - 1] = toCacheText(AValue);
    FOwner->SetCmdRcvd(false);
    Fire(FOwner->OnMenuSettings, AIndex, AValue);
    ApplySideEffect(AIndex, AValue);
}

void TMenuSettings::ApplySideEffect(int32_t AIndex, const QString& AValue)
{
    const TTransceiver model = FOwner->Transceiver();
    const auto number = DecimalTextToInt(AValue);
    switch (model) {
    case FT2000:
    case FT2000D:
        switch (AIndex) {
        case 12: if (number) FOwner->Rotator()->SetOffset(*number); break;
        case 36: if (number) FOwner->SetTransverterOffset(*number); break;
        case 92: if (number) FOwner->RX()->SetContourGain(*number); break;
        case 97: if (number) FOwner->RX()->SetNarrowWidthDefault(mdCW, *number); break;
        case 100: if (number) FOwner->RX()->SetNarrowWidthDefault(mdPKT_L, *number); break;
        case 103: if (number) FOwner->RX()->SetNarrowWidthDefault(mdFSK, *number); break;
        case 106: if (number) FOwner->RX()->SetNarrowWidthDefault(mdLSB, *number); break;
        case 124: FOwner->SetMyBands(AValue); break;
        case 144: if (number) FOwner->TX()->SetMaximumPowerMenu(*number); break;
        default: break;
        }
        break;
    case FT950:
        switch (AIndex) {
        case 11: if (number) FOwner->Rotator()->SetOffset(*number); break;
        case 44: if (number) FOwner->TX()->SetCWBreakInDelay(*number); break;
        case 69: if (number) FOwner->RX()->SetContourGain(*number); break;
        case 90: FOwner->SetMyBands(AValue); break;
        default: break;
        }
        break;
    case FTDX5000:
        switch (AIndex) {
        case 14: if (number) FOwner->Rotator()->SetOffset(*number); break;
        case 151: FOwner->SetMyBands(AValue); break;
        case 171: if (number) FOwner->TX()->SetMaximumPowerMenu(*number); break;
        default: break;
        }
        break;
    }
}
