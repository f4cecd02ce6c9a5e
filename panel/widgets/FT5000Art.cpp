#include "panel/widgets/FT5000Art.h"

#include "controls/widgets/ArtRegistry.h"
#include "panel/widgets/FaceArt.h"
#include "panel/widgets/PanelControlArt.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>
#include <mutex>
#include <vector>

namespace {

using namespace faceart;

// ---- Shared look ----

// The sub receiver's colour, as on its DSP keys.
const QColor SubOrange(255, 158, 58);
const QColor LampAmber(255, 184, 72);
const QColor LampRed(255, 52, 40);
const QColor LampOrange(255, 150, 30);
const QColor LampGreen(90, 255, 110);

// A key with its legend printed on it; with a lamp, the lamp sits along its top.
FramePainter LegendKey(const QString& legend, int px, const QColor& lamp = QColor(), bool bold = true)
{
    return [legend, px, lamp, bold](QPainter& p, const QRectF& frame, const TKeyState& s) {
        const QRectF r = frame.adjusted(0.5, 0.5, -0.5, -1.5);
        const qreal radius = std::min<qreal>(3.0, r.height() / 4.0);
        KeyBody(p, r, radius, s);
        QRectF text = r;
        if (lamp.isValid()) {
            const qreal lw = std::max<qreal>(6.0, r.width() * 0.42);
            const qreal lh = r.height() >= 20 ? 3.0 : 2.2;
            const QRectF bar(r.center().x() - lw / 2, r.top() + 2.5, lw, lh);
            LampBar(p, bar, lamp, s.Lit);
            text.setTop(bar.bottom());
        }
        if (s.Pressed)
            text.translate(0, 0.6);
        BoxText(p, text, legend, LegendFont(px, bold), s.Disabled ? LegendDim : LegendGrey);
    };
}

// A small oval key whose legend is printed on the panel above it: the top of the frame stays
// clear so the legend shows through.  Keys of a receiver's DSP carry a lamp in its colour.
constexpr qreal OvalTop = FT5KOvalLegendRoom;

FramePainter OvalKey(const QColor& lamp)
{
    return [lamp](QPainter& p, const QRectF& frame, const TKeyState& s) {
        const QRectF r(frame.left() + 2.0, frame.top() + OvalTop + 0.5, frame.width() - 4.0,
                       frame.height() - OvalTop - 2.0);
        KeyBody(p, r, r.height() / 2, s);
        if (lamp.isValid()) {
            const QRectF bar(r.center().x() - 5.5, r.center().y() - 1.4 + (s.Pressed ? 0.6 : 0), 11.0, 2.8);
            LampBar(p, bar, lamp, s.Lit);
        }
    };
}

// A round key with a lamp in its middle (DNR, DNF).
FramePainter RoundKey(const QColor& lamp)
{
    return [lamp](QPainter& p, const QRectF& frame, const TKeyState& s) {
        const QRectF r = frame.adjusted(1.0, 1.0, -1.0, -1.5);
        KeyBody(p, r, r.height() / 2, s);
        const QPointF c = r.center() + QPointF(0, s.Pressed ? 0.6 : 0);
        const QRectF dot(c.x() - 2.2, c.y() - 2.2, 4.4, 4.4);
        if (s.Lit) {
            Glow(p, dot, lamp, 7.0);
            p.setBrush(lamp.lighter(120));
            p.setPen(Qt::NoPen);
        } else {
            p.setBrush(lamp.darker(560));
            p.setPen(QPen(QColor(8, 8, 8), 0.6));
        }
        p.drawEllipse(dot);
    };
}

// A rocker key: the upper half steps up, the lower half down.
FramePainter RockerKey()
{
    return [](QPainter& p, const QRectF& frame, const TKeyState& s) {
        const QRectF r = frame.adjusted(1.0, 0.5, -1.0, -1.5);
        KeyBody(p, r, 3.0, s);
        const qreal mid = frame.top() + int(frame.height()) / 2;
        p.setPen(QPen(QColor(0x0e, 0x0e, 0x0e), 1.0));
        p.drawLine(QPointF(r.left() + 2, mid), QPointF(r.right() - 2, mid));
        p.setPen(QPen(QColor(0x5a, 0x5a, 0x5a), 0.6));
        p.drawLine(QPointF(r.left() + 2, mid + 1), QPointF(r.right() - 2, mid + 1));
        const QColor c = s.Disabled ? LegendDim : LegendGrey;
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const qreal cx = r.center().x();
        const qreal up = (r.top() + mid) / 2 + (s.Pressed ? 0.6 : 0);
        const qreal down = (mid + r.bottom()) / 2 + (s.Pressed ? 0.6 : 0);
        p.drawPolygon(QPolygonF({QPointF(cx - 4, up + 2), QPointF(cx + 4, up + 2), QPointF(cx, up - 2.2)}));
        p.drawPolygon(QPolygonF({QPointF(cx - 4, down - 2), QPointF(cx + 4, down - 2), QPointF(cx, down + 2.2)}));
    };
}

// A plain key with its lamp; its legend is printed on the panel above it.
FramePainter LampKey(const QColor& lamp)
{
    return [lamp](QPainter& p, const QRectF& frame, const TKeyState& s) {
        const QRectF r = frame.adjusted(0.5, 0.5, -0.5, -1.5);
        KeyBody(p, r, 3.0, s);
        const qreal lw = r.width() * 0.5;
        const QRectF bar(r.center().x() - lw / 2, r.center().y() - 1.5 + (s.Pressed ? 0.6 : 0), lw, 3.0);
        LampBar(p, bar, lamp, s.Lit);
    };
}

// The power key: its legend above a lamp that lights while the radio is on.
FramePainter PowerKey()
{
    return [](QPainter& p, const QRectF& frame, const TKeyState& s) {
        const QRectF r = frame.adjusted(0.5, 0.5, -0.5, -1.5);
        KeyBody(p, r, 4.0, s);
        const qreal dy = s.Pressed ? 0.6 : 0;
        BoxText(p, QRectF(r.left(), r.top() + 6 + dy, r.width(), 12), QStringLiteral("POWER"), LegendFont(8, true),
                s.Disabled ? LegendDim : LegendGrey);
        const QRectF lamp(r.center().x() - 6, r.bottom() - 12 + dy, 12, 4);
        LampBar(p, lamp, LampGreen, s.Lit);
    };
}

// The CAT lamp: dark, or green while the link is up.
FramePainter CATLamp()
{
    return [](QPainter& p, const QRectF& frame, const TKeyState& s) {
        const QRectF r = frame.adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(QColor(0x0a, 0x0a, 0x0a), 1.0));
        p.setBrush(QColor(0x1a, 0x1a, 0x1a));
        p.drawRoundedRect(r, 1.5, 1.5);
        const QRectF lamp = r.adjusted(1.5, 1.5, -1.5, -1.5);
        LampBar(p, lamp, LampGreen, s.Lit);
    };
}

