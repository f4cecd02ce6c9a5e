// The CW data module: its settings, the text filter and macros, routing by role, the lines
// it sends on the remote link, the sidetone and echo settings, and its port events.
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "keying/DMCW.h"
#include "log/LogInterface.h"
#include "platform/AudioDevice.h"
#include "platform/SerialPort.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/support/WinKeyerSimulator.h"
#include "tests/support/Wait.h"

#include <QFile>
#include <gtest/gtest.h>

using vxtest::run;
using vxtest::runUntil;

// A CW module with its settings module and recording links, on the manual clock.
class DMCWTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        app = std::make_unique<TDMApplication>();
        cw = Fresh();
    }
    void TearDown() override
    {
        cw.reset();
        app.reset();
        vx::Clock::useSystem();
    }
    std::unique_ptr<TDMCW> Fresh()
    {
        auto m = std::make_unique<TDMCW>();
        m->SetDM(&dm);
        m->SetServer(&server);
        m->SetClient(&client);
        m->WinKeyComPortEvent = [this](TCOMPortState s) { portEvents << s; };
        m->WinKey()->OnCharacterRemote = [this](QChar c) { remoteEcho += c; };
        return m;
    }
    void WriteSettings(const std::vector<std::pair<const char*, int>>& values)
    {
        for (const auto& [name, value] : values)
            app->IniRegistry()->WriteInteger("Client\\WinKey", name, value);
    }
    // The keyer opened on the simulator.
    void OpenKeyer()
    {
        cw->WinKeyComPort()->setPort(sim.portName());
        cw->Open();
        ASSERT_TRUE(runUntil([&] { return cw->WinKey()->Active(); }, 2000));
        run(100);
        sim.clearLog();
        server.Lines.clear();
        client.Lines.clear();
    }

    ScopedConfigHome home;
    vxtest::WinKeyerSimulator sim;
    TApplicationRole dm;
    RecordingServer server;
    RecordingClient client;
    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMCW> cw;
    QList<int> portEvents;
    QString remoteEcho;
};

TEST_F(DMCWTest, SettingsDefaults)
{
    cw->IniRead();
    const TWinKeyer& k = *cw->WinKey();
    EXPECT_EQ(DMCW, cw.get());
    EXPECT_EQ(cw->WinKeyComPort()->port(), "");
    EXPECT_FALSE(cw->UseSidetone());
    EXPECT_EQ(cw->SidetoneEcho(), -1);
    EXPECT_EQ(cw->CWSidetone()->Pitch(), 700);
    EXPECT_EQ(cw->CWSidetone()->Volume(), 2);
    EXPECT_EQ(cw->CWSidetone()->DeviceID(), 0u);
    EXPECT_EQ(k.KeyerMode(), kmIambicA);
    EXPECT_EQ(k.SidetoneFrequency(), sf752Hz);
    EXPECT_EQ(k.MinWPM(), 10);
    EXPECT_EQ(k.MaxWPM(), 40);
    EXPECT_EQ(k.Speed(), 26);
    EXPECT_EQ(k.SynchronizeSpeed(), 1);
    EXPECT_EQ(k.Weighting(), 50);
    EXPECT_EQ(k.DitDahRatio(), 300);
    EXPECT_EQ(k.PaddleSetPoint(), 50);
    EXPECT_TRUE(k.PaddleEchoBack());
    EXPECT_TRUE(k.SerialEchoback());
    EXPECT_EQ(k.ModeRegister(), 0x54);
}

