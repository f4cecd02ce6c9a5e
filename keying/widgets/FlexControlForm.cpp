#include "keying/widgets/FlexControlForm.h"

#include "controls/widgets/ArtRegistry.h"
#include "controls/widgets/FixedLayout.h"
#include "keying/DMFlexControl.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

namespace {

constexpr QSize LEDSize(33, 14);

void PaintLED(QPainter& p, const QSize& s, QColor fill)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(96, 96, 96), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, s.width() - 1.0, s.height() - 1.0), 5.0, 5.0);
}

// One LED of the legend, lit or dark.
class TLegendLED : public QWidget {
public:
    TLegendLED(bool lit, QWidget* parent)
        : QWidget(parent)
        , FLit(lit)
    {
        setFixedSize(LEDSize);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        vx::art::Draw(p, QPointF(0, 0),
                      FLit ? QStringLiteral("FLEXCONTROL_LED_ON") : QStringLiteral("FLEXCONTROL_LED_OFF"));
    }

private:
    bool FLit;
};

} // namespace

void RegisterFlexControlArt()
{
    static const bool registered = [] {
        vx::art::Register(QStringLiteral("FLEXCONTROL_LED_ON"), LEDSize,
                          [](QPainter& p, const QSize& s) { PaintLED(p, s, Qt::white); });
        vx::art::Register(QStringLiteral("FLEXCONTROL_LED_OFF"), LEDSize,
                          [](QPainter& p, const QSize& s) { PaintLED(p, s, QColor(160, 160, 160)); });
        return true;
    }();
    (void)registered;
}

TFlexControlForm::TFlexControlForm(TDMFlexControl* module, QWidget* parent)
    : QDialog(parent)
    , FModule(module)
{
    RegisterFlexControlArt();
    setWindowTitle(QStringLiteral("FlexControl USB Tuning Knob Settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // "MS Sans Serif" 11 pixels.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(570, 371);

    GroupBox1 = new QGroupBox(QStringLiteral(" AUX Button Settings "), this);
    GroupBox1->setGeometry(9, 8, 553, 121);
    NewLabel(GroupBox1, QStringLiteral("Single Click"), 8, 33);
    NewLabel(GroupBox1, QStringLiteral("Double Click"), 8, 60);
    NewLabel(GroupBox1, QStringLiteral("Long Click"), 8, 86);
    const int columns[3] = {88, 239, 390};

    GroupBox2 = new QGroupBox(QStringLiteral(" Knob Settings "), this);
    GroupBox2->setGeometry(9, 135, 553, 98);
    for (auto [text, y] : {std::pair{"<   Single Click   >", 19}, {"<   Double Click   >", 45}, {"<    Long Click    >", 71}})
        NewLabel(GroupBox2, QString::fromLatin1(text), columns[1], y, 145)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The combos of slots 1 to 15: the AUX buttons by column in rows of single, double and
    // long clicks, then the knob button's pair in the same rows.
    QComboBox** fields[TDMFlexControl::SlotCount] = {
        &AUX1ComboS, &AUX2ComboS, &AUX3ComboS, &AUX1ComboD,  &AUX2ComboD,  &AUX3ComboD,  &AUX1ComboL, &AUX2ComboL,
        &AUX3ComboL, &KnobComboS1, &KnobComboS2, &KnobComboD1, &KnobComboD2, &KnobComboL1, &KnobComboL2};
    const int auxRows[3] = {30, 57, 83};
    const int knobRows[3] = {16, 42, 68};
    for (int i = 0; i < TDMFlexControl::SlotCount; ++i) {
        *fields[i] = i < 9 ? NewCombo(GroupBox1, columns[i % 3], auxRows[i / 3])
                           : NewCombo(GroupBox2, columns[(i - 9) % 2 * 2], knobRows[(i - 9) / 2]);
        FSlotCombos[i] = *fields[i];
    }

    GroupBox3 = new QGroupBox(QStringLiteral(" LED Status "), this);
    GroupBox3->setGeometry(8, 239, 249, 122);
    BuildLEDLegend();

    sGroupBox1 = new QGroupBox(QStringLiteral(" Accelerated Tuning "), this);
    sGroupBox1->setGeometry(279, 239, 283, 73);
    // The captions sit on the frame line, as the rows placed just below them expect.
    for (QGroupBox* box : {GroupBox1, GroupBox2, GroupBox3, sGroupBox1})
        box->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
            "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; top: 0px; }"));
    SpinEdit1 = new QSpinBox(sGroupBox1);
    SpinEdit1->setGeometry(147, 20, 56, 22);
    SpinEdit1->setRange(TDMFlexControl::MinAccelerationFactor, TDMFlexControl::MaxAccelerationFactor);
    NewLabel(sGroupBox1, QStringLiteral("Max. Tuning Speed:"), 11, 47);
    Label1 = NewLabel(sGroupBox1, QString(), 148, 47, 100);

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setGeometry(279, 330, 75, 25);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelButton->setGeometry(360, 330, 75, 25);
    DefaultsButton = new QPushButton(QStringLiteral("&Defaults"), this);
    DefaultsButton->setGeometry(441, 330, 75, 25);

    for (int slot = 1; slot <= TDMFlexControl::SlotCount; ++slot) {
        QComboBox* combo = SlotCombo(slot);
        combo->addItems(TDMFlexControl::ButtonOptions());
        // A stored number that names no action shows no entry.
        const int action = FModule ? FModule->Slot(slot) : TDMFlexControl::DefaultSlots[slot - 1];
        combo->setCurrentIndex(action >= 0 && action < combo->count() ? action : -1);
    }

    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this] { SpinEdit1Change(); });
    SpinEdit1->setValue(FModule ? FModule->AcceleratedTuningFactor() : TDMFlexControl::DefaultAccelerationFactor);
    SpinEdit1Change();

    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(DefaultsButton, &QPushButton::clicked, this, [this] { DefaultsButtonClick(); });
}

