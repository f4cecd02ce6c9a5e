#include "panel/widgets/PanelControlArt.h"

#include "controls/widgets/ArtRegistry.h"
#include "panel/DialLogic.h"
#include "panel/KnobLogic.h"
#include "panel/PanelColors.h"

#include <QConicalGradient>
#include <QFont>
#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <array>
#include <mutex>
#include <optional>

namespace {

QRectF Circle(QPointF c, qreal r)
{
    return QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r);
}

// A circle stroked with light from the upper left: a bevel (bright there) or the rim of a
// hollow (dark there).
void DiagonalRim(QPainter& p, QPointF c, qreal r, const QColor& upperLeft, const QColor& middle,
                 const QColor& lowerRight, qreal width)
{
    QLinearGradient g(c + QPointF(-r, -r), c + QPointF(r, r));
    g.setColorAt(0, upperLeft);
    g.setColorAt(0.5, middle);
    g.setColorAt(1, lowerRight);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(g), width));
    p.drawEllipse(Circle(c, r));
}

// Fine ridges between two radii, with light from the upper left.
void Knurl(QPainter& p, QPointF c, qreal rOuter, qreal rInner, int count, const QColor& base, const QColor& ridge)
{
    QPainterPath band;
    band.addEllipse(Circle(c, rOuter));
    band.addEllipse(Circle(c, rInner));
    p.save();
    p.setClipPath(band);
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    p.drawEllipse(Circle(c, rOuter));
    const qreal pitch = 2 * M_PI * rOuter / count;
    p.setPen(QPen(ridge, pitch * 0.45, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < count; ++i) {
        const qreal a = 2 * M_PI * i / count;
        const QPointF dir(std::sin(a), -std::cos(a));
        p.drawLine(c + dir * (rInner - 1), c + dir * (rOuter + 1));
    }
    // Light falls from the upper left: the ridges there shine, the lower right sinks in shadow.
    QLinearGradient light(c + QPointF(-rOuter, -rOuter), c + QPointF(rOuter, rOuter));
    light.setColorAt(0, QColor(255, 255, 255, 70));
    light.setColorAt(0.5, QColor(255, 255, 255, 0));
    light.setColorAt(1, QColor(0, 0, 0, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawEllipse(Circle(c, rOuter));
    p.restore();
}

// A brushed metal ring between two radii.
void MetalRing(QPainter& p, QPointF c, qreal rOuter, qreal rInner, int brightness)
{
    QPainterPath band;
    band.addEllipse(Circle(c, rOuter));
    band.addEllipse(Circle(c, rInner));
    QConicalGradient metal(c, 135);
    const auto grey = [brightness](int v) {
        const int g = qBound(0, v + brightness, 255);
        return QColor(g, g, g);
    };
    metal.setColorAt(0.00, grey(225));
    metal.setColorAt(0.12, grey(165));
    metal.setColorAt(0.25, grey(120));
    metal.setColorAt(0.40, grey(170));
    metal.setColorAt(0.50, grey(215));
    metal.setColorAt(0.62, grey(150));
    metal.setColorAt(0.75, grey(105));
    metal.setColorAt(0.88, grey(160));
    metal.setColorAt(1.00, grey(225));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawPath(band);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 20, 20), 1.0));
    p.drawEllipse(Circle(c, rOuter - 0.5));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1.0));
    p.drawEllipse(Circle(c, rInner + 0.5));
    p.restore();
}

struct DialStyle {
    qreal Skirt;      // width of the light skirt ring, as a share of the radius
    qreal KnurlBand;  // width of the knurled rim, as a share of the radius
    int Ridges;       // ridges of the rim per full turn
    int Brightness;   // of the skirt ring
};

