#include "client/widgets/MenuForm.h"

#include "core/DataFiles.h"
#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/MenuSettings.h"
#include "panel/PanelColors.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The item whose check box stands for the value 1000 ("nAin(MAIN)").
const QLatin1String SubBandLevelName("GEnE SNB LVL");
// The item written with sign and two digits on every model.
constexpr int SignedMenuNo = 92;
const int EntryRole = Qt::UserRole;

const QColor DialogBackground(0x41, 0x41, 0x41);

void WhiteText(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::Text, Qt::white);
    w->setPalette(pal);
}

QLabel* NewLabel(QWidget* parent, int x, int y, bool white, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    if (white)
        WhiteText(l);
    return l;
}

// A value as the radio's field takes it: digits padded with "0" to the width, a minus sign
// first (-5 in three characters is "-05", never "0-5").  A field that can hold negative
// values carries its sign always, as the radio writes it (+05).
QString FieldValue(int width, int64_t v, bool signedField)
{
    if (v < 0 || signedField)
        return (v < 0 ? QLatin1Char('-') : QLatin1Char('+')) + IntToZeroPadded(qMax(0, width - 1), v < 0 ? -v : v);
    return IntToZeroPadded(width, v);
}

// Sign and at least two digits: -5 gives "-05", 12 gives "+12".
QString SignedValue(int64_t v)
{
    return (v < 0 ? QLatin1Char('-') : QLatin1Char('+')) + IntToZeroPadded(2, v < 0 ? -v : v);
}

// The range of the value spin edit.  Without a range in the file the value may be anything
// its field can hold.
std::pair<int, int> IntRange(const TMenuEntry& e)
{
    if (e.HasRange())
        return {e.Min, e.Max};
    if (e.LengthUnknown || e.Length <= 0)
        return {-std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
    const bool signedField = e.MenuNo() == SignedMenuNo;
    const int digits = qMin(9, signedField ? qMax(2, e.Length - 1) : e.Length);
    const int top = int(std::pow(10.0, digits)) - 1;
    return {signedField ? -top : 0, top};
}

int ClampToInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

TMenuForm::TMenuForm(TFTCATInterface* cat, QWidget* owner)
    : TDPIForm(owner)
    , FCAT(cat)
{
    setWindowTitle(QStringLiteral("Transceiver Menu"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, DialogBackground);
    pal.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
    pal.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    pal.setColor(QPalette::AlternateBase, QColor(0x30, 0x30, 0x30));
    pal.setColor(QPalette::Text, QColor(0xE0, 0xE0, 0xE0));
    pal.setColor(QPalette::Button, QColor(0x55, 0x55, 0x55));
    pal.setColor(QPalette::ButtonText, Qt::white);
    pal.setColor(QPalette::Highlight, QColor(0x33, 0x66, 0x99));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x90, 0x90, 0x90));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(0x90, 0x90, 0x90));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x90, 0x90, 0x90));
    setPalette(pal);
    setAutoFillBackground(true);

    BuildControls();
    ClearMenuDetails(false);
    TreeView1->clear();
    FSelectedMenuNo = 0;
    ReadDefinitions();
    ApplyButton->setEnabled(false);
}

TMenuForm::~TMenuForm()
{
    Unhook();
}

