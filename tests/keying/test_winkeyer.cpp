// The WinKeyer driver against the simulated keyer on a pseudo-terminal: the open sequence
// and its timing, pacing of queued text, clear and close, decoding of what the keyer sends
// (including the recorded bytes of a real keyer under an operator's hands), the setters'
// ranges, the received mark, the client role, and failures on the way.
#include "keying/WinKeyer.h"
#include "platform/SerialPort.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/support/WinKeyerSimulator.h"
#include "tests/support/Wait.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using vxtest::run;
using vxtest::runUntil;
using vxtest::WinKeyerSimulator;

namespace {

QString N(int v)
{
    return QString::number(v);
}

// Each byte the simulator read, with its time.
QList<QPair<qint64, uint8_t>> BytesIn(const WinKeyerSimulator& sim)
{
    QList<QPair<qint64, uint8_t>> out;
    for (const auto& e : sim.log())
        if (e.fromHost)
            for (char b : e.bytes)
                out.append({e.ms, uint8_t(b)});
    return out;
}

} // namespace

// A keyer on its port, the simulator at the other end, on the manual clock; every event
// recorded in order.
class KeyerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        ASSERT_TRUE(sim.ok());
        port.setPort(sim.portName());
        port.OnRxChar = [this](int n) { keyer.DoRxCharFromCOMPort(n); };
        port.OnAfterClose = [this] { keyer.DoCOMPortClosed(); };
        keyer.SetCOMPort(&port);
        keyer.OnChanged = [this] { events << "Changed"; };
        keyer.OnCharacterLocal = [this](QChar c) { events << QStringLiteral("Char(%1)").arg(c); };
        keyer.OnCharacterRemote = [this](QChar c) { events << QStringLiteral("Remote(%1)").arg(c); };
        keyer.OnClear = [this] { events << "Clear"; };
        keyer.OnEscape = [this] { events << "Escape"; };
        keyer.OnWKClear = [this] { events << "WKClear"; };
        keyer.OnComPortState = [this](TCOMPortState s) { events << "Port=" + N(s); };
        keyer.OnRxBuf = [this](const TWKBuffer&, int n) { batches << n; };
        keyer.OnSpeed = [this](uint8_t a, uint8_t s, uint8_t b, uint8_t p) {
            events << QStringLiteral("Speed(%1,%2,%3,%4)").arg(a).arg(s).arg(b).arg(p);
        };
        keyer.OnWKSpeed = [this](uint8_t a, uint8_t s, uint8_t b, uint8_t p) {
            events << QStringLiteral("WKSpeed(%1,%2,%3,%4)").arg(a).arg(s).arg(b).arg(p);
        };
        keyer.OnWKSpeedPot = [this] { events << "Pot=" + N(keyer.SpeedPot()); };
        keyer.OnWKStatus = [this](TWKStatus s) { events << "Status=" + N(s); };
        keyer.OnWKXOff = [this](bool v) { events << "XOff=" + N(v); };
        keyer.OnWKBreakIn = [this](bool v) { events << "BreakIn=" + N(v); };
        keyer.OnWKBusy = [this](bool v) { events << "Busy=" + N(v); };
        keyer.OnWKKeyDown = [this](bool v) { events << "KeyDown=" + N(v); };
        keyer.OnWKWait = [this](bool v) { events << "Wait=" + N(v); };
    }
    void TearDown() override { vx::Clock::useSystem(); }

    void Open()
    {
        keyer.WKOpen();
        ASSERT_TRUE(runUntil([&] { return keyer.Active(); }, 2000));
        run(100); // the answers to the load
        sim.clearLog();
        events.clear();
        batches.clear();
    }
    // Sends bytes as the keyer and waits until the driver has read them.
    void FromKeyer(const QByteArray& bytes)
    {
        const int before = std::accumulate(batches.begin(), batches.end(), 0);
        sim.push(bytes);
        ASSERT_TRUE(vxtest::waitUntil([&] { return std::accumulate(batches.begin(), batches.end(), 0) >= before + bytes.size(); }));
    }

    WinKeyerSimulator sim;
    vx::SerialPort port;
    TWinKeyer keyer;
    QStringList events;
    QList<int> batches;
};

