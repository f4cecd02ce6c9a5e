#include "log/WebRequest.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <memory>

namespace vx::web {

QUrl ServiceUrl(const QString& host, const QString& path, const QString& encodedQuery)
{
    QString text = host;
    while (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    text += path;
    if (!encodedQuery.isEmpty())
        text += QLatin1Char('?') + encodedQuery;
    // Strict: the encoded query stays as it is, so "%26" in a password is no separator.
    return QUrl(text, QUrl::StrictMode);
}

QString QueryValue(const QString& value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QNetworkRequest Request(const QUrl& url)
{
    QNetworkRequest request(url);
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setProtocol(QSsl::TlsV1_2OrLater);
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    request.setSslConfiguration(ssl);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(TransferTimeout);
    return request;
}

QString FailureText(QNetworkReply* reply)
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int code = status.isValid() ? status.toInt() : 0;
    if (status.isValid() && (code < 200 || code >= 300)) {
        const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
        return reason.isEmpty() ? QStringLiteral("HTTP %1").arg(code) : QStringLiteral("HTTP %1 %2").arg(code).arg(reason);
    }
    if (reply->error() == QNetworkReply::NoError)
        return status.isValid() ? QString() : QStringLiteral("no answer");
    if (reply->error() == QNetworkReply::OperationCanceledError)
        return QStringLiteral("no answer from the server for %1 s").arg(TransferTimeout / 1000);
    // Qt names the address in some of its texts: only the host may stay.
    QString text = reply->errorString();
    const QUrl url = reply->url();
    const QString bare = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo).toString();
    for (const QString& form : {url.toString(), url.toDisplayString(), url.toString(QUrl::FullyEncoded)})
        text.replace(form, bare);
    const QString query = url.query(QUrl::FullyEncoded);
    if (!query.isEmpty())
        text.replace(query, QString());
    return text;
}

void Collect(QNetworkReply* reply, qint64 cap, QObject* context, TFetchDone done)
{
    auto body = std::make_shared<QByteArray>();
    auto tooBig = std::make_shared<bool>(false);
    const auto over = [reply, cap, tooBig] {
        *tooBig = true;
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, context, [reply, cap, over] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > cap)
            over();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, context, [reply, cap, body, over] {
        *body += reply->readAll();
        if (body->size() > cap)
            over();
    });
    QObject::connect(reply, &QNetworkReply::finished, context, [reply, cap, body, tooBig, done] {
        reply->deleteLater();
        TFetchResult r;
        if (*tooBig) {
            r.Error = QStringLiteral("the answer is larger than %1 KiB").arg(cap / 1024);
        } else {
            *body += reply->readAll();
            r.Error = FailureText(reply);
            r.Ok = r.Error.isEmpty();
            if (r.Ok)
                r.Body = std::move(*body);
        }
        done(r);
    });
}

} // namespace vx::web
