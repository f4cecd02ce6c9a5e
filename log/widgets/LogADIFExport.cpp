#include "log/widgets/LogADIFExport.h"

#include "log/LogInterface.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace vx::qsldialogs;

TLogADIFExportDlg::TLogADIFExportDlg(QWidget* parent, bool serverProgram)
    : TDPIForm(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("ADIF Export"));

    ExportSinceRB = new QRadioButton(serverProgram ? QStringLiteral("or export QSOs since:") : QStringLiteral("Export QSOs since:"), this);
    DateEdit = NewDateEdit(this);
    Label5 = new QLabel(DateHint, this);
    ExportAllRB = new QRadioButton(serverProgram ? QStringLiteral("export all QSOs") : QStringLiteral("or export all QSOs"), this);
    (serverProgram ? ExportAllRB : ExportSinceRB)->setChecked(true);
    DateEdit->setEnabled(!serverProgram);
    ExportEventLabel = new QLabel(this);
    // Room for a result naming a long file.
    ExportEventLabel->setWordWrap(true);
    ExportEventLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ExportEventLabel->setMinimumSize(400, 3 * ExportEventLabel->fontMetrics().lineSpacing());
    ExportButton = new QPushButton(QStringLiteral("&Export"), this);
    CloseButton = new QPushButton(QStringLiteral("&Close"), this);
    CloseButton->setDefault(true);

    auto* choice = new QGridLayout;
    const int sinceRow = serverProgram ? 1 : 0;
    choice->addWidget(ExportSinceRB, sinceRow, 0);
    choice->addWidget(DateEdit, sinceRow, 1);
    choice->addWidget(Label5, sinceRow, 2);
    choice->addWidget(ExportAllRB, 1 - sinceRow, 0, 1, 3);
    choice->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ExportButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(ExportEventLabel, 1);
    layout->addLayout(buttons);

    const auto dateChoice = [this] { DateEdit->setEnabled(ExportSinceRB->isChecked()); };
    connect(ExportAllRB, &QRadioButton::clicked, this, dateChoice);
    connect(ExportSinceRB, &QRadioButton::clicked, this, dateChoice);
    connect(ExportButton, &QPushButton::clicked, this, [this] { ExportButtonClick(); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    ExportButton->setFocus();
}

void TLogADIFExportDlg::SetLogInterface(TLogInterface* log)
{
    FLoTWExport.Release();
    FLogInterface = log;
    if (!log)
        return;
    FLoTWExport.Attach(log->OnLoTWExport, [this](const QString& text) {
        ExportEventLabel->setText(text.trimmed());
        CloseButton->setFocus();
    });
    SetDate(DateEdit, OfferedDate(log->LastADIFExport(), log->LastADIFExportDate()));
}

void TLogADIFExportDlg::done(int result)
{
    FLoTWExport.Release();
    QDialog::done(result);
}

void TLogADIFExportDlg::ExportButtonClick()
{
    if (!FLogInterface || !ExportButton->isEnabled())
        return;
    const std::optional<QString> from = ExportFrom(ExportAllRB->isChecked(), DateEdit);
    if (!from) {
        ExportEventLabel->setText(DateRefused);
        return;
    }
    ExportEventLabel->setText(QStringLiteral("exporting..."));
    for (QWidget* w : std::initializer_list<QWidget*>{DateEdit, ExportSinceRB, ExportAllRB, ExportButton})
        w->setEnabled(false);
    FLogInterface->ADIFExport(FFileName, false, *from);
}
