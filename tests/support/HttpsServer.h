#pragma once
// An HTTPS server on 127.0.0.1 for the tests of the web services.  Its certificate is made in
// the test with the openssl command: a test CA, and a certificate for 127.0.0.1 signed by it.
// The client under test trusts that CA alone (TrustOnly) through the normal verification
// path.  Each path gets a canned answer, which can also be cut short, oversized, withheld or
// held back until the test releases it; every request is logged with its headers and body.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QString>
#include <QStringList>
#include <memory>

class QSslServer;
class QSslSocket;

namespace vxtest {

struct TestCertificates {
    QSslCertificate CA;
    QSslCertificate Certificate; // for 127.0.0.1, signed by CA
    QSslKey Key;
    QString Error; // why they could not be made; empty when they were
};

// Made once per process for each CA name; another name gives an unrelated CA.
const TestCertificates& MakeTestCertificates(const QString& caName = QStringLiteral("Vornix Test CA"));

// While it lives, every TLS connection of the process trusts only the given CA (the default
// configuration's CA list); the previous configuration comes back when it goes.
class TrustOnly {
public:
    explicit TrustOnly(const QSslCertificate& ca);
    ~TrustOnly();
    TrustOnly(const TrustOnly&) = delete;
    TrustOnly& operator=(const TrustOnly&) = delete;

private:
    QSslConfiguration FPrevious;
};

class HttpsServer {
public:
    struct Response {
        int Status = 200;
        QByteArray Reason = "OK";
        QByteArray Body;
        QDateTime LastModified; // sent when valid
        QByteArray ContentType = "text/plain";
        // Content-Length as sent: -1 the body's length, -2 none (the body ends when the
        // connection closes).
        qint64 ContentLength = -1;
        // Bytes of the body sent before the connection is closed; -1 all of it.
        qint64 SendBytes = -1;
        // The request is read and nothing is answered.
        bool Stall = false;
        // The answer waits until release() is called for its request.
        bool Hold = false;
        // More header lines ("Location", ...).
        QList<QPair<QByteArray, QByteArray>> Headers;
    };

    struct Request {
        QByteArray Method;
        QByteArray Target; // path and query, as sent
        QMap<QByteArray, QByteArray> Headers; // names in lower case
        QByteArray Body;
        QByteArray Header(const QByteArray& name) const { return Headers.value(name.toLower()); }
        // The path without the query.
        QByteArray Path() const { return Target.left(Target.indexOf('?') < 0 ? Target.size() : Target.indexOf('?')); }
        // The query's value of a name, percent-decoded; separator "&" or ";".
        QString QueryValue(const QString& name, char separator = '&') const;
    };

    explicit HttpsServer(const TestCertificates& certificates);
    ~HttpsServer();

    quint16 port() const;
    // "https://127.0.0.1:<port>"
    QString baseUrl() const;

    // The answer to a request of a path (HEAD gets the headers only); other paths get 404.
    // An answer set for the path with its query wins over one for the path alone.
    void setResponse(const QByteArray& path, const Response& response) { FResponses[path] = response; }
    // The answer to every path that has none of its own (at first NotFound()).
    void setFallback(const Response& response) { FFallback = response; }
    // The Content-Length a HEAD of the path announces, whatever its GET sends.
    void setHeadLength(const QByteArray& path, qint64 length) { FHeadLengths[path] = length; }
    static Response NotFound();

    // Answers the held requests of the target (all held ones when empty), in arrival order.
    void release(const QByteArray& target = {});
    int held() const { return int(FHeld.size()); }

    // "HEAD /path", "GET /path?query", in arrival order.
    QStringList log;
    // The same requests in full.
    QList<Request> requests;
    // Connections whose TLS handshake failed.
    int failedHandshakes = 0;

private:
    void Serve(QSslSocket* socket);
    void Answer(QSslSocket* socket, const QByteArray& method, const QByteArray& target, bool releasing = false);
    Response Find(const QByteArray& target) const;

    std::unique_ptr<QObject> FContext;
    QSslServer* FServer = nullptr;
    QMap<QByteArray, Response> FResponses;
    QMap<QByteArray, qint64> FHeadLengths;
    Response FFallback;
    struct THeld {
        QPointer<QSslSocket> Socket;
        QByteArray Method;
        QByteArray Target;
    };
    QList<THeld> FHeld;
};

// A Last-Modified header value ("Sun, 06 Nov 1994 08:49:37 GMT").
QByteArray HttpDate(const QDateTime& time);

} // namespace vxtest
