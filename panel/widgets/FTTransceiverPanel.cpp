#include "panel/widgets/FTTransceiverPanel.h"

#include "controls/widgets/RCTrackBar.h"
#include "panel/PanelColors.h"
#include "panel/widgets/FTTransceiverPanel2000.h"
#include "panel/widgets/FTTransceiverPanel5000.h"
#include "panel/widgets/FTTransceiverPanel950.h"
#include "panel/widgets/TuningPanel3.h"

#include <QAction>
#include <QPainter>
#include <QTabWidget>

TFTTransceiverPanelBase* CreateModelPanel(TTransceiver model, QWidget* owner)
{
    switch (model) {
    case FTDX5000:
        return new TFTTransceiverPanel5000(owner);
    case FT950:
        return new TFTTransceiverPanel950(owner);
    case FT2000:
    case FT2000D:
    default:
        return new TFTTransceiverPanel2000(owner);
    }
}

namespace {

bool FT2000Family(TTransceiver model)
{
    return model == FT2000 || model == FT2000D;
}

} // namespace

TFTTransceiverPanel::TFTTransceiverPanel(QWidget* parent) : TFTTransceiverPanelHost(parent)
{
    resize(PromptWidth, PromptHeight);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TFTTransceiverPanel::~TFTTransceiverPanel()
{
    delete FFTPanel;
}

void TFTTransceiverPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(65, 65, 65));
    if (FFTPanel)
        return;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(QColor(177, 177, 177));
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Select a transceiver"));
}

void TFTTransceiverPanel::SetTransceiver(TTransceiver value)
{
    if (FFTPanel && value == FTransceiver)
        return;
    if (FFTPanel && FT2000Family(FTransceiver) && FT2000Family(value)) {
        FTransceiver = value; // one face serves both
        return;
    }
    // No control of the old face survives the change.
    delete FFTPanel;
    FFTPanel = nullptr;
    FTransceiver = value;
    FFTPanel = CreateModelPanel(value, this);
    FFTPanel->CreateWnd();
    FFTPanel->show();
    if (TFTCATInterface* cat = FTCATInterface()) {
        FFTPanel->SetFTCATInterface(cat);
        FFTPanel->ShowCATState();
        cat->Open();
        // Items the last model's poll left out (the sub receiver's, for one) are asked now.
        cat->ParameterRequest();
    }
    FFTPanel->SetBandmap(Bandmap());
    FFTPanel->SetDXSpots(DXSpots());
    FFTPanel->SetLogPanel(LogPanel());
    FFTPanel->UpdateTransceiverPanel();
    resize(FFTPanel->size());
    WireActions();
    update();
}

void TFTTransceiverPanel::SetFTCATInterface(TFTCATInterface* value)
{
    FFTCATInterface = value;
    if (!FFTPanel)
        return;
    FFTPanel->SetFTCATInterface(value);
    // The first face is built before the window hands over the engine, which may have heard
    // the radio by then.
    FFTPanel->ShowCATState();
}

void TFTTransceiverPanel::SetBandmap(TBandmapLink* value)
{
    FBandmap.Set(value);
    if (FFTPanel)
        FFTPanel->SetBandmap(value);
}

void TFTTransceiverPanel::SetDXSpots(TDXSpots* value)
{
    FDXSpots = value;
    // The owner sets the spot engine after the first face is built; that face needs it too.
    if (FFTPanel)
        FFTPanel->SetDXSpots(value);
}

void TFTTransceiverPanel::SetLogPanel(TLogPanelLink* value)
{
    FLogPanel.Set(value);
    if (FFTPanel)
        FFTPanel->SetLogPanel(value);
}

bool TFTTransceiverPanel::ActivateTransceiverTab()
{
    QTabWidget* pages = PageControl();
    QWidget* sheet = TabSheetTransceiver();
    if (!FFTPanel || !pages || !sheet)
        return false;
    pages->setCurrentWidget(sheet);
    return true;
}

void TFTTransceiverPanel::FocusControl(QWidget* (*control)(TFTTransceiverPanelBase&))
{
    if (!ActivateTransceiverTab())
        return;
    QWidget* target = control(*FFTPanel);
    // A hidden control (the tuning strip in memory channel mode) cannot take the focus.
    if (target && target->isVisibleTo(FFTPanel))
        target->setFocus(Qt::ShortcutFocusReason);
}

void TFTTransceiverPanel::WireActions()
{
    using Target = QWidget* (*)(TFTTransceiverPanelBase&);
    const struct {
        QAction* Action;
        Target Control;
    } actions[] = {
        {ActionClarifier, [](TFTTransceiverPanelBase& p) -> QWidget* { return p.ClarifierBar; }},
        {ActionFilterWidth, [](TFTTransceiverPanelBase& p) -> QWidget* { return p.FilterWidthABar; }},
        {ActionIFShift, [](TFTTransceiverPanelBase& p) -> QWidget* { return p.IFShiftABar; }},
        {ActionMicGain, [](TFTTransceiverPanelBase& p) -> QWidget* { return p.MicGainBar; }},
        {ActionPowerControl, [](TFTTransceiverPanelBase& p) -> QWidget* { return p.PowerControlBar; }},
        {ActionVFOB, [](TFTTransceiverPanelBase& p) -> QWidget* { return p.TuningPanelB; }},
    };
    for (const auto& row : actions) {
        if (!row.Action)
            continue;
        // One handler of the host per action, however often a face is built.
        QObject::disconnect(row.Action, &QAction::triggered, this, nullptr);
        const Target control = row.Control;
        connect(row.Action, &QAction::triggered, this, [this, control] { FocusControl(control); });
        row.Action->setEnabled(true);
    }
}
