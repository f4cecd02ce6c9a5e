// The message memories: their defaults and index rules, the actions and what ModeType makes
// of them, the settings, and the dispatch of a message, an abort and a clear to the radio,
// the keyer, the router and the RTTY module, each played by its simulator or a pty.
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/MicroHamInterface.h"
#include "core/cat/FTCATInterface.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "keying/MessageDlgLink.h"
#include "platform/SerialPort.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/support/Pty.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/WinKeyerSimulator.h"

#include <QAction>
#include <QKeySequence>
#include <QRegularExpression>
#include <gtest/gtest.h>

using vxtest::run;
using vxtest::runUntil;

namespace {

QStringList Captions(const TDMMessages& m)
{
    QStringList c;
    for (int n = 1; n <= 9; ++n)
        c << m.MessageAction(n)->text();
    return c;
}

QStringList Hints(const TDMMessages& m)
{
    QStringList h;
    for (int n = 1; n <= 9; ++n)
        h << m.MessageAction(n)->toolTip();
    return h;
}

QStringList Numbered(const QString& format)
{
    QStringList list;
    for (int n = 1; n <= 9; ++n)
        list << format.arg(n);
    return list;
}

// An editor that answers as the test tells it and remembers what it was shown.
class FakeDlg : public TMessageDlgLink {
public:
    struct Script {
        bool ok = true;
        QString message, caption;
        // What the last editor was shown.
        QString shownCaption, shownMessage, shownMessageCaption;
        bool captionEnabled = true;
        int created = 0;
    };
    explicit FakeDlg(Script& s)
        : S(s)
    {
        ++S.created;
    }
    void SetCaption(const QString& v) override { S.shownCaption = v; }
    QString Message() const override { return S.message; }
    void SetMessage(const QString& v) override { S.shownMessage = v; }
    QString MessageCaption() const override { return S.caption; }
    void SetMessageCaption(const QString& v) override { S.shownMessageCaption = v; }
    void SetMessageCaptionEnabled(bool v) override { S.captionEnabled = v; }
    bool Execute() override { return S.ok; }
    Script& S;
};

class FakeDlgFactory : public TMessageDlgFactory {
public:
    std::unique_ptr<TMessageDlgLink> CreateCWMessageDlg() override { return std::make_unique<FakeDlg>(CW); }
    std::unique_ptr<TMessageDlgLink> CreateRTTYMessageDlg() override { return std::make_unique<FakeDlg>(RTTY); }
    FakeDlg::Script CW, RTTY;
};

} // namespace

// A message module on its own, with a settings module.
class MessagesTest : public ::testing::Test {
protected:
    ScopedConfigHome home;
    TApplicationRole dm;
    std::unique_ptr<TDMApplication> app = std::make_unique<TDMApplication>();
    TDMMessages msgs;
};

