#pragma once
// A general x/y plot: a framed plot area with grid lines on linear or logarithmic axes, axis
// labels, an optional title, an optional shaded band with its width printed, and up to 8
// layers of points drawn as dots, lines or bars.  Everything is drawn off screen: the border
// picture holds the whole plot, the plot picture receives the points; a redraw replays the
// stored points, so changing a display property keeps the data.  While frozen, added points
// reach the screen only when the freeze ends, so many points cost one screen update.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QString>
#include <QVector>
#include <QWidget>
#include <array>

enum TPlotMode { pmDot, pmLine, pmBar };

class TPlotPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int LayerCount = 8;

    // What the last full redraw drew, for the owner's checks and tools.
    struct TAxisLabel {
        double Value = 0;
        int Position = 0; // x of an x label's centre, y of a y label's centre
        QString Text;
    };
    struct TMarks {
        QVector<double> XGrid;
        QVector<double> YGrid;
        QVector<TAxisLabel> XLabels;
        QVector<TAxisLabel> YLabels;
        QString BandText; // empty when no band was drawn
        int BandLeft = 0;
        int BandRight = 0;
    };

    // Takes the owner as parent; 300 x 200.
    explicit TPlotPanel(QWidget* owner = nullptr);

    QColor Color() const { return FColor; }
    void SetColor(const QColor& value);
    bool BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(bool value);
    QColor BackColor() const { return FBackColor; }
    void SetBackColor(const QColor& value);
    QColor GridColor() const { return FGridColor; }
    void SetGridColor(const QColor& value);
    // The band's colours and edges take effect at the next redraw.
    QColor BandwidthColor() const { return FBandwidthColor; }
    void SetBandwidthColor(const QColor& value) { FBandwidthColor = value; }
    QColor BandwidthBackColor() const { return FBandwidthBackColor; }
    void SetBandwidthBackColor(const QColor& value) { FBandwidthBackColor = value; }
    double BandwidthLow() const { return FBandwidthLow; }
    void SetBandwidthLow(double value) { FBandwidthLow = value; }
    double BandwidthHigh() const { return FBandwidthHigh; }
    void SetBandwidthHigh(double value) { FBandwidthHigh = value; }
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    TPlotMode PlotMode() const { return FPlotMode; }
    void SetPlotMode(TPlotMode value);
    QPen PlotPen() const { return FPlotPen; }
    void SetPlotPen(const QPen& value);
    QString Title() const { return FTitle; }
    void SetTitle(const QString& value);

    // Ranges: a minimum at or above the maximum moves the maximum to minimum + 1, a maximum at
    // or below the minimum moves the minimum to maximum - 1.  Values that are not finite are
    // ignored.
    double XMin() const { return FXMin; }
    void SetXMin(double value);
    double XMax() const { return FXMax; }
    void SetXMax(double value);
    double YMin() const { return FYMin; }
    void SetYMin(double value);
    double YMax() const { return FYMax; }
    void SetYMax(double value);
    // Grid steps on a linear axis; 0 is taken as 1 and a negative step as its size.
    double XInterval() const { return FXInterval; }
    void SetXInterval(double value);
    double YInterval() const { return FYInterval; }
    void SetYInterval(double value);
    bool XScaleLog() const { return FXScaleLog; }
    void SetXScaleLog(bool value);
    bool YScaleLog() const { return FYScaleLog; }
    void SetYScaleLog(bool value);
    bool XMarks() const { return FXMarks; }
    void SetXMarks(bool value);
    bool YMarks() const { return FYMarks; }
    void SetYMarks(bool value);
    QFont XMarksFont() const { return FXMarksFont; }
    void SetXMarksFont(const QFont& value);
    QFont YMarksFont() const { return FYMarksFont; }
    void SetYMarksFont(const QFont& value);
    QColor XMarksColor() const { return FXMarksColor; }
    void SetXMarksColor(const QColor& value);
    QColor YMarksColor() const { return FYMarksColor; }
    void SetYMarksColor(const QColor& value);
    // Unit texts appended to every label; they take effect at the next redraw.
    QString XTitle() const { return FXTitle; }
    void SetXTitle(const QString& value) { FXTitle = value; }
    QString YTitle() const { return FYTitle; }
    void SetYTitle(const QString& value) { FYTitle = value; }
    bool LayerOption() const { return FLayerOption; }
    void SetLayerOption(bool value) { FLayerOption = value; }

    // The finished picture.
    const QImage& PlotBMP() const { return FBorderBMP; }
    const TMarks& Marks() const { return FMarks; }
    // The plot area: left, top, right and bottom edges.
    QRect PlotRect() const { return QRect(FRPlotLeft, FRPlotTop, FRPlotRight - FRPlotLeft, FRPlotBottom - FRPlotTop); }

    // Adds a point to layer Layer and 7 and draws it.
    void AddXY(double X, double Y, const QColor& AColour, int Layer);
    // Adds a point to layer 0 in the plot pen's colour and switches LayerOption off.
    void AddXY(double X, double Y);
    void ClearData();
    // While true, drawn points do not reach the screen; false shows the whole picture.
    void Freeze(bool Value);
    bool Frozen() const { return FFreeze; }
    void HideLayer(int Layer);
    void UnHideLayer(int Layer);
    void LayerOptions(int Layer, TPlotMode APlotMode, int PenWidth);
    void AutoScale(int Layer);
    // A pixel position as values; true when both lie in the ranges.
    bool ConvertS2W(int X, int Y, double& WX, double& WY) const;
    // Points a layer shows.
    int LayerPoints(int Layer) const { return FLayers[Layer & 7].Length - 1; }

    // Draws the whole picture again from the properties and the stored points.
    void Redraw();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TPoint {
        double X = 0;
        double Y = 0;
        QColor Colour;
    };
    struct TLayer {
        QVector<TPoint> Points{TPoint()}; // element 0 is never used
        int Length = 1;
        TPlotMode Mode = pmLine;
        int PenWidth = 1;
        double LastX = 0;
        double LastY = 0;
    };

    void ComputeScales();
    void DrawLinearGridX(QPainter& p);
    void DrawLinearGridY(QPainter& p);
    void DrawLogGridX(QPainter& p);
    void DrawLogGridY(QPainter& p);
    void DrawBand(QPainter& p);
    void DrawBandLines(QPainter& p);
    void DrawTitle(QPainter& p);
    void DrawLinearXLabels(QPainter& p);
    void DrawLinearYLabels(QPainter& p);
    void DrawLogXLabels(QPainter& p);
    void DrawLogYLabels(QPainter& p);
    void DrawYLabel(QPainter& p, double value, int y, const QString& text);
    void DrawPoint(const TPoint& point, int layer);
    void CopyPlotRect(QImage& from, QImage& to);
    // Pixel of an x value (a stored coordinate: the logarithm on a log axis).
    double XPixel(double stored) const;
    double YPixel(double stored) const;
    // The effective ranges of a logarithmic axis (a bound at or below 0 becomes 0.1 or 1).
    double LogXMin() const;
    double LogXMax() const;
    double LogYMin() const;
    double LogYMax() const;
    // Pixel of a band edge (Hz) on the x axis as the axis maps it.
    int BandEdgeX(double value) const;

    QColor FColor{0xF0, 0xF0, 0xF0};
    bool FBevelOuter = true;
    QColor FBackColor{255, 255, 255};
    QColor FGridColor{0, 0, 0};
    QColor FBandwidthColor{0, 128, 0};
    QColor FBandwidthBackColor{0, 32, 0};
    double FBandwidthLow = 0;
    double FBandwidthHigh = 0;
    int FMargin = 15;
    TPlotMode FPlotMode = pmLine;
    QPen FPlotPen{QColor(0, 0, 0), 1};
    QString FTitle;
    double FXMin = 0;
    double FXMax = 10;
    double FYMin = -1;
    double FYMax = 1;
    double FXInterval = 1;
    double FYInterval = 1;
    bool FXScaleLog = false;
    bool FYScaleLog = false;
    bool FXMarks = false;
    bool FYMarks = false;
    QFont FXMarksFont;
    QFont FYMarksFont;
    QColor FXMarksColor{0, 0, 0};
    QColor FYMarksColor{0, 0, 0};
    QString FXTitle;
    QString FYTitle;
    bool FLayerOption = false;

    QImage FPlotBMP;
    QImage FBorderBMP;
    qreal FDpr = 1.0;
    std::array<TLayer, LayerCount> FLayers;
    bool FClr = true;
    bool FFreeze = false;
    int FMarginTop = 15;
    int FMarginLeft = 15;
    int FMarginBottom = 15;
    int FMarginRight = 15;
    int FRPlotLeft = 15;
    int FRPlotTop = 15;
    int FRPlotRight = 285;
    int FRPlotBottom = 185;
    double FXqnt = 1;
    double FYqnt = 1;
    int FR2Width = 0;
    int FR2Height = 0;
    double FXStart = 0;
    double FYStart = 0;
    TMarks FMarks;
};
