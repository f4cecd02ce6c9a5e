#pragma once
// The tuning dial without widgets: the geometry of each dial type, how a drag becomes a signed
// frequency step and how the finger dimple follows a frequency that changes elsewhere.

#include "core/RCTypes.h"

#include <QPoint>
#include <cstdint>

enum TDialMode : uint8_t { dmWheel, dmUpDown };

enum TDialType : uint8_t {
    dtFT2K_VFOA, dtFT2K_VFOB, dtFT2K_Clar, dtFT2K_VRF, dtFT950_VFOA, dtFT950_VFOB, dtFT5K_VFOA, dtFT5K_VFOB,
    dtFT5K_SUBPANEL
};
constexpr int DialTypeCount = 9;

struct TDialGeometry {
    int Size;              // the dial is square
    QPoint Centre;
    const char* Face;      // picture names
    const char* Dimple;    // nullptr: the type has no dimple
    int DimpleRadius;      // distance of the dimple's centre from the dial's centre
    int DimpleOffset;      // the dimple picture's top-left is the dimple point minus this in x and y
    bool DimpleAlways;     // false: drawn only while the pointer is over the dial
    bool Small;            // the up/down arrows also show while the pointer is over it
};

// Geometry of a dial type; a value outside the enumeration gives the main dial's.
const TDialGeometry& DialGeometry(TDialType type);

// Direction of the pointer seen from the centre, radians clockwise from straight up (0 < θ ≤ 2π).
double DialPointerRadian(QPoint pointer, QPoint centre);
// The dimple angle that puts the dimple under the pointer: whole degrees clockwise from the top.
int DialDimpleDegree(QPoint pointer, QPoint centre);
// The frequency step of a turn by `turn` radians (clockwise positive): a full turn is
// 1000 × dialStep Hz, ten times that with fastStep; rounded to the dial step (1, 10 or 100),
// halves to even.
int DialTuningStep(double turn, int dialStep, bool fastStep);
// Rounds a step in Hz to the dial step: the nearest multiple of 10 or 100 for those steps,
// else the nearest whole number; halves go to the even neighbour (15 → 20, 25 → 20).
int RoundDialStep(double hz, int dialStep);
// The tuning resolution after a double click: 1 → 10 → 100 → 1.
int NextDialStep(int dialStep);
// The dimple angle after the frequency moved by `delta` Hz: one degree per report towards the
// change, or a snap to the top (0 rising, 359 falling) when the change passes the top.
TDegree DialFollowFrequency(TDegree degree, int64_t delta);
