#pragma once
// A private settings folder per test, and recording stand-ins for the modules the radio
// module talks to (the remote server and client, the IPC server).

#include "core/IPCLink.h"
#include "core/RemoteLinks.h"
#include "tests/log/QStringPrint.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <gtest/gtest.h>
#include <ostream>

// Points XDG_CONFIG_HOME at an empty folder for the life of the object.
class ScopedConfigHome {
public:
    ScopedConfigHome()
        : FOld(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", FDir.path().toLocal8Bit());
    }
    ~ScopedConfigHome() { qputenv("XDG_CONFIG_HOME", FOld); }
    QString Path() const { return FDir.path(); }

private:
    QByteArray FOld;
    QTemporaryDir FDir;
};

class RecordingServer : public TRemoteServerLink {
public:
    void ServerBroadcastMessage(const QString& Msg) override { Lines << Msg; }
    QStringList Lines;
};

class RecordingClient : public TRemoteClientLink {
public:
    void Send(const QString& Command) override { Lines << Command; }
    QStringList Lines;
};

class RecordingIPC : public TIPCServerLink {
public:
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool value) override { FEnabled = value; }
    void Open() override {}
    void Close() override {}
    void SetFrequencyA(int32_t hz) override { Calls << QStringLiteral("FrequencyA=%1").arg(hz); }
    void SetFrequencyB(int32_t hz) override { Calls << QStringLiteral("FrequencyB=%1").arg(hz); }
    void SetModeA(uint8_t mode) override { Calls << QStringLiteral("ModeA=%1").arg(mode); }
    void SetModeB(uint8_t mode) override { Calls << QStringLiteral("ModeB=%1").arg(mode); }
    void SetPowerLevel(uint8_t watt) override { Calls << QStringLiteral("PowerLevel=%1").arg(watt); }
    void SetPowerSwitch(bool value) override { Calls << QStringLiteral("PowerSwitch=%1").arg(value); }
    void SetSplit(bool value) override { Calls << QStringLiteral("Split=%1").arg(value); }
    void SetTX(bool value) override { Calls << QStringLiteral("TX=%1").arg(value); }

    bool FEnabled = false;
    QStringList Calls;
};
