#pragma once
// The WinKeyer Morse keyer on a serial port (1200 baud, 8N1, DTR on, RTS off), driven with
// the keyer's byte-oriented host protocol: it opens the keyer, loads its mode and speed
// range, queues text and hands the keyer one byte at a time (one at once, then one for each
// batch of bytes the keyer sends back), and decodes the keyer's status, speed-pot and echo
// bytes.
//
// Opening waits 500, 250 and 250 ms between its steps; the waits are timers, so the thread
// that opens (the GUI thread) never blocks.  In the remote-client role the component touches
// no port: it only mirrors the server's keyer, fed through PrepareRX and the setters.
//
// The owner routes the port's receive event to DoRxCharFromCOMPort and its after-close event
// to DoCOMPortClosed.

#include "core/KeyingLinks.h"
#include "core/RCTypes.h"
#include "keying/KeyingTypes.h"

#include <QByteArray>
#include <QChar>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace vx {
class SerialPort;
class Timer;
} // namespace vx

// The keyer parameters in the order of the protocol's load-defaults command.
struct TWKState {
    uint8_t ModeRegister = 0;
    uint8_t Speed = 0;
    uint8_t SidetoneFrequency = 0;
    uint8_t Weighting = 0;
    uint8_t LeadInTime = 0;
    uint8_t TailTime = 0;
    uint8_t MinWPM = 0;
    uint8_t WPMRange = 0;
    uint8_t FirstExtension = 0;
    uint8_t KeyCompensation = 0;
    uint8_t FarnsworthWPM = 0;
    uint8_t PaddleSetpoint = 0;
    uint8_t DitDahRatio = 0;
    uint8_t PinConfiguration = 0;
    uint8_t PotRange = 0;
};

// The bits of the keyer's last status byte.
struct TWinKeyStatus {
    bool XOff = false;
    bool BreakIn = false;
    bool Busy = false;
    bool KeyDown = false;
    bool Wait = false;
};

constexpr int WKBufferSize = 1024;
using TWKBuffer = std::array<uint8_t, WKBufferSize>;

using TSpeedEvent = std::function<void(uint8_t MinWPM, uint8_t Speed, uint8_t MaxWPM, uint8_t SpeedPot)>;
using TCharRXEvent = std::function<void(QChar CharRX)>;
using TCharacterEvent = TCharRXEvent;
using TRxBufEvent = std::function<void(const TWKBuffer& Buffer, int Count)>;
using TStatusEvent = std::function<void(TWKStatus Status)>;

class TWinKeyer : public QObject, public TWinKeyerLink {
    Q_OBJECT
public:
    static constexpr int QueueSize = WKBufferSize;
    static constexpr int ReopenIntervalMs = 3000;
    static constexpr int SettleMs = 500;       // after the port opened
    static constexpr int CalibrateMs = 250;    // between 00 00 and FF
    static constexpr int AnswerTimeoutMs = 250; // echo test and host open answers

    explicit TWinKeyer(QObject* owner = nullptr);
    ~TWinKeyer() override;

    // --- Operations ---------------------------------------------------------------------
    // Opens the keyer; nothing while it is open or being opened.  Success shows later as
    // Active and wksOpen; failure as wksError, with a new attempt every 3000 ms.
    void WKOpen();
    // Closes the keyer, or stops an open in progress and the attempts to open.
    void WKClose();
    // Stops sending and empties the keyer's buffer and the queue.
    void WKClear();
    // As WKClear, reported as OnEscape.
    void WKEscape();
    // Queues text; characters outside " ".."Z" (after upper-casing) and those that find the
    // queue full are dropped.
    void WKSend(const QString& Text);
    void WKSendChar(QChar Ch);
    // Reads Count received bytes: answers while opening, decoded when open, dropped otherwise.
    void DoRxCharFromCOMPort(int Count);
    // The owner routes the port's after-close event here too: a port that closes under an
    // open (or opening) keyer, its device gone, leaves it in wksError and tried again every
    // 3000 ms, so it comes back when the device does.
    void DoCOMPortClosed();
    void RemoteEcho(QChar Ch) override;
    void PrepareRX() override { FReceived = true; }
    void PrepareTX() override { FReceived = false; }

