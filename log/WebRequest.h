#pragma once
// What the QSL services share for their HTTPS requests: a request that verifies the server
// (TLS 1.2 or newer, the trusted CA certificates of the default TLS configuration), follows no
// redirect and gives up after a time without progress; a body collected up to a cap; and
// failure texts that never carry the query (it holds passwords) or the address.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace vx::web {

// Without any progress for this long a request fails.
constexpr int TransferTimeout = 30000;

// "https://host[:port]" + path, with the query given already percent-encoded.
QUrl ServiceUrl(const QString& host, const QString& path, const QString& encodedQuery = {});
// A value inserted into a query: everything but unreserved characters percent-encoded.
QString QueryValue(const QString& value);

QNetworkRequest Request(const QUrl& url);

// Why a finished reply failed, without its address; empty when it succeeded (2xx).
QString FailureText(QNetworkReply* reply);

struct TFetchResult {
    bool Ok = false;
    QByteArray Body;
    QString Error; // when not Ok
};
using TFetchDone = std::function<void(const TFetchResult& result)>;

// Collects the reply's body, at most cap bytes (more fails the request); done runs once, on
// context's thread, unless context is gone.  The reply deletes itself afterwards.
void Collect(QNetworkReply* reply, qint64 cap, QObject* context, TFetchDone done);

} // namespace vx::web
