#pragma once
// The data modules of a program, created in the program's order, each handed the neighbours
// it talks to, with the start-and-stop module TDM last.  They carry out TDM's steps.
// VornixClient makes them with CreateClientDataModules() before its main window; the server
// program makes them in its own order.  Each module also sets its global reference
// (DMApplication, DMRadio … DM) while it exists.

#include "client/DM.h"

#include <QObject>
#include <memory>
#include <optional>
#include <vector>

class TDMApplication;
class TDMAudioClient;
class TDMAudioServer;
class TDMClient;
class TDMCW;
class TDMDX;
class TDMFlexControl;
class TDMLog;
class TDMPlayback;
class TDMRadio;
class TDMRTTY;
class TDMServer;
class TDMDVK;
class TDMMessages;
class TIPCServer;

// The order the programs create their modules in.
enum class TModuleOrder : uint8_t { Client, Server };

class TDataModules : public TDMModules {
public:
    // Creates and wires the modules, then runs TDM's create handler (the role is read).
    explicit TDataModules(TModuleOrder order = TModuleOrder::Client);
    // Frees the modules in the reverse order of their creation.
    ~TDataModules() override;
    TDataModules(const TDataModules&) = delete;
    TDataModules& operator=(const TDataModules&) = delete;

    QString Run(const TDMStep& step) override;

    // The modules in the order VornixClient creates them.
    TDMApplication* Application() const { return FApplication; }
    TDMRadio* Radio() const { return FRadio; }
    // Owned by the radio module.
    TIPCServer* IPCServer() const { return FIPCServer; }
    TDMDX* DX() const { return FDX; }
    TDMCW* CW() const { return FCW; }
    TDMAudioClient* AudioClient() const { return FAudioClient; }
    TDMAudioServer* AudioServer() const { return FAudioServer; }
    TDMDVK* DVK() const { return FDVK; }
    TDMFlexControl* FlexControl() const { return FFlexControl; }
    TDMLog* Log() const { return FLog; }
    TDMMessages* Messages() const { return FMessages; }
    TDMPlayback* Playback() const { return FPlayback; }
    TDMClient* Client() const { return FClient; }
    TDMServer* Server() const { return FServer; }
    TDMRTTY* RTTY() const { return FRTTY; }
    TDM* DM() const { return FDM; }

private:
    void Create(TDMModule module);
    // The steps that are more than a module's operation of that name; none for the others.
    std::optional<QString> RunSpecial(const TDMStep& step);
    void Wire();
    template <typename T>
    T* Own(T* module);

    std::vector<std::unique_ptr<QObject>> FOwned; // in creation order
    TDMApplication* FApplication = nullptr;
    TDMRadio* FRadio = nullptr;
    TIPCServer* FIPCServer = nullptr;
    TDMDX* FDX = nullptr;
    TDMCW* FCW = nullptr;
    TDMAudioClient* FAudioClient = nullptr;
    TDMAudioServer* FAudioServer = nullptr;
    TDMDVK* FDVK = nullptr;
    TDMFlexControl* FFlexControl = nullptr;
    TDMLog* FLog = nullptr;
    TDMMessages* FMessages = nullptr;
    TDMPlayback* FPlayback = nullptr;
    TDMClient* FClient = nullptr;
    TDMServer* FServer = nullptr;
    TDMRTTY* FRTTY = nullptr;
    TDM* FDM = nullptr;
};

// VornixClient's program block before its main window: every data module in the client's order.
std::unique_ptr<TDataModules> CreateClientDataModules();
// VornixClient's title, the caption of its messages that bring none of their own.  It is not
// Qt's application display name: the window system would append that to every window's title.
QString ClientTitle();
