#include "dx/widgets/WantedDXCCStringGrid.h"

#include "core/DataFiles.h"

#include <QFileInfo>

TWantedDXCCStringGrid::TWantedDXCCStringGrid(QWidget* parent)
    : TWantedBandsGrid({QStringLiteral("Prefix"), QStringLiteral("ADIF")}, {54, 0}, 2, parent)
    , FDXCCDataFileName(GetCommonDataFileName(QStringLiteral("dxccentity.dat")))
    , FWantedDXCCFileName(GetUserDataFileName(QLatin1String(TDXWantedSpots::WantedDXCCFileName)))
{
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row) { DoSelectCell(row); });
}

void TWantedDXCCStringGrid::Load()
{
    if (FDXCCDataFileName.isEmpty() || FWantedDXCCFileName.isEmpty() || !QFileInfo::exists(FDXCCDataFileName))
        return;
    const auto entityLines = TDXWantedSpots::ReadFileLines(FDXCCDataFileName);
    if (!entityLines)
        return;
    // Deleted entities ("[" prefixes) follow the current ones and are not offered.
    QStringList entities;
    for (const QString& line : *entityLines) {
        if (line.startsWith(u'['))
            break;
        if (!line.isEmpty())
            entities << line;
    }
    std::optional<QStringList> wanted;
    const bool haveWanted = QFileInfo::exists(FWantedDXCCFileName);
    if (haveWanted) {
        wanted = TDXWantedSpots::ReadFileLines(FWantedDXCCFileName);
        // A list that exists but cannot be read is not replaced by an unmarked one.
        if (!wanted)
            return;
    }

    FLoading = true;
    setUpdatesEnabled(false);
    FDXCCDictionary.clear();
    for (const QString& line : std::as_const(entities)) {
        const qsizetype semicolon = line.indexOf(u';');
        const QString key = semicolon < 0 ? QString() : line.mid(semicolon + 1);
        // An ADIF code listed twice keeps its first entity.
        if (!FDXCCDictionary.contains(key))
            FDXCCDictionary.insert(key, line.left(semicolon));
    }
    clearContents();
    if (wanted) {
        wanted->removeAll(QString());
        setRowCount(int(wanted->size()));
        for (int row = 0; row < wanted->size(); ++row) {
            const QString& line = wanted->at(row);
            const qsizetype eq = line.indexOf(u'=');
            const qsizetype semicolon = line.indexOf(u';', eq + 1);
            SetCellText(row, PrefixColumn, line.left(eq));
            SetCellText(row, ADIFColumn, semicolon < 0 ? line.mid(eq + 1) : line.mid(eq + 1, semicolon - eq - 1));
            SetBandsFromText(row, semicolon < 0 ? QString() : line.mid(semicolon));
        }
    } else {
        setRowCount(int(entities.size()));
        for (int row = 0; row < entities.size(); ++row) {
            const QString& line = entities[row];
            const qsizetype semicolon = line.indexOf(u';');
            SetCellText(row, PrefixColumn, line.left(line.indexOf(u'=')));
            SetCellText(row, ADIFColumn, semicolon < 0 ? QString() : line.mid(semicolon + 1));
        }
        FHasChanges = true;
    }
    FLoaded = true;
    FLoading = false;
    setUpdatesEnabled(true);
    viewport()->update();
}

bool TWantedDXCCStringGrid::Save()
{
    if (FWantedDXCCFileName.isEmpty() || !FLoaded)
        return true;
    QStringList lines;
    for (int row = 0; row < rowCount(); ++row) {
        const QString prefix = CellText(row, PrefixColumn);
        if (!prefix.isEmpty())
            lines << TDXWantedSpots::WantedDXCCLine(prefix, CellText(row, ADIFColumn), RowBands(row));
    }
    return TDXWantedSpots::SaveWantedFile(FWantedDXCCFileName, lines);
}

void TWantedDXCCStringGrid::DoSelectCell(int row)
{
    if (row < 0 || !OnDXCCEntitySelect)
        return;
    const QString code = CellText(row, ADIFColumn);
    const auto it = FDXCCDictionary.constFind(code);
    if (it == FDXCCDictionary.constEnd())
        return;
    const qsizetype eq = it->indexOf(u'=');
    OnDXCCEntitySelect(code.toInt(), eq < 0 ? QString() : it->mid(eq + 1));
}
