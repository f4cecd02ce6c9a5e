// The RTTY panel bound to the RTTY module in the client role (its actions become lines to the
// server, the server's reports come back through the module): send buffer, receive monitor,
// level meter, buttons and lamps, the RTTY message editor, bad input and an offscreen render.
#include "controls/widgets/RCSpeedButton.h"
#include "controls/widgets/Shape.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "keying/widgets/MessageDlgs.h"
#include "keying/widgets/RTTYEdit.h"
#include "keying/widgets/RTTYMeter.h"
#include "keying/widgets/RTTYPanel.h"
#include "keying/widgets/SendBufferEdit.h"
#include "keying/widgets/SetRTTYMessageDlg.h"
#include "platform/Clock.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/WidgetInput.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QColor White(0xFF, 0xFF, 0xFF);
const QColor LightGreen(0x60, 0xFF, 0x60);

// One key for each character, as the keyboard sends it.
void Type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        int key = Qt::Key_unknown;
        if (c.isLetter())
            key = Qt::Key_A + (c.toUpper().unicode() - 'A');
        else if (c == QLatin1Char(' '))
            key = Qt::Key_Space;
        else if (c == QLatin1Char(';'))
            key = Qt::Key_Semicolon;
        else if (c.isDigit())
            key = Qt::Key_0 + (c.unicode() - '0');
        vxtest::KeyPress(w, key, QString(c));
        vxtest::KeyRelease(w, key, QString(c));
    }
}

void Enter(QWidget* w)
{
    vxtest::Key(w, Qt::Key_Return, QStringLiteral("\r"));
}

// Each line of the monitor with the colour of its first character.
QStringList Lines(const TRTTYEdit* e)
{
    QStringList lines;
    for (QTextBlock b = e->document()->begin(); b.isValid(); b = b.next()) {
        if (b.text().isEmpty()) {
            lines << QString();
            continue;
        }
        const QColor c = b.begin().fragment().charFormat().foreground().color();
        lines << (c == LightGreen ? "TX " : c == White ? "RX " : "?? ") + b.text();
    }
    return lines;
}

// Double-clicks the character at a position of the monitor, as the mouse does it.
void DoubleClick(TRTTYEdit* e, int position)
{
    QTextCursor c(e->document());
    c.setPosition(position);
    const QPoint at = e->cursorRect(c).center() + QPoint(2, 0);
    QWidget* vp = e->viewport();
    vxtest::MousePress(vp, at);
    vxtest::MouseRelease(vp, at);
    vxtest::SendMouse(vp, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    vxtest::MouseRelease(vp, at);
}

} // namespace

class RTTYPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        role.SetApplicationType(isRemoteClient);
        rtty.SetDM(&role);
        rtty.SetClient(&server);
        panel = new TRTTYPanel(&window);
        window.resize(panel->size());
        panel->SetMaxLines(45);
        rtty.SetRTTYPanel(panel);
        panel->OnLogCall = [this](const QString& v) { logged << "call " + v; };
        panel->OnLogName = [this](const QString& v) { logged << "name " + v; };
        window.show();
        QApplication::setActiveWindow(&window);
    }
    void TearDown() override
    {
        delete panel;
        vx::Clock::useSystem();
    }
    // A report of the server's engine, as the client's line handler delivers it.
    template <typename F>
    void Reported(F&& set)
    {
        rtty.PrepareRX();
        set();
    }

    TApplicationRole role;
    RecordingClient server;
    TDMRTTY rtty;
    QWidget window;
    TRTTYPanel* panel = nullptr;
    QStringList logged;
};

