#pragma once
// Recording stand-ins for the keying and DX modules the remote link drives, and small helpers
// for tests on real sockets: a line-reading peer and a free port.

#include "core/DXLink.h"
#include "core/KeyingLinks.h"
#include "remote/RemoteLine.h"
#include "tests/log/QStringPrint.h"
#include "tests/support/Wait.h"

#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline QString N(int v)
{
    return QString::number(v);
}

class RecordingKeyer : public TWinKeyerLink {
public:
    explicit RecordingKeyer(QStringList& calls)
        : Calls(calls)
    {
    }
    QStringList& Calls;
    // The state the server reports after a login.
    bool FActive = true;
    TWKStatus FStatus = wksOpen;
    uint8_t FSpeed = 26, FMinWPM = 10, FMaxWPM = 40, FSpeedPot = 26, FSync = 1;
    TWKStatus FRemoteStatus = wksClosed;

    void PrepareRX() override { Calls << "keyer.PrepareRX"; }
    void PrepareTX() override { Calls << "keyer.PrepareTX"; }
    bool Active() const override { return FActive; }
    TWKStatus Status() const override { return FStatus; }
    uint8_t Speed() const override { return FSpeed; }
    void SetSpeed(uint8_t v) override { FSpeed = v, Calls << "keyer.Speed=" + N(v); }
    uint8_t MinWPM() const override { return FMinWPM; }
    void SetMinWPM(uint8_t v) override { FMinWPM = v, Calls << "keyer.MinWPM=" + N(v); }
    uint8_t MaxWPM() const override { return FMaxWPM; }
    void SetMaxWPM(uint8_t v) override { FMaxWPM = v, Calls << "keyer.MaxWPM=" + N(v); }
    uint8_t SpeedPot() const override { return FSpeedPot; }
    void SetSpeedPot(uint8_t v) override { FSpeedPot = v, Calls << "keyer.SpeedPot=" + N(v); }
    uint8_t SynchronizeSpeed() const override { return FSync; }
    void SetSynchronizeSpeed(uint8_t v) override { FSync = v, Calls << "keyer.SynchronizeSpeed=" + N(v); }
    TWKStatus RemoteStatus() const override { return FRemoteStatus; }
    void SetRemoteStatus(TWKStatus v) override { FRemoteStatus = v, Calls << "keyer.RemoteStatus=" + N(v); }
    void RemoteEcho(QChar c) override { Calls << QStringLiteral("keyer.RemoteEcho(%1)").arg(c); }
};

class RecordingSidetone : public TCWSidetoneLink {
public:
    explicit RecordingSidetone(QStringList& calls)
        : Calls(calls)
    {
    }
    QStringList& Calls;
    void SetSpeed(uint8_t v) override { Calls << "sidetone.Speed=" + N(v); }
    void Send(const QString& t) override { Calls << "sidetone.Send(" + t + ")"; }
};

class RecordingCW : public TCWModuleLink {
public:
    explicit RecordingCW(QStringList& calls)
        : Calls(calls)
        , Keyer(calls)
        , Sidetone(calls)
    {
    }
    QStringList& Calls;
    RecordingKeyer Keyer;
    RecordingSidetone Sidetone;
    void CWSendText(const QString& t) override { Calls << "cw.CWSendText(" + t + ")"; }
    TWinKeyerLink* WinKey() override { return &Keyer; }
    TCWSidetoneLink* CWSidetone() override { return &Sidetone; }
};

class RecordingMessages : public TMessagesLink {
public:
    explicit RecordingMessages(QStringList& calls)
        : Calls(calls)
    {
    }
    QStringList& Calls;
    void ClearActionExecute() override { Calls << "messages.Clear"; }
};

class RecordingRTTY : public TRTTYModuleLink {
public:
    explicit RecordingRTTY(QStringList& calls)
        : Calls(calls)
    {
    }
    QStringList& Calls;
    bool FBandPassFilter = false, FSquelch = true, FConnected = true;
    int32_t FSquelchLevel = 300;

