#include "log/eQSLInterface.h"

#include "log/WebRequest.h"

#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QMimeDatabase>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

QString Header()
{
    return QStringLiteral("Reply from %1 ADIF Real-time Interface:").arg(QLatin1String(TeQSLInterface::DomainName));
}

QHttpPart TextField(const char* name, const QString& value)
{
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentDispositionHeader, QStringLiteral("form-data; name=\"%1\"").arg(QLatin1String(name)));
    part.setBody(value.toUtf8());
    return part;
}

} // namespace

TeQSLInterface::TeQSLInterface(QObject* parent)
    : QObject(parent)
{
}

QStringList TeQSLInterface::ReduceReply(const QString& body)
{
    QString text = body;
    text.replace(QLatin1String("<BR>"), QLatin1String("\r\n"));
    text = text.trimmed();
    QStringList lines{Header(), QString()};
    for (QString line : text.split(QLatin1String("\r\n"))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('<')))
            continue;
        line.remove(QLatin1String("<BR>"));
        line = line.trimmed();
        if (line.contains(QLatin1String("ProgramID or Logger not found")))
            continue;
        lines << line;
    }
    return lines;
}

void TeQSLInterface::Deliver(const QStringList& lines)
{
    QTimer::singleShot(0, this, [this, lines] {
        if (OnUpload) {
            QString text;
            for (const QString& line : lines)
                text += line + QLatin1String("\r\n");
            OnUpload(text);
        } else {
            Fire(OnUploaded, false, lines);
        }
    });
}

void TeQSLInterface::Upload(const QString& eQSLUser, const QString& eQSLPassword, const QString& ADIFFile)
{
    const auto refuse = [this](const QString& why) { Deliver({Header(), QString(), why}); };
    if (FUploading) {
        refuse(QStringLiteral("An upload is still running."));
        return;
    }
    if (eQSLUser.isEmpty() || eQSLPassword.isEmpty()) {
        refuse(QStringLiteral("Upload failed: user and password are needed."));
        return;
    }
    auto* file = new QFile(ADIFFile);
    if (!file->open(QIODevice::ReadOnly)) {
        refuse(QStringLiteral("Upload failed: %1: %2").arg(ADIFFile, file->errorString()));
        delete file;
        return;
    }

    auto* form = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    form->append(TextField("EQSL_USER", eQSLUser));
    form->append(TextField("EQSL_PSWD", eQSLPassword));
    QHttpPart filePart;
    const QString name = QFileInfo(ADIFFile).fileName();
    filePart.setHeader(QNetworkRequest::ContentTypeHeader,
                       QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension).name());
    filePart.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QStringLiteral("form-data; name=\"Filename\"; filename=\"%1\"").arg(name));
    filePart.setBodyDevice(file);
    file->setParent(form);
    form->append(filePart);

    if (!FManager)
        FManager = new QNetworkAccessManager(this);
    FUploading = true;
    QNetworkReply* reply =
        FManager->post(vx::web::Request(vx::web::ServiceUrl(FHost, QLatin1String(UploadPath))), form);
    form->setParent(reply);
    vx::web::Collect(reply, MaxReply, this, [this](const vx::web::TFetchResult& r) {
        FUploading = false;
        if (!r.Ok) {
            Deliver({Header(), QString(), QStringLiteral("Upload to %1 failed: %2").arg(QLatin1String(DomainName), r.Error)});
            return;
        }
        Deliver(ReduceReply(QString::fromUtf8(r.Body)));
    });
}
