#pragma once
// The owner-drawn vertical slider of the client: every level, gain, width, shift, notch,
// contour, clarifier and delay control of the front panels and the CW speed slider.
//
//  - Min at the bottom, Max at the top; start values Min 0, Max 255, PageSize 5, Position 0,
//    size 21 x 89 (the front panels use 22 x 89), a tab stop, transparent over its parent.
//  - A gradient groove split at the thumb (the lower, completed part in the colour style's colour),
//    tick marks on both sides at every ShowImageAtSteps-th value, a thumb picture from the art
//    registry ("HTHUMB", "THUMB_RED", "THUMB_GREEN", "THUMB_DISABLED", 14 x 9) and a dotted focus
//    frame.
//  - Mouse (drag the thumb, click the groove to page), wheel (one step per message) and keys
//    (Page Up/Down by PageSize, Home Max, End Min, arrows by one; nothing while Shift is held).
//  - OnChange reports the operator's changes.  To show a radio value without sending it back:
//        bar->SetUpdatingPosition(true);
//        bar->SetPosition(value);        // or SetMin/SetMax/SetPositionExp
//    The flag is consumed by that one assignment (see RCTrackBarPosition.h for the rules).
//
// Events carry no sender; an owner that shares one handler between bars captures the bar.

#include "controls/widgets/RCTrackBarPosition.h"
#include "core/RCTypes.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>

class QPainter;

enum TColorStyle : uint8_t { scsGray, scsRed, scsGreen };
enum TGradientDirection : uint8_t { gddHorizontal, gddVertical };
enum TTickStyle : uint8_t { tsNone, tsAuto, tsManual };
// For the vertical bar top-left is the left side, bottom-right the right side.
enum TTickMark : uint8_t { tmBottomRight, tmTopLeft, tmBoth };
enum TLabelPosition : uint8_t { lpTopCenter, lpTopLeft, lpTopRight, lpBottomCenter, lpBottomLeft, lpBottomRight };

// Colours below are "none" when invalid (QColor()): a part in none is not painted.

// What the bar's parts share: one change event, raised by every setter that changes a value
// (the bar repaints on it).
class TRCTrackBarPart {
public:
    TNotifyEvent OnChange;

protected:
    template <typename T>
    void Set(T& field, const T& v)
    {
        if (field == v)
            return;
        field = v;
        Fire(OnChange);
    }
    // Copies every setting of another part of the same kind, keeping this part's handler.
    template <typename P>
    static void Copy(P& to, const P& from)
    {
        TNotifyEvent handler = std::move(to.OnChange);
        to = from;
        to.OnChange = std::move(handler);
        Fire(to.OnChange);
    }
};

// The groove.
class TRCTrackBarSlider : public TRCTrackBarPart {
public:
    TRCTrackBarSlider();
    // Copies every setting (not the handler).
    void Assign(const TRCTrackBarSlider& other);

    // Width in pixels.
    int Size() const { return FSize; }
    void SetSize(int v) { Set(FSize, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Set(FVisible, v); }
    // Extra left indent of the track area.
    int Offset() const { return FOffset; }
    void SetOffset(int v) { Set(FOffset, v); }
    TGradientDirection Direction() const { return FDirection; }
    void SetDirection(TGradientDirection v) { Set(FDirection, v); }
    // Number of colour bands of a gradient.
    int Steps() const { return FSteps; }
    void SetSteps(int v) { Set(FSteps, v); }

    // Part above the thumb, top to bottom.
    QColor Color() const { return FColor; }
    void SetColor(const QColor& v) { Set(FColor, v); }
    QColor ColorTo() const { return FColorTo; }
    void SetColorTo(const QColor& v) { Set(FColorTo, v); }
    // Part below the thumb (the completed part), top to bottom.  None: the groove is not filled.
    QColor ColorCompleted() const { return FColorCompleted; }
    void SetColorCompleted(const QColor& v) { Set(FColorCompleted, v); }
    QColor ColorCompletedTo() const { return FColorCompletedTo; }
    void SetColorCompletedTo(const QColor& v) { Set(FColorCompletedTo, v); }
    QColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(const QColor& v) { Set(FBorderColor, v); }
    // The same set for a disabled bar.
    QColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(const QColor& v) { Set(FColorDisabled, v); }
    QColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(const QColor& v) { Set(FColorDisabledTo, v); }
    QColor ColorCompletedDisabled() const { return FColorCompletedDisabled; }
    void SetColorCompletedDisabled(const QColor& v) { Set(FColorCompletedDisabled, v); }
    QColor ColorCompletedDisabledTo() const { return FColorCompletedDisabledTo; }
    void SetColorCompletedDisabledTo(const QColor& v) { Set(FColorCompletedDisabledTo, v); }
    QColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(const QColor& v) { Set(FBorderColorDisabled, v); }

    // scsRed and scsGreen set the blue upper part, black borders and a red or green completed
    // part; scsGray changes no colour.
    TColorStyle ColorStyle() const { return FColorStyle; }
    void SetColorStyle(TColorStyle v);

private:
    int FSize = 6;
    bool FVisible = true;
    int FOffset = 0;
    TGradientDirection FDirection = gddVertical;
    int FSteps = 20;
    QColor FColor;
    QColor FColorTo;
    QColor FColorCompleted;
    QColor FColorCompletedTo;
    QColor FBorderColor;
    QColor FColorDisabled;
    QColor FColorDisabledTo;
    QColor FColorCompletedDisabled;
    QColor FColorCompletedDisabledTo;
    QColor FBorderColorDisabled;
    TColorStyle FColorStyle = scsRed;
};

// The thumb: pictures of the art registry, asked for by name.
class TRCTrackBarThumb : public TRCTrackBarPart {
public:
    void Assign(const TRCTrackBarThumb& other);

