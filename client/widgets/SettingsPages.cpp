#include "client/widgets/SettingsPages.h"

#include "controls/widgets/FixedLayout.h"
#include "core/RCTypes.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTimer>

namespace {

constexpr int Margin = 8;
constexpr int Top = 33;
constexpr int ContentWidth = TSettingsFrame::FrameWidth - 2 * Margin;
constexpr int EditLeft = 120;

bool IsCapital(QChar ch) { return ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'); }
bool IsDigit(QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); }
QChar Raised(QChar ch) { return ch >= QLatin1Char('a') && ch <= QLatin1Char('z') ? ch.toUpper() : ch; }

} // namespace

// --- Key filters ----------------------------------------------------------------------------

TKeyFilterValidator::TKeyFilterValidator(QLineEdit* edit, TFilter filter, int maxLength)
    : QValidator(edit)
    , FEdit(edit)
    , FFilter(std::move(filter))
    , FMaxLength(maxLength)
{
}

QValidator::State TKeyFilterValidator::validate(QString& input, int& pos) const
{
    // The edit already holds the new text; what it held before is its last accepted text,
    // which the edit keeps as its "old" text only until this returns.  Keep our own copy.
    const QString before = FEdit->property("vxAcceptedText").toString();
    int prefix = 0;
    const int shorter = int(std::min(before.size(), input.size()));
    while (prefix < shorter && before[prefix] == input[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == input[input.size() - 1 - suffix])
        ++suffix;
    const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
    const int kept = int(before.size()) - (int(before.size()) - prefix - suffix);
    QString accepted;
    for (QChar ch : inserted) {
        if (kept + accepted.size() >= FMaxLength)
            break;
        const QChar judged = FFilter(ch, kept + int(accepted.size()));
        if (!judged.isNull())
            accepted += judged;
    }
    if (accepted != inserted) {
        input = input.left(prefix) + accepted + input.right(suffix);
        pos = prefix + int(accepted.size());
    }
    FEdit->setProperty("vxAcceptedText", input);
    return Acceptable;
}

QChar CallSignKey(QChar ch, int)
{
    ch = Raised(ch);
    return ch == QLatin1Char('/') || IsDigit(ch) || IsCapital(ch) ? ch : QChar();
}

QChar LocatorKey(QChar ch, int length)
{
    ch = Raised(ch);
    if (!IsDigit(ch) && !IsCapital(ch))
        return {};
    if (length < 2 || (length >= 4 && length < 6))
        return IsCapital(ch) ? ch : QChar();
    if (length < 4)
        return IsDigit(ch) ? ch : QChar();
    return ch; // the edit's length limit decides
}

QChar NoBlankKey(QChar ch, int)
{
    return ch == QLatin1Char(' ') ? QChar() : ch;
}

// --- General --------------------------------------------------------------------------------

TSettingsGeneralFrame::TSettingsGeneralFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("General"), parent)
{
    MyCallEdit = new QLineEdit(this);
    MyCallEdit->setGeometry(EditLeft, Top + 4, 110, 22);
    MyCallEdit->setValidator(new TKeyFilterValidator(MyCallEdit, CallSignKey, 12));
    NewBuddyLabel(this, QStringLiteral("My call &sign"), MyCallEdit, Margin, Top + 8);

    MyLocatorEdit = new QLineEdit(this);
    MyLocatorEdit->setGeometry(EditLeft, Top + 32, 70, 22);
    MyLocatorEdit->setValidator(new TKeyFilterValidator(MyLocatorEdit, LocatorKey, 6));
    MyLocatorEdit->installEventFilter(this);
    NewBuddyLabel(this, QStringLiteral("My &locator"), MyLocatorEdit, Margin, Top + 36);

    RangeUnitCB = new QComboBox(this);
    RangeUnitCB->addItems({QStringLiteral("km"), QStringLiteral("miles")});
    RangeUnitCB->setGeometry(EditLeft, Top + 60, 70, 22);
    RangeUnitCB->setCurrentIndex(0);
    NewBuddyLabel(this, QStringLiteral("Distance unit"), RangeUnitCB, Margin, Top + 64);

    AppTypeRadioGroup = new TRadioGroup(
        QStringLiteral(" This instance of the &application is running... "),
        {QStringLiteral("Local"), QStringLiteral("Local and as Remote Server"), QStringLiteral("as Remote Client")}, this);
    AppTypeRadioGroup->setGeometry(Margin, Top + 92, ContentWidth, 92);
    AppTypeRadioGroup->SetItemIndex(0);
    Label2 = NewText(this, ExplanationText(0), Margin, Top + 192, ContentWidth, 60);
    AppTypeRadioGroup->OnClick = [this] { ShowExplanation(AppTypeRadioGroup->ItemIndex()); };
}

