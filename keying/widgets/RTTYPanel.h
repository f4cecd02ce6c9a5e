#pragma once
// The RTTY window of the main window: engine state (open or closed, PTT), the level meter
// with the squelch threshold, the receive monitor and the send buffer, with Open/Close,
// Clear RX, SQ, BPF, TX and Clear TX.  It knows nothing of the engine or the remote link:
// every user action leaves as one of the link's OnMMTTY events and every state arrives
// through a setter; the RTTY module binds both (TRTTYPanelLink).
//
// The send buffer takes only what RTTY can send: letters become capitals, everything outside
// the send set is discarded (pasted text too).  While the engine transmits each accepted key
// goes out at once; otherwise Enter sends the whole buffer as one message.

#include "controls/widgets/RCPanel.h"
#include "core/RCTypes.h"
#include "keying/RTTYPanelLink.h"

#include <QColor>
#include <QString>

class QCheckBox;
class QKeyEvent;
class QSplitter;
class TEdgeSizer;
class TRCSpeedButton;
class TRTTYEdit;
class TRTTYMeter;
class TSendBufferEdit;
class TShape;

class TRTTYPanel : public TRCPanel, public TRTTYPanelLink {
    Q_OBJECT
public:
    explicit TRTTYPanel(QWidget* parent = nullptr);
    // Leaves the RTTY module first, so the module never reaches a panel that is gone.
    ~TRTTYPanel() override;

    // Whether a character may stand in the send buffer (after upper-casing).
    static bool InSendSet(QChar c);
    // Pasted text as the buffer takes it: capitals, line breaks as carriage returns, the
    // rest of the send set only.
    static QString SendFilter(const QString& text);

    bool Connected() const { return FConnected; }
    void SetConnected(bool value) override;
    bool PTT() const { return FPTT; }
    void SetPTT(bool value) override;
    bool BandPassFilter() const;
    void SetBandPassFilter(bool value) override;
    bool Squelch() const;
    void SetSquelch(bool value) override;
    uint16_t SquelchLevel() const;
    void SetSquelchLevel(uint16_t value) override;
    uint16_t SignalLevel() const;
    void SetSignalLevel(uint16_t value) override;
    void SetRXText(const QString& value) override;
    QColor ColorRX() const;
    void SetColorRX(const QColor& value);
    QColor ColorTX() const;
    void SetColorTX(const QColor& value);
    int MaxLines() const;
    void SetMaxLines(int value);
    QString MyCall() const { return FMyCall; }
    void SetMyCall(const QString& value);

    // Empties the send buffer.
    void Clear();
    // The transmit key: starts or ends a transmission from the send buffer.
    void TX();

    TStringEvent OnLogCall;
    TStringEvent OnLogName;

    TRCPanel* TopPanel;
    TRCSpeedButton* OpenButton;
    TShape* StatusShape;
    TRCSpeedButton* ClearRXButton;
    TRCSpeedButton* SquelchButton;
    TRTTYMeter* RTTYMeter;
    TRCSpeedButton* BPFButton;
    TRCPanel* BottomPanel;
    TRCSpeedButton* TXButton;
    TShape* PTTShape;
    TRCSpeedButton* ClearTXButton;
    QCheckBox* DeleteCheckBox;
    TRCPanel* CenterPanel;
    QSplitter* Splitter1;
    TSendBufferEdit* TXEdit;
    TRTTYEdit* RXEdit;
    TEdgeSizer* EdgeSizer;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool SendKeyPress(QKeyEvent* key);
    void SendKeyRelease(QKeyEvent* key);

    bool FConnected = false;
    bool FPTT = false;
    QString FMyCall;
};
