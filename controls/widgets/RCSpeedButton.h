#pragma once
// The toggle button of the spot list and the log grid toolbar.  The style paints its face and
// frame; the caption is painted here, in ColorDown while a grouped, enabled button is down and
// in ColorUp otherwise, so no style, palette or style sheet changes what the colour says.
//
// Groups: a button with GroupIndex 0 only clicks and is never down.  Buttons of one parent with
// the same GroupIndex above 0 release each other when one goes down; with AllowAllUp a click on
// the down button releases it, without it the button stays down.

#include "core/RCTypes.h"

#include <QColor>
#include <QToolButton>

class TRCSpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit TRCSpeedButton(QWidget* parent = nullptr);

    // Start: yellow.
    QColor ColorDown() const { return FColorDown; }
    void SetColorDown(const QColor& value);
    // Start: silver.
    QColor ColorUp() const { return FColorUp; }
    void SetColorUp(const QColor& value);

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    // The latched state of a grouped button (not the momentary press).  Setting it releases the
    // rest of the group; a down button without AllowAllUp cannot be set up directly.
    bool Down() const { return isChecked(); }
    void SetDown(bool value);

    QString Caption() const { return text(); }
    void SetCaption(const QString& value) { setText(value); }
    // Distance of a left-aligned caption from the left edge; -1 (the start value) centres it.
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    // A number the owner keeps with the button.
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }

    // The colour the caption is painted in now.
    QColor CaptionColor() const;

    // The button was clicked (after its down state changed).
    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    void ReleaseGroup();

    QColor FColorDown{255, 255, 0};
    QColor FColorUp{192, 192, 192};
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    int FTag = 0;
    int FMargin = -1;
};
