#include "log/LogStatistics.h"

#include "core/DataFiles.h"
#include "log/JobThread.h"
#include "log/LogInterface.h"
#include "log/LogLines.h"
#include "log/LogRecord.h"
#include "log/LogText.h"
#include "log/ResultPost.h"

#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <QMap>
#include <algorithm>

using vx::loglines::CompareLines;
using vx::logtext::UpperAscii;

const std::array<TUSState, 50> USStates = {{
    {"CT", "Connecticut", "1"},    {"MA", "Massachusetts", "1"}, {"ME", "Maine", "1"},
    {"NH", "New Hampshire", "1"},  {"RI", "Rhode Island", "1"},  {"VT", "Vermont", "1"},
    {"NJ", "New Jersey", "2"},     {"NY", "New York", "2"},      {"DE", "Delaware", "3"},
    {"MD", "Maryland", "3"},       {"PA", "Pennsylvania", "3"},  {"AL", "Alabama", "4"},
    {"FL", "Florida", "4"},        {"GA", "Georgia", "4"},       {"KY", "Kentucky", "4"},
    {"NC", "North Carolina", "4"}, {"SC", "South Carolina", "4"}, {"TN", "Tennessee", "4"},
    {"VA", "Virginia", "4"},       {"AR", "Arkansas", "5"},      {"LA", "Louisiana", "5"},
    {"MS", "Mississippi", "5"},    {"NM", "New Mexico", "5"},    {"OK", "Oklahoma", "5"},
    {"TX", "Texas", "5"},          {"CA", "California", "6"},    {"AZ", "Arizona", "7"},
    {"ID", "Idaho", "7"},          {"MT", "Montana", "7"},       {"NV", "Nevada", "7"},
    {"OR", "Oregon", "7"},         {"UT", "Utah", "7"},          {"WA", "Washington", "7"},
    {"WY", "Wyoming", "7"},        {"MI", "Michigan", "8"},      {"OH", "Ohio", "8"},
    {"WV", "West Virginia", "8"},  {"IL", "Illinois", "9"},      {"IN", "Indiana", "9"},
    {"WI", "Wisconsin", "9"},      {"CO", "Colorado", "0"},      {"IA", "Iowa", "0"},
    {"KS", "Kansas", "0"},         {"MN", "Minnesota", "0"},     {"MO", "Missouri", "0"},
    {"ND", "North Dakota", "0"},   {"NE", "Nebraska", "0"},      {"SD", "South Dakota", "0"},
    {"AK", "Alaska", "KL7"},       {"HI", "Hawaii", "KH6"},
}};

namespace {

// ADIF entity codes the counting knows by number.
constexpr int32_t EntityCanada = 1;
constexpr int32_t EntityAlaska = 6;
constexpr int32_t EntityMexico = 50;
constexpr int32_t EntityHawaii = 110;
constexpr int32_t EntityUSA = 291;
constexpr int32_t StateAlaskaKey = 49;
constexpr int32_t StateHawaiiKey = 50;

// The cancel flag is looked at once per this many lines.
constexpr int CancelCheckLines = 4096;

constexpr uint64_t Bit(int field)
{
    return uint64_t(1) << field;
}

bool UsesKeyNames(TLogStatisticsType kind)
{
    return kind == statIOTA || kind == statFields || kind == statVUCC || kind == statFFMA;
}

// The non-empty lines of a data file; none when it is missing or cannot be read.
QStringList DataFileLines(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return {};
    const auto bytes = ReadTextFileAsUtf8(path);
    return bytes ? vx::loglines::SplitTextLines(QString::fromUtf8(*bytes)) : QStringList();
}

QString ModeRowName(int mode)
{
    // Both FT4 forms read alike: the mode of its own and MFSK, under which FT4 is logged.
    return mode == mMFSK ? QStringLiteral("FT4") : QString::fromLatin1(QSOModeNames[size_t(mode)]);
}

} // namespace

// ---- TStatisticsThread ---------------------------------------------------------------------

TStatisticsThread::TStatisticsThread(TStatisticsInput input, std::shared_ptr<std::atomic<bool>> cancelled)
    : FIn(std::move(input))
    , FCancelled(std::move(cancelled))
{
}

