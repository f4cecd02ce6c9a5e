// The radio menu editor against the simulated radio on a pseudo-terminal.
#include "client/widgets/MenuForm.h"
#include "core/cat/MenuSettings.h"

#include "ClientTestUtils.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// Items of every kind; the numbers leave gaps and 092 comes before 005, so nothing may be
// found by its line position.
const char* const Fixture = "Group;No;Name;Description;Type;Length;Range;Step;Default;Values;Default;Function;Advice\n"
                            "RX;001;TEST INT;Signed value;INT;3;-50|50;1;10;Hz;10 Hz;Any number;\n"
                            "RX;092;CNTR LVL;Contour level;INT;3;-40|20;1;-15;dB;-15 dB;Contour gain;\n"
                            "RX;005;AGC DLY;Fast delay;INT;4;20|4000;20;300;msec;300 msec;Delay of the AGC;Keep it short; really\n"
                            "TX;124;MY BAND;My bands;VALS;4;;;0;160m|80m|60m|40m;all;Bands of the band keys;\n"
                            "GEN;130;MODE;Choice;ENUM;1;;;1;A|B|C;B;A choice;\n"
                            "TX;144;PWR;Maximum power;ENUM;1;;;3;10 W|20 W|50 W|100 W;100 W;Power;\n"
                            "RX;006;GEnE SNB LVL;Sub band level;INT;4;0|999;1;1000;;MAIN;Level;\n"
                            "RX;007;GAP;Unknown kind;?;?;?;?;?;?;?;?;\n";

class MenuFormTest : public ::testing::Test {
protected:
    void SetUp() override { WriteDataFile("menu_ft2000.dat", Fixture); }
    void TearDown() override { RemoveDataFile("menu_ft2000.dat"); }

    // Selects the item of a menu number as the operator would.
    static void Select(TMenuForm& form, int no)
    {
        for (int i = 0; i < form.MenuEntries().size(); ++i) {
            if (form.MenuEntries()[i].MenuNo() == no) {
                form.TreeView1->setCurrentItem(form.TreeItemOf(i));
                return;
            }
        }
        ADD_FAILURE() << "no item " << no;
    }
};

} // namespace

TEST_F(MenuFormTest, TreeAndCount)
{
    TFTCATInterface cat;
    cat.SetTransceiver(FT2000);
    TMenuForm form(&cat);
    EXPECT_EQ(form.windowTitle(), "Transceiver Menu");
    EXPECT_EQ(form.size(), QSize(794, 411));
    EXPECT_EQ(form.NoMenuEntries(), 8);
    EXPECT_EQ(form.MenuEntriesLabel->text(), "8 menu entries");
    // A group that comes again after another opens a second node.
    QStringList groups;
    for (int i = 0; i < form.TreeView1->topLevelItemCount(); ++i)
        groups << form.TreeView1->topLevelItem(i)->text(0);
    EXPECT_EQ(groups, QStringList({"RX", "TX", "GEN", "TX", "RX"}));
    EXPECT_EQ(form.TreeView1->topLevelItem(0)->child(1)->text(0), "092 - Contour level");
    EXPECT_TRUE(static_cast<bool>(cat.OnMenuSettings));
    // Closing gives the answers back.
    form.reject();
    EXPECT_FALSE(static_cast<bool>(cat.OnMenuSettings));
}

