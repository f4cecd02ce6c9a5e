#include "client/widgets/PlotPanel.h"

#include "client/CoordMapping.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// The "0.##" text of a value: at most two decimals, no trailing zeros.
QString FormatValue(double v)
{
    QString s = QString::number(v, 'f', 2);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

// The "0.##e-0" (digits 1) or "0.##e-00" (digits 2) text: a sign only for a negative exponent.
QString FormatExponent(double v, int digits)
{
    if (v == 0 || !std::isfinite(v))
        return FormatValue(v);
    int e = int(std::floor(std::log10(std::fabs(v))));
    double m = v / std::pow(10.0, e);
    if (std::fabs(std::round(m * 100) / 100) >= 10) {
        m /= 10;
        ++e;
    }
    return FormatValue(m) + QLatin1Char('e') + (e < 0 ? QStringLiteral("-") : QString())
           + QStringLiteral("%1").arg(std::abs(e), digits, 10, QLatin1Char('0'));
}

// The next value of a logarithmic walk after the step with counter g in the decade of d:
// whole multiples of the decade, finer fractions on narrow ranges.
double NextLogValue(double d, int g, double span)
{
    if (span < 0.15)
        return d * (g / 20.0 + 1);
    if (span < 0.302)
        return d * (g / 10.0 + 1);
    if (span < 0.45)
        return d * (g / 5.0 + 1);
    if (span < 0.64)
        return d * (g / 2.0 + 1);
    return d * g;
}

// The first decade of a logarithmic walk: the largest power of ten at or below the minimum.
double FirstDecade(double lo)
{
    int a = 19;
    const double l = std::log10(lo);
    while (a >= -20 && !(l >= a))
        --a;
    return std::pow(10.0, a);
}

// Clips a segment to a rectangle (Liang-Barsky); false when nothing of it lies inside.
bool ClipLine(QLineF& line, const QRectF& r)
{
    double t0 = 0, t1 = 1;
    const double dx = line.dx(), dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - r.left(), r.right() - line.x1(), line.y1() - r.top(), r.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF a = line.p1();
    line = QLineF(a.x() + t0 * dx, a.y() + t0 * dy, a.x() + t1 * dx, a.y() + t1 * dy);
    return true;
}

constexpr int MaxGridSteps = 100000;

// The values of a linear grid: at most one line per 8 pixels (a finer step is widened, and the
// caller keeps the wider one), from the first multiple of the step at or above the minimum.
QVector<double> LinearGridValues(double min, double max, double& interval, double& start, int extent)
{
    if (extent > 0 && (max - min) / interval > extent / 8.0)
        interval = (max - min) * 8 / extent;
    start = interval * RoundHalfEven(min / interval + 0.4999);
    const double end = max + std::fabs(max) * 1e-6;
    QVector<double> values;
    for (int i = 0; i < MaxGridSteps; ++i) {
        const double v = start + i * interval;
        if (v > end)
            break;
        values << v;
    }
    return values;
}

// The walk of a logarithmic axis from the decade at or below lo: each decade start, then the
// value each step produces (counter g), up to the next decade or past hi.  The walk goes on to
// the next decade while it lies at or below hi (lastDecadeAtMax) or below it.
template <typename Decade, typename Step>
void LogWalk(double lo, double hi, bool lastDecadeAtMax, Decade onDecade, Step onStep)
{
    const double span = std::log10(hi) - std::log10(lo);
    if (!(span > 0))
        return;
    double d = FirstDecade(lo);
    for (int steps = 0; steps < MaxGridSteps;) {
        onDecade(d);
        int k = 0;
        double v = d;
        do {
            const int g = k + 1 + (span > 4 ? 1 : 0);
            k = g;
            v = NextLogValue(d, g, span);
            onStep(v, g, d);
        } while (!(v >= 10 * d || v > hi) && ++steps < MaxGridSteps);
        if (lastDecadeAtMax ? 10 * d > hi : 10 * d >= hi)
            break;
        d *= 10;
    }
}

// Grid values of a logarithmic axis: every decade start and step value in lo .. hi.
QVector<double> LogGridValues(double lo, double hi)
{
    QVector<double> values;
    const auto add = [&](double v) {
        if (v >= lo && v <= hi && (values.isEmpty() || values.last() != v))
            values << v;
    };
    LogWalk(lo, hi, true, add, [&](double v, int, double d) {
        if (v < 10 * d)
            add(v);
    });
    return values;
}

} // namespace

