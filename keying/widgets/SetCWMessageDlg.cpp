#include "keying/widgets/SetCWMessageDlg.h"

const std::vector<std::pair<const char*, const char*>>& TSetCWMessageDlg::Variables()
{
    static const std::vector<std::pair<const char*, const char*>> variables = {
        {"<MYCALL>", "sends my callsign"},
        {"<MYGRID>", "sends my grid locator"},
        {"<MYGRID4>", "sends my 4 digit grid locator"},
        {"<CALL>", "sends the callsign of the current QSO"},
        {"<NAME>", "sends the name of the QSO partner"},
        {"<RST>", "sends current QSO RST"},
        {"<RSTN>", "and replaces 9 with N (599 > 5NN)"},
        {"<STX>", "sends current QSO Serial Number"},
        {"<STXN>", "and cuts 9 to N and 0 to T"},
    };
    return variables;
}

TSetCWMessageDlg::TSetCWMessageDlg(QWidget* owner)
    : TSetMessageDlg({QStringLiteral("Set CW Message"), 543, 266, 151, Variables()}, owner)
{
}
