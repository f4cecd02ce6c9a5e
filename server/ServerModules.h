#pragma once
// The data modules of VornixServer, created in the server's order, each handed the neighbours
// it talks to, then the role holder, whose creation reads the application settings.  The server
// never starts or stops them as a whole: its main window opens and closes what it drives.
// Each module sets its global reference (DMApplication, DMRadio …) while it exists; they are
// freed in the reverse order of their creation.

#include "core/ApplicationRole.h"

#include <QObject>
#include <memory>
#include <vector>

class TDMApplication;
class TDMAudioClient;
class TDMAudioServer;
class TDMClient;
class TDMCW;
class TDMDVK;
class TDMDX;
class TDMFlexControl;
class TDMLog;
class TDMMessages;
class TDMRadio;
class TDMRTTY;
class TDMServer;

class TServerDataModules {
public:
    TServerDataModules();
    ~TServerDataModules();
    TServerDataModules(const TServerDataModules&) = delete;
    TServerDataModules& operator=(const TServerDataModules&) = delete;

    TDMApplication* Application() const { return FApplication; }
    TDMRadio* Radio() const { return FRadio; }
    TDMCW* CW() const { return FCW; }
    TDMAudioClient* AudioClient() const { return FAudioClient; }
    TDMAudioServer* AudioServer() const { return FAudioServer; }
    TDMServer* Server() const { return FServer; }
    TDMDVK* DVK() const { return FDVK; }
    TDMMessages* Messages() const { return FMessages; }
    TDMRTTY* RTTY() const { return FRTTY; }
    TDMClient* Client() const { return FClient; }
    TDMDX* DX() const { return FDX; }
    TDMFlexControl* FlexControl() const { return FFlexControl; }
    TDMLog* Log() const { return FLog; }
    // The role and the last settings page.
    TApplicationRole* DM() const { return FDM.get(); }

private:
    template <typename T>
    T* Own(T* module);
    void Wire();

    std::vector<std::unique_ptr<QObject>> FOwned;
    TDMApplication* FApplication = nullptr;
    TDMRadio* FRadio = nullptr;
    TDMCW* FCW = nullptr;
    TDMAudioClient* FAudioClient = nullptr;
    TDMAudioServer* FAudioServer = nullptr;
    TDMServer* FServer = nullptr;
    TDMDVK* FDVK = nullptr;
    TDMMessages* FMessages = nullptr;
    TDMRTTY* FRTTY = nullptr;
    TDMClient* FClient = nullptr;
    TDMDX* FDX = nullptr;
    TDMFlexControl* FFlexControl = nullptr;
    TDMLog* FLog = nullptr;
    std::unique_ptr<TApplicationRole> FDM;
};
