#pragma once
// The FlexControl tuning module: turns the knob into radio control through the CAT engine of
// the radio module.  Turning the dial tunes VFO A, VFO B or the clarifier, optionally with an
// acceleration that follows the speed of the turn; clicks of the knob button and of the three
// AUX buttons run one of 14 actions chosen per button and click kind (the slots); the knob's
// LEDs show what the dial tunes.
//
// The start and stop of the data modules reach it through TFlexControlModuleLink; the settings
// dialog through the slots, the acceleration factor, IniWrite and Restart.  GUI thread only.

#include "core/FlexControlLink.h"
#include "keying/FlexControl.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class TFTCATInterface;

namespace vx {
class SerialPort;
class Timer;
} // namespace vx

enum TFlexControlKnobMode : uint8_t { fcVFOA, fcVFOB, fcClarifier };

class TDMFlexControl : public QObject, public TFlexControlModuleLink {
    Q_OBJECT
public:
    static inline const QString Section = QStringLiteral("Client\\FlexControl");

    // The actions a slot may hold, by number (the index in ButtonOptions).
    enum Action : int32_t {
        actNone,
        actTuneVFOA,
        actTuneVFOB,
        actTuneStepUp,
        actTuneStepDown,
        actTuningAcceleration,
        actSwapVFOs,
        actCopyVFOAToB,
        actToggleSplit,
        actToggleSubRX,
        actTuneClarifier,
        actClearClarifier,
        actToggleTXClarifier,
        actToggleRXClarifier,
        ActionCount
    };
    static constexpr int SlotCount = 15;
    // The action of each slot (1 to 15) at creation and after "Defaults" in the dialog.
    static constexpr std::array<int32_t, SlotCount> DefaultSlots = {
        actTuneStepUp,    actSwapVFOs,    actTuneStepDown,       // AUX 1-3, single click
        actTuneClarifier, actCopyVFOAToB, actClearClarifier,     // AUX 1-3, double click
        actTuneVFOA,      actTuningAcceleration, actTuneVFOB,    // AUX 1-3, long click
        actTuneVFOA,      actTuneVFOB,                           // knob, single click
        actNone,          actNone,                               // knob, double click
        actNone,          actNone};                              // knob, long click

    static constexpr int DefaultAccelerationFactor = 31;
    static constexpr int MinAccelerationFactor = 23;
    static constexpr int MaxAccelerationFactor = 40;
    static constexpr int DialStepInterval = 250;
    static constexpr int DialElapsedInterval = 100;
    // After this long without a dial step the dial follows the radio again.
    static constexpr int ResynchronisationTime = 2000;
    static constexpr int ReopenInterval = 3000;
    // The dial never runs beyond the radios' tuning range, and a step never spans more.
    static constexpr int32_t MinDialFrequency = 30000;
    static constexpr int32_t MaxDialFrequency = 60000000;

    explicit TDMFlexControl(QObject* parent = nullptr);
    ~TDMFlexControl() override;

    // Components.
    vx::SerialPort* ComPort() const { return FComPort; }
    TFlexControl* FlexControl() const { return FFlexControl; }
    vx::Timer* DialStepTimer() const { return FDialStepTimer; }
    vx::Timer* DialElapsedTimer() const { return FDialElapsedTimer; }
    // Tries the knob again while it is in use but not active (unplugged, or not there yet).
    vx::Timer* ReopenTimer() const { return FReopenTimer; }

    // Published properties.
    QString Port() const { return FPort; }
    void SetPort(const QString& value);
    bool UseFlexControl() const { return FUseFlexControl; }
    void SetUseFlexControl(bool value) { FUseFlexControl = value; }
    // Tenths of the acceleration divisor, 23 to 40.
    int32_t AcceleratedTuningFactor() const { return FAcceleratedTuningFactor; }
    void SetAcceleratedTuningFactor(int32_t value);
    static const QStringList& ButtonOptions();

    // Slots 1 to 15: the action number run by a button and click kind.  The number is kept
    // as stored; one outside 0 to 13 does nothing.
    int32_t Slot(int Index) const;
    void SetSlot(int Index, int32_t Action);
    int32_t AUXS1() const { return Slot(1); }
    int32_t AUXS2() const { return Slot(2); }
    int32_t AUXS3() const { return Slot(3); }
    int32_t AUXD1() const { return Slot(4); }
    int32_t AUXD2() const { return Slot(5); }
    int32_t AUXD3() const { return Slot(6); }
    int32_t AUXL1() const { return Slot(7); }
    int32_t AUXL2() const { return Slot(8); }
    int32_t AUXL3() const { return Slot(9); }
    int32_t KnobS1() const { return Slot(10); }
    int32_t KnobS2() const { return Slot(11); }
    int32_t KnobD1() const { return Slot(12); }
    int32_t KnobD2() const { return Slot(13); }
    int32_t KnobL1() const { return Slot(14); }
    int32_t KnobL2() const { return Slot(15); }

    // Tuning state (not saved: every program start begins on VFO A, without acceleration,
    // with a 10 Hz clarifier step).
    TFlexControlKnobMode KnobMode() const { return FKnobMode; }
    bool TuningAcceleration() const { return FTuningAcceleration; }
    int32_t DialFrequency() const { return FDialFrequency; }
    int32_t DialStep() const { return FDialStep; }
    int32_t ClarifierStep() const { return FClarifierStep; }

    // The dial step for an average number of events per 250 ms: e^(average / (factor / 10)),
    // rounded half to even, at most the tuning range.
    static int32_t AcceleratedDialStep(int32_t Average, int32_t Factor);

    // TFlexControlModuleLink
    void IniRead() override;
    void IniWrite() override;
    void Open() override;
    void Close() override;
    void Restart();

    // Handlers of the knob's events and of the timers; ExecuteAction runs one action by number.
    void FlexControlKnob(int32_t Value);
    void FlexControlSwitch(TSwitch Switch, TClickType ClickType);
    void ExecuteAction(int32_t Action);
    void DialStepTimerTimer();
    void DialElapsedTimerTimer();

private:
    TFTCATInterface* CAT() const;
    void OpenKnob();
    void StopDialTimers();
    void ReopenTimerTimer();
    void TuneStep(int Direction);
    void SetTuningLEDs(bool AUX1, bool AUX3);

    vx::SerialPort* FComPort;
    TFlexControl* FFlexControl;
    vx::Timer* FDialStepTimer;
    vx::Timer* FDialElapsedTimer;
    vx::Timer* FReopenTimer;

    QString FPort;
    bool FUseFlexControl = false;
    int32_t FAcceleratedTuningFactor = DefaultAccelerationFactor;
    std::array<int32_t, SlotCount> FSlots = DefaultSlots;

    TFlexControlKnobMode FKnobMode = fcVFOA;
    bool FTuningAcceleration = false;
    int32_t FDialFrequency = 7000000;
    int32_t FDialStep = 1;
    int32_t FElapsedTime = ResynchronisationTime;
    // Steps per 250 ms period: four completed periods, then the current one.
    std::array<int32_t, 5> FPulses = {0, 0, 0, 0, 0};
    int32_t FClarifierStep = 10;
    // The knob button alternates between two slots per click kind.
    bool FKnobToggle[3] = {false, false, false};
};

// The program's one FlexControl module; set while one exists.
extern TDMFlexControl* DMFlexControl;