bool TStatisticsThread::IsOwnLine(const QString& line) const
{
    const qsizetype n = FIn.MyCall.size();
    return n > 0 && line.size() > n && line[n] == QLatin1Char(';') &&
           std::equal(FIn.MyCall.utf16(), FIn.MyCall.utf16() + n, line.utf16());
}

bool TStatisticsThread::Ignored(const TLogRecord& qso)
{
    return qso.QSLSent() == QLatin1String("I") || qso.QSLLoTWSent() == QLatin1String("I");
}

uint64_t TStatisticsThread::FieldsRead() const
{
    uint64_t fields = Bit(LogField::Band) | Bit(LogField::Mode) | Bit(LogField::QSLSent) | Bit(LogField::QSLRcvd) |
                      Bit(LogField::QSLLoTWSent) | Bit(LogField::QSLLoTWRcvd);
    switch (FIn.Kind) {
    case statDXCC:
    case statDXCCDeleted:
    case statDXCCChallenge: fields |= Bit(LogField::DXCC); break;
    case statContinents: fields |= Bit(LogField::Continent); break;
    case statZones: fields |= Bit(LogField::CQZone); break;
    case statIOTA: fields |= Bit(LogField::IOTA); break;
    case statStates: fields |= Bit(LogField::DXCC) | Bit(LogField::USState); break;
    case statFields:
    case statVUCC: fields |= Bit(LogField::GridSquare); break;
    case statFFMA: fields |= Bit(LogField::GridSquare) | Bit(LogField::DXCC); break;
    default: break;
    }
    return fields;
}

bool TStatisticsThread::Execute()
{
    PrepareRows();
    if (FResult.Rows.empty())
        return true;
    TLogRecord qso;
    const uint64_t fields = FieldsRead();
    // The newest QSOs first.
    for (qsizetype i = FIn.Lines.size() - 1; i >= 0; --i) {
        if (i % CancelCheckLines == 0 && FCancelled && FCancelled->load(std::memory_order_relaxed))
            return false;
        const QString& line = FIn.Lines.at(i);
        if (!IsOwnLine(line))
            continue;
        qso.ExplodeQSOFields(line, fields);
        if (!Ignored(qso))
            CountQSO(qso);
    }
    Finalize();
    return true;
}

void TStatisticsThread::AddRow(int32_t key, const QString& keyName, const QString& name, const QString& prefix)
{
    // The keys from 9998 on are the summary rows'.
    if (key >= TStatistic::WorkedKey)
        return;
    TStatistic row;
    row.Key = key;
    row.KeyName = keyName;
    row.Name = name;
    row.Prefix = prefix;
    FResult.Rows.push_back(std::move(row));
}

void TStatisticsThread::PrepareRows()
{
    TStatisticList& rows = FResult.Rows;
    rows.clear();
    if (!FIn.HasLog)
        return;
    FResult.Counted = true;
    FResult.Bands = TBands();
    rows.reserve(410);
    switch (FIn.Kind) {
    case statNone: break;
    case statBandMode:
        for (int m = 0; m < QSOModeCount; ++m)
            AddRow(m, ModeRowName(m));
        break;
    case statDXCC:
    case statDXCCDeleted:
    case statDXCCChallenge:
        for (const TDXCCEntity& e : FIn.Entities) {
            if (FIn.Kind == statDXCCDeleted || !e.Deleted)
                AddRow(e.ADIFCode, e.Prefix, e.Name);
        }
        break;
    case statContinents:
        for (int c = coAF; c <= coAN; ++c)
            AddRow(c, QString::fromLatin1(ContinentNames[size_t(c)]));
        break;
    case statZones:
        for (int z = 1; z <= 40; ++z)
            AddRow(z, QStringLiteral("%1").arg(z, 2, 10, QLatin1Char('0')));
        break;
    case statIOTA:
        for (qsizetype i = 0; i < FIn.IOTA.size(); ++i) {
            const TIOTA& iota = FIn.IOTA.at(i);
            AddRow(int32_t(i), iota.IOTARef, iota.IslandGroup, iota.Prefix);
        }
        break;
    case statStates:
        for (size_t i = 0; i < USStates.size(); ++i) {
            const TUSState& s = USStates[i];
            AddRow(int32_t(i + 1), QString::fromLatin1(s.Abbreviation), QString::fromLatin1(s.Name),
                   QString::fromLatin1(s.Area));
        }
        break;
    case statFields:
        for (char a = 'A'; a <= 'R'; ++a) {
            for (char b = 'A'; b <= 'R'; ++b)
                AddRow(100 * a + b, QString(QLatin1Char(a)) + QLatin1Char(b));
        }
        break;
    case statVUCC: AddVUCCGrids(); break;
    case statFFMA:
        for (qsizetype i = 0; i < FIn.FFMA.size(); ++i)
            AddRow(int32_t(i), FIn.FFMA.at(i));
        break;
    }
    SortByKey();
    TStatistic worked;
    worked.Key = TStatistic::WorkedKey;
    rows.push_back(std::move(worked));
    TStatistic total;
    total.Key = TStatistic::TotalKey;
    total.KeyName = QStringLiteral("Total");
    rows.push_back(std::move(total));
    if (UsesKeyNames(FIn.Kind))
        IndexKeyNames();
}

