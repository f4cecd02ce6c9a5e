// The CAT monitor: its layout, what it lists by filter and link state, the 2000-line cap, a
// command typed and sent to the radio simulator, saving the list, and an offscreen render.
#include "client/widgets/CATMonitorPanel.h"
#include "controls/widgets/RCSpeedButton.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/remote/RadioRig.h"
#include "tests/support/PrivateMounts.h"
#include "tests/support/WidgetInput.h"

#include <QRegularExpression>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using vxtest::waitUntil;

namespace {

class CATMonitorTest : public remotetest::RadioRig {
protected:
    void SetUp() override
    {
        RadioRig::SetUp();
        Panel = std::make_unique<TCATMonitorPanel>();
        Panel->SetFTCATInterface(&Cat());
        // The main window's feed: every command after it went out, every answer.
        RadioModule->FT2KCATCommandTXEvent = [this](const QString& s) {
            Writer->DoCATCommandTX(s);
            Panel->DoCATCommand(true, s);
        };
        RadioModule->FT2KCATCommandRXEvent = [this](const QString& s) { Panel->DoCATCommand(false, s); };
    }
    void TearDown() override
    {
        Panel.reset();
        RadioModule->FT2KCATCommandRXEvent = nullptr;
        RadioRig::TearDown();
    }
    void Type(const QString& text)
    {
        for (const QChar c : text)
            vxtest::Key(Panel->CATMonitorEdit, 0, QString(c));
        vxtest::Key(Panel->CATMonitorEdit, Qt::Key_Return);
    }
    std::unique_ptr<TCATMonitorPanel> Panel;
};

TEST_F(CATMonitorTest, Layout)
{
    TCATMonitorPanel& p = *Panel;
    EXPECT_EQ(p.size(), QSize(457, 433));
    struct Place {
        QWidget* w;
        QRect at;
    };
    for (const Place& c : {Place{p.CATMonitorLabel1, {3, 3, 99, 13}}, Place{p.CATMonitorEdit, {3, 22, 302, 21}},
                           Place{p.CATMonitorMemo, {3, 49, 303, 361}}, Place{p.CATMonitorGroupBox, {311, 49, 137, 160}},
                           Place{p.StartSpeedButton, {312, 22, 49, 22}}, Place{p.StopSpeedButton, {367, 22, 49, 22}},
                           Place{p.ClearSpeedButton, {312, 216, 49, 22}}, Place{p.SaveSpeedButton, {367, 216, 49, 22}}})
        EXPECT_EQ(c.w->geometry(), c.at) << c.w->metaObject()->className();
    EXPECT_EQ(p.CATMonitorLabel1->text(), "Send CAT Command");
    EXPECT_EQ(p.CATMonitorGroupBox->title(), " Show ");
    struct Filter {
        QCheckBox* box;
        const char* caption;
        int top;
        bool checked;
    };
    for (const Filter& f : {Filter{p.CATMonitorCB1, "TX commands", 16, true}, Filter{p.CATMonitorCB2, "RX/TX markers", 41, true},
                            Filter{p.CATMonitorCB3, "Frequency (FA, FB)", 65, true},
                            Filter{p.CATMonitorCB4, "Bargraph (BG)", 88, false},
                            Filter{p.CATMonitorCB5, "Meter (RM, SM)", 112, false},
                            Filter{p.CATMonitorCB6, "Power Switch", 137, false}}) {
        SCOPED_TRACE(f.caption);
        EXPECT_EQ(f.box->text(), f.caption);
        EXPECT_EQ(f.box->pos(), QPoint(8, f.top));
        EXPECT_EQ(f.box->height(), 19);
        EXPECT_EQ(f.box->isChecked(), f.checked);
        EXPECT_LE(f.box->sizeHint().width(), f.box->width()) << "caption clipped";
        EXPECT_TRUE(p.CATMonitorGroupBox->rect().contains(f.box->geometry()));
    }
    EXPECT_EQ(p.StartSpeedButton->text(), "Start");
    EXPECT_TRUE(p.StartSpeedButton->Down());
    EXPECT_FALSE(p.StopSpeedButton->Down());
    EXPECT_LE(p.CATMonitorLabel1->sizeHint().width(), p.CATMonitorLabel1->width());
    EXPECT_LE(p.CATMonitorLabel1->fontMetrics().height(), p.CATMonitorLabel1->height());
    EXPECT_EQ(p.CATMonitorEdit->font().pixelSize(), 11);
    for (QWidget* field : {static_cast<QWidget*>(p.CATMonitorEdit), static_cast<QWidget*>(p.CATMonitorMemo)}) {
        EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::black));
        EXPECT_EQ(field->palette().color(QPalette::Text), QColor(0xC0, 0xC0, 0xC0));
    }
    EXPECT_TRUE(p.CATMonitorMemo->isReadOnly());
    EXPECT_EQ(p.CATMonitorEdit->nextInFocusChain(), p.CATMonitorMemo);

    // Shown and resized, the list reaches down to 8 pixels above the panel's bottom.
    p.show();
    EXPECT_EQ(p.CATMonitorMemo->geometry(), QRect(3, 49, 303, 376));
    p.resize(457, 600);
    EXPECT_EQ(p.CATMonitorMemo->geometry(), QRect(3, 49, 303, 543));
}

