#pragma once
// Small building blocks of the front panel: the two-half button (AGC, attenuator, IPO,
// roofing filter), the receive and transmit lamps of VFO A and B, and the memory channel
// panel that stands in for the tuning strip in memory channel mode.

#include "controls/widgets/BandmapControls.h"
#include "core/RCTypes.h"
#include "panel/SmallControlsLogic.h"
#include "platform/Clock.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>
#include <array>

class TMemoryChannel;

// Registers the lamp pictures ("FT2000_RX_0" … "FT5K_TX_B_1"); idempotent.
void RegisterPanelSmallControlArt();

// A flat speed button whose upper and lower halves act as two buttons. Its face is a picture
// strip of the art registry (frames: up, disabled, clicked, down), or a plain key without one.
class TRCButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TRCButton(QWidget* parent = nullptr);

    QString Glyph() const { return FGlyph; }
    void SetGlyph(const QString& name);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    // The frame of the glyph strip for the current state.
    int GlyphFrame() const;

    // Raised on every mouse release: above Height div 2 the upper half, from there the lower.
    TNotifyEvent OnClickUp;
    TNotifyEvent OnClickDown;
    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString FGlyph;
    int FNumGlyphs = 1;
    bool FFlat = true;
};

// Receive or transmit lamp of VFO A or B, per model; blinks 400 ms per phase while muted.
// A click is reported through OnClick.
class TVFOABButton : public TOwnerDrawnControl {
    Q_OBJECT
public:
    explicit TVFOABButton(QWidget* parent = nullptr);

    TTransceiver Transceiver() const { return FTransceiver; }
    void SetTransceiver(TTransceiver value);
    TVFOButtonType VFOButtonType() const { return FVFOButtonType; }
    void SetVFOButtonType(TVFOButtonType value);
    TVFOState VFOState() const { return FVFOState; }
    void SetVFOState(TVFOState value);

    QString TransceiverString() const { return FTransceiverString; }
    // The picture shown now.
    QString Picture() const { return FPicture; }

    vx::Timer MuteTimer;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void RebuildNames();
    void LoadPicture(const QString& name);
    void RebuildHint();

    uint8_t FBitmap = 0;
    std::array<QString, 2> FBitmapName;
    QString FPicture;
    TTransceiver FTransceiver = FT2000;
    QString FTransceiverString = QStringLiteral("FT2000");
    TVFOButtonType FVFOButtonType = vfoARX;
    TVFOState FVFOState = vfoOff;
};

// Channel number, frequency and mode of the current memory channel, in place of the strip.
class TMemoryChannelPanel : public QWidget {
    Q_OBJECT
public:
    explicit TMemoryChannelPanel(QWidget* parent = nullptr);

    TMemoryChannel* MemoryChannel() const { return FMemoryChannel; }
    // Stores the reference (not owned) and fills the value labels from it.
    void SetMemoryChannel(TMemoryChannel* value);

    QLabel* ChannelNoLabe1;
    QLabel* ChannelNoLabel2;
    QLabel* FrequencyLabel1;
    QLabel* FrequencyLabel2;
    QLabel* ModeLabel1;
    QLabel* ModeLabel2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TMemoryChannel* FMemoryChannel = nullptr;
};
