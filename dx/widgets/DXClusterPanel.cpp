#include "dx/widgets/DXClusterPanel.h"
#include "platform/SaveFile.h"

#include "controls/widgets/RCSpeedButton.h"
#include "dx/DXSpots.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Numbers the lines for as long as the program runs; clearing the list does not restart it.
int32_t LineCounter = 0;

const QColor PanelColor(0x41, 0x41, 0x41);
const QColor BarColor(0x38, 0x38, 0x38);
const QColor TextColor(0xC0, 0xC0, 0xC0);
const QColor InfoColor(0x83, 0xDB, 0xFC);
const QColor SelectedText(0xFF, 0xFF, 0xFF);
const QColor SelectedBack(0x26, 0x3E, 0x6E);

// The largest monospaced font whose letters, digits and descenders fit a row.
QFont RowFont(int rowHeight)
{
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    for (int px = rowHeight; px > 6; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).tightBoundingRect(QStringLiteral("AQdgjpy|_[]0")).height() <= rowHeight)
            break;
    }
    return f;
}

class TLineDelegate : public QStyledItemDelegate {
public:
    explicit TLineDelegate(QObject* parent)
        : QStyledItemDelegate(parent)
        , FFont(RowFont(TDXClusterPanel::RowHeight))
    {
        const QRect tight = QFontMetrics(FFont).tightBoundingRect(QStringLiteral("AQdgjpy|_[]0"));
        FBaseline = -tight.top() + (TDXClusterPanel::RowHeight - tight.height()) / 2;
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(option.rect.width(), TDXClusterPanel::RowHeight);
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        p->save();
        p->setClipRect(option.rect);
        p->fillRect(option.rect, selected ? SelectedBack : QColor(Qt::black));
        p->setFont(FFont);
        p->setPen(selected ? SelectedText : index.data(Qt::ForegroundRole).value<QColor>());
        p->drawText(QPoint(option.rect.left() + 4, option.rect.top() + FBaseline), index.data().toString());
        p->restore();
    }

private:
    QFont FFont;
    int FBaseline = 0;
};

QFont DialogFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    return f;
}

TRCPanel* Cell(QWidget* parent, QLabel*& label, const QFont& font)
{
    auto* cell = new TRCPanel(parent);
    cell->SetBevelOuter(bvNone);
    cell->SetColor(Qt::black);
    cell->setFixedHeight(18);
    auto* l = new QHBoxLayout(cell);
    l->setContentsMargins(4, 3, 0, 0);
    label = new QLabel(cell);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, InfoColor);
    label->setPalette(pal);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->addWidget(label, 1);
    return cell;
}

} // namespace

// ---- Lines ------------------------------------------------------------------------------------

int TDXClusterLineModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FLines.size());
}

QVariant TDXClusterLineModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= FLines.size())
        return {};
    const TDXClusterData& d = FLines[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return d.Line;
    case Qt::ForegroundRole:
        return TDXClusterPanel::LineColor(d);
    case LineNoRole:
        return d.LineNo;
    default:
        return {};
    }
}

void TDXClusterLineModel::Add(const TDXClusterData& line, bool onTop)
{
    const int row = onTop ? 0 : int(FLines.size());
    beginInsertRows({}, row, row);
    FLines.insert(row, line);
    endInsertRows();
}

void TDXClusterLineModel::RemoveOldest(int n, bool newestOnTop)
{
    n = std::min(n, int(FLines.size()));
    if (n <= 0)
        return;
    const int first = newestOnTop ? int(FLines.size()) - n : 0;
    beginRemoveRows({}, first, first + n - 1);
    FLines.remove(first, n);
    endRemoveRows();
}

void TDXClusterLineModel::Clear()
{
    beginResetModel();
    FLines.clear();
    endResetModel();
}

void TDXClusterLineModel::SortByLineNo(bool descending)
{
    beginResetModel();
    std::stable_sort(FLines.begin(), FLines.end(), [descending](const TDXClusterData& a, const TDXClusterData& b) {
        return descending ? a.LineNo > b.LineNo : a.LineNo < b.LineNo;
    });
    endResetModel();
}

// ---- Panel ------------------------------------------------------------------------------------

