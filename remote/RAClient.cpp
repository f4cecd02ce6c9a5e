#include "remote/RAClient.h"

#include "core/RCTypes.h"
#include "platform/GsmCodec.h"
#include "remote/AudioVolume.h"
#include "remote/RAAudio.h"
#include "remote/RAProtocol.h"

#include <QTcpSocket>
#include <cmath>
#include <vector>

namespace {
// How long a socket let go may take to deliver what was written to it.
constexpr int LingerMs = 5000;

QString OneLine(QString text)
{
    text = text.trimmed();
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}
} // namespace

QString ConnectionStatusText(TConnectionStatus Value)
{
    switch (Value) {
    case cInvalid:
        return QStringLiteral("invalid connection parameters");
    case cConnecting:
        return QStringLiteral("connecting...");
    case cNoRespone:
        return QStringLiteral("no response");
    case cRefused:
        return QStringLiteral("connection refused");
    case cConnected:
        return QStringLiteral("connected");
    case cDisconnected:
        return QStringLiteral("disconnected");
    case cNone:
        break;
    }
    return QString();
}

// --- TRAClientNetwork ----------------------------------------------------------------------

TRAClientNetwork::TRAClientNetwork(QObject* parent)
    : QObject(parent)
    , FReader(std::make_unique<RAProtocol::FrameReader>())
{
}

TRAClientNetwork::~TRAClientNetwork()
{
    // Nothing is reported from a component that is going away.
    if (FTCPClient) {
        FTCPClient->disconnect(this);
        FTCPClient->abort();
    }
}

void TRAClientNetwork::SetConnectionStatus(TConnectionStatus Value)
{
    FConnectionStatus = Value;
    // The network has no text for an invalid connection.
    Fire(OnConnectionStatus, Value, Value == cInvalid ? QString() : ConnectionStatusText(Value));
}

void TRAClientNetwork::Connect()
{
    if (FHost.isEmpty() || FAudioPort == 0)
        return;
    ReleaseSocket();
    FAskToStop = false;
    FConnected = false;
    FReader = std::make_unique<RAProtocol::FrameReader>();
    FTCPClient = new QTcpSocket(this);
    connect(FTCPClient, &QTcpSocket::connected, this, &TRAClientNetwork::DoSocketConnected);
    connect(FTCPClient, &QTcpSocket::disconnected, this, &TRAClientNetwork::DoSocketDisconnected);
    connect(FTCPClient, &QTcpSocket::errorOccurred, this, &TRAClientNetwork::DoSocketError);
    connect(FTCPClient, &QTcpSocket::readyRead, this, &TRAClientNetwork::DoReadyRead);
    connect(FTCPClient, &QTcpSocket::stateChanged, this, [this](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::ConnectingState)
            Fire(OnConnectionStatus, cConnecting, ConnectionStatusText(cConnecting));
    });
    FTCPClient->connectToHost(FHost, FAudioPort);
}

void TRAClientNetwork::Disconnect()
{
    FReady = false;
    FAskToStop = true;
    ReleaseSocket();
    FReader->Clear();
    SetConnectionStatus(cDisconnected);
    FConnected = false;
}

void TRAClientNetwork::ReleaseSocket()
{
    if (!FTCPClient)
        return;
    QTcpSocket* socket = FTCPClient;
    FTCPClient = nullptr;
    socket->disconnect(this);
    if (socket->state() != QAbstractSocket::ConnectedState) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // What was written (a last "P:0") still leaves before the socket closes.
    socket->flush();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
    }
    auto* linger = new vx::Timer(LingerMs, true, socket);
    linger->setSingleShot(true);
    linger->OnTimer = [socket] { socket->abort(); };
}

void TRAClientNetwork::DoSocketConnected()
{
    QString command;
    Fire(OnConnectCommand, this, command);
    if (!command.isEmpty())
        SendCommand(command);
    FConnected = true;
    SetConnectionStatus(cConnected);
    FReady = true;
}

void TRAClientNetwork::DoSocketDisconnected()
{
    if (!FConnected)
        return;
    ReleaseSocket();
    SetConnectionStatus(cDisconnected);
    FConnected = false;
    FReady = false;
}

void TRAClientNetwork::DoSocketError()
{
    if (!FTCPClient || FConnected)
        return; // a lost connection ends through its close notice
    if (FTCPClient->state() == QAbstractSocket::ConnectedState)
        return;
    const bool refused = FTCPClient->error() == QAbstractSocket::ConnectionRefusedError;
    ReleaseSocket();
    SetConnectionStatus(refused ? cRefused : cNoRespone);
}

