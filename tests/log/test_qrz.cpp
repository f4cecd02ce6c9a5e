// The callbook client: login and its messages, lookups filling the record, answers that
// arrive late or broken, the station's picture, and the record's own rules.
#include "WebFixture.h"

#include "log/QRZInterface.h"

using vxtest::HttpsServer;

namespace {

const QByteArray XMLPath = "/xml/current/";
const QString Password = QStringLiteral("pa;ss&w rd");
const QByteArray Key = "2331uf894c4bd29f3923f3bacf02c532d7bd9";

QByteArray LoginAnswer(const QByteArray& subExp = "Tue Jan 9 10:11:12 2024", const QByteArray& count = "123")
{
    return "<?xml version=\"1.0\" ?>\n<QRZDatabase version=\"1.34\" xmlns=\"http://xmldata.qrz.com\">\n"
           "  <Session>\n    <Key>"
           + Key + "</Key>\n    <Count>" + count + "</Count>\n    <SubExp>" + subExp
           + "</SubExp>\n    <GMTime>Sun Nov 16 04:13:46 2012</GMTime>\n  </Session>\n</QRZDatabase>\n";
}

QByteArray LookupAnswer(const QByteArray& call, const QByteArray& image = {})
{
    return "<?xml version=\"1.0\" ?>\n<QRZDatabase version=\"1.34\">\n  <Callsign>\n    <call>" + call
           + "</call>\n    <aliases>N6UFT,KJ6RK</aliases>\n    <dxcc>291</dxcc>\n    <fname>WILLIAM SMITH</fname>\n"
             "    <name>Lloyd</name>\n    <addr1>8711 E Pinnacle Peak Rd 193</addr1>\n    <addr2>Scottsdale</addr2>\n"
             "    <state>AZ</state>\n    <zip>85255</zip>\n    <country>United States</country>\n"
             "    <grid>DM43</grid>\n    <qslmgr>via K1ABC direct</qslmgr>\n    <cqzone>5</cqzone>\n"
             "    <ituzone>14</ituzone>\n    <lotw>1</lotw>\n    <image>"
           + image + "</image>\n  </Callsign>\n  <Session>\n    <Key>" + Key
           + "</Key>\n    <Count>124</Count>\n  </Session>\n</QRZDatabase>\n";
}

QByteArray ErrorAnswer(const QByteArray& error)
{
    return "<?xml version=\"1.0\" ?>\n<QRZDatabase>\n  <Session>\n    <Error>" + error
           + "</Error>\n  </Session>\n</QRZDatabase>\n";
}

class Callbook : public WebFixture {
protected:
    void SetUp() override
    {
        WebFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        qrz.SetHost(server->baseUrl());
        qrz.SetUseQRZ(true);
        qrz.SetMyUsername("k1xyz");
        qrz.SetMyPassword(Password);
        const auto note = [this](const char* name) {
            return [this, name](bool success, const QString& message) {
                events << QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(success).arg(message);
            };
        };
        qrz.OnSession = note("Session");
        qrz.OnTestButton = note("Test");
        qrz.OnRequest = note("Request");
        qrz.OnDebug = [this](bool, const QString& text) { debug << text; };
        qrz.OnInfoAvailable = [this](bool v) { events << QStringLiteral("Info %1").arg(v); };
        qrz.OnImage = [this](bool v) { events << QStringLiteral("Image %1").arg(v); };
    }

    // Waits until an event that begins with the text has come.
    bool waitFor(const QString& start)
    {
        return vxtest::waitUntil(
            [&] { return std::any_of(events.cbegin(), events.cend(), [&](const QString& e) { return e.startsWith(start); }); },
            20000);
    }

    void login()
    {
        server->setResponse(XMLPath, Answer(LoginAnswer()));
        qrz.Open();
        ASSERT_TRUE(waitFor("Session"));
        ASSERT_TRUE(qrz.SessionStarted());
        events.clear();
    }

    static QByteArray LookupTarget(const QByteArray& call) { return XMLPath + "?s=" + Key + ";callsign=" + call; }

    void lookup(const QString& call)
    {
        qrz.QRZRecord()->SetCallsignRequest(call);
        qrz.Request();
        ASSERT_TRUE(waitFor("Info"));
    }

    TQRZInterface qrz;
    QStringList events;
    QStringList debug;
};

} // namespace