    // --- Properties ---------------------------------------------------------------------
    bool Active() const override { return FActive; }
    // An open is in progress (between WKOpen and its success or failure).
    bool Opening() const { return FPhase != TOpenPhase::None; }
    TApplicationType ApplicationType() const { return FApplicationType; }
    void SetApplicationType(TApplicationType value) { FApplicationType = value; }
    // The serial port; a port that is destroyed clears it.
    vx::SerialPort* COMPort() const;
    void SetCOMPort(vx::SerialPort* value);
    vx::Timer* WaitForCOMPortTimer() const { return FWaitForCOMPortTimer; }

    bool AutoSpace() const { return FAutoSpace; }
    void SetAutoSpace(bool value) { FAutoSpace = value; }
    bool ContestSpacing() const { return FContestSpacing; }
    void SetContestSpacing(bool value) { FContestSpacing = value; }
    TKeyerMode KeyerMode() const { return FKeyerMode; }
    void SetKeyerMode(TKeyerMode value) { FKeyerMode = value; }
    bool SwapPaddles() const { return FSwapPaddles; }
    void SetSwapPaddles(bool value) { FSwapPaddles = value; }
    bool PaddleEchoBack() const { return FPaddleEchoBack; }
    void SetPaddleEchoBack(bool value) { FPaddleEchoBack = value; }
    bool PaddleWatchDog() const { return FPaddleWatchDog; }
    void SetPaddleWatchDog(bool value) { FPaddleWatchDog = value; }
    bool SerialEchoback() const { return FSerialEchoback; }
    void SetSerialEchoback(bool value) { FSerialEchoback = value; }
    // The mode register the flags above give.
    uint8_t ModeRegister() const;

    uint8_t Speed() const override { return FSpeed; }
    void SetSpeed(uint8_t value) override;
    uint8_t SpeedPot() const override { return FSpeedPot; }
    void SetSpeedPot(uint8_t value) override;
    uint8_t SynchronizeSpeed() const override { return FSynchronizeSpeed; }
    void SetSynchronizeSpeed(uint8_t value) override;
    uint8_t MinWPM() const override { return FMinWPM; }
    void SetMinWPM(uint8_t value) override;
    uint8_t MaxWPM() const override { return FMaxWPM; }
    void SetMaxWPM(uint8_t value) override;
    uint8_t WPMRange() const { return FWPMRange; }
    void SetWPMRange(uint8_t value);
    uint8_t Weighting() const { return FWeighting; }
    void SetWeighting(uint8_t value);
    int32_t DitDahRatio() const { return FDitDahRatio; }
    void SetDitDahRatio(int32_t value);
    bool Farnsworth() const { return FFarnsworth; }
    void SetFarnsworth(bool value);
    uint8_t FarnsworthSpeed() const { return FFarnsworthSpeed; }
    void SetFarnsworthSpeed(uint8_t value);
    uint8_t FirstExtension() const { return FFirstExtension; }
    void SetFirstExtension(uint8_t value);
    uint8_t KeyingCompensation() const { return FKeyingCompensation; }
    void SetKeyingCompensation(uint8_t value);
    uint8_t PaddleSetPoint() const { return FPaddleSetPoint; }
    void SetPaddleSetPoint(uint8_t value);
    TSidetoneFrequency SidetoneFrequency() const { return FSidetoneFrequency; }
    void SetSidetoneFrequency(TSidetoneFrequency value) { FSidetoneFrequency = value; }
    uint8_t SidetoneFrequencyAsByte() const { return uint8_t(FSidetoneFrequency + 1); }
    void SetSidetoneFrequencyAsByte(uint8_t value);
    // Key immediate (the key held down).
    bool KeyDown() const { return FKeyDown; }
    void SetKeyDown(bool value);
    TWKStatus Status() const override { return FStatus; }
    void SetStatus(TWKStatus value);
    TWKStatus RemoteStatus() const override { return FRemoteStatus; }
    void SetRemoteStatus(TWKStatus value) override;
    // The version byte the keyer returned to host open.
    uint8_t WKVersion() const { return FWKVersion; }
    const TWinKeyStatus& WinKeyStatus() const { return FWinKeyStatus; }
    // The parameters assembled at the last open.
    const TWKState& WKState() const { return FWKState; }
    // Bytes queued and not yet handed to the keyer.
    int QueueCount() const { return int(FQueue.size()); }

