#include "panel/widgets/TuningRulers.h"

#include "controls/widgets/BandmapControls.h"
#include "panel/PanelColors.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t clLine = 0xFCDB83; // ticks, labels and the marker rails
constexpr uint32_t clTextGreen = 0x60FF60;
constexpr uint32_t clTextRed = 0x0033CC;

// Marker shades from the outer pair (±3) to the centre line.
constexpr uint32_t GreenShades[4] = {0x004000, 0x008000, 0x00BF00, 0x60FF60};
constexpr uint32_t RedShades[4] = {0x001144, 0x002288, 0x0033CC, 0x0033CC};

constexpr int TickBottom = 20;  // ticks end on this row
constexpr int MajorTickTop = 14;
constexpr int MinorTickTop = 18;
constexpr int RailTop = 21;     // upper rail, top row of the markers
constexpr int RailBottom = 31;  // lower rail
constexpr int MarkerRows = 11;  // rows 21..31
constexpr int BandPlanTop = 25;
constexpr int BandPlanRows = 3;
constexpr int LabelRowTop = 32;

int PointerX(const QMouseEvent* e)
{
    return int(std::floor(e->position().x()));
}

// Positions far off the control are drawn just outside it.
int DrawableX(int64_t x, int width)
{
    return int(std::clamp<int64_t>(x, -100, int64_t(width) + 100));
}

} // namespace

// ---- TTuningRulerBase ----

TTuningRulerBase::TTuningRulerBase(bool limited, QWidget* parent)
    : QWidget(parent), MouseDownTimer(250, false), UserIsTuningTimer(1000, false), FFont(bandmap::TahomaFont(8))
{
    FScale.Limited = limited;
    setMinimumSize(MinRulerWidth, RulerHeight);
    setMaximumHeight(RulerHeight);
    resize(MinRulerWidth, RulerHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    MouseDownTimer.OnTimer = [this] { MouseDownTick(); };
    UserIsTuningTimer.OnTimer = [this] { EndGesture(); };
}

void TTuningRulerBase::SetResolution(int32_t value)
{
    if (value <= 0 || value == FScale.Resolution)
        return;
    FScale.Resolution = value;
    FScale.UpdateHi(width());
    update();
}

void TTuningRulerBase::SetSelectedState(bool value)
{
    if (value == FSelected)
        return;
    FSelected = value;
    if (value)
        setFocus(Qt::OtherFocusReason);
    else if (UserIsTuningTimer.isActive())
        EndGesture(); // focus left in the middle of a gesture: end it now
    update();
}

void TTuningRulerBase::MoveTo(int x)
{
    if (!FScale.MoveTo(x, width()))
        return;
    OperatorMoved(FScale.Value(x));
    Fire(OnSliderClick);
    repaint();
}

void TTuningRulerBase::EndGesture()
{
    UserIsTuningTimer.stop();
    SetTuningFlag(false);
    Fire(OnFrequencyRequest);
    update();
}

void TTuningRulerBase::CancelGesture()
{
    MouseDownTimer.stop();
    UserIsTuningTimer.stop();
    SetTuningFlag(false);
}

void TTuningRulerBase::MouseDownTick()
{
    const int x = FScale.PositionX;
    if (x >= width() - tuning::ScrollZone)
        MoveTo(x + 1);
    else if (x <= tuning::ScrollZone)
        MoveTo(x - 1);
}

void TTuningRulerBase::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    SetSelectedState(true);
    if (!Locked() && event->button() == Qt::LeftButton) {
        MoveTo(PointerX(event));
        SetTuningFlag(true);
        MouseDownTimer.start();
    }
    update();
}

void TTuningRulerBase::mouseMoveEvent(QMouseEvent* event)
{
    if (Locked())
        return;
    if (event->buttons() & Qt::LeftButton) {
        MoveTo(PointerX(event));
        SetTuningFlag(true);
    }
    update();
}

void TTuningRulerBase::mouseReleaseEvent(QMouseEvent* event)
{
    MouseDownTimer.stop();
    if (!Locked())
        UserIsTuningTimer.start();
    QWidget::mouseReleaseEvent(event);
}

