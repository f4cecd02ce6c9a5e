#pragma once
// The listening end of the remote audio link and the audio server above it.
//
// TRAServerNetwork listens on the audio port and serves every connection on the GUI thread,
// driven by its socket: the blocks of one connection are handled one at a time in arrival
// order, and each message is written whole, so blocks on one connection never interleave.
// Until a connection has logged in it can do nothing but log in: its PTT, echo and codec
// frames and its audio are ignored and it receives no audio.  A refused login is answered
// after a pause of one second and the connection closed; one that has not logged in after
// 30 s is closed.  PTT and the echo test are kept per connection: one client's release does
// not end another's keying, and a keying client that goes away releases its PTT.
//
// TRAServer ties capture, playback and the listener together: it checks logins against
// TRAAuthentication, negotiates the capture format with the first user, broadcasts captured
// audio, plays what clients send and counts the traffic.

#include "core/RCTypes.h"
#include "platform/Clock.h"
#include "remote/RAAudio.h"
#include "remote/RATypes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <cstdint>

class QTcpServer;
class QTcpSocket;
class TRAConnection;

enum TNetworkProtocol : uint8_t { npTCP, npUDP };

// One server connection.
struct TClientInfo {
    QTcpSocket* PeerThread = nullptr; // the connection
    QString User;                     // empty until login
    bool IsAuthenticated = false;
};

class TRAServerNetwork : public QObject {
public:
    static constexpr uint16_t MaxPort = 49151;
    static constexpr int LoginTimeoutMs = 30000;
    static constexpr int RefusalDelayMs = 1000;
    // A connection whose unsent data passes this gets no further audio until it catches up,
    // so a client that stops reading cannot make the server hoard its audio.
    static constexpr qint64 MaxPendingBytes = 1024 * 1024;

    explicit TRAServerNetwork(QObject* parent = nullptr);
    ~TRAServerNetwork() override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    uint16_t Port() const { return FPort; }
    // Values above 49151 become 49151; taken only while the listener is inactive.
    void SetPort(uint16_t Value);
    TNetworkProtocol NetworkProtocol() const { return FNetworkProtocol; }
    void SetNetworkProtocol(TNetworkProtocol Value) { FNetworkProtocol = Value; }
    // Logged-in connections.
    int ConnectedUsersCount() const { return FConnectedUsersCount; }
    void SetConnectedUsersCount(int Value);
    // "no users connected", or "Users: " and the user name of each connection.
    QString ConnectedUsers() const;
    bool ShuttingDown() const { return FShutdown; }
    // The open connections, in connection order.
    QList<const TClientInfo*> Clients() const;

    TActiveEvent OnActive;
    TAudioDataEvent OnAudioStream;
    TLoginRequestEvent OnLoginRequest;
    TLoginRequestEvent OnCodecRequest;
    TConnectedUsersEvent OnConnectedUsers;
    TActiveEvent OnPTT;
    TExceptionEvent OnException;

    void StartServer() { SetActive(true); }
    void StopServer() { SetActive(false); }
    // Announces the stop, closes every connection and the listener; reports nothing but the
    // PTT release and stays in the shut-down state.
    void Shutdown();
    // One audio block to every logged-in connection.
    void Broadcast(const void* Data, uint32_t Size);

private:
    void DoNewConnection();
    void Accept(QTcpSocket* socket);
    void ReadBlocks(TRAConnection* c);
    void HandleBlock(TRAConnection* c, const QByteArray& payload);
    void HandleControl(TRAConnection* c, const QString& text);
    void HandleLogin(TRAConnection* c, const QString& text);
    void HandlePTT(TRAConnection* c, bool on);
    bool AnyPTT() const;
    void Write(TRAConnection* c, const QByteArray& message);
    // Removes the record at once and lets the socket finish sending before it closes.
    void DropConnection(TRAConnection* c);
    void StopSequence();