void TStatisticsThread::SortByKey()
{
    std::stable_sort(FResult.Rows.begin(), FResult.Rows.end(),
                     [](const TStatistic& a, const TStatistic& b) { return a.Key < b.Key; });
}

void TStatisticsThread::IndexKeyNames()
{
    FByKeyName.clear();
    const int keyRows = int(FResult.Rows.size()) - 2;
    FByKeyName.reserve(keyRows);
    for (int i = 0; i < keyRows; ++i) {
        const QString name = UpperAscii(FResult.Rows[size_t(i)].KeyName);
        // The first row of a name takes its QSOs, as a search from the top finds it.
        if (!FByKeyName.contains(name))
            FByKeyName.insert(name, i);
    }
}

void TStatisticsThread::AddVUCCGrids()
{
    // Upper-cased grid -> the form met first.
    QMap<QString, QString> grids;
    TLogRecord qso;
    const uint64_t fields =
        Bit(LogField::Band) | Bit(LogField::GridSquare) | Bit(LogField::QSLSent) | Bit(LogField::QSLLoTWSent);
    for (const QString& line : FIn.Lines) {
        if (!IsOwnLine(line))
            continue;
        qso.ExplodeQSOFields(line, fields);
        if (Ignored(qso) || qso.Band() != bd6 || qso.GridSquare().isEmpty())
            continue;
        const QString grid = qso.GridSquare().left(4);
        const QString key = UpperAscii(grid);
        if (!grids.contains(key))
            grids.insert(key, grid);
    }
    int32_t position = 0;
    for (const QString& grid : std::as_const(grids))
        AddRow(position++, grid);
}

TStatistic* TStatisticsThread::FindKey(int32_t key)
{
    TStatisticList& rows = FResult.Rows;
    if (rows.size() < 2)
        return nullptr;
    if (key == TStatistic::WorkedKey)
        return &rows[rows.size() - 2];
    if (key == TStatistic::TotalKey)
        return &rows.back();
    const auto keyRowsEnd = rows.end() - 2;
    const auto it = std::lower_bound(rows.begin(), keyRowsEnd, key,
                                     [](const TStatistic& row, int32_t k) { return row.Key < k; });
    return it != keyRowsEnd && it->Key == key ? &*it : nullptr;
}

TStatistic* TStatisticsThread::FindKeyName(const QString& name)
{
    const auto it = FByKeyName.constFind(UpperAscii(name));
    return it == FByKeyName.constEnd() ? nullptr : &FResult.Rows[size_t(*it)];
}

void TStatisticsThread::Add(TStatistic* row, TBand band, TModeType modeType)
{
    if (!row)
        return;
    ++row->Col[0];
    // A QSO without mode or band counts in MIX only, not in a class or band column.
    if (modeType != mtAll)
        ++row->Col[modeType];
    if (band != bdAll)
        ++row->Col[size_t(TStatistic::BandCol(band))];
}

void TStatisticsThread::AddEntry(int32_t key, TBand band, TModeType modeType)
{
    if (band != bdAll)
        FResult.Bands.Include(band);
    Add(FindKey(key), band, modeType);
    Add(FindKey(TStatistic::TotalKey), band, modeType);
}

