#include "keying/widgets/SetRTTYMessageDlg.h"

TSetRTTYMessageDlg::TSetRTTYMessageDlg(QWidget* owner)
    : TSetMessageDlg({QStringLiteral("Set RTTY Message"), 684, 434, 111,
                      {
                          {"<MYCALL>", "sends my callsign"},
                          {"<CALL>", "sends the callsign of the current QSO"},
                          {"<NAME>", "sends the name of the QSO partner"},
                          {"<RST>", "sends current QSO RST"},
                          {"<STX>", "sends current QSO Serial Number"},
                          {"<CR>", "sends Carriage Return"},
                      }},
                     owner)
{
}
