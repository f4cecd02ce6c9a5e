#include "panel/widgets/FTxMeter2.h"

#include "panel/MeterLogic.h"
#include "panel/PanelColors.h"
#include "panel/widgets/MeterPictures.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int BarX = 17;
constexpr int Bar1Y = 17;
constexpr int Bar2Y = 50;
constexpr int BarHeight = 5;
constexpr int Segments = 31;
} // namespace

TFTxMeter2::TFTxMeter2(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(155, 85);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(9);
    setFont(small);
}

QRect TFTxMeter2::Bar1Rect() const
{
    return QRect(FOffset + BarX, Bar1Y, 4 * (Segments - 1) + 3, BarHeight);
}

QRect TFTxMeter2::Bar2Rect() const
{
    return QRect(FOffset + BarX, Bar2Y, 4 * (Segments - 1) + 3, BarHeight);
}

void TFTxMeter2::SetTransceiver(TTransceiver value)
{
    if (FTransceiver == value)
        return;
    FTransceiver = value;
    FOffset = 0;
    FBitmap1 = QStringLiteral("FT950_METER_1_SMETER");
    switch (value) {
    case FT2000:
    case FT2000D:
        setFixedSize(155, 85);
        FBitmap4 = QStringLiteral("FT2000_METER");
        break;
    case FT950:
        setFixedSize(155, 66);
        FDigitalMeter = true;
        break;
    case FTDX5000:
        if (FDigitalMeter)
            FOffset = 12;
        setFixedSize(180, 68);
        FBitmap4 = QStringLiteral("FTDX5000_METER");
        break;
    }
    FMeterValue = 0;
    FSMeterValue = 0;
    FNeedleValue = 0;
    FBars1 = 0;
    FBars2 = 0;
    update();
}

void TFTxMeter2::SetDigitalMeter(bool value)
{
    if (FDigitalMeter == value)
        return;
    switch (FTransceiver) {
    case FT2000:
    case FT2000D:
        FDigitalMeter = value;
        FOffset = 0;
        update();
        break;
    case FT950:
        // The FT-950 has only the digital face.
        FDigitalMeter = true;
        FOffset = 0;
        break;
    case FTDX5000:
        FDigitalMeter = value;
        FOffset = value ? 12 : 0;
        setFixedWidth(180);
        update();
        break;
    }
}

void TFTxMeter2::SetMeterSwitch(TMeterSwitch value)
{
    if (FMeterSwitch == value)
        return;
    FMeterSwitch = value;
    switch (value) {
    case mtCOMP:
        FBitmap2 = QStringLiteral("FT950_METER_3_COMP");
        FBitmap3 = QStringLiteral("FT950_METER_3_COMP_2");
        break;
    case mtALC:
        FBitmap2 = QStringLiteral("FT950_METER_4_ALC");
        break;
    case mtPO:
        if (FTransceiver == FT2000)
            FBitmap2 = QStringLiteral("FT950_METER_5_PO_FT2000");
        else if (FTransceiver == FT2000D || FTransceiver == FTDX5000)
            FBitmap2 = QStringLiteral("FTDX5000_METER_PO");
        break;
    case mtSWR:
        FBitmap2 = QStringLiteral("FT950_METER_6_SWR");
        FBitmap3 = QStringLiteral("FT950_METER_6_SWR_2");
        break;
    case mtID:
        FBitmap2 = FTransceiver == FT950 ? QStringLiteral("FT950_METER_7_ID") : QStringLiteral("FT950_METER_7_ID_FT2000");
        FBitmap3 = QStringLiteral("FT950_METER_7_ID_2");
        break;
    case mtVDD:
        FBitmap2 = QStringLiteral("FT950_METER_8_VDD");
        break;
    }
    update();
}

void TFTxMeter2::SetShowMeter(bool value)
{
    if (FShowMeter == value)
        return;
    FShowMeter = value;
    update();
}

