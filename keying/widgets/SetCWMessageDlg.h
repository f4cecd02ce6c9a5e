#pragma once
// The editor of one CW message, with the CW variables of the logbook.

#include "keying/widgets/SetMessageDlg.h"

class TSetCWMessageDlg : public TSetMessageDlg {
    Q_OBJECT
public:
    explicit TSetCWMessageDlg(QWidget* owner = nullptr);

    // The CW message variables with the text beside each; the settings page lists them too.
    static const std::vector<std::pair<const char*, const char*>>& Variables();
};