TEST_F(MessagesTest, CreationDefaultsAndIndexRange)
{
    EXPECT_EQ(DMMessages, &msgs);
    EXPECT_EQ(msgs.ModeType(), mtCW);
    for (TModeType mode : {mtCW, mtDigital}) {
        for (int n = 1; n <= 9; ++n) {
            EXPECT_EQ(msgs.GetMessage(mode, n), "");
            EXPECT_EQ(msgs.GetMessageCaption(mode, n), QStringLiteral("Msg %1").arg(n));
        }
        EXPECT_EQ(msgs.GetMessage(mode, 10), "<CALL> TU <RST> BK");
        EXPECT_EQ(msgs.GetMessage(mode, 11), "TU <CALL>");
        EXPECT_EQ(msgs.GetMessageCaption(mode, 10), "INS Msg");
        EXPECT_EQ(msgs.GetMessageCaption(mode, 11), "+ Msg");
    }
    EXPECT_EQ(msgs.GetMessageCaption(mtPhone, 9), "Msg 9");
    EXPECT_EQ(msgs.GetMessageCaption(mtPhone, 10), "");

    // Only CW and RTTY keep texts; captions of every kind; an empty caption shows "<empty>".
    msgs.SetMessage(mtPhone, 1, "phone");
    msgs.SetMessage(mtAll, 1, "all");
    EXPECT_EQ(msgs.GetMessage(mtCW, 1), "");
    EXPECT_EQ(msgs.GetMessage(mtPhone, 1), "");
    msgs.SetMessage(mtDigital, 1, "cq rtty");
    EXPECT_EQ(msgs.GetMessage(mtDigital, 1), "cq rtty");
    EXPECT_EQ(msgs.GetMessage(mtCW, 1), "");
    msgs.SetMessageCaption(mtPhone, 2, "");
    EXPECT_EQ(msgs.GetMessageCaption(mtPhone, 2), "<empty>");
    msgs.SetMessageCaption(mtAll, 2, "x");
    EXPECT_EQ(msgs.GetMessageCaption(mtAll, 2), "");

    // Indexes outside the memories change nothing and read empty.
    for (TModeType mode : {mtCW, mtPhone, mtDigital}) {
        for (int n : {0, 12, -1}) {
            msgs.SetMessage(mode, n, "X");
            msgs.SetMessageCaption(mode, n, "X");
            EXPECT_EQ(msgs.GetMessage(mode, n), "");
            EXPECT_EQ(msgs.GetMessageCaption(mode, n), "");
        }
    }
    msgs.SetMessageCaption(mtPhone, 10, "X");
    EXPECT_EQ(msgs.GetMessageCaption(mtPhone, 10), "");
    EXPECT_EQ(msgs.GetMessage(mtCW, 11), "TU <CALL>");
    EXPECT_EQ(msgs.GetMessageCaption(mtCW, 11), "+ Msg");
    EXPECT_EQ(msgs.MessageAction(0), nullptr);
    EXPECT_EQ(msgs.SetMessageAction(12), nullptr);
}

