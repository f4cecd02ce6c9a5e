#pragma once
// The pictures of the tuning dials and knobs, drawn in code: dial faces, finger dimples, the
// up/down arrows of a dial in up/down mode and the knob faces, each under the name and at the
// size the controls ask for.

// Registers every picture of the dials and knobs with the art registry; idempotent.
void RegisterPanelControlArt();
