#pragma once
// The voice keyer of a microHAM router, driven over the router's control serial port (19200
// baud, 8N1, commands ending in a carriage return): plays, aborts and records the nine voice
// messages of the active bank, learns the router's versions, connection status and active
// bank, and reads the names of the banks and messages.
//
// The router's own control software keeps those names in its registry key
// "Software\microHAM\urouter\voiceMsgs\banks"; here they come from a read-only INI file of the
// same structure (one section per bank, "[Software\microHAM\urouter\voiceMsgs\banks\<bank>]",
// with the values "msgName0" to "msgName8").  A missing file leaves the names as they are.
//
// Remote traffic travels in "DV:" lines of the remote control link.  In the server roles the
// router's reports are relayed to the clients (OnSendCommandToClients) and the clients'
// requests are carried out; in the client role every command goes to the server
// (OnSendCommandToServer) and the server's reports only update this component's state.

#include "core/RCTypes.h"
#include "core/ReceiveBuffer.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

namespace vx {
class SerialPort;
class Timer;
} // namespace vx

class TMicroHamInterface : public QObject {
    Q_OBJECT
public:
    static constexpr int ReopenIntervalMs = 3000;
    // Cap of the serial buffer without a carriage return: past it the bytes are noise.
    static constexpr int MaxRXCommand = 4096;

    explicit TMicroHamInterface(QObject* owner = nullptr);
    ~TMicroHamInterface() override;

    // The router's control port; the component reads its received characters.
    vx::SerialPort* COMPort() const { return FCOMPort; }
    void SetCOMPort(vx::SerialPort* value);
    vx::Timer* COMPortTimer() const { return FCOMPortTimer; }

    bool Active() const { return FActive; }
    void SetActive(bool value);
    TApplicationType ApplicationType() const { return FApplicationType; }
    void SetApplicationType(TApplicationType value) { FApplicationType = value; }
    bool ConnectionStatus() const { return FConnectionStatus; }
    void SetConnectionStatus(bool value);
    QString DeviceFirmwareVersion() const { return FDeviceFirmwareVersion; }
    QString DeviceSerialNumber() const { return FDeviceSerialNumber; }
    QString RouterVersion() const { return FRouterVersion; }
    // Names of the voice messages, index 1 to 9.
    QString MessageName(int index) const;
    void SetMessageName(int index, const QString& name);
    // Name of the active message bank.
    QString MessageBank() const { return FMessageBank; }
    void SetMessageBank(const QString& value);
    QStringList MessageBanks() const { return FMessageBanks; }
    bool MessagePlaying() const { return FMessagePlaying; }

    // The INI file with the bank and message names; it is only ever read.
    QString RegistryFileName() const { return FRegistryFileName; }
    void SetRegistryFileName(const QString& value) { FRegistryFileName = value; }
    static QString DefaultRegistryFileName();
    // The file's path in the settings ("Client\DVK", "RouterNamesFile"); the voice keyer
    // module calls these with its own settings.
    void IniRead();
    void IniWrite();

    bool Open();
    void Close();
    void SendCommand(const QString& Command);
    void PlayMessage(int n);
    void AbortMessage();
    void StartMessageRecording(int n);
    void StopMessageRecording();
    // Asks the router to switch to the bank of that index of MessageBanks.
    void SetMessageBank(int index);
    // The payload of a "DV:" line: in the server from a client, in the client from the server.
    void HandleCommandRcvdFromClient(const QString& Text);
    // What the server sends a client after login, after "DV:".
    QString GetMessageBankInfosForClient() const;

    TSwitchEvent OnActive;
    TSwitchEvent OnConnectionStatus;
    TSwitchEvent OnMessagePlaying;
    TStringEvent OnActiveMessageBankName;
    std::function<void(int Index, const QString& Name)> OnMessageName;
    TStringEvent OnSendCommandToClients;
    TStringEvent OnSendCommandToServer;

private:
    bool IsClient() const { return FApplicationType == isRemoteClient; }
    bool IsServer() const { return FApplicationType == isLocalAndRemoteServer || FApplicationType == isRemoteServer; }
    bool PortOpen() const;
    void WritePort(const QString& Command);
    void DoRxChar(int Count);
    void DoCOMPortTimer();
    void ParseReceivedCommand(const QString& Command);
    void SetMessagePlaying(bool value);
    void ReadMessageBanks();
    void ReadMessageNames();

    QPointer<vx::SerialPort> FCOMPort;
    vx::Timer* FCOMPortTimer = nullptr;
    bool FActive = false;
    TApplicationType FApplicationType = isLocal;
    bool FCommandReceivedFromClient = false;
    bool FConnectionStatus = false;
    QString FDeviceFirmwareVersion;
    QString FDeviceSerialNumber;
    std::array<QString, 9> FMessageNames;
    QString FMessageBank = QStringLiteral("Zemro");
    QStringList FMessageBanks;
    bool FMessagePlaying = false;
    QString FRouterVersion;
    QString FRegistryFileName;
    // The rest of an over-long line is no command either: dropped up to its carriage return.
    TReceiveBuffer FRXBuffer{"microHAM", QLatin1Char('\r'), MaxRXCommand, TReceiveBuffer::TResync::AfterSeparator};
};
