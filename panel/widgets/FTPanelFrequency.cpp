#include "panel/widgets/FTPanelFrequency.h"

#include "panel/PanelColors.h"

#include <QMouseEvent>
#include <QPainter>
#include <vector>

namespace {

constexpr uint32_t LitBlue = 0xFCDB83;
constexpr uint32_t LitBlueTuning = 0xFDE7AC;
constexpr uint32_t BarBlue = 0xA44444;
constexpr uint32_t BarGreyFT2000B = 0x737373;

bool ShowsClarifier(TVFOMemoryMode mode)
{
    return mode == vmVFOMode || mode == vmMemoryTune || mode == vmQMBMT;
}

struct MarkLine {
    QPoint From, To;
};
using Mark = std::vector<MarkLine>;

// Chains of pen lines, each segment from -> to.
Mark Chain(std::initializer_list<QPoint> points)
{
    Mark m;
    const QPoint* prev = nullptr;
    for (const QPoint& pt : points) {
        if (prev)
            m.push_back({*prev, pt});
        prev = &pt;
    }
    return m;
}

struct ClarifierMarks {
    Mark TX, RX, Plus, Minus;
    QPoint Point;
};

const ClarifierMarks& MarksOf(TDisplayType type)
{
    static const ClarifierMarks ft2000{
        {{{2, 2}, {7, 2}}, {{4, 2}, {4, 7}}, {{8, 2}, {13, 7}}, {{12, 2}, {7, 7}}},
        {{{2, 15}, {2, 10}}, {{2, 11}, {6, 11}}, {{5, 11}, {7, 13}}, {{6, 12}, {4, 14}}, {{3, 13}, {5, 13}},
         {{6, 14}, {6, 16}}, {{8, 11}, {13, 16}}, {{12, 11}, {7, 16}}},
        {{{17, 6}, {22, 6}}, {{19, 4}, {19, 9}}},
        {{{17, 12}, {22, 12}}},
        {35, 15},
    };
    static const ClarifierMarks ftdx5000 = [] {
        ClarifierMarks m{
            {{{0, 1}, {5, 1}}, {{2, 1}, {2, 6}}, {{6, 1}, {11, 6}}, {{10, 1}, {5, 6}}},
            Chain({{4, 11}, {4, 10}, {3, 9}, {4, 8}, {3, 7}, {0, 7}, {0, 11}, {0, 9}, {4, 9}}),
            {{{12, 4}, {17, 4}}, {{14, 2}, {14, 7}}},
            {{{12, 8}, {17, 8}}},
            {28, 11},
        };
        m.RX.push_back({{6, 7}, {11, 12}});
        m.RX.push_back({{10, 7}, {5, 12}});
        return m;
    }();
    return type == dtFT5K_Clarifier ? ftdx5000 : ft2000;
}

} // namespace

TDigitPositionTables& TFTPanelFrequency::SharedPositions()
{
    static TDigitPositionTables positions = *FamilyDigitPositions(dtFT2K_A);
    return positions;
}

TFTPanelFrequency::TFTPanelFrequency(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    SharedPositions() = *FamilyDigitPositions(dtFT2K_A);
    FTuningTimer = new vx::Timer(200, false, this);
    FTuningTimer->OnTimer = [this] { TuningStep(); };
    ApplyLayout();
}

void TFTPanelFrequency::ApplyLayout()
{
    const TReadoutLayout& layout = ReadoutLayout(FDisplayType);
    setFixedSize(layout.Size);
    FDigitWidth = layout.DigitWidth;
    FTopMargin = layout.TopMargin;
    // The digits always show this readout's own value, whichever type it had before.
    FFrequencyDigits = IsClarifierType(FDisplayType) ? ClarifierToDigits(FClarifierOffset) : FrequencyToDigits(FFrequency);
}

void TFTPanelFrequency::SetColorBack(uint32_t value)
{
    FColorBack = value;
    update();
}

void TFTPanelFrequency::SetColorDarkBlue(uint32_t value)
{
    FColorDarkBlue = value;
    update();
}

void TFTPanelFrequency::SetColorDim(uint32_t value)
{
    FColorDim = value;
    update();
}

void TFTPanelFrequency::SetColorGray(uint32_t value)
{
    FColorGray = value;
    update();
}

void TFTPanelFrequency::SetColorLime(uint32_t value)
{
    FColorLime = value;
    update();
}

void TFTPanelFrequency::SetColorRed(uint32_t value)
{
    FColorRed = value;
    update();
}

