#pragma once
// The tuning strip's rulers, 356 × 44 at least: the frequency ruler for VFO A or B and the
// clarifier ruler. The operator drags, presses keys or holds the pointer at an edge; the ruler
// reports each move and, 1000 ms after the last release, asks its owner to re-read the radio.

#include "core/RCTypes.h"
#include "dx/DXBandplan.h"
#include "panel/TuningLogic.h"
#include "platform/Clock.h"

#include <QWidget>

class QPainter;

// What both rulers share: the scale, the timers, mouse and keys, and the tick drawing.
class TTuningRulerBase : public QWidget {
    Q_OBJECT
public:
    static constexpr int RulerHeight = 44;
    static constexpr int MinRulerWidth = 356;

    int32_t FrequencyLo() const { return FScale.FrequencyLo; }
    int32_t FrequencyHi() const { return FScale.FrequencyHi; }
    int32_t PositionX() const { return FScale.PositionX; }
    int32_t Resolution() const { return FScale.Resolution; }
    // Units per pixel; 0 or less is refused (the scale divides by it).
    void SetResolution(int32_t value);

    vx::Timer MouseDownTimer;     // scrolls while the button is held at an edge
    vx::Timer UserIsTuningTimer;  // ends a tuning gesture

    TNotifyEvent OnSliderClick;
    TNotifyEvent OnFrequencyRequest;

protected:
    explicit TTuningRulerBase(bool limited, QWidget* parent);

    // The focus property of each ruler (Selected, IsFocused).
    bool SelectedState() const { return FSelected; }
    void SetSelectedState(bool value);

    // The operator's move to x: scrolls at the edges, then reports through OperatorMoved.
    void MoveTo(int x);
    // Ends the gesture as the 1000 ms timer does.
    void EndGesture();
    // Stops both timers and clears the tuning flag without asking the owner.
    void CancelGesture();

    virtual bool Locked() const { return false; }
    virtual bool TuningFlag() const = 0;
    virtual void SetTuningFlag(bool value) = 0;
    // Stores the value of the new position and raises the ruler's change event.
    virtual void OperatorMoved(int64_t value) = 0;
    // Space: true when the ruler handled it completely.
    virtual bool SpaceKey() { return false; }
    virtual void ZeroKey() = 0;
    virtual QString TickLabel(int64_t value) const = 0;
    virtual void TicksDrawn(int firstMajorX) {}
    virtual void DrawMarkers(QPainter& p) = 0;

    // Drawing helpers for the markers.
    void DrawMarkerLines(QPainter& p) const;
    enum class TMarkerColor { Green, Red };
    void DrawMarker(QPainter& p, int x, TMarkerColor color) const;
    void DrawMarkerText(QPainter& p, int x, const QString& text, const QColor& color) const;

    tuning::TRulerScale FScale;
    QFont FFont;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void MouseDownTick();

    bool FSelected = false;
};

// Frequency scale of the tuned VFO with the band plan and markers of both VFOs.
class TTuningPanelSlider : public TTuningRulerBase {
    Q_OBJECT
public:
    explicit TTuningPanelSlider(QWidget* parent = nullptr);

    // One flag for every frequency ruler of the program: the operator is tuning, so radio
    // reports for the tuned VFO are held back.
    static bool UserIsTuning() { return FUserIsTuning; }

    TBand BandA() const { return FBandA; }
    void SetBandA(TBand value);
    TBand BandB() const { return FBandB; }
    void SetBandB(TBand value);
    TBandSegment BandSegment() const { return FBandSegment; }
    void SetBandSegment(const TBandSegment& value);
    int32_t FrequencyA() const { return FFrequencyA; }
    int32_t FrequencyB() const { return FFrequencyB; }
    // The radio's frequency of a VFO.
    void SetFrequency(TVFO vfo, int32_t value);
    void SetFrequencyA(int32_t value) { SetFrequency(vfoA, value); }
    void SetFrequencyB(int32_t value) { SetFrequency(vfoB, value); }
    bool Lock() const { return FLock; }
    void SetLock(bool value) { FLock = value; }
    bool Selected() const { return SelectedState(); }
    void SetSelected(bool value) { SetSelectedState(value); }
    bool Split() const { return FSplit; }
    void SetSplit(bool value);
    TVFO VFO() const { return FVFO; }
    void SetVFO(TVFO value);

    // Marker positions as drawn.
    int MarkerXA() const { return int(FScale.X(FFrequencyA)); }
    int MarkerXB() const { return int(FScale.X(FFrequencyB)); }
    // Whether the VFO A marker is drawn (same band, on the scale, not at the tuned position).
    bool MarkerAShown() const;

    TFrequencyChangeEvent OnFrequencyChange;
    TIntegerEvent OnRuler;
    TNotifyEvent OnScanContinue;

protected:
    bool Locked() const override { return FLock; }
    bool TuningFlag() const override { return FUserIsTuning; }
    void SetTuningFlag(bool value) override { FUserIsTuning = value; }
    void OperatorMoved(int64_t value) override;
    bool SpaceKey() override;
    void ZeroKey() override;
    QString TickLabel(int64_t value) const override;
    void TicksDrawn(int firstMajorX) override;
    void DrawMarkers(QPainter& p) override;

private:
    int32_t& TunedFrequency() { return FVFO == vfoA ? FFrequencyA : FFrequencyB; }

    static bool FUserIsTuning;

    TBand FBandA = bd40;
    TBand FBandB = bd40;
    TBandSegment FBandSegment;
    int32_t FFrequencyA = 7000000;
    int32_t FFrequencyB = 7000000;
    bool FLock = false;
    bool FSplit = false;
    TVFO FVFO = vfoB;
};

// Clarifier offset scale (−9999..9999 Hz); reports each move as a difference in Hz.
class TTuningPanelClarifier : public TTuningRulerBase {
    Q_OBJECT
public:
    explicit TTuningPanelClarifier(QWidget* parent = nullptr);

    int32_t ClarifierOffset() const { return FClarifierOffset; }
    // The radio's offset: placed on the scale and taken as the reference of the next report.
    void SetClarifierOffset(int32_t value);
    int32_t ClarifierOffsetOld() const { return FClarifierOffsetOld; }
    bool IsFocused() const { return SelectedState(); }
    void SetIsFocused(bool value) { SetSelectedState(value); }

    int MarkerX() const { return int(FScale.X(FClarifierOffset)); }

    TIntegerEvent OnClarifierChange;

protected:
    bool TuningFlag() const override { return FUserIsTuning; }
    void SetTuningFlag(bool value) override { FUserIsTuning = value; }
    void OperatorMoved(int64_t value) override;
    void ZeroKey() override;
    QString TickLabel(int64_t value) const override;
    void DrawMarkers(QPainter& p) override;

private:
    int32_t FClarifierOffset = 0;
    int32_t FClarifierOffsetOld = 0;
    bool FUserIsTuning = false;
};
