#pragma once
// The message panel of the main window: nine keys bound to the message actions 1..9 (their
// captions, hints, enabled state and execution come from the actions), a caption naming the
// message set of the mode type, and the voice keyer's three status lamps, shown for phone
// only.

#include "controls/widgets/RCPanel.h"
#include "core/RCTypes.h"

#include <QPointer>
#include <array>

class QAction;
class QLabel;
class TMicroHamInterface;
class TRCSpeedButton;
class TShape;

class TMessagePanel : public TRCPanel {
    Q_OBJECT
public:
    static constexpr int ButtonCount = 9;

    explicit TMessagePanel(QWidget* parent = nullptr);
    ~TMessagePanel() override;

    // n = 1..9; an action that is destroyed is forgotten.
    QAction* MessageAction(int n) const;
    void SetMessageAction(int n, QAction* value);

    // The router whose voice keyer the lamps show; one that is destroyed is forgotten.
    TMicroHamInterface* MicroHAMInterface() const;
    void SetMicroHAMInterface(TMicroHamInterface* value);

    TModeType ModeType() const { return FModeType; }
    void SetModeType(TModeType value);

    bool Active() const { return FActive; }
    void SetActive(bool value);
    bool Connected() const { return FConnected; }
    void SetConnected(bool value);
    bool MessagePlaying() const { return FMessagePlaying; }
    void SetMessagePlaying(bool value);
    // Enables the keys and the caption; a disabled panel shows the router lamp greyed.
    void SetEnabled(bool value);

    std::array<TRCSpeedButton*, ButtonCount> MessageButtons{};
    QLabel* PanelCaptionLabel;
    TShape* ActiveShape;
    TShape* ConnectedShape;
    TShape* MessagePlayingShape;

private:
    void PaintConnected();
    void Unhook();

    std::array<QPointer<QAction>, ButtonCount> FActions;
    QPointer<TMicroHamInterface> FMicroHAMInterface;
    TModeType FModeType = mtCW;
    bool FActive = false;
    bool FConnected = false;
    bool FMessagePlaying = false;
    bool FEnabled = true;
};
