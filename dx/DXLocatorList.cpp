#include "dx/DXLocatorList.h"

QString TDXLocatorList::FindLocator(const QString& call) const
{
    return FLocators.value(call).left(6);
}

void TDXLocatorList::AddLocator(const QString& call, const QString& locator)
{
    if (call.isEmpty() || locator.isEmpty() || FindLocator(call) == locator)
        return;
    FLocators.insert(call, locator);
}
