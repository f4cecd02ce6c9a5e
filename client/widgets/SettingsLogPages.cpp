#include "client/widgets/SettingsLogPages.h"

#include "client/widgets/SettingsPages.h"
#include "controls/widgets/RCPanel.h"
#include "controls/widgets/UpperCaseValidator.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

namespace {

constexpr int Margin = 8;
constexpr int Top = 33;
constexpr int ContentWidth = TSettingsFrame::FrameWidth - 2 * Margin;

// An account edit: blanks are dropped as they are typed or pasted.
QLineEdit* NewAccountEdit(QWidget* parent, int x, int y, int maxLength = 32767)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(x, y, 160, 22);
    edit->setValidator(new TKeyFilterValidator(edit, NoBlankKey, maxLength));
    return edit;
}

// Blanks dropped and the rest raised.
QChar UpperNoBlankKey(QChar ch, int length)
{
    return NoBlankKey(ch, length).toUpper();
}

} // namespace

TSettingsLog::TSettingsLog(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Log Book Tab"), parent)
{
    NewText(this, QStringLiteral("Maximum number of log entries to display in the Log Book tab"), Margin, Top + 4,
            ContentWidth, 18);
    MaxQSOsSpinEdit = new QSpinBox(this);
    MaxQSOsSpinEdit->setGeometry(Margin, Top + 26, 80, 22);
    MaxQSOsSpinEdit->setRange(0, 10000);
    MaxQSOsSpinEdit->setSingleStep(1000);
    MaxQSOsSpinEdit->setValue(3000);
    NewText(this,
            QStringLiteral("Decrease number for performance reasons on slower computers. Enter 0 for no limit."),
            Margin, Top + 56, ContentWidth, 32);
}

TSettingsLogLoTWFrame::TSettingsLogLoTWFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("LoTW - Logbook of the World"), parent)
{
    NewText(this, QStringLiteral("You must have a valid LoTW login to be able to download LoTW ADIF/QSL reports"),
            Margin, Top + 4, ContentWidth, 32);
    UsernameEdit = NewAccountEdit(this, 150, Top + 42, 16);
    NewBuddyLabel(this, QStringLiteral("Your LoTW &Username"), UsernameEdit, Margin, Top + 46);
    PasswordEdit = NewAccountEdit(this, 150, Top + 70);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    NewBuddyLabel(this, QStringLiteral("Your LoTW &Password"), PasswordEdit, Margin, Top + 74);
}

TSettingsLogQRZFrame::TSettingsLogQRZFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("QRZ.COM Callsign Lookup"), parent)
{
    NewText(this,
            QStringLiteral("You must have a QRZ.COM XML Logbook Data Subscription in order to use QRZ.COM realtime "
                           "callsign lookups in Vornix"),
            Margin, Top, ContentWidth, 32);
    UseQRZCB = NewCheckBox(this, QStringLiteral("&Use QRZ.COM realtime callsign lookups"), Margin, Top + 36);
    QRZUsernameEdit = new QLineEdit(this);
    QRZUsernameEdit->setGeometry(170, Top + 62, 160, 22);
    QRZUsernameEdit->setValidator(new TKeyFilterValidator(QRZUsernameEdit, UpperNoBlankKey, 32767));
    NewBuddyLabel(this, QStringLiteral("Your QRZ.COM &Username"), QRZUsernameEdit, Margin, Top + 66);
    QRZPasswordEdit = NewAccountEdit(this, 170, Top + 90);
    NewBuddyLabel(this, QStringLiteral("Your QRZ.COM &Password"), QRZPasswordEdit, Margin, Top + 94);
    TestButton = new QPushButton(QStringLiteral("Test"), this);
    TestButton->setGeometry(340, Top + 89, 75, 24);
    ImmediateCheckBox = NewCheckBox(
        this, QStringLiteral("&Immediate callsign lookup after Space key in callsign field"), Margin, Top + 120);

    RCPanel1 = new TRCPanel(this);
    RCPanel1->setGeometry(Margin, Top + 146, ContentWidth, 118);
    RCPanel1->hide();
    ResponseLabel1 = NewLabel(RCPanel1, QStringLiteral("Response"), 8, 6);
    // The answer lines of every test of this dialog; a long list scrolls.
    auto* scroll = new QScrollArea(RCPanel1);
    scroll->setGeometry(8, 24, ContentWidth - 16, 88);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    ResponseLabel2 = new QLabel;
    ResponseLabel2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ResponseLabel2->setWordWrap(true);
    scroll->setWidget(ResponseLabel2);
    scroll->viewport()->setAutoFillBackground(false);
    ResponseLabel2->setAutoFillBackground(false);
    ResponseLabel2->setStyleSheet(QStringLiteral("color: rgb(235, 235, 235)"));
    ResponseLabel1->setStyleSheet(QStringLiteral("color: rgb(235, 235, 235)"));

    connect(UseQRZCB, &QCheckBox::clicked, this, [this] { UpdateEnabled(); });
    UpdateEnabled();
}

void TSettingsLogQRZFrame::UpdateEnabled()
{
    const bool on = UseQRZCB->isChecked();
    QRZUsernameEdit->setEnabled(on);
    QRZPasswordEdit->setEnabled(on);
    TestButton->setEnabled(on);
}

void TSettingsLogQRZFrame::AddResponse(const QString& line)
{
    ResponseLabel2->setText(ResponseLabel2->text().isEmpty() ? line
                                                             : ResponseLabel2->text() + QLatin1Char('\n') + line);
}
