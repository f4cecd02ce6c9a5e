#include "client/widgets/ClientStyle.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

void ApplyClientStyle()
{
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
}