    // Empty: no picture.  A registered picture also sets Size and Width to its own size.
    QString Picture() const { return FPicture; }
    void SetPicture(const QString& name);
    QString PictureDisabled() const { return FPictureDisabled; }
    void SetPictureDisabled(const QString& name);
    // Across the groove; changeable only while Picture is empty.
    int Size() const { return FSize; }
    void SetSize(int v);
    // Along the groove; changeable only while Picture is empty.
    int Width() const { return FWidth; }
    void SetWidth(int v);

private:
    QString FPicture;
    QString FPictureDisabled;
    int FSize = 14;
    int FWidth = 9;
};

// The tick marks.
class TRCTrackBarTick : public TRCTrackBarPart {
public:
    TRCTrackBarTick();
    void Assign(const TRCTrackBarTick& other);

    // Only tsAuto draws marks; tsNone also gives up the tick bands.
    TTickStyle Style() const { return FStyle; }
    void SetStyle(TTickStyle v) { Set(FStyle, v); }
    TTickMark Position() const { return FPosition; }
    void SetPosition(TTickMark v) { Set(FPosition, v); }
    // Length of a mark.
    int Size() const { return FSize; }
    void SetSize(int v) { Set(FSize, v); }
    // Gap between a band and the groove.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { Set(FSpacing, v); }
    // Marks at the values divisible by it (counted from 0, not from Min); 1 or less: every value.
    int ShowImageAtSteps() const { return FShowImageAtSteps; }
    void SetShowImageAtSteps(int v) { Set(FShowImageAtSteps, v); }
    // Numbers beside the left marks at Min, Max and every multiple of 10 that has a mark text.
    bool ShowText() const { return FShowText; }
    void SetShowText(bool v) { Set(FShowText, v); }
    QColor Color() const { return FColor; }
    void SetColor(const QColor& v) { Set(FColor, v); }
    QColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(const QColor& v) { Set(FColorDisabled, v); }
    QFont Font() const { return FFont; }
    void SetFont(const QFont& v) { Set(FFont, v); }
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& v) { Set(FFontColor, v); }

private:
    TTickStyle FStyle = tsAuto;
    TTickMark FPosition = tmBoth;
    int FSize = 4;
    int FSpacing = 1;
    int FShowImageAtSteps = 25;
    bool FShowText = false;
    QColor FColor;
    QColor FColorDisabled;
    QFont FFont;
    QColor FFontColor;
};

// The value label beside the track (hidden unless made visible).
class TRCTrackBarLabel : public TRCTrackBarPart {
public:
    TRCTrackBarLabel();
    void Assign(const TRCTrackBarLabel& other);

    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Set(FVisible, v); }
    // "%d" stands for the position, "%%" for a percent sign; nothing else is interpreted.
    QString Format() const { return FFormat; }
    void SetFormat(const QString& v) { Set(FFormat, v); }
    // Top positions stand left of the track, bottom positions right of the right tick band.
    TLabelPosition Position() const { return FPosition; }
    void SetPosition(TLabelPosition v) { Set(FPosition, v); }
    QFont Font() const { return FFont; }
    void SetFont(const QFont& v) { Set(FFont, v); }
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& v) { Set(FFontColor, v); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { Set(FSpacing, v); }

private:
    bool FVisible = false;
    QString FFormat;
    TLabelPosition FPosition = lpTopCenter;
    QFont FFont;
    QColor FFontColor;
    int FSpacing = 0;
};

