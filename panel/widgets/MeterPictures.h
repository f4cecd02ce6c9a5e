#pragma once
// The scale pictures of the main meter, drawn in code: the scales above and below the digital
// face's two bars, their small label overlays and the two analog meter faces.  Each picture has
// the name and size the meter loads it by.

#include <QImage>
#include <QString>

// The picture of that name; a null image for an unknown name.
const QImage& MeterPicture(const QString& name);
