#pragma once
// The Enter Frequency dialog: a frequency in megahertz typed into a mask of two megahertz and
// six fraction places, for VFO A or VFO B.

#include "controls/widgets/DPIForm.h"

#include <QString>
#include <cstdint>
#include <optional>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;

class TEnterFrequencyForm : public TDPIForm {
    Q_OBJECT
public:
    explicit TEnterFrequencyForm(QWidget* owner = nullptr);

    // The mask's text for a frequency: megahertz with six places, a blank in front of a
    // one-digit megahertz (7.025 MHz: " 7.025000").
    static QString FrequencyText(int32_t Hz);
    // The typed text in hertz: blanks removed, whole megahertz before the ".", the fraction
    // padded to six digits; nullopt for text that is no frequency.
    static std::optional<int32_t> TextToFrequency(const QString& Text);

    // True when VFO B is chosen.
    bool VFOB() const;

    QGroupBox* VFORadioGroup;
    QRadioButton* VFOARadio;
    QRadioButton* VFOBRadio;
    QLineEdit* MaskEdit;
    QPushButton* OKBtn;
};
