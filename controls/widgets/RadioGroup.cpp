#include "controls/widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent)
    , FGroup(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        FGroup->addButton(button, i);
        layout->addWidget(button);
        FButtons << button;
    }
    layout->addStretch(1);
    connect(FGroup, &QButtonGroup::idClicked, this, [this](int) {
        if (OnClick)
            OnClick();
    });
}

int TRadioGroup::ItemIndex() const
{
    return FGroup->checkedId();
}

void TRadioGroup::SetItemIndex(int value)
{
    if (value >= 0 && value < FButtons.size()) {
        FButtons[value]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; no item needs it lifted for a moment.
    FGroup->setExclusive(false);
    for (QRadioButton* b : std::as_const(FButtons))
        b->setChecked(false);
    FGroup->setExclusive(true);
}
