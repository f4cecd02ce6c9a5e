#pragma once
// The RTTY data module: owns the engine link, keeps the RTTY settings and routes every RTTY
// action by the role of the program.  In the local roles it drives the engine on this
// computer; in the client role it sends the action to the server as an RTTY line; in the
// server roles it also tells every client of each change of the engine's state.  The RTTY
// panel shows the engine's state, from the local engine or from the server.
//
// The remote link calls it through TRTTYModuleLink: the server's handler of client lines
// (PrepareTX and the engine-side operations), the client's handler of server lines
// (PrepareRX and the panel-side operations).  Everything runs on the GUI thread.

#include "core/ApplicationRole.h"
#include "core/KeyingLinks.h"
#include "core/RCTypes.h"

#include <QObject>
#include <QString>
#include <cstdint>

class TLogInterface;
class TMMTTYInterface;
class TRemoteClientLink;
class TRemoteServerLink;
class TRTTYPanelLink;

class TDMRTTY : public QObject, public TRTTYModuleLink {
    Q_OBJECT
public:
    static inline const QString Section = QStringLiteral("Client\\MMTTY");

    explicit TDMRTTY(QObject* parent = nullptr);
    ~TDMRTTY() override;

    // Neighbours, handed in by the program's start-up (null while absent).
    void SetDM(TApplicationRole* value) { FDM = value; }
    void SetClient(TRemoteClientLink* value) { FClient = value; }
    void SetServer(TRemoteServerLink* value) { FServer = value; }
    TLogInterface* LogInterface() const { return FLogInterface; }
    void SetLogInterface(TLogInterface* value) { FLogInterface = value; }
    TRTTYPanelLink* RTTYPanel() const { return FRTTYPanel; }
    // Binds the panel's events to this module.
    void SetRTTYPanel(TRTTYPanelLink* value);

    TMMTTYInterface* MMTTYInterface() const { return FMMTTYInterface; }
    bool UseMMTTYEngine() const { return FUseMMTTYEngine; }
    void SetUseMMTTYEngine(bool value) { FUseMMTTYEngine = value; }
    bool RunMMTTYLocal() const { return FRunMMTTYLocal; }
    void SetRunMMTTYLocal(bool value) { FRunMMTTYLocal = value; }

    void IniRead();
    void IniWrite();

    // TRTTYModuleLink
    void PrepareTX() override;
    void PrepareRX() override;
    void Open() override;
    void Close() override;
    void Clear() override;
    void Send(const QString& Text) override;
    void SendMessage(const QString& Text) override;
    void TX() override;
    bool BandPassFilter() const override;
    void SetBandPassFilter(bool value) override;
    bool Squelch() const override;
    void SetSquelch(bool value) override;
    int32_t SquelchLevel() const override;
    void SetSquelchLevel(int32_t value) override;
    void SetSignalLevel(int32_t value) override;
    void RXText(const QString& Text) override;
    void SetPTT(bool value) override;
    void SetConnected(bool value) override;
    void SwitchInformation(int32_t value) override;
    bool IsConnected() const override;

    // Raised after the panel was updated by the engine's change of Connected / PTT.
    TSwitchEvent OnConnected;
    TSwitchEvent OnPTT;

private:
    TApplicationType Role() const { return FDM ? FDM->ApplicationType() : isLocal; }
    bool IsClientRole() const { return Role() == isRemoteClient; }
    bool IsServerRole() const { return Role() == isLocalAndRemoteServer || Role() == isRemoteServer; }
    // The roles whose panel shows the engine's state (all but the remote server).
    bool ShowsEngine() const { return Role() != isRemoteServer; }
    void SendToServer(const QString& line);
    void Broadcast(const QString& line);
    QString ExpandMacros(const QString& text) const;

    // Handlers of the engine's events.
    void DoBandPassFilter(bool value);
    void DoConnected(bool value);
    void DoPTT(bool value);
    void DoRXText(const QString& value);
    void DoSignalLevel(uint16_t value);
    void DoSignalLevelTimer(uint16_t value);
    void DoSquelch(bool value);
    void DoSquelchLevel(uint16_t value);

    TMMTTYInterface* FMMTTYInterface;
    TApplicationRole* FDM = nullptr;
    TRemoteClientLink* FClient = nullptr;
    TRemoteServerLink* FServer = nullptr;
    TLogInterface* FLogInterface = nullptr;
    TRTTYPanelLink* FRTTYPanel = nullptr;
    bool FUseMMTTYEngine = false;
    bool FRunMMTTYLocal = false;
};

// The program's one RTTY module; set while one exists.
extern TDMRTTY* DMRTTY;
