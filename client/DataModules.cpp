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
#include <QGuiApplication>

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
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vornix CAT & Remote Control"));
    return std::make_unique<TDataModules>(TModuleOrder::Client);
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

QString TDataModules::Run(const TDMStep& step)
{
    TFTCATInterface* cat = FRadio->FTCATInterface();
    switch (step.Module) {
    case M::None:
        if (step.Operation == O::ProcessMessages) {
            QCoreApplication::processEvents();
            return {};
        }
        break;
    case M::Application:
        switch (step.Operation) {
        case O::IniRead: FApplication->IniRead(); return {};
        case O::IniWrite: FApplication->IniWrite(); return {};
        // A file that cannot be written is reported by the settings module's own event.
        case O::Close: FApplication->Close(); return {};
        default: break;
        }
        break;
    case M::Radio:
        switch (step.Operation) {
        case O::IniRead: FRadio->IniRead(); return {};
        case O::IniWrite: FRadio->IniWrite(); return {};
        // A port that does not open is reported by the radio module's port event; the
        // program runs on without CAT.
        case O::OpenCATPort:
            cat->SetUsingCOMPort(true);
            cat->Open();
            return {};
        case O::OpenCATRemote:
            cat->SetUsingCOMPort(false);
            cat->Open();
            return {};
        case O::ClosePort: FRadio->RadioComPort()->close(); return {};
        case O::CloseCAT: cat->Close(); return {};
        default: break;
        }
        break;
    case M::DX:
        switch (step.Operation) {
        case O::IniRead: FDX->IniRead(); return {};
        case O::IniWrite: FDX->IniWrite(); return {};
        case O::Open: FDX->Open(); return {};
        case O::Close: FDX->Close(); return {};
        default: break;
        }
        break;
    case M::CW:
        switch (step.Operation) {
        case O::IniRead: FCW->IniRead(); return {};
        case O::IniWrite: FCW->IniWrite(); return {};
        case O::Open: FCW->Open(); return {};
        case O::OpenSidetone:
            if (FCW->UseSidetone())
                FCW->CWSidetoneOpen();
            return {};
        case O::CloseSidetone: FCW->CWSidetone()->Close(); return {};
        case O::CloseWinKeyer: FCW->WinKey()->WKClose(); return {};
        default: break;
        }
        break;
    case M::AudioClient:
        switch (step.Operation) {
        case O::IniRead: FAudioClient->IniRead(); return {};
        case O::IniWrite: FAudioClient->IniWrite(); return {};
        case O::OpenActive:
            if (FClient->ActiveRemoteBase() >= 0) {
                const TRemoteBaseParameter base = FClient->GetActiveRemoteBase();
                FAudioClient->SetHost(base.Host);
                FAudioClient->SetAudioPort(base.AudioPort);
                FAudioClient->SetUsername(base.Username);
                FAudioClient->SetPassword(base.Password);
                FAudioClient->Open();
            }
            return {};
        case O::Close: FAudioClient->Close(); return {};
        default: break;
        }
        break;
    case M::AudioServer:
        switch (step.Operation) {
        case O::IniRead: FAudioServer->IniRead(); return {};
        case O::IniWrite: FAudioServer->IniWrite(); return {};
        case O::Open: FAudioServer->Open(); return {};
        case O::Close: FAudioServer->Close(); return {};
        default: break;
        }
        break;
    case M::DVK:
        switch (step.Operation) {
        case O::IniRead: FDVK->IniRead(); return {};
        case O::IniWrite: FDVK->IniWrite(); return {};
        case O::Open: FDVK->Open(); return {};
        case O::CloseMicroHam: FDVK->MicroHamInterface()->Close(); return {};
        default: break;
        }
        break;
    case M::FlexControl:
        switch (step.Operation) {
        case O::IniRead: FFlexControl->IniRead(); return {};
        case O::IniWrite: FFlexControl->IniWrite(); return {};
        case O::Open: FFlexControl->Open(); return {};
        case O::Close: FFlexControl->Close(); return {};
        default: break;
        }
        break;
    case M::Log:
        switch (step.Operation) {
        case O::IniRead: FLog->IniRead(); return {};
        case O::IniWrite: FLog->IniWrite(); return {};
        case O::Open: FLog->Open(); return {};
        case O::Close: FLog->Close(); return {};
        case O::WireLog: {
            TLogInterface* log = FLog->LogInterface();
            FCW->SetLogInterface(log);
            FRTTY->SetLogInterface(log);
            log->SetMyCall(FDX->DXSpots()->MyCall());
            log->SetMyLocator(FDX->DXSpots()->MyLocator());
            return {};
        }
        default: break;
        }
        break;
    case M::Messages:
        switch (step.Operation) {
        case O::IniRead: FMessages->IniRead(); return {};
        case O::IniWrite: FMessages->IniWrite(); return {};
        default: break;
        }
        break;
    case M::Playback:
        switch (step.Operation) {
        case O::IniRead: FPlayback->IniRead(); return {};
        case O::IniWrite: FPlayback->IniWrite(); return {};
        default: break;
        }
        break;
    case M::Client:
        switch (step.Operation) {
        case O::IniRead: FClient->IniRead(); return {};
        case O::IniWrite: FClient->IniWrite(); return {};
        case O::Update: FClient->Update(); return {};
        case O::DisableConnect: FClient->ClientConnectAction->setEnabled(false); return {};
        case O::Close: FClient->Close(); return {};
        default: break;
        }
        break;
    case M::Server:
        switch (step.Operation) {
        case O::IniRead: FServer->IniRead(); return {};
        case O::IniWrite: FServer->IniWrite(); return {};
        case O::Open: FServer->Open(); return {};
        case O::Close: FServer->Close(); return {};
        default: break;
        }
        break;
    case M::RTTY:
        switch (step.Operation) {
        case O::IniRead: FRTTY->IniRead(); return {};
        case O::IniWrite: FRTTY->IniWrite(); return {};
        case O::Close: FRTTY->Close(); return {};
        default: break;
        }
        break;
    case M::IPCServer:
        switch (step.Operation) {
        case O::Open:
            FIPCServer->Open();
            if (FIPCServer->Enabled() && !FIPCServer->Active())
                return FIPCServer->ErrorString();
            return {};
        case O::Close: FIPCServer->Close(); return {};
        default: break;
        }
        break;
    }
    return NoSuchStep(step);
}
