#include "server/widgets/ServerArt.h"

#include "controls/widgets/ArtRegistry.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QSize TraySize(32, 32);

// A mast on a dark tile sending waves: grey while nobody can connect, green while the server
// listens, amber while clients are connected.
void PaintTray(QPainter& p, const QSize& s, const QColor& waves, bool clients)
{
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = s.width();
    const qreal h = s.height();
    QLinearGradient tile(0, 0, 0, h);
    tile.setColorAt(0.0, QColor(64, 66, 72));
    tile.setColorAt(1.0, QColor(28, 29, 32));
    p.setPen(QPen(QColor(110, 112, 118), 1.0));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 6, 6);

    const QPointF top(w / 2, h * 0.36);
    p.setPen(QPen(QColor(220, 220, 224), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(top, QPointF(w * 0.34, h * 0.86));
    p.drawLine(top, QPointF(w * 0.66, h * 0.86));
    p.drawLine(QPointF(w * 0.42, h * 0.62), QPointF(w * 0.58, h * 0.62));
    p.setPen(Qt::NoPen);
    p.setBrush(waves);
    p.drawEllipse(top, 2.6, 2.6);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(waves, 2.0, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= (clients ? 2 : 1) + 1; ++i) {
        const qreal r = 4.0 + i * 4.0;
        const QRectF arc(top.x() - r, top.y() - r, 2 * r, 2 * r);
        p.drawArc(arc, 140 * 16, 80 * 16); // left of the mast
        p.drawArc(arc, -40 * 16, 80 * 16); // right of it
    }
}

const char* const TrayNames[3] = {"SERVER_TRAY_0", "SERVER_TRAY_1", "SERVER_TRAY_2"};

} // namespace

void RegisterServerArt()
{
    static const bool registered = [] {
        vx::art::Register(QLatin1String(TrayNames[0]), TraySize,
                          [](QPainter& p, const QSize& s) { PaintTray(p, s, QColor(128, 128, 128), false); });
        vx::art::Register(QLatin1String(TrayNames[1]), TraySize,
                          [](QPainter& p, const QSize& s) { PaintTray(p, s, QColor(40, 210, 60), false); });
        vx::art::Register(QLatin1String(TrayNames[2]), TraySize,
                          [](QPainter& p, const QSize& s) { PaintTray(p, s, QColor(255, 150, 20), true); });
        return true;
    }();
    (void)registered;
}

QIcon ServerTrayIcon(int index)
{
    RegisterServerArt();
    const QString name = QLatin1String(TrayNames[qBound(0, index, 2)]);
    QIcon icon;
    icon.addPixmap(vx::art::Pixmap(name, 1.0));
    icon.addPixmap(vx::art::Pixmap(name, 2.0));
    return icon;
}