TEST_F(RTTYPanelTest, Layout)
{
    EXPECT_EQ(panel->size(), QSize(262, 251));
    EXPECT_EQ(panel->minimumSize(), QSize(262, 251));
    EXPECT_EQ(panel->Color(), QColor(0x41, 0x41, 0x41));
    EXPECT_EQ(panel->TopPanel->Caption(), "RTTY  ");
    EXPECT_EQ(panel->TopPanel->height(), 18);
    EXPECT_EQ(panel->BottomPanel->height(), 18);
    // The rows run left to right in the layout's order with the layout's widths.
    const std::pair<QWidget*, int> top[] = {{panel->OpenButton, 44}, {panel->StatusShape, 6}, {panel->ClearRXButton, 54},
                                            {panel->SquelchButton, 29}, {panel->RTTYMeter, 54}, {panel->BPFButton, 29}};
    int x = -1;
    for (const auto& [w, width] : top) {
        EXPECT_EQ(w->width(), width);
        EXPECT_GT(w->x(), x);
        x = w->x();
    }
    EXPECT_EQ(panel->RTTYMeter->height(), 14);
    EXPECT_LT(panel->TXButton->x(), panel->PTTShape->x());
    EXPECT_LT(panel->PTTShape->x(), panel->ClearTXButton->x());
    EXPECT_LT(panel->ClearTXButton->x(), panel->DeleteCheckBox->x());
    EXPECT_EQ(panel->OpenButton->Caption(), "Open");
    EXPECT_EQ(panel->OpenButton->toolTip(), "Open or close MMTTY engine");
    EXPECT_EQ(panel->TXButton->toolTip(), "Transmit, press Escape or F12 to stop transmission");
    EXPECT_EQ(panel->DeleteCheckBox->text(), "Delete buffer");
    EXPECT_FALSE(panel->DeleteCheckBox->isChecked());
    EXPECT_EQ(panel->TXEdit->toolTip(), "RTTY Send Buffer - press ENTER to send");
    EXPECT_GE(panel->TXEdit->height(), 33);
    EXPECT_TRUE(panel->RXEdit->isReadOnly());
    EXPECT_EQ(panel->StatusShape->Hint(), "MMTTY is closed");
    EXPECT_EQ(panel->ColorRX(), White);
    EXPECT_EQ(panel->ColorTX(), LightGreen);
    // Nothing in the rows is cut off.
    for (QWidget* w : {static_cast<QWidget*>(panel->BPFButton), static_cast<QWidget*>(panel->DeleteCheckBox)})
        EXPECT_LE(w->mapTo(panel, QPoint(w->width(), 0)).x(), panel->width());
    EXPECT_GE(panel->DeleteCheckBox->width(), panel->DeleteCheckBox->sizeHint().width());
}

TEST_F(RTTYPanelTest, SendBufferTakesOnlyTheSendSet)
{
    TSendBufferEdit* tx = panel->TXEdit;
    tx->setFocus();
    Type(tx, "cq de;");
    vxtest::Key(tx, Qt::Key_Backspace, "\b");
    EXPECT_EQ(tx->toPlainText(), "CQ DE");
    EXPECT_TRUE(server.Lines.isEmpty()); // nothing goes out while receiving

    // Enter while receiving sends the buffer as one message: the <CR> macro, the text, a space.
    Enter(tx);
    EXPECT_EQ(server.Lines, QStringList{"RM:<CR>CQ DE ;"});
    EXPECT_EQ(tx->toPlainText(), "CQ DE\n"); // the Enter key's own line break stays

    // Line breaks inside become carriage returns; with "Delete buffer" the buffer empties.
    server.Lines.clear();
    tx->clear();
    panel->DeleteCheckBox->setChecked(true);
    Type(tx, "ur 599");
    Enter(tx);
    Type(tx, "tu");
    Enter(tx);
    EXPECT_EQ(server.Lines, (QStringList{"RM:<CR>UR 599 ;", "RM:<CR>TU ;"}));
    EXPECT_EQ(tx->toPlainText(), "");
    // Shift+Enter sends nothing.
    Type(tx, "k");
    vxtest::KeyPress(tx, Qt::Key_Return, "\r");
    QKeyEvent shiftRelease(QEvent::KeyRelease, Qt::Key_Return, Qt::ShiftModifier, "\r");
    QApplication::sendEvent(tx, &shiftRelease);
    EXPECT_EQ(server.Lines.size(), 2);

    // While transmitting each accepted key goes out at once, and Enter is only a new line.
    tx->clear();
    server.Lines.clear();
    Reported([&] { rtty.SetPTT(true); });
    Type(tx, "a;b");
    vxtest::Key(tx, Qt::Key_Backspace, "\b");
    Enter(tx);
    EXPECT_EQ(server.Lines, (QStringList{"RS:A;", "RS:B;", "RS:\r;"}));
    EXPECT_EQ(tx->toPlainText(), "AB\n");

    // Ten thousand pasted characters: capitals, and only what the keys could have typed.
    tx->clear();
    QApplication::clipboard()->setText(QString("cq; de qq1ab\r\n").repeated(700));
    tx->paste();
    EXPECT_EQ(tx->toPlainText(), QString("CQ DE QQ1AB\n").repeated(700));
}

