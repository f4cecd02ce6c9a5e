#pragma once
// TLogLoTWExportDlg: the operator chooses the QSOs and the TQSL station location, exports the
// QSOs not yet sent to LoTW and has TQSL sign and upload them; TQSL's output is shown.  The
// dialog listens to the logbook's OnLoTWExport only while it exists; a run that ends after it
// was closed reaches the logbook alone.

#include "core/RCTypes.h"
#include "log/widgets/QSLDialogParts.h"

#include "controls/widgets/DPIForm.h"
#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TLogInterface;

class TLogLoTWExportDlg : public TDPIForm {
    Q_OBJECT
public:
    explicit TLogLoTWExportDlg(QWidget* parent = nullptr);

    QString FileName() const { return FFileName; }
    void SetFileName(const QString& v) { FFileName = v; }
    // Hands over the logbook; call before the dialog is shown.
    void SetLogInterface(TLogInterface* log);
    bool Busy() const { return FBusy.Busy(); }

    void ExportButtonClick();

    QRadioButton* ExportAllRB = nullptr;
    QRadioButton* ExportSinceRB = nullptr;
    QLineEdit* DateEdit = nullptr;
    QGroupBox* TQSLGroupBox = nullptr;
    QLineEdit* CallsignEdit = nullptr;
    QComboBox* MyStationLocationsCB = nullptr;
    QCheckBox* ADIFDeleteCheckBox = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* ExportButton = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    void done(int result) override;

private:
    void LoTWExport(const QString& text);
    void Finished();

    QString FFileName;
    TLogInterface* FLogInterface = nullptr;
    vx::qsldialogs::THandlerHook<TStringEvent> FLoTWExport;
    TBusyCursor FBusy;
};
