#include "client/widgets/SettingsDXPages.h"

#include "core/DataFiles.h"
#include "dx/widgets/WantedDXCCStringGrid.h"
#include "dx/widgets/WantedSpotsStringGrid.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextStream>
#include <QValidator>
#include <algorithm>

namespace {

constexpr int Margin = 8;
constexpr int Top = 33;
constexpr int ContentWidth = TSettingsFrame::FrameWidth - 2 * Margin;

QSpinBox* NewSpin(QWidget* parent, int x, int y, int min, int max, int step, int value)
{
    auto* spin = new QSpinBox(parent);
    spin->setGeometry(x, y, 70, 22);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    spin->setValue(value);
    return spin;
}

QLineEdit* NewEdit(QWidget* parent, int x, int y, int width)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(x, y, width, 22);
    return edit;
}

// Keeps the digits of whatever is typed or pasted and shows them in the edge's pattern.
class TBandplanValidator : public QValidator {
public:
    TBandplanValidator(QString pattern, QObject* parent)
        : QValidator(parent)
        , FPattern(std::move(pattern))
    {
    }
    State validate(QString& input, int& pos) const override
    {
        const int places = int(FPattern.count(QLatin1Char('9')));
        QString digits;
        int digitsBeforeCaret = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (!input[i].isDigit() || input[i].unicode() > 127)
                continue;
            digits += input[i];
            if (i < pos)
                ++digitsBeforeCaret;
        }
        if (digits.size() > places) {
            digits.truncate(places);
            digitsBeforeCaret = std::min(digitsBeforeCaret, places);
        }
        input = TBandplanEdit::Format(FPattern, digits);
        // The caret stays behind the same digit.
        int seen = 0;
        pos = 0;
        while (pos < input.size() && seen < digitsBeforeCaret) {
            if (input[pos].isDigit())
                ++seen;
            ++pos;
        }
        return Acceptable;
    }

private:
    QString FPattern;
};

} // namespace

// --- Node picker ----------------------------------------------------------------------------

TSettingsDXClusterSelectForm::TSettingsDXClusterSelectForm(QWidget* owner, const QString& path)
    : TDPIForm(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SettingsDXClusterSelectForm"));
    setWindowTitle(QStringLiteral("Select DX Cluster"));
    setFixedSize(520, 330);

    DXCGrid = new QTableWidget(this);
    DXCGrid->setGeometry(8, 8, 504, 276);
    DXCGrid->setColumnCount(4);
    DXCGrid->setHorizontalHeaderLabels(
        {QStringLiteral("DX Cluster"), QStringLiteral("URL"), QStringLiteral("Port"), QStringLiteral("Type")});
    DXCGrid->verticalHeader()->hide();
    DXCGrid->verticalHeader()->setDefaultSectionSize(16);
    DXCGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DXCGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    DXCGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    DXCGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);

    Label1 = new QLabel(this);
    Label1->setGeometry(8, 296, 300, 22);
    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setGeometry(358, 295, 75, 25);
    OKButton->setDefault(true);
    OKButton->setEnabled(false);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setGeometry(437, 295, 75, 25);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(DXCGrid, &QTableWidget::cellClicked, this, [this] { OKButton->setEnabled(true); });
    connect(DXCGrid, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });

    Load(path.isEmpty() ? GetCommonDataFileName(FileName) : path);
}

void TSettingsDXClusterSelectForm::Load(const QString& path)
{
    // One empty row always follows the nodes.
    DXCGrid->setRowCount(1);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Label1->setText(QStringLiteral("File %1 not found!").arg(QFileInfo(path).fileName()));
    } else {
        int lines = 0;
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.trimmed().isEmpty())
                continue;
            ++lines;
            const QStringList parts = line.split(QLatin1Char(';'));
            QStringList cells;
            if (parts.size() < 2) {
                // No separator: no name, so the row cannot be taken; the text stays visible.
                cells = {QString(), QString(), QStringLiteral("23"), line};
            } else {
                const QString port = parts.value(2).trimmed();
                cells = {parts[0].trimmed(), parts[1].trimmed(), port.isEmpty() ? QStringLiteral("23") : port,
                         parts.mid(3).join(QLatin1Char(';'))};
            }
            const int row = DXCGrid->rowCount() - 1;
            for (int c = 0; c < 4; ++c)
                DXCGrid->setItem(row, c, new QTableWidgetItem(cells[c]));
            DXCGrid->setRowCount(row + 2);
        }
        Label1->setText(QStringLiteral("%1 entries").arg(lines));
    }
    // Every column as wide as its widest text, header included.
    const QFontMetrics metrics(DXCGrid->font());
    for (int c = 0; c < 4; ++c) {
        int width = metrics.horizontalAdvance(DXCGrid->horizontalHeaderItem(c)->text());
        for (int r = 0; r < DXCGrid->rowCount(); ++r)
            if (const QTableWidgetItem* item = DXCGrid->item(r, c))
                width = std::max(width, metrics.horizontalAdvance(item->text()));
        DXCGrid->setColumnWidth(c, width + 5 + 8);
    }
}

