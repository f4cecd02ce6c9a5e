#pragma once
// The pictures of the FT DX 5000 face, drawn in code: the background "FT5KIMAGE" with the
// radio's printed legends, the key strips "FT5K_*" (four frames: up, disabled, clicked, down)
// and the caption strips "FT5K_SLIDERS_*" of the four bar places that VFO A and B share.

#include "panel/widgets/FaceArt.h"

#include <QList>

// Registers every picture of the face with the art registry; idempotent.
void RegisterFT5000Art();

// The oval keys' strips ("FT5K_OVAL_*") leave the top of each frame clear: the legend printed
// above the key shows through there.
constexpr int FT5KOvalLegendRoom = 8;

// The legends printed on the background, in face pixels.
QList<faceart::TPrintedLegend> FT5000PrintedLegends();
