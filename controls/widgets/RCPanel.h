#pragma once
// The base panel of every auxiliary panel of the main window (CW, RTTY, messages, rotator, log
// entry, connection monitor) and the server's status panels.  It paints its own fill, bevels,
// border and caption, so no style, palette or style sheet changes its colour; only the bevel edges
// take the palette's light and dark colours, as a raised or lowered frame does everywhere else.
//
// Children are laid out inside the bevels and the border (the contents margins follow them).

#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

class TRCPanel : public QWidget {
    Q_OBJECT
public:
    explicit TRCPanel(QWidget* parent = nullptr);

    // Fill and border colour; the panels of the system use RGB(65, 65, 65), the start value.
    QColor Color() const { return FColor; }
    void SetColor(const QColor& value);
    // Outer bevel (start: raised), inner bevel (start: none); a lowered bevel is dark on the top
    // and left, the others are light there.
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // A frame in Color between the two bevels.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);

    // One line, tabs expanded, placed by Alignment (start: centred); right-to-left layouts honoured.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool value);
    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment value);
    // Caption colour (start: silver), independent of the palette.
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void UpdateMargins();

    QColor FColor{65, 65, 65};
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    QString FCaption;
    bool FShowCaption = true;
    Qt::Alignment FAlignment = Qt::AlignCenter;
    QColor FFontColor{192, 192, 192};
};
