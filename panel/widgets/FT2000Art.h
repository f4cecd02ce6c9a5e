#pragma once
// The pictures of the FT-2000 face, drawn in code: the radio's front as background
// ("FT2KIMAGEV2"), the key strips ("FT2K_BTN…", "FT2K_BAND_…", "FT2K_MODE_…", four frames side
// by side: up, disabled, clicked, down; the menu key two) and the sub-dial function pictures
// ("FT2K_SDF_…").

#include "panel/widgets/FaceArt.h"

#include <QList>

// Registers every picture of the face with the art registry; idempotent.
void RegisterFT2000Art();

// The legends printed on the background, in face pixels.
QList<faceart::TPrintedLegend> FT2000PrintedLegends();
