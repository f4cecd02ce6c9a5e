#include "log/LogDataList.h"

#include "log/LogRecord.h"

void TLogDataList::clear()
{
    FIndexes.clear();
    FLines.clear();
}

void TLogDataList::reserve(qsizetype n)
{
    FIndexes.reserve(n);
    FLines.reserve(n);
}

void TLogDataList::Append(int32_t index, const QString& line)
{
    FIndexes.append(index);
    FLines.append(line);
}

void TLogDataList::RemoveLast()
{
    FIndexes.removeLast();
    FLines.removeLast();
}

TLogData TLogDataList::At(qsizetype row) const
{
    TLogRecord r;
    return r.GetLogDataRecord(FIndexes.at(row), FLines.at(row));
}
