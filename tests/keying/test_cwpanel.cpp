// The CW panel with the CW module and its WinKeyer on the keyer simulator: send buffers,
// keyboard field, speed slider and keyer reports, status lamps, echo ticker, the loss of the
// keyer, and an offscreen render.
#include "controls/widgets/RCTrackBar.h"
#include "controls/widgets/Shape.h"
#include "core/DMApplication.h"
#include "keying/DMCW.h"
#include "keying/widgets/CWPanel.h"
#include "keying/widgets/CWPanelTicker.h"
#include "keying/widgets/SendBufferEdit.h"
#include "platform/SerialPort.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/support/WidgetInput.h"
#include "tests/support/WinKeyerSimulator.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using vxtest::run;
using vxtest::runUntil;

namespace {

struct Sent {
    QObject* sender;
    QString text;
};

// Types text as keys with their characters.
void Type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        const int key = c.isLetter() && c.unicode() < 128 ? Qt::Key_A + (c.toUpper().unicode() - 'A') : Qt::Key_unknown;
        vxtest::KeyPress(w, c == QLatin1Char(' ') ? Qt::Key_Space : key, QString(c));
    }
}

QColor Center(const TShape* s)
{
    return s->BrushColor();
}

} // namespace

// The panel wired as the main window wires it: its events to the CW module, the module's
// keyer on the simulator, the six actions of the main window with their shortcuts.
class CWPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        ASSERT_TRUE(sim.ok());
        app = std::make_unique<TDMApplication>();
        cw = std::make_unique<TDMCW>();
        cw->SetDM(&dm);
        panel = new TCWPanel(&window);
        window.resize(panel->size());
        panel->OnSendText = [this](QObject* sender, const QString& text) {
            texts.push_back({sender, text});
            if (cw)
                cw->CWSendText(text);
        };
        panel->OnSendChar = [this](QObject* sender, QChar c) {
            chars.push_back({sender, QString(c)});
            if (cw)
                cw->CWSendChar(c);
        };
        const std::pair<QAction*&, QKeySequence> actions[] = {
            {buffer1, QKeySequence(Qt::ALT | Qt::Key_1)},      {buffer2, QKeySequence(Qt::ALT | Qt::Key_2)},
            {keyboard, QKeySequence(Qt::ALT | Qt::Key_K)},     {speed, QKeySequence(Qt::ALT | Qt::Key_V)},
            {speedDown, QKeySequence(Qt::ALT | Qt::Key_F9)}, {speedUp, QKeySequence(Qt::ALT | Qt::Key_F10)},
        };
        for (const auto& [action, keys] : actions) {
            action = new QAction(&window);
            action->setShortcut(keys);
            window.addAction(action);
        }
        panel->SetCWBuffer1Action(buffer1);
        panel->SetCWBuffer2Action(buffer2);
        panel->SetCWKeyboardAction(keyboard);
        panel->SetCWSpeedAction(speed);
        panel->SetCWSpeedDownAction(speedDown);
        panel->SetCWSpeedUpAction(speedUp);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    void TearDown() override
    {
        delete panel;
        cw.reset();
        app.reset();
        vx::Clock::useSystem();
    }
    // The keyer opened on the simulator and bound to the panel.
    void OpenKeyer()
    {
        panel->SetWinKeyer(cw->WinKey());
        cw->WinKeyComPort()->setPort(sim.portName());
        cw->Open();
        ASSERT_TRUE(runUntil([&] { return cw->WinKey()->Active(); }, 2000));
        run(100);
        sim.clearLog();
    }
    // The text bytes the keyer received (commands below 0x20 left out).
    QByteArray KeyedText(int atLeast)
    {
        runUntil([&] { return Text().size() >= atLeast; }, 20000);
        return Text();
    }
    QByteArray Text() const
    {
        QByteArray t;
        for (char b : sim.received())
            if (uchar(b) >= 0x20 && uchar(b) <= 0x5A)
                t += b;
        return t;
    }
    // The speed commands (02 nn) the keyer received.
    QList<int> SpeedCommands() const
    {
        QList<int> speeds;
        const QByteArray in = sim.received();
        for (qsizetype i = 0; i + 1 < in.size(); ++i)
            if (in[i] == 0x02)
                speeds << uchar(in[++i]);
        return speeds;
    }

    ScopedConfigHome home;
    vxtest::WinKeyerSimulator sim;
    TApplicationRole dm;
    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMCW> cw;
    QWidget window;
    TCWPanel* panel = nullptr;
    QAction* buffer1 = nullptr;
    QAction* buffer2 = nullptr;
    QAction* keyboard = nullptr;
    QAction* speed = nullptr;
    QAction* speedDown = nullptr;
    QAction* speedUp = nullptr;
    std::vector<Sent> texts;
    std::vector<Sent> chars;
};

