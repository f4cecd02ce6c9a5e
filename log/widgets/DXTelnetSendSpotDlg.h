#pragma once
// TDXTelnetSendSpotDlg: "Spot a DX", where the operator checks and edits the spot line the
// QSO entry panel proposes before it goes to the DX cluster.  The caller fills Edit1, shows
// the dialog modally and reads Edit1 when it was accepted ("&Send", Enter); Escape cancels
// wherever the focus is.
//
// The operator types at most 50 characters, yet a longer line proposed by the caller shows
// whole: the limit holds typing, not the text set.

#include "controls/widgets/DPIForm.h"

class QLineEdit;
class QPushButton;

class TDXTelnetSendSpotDlg : public TDPIForm {
    Q_OBJECT
public:
    static constexpr int MaxTypedLength = 50;

    explicit TDXTelnetSendSpotDlg(QWidget* owner = nullptr);

    // The form's key handler, ahead of the focused control: Escape (27) cancels.  True when
    // it took the key.
    bool FormKeyPress(QChar key);

    QLineEdit* Edit1 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
