#pragma once
// The voice keyer of a microHAM router: owns the router's control port (19200 baud, 8N1, DTR
// and RTS off) and the router interface, keeps "Client\DVK", opens and closes the interface,
// passes the router's message names on as the voice captions of the message memories, and
// carries the interface's remote commands over the remote link.  A remote client may also
// play each voice message from a local sound file, msg1.wav ... msg9.wav in
// PlayMessagesFolder, while the server's router plays it on the air.
//
// Lives on the GUI thread.

#include "core/ApplicationRole.h"
#include "core/RCTypes.h"

#include <QObject>
#include <QString>

class TDMMessages;
class TMicroHamInterface;
class TRemoteClientLink;
class TRemoteServerLink;

namespace vx {
class SerialPort;
class SoundFilePlayer;
} // namespace vx

class TDMDVK : public QObject {
    Q_OBJECT
public:
    static inline const QString Section = QStringLiteral("Client\\DVK");

    explicit TDMDVK(QObject* parent = nullptr);
    ~TDMDVK() override;

    TMicroHamInterface* MicroHamInterface() const { return FMicroHamInterface; }
    vx::SerialPort* ComPort() const { return FComPort; }

    // Neighbouring modules, handed in by the program's start-up (null while absent).
    void SetDM(TApplicationRole* value) { FDM = value; }
    TApplicationType ApplicationType() const { return FDM ? FDM->ApplicationType() : isLocal; }
    void SetServer(TRemoteServerLink* value) { FServer = value; }
    void SetClient(TRemoteClientLink* value) { FClient = value; }
    // Receives the router's message names as voice captions.
    void SetMessages(TDMMessages* value) { FMessages = value; }

    // The settings page's "Use microHAM Router DVK"; kept, not consulted here.
    bool UseDVK() const { return FUseDVK; }
    void SetUseDVK(bool value) { FUseDVK = value; }
    // A remote client also plays the message's sound file on this computer.
    bool PlayMessages() const { return FPlayMessages; }
    void SetPlayMessages(bool value) { FPlayMessages = value; }
    QString PlayMessagesFolder() const { return FPlayMessagesFolder; }
    void SetPlayMessagesFolder(const QString& value);

    void IniRead();
    void IniWrite();
    // Opens the router while the message panel is in use in this role (never in the remote
    // server role).
    void Open();
    void Close();

    // The sound file of voice message n; empty while no folder is set.
    QString MessageFileName(int n) const;
    // Starts playing the sound file of voice message n in the background, stopping the one
    // playing before; false (and nothing plays) when the file does not exist.
    bool PlayMessageFile(int n);
    void StopMessageFile();
    bool MessageFilePlaying() const;

    // State of the router's port: comOpen after open, comClosed after close, ComError.
    TCOMPortEvent DVKComPortEvent;

private:
    void MicroHamInterfaceMessageName(int MessageNo, const QString& MessageName);
    void MicroHamInterfaceSendCommandToClients(const QString& ACommand);
    void MicroHamInterfaceSendCommandToServer(const QString& ACommand);
    bool MessagesUse() const;

    vx::SerialPort* FComPort;
    TMicroHamInterface* FMicroHamInterface;
    vx::SoundFilePlayer* FSoundPlayer;
    TApplicationRole* FDM = nullptr;
    TRemoteServerLink* FServer = nullptr;
    TRemoteClientLink* FClient = nullptr;
    TDMMessages* FMessages = nullptr;
    bool FUseDVK = false;
    bool FPlayMessages = false;
    QString FPlayMessagesFolder;
};

// The program's one voice keyer module; set while one exists.
extern TDMDVK* DMDVK;