// ---- Caption strips of the shared bar places ----

// The captions of the bars at the four places VFO A and B share, centred on each bar.
void PaintSliderCaptions(QPainter& p, const QSize& size, bool sub, bool apf)
{
    const QColor colour = sub ? SubOrange : LegendGrey;
    const QFont font = LegendFont(7, true);
    const char* const names[4] = {"NOTCH", apf ? "APF" : "CONT", "DNR", "VRF"};
    for (int i = 0; i < 4; ++i)
        CentredText(p, 20 + 24 * i, size.height() - 1.5, QString::fromLatin1(names[i]), font, colour);
}

// ---- The face ----

const QSize FaceSize(1148, 483);

struct TLegend {
    qreal X, Baseline; // centre of the text, its baseline
    const char* Text;
    int Px;
    bool Sub; // printed in the sub receiver's colour
};

// The legends printed on the panel beside the keys, knobs and bars (positions in face pixels).
const TLegend Legends[] = {
    // Left column: power, CAT lamp, dimmer, tuner, MOX, VOX, monitor, processor.
    {44, 122, "CAT", 7, false},
    {38.5, 166, "DIM", 8, false},
    {78.5, 166, "TUNER", 8, false},
    {38, 200, "MOX", 8, false},
    {78.5, 200, "MONI", 8, false},
    {38, 234, "VOX", 8, false},
    {78.5, 234, "PROC", 8, false},
    // The rocker and antenna keys above the knobs.
    {138, 165, "RX ANT", 8, false},
    {183, 165, "ANT", 8, false},
    {231, 165, "ATT", 8, false},
    {295, 165, "IPO", 8, false},
    {342, 165, "R.FLT", 8, false},
    {390, 165, "AGC", 8, false},
    // Knobs: the inner and outer function.
    {144.5, 207, "METER", 8, false},
    {225, 213, "MONI / PROC", 8, false},
    {55, 289, "MIC / PWR", 8, false},
    {131, 289, "SPEED / PITCH", 8, false},
    {208, 289, "VOX / DELAY", 8, false},
    // VFO A: its lamps and dial.
    {515, 153, "RX", 7, false},
    {646, 153, "TX", 7, false},
    {582, 153, "VFO-A", 8, false},
    // VFO B's clarifier keys, lamps and dial.
    {768, 194.5, "RX", 8, false},
    {807.5, 194.5, "CLEAR", 8, false},
    {847, 194.5, "TX", 8, false},
    {768, 223.5, "CLAR/GRP", 7, false},
    {807, 223.5, "BAND/MCH", 7, false},
    {847, 223.5, "A/B", 8, false},
    {753, 251.5, "RX", 7, false},
    {860, 251.5, "TX", 7, false},
    {807, 354, "VFO-B", 8, false},
    // The DSP keys of the main and the sub receiver.
    {941.5, 145, "MAIN", 8, false},
    {1075.5, 145, "SUB", 8, true},
    {905, 194.5, "VRF", 8, false},
    {945, 194.5, "SHIFT", 8, false},
    {984, 194.5, "CONT", 8, false},
    {905, 223.5, "NOTCH", 8, false},
    {945, 223.5, "WIDTH", 8, false},
    {984, 223.5, "RESET", 8, false},
    {1039, 194.5, "VRF", 8, true},
    {1079, 194.5, "SHIFT", 8, true},
    {1118, 194.5, "CONT", 8, true},
    {1039, 223.5, "NOTCH", 8, true},
    {1079, 223.5, "WIDTH", 8, true},
    {1118, 223.5, "RESET", 8, true},
    {890, 279, "DNR", 7, false},
    {995, 279, "DNF", 7, false},
    {1024, 279, "DNR", 7, true},
    {1129, 279, "DNF", 7, true},
    // Section titles over the band and mode keys.
    {806, 24, "BAND", 7, false},
    {943, 24, "MODE", 7, false},
    // Captions over the bars (the four shared places have a strip of their own).
    {24, 374, "RF PWR", 7, false},
    {55, 374, "MIC", 7, false},
    {79, 374, "PROC", 7, false},
    {103, 374, "VOX", 7, false},
    {127, 374, "DELAY", 7, false},
    {159, 374, "MONI", 7, false},
    {200, 374, "SPEED", 7, false},
    {228, 374, "PITCH", 7, false},
    {267, 374, "NB", 7, false},
    {291, 374, "NB", 7, true},
    {315, 374, "RF", 7, false},
    {339, 374, "RF", 7, true},
    {363, 374, "AF", 7, false},
    {387, 374, "AF", 7, true},
    {422, 374, "SQL", 7, false},
    {446, 374, "SQL", 7, true},
    {483, 374, "WIDTH", 7, false},
    {507, 374, "SHIFT", 7, false},
    {534, 374, "WIDTH", 7, true},
    {558, 374, "SHIFT", 7, true},
    {713, 374, "CLAR", 7, false},
};

