#pragma once
// A status lamp: a small filled circle in one colour with a thin dark rim, as the status
// windows show the state of a port or a server.

#include <QColor>
#include <QWidget>

class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent = nullptr);

    QColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(const QColor& value);

    QSize sizeHint() const override { return {14, 14}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor FBrushColor{128, 128, 128};
};
