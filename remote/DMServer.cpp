#include "remote/DMServer.h"
#include "platform/SaveFile.h"

#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/KeyingLinks.h"
#include "core/MicroHamInterface.h"
#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "remote/RemoteLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

TDMServer* DMServer = nullptr;

namespace {

const QString SectionApplication = QStringLiteral("Server\\Application");
const QString SectionRemoteServer = QStringLiteral("Server\\RemoteServer");
const QString SectionWSJT = QStringLiteral("Server\\WSJT-X");
const QString SectionUsers = QStringLiteral("Server\\Users");
constexpr int MaxUsers = 100;

QDateTime Now()
{
    return vx::Clock::nowUtc().toLocalTime();
}

// A program path as one quoted argument of a desktop entry's Exec key.
QString DesktopExecArgument(const QString& path)
{
    QString arg;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            arg += QLatin1Char('\\');
        arg += c;
    }
    arg = QLatin1Char('"') + arg + QLatin1Char('"');
    // The key's own escapes: a backslash is written twice, a percent sign twice.
    arg.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    arg.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return arg;
}

} // namespace

// One open connection: its record, socket, line reader and time-outs.
class TServerConnection : public QObject {
public:
    explicit TServerConnection(QObject* parent)
        : QObject(parent)
        , LoginTimer(new vx::Timer(TDMServer::LoginTimeoutMs, false, this))
        , RefusalTimer(new vx::Timer(TDMServer::RefusalDelayMs, false, this))
    {
        LoginTimer->setSingleShot(true);
        RefusalTimer->setSingleShot(true);
    }

    TSimpleClient Record;
    QTcpSocket* Socket = nullptr;
    RemoteLine::Reader Reader;
    vx::Timer* LoginTimer;   // closes a connection that has not logged in
    vx::Timer* RefusalTimer; // the pause before a refused password is answered
    bool Paused = false;     // no line is carried out during the pause
    bool Closing = false;    // the server closes the connection: nothing more is carried out or sent
    bool Ended = false;
};

TDMServer::TDMServer(QObject* parent)
    : QObject(parent)
    , FRemoteServer(new QTcpServer(this))
{
    DMServer = this;
    connect(FRemoteServer, &QTcpServer::newConnection, this, &TDMServer::DoNewConnection);
}

TDMServer::~TDMServer()
{
    // Nothing is reported from a module that is going away.
    for (TServerConnection* c : std::as_const(FClients)) {
        c->Socket->disconnect(this);
        c->Socket->abort();
    }
    FClients.clear();
    if (DMServer == this)
        DMServer = nullptr;
}

// --- Settings -----------------------------------------------------------------------------

void TDMServer::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    FLogFile = ini.ReadBool(SectionApplication, QStringLiteral("LogFile"), FLogFile);
    FSystemTray = ini.ReadBool(SectionApplication, QStringLiteral("SystemTray"), FSystemTray);
    FStartMinimized = ini.ReadBool(SectionApplication, QStringLiteral("StartMinimized"), FStartMinimized);
    FAutoRunRegistry = ini.ReadBool(SectionApplication, QStringLiteral("AutoRunRegistry"), FAutoRunRegistry);
    FShutdownRadio = ini.ReadBool(SectionApplication, QStringLiteral("ShutdownRadio"), FShutdownRadio);
    FHostname = ini.ReadString(SectionRemoteServer, QStringLiteral("Hostname"), FHostname);
    FPort = ini.ReadInteger(SectionRemoteServer, QStringLiteral("Port"), FPort);
    FPassword = ini.ReadString(SectionRemoteServer, QStringLiteral("Pwd"), FPassword);
    FWSJTEnabled = ini.ReadBool(SectionWSJT, QStringLiteral("Enabled"), FWSJTEnabled);
    FWSJTPort = ini.ReadInteger(SectionWSJT, QStringLiteral("Port"), FWSJTPort);
    FWSJTLogBand = ini.ReadBool(SectionWSJT, QStringLiteral("LogBand"), FWSJTLogBand);
    FWSJTLogFreq = ini.ReadBool(SectionWSJT, QStringLiteral("LogFreq"), FWSJTLogFreq);

    // The list ends at the first missing number.
    FUsers.clear();
    for (int n = 0; n <= MaxUsers; ++n) {
        const QString key = QStringLiteral("User%1").arg(n);
        if (!ini.ValueExists(SectionUsers, key))
            break;
        const QString user = ini.ReadString(SectionUsers, key, QString());
        if (!user.isEmpty())
            FUsers << user;
    }
}