void TTuningRulerBase::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    if (!Locked()) {
        int x = FScale.PositionX;
        handled = true;
        switch (event->key()) {
        case Qt::Key_Space:
            if (SpaceKey()) {
                event->accept();
                return;
            }
            break;
        case Qt::Key_PageUp:
            x += 10;
            break;
        case Qt::Key_PageDown:
            x -= 10;
            break;
        case Qt::Key_End:
            CancelGesture();
            x = width() - tuning::ScaleMargin;
            break;
        case Qt::Key_Home:
            CancelGesture();
            x = tuning::ScaleMargin;
            break;
        case Qt::Key_Left:
        case Qt::Key_Down:
            x -= 1;
            break;
        case Qt::Key_Up:
        case Qt::Key_Right:
            x += 1;
            break;
        default:
            handled = false;
            break;
        }
        Fire(OnSliderClick);
        if (x != FScale.PositionX)
            MoveTo(x);
    }
    SetTuningFlag(true);
    update();
    if (event->text() == QLatin1String("0")) {
        ZeroKey();
        handled = true;
    }
    if (handled)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TTuningRulerBase::keyReleaseEvent(QKeyEvent* event)
{
    UserIsTuningTimer.start();
    update();
    QWidget::keyReleaseEvent(event);
}

void TTuningRulerBase::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    SetSelectedState(true);
}

void TTuningRulerBase::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    SetSelectedState(false);
}

void TTuningRulerBase::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FScale.UpdateHi(width());
    update();
}

void TTuningRulerBase::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width();
    p.fillRect(rect(), Qt::black);
    FScale.UpdateHi(w);

    const QColor line = BGRColor(clLine);
    const QFontMetrics fm(FFont);
    p.setFont(FFont);
    p.setPen(line);
    p.setRenderHint(QPainter::TextAntialiasing);
    const tuning::TRulerTicks ticks = FScale.Ticks(w);
    for (const tuning::TRulerTick& t : ticks.Ticks) {
        if (t.Major) {
            const QString label = TickLabel(t.Value);
            p.drawText(QPointF(t.X - fm.horizontalAdvance(label) / 2, fm.ascent()), label);
            p.fillRect(t.X, MajorTickTop, 1, TickBottom - MajorTickTop + 1, line);
        } else {
            p.fillRect(t.X, MinorTickTop, 1, TickBottom - MinorTickTop + 1, line);
        }
    }
    if (ticks.FirstMajorX >= 0)
        TicksDrawn(ticks.FirstMajorX);
    DrawMarkers(p);
}

void TTuningRulerBase::DrawMarkerLines(QPainter& p) const
{
    p.fillRect(0, RailTop, width(), 1, BGRColor(clLine));
    p.fillRect(0, RailBottom, width(), 1, BGRColor(clLine));
}

void TTuningRulerBase::DrawMarker(QPainter& p, int x, TMarkerColor color) const
{
    const uint32_t* shades = color == TMarkerColor::Green ? GreenShades : RedShades;
    for (int k = 3; k >= 1; --k) {
        const QColor c = BGRColor(shades[3 - k]);
        p.fillRect(x - k, RailTop, 1, MarkerRows, c);
        p.fillRect(x + k, RailTop, 1, MarkerRows, c);
    }
    p.fillRect(x, RailTop, 1, MarkerRows, BGRColor(shades[3]));
}

void TTuningRulerBase::DrawMarkerText(QPainter& p, int x, const QString& text, const QColor& color) const
{
    p.setFont(FFont);
    p.setPen(color);
    p.drawText(QPointF(x, LabelRowTop + QFontMetrics(FFont).ascent()), text);
}

// ---- TTuningPanelSlider ----

bool TTuningPanelSlider::FUserIsTuning = false;

TTuningPanelSlider::TTuningPanelSlider(QWidget* parent) : TTuningRulerBase(false, parent)
{
    FUserIsTuning = false;
    FScale.UpdateHi(width());
}

void TTuningPanelSlider::SetBandA(TBand value)
{
    if (value == FBandA)
        return;
    FBandA = value;
    update();
}

void TTuningPanelSlider::SetBandB(TBand value)
{
    if (value == FBandB)
        return;
    FBandB = value;
    update();
}

void TTuningPanelSlider::SetBandSegment(const TBandSegment& value)
{
    FBandSegment = value;
    update();
}

void TTuningPanelSlider::SetFrequency(TVFO vfo, int32_t value)
{
    int32_t& stored = vfo == vfoA ? FFrequencyA : FFrequencyB;
    if (value == stored)
        return;
    if (vfo != FVFO) {
        stored = value;
    } else {
        if (FUserIsTuning)
            return; // the operator is tuning this VFO: the radio lags behind
        stored = value;
        FScale.Place(value, width());
    }
    update();
}

void TTuningPanelSlider::SetSplit(bool value)
{
    if (value == FSplit)
        return;
    FSplit = value;
    update();
}

void TTuningPanelSlider::SetVFO(TVFO value)
{
    if (value != FVFO) {
        FVFO = value;
        FScale.FrequencyLo = TunedFrequency();
        FScale.UpdateHi(width());
    }
    repaint();
}

