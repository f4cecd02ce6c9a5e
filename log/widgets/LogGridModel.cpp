#include "log/widgets/LogGridModel.h"

#include "log/LogInterface.h"
#include "log/LogRecord.h"
#include "log/LogText.h"

#include <QBrush>
#include <algorithm>
#include <numeric>

const std::array<TLogGridColumn, LogColumn::Count> LogGridColumns = {{
    {"Date", "", 68, 60, 82, true},
    {"Time", "", 40, 20, 54, true},
    {"Call", "", 84, 60, 120, true},
    {"Band", "", 40, 38, 62, true},
    {"Mode", "", 38, 38, 62, true},
    {"RSTs", "Report sent", 48, 10, 10000, false},
    {"STX", "Contest exchange sent", 48, 10, 10000, false},
    {"RSTr", "Report received", 48, 10, 10000, false},
    {"SRX", "Contest exchange received", 48, 10, 10000, false},
    {"Comments", "shows Name, QTH, IOTA, QSL via", 78, 10, 500, true},
    {"CO", "Continent", 27, 27, 42, true},
    {"Grid", "Grid Locator", 56, 25, 68, true},
    {"CQ", "CQ Zone", 27, 27, 40, true},
    {"US", "US State", 25, 25, 38, true},
    {"Qs", "QSL sent", 25, 25, 38, true},
    {"Qr", "QSL received", 25, 25, 38, true},
    {"Ls", "LoTW QSL sent", 25, 25, 38, true},
    {"Lr", "LoTW QSL received", 25, 25, 38, true},
    {"Es", "eQSL sent", 25, 25, 38, false},
    {"Er", "eQSL received", 25, 25, 38, false},
}};

namespace {

QString FlagText(QChar c)
{
    return c.isNull() ? QString() : QString(c);
}

bool IsConfirmed(const TLogData& d)
{
    const QChar y(u'Y');
    return (d.QSLSent == y && d.QSLRcvd == y) || (d.QSLLoTWSent == y && d.QSLLoTWRcvd == y);
}

// The log fields a column's cell is made of (bit k = field k).
uint64_t FieldsOfColumn(int column)
{
    const auto bits = [](std::initializer_list<int> fields) {
        uint64_t m = 0;
        for (int k : fields)
            m |= uint64_t(1) << k;
        return m;
    };
    switch (column) {
    case LogColumn::QSODate:
    case LogColumn::TimeOn: return bits({LogField::QSODate, LogField::TimeOn});
    case LogColumn::Call: return bits({LogField::Call});
    case LogColumn::Band: return bits({LogField::Band});
    case LogColumn::Mode: return bits({LogField::Mode, LogField::SubMode});
    case LogColumn::RSTSent: return bits({LogField::RSTSent});
    case LogColumn::STX: return bits({LogField::STX});
    case LogColumn::RSTRcvd: return bits({LogField::RSTRcvd});
    case LogColumn::SRX: return bits({LogField::SRX});
    case LogColumn::Comments:
        return bits({LogField::Comment, LogField::Name, LogField::QTH, LogField::QSLVia, LogField::IOTA});
    case LogColumn::Continent: return bits({LogField::Continent});
    case LogColumn::Grid: return bits({LogField::GridSquare});
    case LogColumn::CQZone: return bits({LogField::CQZone});
    case LogColumn::State: return bits({LogField::USState});
    case LogColumn::QSLSent: return bits({LogField::QSLSent});
    case LogColumn::QSLRcvd: return bits({LogField::QSLRcvd});
    case LogColumn::LoTWSent: return bits({LogField::QSLLoTWSent});
    case LogColumn::LoTWRcvd: return bits({LogField::QSLLoTWRcvd});
    case LogColumn::eQSLSent: return bits({LogField::QSLeQSLSent});
    case LogColumn::eQSLRcvd: return bits({LogField::QSLeQSLRcvd});
    }
    return 0;
}

// The row of a line with only the fields of one column read: enough for its sort key, at a
// fraction of the cost of reading all 36 fields of every QSO.
TLogData PartialRow(TLogRecord& r, const QString& line, uint64_t fields)
{
    r.ExplodeQSOFields(line, fields);
    return r.GetLogDataRecord(0);
}

bool IsNumericColumn(int column)
{
    return column == LogColumn::QSODate || column == LogColumn::TimeOn || column == LogColumn::Band ||
           column == LogColumn::Continent || column == LogColumn::CQZone;
}

qint64 NumericKey(const TLogData& d, int column)
{
    switch (column) {
    case LogColumn::QSODate: return d.DateTime.isValid() ? d.DateTime.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
    case LogColumn::TimeOn: return d.DateTime.isValid() ? d.DateTime.time().msecsSinceStartOfDay() : 0;
    case LogColumn::Band: return d.BandT;
    case LogColumn::Continent: return d.Continent;
    case LogColumn::CQZone: return d.CQZone;
    default: return 0;
    }
}

// What a row sorts by in one column: a number, or the cell text with letter case ignored
// for ASCII letters only, as everywhere in the log.  The first four characters as one number
// settle most text comparisons of a big sort.
struct TSortKey {
    qint64 Number = 0;
    uint64_t Head = 0;
    QString Text;

