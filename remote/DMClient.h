#pragma once
// The client side of the remote control link above the connection component: six remote
// stations with their settings, the connect actions, the connection to the chosen station
// (only in the role isRemoteClient), the radio poll after login, and every command line the
// server sends (RemoteClientHandleInput).  Every module that talks to the server uses Send.
//
// A received line may carry several commands; each is recognised only at the start of the
// text left after the previous command's ";", never inside a payload.

#include "core/ApplicationRole.h"
#include "core/RCTypes.h"
#include "core/RemoteLinks.h"

#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>

class QAction;
class TCWModuleLink;
class TDMRadio;
class TDXModuleLink;
class TMessagesLink;
class TMicroHamInterface;
class TRemoteClientInterface;
class TRTTYModuleLink;

class TDMClient : public QObject, public TRemoteClientLink {
    Q_OBJECT
public:
    static constexpr int RemoteBaseCount = 6;

    explicit TDMClient(QObject* parent = nullptr);
    ~TDMClient() override;

    // Neighbouring modules, handed in by the program's start-up (null while absent).
    void SetDM(TApplicationRole* value) { FDM = value; }
    void SetRadio(TDMRadio* value) { FRadio = value; }
    void SetCW(TCWModuleLink* value) { FCW = value; }
    void SetMessages(TMessagesLink* value) { FMessages = value; }
    void SetRTTY(TRTTYModuleLink* value) { FRTTY = value; }
    void SetMicroHam(TMicroHamInterface* value) { FMicroHam = value; }
    void SetDX(TDXModuleLink* value) { FDX = value; }

    TRemoteClientInterface* RemoteClient() const { return FRemoteClient; }

    // The six stations, as copies.
    TRemoteBaseParameter RemoteBaseParameter(int index) const;
    void SetRemoteBaseParameter(int index, const TRemoteBaseParameter& value);
    // Index of the chosen station, -1 for none.
    int32_t ActiveRemoteBase() const { return FActiveRemoteBase; }
    void SetActiveRemoteBase(int32_t value);
    // Complete stations, as counted by UpdateActions.
    int32_t NoRemoteBases() const { return FNoRemoteBases; }
    // Display name of the chosen station.
    QString Hostname() const { return FHostname; }
    // A host name, an address, a user name, a password and a port above 0.
    static bool IsComplete(const TRemoteBaseParameter& base);

    void IniRead();
    void IniWrite();
    void Update();
    TRemoteBaseParameter GetActiveRemoteBase() const;
    void Connect();
    void Open();
    void Disconnect();
    void Close();
    void RemoteBaseConnectActionExecute(QAction* action);
    void Send(const QString& Command) override;
    void UpdateActions();

    // Handlers of RemoteClient.
    void DoRemoteClientConnection(TConnection Connection, const QString& Msg);
    void DoRemoteClientLogin(bool Value);
    void DoRemoteClientRCMAverage(int32_t Value);
    void DoRemoteClientRXCommand(const QString& Command);
    // Carries out the commands of one line from the server.
    void RemoteClientHandleInput(const QString& CommandLine);

    QAction* ClientChooseAction = nullptr;
    QAction* ClientConnectAction = nullptr;
    QAction* ClientConnectButtonAction = nullptr;
    std::array<QAction*, RemoteBaseCount> RemoteBaseConnectActions{}; // "RemoteBaseConnectAction1" … 6
    QList<QAction*> Actions() const { return FActions; }

    TConnectionEvent OnConnection;
    TIntegerEvent OnRCMAverage;

private:
    bool IsRemoteClientRole() const { return FDM && FDM->ApplicationType() == isRemoteClient; }
    void EngineOffline();
    void ConnectRemoteClient();
    // The commands of a line; false ends the line (a number that cannot be read, a command
    // without its ";").
    bool HandleKeyerSettings(const QString& fields);
    bool HandleKeyerSpeed(const QString& fields);
    bool HandleKeyerTiming(const QString& fields);
    bool HandleRTTY(QChar letter, const QString& payload);

    TRemoteClientInterface* FRemoteClient;
    std::array<TRemoteBaseParameter, RemoteBaseCount> FRemoteBases;
    int32_t FActiveRemoteBase = -1;
    int32_t FNoRemoteBases = 0;
    QString FHostname;
    QList<QAction*> FActions;

    TApplicationRole* FDM = nullptr;
    TDMRadio* FRadio = nullptr;
    TCWModuleLink* FCW = nullptr;
    TMessagesLink* FMessages = nullptr;
    TRTTYModuleLink* FRTTY = nullptr;
    TMicroHamInterface* FMicroHam = nullptr;
    TDXModuleLink* FDX = nullptr;
};

// The program's one client module; set while one exists.
extern TDMClient* DMClient;
