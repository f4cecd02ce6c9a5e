#include "log/widgets/CabrilloExportForm.h"

#include "controls/widgets/UpperCaseValidator.h"
#include "log/LogInterface.h"
#include "log/LogLines.h"
#include "log/LogRecord.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const Contests[] = {
    "AP-SPRINT",    "ARRL-10",      "ARRL-160",    "ARRL-DX-CW",     "ARRL-DX-SSB",    "ARRL-SS-CW",
    "ARRL-SS-SSB",  "ARRL-UHF-AUG", "ARRL-VHF-JAN", "ARRL-VHF-JUN",  "ARRL-VHF-SEP",   "ARRL-RTTY",
    "CQ-160-CW",    "CQ-160-SSB",   "CQ-WPX-CW",   "CQ-WPX-RTTY",    "CQ-WPX-SSB",     "CQ-VHF",
    "CQ-WW-CW",     "CQ-WW-RTTY",   "CQ-WW-SSB",   "IARU-HF",        "JIDX-CW",        "JIDX-SSB",
    "NAQP-CW",      "NAQP-SSB",     "NA-SPRINT-CW", "NA-SPRINT-SSB", "NEQP",           "OCEANIA-DX-CW",
    "OCEANIA-DX-SSB", "SAC-CW",     "SAC-SSB",     "STEW-PERRY"};
const char* const Operators[] = {"SINGLE-OP", "MULTI-OP", "CHECKLOG"};
const char* const Transmitters[] = {"ONE", "TWO", "LIMITED", "UNLIMITED", "SWL"};
const char* const Assisted[] = {"ASSISTED", "NON-ASSISTED"};
const char* const Bands[] = {"ALL",  "160M", "80M",  "40M",  "20M", "15M", "10M", "6M",   "2M",   "222",  "432",  "902",
                             "1.2G", "2.3G", "3.4G", "5.7G", "10G", "24G", "47G", "75G", "119G", "142G", "241G", "LIGHT"};
const char* const Powers[] = {"HIGH", "LOW", "QRP"};
const char* const Modes[] = {"SSB", "CW", "RTTY", "MIXED"};
const char* const Stations[] = {"FIXED", "MOBILE", "PORTABLE", "ROVER", "EXPEDITION", "HQ", "SCHOOL"};

// Each header row is this high, as the dialog was laid out.
constexpr int RowHeight = 27;

template <size_t N>
QComboBox* NewChoices(QWidget* parent, const char* const (&choices)[N])
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const char* c : choices)
        box->addItem(QLatin1String(c));
    box->setCurrentIndex(-1);
    box->lineEdit()->setValidator(new TUpperCaseValidator(box));
    return box;
}

} // namespace