    bool operator<(const TSortKey& o) const
    {
        if (Number != o.Number)
            return Number < o.Number;
        return Head != o.Head ? Head < o.Head : Text < o.Text;
    }
};

TSortKey SortKeyOf(const TLogData& d, int column)
{
    TSortKey k;
    if (IsNumericColumn(column)) {
        k.Number = NumericKey(d, column);
        return k;
    }
    k.Text = vx::logtext::UpperAscii(LogGridCellText(d, column));
    for (qsizetype c = 0; c < 4; ++c)
        k.Head = (k.Head << 16) | (c < k.Text.size() ? k.Text[c].unicode() : 0);
    return k;
}

// The order of the grid: by key in the direction asked for; equal keys keep the order of the
// logbook's view (newest first) in either direction.  One strict order, so a sort of all rows
// and the insertion of one new row always agree.
bool SortsBefore(const TSortKey& a, int aPos, const TSortKey& b, int bPos, bool descending)
{
    if (a < b)
        return !descending;
    if (b < a)
        return descending;
    return aPos < bPos;
}

// Rows of two lists that are the same QSO as the same line.  Lines the logbook did not touch
// share their text, which settles most comparisons without reading it.
bool SameRow(const TLogDataList& a, qsizetype i, const TLogDataList& b, qsizetype j)
{
    if (a.IndexAt(i) != b.IndexAt(j))
        return false;
    const QString& x = a.LineAt(i);
    const QString& y = b.LineAt(j);
    return (x.constData() == y.constData() && x.size() == y.size()) || x == y;
}

} // namespace

QString LogGridCellText(const TLogData& d, int column)
{
    switch (column) {
    case LogColumn::QSODate: return d.DateTime.isValid() ? d.DateTime.toString(QStringLiteral("yyyy-MM-dd")) : QString();
    case LogColumn::TimeOn: return d.DateTime.isValid() ? d.DateTime.toString(QStringLiteral("hh:mm")) : QString();
    case LogColumn::Call: return d.Call;
    case LogColumn::Band: return d.Band;
    case LogColumn::Mode: return d.Mode;
    case LogColumn::RSTSent: return d.RSTSent;
    case LogColumn::STX: return d.STX;
    case LogColumn::RSTRcvd: return d.RSTRcvd;
    case LogColumn::SRX: return d.SRX;
    case LogColumn::Comments: return d.Comments;
    case LogColumn::Continent: return QString::fromLatin1(ContinentNames[d.Continent]);
    case LogColumn::Grid: return d.Grid;
    case LogColumn::CQZone: return d.CQZone == 0 ? QString() : QStringLiteral("%1").arg(d.CQZone, 2, 10, QLatin1Char('0'));
    case LogColumn::State: return d.State;
    case LogColumn::QSLSent: return FlagText(d.QSLSent);
    case LogColumn::QSLRcvd: return FlagText(d.QSLRcvd);
    case LogColumn::LoTWSent: return FlagText(d.QSLLoTWSent);
    case LogColumn::LoTWRcvd: return FlagText(d.QSLLoTWRcvd);
    case LogColumn::eQSLSent: return FlagText(d.eQSLSent);
    case LogColumn::eQSLRcvd: return FlagText(d.eQSLRcvd);
    }
    return {};
}