void TFTPanelFrequency::SetClarifierOffset(int value)
{
    if (FClarifierOffset == value)
        return;
    FClarifierOffset = ClampClarifierOffset(value);
    if (IsClarifierType(FDisplayType))
        FFrequencyDigits = ClarifierToDigits(FClarifierOffset);
    update();
}

void TFTPanelFrequency::SetClarifierRX(bool value)
{
    if (FClarifierRX == value)
        return;
    FClarifierRX = value;
    update();
}

void TFTPanelFrequency::SetClarifierTX(bool value)
{
    if (FClarifierTX == value)
        return;
    FClarifierTX = value;
    update();
}

void TFTPanelFrequency::SetDisplayType(TDisplayType value)
{
    if (FDisplayType == value || unsigned(value) >= unsigned(DisplayTypeCount))
        return;
    FDisplayType = value;
    if (const auto family = FamilyDigitPositions(value))
        SharedPositions() = *family;
    ApplyLayout();
    update();
}

void TFTPanelFrequency::SetFrequency(int value)
{
    if (FFrequency == value)
        return;
    FFrequency = ClampReadoutFrequency(value);
    FTuningFrequency = FFrequency;
    if (!IsClarifierType(FDisplayType))
        FFrequencyDigits = FrequencyToDigits(FFrequency);
    update();
}

void TFTPanelFrequency::SetIsTuning(bool value)
{
    if (FIsTuning == value)
        return;
    FIsTuning = value;
    update();
}

void TFTPanelFrequency::SetLock(bool value)
{
    if (FLock == value)
        return;
    FLock = value;
    setCursor(value ? Qt::ForbiddenCursor : Qt::CrossCursor);
}

void TFTPanelFrequency::SetMemoryChannel(uint8_t value)
{
    if (FMemoryChannel == value)
        return;
    FMemoryChannel = value;
    update();
}

void TFTPanelFrequency::SetResolution(int value)
{
    if (FResolution == value)
        return;
    FResolution = value;
    FResolutionDigit = ::ResolutionDigit(value);
    update();
}

void TFTPanelFrequency::SetVFOMemoryMode(TVFOMemoryMode value)
{
    if (FVFOMemoryMode == value)
        return;
    FVFOMemoryMode = value;
    update();
}

TReadoutDigits TFTPanelFrequency::ShownDigits() const
{
    if (IsClarifierType(FDisplayType) && !ShowsClarifier(FVFOMemoryMode))
        return MemoryChannelDigits(FMemoryChannel, FVFOMemoryMode);
    return FFrequencyDigits;
}

void TFTPanelFrequency::HitTest(QPoint pos)
{
    FDigit = ReadoutDigitAt(FDisplayType, pos.x(), SharedPositions());
    if (FDigit <= ReadoutDigitCount) {
        FTuneType = ReadoutTuneType(pos.y(), height());
        FMouseOverDigit = FDigit;
    } else {
        FMouseOverDigit = 0;
    }
}

void TFTPanelFrequency::TuningStep()
{
    if (FLock)
        return;
    const int32_t step = ReadoutDigitStep(FDisplayType, FDigit);
    if (step == 0)
        return;
    const int32_t signedStep = FTuneType == tuneUp ? step : -step;
    if (IsClarifierType(FDisplayType)) {
        if (FVFOMemoryMode == vmVFOMode)
            Fire(OnClarifierChange, signedStep);
        update();
        return;
    }
    // Steps build on each other without waiting for the radio; its next report resets the base.
    FTuningFrequency += signedStep;
    if (FVFOMemoryMode == vmVFOMode)
        Fire(OnTuning, FTuningFrequency);
}

void TFTPanelFrequency::mousePressEvent(QMouseEvent* event)
{
    HitTest(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        FTuningTimer->start();
    update();
}

void TFTPanelFrequency::mouseMoveEvent(QMouseEvent* event)
{
    const uint8_t before = FMouseOverDigit;
    HitTest(event->position().toPoint());
    if (FMouseOverDigit != before)
        update(DigitBarsRect());
}

void TFTPanelFrequency::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    HitTest(pos);
    FTuningTimer->stop();
    FMouseOverDigit = 0;
    update(DigitBarsRect());
    if (event->button() == Qt::LeftButton && rect().contains(pos))
        TuningStep(); // the click
}

void TFTPanelFrequency::leaveEvent(QEvent* event)
{
    FTuningTimer->stop();
    FMouseOverDigit = 0;
    update(DigitBarsRect());
    QWidget::leaveEvent(event);
}