// A dial seen from the front: light skirt ring, black wheel with a knurled rim, dark top face.
void PaintDial(QPainter& p, const QSize& size, const DialStyle& style)
{
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    const qreal r = size.width() / 2.0 - 0.5;
    const qreal wheel = r * (1 - style.Skirt);
    const qreal face = wheel - r * style.KnurlBand;
    MetalRing(p, c, r, wheel, style.Brightness);
    // The wheel throws a thin shadow on the skirt.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawEllipse(Circle(c + QPointF(0.6, 0.9), wheel + 0.8));
    Knurl(p, c, wheel, face, style.Ridges, QColor(8, 8, 8), QColor(58, 58, 58));
    QRadialGradient top(c + QPointF(-face * 0.35, -face * 0.45), face * 1.5);
    top.setColorAt(0, QColor(44, 44, 44));
    top.setColorAt(0.55, QColor(18, 18, 18));
    top.setColorAt(1, QColor(4, 4, 4));
    p.setBrush(top);
    p.drawEllipse(Circle(c, face));
    // A soft sheen across the top face, as on a satin finish.
    QConicalGradient sheen(c, 45);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 22));
    sheen.setColorAt(0.15, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 14));
    sheen.setColorAt(0.65, QColor(255, 255, 255, 0));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 22));
    p.setBrush(sheen);
    p.drawEllipse(Circle(c, face));
    // Bevel where the top face meets the rim.
    DiagonalRim(p, c, face - 0.5, QColor(120, 120, 120, 160), QColor(60, 60, 60, 180), QColor(0, 0, 0, 200), 1.0);
}

// The finger dimple: a shallow hollow, lit on its lower right inner wall.
void PaintDimple(QPainter& p, const QSize& size, qreal radius)
{
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    p.setPen(Qt::NoPen);
    QRadialGradient hollow(c + QPointF(radius * 0.35, radius * 0.4), radius * 1.4, c + QPointF(radius * 0.3, radius * 0.35));
    hollow.setColorAt(0, QColor(52, 52, 52));
    hollow.setColorAt(0.6, QColor(22, 22, 22));
    hollow.setColorAt(1, QColor(2, 2, 2));
    p.setBrush(hollow);
    p.drawEllipse(Circle(c, radius));
    DiagonalRim(p, c, radius - 0.5, QColor(0, 0, 0, 230), QColor(40, 40, 40, 120), QColor(150, 150, 150, 190),
                qMax(1.0, radius / 9));
}

// The up or down arrow laid over half a dial in up/down mode.
void PaintDialArrow(QPainter& p, const QSize& size, bool up)
{
    const QRectF box = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1.5, up ? 1.5 : 0.5, -1.5, up ? -0.5 : -1.5);
    QPainterPath half;
    half.addRoundedRect(box, 8, 8);
    p.setPen(QPen(QColor(190, 190, 190, 150), 1.0));
    p.setBrush(QColor(16, 16, 16, 190));
    p.drawPath(half);
    const qreal cx = size.width() / 2.0;
    const qreal h = size.height();
    QPolygonF tri;
    if (up)
        tri << QPointF(cx, h * 0.22) << QPointF(cx + 13, h * 0.78) << QPointF(cx - 13, h * 0.78);
    else
        tri << QPointF(cx, h * 0.78) << QPointF(cx + 13, h * 0.22) << QPointF(cx - 13, h * 0.22);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
    p.setBrush(BGRColor(lcd::clLabelBlue));
    p.drawPolygon(tri);
}

struct KnobStyle {
    QColor Cap;    // inner knob, at its lit spot
    QColor Ring;   // outer ring
    int Ribs;      // ribs around the outer rim
    bool Accent;   // a thin metal ring around the inner knob
};

// A concentric knob: ribbed outer ring and a dark inner knob with a soft radial gradient.
void PaintKnob(QPainter& p, QPointF c, qreal rOuter, qreal rInner, const KnobStyle& style)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawEllipse(Circle(c + QPointF(0.5, 0.8), rOuter));
    const qreal ribDepth = qMin(4.5, rOuter - rInner - 0.5);
    QRadialGradient ring(c + QPointF(-rOuter * 0.3, -rOuter * 0.35), rOuter * 1.6);
    ring.setColorAt(0, style.Ring.lighter(135));
    ring.setColorAt(1, style.Ring.darker(220));
    p.setBrush(ring);
    p.drawEllipse(Circle(c, rOuter));
    Knurl(p, c, rOuter, rOuter - ribDepth, style.Ribs, style.Ring.darker(250), style.Ring.lighter(150));
    if (style.Accent)
        MetalRing(p, c, rInner + 1.2, rInner, -30);
    QRadialGradient cap(c + QPointF(-rInner * 0.35, -rInner * 0.4), rInner * 1.45);
    cap.setColorAt(0, style.Cap);
    cap.setColorAt(0.6, style.Cap.darker(190));
    cap.setColorAt(1, style.Cap.darker(330));
    p.setPen(QPen(QColor(0, 0, 0, 200), 0.8));
    p.setBrush(cap);
    p.drawEllipse(Circle(c, rInner));
    DiagonalRim(p, c, rInner - 0.8, QColor(200, 200, 200, 120), QColor(200, 200, 200, 0), QColor(0, 0, 0, 120), 1.0);
}

