#pragma once
// The connecting end of the remote audio link and the audio client above it.
//
// TRAClientNetwork opens the TCP connection, sends the login text as soon as it is up, and
// hands every received block to DoReceivedData on the GUI thread, one at a time in arrival
// order, driven by its socket (nothing waits).  A length field that is negative or above
// 1 MiB ends the connection.
//
// TRAClient plays the server's audio (optionally one receiver channel on both ears), sends the
// microphone while transmitting, asks the server to key the transmitter when UsePTT is on,
// runs the echo test and reports traffic once a second.  The server's reason for ending the
// link (a refused login, its shutdown) is shown in place of the plain "disconnected"; a user
// name and password too long to travel are refused before connecting.

#include "core/RCTypes.h"
#include "platform/Clock.h"
#include "remote/RAAudio.h"
#include "remote/RATypes.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>

class QTcpSocket;
class TAudioVolume;

namespace RAProtocol {
class FrameReader;
}

using TConnectCommandEvent = std::function<void(QObject* Sender, QString& ConnectCommand)>;

// Status text of a connection state ("connecting...", "connected" ...).
QString ConnectionStatusText(TConnectionStatus Value);

class TRAClientNetwork : public QObject {
public:
    explicit TRAClientNetwork(QObject* parent = nullptr);
    ~TRAClientNetwork() override;

    QString Host() const { return FHost; }
    void SetHost(const QString& Value) { FHost = Value; }
    uint16_t AudioPort() const { return FAudioPort; }
    void SetAudioPort(uint16_t Value) { FAudioPort = Value; }
    bool Connected() const { return FConnected; }
    TConnectionStatus ConnectionStatus() const { return FConnectionStatus; }
    void SetConnectionStatus(TConnectionStatus Value);
    bool AskToStop() const { return FAskToStop; }
    void SetAskToStop(bool Value) { FAskToStop = Value; }
    bool Ready() const { return FReady; }

    TConnectCommandEvent OnConnectCommand;
    TConnectionStatusEvent OnConnectionStatus;
    TAudioDataEvent OnAudioStream;
    TLoginRequestEvent OnLoginRequest;
    TMessageEvent OnMessage;
    TExceptionEvent OnNetworkException;

    void Connect();
    void Disconnect();
    // Only while connected; false when the write failed (OnNetworkException has the reason).
    bool SendCommand(const QString& Command);
    bool SendStream(const void* Data, uint32_t Size);
    void DoReceivedData(const QByteArray& MS);

private:
    void DoSocketConnected();
    void DoSocketDisconnected();
    void DoSocketError();
    void DoReadyRead();
    bool Write(const QByteArray& message);
    // Lets the current socket go: what was written still leaves, nothing more is received.
    void ReleaseSocket();

    QString FHost = QStringLiteral("localhost");
    uint16_t FAudioPort = 4000;
    bool FConnected = false;
    TConnectionStatus FConnectionStatus = cNone;
    bool FAskToStop = false;
    bool FReady = true;
    QTcpSocket* FTCPClient = nullptr;
    std::unique_ptr<RAProtocol::FrameReader> FReader;
};

class TRAClient : public QObject {
public:
    static constexpr uint16_t MaxPort = 49151;
    static constexpr int EchoToneMs = 100;
    static constexpr int EchoToneHz = 700;

    explicit TRAClient(QObject* parent = nullptr);
    ~TRAClient() override;

