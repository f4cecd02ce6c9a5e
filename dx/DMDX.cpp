#include "dx/DMDX.h"

#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/DataFiles.h"
#include "core/cat/FTCATInterface.h"
#include "dx/TelnetClient.h"
#include "log/LogInterface.h"
#include "log/LogRecord.h"
#include "platform/Clock.h"

#include <QAction>
#include <limits>

TDMDX* DMDX = nullptr;

namespace {

const QString SectionDXCluster = QStringLiteral("Client\\DXCluster");
const QString SectionCluster0 = QStringLiteral("Client\\DXCluster\\Cluster0");
const QString SectionConnectCommands = QStringLiteral("Client\\DXCluster\\ConnectCommands");
const QString SectionButtons = QStringLiteral("Client\\DXCluster\\Buttons");
const QString SectionLastCommands = QStringLiteral("Client\\DXCluster\\LastCommands");
const QString SectionBandmap = QStringLiteral("Client\\Bandmap");
const QString SectionDXSpots = QStringLiteral("Client\\DXSpots");
const QString SectionBands = QStringLiteral("Client\\DXSpots\\Bands");
const QString SectionGeneral = QStringLiteral("Client\\General");
const QString SectionBandplan = QStringLiteral("Client\\Bandplan");
const QString SectionWWV = QStringLiteral("Client\\WWV");

// The lists keep at most this many lines when read.
constexpr int MaxListKeys = 21;

const QString PressEnter = QStringLiteral("Press Enter to continue");

uint16_t ToWord(int32_t v)
{
    return uint16_t(std::clamp<int32_t>(v, 0, std::numeric_limits<uint16_t>::max()));
}

QString BandKey(TBand b)
{
    return b == bdAll ? QStringLiteral("bAll") : QStringLiteral("b") + QLatin1String(BandNames[b]);
}

bool BandDefault(TBand b)
{
    return b != bdAll && b != bd60;
}

QStringList ReadList(TIniStore& ini, const QString& section)
{
    QStringList list;
    for (int i = 0; i < MaxListKeys; ++i) {
        const QString v = ini.ReadString(section, QStringLiteral("Command%1").arg(i), QString());
        if (v.isEmpty())
            break;
        list << v;
    }
    return list;
}

void WriteList(TIniStore& ini, const QString& section, const QStringList& list)
{
    ini.EraseSection(section);
    for (int i = 0; i < list.size(); ++i)
        ini.WriteString(section, QStringLiteral("Command%1").arg(i), list[i]);
}

} // namespace

TDMDX::TDMDX(QObject* parent)
    : QObject(parent)
{
    DMDX = this;
    FCommand1 = QStringLiteral("SH/DX");
    FCommand2 = QStringLiteral("SH/WWV");
    FCommand3 = QStringLiteral("SH/U");

    FDXSpots = new TDXSpots(this);
    // The radio module is created before this one; the logbook's module comes later and is
    // bound by the start-up.
    if (DMRadio)
        FDXSpots->SetFTCATInterface(DMRadio->FTCATInterface());
    FTelnetClient = new TTelnetClient(this);
    FTelnetClient->OnConnected = [this] {
        DoTelnetClientConnected();
        // The login: the call, then the password when there is one.
        FTelnetClient->WriteLn(Username());
        if (!Password().isEmpty())
            FTelnetClient->WriteLn(Password());
    };
    FTelnetClient->OnDisconnected = [this] { DoTelnetClientDisconnected(); };
    FTelnetClient->OnConnectFailed = [this](const QString& message) { DoConnectFailed(message); };
    FTelnetClient->OnDataAvailable = [this](const QString& text) { DoTelnetClientDataAvailable(text); };

    auto newAction = [this](const char* name, const QString& caption, const QString& hint) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(hint);
        return a;
    };
    DXClusterConnectAction = newAction("DXClusterConnectAction", QStringLiteral("Connect"), QString());
    Command1Action = newAction("Command1Action", QStringLiteral("Command 1"), QStringLiteral("SH/DX"));
    Command2Action = newAction("Command2Action", QStringLiteral("Command 2"), QStringLiteral("SH/WWV"));
    Command3Action = newAction("Command3Action", QStringLiteral("Command 3"), QString());
    connect(DXClusterConnectAction, &QAction::triggered, this, [this] { DXClusterConnectActionExecute(); });
    connect(Command1Action, &QAction::triggered, this, [this] { Command1ActionExecute(); });
    connect(Command2Action, &QAction::triggered, this, [this] { Command2ActionExecute(); });
    connect(Command3Action, &QAction::triggered, this, [this] { Command3ActionExecute(); });
}

