#include "remote/DMAudioServer.h"

#include "core/DMApplication.h"
#include "core/RCTypes.h"
#include "remote/DMServer.h"

#include <QAction>
#include <algorithm>
#include <climits>

TDMAudioServer* DMAudioServer = nullptr;

namespace {

const QString SectionRemoteServer = QStringLiteral("Server\\RemoteServer");
const QString SectionPTT = QStringLiteral("Server\\PTT");
const QString SectionInput = QStringLiteral("Server\\AudioServer\\Input");
const QString SectionOutput = QStringLiteral("Server\\AudioServer\\Output");
const QString SectionClientOutput = QStringLiteral("Client\\AudioClient\\Output");

constexpr int DefaultAudioPort = 4000;

TPinType ReadPinType(TIniStore& ini, const QString& Ident, TPinType Current)
{
    const int value = ini.ReadInteger(SectionPTT, Ident, int(Current));
    return value >= pinAlwaysOff && value <= pinPTT ? TPinType(value) : Current;
}

} // namespace

TDMAudioServer::TDMAudioServer(QObject* parent)
    : QObject(parent)
    , FRAAudioIn(new TRAAudio(this))
    , FRAAudioOut(new TRAAudio(this))
    , FRAServer(new TRAServer(this))
    , FServerAction(new QAction(QStringLiteral("Start Server"), this))
    , FPTTComPort(std::make_unique<TSerialPTTPort>())
    , FPTTTimer(new vx::Timer(PTTRetryMs, false, this))
    , FTimeoutTimer(new vx::Timer(DefaultPTTTimeout * 1000, false, this))
{
    DMAudioServer = this;
    FServerAction->setToolTip(QStringLiteral("Start Server"));
    FServerAction->setStatusTip(QStringLiteral("Start Server"));

    FRAAudioIn->SetAudioComponent(actWaveIn);
    FRAAudioOut->SetAudioComponent(actWaveOut);
    FRAAudioIn->Prepare();
    FRAAudioOut->Prepare();
    FRAServer->SetAudioInput(FRAAudioIn);
    FRAServer->SetAudioOutput(FRAAudioOut);
    FRAServer->OnPTT = [this](bool OnOff) { DoPTT(OnOff); };

    FPTTTimer->OnTimer = [this] { PTTTimerTimer(); };
    FTimeoutTimer->setSingleShot(true);
    FTimeoutTimer->OnTimer = [this] { TimeoutTimerTimer(); };
    FPTTComPort->OnLost = [this] { DoPTTPortLost(); };
}

TDMAudioServer::~TDMAudioServer()
{
    FPTTTimer->stop();
    FTimeoutTimer->stop();
    FRAServer->OnPTT = nullptr;
    FPTTComPort->OnLost = nullptr;
    if (DMAudioServer == this)
        DMAudioServer = nullptr;
}

void TDMAudioServer::SetPTTComPort(std::unique_ptr<TPTTPort> Port)
{
    if (!Port)
        return;
    const QString name = FPTTComPort->Port();
    FPTTComPort->OnLost = nullptr;
    FPTTComPort->Close();
    FPTTComPort = std::move(Port);
    if (FPTTComPort->Port().isEmpty())
        FPTTComPort->SetPort(name);
    FPTTComPort->OnLost = [this] { DoPTTPortLost(); };
}

void TDMAudioServer::SetPTTTimeout(int Value)
{
    FPTTTimeout = std::max(0, Value);
    if (FPTTTimeout > 0)
        FTimeoutTimer->setInterval(int(std::min<qint64>(qint64(FPTTTimeout) * 1000, INT_MAX)));
    else
        FTimeoutTimer->stop();
}

// --- Settings -----------------------------------------------------------------------------

void TDMAudioServer::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    FActivateServer = ini.ReadBool(SectionRemoteServer, QStringLiteral("ActivateServer"), FActivateServer);
    const int port = ini.ReadInteger(SectionRemoteServer, QStringLiteral("AudioPort"), DefaultAudioPort);
    // A port past 16 bits would be a different port once cut down to one.
    FRAServer->SetAudioPort(uint16_t(port >= 0 && port <= 65535 ? port : DefaultAudioPort));

    FPTTComPort->SetPort(ini.ReadString(SectionPTT, QStringLiteral("Port"), QString()));
    FPinTypeRTS = ReadPinType(ini, QStringLiteral("RTSPin"), FPinTypeRTS);
    FPinTypeDTR = ReadPinType(ini, QStringLiteral("DTRPin"), FPinTypeDTR);
    SetPTTTimeout(ini.ReadInteger(SectionPTT, QStringLiteral("Timeout"), DefaultPTTTimeout));

    TRACodec& in = FRAAudioIn->Codec();
    in.SetDeviceID(uint32_t(ini.ReadInteger(SectionInput, QStringLiteral("DeviceId"), 0)));
    in.SetCodec(StringToCodec(ini.ReadString(SectionInput, QStringLiteral("Codec"), QStringLiteral("PCM8"))));
    in.SetBitsPerSample(uint8_t(std::clamp(ini.ReadInteger(SectionInput, QStringLiteral("BitsPerSample"), 8), 8, 16)));
    in.SetChannels(uint8_t(std::clamp(ini.ReadInteger(SectionInput, QStringLiteral("Channels"), 1), 1, 2)));
    in.SetBufferLength(uint16_t(std::clamp(ini.ReadInteger(SectionInput, QStringLiteral("BufferLength"), 10), 10, 65535)));
    in.SetUserChosenCodec(ini.ReadBool(SectionInput, QStringLiteral("UserChosenCodec"), in.UserChosenCodec()));

    TRACodec& out = FRAAudioOut->Codec();
    out.SetDeviceID(uint32_t(ini.ReadInteger(SectionOutput, QStringLiteral("DeviceId"), 0)));
    FRAAudioOut->SetLimitOverrun(
        uint16_t(std::clamp(ini.ReadInteger(SectionClientOutput, QStringLiteral("LimitOverrun"), 0), 0, 65535)));
    // Clients send in the format they receive, mono.
    out.SetCodec(in.Codec());
    out.SetBitsPerSample(in.BitsPerSample());
    out.SetChannels(1);
}

