#pragma once
// The small tool window "Playback": the five playback channels as buttons, above all other
// windows.  Closing it only hides it: the main window's action that shows it is unchecked and
// its position is kept in the application settings for the next time it is shown.

#include <QWidget>

class QAction;
class TDMPlayback;
class TRCSpeedButton;

class TPlaybackForm : public QWidget {
    Q_OBJECT
public:
    // Created hidden, the buttons bound to the module's five actions.
    explicit TPlaybackForm(TDMPlayback* playback, QWidget* parent = nullptr);

    TRCSpeedButton* Button1;
    TRCSpeedButton* Button2;
    TRCSpeedButton* Button3;
    TRCSpeedButton* Button4;
    TRCSpeedButton* Button5;
    // Button 1 to 5; null for another number.
    TRCSpeedButton* Button(int Channel) const;

    // The main window's action that shows this window; unchecked when the window closes.
    QAction* PlaybackWindowAction() const { return FPlaybackWindowAction; }
    void SetPlaybackWindowAction(QAction* value) { FPlaybackWindowAction = value; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* FPlaybackWindowAction = nullptr;
};