void TMenuForm::BuildControls()
{
    TreeView1 = new QTreeWidget(this);
    TreeView1->setGeometry(8, 4, 313, 349);
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(19);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                // Auto-expand: the selected group opens, the one left closes.
                QTreeWidgetItem* group = current && current->parent() ? current->parent() : current;
                QTreeWidgetItem* old = previous && previous->parent() ? previous->parent() : previous;
                if (old && old != group)
                    old->setExpanded(false);
                if (group)
                    group->setExpanded(true);
                TreeView1Change();
            });

    QFont big(TDPIForm::FormFont());
    big.setPixelSize(32);
    big.setBold(true);
    for (QLabel** panel : {&MenuPanel, &NamePanel}) {
        auto* l = new QLabel(this);
        l->setAutoFillBackground(true);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, Qt::black);
        p.setColor(QPalette::WindowText, BGRColor(0xFF9966));
        l->setPalette(p);
        l->setFont(big);
        l->setAlignment(Qt::AlignCenter);
        *panel = l;
    }
    MenuPanel->setGeometry(334, 4, 97, 49);
    NamePanel->setGeometry(437, 4, 298, 49);

    DescriptionLabel = NewLabel(this, 336, 59, true);
    FunctionLabel = NewLabel(this, 336, 78, true);
    FunctionLabel->resize(450, 44);
    FunctionLabel->setWordWrap(true);
    FunctionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ValuesLabel2 = NewLabel(this, 336, 128, false, QStringLiteral("Values"));
    DefaultLabel2 = NewLabel(this, 440, 128, false, QStringLiteral("Default"));
    DefaultLabel = NewLabel(this, 488, 128, true);
    ValuesLabel = NewLabel(this, 440, 149, true);

    ValueEdit = new QSpinBox(this);
    ValueEdit->setGeometry(334, 147, 67, 22);
    connect(ValueEdit, &QSpinBox::valueChanged, this, [this] { ValueChange(); });

    ValueCheckBox = new QCheckBox(QStringLiteral("nAin(MAIN)"), this);
    ValueCheckBox->setGeometry(333, 174, 100, 20);
    WhiteText(ValueCheckBox);
    connect(ValueCheckBox, &QCheckBox::clicked, this, [this] { ValueCheckBoxClick(); });

    ValueGroup = new QGroupBox(this);
    ValueGroup->setGeometry(327, 147, 459, 206);
    WhiteText(ValueGroup);
    ValueGroupButtons = new QButtonGroup(this);
    connect(ValueGroupButtons, &QButtonGroup::idClicked, this, [this] { ValueChange(); });
    new QGridLayout(ValueGroup);

    ValueBox = new QListWidget(this);
    ValueBox->setGeometry(336, 147, 170, 206);
    connect(ValueBox, &QListWidget::itemChanged, this, [this] { ValueChange(); });

    MenuEntriesLabel = NewLabel(this, 8, 359, false);
    WaitShape = new QFrame(this);
    WaitShape->setGeometry(246, 367, 75, 5);
    WaitShape->setFrameStyle(QFrame::Box | QFrame::Plain);
    WaitShape->setLineWidth(1);
    WaitShape->setAutoFillBackground(true);
    SetWaitColor(WaitingColor);

    AdviceLabel = NewLabel(this, 336, 359, true);
    AdviceLabel->resize(450, 44);
    AdviceLabel->setWordWrap(true);
    AdviceLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setGeometry(8, 378, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelButton->setGeometry(89, 378, 75, 25);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ApplyButton = new QPushButton(QStringLiteral("&Apply"), this);
    ApplyButton->setGeometry(246, 378, 75, 25);
    connect(ApplyButton, &QPushButton::clicked, this, [this] { ApplyButtonClick(); });
}

void TMenuForm::SetWaitColor(uint32_t bgr)
{
    QPalette p = WaitShape->palette();
    p.setColor(QPalette::Window, BGRColor(bgr));
    p.setColor(QPalette::WindowText, Qt::black);
    WaitShape->setPalette(p);
}

