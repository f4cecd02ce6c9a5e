#pragma once
// The CW sidetone: Morse as a sine tone on a sound output, so the operator hears what the
// program or the keyer sends also where the radio's own sidetone is not heard.  Callers
// append text to a queue; a thread of its own, at time-critical priority while the sidetone
// is open, owns the output device and renders one queued character per buffer (8000
// samples/s, 16-bit mono): when the device has taken a buffer, the next character is
// rendered and played, until the queue is empty.
//
// The queue is shared by the GUI thread, the sidetone thread and the device's notifications
// under one lock.  OnActive and OnKeyDown are raised on the sidetone thread: assign them
// before Open, and hand anything for the screen to the GUI thread.

#include "core/KeyingLinks.h"
#include "core/RCTypes.h"
#include "keying/KeyingTypes.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace Sidetone {

constexpr int SampleRate = 8000;
constexpr int SineTableSize = 32768;
// One buffer holds two seconds; a longer character gets a longer buffer.
constexpr int BufferBytes = 32000;
// At most this long the thread sleeps while nothing is queued.
constexpr int IdleWaitMs = 259;
constexpr int PaddleElements = 150;

using TSineTable = std::array<int16_t, SineTableSize>;

// Entry i = Volume/8 × 32767 × sin(2πi/32768), rounded; Volume 0..8.
void BuildSineTable(TSineTable& table, int volume);
// Dot length in samples: 9600 div Speed (a speed below 1 counts as 1).
int DotLength(int speed);
// The dots and dashes of a character from " " to "Z" (Ä, Ö, Ü through their stand-ins);
// empty for a character without a pattern.
QString MorsePattern(QChar c);
// Renders one character into `out` from sample 0, growing it when the character needs more
// room; the result is the number of bytes written (two a sample).  "{" is a paddle dot,
// "}" a paddle dash; any other character outside " ".."Z" is 2 dots of silence.
int RenderCharacter(QChar c, int dotLength, int spacing, int pitch, const TSineTable& table,
                    std::vector<int16_t>& out);

} // namespace Sidetone

class TSidetoneThread;

class TCWSidetone : public QObject, public TCWSidetoneLink {
    Q_OBJECT
public:
    explicit TCWSidetone(QObject* owner = nullptr);
    // Stops the thread and waits for it.
    ~TCWSidetone() override;

    // Fills DeviceNames and starts the thread, unless it runs.  A device that does not open
    // leaves the sidetone stopped (Active stays False).
    void Open();
    // Stops the thread (within one wait period); no events from here until the next Open.
    void Close();
    // Appends text to the queue while the thread runs; nothing otherwise.
    void Send(const QString& Text);
    // Empties the queue and releases both paddles.
    void Stop();
    // Removes the last queued character while the thread runs.
    void Backspace();

    // Words per minute; below 1 counts as 1.  A change applies from the next character.
    int Speed() const { return FSpeed; }
    void SetSpeed(int value);
    void SetSpeed(uint8_t value) override { SetSpeed(int(value)); }
    // Tone in Hz, 300..5000.
    int Pitch() const { return FPitch; }
    void SetPitch(int value);
    // Peak amplitude in eighths of full scale, 0..8.
    int Volume() const { return FVolume; }
    void SetVolume(int value);
    // Output device by its index in DeviceNames; used at the next start.
    uint32_t DeviceID() const { return FDeviceID; }
    void SetDeviceID(uint32_t value) { FDeviceID = value; }
    QStringList DeviceNames() const { return FDeviceNames; }
    // The thread has opened the device and runs.
    bool Active() const { return FActive; }
    // A buffer is being played.
    bool KeyDown() const { return FKeyDown; }
    TKeyerMode KeyerMode() const { return FKeyerMode; }
    void SetKeyerMode(TKeyerMode value) { FKeyerMode = value; }
    bool PaddleLeft() const { return FPaddleLeft; }
    void SetPaddleLeft(bool value);
    bool PaddleRight() const { return FPaddleRight; }
    void SetPaddleRight(bool value);
    bool SwapPaddles() const { return FSwapPaddles; }
    void SetSwapPaddles(bool value);
    // Characters queued and not yet rendered.
    QString Queued() const;

    TSwitchEvent OnActive;
    TSwitchEvent OnKeyDown;

private:
    friend class TSidetoneThread;

    void Wake();
    void SetPaddle(bool& paddle, bool value);
    // Under FLock.
    void AppendPaddleElements();
    // Called by the thread.
    bool TakeFirst(QChar& c);
    bool HasQueued() const;
    void ThreadSetActive(bool value);
    void ThreadSetKeyDown(bool value);

    std::atomic<int> FSpeed{25};
    std::atomic<int> FPitch{700};
    std::atomic<int> FVolume{2};
    std::atomic<uint32_t> FDeviceID{0};
    QStringList FDeviceNames;
    std::atomic<bool> FActive{false};
    std::atomic<bool> FKeyDown{false};
    std::atomic<bool> FAskToStop{false};
    std::atomic<bool> FClosingDown{false};
    std::atomic<bool> FThreadIsRunning{false};
    TKeyerMode FKeyerMode = kmIambicA;

    mutable QMutex FLock; // the queue and the paddles, which the thread reads when it refills
    bool FPaddleLeft = false;
    bool FPaddleRight = false;
    bool FSwapPaddles = false;
    QString FCodeStr;
    bool FSendingPaddleDitDahs = false;

    QMutex FWakeLock; // the thread's wake-up object while it lives
    QObject* FWaker = nullptr;
    std::unique_ptr<TSidetoneThread> FThread;
};
