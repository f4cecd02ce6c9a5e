#include "log/widgets/LogLoTWExport.h"

#include "log/LoTWInterface.h"
#include "log/LogInterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace vx::qsldialogs;

TLogLoTWExportDlg::TLogLoTWExportDlg(QWidget* parent)
    : TDPIForm(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("LoTW ADIF Export and Upload"));
    setFixedSize(512, 370);

    ExportAllRB = new QRadioButton(QStringLiteral("export all QSOs"), this);
    ExportAllRB->setChecked(true);
    ExportSinceRB = new QRadioButton(QStringLiteral("or export QSOs since:"), this);
    DateEdit = NewDateEdit(this);
    DateEdit->setEnabled(false);
    auto* dateHint = new QLabel(DateHint, this);

    TQSLGroupBox = new QGroupBox(QStringLiteral(" TQSL File Signing and LoTW Logbook Upload "), this);
    CallsignEdit = new QLineEdit(TQSLGroupBox);
    CallsignEdit->setEnabled(false);
    MyStationLocationsCB = new QComboBox(TQSLGroupBox);
    MyStationLocationsCB->setMinimumContentsLength(20);
    ADIFDeleteCheckBox = new QCheckBox(QStringLiteral("Delete ADIF File after successful Web Upload"), TQSLGroupBox);
    auto* callLabel = new QLabel(QStringLiteral("Call sign"), TQSLGroupBox);
    callLabel->setBuddy(CallsignEdit);
    auto* locationLabel = new QLabel(QStringLiteral("Select your Station Location"), TQSLGroupBox);
    locationLabel->setBuddy(MyStationLocationsCB);
    auto* box = new QGridLayout(TQSLGroupBox);
    box->addWidget(callLabel, 0, 0);
    box->addWidget(locationLabel, 0, 1);
    box->addWidget(CallsignEdit, 1, 0);
    box->addWidget(MyStationLocationsCB, 1, 1);
    box->addWidget(ADIFDeleteCheckBox, 2, 0, 1, 2);
    box->setColumnStretch(1, 1);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    ExportButton = new QPushButton(QStringLiteral("&Export"), this);
    ExportButton->setAutoDefault(false);
    OKButton = new QPushButton(QStringLiteral("&Close"), this);
    OKButton->setDefault(true);

    auto* since = new QHBoxLayout;
    since->addWidget(ExportSinceRB);
    since->addWidget(DateEdit);
    since->addWidget(dateHint);
    since->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ExportButton);
    buttons->addWidget(OKButton);
    buttons->addStretch(1);
    auto* choice = new QVBoxLayout;
    choice->addWidget(ExportAllRB);
    choice->addLayout(since);
    auto* top = new QHBoxLayout;
    top->addLayout(choice, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(TQSLGroupBox);
    layout->addWidget(Memo1, 1);

    const auto dateChoice = [this] { DateEdit->setEnabled(ExportSinceRB->isChecked()); };
    connect(ExportAllRB, &QRadioButton::clicked, this, dateChoice);
    connect(ExportSinceRB, &QRadioButton::clicked, this, dateChoice);
    connect(ExportButton, &QPushButton::clicked, this, [this] { ExportButtonClick(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
}

void TLogLoTWExportDlg::SetLogInterface(TLogInterface* log)
{
    FLoTWExport.Release();
    FLogInterface = log;
    if (!log)
        return;
    FLoTWExport.Attach(log->OnLoTWExport, [this](const QString& text) { LoTWExport(text); });
    SetDate(DateEdit, OfferedDate(log->LastLoTWExport(), log->LastLoTWExportDate()));
    const TLoTWInterface& lotw = *log->LoTWInterface();
    TQSLGroupBox->setEnabled(lotw.Active());
    CallsignEdit->setText(lotw.MyCall().toUpper());
    MyStationLocationsCB->clear();
    MyStationLocationsCB->addItems(lotw.MyStationLocations());
    MyStationLocationsCB->setCurrentIndex(MyStationLocationsCB->count() > 0 ? 0 : -1);
    MyStationLocationsCB->setEnabled(MyStationLocationsCB->count() != 1);
}

void TLogLoTWExportDlg::done(int result)
{
    // A run still going reaches the logbook alone from now on.
    FLoTWExport.Release();
    FBusy.Set(false);
    QDialog::done(result);
}

void TLogLoTWExportDlg::ExportButtonClick()
{
    if (!FLogInterface)
        return;
    const std::optional<QString> from = ExportFrom(ExportAllRB->isChecked(), DateEdit);
    if (!from) {
        Memo1->appendPlainText(DateRefused);
        return;
    }
    FBusy.Set(true);
    ExportButton->setEnabled(false);
    TLoTWInterface& lotw = *FLogInterface->LoTWInterface();
    lotw.SetADIFFile(FFileName);
    lotw.SetStationLocation(MyStationLocationsCB->currentIndex() >= 0 ? MyStationLocationsCB->currentText() : QString());
    lotw.SetADIFDelete(ADIFDeleteCheckBox->isChecked());
    lotw.SetExportFinished(false);
    if (!FLogInterface->ADIFExport(FFileName, true, *from))
        Finished();
}

void TLogLoTWExportDlg::LoTWExport(const QString& text)
{
    QString shown = text;
    while (shown.endsWith(QLatin1Char('\n')) || shown.endsWith(QLatin1Char('\r')))
        shown.chop(1);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    Memo1->appendPlainText(shown);
    if (text.contains(QLatin1String("TQSL processing")))
        Finished();
}

void TLogLoTWExportDlg::Finished()
{
    OKButton->setFocus();
    ExportButton->hide();
    FBusy.Set(false);
}
