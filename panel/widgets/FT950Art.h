#pragma once
// The pictures of the FT-950 face, drawn in code: the background "FT950IMAGE" with the legends
// the radio prints on its front, and the key strips "FT950_*" of four frames each (up,
// disabled, clicked, down).  Keys that several functions share carry no legend of their own:
// theirs is printed on the background above them.

#include "panel/widgets/FaceArt.h"

#include <QList>

// Registers every picture of the face with the art registry; idempotent.
void RegisterFT950Art();

// The legends printed on the background, in face pixels.
QList<faceart::TPrintedLegend> FT950PrintedLegends();
