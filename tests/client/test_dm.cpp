// The start and stop of the data modules, with a recording of the steps: the orders of
// Start for the four roles, of Stop and of Restart, and a failing step.
#include "client/DM.h"
#include "tests/client/ClientDoubles.h"
#include "tests/core/ModuleDoubles.h"

#include <gtest/gtest.h>

using clienttest::RecordingModules;

namespace {

const QStringList SettingsRead = {
    "DMApplication.IniRead", "DMAudioClient.IniRead", "DMAudioServer.IniRead", "DMClient.IniRead",
    "DMCW.IniRead",          "DMDVK.IniRead",         "DMDX.IniRead",          "DMFlexControl.IniRead",
    "DMRadio.IniRead",       "DMMessages.IniRead",    "DMLog.IniRead",         "DMPlayback.IniRead",
    "DMRTTY.IniRead",        "DMServer.IniRead",      "DMClient.Update",       "DMLog.LogInterface",
};

const QStringList StopOrder = {
    "DMRadio.FTCATInterface.Close", "DMRadio.IniWrite",      "DMDX.Close",
    "DMDX.IniWrite",                "DMLog.Close",           "DMLog.IniWrite",
    "DMPlayback.IniWrite",          "DMServer.Close",        "DMServer.IniWrite",
    "ProcessMessages",              "DMClient.Close",        "DMClient.IniWrite",
    "DMCW.WinKey.WKClose",          "DMCW.CWSidetone.Close", "DMCW.IniWrite",
    "ProcessMessages",              "DMFlexControl.Close",   "DMFlexControl.IniWrite",
    "DMAudioClient.Close",          "DMAudioClient.IniWrite", "DMAudioServer.Close",
    "DMAudioServer.IniWrite",       "DMDVK.MicroHamInterface.Close", "DMDVK.IniWrite",
    "DMMessages.IniWrite",          "DMRTTY.Close",          "DMRTTY.IniWrite",
    "DMRadio.IPCServer.Close",      "DMApplication.IniWrite", "DMApplication.Close",
    "ProcessMessages",
};

QStringList Opened(TApplicationType role)
{
    switch (role) {
    case isLocal:
        return {"DMRadio.FTCATInterface.Open", "DMCW.Open",     "DMCW.CWSidetoneOpen", "DMClient.ClientConnectAction",
                "DMDX.Open",                   "DMFlexControl.Open", "DMDVK.Open",     "DMLog.Open",
                "DMRadio.IPCServer.Open",      "DMServer.Open"};
    case isLocalAndRemoteServer:
        return {"DMRadio.FTCATInterface.Open", "DMCW.Open",          "DMCW.CWSidetoneOpen", "DMServer.Open",
                "DMClient.ClientConnectAction", "DMDX.Open",         "DMFlexControl.Open",  "DMAudioServer.Open",
                "DMDVK.Open",                  "DMLog.Open",         "DMRadio.IPCServer.Open"};
    case isRemoteServer:
        return {"DMRadio.FTCATInterface.Open", "DMCW.Open",          "DMServer.Open",
                "DMClient.ClientConnectAction", "DMAudioServer.Open", "DMDVK.Open",
                "DMRadio.IPCServer.Open"};
    case isRemoteClient:
        return {"DMRadio.FTCATInterface.Open without port", "DMRadio.RadioComPort.Close", "DMCW.Open",
                "DMCW.CWSidetoneOpen",                      "DMDX.Open",                  "DMFlexControl.Open",
                "DMAudioClient.Open",                       "DMDVK.Open",                 "DMLog.Open",
                "DMRadio.IPCServer.Open",                   "DMServer.Open"};
    }
    return {};
}

QStringList StartOrder(TApplicationType role)
{
    return SettingsRead + Opened(role) + QStringList{"DMApplication.Close"};
}

class DMTest : public ::testing::Test {
protected:
    DMTest() { Modules.Role = &Dm; }
    RecordingModules Modules;
    TDM Dm{&Modules};
    QStringList Errors;
};

TEST_F(DMTest, StartOpensWhatTheRoleReadNeeds)
{
    for (TApplicationType role : {isLocal, isLocalAndRemoteServer, isRemoteServer, isRemoteClient}) {
        SCOPED_TRACE(int(role));
        // The role comes from the settings Start reads, not from what was held before.
        Dm.SetApplicationType(role == isLocal ? isRemoteClient : isLocal);
        Modules.StoredRole = role;
        Modules.Steps.clear();
        Dm.Start();
        EXPECT_EQ(Modules.Steps, StartOrder(role));
        EXPECT_EQ(Dm.ApplicationType(), role);
    }
}

TEST_F(DMTest, StopAndRestart)
{
    Dm.Stop();
    EXPECT_EQ(Modules.Steps, StopOrder);

    // Every setting is written before it is read again.
    Modules.StoredRole = isLocalAndRemoteServer;
    Modules.Steps.clear();
    Dm.Restart();
    EXPECT_EQ(Modules.Steps, StopOrder + StartOrder(isLocalAndRemoteServer));
}

TEST_F(DMTest, TheCreateHandlerReadsTheRole)
{
    Dm.SetApplicationType(isRemoteServer);
    Dm.SetLastSetting("Users");
    Dm.SetLastMenuNo(12);
    Modules.StoredRole = isRemoteClient;
    Dm.DataModuleCreate();
    EXPECT_EQ(Modules.Steps, QStringList{"DMApplication.IniRead"});
    EXPECT_EQ(Dm.ApplicationType(), isRemoteClient);
    EXPECT_EQ(Dm.LastSetting(), "");
    EXPECT_EQ(Dm.LastMenuNo(), 0);
}

TEST_F(DMTest, AFailingStepIsReportedAndTheRestRuns)
{
    Dm.OnStepError = [&](const QString& step, const QString& message) { Errors << step + ": " + message; };
    for (bool thrown : {false, true}) {
        SCOPED_TRACE(thrown);
        Modules.Failing = TDMStep{TDMModule::CW, TDMOperation::Open};
        Modules.Throw = thrown;
        Modules.Steps.clear();
        Errors.clear();
        Dm.Start();
        EXPECT_EQ(Modules.Steps, StartOrder(isLocal));
        EXPECT_EQ(Errors, QStringList{"DMCW.Open: the device is gone"});
    }
    // Stop goes on past a failing step as well, so no module's settings are lost.
    Modules.Failing = TDMStep{TDMModule::Server, TDMOperation::Close};
    Modules.Steps.clear();
    Errors.clear();
    Dm.Stop();
    EXPECT_EQ(Modules.Steps, StopOrder);
    EXPECT_EQ(Errors, QStringList{"DMServer.Close: the device is gone"});
}

} // namespace
