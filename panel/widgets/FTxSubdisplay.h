#pragma once
// The small black readout above each sub dial of the FT DX 5000 face: the DSP function the dial
// adjusts and its value, bright while the function is on and dim while off; for 5 s after a
// transient text is written it shows that text instead.  It only reads the engine, never sends.
// Always 113 x 27, whatever its owner or the scaling asks for.

#include "core/RCTypes.h"
#include "core/cat/FTCATInterface.h"
#include "panel/SubdisplayLogic.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace vx {
class Timer;
}

class TFTxSubdisplay : public QWidget {
    Q_OBJECT
public:
    static constexpr int DisplayWidth = 113;
    static constexpr int DisplayHeight = 27;
    static constexpr int TextTimeMs = 5000;

    explicit TFTxSubdisplay(QWidget* owner = nullptr);
    ~TFTxSubdisplay() override;

    TDisplayMode DisplayMode() const { return FDisplayMode; }
    // A new mode re-reads the engine; the mode already shown does nothing.
    void SetDisplayMode(TDisplayMode value);
    QString DisplayText() const { return FDisplayText; }
    // Shown for 5 s from the first of a run of writes: a write while the text shows replaces it
    // without extending the time.
    void SetDisplayText(const QString& value);
    TFTCATInterface* FTCATInterface() const { return FFTCATInterface.data(); }
    // Only the first engine is kept; later writes are ignored.
    void SetFTCATInterface(TFTCATInterface* value);
    TVFO VFO() const { return FVFO; }
    void SetVFO(TVFO value) { FVFO = value; }

    // Reads the value and the on state of the mode from the engine and repaints; without an
    // engine only repaints, keeping what was read last.
    void UpdateDisplay();

    int32_t Position() const { return FPosition; }
    bool On() const { return FOn; }
    bool ShowingText() const;
    vx::Timer* DisplayTimer() const { return FDisplayTimer; }

    // The typeface of the readout: a bold face that holds the widest caption and value.
    static QFont DisplayFont();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DisplayTimerTimer();

    TDisplayMode FDisplayMode = dpmWidth;
    QString FDisplayText;
    QPointer<TFTCATInterface> FFTCATInterface;
    bool FEngineGiven = false;
    int32_t FPosition = 0;
    bool FOn = false;
    vx::Timer* FDisplayTimer = nullptr;
    TVFO FVFO = vfoA;
};
