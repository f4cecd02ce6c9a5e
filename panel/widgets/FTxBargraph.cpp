#include "panel/widgets/FTxBargraph.h"

#include "panel/PanelColors.h"

#include <QPainter>

TFTxBargraph::TFTxBargraph(QWidget* parent) : QWidget(parent)
{
    // Part of the LCD's face: it paints every pixel and lets the LCD have the mouse.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    ApplyKind();
}

void TFTxBargraph::ApplyKind()
{
    setFixedSize(BargraphSize(FBargraphType));
    switch (FBargraphType) {
    case btSMeterA:
    case btSMeterB:
    case btSMeterB5K:
        FColorS9Plus = 0x0000FF;
        break;
    case btMeter:
        FColorS9Plus = FColorBright;
        break;
    case btBargraph:
        break;
    }
}

void TFTxBargraph::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (size() != BargraphSize(FBargraphType))
        ApplyKind();
    update();
}

void TFTxBargraph::SetBargraph(const QString& value)
{
    if (FBargraph == value)
        return;
    FBargraph = value;
}

void TFTxBargraph::SetBargraphType(TBargraphType value)
{
    if (FBargraphType == value)
        return;
    FBargraphType = value;
    ApplyKind();
    update();
}

void TFTxBargraph::SetMeterValue(uint8_t value)
{
    if (FMeterValue == value)
        return;
    FMeterValue = value;
    FBars = BargraphBars(FBargraphType, value);
    // The full meter reports every count except the pinned top.
    if (FBargraphType == btMeter && value != 255)
        Fire(OnBars, FBars);
    update();
}

void TFTxBargraph::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), BGRColor(FColorBack));
    const int h = height();
    if (FBargraphType == btBargraph) {
        // No answer from the radio yet: the row stays dark, as on the radio's own LCD.
        if (FBargraph.isEmpty())
            return;
        const auto cells = BargraphCells(FBargraph);
        for (int k = 0; k < BargraphCellCount; ++k)
            p.fillRect(QRect(4 * k, 0, 2, h), BGRColor(cells[size_t(k)] ? cells[size_t(k)] : FColorDim));
        return;
    }
    // Segments leave the bottom row black; the offset bargraph's cells fill the full height.
    const int width = FBargraphType == btSMeterB5K ? 3 : 2;
    for (int i = 1; i <= BargraphSegmentCount(FBargraphType); ++i) {
        const uint32_t color = i > FBars ? FColorDim : (i > 18 ? FColorS9Plus : FColorBright);
        p.fillRect(QRect(4 * (i - 1), 0, width, h - 1), BGRColor(color));
    }
}
