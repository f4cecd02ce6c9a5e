#pragma once
// The Cabrillo 3.0 contest log: its header values (kept by the logbook and persisted by the
// log module) and the file built from them and the log's QSOs of one station call sign.

#include <QString>
#include <QStringList>

class TLogRecord;

class TCabrilloHeader {
public:
    const QStringList& Address() const { return FAddress; }
    void SetAddress(const QStringList& v) { FAddress = v; }
    QString Callsign() const { return FCallsign; }
    void SetCallsign(const QString& v) { FCallsign = v; }
    QString CategoryAssisted() const { return FCategoryAssisted; }
    void SetCategoryAssisted(const QString& v) { FCategoryAssisted = v; }
    QString CategoryBand() const { return FCategoryBand; }
    void SetCategoryBand(const QString& v) { FCategoryBand = v; }
    QString CategoryMode() const { return FCategoryMode; }
    void SetCategoryMode(const QString& v) { FCategoryMode = v; }
    QString CategoryOperator() const { return FCategoryOperator; }
    void SetCategoryOperator(const QString& v) { FCategoryOperator = v; }
    // Kept but neither set by a dialog or setting nor written to the file.
    QString CategoryOverlay() const { return FCategoryOverlay; }
    void SetCategoryOverlay(const QString& v) { FCategoryOverlay = v; }
    QString CategoryPower() const { return FCategoryPower; }
    void SetCategoryPower(const QString& v) { FCategoryPower = v; }
    QString CategoryStation() const { return FCategoryStation; }
    void SetCategoryStation(const QString& v) { FCategoryStation = v; }
    QString CategoryTime() const { return FCategoryTime; }
    void SetCategoryTime(const QString& v) { FCategoryTime = v; }
    QString CategoryTransmitter() const { return FCategoryTransmitter; }
    void SetCategoryTransmitter(const QString& v) { FCategoryTransmitter = v; }
    QString Club() const { return FClub; }
    void SetClub(const QString& v) { FClub = v; }
    QString Contest() const { return FContest; }
    void SetContest(const QString& v) { FContest = v; }
    // Folder of the last saved Cabrillo file.
    QString Filepath() const { return FFilepath; }
    void SetFilepath(const QString& v) { FFilepath = v; }
    QString Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }

private:
    QStringList FAddress;
    QString FCallsign;
    QString FCategoryAssisted;
    QString FCategoryBand;
    QString FCategoryMode;
    QString FCategoryOperator;
    QString FCategoryOverlay;
    QString FCategoryPower;
    QString FCategoryStation;
    QString FCategoryTime;
    QString FCategoryTransmitter;
    QString FClub;
    QString FContest;
    QString FFilepath;
    QString FName;
};

struct TCabrilloLog {
    QStringList Lines; // the whole file, empty when no QSO qualifies
    int QSOs = 0;
    // QSOs written without a sent or received report or exchange: their lines have blank
    // columns that a contest's log checker cannot split into fields.
    int LackingExchange = 0;

    // "12 QSOs exported", with ", 3 QSOs lack RST or exchange" where that applies;
    // "No QSOs exported" for none.
    QString ResultText() const;
};

// The file for the QSOs of logBook (sorted log lines) whose station call sign is the header's
// call sign: header lines (empty categories and club left out), one "QSO:" line per QSO the
// format can hold, "END-OF-LOG:".  record is the working record the lines are read into.
TCabrilloLog BuildCabrilloLog(const TCabrilloHeader& header, const QStringList& logBook, TLogRecord& record);

// "CALL_P.LOG" for "call/p": the proposed file name of a call sign.
QString CabrilloFileName(const QString& callsign);
