// The data-file download against an HTTPS server on 127.0.0.1: what a check asks, where a run
// stops, and answers that must never replace the installed files.
#include "DownloadFixture.h"

#include "core/DMApplication.h"
#include "tests/support/Wait.h"

#include <functional>

using vxtest::HttpsServer;
using vxtest::waitUntil;

namespace {

class DataFileDownload : public DownloadFixture {
protected:
    void SetUp() override
    {
        DownloadFixture::SetUp();
        Make();
    }
    void TearDown() override { vx::Clock::useSystem(); }

    void Make()
    {
        download = std::make_unique<TDXDataFileDownload>();
        download->SetBaseAddress(server->baseUrl());
        download->OnCheck = [this](bool success, const QString& response) { results << Result{false, success, response}; };
        download->OnDownload = [this](bool success, const QString& response) { results << Result{true, success, response}; };
    }

    bool Finished() { return waitUntil([this] { return !results.isEmpty(); }, 20000); }

    // A download that has fetched cty.dat and waits for an answer about dxccentity.dat.
    bool StartStalledDownload()
    {
        Stall(DXCCPath);
        Offer(CTYPath, offeredCTY, Newer);
        download->SetDownloadCTY(true);
        download->SetDownloadDXCC(true);
        download->DownloadDataFiles();
        return waitUntil([&] { return server->log.size() == 3; });
    }

    struct Result {
        bool Download;
        bool Success;
        QString Response;
    };
    std::unique_ptr<TDXDataFileDownload> download;
    QList<Result> results;
};

} // namespace

TEST_F(DataFileDownload, WithoutServerNothingIsAsked)
{
    download->SetBaseAddress("");
    download->CheckDataFiles();
    EXPECT_TRUE(results.isEmpty()) << "the result comes after the call has returned";
    ASSERT_TRUE(Finished());
    EXPECT_FALSE(results[0].Download);
    EXPECT_FALSE(results[0].Success);
    EXPECT_EQ(results[0].Response, "no download server set");
    EXPECT_TRUE(server->log.isEmpty());

    results.clear();
    download->SetBaseAddress("http://127.0.0.1:1");
    download->CheckDataFiles();
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(results[0].Response.startsWith("the download server must be an https:// address")) << results[0].Response.toStdString();
}

TEST_F(DataFileDownload, TheServerIsASetting)
{
    EXPECT_EQ(TDXDataFileDownload().BaseAddress(), "") << "no server without settings";
    TDMApplication app;
    EXPECT_EQ(TDXDataFileDownload().BaseAddress(), "") << "none by default";
    app.IniRegistry()->WriteString("Client\\DataFiles", "DownloadServer", server->baseUrl());
    TDXDataFileDownload fromSettings;
    EXPECT_EQ(fromSettings.BaseAddress(), server->baseUrl());
}

TEST_F(DataFileDownload, CheckAsksForTheDatesOnly)
{
    Offer(CTYPath, offeredCTY, Newer);
    download->SetDownloadCTY(true);
    download->CheckDataFiles();
    ASSERT_TRUE(Finished());
    EXPECT_FALSE(results[0].Download);
    EXPECT_TRUE(results[0].Success) << results[0].Response.toStdString();
    EXPECT_EQ(results[0].Response, "");
    EXPECT_FALSE(download->DownloadCTY()) << "a check clears the flags";
    EXPECT_EQ(download->LastModifiedCTY(), Newer);
    EXPECT_EQ(download->LastModifiedCTY().timeSpec(), Qt::LocalTime);
    EXPECT_EQ(download->LastModifiedDXCC(), Installed);
    EXPECT_EQ(server->log, QStringList({"HEAD " + CTYPath, "HEAD " + DXCCPath}));

    // A download run with nothing flagged is a check.
    results.clear();
    download->DownloadDataFiles();
    ASSERT_TRUE(Finished());
    EXPECT_FALSE(results[0].Download);
    EXPECT_TRUE(results[0].Success);
    EXPECT_FALSE(server->log.join(' ').contains("GET"));
}

TEST_F(DataFileDownload, NotFoundEndsTheRunBeforeTheSecondFile)
{
    server->setResponse(CTYPath, HttpsServer::NotFound());
    download->CheckDataFiles();
    ASSERT_TRUE(Finished());
    EXPECT_FALSE(results[0].Success);
    EXPECT_EQ(results[0].Response, "cty.dat: the server answered 404 Not Found");
    EXPECT_EQ(server->log, QStringList({"HEAD " + CTYPath}));
}

TEST_F(DataFileDownload, BothFilesArriveWhole)
{
    Offer(CTYPath, offeredCTY, Newer);
    Offer(DXCCPath, offeredDXCC, Newer);
    download->SetDownloadCTY(true);
    download->SetDownloadDXCC(true);
    download->DownloadDataFiles();
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(results[0].Download);
    EXPECT_TRUE(results[0].Success) << results[0].Response.toStdString();
    EXPECT_TRUE(download->DownloadedCTY());
    EXPECT_TRUE(download->DownloadedDXCC());
    EXPECT_EQ(State("cty.dat").Bytes, offeredCTY);
    EXPECT_EQ(State("dxccentity.dat").Bytes, offeredDXCC);
    EXPECT_EQ(server->log, QStringList({"HEAD " + CTYPath, "GET " + CTYPath, "HEAD " + DXCCPath, "GET " + DXCCPath}));
}

