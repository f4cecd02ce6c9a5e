#pragma once
// TDMDX: the DX cluster data module.  It owns the spot engine and the telnet client, logs in
// to the one configured cluster, sends the operator's cluster commands, cuts the received text
// into lines for the spot engine, keeps the cluster, spot, band map, band filter, band plan
// and WWV settings, and logs the QSOs that WSJT-X reports.
//
// Everything runs on the GUI thread.  Connecting does not block: Connect() returns at once;
// the login lines follow when the connection is up, and a failure is shown in the console.

#include "core/DXLink.h"
#include "core/RCTypes.h"
#include "dx/DXSpots.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

class QAction;
class TTelnetClient;

namespace DataModuleDX {
// Connection state of the cluster module (the spot engine has a console-line event of the
// same name).
using TDXClusterEvent = std::function<void(QObject* Sender, bool Enabled, const QString& Name, bool Connected)>;
} // namespace DataModuleDX

// What AddWSJTQSO reads of the WSJT-X logging server's settings: take band and frequency
// from the report instead of the radio.
class TWSJTLogSettings {
public:
    virtual ~TWSJTLogSettings() = default;
    virtual bool WSJTLogBand() const = 0;
    virtual bool WSJTLogFreq() const = 0;
};

class TDMDX : public QObject, public TDXModuleLink {
    Q_OBJECT
public:
    // A received line without an end longer than this is noise: it is dropped and the
    // connection closed.
    static constexpr int MaxLineLength = 4096;

    explicit TDMDX(QObject* parent = nullptr);
    ~TDMDX() override;

    TDXSpots* DXSpots() const { return FDXSpots; }
    TTelnetClient* TelnetClient() const { return FTelnetClient; }

    // ---- Settings ----------------------------------------------------------------------
    int32_t ActiveCluster() const { return FActiveCluster; }
    void SetActiveCluster(int32_t value) { FActiveCluster = value; }
    bool AutoConnect() const { return FAutoConnect; }
    void SetAutoConnect(bool value) { FAutoConnect = value; }
    QStringList& ClusterCommands() { return FClusterCommands; }
    QStringList& Commands() { return FCommands; }
    const QString& Command1() const { return FCommand1; }
    const QString& Command2() const { return FCommand2; }
    const QString& Command3() const { return FCommand3; }
    // Store the text and relabel the command's action.
    void SetCommand1(const QString& Value);
    void SetCommand2(const QString& Value);
    void SetCommand3(const QString& Value);
    // A name, a host and a port above 0.
    bool DXClusterEnabled() const;

    QString GetHost(int Index) const { return FHost[Index & 1]; }
    QString GetName(int Index) const { return FName[Index & 1]; }
    QString GetPassword(int Index) const { return FPassword[Index & 1]; }
    int32_t GetPort(int Index) const { return FPort[Index & 1]; }
    QString GetUsername(int Index) const { return FUsername[Index & 1]; }
    void SetHost(int Index, const QString& Value) { FHost[Index & 1] = Value; }
    void SetName(int Index, const QString& Value) { FName[Index & 1] = Value; }
    void SetPassword(int Index, const QString& Value) { FPassword[Index & 1] = Value; }
    void SetPort(int Index, int32_t Value) { FPort[Index & 1] = Value; }
    void SetUsername(int Index, const QString& Value) { FUsername[Index & 1] = Value; }
    QString Host() const { return FHost[0]; }
    void SetHost(const QString& Value) { FHost[0] = Value; }
    QString Name() const { return FName[0]; }
    void SetName(const QString& Value) { FName[0] = Value; }
    QString Password() const { return FPassword[0]; }
    void SetPassword(const QString& Value) { FPassword[0] = Value; }
    int32_t Port() const { return FPort[0]; }
    void SetPort(int32_t Value) { FPort[0] = Value; }
    QString Username() const { return FUsername[0]; }
    void SetUsername(const QString& Value) { FUsername[0] = Value; }

    // The WSJT-X logging server whose settings AddWSJTQSO reads (null: from the report).
    const TWSJTLogSettings* WSJTSettings() const { return FWSJTSettings; }
    void SetWSJTSettings(const TWSJTLogSettings* value) { FWSJTSettings = value; }

    // ---- Operations --------------------------------------------------------------------
    void IniRead();
    void IniWrite();
    // Applies the settings and opens the spot engine; does not connect.
    void Open();
    // Disconnects and closes the spot engine.
    void Close();
    // Starts connecting; the login lines are sent when the connection is up.
    void Connect();
    void ReloadWantedLists();
    // Logs one QSO reported by WSJT-X (ADIF text).
    void AddWSJTQSO(const QString& AQSOLine) override;
    // The value of one ADIF field ("<CALL:") of the line.
    static QString ExtractADIFField(const QString& ATag, const QString& ALine);

    // Within a connection: 1 until the greeting was seen, 0 after the connect commands went
    // out (or without a connection).
    uint8_t LoginState() const { return FLoginState; }
    // Received text not yet cut into lines.
    const QString& ReceiveBuffer() const { return FReceiveBuffer; }

    // ---- Actions and handlers ----------------------------------------------------------
    QAction* DXClusterConnectAction = nullptr;
    QAction* Command1Action = nullptr;
    QAction* Command2Action = nullptr;
    QAction* Command3Action = nullptr;
    QList<QAction*> Actions() const;

    void DXClusterConnectActionExecute();
    void Command1ActionExecute();
    void Command2ActionExecute();
    void Command3ActionExecute();
    void DoTelnetClientConnected();
    void DoTelnetClientDisconnected();
    void DoTelnetClientDataAvailable(const QString& Text);

    DataModuleDX::TDXClusterEvent OnDXClusterEvent;

private:
    void SetCommand(QAction* action, QString& field, const QString& value);
    void SendCommand(const QString& command);
    void RaiseClusterEvent();
    void DoConnectFailed(const QString& message);
    // Watches the start of every delivery and every line for the greeting while LoginState
    // is 1.
    bool SeesGreeting(const QString& text);
    void SendConnectCommands();

    TDXSpots* FDXSpots = nullptr;
    TTelnetClient* FTelnetClient = nullptr;
    // Off after the operator disconnected, until the next connect.
    bool FDataEventAssigned = true;

    int32_t FActiveCluster = 0;
    bool FAutoConnect = false;
    QStringList FClusterCommands;
    QStringList FCommands;
    QString FCommand1;
    QString FCommand2;
    QString FCommand3;
    std::array<QString, 2> FHost;
    std::array<QString, 2> FName;
    std::array<QString, 2> FPassword;
    std::array<int32_t, 2> FPort{0, 7300};
    std::array<QString, 2> FUsername;
    const TWSJTLogSettings* FWSJTSettings = nullptr;

    uint8_t FLoginState = 0;
    QString FReceiveBuffer;
    // The greeting may be cut over two deliveries: the first characters of a line (or of a
    // delivery) collected so far, while they are being collected.
    QString FGreetProbe;
    bool FProbing = false;
};

// The program's one cluster module; set while one exists.
extern TDMDX* DMDX;
