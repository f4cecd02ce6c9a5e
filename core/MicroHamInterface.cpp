#include "core/MicroHamInterface.h"

#include "core/DMApplication.h"
#include "core/DataFiles.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <QStandardPaths>
#include <algorithm>
#include <optional>

namespace {

const QString SectionDVK = QStringLiteral("Client\\DVK");
const QString KeyRegistryFile = QStringLiteral("RouterNamesFile");
const QStringList BanksKey = {QStringLiteral("Software"), QStringLiteral("microHAM"), QStringLiteral("urouter"),
                              QStringLiteral("voiceMsgs"), QStringLiteral("banks")};

// One section of the router names file: its key path and its values (names as written).
struct TRegistrySection {
    QStringList Path;
    QList<QPair<QString, QString>> Values;
};

// Reads the file as the registry key it stands for: "[A\B\C]" sections of "name=value"
// lines.  A value is taken as written (a comma in a message name is part of it); one pair of
// enclosing double quotes is removed.  Nothing when the file cannot be read.
std::optional<QList<TRegistrySection>> ReadRegistryFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> bytes = ReadTextFileAsUtf8(fileName);
    if (!bytes)
        return std::nullopt;
    QList<TRegistrySection> sections;
    const QStringList lines = QString::fromUtf8(*bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            QString path = line.mid(1, line.size() - 2);
            path.replace(QLatin1Char('/'), QLatin1Char('\\'));
            sections.append({path.split(QLatin1Char('\\'), Qt::SkipEmptyParts), {}});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || sections.isEmpty())
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        sections.last().Values.append({line.left(eq).trimmed(), value});
    }
    return sections;
}

