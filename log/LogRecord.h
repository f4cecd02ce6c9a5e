#pragma once
// TLogRecord: one QSO with the 36 fields of a log line, and every text form of it: the log
// line and file header, the worked-before and line-prefix keys, and the ADIF, LoTW, eQSL
// and Cabrillo records.  Everything that reads, writes, shows, imports or exports QSOs goes
// through it.
//
// Setters normalise instead of rejecting (letter case, two-digit CQ zones, locator case,
// one-letter QSL flags).  Setters of outside text return false when the text could not be
// taken as it stands (the field then holds what the documented rule leaves there); they
// never throw.
//
// Line safety: no field can hold the line separator ";" (it becomes ",") nor a line break,
// tab or other control character (it becomes a blank), so a QSO always stays one line with
// its fields in their places.
//
// Reading a line (ExplodeQSOLine) never stops at a bad field: every field is read, a field
// whose text cannot be taken is left empty and counted in ReadErrors().  A record read from
// such a line is incomplete: ReadCleanly() is false until the next Clear(), and owners must
// not write its QSOLine back in place of the line it came from.
//
// Dates: a null QDate (or any date up to 1899-12-30) means "no date".  Times are times of
// day in UTC; QSODateTime is the QSO's UTC date and start time, null while there is no date.

#include "core/RCTypes.h"
#include "log/LogText.h"
#include "log/LogbookPanelTypes.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <array>
#include <cstdint>

class TLogInfo;

// Numbers of the log fields: the order of the log line, of the file header, of the ADIF
// tag table ADIFFieldTags and of the record's Changed flags.
namespace LogField {
enum : int {
    StationCallsign = 0,
    QSODate = 1,
    TimeOn = 2,
    Call = 3,
    Band = 4,
    Mode = 5,
    BandRX = 6,
    Freq = 7,
    FreqRX = 8,
    PropMode = 9,
    SATName = 10,
    RSTSent = 11,
    STX = 12,
    RSTRcvd = 13,
    SRX = 14,
    Comment = 15,
    Notes = 16,
    Name = 17,
    QTH = 18,
    GridSquare = 19,
    DXCC = 20,
    Continent = 21,
    CQZone = 22,
    USState = 23,
    QSLVia = 24,
    QSLSent = 25,
    QSLSDate = 26,
    QSLRcvd = 27,
    QSLRDate = 28,
    QSLLoTWSent = 29,
    QSLLoTWRcvd = 30,
    ContestID = 31,
    IOTA = 32,
    SubMode = 33,
    QSLeQSLSent = 34,
    QSLeQSLRcvd = 35,
};
constexpr int Count = vx::logtext::LogFieldCount;
} // namespace LogField

class TLogRecord {
public:
    // LogWindowCall and LogWindowName empty, LogWindowRST and LogWindowSTX "599", MyCall
    // empty, then Clear().
    TLogRecord();

    // Every QSO field back to its empty value: band 40m, mode CW, all six QSL flags "N",
    // everything else empty or 0, all Changed flags clear, ReadErrors() 0.  LogWindow* and
    // MyCall keep their values.
    void Clear();

    // ---- Fields stored as given --------------------------------------------------------
    int32_t ADIFCode() const { return FADIFCode; }
    void SetADIFCode(int32_t v) { FADIFCode = v; }
    // For the owner's use; the record never reads it.
    bool Altered() const { return FAltered; }
    void SetAltered(bool v) { FAltered = v; }
    TBand Band() const { return FBand; }
    void SetBand(TBand v) { FBand = v; }
    TBand BandRX() const { return FBandRX; }
    void SetBandRX(TBand v) { FBandRX = v; }
    TContinent Continent() const { return FContinent; }
    void SetContinent(TContinent v) { FContinent = v; }
    // Entity name; not part of the log line.
    QString DXCCName() const { return FDXCCName; }
    void SetDXCCName(const QString& v) { FDXCCName = v; }
    uint32_t Freq() const { return FFreq; }
    void SetFreq(uint32_t hz) { FFreq = hz; }
    uint32_t FreqRX() const { return FFreqRX; }
    void SetFreqRX(uint32_t hz) { FFreqRX = hz; }
    uint32_t Frequency() const { return FFreq; }
    TQSOMode Mode() const { return FMode; }
    void SetMode(TQSOMode v) { FMode = v; }
    TPropMode PropMode() const { return FPropMode; }
    void SetPropMode(TPropMode v) { FPropMode = v; }
    bool WAECountry() const { return FWAECountry; }
    void SetWAECountry(bool v) { FWAECountry = v; }
    // What the QSO entry panel's boxes hold at the moment, for the message macros.
    QString LogWindowCall() const { return FLogWindowCall; }
    void SetLogWindowCall(const QString& v) { FLogWindowCall = v; }
    QString LogWindowName() const { return FLogWindowName; }
    void SetLogWindowName(const QString& v) { FLogWindowName = v; }
    QString LogWindowRST() const { return FLogWindowRST; }
    void SetLogWindowRST(const QString& v) { FLogWindowRST = v; }
    QString LogWindowSTX() const { return FLogWindowSTX; }
    void SetLogWindowSTX(const QString& v) { FLogWindowSTX = v; }
    // The operator's own call as the logbook last set it; the record does not use it.
    QString MyCall() const { return FMyCall; }
    void SetMyCall(const QString& v) { FMyCall = v; }
    // Dates and time written this way do not update QSODateTime.
    QDate QSODate() const { return FQSODate; }
    void SetQSODate(const QDate& v) { FQSODate = v; }
    QDateTime QSODateTime() const { return FQSODateTime; }
    void SetQSODateTime(const QDateTime& v) { FQSODateTime = v; }
    QTime TimeOn() const { return FTimeOn; }
    void SetTimeOn(const QTime& v) { FTimeOn = v.isValid() ? v : QTime(0, 0); }
    QDate QSLSDate() const { return FQSLSDate; }
    void SetQSLSDate(const QDate& v) { FQSLSDate = v; }
    QDate QSLRDate() const { return FQSLRDate; }
    void SetQSLRDate(const QDate& v) { FQSLRDate = v; }

