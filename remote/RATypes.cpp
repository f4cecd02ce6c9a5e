#include "remote/RATypes.h"

#include <QLocale>
#include <array>

namespace {
const std::array<const char*, CodecCount> CodecNames = {"PCM8", "PCM11", "PCM22", "PCM44", "GSM610_8", "GSM610_11", "GSM610_22"};
}

QString CodecToString(TCodec Codec)
{
    return Codec < CodecCount ? QString::fromLatin1(CodecNames[Codec]) : QString();
}

TCodec StringToCodec(const QString& Text)
{
    // "PCM8" is not compared: it is what anything else gives.
    for (int c = PCM11; c < CodecCount; ++c)
        if (Text == QLatin1String(CodecNames[size_t(c)]))
            return TCodec(c);
    return PCM8;
}

bool IsGSMCodec(TCodec Codec)
{
    return Codec == GSM610_8 || Codec == GSM610_11 || Codec == GSM610_22;
}

QString TrafficRateText(uint32_t Bytes)
{
    QString text = QLocale(QLocale::English).toString(double(Bytes) / 1024.0, 'f', 1).rightJustified(3, QLatin1Char(' '));
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return text + QStringLiteral(" kB/s");
}