void TDMServer::IniWrite()
{
    if (DMApplication) {
        TIniStore& ini = *DMApplication->IniRegistry();
        ini.WriteBool(SectionApplication, QStringLiteral("LogFile"), FLogFile);
        ini.WriteBool(SectionApplication, QStringLiteral("SystemTray"), FSystemTray);
        ini.WriteBool(SectionApplication, QStringLiteral("StartMinimized"), FStartMinimized);
        ini.WriteBool(SectionApplication, QStringLiteral("AutoRunRegistry"), FAutoRunRegistry);
        ini.WriteBool(SectionApplication, QStringLiteral("ShutdownRadio"), FShutdownRadio);
        ini.WriteString(SectionRemoteServer, QStringLiteral("Hostname"), FHostname);
        ini.WriteInteger(SectionRemoteServer, QStringLiteral("Port"), FPort);
        ini.WriteString(SectionRemoteServer, QStringLiteral("Pwd"), FPassword);
        ini.WriteBool(SectionWSJT, QStringLiteral("Enabled"), FWSJTEnabled);
        ini.WriteInteger(SectionWSJT, QStringLiteral("Port"), FWSJTPort);
        ini.WriteBool(SectionWSJT, QStringLiteral("LogBand"), FWSJTLogBand);
        ini.WriteBool(SectionWSJT, QStringLiteral("LogFreq"), FWSJTLogFreq);
        ini.EraseSection(SectionUsers);
        for (int n = 0; n < FUsers.size(); ++n)
            ini.WriteString(SectionUsers, QStringLiteral("User%1").arg(n), FUsers[n]);
    }
    UpdateAutoRun();
}

QString TDMServer::AutoRunFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
         + QStringLiteral("/autostart/VornixServer.desktop");
}

void TDMServer::UpdateAutoRun()
{
    const QString fileName = AutoRunFileName();
    if (!FAutoRunRegistry) {
        if (QFileInfo::exists(fileName) && !QFile::remove(fileName))
            qWarning("Autostart entry %s cannot be removed", qPrintable(fileName));
        return;
    }
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=VornixServer\n"
                                        "Exec=%1\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(DesktopExecArgument(QCoreApplication::applicationFilePath()));
    if (const QString error = vx::SaveFileAtomically(fileName, text.toUtf8()); !error.isEmpty())
        qWarning("Autostart entry %s cannot be written: %s", qPrintable(fileName), qPrintable(error));
}

// --- Listening ----------------------------------------------------------------------------

void TDMServer::Open()
{
    const TApplicationType role = FDM ? FDM->ApplicationType() : isLocal;
    if (role != isLocalAndRemoteServer && role != isRemoteServer)
        return;
    // A port past 16 bits would be a different port once cut down to one.
    if (FHostname.isEmpty() || FPort <= 0 || FPort > 65535)
        return;
    if (FRemoteServer->isListening())
        FRemoteServer->close();
    if (!FRemoteServer->listen(QHostAddress::AnyIPv4, quint16(FPort)))
        qWarning("Remote control server cannot listen on port %d: %s", FPort, qPrintable(FRemoteServer->errorString()));
}

void TDMServer::Close()
{
    ShutdownClients();
    if (FRemoteServer->isListening())
        FRemoteServer->close();
}

bool TDMServer::Active() const
{
    return FRemoteServer->isListening();
}

void TDMServer::ServerBroadcastMessage(const QString& Msg)
{
    if (!Active())
        return;
    // A copy: a failed write may end a connection and change the list.
    const QList<TServerConnection*> clients = FClients;
    for (TServerConnection* c : clients)
        if (c->Record.LoginOK)
            Write(c, Msg);
}

void TDMServer::ShutdownClients()
{
    const QString notice = RemoteLine::ShuttingDown(FHostname);
    const QList<TServerConnection*> clients = FClients;
    for (TServerConnection* c : clients)
        if (c->Record.LoginOK)
            Write(c, notice);
    for (TServerConnection* c : clients)
        CloseConnection(c);
    UpdateClientList();
}