TPlotPanel::TPlotPanel(QWidget* owner)
    : QWidget(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(300, 200);
}

// Property setters: store the value and draw the whole picture again.
#define VX_PLOT_SETTER(Name, Field, Type)        \
    void TPlotPanel::Set##Name(Type value)       \
    {                                            \
        if (Field == value)                      \
            return;                              \
        Field = value;                           \
        Redraw();                                \
    }

VX_PLOT_SETTER(Color, FColor, const QColor&)
VX_PLOT_SETTER(BevelOuter, FBevelOuter, bool)
VX_PLOT_SETTER(BackColor, FBackColor, const QColor&)
VX_PLOT_SETTER(GridColor, FGridColor, const QColor&)
VX_PLOT_SETTER(Margin, FMargin, int)
VX_PLOT_SETTER(PlotMode, FPlotMode, TPlotMode)
VX_PLOT_SETTER(PlotPen, FPlotPen, const QPen&)
VX_PLOT_SETTER(Title, FTitle, const QString&)
VX_PLOT_SETTER(XScaleLog, FXScaleLog, bool)
VX_PLOT_SETTER(YScaleLog, FYScaleLog, bool)
VX_PLOT_SETTER(XMarks, FXMarks, bool)
VX_PLOT_SETTER(YMarks, FYMarks, bool)
VX_PLOT_SETTER(XMarksFont, FXMarksFont, const QFont&)
VX_PLOT_SETTER(YMarksFont, FYMarksFont, const QFont&)
VX_PLOT_SETTER(XMarksColor, FXMarksColor, const QColor&)
VX_PLOT_SETTER(YMarksColor, FYMarksColor, const QColor&)
#undef VX_PLOT_SETTER

namespace {

// Range rules: a minimum at or above the maximum moves the maximum to minimum + 1, and the other
// way round.  False for a value that is no finite number (nothing changes).
bool SetLow(double& low, double& high, double value)
{
    if (!std::isfinite(value))
        return false;
    low = value;
    if (low >= high)
        high = low + 1;
    return true;
}

bool SetHigh(double& low, double& high, double value)
{
    if (!std::isfinite(value))
        return false;
    high = value;
    if (high <= low)
        low = high - 1;
    return true;
}

// A step of 0 would never end the grid; a negative one would walk away from it.
bool SetStep(double& interval, double value)
{
    if (!std::isfinite(value))
        return false;
    interval = value == 0 ? 1 : std::fabs(value);
    return true;
}

} // namespace

void TPlotPanel::SetXMin(double value)
{
    if (SetLow(FXMin, FXMax, value))
        Redraw();
}

void TPlotPanel::SetXMax(double value)
{
    if (SetHigh(FXMin, FXMax, value))
        Redraw();
}

void TPlotPanel::SetYMin(double value)
{
    if (SetLow(FYMin, FYMax, value))
        Redraw();
}

void TPlotPanel::SetYMax(double value)
{
    if (SetHigh(FYMin, FYMax, value))
        Redraw();
}

void TPlotPanel::SetXInterval(double value)
{
    if (SetStep(FXInterval, value))
        Redraw();
}

void TPlotPanel::SetYInterval(double value)
{
    if (SetStep(FYInterval, value))
        Redraw();
}

double TPlotPanel::LogXMin() const
{
    return FXMin <= 0 ? 0.1 : FXMin;
}

double TPlotPanel::LogXMax() const
{
    return FXMax <= 0 ? 1 : FXMax;
}

double TPlotPanel::LogYMin() const
{
    return FYMin <= 0 ? 0.1 : FYMin;
}

double TPlotPanel::LogYMax() const
{
    return FYMax <= 0 ? 1 : FYMax;
}

