#pragma once
// A framed group of radio buttons, one item per line, read and written as one item index
// (-1: no item selected), as the settings pages use it.

#include <QGroupBox>
#include <QList>
#include <QStringList>
#include <functional>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    // -1 (or any index out of range) clears the selection.
    void SetItemIndex(int value);
    int Count() const { return int(FButtons.size()); }
    QRadioButton* Button(int index) const { return FButtons.value(index); }

    // The user chose an item (not raised by SetItemIndex).
    std::function<void()> OnClick;

private:
    QButtonGroup* FGroup;
    QList<QRadioButton*> FButtons;
};
