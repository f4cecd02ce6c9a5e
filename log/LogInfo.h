#pragma once
// TLogInfo: what earlier QSOs tell about the station whose call is being entered.  The
// logbook fills it newest QSO first; each value keeps the first one written to it, so it
// holds the newest QSO's value that has one.

#include "core/RCTypes.h"

#include <QString>
#include <cstdint>

class TLogInfo {
public:
    // The setters below store a value only while the property still holds nothing (0,
    // coAll or an empty text); QSOs is written without condition.
    int32_t ADIFCode() const { return FADIFCode; }
    void SetADIFCode(int32_t v);
    TContinent Continent() const { return FContinent; }
    void SetContinent(TContinent v);
    int32_t CQZone() const { return FCQZone; }
    void SetCQZone(int32_t v);
    QString GridSquare() const { return FGridSquare; }
    void SetGridSquare(const QString& v);
    QString IOTA() const { return FIOTA; }
    void SetIOTA(const QString& v);
    QString Name() const { return FName; }
    void SetName(const QString& v);
    QString QSLVia() const { return FQSLVia; }
    void SetQSLVia(const QString& v);
    // Number of QSOs with the call.
    int32_t QSOs() const { return FQSOs; }
    void SetQSOs(int32_t v) { FQSOs = v; }
    QString SRX() const { return FSRX; }
    void SetSRX(const QString& v);
    QString USState() const { return FUSState; }
    void SetUSState(const QString& v);

private:
    int32_t FADIFCode = 0;
    TContinent FContinent = coAll;
    int32_t FCQZone = 0;
    QString FGridSquare;
    QString FIOTA;
    QString FName;
    QString FQSLVia;
    int32_t FQSOs = 0;
    QString FSRX;
    QString FUSState;
};
