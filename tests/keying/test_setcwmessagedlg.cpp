// The CW message editor: its layout, upper-case message, caption field, OK and Escape, as the
// message module's set-message actions open it.
#include "controls/widgets/RCPanel.h"
#include "keying/DMMessages.h"
#include "keying/widgets/MessageDlgs.h"
#include "keying/widgets/SetCWMessageDlg.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/WidgetInput.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `inside` on the modal dialog the action opens, while it is open; false when none opened.
bool WhileOpen(QAction* action, const std::function<void(TSetCWMessageDlg&)>& inside)
{
    bool opened = false;
    QTimer look;
    look.setSingleShot(true);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* dlg = qobject_cast<TSetCWMessageDlg*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        opened = true;
        inside(*dlg);
        if (dlg->isVisible())
            dlg->reject();
    });
    look.start(0);
    action->trigger();
    return opened;
}

void TypeText(QWidget* w, const QString& text)
{
    for (QChar c : text)
        vxtest::KeyPress(w, c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : Qt::Key_Space, QString(c));
}

} // namespace

class SetCWMessageDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.resize(800, 600);
        msgs.SetDlgFactory(&dlgs);
        msgs.SetMessage(mtCW, 3, "CQ TEST DE <MYCALL>");
        msgs.SetMessageCaption(mtCW, 3, "CQ");
        msgs.SetModeType(mtCW);
    }
    ScopedConfigHome home;
    QWidget owner;
    TMessageDlgs dlgs{&owner};
    TDMMessages msgs;
};

TEST_F(SetCWMessageDlgTest, Layout)
{
    TSetCWMessageDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Set CW Message");
    EXPECT_EQ(dlg.size(), QSize(543, 209));
    EXPECT_TRUE(dlg.windowFlags() & Qt::Tool);
    EXPECT_EQ(dlg.font().family(), "DejaVu Sans");
    EXPECT_EQ(dlg.font().pixelSize(), 11);
    EXPECT_EQ(dlg.sLabel1->pos(), QPoint(6, 4));
    EXPECT_EQ(dlg.sLabel1->text(), "&Message");
    EXPECT_EQ(dlg.sLabel1->buddy(), dlg.Edit1);
    EXPECT_EQ(dlg.sLabel2->pos(), QPoint(278, 4));
    EXPECT_EQ(dlg.sLabel2->text(), "C&aption");
    EXPECT_EQ(dlg.sLabel2->buddy(), dlg.Edit2);
    EXPECT_EQ(dlg.Edit1->geometry(), QRect(6, 23, 266, 21));
    EXPECT_EQ(dlg.Edit2->geometry(), QRect(278, 23, 105, 21));
    EXPECT_EQ(dlg.OKButton->geometry(), QRect(390, 23, 57, 21));
    EXPECT_EQ(dlg.OKButton->text(), "&OK");
    EXPECT_TRUE(dlg.OKButton->isDefault());
    EXPECT_EQ(dlg.CancelButton->geometry(), QRect(452, 23, 57, 21));
    EXPECT_EQ(dlg.CancelButton->text(), "&Cancel");
    EXPECT_EQ(dlg.Panel1->geometry(), QRect(6, 50, 266, 151));
    EXPECT_EQ(dlg.Panel1->BevelInner(), bvLowered);
    EXPECT_EQ(dlg.Label3->pos(), QPoint(8, 6));
    EXPECT_EQ(dlg.Label3->text(), "Message variables:");
    EXPECT_EQ(dlg.Label2->pos(), QPoint(8, 22));
    EXPECT_EQ(dlg.Label1->pos(), QPoint(77, 22));
    const QStringList names = dlg.Label2->text().split('\n');
    const QStringList meanings = dlg.Label1->text().split('\n');
    ASSERT_EQ(names.size(), 9);
    ASSERT_EQ(meanings.size(), 9);
    EXPECT_EQ(names[0], "<MYCALL>");
    EXPECT_EQ(meanings[0], "sends my callsign");
    EXPECT_EQ(names[3], "<CALL>");
    EXPECT_EQ(meanings[3], "sends the callsign of the current QSO");
    EXPECT_EQ(names[8], "<STXN>");
    EXPECT_EQ(meanings[8], "and cuts 9 to N and 0 to T");
    // Nothing is cut: every label lies inside its parent.
    for (QLabel* l : {dlg.sLabel1, dlg.sLabel2, dlg.Label1, dlg.Label2, dlg.Label3}) {
        const QRect need(l->pos(), l->sizeHint());
        EXPECT_TRUE(l->parentWidget()->rect().adjusted(2, 2, -2, -2).contains(need)) << l->text().left(20).toStdString();
        EXPECT_GE(l->width(), l->sizeHint().width());
    }
    // Two fields side by side overlap nothing.
    EXPECT_LE(dlg.Label2->x() + dlg.Label2->width(), dlg.Label1->x());

    // Typed or set, the message is upper case.
    TypeText(dlg.Edit1, "cq de");
    EXPECT_EQ(dlg.Edit1->text(), "CQ DE");
    dlg.SetMessage("tu <call>");
    EXPECT_EQ(dlg.Message(), "TU <CALL>");
    dlg.SetMessageCaption("tu");
    EXPECT_EQ(dlg.MessageCaption(), "tu");
}