    // ---- Text fields (";" becomes ",", control characters a blank) ---------------------
    // Calls: ASCII letters upper-cased, leading and trailing blanks removed.
    QString StationCallsign() const { return FStationCallsign; }
    void SetStationCallsign(const QString& v);
    QString Call() const { return FCall; }
    void SetCall(const QString& v);
    QString Comment() const { return FComment; }
    void SetComment(const QString& v);
    QString Notes() const { return FNotes; }
    void SetNotes(const QString& v);
    QString Name() const { return FName; }
    void SetName(const QString& v);
    QString QTH() const { return FQTH; }
    void SetQTH(const QString& v);
    QString QSLVia() const { return FQSLVia; }
    void SetQSLVia(const QString& v);
    QString RSTSent() const { return FRSTSent; }
    void SetRSTSent(const QString& v);
    QString RSTRcvd() const { return FRSTRcvd; }
    void SetRSTRcvd(const QString& v);
    QString STX() const { return FSTX; }
    void SetSTX(const QString& v);
    QString SRX() const { return FSRX; }
    void SetSRX(const QString& v);
    QString SATName() const { return FSATName; }
    void SetSATName(const QString& v);
    QString ContestID() const { return FContestID; }
    void SetContestID(const QString& v);
    QString IOTA() const { return FIOTA; }
    void SetIOTA(const QString& v);
    QString USState() const { return FUSState; }
    void SetUSState(const QString& v);
    // The text; an empty text stores SubModeTmp instead when that is non-empty.
    QString SubMode() const { return FSubMode; }
    void SetSubMode(const QString& v);
    // The mode text remembered when a mode name was mapped by the submode rules.
    QString SubModeTmp() const { return FSubModeTmp; }

    // ---- Normalising setters -----------------------------------------------------------
    // Empty, or exactly two digits: one character gets a leading "0", longer texts keep
    // their first two; anything that is then not two digits gives empty.  False when a
    // non-empty text gave empty.
    QString CQZone() const { return FCQZone; }
    bool SetCQZone(const QString& v);
    uint8_t CQZoneAsInteger() const;
    // Digits only: DXCC takes the text, ADIFCode its value, WAECountry whether it is one of
    // 206, 248, 259, 279, 296, 390.  Anything else (or a number beyond 32 bits) clears
    // DXCC, ADIFCode and WAECountry and returns false unless the text was empty.
    QString DXCC() const { return FDXCC; }
    bool SetDXCC(const QString& v);
    // 4 characters "AA99" or 6 "AA99aa" (whole alphabet, case adjusted); empty clears.  A
    // 4- or 6-character text that fails the pattern keeps the previous locator; any other
    // length clears.  False when a non-empty text was not stored.
    QString GridSquare() const { return FGridSquare; }
    bool SetGridSquare(const QString& v);
    // QSL flags are always one letter.  Sent flags take "Y", "N", "R", "Q", "I", received
    // flags "Y", "N", "R", "I" as the first character of the text; anything else leaves the
    // flag unchanged (false unless the text was empty).
    QString QSLSent() const { return FQSLSent; }
    bool SetQSLSent(const QString& v);
    QString QSLRcvd() const { return FQSLRcvd; }
    bool SetQSLRcvd(const QString& v);
    QString QSLLoTWSent() const { return FQSLLoTWSent; }
    bool SetQSLLoTWSent(const QString& v);
    QString QSLLoTWRcvd() const { return FQSLLoTWRcvd; }
    bool SetQSLLoTWRcvd(const QString& v);
    QString QSLeQSLSent() const { return FQSLeQSLSent; }
    bool SetQSLeQSLSent(const QString& v);
    QString QSLeQSLRcvd() const { return FQSLeQSLRcvd; }
    bool SetQSLeQSLRcvd(const QString& v);