QString TSettingsGeneralFrame::ExplanationText(int item)
{
    switch (item) {
    case 1:
        return QStringLiteral("If this instance of the application is running local or as a remote server you need to "
                              "specify the COM Port connected to your transceiver and the Remote Server settings");
    case 2:
        return QStringLiteral("If this instance of the application is as remote client you need to enter a Remote "
                              "Connection to a Vornix Server");
    default:
        return QStringLiteral("If this instance of the application is running local you need to specify the COM Port "
                              "connected to your transceiver");
    }
}

void TSettingsGeneralFrame::ShowExplanation(int item)
{
    Label2->setText(ExplanationText(item));
}

bool TSettingsGeneralFrame::LocatorComplete() const
{
    const qsizetype length = MyLocatorEdit->text().size();
    return length == 0 || length >= 6;
}

bool TSettingsGeneralFrame::CheckLocator()
{
    if (LocatorComplete())
        return true;
    if (!LocatorMessageBox) {
        LocatorMessageBox = new QMessageBox(QMessageBox::Warning, QStringLiteral("Settings"), LocatorMessage,
                                            QMessageBox::Ok, this);
        // Back into the edit once the message is read.
        connect(LocatorMessageBox, &QMessageBox::finished, MyLocatorEdit, [this] { MyLocatorEdit->setFocus(); });
    }
    Fire(OnShowPage);
    LocatorMessageBox->open();
    MyLocatorEdit->setFocus();
    return false;
}

bool TSettingsGeneralFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MyLocatorEdit && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Only a move to another field counts: not the window losing the focus, not a popup,
        // and not the message itself.
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason ||
            reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason) {
            // Decided once the focus has landed: a click on Cancel or an Esc must not trap the
            // user in the edit.
            QTimer::singleShot(0, this, [this] {
                if (!window()->isVisible())
                    return;
                if (OnSkipLocatorCheck && OnSkipLocatorCheck(QApplication::focusWidget()))
                    return;
                CheckLocator();
            });
        }
    }
    return TSettingsFrame::eventFilter(watched, event);
}

// --- User Interface -------------------------------------------------------------------------

TSettingsUserInterfaceFrame::TSettingsUserInterfaceFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("User Interface"), parent)
{
    TransceiverRadioGroup = new TRadioGroup(QStringLiteral(" Transceiver "),
                                            {QStringLiteral("automatic detect"), QStringLiteral("FT-2000"),
                                             QStringLiteral("FT-2000D"), QStringLiteral("FT-950"),
                                             QStringLiteral("FT DX 5000")},
                                            this);
    TransceiverRadioGroup->setGeometry(Margin, Top + 4, 200, 140);
    TransceiverRadioGroup->SetItemIndex(0);

    ClarifierRangeSpinEdit = new QSpinBox(this);
    ClarifierRangeSpinEdit->setRange(100, 9999);
    ClarifierRangeSpinEdit->setSingleStep(100);
    ClarifierRangeSpinEdit->setValue(9999);
    QLabel* label = NewBuddyLabel(this, QStringLiteral("Clarifier Bar Range +/-"), ClarifierRangeSpinEdit, Margin,
                                  Top + 160);
    const int left = Margin + label->sizeHint().width() + 8;
    ClarifierRangeSpinEdit->setGeometry(left, Top + 156, 70, 22);
    NewLabel(this, QStringLiteral("Hz"), left + 76, Top + 160);
}