TCabrilloExportForm::TCabrilloExportForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export Cabrillo"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    setFont(font);

    auto* headerBox = new QGroupBox(QStringLiteral(" Cabrillo Header "), this);
    headerBox->setFixedWidth(289);
    auto* form = new QFormLayout(headerBox);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(RowHeight - 23);
    form->setContentsMargins(8, 10, 8, 8);

    ContestComboBox = NewChoices(headerBox, Contests);
    CallsignEdit = new QLineEdit(headerBox);
    CallsignEdit->setMaxLength(16);
    CallsignEdit->setValidator(new TUpperCaseValidator(CallsignEdit));
    CategoryOperatorEdit = NewChoices(headerBox, Operators);
    CategoryTransmitterComboBox = NewChoices(headerBox, Transmitters);
    CategoryAssistedComboBox = NewChoices(headerBox, Assisted);
    CategoryBandComboBox = NewChoices(headerBox, Bands);
    CategoryPowerComboBox = NewChoices(headerBox, Powers);
    CategoryModeComboBox = NewChoices(headerBox, Modes);
    CategoryStationComboBox = NewChoices(headerBox, Stations);
    ClubEdit = new QLineEdit(headerBox);
    NameEdit = new QLineEdit(headerBox);
    AddressMemo = new QPlainTextEdit(headerBox);
    AddressMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    AddressMemo->setFixedHeight(61);

    const std::pair<const char*, QWidget*> rows[] = {
        {"Contest:", ContestComboBox},
        {"Callsign:", CallsignEdit},
        {"Operator:", CategoryOperatorEdit},
        {"Transmitter:", CategoryTransmitterComboBox},
        {"Assisted:", CategoryAssistedComboBox},
        {"Band:", CategoryBandComboBox},
        {"Power:", CategoryPowerComboBox},
        {"Mode:", CategoryModeComboBox},
        {"Station:", CategoryStationComboBox},
        {"Club:", ClubEdit},
        {"Name:", NameEdit},
        {"Address:", AddressMemo},
    };
    for (const auto& [label, control] : rows) {
        auto* l = new QLabel(QLatin1String(label), headerBox);
        l->setBuddy(control);
        if (control == AddressMemo)
            l->setAlignment(Qt::AlignRight | Qt::AlignTop); // at the top of its memo
        else
            control->setFixedHeight(23);
        form->addRow(l, control);
    }

    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setPointSize(8);
    Memo1->setFont(fixed);

    CabrilloButton = new QPushButton(QStringLiteral("Preview"), this);
    ResultLabel = new QLabel(this);
    ResultLabel->setObjectName(QStringLiteral("ResultLabel"));
    OKButton = new QPushButton(QStringLiteral("&Save"), this);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    connect(CabrilloButton, &QPushButton::clicked, this, [this] { CabrilloButtonClick(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(headerBox, 0, Qt::AlignTop);
    top->addWidget(Memo1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CabrilloButton);
    buttons->addSpacing(8);
    buttons->addWidget(ResultLabel, 1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 8);
    main->addLayout(top, 1);
    main->addLayout(buttons);

    setMinimumSize(783, 444);
    resize(783, 444);
}

TCabrilloExportForm::~TCabrilloExportForm() = default;

void TCabrilloExportForm::Initialize()
{
    if (!FLogInterface)
        return;
    const TCabrilloHeader& h = FLogInterface->CabrilloHeader();
    ContestComboBox->setEditText(h.Contest());
    CallsignEdit->setText(h.Callsign());
    CategoryOperatorEdit->setEditText(h.CategoryOperator());
    CategoryTransmitterComboBox->setEditText(h.CategoryTransmitter());
    CategoryAssistedComboBox->setEditText(h.CategoryAssisted());
    CategoryBandComboBox->setEditText(h.CategoryBand());
    CategoryPowerComboBox->setEditText(h.CategoryPower());
    CategoryModeComboBox->setEditText(h.CategoryMode());
    CategoryStationComboBox->setEditText(h.CategoryStation());
    ClubEdit->setText(h.Club());
    NameEdit->setText(h.Name());
    for (const QString& line : h.Address())
        AddressMemo->appendPlainText(line);
}

TCabrilloHeader TCabrilloExportForm::ControlsHeader() const
{
    TCabrilloHeader h;
    h.SetContest(ContestComboBox->currentText());
    h.SetCallsign(CallsignEdit->text());
    h.SetCategoryOperator(CategoryOperatorEdit->currentText());
    h.SetCategoryTransmitter(CategoryTransmitterComboBox->currentText());
    h.SetCategoryAssisted(CategoryAssistedComboBox->currentText());
    h.SetCategoryBand(CategoryBandComboBox->currentText());
    h.SetCategoryPower(CategoryPowerComboBox->currentText());
    h.SetCategoryMode(CategoryModeComboBox->currentText());
    h.SetCategoryStation(CategoryStationComboBox->currentText());
    h.SetClub(ClubEdit->text());
    h.SetName(NameEdit->text());
    QStringList address = AddressMemo->toPlainText().split(QLatin1Char('\n'));
    // A memo ended by a line break holds no empty last line.
    if (!address.isEmpty() && address.last().isEmpty())
        address.removeLast();
    h.SetAddress(address);
    return h;
}

int TCabrilloExportForm::PrepareCabrillo()
{
    Memo1->clear();
    TLogRecord record;
    TCabrilloLog log = BuildCabrilloLog(ControlsHeader(), FLogBook, record);
    FQSOList = log.Lines;
    FResultText = log.ResultText();
    if (log.QSOs == 0) {
        Memo1->setPlainText(FResultText);
        ResultLabel->clear();
        OKButton->setEnabled(false);
        CabrilloButton->setEnabled(false);
    } else {
        Memo1->setPlainText(FQSOList.join(QLatin1Char('\n')));
        ResultLabel->setText(FResultText);
    }
    return log.QSOs;
}

void TCabrilloExportForm::CabrilloButtonClick()
{
    PrepareCabrillo();
    OKButton->setFocus();
}

void TCabrilloExportForm::OKButtonClick()
{
    // Save writes what the dialog shows, prepared now when Preview was not pressed.
    if (FQSOList.isEmpty() && PrepareCabrillo() == 0)
        return;
    if (QString error; !vx::loglines::WriteTextFile(FFilename, FQSOList, error)) {
        Memo1->appendPlainText(QStringLiteral("Saving %1 failed: %2").arg(QFileInfo(FFilename).fileName(), error));
        return;
    }
    StoreHeader();
    accept();
}

void TCabrilloExportForm::CancelButtonClick()
{
    reject();
}

void TCabrilloExportForm::StoreHeader()
{
    if (!FLogInterface)
        return;
    TCabrilloHeader& h = FLogInterface->CabrilloHeader();
    TCabrilloHeader c = ControlsHeader();
    // What the dialog does not show stays as it is.
    c.SetFilepath(h.Filepath());
    c.SetCategoryOverlay(h.CategoryOverlay());
    c.SetCategoryTime(h.CategoryTime());
    h = c;
}
