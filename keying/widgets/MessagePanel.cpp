#include "keying/widgets/MessagePanel.h"

#include "controls/widgets/PanelLook.h"
#include "controls/widgets/RCSpeedButton.h"
#include "controls/widgets/Shape.h"
#include "controls/widgets/ViewHooks.h"
// The router's header leaves its serial port type to the includer.
#include "platform/SerialPort.h"
#include "core/MicroHamInterface.h"

#include <QAction>
#include <QLabel>

namespace {

const QColor Green(0x00, 0xFF, 0x00);
const QColor Red(0xFF, 0x00, 0x00);
const QColor Greyed(0x80, 0x80, 0x80);

TShape* NewLamp(QWidget* parent, int left, const QString& hint)
{
    auto* s = new TShape(parent);
    s->setGeometry(left, 243, 22, 3);
    s->SetBrushColor(vx::look::ShapeOff);
    s->SetHint(hint);
    s->hide();
    return s;
}

} // namespace

TMessagePanel::TMessagePanel(QWidget* parent)
    : TRCPanel(parent)
{
    using namespace vx::look;
    SetColor(PanelGrey);
    SetShowCaption(false);
    DarkPanel(this);
    setFixedSize(116, 251);

    for (int k = 1; k <= ButtonCount; ++k) {
        auto* b = new TRCSpeedButton(this);
        b->setGeometry(6, 6 + 24 * (k - 1), 104, 22);
        b->SetMargin(6);
        b->setFont(Font(11));
        b->SetCaption(QStringLiteral("Message %1").arg(k));
        MessageButtons[size_t(k - 1)] = b;
    }
    PanelCaptionLabel = new QLabel(QStringLiteral("CW Messages"), this);
    PanelCaptionLabel->setFont(Font(11));
    SetTextColor(PanelCaptionLabel, Silver);
    PanelCaptionLabel->move(12, 226);
    PanelCaptionLabel->adjustSize();

    ActiveShape = NewLamp(this, 12, QStringLiteral("Messages active"));
    ConnectedShape = NewLamp(this, 39, QStringLiteral("DVK active"));
    MessagePlayingShape = NewLamp(this, 66, QStringLiteral("Message playing"));
}

TMessagePanel::~TMessagePanel()
{
    Unhook();
}

QAction* TMessagePanel::MessageAction(int n) const
{
    return n >= 1 && n <= ButtonCount ? FActions[size_t(n - 1)].data() : nullptr;
}

void TMessagePanel::SetMessageAction(int n, QAction* value)
{
    if (n < 1 || n > ButtonCount)
        return;
    FActions[size_t(n - 1)] = value;
    TRCSpeedButton* b = MessageButtons[size_t(n - 1)];
    b->setDefaultAction(value);
    if (!value)
        b->SetCaption(QStringLiteral("Message %1").arg(n));
}

void TMessagePanel::Unhook()
{
    if (TMicroHamInterface* m = FMicroHAMInterface) {
        vx::Unhook(m->OnActive, this);
        vx::Unhook(m->OnConnectionStatus, this);
        vx::Unhook(m->OnMessagePlaying, this);
    }
}

TMicroHamInterface* TMessagePanel::MicroHAMInterface() const
{
    return FMicroHAMInterface;
}

void TMessagePanel::SetMicroHAMInterface(TMicroHamInterface* value)
{
    if (value == FMicroHAMInterface)
        return;
    Unhook();
    FMicroHAMInterface = value;
    if (!value)
        return;
    vx::Hook(value->OnActive, this, [this](bool v) {
        FActive = v;
        ActiveShape->SetBrushColor(v ? Green : vx::look::ShapeOff);
    });
    vx::Hook(value->OnConnectionStatus, this, [this](bool v) {
        FConnected = v;
        ConnectedShape->SetBrushColor(v ? Green : vx::look::ShapeOff);
    });
    vx::Hook(value->OnMessagePlaying, this, [this](bool v) {
        FMessagePlaying = v;
        MessagePlayingShape->SetBrushColor(v ? Red : vx::look::ShapeOff);
    });
}

void TMessagePanel::SetModeType(TModeType value)
{
    if (value == FModeType)
        return;
    FModeType = value;
    switch (value) {
    case mtCW: PanelCaptionLabel->setText(QStringLiteral("CW Messages")); break;
    case mtPhone: PanelCaptionLabel->setText(QStringLiteral("DVK Messages")); break;
    case mtDigital: PanelCaptionLabel->setText(QStringLiteral("RTTY Messages")); break;
    case mtAll: PanelCaptionLabel->clear(); break;
    }
    PanelCaptionLabel->adjustSize();
    const bool phone = value == mtPhone;
    for (TShape* s : {ActiveShape, ConnectedShape, MessagePlayingShape})
        s->setVisible(phone);
}

void TMessagePanel::SetActive(bool value)
{
    if (value == FActive)
        return;
    FActive = value;
    ActiveShape->SetBrushColor(value ? Green : vx::look::ShapeOff);
}

void TMessagePanel::SetConnected(bool value)
{
    if (value == FConnected)
        return;
    FConnected = value;
    PaintConnected();
}

void TMessagePanel::SetMessagePlaying(bool value)
{
    if (value == FMessagePlaying)
        return;
    FMessagePlaying = value;
    MessagePlayingShape->SetBrushColor(value ? Red : vx::look::ShapeOff);
}

void TMessagePanel::PaintConnected()
{
    ConnectedShape->SetBrushColor(!FEnabled ? Greyed : FConnected ? Green : vx::look::ShapeOff);
}

void TMessagePanel::SetEnabled(bool value)
{
    setEnabled(value);
    PanelCaptionLabel->setEnabled(value);
    if (value == FEnabled)
        return;
    FEnabled = value;
    // Enabling shows the router's own state: the lamp is never green before it reports.
    PaintConnected();
}