void TMenuForm::ReadDefinitions()
{
    const TTransceiver model = FCAT ? FCAT->Transceiver() : FT950;
    const QString name = MenuDefinitionFileName(model);
    if (name.isEmpty()) {
        MenuEntriesLabel->setText(QStringLiteral("Menu settings only supported for FT-2000 and FT DX 5000"));
        MenuEntriesLabel->adjustSize();
        return;
    }
    const QString path = GetCommonDataFileName(name);
    TMenuDefinitions defs;
    if (QFileInfo(path).isFile())
        defs = ReadMenuDefinitions(path);
    if (!defs.Found) {
        MenuEntriesLabel->setText(QStringLiteral("File %1 not found!").arg(name));
        MenuEntriesLabel->adjustSize();
        return;
    }
    FEntries = defs.Entries;
    QString lastGroup;
    QTreeWidgetItem* groupNode = nullptr;
    for (int i = 0; i < FEntries.size(); ++i) {
        TMenuEntry& e = FEntries[i];
        // The FT-2000D's power settings differ from the FT-2000's.
        if (e.No == QLatin1String("144") && model == FT2000D)
            e.Values = QStringLiteral("20 W|50 W|100 W|200 W");
        // Only the previous line's group counts: a group coming again opens a new node.
        if (!groupNode || e.Group != lastGroup) {
            groupNode = new QTreeWidgetItem(TreeView1, QStringList(e.Group));
            groupNode->setData(0, EntryRole, -1);
            lastGroup = e.Group;
        }
        auto* child = new QTreeWidgetItem(groupNode, QStringList(e.No + QStringLiteral(" - ") + e.Description));
        child->setData(0, EntryRole, i);
    }
    QString label = QStringLiteral("%1 menu entries").arg(FEntries.size());
    if (defs.ErrorLine > 0)
        label += QStringLiteral("\nLine %1 of %2: %3").arg(defs.ErrorLine).arg(name, defs.Error);
    MenuEntriesLabel->setText(label);
    MenuEntriesLabel->adjustSize();
    if (FCAT) {
        FCAT->OnMenuSettings = [this](int32_t no, const QString& parameter) { MenuSettingsReceived(no, parameter); };
        FHooked = true;
    }
}

void TMenuForm::Unhook()
{
    if (FHooked && FCAT)
        FCAT->OnMenuSettings = nullptr;
    FHooked = false;
}

void TMenuForm::done(int result)
{
    Unhook();
    TDPIForm::done(result);
}

int TMenuForm::ItemMenuNo(const QTreeWidgetItem* item)
{
    if (!item)
        return 0;
    const QString text = item->text(0);
    if (text.size() < 5 || text[4] != QLatin1Char('-') || !IsMenuDigits(text.left(3)))
        return 0;
    return text.left(3).toInt();
}

const TMenuEntry* TMenuForm::SelectedEntry() const
{
    if (FSelectedEntry < 0 || FSelectedEntry >= FEntries.size())
        return nullptr;
    return &FEntries[FSelectedEntry];
}

QTreeWidgetItem* TMenuForm::TreeItemOf(int entryIndex) const
{
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        if ((*it)->data(0, EntryRole).toInt() == entryIndex && (*it)->parent())
            return *it;
    }
    return nullptr;
}

void TMenuForm::FindLastMenuNo()
{
    if (FLastMenuNo == 0)
        return;
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        if (ItemMenuNo(*it) == FLastMenuNo) {
            TreeView1->setCurrentItem(*it);
            return;
        }
    }
}

void TMenuForm::ClearMenuDetails(bool ShowLabels)
{
    DescriptionLabel->setText(ShowLabels ? QString()
                                         : QStringLiteral("Choose a menu group on the left, expand the group and select "
                                                          "menu items to view or change"));
    DescriptionLabel->adjustSize();
    for (QLabel* l : {MenuPanel, NamePanel, FunctionLabel, ValuesLabel, DefaultLabel, AdviceLabel})
        l->clear();
    ValueEdit->hide();
    ValueGroup->hide();
    ValueBox->hide();
    ValueCheckBox->hide();
    ValuesLabel2->setVisible(ShowLabels);
    DefaultLabel2->setVisible(ShowLabels);
}

int TMenuForm::ValueGroupIndex() const
{
    return ValueGroupButtons->checkedId();
}

void TMenuForm::SetValueGroupIndex(int index)
{
    QAbstractButton* button = ValueGroupButtons->button(index);
    if (button) {
        button->setChecked(true);
        return;
    }
    // No item: an exclusive group keeps one checked, so it lets go for a moment.
    ValueGroupButtons->setExclusive(false);
    for (QAbstractButton* b : ValueGroupButtons->buttons())
        b->setChecked(false);
    ValueGroupButtons->setExclusive(true);
}

