#include "keying/widgets/MessageDlgs.h"

#include "keying/widgets/SetCWMessageDlg.h"
#include "keying/widgets/SetRTTYMessageDlg.h"

std::unique_ptr<TMessageDlgLink> TMessageDlgs::CreateCWMessageDlg()
{
    return std::make_unique<TSetCWMessageDlg>(FOwner.data());
}

std::unique_ptr<TMessageDlgLink> TMessageDlgs::CreateRTTYMessageDlg()
{
    return std::make_unique<TSetRTTYMessageDlg>(FOwner.data());
}
