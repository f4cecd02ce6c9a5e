#include "log/LogbookPanelTypes.h"

void TFilterData::Clear()
{
    for (QString& v : Value)
        v.clear();
    DXCC.clear();
    Changed = false;
}

bool TFilterData::Filtered() const
{
    if (!DXCC.isEmpty())
        return true;
    for (const QString& v : Value) {
        if (!v.isEmpty())
            return true;
    }
    return false;
}