TEST_F(RTTYPanelTest, TransmitKey)
{
    panel->TXEdit->setPlainText("CQ");
    // Starting: the engine is told, and the transmission begins on a new line.
    panel->TX();
    EXPECT_EQ(server.Lines, (QStringList{"RX:;", "RS:\r;"}));
    EXPECT_TRUE(panel->TXEdit->hasFocus());
    // Ending: with "Delete buffer" the buffer empties.
    Reported([&] { rtty.SetPTT(true); });
    server.Lines.clear();
    panel->DeleteCheckBox->setChecked(true);
    panel->TX();
    EXPECT_EQ(server.Lines, QStringList{"RX:;"});
    EXPECT_EQ(panel->TXEdit->toPlainText(), "");
}

TEST_F(RTTYPanelTest, MonitorLinesColoursAndMaxLines)
{
    TRTTYEdit* rx = panel->RXEdit;
    panel->SetRXText("CQ CQ DE QQ1AB");
    Reported([&] { rtty.SetPTT(true); });
    panel->SetRXText("QQ1AB DE");
    Reported([&] { rtty.SetPTT(false); });
    panel->SetRXText("TU");
    EXPECT_EQ(Lines(rx), (QStringList{"RX CQ CQ DE QQ1AB", "TX QQ1AB DE", "RX TU"}));

    // A carriage return and line feed start one line.
    panel->SetRXText("\r");
    panel->SetRXText("\n");
    panel->SetRXText("NEXT\r\nLAST");
    EXPECT_EQ(Lines(rx).mid(3), (QStringList{"RX NEXT", "RX LAST"}));

    for (int i = 1; i <= 100; ++i)
        panel->SetRXText(QStringLiteral("\rLINE %1").arg(i));
    EXPECT_EQ(rx->LineCount(), 45);
    EXPECT_EQ(rx->document()->firstBlock().text(), "LINE 56");
    EXPECT_EQ(rx->document()->lastBlock().text(), "LINE 100");
    EXPECT_EQ(rx->verticalScrollBar()->value(), rx->verticalScrollBar()->maximum());

    // "Clear RX" empties the monitor.
    vxtest::Click(panel->ClearRXButton);
    EXPECT_EQ(rx->toPlainText(), "");
}

TEST_F(RTTYPanelTest, TextArrivingDuringASelectionWaitsForTheRelease)
{
    TRTTYEdit* rx = panel->RXEdit;
    panel->SetRXText("CQ DE QQ1AB ");
    QWidget* vp = rx->viewport();
    vxtest::MousePress(vp, QPoint(5, 5));
    panel->SetRXText("QQ1AB");
    Reported([&] { rtty.SetPTT(true); });
    panel->SetRXText("QQ9ZZ");
    vx::Clock::advance(3000); // held for three seconds
    EXPECT_EQ(rx->toPlainText(), "CQ DE QQ1AB ");
    vxtest::MouseRelease(vp, QPoint(40, 5));
    vx::Clock::advance(TRTTYEdit::HoldMs - 1);
    EXPECT_EQ(rx->toPlainText(), "CQ DE QQ1AB ");
    vx::Clock::advance(1);
    // Everything, in order, each piece in the colour of its moment.
    EXPECT_EQ(Lines(rx), (QStringList{"RX CQ DE QQ1AB QQ1AB", "TX QQ9ZZ"}));
    EXPECT_FALSE(rx->MouseIsDownTimer()->isActive());
    panel->SetRXText(" K");
    EXPECT_EQ(rx->document()->lastBlock().text(), "QQ9ZZ K");
}

