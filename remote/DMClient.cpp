#include "remote/DMClient.h"

#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/DXLink.h"
#include "core/KeyingLinks.h"
#include "core/MicroHamInterface.h"
#include "core/cat/FTCATInterface.h"
#include "remote/RemoteClientInterface.h"
#include "remote/RemoteLine.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>

TDMClient* DMClient = nullptr;

namespace {

QString BaseSection(int n)
{
    return QStringLiteral("Client\\RemoteBases\\Base%1").arg(n);
}

// Fields of a keyer line, read as bytes; nothing when one cannot be read.
std::optional<uint8_t> Byte(const QString& text)
{
    const std::optional<int32_t> v = RemoteLine::Number(text);
    if (!v || *v > 255)
        return std::nullopt;
    return uint8_t(*v);
}

// The value of the first character of a field when it is a digit up to `last`.
std::optional<uint8_t> Digit(const QString& text, char last)
{
    if (text.isEmpty() || text[0] < QLatin1Char('0') || text[0] > QLatin1Char(last))
        return std::nullopt;
    return uint8_t(text[0].unicode() - '0');
}

// The text before the first ";" (all of it without one).
QString UpToSemicolon(const QString& text)
{
    const qsizetype end = text.indexOf(QLatin1Char(';'));
    return end < 0 ? text : text.left(end);
}

} // namespace

TDMClient::TDMClient(QObject* parent)
    : QObject(parent)
    , FRemoteClient(new TRemoteClientInterface(this))
{
    DMClient = this;
    FRemoteClient->SetHost(QStringLiteral("localhost"));
    FRemoteClient->OnConnection = [this](TConnection c, const QString& msg) { DoRemoteClientConnection(c, msg); };
    FRemoteClient->OnLogin = [this](bool v) { DoRemoteClientLogin(v); };
    FRemoteClient->OnRCMAverage = [this](int32_t v) { DoRemoteClientRCMAverage(v); };
    FRemoteClient->OnRXCommand = [this](const QString& line) { DoRemoteClientRXCommand(line); };

    auto newAction = [this](const char* name, const QString& caption) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        FActions << a;
        return a;
    };
    ClientChooseAction = newAction("ClientChooseAction", QStringLiteral("&Choose Remote Server..."));
    ClientChooseAction->setToolTip(QStringLiteral("Choose a Vornix Remote Server"));
    ClientConnectAction = newAction("ClientConnectAction", QStringLiteral("&Connect"));
    ClientConnectAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    connect(ClientConnectAction, &QAction::triggered, this, [this] {
        if (FRemoteClient->Connected())
            Disconnect();
        else
            Connect();
    });
    ClientConnectButtonAction = newAction("ClientConnectButtonAction", QStringLiteral("Connect"));
    connect(ClientConnectButtonAction, &QAction::triggered, this, [this] {
        if (FRemoteClient->Connected())
            Close();
        else
            Open();
    });
    auto* group = new QActionGroup(this);
    group->setObjectName(QStringLiteral("55"));
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int i = 0; i < RemoteBaseCount; ++i) {
        QAction* a = newAction(QStringLiteral("RemoteBaseConnectAction%1").arg(i + 1).toLatin1().constData(),
                               QStringLiteral("Remote Base %1").arg(i + 1));
        a->setData(i);
        a->setCheckable(true);
        a->setActionGroup(group);
        connect(a, &QAction::triggered, this, [this, a] { RemoteBaseConnectActionExecute(a); });
        RemoteBaseConnectActions[i] = a;
    }
}

TDMClient::~TDMClient()
{
    // Nothing is reported from a module that is going away.
    FRemoteClient->OnConnection = nullptr;
    FRemoteClient->OnLogin = nullptr;
    FRemoteClient->OnRCMAverage = nullptr;
    FRemoteClient->OnRXCommand = nullptr;
    if (DMClient == this)
        DMClient = nullptr;
}

// --- Stations -----------------------------------------------------------------------------

TRemoteBaseParameter TDMClient::RemoteBaseParameter(int index) const
{
    return index >= 0 && index < RemoteBaseCount ? FRemoteBases[index] : TRemoteBaseParameter{};
}