void TDMServer::UpdateClientList()
{
    QString status;
    QStringList list;
    for (const TServerConnection* c : std::as_const(FClients)) {
        const QString call = c->Record.LoginOK ? c->Record.Callsign : QString();
        status += QLatin1Char(' ') + call;
        list << c->Record.Connected.toString(QStringLiteral("yyyy-MM-dd hh:mm")) + QLatin1Char(' ') + call;
    }
    if (!FClients.isEmpty())
        status = QStringLiteral(" Connected to") + status;
    const QString listText = list.join(QLatin1Char('\r'));
    Fire(OnClientList, true, QString(), Active(), listText);
    Fire(ClientStatusEvent, true, QString(), Active(), status);
    Fire(OnUserList, !FClients.isEmpty(), status);
}

bool TDMServer::CheckUser(const QString& Name) const
{
    // The settings keep one spelling of each name, whatever case it was typed in.
    return FUsers.contains(Name, Qt::CaseInsensitive);
}

QList<const TSimpleClient*> TDMServer::Clients() const
{
    QList<const TSimpleClient*> records;
    for (const TServerConnection* c : FClients)
        records << &c->Record;
    return records;
}

// --- Connections --------------------------------------------------------------------------

void TDMServer::DoNewConnection()
{
    while (QTcpSocket* socket = FRemoteServer->nextPendingConnection())
        Accept(socket);
}

void TDMServer::Accept(QTcpSocket* socket)
{
    auto* c = new TServerConnection(this);
    c->Socket = socket;
    socket->setParent(c);
    Write(c, RemoteLine::Welcome(FHostname));
    Write(c, RemoteLine::YourCallsign);

    const QDateTime now = Now();
    c->Record.Connected = now;
    c->Record.LastAction = now;
    c->Record.ListLink = int32_t(FClients.size());
    FClients << c;

    c->LoginTimer->OnTimer = [this, c] {
        if (!c->Record.LoginOK)
            CloseConnection(c);
    };
    c->RefusalTimer->OnTimer = [this, c] {
        c->Paused = false;
        Write(c, RemoteLine::YourPassword);
        ProcessLines(c);
    };
    c->LoginTimer->start();
    connect(socket, &QTcpSocket::readyRead, this, [this, c] { ReadLines(c); });
    connect(socket, &QTcpSocket::disconnected, this, [this, c] { EndConnection(c); });

    Fire(RemoteMessageEvent, QStringLiteral("Connect Request"));
    Fire(RemoteServerEvent, Active(), QString());
    Fire(OnRemoteConnect, QStringLiteral("Connect Request"), QString(), QString());

    // A client that came and went before it was taken.
    if (socket->state() != QAbstractSocket::ConnectedState)
        EndConnection(c);
    else if (socket->bytesAvailable() > 0)
        ReadLines(c);
}

void TDMServer::ReadLines(TServerConnection* c)
{
    if (c->Closing)
        return;
    c->Reader.Append(c->Socket->readAll());
    ProcessLines(c);
}

void TDMServer::ProcessLines(TServerConnection* c)
{
    QString line;
    while (!c->Paused && !c->Closing) {
        const RemoteLine::Reader::Result r = c->Reader.Next(line);
        if (r == RemoteLine::Reader::Result::None)
            break;
        if (r == RemoteLine::Reader::Result::TooLong) {
            qWarning("Remote control server: a line longer than %d bytes from %s; connection closed", RemoteLine::MaxLength,
                     qPrintable(c->Socket->peerAddress().toString()));
            CloseConnection(c);
            break;
        }
        HandleLine(c, line);
    }
}

