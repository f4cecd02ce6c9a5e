#pragma once
// TDM: the role of the running program, and the start and stop of every other data module by
// that role.  Start reads every module's settings and opens the devices and connections the
// role needs, Stop closes them and writes the settings back, Restart does both.  VornixClient
// calls Start once from its main window, Restart after a role change and Stop on close;
// VornixServer only keeps its role here.
//
// Each step runs on its own: a step that fails is reported once through OnStepError, naming
// it, and the steps after it still run, so one device that cannot be opened neither hides the
// others nor loses the settings of the modules after it.  Start and Stop always end by
// closing the settings store.  GUI thread only.

#include "core/ApplicationRole.h"
#include "core/RCTypes.h"

#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

enum class TDMModule : uint8_t {
    None, // a step of no module: processing pending events
    Application,
    Radio,
    DX,
    CW,
    AudioClient,
    AudioServer,
    DVK,
    FlexControl,
    Log,
    Messages,
    Playback,
    Client,
    Server,
    RTTY,
    IPCServer,
};

enum class TDMOperation : uint8_t {
    IniRead,
    IniWrite,
    Open,
    Close,
    Update,          // Client: take the stations read
    WireLog,         // Log: the logbook to the CW and RTTY modules, own call and locator to it
    OpenCATPort,     // Radio: the CAT engine with its serial port
    OpenCATRemote,   // Radio: the CAT engine without the port (commands go to the server)
    ClosePort,       // Radio: the CAT serial port
    CloseCAT,        // Radio: the CAT engine's timers and port
    OpenSidetone,    // CW: the sidetone, when it is in use
    CloseSidetone,   // CW
    CloseWinKeyer,   // CW
    DisableConnect,  // Client: its connect action
    OpenActive,      // AudioClient: with the active remote station, when there is one
    CloseMicroHam,   // DVK: its router interface
    ProcessMessages, // None: lets pending events run
};

struct TDMStep {
    TDMModule Module = TDMModule::None;
    TDMOperation Operation = TDMOperation::IniRead;
    bool operator==(const TDMStep&) const = default;
};

// "DMCW.Open", "DMRadio.FTCATInterface.Open", "IPCServer.Open" …: the step as the module and
// what is done with it.
QString StepName(const TDMStep& step);
// The module's name: "DMCW", "DMRadio" …
QString ModuleName(TDMModule module);

// What carries the steps out: the program's modules, or a test's recording.
class TDMModules {
public:
    virtual ~TDMModules() = default;
    // Runs one step.  A failure comes back as its reason; empty when the step was done.
    virtual QString Run(const TDMStep& step) = 0;
};

// A step that failed, with the reason.
using TDMStepErrorEvent = std::function<void(const QString& Step, const QString& Message)>;

class TDM : public QObject, public TApplicationRole {
    Q_OBJECT
public:
    explicit TDM(TDMModules* modules, QObject* parent = nullptr);
    ~TDM() override;

    TDMModules* Modules() const { return FModules; }

    // The create handler: the role isLocal, no last settings page, menu 0, then the settings
    // module reads the stored ones into this module.  Called once the modules know this one.
    void DataModuleCreate();

    void Start();
    void Stop();
    // Stop, then Start: every setting is written before it is read again.
    void Restart();

    // The steps of Start before the role is known, those of the role, those of Stop.
    static QList<TDMStep> StartSettingsSteps();
    static QList<TDMStep> StartRoleSteps(TApplicationType role);
    static QList<TDMStep> StopSteps();

    // Raised once for each step that fails, on the GUI thread.
    TDMStepErrorEvent OnStepError;

private:
    void RunStep(const TDMStep& step);

    TDMModules* FModules;
};

// The program's one start-and-stop module; set while one exists.
extern TDM* DM;
