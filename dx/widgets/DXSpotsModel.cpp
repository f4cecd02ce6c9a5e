#include "dx/widgets/DXSpotsModel.h"

#include <QBrush>
#include <QColor>
#include <QSet>
#include <algorithm>

namespace {

// Case-insensitive for ASCII letters only, so the order does not change with the locale.
int CompareAsciiCI(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'a' && x <= u'z')
            x = char16_t(x - 32);
        if (y >= u'a' && y <= u'z')
            y = char16_t(y - 32);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

template <typename T>
int Compare(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

const char* const Captions[TDXSpotsModel::ColumnCount] = {"Freq", "Call", "UTC", "Comments", "Spotter", "Bear", "Dist"};

bool RightAligned(int column)
{
    return column == TDXSpotsModel::colFreq || column == TDXSpotsModel::colBear || column == TDXSpotsModel::colDist;
}

// Call, band and mode class: what makes two spots duplicates of each other.
struct TDupKey {
    QString Call;
    int Band;
    int ModeType;
    bool operator==(const TDupKey&) const = default;
};

size_t qHash(const TDupKey& key, size_t seed) noexcept
{
    return qHashMulti(seed, key.Call, key.Band, key.ModeType);
}

} // namespace

TDXSpotsModel::TDXSpotsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

TDXSpotsModel::~TDXSpotsModel() = default;

void TDXSpotsModel::SetShowCleanComments(bool value)
{
    if (value == FShowCleanComments)
        return;
    FShowCleanComments = value;
    if (FSortColumn == colComments)
        sort(FSortColumn, FSortOrder);
    else if (!FVisible.empty())
        emit dataChanged(index(0, colComments), index(int(FVisible.size()) - 1, colComments));
}

void TDXSpotsModel::SetRangeUnit(TRangeUnit value)
{
    if (value == FRangeUnit)
        return;
    FRangeUnit = value;
    if (!FVisible.empty())
        emit dataChanged(index(0, colDist), index(int(FVisible.size()) - 1, colDist));
}

// ---- Qt model ------------------------------------------------------------------------------

int TDXSpotsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FVisible.size());
}

int TDXSpotsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TDXSpotsModel::data(const QModelIndex& index, int role) const
{
    const TSpotData* d = SpotAt(index.row());
    if (!d || index.column() < 0 || index.column() >= ColumnCount)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return CellText(*d, index.column());
    case Qt::ForegroundRole: return QBrush(RowColor(*d));
    case Qt::TextAlignmentRole:
        return int((RightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    default: return QVariant();
    }
}

QVariant TDXSpotsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QVariant();
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(Captions[section]);
    if (role == Qt::TextAlignmentRole)
        return int((section == colFreq ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return QVariant();
}

QString TDXSpotsModel::CellText(const TSpotData& data, int column) const
{
    switch (column) {
    case colFreq: return FrequencyToKHzText(data.FrequencyA);
    case colCall: return data.Call;
    case colUTC: return data.TimeStamp.isValid() ? data.TimeStamp.toUTC().toString(QStringLiteral("yyyy-MM-dd hh:mm")) : QString();
    case colComments: return CommentOf(data);
    case colSpotter: return data.Spotter;
    case colBear: return QStringLiteral("%1°").arg(data.Bearing);
    case colDist:
        // The stored number; the engine has already converted it for the unit.
        return (FRangeUnit == ruMiles ? QStringLiteral("%1 mi ") : QStringLiteral("%1 km ")).arg(data.Distance);
    default: return QString();
    }
}

QColor TDXSpotsModel::RowColor(const TSpotData& data)
{
    if (data.IsMySpot)
        return QColor(255, 255, 255);
    if (data.IsUseless)
        return QColor(252, 108, 108);
    if (data.IsBeacon)
        return QColor(128, 128, 128);
    if (data.IsLogged && data.IsWanted)
        return QColor(0, 255, 255);
    if (data.IsWanted)
        return QColor(255, 255, 153);
    if (data.IsLogged)
        return QColor(0, 255, 153);
    return QColor(192, 192, 192);
}

const QString& TDXSpotsModel::CommentOf(const TSpotData& data) const
{
    return FShowCleanComments ? data.CleanComment : data.Comment;
}

// ---- Order ---------------------------------------------------------------------------------

int TDXSpotsModel::CompareKey(const TNode* a, const TNode* b) const
{
    const TSpotData& x = a->Data;
    const TSpotData& y = b->Data;
    switch (FSortColumn) {
    case colFreq: return Compare(x.FrequencyA, y.FrequencyA);
    case colCall: return CompareAsciiCI(x.Call, y.Call);
    case colUTC: return Compare(SpotTimeMs(x.TimeStamp), SpotTimeMs(y.TimeStamp));
    case colComments: return CompareAsciiCI(CommentOf(x), CommentOf(y));
    case colSpotter: return CompareAsciiCI(x.Spotter, y.Spotter);
    case colBear: return Compare(x.Bearing, y.Bearing);
    case colDist: return Compare(x.Distance, y.Distance);
    default: return 0;
    }
}

bool TDXSpotsModel::Less(const TNode* a, const TNode* b) const
{
    if (FSortColumn >= 0) {
        const int c = CompareKey(a, b);
        if (c != 0)
            return FSortOrder == Qt::AscendingOrder ? c < 0 : c > 0;
    }
    // Equal keys, and the unsorted list: newest first.
    return a->Seq > b->Seq;
}

size_t TDXSpotsModel::Find(const TNodes& list, const TNode* node) const
{
    const auto it = std::lower_bound(list.begin(), list.end(), node,
                                     [this](const TNode* a, const TNode* b) { return Less(a, b); });
    if (it == list.end() || *it != node)
        return size_t(-1);
    return size_t(it - list.begin());
}

TDXSpotsModel::TNode* TDXSpotsModel::NewestNode(int32_t spotID) const
{
    // The multi-hash gives the value inserted last first.
    return FByID.value(spotID, nullptr);
}

const TSpotData* TDXSpotsModel::SpotAt(int row) const
{
    if (row < 0 || row >= int(FVisible.size()))
        return nullptr;
    return &FVisible[size_t(row)]->Data;
}

int TDXSpotsModel::RowOf(int32_t spotID) const
{
    const TNode* node = NewestNode(spotID);
    if (!node || !node->Visible)
        return -1;
    const size_t pos = Find(FVisible, node);
    return pos == size_t(-1) ? -1 : int(pos);
}

void TDXSpotsModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<const TNode*> nodes;
    nodes.reserve(size_t(before.size()));
    for (const QModelIndex& i : before)
        nodes.push_back(i.row() >= 0 && i.row() < int(FVisible.size()) ? FVisible[size_t(i.row())] : nullptr);

    FSortColumn = column >= 0 && column < ColumnCount ? column : -1;
    FSortOrder = order;
    std::sort(FAll.begin(), FAll.end(), [this](const TNode* a, const TNode* b) { return Less(a, b); });
    FVisible.clear();
    for (TNode* n : FAll)
        if (n->Visible)
            FVisible.push_back(n);

    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const size_t row = nodes[size_t(i)] ? Find(FVisible, nodes[size_t(i)]) : size_t(-1);
        after.append(row == size_t(-1) ? QModelIndex() : index(int(row), before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// ---- Changes -------------------------------------------------------------------------------

int TDXSpotsModel::AddSpot(const TSpotData& data)
{
    auto owned = std::make_unique<TNode>();
    TNode* node = owned.get();
    node->Data = data;
    node->Seq = FNextSeq++;
    node->Visible = Passes(data);
    FStorageIndex.insert(node, FStorage.size());
    FStorage.push_back(std::move(owned));
    FByID.insert(data.SpotID, node);

    const auto less = [this](const TNode* a, const TNode* b) { return Less(a, b); };
    FAll.insert(std::upper_bound(FAll.begin(), FAll.end(), node, less), node);
    if (!node->Visible)
        return -1;
    const auto at = std::upper_bound(FVisible.begin(), FVisible.end(), node, less);
    const int row = int(at - FVisible.begin());
    beginInsertRows(QModelIndex(), row, row);
    FVisible.insert(at, node);
    endInsertRows();
    return row;
}

void TDXSpotsModel::ChangeSpot(const TSpotData& data)
{
    TNode* node = NewestNode(data.SpotID);
    if (!node)
        return;
    const size_t inAll = Find(FAll, node);
    const size_t shown = node->Visible ? Find(FVisible, node) : size_t(-1);
    node->Data = data;
    const auto less = [this](const TNode* a, const TNode* b) { return Less(a, b); };

    // A changed sort key moves the node to its new place.
    if (inAll != size_t(-1)) {
        FAll.erase(FAll.begin() + qsizetype(inAll));
        FAll.insert(std::upper_bound(FAll.begin(), FAll.end(), node, less), node);
    }
    if (shown == size_t(-1))
        return;
    FVisible.erase(FVisible.begin() + qsizetype(shown));
    const auto at = std::upper_bound(FVisible.begin(), FVisible.end(), node, less);
    const size_t target = size_t(at - FVisible.begin());
    if (target == shown) {
        FVisible.insert(at, node);
        emit dataChanged(index(int(shown), 0), index(int(shown), ColumnCount - 1));
        return;
    }
    FVisible.insert(FVisible.begin() + qsizetype(shown), node);
    beginMoveRows(QModelIndex(), int(shown), int(shown), QModelIndex(), int(target > shown ? target + 1 : target));
    FVisible.erase(FVisible.begin() + qsizetype(shown));
    FVisible.insert(FVisible.begin() + qsizetype(target), node);
    endMoveRows();
}

void TDXSpotsModel::Forget(TNode* node)
{
    FByID.remove(node->Data.SpotID, node);
    const auto it = FStorageIndex.find(node);
    if (it == FStorageIndex.end())
        return;
    const size_t i = *it;
    FStorageIndex.erase(it);
    if (i + 1 != FStorage.size()) {
        std::swap(FStorage[i], FStorage.back());
        FStorageIndex[FStorage[i].get()] = i;
    }
    FStorage.pop_back();
}

int TDXSpotsModel::RemoveSpot(int32_t spotID)
{
    TNode* node = NewestNode(spotID);
    if (!node)
        return -1;
    int row = -1;
    if (node->Visible) {
        const size_t shown = Find(FVisible, node);
        if (shown != size_t(-1)) {
            row = int(shown);
            beginRemoveRows(QModelIndex(), row, row);
            FVisible.erase(FVisible.begin() + qsizetype(shown));
            endRemoveRows();
        }
    }
    const size_t inAll = Find(FAll, node);
    if (inAll != size_t(-1))
        FAll.erase(FAll.begin() + qsizetype(inAll));
    Forget(node);
    return row;
}

void TDXSpotsModel::ApplyFilter()
{
    beginResetModel();
    FVisible.clear();
    for (TNode* n : FAll) {
        n->Visible = Passes(n->Data);
        if (n->Visible)
            FVisible.push_back(n);
    }
    endResetModel();
}

void TDXSpotsModel::RemoveMany(const std::vector<TNode*>& victims)
{
    if (victims.empty())
        return;
    QSet<const TNode*> doomed;
    doomed.reserve(qsizetype(victims.size()));
    for (const TNode* n : victims)
        doomed.insert(n);
    beginResetModel();
    const auto gone = [&doomed](const TNode* n) { return doomed.contains(n); };
    FAll.erase(std::remove_if(FAll.begin(), FAll.end(), gone), FAll.end());
    FVisible.erase(std::remove_if(FVisible.begin(), FVisible.end(), gone), FVisible.end());
    for (TNode* n : victims)
        Forget(n);
    endResetModel();
}

std::vector<int32_t> TDXSpotsModel::ClearShown(const std::function<bool(const TSpotData&)>& test)
{
    std::vector<TNode*> victims;
    std::vector<int32_t> ids;
    for (TNode* n : FVisible) {
        if (!n->Data.IsMySpot && test(n->Data)) {
            victims.push_back(n);
            ids.push_back(n->Data.SpotID);
        }
    }
    RemoveMany(victims);
    return ids;
}

std::vector<int32_t> TDXSpotsModel::ClearDuplicates()
{
    // One pass in display order: a spot goes when a spot kept before it has the same call,
    // band and mode class within 3 kHz; what stays can make later ones go.
    QHash<TDupKey, std::vector<int32_t>> kept;
    std::vector<TNode*> victims;
    std::vector<int32_t> ids;
    for (TNode* n : FVisible) {
        const TSpotData& d = n->Data;
        std::vector<int32_t>& earlier = kept[TDupKey{d.Call, int(d.Band), int(d.ModeType)}];
        const int32_t kHz = d.FrequencyA / 1000;
        const bool duplicate =
            std::any_of(earlier.begin(), earlier.end(), [kHz](int32_t k) { return std::abs(k - kHz) < 3; });
        if (duplicate && !d.IsMySpot) {
            victims.push_back(n);
            ids.push_back(d.SpotID);
        } else {
            earlier.push_back(kHz);
        }
    }
    RemoveMany(victims);
    return ids;
}