TEST_F(RTTYPanelTest, DoubleClickHandsCallsAndNamesToTheLog)
{
    TRTTYEdit* rx = panel->RXEdit;
    const QString text = "CQ QQ1AB/P HELLO 599 TNX";
    panel->SetRXText(text);
    struct Row {
        const char* word;
        QStringList expected;
    };
    const Row rows[] = {
        {"QQ1AB/P", {"call QQ1AB/P"}}, {"HELLO", {"name HELLO"}}, {"599", {}}, {"TNX", {}},
    };
    for (const Row& r : rows) {
        logged.clear();
        DoubleClick(rx, int(text.indexOf(r.word)) + 1);
        EXPECT_EQ(logged, r.expected) << r.word;
    }
    // The selection grew to the whole callsign.
    DoubleClick(rx, int(text.indexOf("QQ1AB")) + 1);
    EXPECT_EQ(rx->textCursor().selectedText(), "QQ1AB/P");
    // Text arriving meanwhile waits for the hold to end.
    vx::Clock::advance(TRTTYEdit::HoldMs);

    // The two tests on their own.
    EXPECT_TRUE(TRTTYEdit::IsCallsign("QQ1AB"));
    EXPECT_TRUE(TRTTYEdit::IsCallsign("Q1A"));
    EXPECT_FALSE(TRTTYEdit::IsCallsign("Q1"));
    EXPECT_FALSE(TRTTYEdit::IsCallsign("/1"));
    EXPECT_TRUE(TRTTYEdit::IsName("ANN"));
    EXPECT_FALSE(TRTTYEdit::IsName("AEI"));
    EXPECT_FALSE(TRTTYEdit::IsName("JO3"));
    EXPECT_FALSE(TRTTYEdit::IsName(""));
}

