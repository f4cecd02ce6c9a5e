#include "client/ImportExportHelper.h"

#include "core/DMApplication.h"
#include "core/DataFiles.h"
#include "core/IniStore.h"
#include "core/RCUtils.h"
#include "dx/DXWantedSpots.h"
#include "platform/SaveFile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <deque>
#include <optional>
#include <variant>
#include <vector>

#include <sys/stat.h>

namespace {

using T = TSettingsValueType;

const QString RootName = QStringLiteral("Vornix");
const QString SettingsName = QStringLiteral("Settings");
const QString WantedDXCCName = QStringLiteral("WantedDXCC");
const QString WantedSpotsName = QStringLiteral("WantedSpots");
const QString ApplicationSection = QStringLiteral("Client\\Application");
const QString LastXMLExportFileName = QStringLiteral("LastXMLExportFile");
const QString WantedDXCCFile = QString::fromLatin1(TDXWantedSpots::WantedDXCCFileName);
const QString WantedSpotsFile = QString::fromLatin1(TDXWantedSpots::WantedSpotsFileName);

// ---- the tables of the settings file ----

class TSectionBuilder {
public:
    explicit TSectionBuilder(QList<TSettingsSection>& table, const QString& path)
    {
        table.append({path, {}});
        FSection = &table.last();
    }
    TSectionBuilder& Add(T type, std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            FSection->Values.append({QString::fromLatin1(n), type});
        return *this;
    }
    // prefix + first .. prefix + last
    TSectionBuilder& Numbered(T type, const char* prefix, int first, int last)
    {
        for (int i = first; i <= last; ++i)
            FSection->Values.append({QString::fromLatin1(prefix) + QString::number(i), type});
        return *this;
    }
    TSectionBuilder& SkipMissing()
    {
        FSection->SkipMissing = true;
        return *this;
    }

private:
    TSettingsSection* FSection;
};

QList<TSettingsSection> BuildClientSettings()
{
    QList<TSettingsSection> t;
    auto sec = [&t](const char* path) { return TSectionBuilder(t, QString::fromLatin1(path)); };
    sec("Client").Add(T::S, {"ClientMainForm"});
    sec("Client\\Application")
        .Add(T::I, {"ApplicationType", "CompactView", "NormalWidth"})
        .Add(T::S, {"LastSetting"})
        .Add(T::I, {"LastMenuNo"});
    sec("Client\\AudioClient").Add(T::B, {"AutoConnect", "TransmitOnMOX", "TransmitOnVOX", "UsePTT"});
    sec("Client\\AudioClient\\Input").Add(T::I, {"DeviceId", "BufferLength"});
    sec("Client\\AudioClient\\Output")
        .Add(T::I, {"DeviceId"})
        .Add(T::S, {"Codec"})
        .Add(T::I, {"BitsPerSample", "Channels", "LimitOverrun"});
    sec("Client\\Bandmap").Add(T::I, {"Lifetime", "RefreshTime"}).Add(T::S, {"BandmapVFO"});
    sec("Client\\Bandplan").Numbered(T::S, "BP", 1, 11);
    sec("Client\\Cabrillo")
        .Add(T::S, {"Contest", "Callsign", "CategoryOperator", "CategoryTransmitter", "CategoryAssisted",
                    "CategoryBand", "CategoryPower", "CategoryMode", "CategoryStation", "Club", "Filepath", "Name"});
    sec("Client\\Cabrillo\\Address").Numbered(T::S, "Address", 0, 3);
    sec("Client\\CWSidetone").Add(T::B, {"Enabled"}).Add(T::I, {"Echo", "DeviceID", "Pitch", "Volume"});
    sec("Client\\DVK").Add(T::B, {"Enabled"}).Add(T::S, {"Port"}).Add(T::B, {"PlayMessages"}).Add(T::S, {"PlayMessagesFolder"});
    sec("Client\\DXCluster").Add(T::B, {"AutoConnect"}).Add(T::I, {"ActiveCluster"});
    sec("Client\\DXCluster\\Cluster0")
        .Add(T::S, {"Host", "Name", "Password"})
        .Add(T::I, {"Port"})
        .Add(T::S, {"Username"});
    sec("Client\\DXCluster\\Buttons").Add(T::S, {"Button1", "Button2", "Button3"});
    sec("Client\\DXCluster\\ConnectCommands").Numbered(T::S, "Command", 0, 20);
    sec("Client\\DXCluster\\LastCommands").Numbered(T::S, "Command", 0, 20);
    sec("Client\\DXSpots")
        .Add(T::I, {"DXSpotsLifetime", "MaxTelnetSpots"})
        .Add(T::B, {"NewestSpotsFirst", "ShowCleanComments", "HideAwardSpots"});
    sec("Client\\DXSpots\\Bands")
        .Add(T::B, {"bAll", "b160m", "b80m", "b60m", "b40m", "b30m", "b20m", "b17m", "b15m", "b12m", "b10m", "b6m"})
        .Add(T::I, {"DXSpotsOnly"});
    sec("Client\\FlexControl")
        .Add(T::S, {"Port"})
        .Add(T::B, {"UseFlexControl"})
        .Add(T::I, {"Acceleration"})
        .Numbered(T::I, "Option", 1, 15);
    sec("Client\\General").Add(T::S, {"MyCall", "MyLocator"}).Add(T::I, {"RangeUnit"});
    sec("Client\\IPC").Add(T::B, {"IPCServer"});
    sec("Client\\Log")
        .Add(T::I, {"MaxQSOs"})
        .Add(T::S, {"LogFolder", "LogFileName"})
        .Add(T::I, {"LoggingMode"})
        .Add(T::B, {"NumbersOnlySerialRX", "NumbersOnlySerialTX", "IncrementSerialNumbers", "ContestCQZone",
                    "ContestUSState"})
        .Add(T::I, {"NextSerialNumber"})
        .Add(T::S, {"LastSerialNumber"})
        .Add(T::B, {"ShowGridLocator", "ShowUSState", "ShowQSL", "ShowQSLLoTW", "ShowQSLeQSL"})
        .Add(T::S, {"LastADIFExport", "LastLoTWExport", "LastImportFolder", "LastExportFolder", "LastLoTWExportFolder"})
        .Add(T::B, {"SearchBandAndMode"});
    sec("Client\\LoTW").Add(T::S, {"LoTWUsername", "LoTWPassword", "LoTWReportPath", "LoTWLastQSL"});
    sec("Client\\Messages\\CW").Numbered(T::S, "Caption", 1, 9).Numbered(T::S, "Message", 1, 11);
    sec("Client\\Messages\\FSK").Numbered(T::S, "Caption", 1, 9).Numbered(T::S, "Message", 1, 11);
    sec("Client\\MMTTY")
        .Add(T::S, {"MMTTYPath"})
        .Add(T::B, {"ControlButtons", "ControlMenues", "Hidden", "StayOnTop", "UseMMTTYEngine", "RunMMTTYLocal"})
        .Add(T::I, {"LevelTimerInterval"});
    for (const char* panel : {"CW", "Log", "Messages", "RCM", "Rotator", "RTTY"})
        TSectionBuilder(t, QStringLiteral("Client\\Panels\\") + QString::fromLatin1(panel))
            .Add(T::B, {"Visible"})
            .Add(T::I, {"Index", "Height", "Width"});
    sec("Client\\Playback").Add(T::B, {"Visible"}).Add(T::I, {"Left", "Top"}).Add(T::B, {"UseSidetone"});
    sec("Client\\Playback\\CW").Numbered(T::S, "Message", 1, 5);
    sec("Client\\Playback\\Phone").Numbered(T::S, "Message", 1, 5);
    sec("Client\\Presets").Add(T::S, {"CW", "SSB", "RTTY", "JT"});
    sec("Client\\QRZ").Add(T::B, {"UseQRZInterface"}).Add(T::S, {"Username", "Password"}).Add(T::B, {"ImmediateLookup"});
    sec("Client\\RadioCOMPort").Add(T::S, {"Port", "BaudRate", "StopBits"}).Add(T::B, {"RTS"});
    for (int i = 0; i <= 5; ++i)
        TSectionBuilder(t, QStringLiteral("Client\\RemoteBases\\Base%1").arg(i))
            .Add(T::S, {"Hostname", "IP"})
            .Add(T::I, {"Port"})
            .Add(T::S, {"Username", "Password"})
            .Add(T::I, {"AudioPort"})
            .Add(T::B, {"Active"});
    sec("Client\\Transceiver").Add(T::I, {"ContourGain"});
    sec("Client\\UserInterface")
        .Add(T::B, {"AutoDetect"})
        .Add(T::I, {"ClarifierRange"})
        .Add(T::B, {"DigitalMeter"})
        .Add(T::S, {"Transceiver", "TransceiverID"})
        .Add(T::B, {"ShowMeter", "RotorPushAndHold"});
    sec("Client\\WinKey")
        .Add(T::B, {"Enabled"})
        .Add(T::S, {"Port"})
        .Add(T::B, {"AutoSpace", "ContestSpacing"})
        .Add(T::I, {"DitDahRatio", "FarnsworthSpeed", "FirstExtension", "KeyerMode", "KeyingCompensation", "MaxWPM",
                    "MinWPM"})
        .Add(T::B, {"PaddleEchoBack"})
        .Add(T::I, {"PaddleSetPoint"})
        .Add(T::B, {"PaddleWatchDog"})
        .Add(T::I, {"SidetoneFrequency", "Speed", "SynchronizeSpeed"})
        .Add(T::B, {"SwapPaddles"})
        .Add(T::I, {"Weighting"});
    sec("Client\\WWV").Add(T::I, {"SFI", "A", "K"}).Add(T::S, {"Hint", "LastData"});
    return t;
}

QList<TSettingsSection> BuildServerSettings()
{
    QList<TSettingsSection> t;
    auto sec = [&t](const char* path) { return TSectionBuilder(t, QString::fromLatin1(path)); };
    sec("Server").Add(T::S, {"ServerMainForm"});
    sec("Server\\Application").Add(T::B, {"LogFile", "SystemTray", "StartMinimized", "AutoRunRegistry"});
    sec("Server\\AudioServer\\Input")
        .Add(T::I, {"DeviceId"})
        .Add(T::S, {"Codec"})
        .Add(T::I, {"BitsPerSample", "Channels", "BufferLength"})
        .Add(T::B, {"UserChosenCodec"});
    sec("Server\\AudioServer\\Output").Add(T::I, {"DeviceId"});
    sec("Server\\PTT").Add(T::S, {"Port"}).Add(T::I, {"RTSPin", "DTRPin", "Timeout"});
    sec("Server\\RemoteServer")
        .Add(T::B, {"ActivateServer"})
        .Add(T::S, {"Hostname", "Pwd"})
        .Add(T::I, {"Port", "AudioPort"});
    sec("Server\\WSJT-X").Add(T::B, {"Enabled"}).Add(T::I, {"Port"}).Add(T::B, {"LogBand", "LogFreq"});
    sec("Server\\Users").Numbered(T::S, "User", 0, 100).SkipMissing();
    return t;
}

QStringList SectionParts(const QString& path)
{
    return path.split(QLatin1Char('\\'));
}

QString ElementPath(const QStringList& parts)
{
    return RootName + u'/' + SettingsName + u'/' + parts.join(u'/');
}

// Lines of a wanted list; a missing file has none, a final line end adds no empty line.
QStringList WantedLines(const QString& fileName)
{
    QStringList lines = TDXWantedSpots::ReadFileLines(GetUserDataFileName(fileName)).value_or(QStringList());
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Writes a wanted list in the given order; empty when done, else the reason.
QString SaveWantedLines(const QString& fileName, const QStringList& lines)
{
    const QString path = GetUserDataFileName(fileName);
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString reason = vx::SaveFileAtomically(path, bytes);
    return reason.isEmpty() ? QString() : QStringLiteral("%1 could not be written: %2").arg(path, reason);
}

// ---- export ----

// Characters XML 1.0 cannot carry at all (controls other than tab, line feed and return).
bool HasForbiddenCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
    });
}

