#pragma once
// What the server tests share: settings written before the program's modules read them, the
// server's modules and main window on a radio and a WinKeyer simulated on pseudo-terminals,
// and offscreen renders.

#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/IniStore.h"
#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"
#include "server/ServerEventLog.h"
#include "client/DataModules.h"
#include "server/widgets/ServerMainForm.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/remote/LinkDoubles.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"
#include "tests/support/WinKeyerSimulator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using vxtest::waitUntil;

// Writes settings as the program would find them at its start.
inline void Configure(const std::function<void(TIniStore&)>& write)
{
    TIniStore store(TDMApplication::SettingsFileName());
    write(store);
    ASSERT_TRUE(store.UpdateFile()) << store.ErrorString().toStdString();
}

// The radio's CAT port and the WinKeyer's port in the settings.
inline void ConfigurePorts(TIniStore& ini, const QString& radio, const QString& keyer)
{
    ini.WriteString("Client\\RadioCOMPort", "Port", radio);
    ini.WriteString("Client\\RadioCOMPort", "BaudRate", "38400");
    ini.WriteString("Client\\WinKey", "Port", keyer);
}

inline void ConfigureRemoteServer(TIniStore& ini, int port, const QStringList& users = {"W1AW"},
                                  const QString& password = "secret")
{
    ini.WriteString("Server\\RemoteServer", "Hostname", "SHACK");
    ini.WriteInteger("Server\\RemoteServer", "Port", port);
    ini.WriteString("Server\\RemoteServer", "Pwd", password);
    for (int i = 0; i < users.size(); ++i)
        ini.WriteString("Server\\Users", QString("User%1").arg(i), users[i]);
}

// The server window's tests: a clean settings file and event log, a locale that groups
// thousands with ",", and the modules and window made on demand.
class ServerWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(TDMApplication::SettingsFileName());
        QFile::remove(TServerEventLog::DefaultFileName());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override
    {
        form.reset();
        modules.reset();
        vx::Clock::useSystem();
        QLocale::setDefault(QLocale::c());
    }
    void Start()
    {
        modules = std::make_unique<TDataModules>(TModuleOrder::Server);
        form = std::make_unique<TServerMainForm>(*modules);
    }
    void Stop()
    {
        form.reset();
        modules.reset();
    }
    TFTCATInterface& Cat() { return *modules->Radio()->FTCATInterface(); }
    // The message boxes the window has shown.
    int Messages() const { return int(form->findChildren<QMessageBox*>().size()); }

    std::unique_ptr<TDataModules> modules;
    std::unique_ptr<TServerMainForm> form;
};
