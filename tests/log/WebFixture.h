#pragma once
// A local HTTPS server that stands in for LoTW, eQSL and the callbook, made with a test CA
// that the process trusts alone while the test runs; and Qt's messages captured meanwhile, so
// a test can show that no password reached them.
#include "tests/support/HttpsServer.h"
#include "tests/support/Wait.h"

#include <QMutex>
#include <QUrl>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

#include "QStringPrint.h"

class CapturedMessages {
public:
    CapturedMessages() { FPrevious = qInstallMessageHandler(&Handler); }
    ~CapturedMessages() { qInstallMessageHandler(FPrevious); }
    static QStringList All()
    {
        QMutexLocker lock(&Mutex());
        return Messages();
    }

private:
    static void Handler(QtMsgType, const QMessageLogContext&, const QString& text)
    {
        QMutexLocker lock(&Mutex());
        Messages() << text;
    }
    static QMutex& Mutex()
    {
        static QMutex m;
        return m;
    }
    static QStringList& Messages()
    {
        static QStringList m;
        return m;
    }
    QtMessageHandler FPrevious = nullptr;
};

// The server and the trust in its CA, for as long as it lives.
class LocalWeb {
public:
    // Makes the certificates and starts the server; false when that could not be done.
    bool StartWeb()
    {
        certificates = &vxtest::MakeTestCertificates();
        if (!Ready())
            return false;
        trust = std::make_unique<vxtest::TrustOnly>(certificates->CA);
        server = std::make_unique<vxtest::HttpsServer>(*certificates);
        return true;
    }
    bool Ready() const { return certificates && certificates->Error.isEmpty(); }

    // A server whose certificate comes from a CA nobody trusts.
    static std::unique_ptr<vxtest::HttpsServer> UntrustedServer()
    {
        return std::make_unique<vxtest::HttpsServer>(vxtest::MakeTestCertificates(QStringLiteral("Some Other CA")));
    }

    static vxtest::HttpsServer::Response Answer(const QByteArray& body, int status = 200, const QByteArray& reason = "OK")
    {
        vxtest::HttpsServer::Response r;
        r.Status = status;
        r.Reason = reason;
        r.Body = body;
        return r;
    }

    // No text the test collected, and no Qt message, holds the secret.
    static void ExpectNowhere(const QString& secret, const QStringList& shown)
    {
        for (const QString& text : shown + CapturedMessages::All()) {
            EXPECT_FALSE(text.contains(secret)) << text.toStdString();
            EXPECT_FALSE(text.contains(QString::fromLatin1(QUrl::toPercentEncoding(secret)))) << text.toStdString();
        }
    }

    CapturedMessages messages;
    const vxtest::TestCertificates* certificates = nullptr;
    std::unique_ptr<vxtest::TrustOnly> trust;
    std::unique_ptr<vxtest::HttpsServer> server;
};

class WebFixture : public ::testing::Test, public LocalWeb {
protected:
    void SetUp() override
    {
#if defined(__SANITIZE_THREAD__)
        // Qt's network thread hands data over by means the sanitizer does not see (Qt is not
        // built with it): every request would be reported.  Our side is one thread.
        GTEST_SKIP() << "Qt's network thread is not instrumented for ThreadSanitizer";
#endif
        ASSERT_TRUE(StartWeb()) << certificates->Error.toStdString();
    }
};
