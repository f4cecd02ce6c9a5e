#pragma once
// The editor of one keyer message (CW or RTTY): the message (upper case) and its button
// caption, beside a list of the message variables the logbook expands when the message is
// sent.  OK keeps the edits, Cancel or Escape drops them.  The two kinds differ only in the
// title, the width of the message field and the variables listed.

#include "controls/widgets/DPIForm.h"
#include "keying/MessageDlgLink.h"

#include <QString>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class TRCPanel;

class TSetMessageDlg : public TDPIForm, public TMessageDlgLink {
    Q_OBJECT
public:
    struct Layout {
        QString Title;
        int Width;        // of the client area
        int MessageWidth; // the caption field, OK and Cancel follow it
        int HelpHeight;   // the panel of variables
        // Name and meaning of each variable, one a line.
        std::vector<std::pair<const char*, const char*>> Variables;
    };

    TSetMessageDlg(const Layout& layout, QWidget* owner);

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
