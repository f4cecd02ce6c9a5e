#include "core/cat/Keyer.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"

TKeyer::TKeyer(TFTCATInterface* owner)
    : FOwner(owner)
{
}

void TKeyer::SetKeyer(bool value)
{
    if (value == FKeyer)
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(CATFlagCommand("KR", value));
        return;
    }
    FKeyer = value;
    Fire(FOwner->OnKeyer, value);
    FOwner->SetCmdRcvd(false);
}

QString TKeyer::KeyerMemory(int n) const
{
    if (n < 1 || n > 5)
        return {};
    return FKeyerMemory[n - 1];
}

QString TKeyer::MemoryCommandText(const QString& text)
{
    QString s;
    s.reserve(text.size() + 1);
    for (QChar c : text) {
        if (c == QLatin1Char(';') || c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            continue;
        s += c;
    }
    if (s.size() > MaxMemoryText)
        s.truncate(MaxMemoryText);
    if (!s.endsWith(QLatin1Char('}')))
        s += QLatin1Char('}');
    return s;
}

void TKeyer::SetKeyerMemory(int n, const QString& value)
{
    if (n < 1 || n > 5)
        return;
    QString& stored = FKeyerMemory[n - 1];
    if (value == stored)
        return;
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QStringLiteral("KM%1").arg(n) + MemoryCommandText(value));
        // The views learn that a change is on its way; the text follows with the answer.
        Fire(FOwner->OnKeyerMemory, uint8_t(n), stored);
        return;
    }
    stored = value;
    Fire(FOwner->OnKeyerMemory, uint8_t(n), stored);
    FOwner->SetCmdRcvd(false);
}

void TKeyer::SetKeyPitch(int32_t value)
{
    if (value == FKeyPitch)
        return;
    const bool dx5000 = FOwner->Transceiver() == FTDX5000;
    value = ClampInt(value, 0, dx5000 ? 75 : 15);
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("KP%.2d", value));
        return;
    }
    FKeyPitch = value;
    FKeyPitchFrequency = dx5000 ? value * 10 + 300 : value * 50 + 300;
    Fire(FOwner->OnKeyPitch, value);
    // The audio peak filter follows the pitch, so its display must be redrawn.
    if (FOwner->RX()->ContourA() == conAPF)
        Fire(FOwner->OnContour, uint8_t(0), conAPF);
    FOwner->SetCmdRcvd(false);
}

void TKeyer::SetKeySpeed(int32_t value)
{
    if (value == FKeySpeed)
        return;
    value = ClampInt(value, 4, 60);
    if (FOwner->UserCommand()) {
        FOwner->SendCATCommand(QString::asprintf("KS%.3d", value));
        return;
    }
    FKeySpeed = value;
    Fire(FOwner->OnKeySpeed, value);
}