void TDMClient::SetRemoteBaseParameter(int index, const TRemoteBaseParameter& value)
{
    if (index >= 0 && index < RemoteBaseCount)
        FRemoteBases[index] = value;
}

void TDMClient::SetActiveRemoteBase(int32_t value)
{
    if (value == FActiveRemoteBase)
        return;
    FActiveRemoteBase = value;
    UpdateActions();
}

bool TDMClient::IsComplete(const TRemoteBaseParameter& base)
{
    return !base.Hostname.isEmpty() && !base.Host.isEmpty() && !base.Username.isEmpty() && !base.Password.isEmpty()
        && base.Port > 0;
}

TRemoteBaseParameter TDMClient::GetActiveRemoteBase() const
{
    return RemoteBaseParameter(FActiveRemoteBase);
}

void TDMClient::IniRead()
{
    if (DMApplication) {
        TIniStore& ini = *DMApplication->IniRegistry();
        // Stations are packed from slot 0 in the order of their sections.
        int slot = -1;
        for (int n = 0; n < RemoteBaseCount; ++n) {
            const QString section = BaseSection(n);
            if (ini.ReadString(section, QStringLiteral("Hostname"), QString()).isEmpty())
                continue;
            ++slot;
            TRemoteBaseParameter& b = FRemoteBases[slot];
            b.Hostname = ini.ReadString(section, QStringLiteral("Hostname"), b.Hostname);
            b.Host = ini.ReadString(section, QStringLiteral("IP"), b.Host);
            b.Port = uint32_t(std::max(0, ini.ReadInteger(section, QStringLiteral("Port"), int32_t(b.Port))));
            b.Username = ini.ReadString(section, QStringLiteral("Username"), b.Username);
            b.Password = ini.ReadString(section, QStringLiteral("Password"), b.Password);
            b.AudioPort = uint32_t(std::max(0, ini.ReadInteger(section, QStringLiteral("AudioPort"), int32_t(b.AudioPort))));
            b.Active = ini.ReadBool(section, QStringLiteral("Active"), b.Active);
            if (IsComplete(b) && b.Active)
                FActiveRemoteBase = slot;
        }
    }
    UpdateActions();
}

void TDMClient::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    for (int i = 0; i < RemoteBaseCount; ++i)
        ini.EraseSection(BaseSection(i));
    int n = 0;
    for (const TRemoteBaseParameter& b : FRemoteBases) {
        if (b.Hostname.isEmpty())
            continue;
        const QString section = BaseSection(n++);
        ini.WriteString(section, QStringLiteral("Hostname"), b.Hostname);
        ini.WriteString(section, QStringLiteral("IP"), b.Host);
        ini.WriteInteger(section, QStringLiteral("Port"), int32_t(b.Port));
        ini.WriteString(section, QStringLiteral("Username"), b.Username);
        ini.WriteString(section, QStringLiteral("Password"), b.Password);
        ini.WriteInteger(section, QStringLiteral("AudioPort"), int32_t(b.AudioPort));
        ini.WriteBool(section, QStringLiteral("Active"), b.Active);
    }
}

void TDMClient::Update()
{
    for (int i = 0; i < RemoteBaseCount; ++i) {
        if (!FRemoteBases[i].Active)
            continue;
        FHostname = FRemoteBases[i].Hostname;
        if (IsRemoteClientRole()) {
            FActiveRemoteBase = i;
            break;
        }
    }
    UpdateActions();
}