QStringList TSettingsDXClusterSelectForm::SelectedNode() const
{
    const int row = DXCGrid->currentRow();
    if (row < 0)
        return {};
    QStringList node;
    for (int c = 0; c < 4; ++c) {
        const QTableWidgetItem* item = DXCGrid->item(row, c);
        node << (item ? item->text() : QString());
    }
    return node;
}

// --- DX Cluster -----------------------------------------------------------------------------

TSettingsDXClusterFrame::TSettingsDXClusterFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("DX Cluster (Telnet)"), parent)
{
    // The captions are measured: the edits of the left column start clear of the widest one,
    // and the captions of the right column end clear of their edits.
    constexpr int gap = 8;
    constexpr int nameRight = 302;
    constexpr int callRight = 192;
    DXClusterNameEdit = NewEdit(this, 0, Top, 0);
    QLabel* name = NewBuddyLabel(this, QStringLiteral("&Name"), DXClusterNameEdit, Margin, Top + 4);
    DXClustersButton = new QPushButton(QStringLiteral("..."), this);
    DXClustersButton->setGeometry(nameRight + 4, Top, 25, 22);
    DXClustersButton->setToolTip(QStringLiteral("Select DX Cluster"));

    DXClusterHostEdit = NewEdit(this, 0, Top + 26, 0);
    QLabel* address = NewBuddyLabel(this, QStringLiteral("&Address"), DXClusterHostEdit, Margin, Top + 30);
    DXClusterPortEdit = NewNumberEdit(this, 364, Top + 26, 60);
    QLabel* port = NewBuddyLabel(this, QStringLiteral("&Port"), DXClusterPortEdit, 0, Top + 30);
    port->move(DXClusterPortEdit->x() - gap - port->width(), port->y());

    DXClusterCallEdit = NewEdit(this, 0, Top + 52, 0);
    QLabel* call = NewBuddyLabel(this, QStringLiteral("&User name"), DXClusterCallEdit, Margin, Top + 56);
    DXClusterPasswordEdit = NewEdit(this, 264, Top + 52, 160);
    QLabel* password = NewBuddyLabel(this, QStringLiteral("Pass&word"), DXClusterPasswordEdit, 0, Top + 56);
    password->move(DXClusterPasswordEdit->x() - gap - password->width(), password->y());

    int left = 72;
    for (const QLabel* label : {name, address, call})
        left = std::max(left, label->x() + label->width() + gap);
    DXClusterNameEdit->setGeometry(left, Top, nameRight - left, 22);
    DXClusterHostEdit->setGeometry(left, Top + 26, nameRight - left, 22);
    DXClusterCallEdit->setGeometry(left, Top + 52, callRight - left, 22);

    DXClusterCheckBox = NewCheckBox(this, QStringLiteral("Auto-connect to &DX Telnet Cluster"), Margin, Top + 80);

    NewLabel(this, QStringLiteral("Commands to send when the connection is established"), Margin, Top + 104);
    CommandsMemo = new QPlainTextEdit(this);
    CommandsMemo->setGeometry(Margin, Top + 122, 220, 142);
    CommandsMemo->setLineWrapMode(QPlainTextEdit::NoWrap);

    const auto command = [this](int index, const QString& text) {
        const int y = Top + 122 + (index - 1) * 48;
        QLineEdit* edit = NewEdit(this, 240, y + 16, 184);
        edit->setMaxLength(50);
        edit->setText(text);
        NewBuddyLabel(this, QStringLiteral("Command Button %1").arg(index), edit, 240, y);
        return edit;
    };
    Command1Edit = command(1, QStringLiteral("SH/DX"));
    Command2Edit = command(2, QStringLiteral("SH/WWV"));
    Command3Edit = command(3, QStringLiteral("SH/U"));

    connect(DXClustersButton, &QPushButton::clicked, this, [this] { DXClustersButtonClick(); });
}

QStringList TSettingsDXClusterFrame::Commands() const
{
    QStringList commands;
    for (const QString& line : CommandsMemo->toPlainText().split(QLatin1Char('\n'))) {
        const QString command = line.trimmed();
        if (!command.isEmpty())
            commands << command;
    }
    return commands;
}

void TSettingsDXClusterFrame::DXClustersButtonClick()
{
    TSettingsDXClusterSelectForm form(window());
    if (form.exec() == QDialog::Accepted)
        TakeNode(form.SelectedNode());
}

