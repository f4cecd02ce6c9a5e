#pragma once
// TLogbookEditLink: the in-place editors of the log grid's filter row.  Each column has a text
// box or a drop-down list with its own limits; Date, Call and Grid and every list apply their
// value while the operator types or picks (OnNewText), the other text boxes when the edit ends.
// Enter ends the edit, Escape (on release) cancels it, Left and Right are the view's (it ends
// the edit and edits the neighbouring cell), as is Tab.

#include "core/RCTypes.h"

#include <QStringList>
#include <QStyledItemDelegate>
#include <functional>

class TLogFilterRowModel;

class TLogbookEditLink : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum class TEditorKind { Text, List };
    // What the editor of a column is: its kind and limits.
    struct TCellEditor {
        TEditorKind Kind = TEditorKind::Text;
        int MaxLength = 0;       // text box
        bool DigitsOnly = false; // text box: 0-9
        bool CallChars = false;  // text box: letters, digits and "/", upper-cased
        bool GridChars = false;  // text box: letters and digits, upper-cased
        bool ApplyAtOnce = false;
        QStringList Items; // list, the empty item first
        int VisibleItems = 0;
    };
    // The editor of each grid column.
    static TCellEditor EditorOf(int column);

    TLogbookEditLink(TLogFilterRowModel* filterRow, QObject* parent = nullptr);

    // A value was applied while editing (the cell's new text).
    std::function<void(int column)> OnNewText;
    // Left (-1) or Right (+1) in an editor: the view ends this edit and edits the neighbouring
    // cell, if there is one.
    std::function<void(QWidget* editor, int column, int direction)> OnMove;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Apply(QWidget* editor, int column, const QString& text) const;
    static QString EditorText(QWidget* editor);

    TLogFilterRowModel* FFilterRow;
};