void TDMServer::HandleLine(TServerConnection* c, const QString& line)
{
    TSimpleClient& rec = c->Record;
    rec.LastAction = Now();
    if (!rec.LoginOK) {
        ++rec.LoginSequence;
        if (rec.LoginSequence > MaxLoginLines) {
            Write(c, RemoteLine::WrongLogin);
            CloseConnection(c);
            return;
        }
        // Before login nothing but the dialogue is carried out.
        if (line.startsWith(RemoteLine::MG))
            HandleDialogue(c, line);
        return;
    }

    const QString payload = line.mid(3);
    auto withoutSemicolon = [&payload] { return payload.endsWith(QLatin1Char(';')) ? payload.chopped(1) : payload; };
    if (line.startsWith(RemoteLine::A0)) {
        if (!FRadio)
            return;
        vx::SerialPort* port = FRadio->RadioComPort();
        // One write under the lock the CAT command writer takes too, so commands of clients
        // and of this program meet only at command boundaries.
        QMutexLocker lock(&FRadio->RadioComPortLock());
        if (port->connected())
            port->writeStr(payload);
    } else if (line.startsWith(RemoteLine::SM)) {
        if (FRadio)
            FRadio->FTCATInterface()->SetShowMeter(!payload.startsWith(QLatin1Char('0')));
    } else if (line.startsWith(RemoteLine::WC)) {
        if (FMessages)
            FMessages->ClearActionExecute();
    } else if (line.startsWith(RemoteLine::WK)) {
        if (FCW)
            FCW->CWSendText(withoutSemicolon());
    } else if (line.startsWith(RemoteLine::WS)) {
        HandleKeyerSpeed(payload, 1); // min|speed|max|pot|active
    } else if (line.startsWith(RemoteLine::WT)) {
        HandleKeyerSpeed(payload, 0); // speed|pot
    } else if (line.startsWith(RemoteLine::DV)) {
        if (FMicroHam)
            FMicroHam->HandleCommandRcvdFromClient(payload);
    } else if (line.startsWith(RemoteLine::MG)) {
        HandleDialogue(c, line);
    } else if (line.startsWith(RemoteLine::PI)) {
        Write(c, line);
    } else if (RemoteLine::IsRTTYCommand(line)) {
        HandleRTTY(line);
    }
}

void TDMServer::HandleKeyerSpeed(const QString& payload, int index)
{
    // The fields run to the first ";".  A line with a field that is not a number of 0..255
    // is dropped whole; the connection stays.
    const qsizetype end = payload.indexOf(QLatin1Char(';'));
    const QStringList fields = (end < 0 ? payload : payload.left(end)).split(QLatin1Char('|'));
    if (fields.size() <= index || !FCW)
        return;
    for (const QString& field : fields) {
        const std::optional<int32_t> v = RemoteLine::Number(field);
        if (!v || *v > 255)
            return;
    }
    const uint8_t speed = uint8_t(*RemoteLine::Number(fields[index]));
    TWinKeyerLink* keyer = FCW->WinKey();
    if (keyer) {
        keyer->PrepareTX();
        keyer->SetSpeed(speed);
    }
    // The sidetone keys at the speed the keyer took (within its range).
    if (TCWSidetoneLink* sidetone = FCW->CWSidetone())
        sidetone->SetSpeed(keyer ? keyer->Speed() : speed);
}

void TDMServer::HandleRTTY(const QString& line)
{
    if (!FRTTY)
        return;
    QString payload = line.mid(3);
    if (payload.endsWith(QLatin1Char(';')))
        payload.chop(1);
    switch (line[1].unicode()) {
    case 'A': FRTTY->PrepareTX(); FRTTY->Open(); break;
    case 'B': FRTTY->PrepareTX(); FRTTY->SetBandPassFilter(payload == QLatin1String("1")); break;
    case 'C': FRTTY->PrepareTX(); FRTTY->Clear(); break;
    case 'M': FRTTY->PrepareTX(); FRTTY->SendMessage(payload); break;
    case 'Q': FRTTY->PrepareTX(); FRTTY->SetSquelch(payload == QLatin1String("1")); break;
    case 'R':
        if (const std::optional<int32_t> level = RemoteLine::Number(payload)) {
            FRTTY->PrepareTX();
            FRTTY->SetSquelchLevel(*level);
        }
        break;
    case 'S': FRTTY->PrepareTX(); FRTTY->Send(payload); break;
    case 'X': FRTTY->PrepareTX(); FRTTY->TX(); break;
    case 'Z': FRTTY->PrepareTX(); FRTTY->Close(); break;
    default: break;
    }
}

