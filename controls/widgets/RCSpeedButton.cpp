#include "controls/widgets/RCSpeedButton.h"

#include <QAction>
#include <QStyleOptionToolButton>
#include <QStylePainter>

TRCSpeedButton::TRCSpeedButton(QWidget* parent)
    : QToolButton(parent)
{
    QFont f = font();
    f.setBold(false);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    setFont(f);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(this, &QAbstractButton::toggled, this, [this](bool down) {
        if (down)
            ReleaseGroup();
    });
    connect(this, &QAbstractButton::clicked, this, [this] { Fire(OnClick); });
}

void TRCSpeedButton::SetColorDown(const QColor& value)
{
    FColorDown = value;
    update();
}

void TRCSpeedButton::SetColorUp(const QColor& value)
{
    FColorUp = value;
    update();
}

void TRCSpeedButton::SetMargin(int value)
{
    FMargin = value < 0 ? -1 : value;
    update();
}

void TRCSpeedButton::SetGroupIndex(int value)
{
    if (value == FGroupIndex)
        return;
    FGroupIndex = value;
    if (value == 0)
        setChecked(false);
    setCheckable(value != 0);
    if (isChecked())
        ReleaseGroup();
    update();
}

void TRCSpeedButton::SetDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (value == isChecked())
        return;
    if (isChecked() && !FAllowAllUp)
        return;
    setChecked(value);
}

void TRCSpeedButton::nextCheckState()
{
    // A button that shows an action runs it, as every tool button does.
    if (QAction* action = defaultAction()) {
        action->trigger();
        return;
    }
    if (FGroupIndex == 0)
        return;
    if (!isChecked())
        setChecked(true);
    else if (FAllowAllUp)
        setChecked(false);
}

void TRCSpeedButton::ReleaseGroup()
{
    if (FGroupIndex == 0 || !parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<TRCSpeedButton*>(Qt::FindDirectChildrenOnly);
    for (TRCSpeedButton* b : siblings)
        if (b != this && b->FGroupIndex == FGroupIndex && b->isChecked())
            b->setChecked(false);
}

QColor TRCSpeedButton::CaptionColor() const
{
    return FGroupIndex != 0 && isEnabled() && isChecked() ? FColorDown : FColorUp;
}

void TRCSpeedButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    // The style draws face, frame and any icon; the caption is ours.
    opt.text.clear();
    p.drawComplexControl(QStyle::CC_ToolButton, opt);
    if (caption.isEmpty())
        return;
    QRect r = style()->subControlRect(QStyle::CC_ToolButton, &opt, QStyle::SC_ToolButton, this);
    Qt::Alignment align = Qt::AlignCenter;
    if (FMargin >= 0) {
        r.setLeft(FMargin);
        align = Qt::AlignLeft | Qt::AlignVCenter;
    }
    if (opt.state & (QStyle::State_Sunken | QStyle::State_On))
        r.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &opt, this),
                    style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &opt, this));
    p.setFont(font());
    p.setPen(CaptionColor());
    p.drawText(r, int(align) | Qt::TextShowMnemonic | Qt::TextSingleLine, caption);
}
