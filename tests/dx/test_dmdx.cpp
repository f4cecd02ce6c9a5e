// The cluster module against a scripted cluster node on 127.0.0.1: login, greeting and
// connect commands, real captures cut at arbitrary byte boundaries, telnet options, bad
// input; its actions, settings and the WSJT-X QSO entry.
#include "DXFixture.h"
#include "ScriptedCluster.h"

#include "core/DMApplication.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DMDX.h"
#include "dx/TelnetClient.h"
#include "log/LogInterface.h"
#include "tests/support/Wait.h"

#include <QAction>
#include <QRegularExpression>
#include <QStringList>
#include <random>

using vxtest::spin;
using vxtest::waitUntil;

namespace {

const QDateTime SessionTime(QDate(2026, 2, 1), QTime(18, 50), Qt::UTC);

class ClusterModule : public DXFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        InstallCountryFiles(root);
        vx::Clock::useManual(SessionTime);
        NewModule();
    }

    void NewModule()
    {
        dmdx.reset();
        console.clear();
        dmdx = std::make_unique<TDMDX>();
        engine = dmdx->DXSpots();
        Hook(*engine);
        engine->SetMyCall("DL1ABC");
        dmdx->OnDXClusterEvent = [this](QObject*, bool enabled, const QString& name, bool connected) {
            events << QStringLiteral("%1 %2 %3").arg(enabled).arg(name).arg(connected);
        };
        // Count what reaches the module, so the node can send one delivery at a time.
        auto inner = dmdx->TelnetClient()->OnDataAvailable;
        dmdx->TelnetClient()->OnDataAvailable = [this, inner](const QString& text) {
            taken += text.size();
            inner(text);
        };
    }

    void Configure(quint16 port, const QString& password = QStringLiteral("secret"))
    {
        dmdx->SetName("Test node");
        dmdx->SetHost("127.0.0.1");
        dmdx->SetPort(port);
        dmdx->SetUsername("M0LTE");
        dmdx->SetPassword(password);
        dmdx->Open();
    }

    void Pace(ScriptedCluster& node)
    {
        node.clientTaken = [this] { return taken; };
    }

    QStringList ConsoleLines() const
    {
        QStringList l;
        for (const TDXClusterData& d : console)
            l << d.Line;
        return l;
    }

    std::unique_ptr<TDMDX> dmdx;
    QStringList events;
    qint64 taken = 0;
};

struct ExpectedSpot {
    const char* call;
    int32_t hz;
    TBand band;
    const char* spotter;
    int hour, minute;
};

// Every spot line of the real session below 54 MHz.
const ExpectedSpot SessionSpots[] = {
    {"VE6KIX", 21142300, bd15, "K4VTE", 18, 29},  {"K5OHY", 21044000, bd15, "OH0M", 18, 30},
    {"IK1EZX", 21074900, bd15, "PY8JL", 18, 30},  {"OR2M", 14018600, bd20, "AB9YC", 18, 30},
    {"EA1FOX", 21350000, bd15, "EB1CU", 18, 30},  {"CX2SA", 24915400, bd12, "AA8CS", 18, 31},
    {"K1NF", 28461000, bd10, "CT7BOD", 18, 31},   {"IU2SLI", 14200000, bd20, "IU4QQD", 18, 31},
    {"TZ4AM", 14037400, bd20, "W3LPL", 18, 32},   {"IZ5WTV", 24919000, bd12, "K4CUP", 18, 32},
    {"PD9FLX", 28074000, bd10, "HK4SAN", 18, 32}, {"EA5JMO", 7074000, bd40, "EA5KK", 18, 33},
    {"RI0SP", 28180000, bd10, "N2TA", 18, 37},    {"5Z4VJ", 10136000, bd30, "JR6RRD", 18, 45},
};

} // namespace