// Centre of the knob body: the pointers turn about pixel centres.
QPointF KnobBodyCentre(QPoint centre)
{
    return QPointF(centre) + QPointF(0.5, 0.5);
}

void PaintTwoPointerKnob(QPainter& p, const QSize& size, const KnobStyle& style)
{
    const QPointF c = KnobBodyCentre(KnobCentre(size));
    const qreal rOuter = qMin(qMin(c.x(), size.width() - c.x()), qMin(c.y(), size.height() - c.y()));
    // The inner pointer sits on the inner knob (radius 12 to 18), the outer one on the ring.
    PaintKnob(p, c, rOuter, 18.5, style);
}

// The meter selector's place names.
const char* const MeterNames[6] = {"COMP", "ALC", "PO", "SWR", "ID", "VDD"};

// Where a meter selector's names start their baselines, in picture pixels; none for a name the
// picture has no room for.
struct TMeterGeometry {
    QPointF Centre;
    qreal MarkFrom, MarkTo;
    std::array<std::optional<QPointF>, 6> Origins;
};

TMeterGeometry MeterGeometry(QSize size, QPoint centre)
{
    TMeterGeometry g;
    g.Centre = KnobBodyCentre(centre);
    const QPointF c = g.Centre;
    const bool low = centre.y() >= 30; // room for a name above the top mark
    g.MarkFrom = 23.5;
    g.MarkTo = low ? 25.5 : 24.5;
    const QFont font = MeterNameFont();
    const QFontMetricsF fm(font);
    const qreal cap = fm.capHeight();
    for (int i = 0; i < 6; ++i) {
        const qreal a = qDegreesToRadians(qreal(KnobMeterAngle(i)));
        const QPointF dir(std::sin(a), -std::cos(a));
        const QString text = QString::fromLatin1(MeterNames[i]);
        const qreal w = fm.horizontalAdvance(text);
        // Without room above, the top name is the face's to print over the picture, and the names
        // next to it keep away from where it stands.
        const bool top = std::abs(dir.x()) <= 0.2;
        if (top && !low)
            continue;
        const qreal aside = !low && std::abs(dir.x()) < 0.6 ? 3 : 0;
        const auto originAt = [&](qreal radius) {
            const QPointF at = c + dir * radius;
            qreal x, baseline;
            if (dir.x() < -0.2)
                x = at.x() - w - aside, baseline = at.y() + cap / 2;
            else if (dir.x() > 0.2)
                x = at.x() + aside, baseline = at.y() + cap / 2;
            else
                x = at.x() - w / 2, baseline = at.y();
            return QPointF(qBound(0.0, x, size.width() - w), qBound(cap, baseline, qreal(size.height())));
        };
        // Out along the mark's direction until a pixel of panel parts the name's ink from the ring.
        qreal radius = g.MarkTo + 1;
        QPointF origin = originAt(radius);
        for (int step = 0; step < 8; ++step, origin = originAt(radius += 0.5)) {
            const QRectF ink = faceart::InkBox(text, font, origin);
            const QPointF nearest(std::clamp(c.x(), ink.left(), ink.right()), std::clamp(c.y(), ink.top(), ink.bottom()));
            if (QLineF(c, nearest).length() >= g.MarkTo + 1)
                break;
        }
        g.Origins[size_t(i)] = origin;
    }
    return g;
}

// A meter selector: a small knob whose pointer reaches out to the function names around it.
void PaintMeterKnob(QPainter& p, const QSize& size, QPoint centre, const KnobStyle& style)
{
    const TMeterGeometry g = MeterGeometry(size, centre);
    const QColor legend(210, 210, 210);
    p.setFont(MeterNameFont());
    for (int i = 0; i < 6; ++i) {
        const qreal a = qDegreesToRadians(qreal(KnobMeterAngle(i)));
        const QPointF dir(std::sin(a), -std::cos(a));
        p.setPen(QPen(legend, 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(g.Centre + dir * g.MarkFrom, g.Centre + dir * g.MarkTo);
        if (const auto& at = g.Origins[size_t(i)])
            p.drawText(*at, QString::fromLatin1(MeterNames[i]));
    }
    PaintKnob(p, g.Centre, 16.5, 11.5, style);
}

} // namespace

QFont MeterNameFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(7);
    return f;
}

