#pragma once
// The editor of one RTTY message, with the RTTY variables of the logbook.

#include "keying/widgets/SetMessageDlg.h"

class TSetRTTYMessageDlg : public TSetMessageDlg {
    Q_OBJECT
public:
    explicit TSetRTTYMessageDlg(QWidget* owner = nullptr);
};
