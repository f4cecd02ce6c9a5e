#pragma once
// Stand-ins for the message module and the voice keyer module until those modules exist:
// they keep no settings, open nothing and have no router interface.

#include "core/KeyingLinks.h"
#include "core/MessageModuleLinks.h"

#include <QObject>

class TInertMessages : public QObject, public TMessagesModuleLink, public TMessagesLink {
public:
    using QObject::QObject;
    void IniRead() override {}
    void IniWrite() override {}
    void ClearActionExecute() override {}
};

class TInertDVK : public QObject, public TDVKModuleLink {
public:
    using QObject::QObject;
    void IniRead() override {}
    void IniWrite() override {}
    void Open() override {}
    TMicroHamInterface* MicroHamInterface() override { return nullptr; }
};