TEST_F(RTTYPanelTest, LevelMeter)
{
    TRTTYMeter* m = panel->RTTYMeter;
    m->setFixedSize(131, 14);
    const std::pair<int, int> pixels[] = {{0, 0}, {512, 64}, {1024, 128}, {2000, 128}, {8, 1}};
    for (const auto& [level, x] : pixels)
        EXPECT_EQ(m->LevelPixel(level), x) << level;

    Reported([&] { rtty.SetSignalLevel(2000); });
    EXPECT_EQ(panel->SignalLevel(), 1024);
    Reported([&] { rtty.SetSignalLevel(512); });
    const QImage img = Render(*m);
    EXPECT_EQ(Pixel(img, 63, 6), QColor(0x00, 0xFF, 0x00));
    EXPECT_EQ(Pixel(img, 64, 6), QColor(Qt::black));
    // Squelch closed below its level: the bar is grey; the marker shows white above the signal.
    Reported([&] {
        rtty.SetSquelch(true);
        rtty.SetSquelchLevel(768);
    });
    EXPECT_TRUE(panel->SquelchButton->Down());
    const QImage closed = Render(*m);
    EXPECT_EQ(Pixel(closed, 30, 6), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(Pixel(closed, m->LevelPixel(768), 6), QColor(Qt::white));

    // Releasing the mouse asks for the level under it; outside the meter the ends.
    const std::pair<int, QString> releases[] = {{64, "RR:512;"}, {-10, "RR:0;"}, {400, "RR:1024;"}, {0, "RR:0;"}};
    for (const auto& [x, line] : releases) {
        server.Lines.clear();
        vxtest::MousePress(m, QPoint(qBound(0, x, 130), 7));
        vxtest::MouseRelease(m, QPoint(x, 7));
        EXPECT_EQ(server.Lines, QStringList{line}) << x;
    }
    // The marker waits for the engine's report.
    EXPECT_EQ(panel->SquelchLevel(), 768);
}

TEST_F(RTTYPanelTest, ButtonsAndEngineState)
{
    vxtest::Click(panel->OpenButton);
    EXPECT_EQ(server.Lines, QStringList{"RA:;"});
    EXPECT_FALSE(panel->OpenButton->Down()); // until the engine reports

    Reported([&] { rtty.SetConnected(true); });
    EXPECT_TRUE(panel->Connected());
    EXPECT_EQ(panel->OpenButton->Caption(), "Close");
    EXPECT_TRUE(panel->OpenButton->Down());
    EXPECT_EQ(panel->StatusShape->BrushColor(), QColor(0x00, 0xFF, 0x00));
    EXPECT_EQ(panel->StatusShape->Hint(), "MMTTY is active");
    Reported([&] {
        rtty.SetPTT(true);
        rtty.SetSignalLevel(600);
        rtty.SetBandPassFilter(true);
    });
    EXPECT_EQ(panel->PTTShape->BrushColor(), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(panel->PTTShape->Hint(), "PTT is on");
    EXPECT_TRUE(panel->TXButton->Down());
    EXPECT_TRUE(panel->BPFButton->Down());

    server.Lines.clear();
    for (TRCSpeedButton* b : {panel->OpenButton, panel->BPFButton, panel->SquelchButton, panel->TXButton})
        vxtest::Click(b);
    EXPECT_EQ(server.Lines, (QStringList{"RZ:;", "RB:0;", "RQ:1;", "RX:;"}));
    EXPECT_TRUE(panel->Squelch());
    EXPECT_TRUE(panel->TXButton->Down()); // still transmitting

    // The engine goes: empty bar, grey lamps.
    Reported([&] { rtty.SetConnected(false); });
    EXPECT_EQ(panel->SignalLevel(), 0);
    EXPECT_EQ(panel->StatusShape->BrushColor(), QColor(0x61, 0x61, 0x61));
    EXPECT_EQ(panel->PTTShape->BrushColor(), QColor(0x61, 0x61, 0x61));
    EXPECT_EQ(panel->OpenButton->Caption(), "Open");
    EXPECT_FALSE(panel->OpenButton->Down());
    const QImage meter = Render(*panel->RTTYMeter);
    for (int x = 2; x < panel->RTTYMeter->width() - 3; ++x)
        EXPECT_NE(Pixel(meter, x, 6), QColor(0x00, 0xFF, 0x00)) << x;

    // "Clear TX" empties the buffer (its event stays the panel's own).
    panel->TXEdit->setPlainText("CQ");
    bool cleared = false;
    panel->OnMMTTYClear = [&] { cleared = true; };
    vxtest::Click(panel->ClearTXButton);
    EXPECT_EQ(panel->TXEdit->toPlainText(), "");
    EXPECT_TRUE(cleared);
}

TEST_F(RTTYPanelTest, BadReceivedCodesAndLifetimes)
{
    // Codes from a remote "RM:" line as the client hands them on: controls, surrogate halves,
    // characters beyond the engine's set.
    for (uint code : {0u, 7u, 9u, 27u, 127u, 0xD800u, 0xDC00u, 0xFFFFu, 300u, 0x2029u})
        rtty.RXText(QString(QChar(char16_t(code))));
    panel->SetRXText("OK");
    EXPECT_EQ(panel->RXEdit->toPlainText(), QStringLiteral("\u012COK"));

    // The panel goes before the module: the module lets go of it.
    delete panel;
    panel = nullptr;
    EXPECT_EQ(rtty.RTTYPanel(), nullptr);
    rtty.RXText("AFTER");
    rtty.SetPTT(true);
}

TEST_F(RTTYPanelTest, RTTYMessageEditor)
{
    ScopedConfigHome home;
    QWidget owner;
    TMessageDlgs dlgs(&owner);
    TDMMessages msgs;
    msgs.SetDlgFactory(&dlgs);
    msgs.SetMessage(mtDigital, 2, "CQ CQ DE <MYCALL> <MYCALL> K");
    msgs.SetMessageCaption(mtDigital, 2, "CQ");
    msgs.SetModeType(mtDigital);

    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TSetRTTYMessageDlg*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        opened = true;
        EXPECT_EQ(dlg->windowTitle(), "Set RTTY Message #2");
        EXPECT_EQ(dlg->size(), QSize(684, 169));
        EXPECT_TRUE(dlg->windowFlags() & Qt::Tool);
        EXPECT_EQ(dlg->sLabel2->pos(), QPoint(446, 4));
        EXPECT_EQ(dlg->Edit1->geometry(), QRect(6, 23, 434, 21));
        EXPECT_EQ(dlg->Edit2->geometry(), QRect(446, 23, 105, 21));
        EXPECT_EQ(dlg->OKButton->geometry(), QRect(558, 23, 57, 21));
        EXPECT_EQ(dlg->CancelButton->geometry(), QRect(620, 23, 57, 21));
        EXPECT_EQ(dlg->Panel1->geometry(), QRect(6, 50, 266, 111));
        EXPECT_EQ(dlg->Label2->text().split('\n'),
                  (QStringList{"<MYCALL>", "<CALL>", "<NAME>", "<RST>", "<STX>", "<CR>"}));
        EXPECT_EQ(dlg->Label1->text().split('\n').last(), "sends Carriage Return");
        for (QLabel* l : {dlg->Label1, dlg->Label2, dlg->Label3})
            EXPECT_TRUE(l->parentWidget()->rect().adjusted(2, 2, -2, -2).contains(QRect(l->pos(), l->sizeHint())))
                << l->text().left(12).toStdString();
        EXPECT_EQ(dlg->Edit1->text(), "CQ CQ DE <MYCALL> <MYCALL> K");
        EXPECT_EQ(dlg->Edit2->text(), "CQ");
        EXPECT_TRUE(SaveArtifact(Render(*dlg), "dialog-setrttymessage.png"));
        dlg->Edit1->setText("qrz? de <mycall>");
        vxtest::Click(dlg->OKButton);
    });
    msgs.SetMessageAction(2)->trigger();
    ASSERT_TRUE(opened);
    EXPECT_EQ(msgs.GetMessage(mtDigital, 2), "QRZ? DE <MYCALL>");
}