TEST_F(Callbook, LoginReportsTheSession)
{
    server->setResponse(XMLPath, Answer(LoginAnswer()));
    qrz.Open();
    EXPECT_FALSE(qrz.SessionStarted());
    ASSERT_TRUE(waitFor("Session"));
    EXPECT_EQ(events, QStringList({"Test 1 QRZ.COM Session login successful!", "Test 1 Subscription expires: 2024-01-09",
                                   "Test 1 XML Requests: 123", "Session 1 QRZ.COM Session started"}));
    EXPECT_TRUE(qrz.SessionStarted());
    EXPECT_TRUE(qrz.Active());
    EXPECT_EQ(qrz.SubscriptionExpires(), QDate(2024, 1, 9));
    ASSERT_EQ(server->requests.size(), 1);
    const HttpsServer::Request& r = server->requests[0];
    EXPECT_EQ(r.Path(), XMLPath);
    EXPECT_EQ(r.QueryValue("username", ';'), "k1xyz");
    EXPECT_EQ(r.QueryValue("password", ';'), Password);
    EXPECT_EQ(r.QueryValue("agent", ';'), "Brindlex");
    ExpectNowhere(Password, events + debug);

    // A subscription that has no date: the login still completes.
    events.clear();
    server->setResponse(XMLPath, Answer(LoginAnswer("non-subscriber", "x")));
    qrz.Open();
    ASSERT_TRUE(waitFor("Session"));
    EXPECT_EQ(events, QStringList({"Test 1 QRZ.COM Session login successful!", "Test 1 Subscription expires: non-subscriber",
                                   "Test 1 XML Requests: 0", "Session 1 QRZ.COM Session started"}));
}

// Every failed login reports Success false to the settings dialog and the entry panel, and
// starts no session.
TEST_F(Callbook, FailedLogins)
{
    std::unique_ptr<HttpsServer> untrusted;
    const QByteArray login = LoginAnswer();
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* message; // how the message after "QRZ.COM" begins
    } cases[] = {
        {"empty password", [&] { qrz.SetMyPassword({}); }, " Username and/or Password is empty"},
        {"service error", [&] { server->setResponse(XMLPath, Answer(ErrorAnswer("Username/password incorrect"))); },
         " Error: Username/password incorrect"},
        {"status 500", [&] { server->setResponse(XMLPath, Answer(login, 500, "Internal Server Error")); },
         " Error: HTTP 500 Internal Server Error"},
        {"cut off in the key",
         [&] {
             HttpsServer::Response r = Answer(login);
             r.SendBytes = login.indexOf("</Key>") - 4;
             server->setResponse(XMLPath, r);
         },
         " Error: "},
        {"key never closed", [&] { server->setResponse(XMLPath, Answer("<QRZDatabase><Session><Key>abc")); },
         " Error: the answer holds no session key"},
        {"larger than 1 MiB",
         [&] { server->setResponse(XMLPath, Answer(login + QByteArray(1024 * 1024, ' '))); },
         " Error: the answer is larger than"},
        {"another CA's certificate",
         [&] {
             untrusted = UntrustedServer();
             untrusted->setResponse(XMLPath, Answer(login));
             qrz.SetHost(untrusted->baseUrl());
         },
         " Error: SSL handshake failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server = std::make_unique<HttpsServer>(*certificates);
        qrz.SetHost(server->baseUrl());
        qrz.SetMyPassword(Password);
        events.clear();
        c.arrange();
        qrz.Open();
        ASSERT_TRUE(waitFor("Session"));
        ASSERT_EQ(events.size(), 2) << events.join('\n').toStdString();
        EXPECT_TRUE(events[0].startsWith(QStringLiteral("Test 0 QRZ.COM") + c.message)) << events[0].toStdString();
        EXPECT_EQ(events[1], "Session" + events[0].mid(4));
        EXPECT_FALSE(qrz.SessionStarted());
        EXPECT_FALSE(qrz.Active());
        ExpectNowhere(Password, events + debug);
    }
    EXPECT_TRUE(untrusted->log.isEmpty());
}