// Legends of the main and sub receiver's concentric knobs: the receiver's word in its colour
// before the functions.
struct TKnobLegend {
    qreal X, Baseline;
    const char* Text;
    bool Sub;
};
const TKnobLegend KnobLegends[] = {
    {305, 213, "NB / SQL", true},
    {383, 213, "NB / SQL", false},
    {292.5, 283, "AF / RF", true},
    {380.5, 282, "AF / RF", false},
};

// Every text printed on the face.
std::vector<TPrint> Prints(const QSize& size)
{
    std::vector<TPrint> out;
    const auto centred = [&out](qreal x, qreal baseline, const QString& text, const QFont& font, const QColor& colour) {
        out.push_back({text, font, colour, QPointF(x - QFontMetricsF(font).horizontalAdvance(text) / 2, baseline)});
    };
    // The model, where the radio prints it.
    QFont model = LegendFont(15, true, false);
    model.setItalic(true);
    const QString name = QStringLiteral("FTDX 5000");
    const qreal nameWidth = QFontMetricsF(model).horizontalAdvance(name);
    out.push_back({name, model, QColor(0xd8, 0xd8, 0xda), QPointF(size.width() - 14 - nameWidth, 19)});
    // The line before the model ends short of it, clear of the MODE title.
    const QFont line = LegendFont(7, false);
    const QString kind = QStringLiteral("HF/50MHz TRANSCEIVER");
    const qreal kindWidth = QFontMetricsF(line).horizontalAdvance(kind);
    centred(size.width() - 14 - nameWidth - 10 - kindWidth / 2, 18, kind, line, LegendGrey);

    for (const TLegend& l : Legends)
        centred(l.X, l.Baseline, QString::fromLatin1(l.Text), LegendFont(l.Px, true), l.Sub ? SubOrange : LegendGrey);
    // The meter selector's picture has no room above its ring: its top place is named here, over
    // the knob, in the type of its other names.
    centred(144.5, 215, QStringLiteral("PO"), MeterNameFont(), QColor(210, 210, 210));
    for (const TKnobLegend& l : KnobLegends) {
        const QFont font = LegendFont(8, true);
        const QFontMetricsF fm(font);
        const QString tag = l.Sub ? QStringLiteral("SUB ") : QStringLiteral("MAIN ");
        const QString text = QString::fromLatin1(l.Text);
        const qreal x = l.X - (fm.horizontalAdvance(tag) + fm.horizontalAdvance(text)) / 2;
        out.push_back({tag, font, l.Sub ? SubOrange : LegendGrey, QPointF(x, l.Baseline)});
        out.push_back({text, font, LegendGrey, QPointF(x + fm.horizontalAdvance(tag), l.Baseline)});
    }
    return out;
}