    // ---- Text forms --------------------------------------------------------------------
    // Band names "160m" ... "70cm" matched ignoring case; bdAll (false) when none matches.
    QString BandAsString() const;
    bool SetBandAsString(const QString& v);
    QString BandRXAsString() const;
    bool SetBandRXAsString(const QString& v);
    QString ContinentAsString() const;
    bool SetContinentAsString(const QString& v);
    QString PropModeAsString() const;
    bool SetPropModeAsString(const QString& v);
    // Mode names ignoring case; otherwise the submode rules on the text as written ("USB"
    // gives SSB, "PSK63" PSK ...), which remember the text in SubModeTmp.  mNone (false)
    // when nothing applies.
    QString ModeAsString() const;
    bool SetModeAsString(const QString& v);
    TModeType ModeType() const { return QSOModeToModeType(FMode); }
    // "14.074": MHz with three decimals and "." whatever the locale; empty for 0.  Writing
    // reads a decimal MHz number; anything else gives 0 (false).
    QString FreqAsString() const { return vx::logtext::FrequencyToMHzText(FFreq); }
    bool SetFreqAsString(const QString& v);
    QString FreqRXAsString() const { return vx::logtext::FrequencyToMHzText(FFreqRX); }
    bool SetFreqRXAsString(const QString& v);
    // "yyyymmdd", empty for no date.  Writing takes "yyyymmdd" or "yyyy-mm-dd"; any other
    // text gives no date (false unless empty).  A valid date also sets QSODateTime to that
    // date at TimeOn.
    QString QSODateAsString() const { return vx::logtext::DateToText(FQSODate); }
    bool SetQSODateAsString(const QString& v);
    // "yyyymmdd"; an 8-character text that is no valid date keeps the previous date (false),
    // any other length gives no date (false unless empty).
    QString QSLSDateAsString() const { return vx::logtext::DateToText(FQSLSDate); }
    bool SetQSLSDateAsString(const QString& v);
    QString QSLRDateAsString() const { return vx::logtext::DateToText(FQSLRDate); }
    bool SetQSLRDateAsString(const QString& v);
    // Always "hhmmss".  Writing follows the time rule of vx::logtext::ParseTimeText; an
    // invalid text (an empty one included) leaves 00:00:00 and returns false.  Success
    // rebuilds QSODateTime.
    QString TimeOnAsString() const { return vx::logtext::TimeToHHMMSS(FTimeOn); }
    bool SetTimeOnAsString(const QString& v);
    QString TimeOnAsStringHHMM() const { return vx::logtext::TimeToHHMM(FTimeOn); }
    bool TimeONHasSeconds() const { return FTimeOn.second() != 0; }
    // Keeps hour and minute of the given time (seconds 0) and rebuilds QSODateTime.
    QTime TimeOnHHMM() const { return FTimeOn; }
    void SetTimeOnHHMM(const QTime& v);
    void SetTimeOnHHMM(const QDateTime& v);

    // Call of more than 2 characters, a date, a band and a mode.
    bool IsComplete() const;
    // Comment, name, QTH, IOTA and "via <QSLVia>" in one line of remarks.
    QString AllInfos() const;

    // Changed flags, one per log field (LogField numbers); set by the ADIF import for the
    // fields a record carried, read by CopyLogRecord.
    bool Changed(int field) const;
    void SetChanged(int field, bool v);
    // Copies each field whose Changed flag is set in this record into target (through the
    // target's setter where it has a normalising one).  Target's QSODateTime is not rebuilt.
    void CopyLogRecord(TLogRecord& target) const;

    // Band name of any band, without a record; empty for bdAll.
    static QString BandToQSOBand(TBand band);

