#pragma once
// Cache of the radio's menu values ("EX" items 1..177) and the radio state that depends on
// some of them.

#include "core/cat/FTCATEvents.h"

#include <QString>
#include <QStringList>
#include <memory>

class TFTCATInterface;

namespace vx {
class Timer;
} // namespace vx

class TMenuSettings {
public:
    static constexpr int MenuCount = 177;
    // Longest parameter the cache keeps.
    static constexpr int MaxEntryLength = 13;
    // Pause between the request texts of GetAllMenuEntries, as between poll lines.
    static constexpr int RequestIntervalMs = 50;

    explicit TMenuSettings(TFTCATInterface* owner);
    ~TMenuSettings();
    TMenuSettings(const TMenuSettings&) = delete;
    TMenuSettings& operator=(const TMenuSettings&) = delete;

    // Asks the radio for one menu item.
    void GetMenu(int32_t AMenuNo);
    // Asks for every menu item, five per text, one text every RequestIntervalMs.
    void GetAllMenuEntries();
    // The cached parameter of a menu item; empty for numbers outside 1..177.
    QString GetMenuEntry(int32_t AIndex) const;
    // Stores a received item (and applies its side effects), or sends it in user-command mode.
    void SetMenuEntry(int32_t AIndex, const QString& AValue);

private:
    // The parameter as it goes into an "EX" command: without ";" and control characters.
    static QString CommandParameter(const QString& AValue);
    void ApplySideEffect(int32_t AIndex, const QString& AValue);
    void SendNextRequest();

    TFTCATInterface* FOwner;
    QString FMenuEntries[MenuCount];
    std::unique_ptr<vx::Timer> FRequestTimer;
    QStringList FPendingRequests;
};
