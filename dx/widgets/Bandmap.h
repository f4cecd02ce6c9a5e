#pragma once
// TBandmap: the "Band Map" tab.  A vertical frequency scale of the tuned band with the band
// plan bars, the VFO A and VFO B markers and the spots of the spot engine written beside the
// scale; the operator tunes by clicking, dragging, keys and edge scroll, and zooms the display
// bandwidth.  A row of labels at the bottom shows the frequency under the mouse and switches
// VFO, split, lock, A>B and A<B.
//
// Everything is drawn into an off-screen image and copied to the screen in one step.  Under a
// cluster flood the spot area is repainted at most every SpotPaintInterval ms; markers and
// tuning are painted at once.

#include "controls/widgets/BandmapControls.h"
#include "core/RCTypes.h"
#include "core/cat/FTCATInterface.h"
#include "dx/BandmapList.h"
#include "dx/DXBandplan.h"
#include "dx/DXSpots.h"
#include "panel/PanelLinks.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

namespace vx {
class Timer;
} // namespace vx

class TBandmap : public QWidget, public TBandmapLink {
    Q_OBJECT
public:
    // R (Hz per 10 pixels) by resolution index; index 0 is never used.
    static constexpr std::array<int32_t, 18> Resolutions = {1,   10,  50,  100,  200,  300,  400,  500,  600,
                                                            700, 800, 900, 1000, 2000, 4000, 5000, 7000, 10000};
    static constexpr int MinResolutionIndex = 1;
    static constexpr int MaxResolutionIndex = 17;
    static constexpr int StartResolutionIndex = 4;
    // The CAT engine's frequency range; tuning and the scale stay inside it.
    static constexpr int32_t MinFrequency = 30000;
    static constexpr int32_t MaxFrequency = 60000000;
    static constexpr int ScaleTop = 10;
    static constexpr int ScaleBottomMargin = 40; // the scale ends at y = H - 40
    static constexpr int SpotAreaLeft = 142;     // mouse: spot area at and right of this x
    static constexpr int MouseDownInterval = 250;
    static constexpr int UserIsTuningInterval = 2000;
    static constexpr int SpotPaintInterval = 100;
    static constexpr int LastSpotsCount = 20;

    explicit TBandmap(QWidget* parent = nullptr);
    ~TBandmap() override;

    // ---- What the front panel drives (TBandmapLink) ---------------------------------------
    void SetFrequencyA(int32_t value) override;
    void SetFrequencyB(int32_t value) override;
    void SetBandA(TBand value) override;
    void SetBandB(TBand value) override;
    void SetLock(bool value) override;
    void SetSplit(bool value) override;
    // Rebuilds the spot lists and repaints the spot area (paced, see SpotPaintInterval).
    void Changed() override;

    // ---- Properties ---------------------------------------------------------------------
    TBand BandA() const { return FBandA; }
    TBand BandB() const { return FBandB; }
    int32_t FrequencyA() const { return FFrequency[vfoA]; }
    int32_t FrequencyB() const { return FFrequency[vfoB]; }
    bool Lock() const { return FLock; }
    bool Split() const { return FSplit; }
    TDXSpots* DXSpots() const { return FDXSpots.data(); }
    void SetDXSpots(TDXSpots* value);
    TFTCATInterface* FTCATInterface() const { return FFTCATInterface.data(); }
    void SetFTCATInterface(TFTCATInterface* value);

    // ---- View state ---------------------------------------------------------------------
    int32_t BaseFrequency() const { return FBaseFrequency; }
    int PositionY() const { return FPositionY; }
    int32_t Resolution() const { return FResolution; }
    int ResolutionIndex() const { return FResolutionIndex; }
    int32_t StepHzPerY() const { return FStepHzPerY; }
    TVFO VFO() const { return FVFO; }
    bool IsFocused() const { return FIsFocused; }
    uint16_t RefreshTime() const { return FRefreshTime; }
    // Full paints so far (OnDebugCount reports each).
    int DebugCount() const { return FDebugCount; }
    // Paints of the spot area with a rebuilt spot list so far.
    int SpotPaintCount() const { return FSpotPaintCount; }
    const TBandSegment& BandSegment() const { return FBandSegment; }
    // The operator is tuning by mouse or keys: incoming frequencies of the tuned VFO are
    // dropped.  One for the whole program.
    static bool UserIsTuning() { return FUserIsTuning; }

    // ---- Geometry -------------------------------------------------------------------------
    int FrequencyToY(int64_t frequency) const;
    int32_t YToFrequency(int y) const;
    // The nearest multiple of StepHzPerY; halfway goes up.
    int32_t SnapToStep(int32_t frequency) const;

    // ---- Operations -------------------------------------------------------------------------
    void TuneToY(int y);
    void ChangeResolution(bool up);
    void SetResolution(int32_t resolution);
    void SetVFO(TVFO value);
    // Repaint interval in ms; 0 paints every change at once.
    void SetRefreshTime(uint16_t value);
    void SetIsFocused(bool value);
    // Paints what is pending (markers or everything) and copies the image to the screen.
    void RefreshChanged();
    // The full paint: scale, markers, spots; counts in DebugCount.
    void FullPaint();

