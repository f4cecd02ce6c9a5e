#pragma once
// The level meter of the RTTY panel: the engine's signal level (0..1024) as a bar, green, or
// grey while the squelch holds it closed, and the squelch threshold as a marker line.  A
// mouse release over the meter asks for the level under the mouse as the new threshold
// (OnSquelchLevel); the marker moves when the engine reports the new level back.

#include "core/RCTypes.h"

#include <QWidget>
#include <cstdint>

class TRTTYMeter : public QWidget {
    Q_OBJECT
public:
    static constexpr uint16_t MaxLevel = 1024;

    explicit TRTTYMeter(QWidget* parent = nullptr);

    // Values above 1024 are kept as 1024.
    uint16_t SignalLevel() const { return FSignalLevel; }
    void SetSignalLevel(uint16_t value);
    uint16_t SquelchLevel() const { return FSquelchLevel; }
    void SetSquelchLevel(uint16_t value);
    bool Squelch() const { return FSquelch; }
    void SetSquelch(bool value);

    // The x of a level: (Width - 3) * v div 1024, levels above 1024 taken as 1024.
    int LevelPixel(int v) const;
    // The level under an x: x * 1024 div (Width - 3), 0 left of the meter, 1024 right of it.
    uint16_t LevelAt(int x) const;

    TWordEvent OnSquelchLevel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    uint16_t FSignalLevel = 0;
    uint16_t FSquelchLevel = 0;
    bool FSquelch = false;
};
