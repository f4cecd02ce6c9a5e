#pragma once
// The CW data module: owns the WinKeyer, its serial port and the CW sidetone, keeps the CW
// settings ("Client\WinKey", "Client\CWSidetone"), is the one way CW text is sent (from the
// CW panel, the message memories and remote clients), sends it to the local keyer or, in the
// remote-client role, to the server, drives the sidetone and the echo, and exchanges the
// keyer's state with the other side of the remote link in "WK:", "WC:", "WR:", "WS:" and
// "WT:" lines.  Lines from the other side reach it through the remote modules, which call
// the keyer and sidetone setters of TCWModuleLink.
//
// Lives on the GUI thread, as do all calls into it.

#include "core/ApplicationRole.h"
#include "core/KeyingLinks.h"
#include "core/RCTypes.h"
#include "keying/CWSidetone.h"
#include "keying/WinKeyer.h"

#include <QObject>
#include <QString>
#include <cstdint>

class TDMRadio;
class TLogInterface;
class TRemoteClientLink;
class TRemoteServerLink;

namespace vx {
class SerialPort;
} // namespace vx

class TDMCW : public QObject, public TCWModuleLink {
    Q_OBJECT
public:
    explicit TDMCW(QObject* parent = nullptr);
    ~TDMCW() override;

    TWinKeyer* WinKey() override { return FWinKey; }
    vx::SerialPort* WinKeyComPort() const { return FWinKeyComPort; }
    TCWSidetone* CWSidetone() override { return FCWSidetone; }

    // Neighbouring modules, handed in by the program's start-up (null while absent).
    TApplicationRole* DM() const { return FDM; }
    void SetDM(TApplicationRole* value) { FDM = value; }
    TApplicationType ApplicationType() const { return FDM ? FDM->ApplicationType() : isLocal; }
    void SetServer(TRemoteServerLink* value) { FServer = value; }
    void SetClient(TRemoteClientLink* value) { FClient = value; }
    // The radio whose CAT link decides whether the echo shows the text at once.
    void SetRadio(TDMRadio* value) { FRadio = value; }
    // The logbook that expands message macros.
    TLogInterface* LogInterface() const { return FLogInterface; }
    void SetLogInterface(TLogInterface* value) { FLogInterface = value; }

    // -1: no local sidetone; 0: the sidetone plays text as it is handed to the keyer;
    // 1: it plays what the local keyer echoes.  Setting it also sets UseSidetone.
    int32_t SidetoneEcho() const { return FSidetoneEcho; }
    void SetSidetoneEcho(int32_t value);
    // The sidetone is opened at start-up.
    bool UseSidetone() const override { return FUseSidetone; }
    void SetUseSidetone(bool value) { FUseSidetone = value; }

    void IniRead();
    void IniWrite();

    // Gives the keyer the program's role and opens it.
    void Open();
    void Close();
    void CWSidetoneOpen();
    // Sends CW text: filtered, upper-cased, macros expanded; to the server in the
    // remote-client role, otherwise to the local keyer.
    void CWSendText(const QString& Text) override;
    // Sends one typed character (no macros).
    void CWSendChar(QChar Ch);

    // State of the keyer's port: comOpen, comClosed, ComError, and the keyer's own reports
    // (comInvalid, comWaiting).
    TCOMPortEvent WinKeyComPortEvent;

private:
    bool IsServerRole() const;
    bool IsClientRole() const { return ApplicationType() == isRemoteClient; }
    bool RadioConnected() const;
    // A line to the other side: to every client in the server roles, to the server in the
    // client role, nowhere in the local role.
    void Route(const QString& line);
    // Sidetone and echo of text handed to the keyer (or to the server).
    void Sounded(const QString& text);
    void DoWinKeyChanged();
    void DoWinKeySpeed(uint8_t MinWPM, uint8_t Speed, uint8_t MaxWPM, uint8_t SpeedPot);
    void DoWinKeyCharacterLocal(QChar c);
    void DoWinKeyClear();

    TWinKeyer* FWinKey;
    vx::SerialPort* FWinKeyComPort;
    TCWSidetone* FCWSidetone;

    TApplicationRole* FDM = nullptr;
    TRemoteServerLink* FServer = nullptr;
    TRemoteClientLink* FClient = nullptr;
    TDMRadio* FRadio = nullptr;
    TLogInterface* FLogInterface = nullptr;
    int32_t FSidetoneEcho = -1;
    bool FUseSidetone = false;
};

// The program's one CW module; set while one exists.
extern TDMCW* DMCW;
