#include "panel/widgets/FTxDisplay.h"

#include "panel/PanelColors.h"
#include "panel/widgets/FTxBargraph.h"
#include "panel/widgets/LcdPainter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace lcd {
namespace {

QColor Dim() { return BGRColor(clDim); }
QColor Green() { return BGRColor(clLitGreen); }

// One 8-pixel line of a DSP cell.
void CellLine(QPainter& p, int x0, int k, int y, TCellLine line)
{
    if (line == TCellLine::None)
        return;
    p.fillRect(QRect(x0 + 9 * k, y, 8, 1), line == TCellLine::Lit ? Green() : Dim());
}

} // namespace

TFTxDisplay::TFTxDisplay(QWidget* parent) : QWidget(parent), FDisplay(std::make_unique<TDisplay>(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAutoFillBackground(false);
    setFixedSize(558, 87);

    FSMeterB = new TFTxBargraph(this);
    FSMeterB->SetBargraphType(btSMeterB);
    FSMeterB->move(409, 13);
    FBargraphMeter = new TFTxBargraph(this);
    FBargraphMeter->SetBargraphType(btBargraph);
    FBargraphMeter->move(224, 67);
}

TFTxDisplay::~TFTxDisplay()
{
    // The state object may still call back while children go; detach it first.
    FDisplay.reset();
}

void TFTxDisplay::SetTransceiver(TTransceiver value)
{
    if (FTransceiver == value)
        return;
    FTransceiver = value;
    FModelIndex = ModelIndex(value);
    switch (FModelIndex) {
    case 0:
        setFixedSize(558, 87);
        FSMeterB->SetBargraphType(btSMeterB);
        FSMeterB->move(409, 13);
        FSMeterB->setVisible(true);
        FBargraphMeter->move(224, 67);
        break;
    case 1:
        setFixedSize(565, 87);
        FSMeterB->setVisible(false);
        FBargraphMeter->move(357, 77);
        break;
    default:
        setFixedSize(472, 95);
        FSMeterB->SetBargraphType(btSMeterB5K);
        FSMeterB->move(18, 58);
        FSMeterB->setVisible(true);
        FBargraphMeter->move(329, 77);
        break;
    }
    FSMeterB->SetMeterValue(0);
    InvalidateDisplay();
}

void TFTxDisplay::RedrawGroup(TLcdGroup group)
{
    const QRect r = GroupRect(group, FModelIndex);
    if (r.isEmpty())
        return;
    FRequested += r;
    update(r);
}

void TFTxDisplay::EraseContourRow()
{
    const QRect r = GroupRect(TLcdGroup::ContourRow, FModelIndex);
    if (r.isEmpty())
        return;
    FContourRowDim = true;
    FContourErasePending = true;
    FRequested += r;
    update(r);
}

void TFTxDisplay::InvalidateDisplay()
{
    FContourRowDim = false;
    FContourErasePending = false;
    update();
}

void TFTxDisplay::ShowBargraph(const QString& text)
{
    FBargraphMeter->SetBargraph(text);
    FBargraphMeter->update();
}

void TFTxDisplay::ShowSMeterB(uint8_t value)
{
    FSMeterB->SetMeterValue(value);
}

void TFTxDisplay::paintEvent(QPaintEvent* event)
{
    const QRegion region = event->region();
    const QRect contourRow = GroupRect(TLcdGroup::ContourRow, FModelIndex);
    if (FContourRowDim && region.intersects(contourRow)) {
        // The first paint of the row after an erase shows it; a group redraw keeps what the
        // erase left, anything else is a full repaint, which leaves the row black.
        if (FContourErasePending)
            FContourErasePending = false;
        else if (!(region - FRequested).isEmpty())
            FContourRowDim = false;
    }
    FRequested -= region;

    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    DrawFrame(p, FModelIndex);
    for (int g = 0; g < LcdGroupCount; ++g) {
        const TLcdGroup group = TLcdGroup(g);
        if (event->region().intersects(GroupRect(group, FModelIndex)))
            DrawGroup(p, group);
    }
}

void TFTxDisplay::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // An erase while hidden never reached the screen, and the first paint on showing is a full
    // repaint: it leaves the row black like any other.
    FContourRowDim = false;
    FContourErasePending = false;
    FRequested = QRegion();
}

