#pragma once
// A small filled rectangle with a one-pixel outline: the status lamps of the keyer, RTTY and
// voice keyer panels and the legend of the connection monitor.  Its hint is the tool tip.

#include <QColor>
#include <QString>
#include <QWidget>

class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent = nullptr);

    QColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(const QColor& value);
    // Start: black.
    QColor PenColor() const { return FPenColor; }
    void SetPenColor(const QColor& value);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& value) { setToolTip(value); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor FBrushColor{Qt::white};
    QColor FPenColor{Qt::black};
};