TDXClusterPanel::TDXClusterPanel(QWidget* parent)
    : TRCPanel(parent)
{
    SetColor(PanelColor);
    SetBevelOuter(bvNone);
    resize(489, 657);
    setFont(DialogFont());
    // The console is dark whatever the application's palette: the buttons, the command line
    // and the scroll bars take these colours.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, PanelColor);
    pal.setColor(QPalette::WindowText, TextColor);
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::AlternateBase, Qt::black);
    pal.setColor(QPalette::Text, TextColor);
    pal.setColor(QPalette::Button, QColor(0x50, 0x50, 0x50));
    pal.setColor(QPalette::ButtonText, TextColor);
    pal.setColor(QPalette::Highlight, SelectedBack);
    pal.setColor(QPalette::HighlightedText, SelectedText);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    FLines = new TDXClusterLineModel(this);
    VST = new QListView(this);
    VST->setModel(FLines);
    VST->setItemDelegate(new TLineDelegate(VST));
    VST->setUniformItemSizes(true);
    VST->setFrameShape(QFrame::NoFrame);
    VST->setSelectionMode(QAbstractItemView::SingleSelection);
    VST->setSelectionBehavior(QAbstractItemView::SelectRows);
    VST->setEditTriggers(QAbstractItemView::NoEditTriggers);
    VST->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    VST->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    VST->setDragEnabled(false);
    VST->setContextMenuPolicy(Qt::CustomContextMenu);
    VST->setMinimumWidth(400);
    VST->installEventFilter(this);
    layout->addWidget(VST, 1);

    Panel3 = new TRCPanel(this);
    Panel3->SetBevelOuter(bvNone);
    Panel3->SetColor(BarColor);
    Panel3->setFixedHeight(20);
    auto* info = new QHBoxLayout(Panel3);
    info->setContentsMargins(1, 1, 1, 1);
    info->setSpacing(2);
    QFont infoFont(QStringLiteral("DejaVu Sans Mono"));
    infoFont.setStyleHint(QFont::Monospace);
    infoFont.setPixelSize(11);
    DXInfoPanel1 = Cell(Panel3, DXInfoLabel1, infoFont);
    RCPanel1 = Cell(Panel3, DXInfoLabel2, infoFont);
    RCPanel2 = Cell(Panel3, DXInfoLabel3, infoFont);
    RCPanel3 = Cell(Panel3, DXInfoLabel4, infoFont);
    RCPanel4 = Cell(Panel3, DXInfoLabel5, infoFont);
    RCPanel1->setFixedWidth(45);
    RCPanel2->setFixedWidth(67);
    RCPanel3->setFixedWidth(36);
    RCPanel4->setFixedWidth(138);
    info->addWidget(DXInfoPanel1, 1);
    for (TRCPanel* cell : {RCPanel1, RCPanel2, RCPanel3, RCPanel4})
        info->addWidget(cell);
    layout->addWidget(Panel3);

    CommandPanel = new TRCPanel(this);
    CommandPanel->SetBevelOuter(bvNone);
    CommandPanel->SetColor(BarColor);
    CommandPanel->setFixedHeight(24);
    auto* commands = new QHBoxLayout(CommandPanel);
    commands->setContentsMargins(0, 1, 0, 1);
    commands->setSpacing(2);
    DXCSendEdit = new QComboBox(CommandPanel);
    DXCSendEdit->setEditable(true);
    DXCSendEdit->setInsertPolicy(QComboBox::NoInsert);
    DXCSendEdit->setMaxCount(MaxHistory);
    DXCSendEdit->setFixedHeight(21);
    DXCSendEdit->lineEdit()->installEventFilter(this);
    commands->addWidget(DXCSendEdit, 1);
    auto button = [this, commands] {
        auto* b = new TRCSpeedButton(CommandPanel);
        b->setFixedSize(72, 22);
        b->setAutoRaise(false);
        commands->addWidget(b);
        return b;
    };
    CommandButton1 = button();
    CommandButton2 = button();
    CommandButton3 = button();
    ConnectButton = button();
    layout->addWidget(CommandPanel);
    layout->addSpacing(1);
    setTabOrder(DXCSendEdit, VST);

    PopupMenuDXCluster = new QMenu(this);
    MI1 = PopupMenuDXCluster->addAction(QStringLiteral("Clear all"));
    MI2 = PopupMenuDXCluster->addAction(QStringLiteral("Save to file..."));
    MI3 = PopupMenuDXCluster->addAction(QStringLiteral("Copy to clipboard"));
    MI1->setData(2);
    MI3->setData(4);
    connect(MI1, &QAction::triggered, this, [this] { ClearAll(); });
    connect(MI2, &QAction::triggered, this, [this] { SaveToFileAction(); });
    connect(MI3, &QAction::triggered, this, [this] { CopyToClipboard(); });
    connect(VST, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenuDXCluster->popup(VST->viewport()->mapToGlobal(at)); });
    connect(VST, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) { LineClicked(i.row()); });
    connect(VST, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { TuneTo(i.row()); });
    UpdateMenu();
}

TDXClusterPanel::~TDXClusterPanel()
{
    FLines->Clear();
    if (FDXSpots) {
        FDXSpots->OnDXSpotLookup = nullptr;
        FDXSpots->OnDXClusterAdded = nullptr;
    }
}