// A parser turns a written carriage return into a line feed; as a reference it stays.
void WriteText(QXmlStreamWriter& xml, const QString& text)
{
    const QStringList parts = text.split(u'\r');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        if (!parts[i].isEmpty())
            xml.writeCharacters(parts[i]);
    }
}

class TExportWriter {
public:
    TExportWriter(QXmlStreamWriter& xml, TIniStore& store)
        : FXml(xml)
        , FStore(store)
    {
    }

    // The sections of a table, nested by their paths; the tables list every section right
    // before its sub-sections, so one stack of open elements suffices.
    // The first value that cannot be written; empty when there is none.
    QString Error;

    void WriteTable(const QList<TSettingsSection>& table, const QString& exportFile)
    {
        QStringList open;
        for (const TSettingsSection& section : table) {
            const QStringList parts = SectionParts(section.Path);
            int common = 0;
            while (common < open.size() && common < parts.size() && open[common] == parts[common])
                ++common;
            while (open.size() > common) {
                FXml.writeEndElement();
                open.removeLast();
            }
            while (open.size() < parts.size()) {
                FXml.writeStartElement(parts[open.size()]);
                open << parts[open.size()];
            }
            for (const TSettingsValue& value : section.Values)
                WriteValue(section, value);
            if (section.Path == ApplicationSection)
                FXml.writeTextElement(LastXMLExportFileName, exportFile);
        }
        while (!open.isEmpty()) {
            FXml.writeEndElement();
            open.removeLast();
        }
    }

private:
    void WriteValue(const TSettingsSection& section, const TSettingsValue& value)
    {
        if (!FStore.ValueExists(section.Path, value.Name)) {
            if (!section.SkipMissing)
                FXml.writeEmptyElement(value.Name);
            return;
        }
        FXml.writeStartElement(value.Name);
        switch (value.Type) {
        case T::S: {
            const QString text = FStore.ReadString(section.Path, value.Name, QString());
            if (HasForbiddenCharacter(text) && Error.isEmpty())
                Error = QStringLiteral("%1 of %2 holds a control character that XML cannot carry")
                            .arg(value.Name, section.Path);
            WriteText(FXml, text);
            break;
        }
        case T::B:
            FXml.writeAttribute(QStringLiteral("DataType"), QStringLiteral("Bool"));
            FXml.writeCharacters(FStore.ReadBool(section.Path, value.Name, false) ? QStringLiteral("1")
                                                                                    : QStringLiteral("0"));
            break;
        case T::I:
            FXml.writeAttribute(QStringLiteral("DataType"), QStringLiteral("Integer"));
            FXml.writeCharacters(QString::number(FStore.ReadInteger(section.Path, value.Name, 0)));
            break;
        }
        FXml.writeEndElement();
    }

