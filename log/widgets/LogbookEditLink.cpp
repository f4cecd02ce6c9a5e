#include "log/widgets/LogbookEditLink.h"

#include "log/LogbookPanelTypes.h"
#include "log/widgets/LogGridModel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

const char* const ColumnProperty = "vxFilterColumn";

// Takes only the characters of a set; ASCII letters may be upper-cased on the way in.
class TCharsValidator : public QValidator {
public:
    enum TSet { Digits, CallChars, GridChars };
    TCharsValidator(TSet set, QObject* parent)
        : QValidator(parent)
        , FSet(set)
    {
    }
    State validate(QString& input, int&) const override
    {
        for (QChar& c : input) {
            const char16_t u = c.unicode();
            const bool digit = u >= u'0' && u <= u'9';
            const bool lower = u >= u'a' && u <= u'z';
            const bool upper = u >= u'A' && u <= u'Z';
            bool ok = digit;
            if (FSet != Digits)
                ok = ok || lower || upper || (FSet == CallChars && u == u'/');
            if (!ok)
                return Invalid;
            if (lower)
                c = QChar(char16_t(u - 32));
        }
        return Acceptable;
    }

private:
    TSet FSet;
};

// The empty item, then the names of a table from an entry on.
template <typename Names>
QStringList NameItems(const Names& names, size_t first)
{
    QStringList items{QString()};
    for (size_t i = first; i < names.size(); ++i)
        items << QString::fromLatin1(names[i]);
    return items;
}

QStringList ZoneItems()
{
    QStringList items{QString()};
    for (int z = 1; z <= 40; ++z)
        items << QStringLiteral("%1").arg(z, 2, 10, QLatin1Char('0'));
    return items;
}

} // namespace

TLogbookEditLink::TCellEditor TLogbookEditLink::EditorOf(int column)
{
    TCellEditor s;
    const auto text = [&s](int maxLength) {
        s.Kind = TEditorKind::Text;
        s.MaxLength = maxLength;
    };
    const auto list = [&s](const QStringList& items, int visible) {
        s.Kind = TEditorKind::List;
        s.Items = items;
        s.VisibleItems = visible;
    };
    switch (column) {
    case LogColumn::QSODate:
        text(8);
        s.DigitsOnly = true;
        s.ApplyAtOnce = true;
        break;
    case LogColumn::TimeOn:
        text(4);
        s.DigitsOnly = true;
        break;
    case LogColumn::Call:
        text(14);
        s.CallChars = true;
        s.ApplyAtOnce = true;
        break;
    case LogColumn::Band: list(NameItems(BandNames, bd160), 12); break;
    case LogColumn::Mode: list(NameItems(QSOModeNames, mCW), 12); break;
    case LogColumn::RSTSent:
    case LogColumn::RSTRcvd: text(3); break;
    case LogColumn::STX:
    case LogColumn::SRX: text(8); break;
    case LogColumn::Comments: text(50); break;
    case LogColumn::Continent: list(NameItems(ContinentNames, coAF), 8); break;
    case LogColumn::Grid:
        text(6);
        s.GridChars = true;
        s.ApplyAtOnce = true;
        break;
    case LogColumn::CQZone: list(ZoneItems(), 41); break;
    case LogColumn::State: list(NameItems(USStateCodes, 0), 40); break;
    case LogColumn::QSLSent:
    case LogColumn::LoTWSent:
    case LogColumn::eQSLSent: list({QString(), "N", "Y", "R", "I", "Q"}, 6); break;
    case LogColumn::QSLRcvd:
    case LogColumn::LoTWRcvd:
    case LogColumn::eQSLRcvd: list({QString(), "N", "Y", "R", "I"}, 5); break;
    }
    return s;
}

TLogbookEditLink::TLogbookEditLink(TLogFilterRowModel* filterRow, QObject* parent)
    : QStyledItemDelegate(parent)
    , FFilterRow(filterRow)
{
}

QWidget* TLogbookEditLink::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const int column = index.column();
    if (column < 0 || column >= LogColumn::Count)
        return nullptr;
    // A new edit: only what is typed from now on counts as a change.
    FFilterRow->FilterData().Changed = false;
    const TCellEditor cell = EditorOf(column);
    QWidget* editor = nullptr;
    if (cell.Kind == TEditorKind::List) {
        auto* combo = new QComboBox(parent);
        combo->addItems(cell.Items);
        combo->setMaxVisibleItems(cell.VisibleItems);
        // Only the operator's choice applies a value, not the editor being filled.
        connect(combo, &QComboBox::activated, this,
                [this, combo, column] { Apply(combo, column, combo->currentText()); });
        editor = combo;
    } else {
        auto* edit = new QLineEdit(parent);
        edit->setMaxLength(cell.MaxLength);
        edit->setFrame(true);
        if (cell.DigitsOnly)
            edit->setValidator(new TCharsValidator(TCharsValidator::Digits, edit));
        else if (cell.CallChars)
            edit->setValidator(new TCharsValidator(TCharsValidator::CallChars, edit));
        else if (cell.GridChars)
            edit->setValidator(new TCharsValidator(TCharsValidator::GridChars, edit));
        if (cell.ApplyAtOnce)
            connect(edit, &QLineEdit::textEdited, this, [this, edit, column](const QString& t) { Apply(edit, column, t); });
        editor = edit;
    }
    editor->setProperty(ColumnProperty, column);
    editor->setAutoFillBackground(true);
    return editor;
}

void TLogbookEditLink::Apply(QWidget*, int column, const QString& text) const
{
    if (FFilterRow->SetValue(column, text) && OnNewText)
        OnNewText(column);
}

void TLogbookEditLink::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString value = FFilterRow->FilterData().Value[size_t(index.column())];
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        int found = -1;
        for (int i = 1; i < combo->count() && !value.isEmpty(); ++i) {
            if (combo->itemText(i) == value) {
                found = i;
                break;
            }
        }
        combo->setCurrentIndex(found);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (edit->text() != value)
            edit->setText(value);
    }
}

QString TLogbookEditLink::EditorText(QWidget* editor)
{
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return combo->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    return {};
}

void TLogbookEditLink::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QString text = EditorText(editor);
    if (text != model->data(index, Qt::EditRole).toString())
        model->setData(index, text, Qt::EditRole);
}

void TLogbookEditLink::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const
{
    QRect r = option.rect;
    // The text box is made a little taller than the row so that its text has room; a list
    // reaches further right so its button does not hide the value.
    r.setHeight(r.height() + 4);
    if (qobject_cast<QComboBox*>(editor))
        r.setWidth(r.width() + 15);
    editor->setGeometry(r);
}

void TLogbookEditLink::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The filter row shows values, never a focused or selected cell.
    option->state &= ~(QStyle::State_HasFocus | QStyle::State_Selected);
}

bool TLogbookEditLink::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor || !editor->property(ColumnProperty).isValid())
        return QStyledItemDelegate::eventFilter(object, event);
    const int column = editor->property(ColumnProperty).toInt();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (OnMove)
                OnMove(editor, column, key == Qt::Key_Left ? -1 : 1);
            return true;
        case Qt::Key_Escape:
            return true; // cancelled when the key is let go
        default: break;
        }
    } else if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
