#pragma once
// The client end of the remote control link: opens the TCP connection to a server, answers
// the login dialogue, keeps the heartbeat and its round-trip statistics, hands every other
// received line to its owner and sends lines.  Everything runs on the GUI thread, driven by
// the socket: received lines are handled one at a time in arrival order.
//
// The round trip of a heartbeat is measured on the monotonic clock from the moment its stamp
// was sent; the stamp on the wire is the local time, as the server echoes it unchanged.

#include "core/RCTypes.h"
#include "remote/RemoteLine.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <cstdint>

class QTcpSocket;
class TRemoteClientInterface;

namespace vx {
class Timer;
} // namespace vx

// Round-trip statistics over the last 60 samples.
class TRCM {
public:
    static constexpr int MaxSamples = 60;

    explicit TRCM(TRemoteClientInterface* owner)
        : FOwner(owner)
    {
    }

    // Last round-trip time in ms; setting it adds a sample.
    int32_t Value() const { return FValue; }
    void SetValue(int32_t value);
    // Mean of the stored samples, truncated.
    int32_t Avg() const { return FAvg; }
    // The smallest stored sample above 0 (99999 when none); 0 while not connected.
    int32_t MinValue() const;
    // The largest stored sample; 0 when none.
    int32_t MaxValue() const;
    QDateTime LoginTime() const { return FLoginTime; }
    void SetLoginTime(const QDateTime& value);
    QString LoginString() const { return FLoginString; } // "hh:nn" of the login
    QString RuntimeString() const { return FRuntimeString; } // "h:nn" since the login
    QList<int32_t> Samples() const { return FSamples; }
    void Init();

private:
    TRemoteClientInterface* FOwner;
    int32_t FValue = 0;
    int32_t FAvg = 0;
    QDateTime FLoginTime;
    QString FLoginString;
    QString FRuntimeString;
    QList<int32_t> FSamples;
};

class TRemoteClientInterface : public QObject {
    Q_OBJECT
public:
    // Heartbeats without an answer after which the round trip counts as lost.
    static constexpr int MissedHeartBeats = 10;
    static constexpr int32_t NoResponse = 99999;

    explicit TRemoteClientInterface(QObject* owner = nullptr);
    ~TRemoteClientInterface() override;

    QString Host() const { return FHost; }
    void SetHost(const QString& value) { FHost = value.isEmpty() ? QStringLiteral("localhost") : value; }
    uint32_t Port() const { return FPort; }
    void SetPort(uint32_t value) { FPort = value; }
    QString HostName() const { return FHostName; }
    void SetHostName(const QString& value) { FHostName = value; }
    QString Username() const { return FUsername; }
    void SetUsername(const QString& value) { FUsername = value; }
    QString Password() const { return FPassword; }
    void SetPassword(const QString& value) { FPassword = value; }
    bool HeartBeats() const { return FHeartBeats; }
    void SetHeartBeats(bool value);
    int32_t HeartBeatInterval() const { return FHeartBeatInterval; }
    void SetHeartBeatInterval(int32_t value);
    bool Connected() const { return FConnected; }
    bool LoggedIn() const { return FLoggedIn; }
    void SetLoggedIn(bool value) { FLoggedIn = value; }
    TRCM& RCM() { return FRCM; }
    const TRCM& RCM() const { return FRCM; }
    // Heartbeats sent and not yet answered.
    int32_t HeartBeatCounter() const { return FHeartBeatCounter; }
    vx::Timer* HeartBeatTimer() const { return FHeartBeatTimer; }

    void Connect();
    void Disconnect();
    void Send(const QString& Command);

    TConnectionEvent OnConnection;
    TSwitchEvent OnLogin;
    TStringEvent OnRXCommand;
    TNotifyEvent OnRCM;
    TIntegerEvent OnRCMAverage;
    TSwitchEvent OnRCMConnected;
    // A text the program shows in an error box with an OK button ("Wrong Login. Disconnect.").
    TStringEvent OnErrorMessage;

private:
    void DoSocketConnected();
    void DoSocketDisconnected();
    void DoSocketError();
    void DoReadyRead();
    void HandleLine(const QString& line);
    void HandleHeartBeatEcho(const QString& stamp);
    void DoHeartBeatTimer();
    void StartHeartBeat();

    QString FHost = QStringLiteral("localhost");
    uint32_t FPort = 0;
    QString FHostName;
    QString FUsername;
    QString FPassword;
    bool FHeartBeats = true;
    int32_t FHeartBeatInterval = 1;
    bool FConnected = false;
    bool FLoggedIn = false;
    TRCM FRCM;
    QTcpSocket* FTCPClient;
    vx::Timer* FHeartBeatTimer;
    RemoteLine::Reader FReader;
    int32_t FHeartBeatCounter = 0;
    // Stamps sent and not yet answered, with the monotonic time they left.
    QList<QPair<QString, qint64>> FSentStamps;
};
