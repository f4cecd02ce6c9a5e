#include "panel/widgets/FT950Art.h"

#include "controls/widgets/ArtRegistry.h"
#include "panel/widgets/FaceArt.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <mutex>
#include <vector>

namespace {

using namespace faceart;

const QColor Amber(255, 176, 64);
const QColor Red(255, 58, 44);
const QColor Green(96, 255, 112);

// ---- Printed legends of the background ----

struct TLegendAt {
    qreal Centre, Baseline;
    const char* Text;
};

// Legends centred over or beside the control they name, in face pixels.
const TLegendAt Legends[] = {
    // Left column: antenna and tuner keys, MOX and VOX.
    {110.5, 36, "ANT"}, {148.5, 40, "MOX"}, {110.5, 82, "TUNER"}, {148.5, 85, "VOX"},
    // The row of function keys under the display.
    {38, 142, "MONI"}, {81, 142, "PROC"}, {124, 142, "SPOT"}, {167, 142, "BK-IN"}, {210, 142, "KEYER"},
    {253, 142, "AGC"},
    // Meter key, knobs and the memory keys.
    {103, 202, "METER"}, {173.5, 186, "MIC"}, {252.5, 186, "PITCH"}, {173.5, 256, "MONI / PROC"},
    {252.5, 256, "NB / SQL"}, {36, 315, "F1"}, {81, 315, "F2"}, {126, 315, "F3"}, {171, 315, "F4"},
    {216, 315, "F5"},
    // The DSP selection group and the digital filters.
    {311, 144, "SHIFT"}, {350, 144, "WIDTH"}, {389, 144, "CONT"}, {311, 181, "NOTCH"}, {350, 181, "\u00b5TUNE"},
    {389, 181, "CLEAR"}, {484, 315, "DNF"}, {537, 315, "DNR"},
    // VFO A's lamps.
    {465, 129, "RX"}, {678, 129, "TX"},
    // The jacks at the lower left.
    {45, 218, "PHONES"}, {45, 270, "MIC"},
    // Band keys: the band's frequency in MHz over each key.
    {780.5, 26, "1.8"}, {831.5, 26, "3.5"}, {883.5, 26, "7"}, {780.5, 49, "10"}, {831.5, 49, "14"},
    {883.5, 49, "18"}, {780.5, 72, "21"}, {831.5, 72, "24"}, {883.5, 72, "28"}, {780.5, 95, "GEN"},
    {831.5, 95, "50"}, {883.5, 95, "ENT"},
    // Receiver front end.
    {759.5, 144, "ATT"}, {818.5, 144, "IPO"}, {759.5, 181, "R.FLT"}, {818.5, 181, "NB"}, {787, 223, "AF / RF"},
    // Clarifier, VFO B's lamps, the sub dial and its function keys.
    {930.5, 134, "CLAR"}, {879.5, 143, "RX"}, {930.5, 143, "TX"}, {979.5, 143, "CLEAR"}, {881, 174, "RX"},
    {980, 174, "TX"}, {868, 198, "BAND"}, {990, 198, "GRP"}, {868, 283, "MHz"}, {990, 283, "MCH"},
    {930.5, 320, "VFO-B"},
    // Captions over the bars.
    {24, 345, "RF PWR"}, {53, 345, "MIC"}, {77, 345, "PROC"}, {106, 345, "VOX"}, {130, 345, "DELAY"},
    {159, 345, "MONI"}, {201, 345, "SPEED"}, {225, 345, "PITCH"}, {264, 345, "SQL"}, {287, 345, "RF"},
    {311, 345, "AF"}, {345, 345, "SHIFT"}, {377, 345, "WIDTH"}, {409, 345, "CONT"}, {441, 345, "NOTCH"},
    {473, 345, "\u00b5TUNE"}, {505, 345, "NB"}, {537, 345, "DNR"}, {575, 345, "CLAR"},
};

constexpr qreal LegendPx = 7;
constexpr qreal ModelRight = 1006;
constexpr qreal ModelBaseline = 18;

std::vector<TPrint> Prints()
{
    std::vector<TPrint> out;
    const QFont legend = LegendFont(LegendPx);
    const QFontMetricsF fm(legend);
    for (const TLegendAt& l : Legends) {
        const QString text = QString::fromUtf8(l.Text);
        out.push_back({text, legend, LegendGrey, QPointF(l.Centre - fm.horizontalAdvance(text) / 2, l.Baseline)});
    }
    // The model, where the radio prints it.
    QFont model = LegendFont(16, true, false);
    model.setItalic(true);
    const QString name = QStringLiteral("FT-950");
    out.push_back({name, model, LegendGrey, QPointF(ModelRight - QFontMetricsF(model).horizontalAdvance(name), ModelBaseline)});
    return out;
}

// ---- Keys ----

// The key's body inside its frame, clear of the shadow below it; returns where its face is.
QRectF Cap(QPainter& p, const QRectF& frame, qreal radius, const TKeyState& s)
{
    const QRectF r = frame.adjusted(0.5, 0.5, -0.5, -1.5);
    KeyBody(p, r, radius, s);
    return s.Pressed ? r.translated(0, 0.6) : r;
}

// A key whose legend is printed on the background: the cap alone.
FramePainter PlainKey(qreal radius = 2.0)
{
    return [radius](QPainter& p, const QRectF& cell, const TKeyState& look) { Cap(p, cell, radius, look); };
}

// A key with a lamp across its middle (the DSP and sub-dial function keys).
FramePainter LampKey(const QColor& colour)
{
    return [colour](QPainter& p, const QRectF& cell, const TKeyState& look) {
        const QRectF cap = Cap(p, cell, 2.0, look);
        const qreal w = std::max<qreal>(5.0, cap.width() * 0.46);
        LampBar(p, QRectF(cap.center().x() - w / 2, cap.center().y() - 1.2, w, 2.4), colour, look.Lit);
    };
}

// A small round key with its lamp in the middle (MOX, VOX).
FramePainter RoundLampKey(const QColor& colour)
{
    return [colour](QPainter& p, const QRectF& cell, const TKeyState& look) {
        const QRectF cap = Cap(p, cell, cell.height() / 2, look);
        const qreal d = cap.height() * 0.36;
        const QRectF glass(cap.center().x() - d / 2, cap.center().y() - d / 2, d, d);
        if (look.Lit) {
            Glow(p, glass, colour, d * 1.6);
            p.setBrush(colour.lighter(120));
            p.setPen(Qt::NoPen);
        } else {
            p.setBrush(colour.darker(560));
            p.setPen(QPen(QColor(8, 8, 8), 0.6));
        }
        p.drawEllipse(glass);
    };
}

// A key with its legend on the cap; with a lamp, the lamp runs along the top of the cap.
FramePainter LegendKey(const QString& legend, int px, const QColor& lamp = QColor())
{
    return [legend, px, lamp](QPainter& p, const QRectF& cell, const TKeyState& look) {
        const QRectF cap = Cap(p, cell, 2.0, look);
        QRectF text = cap;
        if (lamp.isValid()) {
            const qreal w = std::max<qreal>(6.0, cap.width() * 0.5);
            const QRectF glass(cap.center().x() - w / 2, cap.top() + 2.2, w, 1.9);
            LampBar(p, glass, lamp, look.Lit);
            text.setTop(glass.bottom() + 0.3);
        }
        BoxText(p, text, legend, LegendFont(px), look.Disabled ? LegendDim : LegendGrey);
    };
}

// A tall mode key: a lamp at the top, the mode or modes it alternates between below.
FramePainter ModeKey(const QString& legend)
{
    return [legend](QPainter& p, const QRectF& cell, const TKeyState& look) {
        const QRectF cap = Cap(p, cell, 2.5, look);
        const QRectF glass(cap.center().x() - 4.5, cap.top() + 3.0, 9.0, 2.2);
        LampBar(p, glass, Amber, look.Lit);
        BoxText(p, cap.adjusted(0, glass.bottom() - cap.top() + 1, 0, 0), legend, LegendFont(8),
                look.Disabled ? LegendDim : LegendGrey);
    };
}

// The power key: its legend over a lamp that lights while the radio is on.
FramePainter PowerKey()
{
    return [](QPainter& p, const QRectF& cell, const TKeyState& look) {
        const QRectF cap = Cap(p, cell, 3.0, look);
        BoxText(p, QRectF(cap.left(), cap.top() + 5, cap.width(), 10), QStringLiteral("POWER"), LegendFont(8),
                look.Disabled ? LegendDim : LegendGrey);
        LampBar(p, QRectF(cap.center().x() - 5.5, cap.bottom() - 11, 11, 3.2), Green, look.Lit);
    };
}

// ---- The face ----

// A headphone jack: a bright ring nut around a dark hole.
void Jack(QPainter& p, const QPointF& centre, qreal radius)
{
    QRadialGradient nut(centre - QPointF(radius * 0.3, radius * 0.4), radius * 1.4);
    nut.setColorAt(0, QColor(0xd6, 0xd6, 0xda));
    nut.setColorAt(0.6, QColor(0x8c, 0x8c, 0x90));
    nut.setColorAt(1, QColor(0x4a, 0x4a, 0x4e));
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 0.8));
    p.setBrush(nut);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(QColor(0x05, 0x05, 0x05));
    p.drawEllipse(centre, radius * 0.42, radius * 0.42);
}

