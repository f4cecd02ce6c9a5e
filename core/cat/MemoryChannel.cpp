#include "core/cat/MemoryChannel.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"

#include <optional>

namespace {

bool isModeChar(QChar c)
{
    return (c >= QLatin1Char('1') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('C'));
}

} // namespace

TMemoryChannel::TMemoryChannel(TFTCATInterface* owner)
    : FOwner(owner)
{
}

void TMemoryChannel::SetChannelNo(int32_t value)
{
    if (value == FChannelNo)
        return;
    value = ClampInt(value, MinChannel, MaxChannel);
    if (FOwner->CmdRcvd()) {
        FChannelNo = value;
        Fire(FOwner->OnMemoryChannel, this);
        FOwner->SetCmdRcvd(false);
        return;
    }
    // Clamped before formatting: the radio has no channel 0 and the field is 3 digits.
    FOwner->SendCATCommand(QStringLiteral("MC") + IntToZeroPadded(3, value));
}

void TMemoryChannel::RequestMemoryChannel(int32_t channel)
{
    FCurrentMemoryChannel = channel;
    FOwner->SendCATCommand(QString::asprintf("MR%.3d", channel));
}

void TMemoryChannel::ReadChannelNo(int32_t channel)
{
    FOwner->SendCATCommand(QString::asprintf("MR%.3d", channel));
}

void TMemoryChannel::Read(const QString& record)
{
    // The record is checked whole before anything is taken over, so a cut or garbled answer
    // leaves the channel as it was.
    if (record.size() < RecordLength)
        return;
    const auto channel = DecimalTextToInt(record.mid(0, 3));
    const auto frequency = DecimalTextToInt(record.mid(3, 8));
    const auto offset = DecimalTextToInt(record.mid(11, 5));
    const auto ctcss = DecimalTextToInt(record.mid(20, 1));
    const auto tone = DecimalTextToInt(record.mid(21, 2));
    const auto shift = DecimalTextToInt(record.mid(23, 1));
    if (!channel || !frequency || !offset || !ctcss || !tone || !shift)
        return;

    SetChannelNo(*channel);
    FFrequency = *frequency;
    FClarifierOffset = *offset;
    FClarifierRX = record[16] == QLatin1Char('1');
    FClarifierTX = record[17] == QLatin1Char('1');
    if (isModeChar(record[18]))
        FMode = CATCharToMode(record[18]);
    if (record[19] == QLatin1Char('0'))
        FVFOMemoryMode = vmVFOMode;
    else if (record[19] == QLatin1Char('1'))
        FVFOMemoryMode = vmMemoryMode;
    FCTCSS = *ctcss;
    FToneNumber = *tone;
    FShift = *shift;
    FOwner->SetCmdRcvd(false);
    Fire(FOwner->OnMemoryChannel, this);
    Fire(FOwner->OnMemoryChannel2, this);
}

QString TMemoryChannel::Record() const
{
    // Each field is held to its width, so the record always keeps its 24 characters.
    const int32_t offset = ClampInt(FClarifierOffset, -9999, 9999);
    QString s = IntToZeroPadded(3, ClampInt(FChannelNo, MinChannel, MaxChannel));
    s += IntToZeroPadded(8, ClampInt(FFrequency, 0, 99999999));
    s += offset < 0 ? QLatin1Char('-') : QLatin1Char('+');
    s += IntToZeroPadded(4, offset < 0 ? -offset : offset);
    s += BoolToCATChar(FClarifierRX);
    s += BoolToCATChar(FClarifierTX);
    s += ModeToCATChar(FMode);
    s += FVFOMemoryMode == vmMemoryMode ? QLatin1Char('1') : QLatin1Char('0');
    s += QString::number(ClampInt(FCTCSS, 0, 9));
    s += IntToZeroPadded(2, ClampInt(FToneNumber, 0, 99));
    s += QString::number(ClampInt(FShift, 0, 9));
    return s;
}

void TMemoryChannel::Write()
{
    FOwner->SendCATCommand(QStringLiteral("MW") + Record());
}
