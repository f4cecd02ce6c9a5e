#pragma once
// The antenna rotator driven through the radio's "RO" command.

#include "core/cat/FTCATEvents.h"

class TFTCATInterface;

class TRotator {
public:
    explicit TRotator(TFTCATInterface* owner);

    // Asks the radio for state, direction and speed.
    void PollRotator();

    TRotatorState RotatorState() const { return FRotatorState; }
    void SetRotatorState(TRotatorState value);
    // Degrees 0..450 as the rotator reports them; received only.
    int32_t Direction() const { return FDirection; }
    void SetDirection(int32_t value);
    // 0..100; received only.
    int32_t Speed() const { return FSpeed; }
    void SetSpeed(int32_t value);
    // Degrees added to the reported direction before it is shown (from the radio's menu).
    int32_t Offset() const { return FOffset; }
    void SetOffset(int32_t value) { FOffset = value; }

private:
    // The direction shown to the operator: the reported one turned by Offset.
    int32_t ShownDirection() const;

    TFTCATInterface* FOwner;
    int32_t FDirection = 0;
    int32_t FOffset = 0;
    TRotatorState FRotatorState = rcOff;
    int32_t FSpeed = 100;
};
