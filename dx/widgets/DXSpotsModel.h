#pragma once
// The rows of the spot list: one copy of the engine's spot record per spot, newest on top
// until a column is sorted.  Filtering happens here: a row is shown or hidden by the filter
// when it arrives and whenever the filter is applied, and a whole filter application is one
// model reset.
//
// All nodes are kept in one total order (the sort column, ties and the unsorted list by
// arrival, newest first), so a new spot is inserted at its sorted place and a spot number
// finds its row by a hash and a binary search, however many spots are stored.

#include "core/RCTypes.h"
#include "dx/DXSpotTypes.h"

#include <QAbstractTableModel>
#include <QHash>
#include <functional>
#include <memory>
#include <vector>

class TDXSpotsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { colFreq, colCall, colUTC, colComments, colSpotter, colBear, colDist, ColumnCount };

    explicit TDXSpotsModel(QObject* parent = nullptr);
    ~TDXSpotsModel() override;

    // Whether a spot is shown; unset shows every spot.
    std::function<bool(const TSpotData&)> Filter;

    // The Comments column shows (and sorts by) the cleaned comment.
    bool ShowCleanComments() const { return FShowCleanComments; }
    void SetShowCleanComments(bool value);
    TRangeUnit RangeUnit() const { return FRangeUnit; }
    void SetRangeUnit(TRangeUnit value);

    // ---- Qt model ---------------------------------------------------------------------------
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Column -1 goes back to arrival order.  One reset.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // ---- Rows -------------------------------------------------------------------------------
    int VisibleCount() const { return int(FVisible.size()); }
    int Count() const { return int(FAll.size()); }
    const TSpotData* SpotAt(int row) const;
    // Row of the shown spot with that number; -1 when it is hidden or unknown.
    int RowOf(int32_t spotID) const;
    bool Contains(int32_t spotID) const { return FByID.contains(spotID); }
    int SortColumn() const { return FSortColumn; }
    Qt::SortOrder SortOrder() const { return FSortOrder; }
    // The text of a cell as the grid shows it.
    QString CellText(const TSpotData& data, int column) const;
    // The font colour of a row that is not selected.
    static QColor RowColor(const TSpotData& data);

    // ---- Changes ---------------------------------------------------------------------------
    // Stores a copy at its sorted place, shown or hidden by the filter.  Returns its row, or
    // -1 when it is hidden.
    int AddSpot(const TSpotData& data);
    // The newest node with the record's number takes it; whether it is shown stays.
    void ChangeSpot(const TSpotData& data);
    // Removes the newest node with that number.  Returns the row it had, or -1 when it was
    // hidden or unknown.
    int RemoveSpot(int32_t spotID);
    // Shows or hides every node by the filter.  One reset.
    void ApplyFilter();
    // Removes every shown node that is not an own spot and for which the test holds, and
    // returns their numbers.  One reset.
    std::vector<int32_t> ClearShown(const std::function<bool(const TSpotData&)>& test);
    // Removes every shown node (not an own spot) that an earlier shown node (in display
    // order) duplicates: same call, band and mode class, less than 3 kHz apart in whole kHz.
    // Returns their numbers.  One reset.
    std::vector<int32_t> ClearDuplicates();

private:
    struct TNode {
        TSpotData Data;
        uint64_t Seq = 0;
        bool Visible = false;
    };
    using TNodes = std::vector<TNode*>;

    bool Passes(const TSpotData& data) const { return !Filter || Filter(data); }
    // Total display order of two nodes.
    bool Less(const TNode* a, const TNode* b) const;
    int CompareKey(const TNode* a, const TNode* b) const;
    const QString& CommentOf(const TSpotData& data) const;
    // Position of the node in a list kept in display order; npos when absent.
    size_t Find(const TNodes& list, const TNode* node) const;
    TNode* NewestNode(int32_t spotID) const;
    void Forget(TNode* node);
    void Resort();
    void RemoveMany(const std::vector<TNode*>& victims);

    std::vector<std::unique_ptr<TNode>> FStorage; // owns the nodes; order irrelevant
    TNodes FAll;                                  // every node in display order
    TNodes FVisible;                              // the shown nodes in display order
    QMultiHash<int32_t, TNode*> FByID;
    QHash<const TNode*, size_t> FStorageIndex;
    uint64_t FNextSeq = 1;
    int FSortColumn = -1;
    Qt::SortOrder FSortOrder = Qt::AscendingOrder;
    bool FShowCleanComments = false;
    TRangeUnit FRangeUnit = ruKM;
};
