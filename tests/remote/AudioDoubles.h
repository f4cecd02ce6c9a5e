#pragma once
// Helpers for the remote audio tests: one end of an audio link played by the test (whole
// messages in and out), and a PTT port stand-in that records how its lines are switched.

#include "remote/PTTPort.h"
#include "remote/RAProtocol.h"
#include "tests/log/QStringPrint.h"
#include "tests/support/Wait.h"

#include <QHostAddress>
#include <QRandomGenerator>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <optional>
#include <ostream>

namespace vxtest {

// Audio ports stop at 49151: a free one below that.
inline quint16 FreeAudioPort()
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        const auto port = quint16(20000 + QRandomGenerator::global()->bounded(29000));
        QTcpServer probe;
        if (probe.listen(QHostAddress::Any, port))
            return port;
    }
    return 0;
}

// Listens on a free audio port of 127.0.0.1; the port, or 0.
inline quint16 ListenOnAudioPort(QTcpServer& server)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        const auto port = quint16(20000 + QRandomGenerator::global()->bounded(29000));
        if (server.listen(QHostAddress::LocalHost, port))
            return port;
    }
    return 0;
}

class AudioPeer {
public:
    explicit AudioPeer(QTcpSocket* socket = nullptr)
        : FSocket(socket ? socket : new QTcpSocket)
    {
        FSocket->setParent(nullptr);
    }
    ~AudioPeer() { delete FSocket; }

    bool Connect(quint16 port)
    {
        FSocket->connectToHost(QHostAddress::LocalHost, port);
        return waitUntil([this] { return FSocket->state() == QAbstractSocket::ConnectedState; }, 3000);
    }
    void Command(const QString& text) { SendRaw(RAProtocol::EncodeCommand(text)); }
    void Audio(const QByteArray& block) { SendRaw(RAProtocol::EncodeBlock(block)); }
    void SendRaw(const QByteArray& bytes)
    {
        FSocket->write(bytes);
        FSocket->flush();
    }

    // Every message received so far.
    QList<QByteArray> Blocks()
    {
        Pump();
        return FBlocks;
    }
    // The texts of the control frames received so far (after trimming).
    QStringList Controls()
    {
        QStringList texts;
        for (const QByteArray& b : Blocks())
            if (auto t = RAProtocol::DecodeControl(b))
                texts << *t;
        return texts;
    }
    QList<QByteArray> AudioBlocks()
    {
        QList<QByteArray> audio;
        for (const QByteArray& b : Blocks())
            if (b.size() != RAProtocol::ControlFrameBytes)
                audio << b;
        return audio;
    }
    QByteArray AudioBytes()
    {
        QByteArray all;
        for (const QByteArray& b : AudioBlocks())
            all += b;
        return all;
    }
    bool WaitBlocks(int count, int timeoutMs = 3000)
    {
        return waitUntil([&] { return Blocks().size() >= count; }, timeoutMs);
    }
    bool WaitControl(const QString& text, int timeoutMs = 3000)
    {
        return waitUntil([&] { return Controls().contains(text); }, timeoutMs);
    }
    bool Closed()
    {
        Pump();
        return FSocket->state() == QAbstractSocket::UnconnectedState;
    }
    bool WaitClosed(int timeoutMs = 3000)
    {
        return waitUntil([&] { return Closed(); }, timeoutMs);
    }
    void Clear()
    {
        Pump();
        FBlocks.clear();
    }
    QTcpSocket* Socket() const { return FSocket; }

private:
    void Pump()
    {
        FReader.Append(FSocket->readAll());
        QByteArray payload;
        while (FReader.Next(payload) == RAProtocol::FrameReader::Result::Block)
            FBlocks << payload;
    }

    QTcpSocket* FSocket;
    RAProtocol::FrameReader FReader;
    QList<QByteArray> FBlocks;
};

// A PTT port that opens when told to and remembers its lines and every switch.
class RecordingPTTPort : public TPTTPort {
public:
    explicit RecordingPTTPort(QStringList* log = nullptr)
        : Log(log)
    {
    }

    QString Port() const override { return FName; }
    void SetPort(const QString& Name) override { FName = Name; }
    bool Open() override
    {
        if (FOpen)
            return true;
        ++OpenAttempts;
        if (!OpenWorks)
            return false;
        FOpen = true;
        Record("open");
        return true;
    }
    void Close() override
    {
        if (FOpen)
            Record("close");
        FOpen = false;
    }
    bool Connected() const override { return FOpen; }
    bool SetRTS(bool On) override
    {
        RTS = On;
        Record(On ? "RTS on" : "RTS off");
        return true;
    }
    bool SetDTR(bool On) override
    {
        DTR = On;
        Record(On ? "DTR on" : "DTR off");
        return true;
    }
    QString LastError() const override { return OpenWorks ? QString() : QStringLiteral("No such device"); }

    // The device goes away.
    void Lose()
    {
        FOpen = false;
        if (OnLost)
            OnLost();
    }

    QStringList* Log;
    bool OpenWorks = true;
    int OpenAttempts = 0;
    bool RTS = false;
    bool DTR = false;

private:
    void Record(const char* what)
    {
        if (Log)
            *Log << QString::fromLatin1(what);
    }

    QString FName;
    bool FOpen = false;
};

} // namespace vxtest
