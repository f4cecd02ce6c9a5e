#pragma once
// The telnet client of the cluster connection: TCP with every telnet option refused (a
// request DO or WILL is answered WONT or DONT), bytes read and written as Latin-1 one byte per
// character, and a connect that does not block: Connect() returns at once and the outcome
// arrives as OnConnected or OnConnectFailed, at the latest after ConnectTimeout.
//
// Everything runs on the GUI thread.  Handlers may call Disconnect() from inside any event.

#include "core/RCTypes.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>

class QTcpSocket;

namespace vx {
class Timer;
} // namespace vx

class TTelnetClient : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultConnectTimeout = 10000;
    // A subnegotiation is skipped up to its "IAC SE", none of it reaching the text.  One
    // longer than this has lost its end: it is given up together with the rest of its line,
    // so a lost "IAC SE" cannot swallow the rest of the session.
    static constexpr int MaxSubnegotiation = 4096;

    explicit TTelnetClient(QObject* parent = nullptr);
    ~TTelnetClient() override;

    QString Host() const { return FHost; }
    void SetHost(const QString& value) { FHost = value; }
    uint16_t Port() const { return FPort; }
    void SetPort(uint16_t value) { FPort = value; }
    int ConnectTimeout() const { return FConnectTimeout; }
    void SetConnectTimeout(int ms) { FConnectTimeout = ms; }

    // Starts connecting to Host:Port (an attempt under way is dropped first).
    void Connect();
    bool Connected() const;
    bool Connecting() const { return FConnecting; }
    // Closes the connection or drops the attempt; OnDisconnected follows when it was
    // connected.
    void Disconnect();
    // Sends the text and CR LF; false when not connected.
    bool WriteLn(const QString& text);

    TNotifyEvent OnConnected;
    TNotifyEvent OnDisconnected;
    // "Cannot connect to host:port: reason".
    TStringEvent OnConnectFailed;
    // The text of one delivery, telnet commands taken out.
    TStringEvent OnDataAvailable;

private:
    void DoConnected();
    void DoDisconnected();
    void DoError();
    void DoReadyRead();
    void DoConnectTimeout();
    void FailConnect(const QString& reason);
    // Takes the telnet commands out of the bytes and answers option requests.
    QByteArray Negotiate(const QByteArray& bytes);

    enum class TState : uint8_t { Data, IAC, Option, Sub, SubIAC, SubLost };

    QTcpSocket* FSocket = nullptr;
    vx::Timer* FConnectTimer = nullptr;
    QString FHost;
    uint16_t FPort = 0;
    int FConnectTimeout = DefaultConnectTimeout;
    bool FConnecting = false;
    bool FConnected = false;
    TState FState = TState::Data;
    uint8_t FOptionCommand = 0;
    int FSubLength = 0;
};
