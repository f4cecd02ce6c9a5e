#include "dx/DXDataFileDownload.h"
#include "platform/SaveFile.h"

#include "core/DMApplication.h"
#include "core/DataFiles.h"
#include "core/RCTypes.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

QByteArray WithoutBOM(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

// The first line is an entity header: name, CQ zone, ITU zone, continent, latitude,
// longitude, UTC offset and primary prefix, each ended by ":".
bool LooksLikeCountryFile(const QByteArray& body)
{
    const QByteArray text = WithoutBOM(body);
    const qsizetype eol = text.indexOf('\n');
    const QByteArray first = (eol < 0 ? text : text.left(eol)).trimmed();
    return first.count(':') == 8 && first.endsWith(':') && !first.startsWith(':');
}

// Every line is "prefix=name;code" with a whole-number code.
bool LooksLikeEntityList(const QByteArray& body)
{
    int entities = 0;
    for (QByteArray line : WithoutBOM(body).split('\n')) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype eq = line.indexOf('=');
        const qsizetype semicolon = line.indexOf(';');
        if (eq <= 0 || semicolon < eq)
            return false;
        const QByteArray code = line.mid(semicolon + 1);
        if (code.isEmpty() || !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        ++entities;
    }
    return entities > 0;
}

QString MiB(qint64 bytes)
{
    return QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024));
}

} // namespace

TDXDataFileDownload::TDXDataFileDownload(QObject* owner)
    : QObject(owner)
{
    FFiles[0].Name = CTYFileName;
    FFiles[0].LooksRight = LooksLikeCountryFile;
    FFiles[0].Kind = "a country file";
    FFiles[1].Name = DXCCFileName;
    FFiles[1].LooksRight = LooksLikeEntityList;
    FFiles[1].Kind = "a DXCC entity list";

    FManager = new QNetworkAccessManager(this);
    FTimeout = new vx::Timer(TransferTimeout, false, this);
    FTimeout->setSingleShot(true);
    FTimeout->OnTimer = [this] {
        DropReply();
        Finish(false, QStringLiteral("no answer from the server for %1 s").arg(TransferTimeout / 1000));
    };
    FBaseAddress = DownloadServerSetting();
}

TDXDataFileDownload::~TDXDataFileDownload()
{
    Abort();
}

QString TDXDataFileDownload::DownloadServerSetting()
{
    if (!DMApplication)
        return {};
    return DMApplication->IniRegistry()
        ->ReadString(QLatin1String(SettingsSection), QLatin1String(SettingsKey), QString())
        .trimmed();
}

void TDXDataFileDownload::CheckDataFiles()
{
    FDownloadCTY = false;
    FDownloadDXCC = false;
    StartRun();
}

void TDXDataFileDownload::DownloadDataFiles()
{
    StartRun();
}

void TDXDataFileDownload::Abort()
{
    ++FRun;
    FRunning = false;
    DropReply();
}