void TPlotPanel::ComputeScales()
{
    FMarginTop = FMargin;
    if (!FTitle.isEmpty())
        FMarginTop = QFontMetrics(font()).height() + FMargin + 2;
    FMarginBottom = FXMarks ? QFontMetrics(FXMarksFont).height() + FMargin + 4 : FMargin;
    FMarginLeft = FYMarks ? FMargin + 22 : FMargin;
    if (FYMarks) {
        // The labels right of the frame's edge must fit in the margin: wider ones (long
        // negative values in a wide font) widen it.
        const QFontMetrics fm(FYMarksFont);
        int widest = 0;
        for (const double v : {FYMin, FYMax}) {
            const QString text = (v < 1000 ? FormatValue(v) : FormatExponent(v, FYScaleLog ? 1 : 2)) + FYTitle;
            widest = std::max(widest, fm.horizontalAdvance(text));
        }
        FMarginLeft = std::max(FMarginLeft, widest + 6);
    }
    FMarginRight = 15;
    FR2Width = width() - FMarginLeft - FMarginRight;
    FR2Height = height() - FMarginTop - FMarginBottom;
    if (FXMax == FXMin)
        FXMax += 2e-16;
    if (FYMax == FYMin)
        FYMax += 3e-16;
    const double xSpan = FXScaleLog ? std::log10(LogXMax()) - std::log10(LogXMin()) : FXMax - FXMin;
    const double ySpan = FYScaleLog ? std::log10(LogYMax()) - std::log10(LogYMin()) : FYMax - FYMin;
    FXqnt = xSpan != 0 ? FR2Width / xSpan : 0;
    FYqnt = ySpan != 0 ? FR2Height / ySpan : 0;
    if (!std::isfinite(FXqnt))
        FXqnt = 0;
    if (!std::isfinite(FYqnt))
        FYqnt = 0;
    FRPlotLeft = FMarginLeft;
    FRPlotTop = FMarginTop;
    FRPlotRight = width() - FMarginRight;
    FRPlotBottom = height() - FMarginBottom;
}

double TPlotPanel::XPixel(double stored) const
{
    const double x0 = FXScaleLog ? std::log10(LogXMin()) : FXMin;
    return FMarginLeft + (stored - x0) * FXqnt;
}

double TPlotPanel::YPixel(double stored) const
{
    const double y0 = FYScaleLog ? std::log10(LogYMin()) : FYMin;
    return height() - FMarginBottom - (stored - y0) * FYqnt;
}

int TPlotPanel::BandEdgeX(double value) const
{
    // The band follows the axis' own mapping, so it lies under the grid on either scale.
    const double stored = FXScaleLog ? std::log10(value) : value;
    const int x = RoundHalfEven(XPixel(stored));
    return std::clamp(x, FRPlotLeft, FRPlotRight);
}

void TPlotPanel::Redraw()
{
    if (width() <= 0 || height() <= 0)
        return;
    ComputeScales();
    const QSize physical(qMax(1, qRound(width() * FDpr)), qMax(1, qRound(height() * FDpr)));
    FBorderBMP = QImage(physical, QImage::Format_ARGB32_Premultiplied);
    FBorderBMP.setDevicePixelRatio(FDpr);
    FPlotBMP = QImage(physical, QImage::Format_ARGB32_Premultiplied);
    FPlotBMP.setDevicePixelRatio(FDpr);
    FPlotBMP.fill(FColor);
    FMarks = TMarks();
    {
        QPainter p(&FBorderBMP);
        p.fillRect(QRect(0, 0, width(), height()), FColor);
        if (FBevelOuter) {
            p.setPen(FColor.lighter(160));
            p.drawLine(0, 0, width() - 1, 0);
            p.drawLine(0, 0, 0, height() - 1);
            p.setPen(FColor.darker(160));
            p.drawLine(0, height() - 1, width() - 1, height() - 1);
            p.drawLine(width() - 1, 0, width() - 1, height() - 1);
        }
        const QRect plot = PlotRect();
        if (plot.width() > 0 && plot.height() > 0) {
            p.fillRect(plot, FBackColor);
            p.setPen(QPen(FGridColor, 1));
            p.drawRect(plot.adjusted(0, 0, -1, -1));
        }
        DrawBand(p);
        p.setPen(QPen(FGridColor, 1));
        if (FYScaleLog)
            DrawLogGridY(p);
        else
            DrawLinearGridY(p);
        if (FXScaleLog)
            DrawLogGridX(p);
        else
            DrawLinearGridX(p);
        DrawBandLines(p);
        p.setRenderHint(QPainter::TextAntialiasing);
        DrawTitle(p);
        if (FXMarks) {
            if (FXScaleLog)
                DrawLogXLabels(p);
            else
                DrawLinearXLabels(p);
        }
        if (FYMarks) {
            if (FYScaleLog)
                DrawLogYLabels(p);
            else
                DrawLinearYLabels(p);
        }
    }
    CopyPlotRect(FBorderBMP, FPlotBMP);
    const bool frozen = FFreeze;
    FFreeze = true;
    for (int n = 0; n < LayerCount; ++n) {
        const TLayer& layer = FLayers[n];
        if (layer.Length <= 1)
            continue;
        FClr = true;
        for (int i = 1; i < layer.Length; ++i)
            DrawPoint(layer.Points[i], n);
    }
    FFreeze = frozen;
    CopyPlotRect(FPlotBMP, FBorderBMP);
    if (!FFreeze)
        update();
}