    // ---- What the last paint left -------------------------------------------------------
    const QImage& Bitmap() const { return FBitmap; }
    // Labels of the spots inside the visible window, newest first.
    const std::vector<TBandmapSpotData>& SpotDataList() const { return FSpotDataList; }
    // The newest spots of the band, at most 20, newest first.
    const std::vector<TBandmapSpotData>& Last20SpotsDataList() const { return FLast20SpotsDataList; }
    int BandSpotCount() const { return FBandSpotCount; }
    int MarkerYA() const { return FMarkerYA; }
    int MarkerYB() const { return FMarkerYB; }
    const std::array<int, 6>& SegmentLineY() const { return FSegmentLineY; }
    QRect LastSpotsRect() const { return FLastSpotsRect; }
    // Text of the information line.
    QString InfoText() const { return FInfoText; }
    // Whether the point is on a label of a visible spot; shows the spot's information.
    bool ShowSpotInfoAt(QPoint p);
    // The spot under the point (spot labels first, then the last-spots box); 0 for none.
    int32_t SpotIDAt(QPoint p) const;
    // Height of one text line of the spot labels.
    int LineHeight() const;

    TIntegerEvent OnDebugCount;

    // ---- Children -----------------------------------------------------------------------
    TBandmapLabel* SplitLabel;
    TBandmapLabel* LockLabel;
    TBandmapLabel* VFOLabel;
    TBandmapLabel* AToBLabel;
    TBandmapLabel* BToALabel;
    TBandmapLabel* FrequencyLabel;
    TBandmapLabel* BandwidthLabel;
    TArrowButton* BandwidthDownButton;
    TArrowButton* BandwidthUpButton;
    TBandmapScope* BandmapScope;
    vx::Timer* MouseDownTimer;
    vx::Timer* UserIsTuningTimer;
    vx::Timer* RefreshTimer;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int H() const { return height(); }
    int W() const { return width(); }
    int ScaleBottom() const { return height() - ScaleBottomMargin; }
    bool Locked() const { return FVFO == vfoA && FLock; }
    int32_t& Tuned() { return FFrequency[FVFO]; }
    int32_t TunedFrequency() const { return FFrequency[FVFO]; }
    // The spot label column starts here (right of the scope while it is shown).
    int LabelColumn() const;

    void SetFrequency(TVFO vfo, int32_t value, bool force);
    // Keeps the scale inside the frequency range after the tuned frequency or the base moved:
    // a clamped tuned frequency stays at the marker, a clamped base moves the marker.
    void KeepInRange(bool tunedClamped);
    void MarkChanged(uint8_t what);
    void CopyToScreen();
    void UpdateBandwidthLabel();
    void UpdateFrequencyLabel(int y);
    void UpdateLabelColors();
    void LayoutChildren();
    void ClearScope();
    void UserIsTuningTick();
    void MouseDownTick();
    void StopTuningTimers();
    // The image at the widget's size and the ratio of the device it is shown on.
    bool EnsureBitmap(qreal dpr);
    QColor LabelColor() const;

    // Paint routines, on the off-screen image.
    void PaintScaleLines(QPainter& p);
    void PaintScale(QPainter& p, bool erase);
    void PaintMarkers(QPainter& p);
    void PaintBandSegments(QPainter& p);
    void PaintSpots(QPainter& p, bool rebuild);
    void BuildSpotLists(int32_t low, int32_t high);
    void PaintSpotGroup(QPainter& p, int group, int direction, int& anchor, size_t first, size_t last);
    void PaintLastSpots(QPainter& p);
    void ShowSpotInfo(const QString& text);
    void PaintSpotsNow();
    QString FormatScaleFrequency(int32_t frequency) const;

    QPointer<TDXSpots> FDXSpots;
    QPointer<TFTCATInterface> FFTCATInterface;
    std::vector<TBandmapSpotData> FSpotDataList;
    std::vector<TBandmapSpotData> FLast20SpotsDataList;
    // Indexes of FSpotDataList by 100 Hz group, list order kept within a group.
    std::vector<uint32_t> FGroupOrder;
    TBand FBandA = bd40;
    TBand FBandB = bd40;
    TBandSegment FBandSegment;
    int32_t FBaseFrequency = 7000000;
    int FDebugCount = 0;
    std::array<int32_t, 2> FFrequency{7000000, 7000000};
    uint8_t FFrequencyChanged = 0;
    bool FIsFocused = false;
    bool FLock = false;
    QImage FBitmap;
    bool FBitmapValid = false;
    bool FInPaintEvent = false;
    int FPositionY = 0;
    uint16_t FRefreshTime = 0;
    int32_t FResolution = 200;
    int FResolutionIndex = StartResolutionIndex;
    bool FSplit = false;
    int32_t FStepHzPerY = 20;
    TVFO FVFO = vfoA;

    QPoint FLastMousePos;
    int FMarkerYA = 0;
    int FMarkerYB = 0;
    int FLowerAnchorY = -99999;
    std::array<int, 6> FSegmentLineY{-1, -1, -1, -1, -1, -1};
    int FBandSpotCount = 0;
    QRect FLastSpotsRect;
    QString FInfoText;
    QFont FFont;

    // Pacing of spot-area paints.
    vx::Timer* FSpotPaintTimer;
    qint64 FLastSpotPaintMs = 0;
    bool FSpotsPainted = false;
    int FSpotPaintCount = 0;

    static bool FUserIsTuning;
};
