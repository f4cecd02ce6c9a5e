#include "client/DataModules.h"

#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/MicroHamInterface.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DMDX.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMFlexControl.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "log/DMLog.h"
#include "platform/SerialPort.h"
#include "remote/DMAudioClient.h"
#include "remote/DMAudioServer.h"
#include "remote/DMClient.h"
#include "remote/DMPlayback.h"
#include "remote/DMServer.h"
#include "remote/IPCServer.h"

#include <QAction>
#include <QCoreApplication>

namespace {

using M = TDMModule;
using O = TDMOperation;

const M ClientOrder[] = {M::Application, M::Radio,       M::DX,  M::CW,       M::AudioClient,
                         M::AudioServer, M::DVK,         M::FlexControl,      M::Log,
                         M::Messages,    M::Playback,    M::Client, M::Server, M::RTTY};
const M ServerOrder[] = {M::Application, M::Radio,       M::CW,  M::AudioClient, M::AudioServer,
                         M::Server,      M::DVK,         M::Messages,         M::RTTY,
                         M::Client,      M::DX,          M::FlexControl,      M::Playback, M::Log};

QString NoSuchStep(const TDMStep& step)
{
    return QStringLiteral("%1 is no step of the start-up").arg(StepName(step));
}

} // namespace

std::unique_ptr<TDataModules> CreateClientDataModules()
{
    return std::make_unique<TDataModules>(TModuleOrder::Client);
}

QString ClientTitle()
{
    return QStringLiteral("Vornix CAT & Remote Control");
}

template <typename T>
T* TDataModules::Own(T* module)
{
    FOwned.emplace_back(module);
    return module;
}

TDataModules::TDataModules(TModuleOrder order)
{
    if (order == TModuleOrder::Client) {
        for (const M m : ClientOrder)
            Create(m);
    } else {
        for (const M m : ServerOrder)
            Create(m);
    }
    FDM = Own(new TDM(this));
    Wire();
    FDM->DataModuleCreate();
}

TDataModules::~TDataModules()
{
    // Steps and events end here: the modules below may already be gone when one would run.
    FDM->OnStepError = nullptr;
    while (!FOwned.empty())
        FOwned.pop_back();
}

void TDataModules::Create(TDMModule module)
{
    switch (module) {
    case M::Application: FApplication = Own(new TDMApplication); break;
    case M::Radio:
        FRadio = Own(new TDMRadio);
        // The radio module owns the IPC server.
        FIPCServer = new TIPCServer(FRadio);
        break;
    case M::DX: FDX = Own(new TDMDX); break;
    case M::CW: FCW = Own(new TDMCW); break;
    case M::AudioClient: FAudioClient = Own(new TDMAudioClient); break;
    case M::AudioServer: FAudioServer = Own(new TDMAudioServer); break;
    case M::DVK: FDVK = Own(new TDMDVK); break;
    case M::FlexControl: FFlexControl = Own(new TDMFlexControl); break;
    case M::Log: FLog = Own(new TDMLog); break;
    case M::Messages: FMessages = Own(new TDMMessages); break;
    case M::Playback: FPlayback = Own(new TDMPlayback); break;
    case M::Client: FClient = Own(new TDMClient); break;
    case M::Server: FServer = Own(new TDMServer); break;
    case M::RTTY: FRTTY = Own(new TDMRTTY); break;
    case M::None:
    case M::IPCServer: break;
    }
}

void TDataModules::Wire()
{
    TDM* dm = FDM;
    FApplication->SetDM(dm);

    FRadio->SetDM(dm);
    FRadio->SetServer(FServer);
    FRadio->SetClient(FClient);
    FRadio->SetIPCServer(FIPCServer);

    FCW->SetDM(dm);
    FCW->SetServer(FServer);
    FCW->SetClient(FClient);
    FCW->SetRadio(FRadio);

    FRTTY->SetDM(dm);
    FRTTY->SetServer(FServer);
    FRTTY->SetClient(FClient);

    FDVK->SetDM(dm);
    FDVK->SetServer(FServer);
    FDVK->SetClient(FClient);
    FDVK->SetMessages(FMessages);

    FMessages->SetDM(dm);
    FMessages->SetRadio(FRadio);
    FMessages->SetCW(FCW);
    FMessages->SetDVK(FDVK);
    FMessages->SetRTTY(FRTTY);

    TMicroHamInterface* router = FDVK->MicroHamInterface();
    FClient->SetDM(dm);
    FClient->SetRadio(FRadio);
    FClient->SetCW(FCW);
    FClient->SetMessages(FMessages);
    FClient->SetRTTY(FRTTY);
    FClient->SetMicroHam(router);
    FClient->SetDX(FDX);

    FServer->SetDM(dm);
    FServer->SetRadio(FRadio);
    FServer->SetCW(FCW);
    FServer->SetMessages(FMessages);
    FServer->SetRTTY(FRTTY);
    FServer->SetMicroHam(router);

    FAudioServer->SetServer(FServer);

    TDMDX* dx = FDX;
    FLog->SetMyCallSource([dx] { return dx->DXSpots()->MyCall(); });

    FPlayback->SetFTCATInterface(FRadio->FTCATInterface());
    FPlayback->SetCW(FCW);
}