void TPlotPanel::CopyPlotRect(QImage& from, QImage& to)
{
    const QRect r = PlotRect();
    if (r.width() <= 0 || r.height() <= 0 || from.isNull() || to.isNull())
        return;
    QPainter p(&to);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QRectF source(r.x() * FDpr, r.y() * FDpr, r.width() * FDpr, r.height() * FDpr);
    p.drawImage(QRectF(r), from, source);
}

void TPlotPanel::DrawLinearGridX(QPainter& p)
{
    FMarks.XGrid = LinearGridValues(FXMin, FXMax, FXInterval, FXStart, width());
    for (const double v : FMarks.XGrid) {
        const int x = FMarginLeft + RoundHalfEven((v - FXMin) * FXqnt);
        p.drawLine(x, FMarginTop, x, height() - FMarginBottom);
    }
}

void TPlotPanel::DrawLinearGridY(QPainter& p)
{
    FMarks.YGrid = LinearGridValues(FYMin, FYMax, FYInterval, FYStart, height());
    for (const double v : FMarks.YGrid) {
        const int y = height() - FMarginBottom - RoundHalfEven((v - FYMin) * FYqnt);
        p.drawLine(FMarginLeft, y, width() - FMarginRight, y);
    }
}

void TPlotPanel::DrawLogGridX(QPainter& p)
{
    FMarks.XGrid = LogGridValues(LogXMin(), LogXMax());
    for (const double v : FMarks.XGrid) {
        const int x = FMarginLeft + RoundHalfEven((std::log10(v) - std::log10(LogXMin())) * FXqnt);
        p.drawLine(x, FMarginTop, x, height() - FMarginBottom);
    }
}

void TPlotPanel::DrawLogGridY(QPainter& p)
{
    FMarks.YGrid = LogGridValues(LogYMin(), LogYMax());
    for (const double v : FMarks.YGrid) {
        const int y = height() - FMarginBottom - RoundHalfEven((std::log10(v) - std::log10(LogYMin())) * FYqnt);
        p.drawLine(FMarginLeft, y, width() - FMarginRight, y);
    }
}

void TPlotPanel::DrawBand(QPainter& p)
{
    if (!(FBandwidthLow > 0 && FBandwidthHigh > 0))
        return;
    FMarks.BandLeft = BandEdgeX(FBandwidthLow);
    FMarks.BandRight = BandEdgeX(FBandwidthHigh);
    const int left = std::min(FMarks.BandLeft, FMarks.BandRight);
    const int right = std::max(FMarks.BandLeft, FMarks.BandRight);
    p.fillRect(QRect(left, FRPlotTop + 1, right - left, FRPlotBottom - 1 - (FRPlotTop + 1)), FBandwidthBackColor);
}

