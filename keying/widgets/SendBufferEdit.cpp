#include "keying/widgets/SendBufferEdit.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

void TSendBufferEdit::SelectFirstLine()
{
    QTextCursor c(document());
    c.movePosition(QTextCursor::Start);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void TSendBufferEdit::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    SelectFirstLine();
}

void TSendBufferEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const QString text = PasteFilter ? PasteFilter(source->text()) : source->text();
    if (!text.isEmpty())
        insertPlainText(text);
}