// ---- TLogGridModel -------------------------------------------------------------------------

TLogGridModel::TLogGridModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

TLogGridModel::~TLogGridModel() = default;

void TLogGridModel::SetRows(const TLogDataList& rows)
{
    if (TakeAddedRow(rows))
        return;
    beginResetModel();
    FRows = rows;
    FCache.clear();
    FCache.resize(size_t(FRows.size()));
    FBuilt = 0;
    BuildOrder();
    endResetModel();
}

bool TLogGridModel::TakeAddedRow(const TLogDataList& rows)
{
    // The new rows must be the present ones with one row put in at some place, and at a row
    // limit the last present one gone.  Anything else is rebuilt whole.
    const qsizetype n = FRows.size();
    const qsizetype m = rows.size();
    if (m != n && m != n + 1)
        return false;
    qsizetype at = 0;
    while (at < n && at < m && SameRow(FRows, at, rows, at))
        ++at;
    if (at == n && m == n)
        return true; // the same rows: nothing to do
    for (qsizetype k = at; k + 1 < m; ++k) {
        if (!SameRow(FRows, k, rows, k + 1))
            return false;
    }
    if (m == n)
        RemoveLastRow();
    InsertRow(rows, int(at));
    return true;
}

void TLogGridModel::RemoveLastRow()
{
    const int pos = int(FRows.size()) - 1;
    const auto it = FOrder.empty() ? FOrder.end() : std::find(FOrder.begin(), FOrder.end(), pos);
    const int row = FOrder.empty() ? pos : int(it - FOrder.begin());
    beginRemoveRows({}, row, row);
    FRows.RemoveLast();
    if (FCache.back())
        --FBuilt;
    FCache.pop_back();
    if (!FOrder.empty())
        FOrder.erase(it);
    endRemoveRows();
}

void TLogGridModel::InsertRow(const TLogDataList& rows, int pos)
{
    // The present rows from pos on move one place down the view's order; the new row goes
    // where a sort of all rows would put it.
    int row = pos;
    if (FSortColumn >= 0) {
        const uint64_t fields = FieldsOfColumn(FSortColumn);
        const bool descending = FSortOrder == Qt::DescendingOrder;
        TLogRecord r;
        const TSortKey added = SortKeyOf(PartialRow(r, rows.LineAt(pos), fields), FSortColumn);
        const auto before = std::partition_point(FOrder.begin(), FOrder.end(), [&](int p) {
            const TSortKey present = SortKeyOf(KeyRow(r, p, fields), FSortColumn);
            return SortsBefore(present, p >= pos ? p + 1 : p, added, pos, descending);
        });
        row = int(before - FOrder.begin());
    }
    beginInsertRows({}, row, row);
    FRows = rows;
    FCache.insert(FCache.begin() + pos, nullptr);
    if (FSortColumn >= 0) {
        for (int& p : FOrder) {
            if (p >= pos)
                ++p;
        }
        FOrder.insert(FOrder.begin() + row, pos);
    }
    endInsertRows();
}

TLogData TLogGridModel::KeyRow(TLogRecord& r, int pos, uint64_t fields) const
{
    if (const auto& built = FCache[size_t(pos)])
        return *built;
    return PartialRow(r, FRows.LineAt(pos), fields);
}

