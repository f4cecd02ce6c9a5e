#pragma once
// The rotator panel: the antenna direction and rotation speed the radio reports, buttons to
// turn left or right, stop and change the speed, all through the CAT engine's rotator ("RO"
// commands).  While visible and switched on (Timer) it polls the rotator, four times a second
// while the antenna turns and once a second otherwise.
//
// In push-and-hold mode Left and Right turn the antenna only while held: the rotation stops
// when the button is let go, and also when the press ends any other way (the mouse grab or
// the focus is lost, the panel is hidden, closed or destroyed), so the antenna never keeps
// turning unattended.

#include "controls/widgets/RCPanel.h"
#include "core/FTCATTypes.h"

#include <QPointer>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class TEdgeSizer;
class TFTCATInterface;

namespace vx {
class Timer;
} // namespace vx

class TYaesuRotatorPanel : public TRCPanel {
    Q_OBJECT
public:
    static constexpr int PollMs = 1000;
    static constexpr int TurningPollMs = 250;

    explicit TYaesuRotatorPanel(QWidget* parent = nullptr);
    ~TYaesuRotatorPanel() override;

    // The CAT engine; one that is destroyed is forgotten.
    TFTCATInterface* FTCATInterface() const;
    void SetFTCATInterface(TFTCATInterface* value);
    bool PushAndHold() const;
    void SetPushAndHold(bool value);
    // Polling wanted by the owner; it runs only while the panel is visible as well.
    bool Timer() const { return FTimer; }
    void SetTimer(bool value);
    vx::Timer* PollTimer() const { return FPollTimer; }

    QLabel* RotatorLabel;
    QLabel* DirectionLabel;
    TRCPanel* DegreesPanel;
    QLabel* DegreesLabel;
    QLabel* SpeedLabel1;
    TRCPanel* SpeedPanel;
    QLabel* SpeedLabel2;
    QPushButton* LeftButton;
    QPushButton* StopButton;
    QPushButton* RightButton;
    QPushButton* SpeedDownButton;
    QPushButton* SpeedUpButton;
    QCheckBox* PushAndHoldCheckBox;
    TEdgeSizer* EdgeSizer;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Rotate(TRotatorState state);
    void ApplyPushAndHold(bool on);
    void DoRotator(TRotatorState state, int32_t direction, int32_t speed);
    void UpdatePolling();
    // Ends a push-and-hold turn still held.
    void Release();

    QPointer<TFTCATInterface> FFTCATInterface;
    vx::Timer* FPollTimer;
    bool FTimer = false;
    // The push-and-hold button being held, if any.
    QPushButton* FHeld = nullptr;
};
