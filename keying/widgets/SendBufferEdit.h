#pragma once
// A multi-line send buffer of the CW and RTTY panels: a plain text edit whose pasted or
// dropped text passes the same filter as typed keys, so the buffer never holds what the
// keys could not put there.  Typed keys are filtered by the panel that owns the buffer.
// Entering the buffer selects its first line.

#include <QPlainTextEdit>
#include <functional>

class TSendBufferEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // Applied to pasted and dropped text; unset: the text as it is.
    std::function<QString(const QString&)> PasteFilter;

    // Selects the first line, so that typing replaces it; done on entering the buffer.
    void SelectFirstLine();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};
