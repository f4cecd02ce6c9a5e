#pragma once
// Pictures of the shared controls in the art registry: the track bar thumbs "HTHUMB" (grey),
// "THUMB_RED", "THUMB_GREEN" and "THUMB_DISABLED", 14 x 9 each.

// Registers them once; later calls do nothing.  The controls call it before first use.
void RegisterControlArt();
