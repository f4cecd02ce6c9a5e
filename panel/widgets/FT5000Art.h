#pragma once
// The pictures of the FT DX 5000 face, drawn in code: the background "FT5KIMAGE" with the
// radio's printed legends, the key strips "FT5K_*" (four frames: up, disabled, clicked, down)
// and the caption strips "FT5K_SLIDERS_*" of the four bar places that VFO A and B share.

// Registers every picture of the face with the art registry; idempotent.
void RegisterFT5000Art();
