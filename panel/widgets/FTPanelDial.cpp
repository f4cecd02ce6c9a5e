#include "panel/widgets/FTPanelDial.h"

#include "controls/widgets/ArtRegistry.h"
#include "core/RCUtils.h"
#include "panel/PanelColors.h"
#include "panel/widgets/PanelControlArt.h"

#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QString UpArrow = QStringLiteral("DIAL_UP");
const QString DownArrow = QStringLiteral("DIAL_DOWN");
} // namespace

TDialPointerState& TFTPanelDial::PointerState()
{
    static TDialPointerState state;
    return state;
}

TFTPanelDial::TFTPanelDial(QWidget* parent) : QWidget(parent)
{
    RegisterPanelControlArt();
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);

    FTuningTimer = new vx::Timer(200, false, this);
    FTuningTimer->OnTimer = [this] { TuningTimerTick(); };
    FDialModeTimer = new vx::Timer(2000, false, this);
    FDialModeTimer->OnTimer = [this] {
        FDialModeLabel->hide();
        FDialModeTimer->stop();
    };

    FDialModeLabel = new QLabel(this);
    FDialModeLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    f.setBold(true);
    FDialModeLabel->setFont(f);
    FDialModeLabel->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(BGRColor(0x0000FF).name()));
    FDialModeLabel->move(2, 135);
    FDialModeLabel->hide();

    TDialPointerState& s = PointerState();
    s.ButtonHeld = s.PointerInside = s.UpperPressed = s.LowerPressed = false;
    ApplyGeometry();
}

void TFTPanelDial::ApplyGeometry()
{
    const TDialGeometry& g = DialGeometry(FDialType);
    setFixedSize(g.Size, g.Size);
    FCenterPoint = g.Centre;
}

void TFTPanelDial::UpdateCursor()
{
    setCursor(FLock ? Qt::ForbiddenCursor : Qt::PointingHandCursor);
}

void TFTPanelDial::SetDegree(TDegree value)
{
    if (FDegree == value)
        return;
    FDegree = value;
    update();
}

void TFTPanelDial::SetDialMode(TDialMode value)
{
    if (FDialMode == value)
        return;
    FDialMode = value;
    UpdateCursor();
    update();
}

void TFTPanelDial::SetDialType(TDialType value)
{
    if (FDialType == value || unsigned(value) >= unsigned(DialTypeCount))
        return;
    FDialType = value;
    ApplyGeometry();
    FDialModeLabel->move(FDialModeLabel->x(), height() - 14);
    update();
}

void TFTPanelDial::SetLock(bool value)
{
    if (FLock == value)
        return;
    FLock = value;
    UpdateCursor();
}

void TFTPanelDial::SetFrequency(int value)
{
    if (FFrequency == value)
        return;
    const int64_t delta = int64_t(value) - FFrequency;
    FFrequency = value;
    // The operator turning any dial owns the dimple; reports of that tuning must not fight him.
    if (PointerState().ButtonHeld)
        return;
    SetDegree(DialFollowFrequency(FDegree, delta));
}

void TFTPanelDial::SetDialStep(int step)
{
    if (step == FDialStep)
        return;
    FDialStep = step;
    FDialModeLabel->setText(QStringLiteral("%1 Hz").arg(step));
    FDialModeLabel->adjustSize();
    FDialModeLabel->show();
    FDialModeTimer->start();
    UpdateCursor();
}

void TFTPanelDial::mousePressEvent(QMouseEvent* event)
{
    TDialPointerState& s = PointerState();
    const QPoint pos = event->position().toPoint();
    s.Last = pos;
    if (FLock)
        return;
    s.ButtonHeld = true;
    FTuningStep = 0;
    // A drag is measured from where the pointer went down, not from where the last drag ended:
    // otherwise its first move could tune by up to half a turn.
    FRadian = DialPointerRadian(pos, FCenterPoint);
    if (FDialMode == dmUpDown) {
        s.UpperPressed = pos.y() < height() / 2;
        s.LowerPressed = !s.UpperPressed;
        FTuningTimer->start();
        update();
    }
}

void TFTPanelDial::mouseMoveEvent(QMouseEvent* event)
{
    TDialPointerState& s = PointerState();
    const QPoint pos = event->position().toPoint();
    s.Last = pos;
    if (FLock || !(event->buttons() & Qt::LeftButton) || FDialMode == dmUpDown)
        return;
    const int degree = DialDimpleDegree(pos, FCenterPoint);
    const double theta = DialPointerRadian(pos, FCenterPoint);
    if (theta != FRadian) {
        const int step = DialTuningStep(AngleDifference(FRadian, theta), FDialStep, FFastStep);
        FTuningStep = step;
        FRadian = theta;
        Fire(OnTuningStep, this, step);
    }
    SetDegree(TDegree(degree));
}

void TFTPanelDial::mouseReleaseEvent(QMouseEvent* event)
{
    TDialPointerState& s = PointerState();
    s.Last = event->position().toPoint();
    s.ButtonHeld = s.UpperPressed = s.LowerPressed = false;
    FTuningStep = 0;
    FTuningTimer->stop();
    if (FDialMode == dmUpDown) {
        FDegree = 0;
        update();
    }
}

void TFTPanelDial::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event); // a press as well
    if (!FLock && FDialMode == dmWheel)
        SetDialStep(NextDialStep(FDialStep));
}

void TFTPanelDial::TuningTimerTick()
{
    update();
    if (!OnTuningStep)
        return;
    if (FDialMode == dmUpDown)
        Fire(OnTuningStep, this, PointerState().Last.y() < height() / 2 ? 1 : -1);
    else
        Fire(OnTuningStep, this, FTuningStep);
}

void TFTPanelDial::enterEvent(QEnterEvent* event)
{
    PointerState().PointerInside = true;
    update();
    QWidget::enterEvent(event);
}

void TFTPanelDial::leaveEvent(QEvent* event)
{
    TDialPointerState& s = PointerState();
    s.PointerInside = s.UpperPressed = s.LowerPressed = false;
    update();
    QWidget::leaveEvent(event);
}

void TFTPanelDial::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const TDialGeometry& g = DialGeometry(FDialType);
    const TDialPointerState& s = PointerState();
    vx::art::Draw(p, QPointF(0, 0), QString::fromLatin1(g.Face));
    if (FDialMode == dmWheel) {
        if (g.Dimple && (g.DimpleAlways || s.PointerInside)) {
            const QPoint at = PolarToPoint(FDegree, FCenterPoint, g.DimpleRadius) - QPoint(g.DimpleOffset, g.DimpleOffset);
            vx::art::Draw(p, at, QString::fromLatin1(g.Dimple));
        }
        return;
    }
    if (!s.ButtonHeld && !(s.PointerInside && g.Small))
        return;
    const QSize arrow = vx::art::Size(UpArrow);
    const int x = (width() - arrow.width()) / 2;
    const int mid = height() / 2;
    vx::art::Draw(p, QPointF(x, mid - arrow.height() + (s.UpperPressed ? 1 : 0)), UpArrow);
    vx::art::Draw(p, QPointF(x, mid - (s.LowerPressed ? 1 : 0)), DownArrow);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(BGRColor(0x656565), 1));
    p.drawLine(x, mid, x + arrow.width(), mid);
    p.setPen(QPen(BGRColor(0x0080FF), 1, Qt::DotLine));
    p.drawLine(x, mid, x + arrow.width(), mid);
}
