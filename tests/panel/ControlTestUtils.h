#pragma once
// Helpers of the dial, knob and readout tests: mouse gestures and a panel-coloured scene that
// holds several controls with a caption under each, rendered at a device pixel ratio.

#include "PanelTestUtils.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

namespace ctl {

inline void Mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons buttons = Qt::LeftButton)
{
    const QPointF pos(at);
    QMouseEvent e(type, pos, w.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

inline void Press(QWidget& w, QPoint at) { Mouse(w, QEvent::MouseButtonPress, at); }
inline void Drag(QWidget& w, QPoint at) { Mouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
inline void Hover(QWidget& w, QPoint at) { Mouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
inline void Release(QWidget& w, QPoint at) { Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
inline void Click(QWidget& w, QPoint at)
{
    Press(w, at);
    Release(w, at);
}
inline void DoubleClick(QWidget& w, QPoint at)
{
    Click(w, at);
    Mouse(w, QEvent::MouseButtonDblClick, at);
    Release(w, at);
}

inline void Enter(QWidget& w)
{
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), w.mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(&w, &e);
}

inline void Leave(QWidget& w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &e);
}

// A piece of front panel in the panel's grey holding controls side by side.
class Scene : public QWidget {
public:
    explicit Scene(QSize size)
    {
        resize(size);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, BGRColor(0x414141));
        setPalette(pal);
    }

    // Places a control and writes its caption under it.
    template <typename T>
    T* Add(T* control, QPoint at, const QString& caption)
    {
        control->setParent(this);
        control->move(at);
        auto* label = new QLabel(caption, this);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(9);
        label->setFont(f);
        label->setStyleSheet(QStringLiteral("color: #b1b1b1;"));
        label->adjustSize();
        label->move(at.x() + (control->width() - label->width()) / 2, at.y() + control->height() + 3);
        control->show();
        return control;
    }

    QImage Render(qreal dpr)
    {
        QImage img(size() * dpr, QImage::Format_RGB32);
        img.setDevicePixelRatio(dpr);
        img.fill(Qt::magenta);
        render(&img);
        return img;
    }
};

} // namespace ctl
