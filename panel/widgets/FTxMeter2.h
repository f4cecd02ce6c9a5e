#pragma once
// The radio's main meter on the front panel.  The digital face shows the S-meter bar and the bar
// of the quantity chosen with the meter switch under their scales; the analog face draws a
// needle over a meter picture.  A click switches the meter off and on.

#include "core/FTCATTypes.h"
#include "core/RCTypes.h"

#include <QString>
#include <QWidget>

class TFTxMeter2 : public QWidget {
    Q_OBJECT
public:
    explicit TFTxMeter2(QWidget* parent = nullptr);

    bool DigitalMeter() const { return FDigitalMeter; }
    void SetDigitalMeter(bool value);
    TMeterSwitch MeterSwitch() const { return FMeterSwitch; }
    void SetMeterSwitch(TMeterSwitch value);
    uint8_t MeterValue() const { return FMeterValue; }
    void SetMeterValue(uint8_t value);
    bool ShowMeter() const { return FShowMeter; }
    void SetShowMeter(bool value);
    uint8_t SMeterValue() const { return FSMeterValue; }
    void SetSMeterValue(uint8_t value);
    TTransceiver Transceiver() const { return FTransceiver; }
    void SetTransceiver(TTransceiver value);
    bool Transmitting() const { return FTransmitting; }
    void SetTransmitting(bool value);

    uint8_t Bars1() const { return FBars1; }
    uint8_t Bars2() const { return FBars2; }
    // The reading the needle shows: the last one written, S-meter or meter.
    uint8_t NeedleValue() const { return FNeedleValue; }
    // x offset of the digital face.
    int Offset() const { return FOffset; }
    // Names of the pictures in use: scale over the S-meter bar, meter scale, its overlay, analog face.
    QString Bitmap1() const { return FBitmap1; }
    QString Bitmap2() const { return FBitmap2; }
    QString Bitmap3() const { return FBitmap3; }
    QString Bitmap4() const { return FBitmap4; }

    TByteEvent OnBars1;
    TByteEvent OnBars2;
    TSwitchEvent OnShow;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Click();
    void SetBars1(uint8_t value);
    void SetBars2(uint8_t value);
    QRect Bar1Rect() const;
    QRect Bar2Rect() const;

    uint8_t FBars1 = 0;
    uint8_t FBars2 = 0;
    QString FBitmap1 = QStringLiteral("FT950_METER_1_SMETER");
    QString FBitmap2 = QStringLiteral("FT950_METER_6_SWR");
    QString FBitmap3 = QStringLiteral("FT950_METER_6_SWR_2");
    QString FBitmap4 = QStringLiteral("FT2000_METER");
    bool FDigitalMeter = true;
    TMeterSwitch FMeterSwitch = mtSWR;
    uint8_t FMeterValue = 0;
    uint8_t FNeedleValue = 0;
    bool FShowMeter = true;
    uint8_t FSMeterValue = 0;
    TTransceiver FTransceiver = FT2000;
    bool FTransmitting = false;
    int FOffset = 0;
    bool FPressed = false;
};