    QXmlStreamWriter& FXml;
    TIniStore& FStore;
};

void WriteWantedList(QXmlStreamWriter& xml, const QString& elementName, const QString& fileName)
{
    xml.writeStartElement(elementName);
    const QStringList lines = WantedLines(fileName);
    for (int i = 0; i < lines.size(); ++i) {
        xml.writeStartElement(QStringLiteral("Wanted"));
        xml.writeAttribute(QStringLiteral("ID"), QString::number(i));
        WriteText(xml, lines[i]);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

// Replaces the file whole; the settings file holds passwords, so it is the owner's only.
QString SaveOwnerOnly(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!vx::OpenForAtomicWrite(file))
        return file.errorString();
    if (::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0) {
        file.cancelWriting();
        return QStringLiteral("the file's access rights could not be set");
    }
    if (!vx::WriteAll(file, bytes) || !file.commit()) {
        const QString reason = file.errorString();
        return reason.isEmpty() ? QStringLiteral("the file could not be written whole") : reason;
    }
    return {};
}

// ---- import ----

// One element of the file: its name, the value of its first attribute, its own text.
struct TXmlElement {
    QString Name;
    std::optional<QString> FirstAttribute;
    QString Text;
    std::vector<const TXmlElement*> Children;

    const TXmlElement* Child(const QString& name) const
    {
        for (const TXmlElement* c : Children)
            if (c->Name == name)
                return c;
        return nullptr;
    }
};

// The whole document as a flat list of elements, so that nesting of any depth is neither
// parsed nor freed recursively.
struct TXmlDocument {
    std::deque<TXmlElement> Elements;
    const TXmlElement* Root = nullptr;
};

// nullopt with the parser's message when the text is not well-formed.
std::optional<TXmlDocument> ParseXml(const QByteArray& bytes, QString& error)
{
    TXmlDocument doc;
    QXmlStreamReader xml(bytes);
    std::vector<TXmlElement*> stack;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            TXmlElement& e = doc.Elements.emplace_back();
            e.Name = xml.name().toString();
            const QXmlStreamAttributes attrs = xml.attributes();
            if (!attrs.isEmpty())
                e.FirstAttribute = attrs.first().value().toString();
            if (stack.empty())
                doc.Root = &e;
            else
                stack.back()->Children.push_back(&e);
            stack.push_back(&e);
            break;
        }
        case QXmlStreamReader::EndElement:
            stack.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (!stack.empty())
                stack.back()->Text += xml.text();
            break;
        default:
            break;
        }
    }
    if (xml.hasError()) {
        error = QStringLiteral("%1 (line %2, column %3)")
                    .arg(xml.errorString())
                    .arg(xml.lineNumber())
                    .arg(xml.columnNumber());
        return std::nullopt;
    }
    if (!doc.Root) {
        error = QStringLiteral("the file holds no element");
        return std::nullopt;
    }
    return doc;
}