void TRAClientNetwork::DoReadyRead()
{
    QTcpSocket* socket = FTCPClient;
    if (!socket)
        return;
    FReader->Append(socket->readAll());
    QByteArray payload;
    // A handler may disconnect (or connect anew): then this socket's data is done with.
    while (socket == FTCPClient && !FAskToStop) {
        const auto r = FReader->Next(payload);
        if (r == RAProtocol::FrameReader::Result::None)
            break;
        if (r == RAProtocol::FrameReader::Result::BadLength) {
            Fire(OnNetworkException,
                 QStringLiteral("Audio block length %1 from the server refused; connection closed").arg(FReader->BadLengthValue()));
            ReleaseSocket();
            SetConnectionStatus(cDisconnected);
            FConnected = false;
            FReady = false;
            break;
        }
        DoReceivedData(payload);
    }
}

void TRAClientNetwork::DoReceivedData(const QByteArray& MS)
{
    FReady = false;
    if (MS.size() == RAProtocol::ControlFrameBytes) {
        if (const std::optional<QString> decoded = RAProtocol::DecodeControl(MS)) {
            QString text = *decoded;
            text.remove(RAProtocol::Prefix);
            if (text.startsWith(QLatin1String("I:"))) {
                text.remove(QStringLiteral("I:"));
                text.remove(RAProtocol::Separator);
                Fire(OnMessage, text);
            } else if (text.startsWith(QLatin1String("D:"))) {
                text.remove(QStringLiteral("D:"));
                text.remove(RAProtocol::Separator);
                // The server closes the link after its notice; nothing more is taken from it.
                ReleaseSocket();
                SetConnectionStatus(cDisconnected);
                FConnected = false;
                if (!text.isEmpty())
                    Fire(OnMessage, text);
            } else {
                bool valid = true;
                QString user;
                QString codecMessage;
                Fire(OnLoginRequest, text, valid, user, codecMessage);
            }
        }
    } else {
        QByteArray block = MS;
        Fire(OnAudioStream, static_cast<void*>(block.data()), uint32_t(block.size()));
    }
    if (FTCPClient)
        FReady = true;
}

bool TRAClientNetwork::Write(const QByteArray& message)
{
    if (!FTCPClient || FTCPClient->state() != QAbstractSocket::ConnectedState)
        return false;
    if (FTCPClient->write(message) < 0) {
        Fire(OnNetworkException, OneLine(FTCPClient->errorString()));
        return false;
    }
    return true;
}

bool TRAClientNetwork::SendCommand(const QString& Command)
{
    return Write(RAProtocol::EncodeCommand(Command));
}

bool TRAClientNetwork::SendStream(const void* Data, uint32_t Size)
{
    return Write(RAProtocol::EncodeAudio(static_cast<const char*>(Data), qsizetype(Size)));
}

// --- TRAClient -----------------------------------------------------------------------------

TRAClient::TRAClient(QObject* parent)
    : QObject(parent)
    , FRAClientNetwork(nullptr)
    , FTrafficTimer(new vx::Timer(1000, false, this))
{
    FAudioVolume = new TAudioVolume(this);
    InitializeAudioVolume();
    FRAClientNetwork = new TRAClientNetwork(this);
    FRAClientNetwork->SetHost(FHost);
    FRAClientNetwork->SetAudioPort(FAudioPort);
    FRAClientNetwork->OnConnectCommand = [this](QObject* Sender, QString& Command) { DoConnectCommand(Sender, Command); };
    FRAClientNetwork->OnLoginRequest = [this](const QString& Command, bool& Valid, QString& User, QString& Codec) {
        DoCodecReply(Command, Valid, User, Codec);
    };
    FRAClientNetwork->OnAudioStream = [this](void* Buffer, uint32_t Size) { DoAudioStream(Buffer, Size); };
    FRAClientNetwork->OnConnectionStatus = [this](TConnectionStatus Value, const QString& Text) { DoNetworkStatus(Value, Text); };
    FRAClientNetwork->OnMessage = [this](const QString& Msg) { DoMessage(Msg); };
    FTrafficTimer->OnTimer = [this] { TrafficReport(); };
}

TRAClient::~TRAClient()
{
    FTrafficTimer->stop();
    // Nothing is reported from a component that is going away.
    FRAClientNetwork->OnConnectionStatus = nullptr;
    FRAClientNetwork->OnMessage = nullptr;
    if (FAudioInput)
        FAudioInput->OnAudioData = nullptr;
}

void TRAClient::InitializeAudioVolume()
{
    if (FAudioVolume->Ready() && FAudioVolume->AudioDeviceCount() > 0)
        FAudioVolume->SelectAudioDevice(FAudioVolume->WindowXPMode() ? 0 : FAudioVolume->AudioDeviceCount() - 1);
}

float TRAClient::GetAudioOutVolume() const
{
    return FAudioVolume->GetVolume();
}

