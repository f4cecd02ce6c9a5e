// The FlexControl settings dialog: layout and captions, the dial step shown for the factor,
// Defaults, OK and Cancel against the module and the settings store, and an offscreen render.
#include "core/IniStore.h"
#include "keying/widgets/FlexControlForm.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/keying/FlexControlRig.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>

using keyingtest::FlexControlRig;
using vxtest::waitUntil;

namespace {

using FlexControlFormTest = FlexControlRig;

// Every label shows its whole text and every control lies inside its parent.
void ExpectNothingClipped(QWidget& root)
{
    for (QWidget* w : root.findChildren<QWidget*>()) {
        if (w->objectName().startsWith("qt_") || w->window() != &root)
            continue; // the insides of Qt's own controls, the combos' pop-ups
        const QWidget* parent = w->parentWidget();
        EXPECT_TRUE(parent->rect().contains(w->geometry()))
            << w->metaObject()->className() << " " << w->objectName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
            EXPECT_LE(label->fontMetrics().height(), label->height()) << label->text().toStdString();
        }
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox opt;
            opt.initFrom(combo);
            opt.editable = combo->isEditable();
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
            for (int i = 0; i < combo->count(); ++i)
                EXPECT_LE(combo->fontMetrics().horizontalAdvance(combo->itemText(i)), field.width())
                    << combo->itemText(i).toStdString();
        }
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_LE(button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) + 12, button->width())
                << button->text().toStdString();
        }
    }
}

} // namespace

TEST_F(FlexControlFormTest, LayoutCaptionsAndContent)
{
    FC->SetSlot(5, 14); // names no action
    TFlexControlForm form(FC.get());
    EXPECT_EQ(form.windowTitle(), "FlexControl USB Tuning Knob Settings");
    EXPECT_EQ(form.size(), QSize(570, 371));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    EXPECT_EQ(form.GroupBox1->title(), " AUX Button Settings ");
    EXPECT_EQ(form.GroupBox1->geometry(), QRect(9, 8, 553, 121));
    EXPECT_EQ(form.GroupBox2->title(), " Knob Settings ");
    EXPECT_EQ(form.GroupBox2->geometry(), QRect(9, 135, 553, 98));
    EXPECT_EQ(form.GroupBox3->title(), " LED Status ");
    EXPECT_EQ(form.GroupBox3->geometry(), QRect(8, 239, 249, 122));
    EXPECT_EQ(form.sGroupBox1->title(), " Accelerated Tuning ");
    EXPECT_EQ(form.sGroupBox1->geometry(), QRect(279, 239, 283, 73));

    const QPoint at[15] = {{88, 30},  {239, 30}, {390, 30}, {88, 57}, {239, 57}, {390, 57}, {88, 83}, {239, 83},
                           {390, 83}, {88, 16},  {390, 16}, {88, 42}, {390, 42}, {88, 68},  {390, 68}};
    for (int slot = 1; slot <= 15; ++slot) {
        SCOPED_TRACE(slot);
        QComboBox* combo = form.SlotCombo(slot);
        EXPECT_EQ(combo->parentWidget(), slot <= 9 ? form.GroupBox1 : form.GroupBox2);
        EXPECT_EQ(combo->pos(), at[slot - 1]);
        EXPECT_EQ(combo->width(), 145);
        EXPECT_FALSE(combo->isEditable());
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        EXPECT_EQ(items, TDMFlexControl::ButtonOptions());
        EXPECT_EQ(combo->currentIndex(), slot == 5 ? -1 : TDMFlexControl::DefaultSlots[slot - 1]);
    }
    EXPECT_EQ(form.AUX2ComboL->currentText(), "Tuning Acceleration");
    EXPECT_EQ(form.KnobComboS2->currentText(), "Tune VFO B");

    QStringList texts;
    for (QLabel* l : form.GroupBox2->findChildren<QLabel*>())
        texts << l->text();
    EXPECT_EQ(texts, (QStringList{"<   Single Click   >", "<   Double Click   >", "<    Long Click    >"}));
    for (QLabel* l : form.GroupBox2->findChildren<QLabel*>())
        EXPECT_EQ(l->geometry().left(), 239);

    EXPECT_EQ(form.SpinEdit1->geometry().topLeft(), QPoint(147, 20));
    EXPECT_EQ(form.SpinEdit1->minimum(), 23);
    EXPECT_EQ(form.SpinEdit1->maximum(), 40);
    EXPECT_EQ(form.SpinEdit1->value(), 31);
    EXPECT_EQ(form.Label1->pos(), QPoint(148, 47));
    EXPECT_EQ(form.OKButton->geometry(), QRect(279, 330, 75, 25));
    EXPECT_EQ(form.CancelButton->geometry(), QRect(360, 330, 75, 25));
    EXPECT_EQ(form.DefaultsButton->geometry(), QRect(441, 330, 75, 25));
    EXPECT_EQ(form.OKButton->text(), "&OK");
    EXPECT_TRUE(form.OKButton->isDefault());
    EXPECT_EQ(form.CancelButton->text(), "&Cancel");
    EXPECT_EQ(form.DefaultsButton->text(), "&Defaults");

    // The step a brisk turn reaches with the factor.
    for (auto [factor, step] : {std::pair{31, "1208"}, {23, "14260"}, {40, "245"}, {50, "245"}}) {
        form.SpinEdit1->setValue(factor);
        EXPECT_EQ(form.Label1->text(), step) << factor;
    }
    ExpectNothingClipped(form);
}