TEST_F(KeyerTest, OpenRunsOnTimersAndWritesTheHandshakeAndTheLoad)
{
    int ticks = 0;
    vx::Timer tick(10, true);
    tick.OnTimer = [&] { ++ticks; };

    QElapsedTimer real;
    real.start();
    keyer.WKOpen();
    EXPECT_LT(real.elapsed(), 250); // nothing waited for (the open waits 750 ms and more)
    keyer.WKOpen();                // an open in progress is not started again
    EXPECT_TRUE(keyer.Opening());
    EXPECT_TRUE(port.connected());
    EXPECT_EQ(port.baudRate(), 1200);
    EXPECT_EQ(port.stopBits(), vx::SerialPort::StopBits::One);
    EXPECT_TRUE(port.dtr());
    EXPECT_FALSE(port.rts());

    ASSERT_TRUE(runUntil([&] { return keyer.Active(); }, 2000));
    const qint64 openedAt = vx::Clock::monotonicMs();
    run(100);
    EXPECT_EQ(sim.received().toHex(' '), "00 03 00 00 ff 00 04 55 00 02 0e 54 05 0a 1e ff 02 1a 07 15");
    const auto in = BytesIn(sim);
    EXPECT_GE(in[0].first, TWinKeyer::SettleMs);
    EXPECT_GE(in[4].first - in[3].first, TWinKeyer::CalibrateMs); // FF after 00 00
    EXPECT_EQ(keyer.Status(), wksOpen);
    EXPECT_EQ(keyer.WKVersion(), 0x1F);
    EXPECT_FALSE(keyer.Opening());
    EXPECT_EQ(events.filter("WKSpeed").size(), 1);
    EXPECT_EQ(events.filter("WKSpeed"), QStringList{"WKSpeed(10,26,40,26)"});
    EXPECT_TRUE(events.contains("Pot=18")); // the simulator's pot at 18 WPM, 8 above the minimum
    // The timer kept its pace through the whole open.
    EXPECT_GE(ticks, int(openedAt / 10) - 1);
}

TEST(KeyerRealTime, GuiThreadKeepsRunningWhileOpening)
{
    WinKeyerSimulator sim;
    ASSERT_TRUE(sim.ok());
    vx::SerialPort port;
    TWinKeyer keyer;
    port.setPort(sim.portName());
    port.OnRxChar = [&](int n) { keyer.DoRxCharFromCOMPort(n); };
    keyer.SetCOMPort(&port);

    QTimer tick;
    int ticks = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(10);
    QElapsedTimer real;
    real.start();
    keyer.WKOpen();
    EXPECT_LT(real.elapsed(), 250);
    ASSERT_TRUE(vxtest::waitUntil([&] { return keyer.Active(); }, 5000));
    const qint64 took = real.elapsed();
    EXPECT_GE(took, 750);
    // Ticks came throughout; a thread that slept through the waits would have none.
    EXPECT_GE(ticks, int(took / 10 / 2));
}

TEST_F(KeyerTest, SendHandsOverOneBytePerReceivedBatch)
{
    Open();
    keyer.WKSend("cq test");
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(sim.received(), "C");
    EXPECT_EQ(keyer.QueueCount(), 6);

    // Never more text out than one byte plus one per batch the keyer sent back.
    bool paced = true;
    ASSERT_TRUE(runUntil([&] {
        paced = paced && sim.received().size() <= 1 + batches.size();
        return events.filter("Char(").size() == 7;
    }, 10000));
    EXPECT_TRUE(paced);
    EXPECT_EQ(sim.received(), "CQ TEST");
    EXPECT_EQ(events.filter("Char("), (QStringList{"Char(C)", "Char(Q)", "Char( )", "Char(T)", "Char(E)", "Char(S)", "Char(T)"}));
    EXPECT_LE(sim.waiting(), 1);
}

TEST_F(KeyerTest, NothingGoesOutWhileXOff)
{
    Open();
    FromKeyer(QByteArray::fromHex("c5"));
    EXPECT_TRUE(keyer.WinKeyStatus().XOff);
    keyer.WKSend("AB");
    run(50);
    EXPECT_EQ(sim.received(), "");
    FromKeyer(QByteArray::fromHex("c4"));
    run(5);
    EXPECT_EQ(sim.received().left(1), "A");
    ASSERT_TRUE(runUntil([&] { return sim.received() == "AB"; }, 3000));
}

