#pragma once
// Solar data from the cluster's WWV reports: one parsed report (TWWVSpot) and the latest
// accepted one (TDXWWV). Times are UTC.

#include "core/RCTypes.h"

#include <QDateTime>
#include <QString>
#include <cstdint>

struct TWWVSpot {
    int32_t FA = 0;
    QString FHint;
    int32_t FK = 0;
    QDateTime FLastData; // null for none
    int32_t FSFI = 0;

    void Clear() { *this = TWWVSpot(); }
    // A report with a time and a solar flux.
    bool IsComplete() const { return FLastData.isValid() && FSFI > 0; }
};

class TDXWWV {
public:
    int32_t A() const { return FA; }
    void SetA(int32_t value) { FA = value; }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& value) { FHint = value; }
    int32_t K() const { return FK; }
    void SetK(int32_t value) { FK = value; }
    const QDateTime& LastData() const { return FLastData; }
    void SetLastData(const QDateTime& value) { FLastData = value; }
    int32_t SFI() const { return FSFI; }
    void SetSFI(int32_t value) { FSFI = value; }

    // "yyyy-mm-dd hh" of the last report, empty when there is none.
    QString LastDataAsString() const;
    // Reads that form; an empty text changes nothing, any other text that is not a real hour
    // clears the time.
    void SetLastDataAsString(const QString& value);

    // Takes a complete report that is newer than the current one and raises OnWWVData.
    void AddWWVData(const TWWVSpot& report);

    TNotifyEvent OnWWVData;

private:
    int32_t FA = 0;
    QString FHint;
    int32_t FK = 0;
    QDateTime FLastData;
    int32_t FSFI = 0;
};