    // ---- Log line ----------------------------------------------------------------------
    // The 36 ADIF field names joined by ";".
    static QString FileHeader();
    // The record as one line of the log file.
    QString QSOLine() const;
    // The first six fields, each followed by ";": every line of this QSO begins with it.
    QString QSOLineToFind() const;
    // Worked-before key ";CALL;band;C|S|D;" (C for CW, S for SSB, D for any other mode).
    QString CallbookLine() const;
    // Clears the record and reads one log line: every field is read, fields that cannot be
    // taken are left empty and counted.  True when the line read cleanly.
    bool ExplodeQSOLine(const QString& line);
    // Clears the record and reads only the fields whose bit is set (bit k = field k), by the
    // same rules: for walks over a big log that need a few fields of every line.
    void ExplodeQSOFields(const QString& line, uint64_t fields);
    // Second reader: no Clear, no trimming, splits at every ";" and reads only the pieces
    // that exist (at most 36).  True when every piece was taken.
    bool ExplodeQSOLine2(const QString& line);
    // Clears the record and reads "call;band;mode" (the rest of the text is the mode).
    bool ExplodeCallbookLine(const QString& line);
    // Fields of the last line read that could not be taken; 0 after Clear().
    int ReadErrors() const { return FReadErrors; }
    bool ReadCleanly() const { return FReadErrors == 0; }

    // ---- Exchange records (single lines, no line end) ----------------------------------
    // ADIF record of the line's own texts (empty fields left out), the record unchanged.
    QString GetADIFRecord(const QString& line) const;
    // Reads the line into the record, then its LoTW upload record.  Empty when the QSO has
    // no date: such a QSO cannot be uploaded and must not be marked as sent.
    QString GetLoTWRecord(const QString& line);
    // Reads the line into the record, then its eQSL upload record; empty without a date.
    QString GeteQSLRecord(const QString& line);
    // Reads the line into the record, then its Cabrillo 3.0 "QSO:" line of 81 characters
    // with myCallsign as sent call.  Empty unless the band is 160, 80, 40, 20, 15, 10, 6 or
    // 2 m, the mode CW, SSB, RTTY or FM, and the QSO has a date.  A value longer than its
    // column is written whole and makes the line longer; an empty one leaves its column blank.
    QString GetCabrilloRecord(const QString& line, const QString& myCallsign);
    // Five characters, right-aligned kHz (band start when there is no frequency).
    QString FreqCabrillo() const;
    // "CW", "PH", "RY", "FM" or two blanks.
    QString ModeCabrillo() const;
    // "yyyy-mm-dd", empty for no date.
    QString QSODateCabrillo() const;

    // ---- Grid row and worked-station summary -------------------------------------------
    TLogData GetLogDataRecord(int32_t index) const;
    // Reads the line into the record, then its row.
    TLogData GetLogDataRecord(int32_t index, const QString& line);
    // ADIF code, CQ zone, locator, IOTA, name, received exchange, state and QSL route into
    // the summary (whose first value wins); not the continent.
    void CopyToLogInfo(TLogInfo& info) const;

    // ---- Fields by number (LogField) ---------------------------------------------------
    // The text of one field as the log line holds it.
    QString FieldAsString(int field) const;
    // Hands a text to the setter of one field, as the line reader does (no trimming);
    // false when the text was not taken.
    bool SetFieldAsString(int field, const QString& text);

private:
    bool SetQSLFlag(QString& flag, const QString& v, const char* accepted);
    void RebuildQSODateTime();

    int32_t FADIFCode = 0;
    bool FAltered = false;
    TBand FBand = bd40;
    TBand FBandRX = bdAll;
    QString FCQZone;
    QString FCall;
    std::array<bool, LogField::Count> FChanged{};
    QString FComment;
    QString FContestID;
    TContinent FContinent = coAll;
    QString FDXCC;
    QString FDXCCName;
    uint32_t FFreq = 0;
    uint32_t FFreqRX = 0;
    QString FGridSquare;
    QString FIOTA;
    QString FLogWindowCall;
    QString FLogWindowName;
    QString FLogWindowRST;
    QString FLogWindowSTX;
    TQSOMode FMode = mCW;
    QString FMyCall;
    QString FName;
    QString FNotes;
    TPropMode FPropMode = pmNone;
    QString FQSLSent;
    QString FQSLRcvd;
    QDate FQSLSDate;
    QDate FQSLRDate;
    QString FQSLeQSLSent;
    QString FQSLeQSLRcvd;
    QString FQSLLoTWSent;
    QString FQSLLoTWRcvd;
    QString FQSLVia;
    QDate FQSODate;
    QDateTime FQSODateTime;
    QString FQTH;
    QString FRSTRcvd;
    QString FRSTSent;
    QString FSATName;
    QString FSRX;
    QString FSTX;
    QString FStationCallsign;
    QString FSubMode;
    QString FSubModeTmp;
    QTime FTimeOn{0, 0};
    QString FUSState;
    bool FWAECountry = false;
    int FReadErrors = 0;
};