QStringList TDXClusterPanel::ClusterCommands() const
{
    QStringList list;
    for (int i = 0; i < DXCSendEdit->count(); ++i)
        list << DXCSendEdit->itemText(i);
    return list;
}

void TDXClusterPanel::SetClusterCommands(const QStringList& Value)
{
    DXCSendEdit->clear();
    DXCSendEdit->addItems(Value.mid(0, MaxHistory));
    DXCSendEdit->setCurrentIndex(-1);
    DXCSendEdit->clearEditText();
}

void TDXClusterPanel::BindAction(QPointer<QAction>& field, TRCSpeedButton* button, QAction* value)
{
    if (field == value)
        return;
    if (field)
        button->removeAction(field);
    field = value;
    if (value)
        button->setDefaultAction(value);
}

void TDXClusterPanel::SetCommand1Action(QAction* Value)
{
    BindAction(FCommand1Action, CommandButton1, Value);
}

void TDXClusterPanel::SetCommand2Action(QAction* Value)
{
    BindAction(FCommand2Action, CommandButton2, Value);
}

void TDXClusterPanel::SetCommand3Action(QAction* Value)
{
    BindAction(FCommand3Action, CommandButton3, Value);
}

void TDXClusterPanel::SetDXClusterConnectAction(QAction* Value)
{
    BindAction(FDXClusterConnectAction, ConnectButton, Value);
}

void TDXClusterPanel::SetDXSpots(TDXSpots* Value)
{
    if (FDXSpots == Value)
        return;
    if (FDXSpots) {
        FDXSpots->OnDXSpotLookup = nullptr;
        FDXSpots->OnDXClusterAdded = nullptr;
    }
    FDXSpots = Value;
    if (!Value)
        return;
    Value->OnDXSpotLookup = [this](const TDXSpot& spot) { DoDXSpotLookup(spot); };
    Value->OnDXClusterAdded = [this](const TDXClusterData& data) { DoDXClusterAdded(data); };
}

void TDXClusterPanel::SetAddSpotsOnTop(bool Value)
{
    if (Value == FAddSpotsOnTop)
        return;
    FAddSpotsOnTop = Value;
    FLines->SortByLineNo(Value);
}

int TDXClusterPanel::Limit() const
{
    return FMaxSpots == 0 || FMaxSpots > uint32_t(MaxLines) ? MaxLines : int(FMaxSpots);
}

QColor TDXClusterPanel::LineColor(const TDXClusterData& line)
{
    if (line.IsWanted && line.IsLogged)
        return QColor(0x00, 0xFF, 0xFF);
    if (line.IsWanted)
        return QColor(0xFF, 0xFF, 0x99);
    if (line.IsLogged)
        return QColor(0x00, 0xFF, 0x99);
    return TextColor;
}

// ---- Lines arriving -----------------------------------------------------------------------------

void TDXClusterPanel::DoDXClusterAdded(const TDXClusterData& Data)
{
    if (FDXSpots) {
        SetAddSpotsOnTop(FDXSpots->NewestSpotsFirst());
        SetMaxtSpots(uint32_t(std::max<int32_t>(0, FDXSpots->MaxTelnetSpots())));
    }
    VST->setUpdatesEnabled(false);
    const int keep = Limit() - 1;
    if (FLines->Count() > keep)
        FLines->RemoveOldest(FLines->Count() - keep, FAddSpotsOnTop);

    QItemSelectionModel* selection = VST->selectionModel();
    const int before = FLines->Count();
    const QModelIndex previous = before == 0 ? QModelIndex() : FLines->index(FAddSpotsOnTop ? 0 : before - 1);
    const bool followed = previous.isValid() && selection->isSelected(previous);

    TDXClusterData line = Data;
    line.LineNo = ++LineCounter;
    FLines->Add(line, FAddSpotsOnTop);
    const QModelIndex newest = FLines->index(FAddSpotsOnTop ? 0 : FLines->Count() - 1);

    if (VST->hasFocus()) {
        selection->setCurrentIndex(newest, QItemSelectionModel::ClearAndSelect);
        if (!followed)
            ClearInfo();
    } else {
        selection->setCurrentIndex(newest, QItemSelectionModel::NoUpdate);
        ClearInfo();
    }
    VST->scrollTo(newest);
    VST->setUpdatesEnabled(true);
    UpdateMenu();
}

void TDXClusterPanel::UpdateMenu()
{
    const bool any = FLines->Count() > 0;
    MI1->setEnabled(any);
    MI2->setEnabled(any);
    MI3->setEnabled(any);
}

// ---- Clicks and keys ----------------------------------------------------------------------------