TEST_F(CWPanelTest, Layout)
{
    EXPECT_EQ(panel->size(), QSize(262, 251));
    EXPECT_EQ(panel->minimumSize(), QSize(262, 251));
    EXPECT_EQ(panel->maximumHeight(), 251);
    EXPECT_EQ(panel->Color(), QColor(0x41, 0x41, 0x41));
    EXPECT_EQ(panel->CWPanelImage->geometry(), QRect(3, 4, 56, 175));
    EXPECT_EQ(panel->CWSpeedBar->geometry(), QRect(9, 14, 45, 154));
    EXPECT_EQ(panel->CWSpeedBar->Min(), 10);
    EXPECT_EQ(panel->CWSpeedBar->Max(), 40);
    EXPECT_EQ(panel->CWSpeedBar->Position(), 25);
    EXPECT_EQ(panel->CWSpeedBar->PageSize(), 2);
    EXPECT_EQ(panel->CWSpeedBar->toolTip(), "25 WPM");
    EXPECT_EQ(panel->CWDeleteCheckBox->pos(), QPoint(64, 8));
    EXPECT_GE(panel->CWDeleteCheckBox->width(), qMax(162, panel->CWDeleteCheckBox->sizeHint().width()));
    EXPECT_LE(panel->CWDeleteCheckBox->geometry().right(), panel->width() - 4);
    EXPECT_EQ(panel->CWDeleteCheckBox->text(), "Delete buffers after sending");
    EXPECT_EQ(panel->CWMemo1->geometry(), QRect(64, 32, 191, 66));
    EXPECT_EQ(panel->CWMemo1->toolTip(), "CW Send Buffer #1 - press ENTER to send");
    EXPECT_EQ(panel->CWMemo2->geometry(), QRect(64, 103, 191, 66));
    EXPECT_EQ(panel->CWSpeedLabel->text(), "25 WPM");
    EXPECT_EQ(panel->CWSpeedLabel->pos(), QPoint(12, 180));
    EXPECT_EQ(panel->KeyboardModeLabel->pos(), QPoint(65, 180));
    EXPECT_EQ(panel->KeyboardModeLabel->buddy(), panel->CWSendEdit);
    EXPECT_EQ(panel->WKStatusShape->geometry(), QRect(154, 186, 22, 5));
    EXPECT_EQ(panel->WKStatusShape->Hint(), "WinKey is closed");
    EXPECT_EQ(panel->WKBusyShape->geometry(), QRect(178, 186, 22, 5));
    EXPECT_EQ(panel->WKBreakInShape->geometry(), QRect(202, 186, 22, 5));
    EXPECT_EQ(panel->WKRemoteStatusShape->geometry(), QRect(232, 186, 22, 5));
    EXPECT_EQ(panel->CWSendEdit->geometry(), QRect(6, 198, 249, 21));
    EXPECT_EQ(panel->CWEchoTicker->geometry(), QRect(7, 223, 247, 17));
    EXPECT_EQ(panel->CWEchoTicker->toolTip(), "CW Echo");

    // The remote lamp belongs to the client role.
    EXPECT_FALSE(panel->WKRemoteStatusShape->isVisible());
    panel->SetApplicationType(isRemoteClient);
    EXPECT_TRUE(panel->WKRemoteStatusShape->isVisible());

    // Sized from the right edge, the buffers, the field and the ticker grow with the panel.
    const QPoint edge(panel->width() - 2, 120);
    vxtest::MouseMove(panel, edge, Qt::NoButton);
    EXPECT_EQ(panel->cursor().shape(), Qt::SizeHorCursor);
    vxtest::MousePress(panel, edge);
    vxtest::MouseMove(panel, edge + QPoint(40, 0));
    vxtest::MouseRelease(panel, edge + QPoint(40, 0));
    EXPECT_EQ(panel->size(), QSize(302, 251));
    EXPECT_EQ(panel->CWMemo1->geometry(), QRect(64, 32, 231, 66));
    EXPECT_EQ(panel->CWSendEdit->geometry(), QRect(6, 198, 289, 21));
    EXPECT_EQ(panel->CWEchoTicker->width(), 287);
    EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CWPanelTest, EnterSendsEveryLineOfTheBufferInOrder)
{
    OpenKeyer();
    for (bool deleteAfter : {false, true}) {
        SCOPED_TRACE(deleteAfter);
        texts.clear();
        sim.clearLog();
        panel->CWDeleteCheckBox->setChecked(deleteAfter);
        panel->CWMemo1->setPlainText("CQ CQ\nDE QQ1AB\nK");
        vxtest::Key(panel->CWMemo1, Qt::Key_Return, "\r");
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0].text, "CQ CQ");
        EXPECT_EQ(texts[1].text, "DE QQ1AB");
        EXPECT_EQ(texts[2].text, "K");
        EXPECT_EQ(texts[0].sender, panel->CWMemo1);
        // The keyer gets the lines in order; the Enter key put no line break in.
        EXPECT_EQ(KeyedText(14), "CQ CQDE QQ1ABK");
        ASSERT_TRUE(runUntil([&] { return cw->WinKey()->QueueCount() == 0 && sim.waiting() == 0; }, 20000));
        EXPECT_EQ(panel->CWMemo1->toPlainText(), deleteAfter ? "" : "CQ CQ\nDE QQ1AB\nK");
    }

    // An empty buffer raises one empty line, which the module drops.
    texts.clear();
    panel->CWMemo2->clear();
    vxtest::Key(panel->CWMemo2, Qt::Key_Return, "\r");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].sender, panel->CWMemo2);
    EXPECT_EQ(texts[0].text, "");

    // Typed letters become capitals; entering a buffer selects its first line.
    panel->CWMemo2->clear();
    Type(panel->CWMemo2, "tu 5nn");
    EXPECT_EQ(panel->CWMemo2->toPlainText(), "TU 5NN");
    panel->CWMemo1->setPlainText("CQ CQ\nK");
    keyboard->trigger();
    buffer1->trigger();
    EXPECT_TRUE(panel->CWMemo1->hasFocus());
    EXPECT_EQ(panel->CWMemo1->textCursor().selectedText(), "CQ CQ");
}

