#include "keying/widgets/RTTYEdit.h"

#include "controls/widgets/PanelLook.h"
#include "platform/Clock.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

bool InCallSet(QChar c)
{
    return c == QLatin1Char('/') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

} // namespace

TRTTYEdit::TRTTYEdit(QWidget* parent)
    : QTextEdit(parent)
    , FMouseIsDownTimer(new vx::Timer(HoldMs, false, this))
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setFont(vx::look::Font(11));
    vx::look::DarkField(this, Qt::white);
    // The selection stays visible when the monitor loses the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);
    viewport()->setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::ClickFocus);
    FMouseIsDownTimer->OnTimer = [this] { DoTimer(); };
}

void TRTTYEdit::SetPTT(bool value)
{
    if (value == FPTT)
        return;
    FPTT = value;
    AddText(QStringLiteral("\r"));
}

bool TRTTYEdit::Holding() const
{
    return FMouseIsDown || FMouseIsDownTimer->isActive();
}

void TRTTYEdit::AddText(const QString& text)
{
    if (!text.isEmpty()) {
        if (!FPending.isEmpty() && FPending.back().TX == FPTT)
            FPending.back().Text += text;
        else
            FPending.append({text, FPTT});
    }
    if (!FPending.isEmpty() && !Holding())
        Flush();
}

void TRTTYEdit::Flush()
{
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    c.beginEditBlock();
    for (const Piece& piece : std::as_const(FPending)) {
        QTextCharFormat format;
        format.setForeground(piece.TX ? FColorTX : FColorRX);
        QString run;
        const auto write = [&] {
            if (!run.isEmpty())
                c.insertText(run, format);
            run.clear();
        };
        for (qsizetype i = 0; i < piece.Text.size(); ++i) {
            const QChar ch = piece.Text[i];
            if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
                const bool pairedLF = ch == QLatin1Char('\n') && FAfterCR;
                FAfterCR = ch == QLatin1Char('\r');
                if (pairedLF)
                    continue;
                write();
                c.insertBlock(c.blockFormat(), format);
                continue;
            }
            FAfterCR = false;
            if (ch.isHighSurrogate() && i + 1 < piece.Text.size() && piece.Text[i + 1].isLowSurrogate()) {
                run += ch;
                run += piece.Text[++i];
            } else if (!ch.isSurrogate() && ch.isPrint() && ch.category() != QChar::Separator_Line
                       && ch.category() != QChar::Separator_Paragraph) {
                run += ch;
            }
        }
        write();
    }
    c.endEditBlock();
    FPending.clear();

    if (FMaxLines > 0) {
        QTextCursor first(document());
        while (LineCount() > FMaxLines) {
            first.movePosition(QTextCursor::Start);
            first.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
            first.removeSelectedText();
        }
    }
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

int TRTTYEdit::LineCount() const
{
    const QTextDocument* doc = document();
    int lines = doc->blockCount();
    if (lines > 0 && doc->lastBlock().length() <= 1)
        --lines;
    return lines;
}

void TRTTYEdit::DoTimer()
{
    if (FMouseIsDown)
        return;
    FMouseIsDownTimer->stop();
    AddText(QString());
}

void TRTTYEdit::mousePressEvent(QMouseEvent* event)
{
    FMouseIsDown = true;
    FMouseIsDownTimer->start();
    QTextEdit::mousePressEvent(event);
}

void TRTTYEdit::mouseReleaseEvent(QMouseEvent* event)
{
    FMouseIsDown = false;
    // The hold lasts a full period after the release.
    FMouseIsDownTimer->start();
    QTextEdit::mouseReleaseEvent(event);
}

void TRTTYEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTextEdit::mouseDoubleClickEvent(event);
    if (!textCursor().hasSelection())
        return;
    const bool wasDown = FMouseIsDown;
    FMouseIsDown = true;
    ClassifySelection();
    FMouseIsDown = wasDown;
}

void TRTTYEdit::ClassifySelection()
{
    QTextCursor c = textCursor();
    QString word = c.selectedText();
    if (word.endsWith(QLatin1Char(' '))) {
        word = word.trimmed();
    } else {
        // The word selection stops at a slash; a callsign goes on to its suffix.
        const QString all = document()->toPlainText();
        int end = c.selectionEnd();
        while (end < all.size() && InCallSet(all[end]))
            ++end;
        c.setPosition(c.selectionStart());
        c.setPosition(end, QTextCursor::KeepAnchor);
        setTextCursor(c);
        word = c.selectedText();
    }
    if (IsCallsign(word))
        Fire(OnLogCall, word);
    if (IsName(word))
        Fire(OnLogName, word);
}

bool TRTTYEdit::IsCallsign(const QString& word)
{
    int letters = 0, digits = 0;
    for (QChar ch : word) {
        if (ch == QLatin1Char('/') || (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z')))
            ++letters;
        else if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
            ++digits;
    }
    return letters > 1 && digits > 0;
}

bool TRTTYEdit::IsName(const QString& word)
{
    if (word.isEmpty())
        return false;
    bool vowel = false, consonant = false;
    for (QChar ch : word) {
        if (ch < QLatin1Char('A') || ch > QLatin1Char('Z'))
            return false;
        if (QStringLiteral("AEIOU").contains(ch))
            vowel = true;
        else
            consonant = true;
    }
    return vowel && consonant;
}