void TStatisticsThread::AddKeyName(const QString& name, TBand band, TModeType modeType)
{
    if (band != bdAll)
        FResult.Bands.Include(band);
    Add(FindKeyName(name), band, modeType);
    Add(FindKey(TStatistic::TotalKey), band, modeType);
}

void TStatisticsThread::AddBandMode(TQSOMode mode, TBand band)
{
    if (band != bdAll)
        FResult.Bands.Include(band);
    for (TStatistic* row : {FindKey(mode), FindKey(TStatistic::TotalKey)}) {
        if (!row)
            continue;
        ++row->Col[0];
        if (band != bdAll)
            ++row->Col[size_t(TStatistic::BandCol(band))];
    }
}

bool TStatisticsThread::ModePasses(const TLogRecord& qso) const
{
    const TModeType type = qso.ModeType();
    switch (FIn.FilterMode) {
    case fmAll: return true;
    case fmCW: return type == mtCW;
    case fmPhone: return type == mtPhone;
    case fmDigital: return type == mtDigital;
    case fmRTTY: return qso.Mode() == mRTTY;
    case fmJT: {
        const TQSOMode m = qso.Mode();
        return type == mtDigital && (m == mFT8 || m == mJT65 || m == mJT9 || m == mMFSK);
    }
    }
    return true;
}

bool TStatisticsThread::QSLPasses(const TLogRecord& qso) const
{
    const QLatin1String yes("Y");
    const QLatin1String no("N");
    switch (FIn.FilterQSL) {
    case fqNone: return true;
    case fqNotConfirmed: return !(qso.QSLRcvd() == no && qso.QSLLoTWRcvd() == no);
    case fqConfirmed: return qso.QSLRcvd() == yes || qso.QSLLoTWRcvd() == yes;
    case fqLoTW: return qso.QSLLoTWRcvd() == yes;
    }
    return true;
}

void TStatisticsThread::CountQSO(const TLogRecord& qso)
{
    const TBand band = qso.Band();
    if (band == bd70c)
        return;
    if (!ModePasses(qso) || !QSLPasses(qso))
        return;
    if (FIn.Kind == statDXCCChallenge && (band > bd6 || band == bd60))
        return;
    const TModeType type = qso.ModeType();
    const int32_t entity = qso.ADIFCode();
    switch (FIn.Kind) {
    case statNone: break;
    case statBandMode: AddBandMode(qso.Mode(), band); break;
    case statDXCC:
    case statDXCCDeleted:
    case statDXCCChallenge:
        if (entity > 0)
            AddEntry(entity, band, type);
        break;
    case statContinents:
        if (qso.Continent() != coAll)
            AddEntry(qso.Continent(), band, type);
        break;
    case statZones:
        if (const int zone = qso.CQZoneAsInteger(); zone != 0)
            AddEntry(zone, band, type);
        break;
    case statIOTA:
        if (!qso.IOTA().isEmpty())
            AddKeyName(qso.IOTA(), band, type);
        break;
    case statStates:
        if (entity == EntityAlaska) {
            AddEntry(StateAlaskaKey, band, type);
        } else if (entity == EntityHawaii) {
            AddEntry(StateHawaiiKey, band, type);
        } else if (const QString state = qso.USState(); !state.isEmpty()) {
            for (size_t i = 0; i < USStates.size(); ++i) {
                if (state == QLatin1String(USStates[i].Abbreviation)) {
                    AddEntry(int32_t(i + 1), band, type);
                    break;
                }
            }
        }
        break;
    case statFields:
        if (qso.GridSquare().size() >= 4)
            AddKeyName(qso.GridSquare().left(2), band, type);
        break;
    case statVUCC:
        if (band == bd6 && qso.GridSquare().size() >= 4)
            AddKeyName(qso.GridSquare().left(4), band, type);
        break;
    case statFFMA:
        if (band == bd6 && qso.GridSquare().size() >= 4 &&
            (entity == EntityCanada || entity == EntityMexico || entity == EntityUSA))
            AddKeyName(qso.GridSquare().left(4), band, type);
        break;
    }
}

