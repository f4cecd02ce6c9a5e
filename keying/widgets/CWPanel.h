#pragma once
// The CW keyboard of the main window: two send buffers that send their lines on Enter, a
// keyboard field that sends every key as it is typed, the keyer's speed slider, the echo
// ticker and the status lamps of the local and the server's WinKeyer.  It sends no CW itself:
// it raises OnSendText and OnSendChar, which the owner hands to the CW module.  The speed is
// read from and written to the keyer in WinKeyer; a speed the keyer reports moves the slider
// without being written back.
//
// The owner gives it its six actions (buffers, keyboard, speed, speed down, speed up), whose
// execution the panel supplies.

#include "controls/widgets/RCPanel.h"
#include "core/RCTypes.h"
#include "keying/KeyingTypes.h"
#include "core/KeyingLinks.h"

#include <QChar>
#include <QMetaObject>
#include <QPointer>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class TCWPanelTicker;
class TEdgeSizer;
class TRCTrackBar;
class TSendBufferEdit;
class TShape;
class TWinKeyer;

using TSendTextEvent = std::function<void(QObject* Sender, const QString& TXText)>;
using TSendCharEvent = std::function<void(QObject* Sender, QChar TXChar)>;

// Registers the picture behind the speed slider, "CWMSG_BUTTONPANEL" (56 x 175), once.
void RegisterCWPanelArt();

class TCWPanel : public TRCPanel {
    Q_OBJECT
public:
    explicit TCWPanel(QWidget* parent = nullptr);
    ~TCWPanel() override;

    // The keyer shown and controlled; a keyer that is destroyed is forgotten.
    TWinKeyer* WinKeyer() const;
    void SetWinKeyer(TWinKeyer* value);
    // The remote status lamp shows only in the remote-client role.
    TApplicationType ApplicationType() const { return FApplicationType; }
    void SetApplicationType(TApplicationType value);

    QAction* CWBuffer1Action() const { return FActions[0].Action; }
    void SetCWBuffer1Action(QAction* value) { Bind(0, value); }
    QAction* CWBuffer2Action() const { return FActions[1].Action; }
    void SetCWBuffer2Action(QAction* value) { Bind(1, value); }
    QAction* CWKeyboardAction() const { return FActions[2].Action; }
    void SetCWKeyboardAction(QAction* value) { Bind(2, value); }
    QAction* CWSpeedAction() const { return FActions[3].Action; }
    void SetCWSpeedAction(QAction* value) { Bind(3, value); }
    QAction* CWSpeedDownAction() const { return FActions[4].Action; }
    void SetCWSpeedDownAction(QAction* value) { Bind(4, value); }
    QAction* CWSpeedUpAction() const { return FActions[5].Action; }
    void SetCWSpeedUpAction(QAction* value) { Bind(5, value); }

    // The speed pot's speed the keyer reported last.
    uint8_t SpeedPot() const { return FSpeedPot; }

    // Empties the keyboard field and the echo ticker (the buffers keep their text).
    void Clear();

    TSendTextEvent OnSendText;
    TSendCharEvent OnSendChar;

    QWidget* CWPanelImage;
    TRCTrackBar* CWSpeedBar;
    QCheckBox* CWDeleteCheckBox;
    TSendBufferEdit* CWMemo1;
    TSendBufferEdit* CWMemo2;
    QLabel* CWSpeedLabel;
    QLabel* KeyboardModeLabel;
    TShape* WKStatusShape;
    TShape* WKBusyShape;
    TShape* WKBreakInShape;
    TShape* WKRemoteStatusShape;
    QLineEdit* CWSendEdit;
    TCWPanelTicker* CWEchoTicker;
    TEdgeSizer* EdgeSizer;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct BoundAction {
        QPointer<QAction> Action;
        QMetaObject::Connection Connection;
    };

    void Bind(int index, QAction* action);
    void Execute(int index);
    bool MemoKey(TSendBufferEdit* memo, QKeyEvent* key);
    bool KeyboardKey(QKeyEvent* key);
    void SendLines(TSendBufferEdit* memo);
    void SpeedBarChange();
    void ShowSpeed();
    void Unhook();

    // Keyer events.
    void DoWKSpeed(uint8_t MinWPM, uint8_t Speed, uint8_t MaxWPM, uint8_t SpeedPot);
    void DoWKSpeedPot();
    void DoWKMinWPM();
    void DoWKMaxWPM();
    void DoWKStatus(TWKStatus Status);
    void DoRemoteStatus(TWKStatus Status);
    void DoWKBusy(bool Value);
    void DoWKBreakIn(bool Value);
    // Bounds the keyer reports, applied without writing a speed back.
    void SetRange(int MinWPM, int MaxWPM);

    QPointer<TWinKeyer> FWinKeyer;
    TApplicationType FApplicationType = isLocal;
    BoundAction FActions[6];
    uint8_t FSpeedPot = 25;
    TWKStatus FStatus = wksClosed;
    TWKStatus FRemoteStatus = wksClosed;
    bool FBusy = false;
    bool FBreakIn = false;
    // Set once the panel is built: before it, slider changes do not reach the keyer.
    bool FActionsBound = false;
};