TEST_F(RTTYPanelTest, Render)
{
    panel->resize(300, 251);
    Reported([&] {
        rtty.SetConnected(true);
        rtty.SetSquelch(true);
        rtty.SetSquelchLevel(300);
        rtty.SetSignalLevel(700);
        rtty.SetBandPassFilter(true);
    });
    panel->SetRXText("CQ CQ DE QQ1AB QQ1AB PSE K\r\nQQ1AB DE QQ9ZZ QQ9ZZ K\r\n");
    Reported([&] { rtty.SetPTT(true); });
    panel->SetRXText("QQ9ZZ DE QQ1AB UR 599 599 NAME HELLO HELLO BK");
    Reported([&] { rtty.SetPTT(false); });
    panel->SetRXText("R R TNX FER QSO 73");
    panel->TXEdit->setPlainText("TU 73 DE QQ1AB");
    const QImage img = Render(*panel);
    EXPECT_TRUE(SaveArtifact(img, "panel-rtty.png"));
    EXPECT_TRUE(SaveArtifact(Render(*panel, 2), "panel-rtty@2x.png"));
    EXPECT_EQ(Pixel(img, panel->width() - 6, panel->height() - 9), QColor(0x41, 0x41, 0x41));
    const QPoint lamp = panel->StatusShape->mapTo(panel, panel->StatusShape->rect().center());
    EXPECT_EQ(Pixel(img, lamp.x(), lamp.y()), QColor(0x00, 0xFF, 0x00));
}
