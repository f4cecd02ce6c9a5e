#include "tests/support/HttpsServer.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QLocale>
#include <QProcess>
#include <QSslServer>
#include <QSslSocket>
#include <QTemporaryDir>

namespace vxtest {

namespace {

// Runs openssl in the folder; the error text when it failed.
QString OpenSSL(const QString& folder, const QStringList& arguments)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("openssl"), arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("openssl %1: %2").arg(arguments.join(u' '), QString::fromLocal8Bit(p.readAll()));
    return {};
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TestCertificates Make(const QString& caName)
{
    TestCertificates c;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        c.Error = QStringLiteral("no temporary folder");
        return c;
    }
    const QString d = dir.path();
    const QStringList ec = {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                            QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
    QFile ext(d + QStringLiteral("/ext.cnf"));
    if (!ext.open(QIODevice::WriteOnly)
        || ext.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n"
                     "keyUsage=digitalSignature\nextendedKeyUsage=serverAuth\n")
               < 0) {
        c.Error = QStringLiteral("ext.cnf cannot be written");
        return c;
    }
    ext.close();
    for (const QStringList& args :
         {QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec
              + QStringList{QStringLiteral("-keyout"), QStringLiteral("ca.key"), QStringLiteral("-out"),
                            QStringLiteral("ca.crt"), QStringLiteral("-days"), QStringLiteral("3"),
                            QStringLiteral("-subj"), QStringLiteral("/CN=") + caName, QStringLiteral("-addext"),
                            QStringLiteral("basicConstraints=critical,CA:TRUE"), QStringLiteral("-addext"),
                            QStringLiteral("keyUsage=critical,keyCertSign,cRLSign")},
          QStringList{QStringLiteral("req")} + ec
              + QStringList{QStringLiteral("-keyout"), QStringLiteral("server.key"), QStringLiteral("-out"),
                            QStringLiteral("server.csr"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")},
          QStringList{QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), QStringLiteral("server.csr"),
                      QStringLiteral("-CA"), QStringLiteral("ca.crt"), QStringLiteral("-CAkey"), QStringLiteral("ca.key"),
                      QStringLiteral("-CAcreateserial"), QStringLiteral("-out"), QStringLiteral("server.crt"),
                      QStringLiteral("-days"), QStringLiteral("3"), QStringLiteral("-extfile"), QStringLiteral("ext.cnf")}}) {
        c.Error = OpenSSL(d, args);
        if (!c.Error.isEmpty())
            return c;
    }
    c.CA = QSslCertificate(ReadAll(d + QStringLiteral("/ca.crt")), QSsl::Pem);
    c.Certificate = QSslCertificate(ReadAll(d + QStringLiteral("/server.crt")), QSsl::Pem);
    c.Key = QSslKey(ReadAll(d + QStringLiteral("/server.key")), QSsl::Ec, QSsl::Pem);
    if (c.CA.isNull() || c.Certificate.isNull() || c.Key.isNull())
        c.Error = QStringLiteral("the certificates made by openssl cannot be read");
    return c;
}

} // namespace

const TestCertificates& MakeTestCertificates(const QString& caName)
{
    static QMap<QString, TestCertificates> made;
    auto it = made.find(caName);
    if (it == made.end())
        it = made.insert(caName, Make(caName));
    return *it;
}

TrustOnly::TrustOnly(const QSslCertificate& ca)
    : FPrevious(QSslConfiguration::defaultConfiguration())
{
    QSslConfiguration c = FPrevious;
    c.setCaCertificates({ca});
    QSslConfiguration::setDefaultConfiguration(c);
}

TrustOnly::~TrustOnly()
{
    QSslConfiguration::setDefaultConfiguration(FPrevious);
}

QByteArray HttpDate(const QDateTime& time)
{
    return QLocale::c().toString(time.toUTC(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss")).toLatin1() + " GMT";
}

HttpsServer::Response HttpsServer::NotFound()
{
    Response r;
    r.Status = 404;
    r.Reason = "Not Found";
    r.Body = "not found\n";
    return r;
}

HttpsServer::HttpsServer(const TestCertificates& certificates)
    : FContext(std::make_unique<QObject>())
    , FFallback(NotFound())
{
    FServer = new QSslServer(FContext.get());
    QSslConfiguration c = QSslConfiguration::defaultConfiguration();
    c.setLocalCertificate(certificates.Certificate);
    c.setPrivateKey(certificates.Key);
    c.setPeerVerifyMode(QSslSocket::VerifyNone);
    c.setProtocol(QSsl::TlsV1_2OrLater);
    FServer->setSslConfiguration(c);
    QObject::connect(FServer, &QSslServer::errorOccurred, FContext.get(), [this](QSslSocket*, QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::SslHandshakeFailedError)
            ++failedHandshakes;
    });
    QObject::connect(FServer, &QSslServer::pendingConnectionAvailable, FContext.get(), [this] {
        while (QTcpSocket* s = FServer->nextPendingConnection())
            Serve(static_cast<QSslSocket*>(s));
    });
    FServer->listen(QHostAddress::LocalHost, 0);
}

HttpsServer::~HttpsServer() = default;

quint16 HttpsServer::port() const
{
    return FServer->serverPort();
}

QString HttpsServer::baseUrl() const
{
    return QStringLiteral("https://127.0.0.1:%1").arg(port());
}

QString HttpsServer::Request::QueryValue(const QString& name, char separator) const
{
    const qsizetype q = Target.indexOf('?');
    if (q < 0)
        return {};
    for (const QByteArray& pair : Target.mid(q + 1).split(separator)) {
        const qsizetype eq = pair.indexOf('=');
        if (eq >= 0 && QString::fromUtf8(QByteArray::fromPercentEncoding(pair.left(eq))) == name)
            return QString::fromUtf8(QByteArray::fromPercentEncoding(pair.mid(eq + 1)));
    }
    return {};
}

void HttpsServer::Serve(QSslSocket* socket)
{
    socket->setParent(FContext.get());
    auto pending = std::make_shared<QByteArray>();
    QObject::connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QSslSocket::readyRead, socket, [this, socket, pending] {
        *pending += socket->readAll();
        const qsizetype end = pending->indexOf("\r\n\r\n");
        if (end < 0)
            return;
        Request request;
        const QList<QByteArray> lines = pending->left(end).split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.Headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
        }
        // A body is read whole before the request counts.
        const qint64 length = request.Header("Content-Length").toLongLong();
        if (pending->size() < end + 4 + length)
            return;
        request.Body = pending->mid(end + 4, length);
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        pending->clear();
        if (first.size() < 2) {
            socket->disconnectFromHost();
            return;
        }
        request.Method = first[0];
        request.Target = first[1];
        log << QString::fromLatin1(first[0] + ' ' + first[1]);
        requests << request;
        Answer(socket, first[0], first[1]);
    });
}

