#include "log/widgets/eQSLExport.h"

#include "controls/widgets/UpperCaseValidator.h"
#include "log/eQSLInterface.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vx::qsldialogs;

TeQSLExportDlg::TeQSLExportDlg(QWidget* parent)
    : TDPIForm(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    const QString domain = QLatin1String(TeQSLInterface::DomainName);
    setWindowTitle(domain + QStringLiteral(" ADIF Upload"));
    setMinimumSize(512, 370);
    FeQSLInterface = new TeQSLInterface(this);
    FeQSLInterface->OnUploaded = [this](bool success, const QStringList& response) { Uploaded(success, response); };

    Label4 = new QLabel(QStringLiteral("&eQSL User"), this);
    CallsignEdit = new QLineEdit(this);
    CallsignEdit->setValidator(new TUpperCaseValidator(CallsignEdit));
    Label4->setBuddy(CallsignEdit);
    Label3 = new QLabel(QStringLiteral("&Password"), this);
    PasswordEdit = new QLineEdit(this);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    Label3->setBuddy(PasswordEdit);
    SavePasswordCheckBox = new QCheckBox(QStringLiteral("&Save Password"), this);
    Label1 = new QLabel(QStringLiteral("QTH Nickname"), this);
    NicknameEdit = new QLineEdit(this);
    NicknameEdit->setEnabled(false);
    Label1->setBuddy(NicknameEdit);
    ExportButton = new QPushButton(QStringLiteral("&Upload to ") + domain, this);
    ExportButton->setAutoDefault(false);
    OKButton = new QPushButton(QStringLiteral("&Close"), this);
    OKButton->setDefault(true);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* login = new QGridLayout;
    login->addWidget(Label4, 0, 0);
    login->addWidget(CallsignEdit, 0, 1);
    login->addWidget(Label3, 1, 0);
    login->addWidget(PasswordEdit, 1, 1);
    login->addWidget(SavePasswordCheckBox, 1, 2);
    login->addWidget(Label1, 2, 0);
    login->addWidget(NicknameEdit, 2, 1);
    login->setColumnStretch(1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ExportButton);
    buttons->addWidget(OKButton);
    buttons->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(login, 1);
    top->addSpacing(12);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Memo1, 1);

    for (QLineEdit* edit : {CallsignEdit, PasswordEdit, NicknameEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] { LoginChanged(); });
    connect(ExportButton, &QPushButton::clicked, this, [this] { ExportButtonClick(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    OKButton->setFocus();
}

void TeQSLExportDlg::showEvent(QShowEvent* event)
{
    TDPIForm::showEvent(event);
    if (FInitialized)
        return;
    FInitialized = true;
    const bool login = !CallsignEdit->text().isEmpty() && !PasswordEdit->text().isEmpty();
    ExportButton->setEnabled(login);
    (login ? ExportButton : OKButton)->setFocus();
}

void TeQSLExportDlg::LoginChanged()
{
    if (FUploaded || FeQSLInterface->Uploading())
        return;
    ExportButton->setEnabled(!CallsignEdit->text().isEmpty() && !PasswordEdit->text().isEmpty());
}

void TeQSLExportDlg::ExportButtonClick()
{
    if (FUploaded || CallsignEdit->text().isEmpty() || PasswordEdit->text().isEmpty())
        return;
    FUploaded = true;
    OKButton->setFocus();
    ExportButton->setEnabled(false);
    FBusy.Set(true);
    FeQSLInterface->Upload(CallsignEdit->text(), PasswordEdit->text(), FileName);
}

void TeQSLExportDlg::Uploaded(bool, const QStringList& response)
{
    CallsignEdit->setEnabled(false);
    PasswordEdit->setEnabled(false);
    for (const QString& line : response)
        Memo1->appendPlainText(line);
    FBusy.Set(false);
}

void TeQSLExportDlg::done(int result)
{
    FBusy.Set(false);
    TDPIForm::done(result);
}
