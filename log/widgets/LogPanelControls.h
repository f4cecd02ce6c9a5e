#pragma once
// Two small controls of the QSO entry panel: an edit whose typed characters pass a filter of
// its owner, and a label that fits its text to its box.

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <functional>

namespace vx::logpanel {

class TEntryEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEntryEdit(QWidget* parent = nullptr);

    // Sees each typed character (backspace as character 8) and may change it; false swallows
    // it.  Shortcuts (Ctrl, Alt) and keys without text are not filtered.
    std::function<bool(QChar& c)> KeyFilter;

    // Everything typed, pasted or set becomes upper case (ASCII letters).
    bool UpperCase() const { return FUpperCase; }
    void SetUpperCase(bool value);
    // Only digits can be typed.
    bool NumbersOnly() const { return FNumbersOnly; }
    void SetNumbersOnly(bool value) { FNumbersOnly = value; }
    // Entering by Tab selects the whole text; otherwise the caret and selection stay where
    // they were when the field was left (or where SetSavedSelection put them).
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    void SetSavedSelection(int start, int length);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool FUpperCase = false;
    bool FNumbersOnly = false;
    bool FAutoSelect = true;
    int FSelStart = -1;
    int FSelLength = 0;
};

// A label whose text is drawn in the largest font (from MaxPixels down to MinPixels) that fits
// its box; a text too long even then is cut with an ellipsis.  text() stays whole.
class TFitLabel : public QLabel {
    Q_OBJECT
public:
    TFitLabel(int minPixels, int maxPixels, QWidget* parent = nullptr);

    // The font the current text is drawn in.
    QFont FittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FMinPixels;
    int FMaxPixels;
};

} // namespace vx::logpanel