TEST_F(MenuFormTest, SelectingReadsTheItemAndTheAnswerFillsIt)
{
    CATRig rig(FT2000);
    ASSERT_TRUE(rig.opened);
    rig.sim.setMenu(5, "1200");
    TMenuForm form(&rig.cat);

    // A group sends nothing and shows the hint.
    form.TreeView1->setCurrentItem(form.TreeView1->topLevelItem(0));
    rig.settle();
    EXPECT_TRUE(rig.sim.commands().isEmpty());
    EXPECT_TRUE(form.DescriptionLabel->text().startsWith("Choose a menu group"));
    EXPECT_EQ(form.SelectedMenuNo(), 0);

    Select(form, 5);
    EXPECT_EQ(form.MenuPanel->text(), "005");
    EXPECT_EQ(form.NamePanel->text(), "AGC DLY");
    EXPECT_EQ(form.AdviceLabel->text(), "Advice: Keep it short; really");
    EXPECT_EQ(form.ValueEdit->value(), 300); // the file's default until the radio answers
    EXPECT_EQ(form.WaitShape->palette().color(QPalette::Window), QColor(0xFF, 0x80, 0x80));
    ASSERT_TRUE(vxtest::waitUntil([&] { return form.ValueEdit->value() == 1200; }, 3000));
    EXPECT_EQ(rig.sim.commands(), QStringList({"EX005"}));
    EXPECT_EQ(form.WaitShape->palette().color(QPalette::Window), QColor(0xAA, 0xFF, 0xAA));
    EXPECT_FALSE(form.ApplyButton->isEnabled());
    EXPECT_EQ(form.LastMenuNo(), 5);

    // An answer for another item changes nothing but Apply.
    form.ValueEdit->setValue(40);
    EXPECT_TRUE(form.ApplyButton->isEnabled());
    rig.sim.push("EX001020;");
    ASSERT_TRUE(vxtest::waitUntil([&] { return !form.ApplyButton->isEnabled(); }, 3000));
    EXPECT_EQ(form.ValueEdit->value(), 40);

    // Answers that are no number are ignored.
    rig.sim.push("EX005ab;EX005;EX0051-2;");
    rig.settle();
    EXPECT_EQ(form.ValueEdit->value(), 40);
}

TEST_F(MenuFormTest, ApplyFormsTheValueByKind)
{
    CATRig rig(FT2000);
    ASSERT_TRUE(rig.opened);
    rig.sim.setMenu(124, "0000");
    TMenuForm form(&rig.cat);
    // Selects an item, lets its read be answered, edits, applies: what Apply sent.
    const auto applied = [&](int no, auto&& edit) {
        Select(form, no);
        rig.settle();
        edit();
        const int before = int(rig.sim.commands().size());
        form.ApplyButtonClick();
        rig.settle();
        return rig.sim.commands().mid(before);
    };

    // Menu 92: sign and two digits, then the read-back.
    EXPECT_EQ(applied(92, [&] { form.ValueEdit->setValue(-5); }), QStringList({"EX092-05", "EX092"}));
    EXPECT_EQ(applied(92, [&] { form.ValueEdit->setValue(12); }), QStringList({"EX092+12", "EX092"}));
    // The read-back's answer shows the radio's value.
    ASSERT_TRUE(vxtest::waitUntil([&] { return form.ValueEdit->value() == 12 && !form.ApplyButton->isEnabled(); }, 3000));

    // Any signed field: the sign first, then the digits to the field's width.
    EXPECT_EQ(applied(1, [&] { form.ValueEdit->setValue(-5); }), QStringList({"EX001-05", "EX001"}));
    EXPECT_EQ(applied(1, [&] { form.ValueEdit->setValue(7); }), QStringList({"EX001+07", "EX001"}));
    EXPECT_EQ(applied(5, [&] { form.ValueEdit->setValue(60); }), QStringList({"EX0050060", "EX005"}));

    // VALS: one character per caption.
    EXPECT_EQ(applied(124,
                      [&] {
                          form.ValueBox->item(0)->setCheckState(Qt::Checked);
                          form.ValueBox->item(2)->setCheckState(Qt::Checked);
                      }),
              QStringList({"EX1241010", "EX124"}));

    // ENUM: the index; nothing selected sends nothing.
    EXPECT_EQ(applied(130, [&] { form.SetValueGroupIndex(2); }), QStringList({"EX1302", "EX130"}));
    EXPECT_TRUE(applied(130, [&] { form.SetValueGroupIndex(-1); }).isEmpty());

    // The sub band level: the check box stands for 1000.
    EXPECT_EQ(applied(6, [&] { form.ValueCheckBox->setChecked(true); }), QStringList({"EX0061000", "EX006"}));
    EXPECT_EQ(applied(6,
                      [&] {
                          form.ValueCheckBox->setChecked(false);
                          form.ValueEdit->setValue(35);
                      }),
              QStringList({"EX0060035", "EX006"}));

    // An item whose kind and length the sources do not give shows no control and sends nothing.
    EXPECT_TRUE(applied(7, [] {}).isEmpty());
    EXPECT_TRUE(form.ValueEdit->isHidden() && form.ValueGroup->isHidden() && form.ValueBox->isHidden());
}