// Whether `path` begins with `key`, names compared without regard to case as the registry
// does.
bool StartsWith(const QStringList& path, const QStringList& key)
{
    if (path.size() < key.size())
        return false;
    for (qsizetype i = 0; i < key.size(); ++i)
        if (path[i].compare(key[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

bool IsMessageDigit(QChar c)
{
    return c >= QLatin1Char('1') && c <= QLatin1Char('9');
}

} // namespace

TMicroHamInterface::TMicroHamInterface(QObject* owner)
    : QObject(owner)
    , FRegistryFileName(DefaultRegistryFileName())
{
    for (int i = 0; i < 9; ++i)
        FMessageNames[i] = QStringLiteral("Message %1").arg(i + 1);
    FCOMPortTimer = new vx::Timer(ReopenIntervalMs, false, this);
    FCOMPortTimer->OnTimer = [this] { DoCOMPortTimer(); };
}

TMicroHamInterface::~TMicroHamInterface()
{
    FCOMPortTimer->stop();
    SetCOMPort(nullptr);
}

QString TMicroHamInterface::DefaultRegistryFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/microHAM/urouter.ini");
}

void TMicroHamInterface::IniRead()
{
    if (DMApplication)
        FRegistryFileName = DMApplication->IniRegistry()->ReadString(SectionDVK, KeyRegistryFile, FRegistryFileName);
}

void TMicroHamInterface::IniWrite()
{
    if (DMApplication)
        DMApplication->IniRegistry()->WriteString(SectionDVK, KeyRegistryFile, FRegistryFileName);
}

void TMicroHamInterface::SetCOMPort(vx::SerialPort* value)
{
    if (value == FCOMPort)
        return;
    if (FCOMPort)
        FCOMPort->OnRxChar = nullptr;
    FCOMPort = value; // a port that is destroyed clears the reference
    if (FCOMPort)
        FCOMPort->OnRxChar = [this](int count) { DoRxChar(count); };
}

bool TMicroHamInterface::PortOpen() const
{
    return FCOMPort && !FCOMPort->port().isEmpty() && FCOMPort->connected();
}

// --- Properties ---------------------------------------------------------------------------

void TMicroHamInterface::SetActive(bool value)
{
    if (value == FActive)
        return;
    FActive = value;
    Fire(OnActive, value);
}

void TMicroHamInterface::SetConnectionStatus(bool value)
{
    FConnectionStatus = value;
    Fire(OnConnectionStatus, value);
}

QString TMicroHamInterface::MessageName(int index) const
{
    return index >= 1 && index <= 9 ? FMessageNames[index - 1] : QString();
}

void TMicroHamInterface::SetMessageName(int index, const QString& name)
{
    if (index < 1 || index > 9)
        return;
    FMessageNames[index - 1] = name;
    Fire(OnMessageName, index, name);
}

void TMicroHamInterface::SetMessageBank(const QString& value)
{
    if (value == FMessageBank)
        return;
    FMessageBank = value;
    Fire(OnActiveMessageBankName, value);
}

void TMicroHamInterface::SetMessagePlaying(bool value)
{
    if (value == FMessagePlaying)
        return;
    FMessagePlaying = value;
    Fire(OnMessagePlaying, value);
}

// --- Port ---------------------------------------------------------------------------------

bool TMicroHamInterface::Open()
{
    if (IsClient() || !FCOMPort || FCOMPort->port().isEmpty())
        return false;
    if (FCOMPort->connected()) {
        FCOMPortTimer->stop();
        return false;
    }
    FCOMPort->setBaudRate(19200);
    FCOMPort->setDataBits(8);
    FCOMPort->setStopBits(vx::SerialPort::StopBits::One);
    FCOMPort->setParity(vx::SerialPort::Parity::None);
    FCOMPort->OnRxChar = [this](int count) { DoRxChar(count); };
    if (!FCOMPort->open()) {
        FCOMPortTimer->start();
        return false;
    }
    FRXBuffer.Clear();
    SetActive(true);
    for (const char* command : {"V", "C", "I1", "MB"})
        WritePort(QLatin1String(command));
    ReadMessageBanks();
    return true;
}

void TMicroHamInterface::DoCOMPortTimer()
{
    if (FCOMPort && FCOMPort->connected()) {
        FCOMPortTimer->stop();
        return;
    }
    Open();
}

void TMicroHamInterface::Close()
{
    // A pending reopen would bring the port back after the owner closed it.
    FCOMPortTimer->stop();
    if (IsClient() || !FCOMPort || FCOMPort->port().isEmpty())
        return;
    FCOMPort->close();
    SetActive(false);
}

void TMicroHamInterface::WritePort(const QString& Command)
{
    FCOMPort->writeStr(Command + QLatin1Char('\r')); // a failed write is dropped
}

void TMicroHamInterface::SendCommand(const QString& Command)
{
    if (Command.isEmpty())
        return;
    if (IsClient()) {
        Fire(OnSendCommandToServer, QStringLiteral("DV:") + Command + QLatin1Char(';'));
        return;
    }
    if (PortOpen())
        WritePort(Command);
}

void TMicroHamInterface::PlayMessage(int n)
{
    if (n >= 1 && n <= 9)
        SendCommand(QStringLiteral("MP%1").arg(n));
}

void TMicroHamInterface::AbortMessage()
{
    SendCommand(QStringLiteral("MA"));
}

void TMicroHamInterface::StartMessageRecording(int n)
{
    if (!IsClient() && n >= 1 && n <= 9 && PortOpen())
        WritePort(QStringLiteral("MR%1").arg(n));
}

void TMicroHamInterface::StopMessageRecording()
{
    if (!IsClient() && PortOpen())
        WritePort(QStringLiteral("MRS"));
}

void TMicroHamInterface::SetMessageBank(int index)
{
    if (!IsClient() && index >= 0 && index < FMessageBanks.size() && PortOpen())
        WritePort(QStringLiteral("MB") + FMessageBanks[index]);
}

void TMicroHamInterface::DoRxChar(int Count)
{
    if (!FCOMPort || !FCOMPort->connected())
        return;
    FRXBuffer.Add(FCOMPort->readStr(Count), [this](const QString& line) {
        // A line feed after the carriage return would otherwise lead the next answer.
        FCommandReceivedFromClient = false;
        ParseReceivedCommand(line.trimmed());
    });
}

void TMicroHamInterface::HandleCommandRcvdFromClient(const QString& Text)
{
    // Relayed text is parsed by itself and never mixed into the serial buffer.
    const QStringList pieces = Text.trimmed().split(QLatin1Char(';'));
    for (const QString& piece : pieces) {
        FCommandReceivedFromClient = true;
        ParseReceivedCommand(piece);
    }
    FCommandReceivedFromClient = false;
}

QString TMicroHamInterface::GetMessageBankInfosForClient() const
{
    if (!FActive)
        return QStringLiteral("ZA0;");
    QString text = QStringLiteral("ZA1;");
    for (const QString& bank : FMessageBanks)
        text += QStringLiteral("ZB") + bank + QLatin1Char(';');
    for (int n = 1; n <= 9; ++n)
        text += QStringLiteral("ZC%1").arg(n) + FMessageNames[n - 1] + QLatin1Char(';');
    text += FConnectionStatus ? QStringLiteral("ZD1;") : QStringLiteral("ZD0;");
    return text;
}

// --- Parsing ------------------------------------------------------------------------------

void TMicroHamInterface::ParseReceivedCommand(const QString& Command)
{
    if (Command.isEmpty())
        return;
    const bool fromLink = FCommandReceivedFromClient;
    // A request from the link is carried out only by the server; in the client the server's
    // relayed reports only update the state, so nothing goes back to the server and on to the
    // router again.
    const bool request = fromLink && !IsClient();

    if (IsServer() && !fromLink) {
        const bool playReport = Command.startsWith(QLatin1String("MP")) || (Command.size() >= 3 && IsMessageDigit(Command[2]));
        if (!playReport)
            Fire(OnSendCommandToClients, QStringLiteral("DV:") + Command + QLatin1Char(';'));
    }

    auto starts = [&Command](const char* code) { return Command.startsWith(QLatin1String(code)); };
    if (starts("C0")) {
        SetConnectionStatus(false);
    } else if (starts("C1")) {
        SetConnectionStatus(true);
    } else if (starts("MA")) {
        // The router's own "MA" is its answer to an abort: writing it back would start a loop.
        if (request)
            AbortMessage();
    } else if (starts("MB")) {
        const QString name = Command.mid(2);
        if (!name.isEmpty()) {
            SetMessageBank(name);
            ReadMessageBanks();
            ReadMessageNames();
        }
    } else if (starts("MPS")) {
        SetMessagePlaying(false);
    } else if (starts("MP")) {
        if (request && Command.size() >= 3 && IsMessageDigit(Command[2]))
            PlayMessage(Command[2].unicode() - '0');
        SetMessagePlaying(true);
    } else if (starts("VF")) {
        FDeviceFirmwareVersion = Command.mid(2);
    } else if (starts("VR")) {
        FRouterVersion = Command.mid(2);
    } else if (starts("VS")) {
        FDeviceSerialNumber = Command.mid(2);
    } else if (starts("ZA")) {
        SetActive(Command.mid(2, 1) == QLatin1String("1"));
    } else if (starts("ZB")) {
        const QString name = Command.mid(2);
        if (!name.isEmpty())
            SetMessageBank(name);
    } else if (starts("ZC")) {
        if (Command.size() >= 3 && IsMessageDigit(Command[2]))
            SetMessageName(Command[2].unicode() - '0', Command.mid(3));
    } else if (starts("ZD0")) {
        SetConnectionStatus(false);
    } else if (starts("ZD1")) {
        SetConnectionStatus(true);
    }
}

// --- Bank and message names ---------------------------------------------------------------

void TMicroHamInterface::ReadMessageBanks()
{
    if (IsClient())
        return;
    if (const auto file = ReadRegistryFile(FRegistryFileName)) {
        bool keyExists = false;
        QStringList banks;
        for (const TRegistrySection& section : *file) {
            if (!StartsWith(section.Path, BanksKey))
                continue;
            keyExists = true;
            if (section.Path.size() > BanksKey.size()) {
                const QString bank = section.Path[BanksKey.size()];
                if (!std::any_of(banks.cbegin(), banks.cend(),
                                 [&](const QString& b) { return b.compare(bank, Qt::CaseInsensitive) == 0; }))
                    banks << bank;
            }
        }
        // The registry lists sub-keys in alphabetical order.
        std::sort(banks.begin(), banks.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        if (keyExists)
            FMessageBanks = banks;
    }
    if (IsServer())
        for (const QString& bank : std::as_const(FMessageBanks))
            Fire(OnSendCommandToClients, QStringLiteral("DV:") + bank + QLatin1Char(';'));
}

void TMicroHamInterface::ReadMessageNames()
{
    if (IsClient())
        return;
    const auto file = ReadRegistryFile(FRegistryFileName);
    if (!file)
        return;
    const QStringList key = BanksKey + QStringList{FMessageBank};
    for (const TRegistrySection& section : *file) {
        if (section.Path.size() != key.size() || !StartsWith(section.Path, key))
            continue;
        for (int i = 0; i < 9; ++i) {
            const QString name = QStringLiteral("msgName%1").arg(i);
            for (const auto& [ident, value] : section.Values)
                if (ident.compare(name, Qt::CaseInsensitive) == 0)
                    SetMessageName(i + 1, value);
        }
    }
}