    void PrepareTX() override { Calls << "rtty.PrepareTX"; }
    void PrepareRX() override { Calls << "rtty.PrepareRX"; }
    void Open() override { Calls << "rtty.Open"; }
    void Close() override { Calls << "rtty.Close"; }
    void Clear() override { Calls << "rtty.Clear"; }
    void Send(const QString& t) override { Calls << "rtty.Send(" + t + ")"; }
    void SendMessage(const QString& t) override { Calls << "rtty.SendMessage(" + t + ")"; }
    void TX() override { Calls << "rtty.TX"; }
    bool BandPassFilter() const override { return FBandPassFilter; }
    void SetBandPassFilter(bool v) override { Calls << "rtty.BandPassFilter=" + N(v); }
    bool Squelch() const override { return FSquelch; }
    void SetSquelch(bool v) override { Calls << "rtty.Squelch=" + N(v); }
    int32_t SquelchLevel() const override { return FSquelchLevel; }
    void SetSquelchLevel(int32_t v) override { Calls << "rtty.SquelchLevel=" + N(v); }
    void SetSignalLevel(int32_t v) override { Calls << "rtty.SignalLevel=" + N(v); }
    void RXText(const QString& t) override { Calls << "rtty.RXText(" + t + ")"; }
    void SetPTT(bool v) override { Calls << "rtty.PTT=" + N(v); }
    void SetConnected(bool v) override { Calls << "rtty.Connected=" + N(v); }
    void SwitchInformation(int32_t v) override { Calls << "rtty.SwitchInformation=" + N(v); }
    bool IsConnected() const override { return FConnected; }
};

class RecordingDX : public TDXModuleLink {
public:
    explicit RecordingDX(QStringList& calls)
        : Calls(calls)
    {
    }
    QStringList& Calls;
    void AddWSJTQSO(const QString& q) override { Calls << "dx.AddWSJTQSO(" + q + ")"; }
};

// The keying and DX modules, every call of each recorded in order in one list
// ("keyer.Speed=30", "rtty.Send(CQ)").
struct RecordingModules {
    QStringList Calls;
    RecordingCW CW{Calls};
    RecordingMessages Messages{Calls};
    RecordingRTTY RTTY{Calls};
    RecordingDX DX{Calls};
};

// A port the system has just handed out and released again.
inline quint16 FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// One end of a remote control connection as a test plays it: reads and writes whole lines.
class LinePeer {
public:
    explicit LinePeer(QTcpSocket* socket = nullptr)
        : FSocket(socket ? socket : new QTcpSocket)
    {
    }
    ~LinePeer() { delete FSocket; }

    bool Connect(quint16 port)
    {
        FSocket->connectToHost(QHostAddress::LocalHost, port);
        return vxtest::waitUntil([this] { return FSocket->state() == QAbstractSocket::ConnectedState; }, 3000);
    }
    void Send(const QString& line) { SendRaw(RemoteLine::Encode(line)); }
    void SendRaw(const QByteArray& bytes)
    {
        FSocket->write(bytes);
        FSocket->flush();
    }
    // Lines received so far (each without CR LF).
    QStringList Lines()
    {
        Pump();
        return FLines;
    }
    // Waits until `count` lines in all have arrived.
    bool WaitLines(int count, int timeoutMs = 3000)
    {
        return vxtest::waitUntil([&] { return Lines().size() >= count; }, timeoutMs);
    }
    // Waits for the next line after those already taken; empty on time-out.
    QString Next(int timeoutMs = 3000)
    {
        if (!WaitLines(FTaken + 1, timeoutMs))
            return {};
        return FLines[FTaken++];
    }
    // Reads lines until this one; false when it does not come.
    bool WaitFor(const QString& wanted, int timeoutMs = 3000)
    {
        for (QString line; !(line = Next(timeoutMs)).isNull();)
            if (line == wanted)
                return true;
        return false;
    }
    // Drops the lines received so far.
    void Skip() { FTaken = int(Lines().size()); }
    bool Closed()
    {
        Pump();
        return FSocket->state() == QAbstractSocket::UnconnectedState;
    }
    bool WaitClosed(int timeoutMs = 3000)
    {
        return vxtest::waitUntil([this] { return Closed(); }, timeoutMs);
    }
    QTcpSocket* Socket() const { return FSocket; }

private:
    void Pump()
    {
        FBuffer += FSocket->readAll();
        for (qsizetype lf; (lf = FBuffer.indexOf('\n')) >= 0;) {
            QByteArray line = FBuffer.left(lf);
            FBuffer.remove(0, lf + 1);
            if (line.endsWith('\r'))
                line.chop(1);
            FLines << QString::fromLatin1(line);
        }
    }

    QTcpSocket* FSocket;
    QByteArray FBuffer;
    QStringList FLines;
    int FTaken = 0;
};
