#pragma once
// TContest: the contest logging options and the serial number counter of the logbook.  The
// logbook owns one; its setters report changes through the logbook's events.

#include <QString>
#include <cstdint>

class TLogInterface;

class TContest {
public:
    explicit TContest(TLogInterface* ALogInterface);

    // Switching consecutive numbering on also switches the digits-only sent field on.
    bool IncrementSerialNumbersTX() const { return FIncrementSerialNumbersTX; }
    void SetIncrementSerialNumbersTX(bool Value);
    // Stored only while consecutive numbering is off.
    QString LastSerialNumber() const { return FLastSerialNumber; }
    void SetLastSerialNumber(const QString& Value);
    uint32_t NextSerialNumber() const { return FNextSerialNumber; }
    void SetNextSerialNumber(uint32_t Value) { FNextSerialNumber = Value; }
    // NextSerialNumber as text, at least three digits below 100 ("001", "042", "1234").
    QString NextSerialNumberAsString() const;
    void SetNextSerialNumberAsString(const QString& Value) { FNextSerialNumberAsString = Value; }
    bool NumbersOnlySerialRX() const { return FNumbersOnlySerialRX; }
    void SetNumbersOnlySerialRX(bool Value);
    // Stays on while consecutive numbering is on.
    bool NumbersOnlySerialTX() const { return FNumbersOnlySerialTX; }
    void SetNumbersOnlySerialTX(bool Value);
    bool SetCQZone() const { return FSetCQZone; }
    void SetSetCQZone(bool Value) { FSetCQZone = Value; }
    bool SetUSState() const { return FSetUSState; }
    void SetSetUSState(bool Value) { FSetUSState = Value; }

private:
    TLogInterface* FLogInterface;
    bool FIncrementSerialNumbersTX = false;
    QString FLastSerialNumber;
    uint32_t FNextSerialNumber = 1;
    QString FNextSerialNumberAsString = QStringLiteral("001");
    bool FNumbersOnlySerialRX = false;
    bool FNumbersOnlySerialTX = false;
    bool FSetCQZone = false;
    bool FSetUSState = false;
};