bool TSettingsDXClusterFrame::TakeNode(const QStringList& node)
{
    if (node.value(0).isEmpty())
        return false;
    DXClusterNameEdit->setText(node.value(0));
    DXClusterHostEdit->setText(node.value(1));
    DXClusterPortEdit->setText(node.value(2));
    Fire(OnPicked);
    DXClusterNameEdit->setFocus();
    return true;
}

// --- DX Cluster Options ---------------------------------------------------------------------

TSettingsFilterFrame::TSettingsFilterFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("DX Cluster Tab Options"), parent)
{
    NewText(this,
            QStringLiteral("DX Cluster spots in the DX Cluster Tab can be filtered on the bands which are checked "
                           "here. \n\nThey are however always listed in the DX Spots Tab."),
            Margin, Top, ContentWidth, 54);
    QGroupBox* bands = NewGroupBox(QStringLiteral(" Show &Bands in the DX Cluster Tab "), Margin, Top + 54, ContentWidth, 72);
    const char* captions[] = {"All &Bands", "160m", "80m", "60m", "40m", "30m", "20m", "17m", "15m", "12m", "10m", "6m"};
    for (int i = 0; i < 12; ++i)
        CheckBoxes[size_t(i)] = NewCheckBox(bands, QString::fromLatin1(captions[i]), 12 + (i % 4) * 104, 18 + (i / 4) * 17);
    connect(CheckBoxes[0], &QCheckBox::clicked, this, [this](bool checked) {
        if (checked)
            for (size_t i = 1; i < CheckBoxes.size(); ++i)
                CheckBoxes[i]->setChecked(true);
    });
    for (size_t i = 1; i < CheckBoxes.size(); ++i)
        connect(CheckBoxes[i], &QCheckBox::clicked, this, [this](bool checked) {
            if (!checked)
                CheckBoxes[0]->setChecked(false);
        });

    FilterSpotsRadioGroup = new TRadioGroup(QStringLiteral(" Show &Spots in the DX Cluster Tab "),
                                            {QStringLiteral("all"), QStringLiteral("outside of your own continent"),
                                             QStringLiteral("outside of your own country")},
                                            this);
    FilterSpotsRadioGroup->setGeometry(Margin, Top + 130, ContentWidth, 76);
    MaxTelnetSpotsEdit = NewSpin(this, 150, Top + 212, 0, 10000, 100, 1000);
    NewBuddyLabel(this, QStringLiteral("&Maximum no. of spots"), MaxTelnetSpotsEdit, Margin, Top + 216);
    NewestSpotsFirstCB = NewCheckBox(this, QStringLiteral("Show newest spots on top of the DX Cluster Tab"), Margin, Top + 240);
}

// --- DX Spots Options -----------------------------------------------------------------------

TSettingsDXSpotsFrame::TSettingsDXSpotsFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("DX Spots Tab Options"), parent)
{
    DXSpotsLifetimeEdit = NewSpin(this, 130, Top + 4, 15, 300, 15, 60);
    NewBuddyLabel(this, QStringLiteral("DX Spots &Lifetime"), DXSpotsLifetimeEdit, Margin, Top + 8);
    NewLabel(this, QStringLiteral("in minutes"), 206, Top + 8);
    CheckBoxLogSearch = NewCheckBox(this, QStringLiteral("Search Log for band AND mode"), Margin, Top + 40);
    CheckBoxLogSearch->setChecked(true);
}

// --- Wanted lists ---------------------------------------------------------------------------

TSettingsWantedDXCCFrame::TSettingsWantedDXCCFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Wanted DXCC Entities"), parent)
{
    WantedDXCCStringGrid = new TWantedDXCCStringGrid(this);
    WantedDXCCStringGrid->setGeometry(Margin, Top, ContentWidth, 240);
    Label1 = NewLabel(this, QString(), Margin, Top + 248, ContentWidth);
    WantedDXCCStringGrid->OnDXCCEntitySelect = [this](int, const QString& entity) { Label1->setText(entity); };
}

TSettingsWantedSpotsFrame::TSettingsWantedSpotsFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Wanted DX Spots"), parent)
{
    NewText(this,
            QStringLiteral("Enter a list of wanted call signs filtered from the DX spots and click on the needed bands"),
            Margin, Top, ContentWidth, 30);
    WantedSpotsStringGrid = new TWantedSpotsStringGrid(this);
    WantedSpotsStringGrid->setGeometry(Margin, Top + 32, ContentWidth, 206);
    const auto button = [this](const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(x, Top + 244, 90, 25);
        return b;
    };
    AddRowsButton = button(QStringLiteral("Add rows"), Margin);
    DeleteRowButton = button(QStringLiteral("Delete row"), Margin + 96);
    ClearListButton = button(QStringLiteral("Clear list"), Margin + 192);
    connect(AddRowsButton, &QPushButton::clicked, WantedSpotsStringGrid, [this] { WantedSpotsStringGrid->AddRows(); });
    connect(DeleteRowButton, &QPushButton::clicked, WantedSpotsStringGrid,
            [this] { WantedSpotsStringGrid->RemoveRow(); });
    connect(ClearListButton, &QPushButton::clicked, WantedSpotsStringGrid, [this] { WantedSpotsStringGrid->Clear(); });
}

