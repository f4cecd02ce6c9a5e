#pragma once
// The program's own views of the QSO entry panel: the callbook window (TQRZInfoForm over the log
// module's callbook client) and the "Spot a DX" dialog.  The callbook window is made on first
// use and belongs to the owner; the spot dialog lives for one question.

#include "log/widgets/LogPanelLinks.h"
#include "log/widgets/QRZInfoPanel.h"

#include <QPointer>
#include <functional>

class QDialog;
class QWidget;
class TQRZInterface;

class TLogPanelDialogs : public TLogPanelViews {
public:
    TLogPanelDialogs(TQRZInterface* client, QWidget* owner);
    ~TLogPanelDialogs() override;

    std::optional<QString> EditSpot(const QString& line) override;
    void ShowCallbookInfo(TCallbookLink& callbook) override;
    void CallbookAnswered(bool success) override;

    // The callbook window once it was shown.
    TQRZInfoForm* InfoForm() const { return FInfoForm; }

    // Runs a modal dialog and answers its result; exec() unless set (the main window routes
    // its dialogs through one place).
    std::function<int(QDialog&)> ExecuteDialog;

private:
    QPointer<TQRZInterface> FClient;
    QPointer<QWidget> FOwner;
    QPointer<TQRZInfoForm> FInfoForm;
};