void TDMClient::UpdateActions()
{
    const bool chosen = FActiveRemoteBase >= 0 && FActiveRemoteBase < RemoteBaseCount;
    FNoRemoteBases = 0;
    for (int i = 0; i < RemoteBaseCount; ++i) {
        QAction* a = RemoteBaseConnectActions[i];
        TRemoteBaseParameter& b = FRemoteBases[i];
        a->setVisible(false);
        b.Active = i == FActiveRemoteBase;
        if (!IsComplete(b))
            continue;
        ++FNoRemoteBases;
        a->setText(b.Hostname + QStringLiteral(" (") + b.Host + QLatin1Char(')'));
        a->setChecked(i == FActiveRemoteBase);
        a->setToolTip(QStringLiteral("Connect to: ") + b.Host);
        a->setData(i);
        a->setVisible(true);
    }
    const bool clientRole = IsRemoteClientRole();
    ClientChooseAction->setEnabled(clientRole && FNoRemoteBases > 0);
    if (!clientRole) {
        ClientConnectAction->setText(QStringLiteral("Connect to remote server"));
        ClientConnectAction->setEnabled(false);
        ClientConnectButtonAction->setText(QStringLiteral("Connect"));
        ClientConnectButtonAction->setVisible(false);
        return;
    }
    ClientConnectAction->setEnabled(chosen);
    ClientConnectButtonAction->setEnabled(chosen);
    ClientConnectButtonAction->setVisible(true);
    if (!chosen)
        return;
    FHostname = FRemoteBases[FActiveRemoteBase].Hostname;
    if (FRemoteClient->Connected()) {
        ClientConnectAction->setText(QStringLiteral("Disconnect from ") + FHostname);
        ClientConnectButtonAction->setText(QStringLiteral("Disconnect"));
        ClientConnectButtonAction->setToolTip(QStringLiteral("Disconnect from ") + FHostname);
    } else {
        ClientConnectAction->setText(QStringLiteral("Connect to ") + FHostname);
        ClientConnectButtonAction->setText(QStringLiteral("Connect"));
        ClientConnectButtonAction->setToolTip(QStringLiteral("Connect to remote server ") + FHostname);
    }
}

// --- Connection ---------------------------------------------------------------------------

void TDMClient::ConnectRemoteClient()
{
    const TRemoteBaseParameter& b = FRemoteBases[FActiveRemoteBase];
    FRemoteClient->SetHostName(b.Hostname);
    FRemoteClient->SetHost(b.Host);
    FRemoteClient->SetPort(b.Port);
    FRemoteClient->SetUsername(b.Username);
    FRemoteClient->SetPassword(b.Password);
    FRemoteClient->Connect();
}

void TDMClient::Connect()
{
    if (IsRemoteClientRole() && FActiveRemoteBase >= 0 && FActiveRemoteBase < RemoteBaseCount && !FRemoteClient->Connected())
        ConnectRemoteClient();
}

void TDMClient::Open()
{
    if (IsRemoteClientRole() && FActiveRemoteBase >= 0 && FActiveRemoteBase < RemoteBaseCount)
        ConnectRemoteClient();
}

void TDMClient::EngineOffline()
{
    if (!FRadio)
        return;
    TFTCATInterface* cat = FRadio->FTCATInterface();
    cat->PrepareRX();
    cat->SetPowerSwitch(false);
    cat->SetComState(csOffline);
}

void TDMClient::Disconnect()
{
    if (FRemoteClient->Connected())
        FRemoteClient->Disconnect();
    EngineOffline();
}

void TDMClient::Close()
{
    FRemoteClient->Disconnect();
    Fire(OnConnection, conDisconnected, QStringLiteral("disconnected"));
    EngineOffline();
    UpdateActions();
}

void TDMClient::RemoteBaseConnectActionExecute(QAction* action)
{
    Disconnect();
    SetActiveRemoteBase(action->data().toInt());
    Connect();
}

void TDMClient::Send(const QString& Command)
{
    if (IsRemoteClientRole())
        FRemoteClient->Send(Command);
}

void TDMClient::DoRemoteClientConnection(TConnection Connection, const QString& Msg)
{
    UpdateActions();
    QString text = Msg;
    if (Connection == conConnecting) {
        ClientChooseAction->setEnabled(false);
        ClientConnectAction->setText(QStringLiteral("Connecting to ") + FHostname);
        ClientConnectAction->setEnabled(false);
        ClientConnectButtonAction->setText(QStringLiteral("Connecting"));
        ClientConnectButtonAction->setToolTip(QStringLiteral("Connecting to ") + FHostname);
        ClientConnectButtonAction->setEnabled(false);
    } else if (Connection != conConnected && Connection != conDisconnected) {
        text = QStringLiteral("Connection to ") + FHostname + QStringLiteral(" failed:\r\n") + Msg;
    }
    Fire(OnConnection, Connection, text);
}

