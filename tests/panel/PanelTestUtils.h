#pragma once
// Helpers of the panel tests: offscreen renders and colour checks.

#include "panel/PanelColors.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// The widget with its children as it would appear on screen, one image pixel per widget pixel.
inline QImage RenderWidget(QWidget& w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(Qt::magenta); // anything left unpainted stands out
    w.render(&img);
    return img;
}

inline QString ColorName(QRgb rgb)
{
    return QColor(rgb).name();
}

// Colour of a pixel as "#rrggbb", to compare against BGR colour values readably.
inline QString PixelName(const QImage& img, int x, int y)
{
    return ColorName(img.pixel(x, y));
}

inline QString BGRName(uint32_t bgr)
{
    return BGRColor(bgr).name();
}

// Saves an artifact under the build folder; returns whether it was written.
inline bool SaveArtifact(const QImage& img, const QString& fileName)
{
    return img.save(QStringLiteral(VX_BUILD_DIR "/") + fileName);
}
