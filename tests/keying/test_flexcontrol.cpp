// The FlexControl knob driver on a pseudo-terminal with the knob simulator: the opening and
// closing commands, the LED commands, and the knob's events as they arrive in reads.
#include "keying/FlexControl.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "tests/log/QStringPrint.h"
#include "tests/support/FlexControlSimulator.h"
#include "tests/support/Wait.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <memory>

using vxtest::FlexControlSimulator;
using vxtest::waitUntil;

namespace {

class FlexControlDriver : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        ASSERT_TRUE(Knob.ok());
        Port = std::make_unique<vx::SerialPort>();
        Port->setPort(Knob.portName());
        Driver = std::make_unique<TFlexControl>();
        Driver->SetCOMPort(Port.get());
        Driver->OnKnob = [this](int32_t v) { Events << QStringLiteral("knob %1").arg(v); };
        Driver->OnSwitch = [this](TSwitch s, TClickType c) { Events << QStringLiteral("switch %1 %2").arg(s).arg(c); };
    }
    void TearDown() override
    {
        Driver.reset();
        Port.reset();
        vx::Clock::useSystem();
    }
    bool Open()
    {
        Driver->Open();
        return Driver->Active() && waitUntil([&] { return Knob.commands().size() >= 2; });
    }
    // Sends the bytes followed by an AUX3 long click, and waits for that click: everything
    // before it has been handled by then.  The events before the marker are returned.
    QStringList Feed(const QByteArray& bytes)
    {
        Events.clear();
        Knob.send(bytes);
        Knob.send(";X3L;");
        const QString marker = QStringLiteral("switch %1 %2").arg(sAUX3).arg(ctLong);
        if (!waitUntil([&] { return Events.contains(marker); }))
            return {QStringLiteral("no marker")};
        return Events.mid(0, Events.indexOf(marker));
    }

    FlexControlSimulator Knob;
    std::unique_ptr<vx::SerialPort> Port;
    std::unique_ptr<TFlexControl> Driver;
    QStringList Events;
};

QString Turned(int v)
{
    return QStringLiteral("knob %1").arg(v);
}
QString Clicked(TSwitch s, TClickType c)
{
    return QStringLiteral("switch %1 %2").arg(s).arg(c);
}

} // namespace

TEST_F(FlexControlDriver, OpensWithAllLEDsThenAUX1AfterASecondAndClosesDark)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ(Knob.commands(), (QStringList{"F", "I111"}));
    EXPECT_EQ(Port->baudRate(), 9600);
    EXPECT_EQ(Port->dataBits(), 8);
    EXPECT_EQ(Port->parity(), vx::SerialPort::Parity::None);
    EXPECT_EQ(Port->stopBits(), vx::SerialPort::StopBits::One);

    vx::Clock::advance(999);
    vxtest::spin(50);
    EXPECT_EQ(Knob.commands().size(), 2);
    vx::Clock::advance(1);
    ASSERT_TRUE(waitUntil([&] { return Knob.commands().size() == 3; }));
    EXPECT_EQ(Knob.commands().last(), "I100");
    // Once only.
    vx::Clock::advance(5000);
    vxtest::spin(50);
    EXPECT_EQ(Knob.commands().size(), 3);

    Driver->Close();
    EXPECT_FALSE(Driver->Active());
    ASSERT_TRUE(waitUntil([&] { return Knob.commands().size() == 4; }));
    EXPECT_EQ(Knob.commands().last(), "I000");
    // The commands of opening, the start timer and closing are not LED settings.
    EXPECT_FALSE(Driver->AUX1LED() || Driver->AUX2LED() || Driver->AUX3LED());
    EXPECT_FALSE(Port->connected());
}

TEST_F(FlexControlDriver, NothingOpensWithoutAUsablePort)
{
    Port->setPort(QString());
    Driver->Open();
    EXPECT_FALSE(Driver->Active());
    Port->setPort(Knob.portName() + "-missing");
    Driver->SetActive(true);
    EXPECT_FALSE(Driver->Active());
    // A destroyed port leaves the driver without one.
    Port.reset();
    EXPECT_EQ(Driver->COMPort(), nullptr);
    Driver->Open();
    Driver->SetAUX1LED(true);
    Driver->Close();
    EXPECT_FALSE(Driver->Active());
    vxtest::spin(50);
    EXPECT_TRUE(Knob.commands().isEmpty());
}

TEST_F(FlexControlDriver, LEDCommandsOnlyWhileActiveAndOnlyOnAChange)
{
    Driver->SetAUX2LED(true);
    EXPECT_FALSE(Driver->AUX2LED());
    ASSERT_TRUE(Open());
    Driver->SetAUX2LED(true);
    Driver->SetAUX2LED(true);
    Driver->SetAUX1LED(true);
    Driver->SetAUX3LED(false);
    Driver->SetAUX2LED(false);
    ASSERT_TRUE(waitUntil([&] { return Knob.commands().size() >= 5; }));
    vxtest::spin(50);
    EXPECT_EQ(Knob.commands().mid(2), (QStringList{"I010", "I110", "I100"}));
    EXPECT_TRUE(Driver->AUX1LED());
    EXPECT_FALSE(Driver->AUX2LED());
}