void TDXClusterPanel::LineClicked(int row)
{
    if (row < 0 || row >= FLines->Count())
        return;
    VST->selectionModel()->setCurrentIndex(FLines->index(row), QItemSelectionModel::ClearAndSelect);
    const TDXClusterData& d = FLines->Line(row);
    if (FDXSpots && !d.Call.isEmpty())
        FDXSpots->DXSpotLookup(d.Call);
    else
        ClearInfo();
}

void TDXClusterPanel::TuneTo(int row)
{
    if (row < 0 || row >= FLines->Count())
        return;
    const TDXClusterData& d = FLines->Line(row);
    if (FDXSpots && d.SpotID > 0)
        FDXSpots->SendSpotToTransceiver(d.SpotID, true, true);
}

bool TDXClusterPanel::eventFilter(QObject* watched, QEvent* event)
{
    const bool enter = event->type() == QEvent::KeyPress
                       && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return
                           || static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
    if (watched == DXCSendEdit->lineEdit() && enter) {
        SendCommandLine();
        return true;
    }
    if (watched == VST) {
        if (enter) {
            const QModelIndexList selected = VST->selectionModel()->selectedRows();
            if (!selected.isEmpty())
                TuneTo(selected.first().row());
            return true;
        }
        // A popup menu borrows the focus and gives it back: that is not leaving the list.
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            VST->clearSelection();
            ClearInfo();
        }
    }
    return TRCPanel::eventFilter(watched, event);
}

void TDXClusterPanel::SendCommandLine()
{
    const QString text = DXCSendEdit->currentText();
    Fire(OnSendToTelnet, text);

    // Spot postings and announcements are not repeated from the history.
    const QString lower = text.toLower();
    const bool keep = !text.isEmpty() && !lower.startsWith(QLatin1String("dx ")) && !lower.startsWith(QLatin1String("d "))
                      && !lower.startsWith(QLatin1String("ann"));
    if (keep) {
        QStringList history = ClusterCommands();
        history.removeAll(text);
        while (history.size() > MaxHistory - 1)
            history.removeLast();
        history.prepend(text);
        SetClusterCommands(history);
    }
    DXCSendEdit->setCurrentIndex(-1);
    DXCSendEdit->clearEditText();
}

// ---- Information bar ----------------------------------------------------------------------------

void TDXClusterPanel::ClearInfo()
{
    for (QLabel* l : {DXInfoLabel1, DXInfoLabel2, DXInfoLabel3, DXInfoLabel4, DXInfoLabel5})
        l->clear();
}

void TDXClusterPanel::DoDXSpotLookup(const TDXSpot& ADXSpot)
{
    if (ADXSpot.Prefix().isEmpty()) {
        ClearInfo();
        return;
    }
    const TRangeUnit unit = FDXSpots ? FDXSpots->RangeUnit() : ruKM;
    DXInfoLabel1->setText(QStringLiteral("%1 %2 %3").arg(ADXSpot.Prefix(), ADXSpot.CountryName(), ADXSpot.CountryRegion()));
    DXInfoLabel2->setText(QStringLiteral("CQ%1").arg(ADXSpot.CQZone()));
    DXInfoLabel3->setText(ADXSpot.GetDistanceSP(unit));
    DXInfoLabel4->setText(QStringLiteral("%1°").arg(ADXSpot.BearingSP()));
    DXInfoLabel5->setText(QStringLiteral("LP: %1 %2°").arg(ADXSpot.GetDistanceLP(unit)).arg(ADXSpot.BearingLP()));
}

// ---- Menu ---------------------------------------------------------------------------------------

void TDXClusterPanel::ClearAll()
{
    FLines->Clear();
    UpdateMenu();
    ClearInfo();
}

QString TDXClusterPanel::LinesText(const QString& eol) const
{
    QString text;
    const int n = FLines->Count();
    for (int i = 0; i < n; ++i)
        text += FLines->Line(FAddSpotsOnTop ? n - 1 - i : i).Line + eol;
    return text;
}

void TDXClusterPanel::CopyToClipboard() const
{
    QApplication::clipboard()->setText(LinesText(QStringLiteral("\r\n")));
}

QString TDXClusterPanel::SaveToFile(const QString& path) const
{
    const QByteArray bytes = LinesText(QStringLiteral("\n")).toUtf8();
    if (const QString error = vx::SaveFileAtomically(path, bytes); !error.isEmpty())
        return QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error);
    return {};
}

void TDXClusterPanel::SaveToFileAction()
{
    QFileDialog dialog(this, QStringLiteral("Save to file"), QDir::currentPath(), QStringLiteral("Text Files (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString error = SaveToFile(dialog.selectedFiles().first());
    if (!error.isEmpty())
        QMessageBox::warning(this, QStringLiteral("Save to file"), error);
}
