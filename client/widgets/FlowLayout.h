#pragma once
// Places its widgets side by side in their order, each at its current size, top-aligned, starting a
// new row when the next one does not fit; hidden widgets take no room.  It asks for no room of
// its own: the panel it fills gets what its neighbours leave, and rows below that are cut off.

#include <QLayout>
#include <QList>

class TFlowLayout : public QLayout {
public:
    explicit TFlowLayout(QWidget* parent = nullptr);
    ~TFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(FItems.size()); }
    QLayoutItem* itemAt(int index) const override { return FItems.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    QSize minimumSize() const override { return {0, 0}; }
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    void Arrange(const QRect& rect) const;

    QList<QLayoutItem*> FItems;
};
