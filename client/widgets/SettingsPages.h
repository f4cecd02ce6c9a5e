#pragma once
// VornixClient's own settings pages: the operator's station and the program's role
// ("General") and the radio model with the clarifier bar range ("User Interface").  The
// dialog fills and applies them; the pages only keep their own controls consistent.

#include "controls/widgets/settings/SettingsFrames.h"

#include <QValidator>

class QMessageBox;

// Judges every character that reaches a line edit, typed or pasted, as if it were typed at the
// end: `Filter` gets the character and the number of characters already in the edit and gives
// the character to insert (raised, say) or a null character to drop it.  Deleting always
// passes.  The validator also keeps the edit's length limit, after filtering: the edit's own
// limit would cut pasted text before the dropped characters are taken out.
class TKeyFilterValidator : public QValidator {
public:
    using TFilter = std::function<QChar(QChar ch, int length)>;
    TKeyFilterValidator(QLineEdit* edit, TFilter filter, int maxLength);
    State validate(QString& input, int& pos) const override;

private:
    QLineEdit* FEdit;
    TFilter FFilter;
    int FMaxLength;
};

// The character filters of the pages, shared so that tests can judge them one by one.
QChar CallSignKey(QChar ch, int length);
QChar LocatorKey(QChar ch, int length);
// Drops blanks, keeps everything else.
QChar NoBlankKey(QChar ch, int length);

class TSettingsGeneralFrame : public TSettingsFrame {
    Q_OBJECT
public:
    static inline const QString LocatorMessage = QStringLiteral("Locator needs six digits");

    explicit TSettingsGeneralFrame(QWidget* parent = nullptr);
    QLineEdit* MyCallEdit;
    QLineEdit* MyLocatorEdit;
    QComboBox* RangeUnitCB;
    TRadioGroup* AppTypeRadioGroup;
    QLabel* Label2;

    // Label2's text for a role item.
    static QString ExplanationText(int item);
    void ShowExplanation(int item);

    // Whether the locator is empty or whole.
    bool LocatorComplete() const;
    // The exit check: a locator that is not whole is reported and the edit takes the focus
    // back.  False when it was reported.
    bool CheckLocator();
    // Asked before the exit check runs, with the widget that took the focus: true skips the
    // check (the dialog is being cancelled).
    std::function<bool(QWidget* focus)> OnSkipLocatorCheck;
    // Asked to show this page before the edit takes the focus back (another page may show).
    std::function<void()> OnShowPage;

    // The message shown last (owned by the page); null before any.
    QMessageBox* LocatorMessageBox = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class TSettingsUserInterfaceFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsUserInterfaceFrame(QWidget* parent = nullptr);
    TRadioGroup* TransceiverRadioGroup;
    QSpinBox* ClarifierRangeSpinEdit;
};
