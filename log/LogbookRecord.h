#pragma once
// The compact form of one QSO: TLogbookEntry keeps the fields as texts of fixed maximum
// width, enumerations and numbers; TLogbookRecord puts a text interface over one entry,
// with its own writer and reader of the log line.  The logbook owns one and publishes it;
// everything else works with TLogRecord.
//
// Differences from TLogRecord: no notes, satellite name or DXCC text; texts are cut to the
// widths below; Clear() gives no band, no mode and "N" flags; DXCC is written as the ADIF
// code ("0" for none); locators are checked against the Maidenhead ranges A-R and a-x.
// Text setters return false when the text could not be taken; they never throw, and like
// TLogRecord they keep ";" and control characters out of every field.

#include "core/RCTypes.h"
#include "log/LogText.h"
#include "log/LogbookPanelTypes.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <array>
#include <cstdint>
#include <memory>

class TLogInfo;

struct TLogbookEntry {
    static constexpr int CallWidth = 14;
    static constexpr int RSTWidth = 4;
    static constexpr int ExchangeWidth = 10;
    static constexpr int CommentWidth = 60;
    static constexpr int NameWidth = 40;
    static constexpr int QTHWidth = 60;
    static constexpr int GridWidth = 6;
    static constexpr int StateWidth = 2;
    static constexpr int QSLViaWidth = 20;
    static constexpr int ContestIDWidth = 25;
    static constexpr int IOTAWidth = 7;
    static constexpr int SubModeWidth = 14;

    int32_t Index = 0;
    QString StationCallsign;
    // QSO date and time (UTC); null for no date.
    QDateTime DateTime;
    QString Call;
    TBand Band = bdAll;
    TQSOMode Mode = mNone;
    TModeType ModeType = mtAll;
    TBand BandRX = bdAll;
    int32_t Frequency = 0;
    int32_t FrequencyRX = 0;
    TPropMode PropMode = pmNone;
    QString RSTSent;
    QString STX;
    QString RSTRcvd;
    QString SRX;
    QString Comment;
    QString Name;
    QString QTH;
    QString GridSquare;
    int32_t ADIFCode = 0;
    TContinent Continent = coAll;
    uint8_t CQZone = 0;
    QString USState;
    QString QSLVia;
    QString ContestID;
    QString IOTA;
    QString SubMode;
    TQSLFlag QSLSent = qfNo;
    TQSLFlag QSLRcvd = qfNo;
    QDate QSLSentDate;
    QDate QSLRcvdDate;
    TQSLFlag QSLLoTWSent = qfNo;
    TQSLFlag QSLLoTWRcvd = qfNo;
    TQSLFlag QSLeQSLSent = qfNo;
    TQSLFlag QSLeQSLRcvd = qfNo;
};

class TLogbookRecord {
public:
    TLogbookRecord();

    // Every entry field except Index empty, 0 or its "none" value; SubModeTmp empty, the
    // start time 0, all Changed flags clear.
    void Clear();
    // Copies every field of the own entry, Index included, into entry.
    void CopyLogbookEntry(TLogbookEntry& entry) const;
    const TLogbookEntry& LogbookEntry() const { return *FLogbookEntry; }

    // Clears the record and reads one log line; every field is read, fields that cannot be
    // taken are left empty and counted.  True when the line read cleanly.
    bool ExplodeQSOLine(const QString& line);
    int ReadErrors() const { return FReadErrors; }
    bool ReadCleanly() const { return FReadErrors == 0; }

    bool Changed(int field) const;
    void SetChanged(int field, bool v);