TEST_F(FlexControlDriver, EventGrammar)
{
    ASSERT_TRUE(Open());
    struct Row {
        const char* text;
        QStringList events;
    };
    const Row rows[] = {
        {"U;U3;D;", {Turned(1), Turned(3), Turned(-1)}},
        {"D12;U2147483647;", {Turned(-12), Turned(2147483647)}},
        {"S;C;L;", {Clicked(sKnob, ctSingle), Clicked(sKnob, ctDouble), Clicked(sKnob, ctLong)}},
        {"X1S;X2C;X2L;X3;", {Clicked(sAUX1, ctSingle), Clicked(sAUX2, ctDouble), Clicked(sAUX2, ctLong), Clicked(sAUX3, ctSingle)}},
        // An unknown AUX digit is the knob button, an unknown or missing click letter a single click.
        {"X4S;X;X2Q;", {Clicked(sKnob, ctSingle), Clicked(sKnob, ctSingle), Clicked(sAUX2, ctSingle)}},
        // A count that is no plain positive number is one step in the letter's direction.
        {"Uxy;U-5;U0;D99999999999;D+2;", {Turned(1), Turned(1), Turned(1), Turned(-1), Turned(-1)}},
        // Line breaks and blanks between events do no harm.
        {"S;\r\nU;\r\n  D2 ;", {Clicked(sKnob, ctSingle), Turned(1), Turned(-2)}},
        {"Q;;F;I100;", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Feed(row.text), row.events);
    }
}

TEST_F(FlexControlDriver, AnEventSplitOverReadsWaitsForItsEnd)
{
    ASSERT_TRUE(Open());
    Knob.send("U;U");
    ASSERT_TRUE(waitUntil([&] { return Driver->RXBuffer() == "U"; }));
    Knob.send("3");
    ASSERT_TRUE(waitUntil([&] { return Driver->RXBuffer() == "U3"; }));
    Knob.send(";D;");
    ASSERT_TRUE(waitUntil([&] { return Events.size() == 3; }));
    EXPECT_EQ(Events, (QStringList{Turned(1), Turned(3), Turned(-1)}));

    // A line break in a read of its own does not spoil the event after it.
    Events.clear();
    Knob.send("S;");
    ASSERT_TRUE(waitUntil([&] { return Events.size() == 1; }));
    Knob.send("\r\n");
    ASSERT_TRUE(waitUntil([&] { return Driver->RXBuffer() == "\r\n"; }));
    Knob.send("C;");
    ASSERT_TRUE(waitUntil([&] { return Events.size() == 2; }));
    EXPECT_EQ(Events, (QStringList{Clicked(sKnob, ctSingle), Clicked(sKnob, ctDouble)}));
}

TEST_F(FlexControlDriver, NoiseIsCappedAndTheKnobStillWorksAfterIt)
{
    ASSERT_TRUE(Open());
    Knob.send(QByteArray(10240, 'x'));
    ASSERT_TRUE(waitUntil([&] { return Driver->RXBuffer().size() == TFlexControl::MaxRXBuffer; }));
    vxtest::spin(50);
    EXPECT_EQ(Driver->RXBuffer().size(), TFlexControl::MaxRXBuffer);
    // The ";" ends the noise as one event that means nothing.
    EXPECT_EQ(Feed(";S;"), (QStringList{Clicked(sKnob, ctSingle)}));

    // Random bytes: whatever they make of events, nothing breaks and the knob is heard after them.
    QRandomGenerator random(34);
    QByteArray bytes(4096, '\0');
    for (char& b : bytes)
        b = char(random.bounded(256));
    Feed(bytes);
    EXPECT_LE(Driver->RXBuffer().size(), TFlexControl::MaxRXBuffer);
    EXPECT_EQ(Feed("U2;"), (QStringList{Turned(2)}));
}

TEST_F(FlexControlDriver, AnUnpluggedKnobIsNoLongerActive)
{
    ASSERT_TRUE(Open());
    Knob.unplug();
    ASSERT_TRUE(waitUntil([&] { return !Driver->Active(); }));
    EXPECT_FALSE(Port->connected());
    // Closing it then writes nothing and does no harm.
    Driver->Close();
    ASSERT_TRUE(Knob.plug());
    Knob.clearCommands();
    ASSERT_TRUE(Open());
    EXPECT_EQ(Knob.commands().mid(0, 2), (QStringList{"F", "I111"}));
}

// The knob simulator program prints the device to open and plays the knob on it.
TEST(FlexControlSimulatorProgram, PrintsItsDeviceAndSendsWhatItIsTold)
{
    QProcess sim;
    sim.start(QStringLiteral(VX_FLEXCONTROL_SIM), {});
    ASSERT_TRUE(sim.waitForStarted(5000));
    ASSERT_TRUE(waitUntil([&] { return sim.canReadLine(); }, 10000));
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString();

    vx::SerialPort port;
    port.setPort(path);
    TFlexControl driver;
    driver.SetCOMPort(&port);
    QStringList events;
    driver.OnKnob = [&](int32_t v) { events << QStringLiteral("knob %1").arg(v); };
    driver.OnSwitch = [&](TSwitch s, TClickType c) { events << QStringLiteral("switch %1 %2").arg(s).arg(c); };
    driver.Open();
    ASSERT_TRUE(driver.Active());
    sim.write("u 2\nD 4\nclick aux2 long\n");
    ASSERT_TRUE(waitUntil([&] { return events.size() == 4; }, 10000));
    EXPECT_EQ(events, (QStringList{"knob 1", "knob 1", "knob -4", QStringLiteral("switch %1 %2").arg(sAUX2).arg(ctLong)}));
    // It shows the LED commands it receives.
    QByteArray shown;
    EXPECT_TRUE(waitUntil([&] { return (shown += sim.readAll()).contains("<- I111;"); }, 10000)) << shown.toStdString();

    driver.Close();
    sim.write("quit\n");
    EXPECT_TRUE(sim.waitForFinished(5000));
}
