#include "panel/SubdisplayLogic.h"

#include "core/cat/FTCATInterface.h"
#include "core/cat/RX.h"
#include "core/cat/VRF.h"

namespace subdisplay {

QString Caption(TDisplayMode mode)
{
    switch (mode) {
    case dpmVRF: return QStringLiteral("VRF");
    case dpmShift: return QStringLiteral("SHIFT");
    case dpmContour: return QStringLiteral("CONT");
    case dpmAPF: return QStringLiteral("APF");
    case dpmNotch: return QStringLiteral("NOTCH");
    case dpmWidth: return QStringLiteral("WIDTH");
    case dpmDNR: return QStringLiteral("DNR");
    default: return QString();
    }
}

QString ValueText(TDisplayMode mode, int32_t position)
{
    switch (mode) {
    case dpmVRF:
        return QString::number(position);
    case dpmShift:
    case dpmAPF:
        return (position > 0 ? QStringLiteral("+%1 Hz") : QStringLiteral("%1 Hz")).arg(position);
    case dpmContour:
    case dpmNotch:
    case dpmWidth:
        return QStringLiteral("%1 Hz").arg(position);
    case dpmDNR:
        return QString::asprintf("%.2d", int(position));
    default:
        return QString();
    }
}

std::optional<TReading> Read(const TFTCATInterface& cat, TDisplayMode mode, TVFO vfo)
{
    const uint8_t v = vfo == vfoB ? 1 : 0;
    const TRX& rx = *cat.RX();
    switch (mode) {
    case dpmVRF:
        return TReading{rx.VRF()->Position(v), rx.VRF()->State(v) == vrfStateOn};
    case dpmShift:
        return TReading{rx.IFShift(v), true};
    case dpmContour:
        return TReading{int32_t(rx.ContourLevel(v)) * 100, rx.Contour(v) == conOn};
    case dpmAPF:
        return TReading{rx.APFOffsetFrequency(v), rx.Contour(v) == conAPF};
    case dpmNotch:
        return TReading{rx.NotchLevel(v) * 10, rx.Notch(v)};
    case dpmWidth:
        return TReading{rx.FilterWidthFrequency(v), true};
    case dpmDNR:
        return TReading{int32_t(rx.NoiseReductionLevel(v)), rx.NoiseReduction(v)};
    default:
        return std::nullopt;
    }
}

} // namespace subdisplay
