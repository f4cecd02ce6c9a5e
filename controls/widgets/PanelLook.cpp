#include "controls/widgets/PanelLook.h"

#include <QLabel>
#include <QWidget>

namespace vx::look {

QFont Font(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont MonoFont(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QPalette PanelPalette()
{
    // The bevel shades derive from the key colour, so frames stay soft on the grey.
    QPalette pal(QColor(0x50, 0x50, 0x50), PanelGrey);
    pal.setColor(QPalette::WindowText, Silver);
    pal.setColor(QPalette::ButtonText, QColor(0xE0, 0xE0, 0xE0));
    pal.setColor(QPalette::Text, Silver);
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    pal.setColor(QPalette::ToolTipText, Qt::black);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(0x20, 0x20, 0x20));
    return pal;
}

void DarkPanel(QWidget* w)
{
    w->setPalette(PanelPalette());
}

void SetTextColor(QWidget* w, const QColor& color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, color);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, color);
    pal.setColor(QPalette::Active, QPalette::Text, color);
    pal.setColor(QPalette::Inactive, QPalette::Text, color);
    w->setPalette(pal);
}

QLabel* NewLabel(const QString& text, QWidget* parent, int left, int top)
{
    auto* l = new QLabel(text, parent);
    l->setFont(Font(11));
    SetTextColor(l, Silver);
    l->move(left, top);
    l->adjustSize();
    return l;
}

void DarkField(QWidget* field, const QColor& text)
{
    QPalette pal = field->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(0x20, 0x20, 0x20));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    field->setPalette(pal);
}

} // namespace vx::look
