#pragma once
// The FlexControl USB tuning knob, seen by the computer as a serial port (9600 8N1).  The knob
// reports dial turns and clicks of its knob button and three AUX buttons as short texts ending
// in ";"; the driver turns them into OnKnob (signed step count) and OnSwitch (which switch,
// which click), and lights the knob's three LEDs with "I" + three digits + ";".
//
// The port is not owned: the FlexControl module owns it and hands it in.  Everything runs on
// the GUI thread.

#include "platform/SerialPort.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

namespace vx {
class Timer;
} // namespace vx

enum TSwitch : uint8_t { sKnob, sAUX1, sAUX2, sAUX3 };
enum TClickType : uint8_t { ctSingle, ctDouble, ctLong };

using TFlexControlKnobEvent = std::function<void(int32_t Value)>;
using TFlexControlSwitchEvent = std::function<void(TSwitch Switch, TClickType ClickType)>;

class TFlexControl : public QObject {
    Q_OBJECT
public:
    // Received text kept while no ";" ends it.  The knob's events are a few characters long;
    // past this the oldest text is noise and is dropped.
    static constexpr int MaxRXBuffer = 256;
    static constexpr int StartInterval = 1000;

    explicit TFlexControl(QObject* owner = nullptr);
    ~TFlexControl() override;

    // The port is open and the knob initialised.  Setting it opens or closes.
    bool Active() const { return FActive; }
    void SetActive(bool value);

    // LED state as last written by an LED command of the module (not by Open, the start
    // timer or Close).  A change is stored and written only while active.
    bool AUX1LED() const { return FLED[0]; }
    bool AUX2LED() const { return FLED[1]; }
    bool AUX3LED() const { return FLED[2]; }
    void SetAUX1LED(bool value) { SetLED(1, value); }
    void SetAUX2LED(bool value) { SetLED(2, value); }
    void SetAUX3LED(bool value) { SetLED(3, value); }
    void SetLED(int Index, bool value);

    // The serial port; null when none is assigned or the assigned one was destroyed.
    vx::SerialPort* COMPort() const { return FCOMPort; }
    void SetCOMPort(vx::SerialPort* value);

    void Open();
    void Close();

    // Writes "I100;" once, a second after opening.
    vx::Timer* StartTimer() const { return FStartTimer; }
    // Text received and not yet ended by ";".
    QString RXBuffer() const { return FRXBuffer; }

    TFlexControlKnobEvent OnKnob;
    TFlexControlSwitchEvent OnSwitch;

    // Receive handler of the port.
    void DoRxChar(int Count);

private:
    // One event: the text before a ";".
    void HandleEvent(const QString& Event);
    void Bind();
    void Unbind(vx::SerialPort* port);
    void Write(const char* text);
    void StartTimerTimer();

    QPointer<vx::SerialPort> FCOMPort;
    vx::Timer* FStartTimer;
    QString FRXBuffer;
    bool FRXOverflowReported = false;
    bool FActive = false;
    bool FLED[3] = {false, false, false};
};