HttpsServer::Response HttpsServer::Find(const QByteArray& target) const
{
    if (const auto it = FResponses.constFind(target); it != FResponses.cend())
        return *it;
    const qsizetype q = target.indexOf('?');
    return FResponses.value(q < 0 ? target : target.left(q), FFallback);
}

void HttpsServer::release(const QByteArray& target)
{
    const QList<THeld> held = FHeld;
    FHeld.clear();
    for (const THeld& h : held) {
        if (!target.isEmpty() && h.Target != target) {
            FHeld << h;
            continue;
        }
        if (h.Socket)
            Answer(h.Socket, h.Method, h.Target, true);
    }
}

void HttpsServer::Answer(QSslSocket* socket, const QByteArray& method, const QByteArray& target, bool releasing)
{
    const QByteArray& path = target;
    const Response r = Find(target);
    if (r.Stall)
        return;
    if (r.Hold && !releasing) {
        FHeld << THeld{socket, method, target};
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(r.Status) + ' ' + r.Reason + "\r\n";
    for (const auto& [name, value] : r.Headers)
        head += name + ": " + value + "\r\n";
    head += "Content-Type: " + r.ContentType + "\r\n";
    qint64 length = r.ContentLength == -1 ? r.Body.size() : r.ContentLength;
    if (method == "HEAD" && FHeadLengths.contains(path))
        length = FHeadLengths[path];
    if (length != -2)
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    if (r.LastModified.isValid())
        head += "Last-Modified: " + HttpDate(r.LastModified) + "\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head);
    if (method != "HEAD")
        socket->write(r.SendBytes < 0 ? r.Body : r.Body.left(r.SendBytes));
    socket->disconnectFromHost();
}

} // namespace vxtest