TMeterKnobLayout MeterKnobLayout(TKnobType type)
{
    const TKnobGeometry& knob = KnobGeometry(type);
    if (!knob.Meter)
        return {};
    const TMeterGeometry g = MeterGeometry(knob.Size, knob.MeterCentre);
    TMeterKnobLayout out{g.Centre, g.MarkTo, {}};
    for (int i = 0; i < 6; ++i)
        if (const auto& at = g.Origins[size_t(i)]) {
            const QString text = QString::fromLatin1(MeterNames[i]);
            out.Names.append({text, faceart::InkBox(text, MeterNameFont(), *at)});
        }
    return out;
}

void RegisterPanelControlArt()
{
    static std::once_flag once;
    std::call_once(once, [] {
        using vx::art::Register;
        const DialStyle mainDial{0.13, 0.09, 150, 0};
        const DialStyle subDial{0.14, 0.13, 60, 0};
        const DialStyle knobDial{0.10, 0.16, 40, -25};
        const DialStyle style[DialTypeCount] = {
            mainDial,                 // dtFT2K_VFOA
            subDial,                  // dtFT2K_VFOB
            knobDial,                 // dtFT2K_Clar
            knobDial,                 // dtFT2K_VRF
            mainDial,                 // dtFT950_VFOA
            subDial,                  // dtFT950_VFOB
            {0.11, 0.08, 160, 12},    // dtFT5K_VFOA
            subDial,                  // dtFT5K_VFOB
            {0.12, 0.13, 56, -10},    // dtFT5K_SUBPANEL
        };
        for (int t = 0; t < DialTypeCount; ++t) {
            const TDialGeometry& g = DialGeometry(TDialType(t));
            const DialStyle s = style[t];
            Register(QString::fromLatin1(g.Face), QSize(g.Size, g.Size),
                     [s](QPainter& p, const QSize& size) { PaintDial(p, size, s); });
        }
        Register(QStringLiteral("FT2K_DITCH"), QSize(46, 46), [](QPainter& p, const QSize& s) { PaintDimple(p, s, 11.5); });
        Register(QStringLiteral("FT5K_DITCH"), QSize(54, 54), [](QPainter& p, const QSize& s) { PaintDimple(p, s, 12.5); });
        Register(QStringLiteral("FT_DIMPLE_CIRCLE"), QSize(18, 18), [](QPainter& p, const QSize& s) { PaintDimple(p, s, 5); });
        Register(QStringLiteral("DIAL_UP"), QSize(64, 33), [](QPainter& p, const QSize& s) { PaintDialArrow(p, s, true); });
        Register(QStringLiteral("DIAL_DOWN"), QSize(64, 33), [](QPainter& p, const QSize& s) { PaintDialArrow(p, s, false); });

        const KnobStyle ft2k1{QColor(98, 98, 98), QColor(62, 62, 62), 44, false};
        const KnobStyle ft2k2{QColor(110, 110, 110), QColor(56, 56, 56), 36, false};
        const KnobStyle ft5k{QColor(92, 92, 96), QColor(54, 54, 58), 48, true};
        const KnobStyle ft950{QColor(100, 100, 100), QColor(60, 60, 60), 60, false};
        const KnobStyle styles[KnobTypeCount] = {ft2k1, ft2k2, ft2k1, ft5k, ft5k, ft5k, ft5k,
                                                 ft5k,  ft5k,  ft5k,  ft5k, ft5k, ft950};
        for (int t = 0; t < KnobTypeCount; ++t) {
            const TKnobGeometry& g = KnobGeometry(TKnobType(t));
            const KnobStyle s = styles[t];
            if (g.Meter) {
                const QPoint centre = g.MeterCentre;
                Register(QString::fromLatin1(g.Face), g.Size,
                         [s, centre](QPainter& p, const QSize& size) { PaintMeterKnob(p, size, centre, s); });
            } else {
                Register(QString::fromLatin1(g.Face), g.Size,
                         [s](QPainter& p, const QSize& size) { PaintTwoPointerKnob(p, size, s); });
            }
        }
    });
}
