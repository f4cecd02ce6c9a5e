#pragma once
// TLoTWDownloadDlg: fetches the LoTW report of the confirmations since a date, shows its QSOs
// and applies it to every log in the log folder.  One download and one update per opening:
// ready, downloading, downloaded (Update enabled when the report holds QSLs and there are
// logs), updating, finished.  The date of the report's newest confirmation is kept for the
// next download only when every log took the report without a read or write error.  The
// dialog listens to the logbook's events only while it exists.

#include "core/RCTypes.h"
#include "log/LogInterface.h"
#include "controls/widgets/DPIForm.h"
#include "log/widgets/QSLDialogParts.h"

#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TRCPanel;

class TLoTWDownloadDlg : public TDPIForm {
    Q_OBJECT
public:
    explicit TLoTWDownloadDlg(QWidget* parent = nullptr);

    // Hands over the logbook and lists its log folder; call before the dialog is shown.
    void SetLogInterface(TLogInterface* log);
    bool Busy() const { return FBusy.Busy(); }
    QString Status() const;
    // Full names of the logs an update applies the report to.
    const QStringList& Logs() const { return FLogs; }

    void DownloadButtonClick();
    void UpdateButtonClick();

    QLabel* Label1 = nullptr;
    QLineEdit* DateEdit = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* DownloadButton = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* UpdateButton = nullptr;
    TRCPanel* RCPanel1 = nullptr;
    QLabel* RCLabel1 = nullptr;
    QTableWidget* StringGrid2 = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    void done(int result) override;

private:
    void SetStatus(const QString& text);
    void LoTWDownload(bool success, int32_t qsos);
    void LoTWLog(bool success, int32_t qsos);
    void LogImport(const QString& logFilename, bool success, int32_t qsos, int32_t inserted, int32_t updated);
    void Detach();

    TLogInterface* FLogInterface = nullptr;
    QStringList FLogs;
    // The report the dialog works on, once it was downloaded.
    QString FFileName;
    int FUpdated = 0;
    bool FUpdateFailed = false;
    // The logbook's events the dialog listens to while it is open.
    vx::qsldialogs::THandlerHook<TLoTWDownloadEvent> FDownload;
    vx::qsldialogs::THandlerHook<TLoTWDownloadEvent> FLoTWLog;
    vx::qsldialogs::THandlerHook<TImportEvent> FImport;
    TBusyCursor FBusy;
};
