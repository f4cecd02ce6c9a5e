#pragma once
// TLoTWInterface: the LoTW settings of the logbook and its two jobs, the signing and upload of
// an upload file by TQSL (Start) and the download of the confirmation report
// (DownloadADIFReport).  Both jobs are event-driven on the GUI thread (TQSL runs as a
// QProcess) and report there, always after the call that started them has returned.
//
// The logbook marks the uploaded QSOs as sent only when OnUploadFinished reports success (TQSL
// ended with 0, or with 9: signed, some QSOs were uploaded before), so a failed upload is tried
// again with the next export.
//
// The report is fetched over verified HTTPS, written to a temporary file beside
// "lotwreport.adi" and put in its place only when it arrived whole and is a LoTW report; any
// failure leaves the earlier report as it was.  The date of its newest confirmation becomes
// LoTWLastQSL only through CommitLastQSL, once the logs hold the report, so confirmations that
// were never applied are asked for again.

#include "core/RCTypes.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QProcess;
class QSaveFile;
class TTQSLInterface;

using TDownloadEvent = std::function<void(bool Success, int32_t QSOs)>;

class TLoTWInterface : public QObject {
    Q_OBJECT
public:
    static constexpr const char* DefaultHost = "https://lotw.arrl.org";
    static constexpr const char* ReportPath = "/lotwuser/lotwreport.adi";
    static constexpr const char* UserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)";
    static constexpr const char* ReportFile = "lotwreport.adi";
    static constexpr const char* ResultsFile = "tqsl2_results.txt";

    // Finds TQSL and its station locations (TTQSLInterface).
    explicit TLoTWInterface(QObject* parent = nullptr);
    // A TQSL run still going is ended; a download is dropped.  Neither reports.
    ~TLoTWInterface() override;

    // Signs and uploads ADIFFile for StationLocation by running TQSL; returns at once.  TQSL's
    // output and the final text come through OnLoTWExport, once per call; the outcome through
    // OnUploadFinished.  When TQSL cannot be run (no program, file or location, or a run still
    // going) both follow at once.
    virtual void Start();
    // Downloads the report of the confirmations since LoTWLastQSL; returns at once, the result
    // arrives through OnLoTWDownload.
    virtual void DownloadADIFReport();
    bool Uploading() const;
    bool Downloading() const;

    // The server; tests point it at a local one.
    QString Host() const { return FHost; }
    void SetHost(const QString& v) { FHost = v; }

    TTQSLInterface* TQSLInterface() const { return FTQSLInterface; }
    // TQSL's program file; empty when it was not found.
    QString TQSLPath() const;

    // TQSL is available (the export dialog enables its TQSL box by it).
    bool Active() const { return FActive; }
    void SetActive(bool v) { FActive = v; }
    QString ADIFFile() const { return FADIFFile; }
    void SetADIFFile(const QString& v) { FADIFFile = v; }
    // The operator's choice to delete the file after a successful upload; stored only.
    bool ADIFDelete() const { return FADIFDelete; }
    void SetADIFDelete(bool v) { FADIFDelete = v; }
    bool ExportFinished() const { return FExportFinished; }
    void SetExportFinished(bool v) { FExportFinished = v; }
    QString MyCall() const { return FMyCall; }
    // Selects the station locations of the call (exact comparison) from AllStationLocations
    // and empties StationLocation.
    void SetMyCall(const QString& v);
    // "CALL=name" per TQSL station location that has both.
    const QStringList& AllStationLocations() const { return FAllStationLocations; }
    void SetAllStationLocations(const QStringList& v) { FAllStationLocations = v; }
    const QStringList& MyStationLocations() const { return FMyStationLocations; }
    QString StationLocation() const { return FStationLocation; }
    void SetStationLocation(const QString& v) { FStationLocation = v; }
    QString LoTWUsername() const { return FLoTWUsername; }
    void SetLoTWUsername(const QString& v) { FLoTWUsername = v; }
    QString LoTWPassword() const { return FLoTWPassword; }
    void SetLoTWPassword(const QString& v) { FLoTWPassword = v; }
    QString LoTWReportPath() const { return FLoTWReportPath; }
    void SetLoTWReportPath(const QString& v) { FLoTWReportPath = v; }
    // "<LoTWReportPath>/lotwreport.adi".
    QString ReportFileName() const;
    // Date of the newest confirmation asked for; a null date means none (all confirmations).
    QDate LoTWLastQSL() const { return FLoTWLastQSL; }
    void SetLoTWLastQSL(const QDate& v) { FLoTWLastQSL = v; }
    // "yyyy-mm-dd", empty for no date.  Writing: empty gives no date; otherwise year from
    // characters 1-4, month 6-7, day 9-10; a text that is no such date changes nothing (false).
    QString LoTWLastQSLAsString() const;
    bool SetLoTWLastQSLAsString(const QString& v);
    // Number of records of the last report.
    int32_t LoTWQSLs() const { return FLoTWQSLs; }
    // Date of the newest confirmation in the last report; null when it named none.
    QDate ReportLastQSL() const { return FReportLastQSL; }
    // The logs hold the last report: its newest confirmation becomes LoTWLastQSL.
    void CommitLastQSL();
    // Why the last download failed (without the query), for diagnostics; empty after success.
    QString DownloadError() const { return FDownloadError; }

    TStringEvent OnLoTWExport;
    TDownloadEvent OnLoTWDownload;
    // Whether the upload that Start began succeeded; raised once per Start.
    TSwitchEvent OnUploadFinished;

protected:
    int32_t FLoTWQSLs = 0;

private:
    void FinishUpload(bool success, const QString& response);
    void TQSLFinished(int exitCode, bool crashed);
    void ReportReadyRead();
    void ReportFinished();
    void FailDownload(const QString& error);
    // Ends the download with its result, after the caller has returned.
    void DeliverDownload(bool success);

    TTQSLInterface* FTQSLInterface = nullptr;
    QPointer<QProcess> FTQSL;
    QString FResults;
    QString FHost = QLatin1String(DefaultHost);
    QNetworkAccessManager* FManager = nullptr;
    QPointer<QNetworkReply> FReply;
    std::unique_ptr<QSaveFile> FReport;
    QByteArray FReportHead; // the beginning of the report, up to its "<eoh>"
    QString FDownloadError;
    QDate FReportLastQSL;

    bool FActive = false;
    QString FADIFFile;
    bool FADIFDelete = false;
    bool FExportFinished = false;
    QString FMyCall;
    QStringList FAllStationLocations;
    QStringList FMyStationLocations;
    QString FStationLocation;
    QString FLoTWUsername;
    QString FLoTWPassword;
    QString FLoTWReportPath;
    QDate FLoTWLastQSL;
};