QRect TFTPanelFrequency::DigitBarsRect() const
{
    return IsClarifierType(FDisplayType) ? QRect() : rect();
}

void TFTPanelFrequency::DrawDigit(QPainter& p, QPoint origin, int glyph, const QColor& lit)
{
    const TSegmentShape& shape = SegmentShape(FDisplayType);
    const uint8_t on = GlyphSegments(glyph);
    const QColor dim = BGRColor(FColorDim);
    // Unlit first, so a lit segment keeps the pixels two neighbours share.
    for (int pass = 0; pass < 2; ++pass) {
        for (int s = 0; s < 7; ++s) {
            const bool isLit = on & (1 << s);
            if (isLit != (pass == 1))
                continue;
            QPolygon poly;
            for (const QPoint& pt : shape[size_t(s)])
                poly << pt + origin;
            p.setBrush(isLit ? lit : dim);
            p.drawPolygon(poly);
        }
    }
}

void TFTPanelFrequency::DrawFrequencyContents(QPainter& p)
{
    const TDigitPositionTables& positions = SharedPositions();
    const bool smallFT2000 = FDisplayType == dtFT2K_B;
    const int barWidth = IsATypeReadout(FDisplayType) ? 15 : smallFT2000 ? 12 : 9;
    const TDigitPositions& pos = IsATypeReadout(FDisplayType) ? positions.A : positions.B;
    for (int i = 1; i <= ReadoutDigitCount; ++i) {
        QColor c;
        if (i == FResolutionDigit)
            c = BGRColor(smallFT2000 ? FColorGray : FColorDarkBlue);
        else if (i == FMouseOverDigit)
            c = BGRColor(FColorGray);
        else
            c = BGRColor(smallFT2000 ? BarGreyFT2000B : BarBlue);
        const int x = pos[size_t(i - 1)] + 1;
        p.fillRect(QRect(x, 2, barWidth, 1), c);
        p.fillRect(QRect(x, height() - 3, barWidth, 1), c);
    }
    const QColor lit = smallFT2000 ? (FIsTuning ? BGRColor(0xFFFFFF) : BGRColor(FColorGray))
                                   : BGRColor(FIsTuning ? LitBlueTuning : LitBlue);
    const TReadoutDigits digits = ShownDigits();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen); // filled only: the one-pixel seams between segments stay open
    for (int i = 1; i <= ReadoutDigitCount; ++i)
        DrawDigit(p, DigitOrigin(FDisplayType, i, positions), digits[size_t(i - 1)], lit);
    p.restore();
    int size = 3, dx = -7, dy = -3;
    switch (FDisplayType) {
    case dtFT5K_A:
        dx = -5;
        break;
    case dtFT2K_B:
        size = 2, dx = -5, dy = -4;
        break;
    case dtFT5K_B:
        size = 2, dx = -3; // centred in the gap, clear of both digits
        break;
    default:
        break;
    }
    for (int digit : {3, 6})
        p.fillRect(QRect(pos[size_t(digit - 1)] + dx, height() - FTopMargin + dy, size, size), lit);
}

void TFTPanelFrequency::DrawClarifierContents(QPainter& p)
{
    const QColor lime = BGRColor(FColorLime);
    const TReadoutDigits digits = ShownDigits();
    const bool clarifier = ShowsClarifier(FVFOMemoryMode);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0.5, 0.5);
    if (clarifier) {
        const ClarifierMarks& marks = MarksOf(FDisplayType);
        const auto draw = [&p](const Mark& m, const QColor& c) {
            p.setPen(QPen(c, 1.0, Qt::SolidLine, Qt::SquareCap));
            for (const MarkLine& l : m)
                p.drawLine(l.From, l.To);
        };
        const QColor back = BGRColor(FColorBack);
        draw(marks.TX, FClarifierTX ? BGRColor(FColorRed) : back);
        draw(marks.RX, FClarifierRX ? lime : back);
        draw(marks.Plus, FClarifierOffset > 0 ? lime : back);
        draw(marks.Minus, FClarifierOffset < 0 ? lime : back);
    }
    p.restore();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 1; i <= 4; ++i)
        DrawDigit(p, DigitOrigin(FDisplayType, i, SharedPositions()), digits[size_t(i - 1)], lime);
    p.restore();
    if (clarifier)
        p.fillRect(QRect(MarksOf(FDisplayType).Point, QSize(1, 1)), lime);
}

void TFTPanelFrequency::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), BGRColor(FColorBack));
    if (IsClarifierType(FDisplayType))
        DrawClarifierContents(p);
    else
        DrawFrequencyContents(p);
}