TEST_F(MessagesTest, ActionsCarryTagsCategoriesCaptionsAndKeys)
{
    struct Case {
        QAction* action;
        const char* name;
        int tag;
        const char* category;
        const char* caption;
        QKeySequence key;
    };
    const Case cases[] = {
        {msgs.MessageAction(1), "Message1Action", 1, "Messages", "<empty>", QKeySequence(Qt::Key_F1)},
        {msgs.MessageAction(9), "Message9Action", 9, "Messages", "<empty>", QKeySequence(Qt::Key_F9)},
        {msgs.MessageAction(10), "Message10Action", 10, "Messages", "Message after INS key", QKeySequence(Qt::Key_Insert)},
        {msgs.MessageAction(11), "Message11Action", 11, "Messages", "Message after + key", QKeySequence()},
        {msgs.SetMessageAction(1), "SetMessage1Action", 1, "SetMessages", "Set Message 1", QKeySequence(Qt::SHIFT | Qt::Key_F1)},
        {msgs.SetMessageAction(9), "SetMessage9Action", 9, "SetMessages", "Set Message 9", QKeySequence(Qt::SHIFT | Qt::Key_F9)},
        {msgs.SetMessageAction(10), "SetMessage10Action", 10, "SetMessages", "Set Message after INS key",
         QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {msgs.SetMessageAction(11), "SetMessage11Action", 11, "SetMessages", "Set Message after + key",
         QKeySequence(Qt::SHIFT | Qt::Key_Plus)},
        {msgs.SetMessagesAction, "SetMessagesAction", 0, "SetMessages", "Set CW Messages...", QKeySequence()},
        {msgs.EscapeAction, "EscapeAction", 0, "Abort", "&Abort Transmission", QKeySequence(Qt::Key_Escape)},
        {msgs.ClearAction, "ClearAction", 0, "Abort", "Clear &Buffer", QKeySequence()},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.action, nullptr) << c.name;
        EXPECT_EQ(c.action->objectName(), c.name);
        EXPECT_EQ(c.action->data().toInt(), c.tag) << c.name;
        EXPECT_EQ(c.action->property("Category").toString(), c.category) << c.name;
        EXPECT_EQ(c.action->text(), c.caption) << c.name;
        EXPECT_EQ(c.action->shortcut(), c.key) << c.name;
    }
    EXPECT_EQ(msgs.Actions().size(), 25);
    EXPECT_EQ(msgs.MessageAction(4)->toolTip(), "Msg 4");
    EXPECT_EQ(msgs.ClearAction->toolTip(), "Clear buffer and stop sending");
    EXPECT_EQ(msgs.MessageAction(5)->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(msgs.SetMessageAction(5)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
}

TEST_F(MessagesTest, ModeTypeSetsCaptionsEnablingAndHints)
{
    msgs.SetMessage(mtCW, 3, "CQ TEST DE <MYCALL>");
    msgs.SetMessageCaption(mtCW, 3, "CQ");
    msgs.SetMessage(mtDigital, 2, "RYRYRY");
    msgs.SetMessageCaption(mtDigital, 2, "RY");
    msgs.SetMessageCaption(mtPhone, 1, "CQ contest");

    QStringList cw = Numbered("Msg %1"), rtty = Numbered("Msg %1"), phone = Numbered("Msg %1");
    cw[2] = "CQ";
    rtty[1] = "RY";
    phone[0] = "CQ contest";
    QStringList cwHints(9, "<empty>"), rttyHints(9, "<empty>");
    cwHints[2] = "CQ TEST DE <MYCALL>";
    rttyHints[1] = "RYRYRY";

    struct Case {
        TModeType mode;
        QStringList captions, hints;
        bool messages10and11, setMessages, clear;
        const char* setMessagesCaption;
    };
    const Case cases[] = {
        {mtCW, cw, cwHints, true, true, true, "Set CW Messages..."},
        {mtPhone, phone, Numbered("Msg %1"), false, false, false, "Set Messages..."},
        {mtDigital, rtty, rttyHints, true, true, true, "Set RTTY Messages..."},
        // mtAll keeps what the last mode type set, except the hints.
        {mtAll, rtty, Numbered("Msg %1"), true, true, true, "Set RTTY Messages..."},
    };
    for (const Case& c : cases) {
        msgs.SetModeType(c.mode);
        EXPECT_EQ(msgs.ModeType(), c.mode);
        EXPECT_EQ(Captions(msgs), c.captions) << int(c.mode);
        EXPECT_EQ(Hints(msgs), c.hints) << int(c.mode);
        EXPECT_EQ(msgs.MessageAction(10)->isEnabled(), c.messages10and11) << int(c.mode);
        EXPECT_EQ(msgs.MessageAction(11)->isEnabled(), c.messages10and11) << int(c.mode);
        EXPECT_EQ(msgs.SetMessagesAction->isEnabled(), c.setMessages) << int(c.mode);
        EXPECT_EQ(msgs.SetMessagesAction->text(), c.setMessagesCaption) << int(c.mode);
        EXPECT_TRUE(msgs.EscapeAction->isEnabled()) << int(c.mode);
        EXPECT_EQ(msgs.ClearAction->isEnabled(), c.clear) << int(c.mode);
    }

    // The same mode type again, or Update, shows what changed meanwhile.
    msgs.SetModeType(mtCW);
    msgs.SetMessage(mtCW, 3, "");
    msgs.SetMessageCaption(mtCW, 3, "");
    msgs.SetModeType(mtCW);
    EXPECT_EQ(msgs.MessageAction(3)->text(), "<empty>");
    EXPECT_EQ(msgs.MessageAction(3)->toolTip(), "<empty>");
    msgs.SetMessage(mtCW, 3, "TEST");
    msgs.Update();
    EXPECT_EQ(msgs.MessageAction(3)->toolTip(), "TEST");
}

TEST_F(MessagesTest, SettingsRoundTripThroughANewStore)
{
    // Texts as the store must keep them: separators, braces, quotes, control characters.
    const QString odd = QStringLiteral("cq;de}x \"a=b\"\\n\x01\x07\tk#1");
    msgs.SetMessage(mtCW, 1, odd);
    msgs.SetMessage(mtCW, 10, "");
    msgs.SetMessage(mtCW, 11, "73 <CALL>");
    msgs.SetMessageCaption(mtCW, 1, "Odd");
    msgs.SetMessageCaption(mtCW, 9, "");
    msgs.SetMessageCaption(mtCW, 10, "not stored");
    msgs.SetMessage(mtDigital, 5, "RYRY; {CALL}");
    msgs.SetMessageCaption(mtDigital, 5, "RY");
    msgs.SetMessageCaption(mtPhone, 5, "not stored");
    msgs.IniWrite();
    app->Close();
    app.reset();

    app = std::make_unique<TDMApplication>();
    TDMMessages read;
    read.IniRead();
    EXPECT_EQ(read.GetMessage(mtCW, 1), odd);
    EXPECT_EQ(read.GetMessage(mtCW, 10), "");
    EXPECT_EQ(read.GetMessage(mtCW, 11), "73 <CALL>");
    EXPECT_EQ(read.GetMessageCaption(mtCW, 1), "Odd");
    EXPECT_EQ(read.GetMessageCaption(mtCW, 9), "<empty>");
    EXPECT_EQ(read.GetMessageCaption(mtCW, 10), "INS Msg");
    EXPECT_EQ(read.GetMessage(mtDigital, 5), "RYRY; {CALL}");
    EXPECT_EQ(read.GetMessageCaption(mtDigital, 5), "RY");
    EXPECT_EQ(read.GetMessage(mtDigital, 10), "<CALL> TU <RST> BK");
    EXPECT_EQ(read.GetMessageCaption(mtPhone, 5), "Msg 5");
    EXPECT_EQ(app->IniRegistry()->ReadString(TDMMessages::SectionCW, "Caption9", ""), "<empty>");
    EXPECT_FALSE(app->IniRegistry()->ValueExists(TDMMessages::SectionCW, "Caption10"));
    EXPECT_TRUE(app->IniRegistry()->ValueExists(TDMMessages::SectionFSK, "Message11"));
}

TEST_F(MessagesTest, AFreshInstallationReadsEmptyTextsAndCaptions)
{
    msgs.IniRead();
    for (TModeType mode : {mtCW, mtDigital}) {
        EXPECT_EQ(msgs.GetMessage(mode, 10), "");
        EXPECT_EQ(msgs.GetMessage(mode, 11), "");
        EXPECT_EQ(msgs.GetMessageCaption(mode, 1), "<empty>");
        EXPECT_EQ(msgs.GetMessageCaption(mode, 10), "INS Msg");
    }
}

TEST_F(MessagesTest, SetMessageActionsEditThroughTheDialogOfTheModeType)
{
    FakeDlgFactory dlgs;
    msgs.SetDlgFactory(&dlgs);
    msgs.SetMessage(mtDigital, 4, "CQ CQ");
    msgs.SetMessageCaption(mtDigital, 4, "CQ");

    msgs.SetModeType(mtDigital);
    dlgs.RTTY.message = "CQ TEST";
    dlgs.RTTY.caption = "";
    msgs.SetMessageAction(4)->trigger();
    EXPECT_EQ(dlgs.RTTY.shownCaption, "Set RTTY Message #4");
    EXPECT_EQ(dlgs.RTTY.shownMessage, "CQ CQ");
    EXPECT_EQ(dlgs.RTTY.shownMessageCaption, "CQ");
    EXPECT_TRUE(dlgs.RTTY.captionEnabled);
    EXPECT_EQ(msgs.GetMessage(mtDigital, 4), "CQ TEST");
    EXPECT_EQ(msgs.MessageAction(4)->text(), "<empty>");
    EXPECT_EQ(msgs.MessageAction(4)->toolTip(), "CQ TEST");
    EXPECT_EQ(dlgs.CW.created, 0);

    const std::pair<int, const char*> captions[] = {{10, "Set RTTY Message INS key"}, {11, "Set RTTY Message + key"}};
    for (const auto& [n, caption] : captions) {
        msgs.SetMessageAction(n)->trigger();
        EXPECT_EQ(dlgs.RTTY.shownCaption, caption);
        EXPECT_FALSE(dlgs.RTTY.captionEnabled);
    }

    // Cancel keeps everything.
    dlgs.RTTY.ok = false;
    dlgs.RTTY.message = "LOST";
    msgs.SetMessageAction(4)->trigger();
    EXPECT_EQ(msgs.GetMessage(mtDigital, 4), "CQ TEST");

    // No editor in the voice modes.
    const int made = dlgs.RTTY.created + dlgs.CW.created;
    for (TModeType mode : {mtPhone, mtAll}) {
        msgs.SetModeType(mode);
        msgs.SetMessageAction(1)->trigger();
    }
    EXPECT_EQ(dlgs.RTTY.created + dlgs.CW.created, made);

    msgs.SetModeType(mtCW);
    dlgs.CW.message = "TU";
    dlgs.CW.caption = "TU";
    msgs.SetMessageAction(11)->trigger();
    EXPECT_EQ(dlgs.CW.shownCaption, "Set CW Message + key");
    EXPECT_EQ(dlgs.CW.shownMessage, "TU <CALL>");
    EXPECT_EQ(msgs.GetMessage(mtCW, 11), "TU");
}

// The message module with every device it plays on: the radio simulator on the CAT port, the
// WinKeyer simulator on the keyer's port, a pty as the router, and the RTTY module in the
// client role, whose actions become lines to the server.
class MessageDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        ASSERT_TRUE(radioSim.ok() && keyerSim.ok() && router.ok());
        app = std::make_unique<TDMApplication>();
        app->SetDM(&dm);

        radio.SetDM(&dm);
        radio.FT2KCATCommandTXEvent = [this](const QString& v) { writer.DoCATCommandTX(v); };
        radio.RadioComPort()->setPort(radioSim.portName());
        ASSERT_TRUE(radio.RadioComPort()->open());

        cw.SetDM(&dm);
        cw.WinKeyComPort()->setPort(keyerSim.portName());
        cw.Open();
        ASSERT_TRUE(runUntil([&] { return cw.WinKey()->Active(); }, 2000));

        dvk.SetDM(&dm);
        dvk.SetMessages(&msgs);
        dvk.ComPort()->setPort(router.slaveName());
        dvk.Open();
        ASSERT_TRUE(dvk.ComPort()->connected());

        rttyRole.SetApplicationType(isRemoteClient);
        rtty.SetDM(&rttyRole);
        rtty.SetClient(&rttyServer);

        msgs.SetDM(&dm);
        msgs.SetRadio(&radio);
        msgs.SetCW(&cw);
        msgs.SetDVK(&dvk);
        msgs.SetRTTY(&rtty);
        msgs.SetMessage(mtCW, 1, "CQ TEST");
        msgs.SetMessage(mtDigital, 2, "CQ RTTY");
        Settle();
    }
    void TearDown() override
    {
        dvk.Close();
        cw.Close();
        vx::Clock::useSystem();
    }
    // Lets all traffic arrive, then forgets it.
    void Settle()
    {
        run(300);
        radioSim.clearCommands();
        keyerSim.clearLog();
        router.readAvailable();
        rttyServer.Lines.clear();
    }
    void RadioMode(char mode) { radio.FTCATInterface()->HandleCATCommand(QStringLiteral("MD0%1;").arg(QLatin1Char(mode))); }
    void Press(int n) { msgs.MessageAction(n)->trigger(); }
    // The radio's voice-memory commands since the last Settle.
    QStringList Playbacks()
    {
        run(50);
        return radioSim.commands().filter(QRegularExpression("^PB"));
    }
    QByteArray Router()
    {
        run(50);
        return router.readAvailable();
    }
    QByteArray Keyer(int bytes)
    {
        runUntil([&] { return keyerSim.received().size() >= bytes; }, 5000);
        return keyerSim.received();
    }

    ScopedConfigHome home;
    vxtest::RadioSimulator radioSim{FT2000};
    vxtest::WinKeyerSimulator keyerSim;
    vxtest::Pty router;
    TApplicationRole dm, rttyRole;
    RecordingClient rttyServer;
    std::unique_ptr<TDMApplication> app;
    TDMRadio radio;
    TCATCommandWriter writer{&radio};
    TDMCW cw;
    TDMDVK dvk;
    TDMRTTY rtty;
    TDMMessages msgs;
};

