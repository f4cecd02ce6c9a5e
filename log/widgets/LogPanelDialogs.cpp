#include "log/widgets/LogPanelDialogs.h"

#include "log/QRZInterface.h"
#include "log/widgets/DXTelnetSendSpotDlg.h"

#include <QLineEdit>

TLogPanelDialogs::TLogPanelDialogs(TQRZInterface* client, QWidget* owner)
    : TLogPanelViews(owner)
    , FClient(client)
    , FOwner(owner)
{
}

TLogPanelDialogs::~TLogPanelDialogs()
{
    // The window goes with the views (also without an owner to take it).
    delete FInfoForm.data();
}

std::optional<QString> TLogPanelDialogs::EditSpot(const QString& line)
{
    TDXTelnetSendSpotDlg dlg(FOwner);
    dlg.Edit1->setText(line);
    const int result = ExecuteDialog ? ExecuteDialog(dlg) : dlg.exec();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return dlg.Edit1->text();
}

void TLogPanelDialogs::ShowCallbookInfo(TCallbookLink&)
{
    if (!FClient)
        return;
    if (!FInfoForm) {
        FInfoForm = new TQRZInfoForm(FOwner);
        FInfoForm->SetQRZInterface(FClient);
    }
    FInfoForm->show();
    FInfoForm->UpdateRecord();
}

void TLogPanelDialogs::CallbookAnswered(bool success)
{
    if (!FInfoForm)
        return;
    if (success)
        FInfoForm->UpdateRecord();
    else
        FInfoForm->ClearRecord();
}