void TPlotPanel::DrawBandLines(QPainter& p)
{
    if (!(FBandwidthLow > 0 && FBandwidthHigh > 0))
        return;
    p.save();
    p.setPen(QPen(FBandwidthColor, 2));
    for (const int x : {FMarks.BandLeft, FMarks.BandRight})
        p.drawLine(x, FMarginTop, x, height() - FMarginBottom - 1);
    // The width in whole tens: 2405.6 Hz reads 2400.
    const int bandwidth = RoundHalfEven(FBandwidthHigh - FBandwidthLow) / 10 * 10;
    FMarks.BandText = QStringLiteral("  Bandwidth %1 Hz  ").arg(bandwidth);
    QFont font = FYMarksFont;
    font.setBold(true);
    p.setFont(font);
    const QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(FMarks.BandText);
    const int x = (FMarks.BandLeft + FMarks.BandRight) / 2 - w / 2;
    const int top = FRPlotBottom - fm.height() - 4;
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(FBandwidthBackColor);
    p.setPen(FBandwidthColor);
    p.drawText(QRect(x, top, w, fm.height()), Qt::AlignCenter, FMarks.BandText);
    p.setBackgroundMode(Qt::TransparentMode);
    p.restore();
}

void TPlotPanel::DrawTitle(QPainter& p)
{
    if (FTitle.isEmpty())
        return;
    p.setFont(font());
    const QFontMetrics fm(font());
    const int bevel = FBevelOuter ? 1 : 0;
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, 2 * bevel + FMargin / 2, width(), fm.height()), Qt::AlignHCenter | Qt::AlignTop, FTitle);
}

void TPlotPanel::DrawLinearXLabels(QPainter& p)
{
    p.setFont(FXMarksFont);
    p.setPen(FXMarksColor);
    const QFontMetrics fm(FXMarksFont);
    for (const double v : FMarks.XGrid) {
        const QString text = FormatValue(v) + FXTitle;
        const int x = FMarginLeft + RoundHalfEven((v - FXMin) * FXqnt);
        const int w = fm.horizontalAdvance(text);
        p.drawText(QRect(x - w / 2 - 1, height() - FMarginBottom + 3, w + 2, fm.height()), Qt::AlignCenter, text);
        FMarks.XLabels << TAxisLabel{v, x, text};
    }
}

void TPlotPanel::DrawYLabel(QPainter& p, double value, int y, const QString& text)
{
    const QFontMetrics fm(FYMarksFont);
    const int top = height() - FMarginBottom - fm.height() / 2 - y;
    const int right = FMarginLeft - 4;
    p.drawText(QRect(0, top, right, fm.height()), Qt::AlignRight | Qt::AlignVCenter, text);
    FMarks.YLabels << TAxisLabel{value, top + fm.height() / 2, text};
}

void TPlotPanel::DrawLinearYLabels(QPainter& p)
{
    p.setFont(FYMarksFont);
    p.setPen(FYMarksColor);
    for (const double v : FMarks.YGrid) {
        const QString text = (v < 1000 ? FormatValue(v) : FormatExponent(v, 2)) + FYTitle;
        DrawYLabel(p, v, RoundHalfEven((v - FYMin) * FYqnt), text);
    }
}

void TPlotPanel::DrawLogXLabels(QPainter& p)
{
    const double lo = LogXMin(), hi = LogXMax();
    p.setFont(FXMarksFont);
    p.setPen(FXMarksColor);
    const QFontMetrics fm(FXMarksFont);
    const auto xOf = [&](double v) { return FMarginLeft + RoundHalfEven((std::log10(v) - std::log10(lo)) * FXqnt); };
    const auto draw = [&](double v, const QString& text) {
        const int x = xOf(v);
        const int w = fm.horizontalAdvance(text);
        p.drawText(QRect(x - w / 2 - 1, height() - FMarginBottom + 3, w + 2, fm.height()), Qt::AlignCenter, text);
        FMarks.XLabels << TAxisLabel{v, x, text};
    };
    double lastX = 0;
    LogWalk(lo, hi, false, [&](double d) {
        if (d >= lo)
            draw(d, FormatValue(d) + FXTitle);
    }, [&](double v, int g, double d) {
        if (!(v >= lo && v < hi && g % 2 == 0))
            return;
        const QString text = v == 4000 ? QStringLiteral("4000 Hz") : FormatValue(v) + FXTitle;
        const int x = xOf(v);
        const int w = fm.horizontalAdvance(text);
        // The next decade's label is drawn whatever its neighbours: a step label that would run
        // into it is left out.
        const double next = 10 * d;
        const bool clear = next >= hi || xOf(next) - x > (w + fm.horizontalAdvance(FormatValue(next) + FXTitle)) / 2 + 4;
        if (x - lastX > 2.6 * w && clear) {
            draw(v, text);
            lastX = x;
        }
    });
}

