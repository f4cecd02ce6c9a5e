#include "keying/widgets/YaesuRotatorPanel.h"

#include "controls/widgets/PanelLook.h"
#include "controls/widgets/PanelSizing.h"
#include "controls/widgets/ViewHooks.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/Rotator.h"
#include "platform/Clock.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

QPushButton* NewButton(const QString& caption, const QString& hint, QWidget* parent, const QRect& geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    b->setToolTip(hint);
    b->setFont(vx::look::Font(11));
    return b;
}

// A black readout with its value in the rotator's light blue.
TRCPanel* NewReadout(QWidget* parent, int top, const QString& start, QLabel*& value)
{
    auto* panel = new TRCPanel(parent);
    panel->setGeometry(63, top, 104, 23);
    panel->SetColor(Qt::black);
    panel->SetBevelOuter(bvNone);
    panel->SetShowCaption(false);
    value = new QLabel(start, panel);
    value->setGeometry(8, 0, 96, 23);
    value->setFont(vx::look::MonoFont(21, true));
    value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    vx::look::SetTextColor(value, QColor(0x83, 0xDB, 0xFC));
    return panel;
}

} // namespace

TYaesuRotatorPanel::TYaesuRotatorPanel(QWidget* parent)
    : TRCPanel(parent)
    , FPollTimer(new vx::Timer(PollMs, false, this))
{
    using namespace vx::look;
    SetColor(PanelGrey);
    SetShowCaption(false);
    DarkPanel(this);
    resize(173, 251);
    setFixedWidth(173);
    setMinimumHeight(168);
    setMaximumHeight(251);

    RotatorLabel = vx::look::NewLabel(QStringLiteral("YAESU Rotator Control"), this, 8, 5);
    DirectionLabel = vx::look::NewLabel(QStringLiteral("Direction"), this, 8, 30);
    DegreesPanel = NewReadout(this, 26, QStringLiteral(" 0° "), DegreesLabel);
    SpeedLabel1 = vx::look::NewLabel(QStringLiteral("Speed"), this, 8, 56);
    SpeedPanel = NewReadout(this, 51, QStringLiteral(" 100 "), SpeedLabel2);

    LeftButton = NewButton(QStringLiteral("Left"), QStringLiteral("Push to turn antenna counterclockwise"), this, {8, 78, 49, 25});
    StopButton = NewButton(QStringLiteral("Stop"), QStringLiteral("Push to stop rotation"), this, {63, 78, 49, 25});
    RightButton = NewButton(QStringLiteral("Right"), QStringLiteral("Push to turn antenna clockwise"), this, {118, 78, 49, 25});
    SpeedDownButton = NewButton(QStringLiteral("Speed Down"), QStringLiteral("Speed down by 1%"), this, {8, 109, 78, 25});
    SpeedUpButton = NewButton(QStringLiteral("Speed Up"), QStringLiteral("Speed up by 1%"), this, {89, 109, 78, 25});
    PushAndHoldCheckBox = new QCheckBox(QStringLiteral("Push and Hold Buttons"), this);
    PushAndHoldCheckBox->setGeometry(8, 139, 160, 19);
    PushAndHoldCheckBox->setFont(Font(11));
    PushAndHoldCheckBox->setToolTip(QStringLiteral("Check to change Push Buttons to Push and Hold Buttons"));
    SetTextColor(PushAndHoldCheckBox, Silver);

    connect(LeftButton, &QPushButton::clicked, this, [this] {
        if (!PushAndHold())
            Rotate(rcCounterClockwise);
    });
    connect(RightButton, &QPushButton::clicked, this, [this] {
        if (!PushAndHold())
            Rotate(rcClockwise);
    });
    connect(StopButton, &QPushButton::clicked, this, [this] { Rotate(rcOff); });
    connect(SpeedDownButton, &QPushButton::clicked, this, [this] { Rotate(rcSpeedDown); });
    connect(SpeedUpButton, &QPushButton::clicked, this, [this] { Rotate(rcSpeedUp); });
    connect(PushAndHoldCheckBox, &QCheckBox::toggled, this, [this](bool on) { ApplyPushAndHold(on); });
    for (QPushButton* b : {LeftButton, RightButton})
        b->installEventFilter(this);

    FPollTimer->OnTimer = [this] {
        if (FFTCATInterface)
            FFTCATInterface->Rotator()->PollRotator();
    };
    EdgeSizer = new TEdgeSizer(this, Qt::BottomEdge);
}

