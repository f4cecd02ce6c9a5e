#pragma once
// The strip of controls that edits the three bands of the microphone equalizer set being
// shown, sends every change to the radio at once as an EX menu command, and draws the
// response of each band and of their sum into a plot.

#include "client/CoordMapping.h"
#include "client/Equalizer.h"
#include "client/widgets/PlotPanel.h"
#include "core/cat/FTCATInterface.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QSpinBox;

class TEqualizerPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 670;
    static constexpr int PanelHeight = 89;

    explicit TEqualizerPanel(QWidget* parent = nullptr);
    ~TEqualizerPanel() override;

    // The CAT engine that carries the edits; the gain floor follows its model (-20 dB on the
    // FT-2000 and FT-2000D, -10 dB on the FT-950 and FT DX 5000).
    TFTCATInterface* FTCATInterface() const { return FFTCATInterface; }
    void SetFTCATInterface(TFTCATInterface* value);
    TPlotPanel* PlotPanel() const { return FPlotPanel; }
    void SetPlotPanel(TPlotPanel* value);
    TEqualizer* Equalizer() const { return FEqualizer.get(); }
    bool PlotUpdate() const { return FPlotUpdate; }
    void SetPlotUpdate(bool value) { FPlotUpdate = value; }

    // Raised after each change the operator made, with the control.
    std::function<void(QObject* Sender)> OnChanged;

    // Draws the responses of the bands (and their sum) into the plot.
    void UpdatePlot();
    // Sends all 18 values of both sets, Mic items first.
    void SaveAll();
    // The operator's edits: a list's new selection or a gain or bandwidth control's new value;
    // tag 1 low frequency, 2 low gain, 3 low bandwidth, 4 to 6 mid, 7 to 9 high.
    void FrequencyBoxClick(int Tag);
    void UpDownClick(int Tag);
    // Centre frequency of a band in Hz from its list: 0 while "- off -" is selected.
    static int BandFrequency(const QComboBox* list);
    // The band's filter from the panel's controls, and its response in dB at f Hz.
    void ComputeCoefficients();
    double BandResponse(double f, TEqualizerBand band) const;

    // Band colours (0x00BBGGRR): low, mid, high; the sum and bar colour.
    static constexpr uint32_t BandColor[3] = {0xFF7E40, 0xFCDB83, 0x33CC99};
    static constexpr uint32_t SumColor = 0x33CC;

    QFrame* ShapeLow;
    QFrame* ShapeMid;
    QFrame* ShapeHigh;
    QLabel* LabelLow;
    QLabel* LabelMid;
    QLabel* LabelHigh;
    QComboBox* FLowBox;
    QComboBox* FMidBox;
    QComboBox* FHighBox;
    // Each gain and bandwidth control is the edit and its up-down in one: the arrows, the arrow
    // keys and a value typed and confirmed (Enter or leaving the field) all count as an edit.
    QSpinBox* GLowBar;
    QSpinBox* GMidBar;
    QSpinBox* GHighBar;
    QSpinBox* QLowBar;
    QSpinBox* QMidBar;
    QSpinBox* QHighBar;

    QComboBox* FrequencyBox(TEqualizerBand band) const;
    QSpinBox* GainBar(TEqualizerBand band) const;
    QSpinBox* QBar(TEqualizerBand band) const;

private:
    // Shows one item's value in its control when its set is the one shown.
    void ShowItem(TMicEQ item);
    void LoadControls();
    void UserEdit(int tag, int value, QObject* sender);
    QWidget* ControlOfTag(int tag) const;

    std::unique_ptr<TEqualizer> FEqualizer;
    QPointer<TFTCATInterface> FFTCATInterface;
    QPointer<TPlotPanel> FPlotPanel;
    TCoordMapping FCoordMapping;
    bool FPlotUpdate = true;
    // Set while the controls are filled from the model, so that is not taken as an edit.
    bool FLoading = false;
    std::array<TPeakingFilter, 3> FCoefficients{};
};