TDMDX::~TDMDX()
{
    // Nothing is reported from a module that is going away.
    FTelnetClient->OnConnected = nullptr;
    FTelnetClient->OnDisconnected = nullptr;
    FTelnetClient->OnConnectFailed = nullptr;
    FTelnetClient->OnDataAvailable = nullptr;
    if (DMDX == this)
        DMDX = nullptr;
}

QList<QAction*> TDMDX::Actions() const
{
    return {DXClusterConnectAction, Command1Action, Command2Action, Command3Action};
}

bool TDMDX::DXClusterEnabled() const
{
    return !Name().isEmpty() && !Host().isEmpty() && Port() > 0;
}

void TDMDX::SetCommand(QAction* action, QString& field, const QString& value)
{
    field = value;
    action->setText(value.size() < 9 ? value : QStringLiteral("%1...").arg(value.left(8)));
    action->setToolTip(value);
}

void TDMDX::SetCommand1(const QString& Value)
{
    SetCommand(Command1Action, FCommand1, Value);
}

void TDMDX::SetCommand2(const QString& Value)
{
    SetCommand(Command2Action, FCommand2, Value);
}

void TDMDX::SetCommand3(const QString& Value)
{
    SetCommand(Command3Action, FCommand3, Value);
}

void TDMDX::RaiseClusterEvent()
{
    Fire(OnDXClusterEvent, static_cast<QObject*>(this), DXClusterEnabled(), Name(), FTelnetClient->Connected());
}

// ---- Open, close, connect -----------------------------------------------------------------

void TDMDX::Open()
{
    Close();
    const bool enabled = DXClusterEnabled();
    DXClusterConnectAction->setEnabled(enabled);
    Command1Action->setEnabled(false);
    Command2Action->setEnabled(false);
    Command3Action->setEnabled(false);
    DXClusterConnectAction->setToolTip(enabled ? QStringLiteral("Connect to ") + Name() : QString());
    FTelnetClient->SetHost(Host());
    // A port beyond 16 bits would reach some other port once cut to 16 bits: none instead.
    FTelnetClient->SetPort(Port() > 0 && Port() <= 65535 ? uint16_t(Port()) : 0);

    FDXSpots->LoadLocatorList(GetUserDataFileName(QStringLiteral("locators.dat")));
    FDXSpots->LoadWantedSpotsList();
    FDXSpots->LoadWantedDXCCList();
    FDXSpots->Open();
    RaiseClusterEvent();
}

void TDMDX::Close()
{
    FTelnetClient->Disconnect();
    RaiseClusterEvent();
    FDXSpots->Close();
}

void TDMDX::Connect()
{
    if (FTelnetClient->Host().isEmpty() || FTelnetClient->Port() == 0 || Username().isEmpty())
        return;
    FLoginState = 0;
    // What a previous connection left unfinished does not belong to this one.
    FReceiveBuffer.clear();
    FProbing = false;
    FGreetProbe.clear();
    FTelnetClient->Connect();
}

void TDMDX::ReloadWantedLists()
{
    FDXSpots->LoadWantedSpotsList();
    FDXSpots->LoadWantedDXCCList();
}

void TDMDX::DoTelnetClientConnected()
{
    DXClusterConnectAction->setText(QStringLiteral("Disconnect"));
    DXClusterConnectAction->setToolTip(QStringLiteral("Connected to ") + Host());
    Command1Action->setEnabled(true);
    Command2Action->setEnabled(true);
    Command3Action->setEnabled(true);
    RaiseClusterEvent();
    ++FLoginState;
}

