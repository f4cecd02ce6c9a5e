#include "panel/widgets/PanelParts.h"

#include "controls/widgets/ArtRegistry.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

namespace {

// A dark rounded key with a light upper bevel; a key that is down shows an amber lamp bar
// across its top.
void PaintKey(QPainter& p, const QRectF& r, bool pressed, bool down, bool enabled, bool flat)
{
    const qreal radius = std::min<qreal>(3.0, r.height() / 4.0);
    QLinearGradient face(0, r.top(), 0, r.bottom());
    face.setColorAt(0.0, pressed ? QColor(0x24, 0x24, 0x24) : QColor(0x4c, 0x4c, 0x4c));
    face.setColorAt(0.55, pressed ? QColor(0x2a, 0x2a, 0x2a) : QColor(0x33, 0x33, 0x33));
    face.setColorAt(1.0, pressed ? QColor(0x30, 0x30, 0x30) : QColor(0x22, 0x22, 0x22));
    p.setPen(QPen(flat ? QColor(0x16, 0x16, 0x16) : QColor(0x0a, 0x0a, 0x0a), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(r, radius, radius);
    if (!pressed) {
        p.setPen(QPen(QColor(0x7a, 0x7a, 0x7a), 0.8));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.0), QPointF(r.right() - radius, r.top() + 1.0));
    }

    // The lamp: dark while up, lit amber with a soft glow while down.
    const qreal lw = std::max<qreal>(4.0, r.width() * 0.45);
    const qreal lh = r.height() >= 14 ? 2.5 : 2.0;
    const QRectF lamp(r.center().x() - lw / 2, r.top() + 3.0, lw, lh);
    if (down && enabled) {
        QRadialGradient glow(lamp.center(), lw);
        glow.setColorAt(0.0, QColor(255, 170, 60, 120));
        glow.setColorAt(1.0, QColor(255, 170, 60, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawRoundedRect(r, radius, radius);
        p.setBrush(QColor(255, 184, 72));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1a, 0x14, 0x0c));
    }
    p.drawRoundedRect(lamp, 1.0, 1.0);
    if (!enabled) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x41, 0x41, 0x41, 110));
        p.drawRoundedRect(r, radius, radius);
    }
}

} // namespace

TPanelSpeedButton::TPanelSpeedButton(QWidget* parent) : TGlyphButton<TRCSpeedButton>(parent)
{
    // Keys of a face never take the keyboard focus.
    setFocusPolicy(Qt::NoFocus);
}

void TPanelSpeedButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Fire(OnDblClick);
    TGlyphButton<TRCSpeedButton>::mouseDoubleClickEvent(event); // a press, so the second click follows
}

void TPanelSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (DrawGlyph(p))
        return;
    PaintKey(p, QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), isDown(), Down(), isEnabled(), Flat());
}

TPanelImage::TPanelImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TPanelImage::SetPicture(const QString& name)
{
    if (name == FPicture)
        return;
    FPicture = name;
    update();
}

void TPanelImage::paintEvent(QPaintEvent*)
{
    if (FPicture.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    vx::art::DrawInto(p, QRectF(rect()), FPicture);
}