void TRAClient::SetAudioOutVolume(float Value)
{
    FAudioVolume->SetVolume(Value);
}

void TRAClient::SetAudioInput(TRAAudio* Value)
{
    if (FAudioInput && FAudioInput != Value)
        FAudioInput->OnAudioData = nullptr;
    FAudioInput = Value;
    if (Value)
        Value->OnAudioData = [this](void* Buffer, uint32_t Size) { DoCapture(Buffer, Size); };
}

bool TRAClient::Connected() const
{
    return FRAClientNetwork->Connected();
}

void TRAClient::SetConnectionStatus(TConnectionStatus Value)
{
    FConnectionStatus = Value;
    QString text = ConnectionStatusText(Value);
    // The server said why: that is what the operator needs to see.
    if (Value == cDisconnected && !FDisconnectReason.isEmpty())
        text = FDisconnectReason;
    Fire(OnConnectionStatus, Value, text);
}

void TRAClient::DoNetworkStatus(TConnectionStatus Value, const QString& Text)
{
    SetConnectionStatus(Value);
}

void TRAClient::DoMessage(const QString& Msg)
{
    Fire(OnMessage, Msg);
    // A notice that ended the link ("D:"): the disconnection shows its reason.
    if (!FRAClientNetwork->Connected()) {
        FDisconnectReason = Msg;
        SetConnectionStatus(cDisconnected);
    }
}

QString TRAClient::LoginText() const
{
    if (!FAudioOutput)
        return QString();
    const TRACodec& codec = FAudioOutput->Codec();
    return RAProtocol::LoginText(FUser, FPassword, CodecToString(codec.Codec()), codec.Channels(), codec.BitsPerSample());
}

void TRAClient::Connect()
{
    if (FRAClientNetwork->ConnectionStatus() == cConnected)
        return;
    FDisconnectReason.clear();
    // Only 75 characters of the login travel: a longer one would arrive cut and be refused
    // (or lose its format) without the operator learning why.
    const QString login = LoginText();
    if (login.size() > RAProtocol::ControlFrameChars) {
        const qsizetype fixed = login.size() - FUser.size() - FPassword.size();
        const QString message = QStringLiteral("User name and password are too long for the audio login: "
                                               "at most %1 characters together")
                                    .arg(RAProtocol::ControlFrameChars - fixed);
        FConnectionStatus = cInvalid;
        Fire(OnConnectionStatus, cInvalid, message);
        Fire(OnMessage, message);
        return;
    }
    FRAClientNetwork->SetHost(FHost);
    FRAClientNetwork->SetAudioPort(FAudioPort);
    FRAClientNetwork->Connect();
    FTrafficTimer->setEnabled(true);
}

void TRAClient::Disconnect()
{
    SetTransmit(false);
    FRAClientNetwork->Disconnect();
    if (FAudioInput)
        FAudioInput->Close();
    if (FAudioOutput)
        FAudioOutput->Close();
    FReceived = 0;
    FTransmitted = 0;
    FTrafficTimer->stop();
    TrafficReport();
}

void TRAClient::DoConnectCommand(QObject* Sender, QString& ConnectCommand)
{
    const QString login = LoginText();
    ConnectCommand = login.isEmpty() ? QString() : login.leftJustified(RAProtocol::CommandLength, QLatin1Char(' '));
}

void TRAClient::DoCodecReply(const QString& Command, bool& ValidLogin, QString& User, QString& CodecMessage)
{
    if (FAudioOutput) {
        const QString codec = RAProtocol::CodecFields(Command);
        if (!codec.isEmpty())
            FAudioOutput->Codec().CodecRequest(codec);
        // Reopened in the agreed format; the device layer needs no wait for the close.
        FAudioOutput->Close();
        FAudioOutput->Open();
    }
    Fire(OnCodecChange);
}

void TRAClient::DoAudioStream(void* Buffer, uint32_t Size)
{
    if (!FAudioOutput)
        return;
    if (!FMute && (!FUsePTT || FPlaybackOnTX || !FTransmit)) {
        FAudioOutput->ChannelMixer(Buffer, Size, FChannelLeft, FChannelRight);
        Fire(OnDSPAudioData, Buffer, Size);
        FAudioOutput->Play(Buffer, int(Size));
        FReceived += Size;
        if (OnFFTAudioData) {
            OnFFTAudioData(Buffer, Size);
            return;
        }
    }
    if (FEchoPending) {
        FEchoPending = false;
        FResponseTime = int(vx::Clock::monotonicMs() - FEchoSentAt);
        Fire(OnResponseTime);
    }
}

void TRAClient::DoCapture(void* Buffer, uint32_t Size)
{
    if (!FTransmit)
        return;
    FRAClientNetwork->SendStream(Buffer, Size);
    FTransmitted += Size;
}

