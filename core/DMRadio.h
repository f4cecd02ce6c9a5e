#pragma once
// The data module that holds the radio: the CAT serial port, the CAT engine bound to it, the
// link to the IPC server, and the radio's user actions.  It keeps the radio settings, relays
// CAT traffic to its own events (the CAT command writer puts commands on the wire) and, in
// the server roles, every radio answer to the remote clients.

#include "core/ApplicationRole.h"
#include "core/FTCATTypes.h"
#include "core/RCTypes.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <cstdint>

class QAction;
class QActionGroup;
class TFTCATInterface;
class TIPCServerLink;
class TRemoteClientLink;
class TRemoteServerLink;

namespace vx {
class SerialPort;
} // namespace vx

class TDMRadio : public QObject {
    Q_OBJECT
public:
    explicit TDMRadio(QObject* parent = nullptr);
    ~TDMRadio() override;

    vx::SerialPort* RadioComPort() const { return FRadioComPort; }
    TFTCATInterface* FTCATInterface() const { return FFTCATInterface; }
    // Taken around every write to the CAT port, by the CAT command writer and by the remote
    // server's relay of client commands, so two commands never interleave on the wire.
    QMutex& RadioComPortLock() { return FRadioComPortLock; }

    // Neighbouring modules, handed in by the program's start-up (null while absent).
    TApplicationRole* DM() const { return FDM; }
    void SetDM(TApplicationRole* value) { FDM = value; }
    TApplicationType ApplicationType() const { return FDM ? FDM->ApplicationType() : isLocal; }
    TRemoteServerLink* Server() const { return FServer; }
    void SetServer(TRemoteServerLink* value) { FServer = value; }
    TRemoteClientLink* Client() const { return FClient; }
    void SetClient(TRemoteClientLink* value) { FClient = value; }
    TIPCServerLink* IPCServer() const { return FIPCServer; }
    void SetIPCServer(TIPCServerLink* value);

    // Settings of the radio through the settings store of DMApplication.
    void IniRead();
    void IniWrite();

    // Published events.
    TCOMPortEvent RadioComPortEvent;     // comOpen, comClosed; ComError when the port cannot be opened
    TStringEvent FT2KCATCommandRXEvent;  // every answer the engine reports
    TStringEvent FT2KCATCommandTXEvent;  // every command the engine sends
    TNotifyEvent OnIPCStatus;            // the IPC server's status changed

    // Actions.  Each action's tag (preset mode, resolution) is its data().
    QAction* LoadPresetsCWAction = nullptr;
    QAction* LoadPresetsSSBAction = nullptr;
    QAction* LoadPresetsRTTYAction = nullptr;
    QAction* LoadPresetsJT65Action = nullptr;
    QAction* SavePresetsCWAction = nullptr;
    QAction* SavePresetsSSBAction = nullptr;
    QAction* SavePresetsRTTYAction = nullptr;
    QAction* SavePresetsJT65Action = nullptr;
    QAction* ShowMeterAction = nullptr;
    QAction* MeterDigitalAction = nullptr;
    QAction* MeterAnalogAction = nullptr;
    QAction* Band60mAction = nullptr;
    QAction* BandDownAction = nullptr;
    QAction* BandUpAction = nullptr;
    QAction* ClarifierClearAction = nullptr;
    QAction* ClarifierDownAction = nullptr;
    QAction* ClarifierUpAction = nullptr;
    QAction* ClarifierRXAction = nullptr;
    QAction* ClarifierTXAction = nullptr;
    QAction* FrequencyAToBAction = nullptr;
    QAction* FrequencyBToAAction = nullptr;
    QAction* StepSizeDownAAction = nullptr;
    QAction* StepSizeUpAAction = nullptr;
    QAction* ResolutionA1Action = nullptr;
    QAction* ResolutionA2Action = nullptr;
    QAction* ResolutionA3Action = nullptr;
    QAction* ResolutionA4Action = nullptr;
    QAction* ResolutionA5Action = nullptr;
    QAction* StepSizeDownBAction = nullptr;
    QAction* StepSizeUpBAction = nullptr;
    QAction* ResolutionB1Action = nullptr;
    QAction* ResolutionB2Action = nullptr;
    QAction* ResolutionB3Action = nullptr;
    QAction* ResolutionB4Action = nullptr;
    QAction* ResolutionB5Action = nullptr;
    QAction* SplitAction = nullptr;
    QAction* SubRXAction = nullptr;
    QAction* SwapVFOAction = nullptr;
    QAction* TransmitAction = nullptr;
    QAction* TuneADownAction = nullptr;
    QAction* TuneAUpAction = nullptr;
    QAction* TuneBDownAction = nullptr;
    QAction* TuneBUpAction = nullptr;
    QAction* VFOAToBAction = nullptr;
    QAction* VFOBToAAction = nullptr;
    QAction* FT2000Action = nullptr;
    QAction* FT950Action = nullptr;
    QAction* FTDX5000Action = nullptr;

    // Every action in the order above; each carries its category in the property "Category".
    QList<QAction*> Actions() const { return FActions; }

    // Handlers of the engine's events.
    void DoFTCATCommandTX(const QString& Value);
    void DoFTCATCommandRX(const QString& Value);
    void DoFTCATShowMeter(bool Value);
    void DoFTCATDigitalMeterChange(bool Value);
    void DoFTCATIPCInformation(TIPCInformation Value);

    // Action handlers that do more than one call.
    void SubRXActionExecute();
    void LoadPresetsActionExecute(QAction* action);
    void SavePresetsActionExecute(QAction* action);

private:
    QAction* NewAction(const char* name, const char* category, const QString& caption, const char* shortcut = nullptr);
    void CreateActions();
    QAction* LoadPresetsAction(TPresetMode mode) const;
    void UpdateLoadPresetsActions();

    // Port events.
    void RadioComPortAfterOpen();
    void RadioComPortAfterClose();
    void RadioComPortError(const QString& message);

    vx::SerialPort* FRadioComPort = nullptr;
    TFTCATInterface* FFTCATInterface = nullptr;
    QMutex FRadioComPortLock;
    TApplicationRole* FDM = nullptr;
    TRemoteServerLink* FServer = nullptr;
    TRemoteClientLink* FClient = nullptr;
    TIPCServerLink* FIPCServer = nullptr;
    QList<QAction*> FActions;
};

// The program's one radio module; set while one exists.
extern TDMRadio* DMRadio;
