// The band map's paint routines: scale, band plan bars, VFO markers, spot labels with their
// stacking, the box of the newest spots and the information line.  All paint on the
// off-screen image in logical pixels; horizontal and vertical lines are whole pixel rows and
// columns, so they stay sharp at any device pixel ratio.
#include "dx/widgets/Bandmap.h"
#include "dx/widgets/BandmapPaint.h"

#include "dx/DXSpots.h"
#include "panel/PanelColors.h"
#include "platform/Clock.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <algorithm>

using namespace bandmapdraw;

QFont bandmapdraw::Font()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    return font;
}

namespace {

constexpr int Unanchored = -99999;

const QColor RXPalette[4] = {QColor(0, 64, 0), QColor(0, 128, 0), QColor(0, 191, 0), clMarkerGreen};
const QColor TXPalette[4] = {QColor(68, 17, 0), QColor(136, 34, 0), QColor(204, 51, 0), QColor(204, 51, 0)};

// Hz between two scale labels at resolution R.
int32_t LabelInterval(int32_t resolution)
{
    switch (resolution) {
    case 1: return 50;
    case 10: return 100;
    case 50: return 500;
    case 1000:
    case 2000:
    case 4000:
    case 7000: return 10000;
    case 5000: return 50000;
    case 10000: return 100000;
    default: return 1000;
    }
}

// Text on its own black cell, top-left at (x, top); returns its width.
int WriteText(QPainter& p, const QFontMetrics& fm, int x, int top, const QString& text, const QColor& color)
{
    const int w = fm.horizontalAdvance(text);
    p.fillRect(x, top, w, fm.height(), Qt::black);
    p.setPen(color);
    p.drawText(QPointF(x, top + fm.ascent()), text);
    return w;
}

void DrawMarker(QPainter& p, int y, const QColor (&palette)[4])
{
    for (int d = -3; d <= 3; ++d)
        p.fillRect(92, y + d, 11, 1, palette[3 - std::abs(d)]);
}

} // namespace

int TBandmap::LineHeight() const
{
    return QFontMetrics(FFont).height() + 2;
}

QString TBandmap::FormatScaleFrequency(int32_t frequency) const
{
    QString text = QLocale().toString(qlonglong(frequency));
    text.chop(FResolution < 100 ? 2 : 4);
    return text + QLatin1Char(' ');
}

void TBandmap::PaintScaleLines(QPainter& p)
{
    const int length = std::max(0, ScaleBottom() - ScaleTop);
    p.fillRect(92, ScaleTop, 1, length, clScaleBlue);
    p.fillRect(102, ScaleTop, 1, length, clScaleBlue);
}

void TBandmap::PaintScale(QPainter& p, bool erase)
{
    p.setFont(FFont);
    const QFontMetrics fm(FFont);
    const int h = fm.height();
    if (erase)
        p.fillRect(0, 0, 92, std::max(0, H() - 32), Qt::black);
    const int32_t interval = LabelInterval(FResolution);
    const int32_t tick = std::max(1, interval / 10);
    int64_t f = int64_t(SnapToStep(FBaseFrequency)) - FStepHzPerY;
    for (int y = ScaleBottom(); y >= ScaleTop; --y) {
        f += FStepHzPerY;
        if (f % interval == 0) {
            const QString text = QLatin1Char(' ') + FormatScaleFrequency(int32_t(f));
            WriteText(p, fm, 56 - fm.horizontalAdvance(text), y - h / 2, text, clScaleBlue);
            p.fillRect(83, y, 10, 1, clScaleBlue);
        } else if (f % tick == 0) {
            p.fillRect(89, y, 4, 1, clScaleBlue);
        }
    }
}

