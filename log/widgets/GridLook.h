#pragma once
// The look the log's grids share: a black grid with silver text in the grid font, fixed
// low rows, a dark caption row, and the message shown while a grid has no rows.

#include "controls/widgets/PanelLook.h"

#include <QColor>
#include <QFont>
#include <QString>

class QAbstractItemView;
class QFocusEvent;
class QTableView;

namespace vx::loggrid {

using vx::look::PanelGrey;
using vx::look::Silver;
inline const QColor SelectedBack(38, 79, 120);
constexpr int RowHeight = 13;

// "Tahoma" and "MS Sans Serif" of 11 pixels.
QFont GridFont(int pixels = 11);
// Font, rows, frame and colours of a grid.
void SetupGrid(QTableView* v);
// The message over an empty grid; call after the grid has painted itself.
void PaintEmptyMessage(QAbstractItemView* v, const QString& text);
// Whether leaving the grid lets go of its row: its popup menu or another window taking the
// focus does not.
bool FocusOutClearsSelection(const QFocusEvent* event);

} // namespace vx::loggrid
