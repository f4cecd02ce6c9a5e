#pragma once
// TLogADIFExportDlg: exports the own QSOs since a date, or all of them, to an ADIF file.  One
// export per opening; the logbook's result text is shown.  The dialog listens to the
// logbook's OnLoTWExport only while it exists.

#include "core/RCTypes.h"
#include "log/widgets/QSLDialogParts.h"

#include "controls/widgets/DPIForm.h"
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TLogInterface;

class TLogADIFExportDlg : public TDPIForm {
    Q_OBJECT
public:
    // The server program offers "all QSOs" first.
    explicit TLogADIFExportDlg(QWidget* parent = nullptr, bool serverProgram = false);

    QString FileName() const { return FFileName; }
    void SetFileName(const QString& v) { FFileName = v; }
    void SetLogInterface(TLogInterface* log);

    void ExportButtonClick();

    QRadioButton* ExportSinceRB = nullptr;
    QLineEdit* DateEdit = nullptr;
    QLabel* Label5 = nullptr;
    QRadioButton* ExportAllRB = nullptr;
    QLabel* ExportEventLabel = nullptr;
    QPushButton* ExportButton = nullptr;
    QPushButton* CloseButton = nullptr;

protected:
    void done(int result) override;

private:
    QString FFileName;
    TLogInterface* FLogInterface = nullptr;
    vx::qsldialogs::THandlerHook<TStringEvent> FLoTWExport;
};