TEST_F(DMCWTest, StoredValues)
{
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, int>> stored;
        std::function<void(TWinKeyer&)> before; // the state held before the read
        std::function<int(const TWinKeyer&)> get;
        int expected;
    };
    const auto none = [](TWinKeyer&) {};
    const auto min = [](const TWinKeyer& k) { return int(k.MinWPM()); };
    const auto max = [](const TWinKeyer& k) { return int(k.MaxWPM()); };
    const auto mode = [](const TWinKeyer& k) { return int(k.KeyerMode()); };
    const auto tone = [](const TWinKeyer& k) { return int(k.SidetoneFrequency()); };
    const Case cases[] = {
        // A valid range comes back as stored, also one below the default minimum.
        {"range 5..8: min", {{"MinWPM", 5}, {"MaxWPM", 8}}, none, min, 5},
        {"range 5..8: max", {{"MinWPM", 5}, {"MaxWPM", 8}}, none, max, 8},
        {"range 45..60: min", {{"MinWPM", 45}, {"MaxWPM", 60}}, none, min, 45},
        {"range 45..60: max", {{"MinWPM", 45}, {"MaxWPM", 60}}, none, max, 60},
        {"range 30..20: min", {{"MinWPM", 30}, {"MaxWPM", 20}}, none, min, 20},
        {"MaxWPM 300", {{"MaxWPM", 300}}, none, max, 99},
        {"Speed 3", {{"Speed", 3}}, none, [](const TWinKeyer& k) { return int(k.Speed()); }, 10},
        {"KeyerMode 2", {{"KeyerMode", 2}}, none, mode, kmUltimatic},
        {"KeyerMode 7", {{"KeyerMode", 7}}, [](TWinKeyer& k) { k.SetKeyerMode(kmBug); }, mode, kmBug},
        {"SidetoneFrequency 1252", {{"SidetoneFrequency", 1252}}, none, tone, sf1252Hz},
        {"SidetoneFrequency 800", {{"SidetoneFrequency", 800}}, [](TWinKeyer& k) { k.SetSidetoneFrequency(sf375Hz); }, tone, sf375Hz},
        {"FarnsworthSpeed 40", {{"FarnsworthSpeed", 40}}, [](TWinKeyer& k) { k.SetFarnsworth(true); },
         [](const TWinKeyer& k) { return int(k.FarnsworthSpeed()); }, 0},
        {"serial echo", {}, [](TWinKeyer& k) { k.SetSerialEchoback(false); }, [](const TWinKeyer& k) { return int(k.SerialEchoback()); }, 1},
    };
    for (const Case& c : cases) {
        app->IniRegistry()->EraseSection("Client\\WinKey");
        WriteSettings(c.stored);
        cw = Fresh();
        c.before(*cw->WinKey());
        cw->IniRead();
        EXPECT_EQ(c.get(*cw->WinKey()), c.expected) << c.name;
    }
}

TEST_F(DMCWTest, SettingsRoundTrip)
{
    TWinKeyer& k = *cw->WinKey();
    cw->WinKeyComPort()->setPort("/dev/ttyUSB3");
    cw->SetSidetoneEcho(1);
    cw->CWSidetone()->SetPitch(650);
    cw->CWSidetone()->SetVolume(5);
    cw->CWSidetone()->SetDeviceID(2);
    k.SetAutoSpace(true);
    k.SetKeyerMode(kmIambicB);
    k.SetSwapPaddles(true);
    k.SetMaxWPM(50);
    k.SetMinWPM(15);
    k.SetSpeed(33);
    k.SetSynchronizeSpeed(2);
    k.SetWeighting(60);
    k.SetDitDahRatio(330);
    k.SetSidetoneFrequency(sf469Hz);
    k.SetPaddleSetPoint(70);
    cw->IniWrite();
    EXPECT_EQ(app->IniRegistry()->ReadInteger("Client\\WinKey", "SidetoneFrequency", 0), 469);

    auto back = Fresh();
    back->IniRead();
    const TWinKeyer& b = *back->WinKey();
    EXPECT_EQ(back->WinKeyComPort()->port(), "/dev/ttyUSB3");
    EXPECT_TRUE(back->UseSidetone());
    EXPECT_EQ(back->SidetoneEcho(), 1);
    EXPECT_EQ(back->CWSidetone()->Pitch(), 650);
    EXPECT_EQ(back->CWSidetone()->Volume(), 5);
    EXPECT_EQ(back->CWSidetone()->DeviceID(), 2u);
    EXPECT_TRUE(b.AutoSpace());
    EXPECT_EQ(b.KeyerMode(), kmIambicB);
    EXPECT_TRUE(b.SwapPaddles());
    EXPECT_EQ(b.MinWPM(), 15);
    EXPECT_EQ(b.MaxWPM(), 50);
    EXPECT_EQ(b.SynchronizeSpeed(), 2);
    EXPECT_EQ(b.Weighting(), 60);
    EXPECT_EQ(b.DitDahRatio(), 330);
    EXPECT_EQ(b.SidetoneFrequency(), sf469Hz);
    EXPECT_EQ(b.PaddleSetPoint(), 70);
}

