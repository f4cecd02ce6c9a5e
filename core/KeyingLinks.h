#pragma once
// What the remote control link needs of the keying modules: the CW module with its WinKeyer
// and sidetone, the message module and the RTTY module.  Those modules implement these; the
// program's start-up hands them to the remote server and client modules.

#include <QChar>
#include <QString>
#include <cstdint>

// State of a keyer: the local one, or the server's as reported over the remote link.
enum TWKStatus : uint8_t { wksClosed, wksOpen, wksError };

// The WinKeyer component.  PrepareRX marks the next property change as coming from the
// remote side (state and events only); PrepareTX makes the next change go to the keyer.
class TWinKeyerLink {
public:
    virtual ~TWinKeyerLink() = default;

    virtual void PrepareRX() = 0;
    virtual void PrepareTX() = 0;

    virtual bool Active() const = 0;
    virtual TWKStatus Status() const = 0;
    virtual uint8_t Speed() const = 0;
    virtual void SetSpeed(uint8_t value) = 0;
    virtual uint8_t MinWPM() const = 0;
    virtual void SetMinWPM(uint8_t value) = 0;
    virtual uint8_t MaxWPM() const = 0;
    virtual void SetMaxWPM(uint8_t value) = 0;
    virtual uint8_t SpeedPot() const = 0;
    virtual void SetSpeedPot(uint8_t value) = 0;
    virtual uint8_t SynchronizeSpeed() const = 0;
    virtual void SetSynchronizeSpeed(uint8_t value) = 0;
    virtual TWKStatus RemoteStatus() const = 0;
    virtual void SetRemoteStatus(TWKStatus value) = 0;
    // One character the server's keyer sent, shown in the CW panel's echo.
    virtual void RemoteEcho(QChar value) = 0;
};

// The CW sidetone.
class TCWSidetoneLink {
public:
    virtual ~TCWSidetoneLink() = default;
    virtual void SetSpeed(uint8_t value) = 0;
    // Plays Morse text while the sidetone is open; nothing otherwise.
    virtual void Send(const QString& Text) = 0;
};

// The CW data module.
class TCWModuleLink {
public:
    virtual ~TCWModuleLink() = default;
    // Sends CW text: to the server in the client role, otherwise to the local keyer.
    virtual void CWSendText(const QString& Text) = 0;
    virtual TWinKeyerLink* WinKey() = 0;
    virtual TCWSidetoneLink* CWSidetone() = 0;
    // The CW sidetone is in use (opened at start-up).
    virtual bool UseSidetone() const { return false; }
};

// The message data module.
class TMessagesLink {
public:
    virtual ~TMessagesLink() = default;
    // Clears the keyer's send buffer.
    virtual void ClearActionExecute() = 0;
};

// The RTTY data module.  In the local and server roles the values are the RTTY engine's; in
// the client role the setters drive the RTTY panel's display.
class TRTTYModuleLink {
public:
    virtual ~TRTTYModuleLink() = default;

    virtual void PrepareTX() = 0;
    virtual void PrepareRX() = 0;
    virtual void Open() = 0;  // start (or, while it runs, stop) the engine
    virtual void Close() = 0; // stop the engine
    virtual void Clear() = 0;
    virtual void Send(const QString& Text) = 0;
    virtual void SendMessage(const QString& Text) = 0; // macros expanded
    virtual void TX() = 0;                             // transmit toggle
    virtual bool BandPassFilter() const = 0;
    virtual void SetBandPassFilter(bool value) = 0;
    virtual bool Squelch() const = 0;
    virtual void SetSquelch(bool value) = 0;
    virtual int32_t SquelchLevel() const = 0;
    virtual void SetSquelchLevel(int32_t value) = 0;
    virtual void SetSignalLevel(int32_t value) = 0;
    virtual void RXText(const QString& Text) = 0;
    virtual void SetPTT(bool value) = 0;
    virtual void SetConnected(bool value) = 0; // the panel's engine-connected display
    virtual void SwitchInformation(int32_t value) = 0;
    virtual bool IsConnected() const = 0; // the engine runs
};
