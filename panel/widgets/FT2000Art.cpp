#include "panel/widgets/FT2000Art.h"

#include "controls/widgets/ArtRegistry.h"
#include "panel/widgets/FaceArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// ---- Shared look ----

const QColor LegendGrey(0xd4, 0xd4, 0xd4);    // what the radio prints on its front
const QColor LegendAmber(0xe2, 0xa6, 0x4e);   // the second function of a concentric knob
const QColor KeyLegend(0xec, 0xec, 0xec);     // printed on the keys
const QColor KeyLegendOff(0x78, 0x78, 0x78);  // on a key that is out of use

QFont LegendFont(int pixels, bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setStretch(QFont::SemiCondensed);
    f.setBold(bold);
    return f;
}

// The fonts are sized in pixels, so their widths do not depend on the device painted on.
qreal TextWidth(const QFont& f, const QString& s)
{
    return QFontMetricsF(f).horizontalAdvance(s);
}

// Where a text starts whose left end, centre or right end is at x.
qreal TextLeft(qreal x, const QString& text, Qt::Alignment align, const QFont& font)
{
    if (align & Qt::AlignHCenter)
        return x - TextWidth(font, text) / 2;
    if (align & Qt::AlignRight)
        return x - TextWidth(font, text);
    return x;
}

// Text on its baseline, placed by its left end, centre or right end at x.
void Print(QPainter& p, qreal x, qreal baseline, const QString& text, Qt::Alignment align, const QColor& colour,
           const QFont& font)
{
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QPointF(TextLeft(x, text, align, font), baseline), text);
}

using faceart::TPrint;

// The texts printed on the front, gathered in the order they are painted.
class TPrints {
public:
    // Text on its baseline, placed by its left end, centre or right end at x.
    void Add(qreal x, qreal baseline, const QString& text, Qt::Alignment align, const QColor& colour, const QFont& font)
    {
        FList.push_back({text, font, colour, QPointF(TextLeft(x, text, align, font), baseline)});
    }
    void Legend(qreal x, qreal baseline, const char* text, Qt::Alignment align = Qt::AlignHCenter)
    {
        Add(x, baseline, QString::fromUtf8(text), align, LegendGrey, LegendFont(7));
    }
    // A concentric knob's legend: the inner knob's function in grey, the outer ring's in amber.
    void KnobLegend(qreal cx, qreal baseline, const char* inner, const char* outer)
    {
        const QFont f = LegendFont(7);
        const QString a = QString::fromUtf8(inner);
        const QString b = QString::fromUtf8(outer);
        const qreal gap = 4;
        const qreal wa = TextWidth(f, a);
        const qreal left = cx - (wa + gap + TextWidth(f, b)) / 2;
        Add(left, baseline, a, Qt::AlignLeft, LegendGrey, f);
        Add(left + wa + gap, baseline, b, Qt::AlignLeft, LegendAmber, f);
    }
    const std::vector<TPrint>& List() const { return FList; }

private:
    std::vector<TPrint> FList;
};

QRectF Circle(QPointF c, qreal r)
{
    return QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r);
}

// ---- Keys ----

enum class Lamp : uint8_t { None, Amber, Red, Green };

QColor LampColour(Lamp lamp, bool lit)
{
    switch (lamp) {
    case Lamp::Red:
        return lit ? QColor(255, 86, 60) : QColor(0x2a, 0x10, 0x0c);
    case Lamp::Green:
        return lit ? QColor(120, 240, 110) : QColor(0x10, 0x22, 0x0e);
    default:
        return lit ? QColor(255, 184, 72) : QColor(0x24, 0x1a, 0x0c);
    }
}

