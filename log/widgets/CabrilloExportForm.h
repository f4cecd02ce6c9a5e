#pragma once
// TCabrilloExportForm: the modal dialog in which the operator edits the Cabrillo header,
// previews the whole file and saves it.  The call sign of the dialog selects the QSOs.

#include "log/CabrilloLog.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TLogInterface;

class TCabrilloExportForm : public QDialog {
    Q_OBJECT
public:
    explicit TCabrilloExportForm(QWidget* parent = nullptr);
    ~TCabrilloExportForm() override;

    QString Filename() const { return FFilename; }
    void SetFilename(const QString& v) { FFilename = v; }
    TLogInterface* LogInterface() const { return FLogInterface; }
    void SetLogInterface(TLogInterface* v) { FLogInterface = v; }
    // A copy of the log's lines.
    const QStringList& LogBook() const { return FLogBook; }
    void SetLogBook(const QStringList& v) { FLogBook = v; }

    // The header of the logbook into the controls.
    void Initialize();
    // Builds the file from the controls and the log and shows it; the number of QSO lines.
    int PrepareCabrillo();
    // The controls back into the logbook's header.
    void StoreHeader();
    // What the last preparation found ("12 QSOs exported, 3 QSOs lack RST or exchange").
    QString ResultText() const { return FResultText; }

    void CabrilloButtonClick();
    void OKButtonClick();
    void CancelButtonClick();

    QComboBox* ContestComboBox = nullptr;
    QLineEdit* CallsignEdit = nullptr;
    QComboBox* CategoryOperatorEdit = nullptr;
    QComboBox* CategoryTransmitterComboBox = nullptr;
    QComboBox* CategoryAssistedComboBox = nullptr;
    QComboBox* CategoryBandComboBox = nullptr;
    QComboBox* CategoryPowerComboBox = nullptr;
    QComboBox* CategoryModeComboBox = nullptr;
    QComboBox* CategoryStationComboBox = nullptr;
    QLineEdit* ClubEdit = nullptr;
    QLineEdit* NameEdit = nullptr;
    QPlainTextEdit* AddressMemo = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* CabrilloButton = nullptr;
    // The result of the preview, beside its button.
    QLabel* ResultLabel = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    // The header as the controls hold it.
    TCabrilloHeader ControlsHeader() const;

    QString FFilename;
    TLogInterface* FLogInterface = nullptr;
    QStringList FLogBook;
    // The file's lines as last prepared.
    QStringList FQSOList;
    QString FResultText;
};