TEST_F(MenuFormTest, AnswersFillEachKind)
{
    CATRig rig(FT2000);
    ASSERT_TRUE(rig.opened);
    rig.sim.setMenu(124, "0110");
    rig.sim.setMenu(130, "2");
    rig.sim.setMenu(6, "1000");
    rig.sim.setMenu(5, "1200");
    TMenuForm form(&rig.cat);
    form.show();

    Select(form, 124);
    ASSERT_TRUE(vxtest::waitUntil([&] { return form.ValueBox->item(1)->checkState() == Qt::Checked; }, 3000));
    EXPECT_EQ(form.ValueBox->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(form.ValueBox->item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(form.ValueBox->item(3)->checkState(), Qt::Unchecked);
    SaveArtifact(Render(form), "dialog-menu-vals.png");

    Select(form, 130);
    EXPECT_EQ(form.ValueGroupIndex(), 1); // the file's default first
    ASSERT_TRUE(vxtest::waitUntil([&] { return form.ValueGroupIndex() == 2; }, 3000));
    // An index that is no number, or signed, is ignored.
    rig.sim.push("EX130-1;EX130x;");
    rig.settle();
    EXPECT_EQ(form.ValueGroupIndex(), 2);
    SaveArtifact(Render(form), "dialog-menu-enum.png");

    Select(form, 6);
    ASSERT_TRUE(vxtest::waitUntil([&] { return form.WaitShape->palette().color(QPalette::Window) == QColor(0xAA, 0xFF, 0xAA); }, 3000));
    EXPECT_TRUE(form.ValueCheckBox->isChecked());
    EXPECT_FALSE(form.ValueEdit->isEnabled());

    Select(form, 5);
    rig.settle();
    const QImage img = Render(form);
    EXPECT_TRUE(SaveArtifact(img, "dialog-menu.png"));
    EXPECT_TRUE(SaveArtifact(Render(form, 2), "dialog-menu@2x.png"));
    EXPECT_NE(img.pixelColor(790, 408), QColor(Qt::magenta));
}

TEST_F(MenuFormTest, FT2000DPowerCaptions)
{
    TFTCATInterface cat;
    cat.SetTransceiver(FT2000D);
    TMenuForm form(&cat);
    Select(form, 144);
    QStringList captions;
    for (QAbstractButton* b : form.ValueGroupButtons->buttons())
        captions << b->text();
    EXPECT_EQ(captions, QStringList({"20 W", "50 W", "100 W", "200 W"}));
    EXPECT_EQ(form.ValueGroupIndex(), 3);

    TFTCATInterface single;
    single.SetTransceiver(FT2000);
    TMenuForm other(&single);
    Select(other, 144);
    EXPECT_EQ(other.ValueGroupButtons->buttons().first()->text(), "10 W");
}

TEST_F(MenuFormTest, LastMenuNo)
{
    CATRig rig(FT2000);
    ASSERT_TRUE(rig.opened);
    for (int last : {0, 55}) {
        TMenuForm form(&rig.cat);
        form.SetLastMenuNo(last);
        form.FindLastMenuNo();
        EXPECT_EQ(form.SelectedMenuNo(), 0) << last;
    }
    rig.settle();
    EXPECT_TRUE(rig.sim.commands().isEmpty());
    TMenuForm form(&rig.cat);
    form.SetLastMenuNo(124);
    form.FindLastMenuNo();
    EXPECT_EQ(form.SelectedMenuNo(), 124);
    EXPECT_EQ(rig.commandsAfter(1), QStringList({"EX124"}));
    Select(form, 130);
    EXPECT_EQ(form.LastMenuNo(), 130);
}

TEST_F(MenuFormTest, MissingFileNamesTheFileLookedFor)
{
    const struct {
        TTransceiver model;
        const char* text;
    } cases[] = {
        {FTDX5000, "File menu_ftdx5000.dat not found!"},
        {FT2000, "File menu_ft2000.dat not found!"},
        {FT950, "Menu settings only supported for FT-2000 and FT DX 5000"},
    };
    RemoveDataFile("menu_ft2000.dat");
    RemoveDataFile("menu_ftdx5000.dat");
    for (const auto& c : cases) {
        TFTCATInterface cat;
        cat.SetTransceiver(c.model);
        TMenuForm form(&cat);
        EXPECT_EQ(form.MenuEntriesLabel->text(), c.text);
        EXPECT_EQ(form.TreeView1->topLevelItemCount(), 0);
        EXPECT_FALSE(static_cast<bool>(cat.OnMenuSettings));
        EXPECT_TRUE(form.DescriptionLabel->text().startsWith("Choose a menu group"));
    }
}

TEST_F(MenuFormTest, BadFilesLoadWhatTheyCan)
{
    WriteDataFile("menu_ft2000.dat",
                  "H\nA;001;N;D;INT;2;0|9;1;0;;;;\nA;002;N;D;INT;xx;0|9;1;0;;;;\nA;003;N;D;INT;2;0|9;1;0;;;;\n");
    TFTCATInterface cat;
    cat.SetTransceiver(FT2000);
    {
        TMenuForm form(&cat);
        EXPECT_EQ(form.NoMenuEntries(), 1);
        EXPECT_TRUE(form.MenuEntriesLabel->text().startsWith("1 menu entries\nLine 3 of menu_ft2000.dat"))
            << form.MenuEntriesLabel->text().toStdString();
        // Answers are taken all the same.
        EXPECT_TRUE(static_cast<bool>(cat.OnMenuSettings));
    }
    EXPECT_FALSE(static_cast<bool>(cat.OnMenuSettings)); // destroyed without closing: unhooked too

    QByteArray binary("H\n");
    for (int i = 0; i < 2000; ++i)
        binary.append(char((i * 131 + 7) % 256));
    WriteDataFile("menu_ft2000.dat", binary);
    TMenuForm form(&cat);
    for (int i = 0; i < form.TreeView1->topLevelItemCount(); ++i)
        form.TreeView1->setCurrentItem(form.TreeView1->topLevelItem(i));
    form.ApplyButtonClick();
}

TEST(MenuFormShipped, OpensOnTheShippedFiles)
{
    ASSERT_TRUE(InstallDataFiles(ShippedDataFolder(), QStringLiteral("/nonexistent")));
    for (TTransceiver model : {FT2000, FTDX5000}) {
        TFTCATInterface cat;
        cat.SetTransceiver(model);
        TMenuForm form(&cat);
        EXPECT_EQ(form.MenuEntriesLabel->text(), model == FT2000 ? "147 menu entries" : "177 menu entries");
    }
}

TEST_F(MenuFormTest, EntryPointKeepsTheLastItem)
{
    ManualClock clock;
    TFTCATInterface cat;
    cat.SetTransceiver(FT950);
    QString message;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    EXPECT_EQ(ShowTransceiverMenu(&cat, 17, nullptr), 17);
    EXPECT_EQ(message, "Menu settings only supported for FT-2000 and FT DX 5000");

    cat.SetTransceiver(FT2000);
    QStringList sent;
    cat.OnCATCommandTX = [&](const QString& text) { sent << text; };
    int openedAt = -1;
    QTimer::singleShot(0, [&] {
        if (auto* form = qobject_cast<TMenuForm*>(QApplication::activeModalWidget())) {
            openedAt = form->SelectedMenuNo();
            Select(*form, 130);
            form->accept();
        }
    });
    EXPECT_EQ(ShowTransceiverMenu(&cat, 5, nullptr), 130);
    EXPECT_EQ(openedAt, 5);
    EXPECT_EQ(sent, QStringList({"EX005;", "EX130;"}));
    EXPECT_FALSE(static_cast<bool>(cat.OnMenuSettings));
}