void TMenuForm::FillValueGroup(const QStringList& captions, int selected)
{
    for (QAbstractButton* b : ValueGroupButtons->buttons()) {
        ValueGroupButtons->removeButton(b);
        delete b;
    }
    auto* grid = static_cast<QGridLayout*>(ValueGroup->layout());
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(0);
    const int columns = captions.size() < 10 ? 1 : 2;
    const int rows = (int(captions.size()) + columns - 1) / columns;
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QRadioButton(captions[i], ValueGroup);
        WhiteText(b);
        ValueGroupButtons->addButton(b, i);
        grid->addWidget(b, i % qMax(1, rows), i / qMax(1, rows));
    }
    // Rows share the height from the top, as a radio group spaces its items.
    for (int r = 0; r < grid->rowCount(); ++r)
        grid->setRowStretch(r, 0);
    grid->setRowStretch(rows, 1);
    SetValueGroupIndex(selected);
}

void TMenuForm::TreeView1Change()
{
    QTreeWidgetItem* item = TreeView1->currentItem();
    const int no = ItemMenuNo(item);
    const int index = item ? item->data(0, EntryRole).toInt() : -1;
    if (no > 0 && index >= 0 && index < FEntries.size()) {
        const TMenuEntry& e = FEntries[index];
        ClearMenuDetails(true);
        FSelectedMenuNo = no;
        FSelectedEntry = index;
        FLastMenuNo = no;
        if (FCAT) {
            FCAT->PrepareTX();
            FCAT->MenuSettings()->GetMenu(no);
        }
        SetWaitColor(WaitingColor);
        MenuPanel->setText(e.No);
        NamePanel->setText(e.Name);
        FunctionLabel->setText(e.Func);
        DescriptionLabel->setText(e.Description);
        DescriptionLabel->adjustSize();
        ValuesLabel->clear();
        DefaultLabel->setText(e.Default);
        DefaultLabel->adjustSize();
        AdviceLabel->setText(e.Advice.isEmpty() ? QString() : QStringLiteral("Advice: ") + e.Advice);
        const auto [lo, hi] = IntRange(e);
        if (e.Name == SubBandLevelName) {
            ValuesLabel->setText(e.Values);
            ValueEdit->setRange(lo, hi);
            ValueEdit->setSingleStep(qMax(1, e.Step));
            ValueEdit->setValue(lo);
            ValueEdit->setEnabled(e.DefVal < 1000);
            ValueEdit->show();
            ValueCheckBox->setChecked(e.DefVal == 1000);
            ValueCheckBox->show();
        } else if (e.DataType == QLatin1String("INT")) {
            ValuesLabel->setText(e.Values);
            ValueEdit->setRange(lo, hi);
            ValueEdit->setSingleStep(qMax(1, e.Step));
            // Without a known default the spin edit starts at 0 (or its nearer bound).
            ValueEdit->setValue(e.DefValUnknown ? qBound(lo, 0, hi) : ClampToInt(e.DefVal));
            ValueEdit->setEnabled(true);
            ValueEdit->show();
        } else if (e.DataType == QLatin1String("ENUM")) {
            FillValueGroup(e.Captions(), e.DefValUnknown ? -1 : ClampToInt(e.DefVal));
            ValueGroup->show();
        } else if (e.DataType == QLatin1String("VALS")) {
            ValueBox->clear();
            for (const QString& caption : e.Captions()) {
                auto* it = new QListWidgetItem(caption, ValueBox);
                it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
                it->setCheckState(Qt::Unchecked);
            }
            ValueBox->show();
        }
        ValuesLabel->adjustSize();
    } else {
        ClearMenuDetails(false);
        // Nothing is shown, so nothing can be applied or answered.
        FSelectedMenuNo = 0;
        FSelectedEntry = -1;
    }
    ApplyButton->setEnabled(false);
}

void TMenuForm::ValueChange()
{
    ApplyButton->setEnabled(true);
}

void TMenuForm::ValueCheckBoxClick()
{
    ValueEdit->setEnabled(!ValueCheckBox->isChecked());
    ApplyButton->setEnabled(true);
}

