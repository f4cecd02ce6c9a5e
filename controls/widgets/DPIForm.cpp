#include "controls/widgets/DPIForm.h"

QFont TDPIForm::FormFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(FontPixelSize);
    return font;
}

TDPIForm::TDPIForm(QWidget* owner, Qt::WindowFlags flags)
    : QDialog(owner, flags)
{
    setFont(FormFont());
}
