#pragma once
// Test parts for the RTTY engine link and module: a private bus folder, an engine played by
// the test on the bus, the log of the fake engine program, and recording stand-ins for the
// RTTY panel and the two ends of the remote link.

#include "core/RemoteLinks.h"
#include "keying/MMTTYInterface.h"
#include "keying/RTTYPanelLink.h"
#include "platform/MessageBus.h"
#include "tests/log/QStringPrint.h"
#include "tests/support/Wait.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace keyingtest {

// A bus folder of the test's own, so no other program's endpoint hears a broadcast, and the
// fake engine's log file; both go to the programs the test starts through the environment.
class BusFolder {
public:
    BusFolder()
    {
        FOldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", FDir.path().toLocal8Bit());
        qputenv("VX_FAKE_MMTTY_LOG", LogPath().toLocal8Bit());
    }
    ~BusFolder()
    {
        qputenv("XDG_RUNTIME_DIR", FOldRuntime);
        qunsetenv("VX_FAKE_MMTTY_LOG");
    }
    QString Path() const { return FDir.path(); }
    QString LogPath() const { return FDir.path() + "/fake-mmtty.log"; }
    // The fake engine's log so far.
    QStringList Log() const
    {
        QFile f(LogPath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    // The messages the fake engine received, as "(w,l)".
    QStringList Received() const
    {
        QStringList in;
        for (const QString& line : Log())
            if (line.startsWith("in "))
                in << line.mid(3);
        return in;
    }
    // The pid the fake engine logged first; 0 when it has not started.
    qint64 EnginePid() const
    {
        const QStringList log = Log();
        return log.isEmpty() ? 0 : log[0].section(' ', 1, 1).toLongLong();
    }

private:
    QTemporaryDir FDir;
    QByteArray FOldRuntime;
};

// The engine's side of the "MMTTY" messages, played in this process.
class EngineDouble {
public:
    EngineDouble()
    {
        FMsg = vx::RegisterBusMessage(TMMTTYInterface::MessageName);
        EXPECT_TRUE(FEndpoint.Open());
        FEndpoint.Route(FMsg, [this](const vx::BusMessage& m) {
            Received << QStringLiteral("(%1,%2)").arg(m.WParam).arg(m.LParam);
        });
    }
    quint64 Id() const { return FEndpoint.Id(); }
    void Post(quint64 target, quint64 w, qint64 l) { FEndpoint.Post(target, FMsg, w, l); }
    // The start handshake with a link prepared on `owner`: announce, await the window, start.
    bool Handshake(TMMTTYInterface& link)
    {
        const quint64 owner = link.MainWindow();
        Post(owner, TMMTTYInterface::mmEngineWindow, qint64(Id()));
        const QString reply = QStringLiteral("(0,%1)").arg(owner);
        if (!vxtest::waitUntil([&] { return Received.contains(reply); }, 3000))
            return false;
        Received.clear();
        Post(owner, TMMTTYInterface::mmStarted, 0);
        return vxtest::waitUntil([&] { return link.Connected(); }, 3000);
    }
    // Waits until `count` messages in all have arrived.
    bool WaitReceived(int count) { return vxtest::waitUntil([&] { return Received.size() >= count; }, 3000); }
    void Close() { FEndpoint.Close(); }

    QStringList Received;

private:
    vx::BusEndpoint FEndpoint;
    uint32_t FMsg = 0;
};

class RecordingPanel : public TRTTYPanelLink {
public:
    explicit RecordingPanel(QStringList& calls)
        : Calls(calls)
    {
    }
    QStringList& Calls;
    void SetConnected(bool v) override { Calls << QStringLiteral("panel.Connected=%1").arg(v); }
    void SetPTT(bool v) override { Calls << QStringLiteral("panel.PTT=%1").arg(v); }
    void SetBandPassFilter(bool v) override { Calls << QStringLiteral("panel.BandPassFilter=%1").arg(v); }
    void SetSquelch(bool v) override { Calls << QStringLiteral("panel.Squelch=%1").arg(v); }
    void SetSquelchLevel(uint16_t v) override { Calls << QStringLiteral("panel.SquelchLevel=%1").arg(v); }
    void SetSignalLevel(uint16_t v) override { Calls << QStringLiteral("panel.SignalLevel=%1").arg(v); }
    void SetRXText(const QString& v) override { Calls << QStringLiteral("panel.RXText(%1)").arg(v); }
};

class RecordingServer : public TRemoteServerLink {
public:
    explicit RecordingServer(QStringList& calls)
        : Calls(calls)
    {
    }
    QStringList& Calls;
    void ServerBroadcastMessage(const QString& line) override { Calls << "server:" + line; }
};

class RecordingClient : public TRemoteClientLink {
public:
    explicit RecordingClient(QStringList& calls)
        : Calls(calls)
    {
    }
    QStringList& Calls;
    void Send(const QString& line) override { Calls << "client:" + line; }
};

} // namespace keyingtest
