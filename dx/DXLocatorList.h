#pragma once
// Cache of call -> Maidenhead locator, collected from spots and QSO entries. It lives in
// memory only: every program run starts with an empty cache.

#include <QHash>
#include <QString>

class TDXLocatorList {
public:
    // Keeps the name only; no file is read or written.
    void Open(const QString& fileName) { FFilename = fileName; }
    void Close() {}

    // The locator of exactly that call (at most 6 characters), empty when unknown.
    QString FindLocator(const QString& call) const;
    // Stores or replaces the call's locator; nothing when either text is empty.
    void AddLocator(const QString& call, const QString& locator);

    int Count() const { return int(FLocators.size()); }

private:
    QString FFilename;
    QHash<QString, QString> FLocators;
};
