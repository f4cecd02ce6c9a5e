#include "keying/widgets/MessageDlgs.h"

#include "keying/widgets/SetCWMessageDlg.h"

std::unique_ptr<TMessageDlgLink> TMessageDlgs::CreateCWMessageDlg()
{
    return std::make_unique<TSetCWMessageDlg>(FOwner.data());
}
