#pragma once
// The receive monitor of the RTTY panel: received text in ColorRX and sent text in ColorTX,
// each PTT change starting a new line, at most MaxLines lines (the oldest go first).  While
// the operator holds a mouse button in it, and for 600 ms after the release, arriving text
// waits, so a selection being made is not disturbed; it is then written in arrival order,
// each piece in the colour of the moment it arrived.  A double-click hands the word under
// the mouse to the logbook as a callsign (OnLogCall) or a name (OnLogName).

#include "core/RCTypes.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QTextEdit>

namespace vx {
class Timer;
} // namespace vx

class TRTTYEdit : public QTextEdit {
    Q_OBJECT
public:
    static constexpr int HoldMs = 600;

    explicit TRTTYEdit(QWidget* parent = nullptr);

    QColor ColorRX() const { return FColorRX; }
    void SetColorRX(const QColor& value) { FColorRX = value; }
    QColor ColorTX() const { return FColorTX; }
    void SetColorTX(const QColor& value) { FColorTX = value; }
    // 0: unlimited.
    int MaxLines() const { return FMaxLines; }
    void SetMaxLines(int value) { FMaxLines = qMax(0, value); }
    QString MyCall() const { return FMyCall; }
    void SetMyCall(const QString& value) { FMyCall = value; }
    bool PTT() const { return FPTT; }
    // A change starts a new line.
    void SetPTT(bool value);

    // Appends received (or, while PTT, sent) text: carriage returns and line feeds (a pair
    // counting once) start new lines; other control characters and broken UTF-16 are dropped.
    void AddText(const QString& text);
    // Lines held, a last empty line not counted.
    int LineCount() const;
    // Text waiting for the mouse to be let go.
    bool Holding() const;
    vx::Timer* MouseIsDownTimer() const { return FMouseIsDownTimer; }

    // What a double-clicked word is taken for.
    static bool IsCallsign(const QString& word);
    static bool IsName(const QString& word);

    TStringEvent OnLogCall;
    TStringEvent OnLogName;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct Piece {
        QString Text;
        bool TX;
    };
    void Flush();
    void DoTimer();
    void ClassifySelection();

    QColor FColorRX{0xFF, 0xFF, 0xFF};
    QColor FColorTX{0x60, 0xFF, 0x60};
    int FMaxLines = 0;
    QString FMyCall;
    bool FPTT = false;
    bool FMouseIsDown = false;
    // The last character written was a carriage return (a line feed after it adds no line).
    bool FAfterCR = false;
    QList<Piece> FPending;
    vx::Timer* FMouseIsDownTimer;
};