void TDMClient::DoRemoteClientLogin(bool Value)
{
    if (!FRadio)
        return;
    TFTCATInterface* cat = FRadio->FTCATInterface();
    if (Value)
        cat->ParameterRequest();
    cat->SetCAT(Value);
}

void TDMClient::DoRemoteClientRCMAverage(int32_t Value)
{
    Fire(OnRCMAverage, Value);
}

void TDMClient::DoRemoteClientRXCommand(const QString& Command)
{
    RemoteClientHandleInput(Command);
}

// --- Server lines -------------------------------------------------------------------------

void TDMClient::RemoteClientHandleInput(const QString& CommandLine)
{
    TFTCATInterface* cat = FRadio ? FRadio->FTCATInterface() : nullptr;
    QString rest = CommandLine;
    while (!rest.isEmpty()) {
        const QString payload = rest.mid(3);
        if (rest.startsWith(RemoteLine::A0)) {
            if (cat)
                cat->HandleCATCommand(payload);
            return;
        }
        if (rest.startsWith(RemoteLine::ID)) {
            if (cat) {
                cat->PrepareRX();
                cat->SetIdentification(UpToSemicolon(payload));
            }
            return;
        }
        if (rest.startsWith(RemoteLine::JT)) {
            // ADIF text may hold ";" (in a comment): the QSO runs to the line's last one.
            const qsizetype end = payload.lastIndexOf(QLatin1Char(';'));
            if (FDX)
                FDX->AddWSJTQSO(end < 0 ? payload : payload.left(end));
            return;
        }
        if (rest.startsWith(RemoteLine::SM)) {
            if (cat) {
                cat->PrepareRX();
                cat->SetShowMeter(!payload.startsWith(QLatin1Char('0')));
            }
            return;
        }
        if (rest.startsWith(RemoteLine::WC)) {
            if (FMessages)
                FMessages->ClearActionExecute();
            return;
        }
        if (rest.startsWith(RemoteLine::WK)) {
            TWinKeyerLink* keyer = FCW ? FCW->WinKey() : nullptr;
            // A named copy: a loop over remove()'s result would read a destroyed temporary.
            const QString echoed = QString(payload).remove(QLatin1Char(';'));
            if (keyer)
                for (const QChar c : echoed)
                    keyer->RemoteEcho(c);
            return;
        }
        if (rest.startsWith(RemoteLine::WS)) {
            HandleKeyerSpeed(UpToSemicolon(payload));
            return;
        }
        if (rest.startsWith(RemoteLine::DV)) {
            if (FMicroHam)
                FMicroHam->HandleCommandRcvdFromClient(payload);
            return;
        }
        const bool settings = rest.startsWith(RemoteLine::WR);
        const bool timing = rest.startsWith(RemoteLine::WT);
        const bool rtty = RemoteLine::IsRTTYCommand(rest);
        if (!settings && !timing && !rtty)
            return;
        // These end at their ";" and the line goes on after it.
        const qsizetype end = payload.indexOf(QLatin1Char(';'));
        if (end < 0)
            return;
        const QString fields = payload.left(end);
        const bool ok = settings ? HandleKeyerSettings(fields) : timing ? HandleKeyerTiming(fields) : HandleRTTY(rest[1], fields);
        if (!ok)
            return;
        rest = payload.mid(end + 1);
    }
}

