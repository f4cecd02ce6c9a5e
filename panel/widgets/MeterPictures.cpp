#include "panel/widgets/MeterPictures.h"

#include "panel/FTxFont.h"
#include "panel/PanelColors.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <vector>

namespace {

const QColor ScaleWhite = BGRColor(0xD1D1D1);
const QColor ScaleRed = BGRColor(0x0000FF);
const QColor LabelBlue = BGRColor(lcd::clLabelBlue);

// ---- digital face -------------------------------------------------------------------------

// Centre x of bar segment s (1..31) inside a 155-pixel scale: the bars start 17 pixels in.
int SegmentX(double s)
{
    return int(std::lround(17 + 4 * (s - 1) + 1));
}

// A 3-pixel-wide capital font for the short scale names; M and W take five pixels.
void MiniLabel(QPainter& p, const QString& text, int x, int y, const QColor& color)
{
    static const QHash<QChar, std::vector<const char*>> glyphs = {
        {u'A', {"010", "101", "111", "101", "101"}}, {u'C', {"111", "100", "100", "100", "111"}},
        {u'D', {"110", "101", "101", "101", "110"}}, {u'I', {"111", "010", "010", "010", "111"}},
        {u'L', {"100", "100", "100", "100", "111"}}, {u'M', {"10001", "11011", "10101", "10001", "10001"}},
        {u'O', {"111", "101", "101", "101", "111"}}, {u'P', {"111", "101", "111", "100", "100"}},
        {u'R', {"110", "101", "110", "101", "101"}}, {u'S', {"111", "100", "111", "001", "111"}},
        {u'V', {"101", "101", "101", "101", "010"}}, {u'W', {"10001", "10001", "10101", "11011", "10001"}},
    };
    for (QChar c : text) {
        const auto it = glyphs.find(c);
        if (it == glyphs.end()) {
            x += 4;
            continue;
        }
        int w = 0;
        for (int row = 0; row < 5; ++row) {
            const char* bits = it.value()[size_t(row)];
            for (int col = 0; bits[col]; ++col) {
                if (bits[col] == '1')
                    p.fillRect(QRect(x + col, y + row, 1, 1), color);
                w = std::max(w, col + 1);
            }
        }
        x += w + 1;
    }
}

int MiniLabelWidth(const QString& text)
{
    int w = 0;
    for (QChar c : text)
        w += (c == u'M' || c == u'W') ? 6 : 4;
    return w - 1;
}

// A number of the stroke font centred on x.
void CentredNumber(QPainter& p, const QString& text, int cx, int y, const QColor& color)
{
    lcd::DrawText(p, text, cx - (lcd::TextAdvance(text) - 2) / 2, y, color);
}

// The infinity sign of the SWR scale, 7 pixels wide.
void Infinity(QPainter& p, int cx, int y, const QColor& color)
{
    static const char* const rows[3] = {"0110110", "1001001", "0110110"};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 7; ++c)
            if (rows[r][c] == '1')
                p.fillRect(QRect(cx - 3 + c, y + 1 + r, 1, 1), color);
}

struct TMark {
    double Segment;
    QString Text; // empty: a tick without a number; "inf": the infinity sign
    bool Major;
    bool Red;
};

