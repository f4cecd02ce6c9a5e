#include "log/LoTWInterface.h"
#include "platform/SaveFile.h"

#include "log/TQSLInterface.h"
#include "log/WebRequest.h"
#include "platform/Clock.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTimer>

#include <unistd.h>

namespace {

const QString Finished = QStringLiteral("TQSL processing finished");
const QString FinishedWithErrors = QStringLiteral("TQSL processing finished with errors");
const QString CouldNotStart = QStringLiteral("Could not start TQSL. Upload failed.");
const QString CRLF = QStringLiteral("\r\n");

// The header of a report is small; a body whose first this many bytes hold no "<eoh>" is none.
constexpr qsizetype MaxReportHead = 1024 * 1024;

// TQSL's exit codes that mean the log was signed and uploaded: 0 all of it, 9 some QSOs had
// been uploaded before.
bool Uploaded(int exitCode)
{
    return exitCode == 0 || exitCode == 9;
}

QString Failure(const QString& message)
{
    return QStringLiteral("Error signing or uploading the log file: ") + message + CRLF + FinishedWithErrors + CRLF;
}

// Text by its byte-order mark, else in the system's encoding.
QString DecodeOutput(const QByteArray& bytes)
{
    if (const auto encoding = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*encoding);
        return decoder.decode(bytes);
    }
    return QString::fromLocal8Bit(bytes);
}

// Position of "<eoh>" (any letter case), -1 when the text has none.
qsizetype EndOfHeader(const QByteArray& text)
{
    return text.toLower().indexOf("<eoh>");
}

} // namespace

TLoTWInterface::TLoTWInterface(QObject* parent)
    : QObject(parent)
    , FLoTWLastQSL(vx::Clock::nowUtc().toLocalTime().date().year(), 1, 1)
{
    FTQSLInterface = new TTQSLInterface(this);
    FActive = FTQSLInterface->TQSLInstalled();
    FAllStationLocations = FTQSLInterface->AllStationLocations();
}

TLoTWInterface::~TLoTWInterface()
{
    if (QProcess* p = FTQSL.data()) {
        p->disconnect(this);
        p->kill();
        p->waitForFinished(5000);
    }
    if (QNetworkReply* reply = FReply.data()) {
        reply->disconnect(this);
        reply->abort();
    }
}

QString TLoTWInterface::TQSLPath() const
{
    return FTQSLInterface->TQSLPath();
}

bool TLoTWInterface::Uploading() const
{
    return FTQSL != nullptr;
}

bool TLoTWInterface::Downloading() const
{
    return FReply != nullptr;
}

void TLoTWInterface::SetMyCall(const QString& v)
{
    FMyCall = v;
    FMyStationLocations.clear();
    FStationLocation.clear();
    for (const QString& entry : std::as_const(FAllStationLocations)) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        if (eq >= 0 && entry.left(eq) == v)
            FMyStationLocations << entry.mid(eq + 1);
    }
}