TEST_F(CATMonitorTest, WhatIsListed)
{
    struct Case {
        const char* what;
        QCheckBox* toggled; // unchecked or checked against the default, or null
        bool transmitted;
        QString text;
        QString listed; // empty: nothing
    };
    TCATMonitorPanel& p = *Panel;
    const Case cases[] = {
        {"an answer", nullptr, false, "FA14074000;", "RX: FA14074000;"},
        {"a command", nullptr, true, "FA14074000;", "TX: FA14074000;"},
        {"other answers", nullptr, false, "MD03;", "RX: MD03;"},
        {"meter by default", nullptr, false, "RM5100;", ""},
        {"S meter by default", nullptr, false, "SM0100;", ""},
        {"bargraph by default", nullptr, false, "BG0100;", ""},
        {"power by default", nullptr, true, "PS;", ""},
        {"meter shown", p.CATMonitorCB5, false, "RM5100;", "RX: RM5100;"},
        {"bargraph shown", p.CATMonitorCB4, false, "BG0100;", "RX: BG0100;"},
        {"power shown", p.CATMonitorCB6, true, "PS;", "TX: PS;"},
        {"frequency hidden", p.CATMonitorCB3, false, "FB07000000;", ""},
        {"frequency command hidden", p.CATMonitorCB3, true, "FA14074000;", ""},
        {"no markers", p.CATMonitorCB2, false, "MD03;", "MD03;"},
        {"commands hidden", p.CATMonitorCB1, true, "MD03;", ""},
        {"answers stay when commands are hidden", p.CATMonitorCB1, false, "MD03;", "RX: MD03;"},
    };
    Cat().SetComState(csOffline);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        p.CATMonitorMemo->clear();
        if (c.toggled)
            c.toggled->toggle();
        p.DoCATCommand(c.transmitted, c.text);
        EXPECT_EQ(p.Lines(), c.listed.isEmpty() ? QStringList() : QStringList{c.listed});
        if (c.toggled)
            c.toggled->toggle();
    }
}

TEST_F(CATMonitorTest, LinkStateCapturingAndTheCap)
{
    TCATMonitorPanel& p = *Panel;
    ASSERT_EQ(Cat().ComState(), csInitializing);
    p.DoCATCommand(false, "FA14074000;");
    EXPECT_TRUE(p.Lines().isEmpty()) << "listed before the port was ever opened";

    Cat().SetComState(csConnected);
    p.StopSpeedButton->click();
    EXPECT_FALSE(p.AddLines());
    p.DoCATCommand(false, "MD03;");
    EXPECT_TRUE(p.Lines().isEmpty());
    p.StartSpeedButton->click();
    EXPECT_TRUE(p.AddLines());

    for (int i = 1; i <= TCATMonitorPanel::MaxLines + 1; ++i)
        p.DoCATCommand(false, QStringLiteral("MD0%1;").arg(i));
    const QStringList lines = p.Lines();
    ASSERT_EQ(lines.size(), 2000);
    EXPECT_EQ(lines.first(), "RX: MD02;");
    EXPECT_EQ(lines.last(), "RX: MD02001;");

    p.ClearSpeedButton->click();
    EXPECT_TRUE(p.Lines().isEmpty());
}

