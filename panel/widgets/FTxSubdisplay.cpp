#include "panel/widgets/FTxSubdisplay.h"

#include "panel/PanelColors.h"
#include "platform/Clock.h"

#include <QFontMetrics>
#include <QPainter>

TFTxSubdisplay::TFTxSubdisplay(QWidget* owner) : QWidget(owner)
{
    setFixedSize(DisplayWidth, DisplayHeight);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FDisplayTimer = new vx::Timer(TextTimeMs, false, this);
    FDisplayTimer->OnTimer = [this] { DisplayTimerTimer(); };
}

TFTxSubdisplay::~TFTxSubdisplay()
{
    FDisplayTimer->stop();
}

QFont TFTxSubdisplay::DisplayFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    f.setBold(true);
    f.setStretch(QFont::SemiCondensed);
    return f;
}

void TFTxSubdisplay::SetDisplayMode(TDisplayMode value)
{
    if (value == FDisplayMode)
        return;
    FDisplayMode = value;
    UpdateDisplay();
}

void TFTxSubdisplay::SetDisplayText(const QString& value)
{
    FDisplayText = value;
    FDisplayTimer->setEnabled(true); // a running period is not restarted
    update();
}

void TFTxSubdisplay::SetFTCATInterface(TFTCATInterface* value)
{
    if (FEngineGiven)
        return;
    FFTCATInterface = value;
    FEngineGiven = value != nullptr;
}

bool TFTxSubdisplay::ShowingText() const
{
    return FDisplayTimer->enabled();
}

void TFTxSubdisplay::UpdateDisplay()
{
    if (const TFTCATInterface* cat = FFTCATInterface.data()) {
        if (const auto reading = subdisplay::Read(*cat, FDisplayMode, FVFO)) {
            FPosition = reading->Position;
            FOn = reading->On;
        }
    }
    update();
}

void TFTxSubdisplay::DisplayTimerTimer()
{
    FDisplayTimer->stop();
    update();
}

void TFTxSubdisplay::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(rect(), Qt::black);
    const QFont font = DisplayFont();
    p.setFont(font);
    const QFontMetrics fm(font);
    // Every text sits on one line, centred on the height of a figure.
    const int top = height() / 2 - fm.height() / 2;
    const int baseline = top + fm.ascent();
    const QColor bright = BGRColor(subdisplay::clBright);
    if (ShowingText()) {
        p.setPen(bright);
        const int x = FVFO == vfoB ? width() - fm.horizontalAdvance(FDisplayText) - 6 : 6;
        p.drawText(x, baseline, FDisplayText);
        return;
    }
    if (FDisplayMode == dpmNone)
        return;
    p.setPen(FOn ? bright : BGRColor(subdisplay::clDim));
    p.drawText(6, baseline, subdisplay::Caption(FDisplayMode));
    const QString value = subdisplay::ValueText(FDisplayMode, FPosition);
    p.drawText(width() - fm.horizontalAdvance(value) - 6, baseline, value);
}