TEST_F(ClusterModule, RealSessionCutAtArbitraryBoundaries)
{
    const QByteArray capture = ReadCapture(DXTestData + "/dxcluster/dxspider_session_G4BFG-9.txt");
    ASSERT_TRUE(capture.startsWith("login: m0lte\nHello Tom"));
    // The node's echo of the call and the rest of the session, after a password prompt.
    const QByteArray afterLogin = capture.mid(7);
    const QByteArray prompt = "login: ", passwordPrompt = "password: ";
    const qint64 greetingSent = prompt.size() + passwordPrompt.size() + 6 /* "m0lte\n" */ + 6;

    struct Run {
        unsigned seed;
        int maxPiece;
        bool crlf;
    };
    for (const Run run : {Run{1, 0, false}, Run{2, 1, false}, Run{3, 7, true}, Run{4, 64, false}, Run{5, 13, true}}) {
        SCOPED_TRACE(testing::Message() << "seed " << run.seed << " pieces " << run.maxPiece << " crlf " << run.crlf);
        NewModule();
        dmdx->Commands() = {"SET/NAME Tom", "", "SH/DX 5"};
        QByteArray session = afterLogin;
        if (run.crlf)
            session.replace("\n", "\r\n");
        ScriptedCluster node;
        node.cutPieces(run.seed, run.maxPiece);
        node.send(prompt).expectLine().send(passwordPrompt).expectLine().send(session);
        Configure(node.port());
        dmdx->Connect();
        ASSERT_TRUE(waitUntil([&] { return node.finished() && node.lines.size() >= 4; }));
        ASSERT_TRUE(waitUntil([&] { return console.size() >= size_t(session.count('\n')); }));
        spin(20);

        // The call, then the password, each ended by CR LF; the connect commands once, in
        // order, after the greeting.
        EXPECT_TRUE(node.received.startsWith("M0LTE\r\nsecret\r\n"));
        ASSERT_EQ(node.lines.size(), 4);
        EXPECT_EQ(node.lines[2], "SET/NAME Tom");
        EXPECT_EQ(node.lines[3], "SH/DX 5");
        EXPECT_GE(node.sentBeforeLine[2], greetingSent);
        EXPECT_EQ(dmdx->LoginState(), 0);

        for (const ExpectedSpot& e : SessionSpots) {
            const TSpotData* d = Stored(QLatin1String(e.call));
            ASSERT_NE(d, nullptr) << e.call;
            EXPECT_EQ(d->FrequencyA, e.hz) << e.call;
            EXPECT_EQ(d->Band, e.band) << e.call;
            EXPECT_EQ(d->Spotter, QLatin1String(e.spotter)) << e.call;
            EXPECT_EQ(d->TimeStamp, QDateTime(SessionTime.date(), QTime(e.hour, e.minute), Qt::UTC)) << e.call;
        }
        EXPECT_EQ(engine->SpotDataList().Count(), int(std::size(SessionSpots)));
        // Every line reaches the console, the 2 m spot and the WCY report as text.
        const QStringList lines = ConsoleLines();
        EXPECT_EQ(lines.size(), session.count('\n'));
        EXPECT_TRUE(lines.contains("DX de II4FMOB:  144350.0  IU4JJJ       50 Diploma RADIO FLASH MOB AWA 1830Z"));
        EXPECT_TRUE(lines.contains("WCY de DK0WCY-2 <19> : K=2 expK=0 A=5 R=126 SFI=141 SA=eru GMF=qui Au=no"));
    }
}

TEST_F(ClusterModule, AwkwardSpotLinesFromAnotherParser)
{
    // "name<TAB>line" fixtures of valid and malformed spot, WWV and WCY lines.
    QByteArray lines;
    for (const QByteArray& l : ReadCapture(DXTestData + "/dxcluster/dh1tw_fixture_lines.txt").split('\n')) {
        const qsizetype tab = l.indexOf('\t');
        if (!l.startsWith('#') && tab > 0)
            lines += l.mid(tab + 1) + "\r\n";
    }
    vx::Clock::setUtc(QDateTime(QDate(2014, 6, 10), QTime(16, 0), Qt::UTC));
    ScriptedCluster node;
    node.cutPieces(7, 9);
    node.send("Hello fixture\r\n").send(lines);
    Configure(node.port());
    engine->SetDXSpotsLifetime(0);
    dmdx->Connect();
    ASSERT_TRUE(waitUntil([&] { return node.finished() && console.size() >= 27; }));

    const struct {
        const char* call;
        const char* spotter;
        int32_t hz;
    } stored[] = {{"HC2AO", "CT3FW", 21004800}, {"EA5/ON4CAU", "DK7UK", 50099000}, {"UR8EW/QRP", "UA3ZBK", 14170000},
                  {"DK0HY", "9K2/K2SES", 14205000}, {"ZD6DYA", "DH1TW", 50105000}};
    for (const auto& e : stored) {
        const TSpotData* d = Stored(QLatin1String(e.call));
        ASSERT_NE(d, nullptr) << e.call;
        EXPECT_EQ(d->Spotter, QLatin1String(e.spotter));
        EXPECT_EQ(d->FrequencyA, e.hz);
    }
    EXPECT_EQ(engine->SpotDataList().Count(), 5) << "10 GHz, 144 MHz, 23 kHz, 234 kHz and a non-call are not stored";
    EXPECT_EQ(console.size(), 27u) << "every line is shown";
    EXPECT_GT(engine->WWV().SFI(), 0);
    EXPECT_TRUE(ConsoleLines().contains("To ALL de IK8CNT: UA4WHX pse beaming south"));
}

