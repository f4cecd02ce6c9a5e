#include "log/LogInfo.h"

namespace {

void SetIfEmpty(QString& field, const QString& v)
{
    if (field.isEmpty())
        field = v;
}

} // namespace

void TLogInfo::SetADIFCode(int32_t v)
{
    if (FADIFCode == 0)
        FADIFCode = v;
}

void TLogInfo::SetContinent(TContinent v)
{
    if (FContinent == coAll)
        FContinent = v;
}

void TLogInfo::SetCQZone(int32_t v)
{
    if (FCQZone == 0)
        FCQZone = v;
}

void TLogInfo::SetGridSquare(const QString& v)
{
    SetIfEmpty(FGridSquare, v);
}

void TLogInfo::SetIOTA(const QString& v)
{
    SetIfEmpty(FIOTA, v);
}

void TLogInfo::SetName(const QString& v)
{
    SetIfEmpty(FName, v);
}

void TLogInfo::SetQSLVia(const QString& v)
{
    SetIfEmpty(FQSLVia, v);
}

void TLogInfo::SetSRX(const QString& v)
{
    SetIfEmpty(FSRX, v);
}

void TLogInfo::SetUSState(const QString& v)
{
    SetIfEmpty(FUSState, v);
}
