#pragma once
// The check every face's printed legends pass: each stays on the face, off every control shown
// on it (a legend sits above or beside its control, never on it) and apart from the others.

#include "panel/widgets/FaceArt.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// drawnArea gives where on the face a control draws; by default its whole rectangle.
inline void ExpectLegendsClearOfControls(QWidget& face, const QWidget* background,
                                         const QList<faceart::TPrintedLegend>& legends,
                                         const std::function<QRectF(const QWidget&)>& drawnArea = {})
{
    struct TControl {
        QRectF Area;
        std::string Name;
    };
    QList<TControl> controls;
    for (QWidget* w : face.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != background && w->isVisibleTo(&face))
            controls.append({drawnArea ? drawnArea(*w) : QRectF(w->geometry()), (QString::fromLatin1(w->metaObject()->className()) + u' ' +
                                                     w->toolTip() + QStringLiteral(" at %1,%2")
                                                                        .arg(w->x())
                                                                        .arg(w->y()))
                                                        .toStdString()});
    const QRectF faceArea = QRectF(face.rect()).adjusted(1, 1, -1, -1);
    for (int i = 0; i < legends.size(); ++i) {
        const faceart::TPrintedLegend& l = legends[i];
        SCOPED_TRACE(l.Text.toStdString());
        EXPECT_TRUE(faceArea.contains(l.Box));
        for (const TControl& c : controls)
            EXPECT_FALSE(l.Box.intersects(c.Area)) << c.Name;
        for (int j = i + 1; j < legends.size(); ++j)
            EXPECT_FALSE(l.Box.adjusted(-1, -1, 1, 1).intersects(legends[j].Box)) << legends[j].Text.toStdString();
    }
}
