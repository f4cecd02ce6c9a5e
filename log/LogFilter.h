#pragma once
// TLogFilter: the log view's filter as named values.  An empty value does not filter; a QSO
// passes when every non-empty value matches it (Matches).

#include <QString>
#include <cstdint>

class TFilterData;
class TLogRecord;

class TLogFilter {
public:
    TLogFilter() { Clear(); }

    // All 21 values empty.
    void Clear();
    // True when any value is non-empty.
    bool Filtered() const;
    // Takes every value from the grid's filter row; Call and GridSquare are upper-cased.
    void CopyFilterDataToLogFilter(const TFilterData& filterData);

    // Whether the QSO held by the record passes every non-empty value:
    //   QSODate, TimeOn, Call: "yyyymmdd", "hhmmss", call begin with the value;
    //   RSTSent, RSTRcvd, STX, SRX: the QSO's text begins with the value;
    //   Band, Continent, CQZ, State, QSL flags: the QSO's text equals the value;
    //   Mode: equals the mode name, except "FT4", "Q65", "JS8", which match mode MFSK
    //         with that submode;
    //   Comment: AllInfos contains the value, ignoring ASCII letter case;
    //   GridSquare: the upper-cased locator begins with the value;
    //   DXCC: the ADIF code in decimal equals the value.
    // Letter case matters everywhere except for Comment.
    bool Matches(const TLogRecord& record) const;
    // The log fields Matches reads for the values set (bit k = field k): a record that read
    // only these (TLogRecord::ExplodeQSOFields) matches exactly as one that read the line.
    uint64_t FieldsRead() const;

    QString Band() const { return FBand; }
    void SetBand(const QString& v) { FBand = v; }
    QString Call() const { return FCall; }
    void SetCall(const QString& v) { FCall = v; }
    QString Comment() const { return FComment; }
    void SetComment(const QString& v) { FComment = v; }
    QString Continent() const { return FContinent; }
    void SetContinent(const QString& v) { FContinent = v; }
    QString CQZ() const { return FCQZ; }
    void SetCQZ(const QString& v) { FCQZ = v; }
    QString DXCC() const { return FDXCC; }
    void SetDXCC(const QString& v) { FDXCC = v; }
    QString eQSLRcvd() const { return FeQSLRcvd; }
    void SeteQSLRcvd(const QString& v) { FeQSLRcvd = v; }
    QString eQSLSent() const { return FeQSLSent; }
    void SeteQSLSent(const QString& v) { FeQSLSent = v; }
    QString GridSquare() const { return FGridSquare; }
    void SetGridSquare(const QString& v) { FGridSquare = v; }
    QString LoTWQSLRcvd() const { return FLoTWQSLRcvd; }
    void SetLoTWQSLRcvd(const QString& v) { FLoTWQSLRcvd = v; }
    QString LoTWQSLSent() const { return FLoTWQSLSent; }
    void SetLoTWQSLSent(const QString& v) { FLoTWQSLSent = v; }
    QString Mode() const { return FMode; }
    void SetMode(const QString& v) { FMode = v; }
    QString QSLRcvd() const { return FQSLRcvd; }
    void SetQSLRcvd(const QString& v) { FQSLRcvd = v; }
    QString QSLSent() const { return FQSLSent; }
    void SetQSLSent(const QString& v) { FQSLSent = v; }
    QString QSODate() const { return FQSODate; }
    void SetQSODate(const QString& v) { FQSODate = v; }
    QString RSTRcvd() const { return FRSTRcvd; }
    void SetRSTRcvd(const QString& v) { FRSTRcvd = v; }
    QString RSTSent() const { return FRSTSent; }
    void SetRSTSent(const QString& v) { FRSTSent = v; }
    QString SRX() const { return FSRX; }
    void SetSRX(const QString& v) { FSRX = v; }
    QString STX() const { return FSTX; }
    void SetSTX(const QString& v) { FSTX = v; }
    QString State() const { return FState; }
    void SetState(const QString& v) { FState = v; }
    QString TimeOn() const { return FTimeOn; }
    void SetTimeOn(const QString& v) { FTimeOn = v; }

private:
    QString FBand;
    QString FCall;
    QString FComment;
    QString FContinent;
    QString FCQZ;
    QString FDXCC;
    QString FeQSLRcvd;
    QString FeQSLSent;
    QString FGridSquare;
    QString FLoTWQSLRcvd;
    QString FLoTWQSLSent;
    QString FMode;
    QString FQSLRcvd;
    QString FQSLSent;
    QString FQSODate;
    QString FRSTRcvd;
    QString FRSTSent;
    QString FSRX;
    QString FSTX;
    QString FState;
    QString FTimeOn;
};
