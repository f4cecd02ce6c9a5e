#pragma once
// TeQSLExportDlg: uploads the eQSL upload file the logbook wrote from its eQSL queue, with the
// operator's eQSL login, and shows the service's reply.  One upload per opening; a failed
// upload is shown in the memo and ends the wait as well.

#include "controls/widgets/DPIForm.h"
#include "log/widgets/QSLDialogParts.h"

#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TeQSLInterface;

class TeQSLExportDlg : public TDPIForm {
    Q_OBJECT
public:
    explicit TeQSLExportDlg(QWidget* parent = nullptr);

    QString FileName;

    TeQSLInterface* eQSLInterface() const { return FeQSLInterface; }
    bool Busy() const { return FBusy.Busy(); }

    void ExportButtonClick();

    QLabel* Label4 = nullptr;
    QLineEdit* CallsignEdit = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* PasswordEdit = nullptr;
    QCheckBox* SavePasswordCheckBox = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* NicknameEdit = nullptr;
    QPushButton* ExportButton = nullptr;
    QPushButton* OKButton = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void LoginChanged();
    void Uploaded(bool success, const QStringList& response);

    bool FInitialized = false;
    bool FUploaded = false;
    TeQSLInterface* FeQSLInterface = nullptr;
    TBusyCursor FBusy;
};
