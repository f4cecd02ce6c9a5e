#pragma once
// Small controls drawn entirely in code on black, in the band map's blues: the triangle
// arrow button, the text label, the rounded toggle button and the scope strip. The band map
// and the tuning strip under the front panel share them.

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

namespace bandmap {
inline const QColor clBright(131, 219, 252); // focused, lit, down
inline const QColor clDim(3, 91, 124);       // idle
inline const QColor clScope(0, 193, 49);     // scope bars

// The screen font in place of "Tahoma" at a point size: DejaVu Sans is wider, so it is set one
// pixel above the point size, which keeps the owners' fixed boxes from clipping.
QFont TahomaFont(int points);
} // namespace bandmap

// Click handling shared by the owner-drawn controls: a left press and a release over the
// control is a click.
class TOwnerDrawnControl : public QWidget {
    Q_OBJECT
public:
    explicit TOwnerDrawnControl(QWidget* parent = nullptr);

    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }

    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int FTag = 0;
    bool FPressed = false;
};

enum TArrowType : uint8_t { atLeft, atUp, atRight, atDown };

class TArrowButton : public TOwnerDrawnControl {
    Q_OBJECT
public:
    explicit TArrowButton(QWidget* parent = nullptr);

    TArrowType ArrowType() const { return FArrowType; }
    void SetArrowType(TArrowType value);
    bool IsFocused() const { return FIsFocused; }
    void SetIsFocused(bool value);
    bool MouseIsOver() const { return FMouseIsOver; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TArrowType FArrowType = atUp;
    bool FIsFocused = false;
    bool FMouseIsOver = false;
};

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

class TBandmapLabel : public TOwnerDrawnControl {
    Q_OBJECT
public:
    explicit TBandmapLabel(QWidget* parent = nullptr);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Kept for the owners' settings; the label never resizes itself.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { FAutoSize = value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    QFont Font() const { return FFont; }
    void SetFont(const QFont& value);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& value);
    // Left edge of the caption for the current alignment.
    int TextLeft() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    QString FCaption;
    QFont FFont;
    QColor FFontColor = bandmap::clBright;
};

class TSplitButton : public TOwnerDrawnControl {
    Q_OBJECT
public:
    explicit TSplitButton(QWidget* parent = nullptr);

    bool Down() const { return FDown; }
    // Always stores and repaints; the button never changes Down by itself.
    void SetDown(bool value);
    // When on, the caption and frame of a button that is not down light up under the pointer.
    bool Blur() const { return FBlur; }
    void SetBlur(bool value);
    // When on, the background is not filled.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    bool MouseIsOver() const { return FMouseIsOver; }
    bool MouseIsDown() const { return FMouseIsDown; }
    // The colour of caption and frame in the current state.
    QColor LineColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool FDown = false;
    bool FBlur = true;
    bool FMouseIsOver = false;
    bool FMouseIsDown = false;
    bool FTransparent = false;
    QString FCaption;
};

// A narrow strip with a horizontal bar per pixel row. The bar lengths are one table for all
// scopes (the program has one).
class TBandmapScope : public QWidget {
    Q_OBJECT
public:
    static constexpr int MaxRow = 2048;
    static constexpr int ScopeWidth = 32;

    explicit TBandmapScope(QWidget* parent = nullptr);

    void Clear();
    // Row y gets a bar of SMeter (0..255) scaled to the width; rows outside 0..2048 are ignored.
    void SetScanPoint(int y, int sMeter);
    static uint8_t ScanPoint(int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static std::array<uint8_t, MaxRow + 1> FScanPoints;
};