namespace {

// The operations a module has under their own names: its settings, and its opening and
// closing where it has them.  False when it has none of that name.
template <typename T>
bool RunCommon(T* module, TDMOperation operation)
{
    switch (operation) {
    case O::IniRead:
        if constexpr (requires { module->IniRead(); }) {
            module->IniRead();
            return true;
        }
        break;
    case O::IniWrite:
        if constexpr (requires { module->IniWrite(); }) {
            module->IniWrite();
            return true;
        }
        break;
    case O::Open:
        if constexpr (requires { module->Open(); }) {
            module->Open();
            return true;
        }
        break;
    case O::Close:
        if constexpr (requires { module->Close(); }) {
            module->Close();
            return true;
        }
        break;
    default: break;
    }
    return false;
}

} // namespace

std::optional<QString> TDataModules::RunSpecial(const TDMStep& step)
{
    TFTCATInterface* cat = FRadio->FTCATInterface();
    switch (step.Operation) {
    case O::ProcessMessages: QCoreApplication::processEvents(); return QString();
    // A port that does not open is reported by the radio module's port event; the program
    // runs on without CAT.
    case O::OpenCATPort:
        cat->SetUsingCOMPort(true);
        cat->Open();
        return QString();
    case O::OpenCATRemote:
        cat->SetUsingCOMPort(false);
        cat->Open();
        return QString();
    case O::ClosePort: FRadio->RadioComPort()->close(); return QString();
    case O::CloseCAT: cat->Close(); return QString();
    case O::OpenSidetone:
        if (FCW->UseSidetone())
            FCW->CWSidetoneOpen();
        return QString();
    case O::CloseSidetone: FCW->CWSidetone()->Close(); return QString();
    case O::CloseWinKeyer: FCW->WinKey()->WKClose(); return QString();
    case O::OpenActive:
        if (FClient->ActiveRemoteBase() >= 0) {
            const TRemoteBaseParameter base = FClient->GetActiveRemoteBase();
            FAudioClient->SetHost(base.Host);
            FAudioClient->SetAudioPort(base.AudioPort);
            FAudioClient->SetUsername(base.Username);
            FAudioClient->SetPassword(base.Password);
            FAudioClient->Open();
        }
        return QString();
    case O::CloseMicroHam: FDVK->MicroHamInterface()->Close(); return QString();
    case O::WireLog: {
        TLogInterface* log = FLog->LogInterface();
        FCW->SetLogInterface(log);
        FRTTY->SetLogInterface(log);
        log->SetMyCall(FDX->DXSpots()->MyCall());
        log->SetMyLocator(FDX->DXSpots()->MyLocator());
        return QString();
    }
    case O::Update: FClient->Update(); return QString();
    case O::DisableConnect: FClient->ClientConnectAction->setEnabled(false); return QString();
    default: break;
    }
    if (step.Module == M::IPCServer && step.Operation == O::Open) {
        FIPCServer->Open();
        if (FIPCServer->Enabled() && !FIPCServer->Active())
            return FIPCServer->ErrorString();
        return QString();
    }
    if (step.Module == M::IPCServer && step.Operation == O::Close) {
        FIPCServer->Close();
        return QString();
    }
    return std::nullopt;
}

QString TDataModules::Run(const TDMStep& step)
{
    if (const std::optional<QString> special = RunSpecial(step))
        return *special;
    const O op = step.Operation;
    bool done = false;
    switch (step.Module) {
    // A settings file that cannot be written is reported by the settings module's own event.
    case M::Application: done = RunCommon(FApplication, op); break;
    case M::Radio: done = RunCommon(FRadio, op); break;
    case M::DX: done = RunCommon(FDX, op); break;
    case M::CW: done = RunCommon(FCW, op); break;
    case M::AudioClient: done = RunCommon(FAudioClient, op); break;
    case M::AudioServer: done = RunCommon(FAudioServer, op); break;
    case M::DVK: done = RunCommon(FDVK, op); break;
    case M::FlexControl: done = RunCommon(FFlexControl, op); break;
    case M::Log: done = RunCommon(FLog, op); break;
    case M::Messages: done = RunCommon(FMessages, op); break;
    case M::Playback: done = RunCommon(FPlayback, op); break;
    case M::Client: done = RunCommon(FClient, op); break;
    case M::Server: done = RunCommon(FServer, op); break;
    case M::RTTY: done = RunCommon(FRTTY, op); break;
    case M::None:
    case M::IPCServer: break;
    }
    return done ? QString() : NoSuchStep(step);
}