// The microphone socket: a dark round connector with its ring of pins and the key notch.
void MicSocket(QPainter& p, const QPointF& centre, qreal radius)
{
    Jack(p, centre, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x14, 0x14, 0x15));
    p.drawEllipse(centre, radius * 0.72, radius * 0.72);
    p.setBrush(QColor(0xb8, 0xa0, 0x60));
    for (int i = 0; i < 8; ++i) {
        const qreal a = (i * 45.0 + 22.5) * 3.14159265358979 / 180.0;
        p.drawEllipse(centre + QPointF(std::cos(a), std::sin(a)) * radius * 0.46, 0.9, 0.9);
    }
    p.setBrush(QColor(0x40, 0x40, 0x44));
    p.drawRect(QRectF(centre.x() - 1.2, centre.y() - radius * 0.72, 2.4, 2.2));
}

void PaintFace(QPainter& p, const QSize& size)
{
    PaintFront(p, size);

    // The lower strip where the bars stand.
    QLinearGradient lower(0, 333, 0, 452);
    lower.setColorAt(0, QColor(0x1b, 0x1c, 0x1e));
    lower.setColorAt(1, QColor(0x15, 0x15, 0x17));
    p.setPen(QPen(QColor(0x46, 0x47, 0x4a), 0.8));
    p.setBrush(lower);
    p.drawRoundedRect(QRectF(6.5, 333.5, 600, 117), 4, 4);

    // The display (the meter sits in its left end, a little taller) and the tuning strip.
    Bezel(p, QRectF(179, 24, 565, 89), 5, 5);
    Bezel(p, QRectF(612, 339, 393, 101), 3, 3);

    // The hollows of the dials and knobs.
    DialWell(p, QPointF(571.5, 219.5), 80);
    DialWell(p, QPointF(930.5, 255.5), 52);
    DialWell(p, QPointF(787, 263), 38);
    for (const QPointF c : {QPointF(173.5, 212.5), QPointF(252.5, 212.5), QPointF(173.5, 282.5), QPointF(252.5, 282.5)})
        DialWell(p, c, 25);

    Jack(p, QPointF(45, 232), 8.5);
    MicSocket(p, QPointF(45, 287), 12);

    // Printed frames: the DSP selection group, and the rule either side of the clarifier title.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x5a, 0x5b, 0x5f), 0.8));
    p.drawRoundedRect(QRectF(292.5, 133.5, 116, 72), 4, 4);
    const qreal clarHalf = QFontMetricsF(LegendFont(LegendPx)).horizontalAdvance(QStringLiteral("CLAR")) / 2 + 4;
    p.drawLine(QPointF(866, 131.5), QPointF(930.5 - clarHalf, 131.5));
    p.drawLine(QPointF(930.5 + clarHalf, 131.5), QPointF(993, 131.5));

    DrawPrints(p, Prints());
}

} // namespace

