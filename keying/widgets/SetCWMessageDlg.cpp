#include "keying/widgets/SetCWMessageDlg.h"

#include "controls/widgets/RCPanel.h"
#include "controls/widgets/UpperCaseValidator.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

namespace {

const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor PanelGrey(65, 65, 65);

// The message variables of the logbook and what each sends, line by line.
const char* const Variables[][2] = {
    {"<MYCALL>", "sends my callsign"},
    {"<MYGRID>", "sends my grid locator"},
    {"<MYGRID4>", "sends my 4 digit grid locator"},
    {"<CALL>", "sends the callsign of the current QSO"},
    {"<NAME>", "sends the name of the QSO partner"},
    {"<RST>", "sends current QSO RST"},
    {"<RSTN>", "and replaces 9 with N (599 > 5NN)"},
    {"<STX>", "sends current QSO Serial Number"},
    {"<STXN>", "and cuts 9 to N and 0 to T"},
};

QLabel* NewLabel(const QString& text, QWidget* parent, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// Black fields with silver text, as the radio's own displays.
void DarkEdit(QLineEdit* edit)
{
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Silver);
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(0x20, 0x20, 0x20));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    edit->setPalette(pal);
}

} // namespace

TSetCWMessageDlg::TSetCWMessageDlg(QWidget* owner)
    : TDPIForm(owner, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Set CW Message"));
    resize(543, 209);
    // The dark grey of the program's panels, with the layout's silver labels on it.
    // Bevel shades are derived from the grey, so frames stay soft.
    QPalette pal(QColor(0x50, 0x50, 0x50), PanelGrey);
    pal.setColor(QPalette::WindowText, Silver);
    pal.setColor(QPalette::ButtonText, QColor(0xE0, 0xE0, 0xE0));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    setPalette(pal);
    setAutoFillBackground(true);

    sLabel1 = NewLabel(QStringLiteral("&Message"), this, 6, 4);
    sLabel2 = NewLabel(QStringLiteral("C&aption"), this, 278, 4);

    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(6, 23, 266, 21);
    Edit1->setValidator(new TUpperCaseValidator(Edit1));
    DarkEdit(Edit1);
    sLabel1->setBuddy(Edit1);
    Edit2 = new QLineEdit(this);
    Edit2->setGeometry(278, 23, 105, 21);
    DarkEdit(Edit2);
    sLabel2->setBuddy(Edit2);

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setGeometry(390, 23, 57, 21);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelButton->setGeometry(452, 23, 57, 21);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    Panel1 = new TRCPanel(this);
    Panel1->setGeometry(6, 50, 266, 151);
    Panel1->SetColor(PanelGrey);
    Panel1->SetBevelInner(bvLowered);
    Panel1->SetShowCaption(false);
    Label3 = NewLabel(QStringLiteral("Message variables:"), Panel1, 8, 6);

    QStringList names, meanings;
    for (const auto& v : Variables) {
        names << QLatin1String(v[0]);
        meanings << QLatin1String(v[1]);
    }
    Label2 = NewLabel(names.join(QLatin1Char('\n')), Panel1, 8, 22);
    Label1 = NewLabel(meanings.join(QLatin1Char('\n')), Panel1, 77, 22);
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

void TSetCWMessageDlg::SetCaption(const QString& value)
{
    setWindowTitle(value);
}

QString TSetCWMessageDlg::Message() const
{
    return Edit1->text();
}

void TSetCWMessageDlg::SetMessage(const QString& value)
{
    Edit1->setText(value.toUpper());
}

QString TSetCWMessageDlg::MessageCaption() const
{
    return Edit2->text();
}

void TSetCWMessageDlg::SetMessageCaption(const QString& value)
{
    Edit2->setText(value);
}

void TSetCWMessageDlg::SetMessageCaptionEnabled(bool value)
{
    Edit2->setEnabled(value);
}

bool TSetCWMessageDlg::Execute()
{
    return exec() == QDialog::Accepted;
}