TEST_F(MessageDispatch, CWModeTypePlaysTheRadioMemoryInSidebandAndCWTextInCW)
{
    msgs.SetModeType(mtCW);
    RadioMode('2'); // USB
    Press(1);
    EXPECT_EQ(Playbacks(), QStringList{"PB01"});
    // The radio has five voice memories: F6 ... F9, Ins and "+" send nothing.
    for (int n : {6, 9, 10, 11})
        Press(n);
    Press(5);
    EXPECT_EQ(Playbacks(), (QStringList{"PB01", "PB05"}));
    EXPECT_TRUE(radioSim.rejected().isEmpty()) << radioSim.rejected().join(",").toStdString();
    EXPECT_TRUE(keyerSim.received().isEmpty());

    RadioMode('1'); // LSB
    Press(3);
    EXPECT_EQ(Playbacks().last(), "PB03");

    // FM, AM, FSK, packet: nothing anywhere.
    Settle();
    for (char mode : {'4', '5', '6', 'C'}) {
        RadioMode(mode);
        Press(1);
    }
    EXPECT_TRUE(Playbacks().isEmpty());
    EXPECT_TRUE(keyerSim.received().isEmpty());

    RadioMode('3'); // CW
    Press(1);
    EXPECT_EQ(Keyer(7), "CQ TEST");
    EXPECT_TRUE(Playbacks().isEmpty());

    // A message with characters the keyer must never see reaches it filtered.
    run(5000);
    keyerSim.clearLog();
    msgs.SetMessage(mtCW, 2, QStringLiteral("cq;de}x\x01\x07 \tk"));
    RadioMode('7'); // CW reverse
    Press(2);
    EXPECT_EQ(Keyer(8), "CQ;DEX K");
}