    int32_t Index() const { return FLogbookEntry->Index; }
    void SetIndex(int32_t v) { FLogbookEntry->Index = v; }
    // ASCII letters upper-cased, trimmed, cut to 14.
    QString StationCallsign() const { return FLogbookEntry->StationCallsign; }
    void SetStationCallsign(const QString& v);
    QString Call() const { return FLogbookEntry->Call; }
    void SetCall(const QString& v);
    // "yyyymmdd"; writing takes exactly 8 characters "yyyymmdd" (at the start time), any
    // other text gives no date.
    QString QSODate() const;
    bool SetQSODate(const QString& v);
    // "hhmmss"; writing takes exactly 4 ("hhmm") or 6 ("hhmmss") characters, any other
    // text gives 0; the entry's date-time keeps its date with the new time.
    QString TimeOn() const;
    bool SetTimeOn(const QString& v);
    QString Band() const;
    bool SetBand(const QString& v);
    QString BandRX() const;
    bool SetBandRX(const QString& v);
    // The mode text rule of TLogRecord; an exact name also sets the entry's ModeType.
    QString Mode() const;
    bool SetMode(const QString& v);
    TModeType ModeType() const { return QSOModeToModeType(FLogbookEntry->Mode); }
    void SetModeType(TModeType v) { FLogbookEntry->ModeType = v; }
    // MHz with three decimals; empty for 0 or less.
    QString Frequency() const;
    bool SetFrequency(const QString& v);
    QString FrequencyRX() const;
    bool SetFrequencyRX(const QString& v);
    QString PropMode() const;
    bool SetPropMode(const QString& v);
    // Not kept: always empty, writes are ignored.
    QString SATName() const { return {}; }
    void SetSATName(const QString&) {}
    QString Notes() const { return {}; }
    void SetNotes(const QString&) {}
    // ";" becomes ",", then the text is cut to its width.
    QString RSTSent() const { return FLogbookEntry->RSTSent; }
    void SetRSTSent(const QString& v);
    QString RSTRcvd() const { return FLogbookEntry->RSTRcvd; }
    void SetRSTRcvd(const QString& v);
    QString STX() const { return FLogbookEntry->STX; }
    void SetSTX(const QString& v);
    QString SRX() const { return FLogbookEntry->SRX; }
    void SetSRX(const QString& v);
    QString Comment() const { return FLogbookEntry->Comment; }
    void SetComment(const QString& v);
    QString Name() const { return FLogbookEntry->Name; }
    void SetName(const QString& v);
    QString QTH() const { return FLogbookEntry->QTH; }
    void SetQTH(const QString& v);
    QString QSLVia() const { return FLogbookEntry->QSLVia; }
    void SetQSLVia(const QString& v);
    QString ContestID() const { return FLogbookEntry->ContestID; }
    void SetContestID(const QString& v);
    QString IOTA() const { return FLogbookEntry->IOTA; }
    void SetIOTA(const QString& v);
    // "AA99" or "AA99aa" in the Maidenhead ranges; anything else leaves it empty.
    QString GridSquare() const { return FLogbookEntry->GridSquare; }
    bool SetGridSquare(const QString& v);
    // "0" for none; writing takes 1 to 3 digits, anything else gives 0.
    QString ADIFCode() const;
    bool SetADIFCode(const QString& v);
    // Exactly "AF", "AS", "EU", "NA", "SA", "OC" or "AN"; anything else gives none.
    QString Continent() const;
    bool SetContinent(const QString& v);
    // Two digits, empty for 0; writing takes 1 or 2 digits, anything else gives 0.
    QString CQZone() const;
    bool SetCQZone(const QString& v);
    // At most 2 characters, upper-cased; a longer text keeps the previous state.
    QString USState() const { return FLogbookEntry->USState; }
    bool SetUSState(const QString& v);
    // The text, or SubModeTmp when the text is empty; cut to 14.
    QString SubMode() const { return FLogbookEntry->SubMode; }
    void SetSubMode(const QString& v);
    // One letter of "NYRIQ"; writing: first character Y, R, I or Q, anything else "N".
    QString QSLSent() const;
    bool SetQSLSent(const QString& v);
    QString QSLRcvd() const;
    bool SetQSLRcvd(const QString& v);
    QString QSLLoTWSent() const;
    bool SetQSLLoTWSent(const QString& v);
    QString QSLLoTWRcvd() const;
    bool SetQSLLoTWRcvd(const QString& v);
    QString QSLeQSLSent() const;
    bool SetQSLeQSLSent(const QString& v);
    QString QSLeQSLRcvd() const;
    bool SetQSLeQSLRcvd(const QString& v);
    // "yyyymmdd"; writing takes exactly 8 characters, anything else gives no date.
    QString QSLSentDate() const;
    bool SetQSLSentDate(const QString& v);
    QString QSLRcvdDate() const;
    bool SetQSLRcvdDate(const QString& v);

    QString AllInfos() const;
    static QString FileHeader();
    QString QSOLine() const;
    // The grid row of the entry (as TLogRecord::GetLogDataRecord builds it).
    TLogData LogDataRecord() const;
    // A new summary filled from ADIF code, CQ zone, locator, IOTA, name, received
    // exchange, state and QSL route.
    std::unique_ptr<TLogInfo> LogInfo() const;

    // The text of one field as the log line holds it, and the setter of one field as the
    // line reader uses it (LogField numbers).
    QString FieldAsString(int field) const;
    bool SetFieldAsString(int field, const QString& text);

private:

    std::unique_ptr<TLogbookEntry> FLogbookEntry;
    std::array<bool, vx::logtext::LogFieldCount> FChanged{};
    QString FSubModeTmp;
    QTime FTimeOn{0, 0};
    int FReadErrors = 0;
};
