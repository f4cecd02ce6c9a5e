// The eQSL upload: the form as eQSL expects it, the reply reduced to its text lines, and the
// uploads that cannot be made or fail on the way.
#include "WebFixture.h"

#include "log/eQSLInterface.h"

#include <QFile>
#include <QTemporaryDir>

using vxtest::HttpsServer;

namespace {

const QByteArray UploadPath = "/qslcard/ImportADIF.cfm";
const QString Header = QStringLiteral("Reply from eQSL.cc ADIF Real-time Interface:");
const QByteArray Reply = "<HTML>\r\n<HEAD><TITLE>eQSL.cc ADIF Import</TITLE></HEAD>\r\n<BODY>\r\n"
                         "Result: 2 out of 2 records added<BR>\r\n"
                         "ProgramID or Logger not found<BR>\r\n"
                         "</BODY>\r\n</HTML>\r\n";

class eQSLUpload : public WebFixture {
protected:
    void SetUp() override
    {
        WebFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        eqsl.SetHost(server->baseUrl());
        eqsl.OnUploaded = [this](bool success, const QStringList& lines) {
            EXPECT_FALSE(success);
            replies << lines;
        };
        file = dir.filePath("upload.adi");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Content);
    }

    QStringList upload(const QString& user, const QString& password)
    {
        replies.clear();
        eqsl.Upload(user, password, file);
        EXPECT_TRUE(replies.isEmpty()); // never before the call has returned
        EXPECT_TRUE(vxtest::waitUntil([&] { return !replies.isEmpty(); }, 20000));
        EXPECT_FALSE(eqsl.Uploading());
        return replies.value(0);
    }

    const QByteArray Content = "ADIF Export from Vornix\r\n<PROGRAMID:6>Vornix\r\n<EOH>\r\n<CALL:4>AA1A <EOR>\r\n";
    QTemporaryDir dir;
    QString file;
    TeQSLInterface eqsl;
    QList<QStringList> replies;
};

// The name of a form part's body, as the server received it.
QByteArray Part(const QByteArray& body, const QByteArray& name)
{
    const qsizetype at = body.indexOf("name=\"" + name + "\"");
    if (at < 0)
        return {};
    const qsizetype start = body.indexOf("\r\n\r\n", at) + 4;
    const qsizetype end = body.indexOf("\r\n--", start);
    return body.mid(start, end - start);
}

} // namespace

TEST_F(eQSLUpload, TheFormArrivesAndTheReplyIsReducedToItsText)
{
    server->setResponse(UploadPath, Answer(Reply));
    const QString password = QStringLiteral("s3cr&t pass");
    EXPECT_EQ(upload("K1XYZ", password), QStringList({Header, "", "Result: 2 out of 2 records added"}));
    ASSERT_EQ(server->requests.size(), 1);
    const HttpsServer::Request& r = server->requests[0];
    EXPECT_EQ(r.Method, "POST");
    EXPECT_EQ(r.Target, UploadPath);
    EXPECT_TRUE(r.Header("Content-Type").startsWith("multipart/form-data"));
    EXPECT_EQ(Part(r.Body, "EQSL_USER"), "K1XYZ");
    EXPECT_EQ(Part(r.Body, "EQSL_PSWD"), password.toUtf8());
    EXPECT_EQ(Part(r.Body, "Filename"), Content);
    EXPECT_TRUE(r.Body.contains("filename=\"upload.adi\""));

    // Delivered as one text when OnUpload is assigned.
    QString text;
    eqsl.OnUpload = [&](const QString& t) { text = t; };
    eqsl.Upload("K1XYZ", password, file);
    ASSERT_TRUE(vxtest::waitUntil([&] { return !text.isEmpty(); }));
    EXPECT_EQ(text, Header + "\r\n\r\nResult: 2 out of 2 records added\r\n");
    ExpectNowhere(password, {text});
}

TEST(eQSLReply, LinesAndBreaks)
{
    const struct {
        const char* body;
        QStringList lines;
    } cases[] = {
        {"  Warning: Y=2024 M=1 D=1 Bad date<BR>Result: 0 out of 1 records added<BR>  ",
         {"Warning: Y=2024 M=1 D=1 Bad date", "Result: 0 out of 1 records added"}},
        {"<!DOCTYPE html>\r\n<p>\r\n   \r\nError: No match on eQSL_User/eQSL_Pswd<BR><BR>\r\n",
         {"Error: No match on eQSL_User/eQSL_Pswd"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TeQSLInterface::ReduceReply(c.body), QStringList({Header, ""}) + c.lines) << c.body;
}

// Uploads that cannot be made, or fail on the way, say so in the reply lines.
TEST_F(eQSLUpload, FailuresAreReplies)
{
    EXPECT_EQ(upload("K1XYZ", ""), QStringList({Header, "", "Upload failed: user and password are needed."}));
    EXPECT_EQ(upload("", "secret"), QStringList({Header, "", "Upload failed: user and password are needed."}));
    EXPECT_TRUE(server->log.isEmpty());

    server->setResponse(UploadPath, Answer("oops", 500, "Internal Server Error"));
    EXPECT_EQ(upload("K1XYZ", "secret"),
              QStringList({Header, "", "Upload to eQSL.cc failed: HTTP 500 Internal Server Error"}));

    auto untrusted = UntrustedServer();
    eqsl.SetHost(untrusted->baseUrl());
    const QStringList lines = upload("K1XYZ", "secret");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].startsWith("Upload to eQSL.cc failed: SSL handshake failed")) << lines[2].toStdString();
    EXPECT_TRUE(untrusted->log.isEmpty());

    file = dir.filePath("missing.adi");
    EXPECT_TRUE(upload("K1XYZ", "secret").value(2).startsWith("Upload failed: " + file));
    ExpectNowhere("secret", lines);
}
