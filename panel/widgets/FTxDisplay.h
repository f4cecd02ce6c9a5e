#pragma once
// The simulated LCD of the radio on the front panel: a black display with each model's fixed
// frame and every status indicator, drawn with the stroke font and whole pixels.  Its state
// lives in a TDisplay; a state change repaints only the area of the indicator group showing it.

#include "core/FTCATTypes.h"
#include "core/RCTypes.h"
#include "panel/Display.h"

#include <QRegion>
#include <QWidget>
#include <memory>

class TFTxBargraph;

namespace lcd {

class TFTxDisplay : public QWidget, public TDisplayOwner {
    Q_OBJECT
public:
    explicit TFTxDisplay(QWidget* parent = nullptr);
    ~TFTxDisplay() override;

    TDisplay& Display() const { return *FDisplay; }
    TTransceiver Transceiver() const override { return FTransceiver; }
    void SetTransceiver(TTransceiver value);
    int ModelIdx() const { return FModelIndex; }
    // Row of the position table under the mouse, -1 for none.
    int HotRow() const { return FHotRow; }

    TFTxBargraph* SMeterB() const { return FSMeterB; }
    TFTxBargraph* BargraphMeter() const { return FBargraphMeter; }

    // Clicks on the switch indicators.
    TNotifyEvent OnBreakIn;
    TNotifyEvent OnFastA;
    TNotifyEvent OnFastB;
    TNotifyEvent OnKeyer;
    TNotifyEvent OnLockA;
    TNotifyEvent OnLockB;
    TNotifyEvent OnMonitor;
    TNotifyEvent OnNarrowA;
    TNotifyEvent OnNarrowB;
    TNotifyEvent OnNoiseBlankerA;
    TNotifyEvent OnNoiseBlankerB;
    TNotifyEvent OnProcessor;

    // TDisplayOwner
    void RedrawGroup(TLcdGroup group) override;
    void EraseContourRow() override;
    void InvalidateDisplay() override;
    void ShowBargraph(const QString& text) override;
    void ShowSMeterB(uint8_t value) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawGroup(QPainter& p, TLcdGroup group);
    void DrawContourRow(QPainter& p);
    void DrawNotchRow(QPainter& p);
    void DrawWidthRow(QPainter& p);
    void DrawShiftRow(QPainter& p);

    std::unique_ptr<TDisplay> FDisplay;
    TFTxBargraph* FSMeterB = nullptr;
    TFTxBargraph* FBargraphMeter = nullptr;
    TTransceiver FTransceiver = FT2000;
    int FModelIndex = 0;
    int FHotRow = -1;
    // The contour row was switched off or to APF through the state: its cells show dim until
    // the next full repaint leaves the row black again.  FContourErasePending: the paint that
    // shows that erase has not run yet.  FRequested: areas asked for by group redraws since the
    // last paint, by which a group redraw is told from a full repaint (expose, resize).
    bool FContourRowDim = false;
    bool FContourErasePending = false;
    QRegion FRequested;
};

} // namespace lcd