void TStatisticsThread::Finalize()
{
    TStatisticList& rows = FResult.Rows;
    FResult.Count = 0;
    FDXCCChallenge = 0;
    if (rows.size() < 2)
        return;
    int64_t sum = 0;
    for (auto it = rows.begin(); it != rows.end() - 2; ++it)
        sum += it->Col[0];
    if (!FIn.DisplayAllRows) {
        rows.erase(std::remove_if(rows.begin(), rows.end() - 2,
                                  [](const TStatistic& row) { return row.Col[0] == 0; }),
                   rows.end() - 2);
    }
    if (sum > 0) {
        for (TStatistic& row : rows)
            row.Percentage = row.Key == TStatistic::TotalKey ? 100.0 : double(row.Col[0]) / double(sum) * 100.0;
    }
    TStatistic& worked = rows[rows.size() - 2];
    for (auto it = rows.begin(); it != rows.end() - 2; ++it) {
        if (it->Col[0] != 0)
            ++FResult.Count;
        const bool slotRow = !it->KeyName.startsWith(QLatin1Char('['));
        for (int c = 0; c < TStatistic::ColCount; ++c) {
            if (it->Col[size_t(c)] == 0)
                continue;
            ++worked.Col[size_t(c)];
            // Band slots: 160 m to 6 m without 60 m.
            const bool slotBand = c == TStatistic::BandCol(bd160) || c == TStatistic::BandCol(bd80) ||
                                  (c >= TStatistic::BandCol(bd40) && c <= TStatistic::BandCol(bd6));
            if (slotBand && slotRow)
                ++FDXCCChallenge;
        }
    }
    if (FIn.Kind == statDXCCChallenge)
        worked.KeyName = QStringLiteral("Total: %1").arg(FDXCCChallenge);
    if (rows.size() == 2)
        rows.clear();
    rows.shrink_to_fit();
}

// ---- TLogStatisticsV2 ----------------------------------------------------------------------

TLogStatisticsV2::TLogStatisticsV2(QObject* parent)
    : QObject(parent)
    , FRows(std::make_shared<const TStatisticList>())
    , FGuard(std::make_shared<TResultPost>(this))
{
    FIOTAList.reserve(1400);
}

TLogStatisticsV2::~TLogStatisticsV2()
{
    FGuard->Detach();
    CancelRun();
    FThread.reset();
    if (FLogInterface)
        FLogInterface->OnLogLoaded = nullptr;
    SetBusy(false);
}

void TLogStatisticsV2::DeliverResults()
{
    FGuard->Deliver();
}

void TLogStatisticsV2::SetStatisticsType(TLogStatisticsType v)
{
    if (v == FStatisticsType)
        return;
    FStatisticsType = v;
    RunStatistics();
}

void TLogStatisticsV2::SetFilterMode(TFilterModeType v)
{
    if (v == FFilterMode)
        return;
    FFilterMode = v;
    RunStatistics();
}

void TLogStatisticsV2::SetFilterQSL(TFilterQSLType v)
{
    if (v == FFilterQSL)
        return;
    FFilterQSL = v;
    RunStatistics();
}

void TLogStatisticsV2::SetDisplayAllRows(bool v)
{
    if (v == FDisplayAllRows)
        return;
    FDisplayAllRows = v;
    RunStatistics();
}

TLogInterface* TLogStatisticsV2::LogInterface() const
{
    return FLogInterface;
}

void TLogStatisticsV2::SetLogInterface(TLogInterface* log)
{
    if (!log)
        return;
    if (FLogInterface && FLogInterface != log)
        FLogInterface->OnLogLoaded = nullptr;
    FLogInterface = log;
    log->OnLogLoaded = [this] { Clear(); };
}