void TBandmap::PaintBandSegments(QPainter& p)
{
    const QRect bounds(QPoint(95, ScaleTop), QPoint(99, ScaleBottom() - 1));
    for (int i = 0; i < 3; ++i) {
        const TSegmentRange& range = FBandSegment.Mode[size_t(i)];
        const int top = FrequencyToY(range.Upper);
        const int bottom = FrequencyToY(range.Lower);
        if (bottom <= top)
            continue;
        const QRect bar = QRect(QPoint(95, top), QPoint(99, bottom - 1)).intersected(bounds);
        if (bar.isEmpty())
            continue;
        // One pixel in from the left, top and right.
        const QRect fill(QPoint(bar.left() + 1, bar.top() + 1), QPoint(bar.right() - 1, bar.bottom()));
        if (!fill.isEmpty())
            p.fillRect(fill, BGRColor(BandSegmentColors[size_t(i)]));
    }
}

void TBandmap::PaintMarkers(QPainter& p)
{
    p.fillRect(92, 0, 11, H(), Qt::black);
    PaintBandSegments(p);
    PaintScaleLines(p);
    FMarkerYB = FrequencyToY(FFrequency[vfoB]);
    if (FFrequency[vfoA] != FFrequency[vfoB] && FMarkerYB >= ScaleTop && FMarkerYB <= ScaleBottom())
        DrawMarker(p, FMarkerYB, FSplit ? TXPalette : RXPalette);
    FMarkerYA = FrequencyToY(FFrequency[vfoA]);
    DrawMarker(p, FMarkerYA, FSplit ? RXPalette : TXPalette);

    p.fillRect(57, 0, 25, H(), Qt::black);
    if (FSplit) {
        // The bracket from B's marker to A's.
        p.fillRect(60, FMarkerYB, 22, 1, clDimBlue);
        p.fillRect(60, std::min(FMarkerYA, FMarkerYB), 1, std::abs(FMarkerYA - FMarkerYB) + 1, clDimBlue);
        p.fillRect(60, FMarkerYA, 22, 1, clDimBlue);
    }
    p.setFont(FFont);
    const QFontMetrics fm(FFont);
    const int half = fm.height() / 2;
    auto marker = [&](const QString& text, int y, const QColor& color) {
        WriteText(p, fm, 82 - fm.horizontalAdvance(text) - 3, y - half, text, color);
    };
    if (FSplit) {
        marker(QStringLiteral("RX"), FMarkerYA, clMarkerGreen);
        marker(QStringLiteral(" TX"), FMarkerYB, clTXRed);
    } else {
        marker(QStringLiteral("B"), FMarkerYB, clMarkerGreen);
        marker(QStringLiteral("TX"), FMarkerYA, clTXRed);
    }
}

void TBandmap::BuildSpotLists(int32_t low, int32_t high)
{
    FBandSpotCount = 0;
    FSpotDataList.clear();
    FLast20SpotsDataList.clear();
    FGroupOrder.clear();
    if (!FDXSpots)
        return;
    const TBand band = FVFO == vfoA ? FBandA : FBandB;
    const QDateTime now = UTCNow();
    const TBandmapDataList& list = FDXSpots->BandmapDataList();
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        if (it->Band != band)
            continue;
        ++FBandSpotCount;
        if (it->FrequencyA >= low && it->FrequencyA <= high) {
            TBandmapSpotData d;
            d.SpotID = it->SpotID;
            d.Frequency = it->FrequencyA;
            d.Color = it->Color;
            // "%s  (%d min %d°)", built by appending: thousands of labels at the widest zoom.
            QString info;
            info.reserve(it->Call.size() + 20);
            info += it->Call;
            info += QLatin1String("  (");
            info += QString::number(WholeMinutesBetween(now, it->TimeStamp));
            info += QLatin1String(" min ");
            info += QString::number(it->Bearing);
            info += QStringLiteral("°)");
            d.SpotInfo = CutText(info, TBandmapSpotData::SpotInfoWidth);
            FSpotDataList.push_back(std::move(d));
        }
        if (FLast20SpotsDataList.size() < size_t(LastSpotsCount)) {
            TBandmapSpotData d;
            d.SpotID = it->SpotID;
            d.Call = CutText(it->Call, TBandmapSpotData::CallWidth);
            d.Frequency = it->FrequencyA;
            d.SpotInfo = it->Call;
            d.Color = it->Color;
            FLast20SpotsDataList.push_back(std::move(d));
        }
    }
    // Groups are painted from one sorted pass instead of a walk of the list per 100 Hz.
    FGroupOrder.resize(FSpotDataList.size());
    for (size_t i = 0; i < FGroupOrder.size(); ++i)
        FGroupOrder[i] = uint32_t(i);
    std::stable_sort(FGroupOrder.begin(), FGroupOrder.end(), [this](uint32_t a, uint32_t b) {
        return FSpotDataList[a].Frequency / 100 < FSpotDataList[b].Frequency / 100;
    });
}