void TDXDataFileDownload::DropReply()
{
    FTimeout->stop();
    if (QNetworkReply* reply = FReply.data()) {
        FReply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void TDXDataFileDownload::StartRun()
{
    Abort();
    FRunning = true;
    FDownloadedCTY = false;
    FDownloadedDXCC = false;
    FLastModifiedCTY = QDateTime();
    FLastModifiedDXCC = QDateTime();
    for (TFile& f : FFiles) {
        f.Body.clear();
        f.Announced = -1;
        f.Fetched = false;
    }

    FRunBase = FBaseAddress;
    while (FRunBase.endsWith(u'/'))
        FRunBase.chop(1);
    if (FRunBase.isEmpty()) {
        Finish(false, QStringLiteral("no download server set"));
        return;
    }
    if (!FRunBase.contains(QLatin1String("://")))
        FRunBase.prepend(QLatin1String("https://"));
    const QUrl url(FRunBase);
    if (!url.isValid() || url.host().isEmpty() || url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0) {
        Finish(false, QStringLiteral("the download server must be an https:// address: %1").arg(FBaseAddress));
        return;
    }
    Head(0);
}

QNetworkReply* TDXDataFileDownload::Send(const QByteArray& verb, int index)
{
    QNetworkRequest request(
        QUrl(QStringLiteral("%1%2").arg(FRunBase + QLatin1String(FilesPath), QLatin1String(FFiles[index].Name))));
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setProtocol(QSsl::TlsV1_2OrLater);
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    request.setSslConfiguration(ssl);
    // A redirect may not leave https.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = verb == "HEAD" ? FManager->head(request) : FManager->get(request);
    FReply = reply;
    FTimeout->start();
    // Any progress restarts the time-out: a slow line is not a stalled one.
    connect(reply, &QNetworkReply::downloadProgress, this, [this] { FTimeout->start(); });
    return reply;
}

void TDXDataFileDownload::Head(int index)
{
    QNetworkReply* reply = Send("HEAD", index);
    connect(reply, &QNetworkReply::finished, this, [this, index] { HeadFinished(index); });
}

void TDXDataFileDownload::Get(int index)
{
    QNetworkReply* reply = Send("GET", index);
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, index] {
        const QVariant length = FReply ? FReply->header(QNetworkRequest::ContentLengthHeader) : QVariant();
        if (length.isValid() && length.toLongLong() > MaxFileSize) {
            DropReply();
            Finish(false, QStringLiteral("%1 is larger than %2").arg(QLatin1String(FFiles[index].Name), MiB(MaxFileSize)));
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, index] { GetReadyRead(index); });
    connect(reply, &QNetworkReply::finished, this, [this, index] { GetFinished(index); });
}

QString TDXDataFileDownload::ReplyError(int index) const
{
    const QNetworkReply* reply = FReply.data();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        return QStringLiteral("%1: the server answered %2 %3").arg(QLatin1String(FFiles[index].Name)).arg(status).arg(reason).trimmed();
    }
    if (reply->error() != QNetworkReply::NoError)
        return QStringLiteral("%1: %2").arg(QLatin1String(FFiles[index].Name), reply->errorString());
    return {};
}

void TDXDataFileDownload::HeadFinished(int index)
{
    if (!FReply)
        return;
    FTimeout->stop();
    const QString error = ReplyError(index);
    const QDateTime modified = FReply->header(QNetworkRequest::LastModifiedHeader).toDateTime();
    const QVariant length = FReply->header(QNetworkRequest::ContentLengthHeader);
    FReply->deleteLater();
    FReply = nullptr;
    if (!error.isEmpty()) {
        Finish(false, error);
        return;
    }
    TFile& f = FFiles[index];
    (index == 0 ? FLastModifiedCTY : FLastModifiedDXCC) = modified.isValid() ? modified.toLocalTime() : QDateTime();
    f.Announced = length.isValid() ? length.toLongLong() : -1;
    if (!Wanted(index)) {
        Next(index);
        return;
    }
    const QString name = QLatin1String(f.Name);
    if (f.Announced == 0) {
        Finish(false, name + QStringLiteral(" is empty on the server"));
        return;
    }
    if (f.Announced > MaxFileSize) {
        Finish(false, QStringLiteral("%1 is larger than %2").arg(name, MiB(MaxFileSize)));
        return;
    }
    Get(index);
}

void TDXDataFileDownload::GetReadyRead(int index)
{
    if (!FReply)
        return;
    TFile& f = FFiles[index];
    f.Body += FReply->readAll();
    if (f.Body.size() > MaxFileSize) {
        DropReply();
        f.Body.clear();
        Finish(false, QStringLiteral("%1 is larger than %2").arg(QLatin1String(f.Name), MiB(MaxFileSize)));
    }
}