// Every bad answer leaves both installed files as they were, byte for byte and in time.
TEST_F(DataFileDownload, BadAnswersReplaceNothing)
{
    const QByteArray html = "<!DOCTYPE html>\n<html><head><title>Welcome</title></head><body>Hello</body></html>\n";
    const QByteArray big(11 * 1024 * 1024, 'x');
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* response; // the start of the failure text
    };
    const Case cases[] = {
        {"certificate of another CA",
         [&] { server = std::make_unique<HttpsServer>(vxtest::MakeTestCertificates("Some Other CA")); },
         "cty.dat: SSL handshake failed"},
        {"HTML page with status 200",
         [&] {
             HttpsServer::Response r;
             r.Body = html;
             r.ContentType = "text/html";
             r.LastModified = Newer;
             server->setFallback(r);
             server->setResponse(CTYPath, r);
             server->setResponse(DXCCPath, r);
         },
         "cty.dat is not a country file"},
        {"second file not an entity list",
         [&] {
             Offer(DXCCPath, html, Newer);
         },
         "dxccentity.dat is not a DXCC entity list"},
        {"body cut short",
         [&] {
             HttpsServer::Response r;
             r.Body = offeredDXCC;
             r.LastModified = Newer;
             r.SendBytes = offeredDXCC.size() / 2;
             server->setResponse(DXCCPath, r);
         },
         "dxccentity.dat: "},
        {"body cut short without a length",
         [&] {
             HttpsServer::Response r;
             r.Body = offeredDXCC.left(offeredDXCC.size() / 2);
             r.ContentLength = -2;
             r.LastModified = Newer;
             server->setResponse(DXCCPath, r);
             // The HEAD announced the whole file.
             server->setHeadLength(DXCCPath, offeredDXCC.size());
         },
         "dxccentity.dat arrived incomplete"},
        {"11 MiB announced",
         [&] {
             HttpsServer::Response r;
             r.Body = offeredCTY;
             r.ContentLength = big.size();
             r.SendBytes = 0;
             r.LastModified = Newer;
             server->setResponse(CTYPath, r);
         },
         "cty.dat is larger than 10 MiB"},
        {"11 MiB body without a length",
         [&] {
             HttpsServer::Response r;
             r.Body = big;
             r.ContentLength = -2;
             r.LastModified = Newer;
             server->setResponse(CTYPath, r);
         },
         "cty.dat is larger than 10 MiB"},
        {"empty file announced",
         [&] { Offer(CTYPath, QByteArray(), Newer); },
         "cty.dat is empty on the server"},
        {"empty body without a length",
         [&] {
             HttpsServer::Response r;
             r.ContentLength = -2;
             r.LastModified = Newer;
             server->setResponse(CTYPath, r);
         },
         "cty.dat arrived empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server = std::make_unique<HttpsServer>(*certificates);
        Offer(CTYPath, offeredCTY, Newer);
        Offer(DXCCPath, offeredDXCC, Newer);
        c.arrange();
        Make();
        results.clear();
        const DataFolder before = Take();

        download->SetDownloadCTY(true);
        download->SetDownloadDXCC(true);
        download->DownloadDataFiles();
        ASSERT_TRUE(Finished());
        ASSERT_EQ(results.size(), 1);
        EXPECT_TRUE(results[0].Download);
        EXPECT_FALSE(results[0].Success);
        EXPECT_FALSE(results[0].Response.isEmpty());
        EXPECT_TRUE(results[0].Response.startsWith(c.response)) << results[0].Response.toStdString();
        EXPECT_FALSE(download->DownloadedCTY());
        EXPECT_FALSE(download->DownloadedDXCC());
        EXPECT_EQ(Take(), before);
    }
}

TEST_F(DataFileDownload, StalledServerTimesOut)
{
    vx::Clock::useManual();
    const DataFolder before = Take();
    ASSERT_TRUE(StartStalledDownload());
    vx::Clock::advance(TDXDataFileDownload::TransferTimeout - 1);
    vxtest::spin(50);
    EXPECT_TRUE(results.isEmpty());
    vx::Clock::advance(1);
    ASSERT_TRUE(Finished());
    EXPECT_FALSE(results[0].Success);
    EXPECT_EQ(results[0].Response, "no answer from the server for 30 s");
    EXPECT_EQ(Take(), before);
}

TEST_F(DataFileDownload, DroppedRunReportsNothing)
{
    const DataFolder before = Take();
    ASSERT_TRUE(StartStalledDownload());
    download->Abort();
    EXPECT_FALSE(download->Running());
    vxtest::spin(100);
    EXPECT_TRUE(results.isEmpty());
    EXPECT_EQ(Take(), before);

    // Going away in the middle of a run is no crash either.
    download->DownloadDataFiles();
    ASSERT_TRUE(waitUntil([&] { return server->log.size() == 6; }));
    download.reset();
    vxtest::spin(100);
    EXPECT_TRUE(results.isEmpty());
    EXPECT_EQ(Take(), before);
}