TEST_F(DMCWTest, TextIsFilteredAndSpeltOut)
{
    dm.SetApplicationType(isRemoteClient);
    const std::pair<QString, QStringList> cases[] = {
        {"cq de  test", {"WK:CQ DE TEST;"}},
        {QString::fromUtf8("Grüße"), {"WK:GRUESSE;"}},
        {QString::fromUtf8("ÄÖÜäöü"), {"WK:AEOEUEAEOEUE;"}},
        {"A{B}", {"WK:AB;"}},
        {"  a\r\n  b ", {"WK: A B ;"}},
        {"{|}~", {}},
        {"", {}},
    };
    for (const auto& [text, lines] : cases) {
        client.Lines.clear();
        cw->CWSendText(text);
        EXPECT_EQ(client.Lines, lines) << text.toStdString();
    }
    const std::pair<QChar, QStringList> chars[] = {
        {QLatin1Char('a'), {"WK:A;"}}, {QChar(0x00DF), {"WK:SS;"}}, {QChar(0x00F6), {"WK:OE;"}},
        {QLatin1Char('?'), {"WK:?;"}}, {QLatin1Char('\r'), {}},     {QLatin1Char('{'), {}},
    };
    for (const auto& [c, lines] : chars) {
        client.Lines.clear();
        cw->CWSendChar(c);
        EXPECT_EQ(client.Lines, lines) << int(c.unicode());
    }
}

TEST_F(DMCWTest, MacrosAreFilteredAgain)
{
    TLogInterface log;
    log.LogRecord().SetLogWindowCall("dl1abc");
    cw->SetLogInterface(&log);

    dm.SetApplicationType(isRemoteClient);
    cw->CWSendText("tu <call><cr>");
    EXPECT_EQ(client.Lines, QStringList{"WK:TU DL1ABC;"});

    // In the local role the keyer gets the same text, and nothing below a blank.
    dm.SetApplicationType(isLocal);
    OpenKeyer();
    cw->CWSendText("<CALL><CR>");
    ASSERT_TRUE(runUntil([&] { return sim.received().size() >= 6; }, 10000));
    run(3000);
    EXPECT_EQ(sim.received(), "DL1ABC");
}

TEST_F(DMCWTest, LinesByRole)
{
    struct Case {
        TApplicationType role;
        QStringList server, client;
    };
    const Case cases[] = {
        {isLocal, {}, {}},
        {isLocalAndRemoteServer,
         {"WS:10|30|40|26|0;", "WT:30|26;", "WR:2|1|10|40|30|26;", "WK:K;"}, {}},
        {isRemoteServer,
         {"WS:10|30|40|26|0;", "WT:30|26;", "WR:2|1|10|40|30|26;", "WK:K;"}, {}},
        {isRemoteClient, {},
         {"WK:TEST;", "WS:10|30|40|26|0;", "WT:30|26;", "WR:2|1|10|40|30|26;", "WC:;", "WC:;"}},
    };
    for (const Case& c : cases) {
        dm.SetApplicationType(c.role);
        cw = Fresh();
        server.Lines.clear();
        client.Lines.clear();
        cw->Open();
        TWinKeyer& k = *cw->WinKey();
        cw->CWSendText("test");             // keyer or server
        k.PrepareTX();
        k.SetSpeed(30);                     // a speed set here: WS and WT
        k.SetStatus(wksError);              // WR
        Fire(k.OnCharacterLocal, QChar('K')); // the local keyer's echo
        k.WKClear();                        // WC from a client
        k.WKEscape();
        EXPECT_EQ(server.Lines, c.server) << int(c.role);
        EXPECT_EQ(client.Lines, c.client) << int(c.role);
        EXPECT_EQ(cw->CWSidetone()->Speed(), 30) << int(c.role);
    }
}