// One frame of a key: a dark rounded key with a light upper bevel, its legend printed on it and,
// for a key with a lamp, a small lamp bar across its top that lights while the key is down.
void PaintKey(QPainter& p, const QRectF& cell, int frame, const QString& legend, Lamp lamp)
{
    const bool disabled = frame == 1;
    const bool pressed = frame == 2;
    const bool lit = frame == 3;
    const qreal shift = pressed ? 0.7 : 0.0;

    // The key's shadow on the panel, then the key.
    const QRectF body = cell.adjusted(0.5, 0.5, -0.5, -1.3);
    const qreal radius = std::min<qreal>(3.0, body.height() / 4.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawRoundedRect(body.translated(0, 1.0), radius, radius);

    QLinearGradient face(0, body.top(), 0, body.bottom());
    if (pressed) {
        face.setColorAt(0.0, QColor(0x22, 0x22, 0x24));
        face.setColorAt(1.0, QColor(0x34, 0x34, 0x36));
    } else {
        face.setColorAt(0.0, QColor(0x5a, 0x5a, 0x5d));
        face.setColorAt(0.45, QColor(0x3b, 0x3b, 0x3e));
        face.setColorAt(1.0, QColor(0x26, 0x26, 0x28));
    }
    p.setPen(QPen(QColor(0x0a, 0x0a, 0x0a), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(body, radius, radius);
    if (!pressed) {
        p.setPen(QPen(QColor(255, 255, 255, 70), 0.8));
        p.drawLine(QPointF(body.left() + radius, body.top() + 1.0), QPointF(body.right() - radius, body.top() + 1.0));
    }

    qreal textTop = body.top() + 1.0;
    if (lamp != Lamp::None) {
        const qreal lw = std::clamp<qreal>(body.width() * 0.42, 6.0, 16.0);
        const qreal lh = body.height() >= 15 ? 2.2 : 1.8;
        const QRectF bar(body.center().x() - lw / 2, body.top() + 2.2 + shift, lw, lh);
        if (lit && !disabled) {
            const QColor c = LampColour(lamp, true);
            QRadialGradient glow(bar.center(), lw * 0.9);
            glow.setColorAt(0.0, QColor(c.red(), c.green(), c.blue(), 110));
            glow.setColorAt(1.0, QColor(c.red(), c.green(), c.blue(), 0));
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(Circle(bar.center(), lw * 0.9));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(LampColour(lamp, lit && !disabled));
        p.drawRoundedRect(bar, 0.9, 0.9);
        textTop = bar.bottom() + 0.3;
    }

    if (legend.isEmpty())
        return;
    // The largest of the legend faces that fits the key.
    QFont font = LegendFont(7);
    for (const QFont& smaller : {LegendFont(7, false), LegendFont(6)}) {
        if (TextWidth(font, legend) <= body.width() - 3)
            break;
        font = smaller;
    }
    const QFontMetricsF fm(font, p.device());
    const qreal area = body.bottom() - 1.0 - textTop;
    const qreal baseline = textTop + (area + fm.capHeight()) / 2 + shift;
    Print(p, body.center().x(), baseline, legend, Qt::AlignHCenter, disabled ? KeyLegendOff : KeyLegend, font);
}

struct KeyStrip {
    const char* Name;
    int Width, Height;
    const char* Legend; // empty: the radio prints it on the panel beside the key
    Lamp LampKind;
    int Frames = 4;
};

const KeyStrip Keys[] = {
    // Keys shared by several functions: the legend is on the panel.
    {"FT2K_BTN", 29, 17, "", Lamp::None},
    {"FT2K_BTN_TUNE", 21, 21, "", Lamp::None},
    {"FT2K_BTN_F1", 29, 15, "", Lamp::None},
    {"FT2K_BTN_LED", 27, 17, "", Lamp::Red},
    // Keys of one function each, with their legend on the key.
    {"FT2K_BTN_POWER", 33, 19, "POWER", Lamp::Amber},
    {"FT2K_BTN_DIM", 31, 20, "DIM", Lamp::None},
    {"FT2K_BTN_A2B", 35, 17, "A\u25baB", Lamp::None},
    {"FT2K_BTN_SWAP", 26, 17, "A\u25c4\u25baB", Lamp::None},
    {"FT2K_BTN_CS", 59, 12, "C.S", Lamp::Amber},
    {"FT2K_BTN_FAST", 26, 16, "FAST", Lamp::Amber},
    {"FT2K_BTN_LOCK", 26, 16, "LOCK", Lamp::Amber},
    {"FT2K_BTN_MA", 29, 16, "M\u25baA", Lamp::None},
    {"FT2K_BTN_AM", 40, 16, "A\u25baM", Lamp::None},
    {"FT2K_BTN_VM", 21, 16, "V/M", Lamp::None},
    {"FT2K_BTN_MENU", 59, 12, "MENU", Lamp::None, 2},
    {"FT2K_BTN_NAR", 23, 16, "NAR", Lamp::Amber},
    {"FT2K_BTN_RCL", 25, 16, "RCL", Lamp::None},
    {"FT2K_BTN_STO", 34, 16, "STO", Lamp::None},
    {"FT2K_BTN_SPLIT", 28, 16, "SPLIT", Lamp::Amber},
    {"FT2K_BTN_TXW", 39, 16, "TXW", Lamp::Amber},
    {"FT2K_BTN_MODEA", 30, 16, "A", Lamp::Amber},
    {"FT2K_BTN_MODEB", 34, 16, "B", Lamp::Amber},
    // Sub-dial function keys around VFO-B's dial.
    {"FT2K_BTN_SDF1", 36, 16, "BAND", Lamp::Amber},
    {"FT2K_BTN_SDF2", 23, 16, "MHz", Lamp::Amber},
    {"FT2K_BTN_SDF3", 25, 16, "GRP", Lamp::Amber},
    {"FT2K_BTN_SDF4", 44, 16, "M CH", Lamp::Amber},
    {"FT2K_BTN_SDF5", 35, 16, "BAND", Lamp::Amber},
    {"FT2K_BTN_SDF6", 22, 16, "MHz", Lamp::Amber},
    {"FT2K_BTN_SDF7", 23, 16, "FAST", Lamp::Amber},
    {"FT2K_BTN_SDF8", 41, 16, "A/B", Lamp::Amber},
    // Band keys carry the band in MHz, as the radio's keypad does.
    {"FT2K_BAND_160", 29, 17, "1.8", Lamp::None},
    {"FT2K_BAND_80", 29, 17, "3.5", Lamp::None},
    {"FT2K_BAND_40", 29, 17, "7", Lamp::None},
    {"FT2K_BAND_30", 29, 17, "10", Lamp::None},
    {"FT2K_BAND_20", 29, 17, "14", Lamp::None},
    {"FT2K_BAND_17", 29, 17, "18", Lamp::None},
    {"FT2K_BAND_15", 29, 17, "21", Lamp::None},
    {"FT2K_BAND_12", 29, 17, "24", Lamp::None},
    {"FT2K_BAND_10", 29, 17, "28", Lamp::None},
    {"FT2K_BAND_GEN", 29, 17, "GEN", Lamp::None},
    {"FT2K_BAND_6", 29, 17, "50", Lamp::None},
    {"FT2K_BAND_ENT", 29, 17, "ENT", Lamp::None},
    // Mode keys: each lamp on its own; the FM variants light in green.
    {"FT2K_MODE_LSB", 26, 14, "LSB", Lamp::Amber},
    {"FT2K_MODE_USB", 26, 14, "USB", Lamp::Amber},
    {"FT2K_MODE_CW", 26, 14, "CW", Lamp::Amber},
    {"FT2K_MODE_AMFM", 26, 14, "AM/FM", Lamp::Amber},
    {"FT2K_MODE_AMFM_2", 26, 14, "AM/FM", Lamp::Green},
    {"FT2K_MODE_RTTY", 26, 14, "RTTY", Lamp::Amber},
    {"FT2K_MODE_PKT", 26, 14, "PKT", Lamp::Amber},
    {"FT2K_MODE_PKT_2", 26, 14, "PKT", Lamp::Green},
};

void RegisterKey(const KeyStrip& k)
{
    const QString legend = QString::fromUtf8(k.Legend);
    const int w = k.Width;
    const int h = k.Height;
    const int frames = k.Frames;
    const Lamp lamp = k.LampKind;
    vx::art::Register(
        QString::fromLatin1(k.Name), QSize(w * frames, h),
        [legend, w, h, frames, lamp](QPainter& p, const QSize&) {
            for (int f = 0; f < frames; ++f)
                PaintKey(p, QRectF(f * w, 0, w, h), f, legend, lamp);
        },
        frames);
}

// ---- Sub-dial function pictures ----

// The printed line that joins VFO-B's function keys: lit while the sub dial works VFO-B.
QColor SDFLine(bool on)
{
    return on ? QColor(255, 176, 64) : QColor(0x6a, 0x6a, 0x6a);
}

// From the BAND key of VFO-B leftwards, then down into the second picture.
void PaintSDF1(QPainter& p, const QSize& s, bool on)
{
    p.setPen(QPen(SDFLine(on), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(s.width() - 1.5, 9.5);
    path.lineTo(16.0, 9.5);
    path.quadTo(13.5, 9.5, 13.5, 12.0);
    path.lineTo(13.5, s.height());
    p.drawPath(path);
}

// Down past the MHz and FAST keys, with a branch to each.
void PaintSDF2(QPainter& p, const QSize& s, bool on)
{
    const QColor c = SDFLine(on);
    p.setPen(QPen(c, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const qreal x = 4.5;
    QPainterPath path;
    path.moveTo(x, 0);
    path.lineTo(x, 47.5);
    path.quadTo(x, 50.5, x + 3, 50.5);
    path.lineTo(s.width() - 1.5, 50.5);
    path.moveTo(x, 23.5);
    path.lineTo(s.width() - 1.5, 23.5);
    p.drawPath(path);
    if (on) {
        // A lit line glows a little.
        p.setPen(QPen(QColor(255, 176, 64, 60), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
}

// ---- The radio's front ----

// A recess in the front that a knob or dial sits in: dark inside, lit on its lower right rim.
void Well(QPainter& p, QPointF c, qreal r)
{
    QRadialGradient g(c, r);
    g.setColorAt(0.0, QColor(0x14, 0x14, 0x15));
    g.setColorAt(0.85, QColor(0x1a, 0x1a, 0x1b));
    g.setColorAt(1.0, QColor(0x24, 0x24, 0x26));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(Circle(c, r));
    QLinearGradient rim(c + QPointF(-r, -r), c + QPointF(r, r));
    rim.setColorAt(0.0, QColor(0, 0, 0, 200));
    rim.setColorAt(0.5, QColor(40, 40, 40, 120));
    rim.setColorAt(1.0, QColor(130, 130, 134, 170));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(rim), 1.0));
    p.drawEllipse(Circle(c, r - 0.5));
}

// A dark window behind glass with a thin bevel, for the meter and the display.
void Window(QPainter& p, const QRectF& r, qreal radius)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x06, 0x06, 0x07));
    p.drawRoundedRect(r, radius, radius);
    QLinearGradient bevel(r.topLeft(), r.bottomRight());
    bevel.setColorAt(0.0, QColor(0, 0, 0, 220));
    bevel.setColorAt(1.0, QColor(150, 150, 155, 150));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(bevel), 1.2));
    p.drawRoundedRect(r.adjusted(-0.6, -0.6, 0.6, 0.6), radius + 0.6, radius + 0.6);
}

// Every text of the front, where the face places the control it belongs to.
std::vector<TPrint> Prints()
{
    TPrints out;
    // The model.
    out.Add(828, 20, QStringLiteral("FT-2000"), Qt::AlignLeft, QColor(0xe8, 0xe8, 0xe8),
            [] {
                QFont f = LegendFont(13);
                f.setItalic(true);
                return f;
            }());
    out.Add(552.5, 320, QStringLiteral("HF/50MHz TRANSCEIVER"), Qt::AlignHCenter, QColor(0xb0, 0xb0, 0xb0),
            LegendFont(7));

    // Legends of the left side: transmit keys, antenna keys and the row of receiver keys.
    out.Legend(22.5, 53, "MOX");
    out.Legend(60.5, 53, "VOX");
    out.Legend(18.5, 98, "TUNE");
    out.Legend(43.5, 98, "ANT");
    out.Legend(68.5, 98, "RX ANT");
    const struct {
        qreal X;
        const char* Text;
    } row[] = {{52.5, "MONI"}, {95.5, "PROC"},  {137.5, "KEYER"}, {179.5, "ATT"},
               {221.5, "IPO"}, {263.5, "R.FLT"}, {305.5, "AGC"},   {347.5, "NB"}};
    for (const auto& k : row)
        out.Legend(k.X, 136, k.Text);
    out.Legend(196.5, 175, "BK-IN");
    out.Legend(196.5, 210, "SPOT");

    // Knobs: the inner knob's function, then the outer ring's.
    out.KnobLegend(127.5, 171, "MONI", "PROC");
    out.KnobLegend(264.5, 171, "SPEED", "PITCH");
    out.KnobLegend(341.5, 171, "NB", "SQL");
    out.KnobLegend(50.5, 243, "MIC", "RF PWR");
    out.KnobLegend(127.5, 243, "VOX", "DELAY");
    out.KnobLegend(264.5, 243, "SUB AF", "RF");
    out.KnobLegend(341.5, 243, "MAIN AF", "RF");
    out.KnobLegend(869.5, 115, "SHIFT", "WIDTH");
    out.KnobLegend(977.5, 115, "CONTOUR", "DNR");
    out.Legend(50, 231, "METER");
    out.Legend(977.5, 28, "NOTCH");
    out.Legend(782.5, 249, "CLAR");
    out.Legend(920.5, 229, "VFO-B");

    // Function keys under the knobs.
    const char* const fkeys[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "DISP"};
    for (int i = 0; i < 8; ++i)
        out.Legend(53.5 + 42 * i, 307, fkeys[i]);

    // Receive and transmit lamps of both VFOs.
    out.Legend(452, 128, "RX");
    out.Legend(650, 128, "TX");
    out.Legend(860, 190, "RX");
    out.Legend(986, 190, "TX");

    // Clarifier keys, and the DSP keys of the right side.
    out.Legend(704, 268, "RX", Qt::AlignRight);
    out.Legend(704, 294, "TX", Qt::AlignRight);
    out.Legend(704, 321, "CLEAR", Qt::AlignRight);
    out.Legend(904, 37, "VRF", Qt::AlignRight);
    out.Legend(904, 60, "NOTCH", Qt::AlignRight);
    out.Legend(904, 83, "DNF", Qt::AlignRight);
    out.Legend(923.5, 120, "CONTOUR");
    out.Legend(923.5, 152, "DNR");

    // The level bars in the tray.
    const struct {
        qreal X;
        const char* Text;
    } bars[] = {{23, "PWR"},    {55, "MIC"},    {79, "PROC"},   {103, "VOX"},   {127, "DELAY"},
                {159, "MONI"},  {200, "SPEED"}, {228, "PITCH"}, {263, "NB"},    {287, "RF-A"},
                {311, "RF-B"},  {335, "AF-A"},  {359, "AF-B"},  {396, "SQL"},   {439, "WIDTH"},
                {471, "SHIFT"}, {511, "NOTCH"}, {537, "CONT"},  {560, "DNR"},   {584, "VRF"},
                {619, "CLAR"}};
    QFont small = LegendFont(7);
    small.setLetterSpacing(QFont::AbsoluteSpacing, -0.3); // neighbouring bars stand 24 pixels apart
    for (const auto& b : bars)
        out.Add(b.X, 344, QString::fromUtf8(b.Text), Qt::AlignHCenter, QColor(0xb8, 0xb8, 0xb8), small);
    return out.List();
}

// The front at the face's size; every recess and legend sits where the face places the control
// it belongs to.
void PaintFront(QPainter& p, const QSize& s)
{
    const QRectF all(QPointF(0, 0), QSizeF(s));

    // The front plate: dark grey metal, a little lighter towards the top.
    QLinearGradient plate(0, 0, 0, s.height());
    plate.setColorAt(0.0, QColor(0x3c, 0x3c, 0x3f));
    plate.setColorAt(0.12, QColor(0x33, 0x33, 0x36));
    plate.setColorAt(1.0, QColor(0x2a, 0x2a, 0x2c));
    p.fillRect(all, plate);
    p.setPen(QPen(QColor(0x55, 0x55, 0x58), 1.0));
    p.drawLine(QPointF(0, 0.5), QPointF(s.width(), 0.5));
    p.setPen(QPen(QColor(0x12, 0x12, 0x12), 1.0));
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));

    // The tray below holds the level bars and the tuning strip.
    const QRectF tray(3, 330, s.width() - 6, s.height() - 333);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1b, 0x1b, 0x1c));
    p.drawRoundedRect(tray, 5, 5);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
    p.drawLine(QPointF(tray.left() + 4, tray.top() + 0.5), QPointF(tray.right() - 4, tray.top() + 0.5));
    p.setPen(QPen(QColor(0x4a, 0x4a, 0x4d), 1.0));
    p.drawLine(QPointF(tray.left() + 4, tray.bottom() + 0.5), QPointF(tray.right() - 4, tray.bottom() + 0.5));

    // Meter and display behind one window.
    Window(p, QRectF(86, 13, 736, 101), 6);

    // Recesses of the main dial, the clarifier and VFO-B dials and the knobs.
    Well(p, QPointF(552.5, 227.5), 79);
    Well(p, QPointF(782.5, 286.5), 36);
    Well(p, QPointF(920.5, 266.5), 36);
    const QPointF knobs[] = {{127.5, 198.5}, {264.5, 198.5}, {341.5, 198.5}, {50.5, 271.5}, {127.5, 271.5},
                             {264.5, 271.5}, {341.5, 271.5}, {977.5, 55.5},  {977.5, 143.5}, {869.5, 143.5}};
    for (const QPointF& c : knobs)
        Well(p, c, 26);

    faceart::DrawPrints(p, Prints());
}

} // namespace

QList<faceart::TPrintedLegend> FT2000PrintedLegends()
{
    return faceart::PrintedLegends(Prints());
}

void RegisterFT2000Art()
{
    static std::once_flag once;
    std::call_once(once, [] {
        using vx::art::Register;
        Register(QStringLiteral("FT2KIMAGEV2"), QSize(1019, 454), PaintFront);
        for (const KeyStrip& k : Keys)
            RegisterKey(k);
        Register(QStringLiteral("FT2K_SDF_1_ON"), QSize(21, 13), [](QPainter& p, const QSize& s) { PaintSDF1(p, s, true); });
        Register(QStringLiteral("FT2K_SDF_1_OFF"), QSize(21, 13), [](QPainter& p, const QSize& s) { PaintSDF1(p, s, false); });
        Register(QStringLiteral("FT2K_SDF_2_ON"), QSize(26, 62), [](QPainter& p, const QSize& s) { PaintSDF2(p, s, true); });
        Register(QStringLiteral("FT2K_SDF_2_OFF"), QSize(26, 62), [](QPainter& p, const QSize& s) { PaintSDF2(p, s, false); });
    });
}