// --- Band Map -------------------------------------------------------------------------------

TSettingsBandmapFrame::TSettingsBandmapFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Bandmap Options"), parent)
{
    LifetimeEdit = NewSpin(this, 150, Top + 4, 15, 180, 10, 30);
    NewBuddyLabel(this, QStringLiteral("&Bandmap Spot Lifetime"), LifetimeEdit, Margin, Top + 8);
    NewLabel(this, QStringLiteral("in minutes"), 226, Top + 8);
    RefreshTimeEdit = NewSpin(this, 150, Top + 34, 0, 3000, 100, 0);
    NewBuddyLabel(this, QStringLiteral("Bandmap &Refresh"), RefreshTimeEdit, Margin, Top + 38);
    NewText(this, QStringLiteral("in msec (set a value higher than 0 for slow graphic cards)"), 226, Top + 38, 200, 30);
}

// --- Band Plan ------------------------------------------------------------------------------

TBandplanEdit::TBandplanEdit(const QString& pattern, QWidget* parent)
    : QLineEdit(parent)
    , FPattern(pattern)
{
    if (!pattern.isEmpty()) {
        setValidator(new TBandplanValidator(pattern, this));
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}

QString TBandplanEdit::Format(const QString& pattern, const QString& digits)
{
    QString out;
    int d = int(digits.size()) - 1;
    for (int p = int(pattern.size()) - 1; p >= 0 && d >= 0; --p) {
        if (pattern[p] == QLatin1Char('9'))
            out.prepend(digits[d--]);
        else if (d >= 0)
            out.prepend(pattern[p]);
    }
    return out;
}

QString TBandplanEdit::Digits() const
{
    if (FPattern.isEmpty())
        return text();
    QString digits;
    for (QChar ch : text())
        if (ch.isDigit())
            digits += ch;
    return digits;
}

void TBandplanEdit::SetDigits(const QString& digits)
{
    setText(FPattern.isEmpty() ? digits : Format(FPattern, digits));
}

TSettingsBandplanFrame::TSettingsBandplanFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Band Plan"), parent)
{
    static const char* bands[Rows] = {"160m", "80m", "60m", "40m", "30m", "20m", "17m", "15m", "12m", "10m", "6m"};
    constexpr int editWidth = 54;
    constexpr int pairWidth = editWidth * 2 + 12;
    constexpr int firstPair = 52;
    const char* modes[] = {"CW", "Phone", "Digital"};
    for (int m = 0; m < 3; ++m) {
        QLabel* header = NewLabel(this, QString::fromLatin1(modes[m]), firstPair + m * (pairWidth + 8), Top, pairWidth);
        header->setAlignment(Qt::AlignCenter);
    }
    // The 60 m row, in steps of 100 Hz, sits below the others.
    int line = 0;
    for (int row = 1; row <= Rows; ++row) {
        const bool sixty = row == 3;
        const int y = sixty ? Top + 18 + 10 * 21 + 8 : Top + 18 + (line++) * 21;
        NewLabel(this, QString::fromLatin1(bands[row - 1]), Margin, y + 3, 40);
        const QString pattern = sixty ? QStringLiteral("9.999.9") : row <= 4 ? QStringLiteral("9.999")
                                                                                 : QStringLiteral("99.999");
        for (int column = 1; column <= Columns; ++column) {
            const bool phone30 = row == 5 && (column == 3 || column == 4);
            auto* edit = new TBandplanEdit(phone30 ? QString() : pattern, this);
            edit->setObjectName(QStringLiteral("BP%1%2").arg(row).arg(column));
            const int pair = (column - 1) / 2;
            const int x = firstPair + pair * (pairWidth + 8) + ((column - 1) % 2) * (editWidth + 12);
            edit->setGeometry(x, y, editWidth, 20);
            edit->setEnabled(!phone30);
            FEdits[size_t(row - 1)][size_t(column - 1)] = edit;
            if (column % 2 == 1) {
                QLabel* dash = NewLabel(this, QStringLiteral("-"), x + editWidth, y + 3, 12);
                dash->setAlignment(Qt::AlignHCenter);
            }
        }
    }
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(Margin, Top + 18 + 10 * 21 + 1, ContentWidth, 4);
}