TEST_F(Callbook, LookupFillsTheRecord)
{
    login();
    qrz.SetDXSpots([](const QString& grid) { return "1234 km 270° to " + grid; });
    server->setResponse(LookupTarget("AA7BQ"), Answer(LookupAnswer("AA7BQ")));
    lookup("AA7BQ/P");
    EXPECT_EQ(events, QStringList({"Request 1 QRZ.COM Request OK", "Info 1"}));
    EXPECT_EQ(server->log.last(), QString::fromLatin1("GET " + LookupTarget("AA7BQ")));
    const TQRZRecord& r = *qrz.QRZRecord();
    EXPECT_TRUE(qrz.RequestSuccess());
    EXPECT_TRUE(r.Success());
    EXPECT_EQ(r.Call(), "AA7BQ");
    EXPECT_EQ(r.DXCC(), 291);
    EXPECT_EQ(r.FirstName(), "Bill");
    EXPECT_EQ(r.CQZone(), "05");
    EXPECT_EQ(r.ITUZone(), "14");
    EXPECT_TRUE(r.LoTW());
    EXPECT_EQ(r.QSLInfo(), "K1ABC");
    EXPECT_EQ(r.RangeAndBearing(), "1234 km 270° to DM43");
    EXPECT_EQ(r.AllInfo(), "WILLIAM SMITH Lloyd\r\n8711 E Pinnacle Peak Rd 193\r\nScottsdale\r\nAZ 85255\r\n"
                           "United States\r\n\r\nvia K1ABC direct\r\nDM43 1234 km 270° to DM43");

    // The callsign the record holds is not asked for again.
    events.clear();
    qrz.Request();
    EXPECT_EQ(events, QStringList({"Request 1 "}));
    EXPECT_EQ(server->requests.size(), 2);

    // Not found: the record is cleared.
    events.clear();
    server->setResponse(LookupTarget("XX1XX"), Answer(ErrorAnswer("Not found: XX1XX")));
    lookup("XX1XX");
    EXPECT_EQ(events, QStringList({"Request 0 QRZ.COM Error: Not found: XX1XX", "Info 0"}));
    EXPECT_TRUE(qrz.QRZRecord()->Call().isEmpty());
    EXPECT_FALSE(qrz.RequestSuccess());

    // Neither a callsign nor an error, or an answer cut off: only the information is withdrawn.
    for (const QByteArray& answer : {QByteArray("<QRZDatabase><Session><Key>k</Key></Session></QRZDatabase>"),
                                     LookupAnswer("YY1YY").left(LookupAnswer("YY1YY").indexOf("</call>"))}) {
        events.clear();
        server->setResponse(LookupTarget("YY1YY"), Answer(answer));
        lookup("YY1YY");
        EXPECT_EQ(events, QStringList({"Info 0"}));
    }
    // A transport failure is an error.
    events.clear();
    server->setResponse(LookupTarget("ZZ1ZZ"), Answer("", 503, "Service Unavailable"));
    lookup("ZZ1ZZ");
    EXPECT_EQ(events, QStringList({"Request 0 QRZ.COM Error: HTTP 503 Service Unavailable", "Info 0"}));
}

// Only the latest lookup counts: an older answer arriving later is dropped.
TEST_F(Callbook, ALateAnswerDoesNotOverwriteTheLatest)
{
    login();
    for (const QByteArray call : {"AA1AA", "BB1BB"}) {
        HttpsServer::Response r = Answer(LookupAnswer(call));
        r.Hold = true;
        server->setResponse(LookupTarget(call), r);
        qrz.QRZRecord()->SetCallsignRequest(QString::fromLatin1(call));
        qrz.Request();
    }
    ASSERT_TRUE(vxtest::waitUntil([&] { return server->held() == 2; }));
    server->release(LookupTarget("BB1BB"));
    ASSERT_TRUE(waitFor("Info"));
    server->release(LookupTarget("AA1AA"));
    vxtest::waitUntil([&] { return server->requests.size() == 3 && server->held() == 0; });
    vxtest::spin(200);
    EXPECT_EQ(events, QStringList({"Request 1 QRZ.COM Request OK", "Info 1"}));
    EXPECT_EQ(qrz.QRZRecord()->Call(), "BB1BB");
}

TEST_F(Callbook, ThePictureOfTheStation)
{
    login();
    const QByteArray jpeg = QByteArray("\xFF\xD8\xFF\xE0") + QByteArray(5000, 'j');
    server->setResponse("/pictures/aa7bq.jpg", Answer(jpeg));
    const QByteArray url = server->baseUrl().toUtf8() + "/pictures/aa7bq.jpg";
    server->setResponse(LookupTarget("AA7BQ"), Answer(LookupAnswer("AA7BQ", url)));
    qrz.SetImageDownload(true);
    lookup("AA7BQ");
    ASSERT_TRUE(waitFor("Image"));
    EXPECT_EQ(events.last(), "Image 1");
    EXPECT_EQ(qrz.QRZRecord()->ImageStream(), jpeg);
    // Fetched again: still one copy.
    events.clear();
    qrz.DownloadImage();
    ASSERT_TRUE(waitFor("Image"));
    EXPECT_EQ(qrz.QRZRecord()->ImageStream(), jpeg);

    // A picture over plain http is not fetched; one over 5 MiB is dropped.
    server->setResponse("/pictures/big.jpg", Answer(QByteArray(5 * 1024 * 1024 + 1, 'j')));
    const struct {
        const char* call;
        QByteArray image;
        int fetches;
    } refused[] = {{"BB1BB", "http://127.0.0.1:1/pictures/aa7bq.jpg", 0},
                   {"CC1CC", server->baseUrl().toUtf8() + "/pictures/big.jpg", 1}};
    for (const auto& c : refused) {
        SCOPED_TRACE(c.call);
        server->setResponse(LookupTarget(c.call), Answer(LookupAnswer(c.call, c.image)));
        events.clear();
        const qsizetype before = server->requests.size();
        lookup(c.call);
        EXPECT_TRUE(vxtest::waitUntil([&] { return server->requests.size() == before + 1 + c.fetches; }));
        vxtest::spin(200);
        EXPECT_EQ(events, QStringList({"Request 1 QRZ.COM Request OK", "Info 1"}));
        EXPECT_TRUE(qrz.QRZRecord()->ImageStream().isEmpty());
    }
}