void TMenuForm::MenuSettingsReceived(int MenuNo, const QString& MenuParameter)
{
    const TMenuEntry* e = SelectedEntry();
    if (e && MenuNo == FSelectedMenuNo) {
        bool shown = false;
        if (e->Name == SubBandLevelName) {
            if (const auto v = DecimalTextToInt(MenuParameter)) {
                const bool main = *v == 1000;
                ValueCheckBox->setChecked(main);
                ValueEdit->setEnabled(!main);
                if (!main)
                    ValueEdit->setValue(*v);
                shown = true;
            }
        } else if (e->DataType == QLatin1String("INT")) {
            if (const auto v = DecimalTextToInt(MenuParameter)) {
                ValueEdit->setValue(*v);
                shown = true;
            }
        } else if (e->DataType == QLatin1String("ENUM")) {
            if (IsMenuDigits(MenuParameter) && MenuParameter.size() <= 9) {
                SetValueGroupIndex(MenuParameter.toInt());
                shown = true;
            }
        } else if (e->DataType == QLatin1String("VALS")) {
            if (IsMenuDigits(MenuParameter)) {
                for (int i = 0; i < e->Length && i < ValueBox->count(); ++i)
                    ValueBox->item(i)->setCheckState(i < MenuParameter.size() && MenuParameter[i] == QLatin1Char('1')
                                                         ? Qt::Checked
                                                         : Qt::Unchecked);
                shown = true;
            }
        }
        if (shown)
            SetWaitColor(ReceivedColor);
    }
    ApplyButton->setEnabled(false);
}

QString TMenuForm::ApplyValueText() const
{
    const TMenuEntry* e = SelectedEntry();
    if (!e)
        return {};
    const bool isInt = e->DataType == QLatin1String("INT");
    if (e->Name == SubBandLevelName) {
        if (ValueCheckBox->isChecked())
            return QStringLiteral("1000");
        return e->LengthUnknown ? QString() : FieldValue(e->Length, ValueEdit->value(), e->HasRange() && e->Min < 0);
    }
    // The signed form is a number's: an item 92 of another kind has no spin edit value.
    if (FSelectedMenuNo == SignedMenuNo && isInt)
        return SignedValue(ValueEdit->value());
    // Without the field's length the radio would not take the value.
    if (e->LengthUnknown)
        return {};
    if (isInt)
        return FieldValue(e->Length, ValueEdit->value(), e->HasRange() && e->Min < 0);
    if (e->DataType == QLatin1String("ENUM")) {
        const int index = ValueGroupIndex();
        return index < 0 ? QString() : IntToZeroPadded(e->Length, index);
    }
    if (e->DataType == QLatin1String("VALS")) {
        QString s;
        for (int i = 0; i < e->Length; ++i)
            s += i < ValueBox->count() && ValueBox->item(i)->checkState() == Qt::Checked ? QLatin1Char('1')
                                                                                         : QLatin1Char('0');
        return s;
    }
    return {};
}

void TMenuForm::ApplyButtonClick()
{
    if (FSelectedMenuNo <= 0 || !FCAT)
        return;
    const QString value = ApplyValueText();
    if (value.isEmpty())
        return;
    const QString item = QString::asprintf("EX%.3d", FSelectedMenuNo);
    FCAT->PrepareTX();
    FCAT->SendCATCommand(item + value);
    FCAT->PrepareTX();
    FCAT->SendCATCommand(item);
}

int ShowTransceiverMenu(TFTCATInterface* cat, int lastMenuNo, QWidget* owner)
{
    if (!cat || MenuDefinitionFileName(cat->Transceiver()).isEmpty()) {
        QMessageBox::information(owner, QStringLiteral("Transceiver Menu"),
                                 QStringLiteral("Menu settings only supported for FT-2000 and FT DX 5000"));
        return lastMenuNo;
    }
    TMenuForm form(cat, owner);
    form.SetLastMenuNo(lastMenuNo);
    form.FindLastMenuNo();
    form.exec();
    return form.LastMenuNo();
}