    // --- Events -------------------------------------------------------------------------
    TNotifyEvent OnChanged;            // Status or SynchronizeSpeed changed
    TCharRXEvent OnCharacterLocal;     // the keyer echoed a character
    TCharacterEvent OnCharacterRemote; // RemoteEcho
    TNotifyEvent OnClear;
    TNotifyEvent OnEscape;
    TCOMPortEvent OnComPortState;      // comWaiting: the port did not open; comInvalid: no port name
    TStatusEvent OnRemoteStatus;
    TRxBufEvent OnRxBuf;               // every received batch (of at most 1024 bytes), before decoding
    TSpeedEvent OnSpeed;               // a speed change made on this side
    TSpeedEvent OnWKSpeed;             // every speed change, and the end of WKOpen
    TNotifyEvent OnWKSpeedPot;
    TNotifyEvent OnWKMinWPM;
    TNotifyEvent OnWKMaxWPM;
    TStatusEvent OnWKStatus;
    TNotifyEvent OnWKClear;
    TSwitchEvent OnWKXOff;
    TSwitchEvent OnWKBreakIn;
    TSwitchEvent OnWKBusy;
    TSwitchEvent OnWKKeyDown;
    TSwitchEvent OnWKWait;

private:
    enum class TOpenPhase { None, Settle, Calibrate, Echo, Version };

    bool IsClient() const { return FApplicationType == isRemoteClient; }
    bool PortOpen() const;
    bool PortSetup();
    void DoPhaseTimer();
    void DoWaitForCOMPortTimer();
    void HandshakeAnswer(uint8_t b);
    void FinishOpen();
    void FailOpen();
    void CloseOpenKeyer(TWKStatus status);
    bool ParameterLoad();
    // A command write: skipped (and done) on a closed port unless the port must be open;
    // false, with wksError, when the write fails.
    bool WriteCommand(const QByteArray& bytes, bool mustBeOpen = false);
    void Clear(bool escape);
    void Enqueue(QChar Ch);
    void SendNextByte();
    void Decode(uint8_t b);
    void SetStatusBit(bool& bit, bool value, const TSwitchEvent& event);
    void FireSpeed(const TSpeedEvent& event);
    void DiscardInput();

    QPointer<vx::SerialPort> FCOMPort;
    vx::Timer* FWaitForCOMPortTimer = nullptr;
    vx::Timer* FPhaseTimer = nullptr;
    TOpenPhase FPhase = TOpenPhase::None;

    bool FActive = false;
    TApplicationType FApplicationType = isLocal;
    bool FReceived = false; // the received mark
    bool FAutoSpace = false;
    bool FContestSpacing = false;
    TKeyerMode FKeyerMode = kmIambicA;
    bool FSwapPaddles = false;
    bool FPaddleEchoBack = true;
    bool FPaddleWatchDog = false;
    bool FSerialEchoback = true;
    uint8_t FSpeed = 26;
    uint8_t FSpeedPot = 26;
    uint8_t FSynchronizeSpeed = 1;
    uint8_t FMinWPM = 10;
    uint8_t FMaxWPM = 40;
    uint8_t FWPMRange = 30;
    uint8_t FWeighting = 50;
    int32_t FDitDahRatio = 300;
    bool FFarnsworth = false;
    uint8_t FFarnsworthSpeed = 0;
    uint8_t FFirstExtension = 0;
    uint8_t FKeyingCompensation = 0;
    uint8_t FPaddleSetPoint = 50;
    TSidetoneFrequency FSidetoneFrequency = sf752Hz;
    bool FKeyDown = false;
    TWKStatus FStatus = wksClosed;
    TWKStatus FRemoteStatus = wksClosed;
    uint8_t FWKVersion = 0;
    TWKState FWKState;
    TWinKeyStatus FWinKeyStatus;
    QByteArray FQueue;
};
