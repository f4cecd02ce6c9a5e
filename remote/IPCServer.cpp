#include "remote/IPCServer.h"

#include "platform/MessageBus.h"

#include <QtEndian>

TIPCServer::TIPCServer(QObject* parent)
    : QObject(parent)
{
    RegisterNames();
}

TIPCServer::~TIPCServer()
{
    // Whoever listened to the status may be gone already.
    OnIPCStatus = nullptr;
    if (FEndpoint)
        DropEndpoint(0);
}

bool TIPCServer::RegisterNames()
{
    // Numbers belong to the bus folder of the moment, so they are taken again at each Open.
    FConnectRequest = vx::RegisterBusMessage(ConnectRequestName);
    FConnectResponse = vx::RegisterBusMessage(ConnectResponseName);
    FServerDisconnecting = vx::RegisterBusMessage(ServerDisconnectingName);
    FClientDisconnecting = vx::RegisterBusMessage(ClientDisconnectingName);
    return FConnectRequest && FConnectResponse && FServerDisconnecting && FClientDisconnecting;
}

quint64 TIPCServer::Window() const
{
    return FEndpoint ? FEndpoint->Id() : 0;
}

void TIPCServer::SetIPCStatus(TIPCServerStatus value)
{
    if (value == FIPCStatus)
        return;
    FIPCStatus = value;
    Fire(OnIPCStatus);
}

void TIPCServer::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    if (value) {
        SetIPCStatus(ipcEnabled);
    } else {
        Close();
        SetIPCStatus(ipcDisabled);
    }
}

void TIPCServer::Open()
{
    if (!FEnabled || FActive)
        return;
    FError.clear();
    const bool named = RegisterNames();
    FSessionMessage = vx::RegisterBusMessage(FSessionName);
    auto* endpoint = new vx::BusEndpoint(this);
    if (!named || FSessionMessage == 0 || !endpoint->Open()) {
        delete endpoint;
        FError = OpenError;
        return;
    }
    endpoint->Route(FConnectRequest, [this](const vx::BusMessage& m) { DoConnectRequest(m); });
    endpoint->Route(FClientDisconnecting, [this](const vx::BusMessage& m) { DoClientDisconnecting(m); });
    endpoint->Route(FSessionMessage, [this](const vx::BusMessage& m) { DoCopyData(m); });
    endpoint->OnPeerGone = [this](quint64 peer) { DoPeerGone(peer); };
    FEndpoint = endpoint;
    FActive = true;
    SetIPCStatus(ipcOpen);
}

void TIPCServer::Close()
{
    if (!FActive || !FEndpoint)
        return;
    DropEndpoint(qint64(FSessionMessage));
    FClientWindow = 0;
    FActive = false;
    SetIPCStatus(ipcClosed);
}

void TIPCServer::DropEndpoint(qint64 lParam)
{
    FEndpoint->Post(vx::BusBroadcast, FServerDisconnecting, FEndpoint->Id(), lParam);
    FEndpoint->OnPeerGone = nullptr;
    FEndpoint->Close();
    // Not deleted here: Close may run inside a message this endpoint delivers.
    FEndpoint->deleteLater();
    FEndpoint = nullptr;
}

bool TIPCServer::IsClientWindow(quint64 window) const
{
    return window != 0 && window != vx::BusBroadcast && window != Window();
}

void TIPCServer::DoConnectRequest(const vx::BusMessage& m)
{
    if (m.LParam != qint64(FSessionMessage) || !FActive || !IsClientWindow(m.WParam))
        return;
    // A request naming a window nobody owns must not take the session from the client.
    if (!FEndpoint->Post(m.WParam, FConnectResponse, FEndpoint->Id(), 0))
        return;
    FClientWindow = m.WParam;
    SendRadioData();
    SetIPCStatus(ipcConnected);
}

void TIPCServer::DoClientDisconnecting(const vx::BusMessage& m)
{
    if (m.LParam != qint64(FSessionMessage))
        return;
    SetIPCStatus(ipcDisconnected);
}

void TIPCServer::DoCopyData(const vx::BusMessage& m)
{
    // A client announces its window as the data word of a copy-data message.
    if (m.WParam != FSessionMessage || !IsClientWindow(quint64(m.LParam)))
        return;
    FClientWindow = quint64(m.LParam);
}

void TIPCServer::DoPeerGone(quint64 peer)
{
    // The client ended, or stopped reading and was dropped: nothing more goes to it.
    if (peer == 0 || peer != FClientWindow)
        return;
    FClientWindow = 0;
    SetIPCStatus(ipcDisconnected);
}

QByteArray TIPCServer::RadioDataRecord() const
{
    QByteArray r(RecordSize, '\0');
    qToLittleEndian<qint32>(FFrequencyA, r.data());
    qToLittleEndian<qint32>(FFrequencyB, r.data() + 4);
    r[8] = char(FModeA);
    r[9] = char(FModeB);
    r[10] = char(FPowerLevel);
    r[11] = char(FPowerSwitch ? 1 : 0);
    r[12] = char(FSplit ? 1 : 0);
    r[13] = char(FTX ? 1 : 0);
    return r;
}

void TIPCServer::SendRadioData()
{
    if (!FActive || !FEndpoint || FClientWindow == 0)
        return;
    // A client that is gone or does not read is reported by the bus (DoPeerGone).
    FEndpoint->Post(FClientWindow, FSessionMessage, FSessionMessage, qint64(FSessionMessage), RadioDataRecord());
}

void TIPCServer::SetFrequencyA(int32_t hz)
{
    if (hz == FFrequencyA)
        return;
    FFrequencyA = hz;
    SendRadioData();
}

void TIPCServer::SetFrequencyB(int32_t hz)
{
    if (hz == FFrequencyB)
        return;
    FFrequencyB = hz;
    SendRadioData();
}

void TIPCServer::SetModeA(uint8_t mode)
{
    if (mode == FModeA)
        return;
    FModeA = mode;
    SendRadioData();
}

void TIPCServer::SetModeB(uint8_t mode)
{
    if (mode == FModeB)
        return;
    FModeB = mode;
    SendRadioData();
}

void TIPCServer::SetPowerLevel(uint8_t watt)
{
    if (watt == FPowerLevel)
        return;
    FPowerLevel = watt;
    SendRadioData();
}

void TIPCServer::SetPowerSwitch(bool value)
{
    if (value == FPowerSwitch)
        return;
    FPowerSwitch = value;
    SendRadioData();
}

void TIPCServer::SetSplit(bool value)
{
    if (value == FSplit)
        return;
    FSplit = value;
    SendRadioData();
}

void TIPCServer::SetTX(bool value)
{
    if (value == FTX)
        return;
    FTX = value;
    SendRadioData();
}
