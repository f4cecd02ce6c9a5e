#pragma once
// The IPC server lets one other program of the user on this computer follow the radio:
// frequency and mode of both VFOs, power level, power switch, split and transmit state.  It
// speaks the local message bus: the other program asks to connect with a request message,
// and from then on receives the 14-byte radio record each time one of the values changes.
// The other program's side is described in IPCServer.md beside this file.
//
// Nothing here waits for the other program: every message is posted, so a program that
// stops reading is dropped by the bus (and forgotten here) instead of holding up the GUI.
// GUI thread only.

#include "core/IPCLink.h"
#include "core/RCTypes.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>

namespace vx {
class BusEndpoint;
struct BusMessage;
} // namespace vx

enum TIPCServerStatus : uint8_t { ipcDisabled, ipcEnabled, ipcClosed, ipcOpen, ipcConnected, ipcDisconnected };

// The radio's modes in the order of the CAT engine's TMode, so a mode travels by its ordinal.
enum TYaesuMode : uint8_t { ymLSB, ymUSB, ymCW, ymFM, ymAM, ymFSK, ymCW_R, ymPKT_L, ymFSK_R, ymPKT_FM, ymFM_N, ymPKT_U };

class TIPCServer : public QObject, public TIPCServerLink {
    Q_OBJECT
public:
    // Registered names; they are the interface with the other program.
    static inline const QString ConnectRequestName = QStringLiteral("IPCConnectRequest");
    static inline const QString ConnectResponseName = QStringLiteral("IPCConnectResponse");
    static inline const QString ServerDisconnectingName = QStringLiteral("IPCServerDisconnecting");
    static inline const QString ClientDisconnectingName = QStringLiteral("IPCClientDisconnecting");
    static inline const QString DefaultSessionName = QStringLiteral("Brindlex");
    static inline const QString OpenError = QStringLiteral("Cannot Allocate Window Handle");
    static constexpr int RecordSize = 14;

    explicit TIPCServer(QObject* parent = nullptr);
    ~TIPCServer() override;

    // True gives ipcEnabled; false closes the server and gives ipcDisabled.
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool value) override;
    // The server's endpoint exists.
    bool Active() const { return FActive; }
    TIPCServerStatus IPCStatus() const { return FIPCStatus; }
    QString SessionName() const { return FSessionName; }
    void SetSessionName(const QString& value) { FSessionName = value; }

    // Only when enabled and not active: creates the endpoint (ipcOpen).  When it cannot be
    // made the server stays closed and ErrorString() says so.
    void Open() override;
    // Tells every program that the server goes, then drops the endpoint and the client
    // (ipcClosed).  Never waits for a receiver.
    void Close() override;
    // Why the last Open failed; empty after one that worked.
    QString ErrorString() const { return FError; }

    // The server's window (its endpoint id; 0 while closed), the client's (0 while none) and
    // the session number that keys the session.
    quint64 Window() const;
    quint64 ClientWindow() const { return FClientWindow; }
    uint32_t SessionMessage() const { return FSessionMessage; }

    // The radio record.  A setter that changes its value sends the record to the client.
    int32_t FrequencyA() const { return FFrequencyA; }
    void SetFrequencyA(int32_t hz) override;
    int32_t FrequencyB() const { return FFrequencyB; }
    void SetFrequencyB(int32_t hz) override;
    TYaesuMode ModeA() const { return TYaesuMode(FModeA); }
    void SetModeA(uint8_t mode) override;
    TYaesuMode ModeB() const { return TYaesuMode(FModeB); }
    void SetModeB(uint8_t mode) override;
    uint8_t PowerLevel() const { return FPowerLevel; }
    void SetPowerLevel(uint8_t watt) override;
    bool PowerSwitch() const { return FPowerSwitch; }
    void SetPowerSwitch(bool value) override;
    bool Split() const { return FSplit; }
    void SetSplit(bool value) override;
    bool TX() const { return FTX; }
    void SetTX(bool value) override;

    // The 14 bytes of the record, little-endian, as they are sent.
    QByteArray RadioDataRecord() const;

private:
    bool RegisterNames();
    void SetIPCStatus(TIPCServerStatus value);
    void SendRadioData();
    // A window the server may post to: a real endpoint id that is not its own.
    bool IsClientWindow(quint64 window) const;
    void DoConnectRequest(const vx::BusMessage& m);
    void DoClientDisconnecting(const vx::BusMessage& m);
    void DoCopyData(const vx::BusMessage& m);
    void DoPeerGone(quint64 peer);
    // Says goodbye to every program with lParam, then drops the endpoint.
    void DropEndpoint(qint64 lParam);

    vx::BusEndpoint* FEndpoint = nullptr;
    bool FEnabled = false;
    bool FActive = false;
    TIPCServerStatus FIPCStatus = ipcDisabled;
    QString FSessionName = DefaultSessionName;
    QString FError;
    quint64 FClientWindow = 0;
    uint32_t FSessionMessage = 0;
    uint32_t FConnectRequest = 0;
    uint32_t FConnectResponse = 0;
    uint32_t FServerDisconnecting = 0;
    uint32_t FClientDisconnecting = 0;

    int32_t FFrequencyA = 7000000;
    int32_t FFrequencyB = 7000000;
    uint8_t FModeA = ymCW;
    uint8_t FModeB = ymCW;
    uint8_t FPowerLevel = 5;
    bool FPowerSwitch = false;
    bool FSplit = false;
    bool FTX = false;
};