bool TDMClient::HandleKeyerSettings(const QString& fields)
{
    const QStringList f = fields.split(QLatin1Char('|'));
    if (f.size() < 6)
        return false;
    // Status and sync count by their first digit, but like every field must be numbers.
    const auto status = Digit(f[0], '2');
    const auto sync = Digit(f[1], '9');
    const auto minWPM = Byte(f[2]), maxWPM = Byte(f[3]), speed = Byte(f[4]), pot = Byte(f[5]);
    if (!status || !sync || !Byte(f[0]) || !Byte(f[1]) || !minWPM || !maxWPM || !speed || !pot)
        return false;
    TWinKeyerLink* keyer = FCW ? FCW->WinKey() : nullptr;
    TCWSidetoneLink* sidetone = FCW ? FCW->CWSidetone() : nullptr;
    if (keyer) {
        keyer->SetRemoteStatus(TWKStatus(*status));
        keyer->PrepareRX();
        keyer->SetSynchronizeSpeed(*sync);
        keyer->SetMinWPM(*minWPM);
        keyer->SetMaxWPM(*maxWPM);
        keyer->PrepareRX();
        keyer->SetSpeed(*speed);
    }
    if (sidetone)
        sidetone->SetSpeed(keyer ? keyer->Speed() : *speed);
    if (keyer)
        keyer->SetSpeedPot(*pot);
    return true;
}

bool TDMClient::HandleKeyerSpeed(const QString& fields)
{
    // min|speed|max, or min|speed|max|pot[|active]
    const QStringList f = fields.split(QLatin1Char('|'));
    if (f.size() < 3)
        return false;
    const auto minWPM = Byte(f[0]), speed = Byte(f[1]), maxWPM = Byte(f[2]);
    const std::optional<uint8_t> pot = f.size() >= 4 ? Byte(f[3]) : std::optional<uint8_t>(0);
    if (!minWPM || !speed || !maxWPM || !pot)
        return false;
    TWinKeyerLink* keyer = FCW ? FCW->WinKey() : nullptr;
    TCWSidetoneLink* sidetone = FCW ? FCW->CWSidetone() : nullptr;
    if (keyer) {
        keyer->SetMinWPM(*minWPM);
        keyer->SetMaxWPM(*maxWPM);
        if (*pot != 0)
            keyer->SetSpeedPot(*pot);
        keyer->PrepareRX();
        keyer->SetSpeed(*speed);
    }
    if (sidetone)
        sidetone->SetSpeed(keyer ? keyer->Speed() : *speed);
    return true;
}

bool TDMClient::HandleKeyerTiming(const QString& fields)
{
    const QStringList f = fields.split(QLatin1Char('|'));
    if (f.size() < 2)
        return false;
    const auto speed = Byte(f[0]), pot = Byte(f[1]);
    if (!speed || !pot)
        return false;
    TWinKeyerLink* keyer = FCW ? FCW->WinKey() : nullptr;
    TCWSidetoneLink* sidetone = FCW ? FCW->CWSidetone() : nullptr;
    if (keyer) {
        keyer->PrepareRX();
        keyer->SetSpeed(*speed);
    }
    if (sidetone)
        sidetone->SetSpeed(keyer ? keyer->Speed() : *speed);
    if (keyer) {
        keyer->PrepareRX();
        keyer->SetSpeedPot(*pot);
    }
    return true;
}

bool TDMClient::HandleRTTY(QChar letter, const QString& payload)
{
    // Numbers are read before anything is set, so a bad one leaves the module untouched.
    std::optional<int32_t> number;
    switch (letter.unicode()) {
    case 'L':
    case 'R':
    case 'W':
        number = RemoteLine::Number(payload);
        if (!number)
            return false;
        break;
    case 'M':
        if (payload.isEmpty())
            break;
        number = RemoteLine::Number(payload);
        if (!number || *number > 255)
            return false;
        break;
    default: break;
    }
    if (!FRTTY)
        return true;
    const bool on = payload == QLatin1String("1");
    FRTTY->PrepareRX();
    switch (letter.unicode()) {
    case 'B': FRTTY->SetBandPassFilter(on); break;
    case 'L': FRTTY->SetSignalLevel(*number); break;
    case 'M':
        if (number)
            FRTTY->RXText(QString(QChar(char16_t(*number))));
        break;
    case 'P': FRTTY->SetPTT(on); break;
    case 'Q': FRTTY->SetSquelch(on); break;
    case 'R': FRTTY->SetSquelchLevel(*number); break;
    case 'S': FRTTY->SetConnected(on); break;
    case 'W': FRTTY->SwitchInformation(*number); break;
    default: break;
    }
    return true;
}
