#pragma once
// Mouse and keyboard input delivered straight to a widget, as the window system would.

#include <QCoreApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace vxtest {

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

inline void MousePress(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(w, QEvent::MouseButtonPress, at, button, button);
}

// A move with the given buttons held (none: the pointer only passes over).
inline void MouseMove(QWidget* w, QPoint at, Qt::MouseButtons buttons = Qt::LeftButton)
{
    SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, buttons);
}

inline void MouseRelease(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

inline void Click(QWidget* w, QPoint at)
{
    MousePress(w, at);
    MouseRelease(w, at);
}

inline void Click(QWidget* w)
{
    Click(w, w->rect().center());
}

inline void MouseEnter(QWidget* w)
{
    const QPointF at(w->rect().center());
    QEnterEvent e(at, at, QPointF(w->mapToGlobal(at.toPoint())));
    QCoreApplication::sendEvent(w, &e);
}

inline void MouseLeave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

inline void KeyPress(QWidget* w, int key, const QString& text = QString())
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &e);
}

inline void KeyRelease(QWidget* w, int key, const QString& text = QString())
{
    QKeyEvent e(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &e);
}

// A key pressed and let go.
inline void Key(QWidget* w, int key, const QString& text = QString())
{
    KeyPress(w, key, text);
    KeyRelease(w, key, text);
}

} // namespace vxtest
