#pragma once
// TWantedSpotsStringGrid: the editor of the wanted-calls list (wantedspots.dat in the per-user
// data folder), one row per call or call prefix and one column per band.  Only the call column
// is edited by typing: letters become capitals, and nothing but letters, digits and "/" gets
// in, typed or pasted.

#include "dx/widgets/WantedBandsGrid.h"

#include <QString>

class TWantedSpotsStringGrid : public TWantedBandsGrid {
    Q_OBJECT
public:
    static constexpr int CallColumn = 0;
    static constexpr int CallColumnWidth = 70;
    static constexpr int AddedRows = 10;

    explicit TWantedSpotsStringGrid(QWidget* parent = nullptr);

    // Fills the grid from wantedspots.dat, followed by empty rows to type into; a missing or
    // unreadable file leaves the grid as it was.
    void Load();
    // Writes every row with a call, sorted; false when the file could not be written (the old
    // file then stays).
    bool Save();
    void AddRows();
    // Leaves one empty row.
    void Clear();
    // Empties the current row and removes it, except the first row, which stays empty.
    void RemoveRow();

    const QString& WantedSpotsFileName() const { return FWantedSpotsFileName; }

    // Letters to capitals; anything but A-Z, 0-9 and "/" dropped.
    static QString FilterCall(const QString& text);
    // The call's editor takes every change through the filter.
    void EditorCreated(QWidget* editor) override;

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void CellPressed(int row, int column) override;

private:
    QString FWantedSpotsFileName;
};