void TLogStatisticsV2::SetBusy(bool busy)
{
    if (busy == FBusy)
        return;
    FBusy = busy;
    // The engine also serves programs without a screen.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

void TLogStatisticsV2::CancelRun()
{
    if (FCancel)
        FCancel->store(true, std::memory_order_relaxed);
    FCancel.reset();
}

void TLogStatisticsV2::RunStatistics()
{
    if (FStatisticsType == statNone) {
        Clear();
        return;
    }
    if (FStatisticsType == statFFMA && FFFMAList.isEmpty())
        LoadFFMAList();
    if (FStatisticsType == statIOTA && FIOTAList.isEmpty())
        LoadIOTAList();

    TStatisticsInput in;
    in.HasLog = !FLogInterface.isNull();
    in.Kind = FStatisticsType;
    in.FilterMode = FFilterMode;
    in.FilterQSL = FFilterQSL;
    in.DisplayAllRows = FDisplayAllRows;
    if (FLogInterface) {
        // Shared copies: later changes of the log detach from them and leave the run alone.
        in.MyCall = FLogInterface->MyCall();
        in.Lines = FLogInterface->LogBook();
        in.Entities = FLogInterface->DXCCEntityList();
    }
    in.IOTA = FIOTAList;
    in.FFMA = FFFMAList;

    // An older run still counting is not wanted any more.
    CancelRun();
    FCancel = std::make_shared<std::atomic<bool>>(false);
    auto run = std::make_shared<TStatisticsThread>(std::move(in), FCancel);
    const uint64_t generation = ++FGeneration;
    ++FRunsInFlight;
    SetBusy(true);
    if (!FThread)
        FThread = std::make_unique<TJobThread>();
    auto guard = FGuard;
    FThread->Post([this, guard, run, generation]() mutable {
        std::shared_ptr<TStatisticsResult> done;
        try {
            if (run->Execute())
                done = std::make_shared<TStatisticsResult>(run->TakeResult());
        } catch (...) {
            // The run ends without rows; the GUI thread still hears of it.
        }
        // The copies of the log and the lookup tables are let go here, not on the GUI thread.
        run.reset();
        guard->Post([this, generation, done] { RunFinished(generation, done); });
    });
}

void TLogStatisticsV2::RunFinished(uint64_t generation, std::shared_ptr<TStatisticsResult> done)
{
    --FRunsInFlight;
    if (FRunsInFlight == 0)
        SetBusy(false);
    // An overtaken run has nothing to tell: its rows would be shown under the settings of
    // the run or Clear that overtook it.
    if (generation != FGeneration)
        return;
    TStatisticsResult result = done ? std::move(*done) : TStatisticsResult();
    if (result.Counted)
        FBands = result.Bands;
    FRows = std::make_shared<const TStatisticList>(std::move(result.Rows));
    FCount = result.Count;
    Fire(OnFinished);
}

void TLogStatisticsV2::Clear()
{
    // A run still counting counted what is not shown any more.
    CancelRun();
    ++FGeneration;
    FRows = std::make_shared<const TStatisticList>();
    Fire(OnFinished);
}

QList<TIOTA> TLogStatisticsV2::ReadIOTAFile(const QString& path)
{
    QList<TIOTA> list;
    const QStringList lines = DataFileLines(path);
    // The first line is the header.
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(QLatin1Char(';'));
        // A line without reference, prefix and group names no island group.
        if (fields.size() < 3)
            continue;
        const QString ref = fields.at(0).trimmed();
        if (ref.isEmpty() || ref.startsWith(QLatin1Char('*')) || ref.startsWith(QLatin1Char('#')))
            continue;
        list.append(TIOTA{ref, fields.at(1).trimmed(), fields.at(2).trimmed()});
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const TIOTA& a, const TIOTA& b) { return CompareLines(a.IOTARef, b.IOTARef) < 0; });
    // Row keys from 9998 on belong to the summary rows.
    if (list.size() > TStatistic::WorkedKey)
        list.resize(TStatistic::WorkedKey);
    list.squeeze();
    return list;
}

QStringList TLogStatisticsV2::ReadFFMAFile(const QString& path)
{
    QStringList list;
    for (const QString& line : DataFileLines(path)) {
        const QString grid = line.trimmed();
        if (!grid.isEmpty() && list.size() < TStatistic::WorkedKey)
            list.append(grid);
    }
    return list;
}

void TLogStatisticsV2::LoadIOTAList()
{
    FIOTAList = ReadIOTAFile(GetCommonDataFileName(QStringLiteral("iota.dat")));
}

void TLogStatisticsV2::LoadFFMAList()
{
    FFFMAList = ReadFFMAFile(GetCommonDataFileName(QStringLiteral("ffma.dat")));
}