TEST_F(KeyerTest, ClearAndClose)
{
    Open();
    keyer.SetKeyDown(true);
    run(50);
    EXPECT_EQ(sim.received().toHex(' '), "0b 01");
    EXPECT_EQ(events, (QStringList{"KeyDown=1", "Wait=1", "Busy=1"})); // D8, then DC
    keyer.WKSend("PARIS PARIS");
    run(20);
    sim.clearLog();
    events.clear();
    keyer.WKClear();
    run(5);
    EXPECT_EQ(sim.received().toHex(' '), "0b 00 0a");
    EXPECT_EQ(keyer.QueueCount(), 0);
    EXPECT_FALSE(keyer.KeyDown());
    EXPECT_EQ(events.mid(0, 2), (QStringList{"Clear", "WKClear"}));

    events.clear();
    keyer.WKEscape();
    EXPECT_EQ(events, QStringList{"Escape"});
    run(5);

    sim.clearLog();
    events.clear();
    keyer.WKClose();
    run(100);
    EXPECT_EQ(sim.received().toHex(' '), "0a 02 00 00 03");
    EXPECT_FALSE(port.connected());
    EXPECT_FALSE(keyer.Active());
    EXPECT_EQ(keyer.Status(), wksClosed);
    EXPECT_FALSE(sim.hostOpen());
    EXPECT_TRUE(events.contains("Status=0"));
}

TEST_F(KeyerTest, DecodesWhatTheKeyerSends)
{
    Open();
    struct Case {
        const char* hex;
        QStringList events;
    };
    const Case cases[] = {
        {"c6", {"BreakIn=1"}},                   // busy is not reported while breaking in
        {"c4", {"BreakIn=0", "Busy=1"}},
        {"c5", {"XOff=1"}},
        {"d8", {"XOff=0", "Busy=0", "KeyDown=1", "Wait=1"}},
        {"c0", {"KeyDown=0", "Wait=0"}},
        {"85", {"Pot=15"}},                      // 5 above the minimum of 10
        {"9f", {"Pot=41"}},
        {"2b", {}},                              // "+" is not an echo
        {"2c", {"Char(,)"}},
        {"20", {"Char( )"}},
        {"5a", {"Char(Z)"}},
        {"5b", {}},
        {"1f", {}},
    };
    for (const Case& c : cases) {
        events.clear();
        FromKeyer(QByteArray::fromHex(c.hex));
        EXPECT_EQ(events, c.events) << c.hex;
    }
}

