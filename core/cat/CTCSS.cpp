#include "core/cat/CTCSS.h"

TCTCSS::TCTCSS(TFTCATInterface* owner)
    : FOwner(owner)
{
}