TYaesuRotatorPanel::~TYaesuRotatorPanel()
{
    for (QPushButton* b : {LeftButton, RightButton})
        b->removeEventFilter(this);
    Release();
    if (FFTCATInterface)
        vx::Unhook(FFTCATInterface->OnRotator, this);
}

TFTCATInterface* TYaesuRotatorPanel::FTCATInterface() const
{
    return FFTCATInterface;
}

void TYaesuRotatorPanel::SetFTCATInterface(TFTCATInterface* value)
{
    if (value == FFTCATInterface)
        return;
    if (FFTCATInterface)
        vx::Unhook(FFTCATInterface->OnRotator, this);
    FFTCATInterface = value;
    if (value)
        vx::Hook(value->OnRotator, this, [this](TRotatorState s, int32_t d, int32_t v) { DoRotator(s, d, v); });
}

bool TYaesuRotatorPanel::PushAndHold() const
{
    return PushAndHoldCheckBox->isChecked();
}

void TYaesuRotatorPanel::SetPushAndHold(bool value)
{
    PushAndHoldCheckBox->setChecked(value);
}

void TYaesuRotatorPanel::ApplyPushAndHold(bool on)
{
    Release();
    if (on) {
        LeftButton->setGeometry(8, 78, SpeedDownButton->width(), 25);
        LeftButton->setToolTip(QStringLiteral("Push and hold to turn antenna counterclockwise"));
        RightButton->setGeometry(SpeedUpButton->x(), 78, SpeedUpButton->width(), 25);
        RightButton->setToolTip(QStringLiteral("Push and hold to turn antenna clockwise"));
        StopButton->hide();
    } else {
        LeftButton->setGeometry(8, 78, 49, 25);
        LeftButton->setToolTip(QStringLiteral("Push to turn antenna counterclockwise"));
        RightButton->setGeometry(118, 78, 49, 25);
        RightButton->setToolTip(QStringLiteral("Push to turn antenna clockwise"));
        StopButton->show();
    }
}

void TYaesuRotatorPanel::Rotate(TRotatorState state)
{
    if (!FFTCATInterface)
        return;
    FFTCATInterface->PrepareTX();
    FFTCATInterface->Rotator()->SetRotatorState(state);
}

void TYaesuRotatorPanel::Release()
{
    if (!FHeld)
        return;
    FHeld = nullptr;
    Rotate(rcOff);
}

bool TYaesuRotatorPanel::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QPushButton*>(watched);
    if (PushAndHold() && (button == LeftButton || button == RightButton)) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !FHeld) {
                FHeld = button;
                Rotate(button == LeftButton ? rcCounterClockwise : rcClockwise);
            }
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && FHeld == button)
                Release();
            break;
        case QEvent::FocusOut:
        case QEvent::UngrabMouse:
        case QEvent::Hide:
        case QEvent::EnabledChange:
            if (FHeld == button)
                Release();
            break;
        default: break;
        }
    }
    return TRCPanel::eventFilter(watched, event);
}

void TYaesuRotatorPanel::DoRotator(TRotatorState state, int32_t direction, int32_t speed)
{
    DegreesLabel->setText(QStringLiteral(" %1° ").arg(direction));
    SpeedLabel2->setText(QStringLiteral(" %1 ").arg(speed));
    FPollTimer->setInterval(state == rcCounterClockwise || state == rcClockwise ? TurningPollMs : PollMs);
}

void TYaesuRotatorPanel::SetTimer(bool value)
{
    FTimer = value;
    UpdatePolling();
}

void TYaesuRotatorPanel::UpdatePolling()
{
    FPollTimer->setEnabled(FTimer && isVisible());
}

void TYaesuRotatorPanel::showEvent(QShowEvent* event)
{
    TRCPanel::showEvent(event);
    UpdatePolling();
}

void TYaesuRotatorPanel::hideEvent(QHideEvent* event)
{
    Release();
    TRCPanel::hideEvent(event);
    UpdatePolling();
}

void TYaesuRotatorPanel::closeEvent(QCloseEvent* event)
{
    Release();
    TRCPanel::closeEvent(event);
}