    QTcpServer* FTCPServer;
    QList<TRAConnection*> FClients;
    bool FActive = false;
    uint16_t FPort = 4000;
    TNetworkProtocol FNetworkProtocol = npTCP;
    int FConnectedUsersCount = 0;
    bool FShutdown = false;
};

// The user names and the one password a login must match.
class TRAAuthentication {
public:
    QStringList Users() const { return FUsers; }
    void SetUsers(const QStringList& Value) { FUsers = Value; }
    QString Password() const { return FPassword; }
    void SetPassword(const QString& Value) { FPassword = Value; }

    // The user name and password fields of a login text, read in order; true (and User set)
    // when the name is one of Users and the password matches.  An empty password or user
    // name never matches.
    bool CheckLogin(const QString& Command, QString& User) const;

private:
    QStringList FUsers;
    QString FPassword;
};

class TRAServer : public QObject {
public:
    explicit TRAServer(QObject* parent = nullptr);
    ~TRAServer() override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    uint16_t AudioPort() const { return FAudioPort; }
    // Values above 49151 become 49151, the port the listener takes, so that what is stored
    // and shown is the port clients must use.
    void SetAudioPort(uint16_t Value) { FAudioPort = std::min(Value, TRAServerNetwork::MaxPort); }
    TRAAudio* AudioInput() const { return FAudioInput.data(); }
    // Routes the capture's blocks to the broadcast and its failures to OnException.
    void SetAudioInput(TRAAudio* Value);
    TRAAudio* AudioOutput() const { return FAudioOutput.data(); }
    void SetAudioOutput(TRAAudio* Value) { FAudioOutput = Value; }
    TRAAuthentication& Authentication() { return FAuthentication; }
    bool BroadcastAudioOnTX() const { return FBroadcastAudioOnTX; }
    void SetBroadcastAudioOnTX(bool Value) { FBroadcastAudioOnTX = Value; }
    bool AudioActive() const { return FAudioActive; }
    void SetAudioActive(bool Value);
    TConnectionStatus ConnectionStatus() const { return FConnectionStatus; }
    // A client holds PTT.
    bool Transmitting() const { return FTransmitting; }
    TRAServerNetwork* ServerSocket() const { return FServerSocket; }
    vx::Timer* TrafficTimer() const { return FTrafficTimer; }

    TActiveEvent OnServerActive;
    TConnectedUsersEvent OnConnectedUsers;
    TActiveEvent OnPTT;
    TNotifyEvent OnCodecChange;
    TActiveEvent OnAudioActive;
    TTrafficEvent OnNetworkTraffic;
    TExceptionEvent OnException;
    TExceptionEvent OnNetworkException;

    // Announces the stop to all clients, stops the listener and closes capture and playback;
    // of the events only the PTT release is raised.
    void Shutdown();

private:
    void DoLoginRequest(const QString& Command, bool& ValidLogin, QString& User, QString& CodecMessage);
    void DoCodecRequest(const QString& Command, bool& ValidLogin, QString& User, QString& CodecMessage);
    void DoConnectedUsers(int Count, const QString& Text);
    void DoBroadcast(void* Buffer, uint32_t Size);
    void DoPlayback(void* Buffer, uint32_t Size);
    void OpenCapture();
    void TrafficReport();

    TRAServerNetwork* FServerSocket;
    vx::Timer* FTrafficTimer;
    TRAAuthentication FAuthentication;
    // The owner may free the audio components before this one.
    QPointer<TRAAudio> FAudioInput;
    QPointer<TRAAudio> FAudioOutput;
    bool FActive = false;
    uint16_t FAudioPort = 4000;
    bool FBroadcastAudioOnTX = false;
    bool FAudioActive = false;
    TConnectionStatus FConnectionStatus = cNone;
    bool FTransmitting = false;
    std::atomic<uint32_t> FReceived{0};
    std::atomic<uint32_t> FTransmitted{0};
};