// A 155 x 9 scale for the meter bar.  Below the bar the ruler and ticks come first and the
// numbers under them; above the bar the numbers come first.  The name sits left of the bar.
QImage BarScale(bool belowBar, const QString& name, const std::vector<TMark>& marks, double redFrom = 99,
                double zoneTo = 0)
{
    QImage img(155, 9, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    const int ruler = belowBar ? 0 : 8;
    const int dir = belowBar ? 1 : -1;
    const int textY = belowBar ? 4 : 0;
    const int redX = SegmentX(redFrom) - 2;
    for (int x = SegmentX(1) - 1; x <= SegmentX(31) + 1; ++x)
        p.fillRect(QRect(x, ruler, 1, 1), x >= redX ? ScaleRed : ScaleWhite);
    if (zoneTo > 0) // a solid band over the working range
        p.fillRect(QRect(SegmentX(1) - 1, ruler + dir, SegmentX(zoneTo) - SegmentX(1) + 2, 1), ScaleWhite);
    for (const TMark& m : marks) {
        const int x = SegmentX(m.Segment);
        const QColor color = m.Red ? ScaleRed : ScaleWhite;
        const int len = m.Major ? 3 : 2;
        for (int i = 1; i < len; ++i)
            p.fillRect(QRect(x, ruler + dir * i, 1, 1), color);
        if (m.Text == QLatin1String("inf"))
            Infinity(p, x, textY, color);
        else if (!m.Text.isEmpty())
            CentredNumber(p, m.Text, x, textY, color);
    }
    if (!name.isEmpty())
        MiniLabel(p, name, 1, 2, LabelBlue);
    return img;
}

// The 155 x 16 S-meter scale over the S-meter bar: S9 at segment 19, 10 dB per two segments.
QImage SMeterScale()
{
    QImage img(155, 16, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    const int ruler = 15;
    for (int x = SegmentX(1) - 1; x <= SegmentX(31) + 1; ++x)
        p.fillRect(QRect(x, ruler, 1, 1), x > SegmentX(19) + 1 ? ScaleRed : ScaleWhite);
    for (int unit = 1; unit <= 9; ++unit) {
        const int x = SegmentX(2 * unit + 1);
        const bool major = unit % 2 == 1;
        p.fillRect(QRect(x, major ? 10 : 12, 1, major ? 5 : 3), ScaleWhite);
        if (major)
            CentredNumber(p, QString::number(unit), x, 3, ScaleWhite);
    }
    for (int db = 10; db <= 60; db += 10) {
        const int x = SegmentX(19 + db / 5);
        const bool major = db % 20 == 0;
        p.fillRect(QRect(x, major ? 10 : 12, 1, major ? 5 : 3), ScaleRed);
        if (major)
            CentredNumber(p, QStringLiteral("+%1").arg(db), x, 3, ScaleRed);
    }
    lcd::DrawText(p, QStringLiteral("dB"), 146, 3, ScaleRed);
    lcd::DrawText(p, QStringLiteral("S"), 5, 9, LabelBlue);
    return img;
}

// The 17 x 6 name overlay left of the meter bar.
QImage NameOverlay(const QString& name)
{
    QImage img(17, 6, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    MiniLabel(p, name, std::max(0, (16 - MiniLabelWidth(name)) / 2), 0, LabelBlue);
    return img;
}

// Evenly spread labelled marks with an unlabelled tick between each pair.
std::vector<TMark> Even(std::initializer_list<const char*> labels, double first = 1, double last = 31)
{
    std::vector<TMark> marks;
    const int n = int(labels.size());
    int i = 0;
    for (const char* text : labels) {
        const double s = first + (last - first) * i / (n - 1);
        marks.push_back({s, QString::fromLatin1(text), true, false});
        if (i + 1 < n)
            marks.push_back({s + (last - first) / (n - 1) / 2, QString(), false, false});
        ++i;
    }
    return marks;
}

// ---- analog faces -------------------------------------------------------------------------

// The needle's geometry: an angle per reading and a point per radius, as the meter draws it.
struct TFaceGeometry {
    double W, H;
    static double Angle(double v) { return ((255 - v * 1.12) / 255) * 1.065 + 1.065; }
    QPointF Point(double r, double v) const
    {
        const double a = Angle(v);
        return {W * (r * std::cos(a)) / 100 + W / 2, H - H * (r * std::sin(a) - 20) / 80};
    }
};

void Arc(QPainter& p, const TFaceGeometry& g, double r, double v0, double v1, const QPen& pen)
{
    QPainterPath path(g.Point(r, v0));
    for (double v = v0; v <= v1; v += 2)
        path.lineTo(g.Point(r, v));
    path.lineTo(g.Point(r, v1));
    p.strokePath(path, pen);
}

void Tick(QPainter& p, const TFaceGeometry& g, double r0, double r1, double v, const QPen& pen)
{
    p.setPen(pen);
    p.drawLine(g.Point(r0, v), g.Point(r1, v));
}

void Label(QPainter& p, const TFaceGeometry& g, double r, double v, const QString& text, const QColor& color)
{
    const QPointF c = g.Point(r, v);
    QRectF box(c.x() - 12, c.y() - 5, 24, 10);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

QImage AnalogFace(int width, int height, bool wide)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(QColor(24, 24, 24));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Backlit face inside a dark bezel: warm amber, brightest under the scale's centre.
    const QRectF face(2.5, 2.5, width - 5, height - 5);
    QRadialGradient light(width / 2.0, height * 0.35, width * 0.75);
    light.setColorAt(0, wide ? QColor(255, 238, 196) : QColor(255, 222, 150));
    light.setColorAt(1, wide ? QColor(222, 186, 118) : QColor(214, 150, 64));
    p.setPen(QPen(QColor(60, 52, 40), 1));
    p.setBrush(light);
    p.drawRoundedRect(face, 4, 4);

    const TFaceGeometry g{double(width), double(height)};
    const QColor ink(30, 24, 16);
    const QColor red(200, 20, 10);
    const QPen inkPen(ink, 1.0);
    const QPen redPen(red, 1.4);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(7);
    font.setBold(true);
    font.setStretch(QFont::SemiCondensed);
    p.setFont(font);

    // S-meter arc: S9 at 135, then 20 dB per 40 counts.  The needle sweeps out almost to the
    // face's edges, so the last figure is set a little inwards.
    const double s9 = 135;
    const double rS = 74, rPO = 62, rSWR = 49, rALC = 38.5;
    Arc(p, g, rS, 0, s9, QPen(ink, 1.2));
    Arc(p, g, rS + 1, s9, 255, QPen(red, 2.4));
    for (int unit = 1; unit <= 9; ++unit) {
        const double v = s9 - (9 - unit) * 15;
        Tick(p, g, rS, unit % 2 ? rS + 4.5 : rS + 3, v, inkPen);
        if (unit % 2)
            Label(p, g, rS + 9, v, QString::number(unit), ink);
    }
    for (int db = 10; db <= 60; db += 10) {
        const double v = s9 + db * 2;
        Tick(p, g, rS, db % 20 ? rS + 3 : rS + 4.5, v, QPen(red, 1.0));
        if (db % 20 == 0)
            Label(p, g, rS + 9, v - (db == 60 ? 16 : 0), QStringLiteral("+%1").arg(db), red);
    }
    Label(p, g, rS + 1, -12, QStringLiteral("S"), ink);
    Label(p, g, rS - 5, 250, QStringLiteral("dB"), red);

    // Power output.
    Arc(p, g, rPO, 0, 255, QPen(ink, 0.9));
    const std::vector<std::pair<double, const char*>> po = wide
        ? std::vector<std::pair<double, const char*>>{{0, "0"}, {60, "50"}, {120, "100"}, {185, "150"}, {250, "200"}}
        : std::vector<std::pair<double, const char*>>{{0, "0"}, {50, "10"}, {100, "25"}, {160, "50"}, {250, "100"}};
    for (const auto& [v, text] : po) {
        Tick(p, g, rPO, rPO + 3, v, inkPen);
        Label(p, g, rPO - 5.5, v + (v > 200 ? -10 : (v < 10 ? 5 : 0)), QString::fromLatin1(text), ink);
    }
    Label(p, g, rPO + 1, -20, QStringLiteral("PO"), ink);

    // SWR.
    Arc(p, g, rSWR, 0, 255, QPen(ink, 0.9));
    Arc(p, g, rSWR + 0.8, 150, 255, QPen(red, 1.8));
    const std::pair<double, const char*> swr[] = {{0, "1"}, {60, "1.5"}, {100, "2"}, {150, "3"}, {255, ""}};
    for (const auto& [v, text] : swr) {
        Tick(p, g, rSWR, rSWR + 3, v, inkPen);
        const QColor color = v >= 150 ? red : ink;
        if (v == 255) { // infinity as two small loops
            const QPointF c = g.Point(rSWR - 5, v - 8);
            p.setPen(QPen(color, 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c + QPointF(-1.9, 0), 1.9, 1.5);
            p.drawEllipse(c + QPointF(1.9, 0), 1.9, 1.5);
            continue;
        }
        Label(p, g, rSWR - 5.5, v + (v < 10 ? 5 : 0), QString::fromLatin1(text), color);
    }
    Label(p, g, rSWR + 1, -30, QStringLiteral("SWR"), ink);

    // ALC working range.
    Arc(p, g, rALC, 0, 255, QPen(ink, 0.7));
    Arc(p, g, rALC, 0, 95, QPen(ink, 2.4));
    Label(p, g, rALC + 1, -40, QStringLiteral("ALC"), ink);

    // The needle's pivot sits under a dark cover at the bottom of the face.
    QPainterPath cover(g.Point(33, -70));
    for (double v = -70; v <= 325; v += 5)
        cover.lineTo(g.Point(33, v));
    cover.lineTo(width - 2.5, height - 2.5);
    cover.lineTo(2.5, height - 2.5);
    cover.closeSubpath();
    QLinearGradient shade(0, height * 0.7, 0, height);
    shade.setColorAt(0, QColor(58, 52, 44));
    shade.setColorAt(1, QColor(20, 18, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.setClipRect(face);
    p.drawPath(cover);
    return img;
}

QImage Build(const QString& name)
{
    if (name == QLatin1String("FT950_METER_1_SMETER"))
        return SMeterScale();
    if (name == QLatin1String("FT950_METER_5_PO"))
        return BarScale(true, QStringLiteral("PO"), Even({"0", "25", "50", "75", "100"}));
    if (name == QLatin1String("FT950_METER_3_COMP"))
        return BarScale(true, QString(), Even({"0", "5", "10", "15", "20"}), 23.5);
    if (name == QLatin1String("FT950_METER_3_COMP_2"))
        return NameOverlay(QStringLiteral("COMP"));
    if (name == QLatin1String("FT950_METER_4_ALC"))
        return BarScale(false, QStringLiteral("ALC"), Even({"", "", "", "", ""}), 99, 13);
    if (name == QLatin1String("FT950_METER_5_PO_FT2000"))
        return BarScale(true, QStringLiteral("PO"), Even({"0", "25", "50", "75", "100"}));
    if (name == QLatin1String("FTDX5000_METER_PO"))
        return BarScale(true, QStringLiteral("PO"), Even({"0", "50", "100", "150", "200"}));
    if (name == QLatin1String("FT950_METER_6_SWR"))
        return BarScale(true, QString(),
                        {{1, QStringLiteral("1"), true, false},
                         {5, QString(), false, false},
                         {9, QStringLiteral("1.5"), true, false},
                         {13, QString(), false, false},
                         {16, QStringLiteral("2"), true, false},
                         {22, QStringLiteral("3"), true, true},
                         {31, QStringLiteral("inf"), true, true}},
                        19);
    if (name == QLatin1String("FT950_METER_6_SWR_2"))
        return NameOverlay(QStringLiteral("SWR"));
    if (name == QLatin1String("FT950_METER_7_ID_FT2000"))
        return BarScale(true, QString(), Even({"0", "5", "10", "15", "20", "25"}));
    if (name == QLatin1String("FT950_METER_7_ID"))
        return BarScale(true, QString(), Even({"0", "5", "10", "15", "20"}));
    if (name == QLatin1String("FT950_METER_7_ID_2"))
        return NameOverlay(QStringLiteral("ID"));
    if (name == QLatin1String("FT950_METER_8_VDD"))
        return BarScale(false, QStringLiteral("VDD"), Even({"0", "5", "10", "15"}, 1, 31));
    if (name == QLatin1String("FT2000_METER"))
        return AnalogFace(155, 85, false);
    if (name == QLatin1String("FTDX5000_METER"))
        return AnalogFace(180, 68, true);
    return QImage();
}

} // namespace

const QImage& MeterPicture(const QString& name)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, Build(name));
    return it.value();
}
