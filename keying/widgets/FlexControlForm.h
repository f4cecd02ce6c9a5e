#pragma once
// The FlexControl settings dialog: which action each AUX button and the knob button run per
// click kind, the acceleration factor with the dial step it gives at 22 events per 250 ms,
// and a legend of what the knob's LEDs mean.  OK stores the choices, writes the settings and
// restarts the knob; Cancel changes nothing.

#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TDMFlexControl;

// Registers the legend's LED pictures "FLEXCONTROL_LED_ON" and "FLEXCONTROL_LED_OFF" (33 x 14)
// once; later calls do nothing.
void RegisterFlexControlArt();

class TFlexControlForm : public QDialog {
    Q_OBJECT
public:
    explicit TFlexControlForm(TDMFlexControl* module, QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    QComboBox* AUX1ComboS;
    QComboBox* AUX2ComboS;
    QComboBox* AUX3ComboS;
    QComboBox* AUX1ComboD;
    QComboBox* AUX2ComboD;
    QComboBox* AUX3ComboD;
    QComboBox* AUX1ComboL;
    QComboBox* AUX2ComboL;
    QComboBox* AUX3ComboL;
    QGroupBox* GroupBox2;
    QComboBox* KnobComboS1;
    QComboBox* KnobComboS2;
    QComboBox* KnobComboD1;
    QComboBox* KnobComboD2;
    QComboBox* KnobComboL1;
    QComboBox* KnobComboL2;
    QGroupBox* GroupBox3;
    QGroupBox* sGroupBox1;
    QSpinBox* SpinEdit1;
    QLabel* Label1;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QPushButton* DefaultsButton;

    // The combo of slot 1 to 15.
    QComboBox* SlotCombo(int Slot) const;

    void SpinEdit1Change();
    void DefaultsButtonClick();
    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* NewCombo(QWidget* parent, int x, int y);
    QLabel* NewLabel(QWidget* parent, const QString& text, int x, int y, int width = -1);
    void BuildLEDLegend();

    TDMFlexControl* FModule;
    std::array<QComboBox*, 15> FSlotCombos{};
    bool FPlaced = false;
};