void TPlotPanel::DrawLogYLabels(QPainter& p)
{
    const double lo = LogYMin(), hi = LogYMax();
    p.setFont(FYMarksFont);
    p.setPen(FYMarksColor);
    const QFontMetrics fm(FYMarksFont);
    const auto yOf = [&](double v) { return RoundHalfEven((std::log10(v) - std::log10(lo)) * FYqnt); };
    const auto text = [&](double v) { return (v < 1000 ? FormatValue(v) : FormatExponent(v, 1)) + FYTitle; };
    double lastY = 0;
    LogWalk(lo, hi, false, [&](double d) {
        if (d >= lo)
            DrawYLabel(p, d, yOf(d), text(d));
    }, [&](double v, int g, double) {
        if (!(v >= lo && v < hi && g % 2 == 0))
            return;
        const int y = yOf(v);
        if (fm.height() < y - lastY) {
            DrawYLabel(p, v, y, text(v));
            lastY = y;
        }
    });
}

void TPlotPanel::AddXY(double X, double Y, const QColor& AColour, int Layer)
{
    if (!std::isfinite(X) || !std::isfinite(Y))
        return;
    if (FXScaleLog)
        X = std::log10(X <= 0 ? 1e-50 : X);
    if (FYScaleLog)
        Y = std::log10(Y <= 0 ? 1e-50 : Y);
    const int n = Layer & 7;
    TLayer& layer = FLayers[n];
    if (layer.Length == 1)
        FClr = true;
    ++layer.Length;
    if (layer.Points.size() < layer.Length)
        layer.Points.resize(layer.Length);
    layer.Points[layer.Length - 1] = TPoint{X, Y, AColour};
    DrawPoint(layer.Points[layer.Length - 1], n);
    if (!FFreeze)
        update();
}

void TPlotPanel::AddXY(double X, double Y)
{
    FLayerOption = false;
    AddXY(X, Y, FPlotPen.color(), 0);
}

void TPlotPanel::DrawPoint(const TPoint& point, int n)
{
    TLayer& layer = FLayers[n];
    if (FPlotBMP.isNull())
        return;
    const double px = XPixel(point.X);
    const double py = YPixel(point.Y);
    QPen pen = FPlotPen;
    pen.setColor(point.Colour);
    int size = qMax(1, pen.width());
    if (FLayerOption) {
        FPlotMode = layer.Mode;
        if (FPlotMode == pmDot)
            size = qMax(1, layer.PenWidth);
        else
            pen.setWidth(layer.PenWidth);
    }
    // Coordinates far outside the picture are clipped here: the rasteriser is exact only
    // within a limited range.
    const QRectF bounds(-50, -50, width() + 100, height() + 100);
    QPainter p(&FPlotBMP);
    p.setRenderHint(QPainter::Antialiasing);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    const QPointF at(RoundHalfEven(px), RoundHalfEven(py));
    switch (FPlotMode) {
    case pmDot:
        if (bounds.contains(at))
            p.fillRect(QRectF(at.x() - size / 2.0, at.y() - size / 2.0, size, size), point.Colour);
        break;
    case pmLine:
        if (FClr) {
            FClr = false;
        } else {
            QLineF line(QPointF(RoundHalfEven(layer.LastX), RoundHalfEven(layer.LastY)), at);
            if (ClipLine(line, bounds)) {
                p.setPen(pen);
                p.drawLine(line);
            }
        }
        layer.LastX = px;
        layer.LastY = py;
        break;
    case pmBar: {
        const double zero = FYScaleLog ? std::log10(LogYMin()) : FYMin;
        QLineF line(at.x(), height() - FMarginBottom - RoundHalfEven((0 - zero) * FYqnt), at.x(), at.y());
        if (ClipLine(line, bounds)) {
            p.setPen(pen);
            p.drawLine(line);
        }
        break;
    }
    }
    p.end();
    if (!FFreeze)
        CopyPlotRect(FPlotBMP, FBorderBMP);
}

void TPlotPanel::ClearData()
{
    for (TLayer& layer : FLayers) {
        layer.Points = QVector<TPoint>{TPoint()};
        layer.Length = 1;
    }
    Redraw();
}

