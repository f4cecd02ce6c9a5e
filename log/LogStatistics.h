#pragma once
// TLogStatisticsV2: award-style counts of the loaded log (QSOs per mode, DXCC entity, band
// slot, continent, CQ zone, IOTA reference, US state, grid field, 6 m grid).  Each kind gives
// one TStatistic row per key, with counters per mode class and per band, then the worked row
// (Key 9998: how many keys have each counter) and the Total row (Key 9999: QSOs per counter).
//
// A run counts on a worker thread: RunStatistics takes a copy of the log's lines, MyCall, the
// entity list and the settings at its start, so QSOs logged or another log loaded meanwhile
// change nothing under it.  The worker fills a row list of its own; the GUI thread puts it in
// place of StatisticsList, with Bands and Count, just before OnFinished, so a view never
// reads rows that are being built.  A result for an engine already gone is dropped, and so is
// one overtaken by a newer run or by Clear (the log it counted is not the one shown any more).

#include "core/RCTypes.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class TJobThread;
class TLogInterface;
class TLogRecord;
class TResultPost;
struct TDXCCEntity;

enum TLogStatisticsType : uint8_t {
    statNone,
    statBandMode,
    statDXCC,
    statDXCCDeleted,
    statDXCCChallenge,
    statContinents,
    statZones,
    statIOTA,
    statStates,
    statFields,
    statVUCC,
    statFFMA
};
constexpr int LogStatisticsTypeCount = 12;

enum TFilterModeType : uint8_t { fmAll, fmCW, fmPhone, fmDigital, fmRTTY, fmJT };
enum TFilterQSLType : uint8_t { fqNone, fqNotConfirmed, fqConfirmed, fqLoTW };

// Set of TBand (bit k = band ordinal k).
class TBands {
public:
    constexpr TBands() = default;
    constexpr TBands(std::initializer_list<TBand> bands)
    {
        for (TBand b : bands)
            Include(b);
    }
    static constexpr TBands All() { return FromBits(0x7FFF); }
    static constexpr TBands FromBits(uint16_t bits)
    {
        TBands b;
        b.FBits = bits & 0x7FFF;
        return b;
    }
    constexpr uint16_t Bits() const { return FBits; }
    constexpr bool Contains(TBand b) const { return FBits & (1u << b); }
    constexpr void Include(TBand b) { FBits |= uint16_t(1u << b); }
    constexpr void Exclude(TBand b) { FBits &= uint16_t(~(1u << b)); }
    constexpr bool operator==(const TBands&) const = default;

private:
    uint16_t FBits = 0;
};

// One row of a statistic.
struct TStatistic {
    static constexpr int32_t WorkedKey = 9998;
    static constexpr int32_t TotalKey = 9999;
    // Counter indexes: 0 all QSOs, 1..3 the mode classes (TModeType), 3 + band ordinal the
    // bands 160 m (4) .. 70 cm (17).
    static constexpr int ColCount = 18;
    static constexpr int BandCol(TBand b) { return 3 + int(b); }

    int32_t Key = 0;
    QString KeyName;
    QString Name;
    QString Prefix;
    double Percentage = 0.0;
    std::array<int32_t, ColCount> Col{};

    bool IsSummary() const { return Key == WorkedKey || Key == TotalKey; }
};
using TStatisticList = std::vector<TStatistic>;

// One reference of iota.dat.
struct TIOTA {
    QString IOTARef;
    QString Prefix;
    QString IslandGroup;
};

// One US state of the statStates rows.
struct TUSState {
    const char* Abbreviation;
    const char* Name;
    const char* Area;
};
// The 50 states in row order (Key = position + 1).
extern const std::array<TUSState, 50> USStates;

// What a run counts: everything is taken when it starts.
struct TStatisticsInput {
    bool HasLog = false;
    TLogStatisticsType Kind = statNone;
    TFilterModeType FilterMode = fmAll;
    TFilterQSLType FilterQSL = fqNone;
    bool DisplayAllRows = false;
    QString MyCall;
    QStringList Lines;
    QList<TDXCCEntity> Entities;
    QList<TIOTA> IOTA;
    QStringList FFMA;
};

struct TStatisticsResult {
    TStatisticList Rows;
    // Bands is the run's only when it had a log to count.
    bool Counted = false;
    TBands Bands;
    int32_t Count = 0;
};

// The counting of one run.  Execute runs on the worker; nothing in here touches the engine.
class TStatisticsThread {
public:
    TStatisticsThread(TStatisticsInput input, std::shared_ptr<std::atomic<bool>> cancelled = {});

    // Counts; false when it was cancelled (the result is then incomplete).
    bool Execute();
    const TStatisticsResult& Result() const { return FResult; }
    TStatisticsResult TakeResult() { return std::move(FResult); }