struct TPendingWrite {
    QString Section;
    QString Name;
    std::variant<QString, bool, int32_t> Value;
};

// Converts the elements a table names into store writes; false with a reason at the first
// value that cannot be converted.
class TImportReader {
public:
    std::vector<TPendingWrite> Writes;
    QString Error;

    bool ReadTable(const TXmlElement& settings, const QList<TSettingsSection>& table, const QString& importFile)
    {
        for (const TSettingsSection& section : table) {
            const QStringList parts = SectionParts(section.Path);
            // The first child of each name counts; a missing section skips its values.
            const TXmlElement* e = &settings;
            for (const QString& part : parts) {
                e = e->Child(part);
                if (!e)
                    break;
            }
            if (!e)
                continue;
            for (const TSettingsValue& value : section.Values) {
                const TXmlElement* v = e->Child(value.Name);
                if (v && !ReadValue(section.Path, parts, *v))
                    return false;
            }
            if (section.Path == ApplicationSection)
                Writes.push_back({section.Path, LastXMLExportFileName, importFile});
        }
        return true;
    }

private:
    bool ReadValue(const QString& section, const QStringList& parts, const TXmlElement& v)
    {
        // The first attribute's text decides the type, whatever the attribute is called.
        const QString type = v.FirstAttribute.value_or(QString());
        if (type == QLatin1String("Bool")) {
            if (v.Text == QLatin1String("1"))
                Writes.push_back({section, v.Name, true});
            else if (v.Text == QLatin1String("0"))
                Writes.push_back({section, v.Name, false});
            return true;
        }
        if (type == QLatin1String("Integer")) {
            const QString text = v.Text.trimmed();
            bool ok = true;
            const int32_t n = text.isEmpty() ? 0 : text.toInt(&ok, 10);
            if (!ok) {
                Error = QStringLiteral("\"%1\" is not a valid integer (%2)")
                            .arg(v.Text, ElementPath(parts + QStringList{v.Name}));
                return false;
            }
            Writes.push_back({section, v.Name, n});
            return true;
        }
        Writes.push_back({section, v.Name, v.Text});
        return true;
    }
};

std::optional<QStringList> WantedListOf(const TXmlElement& settings, const QString& name)
{
    const TXmlElement* list = settings.Child(name);
    if (!list)
        return std::nullopt;
    QStringList lines;
    for (const TXmlElement* c : list->Children)
        lines << c->Text;
    return lines;
}

void Apply(TIniStore& store, const TPendingWrite& w)
{
    if (const auto* s = std::get_if<QString>(&w.Value))
        store.WriteString(w.Section, w.Name, *s);
    else if (const auto* b = std::get_if<bool>(&w.Value))
        store.WriteBool(w.Section, w.Name, *b);
    else
        store.WriteInteger(w.Section, w.Name, std::get<int32_t>(w.Value));
}

// ---- the previous product's ini file ----

// The old ini file as its program read it: names without regard to case, the value as written
// after the first "=", the first of two same-named keys counting.
class TOldIniFile {
public:
    explicit TOldIniFile(const QByteArray& utf8)
    {
        QHash<QString, QString>* section = nullptr;
        for (QString line : QString::fromUtf8(utf8).split(u'\n')) {
            if (line.endsWith(u'\r'))
                line.chop(1);
            const QString trimmed = line.trimmed();
            if (trimmed.isEmpty() || trimmed.startsWith(u';'))
                continue;
            if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
                section = &FSections[trimmed.mid(1, trimmed.size() - 2).trimmed().toLower()];
                continue;
            }
            const qsizetype eq = line.indexOf(u'=');
            if (!section || eq < 0)
                continue;
            const QString key = line.left(eq).trimmed().toLower();
            if (!key.isEmpty() && !section->contains(key))
                section->insert(key, line.mid(eq + 1));
        }
    }

    std::optional<QString> Value(const QString& section, const QString& key) const
    {
        const auto s = FSections.constFind(section.toLower());
        if (s == FSections.constEnd())
            return std::nullopt;
        const auto v = s->constFind(key.toLower());
        if (v == s->constEnd())
            return std::nullopt;
        return *v;
    }

    QString ReadString(const QString& section, const QString& key, const QString& def) const
    {
        return Value(section, key).value_or(def);
    }

    int32_t ReadInteger(const QString& section, const QString& key, int32_t def) const
    {
        const auto v = Value(section, key);
        if (!v)
            return def;
        bool ok = false;
        const int32_t n = v->trimmed().toInt(&ok, 10);
        return ok ? n : def;
    }

    bool ReadBool(const QString& section, const QString& key, bool def) const
    {
        return ReadInteger(section, key, def ? 1 : 0) != 0;
    }

private:
    QHash<QString, QHash<QString, QString>> FSections;
};

// One row of the copy table: a store value, the old key it comes from and its default.
struct TCopyRow {
    QString StoreSection;
    QString StoreName;
    T Type;
    QString OldSection;
    QString OldKey;
    QString DefaultText; // S
    int32_t DefaultNumber = 0; // I, and B as 0 or 1
};

class TCopyTable {
public:
    QList<TCopyRow> Rows;

