#pragma once
// The first data module of both programs: it owns the settings store every module reads and
// writes its sections through, and holds the client window's view settings.

#include "core/ApplicationRole.h"
#include "core/IniStore.h"
#include "core/RCTypes.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

// Place of an auxiliary panel of the client window.  For the playback window the record
// holds a window position: Height is its top and Width its left coordinate.
struct TPanelPosition {
    int32_t ControlIndex = 0; // order among the auxiliary panels (stored as "Index")
    bool Use = false;         // the panel's feature is in use in this role (never stored)
    bool Visible = false;
    int32_t Height = 0;
    int32_t Width = 0;
};

class TDMApplication : public QObject {
    Q_OBJECT
public:
    // Shared with the radio module, which keeps its own options in the same section.
    static inline const QString SectionUserInterface = QStringLiteral("Client\\UserInterface");

    explicit TDMApplication(QObject* parent = nullptr);
    ~TDMApplication() override;

    // $XDG_CONFIG_HOME/Zemro/Vornix.ini
    static QString SettingsFileName();

    // The settings store, created on first use.  Callers never keep it across Close().
    TIniStore* IniRegistry();
    // Writes and frees the store; the next IniRegistry() opens a new one.  A write that fails
    // raises OnError with the reason (the session's settings are not in the file).
    void Close();

    // Settings that could not be saved; the programs show the text.
    TStringEvent OnError;

    void IniRead();
    void IniWrite();

    // Where the role, the last settings page and the last menu number are read into.  Without
    // one, the role read is used only for this module's own panel rules.
    TApplicationRole* DM() const { return FDM; }
    void SetDM(TApplicationRole* value) { FDM = value; }

    // View mode of the client window: 0 wide, 1 compact, 2 basic.
    uint8_t CompactView() const { return FCompactView; }
    void SetCompactView(uint8_t value) { FCompactView = value; }
    int32_t NormalWidth() const { return FNormalWidth; }
    void SetNormalWidth(int32_t value) { FNormalWidth = value; }
    bool RotorPushAndHold() const { return FRotorPushAndHold; }
    void SetRotorPushAndHold(bool value) { FRotorPushAndHold = value; }

    const TPanelPosition& PositionMessages() const { return FPositionMessages; }
    void SetPositionMessages(const TPanelPosition& value) { FPositionMessages = value; }
    const TPanelPosition& PositionCW() const { return FPositionCW; }
    void SetPositionCW(const TPanelPosition& value) { FPositionCW = value; }
    const TPanelPosition& PositionLog() const { return FPositionLog; }
    void SetPositionLog(const TPanelPosition& value) { FPositionLog = value; }
    const TPanelPosition& PositionRCM() const { return FPositionRCM; }
    void SetPositionRCM(const TPanelPosition& value) { FPositionRCM = value; }
    const TPanelPosition& PositionRotator() const { return FPositionRotator; }
    void SetPositionRotator(const TPanelPosition& value) { FPositionRotator = value; }
    const TPanelPosition& PositionRTTY() const { return FPositionRTTY; }
    void SetPositionRTTY(const TPanelPosition& value) { FPositionRTTY = value; }
    const TPanelPosition& PositionPlayBack() const { return FPositionPlayBack; }
    void SetPositionPlayBack(const TPanelPosition& value) { FPositionPlayBack = value; }

private:
    void ReadPanel(TIniStore& ini, const QString& Section, TPanelPosition& p);
    void WritePanel(TIniStore& ini, const QString& Section, const TPanelPosition& p);

    std::unique_ptr<TIniStore> FIniRegistry;
    TApplicationRole* FDM = nullptr;
    uint8_t FCompactView = 1;
    int32_t FNormalWidth = 1440;
    TPanelPosition FPositionMessages{0, true, true, 251, 122};
    TPanelPosition FPositionCW{1, true, true, 251, 286};
    TPanelPosition FPositionLog{2, true, true, 251, 352};
    TPanelPosition FPositionRCM{4, false, false, 251, 150};
    TPanelPosition FPositionRotator{5, false, false, 251, 177};
    TPanelPosition FPositionRTTY{3, false, false, 251, 286};
    TPanelPosition FPositionPlayBack{};
    bool FRotorPushAndHold = false;
};

// The program's one settings module; set while one exists.
extern TDMApplication* DMApplication;
