#pragma once
// Helpers of the control tests: offscreen renders and synthetic input.

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QWheelEvent>
#include <QWidget>

// The widget with its children as on screen, at the given device pixel ratio.
inline QImage Render(QWidget& w, qreal dpr = 1.0)
{
    QImage img(w.size() * dpr, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::magenta); // anything left unpainted stands out
    w.render(&img);
    return img;
}

inline QColor Pixel(const QImage& img, int x, int y)
{
    return QColor(img.pixel(x, y));
}

// Saves an artifact under the build folder; returns whether it was written.
inline bool SaveArtifact(const QImage& img, const QString& fileName)
{
    return img.save(QStringLiteral(VX_BUILD_DIR "/") + fileName);
}

inline void Key(QWidget& w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent e(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(&w, &e);
}

inline void Mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

inline void Wheel(QWidget& w, int delta)
{
    const QPointF at(w.width() / 2.0, w.height() / 2.0);
    QWheelEvent e(at, w.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &e);
}