TEST_F(MessageDispatch, PhoneModeTypePlaysOnTheRouterOrOnTheRadio)
{
    msgs.SetModeType(mtPhone);
    RadioMode('2');
    Press(3);
    EXPECT_EQ(Router(), "MP3\r");
    EXPECT_TRUE(Playbacks().isEmpty());

    // Without the message panel in use, the radio's own memories play.
    TPanelPosition p = app->PositionMessages();
    p.Use = false;
    app->SetPositionMessages(p);
    Press(3);
    EXPECT_EQ(Playbacks(), QStringList{"PB03"});
    Press(7);
    EXPECT_EQ(Playbacks(), QStringList{"PB03"});
    EXPECT_TRUE(Router().isEmpty());
}

TEST_F(MessageDispatch, DigitalModeTypeSendsOnlyThroughTheEngine)
{
    msgs.SetModeType(mtDigital);
    Press(2);
    EXPECT_TRUE(rttyServer.Lines.isEmpty());
    rtty.SetUseMMTTYEngine(true);
    Press(2);
    EXPECT_EQ(rttyServer.Lines, QStringList{"RM:CQ RTTY;"});
    EXPECT_TRUE(Playbacks().isEmpty());
    EXPECT_TRUE(keyerSim.received().isEmpty());
}

TEST_F(MessageDispatch, EscapeAbortsWhatTheModeTypePlaysAndClearEmptiesTheKeyerAlways)
{
    struct Case {
        TModeType mode;
        QByteArray keyer, router;
        QStringList rtty;
    };
    const Case cases[] = {
        {mtCW, "\x0A", "", {}},
        {mtPhone, "", "MA\r", {}},
        {mtDigital, "", "MA\r", {"RC:;"}},
        {mtAll, "", "", {}},
    };
    for (const Case& c : cases) {
        msgs.SetModeType(c.mode);
        msgs.EscapeAction->trigger();
        run(100);
        EXPECT_EQ(keyerSim.received(), c.keyer) << int(c.mode);
        EXPECT_EQ(Router(), c.router) << int(c.mode);
        EXPECT_EQ(rttyServer.Lines, c.rtty) << int(c.mode);
        Settle();

        // The remote link's "WC:" runs this in whatever mode type the module is in.
        msgs.ClearActionExecute();
        EXPECT_EQ(Keyer(1), "\x0A") << int(c.mode);
        EXPECT_TRUE(Router().isEmpty());
        Settle();
    }
}