QComboBox* TFlexControlForm::NewCombo(QWidget* parent, int x, int y)
{
    auto* combo = new QComboBox(parent);
    // The longest action names fit the combos' 145 pixels only in the condensed cut.
    QFont narrow = font();
    narrow.setStretch(QFont::Condensed);
    combo->setFont(narrow);
    combo->setGeometry(x, y, 145, 21);
    combo->setMaxVisibleItems(TDMFlexControl::ActionCount);
    return combo;
}

QLabel* TFlexControlForm::NewLabel(QWidget* parent, const QString& text, int x, int y, int width)
{
    return vx::layout::Label(parent, text, x, y, width);
}

void TFlexControlForm::BuildLEDLegend()
{
    // Columns AUX1 to AUX3, one row per meaning; a lit LED is white, a dark one grey.
    const int ledX[3] = {124, 166, 208};
    const char* heads[3] = {"AUX1", "AUX2", "AUX3"};
    for (int c = 0; c < 3; ++c)
        NewLabel(GroupBox3, QString::fromLatin1(heads[c]), ledX[c] - 6, 20, LEDSize.width() + 12)
            ->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    struct Row {
        const char* Text;
        bool Lit[3];
    };
    const Row rows[4] = {
        {"Tune VFO A", {true, false, false}},
        {"Tune VFO B", {false, false, true}},
        {"Tune Clarifier", {true, false, true}},
        {"Accelerated Tuning", {false, true, false}},
    };
    for (int r = 0; r < 4; ++r) {
        const int y = 40 + 19 * r;
        QLabel* label = NewLabel(GroupBox3, QString::fromLatin1(rows[r].Text), 10, y);
        label->move(10, y + (LEDSize.height() - label->height()) / 2);
        for (int c = 0; c < 3; ++c) {
            auto* led = new TLegendLED(rows[r].Lit[c], GroupBox3);
            led->setObjectName(QStringLiteral("LED%1%2").arg(r).arg(c + 1));
            led->move(ledX[c], y);
        }
    }
}

QComboBox* TFlexControlForm::SlotCombo(int Slot) const
{
    return Slot >= 1 && Slot <= TDMFlexControl::SlotCount ? FSlotCombos[Slot - 1] : nullptr;
}

void TFlexControlForm::SpinEdit1Change()
{
    // The dial step a brisk turn (22 events per 250 ms) reaches with this factor.
    Label1->setText(QString::number(TDMFlexControl::AcceleratedDialStep(22, SpinEdit1->value())));
}

void TFlexControlForm::DefaultsButtonClick()
{
    for (int slot = 1; slot <= TDMFlexControl::SlotCount; ++slot)
        SlotCombo(slot)->setCurrentIndex(TDMFlexControl::DefaultSlots[slot - 1]);
    SpinEdit1->setValue(TDMFlexControl::DefaultAccelerationFactor);
}

void TFlexControlForm::OKButtonClick()
{
    if (FModule) {
        for (int slot = 1; slot <= TDMFlexControl::SlotCount; ++slot)
            FModule->SetSlot(slot, SlotCombo(slot)->currentIndex());
        FModule->SetAcceleratedTuningFactor(SpinEdit1->value());
        FModule->IniWrite();
        FModule->Restart();
    }
    accept();
}

void TFlexControlForm::showEvent(QShowEvent* event)
{
    // Centred on the screen the first time it is shown.
    if (!FPlaced) {
        FPlaced = true;
        if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}