void TDMServer::HandleDialogue(TServerConnection* c, const QString& line)
{
    QString text = line.mid(3);
    if (text.endsWith(QLatin1Char(';')))
        text.chop(1);
    const bool password = text.startsWith(RemoteLine::PasswordAnswer);
    // Passwords never reach logs or status texts.
    Fire(RemoteMessageEvent, password && text.size() > RemoteLine::PasswordAnswer.size()
                                 ? RemoteLine::MG + RemoteLine::PasswordAnswer + QStringLiteral("********")
                                 : line);
    // A logged-in client has no dialogue left: it cannot take another user's name.
    if (c->Record.LoginOK)
        return;

    if (text.startsWith(RemoteLine::CallsignAnswer)) {
        const QString name = text.mid(RemoteLine::CallsignAnswer.size());
        if (name.isEmpty())
            return;
        c->Record.Callsign = name;
        // An unknown user is asked for a password that nothing can match.
        c->Record.Password = CheckUser(name) ? FPassword : QString();
        Write(c, RemoteLine::YourPassword);
    } else if (password) {
        const QString given = text.mid(RemoteLine::PasswordAnswer.size());
        if (given.isEmpty())
            return;
        // An empty password refuses every login.
        if (!c->Record.Password.isEmpty() && given == c->Record.Password)
            Login(c);
        else
            Refuse(c);
    }
}

void TDMServer::Refuse(TServerConnection* c)
{
    c->Paused = true;
    c->RefusalTimer->start();
}

void TDMServer::Login(TServerConnection* c)
{
    TSimpleClient& rec = c->Record;
    rec.LoginOK = true;
    c->LoginTimer->stop();

    Write(c, RemoteLine::LoginOK);
    const TFTCATInterface* cat = FRadio ? FRadio->FTCATInterface() : nullptr;
    if (cat)
        Write(c, RemoteLine::ID + cat->Identification() + QLatin1Char(';'));
    if (const TWinKeyerLink* keyer = FCW ? FCW->WinKey() : nullptr) {
        Write(c, RemoteLine::KeyerSpeedLine(keyer->MinWPM(), keyer->Speed(), keyer->MaxWPM(), keyer->SpeedPot(),
                                            keyer->Active()));
        Write(c, RemoteLine::KeyerSettingsLine(keyer->Status(), keyer->SynchronizeSpeed(), keyer->MinWPM(),
                                               keyer->MaxWPM(), keyer->Speed(), keyer->SpeedPot()));
    }
    // Without a router interface the router is not active.
    Write(c, RemoteLine::DV + (FMicroHam ? FMicroHam->GetMessageBankInfosForClient() : QStringLiteral("ZA0;")));
    UpdateClientList();
    if (FRTTY)
        Write(c, RemoteLine::RTTYStateLine(FRTTY->IsConnected(), FRTTY->BandPassFilter(), FRTTY->Squelch(),
                                           FRTTY->SquelchLevel()));
    if (cat)
        Write(c, RemoteLine::SM + QLatin1Char(cat->ShowMeter() ? '1' : '0') + QLatin1Char(';'));
    Fire(OnRemoteConnect, QStringLiteral("Connected"), rec.Callsign, QStringLiteral("Login OK"));
}

void TDMServer::Write(TServerConnection* c, const QString& line)
{
    if (c->Ended || c->Socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (line.size() > RemoteLine::MaxLength) {
        // The client would take it for an error and drop it.
        qWarning("Remote control server: a line of %lld characters not sent", qlonglong(line.size()));
        return;
    }
    c->Socket->write(RemoteLine::Encode(line)); // a failed write is ignored for this connection
}

void TDMServer::CloseConnection(TServerConnection* c)
{
    if (c->Closing)
        return;
    c->Closing = true;
    c->LoginTimer->stop();
    c->RefusalTimer->stop();
    // What was written (the last notice) leaves before the connection closes.
    c->Socket->flush();
    c->Socket->disconnectFromHost();
}

void TDMServer::EndConnection(TServerConnection* c)
{
    if (c->Ended)
        return;
    c->Ended = true;
    c->Closing = true;
    c->LoginTimer->stop();
    c->RefusalTimer->stop();
    const QString call = c->Record.Callsign;
    Fire(RemoteMessageEvent, QStringLiteral("Disconnect: ") + call);
    Fire(OnRemoteConnect, QStringLiteral("Disconnect"), call, QStringLiteral("Disconnect"));
    FClients.removeOne(c);
    UpdateClientList();
    // Not at once: the connection's own handler may be running.
    c->deleteLater();
}
