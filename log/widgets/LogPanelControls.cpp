#include "log/widgets/LogPanelControls.h"

#include "controls/widgets/UpperCaseValidator.h"
#include "log/widgets/LogPanelRules.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

namespace vx::logpanel {

namespace {

bool IsTypedText(const QKeyEvent* event)
{
    if (event->text().isEmpty())
        return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete: return false;
    default: return true;
    }
}

bool EntersBySelection(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

} // namespace

TEntryEdit::TEntryEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

void TEntryEdit::SetUpperCase(bool value)
{
    if (value == FUpperCase)
        return;
    FUpperCase = value;
    setValidator(value ? new TUpperCaseValidator(this) : nullptr);
}

void TEntryEdit::SetSavedSelection(int start, int length)
{
    FSelStart = start;
    FSelLength = length;
    if (!hasFocus())
        return;
    setSelection(start, length);
}

void TEntryEdit::keyPressEvent(QKeyEvent* event)
{
    if (!IsTypedText(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QPointer<TEntryEdit> self(this);
    QString text;
    for (QChar c : event->text()) {
        if (FNumbersOnly && c != Backspace && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            continue;
        // A filter may move the focus or change the panel, even destroy it.
        if (KeyFilter && !KeyFilter(c))
            continue;
        if (!self)
            return;
        text += c;
    }
    if (!self)
        return;
    if (text == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (text.isEmpty())
        return;
    QKeyEvent changed(event->type(), event->key(), event->modifiers(), text, event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&changed);
}

void TEntryEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!FAutoSelect && EntersBySelection(event->reason())) {
        deselect();
        if (FSelStart >= 0)
            setSelection(std::min<int>(FSelStart, int(text().size())), FSelLength);
    }
}

void TEntryEdit::focusOutEvent(QFocusEvent* event)
{
    if (hasSelectedText()) {
        FSelStart = selectionStart();
        FSelLength = int(selectedText().size());
    } else {
        FSelStart = cursorPosition();
        FSelLength = 0;
    }
    QLineEdit::focusOutEvent(event);
}

TFitLabel::TFitLabel(int minPixels, int maxPixels, QWidget* parent)
    : QLabel(parent)
    , FMinPixels(minPixels)
    , FMaxPixels(maxPixels)
{
}

QFont TFitLabel::FittedFont() const
{
    QFont f = font();
    for (int px = FMaxPixels; px >= FMinPixels; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(text()) <= contentsRect().width())
            return f;
    }
    return f;
}

void TFitLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFont f = FittedFont();
    p.setFont(f);
    p.setPen(palette().color(QPalette::WindowText));
    const QRect r = contentsRect();
    p.drawText(r, int(alignment()), QFontMetrics(f).elidedText(text(), Qt::ElideRight, r.width()));
}

} // namespace vx::logpanel
