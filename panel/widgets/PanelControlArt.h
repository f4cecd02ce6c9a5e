#pragma once
// The pictures of the tuning dials and knobs, drawn in code: dial faces, finger dimples, the
// up/down arrows of a dial in up/down mode and the knob faces, each under the name and at the
// size the controls ask for.

#include "panel/KnobLogic.h"
#include "panel/widgets/FaceArt.h"

#include <QFont>
#include <QList>
#include <QPointF>

// Registers every picture of the dials and knobs with the art registry; idempotent.
void RegisterPanelControlArt();

// What a meter selector's picture draws around its knob, in picture pixels: the marks of its six
// places end on a ring the pointer turns inside, and the names stand outside it.  Where the
// picture has no room above the ring the face prints the top name ("PO") over the knob.
struct TMeterKnobLayout {
    QPointF Centre;
    qreal RingRadius = 0;
    QList<faceart::TPrintedLegend> Names;
};
// Empty for a knob that is no meter selector.
TMeterKnobLayout MeterKnobLayout(TKnobType type);
// The type of the meter selector's names.
QFont MeterNameFont();
