#pragma once
// The value rules of the track bar, without pixels: range and clamping, the one-shot
// UpdatingPosition flag, the operator's hold on the thumb, the operator's keys and wheel, and the
// logarithmic view that the RF gain bars use.  TRCTrackBar keeps one and forwards to it.
//
// How a view shows a value the radio reported without sending it back:
//     bar->SetUpdatingPosition(true);
//     bar->SetPosition(value);
// The flag is consumed by that one assignment, whether or not the value changes, so the
// operator's next change is always reported.  While the operator holds the thumb (or a key is
// being handled) such a value is held back and shown on release, still without OnChange, unless
// the operator moved the thumb after it arrived.

#include "core/RCTypes.h"

#include <cstdint>
#include <functional>

// Keys the bar handles; the widget maps the keyboard onto them.
enum TTrackBarKey : uint8_t { tbkPageUp, tbkPageDown, tbkHome, tbkEnd, tbkUp, tbkDown };

class TRCTrackBarPosition {
public:
    int Min() const { return FMin; }
    // A bound that excludes the current position moves Position to it through SetPosition (so
    // with OnChange unless UpdatingPosition is set); any other bound change leaves the flag as it is.
    // Between two bound writes Min may lie above Max: Position then sits at Min.
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);

    int Position() const { return FPosition; }
    // The one writer of the value: clamps into Min..Max, consumes UpdatingPosition, and raises
    // OnChange only when the shown value really changes and the flag was not set.
    void SetPosition(int value);

    // New minus old value of the last visible change.
    int PositionDelta() const { return FPositionDelta; }

    // Logarithmic view (base 1.023): Max - round(1.023^(Max - Position)) + 1, not below Min.
    int PositionExp() const;
    // 0 gives Min; otherwise Position := Max - round(log1.023(Max - value + 1)); a value above
    // Max, whose logarithm cannot be formed, changes nothing.
    void SetPositionExp(int value);

    int PageSize() const { return FPageSize; }
    void SetPageSize(int value) { FPageSize = value; }

    bool UpdatingPosition() const { return FUpdatingPosition; }
    void SetUpdatingPosition(bool value) { FUpdatingPosition = value; }

    // The operator holds the thumb (or a key is being handled).
    bool Sliding() const { return FSliding; }
    void BeginSliding();
    // Shows a value that arrived from the owner during the hold, without OnChange.
    void EndSliding();

    // One key of the operator, inside a sliding state: pages by PageSize, Home to Max, End to
    // Min, Up/Down by one but never past the ends.
    void Key(TTrackBarKey key);
    // One wheel message: a negative delta steps down by one, any other delta up by one, within
    // the range.
    void Wheel(int delta);

    // Every visible change of Position (for repainting), with the value before it.
    std::function<void(int OldPosition)> OnMoved;
    // The value changed and the change was not made under UpdatingPosition.
    TNotifyEvent OnChange;

private:
    void Assign(int64_t value);
    int Clamp(int64_t value) const;

    int FMin = 0;
    int FMax = 255;
    int FPosition = 0;
    int FPositionDelta = 0;
    int FPageSize = 5;
    bool FUpdatingPosition = false;
    bool FSliding = false;
    // A value the owner set while the operator held the thumb; shown when the hold ends.
    int FPending = 0;
    bool FPendingFromOwner = false;
};
