#pragma once
// Two helpers of the auxiliary panels, which place their children by pixel:
//  - TAnchors keeps each registered child at its distances from the parent's anchored edges
//    as the parent is resized (a child anchored left and right grows with it).
//  - TEdgeSizer lets the operator size a panel by dragging its right or bottom edge: within
//    4 pixels of the edge the cursor becomes the sizing arrow, a left-button drag changes the
//    size within the panel's minimum and maximum, releasing restores the normal cursor.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

class TAnchors : public QObject {
    Q_OBJECT
public:
    // The parent's size now is the design size the distances are measured at.
    explicit TAnchors(QWidget* parent);
    // Registers a child at its present geometry; Qt::LeftEdge | Qt::TopEdge keeps it in place.
    void Add(QWidget* child, Qt::Edges edges);
    void Apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QPointer<QWidget> child;
        Qt::Edges edges;
        QRect design;
    };
    QWidget* FParent;
    QSize FDesign;
    std::vector<Item> FItems;
};

class TEdgeSizer : public QObject {
    Q_OBJECT
public:
    static constexpr int Grip = 4;

    // `edges`: Qt::RightEdge, Qt::BottomEdge or both.
    TEdgeSizer(QWidget* panel, Qt::Edges edges);
    // The edge under a point of the panel (none outside the grips).
    Qt::Edges EdgeAt(const QPoint& at) const;
    bool Sizing() const { return FSizing != Qt::Edges(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* FPanel;
    Qt::Edges FEdges;
    Qt::Edges FSizing;
    QPoint FStart;
    QSize FStartSize;
};