void PaintFace(QPainter& p, const QSize& size)
{
    PaintFront(p, size);
    // The lower strip, where the bars sit.
    QLinearGradient lower(0, 357, 0, size.height());
    lower.setColorAt(0, QColor(0x1d, 0x1e, 0x20));
    lower.setColorAt(1, QColor(0x17, 0x18, 0x19));
    p.setPen(Qt::NoPen);
    p.setBrush(lower);
    p.drawRoundedRect(QRectF(6, 359, size.width() - 12, size.height() - 364), 4, 4);
    p.setPen(QPen(QColor(0x4a, 0x4b, 0x4e), 1.0));
    p.drawLine(QPointF(8, 357.5), QPointF(size.width() - 8, 357.5));

    // Windows: meter, LCD, sub VFO readout, sub displays, tuning strip.
    Bezel(p, QRectF(58, 30, 180, 68), 4, 4);
    Bezel(p, QRectF(255, 24, 472, 95), 5, 5);
    Bezel(p, QRectF(758, 149, 98, 29), 3, 3);
    Bezel(p, QRectF(885, 150, 113, 27), 3, 3);
    Bezel(p, QRectF(1019, 150, 113, 27), 3, 3);
    Bezel(p, QRectF(744, 373, 394, 98), 2, 2);

    // Dial wells.
    DialWell(p, QPointF(582, 247), 82);
    DialWell(p, QPointF(807, 303), 40);
    DialWell(p, QPointF(943, 303), 35);
    DialWell(p, QPointF(1077, 303), 35);

    // Thin printed frames around the DSP group of each receiver.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x55, 0x56, 0x59), 0.8));
    p.drawRoundedRect(QRectF(878.5, 136.5, 126, 212), 5, 5);
    p.setPen(QPen(SubOrange.darker(230), 0.8));
    p.drawRoundedRect(QRectF(1012.5, 136.5, 128, 212), 5, 5);

    DrawPrints(p, Prints(size));
}

} // namespace

QList<TPrintedLegend> FT5000PrintedLegends()
{
    return PrintedLegends(Prints(FaceSize));
}