TEST_F(CWPanelTest, KeyboardFieldSendsEachKeyAndEscapeClearsFieldAndTicker)
{
    OpenKeyer();
    keyboard->trigger();
    ASSERT_TRUE(panel->CWSendEdit->hasFocus());
    EXPECT_EQ(panel->KeyboardModeLabel->palette().color(QPalette::WindowText), QColor(0xFF, 0xFF, 0x99));
    Type(panel->CWSendEdit, QStringLiteral("q\u00FC"));
    vxtest::Key(panel->CWSendEdit, Qt::Key_Return, "\r");
    vxtest::Key(panel->CWSendEdit, Qt::Key_Enter, "\r");
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].text, "Q");
    EXPECT_EQ(chars[1].text, QStringLiteral("\u00DC"));
    EXPECT_EQ(chars[0].sender, panel->CWSendEdit);
    EXPECT_EQ(panel->CWSendEdit->text(), QStringLiteral("Q\u00DC"));
    // The keyer keys the Q at once (the module spells the umlaut out itself).
    EXPECT_TRUE(KeyedText(1).startsWith("Q"));

    // Backspace edits the field and sends nothing.
    vxtest::Key(panel->CWSendEdit, Qt::Key_Backspace, "\b");
    EXPECT_EQ(panel->CWSendEdit->text(), "Q");
    EXPECT_EQ(chars.size(), 2u);

    // Without a radio the module echoes what it sends on the ticker.
    ASSERT_FALSE(panel->CWEchoTicker->Caption().isEmpty());
    panel->CWMemo1->setPlainText("CQ");
    vxtest::Key(panel->CWSendEdit, Qt::Key_Escape);
    EXPECT_EQ(panel->CWSendEdit->text(), "");
    EXPECT_EQ(panel->CWEchoTicker->Caption(), "");
    EXPECT_EQ(panel->CWMemo1->toPlainText(), "CQ");
    // Escape in a buffer clears the same and keeps the buffer.
    panel->CWSendEdit->setText("X");
    vxtest::Key(panel->CWMemo1, Qt::Key_Escape);
    EXPECT_EQ(panel->CWSendEdit->text(), "");
    EXPECT_EQ(panel->CWMemo1->toPlainText(), "CQ");
    EXPECT_TRUE(texts.empty());

    panel->CWMemo1->setFocus();
    EXPECT_EQ(panel->KeyboardModeLabel->palette().color(QPalette::WindowText), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(CWPanelTest, SpeedSliderAndKeyerReports)
{
    OpenKeyer();
    TRCTrackBar* bar = panel->CWSpeedBar;
    // Opening reported the keyer's speed: the slider follows, nothing is written back.
    EXPECT_EQ(bar->Position(), cw->WinKey()->Speed());

    // A speed the server reports moves the slider and writes no speed command.
    TWinKeyer* k = cw->WinKey();
    k->PrepareRX();
    k->SetSpeed(30);
    EXPECT_EQ(bar->Position(), 30);
    EXPECT_EQ(panel->CWSpeedLabel->text(), "30 WPM");
    EXPECT_EQ(bar->toolTip(), QStringLiteral("30 WPM (Speed pot %1 WPM)").arg(k->SpeedPot()));
    run(100);
    EXPECT_TRUE(SpeedCommands().isEmpty());

    // The operator's change goes to the keyer.
    speedUp->trigger();
    EXPECT_EQ(bar->Position(), 32);
    EXPECT_EQ(k->Speed(), 32);
    run(100);
    EXPECT_EQ(SpeedCommands(), QList<int>{32});

    // Alt+F9 steps down by 2, clamped at the minimum, and does nothing there.
    const std::pair<int, int> downs[] = {{11, 10}, {10, 10}, {14, 12}};
    for (const auto& [from, to] : downs) {
        bar->SetPosition(from);
        run(50);
        sim.clearLog();
        speedDown->trigger();
        EXPECT_EQ(bar->Position(), to) << from;
        EXPECT_EQ(panel->CWSpeedLabel->text(), QStringLiteral("%1 WPM").arg(to));
        run(50);
        EXPECT_EQ(SpeedCommands(), from == to ? QList<int>{} : QList<int>{to}) << from;
    }

    // The speed pot's report only changes the hint.
    sim.turnPot(20);
    ASSERT_TRUE(runUntil([&] { return panel->SpeedPot() == 20; }, 2000));
    EXPECT_EQ(bar->toolTip(), QStringLiteral("%1 WPM (Speed pot 20 WPM)").arg(bar->Position()));

    // Escape on the slider goes to the keyboard field; the speed label lights while focused.
    speed->trigger();
    EXPECT_EQ(panel->CWSpeedLabel->palette().color(QPalette::WindowText), QColor(0xFF, 0xFF, 0x99));
    vxtest::Key(bar, Qt::Key_Escape);
    EXPECT_TRUE(panel->CWSendEdit->hasFocus());
    EXPECT_EQ(panel->CWSpeedLabel->palette().color(QPalette::WindowText), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(CWPanelTest, ARangeThatMovesTheSliderIsNotWrittenBack)
{
    // Stored settings give the keyer 30..40 WPM at 35; the slider still stands at 25 of 10..40.
    TWinKeyer* k = cw->WinKey();
    k->SetMinWPM(30);
    k->SetSpeed(35);
    OpenKeyer();
    EXPECT_EQ(panel->CWSpeedBar->Min(), 30);
    EXPECT_EQ(panel->CWSpeedBar->Position(), 35);
    EXPECT_EQ(k->Speed(), 35);
    run(100);
    EXPECT_TRUE(SpeedCommands().isEmpty()) << SpeedCommands().size();
}

TEST_F(CWPanelTest, StatusLamps)
{
    panel->SetWinKeyer(cw->WinKey());
    panel->SetApplicationType(isRemoteClient);
    TWinKeyer* k = cw->WinKey();
    const QColor off(0x61, 0x61, 0x61), green(0x00, 0xFF, 0x00), orange(0xFF, 0x80, 0x00), red(0xFF, 0, 0);
    struct Row {
        TWKStatus status;
        QColor color;
        const char* what;
    };
    for (const Row& r : {Row{wksOpen, green, "is open"}, Row{wksError, orange, "error"}, Row{wksClosed, off, "is closed"}}) {
        k->SetStatus(r.status);
        k->SetRemoteStatus(r.status);
        EXPECT_EQ(Center(panel->WKStatusShape), r.color) << r.what;
        EXPECT_EQ(panel->WKStatusShape->Hint(), QStringLiteral("Local WinKey %1").arg(r.what));
        EXPECT_EQ(Center(panel->WKRemoteStatusShape), r.color) << r.what;
        EXPECT_EQ(panel->WKRemoteStatusShape->Hint(), QStringLiteral("Remote WinKey %1").arg(r.what));
    }
    for (bool on : {true, false}) {
        Fire(k->OnWKBusy, on);
        Fire(k->OnWKBreakIn, on);
        EXPECT_EQ(Center(panel->WKBusyShape), on ? red : off);
        EXPECT_EQ(Center(panel->WKBreakInShape), on ? red : off);
    }
    // A clear of the keyer clears the field and the ticker.
    panel->CWSendEdit->setText("ABC");
    k->RemoteEcho('E');
    Fire(k->OnWKClear);
    EXPECT_EQ(panel->CWSendEdit->text(), "");
    EXPECT_EQ(panel->CWEchoTicker->Caption(), "");
}

TEST_F(CWPanelTest, TickerSeparatesWordsAfterAPauseAndDropsTextAtTheLeft)
{
    TCWPanelTicker& t = *panel->CWEchoTicker;
    vx::Clock::advance(5000);
    t.AddCharacter('C');
    t.AddCharacter('Q');
    EXPECT_EQ(t.Caption(), " CQ"); // the first character comes long after the creation
    vx::Clock::advance(2000);
    t.AddCharacter('D');
    vx::Clock::advance(1500);
    t.AddCharacter('E');
    vx::Clock::advance(1999);
    t.AddCharacter('K');
    EXPECT_EQ(t.Caption(), " CQ DEK");

    const QString text = QStringLiteral("THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 ").repeated(3);
    for (QChar c : text)
        t.AddCharacter(c);
    const QFontMetrics fm(t.font());
    EXPECT_LE(fm.horizontalAdvance(t.Caption()), t.width() - 4);
    EXPECT_GT(fm.horizontalAdvance(t.Caption() + "X"), t.width() - 4);
    EXPECT_TRUE(text.endsWith(t.Caption()));
}

TEST_F(CWPanelTest, KeyerGoneMidSendAndAHugePaste)
{
    OpenKeyer();
    // Ten thousand characters pasted into a buffer: one upper-cased line, cut by the keyer's queue.
    QApplication::clipboard()->setText(QString("cq test ").repeated(1250));
    panel->CWMemo1->setFocus();
    panel->CWMemo1->selectAll();
    panel->CWMemo1->paste();
    EXPECT_EQ(panel->CWMemo1->toPlainText(), QString("CQ TEST ").repeated(1250));
    vxtest::Key(panel->CWMemo1, Qt::Key_Return, "\r");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_LE(cw->WinKey()->QueueCount(), TWinKeyer::QueueSize);
    run(200);

    // The module and its keyer go while the keyer is still sending.
    cw.reset();
    EXPECT_EQ(panel->WinKeyer(), nullptr);
    speedUp->trigger();
    speedDown->trigger();
    panel->CWSpeedBar->SetPosition(33);
    Type(panel->CWSendEdit, "a");
    EXPECT_EQ(panel->CWSpeedLabel->text(), "33 WPM");
}

TEST_F(CWPanelTest, PanelGoesBeforeTheKeyer)
{
    panel->SetWinKeyer(cw->WinKey());
    cw->WinKey()->OnWKBusy = [](bool) {}; // someone else's handler after the panel's
    delete panel;
    panel = nullptr;
    TWinKeyer* k = cw->WinKey();
    EXPECT_FALSE(k->OnWKSpeed);
    EXPECT_FALSE(k->OnCharacterRemote);
    EXPECT_TRUE(k->OnWKBusy);
    k->PrepareRX();
    k->SetSpeed(33);
    k->RemoteEcho('A');
}

TEST_F(CWPanelTest, Render)
{
    OpenKeyer();
    panel->SetApplicationType(isRemoteClient);
    cw->WinKey()->SetRemoteStatus(wksError);
    Fire(cw->WinKey()->OnWKBusy, true);
    panel->CWMemo1->setPlainText("CQ CQ DE QQ1AB QQ1AB\nPSE K");
    panel->CWMemo2->setPlainText("TU 5NN <CALL>");
    panel->CWSendEdit->setText("QRL?");
    for (QChar c : QStringLiteral("CQ TEST QQ1AB"))
        panel->CWEchoTicker->AddCharacter(c);
    run(50);
    const QImage img = Render(*panel);
    EXPECT_TRUE(SaveArtifact(img, "panel-cw.png"));
    EXPECT_TRUE(SaveArtifact(Render(*panel, 2), "panel-cw@2x.png"));
    EXPECT_EQ(Pixel(img, 60, 185), QColor(0x41, 0x41, 0x41));
    EXPECT_EQ(Pixel(img, 165, 188), QColor(0x00, 0xFF, 0x00)); // local keyer open
    EXPECT_EQ(Pixel(img, 189, 188), QColor(0xFF, 0x00, 0x00)); // busy
    EXPECT_EQ(Pixel(img, 243, 188), QColor(0xFF, 0x80, 0x00)); // remote keyer error
}