TEST_F(DMCWTest, EchoShowsTheTextWhenNoRadioAnswers)
{
    dm.SetApplicationType(isRemoteClient);
    cw->CWSendText("ab");
    cw->CWSendChar(QLatin1Char('c'));
    EXPECT_EQ(remoteEcho, "ABC");

    TDMRadio radio;
    radio.FTCATInterface()->SetComState(csConnected);
    cw->SetRadio(&radio);
    remoteEcho.clear();
    cw->CWSendText("ab");
    EXPECT_EQ(remoteEcho, "");
    cw->SetRadio(nullptr);
}

TEST_F(DMCWTest, PortEvents)
{
    OpenKeyer();
    EXPECT_EQ(portEvents, QList<int>{comOpen});
    cw->Close();
    EXPECT_EQ(portEvents, (QList<int>{comOpen, comClosed}));

    // The port's own error, then the keyer waiting for it.
    portEvents.clear();
    cw->WinKeyComPort()->setPort("/dev/vornix-no-such-keyer");
    cw->Open();
    EXPECT_EQ(portEvents, (QList<int>{ComError, comWaiting}));
    cw->Close();

    portEvents.clear();
    cw->WinKeyComPort()->setPort("");
    cw->Open();
    EXPECT_EQ(portEvents, QList<int>{comInvalid});

    // The link lost under an open keyer.
    portEvents.clear();
    OpenKeyer();
    portEvents.clear();
    sim.closeDevice();
    ASSERT_TRUE(vxtest::waitUntil([&] { return portEvents.contains(comClosed); }));
    EXPECT_EQ(portEvents.first(), int(ComError));
}

// The sidetone's echo setting, heard on an in-memory sound device.
class DMCWSidetoneTest : public DMCWTest {
protected:
    void SetUp() override
    {
        vx::MemoryAudio::use(true);
        DMCWTest::SetUp();
    }
    void TearDown() override
    {
        DMCWTest::TearDown();
        vx::MemoryAudio::use(false);
    }
    // What the sidetone played of a number of characters, read back as Morse.
    QString Heard(int characters)
    {
        const QByteArray played = vxtest::PlayOut(characters);
        return vxtest::ReadMorse(vxtest::Samples(played), Sidetone::DotLength(cw->WinKey()->Speed()));
    }
};

TEST_F(DMCWSidetoneTest, EchoSettingDecidesWhatIsHeard)
{
    struct Case {
        TApplicationType role;
        int echo;
        QString heard;
    };
    const Case cases[] = {
        {isLocal, -1, ""},
        {isLocal, 0, "TEST"},        // the text as it is handed to the keyer
        {isLocal, 1, "TEST"},        // what the keyer echoes
        {isRemoteClient, 0, "TEST"},
        {isRemoteClient, 1, ""},     // no local keyer, nothing echoed
    };
    for (const Case& c : cases) {
        dm.SetApplicationType(c.role);
        cw = Fresh();
        cw->SetSidetoneEcho(c.echo);
        EXPECT_EQ(cw->UseSidetone(), c.echo >= 0);
        cw->CWSidetoneOpen();
        ASSERT_TRUE(vxtest::waitUntil([&] { return cw->CWSidetone()->Active(); }));
        if (c.role == isLocal)
            OpenKeyer();
        cw->CWSendText("test");
        run(3000); // the keyer keys it
        EXPECT_EQ(Heard(int(c.heard.size())), c.heard) << int(c.role) << " echo " << c.echo;
        cw->Close();
    }
}