void RegisterFT5000Art()
{
    static std::once_flag once;
    std::call_once(once, [] {
        vx::art::Register(QStringLiteral("FT5KIMAGE"), FaceSize, PaintFace);
        for (int sub = 0; sub < 2; ++sub)
            for (int apf = 0; apf < 2; ++apf)
                vx::art::Register(QStringLiteral("FT5K_SLIDERS_%1%2")
                                      .arg(QLatin1Char(sub ? 'B' : 'A'))
                                      .arg(apf ? QLatin1String("_APF") : QLatin1String()),
                                  QSize(110, 9), [sub, apf](QPainter& p, const QSize& s) {
                                      PaintSliderCaptions(p, s, sub != 0, apf != 0);
                                  });

        const QColor none;
        RegisterStrip(QStringLiteral("FT5K_CAT"), QSize(12, 7), CATLamp());
        RegisterStrip(QStringLiteral("FT5K_POWER"), QSize(31, 52), PowerKey());
        RegisterStrip(QStringLiteral("FT5K_UPDOWN"), QSize(34, 28), RockerKey());
        RegisterStrip(QStringLiteral("FT5K_DIM"), QSize(27, 21), LampKey(LampAmber));
        RegisterStrip(QStringLiteral("FT5K_MOX"), QSize(26, 20), LampKey(LampRed));
        RegisterStrip(QStringLiteral("FT5K_OVAL_BLACK"), QSize(32, 21), OvalKey(none));
        RegisterStrip(QStringLiteral("FT5K_OVAL_RED"), QSize(32, 21), OvalKey(LampRed));
        RegisterStrip(QStringLiteral("FT5K_OVAL_ORANGE"), QSize(32, 21), OvalKey(LampOrange));
        RegisterStrip(QStringLiteral("FT5K_DNR_RED"), QSize(16, 16), RoundKey(LampRed));
        RegisterStrip(QStringLiteral("FT5K_DNR_ORANGE"), QSize(16, 16), RoundKey(LampOrange));

        // Band keys carry the band's frequency in MHz, as on the radio.
        const struct {
            const char* Name;
            const char* Legend;
        } bands[] = {
            {"FT5K_BAND_160M", "1.8"}, {"FT5K_BAND_80M", "3.5"}, {"FT5K_BAND_40M", "7"},  {"FT5K_BAND_30M", "10"},
            {"FT5K_BAND_20M", "14"},   {"FT5K_BAND_17M", "18"},  {"FT5K_BAND_15M", "21"}, {"FT5K_BAND_12M", "24.5"},
            {"FT5K_BAND_10M", "28"},   {"FT5K_BAND_GEN", "GEN"}, {"FT5K_BAND_6M", "50"},  {"FT5K_BAND_ENT", "ENT"},
        };
        for (const auto& b : bands)
            RegisterStrip(QString::fromLatin1(b.Name), QSize(33, 18), LegendKey(QString::fromLatin1(b.Legend), 9));

        const struct {
            const char* Name;
            QSize Size;
            const char* Legend;
            int Px;
            QColor Lamp;
        } keys[] = {
            {"FT5K_MODE_LSB", {48, 25}, "LSB", 9, LampAmber},
            {"FT5K_MODE_USB", {48, 25}, "USB", 9, LampAmber},
            {"FT5K_MODE_CW", {48, 25}, "CW", 9, LampAmber},
            {"FT5K_MODE_AM", {48, 25}, "AM/FM", 9, LampAmber},
            {"FT5K_MODE_RTTY", {48, 25}, "RTTY", 9, LampAmber},
            {"FT5K_MODE_PKT", {48, 25}, "PKT", 9, LampAmber},
            {"FT5K_NB", {48, 25}, "NB", 9, LampAmber},
            {"FT5K_SPOT", {48, 25}, "SPOT", 9, LampAmber},
            {"FT5K_KEYER", {48, 25}, "KEYER", 9, LampAmber},
            {"FT5K_BK_IN", {48, 25}, "BK-IN", 9, LampAmber},
            {"FT5K_DOWN", {48, 25}, "\u25bc DOWN", 9, none},
            {"FT5K_UP", {48, 25}, "UP \u25b2", 9, none},
            {"FT5K_STO", {47, 16}, "STO", 8, none},
            {"FT5K_RCL", {37, 16}, "RCL", 8, none},
            {"FT5K_NAR", {35, 17}, "NAR", 8, LampAmber},
            {"FT5K_SPLIT", {37, 16}, "SPLIT", 8, LampAmber},
            {"FT5K_TXW", {49, 17}, "TXW", 8, LampAmber},
            {"FT5K_CLASS_A", {38, 17}, "CLASS-A", 7, LampAmber},
            {"FT5K_A", {31, 17}, "A", 8, LampAmber},
            {"FT5K_B", {35, 21}, "B", 9, LampAmber},
            {"FT5K_LOCK", {35, 21}, "LOCK", 8, LampAmber},
            {"FT5K_FAST", {28, 17}, "FAST", 7, LampAmber},
            {"FT5K_A_B", {48, 17}, "A\u25b8B", 8, none},
            {"FT5K_A_SWAP_B", {38, 17}, "A\u25c2\u25b8B", 8, none},
            {"FT5K_V_M", {34, 17}, "V/M", 8, none},
            {"FT5K_M_A", {38, 17}, "M\u25b8A", 8, none},
            {"FT5K_A_M", {48, 17}, "A\u25b8M", 8, none},
            {"FT5K_MENU", {76, 20}, "MENU", 9, none},
        };
        for (const auto& k : keys)
            RegisterStrip(QString::fromLatin1(k.Name), k.Size, LegendKey(QString::fromUtf8(k.Legend), k.Px, k.Lamp));
    });
}
