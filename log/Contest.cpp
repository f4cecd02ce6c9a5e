#include "log/Contest.h"

#include "log/LogInterface.h"

TContest::TContest(TLogInterface* ALogInterface)
    : FLogInterface(ALogInterface)
{
}

void TContest::SetIncrementSerialNumbersTX(bool Value)
{
    if (Value == FIncrementSerialNumbersTX)
        return;
    FIncrementSerialNumbersTX = Value;
    Fire(FLogInterface->OnIncrementSerialNumbersTX, Value);
    if (Value)
        SetNumbersOnlySerialTX(true);
}

void TContest::SetLastSerialNumber(const QString& Value)
{
    if (Value == FLastSerialNumber || FIncrementSerialNumbersTX)
        return;
    FLastSerialNumber = Value;
}

QString TContest::NextSerialNumberAsString() const
{
    QString s = QString::number(FNextSerialNumber);
    if (FNextSerialNumber < 100)
        s = s.rightJustified(3, QLatin1Char('0'));
    return s;
}

void TContest::SetNumbersOnlySerialRX(bool Value)
{
    if (Value == FNumbersOnlySerialRX)
        return;
    FNumbersOnlySerialRX = Value;
    Fire(FLogInterface->OnNumbersOnlySerialRX, Value);
}

void TContest::SetNumbersOnlySerialTX(bool Value)
{
    if (Value == FNumbersOnlySerialTX)
        return;
    FNumbersOnlySerialTX = FIncrementSerialNumbersTX ? true : Value;
    Fire(FLogInterface->OnNumbersOnlySerialTX, FNumbersOnlySerialTX);
}
