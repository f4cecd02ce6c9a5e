#include "keying/widgets/SetMessageDlg.h"

#include "controls/widgets/PanelLook.h"
#include "controls/widgets/RCPanel.h"
#include "controls/widgets/UpperCaseValidator.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

TSetMessageDlg::TSetMessageDlg(const Layout& layout, QWidget* owner)
    : TDPIForm(owner, Qt::Tool)
{
    using namespace vx::look;
    setWindowTitle(layout.Title);
    // The caption field, OK and Cancel follow the message field.
    const int captionLeft = 6 + layout.MessageWidth + 6;
    resize(layout.Width, 50 + layout.HelpHeight + 8);
    // The dark grey of the program's panels, with silver labels on it.
    setPalette(PanelPalette());
    setAutoFillBackground(true);

    sLabel1 = vx::look::NewLabel(QStringLiteral("&Message"), this, 6, 4);
    sLabel2 = vx::look::NewLabel(QStringLiteral("C&aption"), this, captionLeft, 4);

    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(6, 23, layout.MessageWidth, 21);
    Edit1->setValidator(new TUpperCaseValidator(Edit1));
    DarkField(Edit1);
    sLabel1->setBuddy(Edit1);
    Edit2 = new QLineEdit(this);
    Edit2->setGeometry(captionLeft, 23, 105, 21);
    DarkField(Edit2);
    sLabel2->setBuddy(Edit2);

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setGeometry(captionLeft + 112, 23, 57, 21);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelButton->setGeometry(captionLeft + 174, 23, 57, 21);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    Panel1 = new TRCPanel(this);
    Panel1->setGeometry(6, 50, 266, layout.HelpHeight);
    Panel1->SetColor(PanelGrey);
    Panel1->SetBevelInner(bvLowered);
    Panel1->SetShowCaption(false);
    Label3 = vx::look::NewLabel(QStringLiteral("Message variables:"), Panel1, 8, 6);

    QStringList names, meanings;
    for (const auto& [name, meaning] : layout.Variables) {
        names << QLatin1String(name);
        meanings << QLatin1String(meaning);
    }
    Label2 = vx::look::NewLabel(names.join(QLatin1Char('\n')), Panel1, 8, 22);
    Label1 = vx::look::NewLabel(meanings.join(QLatin1Char('\n')), Panel1, 77, 22);
    // The lists take the form's font, made smaller where the panel would cut a line.
    const int room = Panel1->width() - Label1->x() - 4;
    QFont listFont = font();
    while (listFont.pixelSize() > 8 && QFontMetrics(listFont).boundingRect(QRect(0, 0, 1000, 1000), 0, Label1->text()).width() > room)
        listFont.setPixelSize(listFont.pixelSize() - 1);
    for (QLabel* list : {Label2, Label1}) {
        list->setFont(listFont);
        list->adjustSize();
    }
    Edit1->setFocus();
}

void TSetMessageDlg::SetCaption(const QString& value)
{
    setWindowTitle(value);
}

QString TSetMessageDlg::Message() const
{
    return Edit1->text();
}

void TSetMessageDlg::SetMessage(const QString& value)
{
    Edit1->setText(value.toUpper());
}

QString TSetMessageDlg::MessageCaption() const
{
    return Edit2->text();
}

void TSetMessageDlg::SetMessageCaption(const QString& value)
{
    Edit2->setText(value);
}

void TSetMessageDlg::SetMessageCaptionEnabled(bool value)
{
    Edit2->setEnabled(value);
}

bool TSetMessageDlg::Execute()
{
    return exec() == QDialog::Accepted;
}