// The value hint while dragging: a frameless tool-tip window that never takes the focus.
class TRCTrackHintWindow : public QWidget {
    Q_OBJECT
public:
    explicit TRCTrackHintWindow(QWidget* parent);
    // Shows the text with the window's top-left corner at `globalPos`, moved left or up to stay
    // 2 pixels inside the screen.
    void ActivateHint(const QPoint& globalPos, const QString& text);
    QString Text() const { return FText; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FText;
};

// OnDrawTick: may change one left-hand mark (length, colours, text) or suppress its line.
using TDrawTickEvent = std::function<void(QPainter& Canvas, const QPoint& Location, int Position, TTickMark Side,
                                          int& Length, QColor& Color, QColor& TextColor, QString& Text,
                                          bool& DefaultDraw)>;
// OnGetTrackHint: may change the drag hint's text (the value in decimal).
using TGetTrackHintEvent = std::function<void(int Position, QString& Hint)>;
// OnKeyPress: a character typed on the focused bar.
using TTrackBarKeyPressEvent = std::function<void(QChar Key)>;

class TRCTrackBar : public QWidget {
    Q_OBJECT
public:
    explicit TRCTrackBar(QWidget* parent = nullptr);

    int Min() const { return FRules.Min(); }
    void SetMin(int value);
    int Max() const { return FRules.Max(); }
    void SetMax(int value);
    int Position() const { return FRules.Position(); }
    void SetPosition(int value);
    int PositionDelta() const { return FRules.PositionDelta(); }
    int PositionExp() const { return FRules.PositionExp(); }
    void SetPositionExp(int value);
    int PageSize() const { return FRules.PageSize(); }
    void SetPageSize(int value) { FRules.SetPageSize(value); }
    bool UpdatingPosition() const { return FRules.UpdatingPosition(); }
    void SetUpdatingPosition(bool value) { FRules.SetUpdatingPosition(value); }
    // The operator holds the thumb.
    bool Sliding() const { return FRules.Sliding(); }

    // Thumb picture and groove colours of the bar's group: grey, red (transmitter and keyer)
    // or green (receiver).
    TColorStyle ColorStyle() const { return FColorStyle; }
    void SetColorStyle(TColorStyle value);
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool value);
    // Show the value in a hint while dragging.
    bool TrackHint() const { return FTrackHint; }
    void SetTrackHint(bool value) { FTrackHint = value; }
    // A number the owner keeps with the bar.
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }

    TRCTrackBarSlider& Slider() { return FSlider; }
    const TRCTrackBarSlider& Slider() const { return FSlider; }
    TRCTrackBarThumb& Thumb() { return FThumb; }
    const TRCTrackBarThumb& Thumb() const { return FThumb; }
    TRCTrackBarTick& TickMark() { return FTickMark; }
    const TRCTrackBarTick& TickMark() const { return FTickMark; }
    TRCTrackBarLabel& TrackLabel() { return FTrackLabel; }
    const TRCTrackBarLabel& TrackLabel() const { return FTrackLabel; }

    // The label's text for the current position.
    QString LabelText() const;

    // Geometry in the bar's pixels (x() + width() is the first pixel to the right); a null
    // rectangle where the part is absent.  At 22 x 89: client x 3..19, y 3..86; left ticks x 3..7,
    // groove x 8..14, right ticks x 15..19; thumb 14 x 9 from x 4, its bottom at y 86 at Min and
    // y 12 at Max.
    // The bar's rectangle less the 1-pixel border and the 2-pixel offset on every side.
    QRect ClientArea() const;
    QRect TrackArea() const;
    QRect LeftTickBand() const;
    QRect Groove() const;
    QRect RightTickBand() const;
    QRect ThumbRect() const;

    QSize sizeHint() const override { return QSize(21, 89); }

    // The value changed and not under UpdatingPosition: by the operator, or by code (a range
    // change that moves the thumb included).
    TNotifyEvent OnChange;
    // The bar gained or lost the focus.
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TTrackBarKeyPressEvent OnKeyPress;
    TDrawTickEvent OnDrawTick;
    TGetTrackHintEvent OnGetTrackHint;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QRect ThumbRectAt(int position) const;
    int LabelWidth() const;
    QRect LabelRect() const;
    void Moved(int oldPosition);
    void EndDrag();
    void DrawLabel(QPainter& p);
    void DrawSlider(QPainter& p);
    void DrawTicks(QPainter& p);
    void DrawThumb(QPainter& p);
    void DrawFocus(QPainter& p);

    TRCTrackBarPosition FRules;
    TRCTrackBarSlider FSlider;
    TRCTrackBarThumb FThumb;
    TRCTrackBarTick FTickMark;
    TRCTrackBarLabel FTrackLabel;
    TRCTrackHintWindow* FHintWindow = nullptr;
    TColorStyle FColorStyle = scsGray;
    bool FShowFocus = true;
    bool FTrackHint = false;
    int FTag = 0;
    // Last value shown in the drag hint; not reset between drags.
    int FLastHinted = -1;
};
