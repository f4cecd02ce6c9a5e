#pragma once
// A frequency or clarifier readout in seven-segment digits, in the style of the radio's LCD.
// A click in the upper half of a digit steps it up, in the lower half down; holding repeats
// the step every 200 ms.  It never talks to the radio: it raises OnTuning with the new
// frequency or OnClarifierChange with a signed clarifier step.

#include "core/FTCATTypes.h"
#include "core/RCTypes.h"
#include "panel/ReadoutLogic.h"
#include "platform/Clock.h"

#include <QWidget>

using TTuningEvent = std::function<void(int32_t Value)>;

class TFTPanelFrequency : public QWidget {
    Q_OBJECT
public:
    explicit TFTPanelFrequency(QWidget* parent = nullptr);

    uint32_t ColorBack() const { return FColorBack; }
    void SetColorBack(uint32_t value);
    uint32_t ColorBlue() const { return FColorBlue; }
    void SetColorBlue(uint32_t value) { FColorBlue = value; }
    uint32_t ColorDarkBlue() const { return FColorDarkBlue; }
    void SetColorDarkBlue(uint32_t value);
    uint32_t ColorDim() const { return FColorDim; }
    void SetColorDim(uint32_t value);
    uint32_t ColorGray() const { return FColorGray; }
    void SetColorGray(uint32_t value);
    uint32_t ColorLime() const { return FColorLime; }
    void SetColorLime(uint32_t value);
    uint32_t ColorRed() const { return FColorRed; }
    void SetColorRed(uint32_t value);

    int ClarifierOffset() const { return FClarifierOffset; }
    void SetClarifierOffset(int value);
    bool ClarifierRX() const { return FClarifierRX; }
    void SetClarifierRX(bool value);
    bool ClarifierTX() const { return FClarifierTX; }
    void SetClarifierTX(bool value);
    TDisplayType DisplayType() const { return FDisplayType; }
    void SetDisplayType(TDisplayType value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);
    bool IsTuning() const { return FIsTuning; }
    void SetIsTuning(bool value);
    bool Lock() const { return FLock; }
    void SetLock(bool value);
    uint8_t MemoryChannel() const { return FMemoryChannel; }
    void SetMemoryChannel(uint8_t value);
    int Resolution() const { return FResolution; }
    void SetResolution(int value);
    bool Transverter() const { return FTransverter; }
    void SetTransverter(bool value) { FTransverter = value; }
    int TransverterOffset() const { return FTransverterOffset; }
    void SetTransverterOffset(int value) { FTransverterOffset = value; }
    TVFOMemoryMode VFOMemoryMode() const { return FVFOMemoryMode; }
    void SetVFOMemoryMode(TVFOMemoryMode value);

    const TReadoutDigits& FrequencyDigits() const { return FFrequencyDigits; }
    // The digits shown now: the memory channel in the memory modes of a clarifier readout.
    TReadoutDigits ShownDigits() const;
    int TuningFrequency() const { return FTuningFrequency; }
    uint8_t ResolutionDigit() const { return FResolutionDigit; }
    uint8_t MouseOverDigit() const { return FMouseOverDigit; }
    TTuneType TuneType() const { return FTuneType; }
    vx::Timer* TuningTimer() const { return FTuningTimer; }

    // The digit positions every readout of the program draws with (one model family at a time).
    static const TDigitPositionTables& DigitPositions() { return SharedPositions(); }

    TTuningEvent OnClarifierChange;
    TTuningEvent OnTuning;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    static TDigitPositionTables& SharedPositions();
    void ApplyLayout();
    void HitTest(QPoint pos);
    void TuningStep();
    void DrawFrequencyContents(QPainter& p);
    void DrawClarifierContents(QPainter& p);
    void DrawDigit(QPainter& p, QPoint origin, int glyph, const QColor& lit);
    QRect DigitBarsRect() const;

    vx::Timer* FTuningTimer = nullptr;
    uint32_t FColorBack = 0x000000;
    uint32_t FColorBlue = 0xFCDB83;
    uint32_t FColorDarkBlue = 0xFF9966;
    uint32_t FColorDim = 0x212121;
    uint32_t FColorGray = 0xDFDFDF;
    uint32_t FColorLime = 0x33CC99;
    uint32_t FColorRed = 0x0033CC;
    int FClarifierOffset = 0;
    bool FClarifierRX = false;
    bool FClarifierTX = false;
    TDisplayType FDisplayType = dtFT2K_A;
    int FFrequency = 7000000;
    bool FIsTuning = false;
    bool FLock = false;
    uint8_t FMemoryChannel = 1;
    int FResolution = 100;
    bool FTransverter = false;
    int FTransverterOffset = 0;
    TVFOMemoryMode FVFOMemoryMode = vmVFOMode;

    uint8_t FDigit = 1;
    int FDigitWidth = 21;
    TReadoutDigits FFrequencyDigits;
    uint8_t FMouseOverDigit = 0;
    uint8_t FResolutionDigit = 6;
    int FTopMargin = 6;
    TTuneType FTuneType = tuneUp;
    int FTuningFrequency = 7000000;
};