QString TLoTWInterface::LoTWLastQSLAsString() const
{
    return FLoTWLastQSL.isValid() ? FLoTWLastQSL.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

bool TLoTWInterface::SetLoTWLastQSLAsString(const QString& v)
{
    if (v.isEmpty()) {
        FLoTWLastQSL = QDate();
        return true;
    }
    bool y = false;
    bool m = false;
    bool d = false;
    const QDate date(v.mid(0, 4).toInt(&y), v.mid(5, 2).toInt(&m), v.mid(8, 2).toInt(&d));
    if (v.size() < 10 || !y || !m || !d || !date.isValid())
        return false;
    FLoTWLastQSL = date;
    return true;
}

QString TLoTWInterface::ReportFileName() const
{
    return FLoTWReportPath + QLatin1Char('/') + QLatin1String(ReportFile);
}

void TLoTWInterface::CommitLastQSL()
{
    if (FReportLastQSL.isValid())
        FLoTWLastQSL = FReportLastQSL;
}

// ---- TQSL run ------------------------------------------------------------------------------

void TLoTWInterface::Start()
{
    FExportFinished = false;
    if (Uploading()) {
        FinishUpload(false, QStringLiteral("TQSL is still running. ") + CouldNotStart + CRLF + FinishedWithErrors + CRLF);
        return;
    }
    const QString program = TQSLPath();
    const QFileInfo file(FADIFFile);
    if (program.isEmpty() || FADIFFile.isEmpty() || FStationLocation.isEmpty() || !file.isFile()) {
        FinishUpload(false, CouldNotStart + CRLF + FinishedWithErrors + CRLF);
        return;
    }

    // The results file is made here, so that a folder TQSL could not write to is reported.
    FResults = file.absolutePath() + QLatin1Char('/') + QLatin1String(ResultsFile);
    QFile::remove(FResults);
    QFile results(FResults);
    if (!results.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        FinishUpload(false, Failure(results.errorString()));
        return;
    }
    results.close();

    auto* p = new QProcess(this);
    FTQSL = p;
    p->setProgram(program);
    p->setArguments({QStringLiteral("-d"), QStringLiteral("-u"), QStringLiteral("-a"), QStringLiteral("compliant"),
                     QStringLiteral("-x"), QStringLiteral("-l"), FStationLocation, file.absoluteFilePath()});
    // TQSL runs unattended: nothing it might ask on its input would ever be answered.
    p->setStandardInputFile(QProcess::nullDevice());
    p->setProcessChannelMode(QProcess::MergedChannels);
    p->setStandardOutputFile(FResults, QIODevice::Truncate);
    // A process group of its own: a signal meant for this program (Ctrl+C in its terminal)
    // does not end an upload half-way.
    p->setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(p, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        TQSLFinished(exitCode, status == QProcess::CrashExit);
    });
    connect(p, &QProcess::errorOccurred, this, [this, p](QProcess::ProcessError error) {
        // A program that never ran sends no finished.
        if (error != QProcess::FailedToStart)
            return;
        FTQSL = nullptr;
        p->deleteLater();
        FinishUpload(false, CouldNotStart + CRLF + FinishedWithErrors + CRLF);
    });
    p->start();
}

void TLoTWInterface::TQSLFinished(int exitCode, bool crashed)
{
    if (QProcess* p = FTQSL.data()) {
        FTQSL = nullptr;
        p->deleteLater();
    }
    QFile results(FResults);
    if (!results.open(QIODevice::ReadOnly)) {
        FinishUpload(false, Failure(results.errorString()));
        return;
    }
    const QString text = DecodeOutput(results.readAll());
    if (results.error() != QFileDevice::NoError) {
        FinishUpload(false, Failure(results.errorString()));
        return;
    }
    const bool success = !crashed && Uploaded(exitCode);
    QString response;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1String("BDB")))
            continue;
        response += line + CRLF;
    }
    response += (success ? Finished : FinishedWithErrors) + CRLF;
    FinishUpload(success, response);
}

void TLoTWInterface::FinishUpload(bool success, const QString& response)
{
    Fire(OnLoTWExport, response);
    Fire(OnUploadFinished, success);
}

// ---- Report download -----------------------------------------------------------------------