    // Rows of one store section read from one old section.
    TCopyTable& From(const char* storeSection, const char* oldSection)
    {
        FStore = QString::fromLatin1(storeSection);
        FOld = QString::fromLatin1(oldSection);
        return *this;
    }
    TCopyTable& S(const char* name, const char* def = "", const char* oldKey = nullptr)
    {
        return Row(name, T::S, oldKey, QString::fromUtf8(def), 0);
    }
    TCopyTable& I(const char* name, int32_t def = 0, const char* oldKey = nullptr)
    {
        return Row(name, T::I, oldKey, {}, def);
    }
    TCopyTable& B(const char* name, bool def = false, const char* oldKey = nullptr)
    {
        return Row(name, T::B, oldKey, {}, def ? 1 : 0);
    }
    TCopyTable& Row(const QString& name, T type, const char* oldKey, const QString& defText, int32_t defNumber)
    {
        Rows.append({FStore, name, type, FOld, oldKey ? QString::fromLatin1(oldKey) : name, defText, defNumber});
        return *this;
    }

private:
    QString FStore;
    QString FOld;
};

QList<TCopyRow> ClientCopyRows()
{
    TCopyTable t;
    t.From("Client", "MainForm").S("ClientMainForm", "", "MainForm");
    t.From("Client\\Application", "General")
        .I("ApplicationType")
        .S("LastSetting")
        .I("LastMenuNo")
        .I("CompactView", 1)
        .I("NormalWidth", 1440);
    t.From("Client\\AudioClient", "RemAudClient").B("AutoConnect").B("TransmitOnMOX").B("TransmitOnVOX").B("UsePTT");
    t.From("Client\\AudioClient\\Output", "RemAudClientOutput")
        .I("DeviceId")
        .S("Codec", "PCM8")
        .I("BitsPerSample", 8)
        .I("Channels", 1)
        .I("LimitOverrun");
    t.From("Client\\AudioClient\\Input", "RemAudClientInput").I("DeviceId").I("BufferLength", 10);
    t.From("Client\\Bandmap", "DXCluster").I("Lifetime", 60).I("RefreshTime");
    t.From("Client\\Bandmap", "General").S("BandmapVFO", "A");
    t.From("Client\\Bandplan", "DXCluster");
    for (int i = 1; i <= 11; ++i)
        t.S(qPrintable(QStringLiteral("BP%1").arg(i)));
    t.From("Client\\Cabrillo", "Cabrillo");
    for (const char* n : {"Contest", "Callsign", "CategoryOperator", "CategoryTransmitter", "CategoryAssisted",
                          "CategoryBand", "CategoryPower", "CategoryMode", "CategoryStation", "Club", "Filepath", "Name"})
        t.S(n);
    t.From("Client\\Cabrillo\\Address", "CabrilloAddress");
    for (int i = 0; i <= 3; ++i)
        t.S(qPrintable(QStringLiteral("Address%1").arg(i)));
    t.From("Client\\CWSidetone", "Sidetone")
        .B("Enabled", false, "UseSidetone")
        .I("Echo", -1)
        .I("DeviceID")
        .I("Pitch", 700)
        .I("Volume", 2);
    t.From("Client\\DVK", "General").B("Enabled", false, "DVKWindow");
    t.From("Client\\DVK", "DVK").S("Port").B("PlayMessages").S("PlayMessagesFolder");
    t.From("Client\\DXCluster", "DXCluster").B("AutoConnect");
    // Always the first cluster: the old list of clusters is not carried over.
    t.Rows.append({QStringLiteral("Client\\DXCluster"), QStringLiteral("ActiveCluster"), T::I, {}, {}, {}, 0});
    t.From("Client\\DXCluster\\Cluster0", "DXCluster").S("Host").S("Name").S("Password").I("Port", 8000).S("Username");
    t.From("Client\\DXCluster\\Buttons", "DXCluster")
        .S("Button1", "", "Command1")
        .S("Button2", "", "Command2")
        .S("Button3", "", "Command3");
    t.From("Client\\DXCluster\\ConnectCommands", "DXClusterCommandList");
    for (int i = 0; i <= 20; ++i)
        t.S(qPrintable(QStringLiteral("Command%1").arg(i)));
    t.From("Client\\DXCluster\\LastCommands", "DXClusterCommands");
    for (int i = 0; i <= 20; ++i)
        t.S(qPrintable(QStringLiteral("Command%1").arg(i)));
    t.From("Client\\DXSpots", "DXCluster")
        .I("DXSpotsLifetime", 120)
        .I("MaxTelnetSpots", 100)
        .B("NewestSpotsFirst")
        .B("ShowCleanComments")
        .B("HideAwardSpots", true);
    t.From("Client\\DXSpots\\Bands", "DXCluster").B("bAll", false, "Bands0");
    const char* bands[] = {"b160m", "b80m", "b60m", "b40m", "b30m", "b20m", "b17m", "b15m", "b12m", "b10m", "b6m"};
    for (int i = 0; i < 11; ++i) {
        const QByteArray key = QByteArray("Bands") + QByteArray::number(i + 1);
        t.B(bands[i], i != 2 /* 60 m */, key.constData());
    }
    t.I("DXSpotsOnly");
    t.From("Client\\FlexControl", "FlexControl").S("Port").B("UseFlexControl").I("Acceleration", 31);
    for (int i = 1; i <= 15; ++i)
        t.I(qPrintable(QStringLiteral("Option%1").arg(i)));
    t.From("Client\\General", "General").S("MyCall").S("MyLocator").I("RangeUnit");
    t.From("Client\\IPC", "IPCServer").B("IPCServer", false, "Enabled");
    t.From("Client\\Log", "Log")
        .S("LogFolder")
        .S("LogFileName")
        .I("LoggingMode")
        .B("NumbersOnlySerialRX")
        .B("NumbersOnlySerialTX")
        .B("IncrementSerialNumbers")
        .B("ContestCQZone")
        .B("ContestUSState")
        .I("NextSerialNumber", 1)
        .S("LastSerialNumber")
        .B("ShowGridLocator", true)
        .B("ShowUSState")
        .S("LastADIFExport")
        .S("LastLoTWExport")
        .S("LastImportFolder")
        .S("LastExportFolder")
        .S("LastLoTWExportFolder")
        .B("SearchBandAndMode", true);
    t.From("Client\\LoTW", "LoTW").S("LoTWUsername").S("LoTWPassword").S("LoTWReportPath").S("LoTWLastQSL");
    for (int i = 1; i <= 9; ++i) {
        const QByteArray msg = "Msg" + QByteArray::number(i);
        const QString caption = QStringLiteral("Caption%1").arg(i);
        t.From("Client\\Messages\\CW", "CWMessageCaption").Row(caption, T::S, msg.constData(), {}, 0);
        t.From("Client\\Messages\\FSK", "FSKMessageCaption").Row(caption, T::S, msg.constData(), {}, 0);
    }
    for (int i = 1; i <= 11; ++i) {
        const QByteArray msg = "Msg" + QByteArray::number(i);
        const QString message = QStringLiteral("Message%1").arg(i);
        t.From("Client\\Messages\\CW", "CWMessage").Row(message, T::S, msg.constData(), {}, 0);
        t.From("Client\\Messages\\FSK", "FSKMessage").Row(message, T::S, msg.constData(), {}, 0);
    }
    t.From("Client\\MMTTY", "MMTTY")
        .S("MMTTYPath")
        .B("ControlButtons")
        .B("ControlMenues")
        .B("Hidden")
        .B("StayOnTop")
        .B("UseMMTTYEngine")
        .B("RunMMTTYLocal")
        .I("LevelTimerInterval", 500, "SLInterval");
    struct Panel {
        const char* Name;
        const char* Old;
        bool Visible;
        int32_t Index, Height, Width;
    };
    for (const Panel& p : {Panel{"CW", "CWWindow", true, 1, 251, 286}, Panel{"Log", "LogWindow", true, 2, 251, 352},
                           Panel{"Messages", "DVKWindow", true, 0, 251, 122}, Panel{"RCM", "RCMWindow", false, 4, 251, 150},
                           Panel{"Rotator", "RotatorWindow", false, 5, 251, 177},
                           Panel{"RTTY", "RTTYWindow", false, 3, 251, 286}}) {
        const QByteArray section = QByteArray("Client\\Panels\\") + p.Name;
        const QByteArray old(p.Old);
        t.From(section.constData(), "General")
            .B("Visible", p.Visible, (old + "Visible").constData())
            .I("Index", p.Index, (old + "ControlIndex").constData())
            .I("Height", p.Height, (old + "Height").constData())
            .I("Width", p.Width, (old + "Width").constData());
    }
    t.From("Client\\Playback", "General")
        .B("Visible", false, "PlayBackWindowVisible")
        .I("Left", 10, "PlayBackWindowLeft")
        .I("Top", 10, "PlayBackWindowTop");
    t.From("Client\\Playback", "PlaybackMessage").B("UseSidetone");
    for (int i = 1; i <= 5; ++i) {
        const QString message = QStringLiteral("Message%1").arg(i);
        const QString def = QStringLiteral("Playback Channel %1").arg(i);
        const QByteArray cw = "CW" + QByteArray::number(i);
        const QByteArray phone = "Phone" + QByteArray::number(i);
        t.From("Client\\Playback\\CW", "PlaybackMessage").Row(message, T::S, cw.constData(), def, 0);
        t.From("Client\\Playback\\Phone", "PlaybackMessage").Row(message, T::S, phone.constData(), def, 0);
    }
    t.From("Client\\QRZ", "QRZ").B("UseQRZInterface").S("Username").S("Password").B("ImmediateLookup");
    t.From("Client\\Presets", "Presets").S("CW").S("SSB").S("RTTY").S("JT", "", "JT65");
    t.From("Client\\RadioCOMPort", "COMPort").S("Port").S("BaudRate", "38400").S("StopBits", "2").B("RTS");
    // Client\RemoteBases: numbered while copying (RemoteBaseRows).
    t.From("Client\\Transceiver", "CATInterface").I("ContourGain", -15);
    t.From("Client\\UserInterface", "General")
        .B("AutoDetect")
        .I("ClarifierRange", 9999)
        .B("DigitalMeter", true)
        .S("Transceiver")
        .S("TransceiverID")
        .B("ShowMeter", true)
        .B("RotorPushAndHold");
    t.From("Client\\WinKey", "WinKey")
        .B("Enabled", true, "UseWinKey")
        .S("Port")
        .B("AutoSpace")
        .B("ContestSpacing")
        .I("DitDahRatio", 300)
        .I("FarnsworthSpeed")
        .I("FirstExtension")
        .I("KeyerMode")
        .I("KeyingCompensation")
        .I("MaxWPM", 40)
        .I("MinWPM", 10)
        .B("PaddleEchoBack")
        .I("PaddleSetPoint", 50)
        .B("PaddleWatchDog")
        .I("SidetoneFrequency", 725)
        .I("Speed", 26)
        .I("SynchronizeSpeed", 1)
        .B("SwapPaddles")
        .I("Weighting", 50);
    t.From("Client\\WWV", "WWV").I("SFI").I("A").I("K").S("Hint").S("LastData");
    return t.Rows;
}

