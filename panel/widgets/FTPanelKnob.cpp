#include "panel/widgets/FTPanelKnob.h"

#include "controls/widgets/ArtRegistry.h"
#include "core/RCUtils.h"
#include "panel/PanelColors.h"
#include "panel/widgets/PanelControlArt.h"

#include <QMouseEvent>
#include <QPainter>

TFTPanelKnob::TFTPanelKnob(QWidget* parent) : QWidget(parent)
{
    RegisterPanelControlArt();
    setFixedSize(KnobGeometry(FKnobType).Size);
}

void TFTPanelKnob::SetKnobType(TKnobType value)
{
    if (FKnobType == value || unsigned(value) >= unsigned(KnobTypeCount))
        return;
    FKnobType = value;
    const TKnobGeometry& g = KnobGeometry(value);
    setFixedSize(g.Size);
    if (g.Meter) {
        FValueOuterMin = 0;
        FValueOuterMax = 5;
        // The stored position must lie on the selector's six places.
        FValueOuter = ClampInt(FValueOuter, FValueOuterMin, FValueOuterMax);
    }
    RecomputeOuter();
    update();
}

void TFTPanelKnob::SetValueInner(int value)
{
    if (FValueInner == value)
        return;
    FValueInner = ClampInt(value, FValueInnerMin, FValueInnerMax);
    RecomputeInner();
}

void TFTPanelKnob::SetValueInnerEnabled(bool value)
{
    if (FValueInnerEnabled == value)
        return;
    FValueInnerEnabled = value;
    RecomputeInner();
    // Showing or hiding the pointer is a visible change even when its angle stays.
    update();
}

void TFTPanelKnob::SetValueOuter(int value)
{
    if (FValueOuter == value)
        return;
    FValueOuter = ClampInt(value, FValueOuterMin, FValueOuterMax);
    RecomputeOuter();
    update();
}

void TFTPanelKnob::RecomputeInner()
{
    const TDegree angle = KnobValueToAngle(FValueInner, FValueInnerMin, FValueInnerMax);
    if (angle == FDegreeInner)
        return;
    FDegreeInner = angle;
    update();
}

void TFTPanelKnob::RecomputeOuter()
{
    FDegreeOuter = KnobGeometry(FKnobType).Meter ? KnobMeterAngle(FValueOuter)
                                                 : KnobValueToAngle(FValueOuter, FValueOuterMin, FValueOuterMax);
}

void TFTPanelKnob::mouseReleaseEvent(QMouseEvent* event)
{
    switch (KnobClickAt(FKnobType, int(event->position().x()))) {
    case TKnobClick::Back:
        Fire(OnClickBack);
        break;
    case TKnobClick::Forward:
        Fire(OnClick);
        break;
    case TKnobClick::None:
        break;
    }
}

void TFTPanelKnob::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const TKnobGeometry& g = KnobGeometry(FKnobType);
    vx::art::Draw(p, QPointF(0, 0), QString::fromLatin1(g.Face));
    // Lines between pixel centres, so they stay crisp at ratio 1.
    p.translate(0.5, 0.5);
    p.setPen(QPen(BGRColor(0x0000FF), 1.0, Qt::SolidLine, Qt::RoundCap));
    const auto pointer = [&p](TDegree angle, QPoint centre, int from, int to) {
        p.drawLine(PolarToPoint(angle, centre, from), PolarToPoint(angle, centre, to));
    };
    if (g.Meter) {
        pointer(FDegreeOuter, g.MeterCentre, 17, 23);
        return;
    }
    const QPoint c = KnobCentre(size());
    if (FValueInnerEnabled)
        pointer(FDegreeInner, c, 12, 18);
    pointer(FDegreeOuter, c, 19, 24);
}
