#pragma once
// The server end of the remote control link.  It listens for clients (only in the server
// roles, with a host name and a port), runs the login dialogue, carries out the commands of
// logged-in clients on the radio, keyer, RTTY and voice keyer modules, sends lines to every
// logged-in client (ServerBroadcastMessage), reports connections and the client list, and
// keeps the settings of the server role.
//
// Connections are served on the GUI thread, driven by their sockets: the lines of all
// clients are carried out one at a time in the order they arrive, and the GUI never waits on
// a client.  Until a connection has logged in it can do nothing but the login dialogue and
// receives nothing else.  An empty password refuses every login; a connection that has not
// logged in after 30 s is closed; a refused password is answered after a pause of one second;
// an unknown callsign is asked for its password like a known one and refused like a wrong
// password, so the server does not tell which callsigns exist.

#include "core/ApplicationRole.h"
#include "core/RCTypes.h"
#include "core/RemoteLinks.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class QTcpServer;
class QTcpSocket;
class TCWModuleLink;
class TDMRadio;
class TMessagesLink;
class TMicroHamInterface;
class TRTTYModuleLink;
class TServerConnection;

// One open connection.
struct TSimpleClient {
    QString DNS = QStringLiteral("Logging In");
    QString Callsign;      // the user name given in the login dialogue
    QString Password;      // the password expected from this client (none for an unknown user)
    QDateTime Connected;   // local time of the connection
    QDateTime LastAction;  // local time of the last received line
    int32_t LoginSequence = 0; // lines received before login
    bool LoginOK = false;
    int32_t ListLink = 0;  // position in the list at creation
};

class TDMServer : public QObject, public TRemoteServerLink {
    Q_OBJECT
public:
    static constexpr int LoginTimeoutMs = 30000;
    static constexpr int RefusalDelayMs = 1000;
    // Lines a connection may send before login; the next one ends it.
    static constexpr int MaxLoginLines = 10;

    explicit TDMServer(QObject* parent = nullptr);
    ~TDMServer() override;

    // Neighbouring modules, handed in by the program's start-up (null while absent).
    void SetDM(TApplicationRole* value) { FDM = value; }
    void SetRadio(TDMRadio* value) { FRadio = value; }
    void SetCW(TCWModuleLink* value) { FCW = value; }
    void SetMessages(TMessagesLink* value) { FMessages = value; }
    void SetRTTY(TRTTYModuleLink* value) { FRTTY = value; }
    void SetMicroHam(TMicroHamInterface* value) { FMicroHam = value; }

    QString Hostname() const { return FHostname; }
    void SetHostname(const QString& value) { FHostname = value; }
    int32_t Port() const { return FPort; }
    void SetPort(int32_t value) { FPort = value; }
    QString Password() const { return FPassword; }
    void SetPassword(const QString& value) { FPassword = value; }
    QStringList Users() const { return FUsers; }
    void SetUsers(const QStringList& value) { FUsers = value; }
    bool AutoRunRegistry() const { return FAutoRunRegistry; }
    void SetAutoRunRegistry(bool value) { FAutoRunRegistry = value; }
    bool LogFile() const { return FLogFile; }
    void SetLogFile(bool value) { FLogFile = value; }
    // The server program switches the radio off when the desktop session ends.
    bool ShutdownRadio() const { return FShutdownRadio; }
    void SetShutdownRadio(bool value) { FShutdownRadio = value; }
    bool StartMinimized() const { return FStartMinimized; }
    void SetStartMinimized(bool value) { FStartMinimized = value; }
    bool SystemTray() const { return FSystemTray; }
    void SetSystemTray(bool value) { FSystemTray = value; }
    bool WSJTEnabled() const { return FWSJTEnabled; }
    void SetWSJTEnabled(bool value) { FWSJTEnabled = value; }
    int32_t WSJTPort() const { return FWSJTPort; }
    void SetWSJTPort(int32_t value) { FWSJTPort = value; }
    bool WSJTLogBand() const { return FWSJTLogBand; }
    void SetWSJTLogBand(bool value) { FWSJTLogBand = value; }
    bool WSJTLogFreq() const { return FWSJTLogFreq; }
    void SetWSJTLogFreq(bool value) { FWSJTLogFreq = value; }

    void IniRead();
    void IniWrite();
    // Writes the autostart entry of the running program when AutoRunRegistry is on, removes
    // it when off.
    void UpdateAutoRun();
    // $XDG_CONFIG_HOME/autostart/VornixServer.desktop
    static QString AutoRunFileName();

    void Open();
    void Close();
    // The remote control server listens.
    bool Active() const;
    void ServerBroadcastMessage(const QString& Msg) override;
    void ShutdownClients();
    void UpdateClientList();
    // Whether Name is one of Users, without regard to case.
    bool CheckUser(const QString& Name) const;
    // The records of the open connections, in connection order.
    QList<const TSimpleClient*> Clients() const;

    // "Connect Request" on a new connection; every received "MG:" line (a password replaced by
    // asterisks); "Disconnect: " + callsign when a connection ends.
    std::function<void(const QString& Msg)> RemoteMessageEvent;
    // On a new connection: whether the server is active.
    std::function<void(bool Connected, const QString& Msg)> RemoteServerEvent;
    std::function<void(const QString& Connected, const QString& Call, const QString& Msg)> OnRemoteConnect;
    TClientListEvent OnClientList;
    TClientStatusEvent ClientStatusEvent;
    std::function<void(bool Connected, const QString& Users)> OnUserList;

private:
    void DoNewConnection();
    void Accept(QTcpSocket* socket);
    void ReadLines(TServerConnection* c);
    void ProcessLines(TServerConnection* c);
    void HandleLine(TServerConnection* c, const QString& line);
    void HandleDialogue(TServerConnection* c, const QString& line);
    void HandleRTTY(const QString& line);
    // A "WS:" or "WT:" payload whose field `index` is the speed.
    void HandleKeyerSpeed(const QString& payload, int index);
    void Login(TServerConnection* c);
    void Refuse(TServerConnection* c);
    void Write(TServerConnection* c, const QString& line);
    void CloseConnection(TServerConnection* c);
    void EndConnection(TServerConnection* c);

    QTcpServer* FRemoteServer;
    QList<TServerConnection*> FClients;

    TApplicationRole* FDM = nullptr;
    TDMRadio* FRadio = nullptr;
    TCWModuleLink* FCW = nullptr;
    TMessagesLink* FMessages = nullptr;
    TRTTYModuleLink* FRTTY = nullptr;
    TMicroHamInterface* FMicroHam = nullptr;

    QString FHostname;
    int32_t FPort = 0;
    QString FPassword;
    QStringList FUsers;
    bool FAutoRunRegistry = false;
    bool FLogFile = false;
    bool FShutdownRadio = false;
    bool FStartMinimized = false;
    bool FSystemTray = true;
    bool FWSJTEnabled = false;
    int32_t FWSJTPort = 52001;
    bool FWSJTLogBand = false;
    bool FWSJTLogFreq = false;
};

// The program's one server module; set while one exists.
extern TDMServer* DMServer;
