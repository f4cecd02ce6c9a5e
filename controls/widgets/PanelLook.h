#pragma once
// The look every dark station panel shares: the panel grey, silver texts, black fields, dark
// keys, and the fonts that stand in for the layouts' "Tahoma", "MS Sans Serif" (DejaVu Sans)
// and "Lucida Console" / "Courier New" (DejaVu Sans Mono).  Colours are set on each widget's
// palette, so the application's style or palette does not change what they say.

#include <QColor>
#include <QFont>
#include <QPalette>

class QLabel;
class QString;
class QWidget;

namespace vx::look {

inline const QColor PanelGrey{0x41, 0x41, 0x41};
inline const QColor Silver{0xC0, 0xC0, 0xC0};
// A status shape that is off.
inline const QColor ShapeOff{0x61, 0x61, 0x61};
// Labels of the focused control.
inline const QColor FocusYellow{0xFF, 0xFF, 0x99};

// Sizes in pixels (the layouts' negative font heights).
QFont Font(int pixelSize = 11, bool bold = false);
QFont MonoFont(int pixelSize, bool bold = false);

// For the children of a dark panel: silver texts, dark keys with light legends, black fields.
QPalette PanelPalette();
// Gives a widget and its children the panel palette.
void DarkPanel(QWidget* w);
// The text colour of a label or check box.
void SetTextColor(QWidget* w, const QColor& color);
// A label in silver and the panel font, at its text's size, its top-left corner at left, top.
QLabel* NewLabel(const QString& text, QWidget* parent, int left, int top);
// A black input field with text in `text` (silver unless said); greyed while disabled.
void DarkField(QWidget* field, const QColor& text = Silver);

} // namespace vx::look