TEST(QRZRecord, Rules)
{
    TQRZRecord r;
    const std::pair<const char*, const char*> calls[] = {
        {"K1ABC", "K1ABC"},     {"K1ABC/P", "K1ABC"},   {"DL/K1ABC", "K1ABC"}, {"W1A/K1B", "K1B"},
        {"W1A/VP9", "W1A"},     {"VP9/W1A", "W1A"},     {"K1ABC/MM", "K1ABC"}, {"/", ""},
    };
    for (const auto& [written, read] : calls) {
        r.SetCallsignRequest(written);
        EXPECT_EQ(r.CallsignRequest(), read) << written;
    }
    const std::pair<const char*, const char*> names[] = {
        {"WILLIAM SMITH", "Bill"}, {"robert", "Bob"}, {"Thomas J.", "Tom"}, {"ANNA", "Anna"},
        {"Williams", "Williams"},  {"", ""},
    };
    for (const auto& [stored, read] : names) {
        r.SetFirstName(stored);
        EXPECT_EQ(r.FirstName(), read) << stored;
    }
    const std::pair<const char*, const char*> zones[] = {{"5", "05"}, {"14", "14"}, {"", ""}, {"123", "123"}};
    for (const auto& [written, read] : zones) {
        r.SetCQZone(written);
        r.SetITUZone(written);
        EXPECT_EQ(r.CQZone(), read);
        EXPECT_EQ(r.ITUZone(), read);
    }
    const std::pair<const char*, const char*> managers[] = {
        {"via K1ABC direct", "K1ABC"}, {"QSL via bureau or direct", ""}, {"via ea5/k1abc", "EA5"},
        {"mgr: W1AW.", "W1AW"},        {"", ""},
    };
    for (const auto& [manager, call] : managers) {
        r.SetQslmgr(manager);
        EXPECT_EQ(r.QSLInfo(), call) << manager;
    }
    // Clear keeps the request and the count.
    r.SetCallsignRequest("K1ABC");
    r.SetCount(7);
    r.SetCall("K1ABC");
    r.SetImageStream("jpeg");
    r.SetSuccess(true);
    r.Clear();
    EXPECT_EQ(r.CallsignRequest(), "K1ABC");
    EXPECT_EQ(r.Count(), 7);
    EXPECT_TRUE(r.Call().isEmpty());
    EXPECT_TRUE(r.ImageStream().isEmpty());
    EXPECT_FALSE(r.Success());
}

TEST(QRZInterface, ExpiryDates)
{
    const std::pair<const char*, QDate> cases[] = {
        {"Tue Jan 9 10:11:12 2024", QDate(2024, 1, 9)},
        {"Wed Dec 31 23:59:59 2025", QDate(2025, 12, 31)},
        {"non-subscriber", QDate()},
        {"Tue Feb 30 10:11:12 2024", QDate()},
        {"", QDate()},
    };
    for (const auto& [text, date] : cases)
        EXPECT_EQ(TQRZInterface::ExpiryDate(text), date) << text;
}

TEST(QRZInterface, NoRequestsWhileOff)
{
    TQRZInterface qrz;
    QList<bool> changes;
    qrz.OnUseQRZ = [&](bool v) { changes << v; };
    int events = 0;
    qrz.OnSession = [&](bool, const QString&) { ++events; };
    qrz.Open();
    qrz.QRZRecord()->SetCallsignRequest("K1ABC");
    qrz.Request();
    EXPECT_EQ(events, 0);
    qrz.SetUseQRZ(true);
    qrz.SetUseQRZ(true);
    qrz.SetUseQRZ(false);
    EXPECT_EQ(changes, QList<bool>({true, false}));
}
