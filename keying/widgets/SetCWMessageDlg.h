#pragma once
// The editor of one CW message: the message (upper case) and its button caption, beside a
// list of the message variables the logbook expands when the message is sent.  OK keeps the
// edits, Cancel or Escape drops them.

#include "controls/widgets/DPIForm.h"
#include "keying/MessageDlgLink.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TRCPanel;

class TSetCWMessageDlg : public TDPIForm, public TMessageDlgLink {
    Q_OBJECT
public:
    explicit TSetCWMessageDlg(QWidget* owner = nullptr);

    // TMessageDlgLink
    void SetCaption(const QString& value) override;
    QString Message() const override;
    // Shown, and kept, in upper case.
    void SetMessage(const QString& value) override;
    QString MessageCaption() const override;
    void SetMessageCaption(const QString& value) override;
    void SetMessageCaptionEnabled(bool value) override;
    bool Execute() override;

    QLabel* sLabel1;
    QLabel* sLabel2;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    TRCPanel* Panel1;
    QLabel* Label3;
    QLabel* Label2;
    QLabel* Label1;
};
