#pragma once
// The round tuning dial of the front panel.  Dragging it turns the dimple and reports signed
// frequency steps; in up/down mode holding its upper or lower half reports +1 or -1 every
// 200 ms.  It knows nothing of the radio: its owner turns the steps into tuning.

#include "core/RCTypes.h"
#include "panel/DialLogic.h"
#include "platform/Clock.h"

#include <QPoint>
#include <QWidget>

class QLabel;

using TTuningStepEvent = std::function<void(QObject* Sender, int Value)>;

// Pointer state shared by every dial of the program: while the operator holds any dial, no
// dial's dimple follows frequency reports.
struct TDialPointerState {
    bool ButtonHeld = false;
    bool PointerInside = false;
    bool UpperPressed = false;
    bool LowerPressed = false;
    QPoint Last; // last recorded pointer position, in the coordinates of the dial it was over
};

class TFTPanelDial : public QWidget {
    Q_OBJECT
public:
    explicit TFTPanelDial(QWidget* parent = nullptr);

    TDegree Degree() const { return FDegree; }
    void SetDegree(TDegree value);
    TDialMode DialMode() const { return FDialMode; }
    void SetDialMode(TDialMode value);
    TDialType DialType() const { return FDialType; }
    void SetDialType(TDialType value);
    bool FastStep() const { return FFastStep; }
    void SetFastStep(bool value) { FFastStep = value; }
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);
    bool Lock() const { return FLock; }
    void SetLock(bool value);

    int DialStep() const { return FDialStep; }
    int TuningStep() const { return FTuningStep; }
    QPoint CenterPoint() const { return FCenterPoint; }
    QLabel* DialModeLabel() const { return FDialModeLabel; }
    vx::Timer* TuningTimer() const { return FTuningTimer; }

    static const TDialPointerState& Pointer() { return PointerState(); }

    TTuningStepEvent OnTuningStep;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    static TDialPointerState& PointerState();
    void ApplyGeometry();
    void UpdateCursor();
    void SetDialStep(int step);
    void TuningTimerTick();

    vx::Timer* FTuningTimer = nullptr;
    vx::Timer* FDialModeTimer = nullptr;
    QLabel* FDialModeLabel = nullptr;

    int FTuningStep = 0;
    QPoint FCenterPoint{74, 74};
    TDegree FDegree = 0;
    TDialMode FDialMode = dmWheel;
    int FDialStep = 1;
    TDialType FDialType = dtFT2K_VFOA;
    bool FFastStep = false;
    int FFrequency = 7000000;
    bool FLock = false;
    double FRadian = 0;
};