void TDMAudioServer::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    ini.WriteBool(SectionRemoteServer, QStringLiteral("ActivateServer"), FActivateServer);
    ini.WriteInteger(SectionRemoteServer, QStringLiteral("AudioPort"), FRAServer->AudioPort());
    ini.WriteString(SectionPTT, QStringLiteral("Port"), FPTTComPort->Port());
    ini.WriteInteger(SectionPTT, QStringLiteral("RTSPin"), FPinTypeRTS);
    ini.WriteInteger(SectionPTT, QStringLiteral("DTRPin"), FPinTypeDTR);
    ini.WriteInteger(SectionPTT, QStringLiteral("Timeout"), FPTTTimeout);

    const TRACodec& in = FRAAudioIn->Codec();
    ini.WriteInteger(SectionInput, QStringLiteral("DeviceId"), int32_t(in.DeviceID()));
    ini.WriteString(SectionInput, QStringLiteral("Codec"), CodecToString(in.Codec()));
    ini.WriteInteger(SectionInput, QStringLiteral("BitsPerSample"), in.BitsPerSample());
    ini.WriteInteger(SectionInput, QStringLiteral("Channels"), in.Channels());
    ini.WriteInteger(SectionInput, QStringLiteral("BufferLength"), in.BufferLength());
    ini.WriteBool(SectionInput, QStringLiteral("UserChosenCodec"), in.UserChosenCodec());

    const TRACodec& out = FRAAudioOut->Codec();
    ini.WriteInteger(SectionOutput, QStringLiteral("DeviceId"), int32_t(out.DeviceID()));
    ini.WriteInteger(SectionOutput, QStringLiteral("BitsPerSample"), out.BitsPerSample());
    ini.WriteInteger(SectionOutput, QStringLiteral("Channels"), out.Channels());
    ini.WriteString(SectionOutput, QStringLiteral("Codec"), CodecToString(out.Codec()));
    ini.WriteInteger(SectionClientOutput, QStringLiteral("LimitOverrun"), FRAAudioOut->LimitOverrun());
}

// --- Opening and closing ------------------------------------------------------------------

void TDMAudioServer::Open()
{
    if (!FActivateServer || FRAServer->AudioPort() == 0)
        return;
    if (FRAServer->Active())
        Close();
    // The users and password of the remote control server, as they are now.
    TDMServer* server = FServer ? FServer : ::DMServer;
    FRAServer->Authentication().SetPassword(server ? server->Password() : QString());
    FRAServer->Authentication().SetUsers(server ? server->Users() : QStringList());
    FRAServer->SetActive(true);
    OpenPTTPort();
}

void TDMAudioServer::Close()
{
    if (FRAServer->Active()) {
        FRAServer->SetActive(false);
        FServerAction->setToolTip(QStringLiteral("Start Server"));
        FServerAction->setStatusTip(QStringLiteral("Start Server"));
    }
    ClosePTTPort();
}

// --- PTT port -----------------------------------------------------------------------------

void TDMAudioServer::OpenPTTPort()
{
    if (FPTTComPort->Port().isEmpty()) {
        FPTTTimer->stop();
        FPTTStatus = pttNone;
    } else if (FPTTComPort->Open()) {
        FPTT = false;
        FTimeoutTimer->stop();
        // A line that cannot be switched (a pseudo-terminal) leaves the port usable.
        FPTTComPort->SetRTS(FPinTypeRTS == pinAlwaysOn);
        FPTTComPort->SetDTR(FPinTypeDTR == pinAlwaysOn);
        FPTTStatus = pttOff;
        FPTTTimer->stop();
    } else {
        FPTTStatus = pttWaiting;
        FPTTTimer->setEnabled(true);
    }
    Fire(OnPTTStatus, FPTTStatus);
}

void TDMAudioServer::ClosePTTPort()
{
    // A closed module does not keep retrying its port, nor leave the transmitter keyed.
    FPTTTimer->stop();
    if (FPTT)
        DoPTT(false);
    FTimeoutTimer->stop();
    if (!FPTTComPort->Port().isEmpty())
        FPTTComPort->Close();
}

void TDMAudioServer::DoPTTPortLost()
{
    FPTT = false;
    FTimeoutTimer->stop();
    FPTTStatus = pttWaiting;
    FPTTTimer->setEnabled(true);
    Fire(OnPTTStatus, FPTTStatus);
}

void TDMAudioServer::SetLine(bool rts, TPinType type, bool keyed)
{
    if (type != pinPTT)
        return;
    if (rts)
        FPTTComPort->SetRTS(keyed);
    else
        FPTTComPort->SetDTR(keyed);
}

void TDMAudioServer::DoPTT(bool OnOff)
{
    if (!FPTTComPort->Connected())
        return;
    SetLine(true, FPinTypeRTS, OnOff);
    SetLine(false, FPinTypeDTR, OnOff);
    FPTTStatus = OnOff ? pttOn : pttOff;
    FPTT = OnOff;
    Fire(OnPTTStatus, FPTTStatus);
    // A key request while the timer runs does not restart it.
    FTimeoutTimer->setEnabled(FPTTTimeout > 0 && OnOff);
}