void TDMDX::DoTelnetClientDisconnected()
{
    FLoginState = 0;
    DXClusterConnectAction->setChecked(false);
    DXClusterConnectAction->setText(QStringLiteral("Connect"));
    DXClusterConnectAction->setToolTip(QStringLiteral("Connect to ") + Name());
    Command1Action->setEnabled(false);
    Command2Action->setEnabled(false);
    Command3Action->setEnabled(false);
    RaiseClusterEvent();
}

void TDMDX::DoConnectFailed(const QString& message)
{
    // The console shows why, like any line from the cluster.
    FDXSpots->Add(message);
    RaiseClusterEvent();
}

bool TDMDX::SeesGreeting(const QString& text)
{
    bool deliveryStart = true;
    for (QChar c : text) {
        // A delivery starts a new look unless the start of a line is still being collected.
        if (deliveryStart && !FProbing) {
            FProbing = true;
            FGreetProbe.clear();
        }
        deliveryStart = false;
        if (c == u'\r' || c == u'\n') {
            FProbing = true;
            FGreetProbe.clear();
            continue;
        }
        if (!FProbing)
            continue;
        FGreetProbe += c;
        if (FGreetProbe.size() == 6) {
            FProbing = false;
            if (FGreetProbe.toUpper() == QLatin1String("HELLO "))
                return true;
        }
    }
    return false;
}

void TDMDX::SendConnectCommands()
{
    for (const QString& command : std::as_const(FCommands))
        if (!command.isEmpty())
            FTelnetClient->WriteLn(command);
}

void TDMDX::DoTelnetClientDataAvailable(const QString& Text)
{
    if (!FDataEventAssigned)
        return;
    FReceiveBuffer += Text;
    if (FLoginState == 1 && SeesGreeting(Text)) {
        SendConnectCommands();
        FLoginState = 0;
    }

    // Cut the complete lines out first: handlers of the lines may reconnect, which starts a
    // new buffer.
    QStringList lines;
    bool overflow = false;
    qsizetype start = 0;
    for (;;) {
        const qsizetype lf = FReceiveBuffer.indexOf(u'\n', start);
        if (lf < 0)
            break;
        qsizetype b = start, e = lf;
        while (b < e && FReceiveBuffer[b] == u'\r')
            ++b;
        while (e > b && FReceiveBuffer[e - 1] == u'\r')
            --e;
        start = lf + 1;
        if (e - b > MaxLineLength) {
            overflow = true;
            break;
        }
        lines << FReceiveBuffer.mid(b, e - b);
    }
    FReceiveBuffer.remove(0, start);
    if (FReceiveBuffer.size() > MaxLineLength)
        overflow = true;
    if (overflow)
        FReceiveBuffer.clear();

    FDXSpots->BeginUpdate();
    for (const QString& line : std::as_const(lines)) {
        if (line.contains(PressEnter))
            FTelnetClient->WriteLn(QString());
        else
            FDXSpots->Add(line);
    }
    if (overflow)
        FDXSpots->Add(QStringLiteral("A line of more than %1 characters came from the cluster: connection closed")
                          .arg(MaxLineLength));
    FDXSpots->EndUpdate();
    if (overflow)
        FTelnetClient->Disconnect();
}

// ---- Actions -------------------------------------------------------------------------------

void TDMDX::DXClusterConnectActionExecute()
{
    if (!FTelnetClient->Connected()) {
        FDataEventAssigned = true;
        Connect();
        return;
    }
    FTelnetClient->Disconnect();
    FDataEventAssigned = false;
    FDXSpots->Add(QStringLiteral("Disconnected"));
    RaiseClusterEvent();
}

void TDMDX::SendCommand(const QString& command)
{
    if (!command.isEmpty() && FTelnetClient->Connected())
        FTelnetClient->WriteLn(command);
}

void TDMDX::Command1ActionExecute()
{
    SendCommand(FCommand1);
}

void TDMDX::Command2ActionExecute()
{
    SendCommand(FCommand2);
}