void TRAClient::SetTransmit(bool Value)
{
    if (Value == FTransmit)
        return;
    bool value = Value;
    if (!FRAClientNetwork->Connected())
        value = false;
    bool keyed = true;
    if (FAudioInput && FAudioInput->Enabled()) {
        FAudioInput->SetActive(value);
        FTransmit = value;
        // Capture that did not start sends nothing: the transmitter is not keyed for it.
        if (value && !FAudioInput->Active()) {
            FTransmit = false;
            keyed = false;
            // The next transmission tries the microphone again.
            FAudioInput->SetActive(false);
        }
    } else {
        FTransmit = false;
    }
    if (FUsePTT && keyed) {
        if (!FRAClientNetwork->SendCommand(FTransmit ? RAProtocol::PTTOn : RAProtocol::PTTOff))
            FTransmit = false;
    }
    Fire(OnTransmitting, FTransmit);
}

void TRAClient::SetTransmitEnabled(bool Value)
{
    if (Value == FTransmitEnabled)
        return;
    FTransmitEnabled = Value;
    if (!Value)
        SetTransmit(false);
    Fire(OnTransmitting, FTransmit);
}

void TRAClient::SetChannelLeft(bool Value)
{
    if (!FAudioOutput)
        return;
    if (FAudioOutput->Codec().Channels() == 1)
        FChannelLeft = true;
    else if (Value || FChannelRight)
        FChannelLeft = Value;
    Fire(OnChannelChange);
}

void TRAClient::SetChannelRight(bool Value)
{
    if (!FAudioOutput)
        return;
    if (FAudioOutput->Codec().Channels() == 1)
        FChannelRight = true;
    else if (Value || FChannelLeft)
        FChannelRight = Value;
    Fire(OnChannelChange);
}

void TRAClient::CodecRequest()
{
    if (FAudioOutput)
        FRAClientNetwork->SendCommand(FAudioOutput->Codec().GetNewCodecMessage());
}

QByteArray TRAClient::EchoTone() const
{
    if (!FAudioOutput)
        return {};
    const TRACodec& codec = FAudioOutput->Codec();
    const uint32_t rate = codec.SamplesPerSec();
    const bool gsm = IsGSMCodec(codec.Codec());
    const uint32_t channels = gsm ? 1 : codec.Channels();
    const bool eightBit = !gsm && codec.BitsPerSample() == 8;
    const uint32_t n = EchoToneMs * rate / 1000 * channels;
    QByteArray tone;
    tone.reserve(qsizetype(n) * 2);
    for (uint32_t k = 0; k < n; ++k) {
        const double s = std::sin(double(k) * 2.0 * M_PI * EchoToneHz / double(rate));
        if (eightBit) {
            tone.append(char(uint8_t(int(std::trunc(s * 127)) + 127)));
        } else {
            const auto v = int16_t(std::trunc(s * 32767));
            tone.append(char(v & 0xFF));
            tone.append(char((v >> 8) & 0xFF));
        }
    }
    if (!gsm)
        return tone;
    // A GSM link carries GSM blocks: the tone is encoded, its last block filled with silence.
    const qsizetype blockBytes = qsizetype(vx::GsmSamplesPerBlock) * 2;
    if (tone.size() % blockBytes)
        tone.append(QByteArray(blockBytes - tone.size() % blockBytes, '\0'));
    vx::GsmEncoder encoder;
    return encoder.feed(tone.constData(), size_t(tone.size()));
}

void TRAClient::EchoTest()
{
    const bool wasTransmitting = FTransmit;
    if (!wasTransmitting)
        SetTransmit(true);
    FRAClientNetwork->SendCommand(RAProtocol::EchoOn);
    const QByteArray tone = EchoTone();
    FEchoPending = true;
    FResponseTime = 0;
    FEchoSentAt = vx::Clock::monotonicMs();
    FRAClientNetwork->SendStream(tone.constData(), uint32_t(tone.size()));
    if (FAudioOutput)
        FAudioOutput->Play(tone.constData(), int(tone.size()));
    FRAClientNetwork->SendCommand(RAProtocol::EchoOff);
    if (!wasTransmitting)
        SetTransmit(false);
}

void TRAClient::TrafficReport()
{
    if (OnNetworkTraffic)
        OnNetworkTraffic(TrafficRateText(FReceived), TrafficRateText(FTransmitted));
    FReceived = 0;
    FTransmitted = 0;
    if (OnBufferCount) {
        const bool waveOut = FAudioOutput && FAudioOutput->RAWaveOut();
        OnBufferCount(waveOut ? QString::number(FAudioOutput->BufferCount()) : QString());
    }
}
