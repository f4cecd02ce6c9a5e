#pragma once
// The audio server module of the server roles: capture and playback, the audio server with the
// users and password of the remote control server (copied at each Open), the PTT serial port
// whose RTS and DTR lines key the transmitter, the PTT time-out, and the settings.
//
// Everything runs on the GUI thread.  The PTT port is retried every 3000 ms while it cannot be
// opened (and after it went away) until Close; a keyed transmitter is released after
// PTTTimeout seconds (0 = never), when the last client leaves and when the server stops.

#include "platform/Clock.h"
#include "remote/PTTPort.h"
#include "remote/RAAudio.h"
#include "remote/RAServer.h"
#include "remote/RATypes.h"

#include <QObject>
#include <QString>
#include <memory>

class QAction;
class TDMServer;

class TDMAudioServer : public QObject {
public:
    static constexpr int PTTRetryMs = 3000;
    static constexpr int DefaultPTTTimeout = 300;

    explicit TDMAudioServer(QObject* parent = nullptr);
    ~TDMAudioServer() override;

    TRAAudio* RAAudioIn() const { return FRAAudioIn; }
    TRAAudio* RAAudioOut() const { return FRAAudioOut; }
    TRAServer* RAServer() const { return FRAServer; }
    QAction* ServerAction() const { return FServerAction; }
    // The PTT port; its name is the setting "Server\PTT\Port" (empty = no PTT port).
    TPTTPort* PTTComPort() const { return FPTTComPort.get(); }
    // Replaces the PTT port (tests hand in a stand-in that records the lines).
    void SetPTTComPort(std::unique_ptr<TPTTPort> Port);
    vx::Timer* PTTTimer() const { return FPTTTimer; }
    vx::Timer* TimeoutTimer() const { return FTimeoutTimer; }

    // The remote control server whose users and password are copied (the program's one when
    // none is set).
    void SetServer(TDMServer* Value) { FServer = Value; }

    bool ActivateServer() const { return FActivateServer; }
    void SetActivateServer(bool Value) { FActivateServer = Value; }
    TPinType PinTypeRTS() const { return FPinTypeRTS; }
    void SetPinTypeRTS(TPinType Value) { FPinTypeRTS = Value; }
    TPinType PinTypeDTR() const { return FPinTypeDTR; }
    void SetPinTypeDTR(TPinType Value) { FPinTypeDTR = Value; }
    bool PTT() const { return FPTT; }
    TPTTStatus PTTStatus() const { return FPTTStatus; }
    int PTTTimeout() const { return FPTTTimeout; }
    // Seconds; 0 (or less) = never.
    void SetPTTTimeout(int Value);

    TPTTStatusEvent OnPTTStatus;

    void IniRead();
    void IniWrite();
    void Open();
    void Close();
    void DoPTT(bool OnOff);
    void OpenPTTPort();
    void ClosePTTPort();
    void PTTTimerTimer() { OpenPTTPort(); }
    void TimeoutTimerTimer() { DoPTT(false); }

private:
    void SetLine(bool rts, TPinType type, bool keyed);
    void DoPTTPortLost();

    TRAAudio* FRAAudioIn;
    TRAAudio* FRAAudioOut;
    TRAServer* FRAServer;
    QAction* FServerAction;
    std::unique_ptr<TPTTPort> FPTTComPort;
    vx::Timer* FPTTTimer;
    vx::Timer* FTimeoutTimer;
    TDMServer* FServer = nullptr;

    bool FActivateServer = false;
    TPinType FPinTypeRTS = pinAlwaysOff;
    TPinType FPinTypeDTR = pinAlwaysOff;
    bool FPTT = false;
    TPTTStatus FPTTStatus = pttNone;
    int FPTTTimeout = DefaultPTTTimeout;
};

// The program's one audio server module; set while one exists.
extern TDMAudioServer* DMAudioServer;