void TDMDX::Command3ActionExecute()
{
    SendCommand(FCommand3);
}

// ---- WSJT-X --------------------------------------------------------------------------------

QString TDMDX::ExtractADIFField(const QString& ATag, const QString& ALine)
{
    // Found without changing the line: upper-casing may change its length ("ß" gives "SS").
    const qsizetype tag = ALine.indexOf(ATag, 0, Qt::CaseInsensitive);
    if (tag < 0)
        return {};
    // The length: the digits up to ">" (a type indicator such as ":S" is skipped).
    qsizetype j = tag + ATag.size();
    QString digits;
    while (j < ALine.size() && ALine[j] != u'>') {
        if (ALine[j] >= u'0' && ALine[j] <= u'9')
            digits += ALine[j];
        ++j;
    }
    if (j >= ALine.size())
        return {};
    bool ok = false;
    const int n = digits.toInt(&ok);
    if (!ok || n <= 0)
        return {};
    return ALine.mid(j + 1, n).trimmed();
}

void TDMDX::AddWSJTQSO(const QString& AQSOLine)
{
    auto has = [&AQSOLine](const char* tag) { return AQSOLine.contains(QLatin1String(tag), Qt::CaseInsensitive); };
    auto field = [&AQSOLine](const char* tag) { return ExtractADIFField(QLatin1String(tag), AQSOLine); };
    TLogInterface* log = FDXSpots->LogInterface();
    if (!log || !has("<CALL:"))
        return;

    TLogRecord record;
    TDXSpot spot;
    const QString call = field("<CALL:");
    record.SetCall(call);
    spot.SetCall(call);
    if (FDXSpots->DXCallParser().FindCountry(spot)) {
        record.SetDXCC(QString::number(spot.ADIFCode()));
        record.SetContinent(spot.Cont());
        record.SetCQZone(spot.CQZone());
        if (record.ADIFCode() == 6)
            record.SetUSState(QStringLiteral("AK"));
        else if (record.ADIFCode() == 110)
            record.SetUSState(QStringLiteral("HI"));
    }
    record.SetStationCallsign(log->MyCall());

    // Band and frequency from the report when the server's settings say so (or when there
    // is no radio to ask), else from VFO A.
    const TFTCATInterface* cat = FDXSpots->FTCATInterface();
    const bool reportBand = !cat || (FWSJTSettings && FWSJTSettings->WSJTLogBand());
    const bool reportFreq = !cat || (FWSJTSettings && FWSJTSettings->WSJTLogFreq());
    if (reportBand) {
        if (has("<BAND:"))
            record.SetBandAsString(field("<BAND:"));
    } else {
        record.SetBand(cat->BandA());
    }
    if (reportFreq) {
        if (has("<FREQ:"))
            record.SetFreqAsString(field("<FREQ:"));
    } else {
        record.SetFreq(uint32_t(std::max(0, cat->FrequencyA())));
    }

    if (has("<MODE:"))
        record.SetModeAsString(field("<MODE:"));
    if (has("<SUBMODE:"))
        record.SetSubMode(field("<SUBMODE:"));
    if (has("<RST_SENT:"))
        record.SetRSTSent(field("<RST_SENT:"));
    if (has("<RST_RCVD:"))
        record.SetRSTRcvd(field("<RST_RCVD:"));
    if (has("<GRIDSQUARE:"))
        record.SetGridSquare(field("<GRIDSQUARE:"));
    if (has("<COMMENT:"))
        record.SetComment(field("<COMMENT:"));

    // The QSO's own date and time when the report has them; the time of arrival otherwise.
    const QDateTime now = UTCNow().toUTC();
    const QString date = has("<QSO_DATE:") ? field("<QSO_DATE:") : QString();
    if (date.isEmpty() || !record.SetQSODateAsString(date) || !record.QSODate().isValid())
        record.SetQSODate(now.date());
    const QString time = has("<TIME_ON:") ? field("<TIME_ON:") : QString();
    if (time.isEmpty() || !record.SetTimeOnAsString(time))
        record.SetTimeOnHHMM(now);

    if (record.IsComplete())
        log->AddQSO(record);
}

