#pragma once
// The "Parametric Microphone Equalizer" dialog: the radio's microphone equalizer as a
// frequency response plot with the equalizer controls below it, the choice of the set being
// edited (speech processor off or on), the radio's SSB TX bandwidth, lines or bars, and a
// restore of the values the radio had when the dialog opened.  Every edit goes to the radio at
// once; "&Close" only closes.

#include "controls/widgets/DPIForm.h"
#include "core/FTCATTypes.h"
#include "core/cat/FTCATInterface.h"

#include <QPointer>
#include <array>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TEqualizerPanel;
class TPlotPanel;
class TRCSpeedButton;

class TTXAudioSettingsForm : public TDPIForm {
    Q_OBJECT
public:
    // The SSB TX bandwidths the radio offers: caption and the band's edges in Hz.
    struct TTXBandwidth {
        const char* Caption;
        int Low;
        int High;
    };
    static constexpr std::array<TTXBandwidth, 6> TXBandwidths = {{
        {"50 - 3000", 50, 3000},
        {"100 - 2900", 100, 2900},
        {"200 - 2800", 200, 2800},
        {"300 - 2700", 300, 2700},
        {"400 - 2600", 400, 2600},
        {"3000 Wide", 40, 3040},
    }};

    explicit TTXAudioSettingsForm(TFTCATInterface* cat, QWidget* owner = nullptr);
    ~TTXAudioSettingsForm() override;

    bool Initalized() const { return FInitalized; }
    uint8_t TXBW() const { return FTXBW; }
    // The value of an item as the radio reported it after opening, and whether it did.
    int32_t RestoreValue(TMicEQ item) const { return FRestore[item]; }
    bool RestoreReceived(TMicEQ item) const { return FReceived[item]; }

    void RequestEqualizerSettings();
    void EqualizerSettingsReceived(int MenuNo, const QString& MenuParameter);
    void ShowTXBandwidth();
    void BWButtonClick(int Tag);
    void MicOrProcClick();
    void PlotRadioGroupClick();
    void RestoreButtonClick();
    void EqualizerPanelChanged();

    QFrame* sBevel1;
    TPlotPanel* PlotPanel;
    QFrame* PanelBW;
    QLabel* LabelTXBandwidth;
    std::array<TRCSpeedButton*, 6> BWButtons{}; // BWButton1 ... BWButton6
    TEqualizerPanel* EqualizerPanel;
    QFrame* PanelButtons;
    QGroupBox* MicOrProcRadioGroup;
    QButtonGroup* MicOrProcButtons;
    QGroupBox* PlotRadioGroup;
    QButtonGroup* PlotButtons;
    QPushButton* RestoreButton;
    QPushButton* CloseButton;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void FirstShow();
    void Unhook();
    void UpdateRestoreButton();

    QPointer<TFTCATInterface> FCAT;
    bool FInitalized = false;
    uint8_t FTXBW = 0;
    bool FHooked = false;
    bool FEdited = false;
    std::array<int32_t, 18> FRestore{};
    std::array<bool, 18> FReceived{};
};

// Shows the dialog modally and frees it when it closes.
void ShowTXAudioSettings(TFTCATInterface* cat, QWidget* owner);