void TPlotPanel::Freeze(bool Value)
{
    FFreeze = Value;
    if (!FFreeze) {
        // Points drawn while frozen join the picture now.
        CopyPlotRect(FPlotBMP, FBorderBMP);
        update();
    }
}

void TPlotPanel::HideLayer(int Layer)
{
    FLayers[Layer & 7].Length = 1;
    Redraw();
}

void TPlotPanel::UnHideLayer(int Layer)
{
    TLayer& layer = FLayers[Layer & 7];
    layer.Length = int(layer.Points.size());
    Redraw();
}

void TPlotPanel::LayerOptions(int Layer, TPlotMode APlotMode, int PenWidth)
{
    TLayer& layer = FLayers[Layer & 7];
    layer.Mode = APlotMode;
    layer.PenWidth = PenWidth;
    FLayerOption = true;
}

void TPlotPanel::AutoScale(int Layer)
{
    const TLayer& layer = FLayers[Layer & 7];
    if (layer.Length <= 2)
        return;
    double xlo = layer.Points[1].X, xhi = layer.Points[1].X * 1.001;
    double ylo = layer.Points[1].Y, yhi = layer.Points[1].Y * 1.001;
    if (xhi < xlo)
        std::swap(xlo, xhi);
    if (yhi < ylo)
        std::swap(ylo, yhi);
    for (int i = 2; i < layer.Length; ++i) {
        xlo = std::min(xlo, layer.Points[i].X);
        xhi = std::max(xhi, layer.Points[i].X);
        ylo = std::min(ylo, layer.Points[i].Y);
        yhi = std::max(yhi, layer.Points[i].Y);
    }
    if (FXScaleLog) {
        xlo = std::pow(10.0, xlo);
        xhi = std::pow(10.0, xhi);
    }
    if (FYScaleLog) {
        ylo = std::pow(10.0, ylo);
        yhi = std::pow(10.0, yhi);
    }
    // A tenth of the span rounded up at its first two digits.
    const auto interval = [](double span) {
        if (!(span > 0) || !std::isfinite(span))
            return 1.0;
        double f = 1;
        while (span * f >= 100)
            f /= 10;
        while (span * f < 10)
            f *= 10;
        return RoundHalfEven(span * f / 10 + 0.4999) / f;
    };
    if (std::isfinite(xlo) && std::isfinite(xhi) && xhi > xlo) {
        FXMin = xlo;
        FXMax = xhi;
        FXInterval = interval(xhi - xlo);
    }
    if (std::isfinite(ylo) && std::isfinite(yhi) && yhi > ylo) {
        FYMin = ylo;
        FYMax = yhi;
        FYInterval = interval(yhi - ylo);
    }
    Redraw();
}

bool TPlotPanel::ConvertS2W(int X, int Y, double& WX, double& WY) const
{
    const double dx = X - FMarginLeft;
    const double dy = height() - FMarginBottom - Y;
    if (FXScaleLog)
        WX = FXqnt != 0 ? LogXMin() * std::pow(10.0, dx / FXqnt) : LogXMin();
    else
        WX = FXqnt != 0 ? FXMin + dx / FXqnt : FXMin;
    if (FYScaleLog)
        WY = FYqnt != 0 ? LogYMin() * std::pow(10.0, dy / FYqnt) : LogYMin();
    else
        WY = FYqnt != 0 ? FYMin + dy / FYqnt : FYMin;
    return WX >= FXMin && WX <= FXMax && WY >= FYMin && WY <= FYMax;
}

void TPlotPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Drawn at the pixel ratio of what is painted on, so a render at ratio 2 stays sharp.
    const qreal dpr = qMax<qreal>(1.0, p.device()->devicePixelRatioF());
    if (FBorderBMP.isNull() || dpr != FDpr || FBorderBMP.deviceIndependentSize().toSize() != size()) {
        FDpr = dpr;
        const bool frozen = FFreeze;
        FFreeze = true; // no update() from inside painting
        Redraw();
        FFreeze = frozen;
    }
    p.drawImage(QPointF(0, 0), FBorderBMP);
}

void TPlotPanel::resizeEvent(QResizeEvent*)
{
    Redraw();
}
