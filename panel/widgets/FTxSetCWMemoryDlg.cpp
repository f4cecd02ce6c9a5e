#include "panel/widgets/FTxSetCWMemoryDlg.h"

#include "controls/widgets/UpperCaseValidator.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

TFTxSetCWMemoryDlg::TFTxSetCWMemoryDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Set CW Keyer Memory Channel"));
    setWindowFlag(Qt::Tool);
    // "MS Sans Serif" 11 pixels.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    resize(458, 36);

    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(6, 8, 323, 21);
    Edit1->setMaxLength(MaxTextLength);
    Edit1->setValidator(new TUpperCaseValidator(Edit1));
    QPalette pal = Edit1->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, QColor(0xC0, 0xC0, 0xC0));
    Edit1->setPalette(pal);

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setGeometry(335, 8, 57, 21);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelButton->setGeometry(397, 8, 57, 21);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Edit1->setFocus();
}

void TFTxSetCWMemoryDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