TEST_F(ClusterModule, GreetingStartsTheConnectCommands)
{
    struct Case {
        const char* name;
        QList<QByteArray> deliveries;
        bool commandsSent;
    };
    const Case cases[] = {
        {"greeting in its own delivery, any case", {"login: ", "hello there\r\n"}, true},
        {"another first word", {"login: ", "Welcome to the node\r\n", "DX de K4VTE: 1\r\n"}, false},
        {"greeting after a prompt in the same delivery", {"login: Hello Tom\r\n", "more\r\n"}, false},
        {"greeting cut at the start of its line", {"login: \r\nHe", "llo Tom\r\n"}, true},
        {"greeting on a line of a later delivery", {"login: ", "banner\r\nHELLO Tom\r\n"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewModule();
        taken = 0;
        dmdx->Commands() = {"SH/DX"};
        ScriptedCluster node;
        Pace(node);
        for (const QByteArray& d : c.deliveries)
            node.send(d);
        Configure(node.port(), QString());
        dmdx->Connect();
        ASSERT_TRUE(waitUntil([&] { return node.finished() && taken >= node.sent; }));
        spin(30);
        EXPECT_EQ(node.lines.contains("SH/DX"), c.commandsSent);
        EXPECT_EQ(node.lines.count("SH/DX"), c.commandsSent ? 1 : 0);
        EXPECT_EQ(node.lines.value(0), "M0LTE");
        EXPECT_EQ(dmdx->LoginState(), c.commandsSent ? 0 : 1);
    }
}

TEST_F(ClusterModule, PressEnterIsAnsweredAndNotShown)
{
    ScriptedCluster node;
    node.send("Hello\r\nline one\r\nPress Enter to continue, A to abort (16 lines) >\r\nline two\nhalf");
    Configure(node.port(), QString());
    dmdx->Connect();
    ASSERT_TRUE(waitUntil([&] { return console.size() >= 3; }));
    spin(20);
    EXPECT_EQ(ConsoleLines(), QStringList({"Hello", "line one", "line two"}));
    EXPECT_EQ(node.lines, QList<QByteArray>({"M0LTE", ""}));
    EXPECT_EQ(dmdx->ReceiveBuffer(), "half") << "an unfinished line waits for its end";
}

TEST_F(ClusterModule, TelnetOptionsAreRefusedAndBytesAreLatin1)
{
    ScriptedCluster node;
    node.cutPieces(11, 1); // every command cut into single bytes
    static const char bytes[] = "\xff\xfd\x18\xff\xfb\x01\xff\xfa\x18\x01\xff\xf0" "caf\xe9 \xff\xff\r\n";
    node.send(QByteArray(bytes, sizeof bytes - 1));
    Configure(node.port(), QString());
    dmdx->Connect();
    ASSERT_TRUE(waitUntil([&] { return !console.empty(); }));
    spin(20);
    EXPECT_EQ(console[0].Line, QString::fromUtf8("café ÿ"));
    EXPECT_TRUE(node.received.contains(QByteArray("\xff\xfc\x18", 3))) << "DO becomes WONT";
    EXPECT_TRUE(node.received.contains(QByteArray("\xff\xfe\x01", 3))) << "WILL becomes DONT";
}

TEST_F(ClusterModule, LongSubnegotiationsPassNothingOn)
{
    // Binary payload with line ends in it; 255 only doubled, as the protocol has it.
    QByteArray payload;
    for (int i = 0; payload.size() < 2048; ++i)
        payload += i % 64 == 0 ? QByteArray("\r\n") : QByteArray(1, char(i % 255));
    const QByteArray sb("\xff\xfa\x18", 3), se("\xff\xf0", 2);
    const QByteArray lost(TTelnetClient::MaxSubnegotiation + 100, 'x');
    ScriptedCluster node;
    node.cutPieces(7, 700);
    node.send(sb + payload + se)
        .send("DX de K4VTE:     21142.3  VE6KIX                                      1829Z\r\n")
        // One that never ends is given up after its bound, together with the rest of its line.
        .send(sb + lost + "\r\n")
        .send("DX de K4VTE:     21142.3  VE6KIY                                      1829Z\r\n");
    Configure(node.port(), QString());
    dmdx->Connect();
    ASSERT_TRUE(waitUntil([&] { return Stored("VE6KIY") != nullptr; }));
    spin(20);
    EXPECT_NE(Stored("VE6KIX"), nullptr);
    for (const QString& line : ConsoleLines())
        EXPECT_TRUE(line.isEmpty() || line.startsWith("DX de K4VTE")) << line.toStdString();
}

TEST_F(ClusterModule, OverlongLineAndGarbage)
{
    std::mt19937 rng(5);
    QByteArray garbage(20000, 0);
    for (char& c : garbage)
        c = char(std::uniform_int_distribution<int>(0, 255)(rng));
    for (int i = 100; i < garbage.size(); i += 300)
        garbage[i] = '\n';
    ScriptedCluster node;
    node.cutPieces(3, 1500);
    node.send("DX de K4VTE:     21142.3  VE6KIX                                      1829Z\r\n")
        .send(garbage)
        .send("\r\nDX de K4VTE:     21142.3  VE6KIY                                      1829Z\r\n")
        .send(QByteArray(100000, 'x'))
        .send("\r\nDX de K4VTE:     21142.3  VE6KIZ                                      1829Z\r\n");
    Configure(node.port(), QString());
    dmdx->Connect();
    ASSERT_TRUE(waitUntil([&] { return node.clientClosed; }));
    spin(20);
    EXPECT_NE(Stored("VE6KIX"), nullptr);
    EXPECT_NE(Stored("VE6KIY"), nullptr);
    EXPECT_EQ(Stored("VE6KIZ"), nullptr);
    EXPECT_FALSE(dmdx->TelnetClient()->Connected());
    EXPECT_EQ(ConsoleLines().filter("A line of more than 4096 characters").size(), 1);
    for (const TDXClusterData& d : console)
        EXPECT_LE(d.Line.size(), 100);
    EXPECT_EQ(dmdx->DXClusterConnectAction->text(), "Connect");
}

TEST_F(ClusterModule, FailedConnectIsShown)
{
    quint16 port;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        port = closed.serverPort();
    }
    Configure(port);
    events.clear();
    dmdx->Connect();
    ASSERT_TRUE(waitUntil([&] { return !console.empty(); }));
    EXPECT_TRUE(console[0].Line.startsWith(QStringLiteral("Cannot connect to 127.0.0.1:%1: ").arg(port)))
        << console[0].Line.toStdString();
    EXPECT_FALSE(dmdx->TelnetClient()->Connected());
    EXPECT_EQ(events, QStringList({"1 Test node 0"}));

    // No answer at all: the time-out ends the attempt.
    NewModule();
    dmdx->TelnetClient()->SetHost("10.255.255.1");
    dmdx->TelnetClient()->SetPort(7300);
    dmdx->SetUsername("M0LTE");
    dmdx->Connect();
    vx::Clock::advance(TTelnetClient::DefaultConnectTimeout);
    ASSERT_TRUE(waitUntil([&] { return !console.empty(); }));
    EXPECT_TRUE(console[0].Line.startsWith("Cannot connect to 10.255.255.1:7300: ")) << console[0].Line.toStdString();
    EXPECT_FALSE(dmdx->TelnetClient()->Connecting());
}

TEST_F(ClusterModule, ActionsFollowTheConnection)
{
    ScriptedCluster node;
    node.send("Hello\r\n");
    // Without a name the cluster is not enabled; without a user nothing connects.
    dmdx->SetHost("127.0.0.1");
    dmdx->SetPort(node.port());
    dmdx->Open();
    EXPECT_FALSE(dmdx->DXClusterConnectAction->isEnabled());
    EXPECT_FALSE(dmdx->DXClusterConnectAction->toolTip().contains("Connect to"));
    dmdx->SetName("Test node");
    dmdx->Connect();
    spin(50);
    EXPECT_EQ(node.connections, 0);

    Configure(node.port(), QString());
    EXPECT_TRUE(dmdx->DXClusterConnectAction->isEnabled());
    EXPECT_EQ(dmdx->DXClusterConnectAction->toolTip(), "Connect to Test node");
    EXPECT_FALSE(dmdx->Command1Action->isEnabled());
    events.clear();
    dmdx->DXClusterConnectAction->trigger();
    ASSERT_TRUE(waitUntil([&] { return dmdx->TelnetClient()->Connected(); }));
    EXPECT_EQ(dmdx->DXClusterConnectAction->text(), "Disconnect");
    EXPECT_EQ(dmdx->DXClusterConnectAction->toolTip(), "Connected to 127.0.0.1");
    EXPECT_TRUE(dmdx->Command1Action->isEnabled());
    EXPECT_EQ(events, QStringList({"1 Test node 1"}));

    dmdx->SetCommand3("SH/MYDX 20");
    dmdx->Command1Action->trigger();
    dmdx->Command3Action->trigger();
    ASSERT_TRUE(waitUntil([&] { return node.lines.size() >= 3; }));
    EXPECT_EQ(node.lines.mid(1), QList<QByteArray>({"SH/DX", "SH/MYDX 20"}));

    dmdx->DXClusterConnectAction->trigger();
    EXPECT_FALSE(dmdx->TelnetClient()->Connected());
    EXPECT_EQ(ConsoleLines().last(), "Disconnected");
    EXPECT_EQ(dmdx->DXClusterConnectAction->text(), "Connect");
    EXPECT_FALSE(dmdx->Command2Action->isEnabled());
    EXPECT_EQ(events.last(), "1 Test node 0");
    ASSERT_TRUE(waitUntil([&] { return node.clientClosed; }));
}

TEST_F(ClusterModule, CommandCaptions)
{
    dmdx->SetCommand1("SH/DX 20");
    EXPECT_EQ(dmdx->Command1Action->text(), "SH/DX 20");
    dmdx->SetCommand2("SH/DX 200");
    EXPECT_EQ(dmdx->Command2Action->text(), "SH/DX 20...");
    EXPECT_EQ(dmdx->Command2Action->toolTip(), "SH/DX 200");
    dmdx->SetCommand3("");
    EXPECT_EQ(dmdx->Command3Action->text(), "");
}

TEST_F(ClusterModule, SettingsRoundTrip)
{
    TDMApplication app;
    TIniStore& ini = *app.IniRegistry();
    ini.WriteString("Client\\DXCluster\\Cluster0", "Host", "dx.example.net");
    ini.WriteString("Client\\DXCluster\\Cluster0", "Name", "Example");
    ini.WriteInteger("Client\\DXCluster\\Cluster0", "Port", 7373);
    ini.WriteString("Client\\DXCluster\\Cluster0", "Username", "DL1ABC");
    ini.WriteString("Client\\DXCluster\\Cluster0", "Password", "pw");
    ini.WriteString("Client\\DXCluster\\ConnectCommands", "Command0", "SET/NAME X");
    ini.WriteString("Client\\DXCluster\\ConnectCommands", "Command1", "SH/DX");
    ini.WriteString("Client\\DXCluster\\LastCommands", "Command0", "");
    ini.WriteString("Client\\DXCluster\\LastCommands", "Command1", "SH/WWV");
    ini.WriteString("Client\\DXCluster\\Buttons", "Button3", "SH/USERS");
    ini.WriteInteger("Client\\General", "RangeUnit", 1);
    ini.WriteString("Client\\General", "MyCall", "DL1ABC");
    ini.WriteBool("Client\\DXSpots\\Bands", "b20m", false);
    ini.WriteInteger("Client\\DXSpots\\Bands", "DXSpotsOnly", 2);
    ini.WriteInteger("Client\\DXSpots", "DXSpotsLifetime", 30);
    ini.WriteString("Client\\Bandplan", "BP6", "14000000-14070000 14100000-14350000 14070000-14099999");
    ini.WriteString("Client\\WWV", "LastData", "2026-02-01 18");
    ini.WriteInteger("Client\\WWV", "SFI", 141);

    dmdx->IniRead();
    EXPECT_EQ(dmdx->Host(), "dx.example.net");
    EXPECT_EQ(dmdx->Port(), 7373);
    EXPECT_TRUE(dmdx->DXClusterEnabled());
    EXPECT_EQ(dmdx->Commands(), QStringList({"SET/NAME X", "SH/DX"}));
    EXPECT_TRUE(dmdx->ClusterCommands().isEmpty()) << "an empty first key ends the list";
    EXPECT_EQ(dmdx->Command3Action->text(), "SH/USERS");
    EXPECT_EQ(dmdx->Command1(), "SH/DX");
    EXPECT_EQ(engine->RangeUnit(), ruMiles);
    EXPECT_EQ(engine->MyDXCCNo(), 0) << "the country data is loaded by Open";
    EXPECT_EQ(engine->MyCall(), "DL1ABC");
    EXPECT_EQ(engine->DXSpotsLifetime(), 30);
    EXPECT_EQ(engine->BandmapLifetime(), 60);
    EXPECT_TRUE(engine->SpotsOptions().Contains(hideAwardSpots));
    const TShowBands bands = engine->DXSpotFilter().ShowBands();
    EXPECT_FALSE(bands.Contains(bdAll));
    EXPECT_FALSE(bands.Contains(bd60));
    EXPECT_FALSE(bands.Contains(bd20));
    EXPECT_TRUE(bands.Contains(bd160));
    EXPECT_TRUE(bands.Contains(bd6));
    EXPECT_EQ(engine->DXSpotFilter().ShowContinent(), cfCountry);
    EXPECT_EQ(engine->DXBandplan().GetIniString(bd20), "14000000-14070000 14100000-14350000 14070000-14099999");
    EXPECT_EQ(engine->WWV().SFI(), 141);
    EXPECT_EQ(engine->WWV().LastDataAsString(), "2026-02-01 18");

    dmdx->ClusterCommands() = {"SH/DX 10", "SH/WWV"};
    dmdx->Commands() = {"ONE"};
    dmdx->IniWrite();
    EXPECT_EQ(ini.ReadSection("Client\\DXCluster\\ConnectCommands"), QStringList({"Command0"}));
    EXPECT_EQ(ini.ReadString("Client\\DXCluster\\LastCommands", "Command1", ""), "SH/WWV");
    EXPECT_EQ(ini.ReadString("Client\\DXCluster\\Cluster0", "Password", ""), "pw");
    EXPECT_EQ(ini.ReadInteger("Client\\General", "RangeUnit", 0), 1);
    EXPECT_FALSE(ini.ReadBool("Client\\DXSpots\\Bands", "b20m", true));
    EXPECT_TRUE(ini.ReadBool("Client\\DXSpots\\Bands", "b40m", false));

    NewModule();
    dmdx->IniRead();
    EXPECT_EQ(dmdx->ClusterCommands(), QStringList({"SH/DX 10", "SH/WWV"}));
    EXPECT_EQ(dmdx->Commands(), QStringList({"ONE"}));
    EXPECT_EQ(engine->DXBandplan().GetIniString(bd20), "14000000-14070000 14100000-14350000 14070000-14099999");
}

TEST(ADIFField, ValuesByTag)
{
    const struct {
        const char* tag;
        const char* line;
        const char* value;
    } cases[] = {
        {"<CALL:", "<call:5>K1ABC <band:3>20m", "K1ABC"},
        {"<CALL:", "<CALL:5:S>K1ABC<BAND:3>20m", "K1ABC"},
        {"<BAND:", "<call:5>K1ABC <band:3>20m", "20m"},
        {"<CALL:", "<call:0>K1ABC", ""},
        {"<CALL:", "<call:x>K1ABC", ""},
        {"<CALL:", "<call:99999999999>K1ABC", ""},
        {"<CALL:", "<call:5", ""},
        {"<COMMENT:", "<comment:9> Hi there<eor>", "Hi there"},
        {"<CALL:", "<call:9>K1ABC", "K1ABC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TDMDX::ExtractADIFField(c.tag, c.line), QString::fromLatin1(c.value)) << c.line;
    // A text whose upper case is longer ("ß" gives "SS") does not shift the fields after it.
    EXPECT_EQ(TDMDX::ExtractADIFField("<MODE:", QString::fromUtf8("<comment:5>Grüße <mode:3>FT8")), "FT8");
}

namespace {

struct WSJTSettings : TWSJTLogSettings {
    bool band = false, freq = false;
    bool WSJTLogBand() const override { return band; }
    bool WSJTLogFreq() const override { return freq; }
};

// A real WSJT-X 2.6.1 FT4 record.
const QString FT4Record = QStringLiteral(
    "<call:4>K9RE <gridsquare:4>EN62 <mode:4>MFSK <submode:3>FT4 <rst_sent:3>+04 <rst_rcvd:3>-05 "
    "<qso_date:8>20230407 <time_on:6>205046 <qso_date_off:8>20230407 <time_off:6>205115 <band:3>10m "
    "<freq:9>28.180706 <station_callsign:6>KK7KNB <my_gridsquare:6>CN85QN <tx_pwr:3>45W "
    "<comment:25>FT4  Sent: +04  Rcvd: -05 <eor>");

class WSJTQSO : public ClusterModule {
protected:
    void SetUp() override
    {
        ClusterModule::SetUp();
        ASSERT_TRUE(logDir.isValid());
        log.SetMyCall("DL1ABC");
        log.SetLogFolder(logDir.path());
        log.SetLogFileName("test.log");
        ASSERT_TRUE(log.NewLogFile());
        engine->SetLogInterface(&log);
        engine->SetFTCATInterface(&cat);
        dmdx->SetWSJTSettings(&settings);
        engine->Open();
        cat.PrepareTX(); // offline: the state follows at once
        cat.SetFrequency(0, 7074000);
    }
    void TearDown() override
    {
        log.WaitForWriter();
        ClusterModule::TearDown();
    }

    QStringList Logged() const { return log.LogBook(); }
    TLogRecord Last() const
    {
        TLogRecord r;
        r.ExplodeQSOLine(log.LogBook().last());
        return r;
    }

    QTemporaryDir logDir;
    TLogInterface log;
    TFTCATInterface cat;
    WSJTSettings settings;
};

} // namespace

TEST_F(WSJTQSO, BandAndFrequencyFromTheRadioOrTheReport)
{
    dmdx->AddWSJTQSO(FT4Record);
    ASSERT_EQ(Logged().size(), 1);
    TLogRecord r = Last();
    EXPECT_EQ(r.Call(), "K9RE");
    EXPECT_EQ(r.Band(), bd40) << "the radio's band, not the report's";
    EXPECT_EQ(r.Freq(), 7074000u);
    EXPECT_EQ(r.Mode(), mMFSK);
    EXPECT_EQ(r.SubMode(), "FT4");
    EXPECT_EQ(r.QSODateAsString(), "20230407") << "the QSO's own date";
    EXPECT_EQ(r.TimeOnAsString(), "205046");
    EXPECT_EQ(r.RSTSent(), "+04");
    EXPECT_EQ(r.RSTRcvd(), "-05");
    EXPECT_EQ(r.GridSquare(), "EN62");
    EXPECT_EQ(r.Comment(), "FT4  Sent: +04  Rcvd: -05");
    EXPECT_EQ(r.StationCallsign(), "DL1ABC");
    EXPECT_EQ(r.DXCC(), "291");
    EXPECT_EQ(r.Continent(), coNA);
    EXPECT_EQ(r.CQZone(), "04");
    EXPECT_TRUE(log.LogRecord().Call().isEmpty()) << "the working record is left alone";

    settings.band = settings.freq = true;
    dmdx->AddWSJTQSO(QString(FT4Record).replace("K9RE", "K9RF"));
    r = Last();
    EXPECT_EQ(r.Band(), bd10);
    EXPECT_EQ(r.Freq(), 28181000u) << "the log keeps kHz";
}

TEST_F(WSJTQSO, ArrivalTimeOnlyWithoutTheReportsOwn)
{
    vx::Clock::setUtc(QDateTime(QDate(2026, 2, 1), QTime(18, 50, 33), Qt::UTC));
    dmdx->AddWSJTQSO("<call:6>KL7ABC <mode:3>FT8 <eor>");
    ASSERT_EQ(Logged().size(), 1);
    const TLogRecord r = Last();
    EXPECT_EQ(r.QSODateAsString(), "20260201");
    EXPECT_EQ(r.TimeOnAsString(), "185000");
    EXPECT_EQ(r.USState(), "AK");

    dmdx->AddWSJTQSO("<mode:3>FT8 <band:3>20m <eor>");
    dmdx->AddWSJTQSO("<call:2>K1 <mode:3>FT8 <eor>");
    EXPECT_EQ(Logged().size(), 1) << "without a call, or incomplete: not logged";
}
