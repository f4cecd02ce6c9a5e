#include "remote/widgets/PlaybackForm.h"

#include "controls/widgets/RCSpeedButton.h"
#include "core/DMApplication.h"
#include "remote/DMPlayback.h"

#include <QAction>
#include <QCloseEvent>

TPlaybackForm::TPlaybackForm(TDMPlayback* playback, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Playback"));
    // "Tahoma" 8 pt, at a size the buttons hold the default channel names in.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    setFont(font);
    setFixedSize(115, 126);

    TRCSpeedButton** buttons[TDMPlayback::ChannelCount] = {&Button1, &Button2, &Button3, &Button4, &Button5};
    for (int n = 1; n <= TDMPlayback::ChannelCount; ++n) {
        auto* b = new TRCSpeedButton(this);
        b->setObjectName(QStringLiteral("Button%1").arg(n));
        b->setGeometry(4, 4 + (n - 1) * 24, 106, 22);
        // Plain system colours: these are ordinary buttons, not a lamp.
        b->SetColorUp(palette().color(QPalette::ButtonText));
        b->SetColorDown(palette().color(QPalette::ButtonText));
        if (playback)
            b->setDefaultAction(playback->PlaybackAction(n));
        *buttons[n - 1] = b;
    }
}

TRCSpeedButton* TPlaybackForm::Button(int Channel) const
{
    switch (Channel) {
    case 1: return Button1;
    case 2: return Button2;
    case 3: return Button3;
    case 4: return Button4;
    case 5: return Button5;
    default: return nullptr;
    }
}

void TPlaybackForm::closeEvent(QCloseEvent* event)
{
    if (FPlaybackWindowAction)
        FPlaybackWindowAction->setChecked(false);
    if (DMApplication) {
        // The record keeps the window's left in Width and its top in Height.
        TPanelPosition p = DMApplication->PositionPlayBack();
        p.Width = x();
        p.Height = y();
        p.Visible = false;
        DMApplication->SetPositionPlayBack(p);
    }
    event->ignore();
    hide();
}
