#pragma once
// The tuning strip below the right half of the front panel: a header with the tuned-VFO
// selector, SPLIT, the split offset (QSX) and the display bandwidth; one ruler (VFO A or B, or
// the clarifier); a row of thirteen split offset buttons. It owns no radio logic: it forwards
// the rulers' events and shows what its owner writes into it.

#include "controls/widgets/BandmapControls.h"
#include "core/RCTypes.h"
#include "dx/DXSpots.h"
#include "panel/widgets/TuningRulers.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <array>

enum TTuningControlType : uint8_t { tcVFOA, tcVFOB, tcClarifier };

class TTuningPanel3 : public QWidget {
    Q_OBJECT
public:
    static constexpr int StripHeight = 98;
    static constexpr int MinStripWidth = 356;

    explicit TTuningPanel3(QWidget* parent = nullptr);
    ~TTuningPanel3() override;

    TBand BandA() const { return FBandA; }
    void SetBandA(TBand value) { FBandA = value; }
    TBand BandB() const { return FBandB; }
    void SetBandB(TBand value);
    int32_t Bandwidth() const { return FBandwidth; }
    int32_t ClarifierOffset() const { return FClarifierOffset; }
    void SetClarifierOffset(int32_t value);
    TDXSpots* DXSpots() const { return FDXSpots; }
    void SetDXSpots(TDXSpots* value);
    int32_t FrequencyA() const { return FFrequencyA; }
    void SetFrequencyA(int32_t value);
    int32_t FrequencyB() const { return FFrequencyB; }
    void SetFrequencyB(int32_t value);
    bool IsFocused() const { return FIsFocused; }
    void SetIsFocused(bool value);
    bool Lock() const { return FLock; }
    void SetLock(bool value) { FLock = value; }
    int ResolutionIndex() const { return FResolutionIndex; }
    bool Split() const { return FSplit; }
    void SetSplit(bool value);
    TTuningControlType TuningControl() const { return FTuningControl; }
    void SetTuningControl(TTuningControlType value);

    // Display bandwidth steps, as the arrow buttons do.
    void BandwidthUp();
    void BandwidthDown();

    TIntegerEvent OnClarifierChange;
    TIntegerEvent OnSplitClick;
    TFrequencyChangeEvent OnFrequencyChange;
    TNotifyEvent OnFrequencyRequest;
    TNotifyEvent OnSliderClick;
    TNotifyEvent OnSplit;

    // Child controls, under the names the owner and the tests use.
    TSplitButton* VFOButton;
    TSplitButton* SplitButton;
    TSplitButton* QSXButton;
    TBandmapLabel* QSXLabel1;
    TBandmapLabel* QSXLabel2;
    TBandmapLabel* BandWidthLabel;
    TArrowButton* BandwidthDownButton;
    TArrowButton* BandwidthUpButton;
    TTuningPanelSlider* Slider;
    TTuningPanelClarifier* Clarifier;
    TSplitButton* SplitDown;
    TSplitButton* SplitDown10;
    TSplitButton* SplitDown5;
    TSplitButton* SplitDown3;
    TSplitButton* SplitDown2;
    TSplitButton* SplitDown1;
    TSplitButton* SplitTransceive;
    TSplitButton* SplitUp1;
    TSplitButton* SplitUp2;
    TSplitButton* SplitUp3;
    TSplitButton* SplitUp5;
    TSplitButton* SplitUp10;
    TSplitButton* SplitUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowQSX();
    void ApplyBandSegment();
    void ChangeBandwidth(int step);
    void VFOButtonClick();
    void FocusChanged(QWidget* old, QWidget* now);

    QPointer<TDXSpots> FDXSpots;
    TBand FBandA = bd40;
    TBand FBandB = bd40;
    int32_t FBandwidth = 3000;
    int32_t FClarifierOffset = 0;
    int32_t FFrequencyA = 7000000;
    int32_t FFrequencyB = 7000000;
    bool FIsFocused = false;
    bool FLock = false;
    int FResolutionIndex = 2;
    bool FSplit = false;
    TTuningControlType FTuningControl = tcVFOB;
    QMetaObject::Connection FFocusConnection;
};
