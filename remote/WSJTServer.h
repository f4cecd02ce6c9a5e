#pragma once
// The WSJT-X logging server of the server module: WSJT-X and JTDX hand each logged QSO to it
// over TCP as ADIF text, from the marker "<command:3>Log" to "<EOR>".  In the server roles the
// QSO goes to the remote clients as a "JT:" line; in the other roles the cluster module logs
// it (TDMDX::AddWSJTQSO).  It runs in every role when enabled.
//
// Sockets are served on the GUI thread; each connection collects its own text, so two
// senders never mix their QSOs.  Settings live in "Server\WSJT-X"; the server module reads
// and writes them through IniRead and IniWrite and calls Open and Close with its own.

#include "core/ApplicationRole.h"
#include "core/RCTypes.h"
#include "dx/DMDX.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringDecoder>
#include <cstdint>
#include <memory>

class QTcpServer;
class QTcpSocket;
class TIniStore;
class TRemoteServerLink;

class TWSJTServer : public QObject, public TWSJTLogSettings {
    Q_OBJECT
public:
    static constexpr int DefaultPort = 52001;
    // Text collected for one QSO beyond this is dropped and its connection closed.
    static constexpr int MaxCollector = 65536;

    explicit TWSJTServer(QObject* parent = nullptr);
    ~TWSJTServer() override;

    bool WSJTEnabled() const { return FWSJTEnabled; }
    void SetWSJTEnabled(bool value) { FWSJTEnabled = value; }
    int32_t WSJTPort() const { return FWSJTPort; }
    void SetWSJTPort(int32_t value) { FWSJTPort = value; }
    bool WSJTLogBand() const override { return FWSJTLogBand; }
    void SetWSJTLogBand(bool value) { FWSJTLogBand = value; }
    bool WSJTLogFreq() const override { return FWSJTLogFreq; }
    void SetWSJTLogFreq(bool value) { FWSJTLogFreq = value; }

    // Neighbours, handed in by the program's start-up.
    void SetDM(TApplicationRole* value) { FDM = value; }
    void SetServer(TRemoteServerLink* value) { FServer = value; }
    void SetDMDX(TDMDX* value) { FDMDX = value; }

    // "Server\WSJT-X": Enabled, Port, LogBand, LogFreq (the current values as defaults).
    void IniRead(TIniStore& ini);
    void IniWrite(TIniStore& ini) const;

    // Listens on every local IPv4 address when enabled with a port above 0; a port that
    // cannot be taken is reported through OnStatus and otherwise ignored.
    void Open();
    void Close();
    bool Listening() const;
    // The port listened on (0 when not listening).
    uint16_t ServerPort() const;

    // One QSO's text: broadcast in the server roles, logged in the others.
    void HandleWSJTQSO(const QString& QSOText);

    // Problems worth a line in a status or event log.
    TStringEvent OnStatus;

private:
    struct TConnection {
        QStringDecoder Decoder{QStringDecoder::Utf8};
        QString Collector;
        bool Reported = false;
    };

    void DoNewConnection();
    void DoReadyRead(QTcpSocket* socket);
    // Hands on every complete QSO of the collector; false when the connection must close.
    bool Collect(TConnection& connection);

    bool FWSJTEnabled = false;
    int32_t FWSJTPort = DefaultPort;
    bool FWSJTLogBand = false;
    bool FWSJTLogFreq = false;
    TApplicationRole* FDM = nullptr;
    TRemoteServerLink* FServer = nullptr;
    QPointer<TDMDX> FDMDX;
    QTcpServer* FWSJTTCPServer = nullptr;
    QHash<QTcpSocket*, std::shared_ptr<TConnection>> FConnections;
};
