// The plot control: ranges, grids and labels on both scales, the shaded band, layers and the
// offscreen pictures.
#include "client/CoordMapping.h"
#include "client/widgets/PlotPanel.h"
#include "controls/widgets/DPIForm.h"

#include "ClientTestUtils.h"

#include <QSet>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QColor At(const TPlotPanel& plot, double x, double y)
{
    return plot.PlotBMP().pixelColor(QPoint(qRound(x), qRound(y)));
}

// Pixel of a value on a linear axis of the plot (what the grid uses).
double PX(const TPlotPanel& p, double v)
{
    return p.PlotRect().left() + (v - p.XMin()) * p.PlotRect().width() / (p.XMax() - p.XMin());
}
double PY(const TPlotPanel& p, double v)
{
    return p.PlotRect().bottom() + 1 - (v - p.YMin()) * p.PlotRect().height() / (p.YMax() - p.YMin());
}

QVector<double> Values(const QVector<TPlotPanel::TAxisLabel>& labels)
{
    QVector<double> v;
    for (const auto& l : labels)
        v << l.Value;
    return v;
}

} // namespace

TEST(PlotPanel, RangeRulesAndIntervals)
{
    TPlotPanel plot;
    plot.SetXMax(10);
    plot.SetXMin(20);
    EXPECT_EQ(plot.XMin(), 20);
    EXPECT_EQ(plot.XMax(), 21);
    plot.SetXMax(5);
    EXPECT_EQ(plot.XMin(), 4);
    plot.SetYMax(-3);
    EXPECT_EQ(plot.YMin(), -4);
    plot.SetYMin(7);
    EXPECT_EQ(plot.YMax(), 8);
    plot.SetXMin(std::nan(""));
    EXPECT_EQ(plot.XMin(), 4);

    plot.SetXMin(0);
    plot.SetXMax(10);
    plot.SetXInterval(0);
    EXPECT_EQ(plot.XInterval(), 1);
    plot.SetYInterval(-0.5);
    EXPECT_EQ(plot.YInterval(), 0.5);
    EXPECT_EQ(plot.Marks().XGrid.size(), 11); // 0 .. 10
    // More lines than one per 8 pixels widens the step, and the property keeps it.
    plot.SetXMax(1000);
    EXPECT_DOUBLE_EQ(plot.XInterval(), 1000.0 * 8 / plot.width());
    EXPECT_LE(plot.Marks().XGrid.size(), plot.width() / 8 + 2);
}

TEST(PlotPanel, LogarithmicGridAndLabels)
{
    TPlotPanel plot;
    plot.resize(1600, 400);
    plot.SetXMarksFont(TDPIForm::FormFont());
    plot.SetXMarks(true);
    plot.SetXScaleLog(true);
    plot.SetXMax(5000);
    plot.SetXMin(40);
    const QVector<double> lines = {40,  50,  60,  70,  80,  90,   100,  200,  300,  400,  500, 600,
                                   700, 800, 900, 1000, 2000, 3000, 4000, 5000};
    EXPECT_EQ(plot.Marks().XGrid, lines);

    // Labels fall on the decades and on their even multiples only; the last reads "4000 Hz".
    const auto& labels = plot.Marks().XLabels;
    ASSERT_FALSE(labels.isEmpty());
    for (const auto& l : labels) {
        const double decade = std::pow(10.0, std::floor(std::log10(l.Value) + 1e-9));
        const double multiple = l.Value / decade;
        EXPECT_TRUE(multiple == 1 || (multiple == std::round(multiple) && int(multiple) % 2 == 0)) << l.Value;
    }
    EXPECT_TRUE(Values(labels).contains(100));
    EXPECT_TRUE(Values(labels).contains(1000));
    EXPECT_EQ(labels.last().Value, 4000);
    EXPECT_EQ(labels.last().Text, "4000 Hz");

    // At the dialog's size the spacing rule thins them out; never two on top of each other.
    plot.resize(764, 377);
    double lastStepX = -1000;
    for (const auto& l : plot.Marks().XLabels) {
        if (std::log10(l.Value) == std::round(std::log10(l.Value)))
            continue; // decade starts are drawn without the spacing test
        EXPECT_GT(l.Position - lastStepX, 2.6 * QFontMetrics(TDPIForm::FormFont()).horizontalAdvance(l.Text)) << l.Value;
        lastStepX = l.Position;
    }

    // A minimum of 0 draws as 0.1.
    plot.SetXMin(0);
    plot.SetXMax(100);
    ASSERT_FALSE(plot.Marks().XGrid.isEmpty());
    EXPECT_DOUBLE_EQ(plot.Marks().XGrid.first(), 0.1);
    EXPECT_EQ(plot.XMin(), 0);
}