void TBandmap::PaintSpots(QPainter& p, bool rebuild)
{
    const int32_t edges[6] = {FBandSegment.Mode[0].Lower, FBandSegment.Mode[0].Upper, FBandSegment.Mode[1].Lower,
                              FBandSegment.Mode[1].Upper, FBandSegment.Mode[2].Lower, FBandSegment.Mode[2].Upper};
    for (size_t i = 0; i < 6; ++i)
        FSegmentLineY[i] = FrequencyToY(SnapToStep(edges[i]));
    p.fillRect(103, 0, std::max(0, W() - 103), H(), Qt::black);
    FInfoText.clear();
    for (int y : FSegmentLineY)
        if (y >= ScaleTop && y <= ScaleBottom())
            p.fillRect(103, y, std::max(0, W() - 103), 1, clSegmentLine);
    if (rebuild) {
        ++FSpotPaintCount;
        FLastSpotPaintMs = vx::Clock::monotonicMs();
        FSpotsPainted = true;
        FSpotPaintTimer->stop();
    }
    if (!FDXSpots) {
        FSpotDataList.clear();
        FLast20SpotsDataList.clear();
        FGroupOrder.clear();
        FBandSpotCount = 0;
        return;
    }
    if (rebuild)
        BuildSpotLists(FBaseFrequency, YToFrequency(ScaleTop));

    // Runs of one 100 Hz group in FGroupOrder, lowest group first.
    struct TRun {
        int Group;
        size_t First, Last;
    };
    std::vector<TRun> runs;
    for (size_t i = 0; i < FGroupOrder.size();) {
        const int group = FSpotDataList[FGroupOrder[i]].Frequency / 100;
        size_t j = i + 1;
        while (j < FGroupOrder.size() && FSpotDataList[FGroupOrder[j]].Frequency / 100 == group)
            ++j;
        runs.push_back({group, i, j});
        i = j;
    }

    FLowerAnchorY = Unanchored;
    int upperAnchor = Unanchored;
    const int tunedGroup = TunedFrequency() / 100;
    p.setFont(FFont);
    size_t k = 0;
    while (k < runs.size() && runs[k].Group < tunedGroup)
        ++k;
    size_t up = k;
    if (k < runs.size() && runs[k].Group == tunedGroup) {
        PaintSpotGroup(p, tunedGroup, 0, upperAnchor, runs[k].First, runs[k].Last);
        ++up;
    }
    for (size_t j = up; j < runs.size(); ++j)
        PaintSpotGroup(p, runs[j].Group, -1, upperAnchor, runs[j].First, runs[j].Last);
    for (size_t j = k; j-- > 0;)
        PaintSpotGroup(p, runs[j].Group, +1, FLowerAnchorY, runs[j].First, runs[j].Last);
    PaintLastSpots(p);
}