void TLoTWInterface::DownloadADIFReport()
{
    FLoTWQSLs = 0;
    FReportLastQSL = QDate();
    FDownloadError.clear();
    if (Downloading()) {
        FDownloadError = QStringLiteral("a download is still running");
        QTimer::singleShot(0, this, [this] { Fire(OnLoTWDownload, false, 0); });
        return;
    }
    FReportHead.clear();
    FReport = std::make_unique<QSaveFile>(ReportFileName());
    if (FLoTWReportPath.isEmpty() || !vx::OpenForAtomicWrite(*FReport)) {
        FDownloadError = FLoTWReportPath.isEmpty() ? QStringLiteral("no report folder") : FReport->errorString();
        FReport.reset();
        QTimer::singleShot(0, this, [this] { Fire(OnLoTWDownload, false, 0); });
        return;
    }

    QString query = QStringLiteral("login=%1&password=%2&qso_query=1&qso_qsldetail=yes&qso_withown=yes")
                        .arg(vx::web::QueryValue(FLoTWUsername), vx::web::QueryValue(FLoTWPassword));
    if (FLoTWLastQSL.isValid())
        query += QStringLiteral("&qso_qslsince=") + LoTWLastQSLAsString();
    QNetworkRequest request = vx::web::Request(vx::web::ServiceUrl(FHost, QLatin1String(ReportPath), query));
    request.setHeader(QNetworkRequest::UserAgentHeader, QLatin1String(UserAgent));
    if (!FManager)
        FManager = new QNetworkAccessManager(this);
    QNetworkReply* reply = FManager->get(request);
    FReply = reply;
    connect(reply, &QNetworkReply::readyRead, this, [this] { ReportReadyRead(); });
    connect(reply, &QNetworkReply::finished, this, [this] { ReportFinished(); });
}

void TLoTWInterface::ReportReadyRead()
{
    QNetworkReply* reply = FReply.data();
    if (!reply || !FReport)
        return;
    const QByteArray chunk = reply->readAll();
    if (EndOfHeader(FReportHead) < 0 && FReportHead.size() < MaxReportHead)
        FReportHead += chunk.left(MaxReportHead - FReportHead.size());
    if (!vx::WriteAll(*FReport, chunk))
        FailDownload(FReport->errorString());
}

void TLoTWInterface::ReportFinished()
{
    QNetworkReply* reply = FReply.data();
    if (!reply)
        return;
    ReportReadyRead();
    if (!FReply)
        return; // failed while writing
    FReply = nullptr;
    reply->deleteLater();
    if (const QString error = vx::web::FailureText(reply); !error.isEmpty()) {
        FailDownload(error);
        return;
    }
    // LoTW answers a wrong login with a web page and status 200: only a report is a report.
    const qsizetype eoh = EndOfHeader(FReportHead);
    const QByteArray header = eoh < 0 ? QByteArray() : FReportHead.left(eoh);
    if (eoh < 0 || !header.contains("<PROGRAMID:4>LoTW")) {
        FailDownload(QStringLiteral("the answer is no LoTW report"));
        return;
    }
    if (!FReport->commit()) {
        FDownloadError = FReport->errorString();
        FReport.reset();
        DeliverDownload(false);
        return;
    }
    FReport.reset();

    for (const QByteArray& raw : header.split('\n')) {
        const QString line = QString::fromLatin1(raw.trimmed());
        const qsizetype gt = line.indexOf(QLatin1Char('>'));
        if (line.startsWith(QLatin1String("<APP_LoTW_LASTQSL"), Qt::CaseInsensitive) && gt >= 0) {
            const QString date = line.mid(gt + 1, 10);
            FReportLastQSL = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
        } else if (line.startsWith(QLatin1String("<APP_LoTW_NUMREC"), Qt::CaseInsensitive) && gt >= 0) {
            bool ok = false;
            const int n = line.mid(gt + 1).trimmed().toInt(&ok);
            FLoTWQSLs = ok && n > 0 ? n : 0;
            break;
        }
    }
    DeliverDownload(true);
}

void TLoTWInterface::FailDownload(const QString& error)
{
    FDownloadError = error;
    if (QNetworkReply* reply = FReply.data()) {
        FReply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    if (FReport) {
        FReport->cancelWriting();
        FReport.reset();
    }
    FLoTWQSLs = 0;
    FReportLastQSL = QDate();
    DeliverDownload(false);
}

void TLoTWInterface::DeliverDownload(bool success)
{
    // Never from inside the reply's own signal or the starting call.
    QTimer::singleShot(0, this, [this, success] { Fire(OnLoTWDownload, success, success ? FLoTWQSLs : 0); });
}