// The seven rows of one old remote station, to be copied as store section Base j.
QList<TCopyRow> RemoteBaseRows(int oldIndex, int newIndex)
{
    const QByteArray store = "Client\\RemoteBases\\Base" + QByteArray::number(newIndex);
    const QByteArray old = "RemoteBase" + QByteArray::number(oldIndex);
    TCopyTable t;
    t.From(store.constData(), old.constData())
        .S("Hostname")
        .S("IP")
        .I("Port", 3000)
        .S("Username")
        .S("Password")
        .I("AudioPort", 4000)
        .B("Active");
    return t.Rows;
}

QList<TCopyRow> ServerCopyRows()
{
    TCopyTable t;
    t.From("Server", "ServerMainForm").S("ServerMainForm");
    t.From("Server\\Application", "RemAudServer").B("SystemTray").B("StartMinimized").B("AutoRunRegistry");
    t.From("Server\\AudioServer\\Input", "RemAudServerInput")
        .I("DeviceId")
        .S("Codec", "PCM8")
        .I("BitsPerSample", 8)
        .I("Channels", 1)
        .I("BufferLength", 10)
        .B("UserChosenCodec", true);
    t.From("Server\\AudioServer\\Output", "RemAudServerOutput").I("DeviceId");
    t.From("Server\\PTT", "RemAudServerPTT").S("Port").I("RTSPin").I("DTRPin").I("Timeout", 300);
    t.From("Server\\RemoteServer", "RemAudServer").B("ActivateServer");
    // No password is made up: without one the server refuses every login.
    t.From("Server\\RemoteServer", "Server").S("Hostname", "HOST").S("Pwd").I("Port", 3000);
    t.From("Server\\RemoteServer", "RemAudServer").I("AudioPort", 4000);
    return t.Rows;
}

