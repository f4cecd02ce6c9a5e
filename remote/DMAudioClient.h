#pragma once
// The audio client module of the remote-client role: the audio client with its microphone and
// playback, the connection parameters of the active remote station, the connect actions and
// the settings.  Connect toggles: while connected it disconnects.

#include "remote/RAAudio.h"
#include "remote/RAClient.h"
#include "remote/RATypes.h"

#include <QObject>
#include <QString>
#include <cstdint>

class QAction;

using TRACodecEvent = std::function<void(const QString& Codec)>;

class TDMAudioClient : public QObject {
public:
    explicit TDMAudioClient(QObject* parent = nullptr);
    ~TDMAudioClient() override;

    TRAClient* RAClient() const { return FRAClient; }
    TRAAudio* RAAudioOut() const { return FRAAudioOut; }
    TRAAudio* RAAudioIn() const { return FRAAudioIn; }
    QAction* ConnectAction = nullptr;
    QAction* DisconnectAction = nullptr;
    QAction* ReconnectAction = nullptr;
    QAction* LeftChannelAction = nullptr;
    QAction* RightChannelAction = nullptr;
    QAction* BothChannelsAction = nullptr;
    QAction* SwapChannelsAction = nullptr;

    QString Host() const { return FHost; }
    void SetHost(const QString& Value) { FHost = Value; }
    QString Username() const { return FUsername; }
    void SetUsername(const QString& Value) { FUsername = Value; }
    QString Password() const { return FPassword; }
    void SetPassword(const QString& Value) { FPassword = Value; }
    uint32_t AudioPort() const { return FAudioPort; }
    void SetAudioPort(uint32_t Value) { FAudioPort = Value; }
    bool AutoConnect() const { return FAutoConnect; }
    void SetAutoConnect(bool Value) { FAutoConnect = Value; }
    bool TransmitOnMOX() const { return FTransmitOnMOX; }
    void SetTransmitOnMOX(bool Value) { FTransmitOnMOX = Value; }
    bool TransmitOnVOX() const { return FTransmitOnVOX; }
    void SetTransmitOnVOX(bool Value) { FTransmitOnVOX = Value; }
    bool UsePTT() const { return FUsePTT; }
    void SetUsePTT(bool Value);

    TRACodecEvent OnCodec;
    TConnectionStatusEvent OnConnectionStatus;

    void IniRead();
    void IniWrite();
    void Open() {}
    void Close() { Disconnect(); }
    void Connect();
    void Disconnect();
    void Reconnect();
    void ConnectActionExecute() { Connect(); }
    void DisconnectActionExecute() { Disconnect(); }
    void ReconnectActionExecute() { Reconnect(); }

private:
    TRAClient* FRAClient;
    TRAAudio* FRAAudioOut;
    TRAAudio* FRAAudioIn;
    QString FHost;
    QString FUsername;
    QString FPassword;
    uint32_t FAudioPort = 0;
    bool FAutoConnect = false;
    bool FTransmitOnMOX = false;
    bool FTransmitOnVOX = false;
    bool FUsePTT = false;
};

// The program's one audio client module; set while one exists.
extern TDMAudioClient* DMAudioClient;
