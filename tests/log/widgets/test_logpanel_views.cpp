// The entry panel's own views: the spot dialog that checks a spot line and the callbook window
// over the log module's callbook client.
#include "LogPanelFixture.h"
#include "log/QRZInterface.h"
#include "log/widgets/DXTelnetSendSpotDlg.h"
#include "log/widgets/LogPanelDialogs.h"
#include "log/widgets/QRZCallbookLink.h"
#include "log/widgets/QRZInfoPanel.h"

#include <QLineEdit>

TEST_F(LogPanelFixture, SpotLineGoesThroughTheSpotDialog)
{
    openLog();
    TQRZInterface qrz;
    TLogPanelDialogs dialogs(&qrz, nullptr);
    panel->SetViews(&dialogs);
    panel->SetBandA(bd20);
    panel->SetFrequencyA(14025000);
    typeCall("K1ABC");

    struct Case {
        const char* typed; // nullptr: the operator cancels
        QStringList sent;
    } cases[] = {
        {"", {"DX 14025.0 K1ABC"}},
        {"DX 14025.0 K1ABC tnx", {"DX 14025.0 K1ABC tnx"}},
        {nullptr, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "cancelled");
        QString shown;
        dialogs.ExecuteDialog = [&](QDialog& d) {
            auto& dlg = static_cast<TDXTelnetSendSpotDlg&>(d);
            shown = dlg.Edit1->text();
            if (!c.typed)
                return int(QDialog::Rejected);
            if (*c.typed)
                dlg.Edit1->setText(c.typed);
            return int(QDialog::Accepted);
        };
        sent.clear();
        panel->DoSendSpot();
        EXPECT_EQ(shown, "DX 14025.0 K1ABC ");
        EXPECT_EQ(sent, c.sent);
    }
}

TEST_F(LogPanelFixture, CallbookWindowIsMadeOnceAndFollowsTheAnswers)
{
    openLog();
    auto qrz = std::make_unique<TQRZInterface>();
    TQRZCallbookLink link(qrz.get());
    QWidget owner;
    auto* dialogs = new TLogPanelDialogs(qrz.get(), &owner);
    panel->SetQRZInterface(&link);
    panel->SetViews(dialogs);
    qrz->SetUseQRZ(true);
    EXPECT_EQ(dialogs->InfoForm(), nullptr);

    TQRZRecord& answer = *qrz->QRZRecord();
    answer.SetCallsignRequest("K1ABC");
    answer.SetCall("K1ABC");
    answer.SetSuccess(true);
    panel->DoQRZInfoButtonClick();
    TQRZInfoForm* form = dialogs->InfoForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->QRZInterface(), qrz.get());
    EXPECT_EQ(form->QRZInfoPanel->CallLabel->text(), "K1ABC");
    panel->DoQRZInfoButtonClick();
    EXPECT_EQ(dialogs->InfoForm(), form);

    // A failed lookup for the call in the field empties the window.
    typeCall("K1ABC");
    panel->DoQRZButtonClick();
    Fire(qrz->OnRequest, false, QStringLiteral("Not found: K1ABC"));
    EXPECT_EQ(form->QRZInfoPanel->CallLabel->text(), "");

    // Neighbours going first leave nothing behind.
    qrz.reset();
    dialogs->CallbookAnswered(true);
    panel->DoQRZInfoButtonClick();
}
