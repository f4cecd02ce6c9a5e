#pragma once
// The radio's internal keyer: memories, pitch and speed.

#include "core/cat/FTCATEvents.h"

#include <QString>

class TFTCATInterface;

class TKeyer {
public:
    // Longest memory text the radio takes, without its closing "}".
    static constexpr int MaxMemoryText = 50;

    explicit TKeyer(TFTCATInterface* owner);

    bool Keyer() const { return FKeyer; }
    void SetKeyer(bool value);

    // Memories 1..5; other numbers read as empty and are ignored when written.
    QString KeyerMemory(int n) const;
    void SetKeyerMemory(int n, const QString& value);
    QString KeyerMemory1() const { return KeyerMemory(1); }
    QString KeyerMemory2() const { return KeyerMemory(2); }
    QString KeyerMemory3() const { return KeyerMemory(3); }
    QString KeyerMemory4() const { return KeyerMemory(4); }
    QString KeyerMemory5() const { return KeyerMemory(5); }
    void SetKeyerMemory1(const QString& value) { SetKeyerMemory(1, value); }
    void SetKeyerMemory2(const QString& value) { SetKeyerMemory(2, value); }
    void SetKeyerMemory3(const QString& value) { SetKeyerMemory(3, value); }
    void SetKeyerMemory4(const QString& value) { SetKeyerMemory(4, value); }
    void SetKeyerMemory5(const QString& value) { SetKeyerMemory(5, value); }

    // The radio's pitch code; KeyPitchFrequency is the pitch in Hz.
    int32_t KeyPitch() const { return FKeyPitch; }
    void SetKeyPitch(int32_t value);
    int32_t KeyPitchFrequency() const { return FKeyPitchFrequency; }
    void SetKeyPitchFrequency(int32_t value) { FKeyPitchFrequency = value; }

    // Words per minute.
    int32_t KeySpeed() const { return FKeySpeed; }
    void SetKeySpeed(int32_t value);

private:
    // The memory text as it goes into "KM": without ";" and control characters (either
    // would end the command or corrupt it), cut to MaxMemoryText and closed with "}".
    static QString MemoryCommandText(const QString& text);

    TFTCATInterface* FOwner;
    bool FKeyer = false;
    QString FKeyerMemory[5];
    int32_t FKeyPitch = 10;
    int32_t FKeyPitchFrequency = 800;
    int32_t FKeySpeed = 20;
};