void Copy(TIniStore& store, const TOldIniFile& old, const TCopyRow& row)
{
    // A row without an old key (ActiveCluster) always gets its default.
    const bool fixed = row.OldSection.isEmpty();
    switch (row.Type) {
    case T::S:
        store.WriteString(row.StoreSection, row.StoreName,
                          fixed ? row.DefaultText : old.ReadString(row.OldSection, row.OldKey, row.DefaultText));
        break;
    case T::I:
        store.WriteInteger(row.StoreSection, row.StoreName,
                           fixed ? row.DefaultNumber : old.ReadInteger(row.OldSection, row.OldKey, row.DefaultNumber));
        break;
    case T::B:
        store.WriteBool(row.StoreSection, row.StoreName,
                        fixed ? row.DefaultNumber != 0
                              : old.ReadBool(row.OldSection, row.OldKey, row.DefaultNumber != 0));
        break;
    }
}

// The old wanted line "CALL;20;40" as the new "CALL=;20;40"; a line without fields is a call
// wanted on every band.
QString ConvertWantedLine(const QString& line)
{
    const qsizetype semi = line.indexOf(u';');
    QString converted = semi < 0 ? line + u'=' : line.left(semi) + u'=' + line.mid(semi);
    while (converted.contains(QLatin1String(";;")))
        converted.replace(QLatin1String(";;"), QLatin1String(";"));
    return converted;
}

} // namespace

const QList<TSettingsSection>& TImportExportHelper::ClientSettings()
{
    static const QList<TSettingsSection> table = BuildClientSettings();
    return table;
}

const QList<TSettingsSection>& TImportExportHelper::ServerSettings()
{
    static const QList<TSettingsSection> table = BuildServerSettings();
    return table;
}

QString TImportExportHelper::BrindlexSettingsFileName()
{
    return GetSpecialFolderPath(TSpecialFolder::AppData) + QStringLiteral("/Brindlex/Brindlex.ini");
}

QString TImportExportHelper::BrindlexWantedFileName()
{
    return GetSpecialFolderPath(TSpecialFolder::AppData) + QStringLiteral("/Brindlex/wanted.dat");
}

QString TImportExportHelper::LastXMLExportFile() const
{
    TIniStore store(TDMApplication::SettingsFileName());
    return store.ReadString(ApplicationSection, LastXMLExportFileName, QString());
}

void TImportExportHelper::SetLastXMLExportFile(const QString& value)
{
    TIniStore store(TDMApplication::SettingsFileName());
    store.WriteString(ApplicationSection, LastXMLExportFileName, value);
}

bool TImportExportHelper::ExportSettingsToXML(const QString& AXMLFileName)
{
    FMessages.clear();
    TIniStore store(TDMApplication::SettingsFileName());

    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QXmlStreamWriter xml(&buffer);
        xml.setAutoFormatting(true);
        xml.writeStartDocument(QStringLiteral("1.0"), true);
        xml.writeStartElement(RootName);
        xml.writeStartElement(SettingsName);
        TExportWriter writer(xml, store);
        // A side appears only once it holds a value of its own (its window's placement).
        if (!store.ReadSection(QStringLiteral("Client")).isEmpty())
            writer.WriteTable(ClientSettings(), AXMLFileName);
        if (!store.ReadSection(QStringLiteral("Server")).isEmpty())
            writer.WriteTable(ServerSettings(), AXMLFileName);
        WriteWantedList(xml, WantedDXCCName, WantedDXCCFile);
        WriteWantedList(xml, WantedSpotsName, WantedSpotsFile);
        xml.writeEndDocument();
        if (!writer.Error.isEmpty() || xml.hasError()) {
            FMessages << QStringLiteral("Error: ") +
                             (writer.Error.isEmpty() ? QStringLiteral("the settings could not be put into XML") : writer.Error);
            return false;
        }
    }
    const QString reason = SaveOwnerOnly(AXMLFileName, bytes);
    if (!reason.isEmpty()) {
        FMessages << QStringLiteral("Error: %1 could not be written: %2").arg(AXMLFileName, reason);
        return false;
    }
    store.WriteString(ApplicationSection, LastXMLExportFileName, AXMLFileName);
    if (!store.UpdateFile()) {
        FMessages << QStringLiteral("Error: ") + store.ErrorString();
        return false;
    }
    return true;
}

