#pragma once
// TLoTWInterface: the LoTW settings of the logbook and its two jobs, the signing and upload of
// an upload file by TQSL (Start) and the download of the confirmation report
// (DownloadADIFReport).  Both jobs report on the GUI thread; their machinery is built
// elsewhere (subclasses), this class keeps the properties, defaults and events.
//
// The logbook marks the uploaded QSOs as sent only when OnUploadFinished reports success, so a
// failed upload is tried again with the next export.

#include "core/RCTypes.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

using TDownloadEvent = std::function<void(bool Success, int32_t QSOs)>;

class TLoTWInterface : public QObject {
    Q_OBJECT
public:
    explicit TLoTWInterface(QObject* parent = nullptr);
    ~TLoTWInterface() override;

    // Signs and uploads ADIFFile for StationLocation; returns at once.  Texts arrive through
    // OnLoTWExport, the outcome through OnUploadFinished.  Here: only ExportFinished is reset.
    virtual void Start();
    // Downloads the report of the confirmations since LoTWLastQSL; returns at once, the result
    // arrives through OnLoTWDownload.  Here: nothing.
    virtual void DownloadADIFReport();

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
    // Date of the newest confirmation asked for; a null date means none (all confirmations).
    QDate LoTWLastQSL() const { return FLoTWLastQSL; }
    void SetLoTWLastQSL(const QDate& v) { FLoTWLastQSL = v; }
    // "yyyy-mm-dd", empty for no date.  Writing: empty gives no date; otherwise year from
    // characters 1-4, month 6-7, day 9-10; a text that is no such date changes nothing (false).
    QString LoTWLastQSLAsString() const;
    bool SetLoTWLastQSLAsString(const QString& v);
    int32_t LoTWQSLs() const { return FLoTWQSLs; }

    TStringEvent OnLoTWExport;
    TDownloadEvent OnLoTWDownload;
    // Whether the upload that Start began succeeded; raised once per upload.
    TSwitchEvent OnUploadFinished;

protected:
    int32_t FLoTWQSLs = 0;

private:
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