    // The steps, in their order.
    void PrepareRows();
    // Counts one QSO (the own call and the "I" rule have been applied).
    void CountQSO(const TLogRecord& qso);
    void Finalize();

    // Whether a QSO is left out of every statistic: its QSL or LoTW sent flag reads "I".
    static bool Ignored(const TLogRecord& qso);

private:
    bool IsOwnLine(const QString& line) const;
    uint64_t FieldsRead() const;
    bool ModePasses(const TLogRecord& qso) const;
    bool QSLPasses(const TLogRecord& qso) const;
    void AddVUCCGrids();
    void AddRow(int32_t key, const QString& keyName, const QString& name = {}, const QString& prefix = {});
    void SortByKey();
    void IndexKeyNames();
    TStatistic* FindKey(int32_t key);
    TStatistic* FindKeyName(const QString& name);
    void Add(TStatistic* row, TBand band, TModeType modeType);
    void AddEntry(int32_t key, TBand band, TModeType modeType);
    void AddKeyName(const QString& name, TBand band, TModeType modeType);
    void AddBandMode(TQSOMode mode, TBand band);

    TStatisticsInput FIn;
    std::shared_ptr<std::atomic<bool>> FCancelled;
    TStatisticsResult FResult;
    // Key rows by key name (upper case), for AddKeyName.
    QHash<QString, int> FByKeyName;
    int FDXCCChallenge = 0;
};

class TLogStatisticsV2 : public QObject {
    Q_OBJECT
public:
    explicit TLogStatisticsV2(QObject* parent = nullptr);
    // A run still going is told to stop; its result is dropped.
    ~TLogStatisticsV2() override;

    // Each setter starts a run when the value changes.
    TLogStatisticsType StatisticsType() const { return FStatisticsType; }
    void SetStatisticsType(TLogStatisticsType v);
    TFilterModeType FilterMode() const { return FFilterMode; }
    void SetFilterMode(TFilterModeType v);
    TFilterQSLType FilterQSL() const { return FFilterQSL; }
    void SetFilterQSL(TFilterQSLType v);
    bool DisplayAllRows() const { return FDisplayAllRows; }
    void SetDisplayAllRows(bool v);
    // The bands of the QSOs counted by the last run.
    TBands Bands() const { return FBands; }
    void SetBands(TBands v) { FBands = v; }
    // Key rows with at least one QSO after the last run.
    int32_t Count() const { return FCount; }

    TLogInterface* LogInterface() const;
    // Takes the log and its OnLogLoaded (loading another log empties the statistics);
    // nullptr is ignored.
    void SetLogInterface(TLogInterface* log);

    // The rows of the last run.  Rows() shares them: they never change once handed out.
    const TStatisticList& StatisticsList() const { return *FRows; }
    std::shared_ptr<const TStatisticList> Rows() const { return FRows; }
    // iota.dat sorted by reference, and the lines of ffma.dat; read on the first run of
    // their kind that finds the file.
    const QList<TIOTA>& IOTAList() const { return FIOTAList; }
    const QStringList& FFMAList() const { return FFFMAList; }
    bool ThreadIsRunning() const { return FRunsInFlight > 0; }

    // Starts a run of the current kind; statNone clears at once.
    void RunStatistics();
    // Empties the rows and raises OnFinished.
    void Clear();

    // The reading of the two data files (a missing file leaves the list empty).
    static QList<TIOTA> ReadIOTAFile(const QString& path);
    static QStringList ReadFFMAFile(const QString& path);

    // After every Clear and every run not overtaken by a newer run or Clear, on the GUI thread.
    TNotifyEvent OnFinished;

private:
    Q_INVOKABLE void DeliverResults();
    void LoadIOTAList();
    void LoadFFMAList();
    void RunFinished(uint64_t generation, std::shared_ptr<TStatisticsResult> done);
    void CancelRun();
    void SetBusy(bool busy);

    TLogStatisticsType FStatisticsType = statNone;
    TFilterModeType FFilterMode = fmAll;
    TFilterQSLType FFilterQSL = fqNone;
    bool FDisplayAllRows = false;
    TBands FBands = TBands::All();
    int32_t FCount = 0;
    QPointer<TLogInterface> FLogInterface;
    std::shared_ptr<const TStatisticList> FRows;
    QList<TIOTA> FIOTAList;
    QStringList FFFMAList;

    // The newest run or Clear; results of older runs are dropped.
    uint64_t FGeneration = 0;
    int FRunsInFlight = 0;
    bool FBusy = false;
    std::shared_ptr<std::atomic<bool>> FCancel;
    std::shared_ptr<TResultPost> FGuard;
    std::unique_ptr<TJobThread> FThread;
};