TEST_F(FlexControlFormTest, RenderShowsTheLEDLegend)
{
    TFlexControlForm form(FC.get());
    for (qreal dpr : {1.0, 2.0}) {
        const QImage img = Render(form, dpr);
        EXPECT_TRUE(SaveArtifact(img, dpr == 1.0 ? "dialog-flexcontrol.png" : "dialog-flexcontrol@2x.png"));
        // Rows: VFO A, VFO B, clarifier, acceleration; columns AUX1 to AUX3.
        const bool lit[4][3] = {{true, false, false}, {false, false, true}, {true, false, true}, {false, true, false}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c) {
                auto* led = form.GroupBox3->findChild<QWidget*>(QStringLiteral("LED%1%2").arg(r).arg(c + 1));
                ASSERT_NE(led, nullptr);
                const QPoint centre = led->mapTo(&form, led->rect().center()) * dpr;
                const QColor colour = img.pixelColor(centre);
                if (lit[r][c])
                    EXPECT_EQ(colour, QColor(Qt::white)) << r << c;
                else
                    EXPECT_TRUE(colour.red() == colour.blue() && colour.red() > 100 && colour.red() < 200) << r << c;
            }
    }
}

TEST_F(FlexControlFormTest, DefaultsSetTheControlsOnly)
{
    TFlexControlForm form(FC.get());
    for (int slot = 1; slot <= 15; ++slot)
        form.SlotCombo(slot)->setCurrentIndex(13);
    form.SpinEdit1->setValue(40);
    form.DefaultsButton->click();
    for (int slot = 1; slot <= 15; ++slot)
        EXPECT_EQ(form.SlotCombo(slot)->currentIndex(), TDMFlexControl::DefaultSlots[slot - 1]) << slot;
    EXPECT_EQ(form.SpinEdit1->value(), 31);
    EXPECT_EQ(form.Label1->text(), "1208");
    EXPECT_FALSE(TIniStore(TDMApplication::SettingsFileName()).SectionExists(TDMFlexControl::Section));
}

TEST_F(FlexControlFormTest, OKStoresWritesAndRestartsCancelChangesNothing)
{
    ASSERT_TRUE(OpenKnob());
    {
        TFlexControlForm form(FC.get());
        form.AUX1ComboS->setCurrentIndex(TDMFlexControl::actToggleSplit);
        form.SpinEdit1->setValue(25);
        form.CancelButton->click();
        EXPECT_EQ(form.result(), QDialog::Rejected);
    }
    EXPECT_EQ(FC->AUXS1(), TDMFlexControl::actTuneStepUp);
    EXPECT_EQ(FC->AcceleratedTuningFactor(), 31);
    EXPECT_FALSE(TIniStore(TDMApplication::SettingsFileName()).SectionExists(TDMFlexControl::Section));

    Knob.clearCommands();
    {
        TFlexControlForm form(FC.get());
        form.AUX1ComboS->setCurrentIndex(TDMFlexControl::actToggleSplit);
        form.KnobComboL2->setCurrentIndex(TDMFlexControl::actSwapVFOs);
        form.SpinEdit1->setValue(25);
        form.OKButton->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
    EXPECT_EQ(FC->AUXS1(), TDMFlexControl::actToggleSplit);
    EXPECT_EQ(FC->KnobL2(), TDMFlexControl::actSwapVFOs);
    EXPECT_EQ(FC->AcceleratedTuningFactor(), 25);
    App->Close();
    TIniStore store(TDMApplication::SettingsFileName());
    EXPECT_EQ(store.ReadInteger(TDMFlexControl::Section, "Option1", -9), TDMFlexControl::actToggleSplit);
    EXPECT_EQ(store.ReadInteger(TDMFlexControl::Section, "Option15", -9), TDMFlexControl::actSwapVFOs);
    EXPECT_EQ(store.ReadInteger(TDMFlexControl::Section, "Acceleration", -9), 25);
    EXPECT_EQ(store.ReadString(TDMFlexControl::Section, "Port", ""), Knob.portName());
    // The knob was closed and opened again.
    EXPECT_TRUE(FC->FlexControl()->Active());
    ASSERT_TRUE(waitUntil([&] { return Knob.commands().size() >= 3; }));
    EXPECT_EQ(Knob.commands().mid(0, 3), (QStringList{"I000", "F", "I111"}));
}
