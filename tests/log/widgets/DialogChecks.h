#pragma once
// What every dialog of the logbook must show: each control inside its parent and no text cut
// off; and the offscreen picture of a dialog, saved beside the build for a person to look at.
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

// Renders a widget as it appears on screen, at a device pixel ratio.
inline QImage Render(QWidget& w, qreal ratio)
{
    QImage img(w.size() * ratio, QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::magenta); // anything left unpainted stands out
    w.render(&img);
    return img;
}

inline void ExpectNothingClipped(QWidget& dialog)
{
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow())
            continue;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << w->metaObject()->className();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->wordWrap()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
            EXPECT_GE(label->height(), label->sizeHint().height()) << label->text().toStdString();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        }
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            EXPECT_GE(box->height(), box->fontMetrics().height() + 4);
        }
    }
}

// Saves the dialog at device pixel ratio 1 as name + ".png" and at 2 as name + "@2x.png".
inline void SaveDialogPictures(QWidget& dialog, const QString& name)
{
    for (qreal ratio : {1.0, 2.0}) {
        const QImage img = Render(dialog, ratio);
        EXPECT_TRUE(img.save(QStringLiteral(VX_BUILD_DIR "/") + name + (ratio == 1.0 ? ".png" : "@2x.png")));
    }
}
