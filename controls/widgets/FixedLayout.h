#pragma once
// Helpers for forms laid out at fixed pixel positions (the settings pages, the status windows):
// a label or check box sized to its text and placed at its point.

#include <QCheckBox>
#include <QLabel>

namespace vx::layout {

// A one-line label at (x, y); `width` > 0 gives it that width (for texts set later).
inline QLabel* Label(QWidget* parent, const QString& text, int x, int y, int width = -1)
{
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(x, y);
    if (width > 0)
        label->resize(width, label->height());
    return label;
}

inline QCheckBox* CheckBox(QWidget* parent, const QString& text, int x, int y)
{
    auto* box = new QCheckBox(text, parent);
    box->adjustSize();
    box->move(x, y);
    return box;
}

} // namespace vx::layout
