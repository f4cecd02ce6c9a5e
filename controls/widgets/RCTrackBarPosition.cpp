#include "controls/widgets/RCTrackBarPosition.h"

#include <cmath>
#include <limits>

namespace {

constexpr double ExpBase = 1.023;

int SaturateToInt(int64_t v)
{
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(v);
}

} // namespace

int TRCTrackBarPosition::Clamp(int64_t value) const
{
    // Min wins while a range change has Min above Max for a moment.
    if (value > FMax)
        value = FMax;
    if (value < FMin)
        value = FMin;
    return int(value);
}

void TRCTrackBarPosition::SetMin(int value)
{
    if (value == FMin)
        return;
    FMin = value;
    if (FPosition < FMin)
        Assign(FMin);
}

void TRCTrackBarPosition::SetMax(int value)
{
    if (value == FMax)
        return;
    FMax = value;
    if (FPosition > FMax)
        Assign(FMax);
}

void TRCTrackBarPosition::SetPosition(int value)
{
    Assign(value);
}

void TRCTrackBarPosition::Assign(int64_t requested)
{
    // Consumed by every assignment, equal or not: a confirmation of the value already shown
    // must not leave the flag set and swallow the operator's next change.
    const bool fromOwner = FUpdatingPosition;
    FUpdatingPosition = false;
    const int value = Clamp(requested);

    if (FSliding && fromOwner) {
        // The thumb stays under the operator's hand; the latest owner value is shown on release.
        FPending = value;
        FPendingFromOwner = true;
        return;
    }
    // Compared after clamping: Page Up at Max changes nothing and so reports nothing (a zero
    // step on the clarifier bar would otherwise be sent as a clarifier clear).
    if (value == FPosition)
        return;
    if (FSliding)
        FPendingFromOwner = false; // the operator moved after the owner's value: theirs wins

    const int old = FPosition;
    FPositionDelta = SaturateToInt(int64_t(value) - old);
    FPosition = value;
    Fire(OnMoved, old);
    if (!fromOwner)
        Fire(OnChange);
}

int TRCTrackBarPosition::PositionExp() const
{
    const double r = double(FMax) - std::round(std::pow(ExpBase, double(FMax) - FPosition)) + 1.0;
    if (!(r >= FMin)) // also catches an overflowing power
        return FMin;
    return r > FMax ? FMax : int(r);
}

void TRCTrackBarPosition::SetPositionExp(int value)
{
    if (value == 0) {
        Assign(FMin);
        return;
    }
    const double x = double(FMax) - value + 1.0;
    if (x <= 0.0)
        return;
    const double l = std::round(std::log(x) / std::log(ExpBase));
    Assign(int64_t(FMax) - int64_t(l));
}

void TRCTrackBarPosition::BeginSliding()
{
    if (FSliding)
        return;
    FSliding = true;
    FPending = FPosition;
    FPendingFromOwner = false;
}

void TRCTrackBarPosition::EndSliding()
{
    if (!FSliding)
        return;
    FSliding = false;
    if (FPendingFromOwner) {
        FPendingFromOwner = false;
        // Shown as the owner's value: reporting it would send a lagging value back over the
        // operator's last one.
        FUpdatingPosition = true;
        Assign(FPending);
    }
}

void TRCTrackBarPosition::Key(TTrackBarKey key)
{
    const bool nested = FSliding;
    BeginSliding();
    switch (key) {
    case tbkPageUp:
        Assign(int64_t(FPosition) + FPageSize);
        break;
    case tbkPageDown:
        Assign(int64_t(FPosition) - FPageSize);
        break;
    case tbkHome:
        Assign(FMax);
        break;
    case tbkEnd:
        Assign(FMin);
        break;
    case tbkUp:
        if (FPosition < FMax)
            Assign(int64_t(FPosition) + 1);
        break;
    case tbkDown:
        if (FPosition > FMin)
            Assign(int64_t(FPosition) - 1);
        break;
    }
    if (!nested)
        EndSliding();
}

void TRCTrackBarPosition::Wheel(int delta)
{
    if (delta < 0) {
        if (FPosition > FMin)
            Assign(int64_t(FPosition) - 1);
    } else if (FPosition < FMax) {
        Assign(int64_t(FPosition) + 1);
    }
}