    QString Host() const { return FHost; }
    // An empty text stores "localhost".
    void SetHost(const QString& Value) { FHost = Value.isEmpty() ? QStringLiteral("localhost") : Value; }
    uint16_t AudioPort() const { return FAudioPort; }
    // Values from 49152 up become 49151.
    void SetAudioPort(uint16_t Value) { FAudioPort = std::min(Value, MaxPort); }
    QString User() const { return FUser; }
    void SetUser(const QString& Value) { FUser = Value; }
    QString Password() const { return FPassword; }
    void SetPassword(const QString& Value) { FPassword = Value; }
    TRAAudio* AudioInput() const { return FAudioInput; }
    // Routes the microphone's blocks to the sender.
    void SetAudioInput(TRAAudio* Value);
    TRAAudio* AudioOutput() const { return FAudioOutput; }
    void SetAudioOutput(TRAAudio* Value) { FAudioOutput = Value; }
    bool Transmit() const { return FTransmit; }
    void SetTransmit(bool Value);
    bool TransmitEnabled() const { return FTransmitEnabled; }
    void SetTransmitEnabled(bool Value);
    bool UsePTT() const { return FUsePTT; }
    void SetUsePTT(bool Value) { FUsePTT = Value; }
    bool Mute() const { return FMute; }
    void SetMute(bool Value) { FMute = Value; }
    bool PlaybackOnTX() const { return FPlaybackOnTX; }
    void SetPlaybackOnTX(bool Value) { FPlaybackOnTX = Value; }
    bool ChannelLeft() const { return FChannelLeft; }
    void SetChannelLeft(bool Value);
    bool ChannelRight() const { return FChannelRight; }
    void SetChannelRight(bool Value);
    TConnectionStatus ConnectionStatus() const { return FConnectionStatus; }
    void SetConnectionStatus(TConnectionStatus Value);
    int ResponseTime() const { return FResponseTime; }
    uint32_t FFTBufferSize() const { return FFFTBufferSize; }
    void SetFFTBufferSize(uint32_t Value) { FFFTBufferSize = Value; }
    // The network is connected.
    bool Connected() const;

    TRAClientNetwork* RAClientNetwork() const { return FRAClientNetwork; }
    TAudioVolume* AudioVolume() const { return FAudioVolume; }
    vx::Timer* TrafficTimer() const { return FTrafficTimer; }

    TConnectionStatusEvent OnConnectionStatus;
    TActiveEvent OnTransmitting;
    TNotifyEvent OnChannelChange;
    TNotifyEvent OnCodecChange;
    TTrafficEvent OnNetworkTraffic;
    TMessageEvent OnBufferCount;
    TNotifyEvent OnResponseTime;
    TAudioDataEvent OnDSPAudioData;
    TAudioDataEvent OnFFTAudioData;
    // The server's notices ("Invalid user or password", "Server Shutdown") and the reason a
    // connection was not tried.
    TMessageEvent OnMessage;
    TExceptionEvent OnException;
    TExceptionEvent OnNetworkException;

    void Connect();
    void Disconnect();
    // Asks the server for the pending receive format.
    void CodecRequest();
    void EchoTest();
    void InitializeAudioVolume();
    float GetAudioOutVolume() const;
    void SetAudioOutVolume(float Value);

    // The login text for the current settings, before padding; empty without an output.
    QString LoginText() const;
    // The echo test's tone in the output's format (GSM blocks on a GSM link).
    QByteArray EchoTone() const;

private:
    void DoConnectCommand(QObject* Sender, QString& ConnectCommand);
    void DoCodecReply(const QString& Command, bool& ValidLogin, QString& User, QString& CodecMessage);
    void DoAudioStream(void* Buffer, uint32_t Size);
    void DoCapture(void* Buffer, uint32_t Size);
    void DoNetworkStatus(TConnectionStatus Value, const QString& Text);
    void DoMessage(const QString& Msg);
    void TrafficReport();

    TRAClientNetwork* FRAClientNetwork;
    TAudioVolume* FAudioVolume = nullptr;
    vx::Timer* FTrafficTimer;
    QPointer<TRAAudio> FAudioInput;
    QPointer<TRAAudio> FAudioOutput;

    QString FHost = QStringLiteral("localhost");
    uint16_t FAudioPort = 4000;
    QString FUser;
    QString FPassword;
    bool FTransmit = false;
    bool FTransmitEnabled = true;
    bool FUsePTT = false;
    bool FMute = false;
    bool FPlaybackOnTX = true;
    bool FChannelLeft = true;
    bool FChannelRight = true;
    TConnectionStatus FConnectionStatus = cNone;
    int FResponseTime = 0;
    uint32_t FFFTBufferSize = 1024;
    // The server's last notice; shown for the disconnection that follows it.
    QString FDisconnectReason;

    uint32_t FReceived = 0;
    uint32_t FTransmitted = 0;
    bool FEchoPending = false;
    qint64 FEchoSentAt = 0;
};
