#include "keying/DMDVK.h"

#include "core/DMApplication.h"
#include "core/MicroHamInterface.h"
#include "core/RemoteLinks.h"
#include "keying/DMMessages.h"
#include "platform/SerialPort.h"
#include "platform/SoundFilePlayer.h"

TDMDVK* DMDVK = nullptr;

TDMDVK::TDMDVK(QObject* parent)
    : QObject(parent)
    , FComPort(new vx::SerialPort(this))
    , FMicroHamInterface(new TMicroHamInterface(this))
    , FSoundPlayer(new vx::SoundFilePlayer(this))
{
    DMDVK = this;

    // No port until the settings name one.
    vx::SerialPort& port = *FComPort;
    port.setBaudRate(19200);
    port.setDataBits(8);
    port.setStopBits(vx::SerialPort::StopBits::One);
    port.setParity(vx::SerialPort::Parity::None);
    port.setFlowControl(vx::SerialPort::FlowControl::None);
    port.setDtr(false);
    port.setRts(false);
    port.OnAfterOpen = [this] { Fire(DVKComPortEvent, comOpen); };
    port.OnAfterClose = [this] { Fire(DVKComPortEvent, comClosed); };
    port.OnError = [this](const QString&) { Fire(DVKComPortEvent, ComError); };

    TMicroHamInterface& mh = *FMicroHamInterface;
    mh.SetCOMPort(FComPort);
    mh.SetMessageBank(QStringLiteral("Default"));
    for (int n = 1; n <= 9; ++n)
        mh.SetMessageName(n, QStringLiteral("Message %1").arg(n));
    mh.OnMessageName = [this](int n, const QString& name) { MicroHamInterfaceMessageName(n, name); };
    mh.OnSendCommandToClients = [this](const QString& c) { MicroHamInterfaceSendCommandToClients(c); };
    mh.OnSendCommandToServer = [this](const QString& c) { MicroHamInterfaceSendCommandToServer(c); };
}

TDMDVK::~TDMDVK()
{
    // No port or router events into a module being taken apart.
    FComPort->OnAfterOpen = nullptr;
    FComPort->OnAfterClose = nullptr;
    FComPort->OnError = nullptr;
    FMicroHamInterface->OnMessageName = nullptr;
    FMicroHamInterface->OnSendCommandToClients = nullptr;
    FMicroHamInterface->OnSendCommandToServer = nullptr;
    if (DMDVK == this)
        DMDVK = nullptr;
}

void TDMDVK::SetPlayMessagesFolder(const QString& value)
{
    if (value != FPlayMessagesFolder)
        FPlayMessagesFolder = value;
}

// --- Settings -------------------------------------------------------------------------------

void TDMDVK::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    FUseDVK = ini.ReadBool(Section, QStringLiteral("Enabled"), false);
    FComPort->setPort(ini.ReadString(Section, QStringLiteral("Port"), QString()));
    FPlayMessages = ini.ReadBool(Section, QStringLiteral("PlayMessages"), false);
    SetPlayMessagesFolder(ini.ReadString(Section, QStringLiteral("PlayMessagesFolder"), QString()));
    FMicroHamInterface->IniRead();
}

void TDMDVK::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    ini.WriteBool(Section, QStringLiteral("Enabled"), FUseDVK);
    ini.WriteString(Section, QStringLiteral("Port"), FComPort->port());
    ini.WriteBool(Section, QStringLiteral("PlayMessages"), FPlayMessages);
    ini.WriteString(Section, QStringLiteral("PlayMessagesFolder"), FPlayMessagesFolder);
    FMicroHamInterface->IniWrite();
}

// --- Router ---------------------------------------------------------------------------------

bool TDMDVK::MessagesUse() const
{
    return DMApplication && DMApplication->PositionMessages().Use;
}

void TDMDVK::Open()
{
    if (!MessagesUse())
        return;
    FMicroHamInterface->SetApplicationType(ApplicationType());
    FMicroHamInterface->Open();
}

void TDMDVK::Close()
{
    FMicroHamInterface->Close();
}

void TDMDVK::MicroHamInterfaceMessageName(int MessageNo, const QString& MessageName)
{
    if (FMessages)
        FMessages->SetMessageCaption(mtPhone, MessageNo, MessageName);
}

void TDMDVK::MicroHamInterfaceSendCommandToClients(const QString& ACommand)
{
    if (FServer)
        FServer->ServerBroadcastMessage(ACommand);
}

void TDMDVK::MicroHamInterfaceSendCommandToServer(const QString& ACommand)
{
    if (FClient)
        FClient->Send(ACommand);
}

// --- Local sound files ----------------------------------------------------------------------

QString TDMDVK::MessageFileName(int n) const
{
    if (FPlayMessagesFolder.isEmpty())
        return {};
    return FPlayMessagesFolder + QStringLiteral("/msg%1.wav").arg(n);
}

bool TDMDVK::PlayMessageFile(int n)
{
    if (n < 1 || n > 9)
        return false;
    return FSoundPlayer->play(MessageFileName(n));
}

void TDMDVK::StopMessageFile()
{
    FSoundPlayer->stop();
}

bool TDMDVK::MessageFilePlaying() const
{
    return FSoundPlayer->isPlaying();
}