void TLogGridModel::BuildOrder()
{
    FOrder.clear();
    if (FSortColumn < 0 || FRows.isEmpty())
        return;
    const int n = int(FRows.size());
    FOrder.resize(size_t(n));
    std::iota(FOrder.begin(), FOrder.end(), 0);
    const uint64_t fields = FieldsOfColumn(FSortColumn);
    TLogRecord r;
    std::vector<TSortKey> keys(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        keys[size_t(i)] = SortKeyOf(KeyRow(r, i, fields), FSortColumn);
    const bool descending = FSortOrder == Qt::DescendingOrder;
    std::sort(FOrder.begin(), FOrder.end(), [&](int a, int b) {
        return SortsBefore(keys[size_t(a)], a, keys[size_t(b)], b, descending);
    });
}

void TLogGridModel::SortRows(int column, Qt::SortOrder order)
{
    if (column >= LogColumn::Count)
        return;
    const QModelIndexList before = persistentIndexList();
    QList<int> positions;
    for (const QModelIndex& i : before)
        positions.append(ListPos(i.row()));
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    FSortColumn = column;
    FSortOrder = order;
    BuildOrder();
    std::vector<int> rowOfPos;
    if (!FOrder.empty()) {
        rowOfPos.resize(FOrder.size());
        for (size_t row = 0; row < FOrder.size(); ++row)
            rowOfPos[size_t(FOrder[row])] = int(row);
    }
    QModelIndexList after;
    for (qsizetype k = 0; k < before.size(); ++k) {
        const int pos = positions[k];
        after.append(index(rowOfPos.empty() ? pos : rowOfPos[size_t(pos)], before[k].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const TLogData& TLogGridModel::Row(int row) const
{
    const int pos = ListPos(row);
    std::unique_ptr<TLogData>& slot = FCache[size_t(pos)];
    if (!slot) {
        slot = std::make_unique<TLogData>(FRows.At(pos));
        ++FBuilt;
    }
    return *slot;
}

TLogData TLogGridModel::BuildRow(int row) const
{
    const int pos = ListPos(row);
    if (const auto& built = FCache[size_t(pos)])
        return *built;
    return FRows.At(pos);
}

int32_t TLogGridModel::IndexOfRow(int row) const
{
    return FRows.IndexAt(ListPos(row));
}

QColor TLogGridModel::RowColor(int row, bool selected) const
{
    if (FLog && FLog->EditMode() && FLog->LogBookIndex() == IndexOfRow(row))
        return LogGridColors::Edited;
    if (selected)
        return LogGridColors::Selected;
    if (IsConfirmed(Row(row)))
        return LogGridColors::Confirmed;
    return LogGridColors::Normal;
}

int TLogGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FRows.size());
}

int TLogGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : LogColumn::Count;
}

QVariant TLogGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole: return LogGridCellText(Row(index.row()), index.column());
    case Qt::ForegroundRole: return QBrush(RowColor(index.row(), false));
    default: return {};
    }
}

QVariant TLogGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= LogColumn::Count)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(LogGridColumns[size_t(section)].Caption);
    return {};
}

// ---- TLogFilterRowModel --------------------------------------------------------------------

TLogFilterRowModel::TLogFilterRowModel(QObject* parent)
    : QAbstractTableModel(parent)
    , FFilterData(std::make_unique<TFilterData>())
{
}

void TLogFilterRowModel::Renew()
{
    beginResetModel();
    FFilterData = std::make_unique<TFilterData>();
    endResetModel();
}

bool TLogFilterRowModel::SetValue(int column, const QString& value)
{
    if (column < 0 || column >= LogColumn::Count || FFilterData->Value[size_t(column)] == value)
        return false;
    FFilterData->Value[size_t(column)] = value;
    FFilterData->Changed = true;
    const QModelIndex i = index(0, column);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

int TLogFilterRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

int TLogFilterRowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : LogColumn::Count;
}

QVariant TLogFilterRowModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() != 0 || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return FFilterData->Value[size_t(index.column())];
}

bool TLogFilterRowModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() != 0 || role != Qt::EditRole)
        return false;
    SetValue(index.column(), value.toString());
    return true;
}

Qt::ItemFlags TLogFilterRowModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

QVariant TLogFilterRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= LogColumn::Count)
        return {};
    const TLogGridColumn& c = LogGridColumns[size_t(section)];
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(c.Caption);
    if (role == Qt::ToolTipRole && *c.Hint)
        return QString::fromLatin1(c.Hint);
    return {};
}