void TFTxMeter2::SetTransmitting(bool value)
{
    if (FTransmitting == value)
        return;
    FTransmitting = value;
    if (FTransceiver == FT950)
        FBitmap1 = value ? QStringLiteral("FT950_METER_5_PO") : QStringLiteral("FT950_METER_1_SMETER");
    else if (FTransceiver == FTDX5000)
        FNeedleValue = 0;
    SetSMeterValue(0);
    // The supply voltage reading stays across a transmit change.
    if (FMeterSwitch != mtVDD)
        SetMeterValue(0);
    update();
}

void TFTxMeter2::SetSMeterValue(uint8_t value)
{
    if (FSMeterValue == value)
        return;
    FSMeterValue = value;
    FNeedleValue = value;
    if (FDigitalMeter)
        SetBars1(SMeterBars(value));
    else
        update();
}

void TFTxMeter2::SetMeterValue(uint8_t value)
{
    if (FMeterValue == value)
        return;
    FMeterValue = value;
    FNeedleValue = value;
    if (FDigitalMeter)
        SetBars2(MeterBars(value, FMeterSwitch));
    else
        update();
}

void TFTxMeter2::SetBars1(uint8_t value)
{
    if (FBars1 == value)
        return;
    FBars1 = value;
    if (FDigitalMeter)
        update(Bar1Rect());
    Fire(OnBars1, value);
}

void TFTxMeter2::SetBars2(uint8_t value)
{
    if (FBars2 == value)
        return;
    FBars2 = value;
    if (FDigitalMeter)
        update(Bar2Rect());
    Fire(OnBars2, value);
}

void TFTxMeter2::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!FDigitalMeter) {
        p.drawImage(0, 0, MeterPicture(FBitmap4));
        p.setPen(QPen(BGRColor(0x0000FF), 1));
        p.drawLine(NeedleLine(FNeedleValue, width(), height()));
        return;
    }
    const int o = FOffset;
    p.drawImage(o, FTransceiver == FT950 && FTransmitting ? 23 : 0, MeterPicture(FBitmap1));
    if (!FShowMeter) {
        p.setPen(BGRColor(0x686868));
        p.drawText(QRect(o + 28, 26, width(), 12), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Meter is off"));
    }
    switch (FMeterSwitch) {
    case mtALC:
    case mtVDD:
        p.drawImage(o, 40, MeterPicture(FBitmap2));
        break;
    case mtCOMP:
    case mtSWR:
    case mtID:
        p.drawImage(o, 56, MeterPicture(FBitmap2));
        break;
    case mtPO:
        if (FTransceiver != FT950)
            p.drawImage(o, 56, MeterPicture(FBitmap2));
        break;
    }
    switch (FMeterSwitch) {
    case mtCOMP: p.drawImage(o, 40, MeterPicture(FBitmap3)); break;
    case mtSWR: p.drawImage(o, 50, MeterPicture(FBitmap3)); break;
    case mtID: p.drawImage(o, 45, MeterPicture(FBitmap3)); break;
    default: break;
    }
    const QColor dim = BGRColor(0x212121), bright = BGRColor(0xD1D1D1), red = BGRColor(0x0000FF);
    for (int i = 1; i <= Segments; ++i) {
        const int x = o + BarX + 4 * (i - 1);
        const QColor c1 = i > FBars1 ? dim : ((FTransmitting || i < 20) ? bright : red);
        p.fillRect(QRect(x, Bar1Y, 3, BarHeight), c1);
        p.fillRect(QRect(x, Bar2Y, 3, BarHeight), i > FBars2 ? dim : bright);
    }
}

void TFTxMeter2::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    FPressed = event->button() == Qt::LeftButton;
}

void TFTxMeter2::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is no click of its own.
    QWidget::mouseDoubleClickEvent(event);
    FPressed = false;
}

void TFTxMeter2::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        Click();
}

void TFTxMeter2::Click()
{
    SetShowMeter(!FShowMeter);
    Fire(OnShow, FShowMeter);
}