QList<TPrintedLegend> FT950PrintedLegends()
{
    return PrintedLegends(Prints());
}

void RegisterFT950Art()
{
    static std::once_flag once;
    std::call_once(once, [] {
        vx::art::Register(QStringLiteral("FT950IMAGE"), QSize(1019, 454), PaintFace);

        const QColor none;
        RegisterStrip(QStringLiteral("FT950_POWER"), {31, 55}, PowerKey());
        RegisterStrip(QStringLiteral("FT950_BUTTON_MOX"), {12, 11}, RoundLampKey(Red));
        RegisterStrip(QStringLiteral("FT950_BUTTON_ANT"), {18, 19}, PlainKey(2.5));
        RegisterStrip(QStringLiteral("FT950_BUTTON_MONI"), {29, 16}, PlainKey());
        RegisterStrip(QStringLiteral("FT950_BUTTON_ATT"), {42, 17}, PlainKey());
        RegisterStrip(QStringLiteral("FT950_BUTTON_CLAR"), {35, 17}, PlainKey());
        RegisterStrip(QStringLiteral("FT950_BUTTON_F1"), {27, 12}, PlainKey(1.8));
        RegisterStrip(QStringLiteral("FT950_BUTTON_CLEAR"), {25, 17}, PlainKey());
        RegisterStrip(QStringLiteral("FT950_BUTTON_SELECT"), {25, 17}, LampKey(Amber));
        RegisterStrip(QStringLiteral("FT950_GRP"), {19, 17}, LampKey(Amber));

        const struct {
            const char* Name;
            QSize Frame;
            const char* Legend;
            QColor Lamp;
        } legendKeys[] = {
            {"FT950_BUTTON_MENU", {60, 13}, "MENU", none},
            {"FT950_BUTTON_AB", {37, 17}, "A\u25baB", none},
            {"FT950_BUTTON_NAR", {37, 17}, "NAR", Amber},
            {"FT950_BUTTON_AM", {57, 17}, "A\u25baM", none},
            {"FT950_BUTTON_MA", {43, 17}, "M\u25baA", none},
            {"FT950_BUTTON_FAST", {31, 17}, "FAST", Amber},
            {"FT950_BUTTON_TXW", {31, 17}, "TXW", Amber},
            {"FT950_BUTTON_VM", {31, 17}, "V/M", none},
            {"FT950_BUTTON_SPLIT", {30, 17}, "SPLIT", Amber},
            {"FT950_BUTTON_SWAP", {30, 17}, "A\u25c4\u25baB", none},
            {"FT950_BUTTON_RCL", {28, 17}, "RCL", none},
            {"FT950_BUTTON_LOCK", {27, 17}, "LOCK", Amber},
            {"FT950_BUTTON_STO", {26, 17}, "STO", none},
        };
        for (const auto& k : legendKeys)
            RegisterStrip(QString::fromLatin1(k.Name), k.Frame,
                     LegendKey(QString::fromUtf8(k.Legend), k.Frame.height() < 16 ? 7 : 8, k.Lamp));

        // Band keys: their legends are printed above them.
        for (const char* band : {"160", "80", "40", "30", "20", "17", "15", "12", "10", "GEN", "6", "ENT"})
            RegisterStrip(QStringLiteral("FT950_BAND_") + QLatin1String(band), {40, 11}, PlainKey(1.8));

        const struct {
            const char* Name;
            const char* Legend;
        } modes[] = {
            {"FT950_MODE_SSB", "SSB"},
            {"FT950_MODE_CW", "CW"},
            {"FT950_MODE_AM", "AM\nFM"},
            {"FT950_MODE_RTTY", "RTTY\nPKT"},
        };
        for (const auto& m : modes)
            RegisterStrip(QString::fromLatin1(m.Name), {21, 34}, ModeKey(QString::fromLatin1(m.Legend)));
    });
}