TEST_F(KeyerTest, RecordedPotAndPaddleSession)
{
    Open();
    // The recording's keyer was set to a minimum of 10 WPM, as the driver is.
    ASSERT_EQ(keyer.MinWPM(), 10);
    const std::vector<vxtest::TraceLine> trace = vxtest::ReadTrace("k1el-probe5.log");
    QString echoes, expectedEchoes;
    keyer.OnCharacterLocal = [&](QChar c) { echoes += c; };
    int checked = 0;
    for (const vxtest::TraceLine& l : trace) {
        if (l.tx || l.note == "BYTE")
            continue;
        FromKeyer(l.bytes);
        const TWinKeyStatus& s = keyer.WinKeyStatus();
        if (l.note.startsWith("POT ")) {
            EXPECT_EQ(keyer.SpeedPot(), 10 + l.note.mid(4).toInt()) << l.ms;
        } else if (l.note == "STATUS BUSY|BREAKIN") {
            EXPECT_TRUE(s.BreakIn && !s.Busy) << l.ms;
        } else if (l.note == "STATUS BUSY") {
            EXPECT_TRUE(s.Busy && !s.BreakIn) << l.ms;
        } else if (l.note == "STATUS idle") {
            EXPECT_TRUE(!s.Busy && !s.BreakIn && !s.XOff && !s.KeyDown && !s.Wait) << l.ms;
        } else if (l.note.startsWith("ECHO '")) {
            const QChar c = l.note.at(6);
            if (c == QLatin1Char(' ') || (c >= QLatin1Char(',') && c <= QLatin1Char('Z')))
                expectedEchoes += c;
        } else {
            ADD_FAILURE() << "unexpected line " << l.note.toStdString();
            continue;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 292); // every byte of the session but the version
    EXPECT_EQ(echoes, expectedEchoes);
    EXPECT_EQ(sim.received(), ""); // nothing of it went back to the keyer
}

TEST_F(KeyerTest, QueueKeepsTheFirst1024Characters)
{
    Open();
    QString text;
    for (int i = 0; i < 1030; ++i)
        text += QChar('A' + i % 26);
    keyer.WKSend(text);
    EXPECT_EQ(keyer.QueueCount(), 1023); // the first one went out at once
    // One status byte at a time from the keyer pulls one byte each.
    for (int i = 0; i < 1100; ++i) {
        const qsizetype before = sim.received().size();
        sim.push(QByteArray::fromHex("c4"));
        for (int k = 0; k < 100 && sim.received().size() == before && keyer.QueueCount() > 0; ++k)
            QCoreApplication::processEvents();
        if (keyer.QueueCount() == 0 && sim.received().size() == 1024)
            break;
    }
    vxtest::spin(20);
    EXPECT_EQ(QString::fromLatin1(sim.received()), text.left(1024));
}

TEST_F(KeyerTest, TextIsNeverACommand)
{
    Open();
    keyer.WKSend(QString::fromUtf8("a\x01\r\x1b{z}\xc3\xa4") + QChar(0x0141) + "~b");
    keyer.WKSendChar(QLatin1Char('\n'));
    keyer.WKSendChar(QLatin1Char('c'));
    FromKeyer(QByteArray::fromHex("c4c4c4c4"));
    for (int i = 0; i < 5; ++i)
        FromKeyer(QByteArray::fromHex("c4"));
    EXPECT_EQ(sim.received(), "AZBC");
}

TEST_F(KeyerTest, BigBatchIsReadInPieces)
{
    Open();
    sim.push(QByteArray(3000, 'A'));
    ASSERT_TRUE(vxtest::waitUntil([&] { return std::accumulate(batches.begin(), batches.end(), 0) == 3000; }));
    EXPECT_LE(*std::max_element(batches.begin(), batches.end()), WKBufferSize);
    EXPECT_EQ(events.filter("Char(A)").size(), 3000);
}

TEST_F(KeyerTest, ReceivedMark)
{
    Open();
    // A value from the other side is stored and reported, never written or sent on.
    keyer.PrepareRX();
    keyer.SetSpeed(26); // the value it holds: the mark stays
    EXPECT_EQ(events, QStringList{});
    keyer.SetSpeed(30);
    EXPECT_EQ(events, QStringList{"WKSpeed(10,30,40,18)"});
    keyer.SetSpeed(32); // the mark is used up
    run(10);
    EXPECT_EQ(sim.received().toHex(' '), "02 20");
    EXPECT_EQ(events.mid(1), (QStringList{"Speed(10,32,40,18)", "WKSpeed(10,32,40,18)"}));

    events.clear();
    sim.clearLog();
    keyer.PrepareRX();
    keyer.SetKeyDown(true);
    run(10);
    EXPECT_EQ(events, QStringList{"KeyDown=1"});
    EXPECT_EQ(sim.received(), "");
    EXPECT_TRUE(keyer.KeyDown());

    // Following the pot: pot bytes, also several in one batch, set the speed without writing.
    keyer.SetSynchronizeSpeed(2);
    run(10);
    EXPECT_TRUE(sim.received().toHex(' ').startsWith("02 00"));
    EXPECT_EQ(keyer.Speed(), 18);
    events.clear();
    sim.clearLog();
    FromKeyer(QByteArray::fromHex("8c8d"));
    EXPECT_EQ(keyer.Speed(), 23);
    EXPECT_EQ(events, (QStringList{"WKSpeed(10,22,40,22)", "Pot=22", "WKSpeed(10,23,40,23)", "Pot=23"}));
    run(10);
    EXPECT_EQ(sim.received(), "");
}

TEST_F(KeyerTest, ClientRoleMirrorsWithoutAPort)
{
    keyer.SetApplicationType(isRemoteClient);
    keyer.WKOpen();
    EXPECT_EQ(events, QStringList{"WKSpeed(10,26,40,26)"});
    run(1500);
    EXPECT_FALSE(port.connected());
    EXPECT_FALSE(keyer.Active());
    keyer.WKSend("TEST");
    EXPECT_EQ(keyer.QueueCount(), 0);
    events.clear();
    keyer.WKClear();
    EXPECT_EQ(events, (QStringList{"Clear", "WKClear"}));
    keyer.SetSpeed(30);
    EXPECT_EQ(keyer.Speed(), 30);
    EXPECT_EQ(sim.received(), "");
}

TEST(KeyerSetters, Ranges)
{
    struct Case {
        const char* name;
        std::function<void(TWinKeyer&)> act;
        std::function<int(const TWinKeyer&)> get;
        int expected;
    };
    const auto speed = [](const TWinKeyer& k) { return int(k.Speed()); };
    const Case cases[] = {
        {"Speed below the range", [](TWinKeyer& k) { k.SetSpeed(3); }, speed, 10},
        {"Speed above the range", [](TWinKeyer& k) { k.SetSpeed(50); }, speed, 40},
        {"Speed follows the pot", [](TWinKeyer& k) { k.SetSpeedPot(33); k.SetSynchronizeSpeed(2); k.SetSpeed(20); }, speed, 33},
        {"MaxWPM 120", [](TWinKeyer& k) { k.SetMaxWPM(120); }, [](const TWinKeyer& k) { return int(k.MaxWPM()); }, 99},
        {"MaxWPM under MinWPM", [](TWinKeyer& k) { k.SetMaxWPM(8); }, [](const TWinKeyer& k) { return int(k.MaxWPM()); }, 10},
        {"MaxWPM lowers the speed", [](TWinKeyer& k) { k.SetMaxWPM(20); }, speed, 20},
        {"MinWPM 2", [](TWinKeyer& k) { k.SetMinWPM(2); }, [](const TWinKeyer& k) { return int(k.MinWPM()); }, 5},
        {"MinWPM raises the speed", [](TWinKeyer& k) { k.SetMinWPM(30); }, speed, 30},
        {"MinWPM over MaxWPM", [](TWinKeyer& k) { k.SetMinWPM(50); }, [](const TWinKeyer& k) { return int(k.MinWPM()); }, 40},
        {"WPMRange 100: max", [](TWinKeyer& k) { k.SetWPMRange(100); }, [](const TWinKeyer& k) { return int(k.MaxWPM()); }, 99},
        {"WPMRange 100: range", [](TWinKeyer& k) { k.SetWPMRange(100); }, [](const TWinKeyer& k) { return int(k.WPMRange()); }, 89},
        {"WPMRange 10", [](TWinKeyer& k) { k.SetWPMRange(10); }, [](const TWinKeyer& k) { return int(k.MaxWPM()); }, 20},
        {"Farnsworth off", [](TWinKeyer& k) { k.SetFarnsworthSpeed(40); }, [](const TWinKeyer& k) { return int(k.FarnsworthSpeed()); }, 0},
        {"Farnsworth on", [](TWinKeyer& k) { k.SetFarnsworth(true); }, [](const TWinKeyer& k) { return int(k.FarnsworthSpeed()); }, 26},
        {"Farnsworth 5", [](TWinKeyer& k) { k.SetFarnsworth(true); k.SetFarnsworthSpeed(5); }, [](const TWinKeyer& k) { return int(k.FarnsworthSpeed()); }, 10},
        {"Farnsworth 120", [](TWinKeyer& k) { k.SetFarnsworth(true); k.SetFarnsworthSpeed(120); }, [](const TWinKeyer& k) { return int(k.FarnsworthSpeed()); }, 99},
        {"DitDahRatio 100", [](TWinKeyer& k) { k.SetDitDahRatio(100); }, [](const TWinKeyer& k) { return int(k.DitDahRatio()); }, 200},
        {"DitDahRatio 500", [](TWinKeyer& k) { k.SetDitDahRatio(500); }, [](const TWinKeyer& k) { return int(k.DitDahRatio()); }, 400},
        {"Weighting 5", [](TWinKeyer& k) { k.SetWeighting(5); }, [](const TWinKeyer& k) { return int(k.Weighting()); }, 10},
        {"Weighting 95", [](TWinKeyer& k) { k.SetWeighting(95); }, [](const TWinKeyer& k) { return int(k.Weighting()); }, 90},
        {"FirstExtension", [](TWinKeyer& k) { k.SetFirstExtension(255); }, [](const TWinKeyer& k) { return int(k.FirstExtension()); }, 250},
        {"KeyingCompensation", [](TWinKeyer& k) { k.SetKeyingCompensation(251); }, [](const TWinKeyer& k) { return int(k.KeyingCompensation()); }, 250},
        {"PaddleSetPoint", [](TWinKeyer& k) { k.SetPaddleSetPoint(101); }, [](const TWinKeyer& k) { return int(k.PaddleSetPoint()); }, 100},
        {"Sidetone as byte", [](TWinKeyer& k) { k.SetSidetoneFrequencyAsByte(3); }, [](const TWinKeyer& k) { return int(k.SidetoneFrequency()); }, sf1252Hz},
        {"Sidetone byte 0", [](TWinKeyer& k) { k.SetSidetoneFrequencyAsByte(0); }, [](const TWinKeyer& k) { return int(k.SidetoneFrequencyAsByte()); }, 5},
    };
    for (const Case& c : cases) {
        TWinKeyer k;
        c.act(k);
        EXPECT_EQ(c.get(k), c.expected) << c.name;
    }
}

TEST(KeyerSetters, ModeRegister)
{
    struct Case {
        std::function<void(TWinKeyer&)> act;
        int expected;
    };
    const Case cases[] = {
        {[](TWinKeyer&) {}, 0x54},
        {[](TWinKeyer& k) { k.SetKeyerMode(kmIambicB); k.SetSwapPaddles(true); k.SetPaddleEchoBack(false); }, 0x0C},
        {[](TWinKeyer& k) { k.SetKeyerMode(kmIambicB); k.SetSwapPaddles(true); }, 0x4C},
        {[](TWinKeyer& k) { k.SetKeyerMode(kmUltimatic); k.SetContestSpacing(true); k.SetAutoSpace(true); }, 0x67},
        {[](TWinKeyer& k) { k.SetKeyerMode(kmBug); k.SetPaddleWatchDog(true); k.SetSerialEchoback(false); }, 0xF0},
    };
    for (const Case& c : cases) {
        TWinKeyer k;
        c.act(k);
        EXPECT_EQ(k.ModeRegister(), c.expected);
    }
}

// --- Failures -------------------------------------------------------------------------------

TEST_F(KeyerTest, WrongOrMissingAnswerClosesAndTriesAgain)
{
    struct Case {
        const char* name;
        std::function<void()> fault, fix;
    };
    const Case cases[] = {
        {"echo answer 54", [&] { sim.setEchoAnswer(0x54); }, [&] { sim.setEchoAnswer(-1); }},
        {"keyer switched off", [&] { sim.setPowered(false); }, [&] { sim.setPowered(true); }},
    };
    for (const Case& c : cases) {
        c.fault();
        events.clear();
        keyer.WKOpen();
        ASSERT_TRUE(runUntil([&] { return keyer.Status() == wksError; }, 2000)) << c.name;
        EXPECT_FALSE(keyer.Active()) << c.name;
        EXPECT_FALSE(port.connected()) << c.name;
        EXPECT_TRUE(keyer.WaitForCOMPortTimer()->isActive()) << c.name;
        // Switched on (or answering) later, the keyer is found by the next attempt.
        c.fix();
        ASSERT_TRUE(runUntil([&] { return keyer.Active(); }, TWinKeyer::ReopenIntervalMs + 1500)) << c.name;
        EXPECT_EQ(keyer.Status(), wksOpen) << c.name;
        run(TWinKeyer::ReopenIntervalMs);
        EXPECT_FALSE(keyer.WaitForCOMPortTimer()->isActive()) << c.name;
        keyer.WKClose();
    }
}

TEST_F(KeyerTest, LinkLostWhileOpening)
{
    keyer.WKOpen();
    run(TWinKeyer::SettleMs + 10); // host close and calibrate written
    sim.closeDevice();
    ASSERT_TRUE(runUntil([&] { return keyer.Status() == wksError; }, 1000));
    EXPECT_FALSE(keyer.Active());
    EXPECT_FALSE(port.connected());
    EXPECT_TRUE(keyer.WaitForCOMPortTimer()->isActive());
    // The device is gone: each attempt reports the port waiting.  The freed pseudo-terminal
    // number can be handed to another test running at the same time, so the gone device is
    // named by a path nothing creates.
    port.setPort("/dev/vornix-keyer-gone");
    events.clear();
    run(TWinKeyer::ReopenIntervalMs + 10);
    EXPECT_TRUE(events.contains("Port=" + N(comWaiting)));
    EXPECT_FALSE(keyer.Active());

    // Closing ends the attempts.
    keyer.WKClose();
    EXPECT_EQ(keyer.Status(), wksClosed);
    EXPECT_FALSE(keyer.WaitForCOMPortTimer()->isActive());
}

TEST_F(KeyerTest, UnpluggedWhileOpenComesBackWhenPluggedIn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(sim.linkAs(dir.filePath("winkeyer")));
    port.setPort(sim.portName());
    Open();
    keyer.SetKeyDown(true);
    keyer.WKSend("PARIS PARIS");
    run(20);
    events.clear();

    sim.closeDevice();
    ASSERT_TRUE(runUntil([&] { return !keyer.Active(); }, 1000));
    EXPECT_EQ(keyer.Status(), wksError);
    EXPECT_TRUE(events.contains("Status=2"));
    EXPECT_TRUE(events.contains("Changed"));
    EXPECT_FALSE(port.connected());
    EXPECT_TRUE(keyer.WaitForCOMPortTimer()->isActive());
    // What was meant for the lost keyer is dropped, not sent to the one plugged in later.
    EXPECT_EQ(keyer.QueueCount(), 0);
    EXPECT_FALSE(keyer.KeyDown());

    // Away for a while: every attempt finds no device.
    events.clear();
    run(2 * TWinKeyer::ReopenIntervalMs);
    EXPECT_EQ(events.count("Port=" + N(comWaiting)), 2);
    EXPECT_FALSE(keyer.Active());

    sim.clearLog();
    events.clear();
    ASSERT_TRUE(sim.reopenDevice());
    ASSERT_TRUE(runUntil([&] { return keyer.Active(); }, 4000));
    run(100);
    EXPECT_EQ(keyer.Status(), wksOpen);
    EXPECT_TRUE(events.contains("Status=1"));
    EXPECT_EQ(sim.received().toHex(' '), "00 03 00 00 ff 00 04 55 00 02 0e 54 05 0a 1e ff 02 1a 07 15");
    run(TWinKeyer::ReopenIntervalMs);
    EXPECT_FALSE(keyer.WaitForCOMPortTimer()->isActive());

    // And it keys again.
    keyer.WKSend("E");
    ASSERT_TRUE(runUntil([&] { return events.contains("Char(E)"); }, 2000));
}

TEST_F(KeyerTest, PortThatCannotOpenOrHasNoName)
{
    port.setPort("/dev/vornix-no-such-keyer");
    keyer.WKOpen();
    EXPECT_EQ(events, (QStringList{"Port=" + N(comWaiting), "Status=2", "Changed"}));
    EXPECT_TRUE(keyer.WaitForCOMPortTimer()->isActive());

    // Without a name there is no keyer to wait for.
    port.setPort("");
    events.clear();
    run(TWinKeyer::ReopenIntervalMs);
    EXPECT_FALSE(keyer.WaitForCOMPortTimer()->isActive());
    keyer.WKOpen();
    EXPECT_EQ(events, QStringList{"Port=" + N(comInvalid)});
}

TEST_F(KeyerTest, CloseWhileOpeningStopsTheOpen)
{
    keyer.WKOpen();
    run(TWinKeyer::SettleMs + 10);
    keyer.WKClose();
    const QByteArray written = sim.received();
    run(2000);
    EXPECT_EQ(sim.received(), written);
    EXPECT_FALSE(keyer.Active());
    EXPECT_FALSE(port.connected());
    EXPECT_EQ(keyer.Status(), wksClosed);
}
