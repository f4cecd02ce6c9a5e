#pragma once
// A small segment bar on the LCD: the sub receiver's S-meter or the radio's offset bargraph.
// Its kind fixes its size, its segment count and how a reading becomes lit segments.

#include "core/RCTypes.h"
#include "panel/MeterLogic.h"

#include <QWidget>

class TFTxBargraph : public QWidget {
    Q_OBJECT
public:
    explicit TFTxBargraph(QWidget* parent = nullptr);

    QString Bargraph() const { return FBargraph; }
    // Stores the radio's bargraph text; the caller repaints.
    void SetBargraph(const QString& value);
    TBargraphType BargraphType() const { return FBargraphType; }
    void SetBargraphType(TBargraphType value);
    uint8_t MeterValue() const { return FMeterValue; }
    void SetMeterValue(uint8_t value);
    uint8_t Bars() const { return FBars; }

    TByteEvent OnBars;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplyKind();

    QString FBargraph;
    TBargraphType FBargraphType = btSMeterA;
    uint8_t FBars = 0;
    uint32_t FColorBack = 0x000000;
    uint32_t FColorBright = 0xD1D1D1;
    uint32_t FColorDim = 0x212121;
    uint32_t FColorS9Plus = 0xFF9966;
    uint8_t FMeterValue = 0;
};
