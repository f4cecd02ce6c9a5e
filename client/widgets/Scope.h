#pragma once
// A scrolling strip chart: on every step of its draw timer the picture moves two pixels to
// the left and the newest values are drawn at the right edge, the value (Position) in
// LineColor and its average in BaseColor, over a grid of GridSize pixels.  One grid cell is
// 100 of the value (a latency in ms), 0 lies at the bottom.
//
// The picture lives in one off-screen buffer of 3000 x 1000 pixels, allocated once; painting
// copies its bottom-right part, as large as the control.

#include "core/RCTypes.h"

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>

namespace vx {
class Timer;
} // namespace vx

using TScopePositionEvent = std::function<void(QObject* Sender, const QString& Value)>;

class TScope : public QWidget {
    Q_OBJECT
public:
    static constexpr int BufferWidth = 3000;
    static constexpr int BufferHeight = 1000;

    explicit TScope(QWidget* parent = nullptr);

    // The draw timer runs; switching on starts all traces at the bottom line.
    bool Active() const { return FActive; }
    void SetActive(bool value);
    // Step period in units of 10 ms.
    int Interval() const { return FInterval; }
    void SetInterval(int value);
    // Grid spacing in pixels: even and at least 6 (3 becomes 6, 13 becomes 12).  A change
    // clears the chart.
    int GridSize() const { return FGridSize; }
    void SetGridSize(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value) { FPosition = value; }
    int Average() const { return FAverage; }
    void SetAverage(int value) { FAverage = value; }

    QColor Color() const { return FColor; }
    void SetColor(const QColor& value) { FColor = value; }
    QColor GridColor() const { return FGridColor; }
    void SetGridColor(const QColor& value) { FGridColor = value; }
    QColor LineColor() const { return FLineColor; }
    void SetLineColor(const QColor& value) { FLineColor = value; }
    QColor BaseColor() const { return FBaseColor; }
    void SetBaseColor(const QColor& value) { FBaseColor = value; }

    // Fills the buffer with Color and draws the whole grid.
    void Clear();
    // One chart step (what the draw timer does).
    void Step();

    const QImage& Buffer() const { return FBuffer; }
    vx::Timer* DrawTimer() const { return FDrawTimer; }
    // The value under a y of the control, as the mouse text shows it.
    int ValueAt(int y) const;

    // The mouse's value as "<n> ms"; empty when the mouse leaves.
    TScopePositionEvent OnPosition;
    TNotifyEvent OnUpdate;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int TraceY(int value) const;
    // The part of the buffer the control can show (a step scrolls only that).
    QRect ShownRect() const;

    QImage FBuffer;
    vx::Timer* FDrawTimer;
    bool FActive = false;
    int FInterval = 10;
    int FGridSize = 12;
    int FPosition = 0;
    int FAverage = 0;
    QColor FColor{Qt::black};
    QColor FGridColor{0x00, 0x40, 0x00};
    QColor FLineColor{0x00, 0xFF, 0x00};
    QColor FBaseColor{0xBF, 0x00, 0x00};
    int FOldPos = BufferHeight;
    int FPrevPos = BufferHeight;
    int FOldAvgPos = BufferHeight;
    int FPrevAvgPos = BufferHeight;
    int FCounter = 1;
    bool FInitialized = false;
};
