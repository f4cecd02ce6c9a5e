#pragma once
// TWantedDXCCStringGrid: the editor of the wanted-DXCC list, one row per DXCC entity and one
// column per band.  It reads the entities from dxccentity.dat (per-machine data folder) and the
// marks from wanteddxcc.dat (per-user data folder), writes wanteddxcc.dat back, and tells its
// owner which entity the operator selected.

#include "dx/widgets/WantedBandsGrid.h"

#include <QHash>
#include <QString>
#include <functional>

class TWantedDXCCStringGrid : public TWantedBandsGrid {
    Q_OBJECT
public:
    using TSelectRowEvent = std::function<void(int AADIFCode, const QString& AEntity)>;

    static constexpr int PrefixColumn = 0;
    static constexpr int ADIFColumn = 1;

    explicit TWantedDXCCStringGrid(QWidget* parent = nullptr);

    // Fills the grid from the files; without dxccentity.dat the grid stays empty.  Without
    // wanteddxcc.dat every current entity is listed unmarked and HasChanges is set, so the
    // next apply writes the list.
    void Load();
    // Writes wanteddxcc.dat, sorted; false when it could not be written (the old file then
    // stays).  Nothing is written unless Load found the entity list and any existing wanted
    // list, so an empty grid never replaces the operator's list.
    bool Save();

    const QString& DXCCDataFileName() const { return FDXCCDataFileName; }
    const QString& WantedDXCCFileName() const { return FWantedDXCCFileName; }

    TSelectRowEvent OnDXCCEntitySelect;

private:
    void DoSelectCell(int row);

    QString FDXCCDataFileName;
    QString FWantedDXCCFileName;
    // ADIF code text -> "prefix=entity name"
    QHash<QString, QString> FDXCCDictionary;
    bool FLoaded = false;
};
