#include "log/widgets/QRZCallbookLink.h"

#include "log/QRZInterface.h"

TQRZCallbookLink::TQRZCallbookLink(TQRZInterface* client, QObject* parent)
    : TCallbookLink(parent)
    , FClient(client)
{
    if (!client)
        return;
    client->OnRequest = [this](bool ok, const QString& message) { Fire(OnRequest, ok, message); };
    client->OnSession = [this](bool ok, const QString& message) { Fire(OnSession, ok, message); };
    client->OnUseQRZ = [this](bool value) { Fire(OnUseQRZ, value); };
}

TQRZCallbookLink::~TQRZCallbookLink()
{
    if (!FClient)
        return;
    FClient->OnRequest = nullptr;
    FClient->OnSession = nullptr;
    FClient->OnUseQRZ = nullptr;
}

QString TQRZCallbookLink::DomainName() const
{
    return QString::fromLatin1(TQRZInterface::DomainName);
}

bool TQRZCallbookLink::UseQRZ() const
{
    return FClient && FClient->UseQRZ();
}

bool TQRZCallbookLink::ImmediateLookup() const
{
    return FClient && FClient->ImmediateLookup();
}

bool TQRZCallbookLink::SessionStarted() const
{
    return FClient && FClient->SessionStarted();
}

QString TQRZCallbookLink::CallsignRequest() const
{
    return FClient ? FClient->QRZRecord()->CallsignRequest() : QString();
}

void TQRZCallbookLink::SetCallsignRequest(const QString& call)
{
    if (FClient)
        FClient->QRZRecord()->SetCallsignRequest(call);
}

void TQRZCallbookLink::Open()
{
    if (FClient)
        FClient->Open();
}

void TQRZCallbookLink::Request()
{
    if (FClient)
        FClient->Request();
}

QString TQRZCallbookLink::Call() const
{
    return FClient ? FClient->QRZRecord()->Call() : QString();
}

QString TQRZCallbookLink::Grid() const
{
    return FClient ? FClient->QRZRecord()->Grid() : QString();
}

int32_t TQRZCallbookLink::DXCC() const
{
    return FClient ? FClient->QRZRecord()->DXCC() : 0;
}

QString TQRZCallbookLink::State() const
{
    return FClient ? FClient->QRZRecord()->State() : QString();
}

bool TQRZCallbookLink::LoTW() const
{
    return FClient && FClient->QRZRecord()->LoTW();
}

QString TQRZCallbookLink::RangeAndBearing() const
{
    return FClient ? FClient->QRZRecord()->RangeAndBearing() : QString();
}

QString TQRZCallbookLink::Qslmgr() const
{
    return FClient ? FClient->QRZRecord()->Qslmgr() : QString();
}

QString TQRZCallbookLink::FirstName() const
{
    return FClient ? FClient->QRZRecord()->FirstName() : QString();
}
