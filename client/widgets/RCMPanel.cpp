#include "client/widgets/RCMPanel.h"

#include "client/widgets/Scope.h"
#include "controls/widgets/PanelLook.h"
#include "controls/widgets/PanelSizing.h"
#include "controls/widgets/Shape.h"
#include "controls/widgets/ViewHooks.h"
#include "remote/RemoteClientInterface.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>

namespace {

const QString ZeroMs = QStringLiteral("0 ms");

// A figure right-aligned where the start text, placed at `left`, ends; it grows to the left
// up to `from`.
QLabel* NewValue(const QString& text, QWidget* parent, int from, int left, int top)
{
    QLabel* l = vx::look::NewLabel(text, parent, left, top);
    const int right = left + QFontMetrics(l->font()).horizontalAdvance(text);
    l->setGeometry(from, top, right - from, l->height());
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QFrame* NewBevel(QWidget* parent, const QRect& geometry)
{
    auto* f = new QFrame(parent);
    f->setFrameStyle(QFrame::Box | QFrame::Sunken);
    f->setGeometry(geometry);
    return f;
}

TShape* NewShape(QWidget* parent, const QRect& geometry, const QColor& brush)
{
    auto* s = new TShape(parent);
    s->setGeometry(geometry);
    s->SetBrushColor(brush);
    s->SetPenColor(brush);
    return s;
}

} // namespace

void TRCMPanelOptions::SetActive(bool value)
{
    if (value == FActive)
        return;
    FActive = value;
    FScope->SetActive(value);
}

void TRCMPanelOptions::SetAverage(int value)
{
    if (value == FAverage)
        return;
    FAverage = value;
    FScope->SetAverage(value);
}

void TRCMPanelOptions::SetPosition(int value)
{
    if (value == FPosition)
        return;
    FPosition = value;
    FScope->SetPosition(value);
}

TRCMPanel::TRCMPanel(QWidget* parent)
    : TRCPanel(parent)
    , FRCMPanelOptions(nullptr)
{
    using namespace vx::look;
    SetColor(PanelGrey);
    SetShowCaption(false);
    DarkPanel(this);
    resize(234, 251);
    setMinimumSize(234, 251);
    setMaximumHeight(251);

    LabelRCM = vx::look::NewLabel(QStringLiteral("Remote Connection Monitor"), this, 12, 5);
    LabelPosition = vx::look::NewLabel(QString(), this, 160, 5);
    LabelPosition->setGeometry(160, 5, 64, LabelRCM->height());
    LabelPosition->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Bevel1 = NewBevel(this, QRect(6, 28, 222, 129));
    Scope = new TScope(this);
    Scope->setGeometry(10, 32, 214, 121);
    FRCMPanelOptions = TRCMPanelOptions(Scope);

    Bevel2 = NewBevel(this, QRect(6, 166, 222, 79));
    LabelLatency = vx::look::NewLabel(QStringLiteral("Latency"), this, 12, 170);
    LabelLatencyValue = NewValue(ZeroMs, this, 60, 86, 170);
    LabelMin = vx::look::NewLabel(QStringLiteral("Min"), this, 12, 188);
    LabelMinValue = NewValue(ZeroMs, this, 60, 86, 188);
    LabelAverage = vx::look::NewLabel(QStringLiteral("Average"), this, 12, 206);
    LabelAverageValue = NewValue(ZeroMs, this, 60, 86, 206);
    LabelMax = vx::look::NewLabel(QStringLiteral("Max"), this, 12, 224);
    LabelMaxValue = NewValue(ZeroMs, this, 60, 86, 224);
    LabelLogon = vx::look::NewLabel(QStringLiteral("Logon"), this, 128, 170);
    LabelLogonValue = NewValue(QStringLiteral("00:00"), this, 176, 192, 170);
    LabelRuntime = vx::look::NewLabel(QStringLiteral("Runtime"), this, 128, 188);
    LabelRuntimeValue = NewValue(QStringLiteral("00:00"), this, 176, 192, 188);

    // The legend: each trace's name beside a stroke in its colour, on the chart's black.
    ShapeScope = new TShape(this);
    ShapeScope->setGeometry(124, 204, 99, 36);
    ShapeScope->SetBrushColor(Qt::black);
    ShapeScope->SetPenColor(QColor(0x66, 0x66, 0x66));
    LabelAverage2 = vx::look::NewLabel(QStringLiteral("Average"), this, 128, 206);
    ShapeAverage = NewShape(this, QRect(188, 212, 32, 3), Scope->BaseColor());
    LabelLatency2 = vx::look::NewLabel(QStringLiteral("Latency"), this, 128, 224);
    ShapeLatency = NewShape(this, QRect(188, 230, 32, 3), Scope->LineColor());

    Scope->OnPosition = [this](QObject*, const QString& value) { LabelPosition->setText(value); };

    auto* anchors = new TAnchors(this);
    anchors->Add(LabelPosition, Qt::TopEdge | Qt::RightEdge);
    anchors->Add(Bevel1, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    anchors->Add(Scope, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    for (QWidget* w : {static_cast<QWidget*>(Bevel2), static_cast<QWidget*>(ShapeScope)})
        anchors->Add(w, Qt::LeftEdge | Qt::BottomEdge);
    for (QLabel* l : {LabelLatency, LabelLatencyValue, LabelMin, LabelMinValue, LabelAverage, LabelAverageValue, LabelMax,
                      LabelMaxValue, LabelLogon, LabelLogonValue, LabelRuntime, LabelRuntimeValue, LabelAverage2,
                      LabelLatency2})
        anchors->Add(l, Qt::LeftEdge | Qt::BottomEdge);
    for (QWidget* w : {static_cast<QWidget*>(ShapeAverage), static_cast<QWidget*>(ShapeLatency)})
        anchors->Add(w, Qt::LeftEdge | Qt::BottomEdge);
    EdgeSizer = new TEdgeSizer(this, Qt::RightEdge);
}

TRCMPanel::~TRCMPanel()
{
    Unhook();
}

void TRCMPanel::Unhook()
{
    if (TRemoteClientInterface* c = FRemoteClient) {
        vx::Unhook(c->OnRCM, this);
        vx::Unhook(c->OnRCMConnected, this);
    }
}

TRemoteClientInterface* TRCMPanel::RemoteClient() const
{
    return FRemoteClient;
}

void TRCMPanel::SetRemoteClient(TRemoteClientInterface* value)
{
    if (value == FRemoteClient)
        return;
    Unhook();
    FRemoteClient = value;
    if (!value)
        return;
    vx::Hook(value->OnRCMConnected, this, [this](bool v) { DoRCMConnected(v); });
    vx::Hook(value->OnRCM, this, [this] { DoRCM(); });
}

void TRCMPanel::DoRCM()
{
    if (!isVisible() || !FRemoteClient)
        return;
    const bool connected = FRemoteClient->Connected();
    if (connected && !Scope->Active()) {
        Scope->Clear();
        Scope->SetActive(true);
    } else if (!connected && Scope->Active()) {
        Scope->SetActive(false);
    }
    const TRCM& rcm = FRemoteClient->RCM();
    Scope->SetPosition(rcm.Value());
    const auto ms = [](int32_t v) { return QStringLiteral("%1 ms").arg(v); };
    LabelMinValue->setText(ms(rcm.MinValue()));
    LabelLatencyValue->setText(ms(rcm.Value()));
    LabelMaxValue->setText(ms(rcm.MaxValue()));
    LabelAverageValue->setText(ms(rcm.Avg()));
    // The link's times stay readable after it went; the next login replaces them.
    if (connected) {
        LabelLogonValue->setText(rcm.LoginString());
        LabelRuntimeValue->setText(rcm.RuntimeString());
    }
    Scope->SetAverage(rcm.Avg());
}

void TRCMPanel::DoRCMConnected(bool Value)
{
    if (!isVisible())
        return;
    if (Value) {
        if (!Scope->Active()) {
            // A new connection starts from a clear picture.
            Scope->Clear();
            Scope->SetActive(true);
            Scope->SetAverage(0);
        }
        return;
    }
    if (Scope->Active())
        Scope->SetActive(false);
    Scope->SetAverage(0);
    for (QLabel* l : {LabelLatencyValue, LabelMinValue, LabelAverageValue, LabelMaxValue})
        l->setText(ZeroMs);
}
