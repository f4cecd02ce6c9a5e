#pragma once
// Stored command texts per operating style, captured from the radio state and sent back on
// request.

#include "core/cat/FTCATEvents.h"

#include <QString>

class TFTCATInterface;

class TPresets {
public:
    explicit TPresets(TFTCATInterface* owner);

    QString Preset(TPresetMode mode) const { return FPresets[mode & 3]; }
    void SetPreset(TPresetMode mode, const QString& value) { FPresets[mode & 3] = value; }
    QString PresetsCW() const { return FPresets[pmCW]; }
    QString PresetsSSB() const { return FPresets[pmSSB]; }
    QString PresetsRTTY() const { return FPresets[pmRTTY]; }
    QString PresetsJT65() const { return FPresets[pmJT65]; }
    void SetPresetsCW(const QString& value) { FPresets[pmCW] = value; }
    void SetPresetsSSB(const QString& value) { FPresets[pmSSB] = value; }
    void SetPresetsRTTY(const QString& value) { FPresets[pmRTTY] = value; }
    void SetPresetsJT65(const QString& value) { FPresets[pmJT65] = value; }

    // Sends the stored text of a mode as one command text; an empty slot sends nothing.
    void LoadPresets(TPresetMode mode);
    // Captures the current radio state into the slot of a mode.
    void SavePresets(TPresetMode mode);

private:
    TFTCATInterface* FOwner;
    QString FPresets[4];
};
