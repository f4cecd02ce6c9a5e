#pragma once
// The base of the programs' dialogs.  Its forms keep their layout size on every screen: Qt
// scales them by the screen's pixel ratio, so a move to a monitor of another resolution
// changes neither the size nor the positions the layouts give.  It also gives every form the
// one dialog font.

#include <QDialog>

class TDPIForm : public QDialog {
    Q_OBJECT
public:
    // The forms' font ("MS Sans Serif" of 11 pixels in the layouts) in logical pixels.
    static constexpr int FontPixelSize = 11;
    static QFont FormFont();

    explicit TDPIForm(QWidget* owner = nullptr, Qt::WindowFlags flags = {});
};
