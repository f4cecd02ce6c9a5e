#include "server/ServerModules.h"

#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "dx/DMDX.h"
#include "dx/DXSpots.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMFlexControl.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "log/DMLog.h"
#include "remote/DMAudioClient.h"
#include "remote/DMAudioServer.h"
#include "remote/DMClient.h"
#include "remote/DMServer.h"

template <typename T>
T* TServerDataModules::Own(T* module)
{
    FOwned.emplace_back(module);
    return module;
}

TServerDataModules::TServerDataModules()
{
    FApplication = Own(new TDMApplication);
    FRadio = Own(new TDMRadio);
    FCW = Own(new TDMCW);
    FAudioClient = Own(new TDMAudioClient);
    FAudioServer = Own(new TDMAudioServer);
    FServer = Own(new TDMServer);
    FDVK = Own(new TDMDVK);
    FMessages = Own(new TDMMessages);
    FRTTY = Own(new TDMRTTY);
    FClient = Own(new TDMClient);
    FDX = Own(new TDMDX);
    FFlexControl = Own(new TDMFlexControl);
    FLog = Own(new TDMLog);
    FDM = std::make_unique<TApplicationRole>();
    Wire();
    FApplication->IniRead();
}

TServerDataModules::~TServerDataModules()
{
    while (!FOwned.empty())
        FOwned.pop_back();
}

void TServerDataModules::Wire()
{
    TApplicationRole* dm = FDM.get();
    FApplication->SetDM(dm);

    FRadio->SetDM(dm);
    FRadio->SetServer(FServer);
    FRadio->SetClient(FClient);

    FCW->SetDM(dm);
    FCW->SetServer(FServer);
    FCW->SetClient(FClient);
    FCW->SetRadio(FRadio);
    FCW->SetLogInterface(FLog->LogInterface());

    FDVK->SetDM(dm);
    FDVK->SetServer(FServer);
    FDVK->SetClient(FClient);
    FDVK->SetMessages(FMessages);

    FMessages->SetDM(dm);
    FMessages->SetRadio(FRadio);
    FMessages->SetCW(FCW);
    FMessages->SetDVK(FDVK);
    FMessages->SetRTTY(FRTTY);

    FRTTY->SetDM(dm);
    FRTTY->SetServer(FServer);
    FRTTY->SetClient(FClient);
    FRTTY->SetLogInterface(FLog->LogInterface());

    FClient->SetDM(dm);
    FClient->SetRadio(FRadio);
    FClient->SetCW(FCW);
    FClient->SetMessages(FMessages);
    FClient->SetRTTY(FRTTY);
    FClient->SetMicroHam(FDVK->MicroHamInterface());
    FClient->SetDX(FDX);

    FServer->SetDM(dm);
    FServer->SetRadio(FRadio);
    FServer->SetCW(FCW);
    FServer->SetMessages(FMessages);
    FServer->SetRTTY(FRTTY);
    FServer->SetMicroHam(FDVK->MicroHamInterface());

    FAudioServer->SetServer(FServer);

    TDMDX* dx = FDX;
    FLog->SetMyCallSource([dx] { return dx->DXSpots()->MyCall(); });
}
