#pragma once
// The two models of the log grid: TLogGridModel, the QSO rows of the logbook's view (built
// when first shown, sorted by one key per row), and TLogFilterRowModel, the one row of filter
// values above it.  Both have the same 20 columns (LogGridColumns).

#include "log/LogDataList.h"
#include "log/LogInterface.h"
#include "log/LogbookPanelTypes.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <vector>

struct TLogGridColumn {
    const char* Caption;
    const char* Hint;
    int Width;
    int MinWidth;
    int MaxWidth;
    bool Visible; // at creation
};
extern const std::array<TLogGridColumn, LogColumn::Count> LogGridColumns;

// Row text colours.
namespace LogGridColors {
inline const QColor Edited{255, 255, 153};
inline const QColor Selected{255, 255, 255};
inline const QColor Confirmed{0, 255, 153};
inline const QColor Normal{192, 192, 192};
} // namespace LogGridColors

// The text a grid cell shows for a row.
QString LogGridCellText(const TLogData& row, int column);

class TLogGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TLogGridModel(QObject* parent = nullptr);
    ~TLogGridModel() override;

    // Who is asked whether a row is the QSO being edited.
    void SetLogInterface(TLogInterface* log) { FLog = log; }

    // Takes new rows, ordered by the current sort column and direction.  New rows that are
    // the present ones with one more (a QSO logged; at a row limit the oldest row gone) are
    // taken as that one row inserted at its place; other new rows are a reset.
    void SetRows(const TLogDataList& rows);
    // Orders the rows by a column (-1: the order of the logbook's view); the rows the view's
    // selection and current index point at stay the same QSOs.
    void SortRows(int column, Qt::SortOrder order);
    int SortColumn() const { return FSortColumn; }
    Qt::SortOrder SortOrder() const { return FSortOrder; }

    // The row shown at a position, built the first time it is asked for.
    const TLogData& Row(int row) const;
    // The row shown at a position, without keeping it (for walks over every row).
    TLogData BuildRow(int row) const;
    // The QSO handle of a row, without building it.
    int32_t IndexOfRow(int row) const;
    // Rows built so far (the others have not been shown).
    int BuiltRows() const { return FBuilt; }

    // Text colour of a row: the QSO being edited, then a selected row, then a confirmed QSO.
    QColor RowColor(int row, bool selected) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int ListPos(int row) const { return FOrder.empty() ? row : FOrder[size_t(row)]; }
    void BuildOrder();
    // The row of a list position with at least the fields of the sort column read.
    TLogData KeyRow(TLogRecord& r, int pos, uint64_t fields) const;
    bool TakeAddedRow(const TLogDataList& rows);
    void RemoveLastRow();
    void InsertRow(const TLogDataList& rows, int pos);

    QPointer<TLogInterface> FLog;
    TLogDataList FRows;
    // View position to position in FRows; empty while the rows keep the view's order.
    std::vector<int> FOrder;
    mutable std::vector<std::unique_ptr<TLogData>> FCache;
    mutable int FBuilt = 0;
    int FSortColumn = -1;
    Qt::SortOrder FSortOrder = Qt::DescendingOrder;
};

// The filter row: one row whose cells are the values of a TFilterData.
class TLogFilterRowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TLogFilterRowModel(QObject* parent = nullptr);

    TFilterData& FilterData() { return *FFilterData; }
    const TFilterData& FilterData() const { return *FFilterData; }
    // The row goes and a new one with an empty filter takes its place (open editors close).
    void Renew();
    // Stores a column's value; a different value sets Changed.  False when it was the same.
    bool SetValue(int column, const QString& value);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::unique_ptr<TFilterData> FFilterData;
};