// ---- Settings ------------------------------------------------------------------------------

void TDMDX::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    TDXSpots& spots = *FDXSpots;

    FActiveCluster = ini.ReadInteger(SectionDXCluster, QStringLiteral("ActiveCluster"), FActiveCluster);
    FAutoConnect = ini.ReadBool(SectionDXCluster, QStringLiteral("AutoConnect"), FAutoConnect);
    SetHost(ini.ReadString(SectionCluster0, QStringLiteral("Host"), Host()));
    SetName(ini.ReadString(SectionCluster0, QStringLiteral("Name"), Name()));
    SetPassword(ini.ReadString(SectionCluster0, QStringLiteral("Password"), Password()));
    SetPort(ini.ReadInteger(SectionCluster0, QStringLiteral("Port"), Port()));
    SetUsername(ini.ReadString(SectionCluster0, QStringLiteral("Username"), Username()));
    FCommands = ReadList(ini, SectionConnectCommands);
    SetCommand1(ini.ReadString(SectionButtons, QStringLiteral("Button1"), FCommand1));
    SetCommand2(ini.ReadString(SectionButtons, QStringLiteral("Button2"), FCommand2));
    SetCommand3(ini.ReadString(SectionButtons, QStringLiteral("Button3"), FCommand3));
    FClusterCommands = ReadList(ini, SectionLastCommands);

    spots.SetBandmapLifetime(ToWord(ini.ReadInteger(SectionBandmap, QStringLiteral("Lifetime"), spots.BandmapLifetime())));
    spots.SetBandmapRefreshTime(
        ToWord(ini.ReadInteger(SectionBandmap, QStringLiteral("RefreshTime"), spots.BandmapRefreshTime())));
    spots.SetDXSpotsLifetime(
        ToWord(ini.ReadInteger(SectionDXSpots, QStringLiteral("DXSpotsLifetime"), spots.DXSpotsLifetime())));
    spots.SetMaxTelnetSpots(ini.ReadInteger(SectionDXSpots, QStringLiteral("MaxTelnetSpots"), spots.MaxTelnetSpots()));
    spots.SetMyCall(ini.ReadString(SectionGeneral, QStringLiteral("MyCall"), QString()));
    spots.SetMyLocator(ini.ReadString(SectionGeneral, QStringLiteral("MyLocator"), QString()));
    spots.SetNewestSpotsFirst(ini.ReadBool(SectionDXSpots, QStringLiteral("NewestSpotsFirst"), false));
    spots.SetRangeUnit(ini.ReadInteger(SectionGeneral, QStringLiteral("RangeUnit"), 0) == 1 ? ruMiles : ruKM);

    TSpotOptions options;
    if (ini.ReadBool(SectionDXSpots, QStringLiteral("ShowCleanComments"), false))
        options.Include(showCleanComments);
    if (ini.ReadBool(SectionDXSpots, QStringLiteral("HideAwardSpots"), true))
        options.Include(hideAwardSpots);
    spots.SetSpotsOptions(options);

    TShowBands bands;
    for (int b = bdAll; b <= bd6; ++b)
        if (ini.ReadBool(SectionBands, BandKey(TBand(b)), BandDefault(TBand(b))))
            bands.Include(TBand(b));
    spots.DXSpotFilter().SetShowBands(bands);
    const int32_t countries = ini.ReadInteger(SectionBands, QStringLiteral("DXSpotsOnly"), 0);
    spots.DXSpotFilter().SetShowContinent(countries == 1 ? cfContinent : countries == 2 ? cfCountry : cfNone);

    for (int b = bd160; b <= bd6; ++b)
        spots.DXBandplan().SetIniString(TBand(b), ini.ReadString(SectionBandplan, QStringLiteral("BP%1").arg(b), QString()));

    TDXWWV& wwv = spots.WWV();
    wwv.SetSFI(ini.ReadInteger(SectionWWV, QStringLiteral("SFI"), 0));
    wwv.SetA(ini.ReadInteger(SectionWWV, QStringLiteral("A"), 0));
    wwv.SetK(ini.ReadInteger(SectionWWV, QStringLiteral("K"), 0));
    wwv.SetHint(ini.ReadString(SectionWWV, QStringLiteral("Hint"), QString()));
    wwv.SetLastDataAsString(ini.ReadString(SectionWWV, QStringLiteral("LastData"), QString()));
}

