#include "log/widgets/DXTelnetSendSpotDlg.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <algorithm>

namespace {

// Refuses an edit that makes the text longer than the limit and longer than it was.  A text
// set by the program (the edit is then unmodified) is taken whole: QLineEdit's own maximum
// length would cut it.
class TTypedLengthLimit : public QValidator {
public:
    TTypedLengthLimit(QLineEdit* edit, int limit)
        : QValidator(edit)
        , FEdit(edit)
        , FLimit(limit)
    {
        // Runs after each change has been validated: the length before the next edit.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { FLength = int(text.size()); });
    }

    State validate(QString& input, int&) const override
    {
        if (!FEdit->isModified())
            return Acceptable;
        return input.size() <= std::max(FLimit, FLength) ? Acceptable : Invalid;
    }

private:
    QLineEdit* FEdit;
    int FLimit;
    int FLength = 0;
};

// Focus by Tab or on showing keeps the caret where the caller put it, without selecting the
// line, so typing adds to the proposal instead of replacing it.
class TSpotEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        const int caret = cursorPosition();
        const bool selected = hasSelectedText();
        QLineEdit::focusInEvent(event);
        if (!selected && hasSelectedText()) {
            deselect();
            setCursorPosition(caret);
        }
    }
};

} // namespace

TDXTelnetSendSpotDlg::TDXTelnetSendSpotDlg(QWidget* owner)
    : TDPIForm(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("DXTelnetSendSpotDlg"));
    setWindowTitle(QStringLiteral("Spot a DX"));
    resize(458, 36);

    Edit1 = new TSpotEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(6, 7, 323, 21);
    QPalette p = Edit1->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, Qt::black);
        p.setColor(g, QPalette::Text, QColor(192, 192, 192));
    }
    Edit1->setPalette(p);
    Edit1->setValidator(new TTypedLengthLimit(Edit1, MaxTypedLength));

    OKButton = new QPushButton(QStringLiteral("&Send"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(335, 8, 57, 21);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(397, 8, 57, 21);
    CancelButton->setAutoDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(Edit1, OKButton);
    setTabOrder(OKButton, CancelButton);
    Edit1->setFocus();
    // The form sees the keys first.
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(OKButton),
                       static_cast<QWidget*>(CancelButton)})
        w->installEventFilter(this);
}

bool TDXTelnetSendSpotDlg::FormKeyPress(QChar key)
{
    if (key != QChar(27))
        return false;
    reject();
    return true;
}

bool TDXTelnetSendSpotDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier && FormKeyPress(QChar(27)))
            return true;
    }
    return TDPIForm::eventFilter(watched, event);
}