bool TImportExportHelper::ImportSettingsFromXML(const QString& AXMLFileName)
{
    FMessages.clear();
    if (!QFileInfo(AXMLFileName).isFile()) {
        FMessages << QStringLiteral("File does not exist: ") + AXMLFileName;
        return false;
    }
    QFile file(AXMLFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        FMessages << QStringLiteral("Error: %1 could not be read: %2").arg(AXMLFileName, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    file.close();

    QString parseError;
    const std::optional<TXmlDocument> doc = ParseXml(bytes, parseError);
    if (!doc) {
        FMessages << QStringLiteral("Error: ") + parseError;
        return false;
    }
    const TXmlElement* settings = doc->Root->Name == RootName ? doc->Root->Child(SettingsName) : nullptr;
    if (!settings) {
        FMessages << QStringLiteral("Error: Seems to be an invalid XML file");
        return false;
    }

    // Everything is converted before the first write.
    TImportReader reader;
    bool ok = true;
    if (settings->Child(QStringLiteral("Client")))
        ok = reader.ReadTable(*settings, ClientSettings(), AXMLFileName);
    if (ok && settings->Child(QStringLiteral("Server")))
        ok = reader.ReadTable(*settings, ServerSettings(), AXMLFileName);
    if (!ok) {
        FMessages << QStringLiteral("Error: ") + reader.Error;
        return false;
    }
    const std::optional<QStringList> wantedDXCC = WantedListOf(*settings, WantedDXCCName);
    const std::optional<QStringList> wantedSpots = WantedListOf(*settings, WantedSpotsName);

    if (OnBeforeImportWrite)
        OnBeforeImportWrite();

    {
        TIniStore store(TDMApplication::SettingsFileName());
        for (const TPendingWrite& w : reader.Writes)
            Apply(store, w);
        if (!store.UpdateFile()) {
            FMessages << QStringLiteral("Error: ") + store.ErrorString();
            return false;
        }
    }
    for (const auto& [list, fileName] : {std::pair{&wantedDXCC, WantedDXCCFile}, std::pair{&wantedSpots, WantedSpotsFile}}) {
        if (!*list)
            continue;
        const QString reason = SaveWantedLines(fileName, **list);
        if (!reason.isEmpty()) {
            FMessages << QStringLiteral("Error: ") + reason;
            return false;
        }
    }
    FMessages << QStringLiteral("Successfully imported from: ") + AXMLFileName << QStringLiteral("Please restart Vornix");
    return true;
}

bool TImportExportHelper::CheckInstallation() const
{
    TIniStore store(TDMApplication::SettingsFileName());
    return store.ReadSection(QStringLiteral("Client")).isEmpty() && QFileInfo(BrindlexSettingsFileName()).isFile();
}

bool TImportExportHelper::ImportSettingsFromBrindlex(bool AOverwriteRegistry)
{
    FMessages.clear();
    const QString path = BrindlexSettingsFileName();
    if (!QFileInfo(path).isFile()) {
        FMessages << QStringLiteral("File does not exist: ") + path;
        return false;
    }
    const std::optional<QByteArray> text = ReadTextFileAsUtf8(path);
    if (!text) {
        FMessages << QStringLiteral("Error: %1 could not be read").arg(path);
        return false;
    }
    const TOldIniFile old(*text);

    bool result = false;
    {
        TIniStore store(TDMApplication::SettingsFileName());
        if (AOverwriteRegistry || store.ReadSection(QStringLiteral("Client")).isEmpty()) {
            for (const TCopyRow& row : ClientCopyRows())
                Copy(store, old, row);
            // Old stations without a host name are dropped; the rest are numbered from Base0.
            int j = -1;
            for (int i = 0; i <= 5; ++i) {
                if (old.ReadString(QStringLiteral("RemoteBase%1").arg(i), QStringLiteral("Hostname"), QString()).isEmpty())
                    continue;
                ++j;
                for (const TCopyRow& row : RemoteBaseRows(i, j))
                    Copy(store, old, row);
            }
            result = true;
        }
        if (AOverwriteRegistry || store.ReadSection(QStringLiteral("Server")).isEmpty()) {
            for (const TCopyRow& row : ServerCopyRows())
                Copy(store, old, row);
            int j = 0;
            for (int i = 0; i <= 100; ++i) {
                const QString user = old.ReadString(QStringLiteral("ServerUsers"), QStringLiteral("User%1").arg(i), QString());
                if (!user.isEmpty())
                    store.WriteString(QStringLiteral("Server\\Users"), QStringLiteral("User%1").arg(j++), user);
            }
            result = true;
        }
        // The whole copy reaches the file at once, or nothing of it does.
        if (result && !store.UpdateFile()) {
            FMessages << QStringLiteral("Error: ") + store.ErrorString();
            return false;
        }
    }

    const QString newWanted = GetUserDataFileName(WantedSpotsFile);
    const QString oldWanted = BrindlexWantedFileName();
    if (!QFileInfo::exists(newWanted) && QFileInfo(oldWanted).isFile()) {
        QStringList lines;
        for (const QString& line : TDXWantedSpots::ReadFileLines(oldWanted).value_or(QStringList()))
            if (!line.trimmed().isEmpty())
                lines << ConvertWantedLine(line);
        if (!TDXWantedSpots::SaveWantedFile(newWanted, lines)) {
            FMessages << QStringLiteral("Error: %1 could not be written").arg(newWanted);
            return result;
        }
    }

    FMessages << (result ? QStringLiteral("Settings imported from: ") : QStringLiteral("No settings imported from: ")) +
                     path;
    return result;
}
