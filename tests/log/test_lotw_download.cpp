// The LoTW report download: the request as LoTW expects it, the report saved and read, and
// every bad answer leaving the earlier report and the date alone.
#include "WebFixture.h"

#include "log/LoTWInterface.h"

#include <QFile>
#include <QTemporaryDir>

using vxtest::HttpsServer;

namespace {

const QByteArray ReportPath = "/lotwuser/lotwreport.adi";
const QString Password = QStringLiteral("p&ss word#1");

QByteArray TestFile(const QString& relative)
{
    QFile f(QStringLiteral(VX_TESTDATA_DIR "/") + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class LoTWDownload : public WebFixture {
protected:
    void SetUp() override
    {
        WebFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(folder.isValid());
        lotw.SetHost(server->baseUrl());
        lotw.SetLoTWReportPath(folder.path());
        lotw.SetLoTWUsername("k1xyz");
        lotw.SetLoTWPassword(Password);
        lotw.SetLoTWLastQSL(QDate(2026, 1, 1));
        lotw.OnLoTWDownload = [this](bool success, int32_t qsos) { results << std::pair{success, qsos}; };
    }

    // Downloads and waits for the result.
    std::pair<bool, int32_t> download()
    {
        results.clear();
        lotw.DownloadADIFReport();
        EXPECT_TRUE(results.isEmpty()); // never before the call has returned
        EXPECT_TRUE(vxtest::waitUntil([&] { return !results.isEmpty(); }, 20000));
        EXPECT_FALSE(lotw.Downloading());
        return results.value(0, {false, -1});
    }

    QByteArray report() const
    {
        QFile f(folder.filePath("lotwreport.adi"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    TLoTWInterface lotw;
    QList<std::pair<bool, int32_t>> results;
};

} // namespace

TEST_F(LoTWDownload, TheRequestCarriesTheLoginWholeAndTheDate)
{
    const QByteArray body = TestFile("lotw/lotwreport_qsldetail.adi");
    ASSERT_FALSE(body.isEmpty());
    server->setResponse(ReportPath, Answer(body));
    EXPECT_EQ(download(), std::pair(true, int32_t(85)));
    ASSERT_EQ(server->requests.size(), 1);
    const HttpsServer::Request& r = server->requests[0];
    EXPECT_EQ(r.Method, "GET");
    EXPECT_EQ(r.Path(), ReportPath);
    EXPECT_EQ(r.QueryValue("login"), "k1xyz");
    EXPECT_EQ(r.QueryValue("password"), Password);
    EXPECT_EQ(r.QueryValue("qso_query"), "1");
    EXPECT_EQ(r.QueryValue("qso_qsldetail"), "yes");
    EXPECT_EQ(r.QueryValue("qso_withown"), "yes");
    EXPECT_EQ(r.QueryValue("qso_qslsince"), "2026-01-01");
    EXPECT_EQ(r.Header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)");

    // Saved as received.  The report's date waits until the logs hold the report.
    EXPECT_EQ(report(), body);
    EXPECT_EQ(lotw.LoTWQSLs(), 85);
    EXPECT_EQ(lotw.ReportLastQSL(), QDate(2026, 1, 27));
    EXPECT_EQ(lotw.LoTWLastQSL(), QDate(2026, 1, 1));
    lotw.CommitLastQSL();
    EXPECT_EQ(lotw.LoTWLastQSLAsString(), "2026-01-27");

    // Without a date every confirmation is asked for.
    lotw.SetLoTWLastQSL(QDate());
    server->setResponse(ReportPath, Answer(TestFile("lotw/lotwreport_empty.adi")));
    EXPECT_EQ(download(), std::pair(true, int32_t(0)));
    ASSERT_EQ(server->requests.size(), 2);
    EXPECT_FALSE(server->requests[1].Target.contains("qso_qslsince"));
    EXPECT_EQ(lotw.ReportLastQSL(), QDate());
    EXPECT_EQ(report(), TestFile("lotw/lotwreport_empty.adi"));
    ExpectNowhere(Password, {lotw.DownloadError()});
}

// Anything but a whole LoTW report fails and leaves the earlier report, byte for byte, and
// the date as they were.
TEST_F(LoTWDownload, BadAnswersKeepTheEarlierReport)
{
    const QByteArray earlier = TestFile("lotw/lotwreport_empty.adi");
    const QByteArray good = TestFile("lotw/lotwreport_qsldetail.adi");
    const QByteArray page = "<html><head><title>ARRL Logbook of the World</title></head>"
                            "<body>Username/password incorrect</body></html>\r\n";
    const qsizetype eoh = good.indexOf("<eoh>");
    ASSERT_GT(eoh, 0);
    std::unique_ptr<HttpsServer> untrusted;
    const struct {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"web page with status 200", [&] { server->setResponse(ReportPath, Answer(page, 200)); }},
        {"status 500", [&] { server->setResponse(ReportPath, Answer(good, 500, "Internal Server Error")); }},
        {"redirect",
         [&] {
             HttpsServer::Response r = Answer(page, 302, "Found");
             r.Headers << qMakePair(QByteArray("Location"), server->baseUrl().toUtf8() + "/elsewhere.adi");
             server->setResponse(ReportPath, r);
             server->setResponse("/elsewhere.adi", Answer(good));
         }},
        {"report without <eoh>", [&] { server->setResponse(ReportPath, Answer(good.left(eoh))); }},
        {"report cut off",
         [&] {
             HttpsServer::Response r = Answer(good);
             r.SendBytes = good.size() / 2;
             server->setResponse(ReportPath, r);
         }},
        {"another CA's certificate",
         [&] {
             untrusted = UntrustedServer();
             untrusted->setResponse(ReportPath, Answer(good));
             lotw.SetHost(untrusted->baseUrl());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QFile f(folder.filePath("lotwreport.adi"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(earlier);
        }
        server = std::make_unique<HttpsServer>(*certificates);
        lotw.SetHost(server->baseUrl());
        c.arrange();
        EXPECT_EQ(download(), std::pair(false, int32_t(0)));
        EXPECT_FALSE(lotw.DownloadError().isEmpty());
        EXPECT_EQ(report(), earlier);
        EXPECT_EQ(lotw.LoTWLastQSL(), QDate(2026, 1, 1));
        EXPECT_EQ(lotw.ReportLastQSL(), QDate());
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"lotwreport.adi"}));
        // The redirect is not followed.
        EXPECT_FALSE(server->log.join(' ').contains("elsewhere"));
        ExpectNowhere(Password, {lotw.DownloadError()});
    }
    // The server nobody trusts never saw the request, password and all.
    ASSERT_TRUE(untrusted);
    EXPECT_TRUE(untrusted->log.isEmpty());
}

TEST_F(LoTWDownload, AReportFolderThatIsMissingFailsWithoutARequest)
{
    lotw.SetLoTWReportPath(folder.filePath("missing"));
    EXPECT_EQ(download(), std::pair(false, int32_t(0)));
    EXPECT_TRUE(server->log.isEmpty());
}
