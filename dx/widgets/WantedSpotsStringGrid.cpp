#include "dx/widgets/WantedSpotsStringGrid.h"

#include "core/DataFiles.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

// Applied to every change of the call editor, so pasted text is filtered like typed keys.
class TCallValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        const QString before = input.left(pos);
        input = TWantedSpotsStringGrid::FilterCall(input);
        pos = int(TWantedSpotsStringGrid::FilterCall(before).size());
        return Acceptable;
    }
};

} // namespace

TWantedSpotsStringGrid::TWantedSpotsStringGrid(QWidget* parent)
    : TWantedBandsGrid({QStringLiteral("Call")}, {CallColumnWidth}, 0, parent)
    , FWantedSpotsFileName(GetUserDataFileName(QLatin1String(TDXWantedSpots::WantedSpotsFileName)))
{
    FEditableColumn = CallColumn;
    setRowCount(9);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
}

QString TWantedSpotsStringGrid::FilterCall(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            out += QChar(u - u'a' + u'A');
        else if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'/')
            out += c;
    }
    return out;
}

bool TWantedSpotsStringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Only the call is typed; the band cells are set by clicks.
    if (index.column() != CallColumn)
        return false;
    EnsureItem(index.row(), index.column());
    return QTableWidget::edit(index, trigger, event);
}

void TWantedSpotsStringGrid::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool character = text.size() == 1 && text[0].isPrint();
    if (!character || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    const QString kept = FilterCall(text);
    if (kept.isEmpty()) {
        event->accept();
        return;
    }
    if (kept == text) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    QKeyEvent upper(event->type(), event->key(), event->modifiers() | Qt::ShiftModifier, kept, event->isAutoRepeat(),
                    ushort(event->count()));
    QTableWidget::keyPressEvent(&upper);
    event->setAccepted(upper.isAccepted());
}

void TWantedSpotsStringGrid::EditorCreated(QWidget* editor)
{
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setValidator(new TCallValidator(line));
}

void TWantedSpotsStringGrid::CellPressed(int row, int column)
{
    if (column == CallColumn) {
        edit(model()->index(row, column), QAbstractItemView::AllEditTriggers, nullptr);
        return;
    }
    TWantedBandsGrid::CellPressed(row, column);
}

void TWantedSpotsStringGrid::Load()
{
    if (FWantedSpotsFileName.isEmpty() || !QFileInfo::exists(FWantedSpotsFileName))
        return;
    auto lines = TDXWantedSpots::ReadFileLines(FWantedSpotsFileName);
    if (!lines)
        return;
    lines->removeAll(QString());
    FLoading = true;
    setUpdatesEnabled(false);
    clearContents();
    setRowCount(int(lines->size()) + 1 + AddedRows);
    for (int row = 0; row < lines->size(); ++row) {
        const QString& line = lines->at(row);
        const qsizetype eq = line.indexOf(u'=');
        SetCellText(row, CallColumn, eq < 0 ? QString() : line.left(eq));
        SetBandsFromText(row, line.mid(eq + 1));
    }
    FLoading = false;
    setUpdatesEnabled(true);
    viewport()->update();
}

bool TWantedSpotsStringGrid::Save()
{
    if (FWantedSpotsFileName.isEmpty())
        return true;
    QStringList lines;
    for (int row = 0; row < rowCount(); ++row) {
        const QString call = CellText(row, CallColumn);
        if (!call.isEmpty())
            lines << TDXWantedSpots::WantedSpotsLine(call, RowBands(row));
    }
    return TDXWantedSpots::SaveWantedFile(FWantedSpotsFileName, lines);
}

void TWantedSpotsStringGrid::AddRows()
{
    setRowCount(rowCount() + AddedRows);
}

void TWantedSpotsStringGrid::Clear()
{
    clearContents();
    setRowCount(1);
    FHasChanges = true;
}

void TWantedSpotsStringGrid::RemoveRow()
{
    const int row = currentRow();
    if (row < 0)
        return;
    FHasChanges = true;
    EmptyRow(row);
    if (row == 0)
        return;
    removeRow(row);
    setCurrentCell(std::min(row, rowCount() - 1), std::max(0, currentColumn()));
}