TEST(PlotPanel, ShadedBand)
{
    TPlotPanel plot;
    plot.resize(764, 377);
    plot.SetYMarksFont(TDPIForm::FormFont());
    plot.SetXMax(5000);
    plot.SetXMin(40);
    plot.SetXScaleLog(true);
    struct Case {
        double low, high;
        const char* text;
    };
    const Case cases[] = {{300, 2700, "  Bandwidth 2400 Hz  "}, {300, 2705.6, "  Bandwidth 2400 Hz  "},
                          {40, 3040, "  Bandwidth 3000 Hz  "}, {0, 2700, ""}, {300, 0, ""}};
    for (const Case& c : cases) {
        plot.SetBandwidthLow(c.low);
        plot.SetBandwidthHigh(c.high);
        plot.Redraw();
        EXPECT_EQ(plot.Marks().BandText, c.text) << c.low << ".." << c.high;
    }
    // On the logarithmic axis the band sits under the grid lines of its edges.
    plot.SetBandwidthLow(300);
    plot.SetBandwidthHigh(2700);
    plot.Redraw();
    const QRect r = plot.PlotRect();
    const auto logX = [&](double v) {
        return r.left() + RoundHalfEven(std::log10(v / 40) / std::log10(5000.0 / 40) * r.width());
    };
    EXPECT_EQ(plot.Marks().BandLeft, logX(300));
    EXPECT_EQ(plot.Marks().BandRight, logX(2700));

    // On a linear axis it follows the linear mapping.
    plot.SetXScaleLog(false);
    plot.SetXMin(0);
    EXPECT_EQ(plot.Marks().BandLeft, r.left() + RoundHalfEven(300.0 * r.width() / 5000));
    EXPECT_EQ(plot.Marks().BandRight, r.left() + RoundHalfEven(2700.0 * r.width() / 5000));
}

TEST(PlotPanel, LayersLinesBarsAndFreeze)
{
    TPlotPanel plot;
    plot.resize(400, 330); // 37 pixels per x unit, 150 per y unit
    plot.SetBackColor(Qt::white);
    plot.SetXMax(10);
    plot.SetXMin(0);
    plot.SetYMax(1);
    plot.SetYMin(-1);
    plot.SetGridColor(QColor(220, 220, 220));
    plot.SetPlotPen(QPen(Qt::black, 2));
    const QColor red(255, 0, 0), blue(0, 0, 255), white(Qt::white);

    // Two layers, added in turn, never join each other.
    plot.AddXY(1, -0.5, red, 0);
    plot.AddXY(8, 0.5, blue, 1);
    plot.AddXY(2, -0.5, red, 0);
    plot.AddXY(9, 0.5, blue, 1);
    EXPECT_EQ(plot.LayerPoints(0), 2);
    EXPECT_EQ(plot.LayerPoints(1), 2);
    EXPECT_EQ(At(plot, PX(plot, 1.5), PY(plot, -0.5)), red);
    EXPECT_EQ(At(plot, PX(plot, 8.5), PY(plot, 0.5)), blue);
    EXPECT_EQ(At(plot, PX(plot, 5.3), PY(plot, 0.05)), white);

    // After ClearData the next point starts a new line.
    plot.ClearData();
    EXPECT_EQ(plot.LayerPoints(0), 0);
    plot.AddXY(5, 0.5, red, 0);
    plot.AddXY(6, 0.5, red, 0);
    EXPECT_EQ(At(plot, PX(plot, 3.8), PY(plot, 0.1)), white);
    EXPECT_EQ(At(plot, PX(plot, 5.5), PY(plot, 0.5)), red);

    // A redraw replays the points; hidden layers are left out until shown again.
    plot.SetGridColor(QColor(200, 200, 200));
    EXPECT_EQ(At(plot, PX(plot, 5.5), PY(plot, 0.5)), red);
    plot.HideLayer(0);
    EXPECT_EQ(At(plot, PX(plot, 5.5), PY(plot, 0.5)), white);
    plot.UnHideLayer(0);
    EXPECT_EQ(At(plot, PX(plot, 5.5), PY(plot, 0.5)), red);

    // Bars stand on the zero line.
    plot.ClearData();
    plot.SetPlotMode(pmBar);
    plot.AddXY(3.2, 0.6, blue, 2); // off the grid lines
    EXPECT_EQ(At(plot, PX(plot, 3.2), PY(plot, 0.3)), blue);
    EXPECT_EQ(At(plot, PX(plot, 3.2), PY(plot, 0.8)), white);
    EXPECT_EQ(At(plot, PX(plot, 3.2), PY(plot, -0.3)), white);

    // Frozen points reach the picture when the freeze ends.
    plot.Freeze(true);
    plot.AddXY(7.2, -0.6, red, 2);
    EXPECT_EQ(At(plot, PX(plot, 7.2), PY(plot, -0.3)), white);
    plot.Freeze(false);
    EXPECT_EQ(At(plot, PX(plot, 7.2), PY(plot, -0.3)), red);

    // Points far outside the ranges are clipped, not wrapped.
    plot.SetPlotMode(pmLine);
    plot.AddXY(1e12, 1e12, red, 4);
    plot.AddXY(-1e12, -1e12, red, 4);
    plot.AddXY(std::nan(""), 0, red, 4);
    EXPECT_EQ(plot.LayerPoints(4), 2);
}

