#include "remote/DMAudioClient.h"

#include "core/DMApplication.h"

#include <QAction>
#include <algorithm>

TDMAudioClient* DMAudioClient = nullptr;

namespace {
const QString SectionClient = QStringLiteral("Client\\AudioClient");
const QString SectionOutput = QStringLiteral("Client\\AudioClient\\Output");
const QString SectionInput = QStringLiteral("Client\\AudioClient\\Input");
} // namespace

TDMAudioClient::TDMAudioClient(QObject* parent)
    : QObject(parent)
    , FRAClient(new TRAClient(this))
    , FRAAudioOut(new TRAAudio(this))
    , FRAAudioIn(new TRAAudio(this))
{
    DMAudioClient = this;
    FRAAudioOut->SetAudioComponent(actWaveOut);
    FRAAudioIn->SetAudioComponent(actWaveIn);
    FRAAudioOut->Prepare();
    FRAAudioIn->Prepare();
    FRAClient->SetAudioInput(FRAAudioIn);
    FRAClient->SetAudioOutput(FRAAudioOut);

    auto action = [this](const QString& text, const QString& name, const char* category) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        a->setProperty("category", QString::fromLatin1(category));
        return a;
    };
    ConnectAction = action(QStringLiteral("&Connect"), QStringLiteral("ConnectAction"), "Connection");
    DisconnectAction = action(QStringLiteral("&Disconnect"), QStringLiteral("DisconnectAction"), "Connection");
    ReconnectAction = action(QStringLiteral("&Reconnect"), QStringLiteral("ReconnectAction"), "Connection");
    LeftChannelAction = action(QStringLiteral("&Left Channel"), QStringLiteral("LeftChannelAction"), "Channels");
    RightChannelAction = action(QStringLiteral("&Right Channel"), QStringLiteral("RightChannelAction"), "Channels");
    BothChannelsAction = action(QStringLiteral("&Both Channels"), QStringLiteral("BothChannelsAction"), "Channels");
    SwapChannelsAction = action(QStringLiteral("&Swap Channels"), QStringLiteral("SwapChannelsAction"), "Channels");
    connect(ConnectAction, &QAction::triggered, this, [this] { ConnectActionExecute(); });
    connect(DisconnectAction, &QAction::triggered, this, [this] { DisconnectActionExecute(); });
    connect(ReconnectAction, &QAction::triggered, this, [this] { ReconnectActionExecute(); });
}

TDMAudioClient::~TDMAudioClient()
{
    if (DMAudioClient == this)
        DMAudioClient = nullptr;
}

void TDMAudioClient::SetUsePTT(bool Value)
{
    FUsePTT = Value;
    FRAClient->SetUsePTT(Value);
}

void TDMAudioClient::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    FAutoConnect = ini.ReadBool(SectionClient, QStringLiteral("AutoConnect"), FAutoConnect);
    FTransmitOnMOX = ini.ReadBool(SectionClient, QStringLiteral("TransmitOnMOX"), FTransmitOnMOX);
    FTransmitOnVOX = ini.ReadBool(SectionClient, QStringLiteral("TransmitOnVOX"), FTransmitOnVOX);
    SetUsePTT(ini.ReadBool(SectionClient, QStringLiteral("UsePTT"), FUsePTT));

    TRACodec& out = FRAAudioOut->Codec();
    out.SetDeviceID(uint32_t(ini.ReadInteger(SectionOutput, QStringLiteral("DeviceId"), 0)));
    out.SetCodec(StringToCodec(ini.ReadString(SectionOutput, QStringLiteral("Codec"), QStringLiteral("PCM8"))));
    out.SetBitsPerSample(uint8_t(std::clamp(ini.ReadInteger(SectionOutput, QStringLiteral("BitsPerSample"), 8), 8, 16)));
    out.SetChannels(uint8_t(std::clamp(ini.ReadInteger(SectionOutput, QStringLiteral("Channels"), 1), 1, 2)));
    FRAAudioOut->SetLimitOverrun(
        uint16_t(std::clamp(ini.ReadInteger(SectionOutput, QStringLiteral("LimitOverrun"), 0), 0, 65535)));

    TRACodec& in = FRAAudioIn->Codec();
    in.SetDeviceID(uint32_t(ini.ReadInteger(SectionInput, QStringLiteral("DeviceId"), 0)));
    in.SetBufferLength(uint16_t(std::clamp(ini.ReadInteger(SectionInput, QStringLiteral("BufferLength"), 10), 10, 65535)));
    // The microphone goes out in the receive format, mono.
    in.SetCodec(out.Codec());
    in.SetBitsPerSample(out.BitsPerSample());
    in.SetChannels(1);
}

void TDMAudioClient::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    ini.WriteBool(SectionClient, QStringLiteral("AutoConnect"), FAutoConnect);
    ini.WriteBool(SectionClient, QStringLiteral("TransmitOnMOX"), FTransmitOnMOX);
    ini.WriteBool(SectionClient, QStringLiteral("TransmitOnVOX"), FTransmitOnVOX);
    ini.WriteBool(SectionClient, QStringLiteral("UsePTT"), FUsePTT);

    const TRACodec& out = FRAAudioOut->Codec();
    ini.WriteInteger(SectionOutput, QStringLiteral("DeviceId"), int32_t(out.DeviceID()));
    ini.WriteString(SectionOutput, QStringLiteral("Codec"), CodecToString(out.Codec()));
    ini.WriteInteger(SectionOutput, QStringLiteral("BitsPerSample"), out.BitsPerSample());
    ini.WriteInteger(SectionOutput, QStringLiteral("Channels"), out.Channels());
    ini.WriteInteger(SectionOutput, QStringLiteral("LimitOverrun"), FRAAudioOut->LimitOverrun());

    const TRACodec& in = FRAAudioIn->Codec();
    ini.WriteInteger(SectionInput, QStringLiteral("DeviceId"), int32_t(in.DeviceID()));
    ini.WriteInteger(SectionInput, QStringLiteral("BufferLength"), in.BufferLength());
    ini.WriteInteger(SectionInput, QStringLiteral("BitsPerSample"), in.BitsPerSample());
    ini.WriteInteger(SectionInput, QStringLiteral("Channels"), in.Channels());
    ini.WriteString(SectionInput, QStringLiteral("Codec"), CodecToString(in.Codec()));
}

void TDMAudioClient::Connect()
{
    if (FRAClient->Connected()) {
        Disconnect();
        return;
    }
    // A port past 16 bits would be a different port once cut down to one.
    if (FHost.isEmpty() || FUsername.isEmpty() || FPassword.isEmpty() || FAudioPort == 0 || FAudioPort > 65535)
        return;
    FRAClient->SetHost(FHost);
    FRAClient->SetAudioPort(uint16_t(FAudioPort));
    FRAClient->SetUser(FUsername);
    FRAClient->SetPassword(FPassword);
    Fire(OnCodec, FRAAudioOut->Codec().CodecText());
    FRAClient->SetMute(false);
    FRAClient->Connect();
}

void TDMAudioClient::Disconnect()
{
    if (FRAClient->Connected())
        FRAClient->Disconnect();
}

void TDMAudioClient::Reconnect()
{
    Disconnect();
    Connect();
}