bool TTuningPanelSlider::MarkerAShown() const
{
    const int64_t xA = FScale.X(FFrequencyA);
    return FBandA == FBandB && xA >= 0 && xA <= width() && xA != FScale.PositionX;
}

void TTuningPanelSlider::OperatorMoved(int64_t value)
{
    TunedFrequency() = int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    Fire(OnFrequencyChange, FVFO, TunedFrequency());
}

bool TTuningPanelSlider::SpaceKey()
{
    Fire(OnScanContinue);
    return true;
}

void TTuningPanelSlider::ZeroKey()
{
    CancelGesture();
    const int32_t other = FVFO == vfoA ? FFrequencyB : FFrequencyA;
    SetFrequency(FVFO, other);
    Fire(OnFrequencyChange, FVFO, other);
}

QString TTuningPanelSlider::TickLabel(int64_t value) const
{
    return tuning::FrequencyRulerLabel(value, FScale.Resolution);
}

void TTuningPanelSlider::TicksDrawn(int firstMajorX)
{
    Fire(OnRuler, firstMajorX);
}

void TTuningPanelSlider::DrawMarkers(QPainter& p)
{
    const int w = width();
    for (TModeType mt : {mtCW, mtPhone, mtDigital}) {
        const TSegmentRange& r = FBandSegment.Range(mt);
        const int x1 = DrawableX(FScale.X(r.Lower), w);
        const int x2 = DrawableX(FScale.X(r.Upper), w);
        if (x2 > x1)
            p.fillRect(QRect(x1, BandPlanTop, x2 - x1, BandPlanRows) & rect(), BGRColor(BandSegmentColors[size_t(mt) - 1]));
    }
    DrawMarkerLines(p);
    const int xA = DrawableX(FScale.X(FFrequencyA), w);
    const int xB = DrawableX(FScale.X(FFrequencyB), w);
    if (MarkerAShown())
        DrawMarker(p, xA, FSplit ? TMarkerColor::Green : TMarkerColor::Red);
    DrawMarker(p, xB, FSplit ? TMarkerColor::Red : TMarkerColor::Green);

    const QFontMetrics fm(FFont);
    const int halfTX = fm.horizontalAdvance(QStringLiteral("TX")) / 2;
    if (!FSplit) {
        DrawMarkerText(p, xA - halfTX, QStringLiteral("TX"), BGRColor(clTextRed));
        DrawMarkerText(p, xB - fm.horizontalAdvance(QStringLiteral(" B ")) / 2 + 1, QStringLiteral(" B "),
                       BGRColor(clTextGreen));
    } else {
        DrawMarkerText(p, xA - halfTX, QStringLiteral("RX"), BGRColor(clTextGreen));
        DrawMarkerText(p, xB - halfTX, QStringLiteral("TX"), BGRColor(clTextRed));
    }
}

// ---- TTuningPanelClarifier ----

TTuningPanelClarifier::TTuningPanelClarifier(QWidget* parent) : TTuningRulerBase(true, parent)
{
    FScale.Resolution = 1;
    FScale.PositionX = 178;
    // Offset 0 sits at the start position, so the marker is on the scale before the radio's
    // first report and the first touch moves the clarifier only by the pointer's distance.
    FScale.FrequencyLo = tuning::ScaleMargin - FScale.PositionX;
    FScale.UpdateHi(width());
}

void TTuningPanelClarifier::SetClarifierOffset(int32_t value)
{
    if (value == FClarifierOffset)
        return;
    FClarifierOffset = value;
    // The owner sends each report as a step from the radio's offset, so the radio's value is
    // the reference of the next report.
    FClarifierOffsetOld = value;
    FScale.Place(value, width());
    update();
}

void TTuningPanelClarifier::OperatorMoved(int64_t value)
{
    FClarifierOffset = int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    const int32_t d = FClarifierOffset - FClarifierOffsetOld;
    FClarifierOffsetOld = FClarifierOffset;
    Fire(OnClarifierChange, d);
}

void TTuningPanelClarifier::ZeroKey()
{
    CancelGesture();
    SetClarifierOffset(0);
    Fire(OnClarifierChange, 0);
}

QString TTuningPanelClarifier::TickLabel(int64_t value) const
{
    return tuning::ClarifierRulerLabel(value);
}

void TTuningPanelClarifier::DrawMarkers(QPainter& p)
{
    DrawMarkerLines(p);
    const int x = DrawableX(FScale.X(FClarifierOffset), width());
    DrawMarker(p, x, TMarkerColor::Green);
    const QString text = QStringLiteral("CLAR");
    DrawMarkerText(p, x - QFontMetrics(FFont).horizontalAdvance(text) / 2, text, BGRColor(clTextGreen));
}