TEST_F(CATMonitorTest, ATypedCommandIsSentNotTakenAsAnAnswer)
{
    ASSERT_TRUE(ConnectRadio("FA07000000;"));
    Radio.setAutoInformation(false);
    Radio.clearCommands();
    Panel->CATMonitorMemo->clear();

    // An empty field sends nothing.
    Type("");
    Type("fa14074000");
    EXPECT_EQ(Panel->CATMonitorEdit->text(), "FA14074000;");
    // The engine's power-state requests ("PS") go on meanwhile; they are not what was typed.
    const auto typed = [&] { return Radio.commands().filter(QRegularExpression("^(?!PS$)")); };
    ASSERT_TRUE(waitUntil([&] { return !typed().isEmpty(); }));
    EXPECT_EQ(typed(), QStringList{"FA14074000"});
    EXPECT_EQ(Radio.frequency(vfoA), 14074000);
    // The radio took it without answering: the engine has not heard of it.
    EXPECT_EQ(Cat().FrequencyA(), 7000000);
    EXPECT_EQ(Panel->Lines().filter(QRegularExpression("^(?!.X: PS)")), QStringList{"TX: FA14074000;"});

    // Asked, the radio answers, and only then the engine changes.
    Panel->CATMonitorEdit->clear();
    Type("FA");
    ASSERT_TRUE(waitUntil([&] { return Cat().FrequencyA() == 14074000; }));
    EXPECT_EQ(typed(), (QStringList{"FA14074000", "FA"}));
    EXPECT_EQ(Panel->Lines().filter(QRegularExpression("^(?!.X: PS)")),
              (QStringList{"TX: FA14074000;", "TX: FA;", "RX: FA14074000;"}));
}

TEST_F(CATMonitorTest, SavingTheList)
{
    Cat().SetComState(csConnected);
    Panel->DoCATCommand(true, "FA;");
    Panel->DoCATCommand(false, "FA14074000;");
    QTemporaryDir dir;
    const QString file = dir.filePath("cat_protocol.txt");
    EXPECT_EQ(Panel->SaveToFile(file), "");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "TX: FA;\nRX: FA14074000;\n");
    f.close();

    // A folder that cannot be written: the failure is reported and the old file stays.
    Panel->DoCATCommand(false, "MD03;");
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    {
        vxtest::TObeyFileModes obey;
        const QString error = Panel->SaveToFile(file);
        EXPECT_TRUE(error.contains("cat_protocol.txt")) << error.toStdString();
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "TX: FA;\nRX: FA14074000;\n");
}

TEST_F(CATMonitorTest, Render)
{
    Cat().SetComState(csConnected);
    Panel->CATMonitorCB5->setChecked(true);
    const std::pair<bool, const char*> traffic[] = {{true, "FA;"},  {false, "FA14074000;"}, {true, "MD0;"},
                                                    {false, "MD03;"}, {true, "RM5;"},          {false, "RM5087;"}};
    for (const auto& [transmitted, text] : traffic)
        Panel->DoCATCommand(transmitted, QString::fromLatin1(text));
    Panel->CATMonitorEdit->setText("FA14074000;");
    Panel->show(); // as on its page: the list reaches down to the bottom
    for (qreal dpr : {1.0, 2.0}) {
        const QImage img = Render(*Panel, dpr);
        EXPECT_TRUE(SaveArtifact(img, dpr == 1.0 ? "panel-cat-monitor.png" : "panel-cat-monitor@2x.png"));
    }
}

} // namespace
