#pragma once
// The part the two wanted-list editors share: a grid with leading columns of its own, one
// column per band from 160 m to 6 m, and an " all" column drawn as a check box.  A left click
// on a band cell marks or clears that band; a click on " all" ticks or unticks it and marks or
// clears every band of the row with it.  Marking the bands one by one leaves " all" as it was.
//
// The grid's header row is the table's horizontal header, so data row 0 is the row below it.

#include "dx/DXWantedSpots.h"

#include <QTableWidget>

class TWantedBandsGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int BandCount = 11;
    static constexpr int BandColumnWidth = 26;
    static constexpr int RowHeight = 22;
    static inline const QString AllHeader = QStringLiteral(" all");

    // Set by a left click in the grid and by changes of its content; never reset by the grid.
    bool HasChanges() const { return FHasChanges; }

    int FirstBandColumn() const { return FFirstBandColumn; }
    int AllColumn() const { return FFirstBandColumn + BandCount; }
    // The band of a band column, bdAll for any other column.
    TBand ColumnBand(int column) const;

    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);
    // The cell's item, made when the cell has none yet (which is no change of content).
    QTableWidgetItem* EnsureItem(int row, int column);
    // Sets up the editor of a cell before it is shown.
    virtual void EditorCreated(QWidget* editor) {}

protected:
    // leading: the headers and widths of the columns before the bands; fixed: how many of them
    // are fixed (drawn as heads, never selected or edited).
    TWantedBandsGrid(const QStringList& leading, const QList<int>& widths, int fixed, QWidget* parent);

    // The band tokens (";160;" ... ";6;") found in the text mark their cells; " all" is ticked
    // when all eleven are there.
    void SetBandsFromText(int row, const QString& text);
    TWantedBands RowBands(int row) const;
    void EmptyRow(int row);

    void mousePressEvent(QMouseEvent* event) override;
    // A quick second click toggles again, as a second single click would.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Called after a left press on a data cell; the base toggles band and " all" cells.
    virtual void CellPressed(int row, int column);

    bool FHasChanges = false;
    // While set, content changes are not the operator's (loading).
    bool FLoading = false;
    // The one column typed into, -1 for none.
    int FEditableColumn = -1;

private:
    int FFirstBandColumn;
    int FFixedColumns;
};