void TFTxDisplay::DrawGroup(QPainter& p, TLcdGroup group)
{
    switch (group) {
    case TLcdGroup::ContourRow: DrawContourRow(p); return;
    case TLcdGroup::NotchRow: DrawNotchRow(p); return;
    case TLcdGroup::WidthRow: DrawWidthRow(p); return;
    case TLcdGroup::ShiftRow: DrawShiftRow(p); return;
    default: break;
    }
    for (const TLcdItem& item : GroupItems(group, FModelIndex, *FDisplay)) {
        const TLcdRect r = Position(item.Id, FModelIndex);
        const QColor color = BGRColor(item.Lit ? item.Color : clDim);
        switch (item.Primitive) {
        case TLcdPrimitive::Filled: FilledLabel(p, r, color, item.Text, item.Offset); break;
        case TLcdPrimitive::Outlined: OutlinedLabel(p, r, color, item.Text, item.Offset); break;
        case TLcdPrimitive::Plain: PlainLabel(p, r, color, item.Text, item.Offset); break;
        }
    }
}

void TFTxDisplay::DrawContourRow(QPainter& p)
{
    const int x0 = DSPRowX0(FModelIndex);
    if (x0 < 0)
        return;
    if (FContourRowDim)
        for (int k = 0; k < DSPCellCount; ++k) {
            CellLine(p, x0, k, ContourUpperY, TCellLine::Dim);
            CellLine(p, x0, k, ContourLowerY, TCellLine::Dim);
        }
    const TRowCells cells = ContourCells(FModelIndex, *FDisplay);
    for (int k = 0; k < DSPCellCount; ++k) {
        CellLine(p, x0, k, ContourUpperY, cells.Upper[size_t(k)]);
        CellLine(p, x0, k, ContourLowerY, cells.Lower[size_t(k)]);
    }
}

void TFTxDisplay::DrawNotchRow(QPainter& p)
{
    const int x0 = DSPRowX0(FModelIndex);
    if (x0 < 0)
        return;
    const TRowCells cells = NotchCells(FModelIndex, *FDisplay);
    for (int k = 0; k < DSPCellCount; ++k) {
        CellLine(p, x0, k, NotchUpperY, cells.Upper[size_t(k)]);
        CellLine(p, x0, k, NotchLowerY, cells.Lower[size_t(k)]);
    }
}

void TFTxDisplay::DrawWidthRow(QPainter& p)
{
    const int x0 = DSPRowX0(FModelIndex);
    if (x0 < 0)
        return;
    const auto cells = WidthCells(FDisplay->FilterWidthBars());
    for (int k = 0; k < DSPCellCount; ++k)
        p.fillRect(QRect(x0 + 9 * k, WidthRowY, 8, 2), cells.test(size_t(k)) ? Green() : Dim());
}

void TFTxDisplay::DrawShiftRow(QPainter& p)
{
    const int x0 = DSPRowX0(FModelIndex);
    if (x0 < 0)
        return;
    const int lit = ShiftCell(FDisplay->IFShift());
    for (int k = 0; k < DSPCellCount; ++k)
        p.fillRect(QRect(x0 + 9 * k, ShiftRowY, 8, 2), k == lit ? Green() : Dim());
}

void TFTxDisplay::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    const QPoint pos = event->position().toPoint();
    FHotRow = HotRowAt(FModelIndex, pos.x(), pos.y());
    if (FHotRow >= 0)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TFTxDisplay::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    switch (FHotRow) {
    case 0: Fire(OnProcessor); break;
    case 1: Fire(OnMonitor); break;
    case 2: Fire(OnKeyer); break;
    case 3: Fire(OnBreakIn); break;
    case 4: Fire(OnNarrowA); break;
    case 5: Fire(OnNarrowB); break;
    case 6: Fire(OnNoiseBlankerA); break;
    case 7: Fire(OnNoiseBlankerB); break;
    case 8: Fire(OnFastA); break;
    case 9: Fire(OnFastB); break;
    case 10: Fire(OnLockA); break;
    case 11: Fire(OnLockB); break;
    default: break;
    }
}

} // namespace lcd
