#include "panel/SmallControlsLogic.h"

#include <QStringList>

namespace smallcontrols {
namespace {

QString FunctionWord(TVFOButtonType type)
{
    return type == vfoATX || type == vfoBTX ? QStringLiteral("TX") : QStringLiteral("RX");
}

} // namespace

QString ModelWord(TTransceiver model)
{
    switch (model) {
    case FT950:
        return QStringLiteral("FT950");
    case FTDX5000:
        return QStringLiteral("FT5K");
    case FT2000:
    case FT2000D:
        break;
    }
    return QStringLiteral("FT2000");
}

QSize LampSize(TTransceiver model)
{
    return model == FTDX5000 ? QSize(20, 9) : QSize(34, 12);
}

std::array<QString, 2> LampPictureNames(TTransceiver model, TVFOButtonType type)
{
    QString stem = ModelWord(model) + QLatin1Char('_') + FunctionWord(type);
    // The FT DX 5000 has a lamp pair per receiver.
    if (model == FTDX5000)
        stem += type == vfoARX || type == vfoATX ? QStringLiteral("_A") : QStringLiteral("_B");
    return {stem + QStringLiteral("_0"), stem + QStringLiteral("_1")};
}

QString LampHint(TVFOButtonType type, TVFOState state)
{
    static const char* const words[] = {"off", "on", "mute"};
    const int i = state <= vfoMute ? int(state) : 0;
    return FunctionWord(type) + QLatin1Char(' ') + QLatin1String(words[i]);
}

QStringList AllLampPictureNames()
{
    QStringList names;
    for (TTransceiver model : {FT2000, FT950, FTDX5000})
        for (TVFOButtonType type : {vfoARX, vfoATX, vfoBRX, vfoBTX})
            for (const QString& name : LampPictureNames(model, type))
                if (!names.contains(name))
                    names << name;
    return names;
}

QString MemoryFrequencyText(int32_t frequency)
{
    if (frequency <= 0)
        return QString();
    QString text = QString::number(frequency);
    if (text.size() > 3)
        text.insert(text.size() - 3, QLatin1Char('.'));
    if (text.size() > 7)
        text.insert(text.size() - 7, QLatin1Char('.'));
    return text;
}

} // namespace smallcontrols