void TDMDX::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    const TDXSpots& spots = *FDXSpots;

    ini.WriteInteger(SectionDXCluster, QStringLiteral("ActiveCluster"), FActiveCluster);
    ini.WriteBool(SectionDXCluster, QStringLiteral("AutoConnect"), FAutoConnect);
    ini.WriteString(SectionCluster0, QStringLiteral("Host"), Host());
    ini.WriteString(SectionCluster0, QStringLiteral("Name"), Name());
    ini.WriteString(SectionCluster0, QStringLiteral("Password"), Password());
    ini.WriteInteger(SectionCluster0, QStringLiteral("Port"), Port());
    ini.WriteString(SectionCluster0, QStringLiteral("Username"), Username());
    WriteList(ini, SectionConnectCommands, FCommands);
    ini.WriteString(SectionButtons, QStringLiteral("Button1"), FCommand1);
    ini.WriteString(SectionButtons, QStringLiteral("Button2"), FCommand2);
    ini.WriteString(SectionButtons, QStringLiteral("Button3"), FCommand3);
    WriteList(ini, SectionLastCommands, FClusterCommands);

    ini.WriteString(SectionGeneral, QStringLiteral("MyCall"), spots.MyCall());
    ini.WriteString(SectionGeneral, QStringLiteral("MyLocator"), spots.MyLocator());
    ini.WriteInteger(SectionGeneral, QStringLiteral("RangeUnit"), spots.RangeUnit() == ruMiles ? 1 : 0);
    ini.WriteInteger(SectionDXSpots, QStringLiteral("DXSpotsLifetime"), spots.DXSpotsLifetime());
    ini.WriteInteger(SectionBandmap, QStringLiteral("Lifetime"), spots.BandmapLifetime());
    ini.WriteInteger(SectionBandmap, QStringLiteral("RefreshTime"), spots.BandmapRefreshTime());
    ini.WriteInteger(SectionDXSpots, QStringLiteral("MaxTelnetSpots"), spots.MaxTelnetSpots());
    ini.WriteBool(SectionDXSpots, QStringLiteral("NewestSpotsFirst"), spots.NewestSpotsFirst());
    ini.WriteBool(SectionDXSpots, QStringLiteral("ShowCleanComments"), spots.SpotsOptions().Contains(showCleanComments));
    ini.WriteBool(SectionDXSpots, QStringLiteral("HideAwardSpots"), spots.SpotsOptions().Contains(hideAwardSpots));

    const TShowBands& bands = spots.DXSpotFilter().ShowBands();
    for (int b = bdAll; b <= bd6; ++b)
        ini.WriteBool(SectionBands, BandKey(TBand(b)), bands.Contains(TBand(b)));
    ini.WriteInteger(SectionBands, QStringLiteral("DXSpotsOnly"), int32_t(spots.DXSpotFilter().ShowContinent()));

    for (int b = bd160; b <= bd6; ++b)
        ini.WriteString(SectionBandplan, QStringLiteral("BP%1").arg(b), spots.DXBandplan().GetIniString(TBand(b)));

    const TDXWWV& wwv = spots.WWV();
    ini.WriteInteger(SectionWWV, QStringLiteral("SFI"), wwv.SFI());
    ini.WriteInteger(SectionWWV, QStringLiteral("A"), wwv.A());
    ini.WriteInteger(SectionWWV, QStringLiteral("K"), wwv.K());
    ini.WriteString(SectionWWV, QStringLiteral("Hint"), wwv.Hint());
    ini.WriteString(SectionWWV, QStringLiteral("LastData"), wwv.LastDataAsString());
}
