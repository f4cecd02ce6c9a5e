#include "remote/RACodec.h"

#include <algorithm>
#include <cmath>
#include <optional>

void TRACodec::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    if (!FActive) {
        SetDeviceID(FNewDeviceID);
        SetCodec(FNewCodec);
        SetBitsPerSample(FNewBitsPerSample);
        SetChannels(FNewChannels);
        SetBufferCount(FNewBufferCount);
        SetBufferLength(FNewBufferLength);
    }
}

void TRACodec::SetCodec(TCodec Value)
{
    FNewCodec = Value;
    if (!FActive)
        FCodec = Value;
}

void TRACodec::SetBitsPerSample(uint8_t Value)
{
    FNewBitsPerSample = std::clamp<uint8_t>(Value, 8, 16);
    if (!FActive)
        FBitsPerSample = FNewBitsPerSample;
}

void TRACodec::SetChannels(uint8_t Value)
{
    FNewChannels = Value < 2 ? 1 : 2;
    if (!FActive)
        FChannels = FNewChannels;
}

void TRACodec::SetDeviceID(uint32_t Value)
{
    FNewDeviceID = Value;
    if (!FActive)
        FDeviceID = Value;
}

void TRACodec::SetBufferCount(uint8_t Value)
{
    FNewBufferCount = std::max<uint8_t>(Value, 2);
    if (!FActive)
        FBufferCount = FNewBufferCount;
}

void TRACodec::SetBufferLength(uint16_t Value)
{
    FNewBufferLength = std::max<uint16_t>(Value, 10);
    if (!FActive)
        FBufferLength = FNewBufferLength;
}

uint32_t TRACodec::SamplesPerSec() const
{
    switch (FCodec) {
    case PCM11:
    case GSM610_11:
        return 11025;
    case PCM22:
    case GSM610_22:
        return 22050;
    case PCM44:
        return 44100;
    default:
        return 8000;
    }
}

TACMWaveFormat TRACodec::ACMWaveFormat()
{
    TACMWaveFormat f{};
    const uint32_t rate = SamplesPerSec();
    f.wfx.nSamplesPerSec = rate;
    if (IsGSMCodec(Codec())) {
        f.wfx.wFormatTag = vx::WaveFormatGsm610;
        f.wfx.nChannels = 1;
        f.wfx.nAvgBytesPerSec = uint32_t(std::lround(double(rate) / 320.0 * 65.0));
        f.wfx.nBlockAlign = 65;
        f.wfx.wBitsPerSample = 0;
        f.wfx.cbSize = 2;
        f.wSamplesPerBlock = 320;
    } else {
        f.wfx.wFormatTag = vx::WaveFormatPcm;
        f.wfx.nChannels = Channels();
        f.wfx.wBitsPerSample = BitsPerSample();
        f.wfx.nBlockAlign = uint16_t(Channels() * BitsPerSample() / 8);
        f.wfx.nAvgBytesPerSec = rate * f.wfx.nBlockAlign;
        f.wfx.cbSize = 0;
        f.wSamplesPerBlock = 0;
    }
    FACMWaveFormat = f;
    return f;
}

uint32_t TRACodec::BufferSize() const
{
    TACMWaveFormat f = FACMWaveFormat;
    if (f.wfx.nAvgBytesPerSec == 0) // no format built yet: the one the settings give
        f = TRACodec(*this).ACMWaveFormat();
    const uint64_t product = uint64_t(FBufferLength) * f.wfx.nAvgBytesPerSec;
    uint64_t bytes = (product + 500) / 1000;
    if (f.wfx.nBlockAlign > 1 && bytes % f.wfx.nBlockAlign != 0)
        bytes += f.wfx.nBlockAlign - bytes % f.wfx.nBlockAlign;
    return uint32_t(bytes);
}

QString TRACodec::MakeCodecMessage(TCodec Codec, uint8_t Channels, uint8_t BitsPerSample)
{
    const QString text = QStringLiteral("REMAUD||C:%1||M:%2||B:%3||").arg(CodecToString(Codec)).arg(Channels).arg(BitsPerSample);
    return text.leftJustified(CodecMessageLength, QLatin1Char(' '), true);
}

QString TRACodec::CodecMessage() const
{
    return MakeCodecMessage(FCodec, FChannels, FBitsPerSample);
}

QString TRACodec::GetNewCodecMessage() const
{
    return MakeCodecMessage(FNewCodec, FNewChannels, FNewBitsPerSample);
}

QString TRACodec::CodecText() const
{
    static const char* const parts[CodecCount] = {"PCM 8", "PCM 11", "PCM 22", "PCM 44.1", "GSM 8", "GSM 11", "GSM 22"};
    const QString part = QString::fromLatin1(parts[FCodec < CodecCount ? FCodec : 0]);
    if (IsGSMCodec(FCodec))
        return QStringLiteral("%1 kHz mono").arg(part);
    return QStringLiteral("%1 kHz %2 %3 bit").arg(part, FChannels == 1 ? QStringLiteral("mono") : QStringLiteral("stereo")).arg(FBitsPerSample);
}

namespace {

// The value after the first occurrence of key, up to the next "||"; nothing when the key is
// missing or its value is empty or unterminated.
std::optional<QString> ValueOf(const QString& text, QLatin1String key, QString* rest = nullptr)
{
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return std::nullopt;
    const QString after = text.mid(at + key.size());
    const qsizetype end = after.indexOf(QLatin1String("||"));
    if (end <= 0)
        return std::nullopt;
    if (rest)
        *rest = after;
    return after.left(end);
}

} // namespace

bool TRACodec::CodecRequest(const QString& Command)
{
    if (!FUserChosenCodec)
        return false;
    const QLatin1String keyC("C:"), keyM("M:"), keyB("B:");
    if (!Command.contains(keyC) && !Command.contains(keyM) && !Command.contains(keyB))
        return false;

    TCodec codec = FCodec;
    uint8_t bits = FBitsPerSample;
    uint8_t channels = FChannels;
    const uint8_t bufferCount = FBufferCount;
    const uint16_t bufferLength = FBufferLength;

    if (auto v = ValueOf(Command, keyC))
        codec = StringToCodec(*v);
    QString rest;
    if (ValueOf(Command, keyM, &rest)) {
        if (rest.startsWith(QLatin1Char('1')))
            channels = 1;
        else if (rest.startsWith(QLatin1Char('2')))
            channels = 2;
    }
    if (auto v = ValueOf(Command, keyB)) {
        if (*v == QLatin1String("8"))
            bits = 8;
        else if (*v == QLatin1String("16"))
            bits = 16;
    }

    if (codec == FCodec && bits == FBitsPerSample && channels == FChannels)
        return false;
    SetCodec(codec);
    SetBitsPerSample(bits);
    SetChannels(channels);
    SetBufferCount(bufferCount);
    SetBufferLength(bufferLength);
    return true;
}

QString TRACodec::GetTransferRate(TCodec ACodec, uint8_t ABitsPerSample, uint8_t AChannels)
{
    switch (ACodec) {
    case GSM610_8:
        return QStringLiteral("Transfer rate: 1.8 kB/s");
    case GSM610_11:
        return QStringLiteral("Transfer rate: 2.2 kB/s");
    case GSM610_22:
        return QStringLiteral("Transfer rate: 5.2 kB/s");
    default:
        break;
    }
    TRACodec probe;
    probe.SetCodec(ACodec);
    const double bytes = double(probe.SamplesPerSec()) * (ABitsPerSample == 16 ? 2 : 1) * AChannels;
    return QStringLiteral("Transfer rate: %1 kB/s").arg(std::lround(bytes / 1024.0));
}