TEST(PlotPanel, ConvertAndAutoScale)
{
    TPlotPanel plot;
    plot.resize(400, 300);
    plot.SetXMax(100);
    plot.SetXMin(0);
    double wx = 0, wy = 0;
    const QRect r = plot.PlotRect();
    EXPECT_TRUE(plot.ConvertS2W(r.left() + r.width() / 2, r.bottom() + 1 - r.height() / 2, wx, wy));
    EXPECT_NEAR(wx, 50, 0.5);
    EXPECT_NEAR(wy, 0, 0.01);
    EXPECT_FALSE(plot.ConvertS2W(0, 0, wx, wy));

    plot.AddXY(10, 3);
    plot.AddXY(30, -7);
    plot.AddXY(20, 13);
    plot.AutoScale(0);
    EXPECT_EQ(plot.XMin(), 10);
    EXPECT_EQ(plot.XMax(), 30);
    EXPECT_EQ(plot.YMin(), -7);
    EXPECT_EQ(plot.YMax(), 13);
    EXPECT_DOUBLE_EQ(plot.XInterval(), 2);
    EXPECT_DOUBLE_EQ(plot.YInterval(), 2);
}

TEST(PlotPanel, Picture)
{
    QWidget host;
    host.resize(520, 320);
    TPlotPanel plot(&host);
    plot.setGeometry(0, 0, 520, 320);
    plot.setFont(TDPIForm::FormFont());
    plot.SetColor(QColor(0xF0, 0xF0, 0xF0));
    plot.SetTitle(QStringLiteral("Filter response"));
    plot.SetXMarksFont(TDPIForm::FormFont());
    plot.SetYMarksFont(TDPIForm::FormFont());
    plot.SetXMarks(true);
    plot.SetYMarks(true);
    plot.SetXTitle(QStringLiteral(" Hz"));
    plot.SetYTitle(QStringLiteral(" dB"));
    plot.SetGridColor(QColor(190, 190, 190));
    plot.SetXScaleLog(true);
    plot.SetXMax(10000);
    plot.SetXMin(20);
    plot.SetYMax(12);
    plot.SetYMin(-12);
    plot.SetYInterval(3);
    plot.SetBandwidthLow(300);
    plot.SetBandwidthHigh(3000);
    plot.SetBandwidthColor(QColor(0, 140, 0));
    plot.SetBandwidthBackColor(QColor(215, 240, 215));
    plot.LayerOptions(0, pmLine, 2);
    plot.LayerOptions(1, pmDot, 4);
    plot.LayerOptions(2, pmBar, 1);
    plot.Freeze(true);
    for (int i = 0; i <= 200; ++i) {
        const double f = 20 * std::pow(500.0, i / 200.0);
        plot.AddXY(f, 9 * std::sin(i / 25.0), QColor(200, 30, 30), 0);
        if (i % 10 == 0)
            plot.AddXY(f, -6 + 4 * std::cos(i / 30.0), QColor(30, 60, 200), 1);
        if (i % 8 == 4)
            plot.AddXY(f, 3 * std::cos(i / 15.0), QColor(120, 120, 0), 2);
    }
    plot.Freeze(false);
    for (qreal dpr : {1.0, 2.0}) {
        const QImage img = Render(host, dpr);
        EXPECT_TRUE(SaveArtifact(img, dpr == 1 ? "control-plot.png" : "control-plot@2x.png"));
        // Nothing left unpainted.
        EXPECT_NE(img.pixelColor(5, 5), QColor(Qt::magenta));
        EXPECT_NE(img.pixelColor(img.width() - 3, img.height() - 3), QColor(Qt::magenta));
    }
}