void TDXDataFileDownload::GetFinished(int index)
{
    if (!FReply)
        return;
    FTimeout->stop();
    TFile& f = FFiles[index];
    const QString name = QLatin1String(f.Name);
    QString error = ReplyError(index);
    if (error.isEmpty()) {
        f.Body += FReply->readAll();
        const QVariant length = FReply->header(QNetworkRequest::ContentLengthHeader);
        // The GET's own length; without one the length the HEAD announced.
        const qint64 expected = length.isValid() ? length.toLongLong() : f.Announced;
        if (f.Body.size() > MaxFileSize)
            error = QStringLiteral("%1 is larger than %2").arg(name, MiB(MaxFileSize));
        else if (f.Body.isEmpty())
            error = name + QStringLiteral(" arrived empty");
        else if (expected >= 0 && f.Body.size() != expected)
            error = QStringLiteral("%1 arrived incomplete (%2 of %3 bytes)").arg(name).arg(f.Body.size()).arg(expected);
        else if (!f.LooksRight(f.Body))
            error = QStringLiteral("%1 is not %2").arg(name, QLatin1String(f.Kind));
    }
    FReply->deleteLater();
    FReply = nullptr;
    if (!error.isEmpty()) {
        f.Body.clear();
        Finish(false, error);
        return;
    }
    f.Fetched = true;
    Next(index);
}

void TDXDataFileDownload::Next(int index)
{
    if (index + 1 < int(FFiles.size())) {
        Head(index + 1);
        return;
    }
    const QString error = Install();
    Finish(error.isEmpty(), error);
}

QString TDXDataFileDownload::Install()
{
    struct TPending {
        int Index;
        QString Path;
        std::unique_ptr<QSaveFile> File;
        std::optional<QByteArray> Old; // the installed bytes, none when it did not exist
    };
    std::vector<TPending> pending;
    for (int i = 0; i < int(FFiles.size()); ++i)
        if (FFiles[i].Fetched)
            pending.push_back({i, GetCommonDataFileName(QLatin1String(FFiles[i].Name)), nullptr, std::nullopt});
    if (pending.empty())
        return {};

    if (!QDir().mkpath(QFileInfo(pending.front().Path).absolutePath()))
        return QStringLiteral("the data folder %1 cannot be made").arg(QFileInfo(pending.front().Path).absolutePath());
    // Every file written beside its target first; the old ones stay in place until all are.
    for (TPending& p : pending) {
        const QString name = QLatin1String(FFiles[p.Index].Name);
        if (QFileInfo::exists(p.Path)) {
            QFile old(p.Path);
            if (!old.open(QIODevice::ReadOnly))
                return QStringLiteral("%1 cannot be replaced: %2").arg(name, old.errorString());
            p.Old = old.readAll();
        }
        p.File = std::make_unique<QSaveFile>(p.Path);
        const QByteArray& body = FFiles[p.Index].Body;
        if (!vx::OpenForAtomicWrite(*p.File) || !vx::WriteAll(*p.File, body))
            return QStringLiteral("%1 cannot be saved: %2").arg(name, p.File->errorString());
    }
    for (size_t k = 0; k < pending.size(); ++k) {
        TPending& p = pending[k];
        if (p.File->commit())
            continue;
        const QString error =
            QStringLiteral("%1 cannot be saved: %2").arg(QLatin1String(FFiles[p.Index].Name), p.File->errorString());
        // Put back what was already replaced, so the two files still belong together.
        for (size_t j = 0; j < k; ++j) {
            if (!pending[j].Old) {
                QFile::remove(pending[j].Path);
                continue;
            }
            vx::SaveFileAtomically(pending[j].Path, *pending[j].Old);
        }
        return error;
    }
    for (const TPending& p : pending)
        (p.Index == 0 ? FDownloadedCTY : FDownloadedDXCC) = true;
    return {};
}

void TDXDataFileDownload::Finish(bool success, const QString& response)
{
    FTimeout->stop();
    for (TFile& f : FFiles)
        f.Body.clear();
    // Handed over from the event loop, so the caller that started the run has returned first,
    // also when it ends at once; a run dropped meanwhile reports nothing.
    const uint64_t run = FRun;
    QTimer::singleShot(0, this, [this, run, success, response] {
        if (run != FRun || !FRunning)
            return;
        FRunning = false;
        if (FDownloadCTY || FDownloadDXCC)
            Fire(OnDownload, success, response);
        else
            Fire(OnCheck, success, response);
    });
}
