#pragma once
// A rotary knob of the radio's face showing up to two settings as red pointer lines (inner and
// outer ring).  The panel sets the values; the knob does not turn under the mouse.  The two
// meter selector knobs show one pointer and step the meter selection on a click of either half.

#include "core/RCTypes.h"
#include "panel/KnobLogic.h"

#include <QWidget>

class TFTPanelKnob : public QWidget {
    Q_OBJECT
public:
    explicit TFTPanelKnob(QWidget* parent = nullptr);

    TKnobType KnobType() const { return FKnobType; }
    void SetKnobType(TKnobType value);
    int ValueInner() const { return FValueInner; }
    void SetValueInner(int value);
    bool ValueInnerEnabled() const { return FValueInnerEnabled; }
    void SetValueInnerEnabled(bool value);
    int ValueInnerMin() const { return FValueInnerMin; }
    void SetValueInnerMin(int value) { FValueInnerMin = value; }
    int ValueInnerMax() const { return FValueInnerMax; }
    void SetValueInnerMax(int value) { FValueInnerMax = value; }
    int ValueOuter() const { return FValueOuter; }
    void SetValueOuter(int value);
    int ValueOuterMin() const { return FValueOuterMin; }
    void SetValueOuterMin(int value) { FValueOuterMin = value; }
    int ValueOuterMax() const { return FValueOuterMax; }
    void SetValueOuterMax(int value) { FValueOuterMax = value; }

    TDegree DegreeInner() const { return FDegreeInner; }
    TDegree DegreeOuter() const { return FDegreeOuter; }

    TNotifyEvent OnClick;
    TNotifyEvent OnClickBack;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RecomputeInner();
    void RecomputeOuter();

    TDegree FDegreeInner = 360;
    TDegree FDegreeOuter = 360;
    TKnobType FKnobType = ktFT2K_Knob1;
    int FValueInner = 128;
    bool FValueInnerEnabled = true;
    int FValueInnerMin = 0;
    int FValueInnerMax = 255;
    int FValueOuter = 128;
    int FValueOuterMin = 0;
    int FValueOuterMax = 255;
};