void TBandmap::PaintSpotGroup(QPainter& p, int group, int direction, int& anchor, size_t first, size_t last)
{
    const QFontMetrics fm(FFont);
    const int line = fm.height() + 2;
    const int half = line / 2;
    const int x0 = LabelColumn();
    const int y = FrequencyToY(int64_t(group) * 100);
    int toY = y;
    if (anchor != Unanchored) {
        if (direction < 0 && y + line >= anchor)
            toY = anchor - line;
        else if (direction > 0 && y - line <= anchor)
            toY = anchor + line;
    }
    anchor = toY;
    if (FLowerAnchorY == Unanchored)
        FLowerAnchorY = y;

    // The leader from the scale to the label line, the same for every spot of the group.  A
    // line pushed out of the view keeps only the stub at its frequency: hundreds of leaders
    // running off the image would hide the scale behind a solid fan.
    const QColor pen = group == TunedFrequency() / 100 ? clMarkerGreen : clScaleBlue;
    const bool lineShown = toY + half > 0 && toY - half < H();
    if (y >= 0 && y < H())
        p.fillRect(103, y, x0 + 5 - 102, 1, pen);
    if (lineShown) {
        p.fillRect(x0 + 35, toY, 6, 1, pen);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(pen, 1.0));
        p.drawLine(QPointF(x0 + 35.5, toY + 0.5), QPointF(x0 + 5.5, y + 0.5));
        p.setRenderHint(QPainter::Antialiasing, false);
    }

    int xOff = 0;
    for (size_t i = first; i < last; ++i) {
        TBandmapSpotData& d = FSpotDataList[FGroupOrder[i]];
        d.Y = y;
        d.ToY = toY;
        const int left = x0 + xOff + 44;
        int w;
        if (lineShown && left < W()) {
            w = WriteText(p, fm, left, toY - half, d.SpotInfo, BGRColor(d.Color));
        } else {
            // Outside the image the label is neither seen nor hit: measuring its text exactly
            // (shaping it) would cost more than all the labels that are drawn.
            w = int(d.SpotInfo.size()) * fm.averageCharWidth();
        }
        d.SpotRect = QRect(left, toY - half, w, 2 * half);
        xOff += w + 6;
    }
}

void TBandmap::PaintLastSpots(QPainter& p)
{
    const QFontMetrics fm(FFont);
    const int line = fm.height() + 2;
    const QRect r = FLastSpotsRect;
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(r, Qt::black);
    p.fillRect(r.left(), r.top(), r.width(), 1, clDimBlue);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, clDimBlue);
    p.fillRect(r.left(), r.top(), 1, r.height(), clDimBlue);
    p.fillRect(r.right(), r.top(), 1, r.height(), clDimBlue);
    p.setFont(FFont);
    int y = r.top() + 4;
    for (TBandmapSpotData& d : FLast20SpotsDataList) {
        y += line;
        d.SpotRect = QRect(QPoint(r.left() + 4, y), QPoint(W() - 4 - 1, y + line - 1));
        d.Y = y;
        d.ToY = y;
        const QColor color = BGRColor(d.Color);
        WriteText(p, fm, r.left() + 4, y, d.Call, color);
        const QString frequency = FrequencyToKHzText(d.Frequency);
        WriteText(p, fm, r.right() + 1 - 4 - fm.horizontalAdvance(frequency), y, frequency, color);
    }
    QString heading;
    if (FBandSpotCount == 1)
        heading = QStringLiteral("Last spot");
    else if (FBandSpotCount >= 2 && FBandSpotCount < LastSpotsCount)
        heading = QStringLiteral("Last %1 spots").arg(FBandSpotCount);
    else if (FBandSpotCount >= LastSpotsCount)
        heading = QStringLiteral("Last %1 spots of %2").arg(LastSpotsCount).arg(FBandSpotCount);
    if (!heading.isEmpty())
        WriteText(p, fm, r.left() + 4, r.top() + 4, heading, clScaleBlue);
}

void TBandmap::ShowSpotInfo(const QString& text)
{
    FInfoText = text;
    if (FBitmap.isNull() || !FBitmapValid)
        return;
    QPainter p(&FBitmap);
    p.fillRect(QRect(QPoint(146, H() - 32), QPoint(W() - 4 - 1, H() - 17 - 1)), Qt::black);
    if (text.isEmpty())
        return;
    p.setFont(FFont);
    p.setClipRect(QRect(QPoint(146, H() - 32), QPoint(W() - 4 - 1, H() - 17 - 1)));
    WriteText(p, QFontMetrics(FFont), 146, H() - 32, text, LabelColor());
}