TEST_F(SetCWMessageDlgTest, ShiftF3EditsMessageThree)
{
    QAction* set3 = msgs.SetMessageAction(3);
    EXPECT_EQ(set3->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    const bool opened = WhileOpen(set3, [&](TSetCWMessageDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Set CW Message #3");
        EXPECT_EQ(dlg.parentWidget(), &owner);
        EXPECT_EQ(dlg.Edit1->text(), "CQ TEST DE <MYCALL>");
        EXPECT_EQ(dlg.Edit2->text(), "CQ");
        EXPECT_TRUE(dlg.Edit2->isEnabled());
        dlg.Edit1->selectAll();
        TypeText(dlg.Edit1, "cq cq");
        dlg.Edit2->setText("");
        dlg.Edit1->deselect();
        EXPECT_TRUE(SaveArtifact(Render(dlg, 1), "dialog-setcwmessage.png"));
        EXPECT_TRUE(SaveArtifact(Render(dlg, 2), "dialog-setcwmessage@2x.png"));
        vxtest::Click(dlg.OKButton);
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(msgs.GetMessage(mtCW, 3), "CQ CQ");
    // An emptied caption shows "<empty>" on its button; the hint is the new text.
    EXPECT_EQ(msgs.GetMessageCaption(mtCW, 3), "<empty>");
    EXPECT_EQ(msgs.MessageAction(3)->text(), "<empty>");
    EXPECT_EQ(msgs.MessageAction(3)->toolTip(), "CQ CQ");
}

TEST_F(SetCWMessageDlgTest, InsAndPlusKeysEditOnlyTheMessage)
{
    const std::pair<int, const char*> cases[] = {{10, "Set CW Message INS key"}, {11, "Set CW Message + key"}};
    for (const auto& [n, caption] : cases) {
        const bool opened = WhileOpen(msgs.SetMessageAction(n), [&](TSetCWMessageDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), caption);
            EXPECT_EQ(dlg.Edit1->text(), msgs.GetMessage(mtCW, n));
            EXPECT_FALSE(dlg.Edit2->isEnabled());
            EXPECT_EQ(dlg.Edit2->text(), n == 10 ? "INS Msg" : "+ Msg");
            dlg.Edit1->setText("TU");
            vxtest::Click(dlg.OKButton);
        });
        ASSERT_TRUE(opened) << n;
        EXPECT_EQ(msgs.GetMessage(mtCW, n), "TU");
    }
    EXPECT_EQ(msgs.GetMessageCaption(mtCW, 10), "INS Msg");
    EXPECT_EQ(msgs.GetMessageCaption(mtCW, 11), "+ Msg");
}

TEST_F(SetCWMessageDlgTest, EscapeChangesNothing)
{
    for (bool inCaption : {false, true}) {
        const bool opened = WhileOpen(msgs.SetMessageAction(3), [&](TSetCWMessageDlg& dlg) {
            dlg.Edit1->setText("LOST");
            dlg.Edit2->setText("LOST");
            vxtest::Key(inCaption ? dlg.Edit2 : dlg.Edit1, Qt::Key_Escape);
            EXPECT_FALSE(dlg.isVisible());
            EXPECT_EQ(dlg.result(), QDialog::Rejected);
        });
        ASSERT_TRUE(opened);
        EXPECT_EQ(msgs.GetMessage(mtCW, 3), "CQ TEST DE <MYCALL>");
        EXPECT_EQ(msgs.GetMessageCaption(mtCW, 3), "CQ");
        EXPECT_EQ(msgs.MessageAction(3)->toolTip(), "CQ TEST DE <MYCALL>");
    }
}

TEST_F(SetCWMessageDlgTest, NoEditorInThePhoneModeType)
{
    msgs.SetModeType(mtPhone);
    EXPECT_FALSE(WhileOpen(msgs.SetMessageAction(3), [](TSetCWMessageDlg&) {}));
}
